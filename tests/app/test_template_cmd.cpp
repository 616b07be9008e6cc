// Save As Template from the design view: the category's extension and filter, the
// extension rule for typed names, and the saved template started again through the wizard.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"

namespace
{

struct CCategory
{
    LPCSTR pszExtension;
    LPCSTR pszFilter;
};

const CCategory kCategories[] = {
    { ".lbft", "Label Templates(.lbft)|*.lbft|" },
    { ".bdgt", "Badge Templates(.bdgt)|*.bdgt|" },
    { ".enft", "Envelope Templates(.enft)|*.enft|" },
    { ".post", "Postcard Templates(.post)|*.post|" },
    { ".lhft", "Letterhead Templates(.lhft)|*.lhft|" },
    { ".flyt", "Flyer Templates(.flyt)|*.flyt|" },
    { ".sgnt", "Sign Templates(.sgnt)|*.sgnt|" },
};

class TemplateCommand : public ::testing::Test
{
protected:
    // A new publication of the category through the wizard, with one rectangle in it.
    CVarnelDoc* NewPublication(int nCategory, double fWidth, double fHeight)
    {
        CDialogScript script;
        CWizardAnswer answer;
        answer.nCategory = nCategory;
        answer.fWidth = fWidth;
        answer.fHeight = fHeight;
        ScriptWizard(script, answer);
        m_program.Command(ID_FILE_NEW);
        CVarnelDoc* pDoc = m_program.ActiveDoc();
        if (pDoc != NULL)
            pDoc->m_listElements.AddTail(new CRectangle(CPoint(10, 20), CPoint(60 + nCategory, 80)));
        m_boxes.Reset();        // the wizard's notes on empty folders
        return pDoc;
    }

    // Save As Template answered with strChosen; the record of the Save dialog.
    CDialogScript::CRecord SaveAsTemplate(const CString& strChosen)
    {
        CDialogScript script;
        script.OnFileDialog(strChosen);
        m_program.Command(ID_FILE_SAVE_AS_TEMPLATE);
        EXPECT_EQ(1, script.GetRecordCount());
        return script.GetRecordCount() > 0 ? script.GetRecord(0) : CDialogScript::CRecord();
    }

    CMessageBoxRecorder m_boxes;
    CProgramFiles m_files;
    CDocProgram m_program;
};

} // namespace

TEST(TemplateExtension, AppendedUnlessTheNameEndsInTheCategorysOwnInAnyCase)
{
    EXPECT_STREQ("C:\\t\\Party.bdgt", CVarnelView::AddTemplateExtension("C:\\t\\Party", 1));
    EXPECT_STREQ("C:\\t\\x.POST", CVarnelView::AddTemplateExtension("C:\\t\\x.POST", 3));
    EXPECT_STREQ("C:\\t\\x.Post", CVarnelView::AddTemplateExtension("C:\\t\\x.Post", 3));
    EXPECT_STREQ("C:\\t\\my.txt.lbft", CVarnelView::AddTemplateExtension("C:\\t\\my.txt", 0));
    // another category's extension is only part of the name
    EXPECT_STREQ("C:\\t\\card.bdgt.lbft", CVarnelView::AddTemplateExtension("C:\\t\\card.bdgt", 0));
    EXPECT_STREQ("C:\\t\\a.sgnt.bak.sgnt", CVarnelView::AddTemplateExtension("C:\\t\\a.sgnt.bak", 6));
    // a dot in a folder name is no extension
    EXPECT_STREQ("C:\\my.flyt\\name.flyt", CVarnelView::AddTemplateExtension("C:\\my.flyt\\name", 5));
    EXPECT_STREQ("C:\\t\\letter.lhft", CVarnelView::AddTemplateExtension("C:\\t\\letter.lhft", 4));
    // a type read from a damaged file counts as a label
    EXPECT_STREQ("C:\\t\\odd.lbft", CVarnelView::AddTemplateExtension("C:\\t\\odd", 7));
    EXPECT_STREQ(".lbft", CVarnelView::GetTemplateExtension(-1));
}

TEST_F(TemplateCommand, EveryCategorySavesWithItsExtensionAndStartsAgainThroughTheWizard)
{
    for (int nType = 0; nType < 7; nType++)
    {
        SCOPED_TRACE(nType);
        CVarnelDoc* pDoc = NewPublication(nType, 2.0 + nType * 0.5, 1.5);
        ASSERT_TRUE(pDoc != NULL);
        ASSERT_EQ(nType, pDoc->m_nPublicationType);
        const int nWidth = pDoc->m_nDesignWidth;
        EXPECT_EQ(200 + nType * 50, nWidth);

        CString strName;
        strName.Format("Cmd%d", nType);
        const CDialogScript::CRecord record = SaveAsTemplate(m_files.m_strTemplates + "\\" + strName);
        EXPECT_FALSE(record.m_bOpenFileDialog);
        EXPECT_STREQ(kCategories[nType].pszFilter, record.m_strFilter);
        EXPECT_STREQ(ProgramFolder() + "\\Templates", record.m_strInitialDir);
        const DWORD dwFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING;
        EXPECT_EQ(dwFlags, record.m_dwFlags & dwFlags);
        const CString strFile = strName + kCategories[nType].pszExtension;
        EXPECT_TRUE(FileExists(m_files.m_strTemplates + "\\" + strFile)) << (LPCTSTR)strFile;
        EXPECT_FALSE(FileExists(m_files.m_strTemplates + "\\" + strName));
        EXPECT_EQ(0, m_boxes.GetCount());
        m_program.CloseAll();

        // the wizard offers it under its category and starts a publication from it
        CDialogScript script;
        CWizardAnswer answer;
        answer.nCategory = nType;
        answer.strTemplate = strFile;
        answer.bKeepTemplateSize = TRUE;
        ScriptWizard(script, answer);
        m_program.Command(ID_FILE_NEW);
        EXPECT_EQ(0, script.GetFailureCount());
        CVarnelDoc* pNew = m_program.ActiveDoc();
        ASSERT_TRUE(pNew != NULL);
        EXPECT_EQ(nType, pNew->m_nPublicationType);
        EXPECT_EQ(nWidth, pNew->m_nDesignWidth);
        EXPECT_EQ(150, pNew->m_nDesignHeight);
        ASSERT_EQ(1, (int)pNew->m_listElements.GetCount());
        CElement* pElement = pNew->m_listElements.GetHead();
        EXPECT_TRUE(pElement->IsKindOf(RUNTIME_CLASS(CRectangle)));
        EXPECT_EQ(CRect(10, 20, 60 + nType, 80), pElement->GetRect());
        m_program.CloseAll();
    }
}

TEST_F(TemplateCommand, TypedExtensionsFollowTheRule)
{
    CVarnelDoc* pDoc = NewPublication(3, 6.0, 4.0);
    ASSERT_TRUE(pDoc != NULL);
    SaveAsTemplate(m_files.m_strTemplates + "\\x.POST");
    EXPECT_TRUE(FileExists(m_files.m_strTemplates + "\\x.POST"));
    EXPECT_FALSE(FileExists(m_files.m_strTemplates + "\\x.POST.post"));
    m_program.CloseAll();

    pDoc = NewPublication(0, 4.0, 2.0);
    ASSERT_TRUE(pDoc != NULL);
    SaveAsTemplate(m_files.m_strTemplates + "\\my.txt");
    EXPECT_TRUE(FileExists(m_files.m_strTemplates + "\\my.txt.lbft"));
    EXPECT_FALSE(FileExists(m_files.m_strTemplates + "\\my.txt"));
    SaveAsTemplate(m_files.m_strTemplates + "\\card.bdgt");
    EXPECT_TRUE(FileExists(m_files.m_strTemplates + "\\card.bdgt.lbft"));
    EXPECT_FALSE(FileExists(m_files.m_strTemplates + "\\card.bdgt"));
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(TemplateCommand, AnExistingFileUnderTheLongerNameIsReplacedOnlyWhenTheUserSaysSo)
{
    const CString strExisting = m_files.m_strTemplates + "\\Party.bdgt";
    ASSERT_TRUE(WriteFileBytes(strExisting, "kept"));
    ASSERT_TRUE(NewPublication(1, 3.0, 2.0) != NULL);

    m_boxes.AddAnswer(IDNO);
    SaveAsTemplate(m_files.m_strTemplates + "\\Party");
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ(0, m_boxes.GetCall(0).m_strText.Find(strExisting));
    EXPECT_EQ((UINT)MB_YESNO, m_boxes.GetCall(0).m_nType & MB_TYPEMASK);
    EXPECT_EQ("kept", ReadFileBytes(strExisting));

    m_boxes.AddAnswer(IDYES);
    SaveAsTemplate(m_files.m_strTemplates + "\\Party");
    EXPECT_EQ(2, m_boxes.GetCount());
    CVarnelDoc reread;
    CFile file(strExisting, CFile::modeRead | CFile::typeBinary);
    CArchive ar(&file, CArchive::load);
    reread.Serialize(ar);
    EXPECT_EQ(1, reread.m_nPublicationType);
    EXPECT_EQ(300, reread.m_nDesignWidth);
}

TEST_F(TemplateCommand, CancelWritesNothingAndAFailedWriteShowsTheFileError)
{
    CVarnelDoc* pDoc = NewPublication(5, 4.0, 5.0);
    ASSERT_TRUE(pDoc != NULL);
    {
        CDialogScript script;
        script.CancelFileDialog();
        m_program.Command(ID_FILE_SAVE_AS_TEMPLATE);
        EXPECT_EQ(1, script.GetRecordCount());
    }
    EXPECT_EQ(0, m_boxes.GetCount());

    const CString strMissing = m_files.m_strTemplates + "\\no such folder\\flyer";
    SaveAsTemplate(strMissing);
    ASSERT_EQ(1, m_boxes.GetCount());
    // the file error, told as saving a publication tells it
    EXPECT_STREQ(strMissing + ".flyt contains an invalid path.", m_boxes.GetCall(0).m_strText);
    EXPECT_EQ((UINT)MB_ICONEXCLAMATION, m_boxes.GetCall(0).m_nType & MB_ICONMASK);
    EXPECT_FALSE(FileExists(strMissing + ".flyt"));
    // the design is unchanged
    EXPECT_EQ(1, (int)pDoc->m_listElements.GetCount());
    EXPECT_EQ(400, pDoc->m_nDesignWidth);
}
