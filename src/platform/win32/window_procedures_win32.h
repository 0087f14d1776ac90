// The window procedures of the driver's windows and dialogs: each window's MessageHandler,
// and the system's notifications turned into the seam's messages. (Win32 implementation)
//
// Each window's handler lives in a table keyed by the window handle from its first message
// until WM_NCDESTROY; a handler that destroys its own window stays alive until it returns.
// The creator hands the handler over just before it creates the window (ExpectWindow), and
// the window's first message adopts it. A dialog is marked with its template name on that
// first message, before its handler hears anything, so that the user's side never takes
// it for a window of the system.
//
// Dialogs hear their list views through message::kListDoubleClick and kListColumnClick
// (from the system's NM_DBLCLK and LVN_COLUMNCLICK) and kPaintListRow (from WM_DRAWITEM of
// an owner-drawn list view, which the platform then paints); bitmap buttons are painted
// here from their WM_DRAWITEM without troubling the handler.
#pragma once

#include <string>

#include <windows.h>

#include "platform/user_interface.h"

namespace r7::platform::win32 {

// The module that holds this code (the driver DLL, or a program linking the platform), for
// its resources and window classes.
HINSTANCE ThisModule();

// The next window created on this thread is handled by `handler`; a dialog is marked with
// `template_name`. Call EndExpecting() after the creation, whether or not it succeeded.
void ExpectWindow(MessageHandler handler, std::string template_name);
void EndExpecting();

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT id, WPARAM wparam, LPARAM lparam);

inline WindowId IdOf(HWND hwnd) {
  return reinterpret_cast<WindowId>(hwnd);
}

}  // namespace r7::platform::win32
