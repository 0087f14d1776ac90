// r7win-ui-check: loads the driver DLL as the add-in does and checks its command window and
// About dialog on a real Windows (or Wine) desktop: the hidden window that the attach
// creates, code 8 showing it with the menu R7DLLMenu, the About dialog opened through the
// menu's own item, and clean-up closing everything. Prints one line per check and exits
// with the number of failed checks.
//
//   r7win-ui-check [--hold SECONDS]   --hold keeps the About dialog open that long after
//                                     printing "ready", for a screenshot.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <windows.h>

#include "resources/about_dialog_ids.h"
#include "resources/menu_ids.h"

namespace {

int failures = 0;

void Check(bool passed, const std::string& what) {
  std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!passed) ++failures;
}

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

std::string MenuText(HMENU menu, int position) {
  char text[128] = {};
  ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

// The id of the item with that text, searched through the pop-ups; -1 when absent.
int FindMenuItem(HMENU menu, const std::string& wanted) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU popup = ::GetSubMenu(menu, i)) {
      int id = FindMenuItem(popup, wanted);
      if (id != -1) return id;
    } else if (MenuText(menu, i) == wanted) {
      return static_cast<int>(::GetMenuItemID(menu, i));
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  int hold_seconds = 0;
  if (argc == 3 && std::string(argv[1]) == "--hold") hold_seconds = std::atoi(argv[2]);
  const char* dll = sizeof(void*) == 8 ? "R7TESS64.DLL" : "R7TESS32.DLL";

  HMODULE module = ::LoadLibraryA(dll);
  Check(module != nullptr, std::string("the driver loads: ") + dll);
  if (module == nullptr) return failures;
  using Interface = int(__stdcall*)(int, char*, char*);
  using Cleanup = int(__stdcall*)();
  auto call = reinterpret_cast<Interface>(
      reinterpret_cast<void*>(::GetProcAddress(module, "R7DLLInterface")));
  auto cleanup = reinterpret_cast<Cleanup>(
      reinterpret_cast<void*>(::GetProcAddress(module, "DLLCleanupFunc")));
  Check(call != nullptr && cleanup != nullptr, "both exports are there");
  if (call == nullptr || cleanup == nullptr) return failures;

  HWND window = ::FindWindowA("TESSARY_CLASS32", "R7 DLL for Tessary");
  Check(window != nullptr, "the attach created the command window TESSARY_CLASS32");
  Check(window != nullptr && !::IsWindowVisible(window), "the command window starts hidden");

  char argument[] = "";
  char result[300] = {};
  Check(call(8, argument, result) == 0 && result[0] == '\0', "code 8 returns 0 and no text");
  Pump();
  Check(window != nullptr && ::IsWindowVisible(window), "code 8 shows the command window");

  HMENU menu = window ? ::GetMenu(window) : nullptr;
  Check(menu != nullptr && ::GetMenuItemCount(menu) == 9, "the menu bar has its 9 items");
  if (menu != nullptr) {
    std::string bar;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) bar += (i ? "|" : "") + MenuText(menu, i);
    Check(bar == "&Setup|&Chart|&Drilldown|&Report|&Budgets|&Lists|&Utilities|&Quit|&Help",
          "menu bar: " + bar);
  }
  const int about_id = menu ? FindMenuItem(menu, "&About...") : -1;
  Check(about_id == R7_MENU_ABOUT, "Help holds \"&About...\" as id 101");
  Check(menu && FindMenuItem(menu, "DataPre&Load") == R7_MENU_PRELOAD,
        "Utilities holds \"DataPre&Load\" as id 110");

  // What choosing the item does: the menu sends its id to the window.
  if (window != nullptr && about_id > 0) {
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(about_id, 0), 0);
  }
  Pump();
  HWND about = ::FindWindowA(nullptr, "R7 About [Tessary]");
  Check(about != nullptr && ::IsWindowVisible(about), "the About dialog is open and titled");
  char text[256] = {};
  if (about) ::GetDlgItemTextA(about, R7_ABOUT_VERSION_TEXT, text, sizeof text);
  Check(std::string(text).rfind("R7 DLL Version 4.0.0.4 for Tessary,", 0) == 0,
        std::string("the About dialog shows the version: ") + text);

  if (hold_seconds > 0) {
    std::printf("ready\n");
    std::fflush(stdout);
    for (int i = 0; i < hold_seconds * 20; ++i) {
      Pump();
      ::Sleep(50);
    }
  }

  if (about) ::SendMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  Pump();
  Check(about == nullptr || !::IsWindow(about), "OK closes the About dialog");
  Check(cleanup() == 0, "DLLCleanupFunc returns 0");
  Pump();
  Check(window == nullptr || !::IsWindow(window), "clean-up closed the command window");
  return failures;
}
