// The headless window system of the POSIX build: windows with handlers, one message queue
// for the host's thread, dialogs made from the templates with the controls each template
// names. (POSIX implementation)
//
// Nothing is drawn. A dialog has exactly the controls of its template, with their kinds and
// flags; the core sets their state and the user's side (HeadlessUserActions) acts on them
// as a person would, through the notifications the same action sends on Windows. The
// activation moves between top-level windows as on Windows: showing a window normally or
// activating it sends message::kActivate to it and the inactive one to the window that had
// it; a window hidden or destroyed while active passes the activation to its shown owner;
// a modal window of the system (message box, file or folder dialog) takes it while it
// shows and gives it to its owner when it closes. A dialog keeps the control that had the
// focus when it lost the activation and gives the focus back to it (else to its first tab
// stop) when it gains the activation again. Owner-drawn list views are painted on demand
// (PaintRows): the handler is asked for every row, and the paint it chose is what the tests read.
// The host pumps the queue after each export call (PumpPosted), as the add-in's message loop does.
// Window ids count up from 1 and are never reused.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/user_interface.h"
#include "resources/dialog_template.h"

namespace r7::platform::posix {

class HeadlessUserInterface : public UserInterface {
 public:
  struct Control {
    resources::ControlKind kind = resources::ControlKind::kText;
    unsigned flags = 0;  // resources::control_flag of the template
    int group = 0;       // radio buttons: the id of the first button of their group
    std::string text;
    bool checked = false;
    bool enabled = true;
    bool read_only = false;
    std::vector<std::string> entries;
    int selected = -1;  // entry of a combo or list box, row of a list view
    bool dropped_down = false;
    std::vector<ListColumn> columns;
    std::vector<std::vector<std::string>> rows;
    int bitmap_up = 0;
    int bitmap_down = 0;
  };
  struct Window {
    std::string class_name;     // empty for a dialog
    std::string template_name;  // empty for a top-level window
    std::string menu;           // the menu of the window's class
    std::string title;
    WindowId owner = kNoWindow;
    bool visible = false;
    WindowRect placement;
    std::map<int, Control> controls;
    std::vector<int> control_order;  // as the template lists them
    int focused_control = 0;         // the control with the keyboard focus; 0: none
    int saved_focus = 0;  // where the focus returns when the dialog is next activated; 0: none
    std::shared_ptr<MessageHandler> handler;
  };
  // A file or folder dialog that was shown, and what it was answered with (empty when
  // cancelled).
  struct ShownChooser {
    bool folder = false;
    std::string title;
    std::string answer;
  };

  HeadlessUserInterface();

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

  // Handles queued messages, including those that handlers post meanwhile, until the queue
  // is empty. Returns how many were handled.
  int PumpPosted();
  std::size_t pending() const { return queue_.size(); }

  // --- What the user's side and the tests use --------------------------------------------
  // Further templates that dialogs can be made from (a test's own).
  void AddTemplates(std::span<const resources::DialogTemplate> templates);
  // The window's state, or null when it does not exist.
  const Window* Find(WindowId window) const;
  Control* FindControl(WindowId dialog, int control);
  WindowId focus() const { return focus_; }
  WindowId active() const { return active_; }
  // The first top-level window of this program of that class; kNoWindow when none.
  WindowId FindClassWindow(std::string_view class_name) const;
  // The open dialogs made from that template, oldest first; all of them for an empty name.
  std::vector<WindowId> DialogsOf(std::string_view template_name) const;
  // Pretends another program owns a top-level window (the add-in's server window).
  WindowId AddForeignWindow(std::string_view class_name, std::string_view title,
                            WindowRect placement);
  // The window loses the activation to another program's window.
  void Deactivate(WindowId window);
  // A modal window of the system (a message box, a file or folder dialog) shows: it takes
  // the activation from the window that has it, which is returned.
  WindowId BeginModal();
  // The modal window closed: the activation goes to its owner, or back to `previous` when
  // it has none.
  void EndModal(WindowId owner, WindowId previous);
  // Delivers a message now, as the control or the system would send it.
  void Deliver(WindowId window, const Message& message);
  // The dialog's focused control loses the keyboard focus, and no control has it.
  void LeaveFocus(WindowId dialog);
  // Asks an owner-drawn list view's handler how to paint every row, and returns the paint
  // of each; the default paint for a list that is not owner-drawn.
  std::vector<RowPaint> PaintRows(WindowId dialog, int control);

  // How the following file and folder dialogs are answered: a path, or nullopt to cancel.
  void set_chooser_answer(std::optional<std::string> path) { chooser_answer_ = std::move(path); }
  void set_chooser_sink(std::function<void(const ShownChooser&)> sink) {
    chooser_sink_ = std::move(sink);
  }

 private:
  Window* Lookup(WindowId window);
  void MoveActivation(WindowId to);
  void SaveFocus(WindowId dialog);
  void RestoreFocus(WindowId dialog);
  void PassActivationOn(WindowId leaving);
  // The first control that the tab key reaches: enabled, and not a text, group box or radio
  // button; 0 when there is none.
  int FirstTabStop(const Window& dialog) const;
  std::optional<std::string> Choose(WindowId owner, bool folder, std::string_view title);

  std::vector<std::span<const resources::DialogTemplate>> templates_;
  std::map<std::string, std::string> classes_;  // upper-case class name -> menu
  std::map<WindowId, Window> windows_;
  std::deque<std::pair<WindowId, Message>> queue_;
  WindowId next_id_ = 1;
  WindowId focus_ = kNoWindow;
  WindowId active_ = kNoWindow;
  std::optional<std::string> chooser_answer_;
  std::function<void(const ShownChooser&)> chooser_sink_;
};

}  // namespace r7::platform::posix
