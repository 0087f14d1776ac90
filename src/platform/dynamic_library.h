// Run-time binding of shared libraries: the record manager's client library. (interface)
//
// Libraries are named as on Windows ("WBTRV32.DLL"); the POSIX implementation maps
// "X.DLL" to "libx.so" and searches R7_LIBRARY_PATH when it is set (only there), else the
// directory of the running program and then the system's default.
#pragma once

#include <string_view>

namespace r7::platform {

class DynamicLibraries {
 public:
  using Handle = void*;

  virtual ~DynamicLibraries() = default;

  // Null when the library cannot be loaded.
  virtual Handle Load(std::string_view name) = 0;
  // Null when the library has no such entry point. REQUIRES: `library` came from Load().
  virtual void* Symbol(Handle library, const char* name) = 0;
  // REQUIRES: `library` came from Load() and is not used afterwards.
  virtual void Unload(Handle library) = 0;
};

}  // namespace r7::platform
