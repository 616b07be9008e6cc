// TextDraw.h - text conversion and fonts of the text elements' drawing.
//
// Notes
// - Texts are converted whole: no length limit.
// - A face name that is not installed is drawn with a substitute family: the face that
//   GDI's font mapper chooses for it, else the platform's generic sans-serif family.
//   Resolved names are remembered for the life of the process.
// - Vertical text, underline and strike-out are drawn by the platform when it can (checked
//   once); otherwise the text is turned a quarter clockwise and the bars are drawn along
//   the laid-out lines.

#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>

// Text of the ANSI code page as UTF-16 (nLength -1: up to the terminator).
std::wstring AnsiToWide(LPCSTR pszText, int nLength = -1);

// Family name that GDI+ can draw for a face name.
std::wstring ResolveFontFamilyName(LPCSTR pszFaceName);

// GDI+ style of a LOGFONT: bold at weight exactly 700, italic, underline and strike-out
// when their bytes are 1.
INT GetTextFontStyle(const LOGFONT& lf);

// Em size in points of a LOGFONT's height: the height itself; a negative height counts by
// its size and 0 gives the default 12.
float GetTextFontSize(const LOGFONT& lf);

// Font of a text element's LOGFONT with the family resolved as above. NULL when no font
// can be made. The caller deletes it.
Gdiplus::Font* CreateTextFont(const LOGFONT& lf);
