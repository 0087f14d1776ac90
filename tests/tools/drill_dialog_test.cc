// The Drill dialog worked as a user works it, over the drill fixture: the segments offered,
// rows that add up to the Balance box and equal the worksheet's answers, the accounts box,
// a stopped fill, transactions and their options, the clipboard, silent code 5 and the
// period wizard.
#include <gtest/gtest.h>

#include "fakes/desktop_session.h"
#include "fakes/ledger_fixture.h"
#include "preload/cache_lookup.h"
#include "resources/drill_dialog_ids.h"
#include "resources/period_wizard_ids.h"

namespace r7 {
namespace {

using platform::WindowId;

constexpr int kDrillMenu = 104;

class DrillDialogTest : public ::testing::Test {
 protected:
  // The Drill dialog opened from the menu after the sheet computed `call` (a balance of
  // company 01 unless it names another).
  WindowId Open(const std::string& call = "1000-*-*;Month;01") {
    session_.Call(100, call);
    session_.Menu(kDrillMenu);
    const WindowId drill = session_.Dialog("DRILL");
    EXPECT_NE(drill, platform::kNoWindow);
    return drill;
  }
  // Drills by entry `segment` of the drill segment list.
  void Drill(WindowId drill, int segment) {
    session_.Select(drill, R7_DRILL_SEGMENT, segment);
    session_.Press(drill, R7_DRILL_BUTTON);
  }
  std::vector<std::vector<std::string>> Rows(WindowId drill) {
    return session_.Show(drill, R7_DRILL_ROWS).rows;
  }
  std::string Text(WindowId drill, int control) { return session_.Show(drill, control).text; }

  testing::DesktopSession session_{testing::SharedFixture("drill"),
                                   "Company=01\nCurrent Year=2002\nNA Label=0\n"};
};

TEST_F(DrillDialogTest, EachCompanyOffersItsSegmentsAndTransactions) {
  EXPECT_EQ(session_.Show(Open(), R7_DRILL_SEGMENT).entries,
            (std::vector<std::string>{"Main", "Profit Center", "Department", "Transactions"}));
  session_.Press(session_.Dialog("DRILL"), platform::kCancelButton);
  const WindowId two = Open("1000-*;Month;03");
  EXPECT_EQ(session_.Show(two, R7_DRILL_SEGMENT).entries,
            (std::vector<std::string>{"Main", "Profit Center", "Transactions"}));
  Drill(two, 1);
  EXPECT_EQ(Rows(two), (std::vector<std::vector<std::string>>{{"1000-10", "East", "3.00", "", ""},
                                                              {"1000-20", "NA", "6.00", "", ""}}));
  EXPECT_EQ(Text(two, R7_DRILL_TOTAL), "9.00");
}

// One row per profit center under 1000, ascending, each the worksheet's own answer for the
// row's specifier, together the Balance box.
TEST_F(DrillDialogTest, RowsAddUpToTheBalanceAndAnswerAsTheSheetDoes) {
  const WindowId drill = Open();
  Drill(drill, 1);
  const auto rows = Rows(drill);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"1000-10-*", "North", "(600.00)", "", ""}));
  EXPECT_EQ(rows[1], (std::vector<std::string>{"1000-20-*", "South", "700.00", "", ""}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"1000-30-*", "NA", "499.99", "", ""}));
  EXPECT_EQ(Text(drill, R7_DRILL_TOTAL), "599.99");
  EXPECT_EQ(Text(drill, R7_DRILL_RECORDS), "3");
  for (const auto& row : rows) {
    const double sheet = std::stod(session_.Call(100, row[0] + ";Month;01;2002"));
    EXPECT_EQ(session_.driver.display_amounts().Format(sheet), row[2]) << row[0];
  }
}

TEST_F(DrillDialogTest, TheAccountsBoxIsCutToOneItem) {
  const WindowId drill = Open();
  struct Case {
    const char* typed;
    const char* drilled;
    std::size_t rows;
  } cases[] = {
      {"", "*-*-*", 2},  // main accounts 1000 and 2000
      {"1000-*,2000-*", "1000-*", 1},
      {"(1000,2000)(10)(*)", "(1000,2000)(10)(*)", 2},
  };
  for (const Case& c : cases) {
    session_.Type(drill, R7_DRILL_ACCOUNTS, c.typed);
    Drill(drill, 0);
    EXPECT_EQ(Text(drill, R7_DRILL_ACCOUNTS), c.drilled);
    EXPECT_EQ(Rows(drill).size(), c.rows) << c.typed;
  }
  // A double-click puts a row's specifier in the box for the next drill.
  session_.user.DoubleClickRow(drill, R7_DRILL_ROWS, 1);
  EXPECT_EQ(Text(drill, R7_DRILL_ACCOUNTS), "(2000)(10)(*)");
}

// With the company preloaded, the cache answers every balance, and no ledger walk asks to
// stop: the first key press is the question between rows. The rows so far stay, and no
// total stands beside them.
TEST_F(DrillDialogTest, AStoppedFillKeepsItsRowsAndShowsNoTotal) {
  session_.Call(20, "DPL Company=01,DPL Account=*-*-*,DPL Year=2002,NoShow=1");
  auto& cache = dynamic_cast<preload::CacheLookup&>(session_.driver.preload());
  const WindowId drill = Open();
  const std::size_t hits = cache.hits();
  session_.desktop.input.PressKey(drill);
  Drill(drill, 1);
  EXPECT_EQ(session_.Boxes(), (std::vector<std::string>{"R7 [Tessary]|OK to stop Drill?"}));
  EXPECT_EQ(Rows(drill).size(), 1u);
  EXPECT_EQ(Text(drill, R7_DRILL_RECORDS), "1 (stopped)");
  EXPECT_EQ(Text(drill, R7_DRILL_TOTAL), "");
  EXPECT_EQ(cache.hits(), hits + 2);  // the whole request and the first row
  session_.Press(drill, R7_DRILL_BUTTON);
  EXPECT_EQ(Rows(drill).size(), 3u);
  EXPECT_EQ(Text(drill, R7_DRILL_TOTAL), "599.99");
  EXPECT_EQ(cache.hits(), hits + 2 + 4);
}

TEST_F(DrillDialogTest, TransactionsTheirTotalAndTheirColumns) {
  const WindowId drill = Open("1000-10-*;Month;01");
  Drill(drill, 3);
  auto rows = Rows(drill);
  ASSERT_EQ(rows.size(), 8u);  // March's; February's is outside the month
  EXPECT_EQ(rows[0], (std::vector<std::string>{"1000-10-100", "03/02/2002", "(50.00)",
                                               "Opening float", "N", "CD", "0000001"}));
  EXPECT_EQ(Text(drill, R7_DRILL_TOTAL), "12.00");
  // The sort by date, twice: the latest first.
  session_.user.ClickColumn(drill, R7_DRILL_ROWS, 1);
  session_.user.ClickColumn(drill, R7_DRILL_ROWS, 1);
  EXPECT_EQ(Rows(drill)[0][1], "03/09/2002");
  // "Trans ID" off in the options hides the ID column only.
  session_.Press(drill, R7_DRILL_ADVANCED);
  const WindowId options = session_.Dialog("TRXFIELDS");
  session_.Press(options, R7_TRXF_ID);
  session_.Press(options, platform::kOkButton);
  const auto columns = session_.Show(drill, R7_DRILL_ROWS).columns;
  ASSERT_EQ(columns.size(), 7u);
  EXPECT_EQ(columns[6].width, 0);
  EXPECT_EQ(columns[5].width, 40);
  EXPECT_EQ(Rows(drill)[0].size(), 6u);
  // Eight rows copied in the order the drill found them, under the account and the dates.
  session_.user.Activate(drill);  // the user clicks in it again
  session_.Press(drill, R7_DRILL_SEND);
  session_.user.Deactivate(drill);
  const std::string text = session_.user.ClipboardText();
  EXPECT_TRUE(
      text.starts_with("1000-10-*\r\nStart date:\t\t03/01/2002\r\nEnd date:\t\t03/31/2002"
                       "\r\n\r\n1000-10-100\t03/02/2002\t(50.00)\tOpening float\tN\tCD\r\n"))
      << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4 + 8);
}

// A credits-only transaction total drills into the credits that make it up; a request that
// fails shows why and neither rows nor a total; a year the company's list lacks is added.
TEST_F(DrillDialogTest, TheDrillShowsWhatTheFigureIsMadeOf) {
  EXPECT_EQ(session_.Call(104, "1000-10-*;1Mar2002;31Mar2002;01;CR"), "-490.5");
  session_.Menu(kDrillMenu);
  const WindowId credits = session_.Dialog("DRILL");
  EXPECT_EQ(Text(credits, R7_DRILL_SEGMENT), "Transactions");
  session_.Press(credits, R7_DRILL_BUTTON);
  EXPECT_EQ(Rows(credits).size(), 4u);
  EXPECT_EQ(Text(credits, R7_DRILL_TOTAL), "(490.50)");
  session_.Press(credits, platform::kCancelButton);

  session_.Call(100, "1000-*-*;Month;01;2003");
  session_.Menu(kDrillMenu);
  const WindowId later = session_.Dialog("DRILL");
  EXPECT_EQ(Text(later, R7_DRILL_YEAR), "2003");
  session_.Boxes();
  session_.Type(later, R7_DRILL_ACCOUNTS, "9999-*-*");
  session_.Select(later, R7_DRILL_YEAR, 0);
  Drill(later, 1);
  EXPECT_EQ(session_.Boxes(),
            (std::vector<std::string>{"R7 [Tessary]|No matching accounts found - 9999-*-*"}));
  EXPECT_TRUE(Rows(later).empty());
  EXPECT_EQ(Text(later, R7_DRILL_TOTAL), "");
}

TEST_F(DrillDialogTest, ThresholdRowsAreGrey) {
  const WindowId drill = Open();
  Drill(drill, 1);
  session_.Press(drill, R7_DRILL_ADVANCED);
  const WindowId options = session_.Dialog("TRXFIELDS");
  session_.Type(options, R7_TRXF_THRESHOLD, "5x00");
  session_.Press(options, R7_TRXF_FORMULAS_EXCEL);
  EXPECT_EQ(session_.Boxes().size(), 2u);  // the obsolete formulas, then R1C1 mode
  session_.Press(options, platform::kOkButton);
  EXPECT_EQ(session_.fake.profiles.Get("R7 for Tessary", "Formulas").value_or(""), "2");
  EXPECT_EQ(session_.driver.settings().drill_highlight_threshold, 500);
  const platform::Colour grey = platform::Colour::Rgb(192, 192, 192);
  std::vector<bool> greyed;
  for (const platform::RowPaint& paint : session_.desktop.ui.PaintRows(drill, R7_DRILL_ROWS)) {
    greyed.push_back(paint.background == grey);
  }
  EXPECT_EQ(greyed, (std::vector<bool>{true, true, false}));  // -600, 700, 499.99
}

// Silent code 5 drills the DrillContext, sends the rows and closes: its text reaches the
// clipboard. With "To Chart" it stores the boxes as the chart settings instead.
TEST_F(DrillDialogTest, SilentDrillLeavesItsTextOnTheClipboard) {
  session_.Call(100, "1000-*-*;Month;01");
  session_.Call(5, "Drill Segment=1,Formulas=2,NoShow=1");
  EXPECT_EQ(session_.Dialog("DRILL"), platform::kNoWindow);
  EXPECT_EQ(session_.user.ClipboardText(),
            "Month\r\n01\r\n2002\r\n01\r\n1000-^-*\r\n"
            "'10\tNorth\t=GL(BSPEC(R[-1]C[-2],RC[-2]),R[-5]C[-2],R[-4]C[-2],R[-3]C[-2],R[-2]C[-2])"
            "\r\n'20\tSouth\t=GL(BSPEC(R[-2]C[-2],RC[-2]),R[-6]C[-2],R[-5]C[-2],R[-4]C[-2],"
            "R[-3]C[-2])\r\n'30\tNA\t=GL(BSPEC(R[-3]C[-2],RC[-2]),R[-7]C[-2],R[-6]C[-2],"
            "R[-5]C[-2],R[-4]C[-2])\r\n");
  // The chart copy it opens on those settings starts silent, emptying the clipboard, and
  // stays open for the user when the drill closes.
  session_.desktop.clipboard.SetText("before");
  session_.Call(5, "To Chart=1,NoShow=1");
  EXPECT_EQ(session_.user.ClipboardText(), "");
  EXPECT_NE(session_.Dialog("CHARTCOPY"), platform::kNoWindow);
  const Settings& settings = session_.driver.settings();
  EXPECT_EQ(settings.chart_account, "1000-*-*");
  EXPECT_EQ(settings.chart_company, "01");
  EXPECT_EQ(settings.chart_year, 2002);
  EXPECT_EQ(session_.Dialog("DRILL"), platform::kNoWindow);
}

// The Period button opens the wizard on the drill's period and company; OK brings its text
// back. In transaction mode, All Periods makes the dates explicit and empties the period.
TEST_F(DrillDialogTest, ThePeriodWizardComposesThePeriod) {
  const WindowId drill = Open();
  session_.Type(drill, R7_DRILL_PERIOD, "Quarter 1");
  session_.Press(drill, R7_DRILL_PERIOD_BUTTON);
  const WindowId wizard = session_.Dialog("PERIODW");
  ASSERT_NE(wizard, platform::kNoWindow);
  EXPECT_EQ(session_.driver.session().period_wizard_company, "01");
  EXPECT_EQ(Text(wizard, R7_PWIZ_TEXT), "Quarter 1");
  session_.Press(wizard, R7_PWIZ_YEAR);
  session_.Press(wizard, platform::kOkButton);
  EXPECT_EQ(Text(drill, R7_DRILL_PERIOD), "Year To Date 1");
  session_.user.Activate(drill);
  session_.Select(drill, R7_DRILL_SEGMENT, 3);
  session_.Press(drill, R7_DRILL_PERIOD_BUTTON);
  session_.Press(session_.Dialog("PERIODW"), R7_PWIZ_CHOICE_BASE + 16);  // All Periods
  session_.Press(session_.Dialog("PERIODW"), platform::kOkButton);
  EXPECT_TRUE(session_.driver.session().explicit_dates);
  EXPECT_EQ(Text(drill, R7_DRILL_PERIOD), "");
  session_.Type(drill, R7_DRILL_ACCOUNTS, "1000-*-*");
  session_.Press(drill, R7_DRILL_BUTTON);
  EXPECT_EQ(Rows(drill).size(), 10u);  // the whole year's
}

}  // namespace
}  // namespace r7
