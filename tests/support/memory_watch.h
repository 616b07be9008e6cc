// memory_watch.h - the largest growth of the process's private memory while a watch
// lives, sampled by a thread (the large-export test and the export benchmark).

#pragma once

#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <thread>

class CMemoryWatch
{
public:
    CMemoryWatch() : m_nBase(PrivateBytes()), m_nPeak(m_nBase)
    {
        m_thread = std::thread([this]() {
            while (!m_bStop.load())
            {
                Sample();
                ::Sleep(5);
            }
        });
    }
    ~CMemoryWatch() { Stop(); }
    CMemoryWatch(const CMemoryWatch&) = delete;
    CMemoryWatch& operator=(const CMemoryWatch&) = delete;

    void Stop()
    {
        if (m_thread.joinable())
        {
            m_bStop = true;
            m_thread.join();
            Sample();
        }
    }
    double PeakGrowthMB() const
    {
        const SIZE_T nPeak = m_nPeak.load();
        return nPeak > m_nBase ? (double)(nPeak - m_nBase) / (1024.0 * 1024.0) : 0.0;
    }

private:
    static SIZE_T PrivateBytes()
    {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        return K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters)) ? counters.PagefileUsage : 0;
    }
    void Sample()
    {
        const SIZE_T n = PrivateBytes();
        SIZE_T nPeak = m_nPeak.load();
        while (n > nPeak && !m_nPeak.compare_exchange_weak(nPeak, n))
        {
        }
    }
    std::atomic<bool> m_bStop{false};
    SIZE_T m_nBase;
    std::atomic<SIZE_T> m_nPeak;
    std::thread m_thread;
};
