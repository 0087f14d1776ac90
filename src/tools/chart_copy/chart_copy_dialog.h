// The chart copy dialog (template "CHARTCOPY"): which company, accounts, periods, year and
// revision, which columns, and Find, which fills the chart onto the clipboard
// (chart_fill.h). (platform-independent)
//
// Its fields are the chart settings of R7.INI, read and saved at each Find. While a fill
// runs, clean-up refuses (the driver's chart-fill flag) and the dialog shows the match
// count; a key or a click asks whether to stop. The period wizard hands it a period (540)
// and takes its company (550); the account enquiry, when it closes, hands it what was
// picked (580). Silent code 4 sends it Find and Quit.
#pragma once

#include <memory>

#include "tools/tool_context.h"

namespace r7::chart_copy {

// What the chart copy keeps between its windows and R7.INI does not.
struct ChartMemory {
  bool separate_segments = false;
};

// Creates the dialog owned by `owner`; kNoWindow when it could not be created.
platform::WindowId OpenChartCopy(const ToolContext& context, std::shared_ptr<ChartMemory> memory,
                                 platform::WindowId owner);

}  // namespace r7::chart_copy
