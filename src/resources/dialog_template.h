// The dialog templates of the driver as the portable build reads them: each dialog's name,
// caption and size, and its controls with their ids, kinds, texts, places and flags.
// (platform-independent)
//
// One source describes every template: resources/dialogs/*.inc, written in the R7_DIALOG
// macros. The resource scripts read it through dialog_rc.h and make the real dialogs of it;
// this table reads it through dialog_template_controls.h and dialog_template_entries.h, and
// the headless window system of the POSIX build makes its dialogs from the table, so both
// builds know the same controls. Places and sizes are dialog units.
#pragma once

#include <span>
#include <string_view>

namespace r7::resources {

enum class ControlKind {
  kText,
  kGroupBox,
  kEdit,
  kButton,
  kBitmapButton,
  kCheckBox,
  kRadioButton,
  kComboBox,
  kListBox,
  kListView,
};

namespace control_flag {
inline constexpr unsigned kReadOnly = 1u << 0;    // an edit the user cannot change
inline constexpr unsigned kOwnerDrawn = 1u << 1;  // a list view whose handler paints rows
inline constexpr unsigned kGroupStart = 1u << 2;  // the first radio button of a group
inline constexpr unsigned kDropList = 1u << 3;    // a combo box without an edit part
inline constexpr unsigned kSorted = 1u << 4;      // a combo or list box that sorts entries
inline constexpr unsigned kDisabled = 1u << 5;    // disabled when the dialog opens
inline constexpr unsigned kDefault = 1u << 6;     // the dialog's default push button
}  // namespace control_flag

struct ControlTemplate {
  int id;
  ControlKind kind;
  std::string_view text;
  int x, y, width, height;
  unsigned flags;
};

struct DialogTemplate {
  std::string_view name;
  std::string_view caption;
  int width, height;
  std::span<const ControlTemplate> controls;
};

// The driver's own templates, and the one of that name (compared without regard to case,
// as Windows finds resources); null when there is none.
std::span<const DialogTemplate> DriverDialogTemplates();
const DialogTemplate* FindDialogTemplate(std::span<const DialogTemplate> templates,
                                         std::string_view name);

}  // namespace r7::resources
