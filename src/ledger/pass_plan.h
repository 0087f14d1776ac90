// The passes of a period item: which ledger files the balance engine walks for a window,
// and which figures each walk loads into the amount table. (platform-independent)
//
// The preload cache answers exactly what the engine's file path answers by replaying the
// same passes over its loaded figures, so both read this one plan.
#pragma once

#include <array>
#include <cstddef>

#include "base/error_reporter.h"
#include "ledger/account_iteration.h"
#include "ledger/company_catalogue.h"
#include "specifiers/amount_table.h"
#include "specifiers/period_window.h"

namespace r7 {

// One pass of a period item: the file it walks and the figures it loads.
struct Pass {
  int file_number;  // IterationFile
  int load_code;    // kLoadThisYear, kLoadLastYear or kLoadBudget
  bool must_match;  // a first call that delivers nothing ends the item
};

struct PassPlan {
  std::array<Pass, 2> passes{};
  std::size_t count = 0;  // 0: the code is not a window

  const Pass* begin() const { return passes.data(); }
  const Pass* end() const { return passes.data() + count; }
};

// The passes of a window code (kWindowThisYear already mapped to kLoadThisYear or
// kLoadBudget). `prior_year`: the request's year is earlier than the company's fiscal
// year, so that year's comparative balances stand in for this year's balances. A budget
// item whose window touches both years reads this year's budgets: the balance records hold
// no budget figures.
PassPlan PassesFor(int code, bool budget, bool prior_year);

// A period item seen through a company for a request's year: its window and its passes, or
// the code that answers the item instead of any amount: the window's 18, 21 or 13, and 32
// for actual figures of a year after the company's fiscal year (the ledger holds none).
struct ItemPlan {
  int status = 0;
  PeriodWindow window;
  PassPlan passes;
};
ItemPlan PlanItem(const PeriodSpec& spec, const CompanyContext& company, int request_year,
                  ErrorReporter& errors);

}  // namespace r7
