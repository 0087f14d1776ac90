// The period window: a PeriodSpec turned, for one company, into a range of fiscal-period
// slots and the years they lie in. (platform-independent)
//
// Slots 0 to 12 are fiscal periods 1 to 13 of a year; the window never leaves them. The
// window also tells the balance engine which year's figures to load: 100 this year only,
// 101 last year only, 102 both. The engine maps 100 to load code 104 for budget figures
// and 103 for actual ones.
#pragma once

#include <cstdint>
#include <string_view>

#include "specifiers/period_spec.h"

namespace r7 {

// What the window needs to know of a company's calendar.
struct CompanyPeriods {
  int current_period = 1;  // 1-based
  int period_count = 12;   // periods per fiscal year, 12 or 13
};

inline constexpr int kWindowThisYear = 100;
inline constexpr int kWindowLastYear = 101;
inline constexpr int kWindowBothYears = 102;

inline constexpr int kActualFigures = 0;
inline constexpr int kBudgetFigures = 1;
inline constexpr int kThisYear = 0;
inline constexpr int kLastYear = 1;
inline constexpr int kLastPeriodSlot = 12;  // the 13th period
inline constexpr int kOpeningSlot = 13;     // the year's opening balance

struct PeriodWindow {
  int figures = kActualFigures;
  int start_year = kThisYear;  // the year of the first slot
  int end_year = kThisYear;    // differs from start_year only for running windows
  // First slot of the window; for running windows the slot just before the window.
  int start_slot = 0;
  // The window covers start_slot to start_slot + span (not used by running windows).
  int span = 0;
  // The current period's slot; for running windows the window's last slot (in end_year).
  int reference_slot = 0;
  int last_slot = 11;  // the company's number of periods - 1

  // The flag groups of the parsed period phrase.
  std::uint32_t scale = 0;
  std::uint32_t change = 0;
  std::uint32_t position = 0;
  std::uint32_t years_back = 0;
  std::uint32_t opening = 0;
  std::uint32_t budget = 0;  // kBudget or 0: what the engine reads as the budget bit
  std::uint32_t to_date = 0;
  std::uint32_t running = 0;
};

// Fills `window` for `spec` (after ResolveNamedMonth) and returns 100, 101 or 102; or 18
// "No data for period requested" for a window outside the figures that exist; or 21 for
// opening with change; or 13 with `*detail` ("Internal Period Error", "Internal Scale
// Error") for flag values the parser never produces. `window->budget` is set whatever the
// result. `detail` may be null.
int ComputePeriodWindow(const PeriodSpec& spec, const CompanyPeriods& company, PeriodWindow* window,
                        std::string_view* detail = nullptr);

}  // namespace r7
