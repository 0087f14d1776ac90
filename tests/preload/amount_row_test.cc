// A cached account's row of amounts, packed to the values that cannot be rebuilt.
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

// Zeros and exact repeats of the amount before are flagged; the rest is stored, and the
// row expands back to its amounts. A repeat never starts the row.
TEST(AmountRowTest, StoresOnlyValuesThatCannotBeRebuilt) {
  constexpr std::uint8_t Z = kAmountZero, S = kAmountStored, R = kAmountRepeats;
  const double almost = 0.1 + 0.2;  // differs from 0.3 in the last place: no repeat
  struct Case {
    const char* what;
    RowAmounts amounts;
    std::vector<double> stored;
    std::vector<std::uint8_t> flags;  // the leading flags; the rest are zero
  } cases[] = {
      {"mixed", RowOf({0, 5, 5, 5, 0, 7}), {5, 7}, {Z, S, R, R, Z, S}},
      {"repeats of the first", RowOf({3, 3, 3}), {3}, {S, R, R}},
      {"not quite a repeat", RowOf({0.3, almost}), {0.3, almost}, {S, S}},
      {"all zero", RowAmounts{}, {}, {}},
  };
  for (const Case& c : cases) {
    AmountRow row;
    ASSERT_TRUE(PackRow(c.amounts, &row)) << c.what;
    EXPECT_EQ(row.stored, c.stored) << c.what;
    EXPECT_EQ(row.empty(), c.stored.empty()) << c.what;
    for (std::size_t j = 0; j < kRowAmounts; ++j)
      EXPECT_EQ(row.flags[j], j < c.flags.size() ? c.flags[j] : Z) << c.what << " " << j;
    EXPECT_EQ(ExpandRow(row), c.amounts) << c.what;
  }
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

// A damaged row expands to zeros where it lacks values, and the check refuses it.
TEST(AmountRowTest, DamagedRowsExpandSafelyAndFailTheCheck) {
  AmountRow flagged;  // no stored values, whatever the flags say
  flagged.flags.fill(kAmountRepeats);
  EXPECT_EQ(ExpandRow(flagged), RowAmounts{});
  AmountRow row;
  row.stored = {4};  // every flag says "stored", one value is there
  RowAmounts amounts = ExpandRow(row);
  EXPECT_EQ(amounts[0], 4);
  EXPECT_EQ(amounts[1], 0);
  EXPECT_EQ(amounts[68], 0);
  EXPECT_FALSE(CheckRow(row));

  ASSERT_TRUE(PackRow(RowOf({1, 2}), &row));
  EXPECT_TRUE(CheckRow(row));
  row.flags[0] = kAmountRepeats;  // a repeat at the start
  EXPECT_FALSE(CheckRow(row));
  row.flags[0] = 7;  // no such flag
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
