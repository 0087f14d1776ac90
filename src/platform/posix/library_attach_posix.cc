// The attach step of the POSIX build's driver library: when the library is loaded it sets
// up its command window, as the DLL entry point does on Windows, so that a host can work
// the command window's menu before its first call. (POSIX implementation)
//
// Linked only into the driver library, the one that defines OnLibraryAttach(). A library
// that cannot set up its window still loads: its first call tries again.
#include "platform/library_attach.h"

namespace {

[[gnu::constructor]] void AttachOnLoad() {
  r7::platform::OnLibraryAttach();
}

}  // namespace
