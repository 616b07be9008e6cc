// Ids of the resources of the toolbar, menu bar and status bar tests.
#pragma once

#define IDR_TOOLS_MAIN          41000
#define IDR_TOOLS_DOCTYPE_A     41001
#define IDR_TOOLS_DOCTYPE_B     41002

#define ID_TOOLS_CMD_FIRST      41100
#define ID_TOOLS_NEW            41100
#define ID_TOOLS_OPEN           41101
#define ID_TOOLS_SAVE           41102
#define ID_TOOLS_CUT            41103
#define ID_TOOLS_COPY           41104
#define ID_TOOLS_PASTE          41105
#define ID_TOOLS_BOLD           41106
#define ID_TOOLS_ITALIC         41107
#define ID_TOOLS_ZOOM           41108
#define ID_TOOLS_GRID           41109
#define ID_TOOLS_ALIGN          41110
#define ID_TOOLS_EDITA          41111
#define ID_TOOLS_EDITB          41112

#define ID_PANE_POSITION        41200
#define ID_PANE_SIZE            41201
#define ID_PANE_ZOOM            41202
#define ID_PANE_MISSING         41203

#define IDR_TOOLS_TOOLBAR       41300
#define IDR_TOOLS_TOOLBAR2      41301
