// Resource ids of the bar tests.
#pragma once

#define IDR_TESTBAR             200     // TOOLBAR and BITMAP
#define IDR_BADBAR              201     // a TOOLBAR whose count runs past its data
#define IDR_WORDBAR             202     // a TOOLBAR in the WORD layout

#define ID_TEST_ALPHA           32801   // handled by the frame
#define ID_TEST_BETA            32802   // update handler disables it
#define ID_TEST_GAMMA           32803   // update handler checks it
#define ID_TEST_DELTA           32804   // no handler at all

#define ID_INDICATOR_ZOOM       32820   // pane whose text an update handler sets
#define ID_INDICATOR_LOCK       32821   // pane an update handler disables
