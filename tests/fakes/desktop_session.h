// A driver over the headless desktop with a person at it: R7.INI in memory, the driver
// assembled whole, and the user's actions (platform/posix/headless_actions.h) that pick menu
// items, type, choose and click in its dialogs through the notifications of each action. For
// the tools' tests, which work a dialog as the dialog scripts do, in process.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "fakes/assembled_driver.h"
#include "fakes/fake_platform.h"
#include "fakes/r7_session.h"
#include "host/command_window.h"
#include "platform/posix/headless.h"
#include "platform/posix/headless_actions.h"

namespace r7::testing {

class DesktopSession {
 public:
  // `settings` as R7Session takes them (R7.INI lines of the driver's section; the first of
  // a key counts, as in the file).
  // `libraries`, when given, binds the record manager in place of the fake platform's own
  // and must outlive the session.
  explicit DesktopSession(std::string_view system_directory, std::string_view settings = {},
                          platform::DynamicLibraries* libraries = nullptr)
      : libraries_(libraries != nullptr ? *libraries : fake.libraries) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < settings.size();) {
      std::size_t end = settings.find('\n', start);
      if (end == std::string_view::npos) end = settings.size();
      lines.emplace_back(settings.substr(start, end - start));
      start = end + 1;
    }
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
      const std::size_t equals = line->find('=');
      if (equals != std::string::npos) {
        fake.profiles.Set(kR7Section, line->substr(0, equals), line->substr(equals + 1));
      }
    }
    fake.profiles.Set(kR7Section, "System Directory", system_directory);
  }
  ~DesktopSession() { driver.Cleanup(); }
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  // One call of the export, then its posted messages handled; the result text without its
  // line end.
  std::string Call(int code, const std::string& argument = "") {
    char buffer[300] = {};
    driver.Call(code, argument.c_str(), buffer);
    user.Pump();
    std::string result = buffer;
    if (result.size() >= 2 && result.substr(result.size() - 2) == "\r\n")
      result.resize(result.size() - 2);
    return result;
  }

  // Picks an item of the command window's menu.
  void Menu(int id) {
    driver.Call(8, "", nullptr);  // the command window exists once a call was made
    ASSERT_TRUE(user.PickMenuItem(kCommandWindowClass, id));
    user.Pump();
  }

  // The newest open dialog of the template; kNoWindow when none is open.
  platform::WindowId Dialog(std::string_view template_name) {
    platform::WindowId newest = platform::kNoWindow;
    for (const platform::OpenDialog& open : user.OpenDialogs()) {
      if (open.template_name == template_name) newest = open.window;
    }
    return newest;
  }
  std::vector<std::string> OpenDialogs() {
    std::vector<std::string> names;
    for (const platform::OpenDialog& open : user.OpenDialogs()) {
      names.push_back(open.template_name);
    }
    return names;
  }

  // What the user does to control `id` of `dialog`, each followed by the posted messages.
  void Press(platform::WindowId dialog, int id) {
    user.Click(dialog, id);
    user.Pump();
  }
  void Type(platform::WindowId dialog, int id, std::string_view text) {
    user.TypeText(dialog, id, text);
    user.Pump();
  }
  void Select(platform::WindowId dialog, int id, int index) {
    user.SelectEntry(dialog, id, index);
    user.Pump();
  }
  // Selects the entry that reads `entry`, as `select ID =TEXT` does.
  void Choose(platform::WindowId dialog, int id, std::string_view entry) {
    const std::vector<std::string> entries = Show(dialog, id).entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i] == entry) return Select(dialog, id, static_cast<int>(i));
    }
    ADD_FAILURE() << "no entry " << entry << " in control " << id;
  }
  // Clicks a check box when it is not in that state already.
  void Check(platform::WindowId dialog, int id, bool checked) {
    if (Show(dialog, id).checked != checked) Press(dialog, id);
  }
  platform::ControlState Show(platform::WindowId dialog, int id) {
    return user.Inspect(dialog, id).value_or(platform::ControlState{});
  }

  // The same at the newest dialog of the template named by `Use`.
  void Use(std::string_view template_name) {
    dialog_ = Dialog(template_name);
    ASSERT_NE(dialog_, platform::kNoWindow) << template_name;
  }
  void Press(int id) { Press(dialog_, id); }
  void Type(int id, std::string_view text) { Type(dialog_, id, text); }
  void Choose(int id, std::string_view entry) {
    const std::vector<std::string> entries = State(id).entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i] == entry) return Select(dialog_, id, static_cast<int>(i));
    }
    ADD_FAILURE() << "no entry " << entry << " in " << id;
  }
  void Check(int id, bool checked) {
    if (State(id).checked != checked) Press(id);
  }
  platform::ControlState State(int id) { return Show(dialog_, id); }
  std::string Text(int id) { return State(id).text; }

  // The message boxes shown since the last look: "caption|text" each.
  std::vector<std::string> Boxes() {
    std::vector<std::string> boxes;
    for (const platform::ShownWindow& shown : user.TakeShown()) {
      boxes.push_back(shown.caption + "|" + shown.text);
    }
    return boxes;
  }
  // The same without their captions, where every box is the driver's own.
  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const platform::ShownWindow& shown : user.TakeShown()) texts.push_back(shown.text);
    return texts;
  }
  std::string Clipboard() { return desktop.clipboard.GetText().value_or("(none)"); }

  FakePlatform fake;
  platform::posix::HeadlessDesktop desktop;
  platform::DynamicLibraries& libraries_;  // before the platform, which takes it
  platform::Platform platform{fake.profiles, fake.files,        libraries_,
                              fake.locale,   desktop.clipboard, desktop.message_boxes,
                              fake.debug,    fake.clock,        desktop.input,
                              fake.help,     desktop.programs,  desktop.ui};
  AssembledDriver driver{platform};
  platform::posix::HeadlessUserActions user{desktop};

 private:
  platform::WindowId dialog_ = platform::kNoWindow;
};

}  // namespace r7::testing
