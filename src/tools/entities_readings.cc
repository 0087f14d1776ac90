// What the session read from the companies' financial entities files. (platform-independent)
#include "tools/entities_readings.h"

#include "ledger/entities_file.h"
#include "preload/preload_settings.h"

namespace r7 {

void ForgetEntitiesReadings(const ToolContext& context) {
  const LedgerServices services = context.ledger(platform::kNoWindow);
  for (const auto& company : services.companies.companies()) {
    if (preload::PreloadSettings* preload = preload::PreloadIfAny(*company)) {
      preload->expansions.clear();
    }
  }
  if (context.settings.lists_use_entities_file != 0) context.lists.Reset();
}

void FollowEntitiesPlace(const ToolContext& context) {
  const LedgerServices services = context.ledger(platform::kNoWindow);
  EntitiesFile file(services.records, services.companies, services.files);
  for (const auto& company : services.companies.companies()) file.Close(*company);
  services.companies.CheckEntitiesFilePresence(nullptr);
  ForgetEntitiesReadings(context);
}

}  // namespace r7
