// Changes to a company's financial entities file, record by record, and the whole file
// written anew beside it and put in its place.
#include "ledger/entities_file_edit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "fakes/ledger_fixture.h"
#include "fakes/ledger_world.h"
#include "ledger/entities_file.h"
#include "ledger/entities_file_replacement.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

class EntitiesFileEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_.settings.entities_file_in_gl_path = 1;
    company_ = world_.companies.FindCompany("03");
    ASSERT_NE(company_, nullptr);
    ASSERT_EQ(file_.Create(*company_), 0);
    ASSERT_EQ(file_.Open(*company_), 0);
  }

  EntitiesFileEdit Edit() { return EntitiesFileEdit(world_.records, company_->entities.position); }

  // Every record of segment `segment`: entities first ("name=specifier"), then values.
  Entries All(int segment) {
    EntityLists lists = file_.ListEntityRecords(*company_, segment, EntityListMode::kBoth, true);
    Entries all;
    for (std::size_t i = 0; i < lists.main.size(); ++i) {
      all.push_back(lists.second[i] + "=" + lists.main[i]);
    }
    return all;
  }

  std::string SadPath() { return world_.companies.EntitiesFilePath(*company_); }

  testing::FixtureDirectory system_{testing::BuildFixture("accounts")};
  testing::LedgerWorld world_{system_.path()};
  EntitiesFile file_{world_.records, world_.companies, world_.fake.files};
  CompanyContext* company_ = nullptr;
};

TEST_F(EntitiesFileEditTest, EachChangeKeepsWhatItDoesNotTouch) {
  ASSERT_EQ(file_.Add(*company_, 1, "4000", "Sales"), 0);
  ASSERT_EQ(file_.Add(*company_, 1, "5000", "NA"), 0);
  ASSERT_EQ(file_.Add(*company_, 1, "5000", "Costs"), 0);
  ASSERT_EQ(file_.Add(*company_, 1, "6000", ""), 0);
  ASSERT_EQ(file_.Add(*company_, 101, "4000..4999", "SALES"), 0);
  ASSERT_EQ(file_.Add(*company_, 101, "1000", "SALES"), 0);  // a second of the name
  ASSERT_EQ(file_.Add(*company_, 101, "5000", "COSTS"), 0);
  const std::string forty(40, '4');
  const std::string shown_forty = "Forty=" + std::string(29, '4');  // the list shows 29

  struct Case {
    const char* what;
    std::function<int(EntitiesFileEdit&)> change;
    Entries after;  // segment 1's records
  } cases[] = {
      {"a value of the same description in another case is left alone",
       [](EntitiesFileEdit& e) { return e.PutValue(1, "4000", "SALES", true); },
       {"COSTS=5000", "SALES=4000..4999", "SALES=1000", "Sales=4000", "NA=5000", "Costs=5000",
        "=6000"}},
      {"without update a present value keeps its description",
       [](EntitiesFileEdit& e) { return e.PutValue(1, "4000", "Revenue", false); },
       {"COSTS=5000", "SALES=4000..4999", "SALES=1000", "Sales=4000", "NA=5000", "Costs=5000",
        "=6000"}},
      {"a present value takes the new description in place",
       [](EntitiesFileEdit& e) { return e.PutValue(1, "4000", "Revenue", true); },
       {"COSTS=5000", "SALES=4000..4999", "SALES=1000", "Revenue=4000", "NA=5000", "Costs=5000",
        "=6000"}},
      {"a missing value is added, whole beyond 30 characters",
       [&](EntitiesFileEdit& e) { return e.PutValue(1, forty, "Forty", true); },
       {"COSTS=5000", "SALES=4000..4999", "SALES=1000", "Revenue=4000", shown_forty, "NA=5000",
        "Costs=5000", "=6000"}},
      {"only the placeholder description of a value goes",
       [](EntitiesFileEdit& e) { return e.DeleteValue(1, "5000", "na"); },
       {"COSTS=5000", "SALES=4000..4999", "SALES=1000", "Revenue=4000", shown_forty, "Costs=5000",
        "=6000"}},
      {"records without a name go",
       [](EntitiesFileEdit& e) { return e.DeleteNamed(1, ""); },
       {"COSTS=5000", "SALES=4000..4999", "SALES=1000", "Revenue=4000", shown_forty, "Costs=5000"}},
      {"an entity takes its new specifier and is the only one of its name",
       [](EntitiesFileEdit& e) { return e.PutNamed(101, "sales", "4000..4500"); },
       {"COSTS=5000", "SALES=4000..4500", "Revenue=4000", shown_forty, "Costs=5000"}},
      {"a new entity is added",
       [](EntitiesFileEdit& e) { return e.PutNamed(101, "ALL", "*"); },
       {"ALL=*", "COSTS=5000", "SALES=4000..4500", "Revenue=4000", shown_forty, "Costs=5000"}},
      {"an entity goes by its name, a value by its value",
       [](EntitiesFileEdit& e) {
         const int status = e.DeleteNamed(101, "Costs");
         return status != 0 ? status : e.DeleteValue(1, "4000");
       },
       {"ALL=*", "SALES=4000..4500", shown_forty, "Costs=5000"}},
  };
  for (const Case& c : cases) {
    EntitiesFileEdit edit = Edit();
    EXPECT_EQ(c.change(edit), 0) << c.what;
    EXPECT_EQ(All(1), c.after) << c.what;
  }
  // A value longer than the list shows is found whole from what the list shows.
  EntitiesFileEdit edit = Edit();
  EXPECT_EQ(edit.FindValueStartingWith(1, std::string(29, '4'))->value, forty);
  EXPECT_EQ(edit.FindValue(1, forty)->description, "Forty");
  EXPECT_FALSE(edit.FindValueStartingWith(1, "41").has_value());
  EXPECT_EQ(edit.FindName(101, "sales")->value, "4000..4500");
  EXPECT_EQ(file_.LookupEntity(*company_, "SALES", 1), "4000..4500");
}

// A new file replaces the company's only when committed: abandoned, the old file stays
// exactly as it was, and nothing is left beside it.
TEST_F(EntitiesFileEditTest, ANewFileTakesThePlaceOfTheOldOnlyWhenCommitted) {
  ASSERT_EQ(file_.Add(*company_, 101, "4000..4999", "SALES"), 0);
  ASSERT_EQ(file_.Add(*company_, 1, "4000", "Sales"), 0);
  const Entries old_records = All(1);
  const std::string new_path = SadPath() + ".new";
  auto replace = [&](bool keep, bool commit) {
    EntitiesFileReplacement replacement(world_.records, world_.companies, world_.fake.files,
                                        *company_);
    EXPECT_EQ(replacement.Begin(keep), 0);
    EntitiesFileEdit(world_.records, replacement.position()).PutValue(1, "4000", "Revenue", true);
    EntitiesFileEdit(world_.records, replacement.position()).PutValue(1, "5000", "Costs", true);
    return commit ? replacement.Commit() : 1;
  };

  replace(true, false);
  EXPECT_EQ(All(1), old_records);
  EXPECT_FALSE(world_.fake.files.FileExists(new_path));

  EXPECT_EQ(replace(true, true), 0);  // the old records kept, the values refreshed
  EXPECT_TRUE(company_->entities.open);
  EXPECT_EQ(All(1), (Entries{"SALES=4000..4999", "Revenue=4000", "Costs=5000"}));
  EXPECT_FALSE(world_.fake.files.FileExists(new_path));

  EXPECT_EQ(replace(false, true), 0);  // a new file holds the new values alone
  EXPECT_EQ(All(1), (Entries{"Revenue=4000", "Costs=5000"}));

  // What cannot be put in place leaves the place as it was.
  file_.Close(*company_);
  fs::remove(world_.fake.files.NativePath(SadPath()));
  fs::create_directory(world_.fake.files.NativePath(SadPath()));
  {
    EntitiesFileReplacement replacement(world_.records, world_.companies, world_.fake.files,
                                        *company_);
    ASSERT_EQ(replacement.Begin(true), 0);
    EXPECT_EQ(replacement.Commit(), kEntitiesFileNotReplaced);
  }
  EXPECT_TRUE(fs::is_directory(world_.fake.files.NativePath(SadPath())));
  EXPECT_FALSE(world_.fake.files.FileExists(new_path));
}

}  // namespace
}  // namespace r7
