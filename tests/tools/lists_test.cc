// The lists that silent code 19 leaves on the clipboard, over the balance fixture: the
// request grammar, the caches and their resets, the cases a two-segment company refuses.
#include <gtest/gtest.h>

#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"

namespace r7 {
namespace {

class ListsTest : public ::testing::Test {
 protected:
  // The clipboard after a silent list of `pairs` (the company and the list among them).
  std::string List(const std::string& pairs) {
    session_.fake.clipboard.SetText("before");
    session_.Call(19, (pairs + ",NoShow=1").c_str());
    session_.fake.ui.PumpPosted();
    return session_.fake.clipboard.GetText().value_or("(none)");
  }
  testing::R7Session session_{testing::SharedFixture("balances"),
                              "Company=01\nCurrent Year=2002\nNA Label=0\n"};
};

TEST_F(ListsTest, EachRequestGivesItsList) {
  struct Case {
    const char* pairs;
    const char* clipboard;
  } cases[] = {
      {"List=Years",
       "2002\r\n2001\r\n2000\r\n1999\r\n1998\r\n1997\r\n1996\r\n1995\r\n1994\r\n1993\r\n"},
      {"List=years,List Transpose=1",
       "2002\t2001\t2000\t1999\t1998\t1997\t1996\t1995\t1994\t1993\t"},
      {"List=BWB Headers,List Transpose=0",
       "'ACCOUNT\t'YEAR\t'REVISION\t'1\t'2\t'3\t'4\t'5\t'6\t'7\t'8\t'9\t'10\t'11\t'12\t'13\r\n"},
      // 4500 has no balance record: the engine never reads it.
      {"List=Natural", "'1000\r\n'4000\r\n'5000\r\n"},
      {"List=Main", "'1000\r\n'4000\r\n'5000\r\n"},
      {"List=1", "'1000\r\n'4000\r\n'5000\r\n"},
      {"List=Profit Center", "'10\r\n'20\r\n"},
      {"List='Main;Department;#Sales#+100+#Admin#+200'",
       "'Sales\r\n'1000\r\n'4000\r\n'5000\r\n'Admin\r\n'5000\r\n"},
      {"List=Budgets,List Transpose=1", nullptr},  // checked below: one row of 01 to 99
      // A silent list empties the clipboard first; these put nothing there.
      {"List=RESET", "(none)"},
      {"List=Frobnicate", "(none)"},
      {"List=0123456789012345678901234567890123456789012345678901", "(none)"},  // too long
      {"Company=03,List=3", "(none)"},  // a two-segment company has no third segment
      {"Company=03,List=Department", "(none)"},
      {"Company=03,List=2,List Transpose=0", "'10\r\n'20\r\n"},
  };
  for (const Case& c : cases) {
    const std::string clipboard = List(c.pairs);
    if (c.clipboard != nullptr) {
      EXPECT_EQ(clipboard, c.clipboard) << c.pairs;
    }
  }
  const std::string budgets = List("List=Budgets,List Transpose=1");
  EXPECT_EQ(budgets.substr(0, 8), "'01\t'02\t");
  EXPECT_EQ(budgets.substr(budgets.size() - 5), "'99\r\n");
}

// The caches keep what the ledger held until the reset command or clean-up frees them.
TEST_F(ListsTest, TheCachesLastUntilReset) {
  List("Company=01,List Transpose=0,List=Main");
  EXPECT_TRUE(session_.driver.list_caches().valid);
  EXPECT_EQ(session_.driver.list_caches().company, "01");
  session_.Call(21, "NoShow=1");
  EXPECT_FALSE(session_.driver.list_caches().valid);
  List("List=Accounts");
  EXPECT_TRUE(session_.driver.list_caches().accounts_built);
  session_.driver.Cleanup();
  EXPECT_FALSE(session_.driver.list_caches().accounts_built);
}

// One company of one main account holding a balance, for the ledger that changes under it.
std::string OneAccountLedger(const std::string& account) {
  return R"({"companies": [{"directory": "DATA", "name": "Changing Co", "segment_lengths": [4],
      "periods": [["20020101", "20020131"]], "current_period": 1,
      "accounts": [{"account": ")" +
         account + R"(", "description": "Cash", "type": "B"}],
      "balances": [{"account": ")" +
         account + R"(", "opening": 1, "periods": [1,1,1,1,1,1,1,1,1,1,1,1,1]}]}]})";
}

// The ledger changes under the company's code: its list stays as it was read until the
// reset command frees the caches and the loaded companies.
TEST(ListsResetTest, AFollowingListReflectsAChangedLedger) {
  testing::FixtureDirectory before{testing::BuildFixtureText(OneAccountLedger("1000"))};
  testing::FixtureDirectory after{testing::BuildFixtureText(OneAccountLedger("2000"))};
  testing::R7Session session{before.path(), "Company=01\nCurrent Year=2002\n"};
  auto list = [&session](const std::string& pairs) {
    session.Call(19, (pairs + ",List=Main,NoShow=1").c_str());
    return session.fake.clipboard.GetText().value_or("(none)");
  };
  EXPECT_EQ(list("List Transpose=0"), "'1000\r\n");
  EXPECT_EQ(list("System Directory=" + after.path()), "'1000\r\n");
  session.Call(21, "NoShow=1");
  EXPECT_EQ(list("List Transpose=0"), "'2000\r\n");
}

}  // namespace
}  // namespace r7
