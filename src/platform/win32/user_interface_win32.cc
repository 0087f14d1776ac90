// Real windows and modeless dialogs. (Win32 implementation)
#include "platform/win32/user_interface_win32.h"

#include <commctrl.h>

#include "platform/win32/controls_win32.h"
#include "platform/win32/window_procedures_win32.h"

namespace r7::platform::win32 {

bool Win32UserInterface::RegisterWindowClass(std::string_view class_name, std::string_view menu) {
  std::optional<std::string> name = CText(class_name), menu_name = CText(menu);
  if (!name || !menu_name || name->empty()) return false;
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = WindowProcedure;
  window_class.hInstance = ThisModule();
  window_class.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  window_class.lpszMenuName = menu_name->empty() ? nullptr : menu_name->c_str();
  window_class.lpszClassName = name->c_str();
  if (::RegisterClassA(&window_class) != 0) return true;
  return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

WindowId Win32UserInterface::CreateTopWindow(const WindowSpec& spec, MessageHandler handler) {
  std::optional<std::string> name = CText(spec.class_name), title = CText(spec.title);
  if (!name || !title) return kNoWindow;
  ExpectWindow(std::move(handler), "");
  HWND hwnd = ::CreateWindowExA(
      0, name->c_str(), title->c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, spec.x, spec.y,
      spec.width, spec.height, WindowHandle(spec.owner), nullptr, ThisModule(), nullptr);
  EndExpecting();
  return IdOf(hwnd);
}

WindowId Win32UserInterface::CreateDialogWindow(std::string_view template_name, WindowId owner,
                                                MessageHandler handler) {
  std::optional<std::string> name = CText(template_name);
  if (!name || name->empty()) return kNoWindow;
  // The dialogs' list views are common controls.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  ExpectWindow(std::move(handler), *name);
  HWND hwnd =
      ::CreateDialogParamA(ThisModule(), name->c_str(), WindowHandle(owner), DialogProcedure, 0);
  EndExpecting();
  return IdOf(hwnd);
}

void Win32UserInterface::DestroyWindow(WindowId window) {
  if (window != kNoWindow) ::DestroyWindow(WindowHandle(window));
}

bool Win32UserInterface::IsWindow(WindowId window) {
  return window != kNoWindow && ::IsWindow(WindowHandle(window)) != FALSE;
}

void Win32UserInterface::Send(WindowId window, const Message& message) {
  if (window == kNoWindow) return;
  ::SendMessageA(WindowHandle(window), message.id, static_cast<WPARAM>(message.wparam),
                 static_cast<LPARAM>(message.lparam));
}

bool Win32UserInterface::Post(WindowId window, const Message& message) {
  if (window == kNoWindow) return false;
  return ::PostMessageA(WindowHandle(window), message.id, static_cast<WPARAM>(message.wparam),
                        static_cast<LPARAM>(message.lparam)) != FALSE;
}

void Win32UserInterface::Show(WindowId window, ShowMode mode) {
  if (window == kNoWindow) return;
  const int command = mode == ShowMode::kHide     ? SW_HIDE
                      : mode == ShowMode::kNormal ? SW_SHOWNORMAL
                                                  : SW_SHOWNOACTIVATE;
  ::ShowWindow(WindowHandle(window), command);
}

bool Win32UserInterface::IsVisible(WindowId window) {
  return window != kNoWindow && ::IsWindowVisible(WindowHandle(window)) != FALSE;
}

void Win32UserInterface::SetFocus(WindowId window) {
  if (window != kNoWindow) ::SetFocus(WindowHandle(window));
}

void Win32UserInterface::Activate(WindowId window) {
  if (window != kNoWindow) ::SetActiveWindow(WindowHandle(window));
}

WindowId Win32UserInterface::Parent(WindowId window) {
  if (window == kNoWindow) return kNoWindow;
  return IdOf(::GetParent(WindowHandle(window)));
}

void Win32UserInterface::SetTitle(WindowId window, std::string_view title) {
  std::optional<std::string> text = CText(title);
  if (window != kNoWindow && text) ::SetWindowTextA(WindowHandle(window), text->c_str());
}

std::string Win32UserInterface::Title(WindowId window) {
  return window == kNoWindow ? std::string() : WindowText(WindowHandle(window));
}

WindowId Win32UserInterface::FindTopWindow(std::string_view class_name, std::string_view title) {
  std::optional<std::string> name = CText(class_name), text = CText(title);
  if (!name || !text) return kNoWindow;
  return IdOf(::FindWindowA(name->c_str(), text->c_str()));
}

std::optional<WindowRect> Win32UserInterface::NormalPlacement(WindowId window) {
  if (window == kNoWindow) return std::nullopt;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!::GetWindowPlacement(WindowHandle(window), &placement)) return std::nullopt;
  const RECT& r = placement.rcNormalPosition;
  return WindowRect{r.left, r.top, r.right, r.bottom};
}

TextMetrics Win32UserInterface::FontMetrics(WindowId window) {
  TextMetrics result;
  HDC dc = ::GetDC(WindowHandle(window));
  if (dc == nullptr) return result;
  TEXTMETRICA metrics{};
  if (::GetTextMetricsA(dc, &metrics)) {
    result.average_width = metrics.tmAveCharWidth;
    result.line_height = metrics.tmHeight + metrics.tmExternalLeading;
  }
  ::ReleaseDC(WindowHandle(window), dc);
  return result;
}

}  // namespace r7::platform::win32
