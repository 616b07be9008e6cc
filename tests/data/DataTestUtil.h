// Helpers of the data tests: temporary files and table access.

#pragma once

#include <windows.h>

#include <afx.h>

#include <string>
#include <vector>

#include "DataSource.h"

// A file in the temporary folder with the given bytes; removed at the end.
class CTempTextFile
{
public:
    explicit CTempTextFile(const std::string& bytes, const char* pszName = NULL)
    {
        char szDir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szDir);
        if (pszName != NULL)
        {
            // A folder with blanks and a named file inside it.
            m_strDir = std::string(szDir) + "Stickwell data test " +
                std::to_string(::GetCurrentProcessId());
            ::CreateDirectoryA(m_strDir.c_str(), NULL);
            m_strPath = m_strDir + "\\" + pszName;
        }
        else
        {
            char szPath[MAX_PATH];
            ::GetTempFileNameA(szDir, "swd", 0, szPath);
            m_strPath = szPath;
        }
        HANDLE h = ::CreateFileA(m_strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
            FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD nWritten = 0;
        if (h != INVALID_HANDLE_VALUE)
        {
            if (!bytes.empty())
                ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &nWritten, NULL);
            ::CloseHandle(h);
        }
    }
    ~CTempTextFile()
    {
        ::DeleteFileA(m_strPath.c_str());
        if (!m_strDir.empty())
            ::RemoveDirectoryA(m_strDir.c_str());
    }
    CTempTextFile(const CTempTextFile&) = delete;
    CTempTextFile& operator=(const CTempTextFile&) = delete;

    const char* Path() const { return m_strPath.c_str(); }

private:
    std::string m_strDir;
    std::string m_strPath;
};

// One row of a table as standard strings.
inline std::vector<std::string> RowOf(CString* const* pRows, int nColumns, int nRow)
{
    std::vector<std::string> row;
    for (int c = 0; c < nColumns; ++c)
        row.push_back(std::string(pRows[nRow][c]));
    return row;
}

inline std::vector<std::string> RowOf(const CDataTable& table, int nRow)
{
    return RowOf(table.m_pRows, table.m_nColumns, nRow);
}

typedef std::vector<std::string> Row;

// The path of a committed fixture.
inline std::string FixturePath(const char* pszName)
{
    return std::string(TESTSRC_DIR) + "/data/fixtures/" + pszName;
}
