// The dialogs that the Drill dialog opens. (platform-independent)
#include "tools/drill/drill_neighbours.h"

#include "base/error_codes.h"
#include "common/text_util.h"
#include "specifiers/period_parser.h"
#include "tools/drill/transaction_fields_dialog.h"
#include "tools/period_choice.h"
#include "tools/tool_launch.h"

namespace r7::drill {
namespace {

using platform::WindowId;

// The open dialog of `kind`, or kNoWindow.
WindowId OpenOne(const ToolContext& context, DialogKind kind) {
  const WindowId open = context.dialogs.Handle(kind);
  return open != platform::kNoWindow && context.ui.IsWindow(open) ? open : platform::kNoWindow;
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
  tool_launch::ReopenDialog(context, DialogKind::kChartCopy, drill, [&] {
    Settings& settings = context.settings;
    settings.chart_year = LeadingInt(boxes.year);
    settings.chart_budget = boxes.revision;
    settings.chart_period = boxes.period;
    settings.chart_company = boxes.company;
    settings.chart_account = boxes.accounts;
  });
}

void OpenAccountEnquiry(const ToolContext& context, WindowId drill, std::string_view accounts) {
  tool_launch::ReopenDialog(context, DialogKind::kEnquiry, drill, [&] {
    context.session.drill.account = CutTo(accounts, kMaxAccountSpecifier);
  });
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
    tool_launch::ShowNotBuilt(context, drill);
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
