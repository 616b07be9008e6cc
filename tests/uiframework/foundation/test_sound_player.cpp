// Menu sounds: one worker at a time through the named admission event.

#include "stdafx.h"
#include <gtest/gtest.h>
#include "ExtSoundPlayer.h"

namespace
{

typedef CExtSoundPlayer::InternalSoundThredadParms_t Parms;

// The admission event opened by its name, as another process would see it.
class CAdmissionEvent
{
public:
    CAdmissionEvent()
        : m_hEvent(::OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE,
                                "CExtSoundPlayer__InternalSoundThredadParms_t"))
    {
    }
    ~CAdmissionEvent()
    {
        if (m_hEvent != NULL)
        {
            ::SetEvent(m_hEvent);
            ::CloseHandle(m_hEvent);
        }
    }
    CAdmissionEvent(const CAdmissionEvent&) = delete;
    CAdmissionEvent& operator=(const CAdmissionEvent&) = delete;

    // Takes the admission (as a running worker holds it); FALSE when it stays busy.
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
        // another program's worker may hold the admission for a moment: try again
        LONG nBefore = Parms::g_nWorkersStarted;
        for (int nTry = 0; nTry < 20 && Parms::g_nWorkersStarted == nBefore; nTry++)
        {
            g_SoundPlayerHolder.PlaySound(nSound);
            if (Parms::g_nWorkersStarted == nBefore)
                ::Sleep(50);
        }
        ASSERT_EQ(nBefore + 1, Parms::g_nWorkersStarted) << nSound;
        // the worker signals the event again once PlaySound has returned
        ASSERT_TRUE(event.Take()) << nSound;
        ::SetEvent(event.m_hEvent);
    }
}

TEST(SoundPlayer, RequestsWhileAWorkerRunsAreDropped)
{
    CAdmissionEvent event;
    ASSERT_TRUE(event.m_hEvent != NULL);
    ASSERT_TRUE(event.Take());      // as if a worker played a sound
    const LONG nBefore = Parms::g_nWorkersStarted;
    g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
    g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_POPUP);
    EXPECT_EQ(nBefore, Parms::g_nWorkersStarted);
    // nothing released the admission meanwhile
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, ::WaitForSingleObject(event.m_hEvent, 100));
    // once the worker is done the next request is admitted
    ::SetEvent(event.m_hEvent);
    for (int nTry = 0; nTry < 20 && Parms::g_nWorkersStarted == nBefore; nTry++)
    {
        g_SoundPlayerHolder.PlaySound(CExtSoundPlayer::SOUND_MENU_POPUP);
        if (Parms::g_nWorkersStarted == nBefore)
            ::Sleep(50);
    }
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
