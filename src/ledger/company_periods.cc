// A period item seen through one company's calendar. (platform-independent)
#include "ledger/company_periods.h"

#include <algorithm>
#include <array>

#include "base/error_codes.h"
#include "specifiers/named_month.h"

namespace r7 {

PeriodSpec ResolveForCompany(const PeriodSpec& spec, const CompanyContext& company) {
  std::array<PeriodEndDate, 13> ends{};
  const std::size_t count = static_cast<std::size_t>(std::clamp(company.period_count, 0, 13));
  for (std::size_t i = 0; i < count; ++i) {
    ends[i] = {company.period_ends[i].day, company.period_ends[i].month,
               company.period_ends[i].year};
  }
  return ResolveNamedMonth(spec, std::span<const PeriodEndDate>(ends.data(), count));
}

int WindowForCompany(const PeriodSpec& spec, const CompanyContext& company, PeriodWindow* window,
                     ErrorReporter& errors) {
  const PeriodSpec resolved = ResolveForCompany(spec, company);
  std::string_view detail;
  const int code = ComputePeriodWindow(
      resolved, CompanyPeriods{company.current_period, company.period_count}, window, &detail);
  if (code == kSpecialError) errors.SetError(kSpecialError, detail);
  return code;
}

}  // namespace r7
