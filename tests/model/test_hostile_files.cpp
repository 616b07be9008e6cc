// Hostile publication files: truncation at every byte, absurd sizes, unknown classes and
// object references. Each must fail with an error, leak nothing and leave the document
// as it was.

#include "doc_test_support.h"
#include "Elements.h"

#include <objidl.h>
#include <gdiplus.h>

namespace
{
// A publication with every kind of record: text block, curve points, line extra,
// picture pixels, repeated classes and a description.
ByteVec RealFile()
{
    CVarnelDoc doc;
    CText* pText = new CText(CPoint(10, 10), CPoint(200, 60));
    SetTextValues(pText);
    doc.m_listElements.AddTail(pText);
    CElement* pCurve = new CClosedCurve(CPoint(0, 0), CPoint(1, 1));
    for (int i = 0; i < 5; i++)
        pCurve->AddPoint(CPoint(i * 10, i * i));
    doc.m_listElements.AddTail(pCurve);
    doc.m_listElements.AddTail(new CLine(CPoint(5, 5), CPoint(50, 8)));
    doc.m_listElements.AddTail(new CBtImage(CPoint(10, 10), CPoint(0, 0), MakeTwoPixelPicture(), 400, 200));
    doc.m_listElements.AddTail(new CRectangle(CPoint(1, 2), CPoint(3, 4)));
    doc.m_listElements.AddTail(new CRectangle(CPoint(5, 6), CPoint(7, 8)));
    CDbText* pDb = new CDbText(CPoint(0, 0), CPoint(90, 20));
    pDb->m_strColumn = "1-2";
    doc.m_listElements.AddTail(pDb);
    doc.m_strDataSource = "type=delimitedtext::file=C:\\a.csv::delimiter=,::hascolnames=yes";
    return SaveDocument(doc);
}

// A document holding one element and non-default fields, to see that nothing changes.
void PrepareTarget(CVarnelDoc& doc)
{
    doc.m_listElements.AddTail(new CCircle(CPoint(1, 1), CPoint(9, 9)));
    doc.m_nDesignWidth = 123;
    doc.m_nSheetWidth = 456;
    doc.m_nPublicationType = 4;
    doc.m_strDataSource = "keep";
    doc.m_clrShadow = 0xFF010203;
}

void ExpectTargetUnchanged(CVarnelDoc& doc)
{
    ASSERT_EQ(1, ElementCount(doc));
    EXPECT_STREQ("CCircle", ElementAt(doc, 0)->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(123, doc.m_nDesignWidth);
    EXPECT_EQ(456, doc.m_nSheetWidth);
    EXPECT_EQ(4, doc.m_nPublicationType);
    EXPECT_STREQ("keep", doc.m_strDataSource);
    EXPECT_EQ(0xFF010203u, doc.m_clrShadow);
}

// Loads data into a prepared document: it must fail with an archive error and leave the
// document and the number of live elements unchanged.
void ExpectRejected(const ByteVec& data, int nExpectedCause = -100)
{
    const long nLiveBefore = CElement::GetLiveCount();
    {
        CVarnelDoc doc;
        PrepareTarget(doc);
        const int nCause = LoadDocumentFailure(doc, data);
        EXPECT_GE(nCause, 0) << "the load did not fail with an archive error";
        if (nExpectedCause != -100)
        {
            EXPECT_EQ(nExpectedCause, nCause);
        }
        ExpectTargetUnchanged(doc);
    }
    EXPECT_EQ(nLiveBefore, CElement::GetLiveCount());
}

// Header and a one-element list up to the start of the element's record.
CBytes StartOneElement(const std::string& name)
{
    CBytes b;
    AppendHeader(b);
    b.U16(1).NewClass(name);
    return b;
}
}

TEST(HostileFiles, EveryTruncationOfARealFileIsAnError)
{
    const ByteVec full = RealFile();
    ASSERT_GT(full.size(), 400u);
    {
        CVarnelDoc doc;
        ASSERT_EQ(-1, LoadDocumentFailure(doc, full));
        ASSERT_EQ(7, ElementCount(doc));
    }
    const long nLiveBefore = CElement::GetLiveCount();
    int nAccepted = 0;
    for (size_t n = 0; n < full.size(); n++)
    {
        ByteVec cut(full.begin(), full.begin() + n);
        CVarnelDoc doc;
        PrepareTarget(doc);
        const int nCause = LoadDocumentFailure(doc, cut);
        if (nCause < 0)
        {
            ADD_FAILURE() << "truncated at " << n << " gave " << nCause;
            nAccepted++;
            if (nAccepted > 3)
                break;
            continue;
        }
        EXPECT_EQ(1, ElementCount(doc)) << n;
        EXPECT_EQ(123, doc.m_nDesignWidth) << n;
        EXPECT_STREQ("keep", doc.m_strDataSource) << n;
    }
    EXPECT_EQ(nLiveBefore, CElement::GetLiveCount());
}

TEST(HostileFiles, AbsurdPictureSizes)
{
    const int sizes[][2] = { { 100000, 1 }, { 1, 100000 }, { -1, 5 }, { 5, -1 },
                             { 30000, 30000 }, { 0x7FFFFFFF, 0x7FFFFFFF } };
    for (const auto& s : sizes)
    {
        SCOPED_TRACE(testing::Message() << s[0] << " x " << s[1]);
        CBytes b = StartOneElement("CBtImage");
        AppendCommonRecord(b, 0);
        b.I32(s[0]).I32(s[1]);
        b.Raw(ByteVec(64, 0xFF));
        AppendFields(b, DocFields());
        ExpectRejected(b.Data());
    }
}

TEST(HostileFiles, PictureLongerThanTheFile)
{
    CBytes b = StartOneElement("CBkgImage");
    AppendCommonRecord(b, 0);
    b.I32(2000).I32(2000);              // claims 16 MB of pixels
    b.Raw(ByteVec(100, 0x11));
    ExpectRejected(b.Data(), CArchiveException::endOfFile);
}

TEST(HostileFiles, AbsurdPointCounts)
{
    for (int n : { -1, 0x7FFFFFFF, 0x10000000, 1000 })
    {
        SCOPED_TRACE(n);
        CBytes b = StartOneElement("CFreehandLine");
        AppendCommonRecord(b, 0);
        b.I32(n).F32(1).F32(2);
        AppendFields(b, DocFields());
        ExpectRejected(b.Data());
    }
}

TEST(HostileFiles, AbsurdStringLengths)
{
    // Text of 0xFFFFFFF0 characters in a short file.
    {
        CBytes b = StartOneElement("CText");
        b.I32(0).I32(0).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFF0);
        b.Raw(ByteVec(200, 'a'));
        ExpectRejected(b.Data());
    }
    // Face name longer than the rest of the file.
    {
        CBytes b = StartOneElement("CText");
        b.I32(0).I32(0).Str("t").I32(0).Str("").Rgb(0, 0, 0);
        b.U8(0).U8(0).I32(0).U8(0xFF).U16(5000).Raw(ByteVec(100, 'F'));
        ExpectRejected(b.Data(), CArchiveException::endOfFile);
    }
    // Description claiming 0xFFFE characters through the wide-character marker.
    {
        CBytes b;
        AppendHeader(b);
        b.U16(0);
        b.Rgb(0, 0, 0).Rgb(0, 0, 0).Rgb(0, 0, 0).I32(6).I32(400).I32(200).I32(850).I32(1100).I32(0);
        b.U8(0xFF).U16(0xFFFE).U8(4).Raw(ByteVec(8, 'x'));
        ExpectRejected(b.Data());
    }
}

TEST(HostileFiles, AbsurdElementCount)
{
    CBytes b;
    AppendHeader(b);
    b.U16(0xFFFF).U32(0x7FFFFFFF);
    b.NewClass("CRectangle");
    AppendCommonRecord(b, 0);
    ExpectRejected(b.Data());
}

TEST(HostileFiles, UnknownAndNonElementClasses)
{
    for (const char* name : { "CHexagon", "CObList", "CStringArray", "CVarnelDoc", "" })
    {
        SCOPED_TRACE(name);
        CBytes b = StartOneElement(name);
        AppendCommonRecord(b, 0);
        AppendFields(b, DocFields());
        ExpectRejected(b.Data());
    }
}

TEST(HostileFiles, SchemaOtherThanZero)
{
    CBytes b;
    AppendHeader(b);
    b.U16(1).U16(0xFFFF).U16(1).U16(10);
    for (char c : std::string("CRectangle"))
        b.U8((BYTE)c);
    AppendCommonRecord(b, 0);
    AppendFields(b, DocFields());
    ExpectRejected(b.Data(), CArchiveException::badSchema);
}

TEST(HostileFiles, NullObjectInTheList)
{
    CBytes b;
    AppendHeader(b);
    b.U16(2).NewClass("CRectangle");
    AppendCommonRecord(b, 0);
    b.U16(0);                               // null object
    AppendFields(b, DocFields());
    ExpectRejected(b.Data());
}

TEST(HostileFiles, BackReferenceToAnElementAlreadyRead)
{
    CBytes b;
    AppendHeader(b);
    b.U16(3).NewClass("CRectangle");       // class 1, object 2
    AppendCommonRecord(b, 0);
    b.ClassRef(1);                          // object 3
    AppendCommonRecord(b, 1);
    b.U16(2);                               // the first rectangle again
    AppendFields(b, DocFields());
    ExpectRejected(b.Data());
}

TEST(HostileFiles, ReferencesToClassesAsObjectsAndToMissingIndexes)
{
    const WORD tags[] = { 1, 0x8002, 0x8005, 7 };
    for (WORD tag : tags)
    {
        SCOPED_TRACE(tag);
        CBytes b;
        AppendHeader(b);
        b.U16(2).NewClass("CRectangle");
        AppendCommonRecord(b, 0);
        b.U16(tag);
        AppendCommonRecord(b, 1);
        AppendFields(b, DocFields());
        ExpectRejected(b.Data());
    }
}

TEST(HostileFiles, FailureInsideALaterElementFreesTheEarlierOnes)
{
    CBytes b;
    AppendHeader(b);
    b.U16(3);
    b.NewClass("CText");
    AppendTextBlock(b);
    AppendCommonRecord(b, 0);
    b.NewClass("CClosedCurve");
    AppendCommonRecord(b, 0);
    b.I32(2).F32(1).F32(2).F32(3).F32(4);
    b.NewClass("CBtImage");
    AppendCommonRecord(b, 0);
    b.I32(-5).I32(2);
    ExpectRejected(b.Data());
}
