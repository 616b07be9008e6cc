// Resource ids of the dialog tests.

#pragma once

// Dialogs
#define IDD_SAMPLE          200
#define IDD_FIELDS          201
#define IDD_RECORDS         202
#define IDD_OWNERDRAW       203
#define IDD_PAGE_TEXT       210
#define IDD_PAGE_CHECK      211
#define IDD_PAGE_NUMBER     212
#define IDD_PREVIEW         220

// Strings
#define IDS_NUMBER_CAPTION  300

// Sample dialog
#define IDC_NAME            1001
#define IDC_AGE             1002
#define IDC_RATIO           1003
#define IDC_MEMBER          1004
#define IDC_OPTION1         1005
#define IDC_OPTION2         1006
#define IDC_OPTION3         1007
#define IDC_UNIT            1008
#define IDC_COLOUR          1009
#define IDC_UPPER           1010
#define IDC_BROWSE          1011
#define IDC_DETAILS         1012
#define IDC_DISABLED        1013

// Field dialog (one control of each kind for the exchange tests)
#define IDC_FIELD_EDIT      1101
#define IDC_FIELD_EDIT2     1102
#define IDC_FIELD_COMBO     1103
#define IDC_FIELD_LIST      1104
#define IDC_FIELD_DROPLIST  1105
#define IDC_FIELD_SLIDER    1106

// Record list dialog
#define IDC_RECORD_LIST     1129
#define IDC_RECORD_DELETE   1135

// Owner-drawn combo box dialog
#define IDC_DRAW_COMBO      1301

// Property pages
#define IDC_PAGE_EDIT       1201
#define IDC_PAGE_CHECK      1202

// Picture file dialog panel
#define IDC_PREVIEW_AREA    5001
#define IDC_PREVIEW_SHOW    5006
