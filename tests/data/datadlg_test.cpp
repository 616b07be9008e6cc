// The helpers of datadlg_test.h: fixture paths, temporary data files, Access
// files with a password, tables.

#include "datadlg_test.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace
{

CString WindowsPath(const char* pszPath)
{
    CString str(pszPath);
    str.Replace('/', '\\');
    return str;
}

void Rc4(const unsigned char* pKey, size_t nKey, unsigned char* pData, size_t nLength)
{
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i)
    {
        j = (j + s[i] + pKey[i % nKey]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (size_t n = 0, i = 0, j = 0; n < nLength; ++n)
    {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        pData[n] ^= s[(s[i] + s[j]) & 0xFF];
    }
}

} // namespace

CString NwindPath()
{
    return WindowsPath(TESTDATA_DIR "/access/nwind.mdb");
}

CString DateTestPath()
{
    return WindowsPath(TESTDATA_DIR "/access/DateTestDatabase.mdb");
}

CString FixtureFile(const char* pszRelative)
{
    return WindowsPath((std::string(TESTSRC_DIR) + "/" + pszRelative).c_str());
}

CTempDataFile::CTempDataFile(const char* pszName, const std::string& bytes)
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    static int s_nFolder = 0;
    m_strFolder.Format("%sStickwell datadlg %lu-%d", szTemp, ::GetCurrentProcessId(), ++s_nFolder);
    ::CreateDirectoryA(m_strFolder, NULL);
    m_strPath = m_strFolder + "\\" + pszName;
    if (!bytes.empty())
        WriteWholeFile(m_strPath, std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

CTempDataFile::~CTempDataFile()
{
    WIN32_FIND_DATAA find;
    HANDLE hFind = ::FindFirstFileA(m_strFolder + "\\*", &find);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileA(m_strFolder + "\\" + find.cFileName);
        } while (::FindNextFileA(hFind, &find));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(m_strFolder);
}

CString CTempDataFile::Sibling(const char* pszName) const
{
    return m_strFolder + "\\" + pszName;
}

std::string ReadWholeFile(const CString& strPath)
{
    std::string bytes;
    HANDLE h = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD nRead = 0;
    while (::ReadFile(h, buffer, sizeof(buffer), &nRead, NULL) && nRead > 0)
        bytes.append(buffer, nRead);
    ::CloseHandle(h);
    return bytes;
}

BOOL DataFileExists(const CString& strPath)
{
    return ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
}

void WriteWholeFile(const CString& strPath, const std::vector<unsigned char>& bytes)
{
    HANDLE h = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << (LPCSTR)strPath;
    DWORD nWritten = 0;
    if (!bytes.empty())
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &nWritten, NULL);
    ::CloseHandle(h);
}

// The header of a Jet 3 database is RC4-encrypted with a fixed key; its
// password sits at 0x42 (20 bytes), Jet 4 keeps 40 bytes masked with the
// creation date.
std::vector<unsigned char> AccessFileWithPassword(const CString& strPath, const std::wstring& strPassword)
{
    const std::string original = ReadWholeFile(strPath);
    std::vector<unsigned char> file(original.begin(), original.end());
    if (file.size() < 0x200)
        return file;
    static const unsigned char kKey[4] = { 0xC7, 0xDA, 0x39, 0x6B };
    const bool bJet4 = file[0x14] == 1;
    const size_t nLength = bJet4 ? 128 : 126;
    Rc4(kKey, 4, &file[0x18], nLength);
    if (bJet4)
    {
        double dCreated;
        memcpy(&dCreated, &file[0x72], 8);
        const int nMask = static_cast<int>(dCreated);
        unsigned char mask[4], plain[40] = {};
        memcpy(mask, &nMask, 4);
        memcpy(plain, strPassword.data(), std::min<size_t>(40, strPassword.size() * 2));
        for (size_t i = 0; i < 40; ++i)
            file[0x42 + i] = plain[i] ^ mask[i % 4];
    }
    else
    {
        std::string bytes;
        for (wchar_t ch : strPassword)
            bytes += static_cast<char>(ch);
        memset(&file[0x42], 0, 20);
        memcpy(&file[0x42], bytes.data(), std::min<size_t>(20, bytes.size()));
    }
    Rc4(kKey, 4, &file[0x18], nLength);
    return file;
}

void CTableHolder::Set(const std::vector<Row>& rows)
{
    FreeDataTable(m_pRows, m_nRows);
    m_nRows = static_cast<int>(rows.size());
    m_nColumns = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    m_pRows = new CString*[rows.size()];
    for (size_t r = 0; r < rows.size(); ++r)
    {
        m_pRows[r] = new CString[m_nColumns];
        for (int c = 0; c < m_nColumns && c < static_cast<int>(rows[r].size()); ++c)
            m_pRows[r][c] = rows[r][c].c_str();
    }
}

int CountFixtureLines(const char* pszName)
{
    std::string text = ReadWholeFile(FixtureFile((std::string("fixtures/mdb/") + pszName).c_str()));
    // records end at line breaks outside quotes
    int nLines = 0;
    bool bQuoted = false;
    for (char ch : text)
    {
        if (ch == '"')
            bQuoted = !bQuoted;
        else if (ch == '\n' && !bQuoted)
            ++nLines;
    }
    return nLines;
}
