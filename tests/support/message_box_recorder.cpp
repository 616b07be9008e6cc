// message_box_recorder.cpp - CMessageBoxRecorder.

#include "message_box_recorder.h"

#include <deque>

namespace
{

// Guards the active recorder and its data.
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

} // namespace

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
    AfxSetMessageBoxHook(Hook);
}

int AFXAPI CMessageBoxRecorder::Hook(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption,
                                     UINT nType, UINT nIDHelp)
{
    {
        CMsgBoxLockGuard lock;
        if (g_pActiveRecorder != NULL)
            return g_pActiveRecorder->Record(hWndOwner, lpszText, lpszCaption, nType, nIDHelp);
    }
    return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
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
            if (g_pActiveRecorder == NULL)
                AfxSetMessageBoxHook(NULL);
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
