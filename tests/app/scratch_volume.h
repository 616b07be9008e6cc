// scratch_volume.h - volumes of their own for tests of failing writes: a small tmpfs
// (to be filled) or a read-only one, mounted through the Unix shell that Wine starts for
// a Unix program and seen under Wine's drive Z:. Mounting needs root; without it
// IsReady() is false and the tests say they were skipped.
//
// Header only: the application and the export tests both use it.

#pragma once

#include "afx.h"

#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

namespace scratch
{
// Runs a shell command line through /bin/sh and waits for it (Wine gives no process
// handle for a Unix program: the command leaves its status in a file). -1 when it did
// not end within 20 s.
inline int RunUnixShell(const CString& strCommand)
{
    static LONG s_nRun = 0;
    CString strMark;
    strMark.Format("/tmp/stw-shell-%lu-%ld", ::GetCurrentProcessId(), ::InterlockedIncrement(&s_nRun));
    CString strMarkWine = "Z:" + strMark;
    strMarkWine.Replace('/', '\\');
    CString strScript = "(" + strCommand + ") >/dev/null 2>&1; echo $? > " + strMark + ".part; mv " + strMark +
                        ".part " + strMark;
    strScript.Replace("\"", "\\\"");
    CString strLine = "/bin/sh -c \"" + strScript + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA("Z:\\bin\\sh", strLine.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    strLine.ReleaseBuffer();
    if (pi.hProcess != NULL)
        ::CloseHandle(pi.hProcess);
    if (pi.hThread != NULL)
        ::CloseHandle(pi.hThread);
    for (int i = 0; i < 400; i++)
    {
        FILE* pFile = fopen(strMarkWine, "r");
        if (pFile != NULL)
        {
            int nStatus = -1;
            if (fscanf(pFile, "%d", &nStatus) != 1)
                nStatus = -1;
            fclose(pFile);
            ::DeleteFileA(strMarkWine);
            return nStatus;
        }
        ::Sleep(50);
    }
    return -1;
}

// A tmpfs of nKilobytes, read-only when asked; unmounted and removed at the end.
class CScratchVolume
{
public:
    explicit CScratchVolume(int nKilobytes, bool bReadOnly = false)
    {
        static LONG s_nVolume = 0;
        m_strUnix.Format("/tmp/stw-volume-%lu-%ld", ::GetCurrentProcessId(), ::InterlockedIncrement(&s_nVolume));
        CString strOptions;
        strOptions.Format("size=%dk%s", nKilobytes, bReadOnly ? ",ro" : "");
        m_bMounted = RunUnixShell("mkdir -p " + m_strUnix + " && mount -t tmpfs -o " + strOptions + " tmpfs " +
                                  m_strUnix) == 0;
        m_strFolder = "Z:" + m_strUnix;
        m_strFolder.Replace('/', '\\');
        m_bMounted = m_bMounted && ::GetFileAttributesA(m_strFolder) != INVALID_FILE_ATTRIBUTES;
    }
    ~CScratchVolume()
    {
        RunUnixShell("umount -l " + m_strUnix + "; rmdir " + m_strUnix);
    }
    CScratchVolume(const CScratchVolume&) = delete;
    CScratchVolume& operator=(const CScratchVolume&) = delete;

    bool IsReady() const { return m_bMounted; }
    // Wine path of the volume's root folder, without a trailing backslash.
    CString Folder() const { return m_strFolder; }
    CString File(LPCSTR pszName) const { return m_strFolder + "\\" + pszName; }

    // Free bytes as the system reports them.
    ULONGLONG FreeBytes() const
    {
        ULARGE_INTEGER nFree = {};
        ::GetDiskFreeSpaceExA(m_strFolder + "\\", &nFree, NULL, NULL);
        return nFree.QuadPart;
    }
    // Fills the volume with one file until at most nLeave bytes are free.
    bool FillLeaving(ULONGLONG nLeave)
    {
        const HANDLE hFile = ::CreateFileA(File("filler.bin"), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return false;
        static char s_block[4096];
        while (FreeBytes() > nLeave)
        {
            const ULONGLONG nOver = FreeBytes() - nLeave;
            const DWORD nChunk = (DWORD)(nOver < sizeof(s_block) ? nOver : sizeof(s_block));
            DWORD nWritten = 0;
            if (!::WriteFile(hFile, s_block, nChunk, &nWritten, NULL) || nWritten == 0)
                break;
        }
        ::CloseHandle(hFile);
        return FreeBytes() <= nLeave;
    }

private:
    CString m_strUnix;
    CString m_strFolder;
    bool m_bMounted;
};

// The names of the files in a folder in ascending order, each followed by a line break.
inline CString ListFiles(const CString& strFolder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    const HANDLE hFind = ::FindFirstFileA(strFolder + "\\*", &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                names.push_back(fd.cFileName);
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    std::sort(names.begin(), names.end());
    CString strNames;
    for (const std::string& name : names)
        strNames += CString(name.c_str()) + "\n";
    return strNames;
}
} // namespace scratch

#define SKIP_WITHOUT_VOLUME(volume) \
    if (!(volume).IsReady()) \
        GTEST_SKIP() << "no scratch volume (mounting needs root)"
