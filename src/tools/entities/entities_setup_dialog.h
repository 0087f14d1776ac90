// The financial entities setup (template "FESETUP"): where the companies' entities files
// are looked for, whether the lists take their segments from them, and a new file for the
// company of the settings. (platform-independent)
//
// The place is the company's ledger directory (GL path) or the directory of "FE File
// Path" (Other). Changing it closes every loaded company's file, which is then looked for
// at the new place, and forgets what was read from the old ones. Create new builds the
// company's file from its ledger and puts it in place of any file there in one step. OK
// saves the settings; Cancel, and the close message, read them again from R7.INI.
#pragma once

#include "tools/tool_context.h"

namespace r7::entities {

// Creates the dialog owned by `owner`; kNoWindow when it could not be created.
platform::WindowId OpenEntitiesSetupDialog(const ToolContext& context, platform::WindowId owner);

}  // namespace r7::entities
