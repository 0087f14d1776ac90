// The rows of the drill-down's list. (platform-independent)
#include "tools/drill/drill_rows.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "base/string_table.h"
#include "common/text_util.h"

namespace r7::drill {
namespace {

using platform::Alignment;
using platform::Colour;

enum class SortKind { kText, kNumber, kDate };

struct ColumnSpec {
  int title_id;
  int width;
  Alignment alignment;
  SortKind sort;
};

constexpr ColumnSpec kAccountColumns[] = {
    {5441, 150, Alignment::kLeft, SortKind::kText},     // Account
    {5442, 200, Alignment::kLeft, SortKind::kText},     // Description
    {5443, 135, Alignment::kRight, SortKind::kNumber},  // Balance
    {5444, 80, Alignment::kLeft, SortKind::kText},      // Company
    {5445, 50, Alignment::kLeft, SortKind::kText},      // Type
};
constexpr ColumnSpec kTransactionColumns[] = {
    {5441, 95, Alignment::kLeft, SortKind::kText},     // Account
    {5446, 75, Alignment::kLeft, SortKind::kDate},     // Date
    {5447, 70, Alignment::kRight, SortKind::kNumber},  // Amount
    {5448, 170, Alignment::kLeft, SortKind::kText},    // Reference
    {5449, 20, Alignment::kLeft, SortKind::kText},     // Consol. Flag
    {5450, 40, Alignment::kLeft, SortKind::kText},     // Source
    {5451, 40, Alignment::kLeft, SortKind::kText},     // ID
};

constexpr Colour kThresholdGrey = Colour::Rgb(192, 192, 192);
constexpr Colour kNegativeRed = Colour::Rgb(255, 0, 0);

std::span<const ColumnSpec> SpecsOf(Mode mode) {
  if (mode == Mode::kAccounts) return kAccountColumns;
  return kTransactionColumns;
}

int CompareText(const std::string& a, const std::string& b) {
  const std::string upper_a = ToUpperAscii(a);
  const std::string upper_b = ToUpperAscii(b);
  return upper_a < upper_b ? -1 : upper_a > upper_b ? 1 : 0;
}

template <typename T>
int CompareValues(T a, T b) {
  return a < b ? -1 : a > b ? 1 : 0;
}

bool IsLeap(long year) {
  return year % 4 == 0;
}

}  // namespace

bool ColumnShown(Mode mode, const Settings& settings, int column) {
  if (mode == Mode::kAccounts) return true;
  switch (column) {
    case 3:
      return settings.trans_reference != 0;
    case 4:
      return settings.trans_flag != 0;
    case 5:
      return settings.trans_source != 0;
    case 6:
      return settings.trans_id != 0;
    default:
      return true;
  }
}

std::vector<platform::ListColumn> ColumnsOf(Mode mode, const Settings& settings) {
  std::vector<platform::ListColumn> columns;
  int index = 0;
  for (const ColumnSpec& spec : SpecsOf(mode)) {
    const bool shown = ColumnShown(mode, settings, index++);
    columns.push_back(
        {std::string(StringText(spec.title_id)), shown ? spec.width : 0, spec.alignment});
  }
  return columns;
}

void RowList::Clear(Mode mode) {
  mode_ = mode;
  rows_.clear();
  order_.clear();
  sorted_column_ = -1;
  sorted_ascending_ = false;
}

void RowList::Add(Row row) {
  order_.push_back(rows_.size());
  rows_.push_back(std::move(row));
}

void RowList::SortBy(int column, bool absolute) {
  const std::span<const ColumnSpec> specs = SpecsOf(mode_);
  if (column < 0 || static_cast<std::size_t>(column) >= specs.size()) return;
  const bool ascending = !(column == sorted_column_ && sorted_ascending_);
  sorted_column_ = column;
  sorted_ascending_ = ascending;
  const SortKind kind = specs[static_cast<std::size_t>(column)].sort;
  const std::size_t cell = static_cast<std::size_t>(column);
  auto compare = [&](const Row& a, const Row& b) {
    int order = 0;
    switch (kind) {
      case SortKind::kText:
        order = CompareText(a.cells[cell], b.cells[cell]);
        break;
      case SortKind::kNumber:
        order = absolute ? CompareValues(std::fabs(a.amount), std::fabs(b.amount))
                         : CompareValues(a.amount, b.amount);
        break;
      case SortKind::kDate:
        order = CompareValues(DayNumber(a.date), DayNumber(b.date));
        break;
    }
    if (order == 0) order = CompareText(a.cells[kAccountColumn], b.cells[kAccountColumn]);
    return order;
  };
  std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
    const int order = compare(rows_[a], rows_[b]);
    return ascending ? order < 0 : order > 0;
  });
}

long DayNumber(const CalendarDay& date) {
  static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  long year = date.year;
  if (year >= 0 && year < 50) year += 2000;
  if (year >= 50 && year < 100) year += 1900;
  long days = year * 365 + (year + 3) / 4;  // the leap days of the years before
  for (int month = 1; month < date.month && month <= 12; ++month) {
    days += kMonthDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
  }
  return days + date.day;
}

void PaintRow(platform::RowPaint& paint, const Row& row, double threshold) {
  const bool over = threshold != 0 && (row.amount >= threshold || row.amount <= -threshold);
  Colour text = platform::kBlack;
  paint.background = over ? kThresholdGrey : platform::kWhite;
  if (paint.selected) {
    paint.background = Colour::Highlight();
    text = over ? kThresholdGrey : Colour::HighlightText();
  }
  for (platform::CellPaint& cell : paint.cells) cell.text_colour = text;
  if (row.amount < 0 && paint.cells.size() > static_cast<std::size_t>(kAmountColumn)) {
    paint.cells[kAmountColumn].text_colour = kNegativeRed;
  }
}

}  // namespace r7::drill
