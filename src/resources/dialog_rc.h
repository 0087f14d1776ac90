/* The R7_DIALOG macros of the dialog templates (resources/dialogs/*.inc) as resource
   script statements: each template becomes a DIALOGEX of Windows controls. Included by the
   resource scripts after <windows.h> and <commctrl.h>. */
#ifndef R7_RESOURCES_DIALOG_RC_H
#define R7_RESOURCES_DIALOG_RC_H

#define R7_NONE 0
#define R7_DISABLED WS_DISABLED
#define R7_READ_ONLY ES_READONLY
#define R7_OWNER_DRAWN LVS_OWNERDRAWFIXED
#define R7_GROUP_START WS_GROUP
#define R7_DROP_LIST CBS_DROPDOWNLIST
#define R7_COMBO_SORTED CBS_SORT
#define R7_LIST_SORTED LBS_SORT
#define R7_DEFAULT BS_DEFPUSHBUTTON

#define R7_CHILD WS_CHILD | WS_VISIBLE

#define R7_DIALOG(name, width, height, caption)                                      \
  name DIALOGEX 0, 0, width,                                                         \
      height STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | \
          WS_VISIBLE CAPTION caption FONT 8,                                         \
      "MS Shell Dlg" BEGIN
#define R7_DIALOG_END END

#define R7_TEXT(id, text, x, y, w, h) CONTROL text, id, "Static", SS_LEFT | R7_CHILD, x, y, w, h
#define R7_GROUP_BOX(id, text, x, y, w, h) \
  CONTROL text, id, "Button", BS_GROUPBOX | R7_CHILD, x, y, w, h
#define R7_EDIT(id, x, y, w, h, flags)                                                             \
  CONTROL "", id, "Edit", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | R7_CHILD | flags, x, \
      y, w, h
#define R7_BUTTON(id, text, x, y, w, h, flags) \
  CONTROL text, id, "Button", BS_PUSHBUTTON | WS_TABSTOP | R7_CHILD | flags, x, y, w, h
#define R7_BITMAP_BUTTON(id, x, y, w, h, flags) \
  CONTROL "", id, "Button", BS_OWNERDRAW | WS_TABSTOP | R7_CHILD | flags, x, y, w, h
#define R7_CHECK_BOX(id, text, x, y, w, h, flags) \
  CONTROL text, id, "Button", BS_AUTOCHECKBOX | WS_TABSTOP | R7_CHILD | flags, x, y, w, h
#define R7_RADIO_BUTTON(id, text, x, y, w, h, flags) \
  CONTROL text, id, "Button", BS_AUTORADIOBUTTON | R7_CHILD | flags, x, y, w, h
#define R7_COMBO_BOX(id, x, y, w, h, flags) \
  CONTROL "", id, "ComboBox",               \
      CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | R7_CHILD | flags, x, y, w, h
#define R7_LIST_BOX(id, x, y, w, h, flags)                                                        \
  CONTROL "", id, "ListBox", LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP | R7_CHILD | flags, \
      x, y, w, h
#define R7_LIST_VIEW(id, x, y, w, h, flags)                                                       \
  CONTROL "", id, "SysListView32",                                                                \
      LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP | R7_CHILD | flags, \
      x, y, w, h

#endif
