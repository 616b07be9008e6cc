// TabView.cpp - painting and clicks of the side tabs.

#include "TabView.h"
#include "ChildFrm.h"
#include "VarnelView.h"
#include "model/VarnelDoc.h"
#include "resources/resource.h"

#include <algorithm>

#include <objidl.h>
#include <gdiplus.h>

using namespace Gdiplus;

IMPLEMENT_DYNCREATE(CTabView, CView)

BEGIN_MESSAGE_MAP(CTabView, CView)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace
{
Bitmap* LoadSidePicture(UINT nID)
{
    HBITMAP hBitmap = (HBITMAP)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID), IMAGE_BITMAP, 0, 0,
                                            LR_LOADMAP3DCOLORS);
    if (hBitmap == NULL)
        return NULL;
    Bitmap* pBitmap = Bitmap::FromHBITMAP(hBitmap, NULL);
    ::DeleteObject(hBitmap);
    if (pBitmap != NULL && pBitmap->GetLastStatus() != Ok)
    {
        delete pBitmap;
        pBitmap = NULL;
    }
    return pBitmap;
}

void DrawPicture(Graphics& graphics, Bitmap* pBitmap, const RECT& rc)
{
    if (pBitmap != NULL)
        graphics.DrawImage(pBitmap, (INT)rc.left, (INT)rc.top, (INT)(rc.right - rc.left), (INT)(rc.bottom - rc.top));
}

// A caption under a button, centred on it, in the DC's font: as wide as its longest line
// (at least the button's 50 pixels), at most as wide as the pane allows around the
// button's centre; what is still too wide wraps at its blanks. The height follows.
void DrawButtonCaption(CDC* pDC, const RECT& rcButton, const CRect& rectPane, LPCSTR pszText)
{
    const int nCentre = (rcButton.left + rcButton.right) / 2;
    const int nRoom = 2 * std::max(0, std::min(nCentre - (int)rectPane.left, (int)rectPane.right - nCentre) - 1);
    CRect rectLines(0, 0, 0, 0);
    pDC->DrawText(pszText, -1, &rectLines, DT_CALCRECT | DT_CENTER | DT_NOPREFIX);
    const int nWidth = std::max(50, std::min(rectLines.Width() + 2, nRoom));
    CRect rectText(nCentre - nWidth / 2, rcButton.bottom - 2, nCentre - nWidth / 2 + nWidth, rcButton.bottom - 2);
    pDC->DrawText(pszText, -1, &rectText, DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    rectText.left = nCentre - nWidth / 2;
    rectText.right = rectText.left + nWidth;
    rectText.bottom = std::max(rectText.bottom, (LONG)rcButton.bottom + 28);
    pDC->DrawText(pszText, -1, &rectText, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}
}

CTabView::CTabView()
    : m_rcFront{12, 10, 37, 35},
      m_rcBack{12, 60, 37, 85},
      m_rcChangeSize{2, 135, 65, 180},
      m_rcDatabase{10, 190, 58, 238},
      m_rcViewData{10, 278, 58, 326},
      m_nSide(1)
{
    m_pImgFront = LoadSidePicture(IDB_SIDE_FRONT);
    m_pImgBack = LoadSidePicture(IDB_SIDE_BACK);
    m_pImgDatabase = LoadSidePicture(IDB_SIDE_DATABASE);
    m_pImgViewData = LoadSidePicture(IDB_SIDE_VIEWDATA);
}

CTabView::~CTabView()
{
    delete m_pImgFront;
    delete m_pImgBack;
    delete m_pImgDatabase;
    delete m_pImgViewData;
}

BOOL CTabView::IsTwoSided()
{
    CVarnelDoc* pDoc = DYNAMIC_DOWNCAST(CVarnelDoc, GetDocument());
    return pDoc != NULL && pDoc->m_nPublicationType != 0 && pDoc->m_nPublicationType != 2;
}

CVarnelView* CTabView::GetDesignView()
{
    return DYNAMIC_DOWNCAST(CVarnelView, GetSiblingPane(this, 1, 2));
}

// Draws the side tabs (the shown one framed in orange, Back only when two-sided), the size and data buttons.
void CTabView::OnDraw(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CBrush brushBack(RGB(192, 250, 250));
    pDC->FillRect(&rectClient, &brushBack);

    CPen penGrey(PS_SOLID, 1, RGB(192, 192, 192));
    CPen penOrange(PS_SOLID, 2, RGB(255, 128, 0));
    CPen penBlack(PS_SOLID, 1, RGB(0, 0, 0));
    CFont font;
    font.CreateFont(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    CPen* pOldPen = pDC->SelectObject(&penGrey);
    CFont* pOldFont = pDC->SelectObject(&font);
    const int nSaved = pDC->SaveDC();
    pDC->SelectStockObject(NULL_BRUSH);
    pDC->SetBkMode(TRANSPARENT);
    {
        Graphics graphics(pDC->GetSafeHdc());

        auto drawTab = [&](Bitmap* pImage, const RECT& rc, int nSide, LPCSTR pszText) {
            DrawPicture(graphics, pImage, rc);
            pDC->SelectObject(m_nSide == nSide ? &penOrange : &penGrey);
            pDC->Rectangle(&rc);
            pDC->SelectObject(&penGrey);
            CRect rectText(rc.left, rc.bottom + 2, rc.left + 50, rc.bottom + 22);
            pDC->DrawText(pszText, -1, &rectText, 0);
        };
        drawTab(m_pImgFront, m_rcFront, 1, "Front");
        if (IsTwoSided())
            drawTab(m_pImgBack, m_rcBack, 2, "Back");

        pDC->SelectObject(&penBlack);
        CBrush brushButton(RGB(220, 220, 220));
        pDC->FillRect(&m_rcChangeSize, &brushButton);
        pDC->Rectangle(&m_rcChangeSize);
        CRect rectSize = m_rcChangeSize;
        pDC->DrawText("Change \nPublication \nSize", -1, &rectSize, DT_CENTER);

        auto drawButton = [&](Bitmap* pImage, const RECT& rc, LPCSTR pszText) {
            DrawPicture(graphics, pImage, rc);
            DrawButtonCaption(pDC, rc, rectClient, pszText);
        };
        drawButton(m_pImgDatabase, m_rcDatabase, "Database\nSettings");
        drawButton(m_pImgViewData, m_rcViewData, "View/Edit\nData");
    }
    pDC->RestoreDC(nSaved);
    pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
}

void CTabView::OnMouseMove(UINT nFlags, CPoint point)
{
    const BOOL bTwoSided = IsTwoSided();
    if (::PtInRect(&m_rcChangeSize, point) || ::PtInRect(&m_rcDatabase, point)
        || ::PtInRect(&m_rcViewData, point)
        || (bTwoSided && (::PtInRect(&m_rcFront, point) || ::PtInRect(&m_rcBack, point))))
    {
        ::SetCursor(::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_LINK_HAND)));
    }
    CView::OnMouseMove(nFlags, point);
}

// Runs the button under the press, or shows the side whose tab it hit, and gives the design view the focus.
void CTabView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CVarnelView* pView = GetDesignView();
    if (pView != NULL)
    {
        if (::PtInRect(&m_rcChangeSize, point))
            pView->ChangePublicationSize();
        else if (::PtInRect(&m_rcDatabase, point))
            pView->ConfirmAndSetDatabase();
        else if (::PtInRect(&m_rcViewData, point))
            pView->EditDatabaseData();
        if (IsTwoSided())
        {
            if (::PtInRect(&m_rcFront, point))
                m_nSide = 1;
            else if (::PtInRect(&m_rcBack, point))
                m_nSide = 2;
        }
        pView->SwitchSide(m_nSide);
        if (CParentView00* pLabel = DYNAMIC_DOWNCAST(CParentView00, GetSiblingPane(this, 0, 0)))
            pLabel->SetSide(m_nSide);
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->SetActiveView(pView);
        Invalidate(TRUE);
    }
    CView::OnLButtonDown(nFlags, point);
}
