// The driver's hidden command window: owner of every modeless dialog, home of the menu
// R7DLLMenu, and receiver of the menu ids that the menu commands post. (platform-independent)
//
// It is set up when the library is attached (on POSIX: at the driver's first use). Its
// creation posts the start-up message to itself; the driver also runs the start-up before
// the first export call is handled, so no call waits for the host to pump, and the posted
// start-up then finds nothing left to do. Closing it forgets every dialog, closes help and
// unbinds the record manager. Everything runs on the host's thread.
#pragma once

#include <functional>
#include <string>

#include "base/message_center.h"
#include "host/dialog_registry.h"
#include "platform/small_services.h"
#include "platform/user_interface.h"

namespace r7 {

inline constexpr std::string_view kCommandWindowClass = "TESSARY_CLASS32";
inline constexpr std::string_view kCommandWindowTitle = "R7 DLL for Tessary";
inline constexpr std::string_view kCommandWindowMenu = "R7DLLMenu";
inline constexpr std::string_view kServerWindowClass = "R7MainServerClass";
inline constexpr std::string_view kServerWindowTitle = "R7 Server (32 Bit)";
inline constexpr std::string_view kHelpFile = "Tessary.HLP";

// What the command window asks of the driver that owns it.
struct CommandWindowHooks {
  std::function<void()> start_up;                 // the posted start-up message
  std::function<void()> before_menu;              // before any menu id: the company directory list
  std::function<std::string()> server_directory;  // where the help file lives
  std::function<void()> closed;                   // the window is gone: let the record manager go
};

class CommandWindow {
 public:
  CommandWindow(platform::UserInterface& ui, platform::HelpViewer& help, MessageCenter& messages,
                CommandWindowHooks hooks);
  CommandWindow(const CommandWindow&) = delete;
  CommandWindow& operator=(const CommandWindow&) = delete;

  // Library attach: registers the window class and creates the window, hidden, owned by the
  // add-in's server window when there is one. False only when the class cannot be
  // registered (the library then fails to load).
  bool SetUp();
  // Creates the window when it does not exist.
  void Create();
  platform::WindowId window() const { return window_; }
  bool exists() const { return window_ != platform::kNoWindow; }

  // The add-in's server window, looked up once found.
  platform::WindowId ServerWindow();

  DialogRegistry& dialogs() { return dialogs_; }

  // Sends 1100 to every open dialog, the Drill dialog among them.
  void CloseAllDialogs();
  // Sends the window its close message.
  void Close();

  // Shows the dialog of `kind`: brings an open one forward or creates it. A dialog whose
  // tool is not built shows 42 "Function not supported" instead.
  void OpenDialog(DialogKind kind);
  // The box for a dialog that does not exist yet (suppressed in silent mode).
  void ShowNotBuilt(DialogKind kind);

  bool help_open() const { return help_open_; }

 private:
  bool Handle(platform::WindowId self, const platform::Message& message);
  void OnMenu(int id);
  void OpenHelp();
  void OnClose();
  platform::UserInterface& ui() { return ui_; }

  platform::UserInterface& ui_;
  platform::HelpViewer& help_;
  MessageCenter& messages_;
  CommandWindowHooks hooks_;
  DialogRegistry dialogs_;
  platform::WindowId window_ = platform::kNoWindow;
  platform::WindowId server_window_ = platform::kNoWindow;
  bool help_open_ = false;
  std::string help_path_;
};

}  // namespace r7
