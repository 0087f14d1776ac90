// The silent preload command and the automatic preload at start-up, over the real cache:
// the balance calls that follow a preload never reach the record manager.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "fakes/assembled_driver.h"
#include "fakes/counting_libraries.h"
#include "fakes/fake_platform.h"
#include "fakes/ledger_fixture.h"
#include "host/driver.h"
#include "preload/preload_settings.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;
using testing::CountingLibraries;

class SilentPreloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_.profiles.Set("R7 for Tessary", "System Directory", testing::SharedFixture("balances"));
    fake_.profiles.Set("R7 for Tessary", "Current Year", "2002");
  }
  void TearDown() override {
    if (driver_) driver_->Cleanup();
  }
  void Start() {
    driver_ = std::make_unique<testing::AssembledDriver>(platform_);
    Call(125, "");
  }
  std::string Call(int code, const char* argument) {
    char result[300];
    driver_->Call(code, argument, result);
    return result;
  }

  testing::FakePlatform fake_;
  CountingLibraries counting_{fake_.libraries};
  platform::Platform platform_{fake_.profiles,  fake_.files,         counting_,      fake_.locale,
                               fake_.clipboard, fake_.message_boxes, fake_.debug,    fake_.clock,
                               fake_.input,     fake_.help,          fake_.programs, fake_.ui};
  std::unique_ptr<Driver> driver_;
};

TEST_F(SilentPreloadTest, BalancesAfterTheSilentPreloadMakeNoRecordManagerCall) {
  Start();
  const char* const worksheet[] = {"4000-*-*;Month;01;2002", "1000-10-100;Year;01;2002",
                                   "*-*-*;Last Year;01;2002", "4000-10-*;Quarter;01;2002"};
  // The answers read from the files first.
  std::vector<std::string> from_files;
  for (const char* call : worksheet) from_files.push_back(Call(100, call));

  EXPECT_EQ(Call(20,
                 "DPL Company=01,DPL Account=*-*-*,DPL Year=2002,DPL Load This Year=1,"
                 "DPL Load Last Year=1,NoShow=1"),
            "");
  ASSERT_TRUE(preload::PreloadOf(*driver_->companies().FindCompany("01")).loaded);
  const std::uint64_t before = CountingLibraries::calls;
  for (std::size_t i = 0; i < std::size(worksheet); ++i) {
    EXPECT_EQ(Call(100, worksheet[i]), from_files[i]) << worksheet[i];
  }
  EXPECT_EQ(CountingLibraries::calls - before, 0u);
  EXPECT_EQ(driver_->settings().no_show, 0);
}

TEST_F(SilentPreloadTest, StartUpPreloadsTheCompaniesSwitchedOnAndLoadsNoOther) {
  fake_.profiles.Set("R7 for Tessary", "ADPL Enabled", "1");
  fake_.profiles.Set("R7 for Tessary", "ADPL Company On 01", "1");
  fake_.profiles.Set("R7 for Tessary", "ADPL Account 01", "*-*-*");
  fake_.profiles.Set("R7 for Tessary", "ADPL Company On 02", "0");
  Start();
  const auto& companies = driver_->companies().companies();
  ASSERT_EQ(companies.size(), 1u);
  EXPECT_EQ(companies.front()->code, "01");
  EXPECT_TRUE(preload::PreloadOf(*companies.front()).loaded);
  const std::uint64_t before = CountingLibraries::calls;
  EXPECT_NE(Call(100, "4000-*-*;Month;01;2002").substr(0, 2), "R7");
  EXPECT_EQ(CountingLibraries::calls - before, 0u);
}

}  // namespace
}  // namespace r7
