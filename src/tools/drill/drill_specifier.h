// The account specifiers of the drill-down: the accounts box cut to its first item, the
// specifier of each row (the drilled segment replaced by one value), and the template that
// the clipboard writes for a row. (platform-independent)
//
// A specifier's segments are found in one of two shapes:
//   - a head walked by "-" ('1000-*-*', or a template '^-^-200' whose "^" places the "("
//     groups after it fill in order, '^-^-200(1000,2000)(10,20)'); a template may also
//     stand in the first group, '(^-^-^)(1000)(10,20)(200)';
//   - a list of groups, one per segment, '(1000,2000)(10)(*)'.
// Segments are counted from 0 (main account, profit center, department); a head with fewer
// segments than asked for has its missing ones as "*", as the language reads them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace r7::drill {

// The first item of a list of specifiers: the text up to the first comma outside
// parentheses and quotes, then, when a "(" follows that comma, the text from that "(" on
// ('^-10,^-20(1000)' keeps its groups: '^-10(1000)'). A comma inside a group does not cut.
std::string FirstPiece(std::string_view accounts);

// The specifier with segment `segment` replaced by `value`. When the replaced segment held
// "^" places, the groups that filled them go too, so that every remaining place keeps its
// own group.
std::string ReplaceSegment(std::string_view specifier, int segment, std::string_view value);

// A row's specifier as the clipboard writes it: segment `segment` taken out as the value and
// a single "^" put in its place.
struct RowTemplate {
  std::string text;
  std::string value;
  int places_before = 0;  // "^" places of the template before the drilled one
  int places = 0;         // every "^" place of the template
  friend bool operator==(const RowTemplate&, const RowTemplate&) = default;
};
RowTemplate MakeRowTemplate(std::string_view specifier, int segment);

// The cells of a template's header line: the head, then each group's alternatives without
// their parentheses; a template that starts with "(" is one cell, whole.
std::vector<std::string> TemplateCells(std::string_view template_text);

}  // namespace r7::drill
