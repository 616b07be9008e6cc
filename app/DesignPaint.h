// DesignPaint.h - switches of the design view's paint.
//
// Notes
// - The normal paint skips elements whose drawn bounds miss the clip box and copies a
//   background picture, when it is the side's first element, from the page as drawn
//   before at the same zoom, side, picture, page and grid. The plain paint draws every
//   element of the side anew; both give the same pixels.

#pragma once

#include "afxwin.h"

// TRUE: every paint draws each element of the side through its own drawing.
void SetPlainDesignPaint(BOOL bPlain);
// Drops the backgrounds kept drawn (they are also replaced when their key changes).
void ForgetDrawnBackgrounds();
