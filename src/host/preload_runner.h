// What the command window asks of the preload cache: load one company's selection of
// accounts into memory, for the silent preload command and the automatic preload at
// start-up. (platform-independent)
//
// The command window fills the order (from the "DPL" settings or a company's "ADPL" keys)
// and decides which companies and passes to run; the runner does the loading and reports
// its own failures to the user. Until the preload cache exists, the only runner answers
// 42 "Function not supported" in an error box, which shows even in silent mode.
#pragma once

#include <string>

#include "base/message_center.h"
#include "ledger/company_catalogue.h"
#include "platform/window_id.h"

namespace r7 {

// One preload pass of one company: copied field by field from the settings that asked.
struct PreloadOrder {
  std::string company;
  std::string account;  // account specifier, at most 511 characters
  std::string year;     // 4 characters
  std::string budget;   // budget revision, 2 characters
  bool load_this_year = true;
  bool load_last_year = false;
  bool load_budget = false;
  bool budget_pass = false;  // this pass loads the budget figures, not the actual ones
  friend bool operator==(const PreloadOrder&, const PreloadOrder&) = default;
};

class PreloadRunner {
 public:
  virtual ~PreloadRunner() = default;
  // Loads the order into the company's cache; progress and failure boxes go to `window`.
  // 0 loaded, else the failure (already shown).
  virtual int Preload(CompanyContext& company, const PreloadOrder& order,
                      platform::WindowId window) = 0;
};

// The runner of a driver without a preload cache.
class UnsupportedPreloadRunner : public PreloadRunner {
 public:
  explicit UnsupportedPreloadRunner(MessageCenter& messages) : messages_(messages) {}
  int Preload(CompanyContext& company, const PreloadOrder& order,
              platform::WindowId window) override;

 private:
  MessageCenter& messages_;
};

}  // namespace r7
