// Period windows: where each phrase starts and how far it runs, and the phrases that have none.
#include "specifiers/period_window.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "base/error_codes.h"
#include "specifiers/period_parser.h"

namespace r7 {
namespace {

constexpr int kNone = -1;

struct WindowCase {
  std::string phrase;
  int code;
  int start_year = kNone;
  int start_slot = kNone;
  int span = kNone;  // for running windows: the end year
  int last = kNone;  // for running windows: the last slot of the window
};

PeriodSpec Parse(const std::string& phrase) {
  PeriodSpec spec;
  const PeriodParseResult r = ParsePeriodItem(phrase, &spec);
  EXPECT_TRUE(r.ok()) << phrase << ": " << r.code << " " << r.detail;
  return spec;
}

// Plain windows: start year, first slot and span. Running windows: start year, the slot
// before the window, end year and the window's last slot.
void ExpectWindows(const CompanyPeriods& company, const WindowCase* cases, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const WindowCase& c = cases[i];
    PeriodWindow w;
    const int code = ComputePeriodWindow(Parse(c.phrase), company, &w);
    EXPECT_EQ(code, c.code) << c.phrase;
    if (code != c.code || c.start_year == kNone) continue;
    EXPECT_EQ(w.start_year, c.start_year) << c.phrase;
    EXPECT_EQ(w.start_slot, c.start_slot) << c.phrase;
    if (w.running != 0) {
      EXPECT_EQ(w.end_year, c.span) << c.phrase;
      EXPECT_EQ(w.reference_slot, c.last) << c.phrase;
    } else {
      EXPECT_EQ(w.span, c.span) << c.phrase;
      EXPECT_EQ(w.reference_slot, company.current_period - 1) << c.phrase;
    }
  }
}

TEST(PeriodWindowTest, TwelvePeriodCompanyInPeriodFive) {
  const CompanyPeriods company{5, 12};
  const WindowCase cases[] = {
      // clang-format off
      {"Month", 100, 0, 4, 0},                 {"Month 3", 100, 0, 2, 0},
      {"Last Month", 100, 0, 3, 0},
      {"5 Months Ago", 102, 1, 11, 0},  // last year's block; the end year stays this year
      {"Quarter", 100, 0, 3, 1},  // cut at the current period
      {"Quarter 2", 100, 0, 3, 2},             {"Last Quarter", 100, 0, 0, 2},
      {"Year", 100, 0, 0, 4},                  {"Last Year", 101, 1, 0, 4},
      {"Month Year To Date", 100, 0, 0, 4},    {"Quarter 2 Ytd", 100, 0, 0, 5},
      {"Opening Balance Month", 100, 0, 4, 0}, {"Running Quarter", 100, 0, 1, 0, 4},
      {"Running Year", 102, 1, 4, 0, 4},       {"2 Years Ago", 18},
      {"Last Year Budget", 18},                {"Starting Change Month", 21},
      // Further windows of the same company.
      {"Quarter 4", 100, 0, 9, 3},  // a quarter ending at slot 11 takes the 13th period
      {"Half Year 2", 100, 0, 6, 6},               {"Month 12", 100, 0, 11, 0},
      {"Month 13", 100, 0, 12, 0},  // the year-end adjustments period
      {"Month 14", 18},                            {"Month 60", 18},
      {"Month 12 Last Year", 101, 1, 11, 0},       {"Month 13 Last Year", 18},
      {"Quarter 5", 18},                           {"Year 2", 100, 0, 0, 1},  // period 2, to date
      {"Quarter 4 Last Year", 101, 1, 9, 3},       {"Month Last Year", 101, 1, 4, 0},
      {"Last Month Last Year", 101, 1, 3, 0},      {"16 Months Ago", 102, 1, 0, 0},
      {"17 Months Ago", 18},                       {"2 Quarters Ago", 102, 1, 9, 2},
      {"Last Quarter Year To Date", 100, 0, 0, 2}, {"Last Running Quarter", 102, 1, 10, 0, 1},
      {"12 Running Months", 101, 1, 3, 1, 4},      {"Running Month", 100, 0, 3, 0, 4},
      {"Running Half Year", 102, 1, 10, 0, 4},     {"3 Years Ago", 18},
      {"Last Month Budget", 100, 0, 3, 0},         {"Running Quarter Budget", 100, 0, 1, 0, 4},
      {"Running Year Budget", 18},  // it would reach into last year's budget
      {"5 Months Ago Budget", 18},
      // clang-format on
  };
  ExpectWindows(company, cases, std::size(cases));
}

TEST(PeriodWindowTest, ThirteenPeriodCompanyInPeriodThirteenAndEarlyInTheYear) {
  const CompanyPeriods company{13, 13};
  const WindowCase cases[] = {
      // clang-format off
      {"Quarter", 100, 0, 9, 3},             {"Quarter 4", 100, 0, 9, 3},
      {"Quarter 5", 18},  // the 13th period already belongs to the fourth quarter
      {"Half Year", 100, 0, 6, 6},           {"Half Year 3", 18},
      {"Month", 100, 0, 12, 0},              {"Month 13", 100, 0, 12, 0},
      {"Month 14", 18},                      {"Year", 100, 0, 0, 12},
      {"Year 2", 100, 0, 0, 1},  // period 2, to date
      {"Last Year", 101, 1, 0, 12},          {"Last Month", 100, 0, 11, 0},
      {"Last Quarter", 100, 0, 6, 2},        {"Quarter Year To Date", 100, 0, 0, 12},
      {"Running Quarter", 100, 0, 8, 0, 12}, {"Running Year", 102, 1, 12, 0, 12},
      {"Month 13 Last Year", 101, 1, 12, 0},
      // clang-format on
  };
  ExpectWindows(company, cases, std::size(cases));
  // Counting back from periods 1, 2 and 3 finds the same last quarter of last year, never
  // a quarter that would start at the 13th period and run past the year.
  const WindowCase last_quarter[] = {{"Last Quarter", 102, 1, 9, 2}};
  for (int period : {1, 2, 3}) ExpectWindows({period, 13}, last_quarter, 1);
  const WindowCase third[] = {{"Last Half Year", 102, 1, 6, 5},
                              {"Running Quarter", 102, 1, 12, 0, 2}};
  ExpectWindows({3, 13}, third, std::size(third));
}

TEST(PeriodWindowTest, RunningWindowOfAThirteenthPeriodUnit) {
  // The fourth quarter of a 12-period year ends in slot 12; a running month from there
  // is the 13th period of the same year.
  PeriodWindow w;
  ASSERT_EQ(ComputePeriodWindow(Parse("Quarter 4 Running Month"), {5, 12}, &w), 100);
  EXPECT_EQ(w.start_slot, 11);
  EXPECT_EQ(w.reference_slot, 12);
  EXPECT_EQ(w.end_year, 0);
  ASSERT_EQ(ComputePeriodWindow(Parse("Quarter 4 Last Year Running Month"), {5, 12}, &w), 101);
  EXPECT_EQ(w.reference_slot, 12);
  EXPECT_EQ(w.end_year, 1);
}

TEST(PeriodWindowTest, TheBudgetBitIsReportedWhateverTheResult) {
  PeriodWindow w;
  EXPECT_EQ(ComputePeriodWindow(Parse("Month Budget"), {5, 12}, &w), 100);
  EXPECT_EQ(w.budget, 0x200u);
  EXPECT_EQ(w.figures, kBudgetFigures);
  EXPECT_EQ(ComputePeriodWindow(Parse("Last Year Budget"), {5, 12}, &w), 18);
  EXPECT_EQ(w.budget, 0x200u);
  EXPECT_EQ(ComputePeriodWindow(Parse("Month"), {5, 12}, &w), 100);
  EXPECT_EQ(w.budget, 0u);
}

TEST(PeriodWindowTest, FlagsTheParserNeverMakesAndDamagedCalendarsHaveNoWindow) {
  // The flags, and the detail of the error.
  const std::tuple<std::uint32_t, std::string_view> cases[] = {
      {0x0005, "Internal Period Error"},
      {0x0007, "Internal Period Error"},
      {0x0030, "Internal Scale Error"},
      {0x2800, "Internal Period Error"},
  };
  for (const auto& [flags, message] : cases) {
    PeriodSpec spec;
    spec.flags = flags;
    PeriodWindow w;
    std::string_view detail;
    EXPECT_EQ(ComputePeriodWindow(spec, {5, 12}, &w, &detail), kSpecialError) << flags;
    EXPECT_EQ(detail, message) << flags;
  }
  // A unit number of 0 would start before the year.
  PeriodSpec zero;
  zero.flags = kPositionAbsolute | kScaleMonths;
  PeriodWindow w;
  EXPECT_EQ(ComputePeriodWindow(zero, {5, 12}, &w), 18);
  // Damaged calendars have no window.
  const PeriodSpec month = Parse("Month");
  for (const CompanyPeriods& company :
       {CompanyPeriods{0, 12}, CompanyPeriods{-3, 12}, CompanyPeriods{13, 12},
        CompanyPeriods{14, 13}, CompanyPeriods{1, 0}, CompanyPeriods{5, 14}}) {
    EXPECT_EQ(ComputePeriodWindow(month, company, &w), 18)
        << company.current_period << "/" << company.period_count;
  }
}

}  // namespace
}  // namespace r7
