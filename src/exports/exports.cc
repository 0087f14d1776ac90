// The driver's two exports, as the reporting add-in calls them. No exception ever leaves
// them: a failure inside becomes a result text and a return value.
#include <cstdio>
#include <exception>

#include "base/error_codes.h"
#include "base/error_reporter.h"
#include "base/limits.h"
#include "base/string_table.h"
#include "exports/driver_assembly.h"
#include "host/driver.h"
#include "platform/abi.h"
#include "platform/library_attach.h"

namespace r7 {

// The process-wide driver behind the exports, over this build's platform. It is created on
// the first use and never destroyed: at process exit the record manager's library may be
// torn down before this library's statics, and a driver destroyed then would call into it.
// DLLCleanupFunc is where the driver lets go of what it holds.
Driver& ProcessDriver() {
  static Driver* const driver = MakeDriver(platform::DefaultPlatform()).release();
  return *driver;
}

}  // namespace r7

namespace r7::platform {

// The process attaches the library: set up the command window before any call arrives.
bool OnLibraryAttach() {
  try {
    return ProcessDriver().AttachLibrary();
  } catch (...) {
    return false;
  }
}

}  // namespace r7::platform

extern "C" int R7_STDCALL R7DLLInterface(int code, char* argument, char* result) {
  try {
    return r7::ProcessDriver().Call(code, argument, result);
  } catch (...) {
    // Only an exhausted heap gets here: say so in the cell rather than crash the host.
    if (result != nullptr) {
      std::string_view message = r7::StringText(r7::kMemoryFull);
      std::snprintf(result, r7::kMaxResultText + 1, "%s %.*s", r7::kCaption.data(),
                    static_cast<int>(message.size()), message.data());
    }
    return 1;
  }
}

extern "C" int R7_STDCALL DLLCleanupFunc(void) {
  try {
    return r7::ProcessDriver().Cleanup();
  } catch (...) {
    return 1;
  }
}
