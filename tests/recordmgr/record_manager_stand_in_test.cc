// The driver's binding over the real stand-in record manager, loaded as the driver loads it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "fakes/assembled_driver.h"
#include "fakes/fake_platform.h"
#include "fakes/run_program.h"
#include "host/driver.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;

class StandInBindingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    system_ = testing::MakeTempDir("binding");
    testing::ProgramRun run = testing::RunProgram(
        "r7-ledger build '" R7_SOURCE_DIR "/tests/fixtures/companies.json' '" + system_ + "'");
    ASSERT_EQ(run.exit_status, 0) << run.err;
  }
  static void TearDownTestSuite() { fs::remove_all(system_); }
  void SetUp() override { fake_.profiles.Set("R7 for Tessary", "System Directory", system_); }
  void TearDown() override {
    ::unsetenv("R7_LIBRARY_PATH");
    ::unsetenv("R7_RECORDSTORE_MAX_HANDLES");
  }

  static inline std::string system_;
  testing::FakePlatform fake_;
};

TEST_F(StandInBindingTest, AMissingLibraryAnswers38WithStatus20) {
  std::string empty = testing::MakeTempDir("nolib");
  ::setenv("R7_LIBRARY_PATH", empty.c_str(), 1);
  testing::AssembledDriver driver(fake_.platform);
  driver.Call(125, "", nullptr);
  CompanyContext& company = *driver.companies().FindCompany("01");
  EXPECT_EQ(company.status, 38);
  EXPECT_EQ(driver.errors().text(), "R7 [Tessary] Btrieve error - glactfil");
  EXPECT_EQ(driver.record_manager().last_status(), 20);
  EXPECT_EQ(BtrStatusText(driver.record_manager().last_status()),
            "Btrieve Error 20 - Record Manager Inactive");
  EXPECT_FALSE(driver.record_manager().initialised());

  // The pending error's box is followed by the record manager's own.
  EXPECT_TRUE(driver.ShowPendingError(7));
  ASSERT_EQ(fake_.message_boxes.shown().size(), 2u);
  EXPECT_EQ(fake_.message_boxes.shown()[1].text, "Btrieve Error 20 - Record Manager Inactive");
  EXPECT_EQ(fake_.message_boxes.shown()[1].caption, "R7");
  fs::remove_all(empty);
}

TEST_F(StandInBindingTest, AFullHandleTableFreesAFileOfAnotherCompany) {
  testing::AssembledDriver driver(fake_.platform);
  driver.Call(125, "", nullptr);
  CompanyContext& first = *driver.companies().FindCompany("01");
  ASSERT_EQ(first.status, 0);
  ASSERT_TRUE(first.files[kComparativeSlot].open);
  // Three files are open; the next company's opens must each free one of them.
  ::setenv("R7_RECORDSTORE_MAX_HANDLES", "3", 1);
  CompanyContext& second = *driver.companies().FindCompany("02");
  EXPECT_EQ(second.status, 0) << driver.errors().text();
  EXPECT_FALSE(first.files[kComparativeSlot].open);
  EXPECT_FALSE(first.files[kBalanceSlot].open);
  EXPECT_FALSE(first.files[kAccountSlot].open);
  EXPECT_TRUE(second.files[kAccountSlot].open);
}

TEST_F(StandInBindingTest, CleanupClosesEverythingAndUnbinds) {
  testing::AssembledDriver driver(fake_.platform);
  driver.Call(125, "", nullptr);
  ASSERT_EQ(driver.companies().FindCompany("05")->status, 0);
  EXPECT_TRUE(driver.record_manager().initialised());
  EXPECT_EQ(driver.Cleanup(), 0);
  EXPECT_TRUE(driver.companies().companies().empty());
  EXPECT_FALSE(driver.record_manager().initialised());
  EXPECT_FALSE(driver.errors().pending());
}

}  // namespace
}  // namespace r7
