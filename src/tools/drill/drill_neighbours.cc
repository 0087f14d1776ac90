// The dialogs that the Drill dialog opens. (platform-independent)
#include "tools/drill/drill_neighbours.h"

#include "base/error_codes.h"
#include "common/text_util.h"
#include "specifiers/period_parser.h"
#include "tools/drill/transaction_fields_dialog.h"
#include "tools/period_choice.h"

namespace r7::drill {
namespace {

using platform::WindowId;

void ShowNotBuilt(const ToolContext& context, WindowId owner) {
  context.messages.MessageBoxById(owner, kNotSupported, kCaption,
                                  platform::box::kOk | platform::box::kIconExclamation);
}

// The open dialog of `kind`, or kNoWindow.
WindowId OpenOne(const ToolContext& context, DialogKind kind) {
  const WindowId open = context.dialogs.Handle(kind);
  return open != platform::kNoWindow && context.ui.IsWindow(open) ? open : platform::kNoWindow;
}

// Creates the dialog of `kind` owned by the command window and shows it.
void Create(const ToolContext& context, WindowId owner, DialogKind kind) {
  if (!context.dialogs.HasFactory(kind)) {
    ShowNotBuilt(context, owner);
    return;
  }
  const WindowId created = context.dialogs.Create(kind, context.command_window());
  if (created != platform::kNoWindow) context.ui.Show(created, platform::ShowMode::kNormal);
}

}  // namespace

void DeriveDates(SessionState& session, const CompanyContext& company, const PeriodList& periods) {
  period_choice::Seed(session.period_choice, periods[0]);
  if (session.explicit_dates) return;
  session.current_dates = period_choice::DatesOf(
      period_choice::SpanOf(session.period_choice, company.current_period, company.period_count),
      company);
}

void OpenChartCopy(const ToolContext& context, WindowId drill, const DrillParameters& boxes) {
  if (const WindowId open = OpenOne(context, DialogKind::kChartCopy)) {
    context.ui.Send(open, platform::CommandMessage(kCloseAndCleanUp));
  }
  Settings& settings = context.settings;
  settings.chart_year = LeadingInt(boxes.year);
  settings.chart_budget = boxes.revision;
  settings.chart_period = boxes.period;
  settings.chart_company = boxes.company;
  settings.chart_account = boxes.accounts;
  Create(context, drill, DialogKind::kChartCopy);
}

void OpenAccountEnquiry(const ToolContext& context, WindowId drill, std::string_view accounts) {
  if (const WindowId open = OpenOne(context, DialogKind::kEnquiry)) {
    context.ui.Send(open, platform::CommandMessage(kCloseAndCleanUp));
    if (context.ui.IsWindow(open)) return;  // it would not close
  }
  context.session.drill.account = CutTo(accounts, kMaxAccountSpecifier);
  Create(context, drill, DialogKind::kEnquiry);
}

void OpenPeriodWizard(const ToolContext& context, WindowId drill, const DrillParameters& boxes) {
  if (const WindowId open = OpenOne(context, DialogKind::kPeriodWizard)) {
    context.ui.Show(open, platform::ShowMode::kNormal);
    return;
  }
  PeriodList periods;
  if (ParsePeriodSpecifier(boxes.period, &periods).ok()) {
    CompanyContext* company = context.ledger(drill).companies.FindCompany(boxes.company);
    if (company != nullptr && company->status == 0) {
      DeriveDates(context.session, *company, periods);
    } else {
      period_choice::Seed(context.session.period_choice, periods[0]);
    }
  }
  context.errors.Clear();
  if (context.dialogs.CreateFromTemplate("PERIODW", context.command_window()) ==
      platform::kNoWindow) {
    ShowNotBuilt(context, drill);
  }
}

void OpenOptions(const ToolContext& context) {
  if (const WindowId open = OpenOne(context, DialogKind::kTransactionFields)) {
    context.ui.Show(open, platform::ShowMode::kNormal);
    return;
  }
  OpenTransactionFields(context, context.command_window());
}

}  // namespace r7::drill
