// r7win: the Windows console host. It loads the driver DLL as the reporting add-in does
// (LoadLibrary, then the two exports by name) and calls it from the command line, with the
// options and lines of the r7 host, acting on the real Win32 dialogs.
//
//   r7win [OPTIONS] call CODE [ARGUMENT]
//   r7win [OPTIONS] batch [FILE]
// Options: --dll FILE (the driver; R7TESS64.DLL or R7TESS32.DLL beside the host by
// default), --clipboard FILE (the clipboard's text at exit, - for standard output),
// --clipboard-in FILE (text put on the clipboard before the first call), --answer
// yes|no|ok|cancel (how message boxes are answered; default their first button).
//
// `call` writes the result bytes exactly as the driver wrote them and exits with the
// export's return value; `batch` runs cli/r7/batch_runner.h over the real desktop, so that
// one script gives the same output here as under r7. Message boxes are answered as told and
// written to standard error, one line each. Problems of the host itself exit with 2.
// Like r7, it starts with an empty clipboard (or the text of --clipboard-in): the system
// clipboard otherwise still holds whatever an earlier run or another program left there.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "cli/r7/batch_runner.h"
#include "cli/r7/r7_host.h"
#include "platform/message_box.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/user_actions_win32.h"

namespace {

using InterfaceFunction = int(__stdcall*)(int code, char* argument, char* result);
using CleanupFunction = int(__stdcall*)();

constexpr const char* kDefaultDll = sizeof(void*) == 8 ? "R7TESS64.DLL" : "R7TESS32.DLL";

constexpr const char* kUsage =
    "usage: r7win [OPTIONS] call CODE [ARGUMENT]\n"
    "       r7win [OPTIONS] batch [FILE]\n"
    "options: --dll FILE  --clipboard FILE  --clipboard-in FILE  --answer yes|no|ok|cancel\n";

// The driver writes at most 258 bytes; the guard behind them must stay untouched.
constexpr std::size_t kResultCapacity = 258;
constexpr std::size_t kGuardBytes = 256;
constexpr char kGuard = '\x5A';

int Usage(const std::string& problem) {
  if (!problem.empty()) std::fprintf(stderr, "r7win: %s\n", problem.c_str());
  std::fputs(kUsage, stderr);
  return 2;
}

std::optional<int> AnswerOf(const std::string& word) {
  namespace answer = r7::platform::answer;
  if (word == "yes") return answer::kYes;
  if (word == "no") return answer::kNo;
  if (word == "ok") return answer::kOk;
  if (word == "cancel") return answer::kCancel;
  return std::nullopt;
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

// One call; nullopt when the driver overran its result buffer.
std::optional<r7::cli::CallResult> CallDriver(const Driver& driver, int code,
                                              const std::string& argument) {
  std::vector<char> buffer(kResultCapacity + kGuardBytes, kGuard);
  std::string writable_argument = argument;  // the export takes a writable text
  r7::cli::CallResult result;
  result.status = driver.call(code, writable_argument.data(), buffer.data());
  for (std::size_t i = kResultCapacity; i < buffer.size(); ++i) {
    if (buffer[i] != kGuard) {
      std::fprintf(stderr, "r7win: the driver wrote past its 258-byte result buffer\n");
      return std::nullopt;
    }
  }
  result.text.assign(buffer.data(), strnlen(buffer.data(), kResultCapacity));
  return result;
}

// One line on standard error per box that showed, its line ends written as \r and \n.
void PrintBoxes(r7::platform::UserActions& actions) {
  for (const r7::platform::ShownWindow& shown : actions.TakeShown()) {
    if (shown.kind != r7::platform::ShownWindow::Kind::kMessageBox) continue;
    std::string line = shown.caption + ": " + r7::cli::EscapeBatchResult(shown.text);
    std::fprintf(stderr, "%s\n", line.c_str());
  }
}

int RunCall(const Driver& driver, r7::platform::UserActions& actions, int code,
            const std::string& argument) {
  std::optional<r7::cli::CallResult> result = CallDriver(driver, code, argument);
  actions.Pump();
  PrintBoxes(actions);
  if (!result) return 2;
  std::fwrite(result->text.data(), 1, result->text.size(), stdout);
  return result->status & 0xFF;
}

int RunBatch(const Driver& driver, r7::platform::UserActions& actions, std::istream& in) {
  r7::cli::DriverEntryPoints entry_points;
  entry_points.call = [&driver](int code, const std::string& argument) {
    return CallDriver(driver, code, argument);
  };
  entry_points.cleanup = [&driver] { return driver.cleanup(); };
  return r7::cli::RunBatch(in, stdout, entry_points, actions, "r7win");
}

bool WriteClipboard(r7::platform::win32::Win32Clipboard& clipboard, const std::string& target) {
  const std::string text = clipboard.GetText().value_or("");
  if (target == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return true;
  }
  std::ofstream out(target, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  // The result bytes go out as the driver wrote them, and every line as r7 writes it: no CR
  // added before an LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);

  // The user's side answers every box and chooser that shows on this thread from now on.
  r7::platform::win32::Win32UserActions actions;
  r7::platform::win32::Win32Clipboard clipboard;
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string dll = kDefaultDll;
  std::optional<std::string> clipboard_target;
  std::string clipboard_start;  // what the clipboard holds before the first call
  std::size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    if (args[i] == "--help") return Usage(""), 0;
    if (i + 1 >= args.size()) return Usage("missing value after " + args[i]);
    if (args[i] == "--dll") {
      dll = args[++i];
    } else if (args[i] == "--clipboard") {
      clipboard_target = args[++i];
    } else if (args[i] == "--clipboard-in") {
      std::ifstream in(args[++i], std::ios::binary);
      if (!in) return Usage("cannot read " + args[i]);
      clipboard_start.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else if (args[i] == "--answer") {
      std::optional<int> answer = AnswerOf(args[++i]);
      if (!answer) return Usage("--answer takes yes, no, ok or cancel");
      actions.AnswerBoxes(answer);
    } else {
      return Usage("unknown option " + args[i]);
    }
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

  const bool clipboard_ready =
      clipboard_start.empty() ? clipboard.Clear() : clipboard.SetText(clipboard_start);
  if (!clipboard_ready) {
    std::fprintf(stderr, "r7win: cannot set the clipboard up: another program holds it\n");
    return 2;
  }
  std::optional<Driver> driver = LoadDriver(dll);
  if (!driver) return 2;
  int status = 0;
  if (code) {
    status = RunCall(*driver, actions, *code, rest.size() > 1 ? rest[1] : "");
  } else if (!rest.empty()) {
    std::ifstream in(rest[0], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "r7win: cannot read %s\n", rest[0].c_str());
      return 2;
    }
    status = RunBatch(*driver, actions, in);
  } else {
    status = RunBatch(*driver, actions, std::cin);
  }
  std::fflush(stdout);
  if (clipboard_target && !WriteClipboard(clipboard, *clipboard_target)) {
    std::fprintf(stderr, "r7win: cannot write the clipboard to %s\n", clipboard_target->c_str());
    return 2;
  }
  return status;
}
