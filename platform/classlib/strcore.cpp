// strcore.cpp - CString: storage, assignment, concatenation and comparison.

#include "afx.h"

#include <limits.h>
#include <stdio.h>

namespace
{
// Shared text of every empty string that has no buffer of its own; never
// written to.
char g_chNil[1] = { '\0' };

// Allocates room for nLength characters and a terminator.
LPSTR AllocChars(int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    LPSTR p = static_cast<LPSTR>(malloc(static_cast<size_t>(nLength) + 1));
    if (p == NULL)
        AfxThrowMemoryException();
    return p;
}

int SafeLength(LPCSTR lpsz)
{
    if (lpsz == NULL)
        return 0;
    size_t n = strlen(lpsz);
    if (n > INT_MAX - 1)
        AfxThrowMemoryException();
    return static_cast<int>(n);
}

// Sum of two lengths, refusing sizes an int cannot hold.
int AddLengths(int n1, int n2)
{
    if (n1 < 0 || n2 < 0)
        AfxThrowInvalidArgException();
    if (n1 > INT_MAX - 1 - n2)
        AfxThrowMemoryException();
    return n1 + n2;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Storage

void CString::FreeData()
{
    if (m_nAllocLength != 0)
        free(m_pchData);
    m_pchData = g_chNil;
    m_nDataLength = 0;
    m_nAllocLength = 0;
}

// Makes room for nLength characters; keeps the text when bKeep.  Always
// leaves a buffer of this string's own.
void CString::Reserve(int nLength, bool bKeep)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (m_nAllocLength != 0 && nLength <= m_nAllocLength)
        return;
    int nAlloc = nLength;
    if (m_nAllocLength != 0 && bKeep)
    {
        // Grow geometrically so that repeated appends stay linear.
        int nGrown = m_nAllocLength < INT_MAX / 2 ? m_nAllocLength * 2 : INT_MAX - 1;
        if (nGrown > nAlloc)
            nAlloc = nGrown;
    }
    if (nAlloc < 15)
        nAlloc = 15;
    LPSTR pNew = AllocChars(nAlloc);
    int nKeep = bKeep ? m_nDataLength : 0;
    memcpy(pNew, m_pchData, static_cast<size_t>(nKeep));
    pNew[nKeep] = '\0';
    if (m_nAllocLength != 0)
        free(m_pchData);
    m_pchData = pNew;
    m_nAllocLength = nAlloc;
    m_nDataLength = nKeep;
}

void CString::SetLength(int nLength)
{
    m_nDataLength = nLength;
    if (m_nAllocLength != 0)
        m_pchData[nLength] = '\0';
}

// Replaces the text; lpsz may point into this string.
void CString::AssignCopy(LPCSTR lpsz, int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength == 0)
    {
        if (m_nAllocLength != 0)
            SetLength(0);
        return;
    }
    if (m_nAllocLength != 0 && nLength <= m_nAllocLength)
    {
        memmove(m_pchData, lpsz, static_cast<size_t>(nLength));
        SetLength(nLength);
        return;
    }
    LPSTR pNew = AllocChars(nLength);
    memcpy(pNew, lpsz, static_cast<size_t>(nLength));
    pNew[nLength] = '\0';
    if (m_nAllocLength != 0)
        free(m_pchData);
    m_pchData = pNew;
    m_nAllocLength = nLength;
    m_nDataLength = nLength;
}

// Appends characters; lpsz may point into this string.
void CString::AppendCopy(LPCSTR lpsz, int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength == 0)
        return;
    int nNewLength = AddLengths(m_nDataLength, nLength);
    if (m_nAllocLength != 0 && nNewLength <= m_nAllocLength)
    {
        memmove(m_pchData + m_nDataLength, lpsz, static_cast<size_t>(nLength));
        SetLength(nNewLength);
        return;
    }
    int nAlloc = nNewLength;
    if (m_nAllocLength != 0)
    {
        int nGrown = m_nAllocLength < INT_MAX / 2 ? m_nAllocLength * 2 : INT_MAX - 1;
        if (nGrown > nAlloc)
            nAlloc = nGrown;
    }
    LPSTR pNew = AllocChars(nAlloc);
    memcpy(pNew, m_pchData, static_cast<size_t>(m_nDataLength));
    memcpy(pNew + m_nDataLength, lpsz, static_cast<size_t>(nLength));  // old buffer still valid
    pNew[nNewLength] = '\0';
    if (m_nAllocLength != 0)
        free(m_pchData);
    m_pchData = pNew;
    m_nAllocLength = nAlloc;
    m_nDataLength = nNewLength;
}

// Takes a wide string, converted to the ANSI code page; empty if it cannot be converted.
void CString::AssignWide(LPCWSTR lpsz, int nLength)
{
    if (lpsz == NULL || nLength <= 0)
    {
        Empty();
        return;
    }
    int nChars = ::WideCharToMultiByte(CP_ACP, 0, lpsz, nLength, NULL, 0, NULL, NULL);
    if (nChars <= 0)
    {
        Empty();
        return;
    }
    CString strResult;
    strResult.Reserve(nChars, false);
    ::WideCharToMultiByte(CP_ACP, 0, lpsz, nLength, strResult.m_pchData, nChars, NULL, NULL);
    strResult.SetLength(nChars);
    *this = static_cast<CString&&>(strResult);
}

/////////////////////////////////////////////////////////////////////////////
// Construction

CString::CString()
    : m_pchData(g_chNil), m_nDataLength(0), m_nAllocLength(0)
{
}

CString::CString(const CString& stringSrc)
    : CString()
{
    AssignCopy(stringSrc.m_pchData, stringSrc.m_nDataLength);
}

CString::CString(CString&& stringSrc) noexcept
    : m_pchData(stringSrc.m_pchData),
      m_nDataLength(stringSrc.m_nDataLength),
      m_nAllocLength(stringSrc.m_nAllocLength)
{
    stringSrc.m_pchData = g_chNil;
    stringSrc.m_nDataLength = 0;
    stringSrc.m_nAllocLength = 0;
}

CString::CString(LPCSTR lpsz)
    : CString()
{
    if (lpsz != NULL && IS_INTRESOURCE(lpsz))
        LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(lpsz)));
    else
        AssignCopy(lpsz, SafeLength(lpsz));
}

CString::CString(LPCWSTR lpsz)
    : CString()
{
    if (lpsz != NULL && IS_INTRESOURCE(lpsz))
        LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(lpsz)));
    else if (lpsz != NULL)
        AssignWide(lpsz, static_cast<int>(wcslen(lpsz)));
}

CString::CString(LPCSTR lpch, int nLength)
    : CString()
{
    if (nLength > 0 && lpch == NULL)
        AfxThrowInvalidArgException();
    AssignCopy(lpch, nLength);
}

CString::CString(LPCWSTR lpch, int nLength)
    : CString()
{
    if (nLength < 0 || (nLength > 0 && lpch == NULL))
        AfxThrowInvalidArgException();
    AssignWide(lpch, nLength);
}

CString::CString(const unsigned char* lpsz)
    : CString(reinterpret_cast<LPCSTR>(lpsz))
{
}

CString::CString(char ch, int nRepeat)
    : CString()
{
    if (nRepeat > 0)
    {
        Reserve(nRepeat, false);
        memset(m_pchData, ch, static_cast<size_t>(nRepeat));
        SetLength(nRepeat);
    }
}

CString::CString(wchar_t ch, int nRepeat)
    : CString()
{
    if (nRepeat > 0)
    {
        char szChar[8];
        int nBytes = ::WideCharToMultiByte(CP_ACP, 0, &ch, 1, szChar, sizeof(szChar), NULL, NULL);
        for (int i = 0; i < nRepeat && nBytes > 0; ++i)
            AppendCopy(szChar, nBytes);
    }
}

CString::~CString()
{
    FreeData();
}

/////////////////////////////////////////////////////////////////////////////
// Assignment and concatenation

CString& CString::operator=(const CString& stringSrc)
{
    if (this != &stringSrc)
        AssignCopy(stringSrc.m_pchData, stringSrc.m_nDataLength);
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc)
    {
        FreeData();
        m_pchData = stringSrc.m_pchData;
        m_nDataLength = stringSrc.m_nDataLength;
        m_nAllocLength = stringSrc.m_nAllocLength;
        stringSrc.m_pchData = g_chNil;
        stringSrc.m_nDataLength = 0;
        stringSrc.m_nAllocLength = 0;
    }
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    AssignCopy(lpsz, SafeLength(lpsz));
    return *this;
}

CString& CString::operator=(LPCWSTR lpsz)
{
    AssignWide(lpsz, lpsz != NULL ? static_cast<int>(wcslen(lpsz)) : 0);
    return *this;
}

CString& CString::operator=(const unsigned char* lpsz)
{
    return *this = reinterpret_cast<LPCSTR>(lpsz);
}

CString& CString::operator=(char ch)
{
    AssignCopy(&ch, 1);
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    AssignWide(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& string)
{
    AppendCopy(string.m_pchData, string.m_nDataLength);
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    AppendCopy(lpsz, SafeLength(lpsz));
    return *this;
}

CString& CString::operator+=(LPCWSTR lpsz)
{
    return *this += CString(lpsz);
}

CString& CString::operator+=(char ch)
{
    AppendCopy(&ch, 1);
    return *this;
}

CString& CString::operator+=(unsigned char ch)
{
    return *this += static_cast<char>(ch);
}

CString& CString::operator+=(wchar_t ch)
{
    return *this += CString(ch);
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    CString s;
    s.Reserve(AddLengths(string1.GetLength(), string2.GetLength()), false);
    s.AppendCopy(string1, string1.GetLength());
    s.AppendCopy(string2, string2.GetLength());
    return s;
}

CString AFXAPI operator+(const CString& string, LPCSTR lpsz)
{
    CString s(string);
    s += lpsz;
    return s;
}

CString AFXAPI operator+(LPCSTR lpsz, const CString& string)
{
    CString s(lpsz);
    s += string;
    return s;
}

CString AFXAPI operator+(const CString& string, char ch)
{
    CString s(string);
    s += ch;
    return s;
}

CString AFXAPI operator+(char ch, const CString& string)
{
    CString s(ch);
    s += string;
    return s;
}

CString AFXAPI operator+(const CString& string, wchar_t ch)
{
    CString s(string);
    s += ch;
    return s;
}

CString AFXAPI operator+(wchar_t ch, const CString& string)
{
    CString s(ch);
    s += string;
    return s;
}

void CString::SetString(LPCSTR lpsz)
{
    AssignCopy(lpsz, SafeLength(lpsz));
}

void CString::SetString(LPCSTR lpsz, int nLength)
{
    if (nLength > 0 && lpsz == NULL)
        AfxThrowInvalidArgException();
    AssignCopy(lpsz, nLength);
}

void CString::Append(LPCSTR lpsz)
{
    AppendCopy(lpsz, SafeLength(lpsz));
}

void CString::Append(LPCSTR lpsz, int nLength)
{
    if (nLength > 0 && lpsz == NULL)
        AfxThrowInvalidArgException();
    AppendCopy(lpsz, nLength);
}

void CString::Append(const CString& string)
{
    AppendCopy(string.m_pchData, string.m_nDataLength);
}

void CString::AppendChar(char ch)
{
    AppendCopy(&ch, 1);
}

/////////////////////////////////////////////////////////////////////////////
// Element access

void CString::Empty()
{
    FreeData();
}

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nDataLength)
        AfxThrowInvalidArgException();
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex < 0 || nIndex >= m_nDataLength)
        AfxThrowInvalidArgException();
    m_pchData[nIndex] = ch;
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > m_nDataLength)
        AfxThrowInvalidArgException();
    if (m_nAllocLength != 0)
        SetLength(nNewLength);
}

/////////////////////////////////////////////////////////////////////////////
// Raw buffer access

LPSTR CString::GetBuffer()
{
    Reserve(m_nDataLength, true);
    return m_pchData;
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        AfxThrowInvalidArgException();
    Reserve(nMinBufLength > m_nDataLength ? nMinBufLength : m_nDataLength, true);
    return m_pchData;
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    GetBuffer(nNewLength);
    SetLength(nNewLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_nAllocLength == 0)
        return;
    if (nNewLength < 0)
    {
        const void* pEnd = memchr(m_pchData, '\0', static_cast<size_t>(m_nAllocLength));
        nNewLength = pEnd != NULL ? static_cast<int>(static_cast<LPCSTR>(pEnd) - m_pchData)
                                  : m_nAllocLength;
    }
    if (nNewLength > m_nAllocLength)
        nNewLength = m_nAllocLength;
    SetLength(nNewLength);
}

void CString::ReleaseBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    ReleaseBuffer(nNewLength);
}

void CString::Preallocate(int nLength)
{
    if (nLength > m_nDataLength)
        Reserve(nLength, true);
}

void CString::FreeExtra()
{
    if (m_nAllocLength == 0 || m_nAllocLength == m_nDataLength)
        return;
    if (m_nDataLength == 0)
    {
        FreeData();
        return;
    }
    CString s(m_pchData, m_nDataLength);
    *this = static_cast<CString&&>(s);
}

/////////////////////////////////////////////////////////////////////////////
// Comparison

namespace
{
int Sign(int n)
{
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}
} // namespace

int CString::Compare(LPCSTR lpsz) const
{
    return Sign(strcmp(m_pchData, lpsz != NULL ? lpsz : ""));
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    return Sign(_stricmp(m_pchData, lpsz != NULL ? lpsz : ""));
}

int CString::Collate(LPCSTR lpsz) const
{
    int nResult = ::CompareStringA(LOCALE_USER_DEFAULT, 0, m_pchData, -1,
                                   lpsz != NULL ? lpsz : "", -1);
    return nResult != 0 ? nResult - CSTR_EQUAL : Compare(lpsz);
}

int CString::CollateNoCase(LPCSTR lpsz) const
{
    int nResult = ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, m_pchData, -1,
                                   lpsz != NULL ? lpsz : "", -1);
    return nResult != 0 ? nResult - CSTR_EQUAL : CompareNoCase(lpsz);
}

bool AFXAPI operator==(const CString& s1, const CString& s2)
{
    return s1.GetLength() == s2.GetLength() && s1.Compare(s2) == 0;
}
bool AFXAPI operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
bool AFXAPI operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool AFXAPI operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
bool AFXAPI operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
bool AFXAPI operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }
