// r7win-seam-check: the user-interface seam's checks (tests/seam) on a real Windows (or
// Wine) desktop: the seam's test dialog made from this program's own resources by the
// Win32 user interface, and worked through the Win32 user's side with real window
// messages. Prints one line per check, "ok   ..." or "FAIL ...", and exits with the number
// of failed checks.
//
//   r7win-seam-check
// It needs a desktop that shows windows (under Wine, a display); see the report of
// scripts/windows-smoke.sh for how it is run there.
#include <cstdio>
#include <string>

#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/user_actions_win32.h"
#include "seam/seam_checks.h"

namespace {

// Makes the list view paint every row now, as it does when it comes into view.
void PaintNow(r7::platform::WindowId dialog, int control) {
  HWND list = ::GetDlgItem(reinterpret_cast<HWND>(dialog), control);
  ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

std::string WindowsDirectory() {
  char path[MAX_PATH] = {};
  const UINT length = ::GetWindowsDirectoryA(path, sizeof path);
  return std::string(path, length < sizeof path ? length : 0);
}

}  // namespace

int main() {
  r7::platform::Platform& platform = r7::platform::DefaultPlatform();
  r7::platform::win32::Win32UserActions actions;
  const std::string windows = WindowsDirectory();
  r7::testing::SeamHarness harness{platform, actions, PaintNow, windows + "\\win.ini", windows};
  const int failed = r7::testing::RunSeamChecks(harness, [](bool passed, const std::string& what) {
    std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
  });
  std::printf("%d failed\n", failed);
  return failed;
}
