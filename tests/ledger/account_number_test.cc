// Account numbers: the stored fields, their display at the segment lengths, and key orderings.
#include "ledger/account_number.h"

#include <gtest/gtest.h>

namespace r7::ledger {
namespace {

TEST(AccountNumberTest, StoresDigitsRightAlignedAndLettersLeftAligned) {
  const std::pair<const char*, const char*> cases[] = {
      {"1000", "00001000"},     {"0", "00000000"},         {"", "00000000"},
      {"12345678", "12345678"}, {"123456789", "12345678"}, {"AB", "AB      "},
      {"1A", "1A      "},       {"ab", "ab      "},        {"ABCDEFGHI", "ABCDEFGH"},
  };
  for (auto [value, field] : cases) EXPECT_EQ(StoredSegment(value), field) << value;
  EXPECT_EQ(StoredAccountNumber("1000", "10", "200"), "000010000000001000000200");
  EXPECT_EQ(StoredAccountNumber("0", "10", "0"), "000000000000001000000000");
}

TEST(AccountNumberTest, DisplaysEachFieldAtItsSegmentLength) {
  EXPECT_EQ(DisplaySegment("00001000", 4), "1000");
  EXPECT_EQ(DisplaySegment("00000005", 3), "005");
  EXPECT_EQ(DisplaySegment("AB      ", 2), "AB");
  EXPECT_EQ(DisplaySegment("AB      ", 6), "AB");
  EXPECT_EQ(DisplaySegment("00001000", 0), "00001000");
  EXPECT_EQ(DisplayAccount("000010000000002000000003", {4, 2, 1}), "1000-20-3");
  EXPECT_EQ(DisplayAccount("000010000000002000000003", {4, 0, 0}), "1000");
  EXPECT_EQ(DisplayAccount("CASH    0000002000000003", {4, 2, 0}), "CASH-20");
  EXPECT_EQ(DisplayAccount("00001000", {4, 2, 2}), "1000--");  // a cut-short text
}

TEST(AccountNumberTest, OrdersTheFieldsForAlternateKeys) {
  const std::string account = "MMMMMMMMPPPPPPPPDDDDDDDD";
  EXPECT_EQ(OrderedAccountNumber(account, SegmentOrdering::kMainFirst), account);
  EXPECT_EQ(OrderedAccountNumber(account, SegmentOrdering::kProfitCenterFirst),
            "PPPPPPPPMMMMMMMMDDDDDDDD");
  EXPECT_EQ(OrderedAccountNumber(account, SegmentOrdering::kDepartmentFirst),
            "DDDDDDDDMMMMMMMMPPPPPPPP");
  EXPECT_EQ(OrderedAccountNumber("MMMMMMMM", SegmentOrdering::kDepartmentFirst),
            std::string(8, ' ') + "MMMMMMMM" + std::string(8, ' '));
}

}  // namespace
}  // namespace r7::ledger
