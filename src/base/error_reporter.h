// The pending error of the current call, and the result text it becomes. (platform-independent)
//
// ErrorText is "R7 [Tessary]", then for codes above 1 a blank and the message, then for a
// non-empty detail " - " and the detail, all within 255 characters. The first error of a
// call wins: later errors only update the last error code. The export clears it at the
// start of every call; TakeError and the error boxes clear it when they consume it.
#pragma once

#include <string>
#include <string_view>

namespace r7 {

class ErrorReporter {
 public:
  void SetError(int code, std::string_view detail = {});

  // When an error is pending, moves its first 255 characters into `result` and returns
  // true. With a null `result` it returns true and leaves the error pending.
  bool TakeError(std::string* result);

  void Clear() { text_.clear(); }
  bool pending() const { return !text_.empty(); }
  const std::string& text() const { return text_; }
  int last_code() const { return last_code_; }

 private:
  std::string text_;
  int last_code_ = 0;
};

// The caption that opens every error text and every message box of the driver.
inline constexpr std::string_view kCaption = "R7 [Tessary]";

}  // namespace r7
