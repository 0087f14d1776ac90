// The library's attach step. (interface)
//
// The driver library calls OnLibraryAttach() when it is attached to a process: the
// Windows build's DLL entry point, where a failure makes the load fail, and the POSIX
// build's load-time constructor. The library that holds the exports defines it.
#pragma once

namespace r7::platform {

bool OnLibraryAttach();

}  // namespace r7::platform
