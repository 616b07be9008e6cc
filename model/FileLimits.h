// FileLimits.h - size limits of files that are read whole.
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

// The message that refuses a picture of nWidth x nHeight pixels, larger than a publication
// holds, with the limits.
CString PictureTooLargeMessage(LPCSTR pszPath, UINT nWidth, UINT nHeight);
