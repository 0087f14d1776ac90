// The options field of the balance and budget-write functions. (platform-independent)
#include "host/request_options.h"

#include "common/text_util.h"

namespace r7 {
namespace {

constexpr int kMaxOptionItems = 2;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

void ApplyItem(std::string_view item, AccountRequest& request) {
  if (item.size() >= 2 && IsDigit(item[0]) && IsDigit(item[1])) {
    request.revision = std::string(item.substr(0, 2));
  } else if (item.size() == 1 && IsDigit(item[0])) {
    request.revision = std::string("0") + item[0];
  } else if (EqualsIgnoreCase(item, "RNG")) {
    request.range_type = kRangeBoundsOnly;
  } else if (EqualsIgnoreCase(item, "RNG1")) {
    request.range_type = kRangeMainOnly;
  } else if (EqualsIgnoreCase(item, "R7")) {
    request.range_type = kRangeAllSegments;
  }
}

}  // namespace

void ApplyRequestOptions(std::string_view options, AccountRequest& request) {
  for (int taken = 0; taken < kMaxOptionItems && !options.empty(); ++taken) {
    std::size_t comma = options.find(',');
    ApplyItem(options.substr(0, comma), request);
    if (comma == std::string_view::npos) break;
    options.remove_prefix(comma + 1);
  }
}

}  // namespace r7
