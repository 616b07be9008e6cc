// Helpers of the data dialog tests: fixture paths, temporary files and tables.

#pragma once

#include <afxdlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DataSource.h"
#include "DataTestUtil.h"

typedef std::vector<std::string> Row;

// Windows paths of the shared and committed test data.
CString NwindPath();
CString DateTestPath();
CString FixtureFile(const char* pszRelative);   // below tests/fixtures or tests/data/fixtures

// A file in a temporary folder of its own, removed with the folder at the end.
class CTempDataFile
{
public:
    explicit CTempDataFile(const char* pszName, const std::string& bytes = std::string());
    ~CTempDataFile();
    CTempDataFile(const CTempDataFile&) = delete;
    CTempDataFile& operator=(const CTempDataFile&) = delete;

    // Another file name in the same folder (not created).
    CString Sibling(const char* pszName) const;
    CString m_strPath;
    CString m_strFolder;
};

std::string ReadWholeFile(const CString& strPath);
BOOL DataFileExists(const CString& strPath);

// A copy of a database file with a password written into its header.
std::vector<unsigned char> AccessFileWithPassword(const CString& strPath, const std::wstring& strPassword);
void WriteWholeFile(const CString& strPath, const std::vector<unsigned char>& bytes);

// Owns a loaded data table for the length of a test.
class CTableHolder
{
public:
    CTableHolder() : m_pRows(NULL), m_nRows(-1), m_nColumns(0) {}
    ~CTableHolder() { FreeDataTable(m_pRows, m_nRows); }
    CTableHolder(const CTableHolder&) = delete;
    CTableHolder& operator=(const CTableHolder&) = delete;

    // A table from rows of texts; row 0 the names.
    void Set(const std::vector<Row>& rows);
    Row RowAt(int nRow) const { return RowOf(m_pRows, m_nColumns, nRow); }

    CString** m_pRows;
    int m_nRows;
    int m_nColumns;
};

// Records of a CSV fixture of the Access database (tests/fixtures/mdb), names included.
int CountFixtureLines(const char* pszName);
