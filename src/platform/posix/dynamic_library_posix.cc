// Shared libraries on POSIX, named as on Windows. (POSIX implementation)
#include "platform/posix/dynamic_library_posix.h"

#include <cstdlib>

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include "common/text_util.h"

namespace r7::platform::posix {
namespace {

std::string ProgramDirectory() {
  char path[PATH_MAX];
  ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  std::string program(path, static_cast<std::size_t>(length));
  std::size_t slash = program.rfind('/');
  return slash == std::string::npos ? std::string() : program.substr(0, slash);
}

void* OpenIn(const std::string& directory, const std::string& file) {
  if (directory.empty()) return nullptr;
  return ::dlopen((directory + "/" + file).c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

std::string SharedLibraryName(std::string_view windows_name) {
  if (windows_name.size() > 4 &&
      EqualsIgnoreCase(windows_name.substr(windows_name.size() - 4), ".DLL")) {
    std::string base(windows_name.substr(0, windows_name.size() - 4));
    for (char& c : base) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return "lib" + base + ".so";
  }
  return std::string(windows_name);
}

DynamicLibraries::Handle PosixDynamicLibraries::Load(std::string_view name) {
  const std::string file = SharedLibraryName(name);
  if (const char* search = std::getenv("R7_LIBRARY_PATH")) {
    std::string_view dirs = search;
    while (true) {
      std::size_t colon = dirs.find(':');
      if (void* handle = OpenIn(std::string(dirs.substr(0, colon)), file)) return handle;
      if (colon == std::string_view::npos) return nullptr;
      dirs.remove_prefix(colon + 1);
    }
  }
  if (void* handle = OpenIn(ProgramDirectory(), file)) return handle;
  return ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* PosixDynamicLibraries::Symbol(Handle library, const char* name) {
  return ::dlsym(library, name);
}

void PosixDynamicLibraries::Unload(Handle library) {
  ::dlclose(library);
}

}  // namespace r7::platform::posix
