// The frame that every tool's dialog shares. (platform-independent)
#include "tools/tool_dialog.h"

namespace r7 {

platform::WindowId ToolDialog::Open(std::shared_ptr<ToolDialog> dialog,
                                    std::string_view template_name, platform::WindowId owner) {
  platform::UserInterface& ui = dialog->context_.ui;
  return ui.CreateDialogWindow(template_name, owner,
                               [dialog](platform::WindowId self, const platform::Message& m) {
                                 return dialog->Handle(self, m);
                               });
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
    case message::kCommand:
      return OnCommand(self, platform::CommandId(m), platform::Notification(m));
    default:
      return OnMessage(self, m);
  }
}

}  // namespace r7
