// The period wizard's choices turned into text and into dates. (platform-independent)
#include "tools/period_choice.h"

#include <algorithm>

namespace r7::period_choice {

void Seed(PeriodChoice& choice, const PeriodSpec& spec) {
  const std::uint32_t f = spec.flags;
  choice.balance_type = (f & kBudget) ? 0 : 1;
  choice.year = (f & kYearsBackMask) == kOneYearBack ? 0 : 1;
  choice.values = (f & kChange) ? kValueChange : (f & kOpening) ? kValueOpening : kValueEnding;
  switch (f & kScaleMask) {
    case kScaleQuarters:
      choice.duration = kDurationQuarter;
      break;
    case kScaleHalfYears:
      choice.duration = kDurationHalfYear;
      break;
    case kScaleYears:
      choice.duration = kDurationYear;
      break;
    default:
      choice.duration = kDurationMonth;
      break;
  }
  if (f & kToDate) choice.duration = kDurationYear;
  const std::uint32_t running = f & kRunningMask;
  choice.running = running != 0;
  if (running == kRunningQuarter) choice.duration = kDurationQuarter;
  if (running == kRunningHalfYear) choice.duration = kDurationHalfYear;
  if (running == kRunningYear) choice.duration = kDurationYear;
  choice.ago = false;
  switch (f & kPositionMask) {
    case kPositionCurrent:
      choice.choice = kThisPeriod;
      break;
    case kPositionBack:
      if (choice.duration == kDurationMonth && choice.year == 1 && !choice.running &&
          spec.number != 1) {
        choice.ago = true;
        choice.choice = spec.number;
      } else {
        choice.choice = kLastPeriod;
      }
      break;
    default:
      choice.choice = spec.number;
      break;
  }
}

std::optional<std::string> Compose(PeriodChoice& c) {
  const bool all = c.choice == kAllPeriods;
  const int count = all ? 12 : 1;
  int period = all ? 1 : c.choice;
  if (c.year == 0 && c.duration == kDurationMonth && c.choice == 1 && c.values != kValueEnding) {
    return std::nullopt;
  }
  std::string text;
  for (int entry = 0; entry < count && text.size() < kTextBound; ++entry) {
    if (entry >= 2 && !c.running) {
      if (c.duration == kDurationQuarter && entry >= 4) break;
      if (c.duration == kDurationHalfYear) break;
    }
    if (entry >= 1) {
      text += ",";
      ++period;
    }
    if (c.year == 0) text += " Last Year";
    if (c.values == kValueOpening) text += " Open";
    if (c.values == kValueChange) text += " Change";
    if (c.running && c.duration != kDurationMonth) text += " Running";
    if (!c.running && c.duration == kDurationMonth) {
      if (c.choice == kThisPeriod) text += " This";
      if (c.choice == kLastPeriod) text += " Last";
    }
    switch (c.duration) {
      case kDurationMonth:
        if ((c.balance_type == 1 && !all) || c.choice == kThisPeriod || c.choice == kLastPeriod) {
          text += " Month";
        }
        break;
      case kDurationQuarter:
        text += " Quarter";
        // A numbered period past the last quarter falls back to the first; This and Last
        // Period are not numbers.
        if (!c.running && period > 4 && period <= 13) c.choice = period = 1;
        break;
      case kDurationHalfYear:
        text += " Halfyear";
        if (!c.running && period > 2 && period <= 13) c.choice = period = 1;
        break;
      default:
        if ((c.choice == kThisPeriod || c.choice == kLastPeriod) && !c.running) text += " Month";
        text += " Year To Date";
        break;
    }
    if (period >= 1 && period <= 13) text += " " + std::to_string(period);
    if (c.running && c.duration != kDurationMonth) {
      if (c.choice == kThisPeriod) text += " This Month";
      if (c.choice == kLastPeriod) text += " Last Month";
    }
    if (c.balance_type == 0) text += " Budget";
  }
  if (c.ago && c.year == 1 && c.duration == kDurationMonth && !c.running && c.choice >= 1 &&
      c.choice <= 13) {
    text = " " + std::to_string(c.choice) + " Month" + (c.choice > 1 ? "s" : "") + " Ago" +
           (c.balance_type == 0 ? " Budget" : "");
  } else {
    c.ago = false;
  }
  // Tidy: no blank at the start, none after a separator.
  std::string tidy;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' && (i == 0 || text[i - 1] == ',')) continue;
    tidy += text[i];
  }
  return tidy;
}

namespace {

// The first period of the quarter, or the half year, that holds `period`.
int QuarterStart(int period) {
  return period <= 3 ? 1 : period <= 6 ? 4 : period <= 9 ? 7 : 10;
}
int HalfYearStart(int period) {
  return period < 7 ? 1 : 7;
}

}  // namespace

PeriodSpan SpanOf(const PeriodChoice& c, int current_period, int period_count) {
  PeriodSpan span;
  span.from_years_back = span.to_years_back = c.year == 0 ? 1 : 0;
  int q = 0;
  switch (c.choice) {
    case kThisPeriod:
      q = current_period;
      break;
    case kLastPeriod:
      q = current_period - 1;
      break;
    case kAllPeriods:
      span.from = 1;
      span.to = period_count;
      q = period_count;
      break;
    default:
      q = c.choice;
      break;
  }
  if (c.ago) {
    q = current_period - q;
    if (q < 1) {
      q += 12;
      ++span.from_years_back;
      ++span.to_years_back;
    }
  }
  if (c.running) {
    const int back = c.duration == kDurationQuarter    ? 2
                     : c.duration == kDurationHalfYear ? 5
                     : c.duration == kDurationYear     ? 11
                                                       : 0;
    span.to = q;
    span.from = q - back;
    if (span.from < 1) {
      span.from += 12;
      ++span.from_years_back;
    }
  } else {
    const bool relative = c.choice == kThisPeriod || c.choice == kLastPeriod;
    switch (c.duration) {
      case kDurationMonth:
        if (c.choice != kAllPeriods) span.from = span.to = q;
        break;
      case kDurationQuarter:
        if (c.choice >= 1 && c.choice <= 4) span.from = 3 * (c.choice - 1) + 1;
        if (relative) span.from = QuarterStart(q);
        span.to = span.from + 2;
        break;
      case kDurationHalfYear:
        if (c.choice == 1) span.from = 1;
        if (c.choice == 2) span.from = 7;
        if (relative) span.from = HalfYearStart(q);
        span.to = span.from + 5;
        break;
      default:
        span.from = 1;
        span.to = q;
        break;
    }
  }
  span.to = std::min(span.to, period_count);
  if (span.from > span.to && !c.running) span.from = span.to;
  return span;
}

DateRange DatesOf(const PeriodSpan& span, const CompanyContext& company) {
  const int last = std::clamp(company.period_count, 1, 13);
  auto index = [last](int period) {
    return static_cast<std::size_t>(std::clamp(period, 1, last) - 1);
  };
  DateRange range{company.period_starts[index(span.from)], company.period_ends[index(span.to)]};
  range.from.year -= span.from_years_back;
  range.to.year -= span.to_years_back;
  return range;
}

}  // namespace r7::period_choice
