// One account's records in the year files, read by the account's key, and the amount of a
// period item taken from them: what the balance engine sums for a request that selects that
// account alone. (platform-independent)
//
// A tool that wants the amounts of every account of a walk (the chart copy) reads each
// account's few records by key instead of walking every year file once per account. The
// records are those the engine's passes would deliver (item plans, pass_plan.h): this
// year's balance record, or for an earlier year that year's comparative record; the budget
// record of the year and revision; the comparative record of the year before. A record
// that is not there adds nothing, as the engine's walk with "NA Label" on adds nothing for
// a file that holds no record of the account.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "ledger/company_catalogue.h"
#include "ledger/ledger_services.h"
#include "ledger/pass_plan.h"
#include "specifiers/account_request.h"
#include "specifiers/amount_table.h"

namespace r7 {

// The records of one account, each with whether the file held it, by iteration file number
// (kIterateBalances, kIterateBudgets, kIteratePriorComparatives, kIterateComparatives).
struct AccountRecords {
  LoadedRecords figures;
  std::array<bool, kIterateComparatives + 1> found{};
};

class AccountRecordReader {
 public:
  // For `request`'s year and revision in `company`, which must have status 0. Reads no file
  // until Include() names the passes it serves.
  AccountRecordReader(const LedgerServices& services, CompanyContext& company,
                      const AccountRequest& request);

  // Opens the files of the chart walk and its amounts when they are not open: the chart,
  // this year's balances (unless the year is an earlier one), the budgets and the
  // comparative balances. 0, or the failing open's code reported with the file's name.
  int OpenFiles();

  // Reads the records of these passes too, from the next Read() on.
  void Include(const PassPlan& passes);

  // The included records of the account whose 24-character number is given: 0, or 38
  // after reporting a read that failed otherwise than by finding nothing.
  int Read(std::string_view account_number, AccountRecords* records);

 private:
  int ReadOne(int file_number, std::string_view account_number, AccountRecords* records);

  const LedgerServices& services_;
  CompanyContext& company_;
  std::string year_;
  std::string prior_year_text_;  // the year before, four digits
  std::string revision_code_;    // empty when the revision names no budget
  bool earlier_year_ = false;    // the year's comparative balances stand in for this year's
  std::array<bool, kIterateComparatives + 1> included_{};
};

// The amount of a planned item (status 0) for one account of `account_kind` from its
// records: each pass whose record was found adds it with the pass's load code, and the
// window's amount is taken, exactly as the engine does. 0 with `*amount`, or 18.
int AccountItemAmount(const ItemPlan& item, const AccountRecords& records, int account_kind,
                      const CompanyContext& company, int request_year, double* amount);

}  // namespace r7
