// The words of the period-specifier language and how one typed word is classified.
// (platform-independent)
//
// One ordered keyword table gives each word a value and a class. A typed word matches an
// entry when it is a case-insensitive prefix of the entry's word; the first match in table
// order wins, and the word is ambiguous when a later entry also matches with a different
// value. The numerals "1" to "6" are recognised before the table by exact comparison,
// since they would otherwise be prefixes of "10" to "60".
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace r7 {

enum class PeriodWordClass {
  kNone,      // ends a word list
  kFiller,    // no meaning of its own; also every word already combined with a neighbour
  kModifier,  // balance/change, opening/closing, actual/budget, debits/credits
  kScale,     // a unit word, or RUNNING
  kNumber,
  kMonth,  // a calendar month by name
  kBack,   // PREVIOUS, LAST, PRIOR
};

struct PeriodKeyword {
  std::string_view word;
  std::uint32_t value;
  PeriodWordClass word_class;
};

// Modifier values that are not attributes but the sign selection.
inline constexpr std::uint32_t kDebitsWord = 0x8001;
inline constexpr std::uint32_t kCreditsWord = 0x8002;
// The scale value of RUNNING.
inline constexpr std::uint32_t kRunningWord = 0x0800;

// The whole keyword table, in lookup order.
std::span<const PeriodKeyword> PeriodKeywords();

struct ClassifiedWord {
  std::uint32_t value = 0;
  PeriodWordClass word_class = PeriodWordClass::kNone;
};

// Classifies one word. Returns kOk with `out` filled, 23 "Invalid period specifier" when
// the word matches no entry, or 24 "Ambiguous period specifier" when it is a prefix of
// entries with different values.
int ClassifyPeriodWord(std::string_view word, ClassifiedWord* out);

}  // namespace r7
