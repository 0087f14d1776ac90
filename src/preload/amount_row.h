// One row of an account's preloaded amounts, packed. (platform-independent)
//
// A row holds 69 amounts: amount 0 is the year's opening amount, amounts 1 to 13 are
// periods 1 to 13, and amounts 14 to 68 are always zero (nothing loads them; the row keeps
// its full width so that the flags of every row have one shape). Most accounts repeat the
// same few figures from period to period, so a row stores only what it cannot rebuild:
//
//   flag kAmountZero     the amount's absolute value is below 0.0001; it expands to 0
//   flag kAmountRepeats  the amount equals amount j-1 exactly; it expands to the value
//                        amount j-1 expanded to
//   no flag              the amount is the next value of `stored`
//
// Invariants of a packed row (CheckRow asserts them):
//   R1  stored.size() equals the number of amounts without a flag;
//   R2  amount 0 never carries kAmountRepeats, and no amount carries both flags;
//   R3  a row whose `stored` is empty expands to 69 zeros whatever its flags say.
// Packing never reads or writes outside the 69 amounts; expanding a row whose flags and
// values disagree (only possible by hand-made rows) gives zeros for the missing values.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace r7::preload {

inline constexpr int kRowAmounts = 69;
inline constexpr int kLoadedRowAmounts = 14;  // opening amount and periods 1 to 13
inline constexpr double kZeroAmountBelow = 0.0001;

inline constexpr std::uint8_t kAmountStored = 0;
inline constexpr std::uint8_t kAmountZero = 1;
inline constexpr std::uint8_t kAmountRepeats = 2;

using RowAmounts = std::array<double, kRowAmounts>;

struct AmountRow {
  std::array<std::uint8_t, kRowAmounts> flags{};
  std::vector<double> stored;  // empty: the row holds no stored value

  bool empty() const { return stored.empty(); }
};

// Packs `amounts` into `*row`. Returns false when memory ran out; the row is then empty.
bool PackRow(const RowAmounts& amounts, AmountRow* row);

// The 69 amounts of a packed row.
RowAmounts ExpandRow(const AmountRow& row);
// The leading out.size() amounts of a packed row (at most 69), without the rest: a lookup
// needs only the loaded amounts.
void ExpandLeading(const AmountRow& row, std::span<double> out);

// True when `row` keeps invariants R1 and R2.
bool CheckRow(const AmountRow& row);

}  // namespace r7::preload
