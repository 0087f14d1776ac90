/* Control ids of the About dialog (template "ABOUT"). (platform-independent; included by
   r7driver.rc and by the dialog's handler) The OK button is the standard id 1. */
#ifndef R7_RESOURCES_ABOUT_DIALOG_IDS_H
#define R7_RESOURCES_ABOUT_DIALOG_IDS_H

#define R7_ABOUT_VERSION_TEXT 3001
#define R7_ABOUT_ADDRESS_TEXT 3002

#endif
