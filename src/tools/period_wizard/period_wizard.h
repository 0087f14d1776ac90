// The period wizard (template "PERIODW") and its launcher ("PWIZ"): a period specifier
// composed from radio buttons, the calendar dates it covers, and the text handed back to
// the tool that opened the wizard or copied to the clipboard. (platform-independent)
//
// One wizard for the life of the driver: its choices live in the session (the tools seed
// them before they open it) and its texts here, so it reopens as it was left. The tool
// that opens the wizard is the window that loses the activation when the wizard first
// gains it; the wizard tells it 550 when it has started, 560 when the set of periods
// changed (All Periods, or dates typed), 540 on OK and 570 when it has closed, each a
// command with the wizard's window as its second parameter. The launcher opens the wizard
// for the menu's Period Wizard and closes when the wizard closes.
#pragma once

#include <string>

#include "tools/tool_context.h"

namespace r7::period_wizard {

class PeriodWizard {
 public:
  explicit PeriodWizard(const ToolContext& context) : context_(context) {}
  PeriodWizard(const PeriodWizard&) = delete;
  PeriodWizard& operator=(const PeriodWizard&) = delete;

  // Creates the wizard owned by `owner` and records it in the registry's wizard slot.
  platform::WindowId Open(platform::WindowId owner);
  // Creates the launcher owned by `owner`.
  platform::WindowId OpenLauncher(platform::WindowId owner);

 private:
  bool Handle(platform::WindowId self, const platform::Message& m);
  bool HandleLauncher(platform::WindowId self, const platform::Message& m);
  void ShowChoices(platform::WindowId self);
  void OnChoice(platform::WindowId self, int control);
  void OnDatesLeft(platform::WindowId self);
  void Compose(platform::WindowId self);
  void ComputeDates();
  void CopyToClipboard(platform::WindowId self);
  void Tell(int command, platform::WindowId self);
  void Close(platform::WindowId self, bool composed);

  const ToolContext context_;
  bool initialised_ = false;  // this window's first activation has happened
  platform::WindowId opener_ = platform::kNoWindow;
  std::string company_;  // whose calendar gives the dates
  std::string text_;     // the composed specifier
  std::string from_;     // the From and To texts, and what they held when last read
  std::string to_;
  std::string previous_from_;
  std::string previous_to_;
};

}  // namespace r7::period_wizard
