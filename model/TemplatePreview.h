// TemplatePreview.h - the picture of a design that the new-publication wizard shows.

#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "ElementStream.h"

class CVarnelDoc;

// Longest side of a preview picture in pixels: the largest design the program makes.
const int MAX_PREVIEW_SIDE = 2500;

// A new 32-bit ARGB picture of nWidth x nHeight pixels (one per hundredth of an inch;
// a design with a side above MAX_PREVIEW_SIDE is scaled down to fit that side),
// white, with the background picture file stretched over it when a path is given, then,
// when bDrawElements is set, every element of side nSide drawn in list order. NULL when
// no picture of that size can be made. The caller deletes it.
Gdiplus::Bitmap* RenderDesignPreview(CElementList& list, int nSide, int nWidth, int nHeight,
                                     LPCSTR pszBackgroundPath, BOOL bDrawElements);

// The preview of a template: when the template path is not empty, the file is read into
// doc (a document made for the purpose; file and format errors pass to the caller as the
// class library's exceptions), then the picture of doc's design and shown side as above,
// with the elements drawn only when a template was read.
Gdiplus::Bitmap* RenderTemplatePreview(CVarnelDoc& doc, LPCSTR pszTemplatePath,
                                       LPCSTR pszBackgroundPath);
