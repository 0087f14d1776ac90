// What a tool may use of the driver, handed to each tool's dialog when it is made: the
// user interface and the message boxes, the settings, the session state, the ledger, the
// clipboard and the registry through which the dialogs reach one another.
// (platform-independent)
//
// Never the driver itself: a tool sees only these. The driver is built with its tools in
// one place (exports/driver_assembly.cc), which fills this from the driver it owns; every
// reference outlives every dialog.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/amount_format.h"
#include "base/error_reporter.h"
#include "base/message_center.h"
#include "base/settings.h"
#include "base/settings_store.h"
#include "host/dialog_registry.h"
#include "host/help_opener.h"
#include "host/list_caches.h"
#include "host/session_state.h"
#include "ledger/balance_engine.h"
#include "ledger/ledger_services.h"
#include "platform/clipboard.h"
#include "platform/small_services.h"
#include "platform/user_interface.h"

namespace r7 {

struct ToolContext {
  platform::UserInterface& ui;
  platform::UserInput& input;  // the wait cursor
  HelpOpener& help;
  platform::Clipboard& clipboard;
  MessageCenter& messages;
  ErrorReporter& errors;
  Settings& settings;
  SettingsStore& settings_store;
  SessionState& session;
  DisplayAmountFormatter& display_amounts;
  DialogRegistry& dialogs;
  ListCaches& lists;
  // While a tool collects segment values, the balance engine gives it every account number
  // it reads; empty otherwise.
  SegmentValueCollector& segment_collector;
  // The hidden command window, owner of every dialog; kNoWindow between clean-up and the
  // next call.
  std::function<platform::WindowId()> command_window;
  // The company choosers' entries: code, separator and name of each company directory.
  std::function<const std::vector<std::string>&()> company_dir_list;
  // The collaborators of a ledger walk whose stop requests the dialog `window` reads.
  std::function<LedgerServices(platform::WindowId window)> ledger;
  // Shows the pending error in a box owned by `window`, then the record manager's status
  // when the failure came from it; false when nothing was pending.
  std::function<bool(platform::WindowId window)> show_pending_error;
  // The balance engine's collaborators over `services`, which must outlive them.
  std::function<BalanceCollaborators(const LedgerServices& services)> balance;
  // Starts another program beside the sheet (the clipboard viewer).
  platform::Programs& programs;
  // Raised while the chart copy fills a sheet: clean-up refuses until it is lowered.
  std::function<void(bool busy)> set_chart_fill_busy;
  // The reset of a changed System Directory: the list caches freed, every loaded company
  // closed and forgotten, the company directory list built anew.
  std::function<void()> reset_companies;
  // The add-in's server directory as start-up read it (where an empty "FE File Path"
  // points).
  std::function<std::string()> server_directory;
  // Today's date, for the Setup dialog's year of last resort.
  platform::Clock& clock;
};

}  // namespace r7
