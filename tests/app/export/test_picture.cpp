// Pictures of a side: every format at several resolutions read back with its size and
// pixels, GIF quantisation, file names and extensions, and the failure paths.

#include "export_support.h"
#include "test_support.h"
#include "model/Elements.h"
#include "output/PictureExport.h"

#include <memory>

using Gdiplus::Bitmap;

namespace
{

const DWORD kRed = 0xFF0000;
const DWORD kWhite = 0xFFFFFF;
const DWORD kGreen = 0x00FF00;
const DWORD kBlue = 0x0000FF;

struct FormatCase
{
    const char* pszExt;
    int nTolerance;             // lossy JPEG
};

class PictureFiles : public ::testing::Test
{
protected:
    void SetUp() override { BuildTestDesign(m_doc, 3); }

    // Renders side nSide at nDpi and writes it as name.ext; the file's path.
    CString Write(const char* pszName, int nSide, int nDpi)
    {
        std::unique_ptr<Bitmap> pBitmap(RenderSideBitmap(m_doc, nSide, (float)(nDpi / 100),
                                                         GetSidePageColor(m_doc, nSide)));
        EXPECT_TRUE(pBitmap != NULL);
        if (pBitmap == NULL)
            return CString();
        const CString strPath = m_folder.File(pszName);
        CMessageBoxRecorder boxes;
        EXPECT_TRUE(SaveBitmapFile(strPath, pBitmap.get(), -1, FALSE));
        EXPECT_EQ(0, boxes.GetCount());
        return strPath;
    }

    CVarnelDoc m_doc;
    CTempFolder m_folder;
};

TEST_F(PictureFiles, EveryFormatAtSeveralResolutionsReadsBackWithSizeAndPixels)
{
    const FormatCase formats[] = {{"bmp", 0}, {"jpg", 40}, {"gif", 0}, {"png", 0}};
    const int resolutions[] = {100, 300, 600};
    for (const FormatCase& format : formats)
    {
        for (int nDpi : resolutions)
        {
            CString strName;
            strName.Format("front%d.%s", nDpi, format.pszExt);
            const CString strPath = Write(strName, 1, nDpi);
            CPicture picture;
            ASSERT_TRUE(picture.Load(strPath)) << (LPCTSTR)strName;
            const int s = nDpi / 100;
            EXPECT_EQ(400 * s, picture.nWidth) << (LPCTSTR)strName;
            EXPECT_EQ(200 * s, picture.nHeight) << (LPCTSTR)strName;
            // inside the red rectangle, on the white page around it, and where the
            // back side's blue rectangle would be
            const struct { int x, y; DWORD clr; } probes[] = {
                {150, 100, kRed}, {110, 60, kRed}, {190, 140, kRed},
                {50, 100, kWhite}, {150, 20, kWhite}, {300, 100, kWhite}, {395, 195, kWhite},
            };
            for (const auto& probe : probes)
            {
                const DWORD clr = picture.At(probe.x * s, probe.y * s);
                EXPECT_TRUE(NearColor(probe.clr, clr, format.nTolerance))
                    << (LPCTSTR)strName << " at " << probe.x << "," << probe.y << ": " << ColorText(clr);
            }
        }
    }
}

TEST_F(PictureFiles, BackSideIsDrawnOnTheBackColour)
{
    m_doc.m_clrBackgroundBack = 0xFFFF0000;     // red back
    m_doc.m_nSide = 2;
    const CString strPath = Write("back.png", 2, 200);
    CPicture picture;
    ASSERT_TRUE(picture.Load(strPath));
    EXPECT_EQ(800, picture.nWidth);
    EXPECT_EQ(400, picture.nHeight);
    EXPECT_EQ(kRed, picture.At(20, 20));                // page
    EXPECT_EQ(kRed, picture.At(300, 100));              // where the front's rectangle lies
    EXPECT_EQ(kBlue, picture.At(600, 200));             // the back's rectangle
}

TEST_F(PictureFiles, GifOfManyColoursIsAValidPictureCloseToTheOriginal)
{
    // a gradient gives far more than 256 colours: the fixed cube is used
    CElement* pGradient = new CRectangle(CPoint(0, 0), CPoint(400, 200));
    pGradient->m_nSide = 1;
    pGradient->m_nFillKind = 25;
    pGradient->m_clrFill = 0xFF0000FF;
    pGradient->m_clrPattern = 0xFFFFFF00;
    pGradient->m_nLineWidth = 0;
    pGradient->m_bShadow = FALSE;
    m_doc.m_listElements.AddHead(pGradient);

    std::unique_ptr<Bitmap> pBitmap(RenderSideBitmap(m_doc, 1, 2.0f, GetSidePageColor(m_doc, 1)));
    ASSERT_TRUE(pBitmap != NULL);
    const CString strPath = m_folder.File("gradient.gif");
    ASSERT_TRUE(WriteBitmapFile(pBitmap.get(), strPath));
    EXPECT_GT(ReadFileBytes(strPath).size(), 1000u);     // not the empty 24-byte picture

    CPicture written;
    ASSERT_TRUE(written.Load(strPath));
    ASSERT_EQ(800, written.nWidth);
    ASSERT_EQ(400, written.nHeight);
    Bitmap* pOriginal = pBitmap.get();
    for (int x = 10; x < 800; x += 97)
    {
        for (int y = 5; y < 400; y += 61)
        {
            Gdiplus::Color clr;
            pOriginal->GetPixel(x, y, &clr);
            const DWORD clrOriginal = clr.GetValue() & 0xFFFFFF;
            // one step of the cube: 255 / 5 or 255 / 6, rounded to the nearest level
            EXPECT_TRUE(NearColor(clrOriginal, written.At(x, y), 26))
                << x << "," << y << ": " << ColorText(clrOriginal) << " vs " << ColorText(written.At(x, y));
        }
    }
}

TEST_F(PictureFiles, QuantisedCopyKeepsExactColoursWhenFewAndHasAPalette)
{
    std::unique_ptr<Bitmap> pBitmap(RenderSideBitmap(m_doc, 1, 1.0f, GetSidePageColor(m_doc, 1)));
    ASSERT_TRUE(pBitmap != NULL);
    std::unique_ptr<Bitmap> p8(QuantizeTo8Bits(pBitmap.get()));
    ASSERT_TRUE(p8 != NULL);
    EXPECT_EQ(PixelFormat8bppIndexed, p8->GetPixelFormat());
    EXPECT_EQ(400u, p8->GetWidth());
    Gdiplus::Color clr;
    p8->GetPixel(150, 100, &clr);
    EXPECT_EQ(0xFFFF0000, clr.GetValue());
    p8->GetPixel(20, 20, &clr);
    EXPECT_EQ(0xFFFFFFFF, clr.GetValue());
}

TEST(PictureNames, ExtensionsAndIndexes)
{
    EXPECT_STREQ("C:\\t\\a.txt.bmp", AppendPictureExtension("C:\\t\\a.txt", 1));
    EXPECT_STREQ("C:\\t\\card.jpeg.jpg", AppendPictureExtension("C:\\t\\card.jpeg", 2));
    EXPECT_STREQ("C:\\t\\card.gif", AppendPictureExtension("C:\\t\\card", 3));
    EXPECT_STREQ("C:\\t\\x.PNG", AppendPictureExtension("C:\\t\\x.PNG", 1));
    EXPECT_STREQ("C:\\t\\x.png", AppendPictureExtension("C:\\t\\x.png", 2));
    EXPECT_STREQ("C:\\t.d\\x.png", AppendPictureExtension("C:\\t.d\\x", 4));

    EXPECT_STREQ("C:\\t\\imgtmp~pdf2.bmp", IndexedPictureName("C:\\t\\imgtmp~pdf.bmp", 2));
    EXPECT_STREQ("C:\\t\\a.png", IndexedPictureName("C:\\t\\a.png", -1));
    EXPECT_STREQ("C:\\t\\a0.png", IndexedPictureName("C:\\t\\a.png", 0));

    EXPECT_EQ(0, wcscmp(L"image/jpeg", MimeTypeOfExtension("JPG")));
    EXPECT_EQ(0, wcscmp(L"image/gif", MimeTypeOfExtension("gif")));
    EXPECT_EQ(0, wcscmp(L"image/tiff", MimeTypeOfExtension("tif")));
    EXPECT_EQ(0, wcscmp(L"image/png", MimeTypeOfExtension("png")));
    EXPECT_EQ(0, wcscmp(L"image/bmp", MimeTypeOfExtension("txt")));

    CLSID clsid;
    EXPECT_GE(GetEncoderClsid(L"image/png", &clsid), 0);
    EXPECT_EQ(-1, GetEncoderClsid(L"image/PNG", &clsid));     // case-sensitive
    EXPECT_EQ(-1, GetEncoderClsid(L"image/x-none", &clsid));
}

TEST_F(PictureFiles, WriteIntoAMissingFolderIsReportedAndLeavesNothing)
{
    std::unique_ptr<Bitmap> pBitmap(RenderSideBitmap(m_doc, 1, 1.0f, GetSidePageColor(m_doc, 1)));
    ASSERT_TRUE(pBitmap != NULL);
    CMessageBoxRecorder boxes;
    const CString strPath = m_folder.File("missing\\out.png");
    EXPECT_FALSE(SaveBitmapFile(strPath, pBitmap.get(), -1, FALSE));
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Failed to save.\n\n" + strPath + " contains an invalid path.", boxes.GetCall(0).m_strText);
    EXPECT_FALSE(FileExists(strPath));
}

TEST_F(PictureFiles, ReadOnlyTargetIsNotReplacedAndNoTemporaryFileStays)
{
    std::unique_ptr<Bitmap> pBitmap(RenderSideBitmap(m_doc, 1, 1.0f, GetSidePageColor(m_doc, 1)));
    ASSERT_TRUE(pBitmap != NULL);
    const CString strPath = m_folder.File("locked.bmp");
    ASSERT_TRUE(WriteFileBytes(strPath, "old contents"));
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_READONLY);
    CMessageBoxRecorder boxes;
    EXPECT_FALSE(SaveBitmapFile(strPath, pBitmap.get(), -1, FALSE));
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Failed to save.\n\nAccess to " + strPath + " was denied.", boxes.GetCall(0).m_strText);
    ::SetFileAttributesA(strPath, FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("old contents", ReadFileBytes(strPath));
    EXPECT_EQ(1u, FilesStartingWith(m_folder.m_strPath, "locked").size());
}

TEST_F(PictureFiles, OverwriteIsAskedAndNoKeepsTheFile)
{
    std::unique_ptr<Bitmap> pBitmap(RenderSideBitmap(m_doc, 1, 1.0f, GetSidePageColor(m_doc, 1)));
    ASSERT_TRUE(pBitmap != NULL);
    const CString strPath = m_folder.File("page.png");
    const CString strIndexed = m_folder.File("page3.png");
    ASSERT_TRUE(WriteFileBytes(strIndexed, "keep me"));
    {
        CMessageBoxRecorder boxes;
        boxes.AddAnswer(IDNO);
        EXPECT_FALSE(SaveBitmapFile(strPath, pBitmap.get(), 3, TRUE));
        ASSERT_EQ(1, boxes.GetCount());
        EXPECT_STREQ("The following file exists: \n" + strIndexed + "\n\nDo you want to overwrite this file?",
                     boxes.GetCall(0).m_strText);
        EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), boxes.GetCall(0).m_nType);
        EXPECT_EQ("keep me", ReadFileBytes(strIndexed));
    }
    {
        CMessageBoxRecorder boxes;
        boxes.AddAnswer(IDYES);
        EXPECT_TRUE(SaveBitmapFile(strPath, pBitmap.get(), 3, TRUE));
        CPicture picture;
        ASSERT_TRUE(picture.Load(strIndexed));
        EXPECT_EQ(400, picture.nWidth);
    }
}

TEST_F(PictureFiles, PictureTooLargeToMakeIsRefused)
{
    m_doc.m_nDesignWidth = 10000;
    m_doc.m_nDesignHeight = 10000;
    BOOL bTooLarge = FALSE;
    std::unique_ptr<Bitmap> pBitmap(RenderSideBitmap(m_doc, 1, 6.0f, 0xFFFFFFFF, &bTooLarge));
    EXPECT_TRUE(pBitmap == NULL);
    EXPECT_TRUE(bTooLarge);
    EXPECT_FALSE(IsPictureSizeAllowed(60000, 60000));
    EXPECT_TRUE(IsPictureSizeAllowed(5100, 6600));
    m_doc.m_nDesignWidth = 0;
    pBitmap.reset(RenderSideBitmap(m_doc, 1, 3.0f, 0xFFFFFFFF, &bTooLarge));
    EXPECT_TRUE(pBitmap == NULL);
    EXPECT_FALSE(bTooLarge);
}

} // namespace
