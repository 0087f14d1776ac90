// The ledger's text forms of amounts and budget revisions. (platform-independent)
#include "ledger/amount_text.h"

#include <cmath>
#include <cstdio>

namespace r7::ledger {
namespace {

// The value of the leading digits of `group`, as the ledger's C run-time read them.
double LeadingDigits(std::string_view group) {
  double value = 0;
  for (char c : group) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string_view Slice(std::string_view text, std::size_t from, std::size_t count) {
  if (from >= text.size()) return {};
  return text.substr(from, count);
}

}  // namespace

double ParseAmountText(std::string_view field) {
  if (field.empty() || field[0] == '\0') return 0;
  // The 14 digits exceed a 32-bit integer: the legacy files were read in two groups.
  double cents = LeadingDigits(Slice(field, 0, 5)) * 1e9 + LeadingDigits(Slice(field, 5, 9));
  bool negative = field.size() >= kAmountTextWidth && field[14] == '-';
  double amount = cents / 100;
  return negative ? -amount : amount;
}

std::optional<std::string> FormatAmountText(double amount) {
  if (!std::isfinite(amount)) return std::nullopt;
  double cents = std::round(std::fabs(amount) * 100);
  if (cents >= 1e14) return std::nullopt;
  char text[32];
  std::snprintf(text, sizeof text, "%014.0f%c", cents, amount < 0 && cents != 0 ? '-' : '+');
  return std::string(text);
}

std::optional<std::string> RevisionCode(int revision) {
  if (revision < kLowestRevision || revision > kHighestRevision) return std::nullopt;
  char text[8];
  std::snprintf(text, sizeof text, "%02d", 100 - revision);
  return std::string(text);
}

std::optional<int> RevisionFromCode(std::string_view code) {
  if (code.size() != kRevisionCodeWidth) return std::nullopt;
  for (char c : code)
    if (c < '0' || c > '9') return std::nullopt;
  int value = (code[0] - '0') * 10 + (code[1] - '0');
  if (value == 0) return std::nullopt;
  return 100 - value;
}

std::optional<std::string> FormatBudgetTextAmount(double amount) {
  if (!std::isfinite(amount)) return std::nullopt;
  double whole = std::trunc(std::fabs(amount));
  if (whole >= 1e12) return std::nullopt;
  char text[32];
  std::snprintf(text, sizeof text, "%012.0f%c", whole, amount < 0 ? '-' : '+');
  return std::string(text);
}

}  // namespace r7::ledger
