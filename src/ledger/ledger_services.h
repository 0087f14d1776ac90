// The collaborators that a ledger lookup works with: the settings, the error reporter and
// message boxes, the record manager, the loaded companies, the file system and the current
// From/To dates. (platform-independent)
//
// The driver builds one for each call (worksheet functions) or walk (tools); every member
// outlives every walk that uses it.
#pragma once

#include "base/error_reporter.h"
#include "base/message_center.h"
#include "base/settings.h"
#include "ledger/company_catalogue.h"
#include "platform/file_system.h"
#include "platform/window_id.h"
#include "recordmgr/record_manager.h"
#include "specifiers/dates.h"

namespace r7 {

struct LedgerServices {
  const Settings& settings;
  ErrorReporter& errors;
  MessageCenter& messages;
  RecordManager& records;
  CompanyCatalogue& companies;
  platform::FileSystem& files;
  const DateRange& dates;  // the current From/To dates (transactions)
  platform::WindowId abort_window = platform::kNoWindow;  // whose input may ask to stop
};

}  // namespace r7
