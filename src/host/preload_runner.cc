// The runner of a driver without a preload cache. (platform-independent)
#include "host/preload_runner.h"

#include "base/error_codes.h"

namespace r7 {

int UnsupportedPreloadRunner::Preload(CompanyContext& company, const PreloadOrder&,
                                      platform::WindowId window) {
  messages_.ShowErrorBox(window, kNotSupported, "DataPreLoad " + company.code);
  return kNotSupported;
}

}  // namespace r7
