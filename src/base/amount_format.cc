// Amounts as text. (platform-independent)
#include "base/amount_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/text_util.h"

namespace r7 {
namespace {

constexpr int kLayoutDigits = 21;

// Scaling selector 1..7 picks the divisor 10 .. 10000000; anything else: 1.
double ScalingDivisor(int selector) {
  return (selector >= 1 && selector <= 7) ? std::pow(10.0, selector) : 1.0;
}

void RemoveTrailingZeros(std::string& digits_after_point) {
  while (!digits_after_point.empty() && digits_after_point.back() == '0') {
    digits_after_point.pop_back();
  }
}

}  // namespace

std::string AmountLayout(double amount) {
  if (std::isnan(amount)) return "nan";
  if (std::isinf(amount)) return amount < 0 ? "-inf" : "inf";
  // The significant digits and the decimal exponent of the first of them. The shortest
  // digits that read back as the same double never exceed 17, and they keep binary noise
  // out of the cell: 0.05 shows as 5.e-002, not 5.0000000000000003e-002.
  char scientific[64];
  auto converted = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(amount),
                                 std::chars_format::scientific);
  std::string_view text(scientific, static_cast<std::size_t>(converted.ptr - scientific));
  std::size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (c != '.') digits += c;
  }
  int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  std::string sign = std::signbit(amount) && amount != 0 ? "-" : "";

  if (amount == 0) return "0.";
  if (exponent >= -1 && exponent <= kLayoutDigits - 1) {
    // Fixed: the digits before the point, then 21 minus that many places, zero beyond
    // the 17th significant digit.
    std::string whole, fraction;
    if (exponent < 0) {
      whole = "0";
      fraction = digits;
    } else {
      std::size_t before = static_cast<std::size_t>(exponent) + 1;
      std::string padded = digits;
      if (padded.size() < before) padded.append(before - padded.size(), '0');
      whole = padded.substr(0, before);
      fraction = padded.substr(before);
    }
    RemoveTrailingZeros(fraction);
    return sign + whole + "." + fraction;
  }
  std::string mantissa_fraction = digits.substr(1);
  RemoveTrailingZeros(mantissa_fraction);
  char exponent_text[16];
  std::snprintf(exponent_text, sizeof exponent_text, "e%c%03d", exponent < 0 ? '-' : '+',
                std::abs(exponent));
  return sign + digits.substr(0, 1) + "." + mantissa_fraction + exponent_text;
}

double RoundAndScale(double amount, const Settings& settings) {
  if (settings.rounding >= 1 && settings.rounding <= 9) {
    // Halves round away from zero. A unit below 1 (0.01, 0.1) has no exact double, so the
    // amount is counted in hundredths or tenths and divided back: multiplying by 0.01
    // would leave binary noise in the cell (144972.08000000002).
    const int exponent = settings.rounding - 3;
    const double half = amount >= 0 ? 0.5 : -0.5;
    if (exponent < 0) {
      const double per_unit = std::pow(10.0, -exponent);
      amount = std::trunc(amount * per_unit + half) / per_unit;
    } else {
      const double unit = std::pow(10.0, exponent);
      amount = std::trunc(amount / unit + half) * unit;
    }
  }
  return amount / ScalingDivisor(settings.scaling);
}

std::string FormatAmount(double amount, const Settings& settings) {
  if (settings.zero_label != "0" && amount == 0) return settings.zero_label;
  return std::string(TrimLeadingBlanks(AmountLayout(RoundAndScale(amount, settings))));
}

std::string NoDataResult(const Settings& settings, const ErrorReporter& errors) {
  if (settings.na_label != 0) return "0.0";
  return errors.pending() ? CutTo(errors.text(), 255) : "NA";
}

const DisplayAmountFormatter::Separators& DisplayAmountFormatter::separators() {
  if (!separators_) {
    auto read = [this](platform::LocaleItem item, const char* fallback) {
      std::optional<std::string> value = locale_.Read(item);
      return (value && !value->empty() && value->size() <= 20) ? *value : std::string(fallback);
    };
    std::string grouping = read(platform::LocaleItem::kDigitGrouping, "3");
    separators_ =
        Separators{read(platform::LocaleItem::kDecimalSeparator, "."),
                   read(platform::LocaleItem::kThousandsSeparator, ","), LeadingInt(grouping)};
  }
  return *separators_;
}

std::string DisplayAmountFormatter::Format(double amount) {
  const Separators& sep = separators();
  if (amount == 0 || std::fabs(amount) < 0.00001 || !std::isfinite(amount)) {
    return "0" + sep.decimal + "00";
  }
  const bool negative = amount < 0;
  double cents = std::trunc((std::fabs(amount) + 0.005) / 0.01) * 0.01;
  // Six decimals printed, two kept: the digits past them are only print noise.
  std::string printed(static_cast<std::size_t>(std::snprintf(nullptr, 0, "%.6f", cents)), '\0');
  std::snprintf(printed.data(), printed.size() + 1, "%.6f", cents);
  std::size_t point = printed.find('.');
  std::string whole = printed.substr(0, point);
  std::string decimals = point == std::string::npos ? "" : printed.substr(point + 1, 2);
  decimals.resize(2, '0');

  std::string grouped;
  const int group = sep.grouping;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    std::size_t remaining = whole.size() - i;
    if (group > 0 && i > 0 && remaining % static_cast<std::size_t>(group) == 0) {
      grouped += sep.thousands;
    }
    grouped += whole[i];
  }
  std::string text = grouped + sep.decimal + decimals;
  return negative ? "(" + text + ")" : text;
}

}  // namespace r7
