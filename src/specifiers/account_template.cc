// The template form of the account specifier. (platform-independent)
#include "specifiers/account_template.h"

#include <algorithm>

#include "base/error_codes.h"

namespace r7 {
namespace {

bool Balanced(std::string_view text) {
  int depth = 0;
  for (char c : text) {
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) return false;
  }
  return depth == 0;
}

std::vector<std::string> SplitTopLevelCommas(std::string_view text) {
  std::vector<std::string> parts(1);
  int depth = 0;
  for (char c : text) {
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == ',' && depth == 0) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

std::vector<std::string> SplitCommas(std::string_view text) {
  std::vector<std::string> pieces(1);
  for (char c : text) {
    if (c == ',') {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  return pieces;
}

}  // namespace

int ExpandTemplateItems(std::string_view specifier, int segment_count,
                        std::vector<std::string>& items, ErrorReporter& errors) {
  items.clear();
  std::string text(specifier);
  if (!text.empty() && text.front() == '(') text = AllEntitiesTemplate(segment_count) + text;
  if (text.find(' ') != std::string::npos) return kBlanksNotAllowed;
  if (!Balanced(text)) return kParenthesesDontMatch;
  for (const std::string& part : SplitTopLevelCommas(text)) {
    std::size_t open = part.find('(');
    std::string shape = part.substr(0, open);
    std::vector<std::vector<std::string>> groups;
    for (std::size_t at = open; at != std::string::npos && groups.size() < kMaxTemplateGroups;) {
      std::size_t close = part.find(')', at);
      if (close == std::string::npos) break;
      groups.push_back(SplitCommas(part.substr(at + 1, close - at - 1)));
      at = part.find('(', close);
    }
    std::size_t places = static_cast<std::size_t>(std::count(shape.begin(), shape.end(), '^'));
    if (places == 0 || groups.empty()) {
      items.push_back(shape);
      continue;
    }
    std::size_t total = 1;
    for (const auto& group : groups) total *= group.size();
    if (total > kMaxExpandedItems || items.size() + total > kMaxExpandedItems) {
      errors.SetError(kRangeTooLong, part);
      items.clear();
      return kRangeTooLong;
    }
    std::vector<std::size_t> odometer(groups.size(), 0);
    for (std::size_t n = 0; n < total; ++n) {
      std::string item;
      std::size_t place = 0;
      for (char c : shape) {
        if (c != '^') {
          item += c;
        } else if (place < groups.size()) {
          item += groups[place][odometer[place]];
          ++place;
        } else {
          item += '*';
        }
      }
      items.push_back(item.substr(0, kMaxAccountItem + 1));
      for (std::size_t i = groups.size(); i-- > 0;) {
        if (++odometer[i] < groups[i].size()) break;
        odometer[i] = 0;
      }
    }
  }
  return 0;
}

int ExpandAccountTemplate(std::string_view specifier, const SegmentLengths& lengths,
                          const SegmentMappings& mappings, std::vector<std::string>& items,
                          ErrorReporter& errors) {
  int segment_count = 1 + (lengths[1] != 0) + (lengths[2] != 0);
  if (int result = ExpandTemplateItems(specifier, segment_count, items, errors); result != 0)
    return result;
  for (std::string& item : items) {
    if (int result = ValidateAccountItem(item, lengths, errors); result != 0) {
      items.clear();
      return result;
    }
    item = MapAccountItem(item, lengths, mappings);
  }
  return 0;
}

}  // namespace r7
