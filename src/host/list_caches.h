// What the Lists tool keeps between lists: the distinct values of each account segment that
// the chart's balances hold, with their descriptions, and the accounts of the chart.
// (platform-independent)
//
// The caches belong to the loaded companies' session: the reset command, the Setup dialog
// and clean-up free them, and a following list reads the ledger again. They are valid only
// when a fill ran to its end; a fill that the user stopped leaves them invalid.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace r7 {

inline constexpr int kListSegmentSlots = 6;

struct ListCaches {
  std::string company;                                                   // whose ledger filled them
  std::array<std::vector<std::string>, kListSegmentSlots> values;        // sorted, distinct
  std::array<std::vector<std::string>, kListSegmentSlots> descriptions;  // parallel, or empty
  bool valid = false;
  std::vector<std::string> accounts;  // "display text<TAB>description", in key order
  bool accounts_built = false;

  void Reset() { *this = ListCaches{}; }
};

}  // namespace r7
