// Small text helpers used by every layer. Letter case is ASCII only. (platform-independent)
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace r7 {

// Inline: the keyword and wildcard matchers call these once per character.
constexpr char ToUpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string ToUpperAscii(std::string_view text);
constexpr bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
  }
  return true;
}
constexpr bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}
// True when `needle` occurs in `text`, comparing without regard to case.
bool ContainsIgnoreCase(std::string_view text, std::string_view needle);

std::string_view TrimTrailingBlanks(std::string_view text);
std::string_view TrimLeadingBlanks(std::string_view text);
std::string_view TrimBlanks(std::string_view text);
// Drops one leading apostrophe: the spreadsheet's label prefix.
std::string_view DropLeadingApostrophe(std::string_view text);

// The first `capacity` characters of `text`: where the driver has a fixed-size field,
// a longer value is cut at exactly that place.
std::string CutTo(std::string_view text, std::size_t capacity);

// The pieces of `text` between the occurrences of `separator` (one piece when there are
// none; empty pieces kept), as a clipboard block splits into rows and a row into cells.
std::vector<std::string> SplitAt(std::string_view text, std::string_view separator);

// The text up to its first NUL, at most `limit` bytes: a C string held in a fixed field.
std::string_view FieldText(std::string_view field, std::size_t limit);

// Integer by its leading digits, as the Windows profile and C run-time rules read numbers:
// leading blanks, an optional sign, then digits; 0 when there are none. Saturates
// instead of overflowing.
int LeadingInt(std::string_view text);

}  // namespace r7
