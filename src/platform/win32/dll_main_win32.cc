// The DLL entry point of the driver library. (Win32 implementation)
//
// Only the process attach does anything: it sets up the command window (the class, the
// hidden window, its owner); the load fails when the class cannot be registered. Linked
// into the driver DLL only, as the one library that defines OnLibraryAttach().
#include <windows.h>

#include "platform/library_attach.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  return r7::platform::OnLibraryAttach() ? TRUE : FALSE;
}
