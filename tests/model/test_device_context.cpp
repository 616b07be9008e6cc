// test_device_context.cpp - drawing through DrawDC and DrawInCellDC on a device context,
// as the design view (zoomed mapping) and the printing code use them.

#include "drawing_test_support.h"

#include "Elements.h"

#include <memory>

namespace
{
std::unique_ptr<CRectangle> MakeRectangle(int left, int top, int right, int bottom)
{
    std::unique_ptr<CRectangle> p(new CRectangle(CPoint(left, top), CPoint(right, bottom)));
    p->m_clrFill = BLUE;
    p->m_nLineWidth = 0;
    return p;
}
}

TEST(DeviceContextDrawing, DrawDCDrawsWhereTheElementLies)
{
    auto p = MakeRectangle(100, 50, 300, 150);
    CDibCanvas canvas(400, 300);
    p->DrawDC(canvas.DC());
    EXPECT_EQ(BLUE, canvas.At(101, 51));
    EXPECT_EQ(BLUE, canvas.At(298, 148));
    EXPECT_EQ(WHITE, canvas.At(99, 100));
    EXPECT_EQ(WHITE, canvas.At(200, 151));
    EXPECT_EQ(200 * 100, canvas.Ink());
}

// The design view maps hundredths of an inch with MM_ANISOTROPIC: at zoom 2 every unit is
// two pixels.
TEST(DeviceContextDrawing, DrawDCFollowsTheViewZoom)
{
    auto p = MakeRectangle(10, 10, 50, 30);
    CDibCanvas canvas(400, 300);
    canvas.SetZoom(400, 200, 2.0f);
    p->DrawDC(canvas.DC());
    EXPECT_EQ(BLUE, canvas.At(21, 21));
    EXPECT_EQ(BLUE, canvas.At(98, 58));
    EXPECT_EQ(WHITE, canvas.At(102, 40));
    EXPECT_EQ(WHITE, canvas.At(60, 62));
    EXPECT_NEAR(80 * 40, canvas.Ink(), 160);
}

TEST(DeviceContextDrawing, DrawInCellDCPlacesTheElementInItsCell)
{
    auto p = MakeRectangle(10, 10, 50, 30);
    CDibCanvas canvas(400, 300);
    // Cell 3, 2 of 100 x 80 cells, margins 0.1 and 0.2, gaps 0.05: 10 + 2 * 105, 20 + 85.
    p->DrawInCellDC(canvas.DC(), 3, 2, 0.1f, 0.2f, 0.05f, 0.05f, 100, 80);
    EXPECT_EQ(BLUE, canvas.At(231, 116));
    EXPECT_EQ(BLUE, canvas.At(269, 134));
    EXPECT_EQ(WHITE, canvas.At(229, 125));
    EXPECT_EQ(40 * 20, canvas.Ink());
}

TEST(DeviceContextDrawing, TextsDrawThroughDrawDCAndDrawInCellDC)
{
    CText text(CPoint(20, 20), CPoint(380, 120));
    text.m_strText = "HHHH";
    text.m_clrText = RED;
    CDibCanvas first(400, 300), second(400, 300);
    text.DrawDC(first.DC());
    EXPECT_GT(first.Ink(), 30);
    text.DrawInCellDC(second.DC(), 1, 2, 0, 0, 0, 0, 0, 100);
    EXPECT_GT(second.Ink(), 30);
    // Moved down by one cell: nothing left at the first place.
    EXPECT_EQ(WHITE, second.At(22, 28));
}

TEST(DeviceContextDrawing, EveryClassDrawsOnADeviceContext)
{
    std::vector<std::unique_ptr<CElement>> all;
    const CPoint a(60, 40), b(340, 200);
    all.emplace_back(new CRectangle(a, b));
    all.emplace_back(new CCircle(a, b));
    all.emplace_back(new CRhombus(a, b));
    all.emplace_back(new CRectRound(a, b));
    all.emplace_back(new CTriangle(a, b));
    all.emplace_back(new CCalloutBL(a, b));
    all.emplace_back(new CCalloutBR(a, b));
    all.emplace_back(new CShapeArrowL(a, b));
    all.emplace_back(new CShapeArrowR(a, b));
    all.emplace_back(new CShapeParallelo(a, b));
    all.emplace_back(new CShapeStar(a, b));
    all.emplace_back(new CShapeExplosion(a, b));
    all.emplace_back(new CShapeMoon(a, b));
    all.emplace_back(new CShapeSun(a, b));
    all.emplace_back(new CLine(a, b));
    CFreehandLine* pFreehand = new CFreehandLine(a, b);
    pFreehand->AddPoint(a);
    pFreehand->AddPoint(b);
    all.emplace_back(pFreehand);
    CClosedCurve* pCurve = new CClosedCurve(a, b);
    pCurve->AddPoint(a);
    pCurve->AddPoint(CPoint(340, 40));
    pCurve->AddPoint(b);
    all.emplace_back(pCurve);
    CText* pText = new CText(a, b);
    pText->m_strText = "Text";
    all.emplace_back(pText);
    CDbText* pDbText = new CDbText(a, b);
    pDbText->m_strText = "<<TextFromDB>>";
    all.emplace_back(pDbText);
    all.emplace_back(new CBtImage(a, b, MakePicture(8, 8, [](int, int) -> DWORD { return RED; }), 850, 1100));
    all.emplace_back(new CBkgImage(MakePicture(8, 8, [](int, int) -> DWORD { return GREEN; }), 400, 300));
    ASSERT_EQ(21u, all.size());
    for (auto& p : all)
    {
        CDibCanvas canvas(400, 300);
        p->DrawDC(canvas.DC());
        EXPECT_GT(canvas.Ink(), 20) << p->GetRuntimeClass()->m_lpszClassName;
    }
}
