// print_memory_probe.h - the process's private memory and GDI objects, sampled once a
// sheet by an element of the printed design (the print tests and the print benchmark).
//
// Wine's GetGuiResources counts no GDI objects; there the entries in use of the process's
// GDI handle table (the PEB's shared handle table) are counted instead, once a new
// brush has been seen to take an entry and to give it back.

#pragma once

#include "model/Elements.h"

#include <windows.h>
#include <winternl.h>
#include <psapi.h>

#include <vector>

namespace printprobe
{

inline SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    return K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters)) ? counters.PagefileUsage : 0;
}

// One entry of Wine's GDI handle table.
struct CGdiHandleEntry
{
    ULONGLONG nObject;
    ULONG nOwner;
    USHORT nUnique;
    BYTE nType;                 // 0: free
    BYTE nFlags;
    ULONGLONG nUserPointer;
};
const int kGdiHandleEntries = 0x10000;
const size_t kPebGdiHandleTable = 0xF8;      // offset in the 64-bit PEB

// The handle table when it behaves as described above, else NULL.
inline const CGdiHandleEntry* GdiHandleTable()
{
    static const CGdiHandleEntry* s_pTable = []() -> const CGdiHandleEntry* {
        typedef LONG(NTAPI * QueryProcess)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
        const QueryProcess pfnQuery = reinterpret_cast<QueryProcess>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
        PROCESS_BASIC_INFORMATION info = {};
        if (pfnQuery == NULL ||
            pfnQuery(::GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), NULL) != 0)
            return NULL;
        const BYTE* pPeb = reinterpret_cast<const BYTE*>(info.PebBaseAddress);
        const CGdiHandleEntry* pTable =
            pPeb != NULL ? *reinterpret_cast<const CGdiHandleEntry* const*>(pPeb + kPebGdiHandleTable) : NULL;
        if (pTable == NULL)
            return NULL;
        HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
        if (hBrush == NULL)
            return NULL;
        const UINT_PTR h = reinterpret_cast<UINT_PTR>(hBrush);
        const CGdiHandleEntry& entry = pTable[h & 0xFFFF];
        const bool bTaken = entry.nType != 0 && entry.nUnique == ((h >> 16) & 0xFFFF);
        ::DeleteObject(hBrush);
        return bTaken && entry.nType == 0 ? pTable : NULL;
    }();
    return s_pTable;
}

// GDI objects of this process; -1 when they cannot be counted.
inline long CountGdiObjects()
{
    const DWORD nCount = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (nCount != 0)
        return (long)nCount;
    const CGdiHandleEntry* pTable = GdiHandleTable();
    if (pTable == NULL)
        return -1;
    long n = 0;
    for (int i = 0; i < kGdiHandleEntries; i++)
    {
        if (pTable[i].nType != 0)
            ++n;
    }
    return n;
}

struct CSample
{
    SIZE_T nPrivateBytes;
    long nGdiObjects;
};

// An element that draws nothing and, on a printing DC, takes a sample at its first
// drawing and then every nEvery drawings (one a sheet when nEvery is the cells of a sheet).
class CSamplingElement : public CRectangle
{
public:
    explicit CSamplingElement(int nEvery) : CRectangle(CPoint(0, 0), CPoint(1, 1)), m_nEvery(nEvery) {}
    void DrawInCellDC(CDC* pDC, int, int, float, float, float, float, int, int) override
    {
        if (pDC == NULL || !pDC->IsPrinting())
            return;
        if (m_nDraws++ % m_nEvery == 0)
            m_samples.push_back(CSample{ PrivateBytes(), CountGdiObjects() });
    }

    int m_nEvery;
    int m_nDraws = 0;
    std::vector<CSample> m_samples;
};

// Growth over the samples from nFirst on: the largest private bytes less those of sample
// nFirst, and the largest GDI object count less the smallest.
struct CGrowth
{
    double dBytes = 0;
    long nGdiObjects = 0;
    bool bCounted = false;      // enough samples, GDI objects countable
};

inline CGrowth GetGrowth(const std::vector<CSample>& samples, size_t nFirst)
{
    CGrowth growth;
    if (samples.size() < nFirst + 2)
        return growth;
    SIZE_T nMaxBytes = samples[nFirst].nPrivateBytes;
    long nMinGdi = samples[nFirst].nGdiObjects, nMaxGdi = nMinGdi;
    for (size_t i = nFirst; i < samples.size(); i++)
    {
        nMaxBytes = samples[i].nPrivateBytes > nMaxBytes ? samples[i].nPrivateBytes : nMaxBytes;
        nMinGdi = samples[i].nGdiObjects < nMinGdi ? samples[i].nGdiObjects : nMinGdi;
        nMaxGdi = samples[i].nGdiObjects > nMaxGdi ? samples[i].nGdiObjects : nMaxGdi;
    }
    growth.dBytes = (double)nMaxBytes - (double)samples[nFirst].nPrivateBytes;
    growth.nGdiObjects = nMaxGdi - nMinGdi;
    growth.bCounted = nMinGdi >= 0;
    return growth;
}

} // namespace printprobe
