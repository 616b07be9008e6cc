// PdfExport.h - PDF export through the PDF library loaded at run time.
//
// Declares: the library binding (g_hPdfLib, the entry-point table and pointers,
// LoadPdfLibrary, GetPdfProc, SetPdfLibraryPath), GetPublicationSides,
// MakeTempPicturePattern, ExportPdfPages and ExportPdf.
//
// Notes
// - One page per side: each side is drawn at quality x 100 dots per inch on its page
//   colour, written as a BMP picture and placed stretched over a page of the design's
//   size (tenths of a millimetre).
// - The library stays loaded once all 25 entry points were found; a failed load leaves
//   it unloaded so that the next export tries again.
// - The PDF file is written by the library through a temporary file; after any failure
//   the document is discarded, and a file the failed run left at the target is removed
//   when no file was there before.
// - The temporary pictures live in the user's temporary folder and are deleted on every
//   path.

#pragma once

#include "afxwin.h"
#include "platform/pdfgen/PDFGen.h"

class CVarnelDoc;
class CExportProgress;

const int PDF_ENTRY_COUNT = 25;
const int PDF_ENTRY_NAME_SIZE = 260;

// Names of the entry points, in binding order.
extern const char g_aPdfEntryNames[PDF_ENTRY_COUNT][PDF_ENTRY_NAME_SIZE];
// The library; NULL until loaded.
extern HMODULE g_hPdfLib;

// Entry points (NULL while the library is not loaded).
extern PFN_BeginDoc g_pfnBeginDoc;
extern PFN_SetStrProp g_pfnSetStrProp;
extern PFN_GetStrProp g_pfnGetStrProp;
extern PFN_CreatePdf g_pfnCreatePdf;
extern PFN_TextOut g_pfnTextOut;
extern PFN_EndDoc g_pfnEndDoc;
extern PFN_FreePdf g_pfnFreePdf;
extern PFN_DrawFromFile g_pfnDrawFromFile;
extern PFN_NewPage g_pfnNewPage;
extern PFN_MoveTo g_pfnMoveTo;
extern PFN_LineTo g_pfnLineTo;
extern PFN_GetNumProp g_pfnGetNumProp;
extern PFN_SetNumProp g_pfnSetNumProp;
extern PFN_DrawText g_pfnDrawText;
extern PFN_TextWidth g_pfnTextWidth;
extern PFN_TextHeight g_pfnTextHeight;
extern PFN_Abort g_pfnAbort;
extern PFN_AddPoint g_pfnAddPoint;
extern PFN_Polygon g_pfnPolygon;
extern PFN_Rectangle g_pfnRectangle;
extern PFN_Ellipse g_pfnEllipse;
extern PFN_Polyline g_pfnPolyline;
extern PFN_StretchDrawFromFile g_pfnStretchDrawFromFile;
extern PFN_NewSection g_pfnNewSection;
extern PFN_GetErrorMsg g_pfnGetErrorMsg;

// Loads the library once and binds all entry points; shows a message on failure.
// TRUE when the library is loaded.
BOOL LoadPdfLibrary();
// Address of an entry point of the table (name compared without regard to case), or
// NULL with a message when the name is not in the table.
FARPROC GetPdfProc(LPCSTR lpszName, HMODULE hLib);
// Unloads the library and loads lpszPath instead next time ("PDFGen.dll" for NULL).
void SetPdfLibraryPath(LPCSTR lpszPath);

// Sides of a publication type: 1 for labels and envelopes, 2 for the others.
int GetPublicationSides(int nPublicationType);

// A new pattern "<temp folder>\stw<unique>~pdf.bmp" for the pictures of one export.
CString MakeTempPicturePattern();

// The page size in tenths of a millimetre of a picture of nPixels at fQuality.
int PdfPageSize(int nPixels, float fQuality);

// Draws the sides (all for nSide -1, else that one) into pictures named after
// strPattern and writes them as the PDF strPdfPath. Shows its own messages; TRUE when
// the PDF was written.
BOOL ExportPdfPages(CVarnelDoc& doc, const CString& strPdfPath, const CString& strPattern,
                    float fQuality, int nSide, CExportProgress* pProgress);

// Writes the PDF from the pictures strBase + n + ".bmp" of nPixelWidth x nPixelHeight.
// Shows its own messages; TRUE when the PDF was written.
BOOL ExportPdf(int nPixelWidth, int nPixelHeight, float fQuality, const CString& strPdfPath,
               const CString& strBase, int nSides, int nSide, CExportProgress* pProgress);
