// VarnelViewDraw.cpp - painting of the design view: desk, page, grid, borders, elements,
// selection and the element being drawn, through an off-screen bitmap.

#include "VarnelView.h"
#include "DesignPaint.h"
#include "model/Element.h"
#include "model/ElementDraw.h"
#include "model/FillPainter.h"
#include "model/PictureElements.h"
#include "model/TextDraw.h"
#include "model/VarnelDoc.h"

#include <objidl.h>
#include <gdiplus.h>

#include <math.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
const COLORREF kDeskColor = RGB(192, 192, 192);
const COLORREF kInnerBorderColor = RGB(204, 204, 204);
const int kInnerBorderInset = 6;
// Grid lines closer than this (pixels) are not drawn.
const int kMinGridStep = 2;
// Backgrounds kept (one per view showing one at a time is the common case).
const int kBackgroundCacheEntries = 2;
// Largest background kept scaled at the zoom (pixels).
const LONGLONG kMaxKeptBackgroundPixels = 16 * 1024 * 1024;
// Side of the square pieces a background is scaled in, as the paints need them.
const int kBackgroundTile = 256;
// Pixels along the window's edges drawn anew after a scroll.
const int kEdgeBand = 64;
// Pixels around an element's bounds that smoothing may still touch.
const int kBleedPixels = 2;

BOOL g_bPlainPaint = FALSE;
// Raised to have every kept frame drawn anew.
volatile LONG g_nFrameGeneration = 0;

// Patterns start at the page's corner, so that they keep their place on the page when the
// view scrolls.
void AnchorPatternsToPage(CDC* pDC)
{
    CPoint ptPage(0, 0);
    pDC->LPtoDP(&ptPage);
    pDC->SetBrushOrg(((ptPage.x % 8) + 8) % 8, ((ptPage.y % 8) + 8) % 8);
}

// What a background's scaled pixels depend on.
struct CBackgroundKey
{
    const CElement* pElement = NULL;
    std::shared_ptr<Gdiplus::Bitmap> pPicture;     // kept alive: its address stays its own
    CSize sizePixels;                               // the picture's size on the device
    int nSide = 0;                                  // the side shown

    bool operator==(const CBackgroundKey& other) const
    {
        return pElement == other.pElement && pPicture == other.pPicture && sizePixels == other.sizePixels
               && nSide == other.nSide;
    }
};

// One piece of a scaled background: premultiplied 32-bit pixels, top row first.
struct CBackgroundTile
{
    CBackgroundTile() = default;
    CBackgroundTile(const CBackgroundTile&) = delete;
    CBackgroundTile& operator=(const CBackgroundTile&) = delete;
    ~CBackgroundTile()
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
    }
    HBITMAP hBitmap = NULL;
    bool bOpaque = true;
};

// A background picture scaled to its size on the device, in pieces made when a paint
// first needs them.
struct CBackgroundEntry
{
    CBackgroundKey key;
    int nColumns = 0;
    int nRows = 0;
    std::vector<std::unique_ptr<CBackgroundTile>> tiles;   // row by row
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
            return &entry;
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

// One piece of a picture scaled to sizePixels: the pixels of rectTile (in the scaled
// picture), drawn with room around them so that smoothing sees the neighbours.
CBackgroundTile* ScaleBackgroundTile(Gdiplus::Bitmap* pPicture, CSize sizePixels, const CRect& rectTile)
{
    const double fScale = fmax((double)sizePixels.cx / fmax(1.0, (double)pPicture->GetWidth()),
                               (double)sizePixels.cy / fmax(1.0, (double)pPicture->GetHeight()));
    const int nRoom = (int)fmin(kBackgroundTile, ceil(2 * fScale) + 2);
    Gdiplus::Bitmap work(rectTile.Width() + 2 * nRoom, rectTile.Height() + 2 * nRoom, PixelFormat32bppPARGB);
    if (work.GetLastStatus() != Gdiplus::Ok)
        return NULL;
    {
        // only the part of the picture the piece shows, with a few pixels around it (the
        // library reads every pixel of the part it is given)
        const double fScaleX = (double)sizePixels.cx / fmax(1.0, (double)pPicture->GetWidth());
        const double fScaleY = (double)sizePixels.cy / fmax(1.0, (double)pPicture->GetHeight());
        const double fLeft = fmax(0.0, floor((rectTile.left - nRoom) / fScaleX) - 2);
        const double fTop = fmax(0.0, floor((rectTile.top - nRoom) / fScaleY) - 2);
        const double fRight = fmin((double)pPicture->GetWidth(), ceil((rectTile.right + nRoom) / fScaleX) + 2);
        const double fBottom = fmin((double)pPicture->GetHeight(), ceil((rectTile.bottom + nRoom) / fScaleY) + 2);
        if (!(fRight > fLeft && fBottom > fTop))
            return NULL;
        Gdiplus::Graphics g(&work);
        g.Clear(Gdiplus::Color(0, 0, 0, 0));
        g.DrawImage(pPicture,
                    Gdiplus::RectF((float)(nRoom - rectTile.left + fLeft * fScaleX),
                                   (float)(nRoom - rectTile.top + fTop * fScaleY),
                                   (float)((fRight - fLeft) * fScaleX), (float)((fBottom - fTop) * fScaleY)),
                    (float)fLeft, (float)fTop, (float)(fRight - fLeft), (float)(fBottom - fTop), Gdiplus::UnitPixel);
    }
    Gdiplus::BitmapData data;
    Gdiplus::Rect rectLock(nRoom, nRoom, rectTile.Width(), rectTile.Height());
    if (work.LockBits(&rectLock, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
        return NULL;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rectTile.Width();
    info.bmiHeader.biHeight = -rectTile.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    std::unique_ptr<CBackgroundTile> pTile(new CBackgroundTile);
    pTile->hBitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (pTile->hBitmap == NULL || pBits == NULL)
    {
        work.UnlockBits(&data);
        return NULL;
    }
    for (int y = 0; y < rectTile.Height(); y++)
    {
        const DWORD* pIn = (const DWORD*)((const BYTE*)data.Scan0 + (ptrdiff_t)y * data.Stride);
        DWORD* pOut = (DWORD*)pBits + (size_t)y * rectTile.Width();
        for (int x = 0; x < rectTile.Width(); x++)
        {
            pOut[x] = pIn[x];
            if ((pIn[x] >> 24) != 0xFF)
                pTile->bOpaque = false;
        }
    }
    work.UnlockBits(&data);
    ::GdiFlush();
    return pTile.release();
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
    ForgetDrawnFrames();
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

namespace
{
// Desk, page and the shown side's elements within rectClip (logical units) on pDrawDC;
// bMemory: pDrawDC is the paint's memory DC on the screen, where backgrounds are drawn
// from their scaled pieces and (unless the plain paint is asked for) elements that cannot
// reach the clip box are skipped.
// pCull, when given: the pixels each element of the shown side may touch, in list order
// (empty: not known), and rectCullPixels the pixels to draw; elements whose pixels miss
// them are skipped without working out their bounds again.
void DrawDesignLayer(CVarnelView* pView, CVarnelDoc* pDoc, CDC* pDrawDC, const CRect& rectClip,
                     bool bMemory, bool bPrinting, const std::vector<CRect>* pCull = NULL,
                     const CRect& rectCullPixels = CRect())
{
    // desk
    CBrush brushDesk(kDeskColor);
    brushDesk.UnrealizeObject();
    pDrawDC->FillRect(&rectClip, &brushDesk);

    // page of the shown side
    const CRect rectPage(0, 0, pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
    const DWORD clrPage = pDoc->m_nSide == 2 ? pDoc->m_clrBackgroundBack : pDoc->m_clrBackgroundFront;
    CBrush brushPage(ArgbToColorRef(clrPage));
    pDrawDC->FillRect(&rectPage, &brushPage);
    pView->DrawPageFrame(pDrawDC);

    // elements, bottom first; frame and grid again over a background picture. What
    // cannot reach the clip box is skipped; on the screen a background picture is drawn
    // from its pieces scaled to the zoom, kept until the zoom or the picture changes
    // (made anew in the plain paint).
    const bool bFast = !g_bPlainPaint && !bPrinting && bMemory;
    const float fZoom = pView->GetZoom();
    const double fMargin = kBleedPixels / (fZoom > 0 ? fZoom : 1.0f) + 1;
    const Gdiplus::RectF rcCull((float)(rectClip.left - fMargin), (float)(rectClip.top - fMargin),
                                (float)(rectClip.Width() + 2 * fMargin), (float)(rectClip.Height() + 2 * fMargin));
    // the texts of one paint share their fonts; on the screen gradients are drawn straight
    // into the paint's pixels
    std::unique_ptr<CTextFontScope> pFonts(bFast ? new CTextFontScope : NULL);
    std::unique_ptr<CGradientFillScope> pGradients(bMemory && !bPrinting ? new CGradientFillScope(pDrawDC->m_hDC)
                                                                        : NULL);
    std::unique_ptr<Gdiplus::Graphics> pShared;
    size_t nShown = 0;
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        if (pElement->m_nSide == pDoc->m_nSide)
        {
            const CRect* pPixels = pCull != NULL && nShown < pCull->size() ? &(*pCull)[nShown] : NULL;
            nShown++;
            const bool bScaled = pElement->m_nKind == KIND_BACKGROUND && bMemory
                                 && pView->DrawScaledBackground(pDrawDC, pElement, !g_bPlainPaint);
            if (bScaled)
                ;       // drawn from its scaled pieces
            else if (!bFast)
                pElement->DrawDC(pDrawDC);
            else if (pPixels != NULL && !pPixels->IsRectEmpty()
                         ? CRect().IntersectRect(pPixels, &rectCullPixels) != FALSE
                         : !MissesClip(pElement, rcCull))
            {
                // one graphics for the elements between two page frames
                if (pShared == NULL)
                    pShared.reset(new Gdiplus::Graphics(pDrawDC->m_hDC));
                pElement->DrawGraphics(pShared.get());
            }
        }
        if (pElement->m_nKind == KIND_BACKGROUND && !bPrinting)
        {
            pShared.reset();
            pView->DrawPageFrame(pDrawDC);
        }
    }
}

// Puts a DC's mapping back to pixels with the origin at the top-left corner.
void ResetToPixels(CDC* pDC)
{
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);
    pDC->SetMapMode(MM_TEXT);
}
}

// What the kept frame's pixels depend on besides its elements.
struct CFrameKey
{
    CSize sizeClient;
    CPoint ptPageOrigin;        // the page's corner on the device
    float fZoom = 0;
    int nSide = 0;
    CSize sizeDesign;
    DWORD clrPage = 0;
    BOOL bGrid = FALSE;
    int nGridType = 0;
    int nGridSize = 0;
    DWORD clrGrid = 0;
    BOOL bInnerBorder = FALSE;
    LONG nGeneration = 0;

    bool operator==(const CFrameKey& other) const
    {
        return sizeClient == other.sizeClient && ptPageOrigin == other.ptPageOrigin && fZoom == other.fZoom
               && nSide == other.nSide && sizeDesign == other.sizeDesign && clrPage == other.clrPage
               && bGrid == other.bGrid && nGridType == other.nGridType && nGridSize == other.nGridSize
               && clrGrid == other.clrGrid && bInnerBorder == other.bInnerBorder
               && nGeneration == other.nGeneration;
    }
};

// An element as the kept frame shows it: its drawn state and the pixels it may touch.
struct CKeptElement
{
    const CElement* pElement = NULL;
    std::string state;
    std::shared_ptr<Gdiplus::Bitmap> pPicture;    // kept alive: its address stays its own
    CRect rectPixels;                               // empty when its bounds are unknown
};

// Desk, page and elements as last drawn (no selection, no element being drawn).
struct CKeptFrame
{
    CBitmap bitmapKept;
    CSize size;
    bool bValid = false;
    CFrameKey key;
    std::vector<CKeptElement> elements;
};

namespace
{
// The bitmap a paint draws the selection over a copy of the kept frame in; one serves
// every view, as one paint runs at a time (a plain handle: the process's end frees it).
HBITMAP g_hComposed = NULL;
CSize g_sizeComposed;

HBITMAP ComposedBitmap(CDC* pDC, CSize size)
{
    if (g_hComposed == NULL || g_sizeComposed != size)
    {
        if (g_hComposed != NULL)
            ::DeleteObject(g_hComposed);
        g_sizeComposed = size;
        g_hComposed = ::CreateCompatibleBitmap(pDC->m_hDC, size.cx, size.cy);
    }
    return g_hComposed;
}
}

void ForgetDrawnFrames()
{
    InterlockedIncrement(&g_nFrameGeneration);
}

BOOL CVarnelView::PaintFromKeptFrame(CDC* pDC)
{
    CVarnelDoc* pDoc = GetDocument();
    CRect rectClient;
    GetClientRect(&rectClient);
    if (pDoc == NULL || rectClient.IsRectEmpty())
        return FALSE;
    if (m_pKeptFrame == NULL)
        m_pKeptFrame = std::make_shared<CKeptFrame>();
    CKeptFrame& frame = *m_pKeptFrame;
    if (frame.size != rectClient.Size() || frame.bitmapKept.GetSafeHandle() == NULL)
    {
        frame.bValid = false;
        frame.elements.clear();
        frame.bitmapKept.DeleteObject();
        frame.size = CSize(0, 0);
        if (!frame.bitmapKept.CreateCompatibleBitmap(pDC, rectClient.Width(), rectClient.Height()))
            return FALSE;
        frame.size = rectClient.Size();
    }
    const HBITMAP hComposed = ComposedBitmap(pDC, rectClient.Size());
    CDC dcKept, dcComposed;
    if (hComposed == NULL || !dcKept.CreateCompatibleDC(pDC) || !dcComposed.CreateCompatibleDC(pDC))
        return FALSE;
    CBitmap* pOldKept = dcKept.SelectObject(&frame.bitmapKept);
    OnPrepareDC(&dcKept);
    AnchorPatternsToPage(&dcKept);

    CFrameKey key;
    key.sizeClient = rectClient.Size();
    key.ptPageOrigin = CPoint(0, 0);
    dcKept.LPtoDP(&key.ptPageOrigin);
    key.fZoom = m_fZoom;
    key.nSide = pDoc->m_nSide;
    key.sizeDesign = CSize(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
    key.clrPage = pDoc->m_nSide == 2 ? pDoc->m_clrBackgroundBack : pDoc->m_clrBackgroundFront;
    key.bGrid = m_bDisplayGrid;
    key.nGridType = m_nGridType;
    key.nGridSize = m_nGridSize;
    key.clrGrid = m_clrGrid;
    key.bInnerBorder = m_bInnerBorder;
    key.nGeneration = g_nFrameGeneration;

    // the shown side's elements as they are now, with the pixels each may touch
    const double fMargin = kBleedPixels / (m_fZoom > 0 ? m_fZoom : 1.0f) + 1;
    std::vector<CKeptElement> elements;
    elements.reserve(frame.elements.size());
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        if (pElement->m_nSide != pDoc->m_nSide)
            continue;
        elements.emplace_back();
        CKeptElement& kept = elements.back();
        kept.pElement = pElement;
        GetElementDrawnState(pElement, kept.state, &kept.pPicture);
        Gdiplus::RectF rc;
        if (GetElementDrawnBounds(pElement, CPoint(0, 0), rc))
        {
            CRect rect((int)floor(rc.X - fMargin), (int)floor(rc.Y - fMargin),
                       (int)ceil(rc.X + rc.Width + fMargin), (int)ceil(rc.Y + rc.Height + fMargin));
            dcKept.LPtoDP(&rect);
            rect.NormalizeRect();
            rect.InflateRect(1, 1);
            kept.rectPixels = rect;
        }
    }

    // what to draw anew: everything; or the strips a scroll brought into the window, the
    // rest moved along, and where a changed element was and is
    bool bWhole = g_bPlainPaint || !frame.bValid || elements.size() != frame.elements.size();
    CPoint ptShift(0, 0);
    if (!bWhole && !(key == frame.key))
    {
        CFrameKey keyMoved = frame.key;
        keyMoved.ptPageOrigin = key.ptPageOrigin;
        ptShift = key.ptPageOrigin - frame.key.ptPageOrigin;
        bWhole = !(keyMoved == key) || abs(ptShift.x) >= rectClient.Width() || abs(ptShift.y) >= rectClient.Height();
    }
    std::vector<CRect> dirty;
    CRect rectChanged(0, 0, 0, 0);
    for (size_t i = 0; !bWhole && i < elements.size(); i++)
    {
        const CKeptElement& now = elements[i];
        const CKeptElement& before = frame.elements[i];
        if (now.pElement != before.pElement)
            bWhole = true;
        else if (now.state != before.state)
        {
            if (now.rectPixels.IsRectEmpty() || before.rectPixels.IsRectEmpty())
                bWhole = true;
            const CRect rectBefore = before.rectPixels + ptShift;
            rectChanged.UnionRect(&rectChanged, &now.rectPixels);
            rectChanged.UnionRect(&rectChanged, &rectBefore);
        }
    }
    if (bWhole)
    {
        dirty.push_back(rectClient);
    }
    else
    {
        if (ptShift != CPoint(0, 0))
        {
            ResetToPixels(&dcKept);
            dcKept.BitBlt(ptShift.x, ptShift.y, rectClient.Width(), rectClient.Height(), &dcKept, 0, 0, SRCCOPY);
            OnPrepareDC(&dcKept);
            AnchorPatternsToPage(&dcKept);
            // the strips that come into view; and since the library draws an element cut by
            // an edge a little differently from one drawn whole, a band along the edges of
            // the scroll's direction, before and now
            const int w = rectClient.Width(), h = rectClient.Height(), b = kEdgeBand;
            if (ptShift.x != 0)
            {
                dirty.push_back(ptShift.x > 0 ? CRect(0, 0, ptShift.x + b, h) : CRect(w + ptShift.x - b, 0, w, h));
                dirty.push_back(ptShift.x > 0 ? CRect(w - b, 0, w, h) : CRect(0, 0, b, h));
            }
            if (ptShift.y != 0)
            {
                dirty.push_back(ptShift.y > 0 ? CRect(0, 0, w, ptShift.y + b) : CRect(0, h + ptShift.y - b, w, h));
                dirty.push_back(ptShift.y > 0 ? CRect(0, h - b, w, h) : CRect(0, 0, w, b));
            }
        }
        dirty.push_back(rectChanged);
    }

    std::vector<CRect> cull;
    cull.reserve(elements.size());
    for (const CKeptElement& kept : elements)
        cull.push_back(kept.rectPixels);
    for (CRect rectDirty : dirty)
    {
        rectDirty.IntersectRect(&rectDirty, &rectClient);
        if (rectDirty.IsRectEmpty())
            continue;
        frame.bValid = false;
        CRect rectLogical = rectDirty;
        dcKept.DPtoLP(&rectLogical);
        rectLogical.NormalizeRect();
        rectLogical.InflateRect(1, 1);
        dcKept.IntersectClipRect(&rectLogical);
        CRect rectClip;
        dcKept.GetClipBox(&rectClip);
        CRect rectClipPixels = rectClip;
        dcKept.LPtoDP(&rectClipPixels);
        rectClipPixels.NormalizeRect();
        rectClipPixels.InflateRect(1, 1);
        DrawDesignLayer(this, pDoc, &dcKept, rectClip, true, false, &cull, rectClipPixels);
        dcKept.SelectClipRgn(NULL);
    }
    frame.key = key;
    frame.elements.swap(elements);
    frame.bValid = true;

    // the selection and the element being drawn over a copy, then the window
    ResetToPixels(&dcKept);
    const HGDIOBJ hOldComposed = ::SelectObject(dcComposed.m_hDC, hComposed);
    dcComposed.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcKept, 0, 0, SRCCOPY);
    dcKept.SelectObject(pOldKept);
    OnPrepareDC(&dcComposed);
    dcComposed.SetBrushOrg(0, 0);
    pDoc->m_tracker.DrawSelection(&dcComposed);
    if (m_pNewElement != NULL)
        m_pNewElement->DrawDC(&dcComposed);
    ResetToPixels(&dcComposed);
    ResetToPixels(pDC);
    pDC->BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcComposed, 0, 0, SRCCOPY);
    ::SelectObject(dcComposed.m_hDC, hOldComposed);
    return TRUE;
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
        if (m_hWnd != NULL && !pDC->IsPrinting() && PaintFromKeptFrame(pDC))
        {
            ShowZoomInStatusBar(m_fZoom);
            return;
        }
        if (m_pKeptFrame != NULL)
            m_pKeptFrame->bValid = false;

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
            AnchorPatternsToPage(&dcMem);
            dcMem.IntersectClipRect(&rectClip);
            pDrawDC = &dcMem;
        }

        DrawDesignLayer(this, pDoc, pDrawDC, rectClip, pDrawDC == &dcMem, pDC->IsPrinting() != FALSE);
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
        ResetToPixels(pDC);
        ResetToPixels(&dcMem);
        dcMem.SelectClipRgn(NULL);
        pDC->BitBlt(rectPixels.left, rectPixels.top, rectPixels.Width(), rectPixels.Height(),
                    &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOldBitmap);
        dcMem.SetMapMode(MM_ANISOTROPIC);
    }
    ShowZoomInStatusBar(m_fZoom);
}

BOOL CVarnelView::DrawScaledBackground(CDC* pDC, CElement* pElement, BOOL bKeep)
{
    CBkgImage* pBackground = DYNAMIC_DOWNCAST(CBkgImage, pElement);
    if (pBackground == NULL || pBackground->m_pBitmap == NULL)
        return FALSE;

    // the picture lies from the page's corner over its rectangle's size
    CPoint ptOrigin(0, 0);
    pDC->LPtoDP(&ptOrigin);
    CRect rectPicture(0, 0, pElement->m_rect.Width(), pElement->m_rect.Height());
    pDC->LPtoDP(&rectPicture);
    if (rectPicture.left != ptOrigin.x || rectPicture.top != ptOrigin.y)
        return FALSE;                   // a mirrored rectangle: drawn as it is
    CBackgroundKey key;
    key.pElement = pElement;
    key.pPicture = pBackground->m_pBitmap;
    key.sizePixels = CSize(rectPicture.Width(), rectPicture.Height());
    key.nSide = GetDocument() != NULL ? GetDocument()->m_nSide : 0;
    if (key.sizePixels.cx <= 0 || key.sizePixels.cy <= 0
        || (LONGLONG)key.sizePixels.cx * key.sizePixels.cy > kMaxKeptBackgroundPixels)
        return FALSE;

    CBackgroundEntry scratch;
    CBackgroundEntry* pEntry = bKeep ? FindBackground(key) : NULL;
    if (pEntry == NULL)
    {
        pEntry = bKeep ? &OldestBackground() : &scratch;
        pEntry->key = key;
        pEntry->nColumns = (key.sizePixels.cx + kBackgroundTile - 1) / kBackgroundTile;
        pEntry->nRows = (key.sizePixels.cy + kBackgroundTile - 1) / kBackgroundTile;
        pEntry->tiles.clear();
        pEntry->tiles.resize((size_t)pEntry->nColumns * pEntry->nRows);
        pEntry->bUsed = bKeep != FALSE;
    }
    pEntry->nLastUse = ++g_nBackgroundUse;

    // the pieces under the clip box, in pixels of the scaled picture
    CRect rectClip;
    pDC->GetClipBox(&rectClip);
    pDC->LPtoDP(&rectClip);
    rectClip.NormalizeRect();
    rectClip.InflateRect(1, 1);
    rectClip.OffsetRect(-ptOrigin);
    CRect rectNeeded;
    if (!rectNeeded.IntersectRect(&rectClip, CRect(CPoint(0, 0), key.sizePixels)))
        return TRUE;

    CDC dcTile;
    if (!dcTile.CreateCompatibleDC(pDC))
        return FALSE;
    const int nSaved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);
    BOOL bDrawn = TRUE;
    HGDIOBJ hOld = NULL;
    for (int nRow = rectNeeded.top / kBackgroundTile; nRow <= (rectNeeded.bottom - 1) / kBackgroundTile; nRow++)
    {
        for (int nColumn = rectNeeded.left / kBackgroundTile; nColumn <= (rectNeeded.right - 1) / kBackgroundTile;
             nColumn++)
        {
            CRect rectTile(nColumn * kBackgroundTile, nRow * kBackgroundTile, 0, 0);
            rectTile.right = std::min<LONG>(rectTile.left + kBackgroundTile, key.sizePixels.cx);
            rectTile.bottom = std::min<LONG>(rectTile.top + kBackgroundTile, key.sizePixels.cy);
            std::unique_ptr<CBackgroundTile>& pTile = pEntry->tiles[(size_t)nRow * pEntry->nColumns + nColumn];
            if (pTile == NULL)
                pTile.reset(ScaleBackgroundTile(pBackground->m_pBitmap.get(), key.sizePixels, rectTile));
            if (pTile == NULL)
            {
                bDrawn = FALSE;
                continue;
            }
            HGDIOBJ hPrevious = ::SelectObject(dcTile.m_hDC, pTile->hBitmap);
            if (hOld == NULL)
                hOld = hPrevious;
            const int x = ptOrigin.x + rectTile.left, y = ptOrigin.y + rectTile.top;
            if (pTile->bOpaque)
            {
                ::BitBlt(pDC->m_hDC, x, y, rectTile.Width(), rectTile.Height(), dcTile.m_hDC, 0, 0, SRCCOPY);
            }
            else
            {
                BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
                ::AlphaBlend(pDC->m_hDC, x, y, rectTile.Width(), rectTile.Height(), dcTile.m_hDC, 0, 0,
                             rectTile.Width(), rectTile.Height(), blend);
            }
        }
    }
    if (hOld != NULL)
        ::SelectObject(dcTile.m_hDC, hOld);
    pDC->RestoreDC(nSaved);
    return bDrawn;
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
