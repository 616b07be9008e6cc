// New publications through the scripted wizard: every publication type with and without
// template and background, the blank design, Cancel, the template's scaling, the shadow
// options and the zoom of the view.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"
#include "model/OptionsKeys.h"

namespace
{

const char* const kTemplateExtensions[7] = { ".lbft", ".bdgt", ".enft", ".post", ".lhft", ".flyt", ".sgnt" };

// A template of 400 x 200 with a rectangle of odd coordinates on side 1, a closed curve
// and a text on side 2.
void FillTemplate(CVarnelDoc& doc)
{
    doc.m_nDesignWidth = 400;
    doc.m_nDesignHeight = 200;
    CRectangle* pRect = new CRectangle(CPoint(11, 21), CPoint(131, 63));
    pRect->m_nSide = 1;
    doc.m_listElements.AddTail(pRect);
    CClosedCurve* pCurve = new CClosedCurve(CPoint(100, 100), CPoint(101, 101));
    pCurve->AddPoint(CPoint(300, 100));
    pCurve->AddPoint(CPoint(200, 180));
    pCurve->m_nSide = 2;
    doc.m_listElements.AddTail(pCurve);
    CText* pText = new CText(CPoint(20, 120), CPoint(220, 180));
    pText->m_strText = "From the template";
    pText->m_nSide = 2;
    doc.m_listElements.AddTail(pText);
}

class DocumentNew : public ::testing::Test
{
protected:
    CVarnelDoc* RunNew(const CWizardAnswer& answer)
    {
        CDialogScript script;
        ScriptWizard(script, answer);
        m_program.Command(ID_FILE_NEW);
        EXPECT_EQ(0, script.GetPendingCount());
        EXPECT_EQ(0, script.GetFailureCount()) << (LPCTSTR)script.GetLog();
        return m_program.ActiveDoc();
    }

    CMessageBoxRecorder m_boxes;
    CProgramFiles m_files;
    CDocProgram m_program;
};

} // namespace

class DocumentNewType : public DocumentNew, public ::testing::WithParamInterface<int>
{
};

TEST_P(DocumentNewType, TemplateAndBackgroundMakeThePublicationOfTheType)
{
    const int nType = GetParam();
    CVarnelDoc templateDoc;
    FillTemplate(templateDoc);
    const CString strName = CString("DocTest") + kTemplateExtensions[nType];
    m_files.AddTemplate(strName, templateDoc);
    m_files.AddBackground("DocTest sky.bmp", 0xFF4080FF, 40, 20);

    CWizardAnswer answer;
    answer.nCategory = nType;
    answer.strTemplate = strName;
    answer.strBackground = "DocTest sky.bmp";
    answer.fWidth = 2.0;
    answer.fHeight = 1.0;
    CVarnelDoc* pDoc = RunNew(answer);
    ASSERT_TRUE(pDoc != NULL);

    EXPECT_EQ(nType, pDoc->m_nPublicationType);
    EXPECT_EQ(200, pDoc->m_nDesignWidth);
    EXPECT_EQ(100, pDoc->m_nDesignHeight);
    EXPECT_EQ(KIND_POINTER, pDoc->m_nCurrentTool);
    EXPECT_TRUE(pDoc->IsModified());
    ASSERT_EQ(4, (int)pDoc->m_listElements.GetCount());

    // the background lies under everything on side 1 and covers the new design
    CElement* pBackground = pDoc->m_listElements.GetHead();
    ASSERT_TRUE(pBackground->IsKindOf(RUNTIME_CLASS(CBkgImage)));
    EXPECT_EQ(1, pBackground->m_nSide);
    EXPECT_EQ(CRect(0, 0, 200, 100), pBackground->GetRect());
    ASSERT_TRUE(((CBkgImage*)pBackground)->m_pBitmap != NULL);

    // 400 x 200 to 200 x 100 halves every rectangle, odd coordinates truncated
    CElement* pRect = pDoc->m_listElements.GetAt(pDoc->m_listElements.FindIndex(1));
    EXPECT_EQ(CRect(5, 10, 65, 31), pRect->GetRect());
    EXPECT_EQ(KIND_RECTANGLE, pRect->m_nKind);
    CElement* pText = pDoc->m_listElements.GetTail();
    EXPECT_STREQ("From the template", pText->m_strText);
    EXPECT_EQ(2, pText->m_nSide);
    EXPECT_EQ(1.0f, m_program.ActiveView()->GetZoom());
}

INSTANTIATE_TEST_SUITE_P(EveryType, DocumentNewType, ::testing::Range(0, 7));

TEST_F(DocumentNew, WithoutTemplateAndBackgroundTheDesignIsEmptyAtTheChosenSize)
{
    for (int nType = 0; nType < 7; nType++)
    {
        CWizardAnswer answer;
        answer.nCategory = nType;
        answer.fWidth = 8.5;
        answer.fHeight = 11;
        CVarnelDoc* pDoc = RunNew(answer);
        ASSERT_TRUE(pDoc != NULL);
        EXPECT_EQ(nType, pDoc->m_nPublicationType);
        EXPECT_EQ(850, pDoc->m_nDesignWidth);
        EXPECT_EQ(1100, pDoc->m_nDesignHeight);
        EXPECT_TRUE(pDoc->m_listElements.IsEmpty());
        EXPECT_FALSE(pDoc->IsModified());
        EXPECT_EQ(0.5f, m_program.ActiveView()->GetZoom());     // taller than 800
    }
    EXPECT_EQ(7, m_program.CountDocs());
}

TEST_F(DocumentNew, BlankDesignIgnoresTheChosenTemplateAndBackground)
{
    CVarnelDoc templateDoc;
    FillTemplate(templateDoc);
    m_files.AddTemplate("DocTest.bdgt", templateDoc);
    m_files.AddBackground("DocTest sky.bmp", 0xFF4080FF);

    CWizardAnswer answer;
    answer.nCategory = 1;
    answer.strTemplate = "DocTest.bdgt";
    answer.strBackground = "DocTest sky.bmp";
    answer.bBlank = TRUE;
    answer.fWidth = 6;
    answer.fHeight = 4;
    CVarnelDoc* pDoc = RunNew(answer);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(1, pDoc->m_nPublicationType);
    EXPECT_EQ(600, pDoc->m_nDesignWidth);
    EXPECT_EQ(400, pDoc->m_nDesignHeight);
    EXPECT_TRUE(pDoc->m_listElements.IsEmpty());
    EXPECT_FALSE(pDoc->HasBackground());
    EXPECT_EQ(0.75f, m_program.ActiveView()->GetZoom());
}

TEST_F(DocumentNew, KeepingTheTemplateSizeKeepsEveryElement)
{
    CVarnelDoc templateDoc;
    FillTemplate(templateDoc);
    templateDoc.m_nDesignWidth = 900;
    templateDoc.m_nDesignHeight = 300;
    m_files.AddTemplate("DocTest wide.post", templateDoc);

    CWizardAnswer answer;
    answer.nCategory = 3;
    answer.strTemplate = "DocTest wide.post";
    answer.bKeepTemplateSize = TRUE;
    CVarnelDoc* pDoc = RunNew(answer);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(900, pDoc->m_nDesignWidth);
    EXPECT_EQ(300, pDoc->m_nDesignHeight);
    EXPECT_EQ(CRect(11, 21, 131, 63), pDoc->m_listElements.GetHead()->GetRect());
    EXPECT_EQ(0.5f, m_program.ActiveView()->GetZoom());     // wider than 800
}

TEST_F(DocumentNew, CancelKeepsTheConstructedDesign)
{
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD).Cancel();
    m_program.Command(ID_FILE_NEW);
    CVarnelDoc* pDoc = m_program.ActiveDoc();
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(400, pDoc->m_nDesignWidth);
    EXPECT_EQ(200, pDoc->m_nDesignHeight);
    EXPECT_EQ(850, pDoc->m_nSheetWidth);
    EXPECT_EQ(1100, pDoc->m_nSheetHeight);
    EXPECT_EQ(0, pDoc->m_nPublicationType);
    EXPECT_EQ(1, pDoc->m_nSide);
    EXPECT_EQ(KIND_POINTER, pDoc->m_nCurrentTool);
    EXPECT_TRUE(pDoc->m_listElements.IsEmpty());
}

TEST_F(DocumentNew, TemplateElementsTakeTheShadowOptionsOfTheRegistry)
{
    COptionsKey key(m_program.OptionsKeyPath());
    key.SetDword(OPTION_SHADOW_COLOR, 0x00102030);
    key.SetDword(OPTION_SHADOW_LENGTH, 11);
    CVarnelDoc templateDoc;
    FillTemplate(templateDoc);
    templateDoc.m_clrShadow = 0xFF999999;
    templateDoc.m_nShadowLength = 3;
    m_files.AddTemplate("DocTest.lbft", templateDoc);

    CWizardAnswer answer;
    answer.strTemplate = "DocTest.lbft";
    answer.bKeepTemplateSize = TRUE;
    CVarnelDoc* pDoc = RunNew(answer);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(0xFF302010u, pDoc->m_clrShadow);
    EXPECT_EQ(11, pDoc->m_nShadowLength);
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        EXPECT_EQ(0xFF302010u, pElement->m_clrShadow);
        EXPECT_EQ(11, pElement->m_nShadowLength);
    }
}

TEST_F(DocumentNew, AnUnreadableBackgroundIsReportedAndLeftOut)
{
    const CString strPath = m_files.m_strBackgrounds + "\\DocTest broken.png";
    ASSERT_TRUE(WriteFileBytes(strPath, "no picture at all"));
    CWizardAnswer answer;
    answer.strBackground = "DocTest broken.png";
    CVarnelDoc* pDoc = RunNew(answer);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_FALSE(pDoc->HasBackground());
    bool bReported = false;
    for (int i = 0; i < m_boxes.GetCount(); i++)
        bReported = bReported || m_boxes.GetCall(i).m_strText.Find("DocTest broken.png") >= 0;
    EXPECT_TRUE(bReported);
}

TEST_F(DocumentNew, BuildNewPublicationWithoutATemplateFileStartsBlank)
{
    CVarnelDoc doc;
    doc.BuildNewPublication(m_files.m_strTemplates + "\\missing.lbft", "", 300, 150, 2, FALSE);
    EXPECT_EQ(300, doc.m_nDesignWidth);
    EXPECT_EQ(2, doc.m_nPublicationType);
    EXPECT_TRUE(doc.m_listElements.IsEmpty());
    EXPECT_EQ(1, m_boxes.GetCount());           // the missing template is reported
}
