// The company catalogue over the stand-in record manager bound as the driver binds it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "fakes/ledger_fixture.h"
#include "fakes/ledger_world.h"

namespace r7 {
namespace {

class StandInBindingTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ::unsetenv("R7_LIBRARY_PATH");
    ::unsetenv("R7_RECORDSTORE_MAX_HANDLES");
  }
  testing::LedgerWorld world_{testing::SharedFixture("companies")};
};

TEST_F(StandInBindingTest, AMissingLibraryAnswers38WithStatus20) {
  // The library is searched for only where this path says: a directory that is not there.
  const std::string nowhere = testing::SharedFixture("companies") + "/no-such-directory";
  ::setenv("R7_LIBRARY_PATH", nowhere.c_str(), 1);
  CompanyContext& company = *world_.companies.FindCompany("01");
  EXPECT_EQ(company.status, 38);
  EXPECT_EQ(world_.errors.text(), "R7 [Tessary] Btrieve error - glactfil");
  EXPECT_EQ(world_.records.last_status(), 20);  // "Record Manager Inactive"
  EXPECT_FALSE(world_.records.initialised());
}

TEST_F(StandInBindingTest, AFullHandleTableFreesAFileOfAnotherCompany) {
  CompanyContext& first = *world_.companies.FindCompany("01");
  ASSERT_EQ(first.status, 0);
  ASSERT_TRUE(first.files[kComparativeSlot].open);
  // Three files are open; the next company's opens must each free one of them.
  ::setenv("R7_RECORDSTORE_MAX_HANDLES", "3", 1);
  CompanyContext& second = *world_.companies.FindCompany("02");
  EXPECT_EQ(second.status, 0) << world_.errors.text();
  EXPECT_FALSE(first.files[kComparativeSlot].open);
  EXPECT_FALSE(first.files[kBalanceSlot].open);
  EXPECT_FALSE(first.files[kAccountSlot].open);
  EXPECT_TRUE(second.files[kAccountSlot].open);
}

}  // namespace
}  // namespace r7
