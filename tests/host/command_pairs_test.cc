#include "host/command_pairs.h"

#include <gtest/gtest.h>

namespace r7 {
namespace {

TEST(SplitCommandPairsTest, FollowsTheQuotingRules) {
  struct Case {
    const char* text;
    std::vector<CommandPair> pairs;
  } cases[] = {
      {"Company='01',NoShow=1", {{"Company", "01"}, {"NoShow", "1"}}},
      {"Company=\"01\"", {{"Company", "01"}}},
      {"NoShow=1,Company='01\"", {{"NoShow", "1"}}},  // mismatched quotes: skipped
      {"NoShow=1,Company=01'", {{"NoShow", "1"}}},    // a closing quote alone: skipped
      // Only the pair's first quote character quotes: the other is plain text.
      {"Company='01\",NoShow=1", {{"Company", "'01\",NoShow=1"}}},
      {"Company='01,NoShow=1", {{"Company", "'01,NoShow=1"}}},  // the comma is quoted
      {"Account='1000,2000',NoShow=2", {{"Account", "1000,2000"}, {"NoShow", "2"}}},
      {"NoShow=1,Company", {{"NoShow", "1"}}},  // a last pair without '='
      {"Company,NoShow=1", {{"NoShow", "1"}}},
      {"  Zero Label  = - ", {{"Zero Label", " - "}}},  // keys trimmed, values not
      {"Formula=a=b", {{"Formula", "a=b"}}},
      {"To Chart=", {{"To Chart", ""}}},
      {"NoShow=1,x", {{"NoShow", "1"}}},  // a pair starting on the last character
      {"x", {}},
      {"", {}},
      {",,,", {}},
      {"A=''", {{"A", ""}}},
      {"A='", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandPairs(c.text), c.pairs) << c.text;
}

class ApplyCommandPairsTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetToDefaults(settings_); }
  void Apply(std::string_view text) {
    ApplyCommandPairs(text, {settings_, range_, explicit_dates_, to_chart_});
  }
  Settings settings_;
  DateRange range_;
  bool explicit_dates_ = false;
  bool to_chart_ = false;
};

TEST_F(ApplyCommandPairsTest, SetsTextsAndIntegersOfKnownKeysOnly) {
  Apply("company='05',ZERO LABEL=-,Scaling=3 thousands,NoShow=1,Frobnicate=9,Revision='02");
  EXPECT_EQ(settings_.company, "05");
  EXPECT_EQ(settings_.zero_label, "-");
  EXPECT_EQ(settings_.scaling, 3);
  EXPECT_EQ(settings_.no_show, 1);
  EXPECT_EQ(settings_.revision, "02");  // one leading apostrophe dropped
  Apply("Company=''07");
  EXPECT_EQ(settings_.company, "'07");  // only one
}

TEST_F(ApplyCommandPairsTest, CutsTextsToTheirCapacity) {
  Apply("Company=ABCDEFGHIJKLMNOP,Current Year=20021");
  EXPECT_EQ(settings_.company, "ABCDEFGHIJKL");
  EXPECT_EQ(settings_.current_year, "2002");
}

TEST_F(ApplyCommandPairsTest, ToChartIsClearedAtEveryApplication) {
  Apply("To Chart=anything");
  EXPECT_TRUE(to_chart_);
  Apply("NoShow=1");
  EXPECT_FALSE(to_chart_);
}

TEST_F(ApplyCommandPairsTest, DrillDatesSetTheExplicitRange) {
  Apply("Drill From=5Feb2001,Drill To=31dec2001");
  EXPECT_TRUE(explicit_dates_);
  EXPECT_EQ(range_, (DateRange{{5, 2, 2001}, {31, 12, 2001}}));
  EXPECT_EQ(settings_.drill_from, "5Feb2001");
  // Dates that do not read leave the range as it was.
  Apply("Drill To=1Jan2000");
  EXPECT_EQ(range_, (DateRange{{5, 2, 2001}, {31, 12, 2001}}));
  Apply("Drill From=1Jan2002,Drill To=2Jan2002");
  EXPECT_EQ(range_, (DateRange{{1, 1, 2002}, {2, 1, 2002}}));
}

TEST_F(ApplyCommandPairsTest, FileOnlyKeysAreNotPairKeys) {
  Apply("FE File Path=/tmp,Financial Entities File in GL Path=1");
  EXPECT_EQ(settings_.fe_file_path, "");
  EXPECT_EQ(settings_.entities_file_in_gl_path, 0);
}

}  // namespace
}  // namespace r7
