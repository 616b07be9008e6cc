// ExportFailure.h - the messages of a picture or PDF file that could not be written,
// naming the file and the cause the system gives (FindWriteFailureCause).

#pragma once

#include "afx.h"

// The string nIDLead ("Failed to save."), then the cause for strFile, or the file's
// name when no cause is found. nBytesNeeded: about what the file needs.
CString GetWriteFailureMessage(UINT nIDLead, const CString& strFile, ULONGLONG nBytesNeeded);

// "Error writing to pdf file: <name>" and the cause, for nPages pictures of
// nPixelWidth x nPixelHeight; strWithoutCause when no cause is found.
CString GetPdfWriteFailureMessage(const CString& strPdfPath, int nPixelWidth, int nPixelHeight, int nPages,
                                  const CString& strWithoutCause);
