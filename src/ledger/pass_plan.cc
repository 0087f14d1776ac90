// The passes of a period item. (platform-independent)
#include "ledger/pass_plan.h"

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

}  // namespace r7
