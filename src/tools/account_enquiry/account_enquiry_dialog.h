// The account enquiry (template "ACCOUNT_INQUIRE"): one account picked segment by segment
// from the values the ledger holds, its balance for a period, year and revision, and from
// there the drill-down, the chart copy, or the description of a worksheet function for the
// add-in. (platform-independent)
//
// It works on the session's drill request: what it shows comes from there, and what the
// user picks goes back there, so that a following drill-down or chart copy starts from it.
// When it closes it leaves the function description on the clipboard and tells the window
// that was active when it was last activated (command 580). Silent code 22 opens it and
// closes it at once: the drill request becomes a description.
#pragma once

#include "tools/tool_context.h"

namespace r7::account_enquiry {

// Creates the dialog owned by `owner`; kNoWindow when it could not be created.
platform::WindowId OpenAccountEnquiry(const ToolContext& context, platform::WindowId owner);

}  // namespace r7::account_enquiry
