// The used-account list of usage tracking.
#include "ledger/used_accounts.h"

#include <gtest/gtest.h>

namespace r7 {
namespace {

TEST(UsedAccountsTest, UniqueWithoutRegardToCaseInOrderOfFirstUse) {
  UsedAccountList list;
  RecordAccountUse(list, "4000-AB-100", "Sales");
  RecordAccountUse(list, "1000-10-100", "Cash");
  RecordAccountUse(list, "4000-ab-100", "Other text");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].account, "4000-AB-100");
  EXPECT_EQ(list[0].description, "Sales");
  EXPECT_EQ(list[0].uses, 2);
  EXPECT_EQ(list[1].uses, 1);
  EXPECT_EQ(FindUsedAccount(list, "1000-10-100"), &list[1]);
  EXPECT_EQ(FindUsedAccount(list, "1000-10"), nullptr);
}

TEST(UsedAccountsTest, TextsAreCutToTheirCapacities) {
  UsedAccountList list;
  RecordAccountUse(list, std::string(50, 'A'), std::string(40, 'd'));
  EXPECT_EQ(list[0].account, std::string(38, 'A'));
  EXPECT_EQ(list[0].description, std::string(30, 'd'));
  RecordAccountUse(list, std::string(45, 'a'), "");  // the same account once cut
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].uses, 2);
}

}  // namespace
}  // namespace r7
