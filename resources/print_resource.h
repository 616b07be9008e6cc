// print_resource.h - ids of the print options dialog (286).

#ifndef STICKWELL_PRINT_RESOURCE_H
#define STICKWELL_PRINT_RESOURCE_H

#define IDD_PRINT_OPTIONS           286

#define IDC_PO_LEFTMARGIN           1046
#define IDC_PO_TOPMARGIN            1047
#define IDC_PO_PAGES                1093
#define IDC_PO_ROWS                 1094
#define IDC_PO_COLUMNS              1095
#define IDC_PO_CROPMARKS            1096
#define IDC_PO_CORNERMARKS          1097
#define IDC_PO_ROWGAP               1098
#define IDC_PO_COLUMNGAP            1100
#define IDC_PO_CUSTOMWIDTH          1102
#define IDC_PO_CUSTOMHEIGHT         1103
#define IDC_PO_LAYOUT               1113
#define IDC_PO_RESTOREDEFAULTS      1116
#define IDC_PO_SHEETLIST            1121
#define IDC_PO_DESIGNSIZE           1122
#define IDC_PO_UNITS                1124
#define IDC_PO_STARTROW             1144
#define IDC_PO_STARTCOLUMN          1145
#define IDC_PO_NOTE                 1150
#define IDC_PO_ESTIMATE             1151
#define IDC_PO_FIT                  7050    // what of the layout fits on the sheet

// Messages of the print options (print.rc)
#define IDS_PO_ESTIMATE_NO_DBTEXT   6400
#define IDS_PO_ESTIMATE_RESULT      6401    // %d records, %d sheets
#define IDS_PO_START_ROW            6402    // %d rows, %d the start row
#define IDS_PO_START_COLUMN         6403    // %d columns, %d the start column

#define IDS_PO_LAYOUT_TOO_LARGE     7000    // rows fitting, rows, columns fitting, columns
#define IDS_PO_KEEP_LARGE_LAYOUT    7001    // %s x %s the sheet; rows and columns fitting

// Messages of printing (print.rc)
#define IDS_PRINT_NO_RECORDS        7010
#define IDS_PRINT_NO_SUCH_PAPER     7011    // printer, sheet name, %s x %s the printer's paper
#define IDS_PRINT_OFF_PAPER         7012    // labels lost, labels; %s x %s the paper; rows, columns fitting
#define IDS_PRINT_ASK_CONTINUE      7013    // appended to a message that asks whether to go on
#define IDS_PRINT_TOO_MANY_PAGES    7014    // pages needed, most pages of a job; records lost, records
#define IDS_CMDLINE_NO_PRINTER      7020    // the printer's name
#define IDS_CMDLINE_NO_DEFAULT      7021
#define IDS_CMDLINE_NO_FILE         7022

#endif // STICKWELL_PRINT_RESOURCE_H
