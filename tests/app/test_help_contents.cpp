// Help > Open Help Contents and F1: the shell is asked to open the help file beside the
// program, as the shell call shows (the program file's import of ShellExecuteA is
// replaced while a test runs); a failed opening is told with the file.

#include "doc_program.h"
#include "app/MainFrm.h"
#include "uiframework/bars/ExtBarButton.h"
#include "uiframework/bars/ExtMenuControlBar.h"
#include "uiframework/foundation/ExtPopupMenuWnd.h"

#include <shellapi.h>

#include <vector>

namespace
{

// The import slot of pszFunction of pszDll in this program file; NULL when it has none.
void** FindImportSlot(LPCSTR pszDll, LPCSTR pszFunction)
{
    BYTE* pBase = (BYTE*)::GetModuleHandleA(NULL);
    const IMAGE_NT_HEADERS* pNt = (const IMAGE_NT_HEADERS*)(pBase + ((IMAGE_DOS_HEADER*)pBase)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const FARPROC pTarget = ::GetProcAddress(::GetModuleHandleA(pszDll), pszFunction);
    if (dir.VirtualAddress == 0 || pTarget == NULL)
        return NULL;
    for (IMAGE_IMPORT_DESCRIPTOR* pImport = (IMAGE_IMPORT_DESCRIPTOR*)(pBase + dir.VirtualAddress);
         pImport->Name != 0; pImport++)
    {
        if (lstrcmpiA((LPCSTR)(pBase + pImport->Name), pszDll) != 0)
            continue;
        for (IMAGE_THUNK_DATA* pThunk = (IMAGE_THUNK_DATA*)(pBase + pImport->FirstThunk); pThunk->u1.Function != 0;
             pThunk++)
        {
            if ((FARPROC)pThunk->u1.Function == pTarget)
                return (void**)&pThunk->u1.Function;
        }
    }
    return NULL;
}

// CShellCalls records the program's calls of ShellExecuteA, and answers them with
// m_nResult, instead of the shell while it lives.
class CShellCalls
{
public:
    struct CCall
    {
        HWND m_hWnd;
        CString m_strVerb;
        CString m_strFile;
        CString m_strParameters;
        CString m_strDirectory;
        int m_nShow;
        BOOL m_bParameters;         // parameters were given
        BOOL m_bDirectory;          // a folder was given
    };

    CShellCalls()
    {
        m_ppSlot = FindImportSlot("shell32.dll", "ShellExecuteA");
        if (m_ppSlot != NULL)
        {
            s_pCurrent = this;
            m_pOriginal = Swap((void*)&Hook);
        }
    }
    ~CShellCalls()
    {
        if (m_ppSlot != NULL)
            Swap(m_pOriginal);
        s_pCurrent = NULL;
    }
    CShellCalls(const CShellCalls&) = delete;
    CShellCalls& operator=(const CShellCalls&) = delete;

    bool IsHooked() const { return m_ppSlot != NULL; }

    std::vector<CCall> m_calls;
    INT_PTR m_nResult = 42;         // above 32: the shell opened the file

private:
    void* Swap(void* pNew)
    {
        DWORD dwOld = 0;
        ::VirtualProtect(m_ppSlot, sizeof(void*), PAGE_READWRITE, &dwOld);
        void* pOld = *m_ppSlot;
        *m_ppSlot = pNew;
        ::VirtualProtect(m_ppSlot, sizeof(void*), dwOld, &dwOld);
        return pOld;
    }
    static HINSTANCE WINAPI Hook(HWND hWnd, LPCSTR pszVerb, LPCSTR pszFile, LPCSTR pszParameters,
                                 LPCSTR pszDirectory, INT nShow)
    {
        CShellCalls* pThis = s_pCurrent;
        pThis->m_calls.push_back({hWnd, pszVerb != NULL ? pszVerb : "", pszFile != NULL ? pszFile : "",
                                  pszParameters != NULL ? pszParameters : "",
                                  pszDirectory != NULL ? pszDirectory : "", nShow, pszParameters != NULL,
                                  pszDirectory != NULL});
        return (HINSTANCE)pThis->m_nResult;
    }

    static CShellCalls* s_pCurrent;
    void** m_ppSlot = NULL;
    void* m_pOriginal = NULL;
};

CShellCalls* CShellCalls::s_pCurrent = NULL;

// The help file beside this program file.
CString HelpFileBesideProgram()
{
    char szPath[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath, (int)n);
    return strPath.Left(strPath.ReverseFind('\\')) + "\\WqzHelp.chm";
}

// Pumps until pred() holds, five seconds at most.
template <class Pred>
bool PumpUntil(Pred pred)
{
    for (int i = 0; i < 500 && !pred(); i++)
    {
        PumpPendingMessages();
        if (!pred())
            ::Sleep(10);
    }
    return pred();
}

// A key press and release posted to the window, as the keyboard brings them.
void PostKey(HWND hWnd, UINT nVK)
{
    const LPARAM lScan = (LPARAM)::MapVirtualKeyA(nVK, 0) << 16;
    ::PostMessageA(hWnd, WM_KEYDOWN, nVK, 1 | lScan);
    ::PostMessageA(hWnd, WM_KEYUP, nVK, 1 | lScan | (3u << 30));
}

} // namespace

class HelpContents : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_program.m_bStarted);
        m_pFrame = DYNAMIC_DOWNCAST(CMainFrame, m_program.m_pApp->m_pMainWnd);
        ASSERT_TRUE(m_pFrame != NULL);
        ASSERT_TRUE(m_shell.IsHooked()) << "the program file imports no ShellExecuteA";
        PumpPendingMessages();
    }

    // F1 pressed in the main window, then the calls and boxes it made.
    void PressF1()
    {
        const size_t nBefore = m_shell.m_calls.size();
        PostKey(m_pFrame->m_hWnd, VK_F1);
        PumpUntil([&] { return m_shell.m_calls.size() > nBefore; });
        PumpPendingMessages();
    }

    void ExpectOpenedHelpFile(const CShellCalls::CCall& call)
    {
        EXPECT_STREQ("open", call.m_strVerb);
        EXPECT_STREQ(HelpFileBesideProgram(), call.m_strFile);
        EXPECT_FALSE(call.m_bParameters);
        EXPECT_FALSE(call.m_bDirectory);
        EXPECT_EQ(SW_SHOW, call.m_nShow);
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CShellCalls m_shell;
    CMainFrame* m_pFrame = NULL;
};

TEST_F(HelpContents, TheHelpMenuItemAsksTheShellToOpenTheHelpFileBesideTheProgram)
{
    CExtMenuControlBar& bar = m_pFrame->m_wndMenuBar;
    int nHelp = -1;
    for (int i = 0; i < bar.GetButtonCount() && nHelp < 0; i++)
    {
        CString strText;
        bar.GetButton(i)->GetDisplayText(strText);
        strText.Remove('&');
        if (bar.GetButton(i)->GetMenu() != NULL && strText == "Help")
            nHelp = i;
    }
    ASSERT_GE(nHelp, 0) << "the menu bar has no Help menu";
    m_pFrame->SetForegroundWindow();
    PumpPendingMessages();

    // a press and release on the Help menu of the bar opens its popup
    const CPoint ptHelp = bar.GetButton(nHelp)->GetDisplayRect().CenterPoint();
    bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptHelp.x, ptHelp.y));
    bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptHelp.x, ptHelp.y));
    ASSERT_TRUE(PumpUntil([] {
        CExtPopupMenuWnd* pRoot = g_TrackingSite.m_pWndRoot;
        return pRoot != NULL && g_TrackingSite.m_pWndAnimation == NULL && pRoot->GetSafeHwnd() != NULL &&
               pRoot->IsWindowVisible();
    })) << "the Help menu did not open";
    CExtPopupMenuWnd* pPopup = g_TrackingSite.m_pWndRoot;
    const int nItem = pPopup->FindItemByCmdID(ID_HELP_CONTENTS);
    ASSERT_GE(nItem, 0) << "the Help menu has no Open Help Contents";
    EXPECT_TRUE(m_shell.m_calls.empty());

    // the item clicked with the mouse, through the system's input
    CRect rectItem;
    pPopup->GetItemRect(nItem, rectItem, true);
    pPopup->ClientToScreen(&rectItem);
    const CPoint pt = rectItem.CenterPoint();
    // the test programs share one desktop: another one may hold the input or cover the item
    if (::GetForegroundWindow() != m_pFrame->m_hWnd || ::WindowFromPoint(pt) != pPopup->m_hWnd)
    {
        CExtPopupMenuWnd::CancelTracking();
        GTEST_SKIP() << "another program has the input";
    }
    ::SetCursorPos(pt.x, pt.y);
    INPUT in[3];
    ::ZeroMemory(in, sizeof(in));
    for (INPUT& i : in)
        i.type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, in, sizeof(INPUT));
    if (!PumpUntil([&] { return !m_shell.m_calls.empty(); }) && ::GetForegroundWindow() != m_pFrame->m_hWnd)
    {
        CExtPopupMenuWnd::CancelTracking();
        GTEST_SKIP() << "another program took the input";
    }
    ASSERT_FALSE(m_shell.m_calls.empty()) << "the item asked the shell nothing";
    PumpPendingMessages();
    ASSERT_EQ(1u, m_shell.m_calls.size());
    ExpectOpenedHelpFile(m_shell.m_calls[0]);
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(HelpContents, F1OpensTheHelpFileWithAndWithoutAPublicationAndAFailureIsTold)
{
    // no publication: the main window's keys
    PressF1();
    ASSERT_EQ(1u, m_shell.m_calls.size());
    ExpectOpenedHelpFile(m_shell.m_calls[0]);
    EXPECT_EQ(0, m_boxes.GetCount());

    // F1 answered by the shell with nResult: one message naming the help file and lpszCause
    auto expectTold = [&](INT_PTR nResult, LPCSTR lpszCause) {
        m_shell.m_nResult = nResult;
        const int nBoxes = m_boxes.GetCount();
        PressF1();
        ASSERT_EQ(nBoxes + 1, m_boxes.GetCount()) << "shell result " << nResult;
        ExpectOpenedHelpFile(m_shell.m_calls.back());
        const CString strText = m_boxes.GetCall(nBoxes).m_strText;
        EXPECT_GE(strText.Find(HelpFileBesideProgram()), 0) << strText;
        EXPECT_GE(strText.Find(lpszCause), 0) << strText;
    };
    // a publication: its keys, with the help file missing, no program for help files
    // and any other refusal
    ASSERT_TRUE(m_program.NewShownDoc() != NULL);
    m_boxes.Reset();
    expectTold(SE_ERR_FNF, "missing");
    expectTold(SE_ERR_NOASSOC, "no program");
    expectTold(SE_ERR_ACCESSDENIED, "(error 5)");
    EXPECT_EQ(4u, m_shell.m_calls.size());
}
