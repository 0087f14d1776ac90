// The maintenance of a company's financial entities file (template "SAD"): the segment
// values of one segment with their descriptions, or its entities with their specifiers,
// added, changed and deleted; and the file rebuilt from the ledger. (platform-independent)
//
// The company is the one of the settings. In value mode the chooser lists
// "value; description" and the edit holds the description; in entity mode (the Edit
// Financial Entities box) the chooser lists the entities' names and the edit holds the
// segment specifier. A value that looks like a specifier (".", ",", "*" or "?") is offered
// for storing as an entity instead. Every change is written as one update or insert of the
// record concerned (ledger/entities_file_edit.h); the rebuild builds a whole new file and
// puts it in place in one step, keeping every record of the old one. After each change the
// session forgets what it read from the file.
#pragma once

#include "tools/tool_context.h"

namespace r7::entities {

// Creates the dialog owned by `owner`; kNoWindow when it could not be created.
platform::WindowId OpenEntitiesDialog(const ToolContext& context, platform::WindowId owner);

}  // namespace r7::entities
