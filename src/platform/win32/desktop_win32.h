// The Windows desktop services of the driver: locale, clipboard, message boxes, debug
// output, clock, user input, help and starting programs. (Win32 implementation)
//
// Each is a thin wrapper of its API; a failure of the API becomes the interface's failure
// value (false, nullopt), nothing else. All run on the host's thread.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_text.h"

namespace r7::platform::win32 {

// The separators and grouping of the user's default locale.
class Win32LocaleInfo : public LocaleInfo {
 public:
  std::optional<std::string> Read(LocaleItem item) override;
};

// Plain text (CF_TEXT) on the system clipboard. The clipboard is owned by a hidden
// message-only window of this object, because a clipboard emptied without an owner
// refuses new data.
class Win32Clipboard : public Clipboard {
 public:
  bool SetText(std::string_view text) override;
  bool Clear() override;
  std::optional<std::string> GetText() override;

 private:
  bool Open();
  HWND owner_ = nullptr;
};

class Win32MessageBoxes : public MessageBoxes {
 public:
  int Show(WindowId owner, std::string_view text, std::string_view caption,
           unsigned style) override;
};

class Win32DebugOutput : public DebugOutput {
 public:
  void Write(std::string_view text) override;
};

class Win32Clock : public Clock {
 public:
  CalendarDate Today() override;
};

class Win32UserInput : public UserInput {
 public:
  bool TakeStopRequest(WindowId window) override;
  void Repaint(WindowId window) override;
  void ShowWaitCursor() override;
  void ShowArrowCursor() override;
};

class Win32HelpViewer : public HelpViewer {
 public:
  bool Open(WindowId window, std::string_view file, unsigned command,
            unsigned long parameter) override;
};

// Starts a program with CreateProcess and lets it run on its own: its handles are closed
// at once, so nothing waits for it.
class Win32Programs : public Programs {
 public:
  bool Start(std::string_view command_line) override;
};

}  // namespace r7::platform::win32
