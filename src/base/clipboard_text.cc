// A text that a report is written into before it goes to the clipboard. (platform-independent)
#include "base/clipboard_text.h"

namespace r7 {

void ClipboardText::Append(std::string_view text, Ending ending, Label label) {
  if (label == Label::kYes) text_ += '\'';
  text_ += text;
  text_ += ending == Ending::kLineEnd ? "\r\n" : "\t";
}

}  // namespace r7
