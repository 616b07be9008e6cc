// FileLimits.cpp - size checks of files that are read whole.

#include "FileLimits.h"
#include "afxwin.h"
#include "resources/model_resource.h"

BOOL IsFileOverLimit(LPCSTR pszPath, ULONGLONG nLimit)
{
    if (pszPath == NULL || *pszPath == '\0')
        return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;
    const ULONGLONG nSize = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    return nSize > nLimit;
}

CString FileTooLargeMessage(LPCSTR pszPath, ULONGLONG nLimit)
{
    CString strLimit;
    strLimit.Format("%u MB", (unsigned)(nLimit / (1024 * 1024)));
    CString strText;
    AfxFormatString2(strText, IDS_FILE_TOO_LARGE, pszPath != NULL ? pszPath : "", strLimit);
    return strText;
}
