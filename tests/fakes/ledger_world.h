// The ledger's collaborators without a driver: the settings, error reporter and message
// boxes, the record manager bound to the stand-in as the driver binds it, and the company
// catalogue, over a fake platform and one system directory. For the tests of the floors
// below the host.
#pragma once

#include <string>

#include "base/error_reporter.h"
#include "base/message_center.h"
#include "base/settings.h"
#include "fakes/fake_platform.h"
#include "ledger/company_catalogue.h"
#include "ledger/ledger_services.h"
#include "recordmgr/record_manager.h"
#include "specifiers/dates.h"

namespace r7::testing {

class LedgerWorld {
 public:
  // Default settings with the System Directory at `system_directory`, Current Year 2002,
  // Company 01. The record manager's library is bound through `libraries` when given (it
  // must outlive the world), else through the fake platform's.
  explicit LedgerWorld(const std::string& system_directory,
                       platform::DynamicLibraries* libraries = nullptr);
  ~LedgerWorld();
  LedgerWorld(const LedgerWorld&) = delete;
  LedgerWorld& operator=(const LedgerWorld&) = delete;

  // The collaborators of one walk; stop requests are read from `abort_window`.
  LedgerServices services(platform::WindowId abort_window = platform::kNoWindow) {
    return LedgerServices{settings,  errors,     messages, records,
                          companies, fake.files, dates,    abort_window};
  }

  FakePlatform fake;
  Settings settings;
  ErrorReporter errors;
  MessageCenter messages{settings, errors, fake.message_boxes, fake.input};
  platform::DynamicLibraries& libraries;
  RecordManager records{libraries, fake.files, fake.debug, errors};
  std::string server_directory;
  CompanyCatalogue companies{settings, server_directory, fake.files, records, errors};
  DateRange dates;  // the current From/To dates of transaction walks
};

}  // namespace r7::testing
