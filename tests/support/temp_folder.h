// temp_folder.h - a temporary folder for a test, removed with everything in it.

#pragma once

#include "afx.h"

// Deletes a folder with everything in it (read-only files too).
void RemoveFolderTree(const CString& strFolder);

// A new empty folder under the user's temporary folder, removed with its contents.
class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    CString File(LPCTSTR lpszName) const { return m_strPath + "\\" + lpszName; }
    CString m_strPath;
};
