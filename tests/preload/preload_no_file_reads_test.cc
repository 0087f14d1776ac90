// A worksheet's balance calls over a preloaded selection make no record-manager call.
#include "preload_harness.h"

namespace r7::testing {
namespace {

class PreloadNoFileReadsTest : public PreloadHarness {};

// Every BTRCALL is counted at the binding.
TEST_F(PreloadNoFileReadsTest, AWorksheetOverAPreloadedSelectionMakesNoRecordManagerCall) {
  Build(SmallSynth(40, 3, 3));
  ASSERT_EQ(Preload("*-*-*", "2002", false, true, true), 0);
  const char* const specifiers[] = {"1000",  "1000-10-100",    "1000..5000-*-*",
                                    "*-*-*", "1000,1001-10-*", "*-1?-1*"};
  const char* const periods[] = {"Month", "Year", "Last Year", "Running Year", "Quarter 2 Ytd"};
  const std::uint64_t before = FaultyLibraries::calls();
  const std::size_t hits = lookup_->hits();
  int answered = 0;
  for (const char* specifier : specifiers) {
    for (const char* period : periods) {
      double total = 0;
      answered += Compute(specifier, period, "2002", "1", kRangeAllSegments, true, &total) == 0;
    }
  }
  EXPECT_EQ(lookup_->hits() - hits, 30u);
  EXPECT_EQ(answered, 30);
  EXPECT_EQ(FaultyLibraries::calls() - before, 0u);
}

TEST_F(PreloadNoFileReadsTest, ADeclinedRequestReadsTheFiles) {
  Build(SmallSynth(40, 3, 3));
  ASSERT_EQ(Preload("1000..2000-*-*", "2002", false, true, false), 0);
  const std::uint64_t before = FaultyLibraries::calls();
  double total = 0;
  // Not covered by the selection, and last year is not loaded.
  EXPECT_EQ(Compute("3900", "Month", "2002", "1", kRangeAllSegments, true, &total), 0);
  EXPECT_EQ(Compute("1000", "Last Year", "2002", "1", kRangeAllSegments, true, &total), 0);
  EXPECT_EQ(lookup_->hits(), 0u);
  EXPECT_GT(FaultyLibraries::calls() - before, 0u);
}

}  // namespace
}  // namespace r7::testing
