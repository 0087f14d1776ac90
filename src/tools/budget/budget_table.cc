// The budget table from the clipboard. (platform-independent)
#include "tools/budget/budget_table.h"

#include "common/text_util.h"

namespace r7::budget {
namespace {

constexpr std::string_view kPeriodHeadings[] = {"1", "2", "3",  "4",  "5",  "6", "7",
                                                "8", "9", "10", "11", "12", "13"};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Calls `each(column, field)` for every tab-separated field, columns from 1.
template <typename Each>
void ForEachField(std::string_view line, const Each& each) {
  int column = 1;
  for (;;) {
    const std::size_t tab = line.find('\t');
    each(column, line.substr(0, tab));
    if (tab == std::string_view::npos) return;
    line.remove_prefix(tab + 1);
    ++column;
  }
}

std::string HeadingOf(std::string_view field) {
  std::string heading = ToUpperAscii(TrimBlanks(field));
  if (!heading.empty() && IsDigit(heading[0])) {
    heading.resize(heading.size() > 1 && IsDigit(heading[1]) ? 2 : 1);
  }
  return heading;
}

}  // namespace

std::vector<std::string_view> TableLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
  return lines;
}

std::optional<BudgetColumns> ReadHeadings(std::string_view line) {
  BudgetColumns columns;
  ForEachField(line, [&](int column, std::string_view field) {
    const std::string heading = HeadingOf(field);
    if (heading == "ACCOUNT") columns.account = column;
    if (heading == "YEAR") columns.year = column;
    if (heading == "REVISION") columns.revision = column;
    for (std::size_t p = 0; p < columns.periods.size(); ++p) {
      if (heading == kPeriodHeadings[p]) columns.periods[p] = column;
    }
  });
  if (columns.account == 0) return std::nullopt;
  return columns;
}

BudgetLine ReadLine(std::string_view line, const BudgetColumns& columns) {
  BudgetLine result;
  auto cell = [](std::string_view field) {
    return field.empty() ? std::nullopt : std::optional<std::string>(field);
  };
  ForEachField(line, [&](int column, std::string_view field) {
    if (column == columns.account) {
      result.account = CutTo(DropLeadingApostrophe(field), kMaxAccountText);
    }
    if (column == columns.year) result.year = cell(CutTo(field, kYearWidth));
    if (column == columns.revision) result.revision = cell(field);
    for (std::size_t p = 0; p < columns.periods.size(); ++p) {
      if (column == columns.periods[p]) result.cells[p] = cell(field);
    }
  });
  return result;
}

}  // namespace r7::budget
