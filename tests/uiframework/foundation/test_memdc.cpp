// Off-screen drawing surface: copy back, background fill, target copy, discarding,
// printers, failed bitmaps, DIB pixels and mapped targets.

#include "test_paint_support.h"

namespace
{

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF GREEN = RGB(0, 255, 0);

} // namespace

TEST(MemoryDC, DrawingReachesTheTargetOnlyWhenTheSurfaceEnds)
{
    CPixelCanvas canvas(60, 40);
    {
        CExtMemoryDC dc(&canvas.DC(), CRect(10, 10, 50, 30));
        ASSERT_TRUE(dc.IsMemDC());
        dc.FillSolidRect(20, 15, 10, 10, RED);
        EXPECT_EQ(WHITE, canvas.At(25, 20)) << "drawing is off-screen until the end";
    }
    EXPECT_EQ(RED, canvas.At(25, 20));
    EXPECT_EQ(RED, canvas.At(20, 15));
    EXPECT_EQ(WHITE, canvas.At(19, 15));
    EXPECT_EQ(WHITE, canvas.At(5, 5)) << "outside the rectangle nothing changes";
}

TEST(MemoryDC, FillsWithTheTargetBackgroundColour)
{
    CPixelCanvas canvas(60, 40);
    canvas.DC().SetBkColor(BLUE);
    {
        CExtMemoryDC dc(&canvas.DC(), CRect(10, 10, 50, 30),
                        CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
    }
    EXPECT_EQ(40 * 20, canvas.Count(CRect(10, 10, 50, 30), BLUE));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 60, 10), BLUE));
}

TEST(MemoryDC, WholeRectangleIsCopiedBack)
{
    CPixelCanvas canvas(40, 40, GREEN);
    {
        CExtMemoryDC dc(&canvas.DC(), CRect(0, 0, 20, 20), CExtMemoryDC::MDC_OFFSCREEN);
        dc.FillSolidRect(0, 0, 20, 20, RED);
    }
    EXPECT_EQ(400, canvas.Count(CRect(0, 0, 20, 20), RED));
    EXPECT_EQ(40 * 40 - 400, canvas.Count(GREEN));
}

TEST(MemoryDC, NoRectangleCoversTheClipBox)
{
    CPixelCanvas canvas(60, 40);
    canvas.DC().IntersectClipRect(5, 6, 25, 16);
    canvas.DC().SetBkColor(BLUE);
    {
        CExtMemoryDC dc(&canvas.DC(), NULL);
        EXPECT_EQ(CRect(5, 6, 25, 16), dc.GetSurfaceRect());
    }
    canvas.DC().SelectClipRgn(NULL);
    EXPECT_EQ(20 * 10, canvas.Count(BLUE));
    EXPECT_EQ(BLUE, canvas.At(5, 6));
    EXPECT_EQ(BLUE, canvas.At(24, 15));
}

TEST(MemoryDC, CopyTargetKeepsThePictureAroundPartialDrawing)
{
    CPixelCanvas canvas(60, 40);
    canvas.DC().FillSolidRect(10, 10, 40, 20, GREEN);
    canvas.DC().SetBkColor(BLUE);
    {
        // Copying takes precedence over the background fill.
        CExtMemoryDC dc(&canvas.DC(), CRect(10, 10, 50, 30),
                        CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND
                            | CExtMemoryDC::MDC_COPY_TARGET);
        EXPECT_EQ(GREEN, dc.GetPixel(10, 10));
        EXPECT_EQ(GREEN, dc.GetPixel(49, 29));
        dc.FillSolidRect(10, 10, 5, 5, RED);
    }
    EXPECT_EQ(25, canvas.Count(RED));
    EXPECT_EQ(40 * 20 - 25, canvas.Count(GREEN));
    EXPECT_EQ(0, canvas.Count(BLUE));
}

TEST(MemoryDC, FinishWithoutCopyDiscardsAndASecondFinishDoesNothing)
{
    CPixelCanvas canvas(40, 40);
    CExtMemoryDC dc(&canvas.DC(), CRect(0, 0, 40, 40));
    dc.FillSolidRect(0, 0, 40, 40, RED);
    dc.FinishDrawing(false);
    EXPECT_EQ(0, canvas.Count(RED));
    EXPECT_EQ(NULL, dc.GetTargetDC());
    EXPECT_TRUE(dc.GetSurfaceRect().IsRectEmpty());
    dc.FinishDrawing(true);
    EXPECT_EQ(0, canvas.Count(RED));
}

TEST(MemoryDC, PrinterTargetIsDrawnStraightAndNothingIsCopiedBack)
{
    CPixelCanvas canvas(40, 40);
    canvas.DC().m_bPrinting = TRUE;
    {
        CExtMemoryDC dc(&canvas.DC(), CRect(0, 0, 40, 40), CExtMemoryDC::MDC_OFFSCREEN);
        EXPECT_FALSE(dc.IsMemDC());
        EXPECT_TRUE(dc.IsPrinting());
        EXPECT_EQ(canvas.DC().GetSafeHdc(), dc.GetSafeHdc());
        dc.FillSolidRect(5, 5, 10, 10, RED);
        EXPECT_EQ(100, canvas.Count(RED)) << "shared handles: drawing is visible at once";
        canvas.DC().FillSolidRect(5, 5, 10, 10, GREEN);
    }
    // The surface did not blit anything over the target, nor delete its DC.
    EXPECT_EQ(100, canvas.Count(GREEN));
    EXPECT_NE(0, ::GetDeviceCaps(canvas.DC().GetSafeHdc(), BITSPIXEL));
}

TEST(MemoryDC, SurfaceWhoseBitmapCannotBeMadeDrawsStraightIntoTheTarget)
{
    CPixelCanvas canvas(40, 40);
    // A 32-bit bitmap of this size would take 40 GB.
    CRect rcHuge(0, 0, 100000, 100000);
    {
        CExtMemoryDC dc(&canvas.DC(), &rcHuge,
                        CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_DIB32);
        EXPECT_FALSE(dc.IsMemDC());
        EXPECT_EQ(NULL, dc.m_pDibBits);
        ASSERT_EQ(canvas.DC().GetSafeHdc(), dc.GetSafeHdc());
        dc.FillSolidRect(2, 2, 6, 6, RED);
        EXPECT_EQ(36, canvas.Count(RED));
    }
    // Nothing else is painted over the target when the surface ends.
    EXPECT_EQ(36, canvas.Count(RED));
    EXPECT_EQ(40 * 40 - 36, canvas.Count(WHITE));
}

TEST(MemoryDC, DibSurfacePixelsAreReachableAndCopiedBack)
{
    CPixelCanvas canvas(30, 20);
    {
        CExtMemoryDC dc(&canvas.DC(), CRect(5, 5, 25, 15),
                        CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_DIB32);
        ASSERT_TRUE(dc.IsMemDC());
        ASSERT_NE((COLORREF*)NULL, dc.m_pDibBits);
        ::GdiFlush();
        // Bottom-up rows: the first row of the buffer is the surface's last line.
        for (int x = 0; x < 20; x++)
            dc.m_pDibBits[x] = 0x000000FF;     // blue in DIB order
        for (int x = 0; x < 20; x++)
            dc.m_pDibBits[9 * 20 + x] = 0x00FF0000;     // red
    }
    EXPECT_EQ(20, canvas.Count(CRect(5, 14, 25, 15), BLUE));
    EXPECT_EQ(20, canvas.Count(CRect(5, 5, 25, 6), RED));
}

TEST(MemoryDC, MonochromeSurfaceHasOneBitPerPixel)
{
    CPixelCanvas canvas(20, 20);
    CExtMemoryDC dc(&canvas.DC(), CRect(0, 0, 20, 20),
                    CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_MONOCHROME);
    ASSERT_TRUE(dc.IsMemDC());
    BITMAP bm;
    ASSERT_EQ((int)sizeof(bm), dc.m_bmp.GetBitmap(&bm));
    EXPECT_EQ(1, bm.bmBitsPixel);
    dc.FinishDrawing(false);
}

TEST(MemoryDC, ScrolledTargetKeepsItsLogicalCoordinates)
{
    CPixelCanvas canvas(60, 60);
    canvas.DC().SetViewportOrg(-20, -10);  // logical (20, 10) is device (0, 0)
    {
        CExtMemoryDC dc(&canvas.DC(), CRect(30, 30, 50, 50));
        ASSERT_TRUE(dc.IsMemDC());
        EXPECT_EQ(CRect(30, 30, 50, 50), dc.GetSurfaceRect());
        dc.FillSolidRect(30, 30, 5, 5, RED);
    }
    canvas.DC().SetViewportOrg(0, 0);
    EXPECT_EQ(25, canvas.Count(RED));
    EXPECT_EQ(RED, canvas.At(10, 20));
    EXPECT_EQ(RED, canvas.At(14, 24));
    EXPECT_EQ(WHITE, canvas.At(15, 25));
}

TEST(MemoryDC, IdleSurfaceCanBeSetUpLaterAndAgain)
{
    CPixelCanvas canvas(40, 20);
    CExtMemoryDC dc;
    EXPECT_EQ(NULL, dc.GetSafeHdc());
    dc.SetupSurface(&canvas.DC(), CRect(0, 0, 20, 20));
    dc.FillSolidRect(0, 0, 20, 20, RED);
    dc.SetupSurface(&canvas.DC(), CRect(20, 0, 40, 20));     // ends the first surface
    EXPECT_EQ(400, canvas.Count(CRect(0, 0, 20, 20), RED));
    dc.FillSolidRect(20, 0, 20, 20, BLUE);
    dc.FinishDrawing(true);
    EXPECT_EQ(400, canvas.Count(CRect(20, 0, 40, 20), BLUE));
}
