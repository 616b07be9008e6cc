// Static GDI helpers of the paint manager: glyphs, gradients, dithers, bitmap copies and
// files, colour adjustment, regions, icons, transparent blits, small pixel figures, the
// shadow tint and monitor alignment.

#include "test_paint_support.h"
#include "cmd_resource.h"

typedef CExtPaintManager PM;
typedef CExtPaintManager::GlyphMatrix_t Glyph;

namespace
{

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF GREEN = RGB(0, 255, 0);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF KEY = RGB(255, 0, 255);

// A 32-bit DIB section filled by a pixel function (x, y from the top).
template <class Fn>
HBITMAP MakeBitmap(int cx, int cy, Fn pixel)
{
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = cx;
    bih.biHeight = -cy;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    DWORD* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, (BITMAPINFO*)&bih, DIB_RGB_COLORS, (void**)&pBits,
                                         NULL, 0);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            COLORREF clr = pixel(x, y);
            pBits[y * cx + x] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
        }
    return hBitmap;
}

// old + (new - old) / 2 per channel, then 10 % lighter: one tinted shadow pixel.
COLORREF Tinted(COLORREF clrOld, COLORREF clrNew)
{
    return PM::HLSAdjustColor(RGB(GetRValue(clrOld) + (GetRValue(clrNew) - GetRValue(clrOld)) / 2,
                                  GetGValue(clrOld) + (GetGValue(clrNew) - GetGValue(clrOld)) / 2,
                                  GetBValue(clrOld) + (GetBValue(clrNew) - GetBValue(clrOld)) / 2),
                              0, 0.1, 0);
}

COLORREF PixelOf(HBITMAP hBitmap, int x, int y)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    COLORREF clr = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return clr;
}

CSize SizeOf(HBITMAP hBitmap)
{
    BITMAP bm;
    if (::GetObject(hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

// Distinct colours of a row of the canvas.
int DistinctColours(CPixelCanvas& canvas, int y, int x0, int x1)
{
    std::vector<COLORREF> seen;
    for (int x = x0; x < x1; x++)
    {
        COLORREF clr = canvas.At(x, y);
        if (std::find(seen.begin(), seen.end(), clr) == seen.end())
            seen.push_back(clr);
    }
    return (int)seen.size();
}

// Runs with the holder's GradientFill entry point removed, so that bands are drawn.
class CNoGradientFill
{
public:
    CNoGradientFill() : m_pfn(g_CurrentPaintManager.m_pfnGradientFill)
    {
        g_CurrentPaintManager.m_pfnGradientFill = NULL;
    }
    ~CNoGradientFill() { g_CurrentPaintManager.m_pfnGradientFill = m_pfn; }

private:
    CExtPaintManagerHolder::PFNGRADIENTFILL m_pfn;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Glyphs

TEST(PaintHelpers, GlyphRotation)
{
    const UINT data[6] = { 1, 2, 3,
                           4, 5, 6 };
    Glyph g(3, 2, 7, data);
    Glyph g90(g, 90);
    ASSERT_EQ(2, g90.m_nWidth);
    ASSERT_EQ(3, g90.m_nHeight);
    // Clockwise: the bottom-left cell goes to the top-left.
    EXPECT_EQ(4u, g90.GetColorIndexAt(0, 0));
    EXPECT_EQ(1u, g90.GetColorIndexAt(1, 0));
    EXPECT_EQ(6u, g90.GetColorIndexAt(0, 2));
    Glyph g0(g, 0);
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(data[i], g0.m_pData[i]);
    Glyph g4(g, 90);
    g4.Rotate(90);
    g4.Rotate(90);
    g4.Rotate(90);
    ASSERT_EQ(3, g4.m_nWidth);
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(data[i], g4.m_pData[i]);
    Glyph g180(g, 180);
    EXPECT_EQ(6u, g180.GetColorIndexAt(0, 0));
    Glyph g270(g, 270);
    EXPECT_EQ(3u, g270.GetColorIndexAt(0, 0));
    EXPECT_EQ(1u, g270.GetColorIndexAt(0, 2));
    // The source glyph owns its own copy and is unchanged.
    EXPECT_EQ(1u, g.GetColorIndexAt(0, 0));
}

TEST(PaintHelpers, GlyphSetRotationsAgree)
{
    // 5, 15, 20 and 31 equal 2, 12, 17 and 28 turned 90 degrees.
    const int pairs[4][2] = { { 5, 2 }, { 15, 12 }, { 20, 17 }, { 31, 28 } };
    for (auto& p : pairs)
    {
        Glyph turned(PM::GetGlyph(p[1]), 90);
        const Glyph& made = PM::GetGlyph(p[0]);
        ASSERT_EQ(turned.m_nWidth, made.m_nWidth) << p[0];
        ASSERT_EQ(turned.m_nHeight, made.m_nHeight) << p[0];
        for (int i = 0; i < made.m_nWidth * made.m_nHeight; i++)
            EXPECT_EQ(turned.m_pData[i], made.m_pData[i]) << p[0] << " cell " << i;
    }
    EXPECT_EQ(CSize(9, 9), PM::GetGlyph(1).GetSize());
    EXPECT_EQ(CSize(7, 12), PM::GetGlyph(46).GetSize());
    EXPECT_EQ(CSize(3, 5), PM::GetGlyph(38).GetSize());
    EXPECT_EQ(CSize(5, 3), PM::g_glyphChevronArrowH.GetSize());
    EXPECT_EQ(CSize(3, 5), PM::g_glyphChevronArrowV.GetSize());
    EXPECT_EQ(CSize(5, 8), PM::g_glyphChevronExpandV.GetSize());
    EXPECT_EQ(CSize(12, 16), PM::g_glyphSubMenuArrow.GetSize());
    EXPECT_EQ(0, GlyphCells(PM::GetGlyph(0)));
    EXPECT_EQ(&PM::GetGlyph(0), &PM::GetGlyph(49));
    EXPECT_EQ(16, GlyphCells(PM::g_glyphSubMenuArrowBar) - GlyphCells(PM::g_glyphSubMenuArrow));
}

TEST(PaintHelpers, DrawGlyphCentredPaintsEveryNonZeroCell)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(30, 30);
    const Glyph& g = PM::GetGlyph(1);
    COLORREF colors[2] = { 0, RED };
    pPM->DrawGlyphCentered(canvas.DC(), CRect(0, 0, 30, 30), g, colors);
    EXPECT_EQ(GlyphCells(g), canvas.Count(RED));
    EXPECT_EQ(CRect(10 + 1, 10 + 1, 10 + 9, 10 + 8), canvas.InkBounds(WHITE));
    // A glyph wholly outside the clip box is not drawn.
    canvas.Fill(WHITE);
    canvas.DC().IntersectClipRect(0, 0, 5, 5);
    pPM->DrawGlyph(canvas.DC(), 10, 10, g, colors);
    canvas.DC().SelectClipRgn(NULL);
    EXPECT_EQ(0, canvas.Count(RED));
    // An empty rectangle draws nothing.
    pPM->DrawGlyphCentered(canvas.DC(), CRect(5, 5, 5, 20), g, colors);
    EXPECT_EQ(0, canvas.Count(RED));
}

/////////////////////////////////////////////////////////////////////////////
// Gradients

TEST(PaintHelpers, GradientBandsOnDeepTargets)
{
    CNoGradientFill noGradient;
    CPixelCanvas canvas(120, 20);
    PM::GradientFillRect(canvas.DC(), CRect(10, 0, 110, 10), RGB(0, 0, 0), RGB(200, 0, 0), false,
                         256);
    EXPECT_EQ(100, DistinctColours(canvas, 5, 10, 110)) << "one band per pixel";
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(10, 5));
    EXPECT_EQ(WHITE, canvas.At(9, 5));
    EXPECT_EQ(WHITE, canvas.At(110, 5));
    EXPECT_GT(GetRValue(canvas.At(109, 5)), 190);
    // Vertical bands run from the bottom up: the first colour ends at the bottom.
    PM::GradientFillRect(canvas.DC(), CRect(0, 10, 120, 20), RGB(0, 0, 0), RGB(0, 0, 250), true,
                         5);
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(50, 19));
    EXPECT_EQ(RGB(0, 0, 200), canvas.At(50, 10));
    std::vector<COLORREF> column;
    for (int y = 10; y < 20; y++)
        if (column.empty() || column.back() != canvas.At(50, y))
            column.push_back(canvas.At(50, y));
    EXPECT_EQ(5u, column.size());
}

TEST(PaintHelpers, GradientOn256ColourTargetUsesFewerBands)
{
    CNoGradientFill noGradient;
    CPixelCanvas canvas(40, 10, WHITE, 8);
    PM::GradientFillRect(canvas.DC(), CRect(0, 0, 20, 10), RGB(0, 0, 0), RGB(255, 255, 255),
                         false, 256);
    // 20 pixels: at most 20 / 4 = 5 bands; the palette may merge neighbours.
    int nColours = DistinctColours(canvas, 5, 0, 20);
    EXPECT_LE(nColours, 5);
    EXPECT_GE(nColours, 3);
    // Inverted rectangles draw nothing.
    canvas.Fill(WHITE);
    PM::GradientFillRect(canvas.DC(), CRect(20, 0, 10, 10), RED, BLUE, false, 256);
    EXPECT_EQ(400, canvas.Count(WHITE));
}

TEST(PaintHelpers, GradientFillEntryPointRunsBothDirections)
{
    ASSERT_NE((void*)NULL, (void*)g_CurrentPaintManager.m_pfnGradientFill);
    CPixelCanvas canvas(100, 100);
    PM::GradientFillRect(canvas.DC(), CRect(0, 0, 100, 50), RGB(255, 0, 0), RGB(0, 0, 255),
                         false, 256);
    EXPECT_GT(GetRValue(canvas.At(0, 25)), 240);
    EXPECT_GT(GetBValue(canvas.At(99, 25)), 240);
    PM::GradientFillRect(canvas.DC(), CRect(0, 50, 100, 100), RGB(255, 0, 0), RGB(0, 0, 255),
                         true, 256);
    EXPECT_GT(GetRValue(canvas.At(50, 99)), 240) << "first colour at the bottom";
    EXPECT_GT(GetBValue(canvas.At(50, 50)), 240);
}

TEST(PaintHelpers, TwoPartGradientPassesThroughTheMiddleColour)
{
    CNoGradientFill noGradient;
    CPixelCanvas canvas(100, 10);
    PM::GradientFillTwoPart(canvas.DC(), CRect(0, 0, 100, 10), RGB(255, 0, 0), RGB(0, 255, 0),
                            RGB(0, 0, 255), false, 1, 2, 256);
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(0, 5));
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(50, 5));
    EXPECT_GT(GetBValue(canvas.At(99, 5)), 240);
    CPixelCanvas tall(10, 100);
    PM::GradientFillTwoPart(tall.DC(), CRect(0, 0, 10, 100), RGB(255, 0, 0), RGB(0, 255, 0),
                            RGB(0, 0, 255), true, 1, 2, 256);
    EXPECT_GT(GetRValue(tall.At(5, 0)), 240) << "first colour at the top";
    EXPECT_GT(GetGValue(tall.At(5, 50)), 240);
    EXPECT_GT(GetBValue(tall.At(5, 99)), 240);
}

TEST(PaintHelpers, DitherBitmapPattern)
{
    HBITMAP hChecker = PM::CreateDitherBitmap(RED, BLUE, 1, 1, 0, 0, (COLORREF)-1);
    ASSERT_NE((HBITMAP)NULL, hChecker);
    EXPECT_EQ(CSize(16, 16), SizeOf(hChecker));
    EXPECT_EQ(RED, PixelOf(hChecker, 0, 0));
    EXPECT_EQ(BLUE, PixelOf(hChecker, 1, 0));
    EXPECT_EQ(RED, PixelOf(hChecker, 1, 1));
    ::DeleteObject(hChecker);
    HBITMAP hLines = PM::CreateDitherBitmap(RED, BLUE, 1, 1, 0, 1, GREEN);
    EXPECT_EQ(GREEN, PixelOf(hLines, 3, 1));
    EXPECT_EQ(RED, PixelOf(hLines, 2, 2));
    ::DeleteObject(hLines);
}

/////////////////////////////////////////////////////////////////////////////
// Bitmap copies and files

TEST(PaintHelpers, CopyBitmapRectTakesThePart)
{
    HBITMAP hSrc = MakeBitmap(20, 10, [](int x, int) { return x < 10 ? RED : BLUE; });
    CRect rcPart(8, 2, 14, 6);
    COLORREF* pBits = NULL;
    HBITMAP hPart = PM::CopyBitmapRect(hSrc, &rcPart, &pBits);
    ASSERT_NE((HBITMAP)NULL, hPart);
    ASSERT_NE((COLORREF*)NULL, pBits);
    EXPECT_EQ(CSize(6, 4), SizeOf(hPart));
    EXPECT_EQ(0x00FF0000u, pBits[0] & 0xFFFFFF) << "bottom-up row 0, red";
    EXPECT_EQ(0x000000FFu, pBits[5] & 0xFFFFFF);
    EXPECT_EQ(RED, PixelOf(hPart, 1, 0));
    EXPECT_EQ(BLUE, PixelOf(hPart, 2, 3));
    ::DeleteObject(hPart);
    ::DeleteObject(hSrc);
    EXPECT_EQ((HBITMAP)NULL, PM::CopyBitmapRect(NULL, NULL, NULL));
    // A bitmap held by another DC cannot be read; no black copy is handed out.
    CPixelCanvas canvas(8, 8, RED);
    EXPECT_EQ((HBITMAP)NULL, PM::CopyBitmapRect(canvas.Bitmap(), NULL, NULL));
}

TEST(PaintHelpers, BitmapFileRoundTripThroughAnArchive)
{
    HBITMAP hSrc = MakeBitmap(13, 7, [](int x, int y) { return RGB(x * 10, y * 30, 77); });
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(PM::LoadBitmapFromArchive(ar, &hSrc));
        ar.Close();
    }
    ULONGLONG nLength = file.GetLength();
    file.SeekToBegin();
    BITMAPFILEHEADER bfh;
    ASSERT_EQ(sizeof(bfh), file.Read(&bfh, sizeof(bfh)));
    EXPECT_EQ(0x4D42, bfh.bfType);
    EXPECT_EQ(nLength, bfh.bfSize);
    EXPECT_EQ(14u + 40u, bfh.bfOffBits);
    file.SeekToBegin();
    HBITMAP hLoaded = NULL;
    {
        CArchive ar(&file, CArchive::load);
        ASSERT_TRUE(PM::LoadBitmapFromArchive(ar, &hLoaded));
    }
    ASSERT_NE((HBITMAP)NULL, hLoaded);
    EXPECT_EQ(CSize(13, 7), SizeOf(hLoaded));
    for (int y = 0; y < 7; y++)
        for (int x = 0; x < 13; x++)
            ASSERT_EQ(RGB(x * 10, y * 30, 77), PixelOf(hLoaded, x, y)) << x << "," << y;
    ::DeleteObject(hLoaded);
    ::DeleteObject(hSrc);
}

TEST(PaintHelpers, DamagedBitmapFilesAreRefused)
{
    HBITMAP hSrc = MakeBitmap(8, 8, [](int, int) { return RED; });
    CMemFile good;
    {
        CArchive ar(&good, CArchive::store);
        ASSERT_TRUE(PM::LoadBitmapFromArchive(ar, &hSrc));
    }
    ::DeleteObject(hSrc);
    const UINT nLen = (UINT)good.GetLength();
    BYTE* pGood = good.Detach();
    std::vector<BYTE> bytes(pGood, pGood + nLen);
    free(pGood);

    EXPECT_EQ((HBITMAP)NULL, PM::LoadBitmapFromMemory(bytes.data(), 14)) << "header only";
    EXPECT_EQ((HBITMAP)NULL, PM::LoadBitmapFromMemory(bytes.data(), nLen - 10)) << "truncated";
    std::vector<BYTE> huge(bytes);
    ((BITMAPFILEHEADER*)huge.data())->bfSize = 0x7FFFFFF0;
    EXPECT_EQ((HBITMAP)NULL, PM::LoadBitmapFromMemory(huge.data(), nLen));
    std::vector<BYTE> wide(bytes);
    ((BITMAPINFOHEADER*)(wide.data() + 14))->biWidth = 100000;
    EXPECT_EQ((HBITMAP)NULL, PM::LoadBitmapFromMemory(wide.data(), nLen)) << "bits beyond data";
    std::vector<BYTE> smallHeader(bytes);
    ((BITMAPINFOHEADER*)(smallHeader.data() + 14))->biSize = 12;
    EXPECT_EQ((HBITMAP)NULL, PM::LoadBitmapFromMemory(smallHeader.data(), nLen));
    std::vector<BYTE> notBmp(bytes);
    notBmp[0] = 'X';
    EXPECT_EQ((HBITMAP)NULL, PM::LoadBitmapFromMemory(notBmp.data(), nLen));
    HBITMAP hOk = PM::LoadBitmapFromMemory(bytes.data(), nLen);
    ASSERT_NE((HBITMAP)NULL, hOk);
    EXPECT_EQ(RED, PixelOf(hOk, 4, 4));
    ::DeleteObject(hOk);
}

TEST(PaintHelpers, DibOfAFourBitBitmapCarriesItsColourTable)
{
    struct
    {
        BITMAPINFOHEADER bih;
        RGBQUAD colors[16];
    } bi = {};
    bi.bih.biSize = sizeof(BITMAPINFOHEADER);
    bi.bih.biWidth = 4;
    bi.bih.biHeight = 4;
    bi.bih.biPlanes = 1;
    bi.bih.biBitCount = 4;
    for (int i = 0; i < 16; i++)
        bi.colors[i].rgbRed = (BYTE)(i * 16);
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, (BITMAPINFO*)&bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    ASSERT_NE((HBITMAP)NULL, hBitmap);
    HGLOBAL hDIB = PM::GetBitmapDIB(hBitmap);
    ASSERT_NE((HGLOBAL)NULL, hDIB);
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)::GlobalLock(hDIB);
    EXPECT_EQ(40u, pHeader->biSize);
    EXPECT_EQ(4, pHeader->biBitCount);
    EXPECT_GE(::GlobalSize(hDIB), 40u + 16 * 4 + 8);
    ::GlobalUnlock(hDIB);
    ::GlobalFree(hDIB);
    ::DeleteObject(hBitmap);
}

/////////////////////////////////////////////////////////////////////////////
// Colour adjustment, regions and icons

TEST(PaintHelpers, AdjustBitmapColorsSparesTheKeyColour)
{
    HBITMAP hSrc = MakeBitmap(4, 1, [](int x, int) { return x < 2 ? GREEN : RGB(0, 0, 128); });
    HBITMAP hAdj = PM::AdjustBitmapColors(hSrc, GREEN, 0, 0.0, 0.5, 0.0);
    ASSERT_NE((HBITMAP)NULL, hAdj);
    EXPECT_EQ(GREEN, PixelOf(hAdj, 0, 0));
    EXPECT_EQ(PM::HLSAdjustColor(RGB(0, 0, 128), 0, 0.5, 0), PixelOf(hAdj, 3, 0));
    EXPECT_NE(RGB(0, 0, 128), PixelOf(hAdj, 3, 0));
    ::DeleteObject(hAdj);

    CBitmap bmp;
    bmp.Attach(hSrc);
    HGDIOBJ hBefore = bmp.GetSafeHandle();
    EXPECT_TRUE(PM::AdjustBitmapColorsInPlace(&bmp, GREEN, 0, 0, 0, 0));
    EXPECT_EQ(hBefore, bmp.GetSafeHandle()) << "no deltas: nothing replaced";
    EXPECT_TRUE(PM::AdjustBitmapColorsInPlace(&bmp, GREEN, 0, 0, -0.5, 0));
    EXPECT_NE(hBefore, bmp.GetSafeHandle());
    EXPECT_EQ(GREEN, PixelOf((HBITMAP)bmp.GetSafeHandle(), 1, 0));
}

TEST(PaintHelpers, KeyRangeSparesAWholeBlockOfColours)
{
    HBITMAP hSrc = MakeBitmap(3, 1, [](int x, int) {
        return x == 0 ? RGB(100, 100, 100) : (x == 1 ? RGB(104, 102, 100) : RGB(106, 100, 100));
    });
    HRGN hRgn = PM::CreateRegionFromBitmap(hSrc, RGB(100, 100, 100), RGB(5, 5, 5));
    ASSERT_NE((HRGN)NULL, hRgn);
    EXPECT_FALSE(::PtInRegion(hRgn, 0, 0));
    EXPECT_FALSE(::PtInRegion(hRgn, 1, 0));
    EXPECT_TRUE(::PtInRegion(hRgn, 2, 0)) << "106 lies beyond key + range";
    ::DeleteObject(hRgn);
    ::DeleteObject(hSrc);
}

TEST(PaintHelpers, RegionFromBitmapLeavesOutTheKeyColour)
{
    HBITMAP hAllKey = MakeBitmap(10, 10, [](int, int) { return GREEN; });
    HRGN hEmpty = PM::CreateRegionFromBitmap(hAllKey, GREEN, 0);
    ASSERT_NE((HRGN)NULL, hEmpty);
    RECT rcBox;
    EXPECT_EQ(NULLREGION, ::GetRgnBox(hEmpty, &rcBox));
    ::DeleteObject(hEmpty);
    ::DeleteObject(hAllKey);

    // A ring: everything but the centre and the corners.
    HBITMAP hRing = MakeBitmap(10, 10, [](int x, int y) {
        return ((x >= 3 && x < 7 && y >= 3 && y < 7) || (x == 0 && y == 0)) ? GREEN : BLUE;
    });
    HRGN hRgn = PM::CreateRegionFromBitmap(hRing, GREEN, 0);
    ASSERT_NE((HRGN)NULL, hRgn);
    EXPECT_FALSE(::PtInRegion(hRgn, 0, 0));
    EXPECT_TRUE(::PtInRegion(hRgn, 1, 0));
    EXPECT_FALSE(::PtInRegion(hRgn, 5, 5));
    EXPECT_TRUE(::PtInRegion(hRgn, 2, 5));
    EXPECT_TRUE(::PtInRegion(hRgn, 9, 9));
    EXPECT_EQ(COMPLEXREGION, ::GetRgnBox(hRgn, &rcBox));
    EXPECT_EQ(CRect(0, 0, 10, 10), CRect(rcBox));
    ::DeleteObject(hRgn);
    ::DeleteObject(hRing);
}

TEST(PaintHelpers, RegionOfMoreThanOneBlockOfRectangles)
{
    // A checkerboard of 100 x 100 gives 5000 one-pixel runs: three blocks of rectangles.
    HBITMAP hChecker = MakeBitmap(100, 100, [](int x, int y) {
        return ((x + y) & 1) != 0 ? GREEN : BLUE;
    });
    HRGN hRgn = PM::CreateRegionFromBitmap(hChecker, GREEN, 0);
    ASSERT_NE((HRGN)NULL, hRgn);
    int nInside = 0;
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++)
            if (::PtInRegion(hRgn, x, y))
            {
                nInside++;
                EXPECT_EQ(0, (x + y) & 1);
            }
    EXPECT_EQ(5000, nInside);
    ::DeleteObject(hRgn);
    ::DeleteObject(hChecker);
}

TEST(PaintHelpers, IconFromBitmapIsTransparentWhereTheKeyWas)
{
    HBITMAP hSrc = MakeBitmap(16, 16, [](int x, int) { return x < 8 ? KEY : RED; });
    HICON hIcon = PM::CreateIconFromBitmap(hSrc, KEY, NULL, false);
    ASSERT_NE((HICON)NULL, hIcon);
    CPixelCanvas canvas(16, 16, BLUE);
    ::DrawIconEx(canvas.DC().GetSafeHdc(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
    EXPECT_EQ(BLUE, canvas.At(3, 8));
    EXPECT_EQ(RED, canvas.At(12, 8));
    ::DestroyIcon(hIcon);

    // Remapping turns the standard greys into the current system colours.
    HBITMAP hGrey = MakeBitmap(4, 4, [](int, int) { return RGB(0x80, 0x80, 0x80); });
    HICON hRemapped = PM::CreateIconFromBitmap(hGrey, KEY, NULL, true);
    ASSERT_NE((HICON)NULL, hRemapped);
    CPixelCanvas small(4, 4);
    ::DrawIconEx(small.DC().GetSafeHdc(), 0, 0, hRemapped, 4, 4, 0, NULL, DI_NORMAL);
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), small.At(1, 1));
    ::DestroyIcon(hRemapped);
    ::DeleteObject(hGrey);
    ::DeleteObject(hSrc);
}

TEST(PaintHelpers, TransparentBlitLeavesKeyPixelsAndStretches)
{
    CPixelCanvas src(10, 10);
    src.Fill(KEY);
    src.DC().FillSolidRect(0, 0, 5, 10, RED);
    CPixelCanvas dst(40, 20, GREEN);
    dst.DC().SetTextColor(RGB(1, 2, 3));
    dst.DC().SetBkColor(RGB(4, 5, 6));
    PM::TransparentBlit(dst.DC().GetSafeHdc(), 0, 0, 10, 10, src.DC().GetSafeHdc(), 0, 0, 10, 10,
                        KEY);
    EXPECT_EQ(50, dst.Count(CRect(0, 0, 10, 10), RED));
    EXPECT_EQ(50, dst.Count(CRect(0, 0, 10, 10), GREEN));
    PM::TransparentBlit(dst.DC().GetSafeHdc(), 20, 0, 20, 20, src.DC().GetSafeHdc(), 0, 0, 10,
                        10, KEY);
    EXPECT_EQ(200, dst.Count(CRect(20, 0, 40, 20), RED)) << "stretched to twice the size";
    EXPECT_EQ(200, dst.Count(CRect(20, 0, 40, 20), GREEN));
    EXPECT_EQ(RGB(1, 2, 3), dst.DC().GetTextColor());
    EXPECT_EQ(RGB(4, 5, 6), dst.DC().GetBkColor());
}

/////////////////////////////////////////////////////////////////////////////
// Small pixel figures

TEST(PaintHelpers, FrameLinesLeaveTheCornersOut)
{
    CPixelCanvas canvas(20, 20);
    PM::DrawFrameLines(canvas.DC(), 2, 2, 10, 8, RED, BLUE);
    EXPECT_EQ(WHITE, canvas.At(2, 2));
    EXPECT_EQ(WHITE, canvas.At(11, 9));
    EXPECT_EQ(WHITE, canvas.At(11, 2));
    EXPECT_EQ(RED, canvas.At(3, 2));
    EXPECT_EQ(RED, canvas.At(2, 3));
    EXPECT_EQ(BLUE, canvas.At(11, 3));
    EXPECT_EQ(BLUE, canvas.At(3, 9));
    EXPECT_EQ(8 + 6, canvas.Count(RED));
    EXPECT_EQ(6 + 8, canvas.Count(BLUE));
}

TEST(PaintHelpers, CheckMarkPixels)
{
    CPixelCanvas canvas(20, 20);
    PM::DrawCheckMark(canvas.DC(), 5, 5, BLACK);
    EXPECT_EQ(BLACK, canvas.At(5, 7));
    EXPECT_EQ(BLACK, canvas.At(5, 8));
    EXPECT_EQ(WHITE, canvas.At(5, 9)) << "inverted black on the mark's underside";
    EXPECT_EQ(BLACK, canvas.At(7, 9));
    EXPECT_EQ(BLACK, canvas.At(11, 5));
    EXPECT_EQ(BLACK, canvas.At(11, 6));
    EXPECT_EQ(BLACK, canvas.At(8, 8));
    EXPECT_EQ(CRect(5, 5, 12, 11), canvas.InkBounds(WHITE));
    EXPECT_EQ(14, canvas.Count(BLACK));
    CPixelCanvas inverted(20, 20, BLUE);
    PM::DrawCheckMark(inverted.DC(), 5, 5, BLACK);
    EXPECT_EQ(WHITE, inverted.At(5, 9));
    EXPECT_EQ(7, inverted.Count(WHITE));
}

TEST(PaintHelpers, EllipseDotHasAnInvertedShadow)
{
    CPixelCanvas canvas(20, 20, GREEN);
    PM::DrawEllipseDot(canvas.DC(), 5, 5, BLACK);
    EXPECT_EQ(BLACK, canvas.At(7, 7));
    EXPECT_EQ(BLACK, canvas.At(8, 8));
    EXPECT_GT(canvas.Count(WHITE), 0) << "offset dot in the inverted colour";
    EXPECT_EQ(GREEN, canvas.At(4, 4));
    CRect rcInk = canvas.InkBounds(GREEN);
    EXPECT_EQ(5, rcInk.left);
    EXPECT_EQ(5, rcInk.top);
    EXPECT_LE(rcInk.right, 12);
    EXPECT_LE(rcInk.bottom, 12);
}

TEST(PaintHelpers, MeasureTextRectStartsAtTheOrigin)
{
    auto pPM = MakePaintManager(false);
    CPixelCanvas canvas(10, 10);
    CRect rc = PM::MeasureTextRect(canvas.DC(), (HFONT)pPM->m_FontNormal.GetSafeHandle(), "Wide text");
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_GT(rc.Width(), 30);
    CRect rcTab = PM::MeasureTextRect(canvas.DC(), (HFONT)pPM->m_FontNormal.GetSafeHandle(), "a\tb");
    EXPECT_GT(rcTab.Width(), PM::MeasureTextRect(canvas.DC(), (HFONT)pPM->m_FontNormal.GetSafeHandle(), "ab").Width() + 10)
        << "tabs are expanded";
}

/////////////////////////////////////////////////////////////////////////////
// Shadow tint

TEST(PaintHelpers, ShadowPixelsAverageWithTheTintAndBorder)
{
    auto pPM = MakePaintManager(true);
    const int cx = 20, cy = 10;
    std::vector<COLORREF> pixels(cx * cy, 0x00FFFFFF);     // white
    const COLORREF tint = RGB(0, 0, 200), border = RGB(200, 0, 0);
    pPM->RenderShadowPixels(pixels.data(), cx, cy, false, NULL, NULL, tint, border, 2);
    auto at = [&](int x, int y) {
        DWORD px = pixels[(size_t)(cy - 1 - y) * cx + x];
        return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
    };
    const COLORREF expectInner = Tinted(WHITE, tint);
    const COLORREF expectBorder = Tinted(WHITE, border);
    ASSERT_NE(expectInner, expectBorder);
    EXPECT_EQ(expectInner, at(10, 5));
    EXPECT_EQ(expectBorder, at(0, 5));
    EXPECT_EQ(expectBorder, at(1, 5));
    EXPECT_EQ(expectInner, at(2, 5));
    EXPECT_EQ(expectBorder, at(10, 9)) << "bottom band (y counted from the top)";
    EXPECT_EQ(expectBorder, at(10, 0));

    // Clip mode: only pixels inside the rectangles change; r1 stays open toward r2.
    std::fill(pixels.begin(), pixels.end(), 0x00FFFFFF);
    CRect r1(0, 0, 20, 6), r2(2, 6, 10, 10);
    pPM->RenderShadowPixels(pixels.data(), cx, cy, true, &r1, &r2, tint, border, 1);
    EXPECT_EQ(WHITE, at(15, 8)) << "outside both rectangles";
    EXPECT_EQ(expectInner, at(5, 5)) << "r1's bottom edge over r2 stays open";
    EXPECT_EQ(expectBorder, at(15, 5)) << "r1's bottom edge elsewhere";
    EXPECT_EQ(expectBorder, at(5, 9)) << "r2's bottom edge";
    EXPECT_EQ(expectBorder, at(2, 7)) << "r2's left edge";
    EXPECT_EQ(expectInner, at(5, 7));
}

TEST(PaintHelpers, ShadowPixelsOn256ColourScreensAreACheckerboard)
{
    CForcedScreenDepth depth(8);
    auto pPM = MakePaintManager(true);
    std::vector<COLORREF> pixels(4 * 4, 0x00FFFFFF);
    pPM->RenderShadowPixels(pixels.data(), 4, 4, false, NULL, NULL);
    const COLORREF shadow = pPM->GetColor(COLOR_3DSHADOW);
    const DWORD dwShadow = (GetRValue(shadow) << 16) | (GetGValue(shadow) << 8) | GetBValue(shadow);
    int nShadow = 0;
    for (DWORD px : pixels)
        nShadow += px == dwShadow ? 1 : 0;
    EXPECT_EQ(8, nShadow);
    EXPECT_EQ(0x00FFFFFFu, pixels[(4 - 1 - 0) * 4 + 0]) << "(0, 0) same parity stays";
    EXPECT_EQ(dwShadow, pixels[(4 - 1 - 0) * 4 + 1]);
}

/////////////////////////////////////////////////////////////////////////////
// Monitors

TEST(PaintHelpers, AlignRectToMonitorBringsRectanglesBack)
{
    PM::MonitorInfo_t mi;
    PM::GetMonitorInfoByPoint(mi, CPoint(10, 10));
    ASSERT_FALSE(mi.m_rcMonitor.IsRectEmpty());
    EXPECT_TRUE(mi.m_bPrimary);
    const CRect& area = mi.m_rcMonitor;
    CRect rcRight(area.right + 50, 100, area.right + 150, 200);
    CRect rc = PM::AlignRectToMonitor(rcRight, false, false);
    EXPECT_EQ(area.right, rc.right);
    EXPECT_EQ(100, rc.Width());
    EXPECT_EQ(100, rc.top);
    CRect rcAbove(100, area.top - 300, 200, area.top - 200);
    rc = PM::AlignRectToMonitor(rcAbove, false, false);
    EXPECT_EQ(area.top, rc.top);
    // Only the second pass pulls in a rectangle that sticks out.
    CRect rcOver(area.right - 50, 100, area.right + 50, 200);
    EXPECT_EQ(rcOver, PM::AlignRectToMonitor(rcOver, false, false));
    rc = PM::AlignRectToMonitor(rcOver, false, true);
    EXPECT_EQ(area.right, rc.right);
    EXPECT_EQ(100, rc.Width());
    PM::MonitorInfo_t miNull;
    PM::GetMonitorInfoByWindow(miNull, NULL);
    EXPECT_FALSE(miNull.m_rcWorkArea.IsRectEmpty());
}

/////////////////////////////////////////////////////////////////////////////
// Resources, paint messages and the visual-style state

TEST(PaintHelpers, BitmapFromAResource)
{
    HINSTANCE hInst = ::GetModuleHandle(NULL);
    HRSRC hRsrc = ::FindResource(hInst, MAKEINTRESOURCE(IDR_CMD_TEST_TOOLBAR), RT_BITMAP);
    ASSERT_NE((HRSRC)NULL, hRsrc);
    HBITMAP hBitmap = PM::LoadBitmapFromResource(hInst, hRsrc);
    ASSERT_NE((HBITMAP)NULL, hBitmap);
    const BITMAPINFOHEADER* pHeader =
        (const BITMAPINFOHEADER*)::LockResource(::LoadResource(hInst, hRsrc));
    EXPECT_EQ(CSize(pHeader->biWidth, abs(pHeader->biHeight)), SizeOf(hBitmap));
    ::DeleteObject(hBitmap);
    EXPECT_EQ((HBITMAP)NULL, PM::LoadBitmapFromResource(hInst, NULL));
}

namespace
{

int g_nPaints = 0;

LRESULT CALLBACK CountingWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_PAINT)
    {
        g_nPaints++;
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
}

} // namespace

TEST(PaintHelpers, PumpPaintMessagesDispatchesPendingPaints)
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = CountingWndProc;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.lpszClassName = "StickwellPaintPumpTest";
    ::RegisterClass(&wc);
    HWND hWnd = ::CreateWindow("StickwellPaintPumpTest", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                               NULL, NULL, wc.hInstance, NULL);
    ASSERT_NE((HWND)NULL, hWnd);
    PM::PumpPaintMessages(true, true, true);
    g_nPaints = 0;
    ::InvalidateRect(hWnd, NULL, TRUE);
    PM::PumpPaintMessages(false, false, false);
    EXPECT_EQ(0, g_nPaints);
    PM::PumpPaintMessages(false, false, true);
    EXPECT_EQ(1, g_nPaints);
    MSG msg;
    EXPECT_FALSE(::PeekMessage(&msg, hWnd, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    ::DestroyWindow(hWnd);
}

TEST(PaintHelpers, VisualStyleStateIsConsistent)
{
    const CExtPaintManagerHolder& h = g_CurrentPaintManager;
    if (h.m_bUxThemeLoaded)
    {
        EXPECT_NE((FARPROC)NULL, h.m_arrUxThemeProcs[CExtPaintManagerHolder::UXP_OpenThemeData]);
        EXPECT_NE((FARPROC)NULL, h.m_arrUxThemeProcs[CExtPaintManagerHolder::UXP_GetThemeColor]);
        EXPECT_NE((FARPROC)NULL,
                  h.m_arrUxThemeProcs[CExtPaintManagerHolder::UXP_GetCurrentThemeName]);
    }
    // No "luna" style in the test prefix: no scheme, and the flat look derives its tints
    // without one.
    EXPECT_EQ(0, h.m_eThemeColorScheme);
    EXPECT_FALSE(h->IsThemeColorSchemeActive());
    EXPECT_STREQ("OpenThemeData", CExtPaintManagerHolder::g_arrUxThemeProcNames[0]);
    EXPECT_STREQ("GetCurrentThemeName",
                 CExtPaintManagerHolder::g_arrUxThemeProcNames[CExtPaintManagerHolder::UXP_GetCurrentThemeName]);
    EXPECT_STREQ("IsAppThemed",
                 CExtPaintManagerHolder::g_arrUxThemeProcNames[CExtPaintManagerHolder::UXP_IsAppThemed]);
    EXPECT_STREQ("DrawThemeBackgroundEx", CExtPaintManagerHolder::g_arrUxThemeProcNames[47]);
}
