// Drawing and previewing values no design needs, within a second and a few hundred
// megabytes: huge designs, far-away shapes, huge pens and curve points; and a fuzz of
// mutated publications through open, draw, preview, save and reopen.

#include "drawing_test_support.h"
#include "resource_watch.h"
#include "test_random.h"

#include "Elements.h"
#include "TemplatePreview.h"
#include "VarnelDoc.h"

#include <stdlib.h>

#include <limits>
#include <memory>

using namespace Gdiplus;

namespace
{
const DWORD kTimeLimitMs = 1000;
const SIZE_T kMemoryLimitMB = 300;

typedef std::vector<BYTE> Bytes;

Bytes SaveToBytes(CVarnelDoc& doc)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
    }
    const UINT nLength = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    Bytes result(pData, pData + nLength);
    free(pData);
    return result;
}

// Reads data into doc; false (and doc as it was) when the reader refused it.
bool LoadFromBytes(CVarnelDoc& doc, const Bytes& data)
{
    Bytes copy(data);
    CMemFile file(copy.empty() ? NULL : copy.data(), (UINT)copy.size());
    try
    {
        CArchive ar(&file, CArchive::load);
        doc.Serialize(ar);
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}

void ExpectWithinLimits(CResourceWatch& watch)
{
    watch.Stop();
    EXPECT_LT(watch.ElapsedMs(), kTimeLimitMs);
    EXPECT_LT(watch.PeakGrowthMB(), kMemoryLimitMB);
}

// A green filled, outlined rectangle.
CRectangle* GreenRectangle(int l, int t, int r, int b)
{
    CRectangle* p = new CRectangle(CPoint(l, t), CPoint(r, b));
    p->m_clrFill = GREEN;
    p->m_nFillKind = 1;
    return p;
}
}

TEST(HostileDrawing, PreviewOfAHugeDesignIsScaledToABoundedPicture)
{
    CElementList list;
    list.AddTail(GreenRectangle(50000, 0, 100000, 50000));
    CResourceWatch watch;
    std::unique_ptr<Bitmap> p(RenderDesignPreview(list, 1, 100000, 50000, NULL, TRUE));
    ExpectWithinLimits(watch);
    DeleteElements(list);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ((UINT)MAX_PREVIEW_SIDE, p->GetWidth());
    EXPECT_EQ((UINT)MAX_PREVIEW_SIDE / 2, p->GetHeight());
    Color c;
    p->GetPixel(MAX_PREVIEW_SIDE * 3 / 4, MAX_PREVIEW_SIDE / 4, &c);
    EXPECT_EQ(GREEN, c.GetValue());      // the right half, scaled
    p->GetPixel(MAX_PREVIEW_SIDE / 4, MAX_PREVIEW_SIDE / 4, &c);
    EXPECT_EQ(WHITE, c.GetValue());
}

TEST(HostileDrawing, DesignsTheProgramMakesKeepOnePixelPerUnit)
{
    CElementList list;
    std::unique_ptr<Bitmap> p(RenderDesignPreview(list, 1, MAX_PREVIEW_SIDE, 300, NULL, TRUE));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ((UINT)MAX_PREVIEW_SIDE, p->GetWidth());
    EXPECT_EQ(300u, p->GetHeight());
}

TEST(HostileDrawing, TemplateWithAHugeDesignSizeIsRefusedBeforeAnyPicture)
{
    // header, no elements, design 262144 x 196608
    Bytes data;
    auto str = [&](const char* s) {
        data.push_back((BYTE)strlen(s));
        data.insert(data.end(), s, s + strlen(s));
    };
    auto i32 = [&](DWORD n) {
        for (int i = 0; i < 4; i++)
            data.push_back((BYTE)(n >> (8 * i)));
    };
    str("Stickwell");
    str("Quorvane");
    str("labf");
    i32(201);
    i32(0);
    data.push_back(0);
    data.push_back(0);
    for (DWORD n : { 0xFFFFFFu, 0xFFFFFFu, 0xC8C8C8u, 6u, 262144u, 196608u, 850u, 1100u, 0u })
        i32(n);
    str("");
    CTempPath file(".labf");
    file.Write(data.data(), data.size());

    CResourceWatch watch;
    CVarnelDoc doc;
    int nCause = -1;
    try
    {
        std::unique_ptr<Bitmap> p(RenderTemplatePreview(doc, file.Path(), NULL));
    }
    catch (CArchiveException* e)
    {
        nCause = e->m_cause;
        e->Delete();
    }
    ExpectWithinLimits(watch);
    EXPECT_EQ(CArchiveException::badIndex, nCause);
}

TEST(HostileDrawing, ShapesFarOutsideAnyDesignAreLeftOut)
{
    CCanvas canvas(200, 200);
    CCircle circle(CPoint(0, 0), CPoint(16777000, 16777000));
    circle.m_nFillKind = 1;
    circle.m_clrFill = GREEN;
    CResourceWatch watch;
    DrawElement(canvas.G(), &circle);
    ExpectWithinLimits(watch);
    EXPECT_EQ(0, canvas.Ink());
}

TEST(HostileDrawing, ShapesAtTheBoundDrawQuicklyWhenScaledDown)
{
    CCanvas canvas(200, 200);
    canvas.G()->SetPageUnit(UnitPixel);
    canvas.G()->SetPageScale(0.1f);
    CCircle circle(CPoint(-100000, -100000), CPoint(100000, 100000));
    circle.m_nFillKind = 1;
    circle.m_clrFill = GREEN;
    circle.m_nLineWidth = 1000;
    CResourceWatch watch;
    DrawElement(canvas.G(), &circle);
    ExpectWithinLimits(watch);
    EXPECT_EQ(GREEN, canvas.At(100, 100));
}

TEST(HostileDrawing, TheLargestDesignIsStillDrawnAtSixHundredDotsPerInch)
{
    CCanvas canvas(100, 100);
    canvas.G()->SetPageUnit(UnitPixel);
    canvas.G()->SetPageScale(6.0f);
    CCircle circle(CPoint(0, 0), CPoint(2500, 2500));
    circle.m_nFillKind = 1;
    circle.m_clrFill = GREEN;
    circle.m_nLineWidth = 0;
    CRectangle rect(CPoint(0, 0), CPoint(2500, 2500));
    rect.m_nFillKind = 1;
    rect.m_clrFill = BLUE;
    rect.m_nLineWidth = 0;
    CResourceWatch watch;
    DrawElement(canvas.G(), &rect);
    EXPECT_EQ(BLUE, canvas.At(2, 2));
    // the circle's centre brought into the canvas
    canvas.G()->TranslateTransform(-1240.0f, -1240.0f);
    DrawElement(canvas.G(), &circle);
    ExpectWithinLimits(watch);
    EXPECT_EQ(GREEN, canvas.At(60, 60));
}

TEST(HostileDrawing, ShapesTooLargeOnTheDeviceAreDrawnClippedAndQuickly)
{
    // Ellipses some 45000 pixels across hang the drawing library: at full size, and when
    // a smaller one is zoomed in. They are drawn clipped: the canvas lies inside the disc,
    // right of its centre, and the sun's rays cross it when it is far enough out.
    struct Case
    {
        int nRadius;
        float fScale;
    } cases[] = { { 100000, 1.0f }, { 50000, 1.0f }, { 20000, 3.0f }, { 4000, 12.0f } };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.nRadius << " at " << c.fScale);
        CCanvas canvas(200, 200);
        canvas.G()->SetPageUnit(UnitPixel);
        canvas.G()->SetPageScale(c.fScale);
        CCircle circle(CPoint(-c.nRadius, -c.nRadius), CPoint(c.nRadius, c.nRadius));
        circle.m_nFillKind = 1;
        circle.m_clrFill = GREEN;
        circle.m_nLineWidth = 1;
        CShapeSun sun(CPoint(-c.nRadius, -c.nRadius), CPoint(c.nRadius, c.nRadius));
        sun.m_nFillKind = 0;
        sun.m_nLineWidth = 1;
        sun.m_clrLine = BLUE;
        CResourceWatch watch;
        DrawElement(canvas.G(), &circle);
        EXPECT_EQ(GREEN, canvas.At(100, 100));
        EXPECT_EQ(GREEN, canvas.At(199, 199));
        // the ray along the x axis, brought into the canvas
        canvas.G()->TranslateTransform((float)(-1.4 * c.nRadius), 100.0f / c.fScale);
        DrawElement(canvas.G(), &sun);
        ExpectWithinLimits(watch);
        EXPECT_GT(canvas.Count(0, 96, 200, 105, BLUE), 150);
        EXPECT_EQ(GREEN, canvas.At(100, 20));
    }
}

TEST(HostileDrawing, HugePensAreLeftOutAndTheLargestWidthDrawsQuickly)
{
    CCanvas canvas(200, 200);
    CRectangle rect(CPoint(20, 20), CPoint(180, 180));
    rect.m_nFillKind = 0;
    rect.m_nLineWidth = 0x6000000;
    rect.m_clrLine = BLUE;
    CResourceWatch watch;
    DrawElement(canvas.G(), &rect);
    rect.m_nLineWidth = 1000000000;
    DrawElement(canvas.G(), &rect);
    ExpectWithinLimits(watch);
    EXPECT_EQ(0, canvas.Ink());

    // The largest width a file may hold, on a shape of the same size.
    CRectangle large(CPoint(0, 0), CPoint(MAX_FILE_LINE_WIDTH, MAX_FILE_LINE_WIDTH));
    large.m_nFillKind = 0;
    large.m_nLineWidth = MAX_FILE_LINE_WIDTH;
    large.m_clrLine = BLUE;
    CResourceWatch watchLargest;
    DrawElement(canvas.G(), &large);
    ExpectWithinLimits(watchLargest);

    rect.m_nLineWidth = 300;
    DrawElement(canvas.G(), &rect);
    EXPECT_EQ(BLUE, canvas.At(100, 20));      // on the outline
    EXPECT_EQ(BLUE, canvas.At(5, 195));       // far outside the shape, within the pen
}

TEST(HostileDrawing, CurvesWithFarAwayOrNonNumberPointsAreLeftOut)
{
    const float values[] = { 1.0e9f, -1.0e9f, std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity() };
    for (float v : values)
    {
        SCOPED_TRACE(v);
        CCanvas canvas(200, 200);
        CClosedCurve curve(CPoint(0, 0), CPoint(100, 100));
        curve.AddPoint(CPoint(10, 10));
        curve.AddPoint(CPoint(150, 20));
        curve.AddPoint(CPoint(90, 150));
        curve.m_pPoints[1].X = v;
        CFreehandLine line(CPoint(0, 0), CPoint(100, 100));
        line.AddPoint(CPoint(10, 10));
        line.AddPoint(CPoint(150, 20));
        line.m_pPoints[0].Y = v;
        CResourceWatch watch;
        for (int i = 0; i < 10; i++)
        {
            DrawElement(canvas.G(), &curve);
            DrawElement(canvas.G(), &line);
        }
        ExpectWithinLimits(watch);
        EXPECT_EQ(0, canvas.Ink());
    }
}

/////////////////////////////////////////////////////////////////////////////
// Fuzz

namespace
{
typedef CTestRandom CRandom;

// A publication with an element of every drawn family.
void BuildRichPublication(CVarnelDoc& doc)
{
    doc.m_nDesignWidth = 400;
    doc.m_nDesignHeight = 250;
    doc.m_listElements.AddTail(GreenRectangle(10, 10, 120, 80));
    doc.m_listElements.AddTail(new CCircle(CPoint(130, 10), CPoint(220, 90)));
    doc.m_listElements.AddTail(new CShapeStar(CPoint(230, 10), CPoint(320, 90)));
    doc.m_listElements.AddTail(new CShapeSun(CPoint(10, 100), CPoint(90, 180)));
    doc.m_listElements.AddTail(new CCalloutBL(CPoint(100, 100), CPoint(200, 160)));
    doc.m_listElements.AddTail(new CLine(CPoint(10, 200), CPoint(300, 210)));
    CClosedCurve* pCurve = new CClosedCurve(CPoint(210, 100), CPoint(300, 190));
    for (int i = 0; i < 6; i++)
        pCurve->AddPoint(CPoint(210 + i * 15, 100 + (i * i * 7) % 90));
    doc.m_listElements.AddTail(pCurve);
    CFreehandLine* pLine = new CFreehandLine(CPoint(310, 100), CPoint(390, 190));
    for (int i = 0; i < 5; i++)
        pLine->AddPoint(CPoint(310 + i * 20, 100 + (i % 2) * 80));
    doc.m_listElements.AddTail(pLine);
    CText* pText = new CText(CPoint(20, 215), CPoint(380, 245));
    pText->m_strText = "Fuzzed label";
    doc.m_listElements.AddTail(pText);
    doc.m_listElements.AddTail(new CBtImage(CPoint(330, 10), CPoint(0, 0),
                                            MakePicture(8, 8, [](int x, int y) -> DWORD {
                                                return (x + y) % 2 ? RED : BLUE;
                                            }),
                                            60, 60));
}

// One mutation of the bytes after the header: a flipped byte, an int or float overwritten
// with a value of the hostile kind, a run of bytes cut out or a truncation.
void Mutate(Bytes& data, CRandom& rnd)
{
    static const DWORD values[] = { 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 262144, 196608,
                                    16777000, 0x6000000, 100000, 100001, 0,
                                    0x7FC00000 /* NaN */, 0x7F800000 /* inf */,
                                    0x4E6E6B28 /* 1e9 */, 0xC7C35000 /* -1e5 */ };
    const size_t nStart = 30;
    if (data.size() <= nStart + 8)
        return;
    const size_t nPos = nStart + rnd.Below((unsigned)(data.size() - nStart - 4));
    switch (rnd.Below(8))
    {
    case 0:
        data[nPos] ^= (BYTE)(1 + rnd.Below(255));
        break;
    case 1:
    case 2:
    case 3:
    case 4:
    {
        const DWORD v = values[rnd.Below(sizeof(values) / sizeof(values[0]))];
        memcpy(&data[nPos], &v, 4);
        break;
    }
    case 5:
    case 6:
        data.erase(data.begin() + nPos, data.begin() + nPos + 1 + rnd.Below(3));
        break;
    default:
        data.resize(nPos);
        break;
    }
}
}

TEST(HostileDrawing, MutatedPublicationsOpenDrawPreviewSaveAndReopenWithinLimits)
{
    CVarnelDoc source;
    BuildRichPublication(source);
    const Bytes original = SaveToBytes(source);
    ASSERT_GT(original.size(), 300u);

    CTempPath file(".labf");
    CRandom rnd(29);
    const int nFiles = 300;
    int nLoaded = 0;
    DWORD dwSlowest = 0;
    CResourceWatch total;
    for (int n = 0; n < nFiles; n++)
    {
        Bytes data = original;
        const unsigned nMutations = 1 + rnd.Below(2);
        for (unsigned i = 0; i < nMutations; i++)
            Mutate(data, rnd);

        CResourceWatch watch;
        {
            CVarnelDoc doc;
            if (LoadFromBytes(doc, data))
            {
                nLoaded++;
                CCanvas canvas(200, 125);
                canvas.G()->ScaleTransform(0.5f, 0.5f);
                for (POSITION pos = doc.m_listElements.GetHeadPosition(); pos != NULL;)
                {
                    doc.m_listElements.GetNext(pos)->DrawGraphics(canvas.G());
                    canvas.G()->ResetTransform();
                    canvas.G()->ScaleTransform(0.5f, 0.5f);
                }
                // the wizard's preview of the file as a template
                file.Write(data.data(), data.size());
                CVarnelDoc scratch;
                std::unique_ptr<Bitmap> p(RenderTemplatePreview(scratch, file.Path(), NULL));
                if (p)
                {
                    EXPECT_LE(p->GetWidth(), (UINT)MAX_PREVIEW_SIDE);
                    EXPECT_LE(p->GetHeight(), (UINT)MAX_PREVIEW_SIDE);
                }
                // what was read is written and read back alike
                const Bytes saved = SaveToBytes(doc);
                CVarnelDoc reopened;
                EXPECT_TRUE(LoadFromBytes(reopened, saved)) << "file " << n;
                EXPECT_TRUE(SaveToBytes(reopened) == saved) << "file " << n;
            }
        }
        watch.Stop();
        if (watch.ElapsedMs() > dwSlowest)
            dwSlowest = watch.ElapsedMs();
        EXPECT_LT(watch.ElapsedMs(), kTimeLimitMs) << "file " << n;
        EXPECT_LT(watch.PeakGrowthMB(), kMemoryLimitMB) << "file " << n;
        if (HasFailure())
            break;
    }
    total.Stop();
    EXPECT_GT(nLoaded, nFiles / 10);        // the mutations leave many files readable
    EXPECT_LT(total.ElapsedMs(), 20000u);
    RecordProperty("slowest_ms", (int)dwSlowest);
    printf("%d of %d mutated files loaded; slowest %lu ms, all %lu ms\n", nLoaded, nFiles,
           (unsigned long)dwSlowest, (unsigned long)total.ElapsedMs());
}
