// The frame that every tool's dialog shares. (platform-independent)
#include "tools/tool_dialog.h"

#include <utility>

namespace r7 {

platform::WindowId ToolDialog::Open(std::shared_ptr<ToolDialog> dialog,
                                    std::string_view template_name, platform::WindowId owner) {
  platform::UserInterface& ui = dialog->context_.ui;
  return ui.CreateDialogWindow(template_name, owner,
                               [dialog](platform::WindowId self, const platform::Message& m) {
                                 return dialog->Handle(self, m);
                               });
}

bool ToolDialog::HelpOrQuit(platform::WindowId self, int id, unsigned long help_topic) {
  if (id == kHelpButton) {
    context_.help.Open(self, "Tessary.HLP", kHelpContext, help_topic);
    return true;
  }
  if (id == platform::kCancelButton || id == kCloseAndCleanUp) {
    context_.ui.DestroyWindow(self);
    return true;
  }
  return false;
}

bool ToolDialog::Handle(platform::WindowId self, const platform::Message& m) {
  namespace message = platform::message;
  switch (m.id) {
    case message::kInitDialog:
      OnInit(self);
      return true;
    case message::kClose:
      OnClose(self);
      return true;
    case message::kDestroy:
      context_.dialogs.Forget(kind_, self);
      OnMessage(self, m);
      return false;
    case message::kCommand: {
      // A command sent while another is handled has its own argument, until it returns.
      const std::intptr_t outer = std::exchange(command_argument_, m.lparam);
      const bool handled = OnCommand(self, platform::CommandId(m), platform::Notification(m));
      command_argument_ = outer;
      return handled;
    }
    default:
      return OnMessage(self, m);
  }
}

}  // namespace r7
