// msgbox.cpp - AfxMessageBox, the application name and CMessageBoxRecorder.

#include "afxwin.h"

#include <deque>

namespace
{

// Guards the active recorder, its data and the application name.
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

CMessageBoxRecorder* g_pActiveRecorder = NULL;
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

/////////////////////////////////////////////////////////////////////////////
// Message boxes

int AFXAPI AfxCallMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType,
                             UINT nIDHelp)
{
    if (lpszText == NULL)
        lpszText = "";
    CString strCaption = lpszCaption != NULL ? lpszCaption : AfxGetAppName();
    {
        CMsgBoxLockGuard lock;
        if (g_pActiveRecorder != NULL)
            return g_pActiveRecorder->Record(hWndOwner, lpszText, strCaption, nType, nIDHelp);
    }
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

/////////////////////////////////////////////////////////////////////////////
// CMessageBoxRecorder

struct CMessageBoxRecorder::CData
{
    std::deque<CCall> calls;        // a deque keeps references to earlier calls valid
    std::deque<int> answers;
};

CMessageBoxRecorder::CMessageBoxRecorder()
    : m_pData(new CData), m_pPrevious(NULL)
{
    CMsgBoxLockGuard lock;
    m_pPrevious = g_pActiveRecorder;
    g_pActiveRecorder = this;
}

// Hands recording back to the previous recorder. Recorders normally end in reverse
// order; one ending early is taken out of the chain.
CMessageBoxRecorder::~CMessageBoxRecorder()
{
    {
        CMsgBoxLockGuard lock;
        if (g_pActiveRecorder == this)
        {
            g_pActiveRecorder = m_pPrevious;
        }
        else
        {
            for (CMessageBoxRecorder* p = g_pActiveRecorder; p != NULL; p = p->m_pPrevious)
            {
                if (p->m_pPrevious == this)
                {
                    p->m_pPrevious = m_pPrevious;
                    break;
                }
            }
        }
    }
    delete m_pData;
}

void CMessageBoxRecorder::AddAnswer(int nResult)
{
    CMsgBoxLockGuard lock;
    m_pData->answers.push_back(nResult);
}

void CMessageBoxRecorder::Reset()
{
    CMsgBoxLockGuard lock;
    m_pData->calls.clear();
    m_pData->answers.clear();
}

int CMessageBoxRecorder::GetCount() const
{
    CMsgBoxLockGuard lock;
    return (int)m_pData->calls.size();
}

const CMessageBoxRecorder::CCall& CMessageBoxRecorder::GetCall(int nIndex) const
{
    CMsgBoxLockGuard lock;
    if (nIndex < 0 || nIndex >= (int)m_pData->calls.size())
        AfxThrowInvalidArgException();
    return m_pData->calls[nIndex];
}

int CMessageBoxRecorder::GetPendingAnswers() const
{
    CMsgBoxLockGuard lock;
    return (int)m_pData->answers.size();
}

// Called with the lock held.
int CMessageBoxRecorder::Record(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType,
                                UINT nIDHelp)
{
    CCall call;
    call.m_strText = lpszText;
    call.m_strCaption = lpszCaption;
    call.m_nType = nType;
    call.m_nIDHelp = nIDHelp;
    call.m_hWndOwner = hWndOwner;
    call.m_nResult = IDOK;
    if (!m_pData->answers.empty())
    {
        call.m_nResult = m_pData->answers.front();
        m_pData->answers.pop_front();
    }
    m_pData->calls.push_back(call);
    return call.m_nResult;
}
