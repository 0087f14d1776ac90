/* Menu ids of the command window's menu R7DLLMenu, and the window's private messages.
   (platform-independent; included by r7driver.rc and by the host) */
#ifndef R7_RESOURCES_MENU_IDS_H
#define R7_RESOURCES_MENU_IDS_H

#define R7_MENU_QUIT 2
#define R7_MENU_ABOUT 101
#define R7_MENU_SETUP 102
#define R7_MENU_CHART 103
#define R7_MENU_DRILL 104
#define R7_MENU_REPORT 105
#define R7_MENU_HELP 106
#define R7_MENU_BUDGET 107
#define R7_MENU_LISTS 109
#define R7_MENU_PRELOAD 110
#define R7_MENU_ENTITIES 115
#define R7_MENU_ENQUIRY 116
#define R7_MENU_PERIOD_WIZARD 1200

/* Start-up, posted by the command window to itself when it is created. */
#define R7_MESSAGE_START_UP 5591
/* Opens the driver's help file. */
#define R7_MESSAGE_OPEN_HELP 32767

#endif
