// The Windows build's platform: the private-profile API, the Win32 file system and loader,
// and the real desktop with its windows and dialogs. (Win32 implementation)
#include "platform/platform.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/dynamic_library_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/profile_store_win32.h"
#include "platform/win32/user_interface_win32.h"

namespace r7::platform {

Platform& DefaultPlatform() {
  static win32::Win32ProfileStore profiles;
  static win32::Win32FileSystem files;
  static win32::Win32DynamicLibraries libraries;
  static win32::Win32LocaleInfo locale;
  static win32::Win32Clipboard clipboard;
  static win32::Win32MessageBoxes message_boxes;
  static win32::Win32DebugOutput debug;
  static win32::Win32Clock clock;
  static win32::Win32UserInput input;
  static win32::Win32HelpViewer help;
  static win32::Win32Programs programs;
  static win32::Win32UserInterface ui;
  static Platform platform{profiles, files, libraries, locale, clipboard, message_boxes,
                           debug,    clock, input,     help,   programs,  ui};
  return platform;
}

}  // namespace r7::platform
