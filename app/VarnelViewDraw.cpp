// VarnelViewDraw.cpp - painting of the design view: desk, page, grid, borders, elements,
// selection and the element being drawn, through an off-screen bitmap.

#include "VarnelView.h"
#include "model/Element.h"
#include "model/VarnelDoc.h"

namespace
{
const COLORREF kDeskColor = RGB(192, 192, 192);
const COLORREF kInnerBorderColor = RGB(204, 204, 204);
const int kInnerBorderInset = 6;
// Grid lines closer than this (pixels) are not drawn.
const int kMinGridStep = 2;
// Remainder with the sign of the dividend, as the brush origin wants it.
int Mod8(int nValue)
{
    return nValue % 8;
}
}

BOOL CVarnelView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// The paint cycle validates the update region; the whole client area is drawn through a
// window DC.
void CVarnelView::OnPaint()
{
    {
        CPaintDC dcPaint(this);
    }
    CDC* pDC = GetDC();
    if (pDC == NULL)
        return;
    OnPrepareDC(pDC);
    OnDraw(pDC);
    ReleaseDC(pDC);
}

void CVarnelView::OnDraw(CDC* pDC)
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    CDC dcMem;
    CBitmap bitmap;
    CBitmap* pOldBitmap = NULL;
    CDC* pDrawDC = pDC;
    CRect rectPixels;
    try
    {
        if (m_hWnd != NULL && !pDC->IsPrinting())
        {
            CPoint point(0, 0);
            DeviceToLogical(point);
            m_ptScroll = point;
        }

        CRect rectClip;
        pDC->GetClipBox(&rectClip);
        rectPixels = rectClip;
        pDC->LPtoDP(&rectPixels);
        rectPixels.NormalizeRect();

        if (!pDC->IsPrinting() && rectPixels.Width() > 0 && rectPixels.Height() > 0
            && dcMem.CreateCompatibleDC(pDC)
            && bitmap.CreateCompatibleBitmap(pDC, rectPixels.Width(), rectPixels.Height()))
        {
            OnPrepareDC(&dcMem);
            dcMem.OffsetViewportOrg(-rectPixels.left, -rectPixels.top);
            pOldBitmap = dcMem.SelectObject(&bitmap);
            dcMem.SetBrushOrg(Mod8(rectPixels.left), Mod8(rectPixels.top));
            dcMem.IntersectClipRect(&rectClip);
            pDrawDC = &dcMem;
        }

        // desk
        CBrush brushDesk(kDeskColor);
        brushDesk.UnrealizeObject();
        pDrawDC->FillRect(&rectClip, &brushDesk);

        // page of the shown side
        const CRect rectPage(0, 0, pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
        const DWORD clrPage = pDoc->m_nSide == 2 ? pDoc->m_clrBackgroundBack : pDoc->m_clrBackgroundFront;
        CBrush brushPage(ArgbToColorRef(clrPage));
        pDrawDC->FillRect(&rectPage, &brushPage);
        DrawPageFrame(pDrawDC);

        // elements, bottom first; frame and grid again over a background picture
        for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
        {
            CElement* pElement = pDoc->m_listElements.GetNext(pos);
            if (pElement->m_nSide == pDoc->m_nSide)
                pElement->DrawDC(pDrawDC);
            if (pElement->m_nKind == 121 && !pDC->IsPrinting())
                DrawPageFrame(pDrawDC);
        }

        pDoc->m_tracker.DrawSelection(pDrawDC);
        if (m_pNewElement != NULL)
            m_pNewElement->DrawDC(pDrawDC);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }

    if (pDrawDC == &dcMem)
    {
        pDC->SetViewportOrg(0, 0);
        pDC->SetWindowOrg(0, 0);
        pDC->SetMapMode(MM_TEXT);
        dcMem.SetViewportOrg(0, 0);
        dcMem.SetWindowOrg(0, 0);
        dcMem.SetMapMode(MM_TEXT);
        dcMem.SelectClipRgn(NULL);
        pDC->BitBlt(rectPixels.left, rectPixels.top, rectPixels.Width(), rectPixels.Height(),
                    &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOldBitmap);
        dcMem.SetMapMode(MM_ANISOTROPIC);
    }
    ShowZoomInStatusBar(m_fZoom);
}

// Grid, inner border and page border, drawn one logical unit per pixel.
void CVarnelView::DrawPageFrame(CDC* pDC)
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    try
    {
        const int nWidth = pDoc->m_nDesignWidth;
        const int nHeight = pDoc->m_nDesignHeight;
        m_totalDev = CSize(nWidth, nHeight);
        pDC->SetViewportExt(nWidth, nHeight);

        const int nPercent = (int)(m_fZoom * 100.0f + 0.0001f);
        const CRect rect(0, 0, ::MulDiv(nWidth, nPercent, 100), ::MulDiv(nHeight, nPercent, 100));

        if (m_bDisplayGrid)
            DrawGrid(pDC, rect.left, rect.top, rect.right, rect.bottom);

        if (m_bInnerBorder == 1)
        {
            CPen pen(PS_DOT, 1, kInnerBorderColor);
            CPen* pOldPen = pDC->SelectObject(&pen);
            const CRect rectInner(rect.left + kInnerBorderInset, rect.top + kInnerBorderInset,
                                  rect.right - kInnerBorderInset, rect.bottom - kInnerBorderInset);
            pDC->MoveTo(rectInner.left, rectInner.top);
            pDC->LineTo(rectInner.right, rectInner.top);
            pDC->LineTo(rectInner.right, rectInner.bottom);
            pDC->LineTo(rectInner.left, rectInner.bottom);
            pDC->LineTo(rectInner.left, rectInner.top);
            pDC->SelectObject(pOldPen);
        }

        CPen penBorder(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* pOldPen = pDC->SelectObject(&penBorder);
        pDC->MoveTo(rect.left, rect.top);
        pDC->LineTo(rect.right, rect.top);
        pDC->LineTo(rect.right, rect.bottom);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->LineTo(rect.left, rect.top);
        pDC->SelectObject(pOldPen);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    const CSize sizeZoomed((int)(pDoc->m_nDesignWidth * m_fZoom), (int)(pDoc->m_nDesignHeight * m_fZoom));
    m_totalDev = sizeZoomed;
    pDC->SetViewportExt(sizeZoomed.cx, sizeZoomed.cy);
}

void CVarnelView::DrawGrid(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom)
{
    const int nStep = (int)(m_nGridSize * m_fZoom);
    if (nStep < kMinGridStep)
        return;
    try
    {
        CPen pen(m_nGridType == 1 ? PS_SOLID : PS_DOT, 1, ArgbToColorRef(m_clrGrid));
        CPen* pOldPen = pDC->SelectObject(&pen);
        for (int x = 0; x < nRight; x += nStep)
        {
            pDC->MoveTo(x, nTop);
            pDC->LineTo(x, nBottom);
        }
        for (int y = 0; y < nBottom; y += nStep)
        {
            pDC->MoveTo(nLeft, y);
            pDC->LineTo(nRight, y);
        }
        pDC->SelectObject(pOldPen);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}
