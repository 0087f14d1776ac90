// The account specifier language: expansion into plain three-segment items, the check of
// an item against the company's segment lengths, segment mapping, tokens with their scan
// bounds, and the wildcard comparison. (platform-independent)
//
// A specifier names accounts: one account ('1000-10-200'), patterns with "*" and "?",
// ranges 'from..to', lists of items at top-level commas, groups of alternatives per
// segment ('(1000,2000)(10)(*)'), templates whose "^" places take the alternatives of the
// groups that follow ('^-^-5(1,2)(3,4)'), and names of financial entities standing for
// their values. Nothing here reads a file: entity names are resolved through the caller's
// EntityResolver, and failures are raised through the caller's ErrorReporter.
//
// Items are at most 511 characters; an expansion that would give more than
// kMaxExpandedItems items is refused with 34 "Range too long" rather than exhaust memory.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error_reporter.h"

namespace r7 {

inline constexpr std::size_t kMaxAccountItem = 511;
inline constexpr int kMaxEntityRounds = 100;
inline constexpr std::size_t kMaxExpandedItems = 20000;

// Syntax messages, raised with the failing text after them and no error number.
inline constexpr int kUnbalancedQuotes = 7100;
inline constexpr int kUnbalancedParentheses = 7101;
inline constexpr int kUnbalancedSpecifier = 7103;
inline constexpr int kTooManySegments = 7104;

// The value text of the financial entity (or the described segment value) that `name`
// names in segment `segment` (1 to 3), or nothing when it names none.
using EntityResolver =
    std::function<std::optional<std::string>(std::string_view name, int segment)>;

// Segment lengths of the company (main, profit center, department; 0: no such segment)
// and the three mapping settings (1 replace, 2 leave, 3 add the mapped forms).
using SegmentLengths = std::array<int, 3>;
using SegmentMappings = std::array<int, 3>;

// Expands `text` into `items` (each 'main-profit center-department', in the order the
// specifier writes them, combinations in odometer order with the last segment fastest).
// Returns 0, or -1 after raising 7100, 7101, 7103, 7104 (or 34 for an expansion too large).
int ExpandAccountSpecifier(std::string_view text, const EntityResolver& entities,
                           std::vector<std::string>& items, ErrorReporter& errors);

// Checks one item against the segment lengths, upper-cases it and completes missing
// segments with "0". Returns 0, or 8, 16, 20 or 34 after raising it with the item as
// detail (replacing any pending error).
int ValidateAccountItem(std::string& item, const SegmentLengths& lengths, ErrorReporter& errors);

// The item with its pattern segments lined up with the 8-character key fields under the
// mapping settings; setting-3 segments add the mapped forms as ","-separated alternatives.
std::string MapAccountItem(std::string_view item, const SegmentLengths& lengths,
                           const SegmentMappings& mappings);

// The tokens of a mapped item: its pieces between blanks and commas.
std::vector<std::string> SplitItemTokens(std::string_view item);

// True when `pattern` matches the whole of `text`: letters without regard to case, "?" any
// one character, "*" any run (the "?" directly after a "*" are absorbed by it).
bool MatchWildcard(std::string_view text, std::string_view pattern);

enum class SegmentKind { kExact, kRange, kPattern };

struct TokenSegment {
  std::string text;  // as written in the token
  SegmentKind kind = SegmentKind::kExact;
  std::string value;  // exact: the padded value
  std::string from;   // range: the padded ends
  std::string to;
  // Patterns, read once for the records they are compared with: "*" alone (every field
  // passes), only "0", "*" and "?", a "*" anywhere.
  bool any = false;
  bool zeros_and_wildcards = false;
  bool has_star = false;
};

// One token ready for a scan. The bounds are 24-character account numbers in key order
// 0 (main first): patterns filled with blanks (lower) or "Z" (upper), ranges by their ends.
struct AccountToken {
  std::string text;
  std::array<TokenSegment, 3> segments;
  bool exact = true;             // every segment exact
  bool matches_nothing = false;  // main account 00000000: the title records
  std::string lower;
  std::string upper;
};

AccountToken ParseAccountToken(std::string_view token);

// Whether stored `field` of segment `segment` (0 main) passes the token segment's test;
// `length` is the company's length for the segment. Under range type 1 only the main
// account's range is tested; the caller skips the tests altogether under range type 0.
bool SegmentMatches(const TokenSegment& segment, std::string_view field, int length,
                    int segment_index, int range_type);
// The digits that begin every stored field passing a pattern segment's test: those before
// the pattern's first wildcard, where the test reads the field from its first character (a
// pattern with a "*" that is not all "0", "*" and "?"; digits match only themselves, with
// or without regard to case). Empty when the test fixes no leading characters.
std::string_view RequiredFieldPrefix(const TokenSegment& segment);
// Whether a stored field holds a letter: a pattern is then compared with it trimmed.
bool FieldHasLetter(std::string_view field);
// The same for a scan, which looks for letters in a record's field once for all its tokens.
bool SegmentMatches(const TokenSegment& segment, std::string_view field, bool field_has_letter,
                    int length, int segment_index, int range_type);

// "*", "*-*", "*-*-*" and "^", "^-^", "^-^-^" for 1 to 3 segments.
std::string AllAccountsSpecifier(int segment_count);
std::string AllEntitiesTemplate(int segment_count);

// The display text of a 24-character account key under the company's segment lengths.
std::string AccountKeyDisplay(std::string_view key, const SegmentLengths& lengths);

}  // namespace r7
