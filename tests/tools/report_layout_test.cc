// The Report dialog: a layout of the ledger onto the clipboard, and each refusal.
#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/desktop_session.h"
#include "fakes/ledger_fixture.h"
#include "resources/report_dialog_ids.h"

namespace r7 {
namespace {

// Segment lengths 4, 3 and 2; layout 7 and nothing else.
constexpr char kLedger[] = R"({"companies": [{"directory": "DATA", "name": "Layout Co",
    "segment_lengths": [4, 3, 2], "periods": [["20020101", "20020131"]], "current_period": 1,
    "accounts": [{"account": "1000-100-10", "description": "Cash", "type": "B"}],
    "layouts": [{"number": 7, "lines": [
      {"line": 0, "type": "HDR", "text": "Balance sheet"},
      {"line": 10, "type": "LIT", "text": "Assets"},
      {"line": 20, "type": "A", "text": "000010000000010000000010"},
      {"line": 30, "type": "RNG", "text": "000010000000000000000000000010000000099900000099"},
      {"line": 40, "type": "DL", "text": ""},
      {"line": 50, "type": "F", "text": ""}]},
      {"number": 8, "lines": [{"line": 10, "type": "LIT", "text": "No head record"}]}]}]})";

class ReportLayoutTest : public ::testing::Test {
 protected:
  void Open() {
    session_.Menu(105);
    dialog_ = session_.Dialog("REPORT");
  }
  // What Import leaves: the clipboard, or the boxes it showed.
  std::string Import(const std::string& number, bool profit_centers, bool departments) {
    session_.desktop.clipboard.SetText("(before)");
    session_.Type(dialog_, R7_REPORT_LAYOUT_NUMBER, number);
    session_.Check(dialog_, R7_REPORT_PROFIT_CENTERS, profit_centers);
    session_.Check(dialog_, R7_REPORT_DEPARTMENTS, departments);
    session_.Press(dialog_, platform::kOkButton);
    std::string boxes;
    for (const std::string& box : session_.BoxTexts()) boxes += box + "\n";
    return boxes.empty() ? session_.desktop.clipboard.GetText().value_or("(none)") : boxes;
  }
  testing::FixtureDirectory system_{testing::BuildFixtureText(kLedger)};
  testing::DesktopSession session_{system_.path(), "Company=01\nCurrent Year=2002\n"};
  platform::WindowId dialog_ = platform::kNoWindow;
};

TEST_F(ReportLayoutTest, ALayoutBecomesRowsWithTheSegmentsAskedFor) {
  Open();
  EXPECT_FALSE(session_.Show(dialog_, R7_REPORT_PROFIT_CENTERS).checked);
  EXPECT_FALSE(session_.Show(dialog_, R7_REPORT_DEPARTMENTS).checked);
  EXPECT_EQ(session_.Show(dialog_, R7_REPORT_LAYOUT_NUMBER).text, "001");
  const std::string assets = "  \t'Assets" + std::string(44, ' ') + "\r\n";
  const std::string tail = "  \t  \t  \t  \t===============\r\n\r\n\r\n";
  struct Case {
    const char* number;
    bool profit_centers;
    bool departments;
    std::string result;
  } cases[] = {
      {"7", false, false, assets + "  \t'1000-\r\nRNG\t'1000-\r\n" + tail},
      {"007", true, false, assets + "  \t'1000-100-\r\nRNG\t'1000-000..999-\r\n" + tail},
      {" 7 ", true, true, assets + "  \t'1000-100-10\r\nRNG\t'1000-000..999-00..99\r\n" + tail},
      {"1234", false, false, "Invalid Layout number.\n"},
      {"12a", false, false, "Invalid Layout number.\n"},
      {"", false, false, "Invalid Layout number.\n"},
      {"8", false, false, "No matching accounts found.\n"},  // no head record
      {"1", false, false, "No matching accounts found.\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Import(c.number, c.profit_centers, c.departments), c.result) << c.number;
  }
  session_.Press(dialog_, R7_REPORT_CLIPBOARD_VIEWER);
  EXPECT_EQ(session_.desktop.programs.started(), std::vector<std::string>{"CLIPBRD.EXE"});
}

TEST_F(ReportLayoutTest, TheCompanyAndItsLayoutFileMustBeThere) {
  Open();
  session_.driver.settings().company = "";
  EXPECT_EQ(Import("7", false, false),
            "R7 rejected the company code.\n"
            "R7 [Tessary] Invalid - The company specifier is NULL\n");
  session_.driver.settings().company = "01";
  std::filesystem::remove(system_.path() + "/DATA/gllayout.btr");
  EXPECT_EQ(Import("7", false, false), "R7 could open the report layout file.\n");
}

}  // namespace
}  // namespace r7
