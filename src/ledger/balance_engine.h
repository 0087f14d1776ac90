// The balance engine: how much is in the accounts that a request selects, in one company,
// over a list of period items. (platform-independent)
//
// ComputeBalance asks the preload cache first; when it declines, the engine reads the
// files: the first account of the chart that the request selects gives the account kind
// for the whole sum (2 balance sheet when its type is "B", else 1), then for each period
// item it walks the matching records of the year file(s) that the item's window needs,
// adds them into an amount table and takes the window's amount. Which files:
//   - the request's year is the company's fiscal year: this year's balances (file 1) and,
//     for last year, the comparative balances of the year before (file 3);
//   - the request's year is earlier: the comparative balances of that year (file 4)
//     stand in for this year's, those of the year before it (file 3) for last year's;
//   - budget items: the budgets of the request's year and revision (file 2);
//   - a later year than the fiscal year: budget items only; actual items answer 32.
// The engine never changes the sign of the total; the caller that wants it reversed does.
// It keeps nothing between calls except the files it opened, which stay in their slots.
#pragma once

#include <functional>
#include <string_view>

#include "ledger/account_iteration.h"
#include "ledger/preload_lookup.h"
#include "specifiers/account_request.h"
#include "specifiers/period_spec.h"

namespace r7 {

// Given the 24-character account number of every record the engine reads, while a tool
// collects segment values.
using SegmentValueCollector = std::function<void(std::string_view account_number)>;

struct BalanceCollaborators {
  const LedgerServices& services;
  PreloadLookup& preload;
  bool usage_tracking = false;  // record every visited account in the used-account list
  const SegmentValueCollector* collector = nullptr;  // null while nobody collects
};

// Writes the request's budget flag (set when the first period item asks for budgets) and
// returns 0 with `*total`, or:
//   1   no company context could be had;
//   the company's status (reported through CheckCompany) for a company that failed to load;
//   38  a ledger file could not be opened (reported with the file's base name);
//   22  no account of the chart matches, or an item's file holds no matching record (the
//       iteration has raised the message naming the token, unless NA Label let it pass);
//   32  an actual-figures item for a year after the company's fiscal year;
//   41  the user stopped a walk: nothing summed so far may be used;
//   18, 21, 13 from the period window, 18 from the extraction;
//   any other code the account iteration raised (1 syntax, 8, 16, 20, 34, 38).
// `*total` is only meaningful with 0.
int ComputeBalance(double* total, const BalanceCollaborators& with, std::string_view company_code,
                   AccountRequest& request, const PeriodList& periods);

}  // namespace r7
