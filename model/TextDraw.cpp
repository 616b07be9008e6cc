// TextDraw.cpp - text conversion, font resolution and the drawing body of the texts.

#include "TextDraw.h"
#include "ElementDraw.h"
#include "ShapeOutlines.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <stdlib.h>
#include <string.h>
#include <vector>

using namespace Gdiplus;

namespace
{
std::mutex g_familyLock;
std::map<std::string, std::wstring> g_familyNames;   // face name -> family drawn

bool IsFamilyInstalled(const std::wstring& strName)
{
    if (strName.empty())
        return false;
    FontFamily family(strName.c_str());
    return family.GetLastStatus() == Ok;
}

// The face GDI's font mapper picks for a face name.
std::wstring MappedFaceName(LPCSTR pszFaceName)
{
    std::wstring strMapped;
    HDC hDC = CreateCompatibleDC(NULL);
    if (hDC == NULL)
        return strMapped;
    LOGFONTA lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = 12;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, pszFaceName, LF_FACESIZE);
    HFONT hFont = CreateFontIndirectA(&lf);
    if (hFont != NULL)
    {
        HGDIOBJ hOld = SelectObject(hDC, hFont);
        WCHAR szFace[LF_FACESIZE] = { 0 };
        if (GetTextFaceW(hDC, LF_FACESIZE, szFace) > 0)
            strMapped = szFace;
        SelectObject(hDC, hOld);
        DeleteObject(hFont);
    }
    DeleteDC(hDC);
    return strMapped;
}

std::wstring GenericFamilyName()
{
    const FontFamily* pGeneric = FontFamily::GenericSansSerif();
    WCHAR szName[LF_FACESIZE] = { 0 };
    if (pGeneric != NULL && pGeneric->GetFamilyName(szName) == Ok)
        return szName;
    return L"Tahoma";
}

// Platform abilities, checked once: 0 not yet, 1 yes, 2 no.
volatile LONG g_nVerticalProbe = 0;

// TRUE when the platform lays vertical text out top to bottom.
bool PlatformDrawsVertical()
{
    if (g_nVerticalProbe == 0)
    {
        Bitmap bitmap(4, 4, PixelFormat32bppARGB);
        Graphics g(&bitmap);
        Font font(FontFamily::GenericSansSerif(), 14, FontStyleRegular, UnitPixel);
        StringFormat format;
        format.SetFormatFlags(StringFormatFlagsDirectionVertical);
        RectF bounds;
        const bool bVertical =
            g.MeasureString(L"HHHH", 4, &font, RectF(0, 0, 1000, 1000), &format, &bounds) == Ok &&
            bounds.Height > bounds.Width;
        InterlockedExchange(&g_nVerticalProbe, bVertical ? 1 : 2);
    }
    return g_nVerticalProbe == 1;
}

// Underline and strike-out of a face as fractions of the em (GDI's outline metrics);
// remembered per face and style.
std::mutex g_decorationLock;
std::map<std::pair<std::wstring, INT>, TextDecorationMetrics> g_decorations;

// Underline and strike-out of drawn text: one bar per laid-out line, from the line's
// first to its last drawn character, where the font puts them; clipped to the layout
// rectangle as the glyphs are.
void DrawTextDecorations(Graphics* pGraphics, const std::wstring& strText, Font* pFont,
                         const RectF& rcLayout, const StringFormat& format, Brush* pBrush,
                         INT nStyle)
{
    const int nLength = (int)strText.size();
    struct CCharBox
    {
        RectF box;
        bool bInk;      // not a blank
    };
    std::vector<CCharBox> boxes;
    for (int nStart = 0; nStart < nLength; nStart += 32)
    {
        const int nCount = std::min(32, nLength - nStart);
        CharacterRange ranges[32];
        for (int i = 0; i < nCount; i++)
            ranges[i] = CharacterRange(nStart + i, 1);
        StringFormat measure(&format);
        measure.SetMeasurableCharacterRanges(nCount, ranges);
        Region regions[32];
        if (pGraphics->MeasureCharacterRanges(strText.c_str(), nLength, pFont, rcLayout, &measure,
                                              nCount, regions) != Ok)
            return;
        for (int i = 0; i < nCount; i++)
        {
            RectF box;
            if (regions[i].GetBounds(&box, pGraphics) == Ok && box.Width > 0 && box.Height > 0)
                boxes.push_back(CCharBox{ box, strText[nStart + i] != L' ' });
        }
    }
    if (boxes.empty())
        return;

    FontFamily family;
    if (pFont->GetFamily(&family) != Ok)
        return;
    WCHAR szFamily[LF_FACESIZE] = { 0 };
    family.GetFamilyName(szFamily);
    const INT nFamilyStyle = nStyle & (FontStyleBold | FontStyleItalic);
    const float fLineSpacing = (float)family.GetLineSpacing(nFamilyStyle);
    if (fLineSpacing <= 0)
        return;
    const float fLineHeight = pFont->GetHeight(pGraphics);
    const float fAscent = fLineHeight * family.GetCellAscent(nFamilyStyle) / fLineSpacing;
    const float fEm = fLineHeight * family.GetEmHeight(nFamilyStyle) / fLineSpacing;
    const TextDecorationMetrics metrics = GetTextDecorationMetrics(szFamily, nFamilyStyle);

    // Lines are the runs of boxes with one top: from the first character to the last one
    // drawn, the bars over the drawn ones.
    struct CTextLine
    {
        float fTop, fLeft, fRight, fInkLeft, fInkRight;
        bool bInk;
    };
    std::stable_sort(boxes.begin(), boxes.end(),
                     [](const CCharBox& a, const CCharBox& b) { return a.box.Y < b.box.Y; });
    std::vector<CTextLine> lines;
    for (const CCharBox& c : boxes)
    {
        if (lines.empty() || c.box.Y - lines.back().fTop >= 0.5f)
            lines.push_back(CTextLine{ c.box.Y, c.box.X, c.box.X, 0, 0, false });
        CTextLine& line = lines.back();
        line.fLeft = std::min(line.fLeft, c.box.X);
        if (!c.bInk)
            continue;
        line.fRight = std::max(line.fRight, c.box.X + c.box.Width);
        line.fInkLeft = line.bInk ? std::min(line.fInkLeft, c.box.X) : c.box.X;
        line.fInkRight = line.bInk ? std::max(line.fInkRight, c.box.X + c.box.Width) : c.box.X + c.box.Width;
        line.bInk = true;
    }
    // The lines where the layout draws them: the measured boxes may stand where near
    // alignment would put them.
    float dy = 0;
    const bool bHorizontal = (format.GetFormatFlags() & StringFormatFlagsDirectionVertical) == 0;
    if (bHorizontal)
    {
        const float fBlock = lines.back().fTop + fLineHeight - lines.front().fTop;
        dy = rcLayout.Y + (rcLayout.Height - fBlock) * (int)format.GetLineAlignment() / 2 - lines.front().fTop;
    }

    const GraphicsState state = pGraphics->Save();
    pGraphics->SetClip(rcLayout, CombineModeIntersect);
    for (const CTextLine& line : lines)
    {
        if (!line.bInk)
            continue;
        // the layout keeps a sixth of the em free at both ends of a line
        const float fPad = fEm / 6;
        const float dx = bHorizontal ? rcLayout.X + fPad + (rcLayout.Width - 2 * fPad - (line.fRight - line.fLeft)) *
                                                               (int)format.GetAlignment() / 2 - line.fLeft
                                     : 0;
        const float fLeft = line.fInkLeft + dx, fRight = line.fInkRight + dx;
        const float fBaseline = line.fTop + dy + fAscent;
        if (nStyle & FontStyleUnderline)
        {
            const float fSize = std::max(metrics.fUnderlineSize * fEm, 0.5f);
            pGraphics->FillRectangle(pBrush, fLeft, fBaseline - metrics.fUnderlinePosition * fEm - fSize / 2,
                                     fRight - fLeft, fSize);
        }
        if (nStyle & FontStyleStrikeout)
        {
            const float fSize = std::max(metrics.fStrikeoutSize * fEm, 0.5f);
            pGraphics->FillRectangle(pBrush, fLeft, fBaseline - metrics.fStrikeoutPosition * fEm,
                                     fRight - fLeft, fSize);
        }
    }
    pGraphics->Restore(state);
}

// Line breaks as the layout takes them: CR LF and a lone CR become LF (the same lines; a
// CR is not drawn as a character).
std::wstring ToDrawnLineBreaks(const std::wstring& strText)
{
    if (strText.find(L'\r') == std::wstring::npos)
        return strText;
    std::wstring strResult;
    strResult.reserve(strText.size());
    for (size_t i = 0; i < strText.size(); i++)
    {
        if (strText[i] != L'\r')
            strResult += strText[i];
        else if (i + 1 >= strText.size() || strText[i + 1] != L'\n')
            strResult += L'\n';
    }
    return strResult;
}

// Distinct fonts a scope keeps; further fonts are made and deleted per drawing.
const size_t kMaxScopeFonts = 64;

// Slot of the calling thread's innermost font scope.
DWORD FontScopeSlot()
{
    static const DWORD nSlot = TlsAlloc();
    return nSlot;
}

LOGFONT DefaultTextLogFont()
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = 12;
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = 32;
    lstrcpynA(lf.lfFaceName, "Arial Narrow", LF_FACESIZE);
    return lf;
}
}

// Where underline and strikeout lie for a family and style, as fractions of the em: read once from the
// font's outline metrics and kept.
TextDecorationMetrics GetTextDecorationMetrics(const std::wstring& strFamily, INT nStyle)
{
    const std::pair<std::wstring, INT> key(strFamily, nStyle & (FontStyleBold | FontStyleItalic));
    {
        std::lock_guard<std::mutex> lock(g_decorationLock);
        auto it = g_decorations.find(key);
        if (it != g_decorations.end())
            return it->second;
    }
    // what GDI+ draws for a style without outline metrics: a twentieth of the em
    TextDecorationMetrics metrics = { -0.1f, 0.05f, 0.3f, 0.05f };
    const int kEm = 2048;
    LOGFONTW lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -kEm;
    lf.lfWeight = (key.second & FontStyleBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (key.second & FontStyleItalic) ? 1 : 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, strFamily.c_str(), LF_FACESIZE);
    HDC hDC = CreateCompatibleDC(NULL);
    HFONT hFont = hDC != NULL ? CreateFontIndirectW(&lf) : NULL;
    if (hFont != NULL)
    {
        HGDIOBJ hOld = SelectObject(hDC, hFont);
        OUTLINETEXTMETRICW otm;
        memset(&otm, 0, sizeof(otm));
        otm.otmSize = sizeof(otm);
        if (GetOutlineTextMetricsW(hDC, sizeof(otm), &otm) != 0 && otm.otmsUnderscoreSize > 0 &&
            otm.otmsStrikeoutSize > 0)
        {
            metrics.fUnderlinePosition = (float)otm.otmsUnderscorePosition / kEm;
            metrics.fUnderlineSize = (float)otm.otmsUnderscoreSize / kEm;
            metrics.fStrikeoutPosition = (float)otm.otmsStrikeoutPosition / kEm;
            metrics.fStrikeoutSize = (float)otm.otmsStrikeoutSize / kEm;
        }
        SelectObject(hDC, hOld);
        DeleteObject(hFont);
    }
    if (hDC != NULL)
        DeleteDC(hDC);
    std::lock_guard<std::mutex> lock(g_decorationLock);
    g_decorations[key] = metrics;
    return metrics;
}

std::wstring AnsiToWide(LPCSTR pszText, int nLength)
{
    if (pszText == NULL || nLength == 0)
        return std::wstring();
    if (nLength < 0)
        nLength = lstrlenA(pszText);
    const int nWide = MultiByteToWideChar(CP_ACP, 0, pszText, nLength, NULL, 0);
    if (nWide <= 0)
        return std::wstring();
    std::wstring strWide((size_t)nWide, L'\0');
    MultiByteToWideChar(CP_ACP, 0, pszText, nLength, &strWide[0], nWide);
    return strWide;
}

// The installed family a face draws with: the face, its substitute, else the generic one; kept per face.
std::wstring ResolveFontFamilyName(LPCSTR pszFaceName)
{
    const std::string strFace = pszFaceName != NULL ? pszFaceName : "";
    {
        std::lock_guard<std::mutex> lock(g_familyLock);
        auto it = g_familyNames.find(strFace);
        if (it != g_familyNames.end())
            return it->second;
    }

    std::wstring strFamily = AnsiToWide(strFace.c_str());
    if (!IsFamilyInstalled(strFamily))
    {
        strFamily = MappedFaceName(strFace.c_str());
        if (!IsFamilyInstalled(strFamily))
            strFamily = GenericFamilyName();
    }

    std::lock_guard<std::mutex> lock(g_familyLock);
    g_familyNames[strFace] = strFamily;
    return strFamily;
}

INT GetTextFontStyle(const LOGFONT& lf)
{
    INT nStyle = FontStyleRegular;
    if (lf.lfWeight == 700)
        nStyle |= FontStyleBold;
    if (lf.lfItalic == 1)
        nStyle |= FontStyleItalic;
    if (lf.lfUnderline == 1)
        nStyle |= FontStyleUnderline;
    if (lf.lfStrikeOut == 1)
        nStyle |= FontStyleStrikeout;
    return nStyle;
}

float GetTextFontSize(const LOGFONT& lf)
{
    if (lf.lfHeight == 0)
        return 12.0f;
    return (float)labs(lf.lfHeight);
}

// A GDI+ font for a LOGFONT, falling back to the regular style, then the generic family; NULL if none works.
Font* CreateTextFont(const LOGFONT& lf)
{
    const std::wstring strFamily = ResolveFontFamilyName(lf.lfFaceName);
    const float fSize = GetTextFontSize(lf);
    const INT nStyle = GetTextFontStyle(lf);

    Font* pFont = new Font(strFamily.c_str(), fSize, nStyle, UnitPoint);
    if (pFont->GetLastStatus() == Ok)
        return pFont;
    delete pFont;
    // A family without the style: the regular face, then the generic family.
    pFont = new Font(strFamily.c_str(), fSize, FontStyleRegular, UnitPoint);
    if (pFont->GetLastStatus() == Ok)
        return pFont;
    delete pFont;
    pFont = new Font(GenericFamilyName().c_str(), fSize, nStyle, UnitPoint);
    if (pFont->GetLastStatus() == Ok)
        return pFont;
    delete pFont;
    return NULL;
}

CTextFontScope::CTextFontScope()
    : m_pOuter(NULL), m_bInstalled(false)
{
    const DWORD nSlot = FontScopeSlot();
    if (nSlot == TLS_OUT_OF_INDEXES)
        return;
    m_pOuter = static_cast<CTextFontScope*>(TlsGetValue(nSlot));
    m_bInstalled = TlsSetValue(nSlot, this) != FALSE;
}

CTextFontScope::~CTextFontScope()
{
    if (m_bInstalled)
        TlsSetValue(FontScopeSlot(), m_pOuter);
    for (CEntry& entry : m_entries)
        delete entry.pFont;
}

CTextFontScope* CTextFontScope::GetCurrent()
{
    const DWORD nSlot = FontScopeSlot();
    return nSlot != TLS_OUT_OF_INDEXES ? static_cast<CTextFontScope*>(TlsGetValue(nSlot)) : NULL;
}

// The scope's font for a LOGFONT, made once per face, size and style; NULL when a new one would pass the
// scope's limit.
Font* CTextFontScope::GetFont(const LOGFONT& lf)
{
    LOGFONT lfKey = lf;
    lfKey.lfFaceName[LF_FACESIZE - 1] = '\0';
    const float fSize = GetTextFontSize(lfKey);
    const INT nStyle = GetTextFontStyle(lfKey);
    for (const CEntry& entry : m_entries)
    {
        if (entry.fSize == fSize && entry.nStyle == nStyle && entry.strFace == lfKey.lfFaceName)
            return entry.pFont;
    }
    if (m_entries.size() >= kMaxScopeFonts)
        return NULL;
    Font* pFont = CreateTextFont(lfKey);
    if (pFont != NULL)
        m_entries.push_back(CEntry{ lfKey.lfFaceName, fSize, nStyle, pFont });
    return pFont;
}

// Draws a text element in its rectangle with its alignment, rotation and direction, clipped to it; underline
// and strikeout are drawn apart, where the font puts them.
void DrawTextElement(Graphics* pGraphics, CElement* pElement, CPoint ptOffset)
{
    const RectF r = GetDrawnRect(pElement->m_rect, ptOffset.x, ptOffset.y);

    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    if (pElement->m_font.GetSafeHandle() == NULL || pElement->m_font.GetLogFont(&lf) == 0)
        lf = DefaultTextLogFont();
    // the bars are drawn here, once, where the font puts them
    const INT nStyle = GetTextFontStyle(lf);
    lf.lfUnderline = 0;
    lf.lfStrikeOut = 0;
    // a font of the thread's scope, else one of this drawing's own
    std::unique_ptr<Font> pOwnFont;
    CTextFontScope* pScope = CTextFontScope::GetCurrent();
    Font* pFont = pScope != NULL ? pScope->GetFont(lf) : NULL;
    if (pFont == NULL)
    {
        pOwnFont.reset(CreateTextFont(lf));
        pFont = pOwnFont.get();
    }
    if (pFont == NULL)
        return;

    const std::wstring strText =
        ToDrawnLineBreaks(AnsiToWide(pElement->m_strText, pElement->m_strText.GetLength()));
    SolidBrush brush(Color(pElement->m_clrText));
    StringFormat format;
    if (pElement->m_nHAlign >= 0 && pElement->m_nHAlign <= 2)
        format.SetAlignment((StringAlignment)pElement->m_nHAlign);
    if (pElement->m_nVAlign >= 0 && pElement->m_nVAlign <= 2)
        format.SetLineAlignment((StringAlignment)pElement->m_nVAlign);
    format.SetTrimming(StringTrimmingEllipsisPath);

    PrependElementRotation(pGraphics, r, (float)pElement->m_nAngle);
    RectF rcLayout = r;
    if (pElement->m_bVertical)
    {
        if (PlatformDrawsVertical())
        {
            format.SetFormatFlags(StringFormatFlagsDirectionVertical);
        }
        else
        {
            // Vertical lines are horizontal ones turned a quarter clockwise about the
            // centre: they read top to bottom and follow each other to the left.
            const float cx = r.X + r.Width / 2, cy = r.Y + r.Height / 2;
            pGraphics->TranslateTransform(cx, cy, MatrixOrderPrepend);
            pGraphics->RotateTransform(90, MatrixOrderPrepend);
            pGraphics->TranslateTransform(-cx, -cy, MatrixOrderPrepend);
            rcLayout = RectF(cx - r.Height / 2, cy - r.Width / 2, r.Height, r.Width);
        }
    }
    // the glyphs only within the layout rectangle, as the platform's default layout has it
    const GraphicsState state = pGraphics->Save();
    pGraphics->SetClip(rcLayout, CombineModeIntersect);
    pGraphics->DrawString(strText.c_str(), (INT)strText.size(), pFont, rcLayout, &format, &brush);
    pGraphics->Restore(state);

    if ((nStyle & (FontStyleUnderline | FontStyleStrikeout)) != 0 && !strText.empty())
        DrawTextDecorations(pGraphics, strText, pFont, rcLayout, format, &brush, nStyle);
    pGraphics->ResetTransform();
}
