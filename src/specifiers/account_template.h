// The template form of the account specifier that the preload cache keeps its selections
// in: items made by putting the alternatives of up to ten groups into the "^" places of a
// template. (platform-independent)
//
// A specifier that begins with "(" gets the all-entities template of the company's segment
// count in front ('^-^-^' for three). Top-level commas separate items; a template without
// "^" is one item. Groups advance in odometer order, the last group fastest.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/error_reporter.h"
#include "specifiers/account_specifier.h"

namespace r7 {

inline constexpr int kParenthesesDontMatch = 71;
inline constexpr int kBlanksNotAllowed = 72;
inline constexpr std::size_t kMaxTemplateGroups = 10;

// The raw items of `specifier`: 0, or 72 for a blank, 71 for unbalanced parentheses (not
// reported: the caller reports them), 34 reported for an expansion too large.
int ExpandTemplateItems(std::string_view specifier, int segment_count,
                        std::vector<std::string>& items, ErrorReporter& errors);

// ExpandAccountTemplate: the items each checked with ValidateAccountItem and mapped. 0, 71
// or 72 as above, or the check's code (already reported).
int ExpandAccountTemplate(std::string_view specifier, const SegmentLengths& lengths,
                          const SegmentMappings& mappings, std::vector<std::string>& items,
                          ErrorReporter& errors);

}  // namespace r7
