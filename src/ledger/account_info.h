// Account information and segment descriptions: answers read from the chart of accounts
// (or the financial entities file) for the account and segment worksheet functions.
// (platform-independent)
//
// Both find the company through the catalogue (a company with a nonzero status is
// reported through CheckCompany and its status returned), open the chart when its slot is
// closed, and take the first account the request selects, in key order, from the account
// iteration. Results have their trailing blanks removed.
#pragma once

#include <string>
#include <string_view>

#include "ledger/account_iteration.h"
#include "specifiers/account_request.h"

namespace r7 {

// Items of AccountInfo.
enum AccountInfoItem : int {
  kAccountDescription = 0,
  kAccountType = 1,
  kAccountTypical = 3,
  kAccountConsolidation = 5,
  kAccountSaf = 6,
};

// One item of the first account the request selects: 0 with the text; 22 when no account
// matches; 42 reported and 1 returned for an unknown item; otherwise the failing code.
int AccountInfo(std::string& out, const LedgerServices& services, std::string_view company_code,
                const AccountRequest& request, int item);

// The title of segment 1 to 3 ("Main", "Profit Center", "Department") for an empty account
// text, else the description of the given segment of the account text: from the financial
// entities file when lists use it, else from the title records of profit centers and
// departments, or for segment 1 (or 0) the description of the first matching account.
// Returns 0 with the text, 1 for a segment number outside 1..3 (0 counts as 1 with a
// text), or the failing code (22, 38 with the record manager's status 4 for a value
// without a title record, a company's status, an item check's code).
int SegmentDescription(std::string& out, const LedgerServices& services,
                       std::string_view account_text, int segment, std::string_view company_code,
                       const AccountRequest& request);

}  // namespace r7
