// The Drill dialog (template "DRILL"): what lies under the ledger figure the worksheet
// computed last, broken down by one account segment or into its transactions.
// (platform-independent)
//
// It opens on the DrillContext (reloaded on command 1026, and when the account enquiry it
// opened closes, 580). Drill (1061, or Enter) fills the list; a column heading sorts it; a
// double-click puts a row's accounts into the accounts box for the next drill. Send to
// Clipboard writes the list as text with optional formulas, handed to the clipboard when
// the dialog loses the activation or closes. To Chart, Accounts and Period open the chart
// copy, the account enquiry and the period wizard through the dialog registry; Advanced
// opens the Transaction Fields options. Silent code 5 drills and sends (or goes To Chart)
// and closes it. Quit, the close message and 1100 close it with the period wizard and the
// options.
#pragma once

#include "tools/tool_context.h"

namespace r7::drill {

// Creates the dialog owned by `owner`; kNoWindow when it could not be created.
platform::WindowId OpenDrillDialog(const ToolContext& context, platform::WindowId owner);

}  // namespace r7::drill
