// The user-interface seam on the headless desktop: every notification and every kind of
// control of the test dialog, worked through the user's side.
#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "platform/posix/headless_actions.h"
#include "seam/seam_checks.h"
#include "seam/seam_templates.h"

namespace r7::testing {
namespace {

TEST(SeamTest, TheHeadlessDesktopPassesEveryCheck) {
  platform::posix::HeadlessDesktop desktop;
  desktop.ui.AddTemplates(SeamDialogTemplates());
  MemoryProfileStore profiles;
  platform::posix::PosixFileSystem files;
  platform::posix::PosixDynamicLibraries libraries;
  platform::Platform platform{profiles,          files,
                              libraries,         desktop.locale,
                              desktop.clipboard, desktop.message_boxes,
                              desktop.debug,     desktop.clock,
                              desktop.input,     desktop.help,
                              desktop.programs,  desktop.ui};
  platform::posix::HeadlessUserActions actions(desktop);
  SeamHarness harness{
      platform, actions,
      [&desktop](platform::WindowId dialog, int control) { desktop.ui.PaintRows(dialog, control); },
      "/tmp/ledger.txt", "/tmp"};
  const int failed = RunSeamChecks(
      harness, [](bool passed, const std::string& what) { EXPECT_TRUE(passed) << what; });
  EXPECT_EQ(failed, 0);
}

}  // namespace
}  // namespace r7::testing
