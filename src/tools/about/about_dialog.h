// The About dialog (template "ABOUT"): the driver's version and the vendor's address.
// (platform-independent)
//
// OK, Cancel and command 1100 close it; a left click in the square from 1,1 to 33,33 of
// its client area shows two information boxes (messages 303 and 304). A new one opens each
// time the menu asks.
#pragma once

#include "tools/tool_context.h"

namespace r7::about {

// Creates the dialog owned by `owner`; when it closes it forgets its handle in the dialog
// registry. kNoWindow when it could not be created.
platform::WindowId OpenAboutDialog(const ToolContext& context, platform::WindowId owner);

}  // namespace r7::about
