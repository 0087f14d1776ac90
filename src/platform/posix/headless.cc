// The headless desktop of the POSIX build. (POSIX implementation)
#include "platform/posix/headless.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace r7::platform::posix {

bool MemoryClipboard::SetText(std::string_view text) {
  if (unavailable_) return false;
  text_ = std::string(text);
  return true;
}

bool MemoryClipboard::Clear() {
  if (unavailable_) return false;
  text_.reset();
  return true;
}

std::optional<std::string> MemoryClipboard::GetText() {
  if (unavailable_) return std::nullopt;
  return text_;
}

namespace {

// The buttons of a box's style, first button first (the Windows button sets).
std::vector<int> ButtonsOf(unsigned style) {
  switch (style & 0x000F) {
    case 0x1:
      return {answer::kOk, answer::kCancel};
    case 0x2:
      return {3, 4, 5};  // abort, retry, ignore
    case 0x3:
      return {answer::kYes, answer::kNo, answer::kCancel};
    case box::kYesNo:
      return {answer::kYes, answer::kNo};
    case 0x5:
      return {4, answer::kCancel};  // retry, cancel
    default:
      return {answer::kOk};
  }
}

}  // namespace

int RecordingMessageBoxes::Show(WindowId owner, std::string_view text, std::string_view caption,
                                unsigned style) {
  const WindowId previous = windows_ != nullptr ? windows_->BeginModal() : kNoWindow;
  ShownBox shown{std::string(text), std::string(caption), style};
  shown_.push_back(shown);
  if (sink_) sink_(shown);
  const std::vector<int> buttons = ButtonsOf(style);
  const bool has_answer =
      answer_ && std::find(buttons.begin(), buttons.end(), *answer_) != buttons.end();
  if (windows_ != nullptr) windows_->EndModal(owner, previous);
  return has_answer ? *answer_ : buttons.front();
}

bool PendingInput::TakeStopRequest(WindowId window) {
  auto found = std::find(pending_.begin(), pending_.end(), window);
  if (found == pending_.end()) return false;
  pending_.erase(found);
  return true;
}

bool RecordingPrograms::Start(std::string_view command_line) {
  started_.emplace_back(command_line);
  return true;
}

std::optional<std::string> EnvironmentLocale::Read(LocaleItem item) {
  const char* name = item == LocaleItem::kDecimalSeparator     ? "R7_DECIMAL"
                     : item == LocaleItem::kThousandsSeparator ? "R7_THOUSANDS"
                                                               : "R7_GROUPING";
  const char* value = std::getenv(name);
  if (value != nullptr) return std::string(value);
  return item == LocaleItem::kDecimalSeparator     ? "."
         : item == LocaleItem::kThousandsSeparator ? ","
                                                   : "3";
}

CalendarDate SystemClock::Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void StderrDebugOutput::Write(std::string_view text) {
  if (std::getenv("R7_DEBUG") != nullptr) {
    std::fprintf(stderr, "%.*s", static_cast<int>(text.size()), text.data());
  }
}

bool RecordingHelpViewer::Open(WindowId, std::string_view file, unsigned, unsigned long) {
  opened_.emplace_back(file);
  return true;
}

HeadlessDesktop& Headless() {
  static HeadlessDesktop desktop;
  return desktop;
}

}  // namespace r7::platform::posix
