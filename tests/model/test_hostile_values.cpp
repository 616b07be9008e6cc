// Hand-made publications with values no program-made file holds: absurd design sizes,
// coordinates, line widths, font sizes and curve points. Each is refused as a format
// error, while the largest values a file may hold still load.

#include "doc_test_support.h"
#include "Elements.h"

#include <objidl.h>
#include <gdiplus.h>

#include <limits>

namespace
{
// Loads data into a fresh document and returns the archive cause (-1 when it loaded).
int LoadCause(const ByteVec& data)
{
    const long nLiveBefore = CElement::GetLiveCount();
    int nCause = 0;
    {
        CVarnelDoc doc;
        nCause = LoadDocumentFailure(doc, data);
        if (nCause != -1)
        {
            EXPECT_EQ(0, ElementCount(doc));
        }
    }
    EXPECT_EQ(nLiveBefore, CElement::GetLiveCount());
    return nCause;
}

// Common record with a given rectangle and line width.
void AppendRecord(CBytes& b, int l, int t, int r, int bottom, int nLineWidth)
{
    b.Rgb(0, 0, 0).Rgb(255, 255, 255).Rgb(255, 0, 0);
    b.I32(0).I32(l).I32(t).I32(r).I32(bottom);
    b.I32(0).I32(nLineWidth).I32(0).I32(1).I32(0).I32(0).I32(1);
}

// A publication holding one circle.
ByteVec OneCircle(int l, int t, int r, int bottom, int nLineWidth)
{
    CBytes b;
    AppendHeader(b);
    b.U16(1).NewClass("CCircle");
    AppendRecord(b, l, t, r, bottom, nLineWidth);
    AppendFields(b, DocFields());
    return b.Data();
}

// A publication holding one curve of the class with the given points.
ByteVec OneCurve(const char* pszClass, const std::vector<float>& coords)
{
    CBytes b;
    AppendHeader(b);
    b.U16(1).NewClass(pszClass);
    AppendRecord(b, 0, 0, 100, 100, 1);
    b.I32((int)coords.size() / 2);
    for (float f : coords)
        b.F32(f);
    AppendFields(b, DocFields());
    return b.Data();
}

// A publication holding one text whose font has the given height and width.
ByteVec OneText(int nFontHeight, int nFontWidth)
{
    CBytes b;
    AppendHeader(b);
    b.U16(1).NewClass("CText");
    b.I32(0).I32(0).Str("text").I32(0).Str("").Rgb(0, 0, 0);
    b.U8(0).U8(0).I32(0).Str("Arial").I32(nFontHeight);
    b.U8(0).I32(0).U8(0).U8(0).U8(0).U8(0).U8(0).I32(400).I32(nFontWidth);
    AppendRecord(b, 10, 10, 200, 60, 0);
    AppendFields(b, DocFields());
    return b.Data();
}

ByteVec NoElements(const DocFields& fields)
{
    CBytes b;
    AppendHeader(b);
    b.U16(0);
    AppendFields(b, fields);
    return b.Data();
}
}

TEST(HostileValues, HugeDesignSizeOfATemplateIsRefused)
{
    DocFields fields;
    fields.nDesignWidth = 262144;
    fields.nDesignHeight = 196608;
    const ByteVec data = NoElements(fields);
    EXPECT_LT(data.size(), 150u);
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(data));

    for (int n : { 0x7FFFFFFF, -0x7FFFFFFF - 1, 100001, -100001 })
    {
        SCOPED_TRACE(n);
        DocFields f;
        f.nSheetHeight = n;
        EXPECT_EQ(CArchiveException::badIndex, LoadCause(NoElements(f)));
        DocFields g;
        g.nShadowLength = n;
        EXPECT_EQ(CArchiveException::badIndex, LoadCause(NoElements(g)));
    }
}

TEST(HostileValues, CoordinatesFarOutsideAnyDesignAreRefused)
{
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(OneCircle(0, 0, 16777000, 16777000, 1)));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(OneCircle(-16777000, 0, 10, 10, 1)));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(OneCircle(0, 0, 10, 100001, 1)));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(OneCircle(0, 0x80000000, 10, 10, 1)));
}

TEST(HostileValues, HugeLineWidthsAreRefused)
{
    for (int n : { 0x6000000, 1000000000, 1001, -0x6000000 })
    {
        SCOPED_TRACE(n);
        EXPECT_EQ(CArchiveException::badIndex, LoadCause(OneCircle(0, 0, 100, 100, n)));
    }
}

TEST(HostileValues, CurvePointsThatAreNoNumberOrFarAwayAreRefused)
{
    const float values[] = { std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(), 1.0e9f, -1.0e9f, 100001.0f };
    for (const char* pszClass : { "CClosedCurve", "CFreehandLine" })
    {
        for (float v : values)
        {
            SCOPED_TRACE(testing::Message() << pszClass << " " << v);
            EXPECT_EQ(CArchiveException::badIndex, LoadCause(OneCurve(pszClass, { 1, 2, v, 3, 4, 5 })));
            EXPECT_EQ(CArchiveException::badIndex, LoadCause(OneCurve(pszClass, { 1, 2, 3, 4, 5, v })));
        }
    }
}

TEST(HostileValues, HugeFontSizesAreRefused)
{
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(OneText(0x7FFFFFFF, 0)));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(OneText(-20000, 0)));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(OneText(12, 1000000)));
    EXPECT_EQ(-1, LoadCause(OneText(-10000, 10000)));
}

TEST(HostileValues, TheLargestValuesAFileMayHoldStillLoad)
{
    {
        CVarnelDoc doc;
        ASSERT_EQ(-1, LoadDocumentFailure(doc, OneCircle(-100000, -100000, 100000, 100000, 1000)));
        ASSERT_EQ(1, ElementCount(doc));
        EXPECT_EQ(CRect(-100000, -100000, 100000, 100000), ElementAt(doc, 0)->m_rect);
        EXPECT_EQ(1000, ElementAt(doc, 0)->m_nLineWidth);
    }
    {
        CVarnelDoc doc;
        ASSERT_EQ(-1, LoadDocumentFailure(doc, OneCurve("CClosedCurve", { -100000, 100000, 0.5f, 7 })));
        CClosedCurve* pCurve = static_cast<CClosedCurve*>(ElementAt(doc, 0));
        ASSERT_EQ(2, pCurve->m_nPointCount);
        EXPECT_EQ(-100000.0f, pCurve->m_pPoints[0].X);
    }
    {
        DocFields fields;
        fields.nDesignWidth = 100000;
        fields.nDesignHeight = 0;
        fields.nShadowLength = -100000;
        CVarnelDoc doc;
        ASSERT_EQ(-1, LoadDocumentFailure(doc, NoElements(fields)));
        EXPECT_EQ(100000, doc.m_nDesignWidth);
        EXPECT_EQ(-100000, doc.m_nShadowLength);
    }
}

TEST(HostileValues, TheWriterStoresAbsurdValuesAtTheBoundsSoTheFileReadsBack)
{
    CVarnelDoc doc;
    doc.m_nDesignWidth = 262144;
    doc.m_nShadowLength = -0x7FFFFFFF;
    CCircle* pCircle = new CCircle(CPoint(-16777000, 0), CPoint(16777000, 50));
    pCircle->m_nLineWidth = 0x6000000;
    doc.m_listElements.AddTail(pCircle);
    CClosedCurve* pCurve = new CClosedCurve(CPoint(0, 0), CPoint(10, 10));
    pCurve->AddPoint(CPoint(1, 2));
    pCurve->AddPoint(CPoint(3, 4));
    pCurve->m_pPoints[0].X = std::numeric_limits<float>::quiet_NaN();
    pCurve->m_pPoints[1].Y = 1.0e9f;
    doc.m_listElements.AddTail(pCurve);

    CVarnelDoc reopened;
    ASSERT_EQ(-1, LoadDocumentFailure(reopened, SaveDocument(doc)));
    EXPECT_EQ(MAX_FILE_COORDINATE, reopened.m_nDesignWidth);
    EXPECT_EQ(-MAX_FILE_COORDINATE, reopened.m_nShadowLength);
    ASSERT_EQ(2, ElementCount(reopened));
    EXPECT_EQ(CRect(-MAX_FILE_COORDINATE, 0, MAX_FILE_COORDINATE, 50), ElementAt(reopened, 0)->m_rect);
    EXPECT_EQ(MAX_FILE_LINE_WIDTH, ElementAt(reopened, 0)->m_nLineWidth);
    CClosedCurve* pRead = static_cast<CClosedCurve*>(ElementAt(reopened, 1));
    ASSERT_EQ(2, pRead->m_nPointCount);
    EXPECT_EQ(0.0f, pRead->m_pPoints[0].X);
    EXPECT_EQ(2.0f, pRead->m_pPoints[0].Y);
    EXPECT_EQ((float)MAX_FILE_COORDINATE, pRead->m_pPoints[1].Y);
}
