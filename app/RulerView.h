// RulerView.h - CRulerView, the horizontal and vertical rulers beside the design view.
//
// The ruler is passive: the design view gives it its type and zoom (Refresh) and the mouse
// position (ShowPosition); at paint time it reads the view's scroll position and zoom
// itself, so it never shows another scale than the view. Ticks every 20 document units,
// numbers every 100 where a number fits beside the one before, placed for zoom and scroll
// position.

#pragma once

#include "afxwin.h"

class CRulerView : public CView
{
    DECLARE_DYNCREATE(CRulerView)

protected:
    CRulerView();

public:
    virtual ~CRulerView();

    // nType 1 horizontal, any other value vertical; fZoom is used while no design view
    // sits beside the ruler.
    void Refresh(int nType, float fZoom);
    // Moves the XOR position marker to the view's client pixel (x, y); with bForget the
    // marker just drawn stays and is not erased by the next call.
    void ShowPosition(int x, int y, int nType, BOOL bForget);

    virtual void OnDraw(CDC* pDC) override;

    int m_nMarkX;               // marker drawn (horizontal); -1 none
    int m_nMarkY;               // marker drawn (vertical)
    int m_nType;
    CPoint m_ptScroll;          // the design view's scroll position, document units
    float m_fZoom;

    // Ruler thickness in pixels.
    static const int kThickness = 20;

private:
    static const int kMarkerPixels = 2 * 16;
    static CRect MarkerRect(int nPos, BOOL bHorizontal);
    static void DrawMarker(CDC* pDC, int nPos, BOOL bHorizontal);
    int MarkerPixelsVisible(CDC* pDC) const;
};
