// The preload runner of the command window over the preload cache. (platform-independent)
#include "host/cache_preload_runner.h"

#include "preload/data_preload.h"
#include "preload/preload_settings.h"

namespace r7 {

int CachePreloadRunner::Preload(CompanyContext& company, const PreloadOrder& order,
                                platform::WindowId window) {
  preload::PreloadSettings& settings = preload::PreloadOf(company);
  settings.load_this_year = order.load_this_year;
  settings.load_last_year = order.load_last_year;
  settings.load_budget = order.load_budget;
  AccountRequest request =
      MakeAccountRequest(order.account, order.year, order.budget, kRangeAllSegments);
  request.budget = order.budget_pass;
  // No preload dialog shows counts for these runs: the load reports no progress, and its
  // failure messages have no window to appear over.
  return preload::DataPreLoad(services_(window), company, request, nullptr, 0, 0);
}

}  // namespace r7
