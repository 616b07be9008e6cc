// ExportFailure.cpp - messages of failed picture and PDF writes.

#include "ExportFailure.h"
#include "model/FileWriteFailure.h"
#include "afxwin.h"
#include "resources/export_resource.h"

CString GetWriteFailureMessage(UINT nIDLead, const CString& strFile, ULONGLONG nBytesNeeded)
{
    CString strLead;
    strLead.LoadString(nIDLead);
    const CString strCause = FindWriteFailureCause(strFile, nBytesNeeded);
    return strLead + "\n\n" + (strCause.IsEmpty() ? strFile : strCause);
}

CString GetPdfWriteFailureMessage(const CString& strPdfPath, int nPixelWidth, int nPixelHeight, int nPages,
                                  const CString& strWithoutCause)
{
    // the pictures uncompressed: what the file can hold at most
    const ULONGLONG nBytesNeeded = (ULONGLONG)(nPixelWidth > 0 ? nPixelWidth : 0) *
                                   (ULONGLONG)(nPixelHeight > 0 ? nPixelHeight : 0) * 3 *
                                   (ULONGLONG)(nPages > 0 ? nPages : 1);
    const CString strCause = FindWriteFailureCause(strPdfPath, nBytesNeeded);
    if (strCause.IsEmpty())
        return strWithoutCause;
    CString strText;
    AfxFormatString2(strText, IDS_PDF_WRITE_CAUSE, strPdfPath, strCause);
    return strText;
}
