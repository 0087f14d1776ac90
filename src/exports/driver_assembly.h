// The one place that builds the driver whole: it registers the worksheet functions, the
// menu-command processor and the dialog factories of the tools with a driver, and hands
// each tool its narrow context. (platform-independent)
//
// The exports build the process-wide driver through it; tests build their own drivers the
// same way.
#pragma once

#include <memory>

#include "host/driver.h"
#include "platform/platform.h"
#include "tools/tool_context.h"

namespace r7 {

// Registers every worksheet function, the menu commands and every built tool.
void AssembleDriver(Driver& driver);

// A driver over `platform`, assembled.
std::unique_ptr<Driver> MakeDriver(platform::Platform& platform);

// What the tools of `driver` may use of it.
ToolContext ToolContextOf(Driver& driver);

}  // namespace r7
