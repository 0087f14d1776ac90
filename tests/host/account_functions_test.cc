// Codes 103, 114 and 116 end to end through the driver, over the account fixture.
#include <gtest/gtest.h>

#include "fakes/ledger_fixture.h"
#include "fakes/r7_session.h"

namespace r7 {
namespace {

using testing::BatchCall;

constexpr const char* kSettings =
    "Company=02\nCurrent Year=2002\nRevision=1\nNA Label=0\nFinancial Entities File in GL Path=1\n";

// The extra settings come first: the first of two equal keys is the one read.
void ExpectCalls(const std::vector<BatchCall>& calls, const std::string& extra = "") {
  testing::ExpectCalls(testing::SharedFixture("accounts"), extra + kSettings, calls);
}

TEST(AccountFunctionsTest, AccountDescriptionsOfEverySpecifierForm) {
  ExpectCalls({
      {"103\t1000-10-100", "0\tCash East"},
      {"103\t4*", "0\tSales East"},
      {"103\t4??0-20", "0\tSales West"},
      {"103\t(4100,5000)(10)(*)", "0\tService"},
      {"103\t^-^-200(5000,4000)(10,20)", "0\tRent"},
      {"103\tSALES-*-*", "0\tSales East"},
      {"103\tINCOME", "0\tSales East"},
      // Only the first item of the list counts.
      {"103\tLONGLIST-*-200", "0\tR7 [Tessary] No matching accounts found - 1000-*-200"},
      {"103\t4000..4999-20", "0\tSales West"},
      {"103\t*-REGIONS-200", "0\tRent"},
      {"103\tab", "0\tLettered account"},
      {"103\t1000;03", "0\tCash East"},
      {"103\t1000;03,02", "0\tCash East"},
  });
}

TEST(AccountFunctionsTest, AccountDescriptionFailures) {
  ExpectCalls({
      {"103\t9999", "0\tR7 [Tessary] No matching accounts found - 9999-*-*"},
      {"103\t1000-10-20-30",
       "0\tR7 [Tessary] - The account specifier has too many segments: 1000-10-20-30"},
      {"103\t(1000", "0\tR7 [Tessary] - Unbalanced parentheses in argument"},
      {"103\t'1000", "0\tR7 [Tessary] - Unbalanced quotes in argument"},
      {"103\t((1))", "0\tR7 [Tessary] - The account specifier is unbalanced: ((1))"},
      {"103\t1000..-*-*", "0\tR7 [Tessary] Invalid length for account specifier - 1000..-*-*"},
      {"103\tA~B", "0\tR7 [Tessary] Invalid character: ~ - A~B-*-*"},
      {"103\t1*..2*", "0\tR7 [Tessary] Invalid wildcard character in range - 1*..2*-*-*"},
      {"103\t10000", "0\tR7 [Tessary] Invalid length for account specifier - 10000-*-*"},
      {"103\t", "0\tR7 [Tessary] "},
      {"103\t1000;ABCDEFGHIJKLM", "0\tR7 [Tessary] Invalid - company specifier too long"},
      {"103\t1000;99", "0\tR7 [Tessary] Can't open file - 99"},
      {"103\t4000,1000", "0\tSales East"},
  });
}

TEST(AccountFunctionsTest, NaLabelSkipsUnmatchedTokens) {
  ExpectCalls({{"103\t9999,4000", "0\tSales East"},
               {"103\t9999", "0\tR7 [Tessary] No matching accounts found"},
               {"116\tDESC;9999", "0\tERR"}},
              "NA Label=1\n");
  ExpectCalls({{"103\t9999,4000", "0\tR7 [Tessary] No matching accounts found - 9999-*-*"}});
}

TEST(AccountFunctionsTest, PatternsUnderEachMappingSetting) {
  // Mapped in place (1): '4*' lines up with the key field, '4??0' no longer matches.
  ExpectCalls({{"103\t4??0-20", "0\tR7 [Tessary] No matching accounts found - 00004??0-20-*"},
               {"103\t4*-20", "0\tSales West"}},
              "Account Mapping=1\n");
  ExpectCalls({{"103\t4??0-20", "0\tSales West"},
               {"103\t4*-20", "0\tR7 [Tessary] No matching accounts found - 4*-20-*"}},
              "Account Mapping=2\n");
  ExpectCalls({{"103\t4??0-20", "0\tSales West"}, {"103\t4*-20", "0\tSales West"}},
              "Account Mapping=3\n");
}

TEST(AccountFunctionsTest, AccountInformationKeywords) {
  ExpectCalls({
      {"116\tTYPE;4000", "0\tP"},
      {"116\tTYP;1000", "0\tB"},
      {"116\ttypical;4000", "0\tC"},
      {"116\tCONSOLIDATION;1000-10-100", "0\t9000-10-100"},
      {"116\tSAF;1000", "0\tS"},
      {"116\tdescription;5000", "0\tRent"},
      {"116\tXYZ;1000", "42\tR7 [Tessary] Function not supported - XYZ"},
      {"116\tDESC;9999", "0\tR7 [Tessary] No matching accounts found - 9999-*-*"},
      {"116\tDESC", "0\tERR"},
      {"116\tDESC;1000;ABCDEFGHIJKLM", "0\tR7 [Tessary] Invalid - company specifier too long"},
  });
}

TEST(AccountFunctionsTest, SegmentDescriptions) {
  ExpectCalls({
      {"114\t;1", "0\tMain"},
      {"114\t;2", "0\tProfit Center"},
      {"114\t;3", "0\tDepartment"},
      {"114\t;4", "1\tR7 [Tessary]"},
      {"114\t1000-10-100;2", "0\tEast region"},
      {"114\t20;2", "0\tWest region"},
      {"114\t1000-0-100,x;3", "0\tSales department"},
      {"114\t1000;1", "0\tCash East"},
      {"114\t4000-20-200;0", "0\tSales West"},
      {"114\t1000-99-100;2", "38\tR7 [Tessary] Btrieve error - 1000-99-100"},
      {"114\t1000-10-100;4", "1\tR7 [Tessary] - 1000-10-100"},
      {"114\t^-^-^(4000)(20)(200);1", "0\tSales West"},
      {"114\tA~B-1;2", "8\tR7 [Tessary] Invalid character: ~ - A~B-1"},
      {"114\t9999;1", "22\tR7 [Tessary] No matching accounts found - 9999-*-*"},
      {"114", "4\tR7 [Tessary] "},
      {"114\t1000;1;ABCDEFGHIJKLM", "1\tR7 [Tessary] Invalid - company specifier too long"},
  });
}

TEST(AccountFunctionsTest, SegmentDescriptionsFromTheEntitiesFileWhenListsUseIt) {
  ExpectCalls({{"114\t10;2", "0\tEast from the file"},
               {"114\t20;2", "0\tWest region"},
               {"114\t5000;1", "0\tRENT"},
               {"114\t4000..4999;1", "0\tSALES"}},
              "Lists use Financial Entity file=1\n");
  ExpectCalls({{"114\t10;2", "0\tEast region"}});
}

TEST(AccountFunctionsTest, CallAnswersOneFunction) {
  testing::R7Session session(testing::SharedFixture("accounts"), kSettings);
  EXPECT_EQ(session.Call(103, "SALES-20"), 0);
  EXPECT_EQ(session.result, "Sales West\r\n");
  EXPECT_EQ(session.Call(116, "XYZ;1000"), 42);
}

}  // namespace
}  // namespace r7
