// The value text of a worksheet budget write, cleaned, and the two forms the budget record
// keeps it in: a double and a 13-character text amount. (platform-independent)
//
// Cleaning keeps digits, ".", "-" and "+", turns "(" into "-" and drops everything else,
// so thousands separators and a closing parenthesis go: '(1,234.50)' becomes '-1234.50'.
// Both forms come from the cleaned text, so they always agree: the digits before the first
// "." are the whole part, the digits after it the fraction, and the last "+" or "-" gives
// the sign. The text amount is the whole part in 12 zero-filled digits and the sign
// ('-1234.50' gives 000000001234-).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace r7::ledger {

inline constexpr std::size_t kMaxBudgetWholeDigits = 12;

struct BudgetValue {
  std::string cleaned;      // what the cell shows after the write
  double amount = 0;        // the period's double
  std::string text_amount;  // the period's 13-character text amount
};

// The cleaned value; nothing when its whole part needs more than 12 digits (leading zeros
// do not count).
std::optional<BudgetValue> CleanBudgetValue(std::string_view text);

}  // namespace r7::ledger
