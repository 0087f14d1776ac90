// The account segments a preload store works with, and the three orderings of its keys.
// (platform-independent)
//
// A company uses one to three segments (main account, profit center, department); a
// segment of length 0 is not used. The store's keys and bounds hold the used segments
// only, in that order. An ordering names the order in which segments are compared:
//   ordering 0: first, second, third segment
//   ordering 1: second, third, first
//   ordering 2: third, second, first
// An ordering that needs more segments than the company has compares as the next lower
// one (ordering 2 with two segments compares as ordering 1; any ordering with one segment
// as ordering 0). Comparisons are segment by segment, each segment as plain text, so a
// segment that is wider than its length (a letter code longer than the company's length)
// still sorts as a whole and never spills into the next segment.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace r7::preload {

inline constexpr int kMaxStoreSegments = 3;
inline constexpr int kOrderingCount = 3;

struct SegmentLayout {
  int count = 1;                                        // used segments, 1 to 3
  std::array<int, kMaxStoreSegments> lengths{8, 0, 0};  // length of each used segment, 1 to 8
  std::array<int, kMaxStoreSegments> fields{0, 1, 2};   // the stored field of each used segment

  // The layout of a company's segment lengths (main account, profit center, department).
  // A main-account length outside 1 to 8 is taken as 8, the width of the stored field.
  static SegmentLayout FromCompanyLengths(const std::array<int, 3>& company_lengths);
};

// The segments of one key or bound, as views into texts the caller keeps alive.
using SegmentViews = std::array<std::string_view, kMaxStoreSegments>;

// The ordering actually compared for `ordering` with `segment_count` segments.
int EffectiveOrdering(int ordering, int segment_count);

// The segment indexes in the comparison order of `ordering`; the first `segment_count`
// entries are meaningful.
std::array<int, kMaxStoreSegments> OrderingSegments(int ordering, int segment_count);

// <0, 0 or >0 as `a` sorts before, with or after `b` in `ordering`.
int CompareInOrdering(const SegmentViews& a, const SegmentViews& b, int ordering,
                      int segment_count);

// A key of fixed-width segments (the layout's lengths, no separators) rotated into
// `ordering`: the segments cut at the lengths (the last one takes the rest of the key) and
// joined in the ordering's order. A key shorter than the lengths gives its missing
// segments empty.
std::string RotateKey(std::string_view key, int ordering, const SegmentLayout& layout);

}  // namespace r7::preload
