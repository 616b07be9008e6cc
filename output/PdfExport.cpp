// PdfExport.cpp - the PDF library binding and the PDF export of a publication.

#include "PdfExport.h"
#include "ExportFailure.h"
#include "ExportProgress.h"
#include "PictureExport.h"
#include "data/UnexpectedError.h"
#include "model/VarnelDoc.h"
#include "resources/export_resource.h"

#include <memory>

using namespace Gdiplus;

const char g_aPdfEntryNames[PDF_ENTRY_COUNT][PDF_ENTRY_NAME_SIZE] = {
    "BeginDoc", "SetStrProp", "GetStrProp", "CreatePdf", "TextOut", "EndDoc", "FreePdf",
    "DrawFromFile", "NewPage", "MoveTo", "LineTo", "GetNumProp", "SetNumProp", "DrawText",
    "TextWidth", "TextHeight", "Abort", "AddPoint", "Polygon", "Rectangle", "Ellipse",
    "Polyline", "StretchDrawFromFile", "NewSection", "GetErrorMsg",
};

HMODULE g_hPdfLib = NULL;

PFN_BeginDoc g_pfnBeginDoc = NULL;
PFN_SetStrProp g_pfnSetStrProp = NULL;
PFN_GetStrProp g_pfnGetStrProp = NULL;
PFN_CreatePdf g_pfnCreatePdf = NULL;
PFN_TextOut g_pfnTextOut = NULL;
PFN_EndDoc g_pfnEndDoc = NULL;
PFN_FreePdf g_pfnFreePdf = NULL;
PFN_DrawFromFile g_pfnDrawFromFile = NULL;
PFN_NewPage g_pfnNewPage = NULL;
PFN_MoveTo g_pfnMoveTo = NULL;
PFN_LineTo g_pfnLineTo = NULL;
PFN_GetNumProp g_pfnGetNumProp = NULL;
PFN_SetNumProp g_pfnSetNumProp = NULL;
PFN_DrawText g_pfnDrawText = NULL;
PFN_TextWidth g_pfnTextWidth = NULL;
PFN_TextHeight g_pfnTextHeight = NULL;
PFN_Abort g_pfnAbort = NULL;
PFN_AddPoint g_pfnAddPoint = NULL;
PFN_Polygon g_pfnPolygon = NULL;
PFN_Rectangle g_pfnRectangle = NULL;
PFN_Ellipse g_pfnEllipse = NULL;
PFN_Polyline g_pfnPolyline = NULL;
PFN_StretchDrawFromFile g_pfnStretchDrawFromFile = NULL;
PFN_NewSection g_pfnNewSection = NULL;
PFN_GetErrorMsg g_pfnGetErrorMsg = NULL;

namespace
{
// Text of string property 19: the producer of the file.
const char kProducer[] = "Stickwell";
// 2.54 in single precision, widened: sizes are truncated just below whole products.
const double kCentimetresPerInch = (double)2.54f;

CString g_strPdfLibraryPath = "PDFGen.dll";

// The bound pointers in table order.
FARPROC* const g_apEntryPoints[PDF_ENTRY_COUNT] = {
    (FARPROC*)&g_pfnBeginDoc, (FARPROC*)&g_pfnSetStrProp, (FARPROC*)&g_pfnGetStrProp,
    (FARPROC*)&g_pfnCreatePdf, (FARPROC*)&g_pfnTextOut, (FARPROC*)&g_pfnEndDoc,
    (FARPROC*)&g_pfnFreePdf, (FARPROC*)&g_pfnDrawFromFile, (FARPROC*)&g_pfnNewPage,
    (FARPROC*)&g_pfnMoveTo, (FARPROC*)&g_pfnLineTo, (FARPROC*)&g_pfnGetNumProp,
    (FARPROC*)&g_pfnSetNumProp, (FARPROC*)&g_pfnDrawText, (FARPROC*)&g_pfnTextWidth,
    (FARPROC*)&g_pfnTextHeight, (FARPROC*)&g_pfnAbort, (FARPROC*)&g_pfnAddPoint,
    (FARPROC*)&g_pfnPolygon, (FARPROC*)&g_pfnRectangle, (FARPROC*)&g_pfnEllipse,
    (FARPROC*)&g_pfnPolyline, (FARPROC*)&g_pfnStretchDrawFromFile, (FARPROC*)&g_pfnNewSection,
    (FARPROC*)&g_pfnGetErrorMsg,
};

void UnbindEntryPoints()
{
    for (FARPROC* pEntry : g_apEntryPoints)
        *pEntry = NULL;
}

BOOL FileExists(const CString& strPath)
{
    return ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
}

// The picture of side n of an export.
CString PagePictureName(const CString& strBase, int nSide)
{
    CString strName;
    strName.Format("%s%d.bmp", (LPCTSTR)strBase, nSide);
    return strName;
}

// Deletes the pictures of sides 1..nSides on every path out of an export.
class CTempPictures
{
public:
    CTempPictures(const CString& strBase, int nSides) : m_strBase(strBase), m_nSides(nSides) {}
    ~CTempPictures()
    {
        for (int i = 1; i <= m_nSides; i++)
        {
            const CString strName = PagePictureName(m_strBase, i);
            if (FileExists(strName))
                ::DeleteFileA(strName);
        }
    }
    CTempPictures(const CTempPictures&) = delete;
    CTempPictures& operator=(const CTempPictures&) = delete;

private:
    CString m_strBase;
    int m_nSides;
};
} // namespace

FARPROC GetPdfProc(LPCSTR lpszName, HMODULE hLib)
{
    for (int i = 0; i < PDF_ENTRY_COUNT; i++)
    {
        if (lstrcmpiA(g_aPdfEntryNames[i], lpszName) == 0)
            return ::GetProcAddress(hLib, g_aPdfEntryNames[i]);
    }
    AfxMessageBox(IDS_PDF_NO_FUNCTION_FOUND);
    return NULL;
}

// Loads the PDF library once and binds every entry point; a library that lacks one is refused whole.
BOOL LoadPdfLibrary()
{
    if (g_hPdfLib != NULL)
        return TRUE;
    HMODULE hLib = ::LoadLibraryA(g_strPdfLibraryPath);
    if (hLib == NULL)
    {
        AfxMessageBox(IDS_PDF_CANNOT_LOAD);
        return FALSE;
    }
    for (int i = 0; i < PDF_ENTRY_COUNT; i++)
    {
        if (::GetProcAddress(hLib, g_aPdfEntryNames[i]) == NULL)
        {
            AfxMessageBox(IDS_PDF_NO_FUNCTION);
            ::FreeLibrary(hLib);
            return FALSE;
        }
    }
    for (int i = 0; i < PDF_ENTRY_COUNT; i++)
        *g_apEntryPoints[i] = GetPdfProc(g_aPdfEntryNames[i], hLib);
    g_hPdfLib = hLib;
    return TRUE;
}

void SetPdfLibraryPath(LPCSTR lpszPath)
{
    if (g_hPdfLib != NULL)
    {
        UnbindEntryPoints();
        ::FreeLibrary(g_hPdfLib);
        g_hPdfLib = NULL;
    }
    g_strPdfLibraryPath = lpszPath != NULL ? lpszPath : "PDFGen.dll";
}

int GetPublicationSides(int nPublicationType)
{
    return (nPublicationType == 0 || nPublicationType == 2) ? 1 : 2;
}

// A unique name in the temporary folder for the page pictures; empty when the folder cannot be used.
CString MakeTempPicturePattern()
{
    char szFolder[MAX_PATH];
    const DWORD nLength = ::GetTempPathA(MAX_PATH, szFolder);
    if (nLength == 0 || nLength >= MAX_PATH)
        return CString();
    char szReserved[MAX_PATH];
    if (::GetTempFileNameA(szFolder, "stw", 0, szReserved) == 0)
        return CString();
    // the reserved name keeps the pattern unique; the pictures are named after it
    ::DeleteFileA(szReserved);
    CString strPattern = szReserved;
    const int nDot = strPattern.ReverseFind('.');
    if (nDot > 0)
        strPattern = strPattern.Left(nDot);
    return strPattern + "~pdf.bmp";
}

int PdfPageSize(int nPixels, float fQuality)
{
    return (int)((1.0 / (double)fQuality) * nPixels * kCentimetresPerInch);
}

// Refuses a design whose page pictures the PDF library cannot read.
static void ShowPdfPageLimit(const CVarnelDoc& doc, int nQuality)
{
    AfxMessageBox(GetFormatLimitMessage(doc, PICTURE_PDF_PAGE, nQuality), MB_ICONERROR);
}

// Draws one side or all (nSide -1) into temporary page pictures and makes the PDF of them; the pictures
// go when it returns.
BOOL ExportPdfPages(CVarnelDoc& doc, const CString& strPdfPath, const CString& strPattern,
                    float fQuality, int nSide, CExportProgress* pProgress)
{
    const int nSides = GetPublicationSides(doc.m_nPublicationType);
    if (strPattern.GetLength() < 4)
        return FALSE;
    const CString strBase = strPattern.Left(strPattern.GetLength() - 4);
    CTempPictures pictures(strBase, nSides);
    try
    {
        CWaitCursor wait;
        const CSize sizePixels = GetRenderSize(doc, fQuality);
        const int nFirst = nSide == -1 ? 1 : nSide;
        const int nLast = nSide == -1 ? nSides : nSide;
        if (nFirst < 1 || nLast > nSides || nFirst > nLast)
            return FALSE;
        if (pProgress != NULL)
            pProgress->Begin((nLast - nFirst + 1) * 3, "Processing");

        // the page pictures are drawn in bands; the library reads them row by row
        const int nScale = (int)fQuality;
        if (!DoesPictureFormatHold(PICTURE_PDF_PAGE, (LONGLONG)doc.m_nDesignWidth * nScale,
                                   (LONGLONG)doc.m_nDesignHeight * nScale))
        {
            ShowPdfPageLimit(doc, nScale);
            return FALSE;
        }
        for (int n = nFirst; n <= nLast; n++)
        {
            if (pProgress != NULL)
                pProgress->Step();
            if (!SaveSidePicture(doc, n, nScale, GetSidePageColor(doc, n), strPattern, n, FALSE, pProgress))
                return FALSE;
        }
        return ExportPdf(sizePixels.cx, sizePixels.cy, fQuality, strPdfPath, strBase, nSides, nSide, pProgress);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    ShowUnexpectedError();
    return FALSE;
}

// Makes the PDF of the page pictures, one page a side, and tells the user the outcome; a failed file that
// did not exist before is deleted.
BOOL ExportPdf(int nPixelWidth, int nPixelHeight, float fQuality, const CString& strPdfPath,
               const CString& strBase, int nSides, int nSide, CExportProgress* pProgress)
{
    CWaitCursor wait;
    if (!LoadPdfLibrary())
    {
        AfxMessageBox(IDS_PDF_LOAD_UNEXPECTED, MB_ICONERROR);
        return FALSE;
    }
    const BOOL bTargetExisted = FileExists(strPdfPath);
    const PDFHANDLE h = g_pfnCreatePdf(0, 0);
    if (h == 0)
    {
        AfxMessageBox(IDS_PDF_CANNOT_CREATE);
        return FALSE;
    }

    BOOL bOk = FALSE;
    try
    {
        const int nWidth = PdfPageSize(nPixelWidth, fQuality);
        const int nHeight = PdfPageSize(nPixelHeight, fQuality);
        g_pfnSetStrProp(h, PDF_STR_PRODUCER, kProducer);
        g_pfnSetNumProp(h, PDF_NUM_PAGEWIDTH, nWidth);
        g_pfnSetNumProp(h, PDF_NUM_PAGEHEIGHT, nHeight);
        g_pfnSetNumProp(h, PDF_NUM_COMPRESS, 1);
        g_pfnSetStrProp(h, PDF_STR_FILENAME, strPdfPath);
        BOOL bPagesOk = g_pfnBeginDoc(h) == PDF_OK;

        if (nSide == -1)
        {
            for (int i = 1; i <= nSides && bPagesOk; i++)
            {
                if (i > 1)
                    bPagesOk = g_pfnNewPage(h) == PDF_OK;
                if (bPagesOk)
                    bPagesOk = g_pfnStretchDrawFromFile(h, 0, 0, nWidth, nHeight,
                                                        PagePictureName(strBase, i)) == PDF_OK;
                if (pProgress != NULL)
                    pProgress->Step(2);
            }
            if (!bPagesOk)
            {
                CString strWithoutCause;
                strWithoutCause.LoadString(IDS_PDF_WRITE_PAGES);
                AfxMessageBox(GetPdfWriteFailureMessage(strPdfPath, nPixelWidth, nPixelHeight, nSides, strWithoutCause),
                              MB_ICONERROR);
            }
        }
        else
        {
            if (bPagesOk)
                bPagesOk = g_pfnStretchDrawFromFile(h, 0, 0, nWidth, nHeight,
                                                    PagePictureName(strBase, nSide)) == PDF_OK;
            if (pProgress != NULL)
                pProgress->Step(2);
        }

        // the file is complete only when the library closed it without error
        if (bPagesOk)
            bOk = g_pfnEndDoc(h) == PDF_OK;
        else
            g_pfnAbort(h);
        if (!bOk && (nSide != -1 || bPagesOk))
        {
            CString strWithoutCause;
            AfxFormatString1(strWithoutCause, IDS_PDF_WRITE_FILE, strPdfPath);
            AfxMessageBox(GetPdfWriteFailureMessage(strPdfPath, nPixelWidth, nPixelHeight, nSide == -1 ? nSides : 1,
                                                    strWithoutCause),
                          MB_ICONERROR);
        }
    }
    catch (CException* e)
    {
        e->Delete();
        ShowUnexpectedError();
        bOk = FALSE;
        g_pfnAbort(h);
    }
    catch (...)
    {
        ShowUnexpectedError();
        bOk = FALSE;
        g_pfnAbort(h);
    }

    if (pProgress != NULL)
    {
        if (bOk)
            pProgress->Complete();
        pProgress->End();
    }
    g_pfnFreePdf(h);
    if (!bOk && !bTargetExisted && FileExists(strPdfPath))
        ::DeleteFileA(strPdfPath);
    if (bOk)
    {
        CString strText;
        AfxFormatString1(strText, IDS_PDF_CREATED, strPdfPath);
        AfxMessageBox(strText);
    }
    return bOk;
}
