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

BOOL CVarnelView::RunPrintDialog()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return FALSE;

    CPrintDlg dlg(this);
    dlg.m_nSides = m_bTwoSided ? 2 : 1;
    dlg.m_nPagesToPrint = dlg.m_nSides;
    dlg.m_nPubType = pDoc->m_nPublicationType;
    dlg.m_nDesignWidth = pDoc->m_nDesignWidth;
    dlg.m_nDesignHeight = pDoc->m_nDesignHeight;
    dlg.m_nSheetWidth = pDoc->m_nSheetWidth;
    dlg.m_nSheetHeight = pDoc->m_nSheetHeight;
    dlg.m_nSheetIndex = m_nSheetIndex;
    dlg.m_nRowCount = m_bHasDbText ? pDoc->m_nDataRows : -1;
    dlg.m_nRows = m_nRows;
    dlg.m_nColumns = m_nColumns;
    dlg.m_nStartRow = m_nStartRow;
    dlg.m_nStartColumn = m_nStartColumn;
    dlg.m_fRowGap = m_fRowGap;
    dlg.m_fColumnGap = m_fColumnGap;
    dlg.m_fTopMargin = m_fTopMargin;
    dlg.m_fLeftMargin = m_fLeftMargin;
    dlg.m_bCropMarks = m_bCropMarks;
    dlg.m_bCornerMarks = m_bCornerMarks;
    if (dlg.DoModal() != IDOK)
        return FALSE;

    m_nPagesToPrint = dlg.m_nPagesToPrint;
    pDoc->m_nSheetWidth = dlg.m_nSheetWidth;
    pDoc->m_nSheetHeight = dlg.m_nSheetHeight;
    m_nSheetIndex = dlg.m_nSheetIndex;
    m_nRows = dlg.m_nRows + 1;
    m_nColumns = dlg.m_nColumns + 1;
    m_nStartRow = dlg.m_nStartRow;
    m_nStartColumn = dlg.m_nStartColumn;
    m_fRowGap = dlg.m_fRowGap;
    m_fColumnGap = dlg.m_fColumnGap;
    m_fTopMargin = dlg.m_fTopMargin;
    m_fLeftMargin = dlg.m_fLeftMargin;
    m_bCropMarks = dlg.m_bCropMarks;
    m_bCornerMarks = dlg.m_bCornerMarks;
    return TRUE;
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

/////////////////////////////////////////////////////////////////////////////
// The print loop

void CVarnelView::GetPreviewFactors(CDC* pDC, float& fFactorX, float& fFactorY)
{
    const int nDpiX = pDC != NULL ? pDC->GetDeviceCaps(LOGPIXELSX) : 0;
    const int nDpiY = pDC != NULL ? pDC->GetDeviceCaps(LOGPIXELSY) : 0;
    fFactorX = nDpiX > 0 ? nDpiX / 100.0f : kDefaultPreviewFactor;
    fFactorY = nDpiY > 0 ? nDpiY / 100.0f : kDefaultPreviewFactor;
}

BOOL CVarnelView::OnPreparePrinting(CPrintInfo* pInfo)
{
    // printing always offers the Print dialog; the preview takes the default printer
    pInfo->m_bDirect = FALSE;
    pInfo->SetMaxPage(m_nPagesToPrint > 0 ? (UINT)m_nPagesToPrint : 1);
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
    }
    return DoPreparePrinting(pInfo);
}

void CVarnelView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_fSavedZoom = m_fZoom;
    m_bPrintFailed = FALSE;
    CScrollView::OnBeginPrinting(pDC, pInfo);
}

void CVarnelView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    PrintPage(pDC, pInfo);
}

void CVarnelView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_fZoom = m_fSavedZoom;
    CScrollView::OnEndPrinting(pDC, pInfo);
    ShowZoomInStatusBar(m_fZoom);
}

/////////////////////////////////////////////////////////////////////////////
// One page

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

        pDoc->m_tracker.DrawSelection(pDC);
        ShowZoomInStatusBar(m_fZoom);
        return;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }

    // the document stays as it was; the job ends after one message
    if (pSubstituted != NULL)
        pSubstituted->m_strText = strKeptText;
    m_bPrintFailed = TRUE;
    pInfo->m_bContinuePrinting = FALSE;
    ShowUnexpectedError();
}
