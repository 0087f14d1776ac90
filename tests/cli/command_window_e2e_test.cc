// Menu commands and clean-up end to end, through the r7 host with R7.INI in R7_WINDIR.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes/run_program.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;
using testing::RunProgram;

class MenuCommandsEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { windir_ = testing::MakeTempDir("menu-e2e"); }
  void TearDown() override { fs::remove_all(windir_); }
  testing::ProgramRun Batch(const std::string& input) {
    return RunProgram("r7 batch", input, "R7_WINDIR='" + windir_ + "'");
  }
  std::string Ini() {
    std::ifstream in(windir_ + "/R7.INI");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void BuildCompanies() {
    const std::string fixture = windir_ + "/two.json";
    std::ofstream(fixture) << R"({"companies": [
      {"directory": "DATA_02", "name": "Second Co", "segment_lengths": [4, 2, 3],
       "periods": [["20020101", "20020131"]], "current_period": 1},
      {"directory": "DATA_03", "name": "Third Co", "segment_lengths": [4, 2, 3],
       "periods": [["20020101", "20020131"]], "current_period": 1}]})";
    ASSERT_EQ(RunProgram("r7-ledger build '" + fixture + "' '" + windir_ + "/sys'").exit_status, 0);
  }
  std::string windir_;
};

TEST_F(MenuCommandsEndToEnd, SilentSaveWritesEverySettingAndShowsNothing) {
  testing::ProgramRun run = Batch("3\tNoShow=1\n");
  EXPECT_EQ(run.out, "0\t\n");
  EXPECT_EQ(run.err, "");
  const std::string ini = Ini();
  for (const char* line : {"[R7 for Tessary]\n", "Company=00\n", "Zero Label=0\n",
                           "System Directory=C:\\Tessary\n", "NA Label=1\n", "ADPL Enabled=0\n"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(ini.find("NoShow"), std::string::npos);  // pair-only items are not saved
}

TEST_F(MenuCommandsEndToEnd, PairsChangeWhatTheSaveWrites) {
  testing::ProgramRun run = Batch(
      "3\tCompany='05',Zero Label=-,NoShow=1\n"
      // An opening quote quotes up to its match: mismatched and lone quotes end a list.
      "3\tRevision=\"07\",NoShow=1,Frobnicate=1,Rounding,Current Year='2001\"\n"
      "3\tNoShow=1,Budget Year='1999\n"
      "3\tScaling=2,NoShow=1,Scaling\n");
  EXPECT_EQ(run.out, "0\t\n0\t\n0\t\n0\t\n");
  EXPECT_EQ(run.err, "");
  const std::string ini = Ini();
  for (const char* line : {"Company=05\n", "Zero Label=-\n", "Revision=07\n", "Current Year=1994\n",
                           "Budget Year=1999\n", "Rounding=0\n", "Scaling=2\n"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(ini.find("Frobnicate"), std::string::npos);
}

TEST_F(MenuCommandsEndToEnd, InteractiveSetupSaysItIsNotBuiltAndSavesNothing) {
  testing::ProgramRun run = Batch("3\n3\tNoShow=2\n");
  // The box shows before the line whose action showed it.
  EXPECT_EQ(run.out, "box\tR7 [Tessary]\tFunction not supported\n0\t\n0\t\n");
  EXPECT_EQ(run.err, "R7 [Tessary]: Function not supported\n");
  EXPECT_NE(Ini().find("Company=00"), std::string::npos);  // only the silent one saved
}

TEST_F(MenuCommandsEndToEnd, AnUnwritableIniShowsError61) {
  fs::create_directory(windir_ + "/R7.INI.tmp");  // the replacement file cannot be written
  testing::ProgramRun run = Batch("3\tNoShow=1\n");
  EXPECT_EQ(run.out, "box\tR7 [Tessary]\tThe .INI file could not be written.\n0\t\n");
  EXPECT_EQ(run.err, "R7 [Tessary]: The .INI file could not be written.\n");
}

TEST_F(MenuCommandsEndToEnd, CleanupFreesEverythingAndTheNextCallStartsAfresh) {
  testing::ProgramRun run = Batch("3\tCompany=05,NoShow=1\ncleanup\n125\ncleanup\ncleanup\n");
  EXPECT_EQ(run.out,
            "0\t\n0\t\n"
            "0\tR7 DLL Version 4.0.0.4 for Tessary, Btrieve/Pervasive, August, 2002\n"
            "0\t\n0\t\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(MenuCommandsEndToEnd, SilentAndAutomaticPreloadsRunQuietly) {
  BuildCompanies();
  std::ofstream(windir_ + "/R7.INI") << "[R7 for Tessary]\nSystem Directory=" << windir_
                                     << "/sys\nADPL Enabled=1\nADPL Company On 03=1\n"
                                        "ADPL Company On 02=0\n";
  testing::ProgramRun run = Batch(
      "8\n"
      "20\tDPL Company=02,DPL Account=*-*-*,NoShow=1\n"
      "20\tDPL Company=99,NoShow=1\n"
      "21\tNoShow=1\n");
  EXPECT_EQ(run.out, "0\t\n0\t\n0\t\n0\t\n");
  // Start-up preloads company 03 only; the silent command preloads 02; 99 does not load.
  // Neither company has accounts, and a preload without a window of its own says nothing.
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace r7
