// The account segments a preload store works with, and the three orderings of its keys.
// (platform-independent)
#include "preload/segment_layout.h"

#include <algorithm>

namespace r7::preload {

SegmentLayout SegmentLayout::FromCompanyLengths(const std::array<int, 3>& company_lengths) {
  SegmentLayout layout;
  int main_length = company_lengths[0];
  layout.lengths = {main_length >= 1 && main_length <= 8 ? main_length : 8, 0, 0};
  layout.fields = {0, 0, 0};
  layout.count = 1;
  for (int field = 1; field < 3; ++field) {
    int length = company_lengths[field];
    if (length <= 0) continue;
    layout.lengths[layout.count] = std::min(length, 8);
    layout.fields[layout.count] = field;
    ++layout.count;
  }
  return layout;
}

int EffectiveOrdering(int ordering, int segment_count) {
  return std::clamp(std::min(ordering, segment_count - 1), 0, kOrderingCount - 1);
}

std::array<int, kMaxStoreSegments> OrderingSegments(int ordering, int segment_count) {
  switch (EffectiveOrdering(ordering, segment_count)) {
    case 1:
      return segment_count >= 3 ? std::array<int, 3>{1, 2, 0} : std::array<int, 3>{1, 0, 2};
    case 2:
      return {2, 1, 0};
    default:
      return {0, 1, 2};
  }
}

int CompareInOrdering(const SegmentViews& a, const SegmentViews& b, int ordering,
                      int segment_count) {
  std::array<int, kMaxStoreSegments> order = OrderingSegments(ordering, segment_count);
  for (int i = 0; i < segment_count && i < kMaxStoreSegments; ++i) {
    int c = a[order[i]].compare(b[order[i]]);
    if (c != 0) return c;
  }
  return 0;
}

std::string RotateKey(std::string_view key, int ordering, const SegmentLayout& layout) {
  SegmentViews segments{};
  std::size_t at = 0;
  for (int i = 0; i < layout.count; ++i) {
    std::size_t length = static_cast<std::size_t>(layout.lengths[i]);
    bool last = i == layout.count - 1;  // the last segment takes the rest of the key
    if (at < key.size()) segments[i] = last ? key.substr(at) : key.substr(at, length);
    at += length;
  }
  std::string rotated;
  std::array<int, kMaxStoreSegments> order = OrderingSegments(ordering, layout.count);
  for (int i = 0; i < layout.count; ++i) rotated += segments[order[i]];
  return rotated;
}

}  // namespace r7::preload
