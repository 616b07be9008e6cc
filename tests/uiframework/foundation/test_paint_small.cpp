// Small paint operations: icon label items, caption texts, child backgrounds with the
// parent-painted child filter, the popup list caption, and bitmap colour queries.

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
    for (int i = 0; i < nSize * nSize; i++)
        pBits[i] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    icon.AssignBitmap(hBitmap, KEY, NULL, false);
}

// A 4-bit DIB section with the given colour table.
HBITMAP MakeFourBitBitmap(const COLORREF* pTable)
{
    struct
    {
        BITMAPINFOHEADER bih;
        RGBQUAD colors[16];
    } bi = {};
    bi.bih.biSize = sizeof(BITMAPINFOHEADER);
    bi.bih.biWidth = 8;
    bi.bih.biHeight = 8;
    bi.bih.biPlanes = 1;
    bi.bih.biBitCount = 4;
    bi.bih.biClrUsed = 16;
    for (int i = 0; i < 16; i++)
    {
        bi.colors[i].rgbRed = GetRValue(pTable[i]);
        bi.colors[i].rgbGreen = GetGValue(pTable[i]);
        bi.colors[i].rgbBlue = GetBValue(pTable[i]);
    }
    void* pBits = NULL;
    return ::CreateDIBSection(NULL, (BITMAPINFO*)&bi, DIB_RGB_COLORS, &pBits, NULL, 0);
}

// A manager whose parent background is a red fill of the window's client area.
class CParentPaintingManager : public CExtPaintManager
{
public:
    virtual bool WantsParentBackground(CWnd*, LPARAM) override { return true; }
    virtual bool DrawParentBackground(bool, CDC& dc, CWnd* pWnd, LPARAM) override
    {
        CRect rc;
        pWnd->GetClientRect(&rc);
        dc.FillSolidRect(&rc, RED);
        return true;
    }
};

// Window creation helpers.
HWND MakeChild(HWND hParent, LPCTSTR pszClass, DWORD dwStyle, const CRect& rc)
{
    return ::CreateWindowEx(0, pszClass, "", WS_CHILD | WS_VISIBLE | dwStyle, rc.left, rc.top,
                            rc.Width(), rc.Height(), hParent, NULL, ::GetModuleHandle(NULL), NULL);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Icon label items

TEST(PaintSmall, IconLabelSeparator)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(60, 30, CANVAS);
    PM::IconLabelItemArgs_t ila;
    ila.m_nFlags = 0x80 | 0x10;
    ila.m_rcLabel.SetRect(10, 10, 50, 20);
    pPM->DrawIconLabelItem(canvas.DC(), ila);
    EXPECT_EQ(CRect(8, 8, 52, 22), canvas.InkBounds(CANVAS));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(8, 8));
    EXPECT_EQ(Sys(COLOR_INFOBK), canvas.At(30, 15));
    canvas.Fill(CANVAS);
    ila.m_nFlags = 0x80;
    pPM->DrawIconLabelItem(canvas.DC(), ila);
    EXPECT_EQ(60 * 30, canvas.Count(CANVAS));
}

TEST(PaintSmall, IconLabelItemFramesAndText)
{
    CExtCmdIcon first, second;
    MakeSolidIcon(first, 16, RED);
    MakeSolidIcon(second, 16, RGB(0, 0, 255));
    PM::IconLabelItemArgs_t ila;
    ila.m_pIcon1 = &first;
    ila.m_pIcon2 = &second;
    ila.m_nFlags = 0x40 | 0x02;
    ila.m_rcItem.SetRect(0, 0, 120, 30);
    ila.m_rcIcon.SetRect(4, 7, 20, 23);
    ila.m_rcLabel.SetRect(24, 0, 120, 30);
    ila.m_rcText.SetRect(24, 0, 120, 30);
    ila.m_sText = "Label";

    auto pClassic = MakePaintManager(false);
    CPixelCanvas canvas(120, 30, CANVAS);
    pClassic->DrawIconLabelItem(canvas.DC(), ila);
    EXPECT_EQ(256, canvas.Count(RED)) << "flag 0x40: the first icon";
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(2, 5));
    EXPECT_EQ(Sys(COLOR_3DFACE), canvas.At(21, 24));
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(3, 15));
    EXPECT_GT(canvas.Count(CRect(24, 0, 120, 30), Sys(COLOR_3DHILIGHT)), 10);

    auto pFlat = MakePaintManager(true);
    canvas.Fill(CANVAS);
    ila.m_nFlags = 0x01;
    ila.m_pIcon2 = NULL;    // falls back to the other icon
    pFlat->DrawIconLabelItem(canvas.DC(), ila);
    EXPECT_EQ(256, canvas.Count(RED));
    EXPECT_EQ(pFlat->GetColor(PM::LC_XP_HOT_BORDER), canvas.At(2, 5));
    EXPECT_EQ(pFlat->GetColor(PM::LC_FACE_HOT), canvas.At(3, 15));
    EXPECT_GT(canvas.Count(CRect(24, 0, 120, 30), Sys(COLOR_BTNTEXT)), 10);
}

/////////////////////////////////////////////////////////////////////////////
// Caption texts

TEST(PaintSmall, IconTitleTextPlacesTheIconAfterSixPixels)
{
    auto pPM = MakePaintManager(false);
    CExtCmdIcon icon;
    MakeSolidIcon(icon, 24, RED);
    CPixelCanvas canvas(300, 40, CANVAS);
    pPM->DrawIconTitleText(canvas.DC(), CRect(100, 0, 300, 40), "Title", &icon, true, false,
                           false, true);
    CRect rcRed(300, 40, 0, 0);
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 300; x++)
            if (canvas.At(x, y) == RED)
            {
                rcRed.left = std::min(rcRed.left, (LONG)x);
                rcRed.top = std::min(rcRed.top, (LONG)y);
                rcRed.right = std::max(rcRed.right, (LONG)x + 1);
                rcRed.bottom = std::max(rcRed.bottom, (LONG)y + 1);
            }
    EXPECT_EQ(CRect(106, 8, 130, 32), rcRed);
    EXPECT_GT(canvas.Count(CRect(136, 0, 300, 40), Sys(COLOR_BTNTEXT)), 10);
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 106, 40), Sys(COLOR_BTNTEXT)));

    // Without text the icon is centred at 16 x 16.
    CExtCmdIcon small;
    MakeSolidIcon(small, 16, RED);
    canvas.Fill(CANVAS);
    pPM->DrawIconTitleText(canvas.DC(), CRect(100, 0, 300, 40), "Title", &small, false, false,
                           false, true);
    EXPECT_EQ(CRect(192, 12, 208, 28), canvas.InkBounds(CANVAS));

    // Hot and pushed text turns to the window colour.
    canvas.Fill(CANVAS);
    pPM->DrawIconTitleText(canvas.DC(), CRect(100, 0, 300, 40), "Title", NULL, true, true, true,
                           true);
    EXPECT_GT(canvas.Count(Sys(COLOR_WINDOW)), 10);
    EXPECT_EQ(0, canvas.Count(Sys(COLOR_BTNTEXT)));
}

TEST(PaintSmall, CaptionTextsRespectTheClipRegion)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(200, 40, CANVAS);
    canvas.DC().IntersectClipRect(0, 0, 10, 10);
    pPM->DrawLargeCaptionText(canvas.DC(), CRect(50, 0, 200, 40), "Big");
    pPM->DrawIconTitleCaption(canvas.DC(), CRect(50, 0, 200, 40), "Big");
    canvas.DC().SelectClipRgn(NULL);
    EXPECT_EQ(200 * 40, canvas.Count(CANVAS));
    pPM->DrawIconTitleCaption(canvas.DC(), CRect(0, 0, 200, 40), "Caption");
    CRect rcInk = canvas.InkBounds(CANVAS);
    EXPECT_GE(rcInk.left, 7);
    EXPECT_NEAR(20, rcInk.CenterPoint().y, 3);
}

/////////////////////////////////////////////////////////////////////////////
// Child backgrounds

TEST(PaintSmall, ParentPaintedChildren)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "p", WS_POPUP | WS_VISIBLE,
                                CRect(0, 0, 200, 200), NULL, 0));
    HWND hWnd = parent.GetSafeHwnd();
    HWND hStatic = MakeChild(hWnd, "STATIC", 0, CRect(0, 0, 10, 10));
    HWND hGroup = MakeChild(hWnd, "BUTTON", BS_GROUPBOX, CRect(0, 0, 10, 10));
    HWND hCheck = MakeChild(hWnd, "BUTTON", BS_AUTOCHECKBOX, CRect(0, 0, 10, 10));
    HWND hOwner = MakeChild(hWnd, "BUTTON", BS_OWNERDRAW, CRect(0, 0, 10, 10));
    HWND hRadio = MakeChild(hWnd, "BUTTON", BS_AUTORADIOBUTTON, CRect(0, 0, 10, 10));
    HWND hUser = MakeChild(hWnd, "BUTTON", BS_PUSHBOX, CRect(0, 0, 10, 10));
    HWND hEdit = MakeChild(hWnd, "EDIT", 0, CRect(0, 0, 10, 10));
    ASSERT_TRUE(hStatic && hGroup && hCheck && hOwner && hRadio && hUser && hEdit);
    EXPECT_TRUE(PM::IsParentPaintedChild(hStatic));
    EXPECT_TRUE(PM::IsParentPaintedChild(hGroup));
    EXPECT_TRUE(PM::IsParentPaintedChild(hCheck));
    EXPECT_TRUE(PM::IsParentPaintedChild(hRadio));
    EXPECT_FALSE(PM::IsParentPaintedChild(hOwner));
    EXPECT_FALSE(PM::IsParentPaintedChild(hUser)) << (::GetWindowLong(hUser, GWL_STYLE) & 0x0F);
    EXPECT_FALSE(PM::IsParentPaintedChild(hEdit));
    EXPECT_FALSE(PM::IsParentPaintedChild(NULL));
    const bool bRead = g_CurrentPaintManager.m_bThemeColorsRead;
    g_CurrentPaintManager.m_bThemeColorsRead = true;
    EXPECT_TRUE(PM::IsParentPaintedChild(hOwner)) << "any button once theme colours are read";
    EXPECT_FALSE(PM::IsParentPaintedChild(hEdit));
    g_CurrentPaintManager.m_bThemeColorsRead = bRead;
    parent.DestroyWindow();
}

TEST(PaintSmall, ChildBackgroundWithoutSourceFillsFaceAndWindow)
{
    auto pPM = MakePaintManager(true);
    CPixelCanvas canvas(40, 40, CANVAS);
    pPM->DrawChildBackground(canvas.DC(), CRect(0, 0, 40, 40), CRect(10, 10, 30, 30), NULL);
    EXPECT_EQ(1600 - 400, canvas.Count(pPM->GetColor(PM::LC_FACE_NORMAL)));
    EXPECT_EQ(400, canvas.Count(Sys(COLOR_WINDOW)));
}

TEST(PaintSmall, ChildBackgroundPaintsTheParentAroundForeignChildren)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "p", WS_POPUP | WS_VISIBLE,
                                CRect(0, 0, 100, 100), NULL, 0));
    HWND hWnd = parent.GetSafeHwnd();
    ASSERT_TRUE(MakeChild(hWnd, "STATIC", 0, CRect(10, 10, 30, 30)) != NULL);
    ASSERT_TRUE(MakeChild(hWnd, "EDIT", 0, CRect(50, 10, 70, 30)) != NULL);
    CParentPaintingManager pm;
    pm.SyncSysColorsAndFonts();
    pm.InitLogicalColors();
    CPixelCanvas canvas(100, 100, CANVAS);
    pm.DrawChildBackground(canvas.DC(), CRect(0, 0, 100, 100), CRect(80, 80, 90, 90), &parent);
    EXPECT_EQ(RED, canvas.At(20, 20)) << "the static is painted over";
    EXPECT_EQ(CANVAS, canvas.At(60, 20)) << "the edit keeps its own area";
    EXPECT_EQ(RED, canvas.At(5, 60));
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(85, 85));
    EXPECT_EQ(0, canvas.Count(pm.GetColor(PM::LC_FACE_NORMAL))) << "no face fill";
    parent.DestroyWindow();
}

TEST(PaintSmall, PopupListCaption)
{
    auto pClassic = MakePaintManager(false);
    CPixelCanvas canvas(200, 30, CANVAS);
    pClassic->DrawPopupListCaption(canvas.DC(), CRect(0, 0, 200, 30), "Undo 3 Actions", NULL);
    const COLORREF face = g_CurrentPaintManager->GetMenuFaceColor(NULL);
    EXPECT_EQ(face, canvas.At(0, 0)) << "the installed manager's menu face";
    EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.At(3, 4)) << "sunken inner frame";
    EXPECT_EQ(Sys(COLOR_WINDOW), canvas.At(196, 27));
    CRect rcText = canvas.InkBounds(face);
    EXPECT_GT(canvas.Count(Sys(COLOR_WINDOWTEXT)), 10);
    auto pFlat = MakePaintManager(true);
    canvas.Fill(CANVAS);
    pFlat->DrawPopupListCaption(canvas.DC(), CRect(0, 0, 200, 30), "Undo 3 Actions", NULL);
    CRect rcFlat = canvas.InkBounds(face);
    EXPECT_NEAR(100, rcFlat.CenterPoint().x, 4) << "centred";
    EXPECT_NE(Sys(COLOR_3DSHADOW), canvas.At(3, 4)) << "no frame in the flat look";
    EXPECT_FALSE(rcText.IsRectEmpty());
}

/////////////////////////////////////////////////////////////////////////////
// Bitmap colour queries

TEST(PaintSmall, FourBitBitmapColours)
{
    COLORREF table[16];
    for (int i = 0; i < 16; i++)
        table[i] = RGB(i * 16, 0, 0);
    HBITMAP hBitmap = MakeFourBitBitmap(table);
    ASSERT_NE((HBITMAP)NULL, hBitmap);
    CArray<COLORREF, COLORREF> arr;
    EXPECT_EQ(4, PM::GetBitmapColors(hBitmap, arr, false));
    ASSERT_EQ(16, arr.GetSize());
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(table[i], arr[i]) << i;
    ::DeleteObject(hBitmap);

    table[5] = table[2];
    table[9] = table[2];
    table[15] = table[0];
    hBitmap = MakeFourBitBitmap(table);
    EXPECT_EQ(4, PM::GetBitmapColors(hBitmap, arr, true));
    EXPECT_EQ(13, arr.GetSize());
    EXPECT_EQ(table[2], arr[2]) << "first occurrences stay in table order";
    EXPECT_EQ(table[6], arr[5]);
    EXPECT_EQ(4, PM::GetBitmapColors(hBitmap, arr, false));
    EXPECT_EQ(16, arr.GetSize());
    ::DeleteObject(hBitmap);

    EXPECT_EQ(0, PM::GetBitmapColors(NULL, arr, false));
    EXPECT_EQ(0, arr.GetSize());
}

TEST(PaintSmall, HistogramOfADeepBitmap)
{
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = 10;
    bih.biHeight = 10;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    DWORD* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, (BITMAPINFO*)&bih, DIB_RGB_COLORS,
                                         (void**)&pBits, NULL, 0);
    for (int i = 0; i < 100; i++)
        pBits[i] = i < 30 ? 0x00FF0000 : (i < 90 ? 0x0000FF00 : 0x000000FF);
    CMap<COLORREF, COLORREF, DWORD, DWORD> map;
    map[RGB(1, 2, 3)] = 7;
    EXPECT_EQ(32, PM::GetBitmapColorHistogram(hBitmap, map));
    EXPECT_EQ(3, map.GetCount()) << "emptied first";
    DWORD n = 0;
    ASSERT_TRUE(map.Lookup(RGB(255, 0, 0), n));
    EXPECT_EQ(30u, n);
    ASSERT_TRUE(map.Lookup(RGB(0, 255, 0), n));
    EXPECT_EQ(60u, n);
    ASSERT_TRUE(map.Lookup(RGB(0, 0, 255), n));
    EXPECT_EQ(10u, n);
    CArray<COLORREF, COLORREF> arr;
    EXPECT_EQ(32, PM::GetBitmapColors(hBitmap, arr, true));
    EXPECT_EQ(3, arr.GetSize());
    ::DeleteObject(hBitmap);
    EXPECT_EQ(0, PM::GetBitmapColorHistogram(NULL, map));
    EXPECT_EQ(0, map.GetCount());
}
