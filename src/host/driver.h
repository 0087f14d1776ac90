// The driver: one object that owns every piece of state the export works on, and the
// export's dispatch. (platform-independent)
//
// The legacy design kept this state in process-wide statics; here it lives in one object so
// that tests make their own driver over a fake platform. What answers the codes is
// registered from above: the worksheet functions, the menu-command processor and the
// tools' dialog factories (exports/driver_assembly.h), so this floor never includes them.
// Single-threaded: every call, and every window message, arrives on the host's thread and
// runs to completion.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/amount_format.h"
#include "base/error_reporter.h"
#include "base/message_center.h"
#include "base/settings.h"
#include "base/settings_store.h"
#include "host/cache_preload_runner.h"
#include "host/command_window.h"
#include "host/help_opener.h"
#include "host/list_caches.h"
#include "host/preload_runner.h"
#include "host/session_state.h"
#include "ledger/balance_engine.h"
#include "ledger/company_catalogue.h"
#include "ledger/ledger_services.h"
#include "ledger/preload_lookup.h"
#include "platform/platform.h"
#include "recordmgr/record_manager.h"

namespace r7 {

class Driver {
 public:
  // A worksheet function: gets the argument text, writes at most 255 characters of result
  // text, returns the export's return value.
  using WorksheetHandler = std::function<int(std::string_view argument, std::string& result)>;
  // The menu-command processor: codes 3 to 22 with their pair list.
  using MenuCommandHandler = std::function<void(int code, std::string_view argument)>;

  explicit Driver(platform::Platform& platform);
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;
  ~Driver();

  // R7DLLInterface: one call of the export. `result` may be null; otherwise it receives at
  // most 258 bytes: 255 characters, for codes 100 to 127 a CR LF, and a NUL.
  int Call(int code, const char* argument, char* result);

  // DLLCleanupFunc: asks every open dialog to close, frees the loaded companies, the lists
  // and the caches, resets the record manager and closes the command window. 0 done,
  // 1 refused (a chart fill runs; the host calls again later).
  int Cleanup();

  // Library attach: sets up the command window. False when its window class cannot be
  // registered (the library then fails to load). On POSIX the first call does it.
  bool AttachLibrary();

  // The start-up of the command window: server directory, settings, session state, the
  // automatic preload. Runs once per command window, whichever comes first: the posted
  // start-up message or the first export call.
  void EnsureStartedUp();
  // Builds the company directory list unless that has happened.
  void EnsureCompanyDirList();
  // Command 21: drops the loaded companies and the list caches, rebuilds the company
  // directory list.
  void Reset();
  // Rebuilds the company directory list from the System Directory (command 21, Setup).
  void RebuildCompanyDirList();

  // An unregistered worksheet code answers error 42 "Function not supported" with the code
  // as detail; menu codes do nothing until the processor is set.
  void RegisterWorksheet(int code, WorksheetHandler handler);
  void SetMenuCommands(MenuCommandHandler handler) { menu_commands_ = std::move(handler); }

  platform::Platform& platform() { return platform_; }
  Settings& settings() { return settings_; }
  SessionState& session() { return session_; }
  ErrorReporter& errors() { return errors_; }
  MessageCenter& messages() { return messages_; }
  SettingsStore& settings_store() { return settings_store_; }
  DisplayAmountFormatter& display_amounts() { return display_amounts_; }
  RecordManager& record_manager() { return record_manager_; }
  CompanyCatalogue& companies() { return companies_; }
  CommandWindow& command_window() { return command_window_; }
  DialogRegistry& dialogs() { return command_window_.dialogs(); }

  // The automatic preload at start-up of one company, whose "ADPL" settings are then in its
  // preload settings: the tools register the data preload dialog's automatic mode. Without
  // one, the preload runner loads the company.
  using AutomaticPreloader = std::function<void(const std::string& company)>;
  void SetAutomaticPreloader(AutomaticPreloader preloader) {
    automatic_preloader_ = std::move(preloader);
  }

  PreloadRunner& preload_runner() { return *preload_runner_; }
  // Replaces the runner of the silent and automatic preloads, which is the preload cache's
  // (tests record the orders); null puts in the runner of a driver without a cache, which
  // answers 42 in an error box.
  void SetPreloadRunner(PreloadRunner* runner) {
    preload_runner_ = runner != nullptr ? runner : &unsupported_preload_;
  }
  // What the balance engine asks before it reads files: the preload cache, or a lookup of
  // the caller's; null puts in the lookup that always declines. The driver does not own a
  // replacement.
  PreloadLookup& preload() { return *preload_; }
  void SetPreload(PreloadLookup* preload) {
    preload_ = preload != nullptr ? preload : &no_preload_;
  }

  // Set by the chart copy while it fills a sheet; clean-up refuses meanwhile.
  void set_chart_fill_busy(bool busy) { chart_fill_busy_ = busy; }
  bool chart_fill_busy() const { return chart_fill_busy_; }

  // Shows the pending error in a box owned by `owner`, then the record manager's status
  // when the failure came from it.
  bool ShowPendingError(platform::WindowId owner) {
    return messages_.ShowPendingError(owner, record_manager_.last_status());
  }
  const std::vector<std::string>& company_dir_list() const { return company_dir_list_; }
  const std::string& server_directory() const { return server_directory_; }
  bool usage_tracking() const { return usage_tracking_; }

  // Set by a tool while it collects segment values from the accounts the engine reads.
  SegmentValueCollector& segment_collector() { return segment_collector_; }
  // The Lists tool's caches; the reset command and clean-up free them.
  ListCaches& list_caches() { return list_caches_; }
  // What the dialogs' Help buttons open help through.
  HelpOpener& help_opener() { return help_opener_; }

  // The collaborators of a ledger walk whose stop requests are read from, and asked over,
  // `abort_window`. Worksheet calls have no window of their own: theirs is the command
  // window.
  LedgerServices ledger_services(platform::WindowId abort_window);
  LedgerServices ledger_services() { return ledger_services(command_window_.window()); }
  // The balance engine's collaborators over `services`, which must outlive them.
  BalanceCollaborators balance_collaborators(const LedgerServices& services);

  // The standard ending of a worksheet handler that failed with `code`: the pending error
  // text, or "ERR" when nothing is pending; code 22 gives the no-data result.
  void FinishWithError(int code, std::string& result);

 private:
  void StartUp();
  void AutomaticPreload();
  int Dispatch(int code, std::string_view argument, std::string& result);
  int NotYetSupported(int code, std::string& result);

  platform::Platform& platform_;
  Settings settings_;
  SessionState session_;
  ErrorReporter errors_;
  MessageCenter messages_;
  SettingsStore settings_store_;
  DisplayAmountFormatter display_amounts_;
  RecordManager record_manager_;
  CompanyCatalogue companies_;
  std::map<int, WorksheetHandler> worksheet_handlers_;
  MenuCommandHandler menu_commands_;
  CommandWindow command_window_;

  bool started_ = false;      // start-up ran for the command window in use
  bool initialised_ = false;  // company directory list built
  std::vector<std::string> company_dir_list_;
  std::string server_directory_;
  bool usage_tracking_ = false;
  NoPreload no_preload_;
  std::unique_ptr<PreloadLookup> cache_lookup_;  // the companies' preloaded selections
  PreloadLookup* preload_ = &no_preload_;
  UnsupportedPreloadRunner unsupported_preload_;
  CachePreloadRunner cache_preload_runner_;
  PreloadRunner* preload_runner_ = &cache_preload_runner_;
  AutomaticPreloader automatic_preloader_;
  SegmentValueCollector segment_collector_;
  ListCaches list_caches_;
  HelpOpener help_opener_{platform_.help, platform_.files, settings_store_};
  bool chart_fill_busy_ = false;
};

}  // namespace r7
