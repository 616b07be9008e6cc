// Pictures of windows: a window saved as a BMP file for people to look at, and the pixels of
// a client area for tests to compare.
#pragma once

#include <windows.h>

#include <vector>

// Copies the window's screen rectangle into a 24-bit BMP file; FALSE when it fails.
bool SaveWindowPicture(HWND hWnd, const char* lpszPath);

// The pixels (0x00RRGGBB, rows top down) of a window's client area as its device context
// shows them now; empty when they cannot be read. Its width in *pnWidth.
std::vector<COLORREF> CaptureClientPixels(HWND hWnd, int* pnWidth);
