// resource.h - resource ids of the program: menus, dialogs, commands and strings.
//
// The class library's standard ids (ID_FILE_NEW, ID_EDIT_UNDO, AFX_IDS_APP_TITLE, ...)
// come from afxres.h. The ids of each script's dialogs and messages are in the script's own
// header: bmpdialog_resource.h, data_resource.h, export_resource.h, model_resource.h,
// options_resource.h, print_resource.h, properties_resource.h, pubsize_resource.h and
// wizard_resource.h.

#pragma once

/////////////////////////////////////////////////////////////////////////////
// Frames, document type, icons, bitmaps, cursors

#define IDR_MAINFRAME                   128     // menu, accelerators, icon, title string
#define IDR_LABELTYPE                   129     // menu, accelerators and document string
#define IDR_ELEMENT_MENU                133     // context menu over selected elements
#define IDR_PAGE_MENU                   138     // context menu over the page
#define IDB_ABOUT_PICTURE               304
#define IDB_TIP_PICTURE                 311
#define IDC_LINK_HAND                   280     // cursor over links
#define IDB_SIDE_FRONT                  298
#define IDB_SIDE_BACK                   299
#define IDB_SIDE_VIEWDATA               309
#define IDB_SIDE_DATABASE               310

// Toolbars (TOOLBAR resource and button bitmap of the same id)
#define IDR_TOOLBAR_STANDARD            128
#define IDR_TOOLBAR_SHAPES              130
#define IDR_TOOLBAR_ACTIONS             248
#define IDR_TOOLBAR_FORMATTING          255
#define IDR_TOOLBAR_MORE_SHAPES         302

/////////////////////////////////////////////////////////////////////////////
// Dialogs and their controls

#define IDD_ABOUTBOX                    100
#define IDC_ABOUT_COMPANY               1037
#define IDC_ABOUT_VERSION               1038
#define IDC_ABOUT_NOTICE                1039
#define IDC_ABOUT_LINK                  1040
#define IDC_ABOUT_PRODUCT               1088

#define IDD_TIPOFTHEDAY                 312
#define IDC_TIP_SHOWATSTARTUP           1123
#define IDC_TIP_PREVIOUS                1151
#define IDC_TIP_NEXT                    1152
#define IDC_TIP_FRAME                   1155
#define IDC_TIP_TEXT                    1156

/////////////////////////////////////////////////////////////////////////////
// Strings

#define IDP_OLE_INIT_FAILED             100
#define IDS_TEXT_TOO_LONG               135
#define IDS_SAME_LINE_VALUES            141
#define IDS_TEMPLATE_EXISTS             6600    // %1 the template file
#define IDS_TIPS_CANNOT_OPEN            6601
#define IDS_NO_MAIN_WINDOW              6602
#define IDS_DATA_COLUMN_NOT_SET         6603
#define IDS_DATA_SOURCE_NOT_FOUND       6604
#define IDS_TWO_SIDED_QUESTION          6605
#define IDS_DB_CONFIRM_CHANGE           6606
#define IDS_DB_SOURCE_NEEDED            6607
#define IDS_HELP_MISSING                7700    // %1 the help file
#define IDS_HELP_NO_VIEWER              7701    // %1 the help file
#define IDS_HELP_CANNOT_OPEN            7702    // %1 the help file, %2 the system's code
#define IDS_DB_MERGE_HINT               6608
#define IDS_FONT_REGULAR                154
#define IDS_FONT_BOLD                   155
#define IDS_FONT_ITALIC                 158
#define IDS_FONT_BOLDITALIC             161

// Status bar panes
#define ID_INDICATOR_POSITION           130
#define ID_INDICATOR_ZOOM               259
#define ID_INDICATOR_SIZE               59141

/////////////////////////////////////////////////////////////////////////////
// Commands: File

#define ID_FILE_SAVE_AS_IMAGE           152
#define ID_FILE_SAVE_AS_TEMPLATE        153
#define ID_FILE_EXPLORE_SAMPLES         285
#define ID_FILE_DATABASE_SETTINGS       313
#define ID_FILE_VIEW_DATABASE_DATA      314
#define ID_FILE_EXPORT_PDF              32846

// Commands: Edit

#define ID_EDIT_PROPERTIES              137
#define ID_EDIT_CLEAR_SELECTION         156
#define ID_EDIT_DUPLICATE               157
#define ID_EDIT_SELECT_ALL_ELEMENTS     159     // the program's own, not the class library's
#define ID_EDIT_SELECT_BACKGROUND       160
#define ID_EDIT_REMOVE_BACKGROUND       260

// Commands: View

#define ID_VIEW_STANDARD_BAR            128
#define ID_VIEW_SHAPE_BAR               130
#define ID_VIEW_ACTIONS_BAR             248
#define ID_VIEW_FORMAT_BAR              255
#define ID_VIEW_SHAPES                  253
#define ID_VIEW_FORMATTING              254
#define ID_VIEW_ACTIONS                 257
#define ID_VIEW_GRID                    147
#define ID_VIEW_ZOOM_50                 225
#define ID_VIEW_ZOOM_200                226
#define ID_VIEW_ZOOM_25                 228
#define ID_VIEW_ZOOM_75                 229
#define ID_VIEW_ZOOM_100                230
#define ID_VIEW_ZOOM_150                231
#define ID_VIEW_ZOOM_300                232
#define ID_VIEW_ZOOM_IN                 250
#define ID_VIEW_ZOOM_OUT                251

// Commands: Insert (tools)

#define ID_TOOL_RECTANGLE               32771
#define ID_TOOL_ELLIPSE                 32772
#define ID_TOOL_DIAMOND                 32774
#define ID_TOOL_ROUNDRECT               32776
#define ID_TOOL_TRIANGLE                32777
#define ID_TOOL_FREEFORM                32783
#define ID_TOOL_POINTER                 32785
#define ID_TOOL_TEXT                    32786
#define ID_INSERT_CLIPART               32787
#define ID_TOOL_LINE                    32789
#define ID_TOOL_CLOSEDCURVE             32796
#define ID_TOOL_CALLOUT_LEFT            32830
#define ID_TOOL_CALLOUT_RIGHT           32831
#define ID_TOOL_ARROW_RIGHT             32832
#define ID_TOOL_PARALLELOGRAM           32833
#define ID_TOOL_ARROW_LEFT              32834
#define ID_TOOL_BURST                   32835
#define ID_TOOL_STAR                    32836
#define ID_TOOL_MOON                    32837
#define ID_TOOL_SUN                     32838
#define ID_INSERT_DBTEXT                32842
#define ID_INSERT_BACKGROUND            294

// Commands: Arrange

#define ID_ARRANGE_TO_FRONT             143
#define ID_ARRANGE_TO_BACK              144
#define ID_ARRANGE_STEP_FRONT           145
#define ID_ARRANGE_STEP_BACK            146
#define ID_ALIGN_LEFT                   198
#define ID_ALIGN_RIGHT                  199
#define ID_ALIGN_CENTER                 200
#define ID_ALIGN_TOP                    201
#define ID_ALIGN_BOTTOM                 202
#define ID_ALIGN_MIDDLE                 203
#define ID_SAME_WIDTH                   205
#define ID_SAME_HEIGHT                  206
#define ID_SAME_SIZE                    207
#define ID_LOCK                         240
#define ID_UNLOCK                       241
#define ID_LOCK_ALL                     242
#define ID_UNLOCK_ALL                   243
#define ID_TEXT_BOLD                    245
#define ID_TEXT_ITALIC                  246
#define ID_TEXT_UNDERLINE               247
#define ID_ROTATE_CLOCKWISE             288
#define ID_ROTATE_ANTICLOCKWISE         289
#define ID_CENTER_HORZ                  32839
#define ID_CENTER_VERT                  32840
#define ID_CENTER_BOTH                  32841
#define ID_MERGE_DBTEXTS                32843

// Commands: Tools and Help

#define ID_TOOLS_OPTIONS                219
#define ID_HELP_CONTENTS                221
