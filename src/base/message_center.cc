// Message boxes of the driver. (platform-independent)
#include "base/message_center.h"

#include <string>

#include "base/error_codes.h"
#include "base/limits.h"
#include "base/string_table.h"
#include "common/text_util.h"

namespace r7 {

using platform::WindowId;
namespace box = platform::box;

int MessageCenter::MessageBoxWrapper(WindowId owner, std::string_view text,
                                     std::string_view caption, unsigned style,
                                     Visibility visibility) {
  const bool suppressed = settings_.no_show == 2 ||
                          (settings_.no_show != 0 && visibility != Visibility::kEvenWhenSilent) ||
                          owner == platform::kNoWindow;
  if (suppressed) return platform::answer::kNone;
  return boxes_.Show(owner, text, caption, style | box::kSystemModal);
}

int MessageCenter::MessageBoxById(WindowId owner, int string_id, std::string_view caption,
                                  unsigned style, Visibility visibility) {
  return MessageBoxWrapper(owner, CutTo(StringText(string_id), kMaxMessageText - 1), caption, style,
                           visibility);
}

void MessageCenter::ShowErrorBox(WindowId owner, int code, std::string_view detail) {
  std::string text;
  if (code >= 0) text = StringText(code);
  if (!detail.empty()) {
    if (code >= 0) text += " - ";
    text += detail;
  }
  // The box's text is built in a buffer of fixed size: cut it to fit with its NUL.
  MessageBoxWrapper(owner, CutTo(text, kErrorBoxBuffer - 1), kCaption,
                    box::kOk | box::kIconExclamation, Visibility::kEvenWhenSilent);
}

bool MessageCenter::ShowPendingError(WindowId owner, int last_record_manager_status) {
  if (!errors_.pending()) return false;
  std::string text = errors_.text();
  errors_.Clear();
  MessageBoxWrapper(owner, text, kCaption, box::kOk | box::kIconExclamation);
  if (last_record_manager_status != 0 && settings_.no_show == 0 && status_box_) {
    status_box_(owner);
  }
  return true;
}

bool MessageCenter::AskToStop(WindowId window, int question_id) {
  if (settings_.no_show != 0) return false;
  bool stop = input_.TakeStopRequest(window);
  if (stop) {
    int answer = MessageBoxById(window, question_id, kCaption, box::kYesNo | box::kIconQuestion);
    if (answer != platform::answer::kYes) {
      input_.Repaint(window);
      stop = false;
    }
  }
  input_.ShowWaitCursor();
  return stop;
}

}  // namespace r7
