// Control-hosting popups: the undo/redo list with its caption count, the in-place list,
// notifications to the command receiver and the one final or cancel notification.

#include "test_popup_support.h"
#include "ExtPopupControlMenuWnd.h"

namespace
{

const DWORD kNoAnim = CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION;
int g_nRowsToAdd = 10;

// Answers the list's messages: fills it, measures rows 16 pixels high, draws nothing.
LRESULT ListAnswer(CPopupTestReceiver*, UINT nMessage, WPARAM wParam, LPARAM)
{
    if (nMessage == CExtPopupInplaceListBox::g_nMsgPopupListBoxInitContent)
    {
        CExtPopupInplaceListBox* pList = (CExtPopupInplaceListBox*)wParam;
        for (int i = 0; i < g_nRowsToAdd; i++)
        {
            CString str;
            str.Format(_T("Action %d"), i + 1);
            pList->AddString(str);
        }
    }
    else if (nMessage == CExtPopupInplaceListBox::g_nMsgPopupListBoxItemMeasure)
    {
        CExtPopupInplaceListBox::NotifyData_t* p = (CExtPopupInplaceListBox::NotifyData_t*)wParam;
        ((LPMEASUREITEMSTRUCT)p->m_nValue)->itemHeight = 16;
    }
    return 0;
}

// A control popup that hosts an in-place list of single selection.
class CListPopup : public CExtPopupControlMenuWnd
{
public:
    virtual HWND CreateChildControl(const RECT& rc) override
    {
        CExtPopupInplaceListBox* pList = new CExtPopupInplaceListBox;
        pList->m_lParamCookie = 5;
        if (!pList->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY,
                           rc, this, (UINT)-1))
        {
            delete pList;
            return NULL;
        }
        return pList->GetSafeHwnd();
    }
};

class PopupControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_nRowsToAdd = 10;
        m_receiver.m_pfnRegistered = ListAnswer;
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelTracking();
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    }
    bool Track(CExtPopupMenuWnd* pPopup)
    {
        if (!pPopup->InitAsEmptyPopup(m_receiver.GetSafeHwnd())
            || !pPopup->StartTracking(kNoAnim, 200, 100))
            return false;
        return PopupPumpUntil([pPopup] { return pPopup->GetSafeHwnd() != NULL
                                                && g_TrackingSite.m_pWndAnimation == NULL; });
    }
    bool Ended()
    {
        return PopupPumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); });
    }
    // Client point of a row's centre in the list.
    static LPARAM RowPoint(HWND hWndList, int nRow)
    {
        RECT rc;
        ::SendMessageA(hWndList, LB_GETITEMRECT, nRow, (LPARAM)&rc);
        return MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }

    CPopupTestReceiver m_receiver;
};

} // namespace

TEST(PopupControlStatics, ScrollPeriodsByDistance)
{
    EXPECT_EQ(500u, CExtPopupUndoRedoListBox::PeriodForDistance(5));
    EXPECT_EQ(300u, CExtPopupUndoRedoListBox::PeriodForDistance(15));
    EXPECT_EQ(200u, CExtPopupUndoRedoListBox::PeriodForDistance(25));
    EXPECT_EQ(100u, CExtPopupUndoRedoListBox::PeriodForDistance(35));
    EXPECT_EQ(50u, CExtPopupUndoRedoListBox::PeriodForDistance(45));
    EXPECT_EQ(50u, CExtPopupUndoRedoListBox::PeriodForDistance(400));
}

TEST_F(PopupControlTest, UndoRedoSelectionRunsFromTheFirstRow)
{
    CExtPopupUndoRedoMenuWnd* pPopup = new CExtPopupUndoRedoMenuWnd(42);
    ASSERT_TRUE(Track(pPopup));
    HWND hWndList = pPopup->m_hWndChildControl;
    ASSERT_TRUE(hWndList != NULL);
    ASSERT_EQ(10, (int)::SendMessageA(hWndList, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, pPopup->m_nSelectedCount);
    // the list sits inside the border, the caption band below it
    CRect rcList;
    ::GetWindowRect(hWndList, &rcList);
    pPopup->ScreenToClient(&rcList);
    EXPECT_EQ(pPopup->GetChildControlRect(), rcList);
    EXPECT_EQ(rcList.bottom, pPopup->m_rcCaption.top);
    EXPECT_EQ(24, pPopup->m_rcCaption.Height());

    ::SendMessageA(hWndList, WM_MOUSEMOVE, 0, RowPoint(hWndList, 4));
    EXPECT_EQ(5, (int)::SendMessageA(hWndList, LB_GETSELCOUNT, 0, 0));
    EXPECT_EQ(5, pPopup->m_nSelectedCount);
    for (int i = 0; i < 5; i++)
        EXPECT_GT(::SendMessageA(hWndList, LB_GETSEL, i, 0), 0) << i;
    ::SendMessageA(hWndList, WM_MOUSEMOVE, 0, RowPoint(hWndList, 2));
    EXPECT_EQ(3, (int)::SendMessageA(hWndList, LB_GETSELCOUNT, 0, 0));
    EXPECT_EQ(3, pPopup->m_nSelectedCount);
    EXPECT_EQ(0, ::SendMessageA(hWndList, LB_GETSEL, 4, 0));
    EXPECT_EQ(2, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange));
    const CPopupTestReceiver::Message_t* pChange =
        m_receiver.LastMessage(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange);
    EXPECT_EQ(42, pChange->m_lParam);

    // a real click on the row chooses: the input passes the hooks on to the list
    CRect rcRow;
    ::SendMessageA(hWndList, LB_GETITEMRECT, 2, (LPARAM)&rcRow);
    ::MapWindowPoints(hWndList, NULL, (LPPOINT)&rcRow, 2);
    PopupMoveMouse(rcRow.CenterPoint().x, rcRow.CenterPoint().y);
    PopupClick(rcRow.CenterPoint().x, rcRow.CenterPoint().y);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
    EXPECT_EQ(0, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel));
}

TEST_F(PopupControlTest, UndoRedoDragBelowTheListScrollsOnAndChoosesOnRelease)
{
    g_nRowsToAdd = 40;
    CExtPopupUndoRedoMenuWnd* pPopup = new CExtPopupUndoRedoMenuWnd;
    ASSERT_TRUE(Track(pPopup));
    HWND hWndList = pPopup->m_hWndChildControl;
    ASSERT_TRUE(hWndList != NULL);
    ASSERT_EQ(0, (int)::SendMessageA(hWndList, LB_GETTOPINDEX, 0, 0));
    CRect rcRow, rcList;
    ::SendMessageA(hWndList, LB_GETITEMRECT, 1, (LPARAM)&rcRow);
    ::MapWindowPoints(hWndList, NULL, (LPPOINT)&rcRow, 2);
    ::GetClientRect(hWndList, &rcList);
    ::MapWindowPoints(hWndList, NULL, (LPPOINT)&rcList, 2);
    const int nVisible = rcList.Height() / 16;
    ASSERT_LT(nVisible, 30);

    // press on a row, then hold the button below the list: the scroll timer moves on
    PopupMoveMouse(rcRow.CenterPoint().x, rcRow.CenterPoint().y);
    PopupMouseEvent(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(hWndList, ::GetCapture());
    EXPECT_EQ(2, pPopup->m_nSelectedCount);
    PopupMoveMouse(rcRow.CenterPoint().x, rcList.bottom + 40);
    ASSERT_TRUE(PopupPumpUntil(
        [hWndList] { return ::SendMessageA(hWndList, LB_GETTOPINDEX, 0, 0) >= 3; }, 5000));
    // the selection runs on with the rows scrolled in, still from the first row
    const int nSelected = pPopup->m_nSelectedCount;
    EXPECT_GT(nSelected, nVisible);
    EXPECT_EQ(nSelected, (int)::SendMessageA(hWndList, LB_GETSELCOUNT, 0, 0));
    EXPECT_GT(::SendMessageA(hWndList, LB_GETSEL, 0, 0), 0);
    PopupMouseEvent(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
    EXPECT_EQ(0, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel));
}

TEST_F(PopupControlTest, UndoRedoKeysGrowAndShrinkTheSelection)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    CExtPopupUndoRedoMenuWnd* pPopup = new CExtPopupUndoRedoMenuWnd;
    ASSERT_TRUE(Track(pPopup));
    HWND hWndList = pPopup->m_hWndChildControl;
    ASSERT_TRUE(hWndList != NULL);
    PopupSendKey(VK_DOWN);
    EXPECT_EQ(1, pPopup->m_nSelectedCount);
    PopupSendKey(VK_DOWN);
    PopupSendKey(VK_DOWN);
    EXPECT_EQ(3, pPopup->m_nSelectedCount);
    PopupSendKey(VK_UP);
    EXPECT_EQ(2, pPopup->m_nSelectedCount);
    PopupSendKey(VK_END);
    EXPECT_EQ(10, pPopup->m_nSelectedCount);
    PopupSendKey(VK_HOME);
    EXPECT_EQ(1, pPopup->m_nSelectedCount);
    PopupSendKey(VK_ESCAPE);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel));
    EXPECT_EQ(0, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
}

TEST_F(PopupControlTest, DestroyingWithoutAChoiceSendsNoCancel)
{
    CExtPopupUndoRedoMenuWnd* pPopup = new CExtPopupUndoRedoMenuWnd;
    ASSERT_TRUE(Track(pPopup));
    ASSERT_TRUE(pPopup->m_hWndChildControl != NULL);
    CExtPopupMenuWnd::CancelTracking();
    PopupPumpFor(30);
    EXPECT_EQ(0, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel));
    EXPECT_EQ(0, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
}

TEST_F(PopupControlTest, CancelModeSendsOneCancelAndEndsTheMenu)
{
    CExtPopupUndoRedoMenuWnd* pPopup = new CExtPopupUndoRedoMenuWnd;
    ASSERT_TRUE(Track(pPopup));
    HWND hWndList = pPopup->m_hWndChildControl;
    ::SendMessageA(hWndList, WM_CANCELMODE, 0, 0);
    ::SendMessageA(hWndList, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel));
}

TEST_F(PopupControlTest, EmptyListIgnoresTheMouse)
{
    g_nRowsToAdd = 0;
    CExtPopupUndoRedoMenuWnd* pPopup = new CExtPopupUndoRedoMenuWnd;
    ASSERT_TRUE(Track(pPopup));
    HWND hWndList = pPopup->m_hWndChildControl;
    ASSERT_EQ(0, (int)::SendMessageA(hWndList, LB_GETCOUNT, 0, 0));
    ::SendMessageA(hWndList, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    ::SendMessageA(hWndList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_NE(hWndList, ::GetCapture());
    ::SendMessageA(hWndList, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    PopupPumpFor(30);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(0, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange));
    EXPECT_EQ(0, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
    // a wheel turn over an empty list is refused
    MOUSEHOOKSTRUCTEX mhs;
    memset(&mhs, 0, sizeof(mhs));
    mhs.mouseData = MAKELONG(0, WHEEL_DELTA);
    bool bNoEat = false;
    CExtPopupControlMenuWnd::InputRetranslateInfo_t info(
        pPopup, CExtPopupControlMenuWnd::INPUT_MOUSE_WHEEL, &bNoEat);
    info.m_wParam = WM_MOUSEWHEEL;
    info.m_lParam = (LPARAM)&mhs;
    EXPECT_EQ(1, ::SendMessageA(hWndList, CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate,
                                (WPARAM)&info, 0));
    EXPECT_FALSE(bNoEat);
}

TEST_F(PopupControlTest, InPlaceListChoosesOnReleaseInside)
{
    CListPopup* pPopup = new CListPopup;
    ASSERT_TRUE(Track(pPopup));
    HWND hWndList = pPopup->m_hWndChildControl;
    ASSERT_TRUE(hWndList != NULL);
    ASSERT_EQ(10, (int)::SendMessageA(hWndList, LB_GETCOUNT, 0, 0));
    // the control popup casts no shadow and sizes itself around the control
    EXPECT_EQ(0, pPopup->GetShadowSize());
    const int b = pPopup->GetBorderSize();
    EXPECT_EQ(CSize(150 + 2 * b, 100 + 2 * b), pPopup->CalcSize());

    ::SendMessageA(hWndList, WM_MOUSEMOVE, 0, RowPoint(hWndList, 3));
    EXPECT_EQ(3, (int)::SendMessageA(hWndList, LB_GETCURSEL, 0, 0));
    const CPopupTestReceiver::Message_t* pChange =
        m_receiver.LastMessage(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange);
    ASSERT_TRUE(pChange != NULL);
    EXPECT_EQ(5, pChange->m_lParam);
    // pressed inside, released outside: no choice
    ::SendMessageA(hWndList, WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(hWndList, 3));
    EXPECT_EQ(hWndList, ::GetCapture());
    ::SendMessageA(hWndList, WM_LBUTTONUP, 0, MAKELPARAM(10, 500));
    PopupPumpFor(30);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(0, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
    // released inside: the current row is chosen, once
    ::SendMessageA(hWndList, WM_LBUTTONUP, 0, RowPoint(hWndList, 3));
    ::SendMessageA(hWndList, WM_LBUTTONUP, 0, RowPoint(hWndList, 3));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(1, m_receiver.CountMessages(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
}
