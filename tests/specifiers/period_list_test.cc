// The period specifier as a list: commas, blank phrases, the 24-phrase limit and errors.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "base/error_codes.h"
#include "specifiers/period_parser.h"

namespace r7 {
namespace {

std::string Phrases(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? "," : "") + ("Month " + std::to_string(i));
  return text;
}

TEST(PeriodListTest, SplitsAtCommasAndEndsTheList) {
  const std::string text = "Month 1, Last Quarter ,Year";
  PeriodList list;
  std::size_t count = 99;
  ASSERT_TRUE(ParsePeriodSpecifier(text, &list, &count).ok());
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(list[0].flags, 0x0021u);
  EXPECT_EQ(list[1].flags, 0x0012u);
  EXPECT_EQ(list[2].flags, 0x0004u);
  EXPECT_TRUE(list[3].IsEnd());
  // Each record's text starts after its leading blanks and lies inside the caller's text.
  EXPECT_EQ(list[0].text, "Month 1");
  EXPECT_EQ(list[1].text, "Last Quarter ");
  EXPECT_EQ(list[1].text.data(), text.data() + 9);
  EXPECT_EQ(list[2].text, "Year");
  // The count is optional.
  EXPECT_TRUE(ParsePeriodSpecifier("month", &list, nullptr).ok());
  EXPECT_EQ(list[0].flags, 0x0001u);
}

TEST(PeriodListTest, CommaRulesAndBlankPhrases) {
  // The specifier, the result, and how many phrases it holds.
  const std::tuple<std::string, int, std::size_t> cases[] = {
      // clang-format off
      {"Month 1, Month 2,,Month 3", kInvalidComma, 0},
      {",Month", kInvalidComma, 0}, {"Month,", kInvalidComma, 0}, {"Month,,", kInvalidComma, 0},
      {",", kInvalidComma, 0},
      {" ,Month", kOk, 1},  // a comma after leading blanks is not the first character
      {"Month, ,Month 2", kOk, 2},  // a blank phrase between commas is skipped
      {"Month,\t,Month 2", kOk, 2},
      {"Month, ", kOk, 1},  // a blank after the last comma is a blank phrase
      {"", kOk, 0},                 {"   ", kOk, 0},                {"Month , Month", kOk, 2},
      // clang-format on
  };
  for (const auto& [text, code, phrases] : cases) {
    PeriodList list;
    std::size_t count = 99;
    const PeriodParseResult r = ParsePeriodSpecifier(text, &list, &count);
    EXPECT_EQ(r.code, code) << "'" << text << "'";
    EXPECT_EQ(r.detail, "") << "'" << text << "'";
    EXPECT_EQ(count, phrases) << "'" << text << "'";
    if (r.ok()) {
      EXPECT_TRUE(list[phrases].IsEnd()) << "'" << text << "'";
    }
  }
}

TEST(PeriodListTest, TwentyFourPhrasesAndNoMoreAndAnErrorStopsTheList) {
  PeriodList list;
  std::size_t count = 0;
  ASSERT_TRUE(ParsePeriodSpecifier(Phrases(24), &list, &count).ok());
  EXPECT_EQ(count, 24u);
  EXPECT_EQ(list[23].number, 24);
  EXPECT_TRUE(list[24].IsEnd());

  EXPECT_EQ(ParsePeriodSpecifier(Phrases(25), &list, &count).code, kTooManyColumnSpecifiers);
  EXPECT_EQ(count, 0u);
  EXPECT_TRUE(list[24].IsEnd());
  // Even blanks after the 24th phrase are text left over.
  EXPECT_EQ(ParsePeriodSpecifier(Phrases(24) + ", ", &list, nullptr).code,
            kTooManyColumnSpecifiers);
  EXPECT_EQ(ParsePeriodSpecifier(Phrases(24) + ",", &list, nullptr).code, kInvalidComma);
  // Blank phrases do not count against the limit.
  EXPECT_TRUE(ParsePeriodSpecifier(" , ," + Phrases(24), &list, &count).ok());
  EXPECT_EQ(count, 24u);
  // A phrase error stops the list; the list already filled cannot be walked past it.
  count = 99;
  const PeriodParseResult r =
      ParsePeriodSpecifier("Month 1, Month 2, Monthly, Month 4", &list, &count);
  EXPECT_EQ(r.code, kInvalidPeriodSpecifier);
  EXPECT_EQ(r.detail, "Monthly");
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(list[1].number, 2);
  EXPECT_TRUE(list[2].IsEnd());
}

}  // namespace
}  // namespace r7
