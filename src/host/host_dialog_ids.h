// The control ids of the host's own dialogs, as typed constants over the resource headers
// that the Windows templates share. (platform-independent)
#pragma once

#include "host/dialog_registry.h"
#include "resources/about_dialog_ids.h"

namespace r7::about_ids {
inline constexpr int kVersionText = R7_ABOUT_VERSION_TEXT;
inline constexpr int kAddressText = R7_ABOUT_ADDRESS_TEXT;
inline constexpr int kCloseAndCleanUp = r7::kCloseAndCleanUp;
}  // namespace r7::about_ids
