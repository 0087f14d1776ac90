// Run-time binding of DLLs through LoadLibraryA. (Win32 implementation)
#include "platform/win32/dynamic_library_win32.h"

#include "platform/win32/win32_text.h"

namespace r7::platform::win32 {

DynamicLibraries::Handle Win32DynamicLibraries::Load(std::string_view name) {
  std::optional<std::string> file = CText(name);
  if (!file || file->empty()) return nullptr;
  // A missing library is an answer for the caller to report, not a system error box.
  UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = ::LoadLibraryA(file->c_str());
  ::SetErrorMode(previous);
  return reinterpret_cast<Handle>(module);
}

void* Win32DynamicLibraries::Symbol(Handle library, const char* name) {
  if (library == nullptr || name == nullptr) return nullptr;
  FARPROC entry = ::GetProcAddress(static_cast<HMODULE>(library), name);
  return reinterpret_cast<void*>(entry);
}

void Win32DynamicLibraries::Unload(Handle library) {
  if (library != nullptr) ::FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace r7::platform::win32
