// The library's attach step. (interface)
//
// The Windows build's DLL entry point calls OnLibraryAttach() when the library is attached
// to a process; a failure makes the load fail. The library that holds the exports defines
// it; builds without an attach step (POSIX) never call it.
#pragma once

namespace r7::platform {

bool OnLibraryAttach();

}  // namespace r7::platform
