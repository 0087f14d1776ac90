// The dialogs that the Drill dialog opens, each reached through the dialog registry: the
// chart copy (To Chart), the account enquiry (Accounts), the period wizard (Period) and
// the Transaction Fields options (Advanced). A tool that is not built answers 42
// "Function not supported" in a box owned by the Drill dialog. (platform-independent)
#pragma once

#include <string_view>

#include "tools/drill/drill_clip_text.h"
#include "tools/tool_context.h"

namespace r7::drill {

// Seeds the period wizard's choices from the first period of `periods` and, unless explicit
// dates are in force, makes the dates those choices cover in `company` the current dates.
void DeriveDates(SessionState& session, const CompanyContext& company, const PeriodList& periods);

// Closes an open chart copy, stores the boxes as its settings and opens it.
void OpenChartCopy(const ToolContext& context, platform::WindowId drill,
                   const DrillParameters& boxes);
// Closes an open account enquiry (nothing more when it stays open) and opens one on
// `accounts`, through the DrillContext that it works on.
void OpenAccountEnquiry(const ToolContext& context, platform::WindowId drill,
                        std::string_view accounts);
// Shows the open period wizard, or opens one seeded from the boxes' period.
void OpenPeriodWizard(const ToolContext& context, platform::WindowId drill,
                      const DrillParameters& boxes);
// Shows the open options, or opens them.
void OpenOptions(const ToolContext& context);

}  // namespace r7::drill
