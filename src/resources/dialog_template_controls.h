// The R7_DIALOG macros read for the controls of each template: a template NAME becomes an
// array kNAMEControls of ControlTemplate, which starts with a placeholder so that a
// template without controls still makes an array (the table leaves it out). Included,
// without a guard, before a list of templates; dialog_template_entries.h then makes the
// table of them. (platform-independent)
#include "resources/dialog_template_undef.h"

#define R7_NONE 0u
#define R7_DISABLED ::r7::resources::control_flag::kDisabled
#define R7_READ_ONLY ::r7::resources::control_flag::kReadOnly
#define R7_OWNER_DRAWN ::r7::resources::control_flag::kOwnerDrawn
#define R7_GROUP_START ::r7::resources::control_flag::kGroupStart
#define R7_DROP_LIST ::r7::resources::control_flag::kDropList
#define R7_COMBO_SORTED ::r7::resources::control_flag::kSorted
#define R7_LIST_SORTED ::r7::resources::control_flag::kSorted
#define R7_DEFAULT ::r7::resources::control_flag::kDefault

#define R7_CONTROL_(kind, id, text, x, y, w, h, flags) \
  {id, ::r7::resources::ControlKind::kind, text, x, y, w, h, flags},

#define R7_DIALOG(name, width, height, caption)                           \
  inline constexpr ::r7::resources::ControlTemplate k##name##Controls[] = { \
      {0, ::r7::resources::ControlKind::kText, "", 0, 0, 0, 0, 0u},
#define R7_DIALOG_END \
  }                   \
  ;
#define R7_TEXT(id, text, x, y, w, h) R7_CONTROL_(kText, id, text, x, y, w, h, 0u)
#define R7_GROUP_BOX(id, text, x, y, w, h) R7_CONTROL_(kGroupBox, id, text, x, y, w, h, 0u)
#define R7_EDIT(id, x, y, w, h, flags) R7_CONTROL_(kEdit, id, "", x, y, w, h, flags)
#define R7_BUTTON(id, text, x, y, w, h, flags) R7_CONTROL_(kButton, id, text, x, y, w, h, flags)
#define R7_BITMAP_BUTTON(id, x, y, w, h, flags) \
  R7_CONTROL_(kBitmapButton, id, "", x, y, w, h, flags)
#define R7_CHECK_BOX(id, text, x, y, w, h, flags) \
  R7_CONTROL_(kCheckBox, id, text, x, y, w, h, flags)
#define R7_RADIO_BUTTON(id, text, x, y, w, h, flags) \
  R7_CONTROL_(kRadioButton, id, text, x, y, w, h, flags)
#define R7_COMBO_BOX(id, x, y, w, h, flags) R7_CONTROL_(kComboBox, id, "", x, y, w, h, flags)
#define R7_LIST_BOX(id, x, y, w, h, flags) R7_CONTROL_(kListBox, id, "", x, y, w, h, flags)
#define R7_LIST_VIEW(id, x, y, w, h, flags) R7_CONTROL_(kListView, id, "", x, y, w, h, flags)
