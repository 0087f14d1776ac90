// Filling the amount table from ledger records and taking a window's amount from it.
// (platform-independent)
#include "specifiers/amount_table.h"

#include <cmath>

#include "base/error_codes.h"

namespace r7 {
namespace {

constexpr int kSlotBeforeLast = kLastPeriodSlot - 1;

bool WholePartIsZero(double value) {
  return std::trunc(value) == 0.0;
}

// Adds one record's stored period amounts into a year block of the actual figures.
// Income-statement records hold running totals of the year, which become the change of
// each period; the balance record's opening is taken off first, so that the first period
// does not carry it.
void AddActualFigures(const PeriodFigures& record, bool subtract_opening, int account_kind,
                      int period_count, int year, AmountTable* table) {
  if (account_kind == kBalanceSheetAccount) {
    for (int i = 0; i <= kLastPeriodSlot; ++i) {
      table->At(kActualFigures, year, i) += record.periods[i];
    }
    return;
  }
  const double opening = subtract_opening ? record.opening : 0.0;
  double previous = 0.0;
  for (int i = 0; i <= kLastPeriodSlot; ++i) {
    const double figure = record.periods[i] - opening;
    double change = i == 0 ? figure : figure - previous;
    // A 12-period year whose 13th period holds nothing keeps it at nothing, instead of
    // showing the whole year reversed as that period's change.
    if (i == kLastPeriodSlot && period_count == 12 && WholePartIsZero(record.periods[i])) {
      change = record.periods[i];
    }
    table->At(kActualFigures, year, i) += change;
    previous = figure;
  }
}

double SumSlots(const AmountTable& table, int figures, int year, int from, int to) {
  double sum = 0.0;
  for (int i = from; i <= to; ++i) sum += table.At(figures, year, i);
  return sum;
}

bool InRange(int value, int low, int high) {
  return value >= low && value <= high;
}

// The window comes from ComputePeriodWindow; a window built any other way must still
// never lead outside the table.
bool WindowIsReadable(const PeriodWindow& w) {
  if (!InRange(w.figures, 0, 1) || !InRange(w.start_year, 0, 1) || !InRange(w.end_year, 0, 1) ||
      !InRange(w.last_slot, 0, kLastPeriodSlot) || !InRange(w.reference_slot, 0, kLastPeriodSlot)) {
    return false;
  }
  if (w.running != 0) return InRange(w.start_slot, 0, w.last_slot);
  return InRange(w.start_slot, 0, kLastPeriodSlot) && w.span >= 0 &&
         w.start_slot + w.span <= kLastPeriodSlot;
}

// Periods after the current one carry no activity and an unchanged balance. For
// balance-sheet accounts an empty 13th period repeats the 12th period's balance.
void PrepareTable(const PeriodWindow& w, bool use_alternative, int kind, AmountTable* table) {
  if (!use_alternative) {
    const double balance = table->At(kActualFigures, kThisYear, w.reference_slot);
    for (int i = w.reference_slot + 1; i <= kLastPeriodSlot; ++i) {
      table->At(kActualFigures, kThisYear, i) = kind == kIncomeStatementAccount ? 0.0 : balance;
    }
  }
  if (kind == kBalanceSheetAccount) {
    for (int year : {kLastYear, kThisYear}) {
      if (year == kThisYear && !use_alternative) continue;
      double& thirteenth = table->At(kActualFigures, year, kLastPeriodSlot);
      if (WholePartIsZero(thirteenth)) {
        thirteenth = table->At(kActualFigures, year, kSlotBeforeLast);
      }
    }
  }
}

}  // namespace

void ClearAmountTable(AmountTable* table) {
  table->amounts.fill(0.0);
}

void FillAmountTable(const LoadedRecords& records, int load_code, int account_kind,
                     bool use_alternative, int period_count, AmountTable* table) {
  switch (load_code) {
    case kLoadLastYear:
      AddActualFigures(records.last_year, false, account_kind, period_count, kLastYear, table);
      break;
    case kLoadThisYear:
      if (use_alternative) {
        AddActualFigures(records.alternative, false, account_kind, period_count, kThisYear, table);
      } else {
        AddActualFigures(records.this_year, true, account_kind, period_count, kThisYear, table);
      }
      break;
    case kLoadBudget:
      for (int i = 0; i <= kLastPeriodSlot; ++i) {
        table->At(kActualFigures, kThisYear, i) += records.budget.periods[i];
        table->At(kBudgetFigures, kThisYear, i) += records.budget.periods[i];
      }
      break;
    default:
      break;
  }
  // The opening balance before the first period of this year: balance-sheet accounts
  // only, from the balance record only.
  if (account_kind == kBalanceSheetAccount && load_code == kLoadThisYear && !use_alternative) {
    table->At(kActualFigures, kThisYear, kOpeningSlot) += records.this_year.opening;
  }
}

int ExtractWindowAmount(const PeriodWindow& window, const AmountTable& table, bool use_alternative,
                        int account_kind, double* amount) {
  *amount = 0.0;
  if (!WindowIsReadable(window)) return kNoDataForPeriod;
  const int kind = (window.figures == kBudgetFigures || account_kind != kBalanceSheetAccount)
                       ? kIncomeStatementAccount
                       : kBalanceSheetAccount;
  AmountTable prepared = table;
  PrepareTable(window, use_alternative, kind, &prepared);

  const int f = window.figures;
  const int sy = window.start_year;
  const int s = window.start_slot;

  if (window.running != 0) {
    const int ey = window.end_year;
    const int e = window.reference_slot;
    if (kind == kBalanceSheetAccount) {
      *amount = prepared.At(f, ey, e) - prepared.At(f, sy, s);
    } else if (sy != ey) {
      *amount =
          SumSlots(prepared, f, sy, s + 1, window.last_slot) + SumSlots(prepared, f, ey, 0, e);
    } else {
      *amount = SumSlots(prepared, f, sy, s + 1, e);
    }
    return kOk;
  }

  const int end = s + window.span;
  if (kind == kIncomeStatementAccount) {
    const bool opening_balance = window.change == 0 && window.opening != 0;
    *amount = opening_balance ? 0.0 : SumSlots(prepared, f, sy, s, end);
    return kOk;
  }
  if (window.change == 0 && window.opening == 0) {
    *amount = prepared.At(f, sy, end);
    return kOk;
  }
  // The balance before the window: for the first period of this year the opening balance;
  // last year's opening balance is not loaded.
  double before = 0.0;
  if (s > 0) {
    before = prepared.At(f, sy, s - 1);
  } else if (sy == kThisYear) {
    before = prepared.At(f, kThisYear, kOpeningSlot);
  } else {
    return kNoDataForPeriod;
  }
  *amount = window.change == 0 ? before : prepared.At(f, sy, end) - before;
  return kOk;
}

}  // namespace r7
