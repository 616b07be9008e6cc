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
    // a repaint wipes the marker
    m_nMarkX = -1;
    m_nMarkY = -1;

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
}

// Moves the marker by drawing it off and on again (XOR).
void CRulerView::ShowPosition(int x, int y, int nType, BOOL bForget)
{
    if (m_hWnd == NULL)
        return;
    CClientDC dc(this);
    CPen pen(PS_SOLID, 1, kMarkerColor);
    CPen* pOldPen = dc.SelectObject(&pen);
    CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
    const int nOldRop = dc.SetROP2(R2_XORPEN);
    if (nType == 1)
    {
        if (m_nMarkX != -1)
            dc.Rectangle(m_nMarkX - 1, 2, m_nMarkX + 1, 18);
        m_nMarkY = y;
        m_nMarkX = x;
        dc.Rectangle(x - 1, 2, x + 1, 18);
    }
    else
    {
        if (m_nMarkX != -1)
            dc.Rectangle(2, m_nMarkY - 1, 18, m_nMarkY + 1);
        m_nMarkX = x;
        m_nMarkY = y;
        dc.Rectangle(2, y - 1, 18, y + 1);
    }
    if (bForget)
        m_nMarkX = -1;
    dc.SetROP2(nOldRop);
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);
}
