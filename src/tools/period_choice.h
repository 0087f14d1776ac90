// The period wizard's choices turned into text and into dates, and back from a parsed
// period: the operations that the wizard and the tools that open it share.
// (platform-independent)
//
// Seed() sets the choices from the first record of a parsed period text; Compose() writes
// them in the period specifier language ("Last Year Change Quarter 2 Budget"); SpanOf()
// and DatesOf() give the fiscal periods and the calendar dates the choices cover in a
// company, which become the current From/To dates.
#pragma once

#include <optional>
#include <string>

#include "host/session_state.h"
#include "ledger/company_catalogue.h"
#include "specifiers/dates.h"
#include "specifiers/period_spec.h"

namespace r7::period_choice {

inline constexpr int kThisPeriod = 14;
inline constexpr int kLastPeriod = 15;
inline constexpr int kAllPeriods = 16;
inline constexpr int kDurationMonth = 0, kDurationQuarter = 1, kDurationHalfYear = 2,
                     kDurationYear = 3;
inline constexpr int kValueOpening = 0, kValueEnding = 1, kValueChange = 2;
// Text stops growing once it is this long: each further period adds at most 10 characters
// to a composed text of at most 512.
inline constexpr std::size_t kTextBound = 502;

void Seed(PeriodChoice& choice, const PeriodSpec& spec);

// The choices as a period specifier; nullopt for a choice the language cannot say (the
// opening balance or change of last year's first month). Composing may move an impossible
// period back to 1 (Quarter 6 is Quarter 1) and clears `ago` where it does not apply.
std::optional<std::string> Compose(PeriodChoice& choice);

// The fiscal periods the choices cover, and how many years back each end lies.
struct PeriodSpan {
  int from = 1;
  int to = 1;
  int from_years_back = 0;
  int to_years_back = 0;
  friend bool operator==(const PeriodSpan&, const PeriodSpan&) = default;
};
PeriodSpan SpanOf(const PeriodChoice& choice, int current_period, int period_count);

// The first day of the span's first period and the last day of its last, in the company's
// calendar, each moved back by its years. A span outside the calendar is held to it.
DateRange DatesOf(const PeriodSpan& span, const CompanyContext& company);

}  // namespace r7::period_choice
