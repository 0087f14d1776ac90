// `batch`: one line at a time, for both hosts.
#include "cli/r7/batch_runner.h"

#include "cli/r7/dialog_script.h"
#include "cli/r7/r7_host.h"

namespace r7::cli {
namespace {

void WriteLine(std::FILE* out, int status, const std::string& escaped) {
  std::fprintf(out, "%d\t%s\n", status, escaped.c_str());
}

// Lines for what showed itself while the last line ran.
void WriteShown(std::FILE* out, platform::UserActions& actions) {
  using Kind = platform::ShownWindow::Kind;
  for (const platform::ShownWindow& shown : actions.TakeShown()) {
    const char* word = shown.kind == Kind::kMessageBox   ? "box"
                       : shown.kind == Kind::kFileDialog ? "file"
                                                         : "folder";
    const std::string caption = EscapeBatchText(shown.caption);
    const std::string text = EscapeBatchText(shown.text);
    std::fprintf(out, "%s\t%s\t%s\n", word, caption.c_str(), text.c_str());
    if (shown.kind == Kind::kMessageBox) {
      std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
  }
}

}  // namespace

int RunBatch(std::istream& in, std::FILE* out, const DriverEntryPoints& driver,
             platform::UserActions& actions, const char* program) {
  DialogScript script(actions, kCommandWindowClass);
  int exit_status = 0;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "cleanup") {
      const int status = driver.cleanup();
      actions.Pump();
      WriteShown(out, actions);
      WriteLine(out, status, "");
    } else if (DialogScript::IsDialogLine(line)) {
      LineAnswer answer = script.Run(line);
      WriteShown(out, actions);
      WriteLine(out, answer.status, EscapeBatchText(answer.text));
    } else {
      const std::size_t tab = line.find('\t');
      const std::string code_text = line.substr(0, tab);
      const std::string argument = tab == std::string::npos ? "" : line.substr(tab + 1);
      std::optional<int> code = ParseCommandCode(code_text);
      if (!code) {
        std::fprintf(stderr, "%s: not a command code: '%s'\n", program, code_text.c_str());
        WriteLine(out, -1, EscapeBatchResult("not a command code: " + code_text));
        exit_status = 2;
        continue;
      }
      std::optional<CallResult> result = driver.call(*code, argument);
      if (!result) return 2;
      actions.Pump();
      WriteShown(out, actions);
      WriteLine(out, result->status, EscapeBatchResult(result->text));
    }
    std::fflush(out);
  }
  return exit_status;
}

}  // namespace r7::cli
