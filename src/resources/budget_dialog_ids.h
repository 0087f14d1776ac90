/* Control ids of the Budget Write dialog (template "BUDGET"). */
#ifndef R7_RESOURCES_BUDGET_DIALOG_IDS_H
#define R7_RESOURCES_BUDGET_DIALOG_IDS_H

#define R7_BUDGET_COMPANY 301
#define R7_BUDGET_REVISION 305
#define R7_BUDGET_YEAR 307
#define R7_BUDGET_RESET 308
#define R7_BUDGET_COUNTER 312

#endif
