// Code 115, company information, end to end through the r7 host.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes/run_program.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;

class CompanyInformationTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    system_ = testing::MakeTempDir("info");
    testing::ProgramRun run = testing::RunProgram(
        "r7-ledger build '" R7_SOURCE_DIR "/tests/fixtures/companies.json' '" + system_ + "'");
    ASSERT_EQ(run.exit_status, 0) << run.err;
    fs::remove(fs::path(system_) / "DATA_07" / "glprdv66.dat");
  }
  static void TearDownTestSuite() { fs::remove_all(system_); }

  // One r7 batch over `lines` with these settings; its output lines.
  std::string Batch(const std::string& settings, const std::string& lines) {
    std::string windir = testing::MakeTempDir("info-windir");
    std::ofstream(windir + "/R7.INI") << "[R7 for Tessary]\nSystem Directory=" << system_ << "\n"
                                      << settings;
    testing::ProgramRun run = testing::RunProgram("r7 batch", lines, "R7_WINDIR='" + windir + "'");
    fs::remove_all(windir);
    return run.out;
  }

  static inline std::string system_;
};

TEST_F(CompanyInformationTest, AnswersEachKeyword) {
  EXPECT_EQ(Batch("Company=05\n",
                  "115\tNAME;01\n"
                  "115\tname\n"
                  "115\tNam;01,02\n"
                  "115\tPERIOD;02\n"
                  "115\tYEAR;05\n"
                  "115\tENTITY;east\n"
                  "115\tENT\n"
                  "115\tMAIN;02\n"
                  "115\ttso;02\n"
                  "115\tSEGMENTS;05\n"
                  "115\tSEG;01\n"
                  "115\tORIGIN;99\n"
                  "115\tfoo;01\n"
                  "115\tStart 3;01\n"
                  "115\tend13;01\n"
                  "115\tEnd 14;01\n"
                  "115\tNA;01\n"
                  "115\n"
                  "115\tNAME;99\n"
                  "115\tNAME;07\n"
                  "115\tNAME;1234567890123\n"
                  "115\tNAME;AB\n"),
            "0\tOne Segment Co\n"
            "0\tThree Segment Co\n"
            "0\tOne Segment Co\n"
            "0\t13\n"
            "0\t2002\n"
            "0\t^-^(10..19,30),(000..999,010)\n"
            "0\tERR\n"
            "0\t1\n"
            "0\t^-^\n"
            "0\t3\n"
            "0\t1\n"
            "0\tTessary General Ledger\n"
            "42\tR7 [Tessary] Function not supported - foo\n"
            "0\tR7 [Tessary] Function not supported\n"
            "0\tR7 [Tessary] Function not supported\n"
            "42\tR7 [Tessary] Function not supported - End 14\n"
            "42\tR7 [Tessary] Function not supported - NA\n"
            "0\tERR\n"
            "0\tR7 [Tessary] Can't open file - 99\n"
            "0\tR7 [Tessary] Can't open file - 07\n"
            "0\tR7 [Tessary] Invalid - company specifier too long\n"
            "0\tLetter Code Co\n");
}

TEST_F(CompanyInformationTest, TheCurrentPeriodSettingWinsAndAFailedCompanyKeepsFailing) {
  EXPECT_EQ(Batch("Current Period=5\n",
                  "115\tPERIOD;02\n"
                  "115\tPERIOD;05\n"
                  "115\tPERIOD;07\n"
                  "115\tPERIOD;07\n"),
            "0\t5\n"
            "0\t5\n"
            "0\tR7 [Tessary] Can't open file - 07\n"
            "0\tR7 [Tessary] Can't open file - 07\n");
}

}  // namespace
}  // namespace r7
