// The drill-down's pieces without a dialog: the specifier of each row and its template, the
// clipboard text with its header and formulas, the sort orders and the row paint.
#include <gtest/gtest.h>

#include "tools/drill/drill_clip_text.h"
#include "tools/drill/drill_rows.h"
#include "tools/drill/drill_specifier.h"
#include "tools/drill/transaction_fields_dialog.h"

namespace r7::drill {
namespace {

TEST(DrillSpecifierTest, RowsReplaceTheDrilledSegment) {
  struct Case {
    const char* specifier;
    int segment;
    const char* value;
    const char* row;
  } cases[] = {
      {"1000-*-*", 1, "10", "1000-10-*"},
      {"1000-*", 1, "10", "1000-10"},
      {"1000", 2, "100", "1000-*-100"},  // missing segments read as "*"
      {"4*-*-*", 0, "4000", "4000-*-*"},
      {"(1000,2000)(10)(*)", 0, "2000", "(2000)(10)(*)"},
      {"(1000,2000)(10)(*)", 2, "100", "(1000,2000)(10)(100)"},
      // The group that filled the replaced "^" goes with it; the others keep their places.
      {"^-^-200(1000,2000)(10,20)", 0, "1000", "1000-^-200(10,20)"},
      {"^-^-200(1000,2000)(10,20)", 1, "20", "^-20-200(1000,2000)"},
      {"^-^-200(1000,2000)(10,20)", 2, "300", "^-^-300(1000,2000)(10,20)"},
      {"(^-^-^)(1000)(10,20)(200)", 1, "10", "(^-10-^)(1000)(200)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceSegment(c.specifier, c.segment, c.value), c.row) << c.specifier;
  }
  struct Piece {
    const char* accounts;
    const char* first;
  } pieces[] = {
      {"1000-*,2000-*", "1000-*"},
      {"(1000,2000)(10)(*)", "(1000,2000)(10)(*)"},  // a comma in a group does not cut
      {"^-10,^-20(1000)", "^-10(1000)"},             // the groups after the cut stay
      {"'A,B'-*", "'A,B'-*"},
  };
  for (const Piece& p : pieces) EXPECT_EQ(FirstPiece(p.accounts), p.first) << p.accounts;
}

TEST(DrillSpecifierTest, TemplatesPutOneCaretInTheDrilledPlace) {
  struct Case {
    const char* row;
    int segment;
    RowTemplate expected;
    std::vector<std::string> cells;
  } cases[] = {
      {"1000-10-*", 1, {"1000-^-*", "10", 0, 1}, {"1000-^-*"}},
      {"^-10-200(1000,2000)", 1, {"^-^-200(1000,2000)", "10", 1, 2}, {"^-^-200", "1000,2000"}},
      {"10-^-^(1,2)(3)", 0, {"^-^-^(1,2)(3)", "10", 0, 3}, {"^-^-^", "1,2", "3"}},
      {"(1000)(10)(*)", 1, {"(1000)(^)(*)", "10", 0, 1}, {"(1000)(^)(*)"}},
  };
  for (const Case& c : cases) {
    const RowTemplate t = MakeRowTemplate(c.row, c.segment);
    EXPECT_EQ(t, c.expected) << c.row;
    EXPECT_EQ(TemplateCells(t.text), c.cells) << c.row;
  }
}

// Rows as account mode makes them: specifier, description, balance text, company, type.
RowList AccountRows(std::initializer_list<std::pair<const char*, double>> rows) {
  RowList list;
  list.Clear(Mode::kAccounts);
  for (const auto& [specifier, amount] : rows) {
    list.Add({{specifier, "Desc " + std::string(specifier), std::to_string(amount), "", ""},
              amount,
              {}});
  }
  return list;
}

class DrillClipTextTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetToDefaults(settings_); }  // "Prepend Account" is on
  DrillParameters drill_{"01", "1000-*-*", "2002", "01", "Month", {}, 1};
  Settings settings_;
  DrillClipText clip_;
  RowList rows_ = AccountRows({{"1000-10-*", 1.5}, {"1000-20-*", -2}});
};

TEST_F(DrillClipTextTest, AccountRowsUnderTheHeaderWithEachFormula) {
  struct Case {
    int formulas;
    int prepend;
    const char* text;
  } cases[] = {
      {0, 1,
       "Month\r\n01\r\n2002\r\n01\r\n1000-^-*\r\n"
       "'10\tDesc 1000-10-*\t1.500000\t\r\n'20\tDesc 1000-20-*\t-2.000000\t\r\n"},
      {2, 0,
       "Month\r\n01\r\n2002\r\n01\r\n1000-^-*\r\n"
       "10\tDesc 1000-10-*\t=GL(BSPEC(R[-1]C[-2],RC[-2]),R[-5]C[-2],R[-4]C[-2],R[-3]C[-2],"
       "R[-2]C[-2])\r\n"
       "20\tDesc 1000-20-*\t=GL(BSPEC(R[-2]C[-2],RC[-2]),R[-6]C[-2],R[-5]C[-2],R[-4]C[-2],"
       "R[-3]C[-2])\r\n"},
      {1, 1,
       "Month\r\n01\r\n2002\r\n01\r\n1000-^-*\r\n"
       "'10\tDesc 1000-10-*\t@GL(\"1000-10-*\",\"Month\",\"01\",\"2002\",\"01\")\r\n"
       "'20\tDesc 1000-20-*\t@GL(\"1000-20-*\",\"Month\",\"01\",\"2002\",\"01\")\r\n"},
  };
  for (const Case& c : cases) {
    settings_.formulas = c.formulas;
    settings_.prepend_account = c.prepend;
    clip_.Reset();
    clip_.Send(rows_, drill_, settings_);
    EXPECT_EQ(clip_.Take().value_or("(none)"), c.text) << c.formulas;
    EXPECT_FALSE(clip_.Take().has_value());  // taken once
  }
}

TEST_F(DrillClipTextTest, LotusFormulaLeavesOutAnEmptyRevision) {
  settings_.formulas = 1;
  drill_.revision.clear();
  rows_ = AccountRows({{"1000-10-*", 1}});
  clip_.Send(rows_, drill_, settings_);
  EXPECT_EQ(clip_.Take().value(),
            "Month\r\n01\r\n2002\r\n\r\n1000-^-*\r\n"
            "'10\tDesc 1000-10-*\t@GL(\"1000-10-*\",\"Month\",\"01\",\"2002\")\r\n");
}

// A second Send under the same parameters starts with one empty line, and its formulas still
// reach the header of the first; new parameters bring a new header.
TEST_F(DrillClipTextTest, FurtherSendsReachTheirHeader) {
  settings_.formulas = 2;
  clip_.Send(rows_, drill_, settings_);
  clip_.Send(AccountRows({{"1000-30-*", 3}}), drill_, settings_);
  const std::string text = clip_.Take().value();
  EXPECT_NE(text.find("R[-3]C[-2])\r\n\r\n1000-^-*\r\n'30\tDesc 1000-30-*\t=GL(BSPEC(R[-1]C[-2],"
                      "RC[-2]),R[-9]C[-2],R[-8]C[-2],R[-7]C[-2],R[-6]C[-2])\r\n"),
            std::string::npos)
      << text;
  clip_.RewriteHeader();
  clip_.Send(rows_, drill_, settings_);
  EXPECT_TRUE(clip_.Take().value().starts_with("Month\r\n01\r\n2002\r\n01\r\n1000-^-*"));
  // A Send after the text was handed over starts with a header: the old one went with it.
  clip_.Send(rows_, drill_, settings_);
  EXPECT_TRUE(clip_.Take().value().starts_with("Month\r\n"));
}

TEST_F(DrillClipTextTest, TemplateGroupsHaveCellsThatTheFormulaReaches) {
  settings_.formulas = 2;
  rows_ = AccountRows({{"^-10-200(1000,2000)", 1}});
  clip_.Send(rows_, drill_, settings_);
  EXPECT_EQ(clip_.Take().value(),
            "Month\r\n01\r\n2002\r\n01\r\n^-^-200\t1000,2000\r\n"
            "'10\tDesc ^-10-200(1000,2000)\t=GL(BSPEC(R[-1]C[-2],R[-1]C[-1],RC[-2]),"
            "R[-5]C[-2],R[-4]C[-2],R[-3]C[-2],R[-2]C[-2])\r\n");
}

// Transaction rows: the shown columns, padding squeezed out, every row of the list.
TEST_F(DrillClipTextTest, TransactionRowsWriteTheirShownColumns) {
  RowList rows;
  rows.Clear(Mode::kTransactions);
  for (int i = 1; i <= 8; ++i) {
    rows.Add({{"1000-10-100", "03/0" + std::to_string(i) + "/2002", "(1.00)", "Ref  two   ", "N",
               "CD", "000000" + std::to_string(i)},
              -1,
              {i, 3, 2002}});
  }
  drill_.dates = {{1, 3, 2002}, {31, 3, 2002}};
  settings_.trans_id = 0;
  settings_.trans_flag = 1;
  settings_.trans_source = 1;
  settings_.trans_reference = 1;
  clip_.Send(rows, drill_, settings_);
  const std::string text = clip_.Take().value();
  EXPECT_TRUE(text.starts_with(
      "1000-*-*\r\nStart date:\t\t03/01/2002\r\nEnd date:\t\t03/31/2002\r\n\r\n1000-10-100\t"))
      << text;
  EXPECT_NE(text.find("1000-10-100\t03/08/2002\t(1.00)\tRef two\tN\tCD\r\n"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4 + 8);
}

TEST(DrillRowsTest, SortsAlternateAndTieByAccount) {
  RowList rows = AccountRows({{"b", -900}, {"A", 800}, {"c", 100}, {"a2", 100}});
  auto order = [&rows] {
    std::string shown;
    for (std::size_t i = 0; i < rows.size(); ++i) shown += rows.Shown(i).cells[0] + " ";
    return shown;
  };
  struct Step {
    int column;
    bool absolute;
    const char* order;
  } steps[] = {
      {2, false, "b a2 c A "},  // ascending; equal amounts by account
      {2, false, "A c a2 b "},  // the same column again: descending, ties too
      {2, false, "b a2 c A "}, {0, true, "A a2 b c "},  // text without regard to case
      {2, true, "a2 c A b "},                           // absolute: -900 above 800 ...
      {2, true, "b A c a2 "},                           // ... in descending order
  };
  for (const Step& s : steps) {
    rows.SortBy(s.column, s.absolute);
    EXPECT_EQ(order(), s.order) << s.column;
  }
  EXPECT_EQ(rows.rows().front().cells[0], "b");  // the order they were added is kept
}

TEST(DrillRowsTest, DatesCountDaysWithTheTwoDigitYearRule) {
  EXPECT_EQ(DayNumber({1, 1, 49}), DayNumber({1, 1, 2049}));
  EXPECT_EQ(DayNumber({1, 1, 50}), DayNumber({1, 1, 1950}));
  EXPECT_EQ(DayNumber({1, 3, 2004}) - DayNumber({28, 2, 2004}), 2);  // a leap year
  EXPECT_EQ(DayNumber({1, 3, 2003}) - DayNumber({28, 2, 2003}), 1);
  EXPECT_EQ(DayNumber({1, 1, 2003}) - DayNumber({31, 12, 2002}), 1);
}

TEST(DrillRowsTest, PaintGreysRowsOverTheThresholdAndReddensNegatives) {
  using platform::Colour;
  const Colour grey = Colour::Rgb(192, 192, 192), red = Colour::Rgb(255, 0, 0);
  struct Case {
    double threshold;
    double amount;
    bool selected;
    Colour background;
    Colour text;
  } cases[] = {
      {500, -600, false, grey, platform::kBlack},
      {500, 700, false, grey, platform::kBlack},
      {500, 499.99, false, platform::kWhite, platform::kBlack},
      {500, -500, false, grey, platform::kBlack},
      {0, -600, false, platform::kWhite, platform::kBlack},
      {500, 700, true, Colour::Highlight(), grey},
      {500, 10, true, Colour::Highlight(), Colour::HighlightText()},
  };
  const std::vector<platform::ListColumn> columns(5);
  for (const Case& c : cases) {
    const Row row{{"1000-10-*", "North", "x", "", ""}, c.amount, {}};
    platform::RowPaint paint = platform::DefaultRowPaint(1064, 0, c.selected, row.cells, columns);
    PaintRow(paint, row, c.threshold);
    EXPECT_EQ(paint.background, c.background) << c.threshold << " " << c.amount;
    EXPECT_EQ(paint.cells[0].text_colour, c.text) << c.amount;
    EXPECT_EQ(paint.cells[2].text_colour, c.amount < 0 ? red : c.text) << c.amount;
  }
}

// The threshold box: its text reads back as the same number; typing keeps only what can
// belong to a number.
TEST(DrillRowsTest, TheThresholdBoxShowsAndReadsNumbers) {
  struct Shown {
    double threshold;
    const char* text;
  } shown[] = {{0, "0"},
               {500, "500"},
               {5000, "5000"},
               {0.1, "0.1"},
               {499.99, "499.99"},
               {1234567.125, "1234567.125"},
               {1e300, "1.0000000000000001e+300"}};
  for (const Shown& s : shown) EXPECT_EQ(ThresholdText(s.threshold), s.text);
  struct Typed {
    const char* text;
    double threshold;
  } typed[] = {{"5,000", 5000}, {"5x00", 500}, {"-1.5e3", -1.53}, {"abc", 0}, {"+12.5 $", 12.5}};
  for (const Typed& t : typed) EXPECT_EQ(ParseThreshold(t.text), t.threshold) << t.text;
}

}  // namespace
}  // namespace r7::drill
