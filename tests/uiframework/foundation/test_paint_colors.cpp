// Paint manager colours: the colour table and its fallbacks, the logical colour maps of
// both looks at both screen depths, rebuilds on system changes, brushes, palette, fonts and
// the HLS helpers.

#include "test_paint_support.h"

typedef CExtPaintManager PM;

namespace
{

COLORREF Sys(int n)
{
    return ::GetSysColor(n);
}

COLORREF Adjust(COLORREF clr, double dH, double dL, double dS)
{
    return PM::HLSAdjustColor(clr, dH, dL, dS);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// GetColor and GetBrush

TEST(PaintColors, UnknownIdsAndIndexesFallBackToButtonFace)
{
    for (bool bXP : { false, true })
    {
        auto pPM = MakePaintManager(bXP);
        EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetColor(1500)) << bXP;
        EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetColor(-5)) << bXP;
        EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetColor(999)) << bXP;
        EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetColor(3000)) << bXP;
        EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), pPM->GetBrush(-1));
        EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), pPM->GetBrush(75));
        EXPECT_EQ(::GetSysColorBrush(COLOR_HIGHLIGHT), pPM->GetBrush(COLOR_HIGHLIGHT));
    }
}

TEST(PaintColors, SystemIndexesAreTheSystemColours)
{
    auto pPM = MakePaintManager(true);
    for (int i = 0; i < 31; i++)
        EXPECT_EQ(Sys(i), pPM->GetColor(i)) << i;
}

TEST(PaintColors, ClassicLookMapsLogicalIdsToSystemColours)
{
    auto pPM = MakePaintManager(false);
    EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetColor(PM::LC_FACE_NORMAL));
    EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetColor(PM::LC_FACE_HOT));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), pPM->GetColor(PM::LC_LIGHT_HOT));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), pPM->GetColor(PM::LC_HIGHLIGHT_NORMAL));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), pPM->GetColor(PM::LC_SHADOW_HOT));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), pPM->GetColor(PM::LC_DKSHADOW_NORMAL));
    EXPECT_EQ(Sys(COLOR_WINDOWTEXT), pPM->GetColor(PM::LC_TEXT_HOT));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), pPM->GetColor(PM::LC_XP_SEPARATOR));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), pPM->GetColor(PM::LC_XP_WINDOW_FACE));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), pPM->GetColor(PM::LC_XP_SYS_FACE));
    // Ids that the classic look leaves unmapped.
    EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetColor(PM::LC_XP_MENU_FACE));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), pPM->GetColor(PM::LC_XP_HOT_TEXT));
    EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetColor(PM::LC_XP_DIM_BORDER));
    EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetMenuFaceColor());
}

TEST(PaintColors, FlatLookOnDeepScreenDerivesItsColours)
{
    CForcedScreenDepth depth(32);
    auto pPM = MakePaintManager(true);
    const COLORREF face = Sys(COLOR_3DFACE), shadow = Sys(COLOR_3DSHADOW);
    const COLORREF dk = Sys(COLOR_3DDKSHADOW), highlight = Sys(COLOR_HIGHLIGHT);
    const COLORREF window = Sys(COLOR_WINDOW);

    const COLORREF faceLight = Adjust(face, 0, 0.2, 0);
    EXPECT_EQ(faceLight, pPM->GetColor(PM::LC_FACE_NORMAL));
    EXPECT_EQ(faceLight, pPM->GetColor(PM::LC_XP_BAR_FACE));
    EXPECT_EQ(Adjust(highlight, 0, 0.7, -0.7), pPM->GetColor(PM::LC_FACE_HOT));
    EXPECT_EQ(Adjust(highlight, 0, 0.5, -0.7), pPM->GetColor(PM::LC_XP_PUSHED_FACE));

    const COLORREF shadowMix = RGB((3 * GetRValue(shadow) + GetRValue(dk)) * 250 / 1000,
                                   (3 * GetGValue(shadow) + GetGValue(dk)) * 250 / 1000,
                                   (3 * GetBValue(shadow) + GetBValue(dk)) * 250 / 1000);
    for (int id = PM::LC_LIGHT_NORMAL; id <= PM::LC_DKSHADOW_HOT; id++)
        EXPECT_EQ(shadowMix, pPM->GetColor(id)) << id;

    EXPECT_EQ(Sys(COLOR_WINDOWTEXT), pPM->GetColor(PM::LC_TEXT_NORMAL));
    EXPECT_EQ(RGB(0, 0, 0), pPM->GetColor(PM::LC_TEXT_HOT));
    const COLORREF face857 = RGB(GetRValue(face) * 857 / 1000, GetGValue(face) * 857 / 1000,
                                 GetBValue(face) * 857 / 1000);
    EXPECT_EQ(face857, pPM->GetColor(PM::LC_XP_SEPARATOR));
    EXPECT_EQ(face857, pPM->GetColor(PM::LC_XP_DIM_BORDER));
    EXPECT_EQ(highlight, pPM->GetColor(PM::LC_XP_HOT_BORDER));
    EXPECT_EQ(RGB(GetRValue(face) * 999 / 1000, GetGValue(face) * 995 / 1000,
                  GetBValue(face) * 995 / 1000),
              pPM->GetColor(PM::LC_XP_ICON_BAND));
    EXPECT_EQ(Sys(COLOR_HIGHLIGHTTEXT), pPM->GetColor(PM::LC_XP_HOT_TEXT));
    EXPECT_EQ(Adjust(shadow, 0, -0.24, 0), pPM->GetColor(PM::LC_XP_MENU_BORDER));
    EXPECT_EQ(face, pPM->GetColor(PM::LC_XP_SYS_FACE));

    const int r = GetRValue(window), g = GetGValue(window), b = GetBValue(window);
    const COLORREF menuWindow = Adjust(RGB(r - ::MulDiv(r, 2, 85), g - ::MulDiv(g, 5, 182),
                                           b - ::MulDiv(b, 10, 319)),
                                       0, 0.1, -0.08);
    EXPECT_EQ(menuWindow, pPM->GetColor(PM::LC_XP_MENU_FACE));
    EXPECT_EQ(menuWindow, pPM->GetColor(PM::LC_XP_WINDOW_FACE));
    EXPECT_EQ(menuWindow, pPM->GetMenuFaceColor());
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_NORMAL), pPM->GetColor(PM::LC_XP_FACE_COPY));
}

TEST(PaintColors, FlatLookOn256ColourScreenUsesPlainSystemColours)
{
    CForcedScreenDepth depth(8);
    auto pPM = MakePaintManager(true);
    EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetColor(PM::LC_FACE_NORMAL));
    EXPECT_EQ(Sys(COLOR_3DFACE), pPM->GetColor(PM::LC_FACE_HOT));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), pPM->GetColor(PM::LC_TEXT_HOT));
    EXPECT_EQ(Sys(COLOR_BTNTEXT), pPM->GetColor(PM::LC_XP_HOT_BORDER));
    EXPECT_EQ(Sys(COLOR_WINDOW), pPM->GetColor(PM::LC_XP_MENU_FACE));
    for (int id : { PM::LC_LIGHT_NORMAL, PM::LC_DKSHADOW_HOT, PM::LC_XP_SEPARATOR,
                    PM::LC_XP_PUSHED_FACE, PM::LC_XP_ICON_BAND, PM::LC_XP_DIM_BORDER })
        EXPECT_EQ(Sys(COLOR_3DSHADOW), pPM->GetColor(id)) << id;
    EXPECT_EQ(Adjust(Sys(COLOR_3DSHADOW), 0, -0.24, 0), pPM->GetColor(PM::LC_XP_MENU_BORDER));
}

TEST(PaintColors, FlatLookSwitchesDisabledTextToMonochrome)
{
    auto pClassic = MakePaintManager(false);
    auto pFlat = MakePaintManager(true);
    EXPECT_EQ((UINT)DSS_DISABLED, pClassic->m_nDisabledTextStyle);
    EXPECT_EQ((UINT)DSS_MONO, pFlat->m_nDisabledTextStyle);
}

TEST(PaintColors, FaceCopyKeepsTheValueOfBuildTime)
{
    CForcedScreenDepth depth(32);
    auto pPM = MakePaintManager(true);
    const COLORREF clrBuilt = pPM->GetColor(PM::LC_FACE_NORMAL);
    // Pointing 1000 elsewhere afterwards leaves 2009 as it was.
    pPM->m_mapColorTranslate[PM::LC_FACE_NORMAL] = COLOR_HIGHLIGHT;
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), pPM->GetColor(PM::LC_FACE_NORMAL));
    EXPECT_EQ(clrBuilt, pPM->GetColor(PM::LC_XP_FACE_COPY));
}

TEST(PaintColors, RepeatedSystemChangesKeepColoursAndTableSize)
{
    for (bool bXP : { false, true })
    {
        auto pPM = MakePaintManager(bXP);
        std::vector<COLORREF> before;
        for (int id = 1000; id <= 1011; id++)
            before.push_back(pPM->GetColor(id));
        for (int id = 2000; id <= 2011; id++)
            before.push_back(pPM->GetColor(id));
        const INT_PTR nSize = pPM->m_colors.GetSize();
        pPM->OnSysColorChange();
        pPM->OnSysColorChange();
        pPM->OnSettingChange(0, NULL);
        pPM->OnDisplayChange(32, 1024, 768);
        pPM->OnThemeChanged(0, 0);
        size_t i = 0;
        for (int id = 1000; id <= 1011; id++)
            EXPECT_EQ(before[i++], pPM->GetColor(id)) << id;
        for (int id = 2000; id <= 2011; id++)
            EXPECT_EQ(before[i++], pPM->GetColor(id)) << id;
        EXPECT_EQ(nSize, pPM->m_colors.GetSize()) << "the colour table must not grow";
    }
}

/////////////////////////////////////////////////////////////////////////////
// Brushes, palette and fonts

TEST(PaintColors, HalftoneBrushesMixFaceHighlightAndShadow)
{
    CForcedScreenDepth depth(32);
    auto pPM = MakePaintManager(false);
    const COLORREF F = Sys(COLOR_3DFACE), H = Sys(COLOR_3DHILIGHT), S = Sys(COLOR_3DSHADOW);
    auto solid = [&](int n) {
        LOGBRUSH lb;
        EXPECT_NE(0, pPM->m_brushHalftone[n].GetLogBrush(&lb)) << n;
        EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle) << n;
        return lb.lbColor;
    };
    auto mix = [](COLORREF a, COLORREF b, int num, int den) {
        return RGB(GetRValue(a) + ::MulDiv(GetRValue(b) - GetRValue(a), num, den),
                   GetGValue(a) + ::MulDiv(GetGValue(b) - GetGValue(a), num, den),
                   GetBValue(a) + ::MulDiv(GetBValue(b) - GetBValue(a), num, den));
    };
    EXPECT_EQ(RGB(GetRValue(F) + (GetRValue(H) - GetRValue(F)) / 2,
                  GetGValue(F) + (GetGValue(H) - GetGValue(F)) / 2,
                  GetBValue(F) + (GetBValue(H) - GetBValue(F)) / 2),
              solid(PM::HTB_LIGHT_1_2));
    EXPECT_EQ(mix(F, H, 3, 5), solid(PM::HTB_LIGHT_3_5));
    EXPECT_EQ(mix(F, H, 4, 5), solid(PM::HTB_LIGHT_4_5));
    EXPECT_EQ(mix(S, F, 2, 5), solid(PM::HTB_SHADOW_2_5));
    EXPECT_EQ(mix(S, F, 1, 5), solid(PM::HTB_SHADOW_1_5));
    EXPECT_EQ(solid(PM::HTB_SHADOW_1_2), solid(PM::HTB_SHADOW_1_2_SYS));
}

TEST(PaintColors, HalftoneBrushesAreDithersOn256ColourScreens)
{
    CForcedScreenDepth depth(8);
    auto pPM = MakePaintManager(false);
    for (int n = 0; n < PM::HTB_COUNT; n++)
    {
        LOGBRUSH lb;
        ASSERT_NE(0, pPM->m_brushHalftone[n].GetLogBrush(&lb)) << n;
        EXPECT_EQ((UINT)BS_PATTERN, lb.lbStyle) << n;
    }
    // Brush 0 is a checkerboard of face and highlight.
    CPixelCanvas canvas(16, 16);
    canvas.DC().FillRect(CRect(0, 0, 16, 16), &pPM->m_brushHalftone[PM::HTB_LIGHT_1_2]);
    EXPECT_EQ(128, canvas.Count(Sys(COLOR_3DFACE)));
    EXPECT_EQ(128, canvas.Count(Sys(COLOR_3DHILIGHT)));
    EXPECT_NE(canvas.At(0, 0), canvas.At(1, 0));
    EXPECT_EQ(canvas.At(0, 0), canvas.At(1, 1));
}

TEST(PaintColors, HalftonePaletteHas252Entries)
{
    auto pPM = MakePaintManager(false);
    ASSERT_EQ(252, pPM->m_paletteHalftone.GetEntryCount());
    PALETTEENTRY pe[252];
    ASSERT_EQ(252u, pPM->m_paletteHalftone.GetPaletteEntries(0, 252, pe));
    EXPECT_EQ(0, pe[0].peRed);
    EXPECT_EQ(51, pe[6].peGreen);       // green steps after six blues
    EXPECT_EQ(51, pe[1].peBlue);
    EXPECT_EQ(42, pe[36].peRed);        // red steps after 36 entries
    EXPECT_EQ(255, pe[251].peRed);
    EXPECT_EQ(255, pe[251].peGreen);
    EXPECT_EQ(255, pe[251].peBlue);
}

TEST(PaintColors, FontsAreMadeWithTheirEscapementsAndLimits)
{
    auto pPM = MakePaintManager(true);
    CFont* fonts[] = { &pPM->m_FontNormal, &pPM->m_FontNormalVert, &pPM->m_FontNormalVertX,
                       &pPM->m_FontBold, &pPM->m_FontBoldVert, &pPM->m_FontBoldVertX,
                       &pPM->m_FontNormalSmall, &pPM->m_FontNormalVertSmall,
                       &pPM->m_FontNormalVertXSmall, &pPM->m_FontBoldSmall,
                       &pPM->m_FontBoldVertSmall, &pPM->m_FontBoldVertXSmall,
                       &pPM->m_FontMarlett };
    LOGFONT lf[13];
    for (int i = 0; i < 13; i++)
        ASSERT_EQ((int)sizeof(LOGFONT), fonts[i]->GetLogFont(&lf[i])) << i;
    EXPECT_EQ(0, lf[0].lfEscapement);
    EXPECT_EQ(2700, lf[1].lfEscapement);
    EXPECT_EQ(900, lf[2].lfEscapement);
    EXPECT_EQ(900, lf[3].lfWeight);
    EXPECT_EQ(900, lf[4].lfWeight);
    EXPECT_EQ(2700, lf[4].lfEscapement);
    for (int i = 6; i < 12; i++)
    {
        EXPECT_GE(lf[i].lfHeight, -11) << i;
        EXPECT_EQ(lf[i - 6].lfEscapement, lf[i].lfEscapement) << i;
        EXPECT_EQ(lf[i - 6].lfWeight, lf[i].lfWeight) << i;
    }
    EXPECT_STREQ("Marlett", lf[12].lfFaceName);
    EXPECT_EQ(SYMBOL_CHARSET, lf[12].lfCharSet);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, lf[12].lfHeight);
    // Tahoma is installed in the prefix and the system is Windows 2000 or later.
    EXPECT_STREQ("Tahoma", lf[0].lfFaceName);
}

TEST(PaintColors, TextHeightsComeFromTheFonts)
{
    auto pPM = MakePaintManager(false);
    CClientDC dcScreen(NULL);
    TEXTMETRIC tmNormal, tmBold;
    CFont* pOld = dcScreen.SelectObject(&pPM->m_FontNormal);
    dcScreen.GetTextMetrics(&tmNormal);
    dcScreen.SelectObject(&pPM->m_FontBold);
    dcScreen.GetTextMetrics(&tmBold);
    dcScreen.SelectObject(pOld);
    EXPECT_EQ(tmNormal.tmHeight + 2, pPM->GetTextHeight(false));
    EXPECT_EQ(tmBold.tmHeight + 2, pPM->GetTextHeight(true));
    std::pair<int, int> heights = pPM->GetTextHeights(true);
    EXPECT_EQ(tmBold.tmHeight + 2, heights.first);
    EXPECT_EQ(tmNormal.tmHeight + 2, heights.second);
}

/////////////////////////////////////////////////////////////////////////////
// Metrics

TEST(PaintColors, BoxColours)
{
    auto pPM = MakePaintManager(false);
    COLORREF fill, border, g1, g2, text;
    pPM->GetBoxColors(false, true, fill, border, g1, g2, text);
    EXPECT_EQ((COLORREF)0x800000, fill);
    EXPECT_EQ((COLORREF)0x800000, text);
    EXPECT_EQ((COLORREF)0xF4E9E9, g1);
    EXPECT_EQ((COLORREF)0xD9B3B3, g2);
    pPM->GetBoxColors(true, false, fill, border, g1, g2, text);
    EXPECT_EQ(Sys(COLOR_WINDOW), fill);
    EXPECT_EQ(Sys(COLOR_3DSHADOW), border);
    EXPECT_EQ(Sys(COLOR_BTNTEXT), text);
    pPM->GetLightBoxColors(false, false, border, fill, g1, text);
    EXPECT_EQ(Sys(COLOR_3DLIGHT), fill);
    EXPECT_EQ(Sys(COLOR_3DLIGHT), g1);
}

/////////////////////////////////////////////////////////////////////////////
// HLS helpers

TEST(PaintColors, HlsRoundTripAndGrey)
{
    EXPECT_EQ(RGB(0x7F, 0x7F, 0x7F), PM::HLStoRGB(0.0, 0.5, 0.0));
    double h, l, s;
    PM::RGBtoHLS(RGB(255, 0, 0), &h, &l, &s);
    EXPECT_DOUBLE_EQ(0.0, h);
    EXPECT_DOUBLE_EQ(0.5, l);
    EXPECT_DOUBLE_EQ(1.0, s);
    PM::RGBtoHLS(RGB(0, 0, 255), &h, &l, &s);
    EXPECT_NEAR(2.0 / 3.0, h, 1e-9);
    // Truncation: pure colours come back within one step per channel.
    COLORREF clr = PM::HLStoRGB(h, l, s);
    EXPECT_LE(GetBValue(clr), 255);
    EXPECT_GE(GetBValue(clr), 254);
    EXPECT_EQ(0, GetRValue(clr));
}

TEST(PaintColors, HlsAdjustMovesTowardTheEnds)
{
    // +0.5 lightness on black gives middle grey; -0.5 on white gives middle grey too.
    EXPECT_EQ(RGB(127, 127, 127), PM::HLSAdjustColor(RGB(0, 0, 0), 0, 0.5, 0));
    EXPECT_EQ(RGB(127, 127, 127), PM::HLSAdjustColor(RGB(255, 255, 255), 0, -0.5, 0));
    // Saturation -1 removes all colour.
    COLORREF grey = PM::HLSAdjustColor(RGB(200, 40, 40), 0, 0, -1.0);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    // No deltas: the colour survives up to truncation.
    COLORREF same = PM::HLSAdjustColor(RGB(10, 100, 200), 0, 0, 0);
    EXPECT_NEAR(10, GetRValue(same), 1);
    EXPECT_NEAR(100, GetGValue(same), 1);
    EXPECT_NEAR(200, GetBValue(same), 1);
}
