// TextData.cpp - delimited text files read into the loaded data table.

#include "TextData.h"
#include "LineTokenizer.h"

#include <windows.h>
#include <stdexcept>
#include <memory>
#include <new>
#include <string.h>

namespace
{
bool IsWhiteSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

bool IsBlank(const char* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
    {
        if (!IsWhiteSpace(p[i]))
            return false;
    }
    return true;
}

// Rows under construction; frees them unless handed on.
class CRowList
{
public:
    CRowList() {}
    ~CRowList()
    {
        for (size_t i = 0; i < m_rows.size(); ++i)
            delete[] m_rows[i];
    }
    CRowList(const CRowList&) = delete;
    CRowList& operator=(const CRowList&) = delete;

    // Takes a row; frees it when it cannot be kept.
    void Add(CString* pRow)
    {
        try
        {
            m_rows.push_back(pRow);
        }
        catch (...)
        {
            delete[] pRow;
            throw;
        }
    }

    std::vector<CString*> m_rows;
};

// One row of nColumns values from the tokenizer's fields.
CString* MakeRow(const CLineTokenizer& tok, int nColumns)
{
    std::unique_ptr<CString[]> pRow(new CString[nColumns]);
    const int nFields = tok.GetCount() < nColumns ? tok.GetCount() : nColumns;
    for (int k = 0; k < nFields; ++k)
    {
        size_t nLength = tok.GetFieldLength(k);
        if (nLength > static_cast<size_t>(TEXTDATA_MAX_VALUE))
            nLength = TEXTDATA_MAX_VALUE;
        pRow[k].SetString(tok.GetField(k), static_cast<int>(nLength));
    }
    return pRow.release();
}

// Splits one record and reports a failed allocation as an exception.
int SplitChecked(CLineTokenizer& tok, const char* p, size_t n, const char* pControls,
    size_t* pnConsumed)
{
    ::SetLastError(ERROR_SUCCESS);
    const int nFields = pnConsumed != NULL ? tok.SplitRecord(p, n, pControls, pnConsumed)
                                           : tok.Split(p, n, pControls);
    if (nFields == 0 && ::GetLastError() == ERROR_OUTOFMEMORY)
        throw std::bad_alloc();
    return nFields;
}
}

void InitTokenControls(char* pControls)
{
    pControls[TOKCTL_DELIMITER] = ' ';
    pControls[TOKCTL_QUOTE] = '"';
    pControls[TOKCTL_ESCAPE] = 0;
    pControls[TOKCTL_COLLAPSE] = 1;
    pControls[TOKCTL_NOTRAILINGEMPTY] = 1;
    pControls[TOKCTL_KEEPQUOTES] = 0;
}

void SetTokenDelimiter(char* pControls, char chDelimiter)
{
    pControls[TOKCTL_DELIMITER] = chDelimiter;
    pControls[TOKCTL_QUOTE] = (chDelimiter == '"') ? 0 : '"';
    pControls[TOKCTL_COLLAPSE] = (chDelimiter == ' ') ? 1 : 0;
    pControls[TOKCTL_NOTRAILINGEMPTY] = (chDelimiter == ' ') ? 1 : 0;
}

BOOL ReadTextFile(const CString& strPath, std::vector<char>& text)
{
    text.clear();
    HANDLE hFile = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
        NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;

    struct CHandleCloser
    {
        HANDLE m_h;
        ~CHandleCloser() { ::CloseHandle(m_h); }
    } closer = { hFile };

    LARGE_INTEGER size;
    if (!::GetFileSizeEx(hFile, &size))
        throw std::runtime_error("file size");
    if (size.QuadPart > 0x7FFFFFFF)
        throw std::bad_alloc();

    const DWORD nSize = static_cast<DWORD>(size.QuadPart);
    text.resize(nSize);
    DWORD nDone = 0;
    while (nDone < nSize)
    {
        DWORD nRead = 0;
        if (!::ReadFile(hFile, &text[nDone], nSize - nDone, &nRead, NULL))
            throw std::runtime_error("file read");
        if (nRead == 0)
            break;  // the file shrank meanwhile
        nDone += nRead;
    }
    text.resize(nDone);
    return TRUE;
}

void BuildDelimitedTable(const char* pchText, size_t nLength, const char* pControls,
    BOOL bHasColNames, CDataTable& table)
{
    // The text ends at a zero byte; a UTF-8 byte order mark is no data.
    const char* pZero = static_cast<const char*>(memchr(pchText, 0, nLength));
    if (pZero != NULL)
        nLength = static_cast<size_t>(pZero - pchText);
    if (nLength >= 3 && memcmp(pchText, "\xEF\xBB\xBF", 3) == 0)
    {
        pchText += 3;
        nLength -= 3;
    }

    CLineTokenizer tok;
    CRowList records;                   // one row per record, NULL while deferred
    std::vector<size_t> deferStart;     // blank records before the column count is known
    std::vector<size_t> deferLength;
    bool bFirstBlank = false;
    int nColumns = -1;

    size_t pos = 0;
    while (pos < nLength)
    {
        size_t nConsumed = 0;
        SplitChecked(tok, pchText + pos, nLength - pos, pControls, &nConsumed);
        if (nConsumed == 0)
            nConsumed = nLength - pos;  // cannot happen; guards the loop

        if (nColumns < 0)
        {
            if (IsBlank(pchText + pos, nConsumed))
            {
                if (records.m_rows.empty())
                    bFirstBlank = true;
                size_t nRecord = nConsumed;
                while (nRecord > 0 && (pchText[pos + nRecord - 1] == '\r'
                                       || pchText[pos + nRecord - 1] == '\n'))
                    --nRecord;
                deferStart.push_back(pos);
                deferLength.push_back(nRecord);
                records.Add(NULL);
                pos += nConsumed;
                continue;
            }
            nColumns = tok.GetCount();
            records.Add(MakeRow(tok, nColumns));
            pos += nConsumed;

            // Blank records ahead of this one get their values now.
            for (size_t i = 0; i < deferStart.size(); ++i)
            {
                SplitChecked(tok, pchText + deferStart[i], deferLength[i], pControls, NULL);
                records.m_rows[i] = MakeRow(tok, nColumns);
            }
            continue;
        }
        records.Add(MakeRow(tok, nColumns));
        pos += nConsumed;
    }

    if (nColumns < 0)
    {
        // Every record is blank: no columns.
        nColumns = 0;
        for (size_t i = 0; i < records.m_rows.size(); ++i)
            records.m_rows[i] = new CString[0];
    }

    // Row 0: the names.
    CString* pNames = NULL;
    size_t nFirstRecord = 0;
    if (bHasColNames)
    {
        if (records.m_rows.empty() || bFirstBlank)
        {
            pNames = new CString[nColumns];
            for (int i = 0; i < nColumns; ++i)
                pNames[i].Format("FIELD%d", i);
            if (!records.m_rows.empty())
                nFirstRecord = 1;
        }
    }
    else
    {
        pNames = new CString[nColumns];
        for (int i = 0; i < nColumns; ++i)
            pNames[i].Format("Column %d", i + 1);
    }

    const size_t nRecords = records.m_rows.size() - nFirstRecord;
    const size_t nRows = nRecords + (pNames != NULL ? 1 : 0);
    if (nRows > 0x7FFFFFFF)
    {
        delete[] pNames;
        throw std::bad_alloc();
    }

    CString** pRows = NULL;
    try
    {
        pRows = new CString*[nRows];
    }
    catch (...)
    {
        delete[] pNames;
        throw;
    }
    size_t r = 0;
    if (pNames != NULL)
        pRows[r++] = pNames;
    for (size_t i = nFirstRecord; i < records.m_rows.size(); ++i)
        pRows[r++] = records.m_rows[i];
    if (nFirstRecord > 0)
        delete[] records.m_rows[0];     // the blank header line, replaced by names
    records.m_rows.clear();

    table.Free();
    table.m_pRows = pRows;
    table.m_nRows = static_cast<int>(nRows);
    table.m_nColumns = nColumns;
}

int LoadDelimitedTextTable(const CString& strPath, const CString& strDelimiter,
    BOOL bHasColNames, char* pControls, CDataTable& table)
{
    std::vector<char> text;
    if (!ReadTextFile(strPath, text))
        return TEXTLOAD_CANNOT_OPEN;
    SetTokenDelimiter(pControls, DelimiterFromText(strDelimiter));
    CDataTable loaded;
    BuildDelimitedTable(text.empty() ? "" : &text[0], text.size(), pControls, bHasColNames,
        loaded);
    table.Free();
    loaded.Detach(table.m_pRows, table.m_nRows, table.m_nColumns);
    return TEXTLOAD_OK;
}
