// Handing the core's texts and window ids to the Win32 API. (Win32 implementation)
//
// The ANSI entry points take NUL-terminated texts, so a text with a NUL inside would reach
// them cut short and name something else: such a text is refused here (nullopt) and the
// caller answers as if the operation had failed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

#include "platform/window_id.h"

namespace r7::platform::win32 {

inline std::optional<std::string> CText(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  return std::string(text);
}

inline HWND WindowHandle(WindowId window) {
  return reinterpret_cast<HWND>(window);
}

}  // namespace r7::platform::win32
