// OptionsKeys.h - registry key and value names of the application's options.

#pragma once

// Under HKEY_CURRENT_USER.
#define OPTIONS_KEY "Software\\Quorvane\\Stickwell\\Options"

#define OPTION_SHOW_TIP "ShowTip"               // REG_DWORD, 1 shows the tip of the day
#define OPTION_SHADOW_COLOR "ShadowColor"       // REG_DWORD, COLORREF
#define OPTION_SHADOW_LENGTH "ShadowLength"     // REG_DWORD, hundredths of an inch

// Largest shadow length taken from the options; larger stored values are ignored.
const int MAX_OPTION_SHADOW_LENGTH = 1000;
