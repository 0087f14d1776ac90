// Shared libraries on POSIX, named as on Windows. (POSIX implementation)
//
// "WBTRV32.DLL" becomes "libwbtrv32.so". With R7_LIBRARY_PATH set, only its directories
// (':'-separated) are searched; otherwise the directory of the running program, then the
// system's default search.
#pragma once

#include <string>
#include <vector>

#include "platform/dynamic_library.h"

namespace r7::platform::posix {

// "X.DLL" -> "libx.so"; other names are kept.
std::string SharedLibraryName(std::string_view windows_name);

class PosixDynamicLibraries : public DynamicLibraries {
 public:
  Handle Load(std::string_view name) override;
  void* Symbol(Handle library, const char* name) override;
  void Unload(Handle library) override;
};

}  // namespace r7::platform::posix
