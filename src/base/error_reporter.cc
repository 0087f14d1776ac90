// The pending error of the current call. (platform-independent)
#include "base/error_reporter.h"

#include "base/limits.h"
#include "base/string_table.h"
#include "common/text_util.h"

namespace r7 {

void ErrorReporter::SetError(int code, std::string_view detail) {
  last_code_ = code;
  if (!text_.empty()) return;
  std::string text(kCaption);
  if (code > 1) {
    text += ' ';
    text += CutTo(StringText(code), kMaxMessageText);
  }
  if (!detail.empty() && text.size() < kMaxErrorText) {
    text += " - ";
    text += detail;
  }
  text_ = CutTo(text, kMaxErrorText);
}

bool ErrorReporter::TakeError(std::string* result) {
  if (text_.empty()) return false;
  if (result == nullptr) return true;
  *result = CutTo(text_, kMaxResultText);
  text_.clear();
  return true;
}

}  // namespace r7
