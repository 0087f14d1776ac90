// A company's financial entities file filled from its ledger: the distinct values that the
// chart's balances hold in each segment, with their descriptions, as the lists build them.
// (platform-independent)
//
// A new file (Create new) holds those values alone; a refreshed file (Rebuild from GL)
// keeps every record of the present file, adds the values it lacks and gives the values it
// has the chart's descriptions. Either is built whole beside the company's file and put in
// its place in one step (ledger/entities_file_replacement.h): a walk the user stops, a
// failed write or a crash leaves the company's file as it was. The values are gathered
// from the ledger with the lists' use of the entities file switched off.
#pragma once

#include "tools/segment_lists.h"
#include "tools/tool_context.h"

namespace r7::entities {

enum class FillMode {
  kNewFile,          // the ledger's values alone; any present file is replaced
  kRefreshExisting,  // the present records kept, the ledger's values added and described
};

enum class FillOutcome {
  kDone,
  kStopped,     // the user stopped the walk
  kNoLedger,    // the ledger's values could not be read
  kNotCreated,  // the new file could not be made, filled from the old or put in place
  kNotClosed,   // the company's open file could not be closed
  kNotWritten,  // a value could not be written to the new file
};

// Fills the company's file; stop requests and progress come from `window`.
FillOutcome FillEntitiesFile(const ToolContext& context, CompanyContext& company,
                             platform::WindowId window, FillMode mode,
                             const segment_lists::Progress& progress);

// FillEntitiesFile run from a dialog: the wait cursor, the count of accounts read in the
// dialog's control `progress_control`, and a box that says how it went (2107 when done;
// 2102, 2103 or 2111 when it failed; the stop's own notice).
FillOutcome FillAndReport(const ToolContext& context, CompanyContext& company,
                          platform::WindowId dialog, FillMode mode, int progress_control);

}  // namespace r7::entities
