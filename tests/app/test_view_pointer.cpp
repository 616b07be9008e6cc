// The pointer on the design view as the system delivers it: presses and releases posted to
// the view window, the context menu that the window's default processing makes from a right
// release, and the popup that then really tracks. Level and upright lines are hit within
// 3 units of their empty rectangle.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"

#include <string>
#include <vector>

namespace
{

class ViewPointer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_program.m_pApp->m_pMainWnd->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pDoc = m_program.NewShownDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL && m_pView != NULL);
    }

    void TearDown() override
    {
        CExtPopupMenuWnd::CancelTracking();
        PumpPendingMessages();
    }

    // The client pixel of a document position.
    CPoint Pixel(CPoint ptDoc)
    {
        m_pView->LogicalToDevice(ptDoc);
        return ptDoc;
    }

    // A press and a release of a button at a document position, queued as the system
    // queues them, then handled; the right release makes the context menu.
    void Click(CPoint ptDoc, bool bRight = false)
    {
        const CPoint pt = Pixel(ptDoc);
        CRect rectClient;
        m_pView->GetClientRect(&rectClient);
        ASSERT_TRUE(rectClient.PtInRect(pt)) << pt.x << "," << pt.y;
        const LPARAM lParam = MAKELPARAM(pt.x, pt.y);
        ::PostMessageA(m_pView->m_hWnd, bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                       bRight ? MK_RBUTTON : MK_LBUTTON, lParam);
        ::PostMessageA(m_pView->m_hWnd, bRight ? WM_RBUTTONUP : WM_LBUTTONUP, 0, lParam);
        PumpPendingMessages();
    }

    // A press, moves and a release: a drag from one document position to another.
    void Drag(CPoint ptFrom, CPoint ptTo)
    {
        const CPoint a = Pixel(ptFrom);
        const CPoint b = Pixel(ptTo);
        ::PostMessageA(m_pView->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
        ::PostMessageA(m_pView->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((a.x + b.x) / 2, (a.y + b.y) / 2));
        ::PostMessageA(m_pView->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.x, b.y));
        ::PostMessageA(m_pView->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(b.x, b.y));
        PumpPendingMessages();
    }

    CElement* Selected()
    {
        return m_pDoc->m_listSelection.GetCount() == 1 ? m_pDoc->m_listSelection.GetHead() : NULL;
    }

    // The popup that tracks, once it is shown and its opening has run; NULL when none.
    CExtPopupMenuWnd* TrackedPopup()
    {
        const DWORD nStart = ::GetTickCount();
        for (;;)
        {
            CExtPopupMenuWnd* pPopup = g_TrackingSite.m_pWndRoot;
            if (pPopup != NULL && pPopup->GetSafeHwnd() != NULL && pPopup->IsWindowVisible()
                && g_TrackingSite.m_pWndAnimation == NULL)
                return pPopup;
            if (::GetTickCount() - nStart > 2000)
                return NULL;
            CExtPopupMenuWnd::PumpPendingMessages(false);
            ::Sleep(5);
        }
    }

    // "text=id" of every item (separators "-"), with the accelerator after a tab; a sub-menu
    // lists its items in braces. Items hidden behind the expand button are marked "(hidden)".
    static std::string Items(CExtPopupMenuWnd* pPopup)
    {
        std::string s;
        for (int i = 0; i < pPopup->GetItemCount(); i++)
        {
            const CExtPopupMenuWnd::MENUITEMDATA& mi = pPopup->GetItemAt(i);
            if (!s.empty())
                s += " ";
            if (mi.IsSeparator())
            {
                s += "-";
                continue;
            }
            s += (LPCTSTR)mi.GetText();
            if (!mi.GetAccelText().IsEmpty())
                s += std::string("\\t") + (LPCTSTR)mi.GetAccelText();
            if (mi.IsPopup())
            {
                s += " {" + Items(mi.m_pWndChild) + "}";
            }
            else
            {
                char szID[16];
                sprintf(szID, "=%u", mi.m_nCmdID);
                s += szID;
            }
            if (!mi.IsDisplayed())
                s += "(hidden)";
        }
        return s;
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
};

const char kElementMenu[] =
    "Cu&t\\tCtrl+X=57635 &Copy\\tCtrl+C=57634 Pa&ste\\tCtrl+V=57637 - &Delete=57632 - "
    "&Move To {&Front=143 &Back=144 - &One Step Front=145 O&ne Step Back=146} - "
    "&Lock=240 &Unlock=241 - &Properties...=137";
const char kPageMenu[] =
    "&Undo\\tCtrl+Z=57643 &Redo\\tCtrl+Y=57644 &Paste\\tCtrl+V=57637 - "
    "Select Background...=160 &Remove Background=260 - Zoom &In\\tCtrl+==250 "
    "Zoom &Out\\tCtrl+ -=251 - Select &All\\tCtrl+A=159 &Options...=219";

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Context menus

TEST_F(ViewPointer, RightClickOnAnElementTracksTheElementMenuSelectedOrNot)
{
    CRectangle* pRect = new CRectangle(CPoint(100, 50), CPoint(200, 150));
    m_pDoc->m_listElements.AddTail(pRect);

    // not selected: the right press selects it, the release opens the element menu
    ASSERT_TRUE(m_pDoc->m_listSelection.IsEmpty());
    Click(CPoint(150, 100), true);
    EXPECT_EQ(pRect, Selected());
    CExtPopupMenuWnd* pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_EQ(m_pView->m_hWnd, pPopup->GetCmdReceiverHWND());
    EXPECT_EQ(kElementMenu, Items(pPopup));
    CExtPopupMenuWnd::CancelTracking();
    PumpPendingMessages();
    EXPECT_TRUE(g_TrackingSite.m_pWndRoot == NULL);

    // selected, with a second selected element: both stay selected, the same menu opens
    CRectangle* pOther = new CRectangle(CPoint(250, 50), CPoint(300, 100));
    m_pDoc->m_listElements.AddTail(pOther);
    m_pDoc->m_tracker.Add(pOther);
    m_pDoc->m_listSelection.AddHead(pOther);
    Click(CPoint(120, 60), true);
    EXPECT_EQ(2, m_pDoc->m_listSelection.GetCount());
    pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    EXPECT_EQ(kElementMenu, Items(pPopup));
    EXPECT_EQ(CRect(100, 50, 200, 150), pRect->GetRect());     // nothing moved
    EXPECT_TRUE(m_pView->GetCapture() == NULL);
}

TEST_F(ViewPointer, RightClickOnTheDeskTracksThePageMenuWithSelectAllShown)
{
    CRectangle* pRect = new CRectangle(CPoint(100, 50), CPoint(200, 150));
    m_pDoc->m_listElements.AddTail(pRect);
    m_pDoc->m_tracker.Add(pRect);
    m_pDoc->m_listSelection.AddHead(pRect);

    Click(CPoint(300, 170), true);
    EXPECT_TRUE(m_pDoc->m_listSelection.IsEmpty());
    CExtPopupMenuWnd* pPopup = TrackedPopup();
    ASSERT_TRUE(pPopup != NULL);
    // every item is shown: none sits behind the expand button (the document names the
    // background item after the side's background)
    EXPECT_EQ(kPageMenu, Items(pPopup));

    // its Select All is the command of the view: every element is selected
    const int nSelectAll = pPopup->FindItemByCmdID(159);
    ASSERT_GE(nSelectAll, 0);
    CExtPopupMenuWnd::CancelTracking();
    PumpPendingMessages();
    m_pView->GetParentFrame()->SendMessage(WM_COMMAND, 159);
    EXPECT_EQ(1, m_pDoc->m_listSelection.GetCount());
}

/////////////////////////////////////////////////////////////////////////////
// Lines with an empty rectangle

TEST_F(ViewPointer, LevelUprightAndFlatFreehandLinesAreHitWithinThreeUnits)
{
    CLine* pLevel = new CLine(CPoint(100, 100), CPoint(300, 100));
    pLevel->m_nLineDirection = 0;
    CLine* pUpright = new CLine(CPoint(150, 30), CPoint(150, 90));
    pUpright->m_nLineDirection = 1;
    CFreehandLine* pFlat = new CFreehandLine(CPoint(60, 150), CPoint(60, 150));
    pFlat->AddPoint(CPoint(60, 150));
    pFlat->AddPoint(CPoint(120, 150));
    pFlat->AddPoint(CPoint(180, 150));
    pFlat->RecalcRect();
    ASSERT_EQ(CRect(60, 150, 180, 150), pFlat->GetRect());
    for (CElement* pElement : { (CElement*)pLevel, (CElement*)pUpright, (CElement*)pFlat })
    {
        pElement->m_nSide = 1;
        m_pDoc->m_listElements.AddTail(pElement);
    }

    const struct
    {
        CElement* pElement;
        CPoint ptOn;
        CSize sizeAcross;       // one unit off the line
    } lines[] = {
        { pLevel, CPoint(130, 100), CSize(0, 1) },    // in the window at 300 % beside a wide bar
        { pUpright, CPoint(150, 60), CSize(1, 0) },
        { pFlat, CPoint(100, 150), CSize(0, 1) },
    };
    for (float fZoom : { 1.0f, 3.0f })
    {
        m_program.Command(fZoom == 1.0f ? ID_VIEW_ZOOM_100 : ID_VIEW_ZOOM_300);
        ASSERT_FLOAT_EQ(fZoom, m_pView->GetZoom());
        m_pView->ScrollToPosition(CPoint(0, 0));
        PumpPendingMessages();
        for (const auto& line : lines)
        {
            for (int nOff : { 0, 2, -2, 4, -4 })
            {
                Click(CPoint(40, 40));        // the empty page: nothing selected
                ASSERT_TRUE(Selected() == NULL);
                const CPoint pt = line.ptOn + CSize(line.sizeAcross.cx * nOff, line.sizeAcross.cy * nOff);
                Click(pt);
                if (abs(nOff) <= 2)
                    EXPECT_EQ(line.pElement, Selected()) << "zoom " << fZoom << " kind " << line.pElement->m_nKind
                                                         << " offset " << nOff;
                else
                    EXPECT_TRUE(Selected() == NULL) << "zoom " << fZoom << " kind " << line.pElement->m_nKind
                                                    << " offset " << nOff;
            }
        }
    }
}

TEST_F(ViewPointer, RubberBandAroundALevelLineSelectsIt)
{
    CLine* pLevel = new CLine(CPoint(100, 100), CPoint(300, 100));
    pLevel->m_nLineDirection = 0;
    pLevel->m_nSide = 1;
    m_pDoc->m_listElements.AddTail(pLevel);

    // a band that stops short of the line's end leaves it; one around it takes it
    Drag(CPoint(80, 80), CPoint(290, 120));
    EXPECT_TRUE(Selected() == NULL);
    Drag(CPoint(80, 80), CPoint(320, 120));
    EXPECT_EQ(pLevel, Selected());
}

TEST_F(ViewPointer, SelectedLevelLineMovesWhenDraggedBesideIt)
{
    CLine* pLevel = new CLine(CPoint(100, 100), CPoint(300, 100));
    pLevel->m_nLineDirection = 0;
    pLevel->m_nSide = 1;
    m_pDoc->m_listElements.AddTail(pLevel);

    Click(CPoint(200, 102));
    ASSERT_EQ(pLevel, Selected());
    // beside the line, between its handles
    Drag(CPoint(150, 98), CPoint(180, 118));
    EXPECT_EQ(CRect(130, 120, 330, 120), pLevel->GetRect());
    EXPECT_EQ(pLevel, Selected());
}
