// The About dialog. (platform-independent)
#include "host/about_dialog.h"

#include "host/error_reporter.h"
#include "host/host_dialog_ids.h"
#include "host/string_table.h"

namespace r7 {

using platform::Message;
using platform::WindowId;
namespace message = platform::message;

WindowId OpenAboutDialog(platform::UserInterface& ui, MessageCenter& messages, WindowId owner,
                         std::function<void(WindowId)> on_closed) {
  auto handler = [&ui, &messages, on_closed = std::move(on_closed)](WindowId self,
                                                                    const Message& m) {
    switch (m.id) {
      case message::kInitDialog:
        ui.SetTitle(self, StringText(kAboutTitle));
        ui.SetControlText(self, about_ids::kVersionText, StringText(kAboutVersionText));
        ui.SetControlText(self, about_ids::kAddressText, StringText(kAboutAddressText));
        return true;
      case message::kLeftButtonDown: {
        const int x = platform::MouseX(m), y = platform::MouseY(m);
        if (x >= 1 && x <= 33 && y >= 1 && y <= 33) {
          messages.MessageBoxById(self, kAboutJokeFirst, kCaption, platform::box::kIconInformation);
          messages.MessageBoxById(self, kAboutJokeSecond, kCaption,
                                  platform::box::kIconInformation);
        }
        return true;
      }
      case message::kCommand: {
        const int id = platform::CommandId(m);
        if (id != platform::kOkButton && id != platform::kCancelButton &&
            id != about_ids::kCloseAndCleanUp) {
          return false;
        }
        ui.DestroyWindow(self);
        if (on_closed) on_closed(self);
        return true;
      }
      default:
        return false;
    }
  };
  return ui.CreateDialogWindow("ABOUT", owner, std::move(handler));
}

}  // namespace r7
