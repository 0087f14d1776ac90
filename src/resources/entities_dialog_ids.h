/* Control ids of the financial entities dialogs: the setup (template "FESETUP") and the
   maintenance of a company's file (template "SAD"). */
#ifndef R7_RESOURCES_ENTITIES_DIALOG_IDS_H
#define R7_RESOURCES_ENTITIES_DIALOG_IDS_H

/* FESETUP */
#define R7_FESETUP_GL_PATH 3100
#define R7_FESETUP_OTHER 3101
#define R7_FESETUP_PATH 3102
#define R7_FESETUP_BROWSE 3103
#define R7_FESETUP_LISTS_USE_FILE 2031
#define R7_FESETUP_CREATE 3105
#define R7_FESETUP_GROUP 3106
#define R7_FESETUP_PROGRESS 3107

/* SAD */
#define R7_SAD_SEGMENT 2115
#define R7_SAD_TEXT 2116
#define R7_SAD_VALUE 2117
#define R7_SAD_REBUILD 2118
#define R7_SAD_DELETE 2128
#define R7_SAD_ADD 2129
#define R7_SAD_VALUE_LABEL 2164
#define R7_SAD_TEXT_LABEL 2165
#define R7_SAD_ENTITY_MODE 2166
#define R7_SAD_SEGMENT_LABEL 2170
#define R7_SAD_NOTE 2171
#define R7_SAD_PROGRESS 2172

#endif
