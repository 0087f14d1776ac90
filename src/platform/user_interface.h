// Windows, modeless dialogs, their controls and the message queue of the host's thread.
// (interface)
//
// Every window belongs to one MessageHandler that the core hands over when it creates the
// window; the platform calls it for each message the window gets and keeps it until the
// window is destroyed. Send() calls the handler at once; Post() queues the message, and it
// is handled when the host pumps its queue (after the export call that posted it has
// returned). A message posted to a window that is destroyed before the pump is dropped.
// Message and command numbers use the Windows values so that both implementations agree.
//
// Controls are addressed by the dialog and the control id of the dialog's template (one
// header per dialog under resources/ names them for both builds). Reading a control that a
// dialog does not have gives an empty text, false or no entries; writing one does nothing.
// Single-threaded: everything runs on the host's thread.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_id.h"

namespace r7::platform {

namespace message {
inline constexpr unsigned kCreate = 0x0001;
inline constexpr unsigned kClose = 0x0010;
inline constexpr unsigned kInitDialog = 0x0110;
inline constexpr unsigned kCommand = 0x0111;
inline constexpr unsigned kLeftButtonDown = 0x0201;
}  // namespace message

// Command ids that dialog templates give their OK and Cancel buttons.
inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;

struct Message {
  unsigned id = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
};

// A command message, as a menu item or a control sends it: the id in the low word.
inline Message CommandMessage(int id, std::intptr_t lparam = 0) {
  return {message::kCommand, static_cast<std::uintptr_t>(id) & 0xFFFF, lparam};
}
inline int CommandId(const Message& m) {
  return static_cast<int>(m.wparam & 0xFFFF);
}
// A mouse message at client position x, y.
inline Message MouseMessage(unsigned id, int x, int y) {
  return {id, 0, static_cast<std::intptr_t>((x & 0xFFFF) | ((y & 0xFFFF) << 16))};
}
inline int MouseX(const Message& m) {
  return static_cast<std::int16_t>(m.lparam & 0xFFFF);
}
inline int MouseY(const Message& m) {
  return static_cast<std::int16_t>((m.lparam >> 16) & 0xFFFF);
}

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
  // message::kInitDialog before this returns. kNoWindow on failure.
  virtual WindowId CreateDialogWindow(std::string_view template_name, WindowId owner,
                                      MessageHandler handler) = 0;
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

  // Combo boxes and list boxes: entries in the order they were added.
  virtual void ClearEntries(WindowId dialog, int control) = 0;
  virtual void AddEntry(WindowId dialog, int control, std::string_view text) = 0;
  virtual std::vector<std::string> Entries(WindowId dialog, int control) = 0;
  // The selected entry's index, or -1 when none is.
  virtual int SelectedEntry(WindowId dialog, int control) = 0;
  virtual void SelectEntry(WindowId dialog, int control, int index) = 0;

  // List views: column headings and rows of cell texts.
  virtual void SetColumns(WindowId dialog, int control,
                          const std::vector<std::string>& headings) = 0;
  virtual void ClearRows(WindowId dialog, int control) = 0;
  virtual void AddRow(WindowId dialog, int control, const std::vector<std::string>& cells) = 0;
  virtual std::vector<std::vector<std::string>> Rows(WindowId dialog, int control) = 0;
};

}  // namespace r7::platform
