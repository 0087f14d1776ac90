// Loading a selection of a company's accounts into memory, with its progress protocol.
// (platform-independent)
//
// DataPreLoad walks the accounts that a request selects with the account iteration, reads
// each account's records (this year, last year or a budget revision), keeps them in a new
// (or refilled) selection of the company, and builds the store's orderings. Results:
//   0   loaded: the company's preload is marked loaded;
//   -1  nothing selected to load, out of memory, or a walk that ended early (an iteration
//       error, an item without accounts after others were loaded, an account number the
//       store cannot order): the failure message (with a window), then the company's
//       whole preload is unloaded and reset;
//   -2  cancelled (the selection being built is dropped, others stay) or no account found
//       (the "did not find" message through the message-box wrapper; the empty selection
//       is dropped);
//   10  a ledger file could not be opened (error 10 pending with the file's name), then as
//       for -1.
// A selection is marked loaded only after its walk and its orderings completed.
#pragma once

#include <cstdint>

#include "ledger/account_iteration.h"
#include "platform/window_id.h"
#include "specifiers/account_request.h"

namespace r7::preload {

inline constexpr int kPreloadDone = 0;
inline constexpr int kPreloadFailed = -1;
inline constexpr int kPreloadCancelled = -2;
inline constexpr int kPreloadCantOpen = 10;

inline constexpr int kNoRecordsMessage = 150;
inline constexpr int kPreloadFailedMessage = 151;

// The progress window of a load: it receives counts as command messages and is asked
// whether the user wants to stop.
class PreloadProgress {
 public:
  virtual ~PreloadProgress() = default;
  virtual platform::WindowId window() const = 0;
  // Sends `count` to the counter `id` (a command message with the count as its argument).
  virtual void Send(int id, std::uint64_t count) = 0;
  // True when the user asked to stop and confirmed it.
  virtual bool StopRequested() = 0;
};

// True when the user cancelled. Without a window: false. Unless NoShow is set, asks the
// window whether to stop; then sends the count when it is below 50, a multiple of 50 below
// 500, a multiple of 100 below 2500, or a multiple of 250.
bool ReportProgress(PreloadProgress* progress, int id, std::uint64_t count, int no_show);

// Whether ReportProgress sends `count`.
bool ProgressCountShown(std::uint64_t count);

int DataPreLoad(const LedgerServices& services, CompanyContext& company,
                const AccountRequest& request, PreloadProgress* progress, int record_counter,
                int index_counter);

}  // namespace r7::preload
