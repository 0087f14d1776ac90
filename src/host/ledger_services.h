// The collaborators a ledger lookup works with, taken from the driver for one call.
// (platform-independent)
#pragma once

#include "host/driver.h"
#include "specifiers/account_iteration.h"

namespace r7 {

// Worksheet calls have no window of their own; a stop request is asked of the command
// window once it exists, so until then none is named.
inline LedgerServices LedgerServicesOf(Driver& driver,
                                       platform::WindowId abort_window = platform::kNoWindow) {
  return LedgerServices{driver.settings(),           driver.errors(),    driver.messages(),
                        driver.record_manager(),     driver.companies(), driver.platform().files,
                        driver.current_date_range(), abort_window};
}

// The balance engine's collaborators for one call over `services`, which must outlive them.
inline BalanceCollaborators BalanceCollaboratorsOf(Driver& driver, const LedgerServices& services) {
  return BalanceCollaborators{services, driver.preload(), driver.usage_tracking(),
                              driver.segment_collector() ? &driver.segment_collector() : nullptr};
}

}  // namespace r7
