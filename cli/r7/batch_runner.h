// `batch`: one line at a time, each answered by one output line, for both hosts.
//
// A line is a call (CODE, a tab, the argument; a line without a tab is a code with an
// empty argument), `cleanup`, or a dialog line (dialog_script.h). A call answers with the
// return value, a tab and the escaped result; a dialog line with 0 or 1, a tab and the
// escaped text. Whatever showed itself while a line ran comes first, one line each:
// `box`, caption and text of a message box (also written to standard error as
// "caption: text"); `file` or `folder`, title and the path answered (empty: cancelled).
// After every line the host's posted messages are handled, as the add-in's message loop
// does.
#pragma once

#include <cstdio>
#include <functional>
#include <istream>
#include <optional>
#include <string>

#include "platform/user_actions.h"

namespace r7::cli {

struct CallResult {
  int status = 0;
  std::string text;  // as the driver wrote it
};

struct DriverEntryPoints {
  // One call of the export; nullopt when the driver broke its contract (wrote past its
  // result buffer), which ends the batch.
  std::function<std::optional<CallResult>(int code, const std::string& argument)> call;
  std::function<int()> cleanup;
};

// The class of the driver's command window, whose menu `menu` lines pick from.
inline constexpr const char* kCommandWindowClass = "TESSARY_CLASS32";

// Runs every line of `in`. Returns 0; 2 when a line was neither a call nor a dialog line,
// or the driver broke its contract. `program` names the host in its own messages.
int RunBatch(std::istream& in, std::FILE* out, const DriverEntryPoints& driver,
             platform::UserActions& actions, const char* program);

}  // namespace r7::cli
