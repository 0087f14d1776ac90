/* Control ids of the Data Preload dialog (template "TURBO"), and the commands it sends
   itself. */
#ifndef R7_RESOURCES_DATA_PRELOAD_DIALOG_IDS_H
#define R7_RESOURCES_DATA_PRELOAD_DIALOG_IDS_H

#define R7_TURBO_RECORDS 501
#define R7_TURBO_INDEXES 503
#define R7_TURBO_SWITCH 507
#define R7_TURBO_COMPANY 508
#define R7_TURBO_REVISION 510
#define R7_TURBO_YEAR 512
#define R7_TURBO_THIS_YEAR 514
#define R7_TURBO_LAST_YEAR 515
#define R7_TURBO_ACCOUNT 517
#define R7_TURBO_UNLOAD 520
#define R7_TURBO_BUDGET 1000
#define R7_TURBO_GROUP 1001

/* Commands: refresh from the selected company; set the record and the index counter to the
   message's second argument. */
#define R7_TURBO_REFRESH 521
#define R7_TURBO_RECORD_COUNT 522
#define R7_TURBO_INDEX_COUNT 523

#endif
