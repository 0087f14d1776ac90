// The r7 host end to end: the contract other programs rely on.
#include <gtest/gtest.h>

#include "cli/r7/r7_host.h"
#include "fakes/r7_program.h"

namespace r7 {
namespace {

constexpr const char* kVersionLine =
    "R7 DLL Version 4.0.0.4 for Tessary, Btrieve/Pervasive, August, 2002\r\n";
constexpr const char* kRejected = "R7 [Tessary] The command/request was not processed -  ";

TEST(R7HostTest, CallWritesTheResultBytesAndExitsWithTheReturnValue) {
  testing::R7Program r7;
  testing::ProgramRun version = r7.Run("call 125");
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_EQ(version.out, kVersionLine);
  for (const char* code : {"7", "101", "128", "-5"}) {
    testing::ProgramRun rejected = r7.Run(std::string("call ") + code);
    EXPECT_EQ(rejected.exit_status, 1) << code;
    EXPECT_EQ(rejected.out, kRejected) << code;
  }
  // The clipboard is written at exit; it is empty so far.
  EXPECT_EQ(r7.Run("--clipboard - call 125").out, kVersionLine);
}

TEST(R7HostTest, BatchSharesOneDriverAndEscapesItsResults) {
  testing::R7Program r7;
  r7.WriteIni("Zero Label=a\\b\n");
  testing::ProgramRun run = r7.Run("batch",
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

TEST(R7HostTest, RejectsABadCommandLine) {
  testing::R7Program r7;
  for (const char* args :
       {"", "call", "call abc", "call 1 2 3", "frobnicate", "--answer maybe call 125"}) {
    testing::ProgramRun run = r7.Run(args);
    EXPECT_EQ(run.exit_status, 2) << args;
    EXPECT_NE(run.err.find("usage: r7"), std::string::npos) << args;
  }
}

TEST(EscapeBatchResultTest, EscapesAndDropsTheLineEnd) {
  EXPECT_EQ(cli::EscapeBatchResult("a\\b\tc\r\nd\r\n"), "a\\\\b\\tc\\r\\nd");
  EXPECT_EQ(cli::EscapeBatchResult("\r\n"), "");
  EXPECT_EQ(cli::EscapeBatchResult("no end"), "no end");
  struct Case {
    const char* text;
    std::optional<int> code;
  } cases[] = {{"-5", -5}, {"+12", 12}, {"12x", {}}, {"99999999999", {}}, {"", {}}};
  for (const Case& c : cases) EXPECT_EQ(cli::ParseCommandCode(c.text), c.code) << c.text;
}

}  // namespace
}  // namespace r7
