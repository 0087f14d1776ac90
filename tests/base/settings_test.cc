#include "base/settings_store.h"

#include <gtest/gtest.h>

#include <set>

#include "base/string_table.h"
#include "fakes/fake_platform.h"

namespace r7 {
namespace {

constexpr std::string_view kSection = "R7 for Tessary";

TEST(SettingsTest, DefaultsWhenNoFileExists) {
  testing::MemoryProfileStore profiles;
  SettingsStore store(profiles);
  Settings settings;
  store.LoadAll(settings, "c:\\r7\\");
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

TEST(SettingsTest, DplDefaultsFollowTheLoadedCompanyAndYear) {
  testing::MemoryProfileStore profiles;
  profiles.Set(kSection, "company", "05");
  profiles.Set(kSection, "CURRENT YEAR", "2002");
  SettingsStore store(profiles);
  Settings settings;
  store.LoadAll(settings, "");
  EXPECT_EQ(settings.dpl_company, "05");
  EXPECT_EQ(settings.dpl_year, "2002");
  profiles.Set(kSection, "DPL Company", "07");
  store.LoadAll(settings, "");
  EXPECT_EQ(settings.dpl_company, "07");
}

TEST(SettingsTest, TextsAreCutToTheirCapacityAndIntegersReadByLeadingDigits) {
  testing::MemoryProfileStore profiles;
  profiles.Set(kSection, "Company", "1234567890123456");
  profiles.Set(kSection, "Scaling", "3 thousands");
  profiles.Set(kSection, "Rounding", "-2");
  profiles.Set(kSection, "NA Label", "none");
  profiles.Set(kSection, "Drill Highlight Threshold", "1250.75");
  SettingsStore store(profiles);
  Settings settings;
  store.LoadAll(settings, "");
  EXPECT_EQ(settings.company, "123456789012");
  EXPECT_EQ(settings.scaling, 3);
  EXPECT_EQ(settings.rounding, -2);
  EXPECT_EQ(settings.na_label, 0);
  EXPECT_DOUBLE_EQ(settings.drill_highlight_threshold, 1250.75);
}

TEST(SettingsTest, SaveWritesEverySavedRowAndReadsBackTheSame) {
  testing::MemoryProfileStore profiles;
  SettingsStore store(profiles);
  Settings settings;
  store.LoadAll(settings, "");
  settings.company = "05";
  settings.zero_label = "-";
  settings.rounding = -7;
  settings.drill_absolute_sort = 0;
  settings.drill_highlight_threshold = 0.1;
  settings.list = "never saved";
  ASSERT_TRUE(store.SaveAll(settings));

  std::size_t saved_rows = 0;
  for (const SettingRow& row : SettingRows()) {
    saved_rows += row.saved;
    EXPECT_EQ(profiles.Get(kSection, KeyName(row)).has_value(), row.saved) << KeyName(row);
  }
  EXPECT_EQ(profiles.writes(), static_cast<int>(saved_rows) + 2);
  // The two drill options have keys of their own: neither overwrites the other.
  EXPECT_EQ(profiles.Get(kSection, "Drill Absolute Sort"), "0");
  EXPECT_EQ(profiles.Get(kSection, "Drill Highlight Threshold"), "0.10000000000000001");

  Settings reloaded;
  store.LoadAll(reloaded, "");
  EXPECT_EQ(reloaded.company, "05");
  EXPECT_EQ(reloaded.zero_label, "-");
  EXPECT_EQ(reloaded.rounding, -7);
  EXPECT_EQ(reloaded.drill_absolute_sort, 0);
  EXPECT_EQ(reloaded.drill_highlight_threshold, 0.1);
}

TEST(SettingsTest, SaveReportsAFailedWriteEvenWhenLaterWritesSucceed) {
  int saved_writes = 2;  // the two drill options follow the table's rows
  for (const SettingRow& row : SettingRows()) saved_writes += row.saved;
  for (int failing : {1, 10, saved_writes}) {
    testing::MemoryProfileStore profiles;
    SettingsStore store(profiles);
    Settings settings;
    store.LoadAll(settings, "");
    profiles.FailWriteNumber(failing);
    EXPECT_FALSE(store.SaveAll(settings)) << failing;
  }
}

TEST(SettingsTest, AutoPreloadKeysCarryTheCompanyCode) {
  testing::MemoryProfileStore profiles;
  SettingsStore store(profiles);
  Settings settings;
  store.LoadAll(settings, "");
  AutoPreloadSettings defaults = LoadAutoPreload(store, settings, "05");
  EXPECT_FALSE(defaults.company_on);
  EXPECT_TRUE(defaults.this_year_on);
  EXPECT_EQ(defaults.year, "1994");
  EXPECT_EQ(defaults.budget, "01");

  AutoPreloadSettings values{true, "1000-*", "2002", "02", false, true, true};
  ASSERT_TRUE(SaveAutoPreload(store, "05", values));
  EXPECT_EQ(profiles.Get(kSection, "ADPL Company On 05"), "1");
  EXPECT_EQ(profiles.Get(kSection, "ADPL This Year On 05"), "0");
  AutoPreloadSettings back = LoadAutoPreload(store, settings, "05");
  EXPECT_EQ(back.account, "1000-*");
  EXPECT_TRUE(back.company_on && back.last_year_on && back.budget_on && !back.this_year_on);
}

}  // namespace
}  // namespace r7
