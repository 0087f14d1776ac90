// A period item seen through one company's calendar: its named month mapped to the
// company's fiscal period, and its window. (platform-independent)
#pragma once

#include "base/error_reporter.h"
#include "ledger/company_catalogue.h"
#include "specifiers/period_spec.h"
#include "specifiers/period_window.h"

namespace r7 {

// ResolveNamedMonth over the company's periods.
PeriodSpec ResolveForCompany(const PeriodSpec& spec, const CompanyContext& company);

// ResolveNamedMonth, then ComputePeriodWindow with the company's current period and number
// of periods. Returns 100, 101 or 102, or the window's error: 18 and 21 as they are, and
// an internal error raised as 13 with its explanation.
int WindowForCompany(const PeriodSpec& spec, const CompanyContext& company, PeriodWindow* window,
                     ErrorReporter& errors);

inline bool IsWindowCode(int code) {
  return code == kWindowThisYear || code == kWindowLastYear || code == kWindowBothYears;
}

}  // namespace r7
