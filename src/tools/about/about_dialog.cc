// The About dialog. (platform-independent)
#include "tools/about/about_dialog.h"

#include "base/error_reporter.h"
#include "base/string_table.h"
#include "resources/about_dialog_ids.h"
#include "tools/tool_dialog.h"

namespace r7::about {
namespace {

using platform::Message;
using platform::WindowId;

constexpr int kTitle = 300;
constexpr int kVersionText = 301;
constexpr int kAddressText = 302;
constexpr int kJokeFirst = 303;
constexpr int kJokeSecond = 304;

// The square of the client area whose left click tells the joke.
bool InJokeSquare(int x, int y) {
  return x >= 1 && x <= 33 && y >= 1 && y <= 33;
}

class AboutDialog : public ToolDialog {
 public:
  explicit AboutDialog(const ToolContext& context) : ToolDialog(context, DialogKind::kAbout) {}

 private:
  void OnInit(WindowId self) override {
    context_.ui.SetTitle(self, StringText(kTitle));
    context_.ui.SetControlText(self, R7_ABOUT_VERSION_TEXT, StringText(kVersionText));
    context_.ui.SetControlText(self, R7_ABOUT_ADDRESS_TEXT, StringText(kAddressText));
  }

  bool OnCommand(WindowId self, int id, int) override {
    if (id != platform::kOkButton && id != platform::kCancelButton && id != kCloseAndCleanUp) {
      return false;
    }
    context_.ui.DestroyWindow(self);
    return true;
  }

  bool OnMessage(WindowId self, const Message& m) override {
    if (m.id != platform::message::kLeftButtonDown) return false;
    if (InJokeSquare(platform::MouseX(m), platform::MouseY(m))) {
      context_.messages.MessageBoxById(self, kJokeFirst, kCaption, platform::box::kIconInformation);
      context_.messages.MessageBoxById(self, kJokeSecond, kCaption,
                                       platform::box::kIconInformation);
    }
    return true;
  }
};

}  // namespace

WindowId OpenAboutDialog(const ToolContext& context, WindowId owner) {
  return ToolDialog::Open(std::make_shared<AboutDialog>(context), "ABOUT", owner);
}

}  // namespace r7::about
