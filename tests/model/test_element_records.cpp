// Element records of the publication file: byte-exact writing and reading of every class.

#include "model_test_support.h"
#include "Elements.h"

#include <objidl.h>
#include <gdiplus.h>

#include <string.h>

#include <functional>
#include <memory>

namespace
{
struct ShapeClass
{
    const char* name;
    std::function<CElement*()> make;
    short kind;
};

// The classes whose record is the common record alone.
std::vector<ShapeClass> PlainShapeClasses()
{
    return {
        { "CRectangle", [] { return new CRectangle(CPoint(0, 0), CPoint(5, 5)); }, 102 },
        { "CCircle", [] { return new CCircle(CPoint(0, 0), CPoint(5, 5)); }, 103 },
        { "CRhombus", [] { return new CRhombus(CPoint(0, 0), CPoint(5, 5)); }, 105 },
        { "CRectRound", [] { return new CRectRound(CPoint(0, 0), CPoint(5, 5)); }, 107 },
        { "CTriangle", [] { return new CTriangle(CPoint(0, 0), CPoint(5, 5)); }, 108 },
        { "CCalloutBL", [] { return new CCalloutBL(CPoint(0, 0), CPoint(5, 5)); }, 201 },
        { "CCalloutBR", [] { return new CCalloutBR(CPoint(0, 0), CPoint(5, 5)); }, 202 },
        { "CShapeParallelo", [] { return new CShapeParallelo(CPoint(0, 0), CPoint(5, 5)); }, 205 },
        { "CShapeArrowL", [] { return new CShapeArrowL(CPoint(0, 0), CPoint(5, 5)); }, 206 },
        { "CShapeStar", [] { return new CShapeStar(CPoint(0, 0), CPoint(5, 5)); }, 207 },
        { "CShapeExplosion", [] { return new CShapeExplosion(CPoint(0, 0), CPoint(5, 5)); }, 208 },
        { "CShapeMoon", [] { return new CShapeMoon(CPoint(0, 0), CPoint(5, 5)); }, 209 },
        { "CShapeArrowR", [] { return new CShapeArrowR(CPoint(0, 0), CPoint(5, 5)); }, 210 },
        { "CShapeSun", [] { return new CShapeSun(CPoint(0, 0), CPoint(5, 5)); }, 211 },
    };
}

ByteVec StoreOne(CElement* p)
{
    CElementList list;
    list.AddTail(p);
    return StoreElementList(list);
}

CElement* LoadOne(const ByteVec& data, int nVersion = 201)
{
    CElementList list;
    LoadElementList(data, list, nVersion);
    EXPECT_EQ(1, list.GetCount());
    return list.IsEmpty() ? NULL : list.GetHead();
}
}

/////////////////////////////////////////////////////////////////////////////
// Shapes with the plain common record

TEST(ElementRecords, EveryPlainShapeWritesAndReadsTheCommonRecord)
{
    for (const ShapeClass& cls : PlainShapeClasses())
    {
        SCOPED_TRACE(cls.name);
        std::unique_ptr<CElement> pSource(cls.make());
        SetCommonValues(pSource.get(), 4);

        CBytes expected;
        expected.U16(1).NewClass(cls.name);
        AppendCommonRecord(expected, 4);
        EXPECT_EQ(expected.Data(), StoreOne(pSource.get()));

        std::unique_ptr<CElement> pRead(LoadOne(expected.Data()));
        ASSERT_TRUE(pRead != NULL);
        EXPECT_STREQ(cls.name, pRead->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(cls.kind, pRead->m_nKind);
        ExpectCommonValues(pRead.get(), 4);
    }
}

TEST(ElementRecords, ColoursAreWrittenAsColorRefWithoutAlpha)
{
    CRectangle rect(CPoint(0, 0), CPoint(1, 1));
    rect.m_clrLine = 0x12345678;   // alpha 0x12, red 0x34, green 0x56, blue 0x78
    ByteVec data = StoreOne(&rect);
    const size_t nLine = 2 + 4 + 2 + 10;   // count, tag and schema, name length and name
    ASSERT_GT(data.size(), nLine + 4);
    EXPECT_EQ(0x34, data[nLine]);
    EXPECT_EQ(0x56, data[nLine + 1]);
    EXPECT_EQ(0x78, data[nLine + 2]);
    EXPECT_EQ(0x00, data[nLine + 3]);
}

TEST(ElementRecords, LaterObjectsOfAClassUseTheClassIndex)
{
    CElementListHolder source;
    for (int i = 0; i < 3; i++)
    {
        CElement* p = (i == 1) ? (CElement*)new CLine(CPoint(0, 0), CPoint(1, 1))
                               : (CElement*)new CRectangle(CPoint(0, 0), CPoint(1, 1));
        SetCommonValues(p, i);
        p->m_nLineDirection = 2;
        source.m_list.AddTail(p);
    }

    CBytes expected;
    expected.U16(3);
    expected.NewClass("CRectangle");           // class 1, object 2
    AppendCommonRecord(expected, 0);
    expected.NewClass("CLine");                // class 3, object 4
    AppendCommonRecord(expected, 1);
    expected.I32(2);
    expected.ClassRef(1);                      // object 5
    AppendCommonRecord(expected, 2);
    EXPECT_EQ(expected.Data(), StoreElementList(source.m_list));

    CElementListHolder read;
    LoadElementList(expected.Data(), read.m_list, 201);
    ASSERT_EQ(3, read.m_list.GetCount());
    POSITION pos = read.m_list.GetHeadPosition();
    for (int i = 0; i < 3; i++)
    {
        CElement* p = read.m_list.GetNext(pos);
        EXPECT_EQ(i == 1 ? 101 : 102, p->m_nKind);
        ExpectCommonValues(p, i);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Lines and curves

TEST(ElementRecords, LineAddsItsDirection)
{
    CLine line(CPoint(0, 0), CPoint(1, 1));
    SetCommonValues(&line, 1);
    line.m_nLineDirection = 2;

    CBytes expected;
    expected.U16(1).NewClass("CLine");
    AppendCommonRecord(expected, 1);
    expected.I32(2);
    EXPECT_EQ(expected.Data(), StoreOne(&line));

    std::unique_ptr<CElement> pRead(LoadOne(expected.Data()));
    ASSERT_TRUE(pRead != NULL);
    EXPECT_EQ(2, pRead->m_nLineDirection);
    ExpectCommonValues(pRead.get(), 1);
}

TEST(ElementRecords, CurvesStoreTheirPointsAsFloats)
{
    for (int nClass = 0; nClass < 2; nClass++)
    {
        std::unique_ptr<CElement> pSource;
        const char* name = nClass == 0 ? "CFreehandLine" : "CClosedCurve";
        SCOPED_TRACE(name);
        if (nClass == 0)
            pSource.reset(new CFreehandLine(CPoint(10, 20), CPoint(30, 40)));
        else
            pSource.reset(new CClosedCurve(CPoint(10, 20), CPoint(30, 40)));
        pSource->AddPoint(CPoint(10, 20));
        pSource->AddPoint(CPoint(35, 22));
        pSource->AddPoint(CPoint(-4, 61));
        SetCommonValues(pSource.get(), 2);

        CBytes expected;
        expected.U16(1).NewClass(name);
        AppendCommonRecord(expected, 2);
        expected.I32(3).F32(10).F32(20).F32(35).F32(22).F32(-4).F32(61);
        EXPECT_EQ(expected.Data(), StoreOne(pSource.get()));

        // Fractional coordinates survive reading.
        CBytes file;
        file.U16(1).NewClass(name);
        AppendCommonRecord(file, 2);
        file.I32(2).F32(1.5f).F32(-2.25f).F32(1000.75f).F32(3.0f);
        std::unique_ptr<CElement> pRead(LoadOne(file.Data()));
        ASSERT_TRUE(pRead != NULL);
        ExpectCommonValues(pRead.get(), 2);
        int nCount = 0, nCapacity = 0;
        const Gdiplus::PointF* pts = NULL;
        if (nClass == 0)
        {
            CFreehandLine* p = static_cast<CFreehandLine*>(pRead.get());
            nCount = p->m_nPointCount, nCapacity = p->m_nPointCapacity, pts = p->m_pPoints;
        }
        else
        {
            CClosedCurve* p = static_cast<CClosedCurve*>(pRead.get());
            nCount = p->m_nPointCount, nCapacity = p->m_nPointCapacity, pts = p->m_pPoints;
        }
        ASSERT_EQ(2, nCount);
        EXPECT_EQ(2, nCapacity);
        EXPECT_FLOAT_EQ(1.5f, pts[0].X);
        EXPECT_FLOAT_EQ(-2.25f, pts[0].Y);
        EXPECT_FLOAT_EQ(1000.75f, pts[1].X);
        EXPECT_FLOAT_EQ(3.0f, pts[1].Y);
    }
}

TEST(ElementRecords, CurveWithoutPointsWritesCountZero)
{
    CClosedCurve curve;
    ByteVec data = StoreOne(&curve);
    ASSERT_GE(data.size(), 4u);
    EXPECT_EQ(ByteVec({ 0, 0, 0, 0 }), ByteVec(data.end() - 4, data.end()));

    std::unique_ptr<CElement> pRead(LoadOne(data));
    ASSERT_TRUE(pRead != NULL);
    EXPECT_EQ(0, static_cast<CClosedCurve*>(pRead.get())->m_nPointCount);
    EXPECT_TRUE(static_cast<CClosedCurve*>(pRead.get())->m_pPoints == NULL);
}

/////////////////////////////////////////////////////////////////////////////
// Texts

TEST(ElementRecords, TextsWriteTheTextBlockFirst)
{
    for (int nClass = 0; nClass < 2; nClass++)
    {
        const char* name = nClass == 0 ? "CText" : "CDbText";
        SCOPED_TRACE(name);
        std::unique_ptr<CText> pSource(nClass == 0 ? new CText(CPoint(0, 0), CPoint(9, 9))
                                                   : new CDbText(CPoint(0, 0), CPoint(9, 9)));
        SetTextValues(pSource.get());
        SetCommonValues(pSource.get(), 3);

        CBytes expected;
        expected.U16(1).NewClass(name);
        AppendTextBlock(expected);
        AppendCommonRecord(expected, 3);
        EXPECT_EQ(expected.Data(), StoreOne(pSource.get()));

        std::unique_ptr<CElement> pRead(LoadOne(expected.Data()));
        ASSERT_TRUE(pRead != NULL);
        EXPECT_EQ(nClass == 0 ? 115 : 212, pRead->m_nKind);
        ExpectTextValues(pRead.get(), "3-5");
        ExpectCommonValues(pRead.get(), 3);
    }
}

TEST(ElementRecords, Version200ReadsTheColumnAsANumber)
{
    CBytes file;
    file.U16(1).NewClass("CDbText");
    AppendTextBlock(file, 200);
    AppendCommonRecord(file, 0);
    std::unique_ptr<CElement> pRead(LoadOne(file.Data(), 200));
    ASSERT_TRUE(pRead != NULL);
    ExpectTextValues(pRead.get(), "3");
    ExpectCommonValues(pRead.get(), 0);
}

TEST(ElementRecords, VersionBelow200HasNoColumn)
{
    CBytes file;
    file.U16(1).NewClass("CDbText");
    AppendTextBlock(file, 199);
    AppendCommonRecord(file, 0);
    std::unique_ptr<CElement> pRead(LoadOne(file.Data(), 199));
    ASSERT_TRUE(pRead != NULL);
    ExpectTextValues(pRead.get(), "");
    ExpectCommonValues(pRead.get(), 0);
}

TEST(ElementRecords, VersionAbove201ReadsTheCurrentLayout)
{
    CBytes file;
    file.U16(1).NewClass("CText");
    AppendTextBlock(file, 201);
    AppendCommonRecord(file, 0);
    std::unique_ptr<CElement> pRead(LoadOne(file.Data(), 350));
    ASSERT_TRUE(pRead != NULL);
    ExpectTextValues(pRead.get(), "3-5");
}

TEST(ElementRecords, LongFaceNameIsCutTo31Characters)
{
    const std::string face(40, 'F');
    CBytes file;
    file.U16(1).NewClass("CText");
    file.I32(0).I32(0).Str("t").I32(0).Str("").Rgb(0, 0, 0);
    file.U8(0).U8(0).I32(0).Str(face).I32(12).U8(0).I32(0);
    file.U8(0).U8(0).U8(0).U8(0).U8(0).I32(400).I32(0);
    AppendCommonRecord(file, 0);
    std::unique_ptr<CElement> pRead(LoadOne(file.Data()));
    ASSERT_TRUE(pRead != NULL);
    LOGFONT lf;
    ASSERT_NE(0, pRead->m_font.GetLogFont(&lf));
    EXPECT_EQ(std::string(31, 'F'), std::string(lf.lfFaceName));
}

TEST(ElementRecords, LongTextUsesTheWideLengthPrefixes)
{
    for (size_t n : { (size_t)254, (size_t)255, (size_t)0xFFFD, (size_t)0xFFFE, (size_t)70000 })
    {
        SCOPED_TRACE(n);
        CText text(CPoint(0, 0), CPoint(1, 1));
        text.m_strText = CString('x', (int)n);
        ByteVec data = StoreOne(&text);
        // Count (2), tag and schema (4), name (2 + 5), two alignments (8).
        const size_t at = 2 + 4 + 7 + 8;
        ASSERT_GT(data.size(), at + 7);
        if (n < 255)
            EXPECT_EQ(n, data[at]);
        else if (n < 0xFFFE)
        {
            EXPECT_EQ(0xFF, data[at]);
            EXPECT_EQ(n, (size_t)(data[at + 1] | (data[at + 2] << 8)));
        }
        else
        {
            EXPECT_EQ(ByteVec({ 0xFF, 0xFF, 0xFF }), ByteVec(data.begin() + at, data.begin() + at + 3));
            EXPECT_EQ(n, (size_t)(data[at + 3] | (data[at + 4] << 8) | (data[at + 5] << 16)));
        }
        std::unique_ptr<CElement> pRead(LoadOne(data));
        ASSERT_TRUE(pRead != NULL);
        EXPECT_EQ((int)n, pRead->m_strText.GetLength());
    }
}

/////////////////////////////////////////////////////////////////////////////
// Pictures

TEST(ElementRecords, PicturesStorePixelsAsAlphaRedGreenBlue)
{
    for (int nClass = 0; nClass < 2; nClass++)
    {
        const char* name = nClass == 0 ? "CBtImage" : "CBkgImage";
        SCOPED_TRACE(name);
        std::unique_ptr<CElement> pSource;
        if (nClass == 0)
            pSource.reset(new CBtImage(CPoint(10, 10), CPoint(0, 0), MakeTwoPixelPicture(), 400, 200));
        else
            pSource.reset(new CBkgImage(MakeTwoPixelPicture(), 400, 200));
        SetCommonValues(pSource.get(), 5);

        CBytes expected;
        expected.U16(1).NewClass(name);
        AppendCommonRecord(expected, 5);
        AppendTwoPixelData(expected);
        EXPECT_EQ(expected.Data(), StoreOne(pSource.get()));

        std::unique_ptr<CElement> pRead(LoadOne(expected.Data()));
        ASSERT_TRUE(pRead != NULL);
        ExpectCommonValues(pRead.get(), 5);
        Gdiplus::Bitmap* pBitmap = nClass == 0 ? static_cast<CBtImage*>(pRead.get())->m_pBitmap.get()
                                               : static_cast<CBkgImage*>(pRead.get())->m_pBitmap.get();
        ASSERT_TRUE(pBitmap != NULL);
        EXPECT_EQ(2u, pBitmap->GetWidth());
        EXPECT_EQ(1u, pBitmap->GetHeight());
        Gdiplus::Color c;
        pBitmap->GetPixel(0, 0, &c);
        EXPECT_EQ(0x80102030u, c.GetValue());
        pBitmap->GetPixel(1, 0, &c);
        EXPECT_EQ(0xFFA0B0C0u, c.GetValue());
        if (nClass == 0)
        {
            EXPECT_EQ(2, static_cast<CBtImage*>(pRead.get())->m_nWidth);
            EXPECT_EQ(1, static_cast<CBtImage*>(pRead.get())->m_nHeight);
        }
    }
}

TEST(ElementRecords, PictureWithoutBitmapWritesSizeZero)
{
    CBtImage image;
    image.m_nWidth = 50;    // stale: writing takes the size from the picture
    image.m_nHeight = 60;
    ByteVec data = StoreOne(&image);
    ASSERT_GE(data.size(), 8u);
    EXPECT_EQ(ByteVec(8, 0), ByteVec(data.end() - 8, data.end()));
    EXPECT_EQ(0, image.m_nWidth);
    EXPECT_EQ(0, image.m_nHeight);
}

TEST(ElementRecords, LargePictureRoundTripsEveryPixel)
{
    const int w = 257, h = 131;
    CPicturePtr pPicture(new Gdiplus::Bitmap(w, h, PixelFormat32bppARGB));
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            pPicture->SetPixel(x, y, Gdiplus::Color((BYTE)(255 - x), (BYTE)x, (BYTE)y, (BYTE)(x ^ y)));
    CBkgImage image(pPicture, 400, 200);
    ByteVec data = StoreOne(&image);

    // The pixel block is the last w * h * 4 bytes; spot-check a few by position.
    const size_t start = data.size() - (size_t)w * h * 4;
    auto at = [&](int x, int y) { return data.begin() + start + ((size_t)y * w + x) * 4; };
    EXPECT_EQ(ByteVec({ 255, 0, 0, 0 }), ByteVec(at(0, 0), at(0, 0) + 4));
    EXPECT_EQ(ByteVec({ 0, 255, 130, 255 ^ 130 }), ByteVec(at(255, 130), at(255, 130) + 4));

    std::unique_ptr<CElement> pRead(LoadOne(data));
    ASSERT_TRUE(pRead != NULL);
    Gdiplus::Bitmap* pBitmap = static_cast<CBkgImage*>(pRead.get())->m_pBitmap.get();
    ASSERT_TRUE(pBitmap != NULL);
    int nWrong = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
        {
            Gdiplus::Color c;
            pBitmap->GetPixel(x, y, &c);
            const DWORD expected = ((DWORD)(BYTE)(255 - x) << 24) | ((DWORD)(BYTE)x << 16) |
                                   ((DWORD)(BYTE)y << 8) | (BYTE)(x ^ y);
            if (c.GetValue() != expected)
                nWrong++;
        }
    EXPECT_EQ(0, nWrong);
}

TEST(ElementRecords, PictureSizeZeroReadsWithoutBitmap)
{
    CBytes file;
    file.U16(1).NewClass("CBtImage");
    AppendCommonRecord(file, 0);
    file.I32(0).I32(7);
    std::unique_ptr<CElement> pRead(LoadOne(file.Data()));
    ASSERT_TRUE(pRead != NULL);
    EXPECT_TRUE(static_cast<CBtImage*>(pRead.get())->m_pBitmap == NULL);
    EXPECT_EQ(7, static_cast<CBtImage*>(pRead.get())->m_nHeight);
}

/////////////////////////////////////////////////////////////////////////////
// Clipboard stream

TEST(ElementRecords, ClipboardStreamReadsTextColumnsInTheCurrentLayout)
{
    // An old file read first must not change how the clipboard is read.
    {
        CBytes old;
        old.U16(1).NewClass("CDbText");
        AppendTextBlock(old, 199);
        AppendCommonRecord(old, 0);
        std::unique_ptr<CElement> pOld(LoadOne(old.Data(), 199));
        ASSERT_TRUE(pOld != NULL);
    }

    CDbText text(CPoint(0, 0), CPoint(9, 9));
    SetTextValues(&text);
    CElementListHolder copied;
    copied.m_list.AddTail(text.Clone());

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        SerializeClipboardElements(ar, copied.m_list);
        ar.Close();
    }
    file.SeekToBegin();
    CElementListHolder pasted;
    {
        CArchive ar(&file, CArchive::load);
        SerializeClipboardElements(ar, pasted.m_list);
    }
    ASSERT_EQ(1, pasted.m_list.GetCount());
    ExpectTextValues(pasted.m_list.GetHead(), "3-5");
}

TEST(ElementRecords, LayoutScopeBelongsToItsArchive)
{
    CMemFile f1, f2;
    CArchive a1(&f1, CArchive::store), a2(&f2, CArchive::store);
    {
        CElementLayoutScope scope(a1, 199);
        EXPECT_EQ(199, CElementLayoutScope::GetVersion(a1));
        EXPECT_EQ(201, CElementLayoutScope::GetVersion(a2));
    }
    EXPECT_EQ(201, CElementLayoutScope::GetVersion(a1));
    a1.Abort();
    a2.Abort();
}
