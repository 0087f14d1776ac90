// The Report dialog (template "REPORT"): one of the accounting system's report layouts of
// the "Company" setting's company, turned into spreadsheet rows on the clipboard, with or
// without profit centers and departments (layout_rows.h). (platform-independent)
#pragma once

#include "tools/tool_context.h"

namespace r7::report_layout {

// Creates the dialog owned by `owner`; kNoWindow when it could not be created.
platform::WindowId OpenReportDialog(const ToolContext& context, platform::WindowId owner);

}  // namespace r7::report_layout
