// FileLimits.h - size limits of files that are read whole, and the hook by which the
// application supplies its picture chooser to the document.
//
// Notes
// - The limits lie far above any real file of the kind: a file above one is refused
//   unread, so no buffer is ever sized from a file that large.

#pragma once

#include "afx.h"

// Picture files: the largest picture the publication file holds (64M pixels) needs
// 256 MB even uncompressed at 32 bits per pixel.
const ULONGLONG MAX_PICTURE_FILE_BYTES = 512ULL * 1024 * 1024;
// Templates: publication files of the design alone (backgrounds are left out).
const ULONGLONG MAX_TEMPLATE_FILE_BYTES = 1024ULL * 1024 * 1024;
// The tips file beside the program: plain text.
const ULONGLONG MAX_TIPS_FILE_BYTES = 16ULL * 1024 * 1024;

// TRUE when the file exists and holds more than nLimit bytes.
BOOL IsFileOverLimit(LPCSTR pszPath, ULONGLONG nLimit);

// The message that refuses a file above the limit.
CString FileTooLargeMessage(LPCSTR pszPath, ULONGLONG nLimit);

// The picture chooser: the full path of the picture file the user chose, starting in
// strFolder with the given "|"-separated filter and OFN_ flags; empty on Cancel.
typedef CString (*PFN_CHOOSE_PICTURE_FILE)(LPCSTR pszFilter, DWORD dwFlags, const CString& strFolder);
// Set by the application when it starts; NULL means the plain Open dialog.
extern PFN_CHOOSE_PICTURE_FILE g_pfnChoosePictureFile;
