// appcore.cpp - CWinThread and CWinApp: start-up, the message pump with idle
// processing, exceptions in handlers, resources, profile and the wait cursor.

#include "afxwnd.h"
#include "afxole.h"

// Handlers are stored under one member pointer type and cast back to their own.
#pragma GCC diagnostic ignored "-Wcast-function-type"
#include <dde.h>

/////////////////////////////////////////////////////////////////////////////
// The application object

static CWinApp* g_pApp = NULL;

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

CWinThread* AFXAPI AfxGetThread()
{
    return AfxGetThreadState()->m_pCurrentWinThread;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

MSG* AFXAPI AfxGetCurrentMessage()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? &pThread->m_msgCur : &AfxGetThreadState()->m_msgCur;
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

/////////////////////////////////////////////////////////////////////////////
// Pump helpers usable without a thread object

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->IsIdleMessage(pMsg);

    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (pState->m_ptCursorLast == pMsg->pt && pMsg->message == pState->m_nMsgLast)
            return FALSE;
        pState->m_ptCursorLast = pMsg->pt;
        pState->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

// Gets and dispatches one message for callers that run their own loop; FALSE once WM_QUIT arrives.
BOOL AFXAPI AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->PumpMessage();

    MSG* pMsg = &AfxGetThreadState()->m_msgCur;
    if (!::GetMessageA(pMsg, NULL, 0, 0))
        return FALSE;
    if (pMsg->message != WM_KICKIDLE && !CWnd::WalkPreTranslateTree(NULL, pMsg))
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
    }
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CWinThread

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
{
    m_pMainWnd = NULL;
    m_pActiveWnd = NULL;
    m_bAutoDelete = TRUE;
    m_hThread = NULL;
    m_nThreadID = 0;
    memset(&m_msgCur, 0, sizeof(m_msgCur));
}

CWinThread::~CWinThread()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadStateIfAlive();
    if (pState != NULL && pState->m_pCurrentWinThread == this)
        pState->m_pCurrentWinThread = NULL;
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != NULL)
        return m_pActiveWnd;
    return m_pMainWnd;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG lpMsg)
{
    (void)lpMsg;
    return FALSE;
}

// Whether a message ends the idle phase, so Run restarts OnIdle counting only on real activity.
BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // a mouse move to the same place does not restart idle processing
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (pState->m_ptCursorLast == pMsg->pt && pMsg->message == pState->m_nMsgLast)
            return FALSE;
        pState->m_ptCursorLast = pMsg->pt;
        pState->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    // paint and the caret blink do not either
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

// Thread messages (no window) go to the thread's own ON_THREAD_MESSAGE entries.
BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    for (const AFX_MSGMAP* pMessageMap = GetMessageMap(); pMessageMap != NULL;
         pMessageMap = pMessageMap->pfnGetBaseMap != NULL ? (*pMessageMap->pfnGetBaseMap)() : NULL)
    {
        const AFX_MSGMAP_ENTRY* lpEntry =
            AfxFindMessageEntry(pMessageMap->lpEntries, pMsg->message, 0, 0);
        if (lpEntry != NULL && lpEntry->nSig == AfxSig_v_wl)
        {
            (this->*reinterpret_cast<void (CCmdTarget::*)(WPARAM, LPARAM)>(lpEntry->pfn))(
                pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
    }
    return FALSE;
}

// Accelerators and dialog keys of the windows between the target and the main window.
BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == NULL && DispatchThreadMessageEx(pMsg))
        return TRUE;

    // walk from the target window up to the main window
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg))
        return TRUE;

    // a modeless window of its own still gets the main window's accelerators
    if (pMainWnd != NULL && pMsg->hwnd != NULL)
    {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd->GetTopLevelParent() != pMainWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, NULL, 0, 0))
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

// Idle work: first the command update of every visible frame, then freeing temporary objects.
BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        // update handlers of the main window and its bars
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible())
        {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
        }
        CWnd* pActiveWnd = m_pActiveWnd;
        if (pActiveWnd != NULL && pActiveWnd != pMainWnd && pActiveWnd->m_hWnd != NULL &&
            pActiveWnd->IsWindowVisible())
        {
            AfxCallWndProc(pActiveWnd, pActiveWnd->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
            pActiveWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
        }
        // the other frames of the thread (floating frames of bars) as well
        struct CFrameUpdate
        {
            HWND hWndMain;
            HWND hWndActive;
            static BOOL CALLBACK Update(HWND hWnd, LPARAM lParam)
            {
                CFrameUpdate* pUpdate = (CFrameUpdate*)lParam;
                if (hWnd == pUpdate->hWndMain || hWnd == pUpdate->hWndActive || !::IsWindowVisible(hWnd))
                    return TRUE;
                CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
                if (pWnd != NULL && pWnd->IsFrameWnd())
                {
                    AfxCallWndProc(pWnd, hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
                    pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
                }
                return TRUE;
            }
        };
        CFrameUpdate update = { pMainWnd != NULL ? pMainWnd->m_hWnd : NULL,
                                pActiveWnd != NULL ? pActiveWnd->m_hWnd : NULL };
        ::EnumThreadWindows(::GetCurrentThreadId(), CFrameUpdate::Update, (LPARAM)&update);
    }
    else if (AfxGetThreadState()->m_nTempMapLock == 0)
    {
        // free the temporary objects of the handle maps
        AfxLockTempMaps();
        AfxUnlockTempMaps();
    }
    return lCount < 0;
}

// The thread's message loop: idle work while the queue is empty, until WM_QUIT.
int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        while (bIdle && !::PeekMessageA(&m_msgCur, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

// Tells the user of an exception a handler let escape and returns what keeps the window sane.
LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (pMsg->message == WM_CREATE)
        return -1;      // the window is not created
    if (pMsg->message == WM_PAINT)
    {
        ::ValidateRect(pMsg->hwnd, NULL);   // no endless repainting
        return 0;
    }
    if (e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return 0;       // the user has been told

    UINT nIDP = AFX_IDP_INTERNAL_FAILURE;
    if (pMsg->message == WM_COMMAND && pMsg->lParam == 0)
        nIDP = AFX_IDP_COMMAND_FAILURE;
    CString strMessage;
    char szError[512];
    if (!e->GetErrorMessage(szError, sizeof(szError)))
        AfxLoadString(nIDP, strMessage);
    else
        strMessage = szError;
    AfxMessageBox(strMessage, e->IsKindOf(RUNTIME_CLASS(CMemoryException))
                                  ? MB_ICONEXCLAMATION | MB_SYSTEMMODAL : MB_ICONSTOP);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// CWinApp

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

// Makes this the one application object, which is also the main thread's thread object.
CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    m_hInstance = NULL;
    m_lpCmdLine = NULL;
    m_nCmdShow = SW_SHOWNORMAL;
    m_pszAppName = lpszAppName != NULL ? _strdup(lpszAppName) : NULL;
    m_pszRegistryKey = NULL;
    m_pszExeName = NULL;
    m_pszHelpFilePath = NULL;
    m_pszProfileName = NULL;
    m_pDocManager = NULL;
    m_hDevMode = NULL;
    m_hDevNames = NULL;
    m_pRecentFileList = NULL;
    m_pCmdInfo = NULL;
    m_atomApp = 0;
    m_atomSystemTopic = 0;
    m_nNumPreviewPages = 0;
    m_nWaitCursorCount = 0;
    m_hcurWaitCursorRestore = NULL;
    m_bHelpMode = FALSE;

    // the one application object is also this thread's thread object
    g_pApp = this;
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_pCurrentWinThread = this;
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();
    m_bAutoDelete = FALSE;
}

// Frees what the application owns: templates, printer setup, recent files, atoms and names.
CWinApp::~CWinApp()
{
    // the templates go with the manager; documents still open forget them
    delete m_pDocManager;
    m_pDocManager = NULL;
    if (m_hDevMode != NULL)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL)
        ::GlobalFree(m_hDevNames);
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    if (m_atomApp != 0)
        ::GlobalDeleteAtom(m_atomApp);
    if (m_atomSystemTopic != 0)
        ::GlobalDeleteAtom(m_atomSystemTopic);
    free((void*)m_pszAppName);
    free((void*)m_pszRegistryKey);
    free((void*)m_pszExeName);
    free((void*)m_pszHelpFilePath);
    free((void*)m_pszProfileName);
    if (g_pApp == this)
        g_pApp = NULL;
}

// Fills the program's names (exe, title, help file, profile) from its module path and resources.
void CWinApp::SetCurrentHandles()
{
    char szBuff[MAX_PATH + 8];
    DWORD nLen = ::GetModuleFileNameA(m_hInstance, szBuff, MAX_PATH);
    szBuff[nLen] = '\0';
    char* lpszExt = strrchr(szBuff, '.');
    char* lpszName = strrchr(szBuff, '\\');
    if (lpszExt != NULL && (lpszName == NULL || lpszExt > lpszName))
        *lpszExt = '\0';
    else
        lpszExt = szBuff + strlen(szBuff);
    const char* lpszExeName = lpszName != NULL ? lpszName + 1 : szBuff;

    if (m_pszExeName == NULL)
        m_pszExeName = _strdup(lpszExeName);

    if (m_pszAppName == NULL)
    {
        // the application's title string, else the program's name
        CString strTitle;
        if (::LoadStringA(AfxGetResourceHandle(), AFX_IDS_APP_TITLE,
                          strTitle.GetBuffer(256), 256) > 0)
        {
            strTitle.ReleaseBuffer();
            m_pszAppName = _strdup(strTitle);
        }
        else
        {
            strTitle.ReleaseBuffer(0);
            m_pszAppName = _strdup(m_pszExeName);
        }
    }
    AfxSetAppName(m_pszAppName);

    if (m_pszHelpFilePath == NULL)
    {
        CString strHelp = CString(szBuff) + ".HLP";
        m_pszHelpFilePath = _strdup(strHelp);
    }
    if (m_pszProfileName == NULL)
    {
        CString strProfile = CString(m_pszExeName) + ".INI";
        m_pszProfileName = _strdup(strProfile);
    }
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    if (m_pCmdInfo == NULL ||
        (m_pCmdInfo->m_nShellCommand != CCommandLineInfo::AppUnregister &&
         m_pCmdInfo->m_nShellCommand != CCommandLineInfo::FileDDE))
        SaveStdProfileSettings();
    return (int)AfxGetCurrentMessage()->wParam;
}

int CWinApp::Run()
{
    if (m_pMainWnd == NULL)
        AfxPostQuitMessage(0);     // nothing to run without a main window
    return CWinThread::Run();
}

// Adds the documents' idle work to the thread's on the second idle turn.
BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        CWinThread::OnIdle(lCount);
    }
    else if (lCount == 1)
    {
        CWinThread::OnIdle(lCount);
        // idle work of the open documents
        POSITION pos = GetFirstDocTemplatePosition();
        while (pos != NULL)
            GetNextDocTemplate(pos)->OnIdle();
    }
    return lCount < 1;  // one more turn for the clean-up
}

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    return CWinThread::ProcessWndProcException(e, pMsg);
}

// Counts nested waits so the hourglass stays until the outermost one ends, then restores the cursor.
void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0)
    {
        HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrev;
    }
    else
    {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* pWnd = AfxGetMainWnd();
    if (pWnd != NULL && m_pszHelpFilePath != NULL &&
        ::GetFileAttributesA(m_pszHelpFilePath) != INVALID_FILE_ATTRIBUTES)
        ::WinHelpA(pWnd->m_hWnd, m_pszHelpFilePath, nCmd, dwData);
}

/////////////////////////////////////////////////////////////////////////////
// Resources

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursorA(AfxFindResourceHandle(lpszResourceName, (LPCTSTR)RT_GROUP_CURSOR),
                         lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursorA(NULL, lpszCursorName);
}

HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const
{
    return ::LoadCursorA(NULL, MAKEINTRESOURCEA(nIDCursor));
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, (LPCTSTR)RT_GROUP_ICON),
                       lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIconA(NULL, lpszIconName);
}

HICON CWinApp::LoadOEMIcon(UINT nIDIcon) const
{
    return ::LoadIconA(NULL, MAKEINTRESOURCEA(nIDIcon));
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    if (::FindResourceA(hInst, lpszName, lpszType) != NULL)
        return hInst;
    HINSTANCE hExe = AfxGetInstanceHandle();
    if (hExe != hInst && ::FindResourceA(hExe, lpszName, lpszType) != NULL)
        return hExe;
    return hInst;
}

/////////////////////////////////////////////////////////////////////////////
// Profile

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = _strdup(lpszRegistryKey);
    free((void*)m_pszProfileName);
    m_pszProfileName = _strdup(m_pszAppName != NULL ? m_pszAppName : "");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    AfxLoadString(nIDRegistryKey, strKey);
    SetRegistryKey(strKey);
}

// Opens (making it if need be) HKCU\software\<company>\<application>; NULL without a registry key.
HKEY CWinApp::GetAppRegistryKey()
{
    HKEY hAppKey = NULL;
    HKEY hSoftKey = NULL;
    HKEY hCompanyKey = NULL;
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "software", 0, KEY_WRITE | KEY_READ, &hSoftKey) == ERROR_SUCCESS)
    {
        DWORD dw;
        if (::RegCreateKeyExA(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, NULL, &hCompanyKey, &dw) == ERROR_SUCCESS)
        {
            ::RegCreateKeyExA(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, NULL, &hAppKey, &dw);
        }
    }
    if (hSoftKey != NULL)
        ::RegCloseKey(hSoftKey);
    if (hCompanyKey != NULL)
        ::RegCloseKey(hCompanyKey);
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hSectionKey = NULL;
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    DWORD dw;
    ::RegCreateKeyExA(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE | KEY_READ, NULL, &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

// A number from the registry or, without a registry key, from the profile file; the default if unset.
UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey != NULL)
    {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return (UINT)nDefault;
        DWORD dwValue = 0;
        DWORD dwType = 0;
        DWORD dwCount = sizeof(DWORD);
        LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
        ::RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
            return (UINT)dwValue;
        return (UINT)nDefault;
    }
    return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

// Stores a number in the registry or, without a registry key, in the profile file.
BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey != NULL)
    {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        DWORD dwValue = (DWORD)nValue;
        LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, (LPBYTE)&dwValue, sizeof(dwValue));
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    char szT[16];
    wsprintfA(szT, "%d", nValue);
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, szT, m_pszProfileName);
}

// A text from the registry or the profile file; the default if unset or not a string.
CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (lpszDefault == NULL)
        lpszDefault = "";
    if (m_pszRegistryKey != NULL)
    {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return lpszDefault;
        CString strValue;
        DWORD dwType = 0;
        DWORD dwCount = 0;
        LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
        {
            lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType,
                                         (LPBYTE)strValue.GetBuffer((int)dwCount + 1), &dwCount);
            // the stored value need not end with a zero
            strValue.GetBuffer((int)dwCount + 1)[dwCount] = '\0';
            strValue.ReleaseBuffer();
        }
        ::RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
            return strValue;
        return lpszDefault;
    }
    char szT[4096];
    ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault, szT, sizeof(szT), m_pszProfileName);
    return szT;
}

// Stores a text; a NULL entry deletes the whole section and a NULL value the entry.
BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey != NULL)
    {
        LONG lResult;
        if (lpszEntry == NULL)
        {
            // delete the whole section
            HKEY hAppKey = GetAppRegistryKey();
            if (hAppKey == NULL)
                return FALSE;
            lResult = ::RegDeleteKeyA(hAppKey, lpszSection);
            ::RegCloseKey(hAppKey);
            return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
        }
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == NULL)
            return FALSE;
        if (lpszValue == NULL)
            lResult = ::RegDeleteValueA(hSecKey, lpszEntry);
        else
            lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                       (DWORD)strlen(lpszValue) + 1);
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

// A binary value from the registry, in a buffer the caller deletes; FALSE (and no buffer) if missing.
BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey == NULL)
        return FALSE;
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY)
    {
        *ppData = new BYTE[dwCount > 0 ? dwCount : 1];
        lResult = ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, *ppData, &dwCount);
    }
    ::RegCloseKey(hSecKey);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY)
    {
        *pBytes = dwCount;
        return TRUE;
    }
    delete[] *ppData;
    *ppData = NULL;
    return FALSE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == NULL)
        return FALSE;
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

/////////////////////////////////////////////////////////////////////////////
// Standard settings: the recent-file list and the preview page count

static const char s_szFileSection[] = "Recent File List";
static const char s_szFileEntry[] = "File%d";
static const char s_szPreviewSection[] = "Settings";
static const char s_szPreviewEntry[] = "PreviewPages";

// Loads the recent file list and the preview's page count kept between sessions.
void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU > 16)
        nMaxMRU = 16;
    if (nMaxMRU != 0)
    {
        delete m_pRecentFileList;
        m_pRecentFileList = new CRecentFileList(0, s_szFileSection, s_szFileEntry, (int)nMaxMRU);
        m_pRecentFileList->ReadList();
    }
    // the preview shows one or two pages; anything else stored is taken as unset
    m_nNumPreviewPages = GetProfileInt(s_szPreviewSection, s_szPreviewEntry, 0);
    if (m_nNumPreviewPages > 2)
        m_nNumPreviewPages = 0;
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
    if (m_nNumPreviewPages != 0)
        WriteProfileInt(s_szPreviewSection, s_szPreviewEntry, (int)m_nNumPreviewPages);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == NULL)
        return FALSE;
    int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() ||
        (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    // a file that cannot be opened leaves the list
    if (OpenDocumentFile((*m_pRecentFileList)[nIndex]) == NULL)
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnHelp()
{
    WinHelp(0, HELP_CONTENTS);
}

/////////////////////////////////////////////////////////////////////////////
// Command line

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    ParseCommandLine(rCmdInfo, __argc, __argv);
}

// Hands each argument to the info object, telling flags ("-x", "/x") from file names.
void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo, int argc, char** argv)
{
    for (int i = 1; i < argc; i++)
    {
        const char* pszParam = argv[i];
        BOOL bFlag = FALSE;
        BOOL bLast = (i == argc - 1);
        if (pszParam[0] == '-' || pszParam[0] == '/')
        {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, bLast);
    }
}

// Carries out what the command line asked (new, open, print, DDE); FALSE when the program should end.
BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    BOOL bResult = TRUE;
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, 0, NULL, NULL))
            OnFileNew();
        if (m_pMainWnd == NULL)
            bResult = FALSE;
        break;

    case CCommandLineInfo::FileOpen:
        if (OpenDocumentFile(rCmdInfo.m_strFileName) == NULL)
            bResult = FALSE;
        break;

    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint:
        // print and end: the document is opened hidden and printed directly
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) != NULL && m_pMainWnd != NULL)
        {
            m_pCmdInfo = &rCmdInfo;
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
            m_pCmdInfo = NULL;
        }
        bResult = FALSE;
        break;

    case CCommandLineInfo::FileDDE:
        // the DDE conversation follows; keep the window hidden until it opens a file
        m_pCmdInfo = (CCommandLineInfo*)(UINT_PTR)m_nCmdShow;
        m_nCmdShow = SW_HIDE;
        break;

    case CCommandLineInfo::AppUnregister:
        bResult = FALSE;
        break;

    case CCommandLineInfo::FileNothing:
    default:
        break;
    }
    return bResult;
}

void CWinApp::EnableShellOpen()
{
    if (m_atomApp != 0 || m_atomSystemTopic != 0)
        return;
    m_atomApp = ::GlobalAddAtomA(m_pszExeName != NULL ? m_pszExeName : "");
    m_atomSystemTopic = ::GlobalAddAtomA("system");
}

// DDE commands of the shell: [open("file")], [print("file")],
// [printto("file","printer","driver","port")].
static BOOL ParseDDEArgs(const CString& strArgs, CStringArray& arr)
{
    // arguments are quoted strings separated by commas
    int i = 0;
    int n = strArgs.GetLength();
    while (i < n)
    {
        if (strArgs[i] != '"')
            return FALSE;
        int j = strArgs.Find('"', i + 1);
        if (j < 0)
            return FALSE;
        arr.Add(strArgs.Mid(i + 1, j - i - 1));
        i = j + 1;
        if (i < n)
        {
            if (strArgs[i] != ',')
                return FALSE;
            ++i;
        }
    }
    return TRUE;
}

// Runs a shell DDE command ("[open(...)]", "[print(...)]"); FALSE for one it does not know.
BOOL CWinApp::OnDDECommand(LPTSTR lpszCommand)
{
    CString strCommand = lpszCommand;
    if (strCommand.GetLength() < 4 || strCommand[0] != '[' || strCommand.Right(2) != ")]")
        return FALSE;
    int nParen = strCommand.Find('(');
    if (nParen < 0)
        return FALSE;
    CString strVerb = strCommand.Mid(1, nParen - 1);
    CStringArray arrArgs;
    if (!ParseDDEArgs(strCommand.Mid(nParen + 1, strCommand.GetLength() - nParen - 3), arrArgs) ||
        arrArgs.GetSize() == 0)
        return FALSE;

    if (strVerb.CompareNoCase("open") == 0)
    {
        if (OpenDocumentFile(arrArgs[0]) == NULL)
            return FALSE;
        // the main window was kept hidden for the conversation
        if (m_pMainWnd != NULL && !m_pMainWnd->IsWindowVisible())
        {
            int nCmdShow = (int)(UINT_PTR)m_pCmdInfo;
            m_pCmdInfo = NULL;
            m_pMainWnd->ShowWindow(nCmdShow != 0 && nCmdShow != SW_HIDE ? nCmdShow : SW_SHOWNORMAL);
            m_pMainWnd->UpdateWindow();
        }
        return TRUE;
    }
    if (strVerb.CompareNoCase("print") == 0 || strVerb.CompareNoCase("printto") == 0)
    {
        CCommandLineInfo cmdInfo;
        cmdInfo.m_strFileName = arrArgs[0];
        cmdInfo.m_nShellCommand = CCommandLineInfo::FilePrint;
        if (strVerb.CompareNoCase("printto") == 0)
        {
            if (arrArgs.GetSize() < 4)
                return FALSE;
            cmdInfo.m_nShellCommand = CCommandLineInfo::FilePrintTo;
            cmdInfo.m_strPrinterName = arrArgs[1];
            cmdInfo.m_strDriverName = arrArgs[2];
            cmdInfo.m_strPortName = arrArgs[3];
        }
        CDocument* pDoc = OpenDocumentFile(cmdInfo.m_strFileName);
        if (pDoc == NULL)
            return FALSE;
        CCommandLineInfo* pOldInfo = m_pCmdInfo;
        m_pCmdInfo = &cmdInfo;
        if (m_pMainWnd != NULL)
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        m_pCmdInfo = pOldInfo;
        pDoc->OnCloseDocument();
        return TRUE;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Program entry

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
    {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    AfxOleTerm();   // when AfxOleInit ran
}

// The program's entry after the C runtime: initialises, runs the main thread's loop, cleans up.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    int nReturnCode = -1;
    CWinThread* pThread = AfxGetThread();
    CWinApp* pApp = AfxGetApp();
    if (pThread == NULL || pApp == NULL)
        return nReturnCode;

    if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || !pApp->InitApplication())
    {
        AfxWinTerm();
        return nReturnCode;
    }
    if (!pThread->InitInstance())
    {
        if (pThread->m_pMainWnd != NULL)
            pThread->m_pMainWnd->DestroyWindow();
        nReturnCode = pThread->ExitInstance();
    }
    else
    {
        nReturnCode = pThread->Run();
    }
    AfxWinTerm();
    return nReturnCode;
}
