// Command pairs: splitting by the quoting rules, applying them, and the table of pair keys.
#include "host/command_pairs.h"

#include <gtest/gtest.h>

#include <set>

#include "base/string_table.h"

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
  void Apply(std::string_view text) { ApplyCommandPairs(text, {settings_, session_}); }
  Settings settings_;
  SessionState session_;
};

TEST_F(ApplyCommandPairsTest, SetsKnownPairKeysOnlyCutToTheirCapacity) {
  Apply("company='05',ZERO LABEL=-,Scaling=3 thousands,NoShow=1,Frobnicate=9,Revision='02");
  EXPECT_EQ(settings_.company, "05");
  EXPECT_EQ(settings_.zero_label, "-");
  EXPECT_EQ(settings_.scaling, 3);
  EXPECT_EQ(settings_.no_show, 1);
  EXPECT_EQ(settings_.revision, "02");  // one leading apostrophe dropped
  Apply("Company=''07");
  EXPECT_EQ(settings_.company, "'07");  // only one
  Apply("Company=ABCDEFGHIJKLMNOP,Current Year=20021");
  EXPECT_EQ(settings_.company, "ABCDEFGHIJKL");
  EXPECT_EQ(settings_.current_year, "2002");
  Apply("Drill Account=4000-*-*,Drill Range Type=1,Drill Company=ABCDEFGHIJKLMNOP");
  EXPECT_EQ(session_.drill.account, "4000-*-*");
  EXPECT_EQ(session_.drill.range_type, 1);
  EXPECT_EQ(session_.drill.company, "ABCDEFGHIJKL");
  // Keys R7.INI holds that a pair cannot set.
  Apply("FE File Path=/tmp,Financial Entities File in GL Path=1");
  EXPECT_EQ(settings_.fe_file_path, "");
  EXPECT_EQ(settings_.entities_file_in_gl_path, 0);
}

TEST_F(ApplyCommandPairsTest, ToChartIsClearedAtEveryApplication) {
  Apply("To Chart=anything");
  EXPECT_TRUE(session_.to_chart);
  Apply("NoShow=1");
  EXPECT_FALSE(session_.to_chart);
}

TEST_F(ApplyCommandPairsTest, DrillDatesSetTheExplicitRange) {
  Apply("Drill From=5Feb2001,Drill To=31dec2001");
  EXPECT_TRUE(session_.explicit_dates);
  EXPECT_EQ(session_.current_dates, (DateRange{{5, 2, 2001}, {31, 12, 2001}}));
  EXPECT_EQ(session_.drill.from, "5Feb2001");
  // Dates that do not read leave the range as it was.
  Apply("Drill To=1Jan2000");
  EXPECT_EQ(session_.current_dates, (DateRange{{5, 2, 2001}, {31, 12, 2001}}));
  Apply("Drill From=1Jan2002,Drill To=2Jan2002");
  EXPECT_EQ(session_.current_dates, (DateRange{{1, 1, 2002}, {2, 1, 2002}}));
}

TEST(PairKeyTableTest, FollowsItsOrderAndFindsKeysWithoutCase) {
  auto table = PairKeyTable();
  ASSERT_EQ(table.size(), 59u);
  EXPECT_EQ(StringText(table.front().key_id), "Company");
  EXPECT_EQ(StringText(table[34].key_id), "NoShow");
  EXPECT_EQ(StringText(table.back().key_id), "To Chart");
  std::set<int> ids;
  for (const PairKey& key : table) {
    EXPECT_TRUE(ids.insert(key.key_id).second);
    // Every key but "To Chart" has exactly one target.
    const int targets =
        (key.setting != nullptr) + (key.drill_text != nullptr) + (key.drill_number != nullptr);
    EXPECT_EQ(targets, key.key_id == key::kToChart ? 0 : 1) << key.key_id;
  }
  EXPECT_EQ(FindPairKey("drill from")->key_id, 5039);
  EXPECT_EQ(FindPairKey("FE File Path"), nullptr);  // saved, but not a pair key
  EXPECT_EQ(FindPairKey("no such key"), nullptr);
  EXPECT_EQ(FindPairKey("To Chart")->key_id, key::kToChart);
}

}  // namespace
}  // namespace r7
