// What the worksheet functions and the tools share for the length of a session, apart from
// the settings that R7.INI holds. (platform-independent)
//
// The DrillContext is the last balance or transaction-total request, from which the
// drill-down starts and which the account enquiry edits; the current From/To dates bound
// the transaction walks while `explicit_dates` says the request in force is bounded by
// them. None of it is saved: the command window's start-up resets it.
#pragma once

#include <array>
#include <string>

#include "base/settings.h"
#include "specifiers/dates.h"

namespace r7 {

// Transaction types of the "GLTRAN" function, shared with the drill-down's total.
inline constexpr int kAllTransactions = 5;
inline constexpr int kDebitTransactions = 6;
inline constexpr int kCreditTransactions = 7;

// The seven columns of the drill-down's transaction view.
inline constexpr int kTransactionFieldCount = 7;

struct DrillContext {
  std::string account;  // account specifier, at most 511 characters
  std::string company;
  std::string year;
  std::string budget_revision;
  int range_type = 0;
  std::string period;  // period specifier, at most 511 characters
  int segment = 0;     // drill segment; past the company's segments: "Transactions"
  std::string from;    // the From and To texts of the current date range
  std::string to;
};

// The period wizard's choices, which outlive its window: the tools seed them from their
// period text before they open it, and the drill-down derives its dates from them.
struct PeriodChoice {
  int balance_type = 1;  // 1 actual, 0 budget
  int year = 1;          // 1 this year, 0 last year
  int values = 1;        // 0 opening balance, 1 ending balance, 2 change
  int duration = 0;      // 0 month, 1 quarter, 2 half year, 3 year
  bool running = false;
  int choice = 14;  // 1 to 13 that period; 14 this period, 15 last period, 16 all periods
  bool ago = false;
};

struct SessionState {
  DrillContext drill;
  PeriodChoice period_choice;
  DateRange current_dates;
  bool explicit_dates = false;
  bool to_chart = false;  // the last pair list held "To Chart"
  int transaction_type = kAllTransactions;
  std::array<bool, kTransactionFieldCount> transaction_fields{};
  // The company whose calendar gives the period wizard's dates: the settings' company when
  // the wizard starts, or the one its opener hands it when told so (command 550).
  std::string period_wizard_company;

  // The start-up state: the DrillContext over everything for the default company, year and
  // revision, every transaction field on, all transactions.
  void Reset(const Settings& settings);
};

}  // namespace r7
