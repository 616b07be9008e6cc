// Hook sinks: chains on one window, order, answers, leaving during a message, destruction.

#include "afxwin.h"
#include "ExtHookSink.h"
#include "cmd_test_support.h"

#include <functional>
#include <memory>
#include <string>

namespace
{

const UINT WM_TEST_PING = WM_APP + 10;
const UINT WM_TEST_OTHER = WM_APP + 11;

// What the window's own procedure saw.
std::vector<UINT> g_ownMessages;
std::vector<WPARAM> g_ownParams;
bool g_bOwnProcAtNcDestroy = false;
WNDPROC g_pfnProcAtNcDestroy = NULL;

LRESULT CALLBACK OwnWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg >= WM_APP || nMsg == WM_PAINT)
    {
        g_ownMessages.push_back(nMsg);
        g_ownParams.push_back(wParam);
    }
    if (nMsg == WM_PAINT)
    {
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    if (nMsg == WM_TEST_PING)
        return 100 + (LRESULT)wParam;
    if (nMsg == WM_NCDESTROY)
    {
        g_bOwnProcAtNcDestroy = true;
        g_pfnProcAtNcDestroy = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

void ResetOwn()
{
    g_ownMessages.clear();
    g_ownParams.clear();
    g_bOwnProcAtNcDestroy = false;
    g_pfnProcAtNcDestroy = NULL;
}

// A sink that logs into a shared journal and can run an action per message.
class CTestSink : public CExtHookSink
{
public:
    CTestSink(std::string strName, std::vector<std::string>& journal,
              bool bEnableDispatch = true)
        : CExtHookSink(bEnableDispatch), m_strName(strName), m_journal(journal)
    {
    }
    ~CTestSink()
    {
        m_journal.push_back(m_strName + ":deleted");
        RemoveHookFromAll();
    }

    bool OnHookWndMsg(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam,
                      LPARAM& lParam) override
    {
        if (nMessage == WM_PAINT)
            m_journal.push_back(m_strName + ":paint");
        else if (nMessage >= WM_APP)
            m_journal.push_back(m_strName + ":" + std::to_string(nMessage - WM_APP));
        if (m_onMessage && nMessage >= WM_APP)
        {
            if (m_onMessage(lResult, nMessage, wParam))
                return true;
        }
        return CExtHookSink::OnHookWndMsg(lResult, hWnd, nMessage, wParam, lParam);
    }
    bool OnHookPaintMsg(LRESULT& lResult, HWND hWnd, HDC) override
    {
        if (!m_bEatPaint)
            return false;
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        lResult = 0;
        return true;
    }
    bool OnHookCmdMsg(LRESULT& lResult, HWND, WORD wNotifyCode, WORD wID, HWND) override
    {
        m_journal.push_back(m_strName + ":cmd" + std::to_string(wID) + "/"
                            + std::to_string(wNotifyCode));
        lResult = 5;
        return m_bEatCommands;
    }
    void OnHookDestroyWindow() override { m_journal.push_back(m_strName + ":destroy"); }
    void OnHookAttached(HWND) override { m_journal.push_back(m_strName + ":attached"); }
    void OnHookDetached(HWND) override { m_journal.push_back(m_strName + ":detached"); }
    bool IsAutoDelete() override { return m_bAutoDelete; }

    void KeepNcDestroy() { m_bHookSinkFlags |= HOOK_SINK_KEEP_NCDESTROY; }

    std::string m_strName;
    std::vector<std::string>& m_journal;
    std::function<bool(LRESULT&, UINT, WPARAM&)> m_onMessage;
    bool m_bEatPaint = false;
    bool m_bEatCommands = false;
    bool m_bAutoDelete = false;
};

int CountOf(const std::vector<std::string>& journal, const std::string& str)
{
    int n = 0;
    for (const std::string& s : journal)
        n += (s == str) ? 1 : 0;
    return n;
}

class HookSinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetOwn();
        m_pWnd.reset(new CTestWindow(NULL, OwnWndProc));
        ASSERT_NE(m_pWnd->m_hWnd, (HWND)NULL);
        m_nMapCountBefore = g_mapHookChains.GetCount();
    }
    HWND Wnd() const { return m_pWnd->m_hWnd; }
    LRESULT Ping(WPARAM wParam = 0) { return ::SendMessageA(Wnd(), WM_TEST_PING, wParam, 0); }

    std::unique_ptr<CTestWindow> m_pWnd;
    std::vector<std::string> m_journal;
    INT_PTR m_nMapCountBefore = 0;
};

} // namespace

TEST_F(HookSinkTest, SinksSeeMessagesInChainOrderAndHeadSinksFirst)
{
    CTestSink a("a", m_journal), b("b", m_journal), c("c", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(b.SetupHookWndSink(Wnd(), false, true));     // head
    ASSERT_TRUE(c.SetupHookWndSink(Wnd()));                  // tail
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(Wnd(), GWLP_WNDPROC),
              &CExtHookSink::HookChainsWindowProc);
    m_journal.clear();
    EXPECT_EQ(Ping(7), 107);
    std::vector<std::string> expected = { "b:10", "a:10", "c:10" };
    EXPECT_EQ(m_journal, expected);
    ASSERT_EQ(g_ownMessages.size(), 1u);
    EXPECT_TRUE(a.IsHookedTo(Wnd()));
    EXPECT_EQ(g_mapHookChains.GetCount(), m_nMapCountBefore + 1);
}

TEST_F(HookSinkTest, AnsweringSinkStopsLaterSinksAndTheWindow)
{
    CTestSink first("first", m_journal), head("head", m_journal);
    ASSERT_TRUE(first.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(head.SetupHookWndSink(Wnd(), false, true));
    head.m_bEatPaint = true;
    ::ShowWindow(Wnd(), SW_SHOWNOACTIVATE);
    ::InvalidateRect(Wnd(), NULL, TRUE);
    ::UpdateWindow(Wnd());
    EXPECT_EQ(CountOf(m_journal, "head:paint"), 1);
    EXPECT_EQ(CountOf(m_journal, "first:paint"), 0);
    EXPECT_TRUE(g_ownMessages.empty());

    head.m_onMessage = [](LRESULT& lResult, UINT, WPARAM&) { lResult = 42; return true; };
    EXPECT_EQ(Ping(), 42);
    EXPECT_TRUE(g_ownMessages.empty());
}

TEST_F(HookSinkTest, ChangedParametersReachLaterSinksAndTheWindow)
{
    CTestSink a("a", m_journal), b("b", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(b.SetupHookWndSink(Wnd()));
    WPARAM wSeenByB = 0;
    a.m_onMessage = [](LRESULT&, UINT, WPARAM& wParam) { wParam = 9; return false; };
    b.m_onMessage = [&wSeenByB](LRESULT&, UINT, WPARAM& wParam) { wSeenByB = wParam; return false; };
    EXPECT_EQ(Ping(1), 109);
    EXPECT_EQ(wSeenByB, (WPARAM)9);
    ASSERT_EQ(g_ownParams.size(), 1u);
    EXPECT_EQ(g_ownParams[0], (WPARAM)9);
}

TEST_F(HookSinkTest, CommandsAreSplitIntoTheCommandOperation)
{
    CTestSink a("a", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    a.m_bEatCommands = true;
    m_journal.clear();
    EXPECT_EQ(::SendMessageA(Wnd(), WM_COMMAND, MAKEWPARAM(321, 2), 0), 5);
    std::vector<std::string> expected = { "a:cmd321/2" };
    EXPECT_EQ(m_journal, expected);
}

TEST_F(HookSinkTest, JoiningTwiceKeepsOneEntry)
{
    CTestSink a("a", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(a.SetupHookWndSink(Wnd(), false, true));
    EXPECT_EQ(CountOf(m_journal, "a:attached"), 1);
    m_journal.clear();
    Ping();
    EXPECT_EQ(CountOf(m_journal, "a:10"), 1);
}

TEST_F(HookSinkTest, JoiningNullOrDeadWindowsFails)
{
    CTestSink a("a", m_journal);
    EXPECT_FALSE(a.SetupHookWndSink(NULL));
    HWND hDead = NULL;
    {
        CTestWindow temp;
        hDead = temp.m_hWnd;
    }
    EXPECT_FALSE(a.SetupHookWndSink(hDead));
    EXPECT_TRUE(a.SetupHookWndSink(hDead, true));       // leaving: nothing to do
    EXPECT_FALSE(a.SetupHookWndSink(NULL, true));
    EXPECT_EQ(g_mapHookChains.GetCount(), m_nMapCountBefore);
    EXPECT_TRUE(m_journal.empty());
}

TEST_F(HookSinkTest, EmptyChainKeepsSubclassingAndPassesMessagesOn)
{
    CTestSink a("a", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(a.SetupHookWndSink(Wnd(), true));
    EXPECT_EQ(CountOf(m_journal, "a:detached"), 1);
    EXPECT_FALSE(a.IsHookedTo(Wnd()));
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(Wnd(), GWLP_WNDPROC),
              &CExtHookSink::HookChainsWindowProc);
    EXPECT_EQ(Ping(3), 103);
    EXPECT_EQ(g_ownMessages.size(), 1u);
}

TEST_F(HookSinkTest, DestroyingTheWindowRestoresTheProcedureFirstAndDeletesAutoSinks)
{
    CTestSink keep("keep", m_journal);
    CTestSink* pAuto = new CTestSink("auto", m_journal);
    pAuto->m_bAutoDelete = true;
    ASSERT_TRUE(keep.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(pAuto->SetupHookWndSink(Wnd()));
    HWND hWnd = Wnd();
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(g_bOwnProcAtNcDestroy);
    EXPECT_EQ(g_pfnProcAtNcDestroy, &OwnWndProc);
    EXPECT_EQ(CountOf(m_journal, "keep:destroy"), 1);
    EXPECT_EQ(CountOf(m_journal, "auto:destroy"), 1);
    EXPECT_EQ(CountOf(m_journal, "auto:deleted"), 1);
    EXPECT_FALSE(keep.IsHookedTo(hWnd));
    CExtHookSink::HookChains_t* pChains = NULL;
    EXPECT_FALSE(g_mapHookChains.Lookup(hWnd, pChains));
    EXPECT_EQ(g_mapHookChains.GetCount(), m_nMapCountBefore);
}

TEST_F(HookSinkTest, KeepNcDestroyHidesItFromTheWindow)
{
    CTestSink a("a", m_journal);
    a.KeepNcDestroy();
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    ::DestroyWindow(Wnd());
    EXPECT_FALSE(g_bOwnProcAtNcDestroy);
    EXPECT_EQ(CountOf(m_journal, "a:destroy"), 1);
}

TEST_F(HookSinkTest, DisabledDispatchSeesOnlyAttachDetachAndDestroy)
{
    CTestSink quiet("quiet", m_journal, false);
    ASSERT_TRUE(quiet.SetupHookWndSink(Wnd()));
    quiet.m_bEatCommands = true;
    quiet.m_bEatPaint = true;
    m_journal.clear();
    EXPECT_EQ(::SendMessageA(Wnd(), WM_COMMAND, 77, 0), 0);
    Ping();
    ::ShowWindow(Wnd(), SW_SHOWNOACTIVATE);
    ::InvalidateRect(Wnd(), NULL, TRUE);
    ::UpdateWindow(Wnd());
    // the journal has only the raw entries of OnHookWndMsg, no command split
    EXPECT_EQ(CountOf(m_journal, "quiet:cmd77/0"), 0);
    EXPECT_EQ(g_ownMessages.size(), 2u);        // the ping and the paint reached the window
    ::DestroyWindow(Wnd());
    EXPECT_EQ(CountOf(m_journal, "quiet:destroy"), 1);
}

TEST_F(HookSinkTest, SinkLeavingItselfAndAnotherDuringAMessage)
{
    CTestSink a("a", m_journal), b("b", m_journal), c("c", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(b.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(c.SetupHookWndSink(Wnd()));
    a.m_onMessage = [&](LRESULT&, UINT, WPARAM&) {
        a.SetupHookWndSink(Wnd(), true);
        b.SetupHookWndSink(Wnd(), true);
        return false;
    };
    m_journal.clear();
    EXPECT_EQ(Ping(), 100);
    EXPECT_EQ(CountOf(m_journal, "a:10"), 1);
    EXPECT_EQ(CountOf(m_journal, "b:10"), 0);
    EXPECT_EQ(CountOf(m_journal, "c:10"), 1);
    EXPECT_EQ(g_ownMessages.size(), 1u);
}

TEST_F(HookSinkTest, AutoDeleteSinkRemovingItselfDuringAMessage)
{
    CTestSink* pAuto = new CTestSink("auto", m_journal);
    pAuto->m_bAutoDelete = true;
    CTestSink after("after", m_journal);
    ASSERT_TRUE(pAuto->SetupHookWndSink(Wnd()));
    ASSERT_TRUE(after.SetupHookWndSink(Wnd()));
    HWND hWnd = Wnd();
    pAuto->m_onMessage = [pAuto, hWnd](LRESULT&, UINT, WPARAM&) {
        pAuto->SetupHookWndSink(hWnd, true);    // deletes the sink
        return false;
    };
    EXPECT_EQ(Ping(), 100);
    EXPECT_EQ(CountOf(m_journal, "auto:deleted"), 1);
    EXPECT_EQ(CountOf(m_journal, "after:10"), 1);
    m_journal.clear();
    EXPECT_EQ(Ping(), 100);
    EXPECT_EQ(CountOf(m_journal, "after:10"), 1);
}

TEST_F(HookSinkTest, SinkJoiningDuringAMessageHearsTheNextOne)
{
    CTestSink a("a", m_journal), late("late", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    a.m_onMessage = [&](LRESULT&, UINT, WPARAM&) {
        late.SetupHookWndSink(Wnd());
        return false;
    };
    m_journal.clear();
    Ping();
    EXPECT_EQ(CountOf(m_journal, "late:10"), 0);
    Ping();
    EXPECT_EQ(CountOf(m_journal, "late:10"), 1);
}

TEST_F(HookSinkTest, WindowDestroyedByASinkDuringAMessage)
{
    CTestSink a("a", m_journal), b("b", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(b.SetupHookWndSink(Wnd()));
    HWND hWnd = Wnd();
    a.m_onMessage = [hWnd](LRESULT&, UINT, WPARAM&) {
        ::DestroyWindow(hWnd);
        return false;
    };
    m_journal.clear();
    EXPECT_EQ(::SendMessageA(hWnd, WM_TEST_PING, 0, 0), 0);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CountOf(m_journal, "a:destroy"), 1);
    EXPECT_EQ(CountOf(m_journal, "b:destroy"), 1);
    EXPECT_EQ(CountOf(m_journal, "b:10"), 0);       // the chain was gone
    EXPECT_TRUE(g_bOwnProcAtNcDestroy);
    EXPECT_EQ(g_mapHookChains.GetCount(), m_nMapCountBefore);
    EXPECT_FALSE(a.IsHookedTo(hWnd));
}

TEST_F(HookSinkTest, WindowClosedByItsOwnProcedureAfterTheSinks)
{
    CTestSink a("a", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    HWND hWnd = Wnd();
    ::SendMessageA(hWnd, WM_CLOSE, 0, 0);        // DefWindowProc destroys the window
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CountOf(m_journal, "a:destroy"), 1);
    EXPECT_EQ(g_mapHookChains.GetCount(), m_nMapCountBefore);
}

TEST_F(HookSinkTest, CallPrevWndProcFromInsideASink)
{
    CTestSink a("a", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    LRESULT lPrev = 0, lPrevWith = 0, lCurrent = 0;
    a.m_onMessage = [&](LRESULT& lResult, UINT nMessage, WPARAM&) {
        if (nMessage != WM_TEST_PING)
            return false;
        lPrev = a.CallPrevWndProc(20, 0);
        lPrevWith = a.CallPrevWndProcWithMsg(WM_TEST_PING, 30, 0);
        lCurrent = a.CallPrevWndProcCurrent();
        lResult = 1;
        return true;
    };
    EXPECT_EQ(Ping(4), 1);
    EXPECT_EQ(lPrev, 120);
    EXPECT_EQ(lPrevWith, 130);
    EXPECT_EQ(lCurrent, 104);
    EXPECT_EQ(g_ownMessages.size(), 3u);
}

TEST_F(HookSinkTest, NestedMessagesToAnotherHookedWindowKeepTheOuterMessage)
{
    CTestWindow other(NULL, OwnWndProc);
    CTestSink a("a", m_journal), b("b", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(b.SetupHookWndSink(other.m_hWnd));
    LRESULT lAfterNested = 0;
    a.m_onMessage = [&](LRESULT& lResult, UINT nMessage, WPARAM&) {
        if (nMessage != WM_TEST_PING)
            return false;
        ::SendMessageA(other.m_hWnd, WM_TEST_OTHER, 0, 0);
        lAfterNested = a.CallPrevWndProcCurrent();     // still this window's ping
        lResult = 2;
        return true;
    };
    EXPECT_EQ(Ping(6), 2);
    EXPECT_EQ(lAfterNested, 106);
    EXPECT_EQ(CountOf(m_journal, "b:11"), 1);
}

TEST_F(HookSinkTest, OneSinkInSeveralChainsLeavesThemAll)
{
    CTestWindow second(NULL, OwnWndProc);
    CTestSink a("a", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    ASSERT_TRUE(a.SetupHookWndSink(second.m_hWnd));
    CList<HWND, HWND> listWnds;
    a.GetHookedWindows(listWnds);
    EXPECT_EQ(listWnds.GetCount(), 2);
    a.RemoveHookFromAll();
    EXPECT_FALSE(a.IsHookedTo(Wnd()));
    EXPECT_FALSE(a.IsHookedTo(second.m_hWnd));
    EXPECT_EQ(CountOf(m_journal, "a:detached"), 2);
}

TEST_F(HookSinkTest, AutoDeleteSinkInTwoChainsLivesUntilItLeavesTheLast)
{
    CTestWindow second(NULL, OwnWndProc);
    CTestSink* pAuto = new CTestSink("auto", m_journal);
    pAuto->m_bAutoDelete = true;
    ASSERT_TRUE(pAuto->SetupHookWndSink(Wnd()));
    ASSERT_TRUE(pAuto->SetupHookWndSink(second.m_hWnd));
    ::DestroyWindow(Wnd());
    EXPECT_EQ(CountOf(m_journal, "auto:deleted"), 0);
    m_journal.clear();
    ::SendMessageA(second.m_hWnd, WM_TEST_PING, 0, 0);
    EXPECT_EQ(CountOf(m_journal, "auto:10"), 1);
    ::DestroyWindow(second.m_hWnd);
    EXPECT_EQ(CountOf(m_journal, "auto:deleted"), 1);
}

TEST_F(HookSinkTest, SinkDestroyedWhileStillHookedLeavesNoDanglingEntry)
{
    {
        // a sink whose class forgot to leave its chains
        class CForgetfulSink : public CExtHookSink
        {
        public:
            int m_nCalls = 0;
            bool OnHookWndMsg(LRESULT&, HWND, UINT, WPARAM&, LPARAM&) override
            {
                m_nCalls++;
                return false;
            }
        } forgetful;
        ASSERT_TRUE(forgetful.SetupHookWndSink(Wnd()));
        Ping();
        EXPECT_GT(forgetful.m_nCalls, 0);
    }
    EXPECT_EQ(Ping(2), 102);
    CExtHookSink::HookChains_t* pChains = NULL;
    ASSERT_TRUE(g_mapHookChains.Lookup(Wnd(), pChains));
    EXPECT_EQ(pChains->m_arrSinks.GetSize(), 0);
}

namespace
{

// A procedure put over the shared one after the window was hooked.
WNDPROC g_pfnBelowOuter = NULL;
int g_nOuterMessages = 0;

LRESULT CALLBACK OuterWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_TEST_PING)
        g_nOuterMessages++;
    return ::CallWindowProcA(g_pfnBelowOuter, hWnd, nMsg, wParam, lParam);
}

} // namespace

TEST_F(HookSinkTest, AChainGoneUnderAnotherSubclassKeepsBothProcedures)
{
    CTestSink a("a", m_journal);
    ASSERT_TRUE(a.SetupHookWndSink(Wnd()));
    g_nOuterMessages = 0;
    g_pfnBelowOuter = (WNDPROC)::SetWindowLongPtrA(Wnd(), GWLP_WNDPROC, (LONG_PTR)OuterWndProc);
    ASSERT_EQ(g_pfnBelowOuter, &CExtHookSink::HookChainsWindowProc);
    // the chain goes away while the other procedure lies over the shared one
    CExtHookSink::HookChains_t* pChains = NULL;
    ASSERT_TRUE(g_mapHookChains.Lookup(Wnd(), pChains));
    g_mapHookChains.RemoveKey(Wnd());
    delete pChains;
    // the later procedure stays installed ...
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(Wnd(), GWLP_WNDPROC), &OuterWndProc);
    // ... and messages still reach the window's own procedure through the shared one
    ResetOwn();
    EXPECT_EQ(Ping(7), 107);
    EXPECT_EQ(1, g_nOuterMessages);
    ASSERT_EQ(1u, g_ownMessages.size());
    EXPECT_EQ(WM_TEST_PING, g_ownMessages[0]);
    // and the window still closes normally
    HWND hWnd = Wnd();
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(g_bOwnProcAtNcDestroy);
}

TEST_F(HookSinkTest, AWindowWithoutChainOrOriginalGetsTheDefaultProcedure)
{
    // a message for a window that runs the shared procedure but was never hooked
    HWND hWnd = Wnd();
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&CExtHookSink::HookChainsWindowProc);
    ::SetWindowTextA(hWnd, "still answers");
    char sText[32] = "";
    ::GetWindowTextA(hWnd, sText, sizeof(sText));
    EXPECT_STREQ("still answers", sText);
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)OwnWndProc);
}
