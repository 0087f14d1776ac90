// The dialogs' Cancel: the settings read again from R7.INI, and the session brought in line
// with them. (platform-independent)
//
// Reading the file undoes what a dialog changed at once, but the session may have acted on
// those changes meanwhile: companies loaded from another System Directory or with another
// current period, entities files opened at another place. Those are closed and forgotten
// too, so that after the reload the driver answers exactly as the file's settings say.
// The current menu command's own items (its silent mode, the list it names) are kept.
#pragma once

#include "tools/tool_context.h"

namespace r7 {

void ReloadSettings(const ToolContext& context);

}  // namespace r7
