// The ledger's collaborators without a driver.
#include "fakes/ledger_world.h"

namespace r7::testing {

LedgerWorld::LedgerWorld(const std::string& system_directory, platform::DynamicLibraries* libraries)
    : libraries(libraries != nullptr ? *libraries : fake.libraries) {
  ResetToDefaults(settings);
  settings.system_directory = system_directory;
  settings.company = "01";
  settings.current_year = "2002";
}

LedgerWorld::~LedgerWorld() {
  companies.CloseAllCompanies();
  if (records.initialised()) records.Reset();
  records.Unbind();
}

}  // namespace r7::testing
