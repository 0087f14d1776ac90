// The benchmark's worksheet, built from a company's real chart: rows of account
// specifiers (single accounts, a main account over its profit centers and departments,
// ranges, patterns, everything) and columns of period specifiers, each cell with the
// figures a direct SQL sum needs to give the driver's answer.
#pragma once

#include <string>
#include <vector>

#include "paths/company_facts.h"

namespace r7::bench {

// Where a cell's figures are read: this year's balances, last year's comparatives, budgets.
enum class Source { kBalances, kLastYear, kBudget };

// A period column: the driver's period specifier and the periods (1-based, inclusive) of
// its window for the company, already cut at the current period where the driver cuts it.
struct Column {
  std::string periods;
  Source source;
  int from, to;
};

struct Row {
  std::string specifier;
  Selection selection;
  int matched = 0;        // accounts of the chart the specifier matches
  int balance_sheet = 0;  // of which balance-sheet accounts
  // The driver reads every matched account as the kind of the first one, in account
  // order: a balance-sheet first account makes income-statement accounts count with
  // their year-to-date figure, as balances.
  bool read_as_balance_sheet = false;
  bool narrow = false;  // at most a handful of accounts
};

struct Cell {
  const Row* row;
  const Column* column;
};

struct Worksheet {
  std::vector<Row> rows;
  std::vector<Column> columns;
  std::vector<Cell> cells;  // points into rows and columns: do not copy a worksheet
  Worksheet() = default;
  Worksheet(const Worksheet&) = delete;
  Worksheet& operator=(const Worksheet&) = delete;
};

inline constexpr int kNarrowAccounts = 20;

// Fills `sheet` for the company; false with `problem` set when the chart lacks an account
// the rows need or the calendar is not one of 12 periods.
bool BuildWorksheet(const CompanyFacts& facts, Worksheet* sheet, std::string* problem);

}  // namespace r7::bench
