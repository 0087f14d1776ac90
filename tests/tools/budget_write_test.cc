// The budget table from the clipboard, written through the Budget Write dialog and silent
// code 13: records read back from the file and through the balance function, the counter,
// and every way a write is refused or stopped.
#include <gtest/gtest.h>

#include <map>

#include "fakes/desktop_session.h"
#include "fakes/ledger_fixture.h"
#include "fakes/ledger_records.h"
#include "resources/budget_dialog_ids.h"

namespace r7 {
namespace {

constexpr char kLedger[] = R"({"companies": [{"directory": "DATA", "name": "Budget Co",
    "segment_lengths": [4, 2, 3], "periods": [["20020101", "20020131"], ["20020201", "20020228"],
      ["20020301", "20020331"]], "current_period": 3,
    "accounts": [{"account": "1000-10-100", "description": "Cash", "type": "B"},
                 {"account": "4000-10-100", "description": "Sales", "type": "P"},
                 {"account": "4000-20-100", "description": "Sales", "type": "P"},
                 {"account": "5000-10-100", "description": "Costs", "type": "P"}],
    "budgets": [{"account": "4000-10-100", "year": "2002", "revision": 1,
                 "periods": [-150, -150, -150, -150, -150, -150, -150, -150, -150, -150,
                             -150, -150, 0]}]}]})";

constexpr char kSettings[] =
    "Company=01\nCurrent Year=2002\nRevision=01\nNA Label=0\nBudget Company=01\n"
    "Budget Year=2002\nBudget Revision=01\n";

std::size_t BudgetRecordCount(const std::string& system) {
  return testing::DumpRecords(system + "/DATA/glbudfil.btr").size();
}

class BudgetWriteTest : public ::testing::Test {
 protected:
  // Every budget record by its key: account number, year, revision code.
  std::map<std::string, std::string> Records() {
    return testing::DumpRecordsByKey(system_.path() + "/DATA/glbudfil.btr",
                                     testing::kBudgetKeyLength);
  }

  // Writes `table` through the dialog: the boxes it showed and the counter.
  std::vector<std::string> WriteThroughDialog(const std::string& table) {
    session_.desktop.clipboard.SetText(table);
    session_.Menu(107);
    dialog_ = session_.Dialog("BUDGET");
    session_.Press(dialog_, platform::kOkButton);
    counter_ = session_.Show(dialog_, R7_BUDGET_COUNTER).text;
    std::vector<std::string> boxes = session_.BoxTexts();
    session_.Press(dialog_, platform::kCancelButton);
    return boxes;
  }

  testing::FixtureDirectory system_{testing::BuildFixtureText(kLedger)};
  testing::DesktopSession session_{system_.path(), kSettings};
  std::string counter_;
  platform::WindowId dialog_ = platform::kNoWindow;
};

constexpr char kCompleted[] = "Budget write completed successfully";

// A found record keeps the periods the line leaves empty; a new one has 0 there.
TEST_F(BudgetWriteTest, EachLineGoesIntoItsRecord) {
  const std::string before = Records().at("000040000000001000000100200299");
  EXPECT_EQ(WriteThroughDialog("Account\t1 Budget\t2 Budget\t14\tRevision\r\n"
                               "4000-10-100\t-1000\t\t99\t\r\n"
                               "\r\n"
                               "'4000-20-100\t(1,234.50)\t5\t\t02\r\n"
                               "1000-10-100\t100.75\t\t\t\r\n"),
            std::vector<std::string>{kCompleted});
  EXPECT_EQ(counter_, "3");
  const std::map<std::string, std::string> records = Records();
  ASSERT_EQ(records.size(), 3u);

  const std::string& found = records.at("000040000000001000000100200299");
  EXPECT_EQ(testing::BudgetAmount(found, 1), -1000);
  EXPECT_EQ(testing::BudgetTextAmount(found, 1), "000000001000-");
  for (int p = 2; p <= 13; ++p) {  // every other period as it was
    EXPECT_EQ(testing::BudgetAmount(found, p), testing::BudgetAmount(before, p)) << p;
    EXPECT_EQ(testing::BudgetTextAmount(found, p), testing::BudgetTextAmount(before, p)) << p;
  }

  // Revision 02 of the line, not the setting's 01: code 98.
  const std::string& made = records.at("000040000000002000000100200298");
  ASSERT_EQ(made.size(), testing::kBudgetRecordLength);
  EXPECT_EQ(testing::BudgetAmount(made, 1), -1234.5);
  EXPECT_EQ(testing::BudgetTextAmount(made, 1), "000000001234-");
  EXPECT_EQ(testing::BudgetAmount(made, 2), 5);
  EXPECT_EQ(testing::BudgetTextAmount(made, 2), "000000000005+");
  for (int p = 3; p <= 13; ++p) {
    EXPECT_EQ(testing::BudgetAmount(made, p), 0) << p;
    EXPECT_EQ(testing::BudgetTextAmount(made, p), "000000000000+") << p;
  }
  EXPECT_EQ(made.substr(testing::kBudgetReserved), std::string(50, '\0'));
  EXPECT_EQ(testing::BudgetAmount(records.at("000010000000001000000100200299"), 1), 100.75);

  // The balance function reads the new budgets.
  EXPECT_EQ(session_.Call(100, "4000-20-100;Month 1 Budget;01;2002;02"), "-1234.5");
  EXPECT_EQ(session_.Call(100, "4000-10-100;Month 2 Budget"), "-150.");
}

// Each case on a fresh ledger: the boxes, the lines written, and the records left.
TEST(BudgetWriteFailureTest, ALineThatFailsStopsTheWriteWithTheLinesBeforeItWritten) {
  const std::string stopped = "The budget write stopped. Budget lines written: ";
  const struct Case {
    const char* what;
    std::string table;
    std::string settings;
    std::vector<std::string> boxes;
    const char* counter;
  } cases[] = {
      {"empty clipboard", "", "", {"No Clipboard data found"}, "0"},
      {"no ACCOUNT heading",
       "Acct\t1\r\n4000-10-100\t5\r\n",
       "",
       {"Could not find required Budget headings"},
       "0"},
      {"a wildcard",
       "Account\t1\r\n4000-10-100\t5\r\n4*-10-100\t6\r\n5000-10-100\t7\r\n",
       "",
       {"Invalid - , 4*-10-100", stopped + "1"},
       "1"},
      {"a fourth segment",
       "Account\t1\r\n4000-10-100-1\t5\r\n",
       "",
       {"Invalid - , 4000-10-100-1", stopped + "0"},
       "0"},
      {"a segment no key can hold",
       "Account\t1\r\n123456789-10-100\t5\r\n",
       "",
       {"Invalid - , 123456789-10-100", stopped + "0"},
       "0"},
      {"not in the chart",
       "Account\t1\r\n4000-10-100\t5\r\n9999-10-100\t6\r\n",
       "",
       {"No such account: - 9999-10-100", stopped + "1"},
       "1"},
      {"a year of two digits",
       "Account\tYear\t1\r\n4000-10-100\t02\t5\r\n",
       "",
       {"Invalid - , 02", stopped + "0"},
       "0"},
      {"revision 100",
       "Account\tRevision\t1\r\n4000-10-100\t100\t5\r\n",
       "",
       {"Invalid - , 100", stopped + "0"},
       "0"},
      {"a line too long",
       "Account\t1\r\n4000-10-100\t5\t" + std::string(1100, 'x') + "\r\n",
       "",
       {"A budget table line is longer than 1100 characters - line 2", stopped + "0"},
       "0"},
      {"a company that does not load",
       "Account\t1\r\n4000-10-100\t5\r\n",
       "Budget Company=77\n",
       {"Can't open file - 77"},
       "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::FixtureDirectory system{testing::BuildFixtureText(kLedger)};
    // The case's settings first: of two equal keys R7.INI gives the first.
    testing::DesktopSession session{system.path(), c.settings + kSettings};
    session.desktop.clipboard.SetText(c.table);
    if (c.table.empty()) session.desktop.clipboard.Clear();
    session.Menu(107);
    const platform::WindowId dialog = session.Dialog("BUDGET");
    session.Press(dialog, platform::kOkButton);
    EXPECT_EQ(session.BoxTexts(), c.boxes);
    EXPECT_EQ(session.Show(dialog, R7_BUDGET_COUNTER).text, c.counter);
    // The line before the failure is in the file; nothing after it.
    EXPECT_EQ(session.Call(100, "4000-10-100;Month 1 Budget"),
              c.counter[0] == '1' ? "5." : "-150.");
    EXPECT_EQ(BudgetRecordCount(system.path()), 1u);
  }
}

// A cell whose amount needs more than 12 digits is refused alone; the rest of its line and
// the lines after it are written.
TEST_F(BudgetWriteTest, AnAmountTooLargeIsRefusedForItsCellAlone) {
  EXPECT_EQ(WriteThroughDialog("Account\t1\t2\r\n4000-10-100\t1234567890123\t8\r\n"
                               "5000-10-100\t9\t999999999999.99\r\n"),
            (std::vector<std::string>{"An amount too large for a budget record was "
                                      "not written - 4000-10-100, period 1: 1234567890123",
                                      kCompleted}));
  EXPECT_EQ(counter_, "2");
  const std::string record = Records().at("000040000000001000000100200299");
  EXPECT_EQ(testing::BudgetAmount(record, 1), -150);
  EXPECT_EQ(testing::BudgetAmount(record, 2), 8);
  EXPECT_EQ(testing::BudgetTextAmount(Records().at("000050000000001000000100200299"), 2),
            "999999999999+");
}

// The boxes show the budget settings; Write takes them back and saves them, Reset puts
// the company, revision and year settings in.
TEST_F(BudgetWriteTest, TheDialogTakesItsBoxesIntoTheBudgetSettings) {
  session_.fake.profiles.Set("R7 for Tessary", "Budget Revision", "03");
  session_.fake.profiles.Set("R7 for Tessary", "Budget Company", "");
  session_.Menu(107);
  dialog_ = session_.Dialog("BUDGET");
  EXPECT_EQ(session_.Show(dialog_, R7_BUDGET_REVISION).selected, 2);
  const platform::ControlState company = session_.Show(dialog_, R7_BUDGET_COMPANY);
  ASSERT_EQ(company.selected, 0);
  EXPECT_EQ(company.entries[0].substr(0, 2), "01");  // Budget Company empty: the Company
  EXPECT_EQ(session_.Show(dialog_, R7_BUDGET_YEAR).text, "2002");
  EXPECT_EQ(session_.Show(dialog_, R7_BUDGET_COUNTER).text, "0");

  session_.Choose(dialog_, R7_BUDGET_REVISION, "05");
  session_.Type(dialog_, R7_BUDGET_YEAR, "2003");
  session_.desktop.clipboard.SetText("Account\t3\r\n4000-10-100\t42\r\n");
  session_.Press(dialog_, platform::kOkButton);
  const Settings& settings = session_.driver.settings();
  EXPECT_EQ(settings.budget_revision, "05");
  EXPECT_EQ(settings.budget_year, "2003");
  EXPECT_EQ(settings.budget_company, "01");
  EXPECT_EQ(session_.fake.profiles.Get("R7 for Tessary", "Budget Revision"), "05");
  EXPECT_EQ(session_.Call(100, "4000-10-100;Month 3 Budget;01;2003;05"), "42.");

  session_.Press(dialog_, R7_BUDGET_RESET);
  EXPECT_EQ(session_.Show(dialog_, R7_BUDGET_REVISION).text, "01");
  EXPECT_EQ(session_.Show(dialog_, R7_BUDGET_YEAR).text, "2002");
  session_.Press(dialog_, platform::kCancelButton);
  EXPECT_TRUE(session_.user.OpenDialogs().empty());
}

// Silent code 13 writes the table; while a Budget Write dialog is open it does nothing.
TEST_F(BudgetWriteTest, SilentCode13WritesTheTableUnlessTheDialogIsOpen) {
  session_.desktop.clipboard.SetText("Account\t1\r\n4000-10-100\t11\r\n");
  session_.Call(13, "NoShow=1");
  EXPECT_EQ(session_.Call(100, "4000-10-100;Month 1 Budget"), "11.");
  EXPECT_TRUE(session_.user.OpenDialogs().empty());
  session_.Menu(107);
  session_.desktop.clipboard.SetText("Account\t1\r\n4000-10-100\t12\r\n");
  session_.Call(13, "NoShow=1");
  EXPECT_EQ(session_.Call(100, "4000-10-100;Month 1 Budget"), "11.");
}

}  // namespace
}  // namespace r7
