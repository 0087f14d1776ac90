// The Budget Write dialog (template "BUDGET"): the company, budget revision and year that a
// budget table on the clipboard is written into, and the count of records written.
// (platform-independent)
//
// Write takes the three boxes into the "Budget Company", "Budget Revision" and "Budget
// Year" settings, saves the settings and writes the table (clipboard_budget_write.h); Reset
// puts the company, revision and year settings back into them. Silent code 13 drives the
// same dialog: Write, then Quit.
#pragma once

#include "tools/tool_context.h"

namespace r7::budget {

// Creates the dialog owned by `owner`; kNoWindow when it could not be created.
platform::WindowId OpenBudgetDialog(const ToolContext& context, platform::WindowId owner);

}  // namespace r7::budget
