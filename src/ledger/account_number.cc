// Account numbers as the ledger files hold them. (platform-independent)
#include "ledger/account_number.h"

#include <algorithm>

namespace r7::ledger {

std::string StoredAccountNumber(std::string_view main, std::string_view profit_center,
                                std::string_view department) {
  return StoredSegment(main) + StoredSegment(profit_center) + StoredSegment(department);
}

std::array<int, 3> SegmentOrder(SegmentOrdering ordering) {
  switch (ordering) {
    case SegmentOrdering::kProfitCenterFirst:
      return {1, 0, 2};
    case SegmentOrdering::kDepartmentFirst:
      return {2, 0, 1};
    case SegmentOrdering::kMainFirst:
      break;
  }
  return {0, 1, 2};
}

std::string OrderedAccountNumber(std::string_view account_number, SegmentOrdering ordering) {
  std::string ordered(kAccountNumberWidth, ' ');
  WriteOrderedAccountNumber(account_number, ordering, ordered.data());
  return ordered;
}

void WriteOrderedAccountNumber(std::string_view account_number, SegmentOrdering ordering,
                               char* out) {
  for (int segment : SegmentOrder(ordering)) {
    const std::size_t from = static_cast<std::size_t>(segment) * kSegmentFieldWidth;
    const std::string_view field =
        from < account_number.size() ? account_number.substr(from, kSegmentFieldWidth) : "";
    std::fill(std::copy(field.begin(), field.end(), out), out + kSegmentFieldWidth, ' ');
    out += kSegmentFieldWidth;
  }
}

}  // namespace r7::ledger
