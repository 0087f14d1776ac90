// The account that the account enquiry works on. (platform-independent)
#include "tools/account_enquiry/enquiry_account.h"

#include "common/text_util.h"

namespace r7::account_enquiry {
namespace {

constexpr std::size_t kMaxSegments = 3;

}  // namespace

int OrientationCode(std::string_view text) {
  for (const Orientation& orientation : kOrientations) {
    if (EqualsIgnoreCase(text, orientation.title)) return orientation.code;
  }
  return 0;
}

std::vector<std::string> SegmentValues(std::string_view account) {
  std::vector<std::string> values;
  if (!account.empty() && account.front() == '(') {
    while (values.size() < kMaxSegments) {
      const std::size_t open = account.find('(');
      if (open == std::string_view::npos) break;
      const std::size_t close = account.find(')', open);
      values.emplace_back(account.substr(
          open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
      if (close == std::string_view::npos) break;
      account.remove_prefix(close + 1);
    }
    return values;
  }
  while (values.size() < kMaxSegments) {
    const std::size_t dash = account.find('-');
    values.emplace_back(account.substr(0, dash));
    if (dash == std::string_view::npos) break;
    account.remove_prefix(dash + 1);
  }
  return values;
}

std::string_view ValueOf(std::string_view box_text) {
  return box_text.substr(0, box_text.find(';'));
}

std::string GroupedAccount(const std::vector<std::string>& values) {
  std::string account;
  for (const std::string& value : values) account += "(" + value + ")";
  return account;
}

std::string WriteDescription(const FunctionRequest& request, ClipboardText& out) {
  out.Append("1", Ending::kLineEnd);
  out.Append(std::to_string(request.orientation), Ending::kLineEnd);
  out.Append(std::to_string(request.segments.size()), Ending::kLineEnd);
  std::vector<std::string> values;
  bool complete = true;
  for (const FunctionRequest::Segment& segment : request.segments) {
    out.Append(segment.title, Ending::kTab);
    out.Append(segment.value, Ending::kLineEnd);
    if (segment.value.empty()) {
      complete = false;
      break;
    }
    values.push_back(segment.value);
  }
  out.Append("Period", Ending::kTab);
  out.Append(request.period, Ending::kLineEnd);
  out.Append("Company", Ending::kTab);
  out.Append(request.company, Ending::kLineEnd);
  out.Append("Year", Ending::kTab);
  out.Append(request.year, Ending::kLineEnd);
  out.Append("Type", Ending::kTab);
  out.Append(request.revision, Ending::kLineEnd);
  return complete ? GroupedAccount(values) : std::string();
}

}  // namespace r7::account_enquiry
