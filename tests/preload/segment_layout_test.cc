// A company's segment layout, the three orderings of its segments, and keys rotated to them.
#include "preload/segment_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace r7::preload {
namespace {

TEST(SegmentLayoutTest, CountsTheSegmentsThatHaveALength) {
  const std::tuple<std::array<int, 3>, int, std::array<int, 3>, std::array<int, 3>> cases[] = {
      {{4, 2, 3}, 3, {4, 2, 3}, {0, 1, 2}},
      {{4, 2, 0}, 2, {4, 2, 0}, {0, 1, 0}},
      {{4, 0, 3}, 2, {4, 3, 0}, {0, 2, 0}},  // the department follows the main account
      {{6, 0, 0}, 1, {6, 0, 0}, {0, 0, 0}},
      {{0, 2, 2}, 3, {8, 2, 2}, {0, 1, 2}},   // a main account without a length: whole field
      {{12, 9, 2}, 3, {8, 8, 2}, {0, 1, 2}},  // lengths beyond the field are cut to it
  };
  for (const auto& [company, count, lengths, fields] : cases) {
    SegmentLayout layout = SegmentLayout::FromCompanyLengths(company);
    EXPECT_EQ(layout.count, count);
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(layout.lengths[i], lengths[i]) << i;
      EXPECT_EQ(layout.fields[i], fields[i]) << i;
    }
  }
}

TEST(SegmentLayoutTest, OrderingsFallBackWhenSegmentsAreMissing) {
  const std::tuple<int, int, int, std::array<int, 3>> cases[] = {
      {0, 3, 0, {0, 1, 2}}, {1, 3, 1, {1, 2, 0}}, {2, 3, 2, {2, 1, 0}}, {1, 2, 1, {1, 0, 2}},
      {2, 2, 1, {1, 0, 2}}, {1, 1, 0, {0, 1, 2}}, {2, 1, 0, {0, 1, 2}},
  };
  for (const auto& [ordering, segments, effective, expected] : cases) {
    EXPECT_EQ(EffectiveOrdering(ordering, segments), effective);
    std::array<int, 3> order = OrderingSegments(ordering, segments);
    for (int i = 0; i < segments; ++i) EXPECT_EQ(order[i], expected[i]);
  }
}

TEST(SegmentLayoutTest, RotatesFixedWidthKeys) {
  SegmentLayout three = SegmentLayout::FromCompanyLengths({4, 2, 3});
  EXPECT_EQ(RotateKey("100010200", 0, three), "100010200");
  EXPECT_EQ(RotateKey("100010200", 1, three), "102001000");
  EXPECT_EQ(RotateKey("100010200", 2, three), "200101000");
  EXPECT_EQ(RotateKey("1000102000", 2, three), "2000101000");  // the last takes the rest
  EXPECT_EQ(RotateKey("10001", 2, three), "11000");            // cut short
  SegmentLayout two = SegmentLayout::FromCompanyLengths({4, 2, 0});
  EXPECT_EQ(RotateKey("100010", 1, two), "101000");
  EXPECT_EQ(RotateKey("100010", 2, two), "101000");
  SegmentLayout one = SegmentLayout::FromCompanyLengths({4, 0, 0});
  EXPECT_EQ(RotateKey("1000", 2, one), "1000");
}

TEST(SegmentLayoutTest, ComparesSegmentBySegmentInTheOrderingsOrder) {
  SegmentViews a{"1000", "20", "100"};
  SegmentViews b{"2000", "10", "100"};
  EXPECT_LT(CompareInOrdering(a, b, 0, 3), 0);
  EXPECT_GT(CompareInOrdering(a, b, 1, 3), 0);
  EXPECT_GT(CompareInOrdering(a, b, 2, 3), 0);  // department equal, then profit center
  // A letter code wider than its segment sorts as a whole within its segment (the joined
  // texts "ABCDE10100" and "ABCDZ1100" would sort the other way).
  SegmentViews wide{"ABCDE", "10", "100"};
  SegmentViews narrow{"ABCD", "Z1", "100"};
  EXPECT_GT(CompareInOrdering(wide, narrow, 0, 3), 0);
  EXPECT_EQ(CompareInOrdering(a, a, 2, 3), 0);
}

}  // namespace
}  // namespace r7::preload
