// Parsed pieces of an account specifier as the preload store compares them: bounds per
// segment, containment of one piece in another, and the ordering a piece is best searched
// in. (platform-independent)
//
// A piece is one plain item of an account specifier after expansion and checking
// ("1000..1999-*-*", "4*-10-200"): its segments separated by "-", each a literal value, a
// range "from..to", or a pattern with "*" (any run) and "?" (any one character). Parsing
// fits each segment to the company's length the way account keys are stored in the store:
// digits right-aligned and zero-filled ("12" -> "0012"), a value with a capital letter
// left-aligned and blank-filled ("AB" -> "AB  "). A pattern gets a low and a high bound: the
// pattern with each wildcard position filled with kLowFiller (0x1F, below every stored
// character) or kHighFiller ("~", above every stored character).
//
// What a descriptor promises: every account key that a segment admits (ContainsValue)
// lies, segment by segment, between that segment's low and high bound. The preload store
// relies on it to end a scan at the high bound without missing an account.
//
// Pieces the store cannot read soundly give an unusable descriptor, which contains
// nothing and is contained in nothing, so that a lookup declines and the ledger files are
// read: a piece with a blank, ",", "(", ")", "^", a quote, "~" or a control character
// (unexpanded lists and templates, or characters no checked item holds), a pattern that
// also holds "." (a range with a wildcard), and a part beyond the company's segments other than "0"
// or "*" (the checker completes short items with such parts).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "preload/segment_layout.h"

namespace r7::preload {

inline constexpr char kLowFiller = '\x1F';
inline constexpr char kHighFiller = '~';

enum class SegmentKind : int {
  kUnset = -1,          // the piece names no value for the segment
  kWildcard = 0,        // a pattern with "*" or "?"
  kRange = 1,           // "from..to"
  kSingleWildcard = 3,  // a pattern with "?" only; becomes kWildcard while parsing
  kLiteral = 4,         // one value
};

struct DescriptorSegment {
  SegmentKind kind = SegmentKind::kUnset;
  std::string text;  // the fitted value (literal) or the pattern (wildcard)
  std::string low;
  std::string high;
};

struct RangeDescriptor {
  bool usable = true;
  int segment_count = 0;  // copied from the layout
  std::array<DescriptorSegment, kMaxStoreSegments> segments;
  std::string low_key;   // the segments' lows concatenated
  std::string high_key;  // the segments' highs concatenated

  SegmentViews Lows() const;
  SegmentViews Highs() const;
};

// Parses one piece for `layout`. Letters are taken in upper case.
RangeDescriptor ParsePiece(std::string_view piece, const SegmentLayout& layout);

// The descriptor of one account key: each segment a literal of its fitted value. (Parsing
// the key's display text would not do: a letter code's filling blanks are no piece text.)
RangeDescriptor DescriptorOfKey(const SegmentViews& key, int segment_count);

// True when every account `candidate` admits is also admitted by `container`. Decided
// conservatively: where inclusion cannot be shown (a pattern against a range, two patterns
// of which neither plainly covers the other) the answer is false.
bool Contained(const RangeDescriptor& candidate, const RangeDescriptor& container);

// True when the account key with the segments `key` (one per layout segment, fitted as
// the store keeps them) is admitted by `piece`. The same answer as Contained for the
// key's own literal descriptor.
bool ContainsKey(const RangeDescriptor& piece, const SegmentViews& key);

// The ordering in which `piece` is most selective: the first of its parts (one per
// segment) with the highest score; a literal or a missing part scores 4, a range 1, a
// pattern 2 when it is two or more characters and not only "*", else 0.
int ChooseOrdering(std::string_view piece, const SegmentLayout& layout);

// True when `pattern` matches the whole of `text`: "*" any run, "?" any one character,
// letters without regard to case.
bool MatchPattern(std::string_view text, std::string_view pattern);

// True when every text `covered` matches as a pattern is matched by `pattern`.
bool PatternCovers(std::string_view pattern, std::string_view covered);

}  // namespace r7::preload
