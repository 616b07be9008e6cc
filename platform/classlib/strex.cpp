// strex.cpp - CString: searching, extraction, editing, formatting and
// resources.

#include "afx.h"

#include <ctype.h>
#include <limits.h>
#include <stdio.h>

namespace
{
bool IsSpace(char ch)
{
    return isspace(static_cast<unsigned char>(ch)) != 0;
}

bool InSet(char ch, LPCSTR lpszSet)
{
    return lpszSet != NULL && ch != '\0' && strchr(lpszSet, ch) != NULL;
}

// Clamps a position to [0, nMax].
int Clamp(int n, int nMax)
{
    return n < 0 ? 0 : (n > nMax ? nMax : n);
}

// Formats into a new string with the C runtime's printf syntax.
CString FormatToString(LPCSTR lpszFormat, va_list argList)
{
    CString strResult;
    if (lpszFormat == NULL)
        AfxThrowInvalidArgException();
    va_list argCount;
    va_copy(argCount, argList);
    int nLength = _vscprintf(lpszFormat, argCount);
    va_end(argCount);
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength > 0)
    {
        LPSTR lpsz = strResult.GetBuffer(nLength);
        _vsnprintf(lpsz, static_cast<size_t>(nLength) + 1, lpszFormat, argList);
        strResult.ReleaseBuffer(nLength);
    }
    return strResult;
}

CString LoadFormat(UINT nFormatID)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return strFormat;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Searching

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    if (nStart >= m_nDataLength)
        return -1;
    const void* p = memchr(m_pchData + nStart, ch, static_cast<size_t>(m_nDataLength - nStart));
    return p != NULL ? static_cast<int>(static_cast<LPCSTR>(p) - m_pchData) : -1;
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (lpszSub == NULL)
        return -1;
    if (nStart < 0)
        nStart = 0;
    if (nStart > m_nDataLength)
        return -1;
    LPCSTR p = strstr(m_pchData + nStart, lpszSub);
    return p != NULL ? static_cast<int>(p - m_pchData) : -1;
}

int CString::ReverseFind(char ch) const
{
    for (int i = m_nDataLength - 1; i >= 0; --i)
    {
        if (m_pchData[i] == ch)
            return i;
    }
    return -1;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    for (int i = 0; i < m_nDataLength; ++i)
    {
        if (InSet(m_pchData[i], lpszCharSet))
            return i;
    }
    return -1;
}

/////////////////////////////////////////////////////////////////////////////
// Extraction

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, m_nDataLength);
}

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = Clamp(nFirst, m_nDataLength);
    nCount = Clamp(nCount, m_nDataLength - nFirst);
    if (nFirst == 0 && nCount == m_nDataLength)
        return *this;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    nCount = Clamp(nCount, m_nDataLength);
    return CString(m_pchData, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = Clamp(nCount, m_nDataLength);
    return CString(m_pchData + m_nDataLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    int n = 0;
    while (n < m_nDataLength && InSet(m_pchData[n], lpszCharSet))
        ++n;
    return Left(n);
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    int n = 0;
    while (n < m_nDataLength && !InSet(m_pchData[n], lpszCharSet))
        ++n;
    return Left(n);
}

// Next token after iStart, skipping leading delimiters; iStart moves past
// the delimiter that ends the token.  When no token is left the result is
// empty and iStart becomes -1.
CString CString::Tokenize(LPCSTR lpszTokens, int& iStart) const
{
    if (iStart < 0)
        AfxThrowInvalidArgException();
    if (lpszTokens == NULL || *lpszTokens == '\0')
    {
        if (iStart < m_nDataLength)
        {
            CString strRest = Mid(iStart);
            iStart = m_nDataLength;
            return strRest;
        }
    }
    else
    {
        int nPos = iStart;
        while (nPos < m_nDataLength && InSet(m_pchData[nPos], lpszTokens))
            ++nPos;
        if (nPos < m_nDataLength)
        {
            int nEnd = nPos;
            while (nEnd < m_nDataLength && !InSet(m_pchData[nEnd], lpszTokens))
                ++nEnd;
            iStart = nEnd + 1;
            return Mid(nPos, nEnd - nPos);
        }
    }
    iStart = -1;
    return CString();
}

/////////////////////////////////////////////////////////////////////////////
// Case and order

CString& CString::MakeUpper()
{
    if (m_nDataLength > 0)
        ::CharUpperBuffA(GetBuffer(), static_cast<DWORD>(m_nDataLength));
    return *this;
}

CString& CString::MakeLower()
{
    if (m_nDataLength > 0)
        ::CharLowerBuffA(GetBuffer(), static_cast<DWORD>(m_nDataLength));
    return *this;
}

CString& CString::MakeReverse()
{
    if (m_nDataLength > 1)
    {
        LPSTR p = GetBuffer();
        for (int i = 0, j = m_nDataLength - 1; i < j; ++i, --j)
        {
            char ch = p[i];
            p[i] = p[j];
            p[j] = ch;
        }
    }
    return *this;
}

/////////////////////////////////////////////////////////////////////////////
// Trimming

CString& CString::TrimRight()
{
    int n = m_nDataLength;
    while (n > 0 && IsSpace(m_pchData[n - 1]))
        --n;
    Truncate(n);
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    int n = m_nDataLength;
    while (n > 0 && m_pchData[n - 1] == chTarget)
        --n;
    Truncate(n);
    return *this;
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    int n = m_nDataLength;
    while (n > 0 && InSet(m_pchData[n - 1], lpszTargets))
        --n;
    Truncate(n);
    return *this;
}

CString& CString::TrimLeft()
{
    int n = 0;
    while (n < m_nDataLength && IsSpace(m_pchData[n]))
        ++n;
    Delete(0, n);
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    int n = 0;
    while (n < m_nDataLength && m_pchData[n] == chTarget)
        ++n;
    Delete(0, n);
    return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    int n = 0;
    while (n < m_nDataLength && InSet(m_pchData[n], lpszTargets))
        ++n;
    Delete(0, n);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR lpszTargets)
{
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

/////////////////////////////////////////////////////////////////////////////
// Editing

int CString::Replace(char chOld, char chNew)
{
    if (chOld == chNew)
        return 0;
    int nCount = 0;
    for (int i = 0; i < m_nDataLength; ++i)
    {
        if (m_pchData[i] == chOld)
        {
            if (nCount == 0)
                GetBuffer();
            m_pchData[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

// Replaces every occurrence of a text and returns how many there were.
int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    int nOldLength = lpszOld != NULL ? static_cast<int>(strlen(lpszOld)) : 0;
    if (nOldLength == 0)
        return 0;
    CString strNew(lpszNew);   // lpszNew may point into this string
    CString strResult;
    int nCount = 0;
    int nPos = 0;
    for (;;)
    {
        int nFound = Find(lpszOld, nPos);
        if (nFound < 0)
            break;
        strResult.Append(m_pchData + nPos, nFound - nPos);
        strResult.Append(strNew);
        nPos = nFound + nOldLength;
        ++nCount;
    }
    if (nCount > 0)
    {
        strResult.Append(m_pchData + nPos, m_nDataLength - nPos);
        *this = static_cast<CString&&>(strResult);
    }
    return nCount;
}

// Removes every occurrence of a character and returns how many there were.
int CString::Remove(char chRemove)
{
    int nCount = 0;
    if (m_nDataLength == 0)
        return 0;
    LPSTR p = GetBuffer();
    int nDest = 0;
    for (int i = 0; i < m_nDataLength; ++i)
    {
        if (p[i] == chRemove)
            ++nCount;
        else
            p[nDest++] = p[i];
    }
    SetLength(nDest);
    return nCount;
}

int CString::Insert(int nIndex, char ch)
{
    return Insert(nIndex, CString(ch));
}

// Inserts a text at an index (clamped to the string) and returns the new length.
int CString::Insert(int nIndex, LPCSTR lpsz)
{
    nIndex = Clamp(nIndex, m_nDataLength);
    int nInsert = lpsz != NULL ? static_cast<int>(strlen(lpsz)) : 0;
    if (nInsert > 0)
    {
        CString strResult;
        strResult.Preallocate(m_nDataLength + nInsert);
        strResult.Append(m_pchData, nIndex);
        strResult.Append(lpsz, nInsert);
        strResult.Append(m_pchData + nIndex, m_nDataLength - nIndex);
        *this = static_cast<CString&&>(strResult);
    }
    return m_nDataLength;
}

// Deletes up to nCount characters from an index and returns the new length.
int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < m_nDataLength)
    {
        if (nCount > m_nDataLength - nIndex)
            nCount = m_nDataLength - nIndex;
        LPSTR p = GetBuffer();
        memmove(p + nIndex, p + nIndex + nCount,
                static_cast<size_t>(m_nDataLength - nIndex - nCount));
        SetLength(m_nDataLength - nCount);
    }
    return m_nDataLength;
}

/////////////////////////////////////////////////////////////////////////////
// Formatting

void AFX_CDECL CString::Format(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
    CString strFormat = LoadFormat(nFormatID);
    va_list argList;
    va_start(argList, nFormatID);
    FormatV(strFormat, argList);
    va_end(argList);
}

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    *this = FormatToString(lpszFormat, argList);
}

void AFX_CDECL CString::AppendFormat(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    AppendFormatV(lpszFormat, argList);
    va_end(argList);
}

void AFX_CDECL CString::AppendFormat(UINT nFormatID, ...)
{
    CString strFormat = LoadFormat(nFormatID);
    va_list argList;
    va_start(argList, nFormatID);
    AppendFormatV(strFormat, argList);
    va_end(argList);
}

void CString::AppendFormatV(LPCSTR lpszFormat, va_list argList)
{
    Append(FormatToString(lpszFormat, argList));
}

// Formats with FormatMessage inserts ("%1"); throws when the system cannot format it.
void AFX_CDECL CString::FormatMessage(LPCSTR lpszFormat, ...)
{
    if (lpszFormat == NULL)
        AfxThrowInvalidArgException();
    va_list argList;
    va_start(argList, lpszFormat);
    LPSTR lpszBuffer = NULL;
    DWORD nChars = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                    lpszFormat, 0, 0, reinterpret_cast<LPSTR>(&lpszBuffer), 0,
                                    &argList);
    va_end(argList);
    if (nChars == 0 || lpszBuffer == NULL)
    {
        if (lpszBuffer != NULL)
            ::LocalFree(lpszBuffer);
        if (*lpszFormat != '\0')
            AfxThrowMemoryException();
        Empty();
        return;
    }
    AssignCopy(lpszBuffer, static_cast<int>(nChars));
    ::LocalFree(lpszBuffer);
}

// Formats a string resource with FormatMessage inserts; empty if the resource is missing.
void AFX_CDECL CString::FormatMessage(UINT nFormatID, ...)
{
    CString strFormat = LoadFormat(nFormatID);
    if (strFormat.IsEmpty())
    {
        Empty();
        return;
    }
    va_list argList;
    va_start(argList, nFormatID);
    LPSTR lpszBuffer = NULL;
    DWORD nChars = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                    strFormat, 0, 0, reinterpret_cast<LPSTR>(&lpszBuffer), 0,
                                    &argList);
    va_end(argList);
    if (nChars == 0 || lpszBuffer == NULL)
    {
        if (lpszBuffer != NULL)
            ::LocalFree(lpszBuffer);
        AfxThrowMemoryException();
    }
    AssignCopy(lpszBuffer, static_cast<int>(nChars));
    ::LocalFree(lpszBuffer);
}

/////////////////////////////////////////////////////////////////////////////
// Resources and system strings

BOOL CString::LoadString(UINT nID)
{
    HINSTANCE hInst = AfxFindStringResourceHandle(nID);
    if (hInst == NULL)
    {
        Empty();
        return FALSE;
    }
    return LoadString(hInst, nID);
}

// Loads a string resource of any length; FALSE (and empty) if missing.
BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // A string resource holds at most 65535 characters; grow until the text
    // is no longer cut.
    for (int nSize = 256; nSize <= 65536 * 2; nSize *= 2)
    {
        CString strText;
        LPSTR lpsz = strText.GetBuffer(nSize);
        int nLength = ::LoadStringA(hInstance, nID, lpsz, nSize + 1);
        if (nLength <= 0)
        {
            Empty();
            return FALSE;
        }
        if (nLength < nSize)
        {
            strText.ReleaseBuffer(nLength);
            *this = static_cast<CString&&>(strText);
            return TRUE;
        }
    }
    Empty();
    return FALSE;
}

BSTR CString::AllocSysString() const
{
    int nChars = m_nDataLength > 0
        ? ::MultiByteToWideChar(CP_ACP, 0, m_pchData, m_nDataLength, NULL, 0) : 0;
    BSTR bstr = ::SysAllocStringLen(NULL, static_cast<UINT>(nChars));
    if (bstr == NULL)
        AfxThrowMemoryException();
    if (nChars > 0)
        ::MultiByteToWideChar(CP_ACP, 0, m_pchData, m_nDataLength, bstr, nChars);
    bstr[nChars] = L'\0';
    return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    if (pbstr == NULL)
        AfxThrowInvalidArgException();
    BSTR bstrNew = AllocSysString();
    ::SysFreeString(*pbstr);
    *pbstr = bstrNew;
    return bstrNew;
}

// Reads an environment variable, even one that changes while it is read; FALSE if unset.
BOOL CString::GetEnvironmentVariable(LPCSTR lpszVar)
{
    DWORD nSize = ::GetEnvironmentVariableA(lpszVar, NULL, 0);
    if (nSize == 0)
    {
        Empty();
        return FALSE;
    }
    for (int nTry = 0; nTry < 4; ++nTry)
    {
        CString strValue;
        LPSTR lpsz = strValue.GetBuffer(static_cast<int>(nSize));
        DWORD nLength = ::GetEnvironmentVariableA(lpszVar, lpsz, nSize + 1);
        if (nLength == 0)
            break;
        if (nLength <= nSize)
        {
            strValue.ReleaseBuffer(static_cast<int>(nLength));
            *this = static_cast<CString&&>(strValue);
            return TRUE;
        }
        nSize = nLength;   // the variable changed meanwhile
    }
    Empty();
    return FALSE;
}
