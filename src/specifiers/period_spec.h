// One parsed period phrase and the bits of its flag word. (platform-independent)
//
// A PeriodSpec describes a period in words turned into flags: which scale, which unit,
// how far back, balance or change, actual or budget. The bit values are an interface: the
// balance engine, the preload cache and the period wizard test them. Turning a record into
// fiscal periods of a company is the period window's job (specifiers/period_window.h).
//
// A period list holds at most kMaxPeriodPhrases records followed by one end record, whose
// text has a null data pointer. Consumers walk the list until IsEnd(). The text of a
// record points into the caller's specifier text and is valid as long as that text is.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace r7 {

struct PeriodSpec {
  std::uint32_t flags = 0;
  std::uint32_t sign = 0;   // kSignNet, kSignDebits or kSignCredits
  std::uint8_t number = 0;  // the count or index that goes with the position bits
  std::string_view text;    // the phrase inside the caller's text; null data in the end record

  bool IsEnd() const { return text.data() == nullptr; }
};

inline constexpr std::size_t kMaxPeriodPhrases = 24;
inline constexpr std::size_t kPeriodListSize = kMaxPeriodPhrases + 1;
using PeriodList = std::array<PeriodSpec, kPeriodListSize>;

// Sign selection.
inline constexpr std::uint32_t kSignNet = 0;
inline constexpr std::uint32_t kSignDebits = 1;
inline constexpr std::uint32_t kSignCredits = 2;

// Scale: the length of one unit.
inline constexpr std::uint32_t kScaleMask = 0x0007;
inline constexpr std::uint32_t kScalePeriods = 0;
inline constexpr std::uint32_t kScaleMonths = 1;
inline constexpr std::uint32_t kScaleQuarters = 2;
inline constexpr std::uint32_t kScaleHalfYears = 3;
inline constexpr std::uint32_t kScaleYears = 4;

// Net change over the window instead of a balance.
inline constexpr std::uint32_t kChange = 0x0008;

// Position: the current unit, `number` units back, or unit `number` of the year.
inline constexpr std::uint32_t kPositionMask = 0x0030;
inline constexpr std::uint32_t kPositionCurrent = 0x0000;
inline constexpr std::uint32_t kPositionBack = 0x0010;
inline constexpr std::uint32_t kPositionAbsolute = 0x0020;

// Years back: 0 this year, then one, two or three years back.
inline constexpr std::uint32_t kYearsBackMask = 0x00C0;
inline constexpr std::uint32_t kOneYearBack = 0x0040;
inline constexpr std::uint32_t kTwoYearsBack = 0x0080;
inline constexpr std::uint32_t kThreeYearsBack = 0x00C0;

inline constexpr std::uint32_t kOpening = 0x0100;  // opening balance instead of closing
inline constexpr std::uint32_t kBudget = 0x0200;   // budget figures instead of actual
inline constexpr std::uint32_t kToDate = 0x0400;   // from the start of the year

// Running windows: one running unit ending at the current period (or `number` units before).
inline constexpr std::uint32_t kRunningMask = 0x3800;
inline constexpr std::uint32_t kRunningMonths = 0x0800;
inline constexpr std::uint32_t kRunningQuarter = 0x1000;
inline constexpr std::uint32_t kRunningHalfYear = 0x1800;
inline constexpr std::uint32_t kRunningYear = 0x2000;

// `number` is a calendar month given by name, still to be mapped to a fiscal period.
inline constexpr std::uint32_t kNamedMonth = 0x4000;

}  // namespace r7
