// The range descriptor of one piece: parsing, ordering choice, patterns and containment.
#include "preload/range_descriptor.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace r7::preload {
namespace {

const SegmentLayout kThree = SegmentLayout::FromCompanyLengths({4, 2, 3});

std::string Low(int fillers) {
  return std::string(static_cast<std::size_t>(fillers), kLowFiller);
}

TEST(RangeDescriptorTest, ParsesEachKindOfSegment) {
  // The piece's first segment, then its kind, fitted text, and low and high bounds.
  const std::tuple<const char*, SegmentKind, const char*, std::string, std::string> cases[] = {
      {"12", SegmentKind::kLiteral, "0012", "0012", "0012"},
      {"AB", SegmentKind::kLiteral, "AB  ", "AB  ", "AB  "},
      {"ab", SegmentKind::kLiteral, "AB  ", "AB  ", "AB  "},        // taken in upper case
      {"12345", SegmentKind::kLiteral, "12345", "12345", "12345"},  // too long: kept whole
      {"1*", SegmentKind::kWildcard, "1*", "1" + Low(3), "1~~~"},
      {"*", SegmentKind::kWildcard, "*", Low(4), "~~~~"},
      {"1*2*", SegmentKind::kWildcard, "1*2*", "1" + Low(2) + "2", "1~~2"},
      {"?1", SegmentKind::kWildcard, "?1  ", Low(1) + "1  ", "~1  "},  // "?" only: padded
      {"4??0", SegmentKind::kWildcard, "4??0", "4" + Low(2) + "0", "4~~0"},
      {"1234*", SegmentKind::kWildcard, "1234*", "1234", "1234~"},  // "*" with no room
      {"1000..1999", SegmentKind::kRange, "1000..1999", "1000", "1999"},
      {"1..A", SegmentKind::kRange, "1..A", "0001", "A   "},
      {"..5", SegmentKind::kRange, "..5", "0000", "0005"},
      {"1.5", SegmentKind::kLiteral, "01.5", "01.5", "01.5"},  // one dot: a value
  };
  for (const auto& [piece, kind, text, low, high] : cases) {
    RangeDescriptor d = ParsePiece(std::string(piece) + "-10-200", kThree);
    ASSERT_TRUE(d.usable) << piece;
    EXPECT_EQ(d.segments[0].kind, kind) << piece;
    EXPECT_EQ(d.segments[0].text, text) << piece;
    EXPECT_EQ(d.segments[0].low, low) << piece;
    EXPECT_EQ(d.segments[0].high, high) << piece;
  }
}

TEST(RangeDescriptorTest, JoinsTheBoundsAndLeavesMissingSegmentsUnset) {
  RangeDescriptor d = ParsePiece("1000..1999-*-5", kThree);
  EXPECT_EQ(d.segment_count, 3);
  EXPECT_EQ(d.low_key, "1000" + Low(2) + "005");
  EXPECT_EQ(d.high_key, "1999~~005");

  RangeDescriptor shorter = ParsePiece("1000..1999", kThree);
  ASSERT_TRUE(shorter.usable);
  EXPECT_EQ(shorter.segments[1].kind, SegmentKind::kUnset);
  EXPECT_EQ(shorter.segments[2].kind, SegmentKind::kUnset);
  EXPECT_EQ(shorter.low_key, "1000");
  EXPECT_EQ(shorter.high_key, "1999");

  RangeDescriptor gap = ParsePiece("1000--5", kThree);
  EXPECT_EQ(gap.segments[1].kind, SegmentKind::kUnset);
  EXPECT_EQ(gap.segments[2].text, "005");

  // A company of one segment takes the whole text as its value.
  RangeDescriptor whole = ParsePiece("12-3", SegmentLayout::FromCompanyLengths({6, 0, 0}));
  EXPECT_TRUE(whole.usable);
  EXPECT_EQ(whole.segments[0].text, "0012-3");
}

TEST(RangeDescriptorTest, RefusesPiecesItCannotReadSoundly) {
  SegmentLayout two = SegmentLayout::FromCompanyLengths({4, 2, 0});
  const std::tuple<const char*, const SegmentLayout*, bool> cases[] = {
      {"1000-10-200", &kThree, true},
      {"4*-*-*,00004*-*-*", &kThree, false},  // a list, not one piece
      {"(1000,2000)(10)(*)", &kThree, false},
      {"^-^-5", &kThree, false},
      {"1000 -10-200", &kThree, false},
      {"1~00-10-200", &kThree, false},
      {"1*..2*-10-200", &kThree, false},  // a pattern inside a range
      {"1.*-10-200", &kThree, false},
      {"1000-10-\x01", &kThree, false},
      {"1000-10-200-30", &kThree, false},  // more segments than the company has
      {"1000-10-0", &two, true},           // the checker's completion of a short item
      {"1000-10-*", &two, true},
      {"1000-10-5", &two, false},
  };
  for (const auto& [piece, layout, usable] : cases)
    EXPECT_EQ(ParsePiece(piece, *layout).usable, usable) << piece;
  RangeDescriptor bad = ParsePiece("1000-10-200-30", kThree);
  EXPECT_FALSE(Contained(bad, ParsePiece("*-*-*", kThree)));
  EXPECT_FALSE(Contained(ParsePiece("1000-10-200", kThree), bad));
  EXPECT_FALSE(ContainsKey(bad, {"1000", "10", "200"}));
}

TEST(RangeDescriptorTest, ChoosesTheMostSelectiveSegmentsOrdering) {
  SegmentLayout two = SegmentLayout::FromCompanyLengths({4, 2, 0});
  SegmentLayout one = SegmentLayout::FromCompanyLengths({4, 0, 0});
  const std::tuple<const char*, const SegmentLayout*, int> cases[] = {
      {"*-01-*", &kThree, 1},
      {"1000..1999-*-*", &kThree, 0},
      {"**-*-5", &kThree, 2},
      {"1000..1999", &kThree, 1},  // the missing parts score as literals
      {"1000-10-200", &kThree, 0},
      {"*-1*-2*", &kThree, 1},  // a tie goes to the first
      {"?-*-??", &kThree, 2},   // "?" alone scores 0, "??" scores 2
      {"*-0..5-*", &kThree, 1},
      {"*-10", &two, 1},
      {"*-10-200", &two, 1},  // parts beyond the segments are not scored
      {"*", &one, 0},
      {"", &kThree, 0},
  };
  for (const auto& [piece, layout, ordering] : cases)
    EXPECT_EQ(ChooseOrdering(piece, *layout), ordering) << piece;
}

TEST(RangeDescriptorTest, MatchesPatternsOverTheWholeText) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"1000", "1*", true},   {"1000", "1*1", false}, {"1000", "*0", true},
      {"1000", "?000", true}, {"1000", "?00", false}, {"", "*", true},
      {"", "?", false},       {"CASH", "ca*", true},  {"AB  ", "?B  ", true},
      {"AB  ", "?B", false},  {"1000", "1**0", true}, {"A1B2", "*1*2", true},
      {"1000", "", false},    {"", "", true},         {"4010", "4??0", true},
  };
  for (const auto& [text, pattern, match] : cases)
    EXPECT_EQ(MatchPattern(text, pattern), match) << text << " " << pattern;
}

TEST(RangeDescriptorTest, APatternCoversAnotherOnlyWhenEveryMatchOfItMatches) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"*", "1*", true},  {"1*", "10*", true},  {"1*", "1?", true},    {"1?", "1*", false},
      {"1*", "*", false}, {"?1", "*1", false},  {"*1", "?1", true},    {"1*", "2*", false},
      {"??", "1?", true}, {"1?", "??", false},  {"A*", "a?", true},    {"1*2", "1*", false},
      {"*", "", true},    {"1*", "1000", true}, {"1*", "2000", false},
  };
  for (const auto& [pattern, covered, covers] : cases)
    EXPECT_EQ(PatternCovers(pattern, covered), covers) << pattern << " " << covered;
}

TEST(RangeDescriptorTest, ContainsOnlyPiecesWhoseAccountsItAlsoAdmits) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"1000-10-200", "1000-10-200", true},
      {"1000-10-200", "1*-*-*", true},
      {"1000-10-200", "1000..1999-*-*", true},
      {"1500..1600-*-*", "1000..1999-*-*", true},
      {"1500..2500-*-*", "1000..1999-*-*", false},
      {"15*-*-*", "1*-*-*", true},
      {"1*-*-*", "15*-*-*", false},
      {"1*-10-*", "1*-*-*", true},
      {"1*-*-*", "*-*-*", true},
      {"*-*-*", "1*-*-*", false},
      // Letting the candidate's pattern match the container's text would take "all
      // profit centers" as inside "profit center 5".
      {"1*-*-*", "*-5-*", false},
      {"1*-5-*", "*-*-*", true},
      {"1000..1999-*-*", "*-*-*", true},        // a range inside an all-star pattern
      {"1000..1999-*-*", "1*-*-*", false},      // a range against a narrower pattern: unknown
      {"1*-*-*", "1000..1999-*-*", false},      // a pattern's bounds reach beyond the range
      {"1000..1999", "1000..1999-*-*", false},  // unset segments: an empty value
      {"1000..1999-*-*", "1000..1999", false},
      {"1000..1999", "1000..1999", true},
      {"1000..1000-10-200", "1000-10-200", true},  // a one-value range is that value
      {"1000-10-200", "1000..1000-10-200", true},
      {"1000-10-200", "2000-10-200", false},
  };
  for (const auto& [candidate, container, contained] : cases) {
    EXPECT_EQ(Contained(ParsePiece(candidate, kThree), ParsePiece(container, kThree)), contained)
        << candidate << " in " << container;
  }
}

TEST(RangeDescriptorTest, AKeysOwnDescriptorIsContainedExactlyWhenThePieceAdmitsIt) {
  const SegmentViews keys[] = {
      {"1000", "10", "200"}, {"1999", "99", "999"},  {"2000", "10", "200"},
      {"AB  ", "10", "200"}, {"CASHX", "01", "005"},
  };
  const char* pieces[] = {"1000-10-200", "1*-*-*",    "1000..1999-*-*", "*-10-*",     "?B-*-*",
                          "AB-1?-2*",    "*-0..10-*", "CASH*-*-*",      "1000..1999", "A..Z-*-200"};
  for (const char* text : pieces) {
    RangeDescriptor piece = ParsePiece(text, kThree);
    for (const SegmentViews& key : keys) {
      EXPECT_EQ(Contained(DescriptorOfKey(key, 3), piece), ContainsKey(piece, key))
          << text << " " << key[0] << "-" << key[1] << "-" << key[2];
    }
  }
  EXPECT_TRUE(ContainsKey(ParsePiece("?B-*-*", kThree), {"AB  ", "10", "200"}));
  EXPECT_FALSE(ContainsKey(ParsePiece("1000..1999", kThree), {"1000", "10", "200"}));
}

}  // namespace
}  // namespace r7::preload
