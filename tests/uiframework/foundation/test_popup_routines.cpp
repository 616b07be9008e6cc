// Small routines of the popup menu shared with the bars: related windows, modifier keys,
// restacking of a chain, the framework cursors.

#include "test_popup_support.h"
#include "ExtPopupSupport.h"
#include "cmd_test_support.h"

namespace
{

// Sets or clears a key in the thread's keyboard state for the scope.
class CHeldKey
{
public:
    explicit CHeldKey(int nVirtKey)
        : m_nVirtKey(nVirtKey)
    {
        ::GetKeyboardState(m_arrSaved);
        BYTE arrKeys[256];
        memcpy(arrKeys, m_arrSaved, sizeof(arrKeys));
        arrKeys[nVirtKey] |= 0x80;
        ::SetKeyboardState(arrKeys);
    }
    ~CHeldKey()
    {
        ::SetKeyboardState(m_arrSaved);
    }

private:
    int m_nVirtKey;
    BYTE m_arrSaved[256];
};

} // namespace

TEST(PopupRoutines, ChildrenOfOneVisibleFrameAreRelated)
{
    CPopupTestReceiver frame;
    CTestWindow childA(frame.GetSafeHwnd());
    CTestWindow childB(frame.GetSafeHwnd());
    CTestWindow grandChild(childA.m_hWnd);
    EXPECT_TRUE(CExtPopupMenuWnd::AreWindowsRelated(childA.m_hWnd, childB.m_hWnd));
    EXPECT_TRUE(CExtPopupMenuWnd::AreWindowsRelated(grandChild.m_hWnd, childB.m_hWnd));
    EXPECT_TRUE(CExtPopupMenuWnd::AreWindowsRelated(childA.m_hWnd, frame.GetSafeHwnd()));
    // only ancestors of the first window are compared
    EXPECT_FALSE(CExtPopupMenuWnd::AreWindowsRelated(frame.GetSafeHwnd(), childA.m_hWnd));
    // a window without parent is related to nothing, not even to itself
    CTestWindow alone;
    EXPECT_FALSE(CExtPopupMenuWnd::AreWindowsRelated(alone.m_hWnd, alone.m_hWnd));
    EXPECT_FALSE(CExtPopupMenuWnd::AreWindowsRelated(alone.m_hWnd, childA.m_hWnd));
    EXPECT_FALSE(CExtPopupMenuWnd::AreWindowsRelated(NULL, childA.m_hWnd));
    // with the both-visible test a hidden window is never related
    ::ShowWindow(childB.m_hWnd, SW_HIDE);
    EXPECT_TRUE(CExtPopupMenuWnd::AreWindowsRelated(childA.m_hWnd, childB.m_hWnd));
    EXPECT_FALSE(CExtPopupMenuWnd::AreWindowsRelated(childA.m_hWnd, childB.m_hWnd, false, true));
    ::EnableWindow(childB.m_hWnd, FALSE);
    EXPECT_FALSE(CExtPopupMenuWnd::AreWindowsRelated(childA.m_hWnd, childB.m_hWnd, true, false));
}

TEST(PopupRoutines, NotRelatedWhileAMenuIsTracked)
{
    CPopupTestReceiver frame;
    CTestWindow childA(frame.GetSafeHwnd());
    CTestWindow childB(frame.GetSafeHwnd());
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->InitAsEmptyPopup(frame.GetSafeHwnd()));
    pPopup->InsertCommandItem(ID_POPUP_ALPHA, -1, _T("Alpha"));
    ASSERT_TRUE(pPopup->StartTracking(CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION, 100, 100));
    EXPECT_FALSE(CExtPopupMenuWnd::AreWindowsRelated(childA.m_hWnd, childB.m_hWnd, false, false,
                                                      true));
    EXPECT_TRUE(CExtPopupMenuWnd::AreWindowsRelated(childA.m_hWnd, childB.m_hWnd));
    CExtPopupMenuWnd::CancelTracking();
}

TEST(PopupRoutines, ModifierKeys)
{
    EXPECT_TRUE(CExtPopupMenuWnd::IsModifierKeyDown(1 << 29));
    {
        BYTE arrKeys[256];
        ::GetKeyboardState(arrKeys);
        for (int nKey : { VK_MENU, VK_LMENU, VK_RMENU, VK_CONTROL, VK_LCONTROL, VK_RCONTROL,
                          VK_SHIFT, VK_LSHIFT, VK_RSHIFT })
            arrKeys[nKey] &= ~0x80;
        ::SetKeyboardState(arrKeys);
    }
    EXPECT_FALSE(CExtPopupMenuWnd::IsModifierKeyDown(0));
    {
        CHeldKey shift(VK_SHIFT);
        EXPECT_TRUE(CExtPopupMenuWnd::IsModifierKeyDown(0));
    }
    {
        CHeldKey control(VK_RCONTROL);
        EXPECT_TRUE(CExtPopupMenuWnd::IsModifierKeyDown(0));
    }
    EXPECT_FALSE(CExtPopupMenuWnd::IsModifierKeyDown(0));
}

TEST(PopupRoutines, BringChainToTopRestacksThreeLevels)
{
    CPopupTestReceiver receiver;
    CExtPopupMenuWnd* pRoot = new CExtPopupMenuWnd;
    ASSERT_TRUE(pRoot->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    ASSERT_TRUE(pRoot->StartTracking(CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION
                                         | CExtPopupMenuWnd::TPMX_NO_HIDE_RARELY,
                                     150, 150));
    CExtPopupMenuWnd* pMore = pRoot->GetItemPopup(3);
    pRoot->ExpandSubMenu(3, true, false, false);
    ASSERT_TRUE(pMore->GetSafeHwnd() != NULL);
    CExtPopupMenuWnd* pDeep = pMore->GetItemPopup(1);
    pMore->ExpandSubMenu(1, true, false, false);
    ASSERT_TRUE(pDeep->GetSafeHwnd() != NULL);
    // push the root above the others, then restack from the deepest one
    pRoot->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    pDeep->BringChainToTop(NULL);
    auto position = [](HWND hWnd)
    {
        int n = 0;
        for (HWND h = ::GetTopWindow(NULL); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT), n++)
        {
            if (h == hWnd)
                return n;
        }
        return -1;
    };
    const int nDeep = position(pDeep->GetSafeHwnd());
    const int nMore = position(pMore->GetSafeHwnd());
    const int nRoot = position(pRoot->GetSafeHwnd());
    ASSERT_GE(nDeep, 0);
    EXPECT_LT(nDeep, nMore);
    EXPECT_LT(nMore, nRoot);
    CExtPopupMenuWnd::CancelTracking();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST(PopupRoutines, FrameworkCursorsAreLoaded)
{
    EXPECT_TRUE(g_hCursorArrow != NULL);
    EXPECT_TRUE(g_hCursorDrag != NULL);
    EXPECT_TRUE(g_hCursorResizeV != NULL);
    EXPECT_TRUE(g_hCursorResizeH != NULL);
    EXPECT_TRUE(g_hCursorTabArrow != NULL);
    EXPECT_EQ(::LoadCursor(NULL, IDC_SIZENS), g_hCursorResizeV);
}
