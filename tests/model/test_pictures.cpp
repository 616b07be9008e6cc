// test_pictures.cpp - clip-art and background pictures drawn into bitmaps, picture files
// decoded (bitmaps and metafiles), and the fit size of inserted clip-art.

#include "drawing_test_support.h"

#include "Elements.h"
#include "PictureLoad.h"

#include <memory>
#include <vector>

using namespace Gdiplus;

namespace
{
// 40 x 20: red, green / blue, yellow quadrants.
DWORD QuadrantPixel(int x, int y)
{
    if (y < 10)
        return x < 20 ? RED : GREEN;
    return x < 20 ? BLUE : YELLOW;
}

CPicturePtr QuadrantPicture()
{
    return MakePicture(40, 20, QuadrantPixel);
}

std::unique_ptr<CBtImage> MakeClipArt(CPicturePtr pPicture, int left = 100, int top = 50,
                                      int right = 300, int bottom = 150)
{
    std::unique_ptr<CBtImage> p(new CBtImage(CPoint(left, top), CPoint(0, 0), pPicture, 850, 1100));
    p->m_rect.SetRect(left, top, right, bottom);
    p->m_nShadowLength = 10;
    p->m_clrShadow = GREY;
    return p;
}

void ExpectQuadrants(CCanvas& canvas, int left, int top, int width, int height, const char* pszWhat)
{
    EXPECT_EQ(RED, canvas.At(left + width / 4, top + height / 4)) << pszWhat;
    EXPECT_EQ(GREEN, canvas.At(left + 3 * width / 4, top + height / 4)) << pszWhat;
    EXPECT_EQ(BLUE, canvas.At(left + width / 4, top + 3 * height / 4)) << pszWhat;
    EXPECT_EQ(YELLOW, canvas.At(left + 3 * width / 4, top + 3 * height / 4)) << pszWhat;
}

std::vector<BYTE> ReadAll(const char* pszPath)
{
    std::vector<BYTE> data;
    HANDLE hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return data;
    data.resize(GetFileSize(hFile, NULL));
    DWORD nRead = 0;
    ReadFile(hFile, data.data(), (DWORD)data.size(), &nRead, NULL);
    CloseHandle(hFile);
    return data;
}

// An EMF of one inch by half an inch whose left half is red.
std::vector<BYTE> MakeEnhMetafile()
{
    RECT rcFrame = { 0, 0, 2540, 1270 };
    HDC hDC = CreateEnhMetaFileA(NULL, NULL, &rcFrame, NULL);
    SetMapMode(hDC, MM_ANISOTROPIC);
    SetWindowExtEx(hDC, 200, 100, NULL);
    SetViewportExtEx(hDC, GetDeviceCaps(hDC, LOGPIXELSX), GetDeviceCaps(hDC, LOGPIXELSY) / 2, NULL);
    HBRUSH hBrush = CreateSolidBrush(RGB(255, 0, 0));
    RECT rc = { 0, 0, 100, 100 };
    FillRect(hDC, &rc, hBrush);
    DeleteObject(hBrush);
    HENHMETAFILE hEmf = CloseEnhMetaFile(hDC);
    std::vector<BYTE> data(GetEnhMetaFileBits(hEmf, 0, NULL));
    GetEnhMetaFileBits(hEmf, (UINT)data.size(), data.data());
    DeleteEnhMetaFile(hEmf);
    return data;
}

// A WMF with window extent 200 x 100 whose left half is red.
std::vector<BYTE> MakeWindowsMetafile()
{
    HDC hDC = CreateMetaFileA(NULL);
    SetMapMode(hDC, MM_ANISOTROPIC);
    SetWindowOrgEx(hDC, 0, 0, NULL);
    SetWindowExtEx(hDC, 200, 100, NULL);
    HBRUSH hBrush = CreateSolidBrush(RGB(255, 0, 0));
    RECT rc = { 0, 0, 100, 100 };
    FillRect(hDC, &rc, hBrush);
    DeleteObject(hBrush);
    HMETAFILE hMeta = CloseMetaFile(hDC);
    std::vector<BYTE> data(GetMetaFileBitsEx(hMeta, 0, NULL));
    GetMetaFileBitsEx(hMeta, (UINT)data.size(), data.data());
    DeleteMetaFile(hMeta);
    return data;
}

// The placeable header for a bounding box and units per inch, then the metafile.
std::vector<BYTE> MakePlaceable(const std::vector<BYTE>& wmf, short right, short bottom, WORD nInch)
{
    std::vector<BYTE> data(22 + wmf.size(), 0);
    const DWORD key = 0x9AC6CDD7;
    memcpy(&data[0], &key, 4);
    const short box[4] = { 0, 0, right, bottom };
    memcpy(&data[6], box, 8);
    memcpy(&data[14], &nInch, 2);
    WORD sum = 0;
    for (int i = 0; i < 10; i++)
        sum ^= (WORD)(data[2 * i] | (data[2 * i + 1] << 8));
    memcpy(&data[20], &sum, 2);
    if (!wmf.empty())
        memcpy(&data[22], wmf.data(), wmf.size());
    return data;
}

DWORD PixelOf(Gdiplus::Bitmap* p, int x, int y)
{
    Color c;
    p->GetPixel(x, y, &c);
    return c.GetValue();
}
}

/////////////////////////////////////////////////////////////////////////////
// Drawing

TEST(PictureDrawing, ClipArtIsStretchedIntoItsRectangle)
{
    auto p = MakeClipArt(QuadrantPicture());
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    ExpectQuadrants(canvas, 100, 50, 200, 100, "stretched");
    EXPECT_EQ(WHITE, canvas.At(95, 100));
    EXPECT_EQ(WHITE, canvas.At(305, 100));
    EXPECT_EQ(WHITE, canvas.At(200, 155));
    // Line width 0: no frame.
    EXPECT_EQ(0, canvas.Count(BLACK));
}

TEST(PictureDrawing, FrameIsOneWiderThanTheLineWidthAndHalfCovered)
{
    auto p = MakeClipArt(QuadrantPicture());
    p->m_nLineWidth = 1;
    p->m_clrLine = BLACK;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    // The pen of width 2 straddles the edge; the picture covers its inner half.
    EXPECT_EQ(BLACK, canvas.At(99, 100));
    EXPECT_EQ(BLACK, canvas.At(200, 49));
    EXPECT_EQ(BLACK, canvas.At(300, 100));
    EXPECT_EQ(WHITE, canvas.At(97, 100));
    EXPECT_EQ(RED, canvas.At(103, 55));
}

TEST(PictureDrawing, ShadowOnlyWhenNotTransparent)
{
    auto p = MakeClipArt(QuadrantPicture());
    p->m_bShadow = TRUE;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    EXPECT_EQ(GREY, canvas.At(305, 155));
    EXPECT_EQ(YELLOW, canvas.At(290, 140));
    canvas.Clear();
    p->m_bTransparent = TRUE;
    DrawElement(canvas.G(), p.get());
    EXPECT_EQ(WHITE, canvas.At(305, 155));
}

TEST(PictureDrawing, RotationTurnsThePictureCounterClockwise)
{
    auto p = MakeClipArt(QuadrantPicture());
    p->m_nAngle = 90;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    // Standing 100 x 200 about (200, 100): the top-left red quadrant is now bottom left.
    EXPECT_EQ(GREEN, canvas.At(175, 50));
    EXPECT_EQ(YELLOW, canvas.At(225, 50));
    EXPECT_EQ(RED, canvas.At(175, 150));
    EXPECT_EQ(BLUE, canvas.At(225, 150));
    EXPECT_EQ(WHITE, canvas.At(120, 100));
    Matrix m;
    canvas.G()->GetTransform(&m);
    EXPECT_TRUE(m.IsIdentity());
}

TEST(PictureDrawing, ClipArtInACell)
{
    auto p = MakeClipArt(QuadrantPicture(), 10, 10, 90, 50);
    CCanvas canvas(400, 300);
    DrawElementInCell(canvas.G(), p.get(), 3, 2, 0, 0, 0, 0, 100, 120);
    ExpectQuadrants(canvas, 210, 130, 80, 40, "cell 3, 2");
    EXPECT_EQ(WHITE, canvas.At(30, 30));
}

TEST(PictureDrawing, ClipArtWithoutPictureDrawsItsFrameAndShadow)
{
    auto p = MakeClipArt(CPicturePtr());
    p->m_nLineWidth = 2;
    p->m_clrLine = BLACK;
    p->m_bShadow = TRUE;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    EXPECT_EQ(BLACK, canvas.At(100, 100));
    EXPECT_EQ(GREY, canvas.At(200, 100));
}

TEST(PictureDrawing, CloneDrawsTheSamePicture)
{
    auto p = MakeClipArt(QuadrantPicture());
    std::unique_ptr<CElement> pClone(p->Clone());
    p.reset();
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), pClone.get());
    ExpectQuadrants(canvas, 100, 50, 200, 100, "clone");
}

TEST(PictureDrawing, BackgroundCoversItsSizeFromTheCellOffset)
{
    CBkgImage background(QuadrantPicture(), 400, 200);
    CCanvas canvas(600, 300);
    DrawElement(canvas.G(), &background);
    ExpectQuadrants(canvas, 0, 0, 400, 200, "background");
    EXPECT_EQ(WHITE, canvas.At(410, 100));

    canvas.Clear();
    DrawElementInCell(canvas.G(), &background, 2, 1, 0.5f, 0, 0, 0.1f, 150, 200);
    // the cell starts at 50 + 150 + 10 and holds what fits of the picture
    EXPECT_EQ(RED, canvas.At(260, 50));
    EXPECT_EQ(BLUE, canvas.At(260, 150));
    EXPECT_EQ(WHITE, canvas.At(205, 50));
    EXPECT_EQ(WHITE, canvas.At(365, 50));

    // The rectangle's left and top are not added: only its size counts.
    canvas.Clear();
    background.m_rect.SetRect(30, 30, 230, 130);
    background.m_nAngle = 90;
    DrawElement(canvas.G(), &background);
    ExpectQuadrants(canvas, 0, 0, 200, 100, "moved rectangle");
    EXPECT_EQ(WHITE, canvas.At(210, 110));
}

/////////////////////////////////////////////////////////////////////////////
// Loading

TEST(PictureLoading, PngRoundTripKeepsSizeAndPixels)
{
    CPicturePtr pSource = MakePicture(40, 20, [](int x, int y) -> DWORD {
        return x == 0 && y == 0 ? 0x80FF0000 : QuadrantPixel(x, y);
    });
    CTempPath file(".png");
    ASSERT_TRUE(SaveBitmap(pSource.get(), file.Path(), L"image/png"));
    std::unique_ptr<Gdiplus::Bitmap> pLoaded(LoadPictureFileChecked(file.Path()));
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(40u, pLoaded->GetWidth());
    EXPECT_EQ(20u, pLoaded->GetHeight());
    EXPECT_EQ(PixelFormat32bppARGB, pLoaded->GetPixelFormat());
    EXPECT_EQ(0x80FF0000u, PixelOf(pLoaded.get(), 0, 0));
    EXPECT_EQ(GREEN, PixelOf(pLoaded.get(), 30, 5));
    EXPECT_EQ(BLUE, PixelOf(pLoaded.get(), 5, 15));
    EXPECT_EQ(YELLOW, PixelOf(pLoaded.get(), 39, 19));
}

TEST(PictureLoading, BmpAndJpegDecode)
{
    CPicturePtr pSource = QuadrantPicture();
    CTempPath bmp(".bmp"), jpg(".jpg");
    ASSERT_TRUE(SaveBitmap(pSource.get(), bmp.Path(), L"image/bmp"));
    ASSERT_TRUE(SaveBitmap(pSource.get(), jpg.Path(), L"image/jpeg"));
    std::unique_ptr<Gdiplus::Bitmap> pBmp(LoadPictureFileChecked(bmp.Path()));
    ASSERT_NE(nullptr, pBmp);
    EXPECT_EQ(BLUE, PixelOf(pBmp.get(), 5, 15));
    std::unique_ptr<Gdiplus::Bitmap> pJpg(LoadPictureFileChecked(jpg.Path()));
    ASSERT_NE(nullptr, pJpg);
    EXPECT_EQ(40u, pJpg->GetWidth());
    EXPECT_LE(ColorDistance(RED, PixelOf(pJpg.get(), 5, 3)), 60);
}

TEST(PictureLoading, FailuresGiveNoPictureNeverAnEmptyOne)
{
    EXPECT_EQ(nullptr, LoadPictureFileChecked("Z:\\no\\such\\folder\\picture.png"));
    EXPECT_EQ(nullptr, LoadPictureFileChecked(""));
    EXPECT_EQ(nullptr, LoadPictureFileChecked(NULL));

    CTempPath empty(".png");
    empty.Write("", 0);
    EXPECT_EQ(nullptr, LoadPictureFileChecked(empty.Path()));

    CTempPath text(".jpg");
    const char szText[] = "This is not a picture at all, just some words in a file.";
    text.Write(szText, sizeof(szText));
    EXPECT_EQ(nullptr, LoadPictureFileChecked(text.Path()));

    // A PNG cut short after its header.
    CTempPath png(".png");
    ASSERT_TRUE(SaveBitmap(QuadrantPicture().get(), png.Path(), L"image/png"));
    std::vector<BYTE> data = ReadAll(png.Path());
    ASSERT_GT(data.size(), 40u);
    CTempPath cut(".png");
    cut.Write(data.data(), 33);
    EXPECT_EQ(nullptr, LoadPictureFileChecked(cut.Path()));

    // A placeable metafile header without a metafile behind it.
    std::vector<BYTE> header = MakePlaceable(std::vector<BYTE>(), 200, 100, 200);
    EXPECT_EQ(nullptr, DecodePictureData(header.data(), header.size()));
    EXPECT_EQ(nullptr, DecodePictureData(NULL, 10));
}

TEST(PictureLoading, PicturesTooLargeForThePublicationFileAreRefused)
{
    std::unique_ptr<Gdiplus::Bitmap> pWide(new Gdiplus::Bitmap(40000, 1, PixelFormat32bppARGB));
    CTempPath file(".png");
    ASSERT_TRUE(SaveBitmap(pWide.get(), file.Path(), L"image/png"));
    EXPECT_EQ(nullptr, LoadPictureFileChecked(file.Path()));
}

TEST(PictureLoading, EnhancedMetafileIsPlayedIntoABitmap)
{
    std::vector<BYTE> emf = MakeEnhMetafile();
    // The platform's decoder refuses it.
    CTempPath file(".emf");
    file.Write(emf.data(), emf.size());
    std::unique_ptr<Gdiplus::Bitmap> p(LoadPictureFileChecked(file.Path()));
    ASSERT_NE(nullptr, p);
    // One inch by half an inch at 96 dpi.
    EXPECT_EQ(96u, p->GetWidth());
    EXPECT_EQ(48u, p->GetHeight());
    EXPECT_EQ(PixelFormat32bppARGB, p->GetPixelFormat());
    EXPECT_EQ(RED, PixelOf(p.get(), 10, 24));
    EXPECT_EQ(RED, PixelOf(p.get(), 45, 40));
    // What the metafile does not paint stays transparent.
    EXPECT_EQ(0u, PixelOf(p.get(), 60, 24) >> 24);
    EXPECT_EQ(0u, PixelOf(p.get(), 90, 5) >> 24);
}

TEST(PictureLoading, PlaceableWindowsMetafileTakesItsSizeFromTheHeader)
{
    std::vector<BYTE> wmf = MakePlaceable(MakeWindowsMetafile(), 200, 100, 200);
    CTempPath file(".wmf");
    file.Write(wmf.data(), wmf.size());
    std::unique_ptr<Gdiplus::Bitmap> p(LoadPictureFileChecked(file.Path()));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(96u, p->GetWidth());
    EXPECT_EQ(48u, p->GetHeight());
    EXPECT_EQ(RED, PixelOf(p.get(), 20, 24));
    EXPECT_EQ(0u, PixelOf(p.get(), 70, 24) >> 24);
}

TEST(PictureLoading, PlainWindowsMetafileTakesItsWindowExtent)
{
    std::vector<BYTE> wmf = MakeWindowsMetafile();
    std::unique_ptr<Gdiplus::Bitmap> p(DecodePictureData(wmf.data(), wmf.size()));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(200u, p->GetWidth());
    EXPECT_EQ(100u, p->GetHeight());
    EXPECT_EQ(RED, PixelOf(p.get(), 50, 50));
    EXPECT_EQ(0u, PixelOf(p.get(), 150, 50) >> 24);
}

TEST(PictureLoading, MetafilePlaybackKeepsToTheSizeLimit)
{
    // 100 x 50 inches at 96 dpi would be 9600 x 4800 pixels.
    std::vector<BYTE> wmf = MakePlaceable(MakeWindowsMetafile(), 20000, 10000, 200);
    std::unique_ptr<Gdiplus::Bitmap> p(DecodePictureData(wmf.data(), wmf.size()));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ((UINT)MAX_METAFILE_PIXELS, p->GetWidth());
    EXPECT_EQ((UINT)MAX_METAFILE_PIXELS / 2, p->GetHeight());
}

/////////////////////////////////////////////////////////////////////////////
// Fit size of inserted clip-art

TEST(PictureFit, ShrinksByEightyPercentStepsUntilItFits)
{
    int w = 0, h = 0;
    ComputePictureFitSize(1000, 500, 400, 200, w, h);
    EXPECT_EQ(327, w);
    EXPECT_EQ(163, h);
    ComputePictureFitSize(300, 100, 400, 200, w, h);
    EXPECT_EQ(300, w);
    EXPECT_EQ(100, h);
    ComputePictureFitSize(391, 10, 400, 200, w, h);
    EXPECT_EQ(312, w);
    EXPECT_EQ(8, h);
    ComputePictureFitSize(390, 190, 400, 200, w, h);
    EXPECT_EQ(390, w);
    EXPECT_EQ(190, h);
}

// Step-by-step truncation, as the shrinking has always worked for designs of 10 and more.
TEST(PictureFit, SameAsStepwiseShrinkingForDesignsOfTenAndMore)
{
    const int sizes[][2] = { { 4000, 3000 }, { 17, 4500 }, { 850, 1100 }, { 1, 1 }, { 12345, 7 } };
    const int fits[][2] = { { 10, 10 }, { 11, 500 }, { 400, 200 }, { 850, 1100 }, { 2400, 3600 } };
    for (const auto& size : sizes)
    {
        for (const auto& fit : fits)
        {
            int w = size[0], h = size[1];
            while (w > fit[0] - 10 || h > fit[1] - 10)
            {
                w = (int)(w * 0.8);
                h = (int)(h * 0.8);
            }
            int rw = 0, rh = 0;
            ComputePictureFitSize(size[0], size[1], fit[0], fit[1], rw, rh);
            EXPECT_EQ(w, rw) << size[0] << "x" << size[1] << " in " << fit[0] << "x" << fit[1];
            EXPECT_EQ(h, rh) << size[0] << "x" << size[1] << " in " << fit[0] << "x" << fit[1];
        }
    }
}

TEST(PictureFit, DesignsUnderTenEndTheShrinking)
{
    int w = -1, h = -1;
    ComputePictureFitSize(300, 100, 5, 5, w, h);
    EXPECT_EQ(0, w);
    EXPECT_EQ(0, h);
    ComputePictureFitSize(300, 100, 0, -20, w, h);
    EXPECT_EQ(0, w);
    EXPECT_EQ(0, h);
    ComputePictureFitSize(0, 0, 400, 200, w, h);
    EXPECT_EQ(0, w);
    EXPECT_EQ(0, h);
}
