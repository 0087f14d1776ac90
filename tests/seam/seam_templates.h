// The seam's test dialog template, for the headless window system.
#pragma once

#include <span>

#include "resources/dialog_template.h"

namespace r7::testing {

std::span<const resources::DialogTemplate> SeamDialogTemplates();

}  // namespace r7::testing
