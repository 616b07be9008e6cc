// VarnelViewPrint.cpp - the design view's Print and Print Preview commands, the print
// options hand-over, the print loop overrides and the rendering of one label sheet.

#include "VarnelView.h"
#include "data/ColumnBinding.h"
#include "data/UnexpectedError.h"
#include "resources/resource.h"
#include "model/Elements.h"
#include "model/TextDraw.h"
#include "model/VarnelDoc.h"
#include "output/PrintDlg.h"
#include "output/SheetLayout.h"
#include "output/SizeCatalogue.h"
#include "afxdlgs.h"

#include <objidl.h>
#include <gdiplus.h>

#include <math.h>
#include <stdlib.h>

#include <vector>

using namespace Gdiplus;

namespace
{

// Length of the marks on each side of a cell edge, document units.
const int kMarkLength = 10;
// Unprintable margins assumed when the device does not tell them, inches.
const float kAssumedLongMargin = 0.25f;
const float kAssumedShortMargin = 0.03f;
// Screen pixels per document unit of the preview when the printer gives no resolution.
const float kDefaultPreviewFactor = 3.0f;

// An inch value whose hundredths, formed as the elements form them (100 x value,
// truncated toward zero), are nHundredths.
float InchesOfHundredths(int nHundredths)
{
    const float fNudge = nHundredths < 0 ? -0.0001f : 0.0001f;
    return nHundredths / 100.0f + fNudge;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Commands

BOOL CVarnelView::ScanDesignForPrint()
{
    // the design: back side, database texts and texts without a column
    m_bTwoSided = 0;
    m_bHasDbText = 0;
    BOOL bUnbound = FALSE;
    CVarnelDoc* pDoc = GetDocument();
    for (POSITION pos = pDoc != NULL ? pDoc->m_listElements.GetHeadPosition() : NULL; pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        if (pElement->m_nSide == 2)
            m_bTwoSided = 1;
        if (IsDbText(pElement))
        {
            m_bHasDbText = 1;
            if (!IsValidColumnBinding(pElement->m_strColumn))
                bUnbound = TRUE;
        }
    }
    return bUnbound;
}

// Runs the framework's print or preview command; a failure inside is shown once and the view lives on.
void CVarnelView::RunPrintCommand(void (CView::*pfnCommand)())
{
    try
    {
        (this->*pfnCommand)();
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

// Checks the design's data before the print options: unbound texts or a missing source stop, no records or
// two sides ask first; the selection is cleared before printing.
void CVarnelView::OnFilePrint()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;

    if (ScanDesignForPrint())
    {
        AfxMessageBox(IDS_DATA_COLUMN_NOT_SET, MB_OK);
        return;
    }
    if (m_bHasDbText && pDoc->m_nDataRows == -1)
    {
        AfxMessageBox(IDS_DATA_SOURCE_NOT_FOUND, MB_OK);
        return;
    }
    if (m_bHasDbText && pDoc->m_nDataRows <= 1)
    {
        // a merge without records prints the texts of the design in every cell
        CString strText;
        strText.LoadString(IDS_PRINT_NO_RECORDS);
        if (!AskToPrintAnyway(strText))
            return;
    }
    if (m_bTwoSided && AfxMessageBox(IDS_TWO_SIDED_QUESTION, MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return;

    pDoc->m_listSelection.RemoveAll();
    pDoc->m_tracker.RemoveAll();
    if (m_hWnd != NULL)
        Invalidate(FALSE);

    if (!RunPrintDialog())
        return;
    RunPrintCommand(&CView::OnFilePrint);
}

// Previews with the print options chosen; only a missing data source stops it.
void CVarnelView::OnFilePrintPreview()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;

    ScanDesignForPrint();
    if (m_bHasDbText && pDoc->m_nDataRows == -1)
    {
        AfxMessageBox(IDS_DATA_SOURCE_NOT_FOUND, MB_OK);
        return;
    }
    if (!RunPrintDialog())
        return;
    RunPrintCommand(&CView::OnFilePrintPreview);
}

namespace
{

// The print options as the view and the document hold them.
void FillPrintOptions(CPrintDlg& dlg, const CVarnelView& view, const CVarnelDoc& doc)
{
    dlg.m_nSides = view.m_bTwoSided ? 2 : 1;
    dlg.m_nPagesToPrint = dlg.m_nSides;
    dlg.m_nPubType = doc.m_nPublicationType;
    dlg.m_nDesignWidth = doc.m_nDesignWidth;
    dlg.m_nDesignHeight = doc.m_nDesignHeight;
    dlg.m_nSheetWidth = doc.m_nSheetWidth;
    dlg.m_nSheetHeight = doc.m_nSheetHeight;
    dlg.m_nSheetIndex = view.m_nSheetIndex;
    dlg.m_nRowCount = view.m_bHasDbText ? doc.m_nDataRows : -1;
    dlg.m_nRows = view.m_nRows;
    dlg.m_nColumns = view.m_nColumns;
    dlg.m_nStartRow = view.m_nStartRow;
    dlg.m_nStartColumn = view.m_nStartColumn;
    dlg.m_fRowGap = view.m_fRowGap;
    dlg.m_fColumnGap = view.m_fColumnGap;
    dlg.m_fTopMargin = view.m_fTopMargin;
    dlg.m_fLeftMargin = view.m_fLeftMargin;
    dlg.m_bCropMarks = view.m_bCropMarks;
    dlg.m_bCornerMarks = view.m_bCornerMarks;
}

// The print options the dialog confirmed.
void TakePrintOptions(const CPrintDlg& dlg, CVarnelView& view, CVarnelDoc& doc)
{
    view.m_nPagesToPrint = dlg.m_nPagesToPrint;
    doc.m_nSheetWidth = dlg.m_nSheetWidth;
    doc.m_nSheetHeight = dlg.m_nSheetHeight;
    view.m_nSheetIndex = dlg.m_nSheetIndex;
    view.m_nRows = dlg.m_nRows + 1;
    view.m_nColumns = dlg.m_nColumns + 1;
    view.m_nStartRow = dlg.m_nStartRow;
    view.m_nStartColumn = dlg.m_nStartColumn;
    view.m_fRowGap = dlg.m_fRowGap;
    view.m_fColumnGap = dlg.m_fColumnGap;
    view.m_fTopMargin = dlg.m_fTopMargin;
    view.m_fLeftMargin = dlg.m_fLeftMargin;
    view.m_bCropMarks = dlg.m_bCropMarks;
    view.m_bCornerMarks = dlg.m_bCornerMarks;
}

// The stock sheet of the catalogue that has the size in either orientation; its name in
// strName.
BOOL FindStockSheet(int nWidth, int nHeight, CString& strName)
{
    CSizeCatalogue catalogue;
    catalogue.FillSheets();
    for (int s = 0; s < CSizeCatalogue::SHEET_COUNT; s++)
    {
        const int w = atoi(catalogue.GetSheetField(s, 1));
        const int h = atoi(catalogue.GetSheetField(s, 2));
        if ((w == nWidth && h == nHeight) || (w == nHeight && h == nWidth))
        {
            strName = catalogue.GetSheetField(s, 0);
            strName.TrimRight();
            return TRUE;
        }
    }
    return FALSE;
}

// The printer's paper of the size (hundredths of an inch, either orientation); 0 when it
// has none.
short FindPrinterPaper(LPCSTR lpszDevice, LPCSTR lpszPort, int nWidth, int nHeight)
{
    const int nCount = ::DeviceCapabilitiesA(lpszDevice, lpszPort, DC_PAPERS, NULL, NULL);
    if (nCount <= 0 || ::DeviceCapabilitiesA(lpszDevice, lpszPort, DC_PAPERSIZE, NULL, NULL) != nCount)
        return 0;
    std::vector<WORD> papers(nCount);
    std::vector<POINT> sizes(nCount);   // tenths of a millimetre
    ::DeviceCapabilitiesA(lpszDevice, lpszPort, DC_PAPERS, (LPSTR)papers.data(), NULL);
    ::DeviceCapabilitiesA(lpszDevice, lpszPort, DC_PAPERSIZE, (LPSTR)sizes.data(), NULL);
    const int nShort = (nWidth < nHeight ? nWidth : nHeight) * 254 / 100;
    const int nLong = (nWidth < nHeight ? nHeight : nWidth) * 254 / 100;
    const int kTolerance = 15;
    for (int i = 0; i < nCount; i++)
    {
        const int a = sizes[i].x < sizes[i].y ? sizes[i].x : sizes[i].y;
        const int b = sizes[i].x < sizes[i].y ? sizes[i].y : sizes[i].x;
        if (abs(a - nShort) <= kTolerance && abs(b - nLong) <= kTolerance)
            return (short)papers[i];
    }
    return 0;
}

// What a merge loses beyond the most pages one print job holds; empty when every record
// prints.
CString GetRecordsBeyondJobMessage(const CSheetJob& job)
{
    const int nNeeded = CPrintDlg::EstimateSheets(job.nDataRows, job.nRows, job.nColumns, job.nStartRow,
                                                  job.nStartColumn, job.nSides);
    const int nMaxPages = CPrintDlg::GetMaxJobPages();
    if (!job.bMerge || nNeeded <= nMaxPages || job.nPages < nMaxPages)
        return CString();
    const long long nRecords = job.nDataRows - 1;
    const long long nPrinted = (long long)(nMaxPages / job.nSides) * job.nRows * job.nColumns
                               - ((long long)(job.nStartRow - 1) * job.nColumns + job.nStartColumn - 1);
    CString strText;
    strText.Format(IDS_PRINT_TOO_MANY_PAGES, nNeeded, nMaxPages, (int)(nRecords - nPrinted), (int)nRecords);
    return strText;
}

} // namespace

BOOL CVarnelView::RunPrintDialog()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return FALSE;

    CPrintDlg dlg(this);
    FillPrintOptions(dlg, *this, *pDoc);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    TakePrintOptions(dlg, *this, *pDoc);
    return TRUE;
}

BOOL CVarnelView::AskToPrintAnyway(const CString& strMessage)
{
    if (m_bUnattendedPrint)
    {
        AfxMessageBox(strMessage, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    CString strAsk;
    strAsk.LoadString(IDS_PRINT_ASK_CONTINUE);
    return AfxMessageBox(strMessage + strAsk, MB_YESNO | MB_ICONWARNING) == IDYES;
}

// Prints every record in the layout the print options propose, without dialogs; TRUE only when the job
// printed whole.
BOOL CVarnelView::PrintUnattended()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return FALSE;

    m_bUnattendedPrint = TRUE;
    m_bJobPrinted = FALSE;
    BOOL bPrinted = FALSE;
    CString strNoRecords;
    strNoRecords.LoadString(IDS_PRINT_NO_RECORDS);
    if (ScanDesignForPrint())
    {
        AfxMessageBox(IDS_DATA_COLUMN_NOT_SET, MB_OK);
    }
    else if (m_bHasDbText && pDoc->m_nDataRows == -1)
    {
        AfxMessageBox(IDS_DATA_SOURCE_NOT_FOUND, MB_OK);
    }
    else if (!m_bHasDbText || pDoc->m_nDataRows > 1 || AskToPrintAnyway(strNoRecords))
    {
        pDoc->ClearSelection();
        // the layout the print options propose, every record
        CPrintDlg dlg;
        FillPrintOptions(dlg, *this, *pDoc);
        dlg.ProposeJob();
        TakePrintOptions(dlg, *this, *pDoc);
        RunPrintCommand(&CView::OnFilePrint);
        bPrinted = m_bJobPrinted && !m_bPrintFailed;
    }
    m_bUnattendedPrint = FALSE;
    return bPrinted;
}

CSheetJob CVarnelView::GetSheetJob() const
{
    CVarnelDoc* pDoc = GetDocument();
    CSheetJob job;
    job.nRows = m_nRows;
    job.nColumns = m_nColumns;
    job.nStartRow = m_nStartRow;
    job.nStartColumn = m_nStartColumn;
    job.nDataRows = pDoc != NULL ? pDoc->m_nDataRows : -1;
    job.bMerge = m_bHasDbText != 0;
    job.nSides = m_bTwoSided ? 2 : 1;
    job.nPages = m_nPagesToPrint;
    return job;
}

// Gives the job its own copy of the printer's settings with the sheet's orientation and paper, and asks
// before paper without the stock sheet or cells off the paper; FALSE when the user stops.
BOOL CVarnelView::PrepareJobPrinter(CPrintInfo* pInfo)
{
    CVarnelDoc* pDoc = GetDocument();
    PRINTDLG& pd = pInfo->m_pPD->m_pd;
    if (pDoc == NULL || pd.hDevNames == NULL || pd.hDevMode == NULL || pd.hDC == NULL)
        return TRUE;

    // the job's own copy of the printer's settings: the sheet's orientation and paper
    const SIZE_T nModeSize = ::GlobalSize(pd.hDevMode);
    HGLOBAL hJobMode = nModeSize >= sizeof(DEVMODEA) ? ::GlobalAlloc(GMEM_MOVEABLE, nModeSize) : NULL;
    DEVMODEA* pMode = hJobMode != NULL ? (DEVMODEA*)::GlobalLock(hJobMode) : NULL;
    const void* pPrinterMode = ::GlobalLock(pd.hDevMode);
    LPDEVNAMES pNames = (LPDEVNAMES)::GlobalLock(pd.hDevNames);
    if (pMode == NULL || pPrinterMode == NULL || pNames == NULL)
    {
        if (pPrinterMode != NULL)
            ::GlobalUnlock(pd.hDevMode);
        if (pNames != NULL)
            ::GlobalUnlock(pd.hDevNames);
        if (hJobMode != NULL)
            ::GlobalFree(hJobMode);
        return TRUE;
    }
    memcpy(pMode, pPrinterMode, nModeSize);
    ::GlobalUnlock(pd.hDevMode);
    const CString strDevice = (LPCSTR)pNames + pNames->wDeviceOffset;
    const CString strPort = (LPCSTR)pNames + pNames->wOutputOffset;
    ::GlobalUnlock(pd.hDevNames);

    pMode->dmFields |= DM_ORIENTATION;
    pMode->dmOrientation = pDoc->m_nSheetWidth > pDoc->m_nSheetHeight ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    CString strSheetName;
    const BOOL bStockSheet = FindStockSheet(pDoc->m_nSheetWidth, pDoc->m_nSheetHeight, strSheetName);
    const short nPaper = FindPrinterPaper(strDevice, strPort, pDoc->m_nSheetWidth, pDoc->m_nSheetHeight);
    if (nPaper != 0)
    {
        pMode->dmFields = (pMode->dmFields | DM_PAPERSIZE) & ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
        pMode->dmPaperSize = nPaper;
    }
    ::GlobalUnlock(hJobMode);

    HDC hDC = AfxCreateDC(pd.hDevNames, hJobMode);
    if (hDC == NULL)
    {
        ::GlobalFree(hJobMode);
        return TRUE;        // the printer as it is set up
    }
    ::DeleteDC(pd.hDC);
    pd.hDC = hDC;
    pd.hDevMode = hJobMode;
    m_pJobDevMode.reset(hJobMode, [](void* h) { ::GlobalFree((HGLOBAL)h); });
    if (pInfo->m_bPreview)
        return TRUE;        // the preview shows what the paper gets

    // the paper, hundredths of an inch
    const int nDpiX = ::GetDeviceCaps(hDC, LOGPIXELSX);
    const int nDpiY = ::GetDeviceCaps(hDC, LOGPIXELSY);
    if (nDpiX <= 0 || nDpiY <= 0)
        return TRUE;
    const int nPaperWidth = ::MulDiv(::GetDeviceCaps(hDC, PHYSICALWIDTH), 100, nDpiX);
    const int nPaperHeight = ::MulDiv(::GetDeviceCaps(hDC, PHYSICALHEIGHT), 100, nDpiY);
    const CString strPaperWidth = FormatInches(nPaperWidth * 0.01f);
    const CString strPaperHeight = FormatInches(nPaperHeight * 0.01f);
    if (bStockSheet && nPaper == 0)
    {
        CString strText;
        strText.Format(IDS_PRINT_NO_SUCH_PAPER, (LPCTSTR)strDevice, (LPCTSTR)strSheetName, (LPCTSTR)strPaperWidth,
                       (LPCTSTR)strPaperHeight);
        if (!AskToPrintAnyway(strText))
            return FALSE;
    }

    // the labels whose cells do not lie wholly on the paper
    const int nFitRows = CountFittingCells(HundredthsOfInches(m_fTopMargin), pDoc->m_nDesignHeight,
                                           HundredthsOfInches(m_fRowGap), nPaperHeight);
    const int nFitColumns = CountFittingCells(HundredthsOfInches(m_fLeftMargin), pDoc->m_nDesignWidth,
                                              HundredthsOfInches(m_fColumnGap), nPaperWidth);
    const CSheetJob job = GetSheetJob();
    long long nLabels = 0, nLost = 0;
    for (int p = 1; p <= m_nPagesToPrint; p += job.nSides == 2 ? 2 : 1)
    {
        for (const CSheetCell& cell : GetPageCells(job, p))
        {
            ++nLabels;
            if (cell.nRow > nFitRows || cell.nColumn > nFitColumns)
                ++nLost;
        }
    }
    if (nLost > 0)
    {
        CString strText;
        strText.Format(IDS_PRINT_OFF_PAPER, (int)nLost, (int)nLabels, (LPCTSTR)strPaperWidth,
                       (LPCTSTR)strPaperHeight, nFitRows < m_nRows ? nFitRows : m_nRows,
                       nFitColumns < m_nColumns ? nFitColumns : m_nColumns);
        if (!AskToPrintAnyway(strText))
            return FALSE;
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// The print loop

void CVarnelView::GetPreviewFactors(CDC* pDC, float& fFactorX, float& fFactorY)
{
    const int nDpiX = pDC != NULL ? pDC->GetDeviceCaps(LOGPIXELSX) : 0;
    const int nDpiY = pDC != NULL ? pDC->GetDeviceCaps(LOGPIXELSY) : 0;
    fFactorX = nDpiX > 0 ? nDpiX / 100.0f : kDefaultPreviewFactor;
    fFactorY = nDpiY > 0 ? nDpiY / 100.0f : kDefaultPreviewFactor;
}

// Sets the page count; a print into m_hPrintBitmap skips the dialog, one to paper fits the printer to it.
BOOL CVarnelView::OnPreparePrinting(CPrintInfo* pInfo)
{
    // printing offers the Print dialog unless unattended; the preview takes the printer set up
    pInfo->m_bDirect = m_bUnattendedPrint;
    const int nMaxPages = CPrintDlg::GetMaxJobPages();
    pInfo->SetMaxPage(m_nPagesToPrint > nMaxPages ? nMaxPages : m_nPagesToPrint > 0 ? m_nPagesToPrint : 1);
    if (!pInfo->m_bPreview)
    {
        // a merge larger than one job is told before the job starts
        const CString strBeyond = GetRecordsBeyondJobMessage(GetSheetJob());
        if (!strBeyond.IsEmpty() && !AskToPrintAnyway(strBeyond))
            return FALSE;
    }
    pInfo->m_nNumPreviewPages = 1;
    if (m_hPrintBitmap != NULL && !pInfo->m_bPreview)
    {
        // the pages go into the bitmap, without a dialog
        HDC hDC = ::CreateCompatibleDC(NULL);
        if (hDC == NULL)
            return FALSE;
        ::SelectObject(hDC, m_hPrintBitmap);
        pInfo->m_pPD->m_pd.hDC = hDC;
        pInfo->m_bDirect = TRUE;
        return DoPreparePrinting(pInfo);
    }
    return DoPreparePrinting(pInfo) && PrepareJobPrinter(pInfo);
}

void CVarnelView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_fSavedZoom = m_fZoom;
    m_bPrintFailed = FALSE;
    m_bJobPrinted = FALSE;
    CScrollView::OnBeginPrinting(pDC, pInfo);
}

void CVarnelView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    PrintPage(pDC, pInfo);
}

void CVarnelView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_fZoom = m_fSavedZoom;
    m_bJobPrinted = pInfo != NULL && pInfo->m_bJobDone;
    CScrollView::OnEndPrinting(pDC, pInfo);
    ShowZoomInStatusBar(m_fZoom);
}

/////////////////////////////////////////////////////////////////////////////
// One page

namespace
{
// After a failed page the document stays as it was and the job ends. A printed job is
// aborted by the failure passed on (no page of it reaches the printer or its file) and
// the print command tells it once; the preview tells it where the page failed.
void EndFailedPage(CVarnelView& view, CPrintInfo* pInfo, CElement* pSubstituted, const CString& strKeptText)
{
    if (pSubstituted != NULL)
        pSubstituted->m_strText = strKeptText;
    view.m_bPrintFailed = TRUE;
    pInfo->m_bContinuePrinting = FALSE;
}
} // namespace

// Renders one page: the cells of the page's sheet with their backgrounds and marks, then the side's elements
// in every cell, database texts showing the cell's record.
void CVarnelView::PrintPage(CDC* pDC, CPrintInfo* pInfo)
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL || pDC == NULL || pInfo == NULL || m_bPrintFailed)
        return;

    CElement* pSubstituted = NULL;      // a database text showing a record
    CString strKeptText;
    CTextFontScope fontScope;           // the labels share their fonts
    try
    {
        CRect rectClip;
        pDC->GetClipBox(&rectClip);
        CBrush brushWhite(RGB(255, 255, 255));
        pDC->FillRect(&rectClip, &brushWhite);

        // offsets: the chosen margins less the margins the device cannot print on
        float fUnprintableX, fUnprintableY;
        const int nTechnology = pDC->GetDeviceCaps(TECHNOLOGY);
        const int nDpiX = pDC->GetDeviceCaps(LOGPIXELSX);
        const int nDpiY = pDC->GetDeviceCaps(LOGPIXELSY);
        if ((nTechnology == DT_RASPRINTER || nTechnology == DT_PLOTTER) && nDpiX > 0 && nDpiY > 0)
        {
            fUnprintableX = (float)pDC->GetDeviceCaps(PHYSICALOFFSETX) / nDpiX;
            fUnprintableY = (float)pDC->GetDeviceCaps(PHYSICALOFFSETY) / nDpiY;
        }
        else if (nTechnology == DT_RASDISPLAY)
        {
            // a bitmap is the whole sheet
            fUnprintableX = fUnprintableY = 0;
        }
        else
        {
            fUnprintableX = m_bLandscape ? kAssumedShortMargin : kAssumedLongMargin;
            fUnprintableY = m_bLandscape ? kAssumedLongMargin : kAssumedShortMargin;
        }
        if (!pInfo->m_bPreview && (nTechnology == DT_RASPRINTER || nTechnology == DT_PLOTTER))
        {
            // nothing beyond the printable area: what the printer cannot print stays blank
            // on every device alike
            CRgn rgnPrintable;
            if (rgnPrintable.CreateRectRgn(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES)))
                ::ExtSelectClipRgn(pDC->m_hDC, (HRGN)rgnPrintable.m_hObject, RGN_AND);
        }
        m_fPrintLeft = InchesOfHundredths(HundredthsOfInches(m_fLeftMargin - fUnprintableX));
        m_fPrintTop = InchesOfHundredths(HundredthsOfInches(m_fTopMargin - fUnprintableY));
        const float fRowGap = InchesOfHundredths(HundredthsOfInches(m_fRowGap));
        const float fColumnGap = InchesOfHundredths(HundredthsOfInches(m_fColumnGap));

        const int W = pDoc->m_nDesignWidth;
        const int H = pDoc->m_nDesignHeight;
        const int N = pDoc->m_nDataRows;
        const int p = (int)pInfo->m_nCurPage;
        const CSheetJob job = GetSheetJob();
        const std::vector<CSheetCell> cells = GetPageCells(job, p);
        const int nSide = GetPageSide(job, p);
        const DWORD clrBackground = nSide == 2 ? pDoc->m_clrBackgroundBack : pDoc->m_clrBackgroundFront;
        const int nColumnStep = W + (int)(100 * fColumnGap);
        const int nRowStep = H + (int)(100 * fRowGap);
        const int nLeft = (int)(100 * m_fPrintLeft);
        const int nTop = (int)(100 * m_fPrintTop);

        // backgrounds and marks
        {
            Graphics graphics(pDC->m_hDC);
            SolidBrush brushCell { Color(clrBackground) };
            Pen penMark(Color(0xFF000000), 1.0f);
            for (const CSheetCell& cell : cells)
            {
                const int x = (cell.nColumn - 1) * nColumnStep + nLeft;
                const int y = (cell.nRow - 1) * nRowStep + nTop;
                graphics.FillRectangle(&brushCell, x, y, W, H);
                if (m_bCornerMarks)
                {
                    graphics.DrawLine(&penMark, x - kMarkLength, y, x + kMarkLength, y);
                    graphics.DrawLine(&penMark, x, y - kMarkLength, x, y + kMarkLength);
                    graphics.DrawLine(&penMark, x + W - kMarkLength, y + H, x + W + kMarkLength, y + H);
                    graphics.DrawLine(&penMark, x + W, y + H - kMarkLength, x + W, y + H + kMarkLength);
                }
                if (m_bCropMarks)
                {
                    if (cell.nRow == 1)
                    {
                        graphics.DrawLine(&penMark, x, y - kMarkLength, x, y + kMarkLength);
                        graphics.DrawLine(&penMark, x + W, y - kMarkLength, x + W, y + kMarkLength);
                    }
                    if (cell.nColumn == 1)
                    {
                        graphics.DrawLine(&penMark, x - kMarkLength, y, x + kMarkLength, y);
                        graphics.DrawLine(&penMark, x - kMarkLength, y + H, x + kMarkLength, y + H);
                    }
                }
            }
        }

        // the elements of every cell, database texts with the cell's record
        for (const CSheetCell& cell : cells)
        {
            for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
            {
                CElement* pElement = pDoc->m_listElements.GetNext(pos);
                if (nSide != 0 && pElement->m_nSide != nSide)
                    continue;
                if (IsDbText(pElement) && cell.nRecord <= N - 2 &&
                    IsValidColumnBinding(pElement->m_strColumn))
                {
                    strKeptText = pElement->m_strText;
                    pSubstituted = pElement;
                    pElement->m_strText = MergeRecordColumns(pDoc->m_pDataRows, pDoc->m_nDataRows,
                        pDoc->m_nDataColumns, cell.nRecord + 1, pElement->m_strColumn);
                }
                pElement->DrawInCellDC(pDC, cell.nColumn, cell.nRow, m_fPrintLeft, m_fPrintTop, fRowGap,
                                       fColumnGap, W, H);
                if (pSubstituted != NULL)
                {
                    pSubstituted->m_strText = strKeptText;
                    pSubstituted = NULL;
                }
            }
        }

        // the selection's handles belong to the design, not to the paper: the preview
        // shows the page as it prints
        ShowZoomInStatusBar(m_fZoom);
        return;
    }
    catch (CException* e)
    {
        EndFailedPage(*this, pInfo, pSubstituted, strKeptText);
        if (!pInfo->m_bPreview)
            throw;
        e->Delete();
    }
    catch (...)
    {
        EndFailedPage(*this, pInfo, pSubstituted, strKeptText);
        if (!pInfo->m_bPreview)
            throw;
    }
    ShowUnexpectedError();
}
