// The Transaction Fields dialog (template "TRXFIELDS"): the Drill dialog's view options.
// Which transaction columns show, which formulas Send to Clipboard writes, whether amounts
// sort by absolute value, and from which amount rows are highlighted.
// (platform-independent)
//
// Each click stores its option at once; the threshold is read when its box is left. OK,
// Exit and 1100 save the settings, tell the Drill dialog to rebuild its transaction
// columns (command 1085) and close.
#pragma once

#include <string>
#include <string_view>

#include "tools/tool_context.h"

namespace r7::drill {

// Creates the dialog owned by `owner` and records it in the registry.
platform::WindowId OpenTransactionFields(const ToolContext& context, platform::WindowId owner);

// The threshold as its box shows it: the shortest text, of at most 17 significant digits,
// that reads back as the same number.
std::string ThresholdText(double threshold);
// The box's text as a threshold: only the characters "0123456789.+-" count.
double ParseThreshold(std::string_view text);

}  // namespace r7::drill
