// The From and To date texts of transaction totals and drills: a range is read whole or not
// at all, and the dates it gives are written back as texts that read as the same dates.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "specifiers/dates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // The two texts are the input's halves at its first tab (or all of it, twice).
  const std::string_view whole = bytes.c_str();
  const std::size_t tab = whole.find('\t');
  const std::string_view from = whole.substr(0, tab);
  const std::string_view to = tab == std::string_view::npos ? whole : whole.substr(tab + 1);

  const r7::DateRange untouched{{1, 2, 3}, {4, 5, 6}};
  r7::DateRange range = untouched;
  const int status = r7::ParseDateRange(from, to, range);
  if (status != 0) {
    FUZZ_CHECK(status >= 350 && status <= 354);
    FUZZ_CHECK(range == untouched);
    return 0;
  }
  FUZZ_CHECK(r7::DateOrdinal(range.from) <= r7::DateOrdinal(range.to));
  for (const r7::CalendarDay& day : {range.from, range.to}) {
    const std::string text = r7::CalendarDateText(day);
    // A year written in full reads back as itself from 1900 to 2999: below that the
    // two-digit windows move it (a typed '-706' is the year 1294, whose text reads as 3194),
    // and typed years end at 2999 where serial numbers reach 9999.
    if (day.month < 1 || day.month > 12 || day.year < 1900 || day.year >= 3000) continue;
    r7::DateRange again;
    FUZZ_CHECK(r7::ParseDateRange(text, text, again) == 0);
    FUZZ_CHECK(again.from == day);
  }
  // Serial day numbers anywhere in the spreadsheet's range give a writable date.
  long long serial = 0;
  for (char c : from.substr(0, 9)) serial = serial * 10 + (static_cast<unsigned char>(c) % 10);
  r7::SerialDateText(r7::SerialToDate(serial));
  r7::FourDigitYear(serial - 500000000);
  return 0;
}
