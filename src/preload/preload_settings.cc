// The preload state of one open company. (platform-independent)
#include "preload/preload_settings.h"

#include <memory>

namespace r7::preload {

PreloadSettings& PreloadOf(CompanyContext& company) {
  if (company.preload == nullptr) ResetPreload(company);
  return *PreloadIfAny(company);
}

PreloadSettings* PreloadIfAny(CompanyContext& company) {
  // Only this floor puts anything in the company's cache slot.
  return static_cast<PreloadSettings*>(company.preload.get());
}

void ResetPreload(CompanyContext& company) {
  if (company.preload == nullptr) company.preload = std::make_shared<PreloadSettings>();
  PreloadSettings& s = *PreloadIfAny(company);
  UnloadCompany(s);
  s.current_ordering = 0;
  s.ordering_count = 0;
  s.load_this_year = true;
  s.load_last_year = false;
  s.load_budget = false;
  s.owner = &company;
  s.request = AccountRequest{};
  s.request.range_type = kRangeAllSegments;
  s.request.budget = false;
}

void UnloadCompany(PreloadSettings& settings) {
  settings.caches.clear();
  settings.loaded = false;
  settings.current_request = nullptr;
  settings.expansions.clear();
}

}  // namespace r7::preload
