// The settings kept in the profile: defaults, how stored texts are read, and saving them back.
#include "base/settings_store.h"

#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "base/string_table.h"
#include "fakes/fake_platform.h"

namespace r7 {
namespace {

constexpr std::string_view kSection = "R7 for Tessary";

class SettingsTest : public ::testing::Test {
 protected:
  Settings Load(std::string_view server_directory = "") {
    Settings settings;
    store_.LoadAll(settings, server_directory);
    return settings;
  }

  testing::MemoryProfileStore profiles_;
  SettingsStore store_{profiles_};
};

TEST_F(SettingsTest, DefaultsWhenNoFileExists) {
  const Settings settings = Load("c:\\r7\\");
  EXPECT_EQ(settings.company, "00");
  EXPECT_EQ(settings.current_year, "1994");
  EXPECT_EQ(settings.revision, "01");
  EXPECT_EQ(settings.na_label, 1);
  EXPECT_EQ(settings.zero_label, "0");
  EXPECT_EQ(settings.system_directory, "C:\\Tessary");
  EXPECT_EQ(settings.chart_account, "*-*-*");
  EXPECT_EQ(settings.list_segment_where, "(None)");
  EXPECT_EQ(settings.chart_range_type, 2);
  EXPECT_EQ(settings.account_mapping, 3);
  EXPECT_EQ(settings.dpl_load_this_year, 1);
  EXPECT_EQ(settings.drill_absolute_sort, 1);
  EXPECT_EQ(settings.fe_file_path, "c:\\r7\\");  // empty FE File Path shows the server directory
}

TEST_F(SettingsTest, ReadsStoredTexts) {
  profiles_.Set(kSection, "company", "05");
  profiles_.Set(kSection, "CURRENT YEAR", "2002");
  // The DPL company and year default to the loaded company and year.
  EXPECT_EQ(Load().dpl_company, "05");
  EXPECT_EQ(Load().dpl_year, "2002");
  profiles_.Set(kSection, "DPL Company", "07");
  EXPECT_EQ(Load().dpl_company, "07");

  // Texts are cut to their capacity; integers are read by their leading digits.
  profiles_.Set(kSection, "Company", "1234567890123456");
  profiles_.Set(kSection, "Scaling", "3 thousands");
  profiles_.Set(kSection, "Rounding", "-2");
  profiles_.Set(kSection, "NA Label", "none");
  profiles_.Set(kSection, "Drill Highlight Threshold", "1250.75");
  const Settings settings = Load();
  EXPECT_EQ(settings.company, "123456789012");
  EXPECT_EQ(settings.scaling, 3);
  EXPECT_EQ(settings.rounding, -2);
  EXPECT_EQ(settings.na_label, 0);
  EXPECT_DOUBLE_EQ(settings.drill_highlight_threshold, 1250.75);
}

TEST_F(SettingsTest, SaveWritesEverySavedRowAndReadsBackTheSame) {
  Settings settings = Load();
  settings.company = "05";
  settings.zero_label = "-";
  settings.rounding = -7;
  settings.drill_absolute_sort = 0;
  settings.drill_highlight_threshold = 0.1;
  settings.list = "never saved";
  ASSERT_TRUE(store_.SaveAll(settings));

  std::size_t saved_rows = 0;
  for (const SettingRow& row : SettingRows()) {
    saved_rows += row.saved;
    EXPECT_EQ(profiles_.Get(kSection, KeyName(row)).has_value(), row.saved) << KeyName(row);
  }
  EXPECT_EQ(profiles_.writes(), static_cast<int>(saved_rows) + 2);
  // The two drill options have keys of their own: neither overwrites the other.
  EXPECT_EQ(profiles_.Get(kSection, "Drill Absolute Sort"), "0");
  EXPECT_EQ(profiles_.Get(kSection, "Drill Highlight Threshold"), "0.10000000000000001");

  const Settings reloaded = Load();
  EXPECT_EQ(reloaded.company, "05");
  EXPECT_EQ(reloaded.zero_label, "-");
  EXPECT_EQ(reloaded.rounding, -7);
  EXPECT_EQ(reloaded.drill_absolute_sort, 0);
  EXPECT_EQ(reloaded.drill_highlight_threshold, 0.1);

  // A failed write is reported even when later writes succeed (the two drill options
  // follow the table's rows).
  for (int failing : {1, 10, static_cast<int>(saved_rows) + 2}) {
    profiles_.FailWriteNumber(failing);
    EXPECT_FALSE(store_.SaveAll(Load())) << failing;
  }
}

// A save that fails part way puts back what the file held, keys it did not hold included:
// a reload afterwards (the dialogs' Cancel) finds the last complete save, never a mixture.
TEST_F(SettingsTest, AFailedSaveLeavesTheFileAsItWas) {
  profiles_.Set(kSection, "Company", "05");
  profiles_.Set(kSection, "Rounding", "1");
  profiles_.Set(kSection, "Zero Label", "-");
  Settings changed = Load();
  changed.company = "07";
  changed.rounding = 3;
  changed.scaling = 2;
  changed.zero_label = "nil";
  std::vector<std::string> keys = {std::string(StringText(key::kDrillAbsoluteSort)),
                                   std::string(StringText(key::kDrillHighlightThreshold))};
  for (const SettingRow& row : SettingRows()) {
    if (row.saved) keys.emplace_back(KeyName(row));
  }
  const int writes = static_cast<int>(keys.size());
  for (int failing : {1, 2, 14, writes - 1, writes}) {
    std::vector<std::optional<std::string>> before;
    for (const std::string& key : keys) before.push_back(profiles_.Get(kSection, key));
    profiles_.FailWriteNumber(failing);
    EXPECT_FALSE(store_.SaveAll(changed)) << failing;
    for (std::size_t i = 0; i < keys.size(); ++i) {
      EXPECT_EQ(profiles_.Get(kSection, keys[i]), before[i]) << failing << " " << keys[i];
    }
  }
  EXPECT_EQ(Load().rounding, 1);
  EXPECT_TRUE(store_.SaveAll(changed));
  EXPECT_EQ(Load().rounding, 3);
}

TEST_F(SettingsTest, AutoPreloadKeysCarryTheCompanyCode) {
  const Settings settings = Load();
  AutoPreloadSettings defaults = LoadAutoPreload(store_, settings, "05");
  EXPECT_FALSE(defaults.company_on);
  EXPECT_TRUE(defaults.this_year_on);
  EXPECT_EQ(defaults.year, "1994");
  EXPECT_EQ(defaults.budget, "01");

  AutoPreloadSettings values{true, "1000-*", "2002", "02", false, true, true};
  ASSERT_TRUE(SaveAutoPreload(store_, "05", values));
  EXPECT_EQ(profiles_.Get(kSection, "ADPL Company On 05"), "1");
  EXPECT_EQ(profiles_.Get(kSection, "ADPL This Year On 05"), "0");
  AutoPreloadSettings back = LoadAutoPreload(store_, settings, "05");
  EXPECT_EQ(back.account, "1000-*");
  EXPECT_TRUE(back.company_on && back.last_year_on && back.budget_on && !back.this_year_on);
}

}  // namespace
}  // namespace r7
