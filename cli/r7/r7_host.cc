// The r7 command-line host.
#include "cli/r7/r7_host.h"

#include <cstring>

#include "platform/abi.h"
#include "platform/posix/headless.h"

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
  int exit_status = 0;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "cleanup") {
      std::fprintf(out, "%d\t\n", DLLCleanupFunc());
      PumpMessages();
      continue;
    }
    std::size_t tab = line.find('\t');
    std::string code_text = line.substr(0, tab);
    std::string argument = tab == std::string::npos ? "" : line.substr(tab + 1);
    std::optional<int> code = ParseCommandCode(code_text);
    if (!code) {
      std::fprintf(stderr, "r7: not a command code: '%s'\n", code_text.c_str());
      std::fprintf(out, "-1\t%s\n", EscapeBatchResult("not a command code: " + code_text).c_str());
      exit_status = 2;
      continue;
    }
    int status = 0;
    std::string result = CallDriver(*code, argument.c_str(), &status);
    std::fprintf(out, "%d\t%s\n", status, EscapeBatchResult(result).c_str());
    std::fflush(out);
  }
  return exit_status;
}

}  // namespace r7::cli
