// Whole publication files: byte-exact writing and reading, versions, tags and the
// steps after loading.

#include "doc_test_support.h"
#include "test_support.h"
#include "Elements.h"

#include "afxwin.h"

#include <objidl.h>
#include <gdiplus.h>

#include <functional>
#include <memory>

namespace
{
// One element of every class with non-default values, and its record after the class tag.
struct ClassCase
{
    std::string name;
    short kind;
    std::function<CElement*()> make;
    std::function<void(CBytes&)> record;
};

template <class T>
CElement* MakeShape()
{
    CElement* p = new T(CPoint(0, 0), CPoint(10, 10));
    SetCommonValues(p, 1);
    return p;
}

std::vector<ClassCase> EveryClass()
{
    auto common = [](CBytes& b) { AppendCommonRecord(b, 1); };
    std::vector<ClassCase> cases = {
        { "CRectangle", 102, MakeShape<CRectangle>, common },
        { "CCircle", 103, MakeShape<CCircle>, common },
        { "CRhombus", 105, MakeShape<CRhombus>, common },
        { "CRectRound", 107, MakeShape<CRectRound>, common },
        { "CTriangle", 108, MakeShape<CTriangle>, common },
        { "CCalloutBL", 201, MakeShape<CCalloutBL>, common },
        { "CCalloutBR", 202, MakeShape<CCalloutBR>, common },
        { "CShapeParallelo", 205, MakeShape<CShapeParallelo>, common },
        { "CShapeArrowL", 206, MakeShape<CShapeArrowL>, common },
        { "CShapeStar", 207, MakeShape<CShapeStar>, common },
        { "CShapeExplosion", 208, MakeShape<CShapeExplosion>, common },
        { "CShapeMoon", 209, MakeShape<CShapeMoon>, common },
        { "CShapeArrowR", 210, MakeShape<CShapeArrowR>, common },
        { "CShapeSun", 211, MakeShape<CShapeSun>, common },
        { "CLine", 101,
          [] { CElement* p = MakeShape<CLine>(); p->m_nLineDirection = 0; return p; },
          [](CBytes& b) { AppendCommonRecord(b, 1); b.I32(0); } },
        { "CFreehandLine", 114,
          [] {
              CElement* p = new CFreehandLine(CPoint(0, 0), CPoint(1, 1));
              p->AddPoint(CPoint(5, 6));
              p->AddPoint(CPoint(-7, 8));
              SetCommonValues(p, 1);
              return p;
          },
          [](CBytes& b) { AppendCommonRecord(b, 1); b.I32(2).F32(5).F32(6).F32(-7).F32(8); } },
        { "CClosedCurve", 120,
          [] {
              CElement* p = new CClosedCurve(CPoint(0, 0), CPoint(1, 1));
              p->AddPoint(CPoint(1, 2));
              p->AddPoint(CPoint(3, 4));
              p->AddPoint(CPoint(1, 2));
              SetCommonValues(p, 1);
              return p;
          },
          [](CBytes& b) { AppendCommonRecord(b, 1); b.I32(3).F32(1).F32(2).F32(3).F32(4).F32(1).F32(2); } },
        { "CText", 115,
          [] {
              CText* p = new CText(CPoint(0, 0), CPoint(1, 1));
              SetTextValues(p);
              SetCommonValues(p, 1);
              return (CElement*)p;
          },
          [](CBytes& b) { AppendTextBlock(b); AppendCommonRecord(b, 1); } },
        { "CDbText", 212,
          [] {
              CText* p = new CDbText(CPoint(0, 0), CPoint(1, 1));
              SetTextValues(p);
              SetCommonValues(p, 1);
              return (CElement*)p;
          },
          [](CBytes& b) { AppendTextBlock(b); AppendCommonRecord(b, 1); } },
        { "CBtImage", 116,
          [] {
              CElement* p = new CBtImage(CPoint(10, 10), CPoint(0, 0), MakeTwoPixelPicture(), 400, 200);
              SetCommonValues(p, 1);
              return p;
          },
          [](CBytes& b) { AppendCommonRecord(b, 1); AppendTwoPixelData(b); } },
        { "CBkgImage", 121,
          [] {
              CElement* p = new CBkgImage(MakeTwoPixelPicture(), 400, 200);
              SetCommonValues(p, 1);
              return p;
          },
          [](CBytes& b) { AppendCommonRecord(b, 1); AppendTwoPixelData(b); } },
    };
    return cases;
}

DocFields NonDefaultFields()
{
    DocFields f;
    f.front[0] = 0x10, f.front[1] = 0x20, f.front[2] = 0x30;
    f.back[0] = 0x40, f.back[1] = 0x50, f.back[2] = 0x60;
    f.shadow[0] = 0x70, f.shadow[1] = 0x80, f.shadow[2] = 0x90;
    f.nShadowLength = 9;
    f.nDesignWidth = 350;
    f.nDesignHeight = 200;
    f.nSheetWidth = 827;
    f.nSheetHeight = 1169;
    f.nType = 3;
    f.description = "type=delimitedtext::file=C:\\data\\names.csv::delimiter=,::hascolnames=yes";
    return f;
}

void SetNonDefaultFields(CVarnelDoc& doc)
{
    doc.m_clrBackgroundFront = 0xFF102030;
    doc.m_clrBackgroundBack = 0x7F405060;       // alpha is not stored
    doc.m_clrShadow = 0xFF708090;
    doc.m_nShadowLength = 9;
    doc.m_nDesignWidth = 350;
    doc.m_nDesignHeight = 200;
    doc.m_nSheetWidth = 827;
    doc.m_nSheetHeight = 1169;
    doc.m_nPublicationType = 3;
    doc.m_strDataSource = NonDefaultFields().description.c_str();
}
}

/////////////////////////////////////////////////////////////////////////////
// Writing

TEST(PublicationFile, EmptyPublicationIs71Bytes)
{
    CVarnelDoc doc;
    CBytes expected;
    AppendHeader(expected);
    expected.U16(0);
    AppendFields(expected, DocFields());
    ASSERT_EQ(71u, expected.Size());
    EXPECT_EQ(expected.Data(), SaveDocument(doc));
}

TEST(PublicationFile, DocumentFieldsAreWrittenInOrder)
{
    CVarnelDoc doc;
    SetNonDefaultFields(doc);
    CBytes expected;
    AppendHeader(expected, "labf", 201, 3);
    expected.U16(0);
    AppendFields(expected, NonDefaultFields());
    EXPECT_EQ(expected.Data(), SaveDocument(doc));
}

TEST(PublicationFile, OneElementOfEveryClassIsWrittenByteForByte)
{
    CVarnelDoc doc;
    SetNonDefaultFields(doc);
    std::vector<ClassCase> cases = EveryClass();
    CBytes expected;
    AppendHeader(expected, "labf", 201, 3);
    expected.U16((WORD)(cases.size() + 1));
    for (const ClassCase& c : cases)
    {
        doc.m_listElements.AddTail(c.make());
        expected.NewClass(c.name);
        c.record(expected);
    }
    // A second rectangle refers to the first class by its index (1).
    doc.m_listElements.AddTail(MakeShape<CRectangle>());
    expected.ClassRef(1);
    AppendCommonRecord(expected, 1);
    AppendFields(expected, NonDefaultFields());

    EXPECT_EQ(expected.Data(), SaveDocument(doc));
}

/////////////////////////////////////////////////////////////////////////////
// Reading

TEST(PublicationFile, OneElementOfEveryClassIsReadWithKindsAndShadows)
{
    std::vector<ClassCase> cases = EveryClass();
    CBytes file;
    AppendHeader(file, "labf", 201, 5);
    file.U16((WORD)cases.size());
    for (const ClassCase& c : cases)
    {
        file.NewClass(c.name);
        c.record(file);
    }
    DocFields fields = NonDefaultFields();
    AppendFields(file, fields);

    CVarnelDoc doc;
    LoadDocument(doc, file.Data());
    ASSERT_EQ((int)cases.size(), ElementCount(doc));
    for (size_t i = 0; i < cases.size(); i++)
    {
        SCOPED_TRACE(cases[i].name);
        CElement* p = ElementAt(doc, (int)i);
        EXPECT_STREQ(cases[i].name.c_str(), p->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(cases[i].kind, p->m_nKind);
        ExpectCommonValues(p, 1);
        EXPECT_EQ(9, p->m_nShadowLength);
        EXPECT_EQ(0xFF708090u, p->m_clrShadow);
        EXPECT_FALSE(p->m_bLocked);
    }
    ExpectTextValues(ElementAt(doc, 17), "3-5");
    EXPECT_EQ(0, ElementAt(doc, 14)->m_nLineDirection);

    EXPECT_EQ(0xFF102030u, doc.m_clrBackgroundFront);
    EXPECT_EQ(0xFF405060u, doc.m_clrBackgroundBack);
    EXPECT_EQ(0xFF708090u, doc.m_clrShadow);
    EXPECT_EQ(9, doc.m_nShadowLength);
    EXPECT_EQ(350, doc.m_nDesignWidth);
    EXPECT_EQ(200, doc.m_nDesignHeight);
    EXPECT_EQ(827, doc.m_nSheetWidth);
    EXPECT_EQ(1169, doc.m_nSheetHeight);
    EXPECT_EQ(3, doc.m_nPublicationType);     // field 15 wins over field 5
    EXPECT_STREQ(fields.description.c_str(), doc.m_strDataSource);
}

TEST(PublicationFile, WrittenFileReadsBackTheSameDesign)
{
    CVarnelDoc source;
    SetNonDefaultFields(source);
    for (const ClassCase& c : EveryClass())
        source.m_listElements.AddTail(c.make());
    ElementAt(source, 3)->m_bLocked = TRUE;
    ByteVec data = SaveDocument(source);

    CVarnelDoc copy;
    LoadDocument(copy, data);
    ASSERT_EQ(ElementCount(source), ElementCount(copy));
    for (int i = 0; i < ElementCount(source); i++)
    {
        CElement* a = ElementAt(source, i);
        CElement* b = ElementAt(copy, i);
        EXPECT_STREQ(a->GetRuntimeClass()->m_lpszClassName, b->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(a->m_rect, b->m_rect);
        EXPECT_EQ(a->m_clrLine | 0xFF000000, b->m_clrLine);
        EXPECT_EQ(a->m_clrFill | 0xFF000000, b->m_clrFill);
        EXPECT_EQ(a->m_nReserved, b->m_nReserved);
        EXPECT_FALSE(b->m_bLocked);      // locks are not stored
    }
    // Saving the copy gives the same bytes again.
    EXPECT_EQ(data, SaveDocument(copy));
}

TEST(PublicationFile, RoundTripThroughAFileOnDisk)
{
    CTempFile temp;
    {
        CVarnelDoc doc;
        doc.m_listElements.AddTail(new CShapeStar(CPoint(10, 20), CPoint(110, 120)));
        doc.m_nDesignWidth = 500;
        CFile file(temp.Path(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
        file.Close();
    }
    CVarnelDoc doc;
    CFile file(temp.Path(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    doc.Serialize(ar);
    ASSERT_EQ(1, ElementCount(doc));
    EXPECT_EQ(CRect(10, 20, 110, 120), ElementAt(doc, 0)->m_rect);
    EXPECT_EQ(207, ElementAt(doc, 0)->m_nKind);
    EXPECT_EQ(500, doc.m_nDesignWidth);
}

/////////////////////////////////////////////////////////////////////////////
// Versions

TEST(PublicationFile, Version199HasNoSheetDescriptionOrColumns)
{
    CBytes file;
    AppendHeader(file, "labf", 199, 1);
    file.U16(1).NewClass("CDbText");
    AppendTextBlock(file, 199);
    AppendCommonRecord(file, 0);
    DocFields fields = NonDefaultFields();
    AppendFields(file, fields, 199);

    CVarnelDoc doc;
    doc.m_nSheetWidth = 900;
    doc.m_nSheetHeight = 1200;
    LoadDocument(doc, file.Data());
    ASSERT_EQ(1, ElementCount(doc));
    ExpectTextValues(ElementAt(doc, 0), "");
    EXPECT_EQ(900, doc.m_nSheetWidth);        // kept
    EXPECT_EQ(1200, doc.m_nSheetHeight);
    EXPECT_TRUE(doc.m_strDataSource.IsEmpty());
    EXPECT_EQ(350, doc.m_nDesignWidth);
    EXPECT_EQ(3, doc.m_nPublicationType);
}

TEST(PublicationFile, Version200TurnsSemicolonsIntoDoubleColonsAndReadsNumericColumns)
{
    CBytes file;
    AppendHeader(file, "labf", 200, 0);
    file.U16(1).NewClass("CDbText");
    AppendTextBlock(file, 200);
    AppendCommonRecord(file, 0);
    DocFields fields;
    fields.description = "type=delimitedtext;file=C:\\a.csv;delimiter=,;hascolnames=yes";
    AppendFields(file, fields, 200);

    CVarnelDoc doc;
    LoadDocument(doc, file.Data());
    ASSERT_EQ(1, ElementCount(doc));
    ExpectTextValues(ElementAt(doc, 0), "3");
    EXPECT_STREQ("type=delimitedtext::file=C:\\a.csv::delimiter=,::hascolnames=yes",
                 doc.m_strDataSource);
}

TEST(PublicationFile, Version200KeepsSemicolonsInsideAConnectionString)
{
    CBytes file;
    AppendHeader(file, "labf", 200, 0);
    file.U16(0);
    DocFields fields;
    fields.description = "type=accessdb;conn=Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\x.mdb;"
                         ";sqlstring={?SELECT * FROM T?}";
    AppendFields(file, fields, 200);

    CVarnelDoc doc;
    LoadDocument(doc, file.Data());
    EXPECT_STREQ("type=accessdb::conn=Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\x.mdb;"
                 "::sqlstring={?SELECT * FROM T?}", doc.m_strDataSource);
}

TEST(PublicationFile, Version201KeepsSemicolons)
{
    CBytes file;
    AppendHeader(file);
    file.U16(0);
    DocFields fields;
    fields.description = "type=accessdb::conn=Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\x.mdb;::sqlstring={?SELECT * FROM T?}";
    AppendFields(file, fields);
    CVarnelDoc doc;
    LoadDocument(doc, file.Data());
    EXPECT_STREQ(fields.description.c_str(), doc.m_strDataSource);
}

TEST(PublicationFile, VersionAbove201ReadsTheCurrentLayout)
{
    CBytes file;
    AppendHeader(file, "labf", 350, 0);
    file.U16(1).NewClass("CText");
    AppendTextBlock(file, 201);
    AppendCommonRecord(file, 0);
    DocFields fields = NonDefaultFields();
    AppendFields(file, fields, 350);
    CVarnelDoc doc;
    LoadDocument(doc, file.Data());
    ASSERT_EQ(1, ElementCount(doc));
    ExpectTextValues(ElementAt(doc, 0), "3-5");
    EXPECT_EQ(827, doc.m_nSheetWidth);
    EXPECT_STREQ(fields.description.c_str(), doc.m_strDataSource);
}

/////////////////////////////////////////////////////////////////////////////
// Format tags

TEST(PublicationFile, OlderTagsAreAccepted)
{
    for (const char* tag : { "lblf", "tvxf", "labf" })
    {
        SCOPED_TRACE(tag);
        CBytes file;
        AppendHeader(file, tag);
        file.U16(1).NewClass("CCircle");
        AppendCommonRecord(file, 0);
        AppendFields(file, NonDefaultFields());
        CVarnelDoc doc;
        CMessageBoxRecorder boxes;
        LoadDocument(doc, file.Data());
        EXPECT_EQ(1, ElementCount(doc));
        EXPECT_EQ(0, boxes.GetCount());
    }
}

TEST(PublicationFile, WrongTagFailsWithTheMessageAndChangesNothing)
{
    for (const char* tag : { "LABF", "labx", "" })
    {
        SCOPED_TRACE(tag);
        CBytes file;
        AppendHeader(file, tag);
        file.U16(1).NewClass("CCircle");
        AppendCommonRecord(file, 0);
        AppendFields(file, NonDefaultFields());

        CVarnelDoc doc;
        doc.m_listElements.AddTail(new CRectangle(CPoint(1, 1), CPoint(2, 2)));
        CMessageBoxRecorder boxes;
        bool bUserException = false;
        try
        {
            LoadDocument(doc, file.Data());
        }
        catch (CUserException* e)
        {
            bUserException = true;
            e->Delete();
        }
        EXPECT_TRUE(bUserException);
        ASSERT_EQ(1, boxes.GetCount());
        EXPECT_STREQ("The file has wrong format and not made to be used with this application.",
                     boxes.GetCall(0).m_strText);
        EXPECT_EQ(1, ElementCount(doc));
        EXPECT_EQ(400, doc.m_nDesignWidth);
        EXPECT_EQ(0xFFC8C8C8u, doc.m_clrShadow);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Steps after loading

TEST(PublicationFile, UnknownKindOfAnElementClassGivesKind99)
{
    CBytes file;
    AppendHeader(file);
    file.U16(1).NewClass("CElement");
    AppendCommonRecord(file, 0);
    AppendFields(file, DocFields());
    CVarnelDoc doc;
    LoadDocument(doc, file.Data());
    ASSERT_EQ(1, ElementCount(doc));
    EXPECT_EQ(99, ElementAt(doc, 0)->m_nKind);
}

TEST(PublicationFile, LoadingLeavesUndoAndRedoEmpty)
{
    CVarnelDoc source;
    source.m_listElements.AddTail(new CRectangle(CPoint(0, 0), CPoint(5, 5)));
    ByteVec data = SaveDocument(source);
    CVarnelDoc doc;
    LoadDocument(doc, data);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
}

TEST(PublicationFile, AccessPasswordIsNotWrittenInClearText)
{
    CVarnelDoc doc;
    doc.m_strDataSource = "type=accessdb::conn=Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\x.mdb;"
                          "Jet OLEDB:Database Password=Tr0ub4dor;::sqlstring={?SELECT * FROM T?}";
    const ByteVec bytes = SaveDocument(doc);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(std::string::npos, text.find("Tr0ub4dor"));
    EXPECT_NE(std::string::npos, text.find("Data Source=C:\\x.mdb;"));

    // Text sources are stored as they are.
    CVarnelDoc textDoc;
    textDoc.m_strDataSource = "type=delimitedtext::file=C:\\a.csv::delimiter=,::hascolnames=yes";
    const ByteVec textBytes = SaveDocument(textDoc);
    const std::string stored(textBytes.begin(), textBytes.end());
    EXPECT_NE(std::string::npos, stored.find((LPCTSTR)textDoc.m_strDataSource));
}
