// options_resource.h - ids of the Options page (1544).

#pragma once

#define IDD_OPTIONS_GENERAL             1544
#define IDC_OPTIONS_SHADOW_COLOR        1057
#define IDC_OPTIONS_SHADOW_LENGTH       1058
#define IDC_OPTIONS_DISPLAY_GRID        1059
#define IDC_OPTIONS_GRID_SIZE           1061
#define IDC_OPTIONS_GRID_COLOR          1062
#define IDC_OPTIONS_BACKGROUND          1063
#define IDC_OPTIONS_DOTTED_GRID         1065
#define IDC_OPTIONS_SOLID_GRID          1066
#define IDC_OPTIONS_INNER_BORDER        1100
#define IDC_OPTIONS_SHOW_TIP            1123
