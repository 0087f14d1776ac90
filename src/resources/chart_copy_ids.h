/* Control ids of the chart copy (template "CHARTCOPY") and the commands it takes from the
   tools it opens. */
#ifndef R7_RESOURCES_CHART_COPY_IDS_H
#define R7_RESOURCES_CHART_COPY_IDS_H

#define R7_CHART_ACCOUNT 1000
#define R7_CHART_PERIOD 1001
#define R7_CHART_COMPANY 1002
#define R7_CHART_YEAR 1003
#define R7_CHART_REVISION 1004
#define R7_CHART_MATCH_COUNT 1005
#define R7_CHART_RANGE_TYPE 1006
#define R7_CHART_SHOW_ACCOUNT 1010
#define R7_CHART_SHOW_DESCRIPTION 1011
#define R7_CHART_SHOW_ORIGIN 1012
#define R7_CHART_PREPEND_QUOTE 1013
#define R7_CHART_SKIP_ZERO 1018
#define R7_CHART_SEPARATE_SEGMENTS 2216
#define R7_CHART_RESET 1030
#define R7_CHART_VIEWER 1032
#define R7_CHART_PERIOD_BUTTON 119
#define R7_CHART_ACCOUNTS_BUTTON 2034
#define R7_CHART_COLUMNS_GROUP 1019

/* The match count so far, in the second parameter, while a fill runs. */
#define R7_CHART_SHOW_COUNT 1031
/* From the account enquiry when it closes: take the chart's fields from what it picked. */
#define R7_CHART_FROM_ENQUIRY 580

#endif
