// The Data Preload dialog: its boxes after each refresh, the loads it runs, UnLoad, and the
// automatic-preload switch with the settings it writes.
#include <gtest/gtest.h>

#include "fakes/desktop_session.h"
#include "fakes/ledger_fixture.h"
#include "preload/preload_settings.h"
#include "resources/data_preload_dialog_ids.h"

namespace r7 {
namespace {

constexpr char kSection[] = "R7 for Tessary";

class DataPreloadTest : public ::testing::Test {
 protected:
  void Open() {
    session_.Menu(110);
    dialog_ = session_.Dialog("TURBO");
  }
  preload::PreloadSettings& Preload(const char* code) {
    return preload::PreloadOf(*session_.driver.companies().FindCompany(code));
  }
  std::string Ini(const std::string& key) {
    return session_.fake.profiles.Get(kSection, key).value_or("(none)");
  }
  testing::DesktopSession session_{testing::SharedFixture("balances"),
                                   "Company=01\nCurrent Year=2002\nRevision=01\n"
                                   "ADPL Company On 03=1\n"};
  platform::WindowId dialog_ = platform::kNoWindow;
};

TEST_F(DataPreloadTest, EachRefreshShowsTheCompanysPreloadAndItsSwitch) {
  Open();
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_COMPANY).selected, 0);
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_COMPANY).text.substr(0, 2), "01");
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_SWITCH).text, "ADPL Off");
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_ACCOUNT).text, "");
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_REVISION).text, "01");
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_YEAR).text, "2002");
  EXPECT_TRUE(session_.Show(dialog_, R7_TURBO_THIS_YEAR).checked);
  EXPECT_FALSE(session_.Show(dialog_, R7_TURBO_LAST_YEAR).checked);
  EXPECT_FALSE(session_.Show(dialog_, R7_TURBO_BUDGET).checked);
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_RECORDS).text, "0");
  EXPECT_FALSE(session_.Show(dialog_, R7_TURBO_UNLOAD).enabled);

  // Company 03 has its switch on; a load there with revision 05 leaves 05 its revision,
  // which the next refresh shows again.
  const std::vector<std::string> entries = session_.Show(dialog_, R7_TURBO_COMPANY).entries;
  session_.Choose(dialog_, R7_TURBO_COMPANY, entries[2]);
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_SWITCH).text, "ADPL On");
  session_.Type(dialog_, R7_TURBO_REVISION, "05");
  session_.Press(dialog_, platform::kOkButton);
  EXPECT_EQ(Preload("03").request.specifier, "*-*");  // an empty Account box, two segments
  session_.Choose(dialog_, R7_TURBO_COMPANY, entries[0]);
  session_.Choose(dialog_, R7_TURBO_COMPANY, entries[2]);
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_REVISION).text, "05");
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_ACCOUNT).text, "*-*");
}

// Which loads Load runs for the boxes checked, and what UnLoad leaves.
TEST_F(DataPreloadTest, LoadRunsOneLoadForTheYearsAndOneForTheBudget) {
  Open();
  const struct {
    bool this_year, last_year, budget;
    std::size_t selections;
  } cases[] = {{false, false, false, 0},
               {true, false, false, 1},
               {true, false, true, 2},
               {false, true, true, 2}};
  for (const auto& c : cases) {
    session_.Check(dialog_, R7_TURBO_THIS_YEAR, c.this_year);
    session_.Check(dialog_, R7_TURBO_LAST_YEAR, c.last_year);
    session_.Check(dialog_, R7_TURBO_BUDGET, c.budget);
    session_.Press(dialog_, platform::kOkButton);
    const preload::PreloadSettings& preload = Preload("01");
    EXPECT_EQ(preload.caches.size(), c.selections);
    EXPECT_EQ(preload.request.specifier, "*-*-*");
    EXPECT_EQ(session_.Show(dialog_, R7_TURBO_UNLOAD).enabled, c.selections != 0);
    if (c.selections == 0) {
      EXPECT_EQ(session_.Show(dialog_, R7_TURBO_RECORDS).text, "0");
    } else {
      EXPECT_EQ(preload.caches.front().request.budget, c.budget);
      EXPECT_NE(session_.Show(dialog_, R7_TURBO_RECORDS).text, "0");
    }
    EXPECT_TRUE(session_.BoxTexts().empty());
    session_.Press(dialog_, R7_TURBO_UNLOAD);
    EXPECT_FALSE(Preload("01").loaded);
    EXPECT_FALSE(session_.Show(dialog_, R7_TURBO_UNLOAD).enabled);
    EXPECT_EQ(session_.Show(dialog_, R7_TURBO_RECORDS).text, "0");
  }
}

TEST_F(DataPreloadTest, TheSwitchTurnsOverAndWritesTheCompanysSettings) {
  Open();
  session_.Type(dialog_, R7_TURBO_ACCOUNT, "4000-*-*");
  session_.Check(dialog_, R7_TURBO_LAST_YEAR, true);
  session_.Press(dialog_, R7_TURBO_SWITCH);
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_SWITCH).text, "ADPL On");
  EXPECT_EQ(Ini("ADPL Company On 01"), "1");
  EXPECT_EQ(Ini("ADPL Account 01"), "4000-*-*");
  EXPECT_EQ(Ini("ADPL Year 01"), "2002");
  EXPECT_EQ(Ini("ADPL Budget 01"), "01");
  EXPECT_EQ(Ini("ADPL This Year On 01"), "1");
  EXPECT_EQ(Ini("ADPL Last Year On 01"), "1");
  EXPECT_EQ(Ini("ADPL Budget On 01"), "0");
  session_.Press(dialog_, R7_TURBO_SWITCH);
  EXPECT_EQ(session_.Show(dialog_, R7_TURBO_SWITCH).text, "ADPL Off");
  EXPECT_EQ(Ini("ADPL Company On 01"), "0");
}

TEST_F(DataPreloadTest, AnInvalidAccountLoadsNothing) {
  Open();
  session_.Type(dialog_, R7_TURBO_ACCOUNT, "4000-1234-*");
  session_.Press(dialog_, platform::kOkButton);
  EXPECT_EQ(session_.BoxTexts(), std::vector<std::string>{"R7 [Tessary] Invalid length for account "
                                                          "specifier - 4000-1234-*"});
  EXPECT_TRUE(Preload("01").caches.empty());
}

// A load that fails resets the company's preload, but the settings it saves are what the
// dialog asked, not the reset ones.
TEST(DataPreloadFailureTest, AFailedLoadKeepsTheAutomaticPreloadSettings) {
  // An item of the account specifier that finds no account, after another one did: the
  // walk ends early, and the load fails.
  testing::FixtureDirectory system{testing::BuildFixtureText(R"({"companies": [{
      "directory": "DATA", "name": "Small Co", "segment_lengths": [4],
      "periods": [["20020101", "20020131"]], "current_period": 1,
      "accounts": [{"account": "1000", "description": "Cash", "type": "B"}]}]})")};
  testing::DesktopSession session{system.path(), "Company=01\nCurrent Year=2002\nNA Label=0\n"};
  session.Menu(110);
  const platform::WindowId dialog = session.Dialog("TURBO");
  session.Type(dialog, R7_TURBO_ACCOUNT, "1000,9999");
  session.Check(dialog, R7_TURBO_LAST_YEAR, true);
  session.Press(dialog, platform::kOkButton);
  EXPECT_EQ(session.BoxTexts(),
            std::vector<std::string>{"DataPreLoad failed. Check the parameters or "
                                     "try a smaller segment of the GL."});
  EXPECT_EQ(session.fake.profiles.Get(kSection, "ADPL Account 01"), "1000,9999");
  EXPECT_EQ(session.fake.profiles.Get(kSection, "ADPL Last Year On 01"), "1");
}

}  // namespace
}  // namespace r7
