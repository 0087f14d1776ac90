// The balance engine over real companies: the preload lookup's contract and a user's stop.
#include "ledger/balance_engine.h"

#include <gtest/gtest.h>

#include "base/error_codes.h"
#include "fakes/ledger_fixture.h"
#include "fakes/ledger_world.h"
#include "specifiers/period_parser.h"

namespace r7 {
namespace {

constexpr platform::WindowId kWindow = 7;

// A preload cache that holds one amount in one slot of this year's actual figures.
class OneSlotPreload : public PreloadLookup {
 public:
  int answer = 1, kind = kIncomeStatementAccount, lookups = 0;
  bool budget_seen = false;
  int Lookup(CompanyContext&, const AccountRequest& request, const PeriodList&, AmountTable* table,
             int* out_kind) override {
    ++lookups;
    budget_seen = request.budget;
    // A declining lookup may leave anything behind; the engine must not use it.
    table->At(kActualFigures, kThisYear, 4) = 42;
    *out_kind = kind;
    return answer;
  }
};

class BalanceEngineTest : public ::testing::Test {
 protected:
  BalanceEngineTest() { world_.settings.na_label = 0; }

  // The engine's answer for one request of company 01.
  int Compute(const std::string& specifier, const std::string& periods, double* total,
              const std::string& year = "2002") {
    PeriodList list;
    period_text_ = periods;
    EXPECT_TRUE(ParsePeriodSpecifier(period_text_, &list).ok());
    request_ = MakeAccountRequest(specifier, year, "01");
    LedgerServices services = world_.services(kWindow);
    return ComputeBalance(total, BalanceCollaborators{services, *preload_}, "01", request_, list);
  }

  std::string period_text_;
  AccountRequest request_;
  testing::LedgerWorld world_{testing::SharedFixture("balances")};
  NoPreload no_preload_;
  PreloadLookup* preload_ = &no_preload_;
};

TEST_F(BalanceEngineTest, APreloadThatAnswersSuppliesEveryItem) {
  OneSlotPreload preload;
  preload_ = &preload;
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
  preload_ = &preload;
  double total = 0;
  ASSERT_EQ(Compute("4000-10-100", "Month", &total), 0);
  EXPECT_EQ(total, -500);
  EXPECT_EQ(Compute("9999", "Month", &total), kNoMatchingAccounts);
  EXPECT_EQ(preload.lookups, 2);
}

TEST_F(BalanceEngineTest, AConfirmedStopIsNeverATotal) {
  double total = 0;
  world_.fake.input.stop_requested = true;
  world_.fake.message_boxes.set_answer(platform::answer::kYes);
  EXPECT_EQ(Compute("4000-*-*", "Month", &total), kNotProcessed);
  world_.fake.message_boxes.set_answer(platform::answer::kNo);
  EXPECT_EQ(Compute("4000-*-*", "Month", &total), 0);
  EXPECT_EQ(total, -510);
}

TEST_F(BalanceEngineTest, ReportsTheFirstAccountWalksOwnFailure) {
  double total = 0;
  EXPECT_EQ(Compute("1*..2*", "Month", &total), kInvalidWildcardInRange);
  EXPECT_EQ(world_.errors.text(), "R7 [Tessary] Invalid wildcard character in range - 1*..2*-*-*");
  world_.errors.Clear();
  EXPECT_EQ(Compute("4000-10-100", "Month", &total, "2003"), kFuturePeriod);
}

}  // namespace
}  // namespace r7
