// What the worksheet functions and the tools share for the length of a session.
// (platform-independent)
#include "host/session_state.h"

namespace r7 {

void SessionState::Reset(const Settings& settings) {
  drill.account = "*-*-*";
  drill.period = "Month";
  drill.budget_revision = settings.revision;
  drill.year = settings.current_year;
  drill.range_type = 0;
  drill.company = settings.company;
  drill.segment = 0;
  transaction_fields.fill(true);
  transaction_type = kAllTransactions;
}

}  // namespace r7
