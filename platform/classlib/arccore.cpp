// arccore.cpp - CArchive: buffer, raw data, primitives, counts, strings and
// text lines.

#include "afx.h"

#include <limits.h>

namespace
{
const int nBufSizeMin = 128;
const UINT nStringChunk = 1024 * 1024;   // strings are read in steps of this
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Construction

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_nObjectSchema((UINT)-1), m_nMode(nMode), m_bUserBuf(FALSE),
      m_nBufSize(nBufSize), m_pFile(pFile), m_lpBufCur(NULL), m_lpBufMax(NULL),
      m_lpBufStart(NULL), m_nMapCount(1), m_pMaps(NULL), m_bLastReadBackRef(FALSE),
      m_nReadDepth(0)
{
    if (pFile == NULL)
        AfxThrowInvalidArgException();
    m_strFileName = pFile->GetFilePath();
    if (lpBuf != NULL && nBufSize >= nBufSizeMin)
    {
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
        m_bUserBuf = TRUE;
    }
    else
    {
        if (m_nBufSize < nBufSizeMin)
            m_nBufSize = nBufSizeMin;
        m_lpBufStart = new BYTE[static_cast<size_t>(m_nBufSize)];
    }
    if (IsLoading())
    {
        m_lpBufCur = m_lpBufStart;
        m_lpBufMax = m_lpBufStart;
    }
    else
    {
        m_lpBufCur = m_lpBufStart;
        m_lpBufMax = m_lpBufStart + m_nBufSize;
    }
}

// Flushes a forgotten archive without throwing; callers who must see a failed write call Close.
CArchive::~CArchive()
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete))
    {
        // A destructor must not throw; callers who need to know about a
        // failed write call Close() themselves.
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
        catch (...)
        {
        }
    }
    m_pFile = NULL;
    FreeMaps();
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

// Writes what is buffered and detaches the file, detached even when the write throws.
void CArchive::Close()
{
    if (m_pFile == NULL)
        return;
    try
    {
        Flush();
    }
    catch (...)
    {
        m_pFile = NULL;
        throw;
    }
    m_pFile = NULL;
}

void CArchive::Abort()
{
    m_pFile = NULL;
    m_lpBufCur = m_lpBufStart;
    if (IsLoading())
        m_lpBufMax = m_lpBufStart;
}

// Writes buffered data to the file, or, when loading, moves the file back
// to the first byte not yet read.
void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsStoring())
    {
        BYTE* lpStart = m_lpBufStart;
        UINT nBytes = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
        m_lpBufCur = m_lpBufStart;
        if (nBytes != 0)
            m_pFile->Write(lpStart, nBytes);
    }
    else
    {
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-static_cast<LONGLONG>(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax;
    }
}

UINT CArchive::GetObjectSchema()
{
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return nResult;
}

void CArchive::SetStoreParams(UINT, UINT)
{
}

void CArchive::SetLoadParams(UINT)
{
}

/////////////////////////////////////////////////////////////////////////////
// Buffer

// Makes at least nBytesNeeded more bytes available in the buffer or throws
// endOfFile.
void CArchive::FillBuffer(UINT nBytesNeeded)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    UINT nUnused = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    UINT nTotalNeeded = nUnused + nBytesNeeded;
    if (nTotalNeeded > static_cast<UINT>(m_nBufSize))
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);

    if (nUnused > 0 && m_lpBufCur != m_lpBufStart)
        memmove(m_lpBufStart, m_lpBufCur, nUnused);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnused;

    UINT nRoom = static_cast<UINT>(m_nBufSize) - nUnused;
    while (nRoom > 0)
    {
        UINT nRead = m_pFile->Read(m_lpBufMax, nRoom);
        if (nRead == 0)
            break;
        m_lpBufMax += nRead;
        nRoom -= nRead;
        if (static_cast<UINT>(m_lpBufMax - m_lpBufCur) >= nTotalNeeded)
            break;
    }
    if (static_cast<UINT>(m_lpBufMax - m_lpBufCur) < nTotalNeeded)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

// Reads up to nMax bytes through the buffer; fewer only at the end of the file.
UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);

    BYTE* lpDest = static_cast<BYTE*>(lpBuf);
    UINT nRemaining = nMax;

    // From the buffer first.
    UINT nAvail = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    UINT nCopy = nAvail < nRemaining ? nAvail : nRemaining;
    memcpy(lpDest, m_lpBufCur, nCopy);
    m_lpBufCur += nCopy;
    lpDest += nCopy;
    nRemaining -= nCopy;

    // Large reads go straight to the file, whole multiples of the buffer.
    while (nRemaining >= static_cast<UINT>(m_nBufSize))
    {
        UINT nChunk = nRemaining - nRemaining % static_cast<UINT>(m_nBufSize);
        UINT nRead = m_pFile->Read(lpDest, nChunk);
        if (nRead == 0)
            return nMax - nRemaining;
        lpDest += nRead;
        nRemaining -= nRead;
    }

    // The rest through the buffer.
    while (nRemaining > 0)
    {
        m_lpBufCur = m_lpBufStart;
        m_lpBufMax = m_lpBufStart;
        UINT nRead = m_pFile->Read(m_lpBufStart, static_cast<UINT>(m_nBufSize));
        if (nRead == 0)
            break;
        m_lpBufMax = m_lpBufStart + nRead;
        nCopy = nRead < nRemaining ? nRead : nRemaining;
        memcpy(lpDest, m_lpBufCur, nCopy);
        m_lpBufCur += nCopy;
        lpDest += nCopy;
        nRemaining -= nCopy;
    }
    return nMax - nRemaining;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

// Buffers the bytes, writing large blocks straight to the file.
void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);

    const BYTE* lpSrc = static_cast<const BYTE*>(lpBuf);
    UINT nRoom = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nMax <= nRoom)
    {
        memcpy(m_lpBufCur, lpSrc, nMax);
        m_lpBufCur += nMax;
        return;
    }
    // Fill the buffer, write it, then write large blocks directly.
    memcpy(m_lpBufCur, lpSrc, nRoom);
    m_lpBufCur += nRoom;
    lpSrc += nRoom;
    nMax -= nRoom;
    Flush();
    if (nMax >= static_cast<UINT>(m_nBufSize))
    {
        UINT nDirect = nMax - nMax % static_cast<UINT>(m_nBufSize);
        m_pFile->Write(lpSrc, nDirect);
        lpSrc += nDirect;
        nMax -= nDirect;
    }
    memcpy(m_lpBufCur, lpSrc, nMax);
    m_lpBufCur += nMax;
}

void CArchive::ReadRaw(void* p, UINT n)
{
    UINT nAvail = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nAvail < n || !IsLoading())
        FillBuffer(n - (nAvail < n ? nAvail : n));
    memcpy(p, m_lpBufCur, n);
    m_lpBufCur += n;
}

void CArchive::WriteRaw(const void* p, UINT n)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (static_cast<UINT>(m_lpBufMax - m_lpBufCur) < n)
        Flush();
    memcpy(m_lpBufCur, p, n);
    m_lpBufCur += n;
}

// Bytes still to read, buffered and in the file; ULLONG_MAX when the file cannot tell.
ULONGLONG CArchive::GetRemainingBytes()
{
    if (!IsLoading() || m_pFile == NULL)
        return 0;
    ULONGLONG nBuffered = static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur);
    ULONGLONG nLength = 0;
    ULONGLONG nPosition = 0;
    try
    {
        nLength = m_pFile->GetLength();
        nPosition = m_pFile->GetPosition();
    }
    catch (CException* e)
    {
        e->Delete();
        return ULLONG_MAX;
    }
    return nBuffered + (nLength > nPosition ? nLength - nPosition : 0);
}

void CArchive::CheckAvailable(ULONGLONG nBytes)
{
    if (nBytes <= static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur))
        return;
    if (nBytes > GetRemainingBytes())
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

/////////////////////////////////////////////////////////////////////////////
// Primitives (little-endian, as in memory)

CArchive& CArchive::operator<<(BYTE by) { WriteRaw(&by, sizeof(by)); return *this; }
CArchive& CArchive::operator<<(WORD w) { WriteRaw(&w, sizeof(w)); return *this; }
CArchive& CArchive::operator<<(LONG l) { WriteRaw(&l, sizeof(l)); return *this; }
CArchive& CArchive::operator<<(DWORD dw) { WriteRaw(&dw, sizeof(dw)); return *this; }
CArchive& CArchive::operator<<(float f) { WriteRaw(&f, sizeof(f)); return *this; }
CArchive& CArchive::operator<<(double d) { WriteRaw(&d, sizeof(d)); return *this; }
CArchive& CArchive::operator<<(LONGLONG dwdw) { WriteRaw(&dwdw, sizeof(dwdw)); return *this; }
CArchive& CArchive::operator<<(ULONGLONG dwdw) { WriteRaw(&dwdw, sizeof(dwdw)); return *this; }
CArchive& CArchive::operator<<(int i) { return *this << static_cast<LONG>(i); }
CArchive& CArchive::operator<<(short w) { return *this << static_cast<WORD>(w); }
CArchive& CArchive::operator<<(char ch) { return *this << static_cast<BYTE>(ch); }
CArchive& CArchive::operator<<(wchar_t ch) { return *this << static_cast<WORD>(ch); }
CArchive& CArchive::operator<<(unsigned u) { return *this << static_cast<DWORD>(u); }

CArchive& CArchive::operator>>(BYTE& by) { ReadRaw(&by, sizeof(by)); return *this; }
CArchive& CArchive::operator>>(WORD& w) { ReadRaw(&w, sizeof(w)); return *this; }
CArchive& CArchive::operator>>(DWORD& dw) { ReadRaw(&dw, sizeof(dw)); return *this; }
CArchive& CArchive::operator>>(LONG& l) { ReadRaw(&l, sizeof(l)); return *this; }
CArchive& CArchive::operator>>(float& f) { ReadRaw(&f, sizeof(f)); return *this; }
CArchive& CArchive::operator>>(double& d) { ReadRaw(&d, sizeof(d)); return *this; }
CArchive& CArchive::operator>>(LONGLONG& dwdw) { ReadRaw(&dwdw, sizeof(dwdw)); return *this; }
CArchive& CArchive::operator>>(ULONGLONG& dwdw) { ReadRaw(&dwdw, sizeof(dwdw)); return *this; }

CArchive& CArchive::operator>>(int& i)
{
    LONG l;
    *this >> l;
    i = static_cast<int>(l);
    return *this;
}

CArchive& CArchive::operator>>(short& w)
{
    WORD v;
    *this >> v;
    w = static_cast<short>(v);
    return *this;
}

CArchive& CArchive::operator>>(char& ch)
{
    BYTE v;
    *this >> v;
    ch = static_cast<char>(v);
    return *this;
}

CArchive& CArchive::operator>>(wchar_t& ch)
{
    WORD v;
    *this >> v;
    ch = static_cast<wchar_t>(v);
    return *this;
}

CArchive& CArchive::operator>>(unsigned& u)
{
    DWORD v;
    *this >> v;
    u = static_cast<unsigned>(v);
    return *this;
}

/////////////////////////////////////////////////////////////////////////////
// Counts

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
    {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    if (dwCount > 0xFFFFFFFFu)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(dwCount);
}

// Every counted item of the class library's formats takes at least one
// byte, so a count beyond the remaining bytes is damaged data.
DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    DWORD dwCount = wCount;
    if (wCount == 0xFFFF)
        *this >> dwCount;
    CheckAvailable(dwCount);
    return dwCount;
}

/////////////////////////////////////////////////////////////////////////////
// CString: length prefix of 1, 3 or 7 bytes, then the characters.  On
// reading, the prefix 0xFF 0xFFFE announces UTF-16 characters and is
// followed by a length in the same form.

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    int nLength = string.GetLength();
    if (nLength < 255)
    {
        ar << static_cast<BYTE>(nLength);
    }
    else if (nLength < 0xFFFE)
    {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(nLength);
    }
    else
    {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(nLength);
    }
    ar.Write(static_cast<LPCSTR>(string), static_cast<UINT>(nLength));
    return ar;
}

namespace
{
// Reads a string length prefix.  Returns the length in characters; sets
// bWide when the UTF-16 marker came first.
DWORD ReadStringLength(CArchive& ar, bool& bWide)
{
    bWide = false;
    for (;;)
    {
        BYTE bLength;
        ar >> bLength;
        if (bLength < 0xFF)
            return bLength;
        WORD wLength;
        ar >> wLength;
        if (wLength == 0xFFFE)
        {
            if (bWide)   // a second marker
                AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
            bWide = true;
            continue;
        }
        if (wLength < 0xFFFF)
            return wLength;
        DWORD dwLength;
        ar >> dwLength;
        return dwLength;
    }
}
} // namespace

// Reads a counted string (narrow or wide), growing only with data really there so a bad count cannot exhaust memory.
CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    bool bWide = false;
    DWORD nLength = ReadStringLength(ar, bWide);
    ULONGLONG nBytes = static_cast<ULONGLONG>(nLength) * (bWide ? 2 : 1);
    ar.CheckAvailable(nBytes);
    if (nLength > static_cast<DWORD>(INT_MAX - 1))
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);

    CString strResult;
    if (!bWide)
    {
        // Read in steps so that memory grows only with data actually there
        // (the remaining size may be unknown for some files).
        int nDone = 0;
        while (static_cast<DWORD>(nDone) < nLength)
        {
            UINT nChunk = nLength - static_cast<DWORD>(nDone);
            if (nChunk > nStringChunk)
                nChunk = nStringChunk;
            LPSTR lpsz = strResult.GetBuffer(nDone + static_cast<int>(nChunk));
            ar.EnsureRead(lpsz + nDone, nChunk);
            nDone += static_cast<int>(nChunk);
            strResult.ReleaseBuffer(nDone);
        }
    }
    else if (nLength > 0)
    {
        wchar_t* pWide = NULL;
        DWORD nDone = 0;
        DWORD nAlloc = 0;
        try
        {
            while (nDone < nLength)
            {
                DWORD nChunk = nLength - nDone;
                if (nChunk > nStringChunk / 2)
                    nChunk = nStringChunk / 2;
                if (nDone + nChunk > nAlloc)
                {
                    DWORD nNewAlloc = nAlloc * 2 > nDone + nChunk ? nAlloc * 2 : nDone + nChunk;
                    if (nNewAlloc > nLength)
                        nNewAlloc = nLength;
                    wchar_t* pNew = static_cast<wchar_t*>(
                        realloc(pWide, static_cast<size_t>(nNewAlloc) * sizeof(wchar_t)));
                    if (pNew == NULL)
                        AfxThrowMemoryException();
                    pWide = pNew;
                    nAlloc = nNewAlloc;
                }
                ar.EnsureRead(pWide + nDone, nChunk * sizeof(wchar_t));
                nDone += nChunk;
            }
            strResult = CString(pWide, static_cast<int>(nLength));
        }
        catch (...)
        {
            free(pWide);
            throw;
        }
        free(pWide);
    }
    string = static_cast<CString&&>(strResult);
    return ar;
}

/////////////////////////////////////////////////////////////////////////////
// Text lines

void CArchive::WriteString(LPCSTR lpsz)
{
    if (lpsz != NULL)
        Write(lpsz, static_cast<UINT>(strlen(lpsz)));
}

// Next character of a text line: '\n' for a line end ("\n", "\r\n" or a
// lone "\r"), -1 at the end of the data.
int CArchive::ReadLineChar()
{
    BYTE by;
    if (Read(&by, 1) == 0)
        return -1;
    if (by == '\r')
    {
        BYTE next;
        if (Read(&next, 1) == 1 && next != '\n')
            --m_lpBufCur;   // Read took it from the buffer: put it back
        return '\n';
    }
    return by;
}

// Reads one line into lpsz (at most nMax - 1 characters and a terminator);
// the line end is dropped.  NULL when no character was left.
LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    UINT nRead = 0;
    bool bAny = false;
    while (nRead + 1 < nMax)
    {
        int ch = ReadLineChar();
        if (ch < 0)
            break;
        bAny = true;
        if (ch == '\n')
            break;
        lpsz[nRead++] = static_cast<char>(ch);
    }
    lpsz[nRead] = '\0';
    return bAny ? lpsz : NULL;
}

// Reads a line without its end; FALSE only at the end of the file.
BOOL CArchive::ReadString(CString& rString)
{
    CString strLine;
    bool bAny = false;
    for (;;)
    {
        int ch = ReadLineChar();
        if (ch < 0)
            break;
        bAny = true;
        if (ch == '\n')
            break;
        strLine += static_cast<char>(ch);
    }
    rString = static_cast<CString&&>(strLine);
    return bAny;
}
