// sound_recorder.h - records what the menu sounds hand to PlaySound instead of playing it.

#pragma once

#include "afxwin.h"
#include <string>
#include <vector>
#include "ExtSoundPlayer.h"

// Installs itself as the player's sound function for its lifetime, and a player in the
// holder that records every request (also those a running worker makes it drop).
class CSoundRecorder
{
public:
    class CRecordingPlayer : public CExtSoundPlayer
    {
    public:
        void PlaySound(int nSoundID) override
        {
            m_arrRequested.push_back(nSoundID);
            CExtSoundPlayer::PlaySound(nSoundID);
        }
        std::vector<int> m_arrRequested;
    };

    struct Played_t
    {
        std::string m_strAlias;     // "" for NULL
        DWORD m_dwFlags;
    };

    CSoundRecorder()
    {
        CExtSoundPlayer::WaitForIdle(2000);
        ::InitializeCriticalSection(&s_cs);
        s_hGate = ::CreateEventA(NULL, TRUE, TRUE, NULL);
        s_played.clear();
        m_pfnSaved = CExtSoundPlayer::g_pfnPlaySound;
        CExtSoundPlayer::g_pfnPlaySound = Record;
        m_pSavedPlayer = g_SoundPlayerHolder.m_pPlayer;
        g_SoundPlayerHolder.m_pPlayer = &m_player;
    }
    ~CSoundRecorder()
    {
        Release();
        g_SoundPlayerHolder.m_pPlayer = m_pSavedPlayer;
        CExtSoundPlayer::WaitForIdle(2000);
        CExtSoundPlayer::g_pfnPlaySound = m_pfnSaved;
        ::CloseHandle(s_hGate);
        s_hGate = NULL;
        ::DeleteCriticalSection(&s_cs);
    }
    CSoundRecorder(const CSoundRecorder&) = delete;
    CSoundRecorder& operator=(const CSoundRecorder&) = delete;

    // While held, a played sound lasts until Release (a long sound).
    void Hold() { ::ResetEvent(s_hGate); }
    void Release() { ::SetEvent(s_hGate); }

    // The sounds played so far, the purges of asynchronous sounds included.
    std::vector<Played_t> Played()
    {
        CExtSoundPlayer::WaitForIdle(2000);
        ::EnterCriticalSection(&s_cs);
        std::vector<Played_t> copy = s_played;
        ::LeaveCriticalSection(&s_cs);
        return copy;
    }
    // Only the sounds themselves.
    std::vector<std::string> Aliases()
    {
        std::vector<std::string> names;
        for (const Played_t& p : Played())
            if (!p.m_strAlias.empty())
                names.push_back(p.m_strAlias);
        return names;
    }

    // The sound ids asked of the player, in order.
    const std::vector<int>& Requested() const { return m_player.m_arrRequested; }

private:
    static BOOL WINAPI Record(LPCSTR pszSound, HMODULE, DWORD dwFlags)
    {
        ::EnterCriticalSection(&s_cs);
        s_played.push_back(Played_t{ pszSound != NULL ? pszSound : "", dwFlags });
        ::LeaveCriticalSection(&s_cs);
        if (pszSound != NULL)
            ::WaitForSingleObject(s_hGate, 5000);
        return TRUE;
    }

    CExtSoundPlayer::PlaySoundFn_t m_pfnSaved;
    CRecordingPlayer m_player;
    CExtSoundPlayer* m_pSavedPlayer;
    static inline CRITICAL_SECTION s_cs;
    static inline HANDLE s_hGate = NULL;
    static inline std::vector<Played_t> s_played;
};
