// TabView.h - CTabView, the side tabs left of the vertical ruler: Front and Back tabs and
// the buttons for the change of size, the database settings and the data.

#pragma once

#include "afxwin.h"

namespace Gdiplus
{
class Bitmap;
}

class CVarnelView;

class CTabView : public CView
{
    DECLARE_DYNCREATE(CTabView)

protected:
    CTabView();

public:
    virtual ~CTabView();

    virtual void OnDraw(CDC* pDC) override;

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

    // Whether the publication has a back side.
    BOOL IsTwoSided();

    RECT m_rcFront;
    RECT m_rcBack;
    RECT m_rcChangeSize;
    RECT m_rcDatabase;
    RECT m_rcViewData;
    int m_nSide;                        // 1 front, 2 back
    Gdiplus::Bitmap* m_pImgFront;       // owned; NULL when the picture is missing
    Gdiplus::Bitmap* m_pImgBack;
    Gdiplus::Bitmap* m_pImgDatabase;
    Gdiplus::Bitmap* m_pImgViewData;

protected:
    CVarnelView* GetDesignView();

    DECLARE_MESSAGE_MAP()
};
