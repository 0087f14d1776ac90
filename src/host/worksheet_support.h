// Steps that every worksheet function shares: fields with their defaults and the company
// argument of the single-company functions. (platform-independent)
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "specifiers/period_spec.h"

namespace r7 {

class Driver;

// The field, or `fallback` when the field is empty.
std::string FieldOr(const std::string& field, std::string_view fallback);

// The company of a single-company function: the field, or the "Company" setting when it is
// empty, cut at its first comma and checked. nullopt after reporting the check's error.
std::optional<std::string> SingleCompanyField(Driver& driver, const std::string& field);

// Parses a worksheet's period text (the field, or "month" when it was empty) into
// `periods`, whose records point into `text`: the caller keeps `text` alive while it uses
// them. On a parse error records it, writes the standard error ending into `result` and
// returns false.
bool ParsePeriodField(Driver& driver, const std::string& text, PeriodList* periods,
                      std::string& result);

// True when `text` starts with the first `length` characters of `keyword`, without regard
// to case: "nam", "NAME" and "names" all match NAME on three characters.
bool KeywordMatches(std::string_view text, std::string_view keyword, std::size_t length);

}  // namespace r7
