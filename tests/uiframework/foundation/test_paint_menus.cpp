// Popup-menu frames, attachments and separators, insertion marks, tab strips, edit and combo
// controls, panels and captions in both looks.

#include "test_paint_support.h"

typedef CExtPaintManager PM;

namespace
{

const COLORREF CANVAS = RGB(10, 20, 30);
const COLORREF BLACK = RGB(0, 0, 0);

COLORREF Sys(int n)
{
    return ::GetSysColor(n);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Popup menus

TEST(PaintMenus, MenuFrames)
{
    auto pClassic = MakePaintManager(false);
    CPixelCanvas canvas(40, 40, CANVAS);
    pClassic->DrawMenuFrame(canvas.DC(), CRect(0, 0, 40, 40), NULL);
    EXPECT_EQ(pClassic->GetColor(PM::LC_FACE_NORMAL), canvas.At(0, 0));
    EXPECT_EQ(pClassic->GetColor(PM::LC_DKSHADOW_NORMAL), canvas.At(39, 39));
    EXPECT_EQ(pClassic->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(1, 1));
    EXPECT_EQ(pClassic->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(38, 38));
    EXPECT_EQ(pClassic->GetColor(PM::LC_FACE_NORMAL), canvas.At(3, 3));
    EXPECT_EQ(CANVAS, canvas.At(4, 4));

    auto pFlat = MakePaintManager(true);
    canvas.Fill(CANVAS);
    pFlat->DrawMenuFrame(canvas.DC(), CRect(0, 0, 40, 40), NULL);
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_MENU_BORDER), canvas.At(0, 0));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_MENU_BORDER), canvas.At(39, 39));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_MENU_FACE), canvas.At(1, 1));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_MENU_FACE), canvas.At(37, 37)) << "second inner frame";
    EXPECT_EQ(CANVAS, canvas.At(3, 3));
}

TEST(PaintMenus, AttachmentLeavesTheJoinedEdgeOpen)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(100, 80, CANVAS);
    // The item above the menu: side 1, the menu lies below.
    CRect rcItem(10, 10, 50, 30), rcMenu(10, 30, 90, 70);
    pPM->DrawMenuAttachment(canvas.DC(), rcItem, rcMenu, 1, NULL);
    const COLORREF face = pPM->GetColor(PM::LC_FACE_NORMAL);
    EXPECT_EQ(face, canvas.At(20, 10)) << "outer top line";
    EXPECT_EQ(pPM->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(20, 11));
    EXPECT_EQ(pPM->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(49, 20));
    EXPECT_EQ(pPM->GetColor(PM::LC_DKSHADOW_NORMAL), canvas.At(48, 20));
    // The bottom is open: face down to the menu's first row, no shadow line.
    EXPECT_EQ(face, canvas.At(30, 29));
    EXPECT_EQ(face, canvas.At(30, 30));
    EXPECT_NE(pPM->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(30, 30));
    EXPECT_EQ(CANVAS, canvas.At(30, 31)) << "the menu itself is left alone";

    auto pFlat = MakePaintManager(true);
    canvas.Fill(CANVAS);
    pFlat->DrawMenuAttachment(canvas.DC(), rcItem, rcMenu, 1, NULL);
    const COLORREF border = pFlat->GetColor(PM::LC_XP_MENU_BORDER);
    EXPECT_EQ(border, canvas.At(10, 20));
    EXPECT_EQ(border, canvas.At(30, 10));
    EXPECT_EQ(border, canvas.At(10, 30)) << "frame reaches the menu's border row";
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_BAR_FACE), canvas.At(30, 29));
    EXPECT_EQ(CANVAS, canvas.At(30, 31)) << "the menu's inside is left alone";
    // The clip region is reset afterwards.
    canvas.DC().FillSolidRect(40, 40, 2, 2, BLACK);
    EXPECT_EQ(BLACK, canvas.At(40, 40));
}

TEST(PaintMenus, SeparatorItems)
{
    auto pClassic = MakePaintManager(false);
    CPixelCanvas canvas(100, 6, CANVAS);
    pClassic->DrawMenuSeparatorItem(canvas.DC(), CRect(0, 0, 100, 6), 24, false, NULL);
    const int nInset = ::GetSystemMetrics(SM_CXSMICON) / 2;
    EXPECT_EQ(pClassic->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(50, 2));
    EXPECT_EQ(pClassic->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(50, 3));
    EXPECT_EQ(pClassic->GetColor(PM::LC_FACE_NORMAL), canvas.At(nInset - 1, 2));
    EXPECT_EQ(pClassic->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(nInset, 2));

    auto pFlat = MakePaintManager(true);
    pFlat->DrawMenuSeparatorItem(canvas.DC(), CRect(0, 0, 100, 6), 24, false, NULL);
    EXPECT_EQ(pFlat->GetColor(PM::LC_FACE_NORMAL), canvas.At(10, 2));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_MENU_FACE), canvas.At(25, 2));
    EXPECT_TRUE(canvas.AllOf(CRect(27, 2, 100, 3), pFlat->GetColor(PM::LC_XP_SEPARATOR)));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_MENU_FACE), canvas.At(27, 3));
    pFlat->DrawMenuSeparatorItem(canvas.DC(), CRect(0, 0, 100, 6), 24, true, NULL);
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_ICON_BAND), canvas.At(10, 2));
}

/////////////////////////////////////////////////////////////////////////////
// Insertion marks and drag outlines

TEST(PaintMenus, InsertMarkIsAnIBeam)
{
    auto pPM = MakePaintManager(true);
    CPixelCanvas canvas(60, 60, CANVAS);
    pPM->DrawInsertMark(canvas.DC(), CRect(20, 20, 40, 40), true, true);
    const COLORREF clr = pPM->GetColor(COLOR_BTNTEXT);
    // The bar: x 19..20, y 19..40; serif rows 6 wide, blocks 4 wide.
    EXPECT_TRUE(canvas.AllOf(CRect(19, 19, 21, 41), clr));
    EXPECT_TRUE(canvas.AllOf(CRect(17, 19, 23, 20), clr));
    EXPECT_TRUE(canvas.AllOf(CRect(18, 20, 22, 22), clr));
    EXPECT_TRUE(canvas.AllOf(CRect(17, 40, 23, 41), clr));
    EXPECT_EQ(CRect(17, 19, 23, 41), canvas.InkBounds(CANVAS));
    canvas.Fill(CANVAS);
    pPM->DrawInsertMark(canvas.DC(), CRect(20, 20, 40, 40), false, false);
    EXPECT_TRUE(canvas.AllOf(CRect(19, 39, 40, 41), clr)) << "over the bottom edge";
    EXPECT_EQ(CRect(19, 37, 40, 43), canvas.InkBounds(CANVAS));

    canvas.Fill(CANVAS);
    pPM->DrawDragOutline(canvas.DC(), CRect(5, 5, 50, 50));
    EXPECT_EQ(clr, canvas.At(5, 20));
    EXPECT_EQ(clr, canvas.At(6, 20));
    EXPECT_EQ(CANVAS, canvas.At(7, 20));
    EXPECT_EQ(clr, canvas.At(48, 48));
}

/////////////////////////////////////////////////////////////////////////////
// Tab strips

TEST(PaintMenus, TabStripBackgroundEdges)
{
    auto pClassic = MakePaintManager(false);
    CPixelCanvas canvas(100, 40, CANVAS);
    CRect rcClient(0, 0, 100, 40), rcItems(0, 0, 100, 24);
    pClassic->DrawTabStripBackground(canvas.DC(), rcClient, rcClient, rcItems, 0, false, NULL);
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(50, 30));
    EXPECT_EQ(Sys(COLOR_3DFACE), canvas.At(50, 10));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(50, 0));
    pClassic->DrawTabStripBackground(canvas.DC(), rcClient, rcClient, rcItems, 1, false, NULL);
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(50, 23));
    pClassic->DrawTabStripBackground(canvas.DC(), rcClient, rcClient, rcItems, 3, true, NULL);
    EXPECT_TRUE(canvas.AllOf(rcClient, Sys(COLOR_3DFACE))) << "no items: only the client";

    auto pFlat = MakePaintManager(true);
    pFlat->DrawTabStripBackground(canvas.DC(), rcClient, rcClient, rcItems, 2, false, NULL);
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_MENU_FACE), canvas.At(50, 30));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_BAR_FACE), canvas.At(50, 10));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(0, 10));
    CPixelCanvas palette(100, 40, CANVAS, 8);
    pFlat->DrawTabStripBackground(palette.DC(), rcClient, rcClient, rcItems, 2, false, NULL);
    EXPECT_EQ(palette.DC().GetNearestColor(pFlat->GetColor(PM::LC_XP_BAR_FACE)),
              palette.At(50, 30)) << "at 8 bits the client gets the bar face";
}

TEST(PaintMenus, TabStripButtons)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(20, 20, CANVAS);
    struct Case
    {
        int nId;
        bool bDirection, bEnabled;
        int nGlyph;
    };
    const Case cases[] = { { -8, false, true, 45 }, { -7, false, true, 1 }, { -6, false, true, 9 },
                           { -5, true, true, 5 },   { -5, false, true, 3 }, { -4, true, true, 4 },
                           { -4, false, true, 2 },  { -5, true, false, 20 }, { -4, false, false, 17 } };
    for (const Case& c : cases)
    {
        canvas.Fill(CANVAS);
        pPM->DrawTabStripButton(canvas.DC(), CRect(0, 0, 20, 20), c.nId, false, c.bDirection,
                                c.bEnabled, false, false, false, NULL);
        COLORREF clr = Sys(c.bEnabled ? COLOR_BTNTEXT : COLOR_3DSHADOW);
        EXPECT_EQ(GlyphCells(PM::GetGlyph(c.nGlyph)), canvas.Count(clr)) << c.nId << c.bDirection;
        EXPECT_EQ(GlyphCells(PM::GetGlyph(c.nGlyph)), canvas.CountOther(CRect(0, 0, 20, 20), CANVAS));
    }
    canvas.Fill(CANVAS);
    pPM->DrawTabStripButton(canvas.DC(), CRect(0, 0, 20, 20), -3, false, false, true, true, false,
                            false, NULL);
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(0, 0)) << "unknown id: no glyph, hover frame";
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(19, 19));
    EXPECT_EQ(CANVAS, canvas.At(10, 10));
    pPM->DrawTabStripButton(canvas.DC(), CRect(0, 0, 20, 20), -3, false, false, true, false, true,
                            false, NULL);
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(0, 0));
}

TEST(PaintMenus, MdiClientAndThinFrames)
{
    auto pClassic = MakePaintManager(false);
    auto pFlat = MakePaintManager(true);
    CPixelCanvas canvas(20, 20, CANVAS);
    pClassic->DrawMdiClientFrame(canvas.DC(), CRect(0, 0, 20, 20), NULL);
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(0, 5));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(19, 5));
    pFlat->DrawThinFrame(canvas.DC(), CRect(0, 0, 20, 20), NULL);
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(19, 5));
    EXPECT_EQ(CANVAS, canvas.At(1, 1));
}

/////////////////////////////////////////////////////////////////////////////
// Edit and combo controls

TEST(PaintMenus, ControlFramesByHoverAndFocus)
{
    auto pClassic = MakePaintManager(false);
    CPixelCanvas canvas(40, 30, CANVAS);
    CRect rcInner(6, 6, 34, 24);
    const COLORREF face = pClassic->GetColor(PM::LC_FACE_NORMAL);
    PM::ControlFrameArgs_t normal(NULL, rcInner, false, true, false);
    pClassic->DrawControlFrame(canvas.DC(), normal);
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(6, 10));
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(4, 10));
    EXPECT_EQ(face, canvas.At(3, 10));
    EXPECT_EQ(face, canvas.At(2, 10));
    EXPECT_EQ(CANVAS, canvas.At(1, 10));
    PM::ControlFrameArgs_t one(NULL, rcInner, true, true, false);
    pClassic->DrawControlFrame(canvas.DC(), one);
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(3, 10));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(36, 10));
    EXPECT_EQ(face, canvas.At(2, 10));
    PM::ControlFrameArgs_t both(NULL, rcInner, true, true, true);
    pClassic->DrawControlFrame(canvas.DC(), both);
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(3, 10));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(2, 10));
    PM::ControlFrameArgs_t disabled(NULL, rcInner, true, false, true);
    pClassic->DrawControlFrame(canvas.DC(), disabled);
    EXPECT_EQ(face, canvas.At(3, 10));

    auto pFlat = MakePaintManager(true);
    const COLORREF hot = pFlat->GetColor(PM::LC_XP_HOT_BORDER);
    pFlat->DrawControlFrame(canvas.DC(), one);
    EXPECT_EQ(hot, canvas.At(3, 10));
    EXPECT_EQ(pFlat->GetColor(PM::LC_FACE_NORMAL), canvas.At(2, 10));
    pFlat->DrawControlFrame(canvas.DC(), both);
    EXPECT_EQ(hot, canvas.At(2, 10));
}

TEST(PaintMenus, ComboDropButtons)
{
    const int cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    for (bool bXP : { false, true })
    {
        auto pPM = MakePaintManager(bXP);
        CPixelCanvas canvas(100, 24, CANVAS);
        PM::DropButtonArgs_t dba(NULL, CRect(0, 0, 100, 24), false, false, true);
        pPM->DrawComboDropButton(canvas.DC(), dba);
        EXPECT_EQ(pPM->GetColor(PM::LC_FACE_NORMAL), canvas.At(0, 0)) << bXP;
        // The strip left of the button in the window colour.
        EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(100 - 1 - cxThumb - 1, 12)) << bXP;
        // Something (the Marlett arrow) is drawn inside the button.
        int nInk = canvas.CountOther(CRect(100 - cxThumb + 2, 4, 98, 20),
                                     canvas.At(100 - cxThumb + 3, 5));
        EXPECT_GT(nInk, 3) << bXP;

        PM::DropButtonArgs_t hot(NULL, CRect(0, 0, 100, 24), true, false, true);
        pPM->DrawComboDropButton(canvas.DC(), hot);
        if (bXP)
            EXPECT_EQ(pPM->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(1, 12));
        else
            EXPECT_EQ(pPM->GetColor(PM::LC_SHADOW_HOT), canvas.At(0, 12));
    }
    auto pFlat = MakePaintManager(true);
    CPixelCanvas canvas(100, 24, CANVAS);
    PM::DropButtonArgs_t bare(NULL, CRect(0, 0, 100, 24), false, false, true);
    bare.m_bNoOuterFrame = true;
    pFlat->DrawComboDropButton(canvas.DC(), bare);
    EXPECT_EQ(CANVAS, canvas.At(20, 0)) << "no outer frame";
}

TEST(PaintMenus, DisabledComboWithoutButtonHasWindowFrameAndGreyText)
{
    auto pClassic = MakePaintManager(false);
    CPixelCanvas canvas(120, 30, CANVAS);
    PM::ComboBoxArgs_t cba(NULL, DT_SINGLELINE | DT_VCENTER, "Arial", CRect(0, 0, 120, 30),
                           CRect(3, 3, 117, 27), false, false, false, false);
    pClassic->DrawComboBox(canvas.DC(), cba);
    // Deflated by 1 horizontally and 2 vertically, then framed.
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(1, 2));
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(118, 27));
    EXPECT_EQ(CANVAS, canvas.At(0, 1));
    EXPECT_EQ(Sys(COLOR_3DFACE), canvas.At(100, 10));
    EXPECT_EQ(0, canvas.Count(BLACK));
    EXPECT_GT(canvas.Count(Sys(COLOR_3DSHADOW)), 10) << "grey text";

    auto pFlat = MakePaintManager(true);
    canvas.Fill(CANVAS);
    pFlat->DrawComboBox(canvas.DC(), cba);
    // Text rectangle one pixel taller, inflated by 1 when disabled: (2, 2)-(118, 29).
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_DIM_BORDER), canvas.At(2, 10));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_DIM_BORDER), canvas.At(60, 28));
    EXPECT_EQ(0, canvas.Count(BLACK));
    EXPECT_GT(canvas.Count(Sys(COLOR_3DSHADOW)), 10);

    PM::ComboBoxArgs_t enabled(NULL, DT_SINGLELINE | DT_VCENTER, "Arial", CRect(0, 0, 120, 30),
                               CRect(3, 3, 117, 27), false, true, false, true);
    canvas.Fill(CANVAS);
    pFlat->DrawComboBox(canvas.DC(), enabled);
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(2, 10));
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(100, 10));
    EXPECT_GT(canvas.Count(BLACK), 10);
}

TEST(PaintMenus, ComboWithDropButton)
{
    const int cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    auto pFlat = MakePaintManager(true);
    CPixelCanvas canvas(140, 30, CANVAS);
    PM::ComboBoxArgs_t dropped(NULL, DT_SINGLELINE, "", CRect(0, 0, 140, 30),
                               CRect(3, 3, 100, 27), true, true, true, true);
    pFlat->DrawComboBox(canvas.DC(), dropped);
    // The button right of the text: a pushed face with the small triangle in the hot text
    // colour, framed in the hot border.
    CRect rcButton(102, 3, 100 + cxThumb, 28);
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_PUSHED_FACE), canvas.At(110, 6));
    EXPECT_EQ(GlyphCells(PM::GetGlyph(37)),
              canvas.Count(rcButton, pFlat->GetColor(PM::LC_XP_HOT_TEXT)));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(2, 10));

    auto pClassic = MakePaintManager(false);
    canvas.Fill(CANVAS);
    PM::ComboBoxArgs_t off(NULL, DT_SINGLELINE, "", CRect(0, 0, 140, 30), CRect(3, 3, 100, 27),
                           true, false, false, false);
    pClassic->DrawComboBox(canvas.DC(), off);
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(1, 2));
    EXPECT_EQ(GlyphCells(PM::GetGlyph(37)),
              canvas.Count(CRect(139 - cxThumb, 0, 140, 30), Sys(COLOR_BTNTEXT)));
}

/////////////////////////////////////////////////////////////////////////////
// Panels, captions and boxes

TEST(PaintMenus, GlyphButtonsAndSizeGrip)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(20, 20, CANVAS);
    const int glyphs[4][3] = { { 1, 1, 4 }, { 1, 0, 5 }, { 0, 1, 2 }, { 0, 0, 3 } };
    for (auto& g : glyphs)
    {
        pPM->DrawGlyphButton(canvas.DC(), g[0] != 0, CRect(0, 0, 20, 20), g[1] != 0, false, false,
                             NULL);
        EXPECT_EQ(GlyphCells(PM::GetGlyph(g[2])), canvas.Count(Sys(COLOR_BTNTEXT))) << g[2];
    }
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(0, 0));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(19, 19));
    pPM->DrawGlyphButton(canvas.DC(), true, CRect(0, 0, 20, 20), true, false, true, NULL);
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(0, 0));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(1, 1));
    pPM->DrawGlyphButton(canvas.DC(), true, CRect(0, 0, 20, 20), true, true, false, NULL);
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(19, 19));

    canvas.Fill(CANVAS);
    pPM->DrawSizeGrip(canvas.DC(), CRect(0, 0, 20, 20), NULL);
    CRect rcInk = canvas.InkBounds(CANVAS);
    ASSERT_FALSE(rcInk.IsRectEmpty());
    EXPECT_GE(rcInk.left, 5) << "in the bottom-right corner";
    EXPECT_GE(rcInk.top, 5);
}

TEST(PaintMenus, PanelsAndBoxes)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(60, 30, CANVAS);
    pPM->DrawRaisedPanel(canvas.DC(), CRect(0, 0, 60, 30), true);
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(30, 0));
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(30, 1));
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(0, 20));
    // Nine dots of 2 x 2 over 36 pixels, centred.
    EXPECT_EQ(9 * 4, canvas.Count(CRect(12, 14, 48, 16), Sys(COLOR_3DDKSHADOW)));
    EXPECT_EQ(9 * 3, canvas.Count(CRect(12, 14, 49, 17), Sys(COLOR_WINDOW)));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(12, 14));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(44, 14));

    canvas.Fill(CANVAS);
    pPM->DrawDeepSunkenFrame(canvas.DC(), CRect(0, 0, 60, 30), NULL);
    EXPECT_EQ(Sys(COLOR_3DFACE), canvas.At(0, 0));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(59, 29));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(1, 1));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(58, 28));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(3, 3));
    EXPECT_EQ(CANVAS, canvas.At(4, 4));

    canvas.Fill(CANVAS);
    pPM->DrawRaisedBox(canvas.DC(), CRect(0, 0, 60, 30), CRect(10, 10, 20, 20), NULL);
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(0, 0));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(59, 29));
    EXPECT_EQ(100, canvas.Count(pPM->GetColor(PM::LC_FACE_NORMAL)));

    canvas.Fill(CANVAS);
    pPM->DrawWindowColorFrame(canvas.DC(), CRect(0, 0, 60, 30));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(0, 0));
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(59, 29));
    auto pFlat = MakePaintManager(true);
    pFlat->DrawWindowColorFrame(canvas.DC(), CRect(0, 0, 60, 30));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(59, 29));
}

TEST(PaintMenus, CaptionsAndHeaderBands)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(200, 40, CANVAS);
    pPM->DrawShadowCaption(canvas.DC(), CRect(0, 0, 200, 40), "Large");
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(0, 0));
    EXPECT_GT(canvas.Count(Sys(COLOR_WINDOW)), 20) << "large text in the window colour";
    CRect rcText = canvas.InkBounds(Sys(COLOR_3DSHADOW));
    EXPECT_GE(rcText.left, 4);
    EXPECT_NEAR(20, rcText.CenterPoint().y, 3);

    canvas.Fill(CANVAS);
    pPM->DrawFaceCaption(canvas.DC(), CRect(0, 0, 200, 40), "Caption");
    EXPECT_EQ(Sys(COLOR_3DFACE), canvas.At(0, 0));
    EXPECT_TRUE(canvas.AllOf(CRect(0, 39, 200, 40), Sys(COLOR_3DSHADOW)));
    EXPECT_GT(canvas.Count(Sys(COLOR_WINDOWTEXT)), 10);
    EXPECT_GE(canvas.InkBounds(Sys(COLOR_3DFACE)).left, 0);

    canvas.Fill(CANVAS);
    pPM->DrawCaptionGlyph(canvas.DC(), CRect(0, 0, 20, 20));
    EXPECT_EQ(GlyphCells(PM::GetGlyph(46)), canvas.Count(Sys(COLOR_BTNTEXT)));

    canvas.Fill(CANVAS);
    pPM->DrawHeaderBand(canvas.DC(), CRect(0, 0, 200, 40), "Header", 0, true, false, false);
    EXPECT_EQ(CANVAS, canvas.At(0, 20)) << "frame flag: one pixel less at left";
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(50, 0));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(20, 20));
    EXPECT_GT(canvas.Count(CRect(37, 0, 200, 40), Sys(COLOR_BTNTEXT)), 10);

    auto pFlat = MakePaintManager(true);
    canvas.Fill(CANVAS);
    pFlat->DrawHeaderBand(canvas.DC(), CRect(0, 0, 200, 40), "Header", 0, true, false, false);
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(0, 20));
    EXPECT_EQ(pFlat->GetColor(PM::LC_FACE_NORMAL), canvas.At(20, 20));
}

TEST(PaintMenus, SimpleButtonIsAPushButton)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(80, 24, CANVAS);
    pPM->DrawSimpleButton(canvas.DC(), CRect(0, 0, 80, 24), 0, "Apply", false, true, false, false,
                          NULL);
    EXPECT_EQ(pPM->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(0, 0));
    EXPECT_GT(canvas.Count(BLACK), 10);
}
