// filecore.cpp - CFile over a Win32 file handle.

#include "afx.h"

#include <ctype.h>

#include <commdlg.h>

namespace
{
DWORD LowPart(ULONGLONG n)
{
    return static_cast<DWORD>(n & 0xFFFFFFFFu);
}

DWORD HighPart(ULONGLONG n)
{
    return static_cast<DWORD>(n >> 32);
}
} // namespace

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile()
    : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile)
    : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags)
    : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

// Opens or creates a file as the flags ask; FALSE with the cause in pError on failure.
BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    if (pError != NULL)
    {
        pError->m_cause = CFileException::none;
        pError->m_lOsError = 0;
        pError->m_strFileName = lpszFileName;
    }
    if (lpszFileName == NULL || *lpszFileName == '\0')
    {
        if (pError != NULL)
        {
            pError->m_cause = CFileException::badPath;
            pError->m_lOsError = ERROR_INVALID_NAME;
        }
        return FALSE;
    }

    // Remember the full path.
    char szPath[MAX_PATH * 4];
    LPSTR lpszFilePart = NULL;
    DWORD nPath = ::GetFullPathNameA(lpszFileName, sizeof(szPath), szPath, &lpszFilePart);
    m_strFileName = (nPath > 0 && nPath < sizeof(szPath)) ? szPath : lpszFileName;

    DWORD dwAccess = 0;
    switch (nOpenFlags & 3)
    {
    case modeRead:
        dwAccess = GENERIC_READ;
        break;
    case modeWrite:
        dwAccess = GENERIC_WRITE;
        break;
    case modeReadWrite:
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        if (pError != NULL)
        {
            pError->m_cause = CFileException::genericException;
            pError->m_lOsError = ERROR_INVALID_PARAMETER;
        }
        m_strFileName.Empty();
        return FALSE;
    }

    DWORD dwShareMode = 0;
    switch (nOpenFlags & 0x70)
    {
    case shareDenyWrite:
        dwShareMode = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        dwShareMode = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        dwShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:   // shareCompat, shareExclusive
        dwShareMode = 0;
        break;
    }

    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = NULL;
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

    DWORD dwCreateFlag;
    if (nOpenFlags & modeCreate)
        dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        dwCreateFlag = OPEN_EXISTING;

    DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer)
        dwFlags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough)
        dwFlags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess)
        dwFlags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan)
        dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;

    HANDLE hFile = ::CreateFileA(lpszFileName, dwAccess, dwShareMode, &sa, dwCreateFlag, dwFlags, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        LONG lError = static_cast<LONG>(::GetLastError());
        if (pError != NULL)
        {
            pError->m_lOsError = lError;
            pError->m_cause = CFileException::OsErrorToException(lError);
        }
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    DWORD dwWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &dwWritten, NULL))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

// Moves the file pointer and returns the new position; throws on a bad origin or failure.
ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DWORD dwMethod;
    switch (nFrom)
    {
    case begin:
        dwMethod = FILE_BEGIN;
        break;
    case current:
        dwMethod = FILE_CURRENT;
        break;
    case end:
        dwMethod = FILE_END;
        break;
    default:
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    }
    LARGE_INTEGER liOff;
    LARGE_INTEGER liNew;
    liOff.QuadPart = lOff;
    liNew.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, dwMethod))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(liNew.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER liOff;
    LARGE_INTEGER liPos;
    liOff.QuadPart = 0;
    liPos.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, liOff, &liPos, FILE_CURRENT))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(liPos.QuadPart);
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER liSize;
    liSize.QuadPart = 0;
    if (!::GetFileSizeEx(m_hFile, &liSize))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(liSize.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!::SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::LockFile(m_hFile, LowPart(dwPos), HighPart(dwPos), LowPart(dwCount), HighPart(dwCount)))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::UnlockFile(m_hFile, LowPart(dwPos), HighPart(dwPos), LowPart(dwCount), HighPart(dwCount)))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (!::FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

// Closes the handle, throwing if the system reports a failure (data may not have been written).
void CFile::Close()
{
    BOOL bError = FALSE;
    LONG lError = 0;
    if (m_hFile != hFileNull)
    {
        bError = !::CloseHandle(m_hFile);
        if (bError)
            lError = static_cast<LONG>(::GetLastError());
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    CString strFileName = m_strFileName;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError(lError, strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CFile::Duplicate() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    HANDLE hDup = NULL;
    if (!::DuplicateHandle(::GetCurrentProcess(), m_hFile, ::GetCurrentProcess(), &hDup,
                           0, FALSE, DUPLICATE_SAME_ACCESS))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    CFile* pFile = new CFile(hDup);
    pFile->m_bCloseOnDelete = TRUE;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

UINT CFile::GetBufferPtr(UINT, UINT, void**, void**)
{
    return 0;   // no direct buffer access
}

CString CFile::GetFileName() const
{
    int nSlash = -1;
    for (int i = 0; i < m_strFileName.GetLength(); ++i)
    {
        char ch = m_strFileName[i];
        if (ch == '\\' || ch == '/' || ch == ':')
            nSlash = i;
    }
    return m_strFileName.Mid(nSlash + 1);
}

CString CFile::GetFileTitle() const
{
    CString strName = GetFileName();
    if (strName.IsEmpty())
        return strName;
    char szTitle[MAX_PATH * 4];
    if (::GetFileTitleA(m_strFileName, szTitle, sizeof(szTitle)) == 0)
        return CString(szTitle);
    return strName;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

void PASCAL CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszOldName);
}

void PASCAL CFile::Remove(LPCSTR lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszFileName);
}

/////////////////////////////////////////////////////////////////////////////
// Whole-file saves through a temporary file beside the target

CString AFXAPI AfxGetSaveTempPath(LPCSTR lpszFullPath)
{
    CString strPath = lpszFullPath;
    const int nSlash = strPath.ReverseFind('\\');
    const CString strFolder = strPath.Left(nSlash + 1);
    const CString strName = strPath.Mid(nSlash + 1);
    CString strTemp = strFolder + "~" + strName + ".tmp";
    if (strTemp.GetLength() < MAX_PATH)
        return strTemp;
    // a name of fixed length, the same for the same target (FNV-1a of the lower-case name)
    DWORD dwHash = 2166136261u;
    for (int i = 0; i < strName.GetLength(); i++)
    {
        dwHash ^= (BYTE)tolower((BYTE)strName[i]);
        dwHash *= 16777619u;
    }
    strTemp.Format("%s~sw%08lX.tmp", (LPCSTR)strFolder, (unsigned long)dwHash);
    return strTemp;
}

BOOL AFXAPI AfxIsSaveTempName(LPCSTR lpszFileName)
{
    if (lpszFileName == NULL)
        return FALSE;
    const int nLength = lstrlenA(lpszFileName);
    return nLength > 5 && lpszFileName[0] == '~' && lstrcmpiA(lpszFileName + nLength - 4, ".tmp") == 0;
}

void AFXAPI AfxCheckSaveTarget(LPCSTR lpszFullPath)
{
    // Windows refuses to replace a read-only file; Wine replaces it, so look first.
    const DWORD dwAttrib = ::GetFileAttributesA(lpszFullPath);
    if (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY) != 0)
        AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, lpszFullPath);
}

// Replaces the target by the written temporary file, deleting the temporary if that fails.
void AFXAPI AfxReplaceWithSaveTemp(LPCSTR lpszTempPath, LPCSTR lpszFullPath)
{
    try
    {
        AfxCheckSaveTarget(lpszFullPath);
    }
    catch (CException*)
    {
        ::DeleteFileA(lpszTempPath);
        throw;
    }
    if (!::MoveFileExA(lpszTempPath, lpszFullPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        DWORD dwError = ::GetLastError();
        if (dwError == ERROR_ACCESS_DENIED)
        {
            // a target another program holds open is refused as denied: told as in use
            const HANDLE hTarget = ::CreateFileA(lpszFullPath, GENERIC_WRITE | DELETE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
            if (hTarget != INVALID_HANDLE_VALUE)
                ::CloseHandle(hTarget);
            else if (::GetLastError() == ERROR_SHARING_VIOLATION)
                dwError = ERROR_SHARING_VIOLATION;
        }
        ::DeleteFileA(lpszTempPath);
        AfxThrowFileException(CFileException::OsErrorToException((LONG)dwError), (LONG)dwError, lpszFullPath);
    }
}

// Writes a whole file through its temporary beside it; a file error names the target.
void AFXAPI AfxWriteWholeFile(LPCSTR lpszPath, void (*pfnWrite)(CFile& file, void* pParam), void* pParam)
{
    char szFullPath[MAX_PATH];
    LPSTR pszName = NULL;
    const DWORD nLength = ::GetFullPathNameA(lpszPath, MAX_PATH, szFullPath, &pszName);
    if (nLength == 0 || nLength >= MAX_PATH)
        AfxThrowFileException(CFileException::badPath, -1, lpszPath);
    const CString strTempPath = AfxGetSaveTempPath(szFullPath);
    try
    {
        AfxCheckSaveTarget(szFullPath);
        if (strTempPath.GetLength() >= MAX_PATH)
            AfxThrowFileException(CFileException::badPath, -1, szFullPath);
        CFile file(strTempPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary);
        try
        {
            pfnWrite(file, pParam);
            file.Flush();
            file.Close();
        }
        catch (...)
        {
            file.Abort();
            ::DeleteFileA(strTempPath);
            throw;
        }
        AfxReplaceWithSaveTemp(strTempPath, szFullPath);
    }
    catch (CFileException* e)
    {
        e->m_strFileName = szFullPath;
        throw;
    }
}
