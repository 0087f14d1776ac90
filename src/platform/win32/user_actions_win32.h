// The user's side of the real Win32 dialogs: what a person at the screen does, done with
// the window messages of each action sent to the real controls. (Win32 implementation)
//
// Typing gives the control the focus, sets its text and sends the notification the
// control would send for typed text when the system does not (a combo box's edit change),
// then takes the focus away; choosing an entry focuses the control, selects the entry,
// sends the selection change the control would send, and takes the focus away; a click is
// the button's own BM_CLICK; a double-click or heading click on a list view is the list's
// own WM_NOTIFY to its dialog. The dialog loses the activation to a plain window of this
// program that stands in for the spreadsheet (the "sheet"). A key pressed during an action
// is a WM_KEYDOWN waiting in the dialog's queue, where a stop check looks for it; pumping
// leaves keyboard messages alone so that it waits there until an action takes it or it is
// discarded. Message boxes and the file and folder dialogs are answered by ModalAnswers.
//
// The driver's dialogs are found by the template mark that Win32UserInterface gives them,
// so this works from the host program while the dialogs belong to the driver DLL, as long
// as both run on the host's thread.
#pragma once

#include <windows.h>

#include "platform/user_actions.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/modal_answers_win32.h"

namespace r7::platform::win32 {

class Win32UserActions : public UserActions {
 public:
  Win32UserActions();
  ~Win32UserActions() override;
  Win32UserActions(const Win32UserActions&) = delete;
  Win32UserActions& operator=(const Win32UserActions&) = delete;

  std::vector<OpenDialog> OpenDialogs() override;
  std::optional<ControlState> Inspect(WindowId dialog, int control) override;
  bool PickMenuItem(std::string_view window_class, int id) override;
  void TypeText(WindowId dialog, int control, std::string_view text) override;
  void SelectEntry(WindowId dialog, int control, int index) override;
  void Click(WindowId dialog, int control) override;
  void DoubleClickRow(WindowId dialog, int control, int row) override;
  void ClickColumn(WindowId dialog, int control, int column) override;
  void Activate(WindowId dialog) override;
  void Deactivate(WindowId dialog) override;
  void PressKeyDuring(WindowId dialog) override;
  void DiscardPendingInput() override;
  void AnswerBoxes(std::optional<int> answer) override;
  void AnswerChoosers(std::optional<std::string> path) override;
  std::vector<ShownWindow> TakeShown() override;
  std::string ClipboardText() override;
  void Pump() override;

 private:
  HWND Sheet();

  ModalAnswers answers_;
  Win32Clipboard clipboard_;
  HWND sheet_ = nullptr;
};

}  // namespace r7::platform::win32
