// A text that a report is written into before it goes to the clipboard as plain text.
// (platform-independent)
//
// Each append adds the text, then a line end (CR LF) or a tab; a label is preceded by an
// apostrophe, the spreadsheet's label prefix, so that an account such as 1000-10 is pasted
// as text and not computed.
#pragma once

#include <string>
#include <string_view>

namespace r7 {

enum class Ending { kTab, kLineEnd };
enum class Label { kNo, kYes };

class ClipboardText {
 public:
  void Append(std::string_view text, Ending ending, Label label = Label::kNo);
  // An empty line.
  void EndLine() { Append({}, Ending::kLineEnd); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace r7
