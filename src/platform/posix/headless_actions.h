// The user's side of the headless desktop: what a person would do at its dialogs, done to
// the headless window system through the notifications of each action. (POSIX
// implementation)
//
// It answers the desktop's message boxes and file and folder dialogs as it was told, and
// records them, in the order they showed, until they are taken.
#pragma once

#include <vector>

#include "platform/posix/headless.h"
#include "platform/user_actions.h"

namespace r7::platform::posix {

class HeadlessUserActions : public UserActions {
 public:
  explicit HeadlessUserActions(HeadlessDesktop& desktop);
  ~HeadlessUserActions() override;
  HeadlessUserActions(const HeadlessUserActions&) = delete;
  HeadlessUserActions& operator=(const HeadlessUserActions&) = delete;

  std::vector<OpenDialog> OpenDialogs() override;
  std::optional<ControlState> Inspect(WindowId dialog, int control) override;
  bool PickMenuItem(std::string_view window_class, int id) override;
  void TypeText(WindowId dialog, int control, std::string_view text) override;
  void SelectEntry(WindowId dialog, int control, int index) override;
  void Click(WindowId dialog, int control) override;
  void DoubleClickRow(WindowId dialog, int control, int row) override;
  void ClickColumn(WindowId dialog, int control, int column) override;
  void Activate(WindowId dialog) override;
  void Deactivate(WindowId dialog) override;
  void PressKeyDuring(WindowId dialog) override;
  void DiscardPendingInput() override;
  void AnswerBoxes(std::optional<int> answer) override;
  void AnswerChoosers(std::optional<std::string> path) override;
  std::vector<ShownWindow> TakeShown() override;
  std::string ClipboardText() override;
  void Pump() override;

 private:
  void Reach(WindowId dialog, int control);

  HeadlessDesktop& desktop_;
  std::vector<ShownWindow> shown_;
};

}  // namespace r7::platform::posix
