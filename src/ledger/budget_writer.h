// The worksheet budget write: one value into one period of one account's budget record.
// (platform-independent)
//
// The only place where a worksheet changes ledger data. The value goes into the company
// that the worksheet named, whose account structure checks the account. Everything that
// can be refused is refused before the budget file is touched, so a refusal leaves the file
// as it was. While the write runs the company's budget slot holds the file opened for
// writing; whatever happens, it holds the read-only file again afterwards, as the balance
// engine expects.
#pragma once

#include <optional>
#include <string>

#include "ledger/account_iteration.h"
#include "ledger/company_catalogue.h"
#include "specifiers/account_request.h"
#include "specifiers/period_spec.h"

namespace r7 {

inline constexpr std::size_t kMaxBudgetAccountText = 26;

// The period slot (0 to 12) that an already resolved item names for a company whose
// current period is `current_period`; nothing for items that name no single period: year
// to date, years back, running windows, opening balances, scales other than periods and
// months, and slots outside 0 to 12.
std::optional<int> BudgetPeriodSlot(const PeriodSpec& resolved, int current_period);

// Writes the value of `*value_text` (cleaned in place, so the cell shows the value
// written) into the period that `spec` names, for the first item of the request's account
// specifier, the request's year and the revision code of its revision. Creates the budget
// record, all other periods zero, when the account has none yet. Returns 0, or:
//   9   a value whose whole part needs more than 12 digits, a year that is not 4 digits,
//       a revision outside 1..99, an account item with "*", "?", "." or "," or of 27
//       characters and more (with the offending text as detail);
//   64  the item names no single period slot;
//   the account check's code (8, 16, 20, 34; 71 and 72 for the template form);
//   10  the budget file or the chart cannot be opened;
//   58  the account is not in the chart;
//   38  the record manager refused the read, update or insert.
int BudgetWriteValue(std::string* value_text, const LedgerServices& services,
                     CompanyContext& company, const AccountRequest& request,
                     const PeriodSpec& spec);

}  // namespace r7
