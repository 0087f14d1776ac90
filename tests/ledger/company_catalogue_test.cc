// The company catalogue over real ledger files.
#include "ledger/company_catalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <tuple>

#include "fakes/ledger_fixture.h"
#include "fakes/ledger_world.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;

// tests/fixtures/companies.json, built once, with the calendar of company 07 removed.
class CompanyCatalogueTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    system_ = testing::BuildFixture("companies");
    fs::remove(fs::path(system_) / "DATA_07" / "glprdv66.dat");
  }
  static void TearDownTestSuite() { fs::remove_all(system_); }

  CompanyCatalogue& catalogue() { return world_->companies; }
  ErrorReporter& errors() { return world_->errors; }
  std::string Info(std::string_view code, int item, std::string_view argument = "") {
    std::string out;
    int status = catalogue().CompanyInfo(out, code, item, argument);
    if (status != 0) return "status " + std::to_string(status) + ": " + errors().text();
    return out;
  }

  static inline std::string system_;
  std::unique_ptr<testing::LedgerWorld> world_ = std::make_unique<testing::LedgerWorld>(system_);
};

TEST_F(CompanyCatalogueTest, AnswersEveryInformationItem) {
  const std::tuple<const char*, int, const char*, const char*> cases[] = {
      {"01", 0, "", "One Segment Co"},
      {"01", 1, "", "3"},
      {"01", 6, "", "2002"},
      {"01", 8, "", "12"},
      {"01", 10, "", "1"},
      {"01", 15, "", "aaaa"},
      {"01", 20, "", "^"},
      {"01", 21, "", "1"},
      {"02", 1, "", "13"},
      {"02", 8, "", "13"},
      {"2", 6, "", "2003"},
      {"02", 15, "", "aaaa-aa"},
      {"02", 20, "", "^-^"},
      {"02", 21, "", "2"},
      {"05", 15, "", "aaaa-aa-aaa"},
      {"05", 20, "", "^-^-^"},
      {"5", 21, "", "3"},
      {"AB", 0, "", "Letter Code Co"},
      {"ab", 1, "", "7"},
      {"05", 7, "east", "^-^(10..19,30),(000..999,010)"},
      {"05", 7, "EAST1", "status 1: R7 [Tessary] No matching accounts found - EAST1"},
      {"05", 7, "west", "status 1: R7 [Tessary] No matching accounts found - west"},
      {"05", 7, "empty", "status 1: R7 [Tessary] No matching accounts found - empty"},
      {"05", 7, "wide", "status 1: R7 [Tessary] Range too long - wide"},
      {"05", 9, "", "status 1: R7 [Tessary] Function not supported"},
      {"07", 0, "", "status 10: R7 [Tessary] Can't open file - 07"},
      {"99", 0, "", "status 10: R7 [Tessary] Can't open file - 99"},
  };
  for (const auto& [code, item, argument, expected] : cases) {
    errors().Clear();
    EXPECT_EQ(Info(code, item, argument), expected) << code << " item " << item;
  }
}

TEST_F(CompanyCatalogueTest, TheCurrentPeriodSettingOverridesEveryCompany) {
  world_->settings.current_period = 5;
  EXPECT_EQ(Info("01", 1), "5");
  EXPECT_EQ(Info("02", 1), "5");
}

TEST_F(CompanyCatalogueTest, LoadsACompanyOnceAndSharesItBetweenSpellings) {
  CompanyContext* first = catalogue().FindCompany("01");
  EXPECT_EQ(catalogue().FindCompany("01"), first);
  EXPECT_EQ(catalogue().FindCompany("01 "), first);
  EXPECT_EQ(catalogue().FindCompany("01\t"), first);
  CompanyContext* other = catalogue().FindCompany("1");  // another context, same directory
  EXPECT_NE(other, first);
  EXPECT_EQ(other->data_directory, first->data_directory);
  EXPECT_EQ(catalogue().companies().size(), 2u);
  EXPECT_EQ(catalogue().companies().front().get(), other);  // newest first
}

TEST_F(CompanyCatalogueTest, KeepsTheLoadedCalendarKeysAndYears) {
  CompanyContext& one = *catalogue().FindCompany("01");
  ASSERT_EQ(one.status, 0);
  EXPECT_EQ(one.period_count, 12);
  EXPECT_EQ(one.period_starts[1], (CalendarDay{1, 2, 2002}));
  EXPECT_EQ(one.period_ends[11], (CalendarDay{31, 12, 2002}));
  EXPECT_EQ(one.period_ends[12], CalendarDay{});
  EXPECT_EQ(catalogue().YearList(one), (std::vector<int>{2002, 2001, 2000, 1999}));
  EXPECT_TRUE(one.files[kAccountSlot].open);
  EXPECT_TRUE(one.files[kBalanceSlot].open);
  EXPECT_TRUE(one.files[kComparativeSlot].open);  // left open by the year scan
  EXPECT_FALSE(one.files[kBudgetSlot].open);
  EXPECT_FALSE(one.files[kTransactionSlot].open);
  EXPECT_EQ(one.files[kAccountSlot].key_count, 4);
  EXPECT_EQ(one.files[kBalanceSlot].key_count, 3);
  EXPECT_EQ(one.files[kTransactionSlot].key_count, 3);

  CompanyContext& five = *catalogue().FindCompany("05");
  ASSERT_EQ(five.status, 0);
  for (const LedgerFileSlot& slot : five.files) EXPECT_EQ(slot.key_count, 1);
  EXPECT_EQ(catalogue().YearList(five), (std::vector<int>{2002}));
  EXPECT_TRUE(catalogue().YearList(*catalogue().FindCompany("07")).empty());
}

TEST_F(CompanyCatalogueTest, AFailedCompanyFailsEachCheckUntilDropped) {
  CompanyContext& failed = *catalogue().FindCompany("07");
  errors().SetError(22, "earlier");
  EXPECT_EQ(catalogue().CheckCompany(failed), 1);  // its own error replaces the pending one
  EXPECT_EQ(errors().text(), "R7 [Tessary] Can't open file - 07");
  EXPECT_EQ(catalogue().CheckCompany(*catalogue().FindCompany("01")), 0);
  catalogue().FindCompany("99");
  catalogue().DropFailedCompanies();
  ASSERT_EQ(catalogue().companies().size(), 1u);
  EXPECT_EQ(catalogue().companies().front()->code, "01");
  catalogue().CloseAllCompanies();
  EXPECT_TRUE(catalogue().companies().empty());
}

TEST_F(CompanyCatalogueTest, FreeOneLedgerFileClosesOneFileOfAnotherCompany) {
  CompanyContext& one = *catalogue().FindCompany("01");
  CompanyContext& two = *catalogue().FindCompany("02");
  ASSERT_EQ(catalogue().OpenLedgerFile(one, kTransactionFile), 0);
  EXPECT_EQ(catalogue().OpenLedgerFile(one, 4), 1);  // no such index
  catalogue().FreeOneLedgerFile(&two);
  EXPECT_FALSE(one.files[kTransactionSlot].open);  // the least needed file goes first
  EXPECT_TRUE(one.files[kComparativeSlot].open);
  catalogue().FreeOneLedgerFile(&two);
  EXPECT_FALSE(one.files[kComparativeSlot].open);
  EXPECT_TRUE(two.files[kComparativeSlot].open);  // the requesting company is never touched
  catalogue().FreeOneLedgerFile(&one);
  EXPECT_FALSE(two.files[kComparativeSlot].open);
}

TEST(CompanyDataDirectoryTest, FollowsTheDirectoryNamingRule) {
  testing::LedgerWorld world("C:\\Tessary");
  // Under the System Directory; the empty code names that directory itself.
  EXPECT_EQ(world.companies.CompanyDataDirectory(""), "C:\\Tessary\\");
  const std::pair<const char*, const char*> cases[] = {
      {"0", "tutorial\\"}, {"00", "tutorial\\"}, {"1", "data\\"},     {"01", "data\\"},
      {"2", "data_02\\"},  {"02", "data_02\\"},  {"15", "data_15\\"}, {"ACME", "ACME\\"},
      {"AB", "data_AB\\"}, {"7 ", "data_07\\"}};
  for (auto [code, directory] : cases)
    EXPECT_EQ(world.companies.CompanyDataDirectory(code), "C:\\Tessary\\" + std::string(directory))
        << code;
}

TEST(CompanyCodesMatchTest, ComparesShortCodesOnTheirFirstCharacters) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"01", "01", true},        {"01", "01 ", true},  {"ab", "AB", true},
      {"1", "01", false},        {"01", "02", false},  {"ACME", "acme", true},
      {"ACME1", "ACME2", false}, {"12 x", "12", true}, {"123", "123 ", true}};
  for (auto [a, b, match] : cases) EXPECT_EQ(CompanyCodesMatch(a, b), match) << a << "|" << b;
}

// Damaged company and calendar files fail the load with 10, never a read past their end.
TEST(CompanyLoadTest, RefusesDamagedCompanyFiles) {
  testing::FixtureDirectory system(testing::BuildFixture("companies"));
  const fs::path dir = fs::path(system.path()) / "DATA";
  auto read = [&](const char* name) {
    std::ifstream in(dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  const std::string company = read("compfile.dat"), calendar = read("glprdv66.dat");
  auto with = [](std::string image, std::size_t at, const char* text) {
    return image.replace(at, std::strlen(text), text);
  };
  const std::tuple<const char*, std::string, std::string, int> cases[] = {
      {"intact", company, calendar, 0},
      {"company file cut short", company.substr(0, 186), calendar, 10},
      {"segment length not a digit", with(company, 185, "x"), calendar, 10},
      {"main account of length 0", with(company, 184, "0"), calendar, 10},
      {"segment length 9", with(company, 184, "9"), calendar, 10},
      {"calendar cut short", company, calendar.substr(0, 227), 10},
      {"no periods", company, with(calendar, 224, "00"), 10},
      {"fourteen periods", company, with(calendar, 224, "14"), 10},
      {"periods not digits", company, with(calendar, 224, "ab"), 10},
  };
  for (const auto& [what, company_file, calendar_file, status] : cases) {
    std::ofstream(dir / "compfile.dat", std::ios::binary | std::ios::trunc) << company_file;
    std::ofstream(dir / "glprdv66.dat", std::ios::binary | std::ios::trunc) << calendar_file;
    testing::LedgerWorld world(system.path());
    EXPECT_EQ(world.companies.FindCompany("01")->status, status) << what;
  }
}

}  // namespace
}  // namespace r7
