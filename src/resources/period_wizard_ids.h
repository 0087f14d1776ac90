/* Control ids of the period wizard (template "PERIODW") and the commands the wizard and
   its launcher (template "PWIZ") exchange with the tool that opened them. */
#ifndef R7_RESOURCES_PERIOD_WIZARD_IDS_H
#define R7_RESOURCES_PERIOD_WIZARD_IDS_H

#define R7_PWIZ_ACTUAL 502
#define R7_PWIZ_BUDGET 503
#define R7_PWIZ_THIS_YEAR 505
#define R7_PWIZ_LAST_YEAR 506
#define R7_PWIZ_OPENING 508
#define R7_PWIZ_ENDING 509
#define R7_PWIZ_CHANGE 510
#define R7_PWIZ_MONTH 512
#define R7_PWIZ_QUARTER 513
#define R7_PWIZ_HALF_YEAR 514
#define R7_PWIZ_YEAR 515
#define R7_PWIZ_RUNNING 516
/* The period choices 1 to 16 are the radio buttons 518 to 533: 1 to 13, This Period, Last
   Period, All Periods. */
#define R7_PWIZ_CHOICE_BASE 517
#define R7_PWIZ_TEXT 535
#define R7_PWIZ_TO_CLIPBOARD 537
#define R7_PWIZ_TO 540
#define R7_PWIZ_FROM 541
#define R7_PWIZ_AGO 542
#define R7_PWIZ_GROUP_BALANCE 543
#define R7_PWIZ_GROUP_YEAR 544
#define R7_PWIZ_GROUP_VALUES 545
#define R7_PWIZ_GROUP_DURATION 546
#define R7_PWIZ_GROUP_PERIOD 547

/* Commands to the opener, each with the wizard's window as its second parameter. */
#define R7_PWIZ_COMPOSED 540
#define R7_PWIZ_INITIALISED 550
#define R7_PWIZ_PERIODS_CHANGED 560
#define R7_PWIZ_CLOSED 570
/* The launcher asks itself to open the wizard. */
#define R7_PWIZ_OPEN 1200

#endif
