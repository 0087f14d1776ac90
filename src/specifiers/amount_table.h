// The amount table of one request and the amount of a period window taken from it.
// (platform-independent)
//
// The table holds 56 amounts: actual and budget figures, this year and last year, the 13
// period slots and the year's opening balance. For income-statement accounts a period slot
// holds the net change of that period; for balance-sheet accounts the balance at its end.
// The caller owns the table and clears it whenever it starts a new sum; FillAmountTable
// adds one account's loaded records into it, so one table can sum many accounts.
#pragma once

#include <array>
#include <cstddef>

#include "specifiers/period_window.h"

namespace r7 {

inline constexpr std::size_t kSlotsPerYear = 14;  // 13 periods and the opening balance
inline constexpr std::size_t kPeriodFigureCount = 13;

struct AmountTable {
  std::array<double, 2 * 2 * kSlotsPerYear> amounts{};  // [figures][year][slot]

  double& At(int figures, int year, int slot) { return amounts[Index(figures, year, slot)]; }
  double At(int figures, int year, int slot) const { return amounts[Index(figures, year, slot)]; }

 private:
  static std::size_t Index(int figures, int year, int slot) {
    return (static_cast<std::size_t>(figures) * 2 + static_cast<std::size_t>(year)) *
               kSlotsPerYear +
           static_cast<std::size_t>(slot);
  }
};
static_assert(sizeof(AmountTable::amounts) / sizeof(double) == 56);

// Account kinds, as the chart's type code gives them.
inline constexpr int kIncomeStatementAccount = 1;
inline constexpr int kBalanceSheetAccount = 2;  // type code "B"

// Load codes: which figures a FillAmountTable call adds.
inline constexpr int kLoadLastYear = 101;
inline constexpr int kLoadThisYear = 103;
inline constexpr int kLoadBudget = 104;

// The figures of one ledger record as the engine has decoded it: the opening balance
// (zero for records that have none) and the 13 period amounts as stored (balances for
// balance-sheet accounts, running year-to-date totals for the others; budget records hold
// each period's own amount).
struct PeriodFigures {
  double opening = 0.0;
  std::array<double, kPeriodFigureCount> periods{};
};

// The saved records of one account.
struct LoadedRecords {
  PeriodFigures this_year;    // this year's balance record
  PeriodFigures budget;       // budget record
  PeriodFigures last_year;    // last year's comparative record
  PeriodFigures alternative;  // read as this year's record when the engine chose it
};

void ClearAmountTable(AmountTable* table);

// Adds the figures that `load_code` selects into `table`: 101 last year's actual figures,
// 103 this year's (from `records.alternative` when `use_alternative`), 104 the budget
// (into both the actual and the budget block of this year). Year-to-date totals of
// income-statement accounts become period changes. Any other load code adds nothing.
void FillAmountTable(const LoadedRecords& records, int load_code, int account_kind,
                     bool use_alternative, int period_count, AmountTable* table);

// The amount of `window` (from the last ComputePeriodWindow) in `table`. Returns kOk with
// `*amount`, or 18 when the window asks for an opening balance that does not exist (the
// start of last year). Budget figures are always read as income-statement figures. The
// caller's table is not changed.
int ExtractWindowAmount(const PeriodWindow& window, const AmountTable& table, bool use_alternative,
                        int account_kind, double* amount);

}  // namespace r7
