#include "preload/amount_row.h"

#include <gtest/gtest.h>

#include <random>

namespace r7::preload {
namespace {

RowAmounts RowOf(std::initializer_list<double> leading) {
  RowAmounts amounts{};
  std::size_t j = 0;
  for (double amount : leading) amounts[j++] = amount;
  return amounts;
}

TEST(AmountRowTest, StoresOnlyValuesThatCannotBeRebuilt) {
  RowAmounts amounts = RowOf({0, 5, 5, 5, 0, 7});
  AmountRow row;
  ASSERT_TRUE(PackRow(amounts, &row));
  EXPECT_EQ(row.stored, (std::vector<double>{5, 7}));
  const std::uint8_t expected[] = {kAmountZero,    kAmountStored, kAmountRepeats,
                                   kAmountRepeats, kAmountZero,   kAmountStored};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(row.flags[j], expected[j]) << j;
  for (int j = 6; j < kRowAmounts; ++j) EXPECT_EQ(row.flags[j], kAmountZero) << j;
  EXPECT_EQ(ExpandRow(row), amounts);
}

TEST(AmountRowTest, TreatsAmountsBelowATenThousandthAsZero) {
  struct Case {
    double amount;
    bool stored;
    double expanded;
  };
  const Case cases[] = {
      {0.00009, false, 0.0},  {-0.00009, false, 0.0}, {-0.0001, true, -0.0001},
      {0.0001, true, 0.0001}, {-0.0, false, 0.0},     {1e300, true, 1e300},
  };
  for (const Case& c : cases) {
    AmountRow row;
    ASSERT_TRUE(PackRow(RowOf({0, c.amount}), &row));
    EXPECT_EQ(row.stored.size(), c.stored ? 1u : 0u) << c.amount;
    EXPECT_EQ(ExpandRow(row)[1], c.expanded) << c.amount;
  }
}

TEST(AmountRowTest, RepeatsFollowTheFirstAmountAndNeverStartTheRow) {
  AmountRow row;
  ASSERT_TRUE(PackRow(RowOf({3, 3, 3}), &row));
  EXPECT_EQ(row.flags[0], kAmountStored);
  EXPECT_EQ(row.stored, std::vector<double>{3});
  EXPECT_EQ(ExpandRow(row), RowOf({3, 3, 3}));
  // A repeat is exact: a value that differs in the last place is stored again.
  double almost = 0.1 + 0.2;
  ASSERT_TRUE(PackRow(RowOf({0.3, almost}), &row));
  EXPECT_EQ(row.stored.size(), 2u);
}

TEST(AmountRowTest, AnAllZeroRowStoresNothingAndExpandsToZeros) {
  AmountRow row;
  ASSERT_TRUE(PackRow(RowAmounts{}, &row));
  EXPECT_TRUE(row.empty());
  EXPECT_EQ(ExpandRow(row), RowAmounts{});
  // A row without stored values expands to zeros whatever its flags say.
  AmountRow flagged;
  flagged.flags.fill(kAmountRepeats);
  EXPECT_EQ(ExpandRow(flagged), RowAmounts{});
}

TEST(AmountRowTest, FlagsThatAskForMoreValuesThanStoredExpandToZeros) {
  AmountRow row;
  row.stored = {4};  // every flag says "stored", one value is there
  RowAmounts amounts = ExpandRow(row);
  EXPECT_EQ(amounts[0], 4);
  EXPECT_EQ(amounts[1], 0);
  EXPECT_EQ(amounts[68], 0);
  EXPECT_FALSE(CheckRow(row));
}

TEST(AmountRowTest, CheckRowRefusesARepeatAtTheStartAndUnknownFlags) {
  AmountRow row;
  ASSERT_TRUE(PackRow(RowOf({1, 2}), &row));
  EXPECT_TRUE(CheckRow(row));
  row.flags[0] = kAmountRepeats;
  EXPECT_FALSE(CheckRow(row));
  row.flags[0] = 7;
  EXPECT_FALSE(CheckRow(row));
}

TEST(AmountRowTest, RandomRowsSurviveAPackAndExpandRoundTrip) {
  std::mt19937 random(20240611);
  const double choices[] = {0, 0, 0.00005, 12.5, 12.5, -3, 1000000.25, -0.0001};
  for (int trial = 0; trial < 300; ++trial) {
    RowAmounts amounts{};
    for (int j = 0; j < kLoadedRowAmounts; ++j) amounts[j] = choices[random() % 8];
    AmountRow row;
    ASSERT_TRUE(PackRow(amounts, &row));
    ASSERT_TRUE(CheckRow(row));
    RowAmounts expected = amounts;
    for (double& amount : expected) {
      if (amount > -kZeroAmountBelow && amount < kZeroAmountBelow) amount = 0;
    }
    ASSERT_EQ(ExpandRow(row), expected) << trial;
  }
}

}  // namespace
}  // namespace r7::preload
