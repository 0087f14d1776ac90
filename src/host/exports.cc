// The driver's two exports, as the reporting add-in calls them. No exception ever leaves
// them: a failure inside becomes a result text and a return value.
#include <cstdio>
#include <exception>

#include "host/driver.h"
#include "host/error_codes.h"
#include "host/error_reporter.h"
#include "host/limits.h"
#include "host/string_table.h"
#include "platform/abi.h"

namespace r7 {

// The process-wide driver behind the exports, over this build's platform. It is created on
// the first call and never destroyed: at process exit the record manager's library may
// already have torn itself down, and stopping it then would call into a dead library.
// DLLCleanupFunc is where the host asks for files to be closed.
Driver& ProcessDriver() {
  static Driver* driver = new Driver(platform::DefaultPlatform());
  return *driver;
}

}  // namespace r7

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
