// Parsed pieces of an account specifier as the preload store compares them.
// (platform-independent)
#include "preload/range_descriptor.h"

#include <algorithm>
#include <vector>

namespace r7::preload {
namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
bool HasCapital(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}
bool Contains(std::string_view text, std::string_view what) {
  return text.find(what) != std::string_view::npos;
}

// Characters that no checked single piece holds: list and template syntax, blanks, the
// high filler and control characters.
bool UnreadablePiece(std::string_view piece) {
  for (char c : piece) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x21 || u >= 0x7E) return true;
    if (c == ',' || c == '(' || c == ')' || c == '^' || c == '\'' || c == '"') return true;
  }
  return false;
}

std::vector<std::string_view> SplitParts(std::string_view text, int segment_count) {
  std::vector<std::string_view> parts;
  if (segment_count <= 1) {
    parts.push_back(text);
    return parts;
  }
  std::size_t start = 0;
  while (true) {
    std::size_t dash = text.find('-', start);
    parts.push_back(text.substr(start, dash == std::string_view::npos ? dash : dash - start));
    if (dash == std::string_view::npos) break;
    start = dash + 1;
  }
  return parts;
}

std::string TrimTrailingBlanks(std::string text) {
  std::size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

// A literal value or a range end fitted to the segment length: with a capital letter
// blank-filled on the right, otherwise zero-filled on the left. Longer values stay whole.
std::string Fit(std::string text, int length) {
  text = TrimTrailingBlanks(std::move(text));
  std::size_t width = static_cast<std::size_t>(length);
  if (text.size() >= width) return text;
  if (HasCapital(text)) return text + std::string(width - text.size(), ' ');
  return std::string(width - text.size(), '0') + text;
}

std::string PadBlanks(std::string text, int length) {
  if (text.size() < static_cast<std::size_t>(length)) text.resize(length, ' ');
  return text;
}

// The bound of a pattern: "?" takes one filler position, the first "*" as many as leave
// room for the pattern's other characters, a later "*" none. A high bound gets at least
// one filler for a "*", so that a value wider than the segment still lies below it.
std::string PatternBound(std::string_view pattern, int length, char filler, bool high) {
  long others = static_cast<long>(
      std::count_if(pattern.begin(), pattern.end(), [](char c) { return c != '*'; }));
  long room = std::max(0L, static_cast<long>(length) - others);
  if (high) room = std::max(1L, room);
  std::string bound;
  bool star_seen = false;
  for (char c : pattern) {
    if (c == '?') {
      bound += filler;
    } else if (c == '*') {
      if (!star_seen) bound.append(static_cast<std::size_t>(room), filler);
      star_seen = true;
    } else {
      bound += c;
    }
  }
  return bound;
}

// Parses one part into `segment`; false when the part cannot be read soundly.
bool ParseSegment(std::string_view part, int length, DescriptorSegment* segment) {
  if (part.empty()) return true;  // stays unset
  std::size_t dots = part.find("..");
  bool star = Contains(part, "*");
  bool question = Contains(part, "?");
  if (dots != std::string_view::npos) {
    if (star || question) return false;  // a pattern inside a range
    segment->kind = SegmentKind::kRange;
    segment->text = std::string(part);
    segment->low = Fit(PadBlanks(std::string(part.substr(0, dots)), length), length);
    segment->high = Fit(PadBlanks(std::string(part.substr(dots + 2)), length), length);
    return true;
  }
  if (star || question) {
    if (Contains(part, ".")) return false;   // a pattern inside a range
    segment->kind = SegmentKind::kWildcard;  // a lone "?" pattern is padded first
    segment->text = star ? std::string(part) : PadBlanks(std::string(part), length);
    segment->low = PatternBound(segment->text, length, kLowFiller, false);
    segment->high = PatternBound(segment->text, length, kHighFiller, true);
    return true;
  }
  segment->kind = SegmentKind::kLiteral;
  segment->text = Fit(std::string(part), length);
  segment->low = segment->text;
  segment->high = segment->text;
  return true;
}

bool PatternIsAllStars(std::string_view pattern) {
  return !pattern.empty() &&
         std::all_of(pattern.begin(), pattern.end(), [](char c) { return c == '*'; });
}

// Whether the candidate segment `a` admits only values the container segment `b` admits.
bool SegmentContained(const DescriptorSegment& a, const DescriptorSegment& b) {
  switch (b.kind) {
    case SegmentKind::kUnset:
      return a.kind == SegmentKind::kUnset;
    case SegmentKind::kLiteral:
      if (a.kind == SegmentKind::kLiteral) return a.text == b.text;
      if (a.kind == SegmentKind::kRange) return a.low == b.text && a.high == b.text;
      return false;
    case SegmentKind::kRange:
      if (a.kind == SegmentKind::kUnset) return false;
      return a.low >= b.low && a.high <= b.high;
    case SegmentKind::kWildcard:
    case SegmentKind::kSingleWildcard:
      switch (a.kind) {
        case SegmentKind::kUnset:
          return MatchPattern("", b.text);
        case SegmentKind::kLiteral:
          return MatchPattern(a.text, b.text);
        case SegmentKind::kRange:
          return PatternIsAllStars(b.text);
        default:
          return PatternCovers(b.text, a.text);
      }
  }
  return false;
}

int PartScore(std::string_view part) {
  if (Contains(part, "*") || Contains(part, "?")) {
    bool only_stars = PatternIsAllStars(part);
    return part.size() >= 2 && !only_stars ? 2 : 0;
  }
  if (Contains(part, "..")) return 1;
  return 4;
}

}  // namespace

SegmentViews RangeDescriptor::Lows() const {
  SegmentViews views{};
  for (int i = 0; i < kMaxStoreSegments; ++i) views[i] = segments[i].low;
  return views;
}

SegmentViews RangeDescriptor::Highs() const {
  SegmentViews views{};
  for (int i = 0; i < kMaxStoreSegments; ++i) views[i] = segments[i].high;
  return views;
}

RangeDescriptor ParsePiece(std::string_view piece, const SegmentLayout& layout) {
  RangeDescriptor descriptor;
  descriptor.segment_count = layout.count;
  std::string text(piece);
  for (char& c : text) c = Upper(c);
  if (UnreadablePiece(text)) {
    descriptor.usable = false;
    return descriptor;
  }
  std::vector<std::string_view> parts = SplitParts(text, layout.count);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i < static_cast<std::size_t>(layout.count)) {
      if (!ParseSegment(parts[i], layout.lengths[i], &descriptor.segments[i])) {
        descriptor.usable = false;
      }
    } else if (!parts[i].empty() && parts[i] != "0" && parts[i] != "*") {
      descriptor.usable = false;  // names a segment the company does not have
    }
  }
  for (int i = 0; i < layout.count; ++i) {
    descriptor.low_key += descriptor.segments[i].low;
    descriptor.high_key += descriptor.segments[i].high;
  }
  return descriptor;
}

RangeDescriptor DescriptorOfKey(const SegmentViews& key, int segment_count) {
  RangeDescriptor descriptor;
  descriptor.segment_count = std::clamp(segment_count, 1, kMaxStoreSegments);
  for (int i = 0; i < descriptor.segment_count; ++i) {
    DescriptorSegment& segment = descriptor.segments[i];
    segment.kind = SegmentKind::kLiteral;
    segment.text = std::string(key[i]);
    segment.low = segment.text;
    segment.high = segment.text;
    descriptor.low_key += segment.low;
    descriptor.high_key += segment.high;
  }
  return descriptor;
}

bool Contained(const RangeDescriptor& candidate, const RangeDescriptor& container) {
  if (!candidate.usable || !container.usable) return false;
  if (candidate.segment_count != container.segment_count) return false;
  int count = candidate.segment_count;
  if (CompareInOrdering(candidate.Lows(), container.Lows(), 0, count) < 0) return false;
  if (CompareInOrdering(candidate.Highs(), container.Highs(), 0, count) > 0) return false;
  for (int i = 0; i < count; ++i) {
    if (!SegmentContained(candidate.segments[i], container.segments[i])) return false;
  }
  return true;
}

bool ContainsKey(const RangeDescriptor& piece, const SegmentViews& key) {
  if (!piece.usable) return false;
  for (int i = 0; i < piece.segment_count; ++i) {
    const DescriptorSegment& segment = piece.segments[i];
    std::string_view value = key[i];
    switch (segment.kind) {
      case SegmentKind::kUnset:
        if (!value.empty()) return false;
        break;
      case SegmentKind::kLiteral:
        if (value != segment.text) return false;
        break;
      case SegmentKind::kRange:
        if (value < segment.low || value > segment.high) return false;
        break;
      case SegmentKind::kWildcard:
      case SegmentKind::kSingleWildcard:
        if (!MatchPattern(value, segment.text)) return false;
        break;
    }
  }
  return true;
}

int ChooseOrdering(std::string_view piece, const SegmentLayout& layout) {
  int count = std::clamp(layout.count, 1, kOrderingCount);
  std::vector<std::string_view> parts = SplitParts(piece, count);
  int best = 0;
  int best_score = -1;
  for (int i = 0; i < count; ++i) {
    int score = i < static_cast<int>(parts.size()) ? PartScore(parts[i]) : 4;
    if (score > best_score) {
      best = i;
      best_score = score;
    }
  }
  return best;
}

bool MatchPattern(std::string_view text, std::string_view pattern) {
  std::size_t t = 0, p = 0;
  std::size_t star = std::string_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (p < pattern.size() && (pattern[p] == '?' || Upper(pattern[p]) == Upper(text[t]))) {
      ++p;
      ++t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool PatternCovers(std::string_view pattern, std::string_view covered) {
  // covers[i][j]: pattern from i covers `covered` from j. Filled from the ends backwards.
  std::size_t width = covered.size() + 1;
  std::vector<char> covers((pattern.size() + 1) * width, 0);
  auto at = [&](std::size_t i, std::size_t j) -> char& { return covers[i * width + j]; };
  at(pattern.size(), covered.size()) = 1;
  for (std::size_t i = pattern.size(); i-- > 0;) {
    for (std::size_t j = covered.size() + 1; j-- > 0;) {
      char p = pattern[i];
      bool result;
      if (p == '*') {
        result = at(i + 1, j) || (j < covered.size() && at(i, j + 1));
      } else if (j == covered.size() || covered[j] == '*') {
        result = false;  // only a "*" of the pattern covers a run
      } else if (p == '?') {
        result = at(i + 1, j + 1);
      } else {
        result = covered[j] != '?' && Upper(covered[j]) == Upper(p) && at(i + 1, j + 1);
      }
      at(i, j) = result ? 1 : 0;
    }
  }
  return at(0, 0) != 0;
}

}  // namespace r7::preload
