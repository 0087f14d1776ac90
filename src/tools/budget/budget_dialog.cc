// The Budget Write dialog. (platform-independent)
#include "tools/budget/budget_dialog.h"

#include <memory>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "resources/budget_dialog_ids.h"
#include "tools/budget/clipboard_budget_write.h"
#include "tools/ledger_boxes.h"
#include "tools/tool_dialog.h"

namespace r7::budget {
namespace {

using platform::WindowId;

constexpr unsigned long kHelpTopic = 31;
constexpr std::size_t kRevisionWidth = 2;
constexpr std::size_t kYearWidth = 4;

class BudgetDialog : public ToolDialog {
 public:
  explicit BudgetDialog(const ToolContext& context) : ToolDialog(context, DialogKind::kBudget) {}

 private:
  void OnInit(WindowId self) override { Fill(self); }

  bool OnCommand(WindowId self, int id, int notification) override {
    if (notification != platform::notify::kClicked) return false;
    Settings& settings = context_.settings;
    switch (id) {
      case platform::kOkButton:
        Write(self);
        return true;
      case R7_BUDGET_RESET:
        settings.budget_year = settings.current_year;
        settings.budget_revision = settings.revision;
        settings.budget_company = settings.company;
        Fill(self);
        return true;
      case kCountCommand:
        context_.ui.SetControlText(self, R7_BUDGET_COUNTER, std::to_string(command_argument()));
        context_.input.Repaint(self);
        return true;
      default:
        return HelpOrQuit(self, id, kHelpTopic);
    }
  }

  // The years of the "Company" setting's company, the company directories and the budget
  // revisions, each with its budget setting selected.
  void Fill(WindowId self) {
    Settings& settings = context_.settings;
    const LedgerServices services = context_.ledger(platform::kNoWindow);
    const CompanyContext* company = services.companies.FindCompany(settings.company);
    if (company != nullptr && company->status != 0) company = nullptr;
    ledger_boxes::FillYears(context_, self, R7_BUDGET_YEAR, company, settings.budget_year);
    if (settings.budget_company.empty()) settings.budget_company = settings.company;
    ledger_boxes::FillCompanies(context_, self, R7_BUDGET_COMPANY, settings.budget_company);
    ledger_boxes::FillRevisions(context_, self, R7_BUDGET_REVISION, settings.budget_revision);
    context_.ui.SetControlText(self, R7_BUDGET_COUNTER, "0");
  }

  void Write(WindowId self) {
    platform::UserInterface& ui = context_.ui;
    Settings& settings = context_.settings;
    ui.SetControlText(self, R7_BUDGET_COUNTER, "0");
    settings.budget_company = ledger_boxes::CompanyCode(context_, self, R7_BUDGET_COMPANY);
    settings.budget_revision = CutTo(ui.ControlText(self, R7_BUDGET_REVISION), kRevisionWidth);
    settings.budget_year = CutTo(ui.ControlText(self, R7_BUDGET_YEAR), kYearWidth);
    if (!context_.settings_store.SaveAll(settings)) {
      context_.messages.ShowErrorBox(self, kIniNotWritten, "");
    }
    context_.input.ShowWaitCursor();
    WriteClipboardTable(context_, self);
    context_.input.ShowArrowCursor();
  }
};

}  // namespace

WindowId OpenBudgetDialog(const ToolContext& context, WindowId owner) {
  return ToolDialog::Open(std::make_shared<BudgetDialog>(context), "BUDGET", owner);
}

}  // namespace r7::budget
