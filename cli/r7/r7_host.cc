// The r7 command-line host.
#include "cli/r7/r7_host.h"

#include <cstring>

#include "cli/r7/batch_runner.h"
#include "platform/abi.h"
#include "platform/posix/headless.h"
#include "platform/posix/headless_actions.h"

extern "C" int R7_STDCALL R7DLLInterface(int code, char* argument, char* result);
extern "C" int R7_STDCALL DLLCleanupFunc(void);

namespace r7::cli {
namespace {

// The driver writes at most 258 bytes; the rest of the buffer is a guard that must stay
// untouched, so an overrun is caught here rather than passing silently.
constexpr std::size_t kResultCapacity = 258;
constexpr std::size_t kGuardBytes = 256;
constexpr char kGuard = '\x5A';

// Handles what the driver posted to its windows, as the add-in's message loop does after
// each call.
void PumpMessages() {
  r7::platform::posix::Headless().ui.PumpPosted();
}

std::string CallDriver(int code, const char* argument, int* status) {
  char buffer[kResultCapacity + kGuardBytes];
  std::memset(buffer, kGuard, sizeof buffer);
  std::string writable_argument = argument;  // the export takes a writable text
  *status = R7DLLInterface(code, writable_argument.data(), buffer);
  PumpMessages();
  for (std::size_t i = kResultCapacity; i < sizeof buffer; ++i) {
    if (buffer[i] != kGuard) {
      std::fprintf(stderr, "r7: the driver wrote past its 258-byte result buffer\n");
      std::abort();
    }
  }
  return std::string(buffer, strnlen(buffer, kResultCapacity));
}

}  // namespace

int RunCall(int code, const char* argument, std::FILE* out) {
  int status = 0;
  std::string result = CallDriver(code, argument, &status);
  std::fwrite(result.data(), 1, result.size(), out);
  return status;
}

int RunBatch(std::istream& in, std::FILE* out) {
  platform::posix::HeadlessUserActions actions(platform::posix::Headless());
  DriverEntryPoints driver;
  driver.call = [](int code, const std::string& argument) {
    CallResult result;
    result.text = CallDriver(code, argument.c_str(), &result.status);
    return std::optional<CallResult>(std::move(result));
  };
  driver.cleanup = [] { return DLLCleanupFunc(); };
  return cli::RunBatch(in, out, driver, actions, "r7");
}

}  // namespace r7::cli
