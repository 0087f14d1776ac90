// Modal message boxes. (interface)
//
// Styles and answers use the Windows values so that both implementations agree on them.
#pragma once

#include <string_view>

#include "platform/window_id.h"

namespace r7::platform {

namespace box {
inline constexpr unsigned kOk = 0x0000;
inline constexpr unsigned kOkCancel = 0x0001;
inline constexpr unsigned kYesNo = 0x0004;
inline constexpr unsigned kIconQuestion = 0x0020;
inline constexpr unsigned kIconExclamation = 0x0030;
inline constexpr unsigned kIconInformation = 0x0040;
inline constexpr unsigned kSystemModal = 0x1000;
// A Help button beside the others: it sends message::kHelp to the owner and leaves the box
// open.
inline constexpr unsigned kHelpButton = 0x4000;
}  // namespace box

namespace answer {
inline constexpr int kNone = 0;  // no box was shown
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace answer

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and returns the answer (one of answer::*).
  virtual int Show(WindowId owner, std::string_view text, std::string_view caption,
                   unsigned style) = 0;
};

}  // namespace r7::platform
