// The checks of the user-interface seam: a test dialog with one control of every kind that
// the tools use, whose handler records every notification it hears, worked through the
// user's side as a person would. The same checks run on the headless desktop (a unit test)
// and on a real Windows desktop under Wine (r7win-seam-check.exe), and must pass on both.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/user_actions.h"

namespace r7::testing {

struct SeamHarness {
  platform::Platform& platform;
  platform::UserActions& actions;
  // Makes the owner-drawn list view of the dialog paint every row now.
  std::function<void(platform::WindowId dialog, int control)> paint;
  // A file the file-open dialog can choose, and a folder the folder dialog can.
  std::string existing_file;
  std::string existing_folder;
};

using SeamReport = std::function<void(bool passed, const std::string& what)>;

// Runs every check; `report` hears each. Returns how many failed.
int RunSeamChecks(SeamHarness& harness, const SeamReport& report);

}  // namespace r7::testing
