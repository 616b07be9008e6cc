// test_text_decorations.cpp - underline and strike-out are drawn once, where the font puts
// them, at every alignment and turn, on a bitmap and on a device context.

#include "drawing_test_support.h"

#include "Elements.h"
#include "TextDraw.h"

#include <math.h>

#include <algorithm>

#include <memory>
#include <vector>

using namespace Gdiplus;

namespace
{
// Underline (centre) and strike-out (top) of a face as GDI's outline metrics give them,
// in ems above the baseline, and the bars' thickness.
struct CFontBars
{
    double fUnderline, fUnderlineSize, fStrikeout, fStrikeoutSize;
};

CFontBars FontBars(const char* pszFace, bool bBold)
{
    CFontBars bars = { 0, 0, 0, 0 };
    const int kEm = 1000;
    HDC hDC = ::CreateCompatibleDC(NULL);
    HFONT hFont = ::CreateFontA(-kEm, 0, 0, 0, bBold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                pszFace);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    OUTLINETEXTMETRICA otm;
    otm.otmSize = sizeof(otm);
    if (::GetOutlineTextMetricsA(hDC, sizeof(otm), &otm) != 0)
    {
        bars.fUnderline = (double)otm.otmsUnderscorePosition / kEm;
        bars.fUnderlineSize = (double)otm.otmsUnderscoreSize / kEm;
        bars.fStrikeout = (double)otm.otmsStrikeoutPosition / kEm;
        bars.fStrikeoutSize = (double)otm.otmsStrikeoutSize / kEm;
    }
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
    ::DeleteDC(hDC);
    return bars;
}

std::unique_ptr<CText> MakeText(const CRect& rc, bool bDecorated, bool bBold, int nAlign, int nAngle)
{
    std::unique_ptr<CText> p(new CText(rc.TopLeft(), rc.BottomRight()));
    p->m_strText = "Decor";
    LOGFONT lf;
    p->m_font.GetLogFont(&lf);
    lf.lfHeight = 28;
    lf.lfWeight = bBold ? 700 : 400;
    lf.lfUnderline = bDecorated ? 1 : 0;
    lf.lfStrikeOut = bDecorated ? 1 : 0;
    p->m_font.DeleteObject();
    p->m_font.CreateFontIndirect(&lf);
    p->m_nHAlign = nAlign;
    p->m_nVAlign = nAlign;
    p->m_nAngle = nAngle;
    return p;
}

// Pixels of a 400 x 300 unit surface after drawing the text: through a GDI+ graphics of
// a bitmap, or through the element's device-context drawing at a zoom (as the view and
// printing do); nWidth x nHeight pixels.
std::vector<DWORD> Draw(CText* p, bool bOnDC, float fZoom, int nWidth, int nHeight)
{
    std::vector<DWORD> pixels;
    if (bOnDC)
    {
        CDibCanvas canvas(nWidth, nHeight);
        canvas.SetZoom(400, 300, fZoom);
        p->DrawDC(canvas.DC());
        for (int y = 0; y < nHeight; y++)
            for (int x = 0; x < nWidth; x++)
                pixels.push_back(canvas.At(x, y));
    }
    else
    {
        CCanvas canvas(400, 300);
        DrawElement(canvas.G(), p);
        canvas.G()->Flush(FlushIntentionSync);
        Rect rc(0, 0, 400, 300);
        BitmapData data;
        if (canvas.Bitmap()->LockBits(&rc, ImageLockModeRead, PixelFormat32bppARGB, &data) == Ok)
        {
            for (int y = 0; y < 300; y++)
            {
                const DWORD* pRow = (const DWORD*)((const BYTE*)data.Scan0 + y * data.Stride);
                pixels.insert(pixels.end(), pRow, pRow + 400);
            }
            canvas.Bitmap()->UnlockBits(&data);
        }
    }
    return pixels;
}
}

TEST(TextDecorations, UnderlineAndStrikeOutAreDrawnOnceWhereTheFontPutsThem)
{
    CTextFontScope fonts;
    const CRect rc(60, 60, 340, 240);
    struct CSurface
    {
        bool bOnDC;
        float fZoom;
    };
    for (const CSurface& surface : { CSurface{ false, 1.0f }, CSurface{ true, 1.0f }, CSurface{ true, 1.5f } })
    {
        const bool bOnDC = surface.bOnDC;
        const float z = surface.fZoom;
        const int nWidth = (int)(400 * z), nHeight = (int)(300 * z);
        for (const bool bBold : { false, true })
        {
            const CFontBars bars = FontBars("Arial Narrow", bBold);
            ASSERT_GT(bars.fUnderlineSize, 0.0);
            ASSERT_GT(bars.fStrikeoutSize, 0.0);
            for (const int nAlign : { 0, 1, 2 })
            {
                for (const int nAngle : { 0, 30 })
                {
                    SCOPED_TRACE(testing::Message() << (bOnDC ? "DC" : "bitmap") << " zoom " << z << " bold " << bBold << " align "
                                                    << nAlign << " angle " << nAngle);
                    std::unique_ptr<CText> plain = MakeText(rc, false, bBold, nAlign, nAngle);
                    std::unique_ptr<CText> decorated = MakeText(rc, true, bBold, nAlign, nAngle);
                    const std::vector<DWORD> a = Draw(plain.get(), bOnDC, z, nWidth, nHeight);
                    const std::vector<DWORD> b = Draw(decorated.get(), bOnDC, z, nWidth, nHeight);

                    // where the layout puts the line: its height and the face's ascent
                    Bitmap probe(4, 4, PixelFormat32bppARGB);
                    Graphics g(&probe);
                    const INT nStyle = bBold ? FontStyleBold : FontStyleRegular;
                    Font font(ResolveFontFamilyName("Arial Narrow").c_str(), 28, nStyle, UnitPoint);
                    ASSERT_EQ(Ok, font.GetLastStatus());
                    FontFamily fontFamily;
                    font.GetFamily(&fontFamily);
                    const double fLine = font.GetHeight(&g);
                    const double fEm = fLine * fontFamily.GetEmHeight(nStyle) / fontFamily.GetLineSpacing(nStyle);
                    const double fAscent = fLine * fontFamily.GetCellAscent(nStyle) / fontFamily.GetLineSpacing(nStyle);
                    const double fTop = rc.top + nAlign * (rc.Height() - fLine) / 2;
                    const double fBase = fTop + fAscent;
                    const double fUnder = fBase - bars.fUnderline * fEm;
                    const double fStrike = fBase - bars.fStrikeout * fEm + bars.fStrikeoutSize * fEm / 2;
                    const double fSlack = std::max(bars.fUnderlineSize, bars.fStrikeoutSize) * fEm / 2 + 1.5 / z;

                    // every added pixel lies on one of the two bars (turned back about the
                    // centre), and each bar is there across the word
                    const double cx = rc.CenterPoint().x, cy = rc.CenterPoint().y;
                    const double t = nAngle * 3.14159265358979 / 180;
                    int nStray = 0, nUnder = 0, nStrike = 0;
                    CRect rcGlyphs(nWidth, nHeight, 0, 0), rcBars(nWidth, nHeight, 0, 0);
                    for (int i = 0; i < (int)a.size(); i++)
                    {
                        if (ColorDistance(a[i], WHITE) >= 96)
                            rcGlyphs.UnionRect(rcGlyphs, CRect(i % nWidth, i / nWidth, i % nWidth + 1, i / nWidth + 1));
                        if (ColorDistance(a[i], b[i]) < 96)
                            continue;
                        rcBars.UnionRect(rcBars, CRect(i % nWidth, i / nWidth, i % nWidth + 1, i / nWidth + 1));
                        const double dx = (i % nWidth + 0.5) / z - cx, dy = (i / nWidth + 0.5) / z - cy;
                        // the text turns counter-clockwise: turn the pixel back clockwise
                        const double y = cy + dx * sin(t) + dy * cos(t);
                        if (fabs(y - fUnder) <= fSlack)
                            nUnder++;
                        else if (fabs(y - fStrike) <= fSlack)
                            nStrike++;
                        else
                            nStray++;
                    }
                    EXPECT_EQ(0, nStray) << "underline at " << fUnder << ", strike-out at " << fStrike;
                    EXPECT_GT(nUnder, 30 * z * z);
                    EXPECT_GT(nStrike, 30 * z * z);
                    if (nAngle == 0)
                    {
                        // the bars run under the word from its first to its last letter
                        EXPECT_NEAR(rcGlyphs.left, rcBars.left, 4 * z);
                        EXPECT_NEAR(rcGlyphs.right, rcBars.right, 4 * z);
                    }
                }
            }
        }
    }
}
