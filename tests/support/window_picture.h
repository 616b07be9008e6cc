// A picture of a window as it stands on the screen, for screenshots people look at.
#pragma once

#include <windows.h>

// Copies the window's screen rectangle into a 24-bit BMP file; FALSE when it fails.
bool SaveWindowPicture(HWND hWnd, const char* lpszPath);
