// The ledger's text forms of amounts and budget revisions. (platform-independent)
//
// `AmountText` is how the ledger keeps an opening balance or a transaction amount: 15
// characters, 14 decimal digits zero-filled on the left with two implied decimals, then
// a sign character, "-" for a negative amount and anything else for a positive one.
// `RevisionCode` is how a budget revision sits in the budget file's keys: 100 minus the
// revision in two digits, so that later revisions sort first.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace r7::ledger {

inline constexpr std::size_t kAmountTextWidth = 15;
inline constexpr std::size_t kRevisionCodeWidth = 2;
inline constexpr int kLowestRevision = 1;
inline constexpr int kHighestRevision = 99;

// The amount an `AmountText` field holds. The field is read as far as it goes: a field
// whose first character is NUL is 0; each of the two digit groups (the first 5 digits,
// then the last 9) counts up to its first character that is not a digit, and a field
// shorter than 15 characters has no sign.
double ParseAmountText(std::string_view field);

// The 15-character text of `amount`, rounded to cents, sign "+" or "-". Nothing when the
// amount is not finite or its cents need more than 14 digits.
std::optional<std::string> FormatAmountText(double amount);

// "99" for revision 1 down to "01" for revision 99; nothing for a revision outside 1..99.
std::optional<std::string> RevisionCode(int revision);

// The revision a two-digit revision code stands for; nothing when it is not such a code.
std::optional<int> RevisionFromCode(std::string_view code);

// A budget record's 13-character text form of a period amount: the whole-number part in
// 12 zero-filled digits, then "+" or "-". Nothing when the whole part needs more than 12
// digits or the amount is not finite.
std::optional<std::string> FormatBudgetTextAmount(double amount);

// The text amount of a period that holds nothing: "000000000000+".
inline constexpr std::string_view kZeroBudgetTextAmount = "000000000000+";

}  // namespace r7::ledger
