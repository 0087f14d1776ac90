/* Control ids of the account enquiry (template "ACCOUNT_INQUIRE") and its own commands. */
#ifndef R7_RESOURCES_ACCOUNT_ENQUIRY_IDS_H
#define R7_RESOURCES_ACCOUNT_ENQUIRY_IDS_H

#define R7_ENQ_COMPANY 2041
#define R7_ENQ_PERIOD 2042
#define R7_ENQ_REVISION 1208
#define R7_ENQ_YEAR 2044
/* The segment boxes 1040 to 1042 and their titles 2015 to 2017, in segment order. */
#define R7_ENQ_SEGMENT_BASE 1040
#define R7_ENQ_TITLE_BASE 2015
#define R7_ENQ_ORIENTATION 2079
#define R7_ENQ_BALANCE 2014
#define R7_ENQ_GET_BALANCE 2026
#define R7_ENQ_TO_CHART 2027
#define R7_ENQ_TO_DRILL 2029
#define R7_ENQ_PERIOD_BUTTON 118
#define R7_ENQ_ACCOUNT_GROUP 2018
#define R7_ENQ_BALANCE_GROUP 2019

/* The enquiry asks itself to fill its boxes again. */
#define R7_ENQ_REFILL 1027
/* To the window that opened the enquiry, when it closes: the picked account is in the
   session's drill request and its description on the clipboard. */
#define R7_ENQ_CLOSED 580

#endif
