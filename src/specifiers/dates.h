// Calendar dates of transaction totals and drills: the typed date texts, spreadsheet
// serial day numbers, and the two ways a date is written back. (platform-independent)
//
// A date text is a day of one or two digits, a three-letter month name and a year
// ('5Feb2001', '31dec99'); a text of digits alone is a serial day number of the
// spreadsheet's 1900 date system, in which every year divisible by four counts as a leap
// year, 1900 included.
#pragma once

#include <string>
#include <string_view>

namespace r7 {

struct CalendarDay {
  int day = 0;
  int month = 0;
  int year = 0;
  friend bool operator==(const CalendarDay&, const CalendarDay&) = default;
};

// The From/To dates that bound a request when ExplicitDates is set. All zero at load.
struct DateRange {
  CalendarDay from;
  CalendarDay to;
  friend bool operator==(const DateRange&, const DateRange&) = default;
};

// Reads both texts into `range`: 0, or 350 to 354 with `range` unchanged.
int ParseDateRange(std::string_view from_text, std::string_view to_text, DateRange& range);

// The date of a serial day number; 0 gives the empty date (all zero).
CalendarDay SerialToDate(long long serial);

// '01Jan2000': the day with a leading zero, the month name ("Dec" for a month outside
// 1 to 12), the year in full. The form for dates converted from serial numbers.
std::string SerialDateText(const CalendarDay& date);

// '05Feb2001': as above but "???" for a month outside 1 to 12. The form for calendar dates.
std::string CalendarDateText(const CalendarDay& date);

// The four-digit text of a year as the ledger records hold it: "2001", "0099"; a negative
// year gives "0000", a year past 9999 its last four digits.
std::string FourDigitYear(long long year);

// YYYYMMDD as one number, for comparing dates.
inline long long DateOrdinal(const CalendarDay& d) {
  return d.year * 10000LL + d.month * 100LL + d.day;
}

}  // namespace r7
