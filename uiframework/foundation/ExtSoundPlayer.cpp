// ExtSoundPlayer.cpp - menu sounds on short-lived worker threads.

#include "stdafx.h"
#include "ExtSoundPlayer.h"
#include <mmsystem.h>

// The player, then the admission event and the launch lock, made in this order at start.
CExtSoundPlayerHolder g_SoundPlayerHolder;
// The admission event has no name: another process cannot hold our sounds back.
CEvent CExtSoundPlayer::InternalSoundThredadParms_t::g_EventPlaySound(TRUE, FALSE, NULL);
CCriticalSection CExtSoundPlayer::InternalSoundThredadParms_t::g_csPlaySound;
volatile LONG CExtSoundPlayer::InternalSoundThredadParms_t::g_nWorkersStarted = 0;
HANDLE CExtSoundPlayer::InternalSoundThredadParms_t::g_hLastWorker = NULL;
CExtSoundPlayer::PlaySoundFn_t CExtSoundPlayer::g_pfnPlaySound = ::PlaySoundA;

namespace
{

// Made after the event and the lock, so destroyed before them: at process end a worker
// still playing is waited for (bounded) before the event it signals goes away.
struct CSoundWorkerExitWait
{
    ~CSoundWorkerExitWait()
    {
        typedef CExtSoundPlayer::InternalSoundThredadParms_t Parms;
        if (!CExtSoundPlayer::WaitForIdle(CExtSoundPlayer::EXIT_WAIT))
        {
            // the worker may still signal the event: keep its handle open
            Parms::g_EventPlaySound.m_hObject = NULL;
            return;
        }
        if (Parms::g_hLastWorker != NULL)
        {
            ::CloseHandle(Parms::g_hLastWorker);
            Parms::g_hLastWorker = NULL;
        }
    }
} g_soundWorkerExitWait;

} // namespace

IMPLEMENT_DYNCREATE(CExtSoundPlayer, CObject)

/////////////////////////////////////////////////////////////////////////////
// CExtSoundPlayerHolder

CExtSoundPlayerHolder::CExtSoundPlayerHolder()
    : m_pPlayer(new CExtSoundPlayer)
{
}

CExtSoundPlayerHolder::~CExtSoundPlayerHolder()
{
    delete m_pPlayer;
    m_pPlayer = NULL;
}

/////////////////////////////////////////////////////////////////////////////
// InternalSoundThredadParms_t

CExtSoundPlayer::InternalSoundThredadParms_t::InternalSoundThredadParms_t(
    LPCTSTR sSoundSpecBuffer, HMODULE hModule, DWORD dwPlayerFlags)
    : m_pEventInitDone(NULL), m_hModule(hModule), m_dwPlayerFlags(dwPlayerFlags),
      m_hThread(NULL), m_dwThreadID(0), m_hInitDone(NULL)
{
    ::ZeroMemory(m_sSoundSpecBuffer, sizeof(m_sSoundSpecBuffer));
    if (sSoundSpecBuffer != NULL)
        lstrcpynA(m_sSoundSpecBuffer, sSoundSpecBuffer, BUFFER_SIZE);
}

// Starts the worker when the admission event is signalled; waits (bounded) until it has
// started. The worker works on its own copy of the request.
void CExtSoundPlayer::InternalSoundThredadParms_t::PlaySound()
{
    CSingleLock lock(&g_csPlaySound, TRUE);
    if (::WaitForSingleObject(g_EventPlaySound.m_hObject, 0) != WAIT_OBJECT_0)
        return;     // a worker runs: the request is dropped
    InternalSoundEventInitDone_t eventInitDone;
    InternalSoundThredadParms_t* pCopy = new InternalSoundThredadParms_t(*this);
    pCopy->m_pEventInitDone = NULL;
    // the worker sets its own handle of the start-up event, which outlives a launcher that
    // stopped waiting
    HANDLE hInitDone = NULL;
    ::DuplicateHandle(::GetCurrentProcess(), eventInitDone.m_hObject, ::GetCurrentProcess(),
                      &hInitDone, 0, FALSE, DUPLICATE_SAME_ACCESS);
    pCopy->m_hInitDone = hInitDone;
    m_pEventInitDone = &eventInitDone;
    m_hThread = ::CreateThread(NULL, 0, stat_ParallelPlayerProc, pCopy, CREATE_SUSPENDED,
                               &m_dwThreadID);
    if (m_hThread != NULL)
    {
        ::InterlockedIncrement(&g_nWorkersStarted);
        ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
        if (g_hLastWorker != NULL)
            ::CloseHandle(g_hLastWorker);
        g_hLastWorker = m_hThread;
        ::ResumeThread(m_hThread);
        ::WaitForSingleObject(eventInitDone.m_hObject, STARTUP_WAIT);
        m_hThread = NULL;
    }
    else
    {
        if (hInitDone != NULL)
            ::CloseHandle(hInitDone);
        delete pCopy;
        g_EventPlaySound.SetEvent();
    }
    m_pEventInitDone = NULL;
}

// The worker: takes its request, tells the launcher, plays, then admits the next one.
DWORD WINAPI CExtSoundPlayer::InternalSoundThredadParms_t::stat_ParallelPlayerProc(
    LPVOID pParameter)
{
    InternalSoundThredadParms_t* pParms = (InternalSoundThredadParms_t*)pParameter;
    TCHAR sSound[BUFFER_SIZE];
    ::ZeroMemory(sSound, sizeof(sSound));
    lstrcpynA(sSound, pParms->m_sSoundSpecBuffer, BUFFER_SIZE);
    HMODULE hModule = pParms->m_hModule;
    DWORD dwFlags = pParms->m_dwPlayerFlags;
    HANDLE hInitDone = pParms->m_hInitDone;
    delete pParms;
    if (hInitDone != NULL)
    {
        ::SetEvent(hInitDone);
        ::CloseHandle(hInitDone);
    }
    PlaySoundFn_t pfnPlay = g_pfnPlaySound;
    if (pfnPlay != NULL)
    {
        if ((dwFlags & SND_ASYNC) != 0)
            pfnPlay(NULL, NULL, SND_PURGE);
        pfnPlay(sSound, hModule, dwFlags);
    }
    g_EventPlaySound.SetEvent();
    return 0;
}

bool CExtSoundPlayer::WaitForIdle(DWORD nTimeout)
{
    typedef InternalSoundThredadParms_t Parms;
    CSingleLock lock(&Parms::g_csPlaySound, TRUE);
    if (Parms::g_hLastWorker == NULL)
        return true;
    return ::WaitForSingleObject(Parms::g_hLastWorker, nTimeout) == WAIT_OBJECT_0;
}

/////////////////////////////////////////////////////////////////////////////
// CExtSoundPlayer

CExtSoundPlayer::CExtSoundPlayer()
{
}

CExtSoundPlayer::~CExtSoundPlayer()
{
}

// Plays the system sound of a menu event (popup, command, ...); unknown ids play nothing.
void CExtSoundPlayer::PlaySound(int nSoundID)
{
    LPCTSTR sAlias = NULL;
    DWORD dwFlags = 0;
    switch (nSoundID)
    {
    case SOUND_MENU_EXPANDED:
    case SOUND_MENU_POPUP:
        sAlias = _T("MenuPopup");
        dwFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
        break;
    case SOUND_MENU_COMMAND:
        sAlias = _T("MenuCommand");
        dwFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;
        break;
    default:
        return;
    }
    InternalSoundThredadParms_t request(sAlias, NULL, dwFlags);
    request.PlaySound();
}
