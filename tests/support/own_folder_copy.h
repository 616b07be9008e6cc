// Runs a test program's tests in a copy of it in a new temporary folder of its own,
// for programs whose code reads and writes files beside the program file.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>

namespace testsupport
{

// Deletes a folder with everything in it.
inline void DeleteFolderTree(const std::string& strFolder)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA((strFolder + "\\*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::string strName = fd.cFileName;
            if (strName == "." || strName == "..")
                continue;
            const std::string strPath = strFolder + "\\" + strName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            {
                DeleteFolderTree(strPath);
            }
            else
            {
                ::SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(strPath.c_str());
            }
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(strFolder.c_str());
}

// Starts the copy (named pszName, marked by the environment variable pszCopyVariable),
// waits for it and ends this process with its exit code. Returns false in the copy
// itself and when no copy can be made; the tests then run here.
inline bool RunTestsInCopyOfProgram(const char* pszCopyVariable, const char* pszName)
{
    char szValue[4];
    if (::GetEnvironmentVariableA(pszCopyVariable, szValue, sizeof(szValue)) > 0)
        return false;

    char szTemp[MAX_PATH], szProgram[MAX_PATH];
    if (::GetTempPathA(MAX_PATH, szTemp) == 0 || ::GetModuleFileNameA(NULL, szProgram, MAX_PATH) == 0)
        return false;
    char szFolder[MAX_PATH + 64];
    snprintf(szFolder, sizeof(szFolder), "%s%s_%lu", szTemp, pszName, ::GetCurrentProcessId());
    char szCopy[MAX_PATH + 128];
    snprintf(szCopy, sizeof(szCopy), "%s\\%s.exe", szFolder, pszName);
    if (!::CreateDirectoryA(szFolder, NULL))
        return false;
    if (!::CopyFileA(szProgram, szCopy, FALSE))
    {
        ::RemoveDirectoryA(szFolder);
        return false;
    }

    ::SetEnvironmentVariableA(pszCopyVariable, "1");
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::string strCommand = ::GetCommandLineA();
    DWORD nExitCode = 1;
    const bool bRan = ::CreateProcessA(szCopy, &strCommand[0], NULL, NULL, TRUE, 0, NULL, szFolder,
                                       &si, &pi) != FALSE;
    if (bRan)
    {
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        ::GetExitCodeProcess(pi.hProcess, &nExitCode);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    ::SetEnvironmentVariableA(pszCopyVariable, NULL);
    DeleteFolderTree(szFolder);
    if (!bRan)
        return false;
    fflush(stdout);
    ::ExitProcess(nExitCode);
}

} // namespace testsupport
