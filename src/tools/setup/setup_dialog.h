// The Setup dialog (template "SETUP"): the settings every worksheet function depends on.
// (platform-independent)
//
// Most controls change the settings at once: the check boxes, the segment mappings,
// Scaling and Rounding (the index of the entry), Period (1 to 13, "OFF" for 0; the loaded
// companies close, since each took the period as it loaded) and the System Directory
// (when it changes, the loaded companies and the lists' caches go and the companies are
// listed anew). OK takes the rest from the controls, settles the year, saves the settings
// to R7.INI and frees the lists' caches; Cancel, and the close message, read the settings
// again from R7.INI and bring the session in line with them. Company Profile copies a few
// facts of the chosen company; Financial Entities Setup opens "FESETUP".
#pragma once

#include "tools/tool_context.h"

namespace r7::setup {

// Creates the dialog owned by `owner`; kNoWindow when it could not be created.
platform::WindowId OpenSetupDialog(const ToolContext& context, platform::WindowId owner);

}  // namespace r7::setup
