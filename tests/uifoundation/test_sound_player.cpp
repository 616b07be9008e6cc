// Menu sounds: one worker at a time through the admission event; what reaches PlaySound.

#include "stdafx.h"
#include <gtest/gtest.h>
#include "sound_recorder.h"

namespace
{

typedef CExtSoundPlayer::InternalSoundThredadParms_t Parms;

// The admission event, taken as a running worker holds it.
class CAdmissionEvent
{
public:
    CAdmissionEvent() : m_hEvent(Parms::g_EventPlaySound.m_hObject) {}
    ~CAdmissionEvent() { ::SetEvent(m_hEvent); }
    CAdmissionEvent(const CAdmissionEvent&) = delete;
    CAdmissionEvent& operator=(const CAdmissionEvent&) = delete;

    // Takes the admission; FALSE when it stays busy.
    bool Take(DWORD nTimeout = 2000)
    {
        return ::WaitForSingleObject(m_hEvent, nTimeout) == WAIT_OBJECT_0;
    }

    HANDLE m_hEvent;
};

} // namespace

TEST(SoundPlayer, HolderPlayerIsCreatable)
{
    ASSERT_TRUE(g_SoundPlayerHolder.GetPlayer() != NULL);
    EXPECT_TRUE(g_SoundPlayerHolder.GetPlayer()->IsKindOf(RUNTIME_CLASS(CExtSoundPlayer)));
    CObject* pObject = RUNTIME_CLASS(CExtSoundPlayer)->CreateObject();
    ASSERT_TRUE(pObject != NULL);
    delete pObject;
}

TEST(SoundPlayer, UnknownSoundsStartNoWorker)
{
    const LONG nBefore = Parms::g_nWorkersStarted;
    g_SoundPlayerHolder.PlaySound(0);
    g_SoundPlayerHolder.PlaySound(4);
    g_SoundPlayerHolder.PlaySound(-1);
    EXPECT_EQ(nBefore, Parms::g_nWorkersStarted);
}

TEST(SoundPlayer, AWorkerReleasesTheAdmissionWhenDone)
{
    CAdmissionEvent event;
    ASSERT_TRUE(event.m_hEvent != NULL);
    for (int nSound : { (int)CExtSoundPlayer::SOUND_MENU_COMMAND,
                        (int)CExtSoundPlayer::SOUND_MENU_POPUP })
    {
        ASSERT_TRUE(CExtSoundPlayer::WaitForIdle(2000));
        LONG nBefore = Parms::g_nWorkersStarted;
        g_SoundPlayerHolder.PlaySound(nSound);
        ASSERT_EQ(nBefore + 1, Parms::g_nWorkersStarted) << nSound;
        // the worker signals the event again once PlaySound has returned
        ASSERT_TRUE(event.Take()) << nSound;
        ::SetEvent(event.m_hEvent);
    }
}

TEST(SoundPlayer, RequestsWhileAWorkerRunsAreDropped)
{
    ASSERT_TRUE(CExtSoundPlayer::WaitForIdle(2000));
    CAdmissionEvent event;
    ASSERT_TRUE(event.Take());      // as if a worker played a sound
    const LONG nBefore = Parms::g_nWorkersStarted;
    g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
    g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_POPUP);
    EXPECT_EQ(nBefore, Parms::g_nWorkersStarted);
    // nothing released the admission meanwhile
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, ::WaitForSingleObject(event.m_hEvent, 100));
    // once the worker is done the next request is admitted
    ::SetEvent(event.m_hEvent);
    g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_POPUP);
    EXPECT_EQ(nBefore + 1, Parms::g_nWorkersStarted);
    EXPECT_TRUE(event.Take());
}

TEST(SoundPlayer, RequestBufferKeepsAtMost1023Characters)
{
    CString strLong('x', 2000);
    Parms request(strLong, NULL, 0);
    EXPECT_EQ(1023, (int)strlen(request.m_sSoundSpecBuffer));
    EXPECT_EQ(0, request.m_sSoundSpecBuffer[1023]);
    Parms empty(NULL, NULL, 0);
    EXPECT_EQ(0, empty.m_sSoundSpecBuffer[0]);
}

TEST(SoundPlayer, TheAdmissionEventIsPrivateToTheProcess)
{
    // another program can neither open it nor hold our sounds back through it
    HANDLE h = ::OpenEventA(SYNCHRONIZE, FALSE, "CExtSoundPlayer__InternalSoundThredadParms_t");
    EXPECT_TRUE(h == NULL);
    if (h != NULL)
        ::CloseHandle(h);
}

TEST(SoundPlayer, AliasesAndFlagsReachPlaySound)
{
    CSoundRecorder recorder;
    g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_POPUP);
    ASSERT_TRUE(CExtSoundPlayer::WaitForIdle(2000));
    g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
    ASSERT_TRUE(CExtSoundPlayer::WaitForIdle(2000));
    // an asynchronous sound first stops the one playing
    std::vector<CSoundRecorder::Played_t> played = recorder.Played();
    ASSERT_EQ(3u, played.size());
    EXPECT_EQ("", played[0].m_strAlias);
    EXPECT_EQ((DWORD)SND_PURGE, played[0].m_dwFlags);
    EXPECT_EQ("MenuPopup", played[1].m_strAlias);
    EXPECT_EQ(0x12003u, played[1].m_dwFlags);
    EXPECT_EQ("MenuCommand", played[2].m_strAlias);
    EXPECT_EQ(0x12002u, played[2].m_dwFlags);
}

TEST(SoundPlayer, WaitsForAPlayingWorkerAreBounded)
{
    CSoundRecorder recorder;
    recorder.Hold();
    const DWORD nStart = ::GetTickCount();
    g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
    // the launcher returns once the worker started, while the sound still plays
    EXPECT_LT(::GetTickCount() - nStart, 1000u);
    EXPECT_FALSE(CExtSoundPlayer::WaitForIdle(100));
    // a second request meanwhile is dropped
    g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_POPUP);
    recorder.Release();
    EXPECT_TRUE(CExtSoundPlayer::WaitForIdle(2000));
    ASSERT_EQ(1u, recorder.Played().size());
    EXPECT_EQ("MenuCommand", recorder.Played()[0].m_strAlias);
}
