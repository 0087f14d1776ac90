// Mapping a month given by name ('March') to the company's fiscal period. (platform-independent)
//
// The parser records a named month as a calendar month with the named-month bit; every
// consumer maps it with ResolveNamedMonth before it computes a window, because only the
// company's calendar knows which fiscal period ends in March.
#pragma once

#include <span>

#include "specifiers/period_spec.h"

namespace r7 {

// The end date of one fiscal period, as the company's period file gives it.
struct PeriodEndDate {
  int day = 0;
  int month = 0;
  int year = 0;
};

// A copy of `spec`. When the named-month bit is set, `number` becomes the 1-based index of
// the first period in `period_end_dates` (the company's periods, first to last) whose end
// date falls in that calendar month; when none does, it stays the calendar month. Without
// the bit the copy equals `spec`. The flags are not changed.
PeriodSpec ResolveNamedMonth(const PeriodSpec& spec,
                             std::span<const PeriodEndDate> period_end_dates);

}  // namespace r7
