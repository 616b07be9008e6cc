// VarnelViewExport.cpp - the design view's Save As Image and Export As PDF commands.

#include "VarnelView.h"
#include "VarnelApp.h"
#include "data/UnexpectedError.h"
#include "model/VarnelDoc.h"
#include "output/ExportDialogs.h"
#include "output/ExportProgress.h"
#include "output/PdfExport.h"
#include "output/PictureExport.h"
#include "afxdlgs.h"

#include <memory>

using Gdiplus::Bitmap;

namespace
{
// The list ends at the first double bar: four types are offered.
const char kImageFilter[] =
    "Bitmap image(*.bmp)|*.bmp|JPEG image(*.jpg)|*.jpg|GIF image(*.gif)|*.gif|PNG image(*.png)|*.png||"
    "Tiff image(*.tif)|*.tif||";
const int kDefaultDpi = 300;

// Refuses a picture its format cannot hold, naming the largest resolution that fits.
void ShowPictureFormatLimit(const CVarnelDoc& doc, int nFormat, int nScale)
{
    AfxMessageBox(GetFormatLimitMessage(doc, nFormat, nScale), MB_ICONERROR);
}
}

BOOL CVarnelView::SaveBitmapFile(const CString& strPath, Bitmap* pBitmap, int nIndex, BOOL bAskOverwrite)
{
    return ::SaveBitmapFile(strPath, pBitmap, nIndex, bAskOverwrite);
}

// Saves the shown side as a picture at the resolution chosen in the resolution dialog.
void CVarnelView::OnFileSaveAsImage()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL || CExportProgress::IsExporting(pDoc))
        return;
    CVarnelApp* pApp = GetVarnelApp();
    try
    {
        const CString strInitialDir = pApp != NULL ? GetDialogStartFolder(pApp->m_strMyDocumentsFolder) : CString();
        CFileDialog dlg(FALSE, NULL, NULL, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING,
                        kImageFilter, this);
        dlg.m_ofn.nFilterIndex = 1;
        if (!strInitialDir.IsEmpty())
            dlg.m_ofn.lpstrInitialDir = strInitialDir;
        if (dlg.DoModal() != IDOK)
            return;

        const CString strChosen = dlg.GetPathName();
        const CString strPath = AppendPictureExtension(strChosen, (int)dlg.m_ofn.nFilterIndex);
        if (pApp != NULL)
            pApp->m_strMyDocumentsFolder = GetFolderOfFile(strPath);

        // Esc in the resolution dialog ends the command: no picture is written
        CResolutionDlg dlgResolution(this);
        dlgResolution.m_nDpi = pApp != NULL ? pApp->m_nImageDpi : kDefaultDpi;
        if (dlgResolution.DoModal() != IDOK)
            return;
        if (pApp != NULL)
            pApp->m_nImageDpi = dlgResolution.m_nDpi;
        const int nDpi = pApp != NULL ? pApp->m_nImageDpi : dlgResolution.m_nDpi;
        const int nScale = nDpi / 100;

        if (pDoc->m_nDesignWidth <= 0 || pDoc->m_nDesignHeight <= 0 || nScale <= 0)
        {
            ShowUnexpectedError();
            return;
        }
        // the picture is drawn in bands: only what the format cannot hold is refused
        const int nFormat = PictureFormatOfPath(strPath);
        if (!DoesPictureFormatHold(nFormat, (LONGLONG)pDoc->m_nDesignWidth * nScale,
                                   (LONGLONG)pDoc->m_nDesignHeight * nScale))
        {
            ShowPictureFormatLimit(*pDoc, nFormat, nScale);
            return;
        }
        CWaitCursor wait;
        CExportProgress progress(pDoc);
        progress.Begin(1, "Saving");
        // the file dialog confirmed the name it showed; a name the extension was
        // appended to is confirmed here
        SaveSidePicture(*pDoc, pDoc->m_nSide, nScale, GetSidePageColor(*pDoc, pDoc->m_nSide), strPath, -1,
                        strPath != strChosen, &progress);
    }
    catch (CException* e)
    {
        e->Delete();
        ShowUnexpectedError();
    }
    catch (...)
    {
        ShowUnexpectedError();
    }
}

void CVarnelView::OnExportPdf()
{
    OnFileExportPdf(CString());
}

// Runs the PDF options and writes the chosen sides as a PDF. While the export runs the
// document cannot be closed or changed.
void CVarnelView::OnFileExportPdf(CString strProposedName)
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL || CExportProgress::IsExporting(pDoc))
        return;
    CVarnelApp* pApp = GetVarnelApp();
    try
    {
        CPDFOptionsDlg dlg(this);
        dlg.m_strPath = strProposedName;
        dlg.m_nPages = GetPublicationSides(pDoc->m_nPublicationType);
        if (pApp != NULL)
            dlg.m_strFolder = pApp->m_strMyDocumentsFolder;
        const INT_PTR nResult = dlg.DoModal();
        if (pApp != NULL)
            pApp->m_strMyDocumentsFolder = dlg.m_strFolder;
        if (nResult != IDOK)
            return;

        if (m_hWnd != NULL)
        {
            Invalidate(FALSE);
            UpdateWindow();
        }
        const int nSide = dlg.m_bAllPages ? -1 : pDoc->m_nSide;
        const CString strPattern = MakeTempPicturePattern();
        if (strPattern.IsEmpty())
        {
            ShowUnexpectedError();
            return;
        }
        ExportPdfPages(dlg.m_strPath, strPattern, dlg.m_fQuality, nSide);
        SetStatusText(0, "Ready");
    }
    catch (CException* e)
    {
        e->Delete();
        ShowUnexpectedError();
    }
    catch (...)
    {
        ShowUnexpectedError();
    }
}

BOOL CVarnelView::ExportPdfPages(const CString& strPdfPath, const CString& strPattern, float fQuality, int nSide)
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL || CExportProgress::IsExporting(pDoc))
        return FALSE;
    CExportProgress progress(pDoc);
    CWaitCursor wait;
    return ::ExportPdfPages(*pDoc, strPdfPath, strPattern, fQuality, nSide, &progress);
}
