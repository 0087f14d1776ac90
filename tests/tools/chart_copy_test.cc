// The chart copy: its cells and formulas, every amount against the balance function's
// answer for that account and phrase, the dialog's fields as a user works them, stopping,
// clean-up refused during a fill, and each failure's message.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "common/text_util.h"
#include "exports/driver_assembly.h"
#include "fakes/desktop_session.h"
#include "fakes/ledger_fixture.h"
#include "resources/chart_copy_ids.h"
#include "tools/chart_copy/chart_fill.h"
#include "tools/chart_copy/chart_rows.h"

namespace r7 {
namespace {

using chart_copy::ChartColumns;
using chart_copy::FormulaCell;

TEST(ChartRowsTest, CellsAndFormulasAsTheSheetTakesThem) {
  const ChartColumns all{};
  const ChartColumns separate{.separate_segments = true};
  const ChartColumns plain{
      .account = false, .description = true, .origin = false, .prepend_quote = false};
  FormulaCell first{.account = "1000-01-200",
                    .phrase = "Month 1",
                    .company = "01",
                    .year = 1999,
                    .revision = "01",
                    .row = 2,
                    .column = 3,
                    .account_in_row = true};
  FormulaCell unshown = first;
  unshown.account_in_row = false;
  unshown.column = 1;
  unshown.row = 7;
  FormulaCell blank_revision = first;
  blank_revision.revision = "1 ";
  struct Case {
    std::string text;
    const char* expected;
  } cases[] = {
      {chart_copy::HeaderRow("01", 1999, "01"), "'01\t1999\t'01\t\r\n"},
      {chart_copy::TitleRow(all, "Month 1,Month 2"),
       "Account\tDescription\tType\tMonth 1\tMonth 2"},
      {chart_copy::TitleRow(separate, "Month"), "Account\t\t\tDescription\tType\tMonth"},
      {chart_copy::TitleRow(plain, ""), "Description"},
      {chart_copy::TitleRow(ChartColumns{.account = false, .description = false, .origin = false},
                            ""),
       ""},
      {chart_copy::AccountCells("1000-01-200", all), "'1000-01-200"},
      {chart_copy::AccountCells("1000-01-200", separate), "'1000\t'01\t'200"},
      {chart_copy::AccountCells("1000-01",
                                ChartColumns{.prepend_quote = false, .separate_segments = true}),
       "1000\t01"},
      {std::to_string(chart_copy::AccountCellCount("1000-01", separate)), "2"},
      {chart_copy::LotusFormula(first), "@GL(\"1000-01-200\",\"Month 1\",\"01\",\"1999\",\"01\")"},
      {chart_copy::LotusFormula(blank_revision),
       "@GL(\"1000-01-200\",\"Month 1\",\"01\",\"1999\",\"1\")"},
      {chart_copy::ExcelFormula(first), "=GL(RC[-3],R[-2]C,R[-3]C[-3],R[-3]C[-2],R[-3]C[-1])"},
      {chart_copy::ExcelFormula(unshown),
       "=GL(\"1000-01-200\",R[-7]C,R[-8]C[-1],R[-8]C,R[-8]C[1])"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, c.expected);
}

class ChartCopyTest : public ::testing::Test {
 protected:
  // The rows of a silent chart copy: one vector of cells per account row.
  std::vector<std::vector<std::string>> Chart(const std::string& pairs) {
    session_.Call(4, pairs + ",NoShow=1");
    const std::vector<std::string> lines = SplitAt(session_.Clipboard(), "\r\n");
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 3; i < lines.size(); ++i) {
      if (!lines[i].empty()) rows.push_back(SplitAt(lines[i], "\t"));
    }
    return rows;
  }

  // Code 100's answer as the chart shows an amount.
  std::string Balance(const std::string& account, const std::string& phrase,
                      const std::string& company, const std::string& year,
                      const std::string& revision) {
    const std::string answer =
        session_.Call(100, account + ";" + phrase + ";" + company + ";" + year + ";" + revision);
    char* end = nullptr;
    const double amount = std::strtod(answer.c_str(), &end);
    if (end == answer.c_str()) return "not an amount: " + answer;
    return session_.driver.display_amounts().Format(amount);
  }

  testing::DesktopSession session_{testing::SharedFixture("balances"),
                                   "Company=01\nCurrent Year=2002\nNA Label=1\nRounding=1\n"
                                   "Chart Company=01\nChart Year=2002\n"};
};

// Each amount cell equals what code 100 answers for the row's account and the column's
// phrase: this year, an earlier year, both years, budgets before actuals in one row, other
// revisions, rounding and scaling, 13-period and two-segment companies.
TEST_F(ChartCopyTest, EveryAmountIsTheBalanceFunctionsAnswer) {
  struct Case {
    const char* company;
    const char* year;
    const char* revision;
    const char* settings;
    const char* period;
  } cases[] = {
      {"01", "2002", "01", "",
       "Month Budget,Month,Month 1,Quarter,Year To Date,Last Month,5 Months Ago,Running Year,"
       "Last Year,Opening Balance Month,Change Quarter,Quarter 2 Budget,Month 3 Budget"},
      {"01", "2001", "01", "", "Month,Quarter 2,Running Year,Last Year,Change Month 1"},
      {"01", "2002", "02", "Rounding=3,Scaling=3", "Month Budget,Year To Date,Month"},
      {"02", "2002", "01", "", "Month,Quarter,Last Year,Month Budget,Month 13"},
      {"03", "2002", "01", "", "Month,Running Year,Year To Date"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.company) + " " + c.year + " " + c.period);
    std::string pairs = std::string("Chart Company=") + c.company + ",Chart Year=" + c.year +
                        ",Chart Budget=" + c.revision + ",Chart Period='" + c.period +
                        "',Chart Account=,Chart Show Description=0,Chart Show Origin=0";
    if (*c.settings != 0) pairs += std::string(",") + c.settings;
    const std::vector<std::string> phrases = SplitAt(c.period, ",");
    const auto rows = Chart(pairs);
    ASSERT_FALSE(rows.empty());
    for (const auto& row : rows) {
      ASSERT_EQ(row.size(), phrases.size() + 1);
      const std::string account = row[0].substr(1);  // its apostrophe
      for (std::size_t p = 0; p < phrases.size(); ++p) {
        EXPECT_EQ(row[p + 1], Balance(account, phrases[p], c.company, c.year, c.revision))
            << account << " " << phrases[p];
      }
    }
    session_.Call(100, "1000;Month;01;2002");  // Rounding and Scaling back for the next case
  }
}

// A chart year after the fiscal year holds budgets only: its budget phrases are that year's
// budgets, and an actual phrase fails as code 100 fails.
TEST_F(ChartCopyTest, AFutureYearAnswersAsTheBalanceFunctionDoes) {
  const auto rows = Chart(
      "Chart Company=01,Chart Year=2003,Chart Account=4000-10-100,"
      "Chart Period=Month 2 Budget,Chart Show Description=0");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].back(), Balance("4000-10-100", "Month 2 Budget", "01", "2003", "01"));
  session_.Boxes();
  session_.desktop.clipboard.SetText("before");
  Chart("Chart Period='Month 2 Budget,Month'");
  EXPECT_EQ(session_.Call(100, "4000-10-100;Month;01;2003"), "R7 [Tessary] Future period detected");
  EXPECT_EQ(session_.Boxes(),
            std::vector<std::string>{"R7 [Tessary]|Future period detected - Month"});
  EXPECT_EQ(session_.Clipboard(), "(none)");  // a silent copy empties it first
}

TEST_F(ChartCopyTest, SilentEdgeCases) {
  struct Case {
    const char* pairs;
    std::size_t rows;
    const char* first_row;
  } cases[] = {
      // Skip Zero needs a phrase: without one every account is written.
      {"Chart Account=*-*-*,Chart Period=,Skip Zero Accounts=1,Chart Show Origin=1", 7,
       "'1000-10-100\tCash North\tB"},
      {"Chart Account=*-*-*,Chart Period=Month 3 Budget,Skip Zero Accounts=1", 2,
       "'4000-10-100\tSales North\tP\t(150.00)"},
      {"Chart Account=*-*-*,Chart Period=Month 3 Budget,Skip Zero Accounts=0", 7, nullptr},
      {"Chart Account=1000-*-*,Chart Period=Month,Formulas=1,Chart Show Description=0,"
       "Chart Show Origin=0,Prepend Account=0",
       2, "1000-10-100\t@GL(\"1000-10-100\",\"Month\",\"01\",\"2002\",\"01\")"},
      {"Chart Account=1000-*-*,Formulas=2", 2,
       "1000-10-100\t=GL(RC[-1],R[-2]C,R[-3]C[-1],R[-3]C,R[-3]C[1])"},
  };
  for (const Case& c : cases) {
    const auto rows =
        Chart(std::string("Chart Company=01,Chart Year=2002,Chart Budget=01,") + c.pairs);
    EXPECT_EQ(rows.size(), c.rows) << c.pairs;
    if (c.first_row == nullptr || rows.empty()) continue;
    std::string first;
    for (const std::string& cell : rows[0]) first += (first.empty() ? "" : "\t") + cell;
    EXPECT_EQ(first, c.first_row) << c.pairs;
  }
}

// The fields as a user fills them: a year that is no year of the ledger's time, the range
// type's texts, segments in separate columns (only with the account shown), the match count.
TEST_F(ChartCopyTest, TheDialogReadsItsFieldsAsTheUserLeftThem) {
  session_.Menu(103);
  session_.Use("CHARTCOPY");
  session_.Type(R7_CHART_ACCOUNT, "1000-*-*");
  session_.Type(R7_CHART_PERIOD, "Month");
  struct Case {
    const char* year;
    const char* range;
    const char* header;
    int range_type;
  } cases[] = {
      {"1988", "rng", "'01\t2002\t'01\t", 2},
      {"abc", "RNG", "'01\t2002\t'01\t", 0},
      {"2001", "RNG1", "'01\t2001\t'01\t", 1},
  };
  for (const Case& c : cases) {
    session_.Type(R7_CHART_YEAR, c.year);
    session_.Type(R7_CHART_RANGE_TYPE, c.range);
    session_.Press(platform::kOkButton);
    EXPECT_EQ(SplitAt(session_.Clipboard(), "\r\n")[0], c.header) << c.year;
    EXPECT_EQ(session_.driver.settings().chart_range_type, c.range_type) << c.range;
  }
  EXPECT_EQ(session_.Text(R7_CHART_MATCH_COUNT), "2");
  session_.Press(R7_CHART_VIEWER);
  EXPECT_EQ(session_.desktop.programs.started(), std::vector<std::string>{"CLIPBRD.EXE"});
  EXPECT_EQ(session_.Boxes().back(), "R7 [Tessary]|2 account keys were copied to the clipboard.");

  session_.Check(R7_CHART_PREPEND_QUOTE, true);
  session_.Check(R7_CHART_SEPARATE_SEGMENTS, true);
  session_.Press(platform::kOkButton);
  EXPECT_EQ(SplitAt(session_.Clipboard(), "\r\n")[3].substr(0, 15), "'1000\t'10\t'100\t");
  // Formulas name the whole account, and count the cells the segments really take.
  session_.driver.settings().formulas = chart_copy::kExcelFormulas;
  session_.Type(R7_CHART_COMPANY, "03");
  session_.Type(R7_CHART_ACCOUNT, "1000-*");
  session_.Press(platform::kOkButton);
  EXPECT_EQ(SplitAt(session_.Clipboard(), "\r\n")[3],
            "'1000\t'10\tCash\t=GL(\"1000-10\",R[-2]C,R[-3]C[-3],R[-3]C[-2],R[-3]C[-1])");
  session_.Check(R7_CHART_SHOW_ACCOUNT, false);
  EXPECT_FALSE(session_.State(R7_CHART_SEPARATE_SEGMENTS).checked);
  EXPECT_FALSE(session_.State(R7_CHART_SEPARATE_SEGMENTS).enabled);
  session_.Check(R7_CHART_SHOW_ACCOUNT, true);
  EXPECT_FALSE(session_.State(R7_CHART_SEPARATE_SEGMENTS).checked);
}

// A key pressed during the fill asks 204 after the next row: No goes on to the end, Yes
// keeps the rows so far. Pressed while the walk passes over accounts that do not match, it
// asks the walk's own question, and Yes stops there. Clean-up refuses while the fill runs.
TEST_F(ChartCopyTest, StopQuestionsAndCleanUpDuringAFill) {
  session_.Menu(103);
  session_.Use("CHARTCOPY");
  session_.Type(R7_CHART_PERIOD, "Month");
  const platform::WindowId chart = session_.Dialog("CHARTCOPY");
  struct Case {
    const char* account;
    int answer;
    const char* question;
    const char* told;
    std::size_t rows;
  } cases[] = {
      {"1000-*-*", platform::answer::kNo, "OK to stop the Chart fill?",
       "2 account keys were copied to the clipboard.", 2},
      {"1000-*-*", platform::answer::kYes, "OK to stop the Chart fill?",
       "1 accounts were copied to the clipboard before cancellation.\n", 1},
      {"*-*-*", platform::answer::kYes, "OK to stop?",
       "0 accounts were copied to the clipboard before cancellation.\n", 0},
  };
  for (const Case& c : cases) {
    session_.Type(R7_CHART_ACCOUNT, c.account);
    int cleanup_during_fill = -1;
    session_.desktop.message_boxes.set_answer(c.answer);
    session_.desktop.message_boxes.set_sink([&](const platform::posix::ShownBox& box) {
      if (box.text == c.question) cleanup_during_fill = session_.driver.Cleanup();
    });
    session_.user.PressKeyDuring(chart);
    session_.Press(platform::kOkButton);
    session_.desktop.message_boxes.set_sink(nullptr);
    EXPECT_EQ(cleanup_during_fill, 1) << c.account;
    EXPECT_EQ(session_.desktop.message_boxes.shown().back().text, c.told);
    EXPECT_EQ(session_.Text(R7_CHART_MATCH_COUNT), std::to_string(c.rows));
    EXPECT_EQ(SplitAt(session_.Clipboard(), "\r\n").size(), c.rows == 0 ? 1 : 3 + c.rows + 1);
  }
  EXPECT_FALSE(session_.driver.chart_fill_busy());
  EXPECT_EQ(session_.driver.Cleanup(), 0);
}

// Each failure shows its message and leaves the clipboard as it was.
TEST_F(ChartCopyTest, EachFailureShowsItsMessage) {
  struct Case {
    int control;
    const char* text;
    const char* box;
  } cases[] = {
      {R7_CHART_PERIOD, "Mnth", "The period requested is invalid."},
      {R7_CHART_PERIOD, "Month 15", "No data for period requested - Month 15"},
      {R7_CHART_ACCOUNT, "9999-*-*", "No matching accounts found."},
      {R7_CHART_ACCOUNT, "1000-*-*-*",
       "R7 [Tessary] - The account specifier has too many segments: 1000-*-*-*"},
      {R7_CHART_COMPANY, ",01", "The company has an error. Check the parameters."},
      {R7_CHART_COMPANY, "77", "R7 [Tessary] Can't open file - 77"},
  };
  for (const Case& c : cases) {
    session_.Menu(103);
    session_.Use("CHARTCOPY");
    session_.Type(R7_CHART_ACCOUNT, "*-*-*");
    session_.Type(R7_CHART_PERIOD, "Month");
    session_.Type(R7_CHART_COMPANY, "01");
    session_.Type(c.control, c.text);
    session_.Boxes();
    session_.desktop.clipboard.SetText("before");
    session_.Press(platform::kOkButton);
    const std::vector<std::string> boxes = session_.Boxes();
    ASSERT_FALSE(boxes.empty()) << c.text;
    EXPECT_EQ(boxes[0], std::string("R7 [Tessary]|") + c.box) << c.text;
    EXPECT_EQ(session_.Clipboard(), "before") << c.text;
    session_.Press(platform::kCancelButton);
  }
}

// The block grows while it can; once it cannot, the rows written before stay, and the match
// count has moved with every row.
TEST(ChartFillTest, AFullBlockKeepsTheRowsBeforeIt) {
  ledger_tool::SynthOptions options;
  options.main_accounts = 60;
  options.years = 1;
  options.transactions = 100;
  testing::FixtureDirectory directory(testing::BuildSynthFixture(options));
  testing::DesktopSession session(directory.path(), "Company=SYNTH\nCurrent Year=2002\n");
  session.Call(125);
  const ToolContext context = ToolContextOf(session.driver);
  const chart_copy::ChartRequest request{.company = "SYNTH",
                                         .account = "",
                                         .period = "Month,Last Year",
                                         .year = 2002,
                                         .revision = "01"};
  int expected_count = 0;
  bool counts_in_order = true;
  chart_copy::FillHooks hooks{
      .row_written = [&](int n) { counts_in_order &= n == ++expected_count; },
      .stop_requested = nullptr};
  const chart_copy::FillResult whole =
      chart_copy::FillChart(context, request, platform::kNoWindow, hooks);
  ASSERT_EQ(whole.ending, chart_copy::FillEnding::kComplete);
  ASSERT_GT(whole.text.size(), chart_copy::kBlockStep);
  EXPECT_TRUE(counts_in_order);
  EXPECT_EQ(expected_count, whole.accounts);

  const chart_copy::FillResult full =
      chart_copy::FillChart(context, request, platform::kNoWindow, {}, chart_copy::kBlockStep);
  EXPECT_EQ(full.ending, chart_copy::FillEnding::kBlockFull);
  EXPECT_LT(full.text.size(), chart_copy::kBlockStep);
  EXPECT_EQ(whole.text.substr(0, full.text.size()), full.text);
  EXPECT_EQ(SplitAt(full.text, "\r\n").size(), 3u + static_cast<std::size_t>(full.accounts) + 1u);

  // A company code longer than the box's first characters is read whole.
  session.Menu(103);
  session.Use("CHARTCOPY");
  session.Type(R7_CHART_COMPANY, "SYNTH");
  session.Type(R7_CHART_YEAR, "2002");
  session.Press(platform::kOkButton);
  EXPECT_EQ(SplitAt(session.Clipboard(), "\r\n")[0], "'SYNTH\t2002\t'01\t");

  const chart_copy::FillResult none =
      chart_copy::FillChart(context, request, platform::kNoWindow, {}, 100);
  EXPECT_EQ(none.ending, chart_copy::FillEnding::kFailed);
  EXPECT_EQ(none.code, 63);
}

}  // namespace
}  // namespace r7
