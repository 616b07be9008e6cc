// Save As as a user meets it: one file is never the file of two windows, and a publication
// saved into another folder still finds the data file it read beside its old one.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"
#include "data/DataSource.h"

namespace
{
class FilesAndWindows : public ::testing::Test
{
protected:
    // A new publication with one rectangle of the given width, modified.
    CVarnelDoc* NewDoc(int nWidth)
    {
        CVarnelDoc* pDoc = m_program.NewPlainDoc();
        EXPECT_TRUE(pDoc != NULL);
        if (pDoc != NULL)
        {
            pDoc->m_listElements.AddTail(new CRectangle(CPoint(5, 5), CPoint(5 + nWidth, 40)));
            pDoc->SetModifiedFlag();
        }
        return pDoc;
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CTempFolder m_folder;
};
}

// Save As onto the file of another open window is refused: the file and that window keep the
// first design, and the publication saved stays unsaved.
TEST_F(FilesAndWindows, SaveAsOntoTheFileOfAnotherWindowIsRefused)
{
    CVarnelDoc* pFirst = NewDoc(50);
    ASSERT_TRUE(pFirst != NULL);
    const CString strFile = m_folder.File("first.labf");
    ASSERT_TRUE(pFirst->DoSave(strFile, TRUE));
    const std::string saved = ReadFileBytes(strFile);

    CVarnelDoc* pSecond = NewDoc(90);
    ASSERT_TRUE(pSecond != NULL && pSecond != pFirst);
    ASSERT_EQ(pSecond, m_program.ActiveDoc());
    CDialogScript script;
    script.OnFileDialog(m_folder.File("FIRST.labf"));
    m_program.Command(ID_FILE_SAVE_AS);

    EXPECT_EQ(1, script.GetRecordCount());
    EXPECT_EQ(saved, ReadFileBytes(strFile));
    EXPECT_TRUE(pSecond->GetPathName().IsEmpty());
    EXPECT_TRUE(pSecond->IsModified());
    ASSERT_EQ(1, m_boxes.GetCount());
    const CString strText = m_boxes.GetCall(0).m_strText;
    EXPECT_GE(strText.Find("FIRST.labf"), 0) << (LPCSTR)strText;
    EXPECT_GE(strText.Find("open in another window"), 0) << (LPCSTR)strText;

    // opening the file still shows the first window, and a save of the first writes its own design
    EXPECT_EQ(pFirst, m_program.m_pApp->OpenDocumentFile(strFile));
    pFirst->SetModifiedFlag();
    EXPECT_TRUE(pFirst->DoSave(strFile, TRUE));
    EXPECT_EQ(saved, ReadFileBytes(strFile));
    // a copy of the second under a name of its own is written
    EXPECT_TRUE(pSecond->DoSave(m_folder.File("second.labf"), FALSE));
    EXPECT_TRUE(pSecond->IsModified());
}

// A data file named without a folder is read beside the publication. Saved into another folder,
// the publication names it in full and opens with its records there; saved where it was, it keeps
// the short name, so the folder can still be moved whole.
TEST_F(FilesAndWindows, SaveAsIntoAnotherFolderKeepsTheDataFileBesideTheOldOne)
{
    ASSERT_TRUE(WriteFileBytes(m_folder.File("people.csv"), "Name,City\r\nAnna,Oslo\r\nBert,Rome\r\n"));
    const CString strShort = BuildTextDescription("people.csv", ",", TRUE);
    const CString strOld = m_folder.File("labels.labf");
    {
        CVarnelDoc* pNew = NewDoc(50);
        ASSERT_TRUE(pNew != NULL);
        pNew->m_strDataSource = strShort;
        ASSERT_TRUE(pNew->DoSave(strOld, TRUE));
        m_program.CloseAll();
    }
    CVarnelDoc* pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strOld);
    ASSERT_TRUE(pDoc != NULL);
    ASSERT_EQ(3, pDoc->m_nDataRows);
    pDoc->SetModifiedFlag();
    m_program.Command(ID_FILE_SAVE);
    EXPECT_STREQ(strShort, pDoc->m_strDataSource);

    const CString strOther = m_folder.File("other");
    ASSERT_TRUE(::CreateDirectoryA(strOther, NULL));
    CDialogScript script;
    script.OnFileDialog(strOther + "\\moved.labf");
    m_program.Command(ID_FILE_SAVE_AS);
    ASSERT_STREQ(strOther + "\\moved.labf", pDoc->GetPathName());
    m_program.CloseAll();

    pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strOther + "\\moved.labf");
    ASSERT_TRUE(pDoc != NULL);
    ASSERT_EQ(3, pDoc->m_nDataRows);
    EXPECT_STREQ("Bert", pDoc->m_pDataRows[2][0]);
    EXPECT_STREQ(BuildTextDescription(m_folder.File("people.csv"), ",", TRUE), pDoc->m_strDataSource);
    m_program.CloseAll();
    pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strOld);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_STREQ(strShort, pDoc->m_strDataSource);
    EXPECT_EQ(0, m_boxes.GetCount()) << (LPCSTR)m_boxes.GetCall(0).m_strText;
}
