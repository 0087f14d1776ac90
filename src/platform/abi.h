// Calling convention of the functions that cross a DLL boundary: the driver's exports and
// the record manager's entry points are __stdcall on Windows, plain C elsewhere.
#pragma once

#if defined(_WIN32)
#define R7_STDCALL __stdcall
#else
#define R7_STDCALL
#endif
