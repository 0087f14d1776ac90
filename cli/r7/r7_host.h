// The r7 command-line host: it plays the reporting add-in's part, loading the driver and
// calling its export, one call or one batch of calls.
#pragma once

#include <cstdio>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace r7::cli {

// The result text of one call as the batch output writes it: the trailing CR LF removed,
// and '\', tab, CR and LF inside written as \\, \t, \r, \n.
std::string EscapeBatchResult(std::string_view result);
// Any other text of the batch output: '\', tab, CR and LF written as \\, \t, \r, \n.
std::string EscapeBatchText(std::string_view text);

// A command code as the add-in passes it: a decimal integer, optionally signed.
std::optional<int> ParseCommandCode(std::string_view text);

// `r7 call`: the raw result bytes to `out`; returns the export's return value.
int RunCall(int code, const char* argument, std::FILE* out);

// `r7 batch`: one output line per line of `in` (batch_runner.h), over the driver library's
// headless desktop. Returns 0, or 2 when a line was neither a call nor a dialog line.
int RunBatch(std::istream& in, std::FILE* out);

}  // namespace r7::cli
