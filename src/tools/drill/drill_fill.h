// The ledger work of one drill: the rows of account mode (one per value of the drilled
// segment, each with its balance) and of transaction mode (the transactions of the
// accounts within the current From/To dates). (platform-independent)
//
// Account mode asks the balance engine for the whole request with the segment-value
// collector on, which gives the values of the drilled segment that the summed accounts
// hold; then one balance per value. The engine answers from the preload cache wherever a
// loaded selection covers a request. Each row goes to the caller as soon as it is made;
// the caller shows it and may stop the fill. A fill the user stopped, in a row or in a
// ledger walk, is never taken for a complete one: it has no total.
#pragma once

#include <cstddef>
#include <functional>

#include "ledger/company_catalogue.h"
#include "specifiers/account_request.h"
#include "specifiers/period_spec.h"
#include "tools/drill/drill_rows.h"
#include "tools/tool_context.h"

namespace r7::drill {

enum class FillEnd {
  kComplete,  // every row is there, and the total
  kStopped,   // the user stopped it: the rows so far are kept, there is no total
  kFailed,    // a ledger failure before any row: `status` says which
};

struct FillResult {
  FillEnd end = FillEnd::kComplete;
  int status = 0;
  double total = 0;  // meaningful when complete
};

struct FillHooks {
  // The walk that collects the values has read this many accounts (now and then).
  std::function<void(std::size_t accounts)> reading;
  // A row is ready; false when the user stopped the fill.
  std::function<bool(Row row)> add;
};

// Account mode: the rows of segment `field` (0 main, 1 profit center, 2 department) of
// `request` over `periods`. A failure of the whole request leaves its error pending.
FillResult FillAccounts(const ToolContext& context, platform::WindowId window,
                        CompanyContext& company, const AccountRequest& request,
                        const PeriodList& periods, int field, const FillHooks& hooks);

// Transaction mode: the transactions of `request` that the transaction type takes (all
// for 5, zero or more for 6, below zero for 7), with their total. 10 when the
// transaction file does not open; another failure of the walk leaves its error pending.
FillResult FillTransactions(const ToolContext& context, platform::WindowId window,
                            CompanyContext& company, const AccountRequest& request, int type,
                            const FillHooks& hooks);

}  // namespace r7::drill
