// The company the financial entities dialogs work on. (platform-independent)
#pragma once

#include "tools/tool_context.h"

namespace r7::entities {

// The settings' current company, loaded and sound; null when it is not, its error left
// pending for the dialog to show.
CompanyContext* EntitiesCompany(const ToolContext& context);

}  // namespace r7::entities
