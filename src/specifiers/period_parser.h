// The period-specifier parser: a comma-separated list of English period phrases
// ('Month 3', 'Last Quarter', 'Opening Balance Year To Date Budget') becomes a list of
// PeriodSpec records. (platform-independent)
//
// Phrases are not compared with any company here: 'Month 14' or '3 Years Ago' parse, and
// the period window refuses them. Each call starts from cleared state; nothing of one
// phrase, list or request carries into the next.
//
// Errors come back as a message code and a detail text; the caller records them with
// ErrorReporter::SetError and answers 1 ("already reported") to its own caller.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "specifiers/period_spec.h"

namespace r7 {

struct PeriodParseResult {
  int code = 0;        // kOk, or the message code of the error
  std::string detail;  // the offending word, or a fixed explanation; may be empty

  bool ok() const { return code == 0; }
};

// A phrase holds at most this many words, each within this many characters of its start.
inline constexpr std::size_t kMaxPhraseWords = 80;
inline constexpr std::size_t kMaxPhraseText = 511;

// Parses one phrase (no commas) into `spec`: flags, sign and number; `spec->text` is left
// as it was. On failure `spec` holds no meaningful value. Errors: 23 for an unknown word
// (detail: the word; also the 81st word of a phrase and a word that reaches past the 511th
// character), 24 for an ambiguous abbreviation (detail: the word), 25 for a third year
// word, 19 and 25 to 30 for attribute conflicts (empty detail), 13 for a number of four or
// more before a year word (detail "Invalid year parameter").
PeriodParseResult ParsePeriodItem(std::string_view phrase, PeriodSpec* spec);

// Parses the whole period argument into `list`: at most 24 records and an end record.
// `count`, when given, receives the number of phrases (0 on failure). Errors: 11 "Invalid
// comma" for a comma at the very start, two commas in a row or a comma at the end; 12
// "Too many column specifiers" when text is left after 24 phrases; or a phrase's error.
// Blank phrases between commas are skipped. On failure the records before the failing
// phrase stay filled and the list is ended where the failure occurred; the caller must not
// use it. Callers that receive an empty period argument pass "month" instead.
PeriodParseResult ParsePeriodSpecifier(std::string_view text, PeriodList* list,
                                       std::size_t* count = nullptr);

}  // namespace r7
