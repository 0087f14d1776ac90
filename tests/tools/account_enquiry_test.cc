// The account enquiry: the account as segment values and as a function description, the
// boxes of three- and two-segment companies, Get Balance, the description on closing with
// the opener told, silent code 22, the period wizard's round trip and To Chart.
#include <gtest/gtest.h>

#include "fakes/desktop_session.h"
#include "fakes/ledger_fixture.h"
#include "resources/account_enquiry_ids.h"
#include "resources/chart_copy_ids.h"
#include "resources/period_wizard_ids.h"
#include "tools/account_enquiry/enquiry_account.h"

namespace r7 {
namespace {

using account_enquiry::FunctionRequest;

constexpr int kMain = R7_ENQ_SEGMENT_BASE;
constexpr int kProfitCenter = R7_ENQ_SEGMENT_BASE + 1;
constexpr int kDepartment = R7_ENQ_SEGMENT_BASE + 2;

TEST(EnquiryAccountTest, SegmentValuesOrientationsAndTheDescription) {
  struct Split {
    const char* account;
    std::vector<std::string> values;
  } splits[] = {
      {"1000-10-100", {"1000", "10", "100"}},
      {"(1000)(10)(100)", {"1000", "10", "100"}},
      {"*-*", {"*", "*"}},
      {"1000-10-100-7", {"1000", "10", "100"}},
      {"(4*)(10", {"4*", "10"}},
  };
  for (const Split& s : splits) EXPECT_EQ(account_enquiry::SegmentValues(s.account), s.values);
  EXPECT_EQ(account_enquiry::ValueOf("1000; Bank - North"), "1000");
  EXPECT_EQ(account_enquiry::GroupedAccount({"1000", "01", "200"}), "(1000)(01)(200)");
  for (auto [text, code] : std::vector<std::pair<const char*, int>>{
           {"Profit Center", -2}, {"department", -3}, {"Period", 2}, {"COMPANY", 3}, {"Year", 0}}) {
    EXPECT_EQ(account_enquiry::OrientationCode(text), code) << text;
  }

  FunctionRequest request{
      .orientation = 2,
      .segments = {{"Main", "1000"}, {"Profit Center", "01"}, {"Department", "200"}},
      .period = "Month",
      .company = "01",
      .year = "1999",
      .revision = "01"};
  ClipboardText text;
  EXPECT_EQ(account_enquiry::WriteDescription(request, text), "(1000)(01)(200)");
  EXPECT_EQ(text.text(),
            "1\r\n2\r\n3\r\nMain\t1000\r\nProfit Center\t01\r\nDepartment\t200\r\n"
            "Period\tMonth\r\nCompany\t01\r\nYear\t1999\r\nType\t01\r\n");
  request.segments[1].value.clear();
  ClipboardText cut;
  EXPECT_EQ(account_enquiry::WriteDescription(request, cut), "");
  EXPECT_EQ(cut.text(),
            "1\r\n2\r\n3\r\nMain\t1000\r\nProfit Center\t\r\n"
            "Period\tMonth\r\nCompany\t01\r\nYear\t1999\r\nType\t01\r\n");
}

class AccountEnquiryTest : public ::testing::Test {
 protected:
  void Open() {
    session_.Menu(116);
    session_.Use("ACCOUNT_INQUIRE");
  }
  void Pick(const char* main, const char* profit_center, const char* department) {
    session_.Type(kMain, main);
    session_.Type(kProfitCenter, profit_center);
    session_.Type(kDepartment, department);
  }

  testing::FixtureDirectory system_{testing::BuildFixtureText(R"({"companies": [
      {"directory": "DATA_AB", "name": "Three Segments", "segment_lengths": [4, 2, 3],
       "periods": [["20020101", "20020131"], ["20020201", "20020228"], ["20020301", "20020331"],
                   ["20020401", "20020430"], ["20020501", "20020531"]],
       "current_period": 5,
       "accounts": [{"account": "1000-10-100", "description": "Cash", "type": "B"},
                    {"account": "2000-20-100", "description": "Dust", "type": "B"}],
       "balances": [{"account": "1000-10-100", "opening": 0,
                     "periods": [0, 0, 0, 0, -1234.5, 0, 0, 0, 0, 0, 0, 0, 0]},
                    {"account": "2000-20-100", "opening": 0,
                     "periods": [0, 0, 0, 0, 0.0004, 0, 0, 0, 0, 0, 0, 0, 0]}]},
      {"directory": "DATA_02", "name": "Two Segments", "segment_lengths": [4, 2, 0],
       "periods": [["20020101", "20020131"]], "current_period": 1,
       "accounts": [{"account": "4000-10", "description": "Sales", "type": "P"}],
       "balances": [{"account": "4000-10", "opening": 0,
                     "periods": [-75, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]}]}]})")};
  testing::DesktopSession session_{system_.path(), "Company=AB\nCurrent Year=2002\nRevision=01\n"};
};

// Titles and values follow the company: three titled boxes, or two and an untitled,
// disabled third; the same code in lower case refills nothing, another empties the account.
TEST_F(AccountEnquiryTest, TheSegmentBoxesFollowTheCompany) {
  Open();
  struct Box {
    int title;
    int box;
    const char* title_text;
    std::vector<std::string> entries;
  } three[] = {{R7_ENQ_TITLE_BASE, kMain, "Main", {"1000", "2000"}},
               {R7_ENQ_TITLE_BASE + 1, kProfitCenter, "Profit Center", {"10", "20"}},
               {R7_ENQ_TITLE_BASE + 2, kDepartment, "Department", {"100"}}};
  for (const Box& b : three) {
    EXPECT_EQ(session_.Text(b.title), b.title_text);
    EXPECT_EQ(session_.State(b.box).entries, b.entries);
    EXPECT_TRUE(session_.State(b.box).enabled);
  }
  EXPECT_EQ(session_.Text(kMain), "*");  // the start-up's drill request: every account
  Pick("2000", "20", "100");
  session_.Type(R7_ENQ_COMPANY, "ab");
  EXPECT_EQ(session_.Text(kMain), "2000");  // nothing refilled
  session_.Type(R7_ENQ_COMPANY, "02");
  EXPECT_EQ(session_.Text(R7_ENQ_TITLE_BASE + 1), "Profit Center");
  EXPECT_EQ(session_.Text(R7_ENQ_TITLE_BASE + 2), "");
  EXPECT_FALSE(session_.State(kDepartment).enabled);
  EXPECT_FALSE(session_.State(R7_ENQ_TITLE_BASE + 2).enabled);
  EXPECT_EQ(session_.Text(kMain), "4000");
  EXPECT_EQ(session_.driver.session().drill.account, "");
  session_.Press(platform::kCancelButton);
  EXPECT_EQ(session_.Clipboard(),
            "1\r\n2\r\n2\r\nMain\t4000\r\nProfit Center\t10\r\nPeriod\tMonth\r\nCompany\t02\r\n"
            "Year\t2002\r\nType\t01\r\n");
}

TEST_F(AccountEnquiryTest, ListsFromAnEntitiesFileThatIsNotThereSaySo) {
  session_.Call(8, "Lists use Financial Entity file=1");
  Open();
  EXPECT_EQ(session_.Boxes(),
            std::vector<std::string>{
                "R7 [Tessary]|There is no Financial Entities file for this company. Use the "
                "Maintain Financial Entities File Utility to create one. - AB"});
}

TEST_F(AccountEnquiryTest, GetBalanceShowsTheAccountsBalance) {
  Open();
  struct Case {
    const char* main;
    const char* profit_center;
    const char* period;
    const char* balance;
    const char* box;
  } cases[] = {
      {"1000", "10", "Month", "(1,234.50)", nullptr},
      {"2000", "20", "Month", "0.00", nullptr},
      {"1000", "10", "Month 1", "0.00", nullptr},
      {"1000", "", "Month", "0.00", "You must enter all segments of the account code."},
      {"1000", "10", "Mnth", "0.00", "The period requested is invalid."},
      {"3000", "10", "Month", "0.00", "No matching accounts found - (3000)(10)(100)"},
  };
  for (const Case& c : cases) {
    session_.Type(R7_ENQ_PERIOD, c.period);
    Pick(c.main, c.profit_center, "100");
    session_.Type(R7_ENQ_BALANCE, "unchanged");
    session_.Boxes();
    session_.Press(R7_ENQ_GET_BALANCE);
    const std::vector<std::string> boxes = session_.Boxes();
    if (c.box == nullptr) {
      EXPECT_TRUE(boxes.empty()) << c.main;
      EXPECT_EQ(session_.Text(R7_ENQ_BALANCE), c.balance) << c.main;
    } else {
      EXPECT_EQ(boxes, std::vector<std::string>{std::string("R7 [Tessary]|") + c.box});
    }
  }
  EXPECT_EQ(session_.driver.session().drill.account, "(3000)(10)(100)");
}

// Closing hands the picked account to the window it came from, even after the period wizard
// came and went: the chart copy takes it as its accounts, and the description of the
// orientation chosen is on the clipboard.
TEST_F(AccountEnquiryTest, ClosingTellsTheChartCopyThatOpenedIt) {
  session_.Menu(103);
  session_.Use("CHARTCOPY");
  session_.Type(R7_CHART_COMPANY, "AB");
  session_.Press(R7_CHART_ACCOUNTS_BUTTON);
  session_.Use("ACCOUNT_INQUIRE");
  // The period wizard it opens meanwhile is not the window it tells.
  session_.Press(R7_ENQ_PERIOD_BUTTON);
  const platform::WindowId wizard = session_.Dialog("PERIODW");
  session_.Use("PERIODW");
  session_.Press(platform::kOkButton);
  // Windows gives the enquiry the activation back from the wizard as the wizard goes.
  session_.desktop.ui.Send(session_.Dialog("ACCOUNT_INQUIRE"),
                           platform::ActivateMessage(platform::activation::kActive, wizard));
  session_.Use("ACCOUNT_INQUIRE");
  Pick("1000", "10", "100");
  session_.Choose(R7_ENQ_ORIENTATION, "Department");
  session_.Choose(R7_ENQ_REVISION, "02");
  session_.Press(platform::kCancelButton);
  EXPECT_EQ(session_.OpenDialogs(), std::vector<std::string>{"CHARTCOPY"});
  EXPECT_EQ(session_.Clipboard(),
            "1\r\n-3\r\n3\r\nMain\t1000\r\nProfit Center\t10\r\nDepartment\t100\r\n"
            "Period\tThis Month\r\nCompany\tAB\r\nYear\t2002\r\nType\t02\r\n");
  session_.Use("CHARTCOPY");
  EXPECT_EQ(session_.Text(R7_CHART_PERIOD), "This Month");
  EXPECT_EQ(session_.Text(R7_CHART_ACCOUNT), "(1000)(10)(100)");
  EXPECT_EQ(session_.Text(R7_CHART_REVISION), "02");
}

// To Drill hands the drill-down the picked account through the session, up to a segment
// left empty, and opens it through the registry.
TEST_F(AccountEnquiryTest, ToDrillOpensTheDrillDownOnWhatWasPicked) {
  std::vector<std::string> opened_on;
  session_.driver.dialogs().RegisterFactory(DialogKind::kDrill, [&](platform::WindowId) {
    opened_on.push_back(session_.driver.session().drill.account);
    return platform::kNoWindow;
  });
  Open();
  Pick("1000", "10", "100");
  session_.Press(R7_ENQ_TO_DRILL);
  Pick("1000", "", "100");
  session_.Press(R7_ENQ_TO_DRILL);
  EXPECT_EQ(opened_on, (std::vector<std::string>{"(1000)(10)(100)", "(1000)"}));
  EXPECT_EQ(session_.Boxes(), std::vector<std::string>{
                                  "R7 [Tessary]|You must enter all segments of the account code."});
}

// Silent code 22 turns the last balance request into a description.
TEST_F(AccountEnquiryTest, SilentCodeDescribesTheLastRequest) {
  session_.Call(100, "1000-10-100;Month 3;AB;2002");
  session_.Call(22, "NoShow=1");
  EXPECT_EQ(session_.Clipboard(),
            "1\r\n2\r\n3\r\nMain\t1000\r\nProfit Center\t10\r\nDepartment\t100\r\n"
            "Period\tMonth 3\r\nCompany\tAB\r\nYear\t2002\r\nType\t01\r\n");
  EXPECT_TRUE(session_.OpenDialogs().empty());
}

// The period wizard's dates come from the calendar of the enquiry's company, which the
// enquiry hands it when it starts, not from the Company setting's.
TEST_F(AccountEnquiryTest, ThePeriodWizardTakesTheEnquirysCompany) {
  Open();
  session_.Press(R7_ENQ_PERIOD_BUTTON);
  session_.Use("PERIODW");
  EXPECT_EQ(session_.Text(R7_PWIZ_FROM), "01May2002");  // AB's current period
  session_.Press(platform::kCancelButton);
  session_.Use("ACCOUNT_INQUIRE");
  session_.Type(R7_ENQ_COMPANY, "02");
  session_.Press(R7_ENQ_PERIOD_BUTTON);
  session_.Use("PERIODW");
  EXPECT_EQ(session_.Text(R7_PWIZ_FROM), "01Jan2002");
}

// The period wizard opens on the enquiry's period and hands its text back; To Chart opens
// the chart copy on what was picked, and the enquiry stays.
TEST_F(AccountEnquiryTest, ThePeriodWizardAndToChart) {
  Open();
  session_.Type(R7_ENQ_PERIOD, "Quarter 2 Budget");
  session_.Press(R7_ENQ_PERIOD_BUTTON);
  session_.Use("PERIODW");
  EXPECT_EQ(session_.Text(R7_PWIZ_TEXT), "Quarter 2 Budget");
  session_.Check(R7_PWIZ_ACTUAL, true);
  session_.Press(platform::kOkButton);
  session_.Use("ACCOUNT_INQUIRE");
  EXPECT_EQ(session_.Text(R7_ENQ_PERIOD), "Quarter 2");

  Pick("1000", "10", "100");
  session_.Press(R7_ENQ_TO_CHART);
  EXPECT_EQ(session_.OpenDialogs(), (std::vector<std::string>{"ACCOUNT_INQUIRE", "CHARTCOPY"}));
  session_.Use("CHARTCOPY");
  EXPECT_EQ(session_.Text(R7_CHART_ACCOUNT), "(1000)(10)(100)");
  EXPECT_EQ(session_.Text(R7_CHART_PERIOD), "Quarter 2");
  session_.Press(platform::kOkButton);
  EXPECT_EQ(session_.Clipboard(),
            "'AB\t2002\t'01\t\r\nAccount\tDescription\tQuarter 2\r\n\r\n"
            "'1000-10-100\tCash\t(1,234.50)\r\n");
}

}  // namespace
}  // namespace r7
