// The r7 host end to end: the contract other programs rely on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/r7/r7_host.h"
#include "fakes/run_program.h"

namespace r7 {
namespace {

using testing::RunProgram;

constexpr const char* kVersionLine =
    "R7 DLL Version 4.0.0.4 for Tessary, Btrieve/Pervasive, August, 2002\r\n";
constexpr const char* kRejected = "R7 [Tessary] The command/request was not processed -  ";

class R7HostTest : public ::testing::Test {
 protected:
  void SetUp() override { windir_ = testing::MakeTempDir("windir"); }
  void TearDown() override { std::filesystem::remove_all(windir_); }
  testing::ProgramRun R7(const std::string& args, const std::string& input = "") {
    return RunProgram("r7 " + args, input, "R7_WINDIR='" + windir_ + "'");
  }
  std::string windir_;
};

TEST_F(R7HostTest, CallWritesTheResultBytesAndExitsWithTheReturnValue) {
  testing::ProgramRun version = R7("call 125");
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_EQ(version.out, kVersionLine);
  for (const char* code : {"7", "101", "128", "-5"}) {
    testing::ProgramRun rejected = R7(std::string("call ") + code);
    EXPECT_EQ(rejected.exit_status, 1) << code;
    EXPECT_EQ(rejected.out, kRejected) << code;
  }
}

TEST_F(R7HostTest, BatchSharesOneDriverAndEscapesItsResults) {
  std::ofstream(windir_ + "/R7.INI") << "[R7 for Tessary]\nZero Label=a\\b\n";
  testing::ProgramRun run = R7("batch",
                               "125\n"
                               "7\tignored\n"
                               "11\r\n"
                               "12\n"
                               "100\t1000;Month\n"
                               "cleanup\n"
                               "x7\n"
                               "127\n");
  EXPECT_EQ(run.exit_status, 2);  // one line held no command code
  EXPECT_EQ(run.out,
            "0\tR7 DLL Version 4.0.0.4 for Tessary, Btrieve/Pervasive, August, 2002\n"
            "1\tR7 [Tessary] The command/request was not processed -  \n"
            "0\t\n"
            "0\t\n"
            "0\tR7 [Tessary] Can't open file - 00\n"
            "0\t\n"
            "-1\tnot a command code: x7\n"
            "0\tR7 [Tessary] Error:  WDESC not supported for budgets.\n");
}

TEST_F(R7HostTest, RejectsABadCommandLine) {
  for (const char* args :
       {"", "call", "call abc", "call 1 2 3", "frobnicate", "--answer maybe call 125"}) {
    testing::ProgramRun run = R7(args);
    EXPECT_EQ(run.exit_status, 2) << args;
    EXPECT_NE(run.err.find("usage: r7"), std::string::npos) << args;
  }
}

TEST_F(R7HostTest, WritesTheClipboardAtExit) {
  testing::ProgramRun run = R7("--clipboard - call 125");
  EXPECT_EQ(run.out, kVersionLine);  // the clipboard is empty so far
}

TEST(EscapeBatchResultTest, EscapesAndDropsTheLineEnd) {
  EXPECT_EQ(cli::EscapeBatchResult("a\\b\tc\r\nd\r\n"), "a\\\\b\\tc\\r\\nd");
  EXPECT_EQ(cli::EscapeBatchResult("\r\n"), "");
  EXPECT_EQ(cli::EscapeBatchResult("no end"), "no end");
  EXPECT_EQ(cli::ParseCommandCode("-5"), -5);
  EXPECT_EQ(cli::ParseCommandCode("+12"), 12);
  EXPECT_EQ(cli::ParseCommandCode("12x"), std::nullopt);
  EXPECT_EQ(cli::ParseCommandCode("99999999999"), std::nullopt);
  EXPECT_EQ(cli::ParseCommandCode(""), std::nullopt);
}

}  // namespace
}  // namespace r7
