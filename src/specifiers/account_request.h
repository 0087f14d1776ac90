// The account request: what a ledger function asks of the accounts of one company.
// (platform-independent)
//
// Handed by the worksheet functions to the account lookups, the balance engine and the
// preload cache. Texts are kept at their fixed capacities: a longer value is cut.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace r7 {

inline constexpr std::size_t kMaxAccountSpecifier = 511;

// How ranges of a token are tested: every record between the scan bounds (0), only the
// main account's range (1), every segment (2, the default).
enum RangeType : int { kRangeBoundsOnly = 0, kRangeMainOnly = 1, kRangeAllSegments = 2 };

struct AccountRequest {
  std::string specifier;  // at most 511 characters
  std::string year;       // 4 characters
  std::string revision;   // 2 characters, the budget revision number
  int range_type = kRangeAllSegments;
  bool budget = false;  // set by the balance engine when the first period asks for budgets
};

// A request with each text cut to its capacity.
inline AccountRequest MakeAccountRequest(std::string_view specifier, std::string_view year,
                                         std::string_view revision,
                                         int range_type = kRangeAllSegments) {
  return {std::string(specifier.substr(0, kMaxAccountSpecifier)), std::string(year.substr(0, 4)),
          std::string(revision.substr(0, 2)), range_type, false};
}

}  // namespace r7
