// The account-usage report of codes 11 and 12 through the driver: the clipboard text it leaves.
#include <gtest/gtest.h>

#include <sstream>

#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"

namespace r7 {
namespace {

// Runs the calls and returns the clipboard's text after them.
std::string Clipboard(const std::string& input, const std::string& settings) {
  testing::R7Session session(testing::SharedFixture("balances"),
                             "Company=01\nCurrent Year=2002\n" + settings);
  std::istringstream lines(input);
  for (std::string line; std::getline(lines, line);) session.Answer(line);
  return session.fake.clipboard.GetText().value_or("");
}

TEST(UsageReportTest, ListsUnusedRunsAndUsedAccountsWithCounts) {
  EXPECT_EQ(Clipboard("100\t4000-10-100;Month\n"  // before tracking: not counted
                      "11\n"
                      "100\t4000-10-100;Month\n"
                      "100\t4000-*-*;Month\n"
                      "102\t1000-10-100\n"
                      "100\t4000;Month;03\n"
                      "12\n",
                      "NA Label=0\n"),
            "Two Segment Co\tThe current sheet does not use the following accounts:\r\n"
            "\r\n"
            "From\t'1000-10\tTo\t'1000-10\r\n"
            "\r\n"
            "The current sheet uses the following accounts:\r\n"
            "\r\n"
            "'4000-10\tSales\t1\r\n"
            "'4000-20\tSales Two\t1\r\n"
            "Balance Three Co\tThe current sheet does not use the following accounts:\r\n"
            "\r\n"
            "From\t'1000-20-100\tTo\t'1000-20-100\r\n"
            "From\t'4500-10-100\tTo\t'5000-10-200\r\n"
            "\r\n"
            "The current sheet uses the following accounts:\r\n"
            "\r\n"
            "'4000-10-100\tSales North\t2\r\n"
            "'4000-20-100\tSales South\t1\r\n"
            "'1000-10-100\tCash North\t1\r\n");
}

TEST(UsageReportTest, RecordsTheDescriptionOfTheAccountVisited) {
  // The chart's first match (4500) has no balance record; 5000 is the first one visited.
  EXPECT_EQ(Clipboard("11\n"
                      "100\t4500-10-100,5000-10-100;Month\n"
                      "100\t4500-10-100,5000-10-100;Month, Year\n"
                      "12\n",
                      "NA Label=1\n"),
            "Balance Three Co\tThe current sheet does not use the following accounts:\r\n"
            "\r\n"
            "From\t'1000-10-100\tTo\t'4500-10-100\r\n"
            "From\t'5000-10-200\tTo\t'5000-10-200\r\n"
            "\r\n"
            "The current sheet uses the following accounts:\r\n"
            "\r\n"
            "'5000-10-100\tRent\t3\r\n");
}

TEST(UsageReportTest, AReportEmptiesTheListsItReports) {
  // The second report finds nothing used since the first, and leaves an empty clipboard.
  EXPECT_EQ(Clipboard("11\n100\t4000-10-100;Month\n12\n11\n12\n", "NA Label=0\n"), "");
  EXPECT_EQ(Clipboard("11\n11\n12\n", "NA Label=0\n"), "");
}

}  // namespace
}  // namespace r7
