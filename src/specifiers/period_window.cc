// Computing the period window of a PeriodSpec for one company. (platform-independent)
#include "specifiers/period_window.h"

#include "base/error_codes.h"

namespace r7 {
namespace {

constexpr std::string_view kInternalPeriodError = "Internal Period Error";
constexpr std::string_view kInternalScaleError = "Internal Scale Error";

int InternalError(std::string_view text, std::string_view* detail) {
  if (detail != nullptr) *detail = text;
  return kSpecialError;
}

// Length of one unit in periods; 0 for a scale the parser never produces.
int UnitLength(std::uint32_t scale, int period_count) {
  switch (scale) {
    case kScalePeriods:
    case kScaleMonths:
      return 1;
    case kScaleQuarters:
      return 3;
    case kScaleHalfYears:
      return 6;
    case kScaleYears:
      return period_count;
    default:
      return 0;
  }
}

int RunningUnitLength(std::uint32_t running, int period_count) {
  switch (running) {
    case kRunningMonths:
      return 1;
    case kRunningQuarter:
      return 3;
    case kRunningHalfYear:
      return 6;
    case kRunningYear:
      return period_count;
    default:
      return 0;
  }
}

enum class RunningFrom {
  kUnit,       // the running unit ends where the selected unit ends
  kReference,  // it ends `number` running units before the current period
};

// Turns the window into one running unit: start_slot becomes the slot before the window,
// reference_slot its last slot (in end_year).
int RunningWindow(PeriodWindow& w, int n, RunningFrom from, std::string_view* detail) {
  const int last = w.last_slot;
  if (from == RunningFrom::kUnit) w.reference_slot = w.start_slot + w.span;
  const int unit = RunningUnitLength(w.running, last + 1);
  if (unit == 0) return InternalError(kInternalPeriodError, detail);
  const int width = from == RunningFrom::kReference ? unit * (n + 1) : unit;
  const int reference = w.reference_slot;

  // The 13th period belongs to the last quarter or half-year.
  int s = reference - width;
  if (reference == kLastPeriodSlot && unit >= 2 && unit < last) --s;

  bool wrapped = false;
  if (s < 0) {
    // Last year's budget is never loaded, so a budget window cannot reach into it.
    if (w.figures == kBudgetFigures) return kNoDataForPeriod;
    s = last + s + 1;
    if (s < 0 || s > last) return kNoDataForPeriod;
    ++w.start_year;
    ++w.end_year;
    if (w.start_year >= 2) return kNoDataForPeriod;
    wrapped = true;
  }
  int e = s + unit;
  if (e == 11 && reference == kLastPeriodSlot && unit >= 2) ++e;
  // Only a window that started a year earlier can run on into the next year; without that
  // an end past the last period is the 13th-period slot of a 12-period year.
  if (e > last && wrapped) {
    e = e - last - 1;
    --w.end_year;
  }
  w.start_slot = s;
  w.reference_slot = e;
  return kOk;
}

int YearsCode(const PeriodWindow& w) {
  if (w.start_year == kLastYear && w.end_year == kLastYear) return kWindowLastYear;
  if (w.start_year == kThisYear && w.end_year == kThisYear) return kWindowThisYear;
  return kWindowBothYears;
}

}  // namespace

int ComputePeriodWindow(const PeriodSpec& spec, const CompanyPeriods& company, PeriodWindow* window,
                        std::string_view* detail) {
  PeriodWindow& w = *window;
  w = PeriodWindow{};
  const std::uint32_t flags = spec.flags;
  w.scale = flags & kScaleMask;
  w.change = flags & kChange;
  w.position = flags & kPositionMask;
  w.years_back = flags & kYearsBackMask;
  w.opening = flags & kOpening;
  w.budget = flags & kBudget;
  w.to_date = flags & kToDate;
  w.running = flags & kRunningMask;
  w.figures = w.budget != 0 ? kBudgetFigures : kActualFigures;

  const int c = company.current_period - 1;
  const int last = company.period_count - 1;
  w.reference_slot = c;
  w.last_slot = last;
  // A damaged calendar (no periods, more than the 13 a year holds, a current period
  // below 1) has no window, just as a current period past the year has none.
  if (last < 0 || last > kLastPeriodSlot || c < 0 || c > last) return kNoDataForPeriod;
  if (w.opening != 0 && w.change != 0) return kStartingAndTransactions;

  switch (w.years_back) {
    case 0:
      break;
    case kOneYearBack:
      if (w.figures == kBudgetFigures) return kNoDataForPeriod;
      w.start_year = kLastYear;
      break;
    default:
      return kNoDataForPeriod;
  }
  w.end_year = w.start_year;

  const int u = UnitLength(w.scale, company.period_count);
  if (u == 0) return InternalError(kInternalPeriodError, detail);
  const int n = spec.number;

  int k = 0;
  switch (w.position) {
    case kPositionBack: {
      int s = c - n * u;
      if (c == kLastPeriodSlot && u >= 2 && u < last) --s;
      if (s < 0) {
        ++w.start_year;
        if (w.start_year >= 2 || w.figures == kBudgetFigures) return kNoDataForPeriod;
        s = s + last + 1;
        if (s < 0) return kNoDataForPeriod;
      }
      s = (s / u) * u;
      int span = u - 1;
      // Counting back into a 13-period year can land on the 13th period as the start of a
      // unit that would run past the year; it is the last full unit, as counting back from
      // the neighbouring periods finds.
      if (s + span > kLastPeriodSlot) s -= u;
      if (w.to_date != 0) {
        span += s;
        s = 0;
      }
      w.start_slot = s;
      w.span = span;
      if (w.running != 0) {
        if (int r = RunningWindow(w, n, RunningFrom::kUnit, detail); r != kOk) return r;
      }
      return YearsCode(w);
    }
    case kPositionAbsolute:
      k = n;
      break;
    case kPositionCurrent:
      if (w.running != 0) {
        if (int r = RunningWindow(w, n, RunningFrom::kReference, detail); r != kOk) return r;
        return YearsCode(w);
      }
      k = c / u + 1;
      if (c == kLastPeriodSlot && u != 1 && u < last) k = c / u;  // the 13th period
      break;
    default:
      return InternalError(kInternalScaleError, detail);
  }

  int s = (k - 1) * u;
  // Single periods of this year may name the 13th-period slot even in a 12-period year,
  // which holds the year-end adjustments there; nothing lies beyond it.
  const int bound = (u == 1 && w.start_year == kThisYear) ? kLastPeriodSlot : last;
  if (s < 0 || s > bound) return kNoDataForPeriod;
  int span = u - 1;
  if (s + u == 12 && u >= 2) span = u;  // a unit ending at slot 11 takes the 13th period
  // A quarter or half-year starting at the 13th period of a 13-period year lies beyond
  // the year: the 13th period already belongs to the last unit.
  if (s + span > kLastPeriodSlot) return kNoDataForPeriod;
  if (w.to_date != 0) {
    span += s;
    s = 0;
  }
  if (w.position == kPositionCurrent && s + span > c) span = c - s;
  w.start_slot = s;
  w.span = span;
  if (w.running != 0) {
    if (int r = RunningWindow(w, n, RunningFrom::kUnit, detail); r != kOk) return r;
  }
  return YearsCode(w);
}

}  // namespace r7
