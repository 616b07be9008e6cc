// The document's data: defaults, kinds, background test, shadow options, scaling.

#include "doc_test_support.h"
#include "Elements.h"
#include "OptionsKeys.h"

#include <objidl.h>
#include <gdiplus.h>

TEST(Document, ConstructedWithTheDefaults)
{
    CVarnelDoc doc;
    EXPECT_EQ(400, doc.m_nDesignWidth);
    EXPECT_EQ(200, doc.m_nDesignHeight);
    EXPECT_EQ(850, doc.m_nSheetWidth);
    EXPECT_EQ(1100, doc.m_nSheetHeight);
    EXPECT_EQ(0, doc.m_nPublicationType);
    EXPECT_EQ(100, doc.m_nCurrentTool);
    EXPECT_EQ(1, doc.m_nSide);
    EXPECT_EQ(-1, doc.m_nDataRows);
    EXPECT_EQ(0, doc.m_nDataColumns);
    EXPECT_TRUE(doc.m_pDataRows == NULL);
    EXPECT_EQ(0xFFFFFFFFu, doc.m_clrBackgroundFront);
    EXPECT_EQ(0xFFFFFFFFu, doc.m_clrBackgroundBack);
    EXPECT_EQ(0xFFC8C8C8u, doc.m_clrShadow);
    EXPECT_EQ(6, doc.m_nShadowLength);
    EXPECT_TRUE(doc.m_strDataSource.IsEmpty());
    EXPECT_TRUE(doc.m_listElements.IsEmpty());
    EXPECT_TRUE(doc.m_listSelection.IsEmpty());
    EXPECT_EQ(16u, doc.m_tracker.m_nStyle);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
}

TEST(Document, AssignElementKindFromTheClassName)
{
    CVarnelDoc doc;
    CShapeMoon moon(CPoint(0, 0), CPoint(1, 1));
    moon.m_nKind = 5;
    doc.AssignElementKind(&moon);
    EXPECT_EQ(209, moon.m_nKind);
    CDbText text;
    text.m_nKind = 115;
    doc.AssignElementKind(&text);
    EXPECT_EQ(212, text.m_nKind);
    CElement base;
    base.m_nKind = 102;
    doc.AssignElementKind(&base);
    EXPECT_EQ(99, base.m_nKind);
}

TEST(Document, HasBackgroundLooksAtBothSides)
{
    CVarnelDoc doc;
    doc.m_nPublicationType = 3;
    doc.m_listElements.AddTail(new CRectangle(CPoint(0, 0), CPoint(5, 5)));
    EXPECT_FALSE(doc.HasBackground());
    CBkgImage* pBkg = new CBkgImage(CPicturePtr(new Gdiplus::Bitmap(2, 2, PixelFormat32bppARGB)), 400, 200);
    pBkg->m_nSide = 2;
    doc.m_listElements.AddHead(pBkg);
    doc.m_nSide = 1;
    EXPECT_TRUE(doc.HasBackground());
}

namespace
{
// Sets or deletes the option values for one test and restores them afterwards.
class COptionsValues
{
public:
    COptionsValues()
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, OPTIONS_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hKey, NULL);
        m_bHadColor = Read(OPTION_SHADOW_COLOR, m_dwColor);
        m_bHadLength = Read(OPTION_SHADOW_LENGTH, m_dwLength);
        RegDeleteValueA(m_hKey, OPTION_SHADOW_COLOR);
        RegDeleteValueA(m_hKey, OPTION_SHADOW_LENGTH);
    }
    ~COptionsValues()
    {
        RegDeleteValueA(m_hKey, OPTION_SHADOW_COLOR);
        RegDeleteValueA(m_hKey, OPTION_SHADOW_LENGTH);
        if (m_bHadColor)
            SetDword(OPTION_SHADOW_COLOR, m_dwColor);
        if (m_bHadLength)
            SetDword(OPTION_SHADOW_LENGTH, m_dwLength);
        RegCloseKey(m_hKey);
    }
    void SetDword(const char* name, DWORD value)
    {
        RegSetValueExA(m_hKey, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
    }
    void SetString(const char* name, const char* value)
    {
        RegSetValueExA(m_hKey, name, 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
    }

private:
    bool Read(const char* name, DWORD& value)
    {
        DWORD type = 0, cb = sizeof(value);
        return RegQueryValueExA(m_hKey, name, NULL, &type, (BYTE*)&value, &cb) == ERROR_SUCCESS
               && type == REG_DWORD;
    }
    HKEY m_hKey = NULL;
    bool m_bHadColor = false, m_bHadLength = false;
    DWORD m_dwColor = 0, m_dwLength = 0;
};
}

TEST(Document, ReadShadowOptionsTurnsTheColorRefIntoOpaqueArgb)
{
    COptionsValues values;
    values.SetDword(OPTION_SHADOW_COLOR, 0x00332211);
    values.SetDword(OPTION_SHADOW_LENGTH, 14);
    CVarnelDoc doc;
    doc.ReadShadowOptions();
    EXPECT_EQ(0xFF112233u, doc.m_clrShadow);
    EXPECT_EQ(14, doc.m_nShadowLength);
}

TEST(Document, ReadShadowOptionsKeepsFieldsForMissingOrWrongValues)
{
    COptionsValues values;
    values.SetString(OPTION_SHADOW_LENGTH, "20");
    CVarnelDoc doc;
    doc.m_clrShadow = 0xFF010101;
    doc.m_nShadowLength = 3;
    doc.ReadShadowOptions();
    EXPECT_EQ(0xFF010101u, doc.m_clrShadow);
    EXPECT_EQ(3, doc.m_nShadowLength);
}

TEST(Document, ReadShadowOptionsIgnoresAbsurdLengths)
{
    COptionsValues values;
    CVarnelDoc doc;
    doc.m_nShadowLength = 3;
    for (DWORD dw : { 0xFFFFFFFFu, 0x80000000u, (unsigned)MAX_OPTION_SHADOW_LENGTH + 1 })
    {
        values.SetDword(OPTION_SHADOW_LENGTH, dw);
        doc.ReadShadowOptions();
        EXPECT_EQ(3, doc.m_nShadowLength) << dw;
    }
    values.SetDword(OPTION_SHADOW_LENGTH, MAX_OPTION_SHADOW_LENGTH);
    doc.ReadShadowOptions();
    EXPECT_EQ(MAX_OPTION_SHADOW_LENGTH, doc.m_nShadowLength);
}

TEST(Document, ScaleElementsHalvesATemplateTruncatingTowardZero)
{
    CVarnelDoc doc;
    doc.m_listElements.AddTail(new CRectangle(CPoint(11, 21), CPoint(301, 199)));
    CClosedCurve* pCurve = new CClosedCurve(CPoint(0, 0), CPoint(1, 1));
    pCurve->AddPoint(CPoint(100, 50));
    pCurve->AddPoint(CPoint(300, 150));
    pCurve->RecalcRect();
    doc.m_listElements.AddTail(pCurve);
    doc.ScaleElements(400, 200, 200, 100);
    EXPECT_EQ(CRect(5, 10, 150, 99), ElementAt(doc, 0)->m_rect);
    EXPECT_EQ(CRect(50, 25, 150, 75), pCurve->m_rect);
    EXPECT_FLOAT_EQ(150.0f, pCurve->m_pPoints[1].X);
    EXPECT_FLOAT_EQ(75.0f, pCurve->m_pPoints[1].Y);
}

TEST(Document, ScaleElementsFromAnEmptyDesignKeepsThatAxis)
{
    CVarnelDoc doc;
    doc.m_listElements.AddTail(new CRectangle(CPoint(10, 20), CPoint(30, 40)));
    doc.ScaleElements(0, 200, 800, 400);
    EXPECT_EQ(CRect(10, 40, 30, 80), ElementAt(doc, 0)->m_rect);
}

TEST(Document, DestructionFreesEveryElementAndTheTable)
{
    const long nBaseline = CElement::GetLiveCount();
    {
        CVarnelDoc doc;
        doc.m_listElements.AddTail(new CText(CPoint(0, 0), CPoint(5, 5)));
        doc.PushUndo();
        doc.m_listElements.AddTail(new CLine(CPoint(0, 0), CPoint(5, 5)));
        doc.Undo();
        doc.m_nDataRows = 2;
        doc.m_nDataColumns = 2;
        doc.m_pDataRows = new CString*[2];
        doc.m_pDataRows[0] = new CString[2];
        doc.m_pDataRows[1] = new CString[2];
        doc.m_pDataRows[1][1] = "value";
        EXPECT_GT(CElement::GetLiveCount(), nBaseline);
    }
    EXPECT_EQ(nBaseline, CElement::GetLiveCount());
}

TEST(Document, ZoomForTheDesignSize)
{
    EXPECT_FLOAT_EQ(1.0f, CVarnelDoc::GetZoomForDesign(500, 500));
    EXPECT_FLOAT_EQ(0.75f, CVarnelDoc::GetZoomForDesign(501, 200));
    EXPECT_FLOAT_EQ(0.5f, CVarnelDoc::GetZoomForDesign(600, 900));
    EXPECT_FLOAT_EQ(0.5f, CVarnelDoc::GetZoomForDesign(900, 100));
    EXPECT_FLOAT_EQ(0.75f, CVarnelDoc::GetZoomForDesign(400, 800));
}
