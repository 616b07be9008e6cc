// DesignPaint.h - switches of the design view's paint.
//
// Notes
// - On the screen a background picture is drawn from pieces scaled to the zoom. The
//   normal paint keeps them until the zoom or the picture changes and skips elements
//   whose drawn bounds miss the clip box; the plain paint scales anew and draws every
//   element of the side through its own drawing. Both give the same pixels.
// - The view scales a background itself, in pieces of 128 pixels: each pixel is the one
//   the library's bilinear drawing of the whole picture at its size on the device gives,
//   so pieces agree wherever they meet; a paint at a new zoom scales only the pieces the
//   window shows.
// - The normal paint keeps the desk, page and elements drawn in a frame per view and
//   draws anew only where an element's drawn state changed; after a scroll it moves the
//   frame and draws the strips that come into view, the pictures and the elements across
//   the frame's edges. The library draws an element cut by the edge of its bitmap a
//   little differently from one drawn whole, so both paints draw on a bitmap reaching
//   beyond the window on every side; a picture it draws a little differently wherever it
//   lies. The plain paint draws all.
// - Patterns start at the page's corner, so they keep their place when the view scrolls.
// - Gradient fills of both paints are drawn by the fill painter itself
//   (CGradientFillScope), within two levels of the library's brushes.

#pragma once

#include "afxwin.h"

// TRUE: every paint draws each element of the side through its own drawing.
void SetPlainDesignPaint(BOOL bPlain);
// Drops the backgrounds kept drawn (they are also replaced when their key changes), and
// so the kept frames too.
void ForgetDrawnBackgrounds();
// Has every view draw its kept frame anew at its next paint.
void ForgetDrawnFrames();
