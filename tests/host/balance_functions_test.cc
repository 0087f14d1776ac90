// Codes 100, 102 and 104 end to end through the driver, over the balance fixture.
// Its DATA (01) has three segments, 12 periods, current period 5, comparatives back to 1999 and
// budgets of two revisions; DATA_02 one segment, 13 periods, current period 13, every file
// with key 0 only; DATA_03 two segments, current period 3.
#include <gtest/gtest.h>

#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"

namespace r7 {
namespace {

// One batch over the calls' lines, with these settings after the base ones.
void ExpectCalls(const std::vector<testing::BatchCall>& calls,
                 const std::string& settings = "NA Label=0\n") {
  testing::ExpectCalls(
      testing::SharedFixture("balances"),
      "Company=01\nCurrent Year=2002\nFinancial Entities File in GL Path=1\n" + settings, calls);
}

TEST(BalanceFunctionsTest, EveryPeriodPhraseOfTheWindowGivesItsAmount) {
  ExpectCalls({
      {"100\t4000-10-100;Month", "0\t-500."},
      {"100\t4000-10-100", "0\t-500."},  // the period defaults to month
      {"100\t4000-10-100;Month 3", "0\t-300."},
      {"100\t4000-10-100;Last Month", "0\t-400."},
      {"100\t4000-10-100;5 Months Ago", "0\t-200."},  // slot 11 of last year
      {"100\t4000-10-100;Quarter", "0\t-900."},       // cut at the current period
      {"100\t4000-10-100;Quarter 2", "0\t-900."},
      {"100\t4000-10-100;Last Quarter", "0\t-600."},
      {"100\t4000-10-100;Year", "0\t-1500."},
      {"100\t4000-10-100;Last Year", "0\t-1000."},
      {"100\t4000-10-100;Month Year To Date", "0\t-1500."},
      {"100\t4000-10-100;Quarter 2 Ytd", "0\t-1500."},
      {"100\t4000-10-100;Running Quarter", "0\t-1200."},
      {"100\t4000-10-100;Running Year", "0\t-2900."},  // 7 periods of 2001, 5 of 2002
      {"100\t4000-10-100;May", "0\t-500."},
      {"100\t1000-10-100;Month", "0\t1500."},
      {"100\t1000-10-100;Opening Balance Month", "0\t1400."},
      {"100\t1000-10-100;Change Month", "0\t100."},
      {"100\t4000-10-100;Month, Month 3", "0\t-800."},  // two items add up
      {"100\t4000-10-100;2 Years Ago", "0\tR7 [Tessary] No data for period requested"},
      {"100\t4000-10-100;Last Year Budget", "0\tR7 [Tessary] No data for period requested"},
      {"100\t4000-10-100;Month 14", "0\tR7 [Tessary] No data for period requested"},
      {"100\t4000-10-100;Starting Change Month",
       "0\tR7 [Tessary] Invalid use of Starting and Transactions keywords"},
      {"100\t4000-10-100;Month 2 Year, 2 Years Ago",
       "0\tR7 [Tessary] No data for period requested"},
  });
}

TEST(BalanceFunctionsTest, YearsAndBudgetsReadTheRightFiles) {
  ExpectCalls({
      {"100\t4000-10-100;Month;;2002", "0\t-500."},
      {"100\t4000-10-100;Month;;2001", "0\t-200."},  // the comparatives stand in
      {"100\t1000-10-100;Month;;2001", "0\t850."},
      {"100\t4000-10-100;Last Year;;2001", "0\t-1500."},  // 2000's periods 1 to 5
      {"100\t4000-10-100;Month;;2000", "0\t-300."},
      {"100\t4000-10-100;Last Year;;2000", "0\t-2000."},
      {"100\t4000-10-100;Month;;2003", "0\tR7 [Tessary] Future period detected"},
      {"100\t4000-10-100;Month Budget;;2003", "0\t-160."},
      {"100\t4000-10-100;Month Budget", "0\t-150."},
      {"100\t4000-10-100;Month Budget;;;2", "0\t-175."},
      {"100\t4000-10-100;Month Budget;;;02,R7", "0\t-175."},
      {"100\t4000-10-100;Year Budget", "0\t-750."},
      {"100\t4000-*-*;Month Budget", "0\t-165."},
      {"100\t4000-10-100;Month Budget;;;7",
       "0\tR7 [Tessary] No matching accounts found - 4000-10-100"},
      {"100\t4000;Month;02", "0\t-10."},  // 13 periods: period 13 is its own change
      {"100\t4000;Quarter;02", "0\t-40."},
      {"100\t4000;Quarter 4;02", "0\t-40."},
      {"100\t4000;Year;02", "0\t-130."},
      {"100\t1000;Month;02", "0\t113."},
      {"100\t4000;Last Year;02", "0\t-260."},
      {"100\t4000;Month Budget;02", "0\t-12."},
  });
}

TEST(BalanceFunctionsTest, AccountSpecifiersOfEveryForm) {
  ExpectCalls({
      {"100\t4000-*-*", "0\t-510."},
      {"100\t4000", "0\t-510."},
      {"100\t4000..4999-*-*", "0\t-510."},
      {"100\t4000-10-100,5000-10-100", "0\t-450."},
      {"100\t5*-10-*", "0\t55."},
      {"100\t(4000,5000)(10)(*)", "0\t-445."},
      {"100\t^-^-100(4000,5000)(10)", "0\t-450."},
      {"100\tSALES-*-*", "0\t-510."},
      {"100\tSALES-NORTH-*", "0\t-500."},
      // The first account's kind decides how every account is read: a balance-sheet
      // account first makes the sales read as balances.
      {"100\t?000-10-*", "0\t275."},
      {"100\t1000-10-100;Month;;;rng", "0\t1500."},
      {"100\t1000..1999-*-*;Month;;;RNG1", "0\t2050."},
      {"100\t4000-10;Month;03", "0\t-1000."},
      {"100\t4000;Month;03", "0\t-3000."},
  });
}

TEST(BalanceFunctionsTest, CompanyListsAreSummedAndTheSignReversed) {
  ExpectCalls({
      {"100\t4000;Month;01,03", "0\t-3510."},
      {"100\t4000;Month;03 , 01,,02", "0\t-3520."},
      {"100\t4000;Month, Month 1;01 02", "0\t-640."},
      {"102\t4000;Month;01,03", "0\t3510."},
      {"102\t1000-*-*", "0\t-2050."},
      {"102\t4000;Month;01,07", "0\tR7 [Tessary] Can't open file - 07"},
  });
}

TEST(BalanceFunctionsTest, MissingAccountsUnderEachNaLabel) {
  ExpectCalls({
      // In the chart without a balance record, and not in the chart at all.
      {"100\t4500-10-100", "0\tR7 [Tessary] No matching accounts found - 4500-10-100"},
      {"100\t9999", "0\tR7 [Tessary] No matching accounts found - 9999-*-*"},
      {"100\t4000-10-100,9999", "0\tR7 [Tessary] No matching accounts found - 9999-*-*"},
      {"100\t4000;Month;03,02,01", "0\t-3520."},
  });
  ExpectCalls(
      {
          {"100\t4500-10-100", "0\t0."},
          {"100\t9999", "0\t0."},
          {"100\t4000-10-100,9999", "0\t-500."},
          {"100\t9999;Month;01,03", "0\t0."},
          {"100\t4000-10;Month;01,03", "0\t-1500."},
      },
      "NA Label=1\n");
}

TEST(BalanceFunctionsTest, RoundingScalingAndZeroLabels) {
  ExpectCalls(
      {
          {"100\t4000-*-*;Year", "0\t-1.55"},
          {"102\t4000-*-*;Year", "0\t1.55"},
          {"100\t4000-10-100;Month 7", "0\t-"},
      },
      "NA Label=0\nRounding=3\nScaling=3\nZero Label=-\n");
  ExpectCalls({{"100\t4000-10-100;Month 7", "0\t"}, {"100\t5000-10-200;Year", "0\t25."}},
              "NA Label=0\nZero Label=\n");
  ExpectCalls({{"100\t5000-10-200;Year", "0\t30."}}, "NA Label=0\nRounding=4\n");
}

TEST(BalanceFunctionsTest, TransactionTotalsByDatesAndType) {
  ExpectCalls({
      {"104\t4000-*-*;1Jan2002;31Dec2002", "0\t-260."},
      {"104\t4000-*-*;1Jan2002;31Dec2002;;Credits", "0\t-310."},
      {"104\t4000-*-*;1Jan2002;31Dec2002;;cr", "0\t-310."},
      {"104\t4000-*-*;1Jan2002;31Dec2002;;Debits", "0\t50."},
      {"104\t4000-*-*;1Jan2002;31Dec2002;;DR", "0\t50."},
      {"104\t*-*-*;1Feb2002;31Mar2002", "0\t-180."},
      {"104\t*-*-*;37257;37287;;CR", "0\t-100."},  // serial days: January 2002
      {"104\t4000;1Jan2002;31Dec2002;01,02", "0\t-267."},
      {"104\t4000;1Jan2002;31Dec2002;01,07", "0\tR7 [Tessary] Can't open file - 07"},
      {"104\t9999;1Jan2002;31Dec2002", "0\tR7 [Tessary] No matching accounts found - 9999-*-*"},
      {"104\t*-*-*;1Jan2002;31Dec2002;;XX", "0\tR7 [Tessary] Invalid Type parameter in GLTRAN"},
      {"104\t*-*-*;1Jan2002;31Dec2002;;C", "0\tR7 [Tessary] Invalid Type parameter in GLTRAN"},
      {"104\t*-*-*;31Dec2002;1Jan2002", "0\tR7 [Tessary] Invalid From and To date range"},
      {"104\t*-*-*;1Foo2002;1Feb2002", "0\tR7 [Tessary] Invalid month in date"},
  });
}

TEST(BalanceFunctionsTest, EveryFailureRowOfTheWorksheetTable) {
  ExpectCalls({
      {"100", "0\tR7 [Tessary] "},
      {"102", "0\tR7 [Tessary] "},
      {"104\t4000;1Jan2002", "0\tR7 [Tessary] "},
      {"126\t5", "0\tR7 [Tessary] "},
      {"100\t4000;Month;1234567890123", "0\tR7 [Tessary] Invalid - company specifier too long"},
      {"104\t4000;1Jan2002;2Jan2002;1234567890123",
       "0\tR7 [Tessary] Invalid - company specifier too long"},
      {"126\t5;4000-10-100;Month;1234567890123",
       "0\tR7 [Tessary] Invalid - company specifier too long"},
      {"100\t4000;Month;, ", "0\tR7 [Tessary] Memory full - BuildCompanyStack"},
      {"100\t4000;Monthly", "0\tR7 [Tessary] Invalid period specifier - Monthly"},
      {"100\t4000;M", "0\tR7 [Tessary] Ambiguous period specifier - M"},
      {"100\t4000;Month,,Month 1", "0\tR7 [Tessary] Invalid comma"},
      {"126\t5;4000-10-100;Monthly", "0\tR7 [Tessary] Invalid period specifier - Monthly"},
      {"100\t4000;Month;07", "0\tR7 [Tessary] Can't open file - 07"},
      {"126\t5;4000-10-100;Month 3;07", "0\tR7 [Tessary] Can't open file - 07"},
      {"104\t*-*-*;1Jan2002;31Dec2002;;X", "0\tR7 [Tessary] Invalid Type parameter in GLTRAN"},
      {"127", "0\tR7 [Tessary] Error:  WDESC not supported for budgets."},
      // A malformed specifier shows its message, never a zero balance.
      {"100\t1000-10-20-30",
       "0\tR7 [Tessary] - The account specifier has too many segments: 1000-10-20-30"},
      {"100\tA~B", "0\tR7 [Tessary] Invalid character: ~ - A~B-*-*"},
      {"100\t1*..2*", "0\tR7 [Tessary] Invalid wildcard character in range - 1*..2*-*-*"},
  });
}

}  // namespace
}  // namespace r7
