// Command icons: forms, glyph icons, extraction, scaling, painting, effect icon, stream.

#include "afxwin.h"
#include "ExtCmdIcon.h"
#include "ExtPaintManager.h"
#include "cmd_test_support.h"

namespace
{

const COLORREF MAGENTA = RGB(255, 0, 255);
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF BLUE = RGB(0, 0, 255);

// 16 x 16: a red 8 x 8 square at (4, 4) on magenta.
HBITMAP MakeSquareBitmap(COLORREF clrSquare = RED, COLORREF clrBack = MAGENTA, int nSize = 16)
{
    int nLow = nSize / 4, nHigh = nSize - nSize / 4;
    return MakeTestBitmap(nSize, nSize, [=](int x, int y) {
        return (x >= nLow && x < nHigh && y >= nLow && y < nHigh) ? clrSquare : clrBack;
    });
}

// An HICON of the square with the magenta part masked out.
HICON MakeSquareHIcon()
{
    HBITMAP hBitmap = MakeSquareBitmap();
    HICON hIcon = CExtPaintManager::CreateIconFromBitmap(hBitmap, MAGENTA, NULL, false);
    ::DeleteObject(hBitmap);
    return hIcon;
}

std::vector<BYTE> StoreIcon(CExtCmdIcon& icon)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        icon.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> data((size_t)file.GetLength());
    file.SeekToBegin();
    if (!data.empty())
        file.Read(data.data(), (UINT)data.size());
    return data;
}

void LoadIcon(CExtCmdIcon& icon, const std::vector<BYTE>& data)
{
    CMemFile file;
    if (!data.empty())
        file.Write(data.data(), (UINT)data.size());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    icon.Serialize(ar);
}

// Paints the icon at (x, y) of a white 40 x 40 surface.
void PaintAt(CExtCmdIcon& icon, CTestSurface& surface, int x, int y,
             int nState = CExtCmdIcon::PAINT_NORMAL, HBRUSH hBrush = NULL)
{
    RECT rc = { x, y, x + 40, y + 40 };
    icon.Paint(surface.m_hDC, &rc, nState, hBrush);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Forms

TEST(CmdIconForms, NewIconIsEmptyWithDefaultEffectSettings)
{
    CExtCmdIcon icon;
    EXPECT_TRUE(icon.IsEmpty());
    EXPECT_EQ(icon.GetSize().cx, 0);
    EXPECT_EQ(icon.GetEffectParameter(), -1);
    EXPECT_DOUBLE_EQ(icon.GetEffectFactor(), 1.4);
    EXPECT_EQ(icon.GetHIcon(), (HICON)NULL);
    EXPECT_EQ(icon.DetachHIcon(), (HICON)NULL);
    EXPECT_EQ(icon.GetBitsPerPixel(), 0);
    RECT rc = { 0, 0, 16, 16 };
    CTestSurface surface(16, 16, WHITE);
    EXPECT_EQ(icon.Paint(surface.m_hDC, &rc), 0);
}

TEST(CmdIconForms, BitmapFormWithCachedHIconReportsTheBitmapSize)
{
    CExtCmdIcon icon(MakeSquareBitmap(RED, MAGENTA, 20), MAGENTA, NULL, false);
    ASSERT_TRUE(icon.IsBitmapBased());
    EXPECT_EQ(icon.GetSize().cx, 20);
    EXPECT_EQ(icon.GetSize().cy, 20);
    HICON hIcon = icon.GetHIcon();
    ASSERT_NE(hIcon, (HICON)NULL);
    EXPECT_EQ(icon.GetHIcon(), hIcon);              // cached
    EXPECT_EQ(icon.GetSize().cx, 20);
    EXPECT_TRUE(icon.IsBitmapBased());
    icon.SyncWithPaintManager();                    // drops the cache
    EXPECT_EQ(icon.m_icon.m_hIcon, (HICON)NULL);
    EXPECT_TRUE(icon.IsBitmapBased());
}

TEST(CmdIconForms, AssignBitmapOwnHandleAndPartCopies)
{
    CExtCmdIcon icon(MakeSquareBitmap(), MAGENTA, NULL, false);
    HBITMAP hOwn = icon.GetBitmap();
    icon.AssignBitmap(hOwn, RGB(1, 2, 3), NULL, true);
    EXPECT_EQ(icon.GetBitmap(), hOwn);
    EXPECT_EQ(icon.GetTransparentColor(), RGB(1, 2, 3));

    RECT rcPart = { 4, 4, 12, 8 };
    icon.AssignBitmap(hOwn, MAGENTA, &rcPart, true);
    EXPECT_NE(icon.GetBitmap(), hOwn);
    EXPECT_EQ(icon.GetSize().cx, 8);
    EXPECT_EQ(icon.GetSize().cy, 4);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 0, 0), RED);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 7, 3), RED);

    icon.AssignBitmap(NULL, 0);
    EXPECT_TRUE(icon.IsEmpty());
}

TEST(CmdIconForms, HIconFormCopyOrAdopt)
{
    HICON hIcon = MakeSquareHIcon();
    ASSERT_NE(hIcon, (HICON)NULL);
    CExtCmdIcon copied(hIcon, true);
    EXPECT_FALSE(copied.IsBitmapBased());
    EXPECT_NE(copied.GetHIcon(), hIcon);
    EXPECT_EQ(copied.GetSize().cx, 16);
    EXPECT_EQ(copied.GetSize().cy, 16);

    CExtCmdIcon adopted(hIcon, false);
    EXPECT_EQ(adopted.GetHIcon(), hIcon);

    // copying the icon's own handle keeps a working icon
    copied.AssignHIcon(copied.GetHIcon(), true);
    ASSERT_NE(copied.GetHIcon(), (HICON)NULL);
    CTestSurface surface(40, 40, WHITE);
    PaintAt(copied, surface, 0, 0);
    EXPECT_EQ(surface.Pixel(8, 8), RED);
    EXPECT_EQ(surface.Pixel(1, 1), WHITE);

    HICON hDetached = adopted.DetachHIcon();
    EXPECT_EQ(hDetached, hIcon);
    EXPECT_TRUE(adopted.IsEmpty());
    ::DestroyIcon(hDetached);
}

TEST(CmdIconForms, SizeComesFromTheBitmapsNeverFromTheHotSpot)
{
    // a colour cursor of 24 x 20 with its hot spot near the top-left corner
    HBITMAP hColour = MakeTestBitmap(24, 20, [](int, int) { return RED; });
    HBITMAP hMask = ::CreateBitmap(24, 20, 1, 1, NULL);
    ICONINFO ii = { FALSE, 3, 5, hMask, hColour };
    HICON hCursor = ::CreateIconIndirect(&ii);
    ASSERT_NE(hCursor, (HICON)NULL);
    CExtCmdIcon colour(hCursor, false);
    EXPECT_EQ(24, colour.GetSize().cx);
    EXPECT_EQ(20, colour.GetSize().cy);
    ::DeleteObject(hColour);
    ::DeleteObject(hMask);

    // a monochrome one: the mask holds both images, one above the other
    HBITMAP hMono = ::CreateBitmap(16, 32, 1, 1, NULL);
    ICONINFO iiMono = { FALSE, 2, 1, hMono, NULL };
    HICON hMonoCursor = ::CreateIconIndirect(&iiMono);
    ASSERT_NE(hMonoCursor, (HICON)NULL);
    CExtCmdIcon mono(hMonoCursor, false);
    EXPECT_EQ(16, mono.GetSize().cx);
    EXPECT_EQ(16, mono.GetSize().cy);
    ::DeleteObject(hMono);
}

TEST(CmdIconForms, AssignFromCopiesEitherForm)
{
    CExtCmdIcon bitmapIcon(MakeSquareBitmap(), MAGENTA, NULL, false);
    bitmapIcon.SetEffectParameter(RGB(1, 2, 3));
    CExtCmdIcon copy;
    copy.AssignFrom(bitmapIcon);
    ASSERT_TRUE(copy.IsBitmapBased());
    EXPECT_NE(copy.GetBitmap(), bitmapIcon.GetBitmap());
    EXPECT_EQ(copy.GetTransparentColor(), MAGENTA);
    EXPECT_EQ(copy.GetEffectParameter(), (int)RGB(1, 2, 3));
    EXPECT_EQ(BitmapPixel(copy.GetBitmap(), 5, 5), RED);

    CExtCmdIcon iconIcon(MakeSquareHIcon(), false);
    copy.AssignFrom(iconIcon);
    EXPECT_FALSE(copy.IsBitmapBased());
    EXPECT_NE(copy.GetHIcon(), iconIcon.GetHIcon());
    EXPECT_EQ(copy.GetSize().cx, 16);
    EXPECT_EQ(copy.GetBitsPerPixel(), 32);
}

TEST(CmdIconForms, DetachFromBitmapFormMakesANewHIcon)
{
    CExtCmdIcon icon(MakeSquareBitmap(), MAGENTA, NULL, false);
    HICON hIcon = icon.DetachHIcon(false);
    ASSERT_NE(hIcon, (HICON)NULL);
    EXPECT_TRUE(icon.IsEmpty());
    CExtCmdIcon check(hIcon, false);
    CTestSurface surface(40, 40, WHITE);
    PaintAt(check, surface, 0, 0);
    EXPECT_EQ(surface.Pixel(8, 8), RED);
    EXPECT_EQ(surface.Pixel(0, 0), WHITE);
}

/////////////////////////////////////////////////////////////////////////////
// Glyph icons

TEST(CmdIconGlyphs, CheckMarkWithDefaultColours)
{
    CExtCmdIcon icon;
    COLORREF* pBits = (COLORREF*)1;
    ASSERT_TRUE(icon.CreateCheckMarkIcon((COLORREF)-1, (COLORREF)-1, 16, 16, &pBits));
    EXPECT_NE(pBits, nullptr);
    ASSERT_TRUE(icon.IsBitmapBased());
    EXPECT_EQ(icon.GetSize().cx, 16);
    EXPECT_EQ(icon.GetTransparentColor(), MAGENTA);
    COLORREF clrGlyph = g_CurrentPaintManager->GetColor(1010) & 0x00FFFFFF;
    // the mark starts at (5, 5): its first column is (5, 7) and (5, 8)
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 5, 7), clrGlyph);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 5, 8), clrGlyph);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 8, 8), clrGlyph);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 0, 0), MAGENTA);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 15, 15), MAGENTA);
}

TEST(CmdIconGlyphs, MagentaGlyphGetsAnotherTransparentColour)
{
    CExtCmdIcon icon;
    ASSERT_TRUE(icon.CreateCheckMarkIcon(MAGENTA, (COLORREF)-1, 16, 16, NULL));
    EXPECT_EQ(icon.GetTransparentColor(), RGB(128, 255, 128));
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 5, 7), MAGENTA);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 0, 0), RGB(128, 255, 128));
}

TEST(CmdIconGlyphs, RadioDotAndEmptyIcon)
{
    CExtCmdIcon icon;
    ASSERT_TRUE(icon.CreateRadioDotIcon(BLUE, WHITE, 16, 16, NULL));
    EXPECT_EQ(icon.GetTransparentColor(), WHITE);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 7, 7), BLUE);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 0, 0), WHITE);

    ASSERT_TRUE(icon.CreateEmptyIcon((COLORREF)-1, 10, 12, NULL));
    EXPECT_EQ(icon.GetSize().cx, 10);
    EXPECT_EQ(icon.GetSize().cy, 12);
    EXPECT_EQ(icon.GetTransparentColor(), MAGENTA);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 5, 5), MAGENTA);

    COLORREF* pBits = (COLORREF*)1;
    EXPECT_FALSE(icon.CreateEmptyIcon(MAGENTA, 0, 16, &pBits));
    EXPECT_EQ(pBits, nullptr);
}

/////////////////////////////////////////////////////////////////////////////
// Extraction and scaling

TEST(CmdIconExtract, NewTransparentColourAvoidsTheImageColours)
{
    // magenta and green used, blue the transparent colour, silver free
    HBITMAP hBitmap = MakeTestBitmap(8, 8, [](int x, int) {
        return x < 3 ? MAGENTA : (x < 6 ? RGB(0, 255, 0) : BLUE);
    });
    CExtCmdIcon icon(hBitmap, BLUE, NULL, false);
    HBITMAP hOut = NULL;
    COLORREF clrOut = 0;
    COLORREF* pBits = NULL;
    CExtCmdIcon::ColorArray arrUsed;
    ASSERT_TRUE(icon.ExtractBitmap(&hOut, &clrOut, &arrUsed, &pBits));
    ASSERT_NE(hOut, (HBITMAP)NULL);
    EXPECT_NE(pBits, nullptr);
    EXPECT_EQ(clrOut, RGB(192, 192, 192));
    EXPECT_EQ(BitmapPixel(hOut, 7, 2), RGB(192, 192, 192));
    EXPECT_EQ(BitmapPixel(hOut, 0, 0), MAGENTA);
    ASSERT_GE(arrUsed.GetSize(), 1);
    EXPECT_EQ(arrUsed[0], RGB(192, 192, 192));
    ::DeleteObject(hOut);

    // without pixels the icon's own transparent colour stays
    ASSERT_TRUE(icon.ExtractBitmap(&hOut, &clrOut, NULL, NULL));
    EXPECT_EQ(clrOut, BLUE);
    EXPECT_EQ(BitmapPixel(hOut, 7, 2), BLUE);
    ::DeleteObject(hOut);

    CExtCmdIcon empty;
    EXPECT_FALSE(empty.ExtractBitmap(&hOut, &clrOut));
}

TEST(CmdIconExtract, HIconFormMasksTheTransparentPixels)
{
    CExtCmdIcon icon(MakeSquareHIcon(), false);
    HBITMAP hOut = NULL;
    COLORREF clrOut = 0;
    ASSERT_TRUE(icon.ExtractBitmap(&hOut, &clrOut, NULL, NULL));
    EXPECT_EQ(BitmapPixel(hOut, 8, 8), RED);
    EXPECT_EQ(BitmapPixel(hOut, 0, 0), clrOut);
    EXPECT_NE(clrOut, RED);
    ::DeleteObject(hOut);
}

TEST(CmdIconScale, SameSizeIsAnExactCopyAndBadSizesFail)
{
    CExtCmdIcon src(MakeSquareBitmap(), MAGENTA, NULL, false);
    CExtCmdIcon icon;
    EXPECT_FALSE(icon.AssignScaled(src, 0, 16));
    EXPECT_FALSE(icon.AssignScaled(CExtCmdIcon(), 16, 16));
    ASSERT_TRUE(icon.AssignScaled(src, 16, 16));
    EXPECT_NE(icon.GetBitmap(), src.GetBitmap());
    for (int y = 0; y < 16; y += 3)
        for (int x = 0; x < 16; x += 3)
            EXPECT_EQ(BitmapPixel(icon.GetBitmap(), x, y), BitmapPixel(src.GetBitmap(), x, y));
}

TEST(CmdIconScale, DoubleSizeBitmapKeepsTransparencyAndForm)
{
    CExtCmdIcon src(MakeSquareBitmap(), MAGENTA, NULL, false);
    CExtCmdIcon big;
    ASSERT_TRUE(big.AssignScaled(src, 32, 32));
    ASSERT_TRUE(big.IsBitmapBased());
    EXPECT_EQ(big.GetSize().cx, 32);
    EXPECT_EQ(big.GetTransparentColor(), MAGENTA);
    EXPECT_EQ(BitmapPixel(big.GetBitmap(), 16, 16), RED);
    EXPECT_EQ(BitmapPixel(big.GetBitmap(), 9, 9), RED);
    EXPECT_EQ(BitmapPixel(big.GetBitmap(), 2, 2), MAGENTA);
    EXPECT_EQ(BitmapPixel(big.GetBitmap(), 29, 29), MAGENTA);

    CTestSurface surface(40, 40, WHITE);
    PaintAt(big, surface, 0, 0);
    EXPECT_EQ(surface.Pixel(16, 16), RED);
    EXPECT_EQ(surface.Pixel(2, 2), WHITE);
    EXPECT_EQ(surface.Pixel(30, 30), WHITE);
}

TEST(CmdIconScale, HIconSourceGivesAnHIconResult)
{
    CExtCmdIcon src(MakeSquareHIcon(), false);
    CExtCmdIcon small;
    ASSERT_TRUE(small.AssignScaled(src, 8, 8));
    EXPECT_FALSE(small.IsBitmapBased());
    EXPECT_EQ(small.GetSize().cx, 8);
    CTestSurface surface(40, 40, WHITE);
    PaintAt(small, surface, 10, 10);
    EXPECT_EQ(surface.Pixel(14, 14), RED);
    EXPECT_EQ(surface.Pixel(10, 10), WHITE);
}

TEST(CmdIconScale, ScalingAnIconIntoItself)
{
    CExtCmdIcon icon(MakeSquareBitmap(), MAGENTA, NULL, false);
    ASSERT_TRUE(icon.AssignScaled(icon, 32, 32));
    EXPECT_EQ(icon.GetSize().cx, 32);
    EXPECT_EQ(BitmapPixel(icon.GetBitmap(), 16, 16), RED);
}

/////////////////////////////////////////////////////////////////////////////
// Painting

TEST(CmdIconPaint, NormalStateHonoursTransparency)
{
    CExtCmdIcon icon(MakeSquareBitmap(), MAGENTA, NULL, false);
    CTestSurface surface(40, 40, WHITE);
    RECT rc = { 10, 5, 50, 50 };
    EXPECT_NE(icon.Paint(surface.m_hDC, &rc), 0);
    EXPECT_EQ(surface.Pixel(10 + 4, 5 + 4), RED);
    EXPECT_EQ(surface.Pixel(10 + 11, 5 + 11), RED);
    EXPECT_EQ(surface.Pixel(10 + 12, 5 + 12), WHITE);
    EXPECT_EQ(surface.Pixel(10, 5), WHITE);
    EXPECT_EQ(surface.Pixel(9 + 8, 4), WHITE);

    CDC dc;
    dc.Attach(surface.m_hDC);
    surface.Fill(WHITE);
    EXPECT_NE(icon.Paint(dc, CPoint(0, 0)), 0);
    dc.Detach();
    EXPECT_EQ(surface.Pixel(7, 7), RED);
}

TEST(CmdIconPaint, DisabledAndMonochromeStatesDrawNoRed)
{
    CExtCmdIcon icon(MakeSquareBitmap(), MAGENTA, NULL, false);
    CTestSurface surface(40, 40, WHITE);
    PaintAt(icon, surface, 0, 0, CExtCmdIcon::PAINT_DISABLED);
    EXPECT_NE(surface.Pixel(7, 7), RED);
    EXPECT_EQ(surface.Pixel(1, 1), WHITE);

    surface.Fill(WHITE);
    HBRUSH hBrush = ::CreateSolidBrush(BLUE);
    PaintAt(icon, surface, 0, 0, CExtCmdIcon::PAINT_MONO, hBrush);
    EXPECT_EQ(surface.Pixel(7, 7), BLUE);
    EXPECT_EQ(surface.Pixel(1, 1), WHITE);

    // the effect state without an effect icon draws like the monochrome state
    surface.Fill(WHITE);
    PaintAt(icon, surface, 0, 0, CExtCmdIcon::PAINT_EFFECT, hBrush);
    EXPECT_EQ(surface.Pixel(7, 7), BLUE);
    ::DeleteObject(hBrush);
}

/////////////////////////////////////////////////////////////////////////////
// Effect icon

TEST(CmdIconEffect, CacheFollowsParameterAndFactorChanges)
{
    CExtCmdIcon icon(MakeSquareBitmap(), MAGENTA, NULL, false);
    EXPECT_EQ(icon.GetEffectIcon(), (HICON)NULL);      // parameter -1
    icon.SetEffectParameter(RGB(255, 0, 0));
    HICON hEffect = icon.GetEffectIcon();
    ASSERT_NE(hEffect, (HICON)NULL);
    EXPECT_EQ(icon.GetEffectIcon(), hEffect);
    icon.SetEffectFactor(1.4);
    EXPECT_EQ(icon.m_iconEffect.m_hIcon, hEffect);
    icon.SetEffectFactor(0.5);
    EXPECT_EQ(icon.m_iconEffect.m_hIcon, (HICON)NULL);
    ASSERT_NE(icon.GetEffectIcon(), (HICON)NULL);
    icon.AssignBitmap(MakeSquareBitmap(BLUE), MAGENTA, NULL, false);
    EXPECT_EQ(icon.m_iconEffect.m_hIcon, (HICON)NULL);
}

TEST(CmdIconEffect, TintedPixelsFollowTheFormula)
{
    // white square: lightness 1, tint red: (255 + 3 * 255) / 4 = 255, 255 / 4 = 63
    CExtCmdIcon icon(MakeSquareBitmap(WHITE), MAGENTA, NULL, false);
    icon.SetEffectParameter(RGB(255, 0, 0));
    icon.SetEffectFactor(0.0);
    CExtCmdIcon effect(icon.GetEffectIcon(), true);
    ASSERT_FALSE(effect.IsEmpty());
    CTestSurface surface(40, 40, RGB(0, 0, 0));
    PaintAt(effect, surface, 0, 0);
    EXPECT_EQ(surface.Pixel(8, 8), RGB(255, 63, 63));
    EXPECT_EQ(surface.Pixel(1, 1), RGB(0, 0, 0));

    // red square: l = 0.3, factor 0.5 lifts it to 0.65, n = 165
    CExtCmdIcon redIcon(MakeSquareBitmap(RED), MAGENTA, NULL, false);
    redIcon.SetEffectParameter(RGB(0, 0, 255));
    redIcon.SetEffectFactor(0.5);
    CExtCmdIcon redEffect(redIcon.GetEffectIcon(), true);
    surface.Fill(RGB(0, 0, 0));
    PaintAt(redEffect, surface, 0, 0);
    int n = (int)((0.3 + 0.5 * 0.7) * 255.0);
    int nBlue = (n + 3 * ::MulDiv(255, n, 255)) / 4;
    EXPECT_EQ(surface.Pixel(8, 8), RGB(n / 4, n / 4, nBlue));
}

TEST(CmdIconEffect, EffectStateDrawsTheEffectIcon)
{
    CExtCmdIcon icon(MakeSquareBitmap(WHITE), MAGENTA, NULL, false);
    icon.SetEffectParameter(RGB(0, 255, 0));
    icon.SetEffectFactor(0.0);
    CTestSurface surface(40, 40, RGB(0, 0, 0));
    PaintAt(icon, surface, 0, 0, CExtCmdIcon::PAINT_EFFECT);
    if (g_CurrentPaintManager.m_bIsWin2000OrLater
        && ::GetDeviceCaps(surface.m_hDC, BITSPIXEL) > 8)
    {
        EXPECT_EQ(surface.Pixel(8, 8), RGB(63, 255, 63));
    }
    EXPECT_EQ(surface.Pixel(1, 1), RGB(0, 0, 0));
}

/////////////////////////////////////////////////////////////////////////////
// Stream

TEST(CmdIconStream, EmptyIconIsOneZeroByte)
{
    CExtCmdIcon icon;
    std::vector<BYTE> data = StoreIcon(icon);
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0], 0);
    CExtCmdIcon loaded(MakeSquareBitmap(), MAGENTA, NULL, false);
    LoadIcon(loaded, data);
    EXPECT_TRUE(loaded.IsEmpty());
}

TEST(CmdIconStream, BitmapFormRoundTrip)
{
    CExtCmdIcon icon(MakeSquareBitmap(), MAGENTA, NULL, false);
    std::vector<BYTE> data = StoreIcon(icon);
    ASSERT_GT(data.size(), 1u + 14u + 40u + 4u);
    EXPECT_EQ(data[0], 1);
    EXPECT_EQ(data[1], 'B');
    EXPECT_EQ(data[2], 'M');
    CExtCmdIcon loaded;
    LoadIcon(loaded, data);
    ASSERT_TRUE(loaded.IsBitmapBased());
    EXPECT_EQ(loaded.GetTransparentColor(), MAGENTA);
    EXPECT_EQ(loaded.GetSize().cx, 16);
    EXPECT_EQ(BitmapPixel(loaded.GetBitmap(), 6, 6), RED);
    EXPECT_EQ(BitmapPixel(loaded.GetBitmap(), 1, 1), MAGENTA);

    // kind 3 has bit 0 set and reads the bitmap form
    data[0] = 3;
    CExtCmdIcon kind3;
    LoadIcon(kind3, data);
    EXPECT_TRUE(kind3.IsBitmapBased());
}

TEST(CmdIconStream, HIconFormRoundTrip)
{
    CExtCmdIcon icon(MakeSquareHIcon(), false);
    std::vector<BYTE> data = StoreIcon(icon);
    ASSERT_GT(data.size(), 10u);
    EXPECT_EQ(data[0], 2);
    EXPECT_EQ(data[1] & 0x07, 0x07);        // icon, colour bitmap, mask
    CExtCmdIcon loaded;
    LoadIcon(loaded, data);
    ASSERT_FALSE(loaded.IsEmpty());
    EXPECT_FALSE(loaded.IsBitmapBased());
    EXPECT_EQ(loaded.GetSize().cx, 16);
    CTestSurface surface(40, 40, WHITE);
    PaintAt(loaded, surface, 0, 0);
    EXPECT_EQ(surface.Pixel(8, 8), RED);
    EXPECT_EQ(surface.Pixel(1, 1), WHITE);
}

TEST(CmdIconStream, StreamEndingEarlyRaisesAnArchiveException)
{
    CExtCmdIcon icon(MakeSquareBitmap(), MAGENTA, NULL, false);
    std::vector<BYTE> data = StoreIcon(icon);
    data.resize(data.size() - 2);       // the transparent colour is cut
    CExtCmdIcon loaded;
    bool bThrown = false;
    try
    {
        LoadIcon(loaded, data);
    }
    catch (CException* e)
    {
        bThrown = e->IsKindOf(RUNTIME_CLASS(CArchiveException)) != FALSE;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_TRUE(loaded.IsEmpty());
}

TEST(CmdIconMisc, QueryImageInfoCountsColours)
{
    CExtCmdIcon icon(MakeSquareBitmap(), MAGENTA, NULL, false);
    CExtCmdIcon::ColorHistogram map;
    EXPECT_GT(icon.QueryImageInfo(map), 0);
    DWORD nRed = 0, nMagenta = 0;
    EXPECT_TRUE(map.Lookup(RED, nRed));
    EXPECT_TRUE(map.Lookup(MAGENTA, nMagenta));
    EXPECT_EQ(nRed, 64u);
    EXPECT_EQ(nMagenta, 256u - 64u);
}

TEST(CmdIconMisc, MouseCaptureSinkTakesTheCapture)
{
    CTestWindow wnd;
    CExtMouseCaptureSink sink;
    sink.SetMouseCapture(wnd.m_hWnd);
    EXPECT_EQ(::GetCapture(), wnd.m_hWnd);
    ::ReleaseCapture();
}
