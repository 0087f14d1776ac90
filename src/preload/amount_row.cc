// One row of an account's preloaded amounts, packed. (platform-independent)
#include "preload/amount_row.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <new>

namespace r7::preload {

bool PackRow(const RowAmounts& amounts, AmountRow* row) {
  row->flags.fill(kAmountStored);
  row->stored.clear();
  std::size_t stored_count = 0;
  for (int j = 0; j < kRowAmounts; ++j) {
    if (std::fabs(amounts[j]) < kZeroAmountBelow) {
      row->flags[j] = kAmountZero;
    } else if (j > 0 && amounts[j] == amounts[j - 1]) {
      row->flags[j] = kAmountRepeats;
    } else {
      ++stored_count;
    }
  }
  try {
    row->stored.reserve(stored_count);  // one allocation of exactly the stored values
  } catch (const std::bad_alloc&) {
    row->flags.fill(kAmountStored);
    row->stored = {};
    return false;
  }
  for (int j = 0; j < kRowAmounts; ++j) {
    if (row->flags[j] == kAmountStored) row->stored.push_back(amounts[j]);
  }
  assert(CheckRow(*row));
  return true;
}

RowAmounts ExpandRow(const AmountRow& row) {
  RowAmounts amounts{};
  ExpandLeading(row, amounts);
  return amounts;
}

void ExpandLeading(const AmountRow& row, std::span<double> out) {
  const std::size_t count = std::min(out.size(), static_cast<std::size_t>(kRowAmounts));
  std::fill(out.begin(), out.end(), 0.0);
  if (row.empty()) return;
  std::size_t next = 0;
  double last = 0.0;
  for (std::size_t j = 0; j < count; ++j) {
    switch (row.flags[j]) {
      case kAmountZero:
        last = 0.0;
        break;
      case kAmountRepeats:
        break;  // `last` already holds amount j-1
      default:
        last = next < row.stored.size() ? row.stored[next++] : 0.0;
        break;
    }
    out[j] = last;
  }
}

bool CheckRow(const AmountRow& row) {
  std::size_t unflagged = 0;
  for (int j = 0; j < kRowAmounts; ++j) {
    std::uint8_t flag = row.flags[j];
    if (flag != kAmountStored && flag != kAmountZero && flag != kAmountRepeats) return false;
    if (j == 0 && flag == kAmountRepeats) return false;
    if (flag == kAmountStored) ++unflagged;
  }
  return row.stored.empty() || row.stored.size() == unflagged;
}

}  // namespace r7::preload
