// The R7_DIALOG macros read for the table: each template becomes one DialogTemplate entry
// naming the controls array that dialog_template_controls.h made. Included, without a
// guard, inside the initialiser of the table. (platform-independent)
#include "resources/dialog_template_undef.h"

#define R7_DIALOG(name, width, height, caption) \
  {#name, caption, width, height, std::span(k##name##Controls).subspan(1)},
#define R7_DIALOG_END
#define R7_TEXT(...)
#define R7_GROUP_BOX(...)
#define R7_EDIT(...)
#define R7_BUTTON(...)
#define R7_BITMAP_BUTTON(...)
#define R7_CHECK_BOX(...)
#define R7_RADIO_BUTTON(...)
#define R7_COMBO_BOX(...)
#define R7_LIST_BOX(...)
#define R7_LIST_VIEW(...)
