// The headless window system of the POSIX build: windows with handlers, one message queue
// for the host's thread, dialogs whose controls keep their state by id. (POSIX
// implementation)
//
// Nothing is drawn. A dialog's controls come into being when first written; tests and the
// r7 host read them back. The host pumps the queue after each export call (PumpPosted), as
// the add-in's message loop does. Window ids count up from 1 and are never reused.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace r7::platform::posix {

class HeadlessUserInterface : public UserInterface {
 public:
  struct Control {
    std::string text;
    bool checked = false;
    bool enabled = true;
    std::vector<std::string> entries;
    int selected = -1;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
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
    std::shared_ptr<MessageHandler> handler;
  };

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
  void ClearEntries(WindowId dialog, int control) override;
  void AddEntry(WindowId dialog, int control, std::string_view text) override;
  std::vector<std::string> Entries(WindowId dialog, int control) override;
  int SelectedEntry(WindowId dialog, int control) override;
  void SelectEntry(WindowId dialog, int control, int index) override;
  void SetColumns(WindowId dialog, int control, const std::vector<std::string>& headings) override;
  void ClearRows(WindowId dialog, int control) override;
  void AddRow(WindowId dialog, int control, const std::vector<std::string>& cells) override;
  std::vector<std::vector<std::string>> Rows(WindowId dialog, int control) override;

  // Handles queued messages, including those that handlers post meanwhile, until the queue
  // is empty. Returns how many were handled.
  int PumpPosted();
  std::size_t pending() const { return queue_.size(); }

  // For tests and the host: the window's state, or null when it does not exist.
  const Window* Find(WindowId window) const;
  WindowId focus() const { return focus_; }
  // The open dialogs made from that template, oldest first.
  std::vector<WindowId> DialogsOf(std::string_view template_name) const;
  // Pretends another program owns a top-level window (the add-in's server window).
  WindowId AddForeignWindow(std::string_view class_name, std::string_view title,
                            WindowRect placement);

 private:
  Window* Lookup(WindowId window);
  Control* ControlOf(WindowId dialog, int control, bool create);
  void Deliver(WindowId window, const Message& message);

  std::map<std::string, std::string> classes_;  // upper-case class name -> menu
  std::map<WindowId, Window> windows_;
  std::deque<std::pair<WindowId, Message>> queue_;
  WindowId next_id_ = 1;
  WindowId focus_ = kNoWindow;
};

}  // namespace r7::platform::posix
