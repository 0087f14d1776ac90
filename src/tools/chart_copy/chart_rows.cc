// The text of a chart copy, cell by cell. (platform-independent)
#include "tools/chart_copy/chart_rows.h"

#include <algorithm>

#include "common/text_util.h"

namespace r7::chart_copy {
namespace {

// A cell of the R1C1 notation `rows` above and `columns` to the left of the formula's cell.
std::string Reference(int rows, int columns) {
  std::string ref = "R";
  if (rows != 0) ref += "[" + std::to_string(-rows) + "]";
  ref += "C";
  if (columns != 0) ref += "[" + std::to_string(-columns) + "]";
  return ref;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

bool SplitsSegments(const ChartColumns& columns) {
  return columns.account && columns.separate_segments;
}

}  // namespace

std::string HeaderRow(std::string_view company, int year, std::string_view revision) {
  return "'" + std::string(company) + "\t" + std::to_string(year) + "\t'" + std::string(revision) +
         "\t\r\n";
}

std::string TitleRow(const ChartColumns& columns, std::string_view period_text) {
  std::string row;
  auto add = [&row](std::string_view title) {
    if (!row.empty()) row += '\t';
    row += title;
  };
  if (columns.account) add(SplitsSegments(columns) ? "Account\t\t" : "Account");
  if (columns.description) add("Description");
  if (columns.origin) add("Type");
  if (!period_text.empty()) {
    std::string titles(period_text);
    std::replace(titles.begin(), titles.end(), ',', '\t');
    add(titles);
  }
  return row;
}

std::string AccountCells(std::string_view account_text, const ChartColumns& columns) {
  const std::string quote = columns.prepend_quote ? "'" : "";
  std::string cells = quote;
  for (char c : account_text) {
    if (c == '-' && SplitsSegments(columns)) {
      cells += "\t" + quote;
    } else {
      cells += c;
    }
  }
  return cells;
}

int AccountCellCount(std::string_view account_text, const ChartColumns& columns) {
  if (!SplitsSegments(columns)) return 1;
  return 1 + static_cast<int>(std::count(account_text.begin(), account_text.end(), '-'));
}

std::string LotusFormula(const FormulaCell& cell) {
  std::string formula = "@GL(" + Quoted(cell.account) + "," + Quoted(cell.phrase) + "," +
                        Quoted(cell.company) + "," + Quoted(std::to_string(cell.year)) + ",\"" +
                        std::string(cell.revision);
  formula.resize(TrimTrailingBlanks(formula).size());
  return formula + "\")";
}

std::string ExcelFormula(const FormulaCell& cell) {
  const int n = cell.row;
  const int k = cell.column;
  const std::string account = cell.account_in_row ? Reference(0, k) : Quoted(cell.account);
  return "=GL(" + account + "," + Reference(n, 0) + "," + Reference(n + 1, k) + "," +
         Reference(n + 1, k - 1) + "," + Reference(n + 1, k - 2) + ")";
}

}  // namespace r7::chart_copy
