// r7win: the Windows console host. It loads the driver DLL as the reporting add-in does
// (LoadLibrary, then the two exports by name) and calls it from the command line.
//
//   r7win [--dll FILE] call CODE [ARGUMENT]
//   r7win [--dll FILE] batch [FILE]
//
// `call` writes the result bytes exactly as the driver wrote them and exits with the
// export's return value; `batch` reads one call per line (CODE, a tab, the argument; the
// line `cleanup` calls DLLCleanupFunc) and writes the return value, a tab and the escaped
// result per line, as the r7 host does. Problems of the host itself exit with 2.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "cli/r7/r7_host.h"

namespace {

using InterfaceFunction = int(__stdcall*)(int code, char* argument, char* result);
using CleanupFunction = int(__stdcall*)();

constexpr const char* kDefaultDll = sizeof(void*) == 8 ? "R7TESS64.DLL" : "R7TESS32.DLL";

constexpr const char* kUsage =
    "usage: r7win [--dll FILE] call CODE [ARGUMENT]\n"
    "       r7win [--dll FILE] batch [FILE]\n";

// The driver writes at most 258 bytes; the guard behind them must stay untouched.
constexpr std::size_t kResultCapacity = 258;
constexpr std::size_t kGuardBytes = 256;
constexpr char kGuard = '\x5A';

int Usage(const std::string& problem) {
  if (!problem.empty()) std::fprintf(stderr, "r7win: %s\n", problem.c_str());
  std::fputs(kUsage, stderr);
  return 2;
}

struct Driver {
  InterfaceFunction call = nullptr;
  CleanupFunction cleanup = nullptr;
};

// Binds the two exports by their plain names, as the add-in looks them up.
std::optional<Driver> LoadDriver(const std::string& file) {
  HMODULE module = ::LoadLibraryA(file.c_str());
  if (module == nullptr) {
    std::fprintf(stderr, "r7win: cannot load %s (error %lu)\n", file.c_str(), ::GetLastError());
    return std::nullopt;
  }
  Driver driver;
  driver.call = reinterpret_cast<InterfaceFunction>(
      reinterpret_cast<void*>(::GetProcAddress(module, "R7DLLInterface")));
  driver.cleanup = reinterpret_cast<CleanupFunction>(
      reinterpret_cast<void*>(::GetProcAddress(module, "DLLCleanupFunc")));
  if (driver.call == nullptr || driver.cleanup == nullptr) {
    std::fprintf(stderr, "r7win: %s lacks R7DLLInterface or DLLCleanupFunc\n", file.c_str());
    return std::nullopt;
  }
  return driver;
}

// Handles what the driver posted to its windows, as the add-in's message loop would.
void PumpMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// One call; nullopt when the driver overran its result buffer.
std::optional<std::string> CallDriver(const Driver& driver, int code, const std::string& argument,
                                      int* status) {
  std::vector<char> buffer(kResultCapacity + kGuardBytes, kGuard);
  std::string writable_argument = argument;  // the export takes a writable text
  *status = driver.call(code, writable_argument.data(), buffer.data());
  PumpMessages();
  for (std::size_t i = kResultCapacity; i < buffer.size(); ++i) {
    if (buffer[i] != kGuard) {
      std::fprintf(stderr, "r7win: the driver wrote past its 258-byte result buffer\n");
      return std::nullopt;
    }
  }
  return std::string(buffer.data(), strnlen(buffer.data(), kResultCapacity));
}

int RunCall(const Driver& driver, int code, const std::string& argument) {
  int status = 0;
  std::optional<std::string> result = CallDriver(driver, code, argument, &status);
  if (!result) return 2;
  std::fwrite(result->data(), 1, result->size(), stdout);
  return status & 0xFF;
}

int RunBatch(const Driver& driver, std::istream& in) {
  int exit_status = 0;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "cleanup") {
      std::fprintf(stdout, "%d\t\n", driver.cleanup());
      PumpMessages();
      continue;
    }
    std::size_t tab = line.find('\t');
    std::string code_text = line.substr(0, tab);
    std::string argument = tab == std::string::npos ? "" : line.substr(tab + 1);
    std::optional<int> code = r7::cli::ParseCommandCode(code_text);
    if (!code) {
      std::fprintf(stderr, "r7win: not a command code: '%s'\n", code_text.c_str());
      std::fprintf(stdout, "-1\t%s\n",
                   r7::cli::EscapeBatchResult("not a command code: " + code_text).c_str());
      exit_status = 2;
      continue;
    }
    int status = 0;
    std::optional<std::string> result = CallDriver(driver, *code, argument, &status);
    if (!result) return 2;
    std::fprintf(stdout, "%d\t%s\n", status, r7::cli::EscapeBatchResult(*result).c_str());
    std::fflush(stdout);
  }
  return exit_status;
}

}  // namespace

int main(int argc, char** argv) {
  // The result bytes go out as the driver wrote them: no CR added before its LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);

  std::vector<std::string> args(argv + 1, argv + argc);
  std::string dll = kDefaultDll;
  std::size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    if (args[i] == "--help") return Usage(""), 0;
    if (args[i] != "--dll") return Usage("unknown option " + args[i]);
    if (i + 1 >= args.size()) return Usage("missing value after --dll");
    dll = args[++i];
  }
  if (i >= args.size()) return Usage("missing command");

  const std::string& command = args[i];
  std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  std::optional<int> code;
  if (command == "call") {
    if (rest.empty() || rest.size() > 2) return Usage("call takes CODE [ARGUMENT]");
    code = r7::cli::ParseCommandCode(rest[0]);
    if (!code) return Usage("not a command code: " + rest[0]);
  } else if (command == "batch") {
    if (rest.size() > 1) return Usage("batch takes at most one FILE");
  } else {
    return Usage("unknown command " + command);
  }

  std::optional<Driver> driver = LoadDriver(dll);
  if (!driver) return 2;
  int status = 0;
  if (code) {
    status = RunCall(*driver, *code, rest.size() > 1 ? rest[1] : "");
  } else if (!rest.empty()) {
    std::ifstream in(rest[0], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "r7win: cannot read %s\n", rest[0].c_str());
      return 2;
    }
    status = RunBatch(*driver, in);
  } else {
    status = RunBatch(*driver, std::cin);
  }
  std::fflush(stdout);
  return status;
}
