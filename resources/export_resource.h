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

// Messages of the picture and PDF export (export.rc)
#define IDS_FAILED_TO_SAVE          136
#define IDS_EXPORT_FILE_EXISTS      6300    // %1 the file
#define IDS_PICTURE_NO_MEMORY       6301    // %1 x %2 pixels
#define IDS_LIMIT_JPEG              6302    // %1 pixels a side
#define IDS_LIMIT_GIF               6303    // %1 pixels a side
#define IDS_LIMIT_PNG               6304    // %1 pixels a side
#define IDS_LIMIT_PDF_PAGE          6305    // %1 pixels a side, %2 pixels in all
#define IDS_LIMIT_BMP               6306
#define IDS_LIMIT_DESIGN            6307    // %1 the limit, %2 the resolution, %3 x %4 pixels
#define IDS_LIMIT_AT_QUALITY        6308    // %1 the quality
#define IDS_LIMIT_AT_DPI            6309    // %1 the dots per inch
#define IDS_FITS_QUALITY            6310    // %1 the quality
#define IDS_FITS_DPI                6311    // %1 the dots per inch
#define IDS_FITS_NO_QUALITY         6312
#define IDS_FITS_NO_RESOLUTION      6313
#define IDS_PDF_NO_FUNCTION_FOUND   6314
#define IDS_PDF_CANNOT_LOAD         6315
#define IDS_PDF_NO_FUNCTION         6316
#define IDS_PDF_LOAD_UNEXPECTED     6317
#define IDS_PDF_CANNOT_CREATE       6318
#define IDS_PDF_CREATED             6319    // %1 the file
#define IDS_PDF_WRITE_CAUSE         6320    // %1 the file, %2 the cause
#define IDS_PDF_WRITE_PAGES         6321
#define IDS_PDF_WRITE_FILE          6322    // %1 the file
#define IDS_PDF_ENTER_FILE          6323
#define IDS_PDF_TAKES_TIME          6324

#endif
