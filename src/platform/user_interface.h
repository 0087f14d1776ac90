// Windows, modeless dialogs, their controls and the message queue of the host's thread.
// (interface)
//
// Every window belongs to one MessageHandler that the core hands over when it creates the
// window; the platform calls it for each message the window gets (platform/messages.h) and
// keeps it until the window is destroyed. Send() calls the handler at once; Post() queues
// the message, and it is handled when the host pumps its queue (after the export call that
// posted it has returned). A message posted to a window that is destroyed before the pump
// is dropped.
//
// Dialogs are made from the templates of the module (resources/dialogs/): a template names
// each control's id and kind. Controls are addressed by the dialog and the control id.
// Reading a control that a dialog does not have gives an empty text, false or no entries;
// writing one does nothing. Setting a control's state from the core sends no notification,
// as on Windows, with one exception that Windows makes too: setting an edit's text (not a
// combo box's) sends the edit's change notification. Other notifications come from the
// user's actions, and from moving the focus.
//
// The activation moves between top-level windows: a window shown normally, or activated,
// gets message::kActivate, and the window it took the activation from gets the inactive
// one, each naming the other. A window hidden or destroyed while active gives it up first
// (to its owner when that is shown). A message box or a file or folder dialog takes it
// while it shows and gives it to its owner when it closes. A dialog that loses the
// activation keeps the control that had the focus and gives the focus back to it when it
// gains the activation again (to its first tab stop when no control had it). Single-
// threaded: everything runs on the host's thread.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/list_view.h"
#include "platform/messages.h"
#include "platform/window_id.h"

namespace r7::platform {

// Returns true when it handled the message; an unhandled message of a top-level window gets
// the system's default handling.
using MessageHandler = std::function<bool(WindowId self, const Message& message)>;

enum class ShowMode { kHide, kNormal, kNoActivate };

struct WindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A hidden top-level window of a registered class.
struct WindowSpec {
  std::string class_name;
  std::string title;
  WindowId owner = kNoWindow;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The average character width and the line height (character height plus external
// leading) of a window's display font.
struct TextMetrics {
  int average_width = 8;
  int line_height = 16;
};

// The file-open dialog: a title, a filter of description|pattern pairs each ended by "|"
// ("Ledger Files (COMPFILE.DAT)|compfile.dat|All Files (*.*)|*.*|"), the directory it
// starts in; the chosen file must exist.
struct FileChoice {
  std::string title;
  std::string filter;
  std::string start_directory;
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // --- Windows ---------------------------------------------------------------------------
  // Registers a window class with the arrow cursor, a white background and the menu of
  // that resource name. Registering a class again succeeds. False when it cannot be done.
  virtual bool RegisterWindowClass(std::string_view class_name, std::string_view menu) = 0;
  // Creates a hidden top-level window; the handler gets message::kCreate before this
  // returns. kNoWindow on failure (the handler is then dropped).
  virtual WindowId CreateTopWindow(const WindowSpec& spec, MessageHandler handler) = 0;
  // Creates a modeless dialog from the named template, owned by `owner`; the handler gets
  // message::kInitDialog before this returns, and a template that is visible is then shown
  // and activated. kNoWindow when there is no such template.
  virtual WindowId CreateDialogWindow(std::string_view template_name, WindowId owner,
                                      MessageHandler handler) = 0;
  // The handler gets message::kDestroy; the windows the window owns go first.
  virtual void DestroyWindow(WindowId window) = 0;
  virtual bool IsWindow(WindowId window) = 0;

  virtual void Send(WindowId window, const Message& message) = 0;
  // False when the message could not be queued (no such window).
  virtual bool Post(WindowId window, const Message& message) = 0;

  virtual void Show(WindowId window, ShowMode mode) = 0;
  virtual bool IsVisible(WindowId window) = 0;
  virtual void SetFocus(WindowId window) = 0;
  virtual void Activate(WindowId window) = 0;
  virtual WindowId Parent(WindowId window) = 0;
  virtual void SetTitle(WindowId window, std::string_view title) = 0;
  virtual std::string Title(WindowId window) = 0;

  // The top-level window of that class and title (another program's, such as the add-in's
  // server window); kNoWindow when there is none.
  virtual WindowId FindTopWindow(std::string_view class_name, std::string_view title) = 0;
  // Where the window sits when it is neither minimised nor maximised.
  virtual std::optional<WindowRect> NormalPlacement(WindowId window) = 0;
  virtual TextMetrics FontMetrics(WindowId window) = 0;

  // --- Controls of a dialog --------------------------------------------------------------
  virtual void SetControlText(WindowId dialog, int control, std::string_view text) = 0;
  virtual std::string ControlText(WindowId dialog, int control) = 0;
  virtual void SetChecked(WindowId dialog, int control, bool checked) = 0;
  virtual bool IsChecked(WindowId dialog, int control) = 0;
  virtual void EnableControl(WindowId dialog, int control, bool enabled) = 0;
  virtual bool IsControlEnabled(WindowId dialog, int control) = 0;
  // An edit the user can read and select in, but not change.
  virtual void SetReadOnly(WindowId dialog, int control, bool read_only) = 0;
  virtual bool IsReadOnly(WindowId dialog, int control) = 0;
  // Gives the control the keyboard focus.
  virtual void FocusControl(WindowId dialog, int control) = 0;
  // An owner-drawn push button is painted from two bitmaps of the module's resources: `up`
  // normally, `down` while pressed, with a focus rectangle while it has the focus.
  virtual void SetButtonBitmaps(WindowId dialog, int control, int up, int down) = 0;

  // Combo boxes and list boxes: entries in the order they were added (sorted ones in
  // their order).
  virtual void ClearEntries(WindowId dialog, int control) = 0;
  virtual void AddEntry(WindowId dialog, int control, std::string_view text) = 0;
  virtual std::vector<std::string> Entries(WindowId dialog, int control) = 0;
  // The selected entry's index, or -1 when none is.
  virtual int SelectedEntry(WindowId dialog, int control) = 0;
  // Selects entry `index`; an index past the entries selects none. A combo box shows the
  // entry's text.
  virtual void SelectEntry(WindowId dialog, int control, int index) = 0;
  // Opens or closes the drop-down list of a combo box.
  virtual void ShowDropDown(WindowId dialog, int control, bool shown) = 0;

  // List views in report style: columns, rows of cell texts in display order, and one
  // selected row. New columns start an empty list: rows belong to the columns they were
  // added under.
  virtual void SetColumns(WindowId dialog, int control, const std::vector<ListColumn>& columns) = 0;
  virtual std::vector<ListColumn> Columns(WindowId dialog, int control) = 0;
  virtual void SetColumnWidth(WindowId dialog, int control, int column, int width) = 0;
  virtual void ClearRows(WindowId dialog, int control) = 0;
  virtual void AddRow(WindowId dialog, int control, const std::vector<std::string>& cells) = 0;
  virtual std::vector<std::vector<std::string>> Rows(WindowId dialog, int control) = 0;
  // The selected row, or -1 when none is.
  virtual int SelectedRow(WindowId dialog, int control) = 0;
  virtual void SelectRow(WindowId dialog, int control, int row) = 0;

  // --- Common dialogs --------------------------------------------------------------------
  // The file the user chose in the file-open dialog; nullopt when cancelled.
  virtual std::optional<std::string> ChooseFile(WindowId owner, const FileChoice& choice) = 0;
  // The folder the user chose in the folder-choice dialog; nullopt when cancelled.
  virtual std::optional<std::string> ChooseFolder(WindowId owner, std::string_view title) = 0;
};

}  // namespace r7::platform
