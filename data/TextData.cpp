// TextData.cpp - delimited text files read into the loaded data table.

#include "TextData.h"
#include "LineTokenizer.h"
#include "UnexpectedError.h"
#include "afxwin.h"
#include "resources/data_resource.h"

#include <windows.h>
#include <limits.h>
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

// TRUE when the bytes are valid UTF-8 (shortest forms, no surrogates, at most
// U+10FFFF) and at least one of them is not ASCII.
bool IsNonAsciiUtf8(const unsigned char* p, size_t n)
{
    bool bNonAscii = false;
    size_t i = 0;
    while (i < n)
    {
        const unsigned char ch = p[i];
        if (ch < 0x80)
        {
            ++i;
            continue;
        }
        bNonAscii = true;
        size_t nTrail = 0;
        unsigned long nCode = 0;
        if (ch >= 0xC2 && ch <= 0xDF)
        {
            nTrail = 1;
            nCode = ch & 0x1F;
        }
        else if (ch >= 0xE0 && ch <= 0xEF)
        {
            nTrail = 2;
            nCode = ch & 0x0F;
        }
        else if (ch >= 0xF0 && ch <= 0xF4)
        {
            nTrail = 3;
            nCode = ch & 0x07;
        }
        else
            return false;
        if (n - i - 1 < nTrail)
            return false;
        for (size_t k = 1; k <= nTrail; ++k)
        {
            const unsigned char chTrail = p[i + k];
            if ((chTrail & 0xC0) != 0x80)
                return false;
            nCode = (nCode << 6) | (chTrail & 0x3F);
        }
        if (nTrail == 2 && (nCode < 0x800 || (nCode >= 0xD800 && nCode <= 0xDFFF)))
            return false;
        if (nTrail == 3 && (nCode < 0x10000 || nCode > 0x10FFFF))
            return false;
        i += nTrail + 1;
    }
    return bNonAscii;
}

// UTF-16 text to the ANSI code page; characters it cannot hold (no best-fit
// look-alikes) become its default character and set *pbReplaced.
void WideToAnsi(const wchar_t* pwch, size_t nLength, std::vector<char>& text, BOOL* pbReplaced)
{
    text.clear();
    if (nLength == 0)
        return;
    if (nLength > static_cast<size_t>(INT_MAX))
        throw std::bad_alloc();
    const UINT nAcp = ::GetACP();
    const bool bUnicodeAcp = nAcp == CP_UTF8 || nAcp == CP_UTF7;
    const DWORD dwFlags = bUnicodeAcp ? 0 : WC_NO_BEST_FIT_CHARS;

    // No ANSI code page holds a character beyond U+FFFF: each one, and each
    // broken surrogate, becomes one unknown character.
    std::vector<wchar_t> bmp;
    if (!bUnicodeAcp)
    {
        const wchar_t* pEnd = pwch + nLength;
        const wchar_t* pSurrogate = pwch;
        while (pSurrogate < pEnd && (*pSurrogate < 0xD800 || *pSurrogate > 0xDFFF))
            ++pSurrogate;
        if (pSurrogate < pEnd)
        {
            bmp.reserve(nLength);
            bmp.assign(pwch, pSurrogate);
            for (const wchar_t* p = pSurrogate; p < pEnd; ++p)
            {
                if (*p < 0xD800 || *p > 0xDFFF)
                {
                    bmp.push_back(*p);
                    continue;
                }
                if (*p <= 0xDBFF && p + 1 < pEnd && p[1] >= 0xDC00 && p[1] <= 0xDFFF)
                    ++p;
                bmp.push_back(0xFFFD);
            }
            pwch = &bmp[0];
            nLength = bmp.size();
        }
    }
    const int nChars = static_cast<int>(nLength);
    const int nOut = ::WideCharToMultiByte(CP_ACP, dwFlags, pwch, nChars, NULL, 0, NULL, NULL);
    if (nOut <= 0)
        throw std::runtime_error("text conversion");
    text.resize(static_cast<size_t>(nOut));
    BOOL bUsedDefault = FALSE;
    if (::WideCharToMultiByte(CP_ACP, dwFlags, pwch, nChars, &text[0], nOut, NULL,
            bUnicodeAcp ? NULL : &bUsedDefault) != nOut)
        throw std::runtime_error("text conversion");
    if (bUsedDefault && pbReplaced != NULL)
        *pbReplaced = TRUE;
}

// UTF-8 bytes to the ANSI code page; invalid sequences count as replaced.
void Utf8ToAnsi(const char* pch, size_t nLength, std::vector<char>& text, BOOL* pbReplaced)
{
    if (nLength == 0)
    {
        text.clear();
        return;
    }
    if (nLength > static_cast<size_t>(INT_MAX))
        throw std::bad_alloc();
    const int nBytes = static_cast<int>(nLength);
    const int nWide = ::MultiByteToWideChar(CP_UTF8, 0, pch, nBytes, NULL, 0);
    if (nWide <= 0)
        throw std::runtime_error("text conversion");
    std::vector<wchar_t> wide(static_cast<size_t>(nWide));
    if (::MultiByteToWideChar(CP_UTF8, 0, pch, nBytes, &wide[0], nWide) != nWide)
        throw std::runtime_error("text conversion");
    WideToAnsi(&wide[0], wide.size(), text, pbReplaced);
}

// Rows are full rows of the first non-blank record's field count, so the
// table is checked before any row is made: at most TEXTDATA_MAX_COLUMNS
// columns, and no more values than the text's size allows.
int CheckTableSize(const char* pchText, size_t nLength, const char* pControls)
{
    size_t pos = 0;
    size_t nColumns = 0;
    while (pos < nLength)
    {
        size_t nFields = 0;
        size_t nConsumed = CLineTokenizer::MeasureRecord(pchText + pos, nLength - pos, pControls,
            &nFields);
        if (nConsumed == 0)
            nConsumed = nLength - pos;
        const bool bBlank = IsBlank(pchText + pos, nConsumed);
        pos += nConsumed;
        if (!bBlank)
        {
            nColumns = nFields;
            break;
        }
    }
    if (nColumns > static_cast<size_t>(TEXTDATA_MAX_COLUMNS))
        return TEXTLOAD_TOO_MANY_COLUMNS;

    // Line breaks bound the records from above; count them exactly only
    // when that bound is too high.
    const size_t nMaxValues = TEXTDATA_FREE_VALUES + TEXTDATA_VALUES_PER_BYTE * nLength;
    size_t nBreaks = 0;
    for (size_t i = 0; i < nLength; ++i)
    {
        if (pchText[i] == '\n' || (pchText[i] == '\r' && (i + 1 >= nLength || pchText[i + 1] != '\n')))
            ++nBreaks;
    }
    // The records (at most one more than the line breaks) and the names row.
    if ((nBreaks + 2) * nColumns <= nMaxValues)
        return TEXTLOAD_OK;
    size_t nRecords = 0;
    for (pos = 0; pos < nLength; ++nRecords)
    {
        const size_t nConsumed = CLineTokenizer::MeasureRecord(pchText + pos, nLength - pos,
            pControls, NULL);
        pos += nConsumed > 0 ? nConsumed : nLength - pos;
    }
    if ((nRecords + 1) * nColumns > nMaxValues)
        return TEXTLOAD_TOO_WIDE;
    return TEXTLOAD_OK;
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

// The whole file as bytes; FALSE when it cannot be opened, an exception when it cannot be read or passes 2 GB.
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

// Turns UTF-16 (with its mark) or UTF-8 text into the ANSI code page the table holds; TEXTLOAD_NOT_TEXT
// for a zero byte or character.
int DecodeDelimitedText(std::vector<char>& text, BOOL* pbReplaced)
{
    if (pbReplaced != NULL)
        *pbReplaced = FALSE;
    const size_t nLength = text.size();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());

    // UTF-16 with its byte order mark, either byte order.
    if (nLength >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF)))
    {
        const bool bBigEndian = p[0] == 0xFE;
        std::vector<wchar_t> wide;
        wide.reserve(nLength / 2);
        for (size_t i = 2; i + 1 < nLength; i += 2)
        {
            const wchar_t wch = bBigEndian ? static_cast<wchar_t>((p[i] << 8) | p[i + 1])
                                           : static_cast<wchar_t>(p[i] | (p[i + 1] << 8));
            if (wch == 0)
                return TEXTLOAD_NOT_TEXT;
            wide.push_back(wch);
        }
        if (nLength % 2 != 0)
            wide.push_back(0xFFFD);     // a cut-off last character
        std::vector<char> ansi;
        WideToAnsi(wide.empty() ? L"" : &wide[0], wide.size(), ansi, pbReplaced);
        text.swap(ansi);
        return TEXTLOAD_OK;
    }

    // An 8-bit text holds no zero byte.
    if (nLength > 0 && memchr(p, 0, nLength) != NULL)
        return TEXTLOAD_NOT_TEXT;

    const bool bByteOrderMark = nLength >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF;
    if (bByteOrderMark || IsNonAsciiUtf8(p, nLength))
    {
        const size_t nSkip = bByteOrderMark ? 3 : 0;
        std::vector<char> ansi;
        Utf8ToAnsi(text.data() + nSkip, nLength - nSkip, ansi, pbReplaced);
        text.swap(ansi);
    }
    return TEXTLOAD_OK;
}

// Splits the text into records of the first non-blank record's column count; names come from the first
// record, FIELDn over a blank first line, or Column n without names. table changes only on success.
int BuildDelimitedTable(const char* pchText, size_t nLength, const char* pControls,
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

    const int nSizeResult = CheckTableSize(pchText, nLength, pControls);
    if (nSizeResult != TEXTLOAD_OK)
        return nSizeResult;

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
    return TEXTLOAD_OK;
}

// Reads, decodes and splits a delimited file; table is replaced only when the whole file loaded.
int LoadDelimitedTextTable(const CString& strPath, const CString& strDelimiter,
    BOOL bHasColNames, char* pControls, CDataTable& table, BOOL* pbReplaced)
{
    if (pbReplaced != NULL)
        *pbReplaced = FALSE;
    std::vector<char> text;
    if (!ReadTextFile(strPath, text))
        return TEXTLOAD_CANNOT_OPEN;
    BOOL bReplaced = FALSE;
    int nResult = DecodeDelimitedText(text, &bReplaced);
    if (nResult != TEXTLOAD_OK)
        return nResult;
    SetTokenDelimiter(pControls, DelimiterFromText(strDelimiter));
    CDataTable loaded;
    nResult = BuildDelimitedTable(text.empty() ? "" : &text[0], text.size(), pControls,
        bHasColNames, loaded);
    if (nResult != TEXTLOAD_OK)
        return nResult;
    table.Free();
    loaded.Detach(table.m_pRows, table.m_nRows, table.m_nColumns);
    if (pbReplaced != NULL)
        *pbReplaced = bReplaced;
    return TEXTLOAD_OK;
}

// The message for a load result, naming the file; an unknown result gives the unexpected-error text.
CString GetTextLoadMessage(int nResult, const CString& strPath)
{
    CString strText;
    switch (nResult)
    {
    case TEXTLOAD_NOT_TEXT:
        AfxFormatString1(strText, IDS_TEXT_NOT_TEXT, strPath);
        return strText;
    case TEXTLOAD_TOO_MANY_COLUMNS:
    {
        CString strCount;
        strCount.Format("%d", TEXTDATA_MAX_COLUMNS);
        AfxFormatString2(strText, IDS_TEXT_TOO_MANY_COLUMNS, strPath, strCount);
        return strText;
    }
    case TEXTLOAD_TOO_WIDE:
        AfxFormatString1(strText, IDS_TEXT_TOO_WIDE, strPath);
        return strText;
    case TEXTLOAD_CHARS_REPLACED:
    {
        CPINFO info;
        char chDefault = '?';
        if (::GetCPInfo(CP_ACP, &info) && info.DefaultChar[0] != 0)
            chDefault = static_cast<char>(info.DefaultChar[0]);
        const char szDefault[2] = { chDefault, '\0' };
        AfxFormatString2(strText, IDS_TEXT_CHARS_REPLACED, strPath, szDefault);
        return strText;
    }
    }
    return GetUnexpectedErrorText();
}
