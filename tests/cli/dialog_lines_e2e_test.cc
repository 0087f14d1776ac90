// The dialog lines of r7 batch end to end, against the About dialog and the command
// window's menu: what each line answers, and the refusal that names what is missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes/run_program.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;

struct Line {
  const char* input;
  const char* output;  // the output lines it gives, each ended by a line feed
};

class DialogLinesEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { windir_ = testing::MakeTempDir("dialog-lines"); }
  void TearDown() override { fs::remove_all(windir_); }

  // Runs every line in one batch and checks the output of each, in order.
  void ExpectLines(const std::vector<Line>& lines, const std::string& options = "") {
    std::string input;
    for (const Line& line : lines) input += std::string(line.input) + "\n";
    testing::ProgramRun run =
        testing::RunProgram("r7 " + options + " batch", input, "R7_WINDIR='" + windir_ + "'");
    std::istringstream out(run.out);
    for (const Line& line : lines) {
      std::string expected = line.output, got;
      for (std::size_t n = std::count(expected.begin(), expected.end(), '\n'); n > 0; --n) {
        std::string one;
        std::getline(out, one);
        got += one + "\n";
      }
      EXPECT_EQ(got, expected) << line.input;
    }
    std::string rest;
    EXPECT_FALSE(std::getline(out, rest)) << "more output: " << rest;
  }
  std::string windir_;
};

TEST_F(DialogLinesEndToEnd, TheAboutDialogThroughTheMenu) {
  ExpectLines({
      {"dialogs", "0\t\n"},
      {"dialog ABOUT", "1\tno dialog ABOUT\n"},
      {"show 1", "1\tno dialog addressed: a dialog line names one first\n"},
      {"menu 101", "0\t\n"},
      {"dialogs", "0\tABOUT\\tR7 About [Tessary]\n"},
      {"dialog about", "0\tR7 About [Tessary]\n"},
      {"show 3001",
       "0\tR7 DLL Version 4.0.0.4 for Tessary,\\nBtrieve and Pervasive, August 2002\n"},
      {"show 1", "0\tOK\n"},
      {"activate", "0\t\n"},
      {"deactivate", "0\t\n"},
      {"press 1", "0\t\n"},
      {"dialogs", "0\t\n"},
      {"press 1", "1\tno dialog about\n"},
  });
}

TEST_F(DialogLinesEndToEnd, RefusalsNameWhatIsMissingAndChangeNothing) {
  ExpectLines({
      {"menu 101", "0\t\n"},
      {"dialog ABOUT", "0\tR7 About [Tessary]\n"},
      {"show 99", "1\tno control 99\n"},
      {"set 3001 x", "1\tcontrol 3001 takes no typing\n"},
      {"select 1 0", "1\tcontrol 1 has no entries\n"},
      {"check 1 1", "1\tcontrol 1 is not a check box or radio button\n"},
      {"press 3001", "1\tcontrol 3001 is not a button\n"},
      {"dblclick 1 0", "1\tcontrol 1 is not a list view\n"},
      {"sort 1 0", "1\tcontrol 1 is not a list view\n"},
      {"press x", "1\tpress takes a control ID\n"},
      {"press 1 now", "1\tpress takes ID\n"},
      {"activate now", "1\tactivate takes nothing more\n"},
      {"menu first", "1\tmenu takes ID\n"},
      {"dialog", "1\tdialog takes NAME\n"},
      {"answer maybe", "1\tanswer takes yes, no, ok or cancel\n"},
      {"dialog DRILL", "1\tno dialog DRILL\n"},
      {"show 1", "0\tOK\n"},  // the refused line left the About dialog addressed
      {"dialogs", "0\tABOUT\\tR7 About [Tessary]\n"},
      {"frobnicate", "-1\tnot a command code: frobnicate\n"},
  });
}

TEST_F(DialogLinesEndToEnd, BoxesShowBeforeTheLineThatShowedThem) {
  ExpectLines({
      {"menu 103", "box\tR7 [Tessary]\tCan't open file - 00\n0\t\n"},  // no ledger here
      {"answer no", "0\t\n"},
      {"125", "0\tR7 DLL Version 4.0.0.4 for Tessary, Btrieve/Pervasive, August, 2002\n"},
  });
}

TEST_F(DialogLinesEndToEnd, TheClipboardAsTheUserCopiedIt) {
  std::ofstream(windir_ + "/copied.txt", std::ios::binary) << "Account\t1\r\n4000\t12.5\r\n";
  ExpectLines({{"clipboard", "0\tAccount\\t1\\r\\n4000\\t12.5\\r\\n\n"}},
              "--clipboard-in '" + windir_ + "/copied.txt'");
}

}  // namespace
}  // namespace r7
