// The budget table that the user copies from a sheet: a line of headings, then one line per
// account with one column per period. (platform-independent)
//
// Lines end with CR LF (or LF, or CR); fields are separated by tabs and numbered from 1.
// A heading is upper-cased and trimmed, and one that begins with a digit is cut after its
// first one or two digits ("1 Budget" is 1, "14" is 14, "2002" is 20); the headings read
// are ACCOUNT, YEAR, REVISION and 1 to 13, others are ignored, and when one occurs twice
// the later column wins. A period cell that is not empty gives that period its value.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/ledger_records.h"

namespace r7::budget {

// A table line is read whole up to this length; a longer one is refused.
inline constexpr std::size_t kMaxTableLine = 1100;
inline constexpr std::size_t kMaxAccountText = 511;
inline constexpr std::size_t kYearWidth = 4;

// The column of each heading, from 1; 0 where the table has none.
struct BudgetColumns {
  int account = 0;
  int year = 0;
  int revision = 0;
  std::array<int, ledger::kPeriodsPerRecord> periods{};
};

// One account's line: the texts of the columns that have headings.
struct BudgetLine {
  std::string account;                  // a leading apostrophe removed, at most 511 characters
  std::optional<std::string> year;      // at most 4 characters; none for an empty cell
  std::optional<std::string> revision;  // none for an empty cell
  std::array<std::optional<std::string>, ledger::kPeriodsPerRecord> cells;  // none: empty
};

// The lines of the clipboard's text, without their line ends.
std::vector<std::string_view> TableLines(std::string_view text);

// The columns of a heading line; nothing when it has no ACCOUNT heading.
std::optional<BudgetColumns> ReadHeadings(std::string_view line);

BudgetLine ReadLine(std::string_view line, const BudgetColumns& columns);

}  // namespace r7::budget
