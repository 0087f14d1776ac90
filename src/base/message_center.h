// Message boxes of the driver: the one wrapper every box goes through, the error box, the
// pending-error box and the stop question of long loops. (platform-independent)
//
// The NoShow setting governs every box: 2 suppresses all of them; any other nonzero value
// suppresses all but those shown "even when silent" (error boxes). A box without an owner
// window is never shown. A suppressed box answers answer::kNone.
#pragma once

#include <functional>
#include <string_view>

#include "base/error_reporter.h"
#include "base/settings.h"
#include "platform/message_box.h"
#include "platform/small_services.h"

namespace r7 {

enum class Visibility { kNormal, kEvenWhenSilent };

class MessageCenter {
 public:
  // Shows the record manager's status box after a pending error; wired in by the
  // record-manager layer. Called only while LastBtrStatus is nonzero.
  using StatusBoxHook = std::function<void(platform::WindowId owner)>;

  MessageCenter(const Settings& settings, ErrorReporter& errors, platform::MessageBoxes& boxes,
                platform::UserInput& input)
      : settings_(settings), errors_(errors), boxes_(boxes), input_(input) {}

  void SetStatusBoxHook(StatusBoxHook hook) { status_box_ = std::move(hook); }

  // The single routine through which the driver shows message boxes. The system-modal flag
  // is always added to the style. Returns the answer, or answer::kNone when suppressed.
  int MessageBoxWrapper(platform::WindowId owner, std::string_view text, std::string_view caption,
                        unsigned style, Visibility visibility = Visibility::kNormal);
  // The same, with the text of a string-table identifier (at most 255 characters).
  int MessageBoxById(platform::WindowId owner, int string_id, std::string_view caption,
                     unsigned style, Visibility visibility = Visibility::kNormal);

  // One exclamation box built from a code's message and a detail; a negative code shows
  // the detail alone. Shown even in NoShow mode 1.
  void ShowErrorBox(platform::WindowId owner, int code, std::string_view detail);

  // Shows the pending error, clears it and returns true; false when nothing is pending.
  // When the record manager holds a failed status, a second box shows its text, unless
  // NoShow is set.
  bool ShowPendingError(platform::WindowId owner, int last_record_manager_status);

  // Between records of a long loop: true when the user asked to stop and confirmed it.
  bool AbortCheck(platform::WindowId window) { return AskToStop(window, 105); }
  // The same with a question of the caller's (the drill-down asks message 104).
  bool AskToStop(platform::WindowId window, int question_id);

 private:
  const Settings& settings_;
  ErrorReporter& errors_;
  platform::MessageBoxes& boxes_;
  platform::UserInput& input_;
  StatusBoxHook status_box_;
};

}  // namespace r7
