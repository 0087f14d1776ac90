// The period wizard's choices: composed into text, seeded from a parsed phrase, and turned
// into the periods and dates they cover.
#include "tools/period_choice.h"

#include <gtest/gtest.h>

#include "specifiers/period_parser.h"

namespace r7::period_choice {
namespace {

PeriodChoice Choice(int balance_type, int year, int values, int duration, bool running, int choice,
                    bool ago = false) {
  return {balance_type, year, values, duration, running, choice, ago};
}

TEST(PeriodChoiceTest, ComposesTheText) {
  const int M = kDurationMonth, Q = kDurationQuarter, H = kDurationHalfYear, Y = kDurationYear;
  const int open = kValueOpening, end = kValueEnding, change = kValueChange;
  struct Case {
    PeriodChoice choice;
    const char* text;  // null: the language cannot say it
  } cases[] = {
      {Choice(1, 1, end, M, false, 3), "Month 3"},
      {Choice(0, 0, change, Q, false, 2), "Last Year Change Quarter 2 Budget"},
      {Choice(1, 1, end, M, false, 2, true), "2 Months Ago"},
      {Choice(1, 1, end, M, false, 1, true), "1 Month Ago"},
      {Choice(0, 1, end, M, false, 4, true), "4 Months Ago Budget"},
      {Choice(1, 1, end, Y, false, kThisPeriod), "Month Year To Date"},
      {Choice(1, 1, end, M, false, kThisPeriod), "This Month"},
      {Choice(1, 1, open, M, false, kLastPeriod), "Open Last Month"},
      {Choice(0, 1, end, M, false, 3), "3 Budget"},
      {Choice(1, 1, end, M, false, kAllPeriods), "1,2,3,4,5,6,7,8,9,10,11,12"},
      {Choice(0, 1, end, M, false, kAllPeriods),
       "1 Budget,2 Budget,3 Budget,4 Budget,5 Budget,6 Budget,7 Budget,8 Budget,9 Budget,"
       "10 Budget,11 Budget,12 Budget"},
      {Choice(1, 1, end, Q, false, kAllPeriods), "Quarter 1,Quarter 2,Quarter 3,Quarter 4"},
      {Choice(1, 1, end, H, false, kAllPeriods), "Halfyear 1,Halfyear 2"},
      {Choice(1, 1, end, Y, false, kAllPeriods),
       "Year To Date 1,Year To Date 2,Year To Date 3,Year To Date 4,Year To Date 5,"
       "Year To Date 6,Year To Date 7,Year To Date 8,Year To Date 9,Year To Date 10,"
       "Year To Date 11,Year To Date 12"},
      {Choice(1, 1, end, Q, false, 6), "Quarter 1"},
      {Choice(1, 1, end, Q, false, kThisPeriod), "Quarter"},  // the current quarter
      {Choice(1, 1, end, H, false, kThisPeriod), "Halfyear"},
      {Choice(1, 1, end, H, false, 3), "Halfyear 1"},
      {Choice(1, 1, end, Q, true, kThisPeriod), "Running Quarter This Month"},
      {Choice(1, 0, end, Y, true, kLastPeriod), "Last Year Running Year To Date Last Month"},
      {Choice(1, 0, open, M, false, 1), nullptr},
      {Choice(1, 0, change, M, false, 1), nullptr},
      {Choice(1, 0, end, M, false, 1), "Last Year Month 1"},
      {Choice(1, 0, end, M, false, 2, true), "Last Year Month 2"},  // ago is last year's
  };
  for (Case& c : cases) {
    const bool ago_given = c.choice.ago;
    std::optional<std::string> text = Compose(c.choice);
    if (c.text == nullptr) {
      EXPECT_FALSE(text) << *text;
      continue;
    }
    ASSERT_TRUE(text) << c.text;
    EXPECT_EQ(*text, c.text);
    // Every composed text reads back, and composes again to itself.
    PeriodList list;
    EXPECT_TRUE(ParsePeriodSpecifier(*text, &list).ok()) << *text;
    if (ago_given && c.choice.year == 0) {
      EXPECT_FALSE(c.choice.ago) << c.text;
    }
  }
}

TEST(PeriodChoiceTest, SeedsFromTheFirstRecordOfAParsedPhrase) {
  const char* phrases[] = {"Month 3",
                           "Last Year Change Quarter 2 Budget",
                           "2 Months Ago",
                           "Month Year To Date",
                           "This Month",
                           "Open Last Month",
                           "3 Budget",
                           "Quarter 3",
                           "Running Quarter This Month",
                           "Halfyear 2"};
  for (const char* phrase : phrases) {
    PeriodList list;
    ASSERT_TRUE(ParsePeriodSpecifier(phrase, &list).ok()) << phrase;
    PeriodChoice choice = Choice(0, 0, kValueChange, kDurationYear, true, kAllPeriods, true);
    Seed(choice, list[0]);
    EXPECT_EQ(Compose(choice).value_or("(none)"), phrase);
  }
  PeriodList list;
  ASSERT_TRUE(ParsePeriodSpecifier("Last Month", &list).ok());
  PeriodChoice choice;
  Seed(choice, list[0]);
  EXPECT_EQ(choice.choice, kLastPeriod);  // one month back is the last period, not Ago
  EXPECT_FALSE(choice.ago);
}

TEST(PeriodChoiceTest, SpansThePeriodsTheChoicesCover) {
  const int M = kDurationMonth, Q = kDurationQuarter, H = kDurationHalfYear, Y = kDurationYear;
  const int end = kValueEnding;
  struct Case {
    PeriodChoice choice;
    int current;
    PeriodSpan span;
  } cases[] = {
      {Choice(1, 1, end, Q, false, kThisPeriod), 8, {7, 9, 0, 0}},
      {Choice(1, 1, end, Q, false, kLastPeriod), 4, {1, 3, 0, 0}},
      {Choice(1, 1, end, Q, false, 3), 8, {7, 9, 0, 0}},
      {Choice(1, 1, end, H, false, kThisPeriod), 8, {7, 12, 0, 0}},
      {Choice(1, 1, end, H, false, 1), 8, {1, 6, 0, 0}},
      {Choice(1, 1, end, Y, false, kThisPeriod), 8, {1, 8, 0, 0}},
      {Choice(1, 1, end, M, false, kAllPeriods), 8, {1, 12, 0, 0}},
      {Choice(1, 0, end, M, false, 5), 8, {5, 5, 1, 1}},
      {Choice(1, 1, end, M, false, 3, true), 8, {5, 5, 0, 0}},
      {Choice(1, 1, end, M, false, 10, true), 8, {10, 10, 1, 1}},
      {Choice(1, 1, end, Q, true, kThisPeriod), 8, {6, 8, 0, 0}},
      {Choice(1, 1, end, Y, true, kThisPeriod), 8, {9, 8, 1, 0}},
      {Choice(1, 1, end, Q, false, kThisPeriod), 12, {10, 12, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SpanOf(c.choice, c.current, 12), c.span)
        << "choice " << c.choice.choice << " duration " << c.choice.duration;
  }
}

TEST(PeriodChoiceTest, DatesComeFromTheCompanyCalendarHeldToIt) {
  CompanyContext company;
  company.period_count = 12;
  for (int p = 0; p < 12; ++p) {
    company.period_starts[static_cast<std::size_t>(p)] = {1, p + 1, 2002};
    company.period_ends[static_cast<std::size_t>(p)] = {28, p + 1, 2002};
  }
  EXPECT_EQ(DatesOf({7, 9, 0, 0}, company), (DateRange{{1, 7, 2002}, {28, 9, 2002}}));
  EXPECT_EQ(DatesOf({9, 8, 1, 0}, company), (DateRange{{1, 9, 2001}, {28, 8, 2002}}));
  // The last period of the year before the first: held to the first period.
  EXPECT_EQ(DatesOf({0, 0, 0, 0}, company), (DateRange{{1, 1, 2002}, {28, 1, 2002}}));
}

}  // namespace
}  // namespace r7::period_choice
