// ExtSoundPlayer.cpp - menu sounds on short-lived worker threads.

#include "stdafx.h"
#include "ExtSoundPlayer.h"
#include <mmsystem.h>

// The player, then the admission event and the launch lock, made in this order at start.
CExtSoundPlayerHolder g_SoundPlayerHolder;
CEvent CExtSoundPlayer::InternalSoundThredadParms_t::g_EventPlaySound(
    TRUE, FALSE, _T("CExtSoundPlayer__InternalSoundThredadParms_t"));
CCriticalSection CExtSoundPlayer::InternalSoundThredadParms_t::g_csPlaySound;
volatile LONG CExtSoundPlayer::InternalSoundThredadParms_t::g_nWorkersStarted = 0;

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
      m_hThread(NULL), m_dwThreadID(0)
{
    ::ZeroMemory(m_sSoundSpecBuffer, sizeof(m_sSoundSpecBuffer));
    if (sSoundSpecBuffer != NULL)
        lstrcpynA(m_sSoundSpecBuffer, sSoundSpecBuffer, BUFFER_SIZE);
}

// Starts the worker when the admission event is signalled; waits until it took the request.
void CExtSoundPlayer::InternalSoundThredadParms_t::PlaySound()
{
    CSingleLock lock(&g_csPlaySound, TRUE);
    if (::WaitForSingleObject(g_EventPlaySound.m_hObject, 0) != WAIT_OBJECT_0)
        return;     // a worker runs: the request is dropped
    InternalSoundEventInitDone_t eventInitDone;
    m_pEventInitDone = &eventInitDone;
    m_hThread = ::CreateThread(NULL, 0, stat_ParallelPlayerProc, this, CREATE_SUSPENDED,
                               &m_dwThreadID);
    if (m_hThread != NULL)
    {
        ::InterlockedIncrement(&g_nWorkersStarted);
        ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
        ::ResumeThread(m_hThread);
        ::WaitForSingleObject(eventInitDone.m_hObject, INFINITE);
        ::CloseHandle(m_hThread);
        m_hThread = NULL;
    }
    else
    {
        g_EventPlaySound.SetEvent();
    }
    m_pEventInitDone = NULL;
}

// The worker: copies the request, releases the launcher, plays, then admits the next one.
DWORD WINAPI CExtSoundPlayer::InternalSoundThredadParms_t::stat_ParallelPlayerProc(
    LPVOID pParameter)
{
    InternalSoundThredadParms_t* pParms = (InternalSoundThredadParms_t*)pParameter;
    TCHAR sSound[BUFFER_SIZE];
    ::ZeroMemory(sSound, sizeof(sSound));
    lstrcpynA(sSound, pParms->m_sSoundSpecBuffer, BUFFER_SIZE);
    HMODULE hModule = pParms->m_hModule;
    DWORD dwFlags = pParms->m_dwPlayerFlags;
    pParms->m_pEventInitDone->SetEvent();
    // from here on the launcher's request may be gone
    if ((dwFlags & SND_ASYNC) != 0)
        ::PlaySoundA(NULL, NULL, SND_PURGE);
    ::PlaySoundA(sSound, hModule, dwFlags);
    g_EventPlaySound.SetEvent();
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// CExtSoundPlayer

CExtSoundPlayer::CExtSoundPlayer()
{
}

CExtSoundPlayer::~CExtSoundPlayer()
{
}

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
