// The POSIX build's platform: profile files in R7_WINDIR, the case-insensitive file system,
// dlopen, and the headless desktop. (POSIX implementation)
#include <cstdlib>

#include "platform/platform.h"
#include "platform/posix/dynamic_library_posix.h"
#include "platform/posix/file_system_posix.h"
#include "platform/posix/headless.h"
#include "platform/posix/profile_store_posix.h"

namespace r7::platform {

Platform& DefaultPlatform() {
  static posix::PosixProfileStore profiles(std::getenv("R7_WINDIR") ? std::getenv("R7_WINDIR")
                                                                    : ".");
  static posix::PosixFileSystem files;
  static posix::PosixDynamicLibraries libraries;
  posix::HeadlessDesktop& desktop = posix::Headless();
  static Platform platform{profiles,          files,
                           libraries,         desktop.locale,
                           desktop.clipboard, desktop.message_boxes,
                           desktop.debug,     desktop.clock,
                           desktop.input,     desktop.help,
                           desktop.programs,  desktop.ui};
  return platform;
}

}  // namespace r7::platform
