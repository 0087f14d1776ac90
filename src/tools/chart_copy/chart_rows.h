// The text of a chart copy, cell by cell: the header row that names company, year and
// revision, the column titles, each account's cells and the worksheet formulas that ask
// the add-in for an amount instead of writing it. (platform-independent)
//
// Cells are separated by tabs and rows end in CR LF, as a sheet takes pasted text. A cell
// that starts with an apostrophe is pasted as a label, so that 1000-10 is not computed.
#pragma once

#include <string>
#include <string_view>

namespace r7::chart_copy {

// Formula kinds of the "Formulas" setting.
inline constexpr int kNoFormulas = 0;
inline constexpr int kLotusFormulas = 1;
inline constexpr int kExcelFormulas = 2;

// Which columns a row holds, and how.
struct ChartColumns {
  bool account = true;
  bool description = true;
  bool origin = true;
  bool prepend_quote = true;
  bool separate_segments = false;  // only with the account shown
  int formulas = kNoFormulas;
};

// "'01<TAB>2002<TAB>'01<TAB>" and the line end: the cells the Excel formulas refer to.
std::string HeaderRow(std::string_view company, int year, std::string_view revision);

// "Account", "Description", "Type" as shown (the account followed by two more empty
// titles with separate segments), then one title per period phrase: the period text with
// each comma made a tab. Empty when nothing is shown. No line end.
std::string TitleRow(const ChartColumns& columns, std::string_view period_text);

// The account's cell as it is written: the account text, with the label apostrophe when
// prepend quote is on; with separate segments one cell per segment, each with its
// apostrophe.
std::string AccountCells(std::string_view account_text, const ChartColumns& columns);

// The number of cells that AccountCells() writes.
int AccountCellCount(std::string_view account_text, const ChartColumns& columns);

// What a formula's cell asks for.
struct FormulaCell {
  std::string_view account;  // the account text, without any apostrophe
  std::string_view phrase;   // the period phrase
  std::string_view company;
  int year = 0;
  std::string_view revision;
  // Excel: the account row's place below the title row (its rows above it, the header row
  // not counted) and the cells before this one in its row.
  int row = 0;
  int column = 0;
  bool account_in_row = false;  // the row's first cell holds the whole account text
};

// @GL("1000-10-300","Month 1","01","2002","01")
std::string LotusFormula(const FormulaCell& cell);

// =GL(RC[-3],R[-2]C,R[-3]C[-3],R[-3]C[-2],R[-3]C[-1]) in R1C1 notation: the account cell of
// the row (or the account text), the column's title, and the company, year and revision of
// the header row.
std::string ExcelFormula(const FormulaCell& cell);

}  // namespace r7::chart_copy
