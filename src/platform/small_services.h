// The small services of the operating system that the core needs now and then: debug
// output, the calendar date, the pending-input probe behind a stop request, the cursor,
// the help viewer and starting another program. (interfaces)
#pragma once

#include <string_view>

#include "platform/window_id.h"

namespace r7::platform {

class DebugOutput {
 public:
  virtual ~DebugOutput() = default;
  virtual void Write(std::string_view text) = 0;
};

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual CalendarDate Today() = 0;
};

class UserInput {
 public:
  virtual ~UserInput() = default;
  // Removes the window's pending keyboard messages until a key-down turns up, then its
  // mouse messages until a left or right button-down turns up. True when one did: the
  // user asked to stop a long operation.
  virtual bool TakeStopRequest(WindowId window) = 0;
  // Repaints the window after a stop question was declined.
  virtual void Repaint(WindowId window) = 0;
  // The hourglass while a long operation runs, and the arrow again after it.
  virtual void ShowWaitCursor() = 0;
  virtual void ShowArrowCursor() = 0;
};

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // Opens `file` with the viewer's command and parameter; true when the viewer accepted it.
  virtual bool Open(WindowId window, std::string_view file, unsigned command,
                    unsigned long parameter) = 0;
};

class Programs {
 public:
  virtual ~Programs() = default;
  // Starts the program of `command_line` (a viewer the user looks at beside the sheet) and
  // returns at once; false when it could not be started.
  virtual bool Start(std::string_view command_line) = 0;
};

}  // namespace r7::platform
