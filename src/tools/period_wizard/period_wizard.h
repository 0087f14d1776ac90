// The period wizard (template "PERIODW") and its launcher ("PWIZ"): a period specifier
// composed from radio buttons, the calendar dates it covers, and the text handed back to
// the tool that opened the wizard or copied to the clipboard. (platform-independent)
//
// One wizard for the life of the driver: its choices live in the session (the tools seed
// them before they open it) and its texts in a WizardTexts that every window of it shares,
// so it reopens as it was left. The tool that opens the wizard is the window that loses
// the activation when the wizard first gains it; the wizard tells it 550 when it has
// started, 560 when the set of periods changed (All Periods, or dates typed), 540 on OK
// and 570 when it has closed, each a command with the wizard's window as its second
// parameter. The launcher opens the wizard for the menu's Period Wizard and closes when the
// wizard closes.
#pragma once

#include <memory>
#include <string>

#include "tools/tool_context.h"

namespace r7::period_wizard {

// What the wizard keeps between its windows.
struct WizardTexts {
  std::string text;  // the composed specifier
  std::string from;  // the From and To texts, and what they held when last read
  std::string to;
  std::string previous_from;
  std::string previous_to;
};

// Creates the wizard owned by `owner` and records it in the registry's wizard slot.
platform::WindowId OpenWizard(const ToolContext& context, std::shared_ptr<WizardTexts> texts,
                              platform::WindowId owner);
// Creates the launcher owned by `owner`.
platform::WindowId OpenLauncher(const ToolContext& context, std::shared_ptr<WizardTexts> texts,
                                platform::WindowId owner);

}  // namespace r7::period_wizard
