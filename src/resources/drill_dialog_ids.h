/* Control ids of the Drill dialog (template "DRILL") and its Transaction Fields dialog
   (template "TRXFIELDS"), the two bitmaps of the Drill button, and the commands the Drill
   dialog takes from itself and from the dialogs it opens. */
#ifndef R7_RESOURCES_DRILL_DIALOG_IDS_H
#define R7_RESOURCES_DRILL_DIALOG_IDS_H

#define R7_DRILL_COMPANY 1069
#define R7_DRILL_REVISION 1066
#define R7_DRILL_YEAR 1065
#define R7_DRILL_PERIOD 1001
#define R7_DRILL_PERIOD_BUTTON 118
#define R7_DRILL_ROWS 1064
#define R7_DRILL_ACCOUNTS 1060
#define R7_DRILL_ACCOUNTS_BUTTON 2034
#define R7_DRILL_SEGMENT 1063
#define R7_DRILL_BUTTON 1061
#define R7_DRILL_TOTAL 1068
#define R7_DRILL_RECORDS 1082
#define R7_DRILL_ADVANCED 125
#define R7_DRILL_TO_CHART 1073
#define R7_DRILL_SEND 1072
#define R7_DRILL_HELP 3

/* The Drill button's faces, 31 by 31 pixels: up, and pressed. */
#define R7_DRILL_BITMAP_UP 1070
#define R7_DRILL_BITMAP_DOWN 1071

/* Commands of the Drill dialog: reload from the DrillContext, show the row count, rebuild
   the columns of account mode and of transaction mode. */
#define R7_DRILL_RELOAD 1026
#define R7_DRILL_ROW_COUNT 1083
#define R7_DRILL_ACCOUNT_COLUMNS 1084
#define R7_DRILL_TRANSACTION_COLUMNS 1085
/* From the account enquiry when it closes: the DrillContext may have changed. */
#define R7_DRILL_CONTEXT_CHANGED 580

#define R7_TRXF_ID 704
#define R7_TRXF_SOURCE 705
#define R7_TRXF_REFERENCE 706
#define R7_TRXF_FLAG 707
#define R7_TRXF_FORMULAS_NONE 1015
#define R7_TRXF_FORMULAS_LOTUS 1016
#define R7_TRXF_FORMULAS_EXCEL 1017
#define R7_TRXF_ABSOLUTE_SORT 2037
#define R7_TRXF_THRESHOLD 2038
#define R7_TRXF_HELP 3

#endif
