// ExtSoundPlayer.h - the menu sounds of the UI framework.
//
// Declares CExtSoundPlayer with its request record and start-up event, and the holder
// CExtSoundPlayerHolder with its process-wide object g_SoundPlayerHolder.
//
// Notes
// - Each sound plays on a short-lived worker thread; at most one worker runs at a time.
//   Admission goes through an auto-reset event private to the process: signalled means no
//   worker runs. A request that finds it reset is dropped.
// - The worker gets its own copy of the request; the launcher waits a bounded time until
//   the worker has started.
// - The event, the lock and the player are static objects made at start and destroyed at
//   process exit; a worker still playing then is waited for, a bounded time.
// - g_pfnPlaySound is the platform's PlaySound; tests put a recorder in its place.

#pragma once

#include "afxwin.h"
#include "afxmt.h"

// CExtSoundPlayer plays the system sounds of popup menus.
class CExtSoundPlayer : public CObject
{
    DECLARE_DYNCREATE(CExtSoundPlayer)

public:
    // Sound ids of PlaySound.
    enum e_Sound_t
    {
        SOUND_NONE = 0,
        SOUND_MENU_EXPANDED = 1,        // "MenuPopup", asynchronous
        SOUND_MENU_POPUP = 2,           // "MenuPopup", asynchronous
        SOUND_MENU_COMMAND = 3,         // "MenuCommand", synchronous inside the worker
    };

    // The start-up event: set by the worker once it has copied the request.
    class InternalSoundEventInitDone_t : public CEvent
    {
    public:
        InternalSoundEventInitDone_t() : CEvent(FALSE, TRUE) {}
    };

    // One sound request, built on the launcher's stack.
    struct InternalSoundThredadParms_t
    {
        enum { BUFFER_SIZE = 1024 };

        InternalSoundEventInitDone_t* m_pEventInitDone;    // the launcher's, not owned
        TCHAR m_sSoundSpecBuffer[BUFFER_SIZE];              // zero-filled, at most 1023 used
        HMODULE m_hModule;                                  // for ::PlaySound, NULL here
        DWORD m_dwPlayerFlags;                              // ::PlaySound flags
        HANDLE m_hThread;
        DWORD m_dwThreadID;
        HANDLE m_hInitDone;     // the worker's own handle of the start-up event (its copy)

        InternalSoundThredadParms_t(LPCTSTR sSoundSpecBuffer, HMODULE hModule,
                                    DWORD dwPlayerFlags);

        // Starts a worker for this request when none runs; drops it otherwise.
        void PlaySound();

        static DWORD WINAPI stat_ParallelPlayerProc(LPVOID pParameter);

        static CEvent g_EventPlaySound;         // admission, initially signalled
        static CCriticalSection g_csPlaySound;  // one launcher at a time
        static volatile LONG g_nWorkersStarted; // number of workers started so far
        static HANDLE g_hLastWorker;            // the last worker started (owned), or NULL
    };

    enum
    {
        STARTUP_WAIT = 2000,                    // ms a launcher waits for its worker
        EXIT_WAIT = 3000,                       // ms the process end waits for a worker
    };

    // The sound function the workers call (the platform's PlaySound by default).
    typedef BOOL (WINAPI* PlaySoundFn_t)(LPCSTR pszSound, HMODULE hModule, DWORD dwFlags);
    static PlaySoundFn_t g_pfnPlaySound;

    // Waits up to nTimeout ms until no worker runs; FALSE when one still does.
    static bool WaitForIdle(DWORD nTimeout);

    CExtSoundPlayer();
    virtual ~CExtSoundPlayer();

    // Plays sound nSoundID (e_Sound_t); other ids do nothing.
    virtual void PlaySound(int nSoundID);
};

// Owner of the process-wide sound player.
class CExtSoundPlayerHolder
{
public:
    CExtSoundPlayerHolder();
    ~CExtSoundPlayerHolder();
    CExtSoundPlayerHolder(const CExtSoundPlayerHolder&) = delete;
    CExtSoundPlayerHolder& operator=(const CExtSoundPlayerHolder&) = delete;

    CExtSoundPlayer* GetPlayer() { return m_pPlayer; }
    // Plays through the player while one is installed.
    void PlaySound(int nSoundID)
    {
        if (m_pPlayer != NULL)
            m_pPlayer->PlaySound(nSoundID);
    }

    CExtSoundPlayer* m_pPlayer;     // owned; NULL after exit
};

extern CExtSoundPlayerHolder g_SoundPlayerHolder;
