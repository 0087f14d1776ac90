// A driver over the headless desktop with a person at it: R7.INI in memory, the driver
// assembled whole, and the user's actions (platform::UserActions) that pick menu items, type,
// choose and click in its dialogs through the notifications of each action. For the tools'
// tests, which work a dialog as the dialog scripts do, in process.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/assembled_driver.h"
#include "fakes/fake_platform.h"
#include "host/command_window.h"
#include "platform/posix/headless_actions.h"

namespace r7::testing {

class DesktopSession {
 public:
  // `settings`: R7.INI lines ("Key=value\n") of the driver's section.
  DesktopSession(std::string_view system_directory, std::string_view settings) {
    std::istringstream lines{std::string(settings)};
    for (std::string line; std::getline(lines, line);) {
      const std::size_t equals = line.find('=');
      if (equals != std::string::npos) {
        profiles.Set("R7 for Tessary", line.substr(0, equals), line.substr(equals + 1));
      }
    }
    profiles.Set("R7 for Tessary", "System Directory", system_directory);
  }
  ~DesktopSession() { driver.Cleanup(); }
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  // One call of the export, then its posted messages handled; the result without its line
  // end.
  std::string Call(int code, const std::string& argument = "") {
    char buffer[260] = {};
    driver.Call(code, argument.c_str(), buffer);
    actions.Pump();
    std::string result = buffer;
    if (result.size() >= 2 && result.substr(result.size() - 2) == "\r\n")
      result.resize(result.size() - 2);
    return result;
  }

  void Menu(int id) {
    if (driver.command_window().window() == platform::kNoWindow) Call(125);
    ASSERT_TRUE(actions.PickMenuItem(kCommandWindowClass, id));
    actions.Pump();
  }

  // The newest open dialog of that template; kNoWindow when none is open.
  platform::WindowId Dialog(std::string_view name) {
    platform::WindowId found = platform::kNoWindow;
    for (const platform::OpenDialog& open : actions.OpenDialogs()) {
      if (open.template_name == name) found = open.window;
    }
    return found;
  }
  std::vector<std::string> OpenDialogs() {
    std::vector<std::string> names;
    for (const platform::OpenDialog& open : actions.OpenDialogs()) {
      names.push_back(open.template_name);
    }
    return names;
  }

  // The user's actions at the control of the dialog addressed by `Use`.
  void Use(std::string_view dialog) {
    dialog_ = Dialog(dialog);
    ASSERT_NE(dialog_, platform::kNoWindow) << dialog;
  }
  void Type(int control, std::string_view text) {
    actions.TypeText(dialog_, control, text);
    actions.Pump();
  }
  void Choose(int control, std::string_view entry) {
    const std::vector<std::string> entries = State(control).entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i] == entry) {
        actions.SelectEntry(dialog_, control, static_cast<int>(i));
        actions.Pump();
        return;
      }
    }
    ADD_FAILURE() << "no entry " << entry << " in " << control;
  }
  void Check(int control, bool checked) {
    if (State(control).checked != checked) Press(control);
  }
  void Press(int control) {
    actions.Click(dialog_, control);
    actions.Pump();
  }
  platform::ControlState State(int control) {
    return actions.Inspect(dialog_, control).value_or(platform::ControlState{});
  }
  std::string Text(int control) { return State(control).text; }

  // The message boxes shown since the last call: "caption|text" each.
  std::vector<std::string> Boxes() {
    std::vector<std::string> boxes;
    for (const platform::ShownWindow& shown : actions.TakeShown()) {
      boxes.push_back(shown.caption + "|" + shown.text);
    }
    return boxes;
  }
  std::string Clipboard() { return desktop.clipboard.GetText().value_or("(none)"); }

  MemoryProfileStore profiles;
  platform::posix::PosixFileSystem files;
  platform::posix::PosixDynamicLibraries libraries;
  platform::posix::HeadlessDesktop desktop;
  platform::Platform platform{profiles,          files,
                              libraries,         desktop.locale,
                              desktop.clipboard, desktop.message_boxes,
                              desktop.debug,     desktop.clock,
                              desktop.input,     desktop.help,
                              desktop.programs,  desktop.ui};
  AssembledDriver driver{platform};
  platform::posix::HeadlessUserActions actions{desktop};

 private:
  platform::WindowId dialog_ = platform::kNoWindow;
};

}  // namespace r7::testing
