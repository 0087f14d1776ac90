// Every window a short phrase can make stays inside the amount table, in any current period.
// Under the sanitizers an index past the table fails this test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error_codes.h"
#include "specifiers/amount_table.h"
#include "specifiers/period_parser.h"

namespace r7 {
namespace {

TEST(PeriodWindowBoundsTest, WindowsOfThreeWordPhrasesStayInsideTheTable) {
  const std::vector<std::string> words = {"",     "Month",   "Quarter", "Half",    "Year",   "Ytd",
                                          "Last", "Running", "Opening", "Change",  "Budget", "1",
                                          "2",    "3",       "4",       "5",       "12",     "13",
                                          "14",   "60",      "March",   "Periods", "Debits"};
  AmountTable table;
  for (std::size_t i = 0; i < table.amounts.size(); ++i) table.amounts[i] = double(i + 1);
  PeriodSpec spec;
  int windows = 0;
  for (const std::string& a : words) {
    for (const std::string& b : words) {
      for (const std::string& c : words) {
        const std::string phrase = a + " " + b + " " + c;
        if (!ParsePeriodItem(phrase, &spec).ok()) continue;
        for (int count : {12, 13}) {
          for (int period = 1; period <= count; ++period) {
            PeriodWindow window;
            const int code = ComputePeriodWindow(spec, {period, count}, &window);
            if (code == kNoDataForPeriod || code == kStartingAndTransactions) continue;
            ASSERT_GE(code, 100) << phrase;
            ASSERT_LE(code, 102) << phrase;
            ++windows;
            for (int kind : {kIncomeStatementAccount, kBalanceSheetAccount}) {
              for (bool alternative : {false, true}) {
                double amount = 0;
                const int extracted =
                    ExtractWindowAmount(window, table, alternative, kind, &amount);
                ASSERT_TRUE(extracted == kOk || extracted == kNoDataForPeriod)
                    << phrase << " period " << period << "/" << count;
                // Only an opening balance at the start of last year is missing.
                if (extracted == kNoDataForPeriod) {
                  ASSERT_EQ(window.start_year, kLastYear) << phrase;
                  ASSERT_EQ(window.start_slot, 0) << phrase;
                }
              }
            }
          }
        }
      }
    }
  }
  EXPECT_GT(windows, 10000);
}

}  // namespace
}  // namespace r7
