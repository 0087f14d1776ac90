// The balance engine's preload lookup over the companies' loaded selections.
// (platform-independent)
//
// A hit answers exactly what the ledger files would answer for the same request: the
// lookup expands the request into the tokens the file path scans, admits an entry exactly
// when the file path's segment tests admit its record, adds the records of each pass the
// period items need in the order the file path reads them, through the same
// FillAmountTable, with the kind of the first account the file path's chart walk finds.
// Where it cannot be sure it declines and the engine reads the files:
//   - nothing loaded, or no selection with the same budget flag, revision and year, the
//     rows the items' windows need (a window that reaches into last year needs last
//     year's row whatever its words), and every token covered by the selection's walk;
//   - a period list that mixes actual and budget items, or an actual item for a year after
//     the company's fiscal year (the file path answers 32);
//   - a range type other than 2; a token outside the form of selection_token.h;
//   - an item whose tokens admit no loaded account, or none with a record in a file a pass
//     reads (the file path answers 22, or 0 under "NA Label").
// A hit makes no record-manager call once the request's expansion is remembered; it
// records usage and collected segment values for every record the file path would visit.
#pragma once

#include <functional>

#include "ledger/account_iteration.h"
#include "ledger/balance_engine.h"
#include "ledger/preload_lookup.h"
#include "preload/preload_settings.h"

namespace r7::preload {

class CacheLookup final : public PreloadLookup {
 public:
  // `usage_tracking` tells whether usage tracking is on; `collector` is the tool's
  // segment-value collector (empty while nobody collects). Both outlive the lookup.
  CacheLookup(LedgerServices services, std::function<bool()> usage_tracking,
              const SegmentValueCollector* collector)
      : services_(std::move(services)),
        usage_tracking_(std::move(usage_tracking)),
        collector_(collector) {}

  int Lookup(CompanyContext& company, const AccountRequest& request, const PeriodList& periods,
             AmountTable* table, int* kind) override;

  // Counters for tests and the benchmark.
  std::size_t hits() const { return hits_; }
  std::size_t declines() const { return declines_; }

 private:
  // The tokens of `specifier` under the current segment mappings, remembered in the
  // company's preload state; null when the cache cannot answer the specifier.
  const ExpandedTokens* Expansion(CompanyContext& company, std::string_view specifier);

  int Decline() {
    ++declines_;
    return 0;
  }

  const LedgerServices services_;  // references to the driver's parts, which outlive it
  std::function<bool()> usage_tracking_;
  const SegmentValueCollector* collector_;
  std::size_t hits_ = 0;
  std::size_t declines_ = 0;
};

}  // namespace r7::preload
