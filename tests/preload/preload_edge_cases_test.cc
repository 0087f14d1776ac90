// The preload cache's edge cases: a hit answers as the file path does; it declines the rest.
#include <optional>

#include "preload_harness.h"

namespace r7::testing {
namespace {

class PreloadEdgeCasesTest : public PreloadHarness {
 protected:
  void SetUp() override { Build(SmallSynth(30, 2, 2)); }
  // The file path's answer, then the cache's; `hit` says whether the cache answered, when
  // the test cares.
  void ExpectSameAnswer(const std::string& specifier, const std::string& periods,
                        const std::string& year, std::optional<bool> hit) {
    SCOPED_TRACE(specifier + " " + periods + " " + year);
    double from_files = 0, from_cache = 0;
    int file_code = Compute(specifier, periods, year, "1", kRangeAllSegments, false, &from_files);
    const std::size_t hits = lookup_->hits();
    int cache_code = Compute(specifier, periods, year, "1", kRangeAllSegments, true, &from_cache);
    EXPECT_EQ(cache_code, file_code);
    EXPECT_EQ(from_cache, from_files);
    if (!hit) return;
    EXPECT_EQ(lookup_->hits() - hits, *hit ? 1u : 0u);
  }
};

TEST_F(PreloadEdgeCasesTest, ABudgetOnlyPreloadServesBudgetRequests) {
  ASSERT_EQ(Preload("*-*-*", "2002", true, false, false), 0);
  EXPECT_TRUE(preload::PreloadOf(Company()).loaded);
  ExpectSameAnswer("*-*-*", "Month Budget", "2002", true);
  ExpectSameAnswer("*-*-*", "Year Budget", "2002", true);
  ExpectSameAnswer("*-*-*", "Month", "2002", false);  // actual figures were not loaded
}

TEST_F(PreloadEdgeCasesTest, WhatNoLoadedPieceCoversIsReadFromTheFiles) {
  ASSERT_EQ(Preload("1000..1999-*-*", "2002", false, true, false), 0);
  ExpectSameAnswer("1000..1999-*-*", "Month", "2002", true);
  ExpectSameAnswer("1000..2999-*-*", "Month", "2002", false);
  ExpectSameAnswer("1000-*-*", "Last Year", "2002", false);  // this year only was loaded
}

TEST_F(PreloadEdgeCasesTest, SelectionsOfTwoYearsAnswerForTheirOwnYearOnlyUntilUnloaded) {
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, false), 0);
  ASSERT_EQ(Preload("*-*-*", "2001", false, true, false), 0);
  EXPECT_EQ(preload::PreloadOf(Company()).caches.size(), 2u);
  ExpectSameAnswer("*-*-*", "Month", "2002", true);
  ExpectSameAnswer("*-*-*", "Year", "2001", true);
  ExpectSameAnswer("*-*-*", "Year", "2000", false);
  preload::UnloadCompany(preload::PreloadOf(Company()));
  EXPECT_FALSE(preload::PreloadOf(Company()).loaded);
  ExpectSameAnswer("*-*-*", "Month", "2002", false);
}

TEST_F(PreloadEdgeCasesTest, ARefilledSelectionAnswersPatternsWhereTheWalkHeldEveryValue) {
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, true), 0);
  ExpectSameAnswer("*-*-1?0", "Quarter", "2002", true);  // remembers the scan of its token
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, true), 0);
  ExpectSameAnswer("*-*-1?0", "Quarter", "2002", true);  // after the refill: a scan anew
  EXPECT_EQ(preload::PreloadOf(Company()).caches.size(), 1u);
  ExpectSameAnswer("*-*-*", "Quarter", "2002", true);
  ExpectSameAnswer("*-1?-1*", "Month", "2002", true);
  ExpectSameAnswer("4*-*-11?", "Quarter 2", "2002", true);
  ExpectSameAnswer("*-?1-*", "Last Year", "2002", true);
  ExpectSameAnswer("*-*-9?9", "Month", "2002", false);  // matches nothing: the file path's 22
}

TEST_F(PreloadEdgeCasesTest, APatternOfTheWalkItselfCoversNothing) {
  ASSERT_EQ(Preload("*-1?-*", "2002", false, true, false), 0);
  ExpectSameAnswer("*-1?-*", "Month", "2002", false);
  ExpectSameAnswer("*-10-*", "Month", "2002", false);
}

TEST_F(PreloadEdgeCasesTest, ARememberedExpansionFollowsTheSegmentMappings) {
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, false), 0);
  // The same specifiers under each mapping setting: never the answer of another setting.
  for (int mapping = 0; mapping <= 3; ++mapping) {
    settings().account_mapping = mapping;
    settings().profit_center_mapping = mapping;
    settings().department_mapping = mapping;
    SCOPED_TRACE(::testing::Message() << "mapping " << mapping);
    for (const char* specifier : {"1000", "4*", "*-1?-*", "1*-*-1?0"})
      ExpectSameAnswer(specifier, "Month", "2002", std::nullopt);
  }
}

TEST_F(PreloadEdgeCasesTest, TheFilePathsRulesHoldOnEveryRequestItNames) {
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, true), 0);
  ASSERT_EQ(Preload("*-*-*", "2002", true, false, false), 0);
  const std::tuple<const char*, const char*, const char*, bool> cases[] = {
      {"*-*-*", "Month", "2003", false},                // after the fiscal year: 32
      {"*-*-*", "Month Budget", "2003", false},         // no budget selection of that year
      {"*-*-*", "Month, Month Budget", "2002", false},  // actual and budget items mixed
      {"*-*-*", "2 Years Ago", "2002", true},           // the window's own 18
      {"*-*-*", "Last Year Budget", "2002", true},      // the window's own 18
      {"1000,4215", "Quarter 2", "2002", true},         // kinds mixed, balance sheet first
      {"4215,1000", "Quarter 2", "2002", true},         // kinds mixed, income statement first
      {"4215-10", "Year", "2002", true},                // a piece shorter than the company
      {"1000", "Year, Last Year", "2002", true},        // two items, two files
  };
  for (const auto& [specifier, periods, year, hit] : cases)
    ExpectSameAnswer(specifier, periods, year, hit);
}

// In period 1, "Last Month" and the running windows read last year's figures without a
// years-back word: a selection without last year's row must decline them.
class PreloadFirstPeriodTest : public PreloadEdgeCasesTest {
 protected:
  void SetUp() override { Build(SmallSynth(30, 2, 2, 1)); }
};

TEST_F(PreloadFirstPeriodTest, WindowsIntoLastYearNeedLastYearsRow) {
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, false), 0);
  ExpectSameAnswer("*-*-*", "Month", "2002", true);
  ExpectSameAnswer("*-*-*", "Last Month", "2002", false);
  ExpectSameAnswer("*-*-*", "Running Quarter", "2002", false);
  ExpectSameAnswer("*-*-*", "Opening Balance Month", "2002", true);
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, true), 0);
  ExpectSameAnswer("*-*-*", "Last Month", "2002", true);
  ExpectSameAnswer("*-*-*", "Running Quarter", "2002", true);
  ExpectSameAnswer("1000..3999-*-*", "Last Quarter", "2002", true);
}

}  // namespace
}  // namespace r7::testing
