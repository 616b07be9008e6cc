// pubsize_resource.h - ids of the change-of-size dialog (305).

#pragma once

#define IDD_PUBSIZE                     305
#define IDC_PUBSIZE_APPLY_NEW           1119
#define IDC_PUBSIZE_UNIT                1124
#define IDC_PUBSIZE_INTERCHANGE         1125
#define IDC_PUBSIZE_WIDTH               1126
#define IDC_PUBSIZE_HEIGHT              1127
#define IDS_PUBSIZE_RANGE               6550
