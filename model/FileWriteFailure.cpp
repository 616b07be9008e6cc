// FileWriteFailure.cpp - the cause of a failed file write.

#include "FileWriteFailure.h"

namespace
{
// The folder of a full path, with its trailing backslash ("C:\" for a root file).
CString FolderOfFullPath(const CString& strFullPath)
{
    const int nSlash = strFullPath.ReverseFind('\\');
    return nSlash < 0 ? CString() : strFullPath.Left(nSlash + 1);
}

// The first refusal of the system for strFullPath; NO_ERROR when there is none.
DWORD ProbeWriteTarget(const CString& strFullPath, ULONGLONG nBytesNeeded)
{
    const CString strFolder = FolderOfFullPath(strFullPath);
    if (strFolder.IsEmpty())
        return ERROR_BAD_PATHNAME;
    const DWORD dwFolder = ::GetFileAttributesA(strFolder);
    if (dwFolder == INVALID_FILE_ATTRIBUTES || (dwFolder & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return ERROR_PATH_NOT_FOUND;

    const DWORD dwTarget = ::GetFileAttributesA(strFullPath);
    if (dwTarget != INVALID_FILE_ATTRIBUTES)
    {
        if ((dwTarget & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
            return ERROR_ACCESS_DENIED;
        // opened as a replacing writer would: another program's share mode refuses it
        const HANDLE hTarget = ::CreateFileA(strFullPath, GENERIC_WRITE | DELETE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hTarget == INVALID_HANDLE_VALUE)
            return ::GetLastError();
        ::CloseHandle(hTarget);
    }

    // a new file of our own in the folder, gone again when closed
    for (UINT nTry = 0;; nTry++)
    {
        CString strProbe;
        strProbe.Format("%s~sw%04lX%04X.tmp", (LPCSTR)strFolder, (unsigned long)(::GetCurrentProcessId() & 0xFFFF),
                        (UINT)((::GetTickCount() + nTry) & 0xFFFF));
        const HANDLE hProbe = ::CreateFileA(strProbe, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
        if (hProbe != INVALID_HANDLE_VALUE)
        {
            ::CloseHandle(hProbe);
            break;
        }
        const DWORD dwError = ::GetLastError();
        if ((dwError != ERROR_FILE_EXISTS && dwError != ERROR_ALREADY_EXISTS) || nTry >= 16)
            return dwError;
    }

    ULARGE_INTEGER nFree;
    if (::GetDiskFreeSpaceExA(strFolder, &nFree, NULL, NULL) &&
        nFree.QuadPart < (nBytesNeeded > 0 ? nBytesNeeded : 1))
        return ERROR_DISK_FULL;
    return NO_ERROR;
}
}

CString GetFileErrorText(const CString& strFile, DWORD dwOsError)
{
    CFileException e(CFileException::OsErrorToException((LONG)dwOsError), (LONG)dwOsError, strFile);
    char szMessage[512];
    if (!e.GetErrorMessage(szMessage, sizeof(szMessage)))
        return CString();
    return szMessage;
}

CString FindWriteFailureCause(const CString& strFile, ULONGLONG nBytesNeeded)
{
    char szFullPath[MAX_PATH];
    char* pszName = NULL;
    const DWORD nLength = ::GetFullPathNameA(strFile, MAX_PATH, szFullPath, &pszName);
    if (nLength == 0 || nLength >= MAX_PATH)
        return GetFileErrorText(strFile, ERROR_BAD_PATHNAME);
    const DWORD dwError = ProbeWriteTarget(szFullPath, nBytesNeeded);
    return dwError == NO_ERROR ? CString() : GetFileErrorText(szFullPath, dwError);
}
