// Amounts as text: cell results (zero label, rounding, scaling, the 21-digit layout) and
// the amounts of the tools' lists and clipboard rows (locale separators, two decimals,
// negatives in parentheses). (platform-independent)
#pragma once

#include <optional>
#include <string>

#include "base/error_reporter.h"
#include "base/settings.h"
#include "platform/locale_info.h"

namespace r7 {

// The cell text of an amount under the Zero Label, Rounding and Scaling settings.
std::string FormatAmount(double amount, const Settings& settings);

// The amount as FormatAmount writes it, before the text: rounded under the Rounding
// setting (halves away from zero), then divided under the Scaling setting.
double RoundAndScale(double amount, const Settings& settings);

// The 21-digit layout alone: the shortest digits that identify the double (at most 17), fixed
// notation for decimal exponents -1 to 20, otherwise d.ddde+NNN; trailing zeros after the point
// removed, the point kept ("1500.", "12.5", "5.e-002").
std::string AmountLayout(double amount);

// The cell text when a lookup found no matching account: "0.0" when NA Label is set,
// else the pending error text (left pending) or "NA".
std::string NoDataResult(const Settings& settings, const ErrorReporter& errors);

// Amounts of lists and clipboard rows: '1,234,567.89', '(1,500.00)', '0.00'.
class DisplayAmountFormatter {
 public:
  explicit DisplayAmountFormatter(platform::LocaleInfo& locale) : locale_(locale) {}
  std::string Format(double amount);

 private:
  struct Separators {
    std::string decimal;
    std::string thousands;
    int grouping;  // digits a group; 0: no grouping
  };
  const Separators& separators();  // read from the locale on first use, then kept

  platform::LocaleInfo& locale_;
  std::optional<Separators> separators_;
};

}  // namespace r7
