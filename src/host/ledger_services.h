// The collaborators a ledger lookup works with, taken from the driver for one call.
// (platform-independent)
#pragma once

#include "host/driver.h"
#include "specifiers/account_iteration.h"

namespace r7 {

// Worksheet calls have no window of their own: a stop request during their walks is read
// from, and asked over, the command window. Tools pass their own dialog instead.
inline LedgerServices LedgerServicesOf(Driver& driver, platform::WindowId abort_window) {
  return LedgerServices{driver.settings(),           driver.errors(),    driver.messages(),
                        driver.record_manager(),     driver.companies(), driver.platform().files,
                        driver.current_date_range(), abort_window};
}
inline LedgerServices LedgerServicesOf(Driver& driver) {
  return LedgerServicesOf(driver, driver.command_window().window());
}

// The balance engine's collaborators for one call over `services`, which must outlive them.
inline BalanceCollaborators BalanceCollaboratorsOf(Driver& driver, const LedgerServices& services) {
  return BalanceCollaborators{services, driver.preload(), driver.usage_tracking(),
                              driver.segment_collector() ? &driver.segment_collector() : nullptr};
}

}  // namespace r7
