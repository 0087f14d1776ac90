// r7: evaluates driver calls from the command line, as the reporting add-in would.
//
//   r7 [OPTIONS] call CODE [ARGUMENT]
//   r7 [OPTIONS] batch [FILE]
// Options: --clipboard FILE (the clipboard's text at exit, - for standard output),
// --clipboard-in FILE (text put on the clipboard before the first call),
// --answer yes|no|ok|cancel (how message boxes are answered; default their first button).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "cli/r7/r7_host.h"
#include "platform/message_box.h"
#include "platform/posix/headless.h"

namespace {

constexpr const char* kUsage =
    "usage: r7 [OPTIONS] call CODE [ARGUMENT]\n"
    "       r7 [OPTIONS] batch [FILE]\n"
    "options: --clipboard FILE  --clipboard-in FILE  --answer yes|no|ok|cancel\n"
    "The driver reads R7.INI from the directory named by R7_WINDIR (default: the current one).\n";

int Usage(const char* problem) {
  if (problem) std::fprintf(stderr, "r7: %s\n", problem);
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

// One line on standard error per box, its line ends written as \r and \n.
void PrintBox(const r7::platform::posix::ShownBox& box) {
  std::string line = box.caption + ": " + r7::cli::EscapeBatchResult(box.text);
  std::fprintf(stderr, "%s\n", line.c_str());
}

bool WriteClipboard(const std::string& target) {
  std::string text = r7::platform::posix::Headless().clipboard.GetText().value_or("");
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
  std::vector<std::string> args(argv + 1, argv + argc);
  std::optional<std::string> clipboard_target;
  auto& desktop = r7::platform::posix::Headless();
  desktop.message_boxes.set_sink(PrintBox);

  std::size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    if (args[i] == "--help") return Usage(nullptr), 0;
    if (i + 1 >= args.size()) return Usage(("missing value after " + args[i]).c_str());
    if (args[i] == "--clipboard") {
      clipboard_target = args[++i];
    } else if (args[i] == "--clipboard-in") {
      std::ifstream in(args[++i], std::ios::binary);
      if (!in) return Usage(("cannot read " + args[i]).c_str());
      std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      desktop.clipboard.SetText(text);
    } else if (args[i] == "--answer") {
      std::optional<int> answer = AnswerOf(args[++i]);
      if (!answer) return Usage("--answer takes yes, no, ok or cancel");
      desktop.message_boxes.set_answer(answer);
    } else {
      return Usage(("unknown option " + args[i]).c_str());
    }
  }
  if (i >= args.size()) return Usage("missing command");

  int status = 0;
  const std::string& command = args[i];
  if (command == "call") {
    if (i + 1 >= args.size() || i + 3 < args.size()) return Usage("call takes CODE [ARGUMENT]");
    std::optional<int> code = r7::cli::ParseCommandCode(args[i + 1]);
    if (!code) return Usage(("not a command code: " + args[i + 1]).c_str());
    status = r7::cli::RunCall(*code, i + 2 < args.size() ? args[i + 2].c_str() : "", stdout);
  } else if (command == "batch") {
    if (i + 2 < args.size()) return Usage("batch takes at most one FILE");
    if (i + 1 < args.size()) {
      std::ifstream in(args[i + 1], std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "r7: cannot read %s\n", args[i + 1].c_str());
        return 2;
      }
      status = r7::cli::RunBatch(in, stdout);
    } else {
      status = r7::cli::RunBatch(std::cin, stdout);
    }
  } else {
    return Usage(("unknown command " + command).c_str());
  }
  std::fflush(stdout);
  if (clipboard_target && !WriteClipboard(*clipboard_target)) {
    std::fprintf(stderr, "r7: cannot write the clipboard to %s\n", clipboard_target->c_str());
    return 2;
  }
  return status & 0xFF;
}
