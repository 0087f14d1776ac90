// The balance engine's question to the preload cache: does a loaded selection of this
// company already hold the figures of this request? (platform-independent)
//
// The engine asks before it reads any ledger file. An answer of 1 promises that `table`
// holds, for every period item of the list, every figure that the item's window needs, and
// that `*kind` is the kind of the first matching account (2 balance sheet, 1 otherwise);
// the engine then only computes windows and extracts amounts. An answer of 0 declines:
// the engine reads the files and ignores whatever the lookup left in `table` and `*kind`.
// A lookup that visits accounts while usage tracking is on records them in the company's
// used-account list (used_accounts.h), as the engine does on its file path.
#pragma once

#include "ledger/company_catalogue.h"
#include "specifiers/account_request.h"
#include "specifiers/amount_table.h"
#include "specifiers/period_spec.h"

namespace r7 {

class PreloadLookup {
 public:
  virtual ~PreloadLookup() = default;
  virtual int Lookup(CompanyContext& company, const AccountRequest& request,
                     const PeriodList& periods, AmountTable* table, int* kind) = 0;
};

// The lookup while no selection can be loaded: it always declines.
class NoPreload final : public PreloadLookup {
 public:
  int Lookup(CompanyContext&, const AccountRequest&, const PeriodList&, AmountTable*,
             int* kind) override {
    if (kind != nullptr) *kind = -1;
    return 0;
  }
};

}  // namespace r7
