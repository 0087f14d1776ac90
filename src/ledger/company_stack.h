// Company specifiers: the check every single-company function makes, and the company
// stack that the consolidating functions sum over. (platform-independent)
//
// A specifier is company codes separated by commas, blanks or runs of both. The stack
// holds the codes in the reverse of the order the specifier names them: its first entry
// is the last company named, the one a consolidating function processes first.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error_reporter.h"

namespace r7 {

inline constexpr std::size_t kMaxCompanyCodeLength = 12;

using CompanyStack = std::vector<std::string>;

// 0 for a text of 1 to 12 characters; 1 after reporting error 9 otherwise.
int CheckCompanySpecifier(std::string_view specifier, ErrorReporter& errors);

// The stack of a specifier; nullopt after reporting the error (13 for an empty specifier,
// 9 for a code too long, 2 "BuildCompanyStack" for separators only).
std::optional<CompanyStack> BuildCompanyStack(std::string_view specifier, ErrorReporter& errors);

}  // namespace r7
