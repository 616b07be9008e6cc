// bmpdialog_resource.h - ids of the preview panel of the picture Open dialog (5000).

#pragma once

#define IDD_BMPDIALOG                   5000
#define IDC_BMP_PREVIEW                 5001
#define IDC_BMP_WIDTH                   5002
#define IDC_BMP_HEIGHT                  5003
#define IDC_BMP_INFO                    5005
#define IDC_BMP_SHOWPREVIEW             5006
