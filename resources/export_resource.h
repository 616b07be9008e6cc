// export_resource.h - ids of the picture resolution dialog (296) and the PDF options
// dialog (316).

#ifndef STICKWELL_EXPORT_RESOURCE_H
#define STICKWELL_EXPORT_RESOURCE_H

#define IDD_RESOLUTION              296
#define IDC_RESOLUTION_DPI          1115

#define IDD_PDFOPTIONS              316
#define IDC_PDF_BROWSE              1142
#define IDC_PDF_FILENAME            1144
#define IDC_PDF_ALLPAGES            1162
#define IDC_PDF_CURRENTPAGE         1163
#define IDC_PDF_QUALITY             1164

#endif
