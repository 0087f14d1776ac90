// Forgets the R7_DIALOG macros, so that a list of templates can be read again with other
// ones. (platform-independent)
#undef R7_NONE
#undef R7_DISABLED
#undef R7_READ_ONLY
#undef R7_OWNER_DRAWN
#undef R7_GROUP_START
#undef R7_DROP_LIST
#undef R7_COMBO_SORTED
#undef R7_LIST_SORTED
#undef R7_DEFAULT
#undef R7_CONTROL_
#undef R7_DIALOG
#undef R7_DIALOG_END
#undef R7_TEXT
#undef R7_GROUP_BOX
#undef R7_EDIT
#undef R7_BUTTON
#undef R7_BITMAP_BUTTON
#undef R7_CHECK_BOX
#undef R7_RADIO_BUTTON
#undef R7_COMBO_BOX
#undef R7_LIST_BOX
#undef R7_LIST_VIEW
