// VarnelViewDraw.cpp - painting of the design view: desk, page, grid, borders, elements,
// selection and the element being drawn, through an off-screen bitmap.

#include "VarnelView.h"
#include "DesignPaint.h"
#include "model/Element.h"
#include "model/ElementDraw.h"
#include "model/FillPainter.h"
#include "model/PictureElements.h"
#include "model/PictureLoad.h"
#include "model/TextDraw.h"
#include "model/VarnelDoc.h"

#include <objidl.h>
#include <gdiplus.h>

#include <limits.h>
#include <math.h>
#include <string.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
const COLORREF kDeskColor = RGB(192, 192, 192);
const COLORREF kInnerBorderColor = RGB(204, 204, 204);
const int kInnerBorderInset = 6;
// Grid lines closer than this (pixels) are not drawn.
const int kMinGridStep = 2;
// Backgrounds kept: for a view or two, each at its zoom and the zoom steps in and out.
const int kBackgroundCacheEntries = 6;
// Largest background kept scaled at the zoom (pixels).
const LONGLONG kMaxKeptBackgroundPixels = 16 * 1024 * 1024;
// Side of the square pieces a background is scaled in, as the paints need them.
const int kBackgroundTile = 128;
// Pixels the kept frame reaches beyond the window on every side (a multiple of the
// patterns' 8): an element is drawn cut by the edge of what it is drawn on a little
// differently from one drawn whole, so the window's pixels are drawn far from it.
const int kFrameMargin = 128;
// The timer of the idle scaling of backgrounds for the next zooms, and the time it takes
// at most before letting input in (milliseconds).
const UINT_PTR kScaleAheadTimer = 0x5A53;
const DWORD kScaleAheadSlice = 8;
// Milliseconds without a paint before the idle scaling starts.
const UINT kScaleAheadDelay = 100;
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

// The key of a background picture drawn from pieces scaled to pDC's mapping, and the
// page's corner on the device; FALSE when it is drawn the ordinary way (no picture, a
// mirrored rectangle, too large to keep).
bool GetBackgroundKey(CDC* pDC, CElement* pElement, int nSide, CBackgroundKey& key, CPoint& ptOrigin)
{
    CBkgImage* pBackground = DYNAMIC_DOWNCAST(CBkgImage, pElement);
    if (pBackground == NULL || pBackground->m_pBitmap == NULL)
        return false;
    // the picture lies from the page's corner over its rectangle's size
    ptOrigin = CPoint(0, 0);
    pDC->LPtoDP(&ptOrigin);
    CRect rectPicture(0, 0, pElement->m_rect.Width(), pElement->m_rect.Height());
    pDC->LPtoDP(&rectPicture);
    if (rectPicture.left != ptOrigin.x || rectPicture.top != ptOrigin.y)
        return false;                   // a mirrored rectangle: drawn as it is
    key.pElement = pElement;
    key.pPicture = pBackground->m_pBitmap;
    key.sizePixels = CSize(rectPicture.Width(), rectPicture.Height());
    key.nSide = nSide;
    return key.sizePixels.cx > 0 && key.sizePixels.cy > 0
           && (LONGLONG)key.sizePixels.cx * key.sizePixels.cy <= kMaxKeptBackgroundPixels;
}

// Whole pieces given up are kept for new ones, up to a number: their memory is in place
// already, which spares a paint at a new zoom touching new pages.
const size_t kMaxSpareTiles = 64;
std::vector<std::pair<HBITMAP, void*>> g_spareTiles;

// One piece of a scaled background: premultiplied 32-bit pixels, top row first.
struct CBackgroundTile
{
    CBackgroundTile() = default;
    CBackgroundTile(const CBackgroundTile&) = delete;
    CBackgroundTile& operator=(const CBackgroundTile&) = delete;
    ~CBackgroundTile()
    {
        if (hBitmap == NULL)
            return;
        if (bWhole && g_spareTiles.size() < kMaxSpareTiles)
            g_spareTiles.emplace_back(hBitmap, pBits);
        else
            ::DeleteObject(hBitmap);
    }
    HBITMAP hBitmap = NULL;
    void* pBits = NULL;
    bool bWhole = false;    // kBackgroundTile pixels a side
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

// An entry made ready for the pieces of a key, none scaled yet.
void StartBackground(CBackgroundEntry& entry, const CBackgroundKey& key, bool bKeep)
{
    entry.key = key;
    entry.nColumns = (key.sizePixels.cx + kBackgroundTile - 1) / kBackgroundTile;
    entry.nRows = (key.sizePixels.cy + kBackgroundTile - 1) / kBackgroundTile;
    entry.tiles.clear();
    entry.tiles.resize((size_t)entry.nColumns * entry.nRows);
    entry.bUsed = bKeep;
    entry.nLastUse = ++g_nBackgroundUse;
}

// The kept entry of a key, made in place of the one used longest ago when there is none.
CBackgroundEntry& KeptBackground(const CBackgroundKey& key)
{
    CBackgroundEntry* pEntry = FindBackground(key);
    if (pEntry == NULL)
    {
        pEntry = &OldestBackground();
        StartBackground(*pEntry, key, true);
    }
    pEntry->nLastUse = ++g_nBackgroundUse;
    return *pEntry;
}

// Mixes two opaque colours, nPos/255 of the way from one to the other: red and blue side
// by side, each channel's sum divided by 255 rounding down.
inline DWORD MixOpaque(DWORD clrFrom, DWORD clrTo, DWORD nPos)
{
    auto Divide = [](DWORD n) { return ((n + 0x00010001 + ((n >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF; };
    const DWORD nRedBlue = (clrFrom & 0x00FF00FF) * (255 - nPos) + (clrTo & 0x00FF00FF) * nPos;
    const DWORD nGreen = ((clrFrom >> 8) & 0xFF) * (255 - nPos) + ((clrTo >> 8) & 0xFF) * nPos;
    return 0xFF000000 | Divide(nRedBlue) | (Divide(nGreen) << 8);
}

// Mixes two unpremultiplied colours, nPos/255 of the way from one to the other, weighed by
// their alpha, as the imaging library's bilinear drawing does.
inline DWORD MixColors(DWORD clrFrom, DWORD clrTo, int nPos)
{
    if (((clrFrom & clrTo) >> 24) == 0xFF)
        return MixOpaque(clrFrom, clrTo, (DWORD)nPos);
    const int nFrom = (int)(clrFrom >> 24) * (nPos ^ 0xFF), nTo = (int)(clrTo >> 24) * nPos;
    const int nAlpha = nFrom + nTo;
    if (nAlpha < 0xFF)
        return 0;
    DWORD clr = (DWORD)(nAlpha / 0xFF) << 24;
    for (int nShift = 0; nShift < 24; nShift += 8)
        clr |= (DWORD)(((int)((clrFrom >> nShift) & 0xFF) * nFrom + (int)((clrTo >> nShift) & 0xFF) * nTo) / nAlpha)
               << nShift;
    return clr;
}

// Where one row or column of the scaled picture samples the picture: the two pixels it
// lies between (either may be outside) and how far from the first, in 255ths.
struct CSampleAt
{
    int nFrom;
    int nTo;
    int nPos;
};

void SampleAxis(int nFirst, int nEnd, int nPicture, int nScaled, std::vector<CSampleAt>& samples)
{
    // the library's step: the inverse of its scale
    const float fStep = 1.0f / ((float)nScaled / (float)nPicture);
    samples.resize(nEnd - nFirst);
    for (int i = nFirst; i < nEnd; i++)
    {
        const float f = (float)i * fStep;
        const float fFloor = floorf(f);
        // (the first pixel within the picture whatever the rounding)
        samples[i - nFirst] = CSampleAt{std::min((int)fFloor, nPicture - 1), (int)ceilf(f),
                                        (int)((f - fFloor) * 255.0f + 0.5f)};
    }
}

// An unpremultiplied colour premultiplied, rounded as the library does.
inline DWORD Premultiplied(DWORD clr)
{
    const DWORD nAlpha = clr >> 24;
    DWORD clrPremultiplied = nAlpha << 24;
    for (int nShift = 0; nShift < 24; nShift += 8)
        clrPremultiplied |= ((((clr >> nShift) & 0xFF) * nAlpha + 127) / 255) << nShift;
    return clrPremultiplied;
}

// The rows of the picture a piece reads, each mixed across at the piece's columns
// (outside the picture: transparent); the last two are kept, each with whether it is all
// opaque.
class CMixedRows
{
public:
    CMixedRows(const Gdiplus::BitmapData& data, const Gdiplus::Rect& rectRead, const std::vector<CSampleAt>& columns,
               CSize sizePicture)
        : m_data(data), m_rectRead(rectRead), m_columns(columns), m_sizePicture(sizePicture)
    {
        while (m_nInside < columns.size() && columns[m_nInside].nTo < sizePicture.cx)
            m_nInside++;
        for (std::vector<DWORD>& row : m_rows)
            row.resize(columns.size());
    }

    const DWORD* Row(int nRow, bool& bOpaque)
    {
        for (int n = 0; n < 2; n++)
        {
            if (m_nRow[n] == nRow)
            {
                bOpaque = m_bOpaque[n];
                return m_rows[n].data();
            }
        }
        const int n = m_nNext;
        m_nNext ^= 1;
        m_nRow[n] = nRow;
        bOpaque = m_bOpaque[n] = Mix(nRow, m_rows[n].data());
        return m_rows[n].data();
    }

private:
    // TRUE when the mixed row is all opaque.
    bool Mix(int nRow, DWORD* pOut) const
    {
        if (nRow < 0 || nRow >= m_sizePicture.cy)
        {
            std::fill(pOut, pOut + m_columns.size(), 0);
            return false;
        }
        const DWORD* pIn = (const DWORD*)((const BYTE*)m_data.Scan0 + (ptrdiff_t)(nRow - m_rectRead.Y) * m_data.Stride)
                           - m_rectRead.X;
        DWORD nAll = 0xFF000000;
        for (int x = m_rectRead.X; x < m_rectRead.X + m_rectRead.Width; x++)
            nAll &= pIn[x];
        size_t x = 0;
        if (nAll == 0xFF000000)
        {
            for (; x < m_nInside; x++)
            {
                const CSampleAt& s = m_columns[x];
                pOut[x] = s.nPos == 0 ? pIn[s.nFrom] : MixOpaque(pIn[s.nFrom], pIn[s.nTo], (DWORD)s.nPos);
            }
        }
        for (; x < m_columns.size(); x++)
        {
            const CSampleAt& s = m_columns[x];
            pOut[x] = MixColors(pIn[s.nFrom], s.nTo < m_sizePicture.cx ? pIn[s.nTo] : 0, s.nPos);
            nAll &= pOut[x];
        }
        return nAll == 0xFF000000;
    }

    const Gdiplus::BitmapData& m_data;
    const Gdiplus::Rect m_rectRead;
    const std::vector<CSampleAt>& m_columns;
    const CSize m_sizePicture;
    size_t m_nInside = 0;       // the columns that lie between two pixels of the picture
    std::vector<DWORD> m_rows[2];
    int m_nRow[2] = {INT_MIN, INT_MIN};
    bool m_bOpaque[2] = {false, false};
    int m_nNext = 0;
};

// A piece's bitmap of rectTile's size, a spare one when it is whole; NULL when none can
// be made.
CBackgroundTile* NewTile(const CRect& rectTile)
{
    std::unique_ptr<CBackgroundTile> pTile(new CBackgroundTile);
    pTile->bWhole = rectTile.Width() == kBackgroundTile && rectTile.Height() == kBackgroundTile;
    if (pTile->bWhole && !g_spareTiles.empty())
    {
        std::tie(pTile->hBitmap, pTile->pBits) = g_spareTiles.back();
        g_spareTiles.pop_back();
        return pTile.release();
    }
    const BITMAPINFO info = TopDownPixelsInfo(rectTile.Width(), rectTile.Height());
    pTile->hBitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pTile->pBits, NULL, 0);
    return pTile->hBitmap != NULL && pTile->pBits != NULL ? pTile.release() : NULL;
}

// One piece of a picture scaled to sizePixels: the pixels of rectTile (in the scaled
// picture), each as the library's bilinear drawing of the whole picture into
// (0, 0, sizePixels) gives it, so a piece does not depend on where the others lie.
CBackgroundTile* ScaleBackgroundTile(Gdiplus::Bitmap* pPicture, CSize sizePixels, const CRect& rectTile)
{
    const CSize sizePicture((int)pPicture->GetWidth(), (int)pPicture->GetHeight());
    if (sizePicture.cx <= 0 || sizePicture.cy <= 0 || rectTile.IsRectEmpty())
        return NULL;
    std::vector<CSampleAt> columns, rows;
    SampleAxis(rectTile.left, rectTile.right, sizePicture.cx, sizePixels.cx, columns);
    SampleAxis(rectTile.top, rectTile.bottom, sizePicture.cy, sizePixels.cy, rows);
    // the part of the picture the piece reads
    const int nLeft = columns.front().nFrom, nTop = rows.front().nFrom;
    const Gdiplus::Rect rectRead(nLeft, nTop, std::min<int>(columns.back().nTo, sizePicture.cx - 1) - nLeft + 1,
                                 std::min<int>(rows.back().nTo, sizePicture.cy - 1) - nTop + 1);
    std::unique_ptr<CBackgroundTile> pTile(NewTile(rectTile));
    Gdiplus::BitmapData data;
    if (pTile == NULL
        || pPicture->LockBits(&rectRead, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return NULL;
    CMixedRows mixed(data, rectRead, columns, sizePicture);
    const size_t nColumns = columns.size();
    for (size_t y = 0; y < rows.size(); y++)
    {
        bool bTopOpaque = false, bBottomOpaque = false;
        const DWORD* pTop = mixed.Row(rows[y].nFrom, bTopOpaque);
        const DWORD* pBottom = mixed.Row(rows[y].nTo, bBottomOpaque);
        DWORD* pOut = (DWORD*)pTile->pBits + y * nColumns;
        const DWORD nPos = (DWORD)rows[y].nPos;
        if (bTopOpaque && nPos == 0)
            memcpy(pOut, pTop, nColumns * sizeof(DWORD));
        else if (bTopOpaque && bBottomOpaque)
        {
            for (size_t x = 0; x < nColumns; x++)
                pOut[x] = MixOpaque(pTop[x], pBottom[x], nPos);
        }
        else
        {
            // premultiplied where not opaque, as the piece is blended then
            for (size_t x = 0; x < nColumns; x++)
            {
                const DWORD clr = MixColors(pTop[x], pBottom[x], (int)nPos);
                pTile->bOpaque = pTile->bOpaque && (clr >> 24) == 0xFF;
                pOut[x] = (clr >> 24) == 0xFF ? clr : Premultiplied(clr);
            }
        }
    }
    pPicture->UnlockBits(&data);
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
// (empty: not known), and pDrawn the pixels to draw; elements whose pixels miss
// them are skipped without working out their bounds again.
// In slices: from the shown side's element nFirst (desk and page only with the first),
// stopping after the element that reaches the tick count nDeadline (0: none). Answers the
// element the next slice starts with; kAllDrawn when none is left.
const size_t kAllDrawn = (size_t)-1;
size_t DrawDesignLayer(CVarnelView* pView, CVarnelDoc* pDoc, CDC* pDrawDC, const CRect& rectClip,
                       bool bMemory, bool bPrinting, const std::vector<CRect>* pCull = NULL,
                       const std::vector<CRect>* pDrawn = NULL, size_t nFirst = 0, DWORD nDeadline = 0)
{
    if (nFirst == 0)
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
    }

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
    if (g_bPlainPaint)
        ForgetGradientFills();  // the plain paint makes every fill anew, so a stale kept one shows
    std::unique_ptr<CGradientFillScope> pGradients(bMemory && !bPrinting ? new CGradientFillScope(pDrawDC->m_hDC)
                                                                        : NULL);
    std::unique_ptr<Gdiplus::Graphics> pShared;
    size_t nShown = 0;
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        const bool bShown = pElement->m_nSide == pDoc->m_nSide;
        if (nShown < nFirst)
        {
            nShown += bShown;   // drawn by an earlier slice
            continue;
        }
        if (bShown)
        {
            const CRect* pPixels = pCull != NULL && nShown < pCull->size() ? &(*pCull)[nShown] : NULL;
            nShown++;
            const bool bScaled = pElement->m_nKind == KIND_BACKGROUND && bMemory
                                 && pView->DrawScaledBackground(pDrawDC, pElement, !g_bPlainPaint);
            if (bScaled)
                ;       // drawn from its scaled pieces
            else if (!bFast)
                pElement->DrawDC(pDrawDC);
            else if (pPixels != NULL && !pPixels->IsRectEmpty() && pDrawn != NULL
                         ? std::any_of(pDrawn->begin(), pDrawn->end(),
                                       [&](const CRect& r) { return CRect().IntersectRect(pPixels, &r) != FALSE; })
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
        if (bShown && nDeadline != 0 && (LONG)(::GetTickCount() - nDeadline) >= 0)
            return nShown;
    }
    return kAllDrawn;
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
    bool bScaledPieces = false;                     // a background drawn from scaled pieces
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

// Frames drawn while idle for the zooms a step in and out leads to, each at the scroll
// position the view has now; a zoom step takes the one of its zoom as its kept frame.
struct CFrameAhead
{
    std::shared_ptr<CKeptFrame> pFrame = std::make_shared<CKeptFrame>();
    size_t nNext = 0;           // the element the next slice draws; kAllDrawn when done
};
struct CFramesAhead
{
    CFrameAhead ahead[2];
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

namespace
{
// The pixels of the kept frame that the window shows: the frame reaches kFrameMargin
// beyond the window on every side.
CRect WindowInFrame(CSize sizeClient)
{
    return CRect(CPoint(kFrameMargin, kFrameMargin), sizeClient);
}

// What the frame's pixels depend on besides its elements, as dcKept maps them now.
CFrameKey MakeFrameKey(CVarnelView* pView, CVarnelDoc* pDoc, CDC& dcKept, CSize sizeClient)
{
    CFrameKey key;
    key.sizeClient = sizeClient;
    key.ptPageOrigin = CPoint(0, 0);
    dcKept.LPtoDP(&key.ptPageOrigin);
    key.fZoom = pView->GetZoom();
    key.nSide = pDoc->m_nSide;
    key.sizeDesign = CSize(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
    key.clrPage = pDoc->m_nSide == 2 ? pDoc->m_clrBackgroundBack : pDoc->m_clrBackgroundFront;
    key.bGrid = pView->m_bDisplayGrid;
    key.nGridType = pView->m_nGridType;
    key.nGridSize = pView->m_nGridSize;
    key.clrGrid = pView->m_clrGrid;
    key.bInnerBorder = pView->m_bInnerBorder;
    key.nGeneration = g_nFrameGeneration;
    return key;
}

// An element as it is now, with the frame pixels it may touch.
void KeepElement(CElement* pElement, CDC& dcKept, int nSide, float fZoom, CKeptElement& kept)
{
    const double fMargin = kBleedPixels / (fZoom > 0 ? fZoom : 1.0f) + 1;
    kept.pElement = pElement;
    GetElementDrawnState(pElement, kept.state, &kept.pPicture);
    CBackgroundKey keyBackground;
    CPoint ptOrigin;
    kept.bScaledPieces = pElement->m_nKind == KIND_BACKGROUND
                         && GetBackgroundKey(&dcKept, pElement, nSide, keyBackground, ptOrigin);
    kept.rectPixels.SetRectEmpty();
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

// The shown side's elements as they are now, each with the frame pixels it may touch.
void CollectKeptElements(CVarnelDoc* pDoc, CDC& dcKept, float fZoom, size_t nExpected,
                         std::vector<CKeptElement>& elements)
{
    elements.reserve(nExpected);
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        if (pElement->m_nSide != pDoc->m_nSide)
            continue;
        elements.emplace_back();
        KeepElement(pElement, dcKept, pDoc->m_nSide, fZoom, elements.back());
    }
}

// TRUE when the shown side holds the kept elements, in their order.
bool SameElements(CVarnelDoc* pDoc, const std::vector<CKeptElement>& elements)
{
    size_t i = 0;
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        const CElement* pElement = pDoc->m_listElements.GetNext(pos);
        if (pElement->m_nSide != pDoc->m_nSide)
            continue;
        if (i >= elements.size() || elements[i].pElement != pElement)
            return false;
        i++;
    }
    return i == elements.size();
}

// The library draws an element cut by the edge of its bitmap a little differently from
// one drawn whole, all over it; and a picture a little differently where a clip cuts it
// and wherever it lies on the device. So after a scroll by ptShift the elements across
// an edge of the frame that the scroll moves them along (before or now) and every
// picture are drawn anew where the window shows them, and so is a picture across the edge of a rectangle drawn anew; the
// rectangles are added to dirty.
void AddCutElements(const CKeptFrame& frame, const std::vector<CKeptElement>& elements, CPoint ptShift,
                    const CRect& rectWindow, std::vector<CRect>& dirty)
{
    const CRect rectFrame(CPoint(0, 0), frame.size);
    auto Within = [](const CRect& rect, const CRect& rectOuter) {
        return rect.left >= rectOuter.left && rect.top >= rectOuter.top && rect.right <= rectOuter.right
               && rect.bottom <= rectOuter.bottom;
    };
    // where the window shows an element, before and now
    auto Shown = [&](size_t i) {
        CRect rectShown, rectBeforeShown;
        rectShown.IntersectRect(&elements[i].rectPixels, &rectWindow);
        const CRect rectBefore = frame.elements[i].rectPixels + ptShift;
        rectBeforeShown.IntersectRect(&rectBefore, &rectWindow);
        rectShown.UnionRect(&rectShown, &rectBeforeShown);
        return rectShown;
    };
    const bool bMoved = ptShift != CPoint(0, 0);
    std::vector<size_t> pictures;
    std::vector<CRect> across;
    for (size_t i = 0; i < elements.size(); i++)
    {
        const CKeptElement& kept = elements[i];
        if (kept.bScaledPieces || kept.rectPixels.IsRectEmpty() || Shown(i).IsRectEmpty())
            continue;
        if (kept.pPicture != NULL)
            pictures.push_back(i);
        else if (bMoved)
        {
            // cut across the scroll's direction: along it the cut stays where it was
            const CRect& rectBefore = frame.elements[i].rectPixels;
            bool bCut = false;
            for (const CRect* p : {&kept.rectPixels, &rectBefore})
                bCut = bCut || (ptShift.x != 0 && (p->left < rectFrame.left || p->right > rectFrame.right))
                       || (ptShift.y != 0 && (p->top < rectFrame.top || p->bottom > rectFrame.bottom));
            if (bCut)
                across.push_back(Shown(i));
        }
    }
    dirty.insert(dirty.end(), across.begin(), across.end());
    std::vector<bool> added(pictures.size(), false);
    for (bool bAdded = true; bAdded;)
    {
        bAdded = false;
        for (size_t n = 0; n < pictures.size(); n++)
        {
            const CRect rectShown = Shown(pictures[n]);
            bool bCut = bMoved;
            for (size_t j = 0; j < dirty.size() && !bCut; j++)
                bCut = !dirty[j].IsRectEmpty() && CRect().IntersectRect(&rectShown, &dirty[j])
                       && !Within(rectShown, dirty[j]);
            if (added[n] || !bCut)
                continue;
            dirty.push_back(rectShown);
            added[n] = true;
            bAdded = true;
        }
    }
}

// What a paint draws anew, in frame pixels: the whole window when the frame cannot be
// kept; else the strips a scroll brings into the window (ptShift: how far the frame moves)
// and where a changed element was and is. TRUE when the whole window is to be drawn.
bool FindDirtyRects(const CKeptFrame& frame, const CFrameKey& key, const std::vector<CKeptElement>& elements,
                    CPoint& ptShift, std::vector<CRect>& dirty)
{
    const CRect rectWindow = WindowInFrame(key.sizeClient);
    ptShift = CPoint(0, 0);
    bool bWhole = g_bPlainPaint || !frame.bValid || elements.size() != frame.elements.size();
    if (!bWhole && !(key == frame.key))
    {
        CFrameKey keyMoved = frame.key;
        keyMoved.ptPageOrigin = key.ptPageOrigin;
        keyMoved.sizeClient = key.sizeClient;
        ptShift = key.ptPageOrigin - frame.key.ptPageOrigin;
        bWhole = !(keyMoved == key) || abs(ptShift.x) >= rectWindow.Width() || abs(ptShift.y) >= rectWindow.Height()
                 || (key.sizeClient != frame.key.sizeClient && ptShift != CPoint(0, 0));
    }
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
    dirty.clear();
    if (bWhole)
    {
        ptShift = CPoint(0, 0);
        dirty.push_back(rectWindow);
        return true;
    }
    dirty.push_back(rectChanged);
    // the strips that come into view
    const CRect& r = rectWindow;
    if (ptShift.x != 0)
        dirty.push_back(ptShift.x > 0 ? CRect(r.left, r.top, r.left + ptShift.x, r.bottom)
                                      : CRect(r.right + ptShift.x, r.top, r.right, r.bottom));
    if (ptShift.y != 0)
        dirty.push_back(ptShift.y > 0 ? CRect(r.left, r.top, r.right, r.top + ptShift.y)
                                      : CRect(r.left, r.bottom + ptShift.y, r.right, r.bottom));
    if (key.sizeClient != frame.key.sizeClient)
    {
        // a new size keeps the frame's top-left corner: what it brings into the window, and
        // the elements across the frame's right or bottom edge, before or now (a background
        // drawn from its pieces is drawn alike wherever it is cut)
        const CRect rectBefore = WindowInFrame(frame.key.sizeClient);
        if (r.right > rectBefore.right)
            dirty.push_back(CRect(rectBefore.right, r.top, r.right, r.bottom));
        if (r.bottom > rectBefore.bottom)
            dirty.push_back(CRect(r.left, rectBefore.bottom, r.right, r.bottom));
        const CSize sizeInner(std::min(rectBefore.right, r.right) + kFrameMargin,
                              std::min(rectBefore.bottom, r.bottom) + kFrameMargin);
        for (const CKeptElement& kept : elements)
        {
            CRect rectShown;
            if (!kept.bScaledPieces && (kept.rectPixels.right > sizeInner.cx || kept.rectPixels.bottom > sizeInner.cy)
                && rectShown.IntersectRect(&kept.rectPixels, &r))
                dirty.push_back(rectShown);
        }
    }
    AddCutElements(frame, elements, ptShift, rectWindow, dirty);
    return false;
}

// The kept frame's mapping: the view's, moved by the frame's margin.
void PrepareFrameDC(CVarnelView* pView, CDC* pDC)
{
    pView->OnPrepareDC(pDC);
    pDC->OffsetViewportOrg(kFrameMargin, kFrameMargin);
    AnchorPatternsToPage(pDC);
}

// Draws desk, page and elements anew within the rectangles (frame pixels), cut to the
// window's part of the frame, in one pass (or in slices: see DrawDesignLayer).
size_t DrawFrameRects(CVarnelView* pView, CKeptFrame& frame, CDC* pKept, const std::vector<CRect>& dirty,
                      const std::vector<CKeptElement>& elements, const CRect& rectWindow, size_t nFirst = 0,
                      DWORD nDeadline = 0)
{
    std::vector<CRect> drawn;
    CRgn rgnDirty;
    if (!rgnDirty.CreateRectRgn(0, 0, 0, 0))
        AfxThrowResourceException();
    for (CRect rectDirty : dirty)
    {
        rectDirty.IntersectRect(&rectDirty, &rectWindow);
        if (rectDirty.IsRectEmpty())
            continue;
        CRgn rgn;
        if (!rgn.CreateRectRgnIndirect(&rectDirty))
            AfxThrowResourceException();
        rgnDirty.CombineRgn(&rgnDirty, &rgn, RGN_OR);
        rectDirty.InflateRect(1, 1);
        drawn.push_back(rectDirty);
    }
    if (drawn.empty())
        return kAllDrawn;
    std::vector<CRect> cull;
    cull.reserve(elements.size());
    for (const CKeptElement& kept : elements)
        cull.push_back(kept.rectPixels);
    frame.bValid = false;
    // cut to the pixels exactly, as the plain paint is to the window's
    pKept->SelectClipRgn(&rgnDirty);
    CRect rectClip;
    pKept->GetClipBox(&rectClip);
    const size_t nNext = DrawDesignLayer(pView, pView->GetDocument(), pKept, rectClip, true, false, &cull, &drawn,
                                         nFirst, nDeadline);
    pKept->SelectClipRgn(NULL);
    return nNext;
}

// The selection and the element being drawn over a copy of the window's part of the
// frame, then the window.
void ShowKeptFrame(CVarnelView* pView, CDC* pDC, CDC* pKept, HBITMAP hComposed, CSize sizeClient)
{
    CDC dcComposed;
    if (!dcComposed.CreateCompatibleDC(pDC))
        return;
    const HGDIOBJ hOldComposed = ::SelectObject(dcComposed.m_hDC, hComposed);
    dcComposed.BitBlt(0, 0, sizeClient.cx, sizeClient.cy, pKept, kFrameMargin, kFrameMargin, SRCCOPY);
    pView->OnPrepareDC(&dcComposed);
    dcComposed.SetBrushOrg(0, 0);
    pView->GetDocument()->m_tracker.DrawSelection(&dcComposed);
    if (pView->m_pNewElement != NULL)
        pView->m_pNewElement->DrawDC(&dcComposed);
    ResetToPixels(&dcComposed);
    ResetToPixels(pDC);
    pDC->BitBlt(0, 0, sizeClient.cx, sizeClient.cy, &dcComposed, 0, 0, SRCCOPY);
    ::SelectObject(dcComposed.m_hDC, hOldComposed);
}
}

// Moves the kept frame with the scroll, draws what changed or came into view, then shows it.
BOOL CVarnelView::PaintFromKeptFrame(CDC* pDC)
{
    CVarnelDoc* pDoc = GetDocument();
    CRect rectClient;
    GetClientRect(&rectClient);
    if (pDoc == NULL || rectClient.IsRectEmpty())
        return FALSE;
    if (m_pKeptFrame == NULL)
        m_pKeptFrame = std::make_shared<CKeptFrame>();
    if (m_pFramesAhead != NULL && !(m_pKeptFrame->bValid && m_pKeptFrame->key.fZoom == m_fZoom))
    {
        // after a zoom step: the frame drawn ahead for it, and the one left kept for a
        // step back
        for (CFrameAhead& ahead : m_pFramesAhead->ahead)
        {
            if (ahead.nNext == kAllDrawn && ahead.pFrame->bValid && ahead.pFrame->key.fZoom == m_fZoom)
            {
                ahead.pFrame.swap(m_pKeptFrame);
                ahead.nNext = ahead.pFrame->bValid ? kAllDrawn : 0;
                break;
            }
        }
    }
    CKeptFrame& frame = *m_pKeptFrame;
    const CSize sizeFrame(rectClient.Width() + 2 * kFrameMargin, rectClient.Height() + 2 * kFrameMargin);
    if (frame.size != sizeFrame || frame.bitmapKept.GetSafeHandle() == NULL)
    {
        // a frame of another size keeps its pixels from the top-left corner
        CBitmap bitmapNew;
        CDC dcFrom, dcTo;
        if (!bitmapNew.CreateCompatibleBitmap(pDC, sizeFrame.cx, sizeFrame.cy))
            frame.bValid = false;
        else if (frame.bValid && frame.bitmapKept.GetSafeHandle() != NULL && dcFrom.CreateCompatibleDC(pDC)
                 && dcTo.CreateCompatibleDC(pDC))
        {
            CBitmap* pOldFrom = dcFrom.SelectObject(&frame.bitmapKept);
            CBitmap* pOldTo = dcTo.SelectObject(&bitmapNew);
            dcTo.BitBlt(0, 0, std::min(sizeFrame.cx, frame.size.cx), std::min(sizeFrame.cy, frame.size.cy), &dcFrom,
                        0, 0, SRCCOPY);
            dcFrom.SelectObject(pOldFrom);
            dcTo.SelectObject(pOldTo);
        }
        else
            frame.bValid = false;
        if (!frame.bValid)
            frame.elements.clear();
        frame.bitmapKept.DeleteObject();
        frame.size = CSize(0, 0);
        if (bitmapNew.GetSafeHandle() == NULL)
            return FALSE;
        frame.bitmapKept.Attach(bitmapNew.Detach());
        frame.size = sizeFrame;
    }
    const HBITMAP hComposed = ComposedBitmap(pDC, rectClient.Size());
    CDC dcKept;
    if (hComposed == NULL || !dcKept.CreateCompatibleDC(pDC))
        return FALSE;
    CBitmap* pOldKept = dcKept.SelectObject(&frame.bitmapKept);
    PrepareFrameDC(this, &dcKept);

    const CFrameKey key = MakeFrameKey(this, pDoc, dcKept, rectClient.Size());
    std::vector<CKeptElement> elements;
    CollectKeptElements(pDoc, dcKept, m_fZoom, frame.elements.size(), elements);
    CPoint ptShift;
    std::vector<CRect> dirty;
    FindDirtyRects(frame, key, elements, ptShift, dirty);
    if (ptShift != CPoint(0, 0))
    {
        ResetToPixels(&dcKept);
        dcKept.BitBlt(ptShift.x, ptShift.y, sizeFrame.cx, sizeFrame.cy, &dcKept, 0, 0, SRCCOPY);
        PrepareFrameDC(this, &dcKept);
    }
    DrawFrameRects(this, frame, &dcKept, dirty, elements, WindowInFrame(rectClient.Size()));
    frame.key = key;
    frame.elements.swap(elements);
    frame.bValid = true;

    ResetToPixels(&dcKept);
    ShowKeptFrame(this, pDC, &dcKept, hComposed, rectClient.Size());
    dcKept.SelectObject(pOldKept);
    return TRUE;
}

// Each call looks whether the frames ahead still show the design at the zooms of a step
// in and out (the view's scroll position kept), starts anew one that does not, and draws
// the next elements of one not yet done until the deadline.
BOOL CVarnelView::DrawAheadSlice(DWORD nDeadline)
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL || m_hWnd == NULL || g_bPlainPaint || m_pKeptFrame == NULL || !m_pKeptFrame->bValid)
        return FALSE;
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
        return FALSE;
    if (m_pFramesAhead == NULL)
        m_pFramesAhead = std::make_shared<CFramesAhead>();
    const CSize sizeFrame(rectClient.Width() + 2 * kFrameMargin, rectClient.Height() + 2 * kFrameMargin);
    const float fZoom = m_fZoom;
    const CSize sizeTotal = m_totalDev;
    CClientDC dcWindow(this);
    CDC dc;
    if (!dc.CreateCompatibleDC(&dcWindow))
        return FALSE;
    const float zooms[2] = {GetZoomStep(TRUE), GetZoomStep(FALSE)};
    BOOL bMore = FALSE;
    for (const float fAhead : zooms)
    {
        if (fAhead == fZoom)
            continue;
        // the frame of that zoom, else one of a zoom neither step leads to
        CFrameAhead* pAhead = NULL;
        for (CFrameAhead& ahead : m_pFramesAhead->ahead)
            if (ahead.pFrame->key.fZoom == fAhead)
                pAhead = &ahead;
        for (CFrameAhead& ahead : m_pFramesAhead->ahead)
            if (pAhead == NULL && ahead.pFrame->key.fZoom != zooms[0] && ahead.pFrame->key.fZoom != zooms[1])
                pAhead = &ahead;
        if (pAhead == NULL)
            continue;
        CKeptFrame& frame = *pAhead->pFrame;
        if (frame.size != sizeFrame || frame.bitmapKept.GetSafeHandle() == NULL)
        {
            frame.bValid = false;
            frame.elements.clear();
            frame.bitmapKept.DeleteObject();
            frame.size = CSize(0, 0);
            frame.key = CFrameKey();
            if (!frame.bitmapKept.CreateCompatibleBitmap(&dcWindow, sizeFrame.cx, sizeFrame.cy))
                return FALSE;
            frame.size = sizeFrame;
        }
        CBitmap* pOld = dc.SelectObject(&frame.bitmapKept);
        // drawn at that zoom; the view's own zoom is back whatever happens
        struct CZoomBack
        {
            CVarnelView* pView;
            float fZoom;
            CSize sizeTotal;
            ~CZoomBack()
            {
                pView->SetZoom(fZoom);
                pView->m_totalDev = sizeTotal;
            }
        } back{this, fZoom, sizeTotal};
        m_fZoom = fAhead;
        PrepareFrameDC(this, &dc);
        const CFrameKey key = MakeFrameKey(this, pDoc, dc, rectClient.Size());
        if (!(key == frame.key) || !SameElements(pDoc, frame.elements))
        {
            frame.bValid = false;
            frame.key = key;
            frame.elements.clear();
            CollectKeptElements(pDoc, dc, fAhead, 0, frame.elements);
            pAhead->nNext = 0;
        }
        if (pAhead->nNext != kAllDrawn && !bMore)
        {
            const CRect rectWindow = WindowInFrame(rectClient.Size());
            const size_t nFirst = pAhead->nNext;
            pAhead->nNext = DrawFrameRects(this, frame, &dc, std::vector<CRect>(1, rectWindow), frame.elements,
                                           rectWindow, nFirst, nDeadline);
            // the elements of the slice were drawn as the frame keeps them, else it starts anew
            // (a change after this shows when the frame is taken)
            const size_t nEnd = std::min(pAhead->nNext, frame.elements.size());
            for (size_t i = nFirst; i < nEnd && pAhead->nNext != 0; i++)
            {
                CKeptElement now;
                KeepElement(const_cast<CElement*>(frame.elements[i].pElement), dc, pDoc->m_nSide, fAhead, now);
                if (now.state != frame.elements[i].state || now.pPicture != frame.elements[i].pPicture
                    || now.rectPixels != frame.elements[i].rectPixels)
                {
                    frame.key = CFrameKey();
                    pAhead->nNext = 0;
                }
            }
            frame.bValid = pAhead->nNext == kAllDrawn;
        }
        bMore = bMore || pAhead->nNext != kAllDrawn;
        dc.SelectObject(pOld);
    }
    return bMore;
}

// The kept frame on the screen; otherwise everything through a memory bitmap (or the printer).
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
            StartScalingAhead();
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
            && bitmap.CreateCompatibleBitmap(pDC, rectPixels.Width() + 2 * kFrameMargin,
                                             rectPixels.Height() + 2 * kFrameMargin))
        {
            // drawn with the bitmap's edges a margin away from the pixels shown, as the
            // kept frame is
            OnPrepareDC(&dcMem);
            dcMem.OffsetViewportOrg(kFrameMargin - rectPixels.left, kFrameMargin - rectPixels.top);
            pOldBitmap = dcMem.SelectObject(&bitmap);
            AnchorPatternsToPage(&dcMem);
            CRgn rgnShown;
            if (!rgnShown.CreateRectRgn(kFrameMargin, kFrameMargin, kFrameMargin + rectPixels.Width(),
                                        kFrameMargin + rectPixels.Height()))
                AfxThrowResourceException();
            dcMem.SelectClipRgn(&rgnShown);
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
                    &dcMem, kFrameMargin, kFrameMargin, SRCCOPY);
        dcMem.SelectObject(pOldBitmap);
        dcMem.SetMapMode(MM_ANISOTROPIC);
    }
    ShowZoomInStatusBar(m_fZoom);
}

// Blits the pieces under the clip box, scaling those not yet kept.
BOOL CVarnelView::DrawScaledBackground(CDC* pDC, CElement* pElement, BOOL bKeep)
{
    CBkgImage* pBackground = DYNAMIC_DOWNCAST(CBkgImage, pElement);
    CBackgroundKey key;
    CPoint ptOrigin;
    if (!GetBackgroundKey(pDC, pElement, GetDocument() != NULL ? GetDocument()->m_nSide : 0, key, ptOrigin))
        return FALSE;

    CBackgroundEntry scratch;
    CBackgroundEntry* pEntry = bKeep ? &KeptBackground(key) : &scratch;
    if (!bKeep)
        StartBackground(scratch, key, false);

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

// Grid lines every grid step, where they stand far enough apart.
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

// The window's pixels at the zoom steps in and out of the shown side's background pictures
// are scaled while the view is idle, a piece at a time, so that a zoom step finds them.
BOOL CVarnelView::ScaleAheadPiece()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL || m_hWnd == NULL || g_bPlainPaint)
        return FALSE;
    CRect rectClient;
    GetClientRect(&rectClient);
    const CPoint ptScroll = GetDeviceScrollPosition();
    CClientDC dcWindow(this);
    CDC dc;
    if (!dc.CreateCompatibleDC(&dcWindow))
        return FALSE;
    const int nWidth = pDoc->m_nDesignWidth, nHeight = pDoc->m_nDesignHeight;
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        CBkgImage* pBackground = DYNAMIC_DOWNCAST(CBkgImage, pElement);
        if (pBackground == NULL || pElement->m_nKind != KIND_BACKGROUND || pElement->m_nSide != pDoc->m_nSide)
            continue;
        for (const float fZoom : {GetZoomStep(TRUE), GetZoomStep(FALSE)})
        {
            if (fZoom == m_fZoom)
                continue;
            // the view's mapping at that zoom
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetWindowExt(nWidth, nHeight);
            dc.SetViewportExt((int)(nWidth * fZoom), (int)(nHeight * fZoom));
            CBackgroundKey key;
            CPoint ptOrigin;
            if (!GetBackgroundKey(&dc, pElement, pDoc->m_nSide, key, ptOrigin))
                continue;
            // the scroll position stays where it can: the window shows from it, or the
            // picture's far end
            const CSize sizeWindow = rectClient.Size();
            const CRect rectPicture(CPoint(0, 0), key.sizePixels);
            CRect rectNeeded(std::min(ptScroll.x, std::max<LONG>(0, key.sizePixels.cx - sizeWindow.cx)),
                             std::min(ptScroll.y, std::max<LONG>(0, key.sizePixels.cy - sizeWindow.cy)),
                             ptScroll.x + sizeWindow.cx, ptScroll.y + sizeWindow.cy);
            if (!rectNeeded.IntersectRect(&rectNeeded, &rectPicture))
                continue;
            CBackgroundEntry* pEntry = FindBackground(key);
            for (int nRow = rectNeeded.top / kBackgroundTile; nRow <= (rectNeeded.bottom - 1) / kBackgroundTile; nRow++)
            {
                for (int nColumn = rectNeeded.left / kBackgroundTile;
                     nColumn <= (rectNeeded.right - 1) / kBackgroundTile; nColumn++)
                {
                    if (pEntry != NULL && pEntry->tiles[(size_t)nRow * pEntry->nColumns + nColumn] != NULL)
                        continue;
                    if (pEntry == NULL)
                        pEntry = &KeptBackground(key);
                    CRect rectTile(nColumn * kBackgroundTile, nRow * kBackgroundTile, 0, 0);
                    rectTile.right = std::min<LONG>(rectTile.left + kBackgroundTile, key.sizePixels.cx);
                    rectTile.bottom = std::min<LONG>(rectTile.top + kBackgroundTile, key.sizePixels.cy);
                    CBackgroundTile* pTile = ScaleBackgroundTile(pBackground->m_pBitmap.get(), key.sizePixels, rectTile);
                    if (pTile == NULL)
                        return FALSE;       // left to the paint that needs it
                    pEntry->tiles[(size_t)nRow * pEntry->nColumns + nColumn].reset(pTile);
                    return TRUE;
                }
            }
        }
    }
    return FALSE;
}

// While idle: scales pieces for about a frame's time, then lets input in again.
void CVarnelView::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != kScaleAheadTimer)
    {
        CScrollView::OnTimer(nIDEvent);
        return;
    }
    const DWORD nStart = ::GetTickCount();
    BOOL bMore = TRUE;
    while (bMore && ::GetTickCount() - nStart < kScaleAheadSlice)
        bMore = ScaleAheadPiece();
    if (!bMore)
        bMore = DrawAheadSlice(nStart + kScaleAheadSlice);
    if (!bMore)
    {
        KillTimer(kScaleAheadTimer);
        m_bScalingAhead = FALSE;
    }
    else
    {
        SetTimer(kScaleAheadTimer, 1, NULL);
    }
}

// Each paint puts the idle scaling off by a moment, so that it waits while the user works.
void CVarnelView::StartScalingAhead()
{
    if (m_hWnd != NULL && !g_bPlainPaint)
        m_bScalingAhead = SetTimer(kScaleAheadTimer, kScaleAheadDelay, NULL) != 0;
}
