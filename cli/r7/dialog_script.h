// The dialog lines of a batch: a script acting as the user at the driver's dialogs, the
// same on both hosts (r7 over the headless desktop, r7win over the real Win32 dialogs).
//
//   menu ID              picks item ID of the command window's menu
//   dialog NAME          the following lines address the newest open dialog of that template
//   set ID TEXT          types TEXT into an edit or a combo box's edit part, then leaves it
//   select ID N          selects entry N (from 0) of a combo or list box
//   select ID =TEXT      selects the entry that reads TEXT
//   check ID 0|1         clicks a check box or radio button into that state
//   press ID             clicks a button
//   dblclick ID ROW      double-clicks a row of a list view
//   sort ID COLUMN       clicks a column heading of a list view
//   activate|deactivate  the dialog gains or loses the activation
//   show ID              the control's state
//   dialogs              the open dialogs: template name and title
//   clipboard            the clipboard's text
//   answer yes|no|ok|cancel   how the following message boxes are answered
//   choose [PATH]        how the following file and folder dialogs are answered (no PATH:
//                        cancelled)
//   stop                 the user presses a key in the dialog while its next action runs
//
// Each line answers 0 and the text shown, or 1 and the reason it was refused ("no dialog
// DRILL", "no control 1064"); a refused line changes nothing. What the user could not do
// is refused: typing into a disabled or read-only control, a row or entry that is not
// there. Actions go through platform::UserActions only.
#pragma once

#include <string>
#include <string_view>

#include "platform/user_actions.h"

namespace r7::cli {

struct LineAnswer {
  int status = 0;  // 0 done, 1 refused
  std::string text;
};

class DialogScript {
 public:
  // `command_window_class`: the class of the window whose menu `menu` lines pick from.
  DialogScript(platform::UserActions& actions, std::string command_window_class);

  // True when the line's first word names a dialog line.
  static bool IsDialogLine(std::string_view line);

  LineAnswer Run(std::string_view line);

 private:
  LineAnswer RunLine(std::string_view keyword, std::string_view rest);
  // The addressed dialog, or the refusal that there is none.
  platform::WindowId Dialog(LineAnswer* refusal);

  platform::UserActions& actions_;
  std::string command_window_class_;
  std::string dialog_name_;  // the template the lines address; empty before `dialog`
};

}  // namespace r7::cli
