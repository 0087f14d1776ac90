// The Lists dialog (template "LIST_DIALOG"): which list goes to the clipboard, and for the
// segment lists which segment, filtered by which other. (platform-independent)
//
// The radio buttons choose the "Selected List"; the three segment choosers take part only
// for the segment list. Send to Clipboard builds the list (list_builder.h) and says so in
// a box; silent code 19 drives the same dialog with the list named by its "List" pair.
// Exit, and command 1100, save the settings and close.
#pragma once

#include "tools/tool_context.h"

namespace r7::lists {

// Creates the dialog owned by `owner`; kNoWindow when it could not be created.
platform::WindowId OpenListsDialog(const ToolContext& context, platform::WindowId owner);

}  // namespace r7::lists
