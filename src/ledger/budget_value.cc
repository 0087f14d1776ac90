// The value text of a worksheet budget write. (platform-independent)
#include "ledger/budget_value.h"

#include <charconv>

namespace r7::ledger {
namespace {

// Digits enough for any double a budget can hold; more only add noise below a cent.
constexpr std::size_t kMaxFractionDigits = 15;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<BudgetValue> CleanBudgetValue(std::string_view text) {
  BudgetValue value;
  for (char c : text) {
    if (IsDigit(c) || c == '.' || c == '-' || c == '+') {
      value.cleaned += c;
    } else if (c == '(') {
      value.cleaned += '-';
    }
  }

  std::string whole;
  std::string fraction;
  bool negative = false;
  bool after_point = false;
  for (char c : value.cleaned) {
    if (c == '-' || c == '+') {
      negative = c == '-';
    } else if (c == '.') {
      after_point = true;
    } else if (after_point) {
      if (fraction.size() < kMaxFractionDigits) fraction += c;
    } else if (!(whole.empty() && c == '0')) {
      whole += c;
    }
  }
  if (whole.size() > kMaxBudgetWholeDigits) return std::nullopt;

  std::string number = (whole.empty() ? "0" : whole) + "." + (fraction.empty() ? "0" : fraction);
  double magnitude = 0;
  std::from_chars(number.data(), number.data() + number.size(), magnitude);
  value.amount = negative && magnitude != 0 ? -magnitude : magnitude;
  value.text_amount =
      std::string(kMaxBudgetWholeDigits - whole.size(), '0') + whole + (negative ? '-' : '+');
  return value;
}

}  // namespace r7::ledger
