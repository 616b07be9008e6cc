// cmd_resource.h - resources of the command-manager and resource-manager tests.

#pragma once

// Menus, toolbars and accelerators
#define IDR_CMD_TEST_MENU           7101
#define IDR_CMD_TEST_MENU_DE        7102    // German only
#define IDR_CMD_TEST_TOOLBAR        7103
#define IDR_CMD_TEST_BAD_TOOLBAR    7104    // item count larger than its data
#define IDR_CMD_TEST_ACCEL          7105    // three entries
#define IDR_CMD_TEST_WORD_TOOLBAR   7106    // TOOLBAR data in the WORD layout

// Commands (with string resources of the same id)
#define ID_CMD_TEST_OPEN            47001   // "prompt\ntip"
#define ID_CMD_TEST_SAVE            47002   // "prompt\ntip"
#define ID_CMD_TEST_PRINT           47003   // "word\n"
#define ID_CMD_TEST_BLANK           47004   // blanks only
#define ID_CMD_TEST_PROMPT          47005   // no newline
#define ID_CMD_TEST_CUT             47006   // no string
#define ID_CMD_TEST_RECENT_ITEM     47007   // in a sub-menu

// Strings of the language-aware loader
#define IDS_CMD_TEST_129            129
#define IDS_CMD_TEST_130            130     // block 9, entry 2
#define IDS_CMD_TEST_BOTH           7002    // English and German
#define IDS_CMD_TEST_GERMAN_ONLY    7003    // German only, in a block that English has too
#define IDS_CMD_TEST_DE_BLOCK       7040    // in a block only German has
