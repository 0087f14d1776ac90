// The driver's dialog templates, read from their one source. (platform-independent)
#include "resources/dialog_template.h"

#include <cctype>

namespace r7::resources {
namespace {

#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif

// The list of templates is read twice: once for each template's controls, once for the
// table of templates. The order of these includes is the meaning.
// clang-format off
#include "resources/dialog_template_controls.h"
#include "resources/dialogs/all.inc"
#include "resources/dialog_template_entries.h"
inline constexpr DialogTemplate kTemplates[] = {
#include "resources/dialogs/all.inc"
};
#include "resources/dialog_template_undef.h"
// clang-format on

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::span<const DialogTemplate> DriverDialogTemplates() {
  return kTemplates;
}

const DialogTemplate* FindDialogTemplate(std::span<const DialogTemplate> templates,
                                         std::string_view name) {
  for (const DialogTemplate& each : templates) {
    if (SameName(each.name, name)) return &each;
  }
  return nullptr;
}

}  // namespace r7::resources
