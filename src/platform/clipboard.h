// The system clipboard, as plain 8-bit text: every tool's output goes there. (interface)
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace r7::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's contents with the text. False when the clipboard could not be
  // opened; the clipboard is then unchanged.
  virtual bool SetText(std::string_view text) = 0;
  // Empties the clipboard. False when it could not be opened.
  virtual bool Clear() = 0;
  // The clipboard's text; nullopt when it could not be opened or holds no text.
  virtual std::optional<std::string> GetText() = 0;
};

}  // namespace r7::platform
