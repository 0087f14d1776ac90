// Run-time binding of DLLs through LoadLibraryA. (Win32 implementation)
//
// Names go to the loader unchanged, so it searches as Windows always does: the directory
// of the program, the system directories, the current directory, then PATH.
#pragma once

#include "platform/dynamic_library.h"

namespace r7::platform::win32 {

class Win32DynamicLibraries : public DynamicLibraries {
 public:
  Handle Load(std::string_view name) override;
  void* Symbol(Handle library, const char* name) override;
  void Unload(Handle library) override;
};

}  // namespace r7::platform::win32
