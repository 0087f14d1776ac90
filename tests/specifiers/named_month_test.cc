// Named months: a calendar month resolved to the first period that ends in it.
#include "specifiers/named_month.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "specifiers/period_parser.h"

namespace r7 {
namespace {

// A fiscal year from July to June, with a 13th period that also ends in June.
std::vector<PeriodEndDate> JulyToJune() {
  std::vector<PeriodEndDate> dates;
  for (int i = 0; i < 12; ++i) dates.push_back({28, (6 + i) % 12 + 1, i < 6 ? 2001 : 2002});
  dates.push_back({30, 6, 2002});
  return dates;
}

PeriodSpec Parse(const char* phrase) {
  PeriodSpec spec;
  EXPECT_TRUE(ParsePeriodItem(phrase, &spec).ok()) << phrase;
  return spec;
}

TEST(NamedMonthTest, MapsTheCalendarMonthToTheFirstPeriodEndingInIt) {
  const std::vector<PeriodEndDate> dates = JulyToJune();
  // The month and the period that ends in it.
  const std::tuple<const char*, int> cases[] = {
      {"July", 1}, {"December", 6}, {"January", 7}, {"March", 9}, {"June", 12}};
  for (const auto& [phrase, number] : cases) {
    const PeriodSpec spec = Parse(phrase);
    const PeriodSpec resolved = ResolveNamedMonth(spec, dates);
    EXPECT_EQ(resolved.number, number) << phrase;
    EXPECT_EQ(resolved.flags, spec.flags) << phrase;
  }
  // Other records and months no period ends in are left alone.
  EXPECT_EQ(ResolveNamedMonth(Parse("Month 3"), dates).number, 3);
  // A calendar of four periods has no period ending in November.
  const std::vector<PeriodEndDate> short_year(dates.begin(), dates.begin() + 4);
  EXPECT_EQ(ResolveNamedMonth(Parse("November"), short_year).number, 11);
  EXPECT_EQ(ResolveNamedMonth(Parse("November"), {}).number, 11);
}

}  // namespace
}  // namespace r7
