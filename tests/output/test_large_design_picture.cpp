// test_large_design_picture.cpp - the largest design saved as a picture at 600 dpi keeps
// the visible parts of elements that reach far beyond the design.

#include "program_files.h"
#include "temp_folder.h"
#include "model/Elements.h"
#include "model/VarnelDoc.h"
#include "output/PictureExport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace
{
template <class T>
T* Plain(T* p, DWORD clrFill, DWORD clrLine, int nLineWidth)
{
    p->m_nFillKind = clrFill != 0 ? 1 : 0;
    p->m_clrFill = 0xFF000000 | clrFill;
    p->m_clrLine = 0xFF000000 | clrLine;
    p->m_nLineWidth = nLineWidth;
    p->m_nDashStyle = 0;
    p->m_bShadow = FALSE;
    p->m_nSide = 1;
    return p;
}
}

TEST(LargeDesignPicture, ElementsReachingFarBeyondTheDesignKeepTheirPartsOnIt)
{
    // 2500 x 2500 units at 600 dpi: 15000 pixels a side. Each element's drawing reaches
    // beyond 30000 pixels: a sun of the design's size (its rays reach out 1.6 times), an
    // ellipse, a line and a band running far off the design, a turned star.
    CVarnelDoc doc;
    doc.m_nPublicationType = 6;
    doc.m_nDesignWidth = 2500;
    doc.m_nDesignHeight = 2500;
    doc.m_clrBackgroundFront = 0xFFFFFFFF;
    doc.m_listElements.AddTail(Plain(new CShapeSun(CPoint(0, 0), CPoint(2500, 2500)), 0xFFFF00, 0x0000FF, 6));
    doc.m_listElements.AddTail(Plain(new CCircle(CPoint(-5000, 1500), CPoint(1000, 4000)), 0x00FF00, 0xFF0000, 6));
    CLine* pLine = Plain(new CLine(CPoint(-3000, 2200), CPoint(5500, 2300)), 0, 0x000000, 6);
    pLine->m_nLineDirection = 0;
    doc.m_listElements.AddTail(pLine);
    CShapeStar* pStar = Plain(new CShapeStar(CPoint(-1500, -1500), CPoint(1500, 1500)), 0xFF00FF, 0, 0);
    pStar->m_nAngle = 180;
    doc.m_listElements.AddTail(pStar);
    doc.m_listElements.AddTail(Plain(new CRectangle(CPoint(-4000, 2350), CPoint(6000, 2450)), 0x00FFFF, 0, 0));

    CTempFolder folder;
    const CString strPath = folder.File("largest.bmp");
    const DWORD dwStart = ::GetTickCount();
    ASSERT_TRUE(WriteSidePicture(doc, 1, 6, 0xFFFFFFFF, strPath));
    EXPECT_LT(::GetTickCount() - dwStart, 120000u);

    const struct { double x, y; DWORD clr; const char* pszWhat; } probes[] = {
        { 1250, 1250, 0xFFFF00, "the sun's disc" },
        { 1250 + 1.4 * 1250 * 0.70710678, 1250 + 1.4 * 1250 * 0.70710678, 0x0000FF, "a ray of the sun" },
        { 500, 2490, 0x00FF00, "the ellipse" },
        { 10, 2000, 0x00FF00, "the ellipse at the left edge" },
        { 10, 2200, 0x000000, "the line at the left edge" },
        { 2490, 2200, 0x000000, "the line at the right edge" },
        { 100, 100, 0xFF00FF, "the turned star" },
        { 1250, 2400, 0x00FFFF, "the band" },
        { 10, 2400, 0x00FFFF, "the band at the left edge" },
        { 2450, 600, 0xFFFFFF, "the page" },
    };
    for (const auto& probe : probes)
    {
        DWORD clr = 0;
        ASSERT_TRUE(BmpPixel(strPath, (int)(probe.x * 6), (int)(probe.y * 6), clr)) << probe.pszWhat;
        EXPECT_EQ(probe.clr, clr) << probe.pszWhat;
    }
    ::DeleteFileA(strPath);
}
