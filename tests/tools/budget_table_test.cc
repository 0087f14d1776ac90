// The budget table's headings and lines, as the clipboard holds them.
#include "tools/budget/budget_table.h"

#include <gtest/gtest.h>

namespace r7::budget {
namespace {

TEST(BudgetTableTest, HeadingsGiveTheirColumns) {
  struct Case {
    const char* line;
    int account;
    int year;
    int revision;
    std::vector<std::pair<int, int>> periods;  // period, column
  } cases[] = {
      // "1 Budget" is period 1; a column headed 14 (or 2002, read as 20) is ignored.
      {"Account\t1 Budget\t2 Budget\t14\t2002", 1, 0, 0, {{1, 2}, {2, 3}}},
      {" year \tACCOUNT\trevision\t10\t13 Dec", 2, 1, 3, {{10, 4}, {13, 5}}},
      // The later column wins; "01" is no heading, "1a" is 1.
      {"1\tAccount\taccount\t01\t1a", 3, 0, 0, {{1, 5}}},
  };
  for (const Case& c : cases) {
    std::optional<BudgetColumns> columns = ReadHeadings(c.line);
    ASSERT_TRUE(columns) << c.line;
    EXPECT_EQ(columns->account, c.account) << c.line;
    EXPECT_EQ(columns->year, c.year) << c.line;
    EXPECT_EQ(columns->revision, c.revision) << c.line;
    std::array<int, 13> periods{};
    for (auto [period, column] : c.periods) periods[static_cast<std::size_t>(period - 1)] = column;
    EXPECT_EQ(columns->periods, periods) << c.line;
  }
  EXPECT_FALSE(ReadHeadings("Acct\t1\t2"));
  EXPECT_FALSE(ReadHeadings(""));
}

TEST(BudgetTableTest, ALineGivesTheCellsOfItsHeadedColumns) {
  const BudgetColumns columns = *ReadHeadings("Account\tYear\tNote\t1\t2\t3");
  const BudgetLine line = ReadLine("'1000-10-100\t\tanything\t-5\t\t(7)", columns);
  EXPECT_EQ(line.account, "1000-10-100");
  EXPECT_FALSE(line.year);  // an empty cell gives nothing
  EXPECT_FALSE(line.revision);
  EXPECT_EQ(line.cells[0], "-5");
  EXPECT_FALSE(line.cells[1]);
  EXPECT_EQ(line.cells[2], "(7)");
  EXPECT_FALSE(line.cells[3]);
  // A short line: the missing cells are empty; a year is cut to 4 characters.
  const BudgetLine short_line = ReadLine("4000\t20021", columns);
  EXPECT_EQ(short_line.year, "2002");
  EXPECT_FALSE(short_line.cells[0]);
}

TEST(BudgetTableTest, LinesEndWithAnyLineEnd) {
  EXPECT_EQ(TableLines("a\r\nb\nc\rd\r\n\r\ne"),
            (std::vector<std::string_view>{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(TableLines("a\r\n"), (std::vector<std::string_view>{"a"}));
  EXPECT_TRUE(TableLines("").empty());
}

}  // namespace
}  // namespace r7::budget
