// VarnelViewMouse.cpp - mouse tools of the design view: the element of the current tool,
// drawing with an insert tool, freehand and closed curves, selection by click and rubber
// band, moving and resizing through the tracker, context menus, cursors and keys.

#include "VarnelView.h"
#include "model/ElementDraw.h"
#include "model/ElementFactory.h"
#include "model/Elements.h"
#include "model/VarnelDoc.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"
#include "resources/resource.h"

#include <objidl.h>
#include <gdiplus.h>

#include <math.h>
#include <stdlib.h>

#include <algorithm>

namespace
{
// The view whose drawing the last right press ended; the release of that press opens no menu.
HWND g_hWndDrawingCancelled = NULL;

BOOL IsCtrlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

// How far a point lies outside the page (right and bottom edges excluded), in units
// along both axes; 0 on the page.
int DistanceFromPage(const CRect& rectPage, CPoint point)
{
    const int dx = point.x < rectPage.left ? rectPage.left - point.x
                 : point.x >= rectPage.right ? point.x - rectPage.right + 1 : 0;
    const int dy = point.y < rectPage.top ? rectPage.top - point.y
                 : point.y >= rectPage.bottom ? point.y - rectPage.bottom + 1 : 0;
    return dx + dy;
}
}

// Moves a new sun, star, burst or callout so that what it draws beyond its rectangle (rays,
// points, spikes, tails) lies on the page as its rectangle does; a drawing wider than the
// page keeps its left or top edge on it.
static void KeepDrawingOnPage(CElement* pElement, const CRect& rectPage)
{
    switch (pElement->m_nKind)
    {
    case KIND_SUN:
    case KIND_STAR:
    case KIND_BURST:
    case KIND_CALLOUT_BL:
    case KIND_CALLOUT_BR:
        break;
    default:
        return;
    }
    Gdiplus::RectF rcDrawn;
    if (!GetElementDrawnBounds(pElement, CPoint(0, 0), rcDrawn))
        return;
    auto shift = [](float fLow, float fHigh, int nLow, int nHigh) {
        int d = 0;
        if (fHigh > nHigh)
            d = nHigh - (int)ceil(fHigh);
        if (fLow + d < nLow)
            d = nLow - (int)floor(fLow);
        return d;
    };
    const int dx = shift(rcDrawn.X, rcDrawn.GetRight(), rectPage.left, rectPage.right);
    const int dy = shift(rcDrawn.Y, rcDrawn.GetBottom(), rectPage.top, rectPage.bottom);
    if (dx == 0 && dy == 0)
        return;
    CRect rect = pElement->GetRect();
    rect.OffsetRect(dx, dy);
    pElement->SetRect(rect.left, rect.top, rect.right, rect.bottom);
}

// Moves the unlocked selection of the view 1 unit, 10 with Ctrl, centres kept on the page. When any moves,
// it takes an undo level if bNewUndoLevel is set and marks the document modified; TRUE when a level was taken.
static BOOL MoveSelectionByKey(CVarnelView* pView, UINT nKey, BOOL bCtrl, BOOL bNewUndoLevel)
{
    CVarnelDoc* pDoc = pView->GetDocument();
    if (pDoc->m_listSelection.IsEmpty())
        return FALSE;
    const int nStep = bCtrl ? 10 : 1;
    CSize offset(0, 0);
    switch (nKey)
    {
    case VK_LEFT: offset.cx = -nStep; break;
    case VK_RIGHT: offset.cx = nStep; break;
    case VK_UP: offset.cy = -nStep; break;
    case VK_DOWN: offset.cy = nStep; break;
    default: return FALSE;
    }

    // an element keeps its centre on the page, and one whose centre lies off the page
    // moves only toward it
    const CRect rectPage(0, 0, pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
    BOOL bMoved = FALSE;
    BOOL bUndoTaken = FALSE;
    for (POSITION pos = pDoc->m_listSelection.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listSelection.GetNext(pos);
        if (pElement->m_bLocked)
            continue;
        CRect rect = pElement->GetRect();
        const int nDistanceBefore = DistanceFromPage(rectPage, rect.CenterPoint());
        rect.OffsetRect(offset);
        const int nDistanceAfter = DistanceFromPage(rectPage, rect.CenterPoint());
        if (nDistanceAfter > 0 && nDistanceAfter >= nDistanceBefore)
            continue;
        if (!bMoved && bNewUndoLevel)
        {
            pDoc->PushUndo();
            bUndoTaken = TRUE;
        }
        bMoved = TRUE;
        pView->InvalidateElement(pElement);
        pElement->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        pView->InvalidateElement(pElement);
    }
    if (bMoved)
        pDoc->SetModifiedFlag();
    return bUndoTaken;
}

// A new element of the current tool from the press to the pointer, kept on the page; NULL for the pointer
// and the curves, which grow point by point. The selection is emptied first.
CElement* CVarnelView::CreateElementForTool()
{
    CVarnelDoc* pDoc = GetDocument();
    pDoc->m_tracker.RemoveAll();
    pDoc->m_listSelection.RemoveAll();

    const int nWidth = pDoc->m_nDesignWidth;
    const int nHeight = pDoc->m_nDesignHeight;
    auto clamp = [&](CPoint& pt) {
        pt.x = pt.x > nWidth ? nWidth : (pt.x < 0 ? 0 : pt.x);
        pt.y = pt.y > nHeight ? nHeight : (pt.y < 0 ? 0 : pt.y);
    };
    clamp(m_ptStart);
    clamp(m_ptCurrent);
    const CRect rectPage(0, 0, nWidth, nHeight);
    if (!rectPage.PtInRect(m_ptStart) && !rectPage.PtInRect(m_ptCurrent))
        return NULL;

    // curves are built point by point while the mouse moves
    const WORD nTool = pDoc->m_nCurrentTool;
    if (nTool == KIND_FREEHAND || nTool == KIND_CLOSEDCURVE)
        return NULL;
    CElement* pElement = CreateElementOfKind((short)nTool, m_ptStart, m_ptCurrent);
    if (pElement == NULL)
        return NULL;
    pElement->m_clrShadow = pDoc->m_clrShadow;
    pElement->m_nShadowLength = pDoc->m_nShadowLength;
    KeepDrawingOnPage(pElement, rectPage);
    return pElement;
}

CElement* CVarnelView::ElementAtPoint(CPoint point)
{
    CVarnelDoc* pDoc = GetDocument();
    for (POSITION pos = pDoc->m_listElements.GetTailPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetPrev(pos);
        if (pElement->m_nSide == pDoc->m_nSide && pElement->HitTest(point))
            return pElement;
    }
    return NULL;
}

void CVarnelView::SyncSelectionList()
{
    CVarnelDoc* pDoc = GetDocument();
    pDoc->m_listSelection.RemoveAll();
    for (INT_PTR i = 0; i < pDoc->m_tracker.m_arrSelected.GetSize(); i++)
        pDoc->m_listSelection.AddHead(pDoc->m_tracker.m_arrSelected[i]);
}

void CVarnelView::DiscardNewElement(BOOL bErasePreview)
{
    if (m_pNewElement == NULL)
        return;
    if (bErasePreview)
        InvalidateElement(m_pNewElement);
    delete m_pNewElement;
    m_pNewElement = NULL;
}

void CVarnelView::OnLButtonDown(UINT nFlags, CPoint point)
{
    PressAt(nFlags, point, FALSE);
    CScrollView::OnLButtonDown(nFlags, point);
}

// A left press tracks a rubber band or moves the selection; a right press only selects,
// so its release reaches the window and makes the context menu.
void CVarnelView::PressAt(UINT nFlags, CPoint point, BOOL bRightButton)
{
    CVarnelDoc* pDoc = GetDocument();
    try
    {
        CPoint ptDoc = point;
        DeviceToLogical(ptDoc);
        m_ptStart = m_ptCurrent = ptDoc;
        if (pDoc->m_nCurrentTool != KIND_POINTER && !bRightButton)
            SetCapture();

        // Ctrl or Shift adds an element to the selection; on a selected element's body
        // it takes that element out again
        const BOOL bExtend = (nFlags & (MK_CONTROL | MK_SHIFT)) != 0;
        const int nHit = pDoc->m_tracker.HitTest(ptDoc, this);
        if (nHit == CRectTracker::hitMiddle && bExtend && !bRightButton
            && pDoc->m_nCurrentTool == KIND_POINTER)
        {
            pDoc->m_tracker.Remove(pDoc->m_tracker.m_pCurrent);
        }
        else if (nHit == CRectTracker::hitNothing)
        {
            m_bBold = m_bItalic = m_bUnderline = FALSE;
            if (!bExtend)
                pDoc->m_tracker.RemoveAll();

            CRectTracker band;
            if (!bRightButton && band.TrackRubberBand(this, point, TRUE))
            {
                CRect rectBand = band.m_rect;
                DeviceToLogicalRect(rectBand);
                rectBand.NormalizeRect();
                for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
                {
                    CElement* pElement = pDoc->m_listElements.GetNext(pos);
                    if (pElement->m_nSide != pDoc->m_nSide || pDoc->m_tracker.IsSelected(pElement))
                        continue;
                    // wholly inside, compared by edges: the empty rectangle of a level or
                    // upright line has no intersection with anything
                    const CRect rectElement = pElement->GetRect();
                    if (rectElement.left >= rectBand.left && rectElement.right <= rectBand.right
                        && rectElement.top >= rectBand.top && rectElement.bottom <= rectBand.bottom)
                        pDoc->m_tracker.Add(pElement);
                }
            }
            else
            {
                // the topmost filled element, else the smallest transparent one; an element
                // is hit where its own hit test says, so level and upright lines are too
                CElement* pTaken = NULL;
                CElement* pCandidate = NULL;
                double fBestArea = 0.0;
                for (POSITION pos = pDoc->m_listElements.GetTailPosition(); pos != NULL;)
                {
                    CElement* pElement = pDoc->m_listElements.GetPrev(pos);
                    if (pElement->m_nKind == KIND_BACKGROUND || pElement->m_nSide != pDoc->m_nSide)
                        continue;
                    if (!pElement->HitTest(ptDoc))
                        continue;
                    const CRect rect = pElement->GetRect();
                    if (!pElement->m_bTransparent && pTaken == NULL)
                    {
                        pTaken = pElement;
                        break;
                    }
                    const double fArea = (double)rect.Width() * rect.Height();
                    if (pCandidate == NULL || fArea < fBestArea)
                    {
                        pCandidate = pElement;
                        fBestArea = fArea;
                    }
                }
                // a filled element above every transparent one wins; below, the smaller does
                CElement* pChosen = pTaken;
                if (pTaken != NULL && pCandidate != NULL)
                {
                    const CRect rectTaken = pTaken->GetRect();
                    if (fBestArea < (double)rectTaken.Width() * rectTaken.Height())
                        pChosen = pCandidate;
                }
                else if (pTaken == NULL)
                {
                    pChosen = pCandidate;
                }
                if (pChosen != NULL && !pDoc->m_tracker.IsSelected(pChosen))
                    pDoc->m_tracker.Add(pChosen);
            }
        }
        else if (!bRightButton && pDoc->m_tracker.Track(this, ptDoc, FALSE, NULL))
        {
            pDoc->SetModifiedFlag();
        }

        SyncSelectionList();
        ShowElementProperties(pDoc->m_listSelection.GetCount() == 1 ? pDoc->m_listSelection.GetHead() : NULL, FALSE);
        Invalidate(TRUE);
        UpdateWindow();
        pDoc->UpdateAllViews(NULL);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}

// Shows place and size in the status bar; during an insert drag, grows the curve or moves the preview.
void CVarnelView::OnMouseMove(UINT nFlags, CPoint point)
{
    CVarnelDoc* pDoc = GetDocument();
    try
    {
        ShowRulerPosition(point, FALSE);
        CPoint ptDoc = point;
        DeviceToLogical(ptDoc);
        SetStatusText(1, "x,y:" + IntToString(ptDoc.x) + ", " + IntToString(ptDoc.y));
        if (pDoc->m_tracker.m_arrSelected.GetSize() == 1)
        {
            const CRect rect = pDoc->m_tracker.m_arrSelected[0]->GetRect();
            SetStatusText(2, "Size:" + IntToString(rect.Width()) + " x " + IntToString(rect.Height()));
        }

        if ((nFlags & MK_LBUTTON) != 0 && ::GetCapture() == m_hWnd)
        {
            if (m_ptStart.x < 0) m_ptStart.x = 0;
            if (m_ptStart.y < 0) m_ptStart.y = 0;
            if (m_ptCurrent.x < 0) m_ptCurrent.x = 0;
            if (m_ptCurrent.y < 0) m_ptCurrent.y = 0;

            const WORD nTool = pDoc->m_nCurrentTool;
            if (nTool == KIND_FREEHAND || nTool == KIND_CLOSEDCURVE)
            {
                if (m_pNewElement == NULL)
                {
                    m_pNewElement = CreateElementOfKind((short)nTool, m_ptStart, m_ptCurrent);
                    m_pNewElement->m_clrShadow = pDoc->m_clrShadow;
                    m_pNewElement->m_nShadowLength = pDoc->m_nShadowLength;
                }
                CPoint ptAdd = ptDoc;
                if (ptAdd.x < 0) ptAdd.x = 0;
                if (ptAdd.y < 0) ptAdd.y = 0;
                m_pNewElement->AddPoint(ptAdd);
            }
            else
            {
                if (m_pNewElement != NULL)
                {
                    CClientDC dc(this);
                    OnPrepareDC(&dc);
                    const int nOldRop = dc.SetROP2(R2_NOTXORPEN);
                    m_pNewElement->DrawDC(&dc);
                    dc.SetROP2(nOldRop);
                    DiscardNewElement(TRUE);
                }
                m_ptCurrent = ptDoc;
                if (nTool != KIND_POINTER)
                {
                    m_pNewElement = CreateElementForTool();
                    // the factory empties the selection; the preview is not selected
                    SyncSelectionList();
                }
            }
            m_ptCurrent = ptDoc;
            if (m_pNewElement != NULL)
            {
                CClientDC dc(this);
                OnPrepareDC(&dc);
                m_pNewElement->DrawDC(&dc);
            }
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    CScrollView::OnMouseMove(nFlags, point);
}

// Ends an insert drag: a click takes the tool's click size, a closed curve closes, and the element is added
// and shown in the properties with the pointer tool back.
void CVarnelView::OnLButtonUp(UINT nFlags, CPoint point)
{
    CVarnelDoc* pDoc = GetDocument();
    try
    {
        ShowRulerPosition(point, TRUE);
        CPoint ptDoc = point;
        DeviceToLogical(ptDoc);
        m_ptCurrent = ptDoc;
        const BOOL bCaptured = ::GetCapture() == m_hWnd;
        // the pointer holds the capture only from a double click, whose element stays selected
        if ((nFlags & MK_CONTROL) == 0 && bCaptured && pDoc->m_nCurrentTool != KIND_POINTER)
        {
            // the tracker shows what the list holds
            pDoc->ClearSelection();
            m_bBold = m_bItalic = m_bUnderline = FALSE;
        }
        if (bCaptured)
        {
            const WORD nTool = pDoc->m_nCurrentTool;
            // a line ends where it was dragged to; only a click gets the click size
            const BOOL bClick = abs(m_ptCurrent.x - m_ptStart.x) <= CLICK_SLOP
                                && abs(m_ptCurrent.y - m_ptStart.y) <= CLICK_SLOP;
            if (nTool != KIND_LINE || bClick)
                m_ptCurrent = GetClickEndPoint((short)nTool, m_ptStart, m_ptCurrent);

            if (nTool != KIND_FREEHAND && nTool != KIND_POINTER)
            {
                if (nTool == KIND_CLOSEDCURVE)
                {
                    CClosedCurve* pCurve = dynamic_cast<CClosedCurve*>(m_pNewElement);
                    if (pCurve != NULL && pCurve->m_nPointCount > 0)
                        pCurve->AddPoint(CPoint((int)pCurve->m_pPoints[0].X, (int)pCurve->m_pPoints[0].Y));
                }
                else
                {
                    // the preview of the last move is freed; a new element is made
                    DiscardNewElement(TRUE);
                    m_pNewElement = CreateElementForTool();
                    if (m_pNewElement == NULL)
                        ShowElementProperties(NULL, FALSE);
                }
            }

            if (m_pNewElement != NULL)
            {
                CElement* pElement = m_pNewElement;
                m_pNewElement = NULL;
                if (LPCSTR lpszText = GetInitialText(pElement->m_nKind))
                    pElement->m_strText = lpszText;
                pDoc->AddNewElement(pElement);
                ShowElementProperties(pElement, TRUE);
                pDoc->m_nCurrentTool = KIND_POINTER;
            }
        }
        if (bCaptured)
            ::ReleaseCapture();
        pDoc->UpdateAllViews(NULL);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    CScrollView::OnLButtonUp(nFlags, point);
}

// Opens the properties of the element under the pointer, or the options on the page or a background.
void CVarnelView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CVarnelDoc* pDoc = GetDocument();
    try
    {
        SetCapture();
        CPoint ptDoc = point;
        DeviceToLogical(ptDoc);
        CElement* pElement = ElementAtPoint(ptDoc);
        if (pElement != NULL && pElement->m_nKind != KIND_BACKGROUND)
            ShowElementProperties(pElement, TRUE);
        else if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->SendMessage(WM_COMMAND, ID_TOOLS_OPTIONS);
        pDoc->UpdateAllViews(NULL);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    (void)nFlags;
}

// Cancels an insert drag; otherwise selects as a left press does and notes whether an element was hit.
void CVarnelView::OnRButtonDown(UINT nFlags, CPoint point)
{
    // an insert tool's drawing ends without an element; the tool stays, and the release
    // opens no menu
    g_hWndDrawingCancelled = NULL;
    if (::GetCapture() == m_hWnd && GetDocument()->m_nCurrentTool != KIND_POINTER)
    {
        DiscardNewElement(TRUE);
        ::ReleaseCapture();
        g_hWndDrawingCancelled = m_hWnd;
        return;
    }
    CPoint ptDoc = point;
    DeviceToLogical(ptDoc);
    m_bRightHit = ElementAtPoint(ptDoc) != NULL;
    PressAt(nFlags, point, TRUE);
    CScrollView::OnRButtonDown(nFlags, point);
}

// The element menu after a right press on an element with a selection, else the page menu; from the keyboard
// it opens at the cursor.
void CVarnelView::OnContextMenu(CWnd* pWnd, CPoint point)
{
    CVarnelDoc* pDoc = GetDocument();
    // from the keyboard (Shift+F10, the menu key) the menu is the selection's, shown over it
    const BOOL bKeyboard = point.x == -1 && point.y == -1;
    if (!bKeyboard && g_hWndDrawingCancelled == m_hWnd)
    {
        g_hWndDrawingCancelled = NULL;
        return;
    }
    const BOOL bSelection = !pDoc->m_listSelection.IsEmpty();
    const UINT nMenu = bSelection && (m_bRightHit || bKeyboard) ? IDR_ELEMENT_MENU : IDR_PAGE_MENU;
    if (bKeyboard)
    {
        CRect rectClient;
        GetClientRect(&rectClient);
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (bSelection)
        {
            CRect rect = pDoc->m_listSelection.GetHead()->GetRect();
            LogicalToDeviceRect(rect);
            point = rect.CenterPoint();
        }
        // never outside the view
        point.x = std::min(std::max(point.x, rectClient.left), rectClient.right - 1);
        point.y = std::min(std::max(point.y, rectClient.top), rectClient.bottom - 1);
        ClientToScreen(&point);
    }
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    const HWND hWndReceiver = pWnd != NULL ? pWnd->GetSafeHwnd() : m_hWnd;
    if (!pPopup->LoadMenuResource(hWndReceiver, nMenu, true)
        || !pPopup->StartTracking(0, point.x, point.y))
    {
        // a popup that did not start tracking stays ours
        delete pPopup;
    }
}

BOOL CVarnelView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CVarnelDoc* pDoc = GetDocument();
    if (pWnd == this && pDoc->m_tracker.SetCursor(this, nHitTest))
        return TRUE;
    ::SetCursor(::LoadCursorA(NULL, pDoc->m_nCurrentTool == KIND_POINTER ? IDC_ARROW : IDC_CROSS));
    if (nHitTest == HTCLIENT)
        return TRUE;
    return CScrollView::OnSetCursor(pWnd, nHitTest, message);
}

// Arrows nudge the selection, Delete and Ctrl+A run their commands, a letter opens a lone text's page;
// Esc ends a drawing under way, else puts an insert tool down.
void CVarnelView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CVarnelDoc* pDoc = GetDocument();
    const BOOL bCtrl = IsCtrlDown();
    CFrameWnd* pFrame = GetParentFrame();
    switch (nChar)
    {
    case VK_ESCAPE:
        if (pDoc->m_nCurrentTool == KIND_POINTER)
            break;
        if (::GetCapture() == m_hWnd)
        {
            DiscardNewElement(TRUE);
            ::ReleaseCapture();
        }
        else
            pDoc->m_nCurrentTool = KIND_POINTER;
        break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    {
        // an arrow held down moves as one step of undo: its repeats take no level of their own
        static BOOL s_bHoldUndoTaken = FALSE;
        const BOOL bRepeat = (nFlags & KF_REPEAT) != 0;
        if (!bRepeat)
            s_bHoldUndoTaken = FALSE;
        if (MoveSelectionByKey(this, nChar, bCtrl, !s_bHoldUndoTaken))
            s_bHoldUndoTaken = TRUE;
        pDoc->UpdateAllViews(NULL);
        break;
    }
    case VK_DELETE:
        if (pFrame != NULL)
            pFrame->SendMessage(WM_COMMAND, ID_EDIT_CLEAR);
        break;
    default:
        if (bCtrl && nChar == 'A')
        {
            if (pFrame != NULL)
                pFrame->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL_ELEMENTS);
        }
        else if (!bCtrl && ((nChar >= 'A' && nChar <= 'Z') || (nChar >= '0' && nChar <= '9')))
        {
            if (pDoc->m_listSelection.GetCount() == 1)
            {
                CElement* pElement = pDoc->m_listSelection.GetHead();
                if (pElement->m_nKind == KIND_TEXT || pElement->m_nKind == KIND_DBTEXT)
                    ShowElementProperties(pElement, TRUE);
            }
        }
        break;
    }
    CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
}

// Moves the unlocked selection 1 unit, 10 with Ctrl, centres kept on the page; one undo level if any moves.
void CVarnelView::NudgeSelection(UINT nKey, BOOL bCtrl)
{
    MoveSelectionByKey(this, nKey, bCtrl, TRUE);
}
