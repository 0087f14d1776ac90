// The Setup dialog worked as a person works it: what each control stores and OK saves, the
// year OK settles on, Browse and the company list, the company profile, and Cancel, which
// leaves the driver answering exactly as R7.INI says, even after a failed save.
#include <gtest/gtest.h>

#include <vector>

#include "fakes/ledger_fixture.h"
#include "fakes/run_program.h"
#include "tools/user_session.h"

namespace r7 {
namespace {

// The tutorial company, built once: Setup reads the ledger and never writes it.
const std::string& TutorialSystem() {
  static testing::FixtureDirectory system{testing::BuildFixtureText(
      testing::FileText(std::string(R7_SOURCE_DIR) + "/examples/tutorial.json"))};
  return system.path();
}

constexpr const char* kIni =
    "Company=00\nCurrent Year=2002\nRounding=1\nNA Label=0\nFinancial Entities File in GL Path=1\n";
constexpr const char* kOpen = "menu 102\ndialog SETUP\n";

// The last line a batch printed.
std::string LastLine(const std::string& output) {
  std::string text = output.substr(0, output.size() - 1);
  return text.substr(text.rfind('\n') + 1);
}

TEST(SetupTest, EachControlStoresItsSettingAndOkSavesIt) {
  struct Case {
    const char* actions;
    const char* key;
    const char* saved;
  } cases[] = {
      {"select 250 =OFF", "Current Period", "0"},
      {"select 250 =13", "Current Period", "13"},
      {"select 251 =1,000", "Scaling", "3"},
      {"select 252 =1", "Rounding", "3"},
      {"select 252 =None", "Rounding", "0"},
      {"check 234 1", "NA Label", "1"},
      {"check 1034 1", "ADPL Enabled", "1"},
      {"check 261 1", "Account Mapping", "2"},
      {"check 266 1", "Department Mapping", "1"},
      {"set 233 12345678901234567890", "Zero Label", "1234567890123456"},
      {"set 232 07", "Revision", "07"},
      {"select 237 =2000", "Current Year", "2000"},
      {"set 237 ", "Current Year", "2002"},  // the company's fiscal year
      {"set 237 1899", "Current Year", "2002"},
      {"set 230 07 (typed)", "Company", "07"},
      {"", "Company", "00"},  // the first three characters of the entry, blanks removed
  };
  for (const Case& c : cases) {
    testing::UserSession session(TutorialSystem(), kIni);
    session.Run(std::string(kOpen) + c.actions + "\npress 1\n");
    EXPECT_EQ(session.Ini(c.key), c.saved) << c.actions;
  }
}

// What OK stores for a year below 1900: the company's fiscal year, else the clock's, else
// 1990; a changed year becomes the drill-down's year too.
TEST(SetupTest, OkSettlesTheYear) {
  const testing::FixtureDirectory year_2001{testing::BuildFixtureText(
      R"({"companies": [{"directory": "DATA", "name": "Last Year Co", "segment_lengths": [4],
          "periods": [["20010101", "20011231"]], "current_period": 1}]})")};
  struct Case {
    const char* company;
    int clock_year;
    const char* year;
  } cases[] = {
      {"01", 2003, "2001"},
      {"99", 2003, "2003"},  // no such company
      {"99", 1850, "1990"},
  };
  for (const Case& c : cases) {
    testing::UserSession session(year_2001.path(), "Current Year=1999\n");
    session.clock.today.year = c.clock_year;
    session.Run(std::string(kOpen) + "set 230 " + c.company + "\nset 237 \npress 1\n");
    EXPECT_EQ(session.Ini("Current Year"), c.year) << c.company << " " << c.clock_year;
    EXPECT_EQ(session.driver.session().drill.year, c.year);
  }
}

TEST(SetupTest, WorksheetFunctionsAnswerWithTheNewSettingsAfterOk) {
  struct Case {
    const char* actions;
    const char* answer;
  } cases[] = {
      {"", "0\t-395410.38"},
      {"select 252 =1", "0\t-395410."},                    // rounded to whole units
      {"select 252 =1\nselect 251 =1,000", "0\t-395.41"},  // rounded, then divided
      {"select 252 =100\nselect 251 =10", "0\t-39540."},
  };
  for (const Case& c : cases) {
    testing::UserSession session(TutorialSystem(), kIni);
    const std::string output =
        session.Run(std::string(kOpen) + c.actions + "\npress 1\n100\tREVENUE-*-*;Year\n");
    EXPECT_EQ(LastLine(output), c.answer) << c.actions;
  }
}

// Browse takes the directory two levels above the compfile.dat chosen; the companies there
// are listed, and the loaded ones are forgotten.
TEST(SetupTest, BrowseSetsTheSystemDirectoryAndListsItsCompanies) {
  const std::string& other = testing::SharedFixture("companies");
  testing::UserSession session(TutorialSystem(), kIni);
  EXPECT_EQ(session.Run(std::string(kOpen) + "choose " + other +
                        "\\DATA_02\\compfile.dat\npress 1000\nshow 231\nshow 230\n"),
            "0\t\n0\tSetup - Tessary\n0\t\nfile\tBrowse\t" + other +
                "\\\\DATA_02\\\\compfile.dat\n0\t\n0\t" + other +
                "\n0\t\\nAB    Letter Code Co                \\n07    Calendar Lost Co             "
                " \\n05    Three Segment Co   "
                "           \\n02    Two Segment Co                \\n01    One Segment Co   "
                "             \n");
  EXPECT_EQ(session.driver.settings().system_directory, other);
  // A cancelled choice changes nothing.
  EXPECT_EQ(session.Run("dialog SETUP\nchoose\npress 1000\nshow 231\n"),
            "0\tSetup - Tessary\n0\t\nfile\tBrowse\t\n0\t\n0\t" + other + "\n");
}

TEST(SetupTest, CompanyProfileGoesToTheClipboardAndABox) {
  testing::UserSession session(TutorialSystem(), kIni);
  const std::string profile =
      "Company: 00\\r\\nName: Harbour Light Supplies Ltd\\r\\nCurrent Period: 5\\r\\n"
      "Periods Per Year: 12\\r\\nYear: 2002\\r\\nAccount Code Structure: nnnn-aa-aaa\\r\\n"
      "Number of Segments: 3\\r\\n";
  EXPECT_EQ(session.Run(std::string(kOpen) + "check 260 1\npress 270\nclipboard\n"),
            "0\t\n0\tSetup - Tessary\n0\t1\nbox\tR7 [Tessary]\t" + profile + "\n0\t\n0\t" +
                profile + "\n");
  // A company that cannot be loaded has no profile: its error shows, the clipboard stays.
  EXPECT_EQ(session.Run("dialog SETUP\nset 230 99\npress 270\n"),
            "0\tSetup - Tessary\n0\t99\nbox\tR7 [Tessary]\tCan't open file - 99\n0\t\n");
  EXPECT_EQ(LastLine(session.Run("clipboard\n")), "0\t" + profile);
}

// Cancel reads R7.INI again, and the driver answers as it did before the dialog: the
// companies of the System Directory, the period and the rounding the file holds, even when
// the entities setup's save failed part way in between.
TEST(SetupTest, CancelRestoresWhatR7IniHeldEvenAfterAFailedSave) {
  const std::string& other = testing::SharedFixture("companies");
  testing::UserSession session(TutorialSystem(), kIni);
  const std::string calls = "100\tREVENUE-*-*;Month\n19\tList=Companies,NoShow=1\nclipboard\n";
  const std::string before = session.Run(calls);
  const std::vector<std::string> keys = {"Rounding", "System Directory", "Current Period",
                                         "Financial Entities File in GL Path"};
  std::vector<std::string> held;
  for (const std::string& key : keys) held.push_back(session.Ini(key));
  session.Run(std::string(kOpen) + "select 252 =1\nselect 250 =3\nset 231 " + other +
              "\npress 2220\ndialog FESETUP\ncheck 3101 1\n");
  session.profiles.FailWriteNumber(9);  // after Company ... Current Period are written
  EXPECT_EQ(session.Run("dialog FESETUP\npress 1\n"),
            "0\tR7 Financial Entities Setup\nbox\tR7 [Tessary]\tThe .INI file could not be "
            "written.\n0\t\n");
  for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(session.Ini(keys[i]), held[i]) << keys[i];
  session.Run("dialog SETUP\npress 2\n");
  EXPECT_EQ(session.Run(calls), before);
  EXPECT_EQ(session.driver.settings().entities_file_in_gl_path, 1);
}

}  // namespace
}  // namespace r7
