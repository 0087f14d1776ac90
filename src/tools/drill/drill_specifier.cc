// The account specifiers of the drill-down. (platform-independent)
#include "tools/drill/drill_specifier.h"

#include <algorithm>

namespace r7::drill {
namespace {

// A "(" group: the positions of its parentheses.
struct Group {
  std::size_t open;
  std::size_t close;  // the matching ")", or the text's end when it has none
};

// The groups that start at or after `from`, in order; text between them is skipped.
std::vector<Group> GroupsFrom(std::string_view text, std::size_t from) {
  std::vector<Group> groups;
  std::size_t at = text.find('(', from);
  while (at != std::string_view::npos) {
    int depth = 0;
    std::size_t end = at;
    for (; end < text.size(); ++end) {
      if (text[end] == '(') ++depth;
      if (text[end] == ')' && --depth == 0) break;
    }
    groups.push_back({at, end});
    if (end >= text.size()) break;
    at = text.find('(', end + 1);
  }
  return groups;
}

// Where the segments of a specifier are, and the groups that fill its "^" places.
struct Shape {
  bool groups_only = false;  // one group per segment
  std::size_t head_begin = 0;
  std::size_t head_end = 0;
  std::vector<Group> groups;  // after the head; every group when groups_only
};

Shape ShapeOf(std::string_view spec) {
  Shape shape;
  if (!spec.empty() && spec.front() == '(') {
    shape.groups = GroupsFrom(spec, 0);
    const Group first = shape.groups.front();
    if (spec.substr(first.open, first.close - first.open).find('^') == std::string_view::npos) {
      shape.groups_only = true;
      return shape;
    }
    shape.head_begin = first.open + 1;
    shape.head_end = first.close;
    shape.groups.erase(shape.groups.begin());
    return shape;
  }
  shape.head_end = std::min(spec.find('('), spec.size());
  shape.groups = GroupsFrom(spec, shape.head_end);
  return shape;
}

int PlacesIn(std::string_view text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '^'));
}

// One segment of a specifier: the text [begin, end) it occupies, or, when the specifier
// lacks it, where it goes and what precedes it ("-*-" fills for a head, "(*)" for groups).
struct Slot {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string missing_prefix;  // written before the value when the segment is missing
  std::string missing_suffix;
  int places_before = 0;  // "^" places of the head before the segment
};

Slot Locate(std::string_view spec, const Shape& shape, int segment) {
  Slot slot;
  if (shape.groups_only) {
    if (static_cast<std::size_t>(segment) < shape.groups.size()) {
      const Group& g = shape.groups[static_cast<std::size_t>(segment)];
      slot.begin = g.open + 1;
      slot.end = std::max(g.close, slot.begin);
      return slot;
    }
    slot.begin = slot.end =
        shape.groups.empty() ? spec.size() : std::min(shape.groups.back().close + 1, spec.size());
    for (std::size_t i = shape.groups.size(); i < static_cast<std::size_t>(segment); ++i) {
      slot.missing_prefix += "(*)";
    }
    slot.missing_prefix += "(";
    slot.missing_suffix = ")";
    return slot;
  }
  std::size_t begin = shape.head_begin;
  for (int i = 0; i < segment; ++i) {
    const std::size_t dash = spec.substr(0, shape.head_end).find('-', begin);
    if (dash == std::string_view::npos) {
      // Missing segments read as "*": the head grows to the one asked for.
      slot.begin = slot.end = shape.head_end;
      slot.places_before =
          PlacesIn(spec.substr(shape.head_begin, shape.head_end - shape.head_begin));
      for (int missing = i; missing < segment; ++missing) {
        slot.missing_prefix += missing + 1 == segment ? "-" : "-*";
      }
      return slot;
    }
    begin = dash + 1;
  }
  const std::size_t dash = spec.substr(0, shape.head_end).find('-', begin);
  slot.begin = begin;
  slot.end = dash == std::string_view::npos ? shape.head_end : dash;
  slot.places_before = PlacesIn(spec.substr(shape.head_begin, begin - shape.head_begin));
  return slot;
}

}  // namespace

std::string FirstPiece(std::string_view accounts) {
  int depth = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < accounts.size(); ++i) {
    const char c = accounts[i];
    if (c == '\'') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')' && depth > 0) --depth;
    if (c == ',' && depth == 0) {
      std::string piece(accounts.substr(0, i));
      const std::size_t group = accounts.find('(', i);
      if (group != std::string_view::npos) piece += accounts.substr(group);
      return piece;
    }
  }
  return std::string(accounts);
}

std::string ReplaceSegment(std::string_view spec, int segment, std::string_view value) {
  const Shape shape = ShapeOf(spec);
  const Slot slot = Locate(spec, shape, segment);
  const int places = PlacesIn(spec.substr(slot.begin, slot.end - slot.begin));
  // The groups that filled the replaced places, by position among the groups.
  const std::size_t first_gone = static_cast<std::size_t>(slot.places_before);
  const std::size_t last_gone = first_gone + static_cast<std::size_t>(places);
  std::string out;
  out += spec.substr(0, slot.begin);
  out += slot.missing_prefix;
  out += value;
  out += slot.missing_suffix;
  std::size_t copied = slot.end;
  for (std::size_t i = 0; i < shape.groups.size() && !shape.groups_only; ++i) {
    if (i < first_gone || i >= last_gone) continue;
    const Group& g = shape.groups[i];
    out += spec.substr(copied, g.open - copied);
    copied = std::min(g.close + 1, spec.size());
  }
  out += spec.substr(copied);
  return out;
}

RowTemplate MakeRowTemplate(std::string_view spec, int segment) {
  const Shape shape = ShapeOf(spec);
  const Slot slot = Locate(spec, shape, segment);
  RowTemplate row;
  row.value = std::string(spec.substr(slot.begin, slot.end - slot.begin));
  row.text = std::string(spec.substr(0, slot.begin)) + slot.missing_prefix + "^" +
             slot.missing_suffix + std::string(spec.substr(slot.end));
  const std::size_t drilled = slot.begin + slot.missing_prefix.size();
  row.places_before = PlacesIn(std::string_view(row.text).substr(0, drilled));
  row.places = PlacesIn(row.text);
  return row;
}

std::vector<std::string> TemplateCells(std::string_view text) {
  if (!text.empty() && text.front() == '(') return {std::string(text)};
  const std::size_t head_end = std::min(text.find('('), text.size());
  std::vector<std::string> cells = {std::string(text.substr(0, head_end))};
  for (const Group& g : GroupsFrom(text, head_end)) {
    const std::size_t end = std::min(g.close, text.size());
    cells.emplace_back(text.substr(g.open + 1, end - g.open - 1));
  }
  return cells;
}

}  // namespace r7::drill
