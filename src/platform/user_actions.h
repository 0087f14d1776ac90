// The user's side of the dialogs: what a person at the screen does with the mouse and the
// keyboard, for the programs that act as the user (the hosts' dialog lines) and for the
// tests of the seam. (interface)
//
// Each action reaches the dialog through the notifications that the same action of a
// person sends: typing into an edit or a combo box's edit part gives it the focus, changes
// its text and leaves it (set focus, change, kill focus); choosing an entry of a combo box or list
// box selects it and leaves it (set focus, selection change, kill focus); a click on a button,
// check box or radio button gives it the focus and is the button's own click; a double-click or a
// heading click on a list view is the list's own notification. Typing, choosing and clicking in a
// dialog that is not active activate it first, as the hand that reaches for a control does. The
// Windows implementation sends the real window messages of each action to the real controls; the
// headless one delivers the same notifications to the handler. Neither calls a tool's code any
// other way.
//
// Actions check nothing themselves: the caller has looked the control up (Inspect) and
// refuses what the user could not do. Message boxes and the file and folder dialogs that
// an action opens are answered as the caller said, and recorded for it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/list_view.h"
#include "platform/window_id.h"
#include "resources/dialog_template.h"

namespace r7::platform {

using resources::ControlKind;

// What the user sees of one control.
struct ControlState {
  ControlKind kind = ControlKind::kText;
  std::string text;
  bool enabled = true;
  bool read_only = false;
  bool checked = false;
  bool has_edit = false;                       // an edit, or a combo box with an edit part
  std::vector<std::string> entries;            // combo and list boxes
  std::vector<ListColumn> columns;             // list views: every column, hidden ones too
  std::vector<std::vector<std::string>> rows;  // list views: the shown columns only
  int selected = -1;                           // entry or row; -1: none
};

struct OpenDialog {
  WindowId window = kNoWindow;
  std::string template_name;
  std::string title;
};

// Something that showed itself to the user while an action ran: a message box (its caption
// and text), or a file or folder dialog (its title, and the path it was answered with,
// empty when cancelled).
struct ShownWindow {
  enum class Kind { kMessageBox, kFileDialog, kFolderDialog };
  Kind kind = Kind::kMessageBox;
  std::string caption;
  std::string text;
};

class UserActions {
 public:
  virtual ~UserActions() = default;

  // The open dialogs made from templates, oldest first.
  virtual std::vector<OpenDialog> OpenDialogs() = 0;
  // The control as the user sees it; nullopt when the dialog has no such control.
  virtual std::optional<ControlState> Inspect(WindowId dialog, int control) = 0;

  // Picks item `id` of the menu of the top-level window of class `window_class`: the
  // command is posted, as a menu posts it. False when there is no such window.
  virtual bool PickMenuItem(std::string_view window_class, int id) = 0;
  virtual void TypeText(WindowId dialog, int control, std::string_view text) = 0;
  virtual void SelectEntry(WindowId dialog, int control, int index) = 0;
  virtual void Click(WindowId dialog, int control) = 0;
  virtual void DoubleClickRow(WindowId dialog, int control, int row) = 0;
  virtual void ClickColumn(WindowId dialog, int control, int column) = 0;
  // The dialog gains the activation, or loses it to a window of another program (the
  // spreadsheet).
  virtual void Activate(WindowId dialog) = 0;
  virtual void Deactivate(WindowId dialog) = 0;
  // The user presses a key in the dialog while its next action runs: a stop request that
  // the action's loops find pending. Whatever no loop took is discarded after the action.
  virtual void PressKeyDuring(WindowId dialog) = 0;
  virtual void DiscardPendingInput() = 0;

  // How the following message boxes are answered (answer::*); nullopt: the first button.
  virtual void AnswerBoxes(std::optional<int> answer) = 0;
  // How the following file and folder dialogs are answered: a path, or nullopt to cancel.
  virtual void AnswerChoosers(std::optional<std::string> path) = 0;
  // What showed itself since the last call, in order.
  virtual std::vector<ShownWindow> TakeShown() = 0;
  // The clipboard's text as a viewer shows it; empty when it holds none.
  virtual std::string ClipboardText() = 0;

  // Handles the posted messages until none is left, as the add-in's message loop does.
  virtual void Pump() = 0;
};

}  // namespace r7::platform
