// The amount texts of the ledger records, budget text amounts, and revision codes.
#include "ledger/amount_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace r7::ledger {
namespace {

TEST(AmountTextTest, ParsesTheStoredText) {
  const std::pair<std::string, double> cases[] = {
      {"00000000012345+", 123.45},
      {"00000000012345-", -123.45},
      {"00000000012345 ", 123.45},  // any sign but "-" is positive
      {"00000000000000+", 0},
      {"99999999999999-", -999999999999.99},
      {"12345000000000+", 123450000000.00},
      {"", 0},
      {std::string(1, '\0') + "0000000012345-", 0},  // empty field
      {"0000x000012345+", 123.45},                   // a group counts up to its first non-digit
      {"000000000123", 1.23},                        // cut short: no sign
      {"00012", 120000000.00},
  };
  for (const auto& [field, amount] : cases)
    EXPECT_DOUBLE_EQ(ParseAmountText(field), amount) << field;
}

TEST(AmountTextTest, FormatsCentsWithTheSign) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  const std::pair<double, std::optional<std::string>> cases[] = {
      {123.45, "00000000012345+"}, {-123.45, "00000000012345-"},
      {0, "00000000000000+"},      {-0.004, "00000000000000+"},  // rounds to zero: no minus
      {0.005, "00000000000001+"},  {999999999999.99, "99999999999999+"},
      {1e12, std::nullopt},        {nan, std::nullopt},
      {-infinity, std::nullopt},
  };
  for (const auto& [amount, text] : cases) EXPECT_EQ(FormatAmountText(amount), text) << amount;
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
  const std::pair<double, std::optional<std::string>> cases[] = {
      {-1234.5, "000000001234-"},
      {1234.99, "000000001234+"},
      {0, std::string(kZeroBudgetTextAmount)},
      {999999999999.0, "999999999999+"},
      {1e12, std::nullopt},
  };
  for (const auto& [amount, text] : cases)
    EXPECT_EQ(FormatBudgetTextAmount(amount), text) << amount;
}

}  // namespace
}  // namespace r7::ledger
