// The drill-down context, dates and transaction type the balance and GLTRAN calls leave.
#include <gtest/gtest.h>

#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"

namespace r7 {
namespace {

class DrillContextTest : public ::testing::Test, protected testing::R7Session {
 protected:
  DrillContextTest()
      : R7Session(testing::SharedFixture("balances"),
                  "Company=01\nCurrent Year=2002\nNA Label=0\n") {
    Call(125);  // start-up: loads the settings
  }
};

TEST_F(DrillContextTest, BalanceRecordsTheDrillContextOfItsFirstCompany) {
  driver.session().explicit_dates = true;
  EXPECT_EQ(Result(100, "4000;Quarter;01,03;2002;rng1,07"), "-9920.\r\n");
  const DrillContext& drill = driver.session().drill;
  EXPECT_EQ(drill.account, "4000");
  EXPECT_EQ(drill.period, "Quarter");
  EXPECT_EQ(drill.company, "03");
  EXPECT_EQ(drill.year, "2002");
  EXPECT_EQ(drill.budget_revision, "07");
  EXPECT_EQ(drill.range_type, kRangeMainOnly);
  EXPECT_FALSE(driver.session().explicit_dates);
  EXPECT_EQ(Result(102, "1000-10-100"), "-1500.\r\n");
  EXPECT_EQ(drill.period, "month");
  EXPECT_EQ(drill.company, "01");
  EXPECT_EQ(drill.budget_revision, "01");
}

TEST_F(DrillContextTest, GltranRecordsItsDrillContextAndType) {
  EXPECT_EQ(Result(104, "4000;1Jan2002;31Dec2002;02,01;Credits"), "-317.\r\n");
  const DrillContext& drill = driver.session().drill;
  EXPECT_EQ(drill.account, "4000");
  EXPECT_EQ(drill.company, "01");
  EXPECT_EQ(drill.period, "");
  EXPECT_EQ(drill.segment, 20);
  EXPECT_EQ(drill.from, "1Jan2002");
  EXPECT_EQ(drill.to, "31Dec2002");
  EXPECT_TRUE(driver.session().explicit_dates);
  EXPECT_EQ(driver.session().transaction_type, 7);
  EXPECT_EQ(driver.session().current_dates, (DateRange{{1, 1, 2002}, {31, 12, 2002}}));
}

}  // namespace
}  // namespace r7
