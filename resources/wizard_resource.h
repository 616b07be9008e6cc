// wizard_resource.h - resource ids of the new-publication wizard (wizard.rc).

#pragma once

// Dialog
#define IDD_WIZ_NEWCARD             268

// Controls of IDD_WIZ_NEWCARD
#define IDC_WIZ_TEMPLATES           1062    // template files (sorted list)
#define IDC_WIZ_BACKGROUNDS         1063    // background pictures (sorted list)
#define IDC_WIZ_BLANK               1089    // "Start with a blank design"
#define IDC_WIZ_PREVIEW             1092    // group box the preview is painted in
#define IDC_WIZ_WIDTH               1102    // own width
#define IDC_WIZ_HEIGHT              1103    // own height
#define IDC_WIZ_SIZETEXT            1111    // hidden "Size =" label
#define IDC_WIZ_CATEGORY            1120    // categories (drop-down list)
#define IDC_WIZ_SIZES               1121    // "Other" and the stock sizes
#define IDC_WIZ_KEEPSIZE            1123    // keep the template's size
#define IDC_WIZ_UNITS               1124    // "Inch" or "Cm"

// Strings
#define IDS_WIZ_NO_TEMPLATES        138
#define IDS_WIZ_BAD_SIZE            139
#define IDS_WIZ_NO_BACKGROUNDS      142
#define IDS_WIZ_INCH                163
#define IDS_WIZ_TEMPLATE_UNUSABLE   6500    // %1 the file name, %2 the reason
#define IDS_WIZ_UNEXPECTED_FORMAT   6501
