// The driver object and the export's dispatch. (platform-independent)
#include "host/driver.h"

#include <cstring>

#include "base/error_codes.h"
#include "base/limits.h"
#include "common/text_util.h"
#include "host/command_table.h"
#include "host/company_dir_list.h"
#include "host/usage_report.h"
#include "preload/cache_lookup.h"
#include "preload/preload_settings.h"

namespace r7 {
namespace {

constexpr std::string_view kDefaultServerDirectory = "c:\\r7\\";

bool TakesLineEnd(int code) {
  return code >= 100 && code <= 127;
}

}  // namespace

Driver::Driver(platform::Platform& platform)
    : platform_(platform),
      messages_(settings_, errors_, platform.message_boxes, platform.input),
      settings_store_(platform.profiles),
      display_amounts_(platform.locale),
      record_manager_(platform.libraries, platform.files, platform.debug, errors_),
      companies_(settings_, server_directory_, platform.files, record_manager_, errors_),
      command_window_(platform.ui, platform.help, messages_,
                      CommandWindowHooks{
                          .start_up = [this] { EnsureStartedUp(); },
                          .before_menu = [this] { EnsureCompanyDirList(); },
                          .server_directory = [this] { return server_directory_; },
                          .closed = [this] { record_manager_.Unbind(); },
                      }),
      unsupported_preload_(messages_),
      cache_preload_runner_([this](platform::WindowId window) { return ledger_services(window); }) {
  ResetToDefaults(settings_);
  messages_.SetStatusBoxHook([this](platform::WindowId owner) {
    BtrShowStatus(platform_.message_boxes, settings_, owner, record_manager_.last_status());
  });
  // The balance engine asks the companies' preloaded selections first.
  cache_lookup_ = std::make_unique<preload::CacheLookup>(
      ledger_services(), [this] { return usage_tracking_; }, &segment_collector_);
  SetPreload(cache_lookup_.get());
}

Driver::~Driver() = default;

void Driver::RegisterWorksheet(int code, WorksheetHandler handler) {
  worksheet_handlers_[code] = std::move(handler);
}

bool Driver::AttachLibrary() {
  return command_window_.SetUp();
}

void Driver::EnsureStartedUp() {
  if (!started_) StartUp();
}

// The start-up of the command window. It runs before the first call is handled as well as
// on the posted start-up message, so that no call ever sees settings that were not loaded.
void Driver::StartUp() {
  started_ = true;
  errors_.Clear();
  server_directory_ = settings_store_.ServerDirectory(kDefaultServerDirectory);
  settings_store_.LoadAll(settings_, server_directory_);
  session_.Reset(settings_);
  company_dir_list_.clear();
  initialised_ = false;
  AutomaticPreload();
}

// Every listed company whose "ADPL Company On " key is 1 is loaded, its own "ADPL" keys go
// into its preload settings, and it is preloaded with them and the Current Year; the others
// are not loaded at all.
void Driver::AutomaticPreload() {
  if (settings_.adpl_enabled == 0) return;
  EnsureCompanyDirList();
  for (const std::string& entry : company_dir_list_) {
    const std::string code = entry.substr(0, entry.find_first_of(" \t"));
    AutoPreloadSettings keys = LoadAutoPreload(settings_store_, settings_, code);
    if (!keys.company_on) continue;
    platform_.input.ShowWaitCursor();
    CompanyContext* company = companies_.FindCompany(code);
    if (company == nullptr || company->status != 0) continue;
    if (automatic_preloader_) {
      preload::PreloadSettings& preload = preload::PreloadOf(*company);
      preload.request = MakeAccountRequest(keys.account, keys.year, keys.budget);
      preload.load_this_year = keys.this_year_on;
      preload.load_last_year = keys.last_year_on;
      preload.load_budget = keys.budget_on;
      automatic_preloader_(code);
      continue;
    }
    PreloadOrder order;
    order.company = code;
    order.account = keys.account;
    order.year = settings_.current_year;  // the preload dialog's Year field shows it
    order.budget = keys.budget;
    order.load_this_year = keys.this_year_on;
    order.load_last_year = keys.last_year_on;
    order.load_budget = keys.budget_on;
    preload_runner_->Preload(*company, order, command_window_.window());
  }
}

void Driver::EnsureCompanyDirList() {
  if (initialised_) return;
  RebuildCompanyDirList();
  initialised_ = true;
}

void Driver::Reset() {
  list_caches_.Reset();
  companies_.CloseAllCompanies();
  RebuildCompanyDirList();
  initialised_ = true;
}

void Driver::RebuildCompanyDirList() {
  company_dir_list_ = BuildCompanyDirList(platform_.files, settings_.system_directory,
                                          DirListSeparator::kFourBlanks);
}

int Driver::Call(int code, const char* argument, char* result) {
  errors_.Clear();
  if (result != nullptr) result[0] = '\0';
  // On POSIX the library has no attach step: its first use sets up the command window.
  // After a clean-up the next call sets it up again.
  if (!command_window_.exists()) AttachLibrary();
  EnsureStartedUp();
  if (code != kShowCommandWindow) EnsureCompanyDirList();

  std::string text;
  int status;
  if (FindCommand(code) == nullptr) {
    errors_.SetError(kNotProcessed, " ");
    text = errors_.text();
    status = 1;
  } else {
    status = Dispatch(code, argument != nullptr ? std::string_view(argument) : "", text);
  }

  if (result != nullptr) {
    std::size_t length = std::min(text.size(), kMaxResultText);
    std::memcpy(result, text.data(), length);
    if (TakesLineEnd(code) && FindCommand(code) != nullptr) {
      result[length++] = '\r';
      result[length++] = '\n';
    }
    result[length] = '\0';
  }
  return status;
}

int Driver::Dispatch(int code, std::string_view argument, std::string& result) {
  const CommandInfo& command = *FindCommand(code);
  switch (command.kind) {
    case CommandKind::kMenu:
      if (menu_commands_) menu_commands_(code, argument);
      return 0;
    case CommandKind::kDirect:
      if (code == kStartUsageTracking) {
        usage_tracking_ = true;
        return 0;
      }
      if (code == kStopUsageTracking) {
        usage_tracking_ = false;
        WriteUsageReport(ledger_services(), platform_.clipboard);
        return 0;
      }
      result = kVersionText;
      return 0;
    case CommandKind::kWorksheet:
      break;
  }
  if (code == kWdesc) {
    FinishWithError(kWdescNotSupported, result);
    return 0;
  }
  auto handler = worksheet_handlers_.find(code);
  if (handler == worksheet_handlers_.end()) return NotYetSupported(code, result);
  return handler->second(argument, result);
}

int Driver::NotYetSupported(int code, std::string& result) {
  errors_.SetError(kNotSupported, std::to_string(code));
  errors_.TakeError(&result);
  return 0;
}

LedgerServices Driver::ledger_services(platform::WindowId abort_window) {
  return LedgerServices{settings_,
                        errors_,
                        messages_,
                        record_manager_,
                        companies_,
                        platform_.files,
                        session_.current_dates,
                        abort_window};
}

BalanceCollaborators Driver::balance_collaborators(const LedgerServices& services) {
  return BalanceCollaborators{services, *preload_, usage_tracking_,
                              segment_collector_ ? &segment_collector_ : nullptr};
}

void Driver::FinishWithError(int code, std::string& result) {
  if (code == kNoMatchingAccounts) {
    result = NoDataResult(settings_, errors_);
    return;
  }
  errors_.SetError(code);
  if (!errors_.TakeError(&result)) result = "ERR";
}

int Driver::Cleanup() {
  if (chart_fill_busy_) return 1;
  command_window_.CloseAllDialogs();
  companies_.CloseAllCompanies();
  list_caches_.Reset();
  // The Drill tool's segment lists and the account-specifier cache are freed here once
  // their tools keep them.
  company_dir_list_.clear();
  initialised_ = false;
  // Close every file the record manager holds for us while its library is still bound.
  // A driver that never bound it has nothing to reset.
  if (record_manager_.initialised() && record_manager_.Reset() != 0) {
    errors_.SetError(kBtrieveError, "Closing File");
  }
  // The command window's close handling unbinds the library.
  if (command_window_.exists()) {
    command_window_.Close();
  } else {
    record_manager_.Unbind();
  }
  started_ = false;  // a new command window starts up afresh
  return 0;
}

}  // namespace r7
