// The account specifier language. (platform-independent)
#include "specifiers/account_specifier.h"

#include <algorithm>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "specifiers/account_number_text.h"
#include "specifiers/account_request.h"

namespace r7 {
namespace {

constexpr std::size_t kField = kSegmentFieldWidth;

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool HasLetter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), IsLetter);
}
bool HasWildcard(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

std::vector<std::string> SplitAt(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (true) {
    std::size_t at = text.find(separator, start);
    pieces.emplace_back(text.substr(start, at - start));
    if (at == std::string_view::npos) return pieces;
    start = at + 1;
  }
}

// `text` split at "-" into at most `count` segments, the last taking the rest.
std::vector<std::string> SplitSegments(std::string_view text, std::size_t count) {
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (segments.size() + 1 < count) {
    std::size_t at = text.find('-', start);
    if (at == std::string_view::npos) break;
    segments.emplace_back(text.substr(start, at - start));
    start = at + 1;
  }
  segments.emplace_back(text.substr(start));
  return segments;
}

// Raised as a message of its own: the text of `id` and the text that failed.
void RaiseSyntax(ErrorReporter& errors, int id, std::string_view failed) {
  std::string text(StringText(id));
  text += failed;
  errors.SetError(kAlreadyReported, text);
}

// 0, 7100 or 7101 for the whole specifier.
int CheckBalance(std::string_view text) {
  if (std::count(text.begin(), text.end(), '\'') % 2 != 0) return kUnbalancedQuotes;
  int depth = 0;
  for (char c : text) {
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) return kUnbalancedParentheses;
  }
  return depth == 0 ? 0 : kUnbalancedParentheses;
}

// Parts at the commas outside parentheses and quotes; the quotes themselves are dropped.
std::vector<std::string> SplitTopLevel(std::string_view text) {
  std::vector<std::string> parts(1);
  int depth = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == '\'') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && c == '(') ++depth;
    if (!quoted && c == ')') --depth;
    if (!quoted && depth == 0 && c == ',') {
      parts.emplace_back();
      continue;
    }
    parts.back() += c;
  }
  return parts;
}

// The groups "(a,b)(c)" of `text`: their contents. A "(" that is the last character is
// dropped; nesting or text between the groups answers nothing.
std::optional<std::vector<std::string>> SplitGroups(std::string_view text) {
  std::vector<std::string> groups;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    if (text[at] != '(') return std::nullopt;
    if (at + 1 == text.size()) break;
    std::size_t close = text.find_first_of("()", at + 1);
    if (close == std::string_view::npos || text[close] != ')') return std::nullopt;
    groups.emplace_back(text.substr(at + 1, close - at - 1));
    at = close + 1;
  }
  return groups;
}

// One list of alternatives per segment.
using SegmentAlternatives = std::vector<std::vector<std::string>>;

void AddOnce(std::vector<std::string>& list, const std::string& value) {
  if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

// Every combination of one alternative per list, the last list fastest.
template <typename Emit>
bool ForEachCombination(const SegmentAlternatives& lists, Emit emit) {
  std::size_t total = 1;
  for (const auto& list : lists) {
    if (list.empty()) return true;
    total *= list.size();
    if (total > kMaxExpandedItems) return false;
  }
  std::vector<std::size_t> odometer(lists.size(), 0);
  for (std::size_t n = 0; n < total; ++n) {
    std::vector<std::string_view> pick;
    for (std::size_t i = 0; i < lists.size(); ++i) pick.push_back(lists[i][odometer[i]]);
    emit(pick);
    for (std::size_t i = lists.size(); i-- > 0;) {
      if (++odometer[i] < lists[i].size()) break;
      odometer[i] = 0;
    }
  }
  return true;
}

// Replaces entity names among the alternatives of segment `segment` (1 to 3) by their
// values, round after round, until no name is left or the rounds run out.
void ResolveEntities(std::vector<std::string>& values, int segment,
                     const EntityResolver& entities) {
  if (!entities) return;
  for (int round = 0; round < kMaxEntityRounds; ++round) {
    bool changed = false;
    std::vector<std::string> next;
    for (const std::string& value : values) {
      std::optional<std::string> replacement;
      if (!value.empty() && value.front() != ' ') replacement = entities(value, segment);
      if (!replacement || *replacement == value) {
        next.push_back(value);
        continue;
      }
      changed = true;
      std::string_view text = TrimBlanks(*replacement);
      if (text.size() >= 2 && text.front() == '(' && text.back() == ')')
        text = text.substr(1, text.size() - 2);
      for (std::string& piece : SplitAt(text, ',')) next.push_back(std::move(piece));
    }
    values = std::move(next);
    if (!changed) return;
  }
}

struct PartResult {
  int message = 0;  // a syntax message id, or 34 when too large
  SegmentAlternatives segments;
};

PartResult ExpandTemplatePart(std::string_view part) {
  PartResult result;
  std::size_t caret = part.find('^');
  std::size_t open = part.rfind('(', caret);
  std::size_t start = open == std::string_view::npos ? 0 : open + 1;
  std::size_t end = part.find_first_of("()", start);
  std::string_view shape = part.substr(start, end - start);
  std::string_view rest = end == std::string_view::npos ? std::string_view() : part.substr(end);
  if (!rest.empty() && rest.front() == ')') rest.remove_prefix(1);
  std::optional<std::vector<std::string>> groups = SplitGroups(rest);
  if (!groups) {
    result.message = kUnbalancedSpecifier;
    return result;
  }
  std::size_t places = static_cast<std::size_t>(std::count(shape.begin(), shape.end(), '^'));
  SegmentAlternatives lists;
  for (std::size_t i = 0; i < places; ++i) {
    lists.push_back(i < groups->size() ? SplitAt((*groups)[i], ',')
                                       : std::vector<std::string>{"*"});
  }
  std::vector<std::string> texts;
  bool fits = ForEachCombination(lists, [&](const std::vector<std::string_view>& pick) {
    std::string text;
    std::size_t place = 0;
    for (char c : shape) {
      if (c == '^') {
        text += pick[place++];
      } else {
        text += c;
      }
    }
    texts.push_back(text.substr(0, kMaxAccountItem + 1));
  });
  if (!fits) {
    result.message = kRangeTooLong;
    return result;
  }
  std::size_t count = std::max<std::size_t>(3, SplitAt(texts.front(), '-').size());
  if (places < count) count = std::max<std::size_t>(places, 1);
  result.segments.resize(count);
  for (const std::string& text : texts) {
    std::vector<std::string> segments = SplitSegments(text, count);
    for (std::size_t i = 0; i < segments.size(); ++i) AddOnce(result.segments[i], segments[i]);
  }
  // A text with fewer segments than the first leaves its missing ones to the item check.
  for (auto& list : result.segments) {
    if (list.empty()) list.push_back("0");
  }
  return result;
}

PartResult ExpandPart(std::string_view part) {
  PartResult result;
  if (part.find('^') != std::string_view::npos) return ExpandTemplatePart(part);
  if (part.find('(') != std::string_view::npos) {
    std::optional<std::vector<std::string>> groups = SplitGroups(part);
    if (!groups) {
      result.message = kUnbalancedSpecifier;
    } else if (groups->size() > 3) {
      result.message = kTooManySegments;
    } else {
      for (const std::string& group : *groups) result.segments.push_back(SplitAt(group, ','));
      while (result.segments.size() < 3) result.segments.push_back({"*"});
    }
    return result;
  }
  std::vector<std::string> segments = SplitAt(part, '-');
  if (segments.size() > 3) {
    result.message = kTooManySegments;
    return result;
  }
  for (std::string& segment : segments) result.segments.push_back({std::move(segment)});
  while (result.segments.size() < 3) result.segments.push_back({"*"});
  return result;
}

}  // namespace

int ExpandAccountSpecifier(std::string_view text, const EntityResolver& entities,
                           std::vector<std::string>& items, ErrorReporter& errors) {
  items.clear();
  if (int message = CheckBalance(text); message != 0) {
    RaiseSyntax(errors, message, {});
    return -1;
  }
  for (const std::string& part : SplitTopLevel(text)) {
    PartResult expanded = ExpandPart(part);
    if (expanded.message == kRangeTooLong) {
      errors.SetError(kRangeTooLong, part);
      items.clear();
      return -1;
    }
    if (expanded.message != 0) {
      RaiseSyntax(errors, expanded.message, part);
      items.clear();
      return -1;
    }
    for (std::size_t i = 0; i < expanded.segments.size(); ++i)
      ResolveEntities(expanded.segments[i], static_cast<int>(std::min<std::size_t>(i, 2)) + 1,
                      entities);
    bool fits =
        ForEachCombination(expanded.segments, [&](const std::vector<std::string_view>& pick) {
          if (items.size() >= kMaxExpandedItems) return;
          std::string item;
          for (std::size_t i = 0; i < pick.size(); ++i) {
            if (i > 0) item += '-';
            item += pick[i];
            if (item.size() > kMaxAccountItem) break;
          }
          items.push_back(item.substr(0, kMaxAccountItem + 1));
        });
    if (!fits || items.size() >= kMaxExpandedItems) {
      errors.SetError(kRangeTooLong, part);
      items.clear();
      return -1;
    }
  }
  return 0;
}

int ValidateAccountItem(std::string& item, const SegmentLengths& lengths, ErrorReporter& errors) {
  item = ToUpperAscii(item);
  auto raise = [&](int code) {
    errors.Clear();
    errors.SetError(code, item);
    return code;
  };
  std::vector<std::string> parts = SplitAt(item, ',');
  for (std::string& part : parts) {
    std::vector<std::string> segments = SplitAt(part, '-');
    // A trailing "-" leaves a segment for the completion to fill.
    bool trailing_dash = segments.size() > 1 && segments.size() <= 3 && segments.back().empty();
    std::size_t written = segments.size() - (trailing_dash ? 1 : 0);
    if (segments.size() > 3) return raise(kInvalidSpecifierLength);
    for (std::size_t i = 0; i < written; ++i) {
      const std::string& segment = segments[i];
      const std::size_t length = static_cast<std::size_t>(std::max(lengths[i], 0));
      if (i > 0 && segment == "*") continue;
      if (segment.empty()) {
        if (length != 0) return raise(kInvalidSpecifierLength);
        continue;
      }
      if (segment.find('~') != std::string::npos) return raise(kInvalidCharacter);
      std::size_t dot = segment.find('.');
      if (dot == std::string::npos) {
        if (segment.size() > length) return raise(kInvalidSpecifierLength);
        continue;
      }
      if (HasWildcard(segment)) return raise(kInvalidWildcardInRange);
      if (segment.size() > 3 * length + 2) return raise(kInvalidSpecifierLength);
      if (dot < 1 || dot > length) return raise(kInvalidSpecifierLength);
      std::size_t after = segment.find_first_not_of('.', dot);
      if (after == std::string::npos) after = segment.size();
      if (after - dot > 2) return raise(kInvalidSpecifierLength);
      std::size_t upper = segment.size() - after;
      if (upper > length || (upper == 0 && i == 0)) return raise(kInvalidSpecifierLength);
    }
    segments.resize(written);
    while (segments.size() < 3) segments.push_back("0");
    part = segments[0] + "-" + segments[1] + "-" + segments[2];
  }
  std::string completed;
  for (const std::string& part : parts) {
    if (!completed.empty()) completed += ',';
    completed += part;
  }
  if (completed.size() > kMaxAccountItem) return raise(kRangeTooLong);
  item = completed;
  return 0;
}

std::string MapAccountItem(std::string_view item, const SegmentLengths& lengths,
                           const SegmentMappings& mappings) {
  if (!HasWildcard(item)) return std::string(item);
  std::vector<std::string> segments = SplitSegments(item, 3);
  std::array<std::string, 3> mapped;
  std::array<bool, 3> mappable{};
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const std::string& segment = segments[i];
    const int length = lengths[i];
    mappable[i] = HasWildcard(segment) && !HasLetter(segment) &&
                  segment.find_first_not_of("0?*") != std::string::npos && segment != "*" &&
                  length > 0 && length < 8 && mappings[i] != 2;
    if (mappable[i]) mapped[i] = std::string(8 - static_cast<std::size_t>(length), '0') + segment;
  }
  auto form = [&](std::array<bool, 3> use) {
    std::string text;
    for (std::size_t i = 0; i < segments.size(); ++i) {
      if (i > 0) text += '-';
      text += use[i] ? mapped[i] : segments[i];
    }
    return text;
  };
  std::array<bool, 3> base{};
  for (std::size_t i = 0; i < 3; ++i) base[i] = mappable[i] && mappings[i] == 1;
  std::string result = form(base);
  static constexpr std::array<std::array<bool, 3>, 7> kSubsets = {{{true, false, false},
                                                                   {false, true, false},
                                                                   {false, false, true},
                                                                   {true, true, false},
                                                                   {true, false, true},
                                                                   {false, true, true},
                                                                   {true, true, true}}};
  for (const auto& subset : kSubsets) {
    std::array<bool, 3> use = base;
    bool usable = true;
    for (std::size_t i = 0; i < 3; ++i) {
      if (!subset[i]) continue;
      usable = usable && mappable[i] && mappings[i] == 3;
      use[i] = true;
    }
    if (!usable) continue;
    std::string added = form(use);
    if (result.size() + 1 + added.size() >= kMaxAccountItem) return std::string(item);
    result += ',' + added;
  }
  return result;
}

std::vector<std::string> SplitItemTokens(std::string_view item) {
  std::vector<std::string> tokens;
  std::string token;
  for (char c : item) {
    if (c == ' ' || c == ',') {
      if (!token.empty()) tokens.push_back(std::move(token));
      token.clear();
    } else {
      token += c;
    }
  }
  if (!token.empty()) tokens.push_back(std::move(token));
  return tokens;
}

bool MatchWildcard(std::string_view text, std::string_view pattern) {
  std::size_t t = 0, p = 0;
  std::size_t star = std::string_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      while (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '?')) ++p;
      if (p == pattern.size()) return true;
      star = p;
      resume = t;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || ToUpperAscii(pattern[p]) == ToUpperAscii(text[t]))) {
      ++p;
      ++t;
    } else if (star != std::string_view::npos) {
      p = star;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') {
    ++p;
    while (p < pattern.size() && pattern[p] == '?') ++p;  // absorbed by the "*"
  }
  return p == pattern.size();
}

namespace {

// A pattern's bound: "*" filled to make the field 8 long, "?" one fill character each.
std::string PatternBound(std::string_view pattern, char fill) {
  std::size_t others = 0;
  for (char c : pattern) others += c == '*' ? 0 : 1;
  std::string bound;
  bool filled = false;
  for (char c : pattern) {
    if (c == '*') {
      if (!filled && others < kField) bound.append(kField - others, fill);
      filled = true;
    } else {
      bound += c == '?' ? fill : c;
    }
  }
  return bound.size() >= kField ? bound.substr(0, kField) : StoredSegment(bound);
}

}  // namespace

AccountToken ParseAccountToken(std::string_view text) {
  AccountToken token;
  token.text = std::string(text);
  std::vector<std::string> segments = SplitSegments(text, 3);
  while (segments.size() < 3) segments.push_back("*");
  for (std::size_t i = 0; i < 3; ++i) {
    TokenSegment& segment = token.segments[i];
    segment.text = segments[i];
    std::string lower, upper;
    if (HasWildcard(segment.text)) {
      segment.kind = SegmentKind::kPattern;
      segment.any = segment.text == "*";
      segment.zeros_and_wildcards = segment.text.find_first_not_of("0*?") == std::string::npos;
      segment.has_star = segment.text.find('*') != std::string::npos;
      lower = PatternBound(segment.text, ' ');
      upper = PatternBound(segment.text, 'Z');
    } else if (std::size_t dots = segment.text.find(".."); dots != std::string::npos) {
      segment.kind = SegmentKind::kRange;
      std::size_t first_dot = segment.text.find('.');
      std::size_t after = segment.text.find_first_not_of('.', dots);
      segment.from = StoredSegment(segment.text.substr(0, first_dot));
      segment.to =
          StoredSegment(after == std::string::npos ? std::string() : segment.text.substr(after));
      lower = segment.from;
      upper = segment.to;
    } else {
      segment.kind = SegmentKind::kExact;
      segment.value = StoredSegment(segment.text);
      lower = upper = segment.value;
    }
    token.exact = token.exact && segment.kind == SegmentKind::kExact;
    token.lower += lower;
    token.upper += upper;
  }
  token.matches_nothing =
      token.segments[0].kind == SegmentKind::kExact && token.segments[0].value == kZeroSegmentField;
  return token;
}

bool FieldHasLetter(std::string_view field) {
  return HasLetter(field);
}

bool SegmentMatches(const TokenSegment& segment, std::string_view field, int length,
                    int segment_index, int range_type) {
  return SegmentMatches(segment, field, HasLetter(field), length, segment_index, range_type);
}

bool SegmentMatches(const TokenSegment& segment, std::string_view field, bool field_has_letter,
                    int length, int segment_index, int range_type) {
  switch (segment.kind) {
    case SegmentKind::kExact:
      // A value without wildcards matches as the same letters, without regard to case.
      return field == segment.value || EqualsIgnoreCase(field, segment.value);
    case SegmentKind::kRange:
      if (range_type == kRangeMainOnly && segment_index != 0) return true;
      return segment.from <= field && field <= segment.to;
    case SegmentKind::kPattern:
      break;
  }
  if (segment.any) return true;  // every field, whatever form it is compared in
  std::string_view compared = field;
  const std::size_t kept = static_cast<std::size_t>(std::max(length, 0));
  if (field_has_letter) {
    compared = TrimTrailingBlanks(field);
  } else if (segment.zeros_and_wildcards || (!segment.has_star && field.size() > kept)) {
    if (kept < field.size()) compared = field.substr(field.size() - kept);
  }
  return MatchWildcard(compared, segment.text);
}

std::string_view RequiredFieldPrefix(const TokenSegment& segment) {
  // A field with a letter is compared trimmed, one without in full: either way from its
  // first character, so the pattern's leading literal characters meet the field's.
  if (segment.kind != SegmentKind::kPattern || !segment.has_star || segment.zeros_and_wildcards)
    return {};
  const std::string_view text = segment.text;
  std::size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
  return text.substr(0, std::min(digits, kField));
}

std::string AllAccountsSpecifier(int segment_count) {
  std::string text = "*";
  for (int i = 1; i < std::clamp(segment_count, 1, 3); ++i) text += "-*";
  return text;
}

std::string AllEntitiesTemplate(int segment_count) {
  std::string text = "^";
  for (int i = 1; i < std::clamp(segment_count, 1, 3); ++i) text += "-^";
  return text;
}

std::string AccountKeyDisplay(std::string_view key, const SegmentLengths& lengths) {
  return DisplayAccount(key, lengths);
}

}  // namespace r7
