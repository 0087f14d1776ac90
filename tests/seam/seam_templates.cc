// The seam's test dialog template, read from its one source as the driver's are.
#include "seam/seam_templates.h"

namespace r7::testing {
namespace {

// The template is read twice: for its controls, then for its table entry.
// clang-format off
#define IDOK 1
#include "seam/seam_dialog_ids.h"
#include "resources/dialog_template_controls.h"
#include "seam/seam_dialog.inc"
#include "resources/dialog_template_entries.h"
inline constexpr resources::DialogTemplate kTemplates[] = {
#include "seam/seam_dialog.inc"
};
#include "resources/dialog_template_undef.h"
#undef IDOK
// clang-format on

}  // namespace

std::span<const resources::DialogTemplate> SeamDialogTemplates() {
  return kTemplates;
}

}  // namespace r7::testing
