// The cleaned value of a worksheet budget write, and the period slot a period item names.
#include "ledger/budget_value.h"

#include <gtest/gtest.h>

#include <tuple>

#include "ledger/budget_writer.h"
#include "specifiers/named_month.h"
#include "specifiers/period_parser.h"

namespace r7 {
namespace {

TEST(BudgetValueTest, BothFormsComeFromTheCleanedTextOfAtMostTwelveWholeDigits) {
  // The text, then the cleaned text, the amount and the text amount written from it.
  const std::tuple<const char*, const char*, double, const char*> cases[] = {
      {"-1234.5", "-1234.5", -1234.5, "000000001234-"},
      {"(1,234.50)", "-1234.50", -1234.5, "000000001234-"},
      {"1,234.50-", "1234.50-", -1234.5, "000000001234-"},
      {"$ 2,500", "2500", 2500, "000000002500+"},
      {"+7", "+7", 7, "000000000007+"},
      {"-3+", "-3+", 3, "000000000003+"},  // the last sign wins
      {"0.99", "0.99", 0.99, "000000000000+"},
      {"-0.5", "-0.5", -0.5, "000000000000-"},
      {"", "", 0, "000000000000+"},
      {"abc", "", 0, "000000000000+"},
      {"-0", "-0", 0, "000000000000-"},
      {"1.2.3", "1.2.3", 1.23, "000000000001+"},
      {"999999999999.99", "999999999999.99", 999999999999.99, "999999999999+"},
      {"0000000000001", "0000000000001", 1, "000000000001+"},  // leading zeros do not count
  };
  for (auto [text, cleaned, amount, text_amount] : cases) {
    std::optional<ledger::BudgetValue> value = ledger::CleanBudgetValue(text);
    ASSERT_TRUE(value.has_value()) << text;
    EXPECT_EQ(value->cleaned, cleaned) << text;
    EXPECT_DOUBLE_EQ(value->amount, amount) << text;
    EXPECT_EQ(value->text_amount, text_amount) << text;
  }
  // A whole part of more than twelve digits is refused.
  EXPECT_FALSE(ledger::CleanBudgetValue("1234567890123").has_value());
  EXPECT_FALSE(ledger::CleanBudgetValue("1,234,567,890,123.00").has_value());
  EXPECT_TRUE(ledger::CleanBudgetValue("123456789012").has_value());
  EXPECT_TRUE(ledger::CleanBudgetValue(std::string(600, '9').insert(0, ".")).has_value());
}

TEST(BudgetPeriodSlotTest, OnlySinglePeriodsOfThisYearNameASlot) {
  // The period item, the current period, and the slot it names (-1: none).
  const std::tuple<const char*, int, int> cases[] = {
      {"Month", 5, 4},
      {"5", 5, 4},
      {"Period 13", 5, 12},
      {"Month 3 Budget", 5, 2},
      {"Last Month", 5, 3},
      {"4 Months Ago", 5, 0},
      {"5 Months Ago", 5, -1},
      {"Month", 13, 12},
      {"Month 14", 5, -1},
      {"Month 3 Debits", 5, 2},
      {"Quarter", 5, -1},
      {"Year", 5, -1},
      {"Month Year To Date", 5, -1},
      {"Month Last Year", 5, -1},
      {"Running Month", 5, -1},
      {"Opening Balance Month", 5, -1},
      {"Change Month 2", 5, 1},
  };
  for (auto [phrase, current_period, slot] : cases) {
    PeriodSpec spec;
    ASSERT_TRUE(ParsePeriodItem(phrase, &spec).ok()) << phrase;
    EXPECT_EQ(BudgetPeriodSlot(spec, current_period).value_or(-1), slot) << phrase;
  }
}

}  // namespace
}  // namespace r7
