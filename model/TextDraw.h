// TextDraw.h - text conversion and fonts of the text elements' drawing.
//
// Notes
// - Texts are converted whole: no length limit.
// - A face name that is not installed is drawn with a substitute family: the face that
//   GDI's font mapper chooses for it, else the platform's generic sans-serif family.
//   Resolved names are remembered for the life of the process.
// - Vertical text is laid out by the platform when it can (checked once); otherwise the
//   text is turned a quarter clockwise.
// - Underline and strike-out are drawn here, not by the platform: one bar along each
//   laid-out line, at the position and thickness of the face's outline metrics (the
//   underline centred on its position, the strike-out hanging from it, as GDI draws them).
// - A CTextFontScope keeps the fonts it was asked for until it ends, keyed by what the
//   font is made of (face, size, style): a text whose font changed simply asks for another.

#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <vector>

// Underline and strike-out of a face, in ems above the baseline (negative: below).
struct TextDecorationMetrics
{
    float fUnderlinePosition;   // centre of the underline
    float fUnderlineSize;
    float fStrikeoutPosition;   // top of the strike-out
    float fStrikeoutSize;
};

// The decoration metrics of a family in a style (bold and italic count).
TextDecorationMetrics GetTextDecorationMetrics(const std::wstring& strFamily, INT nStyle);

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

// While it lives, the texts drawn on the thread that made it share one font per face,
// size and style (a printed sheet draws the same few fonts in every label). Scopes nest;
// the innermost one serves. The fonts are deleted with the scope.
class CTextFontScope
{
public:
    CTextFontScope();
    ~CTextFontScope();
    CTextFontScope(const CTextFontScope&) = delete;
    CTextFontScope& operator=(const CTextFontScope&) = delete;

    // The font of a LOGFONT, made on the first request (as CreateTextFont does). NULL when
    // no font can be made. The scope keeps it.
    Gdiplus::Font* GetFont(const LOGFONT& lf);
    int GetFontCount() const { return (int)m_entries.size(); }

    // The innermost scope of the calling thread, or NULL.
    static CTextFontScope* GetCurrent();

private:
    struct CEntry
    {
        std::string strFace;
        float fSize;
        INT nStyle;
        Gdiplus::Font* pFont;
    };
    std::vector<CEntry> m_entries;
    CTextFontScope* m_pOuter;
    bool m_bInstalled;
};
