// Opening one tool's dialog from another, through the dialog registry: the drill-down, the
// chart copy and the account enquiry open one another this way, and the period wizard for
// their period texts. (platform-independent)
#pragma once

#include <functional>
#include <string_view>

#include "tools/tool_context.h"

namespace r7::tool_launch {

// Closes the open dialog of `kind` (command 1100) and opens a new one, owned by the
// command window; `before_opening` runs in between, once the old dialog has left the
// settings and the session as it saw them. A dialog that stays open after 1100 is kept
// (and nothing more is done), and a tool that is not built answers 42 "Function not
// supported" in a box owned by `window`. The new dialog, or kNoWindow.
platform::WindowId ReopenDialog(const ToolContext& context, DialogKind kind,
                                platform::WindowId window,
                                const std::function<void()>& before_opening = {});

// Message 42 "Function not supported" in a box owned by `window`.
void ShowNotBuilt(const ToolContext& context, platform::WindowId window);

// Shows the open period wizard; else seeds it from the first phrase of `period_text` (its
// named month resolved in `company` when one is given) and opens it, owned by the command
// window. A text that is no period leaves the wizard's last choices.
void OpenPeriodWizard(const ToolContext& context, std::string_view period_text,
                      const CompanyContext* company, platform::WindowId window);

// The text the period wizard `wizard` has composed (its command 540 names it).
std::string ComposedPeriod(const ToolContext& context, platform::WindowId wizard);

}  // namespace r7::tool_launch
