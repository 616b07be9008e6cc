// HelveticaMetrics.h - metrics of the standard font Helvetica in WinAnsiEncoding.
//
// Declares: the advance widths and the vertical metrics used to measure and
// place text.  Widths are in thousandths of the em size; code points without
// a glyph in WinAnsiEncoding (control characters and the five unused codes)
// have width 0 and are left out of drawn text.
#pragma once

namespace Helvetica
{

const int kAscent = 931;      // top of the line cell above the baseline (font box)
const int kDescent = 225;     // bottom of the line cell below the baseline
const int kLineHeight = kAscent + kDescent;

// Advance width of one character code, 0 when the code has no glyph.
int CharWidth(unsigned char c);

// True when the code has a glyph in WinAnsiEncoding.
inline bool HasGlyph(unsigned char c) { return CharWidth(c) != 0; }

} // namespace Helvetica
