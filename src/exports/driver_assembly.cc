// The one place that builds the driver whole. (platform-independent)
#include "exports/driver_assembly.h"

#include <memory>

#include "host/menu_commands.h"
#include "host/worksheet_functions.h"
#include "tools/about/about_dialog.h"
#include "tools/account_enquiry/account_enquiry_dialog.h"
#include "tools/budget/budget_dialog.h"
#include "tools/chart_copy/chart_copy_dialog.h"
#include "tools/data_preload/data_preload_dialog.h"
#include "tools/drill/drill_dialog.h"
#include "tools/entities/entities_dialog.h"
#include "tools/entities/entities_setup_dialog.h"
#include "tools/lists/lists_dialog.h"
#include "tools/period_wizard/period_wizard.h"
#include "tools/report_layout/report_dialog.h"
#include "tools/setup/setup_dialog.h"

namespace r7 {
namespace {

void RegisterWorksheetFunctions(Driver& driver) {
  struct Row {
    int code;
    int (*function)(Driver&, std::string_view, std::string&);
  };
  static constexpr Row kFunctions[] = {
      {100, [](Driver& d, std::string_view a,
               std::string& r) { return BalanceFunction(d, a, r, false); }},
      {102, [](Driver& d, std::string_view a,
               std::string& r) { return BalanceFunction(d, a, r, true); }},
      {103, AccountDescriptionFunction},
      {104, TransactionTotalFunction},
      {114, SegmentDescriptionFunction},
      {115, CompanyInformationFunction},
      {116, AccountInformationFunction},
      {126, BudgetWriteFunction},
  };
  for (const Row& row : kFunctions) {
    driver.RegisterWorksheet(row.code, [&driver, function = row.function](std::string_view argument,
                                                                          std::string& result) {
      return function(driver, argument, result);
    });
  }
}

void RegisterTools(Driver& driver) {
  DialogRegistry& dialogs = driver.dialogs();
  // Each factory keeps its own copy of the context; the references in it outlive them.
  const ToolContext context = ToolContextOf(driver);
  dialogs.RegisterFactory(DialogKind::kAbout, [context](platform::WindowId owner) {
    return about::OpenAboutDialog(context, owner);
  });
  dialogs.RegisterFactory(DialogKind::kLists, [context](platform::WindowId owner) {
    return lists::OpenListsDialog(context, owner);
  });
  dialogs.RegisterFactory(DialogKind::kBudget, [context](platform::WindowId owner) {
    return budget::OpenBudgetDialog(context, owner);
  });
  dialogs.RegisterFactory(DialogKind::kReport, [context](platform::WindowId owner) {
    return report_layout::OpenReportDialog(context, owner);
  });
  // The start-up preload runs the data preload dialog in automatic mode.
  auto automatic = std::make_shared<data_preload::AutomaticMode>();
  dialogs.RegisterFactory(DialogKind::kPreload, [context, automatic](platform::WindowId owner) {
    return data_preload::OpenDataPreloadDialog(context, automatic, owner);
  });
  driver.SetAutomaticPreloader([context, automatic](const std::string& company) {
    data_preload::PreloadAtStartUp(context, automatic, company);
  });
  dialogs.RegisterFactory(DialogKind::kDrill, [context](platform::WindowId owner) {
    return drill::OpenDrillDialog(context, owner);
  });
  // One period wizard for the life of the driver; the menu opens it through its launcher,
  // the tools by its template.
  auto wizard = std::make_shared<period_wizard::WizardTexts>();
  dialogs.RegisterFactory(DialogKind::kPeriodWizard, [context, wizard](platform::WindowId owner) {
    return period_wizard::OpenLauncher(context, wizard, owner);
  });
  dialogs.RegisterTemplateFactory("PERIODW", [context, wizard](platform::WindowId owner) {
    return period_wizard::OpenWizard(context, wizard, owner);
  });
  // The chart copy's column choice outlives its windows.
  auto chart = std::make_shared<chart_copy::ChartMemory>();
  dialogs.RegisterFactory(DialogKind::kChartCopy, [context, chart](platform::WindowId owner) {
    return chart_copy::OpenChartCopy(context, chart, owner);
  });
  dialogs.RegisterFactory(DialogKind::kEnquiry, [context](platform::WindowId owner) {
    return account_enquiry::OpenAccountEnquiry(context, owner);
  });
  dialogs.RegisterFactory(DialogKind::kSetup, [context](platform::WindowId owner) {
    return setup::OpenSetupDialog(context, owner);
  });
  dialogs.RegisterFactory(DialogKind::kEntities, [context](platform::WindowId owner) {
    return entities::OpenEntitiesDialog(context, owner);
  });
  dialogs.RegisterFactory(DialogKind::kEntitiesSetup, [context](platform::WindowId owner) {
    return entities::OpenEntitiesSetupDialog(context, owner);
  });
}

}  // namespace

ToolContext ToolContextOf(Driver& driver) {
  platform::Platform& platform = driver.platform();
  return ToolContext{
      .ui = platform.ui,
      .input = platform.input,
      .help = driver.help_opener(),
      .clipboard = platform.clipboard,
      .messages = driver.messages(),
      .errors = driver.errors(),
      .settings = driver.settings(),
      .settings_store = driver.settings_store(),
      .session = driver.session(),
      .display_amounts = driver.display_amounts(),
      .dialogs = driver.dialogs(),
      .lists = driver.list_caches(),
      .segment_collector = driver.segment_collector(),
      .command_window = [&driver] { return driver.command_window().window(); },
      .company_dir_list = [&driver]() -> const std::vector<std::string>& {
        return driver.company_dir_list();
      },
      .ledger = [&driver](platform::WindowId window) { return driver.ledger_services(window); },
      .show_pending_error =
          [&driver](platform::WindowId window) { return driver.ShowPendingError(window); },
      .balance =
          [&driver](const LedgerServices& services) {
            return driver.balance_collaborators(services);
          },
      .programs = platform.programs,
      .set_chart_fill_busy = [&driver](bool busy) { driver.set_chart_fill_busy(busy); },
      .reset_companies = [&driver] { driver.Reset(); },
      .server_directory = [&driver] { return driver.server_directory(); },
      .clock = platform.clock,
  };
}

void AssembleDriver(Driver& driver) {
  RegisterWorksheetFunctions(driver);
  driver.SetMenuCommands(
      [&driver](int code, std::string_view argument) { RunMenuCommand(driver, code, argument); });
  RegisterTools(driver);
}

std::unique_ptr<Driver> MakeDriver(platform::Platform& platform) {
  auto driver = std::make_unique<Driver>(platform);
  AssembleDriver(*driver);
  return driver;
}

}  // namespace r7
