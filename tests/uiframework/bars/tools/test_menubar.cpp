// The menu bar in an MDI frame: taking and giving back menus, menus per document type,
// the Window list, maximised children (document and caption buttons), the keyboard machine
// fed as messages, opening and cancelling every menu, moving between menus.
#include "tools_support.h"
#include "uiframework/bars/ExtMenuControlBar.h"
#include "afxpriv.h"

namespace
{

// Gives the menu bar the first look at every message, as the program's frames do; counts
// the keyboard's system-menu requests instead of opening the system's own menu.
class CToolsMdiFrame : public CMDIFrameWnd
{
public:
    std::vector<UINT> m_commands;
    HWND m_hWndMenuBar = NULL;     // the menu bar while its window lives
    int m_nKeyMenus = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        CExtMenuControlBar* pBar =
            DYNAMIC_DOWNCAST(CExtMenuControlBar, CWnd::FromHandlePermanent(m_hWndMenuBar));
        if (pBar != NULL && pBar->PreTranslateFrameMessage(pMsg))
            return TRUE;
        return CMDIFrameWnd::PreTranslateMessage(pMsg);
    }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU)
        {
            m_nKeyMenus++;
            return 0;
        }
        return CMDIFrameWnd::WindowProc(nMsg, wParam, lParam);
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID >= ID_TOOLS_CMD_FIRST && nID <= ID_TOOLS_EDITB)
        {
            if (nCode == (int)CN_UPDATE_COMMAND_UI)
            {
                ((CCmdUI*)pExtra)->Enable(TRUE);
                return TRUE;
            }
            if (nCode == (int)CN_COMMAND)
            {
                if (pHandlerInfo == NULL)
                    m_commands.push_back(nID);
                return TRUE;
            }
        }
        return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

// The menu bar of the tests: counts its layout passes; its buttons may be filled ones.
class CTestMenuBar : public CExtMenuControlBar
{
public:
    bool m_bFilled = false;
    int m_nSizeLayouts = 0;         // CalcLayoutSize passes
    int m_nButtonLayouts = 0;       // RecalcButtonLayout passes
    CExtBarButton* CreateButton(UINT nCmdID, UINT nStyle) override
    {
        if (m_bFilled)
            return new CFilledButton(this, nCmdID, nStyle);
        return CExtMenuControlBar::CreateButton(nCmdID, nStyle);
    }
    CSize CalcLayoutSize(DWORD dwMode, int nLength) override
    {
        m_nSizeLayouts++;
        return CExtMenuControlBar::CalcLayoutSize(dwMode, nLength);
    }
    void RecalcButtonLayout() override
    {
        m_nButtonLayouts++;
        CExtMenuControlBar::RecalcButtonLayout();
    }
};

MSG KeyMsg(HWND hWnd, UINT nMsg, UINT nVK, bool bAlt)
{
    MSG msg;
    ::ZeroMemory(&msg, sizeof(msg));
    msg.hwnd = hWnd;
    msg.message = nMsg;
    msg.wParam = nVK;
    UINT nScan = ::MapVirtualKeyA(nVK, 0);
    msg.lParam = 1 | (nScan << 16) | (bAlt ? (1 << 29) : 0) |
                 ((nMsg == WM_KEYUP || nMsg == WM_SYSKEYUP) ? (3u << 30) : 0);
    return msg;
}

class MenuBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pApp = new CWinApp("Menu Bar Tests");
        AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
        m_pFrame = new CToolsMdiFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "Menu bar tests", WS_OVERLAPPEDWINDOW,
                                     CRect(0, 0, 800, 600), NULL,
                                     MAKEINTRESOURCEA(IDR_TOOLS_MAIN)));
        m_pApp->m_pMainWnd = m_pFrame;
        m_hMenuFrame = ::GetMenu(m_pFrame->m_hWnd);
        ASSERT_TRUE(m_hMenuFrame != NULL);
        ASSERT_TRUE(CExtControlBar::SetupFrameDocking(m_pFrame, CBRS_ALIGN_ANY, TRUE));
        RegisterToolCommands(m_pFrame->m_hWnd);
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->SetForegroundWindow();
        m_hMenuA = ::LoadMenuA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_TOOLS_DOCTYPE_A));
        m_hMenuB = ::LoadMenuA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_TOOLS_DOCTYPE_B));
        m_pBar = new CTestMenuBar;
        m_pBar->m_bFilled = m_bFilledButtons;
        m_pBar->SetMdiWindowPopupName("&Window");
        ASSERT_TRUE(m_pBar->Create("Menu bar", m_pFrame, 0xE8F0,
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER |
                                       CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC));
        m_pBar->EnableDocking(CBRS_ALIGN_ANY);
        ((CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP))->DockControlBar(m_pBar);
        m_pFrame->m_hWndMenuBar = m_pBar->m_hWnd;
        m_pFrame->RecalcLayout();
        Pump();
        CExtToolControlBar::g_bMenuTracking = FALSE;
        CExtMenuControlBar::g_bIgnoreAltUp = FALSE;
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelTracking();
        Pump();
        if (m_pBar != NULL && m_pBar->m_hWnd != NULL)
            m_pBar->DestroyWindow();
        delete m_pBar;
        if (m_pApp != NULL)
            m_pApp->m_pMainWnd = NULL;
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        Pump();
        ::DestroyMenu(m_hMenuA);
        ::DestroyMenu(m_hMenuB);
        delete m_pApp;
    }
    void Pump()
    {
        for (int i = 0; i < 3; i++)
            PumpPendingMessages();
    }
    CMDIChildWnd* NewChild(LPCTSTR lpszTitle, HMENU hMenu)
    {
        CMDIChildWnd* pChild = new CMDIChildWnd;
        pChild->SetHandles(hMenu, NULL);
        EXPECT_TRUE(pChild->Create(NULL, lpszTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CFrameWnd::rectDefault, m_pFrame));
        pChild->MDIActivate();
        m_pFrame->MDIActivate(pChild);
        Pump();
        return pChild;
    }
    // The texts of the top-level buttons that have menus.
    std::vector<CString> MenuTexts()
    {
        std::vector<CString> texts;
        for (int i = 0; i < m_pBar->GetButtonCount(); i++)
        {
            CExtBarButton* pTBB = m_pBar->GetButton(i);
            if (pTBB->GetRuntimeClass() != RUNTIME_CLASS(CExtBarButton))
                continue;
            CString s;
            pTBB->GetDisplayText(s);
            texts.push_back(s);
        }
        return texts;
    }
    int IndexOfText(LPCTSTR lpszText)
    {
        for (int i = 0; i < m_pBar->GetButtonCount(); i++)
        {
            CString s;
            m_pBar->GetButton(i)->GetDisplayText(s);
            if (s == lpszText)
                return i;
        }
        return -1;
    }
    BOOL Key(UINT nMsg, UINT nVK, bool bAlt = false)
    {
        MSG msg = KeyMsg(m_pFrame->m_hWnd, nMsg, nVK, bAlt);
        BOOL b = m_pBar->PreTranslateFrameMessage(&msg);
        Pump();
        return b;
    }
    // Lets the opening animation of a tracked popup end (its key handling waits for it).
    void WaitForPopup()
    {
        for (int i = 0; i < 100 && g_TrackingSite.m_pWndRoot != NULL; i++)
        {
            CExtPopupMenuWnd* pRoot = g_TrackingSite.m_pWndRoot;
            if (g_TrackingSite.m_pWndAnimation == NULL && pRoot->GetSafeHwnd() != NULL &&
                pRoot->IsWindowVisible())
                break;
            ::Sleep(5);
            Pump();
        }
    }
    void AltTap()
    {
        Key(WM_SYSKEYDOWN, VK_MENU, true);
        Key(WM_SYSKEYUP, VK_MENU, false);
    }

    CWinApp* m_pApp = NULL;
    CToolsMdiFrame* m_pFrame = NULL;
    CTestMenuBar* m_pBar = NULL;
    bool m_bFilledButtons = false;
    HMENU m_hMenuFrame = NULL, m_hMenuA = NULL, m_hMenuB = NULL;
};

} // namespace

TEST_F(MenuBarTest, TakesTheMenuThatOnlyTheFrameWindowHeld)
{
    EXPECT_TRUE(::GetMenu(m_pFrame->m_hWnd) == NULL);
    EXPECT_TRUE(m_pBar->IsMdiMode());
    EXPECT_TRUE(m_pBar->GetMdiClient() != NULL);
    // the frame was made without keeping a default menu: the bar owns the menu now
    EXPECT_TRUE(m_pBar->IsDefaultMenuOwned());
    std::vector<CString> texts = MenuTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], CString("&File"));
    EXPECT_EQ(texts[1], CString("&View"));
    EXPECT_EQ(texts[2], CString("&Window"));
    EXPECT_TRUE(m_pBar->GetButton(2)->IsAppendMdiWindowsMenu());
    EXPECT_FALSE(m_pBar->GetButton(1)->IsAppendMdiWindowsMenu());
    // one whole row, no chevron
    EXPECT_TRUE(m_pBar->GetChevron() == NULL);
    CRect rcClient, rcBar = CRect(0, 0, 0, 0);
    m_pFrame->GetClientRect(&rcClient);
    m_pBar->GetWindowRect(&rcBar);
    EXPECT_EQ(rcBar.Width(), rcClient.Width());
    // buttons measure 20 across and follow each other
    CRect rc0, rc1;
    m_pBar->GetButtonRect(0, &rc0);
    m_pBar->GetButtonRect(1, &rc1);
    EXPECT_EQ(rc1.left, rc0.right);
    EXPECT_GE(rc0.Height(), 20);

    // nobody else would destroy it: the bar does, once
    m_pBar->DestroyWindow();
    EXPECT_FALSE(::IsMenu(m_hMenuFrame));
    delete m_pBar;
    m_pBar = NULL;
}

TEST_F(MenuBarTest, TheBarOutlivingItsFrameStillEndsItsMenusOnce)
{
    CMDIChildWnd* pA = NewChild("Alpha", m_hMenuA);
    (void)pA;
    m_pApp->m_pMainWnd = NULL;
    m_pFrame->DestroyWindow();
    m_pFrame = NULL;
    Pump();
    // the bar's window went with the frame and took the menu it owned along
    EXPECT_FALSE(::IsMenu(m_hMenuFrame));
    EXPECT_TRUE(::IsMenu(m_hMenuA));
    delete m_pBar;
    m_pBar = NULL;
    // the template's menu is not the bar's to destroy
    EXPECT_TRUE(::IsMenu(m_hMenuA));
}

TEST_F(MenuBarTest, LoadedMenusAreTheBarsOwnAndGoWithIt)
{
    ASSERT_TRUE(m_pBar->LoadMenuBar(IDR_TOOLS_DOCTYPE_B));
    EXPECT_TRUE(m_pBar->IsDefaultMenuOwned());
    HMENU hLoaded = m_pBar->m_menuDefault.GetSafeHmenu();
    ASSERT_TRUE(::IsMenu(hLoaded));
    std::vector<CString> texts = MenuTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1], CString("&Format"));
    // the menu the bar had taken from the frame's window was the bar's: replaced, it goes
    EXPECT_FALSE(::IsMenu(m_hMenuFrame));
    m_pBar->DestroyWindow();
    EXPECT_FALSE(::IsMenu(hLoaded));
}

TEST_F(MenuBarTest, MenusFollowTheDocumentTypeAndTheWindowListFollowsTheChildren)
{
    CMDIChildWnd* pA = NewChild("Alpha", m_hMenuA);
    std::vector<CString> texts = MenuTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1], CString("&Edit"));
    EXPECT_EQ(m_pBar->GetCurrentMenu()->GetSafeHmenu(), m_hMenuA);
    CMDIChildWnd* pB = NewChild("Beta", m_hMenuB);
    texts = MenuTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1], CString("&Format"));
    EXPECT_EQ(m_pBar->GetCurrentMenu()->GetSafeHmenu(), m_hMenuB);
    EXPECT_TRUE(::GetMenu(m_pFrame->m_hWnd) == NULL);

    // the Window menu lists both documents
    int nWindow = IndexOfText("&Window");
    ASSERT_GE(nWindow, 0);
    EXPECT_TRUE(m_pBar->GetButton(nWindow)->IsAppendMdiWindowsMenu());
    EXPECT_TRUE(m_pBar->TrackButtonMenu(nWindow, TRUE, TRUE, TRUE));
    Pump();
    ASSERT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    CExtPopupMenuWnd* pRoot = g_TrackingSite.m_pWndRoot;
    ASSERT_TRUE(pRoot != NULL);
    EXPECT_GE(pRoot->FindItemByCmdID(AFX_IDM_FIRST_MDICHILD), 0);
    EXPECT_GE(pRoot->FindItemByCmdID(AFX_IDM_FIRST_MDICHILD + 1), 0);
    EXPECT_GE(pRoot->FindItemByCmdID(0xE130), 0);
    CExtPopupMenuWnd::CancelTracking();
    Pump();

    // closing the documents brings the frame's own menu back; the templates keep theirs
    pB->MDIDestroy();
    Pump();
    EXPECT_EQ(MenuTexts()[1], CString("&Edit"));
    pA->MDIDestroy();
    Pump();
    texts = MenuTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1], CString("&View"));
    EXPECT_TRUE(::IsMenu(m_hMenuA));
    EXPECT_TRUE(::IsMenu(m_hMenuB));
    EXPECT_TRUE(::IsMenu(m_hMenuFrame));
}

TEST_F(MenuBarTest, AMaximisedChildAddsItsDocumentAndCaptionButtons)
{
    CMDIChildWnd* pA = NewChild("Alpha", m_hMenuA);
    EXPECT_NE(m_pBar->GetButton(0)->GetRuntimeClass(), RUNTIME_CLASS(CExtBarMdiDocButton));
    m_pFrame->MDIMaximize(pA);
    Pump();
    ASSERT_TRUE(::IsZoomed(pA->m_hWnd));
    ASSERT_EQ(m_pBar->GetButton(0)->GetRuntimeClass(), RUNTIME_CLASS(CExtBarMdiDocButton));
    int nLast = m_pBar->GetButtonCount() - 1;
    CExtBarButton* pRight = m_pBar->GetButton(nLast);
    ASSERT_EQ(pRight->GetRuntimeClass(), RUNTIME_CLASS(CExtBarMdiRightButton));
    // the document button shows the child's icon; the caption group ends the row
    CRect rcClient, rcRight, rcDoc, rcFile;
    m_pBar->GetClientRect(&rcClient);
    m_pBar->GetButtonRect(nLast, &rcRight);
    m_pBar->GetButtonRect(0, &rcDoc);
    m_pBar->GetButtonRect(1, &rcFile);
    EXPECT_EQ(rcRight.right, rcClient.right - 1);
    EXPECT_EQ(rcFile.left, rcDoc.right);
    CExtMenuControlBar::MdiButtonsInfo_t info;
    ASSERT_TRUE(m_pBar->GetActiveMdiChildInfo(info, pRight, TRUE));
    EXPECT_TRUE(info.m_bMin && info.m_bMax && info.m_bClose);
    EXPECT_EQ(info.m_hWndChild, pA->m_hWnd);
    int cx = ::GetSystemMetrics(SM_CXSIZE) - 2;
    EXPECT_EQ(rcRight.Width(), 2 * cx + 6 + cx + 2);
    EXPECT_EQ(info.m_rcClose.right, rcRight.left + 2 + 3 * (cx + 2) - 2);
    // the caption buttons' tips
    TOOLINFO ti;
    ::ZeroMemory(&ti, sizeof(ti));
    EXPECT_EQ(pRight->OnToolHitTest(info.m_rcClose.CenterPoint(), &ti), (INT_PTR)AFX_IDS_SCCLOSE);
    free(ti.lpszText);
    EXPECT_EQ(pRight->OnToolHitTest(CPoint(rcRight.left, rcRight.top), NULL), -1);

    // the document button opens the child's system menu
    CPoint ptDoc = rcDoc.CenterPoint();
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDoc.x, ptDoc.y));
    Pump();
    EXPECT_TRUE(m_pBar->IsSystemMenuTracking());
    ASSERT_TRUE(g_TrackingSite.m_pWndRoot != NULL);
    EXPECT_GE(g_TrackingSite.m_pWndRoot->FindItemByCmdID(SC_CLOSE), 0);
    CExtPopupMenuWnd::CancelTracking();
    Pump();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());

    // the restore glyph restores the child: both buttons go
    CPoint ptRestore = info.m_rcRestore.CenterPoint();
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptRestore.x, ptRestore.y));
    m_pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptRestore.x, ptRestore.y));
    Pump();
    EXPECT_FALSE(::IsZoomed(pA->m_hWnd));
    for (int i = 0; i < m_pBar->GetButtonCount(); i++)
    {
        CRuntimeClass* pClass = m_pBar->GetButton(i)->GetRuntimeClass();
        EXPECT_NE(pClass, RUNTIME_CLASS(CExtBarMdiDocButton)) << i;
        EXPECT_NE(pClass, RUNTIME_CLASS(CExtBarMdiRightButton)) << i;
    }
    // maximised again, the close glyph closes the document
    m_pFrame->MDIMaximize(pA);
    Pump();
    nLast = m_pBar->GetButtonCount() - 1;
    ASSERT_EQ(m_pBar->GetButton(nLast)->GetRuntimeClass(), RUNTIME_CLASS(CExtBarMdiRightButton));
    ASSERT_TRUE(m_pBar->GetActiveMdiChildInfo(info, m_pBar->GetButton(nLast), TRUE));
    CPoint ptClose = info.m_rcClose.CenterPoint();
    HWND hWndA = pA->m_hWnd;
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClose.x, ptClose.y));
    m_pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClose.x, ptClose.y));
    Pump();
    EXPECT_FALSE(::IsWindow(hWndA));
    EXPECT_EQ(MenuTexts()[1], CString("&View"));
}

TEST_F(MenuBarTest, AltAloneHighlightsTheFirstMenuAndArrowsMoveTheHighlight)
{
    AltTap();
    ASSERT_TRUE(m_pBar->IsKeyboardMode());
    EXPECT_EQ(m_pBar->GetKeyboardIndex(), 0);
    EXPECT_TRUE(m_pBar->GetButton(0)->GetStyle() & CExtBarButton::BS_PRESSED);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_RIGHT));
    EXPECT_EQ(m_pBar->GetKeyboardIndex(), 1);
    EXPECT_FALSE(m_pBar->GetButton(0)->GetStyle() & CExtBarButton::BS_PRESSED);
    EXPECT_TRUE(m_pBar->GetButton(1)->GetStyle() & CExtBarButton::BS_PRESSED);
    Key(WM_KEYDOWN, VK_LEFT);
    Key(WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(m_pBar->GetKeyboardIndex(), 2);   // wrapped to the last menu
    // other keys are swallowed in keyboard mode
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_F5));
    EXPECT_TRUE(m_pBar->IsKeyboardMode());
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
    EXPECT_FALSE(m_pBar->GetButton(2)->GetStyle() & CExtBarButton::BS_PRESSED);

    // Alt pressed, then another key before the release: no keyboard mode
    Key(WM_SYSKEYDOWN, VK_MENU, true);
    EXPECT_FALSE(Key(WM_SYSKEYDOWN, 'Q', true));
    Key(WM_SYSKEYUP, VK_MENU, false);
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
    // a mouse click leaves keyboard mode
    AltTap();
    ASSERT_TRUE(m_pBar->IsKeyboardMode());
    MSG msg;
    ::ZeroMemory(&msg, sizeof(msg));
    msg.message = WM_LBUTTONDOWN;
    EXPECT_FALSE(m_pBar->PreTranslateFrameMessage(&msg));
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
    // a focus change makes the next Alt release do nothing
    msg.message = WM_SETFOCUS;
    m_pBar->PreTranslateFrameMessage(&msg);
    Key(WM_SYSKEYUP, VK_MENU, false);
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
}

TEST_F(MenuBarTest, AltLetterOpensItsMenuAndUnknownLettersPassOn)
{
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, 'V', true));
    ASSERT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(m_pBar->GetTrackingIndex(), 1);
    ASSERT_TRUE(g_TrackingSite.m_pWndRoot != NULL);
    EXPECT_GE(g_TrackingSite.m_pWndRoot->FindItemByCmdID(ID_TOOLS_GRID), 0);
    // Escape, as the popup's keyboard hook passes it, closes the menu and the tracking
    bool bNoEat = false;
    WaitForPopup();
    g_TrackingSite.m_pWndRoot->OnHookKey(VK_ESCAPE, 1, 0, bNoEat);
    Pump();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(m_pBar->GetTrackingIndex(), -1);
    // no menu has Q: the key goes on and the next Alt release is ignored
    EXPECT_FALSE(Key(WM_SYSKEYDOWN, 'Q', true));
    EXPECT_TRUE(CExtMenuControlBar::g_bIgnoreAltUp);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    // key releases with Alt are swallowed
    EXPECT_TRUE(Key(WM_SYSKEYUP, 'V', true));
}

TEST_F(MenuBarTest, EveryMenuOpensFromTheKeyboardAndIsCancelled)
{
    CMDIChildWnd* pA = NewChild("Alpha", m_hMenuA);
    (void)pA;
    const int nMenus = 3;
    const UINT firstIds[nMenus] = { ID_TOOLS_NEW, ID_TOOLS_CUT, 0xE130 };
    for (int i = 0; i < nMenus; i++)
    {
        SCOPED_TRACE(i);
        AltTap();
        ASSERT_TRUE(m_pBar->IsKeyboardMode());
        for (int k = 0; k < i; k++)
            Key(WM_KEYDOWN, VK_RIGHT);
        EXPECT_EQ(m_pBar->GetKeyboardIndex(), i);
        EXPECT_TRUE(Key(WM_KEYDOWN, VK_DOWN));
        ASSERT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
        EXPECT_FALSE(m_pBar->IsKeyboardMode());
        EXPECT_EQ(m_pBar->GetTrackingIndex(), i);
        EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
        CExtPopupMenuWnd* pRoot = g_TrackingSite.m_pWndRoot;
        ASSERT_TRUE(pRoot != NULL);
        EXPECT_EQ(pRoot->GetItemCmdID(0), firstIds[i]);
        // Escape, as the popup's keyboard hook passes it, closes it
        bool bNoEat = false;
        WaitForPopup();
        pRoot->OnHookKey(VK_ESCAPE, 1, 0, bNoEat);
        Pump();
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
        EXPECT_EQ(m_pBar->GetTrackingIndex(), -1);
        EXPECT_FALSE(m_pBar->GetButton(i)->GetStyle() & CExtBarButton::BS_PRESSED);
    }
}

TEST_F(MenuBarTest, MovingPastTheLastMenuOpensTheSystemMenus)
{
    CMDIChildWnd* pA = NewChild("Alpha", m_hMenuA);
    (void)pA;
    int nLast = 2;
    EXPECT_TRUE(m_pBar->TrackButtonMenu(nLast, TRUE, TRUE, TRUE));
    Pump();
    ASSERT_EQ(m_pBar->GetTrackingIndex(), nLast);
    m_pFrame->PostMessage(CExtPopupMenuWnd::g_nMsgPopupNext, 0, 0);
    Pump();
    EXPECT_EQ(m_pBar->GetSystemMenuKind(), 1);
    ASSERT_TRUE(g_TrackingSite.m_pWndRoot != NULL);
    EXPECT_GE(g_TrackingSite.m_pWndRoot->FindItemByCmdID(SC_CLOSE), 0);
    // next: the active child's system menu, then the first menu
    m_pFrame->PostMessage(CExtPopupMenuWnd::g_nMsgPopupNext, 0, 0);
    Pump();
    EXPECT_EQ(m_pBar->GetSystemMenuKind(), 2);
    m_pFrame->PostMessage(CExtPopupMenuWnd::g_nMsgPopupNext, 0, 0);
    Pump();
    EXPECT_EQ(m_pBar->GetTrackingIndex(), 0);
    EXPECT_FALSE(m_pBar->IsSystemMenuTracking());
    // left from the first menu of an MDI frame: the child's system menu
    m_pFrame->PostMessage(CExtPopupMenuWnd::g_nMsgPopupPrev, 0, 0);
    Pump();
    EXPECT_EQ(m_pBar->GetSystemMenuKind(), 2);
    // left again: the frame's, then the last menu
    m_pFrame->PostMessage(CExtPopupMenuWnd::g_nMsgPopupPrev, 0, 0);
    Pump();
    EXPECT_EQ(m_pBar->GetSystemMenuKind(), 1);
    m_pFrame->PostMessage(CExtPopupMenuWnd::g_nMsgPopupPrev, 0, 0);
    Pump();
    EXPECT_EQ(m_pBar->GetTrackingIndex(), nLast);
    CExtPopupMenuWnd::CancelTracking();
    Pump();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(MenuBarTest, AltSpaceOpensTheFrameSystemMenu)
{
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_SPACE, true));
    EXPECT_EQ(m_pBar->GetSystemMenuKind(), 1);
    ASSERT_TRUE(g_TrackingSite.m_pWndRoot != NULL);
    EXPECT_GE(g_TrackingSite.m_pWndRoot->FindItemByCmdID(SC_CLOSE), 0);
    EXPECT_TRUE(Key(WM_SYSKEYUP, VK_SPACE, true));
    CExtPopupMenuWnd::CancelTracking();
    Pump();
    // Alt+minus without a document only makes the next Alt release do nothing
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_OEM_MINUS, true));
    EXPECT_TRUE(CExtMenuControlBar::g_bIgnoreAltUp);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    // with a document it opens the document's system menu
    NewChild("Alpha", m_hMenuA);
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_OEM_MINUS, true));
    EXPECT_EQ(m_pBar->GetSystemMenuKind(), 2);
    CExtPopupMenuWnd::CancelTracking();
    Pump();
}

TEST_F(MenuBarTest, MovingTheMouseAlongTheBarSwitchesTheOpenMenu)
{
    EXPECT_TRUE(m_pBar->TrackButtonMenu(0, TRUE, TRUE, TRUE));
    Pump();
    ASSERT_EQ(m_pBar->GetTrackingIndex(), 0);
    CRect rcView;
    m_pBar->GetButtonRect(1, &rcView);
    CPoint pt = rcView.CenterPoint();
    m_pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    Pump();
    EXPECT_EQ(m_pBar->GetTrackingIndex(), 1);
    ASSERT_TRUE(g_TrackingSite.m_pWndRoot != NULL);
    EXPECT_GE(g_TrackingSite.m_pWndRoot->FindItemByCmdID(ID_TOOLS_GRID), 0);
    EXPECT_FALSE(m_pBar->GetButton(0)->GetStyle() & CExtBarButton::BS_PRESSED);
    // a click on the button whose menu is open changes nothing
    m_pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    Pump();
    EXPECT_EQ(m_pBar->GetTrackingIndex(), 1);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
    CExtToolControlBar::EndAllButtonTracking();
    Pump();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(MenuBarTest, ANarrowFrameWrapsTheMenuBarIntoLinesOfItsOwnRow)
{
    CRect rcOne;
    m_pBar->GetWindowRect(&rcOne);
    m_pFrame->SetWindowPos(NULL, 0, 0, 120, 400, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    Pump();
    CRect rcNarrow;
    m_pBar->GetWindowRect(&rcNarrow);
    EXPECT_GT(rcNarrow.Height(), rcOne.Height());
    EXPECT_TRUE(m_pBar->m_bWrappedInRow);
    // every menu stays visible (no chevron hides any), on more than one line
    CRect rcFirst, rcLast;
    m_pBar->GetButtonRect(0, &rcFirst);
    m_pBar->GetButtonRect(2, &rcLast);
    for (int i = 0; i < 3; i++)
        EXPECT_TRUE(m_pBar->GetButton(i)->IsVisible()) << i;
    EXPECT_GT(rcLast.top, rcFirst.top);
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    EXPECT_LE(rcLast.bottom, rcClient.bottom);
    // the lines are cut to the frame's client width less the reserve of 6 at their end
    CRect rcFrameClient;
    m_pFrame->GetClientRect(&rcFrameClient);
    for (int i = 0; i < 3; i++)
    {
        CRect rc;
        m_pBar->GetButtonRect(i, &rc);
        m_pBar->ClientToScreen(&rc);
        m_pFrame->ScreenToClient(&rc);
        EXPECT_LE(rc.right, rcFrameClient.right - 6) << i;
    }
}

TEST_F(MenuBarTest, ClicksOnADocumentCaptionOpenItsSystemMenu)
{
    CMDIChildWnd* pA = NewChild("Alpha", m_hMenuA);
    CRect rc;
    pA->GetWindowRect(&rc);
    // a right click on the caption opens the document's system menu at the cursor
    pA->SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(rc.left + 40, rc.top + 5));
    Pump();
    EXPECT_EQ(m_pBar->GetSystemMenuKind(), 2);
    ASSERT_TRUE(g_TrackingSite.m_pWndRoot != NULL);
    EXPECT_GE(g_TrackingSite.m_pWndRoot->FindItemByCmdID(SC_CLOSE), 0);
    CExtPopupMenuWnd::CancelTracking();
    Pump();
    // a left press on the icon is taken; its release opens the menu
    EXPECT_EQ(pA->SendMessage(WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(rc.left + 5, rc.top + 5)), 0);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    pA->SendMessage(WM_NCLBUTTONUP, HTSYSMENU, MAKELPARAM(rc.left + 5, rc.top + 5));
    Pump();
    EXPECT_EQ(m_pBar->GetSystemMenuKind(), 2);
    CExtPopupMenuWnd::CancelTracking();
    Pump();
    // a left click on the caption of a normal document is the window's own
    pA->SendMessage(WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(rc.left + 40, rc.top + 5));
    Pump();
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST(MenuBarSdi, AFrameWithoutCommandProfileGetsItsMenusAsButtons)
{
    CWinApp* pApp = new CWinApp("Menu Bar SDI");
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TOOLS_DOCTYPE_B, WS_OVERLAPPEDWINDOW));
    pApp->m_pMainWnd = pFrame;
    HMENU hMenu = ::GetMenu(pFrame->m_hWnd);
    ASSERT_TRUE(CExtControlBar::SetupFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE));
    CExtMenuControlBar* pBar = new CExtMenuControlBar;
    ASSERT_TRUE(pBar->Create("Menu bar", pFrame, 0xE8F4,
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    EXPECT_FALSE(pBar->IsMdiMode());
    EXPECT_TRUE(::GetMenu(pFrame->m_hWnd) == NULL);
    ASSERT_EQ(pBar->GetButtonCount(), 3);
    CString s;
    pBar->GetButton(1)->GetDisplayText(s);
    EXPECT_EQ(s, CString("&Format"));
    // "Window" is a plain menu outside MDI frames
    EXPECT_FALSE(pBar->GetButton(2)->IsAppendMdiWindowsMenu());
    // the frame keeps the menu as its default one: it destroys it, the bar only lets go
    EXPECT_FALSE(pBar->IsDefaultMenuOwned());
    pApp->m_pMainWnd = NULL;
    pFrame->DestroyWindow();
    EXPECT_FALSE(::IsMenu(hMenu));
    delete pBar;
    PumpPendingMessages();
    delete pApp;
}

TEST_F(MenuBarTest, DockedAtTheLeftTheMenusStackDownwards)
{
    CDockBar* pLeft = (CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT);
    pLeft->DockControlBar(m_pBar);
    m_pFrame->RecalcLayout();
    Pump();
    ASSERT_EQ(m_pBar->GetLayoutState(), 1);
    CRect rcPrev(0, 0, 0, 0);
    for (int i = 0; i < 3; i++)
    {
        CRect rc;
        m_pBar->GetButtonRect(i, &rc);
        EXPECT_TRUE(m_pBar->GetButton(i)->IsVisible()) << i;
        if (i > 0)
        {
            EXPECT_EQ(rc.left, rcPrev.left) << i;
            EXPECT_EQ(rc.top, rcPrev.bottom) << i;
        }
        rcPrev = rc;
    }
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    EXPECT_LE(rcPrev.bottom, rcClient.bottom);
    // its menus open to the right of the buttons
    EXPECT_EQ(m_pBar->GetButton(0)->GetTrackAlignment(), (int)CExtPopupMenuWnd::TPMX_RIGHTALIGN);
}

TEST_F(MenuBarTest, AFloatingMenuBarsFrameFollowsItsRebuiltMenus)
{
    m_pFrame->FloatControlBar(m_pBar, CPoint(200, 200));
    Pump();
    ASSERT_TRUE(m_pBar->IsFloating());
    CFrameWnd* pMini = m_pBar->GetParentFrame();
    ASSERT_TRUE(pMini != NULL && pMini != (CFrameWnd*)m_pFrame);
    CRect rcBefore, rcBarBefore;
    pMini->GetWindowRect(&rcBefore);
    m_pBar->GetWindowRect(&rcBarBefore);
    // the MDI client is given a menu of five popups: the bar rebuilds when its timer comes
    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    const char* texts[] = { "&File", "&Edit", "&View", "&Format", "&Window" };
    for (const char* s : texts)
    {
        HMENU hPopup = ::CreatePopupMenu();
        ::AppendMenuA(hPopup, MF_STRING, ID_TOOLS_NEW, "&New");
        ASSERT_TRUE(menu.AppendMenu(MF_POPUP, (UINT_PTR)hPopup, s));
    }
    ASSERT_TRUE(m_pBar->GetMdiClient() != NULL);
    ::SendMessageA(m_pBar->GetMdiClient(), WM_MDISETMENU, (WPARAM)menu.GetSafeHmenu(), 0);
    for (int i = 0; i < 20 && MenuTexts().size() != 5; i++)
    {
        ::Sleep(10);
        Pump();
    }
    ASSERT_EQ(MenuTexts().size(), 5u);
    EXPECT_TRUE(m_pBar->IsFloating());
    CRect rcAfter, rcBarAfter, rcClient;
    pMini->GetWindowRect(&rcAfter);
    m_pBar->GetWindowRect(&rcBarAfter);
    // the frame grew with the bar and every menu lies inside the bar
    EXPECT_GT(rcBarAfter.Width() * rcBarAfter.Height(), rcBarBefore.Width() * rcBarBefore.Height());
    EXPECT_GE(rcAfter.Width(), rcBarAfter.Width());
    EXPECT_GE(rcAfter.Height(), rcBarAfter.Height());
    EXPECT_TRUE(rcAfter.PtInRect(rcBarAfter.TopLeft()));
    EXPECT_TRUE(rcAfter.PtInRect(rcBarAfter.BottomRight() - CSize(1, 1)));
    m_pBar->GetClientRect(&rcClient);
    for (int i = 0; i < 5; i++)
    {
        CRect rc;
        m_pBar->GetButtonRect(i, &rc);
        EXPECT_TRUE(m_pBar->GetButton(i)->IsVisible()) << i;
        EXPECT_LE(rc.right, rcClient.right) << i;
    }
    ::SendMessageA(m_pBar->GetMdiClient(), WM_MDISETMENU, 0, 0);
    Pump();
}

TEST_F(MenuBarTest, DockedAtTheLeftOfAShortFrameTheMenusWrapIntoColumns)
{
    CDockBar* pLeft = (CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT);
    pLeft->DockControlBar(m_pBar);
    m_pFrame->RecalcLayout();
    Pump();
    CRect rc0, rc2;
    m_pBar->GetButtonRect(0, &rc0);
    m_pBar->GetButtonRect(2, &rc2);
    int nColumn = rc2.bottom - rc0.top;
    // a frame whose client is shorter than the column of menus
    CRect rcFrame, rcClient;
    m_pFrame->GetWindowRect(&rcFrame);
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->SetWindowPos(NULL, 0, 0, rcFrame.Width(),
                           rcFrame.Height() - rcClient.Height() + nColumn - 10,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->RecalcLayout();
    Pump();
    m_pFrame->GetClientRect(&rcClient);
    ASSERT_LT(rcClient.Height(), nColumn);
    CRect rcBar;
    m_pBar->GetClientRect(&rcBar);
    // every menu shown, inside the bar, the bar no longer than the frame's client
    CRect rcWnd;
    m_pBar->GetWindowRect(&rcWnd);
    m_pFrame->ScreenToClient(&rcWnd);
    EXPECT_LE(rcWnd.bottom, rcClient.bottom);
    int nLeftMost = INT_MAX, nRightMost = INT_MIN;
    for (int i = 0; i < 3; i++)
    {
        CRect rc;
        m_pBar->GetButtonRect(i, &rc);
        EXPECT_TRUE(m_pBar->GetButton(i)->IsVisible()) << i;
        EXPECT_LE(rc.bottom, rcBar.bottom) << i;
        EXPECT_LE(rc.right, rcBar.right) << i;
        // the column is cut to the frame's client height less the reserve of 6 at its end
        CRect rcInFrame = rc;
        m_pBar->ClientToScreen(&rcInFrame);
        m_pFrame->ScreenToClient(&rcInFrame);
        EXPECT_LE(rcInFrame.bottom, rcClient.bottom - 6) << i;
        nLeftMost = std::min(nLeftMost, (int)rc.left);
        nRightMost = std::max(nRightMost, (int)rc.left);
    }
    // in more than one column
    EXPECT_GT(nRightMost, nLeftMost);
}

namespace
{

// A menu of popups with the given texts, each with one command.
void FillPopups(CMenu& menu, std::initializer_list<const char*> texts)
{
    menu.CreateMenu();
    for (const char* s : texts)
    {
        HMENU hPopup = ::CreatePopupMenu();
        ::AppendMenuA(hPopup, MF_STRING, ID_TOOLS_NEW, "&New");
        menu.AppendMenu(MF_POPUP, (UINT_PTR)hPopup, s);
    }
}

} // namespace

TEST_F(MenuBarTest, ASettingChangeWhileARebuildIsPostedWaitsForTheNewMenus)
{
    m_pFrame->FloatControlBar(m_pBar, CPoint(200, 200));
    Pump();
    ASSERT_TRUE(m_pBar->IsFloating());
    CFrameWnd* pMini = m_pBar->GetParentFrame();
    ASSERT_TRUE(pMini != NULL && pMini != (CFrameWnd*)m_pFrame);
    // the system tells every top-level window: the frame and the floating frame
    auto settingChange = [&]() {
        m_pFrame->SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
        pMini->SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    };
    // with no rebuild waiting the floating frame takes the bar's size at once
    m_pBar->m_nSizeLayouts = 0;
    settingChange();
    EXPECT_GT(m_pBar->m_nSizeLayouts, 0);

    CMenu menu;
    FillPopups(menu, { "&File", "&Edit", "&View", "&Format", "&Window" });
    ASSERT_TRUE(m_pBar->GetMdiClient() != NULL);
    ::SendMessageA(m_pBar->GetMdiClient(), WM_MDISETMENU, (WPARAM)menu.GetSafeHmenu(), 0);
    ASSERT_NE(m_pBar->m_dwMenuBarFlags & CExtMenuControlBar::MBF_REBUILD_POSTED, 0u);
    CRect rcMiniBefore, rcMiniNow;
    pMini->GetWindowRect(&rcMiniBefore);
    m_pBar->m_nSizeLayouts = m_pBar->m_nButtonLayouts = 0;
    settingChange();
    // the old menus are not laid out once more
    EXPECT_EQ(m_pBar->m_nSizeLayouts, 0);
    EXPECT_EQ(m_pBar->m_nButtonLayouts, 0);
    EXPECT_EQ(MenuTexts().size(), 3u);
    pMini->GetWindowRect(&rcMiniNow);
    EXPECT_EQ(rcMiniNow, rcMiniBefore);

    // the rebuild lays the new ones out and the floating frame follows them
    Pump();
    ASSERT_EQ(MenuTexts().size(), 5u);
    EXPECT_EQ(m_pBar->m_dwMenuBarFlags & CExtMenuControlBar::MBF_REBUILD_POSTED, 0u);
    EXPECT_GT(m_pBar->m_nSizeLayouts, 0);
    EXPECT_GT(m_pBar->m_nButtonLayouts, 0);
    pMini->GetWindowRect(&rcMiniNow);
    EXPECT_GT(rcMiniNow.Width() * rcMiniNow.Height(),
              rcMiniBefore.Width() * rcMiniBefore.Height());
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    for (int i = 0; i < 5; i++)
    {
        CRect rc;
        m_pBar->GetButtonRect(i, &rc);
        EXPECT_TRUE(m_pBar->GetButton(i)->IsVisible()) << i;
        EXPECT_LE(rc.right, rcClient.right) << i;
        EXPECT_LE(rc.bottom, rcClient.bottom) << i;
    }
    ::SendMessageA(m_pBar->GetMdiClient(), WM_MDISETMENU, 0, 0);
    Pump();
}

TEST_F(MenuBarTest, WhileItsFrameIsSerializedTheBarLeavesTheFrameLayoutAlone)
{
    // docked: no layout is asked of the frame while its bar state is being loaded
    m_pFrame->RecalcLayout();
    ASSERT_EQ(m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout, 0);
    CExtControlBar::g_mapSerializingFrames.SetAt(m_pFrame, 1);
    m_pFrame->SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    const int nFlagsWhileLoading = m_pFrame->m_nIdleFlags;
    CExtControlBar::g_mapSerializingFrames.RemoveKey(m_pFrame);
    EXPECT_EQ(nFlagsWhileLoading & CFrameWnd::idleLayout, 0);
    // afterwards the bar asks for it again
    m_pFrame->SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_NE(m_pFrame->m_nIdleFlags & CFrameWnd::idleLayout, 0);

    // floating: the floating frame is not laid out either
    m_pFrame->FloatControlBar(m_pBar, CPoint(200, 200));
    Pump();
    ASSERT_TRUE(m_pBar->IsFloating());
    CFrameWnd* pMini = m_pBar->GetParentFrame();
    ASSERT_TRUE(pMini != NULL && pMini != (CFrameWnd*)m_pFrame);
    m_pBar->m_nSizeLayouts = 0;
    CExtControlBar::g_mapSerializingFrames.SetAt(m_pFrame, 1);
    pMini->SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    const int nLayoutsWhileLoading = m_pBar->m_nSizeLayouts;
    CExtControlBar::g_mapSerializingFrames.RemoveKey(m_pFrame);
    EXPECT_EQ(nLayoutsWhileLoading, 0);
    pMini->SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_GT(m_pBar->m_nSizeLayouts, 0);
}

namespace
{

class MenuBarFilledTest : public MenuBarTest
{
protected:
    MenuBarFilledTest() { m_bFilledButtons = true; }
    void ExpectEveryMenuWhole(const char* lpszWhere)
    {
        int nShown = 0;
        for (int i = 0; i < m_pBar->GetButtonCount(); i++)
        {
            if (!m_pBar->GetButton(i)->IsVisible())
                continue;
            nShown++;
            EXPECT_TRUE(FilledButtonShowsWhole(m_pBar, i)) << lpszWhere;
        }
        EXPECT_EQ(nShown, 3) << lpszWhere;
    }
};

} // namespace

TEST_F(MenuBarFilledTest, EveryMenuShowsWholeDockedAndFloating)
{
    ASSERT_EQ(m_pBar->GetLayoutState(), 0);
    ExpectEveryMenuWhole("one line at the top");
    // a narrow frame: lines of its own row
    m_pFrame->SetWindowPos(NULL, 0, 0, 120, 400, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    Pump();
    ASSERT_TRUE(m_pBar->m_bWrappedInRow);
    ExpectEveryMenuWhole("lines at the top");
    m_pFrame->SetWindowPos(NULL, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    CDockBar* pLeft = (CDockBar*)m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT);
    pLeft->DockControlBar(m_pBar);
    m_pFrame->RecalcLayout();
    Pump();
    ASSERT_EQ(m_pBar->GetLayoutState(), 1);
    ExpectEveryMenuWhole("one column at the left");
    m_pFrame->FloatControlBar(m_pBar, CPoint(200, 200));
    Pump();
    ASSERT_EQ(m_pBar->GetLayoutState(), 2);
    ExpectEveryMenuWhole("floating");
}

namespace
{

// The centre of a button of the bar in screen coordinates.
CPoint ButtonCentre(CExtToolControlBar* pBar, int nIndex)
{
    CRect rc;
    pBar->GetButtonRect(nIndex, &rc);
    pBar->ClientToScreen(&rc);
    return rc.CenterPoint();
}

// The colour at a point of a button, one pixel inside its top-left corner, as the bar
// shows it.
COLORREF ButtonCornerPixel(CExtToolControlBar* pBar, int nIndex)
{
    CRect rc;
    pBar->GetButtonRect(nIndex, &rc);
    CClientDC dc(pBar);
    return dc.GetPixel(rc.left + 1, rc.top + 1);
}

} // namespace

TEST_F(MenuBarTest, F10HighlightsTheFirstMenuAndDownOpensIt)
{
    CMDIChildWnd* pA = NewChild("Alpha", m_hMenuA);
    // a click in the document gives it the keyboard
    CRect rcChild;
    pA->GetClientRect(&rcChild);
    pA->ClientToScreen(&rcChild);
    ClickAt(rcChild.CenterPoint());
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == pA->m_hWnd; }));

    // the first key enters keyboard mode, the last opens the highlighted menu
    auto openByKeys = [&](std::initializer_list<WORD> keys, int nMenu, UINT nFirstItem)
    {
        SCOPED_TRACE(nMenu);
        bool bFirst = true;
        for (WORD wVk : keys)
        {
            SendKey(wVk);
            if (bFirst)
                ASSERT_TRUE(PumpUntil([&] { return m_pBar->IsKeyboardMode(); }));
            bFirst = false;
        }
        CExtPopupMenuWnd* pPopup = ShownRootPopup();
        ASSERT_TRUE(pPopup != NULL);
        EXPECT_EQ(m_pBar->GetTrackingIndex(), nMenu);
        EXPECT_EQ(pPopup->GetItemCmdID(0), nFirstItem);
        SendKey(VK_ESCAPE);
        EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); }));
    };
    SendKey(VK_F10);
    ASSERT_TRUE(PumpUntil([&] { return m_pBar->IsKeyboardMode(); }));
    EXPECT_EQ(m_pBar->GetKeyboardIndex(), 0);
    EXPECT_TRUE(m_pBar->GetButton(0)->GetStyle() & CExtBarButton::BS_PRESSED);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(m_pFrame->m_nKeyMenus, 0);
    SendKey(VK_ESCAPE);
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
    // Down or Enter opens the highlighted menu, as after Alt
    openByKeys({ VK_F10, VK_DOWN }, 0, ID_TOOLS_NEW);
    openByKeys({ VK_F10, VK_RIGHT, VK_RETURN }, 1, ID_TOOLS_CUT);

    // a second F10 leaves keyboard mode; Shift+F10 is the document's context menu
    SendKey(VK_F10);
    ASSERT_TRUE(PumpUntil([&] { return m_pBar->IsKeyboardMode(); }));
    SendKey(VK_F10);
    EXPECT_TRUE(PumpUntil([&] { return !m_pBar->IsKeyboardMode(); }));
    EXPECT_FALSE(m_pBar->GetButton(0)->GetStyle() & CExtBarButton::BS_PRESSED);
    SendKey(VK_F10, true);
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
    EXPECT_EQ(m_pBar->GetTrackingIndex(), -1);
    EXPECT_EQ(m_pFrame->m_nKeyMenus, 0);
    CExtPopupMenuWnd::CancelTracking();
    Pump();

    // a maximised document: F10 and Alt highlight File, not the document's icon before it;
    // Left reaches the icon
    m_pFrame->MDIMaximize(pA);
    Pump();
    ASSERT_EQ(m_pBar->GetButton(0)->GetRuntimeClass(), RUNTIME_CLASS(CExtBarMdiDocButton));
    ClickAt(rcChild.CenterPoint());
    openByKeys({ VK_F10, VK_DOWN }, 1, ID_TOOLS_NEW);
    openByKeys({ VK_MENU, VK_DOWN }, 1, ID_TOOLS_NEW);
    SendKey(VK_F10);
    ASSERT_TRUE(PumpUntil([&] { return m_pBar->IsKeyboardMode(); }));
    SendKey(VK_LEFT);
    EXPECT_EQ(m_pBar->GetKeyboardIndex(), 0);
    SendKey(VK_ESCAPE);
    EXPECT_FALSE(m_pBar->IsKeyboardMode());
    EXPECT_EQ(m_pFrame->m_nKeyMenus, 0);
}

TEST_F(MenuBarTest, AClosedMenuLeavesNoMenuHotOnceTheMouseMovesAway)
{
    const int nFile = 0, nView = 1;
    ASSERT_EQ(IndexOfText("&View"), nView);
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    const CPoint ptAway(rcClient.CenterPoint().x, rcClient.bottom - 40);
    MoveMouseTo(ptAway);
    m_pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    const COLORREF clrIdle = ButtonCornerPixel(m_pBar, nView);

    // File clicked, the mouse slides to View: its menu opens
    ClickAt(ButtonCentre(m_pBar, nFile));
    ASSERT_TRUE(ShownRootPopup() != NULL);
    ASSERT_EQ(m_pBar->GetTrackingIndex(), nFile);
    MoveMouseTo(ButtonCentre(m_pBar, nView));
    ASSERT_TRUE(PumpUntil([&] { return m_pBar->GetTrackingIndex() == nView; }));
    ASSERT_TRUE(ShownRootPopup() != NULL);

    // Esc with the mouse still over View, then away: View is hot only while under the mouse
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); }));
    EXPECT_TRUE(m_pBar->GetButton(nView)->IsHover());
    m_pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(ButtonCornerPixel(m_pBar, nView), clrIdle);
    MoveMouseTo(ptAway);
    EXPECT_TRUE(PumpUntil([&] { return !m_pBar->GetButton(nView)->IsHover(); }));
    m_pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ButtonCornerPixel(m_pBar, nView), clrIdle);
    EXPECT_EQ(m_pBar->GetHoverIndex(), -1);

    // View opened again, the mouse goes away while it is open, and Esc closes it
    ClickAt(ButtonCentre(m_pBar, nView));
    ASSERT_TRUE(ShownRootPopup() != NULL);
    MoveMouseTo(ptAway);
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); }));
    PumpForMs(40);
    EXPECT_FALSE(m_pBar->GetButton(nView)->IsHover());
    m_pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ButtonCornerPixel(m_pBar, nView), clrIdle);
}
