// OptionsKeys.h - registry key and value names of the application's options, and the
// ranges of their values. COptionsStore (OptionsStore.h) reads and writes them.

#pragma once

// Under HKEY_CURRENT_USER, while the application names no registry key of its own.
#define OPTIONS_KEY "Software\\Quorvane\\Stickwell\\Options"
// The key below the application's registry key.
#define OPTIONS_SECTION "Options"

// Every value is a REG_DWORD.
#define OPTION_SHOW_TIP "ShowTip"               // 1 shows the tip of the day
#define OPTION_SHADOW_COLOR "ShadowColor"       // COLORREF
#define OPTION_SHADOW_LENGTH "ShadowLength"     // hundredths of an inch
#define OPTION_DISPLAY_GRID "DisplayGrid"       // 0 or 1
#define OPTION_GRID_COLOR "GridColor"           // COLORREF
#define OPTION_GRID_TYPE "GridType"             // 0 dotted, 1 solid
#define OPTION_GRID_SIZE "GridSize"             // document units
// The main window's size and position, pixels.
#define OPTION_WINDOW_WIDTH "cs_cx"
#define OPTION_WINDOW_HEIGHT "cs_cy"
#define OPTION_WINDOW_X "cs_x"
#define OPTION_WINDOW_Y "cs_y"

// Largest shadow length taken from the options; larger stored values are ignored.
const int MAX_OPTION_SHADOW_LENGTH = 1000;
// Smallest and largest grid spacing accepted, document units.
const int MIN_GRID_SIZE = 2;
const int MAX_GRID_SIZE = 1000;
