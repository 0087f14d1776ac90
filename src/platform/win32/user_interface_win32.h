// Real windows and modeless dialogs from the module's .rc templates. (Win32 implementation)
//
// Resources (templates, menus, bitmaps) come from the module that holds this code: the
// driver DLL. Each dialog carries the name of its template (dialog_mark_win32.h). Controls
// are reached through the dialog item API and read as controls_win32.h reads them; the
// window procedures (window_procedures_win32.h) turn the list views' notifications and
// owner drawing into the seam's messages.
#pragma once

#include "platform/user_interface.h"
#include "platform/win32/win32_text.h"

namespace r7::platform::win32 {

class Win32UserInterface : public UserInterface {
 public:
  bool RegisterWindowClass(std::string_view class_name, std::string_view menu) override;
  WindowId CreateTopWindow(const WindowSpec& spec, MessageHandler handler) override;
  WindowId CreateDialogWindow(std::string_view template_name, WindowId owner,
                              MessageHandler handler) override;
  void DestroyWindow(WindowId window) override;
  bool IsWindow(WindowId window) override;
  void Send(WindowId window, const Message& message) override;
  bool Post(WindowId window, const Message& message) override;
  void Show(WindowId window, ShowMode mode) override;
  bool IsVisible(WindowId window) override;
  void SetFocus(WindowId window) override;
  void Activate(WindowId window) override;
  WindowId Parent(WindowId window) override;
  void SetTitle(WindowId window, std::string_view title) override;
  std::string Title(WindowId window) override;
  WindowId FindTopWindow(std::string_view class_name, std::string_view title) override;
  std::optional<WindowRect> NormalPlacement(WindowId window) override;
  TextMetrics FontMetrics(WindowId window) override;

  void SetControlText(WindowId dialog, int control, std::string_view text) override;
  std::string ControlText(WindowId dialog, int control) override;
  void SetChecked(WindowId dialog, int control, bool checked) override;
  bool IsChecked(WindowId dialog, int control) override;
  void EnableControl(WindowId dialog, int control, bool enabled) override;
  bool IsControlEnabled(WindowId dialog, int control) override;
  void SetReadOnly(WindowId dialog, int control, bool read_only) override;
  bool IsReadOnly(WindowId dialog, int control) override;
  void FocusControl(WindowId dialog, int control) override;
  void SetButtonBitmaps(WindowId dialog, int control, int up, int down) override;
  void ClearEntries(WindowId dialog, int control) override;
  void AddEntry(WindowId dialog, int control, std::string_view text) override;
  std::vector<std::string> Entries(WindowId dialog, int control) override;
  int SelectedEntry(WindowId dialog, int control) override;
  void SelectEntry(WindowId dialog, int control, int index) override;
  void ShowDropDown(WindowId dialog, int control, bool shown) override;
  void SetColumns(WindowId dialog, int control, const std::vector<ListColumn>& columns) override;
  std::vector<ListColumn> Columns(WindowId dialog, int control) override;
  void SetColumnWidth(WindowId dialog, int control, int column, int width) override;
  void ClearRows(WindowId dialog, int control) override;
  void AddRow(WindowId dialog, int control, const std::vector<std::string>& cells) override;
  std::vector<std::vector<std::string>> Rows(WindowId dialog, int control) override;
  int SelectedRow(WindowId dialog, int control) override;
  void SelectRow(WindowId dialog, int control, int row) override;

  std::optional<std::string> ChooseFile(WindowId owner, const FileChoice& choice) override;
  std::optional<std::string> ChooseFolder(WindowId owner, std::string_view title) override;
};

}  // namespace r7::platform::win32
