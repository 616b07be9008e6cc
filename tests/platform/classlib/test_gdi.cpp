// GDI wrappers, CDC and the message box seam.

#include "afxwin.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <thread>

#ifndef OBM_CHECK
#define OBM_CHECK 32760
#endif

namespace
{

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 128, 0);

// A white 32-bit DIB section selected into a memory DC. Pixel() reads the bits
// themselves, in device coordinates, independent of the DC's mapping.
class CCanvas
{
public:
    CCanvas(int cx, int cy)
        : m_cx(cx), m_pBits(NULL), m_pOldBitmap(NULL)
    {
        BITMAPINFO bmi;
        memset(&bmi, 0, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = NULL;
        HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        m_pBits = static_cast<const DWORD*>(pBits);
        EXPECT_TRUE(m_bitmap.Attach(hBitmap));
        EXPECT_TRUE(m_dc.CreateCompatibleDC(NULL));
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, cx, cy, kWhite);
    }

    ~CCanvas()
    {
        if (m_pOldBitmap != NULL)
            m_dc.SelectObject(m_pOldBitmap);
    }

    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        DWORD v = m_pBits[y * m_cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

    // Pixels in the device rectangle that are not white.
    int CountInk(int x1, int y1, int x2, int y2) const
    {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x)
                if (Pixel(x, y) != kWhite)
                    ++n;
        return n;
    }

    CBitmap m_bitmap;
    CDC m_dc;

private:
    int m_cx;
    const DWORD* m_pBits;
    CBitmap* m_pOldBitmap;
};

} // namespace

static void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

/////////////////////////////////////////////////////////////////////////////
// Drawing on a memory DC

TEST(CDCDrawing, FilledRectangleCoversInsideOnly)
{
    CCanvas canvas(40, 40);
    CBrush brush(kRed);
    CRect rect(10, 10, 30, 20);
    canvas.m_dc.FillRect(&rect, &brush);

    EXPECT_EQ(kRed, canvas.Pixel(10, 10));
    EXPECT_EQ(kRed, canvas.Pixel(29, 19));
    EXPECT_EQ(kWhite, canvas.Pixel(30, 15));    // right edge excluded
    EXPECT_EQ(kWhite, canvas.Pixel(15, 20));    // bottom edge excluded
    EXPECT_EQ(kWhite, canvas.Pixel(9, 9));
    EXPECT_EQ(kRed, canvas.m_dc.GetPixel(15, 15));
    EXPECT_EQ(kWhite, canvas.m_dc.GetPixel(35, 35));
}

TEST(CDCDrawing, PenLineAndCurrentPosition)
{
    CCanvas canvas(60, 60);
    CPen pen(PS_SOLID, 1, kBlue);
    CPen* pOldPen = canvas.m_dc.SelectObject(&pen);

    canvas.m_dc.MoveTo(5, 40);
    CPoint ptPrevious = canvas.m_dc.MoveTo(CPoint(5, 40));
    EXPECT_EQ(CPoint(5, 40), ptPrevious);
    EXPECT_TRUE(canvas.m_dc.LineTo(50, 40));
    EXPECT_EQ(CPoint(50, 40), canvas.m_dc.GetCurrentPosition());

    EXPECT_EQ(kBlue, canvas.Pixel(5, 40));
    EXPECT_EQ(kBlue, canvas.Pixel(49, 40));
    EXPECT_EQ(kWhite, canvas.Pixel(50, 40));    // LineTo stops before the end point
    EXPECT_EQ(kWhite, canvas.Pixel(20, 39));
    EXPECT_EQ(kWhite, canvas.Pixel(20, 41));

    canvas.m_dc.SelectObject(pOldPen);
}

TEST(CDCDrawing, RectangleHasPenBorderAndBrushInside)
{
    CCanvas canvas(40, 40);
    CPen pen(PS_SOLID, 1, kBlue);
    CBrush brush(kGreen);
    CPen* pOldPen = canvas.m_dc.SelectObject(&pen);
    CBrush* pOldBrush = canvas.m_dc.SelectObject(&brush);
    canvas.m_dc.Rectangle(CRect(5, 5, 25, 25));
    canvas.m_dc.SelectObject(pOldPen);
    canvas.m_dc.SelectObject(pOldBrush);

    EXPECT_EQ(kBlue, canvas.Pixel(5, 5));
    EXPECT_EQ(kBlue, canvas.Pixel(24, 24));
    EXPECT_EQ(kGreen, canvas.Pixel(15, 15));
    EXPECT_EQ(kWhite, canvas.Pixel(25, 25));
}

TEST(CDCDrawing, EllipseAndPolygonFillTheirShapes)
{
    CCanvas canvas(60, 30);
    CBrush brush(kRed);
    CPen pen(PS_NULL, 0, kRed);
    CBrush* pOldBrush = canvas.m_dc.SelectObject(&brush);
    CPen* pOldPen = canvas.m_dc.SelectObject(&pen);
    canvas.m_dc.Ellipse(0, 0, 20, 20);
    POINT triangle[3] = { { 30, 0 }, { 50, 0 }, { 30, 20 } };
    canvas.m_dc.Polygon(triangle, 3);
    canvas.m_dc.SelectObject(pOldBrush);
    canvas.m_dc.SelectObject(pOldPen);

    EXPECT_EQ(kRed, canvas.Pixel(10, 10));      // centre of the ellipse
    EXPECT_EQ(kWhite, canvas.Pixel(1, 1));      // its bounding box corner
    EXPECT_EQ(kRed, canvas.Pixel(33, 3));       // near the right angle
    EXPECT_EQ(kWhite, canvas.Pixel(48, 18));    // beyond the hypotenuse
}

TEST(CDCDrawing, Draw3dRectFramesOnePixelInTwoColours)
{
    CCanvas canvas(30, 30);
    canvas.m_dc.Draw3dRect(CRect(5, 5, 15, 12), kRed, kBlue);

    EXPECT_EQ(kRed, canvas.Pixel(5, 5));
    EXPECT_EQ(kRed, canvas.Pixel(13, 5));       // top row up to the last column
    EXPECT_EQ(kRed, canvas.Pixel(5, 10));       // left column up to the last row
    EXPECT_EQ(kBlue, canvas.Pixel(14, 5));      // top-right corner belongs to the right edge
    EXPECT_EQ(kBlue, canvas.Pixel(14, 11));
    EXPECT_EQ(kBlue, canvas.Pixel(5, 11));      // bottom-left corner belongs to the bottom edge
    EXPECT_EQ(kWhite, canvas.Pixel(10, 8));     // inside untouched
    EXPECT_EQ(kWhite, canvas.Pixel(15, 8));
    EXPECT_EQ(kWhite, canvas.Pixel(10, 12));
    EXPECT_EQ(kWhite, canvas.Pixel(4, 4));
}

TEST(CDCDrawing, BitBltCopiesBetweenMemoryDCs)
{
    CCanvas source(20, 20);
    CCanvas target(20, 20);
    source.m_dc.FillSolidRect(0, 0, 5, 5, kGreen);
    EXPECT_TRUE(target.m_dc.BitBlt(10, 10, 5, 5, &source.m_dc, 0, 0, SRCCOPY));
    EXPECT_EQ(kGreen, target.Pixel(10, 10));
    EXPECT_EQ(kGreen, target.Pixel(14, 14));
    EXPECT_EQ(kWhite, target.Pixel(15, 15));
    EXPECT_EQ(kWhite, target.Pixel(0, 0));
}

TEST(CDCDrawing, TextIsDrawnAndMeasured)
{
    CCanvas canvas(200, 40);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Tahoma", &canvas.m_dc));
    CFont* pOldFont = canvas.m_dc.SelectObject(&font);
    canvas.m_dc.SetTextColor(RGB(0, 0, 0));
    canvas.m_dc.SetBkMode(TRANSPARENT);

    CString strText("Label 123");
    CSize size = canvas.m_dc.GetTextExtent(strText);
    EXPECT_GT(size.cx, 30);
    EXPECT_GT(size.cy, 8);
    EXPECT_EQ(CSize(0, 0), canvas.m_dc.GetTextExtent("", 0));

    CRect rectCalc(0, 0, 0, 0);
    canvas.m_dc.DrawText(strText, &rectCalc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(size.cx, rectCalc.Width());

    CRect rect(0, 0, 200, 40);
    EXPECT_GT(canvas.m_dc.DrawText(strText, &rect, DT_SINGLELINE | DT_LEFT | DT_TOP), 0);
    EXPECT_GT(canvas.CountInk(0, 0, size.cx, size.cy), 10);
    EXPECT_EQ(0, canvas.CountInk(size.cx + 2, 0, 200, 40));

    CString strFace;
    canvas.m_dc.GetTextFace(strFace);
    EXPECT_STREQ("Tahoma", strFace);
    canvas.m_dc.SelectObject(pOldFont);
}

TEST(CDCDrawing, ClipRegionLimitsPainting)
{
    CCanvas canvas(40, 40);
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(10, 10, 20, 20));
    EXPECT_EQ(SIMPLEREGION, canvas.m_dc.SelectClipRgn(&rgn));
    EXPECT_TRUE(canvas.m_dc.PtVisible(15, 15));
    EXPECT_FALSE(canvas.m_dc.PtVisible(25, 25));
    CRect rectClip;
    canvas.m_dc.GetClipBox(&rectClip);
    EXPECT_EQ(CRect(10, 10, 20, 20), rectClip);

    canvas.m_dc.FillSolidRect(0, 0, 40, 40, kRed);
    EXPECT_EQ(kRed, canvas.Pixel(15, 15));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 5));
    EXPECT_EQ(kWhite, canvas.Pixel(20, 20));

    canvas.m_dc.SelectClipRgn(NULL);
    canvas.m_dc.ExcludeClipRect(0, 0, 40, 20);
    canvas.m_dc.FillSolidRect(0, 0, 40, 40, kBlue);
    EXPECT_EQ(kRed, canvas.Pixel(15, 15));
    EXPECT_EQ(kBlue, canvas.Pixel(15, 25));
}

TEST(CDCDrawing, SaveAndRestoreBringBackAttributes)
{
    CCanvas canvas(10, 10);
    canvas.m_dc.SetTextColor(kRed);
    int nSaved = canvas.m_dc.SaveDC();
    ASSERT_NE(0, nSaved);
    canvas.m_dc.SetTextColor(kBlue);
    canvas.m_dc.SetMapMode(MM_LOMETRIC);
    EXPECT_TRUE(canvas.m_dc.RestoreDC(nSaved));
    EXPECT_EQ(kRed, canvas.m_dc.GetTextColor());
    EXPECT_EQ(MM_TEXT, canvas.m_dc.GetMapMode());
}

TEST(CDCDrawing, DragRectInvertsTheFrameAndMovesIt)
{
    CCanvas canvas(60, 60);
    canvas.m_dc.FillSolidRect(0, 0, 60, 60, kGreen);
    canvas.m_dc.SetTextColor(RGB(0, 0, 0));
    canvas.m_dc.SetBkColor(kWhite);
    auto changed = [&](int x1, int y1, int x2, int y2) {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x)
                n += canvas.Pixel(x, y) != kGreen;
        return n;
    };

    // A 3-pixel frame of 30 x 30 has 324 pixels; the half-tone brush inverts every other one.
    CRect rect(10, 10, 40, 40);
    CSize size(3, 3);
    canvas.m_dc.DrawDragRect(&rect, size, NULL, size);
    int nFrame = changed(10, 10, 40, 40) - changed(13, 13, 37, 37);
    EXPECT_NEAR(162, nFrame, 10);
    EXPECT_EQ(nFrame, changed(0, 0, 60, 60));

    // Moving it erases the old frame and draws the new one.
    CRect rectMoved(15, 15, 45, 45);
    canvas.m_dc.DrawDragRect(&rectMoved, size, &rect, size);
    int nMoved = changed(15, 15, 45, 45) - changed(18, 18, 42, 42);
    EXPECT_NEAR(162, nMoved, 10);
    EXPECT_EQ(nMoved, changed(0, 0, 60, 60));

    canvas.m_dc.DrawDragRect(NULL, size, &rectMoved, size);
    EXPECT_EQ(0, changed(0, 0, 60, 60));
}

/////////////////////////////////////////////////////////////////////////////
// Selection and handle maps

TEST(CDCSelection, SelectObjectReturnsThePreviousWrapper)
{
    CCanvas canvas(10, 10);
    CDC& dc = canvas.m_dc;
    CPen penA(PS_SOLID, 1, kRed);
    CPen penB(PS_SOLID, 2, kBlue);

    CPen* pStockPen = dc.SelectObject(&penA);
    ASSERT_TRUE(pStockPen != NULL);
    EXPECT_EQ(::GetStockObject(BLACK_PEN), pStockPen->m_hObject);
    EXPECT_TRUE(pStockPen->IsKindOf(RUNTIME_CLASS(CPen)));

    EXPECT_EQ(&penA, dc.SelectObject(&penB));
    EXPECT_EQ(&penB, dc.GetCurrentPen());
    EXPECT_EQ(&penB, dc.SelectObject(pStockPen));
    EXPECT_EQ(::GetStockObject(BLACK_PEN), ::GetCurrentObject(dc.m_hDC, OBJ_PEN));
    EXPECT_EQ(pStockPen, dc.GetCurrentPen());   // the same temporary wrapper again

    CBrush brush(kGreen);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    ASSERT_TRUE(pOldBrush != NULL);
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), pOldBrush->m_hObject);
    EXPECT_EQ(&brush, dc.SelectObject(pOldBrush));

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
    CFont* pOldFont = dc.SelectObject(&font);
    ASSERT_TRUE(pOldFont != NULL);
    EXPECT_TRUE(pOldFont->IsKindOf(RUNTIME_CLASS(CFont)));
    EXPECT_EQ(&font, dc.GetCurrentFont());
    EXPECT_EQ(&font, dc.SelectObject(pOldFont));

    EXPECT_EQ(&canvas.m_bitmap, dc.GetCurrentBitmap());

    CGdiObject* pPrevious = dc.SelectStockObject(NULL_BRUSH);
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), pPrevious->m_hObject);
    EXPECT_TRUE(pPrevious->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), ::GetCurrentObject(dc.m_hDC, OBJ_BRUSH));

    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 5, 5));
    EXPECT_EQ(SIMPLEREGION, dc.SelectObject(&rgn));

    EXPECT_TRUE(dc.SelectObject((CPen*)NULL) == NULL);
}

TEST(CDCSelection, SelectingIntoSeparateOutputAndAttributeDCs)
{
    CDC dcOutput, dcAttrib;
    ASSERT_TRUE(dcOutput.CreateCompatibleDC(NULL));
    ASSERT_TRUE(dcAttrib.CreateCompatibleDC(NULL));

    CDC dc;
    dc.SetOutputDC(dcOutput.m_hDC);
    dc.SetAttribDC(dcAttrib.m_hDC);
    dc.SetTextColor(kRed);
    dc.SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(kRed, ::GetTextColor(dcOutput.m_hDC));
    EXPECT_EQ(kRed, ::GetTextColor(dcAttrib.m_hDC));
    EXPECT_EQ(MM_LOMETRIC, ::GetMapMode(dcOutput.m_hDC));
    EXPECT_EQ(MM_LOMETRIC, ::GetMapMode(dcAttrib.m_hDC));

    CPen pen(PS_SOLID, 1, kBlue);
    CPen* pOld = dc.SelectObject(&pen);
    EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(dcOutput.m_hDC, OBJ_PEN));
    EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(dcAttrib.m_hDC, OBJ_PEN));
    dc.SelectObject(pOld);

    dc.MoveTo(7, 8);
    dc.LineTo(20, 30);
    POINT pt;
    ::GetCurrentPositionEx(dcAttrib.m_hDC, &pt);
    EXPECT_EQ(20, pt.x);
    EXPECT_EQ(30, pt.y);

    dc.ReleaseOutputDC();
    dc.ReleaseAttribDC();
    EXPECT_TRUE(dc.m_hDC == NULL);
}

TEST(CGdiObjectMaps, FromHandleFindsTheOwnerOrMakesATemporary)
{
    CBrush brush(kRed);
    HBRUSH hBrush = (HBRUSH)brush.m_hObject;
    EXPECT_EQ(&brush, CBrush::FromHandle(hBrush));
    EXPECT_EQ(&brush, CGdiObject::FromHandle(hBrush));
    EXPECT_TRUE(CGdiObject::FromHandle(NULL) == NULL);

    ASSERT_EQ(hBrush, brush.Detach());
    EXPECT_TRUE(brush.GetSafeHandle() == NULL);
    CBrush* pTemp = CBrush::FromHandle(hBrush);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_NE(&brush, pTemp);
    EXPECT_EQ(pTemp, CBrush::FromHandle(hBrush));
    EXPECT_TRUE(pTemp->IsKindOf(RUNTIME_CLASS(CBrush)));

    // Freeing temporaries keeps the handle alive; the owner deletes it.
    CGdiObject::DeleteTempMap();
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(hBrush));
    {
        CBrush owner;
        EXPECT_TRUE(owner.Attach(hBrush));
        EXPECT_EQ(&owner, CBrush::FromHandle(hBrush));
    }
    EXPECT_EQ(0u, (UINT)::GetObjectType(hBrush));
}

TEST(CGdiObjectMaps, TemporariesBelongToTheirThread)
{
    HPEN hPen = (HPEN)::GetStockObject(WHITE_PEN);
    CPen* pMine = CPen::FromHandle(hPen);
    CPen* pOther = NULL;
    std::thread worker([&]() {
        pOther = CPen::FromHandle(hPen);
        EXPECT_EQ(hPen, pOther->m_hObject);
    });
    worker.join();
    EXPECT_NE(pMine, pOther);
    EXPECT_EQ(hPen, pMine->m_hObject);
}

TEST(CGdiObjectMaps, WrapperOwnsWhatItCreated)
{
    HGDIOBJ hPen = NULL;
    {
        CPen pen;
        EXPECT_TRUE(pen.CreatePen(PS_DASH, 1, kRed));
        hPen = pen.m_hObject;
        EXPECT_FALSE(pen.CreatePen(PS_SOLID, 1, kBlue));   // already holds a pen
        EXPECT_EQ(hPen, pen.m_hObject);
        EXPECT_EQ(OBJ_PEN, (int)pen.GetObjectType());
    }
    EXPECT_EQ(0u, (UINT)::GetObjectType(hPen));

    CPen empty;
    EXPECT_FALSE(empty.DeleteObject());
    CPen* volatile pNoPen = NULL;
    CDC* volatile pNoDC = NULL;
    EXPECT_TRUE(pNoPen->GetSafeHandle() == NULL);
    EXPECT_TRUE(pNoDC->GetSafeHdc() == NULL);
}

TEST(CDCMaps, FromHandleOfAttachedAndForeignDCs)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    EXPECT_EQ(&dc, CDC::FromHandle(dc.m_hDC));
    EXPECT_EQ(dc.m_hDC, dc.GetSafeHdc());

    HDC hDC = ::CreateCompatibleDC(NULL);
    CDC* pTemp = CDC::FromHandle(hDC);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_EQ(hDC, pTemp->m_hDC);
    EXPECT_EQ(hDC, pTemp->m_hAttribDC);
    CDC::DeleteTempMap();
    EXPECT_EQ((DWORD)OBJ_MEMDC, ::GetObjectType(hDC));  // a temporary never deletes the DC

    CDC other;
    EXPECT_TRUE(other.Attach(hDC));
    EXPECT_FALSE(other.Attach(dc.m_hDC));        // already attached
    EXPECT_EQ(hDC, other.Detach());
    EXPECT_TRUE(other.m_hDC == NULL && other.m_hAttribDC == NULL);
    EXPECT_TRUE(::DeleteDC(hDC));

    EXPECT_TRUE(dc.DeleteDC());
    EXPECT_FALSE(dc.DeleteDC());
}

/////////////////////////////////////////////////////////////////////////////
// Mapping modes

TEST(CDCMapping, AnisotropicConversionsBothWays)
{
    CCanvas canvas(100, 100);
    CDC& dc = canvas.m_dc;
    EXPECT_EQ(MM_TEXT, dc.SetMapMode(MM_ANISOTROPIC));
    EXPECT_EQ(CSize(1, 1), dc.SetWindowExt(1000, 1000));
    EXPECT_EQ(CSize(1, 1), dc.SetViewportExt(100, -100));
    EXPECT_EQ(CPoint(0, 0), dc.SetViewportOrg(0, 100));
    EXPECT_EQ(CPoint(0, 0), dc.SetWindowOrg(CPoint(0, 0)));
    EXPECT_EQ(CSize(1000, 1000), dc.GetWindowExt());
    EXPECT_EQ(CSize(100, -100), dc.GetViewportExt());

    CPoint pt(500, 250);
    dc.LPtoDP(&pt);
    EXPECT_EQ(CPoint(50, 75), pt);
    dc.DPtoLP(&pt);
    EXPECT_EQ(CPoint(500, 250), pt);

    CRect rect(100, 900, 300, 100);
    dc.LPtoDP(&rect);
    EXPECT_EQ(CRect(10, 10, 30, 90), rect);
    dc.DPtoLP(&rect);
    EXPECT_EQ(CRect(100, 900, 300, 100), rect);

    // Sizes scale by the extents without origin or sign.
    CSize size(400, 200);
    dc.LPtoDP(&size);
    EXPECT_EQ(CSize(40, 20), size);
    dc.DPtoLP(&size);
    EXPECT_EQ(CSize(400, 200), size);

    POINT points[2] = { { 0, 0 }, { 1000, 1000 } };
    dc.LPtoDP(points, 2);
    EXPECT_EQ(CPoint(0, 100), CPoint(points[0]));
    EXPECT_EQ(CPoint(100, 0), CPoint(points[1]));

    // Drawing follows the mapping: logical (100..300, 900..700) is device (10..30, 10..30).
    dc.FillSolidRect(CRect(100, 900, 300, 700), kRed);
    EXPECT_EQ(kRed, canvas.Pixel(10, 10));
    EXPECT_EQ(kRed, canvas.Pixel(29, 29));
    EXPECT_EQ(kWhite, canvas.Pixel(31, 31));
    EXPECT_EQ(kWhite, canvas.Pixel(9, 9));
}

TEST(CDCMapping, OffsetAndScaleReturnThePreviousValues)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(CSize(10, 10));
    dc.SetViewportExt(CSize(20, 30));
    dc.SetViewportOrg(5, 6);

    EXPECT_EQ(CPoint(5, 6), dc.OffsetViewportOrg(10, 20));
    EXPECT_EQ(CPoint(15, 26), dc.GetViewportOrg());
    EXPECT_EQ(CSize(20, 30), dc.ScaleViewportExt(3, 2, 1, 3));
    EXPECT_EQ(CSize(30, 10), dc.GetViewportExt());
    EXPECT_EQ(CSize(10, 10), dc.ScaleWindowExt(2, 1, 2, 1));
    EXPECT_EQ(CSize(20, 20), dc.GetWindowExt());
    EXPECT_EQ(CPoint(0, 0), dc.OffsetWindowOrg(4, 4));
    EXPECT_EQ(CPoint(4, 4), dc.GetWindowOrg());

    // x: (4 - 4) * 30/20 + 15 = 15; y: (24 - 4) * 10/20 + 26 = 36
    CPoint pt(4, 24);
    dc.LPtoDP(&pt);
    EXPECT_EQ(CPoint(15, 36), pt);
}

TEST(CDCMapping, LometricUnitsFollowTheResolution)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    dc.SetMapMode(MM_LOMETRIC);
    int nDpi = dc.GetDeviceCaps(LOGPIXELSX);
    ASSERT_GT(nDpi, 0);
    CSize size(254, 254);           // one inch
    dc.LPtoDP(&size);
    EXPECT_NEAR(nDpi, size.cx, 1);
    EXPECT_NEAR(dc.GetDeviceCaps(LOGPIXELSY), size.cy, 1);
}

/////////////////////////////////////////////////////////////////////////////
// Regions

TEST(CRgnTest, CombineModesAndHitTests)
{
    CRgn left, right, both;
    ASSERT_TRUE(left.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(right.CreateRectRgn(20, 0, 30, 10));
    EXPECT_EQ(COMPLEXREGION, both.CombineRgn(&left, &right, RGN_OR));
    EXPECT_TRUE(both.PtInRegion(5, 5));
    EXPECT_TRUE(both.PtInRegion(CPoint(25, 5)));
    EXPECT_FALSE(both.PtInRegion(15, 5));
    EXPECT_FALSE(both.PtInRegion(10, 5));           // right edge excluded
    EXPECT_FALSE(both.PtInRegion(5, 10));           // bottom edge excluded
    CRect rectBox;
    EXPECT_EQ(COMPLEXREGION, both.GetRgnBox(&rectBox));
    EXPECT_EQ(CRect(0, 0, 30, 10), rectBox);
    EXPECT_TRUE(both.RectInRegion(CRect(8, 2, 22, 4)));
    EXPECT_FALSE(both.RectInRegion(CRect(12, 2, 18, 4)));

    CRgn overlap, wide;
    ASSERT_TRUE(wide.CreateRectRgn(5, 2, 25, 8));
    EXPECT_EQ(COMPLEXREGION, overlap.CombineRgn(&both, &wide, RGN_AND));
    EXPECT_TRUE(overlap.PtInRegion(7, 3));
    EXPECT_FALSE(overlap.PtInRegion(2, 3));
    EXPECT_FALSE(overlap.PtInRegion(15, 3));

    CRgn diff;
    EXPECT_EQ(SIMPLEREGION, diff.CombineRgn(&wide, &both, RGN_DIFF));
    EXPECT_TRUE(diff.PtInRegion(15, 3));
    EXPECT_FALSE(diff.PtInRegion(7, 3));

    CRgn none;
    EXPECT_EQ(NULLREGION, none.CombineRgn(&left, &right, RGN_AND));
    EXPECT_EQ(ERROR, none.CombineRgn(&left, NULL, RGN_OR));
    CRgn empty;
    EXPECT_EQ(ERROR, none.CombineRgn(&empty, &left, RGN_OR));
}

TEST(CRgnTest, CopyOffsetAndCompare)
{
    CRgn source;
    ASSERT_TRUE(source.CreateEllipticRgn(0, 0, 20, 10));
    CRgn copy;                                      // no handle yet
    EXPECT_EQ(COMPLEXREGION, copy.CopyRgn(&source));
    EXPECT_TRUE(copy.EqualRgn(&source));
    EXPECT_NE(source.m_hObject, copy.m_hObject);

    copy.OffsetRgn(100, 50);
    EXPECT_FALSE(copy.EqualRgn(&source));
    EXPECT_TRUE(copy.PtInRegion(110, 55));
    EXPECT_FALSE(copy.PtInRegion(10, 5));
    CRect rectSource, rectBox;
    source.GetRgnBox(&rectSource);
    copy.GetRgnBox(&rectBox);
    EXPECT_FALSE(rectSource.IsRectEmpty());
    EXPECT_EQ(rectSource + CPoint(100, 50), rectBox);

    copy.SetRectRgn(CRect(1, 2, 3, 4));
    copy.GetRgnBox(&rectBox);
    EXPECT_EQ(CRect(1, 2, 3, 4), rectBox);

    POINT triangle[3] = { { 0, 0 }, { 10, 0 }, { 0, 10 } };
    CRgn poly;
    ASSERT_TRUE(poly.CreatePolygonRgn(triangle, 3, ALTERNATE));
    EXPECT_TRUE(poly.PtInRegion(2, 2));
    EXPECT_FALSE(poly.PtInRegion(8, 8));
    EXPECT_TRUE(CRgn::FromHandle((HRGN)poly.m_hObject) == &poly);
}

TEST(CRgnTest, FillAndFrameThroughTheDC)
{
    CCanvas canvas(40, 40);
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(5, 5, 25, 25));
    CBrush red(kRed), blue(kBlue);
    EXPECT_TRUE(canvas.m_dc.FillRgn(&rgn, &red));
    EXPECT_TRUE(canvas.m_dc.FrameRgn(&rgn, &blue, 2, 2));
    EXPECT_EQ(kBlue, canvas.Pixel(5, 5));
    EXPECT_EQ(kBlue, canvas.Pixel(6, 15));
    EXPECT_EQ(kRed, canvas.Pixel(7, 15));
    EXPECT_EQ(kWhite, canvas.Pixel(25, 15));
}

/////////////////////////////////////////////////////////////////////////////
// Fonts, pens, brushes, bitmaps, palettes

TEST(CFontTest, LogFontRoundTrip)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(-17, 0, 900, 900, FW_BOLD, TRUE, FALSE, TRUE, ANSI_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, "Arial"));
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    EXPECT_EQ((int)sizeof(LOGFONT), font.GetLogFont(&lf));
    EXPECT_EQ(-17, lf.lfHeight);
    EXPECT_EQ(900, lf.lfEscapement);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_EQ(TRUE, lf.lfItalic);
    EXPECT_EQ(FALSE, lf.lfUnderline);
    EXPECT_EQ(TRUE, lf.lfStrikeOut);
    EXPECT_EQ(ANTIALIASED_QUALITY, lf.lfQuality);
    EXPECT_STREQ("Arial", lf.lfFaceName);

    CFont copy;
    ASSERT_TRUE(copy.CreateFontIndirect(&lf));
    LOGFONT lfCopy;
    copy.GetLogFont(&lfCopy);
    EXPECT_EQ(0, memcmp(&lf, &lfCopy, offsetof(LOGFONT, lfFaceName)));
    EXPECT_STREQ(lf.lfFaceName, lfCopy.lfFaceName);
    EXPECT_EQ(&copy, CFont::FromHandle((HFONT)copy));
}

TEST(CFontTest, PointFontsConvertTenthsOfAPoint)
{
    HDC hScreen = ::GetDC(NULL);
    int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(NULL, hScreen);

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Tahoma"));
    LOGFONT lf;
    font.GetLogFont(&lf);
    EXPECT_EQ(-::MulDiv(nDpi, 120, 720), lf.lfHeight);
    EXPECT_STREQ("Tahoma", lf.lfFaceName);

    // On a DC in 0.1 mm units, 12 points are 4.23 mm.
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    dc.SetMapMode(MM_LOMETRIC);
    CFont metric;
    ASSERT_TRUE(metric.CreatePointFont(120, "Tahoma", &dc));
    metric.GetLogFont(&lf);
    EXPECT_NEAR(-42.3, lf.lfHeight, 1.0);

    LOGFONT lfPoints;
    memset(&lfPoints, 0, sizeof(lfPoints));
    lfPoints.lfHeight = 240;
    lfPoints.lfWeight = FW_BOLD;
    lstrcpy(lfPoints.lfFaceName, "Arial");
    CFont big;
    ASSERT_TRUE(big.CreatePointFontIndirect(&lfPoints));
    big.GetLogFont(&lf);
    EXPECT_EQ(-::MulDiv(nDpi, 240, 720), lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);

    CFont none;
    EXPECT_FALSE(none.CreatePointFontIndirect(NULL));
}

TEST(CPenBrushTest, LogicalDescriptionsRoundTrip)
{
    CPen pen(PS_DOT, 1, kGreen);
    LOGPEN lp;
    ASSERT_EQ((int)sizeof(LOGPEN), pen.GetLogPen(&lp));
    EXPECT_EQ((UINT)PS_DOT, lp.lopnStyle);
    EXPECT_EQ(kGreen, lp.lopnColor);

    LOGBRUSH lb = { BS_SOLID, kRed, 0 };
    CPen geometric(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 5, &lb);
    EXPECT_EQ(OBJ_EXTPEN, (int)geometric.GetObjectType());
    EXTLOGPEN elp;
    ASSERT_GT(geometric.GetExtLogPen(&elp), 0);
    EXPECT_EQ(5u, elp.elpWidth);
    EXPECT_EQ(kRed, elp.elpColor);
    EXPECT_TRUE(CPen::FromHandle((HPEN)geometric) == &geometric);

    CBrush hatch(HS_CROSS, kBlue);
    LOGBRUSH lbOut;
    ASSERT_EQ((int)sizeof(LOGBRUSH), hatch.GetLogBrush(&lbOut));
    EXPECT_EQ((UINT)BS_HATCHED, lbOut.lbStyle);
    EXPECT_EQ(kBlue, lbOut.lbColor);
    EXPECT_EQ((ULONG_PTR)HS_CROSS, lbOut.lbHatch);

    CBrush sys;
    ASSERT_TRUE(sys.CreateSysColorBrush(COLOR_WINDOW));
    sys.GetLogBrush(&lbOut);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), lbOut.lbColor);

    CBrush indirect;
    ASSERT_TRUE(indirect.CreateBrushIndirect(&lb));
    indirect.GetLogBrush(&lbOut);
    EXPECT_EQ(kRed, lbOut.lbColor);
}

TEST(CPenBrushTest, FailedCreationThrowsResourceException)
{
    LOGBRUSH lb = { BS_SOLID, kRed, 0 };
    bool bThrown = false;
    try
    {
        CPen pen(PS_COSMETIC | PS_SOLID, 5, &lb);   // a cosmetic pen must be one pixel wide
    }
    catch (CResourceException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);

    CBrush brush;
    EXPECT_FALSE(brush.CreatePatternBrush(NULL));
    EXPECT_TRUE(brush.m_hObject == NULL);
}

TEST(CBitmapTest, PatternBrushPaintsTheBitmap)
{
    CCanvas canvas(16, 16);
    static const WORD stripes[8] = { 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF };
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 1, stripes));
    BITMAP bm;
    ASSERT_EQ((int)sizeof(BITMAP), bitmap.GetBitmap(&bm));
    EXPECT_EQ(8, bm.bmWidth);
    EXPECT_EQ(1, bm.bmBitsPixel);

    CBrush brush(&bitmap);
    canvas.m_dc.SetTextColor(RGB(0, 0, 0));     // colour of 0 bits
    canvas.m_dc.SetBkColor(kWhite);             // colour of 1 bits
    canvas.m_dc.FillRect(CRect(0, 0, 16, 16), &brush);
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(3, 0));
    EXPECT_EQ(kWhite, canvas.Pixel(3, 1));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(12, 8));
}

TEST(CBitmapTest, BitsAndDimensionRoundTrip)
{
    CCanvas canvas(4, 4);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&canvas.m_dc, 4, 2));
    BITMAP bm;
    bitmap.GetBitmap(&bm);
    EXPECT_EQ(32, bm.bmBitsPixel);

    DWORD pixels[8] = { 0x00FF0000, 0x0000FF00, 0x000000FF, 0, 1, 2, 3, 4 };
    EXPECT_EQ(sizeof(pixels), bitmap.SetBitmapBits(sizeof(pixels), pixels));
    DWORD readBack[8] = { 0 };
    EXPECT_EQ(sizeof(readBack), bitmap.GetBitmapBits(sizeof(readBack), readBack));
    EXPECT_EQ(0, memcmp(pixels, readBack, sizeof(pixels)));

    EXPECT_EQ(CSize(0, 0), bitmap.SetBitmapDimension(100, 50));
    EXPECT_EQ(CSize(100, 50), bitmap.GetBitmapDimension());

    CBitmap orphan;
    EXPECT_FALSE(orphan.CreateCompatibleBitmap(NULL, 4, 4));
    EXPECT_TRUE(orphan.LoadOEMBitmap(OBM_CHECK));
    EXPECT_EQ(OBJ_BITMAP, (int)orphan.GetObjectType());
}

TEST(CPaletteTest, EntriesRoundTrip)
{
    struct
    {
        LOGPALETTE header;
        PALETTEENTRY more[2];
    } pal;
    pal.header.palVersion = 0x300;
    pal.header.palNumEntries = 3;
    PALETTEENTRY* pEntries = pal.header.palPalEntry;
    pEntries[0] = { 255, 0, 0, 0 };
    pEntries[1] = { 0, 255, 0, 0 };
    pEntries[2] = { 0, 0, 255, 0 };

    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&pal.header));
    EXPECT_EQ(3, palette.GetEntryCount());
    PALETTEENTRY entries[3];
    EXPECT_EQ(3u, palette.GetPaletteEntries(0, 3, entries));
    EXPECT_EQ(255, entries[0].peRed);
    EXPECT_EQ(255, entries[1].peGreen);
    EXPECT_EQ(255, entries[2].peBlue);
    EXPECT_EQ(2u, palette.GetNearestPaletteIndex(RGB(0, 0, 200)));

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CPalette halftone;
    ASSERT_TRUE(halftone.CreateHalftonePalette(&dc));
    EXPECT_GT(halftone.GetEntryCount(), 3);
}

/////////////////////////////////////////////////////////////////////////////
// Message boxes

namespace
{

HWND FakeOwner()
{
    return (HWND)(INT_PTR)0x1234;
}

} // namespace

TEST(MessageBoxSeam, RecorderKeepsTextFlagsAndScriptedAnswers)
{
    CMessageBoxRecorder boxes;
    boxes.AddAnswer(IDNO);
    boxes.AddAnswer(IDCANCEL);
    EXPECT_EQ(2, boxes.GetPendingAnswers());

    EXPECT_EQ(IDNO, AfxMessageBox("Delete the label?", MB_YESNO | MB_ICONINFORMATION));
    EXPECT_EQ(IDCANCEL, AfxMessageBox("Save changes?", MB_YESNOCANCEL, 77));
    EXPECT_EQ(IDOK, AfxMessageBox("Done."));       // no answer left

    ASSERT_EQ(3, boxes.GetCount());
    EXPECT_STREQ("Delete the label?", boxes.GetCall(0).m_strText);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONINFORMATION), boxes.GetCall(0).m_nType);
    EXPECT_EQ(IDNO, boxes.GetCall(0).m_nResult);
    EXPECT_EQ(77u, boxes.GetCall(1).m_nIDHelp);
    EXPECT_EQ((UINT)MB_OK, boxes.GetCall(2).m_nType);
    EXPECT_EQ(0u, boxes.GetCall(2).m_nIDHelp);
    EXPECT_EQ(0, boxes.GetPendingAnswers());

    EXPECT_STREQ("classlib_tests", boxes.GetCall(0).m_strCaption);

    boxes.Reset();
    EXPECT_EQ(0, boxes.GetCount());

    bool bThrown = false;
    try
    {
        boxes.GetCall(0);
    }
    catch (CInvalidArgException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(MessageBoxSeam, PromptIdBecomesTheHelpContext)
{
    CMessageBoxRecorder boxes;
    AfxMessageBox(61234u, MB_OKCANCEL);
    AfxMessageBox(61234u, MB_OK, 5u);
    ASSERT_EQ(2, boxes.GetCount());
    EXPECT_EQ(61234u, boxes.GetCall(0).m_nIDHelp);
    EXPECT_EQ((UINT)MB_OKCANCEL, boxes.GetCall(0).m_nType);
    EXPECT_EQ(5u, boxes.GetCall(1).m_nIDHelp);
}

TEST(MessageBoxSeam, OwnerTitleAndDirectCalls)
{
    CMessageBoxRecorder boxes;
    AFX_MSGBOX_OWNER_PROC pfnPrevious = AfxSetMessageBoxOwnerProc(&FakeOwner);
    AfxSetAppName("Stickwell");
    AfxMessageBox("Hello");
    AfxSetMessageBoxOwnerProc(pfnPrevious);
    AfxSetAppName(NULL);

    EXPECT_EQ(IDOK, AfxCallMessageBox(NULL, "Direct", "Caption", MB_ICONSTOP));
    AfxMessageBox("Again");

    ASSERT_EQ(3, boxes.GetCount());
    EXPECT_EQ(FakeOwner(), boxes.GetCall(0).m_hWndOwner);
    EXPECT_STREQ("Stickwell", boxes.GetCall(0).m_strCaption);
    EXPECT_STREQ("Caption", boxes.GetCall(1).m_strCaption);
    EXPECT_EQ((UINT)MB_ICONSTOP, boxes.GetCall(1).m_nType);
    EXPECT_STREQ("classlib_tests", boxes.GetCall(2).m_strCaption);
    EXPECT_STREQ("classlib_tests", AfxGetAppName());
}

TEST(MessageBoxSeam, RecordersNestAndSeeOtherThreads)
{
    CMessageBoxRecorder outer;
    {
        CMessageBoxRecorder inner;
        inner.AddAnswer(IDRETRY);
        int nResult = 0;
        std::thread worker([&]() { nResult = AfxMessageBox("From a worker", MB_RETRYCANCEL); });
        worker.join();
        EXPECT_EQ(IDRETRY, nResult);
        EXPECT_EQ(1, inner.GetCount());
    }
    EXPECT_EQ(0, outer.GetCount());
    outer.AddAnswer(IDABORT);
    EXPECT_EQ(IDABORT, AfxMessageBox("After", MB_ABORTRETRYIGNORE));
    ASSERT_EQ(1, outer.GetCount());
    EXPECT_STREQ("After", outer.GetCall(0).m_strText);
}
