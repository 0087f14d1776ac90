// The seam between the driver and the operating system: one reference per concern.
// (platform-independent)
//
// A Platform only refers to its services; whoever builds it owns them and keeps them alive
// for as long as the driver that uses it. DefaultPlatform() is defined once per build, by
// platform/posix or platform/win32; tests build their own from fakes.
#pragma once

#include "platform/clipboard.h"
#include "platform/dynamic_library.h"
#include "platform/file_system.h"
#include "platform/locale_info.h"
#include "platform/message_box.h"
#include "platform/profile_store.h"
#include "platform/small_services.h"
#include "platform/user_interface.h"

namespace r7::platform {

struct Platform {
  ProfileStore& profiles;
  FileSystem& files;
  DynamicLibraries& libraries;
  LocaleInfo& locale;
  Clipboard& clipboard;
  MessageBoxes& message_boxes;
  DebugOutput& debug;
  Clock& clock;
  UserInput& input;
  HelpViewer& help;
  Programs& programs;
  UserInterface& ui;
};

// The process-wide platform of this build. Lives until the process ends.
Platform& DefaultPlatform();

}  // namespace r7::platform
