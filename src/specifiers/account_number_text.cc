// Account numbers as text. (platform-independent)
#include "specifiers/account_number_text.h"

namespace r7 {
namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}

std::string_view FieldOf(std::string_view account_number, int segment) {
  std::size_t at = static_cast<std::size_t>(segment) * kSegmentFieldWidth;
  if (at >= account_number.size()) return {};
  return account_number.substr(at, kSegmentFieldWidth);
}

}  // namespace

std::string StoredSegment(std::string_view value) {
  value = value.substr(0, kSegmentFieldWidth);
  bool has_letter = false;
  for (char c : value) has_letter = has_letter || IsLetter(c);
  std::string field(kSegmentFieldWidth - value.size(), has_letter ? ' ' : '0');
  return has_letter ? std::string(value) + field : field + std::string(value);
}

std::string_view DisplaySegment(std::string_view field, int length) {
  bool has_upper = false;
  for (char c : field) has_upper = has_upper || IsUpper(c);
  if (has_upper) {
    std::size_t end = field.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : field.substr(0, end + 1);
  }
  if (length <= 0 || static_cast<std::size_t>(length) >= field.size()) return field;
  return field.substr(field.size() - static_cast<std::size_t>(length));
}

std::string DisplayAccount(std::string_view account_number, const std::array<int, 3>& lengths) {
  std::string text(DisplaySegment(FieldOf(account_number, 0), lengths[0]));
  for (int segment = 1; segment < kSegmentCount; ++segment) {
    if (lengths[segment] == 0) continue;
    text += '-';
    text += DisplaySegment(FieldOf(account_number, segment), lengths[segment]);
  }
  return text;
}

}  // namespace r7
