// The account iteration over every ledger file of real companies, and the financial
// entities file created, filled and read back through the record manager.
#include "ledger/account_iteration.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/ledger_fixture.h"
#include "fakes/ledger_world.h"
#include "ledger/account_number.h"
#include "ledger/entities_file.h"

namespace r7 {
namespace {

constexpr platform::WindowId kWindow = 7;

class AccountIterationTest : public ::testing::Test {
 protected:
  // Each test has its own companies: one of them creates an entities file.
  AccountIterationTest() {
    world_.settings.na_label = 0;
    world_.settings.entities_file_in_gl_path = 1;
  }

  // The accounts (display form) one walk delivers, then its ending code.
  std::vector<std::string> Walk(const std::string& company_code, const std::string& specifier,
                                int file, int range_type = kRangeAllSegments,
                                std::string year = "2002") {
    CompanyContext* company = world_.companies.FindCompany(company_code);
    LedgerServices services = world_.services(kWindow);
    AccountIteration iteration(services);
    std::vector<std::string> seen;
    AccountRequest request = MakeAccountRequest(specifier, year, "1", range_type);
    int result = iteration.First(request, *company, file, true);
    while (result == kIterationRecord) {
      std::string text = DisplayAccount(iteration.record(), company->segment_lengths);
      if (file == kIterateTransactions) text += "@" + std::string(iteration.record().substr(24, 8));
      seen.push_back(text);
      result = iteration.Next();
    }
    seen.push_back("end " + std::to_string(result));
    EXPECT_EQ(iteration.Next(), result);  // a finished walk keeps its ending
    return seen;
  }

  testing::FixtureDirectory system_{testing::BuildFixture("accounts")};
  testing::LedgerWorld world_{system_.path()};
};

using Accounts = std::vector<std::string>;

TEST_F(AccountIterationTest, KeyCountsOfFourAndOfOneSelectTheSameAccounts) {
  world_.dates = DateRange{{1, 2, 2002}, {31, 3, 2002}};
  for (int file : {kIterateChart, kIterateBalances, kIterateBudgets, kIteratePriorComparatives,
                   kIterateComparatives, kIterateTransactions}) {
    for (const char* specifier : {"*", "4*-10", "*-10-100", "*-*-100", "1000..4100-10",
                                  "(1000,4000)(10,20)", "4??0-*-*", "*-20"}) {
      Accounts four = Walk("02", specifier, file);
      Accounts one = Walk("03", specifier, file);
      EXPECT_EQ(four, one) << "file " << file << " " << specifier;
      EXPECT_TRUE(std::is_sorted(four.begin(), four.end() - 1)) << file << " " << specifier;
    }
  }
}

TEST_F(AccountIterationTest, EachFileNumberReadsItsYearAndRevision) {
  EXPECT_EQ(Walk("02", "1000", kIterateBalances),
            (Accounts{"1000-10-100", "1000-20-100", "end 1"}));
  EXPECT_EQ(Walk("02", "2000", kIterateBalances),
            (Accounts{"end 22"}));  // in the chart, but no balance record
  EXPECT_EQ(Walk("02", "1000-10", kIterateComparatives, 2, "2001"),
            (Accounts{"1000-10-100", "end 1"}));
  EXPECT_EQ(Walk("02", "1000-10", kIteratePriorComparatives, 2, "2001"),
            (Accounts{"1000-10-100", "end 1"}));  // the year 2000
  EXPECT_EQ(Walk("02", "1000-10", kIteratePriorComparatives, 2, "2000"), (Accounts{"end 22"}));
  EXPECT_EQ(Walk("02", "1000-10", kIterateBudgets), (Accounts{"1000-10-100", "end 1"}));
  EXPECT_EQ(Walk("02", "1000-10", kIterateBudgets, 2, "2001"), (Accounts{"end 22"}));
  world_.dates = DateRange{{1, 2, 2002}, {31, 3, 2002}};
  EXPECT_EQ(
      Walk("02", "*", kIterateTransactions),
      (Accounts{"1000-10-100@20020210", "4000-10-100@20020210", "4000-10-100@20020315", "end 1"}));
}

TEST_F(AccountIterationTest, RangeTypesAndTitleRecords) {
  // Range type 2 tests every segment; 1 only the main account's range; 0 nothing at all.
  EXPECT_EQ(Walk("02", "4000..4100-10..10-100..100", kIterateChart, 2),
            (Accounts{"4000-10-100", "4100-10-100", "end 1"}));
  EXPECT_EQ(Walk("02", "4000..4100-10..10-100..100", kIterateChart, 1),
            (Accounts{"4000-10-100", "4000-20-200", "4100-10-100", "end 1"}));
  EXPECT_EQ(Walk("02", "4000..4100-10..10-100..100", kIterateChart, 0),
            (Accounts{"4000-10-100", "4000-20-200", "4100-10-100", "end 1"}));
  EXPECT_EQ(Walk("02", "0-10-0", kIterateChart), (Accounts{"end 22"}));
  EXPECT_EQ(Walk("02", "*-1..-*", kIterateChart), (Accounts{"end 22"}));
}

TEST_F(AccountIterationTest, TheTypeCheckRefusesMixedKinds) {
  CompanyContext* company = world_.companies.FindCompany("02");
  LedgerServices services = world_.services(kWindow);
  AccountIteration iteration(services);
  int result =
      iteration.First(MakeAccountRequest("1000,4000", "2002", "1"), *company, kIterateChart, false);
  while (result == kIterationRecord) result = iteration.Next();
  EXPECT_EQ(result, 17);
  EXPECT_EQ(world_.errors.text(),
            "R7 [Tessary] Cannot sum accounts of different types - 4000-10-100");
}

TEST_F(AccountIterationTest, AConfirmedStopIsNotAnEnd) {
  CompanyContext* company = world_.companies.FindCompany("02");
  LedgerServices services = world_.services(kWindow);
  AccountIteration iteration(services);
  ASSERT_EQ(iteration.First(MakeAccountRequest("*", "2002", "1"), *company, kIterateChart, true),
            kIterationRecord);
  world_.fake.input.stop_requested = true;
  world_.fake.message_boxes.set_answer(platform::answer::kNo);
  EXPECT_EQ(iteration.Next(), kIterationRecord);  // not confirmed: the walk goes on
  world_.fake.message_boxes.set_answer(platform::answer::kYes);
  EXPECT_EQ(iteration.Next(), kIterationStopped);
  EXPECT_EQ(iteration.Next(), kIterationStopped);
  EXPECT_EQ(iteration.delivered(), 2u);
}

TEST_F(AccountIterationTest, EntitiesFileIsCreatedFilledAndReadBackWhole) {
  CompanyContext* company = world_.companies.FindCompany("03");
  ASSERT_FALSE(company->entities.exists);
  EntitiesFile entities(world_.records, world_.companies, world_.fake.files);
  ASSERT_EQ(entities.Create(*company), 0);
  EXPECT_TRUE(company->entities.exists);
  const std::string long_list = "1000,2000,4000,4100,4990,4995,5000";  // 34 characters
  const std::string long_name(60, 'N');
  ASSERT_EQ(entities.Add(*company, 101, long_list, "SOME ACCOUNTS"), 0);
  ASSERT_EQ(entities.Add(*company, 101, "SOME", "FEW"), 0);
  ASSERT_EQ(entities.Add(*company, 1, "4000", "Sales from the file"), 0);
  ASSERT_EQ(entities.Add(*company, 1, std::string(140, '7'), long_name), 0);
  ASSERT_EQ(entities.Add(*company, 2, "10", "East"), 0);

  EXPECT_EQ(entities.LookupEntity(*company, "some accounts", 1), long_list);
  EXPECT_EQ(entities.LookupEntity(*company, "Sales from the file", 1), "4000");
  EXPECT_EQ(entities.LookupEntity(*company, "SOME ACCOUNTS", 2), std::nullopt);
  EXPECT_EQ(entities.LookupEntity(*company, std::string(51, 'N'), 1), std::nullopt);
  EXPECT_EQ(entities.LookupEntity(*company, std::string(50, 'N'), 1), std::string(130, '7'));

  EntityLists both = entities.ListEntityRecords(*company, 1, EntityListMode::kBoth, false);
  EXPECT_EQ(both.main,
            (std::vector<std::string>{"FEW", "SOME ACCOUNTS", "4000; Sales from the file",
                                      std::string(29, '7') + "; " + std::string(50, 'N')}));
  EntityLists pairs = entities.ListEntityRecords(*company, 1, EntityListMode::kEntities, true);
  EXPECT_EQ(pairs.main, (std::vector<std::string>{"SOME", long_list}));
  EXPECT_EQ(pairs.second, (std::vector<std::string>{"FEW", "SOME ACCOUNTS"}));
  EXPECT_EQ(
      entities.ListEntityRecords(*company, 1, EntityListMode::kValues, false, "3*,4000..4999").main,
      std::vector<std::string>{"4000; Sales from the file"});
  EXPECT_EQ(JoinValueDescriptions({"10", "20"}, {"East", ""}),
            (std::vector<std::string>{"10; East", "20"}));

  // Entity names now expand in account specifiers of that company.
  EXPECT_EQ(Walk("03", "SOME ACCOUNTS-10", kIterateChart),
            (Accounts{"1000-10-100", "2000-10-100", "4000-10-100", "4100-10-100", "4990-10-100",
                      "4995-10-100", "5000-10-200", "end 1"}));
}

}  // namespace
}  // namespace r7
