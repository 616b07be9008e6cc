// temp_folder.cpp - temporary folders of the tests.

#include "temp_folder.h"

#include <windows.h>

void RemoveFolderTree(const CString& strFolder)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(strFolder + "\\*", &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            const CString strName = fd.cFileName;
            if (strName == "." || strName == "..")
                continue;
            const CString strPath = strFolder + "\\" + strName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            {
                RemoveFolderTree(strPath);
            }
            else
            {
                ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(strPath);
            }
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(strFolder);
}

CTempFolder::CTempFolder()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    char szName[MAX_PATH];
    ::GetTempFileNameA(szTemp, "sdt", 0, szName);
    ::DeleteFileA(szName);
    ::CreateDirectoryA(szName, NULL);
    m_strPath = szName;
}

CTempFolder::~CTempFolder()
{
    RemoveFolderTree(m_strPath);
}
