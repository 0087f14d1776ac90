// Reading and writing the system's controls: what kind a control is, its text, the entries
// of combo and list boxes, and the columns, rows and selection of list views. Shared by the
// driver's side (Win32UserInterface) and the user's side (Win32UserActions), so that both
// see a control the same way. (Win32 implementation)
//
// A control's kind comes from its window class and button style, as the resource script
// made it (resources/dialog_rc.h): a push button, an owner-drawn (bitmap) button, a check
// box, a radio button and a group box are all of the class "Button".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "platform/list_view.h"
#include "resources/dialog_template.h"

namespace r7::platform::win32 {

// The kind of a dialog's control; nullopt for a window that is none of the kinds.
std::optional<resources::ControlKind> ControlKindOf(HWND control);
bool IsComboBox(HWND control);
bool IsListView(HWND control);
// An edit, or a combo box with an edit part.
bool HasEditPart(HWND control);
bool IsReadOnlyEdit(HWND control);

std::string WindowText(HWND window);

// Combo and list boxes.
std::vector<std::string> EntriesOf(HWND control);
int SelectedEntryOf(HWND control);
// Selects entry `index`, or none when the index is not an entry's; no notification.
void SelectEntryOf(HWND control, int index);
// The first entry that reads `text` without regard to case (as the system compares
// entries); -1 when none does.
int FindEntry(HWND control, const std::string& text);

// List views in report style.
std::vector<ListColumn> ColumnsOf(HWND list);
// Every cell of every row, hidden columns included, in display order.
std::vector<std::vector<std::string>> RowsOf(HWND list);
std::vector<std::string> CellsOf(HWND list, int row, int columns);
int SelectedRowOf(HWND list);
// Selects `row` (and gives it the focus mark), or none when the row is not there.
void SelectRowOf(HWND list, int row);

}  // namespace r7::platform::win32
