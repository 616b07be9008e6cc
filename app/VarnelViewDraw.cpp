// VarnelViewDraw.cpp - painting of the design view: desk, page, grid, borders, elements,
// selection and the element being drawn, through an off-screen bitmap.

#include "VarnelView.h"
#include "DesignPaint.h"
#include "model/Element.h"
#include "model/ElementDraw.h"
#include "model/PictureElements.h"
#include "model/TextDraw.h"
#include "model/VarnelDoc.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
const COLORREF kDeskColor = RGB(192, 192, 192);
const COLORREF kInnerBorderColor = RGB(204, 204, 204);
const int kInnerBorderInset = 6;
// Grid lines closer than this (pixels) are not drawn.
const int kMinGridStep = 2;
// Largest background kept drawn at the zoom (pixels).
const LONGLONG kMaxCachedBackgroundPixels = 16 * 1024 * 1024;
// Backgrounds kept (one per view showing one at a time is the common case).
const int kBackgroundCacheEntries = 2;
// Side of the square pieces a kept background is drawn in, as the paints need them.
const int kBackgroundTile = 256;
// Pixels around an element's bounds that smoothing may still touch.
const int kBleedPixels = 2;

BOOL g_bPlainPaint = FALSE;

// Remainder with the sign of the dividend, as the brush origin wants it.
int Mod8(int nValue)
{
    return nValue % 8;
}

// What the pixels of a background drawn over the page depend on.
struct CBackgroundKey
{
    const CElement* pElement = NULL;
    std::shared_ptr<Gdiplus::Bitmap> pPicture;     // kept alive: its address stays its own
    CRect rect;
    float fZoom = 0;
    int nSide = 0;
    int nDesignWidth = 0;
    int nDesignHeight = 0;
    DWORD clrPage = 0;
    BOOL bGrid = FALSE;
    int nGridType = 0;
    int nGridSize = 0;
    DWORD clrGrid = 0;
    BOOL bInnerBorder = FALSE;

    bool operator==(const CBackgroundKey& other) const
    {
        return pElement == other.pElement && pPicture == other.pPicture && rect == other.rect
               && fZoom == other.fZoom && nSide == other.nSide && nDesignWidth == other.nDesignWidth
               && nDesignHeight == other.nDesignHeight && clrPage == other.clrPage
               && bGrid == other.bGrid && nGridType == other.nGridType
               && nGridSize == other.nGridSize && clrGrid == other.clrGrid
               && bInnerBorder == other.bInnerBorder;
    }
};

// The desk, page, frame and background as drawn at one zoom, over the background's
// pixel rectangle (page pixels: the page's top-left corner is 0,0).
struct CBackgroundEntry
{
    CBackgroundKey key;
    CRect rectPixels;
    int nColumns = 0;
    int nRows = 0;
    std::vector<std::unique_ptr<CBitmap>> tiles;    // row by row; empty until needed
    bool bUsed = false;
    DWORD nLastUse = 0;
};

CBackgroundEntry g_aBackgrounds[kBackgroundCacheEntries];
DWORD g_nBackgroundUse = 0;

CBackgroundEntry* FindBackground(const CBackgroundKey& key)
{
    for (CBackgroundEntry& entry : g_aBackgrounds)
    {
        if (entry.bUsed && entry.key == key)
        {
            entry.nLastUse = ++g_nBackgroundUse;
            return &entry;
        }
    }
    return NULL;
}

CBackgroundEntry& OldestBackground()
{
    CBackgroundEntry* pOldest = &g_aBackgrounds[0];
    for (CBackgroundEntry& entry : g_aBackgrounds)
    {
        if (!entry.bUsed)
            return entry;
        if (entry.nLastUse < pOldest->nLastUse)
            pOldest = &entry;
    }
    return *pOldest;
}

// True when the element's drawing cannot reach the clip box (page units).
bool MissesClip(const CElement* pElement, const Gdiplus::RectF& rcClip)
{
    Gdiplus::RectF rc;
    if (!GetElementDrawnBounds(pElement, CPoint(0, 0), rc))
        return true;
    return rc.X > rcClip.X + rcClip.Width || rc.Y > rcClip.Y + rcClip.Height
           || rc.X + rc.Width < rcClip.X || rc.Y + rc.Height < rcClip.Y;
}
}

void SetPlainDesignPaint(BOOL bPlain)
{
    g_bPlainPaint = bPlain;
}

void ForgetDrawnBackgrounds()
{
    for (CBackgroundEntry& entry : g_aBackgrounds)
    {
        entry.tiles.clear();
        entry.bUsed = false;
        entry.key = CBackgroundKey();
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

        // elements, bottom first; frame and grid again over a background picture. What
        // cannot reach the clip box is skipped; a background first on the page is
        // copied as drawn before at this zoom.
        const bool bFast = !g_bPlainPaint && !pDC->IsPrinting() && pDrawDC == &dcMem;
        const double fMargin = kBleedPixels / (m_fZoom > 0 ? m_fZoom : 1.0f) + 1;
        const Gdiplus::RectF rcCull((float)(rectClip.left - fMargin), (float)(rectClip.top - fMargin),
                                    (float)(rectClip.Width() + 2 * fMargin),
                                    (float)(rectClip.Height() + 2 * fMargin));
        bool bFirstShown = true;
        // the texts of one paint share their fonts
        std::unique_ptr<CTextFontScope> pFonts(bFast ? new CTextFontScope : NULL);
        std::unique_ptr<Gdiplus::Graphics> pShared;
        for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
        {
            CElement* pElement = pDoc->m_listElements.GetNext(pos);
            if (pElement->m_nSide == pDoc->m_nSide)
            {
                if (!bFast)
                    pElement->DrawDC(pDrawDC);
                else if (!(bFirstShown && pElement->m_nKind == 121 && DrawCachedBackground(pDrawDC, pElement))
                         && !MissesClip(pElement, rcCull))
                {
                    // one graphics for the elements between two page frames
                    if (pShared == NULL)
                        pShared.reset(new Gdiplus::Graphics(pDrawDC->m_hDC));
                    pElement->DrawGraphics(pShared.get());
                }
                bFirstShown = false;
            }
            if (pElement->m_nKind == 121 && !pDC->IsPrinting())
            {
                pShared.reset();
                DrawPageFrame(pDrawDC);
            }
        }

        pShared.reset();
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

BOOL CVarnelView::DrawCachedBackground(CDC* pDC, CElement* pElement)
{
    CVarnelDoc* pDoc = GetDocument();
    CBkgImage* pBackground = DYNAMIC_DOWNCAST(CBkgImage, pElement);
    if (pDoc == NULL || pBackground == NULL || pBackground->m_pBitmap == NULL)
        return FALSE;

    CBackgroundKey key;
    key.pElement = pElement;
    key.pPicture = pBackground->m_pBitmap;
    key.rect = pElement->m_rect;
    key.fZoom = m_fZoom;
    key.nSide = pDoc->m_nSide;
    key.nDesignWidth = pDoc->m_nDesignWidth;
    key.nDesignHeight = pDoc->m_nDesignHeight;
    key.clrPage = pDoc->m_nSide == 2 ? pDoc->m_clrBackgroundBack : pDoc->m_clrBackgroundFront;
    key.bGrid = m_bDisplayGrid;
    key.nGridType = m_nGridType;
    key.nGridSize = m_nGridSize;
    key.clrGrid = m_clrGrid;
    key.bInnerBorder = m_bInnerBorder;

    CDC dcCache;
    if (!dcCache.CreateCompatibleDC(pDC))
        return FALSE;
    CBackgroundEntry* pEntry = FindBackground(key);
    if (pEntry == NULL)
    {
        // the picture is drawn from the page's corner over its rectangle's size
        OnPrepareDC(&dcCache);
        CPoint ptOrigin(0, 0);
        dcCache.LPtoDP(&ptOrigin);
        CRect rectPixels(0, 0, pElement->m_rect.Width(), pElement->m_rect.Height());
        dcCache.LPtoDP(&rectPixels);
        rectPixels.NormalizeRect();
        rectPixels.OffsetRect(-ptOrigin);
        rectPixels.InflateRect(kBleedPixels, kBleedPixels);
        if (rectPixels.IsRectEmpty()
            || (LONGLONG)rectPixels.Width() * rectPixels.Height() > kMaxCachedBackgroundPixels)
            return FALSE;
        CBackgroundEntry& entry = OldestBackground();
        entry.key = key;
        entry.rectPixels = rectPixels;
        entry.nColumns = (rectPixels.Width() + kBackgroundTile - 1) / kBackgroundTile;
        entry.nRows = (rectPixels.Height() + kBackgroundTile - 1) / kBackgroundTile;
        entry.tiles.clear();
        entry.tiles.resize((size_t)entry.nColumns * entry.nRows);
        entry.bUsed = true;
        pEntry = &entry;
    }
    pEntry->nLastUse = ++g_nBackgroundUse;

    // the pieces under the clip box, in page pixels
    CPoint ptOrigin(0, 0);
    pDC->LPtoDP(&ptOrigin);
    CRect rectClip;
    pDC->GetClipBox(&rectClip);
    pDC->LPtoDP(&rectClip);
    rectClip.NormalizeRect();
    rectClip.InflateRect(1, 1);
    rectClip.OffsetRect(-ptOrigin);
    const CRect& rectAll = pEntry->rectPixels;
    CRect rectNeeded;
    if (!rectNeeded.IntersectRect(&rectClip, &rectAll))
        return TRUE;
    const int nFirstColumn = (rectNeeded.left - rectAll.left) / kBackgroundTile;
    const int nLastColumn = (rectNeeded.right - 1 - rectAll.left) / kBackgroundTile;
    const int nFirstRow = (rectNeeded.top - rectAll.top) / kBackgroundTile;
    const int nLastRow = (rectNeeded.bottom - 1 - rectAll.top) / kBackgroundTile;
    for (int nRow = nFirstRow; nRow <= nLastRow; nRow++)
    {
        for (int nColumn = nFirstColumn; nColumn <= nLastColumn; nColumn++)
        {
            CRect rectTile(rectAll.left + nColumn * kBackgroundTile, rectAll.top + nRow * kBackgroundTile, 0, 0);
            rectTile.right = std::min<LONG>(rectTile.left + kBackgroundTile, rectAll.right);
            rectTile.bottom = std::min<LONG>(rectTile.top + kBackgroundTile, rectAll.bottom);
            std::unique_ptr<CBitmap>& pTile = pEntry->tiles[(size_t)nRow * pEntry->nColumns + nColumn];
            if (pTile == NULL)
            {
                std::unique_ptr<CBitmap> pBitmap(new CBitmap);
                if (!pBitmap->CreateCompatibleBitmap(pDC, rectTile.Width(), rectTile.Height()))
                    return FALSE;
                CBitmap* pOld = dcCache.SelectObject(pBitmap.get());
                // what the paint draws under the picture: desk, page and frame
                const int nSaved = dcCache.SaveDC();
                dcCache.SetMapMode(MM_TEXT);
                dcCache.SetViewportOrg(0, 0);
                dcCache.SetWindowOrg(0, 0);
                CBrush brushDesk(kDeskColor);
                const CRect rectFill(0, 0, rectTile.Width(), rectTile.Height());
                dcCache.FillRect(&rectFill, &brushDesk);
                dcCache.RestoreDC(nSaved);
                OnPrepareDC(&dcCache);
                CPoint ptCacheOrigin(0, 0);
                dcCache.LPtoDP(&ptCacheOrigin);
                dcCache.OffsetViewportOrg(-ptCacheOrigin.x - rectTile.left, -ptCacheOrigin.y - rectTile.top);
                CBrush brushPage(ArgbToColorRef(key.clrPage));
                const CRect rectPage(0, 0, pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
                dcCache.FillRect(&rectPage, &brushPage);
                DrawPageFrame(&dcCache);
                pElement->DrawDC(&dcCache);
                dcCache.SelectObject(pOld);
                pTile = std::move(pBitmap);
            }
            CBitmap* pOld = dcCache.SelectObject(pTile.get());
            const int nSaved = pDC->SaveDC();
            pDC->SetMapMode(MM_TEXT);
            pDC->SetViewportOrg(0, 0);
            pDC->SetWindowOrg(0, 0);
            pDC->BitBlt(ptOrigin.x + rectTile.left, ptOrigin.y + rectTile.top, rectTile.Width(),
                        rectTile.Height(), &dcCache, 0, 0, SRCCOPY);
            pDC->RestoreDC(nSaved);
            dcCache.SelectObject(pOld);
        }
    }
    return TRUE;
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
