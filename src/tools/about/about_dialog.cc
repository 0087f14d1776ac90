// The About dialog. (platform-independent)
#include "tools/about/about_dialog.h"

#include "base/error_reporter.h"
#include "base/string_table.h"
#include "resources/about_dialog_ids.h"

namespace r7::about {
namespace {

using platform::Message;
using platform::WindowId;
namespace message = platform::message;

constexpr int kTitle = 300;
constexpr int kVersionText = 301;
constexpr int kAddressText = 302;
constexpr int kJokeFirst = 303;
constexpr int kJokeSecond = 304;

constexpr int kVersionControl = R7_ABOUT_VERSION_TEXT;
constexpr int kAddressControl = R7_ABOUT_ADDRESS_TEXT;

// The square of the client area whose left click tells the joke.
bool InJokeSquare(int x, int y) {
  return x >= 1 && x <= 33 && y >= 1 && y <= 33;
}

}  // namespace

WindowId OpenAboutDialog(const ToolContext& context, WindowId owner) {
  platform::UserInterface& ui = context.ui;
  MessageCenter& messages = context.messages;
  DialogRegistry& dialogs = context.dialogs;
  auto handler = [&ui, &messages, &dialogs](WindowId self, const Message& m) {
    switch (m.id) {
      case message::kInitDialog:
        ui.SetTitle(self, StringText(kTitle));
        ui.SetControlText(self, kVersionControl, StringText(kVersionText));
        ui.SetControlText(self, kAddressControl, StringText(kAddressText));
        return true;
      case message::kLeftButtonDown:
        if (InJokeSquare(platform::MouseX(m), platform::MouseY(m))) {
          messages.MessageBoxById(self, kJokeFirst, kCaption, platform::box::kIconInformation);
          messages.MessageBoxById(self, kJokeSecond, kCaption, platform::box::kIconInformation);
        }
        return true;
      case message::kCommand: {
        const int id = platform::CommandId(m);
        if (id != platform::kOkButton && id != platform::kCancelButton && id != kCloseAndCleanUp) {
          return false;
        }
        ui.DestroyWindow(self);
        dialogs.Forget(DialogKind::kAbout, self);
        return true;
      }
      default:
        return false;
    }
  };
  return ui.CreateDialogWindow("ABOUT", owner, std::move(handler));
}

}  // namespace r7::about
