// The passes of a period item. (platform-independent)
#include "ledger/pass_plan.h"

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/company_periods.h"

namespace r7 {

PassPlan PassesFor(int code, bool budget, bool prior_year) {
  const int this_year_file = prior_year ? kIterateComparatives : kIterateBalances;
  PassPlan plan;
  auto add = [&plan](Pass pass) { plan.passes[plan.count++] = pass; };
  switch (code) {
    case kWindowLastYear:
      add({kIteratePriorComparatives, kLoadLastYear, false});
      break;
    case kWindowBothYears:
      if (budget) {
        add({kIterateBudgets, kLoadBudget, true});
        break;
      }
      add({this_year_file, kLoadThisYear, true});
      add({kIteratePriorComparatives, kLoadLastYear, false});
      break;
    case kLoadThisYear:
      add({this_year_file, kLoadThisYear, false});
      break;
    case kLoadBudget:
      add({kIterateBudgets, kLoadBudget, false});
      break;
    default:
      break;
  }
  return plan;
}

ItemPlan PlanItem(const PeriodSpec& spec, const CompanyContext& company, int request_year,
                  ErrorReporter& errors) {
  ItemPlan item;
  int code = WindowForCompany(spec, company, &item.window, errors);
  if (!IsWindowCode(code)) {
    item.status = code;
    return item;
  }
  const bool budget = item.window.budget != 0;
  const int fiscal_year = LeadingInt(company.fiscal_year);
  if (fiscal_year < request_year && !budget) {
    item.status = kFuturePeriod;
    return item;
  }
  if (code == kWindowThisYear) code = budget ? kLoadBudget : kLoadThisYear;
  item.passes = PassesFor(code, budget, fiscal_year > request_year);
  if (item.passes.count == 0) item.status = code;
  return item;
}

}  // namespace r7
