// Tokens the preload cache answers for. (platform-independent)
#include "preload/selection_token.h"

#include <algorithm>

#include "specifiers/account_request.h"

namespace r7::preload {
namespace {

bool IsUsed(int segment, const SegmentLengths& lengths) {
  return segment == 0 || lengths[static_cast<std::size_t>(segment)] != 0;
}

bool IsLoneStar(const TokenSegment& segment) {
  return segment.kind == r7::SegmentKind::kPattern && segment.text == "*";
}

bool DigitsOnly(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A range "from..to" whose ends hold no further ".".
bool PlainRange(std::string_view text) {
  std::size_t dots = text.find("..");
  if (dots == std::string_view::npos) return false;
  std::string_view from = text.substr(0, dots);
  std::string_view to = text.substr(dots + 2);
  return from.find('.') == std::string_view::npos && to.find('.') == std::string_view::npos;
}

}  // namespace

bool ExpandRequestTokens(std::string_view specifier, const SegmentLengths& lengths,
                         const SegmentMappings& mappings, const EntityResolver& entities,
                         std::vector<std::vector<std::string>>* items) {
  ErrorReporter scratch;
  std::vector<std::string> expanded;
  if (ExpandAccountSpecifier(specifier, entities, expanded, scratch) != 0) return false;
  items->clear();
  for (std::string& item : expanded) {
    if (ValidateAccountItem(item, lengths, scratch) != 0) return false;
    items->push_back(SplitItemTokens(MapAccountItem(item, lengths, mappings)));
  }
  return true;
}

std::optional<SelectionToken> ParseSelectionToken(std::string_view text,
                                                  const SegmentLengths& lengths) {
  SelectionToken result{ParseAccountToken(text), std::string(text)};
  if (result.token.matches_nothing) return std::nullopt;
  for (int i = 0; i < 3; ++i) {
    const TokenSegment& segment = result.token.segments[static_cast<std::size_t>(i)];
    if (!IsUsed(i, lengths)) {
      if (!IsLoneStar(segment)) return std::nullopt;
      continue;
    }
    switch (segment.kind) {
      case r7::SegmentKind::kExact:
        if (segment.text.find('.') != std::string::npos || segment.text.empty())
          return std::nullopt;
        break;
      case r7::SegmentKind::kRange:
        if (!PlainRange(segment.text)) return std::nullopt;
        break;
      case r7::SegmentKind::kPattern:
        break;  // admitted by the file path's own pattern test
    }
  }
  return result;
}

bool TokenAdmits(const SelectionToken& token, std::string_view number,
                 const SegmentLengths& lengths) {
  if (number.size() < 24) return false;
  for (int i = 0; i < 3; ++i) {
    if (!IsUsed(i, lengths)) continue;
    const TokenSegment& segment = token.token.segments[static_cast<std::size_t>(i)];
    if (IsLoneStar(segment)) continue;  // the wildcard test admits every field
    std::string_view field = number.substr(8 * static_cast<std::size_t>(i), 8);
    if (!SegmentMatches(segment, field, lengths[static_cast<std::size_t>(i)], i,
                        kRangeAllSegments)) {
      return false;
    }
  }
  return true;
}

bool AdmitsEverything(const SelectionToken& token, const SegmentLengths& lengths) {
  for (int i = 0; i < 3; ++i) {
    if (IsUsed(i, lengths) && !IsLoneStar(token.token.segments[static_cast<std::size_t>(i)]))
      return false;
  }
  return true;
}

bool TokenCovers(const SelectionToken& container, const SelectionToken& candidate,
                 const SegmentLengths& lengths) {
  for (int i = 0; i < 3; ++i) {
    if (!IsUsed(i, lengths)) continue;
    const TokenSegment& outer = container.token.segments[static_cast<std::size_t>(i)];
    const TokenSegment& inner = candidate.token.segments[static_cast<std::size_t>(i)];
    if (IsLoneStar(outer)) continue;
    // Only a lone "*" is known to hold every field a pattern can match.
    if (inner.kind == r7::SegmentKind::kPattern || outer.kind == r7::SegmentKind::kPattern)
      return false;
    const std::string& inner_low = inner.kind == r7::SegmentKind::kExact ? inner.value : inner.from;
    const std::string& inner_high = inner.kind == r7::SegmentKind::kExact ? inner.value : inner.to;
    if (outer.kind == r7::SegmentKind::kExact) {
      if (inner.kind != r7::SegmentKind::kExact || inner.value != outer.value) return false;
      continue;
    }
    // A range admits the fields between its padded ends in character order.
    if (inner_low < outer.from || inner_high > outer.to) return false;
  }
  return true;
}

bool SeekableToken(const SelectionToken& token, const SegmentLengths& lengths,
                   const std::array<bool, 3>& letters) {
  for (int i = 0; i < 3; ++i) {
    if (!IsUsed(i, lengths)) continue;
    const TokenSegment& segment = token.token.segments[static_cast<std::size_t>(i)];
    if (segment.kind != r7::SegmentKind::kRange) continue;
    std::size_t dots = segment.text.find("..");
    std::string_view text = segment.text;
    if (letters[static_cast<std::size_t>(i)] || !DigitsOnly(text.substr(0, dots)) ||
        !DigitsOnly(text.substr(dots + 2))) {
      return false;
    }
  }
  return true;
}

std::string StorePieceText(const SelectionToken& token, const SegmentLengths& lengths) {
  std::string text;
  for (int i = 0; i < 3; ++i) {
    if (!IsUsed(i, lengths)) continue;
    if (!text.empty()) text += '-';
    // A pattern seeks as "*": the scan then holds every field the pattern can match, and
    // TokenAdmits applies the pattern itself.
    const TokenSegment& segment = token.token.segments[static_cast<std::size_t>(i)];
    text += segment.kind == r7::SegmentKind::kPattern ? std::string("*") : segment.text;
  }
  return text;
}

}  // namespace r7::preload
