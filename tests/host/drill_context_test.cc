// The DrillContext, dates and transaction type that the balance and GLTRAN functions leave
// for the drill-down.
#include <gtest/gtest.h>

#include "fakes/assembled_driver.h"
#include "fakes/fake_platform.h"
#include "fakes/ledger_fixture.h"
#include "host/driver.h"

namespace r7 {
namespace {

class DrillContextTest : public ::testing::Test {
 protected:
  DrillContextTest() {
    fake_.profiles.Set("R7 for Tessary", "System Directory", testing::SharedFixture("balances"));
    fake_.profiles.Set("R7 for Tessary", "Company", "01");
    fake_.profiles.Set("R7 for Tessary", "Current Year", "2002");
    fake_.profiles.Set("R7 for Tessary", "NA Label", "0");
    driver_.Call(125, "", nullptr);  // start-up: loads the settings
  }
  ~DrillContextTest() override { driver_.Cleanup(); }

  std::string Cell(int code, const char* argument) {
    char result[300];
    driver_.Call(code, argument, result);
    return result;
  }

  testing::FakePlatform fake_;
  testing::AssembledDriver driver_{fake_.platform};
};

TEST_F(DrillContextTest, BalanceRecordsTheDrillContextOfItsFirstCompany) {
  driver_.session().explicit_dates = true;
  EXPECT_EQ(Cell(100, "4000;Quarter;01,03;2002;rng1,07"), "-9920.\r\n");
  const DrillContext& drill = driver_.session().drill;
  EXPECT_EQ(drill.account, "4000");
  EXPECT_EQ(drill.period, "Quarter");
  EXPECT_EQ(drill.company, "03");
  EXPECT_EQ(drill.year, "2002");
  EXPECT_EQ(drill.budget_revision, "07");
  EXPECT_EQ(drill.range_type, kRangeMainOnly);
  EXPECT_FALSE(driver_.session().explicit_dates);
  EXPECT_EQ(Cell(102, "1000-10-100"), "-1500.\r\n");
  EXPECT_EQ(drill.period, "month");
  EXPECT_EQ(drill.company, "01");
  EXPECT_EQ(drill.budget_revision, "01");
}

TEST_F(DrillContextTest, GltranRecordsItsDrillContextAndType) {
  EXPECT_EQ(Cell(104, "4000;1Jan2002;31Dec2002;02,01;Credits"), "-317.\r\n");
  const DrillContext& drill = driver_.session().drill;
  EXPECT_EQ(drill.account, "4000");
  EXPECT_EQ(drill.company, "01");
  EXPECT_EQ(drill.period, "");
  EXPECT_EQ(drill.segment, 20);
  EXPECT_EQ(drill.from, "1Jan2002");
  EXPECT_EQ(drill.to, "31Dec2002");
  EXPECT_TRUE(driver_.session().explicit_dates);
  EXPECT_EQ(driver_.session().transaction_type, 7);
  EXPECT_EQ((driver_.session().current_dates == DateRange{{1, 1, 2002}, {31, 12, 2002}}), true);
}

}  // namespace
}  // namespace r7
