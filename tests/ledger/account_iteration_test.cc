// The account iteration over every ledger file of real companies, and the entities file.
#include "ledger/account_iteration.h"
#include "ledger/ledger_keys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "fakes/faulty_libraries.h"
#include "fakes/ledger_fixture.h"
#include "fakes/ledger_world.h"
#include "ledger/account_number.h"
#include "ledger/entities_file.h"

namespace r7 {
namespace {

constexpr platform::WindowId kWindow = 7;
using Accounts = std::vector<std::string>;

class AccountIterationTest : public ::testing::Test {
 protected:
  // The walks only read the shared companies; a test that writes opens its own.
  void SetUp() override { Open(testing::SharedFixture("accounts")); }
  void Open(const std::string& system) {
    world_ = std::make_unique<testing::LedgerWorld>(system);
    world_->settings.na_label = 0;
    world_->settings.entities_file_in_gl_path = 1;
    world_->dates = DateRange{{1, 2, 2002}, {31, 3, 2002}};
  }

  // The accounts (display form) one walk delivers, then its ending code.
  Accounts Walk(const std::string& company_code, const std::string& specifier, int file,
                int range_type = kRangeAllSegments, std::string year = "2002",
                bool no_type_check = true) {
    CompanyContext* company = world_->companies.FindCompany(company_code);
    LedgerServices services = world_->services(kWindow);
    AccountIteration iteration(services);
    Accounts seen;
    AccountRequest request = MakeAccountRequest(specifier, year, "1", range_type);
    int result = iteration.First(request, *company, file, no_type_check);
    for (; result == kIterationRecord; result = iteration.Next()) {
      std::string text = DisplayAccount(iteration.record(), company->segment_lengths);
      if (file == kIterateTransactions) text += "@" + std::string(iteration.record().substr(24, 8));
      seen.push_back(text);
    }
    seen.push_back("end " + std::to_string(result));
    EXPECT_EQ(iteration.Next(), result);  // a finished walk keeps its ending
    return seen;
  }

  std::unique_ptr<testing::FixtureDirectory> own_system_;
  std::unique_ptr<testing::LedgerWorld> world_;
};

TEST_F(AccountIterationTest, KeyCountsOfFourAndOfOneSelectTheSameAccounts) {
  for (int file : {kIterateChart, kIterateBalances, kIterateBudgets, kIteratePriorComparatives,
                   kIterateComparatives, kIterateTransactions}) {
    for (const char* specifier : {"*", "4*-10", "*-10-100", "*-*-100", "1000..4100-10",
                                  "(1000,4000)(10,20)", "4??0-*-*", "*-20"}) {
      Accounts four = Walk("02", specifier, file);
      EXPECT_EQ(four, Walk("03", specifier, file)) << "file " << file << " " << specifier;
      EXPECT_TRUE(std::is_sorted(four.begin(), four.end() - 1)) << file << " " << specifier;
    }
  }
}

// Each file number reads its own year and revision; range type 2 tests every segment, 1
// only the main account's range, 0 nothing at all; title records match nothing.
TEST_F(AccountIterationTest, FileNumbersRangeTypesAndTitleRecords) {
  struct Case {
    const char* what;
    const char* specifier;
    int file, range_type;
    const char* year;
    Accounts expected;
  } cases[] = {
      {"balances", "1000", kIterateBalances, 2, "2002", {"1000-10-100", "1000-20-100", "end 1"}},
      {"in the chart, no balance", "2000", kIterateBalances, 2, "2002", {"end 22"}},
      {"comparatives", "1000-10", kIterateComparatives, 2, "2001", {"1000-10-100", "end 1"}},
      {"prior of 2001: 2000",
       "1000-10",
       kIteratePriorComparatives,
       2,
       "2001",
       {"1000-10-100", "end 1"}},
      {"prior of 2000", "1000-10", kIteratePriorComparatives, 2, "2000", {"end 22"}},
      {"budgets", "1000-10", kIterateBudgets, 2, "2002", {"1000-10-100", "end 1"}},
      {"no budget of 2001", "1000-10", kIterateBudgets, 2, "2001", {"end 22"}},
      {"transactions",
       "*",
       kIterateTransactions,
       2,
       "2002",
       {"1000-10-100@20020210", "4000-10-100@20020210", "4000-10-100@20020315", "end 1"}},
      {"range type 2",
       "4000..4100-10..10-100..100",
       kIterateChart,
       2,
       "2002",
       {"4000-10-100", "4100-10-100", "end 1"}},
      {"range type 1",
       "4000..4100-10..10-100..100",
       kIterateChart,
       1,
       "2002",
       {"4000-10-100", "4000-20-200", "4100-10-100", "end 1"}},
      {"range type 0",
       "4000..4100-10..10-100..100",
       kIterateChart,
       0,
       "2002",
       {"4000-10-100", "4000-20-200", "4100-10-100", "end 1"}},
      {"title record", "0-10-0", kIterateChart, 2, "2002", {"end 22"}},
      {"open range", "*-1..-*", kIterateChart, 2, "2002", {"end 22"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Walk("02", c.specifier, c.file, c.range_type, c.year), c.expected) << c.what;
  }
}

TEST_F(AccountIterationTest, TheTypeCheckRefusesMixedKinds) {
  EXPECT_EQ(Walk("02", "1000,4000", kIterateChart, 2, "2002", false).back(), "end 17");
  EXPECT_EQ(world_->errors.text(),
            "R7 [Tessary] Cannot sum accounts of different types - 4000-10-100");
}

// "1*" in the profit center matches the code 1A as written and the number 10 in its mapped
// form 0000001*: one item, two tokens that both match. They share one scan of the chart,
// yet deliver (and meet the type check) as a scan per token would: the written form's
// accounts in key order, then the mapped form's, though 10 comes before 1A in the file.
TEST_F(AccountIterationTest, AnItemsTokensShareOneScanAndComeTokenByToken) {
  own_system_ = std::make_unique<testing::FixtureDirectory>(testing::BuildFixtureText(R"({
      "companies": [{"directory": "DATA_09", "name": "Mixed Codes Co",
                     "segment_lengths": [4, 2, 3], "periods": [["20020101", "20020131"]],
                     "accounts": [{"account": "1000-10-100", "type": "B"},
                                  {"account": "1000-1A-100", "type": "P"},
                                  {"account": "1000-20-100"},
                                  {"account": "2000-10-100"},
                                  {"account": "2000-1A-100", "type": "P"}]}]})"));
  testing::FakePlatform host;
  testing::FaultyLibraries counting(host.libraries);
  world_ = std::make_unique<testing::LedgerWorld>(own_system_->path(), &counting);
  ASSERT_NE(world_->companies.FindCompany("09"), nullptr);

  const std::uint64_t before = testing::FaultyLibraries::calls();
  EXPECT_EQ(Walk("09", "*-1*-*", kIterateChart),
            (Accounts{"1000-1A-100", "2000-1A-100", "1000-10-100", "2000-10-100", "end 1"}));
  // A seek for each profit-center prefix the tokens fix ("1", "0000001"; the lettered
  // field begins with "1"), then a seek and a step per record to the end of the chart:
  // each record is read once.
  EXPECT_EQ(testing::FaultyLibraries::calls() - before, 8u);
  // The written form fixes a prefix no field has: its token reads nothing, and the first
  // account comes at the mapped form's first match, not after the whole chart.
  EXPECT_EQ(Walk("09", "*-2*-*", kIterateChart), (Accounts{"1000-20-100", "end 1"}));
  LedgerServices services = world_->services(kWindow);
  AccountIteration first(services);
  const std::uint64_t before_first = testing::FaultyLibraries::calls();
  ASSERT_EQ(first.First(MakeAccountRequest("*-2*-*", "2002", "1"),
                        *world_->companies.FindCompany("09"), kIterateChart, false),
            kIterationRecord);
  EXPECT_EQ(first.record().substr(0, 24), "000010000000002000000100");
  // The two seeks, then 1000-10-100 and 1000-20-100.
  EXPECT_EQ(testing::FaultyLibraries::calls() - before_first, 2u + 2u);
  // Another read lands in the record manager's shared buffer, not in the delivered record.
  std::string other = ledger::AccountFileKey("000020000000001000000100").value;
  other.resize(kKeyBufferSize, '\0');
  ASSERT_EQ(
      world_->records.GetEqual(world_->companies.FindCompany("09")->files[kAccountSlot].position,
                               nullptr, other.data(), 0),
      0);
  EXPECT_EQ(first.record().substr(0, 24), "000010000000002000000100");
  EXPECT_EQ(Walk("09", "*-1*-*", kIterateChart, kRangeAllSegments, "2002", false).back(), "end 17");
  EXPECT_EQ(world_->errors.text(),
            "R7 [Tessary] Cannot sum accounts of different types - 1000-10-100");
  world_.reset();  // before the libraries it binds through
}

TEST_F(AccountIterationTest, AConfirmedStopIsNotAnEnd) {
  LedgerServices services = world_->services(kWindow);
  AccountIteration iteration(services);
  ASSERT_EQ(iteration.First(MakeAccountRequest("*", "2002", "1"),
                            *world_->companies.FindCompany("02"), kIterateChart, true),
            kIterationRecord);
  world_->fake.input.stop_requested = true;
  world_->fake.message_boxes.set_answer(platform::answer::kNo);
  EXPECT_EQ(iteration.Next(), kIterationRecord);  // not confirmed: the walk goes on
  world_->fake.message_boxes.set_answer(platform::answer::kYes);
  EXPECT_EQ(iteration.Next(), kIterationStopped);
  EXPECT_EQ(iteration.Next(), kIterationStopped);
  EXPECT_EQ(iteration.delivered(), 2u);
}

TEST_F(AccountIterationTest, EntitiesFileIsCreatedFilledAndReadBackWhole) {
  own_system_ = std::make_unique<testing::FixtureDirectory>(testing::BuildFixture("accounts"));
  Open(own_system_->path());
  CompanyContext& company = *world_->companies.FindCompany("03");
  ASSERT_FALSE(company.entities.exists);
  EntitiesFile entities(world_->records, world_->companies, world_->fake.files);
  ASSERT_EQ(entities.Create(company), 0);
  EXPECT_TRUE(company.entities.exists);
  const std::string long_list = "1000,2000,4000,4100,4990,4995,5000";  // 34 characters
  const std::string long_name(60, 'N');
  ASSERT_EQ(entities.Add(company, 101, long_list, "SOME ACCOUNTS"), 0);
  ASSERT_EQ(entities.Add(company, 101, "SOME", "FEW"), 0);
  ASSERT_EQ(entities.Add(company, 1, "4000", "Sales from the file"), 0);
  ASSERT_EQ(entities.Add(company, 1, std::string(140, '7'), long_name), 0);
  ASSERT_EQ(entities.Add(company, 2, "10", "East"), 0);

  EXPECT_EQ(entities.LookupEntity(company, "some accounts", 1), long_list);
  EXPECT_EQ(entities.LookupEntity(company, "Sales from the file", 1), "4000");
  EXPECT_EQ(entities.LookupEntity(company, "SOME ACCOUNTS", 2), std::nullopt);
  EXPECT_EQ(entities.LookupEntity(company, std::string(51, 'N'), 1), std::nullopt);
  EXPECT_EQ(entities.LookupEntity(company, std::string(50, 'N'), 1), std::string(130, '7'));

  EXPECT_EQ(entities.ListEntityRecords(company, 1, EntityListMode::kBoth, false).main,
            (Accounts{"FEW", "SOME ACCOUNTS", "4000; Sales from the file",
                      std::string(29, '7') + "; " + std::string(50, 'N')}));
  EntityLists pairs = entities.ListEntityRecords(company, 1, EntityListMode::kEntities, true);
  EXPECT_EQ(pairs.main, (Accounts{"SOME", long_list}));
  EXPECT_EQ(pairs.second, (Accounts{"FEW", "SOME ACCOUNTS"}));
  EXPECT_EQ(
      entities.ListEntityRecords(company, 1, EntityListMode::kValues, false, "3*,4000..4999").main,
      Accounts{"4000; Sales from the file"});
  EXPECT_EQ(JoinValueDescriptions({"10", "20"}, {"East", ""}), (Accounts{"10; East", "20"}));

  // Entity names now expand in account specifiers of that company.
  EXPECT_EQ(Walk("03", "SOME ACCOUNTS-10", kIterateChart),
            (Accounts{"1000-10-100", "2000-10-100", "4000-10-100", "4100-10-100", "4990-10-100",
                      "4995-10-100", "5000-10-200", "end 1"}));
}

}  // namespace
}  // namespace r7
