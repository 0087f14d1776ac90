// The attribute slots of one period phrase. (platform-independent)
#include "specifiers/period_attributes.h"

#include "base/error_codes.h"
#include "specifiers/period_spec.h"

namespace r7 {

int PeriodAttributes::Give(Slot& slot, std::uint32_t stored, int conflict) {
  if (slot.given) return conflict;
  slot.value = stored;
  slot.given = true;
  return kOk;
}

int PeriodAttributes::Set(std::uint32_t value) {
  switch (value) {
    case kScalePeriods:
    case kScaleMonths:
    case kScaleQuarters:
    case kScaleHalfYears:
    case kScaleYears:
      return Give(scale_, value, kConflictingPeriodTypes);
    case 7:  // BALANCES
      if (balance_change_.given) return kTransactionsAndBalance;
      if (running_.given) return kRunningAndBalance;
      return Give(balance_change_, 0, kTransactionsAndBalance);
    case kChange:
      return Give(balance_change_, kChange, kTransactionsAndBalance);
    case 15:  // the current unit, said explicitly
      return Give(position_, kPositionCurrent, kConflictingPeriodTypes2);
    case kPositionBack:
    case kPositionAbsolute:
      return Give(position_, value, kConflictingPeriodTypes2);
    case 63:  // this year, said explicitly
      return Give(years_back_, 0, kInvalidYearKeyword);
    case kOneYearBack:
    case kTwoYearsBack:
    case kThreeYearsBack:
      return Give(years_back_, value, kInvalidYearKeyword);
    case 255:  // CLOSING, ENDING
      return Give(opening_, 0, kEndingAndStarting);
    case kOpening:
      return Give(opening_, kOpening, kEndingAndStarting);
    case 511:  // ACTUAL
      return Give(budget_, 0, kActualAndBudgeted);
    case kBudget:
      return Give(budget_, kBudget, kActualAndBudgeted);
    case kToDate:
      return Give(to_date_, kToDate, kConflictingPeriodTypes);
    case kRunningMonths:
    case kRunningQuarter:
    case kRunningHalfYear:
    case kRunningYear:
      if (running_.given) return kConflictingPeriodTypes2;
      if (balance_change_.given && balance_change_.value == 0) return kRunningAndBalance;
      return Give(running_, value, kConflictingPeriodTypes2);
    case kNamedMonth:
      return Give(named_month_, kNamedMonth, kConflictingPeriodTypes);
    default:
      return kAttributeRefused;
  }
}

std::uint32_t PeriodAttributes::Flags() const {
  return scale_.value | balance_change_.value | position_.value | years_back_.value |
         opening_.value | budget_.value | to_date_.value | running_.value | named_month_.value;
}

}  // namespace r7
