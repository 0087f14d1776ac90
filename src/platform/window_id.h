// Opaque handle of a window or dialog, as the core sees it. (platform-independent)
//
// The core never looks inside: it only passes a WindowId back to the platform that
// issued it. kNoWindow stands for "no owner"; a message box with no owner is never shown.
#pragma once

#include <cstdint>

namespace r7::platform {

using WindowId = std::uintptr_t;
inline constexpr WindowId kNoWindow = 0;

}  // namespace r7::platform
