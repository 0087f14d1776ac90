// Budget records written into one company's budget file: what the worksheet's budget write
// and the budget table from the clipboard share. (platform-independent)
//
// While a writer lives, the company's budget slot holds the budget file opened for writing;
// when it goes, the slot holds the read-only file again, as the balance engine expects,
// whatever happened. Each record is written by one record-manager call, an update or an
// insert, so no record is ever half written. Writes may be grouped: a group is one
// record-manager transaction, so that a long run of records costs one durable commit per
// group instead of one per record, and a group either reaches the file whole or not at all.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ledger/budget_value.h"
#include "ledger/company_catalogue.h"
#include "ledger/ledger_records.h"
#include "ledger/ledger_services.h"

namespace r7 {

// The values a write puts into the periods of a budget record (index 0 is period 1). A
// period without one keeps its value in a record that exists and is 0 in a new one.
using BudgetPeriodValues =
    std::array<std::optional<ledger::BudgetValue>, ledger::kPeriodsPerRecord>;

// The 24-character stored account number of an account text "main-profit center-
// department" (fewer segments leave the others zero); nothing when the text has more than
// three segments or a segment of more than 8 characters, which no key could hold.
std::optional<std::string> BudgetAccountNumber(std::string_view text);

// A year as a budget key holds it: 4 digits.
bool IsBudgetYear(std::string_view year);
// The revision code of a revision of digits alone, 1 to 99 ("01" gives "99"); nothing
// otherwise.
std::optional<std::string> BudgetRevisionCode(std::string_view revision);

class BudgetFileWriter {
 public:
  enum class Failure { kNone, kBudgetFile, kAccountFile };

  BudgetFileWriter(const LedgerServices& services, CompanyContext& company);
  // An open group is abandoned: none of its records was claimed written.
  ~BudgetFileWriter();
  BudgetFileWriter(const BudgetFileWriter&) = delete;
  BudgetFileWriter& operator=(const BudgetFileWriter&) = delete;

  // Opens the budget file for writing, and the chart when its slot is closed: 0, or 10 with
  // failure() naming the file that would not open.
  int Open();
  Failure failure() const { return failure_; }

  // The record of the stored account number, year and revision code. Found: the periods
  // given replace theirs and it is rewritten with its own length. Not found: a new record,
  // every text amount "000000000000+" and every amount 0 but the periods given, when the
  // chart has the account. 0; 58 when the chart has not; 38 when the record manager
  // refused (its status in the record manager's last status).
  int Write(std::string_view account_number, std::string_view year, std::string_view revision_code,
            const BudgetPeriodValues& values);

  // The writes from BeginGroup to EndGroup are committed together. False when the record
  // manager offers no transactions: the writes then stand one by one. EndGroup: 0, or 38
  // when the commit failed, and then none of the group's records is in the file.
  bool BeginGroup();
  int EndGroup();
  bool in_group() const { return in_group_; }

 private:
  int WriteRecord(std::string_view account_number, std::string_view year,
                  std::string_view revision_code, const BudgetPeriodValues& values);

  const LedgerServices& services_;
  CompanyContext& company_;
  Failure failure_ = Failure::kNone;
  bool in_group_ = false;
  int failed_status_ = 0;  // the record manager's status of the last write that failed
};

}  // namespace r7
