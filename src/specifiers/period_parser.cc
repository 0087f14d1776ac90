// The period-specifier parser: word classification, the combining walk over the words,
// the year-word pass, and the splitting of a list at commas. (platform-independent)
#include "specifiers/period_parser.h"

#include <cctype>
#include <vector>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "specifiers/period_attributes.h"
#include "specifiers/period_keywords.h"

namespace r7 {
namespace {

using C = PeriodWordClass;

constexpr std::string_view kWordSeparators = " /\\-;,:.\t";
constexpr std::string_view kInvalidYearParameter = "Invalid year parameter";
constexpr std::string_view kInvalidWordValue = "Internal Parse Word Value is invalid";

struct Word {
  std::uint32_t value = 0;
  C word_class = C::kNone;
};

PeriodParseResult Fail(int code, std::string_view detail = {}) {
  return {code, CutTo(detail, kMaxPhraseText)};
}

bool IsYearWord(const Word& w) {
  return w.word_class == C::kScale && w.value == kScaleYears;
}
bool IsHalfYearWord(const Word& w) {
  return w.word_class == C::kScale && w.value == kScaleHalfYears;
}

// One phrase from cleared state. The object lives for one phrase only.
class PhraseParser {
 public:
  PeriodParseResult Parse(std::string_view phrase, PeriodSpec* spec);

 private:
  PeriodParseResult ReadWords(std::string_view phrase);
  PeriodParseResult Walk();
  PeriodParseResult WalkWord(std::size_t i);
  PeriodParseResult RunningWord(std::size_t i);
  PeriodParseResult UnitWord(std::size_t i);
  PeriodParseResult YearWords();
  PeriodParseResult SetAttribute(std::uint32_t value);

  // The neighbours as they stand now; a used word reads as filler, and there is no word
  // before the first or after the last.
  C PrevClass(std::size_t i) const { return i > 0 ? words_[i - 1].word_class : C::kNone; }
  C NextClass(std::size_t i) const {
    return i + 1 < words_.size() ? words_[i + 1].word_class : C::kNone;
  }
  void Use(std::size_t i) { words_[i] = {0, C::kFiller}; }

  std::vector<Word> words_;
  PeriodAttributes attributes_;
  std::uint32_t sign_ = kSignNet;
  std::uint8_t number_ = 0;
  std::size_t year_words_[2] = {0, 0};
  std::size_t year_word_count_ = 0;
};

PeriodParseResult PhraseParser::Parse(std::string_view phrase, PeriodSpec* spec) {
  spec->flags = 0;
  spec->sign = kSignNet;
  spec->number = 0;
  if (PeriodParseResult r = ReadWords(phrase); !r.ok()) return r;
  if (PeriodParseResult r = Walk(); !r.ok()) return r;
  if (PeriodParseResult r = YearWords(); !r.ok()) return r;
  spec->flags = attributes_.Flags();
  spec->sign = sign_;
  spec->number = number_;
  return {};
}

PeriodParseResult PhraseParser::ReadWords(std::string_view phrase) {
  words_.reserve(kMaxPhraseWords);
  std::size_t words_read = 0;
  bool previous_dropped = false;
  std::size_t pos = 0;
  while (true) {
    const std::size_t start = phrase.find_first_not_of(kWordSeparators, pos);
    if (start == std::string_view::npos) break;
    std::size_t end = phrase.find_first_of(kWordSeparators, start);
    if (end == std::string_view::npos) end = phrase.size();
    pos = end;
    const std::string_view text = phrase.substr(start, end - start);

    // The word list and the phrase buffer have fixed sizes: a phrase that outgrows them
    // is refused at the first word that does not fit.
    if (++words_read > kMaxPhraseWords || end > kMaxPhraseText) {
      return Fail(kInvalidPeriodSpecifier, text);
    }
    ClassifiedWord classified;
    if (const int code = ClassifyPeriodWord(text, &classified); code != kOk) {
      return Fail(code, text);
    }
    const Word word{classified.value, classified.word_class};

    // 'Half Year' and 'Semi Annually' are one word: the year word after a half-year word
    // is dropped, unless the word before it was itself dropped ('Half Year Year').
    if (IsYearWord(word) && !previous_dropped && !words_.empty() && IsHalfYearWord(words_.back())) {
      previous_dropped = true;
      continue;
    }
    previous_dropped = false;
    words_.push_back(word);
  }
  return {};
}

PeriodParseResult PhraseParser::SetAttribute(std::uint32_t value) {
  const int code = attributes_.Set(value);
  if (code == kOk) return {};
  return Fail(code);
}

PeriodParseResult PhraseParser::Walk() {
  for (std::size_t i = 0; i < words_.size(); ++i) {
    if (PeriodParseResult r = WalkWord(i); !r.ok()) return r;
  }
  return {};
}

PeriodParseResult PhraseParser::WalkWord(std::size_t i) {
  const Word word = words_[i];
  switch (word.word_class) {
    case C::kMonth: {
      number_ = static_cast<std::uint8_t>(word.value);
      if (PeriodParseResult r = SetAttribute(kNamedMonth); !r.ok()) return r;
      if (PeriodParseResult r = SetAttribute(kPositionAbsolute); !r.ok()) return r;
      return SetAttribute(kScalePeriods);
    }
    case C::kNumber: {
      const C prev = PrevClass(i);
      const bool prev_allows = prev != C::kScale || IsYearWord(words_[i - 1]);
      const bool alone = words_.size() == 1 || (prev_allows && NextClass(i) != C::kScale);
      if (!alone) return {};  // left for the neighbour that takes it
      if (PeriodParseResult r = SetAttribute(kPositionAbsolute); !r.ok()) return r;
      number_ = static_cast<std::uint8_t>(word.value);
      return SetAttribute(kScalePeriods);
    }
    case C::kModifier: {
      const int code = attributes_.Set(word.value);
      if (code == kOk) return {};
      if (code != kAttributeRefused) return Fail(code);
      if (word.value == kDebitsWord) {
        sign_ = kSignDebits;
      } else if (word.value == kCreditsWord) {
        sign_ = kSignCredits;
      } else {
        return Fail(kSpecialError, kInvalidWordValue);
      }
      return {};
    }
    case C::kScale:
      if (word.value == kRunningWord) return RunningWord(i);
      if (word.value == kScaleYears) {
        if (year_word_count_ == 2) return Fail(kInvalidYearKeyword);
        year_words_[year_word_count_++] = i;
        return {};
      }
      return UnitWord(i);
    case C::kBack:
    case C::kFiller:
    case C::kNone:
      return {};
  }
  return {};
}

PeriodParseResult PhraseParser::RunningWord(std::size_t i) {
  const C prev = PrevClass(i);
  if (prev == C::kNumber || prev == C::kBack) {
    number_ = static_cast<std::uint8_t>(words_[i - 1].value);
    Use(i - 1);
  }
  if (NextClass(i) == C::kScale) {
    std::uint32_t running = 0;
    switch (words_[i + 1].value) {
      case kScaleMonths:
        running = kRunningMonths;
        break;
      case kScaleQuarters:
        running = kRunningQuarter;
        break;
      case kScaleHalfYears:
        running = kRunningHalfYear;
        break;
      case kScaleYears:
        running = kRunningYear;
        break;
      default:
        break;
    }
    if (running != 0) {
      if (PeriodParseResult r = SetAttribute(running); !r.ok()) return r;
    }
    Use(i + 1);
  }
  if (!attributes_.running_given()) {
    if (PeriodParseResult r = SetAttribute(kRunningMonths); !r.ok()) return r;
  }
  Use(i);
  return {};
}

PeriodParseResult PhraseParser::UnitWord(std::size_t i) {
  const std::uint32_t scale = words_[i].value;
  const C prev = PrevClass(i);
  if (prev == C::kNumber || prev == C::kBack) {  // '3 Months', 'Last Quarter'
    if (PeriodParseResult r = SetAttribute(kPositionBack); !r.ok()) return r;
    if (PeriodParseResult r = SetAttribute(scale); !r.ok()) return r;
    number_ = static_cast<std::uint8_t>(words_[i - 1].value);
    Use(i - 1);
  } else if (NextClass(i) == C::kNumber) {  // 'Month 3'
    if (PeriodParseResult r = SetAttribute(kPositionAbsolute); !r.ok()) return r;
    number_ = static_cast<std::uint8_t>(words_[i + 1].value);
    if (PeriodParseResult r = SetAttribute(scale); !r.ok()) return r;
    Use(i + 1);
  } else {  // 'Month', 'This Quarter'
    if (PeriodParseResult r = SetAttribute(scale); !r.ok()) return r;
  }
  Use(i);
  return {};
}

PeriodParseResult PhraseParser::YearWords() {
  if (year_word_count_ == 0) return {};
  for (std::size_t k = 0; k < year_word_count_; ++k) {
    const std::size_t i = year_words_[k];
    if (!IsYearWord(words_[i])) continue;  // taken by a neighbour
    const C prev = PrevClass(i);
    if (prev != C::kNumber && prev != C::kBack) continue;
    std::uint32_t back = 0;
    switch (words_[i - 1].value) {
      case 1:
        back = kOneYearBack;
        break;
      case 2:
        back = kTwoYearsBack;
        break;
      case 3:
        back = kThreeYearsBack;
        break;
      default:
        return Fail(kSpecialError, kInvalidYearParameter);
    }
    if (PeriodParseResult r = SetAttribute(back); !r.ok()) return r;
  }
  if (!attributes_.scale_given()) return SetAttribute(kScaleYears);
  if (year_word_count_ == 2 || !attributes_.years_back_given()) return SetAttribute(kToDate);
  return {};
}

bool IsWhiteSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

PeriodParseResult ParsePeriodItem(std::string_view phrase, PeriodSpec* spec) {
  PhraseParser parser;
  return parser.Parse(phrase, spec);
}

PeriodParseResult ParsePeriodSpecifier(std::string_view text, PeriodList* list,
                                       std::size_t* count) {
  if (count != nullptr) *count = 0;
  PeriodList& records = *list;
  records[0] = PeriodSpec{};
  if (!text.empty() && text[0] == ',') return Fail(kInvalidComma);

  std::size_t parsed = 0;
  std::size_t pos = 0;
  while (pos < text.size() && parsed < kMaxPeriodPhrases) {
    while (pos < text.size() && IsWhiteSpace(text[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != ',') ++pos;
    const std::string_view phrase = text.substr(start, pos - start);
    if (pos < text.size()) {  // stopped at a comma
      ++pos;
      if (pos == text.size() || text[pos] == ',') {
        records[parsed] = PeriodSpec{};
        return Fail(kInvalidComma);
      }
    }
    if (phrase.empty()) continue;
    PeriodSpec& spec = records[parsed];
    spec.text = phrase;
    if (PeriodParseResult r = ParsePeriodItem(phrase, &spec); !r.ok()) {
      spec = PeriodSpec{};
      return r;
    }
    ++parsed;
  }
  records[parsed] = PeriodSpec{};
  if (parsed == kMaxPeriodPhrases && pos < text.size()) return Fail(kTooManyColumnSpecifiers);
  if (count != nullptr) *count = parsed;
  return {};
}

}  // namespace r7
