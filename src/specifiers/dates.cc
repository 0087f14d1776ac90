// Calendar dates of transaction totals and drills. (platform-independent)
#include "specifiers/dates.h"

#include <array>
#include <cstdio>

#include "base/error_codes.h"
#include "common/text_util.h"

namespace r7 {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The largest serial number read, in the year 9999 of this calendar: a longer run of digits
// names no date the ledger can hold, and would overflow the year.
constexpr long long kLastSerial = 2958465;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

int ParseOneDate(std::string_view text, CalendarDay& date) {
  if (AllDigits(text)) {
    long long serial = 0;
    for (char c : text) {
      serial = serial * 10 + (c - '0');
      if (serial > kLastSerial) return kUninterpretableDate;
    }
    date = SerialToDate(serial);
    return kOk;
  }
  std::size_t pos = 0;
  int day = 0;
  while (pos < 2 && pos < text.size() && IsDigit(text[pos])) day = day * 10 + (text[pos++] - '0');
  if (pos == 0) return kInvalidDay;

  std::string_view month_text = text.substr(pos, 3);
  int month = 0;
  for (std::size_t m = 0; m < kMonthNames.size(); ++m) {
    if (month_text.size() == 3 && EqualsIgnoreCase(month_text, kMonthNames[m])) {
      month = static_cast<int>(m) + 1;
      break;
    }
  }
  if (month == 0) return kInvalidMonth;

  int year = LeadingInt(text.substr(pos + 3));
  if (year >= 61 && year <= 1899) {
    year += 1900;
  } else if (year < 60) {
    year += 2000;
  }
  if (year < 1 || year >= 3000) return kInvalidYear;
  if (day == 0 || day > 31) {
    date = CalendarDay{};
    return kUninterpretableDate;
  }
  date = CalendarDay{day, month, year};
  return kOk;
}

std::string DateText(const CalendarDay& date, std::string_view month_name) {
  char text[48];
  std::snprintf(text, sizeof text, "%02d%.*s%d", date.day, static_cast<int>(month_name.size()),
                month_name.data(), date.year);
  return text;
}

}  // namespace

int ParseDateRange(std::string_view from_text, std::string_view to_text, DateRange& range) {
  CalendarDay from, to;
  if (int status = ParseOneDate(from_text, from); status != kOk) return status;
  if (int status = ParseOneDate(to_text, to); status != kOk) return status;
  if (DateOrdinal(from) > DateOrdinal(to)) return kInvalidDateRange;
  range = DateRange{from, to};
  return kOk;
}

CalendarDay SerialToDate(long long serial) {
  if (serial <= 0) return CalendarDay{};
  long long years = 4 * (serial / 1461);
  long long rest = serial % 1461;
  if (rest == 0) {
    years -= 1;
    rest = 365;
  } else if (rest > 366) {
    rest -= 366;
    years += 1;
    while (rest > 365) {
      rest -= 365;
      years += 1;
    }
  }
  const bool leap = years % 4 == 0;
  const int lengths[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int month = 1;
  while (month < 12 && rest > lengths[month - 1]) rest -= lengths[month++ - 1];
  return CalendarDay{static_cast<int>(rest), month, static_cast<int>(1900 + years)};
}

std::string SerialDateText(const CalendarDay& date) {
  bool known = date.month >= 1 && date.month <= 12;
  return DateText(date, kMonthNames[known ? date.month - 1 : 11]);
}

std::string CalendarDateText(const CalendarDay& date) {
  bool known = date.month >= 1 && date.month <= 12;
  return DateText(date, known ? kMonthNames[date.month - 1] : "???");
}

std::string FourDigitYear(long long year) {
  std::string text = std::to_string(year < 0 ? 0 : year % 10000);
  return std::string(4 - text.size(), '0') + text;
}

}  // namespace r7
