// Resource ids of the demonstration program of the document and view tests.
#pragma once

#define IDR_MAINFRAME           128
#define IDR_DEMODOC             129

#define ID_DEMO_ADDBOX          32801
#define ID_DEMO_TEMPLATECMD     32802
#define ID_DEMO_PAGES           32803
