// Windows and their message maps: cracked handlers, the creation hook, the last
// sent message, reflection, handle maps, subclassing, self-deleting windows,
// modal loops driven by a script.

#include "demo.h"
#include "test_support.h"
#include <gtest/gtest.h>

namespace
{

// A window that records what its handlers receive.
class CProbeWnd : public CWnd
{
public:
    CProbeWnd() { ++s_nLive; }
    virtual ~CProbeWnd() { --s_nLive; }

    static int s_nLive;
    static UINT s_nRegisteredMsg;

    BOOL m_bDeleteOnDestroy = FALSE;
    BOOL m_bFailCreate = FALSE;
    BOOL m_bThrowInCreate = FALSE;
    int m_nNcCreateSeen = 0;
    int m_nCreateSeen = 0;
    UINT m_nSizeType = 0;
    int m_cx = -1, m_cy = -1;
    CPoint m_ptDown = CPoint(-1, -1);
    UINT m_nDownFlags = 0;
    UINT m_nKey = 0, m_nRepeat = 0;
    LRESULT m_lUserResult = 0;
    WPARAM m_lastWParam = 0;
    LPARAM m_lastLParam = 0;
    int m_nRegistered = 0;
    int m_nClicked = 0;
    int m_nNotified = 0;
    UINT m_nCtlColorType = (UINT)-1;
    HBRUSH m_hbrCtl = NULL;
    MSG m_nested = {};
    int m_nPosts = 0;

    virtual void PostNcDestroy() override
    {
        if (m_bDeleteOnDestroy)
            delete this;
    }

    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs)
    {
        ++m_nNcCreateSeen;
        return CWnd::OnNcCreate(lpcs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        ++m_nCreateSeen;
        if (m_bThrowInCreate)
            throw new CUserException;
        if (m_bFailCreate)
            return -1;
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_nSizeType = nType;
        m_cx = cx;
        m_cy = cy;
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_nDownFlags = nFlags;
        m_ptDown = point;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        m_nKey = nChar;
        m_nRepeat = nRepCnt;
        (void)nFlags;
    }
    afx_msg LRESULT OnUserMessage(WPARAM wParam, LPARAM lParam)
    {
        m_lastWParam = wParam;
        m_lastLParam = lParam;
        // a nested message leaves the outer one's record intact
        SendMessage(WM_USER + 2, 7, 8);
        m_nested = *GetCurrentMessage();
        return (LRESULT)(wParam + lParam);
    }
    afx_msg LRESULT OnInner(WPARAM, LPARAM)
    {
        return 0;
    }
    afx_msg LRESULT OnPostCount(WPARAM, LPARAM)
    {
        ++m_nPosts;
        return 0;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM)
    {
        ++m_nRegistered;
        return (LRESULT)wParam * 3;
    }
    afx_msg void OnButtonClicked()
    {
        ++m_nClicked;
    }
    afx_msg void OnButtonNotify(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++m_nNotified;
        *pResult = (LRESULT)pNMHDR->code;
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        m_nCtlColorType = nCtlColor;
        if (m_hbrCtl != NULL)
            return m_hbrCtl;
        return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    }

    DECLARE_MESSAGE_MAP()
};

int CProbeWnd::s_nLive = 0;
UINT CProbeWnd::s_nRegisteredMsg = ::RegisterWindowMessageA("WindowTests.Registered");

const UINT ID_PROBE_BUTTON = 1001;

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_USER + 1, OnUserMessage)
    ON_MESSAGE(WM_USER + 2, OnInner)
    ON_MESSAGE(WM_USER + 3, OnPostCount)
    ON_REGISTERED_MESSAGE(CProbeWnd::s_nRegisteredMsg, OnRegistered)
    ON_BN_CLICKED(ID_PROBE_BUTTON, OnButtonClicked)
    ON_NOTIFY(NM_CLICK, ID_PROBE_BUTTON, OnButtonNotify)
END_MESSAGE_MAP()

// A button that handles its own click (reflected from the parent).
class CReflectButton : public CWnd
{
public:
    int m_nReflectedClicks = 0;
    BOOL m_bEat = TRUE;
    afx_msg BOOL OnReflectedClick()
    {
        ++m_nReflectedClicks;
        return m_bEat;      // FALSE lets the parent see it too
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

CProbeWnd* CreateTopProbe(BOOL bDeleteOnDestroy = FALSE)
{
    CProbeWnd* pWnd = new CProbeWnd;
    pWnd->m_bDeleteOnDestroy = bDeleteOnDestroy;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    if (!pWnd->CreateEx(0, lpszClass, "Probe", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, NULL, NULL))
    {
        if (!bDeleteOnDestroy)
            delete pWnd;
        return NULL;
    }
    return pWnd;
}

} // namespace

TEST(WindowMessages, ObjectIsAttachedBeforeTheFirstMessages)
{
    CProbeWnd* pWnd = CreateTopProbe();
    ASSERT_TRUE(pWnd != NULL);
    EXPECT_EQ(1, pWnd->m_nNcCreateSeen);
    EXPECT_EQ(1, pWnd->m_nCreateSeen);
    EXPECT_EQ(pWnd, CWnd::FromHandlePermanent(pWnd->m_hWnd));
    // subclassed with the class library's window procedure
    EXPECT_EQ(1, ::SendMessageA(pWnd->m_hWnd, WM_QUERYAFXWNDPROC, 0, 0));
    pWnd->DestroyWindow();
    EXPECT_EQ(NULL, pWnd->m_hWnd);
    delete pWnd;
}

TEST(WindowMessages, HandlersReceiveCrackedArguments)
{
    CProbeWnd* pWnd = CreateTopProbe();
    ASSERT_TRUE(pWnd != NULL);

    pWnd->SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(123, 45));
    EXPECT_EQ((UINT)SIZE_MAXIMIZED, pWnd->m_nSizeType);
    EXPECT_EQ(123, pWnd->m_cx);
    EXPECT_EQ(45, pWnd->m_cy);

    // negative coordinates survive (mouse positions are signed)
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 17));
    EXPECT_EQ(CPoint(-5, 17), pWnd->m_ptDown);
    EXPECT_EQ((UINT)(MK_LBUTTON | MK_SHIFT), pWnd->m_nDownFlags);

    pWnd->SendMessage(WM_KEYDOWN, VK_DELETE, MAKELPARAM(3, 0x53));
    EXPECT_EQ((UINT)VK_DELETE, pWnd->m_nKey);
    EXPECT_EQ(3u, pWnd->m_nRepeat);

    EXPECT_EQ(30, pWnd->SendMessage(WM_USER + 1, 10, 20));
    EXPECT_EQ(10u, pWnd->m_lastWParam);
    EXPECT_EQ(20, pWnd->m_lastLParam);

    EXPECT_EQ(21, pWnd->SendMessage(CProbeWnd::s_nRegisteredMsg, 7, 0));
    EXPECT_EQ(1, pWnd->m_nRegistered);

    // messages without a handler go to the default procedure
    pWnd->SetWindowText("Changed");
    CString strText;
    pWnd->GetWindowText(strText);
    EXPECT_STREQ("Changed", strText);

    pWnd->DestroyWindow();
    delete pWnd;
}

TEST(WindowMessages, LastSentMessageIsKeptPerNestingLevel)
{
    CProbeWnd* pWnd = CreateTopProbe();
    ASSERT_TRUE(pWnd != NULL);
    pWnd->SendMessage(WM_USER + 1, 3, 4);
    // after the nested WM_USER+2 the record shows the outer message again
    EXPECT_EQ((UINT)(WM_USER + 1), pWnd->m_nested.message);
    EXPECT_EQ(3u, pWnd->m_nested.wParam);
    EXPECT_EQ(4, pWnd->m_nested.lParam);
    EXPECT_EQ(pWnd->m_hWnd, pWnd->m_nested.hwnd);
    pWnd->DestroyWindow();
    delete pWnd;
}

TEST(WindowMessages, FailedCreationLeavesNoWindowAndNoMapEntry)
{
    int nBefore = AfxGetPermanentWindowCount();
    CProbeWnd wnd;
    wnd.m_bFailCreate = TRUE;
    LPCTSTR lpszClass = AfxRegisterWndClass(0);
    EXPECT_FALSE(wnd.CreateEx(0, lpszClass, "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(NULL, wnd.m_hWnd);
    EXPECT_EQ(nBefore, AfxGetPermanentWindowCount());

    // an exception in OnCreate fails the creation too, without escaping
    CProbeWnd wnd2;
    wnd2.m_bThrowInCreate = TRUE;
    EXPECT_FALSE(wnd2.CreateEx(0, lpszClass, "x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(NULL, wnd2.m_hWnd);
    EXPECT_EQ(nBefore, AfxGetPermanentWindowCount());
}

TEST(WindowMessages, ControlNotificationsReachTheParentsMap)
{
    CProbeWnd* pParent = CreateTopProbe();
    ASSERT_TRUE(pParent != NULL);
    HWND hButton = ::CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                   5, 5, 60, 20, pParent->m_hWnd, (HMENU)(UINT_PTR)ID_PROBE_BUTTON,
                                   NULL, NULL);
    ASSERT_TRUE(hButton != NULL);

    ::SendMessageA(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(1, pParent->m_nClicked);

    NMHDR nmhdr = { hButton, ID_PROBE_BUTTON, (UINT)NM_CLICK };
    EXPECT_EQ((LRESULT)(UINT)NM_CLICK, pParent->SendMessage(WM_NOTIFY, ID_PROBE_BUTTON, (LPARAM)&nmhdr));
    EXPECT_EQ(1, pParent->m_nNotified);

    // WM_CTLCOLORxxx arrive at the one colour handler with the control type
    HDC hDC = ::GetDC(hButton);
    pParent->m_hbrCtl = (HBRUSH)::GetStockObject(GRAY_BRUSH);
    EXPECT_EQ((LRESULT)pParent->m_hbrCtl,
              pParent->SendMessage(WM_CTLCOLORBTN, (WPARAM)hDC, (LPARAM)hButton));
    EXPECT_EQ((UINT)CTLCOLOR_BTN, pParent->m_nCtlColorType);
    ::ReleaseDC(hButton, hDC);

    pParent->DestroyWindow();
    delete pParent;
}

TEST(WindowMessages, ReflectedNotificationIsHandledByTheControl)
{
    CProbeWnd* pParent = CreateTopProbe();
    ASSERT_TRUE(pParent != NULL);
    HWND hButton = ::CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                   5, 5, 60, 20, pParent->m_hWnd, (HMENU)(UINT_PTR)ID_PROBE_BUTTON,
                                   NULL, NULL);
    CReflectButton button;
    ASSERT_TRUE(button.SubclassWindow(hButton));
    EXPECT_EQ(&button, CWnd::FromHandlePermanent(hButton));

    ::SendMessageA(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(1, button.m_nReflectedClicks);
    EXPECT_EQ(0, pParent->m_nClicked) << "the control ate the notification";

    button.m_bEat = FALSE;
    ::SendMessageA(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(2, button.m_nReflectedClicks);
    EXPECT_EQ(1, pParent->m_nClicked);

    // unsubclassing gives the control back its own procedure
    EXPECT_EQ(hButton, button.UnsubclassWindow());
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hButton));
    EXPECT_EQ(0, ::SendMessageA(hButton, WM_QUERYAFXWNDPROC, 0, 0));
    ::SendMessageA(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(2, button.m_nReflectedClicks);
    EXPECT_EQ(2, pParent->m_nClicked);

    pParent->DestroyWindow();
    delete pParent;
}

TEST(HandleMaps, TemporaryObjectsStandInForForeignWindows)
{
    HWND hWnd = ::CreateWindowA("STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hWnd != NULL);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd)) << "one temporary object per handle";
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(NULL, CWnd::FromHandle(NULL));

    // attaching a permanent object replaces the temporary one
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));
    EXPECT_EQ(hWnd, wnd.Detach());
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));

    CWnd::DeleteTempMap();
    EXPECT_EQ(0, AfxGetTemporaryWindowCount());
    ::DestroyWindow(hWnd);
}

TEST(HandleMaps, MenusHaveTheirOwnMap)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));
    HMENU hOther = ::CreatePopupMenu();
    CMenu* pTemp = CMenu::FromHandle(hOther);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_EQ(NULL, CMenu::FromHandlePermanent(hOther));
    CMenu::DeleteTempMap();
    ::DestroyMenu(hOther);
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 10, "Ten"));
    EXPECT_EQ(1u, menu.GetMenuItemCount());
    EXPECT_EQ(10u, menu.GetMenuItemID(0));
}

TEST(HandleMaps, HundredsOfWindowsLeaveNoObjectsBehind)
{
    CDemoProgram program;
    ASSERT_TRUE(program.CreateMainFrame(SW_HIDE));
    int nBaseline = AfxGetPermanentWindowCount();

    for (int i = 0; i < 100; i++)
    {
        // self-deleting top-level windows
        CProbeWnd* pWnd = CreateTopProbe(TRUE);
        ASSERT_TRUE(pWnd != NULL);
        pWnd->DestroyWindow();

        // child windows owned by a parent that goes first
        CProbeWnd* pParent = CreateTopProbe(TRUE);
        ASSERT_TRUE(pParent != NULL);
        CProbeWnd* pChild = new CProbeWnd;
        pChild->m_bDeleteOnDestroy = TRUE;
        ASSERT_TRUE(pChild->Create(NULL, "child", WS_VISIBLE, CRect(0, 0, 20, 20), pParent, 5));
        CWnd::FromHandle(::GetDesktopWindow());     // and a temporary object
        pParent->DestroyWindow();

        // document windows with a view on a document
        CDemoChildFrame* pFrame = program.OpenChild(i % 2 ? IDR_DEMOTYPE : IDR_OTHERTYPE, "Leak");
        ASSERT_TRUE(pFrame != NULL);
        pFrame->DestroyWindow();
    }

    EXPECT_EQ(nBaseline, AfxGetPermanentWindowCount());
    EXPECT_EQ(0, CProbeWnd::s_nLive);
    EXPECT_EQ(0, CDemoChildFrame::s_nLive);
    EXPECT_EQ(0, CDemoView::s_nLive);
    EXPECT_EQ(0, CDemoDoc::s_nLive);

    program.CloseAll();
    CWnd::DeleteTempMap();
    EXPECT_EQ(0, AfxGetPermanentWindowCount());
    EXPECT_EQ(0, AfxGetTemporaryWindowCount());
}

TEST(HandleMaps, ObjectDestroyedFirstTakesItsWindowAlong)
{
    int nBefore = AfxGetPermanentWindowCount();
    HWND hWnd;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "scoped", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nBefore, AfxGetPermanentWindowCount());
}

TEST(WindowRelations, ParentFrameOwnerAndTopLevel)
{
    CDemoProgram program;
    ASSERT_TRUE(program.CreateMainFrame(SW_HIDE));
    CDemoChildFrame* pChild = program.OpenChild(IDR_DEMOTYPE, "Rel");
    ASSERT_TRUE(pChild != NULL);
    CView* pView = pChild->GetActiveView();
    ASSERT_TRUE(pView != NULL);

    EXPECT_EQ(pChild, pView->GetParentFrame());
    EXPECT_EQ(program.m_pMainFrame, pChild->GetParentFrame());
    EXPECT_EQ(program.m_pMainFrame, pView->GetTopLevelFrame());
    EXPECT_EQ(program.m_pMainFrame, pView->GetTopLevelParent());
    EXPECT_EQ(pView, pChild->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
    EXPECT_EQ(NULL, program.m_pMainFrame->GetParentFrame());

    CProbeWnd* pPopup = CreateTopProbe();
    ASSERT_TRUE(pPopup != NULL);
    pPopup->SetOwner(pView);
    EXPECT_EQ(pView, pPopup->GetOwner());
    pPopup->SetOwner(NULL);
    pPopup->DestroyWindow();
    delete pPopup;
}

namespace
{
class CColorProbe : public CWnd
{
public:
    int m_nColorChanges = 0;
    int m_nSettingChanges = 0;
    afx_msg void OnSysColorChange()
    {
        ++m_nColorChanges;
        CWnd::OnSysColorChange();
    }
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpsz)
    {
        ++m_nSettingChanges;
        CWnd::OnSettingChange(uFlags, lpsz);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorProbe, CWnd)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()
} // namespace

TEST(WindowRelations, MainWindowForwardsSystemChangesToDescendants)
{
    CDemoProgram program;
    ASSERT_TRUE(program.CreateMainFrame(SW_HIDE));
    CDemoChildFrame* pChild = program.OpenChild(IDR_DEMOTYPE, "Colors");
    ASSERT_TRUE(pChild != NULL);
    CColorProbe probe;
    ASSERT_TRUE(probe.Create(NULL, "", WS_VISIBLE, CRect(0, 0, 5, 5), pChild->GetActiveView(), 77));

    program.m_pMainFrame->SendMessage(WM_SYSCOLORCHANGE);
    program.m_pMainFrame->SendMessage(WM_SETTINGCHANGE, 0, (LPARAM)"intl");
    EXPECT_EQ(1, probe.m_nColorChanges);
    EXPECT_EQ(1, probe.m_nSettingChanges);
    probe.DestroyWindow();
}

TEST(ModalLoops, ScriptStepsRunWhileTheLoopWaits)
{
    CProbeWnd* pWnd = CreateTopProbe();
    ASSERT_TRUE(pWnd != NULL);
    CModalLoopScript script;
    script.AddStep([](CWnd* pLoopWnd) { pLoopWnd->PostMessage(WM_USER + 3); });
    script.AddStep([](CWnd* pLoopWnd) { pLoopWnd->PostMessage(WM_USER + 3); });
    script.AddStep([](CWnd* pLoopWnd) { pLoopWnd->EndModalLoop(42); });

    EXPECT_EQ(42, pWnd->RunModalLoop(MLF_NOIDLEMSG));
    EXPECT_EQ(2, pWnd->m_nPosts);
    EXPECT_EQ(3, script.GetStepsRun());
    EXPECT_EQ(0, script.GetPendingSteps());
    EXPECT_FALSE(pWnd->ContinueModal());
    pWnd->DestroyWindow();
    delete pWnd;
}

TEST(ModalLoops, LoopWithoutStepsEndsWithTheDefaultResult)
{
    CProbeWnd* pWnd = CreateTopProbe();
    ASSERT_TRUE(pWnd != NULL);
    CModalLoopScript script(IDABORT);
    EXPECT_EQ(IDABORT, pWnd->RunModalLoop());
    EXPECT_EQ(1, script.GetLoopsEndedByDefault());
    pWnd->DestroyWindow();
    delete pWnd;
}

TEST(ModalLoops, ShowOnIdleMakesTheWindowVisible)
{
    CProbeWnd* pWnd = CreateTopProbe();
    ASSERT_TRUE(pWnd != NULL);
    EXPECT_FALSE(pWnd->IsWindowVisible());
    BOOL bVisibleInLoop = FALSE;
    CModalLoopScript script;
    script.AddStep([&bVisibleInLoop](CWnd* pLoopWnd)
    {
        bVisibleInLoop = pLoopWnd->IsWindowVisible();
        pLoopWnd->EndModalLoop(IDOK);
    });
    EXPECT_EQ(IDOK, pWnd->RunModalLoop(MLF_SHOWONIDLE));
    EXPECT_TRUE(bVisibleInLoop);
    pWnd->DestroyWindow();
    delete pWnd;
}

TEST(Resources, MenusAcceleratorsIconsCursorsAndBitmapsLoad)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_DEMOTYPE));
    EXPECT_EQ(4u, menu.GetMenuItemCount());
    CString strEdit;
    menu.GetMenuString(1, strEdit, MF_BYPOSITION);
    EXPECT_STREQ("&Edit", strEdit);

    CDemoApp app;
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    EXPECT_TRUE(app.LoadIcon(IDR_MAINFRAME) != NULL);
    EXPECT_TRUE(app.LoadCursor(IDC_DEMO) != NULL);
    EXPECT_TRUE(app.LoadStandardCursor(IDC_ARROW) != NULL);

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_DEMO));
    BITMAP bm;
    ASSERT_NE(0, bitmap.GetObject(sizeof(bm), &bm));
    EXPECT_EQ(16, bm.bmWidth);

    // the title string and the standard prompts
    CString strTitle;
    EXPECT_TRUE(AfxLoadString(IDR_MAINFRAME, strTitle));
    EXPECT_STREQ("Window Demo", strTitle);
    CString strReady;
    EXPECT_TRUE(AfxLoadString(AFX_IDS_IDLEMESSAGE, strReady));
    EXPECT_STREQ("Ready", strReady);
    CString strSub;
    EXPECT_TRUE(AfxExtractSubString(strSub, "\nDemo\nDemo files", 2));
    EXPECT_STREQ("Demo files", strSub);
    EXPECT_FALSE(AfxExtractSubString(strSub, "a\nb", 5));
}

TEST(CommandUI, UpdatesOfControlsEnableAndCheckThem)
{
    CDemoProgram program;
    ASSERT_TRUE(program.CreateMainFrame(SW_HIDE));
    HWND hCheck = ::CreateWindowA("BUTTON", "Check", WS_CHILD | WS_VISIBLE | BS_CHECKBOX,
                                  0, 0, 50, 20, program.m_pMainFrame->m_hWnd, (HMENU)4711, NULL, NULL);
    ASSERT_TRUE(hCheck != NULL);

    // a command nobody handles disables its button
    CCmdUI state;
    state.m_pOther = CWnd::FromHandle(hCheck);
    state.m_nID = ID_DEMO_NOHANDLER;
    state.DoUpdate(program.m_pMainFrame, TRUE);
    EXPECT_FALSE(::IsWindowEnabled(hCheck));

    // a handled one is enabled again; SetCheck checks a button
    state.m_nID = ID_DEMO_MAINCMD;
    state.DoUpdate(program.m_pMainFrame, TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hCheck));
    state.SetCheck(1);
    EXPECT_EQ((LRESULT)BST_CHECKED, ::SendMessageA(hCheck, BM_GETCHECK, 0, 0));
    state.SetText("Renamed");
    char szText[32] = "";
    ::GetWindowTextA(hCheck, szText, sizeof(szText));
    EXPECT_STREQ("Renamed", szText);

    // without the automatic disabling nothing changes for unknown commands
    state.m_nID = ID_DEMO_NOHANDLER;
    EXPECT_FALSE(state.DoUpdate(program.m_pMainFrame, FALSE));
    EXPECT_TRUE(::IsWindowEnabled(hCheck));
}
