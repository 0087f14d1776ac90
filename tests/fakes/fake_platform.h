// A platform for tests: an in-memory profile store that can refuse writes, the real POSIX
// file system (tests give it temporary trees), recorded message boxes with scripted
// answers, a clipboard in memory, a fixed date and a scripted stop request.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/posix/dynamic_library_posix.h"
#include "platform/posix/file_system_posix.h"
#include "platform/posix/headless.h"

namespace r7::testing {

class MemoryProfileStore : public platform::ProfileStore {
 public:
  std::string ReadText(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view fallback) override;
  int ReadInt(std::string_view file, std::string_view section, std::string_view key,
              int fallback) override;
  bool WriteText(std::string_view file, std::string_view section, std::string_view key,
                 std::string_view value) override;
  // Counts as a write, and fails as one.
  bool DeleteKey(std::string_view file, std::string_view section, std::string_view key) override;

  // Entries by "FILE|SECTION|KEY" in upper case.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // The Nth write from now (1 = the next) fails; 0 never.
  void FailWriteNumber(int n) { fail_countdown_ = n; }
  int writes() const { return writes_; }

 private:
  static std::string Key(std::string_view file, std::string_view section, std::string_view key);
  std::map<std::string, std::string> values_;
  int fail_countdown_ = 0;
  int writes_ = 0;
};

class FixedLocale : public platform::LocaleInfo {
 public:
  std::optional<std::string> decimal = ".", thousands = ",", grouping = "3";
  std::optional<std::string> Read(platform::LocaleItem item) override;
};

class FixedClock : public platform::Clock {
 public:
  platform::CalendarDate today{2002, 5, 15};
  platform::CalendarDate Today() override { return today; }
};

class ScriptedInput : public platform::UserInput {
 public:
  bool stop_requested = false;
  int repaints = 0;
  int wait_cursors = 0;
  int arrow_cursors = 0;
  bool TakeStopRequest(platform::WindowId) override { return stop_requested; }
  void Repaint(platform::WindowId) override { ++repaints; }
  void ShowWaitCursor() override { ++wait_cursors; }
  void ShowArrowCursor() override { ++arrow_cursors; }
};

struct FakePlatform {
  // Message boxes are modal in the window system, as on the desktops.
  FakePlatform() { message_boxes.set_window_system(&ui); }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  MemoryProfileStore profiles;
  platform::posix::PosixFileSystem files;
  platform::posix::PosixDynamicLibraries libraries;
  FixedLocale locale;
  platform::posix::MemoryClipboard clipboard;
  platform::posix::RecordingMessageBoxes message_boxes;
  platform::posix::StderrDebugOutput debug;
  FixedClock clock;
  ScriptedInput input;
  platform::posix::RecordingHelpViewer help;
  platform::posix::RecordingPrograms programs;
  platform::posix::HeadlessUserInterface ui;
  platform::Platform platform{profiles, files, libraries, locale, clipboard, message_boxes,
                              debug,    clock, input,     help,   programs,  ui};
};

}  // namespace r7::testing
