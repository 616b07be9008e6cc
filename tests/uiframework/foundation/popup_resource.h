// popup_resource.h - resources of the popup-menu tests.

#pragma once

// Menus
#define IDR_POPUP_TEST_MENU         7201    // context menu with a two-level sub-menu
#define IDR_POPUP_TEST_RECENT       7202    // File menu with the recent-file placeholder

// Commands (strings of the same id: "status tip\ntip")
#define ID_POPUP_ALPHA              47101
#define ID_POPUP_BETA               47102
#define ID_POPUP_GAMMA              47103
#define ID_POPUP_DELTA              47104
#define ID_POPUP_EPSILON            47105
#define ID_POPUP_NOTEXT             47106   // empty menu text: the command manager's text
#define ID_POPUP_OPEN               47107
#define ID_POPUP_EXIT               47108
#define ID_POPUP_LONG_FIRST         47200   // 47200..47259: generated items
