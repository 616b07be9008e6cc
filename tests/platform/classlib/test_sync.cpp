// Synchronisation objects: events across threads, named events, critical sections, mutexes.

#include "afxwin.h"
#include "afxmt.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{

// A name no other process of the test run uses.
CString UniqueName(LPCSTR lpszBase)
{
    CString strName;
    strName.Format("%s-%lu-%lu", lpszBase, ::GetCurrentProcessId(), ::GetTickCount());
    return strName;
}

} // namespace

TEST(CEventTest, AutoResetEventWakesOneWaiterAcrossThreads)
{
    CEvent start;                                   // auto-reset, not signalled
    CEvent done(FALSE, TRUE);                       // manual reset
    EXPECT_FALSE(start.Lock(0));

    std::atomic<int> nWoken(0);
    std::thread worker([&]() {
        if (start.Lock(5000))
            ++nWoken;
        done.SetEvent();
    });
    ::Sleep(20);
    EXPECT_EQ(0, nWoken.load());                    // still waiting
    EXPECT_TRUE(start.SetEvent());
    EXPECT_TRUE(done.Lock(5000));
    worker.join();
    EXPECT_EQ(1, nWoken.load());

    EXPECT_FALSE(start.Lock(0));                    // the waiter consumed the signal
    EXPECT_TRUE(done.Lock(0));                      // manual reset stays signalled
    EXPECT_TRUE(done.Lock(0));
    EXPECT_TRUE(done.ResetEvent());
    EXPECT_FALSE(done.Lock(0));
}

TEST(CEventTest, InitialStateAndSingleLock)
{
    CEvent signalled(TRUE, TRUE);
    EXPECT_TRUE(signalled.Lock(0));
    EXPECT_TRUE(signalled.Unlock());

    CSingleLock lock(&signalled);
    EXPECT_FALSE(lock.IsLocked());
    EXPECT_TRUE(lock.Lock(0));
    EXPECT_TRUE(lock.IsLocked());
    EXPECT_TRUE(lock.Unlock());
    EXPECT_FALSE(lock.IsLocked());

    CEvent idle;
    CSingleLock lockIdle(&idle);
    EXPECT_FALSE(lockIdle.Lock(10));
    EXPECT_FALSE(lockIdle.IsLocked());
}

TEST(CEventTest, NamedEventOpenedTwiceIsOneKernelObject)
{
    CString strName = UniqueName("StickwellTestEvent");
    CEvent first(FALSE, TRUE, strName);
    CEvent second(FALSE, TRUE, strName);
    ASSERT_TRUE(first.m_hObject != NULL);
    ASSERT_TRUE(second.m_hObject != NULL);
    EXPECT_NE(first.m_hObject, second.m_hObject);

    EXPECT_FALSE(second.Lock(0));
    first.SetEvent();
    EXPECT_TRUE(second.Lock(0));
    second.ResetEvent();
    EXPECT_FALSE(first.Lock(0));

    // Signalled from another thread through the other object.
    std::thread worker([&]() { second.SetEvent(); });
    EXPECT_TRUE(first.Lock(5000));
    worker.join();

    CEvent unrelated(FALSE, TRUE, UniqueName("StickwellOtherEvent"));
    EXPECT_FALSE(unrelated.Lock(0));
}

TEST(CCriticalSectionTest, KeepsThreadsOutOfEachOther)
{
    CCriticalSection section;
    int nCounter = 0;                               // unprotected but for the lock
    std::atomic<int> nInside(0);
    std::atomic<int> nMaxInside(0);
    const int kThreads = 4;
    const int kRounds = 2000;

    CEvent gate(FALSE, TRUE);                       // lets all threads start together
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back([&]() {
            gate.Lock(5000);
            for (int i = 0; i < kRounds; ++i)
            {
                CSingleLock lock(&section, TRUE);
                int nNow = ++nInside;
                if (nNow > nMaxInside)
                    nMaxInside = nNow;
                int nValue = nCounter;
                if (i % 4 == 0)
                    ::SwitchToThread();             // invite a race
                nCounter = nValue + 1;
                --nInside;
            }
        });
    }
    gate.SetEvent();
    for (size_t t = 0; t < threads.size(); ++t)
        threads[t].join();

    EXPECT_EQ(kThreads * kRounds, nCounter);
    EXPECT_EQ(1, nMaxInside.load());
}

TEST(CCriticalSectionTest, TimedLockFailsWhileAnotherThreadHoldsIt)
{
    CCriticalSection section;
    CEvent taken(FALSE, TRUE), release(FALSE, TRUE);
    std::thread holder([&]() {
        section.Lock();
        taken.SetEvent();
        release.Lock(5000);
        section.Unlock();
    });
    ASSERT_TRUE(taken.Lock(5000));
    EXPECT_FALSE(section.Lock(0));
    EXPECT_FALSE(section.Lock(30));
    release.SetEvent();
    holder.join();

    EXPECT_TRUE(section.Lock(30));
    EXPECT_TRUE(section.Lock(0));                   // recursive for the owner
    section.Unlock();
    section.Unlock();

    // A scoped lock gives the section back when it ends.
    {
        CSingleLock lock(&section, TRUE);
        EXPECT_TRUE(lock.IsLocked());
    }
    bool bFree = false;
    std::thread probe([&]() {
        bFree = section.Lock(0) != FALSE;
        if (bFree)
            section.Unlock();
    });
    probe.join();
    EXPECT_TRUE(bFree);
}

TEST(CMutexTest, OwnershipAndNamedSharing)
{
    CString strName = UniqueName("StickwellTestMutex");
    CMutex mutex(TRUE, strName);                    // owned by this thread
    CMutex sameMutex(FALSE, strName);

    bool bAcquired = true;
    std::thread other([&]() { bAcquired = sameMutex.Lock(0) != FALSE; });
    other.join();
    EXPECT_FALSE(bAcquired);

    EXPECT_TRUE(mutex.Unlock());
    std::thread again([&]() {
        bAcquired = sameMutex.Lock(0) != FALSE;
        if (bAcquired)
            sameMutex.Unlock();
    });
    again.join();
    EXPECT_TRUE(bAcquired);
    EXPECT_FALSE(mutex.Unlock());                   // not owned any more
}

TEST(CSyncObjectTest, RuntimeClassesAndNullObjects)
{
    CCriticalSection section;
    CEvent event;
    EXPECT_TRUE(section.IsKindOf(RUNTIME_CLASS(CSyncObject)));
    EXPECT_TRUE(event.IsKindOf(RUNTIME_CLASS(CSyncObject)));
    EXPECT_FALSE(event.IsKindOf(RUNTIME_CLASS(CCriticalSection)));
    EXPECT_TRUE(section.m_hObject == NULL);

    CSingleLock nothing(NULL);
    EXPECT_FALSE(nothing.Lock(0));
    EXPECT_TRUE(nothing.Unlock());
}
