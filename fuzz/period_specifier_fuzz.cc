// The period specifier: every list the parser takes, resolved against a 12- and a
// 13-period calendar in each of their current periods, gives a window inside the year's
// slots or one of the window's defined refusals.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "specifiers/named_month.h"
#include "specifiers/period_parser.h"
#include "specifiers/period_window.h"

namespace {

// Calendar months ending each period: a calendar-month year, and thirteen four-week
// periods (two of them ending in the same month).
std::vector<r7::PeriodEndDate> TwelvePeriods() {
  constexpr int kMonthEnds[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::vector<r7::PeriodEndDate> ends;
  for (int month = 1; month <= 12; ++month) ends.push_back({kMonthEnds[month - 1], month, 2002});
  return ends;
}

std::vector<r7::PeriodEndDate> ThirteenPeriods() {
  constexpr int kMonthEnds[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::vector<r7::PeriodEndDate> ends;
  int day = 0, month = 1;
  for (int period = 1; period <= 13; ++period) {
    day += 28;
    while (day > kMonthEnds[month - 1]) day -= kMonthEnds[month - 1], ++month;
    ends.push_back({day, month, 2002});
  }
  return ends;
}

void CheckWindow(const r7::PeriodSpec& parsed, std::span<const r7::PeriodEndDate> calendar) {
  const r7::PeriodSpec spec = r7::ResolveNamedMonth(parsed, calendar);
  const int period_count = static_cast<int>(calendar.size());
  for (int current = 1; current <= period_count; ++current) {
    r7::PeriodWindow window;
    std::string_view detail;
    const int code = r7::ComputePeriodWindow(spec, {current, period_count}, &window, &detail);
    if (code == 18 || code == 21 || code == 13) continue;
    FUZZ_CHECK(code == r7::kWindowThisYear || code == r7::kWindowLastYear ||
               code == r7::kWindowBothYears);
    FUZZ_CHECK(window.last_slot == period_count - 1);
    FUZZ_CHECK(window.reference_slot >= 0 && window.reference_slot <= r7::kLastPeriodSlot);
    if (window.running != 0) {
      FUZZ_CHECK(window.start_slot >= -1 && window.start_slot <= r7::kLastPeriodSlot);
    } else {
      FUZZ_CHECK(window.span >= 0);
      FUZZ_CHECK(window.start_slot >= 0 && window.start_slot + window.span <= r7::kOpeningSlot);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::vector<r7::PeriodEndDate> twelve = TwelvePeriods();
  static const std::vector<r7::PeriodEndDate> thirteen = ThirteenPeriods();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view text = bytes.c_str();

  r7::PeriodList list;
  std::size_t count = 0;
  const r7::PeriodParseResult parsed = r7::ParsePeriodSpecifier(text, &list, &count);
  if (!parsed.ok()) {
    FUZZ_CHECK(count == 0);
    return 0;
  }
  FUZZ_CHECK(count <= r7::kMaxPeriodPhrases);
  for (std::size_t i = 0; i < count; ++i) {
    const r7::PeriodSpec& spec = list[i];
    FUZZ_CHECK(!spec.IsEnd());
    // The phrase lies inside the text it was read from.
    FUZZ_CHECK(spec.text.data() >= text.data() &&
               spec.text.data() + spec.text.size() <= text.data() + text.size());
    CheckWindow(spec, twelve);
    CheckWindow(spec, thirteen);
  }
  FUZZ_CHECK(list[count].IsEnd());
  return 0;
}
