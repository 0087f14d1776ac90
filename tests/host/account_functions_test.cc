// Codes 103, 114 and 116 end to end: the r7 host over ledgers built from the account
// fixture by r7-ledger.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes/run_program.h"

namespace r7 {
namespace {

using testing::RunProgram;

class AccountFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::MakeTempDir("accounts");
    std::string fixture = std::string(R7_SOURCE_DIR) + "/tests/fixtures/accounts.json";
    ASSERT_EQ(RunProgram("r7-ledger build '" + fixture + "' '" + dir_ + "/sys'").exit_status, 0);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void WriteIni(const std::string& extra = "") {
    // The extra settings come first: the first of two equal keys is the one read.
    std::ofstream(dir_ + "/R7.INI") << "[R7 for Tessary]\n"
                                    << extra << "System Directory=" << dir_
                                    << "/sys\nCompany=02\nCurrent Year=2002\nRevision=1\n"
                                    << "NA Label=0\nFinancial Entities File in GL Path=1\n";
  }
  // One batch; its output lines.
  std::string Batch(const std::string& input) {
    return RunProgram("r7 batch", input, "R7_WINDIR='" + dir_ + "'").out;
  }
  std::string dir_;
};

TEST_F(AccountFunctionsTest, AccountDescriptionsOfEverySpecifierForm) {
  WriteIni();
  EXPECT_EQ(Batch("103\t1000-10-100\n"
                  "103\t4*\n"
                  "103\t4??0-20\n"
                  "103\t(4100,5000)(10)(*)\n"
                  "103\t^-^-200(5000,4000)(10,20)\n"
                  "103\tSALES-*-*\n"
                  "103\tINCOME\n"
                  "103\tLONGLIST-*-200\n"
                  "103\t4000..4999-20\n"
                  "103\t*-REGIONS-200\n"
                  "103\tab\n"
                  "103\t1000;03\n"
                  "103\t1000;03,02\n"),
            "0\tCash East\n"
            "0\tSales East\n"
            "0\tSales West\n"
            "0\tService\n"
            "0\tRent\n"
            "0\tSales East\n"
            "0\tSales East\n"
            "0\tR7 [Tessary] No matching accounts found - 1000-*-200\n"  // the first item
            "0\tSales West\n"
            "0\tRent\n"
            "0\tLettered account\n"
            "0\tCash East\n"
            "0\tCash East\n");
}

TEST_F(AccountFunctionsTest, AccountDescriptionFailures) {
  WriteIni();
  EXPECT_EQ(Batch("103\t9999\n"
                  "103\t1000-10-20-30\n"
                  "103\t(1000\n"
                  "103\t'1000\n"
                  "103\t((1))\n"
                  "103\t1000..-*-*\n"
                  "103\tA~B\n"
                  "103\t1*..2*\n"
                  "103\t10000\n"
                  "103\t\n"
                  "103\t1000;ABCDEFGHIJKLM\n"
                  "103\t1000;99\n"
                  "103\t4000,1000\n"),
            "0\tR7 [Tessary] No matching accounts found - 9999-*-*\n"
            "0\tR7 [Tessary] - The account specifier has too many segments: 1000-10-20-30\n"
            "0\tR7 [Tessary] - Unbalanced parentheses in argument\n"
            "0\tR7 [Tessary] - Unbalanced quotes in argument\n"
            "0\tR7 [Tessary] - The account specifier is unbalanced: ((1))\n"
            "0\tR7 [Tessary] Invalid length for account specifier - 1000..-*-*\n"
            "0\tR7 [Tessary] Invalid character: ~ - A~B-*-*\n"
            "0\tR7 [Tessary] Invalid wildcard character in range - 1*..2*-*-*\n"
            "0\tR7 [Tessary] Invalid length for account specifier - 10000-*-*\n"
            "0\tR7 [Tessary] \n"
            "0\tR7 [Tessary] Invalid - company specifier too long\n"
            "0\tR7 [Tessary] Can't open file - 99\n"
            "0\tSales East\n");
}

TEST_F(AccountFunctionsTest, NaLabelSkipsUnmatchedTokens) {
  WriteIni("NA Label=1\n");
  EXPECT_EQ(Batch("103\t9999,4000\n"
                  "103\t9999\n"
                  "116\tDESC;9999\n"),
            "0\tSales East\n"
            "0\tR7 [Tessary] No matching accounts found\n"
            "0\tERR\n");
  WriteIni();
  EXPECT_EQ(Batch("103\t9999,4000\n"), "0\tR7 [Tessary] No matching accounts found - 9999-*-*\n");
}

TEST_F(AccountFunctionsTest, PatternsUnderEachMappingSetting) {
  for (const char* mapping : {"1", "2", "3"}) {
    WriteIni(std::string("Account Mapping=") + mapping + "\n");
    std::string out = Batch("103\t4??0-20\n103\t4*-20\n");
    if (std::string(mapping) == "1") {
      // Mapped in place: '4*' lines up with the key field, '4??0' no longer matches.
      EXPECT_EQ(out, "0\tR7 [Tessary] No matching accounts found - 00004??0-20-*\n0\tSales West\n");
    } else if (std::string(mapping) == "2") {
      EXPECT_EQ(out, "0\tSales West\n0\tR7 [Tessary] No matching accounts found - 4*-20-*\n");
    } else {
      EXPECT_EQ(out, "0\tSales West\n0\tSales West\n");
    }
  }
}

TEST_F(AccountFunctionsTest, AccountInformationKeywords) {
  WriteIni();
  EXPECT_EQ(Batch("116\tTYPE;4000\n"
                  "116\tTYP;1000\n"
                  "116\ttypical;4000\n"
                  "116\tCONSOLIDATION;1000-10-100\n"
                  "116\tSAF;1000\n"
                  "116\tdescription;5000\n"
                  "116\tXYZ;1000\n"
                  "116\tDESC;9999\n"
                  "116\tDESC\n"
                  "116\tDESC;1000;ABCDEFGHIJKLM\n"),
            "0\tP\n"
            "0\tB\n"
            "0\tC\n"
            "0\t9000-10-100\n"
            "0\tS\n"
            "0\tRent\n"
            "42\tR7 [Tessary] Function not supported - XYZ\n"
            "0\tR7 [Tessary] No matching accounts found - 9999-*-*\n"
            "0\tERR\n"
            "0\tR7 [Tessary] Invalid - company specifier too long\n");
}

TEST_F(AccountFunctionsTest, SegmentDescriptions) {
  WriteIni();
  EXPECT_EQ(Batch("114\t;1\n"
                  "114\t;2\n"
                  "114\t;3\n"
                  "114\t;4\n"
                  "114\t1000-10-100;2\n"
                  "114\t20;2\n"
                  "114\t1000-0-100,x;3\n"
                  "114\t1000;1\n"
                  "114\t4000-20-200;0\n"
                  "114\t1000-99-100;2\n"
                  "114\t1000-10-100;4\n"
                  "114\t^-^-^(4000)(20)(200);1\n"
                  "114\tA~B-1;2\n"
                  "114\t9999;1\n"
                  "114\n"
                  "114\t1000;1;ABCDEFGHIJKLM\n"),
            "0\tMain\n"
            "0\tProfit Center\n"
            "0\tDepartment\n"
            "1\tR7 [Tessary]\n"
            "0\tEast region\n"
            "0\tWest region\n"
            "0\tSales department\n"
            "0\tCash East\n"
            "0\tSales West\n"
            "38\tR7 [Tessary] Btrieve error - 1000-99-100\n"
            "1\tR7 [Tessary] - 1000-10-100\n"
            "0\tSales West\n"
            "8\tR7 [Tessary] Invalid character: ~ - A~B-1\n"
            "22\tR7 [Tessary] No matching accounts found - 9999-*-*\n"
            "4\tR7 [Tessary] \n"
            "1\tR7 [Tessary] Invalid - company specifier too long\n");
}

TEST_F(AccountFunctionsTest, SegmentDescriptionsFromTheEntitiesFileWhenListsUseIt) {
  WriteIni("Lists use Financial Entity file=1\n");
  EXPECT_EQ(Batch("114\t10;2\n114\t20;2\n114\t5000;1\n114\t4000..4999;1\n"),
            "0\tEast from the file\n0\tWest region\n0\tRENT\n0\tSALES\n");
  WriteIni();
  EXPECT_EQ(Batch("114\t10;2\n"), "0\tEast region\n");
}

TEST_F(AccountFunctionsTest, CallAnswersOneFunction) {
  WriteIni();
  testing::ProgramRun run = RunProgram("r7 call 103 'SALES-20'", "", "R7_WINDIR='" + dir_ + "'");
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.out, "Sales West\r\n");
  run = RunProgram("r7 call 116 'XYZ;1000'", "", "R7_WINDIR='" + dir_ + "'");
  EXPECT_EQ(run.exit_status, 42);
}

}  // namespace
}  // namespace r7
