// The messages that windows and dialogs receive: their numbers, the notifications that a
// dialog's controls send, and the helpers that build and read them. (interface)
//
// Numbers are the Windows values, so that both implementations deliver the same messages
// for the same user action: a control tells its dialog what the user did with a command
// message whose low word of wparam is the control id and whose high word is the
// notification code. List views notify through the list messages below instead, which the
// Windows implementation makes from the system's own list-view notifications.
#pragma once

#include <cstdint>

#include "platform/window_id.h"

namespace r7::platform {

namespace message {
inline constexpr unsigned kCreate = 0x0001;
inline constexpr unsigned kDestroy = 0x0002;
inline constexpr unsigned kActivate = 0x0006;  // wparam: activation::*; lparam: the other window
inline constexpr unsigned kClose = 0x0010;
// The user asked for help: F1, or the Help button of a message box shown with
// box::kHelpButton (sent to the box's owner while the box stays open).
inline constexpr unsigned kHelp = 0x0053;
inline constexpr unsigned kKeyDown = 0x0100;
inline constexpr unsigned kInitDialog = 0x0110;
inline constexpr unsigned kCommand = 0x0111;
inline constexpr unsigned kLeftButtonDown = 0x0201;
inline constexpr unsigned kRightButtonDown = 0x0204;
// The user double-clicked row lparam (from 0, in display order) of list view wparam.
inline constexpr unsigned kListDoubleClick = 0xA001;
// The user clicked the heading of column lparam of list view wparam.
inline constexpr unsigned kListColumnClick = 0xA002;
// An owner-drawn list view asks how to paint one row: lparam points to a RowPaint
// (platform/list_view.h) that the handler fills; the platform paints it.
inline constexpr unsigned kPaintListRow = 0xA003;
}  // namespace message

// What a control's command message says happened (the high word of wparam).
namespace notify {
inline constexpr int kClicked = 0;  // push button, check box, radio button
inline constexpr int kEditSetFocus = 0x0100;
inline constexpr int kEditKillFocus = 0x0200;
inline constexpr int kEditChange = 0x0300;
inline constexpr int kComboSelectionChange = 1;
inline constexpr int kComboSetFocus = 3;
inline constexpr int kComboKillFocus = 4;
inline constexpr int kComboEditChange = 5;
inline constexpr int kListBoxSelectionChange = 1;
inline constexpr int kListBoxSetFocus = 4;
inline constexpr int kListBoxKillFocus = 5;
}  // namespace notify

namespace activation {
inline constexpr int kInactive = 0;
inline constexpr int kActive = 1;
}  // namespace activation

// Command ids that dialog templates give their OK and Cancel buttons.
inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;

struct Message {
  unsigned id = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
};

// A command message, as a menu item sends it (notification 0) or a control its
// notification: the id in the low word, the notification in the high word.
inline Message CommandMessage(int id, int notification = 0, std::intptr_t lparam = 0) {
  return {message::kCommand,
          (static_cast<std::uintptr_t>(id) & 0xFFFF) |
              ((static_cast<std::uintptr_t>(notification) & 0xFFFF) << 16),
          lparam};
}
inline int CommandId(const Message& m) {
  return static_cast<int>(m.wparam & 0xFFFF);
}
inline int Notification(const Message& m) {
  return static_cast<int>((m.wparam >> 16) & 0xFFFF);
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

// An activation message: `state` is activation::*; `other` is the window that loses (or
// gains) the activation in exchange, kNoWindow when it is not one of this program's.
inline Message ActivateMessage(int state, WindowId other) {
  return {message::kActivate, static_cast<std::uintptr_t>(state),
          static_cast<std::intptr_t>(other)};
}
inline bool IsActivation(const Message& m) {
  return m.id == message::kActivate && (m.wparam & 0xFFFF) != activation::kInactive;
}
inline WindowId OtherWindow(const Message& m) {
  return static_cast<WindowId>(m.lparam);
}

}  // namespace r7::platform
