// The frame that every tool's dialog shares: made from its template, it forgets its slot in
// the dialog registry when it is destroyed, closes on the close message, and hands each
// message to the tool by kind. (platform-independent)
//
// A tool derives from ToolDialog and overrides what its dialog does; the object lives as
// long as its window (the window's handler owns it). Command 1100 ("close and clean up")
// reaches OnCommand like any command.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "tools/tool_context.h"

namespace r7 {

class ToolDialog {
 public:
  ToolDialog(const ToolContext& context, DialogKind kind) : context_(context), kind_(kind) {}
  virtual ~ToolDialog() = default;
  ToolDialog(const ToolDialog&) = delete;
  ToolDialog& operator=(const ToolDialog&) = delete;

  // Creates the dialog of `template_name` owned by `owner`, handled by `dialog`; kNoWindow
  // when it could not be created.
  static platform::WindowId Open(std::shared_ptr<ToolDialog> dialog, std::string_view template_name,
                                 platform::WindowId owner);

 protected:
  virtual void OnInit(platform::WindowId self) { (void)self; }
  // A command from a control (its notification) or from another window; true when handled.
  virtual bool OnCommand(platform::WindowId self, int id, int notification) = 0;
  // Any other message: activation, list views, painting; true when handled.
  virtual bool OnMessage(platform::WindowId self, const platform::Message& m) {
    (void)self;
    (void)m;
    return false;
  }
  // The close message: the dialog goes without saving anything.
  virtual void OnClose(platform::WindowId self) { context_.ui.DestroyWindow(self); }

  // The Help button of the tools' templates.
  static constexpr int kHelpButton = 3;

  // The buttons most tools share: Help (3) opens the driver's help file at `help_topic`;
  // Quit (2) and the clean-up command 1100 destroy the dialog. True when `id` is one of them.
  bool HelpOrQuit(platform::WindowId self, int id, unsigned long help_topic);

  // The second parameter of the command being handled: what another window sends with it
  // (a count, or its own window).
  std::intptr_t command_argument() const { return command_argument_; }

  const ToolContext context_;
  const DialogKind kind_;

 private:
  bool Handle(platform::WindowId self, const platform::Message& m);

  std::intptr_t command_argument_ = 0;
};

}  // namespace r7
