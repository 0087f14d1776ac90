// The menu-command processor. (platform-independent)
#include "host/menu_commands.h"

#include "base/error_codes.h"
#include "host/command_pairs.h"
#include "host/driver.h"
#include "resources/menu_ids.h"

namespace r7 {

using platform::CommandMessage;
using platform::WindowId;

namespace {

// Commands the tools' dialogs take from the silent menu commands.
constexpr int kRunCommand = 1;
constexpr int kCloseCommand = 2;
constexpr int kDrillAccounts = 1061;
constexpr int kDrillToClipboard = 1072;
constexpr int kDrillToChart = 1073;

struct CodeRow {
  int code;
  int menu_id;
};
constexpr CodeRow kMenuIds[] = {
    {3, R7_MENU_SETUP},  {4, R7_MENU_CHART},    {5, R7_MENU_DRILL},
    {9, R7_MENU_HELP},   {13, R7_MENU_BUDGET},  {14, R7_MENU_PERIOD_WIZARD},
    {19, R7_MENU_LISTS}, {20, R7_MENU_PRELOAD}, {22, R7_MENU_ENQUIRY},
};

// Creates a tool's dialog and sends it its commands; shows 42 while the tool is not built.
void DriveDialog(Driver& driver, DialogKind kind, std::initializer_list<int> commands) {
  CommandWindow& window = driver.command_window();
  if (!window.dialogs().HasFactory(kind)) {
    window.ShowNotBuilt(kind);
    return;
  }
  WindowId dialog = window.dialogs().Create(kind, window.window());
  if (dialog == platform::kNoWindow) return;
  for (int command : commands) {
    driver.platform().ui.Send(dialog, CommandMessage(command));
  }
}

// Sends the open dialog of that kind its close command.
void CloseOpen(Driver& driver, DialogKind kind) {
  WindowId open = driver.command_window().dialogs().Handle(kind);
  if (open != platform::kNoWindow) driver.platform().ui.Send(open, CommandMessage(kCloseCommand));
}

void SaveAllSettings(Driver& driver) {
  if (!driver.settings_store().SaveAll(driver.settings())) {
    driver.messages().ShowErrorBox(driver.command_window().window(), kIniNotWritten, "");
  }
}

// The "DPL" settings of the silent preload: the actual figures, then the budget.
void SilentPreload(Driver& driver) {
  const Settings& s = driver.settings();
  CompanyContext* company = driver.companies().FindCompany(s.dpl_company);
  if (company == nullptr || company->status != 0) return;
  PreloadOrder order;
  order.company = s.dpl_company;
  order.account = s.dpl_account;
  order.year = s.dpl_year;
  order.budget = s.dpl_budget;
  order.load_this_year = s.dpl_load_this_year != 0;
  order.load_last_year = s.dpl_load_last_year != 0;
  order.load_budget = s.dpl_load_budget != 0;
  order.budget_pass = false;
  const WindowId window = driver.command_window().window();
  if (order.load_this_year || order.load_last_year) {
    if (driver.preload_runner().Preload(*company, order, window) == kNotSupported) return;
  }
  if (order.load_budget && !order.budget.empty()) {
    order.budget_pass = true;
    driver.preload_runner().Preload(*company, order, window);
  }
}

void RunSilent(Driver& driver, int code) {
  switch (code) {
    case 3:
      SaveAllSettings(driver);
      return;
    case 4:
      if (driver.command_window().dialogs().Handle(DialogKind::kChartCopy) == platform::kNoWindow) {
        DriveDialog(driver, DialogKind::kChartCopy, {kRunCommand, kCloseCommand});
      }
      return;
    case 5:
      CloseOpen(driver, DialogKind::kDrill);
      if (driver.session().to_chart) {
        DriveDialog(driver, DialogKind::kDrill, {kDrillToChart, kCloseCommand});
      } else {
        DriveDialog(driver, DialogKind::kDrill, {kDrillAccounts, kDrillToClipboard, kCloseCommand});
      }
      return;
    case 9:
      driver.platform().ui.Post(driver.command_window().window(), {R7_MESSAGE_OPEN_HELP, 0, 0});
      return;
    case 13:
      if (driver.command_window().dialogs().Handle(DialogKind::kBudget) == platform::kNoWindow) {
        DriveDialog(driver, DialogKind::kBudget, {kRunCommand, kCloseCommand});
      }
      return;
    case 19:
      CloseOpen(driver, DialogKind::kLists);
      DriveDialog(driver, DialogKind::kLists, {kRunCommand, kCloseCommand});
      return;
    case 20:
      SilentPreload(driver);
      return;
    case 21:
      driver.Reset();
      return;
    case 22:
      CloseOpen(driver, DialogKind::kEnquiry);
      DriveDialog(driver, DialogKind::kEnquiry, {kRunCommand, kCloseCommand});
      return;
    default:  // 8, 14, 15: nothing
      return;
  }
}

}  // namespace

int MenuIdOfCode(int code) {
  for (const CodeRow& row : kMenuIds) {
    if (row.code == code) return row.menu_id;
  }
  return 0;
}

void RunMenuCommand(Driver& driver, int code, std::string_view argument) {
  Settings& settings = driver.settings();
  settings.no_show = 0;
  CommandWindow& window = driver.command_window();
  window.ServerWindow();
  window.Create();
  if (!argument.empty()) {
    ApplyCommandPairs(argument, {settings, driver.session()});
  }
  if (code != 8) driver.EnsureCompanyDirList();
  platform::UserInterface& ui = driver.platform().ui;
  if (settings.no_show != 0) {
    ui.Show(window.window(), platform::ShowMode::kHide);
    RunSilent(driver, code);
  } else {
    ui.Show(window.window(), platform::ShowMode::kNormal);
    ui.SetFocus(window.window());
    if (int menu_id = MenuIdOfCode(code); menu_id != 0) {
      ui.Post(window.window(), CommandMessage(menu_id));
    }
  }
  settings.no_show = 0;
}

}  // namespace r7
