// FileLimits.cpp - size checks of files that are read whole.

#include "FileLimits.h"
#include "afxwin.h"
#include "resources/model_resource.h"
#include "ElementStream.h"

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

// Tells the user a picture's size and the largest side and pixel count the program takes.
CString PictureTooLargeMessage(LPCSTR pszPath, UINT nWidth, UINT nHeight)
{
    CString strSize, strSide, strPixels;
    strSize.Format("%u x %u", nWidth, nHeight);
    strSide.Format("%d", MAX_PICTURE_DIMENSION);
    // 67,108,864
    strPixels.Format("%I64d", (LONGLONG)MAX_PICTURE_PIXELS);
    for (int i = strPixels.GetLength() - 3; i > 0; i -= 3)
        strPixels.Insert(i, ',');
    const LPCTSTR args[4] = { pszPath != NULL ? pszPath : "", strSize, strSide, strPixels };
    CString strFormat, strText;
    strFormat.LoadString(IDS_PICTURE_TOO_LARGE);
    AfxFormatStrings(strText, strFormat, args, 4);
    return strText;
}
