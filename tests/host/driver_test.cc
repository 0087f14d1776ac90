// The driver's dispatch: rejected codes, results within their limit, start-up and clean-up.
#include "host/driver.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"
#include "fakes/run_program.h"
#include "host/command_table.h"

namespace r7 {
namespace {

constexpr const char* kRejected = "R7 [Tessary] The command/request was not processed -  ";

// A driver with the default settings; the session checks it stays within its 258 bytes.
class DriverTest : public ::testing::Test, protected testing::R7Session {};

TEST_F(DriverTest, RejectsEveryCodeOutsideTheTable) {
  for (int code = -5; code <= 130; ++code) {
    const bool defined = FindCommand(code) != nullptr;
    int status = Call(code);
    if (defined) {
      // The segment description answers too few fields with their code, 4.
      EXPECT_EQ(status, code == 114 ? 4 : 0) << code;
      EXPECT_NE(result, kRejected) << code;
    } else {
      EXPECT_EQ(status, 1) << code;
      EXPECT_EQ(result, kRejected) << code;
    }
  }
  for (int code : {INT32_MIN, -1, 0,  1,   2,   6,   7,   10,  16,  17,
                   18,        23, 99, 101, 105, 113, 117, 124, 128, INT32_MAX}) {
    EXPECT_EQ(FindCommand(code), nullptr) << code;
  }
  for (int code : {3,  4,  5,   8,   9,   11,  12,  13,  14,  15,  19,  20,
                   21, 22, 100, 102, 103, 104, 114, 115, 116, 125, 126, 127}) {
    EXPECT_NE(FindCommand(code), nullptr) << code;
  }
}

TEST_F(DriverTest, AnswersAndWorksheetFailuresEndWithALineEnd) {
  EXPECT_EQ(Call(125), 0);
  EXPECT_EQ(result, std::string(kVersionText) + "\r\n");
  EXPECT_EQ(Call(100, "1000;Month"), 0);  // the default company 00 is not there
  EXPECT_EQ(result, "R7 [Tessary] Can't open file - 00\r\n");
  EXPECT_EQ(Call(127), 0);
  EXPECT_EQ(result, "R7 [Tessary] Error:  WDESC not supported for budgets.\r\n");
}

TEST_F(DriverTest, RegisteredHandlerGetsTheArgumentAndItsResultIsCut) {
  std::string seen;
  driver.RegisterWorksheet(103, [&](std::string_view argument, std::string& result) {
    seen = argument;
    result = std::string(400, 'd');
    return 0;
  });
  EXPECT_EQ(Call(103, "1000-10-200;Year 1"), 0);
  EXPECT_EQ(seen, "1000-10-200;Year 1");
  EXPECT_EQ(result, std::string(255, 'd') + "\r\n");
}

TEST_F(DriverTest, ANullResultBufferIsAllowed) {
  EXPECT_EQ(driver.Call(125, "", nullptr), 0);
  EXPECT_EQ(driver.Call(7, nullptr, nullptr), 1);
}

TEST_F(DriverTest, ClearsThePendingErrorAtEveryCall) {
  driver.errors().SetError(22, "left over");
  Call(125);
  EXPECT_FALSE(driver.errors().pending());
}

TEST_F(DriverTest, LoadsTheSettingsBeforeTheFirstCall) {
  Set("Company", "05");
  fake.profiles.Set("R7 Server", "Path", "/srv/r7");
  Call(125);
  EXPECT_EQ(driver.settings().company, "05");
  EXPECT_EQ(driver.settings().dpl_company, "05");
  EXPECT_EQ(driver.session().drill.company, "05");
  EXPECT_EQ(driver.server_directory(), "/srv/r7\\");
}

TEST_F(DriverTest, UsageTrackingSwitchesOnAndOff) {
  Call(11);
  EXPECT_TRUE(driver.usage_tracking());
  Call(12);
  EXPECT_FALSE(driver.usage_tracking());
}

TEST_F(DriverTest, CodeEightDoesNotScanTheSystemDirectory) {
  const testing::FixtureDirectory root(testing::MakeTempDir("driver"));
  std::filesystem::create_directories(root.path() + "/DATA_05");
  Set("System Directory", root.path());
  Call(8);
  EXPECT_TRUE(driver.company_dir_list().empty());
  Call(7);  // even a rejected code builds the list
  EXPECT_EQ(driver.company_dir_list(), std::vector<std::string>{"05"});
}

TEST_F(DriverTest, AMissingRecordManagerShowsItsStatusAfterThePendingError) {
  const testing::FixtureDirectory empty(testing::MakeTempDir("nolib"));
  ::setenv("R7_LIBRARY_PATH", empty.path().c_str(), 1);
  Set("System Directory", testing::SharedFixture("companies"));
  Call(125);
  EXPECT_EQ(driver.companies().FindCompany("01")->status, 38);
  // The pending error's box is followed by the record manager's own.
  EXPECT_TRUE(driver.ShowPendingError(7));
  ASSERT_EQ(fake.message_boxes.shown().size(), 2u);
  EXPECT_EQ(fake.message_boxes.shown()[0].text, "R7 [Tessary] Btrieve error - glactfil");
  EXPECT_EQ(fake.message_boxes.shown()[1].text, "Btrieve Error 20 - Record Manager Inactive");
  EXPECT_EQ(fake.message_boxes.shown()[1].caption, "R7");
  ::unsetenv("R7_LIBRARY_PATH");
}

TEST_F(DriverTest, CleanupClosesEverythingAndUnbinds) {
  Set("System Directory", testing::SharedFixture("companies"));
  Call(125);
  ASSERT_EQ(driver.companies().FindCompany("05")->status, 0);
  EXPECT_TRUE(driver.record_manager().initialised());
  EXPECT_EQ(driver.Cleanup(), 0);
  EXPECT_TRUE(driver.companies().companies().empty());
  EXPECT_FALSE(driver.record_manager().initialised());
  EXPECT_FALSE(driver.errors().pending());
}

}  // namespace
}  // namespace r7
