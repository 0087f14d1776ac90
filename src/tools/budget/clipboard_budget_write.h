// The budget table on the clipboard written into the budget file: one budget record per
// line, for the "Budget Company" setting's company, the "Budget Year" and the "Budget
// Revision" unless a line's YEAR and REVISION cells say otherwise. (platform-independent)
//
// Every line is one record, found and updated or made, in one record-manager call, so no
// record is ever half written. Lines are committed in groups (one record-manager
// transaction each), and the count of lines written reaches the dialog (command 313) only
// after its group's commit: the counter never shows a line that is not in the file, and a
// process killed at any moment leaves each line wholly written or not at all. A line that
// fails stops the write with the lines before it written, and a box says how many; an
// amount that does not fit the record's 12-digit text amount is refused for its cell alone,
// with a box, and the rest of its line is written. Between groups a key press or a click in
// the dialog offers to stop.
#pragma once

#include "tools/tool_context.h"

namespace r7::budget {

// The command that tells the dialog how many lines are written (the message's argument).
inline constexpr int kCountCommand = 313;

struct WriteSummary {
  int lines_written = 0;
  bool completed = false;  // every line of the table was written
};

WriteSummary WriteClipboardTable(const ToolContext& context, platform::WindowId dialog);

}  // namespace r7::budget
