// Amount texts: the cell text under rounding, scaling and labels, and the locale's list text.
#include "base/amount_format.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "fakes/fake_platform.h"

namespace r7 {
namespace {

TEST(FormatAmountTest, GivesTheCellText) {
  // The amount, rounding, scaling and zero label, and the cell text.
  const std::tuple<double, int, int, const char*, const char*> cases[] = {
      // clang-format off
      // Zero labels.
      {0, 0, 0, "0", "0."}, {0, 0, 0, "-", "-"}, {0, 0, 0, "", ""}, {0, 3, 3, "nil", "nil"},
      // Plain values keep their point; trailing zeros go.
      {1500, 0, 0, "0", "1500."}, {12.5, 0, 0, "0", "12.5"}, {-12.5, 0, 0, "0", "-12.5"},
      {0.5, 0, 0, "0", "0.5"},
      // Rounding applies before scaling; halves go away from zero.
      {12345.678, 3, 3, "0", "12.346"},       {12345.678, 3, 0, "0", "12346."},
      {-2.5, 3, 0, "0", "-3."},               {2.5, 3, 0, "0", "3."},
      {-0.125, 1, 0, "0", "-0.13"},           {144972.08, 1, 0, "0", "144972.08"},
      {-144972.075, 1, 0, "0", "-144972.08"}, {0.05, 2, 0, "0", "0.1"},
      {1234567, 6, 0, "0", "1235000."},       {1234567, 9, 0, "0", "1000000."},
      {1234567, 10, 0, "0", "1234567."},      {5, 0, 8, "0", "5."},
      // Exponents outside -1..20 give exponential notation.
      {0.05, 0, 0, "0", "5.e-002"},                {-0.05, 0, 0, "0", "-5.e-002"},
      {1e20, 0, 0, "0", "100000000000000000000."}, {1e21, 0, 0, "0", "1.e+021"},
      {1.5e300, 0, 0, "0", "1.5e+300"},
      // At most 17 significant digits; the places beyond them are zeros.
      {0.1, 0, 0, "0", "0.1"},
      {0.1 + 0.2, 0, 0, "0", "0.30000000000000004"},
      {123456789012345678.0, 0, 0, "0", "123456789012345680."},
      {1.0 / 3.0, 0, 0, "0", "0.3333333333333333"},
      {-1234567.891, 0, 0, "0", "-1234567.891"},
      // clang-format on
  };
  for (const auto& [amount, rounding, scaling, zero_label, expected] : cases) {
    Settings settings;
    ResetToDefaults(settings);
    settings.rounding = rounding;
    settings.scaling = scaling;
    settings.zero_label = zero_label;
    EXPECT_EQ(FormatAmount(amount, settings), expected)
        << amount << " rounding " << rounding << " scaling " << scaling;
  }
  EXPECT_EQ(AmountLayout(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(AmountLayout(std::numeric_limits<double>::denorm_min()), "5.e-324");
  EXPECT_EQ(AmountLayout(-0.0), "0.");
}

TEST(NoDataResultTest, FollowsTheNaLabel) {
  Settings settings;
  ResetToDefaults(settings);
  ErrorReporter errors;
  settings.zero_label = "-";
  EXPECT_EQ(NoDataResult(settings, errors), "0.0");  // NA Label 1, not the Zero Label
  settings.na_label = 0;
  EXPECT_EQ(NoDataResult(settings, errors), "NA");
  errors.SetError(22, "1000");
  EXPECT_EQ(NoDataResult(settings, errors), "R7 [Tessary] No matching accounts found - 1000");
  EXPECT_TRUE(errors.pending());
}

TEST(DisplayAmountTest, GivesTheListTextAndReadsTheLocaleOnce) {
  // The amount, decimal point, thousands separator and grouping, and the list text.
  const std::tuple<double, const char*, const char*, const char*, const char*> cases[] = {
      // clang-format off
      {1234567.891, ".", ",", "3", "1,234,567.89"}, {-1500, ".", ",", "3", "(1,500.00)"},
      {0.004, ".", ",", "3", "0.00"},               {0.000001, ".", ",", "3", "0.00"},
      {0, ".", ",", "3", "0.00"},                   {123456, ".", ",", "0", "123456.00"},
      {1234567.5, ",", ".", "3;0", "1.234.567,50"}, {1234567, ".", " ", "4", "123 4567.00"},
      // Unreadable, empty or over-long items fall back to ".", "," and 3.
      {1234.5, nullptr, "", "3", "1,234.50"},
      {1234.5, "123456789012345678901", ",", "3", "1,234.50"},
      {-1e15, ".", ",", "3", "(1,000,000,000,000,000.00)"},
      // clang-format on
  };
  for (const auto& [amount, decimal, thousands, grouping, expected] : cases) {
    testing::FixedLocale locale;
    locale.decimal = decimal ? std::optional<std::string>(decimal) : std::nullopt;
    locale.thousands = thousands;
    locale.grouping = grouping;
    EXPECT_EQ(DisplayAmountFormatter(locale).Format(amount), expected) << expected;
  }
  testing::FixedLocale locale;
  DisplayAmountFormatter formatter(locale);
  EXPECT_EQ(formatter.Format(1000), "1,000.00");
  locale.thousands = "'";
  EXPECT_EQ(formatter.Format(1000), "1,000.00");
}

}  // namespace
}  // namespace r7
