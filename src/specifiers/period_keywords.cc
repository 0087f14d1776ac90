// The keyword table of the period-specifier language and word classification.
// (platform-independent)
#include "specifiers/period_keywords.h"

#include <array>
#include <cstddef>

#include "base/error_codes.h"
#include "common/text_util.h"

namespace r7 {
namespace {

using C = PeriodWordClass;

constexpr PeriodKeyword kHead[] = {
    {"DEBITS", kDebitsWord, C::kModifier},
    {"CREDITS", kCreditsWord, C::kModifier},
    {"PERIODS", 0, C::kScale},
    {"MONTHS", 1, C::kScale},
    {"QUARTERS", 2, C::kScale},
    {"QTRS", 2, C::kScale},
    {"HALFYEARLY", 3, C::kScale},
    {"SEMIANNUALLY", 3, C::kScale},
    {"YEARS", 4, C::kScale},
    {"YRS", 4, C::kScale},
    {"YTD", 4, C::kScale},
    {"ANNUALLY", 4, C::kScale},
    {"RUNNING", kRunningWord, C::kScale},
};

// The numerals "7" to "60" follow the head of the table.
constexpr int kFirstTableNumeral = 7;
constexpr int kLastTableNumeral = 60;
constexpr std::size_t kNumeralCount = kLastTableNumeral - kFirstTableNumeral + 1;

constexpr std::array<std::array<char, 3>, kNumeralCount> MakeNumeralTexts() {
  std::array<std::array<char, 3>, kNumeralCount> texts{};
  for (std::size_t i = 0; i < kNumeralCount; ++i) {
    const int n = kFirstTableNumeral + static_cast<int>(i);
    if (n < 10) {
      texts[i] = {static_cast<char>('0' + n), '\0', '\0'};
    } else {
      texts[i] = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10), '\0'};
    }
  }
  return texts;
}
constexpr auto kNumeralTexts = MakeNumeralTexts();

constexpr PeriodKeyword kTail[] = {
    {"JANUARY", 1, C::kMonth},
    {"FEBRUARY", 2, C::kMonth},
    {"MARCH", 3, C::kMonth},
    {"APRIL", 4, C::kMonth},
    {"MAY", 5, C::kMonth},
    {"JUNE", 6, C::kMonth},
    {"JULY", 7, C::kMonth},
    {"AUGUST", 8, C::kMonth},
    {"SEPTEMBER", 9, C::kMonth},
    {"OCTOBER", 10, C::kMonth},
    {"NOVEMBER", 11, C::kMonth},
    {"DECEMBER", 12, C::kMonth},
    {"BALANCES", 7, C::kModifier},
    {"CHANGES", 8, C::kModifier},
    {"TRANSACTIONS", 8, C::kModifier},
    {"CLOSING", 255, C::kModifier},
    {"ENDING", 255, C::kModifier},
    {"OPENING", 256, C::kModifier},
    {"STARTING", 256, C::kModifier},
    {"BEGINNING", 256, C::kModifier},
    {"ACTUAL", 511, C::kModifier},
    {"BUDGETED", 512, C::kModifier},
    {"PREVIOUS", 1, C::kBack},
    {"LAST", 1, C::kBack},
    {"PRIOR", 1, C::kBack},
    {"AGO", 0, C::kFiller},
    {"BEFORE", 0, C::kFiller},
    {"CURRENT", 0, C::kFiller},
    {"TOTAL", 0, C::kFiller},
    {"THIS", 0, C::kFiller},
    {"PRESENT", 0, C::kFiller},
    {"FOR", 0, C::kFiller},
    {"TO", 0, C::kFiller},
    {"DATE", 0, C::kFiller},
    {"IN", 0, C::kFiller},
    {"ON", 0, C::kFiller},
    {"OF", 0, C::kFiller},
    {"AT", 0, C::kFiller},
    {"THE", 0, C::kFiller},
    {"NET", 0, C::kFiller},
};

constexpr std::size_t kTableSize = std::size(kHead) + kNumeralCount + std::size(kTail);

constexpr std::array<PeriodKeyword, kTableSize> BuildTable() {
  std::array<PeriodKeyword, kTableSize> table{};
  std::size_t at = 0;
  for (const PeriodKeyword& k : kHead) table[at++] = k;
  for (std::size_t i = 0; i < kNumeralCount; ++i) {
    table[at++] = {std::string_view(kNumeralTexts[i].data()),
                   static_cast<std::uint32_t>(kFirstTableNumeral + i), C::kNumber};
  }
  for (const PeriodKeyword& k : kTail) table[at++] = k;
  return table;
}
constexpr auto kKeywords = BuildTable();
static_assert(kKeywords.size() == 107, "the period keyword table has 107 entries");

// "1" to "6" by exact comparison; 0 when the word is none of them.
std::uint32_t SmallNumeral(std::string_view word) {
  if (word.size() == 1 && word[0] >= '1' && word[0] <= '6') {
    return static_cast<std::uint32_t>(word[0] - '0');
  }
  return 0;
}

}  // namespace

std::span<const PeriodKeyword> PeriodKeywords() {
  return kKeywords;
}

int ClassifyPeriodWord(std::string_view word, ClassifiedWord* out) {
  if (const std::uint32_t n = SmallNumeral(word); n != 0) {
    *out = {n, C::kNumber};
    return kOk;
  }
  const PeriodKeyword* first = nullptr;
  for (const PeriodKeyword& entry : kKeywords) {
    if (word.empty() || !StartsWithIgnoreCase(entry.word, word)) continue;
    if (first == nullptr) {
      first = &entry;
    } else if (entry.value != first->value) {
      return kAmbiguousPeriodSpecifier;
    }
  }
  if (first == nullptr) return kInvalidPeriodSpecifier;
  *out = {first->value, first->word_class};
  return kOk;
}

}  // namespace r7
