// Code 126, the budget write, through the driver: records read back, refusals change nothing.
#include <gtest/gtest.h>

#include "fakes/ledger_fixture.h"
#include "fakes/ledger_records.h"
#include "fakes/r7_session.h"

namespace r7 {
namespace {

class BudgetWriteTest : public ::testing::Test {
 protected:
  // Each test writes into a copy of its own.
  void ExpectCalls(const std::vector<testing::BatchCall>& calls) {
    testing::ExpectCalls(system_.path(), "Company=01\nCurrent Year=2002\nNA Label=0\n", calls);
  }

  // Every record of the company's budget file, in key order.
  std::vector<std::string> BudgetRecords(const std::string& directory = "DATA") {
    return testing::DumpRecords(system_.path() + "/" + directory + "/glbudfil.btr");
  }

  // The record of an account number (24 characters), year and revision code.
  std::string Record(const std::string& account, const std::string& year,
                     const std::string& revision, const std::string& directory = "DATA") {
    const std::string key = account + year + revision;
    for (const std::string& record : BudgetRecords(directory)) {
      if (record.compare(0, key.size(), key) == 0) return record;
    }
    return {};
  }

  testing::FixtureDirectory system_{testing::BuildFixture("balances")};
};

TEST_F(BudgetWriteTest, UpdatesOnePeriodAndReadsItBack) {
  ExpectCalls({
      {"126\t-1234.5;4000-10-100;Month 3", "0\t-1234.5"},
      {"100\t4000-10-100;Month 3 Budget", "0\t-1234.5"},
      {"100\t4000-10-100;Month 2 Budget", "0\t-150."},
      {"126\t(1,234.50);4000-10-100;Month 4", "0\t-1234.50"},
      {"100\t4000-10-100;Month 4 Budget", "0\t-1234.5"},
  });
  std::string record = Record("000040000000001000000100", "2002", "99");
  ASSERT_GE(record.size(), testing::kBudgetRecordLength);
  EXPECT_EQ(testing::BudgetTextAmount(record, 3), "000000001234-");
  EXPECT_EQ(testing::BudgetAmount(record, 3), -1234.5);
  EXPECT_EQ(testing::BudgetTextAmount(record, 4), "000000001234-");
  EXPECT_EQ(testing::BudgetAmount(record, 4), -1234.5);
  EXPECT_EQ(testing::BudgetAmount(record, 2), -150.0);
}

TEST_F(BudgetWriteTest, CreatesARecordWithTheOtherPeriodsZero) {
  ExpectCalls({
      {"126\t250;5000-10-100;Month 2", "0\t250"},
      {"100\t5000-10-100;Year Budget", "0\t250."},
      {"126\t1,000.75-;5000-10-200;Last Month;;2003;2", "0\t1000.75-"},
      {"100\t5000-10-200;Month 4 Budget;;2003;2", "0\t-1000.75"},
  });
  std::string created = Record("000050000000001000000100", "2002", "99");
  ASSERT_EQ(created.size(), testing::kBudgetRecordLength);
  for (int period = 1; period <= 13; ++period) {
    EXPECT_EQ(testing::BudgetTextAmount(created, period),
              period == 2 ? "000000000250+" : "000000000000+");
    EXPECT_EQ(testing::BudgetAmount(created, period), period == 2 ? 250.0 : 0.0);
  }
  EXPECT_EQ(created.substr(303), std::string(50, '\0'));
  std::string revision2 = Record("000050000000001000000200", "2003", "98");
  ASSERT_EQ(revision2.size(), testing::kBudgetRecordLength);
  EXPECT_EQ(testing::BudgetTextAmount(revision2, 4), "000000001000-");
}

TEST_F(BudgetWriteTest, WritesEachPeriodItemIntoTheWorksheetCompany) {
  ExpectCalls({{"126\t7;4000;Month 1, Month 13;02", "0\t7"},
               {"100\t4000;Month 1 Budget, Month 13 Budget;02", "0\t14."}});
  std::string record = Record("000040000000000000000000", "2002", "99", "DATA_02");
  EXPECT_EQ(testing::BudgetAmount(record, 1), 7.0);
  EXPECT_EQ(testing::BudgetAmount(record, 13), 7.0);
  EXPECT_EQ(testing::BudgetAmount(record, 2), -12.0);
}

TEST_F(BudgetWriteTest, EveryRefusalLeavesTheFileUnchanged) {
  const std::vector<std::string> before = BudgetRecords();
  std::vector<testing::BatchCall> calls = {
      {"126\t1234567890123;4000-10-100;Month 3", "0\tR7 [Tessary] Invalid - 1234567890123"},
      {"126\t5;4*-10-100;Month 3", "0\tR7 [Tessary] Invalid - 4*-10-100"},
      {"126\t5;4000..4100-10-100;Month 3", "0\tR7 [Tessary] Invalid - 4000..4100-10-100"},
      {"126\t5;4000 10;Month 3",
       "0\tR7 [Tessary] Blanks not allowed in account specifier - 4000 10"},
      {"126\t5;4100-10-100;Month 3", "0\tR7 [Tessary] No such account:"},
      {"126\t5;4000-10-100;Month 3;;02x", "0\tR7 [Tessary] Invalid - 02x"},
      {"126\t5;4000-10-100;Month 3;;;00", "0\tR7 [Tessary] Invalid - 00"},
      {"126\t5;4000-10-100;Month 3;07", "0\tR7 [Tessary] Can't open file - 07"},
      {"126\t5;40000-10-100;Month 3",
       "0\tR7 [Tessary] Invalid length for account specifier - 40000-10-100"},
  };
  // One period is written at a time: every other phrase is refused by name.
  for (const std::string period :
       {"Year", "Quarter 2", "Month Year To Date", "Month Last Year", "Running Month",
        "Opening Balance Month 3", "Month 14", "6 Months Ago"}) {
    calls.push_back({"126\t5;4000-10-100;" + period,
                     "0\tR7 [Tessary] The period requested is invalid. - " + period});
  }
  ExpectCalls(calls);
  EXPECT_EQ(BudgetRecords(), before);
}

TEST_F(BudgetWriteTest, TheBudgetFileIsReadOnlyAgainAfterEveryWrite) {
  // A write, a refused write, then reads: the engine finds its read-only slot each time.
  ExpectCalls({
      {"126\t9;4000-20-100;Month 5", "0\t9"},
      {"126\t9;4100-10-100;Month 5", "0\tR7 [Tessary] No such account:"},
      {"100\t4000-*-*;Month Budget", "0\t-141."},
      {"100\t4000-*-*;Month Budget;;;2", "0\t-175."},
  });
}

}  // namespace
}  // namespace r7
