// The drill-down's clipboard text. (platform-independent)
#include "tools/drill/drill_clip_text.h"

#include <cstdio>

#include "common/text_util.h"
#include "tools/drill/drill_specifier.h"

namespace r7::drill {
namespace {

constexpr int kLotusFormulas = 1;
constexpr int kExcelFormulas = 2;

std::string MonthDayYear(const CalendarDay& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month, date.day, date.year);
  return text;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// '@GL("1000-10-*","Month","01","2002")': the row's specifier, then the period, company and
// year of the drill, and its revision when there is one.
std::string LotusFormula(std::string_view specifier, const DrillParameters& drill) {
  std::string formula =
      "@GL(" + Quoted(specifier) + "," + Quoted(drill.period) + "," + Quoted(drill.company) + ",";
  if (drill.revision.empty()) {
    formula += Quoted(TrimTrailingBlanks(drill.year));
  } else {
    formula += Quoted(drill.year) + "," + Quoted(TrimTrailingBlanks(drill.revision));
  }
  return formula + ")";
}

// GL of BSPEC over the header's template line (`row` + 1 lines up: the template cell, then
// its group cells) with this row's value put in the drilled place, for the period, company,
// year and revision lines that open the header (`lines` up, and the three after it).
std::string ExcelFormula(const RowTemplate& t, int row, int lines) {
  std::string formula = "=GL(BSPEC(" + RelativeReference(row + 1, 2);
  for (int i = 0; i < t.places_before; ++i) formula += "," + RelativeReference(row + 1, 1 - i);
  formula += "," + RelativeReference(0, 2);
  for (int i = t.places_before + 1; i < t.places; ++i) {
    formula += "," + RelativeReference(row + 1, 2 - i);
  }
  formula += ")," + RelativeReference(lines, 2) + "," + RelativeReference(lines - 1, 2) + "," +
             RelativeReference(lines - 2, 2) + "," + RelativeReference(lines - 3, 2) + ")";
  return formula;
}

// Every blank followed by a blank or a tab dropped: the cells lose their padding.
std::string Squeezed(std::string_view line) {
  std::string out;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const bool padding =
        line[i] == ' ' && i + 1 < line.size() && (line[i + 1] == ' ' || line[i + 1] == '\t');
    if (!padding) out += line[i];
  }
  return out;
}

}  // namespace

std::string RelativeReference(int rows_up, int columns_left) {
  std::string ref = "R";
  if (rows_up != 0) ref += "[" + std::to_string(-rows_up) + "]";
  ref += "C";
  if (columns_left != 0) ref += "[" + std::to_string(-columns_left) + "]";
  return ref;
}

void DrillClipText::Reset() {
  text_.reset();
  lines_ = 0;
  header_start_ = 0;
  rewrite_header_ = true;
}

std::optional<std::string> DrillClipText::Take() {
  std::optional<std::string> text = std::move(text_);
  Reset();
  return text;
}

void DrillClipText::Append(std::string_view text, bool line_end) {
  if (!text_) text_.emplace();
  *text_ += text.substr(0, kMaxAppend);
  if (line_end) {
    *text_ += "\r\n";
    ++lines_;
  } else {
    *text_ += '\t';
  }
}

void DrillClipText::Send(const RowList& rows, const DrillParameters& drill,
                         const Settings& settings) {
  if (!text_) text_.emplace();
  if (rewrite_header_) {
    rewrite_header_ = false;
    header_start_ = lines_;
    WriteHeader(rows.mode(), drill);
  } else {
    Append("", true);
  }
  int index = 0;
  for (const Row& row : rows.rows()) {
    if (rows.mode() == Mode::kAccounts) {
      WriteAccountRow(row, index++, drill, settings);
    } else {
      WriteTransactionRow(row, settings);
    }
  }
}

void DrillClipText::WriteHeader(Mode mode, const DrillParameters& drill) {
  if (mode == Mode::kAccounts) {
    Append(drill.period, true);
    Append(drill.company, true);
    Append(drill.year, true);
    Append(drill.revision, true);
    return;
  }
  Append(drill.accounts, true);
  Append("Start date:", false);
  Append("", false);
  Append(MonthDayYear(drill.dates.from), true);
  Append("End date:", false);
  Append("", false);
  Append(MonthDayYear(drill.dates.to), true);
  Append("", true);
}

void DrillClipText::WriteAccountRow(const Row& row, int index, const DrillParameters& drill,
                                    const Settings& settings) {
  const RowTemplate t = MakeRowTemplate(row.cells[kAccountColumn], drill.segment);
  if (index == 0) {
    const std::vector<std::string> cells = TemplateCells(t.text);
    for (std::size_t i = 0; i < cells.size(); ++i) Append(cells[i], i + 1 == cells.size());
  }
  Append((settings.prepend_account != 0 ? "'" : "") + t.value, false);
  Append(row.cells[1], false);
  const int lines_since_header = lines_ - header_start_;
  switch (settings.formulas) {
    case kLotusFormulas:
      Append(LotusFormula(row.cells[kAccountColumn], drill), true);
      break;
    case kExcelFormulas:
      Append(ExcelFormula(t, index, lines_since_header), true);
      break;
    default:
      Append(row.cells[kAmountColumn], false);
      Append("", true);
      break;
  }
}

void DrillClipText::WriteTransactionRow(const Row& row, const Settings& settings) {
  std::string line;
  bool first = true;
  for (std::size_t column = 0; column < row.cells.size(); ++column) {
    if (!ColumnShown(Mode::kTransactions, settings, static_cast<int>(column))) continue;
    if (!first) line += '\t';
    line += row.cells[column];
    first = false;
  }
  Append(Squeezed(line), true);
}

}  // namespace r7::drill
