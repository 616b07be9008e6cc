// exceptcore.cpp - the exception classes and the AfxThrow functions.

#include "afxwin.h"

#include <errno.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)

namespace
{
// Copies a message into the caller's buffer, cutting it to fit.
BOOL CopyMessage(LPCSTR lpszMessage, LPSTR lpszError, UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, lpszMessage, static_cast<int>(nMaxError));
    return TRUE;
}

CString FileText(const CString& strFileName)
{
    return strFileName.IsEmpty() ? CString("an unnamed file") : strFileName;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CException

CException::CException()
    : m_bAutoDelete(TRUE)
{
}

CException::CException(BOOL bAutoDelete)
    : m_bAutoDelete(bAutoDelete)
{
}

CException::~CException()
{
}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError != 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szMessage[512];
    if (GetErrorMessage(szMessage, sizeof(szMessage)))
        return AfxMessageBox(szMessage, nType);
    CString strMessage;
    if (nMessageID == 0 || !strMessage.LoadString(nMessageID))
        strMessage = "No error message is available.";
    return AfxMessageBox(strMessage, nType);
}

/////////////////////////////////////////////////////////////////////////////
// Simple exceptions

BOOL CSimpleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    LPCSTR lpszMessage = GetDefaultMessage();
    if (lpszMessage == NULL)
    {
        if (lpszError != NULL && nMaxError != 0)
            *lpszError = '\0';
        return FALSE;
    }
    return CopyMessage(lpszMessage, lpszError, nMaxError);
}

LPCSTR CSimpleException::GetDefaultMessage() const
{
    return NULL;
}

LPCSTR CMemoryException::GetDefaultMessage() const
{
    return "Out of memory.";
}

LPCSTR CNotSupportedException::GetDefaultMessage() const
{
    return "The operation is not supported.";
}

LPCSTR CInvalidArgException::GetDefaultMessage() const
{
    return "An invalid argument was encountered.";
}

/////////////////////////////////////////////////////////////////////////////
// CArchiveException

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

// The text that tells the user why an archive could not be read or written.
BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    CString strFile = FileText(m_strFileName);
    CString strMessage;
    switch (m_cause)
    {
    case none:
        strMessage = "No error occurred.";
        break;
    case readOnly:
        strMessage.Format("%s was opened for reading and cannot be written.", (LPCSTR)strFile);
        break;
    case endOfFile:
        strMessage.Format("%s ends unexpectedly.", (LPCSTR)strFile);
        break;
    case writeOnly:
        strMessage.Format("%s was opened for writing and cannot be read.", (LPCSTR)strFile);
        break;
    case badIndex:
    case badClass:
    case badSchema:
        strMessage.Format("%s has an unexpected format.", (LPCSTR)strFile);
        break;
    default:
        strMessage.Format("An error occurred while reading or writing %s.", (LPCSTR)strFile);
        break;
    }
    return CopyMessage(strMessage, lpszError, nMaxError);
}

[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

/////////////////////////////////////////////////////////////////////////////
// CFileException

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

// The text that tells the user why a file operation failed, naming the file.
BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    CString strFile = FileText(m_strFileName);
    CString strMessage;
    switch (m_cause)
    {
    case none:
        strMessage = "No error occurred.";
        break;
    case fileNotFound:
        strMessage.Format("%s was not found.", (LPCSTR)strFile);
        break;
    case badPath:
        strMessage.Format("%s contains an invalid path.", (LPCSTR)strFile);
        break;
    case tooManyOpenFiles:
        strMessage.Format("%s could not be opened because too many files are open.", (LPCSTR)strFile);
        break;
    case accessDenied:
        strMessage.Format("Access to %s was denied.", (LPCSTR)strFile);
        break;
    case invalidFile:
        strMessage.Format("An invalid file handle was used with %s.", (LPCSTR)strFile);
        break;
    case removeCurrentDir:
        strMessage.Format("%s could not be removed because it is the current directory.", (LPCSTR)strFile);
        break;
    case directoryFull:
        strMessage.Format("%s could not be created because the directory is full.", (LPCSTR)strFile);
        break;
    case badSeek:
        strMessage.Format("Seeking in %s failed.", (LPCSTR)strFile);
        break;
    case hardIO:
        strMessage.Format("A hardware error occurred while accessing %s.", (LPCSTR)strFile);
        break;
    case sharingViolation:
        strMessage.Format("%s is in use by another program.", (LPCSTR)strFile);
        break;
    case lockViolation:
        strMessage.Format("A locked region of %s was accessed.", (LPCSTR)strFile);
        break;
    case diskFull:
        strMessage.Format("The disk is full while writing %s.", (LPCSTR)strFile);
        break;
    case endOfFile:
        strMessage.Format("An attempt was made to access %s past its end.", (LPCSTR)strFile);
        break;
    default:
        strMessage.Format("An error occurred while accessing %s.", (LPCSTR)strFile);
        break;
    }
    return CopyMessage(strMessage, lpszError, nMaxError);
}

// The file exception cause of a system error code.
int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_NETPATH:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

// The file exception cause of a C runtime errno.
int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno)
    {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case EMFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EEXIST:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ENOSPC:
        return diskFull;
    case EIO:
        return hardIO;
    default:
        return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), _doserrno, lpszFileName);
}

[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

/////////////////////////////////////////////////////////////////////////////
// Throw helpers for the simple exceptions

[[noreturn]] void AFXAPI AfxThrowMemoryException()
{
    // Allocating an exception when memory is short may fail: use a static
    // object that Delete() leaves alone.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

[[noreturn]] void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException();
}

[[noreturn]] void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException();
}

[[noreturn]] void AFXAPI AfxThrowUserException()
{
    throw new CUserException();
}
