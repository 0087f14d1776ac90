// The balance engine in process, over companies built by r7-ledger: the preload lookup's
// contract, a user's stop, and the DrillContext that the balance and GLTRAN functions
// record.
#include "ledger/balance_engine.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/error_codes.h"
#include "fakes/assembled_driver.h"
#include "fakes/fake_platform.h"
#include "fakes/run_program.h"
#include "host/driver.h"
#include "specifiers/period_parser.h"

namespace r7 {
namespace {

constexpr platform::WindowId kWindow = 7;

// A preload cache that holds one amount in one slot of this year's actual figures.
class OneSlotPreload : public PreloadLookup {
 public:
  int answer = 1;
  int kind = kIncomeStatementAccount;
  int lookups = 0;
  int Lookup(CompanyContext&, const AccountRequest& request, const PeriodList&, AmountTable* table,
             int* out_kind) override {
    ++lookups;
    budget_seen = request.budget;
    // A declining lookup may leave anything behind; the engine must not use it.
    table->At(kActualFigures, kThisYear, 4) = 42;
    *out_kind = kind;
    return answer;
  }
  bool budget_seen = false;
};

class BalanceEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::MakeTempDir("engine");
    std::string fixture = std::string(R7_SOURCE_DIR) + "/tests/fixtures/balances.json";
    ASSERT_EQ(
        testing::RunProgram("r7-ledger build '" + fixture + "' '" + dir_ + "/sys'").exit_status, 0);
    fake_.profiles.Set("R7 for Tessary", "System Directory", dir_ + "/sys");
    fake_.profiles.Set("R7 for Tessary", "Company", "01");
    fake_.profiles.Set("R7 for Tessary", "Current Year", "2002");
    fake_.profiles.Set("R7 for Tessary", "NA Label", "0");
    driver_.Call(125, "", nullptr);  // start-up: loads the settings
  }
  void TearDown() override {
    driver_.SetPreload(nullptr);
    driver_.Cleanup();
    std::filesystem::remove_all(dir_);
  }

  // The engine's answer for one request of company 01.
  int Compute(const std::string& specifier, const std::string& periods, double* total,
              const std::string& year = "2002") {
    PeriodList list;
    period_text_ = periods;
    EXPECT_TRUE(ParsePeriodSpecifier(period_text_, &list).ok());
    request_ = MakeAccountRequest(specifier, year, "01");
    LedgerServices services = driver_.ledger_services(kWindow);
    return ComputeBalance(total, driver_.balance_collaborators(services), "01", request_, list);
  }

  std::string Cell(int code, const char* argument) {
    char result[300];
    driver_.Call(code, argument, result);
    return result;
  }

  std::string dir_;
  std::string period_text_;
  AccountRequest request_;
  testing::FakePlatform fake_;
  testing::AssembledDriver driver_{fake_.platform};
};

TEST_F(BalanceEngineTest, APreloadThatAnswersSuppliesEveryItem) {
  OneSlotPreload preload;
  driver_.SetPreload(&preload);
  double total = 0;
  // The table holds 42 in period 5 of this year: 'Month' twice, and 'Month 4' adds nothing.
  ASSERT_EQ(Compute("9999", "Month, Month 4, Month", &total), 0);
  EXPECT_EQ(total, 84);
  EXPECT_EQ(preload.lookups, 1);
  // The kind it answers decides the reading: a balance carries into later periods.
  preload.kind = kBalanceSheetAccount;
  ASSERT_EQ(Compute("9999", "Month 6", &total), 0);
  EXPECT_EQ(total, 42);
  // The window's refusal still stops the sum, with no file read.
  EXPECT_EQ(Compute("9999", "Month, 2 Years Ago", &total), kNoDataForPeriod);
  EXPECT_EQ(Compute("4000-10-100", "Month Budget", &total), 0);
  EXPECT_TRUE(preload.budget_seen);
}

TEST_F(BalanceEngineTest, ADecliningPreloadLeavesNoTrace) {
  OneSlotPreload preload;
  preload.answer = 0;
  preload.kind = kBalanceSheetAccount;
  driver_.SetPreload(&preload);
  double total = 0;
  ASSERT_EQ(Compute("4000-10-100", "Month", &total), 0);
  EXPECT_EQ(total, -500);
  EXPECT_EQ(Compute("9999", "Month", &total), kNoMatchingAccounts);
  EXPECT_EQ(preload.lookups, 2);
}

TEST_F(BalanceEngineTest, AConfirmedStopIsNeverATotal) {
  double total = 0;
  fake_.input.stop_requested = true;
  fake_.message_boxes.set_answer(platform::answer::kYes);
  EXPECT_EQ(Compute("4000-*-*", "Month", &total), kNotProcessed);
  fake_.message_boxes.set_answer(platform::answer::kNo);
  EXPECT_EQ(Compute("4000-*-*", "Month", &total), 0);
  EXPECT_EQ(total, -510);
}

TEST_F(BalanceEngineTest, ReportsTheFirstAccountWalksOwnFailure) {
  double total = 0;
  EXPECT_EQ(Compute("1*..2*", "Month", &total), kInvalidWildcardInRange);
  EXPECT_EQ(driver_.errors().text(),
            "R7 [Tessary] Invalid wildcard character in range - 1*..2*-*-*");
  driver_.errors().Clear();
  EXPECT_EQ(Compute("4000-10-100", "Month", &total, "2003"), kFuturePeriod);
}

TEST_F(BalanceEngineTest, BalanceRecordsTheDrillContextOfItsFirstCompany) {
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

TEST_F(BalanceEngineTest, GltranRecordsItsDrillContextAndType) {
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
