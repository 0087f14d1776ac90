// The preload runner of the command window over the preload cache: the silent preload
// command and the automatic preload at start-up load a company's selection through it.
// (platform-independent)
#pragma once

#include <functional>

#include "host/preload_runner.h"
#include "ledger/ledger_services.h"

namespace r7 {

class CachePreloadRunner : public PreloadRunner {
 public:
  // The collaborators of a load whose messages go to the given window.
  using ServicesFor = std::function<LedgerServices(platform::WindowId window)>;

  explicit CachePreloadRunner(ServicesFor services) : services_(std::move(services)) {}

  // Sets the company's load switches from the order and loads the order's selection: the
  // actual figures, or the budget revision on the budget pass. 0 loaded, else the
  // DataPreLoad result (its messages go to `window`, which silent runs do not have).
  int Preload(CompanyContext& company, const PreloadOrder& order,
              platform::WindowId window) override;

 private:
  ServicesFor services_;
};

}  // namespace r7
