// The amount table: records filled into period blocks, and the amount of each window.
#include "specifiers/amount_table.h"

#include <gtest/gtest.h>

#include <string>

#include "specifiers/period_parser.h"

namespace r7 {
namespace {

// A 12-period company in period 5.
constexpr CompanyPeriods kCompany{5, 12};

PeriodFigures Figures(double opening, std::array<double, 13> periods) {
  return PeriodFigures{opening, periods};
}

// Balance-sheet account: balances at the end of each period. The balance record carries
// figures past the current period that must not show; last year's 13th period is empty.
LoadedRecords BalanceSheetRecords() {
  LoadedRecords r;
  r.this_year =
      Figures(1000, {1100, 1200, 1300, 1400, 1500, 7777, 7777, 7777, 7777, 7777, 7777, 7777, 7777});
  r.last_year =
      Figures(300, {400, 500, 600, 700, 800, 900, 1000, 1100, 1200, 1300, 1400, 1600, 0.25});
  return r;
}

// Income-statement account: running totals of the year. This year's balance record has
// an opening of 50 that the first period must not carry; its 13th period is empty.
LoadedRecords IncomeRecords() {
  LoadedRecords r;
  r.this_year = Figures(50, {150, 250, 450, 500, 800, 800, 800, 800, 800, 800, 800, 800, 0});
  r.last_year = Figures(0, {10, 30, 60, 100, 150, 210, 280, 360, 450, 550, 660, 780, 790});
  for (int i = 0; i < 13; ++i) r.budget.periods[i] = 10.0 * (i + 1);
  return r;
}

AmountTable Filled(const LoadedRecords& records, int kind, std::initializer_list<int> codes) {
  AmountTable table;
  ClearAmountTable(&table);
  for (int code : codes) FillAmountTable(records, code, kind, false, 12, &table);
  return table;
}

struct AmountCase {
  std::string phrase;
  double amount;
  int code = 0;  // of the window or the extraction
};

void ExpectAmounts(const AmountTable& table, int kind, const AmountCase* cases, std::size_t n,
                   bool use_alternative = false, CompanyPeriods company = kCompany) {
  for (std::size_t i = 0; i < n; ++i) {
    const AmountCase& c = cases[i];
    PeriodSpec spec;
    ASSERT_TRUE(ParsePeriodItem(c.phrase, &spec).ok()) << c.phrase;
    PeriodWindow window;
    const int window_code = ComputePeriodWindow(spec, company, &window);
    if (window_code < 100) {
      EXPECT_EQ(window_code, c.code) << c.phrase;
      continue;
    }
    double amount = -1;
    EXPECT_EQ(ExtractWindowAmount(window, table, use_alternative, kind, &amount), c.code)
        << c.phrase;
    EXPECT_DOUBLE_EQ(amount, c.amount) << c.phrase;
  }
}

TEST(AmountTableTest, IncomeFillTurnsRunningTotalsIntoPeriodChangesAndBudgetsFillBothBlocks) {
  const AmountTable t = Filled(IncomeRecords(), kIncomeStatementAccount, {103, 101});
  const double this_year[] = {100, 100, 200, 50, 300, 0, 0, 0, 0, 0, 0, 0, 0};
  const double last_year[] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 10};
  for (int i = 0; i < 13; ++i) {
    EXPECT_DOUBLE_EQ(t.At(kActualFigures, kThisYear, i), this_year[i]) << i;
    EXPECT_DOUBLE_EQ(t.At(kActualFigures, kLastYear, i), last_year[i]) << i;
    EXPECT_DOUBLE_EQ(t.At(kBudgetFigures, kThisYear, i), 0) << i;
  }
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kThisYear, kOpeningSlot), 0);
  // A budget fills the actual and the budget block of this year.
  const AmountTable b = Filled(IncomeRecords(), kIncomeStatementAccount, {104});
  for (int i = 0; i < 13; ++i) {
    EXPECT_DOUBLE_EQ(b.At(kActualFigures, kThisYear, i), 10.0 * (i + 1));
    EXPECT_DOUBLE_EQ(b.At(kBudgetFigures, kThisYear, i), 10.0 * (i + 1));
    EXPECT_DOUBLE_EQ(b.At(kBudgetFigures, kLastYear, i), 0);
  }
}

TEST(AmountTableTest, BalanceFillKeepsBalancesAndTheOpeningSumsAccountsAndClears) {
  const AmountTable t = Filled(BalanceSheetRecords(), kBalanceSheetAccount, {103, 101});
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kThisYear, 0), 1100);
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kThisYear, kOpeningSlot), 1000);
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kLastYear, 11), 1600);
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kLastYear, kOpeningSlot), 0);
  // Other load codes add nothing.
  for (double amount : Filled(BalanceSheetRecords(), kBalanceSheetAccount, {100, 102, 0}).amounts) {
    EXPECT_EQ(amount, 0.0);
  }
  // Accounts are summed; Clear empties the table.
  AmountTable sum = Filled(BalanceSheetRecords(), kBalanceSheetAccount, {103, 103});
  EXPECT_DOUBLE_EQ(sum.At(kActualFigures, kThisYear, 4), 3000);
  EXPECT_DOUBLE_EQ(sum.At(kActualFigures, kThisYear, kOpeningSlot), 2000);
  ClearAmountTable(&sum);
  for (double amount : sum.amounts) EXPECT_EQ(amount, 0.0);
}

TEST(AmountTableTest, BalanceSheetWindows) {
  const AmountTable t = Filled(BalanceSheetRecords(), kBalanceSheetAccount, {103, 101});
  const AmountCase cases[] = {
      // clang-format off
      {"Month", 1500},                     {"Opening Balance Month", 1400},
      {"Change Month", 100},               {"Month 1 Change", 100},  // against the opening balance
      {"Opening Balance Month 1", 1000},  // the opening balance of this year
      {"Opening Balance Year", 1000},      {"Year Change", 500},
      {"Quarter", 1500},                   {"Last Quarter", 1300},
      {"Month 8", 1500},  // no activity after the current period
      {"Month 13", 1500},                  {"Last Year", 800},
      {"5 Months Ago", 1600},
      {"Quarter 4 Last Year", 1600},  // an empty 13th period repeats the 12th
      {"Change Quarter 4 Last Year", 400}, {"Opening Balance Month 1 Last Year", 0, 18},
      {"Change Month 1 Last Year", 0, 18},
      {"Running Year", 700},  // balance now less the balance a year before
      {"Running Quarter", 300},            {"Last Running Quarter", 1200 - 1400},
      {"Starting Change Month", 0, 21},
      // clang-format on
  };
  ExpectAmounts(t, kBalanceSheetAccount, cases, std::size(cases));
}

TEST(AmountTableTest, IncomeStatementWindows) {
  const AmountTable t = Filled(IncomeRecords(), kIncomeStatementAccount, {103, 101});
  const AmountCase cases[] = {
      // clang-format off
      {"Month", 300},                      {"Month 1", 100},
      {"Year", 750},                       {"Quarter", 350},
      {"Last Quarter", 400},               {"Opening Balance Month", 0},
      {"Change Month", 300},               {"Month 8", 0},
      {"Last Year", 150},                  {"Quarter 4 Last Year", 340},
      {"5 Months Ago", 120},               {"Running Quarter", 550},
      {"Running Year", 630 + 750},  // across the year boundary
      {"Last Running Quarter", 120 + 200}, {"12 Running Months", 50},
      {"Running Half Year", 120 + 750},
      // clang-format on
  };
  ExpectAmounts(t, kIncomeStatementAccount, cases, std::size(cases));
}

TEST(AmountTableTest, BudgetWindowsReadPeriodAmountsWhateverTheAccountKind) {
  const AmountTable t = Filled(IncomeRecords(), kIncomeStatementAccount, {104});
  const AmountCase cases[] = {
      // clang-format off
      {"Month Budget", 50},            {"Year Budget", 150},
      {"Quarter 4 Budget", 460},       {"Opening Balance Month Budget", 0},
      {"Running Quarter Budget", 120}, {"Last Year Budget", 0, 18},
      // clang-format on
  };
  ExpectAmounts(t, kIncomeStatementAccount, cases, std::size(cases));
  ExpectAmounts(t, kBalanceSheetAccount, cases, std::size(cases));
  const AmountCase early[] = {{"Running Quarter Budget", 0, 18}, {"Month Budget", 20}};
  ExpectAmounts(t, kIncomeStatementAccount, early, std::size(early), false, {2, 12});
}

TEST(AmountTableTest, TheAlternativeRecordIsReadWhole) {
  LoadedRecords records = BalanceSheetRecords();
  records.alternative = Figures(5000, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 0});
  AmountTable t;
  ClearAmountTable(&t);
  FillAmountTable(records, kLoadThisYear, kBalanceSheetAccount, true, 12, &t);
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kThisYear, 0), 10);
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kThisYear, kOpeningSlot), 0);
  const AmountCase cases[] = {
      {"Month 8", 80},    // the whole earlier year is history
      {"Month 13", 120},  // an empty 13th period repeats the 12th
      {"Quarter 4", 120},
  };
  ExpectAmounts(t, kBalanceSheetAccount, cases, std::size(cases), true);

  // Income statement: no opening is taken off the alternative record.
  records.alternative =
      Figures(5000, {10, 30, 60, 100, 150, 210, 280, 360, 450, 550, 660, 780, 790});
  ClearAmountTable(&t);
  FillAmountTable(records, kLoadThisYear, kIncomeStatementAccount, true, 12, &t);
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kThisYear, 0), 10);
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kThisYear, 12), 10);
}

TEST(AmountTableTest, ThirteenPeriodYearsDifferenceTheThirteenthPeriod) {
  LoadedRecords records = IncomeRecords();
  AmountTable t;
  ClearAmountTable(&t);
  FillAmountTable(records, kLoadThisYear, kIncomeStatementAccount, false, 13, &t);
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kThisYear, 12), -800);  // (0 - 50) - (800 - 50)
  ClearAmountTable(&t);
  FillAmountTable(records, kLoadThisYear, kIncomeStatementAccount, false, 12, &t);
  EXPECT_DOUBLE_EQ(t.At(kActualFigures, kThisYear, 12), 0);
}

TEST(AmountTableTest, ExtractionLeavesTheTableAsItWasAndRefusesWindowsOutsideIt) {
  const AmountTable t = Filled(BalanceSheetRecords(), kBalanceSheetAccount, {103});
  PeriodWindow window;
  PeriodSpec spec;
  ASSERT_TRUE(ParsePeriodItem("Running Month", &spec).ok());
  ASSERT_EQ(ComputePeriodWindow(spec, {2, 12}, &window), 100);
  double amount = 0;
  ASSERT_EQ(ExtractWindowAmount(window, t, false, kBalanceSheetAccount, &amount), 0);
  // A second item over the same table still sees the figures after the first window.
  ASSERT_TRUE(ParsePeriodItem("Month", &spec).ok());
  ASSERT_EQ(ComputePeriodWindow(spec, kCompany, &window), 100);
  ASSERT_EQ(ExtractWindowAmount(window, t, false, kBalanceSheetAccount, &amount), 0);
  EXPECT_DOUBLE_EQ(amount, 1500);
  // A window outside the table is refused.
  const PeriodWindow bad[] = {
      {.start_slot = 13},
      {.start_slot = 10, .span = 3},
      {.start_slot = -1},
      {.start_year = 2},
      {.figures = 2},
      {.reference_slot = 14},
      {.start_slot = 12, .last_slot = 11, .running = kRunningMonths},
  };
  for (const PeriodWindow& w : bad) {
    amount = -1;
    EXPECT_EQ(ExtractWindowAmount(w, t, false, kBalanceSheetAccount, &amount), 18);
    EXPECT_EQ(amount, 0.0);
  }
}

}  // namespace
}  // namespace r7
