// Locale, message boxes, debug output, clock, user input, help and programs. (Win32
// implementation)
#include <string>

#include "platform/win32/desktop_win32.h"

namespace r7::platform::win32 {

std::optional<std::string> Win32LocaleInfo::Read(LocaleItem item) {
  const LCTYPE type = item == LocaleItem::kDecimalSeparator     ? LOCALE_SDECIMAL
                      : item == LocaleItem::kThousandsSeparator ? LOCALE_STHOUSAND
                                                                : LOCALE_SGROUPING;
  char buffer[80];
  int length = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  if (length <= 0) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(length - 1));  // without the NUL
}

int Win32MessageBoxes::Show(WindowId owner, std::string_view text, std::string_view caption,
                            unsigned style) {
  // A NUL inside would only cut the text short; show what precedes it.
  std::string shown(text.substr(0, text.find('\0')));
  std::string title(caption.substr(0, caption.find('\0')));
  return ::MessageBoxA(WindowHandle(owner), shown.c_str(), title.c_str(), style);
}

void Win32DebugOutput::Write(std::string_view text) {
  std::string line(text.substr(0, text.find('\0')));
  ::OutputDebugStringA(line.c_str());
}

CalendarDate Win32Clock::Today() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

bool Win32UserInput::TakeStopRequest(WindowId window) {
  HWND hwnd = WindowHandle(window);
  MSG message;
  while (::PeekMessageA(&message, hwnd, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    if (message.message == WM_KEYDOWN) return true;
  }
  while (::PeekMessageA(&message, hwnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    if (message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN) return true;
  }
  return false;
}

void Win32UserInput::Repaint(WindowId window) {
  // With no window, InvalidateRect would repaint every window of the desktop.
  if (window == kNoWindow) return;
  ::InvalidateRect(WindowHandle(window), nullptr, TRUE);
  ::UpdateWindow(WindowHandle(window));
}

void Win32UserInput::ShowWaitCursor() {
  ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void Win32UserInput::ShowArrowCursor() {
  ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

bool Win32HelpViewer::Open(WindowId window, std::string_view file, unsigned command,
                           unsigned long parameter) {
  std::optional<std::string> name = CText(file);
  if (!name) return false;
  return ::WinHelpA(WindowHandle(window), name->c_str(), command, parameter) != FALSE;
}

bool Win32Programs::Start(std::string_view command_line) {
  std::optional<std::string> text = CText(command_line);
  if (!text || text->empty()) return false;
  // CreateProcessA may write into the command line: it gets a copy of its own.
  std::string writable = *text;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

}  // namespace r7::platform::win32
