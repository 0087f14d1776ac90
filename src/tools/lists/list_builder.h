// The list builder: the list that the "List" setting names, written as spreadsheet text
// for the clipboard. (platform-independent)
//
// A request is a name, or name;Where;Is. The name is a list name ("Lists", "AxisData",
// "Accounts", "BWB Headers", "Companies", "Periods", "Budgets", "Years"), a segment title
// or number ("Main", "2"), "Natural" (the first segment's title) or "RESET"; Where names
// a segment the same way, and Is is a filter of items separated by "+", each a value of
// the Where segment or a "#heading#". Names compare without regard to case. The company is
// always the one of the "Company" setting. A request of more than 50 characters is refused
// whole.
//
// Entries are labels (a leading apostrophe) written one per row, or in one row with List
// Transpose on, each with its description beside it (or on a second row) when the list
// has them; plain items (the names of the segments, the axis numbers, the periods and
// years) are not labels.
#pragma once

#include <string>

#include "base/clipboard_text.h"
#include "tools/segment_lists.h"
#include "tools/tool_context.h"

namespace r7::lists {

struct ListResult {
  int status = 0;             // 0 built, 1 refused or failed
  bool to_clipboard = false;  // false for RESET, which only frees the caches
};

// Builds the list of the "List" setting into `out`. Stop requests and progress come from
// `window`, the Lists dialog (kNoWindow when silent).
ListResult BuildList(const ToolContext& context, platform::WindowId window, ClipboardText& out,
                     const segment_lists::Progress& progress);

}  // namespace r7::lists
