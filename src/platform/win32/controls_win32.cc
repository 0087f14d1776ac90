// Reading and writing the system's controls. (Win32 implementation)
#include "platform/win32/controls_win32.h"

#include <commctrl.h>

namespace r7::platform::win32 {
namespace {

using resources::ControlKind;

bool HasClass(HWND window, const char* wanted) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  return ::lstrcmpiA(name, wanted) == 0;
}

LONG_PTR Style(HWND window) {
  return ::GetWindowLongPtrA(window, GWL_STYLE);
}

std::optional<ControlKind> ButtonKind(LONG_PTR style) {
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return ControlKind::kButton;
    case BS_OWNERDRAW:
      return ControlKind::kBitmapButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return ControlKind::kCheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return ControlKind::kRadioButton;
    case BS_GROUPBOX:
      return ControlKind::kGroupBox;
    default:
      return std::nullopt;
  }
}

// The text of one cell; the buffer grows until the text fits.
std::string CellText(HWND list, int row, int column) {
  for (std::size_t size = 256;; size *= 2) {
    std::string text(size, '\0');
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = text.data();
    cell.cchTextMax = static_cast<int>(size);
    const auto copied = static_cast<std::size_t>(::SendMessageA(
        list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell)));
    if (copied + 1 < size || size >= 65536) {
      text.resize(copied < size ? copied : size - 1);
      return text;
    }
  }
}

int ColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  if (header == nullptr) return 0;
  const auto count = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  return count > 0 ? count : 0;
}

}  // namespace

std::optional<ControlKind> ControlKindOf(HWND control) {
  if (control == nullptr) return std::nullopt;
  if (HasClass(control, "Static")) return ControlKind::kText;
  if (HasClass(control, "Edit")) return ControlKind::kEdit;
  if (HasClass(control, "ComboBox")) return ControlKind::kComboBox;
  if (HasClass(control, "ListBox")) return ControlKind::kListBox;
  if (HasClass(control, WC_LISTVIEWA)) return ControlKind::kListView;
  if (HasClass(control, "Button")) return ButtonKind(Style(control));
  return std::nullopt;
}

bool IsComboBox(HWND control) {
  return HasClass(control, "ComboBox");
}

bool IsListView(HWND control) {
  return HasClass(control, WC_LISTVIEWA);
}

bool HasEditPart(HWND control) {
  if (HasClass(control, "Edit")) return true;
  return IsComboBox(control) && (Style(control) & 0x3) != CBS_DROPDOWNLIST;
}

bool IsReadOnlyEdit(HWND control) {
  return HasClass(control, "Edit") && (Style(control) & ES_READONLY) != 0;
}

std::string WindowText(HWND window) {
  if (window == nullptr) return {};
  const int length = ::GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = ::GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

std::vector<std::string> EntriesOf(HWND control) {
  std::vector<std::string> entries;
  if (control == nullptr) return entries;
  const bool combo = IsComboBox(control);
  const LRESULT count = ::SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length =
        ::SendMessageA(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) break;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    ::SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    entries.push_back(std::move(text));
  }
  return entries;
}

int SelectedEntryOf(HWND control) {
  if (control == nullptr) return -1;
  const LRESULT index =
      ::SendMessageA(control, IsComboBox(control) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void SelectEntryOf(HWND control, int index) {
  if (control == nullptr) return;
  const bool combo = IsComboBox(control);
  const LRESULT count = ::SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  // An index past the entries selects none, as -1 does.
  const WPARAM wanted = index >= 0 && index < count ? static_cast<WPARAM>(index) : WPARAM(-1);
  ::SendMessageA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, wanted, 0);
}

int FindEntry(HWND control, const std::string& text) {
  if (control == nullptr) return -1;
  const LRESULT found =
      ::SendMessageA(control, IsComboBox(control) ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT,
                     WPARAM(-1), reinterpret_cast<LPARAM>(text.c_str()));
  return found < 0 ? -1 : static_cast<int>(found);
}

std::vector<ListColumn> ColumnsOf(HWND list) {
  std::vector<ListColumn> columns;
  if (list == nullptr) return columns;
  const int count = ColumnCount(list);
  for (int i = 0; i < count; ++i) {
    char title[256] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    if (!::SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(&column))) {
      break;
    }
    columns.push_back(
        {title, column.cx,
         (column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT ? Alignment::kRight : Alignment::kLeft});
  }
  return columns;
}

std::vector<std::string> CellsOf(HWND list, int row, int columns) {
  std::vector<std::string> cells;
  for (int column = 0; column < (columns > 0 ? columns : 1); ++column) {
    cells.push_back(CellText(list, row, column));
  }
  return cells;
}

std::vector<std::vector<std::string>> RowsOf(HWND list) {
  std::vector<std::vector<std::string>> rows;
  if (list == nullptr) return rows;
  const int columns = ColumnCount(list);
  const auto count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) rows.push_back(CellsOf(list, row, columns));
  return rows;
}

int SelectedRowOf(HWND list) {
  if (list == nullptr) return -1;
  const LRESULT row = ::SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED);
  return row < 0 ? -1 : static_cast<int>(row);
}

void SelectRowOf(HWND list, int row) {
  if (list == nullptr) return;
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  ::SendMessageA(list, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
  const auto count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  if (row < 0 || row >= count) return;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
  ::SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

}  // namespace r7::platform::win32
