// FileWriteFailure.h - the cause of a failed file write, in the words saving a
// publication uses for file errors.
//
// Declares: GetFileErrorText, FindWriteFailureCause.
//
// Notes
// - The texts are the class library's file-exception texts ("The disk is full while
//   writing C:\a.png.", "Access to C:\a.png was denied.", "C:\a.png is in use by another
//   program."), so every save and export names a cause the same way.
// - FindWriteFailureCause is for writers that report only failure (image encoders, the
//   PDF library): after the write has failed it asks the system about the target, its
//   folder and the free space of the volume, and gives the first refusal it gets.

#pragma once

#include "afx.h"

// The text of a system error (GetLastError code) met while writing strFile.
CString GetFileErrorText(const CString& strFile, DWORD dwOsError);

// Why writing strFile failed: the folder is missing, the target is a folder, read-only
// or held open by another program, nothing can be created in the folder, or the volume
// has less free space than nBytesNeeded (at least one byte). Empty when none of these
// holds any more.
CString FindWriteFailureCause(const CString& strFile, ULONGLONG nBytesNeeded);
