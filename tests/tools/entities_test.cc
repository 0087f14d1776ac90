// The financial entities dialogs worked as a person works them, over the tutorial company
// and its entities file: what SAD stores is what account specifiers resolve (the preload
// cache's remembered expansions included); a rebuild keeps the entities; a stopped or
// failed rebuild or Create new leaves the file as it was; the setup's place and Cancel.
#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/ledger_fixture.h"
#include "fakes/run_program.h"
#include "tools/user_session.h"

namespace r7 {
namespace {

namespace fs = std::filesystem;

constexpr const char* kIni =
    "Company=00\nCurrent Year=2002\nRounding=1\nNA Label=0\nFinancial Entities File in GL Path=1\n";

class EntitiesTest : public ::testing::Test {
 protected:
  // The last line that `lines` printed.
  std::string Last(const std::string& lines) {
    std::string output = session_.Run(lines);
    output.pop_back();
    return output.substr(output.rfind('\n') + 1);
  }
  // What a balance call answers for the year.
  std::string Year(const std::string& specifier) {
    return Last("100\t" + specifier + "-*-*;Year\n");
  }
  std::string SadFile() { return testing::FileText(system_.path() + "/TUTORIAL/00.sad"); }

  testing::FixtureDirectory system_{testing::BuildFixtureText(
      testing::FileText(std::string(R7_SOURCE_DIR) + "/examples/tutorial.json"))};
  testing::UserSession session_{system_.path(), kIni};
};

constexpr const char* kRevenue = "0\t-395410.38";  // 4000..4999 over the year
constexpr const char* kSales = "0\t-323365.67";    // 4000 alone
constexpr const char* kNotInTheFile = "0\tR7 [Tessary] No matching accounts found - ";

TEST_F(EntitiesTest, WhatSadStoresIsWhatSpecifiersResolve) {
  ASSERT_EQ(Year("REVENUE"), kRevenue);
  struct Step {
    const char* what;
    const char* actions;  // in the SAD dialog
    const char* specifier;
    std::string answer;
  } steps[] = {
      {"an entity takes a new specifier",
       "check 2166 1\nset 2117 revenue\nset 2116 4000\npress 2129", "REVENUE", kSales},
      {"a value that looks like an entity, refused",
       "set 2117 4000..4999\nset 2116 WIDE\nanswer no\npress 2129", "WIDE",
       std::string(kNotInTheFile) + "WIDE-*-*"},
      {"the same, stored as an entity",
       "set 2117 4000..4999\nset 2116 WIDE\nanswer yes\npress 2129", "WIDE", kRevenue},
      {"a value's description stands for the value", "set 2117 6100\nset 2116 RENT\npress 2129",
       "RENT", "0\t22500."},
      {"a deleted entity is a plain value again", "check 2166 1\nset 2117 WIDE\npress 2128", "WIDE",
       std::string(kNotInTheFile) + "WIDE-*-*"},
  };
  for (const Step& step : steps) {
    session_.Run(std::string("menu 115\ndialog SAD\n") + step.actions + "\npress 2\n");
    EXPECT_EQ(Year(step.specifier), step.answer) << step.what;
  }
}

TEST_F(EntitiesTest, TheDialogShowsWhatTheFileHolds) {
  const std::string forty = "1234567890123456789012345678901234567890";
  const std::string listed = "12345678901234567890123456789; Forty";  // 29 characters shown
  EXPECT_EQ(
      session_.Run("menu 115\ndialog SAD\nshow 2117\nselect 2117 =4000; Sales\nshow 2116\n"
                   "check 2166 1\nshow 2164\nshow 2118\nshow 2117\nset 2117 REVENUE\n"
                   "show 2116\ncheck 2166 0\nset 2117 " +
                   forty + "\nset 2116 Forty\npress 2129\nset 2117 1000\nselect 2117 =" + listed +
                   "\nshow 2116\nshow 2117\n"),
      "0\t\n0\tR7 Maintain Financial Entities File\n0\t\\n1000; Bank\\n4000; Sales\n"
      "0\t4000\n0\tSales\n0\t1\n0\tFinancial Entity:\n"
      "0\tRebuild Entities File from GL (disabled)\n0\t\\nEXPENSES\\nREVENUE\n0\tREVENUE\n"
      "0\t4000..4999\n0\t0\n0\t" +
          forty +
          "\n0\tForty\n0\t\n0\t1000\n"
          // The value is read back whole, not as much of it as the list shows.
          "0\t" +
          forty + "\n0\tForty\n0\t" + forty + "\\n1000; Bank\\n*" + listed + "\\n4000; Sales\n");
}

// The preload cache remembers how it expanded a specifier; a change to the entities file
// makes it expand the specifier again.
TEST_F(EntitiesTest, APreloadedCompanyFollowsTheFile) {
  session_.Run(
      "20\tDPL Company=00,DPL Account=*-*-*,DPL Year=2002,DPL Load This Year=1,NoShow=1\n");
  ASSERT_EQ(Year("REVENUE"), kRevenue);
  session_.Run("menu 115\ndialog SAD\ncheck 2166 1\nset 2117 REVENUE\nset 2116 4000\npress 2129\n");
  EXPECT_EQ(Year("REVENUE"), kSales);
}

TEST_F(EntitiesTest, ARebuildKeepsTheEntitiesAndRefreshesTheValues) {
  EXPECT_EQ(session_.Run("menu 115\ndialog SAD\nset 2117 4000\nset 2116 Old sales\npress 2129\n"
                         "press 2118\n"),
            "0\t\n0\tR7 Maintain Financial Entities File\n0\t4000\n0\tOld sales\n0\t\n"
            "box\tR7 [Tessary]\tFinancial Entities File updated.\n0\t\n");
  EXPECT_EQ(session_.Run("dialog SAD\nshow 2117\nselect 2115 =Profit Center\nshow 2117\n"
                         "check 2166 1\nshow 2117\n"),
            "0\tR7 Maintain Financial Entities File\n"
            "0\t\\n1000; Bank - North\\n1100; Receivables - North\\n1200; Inventory - North\\n"
            "1500; Equipment\\n1510; Accum. depreciation\\n2000; Accounts payable\\n"
            "2100; Sales tax payable\\n2200; Accrued wages\\n2500; Bank loan\\n"
            "3000; Share capital\\n3900; Retained earnings\\n4000; Sales - North\\n"
            "4100; Service revenue - North\\n5000; Cost of goods sold - North\\n"
            "6000; Wages - Sales North\\n6100; Rent\\n6200; Utilities\\n6300; Office supplies\\n"
            "6400; Advertising - North\\n6500; Vehicle expenses - North\\n6600; Depreciation\\n"
            "6700; Insurance\\n7000; Interest expense\n"
            "0\tProfit Center\n0\t\\n10; North\\n20; South\n0\t1\n0\t\\nREGIONS\n");
  EXPECT_EQ(Year("REVENUE"), kRevenue);
}

// A rebuild the user stops, and a new file that cannot be made, leave the company's file
// exactly as it was, with nothing beside it.
TEST_F(EntitiesTest, WhatDoesNotFinishLeavesTheFileAsItWas) {
  const std::string before = SadFile();
  EXPECT_EQ(session_.Run("menu 115\ndialog SAD\nanswer yes\nstop\npress 2118\n"),
            "0\t\n0\tR7 Maintain Financial Entities File\n0\t\n0\t\n"
            "box\tR7 [Tessary]\tOK to stop?\n"
            "box\tR7 [Tessary]\tThe rebuild was stopped. The Financial Entities File is as it "
            "was.\n0\t\n");
  EXPECT_EQ(SadFile(), before);
  const std::string missing = system_.path() + "/no/such/place";
  EXPECT_NE(session_
                .Run("press 2\nmenu 102\ndialog SETUP\npress 2220\ndialog FESETUP\n"
                     "check 3101 1\nset 3102 " +
                     missing + "\nanswer ok\npress 3105\n")
                .find("Could not create/open Financial Entities file for write"),
            std::string::npos);
  EXPECT_EQ(SadFile(), before);
  EXPECT_FALSE(fs::exists(system_.path() + "/TUTORIAL/00.sad.new"));
}

// The place of the files: Other with no file there leaves entity names unresolved; Cancel
// puts the company's own file back in use; a new file made at another place holds the
// ledger's values alone, and OK saves the place.
TEST_F(EntitiesTest, TheSetupChoosesWhereTheFilesAre) {
  const std::string before = SadFile();
  const std::string other = testing::MakeTempDir("fe");
  session_.Run("menu 102\ndialog SETUP\npress 2220\ndialog FESETUP\ncheck 3101 1\n");
  EXPECT_EQ(Year("REVENUE"), "0\tR7 [Tessary] Invalid length for account specifier - REVENUE-*-*");
  session_.Run("dialog FESETUP\npress 2\n");
  EXPECT_EQ(Year("REVENUE"), kRevenue);

  EXPECT_EQ(session_.Run("dialog SETUP\npress 2220\ndialog FESETUP\ncheck 3101 1\nset 3102 " +
                         other + "\nanswer ok\npress 3105\ncheck 2031 1\npress 1\n"),
            "0\tSetup - Tessary\n0\t\n0\tR7 Financial Entities Setup\n"
            "box\tR7 [Tessary]\tFinancial Entities files are looked for in the location chosen "
            "here, one file per company. Files kept in the other location are not moved or "
            "copied. Choose Help for more information.\n0\t1\n0\t" +
                other +
                "\n0\t\n"
                "box\tR7 Create New Financial Entities File\tBuilding  new FE file using segment  "
                "values  for: \\r\\r   Company: 00\\r\\r(based  on  R7  Setup).\\r\\rWarning! Any "
                "existing file will be overwritten.\n"
                "box\tR7 [Tessary]\tFinancial Entities File updated.\n0\t\n0\t1\n0\t\n");
  EXPECT_EQ(Year("REVENUE"), "0\tR7 [Tessary] Invalid length for account specifier - REVENUE-*-*");
  EXPECT_EQ(Last("19\tList=Profit Center,NoShow=1\nclipboard\n"),
            "0\t'10; North\\r\\n'20; South\\r\\n");
  EXPECT_EQ(session_.Ini("Financial Entities File in GL Path"), "0");
  EXPECT_EQ(session_.Ini("FE File Path"), other);
  EXPECT_EQ(session_.Ini("Lists use Financial Entity file"), "1");
  EXPECT_EQ(SadFile(), before);
  fs::remove_all(other);
}

}  // namespace
}  // namespace r7
