// RulerView.cpp - ticks, numbers and the position marker of a ruler.

#include "RulerView.h"
#include "ChildFrm.h"
#include "VarnelView.h"

#include <math.h>

IMPLEMENT_DYNCREATE(CRulerView, CView)

namespace
{
const int kMinorStep = 20;      // document units between ticks
const int kMajorStep = 100;     // document units between numbers
const COLORREF kMarkerColor = RGB(255, 110, 255);
const int kNumberOffset = 5;    // pixels from a numbered tick to its number
const int kNumberRoom = 25;     // pixels a number's box takes at least
const int kNumberGap = 4;       // pixels kept free between two numbers

// The first multiple of nStep at or below nValue.
int FloorTo(int nValue, int nStep)
{
    const int nRemainder = nValue % nStep;
    return nRemainder < 0 ? nValue - nRemainder - nStep : nValue - nRemainder;
}
}

CRulerView::CRulerView()
    : m_nMarkX(-1),
      m_nMarkY(-1),
      m_nType(0),
      m_ptScroll(0, 0),
      m_fZoom(1.0f)
{
}

CRulerView::~CRulerView()
{
}

void CRulerView::Refresh(int nType, float fZoom)
{
    m_nType = nType;
    m_fZoom = fZoom;
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}

// Ticks every 20 units and the numbers that stand clear, from the view's scroll position.
void CRulerView::OnDraw(CDC* pDC)
{
    // a paint over the whole marker wipes it; one over a part of it (a window that covered
    // part of the ruler going away) puts that part back, so the marker stays whole and the
    // next move erases all of it
    const int nCovered = MarkerPixelsVisible(pDC);
    const BOOL bRestoreMarker = m_nMarkX != -1 && nCovered > 0 && nCovered < kMarkerPixels;
    if (m_nMarkX != -1 && nCovered == kMarkerPixels)
    {
        m_nMarkX = -1;
        m_nMarkY = -1;
    }

    CRect rect;
    GetClientRect(&rect);
    // scroll position and zoom are the design view's own, from the first paint on
    if (CVarnelView* pView = DYNAMIC_DOWNCAST(CVarnelView, GetSiblingPane(this, 1, 2)))
    {
        m_ptScroll = pView->m_ptScroll;
        m_fZoom = pView->GetZoom();
    }
    if (m_fZoom <= 0.0f)
        return;

    const BOOL bHorizontal = m_nType == 1;
    CFont font;
    font.CreateFont(bHorizontal ? 12 : 10, 0, bHorizontal ? 0 : 2700, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    CFont* pOldFont = pDC->SelectObject(&font);

    // document positions of the ticks; pixels from the scroll position
    const int nScroll = bHorizontal ? m_ptScroll.x : m_ptScroll.y;
    const int nLength = bHorizontal ? rect.Width() : rect.Height();
    const int nLast = nScroll + (int)ceil(nLength / m_fZoom);
    // a number is drawn only where it starts clear of the end of the one before
    BOOL bNumberDrawn = FALSE;
    int nNumberEnd = 0;
    for (int nPos = FloorTo(nScroll, kMinorStep); nPos <= nLast; nPos += kMinorStep)
    {
        const int nPixel = (int)floor((nPos - nScroll) * m_fZoom + 0.5f);
        const BOOL bMajor = nPos % kMajorStep == 0;
        const int nTickStart = bMajor ? 0 : kThickness * 2 / 3;
        if (bMajor)
        {
            CString strNumber;
            strNumber.Format("%d", nPos);
            // along the ruler the text is as long as it is wide, also when it runs downward
            const int nTextLength = pDC->GetTextExtent(strNumber).cx;
            const int nStart = nPixel + kNumberOffset;
            if (!bNumberDrawn || nStart >= nNumberEnd + kNumberGap)
            {
                const int nEnd = nStart + (nTextLength > kNumberRoom ? nTextLength : kNumberRoom);
                if (bHorizontal)
                {
                    CRect rectText(nStart, rect.top, nEnd, rect.top + 15);
                    pDC->DrawText(strNumber, &rectText, DT_PATH_ELLIPSIS);
                }
                else
                {
                    CRect rectText(rect.left + 15, nStart, rect.left, nEnd);
                    pDC->DrawText(strNumber, &rectText, DT_PATH_ELLIPSIS);
                }
                bNumberDrawn = TRUE;
                nNumberEnd = nStart + nTextLength;
            }
        }
        if (bHorizontal)
        {
            pDC->MoveTo(nPixel, rect.top + nTickStart);
            pDC->LineTo(nPixel, kThickness);
        }
        else
        {
            pDC->MoveTo(rect.left + nTickStart, nPixel);
            pDC->LineTo(kThickness, nPixel);
        }
    }
    pDC->SelectObject(pOldFont);
    if (bRestoreMarker)
        DrawMarker(pDC, bHorizontal ? m_nMarkX : m_nMarkY, bHorizontal);
}

// The marker's outline: 2 by 16 pixels across the ruler at the position.
CRect CRulerView::MarkerRect(int nPos, BOOL bHorizontal)
{
    return bHorizontal ? CRect(nPos - 1, 2, nPos + 1, 18) : CRect(2, nPos - 1, 18, nPos + 1);
}

// Draws the marker at the position in XOR: once shows it, twice takes it away.
void CRulerView::DrawMarker(CDC* pDC, int nPos, BOOL bHorizontal)
{
    CPen pen(PS_SOLID, 1, kMarkerColor);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    const int nOldRop = pDC->SetROP2(R2_XORPEN);
    pDC->Rectangle(MarkerRect(nPos, bHorizontal));
    pDC->SetROP2(nOldRop);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

// How many of the drawn marker's pixels the paint reaches.
int CRulerView::MarkerPixelsVisible(CDC* pDC) const
{
    if (m_nMarkX == -1)
        return 0;
    const CRect rect = m_nType == 1 ? MarkerRect(m_nMarkX, TRUE) : MarkerRect(m_nMarkY, FALSE);
    int nVisible = 0;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            nVisible += pDC->PtVisible(x, y) ? 1 : 0;
    return nVisible;
}

// Moves the marker by drawing it off and on again (XOR).
void CRulerView::ShowPosition(int x, int y, int nType, BOOL bForget)
{
    if (m_hWnd == NULL)
        return;
    CClientDC dc(this);
    if (nType == 1)
    {
        if (m_nMarkX != -1)
            DrawMarker(&dc, m_nMarkX, TRUE);
        m_nMarkY = y;
        m_nMarkX = x;
        DrawMarker(&dc, x, TRUE);
    }
    else
    {
        if (m_nMarkX != -1)
            DrawMarker(&dc, m_nMarkY, FALSE);
        m_nMarkX = x;
        m_nMarkY = y;
        DrawMarker(&dc, y, FALSE);
    }
    if (bForget)
        m_nMarkX = -1;
}
