// The value text of a budget write, cleaned: the cleaned text holds only what the cleaning
// keeps, the text amount is 12 digits and a sign, and the double and the text amount agree.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "ledger/budget_value.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<r7::ledger::BudgetValue> value =
      r7::ledger::CleanBudgetValue(std::string_view(bytes.c_str()));
  if (!value) return 0;
  FUZZ_CHECK(value->cleaned.find_first_not_of("0123456789.-+") == std::string::npos);
  FUZZ_CHECK(value->cleaned.size() <= bytes.size());
  const std::string& text = value->text_amount;
  FUZZ_CHECK(text.size() == 13);
  FUZZ_CHECK(text.find_first_not_of("0123456789") == 12);
  FUZZ_CHECK(text[12] == '+' || text[12] == '-');
  FUZZ_CHECK(std::isfinite(value->amount));
  // The whole part of the double is the text amount's number, with its sign.
  const double whole = std::stod(text.substr(0, 12));
  // (a fraction of fifteen digits may round the double up to the next whole number)
  FUZZ_CHECK(std::fabs(std::trunc(std::fabs(value->amount)) - whole) <= 1);
  if (value->amount != 0) FUZZ_CHECK((value->amount < 0) == (text[12] == '-'));
  return 0;
}
