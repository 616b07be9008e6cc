// resource_watch.h - time and memory taken by a piece of work, measured by a thread that
// samples the process's private memory while the work runs.

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
        m_dwStart = GetTickCount();
        m_thread = std::thread([this]() {
            while (!m_bStop.load())
            {
                Sample();
                Sleep(2);
            }
        });
    }
    ~CResourceWatch() { Stop(); }

    // Ends the watch; the figures below stay.
    void Stop()
    {
        if (m_thread.joinable())
        {
            m_bStop = true;
            m_thread.join();
            Sample();
            m_dwElapsed = GetTickCount() - m_dwStart;
        }
    }
    DWORD ElapsedMs()
    {
        return m_thread.joinable() ? GetTickCount() - m_dwStart : m_dwElapsed;
    }
    // Largest growth of private memory seen since the start, in megabytes.
    SIZE_T PeakGrowthMB() const
    {
        const SIZE_T nPeak = m_nPeak.load();
        return nPeak > m_nBase ? (nPeak - m_nBase) / (1024 * 1024) : 0;
    }

private:
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
    DWORD m_dwStart = 0;
    DWORD m_dwElapsed = 0;
    std::thread m_thread;
};
