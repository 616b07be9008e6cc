// Save as template: no background pictures and no data-source reference in the file,
// both restored in the publication on every path, and the template read back.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

namespace
{

const char kTemplateHasDataSource[] =
    "This template has a Data Source.\n\nPlease note that the data source reference will not be "
    "stored in the template.\nWhile using this template, you need to reconfigure your data source";

void ReadFile(CVarnelDoc& doc, const CString& strPath)
{
    CFile file(strPath, CFile::modeRead | CFile::typeBinary);
    CArchive ar(&file, CArchive::load);
    doc.Serialize(ar);
}

} // namespace

TEST(TemplateSave, WritesNeitherBackgroundsNorTheSourceAndRestoresBoth)
{
    CMessageBoxRecorder boxes;
    CTempFolder folder;
    CVarnelDoc doc;
    FillEveryElement(doc, "type=delimitedtext::file=C:\\x.csv::delimiter=,::hascolnames=yes");
    const std::vector<std::string> before = ClassNames(doc.m_listElements);
    const CString strPath = folder.File("party.post");

    EXPECT_TRUE(doc.SaveOrPreviewTemplate(strPath, "", FALSE) == NULL);

    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ(kTemplateHasDataSource, boxes.GetCall(0).m_strText);
    EXPECT_EQ(before, ClassNames(doc.m_listElements));
    EXPECT_STREQ("type=delimitedtext::file=C:\\x.csv::delimiter=,::hascolnames=yes", doc.m_strDataSource);

    CVarnelDoc reread;
    ReadFile(reread, strPath);
    EXPECT_FALSE(reread.HasBackground());
    EXPECT_TRUE(reread.m_strDataSource.IsEmpty());
    EXPECT_EQ(40, (int)reread.m_listElements.GetCount());
    EXPECT_EQ(600, reread.m_nDesignWidth);
    EXPECT_EQ(3, reread.m_nPublicationType);
}

TEST(TemplateSave, WithoutSourceAsksNothing)
{
    CMessageBoxRecorder boxes;
    CTempFolder folder;
    CVarnelDoc doc;
    doc.m_listElements.AddTail(new CRectangle(CPoint(1, 2), CPoint(30, 40)));
    doc.SaveOrPreviewTemplate(folder.File("plain.lbft"), "", FALSE);
    EXPECT_EQ(0, boxes.GetCount());
    EXPECT_TRUE(FileExists(folder.File("plain.lbft")));
}

TEST(TemplateSave, AFailedWriteRestoresBackgroundsAndSourceAndLeavesNoFile)
{
    CMessageBoxRecorder boxes;
    CTempFolder folder;
    CVarnelDoc doc;
    FillEveryElement(doc, "type=delimitedtext::file=C:\\y.csv::delimiter=;::hascolnames=no");
    const std::vector<std::string> before = ClassNames(doc.m_listElements);
    const CString strPath = folder.File("no such folder\\t.lbft");

    bool bThrown = false;
    try
    {
        doc.SaveOrPreviewTemplate(strPath, "", FALSE);
    }
    catch (CException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(before, ClassNames(doc.m_listElements));
    EXPECT_STREQ("type=delimitedtext::file=C:\\y.csv::delimiter=;::hascolnames=no", doc.m_strDataSource);
    EXPECT_FALSE(FileExists(strPath));
}

TEST(TemplateSave, ReplacingAnExistingTemplateKeepsItUntilTheNewOneIsComplete)
{
    CMessageBoxRecorder boxes;
    CTempFolder folder;
    const CString strPath = folder.File("kept.lbft");
    ASSERT_TRUE(WriteFileBytes(strPath, "old template"));
    CVarnelDoc doc;
    doc.m_nDesignWidth = 321;
    doc.SaveOrPreviewTemplate(strPath, "", FALSE);
    CVarnelDoc reread;
    ReadFile(reread, strPath);
    EXPECT_EQ(321, reread.m_nDesignWidth);
    // no temporary file is left beside it
    WIN32_FIND_DATAA fd;
    int nFiles = 0;
    HANDLE hFind = ::FindFirstFileA(folder.File("*"), &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++nFiles;
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    EXPECT_EQ(1, nFiles);
}

TEST(TemplateSave, SavedTemplateStartsANewPublicationThroughTheWizard)
{
    CMessageBoxRecorder boxes;
    CProgramFiles files;
    CDocProgram program;
    CVarnelDoc doc;
    FillEveryElement(doc, "");
    doc.SaveOrPreviewTemplate(files.m_strTemplates + "\\DocTest saved.post", "", FALSE);

    CDialogScript script;
    CWizardAnswer answer;
    answer.nCategory = 3;
    answer.strTemplate = "DocTest saved.post";
    answer.bKeepTemplateSize = TRUE;
    ScriptWizard(script, answer);
    program.Command(ID_FILE_NEW);
    CVarnelDoc* pDoc = program.ActiveDoc();
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(3, pDoc->m_nPublicationType);
    EXPECT_EQ(600, pDoc->m_nDesignWidth);
    EXPECT_EQ(400, pDoc->m_nDesignHeight);
    EXPECT_EQ(40, (int)pDoc->m_listElements.GetCount());
    EXPECT_FALSE(pDoc->HasBackground());
}

TEST(TemplatePreview, DrawsTheShownSideOfTheTemplateOnWhite)
{
    CMessageBoxRecorder boxes;
    CTempFolder folder;
    CVarnelDoc source;
    source.m_nDesignWidth = 120;
    source.m_nDesignHeight = 60;
    CRectangle* pFront = new CRectangle(CPoint(10, 10), CPoint(50, 40));
    pFront->m_nFillKind = 1;
    pFront->m_clrFill = 0xFF0000FF;
    pFront->m_nLineWidth = 0;
    pFront->m_bShadow = FALSE;
    source.m_listElements.AddTail(pFront);
    CRectangle* pBack = new CRectangle(CPoint(60, 10), CPoint(110, 40));
    pBack->m_nSide = 2;
    pBack->m_nFillKind = 1;
    pBack->m_clrFill = 0xFFFF0000;
    pBack->m_nLineWidth = 0;
    pBack->m_bShadow = FALSE;
    source.m_listElements.AddTail(pBack);
    const CString strPath = folder.File("preview.lbft");
    source.SaveOrPreviewTemplate(strPath, "", FALSE);

    CVarnelDoc scratch;
    std::unique_ptr<Gdiplus::Bitmap> pPicture(scratch.SaveOrPreviewTemplate(strPath, "", TRUE));
    ASSERT_TRUE(pPicture != nullptr);
    EXPECT_EQ(120u, pPicture->GetWidth());
    EXPECT_EQ(60u, pPicture->GetHeight());
    Gdiplus::Color color;
    pPicture->GetPixel(30, 25, &color);
    EXPECT_EQ(0xFF0000FFu, color.GetValue());
    pPicture->GetPixel(85, 25, &color);             // the back side is not drawn
    EXPECT_EQ(0xFFFFFFFFu, color.GetValue());

    CVarnelDoc empty;
    std::unique_ptr<Gdiplus::Bitmap> pWhite(empty.SaveOrPreviewTemplate("", "", TRUE));
    ASSERT_TRUE(pWhite != nullptr);
    EXPECT_EQ(400u, pWhite->GetWidth());
    pWhite->GetPixel(200, 100, &color);
    EXPECT_EQ(0xFFFFFFFFu, color.GetValue());
}
