// Push buttons, popup-menu items, the menu expand button and tab items in both looks.

#include "test_paint_support.h"
#include "ExtCmdIcon.h"

typedef CExtPaintManager PM;

namespace
{

const COLORREF CANVAS = RGB(10, 20, 30);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF KEY = RGB(255, 0, 255);
const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF WHITE = RGB(255, 255, 255);

COLORREF Sys(int n)
{
    return ::GetSysColor(n);
}

// An icon of one colour with a transparent one-pixel margin.
void MakeSolidIcon(CExtCmdIcon& icon, int cx, int cy, COLORREF clr)
{
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    DWORD* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, (BITMAPINFO*)&bih, DIB_RGB_COLORS,
                                         (void**)&pBits, NULL, 0);
    const DWORD dwClr = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    const DWORD dwKey = (GetRValue(KEY) << 16) | (GetGValue(KEY) << 8) | GetBValue(KEY);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            pBits[y * cx + x] = (x == 0 || y == 0 || x == cx - 1 || y == cy - 1) ? dwKey : dwClr;
    icon.AssignBitmap(hBitmap, KEY, NULL, false);
}

PM::PushButtonArgs_t Button(const CRect& rc, LPCTSTR sText, bool bFlat, bool bHover,
                            bool bPushed, bool bEnabled, bool bBorder = true,
                            bool bFocus = false, bool bHorz = true)
{
    return PM::PushButtonArgs_t(NULL, bHorz, rc, sText, NULL, bFlat, bHover, bPushed, false,
                                bEnabled, bBorder, bFocus, false, 5, NULL, false, 0, false);
}

PM::MenuItemArgs_t Item(const CRect& rc, int nBand, LPCTSTR sText, LPCTSTR sAccel,
                        CExtCmdIcon* pIcon, bool bSelected, bool bChecked, bool bEnabled)
{
    return PM::MenuItemArgs_t(NULL, rc, rc, nBand, sText, sAccel, pIcon, 100, false, bSelected,
                              bChecked, false, false, bEnabled, false, false, false);
}

// Rightmost column with a pixel of the colour in the rectangle, -1 when none.
int RightmostOf(CPixelCanvas& canvas, const CRect& rc, COLORREF clr)
{
    for (int x = rc.right - 1; x >= rc.left; x--)
        for (int y = rc.top; y < rc.bottom; y++)
            if (canvas.At(x, y) == clr)
                return x;
    return -1;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Push buttons

TEST(PaintButtons, ClassicButtonFramesByState)
{
    auto pPM = MakePaintManager(false);
    const COLORREF face = pPM->GetColor(PM::LC_FACE_NORMAL);
    CPixelCanvas canvas(60, 24, CANVAS);
    CRect rc(0, 0, 60, 24);

    PM::PushButtonArgs_t normal = Button(rc, "", false, false, false, true);
    pPM->DrawPushButton(canvas.DC(), normal);
    EXPECT_EQ(pPM->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(0, 0));
    EXPECT_EQ(pPM->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(59, 23));
    EXPECT_EQ(face, canvas.At(30, 12));

    PM::PushButtonArgs_t hover = Button(rc, "", false, true, false, true);
    pPM->DrawPushButton(canvas.DC(), hover);
    EXPECT_EQ(pPM->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(0, 0));
    EXPECT_EQ(pPM->GetColor(PM::LC_DKSHADOW_NORMAL), canvas.At(59, 23));
    EXPECT_EQ(pPM->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(1, 1));
    EXPECT_EQ(pPM->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(58, 22));

    PM::PushButtonArgs_t pushed = Button(rc, "", false, true, true, true);
    pPM->DrawPushButton(canvas.DC(), pushed);
    EXPECT_EQ(pPM->GetColor(PM::LC_SHADOW_HOT), canvas.At(0, 0));
    EXPECT_EQ(pPM->GetColor(PM::LC_HIGHLIGHT_HOT), canvas.At(59, 23));
    LOGBRUSH lb;
    pPM->m_brushHalftone[PM::HTB_LIGHT_1_2].GetLogBrush(&lb);
    EXPECT_EQ(lb.lbColor, canvas.At(30, 12)) << "pushed and hot: half-tone face";

    canvas.Fill(CANVAS);
    PM::PushButtonArgs_t flat = Button(rc, "", true, false, false, true);
    pPM->DrawPushButton(canvas.DC(), flat);
    EXPECT_EQ(face, canvas.At(0, 0)) << "a flat button shows no frame until hovered";
    PM::PushButtonArgs_t flatHover = Button(rc, "", true, true, false, true);
    pPM->DrawPushButton(canvas.DC(), flatHover);
    EXPECT_EQ(pPM->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(0, 0));
    PM::PushButtonArgs_t flatNoBorder = Button(rc, "", true, true, true, true, false);
    canvas.Fill(CANVAS);
    pPM->DrawPushButton(canvas.DC(), flatNoBorder);
    EXPECT_NE(pPM->GetColor(PM::LC_SHADOW_HOT), canvas.At(0, 0));

    canvas.Fill(CANVAS);
    PM::PushButtonArgs_t transparent = Button(rc, "", true, false, false, true);
    transparent.m_bTransparentBackground = true;
    pPM->DrawPushButton(canvas.DC(), transparent);
    EXPECT_EQ(60 * 24, canvas.Count(CANVAS));
    PM::PushButtonArgs_t empty = Button(CRect(5, 5, 5, 20), "x", false, false, false, true);
    pPM->DrawPushButton(canvas.DC(), empty);
    EXPECT_EQ(60 * 24, canvas.Count(CANVAS));
}

TEST(PaintButtons, DisabledButtonNeverShowsHoverOrFocus)
{
    for (bool bXP : { false, true })
    {
        auto pPM = MakePaintManager(bXP);
        CPixelCanvas plain(80, 24, CANVAS), asked(80, 24, CANVAS);
        PM::PushButtonArgs_t a = Button(CRect(0, 0, 80, 24), "Save", false, false, false, false);
        pPM->DrawPushButton(plain.DC(), a);
        PM::PushButtonArgs_t b = Button(CRect(0, 0, 80, 24), "Save", false, true, false, false,
                                        true, true);
        b.m_bIndeterminate = true;
        pPM->DrawPushButton(asked.DC(), b);
        int nDiff = 0;
        for (int y = 0; y < 24; y++)
            for (int x = 0; x < 80; x++)
                nDiff += plain.At(x, y) != asked.At(x, y) ? 1 : 0;
        EXPECT_EQ(0, nDiff) << bXP;
    }
}

TEST(PaintButtons, TextColoursByStateAndLook)
{
    auto pClassic = MakePaintManager(false);
    auto pFlat = MakePaintManager(true);
    CPixelCanvas canvas(80, 24, CANVAS);
    CRect rc(0, 0, 80, 24);

    PM::PushButtonArgs_t normal = Button(rc, "Save", true, false, false, true);
    pClassic->DrawPushButton(canvas.DC(), normal);
    EXPECT_GT(canvas.Count(CRect(20, 2, 60, 22), BLACK), 10);
    CRect rcInk = canvas.InkBounds(pClassic->GetColor(PM::LC_FACE_NORMAL));
    EXPECT_NEAR(40, rcInk.CenterPoint().x, 3) << "centred text";

    // Classic disabled: embossed, no button-text pixels.
    PM::PushButtonArgs_t disabled = Button(rc, "Save", true, false, false, false);
    pClassic->DrawPushButton(canvas.DC(), disabled);
    EXPECT_EQ(0, canvas.Count(BLACK));
    EXPECT_GT(canvas.Count(Sys(COLOR_3DSHADOW)), 10);
    EXPECT_GT(canvas.Count(Sys(COLOR_3DHILIGHT)), 10);

    // XP disabled: the text only in the disabled colour.
    pFlat->DrawPushButton(canvas.DC(), disabled);
    EXPECT_EQ(0, canvas.Count(BLACK));
    EXPECT_GT(canvas.Count(Sys(COLOR_3DSHADOW)), 10);
    EXPECT_EQ(0, canvas.Count(Sys(COLOR_3DHILIGHT)));

    // XP hot and pushed: the hot text colour on the pushed face.
    PM::PushButtonArgs_t hotPushed = Button(rc, "Save", true, true, true, true);
    pFlat->DrawPushButton(canvas.DC(), hotPushed);
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_PUSHED_FACE), canvas.At(5, 12));
    EXPECT_GT(canvas.Count(pFlat->GetColor(PM::LC_XP_HOT_TEXT)), 10);
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(0, 0));

    // Overrides win.
    PM::PushButtonArgs_t red = Button(rc, "Save", true, false, false, true);
    red.m_clrForceTextNormal = RED;
    pFlat->DrawPushButton(canvas.DC(), red);
    EXPECT_GT(canvas.Count(RED), 10);
    EXPECT_EQ(0, canvas.Count(BLACK));
    PM::PushButtonArgs_t hoverRed = Button(rc, "Save", true, true, false, true);
    hoverRed.m_clrForceTextHover = RED;
    pClassic->DrawPushButton(canvas.DC(), hoverRed);
    EXPECT_GT(canvas.Count(RED), 10);
}

TEST(PaintButtons, FlatLookFacesAndBorders)
{
    auto pFlat = MakePaintManager(true);
    CPixelCanvas canvas(60, 24, CANVAS);
    CRect rc(0, 0, 60, 24);
    PM::PushButtonArgs_t normal = Button(rc, "", false, false, false, true);
    pFlat->DrawPushButton(canvas.DC(), normal);
    EXPECT_EQ(Sys(COLOR_3DFACE), canvas.At(30, 12));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(0, 0));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(59, 23)) << "one colour, no 3-D pairs";

    PM::PushButtonArgs_t flatNormal = Button(rc, "", true, false, false, true);
    pFlat->DrawPushButton(canvas.DC(), flatNormal);
    EXPECT_EQ(pFlat->GetColor(PM::LC_FACE_NORMAL), canvas.At(0, 0));

    PM::PushButtonArgs_t hover = Button(rc, "", true, true, false, true);
    pFlat->DrawPushButton(canvas.DC(), hover);
    EXPECT_EQ(pFlat->GetColor(PM::LC_FACE_HOT), canvas.At(30, 12));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(0, 0));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(59, 23));

    PM::PushButtonArgs_t pushed = Button(rc, "", true, false, true, true);
    pFlat->DrawPushButton(canvas.DC(), pushed);
    EXPECT_EQ(pFlat->GetColor(PM::LC_FACE_HOT), canvas.At(30, 12)) << "pushed without hover";
}

TEST(PaintButtons, DropDownPartAndArrow)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(60, 24, CANVAS);
    PM::PushButtonArgs_t pba = Button(CRect(0, 0, 60, 24), "", false, false, false, true);
    pba.m_bDropDown = true;
    pPM->DrawPushButton(canvas.DC(), pba);
    const int nArrow = GlyphCells(PM::g_glyphChevronArrowH);
    const CRect rcPart(60 - 11, 0, 60, 24);
    EXPECT_EQ(nArrow, canvas.Count(rcPart, pPM->GetColor(PM::LC_TEXT_NORMAL)));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 49, 24), pPM->GetColor(PM::LC_TEXT_NORMAL)));

    // A separated part gets its own raised frame.
    canvas.Fill(CANVAS);
    pba.m_bSeparatedDropDown = true;
    pPM->DrawPushButton(canvas.DC(), pba);
    EXPECT_EQ(pPM->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(49, 5));
    EXPECT_EQ(pPM->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(48, 5)) << "the body ends before it";

    // Disabled arrow in the shadow colour.
    canvas.Fill(CANVAS);
    PM::PushButtonArgs_t off = Button(CRect(0, 0, 60, 24), "", true, false, false, false);
    off.m_bDropDown = true;
    pPM->DrawPushButton(canvas.DC(), off);
    EXPECT_EQ(nArrow, canvas.Count(rcPart, pPM->GetColor(PM::LC_SHADOW_NORMAL)));

    // Vertical buttons put the part at the bottom.
    CPixelCanvas tall(24, 60, CANVAS);
    PM::PushButtonArgs_t vert = Button(CRect(0, 0, 24, 60), "", true, false, false, true, true,
                                       false, false);
    vert.m_bDropDown = true;
    pPM->DrawPushButton(tall.DC(), vert);
    EXPECT_EQ(GlyphCells(PM::g_glyphDropDownArrowV),
              tall.Count(CRect(0, 60 - 11, 24, 60), pPM->GetColor(PM::LC_TEXT_NORMAL)));
}

TEST(PaintButtons, FocusRectangleAndSystemGlyph)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(60, 24, CANVAS);
    PM::PushButtonArgs_t focus = Button(CRect(0, 0, 60, 24), "Go", false, false, false, true,
                                        true, true);
    pPM->DrawPushButton(canvas.DC(), focus);
    // The focus rectangle lies on the text rectangle (narrowed by 2) deflated by 3.
    int nDots = canvas.CountOther(CRect(5, 3, 55, 4), pPM->GetColor(PM::LC_FACE_NORMAL));
    EXPECT_GT(nDots, 10);
    EXPECT_LT(nDots, 50);

    canvas.Fill(CANVAS);
    PM::PushButtonArgs_t glyph = PM::PushButtonArgs_t(NULL, true, CRect(0, 0, 60, 24), "", NULL,
                                                      true, false, false, false, true, true,
                                                      false, false, 5, NULL, false, SC_CLOSE,
                                                      false);
    pPM->DrawPushButton(canvas.DC(), glyph);
    EXPECT_EQ(GlyphCells(PM::GetGlyph(1)), canvas.Count(pPM->GetColor(PM::LC_TEXT_NORMAL)));
}

TEST(PaintButtons, VerticalButtonTextRunsDownward)
{
    for (bool bXP : { false, true })
    {
        auto pPM = MakePaintManager(bXP);
        CPixelCanvas canvas(24, 100, CANVAS);
        PM::PushButtonArgs_t vert = Button(CRect(0, 0, 24, 100), "&Tools", true, false, false,
                                           true, true, false, false);
        pPM->DrawPushButton(canvas.DC(), vert);
        CRect rcInk = canvas.InkBounds(pPM->GetColor(PM::LC_FACE_NORMAL));
        ASSERT_FALSE(rcInk.IsRectEmpty()) << bXP;
        EXPECT_GT(rcInk.Height(), 2 * rcInk.Width()) << bXP;
        EXPECT_NEAR(50, rcInk.CenterPoint().y, 4) << bXP;
        EXPECT_NEAR(12, rcInk.CenterPoint().x, 4) << bXP;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Menu items

TEST(PaintButtons, FlatMenuItemBandFaceAndSelection)
{
    auto pPM = MakePaintManager(true);
    CPixelCanvas canvas(200, 22, CANVAS);
    PM::MenuItemArgs_t mia = Item(CRect(0, 0, 200, 22), 24, "&Open", "Ctrl+O", NULL, false,
                                  false, true);
    pPM->DrawMenuItem(canvas.DC(), mia);
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_NORMAL), canvas.At(2, 2));
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_MENU_FACE), canvas.At(25, 1));
    EXPECT_GT(canvas.Count(CRect(24, 0, 100, 22), pPM->GetColor(PM::LC_TEXT_NORMAL)), 10);
    // The accelerator ends 24 pixels before the row's right edge.
    int xRight = RightmostOf(canvas, CRect(100, 0, 200, 22), pPM->GetColor(PM::LC_TEXT_NORMAL));
    EXPECT_LE(xRight, 200 - 24 - 1);
    EXPECT_GE(xRight, 200 - 24 - 4);

    PM::MenuItemArgs_t sel = Item(CRect(0, 0, 200, 22), 24, "&Open", "", NULL, true, false, true);
    pPM->DrawMenuItem(canvas.DC(), sel);
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_HOT), canvas.At(2, 2));
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_HOT), canvas.At(190, 10));
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(0, 0));
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(199, 21));

    PM::MenuItemArgs_t none = Item(CRect(0, 0, 0, 0), 24, "x", "", NULL, false, false, true);
    canvas.Fill(CANVAS);
    pPM->DrawMenuItem(canvas.DC(), none);
    EXPECT_EQ(200 * 22, canvas.Count(CANVAS));
}

TEST(PaintButtons, FlatCheckMarkOnHotSquareThatTurnsPushedWhenSelected)
{
    auto pPM = MakePaintManager(true);
    CPixelCanvas canvas(200, 22, CANVAS);
    PM::MenuItemArgs_t mia = Item(CRect(0, 0, 200, 22), 24, "Grid", "", NULL, false, true, true);
    pPM->DrawMenuItem(canvas.DC(), mia);
    // Icon cell (3, 3)-(19, 19) inflated by 2.
    const CRect rcMark(1, 1, 21, 21);
    const COLORREF border = pPM->GetColor(PM::LC_XP_HOT_BORDER);
    EXPECT_EQ(border, canvas.At(1, 1));
    EXPECT_EQ(border, canvas.At(20, 20));
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_HOT), canvas.At(3, 3));
    // The check mark at the cell's centre minus (3, 3): (8, 8).
    EXPECT_EQ(pPM->GetColor(PM::LC_TEXT_NORMAL), canvas.At(8, 10));
    EXPECT_EQ(pPM->GetColor(PM::LC_TEXT_NORMAL), canvas.At(14, 8));
    EXPECT_EQ(14, canvas.Count(rcMark, pPM->GetColor(PM::LC_TEXT_NORMAL)));

    PM::MenuItemArgs_t sel = Item(CRect(0, 0, 200, 22), 24, "Grid", "", NULL, true, true, true);
    pPM->DrawMenuItem(canvas.DC(), sel);
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_PUSHED_FACE), canvas.At(3, 3));
    EXPECT_EQ(14, canvas.Count(rcMark, pPM->GetColor(PM::LC_TEXT_NORMAL)));

    // Radio items get a dot instead.
    PM::MenuItemArgs_t radio(NULL, CRect(0, 0, 200, 22), CRect(0, 0, 200, 22), 24, "Zoom", "",
                             NULL, 100, false, false, false, true, false, true, false, false,
                             false);
    pPM->DrawMenuItem(canvas.DC(), radio);
    EXPECT_EQ(pPM->GetColor(PM::LC_TEXT_NORMAL), canvas.At(10, 10));
    EXPECT_NE(pPM->GetColor(PM::LC_TEXT_NORMAL), canvas.At(14, 8));
}

TEST(PaintButtons, NarrowMenuIconsCountAsSquare)
{
    auto pPM = MakePaintManager(true);
    CPixelCanvas canvas(200, 22, CANVAS);
    const COLORREF hot = pPM->GetColor(PM::LC_FACE_HOT);
    CExtCmdIcon icon16x12, icon20x12;
    MakeSolidIcon(icon16x12, 16, 12, RED);
    MakeSolidIcon(icon20x12, 20, 12, RED);
    PM::MenuItemArgs_t square = Item(CRect(0, 0, 200, 22), 24, "A", "", &icon16x12, false, true,
                                     true);
    pPM->DrawMenuItem(canvas.DC(), square);
    // The mark square follows a 16 x 16 icon rectangle: rows 1 to 20.
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(10, 1));
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(10, 20));
    EXPECT_GT(canvas.Count(RED), 100);

    PM::MenuItemArgs_t wide = Item(CRect(0, 0, 200, 22), 24, "A", "", &icon20x12, false, true,
                                   true);
    pPM->DrawMenuItem(canvas.DC(), wide);
    // 20 x 12 keeps its size: the mark spans rows 3 to 18.
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(10, 3));
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(10, 18));
    EXPECT_NE(hot, canvas.At(10, 1));
}

TEST(PaintButtons, MenuItemIconIsDrawnInTheBand)
{
    for (bool bXP : { false, true })
    {
        auto pPM = MakePaintManager(bXP);
        CPixelCanvas canvas(200, 22, CANVAS);
        CExtCmdIcon icon;
        MakeSolidIcon(icon, 16, 16, RED);
        PM::MenuItemArgs_t mia = Item(CRect(0, 0, 200, 22), 24, "Paste", "", &icon, false, false,
                                      true);
        pPM->DrawMenuItem(canvas.DC(), mia);
        EXPECT_EQ(14 * 14, canvas.Count(RED)) << bXP;
        int xRed = RightmostOf(canvas, CRect(0, 0, 24, 22), RED);
        EXPECT_GE(xRed, 14) << bXP;
        EXPECT_LE(xRed, 19) << bXP;
    }
}

TEST(PaintButtons, DisabledMenuTextColours)
{
    auto pFlat = MakePaintManager(true);
    CPixelCanvas canvas(200, 22, CANVAS);
    PM::MenuItemArgs_t off = Item(CRect(0, 0, 200, 22), 24, "Undo", "Ctrl+Z", NULL, false, false,
                                  false);
    pFlat->DrawMenuItem(canvas.DC(), off);
    EXPECT_EQ(0, canvas.Count(BLACK));
    EXPECT_GT(canvas.Count(Sys(COLOR_3DSHADOW)), 10) << "monochrome in the shadow colour";

    auto pClassic = MakePaintManager(false);
    pClassic->DrawMenuItem(canvas.DC(), off);
    EXPECT_EQ(0, canvas.Count(BLACK));
    EXPECT_GT(canvas.Count(Sys(COLOR_3DSHADOW)), 10);
    EXPECT_GT(canvas.Count(Sys(COLOR_3DHILIGHT)), 10) << "embossed";
}

TEST(PaintButtons, ClassicMenuItemSelectionAndRarelyUsed)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(200, 22, CANVAS);
    PM::MenuItemArgs_t sel = Item(CRect(0, 0, 200, 22), 24, "Open", "", NULL, true, false, true);
    pPM->DrawMenuItem(canvas.DC(), sel);
    // No icon or mark: the highlight covers the band too.
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), canvas.At(3, 10));
    EXPECT_EQ(Sys(COLOR_HIGHLIGHT), canvas.At(190, 10));
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_NORMAL), canvas.At(0, 10));
    EXPECT_GT(canvas.Count(Sys(COLOR_HIGHLIGHTTEXT)), 10);

    PM::MenuItemArgs_t checked = Item(CRect(0, 0, 200, 22), 24, "Open", "", NULL, true, true, true);
    pPM->DrawMenuItem(canvas.DC(), checked);
    EXPECT_NE(Sys(COLOR_HIGHLIGHT), canvas.At(3, 10)) << "with a mark the band stays out";
    EXPECT_EQ(pPM->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(1, 1)) << "sunken mark cell";

    PM::MenuItemArgs_t rare(NULL, CRect(0, 0, 200, 22), CRect(0, 0, 200, 22), 24, "Rare", "",
                            NULL, 100, false, false, false, false, false, true, true, false,
                            false);
    pPM->DrawMenuItem(canvas.DC(), rare);
    EXPECT_TRUE(canvas.AllOf(CRect(0, 0, 200, 1), Sys(COLOR_3DSHADOW)));
    EXPECT_TRUE(canvas.AllOf(CRect(0, 21, 200, 22), Sys(COLOR_3DHILIGHT)));
    LOGBRUSH lb;
    pPM->m_brushHalftone[PM::HTB_LIGHT_1_2].GetLogBrush(&lb);
    EXPECT_EQ(lb.lbColor, canvas.At(190, 10));
}

TEST(PaintButtons, SubMenuArrowAndInplaceEdit)
{
    auto pPM = MakePaintManager(true);
    CPixelCanvas canvas(200, 22, CANVAS);
    PM::MenuItemArgs_t popup(NULL, CRect(0, 0, 200, 22), CRect(0, 0, 200, 22), 24, "More", "",
                             NULL, 100, true, false, false, false, false, true, false, false,
                             false);
    pPM->DrawMenuItem(canvas.DC(), popup);
    // The Marlett arrow (anti-aliased) in the 16-pixel cell at the right.
    EXPECT_GT(canvas.CountOther(CRect(181, 3, 197, 19), pPM->GetColor(PM::LC_XP_MENU_FACE)), 3);
    EXPECT_EQ(0, canvas.CountOther(CRect(120, 3, 178, 19), pPM->GetColor(PM::LC_XP_MENU_FACE)));

    CRect rcEdit(100, 4, 160, 18);
    PM::MenuItemArgs_t edit(NULL, CRect(0, 0, 200, 22), CRect(0, 0, 200, 22), 24, "Find", "",
                            NULL, 100, false, false, false, false, false, true, false, false,
                            false, &rcEdit, NULL);
    pPM->DrawMenuItem(canvas.DC(), edit);
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(130, 10));
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_SYS_FACE), canvas.At(99, 10));
    EXPECT_EQ(pPM->GetColor(PM::LC_XP_SYS_FACE), canvas.At(130, 2));
}

TEST(PaintButtons, MenuExpandButton)
{
    const int nGlyph = GlyphCells(PM::g_glyphChevronExpandV);
    auto pClassic = MakePaintManager(false);
    CPixelCanvas canvas(100, 16, CANVAS);
    pClassic->DrawMenuExpandButton(canvas.DC(), CRect(0, 0, 100, 16), true, false, NULL);
    EXPECT_EQ(CANVAS, canvas.At(0, 8)) << "narrowed by 1 on both sides";
    EXPECT_EQ(pClassic->GetColor(PM::LC_HIGHLIGHT_NORMAL), canvas.At(1, 8));
    EXPECT_EQ(pClassic->GetColor(PM::LC_SHADOW_NORMAL), canvas.At(98, 8));
    EXPECT_EQ(nGlyph, canvas.Count(pClassic->GetColor(PM::LC_TEXT_NORMAL)));

    auto pFlat = MakePaintManager(true);
    canvas.Fill(CANVAS);
    pFlat->DrawMenuExpandButton(canvas.DC(), CRect(0, 0, 100, 16), false, false, NULL);
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_MENU_FACE), canvas.At(5, 2));
    EXPECT_EQ(nGlyph, canvas.Count(pFlat->GetColor(PM::LC_TEXT_NORMAL)));
}

/////////////////////////////////////////////////////////////////////////////
// Tab items

TEST(PaintButtons, SelectedTabOutlineLeavesItsOpenSideUndrawn)
{
    auto pPM = MakePaintManager(false);
    const COLORREF light = Sys(COLOR_3DHILIGHT), shadow = Sys(COLOR_3DDKSHADOW);
    const COLORREF face = Sys(COLOR_3DFACE);
    CPixelCanvas canvas(80, 30, CANVAS);
    // Top strip: open at the bottom.
    pPM->DrawTabItem(canvas.DC(), false, true, true, true, true, false, false, false,
                     CRect(10, 2, 60, 22), CSize(0, 0), NULL, NULL, NULL, NULL);
    EXPECT_EQ(light, canvas.At(9, 10)) << "enlarged to the left";
    EXPECT_EQ(light, canvas.At(30, 2));
    EXPECT_EQ(shadow, canvas.At(59, 10));
    EXPECT_EQ(face, canvas.At(30, 22)) << "enlarged and open toward the strip's body";
    EXPECT_EQ(CANVAS, canvas.At(30, 23));
    // Bottom strip: open at the top.
    canvas.Fill(CANVAS);
    pPM->DrawTabItem(canvas.DC(), false, false, true, true, true, false, false, false,
                     CRect(10, 5, 60, 25), CSize(0, 0), NULL, NULL, NULL, NULL);
    EXPECT_EQ(face, canvas.At(30, 4));
    EXPECT_EQ(shadow, canvas.At(30, 24));
    EXPECT_EQ(light, canvas.At(9, 10));
    // Unselected: only a separator at the trailing edge.
    canvas.Fill(CANVAS);
    pPM->DrawTabItem(canvas.DC(), false, true, true, false, true, false, false, false,
                     CRect(10, 2, 60, 22), CSize(0, 0), NULL, NULL, NULL, NULL);
    EXPECT_EQ(CRect(59, 4, 60, 20), canvas.InkBounds(CANVAS));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), canvas.At(59, 10));
}

TEST(PaintButtons, VerticalTabsAndGroupedMode)
{
    auto pFlat = MakePaintManager(true);
    CPixelCanvas canvas(40, 80, CANVAS);
    // Left strip: open at the right.
    pFlat->DrawTabItem(canvas.DC(), false, true, false, true, true, false, false, false,
                       CRect(5, 10, 30, 60), CSize(0, 0), NULL, NULL, NULL, NULL);
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(5, 9)) << "enlarged upwards";
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.At(5, 30));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(15, 59));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_BAR_FACE), canvas.At(30, 30));
    // Grouped mode: filled and framed, wider across the strip.
    canvas.Fill(CANVAS);
    pFlat->DrawTabItem(canvas.DC(), false, true, false, false, true, true, false, false,
                       CRect(5, 10, 30, 60), CSize(0, 0), NULL, NULL, NULL, NULL);
    EXPECT_EQ(CRect(3, 10, 32, 61), canvas.InkBounds(CANVAS));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(3, 30));
    EXPECT_EQ(Sys(COLOR_3DFACE), canvas.At(15, 30));

    // Vertical text runs along the tab, inside it.
    canvas.Fill(CANVAS);
    CClientDC dcScreen(NULL);
    CFont* pOld = dcScreen.SelectObject(&pFlat->m_FontNormal);
    CSize sizeText = dcScreen.GetTextExtent("Properties", 10);
    dcScreen.SelectObject(pOld);
    pFlat->DrawTabItem(canvas.DC(), false, true, false, true, false, false, false, false,
                       CRect(5, 5, 30, 75), sizeText, &pFlat->m_FontNormalVert, "Properties",
                       NULL, NULL);
    int xMin = 40, xMax = -1, yMin = 80, yMax = -1;
    for (int y = 6; y < 75; y++)
        for (int x = 6; x < 30; x++)
            if (canvas.At(x, y) == Sys(COLOR_BTNTEXT))
            {
                xMin = std::min(xMin, x);
                xMax = std::max(xMax, x);
                yMin = std::min(yMin, y);
                yMax = std::max(yMax, y);
            }
    ASSERT_GE(xMax, 0) << "text drawn";
    EXPECT_GT(yMax - yMin, 2 * (xMax - xMin));
    EXPECT_GE(yMin, 5 + 2 + 4 - 1) << "starts 4 pixels below the text area's top";
}

TEST(PaintButtons, TabTextColourAndNarrowTabShowsOnlyTheIcon)
{
    CInstalledLook look(false);
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(120, 24, CANVAS);
    pPM->DrawTabItem(canvas.DC(), false, true, true, false, true, false, false, false,
                     CRect(0, 0, 100, 24), CSize(0, 0), &pPM->m_FontNormal, "Front", NULL, NULL);
    EXPECT_GT(canvas.Count(Sys(COLOR_3DHILIGHT)), 10) << "unselected classic text";
    canvas.Fill(CANVAS);
    pPM->DrawTabItem(canvas.DC(), false, true, true, true, true, false, false, false,
                     CRect(0, 0, 100, 24), CSize(0, 0), &pPM->m_FontNormal, "Front", NULL, NULL);
    EXPECT_GT(canvas.Count(Sys(COLOR_BTNTEXT)), 10);

    CExtCmdIcon icon;
    MakeSolidIcon(icon, 16, 16, RED);
    canvas.Fill(CANVAS);
    pPM->DrawTabItem(canvas.DC(), false, true, true, false, true, false, false, false,
                     CRect(0, 0, 30, 24), CSize(0, 0), &pPM->m_FontNormal, "Front", &icon, NULL);
    EXPECT_EQ(0, canvas.Count(Sys(COLOR_3DHILIGHT))) << "no text";
    EXPECT_EQ(21, RightmostOf(canvas, CRect(0, 0, 30, 24), RED)) << "icon centred in the tab";
    EXPECT_EQ(14 * 14, canvas.Count(RED));

    // A wide tab puts the icon at its start and the text after it.
    canvas.Fill(CANVAS);
    pPM->DrawTabItem(canvas.DC(), false, true, true, false, false, false, false, false,
                     CRect(0, 0, 100, 24), CSize(0, 0), &pPM->m_FontNormal, "Front", &icon, NULL);
    EXPECT_EQ(16, RightmostOf(canvas, CRect(0, 0, 100, 24), RED));
    EXPECT_GT(canvas.Count(CRect(21, 0, 100, 24), Sys(COLOR_3DHILIGHT)), 10);
}

TEST(PaintButtons, FlatGradientsOnlyWhenAllIdsAreSet)
{
    CForcedScreenDepth depth(32);
    auto pManager = MakePaintManager(true);
    CExtPaintManagerXP* pPM = static_cast<CExtPaintManagerXP*>(pManager.get());
    CPixelCanvas canvas(200, 22, CANVAS);
    PM::MenuItemArgs_t mia = Item(CRect(0, 0, 200, 22), 40, "Band", "", NULL, false, false, true);
    pPM->m_nIdxClrMenuBandNormal[0] = COLOR_3DHILIGHT;   // start
    pPM->m_nIdxClrMenuBandNormal[1] = COLOR_3DDKSHADOW;  // end
    pPM->DrawMenuItem(canvas.DC(), mia);
    EXPECT_EQ(pPM->GetColor(PM::LC_FACE_NORMAL), canvas.At(1, 5)) << "split colour missing";
    pPM->m_nIdxClrMenuBandNormal[2] = COLOR_HIGHLIGHT;   // at the split
    pPM->DrawMenuItem(canvas.DC(), mia);
    EXPECT_GT(GetRValue(canvas.At(0, 5)), 240) << "starts at the start colour";
    EXPECT_NEAR(GetBValue(Sys(COLOR_HIGHLIGHT)), GetBValue(canvas.At(20, 5)), 8);
    EXPECT_NEAR(GetRValue(Sys(COLOR_3DDKSHADOW)), GetRValue(canvas.At(39, 5)), 8);

    CPixelCanvas button(60, 24, CANVAS);
    pPM->m_nIdxClrBtnHover[0] = COLOR_3DHILIGHT;
    pPM->m_nIdxClrBtnHover[1] = COLOR_3DDKSHADOW;
    PM::PushButtonArgs_t hover = Button(CRect(0, 0, 60, 24), "", true, true, false, true);
    pPM->DrawPushButton(button.DC(), hover);
    EXPECT_GT(GetRValue(button.At(30, 22)), GetRValue(button.At(30, 2)))
        << "vertical gradient of a horizontal button, first colour at the bottom";
}
