// The user's side of the real Win32 dialogs. (Win32 implementation)
#include "platform/win32/user_actions_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/controls_win32.h"
#include "platform/win32/dialog_mark_win32.h"

namespace r7::platform::win32 {
namespace {

using resources::ControlKind;

constexpr const char* kSheetClass = "R7UserActionsSheet";

HWND Item(WindowId dialog, int control) {
  return ::GetDlgItem(WindowHandle(dialog), control);
}

WindowId IdOf(HWND hwnd) {
  return reinterpret_cast<WindowId>(hwnd);
}

struct ThreadWindows {
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<ThreadWindows*>(list)->found.push_back(window);
  return TRUE;
}

// The top-level windows of this thread.
std::vector<HWND> ThreadTopWindows() {
  ThreadWindows windows;
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows.found;
}

// Tells the control's dialog what the control would tell it.
void Notify(HWND dialog, HWND control, int code) {
  const int id = ::GetDlgCtrlID(control);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

// Gives the control the keyboard focus as a click on it does: a control that has it (or
// whose edit part has it) keeps it, with no notification.
void TakeFocus(HWND control) {
  HWND focus = ::GetFocus();
  if (focus == control || (focus != nullptr && ::IsChild(control, focus))) return;
  ::SetFocus(control);
}

bool IsHidden(const ListColumn& column) {
  return column.width == 0;
}

LRESULT CALLBACK SheetProcedure(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam) {
  return ::DefWindowProcA(hwnd, id, wparam, lparam);
}

}  // namespace

Win32UserActions::Win32UserActions() = default;

Win32UserActions::~Win32UserActions() {
  if (sheet_ != nullptr) ::DestroyWindow(sheet_);
}

std::vector<OpenDialog> Win32UserActions::OpenDialogs() {
  std::vector<std::pair<std::uintptr_t, OpenDialog>> marked;
  for (HWND window : ThreadTopWindows()) {
    if (std::optional<std::string> name = MarkedTemplateName(window)) {
      marked.push_back({MarkedDialogOrder(window), {IdOf(window), *name, WindowText(window)}});
    }
  }
  std::sort(marked.begin(), marked.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<OpenDialog> open;
  for (auto& [order, dialog] : marked) open.push_back(std::move(dialog));
  return open;
}

std::optional<ControlState> Win32UserActions::Inspect(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  const std::optional<ControlKind> kind = ControlKindOf(item);
  if (!kind) return std::nullopt;
  ControlState state;
  state.kind = *kind;
  state.text = WindowText(item);
  state.enabled = ::IsWindowEnabled(item) != FALSE;
  state.read_only = IsReadOnlyEdit(item);
  state.has_edit = HasEditPart(item);
  switch (*kind) {
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
      state.checked = ::SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
      break;
    case ControlKind::kComboBox:
    case ControlKind::kListBox:
      state.entries = EntriesOf(item);
      state.selected = SelectedEntryOf(item);
      break;
    case ControlKind::kListView:
      state.columns = ColumnsOf(item);
      for (const std::vector<std::string>& cells : RowsOf(item)) {
        std::vector<std::string> shown;
        for (std::size_t i = 0; i < cells.size(); ++i) {
          if (i < state.columns.size() && IsHidden(state.columns[i])) continue;
          shown.push_back(cells[i]);
        }
        state.rows.push_back(std::move(shown));
      }
      state.selected = SelectedRowOf(item);
      break;
    default:
      break;
  }
  return state;
}

bool Win32UserActions::PickMenuItem(std::string_view window_class, int id) {
  const std::string wanted(window_class);
  for (HWND window : ThreadTopWindows()) {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (::lstrcmpiA(name, wanted.c_str()) != 0) continue;
    return ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
  }
  return false;
}

void Win32UserActions::TypeText(WindowId dialog, int control, std::string_view text) {
  HWND item = Item(dialog, control);
  if (item == nullptr) return;
  const std::string typed(text.substr(0, text.find('\0')));
  TakeFocus(item);
  ::SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  // A plain edit tells its dialog of the change itself; a combo box's edit part does not
  // when its text is set, so the combo's notification of typed text is sent here, after
  // the list's selection has followed the text as it does under the user's typing.
  if (IsComboBox(item)) {
    SelectEntryOf(item, FindEntry(item, typed));
    if (WindowText(item) != typed) {
      ::SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    }
    Notify(WindowHandle(dialog), item, CBN_EDITCHANGE);
  }
  ::SetFocus(nullptr);
}

void Win32UserActions::SelectEntry(WindowId dialog, int control, int index) {
  HWND item = Item(dialog, control);
  if (item == nullptr) return;
  TakeFocus(item);
  SelectEntryOf(item, index);
  Notify(WindowHandle(dialog), item, IsComboBox(item) ? CBN_SELCHANGE : LBN_SELCHANGE);
  ::SetFocus(nullptr);
}

void Win32UserActions::Click(WindowId dialog, int control) {
  if (HWND item = Item(dialog, control)) ::SendMessageA(item, BM_CLICK, 0, 0);
}

void Win32UserActions::DoubleClickRow(WindowId dialog, int control, int row) {
  HWND list = Item(dialog, control);
  if (list == nullptr) return;
  SelectRowOf(list, row);
  NMITEMACTIVATE activate{};
  activate.hdr.hwndFrom = list;
  activate.hdr.idFrom = static_cast<UINT_PTR>(control);
  activate.hdr.code = NM_DBLCLK;
  activate.iItem = row;
  activate.iSubItem = 0;
  ::SendMessageA(::GetParent(list), WM_NOTIFY, static_cast<WPARAM>(control),
                 reinterpret_cast<LPARAM>(&activate));
}

void Win32UserActions::ClickColumn(WindowId dialog, int control, int column) {
  HWND list = Item(dialog, control);
  if (list == nullptr) return;
  NMLISTVIEW click{};
  click.hdr.hwndFrom = list;
  click.hdr.idFrom = static_cast<UINT_PTR>(control);
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  click.iSubItem = column;
  ::SendMessageA(::GetParent(list), WM_NOTIFY, static_cast<WPARAM>(control),
                 reinterpret_cast<LPARAM>(&click));
}

void Win32UserActions::Activate(WindowId dialog) {
  ::SetActiveWindow(WindowHandle(dialog));
}

void Win32UserActions::Deactivate(WindowId dialog) {
  if (::GetActiveWindow() != WindowHandle(dialog)) return;
  ::SetActiveWindow(Sheet());
}

HWND Win32UserActions::Sheet() {
  if (sheet_ != nullptr && ::IsWindow(sheet_)) return sheet_;
  HINSTANCE module = ::GetModuleHandleA(nullptr);
  WNDCLASSA sheet_class{};
  sheet_class.lpfnWndProc = SheetProcedure;
  sheet_class.hInstance = module;
  sheet_class.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  sheet_class.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  sheet_class.lpszClassName = kSheetClass;
  ::RegisterClassA(&sheet_class);
  sheet_ = ::CreateWindowExA(0, kSheetClass, "Sheet", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320,
                             200, nullptr, nullptr, module, nullptr);
  return sheet_;
}

void Win32UserActions::PressKeyDuring(WindowId dialog) {
  ::PostMessageA(WindowHandle(dialog), WM_KEYDOWN, VK_ESCAPE, 1);
}

void Win32UserActions::DiscardPendingInput() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
}

void Win32UserActions::AnswerBoxes(std::optional<int> answer) {
  answers_.set_box_answer(answer);
}

void Win32UserActions::AnswerChoosers(std::optional<std::string> path) {
  answers_.set_chooser_answer(std::move(path));
}

std::vector<ShownWindow> Win32UserActions::TakeShown() {
  return answers_.Take();
}

std::string Win32UserActions::ClipboardText() {
  return clipboard_.GetText().value_or("");
}

void Win32UserActions::Pump() {
  // Keyboard messages stay queued: they are the user's stop requests (PressKeyDuring).
  MSG message;
  for (;;) {
    if (::PeekMessageA(&message, nullptr, 0, WM_KEYFIRST - 1, PM_REMOVE) ||
        ::PeekMessageA(&message, nullptr, WM_KEYLAST + 1, 0xFFFFFFFF, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
      continue;
    }
    break;
  }
}

}  // namespace r7::platform::win32
