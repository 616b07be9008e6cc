// resource_watch.h - time and memory taken by a piece of work: the processor time of the
// thread that does it (so a loaded machine does not make it look slow; a hang still
// spins the processor), and the process's private memory, sampled by a thread of its
// own while the work runs.

#pragma once

#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <thread>

class CResourceWatch
{
public:
    CResourceWatch() : m_bStop(false), m_nBase(PrivateBytes()), m_nPeak(m_nBase)
    {
        ::DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(),
                          &m_hWorker, THREAD_QUERY_INFORMATION, FALSE, 0);
        m_dwStart = WorkerMs();
        m_thread = std::thread([this]() {
            while (!m_bStop.load())
            {
                Sample();
                Sleep(2);
            }
        });
    }
    ~CResourceWatch()
    {
        Stop();
        if (m_hWorker != NULL)
            ::CloseHandle(m_hWorker);
    }

    // Ends the watch; the figures below stay.
    void Stop()
    {
        if (m_thread.joinable())
        {
            m_bStop = true;
            m_thread.join();
            Sample();
            m_dwElapsed = WorkerMs() - m_dwStart;
        }
    }
    DWORD ElapsedMs()
    {
        return m_thread.joinable() ? WorkerMs() - m_dwStart : m_dwElapsed;
    }
    // Largest growth of private memory seen since the start, in megabytes.
    SIZE_T PeakGrowthMB() const
    {
        const SIZE_T nPeak = m_nPeak.load();
        return nPeak > m_nBase ? (nPeak - m_nBase) / (1024 * 1024) : 0;
    }

private:
    // Processor time of the watched thread in milliseconds (wall time where the system
    // keeps none).
    DWORD WorkerMs() const
    {
        FILETIME ftCreate, ftExit, ftKernel, ftUser;
        if (m_hWorker == NULL || !::GetThreadTimes(m_hWorker, &ftCreate, &ftExit, &ftKernel, &ftUser))
            return GetTickCount();
        ULARGE_INTEGER k, u;
        k.LowPart = ftKernel.dwLowDateTime;
        k.HighPart = ftKernel.dwHighDateTime;
        u.LowPart = ftUser.dwLowDateTime;
        u.HighPart = ftUser.dwHighDateTime;
        return (DWORD)((k.QuadPart + u.QuadPart) / 10000);
    }
    static SIZE_T PrivateBytes()
    {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
            return 0;
        return counters.PagefileUsage;
    }
    void Sample()
    {
        const SIZE_T n = PrivateBytes();
        SIZE_T nPeak = m_nPeak.load();
        while (n > nPeak && !m_nPeak.compare_exchange_weak(nPeak, n))
        {
        }
    }

    std::atomic<bool> m_bStop;
    SIZE_T m_nBase;
    std::atomic<SIZE_T> m_nPeak;
    HANDLE m_hWorker = NULL;
    DWORD m_dwStart = 0;
    DWORD m_dwElapsed = 0;
    std::thread m_thread;
};
