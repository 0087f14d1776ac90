// The rows of the drill-down's list: their columns in each mode, the order the user sorts
// them in, and how each is painted. (platform-independent)
//
// Rows are kept in the order the drill added them (the clipboard writes them so) and shown
// in the order of the last sort. Account mode has five columns (account, description,
// balance, company, type), transaction mode seven (account, date, amount, reference,
// consolidation flag, source, ID); the optional transaction columns are hidden (width 0)
// while their options are off.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/settings.h"
#include "platform/list_view.h"
#include "specifiers/dates.h"

namespace r7::drill {

enum class Mode { kAccounts, kTransactions };

inline constexpr int kAccountColumn = 0;
inline constexpr int kAmountColumn = 2;  // the balance, or the transaction's amount

struct Row {
  std::vector<std::string> cells;  // one per column of the row's mode
  double amount = 0;               // the balance, or the transaction's amount
  CalendarDay date;                // the transaction's date
};

std::vector<platform::ListColumn> ColumnsOf(Mode mode, const Settings& settings);
// Whether column `column` of `mode` is shown under the options.
bool ColumnShown(Mode mode, const Settings& settings, int column);

class RowList {
 public:
  void Clear(Mode mode);
  void Add(Row row);

  Mode mode() const { return mode_; }
  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  // In the order they were added.
  const std::vector<Row>& rows() const { return rows_; }
  // The row shown at `display_row`.
  const Row& Shown(std::size_t display_row) const { return rows_[order_[display_row]]; }

  // Sorts by `column`: ascending, or descending when the last sort was this column
  // ascending. Text compares without regard to case, amounts by value (or by absolute value
  // when `absolute` is set), dates by day; equal rows go by account, in the same direction.
  void SortBy(int column, bool absolute);

 private:
  Mode mode_ = Mode::kAccounts;
  std::vector<Row> rows_;
  std::vector<std::size_t> order_;
  int sorted_column_ = -1;
  bool sorted_ascending_ = false;
};

// The day count of a date for sorting: a two-digit year below 50 is 20xx, any other below
// 100 is 19xx; every fourth year is a leap year.
long DayNumber(const CalendarDay& date);

// How the drill paints `row`: grey when the threshold is not zero and its amount reaches
// it either way, red for a negative amount, the highlight colours when selected.
void PaintRow(platform::RowPaint& paint, const Row& row, double threshold);

}  // namespace r7::drill
