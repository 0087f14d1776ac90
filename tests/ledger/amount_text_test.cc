#include "ledger/amount_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace r7::ledger {
namespace {

struct ParseCase {
  std::string field;
  double expected;
};

TEST(AmountTextTest, ParsesTheStoredText) {
  const ParseCase cases[] = {
      {"00000000012345+", 123.45},
      {"00000000012345-", -123.45},
      {"00000000012345 ", 123.45},  // any sign but "-" is positive
      {"00000000000000+", 0},
      {"99999999999999-", -999999999999.99},
      {"12345000000000+", 123450000000.00},
      {"", 0},
      {std::string("\0"
                   "0000000012345-",
                   15),
       0},                          // empty field
      {"0000x000012345+", 123.45},  // a group counts up to its first non-digit
      {"000000000123", 1.23},       // cut short: no sign
      {"00012", 120000000.00},
  };
  for (const ParseCase& c : cases)
    EXPECT_DOUBLE_EQ(ParseAmountText(c.field), c.expected) << c.field;
}

TEST(AmountTextTest, FormatsCentsWithTheSign) {
  EXPECT_EQ(FormatAmountText(123.45), "00000000012345+");
  EXPECT_EQ(FormatAmountText(-123.45), "00000000012345-");
  EXPECT_EQ(FormatAmountText(0), "00000000000000+");
  EXPECT_EQ(FormatAmountText(-0.004), "00000000000000+");  // rounds to zero: no minus
  EXPECT_EQ(FormatAmountText(0.005), "00000000000001+");
  EXPECT_EQ(FormatAmountText(999999999999.99), "99999999999999+");
  EXPECT_EQ(FormatAmountText(1e12), std::nullopt);
  EXPECT_EQ(FormatAmountText(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
  EXPECT_EQ(FormatAmountText(-std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(AmountTextTest, RoundTrips) {
  for (double amount : {0.01, -0.01, 1500.0, -50.25, 123456789.12, -98765432109.87}) {
    std::optional<std::string> text = FormatAmountText(amount);
    ASSERT_TRUE(text) << amount;
    EXPECT_EQ(text->size(), kAmountTextWidth);
    EXPECT_DOUBLE_EQ(ParseAmountText(*text), amount) << *text;
  }
}

TEST(RevisionCodeTest, IsOneHundredMinusTheRevision) {
  const std::pair<int, const char*> cases[] = {
      {1, "99"}, {9, "91"}, {10, "90"}, {95, "05"}, {99, "01"}};
  for (auto [revision, code] : cases) {
    EXPECT_EQ(RevisionCode(revision), code) << revision;
    EXPECT_EQ(RevisionFromCode(code), revision) << code;
  }
  for (int bad : {0, 100, -1}) EXPECT_EQ(RevisionCode(bad), std::nullopt) << bad;
  for (const char* bad : {"00", "5", "100", "a1", ""})
    EXPECT_EQ(RevisionFromCode(bad), std::nullopt) << bad;
}

TEST(BudgetTextAmountTest, KeepsTheWholePartAndTheSign) {
  EXPECT_EQ(FormatBudgetTextAmount(-1234.5), "000000001234-");
  EXPECT_EQ(FormatBudgetTextAmount(1234.99), "000000001234+");
  EXPECT_EQ(FormatBudgetTextAmount(0), kZeroBudgetTextAmount);
  EXPECT_EQ(FormatBudgetTextAmount(999999999999.0), "999999999999+");
  EXPECT_EQ(FormatBudgetTextAmount(1e12), std::nullopt);
}

}  // namespace
}  // namespace r7::ledger
