// Pictures drawn in bands: the same pixels as one picture in every format, the largest
// design at 600 dots per inch within the memory budget with its elements in place, and
// what a format cannot hold refused with the largest resolution that fits.

#include "export_support.h"
#include "program_files.h"
#include "test_support.h"
#include "memory_watch.h"
#include "message_box_recorder.h"
#include "model/Elements.h"
#include "output/PdfExport.h"
#include "output/PictureExport.h"

#include <psapi.h>
#include <stdlib.h>

#include <atomic>
#include <memory>
#include <thread>

using Gdiplus::Bitmap;

namespace
{

CElement* Styled(CElement* p, DWORD clrFill, int nFillKind, int nAngle, BOOL bShadow)
{
    p->m_clrFill = clrFill;
    p->m_clrPattern = 0xFFFFFFFF;
    p->m_nFillKind = nFillKind;
    p->m_nAngle = nAngle;
    p->m_bShadow = bShadow;
    p->m_clrShadow = 0xFF404040;
    p->m_nShadowLength = 6;
    p->m_nLineWidth = 2;
    p->m_nSide = 1;
    return p;
}

class BandedPictures : public ::testing::Test
{
protected:
    CVarnelDoc m_doc;
    CTempFolder m_folder;
};

} // namespace

TEST_F(BandedPictures, BandsGiveThePixelsOfOnePictureInEveryFormat)
{
    BuildTestDesign(m_doc, 3);
    // hatches, gradients, turns and shadows across band edges
    m_doc.m_listElements.AddTail(Styled(new CCircle(CPoint(20, 20), CPoint(180, 190)), 0xFF2080FF, 7, 0, TRUE));
    m_doc.m_listElements.AddTail(Styled(new CShapeStar(CPoint(220, 10), CPoint(390, 180)), 0xFFFFC000, 1, 30, TRUE));
    m_doc.m_listElements.AddTail(Styled(new CRectangle(CPoint(60, 120), CPoint(330, 170)), 0xFF00A040, 20, 10, FALSE));
    CText* pText = new CText(CPoint(40, 60), CPoint(360, 110));
    pText->m_strText = "Bands";
    pText->m_nSide = 1;
    m_doc.m_listElements.AddTail(pText);

    std::unique_ptr<Bitmap> pWhole(RenderSideBitmap(m_doc, 1, 2.0f, GetSidePageColor(m_doc, 1)));
    ASSERT_TRUE(pWhole != NULL);
    const CString strWhole = m_folder.File("whole.bmp");
    ASSERT_TRUE(WriteBitmapFile(pWhole.get(), strWhole));
    CPicture whole;
    ASSERT_TRUE(whole.Load(strWhole));

    // lossless formats: smoothing may round a few edge pixels otherwise; GIF through its
    // colour cube; JPEG on average
    const struct { const char* pszExt; int nTolerance; int nFarPerMille; double fMeanDelta; } formats[] = {
        {"bmp", 16, 1, 0.2}, {"png", 16, 1, 0.2}, {"gif", 48, 10, 12.0}, {"jpg", 255, 0, 8.0}};
    // bands of 8 rows (the smallest) and of 40 rows
    const int bands[] = {1, 800 * 3 * 40};
    for (const auto& format : formats)
    {
        for (int nBandBytes : bands)
        {
            CString strName;
            strName.Format("banded%d.%s", nBandBytes, format.pszExt);
            SCOPED_TRACE((LPCTSTR)strName);
            const CString strPath = m_folder.File(strName);
            ASSERT_TRUE(WriteSidePicture(m_doc, 1, 2, GetSidePageColor(m_doc, 1), strPath, NULL, nBandBytes));
            EXPECT_FALSE(FileExists(strPath + ".tmp~"));
            CPicture banded;
            ASSERT_TRUE(banded.Load(strPath));
            ASSERT_EQ(800, banded.nWidth);
            ASSERT_EQ(400, banded.nHeight);
            int nFar = 0;
            double fDelta = 0;
            for (int y = 0; y < 400; y++)
            {
                for (int x = 0; x < 800; x++)
                {
                    const DWORD a = whole.At(x, y), b = banded.At(x, y);
                    if (!NearColor(a, b, format.nTolerance))
                        nFar++;
                    for (int c = 0; c < 24; c += 8)
                        fDelta += abs((int)((a >> c) & 0xFF) - (int)((b >> c) & 0xFF));
                }
            }
            EXPECT_LE(nFar, 800 * 400 * format.nFarPerMille / 1000);
            EXPECT_LE(fDelta / (800 * 400 * 3), format.fMeanDelta);
        }
    }
}

TEST_F(BandedPictures, LargestDesignAtSixHundredDpiKeepsItsElementsWithinTheBudget)
{
    // 2500 x 2500 units at 600 dpi: 15,000 x 15,000 pixels, 675 MB of pixels in one piece
    m_doc.m_nPublicationType = 6;
    m_doc.m_nDesignWidth = 2500;
    m_doc.m_nDesignHeight = 2500;
    m_doc.m_clrBackgroundFront = 0xFFFFFFFF;
    // one element over the whole design, turned; small ones in the corners and the middle
    m_doc.m_listElements.AddTail(Styled(new CCircle(CPoint(0, 0), CPoint(2500, 2500)), 0xFFFFFF00, 1, 45, FALSE));
    const struct { int x, y; DWORD clr; } corners[] = {
        {5, 5, 0xFF0000}, {2440, 5, 0x00FF00}, {5, 2440, 0x0000FF}, {2440, 2440, 0xFF00FF}, {1225, 1225, 0x00FFFF}};
    for (const auto& c : corners)
    {
        CElement* p = Styled(new CRectangle(CPoint(c.x, c.y), CPoint(c.x + 50, c.y + 50)), 0xFF000000 | c.clr, 1, 0, FALSE);
        p->m_nLineWidth = 0;
        m_doc.m_listElements.AddTail(p);
    }
    const CString strPath = m_folder.File("largest.bmp");
    CMemoryWatch watch;
    ASSERT_TRUE(WriteSidePicture(m_doc, 1, 6, GetSidePageColor(m_doc, 1), strPath));
    watch.Stop();
    EXPECT_LT(watch.PeakGrowthMB(), 512u);
    for (const auto& c : corners)
    {
        DWORD clr = 0;
        ASSERT_TRUE(BmpPixel(strPath, (c.x + 25) * 6, (c.y + 25) * 6, clr));
        EXPECT_EQ(c.clr, clr) << c.x << "," << c.y;
    }
    DWORD clr = 0;
    ASSERT_TRUE(BmpPixel(strPath, 1250 * 6, 600 * 6, clr));
    EXPECT_EQ(0xFFFF00u, clr);                      // the large circle
    ASSERT_TRUE(BmpPixel(strPath, 100 * 6, 100 * 6, clr));
    EXPECT_EQ(0xFFFFFFu, clr);                      // the page outside it
    ::DeleteFileA(strPath);
}

TEST_F(BandedPictures, WhatTheFormatCannotHoldIsRefusedNamingTheLargestResolutionThatFits)
{
    m_doc.m_nDesignWidth = 30000;
    m_doc.m_nDesignHeight = 10000;
    // JPEG: 65,500 pixels a side
    EXPECT_TRUE(DoesPictureFormatHold(PICTURE_JPEG, 65500, 65500));
    EXPECT_FALSE(DoesPictureFormatHold(PICTURE_JPEG, 65501, 10));
    EXPECT_EQ(2, GetLargestFittingScale(m_doc, PICTURE_JPEG, 6));
    EXPECT_STREQ("A JPEG picture holds at most 65,500 pixels a side; this design at 300 dpi is 90,000 x 30,000 "
                 "pixels.\nThe largest resolution that fits is 200 dpi.",
                 GetFormatLimitMessage(m_doc, PICTURE_JPEG, 3));
    EXPECT_FALSE(WriteSidePicture(m_doc, 1, 3, 0xFFFFFFFF, m_folder.File("big.jpg")));
    EXPECT_FALSE(FileExists(m_folder.File("big.jpg")));
    // PNG and BMP hold it; GIF likewise only to 200 dpi
    EXPECT_TRUE(DoesPictureFormatHold(PICTURE_PNG, 180000, 60000));
    EXPECT_TRUE(DoesPictureFormatHold(PICTURE_BMP, 30000, 10000));
    EXPECT_FALSE(DoesPictureFormatHold(PICTURE_BMP, 90000, 30000));         // beyond 4 GB
    EXPECT_EQ(2, GetLargestFittingScale(m_doc, PICTURE_BMP, 6));     // 3.6 GB
    EXPECT_EQ(2, GetLargestFittingScale(m_doc, PICTURE_GIF, 6));

    // the largest design at 100 dpi fits no JPEG
    m_doc.m_nDesignWidth = 100000;
    EXPECT_EQ(0, GetLargestFittingScale(m_doc, PICTURE_JPEG, 6));
    EXPECT_NE(-1, GetFormatLimitMessage(m_doc, PICTURE_JPEG, 1).Find("No resolution fits"));

    // PDF pages: the library reads pictures of 32,767 pixels a side and 2^27 pixels
    CVarnelDoc doc;
    BuildTestDesign(doc, 0);
    doc.m_nDesignWidth = 9000;
    doc.m_nDesignHeight = 7000;
    CMessageBoxRecorder boxes;
    const CString strPdf = m_folder.File("big.pdf");
    EXPECT_FALSE(ExportPdfPages(doc, strPdf, m_folder.File("imgtmp~pdf.bmp"), 3.0f, -1, NULL));
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ(GetFormatLimitMessage(doc, PICTURE_PDF_PAGE, 3), boxes.GetCall(0).m_strText);
    EXPECT_NE(-1, CString(boxes.GetCall(0).m_strText).Find("The largest quality that fits is 1."));
    EXPECT_FALSE(FileExists(strPdf));
}
