// Code 126, the worksheet budget write, end to end through the r7 host: the records it
// writes read back with r7-ledger dump and through code 100, and every refusal leaving the
// budget file as it was.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes/run_program.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;

// Budget record fields, as the accounting system keeps them.
constexpr std::size_t kRecordLength = 353;
constexpr std::size_t kTextAmounts = 30;
constexpr std::size_t kDoubles = 199;

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

std::string TextAmount(const std::string& record, int period) {
  return record.substr(kTextAmounts + 13 * (period - 1), 13);
}

double PeriodAmount(const std::string& record, int period) {
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) {
    bits = (bits << 8) | static_cast<unsigned char>(record[kDoubles + 8 * (period - 1) + i]);
  }
  return std::bit_cast<double>(bits);
}

class BudgetWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    system_ = testing::MakeTempDir("budget-write");
    testing::ProgramRun run = testing::RunProgram(
        "r7-ledger build '" R7_SOURCE_DIR "/tests/fixtures/balances.json' '" + system_ + "'");
    ASSERT_EQ(run.exit_status, 0) << run.err;
  }
  void TearDown() override { fs::remove_all(system_); }

  std::string Batch(const std::string& input, const std::string& settings = "") {
    std::string windir = testing::MakeTempDir("budget-windir");
    std::ofstream(windir + "/R7.INI") << "[R7 for Tessary]\nSystem Directory=" << system_
                                      << "\nCompany=01\nCurrent Year=2002\nNA Label=0\n"
                                      << settings;
    testing::ProgramRun run = testing::RunProgram("r7 batch", input, "R7_WINDIR='" + windir + "'");
    fs::remove_all(windir);
    return run.out;
  }

  // Every record of the company's budget file, in key order.
  std::vector<std::string> BudgetRecords(const std::string& directory = "DATA") {
    testing::ProgramRun run =
        testing::RunProgram("r7-ledger dump '" + system_ + "/" + directory + "/glbudfil.btr'");
    EXPECT_EQ(run.exit_status, 0) << run.err;
    std::vector<std::string> records;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) records.push_back(FromHex(line));
    return records;
  }

  // The record of an account number (24 characters), year and revision code.
  std::string Record(const std::string& key, const std::string& directory = "DATA") {
    for (const std::string& record : BudgetRecords(directory)) {
      if (record.compare(0, key.size(), key) == 0) return record;
    }
    return {};
  }

  std::string system_;
};

const std::string kSalesNorth2002Rev1 =
    "000040000000001000000100"
    "2002"
    "99";

TEST_F(BudgetWriteTest, UpdatesOnePeriodAndReadsItBack) {
  EXPECT_EQ(Batch("126\t-1234.5;4000-10-100;Month 3\n"
                  "100\t4000-10-100;Month 3 Budget\n"
                  "100\t4000-10-100;Month 2 Budget\n"
                  "126\t(1,234.50);4000-10-100;Month 4\n"
                  "100\t4000-10-100;Month 4 Budget\n"),
            "0\t-1234.5\n0\t-1234.5\n0\t-150.\n0\t-1234.50\n0\t-1234.5\n");
  std::string record = Record(kSalesNorth2002Rev1);
  ASSERT_GE(record.size(), kRecordLength);
  EXPECT_EQ(TextAmount(record, 3), "000000001234-");
  EXPECT_EQ(PeriodAmount(record, 3), -1234.5);
  EXPECT_EQ(TextAmount(record, 4), "000000001234-");
  EXPECT_EQ(PeriodAmount(record, 4), -1234.5);
  EXPECT_EQ(PeriodAmount(record, 2), -150.0);
}

TEST_F(BudgetWriteTest, CreatesARecordWithTheOtherPeriodsZero) {
  EXPECT_EQ(Batch("126\t250;5000-10-100;Month 2\n"
                  "100\t5000-10-100;Year Budget\n"
                  "126\t1,000.75-;5000-10-200;Last Month;;2003;2\n"
                  "100\t5000-10-200;Month 4 Budget;;2003;2\n"),
            "0\t250\n0\t250.\n0\t1000.75-\n0\t-1000.75\n");
  std::string created = Record(
      "000050000000001000000100"
      "2002"
      "99");
  ASSERT_EQ(created.size(), kRecordLength);
  for (int period = 1; period <= 13; ++period) {
    EXPECT_EQ(TextAmount(created, period), period == 2 ? "000000000250+" : "000000000000+");
    EXPECT_EQ(PeriodAmount(created, period), period == 2 ? 250.0 : 0.0);
  }
  EXPECT_EQ(created.substr(303), std::string(50, '\0'));
  std::string revision2 = Record(
      "000050000000001000000200"
      "2003"
      "98");
  ASSERT_EQ(revision2.size(), kRecordLength);
  EXPECT_EQ(TextAmount(revision2, 4), "000000001000-");
}

TEST_F(BudgetWriteTest, WritesEachPeriodItemIntoTheWorksheetCompany) {
  EXPECT_EQ(Batch("126\t7;4000;Month 1, Month 13;02\n"
                  "100\t4000;Month 1 Budget, Month 13 Budget;02\n"),
            "0\t7\n0\t14.\n");
  std::string record = Record(
      "000040000000000000000000"
      "2002"
      "99",
      "DATA_02");
  EXPECT_EQ(PeriodAmount(record, 1), 7.0);
  EXPECT_EQ(PeriodAmount(record, 13), 7.0);
  EXPECT_EQ(PeriodAmount(record, 2), -12.0);
}

TEST_F(BudgetWriteTest, EveryRefusalLeavesTheFileUnchanged) {
  const std::vector<std::string> before = BudgetRecords();
  EXPECT_EQ(Batch("126\t1234567890123;4000-10-100;Month 3\n"
                  "126\t5;4000-10-100;Year\n"
                  "126\t5;4000-10-100;Quarter 2\n"
                  "126\t5;4000-10-100;Month Year To Date\n"
                  "126\t5;4000-10-100;Month Last Year\n"
                  "126\t5;4000-10-100;Running Month\n"
                  "126\t5;4000-10-100;Opening Balance Month 3\n"
                  "126\t5;4000-10-100;Month 14\n"
                  "126\t5;4000-10-100;6 Months Ago\n"
                  "126\t5;4*-10-100;Month 3\n"
                  "126\t5;4000..4100-10-100;Month 3\n"
                  "126\t5;4000 10;Month 3\n"
                  "126\t5;4100-10-100;Month 3\n"
                  "126\t5;4000-10-100;Month 3;;02x\n"
                  "126\t5;4000-10-100;Month 3;;;00\n"
                  "126\t5;4000-10-100;Month 3;07\n"
                  "126\t5;40000-10-100;Month 3\n"),
            "0\tR7 [Tessary] Invalid - 1234567890123\n"
            "0\tR7 [Tessary] The period requested is invalid. - Year\n"
            "0\tR7 [Tessary] The period requested is invalid. - Quarter 2\n"
            "0\tR7 [Tessary] The period requested is invalid. - Month Year To Date\n"
            "0\tR7 [Tessary] The period requested is invalid. - Month Last Year\n"
            "0\tR7 [Tessary] The period requested is invalid. - Running Month\n"
            "0\tR7 [Tessary] The period requested is invalid. - Opening Balance Month 3\n"
            "0\tR7 [Tessary] The period requested is invalid. - Month 14\n"
            "0\tR7 [Tessary] The period requested is invalid. - 6 Months Ago\n"
            "0\tR7 [Tessary] Invalid - 4*-10-100\n"
            "0\tR7 [Tessary] Invalid - 4000..4100-10-100\n"
            "0\tR7 [Tessary] Blanks not allowed in account specifier - 4000 10\n"
            "0\tR7 [Tessary] No such account:\n"
            "0\tR7 [Tessary] Invalid - 02x\n"
            "0\tR7 [Tessary] Invalid - 00\n"
            "0\tR7 [Tessary] Can't open file - 07\n"
            "0\tR7 [Tessary] Invalid length for account specifier - 40000-10-100\n");
  EXPECT_EQ(BudgetRecords(), before);
}

TEST_F(BudgetWriteTest, TheBudgetFileIsReadOnlyAgainAfterEveryWrite) {
  // A write, a refused write, then reads: the engine finds its read-only slot each time.
  EXPECT_EQ(Batch("126\t9;4000-20-100;Month 5\n"
                  "126\t9;4100-10-100;Month 5\n"
                  "100\t4000-*-*;Month Budget\n"
                  "100\t4000-*-*;Month Budget;;;2\n"),
            "0\t9\n0\tR7 [Tessary] No such account:\n0\t-141.\n0\t-175.\n");
}

}  // namespace
}  // namespace r7
