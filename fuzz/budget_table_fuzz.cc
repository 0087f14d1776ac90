// The budget table copied from a sheet: its lines, its headings and each account's line
// read within the texts' capacities, and every period cell cleaned as the write cleans it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "ledger/budget_value.h"
#include "tools/budget/budget_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view text = bytes.c_str();  // the clipboard's text ends at its NUL
  const std::vector<std::string_view> lines = r7::budget::TableLines(text);
  std::size_t total = 0;
  for (std::string_view line : lines) {
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
    total += line.size();
  }
  FUZZ_CHECK(total <= text.size());
  if (lines.empty()) return 0;

  const std::optional<r7::budget::BudgetColumns> columns = r7::budget::ReadHeadings(lines[0]);
  if (!columns) return 0;
  FUZZ_CHECK(columns->account >= 1);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].size() > r7::budget::kMaxTableLine) continue;  // refused whole by the write
    const r7::budget::BudgetLine line = r7::budget::ReadLine(lines[i], *columns);
    FUZZ_CHECK(line.account.size() <= r7::budget::kMaxAccountText);
    if (line.year) FUZZ_CHECK(line.year->size() <= r7::budget::kYearWidth);
    for (const std::optional<std::string>& cell : line.cells) {
      if (!cell) continue;
      FUZZ_CHECK(!cell->empty() && cell->find('\t') == std::string::npos);
      if (const auto value = r7::ledger::CleanBudgetValue(*cell)) {
        FUZZ_CHECK(value->text_amount.size() == 13);
      }
    }
  }
  return 0;
}
