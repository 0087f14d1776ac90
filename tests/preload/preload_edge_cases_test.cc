// The preload cache's edge cases: each answer a hit gives equals the file path's, and the
// cache declines what it does not hold.
#include "preload_harness.h"

namespace r7::testing {
namespace {

class PreloadEdgeCasesTest : public PreloadHarness {
 protected:
  void SetUp() override {
    Build("--main-accounts 30 --profit-centers 2 --departments 2 --years 2 --transactions 10");
  }
  // The file path's answer, then the cache's; `hit` says whether the cache answered.
  void ExpectSameAnswer(const std::string& specifier, const std::string& periods,
                        const std::string& year, bool hit, const std::string& revision = "1") {
    double from_files = 0, from_cache = 0;
    int file_code =
        Compute(specifier, periods, year, revision, kRangeAllSegments, false, &from_files);
    const std::size_t hits = lookup_->hits();
    int cache_code =
        Compute(specifier, periods, year, revision, kRangeAllSegments, true, &from_cache);
    EXPECT_EQ(cache_code, file_code) << specifier << " " << periods << " " << year;
    EXPECT_EQ(from_cache, from_files) << specifier << " " << periods << " " << year;
    EXPECT_EQ(lookup_->hits() - hits, hit ? 1u : 0u) << specifier << " " << periods << " " << year;
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

TEST_F(PreloadEdgeCasesTest, SelectionsOfTwoYearsAnswerForTheirOwnYearOnly) {
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, false), 0);
  ASSERT_EQ(Preload("*-*-*", "2001", false, true, false), 0);
  EXPECT_EQ(preload::PreloadOf(Company()).caches.size(), 2u);
  ExpectSameAnswer("*-*-*", "Month", "2002", true);
  ExpectSameAnswer("*-*-*", "Year", "2001", true);
  ExpectSameAnswer("*-*-*", "Year", "2000", false);
}

TEST_F(PreloadEdgeCasesTest, PreloadingTheSameRequestTwiceRefillsOneSelection) {
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, true), 0);
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, true), 0);
  EXPECT_EQ(preload::PreloadOf(Company()).caches.size(), 1u);
  ExpectSameAnswer("*-*-*", "Quarter", "2002", true);
}

TEST_F(PreloadEdgeCasesTest, UnloadingForgetsEverySelection) {
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, false), 0);
  preload::UnloadCompany(preload::PreloadOf(Company()));
  EXPECT_FALSE(preload::PreloadOf(Company()).loaded);
  ExpectSameAnswer("*-*-*", "Month", "2002", false);
}

}  // namespace
}  // namespace r7::testing
