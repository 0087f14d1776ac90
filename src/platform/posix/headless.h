// The headless desktop of the POSIX build: clipboard, message boxes, locale, clock, debug
// output, user input, help, programs and a headless window system. (POSIX implementation)
//
// The clipboard is held in memory; message boxes are recorded, passed to a sink (the r7
// host prints them) and answered with a configurable button. The command-line host and the
// tests reach these through Headless().
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/headless_ui.h"

namespace r7::platform::posix {

class MemoryClipboard : public Clipboard {
 public:
  bool SetText(std::string_view text) override;
  bool Clear() override;
  std::optional<std::string> GetText() override;

  // A clipboard that cannot be opened, to exercise the failure paths.
  void set_unavailable(bool unavailable) { unavailable_ = unavailable; }

 private:
  std::optional<std::string> text_;
  bool unavailable_ = false;
};

struct ShownBox {
  std::string text;
  std::string caption;
  unsigned style;
};

class RecordingMessageBoxes : public MessageBoxes {
 public:
  // A box is modal: while it shows it holds the activation of this window system, and it
  // gives the activation to its owner when it closes, as the system's boxes do. Without a
  // window system nothing else happens.
  void set_window_system(HeadlessUserInterface* windows) { windows_ = windows; }
  // Which answer the next boxes get when the box has that button; otherwise, and for
  // nullopt, the first button of the box's style, as a person who pressed Enter.
  void set_answer(std::optional<int> answer) { answer_ = answer; }
  void set_sink(std::function<void(const ShownBox&)> sink) { sink_ = std::move(sink); }
  const std::vector<ShownBox>& shown() const { return shown_; }
  void clear() { shown_.clear(); }

  int Show(WindowId owner, std::string_view text, std::string_view caption,
           unsigned style) override;

 private:
  std::optional<int> answer_;
  std::function<void(const ShownBox&)> sink_;
  std::vector<ShownBox> shown_;
  HeadlessUserInterface* windows_ = nullptr;
};

// Decimal and thousands separators and the grouping from R7_DECIMAL, R7_THOUSANDS and
// R7_GROUPING when set, else ".", "," and "3".
class EnvironmentLocale : public LocaleInfo {
 public:
  std::optional<std::string> Read(LocaleItem item) override;
};

class SystemClock : public Clock {
 public:
  CalendarDate Today() override;
};

// Debug output goes to standard error only when R7_DEBUG is set.
class StderrDebugOutput : public DebugOutput {
 public:
  void Write(std::string_view text) override;
};

// Input that the user gave a window while a long operation runs: key presses waiting in the
// window's queue, which a stop check takes. The cursor is remembered.
class PendingInput : public UserInput {
 public:
  enum class Cursor { kArrow, kWait };

  // The user presses a key in `window`.
  void PressKey(WindowId window) { pending_.push_back(window); }
  // Forgets every key press that no stop check took.
  void Discard() { pending_.clear(); }
  Cursor cursor() const { return cursor_; }
  int repaints() const { return repaints_; }

  bool TakeStopRequest(WindowId window) override;
  void Repaint(WindowId) override { ++repaints_; }
  void ShowWaitCursor() override { cursor_ = Cursor::kWait; }
  void ShowArrowCursor() override { cursor_ = Cursor::kArrow; }

 private:
  std::vector<WindowId> pending_;
  Cursor cursor_ = Cursor::kArrow;
  int repaints_ = 0;
};

// Programs are not started: each command line is remembered, and the start succeeds.
class RecordingPrograms : public Programs {
 public:
  bool Start(std::string_view command_line) override;
  const std::vector<std::string>& started() const { return started_; }

 private:
  std::vector<std::string> started_;
};

class RecordingHelpViewer : public HelpViewer {
 public:
  bool Open(WindowId window, std::string_view file, unsigned command,
            unsigned long parameter) override;
  const std::vector<std::string>& opened() const { return opened_; }

 private:
  std::vector<std::string> opened_;
};

// The headless services of this process; its message boxes are modal in its window system.
struct HeadlessDesktop {
  HeadlessDesktop() { message_boxes.set_window_system(&ui); }
  HeadlessDesktop(const HeadlessDesktop&) = delete;
  HeadlessDesktop& operator=(const HeadlessDesktop&) = delete;

  MemoryClipboard clipboard;
  RecordingMessageBoxes message_boxes;
  EnvironmentLocale locale;
  SystemClock clock;
  StderrDebugOutput debug;
  PendingInput input;
  RecordingHelpViewer help;
  RecordingPrograms programs;
  HeadlessUserInterface ui;
};

HeadlessDesktop& Headless();

}  // namespace r7::platform::posix
