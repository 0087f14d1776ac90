// Dates of a range: typed dates and serial numbers read, bad ones refused, and their texts.
#include "specifiers/dates.h"

#include <gtest/gtest.h>

#include <tuple>

namespace r7 {
namespace {

constexpr DateRange kUntouched{{9, 9, 1999}, {10, 10, 1999}};

TEST(ParseDateRangeTest, ReadsTypedDatesAndSerialNumbersAndLeavesTheRangeOnAnError) {
  struct Case {
    const char *from, *to;
    int status;
    DateRange range = kUntouched;
  } cases[] = {
      // clang-format off
      {"1jan99", "31dec1999", 0, {{1, 1, 1999}, {31, 12, 1999}}},
      {"5Feb2001", "05FEB2001", 0, {{5, 2, 2001}, {5, 2, 2001}}},
      {"1Jan61", "1Jan59", 0, {{1, 1, 1961}, {1, 1, 2059}}},
      {"1", "61", 0, {{1, 1, 1900}, {1, 3, 1900}}},
      {"60", "36526", 0, {{29, 2, 1900}, {1, 1, 2000}}},
      {"0", "1", 0, {{0, 0, 0}, {1, 1, 1900}}},
      {"1Jan60", "1Jan2000", 0, {{1, 1, 60}, {1, 1, 2000}}},
      {"1Jan", "2Jan", 0, {{1, 1, 2000}, {2, 1, 2000}}},
      {"5Feb2001", "1Jan2001", 354},             {"xJan2001", "1Jan2001", 350},
      {"", "1Jan2001", 350},                     {"12Foo2001", "1Jan2001", 351},
      {"12Ja", "1Jan2001", 351},                 {"1Jan3000", "1Jan2001", 352},
      {"0Jan2001", "1Jan2001", 353},             {"32Jan2001", "1Jan2001", 353},
      {"1Jan2001", "99999999999999999999", 353}, {"1Jan2001", "123Jan2001", 351},
      // clang-format on
  };
  for (const Case& c : cases) {
    DateRange range = kUntouched;
    EXPECT_EQ(ParseDateRange(c.from, c.to, range), c.status) << c.from << " " << c.to;
    EXPECT_EQ(range.from, c.range.from) << c.from << " " << c.to;
    EXPECT_EQ(range.to, c.range.to) << c.from << " " << c.to;
  }
}

TEST(SerialDateTest, FollowsTheSpreadsheetCalendarAndWritesBothForms) {
  // The serial number and its day.
  const std::tuple<long long, CalendarDay> cases[] = {
      // clang-format off
      {0, {0, 0, 0}},       {1, {1, 1, 1900}},     {59, {28, 2, 1900}},   {60, {29, 2, 1900}},
      {61, {1, 3, 1900}},   {366, {31, 12, 1900}}, {367, {1, 1, 1901}},   {1461, {31, 12, 1903}},
      {1462, {1, 1, 1904}}, {36526, {1, 1, 2000}}, {37316, {1, 3, 2002}}, {2958465, {1, 11, 9999}},
      // clang-format on
  };
  for (const auto& [serial, date] : cases) EXPECT_EQ(SerialToDate(serial), date) << serial;
  EXPECT_EQ(SerialDateText(SerialToDate(36526)), "01Jan2000");
  EXPECT_EQ(SerialDateText(CalendarDay{}), "00Dec0");
  EXPECT_EQ(CalendarDateText(CalendarDay{5, 2, 2001}), "05Feb2001");
  EXPECT_EQ(CalendarDateText(CalendarDay{15, 13, 2001}), "15???2001");
  EXPECT_EQ(CalendarDateText(CalendarDay{}), "00???0");
}

}  // namespace
}  // namespace r7
