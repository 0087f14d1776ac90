// The preload runner of the command window over the preload cache: the silent preload
// command and the automatic preload at start-up load a company's selection through it.
// (platform-independent)
#pragma once

#include "host/preload_runner.h"

namespace r7 {

class Driver;

class CachePreloadRunner : public PreloadRunner {
 public:
  explicit CachePreloadRunner(Driver& driver) : driver_(driver) {}

  // Sets the company's load switches from the order and loads the order's selection: the
  // actual figures, or the budget revision on the budget pass. 0 loaded, else the
  // DataPreLoad result (its messages go to `window`, which silent runs do not have).
  int Preload(CompanyContext& company, const PreloadOrder& order,
              platform::WindowId window) override;

 private:
  Driver& driver_;
};

}  // namespace r7
