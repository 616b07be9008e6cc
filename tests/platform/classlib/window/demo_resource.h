// Resource ids of the demonstration MDI program of the window tests.
#pragma once

#define IDR_MAINFRAME           128
#define IDR_DEMOTYPE            129
#define IDR_OTHERTYPE           130
#define IDB_DEMO                131
#define IDC_DEMO                132

#define ID_DEMO_VIEWCMD         32771
#define ID_DEMO_DOCCMD          32772
#define ID_DEMO_CHILDCMD        32773
#define ID_DEMO_MAINCMD         32774
#define ID_DEMO_APPCMD          32775
#define ID_DEMO_SHARED          32776
#define ID_DEMO_DISABLED        32777
#define ID_DEMO_CHECKED         32778
#define ID_DEMO_NOHANDLER       32779
#define ID_DEMO_RADIO           32780
#define ID_DEMO_TEXT            32781
#define ID_DEMO_OTHERCMD        32782
#define ID_DEMO_THROW           32783
