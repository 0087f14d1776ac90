// Real windows and modeless dialogs. (Win32 implementation)
#include "platform/win32/user_interface_win32.h"

#include <commctrl.h>

#include <map>
#include <memory>

namespace r7::platform::win32 {
namespace {

using HandlerPtr = std::shared_ptr<MessageHandler>;

std::map<HWND, HandlerPtr>& Handlers() {
  static std::map<HWND, HandlerPtr> handlers;
  return handlers;
}

// The handler of a window being created, until its first message names its handle.
HandlerPtr& Pending() {
  static HandlerPtr pending;
  return pending;
}

HandlerPtr HandlerOf(HWND hwnd) {
  auto& handlers = Handlers();
  auto found = handlers.find(hwnd);
  if (found != handlers.end()) return found->second;
  if (Pending()) {
    HandlerPtr adopted = std::move(Pending());
    Pending().reset();
    handlers[hwnd] = adopted;
    return adopted;
  }
  return nullptr;
}

WindowId IdOf(HWND hwnd) {
  return reinterpret_cast<WindowId>(hwnd);
}

Message MessageOf(UINT id, WPARAM wparam, LPARAM lparam) {
  return {id, static_cast<std::uintptr_t>(wparam), static_cast<std::intptr_t>(lparam)};
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam) {
  HandlerPtr handler = HandlerOf(hwnd);  // a copy: the handler may destroy its window
  bool handled = handler && (*handler)(IdOf(hwnd), MessageOf(id, wparam, lparam));
  if (id == WM_NCDESTROY) Handlers().erase(hwnd);
  return handled ? 0 : ::DefWindowProcA(hwnd, id, wparam, lparam);
}

INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam) {
  HandlerPtr handler = HandlerOf(hwnd);
  bool handled = handler && (*handler)(IdOf(hwnd), MessageOf(id, wparam, lparam));
  if (id == WM_NCDESTROY) Handlers().erase(hwnd);
  return handled ? TRUE : FALSE;
}

// The module that holds this code (the driver DLL), for its resources and classes.
HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&WindowProcedure), &module);
  return module;
}

HWND Item(WindowId dialog, int control) {
  return ::GetDlgItem(WindowHandle(dialog), control);
}

bool IsComboBox(HWND control) {
  char name[32] = {};
  ::GetClassNameA(control, name, sizeof name);
  return ::lstrcmpiA(name, "ComboBox") == 0;
}

std::string WindowText(HWND hwnd) {
  if (hwnd == nullptr) return {};
  int length = ::GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int got = ::GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace

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
  Pending() = std::make_shared<MessageHandler>(std::move(handler));
  HWND hwnd = ::CreateWindowExA(
      0, name->c_str(), title->c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, spec.x, spec.y,
      spec.width, spec.height, WindowHandle(spec.owner), nullptr, ThisModule(), nullptr);
  Pending().reset();
  return IdOf(hwnd);
}

WindowId Win32UserInterface::CreateDialogWindow(std::string_view template_name, WindowId owner,
                                                MessageHandler handler) {
  std::optional<std::string> name = CText(template_name);
  if (!name || name->empty()) return kNoWindow;
  Pending() = std::make_shared<MessageHandler>(std::move(handler));
  HWND hwnd =
      ::CreateDialogParamA(ThisModule(), name->c_str(), WindowHandle(owner), DialogProcedure, 0);
  Pending().reset();
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

void Win32UserInterface::SetControlText(WindowId dialog, int control, std::string_view text) {
  std::optional<std::string> value = CText(text);
  if (value) ::SetDlgItemTextA(WindowHandle(dialog), control, value->c_str());
}

std::string Win32UserInterface::ControlText(WindowId dialog, int control) {
  return WindowText(Item(dialog, control));
}

void Win32UserInterface::SetChecked(WindowId dialog, int control, bool checked) {
  ::CheckDlgButton(WindowHandle(dialog), control, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32UserInterface::IsChecked(WindowId dialog, int control) {
  return ::IsDlgButtonChecked(WindowHandle(dialog), control) == BST_CHECKED;
}

void Win32UserInterface::EnableControl(WindowId dialog, int control, bool enabled) {
  if (HWND item = Item(dialog, control)) ::EnableWindow(item, enabled ? TRUE : FALSE);
}

bool Win32UserInterface::IsControlEnabled(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  return item != nullptr && ::IsWindowEnabled(item) != FALSE;
}

void Win32UserInterface::ClearEntries(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  if (item == nullptr) return;
  ::SendMessageA(item, IsComboBox(item) ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
}

void Win32UserInterface::AddEntry(WindowId dialog, int control, std::string_view text) {
  HWND item = Item(dialog, control);
  std::optional<std::string> value = CText(text);
  if (item == nullptr || !value) return;
  ::SendMessageA(item, IsComboBox(item) ? CB_ADDSTRING : LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(value->c_str()));
}

std::vector<std::string> Win32UserInterface::Entries(WindowId dialog, int control) {
  std::vector<std::string> entries;
  HWND item = Item(dialog, control);
  if (item == nullptr) return entries;
  const bool combo = IsComboBox(item);
  LRESULT count = ::SendMessageA(item, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length =
        ::SendMessageA(item, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) break;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    ::SendMessageA(item, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    entries.push_back(std::move(text));
  }
  return entries;
}

int Win32UserInterface::SelectedEntry(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  if (item == nullptr) return -1;
  LRESULT index = ::SendMessageA(item, IsComboBox(item) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void Win32UserInterface::SelectEntry(WindowId dialog, int control, int index) {
  HWND item = Item(dialog, control);
  if (item == nullptr) return;
  ::SendMessageA(item, IsComboBox(item) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index),
                 0);
}

void Win32UserInterface::SetColumns(WindowId dialog, int control,
                                    const std::vector<std::string>& headings) {
  HWND item = Item(dialog, control);
  if (item == nullptr) return;
  while (::SendMessageA(item, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (std::size_t i = 0; i < headings.size(); ++i) {
    std::optional<std::string> text = CText(headings[i]);
    if (!text) text = std::string();
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = text->data();
    ::SendMessageA(item, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(&column));
  }
}

void Win32UserInterface::ClearRows(WindowId dialog, int control) {
  if (HWND item = Item(dialog, control)) ::SendMessageA(item, LVM_DELETEALLITEMS, 0, 0);
}

void Win32UserInterface::AddRow(WindowId dialog, int control,
                                const std::vector<std::string>& cells) {
  HWND item = Item(dialog, control);
  if (item == nullptr) return;
  const int row = static_cast<int>(::SendMessageA(item, LVM_GETITEMCOUNT, 0, 0));
  for (std::size_t i = 0; i < cells.size(); ++i) {
    std::optional<std::string> text = CText(cells[i]);
    if (!text) text = std::string();
    LVITEMA cell{};
    cell.mask = LVIF_TEXT;
    cell.iItem = row;
    cell.iSubItem = static_cast<int>(i);
    cell.pszText = text->data();
    ::SendMessageA(item, i == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&cell));
  }
}

std::vector<std::vector<std::string>> Win32UserInterface::Rows(WindowId dialog, int control) {
  std::vector<std::vector<std::string>> rows;
  HWND item = Item(dialog, control);
  if (item == nullptr) return rows;
  HWND header = reinterpret_cast<HWND>(::SendMessageA(item, LVM_GETHEADER, 0, 0));
  const int columns = header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  const int count = static_cast<int>(::SendMessageA(item, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < (columns > 0 ? columns : 1); ++column) {
      char buffer[512] = {};
      LVITEMA cell{};
      cell.iSubItem = column;
      cell.pszText = buffer;
      cell.cchTextMax = sizeof buffer;
      ::SendMessageA(item, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&cell));
      cells.emplace_back(buffer);
    }
    rows.push_back(std::move(cells));
  }
  return rows;
}

}  // namespace r7::platform::win32
