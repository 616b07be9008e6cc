// Bar drawing in both looks: grippers and captions, frames, borders, caption buttons,
// system-command glyphs, separators, the chevron, button icons, backgrounds and metrics.

#include "test_paint_support.h"
#include "ExtCmdIcon.h"

typedef CExtPaintManager PM;

namespace
{

const COLORREF CANVAS = RGB(10, 20, 30);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF KEY = RGB(255, 0, 255);

COLORREF Sys(int n)
{
    return ::GetSysColor(n);
}

// A square icon of one colour with a transparent one-pixel margin.
void MakeSolidIcon(CExtCmdIcon& icon, int nSize, COLORREF clr)
{
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = nSize;
    bih.biHeight = nSize;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    DWORD* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, (BITMAPINFO*)&bih, DIB_RGB_COLORS,
                                         (void**)&pBits, NULL, 0);
    const DWORD dwClr = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    const DWORD dwKey = (GetRValue(KEY) << 16) | (GetGValue(KEY) << 8) | GetBValue(KEY);
    for (int y = 0; y < nSize; y++)
        for (int x = 0; x < nSize; x++)
            pBits[y * nSize + x] = (x == 0 || y == 0 || x == nSize - 1 || y == nSize - 1)
                ? dwKey : dwClr;
    icon.AssignBitmap(hBitmap, KEY, NULL, false);
}

// Bar hooks installed for the lifetime of the object.
class CBarLinksScope
{
public:
    CBarLinksScope() : m_saved(PM::g_BarLinks) {}
    ~CBarLinksScope() { PM::g_BarLinks = m_saved; }

private:
    PM::BarLinks_t m_saved;
};

bool AlwaysTrue(CExtControlBar*)
{
    return true;
}

bool MenuBarTrue(CExtToolControlBar*)
{
    return true;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Grippers and captions

TEST(PaintBars, ClassicGripperHasTwoRaisedLines)
{
    auto pPM = MakePaintManager(false);
    const COLORREF hi = pPM->GetColor(PM::LC_HIGHLIGHT_NORMAL);
    const COLORREF sh = pPM->GetColor(PM::LC_SHADOW_NORMAL);
    CPixelCanvas canvas(100, 20, CANVAS);
    PM::BarCaptionArgs_t bca(NULL, CRect(0, 0, 100, 14), CRect(0, 0, 100, 14), false, false,
                             false, false, "Hidden");
    pPM->DrawBarCaption(canvas.DC(), bca);
    EXPECT_EQ(hi, canvas.At(1, 4));
    EXPECT_EQ(hi, canvas.At(50, 4));
    EXPECT_EQ(sh, canvas.At(50, 6));
    EXPECT_EQ(sh, canvas.At(99, 5));
    EXPECT_EQ(hi, canvas.At(50, 7)) << "second line three pixels lower";
    EXPECT_EQ(sh, canvas.At(50, 9));
    EXPECT_EQ(CRect(1, 4, 100, 10), canvas.InkBounds(CANVAS)) << "no fill and no text";

    canvas.Fill(CANVAS);
    PM::BarCaptionArgs_t side(NULL, CRect(0, 0, 14, 100), CRect(0, 0, 14, 100), false, false,
                              true, false, NULL);
    pPM->DrawBarCaption(canvas.DC(), side);
    EXPECT_EQ(CRect(4, 1, 10, 20), canvas.InkBounds(CANVAS));
    EXPECT_EQ(hi, canvas.At(4, 10));
    EXPECT_EQ(sh, canvas.At(6, 10));
    EXPECT_EQ(hi, canvas.At(7, 10));
}

TEST(PaintBars, ClassicCaptionGradientAndText)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(120, 20, CANVAS);
    PM::BarCaptionArgs_t active(NULL, CRect(0, 0, 120, 18), CRect(4, 1, 116, 17), true, false,
                                false, true, "Properties");
    pPM->DrawBarCaption(canvas.DC(), active);
    EXPECT_EQ(CANVAS, canvas.At(0, 5)) << "docked captions are inset by one pixel";
    EXPECT_EQ(Sys(COLOR_ACTIVECAPTION), canvas.At(1, 1));
    EXPECT_NEAR(GetBValue(Sys(COLOR_GRADIENTACTIVECAPTION)), GetBValue(canvas.At(118, 1)), 3);
    EXPECT_GT(canvas.Count(CRect(4, 1, 116, 17), Sys(COLOR_CAPTIONTEXT)), 10) << "caption text";

    canvas.Fill(CANVAS);
    PM::BarCaptionArgs_t inactive(NULL, CRect(0, 0, 120, 18), CRect(0, 0, 0, 0), false, false,
                                  false, true, "x");
    pPM->DrawBarCaption(canvas.DC(), inactive);
    EXPECT_EQ(Sys(COLOR_INACTIVECAPTION), canvas.At(1, 1));
    EXPECT_EQ(Sys(COLOR_INACTIVECAPTION), canvas.At(1, 16));

    canvas.Fill(CANVAS);
    PM::BarCaptionArgs_t floating(NULL, CRect(0, 0, 120, 18), CRect(0, 0, 0, 0), false, true,
                                  false, false, NULL);
    pPM->DrawBarCaption(canvas.DC(), floating);
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), canvas.At(0, 0)) << "floating bars are not inset";
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), canvas.At(119, 17));

    CForcedScreenDepth depth(8);
    canvas.Fill(CANVAS);
    pPM->DrawBarCaption(canvas.DC(), active);
    EXPECT_EQ(Sys(COLOR_ACTIVECAPTION), canvas.At(118, 1)) << "no gradient at 256 colours";
}

TEST(PaintBars, FlatCaptionsFillByState)
{
    auto pPM = MakePaintManager(true);
    CPixelCanvas canvas(100, 20, CANVAS);
    PM::BarCaptionArgs_t active(NULL, CRect(0, 0, 100, 18), CRect(4, 1, 96, 17), true, false,
                                false, true, "Tools");
    pPM->DrawBarCaption(canvas.DC(), active);
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), canvas.At(0, 0));
    EXPECT_GT(canvas.Count(CRect(4, 1, 96, 17), Sys(COLOR_CAPTIONTEXT)), 5);

    canvas.Fill(CANVAS);
    PM::BarCaptionArgs_t inactive(NULL, CRect(0, 0, 100, 18), CRect(0, 0, 0, 0), false, false,
                                  false, true, NULL);
    pPM->DrawBarCaption(canvas.DC(), inactive);
    const COLORREF shadow = pPM->GetColor(COLOR_3DSHADOW);
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_BAR_FACE), canvas.At(0, 0)) << "frame lines skip corners";
    EXPECT_EQ(shadow, canvas.At(1, 0));
    EXPECT_EQ(shadow, canvas.At(0, 1));
    EXPECT_EQ(shadow, canvas.At(99, 10));
    EXPECT_EQ(shadow, canvas.At(50, 17));
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_BAR_FACE), canvas.At(50, 9));

    canvas.Fill(CANVAS);
    PM::BarCaptionArgs_t floating(NULL, CRect(0, 0, 100, 18), CRect(0, 0, 0, 0), false, true,
                                  false, false, NULL);
    pPM->DrawBarCaption(canvas.DC(), floating);
    EXPECT_EQ(shadow, canvas.At(50, 9));

    canvas.Fill(CANVAS);
    floating.m_bNoFill = true;
    pPM->DrawBarCaption(canvas.DC(), floating);
    EXPECT_EQ(0, canvas.CountOther(CRect(0, 0, 100, 20), CANVAS));
}

TEST(PaintBars, FlatGripperIsADottedStrip)
{
    auto pPM = MakePaintManager(true);
    const COLORREF face = pPM->GetColor(PM::LC_FACE_NORMAL);
    const COLORREF s = pPM->GetColor(COLOR_3DSHADOW), f = pPM->GetColor(COLOR_3DFACE);
    const COLORREF line = RGB((GetRValue(s) + 2 * GetRValue(f)) / 3,
                              (GetGValue(s) + 2 * GetGValue(f)) / 3,
                              (GetBValue(s) + 2 * GetBValue(f)) / 3);
    CPixelCanvas canvas(100, 20, CANVAS);
    PM::BarCaptionArgs_t bca(NULL, CRect(0, 0, 100, 20), CRect(0, 0, 0, 0), false, false, false,
                             false, NULL);
    pPM->DrawBarCaption(canvas.DC(), bca);
    EXPECT_EQ(CANVAS, canvas.At(0, 0));
    EXPECT_EQ(face, canvas.At(1, 1));
    // The strip is three pixels high at top + 6, from left + 3 to right - 1.
    CRect rcStrip(3, 6, 99, 9);
    int nLine = canvas.Count(rcStrip, line), nFace = canvas.Count(rcStrip, face);
    EXPECT_EQ(rcStrip.Width() * rcStrip.Height(), nLine + nFace);
    EXPECT_GT(nLine, 100);
    EXPECT_GT(nFace, 100);
    EXPECT_EQ(0, canvas.Count(CRect(1, 1, 99, 6), line));
    EXPECT_EQ(0, canvas.Count(CRect(1, 9, 99, 19), line));
    EXPECT_NE(canvas.At(3, 6), canvas.At(4, 6)) << "every second column";
    EXPECT_EQ(canvas.At(3, 6), canvas.At(3, 8));

    CPixelCanvas tall(20, 100, CANVAS);
    PM::BarCaptionArgs_t side(NULL, CRect(0, 0, 20, 100), CRect(0, 0, 0, 0), false, false, true,
                              false, NULL);
    pPM->DrawBarCaption(tall.DC(), side);
    CRect rcSide(6, 2, 9, 98);
    EXPECT_EQ(rcSide.Width() * rcSide.Height(),
              tall.Count(rcSide, line) + tall.Count(rcSide, face));
    EXPECT_EQ(0, tall.Count(CRect(1, 1, 6, 99), line));
    EXPECT_NE(tall.At(7, 10), tall.At(7, 11)) << "every second row";
}

/////////////////////////////////////////////////////////////////////////////
// Frames and borders

TEST(PaintBars, ClassicBarFrame)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(50, 40, CANVAS);
    PM::BarFrameArgs_t bfa(NULL, CRect(0, 0, 50, 40), CRect(5, 5, 45, 35), true, false, false);
    pPM->DrawBarFrame(canvas.DC(), bfa);
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_NORMAL), canvas.At(0, 0));
    EXPECT_EQ(pPM->GetColor(PM::LC_DKSHADOW_NORMAL), canvas.At(49, 39));
    EXPECT_EQ(pPM->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(1, 1));
    EXPECT_EQ(pPM->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(48, 38));
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_NORMAL), canvas.At(3, 20));
    EXPECT_TRUE(canvas.AllOf(CRect(5, 5, 45, 35), CANVAS)) << "client area excluded";
    // The clip region is restored.
    canvas.DC().FillSolidRect(10, 10, 2, 2, RED);
    EXPECT_EQ(RED, canvas.At(10, 10));

    canvas.Fill(CANVAS);
    PM::BarFrameArgs_t plain(NULL, CRect(0, 0, 50, 40), CRect(5, 5, 45, 35), false, true, false);
    pPM->DrawBarFrame(canvas.DC(), plain);
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_NORMAL), canvas.At(0, 0)) << "bit 1 alone: no edge";
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_NORMAL), canvas.At(49, 39));
}

TEST(PaintBars, FlatBarFrameWithRoundedCorners)
{
    auto pPM = MakePaintManager(true);
    const COLORREF shadow = pPM->GetColor(COLOR_3DSHADOW);
    CPixelCanvas canvas(50, 40, CANVAS);
    PM::BarFrameArgs_t bfa(NULL, CRect(0, 0, 50, 40), CRect(6, 6, 44, 34), true, false, false);
    pPM->DrawBarFrame(canvas.DC(), bfa);
    EXPECT_EQ(shadow, canvas.At(0, 0));
    EXPECT_EQ(shadow, canvas.At(1, 1));
    EXPECT_EQ(shadow, canvas.At(2, 2)) << "rounded corner pixel";
    EXPECT_EQ(shadow, canvas.At(47, 37));
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_FACE_COPY), canvas.At(3, 2));
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_FACE_COPY), canvas.At(4, 20));

    canvas.Fill(CANVAS);
    PM::BarFrameArgs_t both(NULL, CRect(0, 0, 50, 40), CRect(6, 6, 44, 34), true, true, false);
    pPM->DrawBarFrame(canvas.DC(), both);
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_WINDOW_FACE), canvas.At(4, 20));

    canvas.Fill(CANVAS);
    PM::BarFrameArgs_t single(NULL, CRect(0, 0, 50, 40), CRect(6, 6, 44, 34), false, false, false);
    pPM->DrawBarFrame(canvas.DC(), single);
    EXPECT_EQ(pPM->GetColor(COLOR_3DFACE), canvas.At(0, 0));
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_NORMAL), canvas.At(1, 1));
}

TEST(PaintBars, FlatBarFrameOn256ColoursGetsADottedOutline)
{
    CForcedScreenDepth depth(8);
    auto pPM = MakePaintManager(true);
    CPixelCanvas canvas(50, 40, CANVAS);
    canvas.DC().SetBkColor(RGB(1, 1, 1));
    PM::BarFrameArgs_t dotted(NULL, CRect(0, 0, 50, 40), CRect(6, 6, 44, 34), false, true, false);
    pPM->DrawBarFrame(canvas.DC(), dotted);
    const COLORREF face = pPM->GetColor(PM::LC_FACE_NORMAL);
    int nOther = canvas.CountOther(CRect(0, 0, 50, 1), face);
    EXPECT_GT(nOther, 10) << "dots along the top edge";
    EXPECT_LT(nOther, 50);
    EXPECT_EQ(face, canvas.At(3, 20));
    EXPECT_EQ(RGB(1, 1, 1), canvas.DC().GetBkColor());

    canvas.Fill(CANVAS);
    PM::BarFrameArgs_t none(NULL, CRect(0, 0, 50, 40), CRect(6, 6, 44, 34), false, true, true);
    pPM->DrawBarFrame(canvas.DC(), none);
    EXPECT_EQ(0, canvas.CountOther(CRect(0, 0, 50, 1), face)) << "bit 2: no outline";
}

TEST(PaintBars, BarBordersFromStyleBits)
{
    auto pPM = MakePaintManager(false);
    const COLORREF face = pPM->GetColor(PM::LC_FACE_NORMAL);
    CPixelCanvas canvas(40, 30, CANVAS);
    PM::BarBordersArgs_t none(NULL, 0, 0, CRect(0, 0, 40, 30));
    pPM->DrawBarBorders(canvas.DC(), none);
    EXPECT_EQ(0, canvas.CountOther(CRect(0, 0, 40, 30), CANVAS));

    PM::BarBordersArgs_t lt(NULL, 0, 0x0100 | 0x0200, CRect(0, 0, 40, 30));
    pPM->DrawBarBorders(canvas.DC(), lt);
    const int cy2 = 2 * ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_TRUE(canvas.AllOf(CRect(0, 0, 40, 1), face));
    EXPECT_TRUE(canvas.AllOf(CRect(0, cy2, 1, 30), face));
    EXPECT_EQ(40 + 30 - cy2 - (cy2 > 0 ? 0 : 1), canvas.Count(face));
    EXPECT_EQ(CANVAS, canvas.At(39, 15));

    canvas.Fill(CANVAS);
    PM::BarBordersArgs_t rb3d(NULL, 0, 0x0400 | 0x0800 | 0x0080, CRect(0, 0, 40, 30));
    pPM->DrawBarBorders(canvas.DC(), rb3d);
    EXPECT_EQ(face, canvas.At(38, 10)) << "3-D: first line one further in";
    EXPECT_EQ(face, canvas.At(39, 10));
    EXPECT_EQ(face, canvas.At(10, 28));
    EXPECT_EQ(face, canvas.At(10, 29));
    EXPECT_EQ(CANVAS, canvas.At(37, 10));

    canvas.Fill(CANVAS);
    PM::BarBordersArgs_t pane(NULL, 2, 0, CRect(0, 0, 40, 30));
    pPM->DrawBarBorders(canvas.DC(), pane);
    EXPECT_EQ(pPM->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(0, 0));
    EXPECT_EQ(pPM->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(39, 29));
    auto pFlat = MakePaintManager(true);
    canvas.Fill(CANVAS);
    pFlat->DrawBarBorders(canvas.DC(), pane);
    EXPECT_EQ(pFlat->GetColor(COLOR_3DSHADOW), canvas.At(39, 29));
}

TEST(PaintBars, AdjustBarNcRectAndRowSpacingAskTheBars)
{
    CBarLinksScope scope;
    auto pPM = MakePaintManager(true);
    CRect rc(0, 0, 100, 50);
    pPM->AdjustBarNcRect(NULL, &rc);
    EXPECT_EQ(CRect(3, 1, 97, 49), rc);
    CExtControlBar* pBar = reinterpret_cast<CExtControlBar*>(&rc);   // only passed through
    PM::g_BarLinks.m_pfnIsDockedVertically = AlwaysTrue;
    rc.SetRect(0, 0, 100, 50);
    pPM->AdjustBarNcRect(pBar, &rc);
    EXPECT_EQ(CRect(1, 3, 99, 47), rc);
    CExtToolControlBar* pToolBar = reinterpret_cast<CExtToolControlBar*>(&rc);
    EXPECT_EQ(6, pPM->GetToolBarRowSpacing(pToolBar));
    PM::g_BarLinks.m_pfnIsMenuBar = MenuBarTrue;
    EXPECT_EQ(0, pPM->GetToolBarRowSpacing(pToolBar));
}

/////////////////////////////////////////////////////////////////////////////
// Caption buttons and system-command glyphs

TEST(PaintBars, FlatCaptionButtonOddSizeIsShrunkAndMoved)
{
    auto pPM = MakePaintManager(true);
    CPixelCanvas canvas(40, 40, CANVAS);
    PM::NcButtonArgs_t nba(NULL, CRect(10, 10, 25, 25), 1, true, false, true, false, false,
                           false);
    pPM->DrawNcAreaButton(canvas.DC(), nba);
    const COLORREF hot = pPM->GetColor(PM::LC_FACE_HOT);
    const COLORREF border = pPM->GetColor(PM::LC_XP_HOT_BORDER);
    const int nGlyph = GlyphCells(PM::GetGlyph(1));
    EXPECT_EQ(14 * 14 - nGlyph, canvas.Count(CRect(11, 11, 25, 25), hot));
    EXPECT_EQ(nGlyph, canvas.Count(RGB(0, 0, 0)));
    EXPECT_EQ(border, canvas.At(10, 10));
    EXPECT_EQ(border, canvas.At(25, 25));
    EXPECT_EQ(CRect(10, 10, 26, 26), canvas.InkBounds(CANVAS));
}

TEST(PaintBars, FlatCaptionButtonGlyphColours)
{
    auto pPM = MakePaintManager(true);
    CPixelCanvas canvas(30, 30, CANVAS);
    struct Case
    {
        bool bEnabled, b3, b4, b5;
        int nColour;
        int nGlyph;
    };
    const Case cases[] = { { true, false, false, false, COLOR_HIGHLIGHTTEXT, 1 },
                           { false, false, false, false, COLOR_3DSHADOW, 1 },
                           { true, true, false, false, COLOR_3DDKSHADOW, 16 },
                           { true, true, false, true, COLOR_3DDKSHADOW, 1 },
                           { true, true, true, false, COLOR_HIGHLIGHTTEXT, 16 } };
    for (const Case& c : cases)
    {
        canvas.Fill(CANVAS);
        PM::NcButtonArgs_t nba(NULL, CRect(5, 5, 21, 21), 1, false, false, c.bEnabled, c.b3, c.b4,
                               c.b5);
        pPM->DrawNcAreaButton(canvas.DC(), nba);
        EXPECT_EQ(GlyphCells(PM::GetGlyph(c.nGlyph)),
                  canvas.Count(pPM->GetColor(c.nColour)))
            << c.bEnabled << c.b3 << c.b4 << c.b5;
        EXPECT_EQ(GlyphCells(PM::GetGlyph(c.nGlyph)), canvas.CountOther(CRect(0, 0, 30, 30), CANVAS));
    }
}

TEST(PaintBars, ClassicCaptionButtonStates)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(40, 40, CANVAS);
    PM::NcButtonArgs_t normal(NULL, CRect(10, 10, 24, 24), 1, false, false, true, false, false,
                              false);
    pPM->DrawNcAreaButton(canvas.DC(), normal);
    // Inflated by 1, then left and top one further out.
    EXPECT_EQ(CRect(8, 8, 25, 25), canvas.InkBounds(CANVAS));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(8, 8));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(24, 24));
    EXPECT_EQ(GlyphCells(PM::GetGlyph(21)), canvas.Count(RGB(0, 0, 0))) << "the smaller cross";

    canvas.Fill(CANVAS);
    PM::NcButtonArgs_t pushed(NULL, CRect(10, 10, 24, 24), 1, false, true, true, false, false,
                              true);
    pPM->DrawNcAreaButton(canvas.DC(), pushed);
    EXPECT_EQ(CRect(9, 9, 24, 24), canvas.InkBounds(CANVAS)) << "bit 5: not inflated";
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(9, 9));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(23, 23));

    canvas.Fill(CANVAS);
    PM::NcButtonArgs_t hover(NULL, CRect(10, 10, 24, 24), 1, true, false, true, false, false,
                             true);
    pPM->DrawNcAreaButton(canvas.DC(), hover);
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(23, 23));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(10, 10));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(22, 22));
}

TEST(PaintBars, SystemCommandGlyphs)
{
    for (bool bXP : { false, true })
    {
        auto pPM = MakePaintManager(bXP);
        CPixelCanvas canvas(30, 30, CANVAS);
        pPM->DrawSysCommandGlyph(canvas.DC(), SC_MOVE, CRect(0, 0, 30, 30), false, false, true);
        EXPECT_EQ(0, canvas.CountOther(CRect(0, 0, 30, 30), CANVAS)) << bXP;
        const UINT cmds[5] = { SC_CLOSE, SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_CONTEXTHELP };
        const int glyphs[5] = { 1, 6, 7, 8, 9 };
        for (int i = 0; i < 5; i++)
        {
            canvas.Fill(CANVAS);
            pPM->DrawSysCommandGlyph(canvas.DC(), cmds[i], CRect(0, 0, 30, 30), false, false,
                                     true);
            EXPECT_EQ(GlyphCells(PM::GetGlyph(glyphs[i])),
                      canvas.Count(pPM->GetColor(PM::LC_TEXT_NORMAL)))
                << bXP << " " << i;
        }
    }
    auto pClassic = MakePaintManager(false);
    CPixelCanvas canvas(30, 30, CANVAS);
    pClassic->DrawSysCommandGlyph(canvas.DC(), SC_CLOSE, CRect(0, 0, 30, 30), false, false, false);
    EXPECT_EQ(GlyphCells(PM::GetGlyph(1)), canvas.Count(pClassic->GetColor(PM::LC_SHADOW_NORMAL)));
    EXPECT_GT(canvas.Count(pClassic->GetColor(PM::LC_HIGHLIGHT_NORMAL)), 0) << "embossed";

    auto pFlat = MakePaintManager(true);
    canvas.Fill(CANVAS);
    pFlat->DrawSysCommandGlyph(canvas.DC(), SC_CLOSE, CRect(0, 0, 30, 30), true, false, true);
    const int nCells = GlyphCells(PM::GetGlyph(1));
    EXPECT_EQ(nCells, canvas.Count(pFlat->GetColor(PM::LC_TEXT_NORMAL)));
    EXPECT_GT(canvas.Count(pFlat->GetColor(COLOR_3DSHADOW)), nCells / 2) << "hot shadow";
    CRect rcInk = canvas.InkBounds(CANVAS);
    EXPECT_EQ(CRect(10 - 2 + 1, 10 - 2 + 1, 10 + 9, 10 + 8), rcInk);
}

/////////////////////////////////////////////////////////////////////////////
// Separators and the chevron

TEST(PaintBars, Separators)
{
    auto pClassic = MakePaintManager(false);
    CPixelCanvas canvas(8, 20, CANVAS);
    pClassic->DrawSeparator(canvas.DC(), CRect(0, 0, 8, 20), true, false, NULL);
    EXPECT_EQ(pClassic->GetColor(PM::LC_FACE_NORMAL), canvas.At(0, 0));
    EXPECT_EQ(pClassic->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(3, 5));
    EXPECT_EQ(pClassic->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(4, 5));
    EXPECT_EQ(pClassic->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(4, 18));
    EXPECT_EQ(pClassic->GetColor(PM::LC_FACE_NORMAL), canvas.At(4, 19));

    auto pFlat = MakePaintManager(true);
    canvas.Fill(CANVAS);
    pFlat->DrawSeparator(canvas.DC(), CRect(0, 0, 8, 20), true, true, NULL);
    const COLORREF sep = pFlat->GetColor(PM::LC_XP_SEPARATOR);
    EXPECT_TRUE(canvas.AllOf(CRect(3, 1, 4, 19), sep));
    EXPECT_EQ(18, canvas.CountOther(CRect(0, 0, 8, 20), CANVAS)) << "no fill";
    CPixelCanvas wide(20, 8, CANVAS);
    pFlat->DrawSeparator(wide.DC(), CRect(0, 0, 20, 8), false, false, NULL);
    EXPECT_TRUE(wide.AllOf(CRect(1, 3, 19, 4), sep));
    EXPECT_EQ(pFlat->GetColor(PM::LC_FACE_NORMAL), wide.At(0, 3));
}

TEST(PaintBars, ChevronGlyphsByState)
{
    const int nArrowH = GlyphCells(PM::g_glyphChevronArrowH);
    const int nExpandH = GlyphCells(PM::g_glyphChevronExpandH);
    for (bool bXP : { false, true })
    {
        auto pPM = MakePaintManager(bXP);
        CPixelCanvas canvas(20, 30, CANVAS);
        pPM->DrawToolBarChevron(canvas.DC(), CRect(0, 0, 16, 30), true, false, true, false, false,
                                NULL);
        EXPECT_EQ(nArrowH + nExpandH, canvas.Count(pPM->GetColor(PM::LC_TEXT_NORMAL))) << bXP;
        // The arrow's bottom row lies three pixels above the bottom.
        EXPECT_EQ(pPM->GetColor(PM::LC_TEXT_NORMAL), canvas.At(5 + 2, 30 - 3 - 1)) << bXP;
        canvas.Fill(CANVAS);
        pPM->DrawToolBarChevron(canvas.DC(), CRect(0, 0, 16, 30), true, true, true, false, false,
                                NULL);
        EXPECT_EQ(nArrowH, canvas.Count(pPM->GetColor(PM::LC_TEXT_NORMAL))) << "arrow only";
    }
    // A disabled vertical XP chevron shows only the arrow, in the shadow colour.
    auto pFlat = MakePaintManager(true);
    CPixelCanvas canvas(30, 16, CANVAS);
    pFlat->DrawToolBarChevron(canvas.DC(), CRect(0, 0, 30, 16), false, false, false, false, false,
                              NULL);
    EXPECT_EQ(GlyphCells(PM::g_glyphChevronArrowV), canvas.Count(pFlat->GetColor(COLOR_3DSHADOW)));
    EXPECT_EQ(0, canvas.Count(pFlat->GetColor(PM::LC_TEXT_NORMAL)));
    // The classic look embosses it.
    auto pClassic = MakePaintManager(false);
    canvas.Fill(CANVAS);
    pClassic->DrawToolBarChevron(canvas.DC(), CRect(0, 0, 30, 16), false, false, false, false,
                                 false, NULL);
    EXPECT_EQ(GlyphCells(PM::g_glyphChevronArrowV), canvas.Count(pClassic->GetColor(COLOR_3DSHADOW)));
    EXPECT_EQ(0, canvas.Count(pClassic->GetColor(PM::LC_TEXT_NORMAL)));
}

/////////////////////////////////////////////////////////////////////////////
// Button icons

TEST(PaintBars, ButtonIconPlacement)
{
    auto pClassic = MakePaintManager(false);
    CExtCmdIcon icon;
    MakeSolidIcon(icon, 16, RED);
    CPixelCanvas canvas(120, 30, CANVAS);
    CRect rcText;
    // Left of the text.
    pClassic->DrawButtonIcon(canvas.DC(), true, "Text", &icon, CRect(10, 0, 110, 30), rcText,
                             false, true, false, 4);
    EXPECT_EQ(CRect(10 + 3 + 1, 7 + 1, 10 + 3 + 15, 7 + 15), canvas.InkBounds(CANVAS));
    EXPECT_EQ(CRect(10 + 16 + 3, 0, 110, 30), rcText);
    // Right of the text, vertically centred.
    canvas.Fill(CANVAS);
    pClassic->DrawButtonIcon(canvas.DC(), true, "Text", &icon, CRect(10, 0, 110, 30), rcText,
                             false, true, false, 2);
    EXPECT_EQ(CRect(110 - 3 - 16 + 1, 8, 110 - 3 - 1, 22), canvas.InkBounds(CANVAS));
    EXPECT_EQ(CRect(10, 0, 110 - 19, 30), rcText);
    // Without text: centred; pushed moves by the pushed offset.
    canvas.Fill(CANVAS);
    pClassic->DrawButtonIcon(canvas.DC(), true, "", &icon, CRect(10, 0, 110, 30), rcText, true,
                             true, false, 5);
    EXPECT_EQ(CRect(52 + 1 + 1, 7 + 1 + 1, 52 + 15 + 1, 7 + 15 + 1), canvas.InkBounds(CANVAS));
    // Disabled icons are not drawn in their own colours.
    canvas.Fill(CANVAS);
    pClassic->DrawButtonIcon(canvas.DC(), true, "", &icon, CRect(10, 0, 110, 30), rcText, false,
                             false, false, 5);
    EXPECT_EQ(0, canvas.Count(RED));
    EXPECT_FALSE(canvas.InkBounds(CANVAS).IsRectEmpty());
    // No icon: nothing drawn, the text keeps the whole button.
    canvas.Fill(CANVAS);
    pClassic->DrawButtonIcon(canvas.DC(), true, "x", NULL, CRect(10, 0, 110, 30), rcText, false,
                             true, false, 5);
    EXPECT_EQ(CRect(10, 0, 110, 30), rcText);
    EXPECT_EQ(0, canvas.CountOther(CRect(0, 0, 120, 30), CANVAS));
}

TEST(PaintBars, FlatHotIconCastsAShadow)
{
    auto pFlat = MakePaintManager(true);
    CExtCmdIcon icon;
    MakeSolidIcon(icon, 16, RED);
    CPixelCanvas canvas(40, 40, CANVAS);
    CRect rcText;
    pFlat->DrawButtonIcon(canvas.DC(), true, "", &icon, CRect(0, 0, 40, 40), rcText, false, true,
                          false, 5);
    // Centred at 12, moved by (1, 1).
    EXPECT_EQ(CRect(14, 14, 28, 28), canvas.InkBounds(CANVAS));
    canvas.Fill(CANVAS);
    pFlat->DrawButtonIcon(canvas.DC(), true, "", &icon, CRect(0, 0, 40, 40), rcText, false, true,
                          true, 5);
    EXPECT_EQ(14 * 14, canvas.Count(RED));
    EXPECT_EQ(CRect(12, 12, 28, 28), canvas.InkBounds(CANVAS));
    EXPECT_EQ(pFlat->GetColor(COLOR_3DSHADOW), canvas.At(27, 27)) << "silhouette below right";
}

/////////////////////////////////////////////////////////////////////////////
// Backgrounds

TEST(PaintBars, Backgrounds)
{
    auto pClassic = MakePaintManager(false);
    auto pFlat = MakePaintManager(true);
    CPixelCanvas canvas(20, 20, CANVAS);
    pClassic->DrawControlBarBackground(canvas.DC(), CRect(0, 0, 10, 10), NULL);
    EXPECT_EQ(100, canvas.Count(pClassic->GetColor(PM::LC_FACE_NORMAL)));
    pFlat->DrawDockBarBackground(canvas.DC(), CRect(10, 10, 20, 20), NULL);
    EXPECT_EQ(100, canvas.Count(CRect(10, 10, 20, 20), Sys(COLOR_3DFACE)));
    pClassic->FillShadowBackground(canvas.DC(), CRect(0, 0, 20, 20), NULL);
    EXPECT_EQ(400, canvas.Count(Sys(COLOR_3DSHADOW)));
    pFlat->FillShadowBackground(canvas.DC(), CRect(0, 0, 20, 20), NULL);
    EXPECT_EQ(400, canvas.Count(pFlat->GetColor(PM::LC_FACE_NORMAL)));
    pFlat->FillWindowColor(canvas.DC(), CRect(0, 0, 20, 20), NULL);
    EXPECT_EQ(400, canvas.Count(Sys(COLOR_WINDOW)));
    pFlat->FillShadowRect(canvas.DC(), CRect(0, 0, 5, 5), NULL);
    EXPECT_EQ(25, canvas.Count(Sys(COLOR_3DSHADOW)));
    EXPECT_FALSE(pFlat->FillBackground(NULL, canvas.DC(), CRect(0, 0, 20, 20)));
    EXPECT_EQ(400, canvas.Count(pFlat->GetColor(PM::LC_FACE_NORMAL)));
    EXPECT_FALSE(pFlat->WantsParentBackground(NULL));
    // Nothing drawn where the clip region misses the rectangle.
    canvas.Fill(CANVAS);
    canvas.DC().IntersectClipRect(0, 0, 5, 5);
    pClassic->DrawControlBarBackground(canvas.DC(), CRect(10, 10, 20, 20), NULL);
    canvas.DC().SelectClipRgn(NULL);
    EXPECT_EQ(400, canvas.Count(CANVAS));
}

TEST(PaintBars, ParentBackgroundFillsTheClientArea)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, CRect(0, 0, 30, 20),
                             NULL, 0));
    auto pClassic = MakePaintManager(false);
    auto pFlat = MakePaintManager(true);
    CPixelCanvas canvas(40, 40, CANVAS);
    EXPECT_FALSE(pClassic->DrawParentBackground(true, canvas.DC(), &wnd));
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Width() * rcClient.Height(),
              canvas.Count(pClassic->GetColor(PM::LC_FACE_NORMAL)));
    canvas.Fill(CANVAS);
    EXPECT_FALSE(pFlat->DrawParentBackground(true, canvas.DC(), &wnd));
    EXPECT_EQ(1600, canvas.Count(CANVAS));
    EXPECT_FALSE(pClassic->DrawParentBackground(true, canvas.DC(), NULL));
    wnd.DestroyWindow();
}
