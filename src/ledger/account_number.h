// Account numbers as the ledger files and their alternate keys hold them.
// (platform-independent)
//
// Every account, balance, comparative, budget and transaction record starts with the
// account number: three 8-character fields in their stored form
// (specifiers/account_number_text.h). The alternate keys hold the same fields in another
// order.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "specifiers/account_number_text.h"

namespace r7::ledger {

// The 24-character account number of three segment values, each in its stored form.
std::string StoredAccountNumber(std::string_view main, std::string_view profit_center,
                                std::string_view department);

// The order of the three account fields inside an alternate key.
enum class SegmentOrdering : int {
  kMainFirst = 0,          // main, profit center, department
  kProfitCenterFirst = 1,  // profit center, main, department
  kDepartmentFirst = 2,    // department, main, profit center
};

// The segment indexes (0 main, 1 profit center, 2 department) in the order of `ordering`.
std::array<int, 3> SegmentOrder(SegmentOrdering ordering);

// The 24-character account number with its fields in the order of `ordering`. A text of
// fewer than 24 characters is first padded with blanks.
std::string OrderedAccountNumber(std::string_view account_number, SegmentOrdering ordering);

// The same, written to the 24 characters at `out`: for the scans, which order every record
// they read.
void WriteOrderedAccountNumber(std::string_view account_number, SegmentOrdering ordering,
                               char* out);

}  // namespace r7::ledger
