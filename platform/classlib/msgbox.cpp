// msgbox.cpp - AfxMessageBox, the application name and the message-box hook.

#include "afxwin.h"

namespace
{

// Guards the hook, the owner procedure and the application name.
CRITICAL_SECTION* MsgBoxLock()
{
    static CRITICAL_SECTION* s_pLock = []() {
        CRITICAL_SECTION* pLock = new CRITICAL_SECTION;
        ::InitializeCriticalSection(pLock);
        return pLock;
    }();
    return s_pLock;
}

class CMsgBoxLockGuard
{
public:
    CMsgBoxLockGuard() { ::EnterCriticalSection(MsgBoxLock()); }
    ~CMsgBoxLockGuard() { ::LeaveCriticalSection(MsgBoxLock()); }
    CMsgBoxLockGuard(const CMsgBoxLockGuard&) = delete;
    CMsgBoxLockGuard& operator=(const CMsgBoxLockGuard&) = delete;
};

AFX_MSGBOX_HOOK g_pfnHook = NULL;
AFX_MSGBOX_OWNER_PROC g_pfnOwner = NULL;

char g_szAppName[MAX_PATH] = "";

// The executable's file name without folder and extension.
void LoadModuleName(char* pszName, size_t nSize)
{
    char szPath[MAX_PATH] = "";
    DWORD nLength = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        szPath[0] = '\0';
    const char* pszStart = szPath;
    for (const char* p = szPath; *p != '\0'; p = ::CharNextA(p))
    {
        if (*p == '\\' || *p == '/' || *p == ':')
            pszStart = p + 1;
    }
    lstrcpynA(pszName, pszStart, (int)nSize);
    char* pszDot = strrchr(pszName, '.');
    if (pszDot != NULL && pszDot != pszName)
        *pszDot = '\0';
}

HWND DefaultOwner()
{
    return ::GetActiveWindow();
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Application name and owner

LPCTSTR AFXAPI AfxGetAppName()
{
    CMsgBoxLockGuard lock;
    if (g_szAppName[0] == '\0')
        LoadModuleName(g_szAppName, sizeof(g_szAppName));
    return g_szAppName;
}

void AFXAPI AfxSetAppName(LPCTSTR lpszAppName)
{
    CMsgBoxLockGuard lock;
    if (lpszAppName == NULL || *lpszAppName == '\0')
        LoadModuleName(g_szAppName, sizeof(g_szAppName));
    else
        lstrcpynA(g_szAppName, lpszAppName, sizeof(g_szAppName));
}

AFX_MSGBOX_OWNER_PROC AFXAPI AfxSetMessageBoxOwnerProc(AFX_MSGBOX_OWNER_PROC pfnOwner)
{
    CMsgBoxLockGuard lock;
    AFX_MSGBOX_OWNER_PROC pfnPrevious = g_pfnOwner;
    g_pfnOwner = pfnOwner;
    return pfnPrevious;
}

AFX_MSGBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook)
{
    CMsgBoxLockGuard lock;
    AFX_MSGBOX_HOOK pfnPrevious = g_pfnHook;
    g_pfnHook = pfnHook;
    return pfnPrevious;
}

/////////////////////////////////////////////////////////////////////////////
// Message boxes

int AFXAPI AfxCallMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType,
                             UINT nIDHelp)
{
    if (lpszText == NULL)
        lpszText = "";
    CString strCaption = lpszCaption != NULL ? lpszCaption : AfxGetAppName();
    AFX_MSGBOX_HOOK pfnHook;
    {
        CMsgBoxLockGuard lock;
        pfnHook = g_pfnHook;
    }
    if (pfnHook != NULL)
        return pfnHook(hWndOwner, lpszText, strCaption, nType, nIDHelp);
    return ::MessageBoxA(hWndOwner, lpszText, strCaption, nType);
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    AFX_MSGBOX_OWNER_PROC pfnOwner;
    {
        CMsgBoxLockGuard lock;
        pfnOwner = g_pfnOwner != NULL ? g_pfnOwner : &DefaultOwner;
    }
    return AfxCallMessageBox(pfnOwner(), lpszText, NULL, nType, nIDHelp);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    // The program's string table first, then the class library's own texts.
    CString strText;
    AfxLoadString(nIDPrompt, strText);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(strText, nType, nIDHelp);
}
