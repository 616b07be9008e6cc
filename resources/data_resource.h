// data_resource.h - ids of the data-source dialog (307), the password dialog of a
// stored source (308) and the data-entry dialog (306).

#ifndef STICKWELL_DATA_RESOURCE_H
#define STICKWELL_DATA_RESOURCE_H

#define IDD_DATAENTRY               306
#define IDD_BROWDATASOURCE          307
#define IDD_SOURCEPASSWORD          308

// Data-source dialog
#define IDC_DS_DELIMITERLIST        1121
#define IDC_DS_HASCOLNAMES          1123
#define IDC_DS_TYPE                 1124
#define IDC_DS_DELIMITER            1140
#define IDC_DS_BROWSE               1142
#define IDC_DS_FILENAME             1143
#define IDC_DS_PASSWORD             1144
#define IDC_DS_TABLELIST            1146
#define IDC_DS_DELIMITERLABEL       1147
#define IDC_DS_TABLELABEL           1148
#define IDC_DS_OPTIONLABEL          1158
#define IDC_DS_EXCELVERSION         1159
#define IDC_DS_USESQL               1160
#define IDC_DS_SQL                  1161

// Password of a stored Access source
#define IDC_SP_FILE                 1170
#define IDC_SP_PASSWORD             1171
#define IDC_SP_NOTE                 1172

// Data-entry dialog
#define IDC_DE_MERGEFIRST           1124
#define IDC_DE_MERGESECOND          1125
#define IDC_DE_LIST                 1129
#define IDC_DE_ADD                  1130
#define IDC_DE_VALUE                1131
#define IDC_DE_PREV                 1132
#define IDC_DE_NEXT                 1133
#define IDC_DE_SAVE                 1134
#define IDC_DE_DELETESELECTED       1135
#define IDC_DE_DELETEALL            1136
#define IDC_DE_IMPORT               1137
#define IDC_DE_EXPORT               1138
#define IDC_DE_IMPORTDELIMITER      1140
#define IDC_DE_EXPORTDELIMITER      1141
#define IDC_DE_SEPARATOR            1144
#define IDC_DE_MERGE                1151
#define IDC_DE_EDITGROUP            1152

// Message texts (data.rc)
#define IDS_UNEXPECTED_ERROR        6100    // every library's catch-all guards
#define IDS_DS_ENTER_FILE_NAME      6101
#define IDS_DS_ENTER_DELIMITER      6102
#define IDS_DS_USE_SELECT           6103
#define IDS_DE_NO_RECORD            6104
#define IDS_DE_SELECT_MERGE         6105
#define IDS_DE_NO_SEPARATOR         6106
#define IDS_DE_MERGED               6107    // %1 the first value of the new column
#define IDS_DE_FILE_ERROR           6108
#define IDS_DE_REPLACE_ALL          6109
#define IDS_DE_FEWER_COLUMNS        6110
#define IDS_DE_MORE_COLUMNS         6111
#define IDS_TEXT_NOT_TEXT           6112    // %1 the file
#define IDS_TEXT_TOO_MANY_COLUMNS   6113    // %1 the file, %2 the largest column count
#define IDS_TEXT_TOO_WIDE           6114    // %1 the file
#define IDS_TEXT_CHARS_REPLACED     6115    // %1 the file, %2 the character put instead
#define IDS_DATA_CANNOT_OPEN        6116    // %1 the file
#define IDS_DE_CONFIRM_DELETE_ALL   7400    // %1 the number of records

#endif // STICKWELL_DATA_RESOURCE_H
