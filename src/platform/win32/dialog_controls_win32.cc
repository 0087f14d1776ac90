// The controls of the driver's dialogs: texts, check marks, entries and list views.
// (Win32 implementation)
#include <windows.h>
// After <windows.h>:
#include <commctrl.h>

#include <algorithm>

#include "platform/win32/controls_win32.h"
#include "platform/win32/owner_draw_win32.h"
#include "platform/win32/user_interface_win32.h"

namespace r7::platform::win32 {
namespace {

using resources::ControlKind;

HWND Item(WindowId dialog, int control) {
  if (dialog == kNoWindow) return nullptr;
  return ::GetDlgItem(WindowHandle(dialog), control);
}

bool IsEntryControl(HWND item) {
  const std::optional<ControlKind> kind = ControlKindOf(item);
  return kind == ControlKind::kComboBox || kind == ControlKind::kListBox;
}

HWND ListView(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  return item != nullptr && IsListView(item) ? item : nullptr;
}

}  // namespace

void Win32UserInterface::SetControlText(WindowId dialog, int control, std::string_view text) {
  HWND item = Item(dialog, control);
  std::optional<std::string> value = CText(text);
  if (item == nullptr || !value) return;
  if (IsComboBox(item) && !HasEditPart(item)) {
    // A drop-down list shows only its entries: the text selects the entry that reads so.
    const int found = FindEntry(item, *value);
    if (found >= 0) SelectEntryOf(item, found);
    return;
  }
  ::SetWindowTextA(item, value->c_str());
}

std::string Win32UserInterface::ControlText(WindowId dialog, int control) {
  return WindowText(Item(dialog, control));
}

void Win32UserInterface::SetChecked(WindowId dialog, int control, bool checked) {
  if (dialog == kNoWindow) return;
  ::CheckDlgButton(WindowHandle(dialog), control, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32UserInterface::IsChecked(WindowId dialog, int control) {
  return dialog != kNoWindow && ::IsDlgButtonChecked(WindowHandle(dialog), control) == BST_CHECKED;
}

void Win32UserInterface::EnableControl(WindowId dialog, int control, bool enabled) {
  if (HWND item = Item(dialog, control)) ::EnableWindow(item, enabled ? TRUE : FALSE);
}

bool Win32UserInterface::IsControlEnabled(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  return item != nullptr && ::IsWindowEnabled(item) != FALSE;
}

void Win32UserInterface::SetReadOnly(WindowId dialog, int control, bool read_only) {
  HWND item = Item(dialog, control);
  if (item != nullptr && ControlKindOf(item) == ControlKind::kEdit) {
    ::SendMessageA(item, EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
  }
}

bool Win32UserInterface::IsReadOnly(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  return item != nullptr && IsReadOnlyEdit(item);
}

void Win32UserInterface::FocusControl(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  if (item == nullptr || !::IsWindowEnabled(item)) return;
  const std::optional<ControlKind> kind = ControlKindOf(item);
  if (kind == ControlKind::kText || kind == ControlKind::kGroupBox) return;
  // As the dialog manager moves the focus: the default push button follows it.
  ::SendMessageA(WindowHandle(dialog), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
}

void Win32UserInterface::SetButtonBitmaps(WindowId dialog, int control, int up, int down) {
  HWND item = Item(dialog, control);
  if (item != nullptr && ControlKindOf(item) == ControlKind::kBitmapButton) {
    win32::SetButtonBitmaps(item, up, down);
  }
}

void Win32UserInterface::ClearEntries(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  if (item == nullptr || !IsEntryControl(item)) return;
  ::SendMessageA(item, IsComboBox(item) ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
}

void Win32UserInterface::AddEntry(WindowId dialog, int control, std::string_view text) {
  HWND item = Item(dialog, control);
  std::optional<std::string> value = CText(text);
  if (item == nullptr || !value || !IsEntryControl(item)) return;
  ::SendMessageA(item, IsComboBox(item) ? CB_ADDSTRING : LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(value->c_str()));
}

std::vector<std::string> Win32UserInterface::Entries(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  if (item == nullptr || !IsEntryControl(item)) return {};
  return EntriesOf(item);
}

int Win32UserInterface::SelectedEntry(WindowId dialog, int control) {
  HWND item = Item(dialog, control);
  if (item == nullptr || !IsEntryControl(item)) return -1;
  return SelectedEntryOf(item);
}

void Win32UserInterface::SelectEntry(WindowId dialog, int control, int index) {
  HWND item = Item(dialog, control);
  if (item != nullptr && IsEntryControl(item)) SelectEntryOf(item, index);
}

void Win32UserInterface::ShowDropDown(WindowId dialog, int control, bool shown) {
  HWND item = Item(dialog, control);
  if (item != nullptr && IsComboBox(item)) {
    ::SendMessageA(item, CB_SHOWDROPDOWN, shown ? TRUE : FALSE, 0);
  }
}

void Win32UserInterface::SetColumns(WindowId dialog, int control,
                                    const std::vector<ListColumn>& columns) {
  HWND list = ListView(dialog, control);
  if (list == nullptr) return;
  ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  while (::SendMessageA(list, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::string title = CText(columns[i].title).value_or("");
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.cx = std::max(columns[i].width, 0);
    column.fmt = columns[i].alignment == Alignment::kRight ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.pszText = title.data();
    ::SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(&column));
  }
}

std::vector<ListColumn> Win32UserInterface::Columns(WindowId dialog, int control) {
  return ColumnsOf(ListView(dialog, control));
}

void Win32UserInterface::SetColumnWidth(WindowId dialog, int control, int column, int width) {
  HWND list = ListView(dialog, control);
  if (list == nullptr || column < 0 || static_cast<std::size_t>(column) >= ColumnsOf(list).size()) {
    return;
  }
  // Negative widths ask the list to size the column itself; the seam knows only pixels.
  ::SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                 MAKELPARAM(std::max(width, 0), 0));
}

void Win32UserInterface::ClearRows(WindowId dialog, int control) {
  if (HWND list = ListView(dialog, control)) ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
}

void Win32UserInterface::AddRow(WindowId dialog, int control,
                                const std::vector<std::string>& cells) {
  HWND list = ListView(dialog, control);
  if (list == nullptr) return;
  const auto row = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  LVITEMA first{};
  first.mask = LVIF_TEXT;
  first.iItem = row;
  std::string text = cells.empty() ? std::string() : CText(cells[0]).value_or("");
  first.pszText = text.data();
  const auto added =
      static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&first)));
  if (added < 0) return;
  for (std::size_t i = 1; i < cells.size(); ++i) {
    std::string cell_text = CText(cells[i]).value_or("");
    LVITEMA cell{};
    cell.iSubItem = static_cast<int>(i);
    cell.pszText = cell_text.data();
    ::SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(added),
                   reinterpret_cast<LPARAM>(&cell));
  }
}

std::vector<std::vector<std::string>> Win32UserInterface::Rows(WindowId dialog, int control) {
  return RowsOf(ListView(dialog, control));
}

int Win32UserInterface::SelectedRow(WindowId dialog, int control) {
  return SelectedRowOf(ListView(dialog, control));
}

void Win32UserInterface::SelectRow(WindowId dialog, int control, int row) {
  SelectRowOf(ListView(dialog, control), row);
}

}  // namespace r7::platform::win32
