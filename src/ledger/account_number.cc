// Account numbers as the ledger files hold them. (platform-independent)
#include "ledger/account_number.h"

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
  std::string padded(account_number.substr(0, kAccountNumberWidth));
  padded.resize(kAccountNumberWidth, ' ');
  std::string ordered;
  for (int segment : SegmentOrder(ordering)) {
    ordered +=
        padded.substr(static_cast<std::size_t>(segment) * kSegmentFieldWidth, kSegmentFieldWidth);
  }
  return ordered;
}

}  // namespace r7::ledger
