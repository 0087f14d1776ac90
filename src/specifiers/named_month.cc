// Named months to fiscal periods. (platform-independent)
#include "specifiers/named_month.h"

#include <cstddef>
#include <cstdint>

namespace r7 {

PeriodSpec ResolveNamedMonth(const PeriodSpec& spec,
                             std::span<const PeriodEndDate> period_end_dates) {
  PeriodSpec resolved = spec;
  if ((spec.flags & kNamedMonth) == 0) return resolved;
  for (std::size_t i = 0; i < period_end_dates.size(); ++i) {
    if (period_end_dates[i].month == spec.number) {
      resolved.number = static_cast<std::uint8_t>(i + 1);
      break;
    }
  }
  return resolved;
}

}  // namespace r7
