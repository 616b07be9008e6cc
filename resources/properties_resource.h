// properties_resource.h - ids of the element property pages.

#pragma once

#define IDD_PROP_BLANK                  291
#define IDD_PROP_LINE                   236
#define IDD_PROP_SHAPE                  107
#define IDD_PROP_GENERAL                1545
#define IDD_PROP_TEXT                   106
#define IDD_PROP_FONT                   1543

// Line page
#define IDC_LINE_COLOR                  1028
#define IDC_LINE_WIDTH                  1029
#define IDC_LINE_WIDTH_SPIN             1030
#define IDC_LINE_STYLE                  1031
#define IDC_LINE_HORZ                   1032
#define IDC_LINE_VERT                   1033
#define IDC_LINE_DIAG_UP                1034
#define IDC_LINE_DIAG_DOWN              1021
#define IDC_LINE_LEFT                   1051
#define IDC_LINE_TOP                    1052
#define IDC_LINE_RIGHT                  1053
#define IDC_LINE_BOTTOM                 1054
#define IDC_LINE_LOCK                   1055
#define IDC_LINE_APPLY                  1105

// Pattern page
#define IDC_SHAPE_BORDER_COLOR          1024
#define IDC_SHAPE_BORDER_WIDTH          1006
#define IDC_SHAPE_BORDER_SPIN           1004
#define IDC_SHAPE_BORDER_STYLE          1008
#define IDC_SHAPE_FILL_COLOR            1023
#define IDC_SHAPE_FILL_KIND             1025
#define IDC_SHAPE_PATTERN_COLOR         1022
#define IDC_SHAPE_SHADOW                1026
#define IDC_SHAPE_TRANSPARENT           1012
#define IDC_SHAPE_APPLY                 1104

// General page
#define IDC_GENERAL_LEFT                1107
#define IDC_GENERAL_TOP                 1101
#define IDC_GENERAL_WIDTH               1108
#define IDC_GENERAL_HEIGHT              1109
#define IDC_GENERAL_ROTATION            1110
#define IDC_GENERAL_LOCK                1100
#define IDC_GENERAL_APPLY               1106

// Text page
#define IDC_TEXT_LABEL                  1141
#define IDC_TEXT_EDIT                   1000
#define IDC_TEXT_FIELD                  1124
#define IDC_TEXT_SOURCE                 1151
#define IDC_TEXT_LEFT                   1046
#define IDC_TEXT_TOP                    1047
#define IDC_TEXT_WIDTH                  1048
#define IDC_TEXT_HEIGHT                 1049
#define IDC_TEXT_V_TOP                  1015
#define IDC_TEXT_V_MIDDLE               1016
#define IDC_TEXT_V_BOTTOM               1017
#define IDC_TEXT_H_LEFT                 1018
#define IDC_TEXT_H_CENTER               1019
#define IDC_TEXT_H_RIGHT                1020
#define IDC_TEXT_V_GROUP                1067
#define IDC_TEXT_H_GROUP                1068
#define IDC_TEXT_LOCK                   1050
#define IDC_TEXT_VERTICAL               1021
#define IDC_TEXT_ROTATION               1035
#define IDC_TEXT_APPLY                  1106

// Font page
#define IDC_FONT_FACE                   1136
#define IDC_FONT_STYLE                  1137
#define IDC_FONT_SIZE                   1138
#define IDC_FONT_STRIKEOUT              1040
#define IDC_FONT_UNDERLINE              1041
#define IDC_FONT_SAMPLE                 1092
#define IDC_FONT_COLOR                  1027
#define IDC_FONT_APPLY                  1106
