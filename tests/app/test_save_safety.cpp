// Saving over a read-only file, the temporary file an interrupted save leaves behind, and
// opening a file with values no design holds.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"

namespace
{
int CountFilesIn(const CTempFolder& folder)
{
    int nFiles = 0;
    WIN32_FIND_DATAA fd;
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
    return nFiles;
}

void SetReadOnly(const CString& strPath, bool bReadOnly)
{
    DWORD dwAttrib = ::GetFileAttributesA(strPath);
    dwAttrib = bReadOnly ? (dwAttrib | FILE_ATTRIBUTE_READONLY) : (dwAttrib & ~FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesA(strPath, dwAttrib);
}
}

class DocumentSaveSafety : public ::testing::Test
{
protected:
    CVarnelDoc* NewDoc()
    {
        CVarnelDoc* pDoc = m_program.NewPlainDoc();
        EXPECT_TRUE(pDoc != NULL);
        if (pDoc != NULL)
        {
            pDoc->m_listElements.AddTail(new CRectangle(CPoint(5, 5), CPoint(50, 40)));
            pDoc->SetModifiedFlag();
        }
        return pDoc;
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CTempFolder m_folder;
};

TEST_F(DocumentSaveSafety, ReadOnlyTargetIsRefusedWithTheMessageAndLeftUntouched)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    const CString strTarget = m_folder.File("locked.labf");
    ASSERT_TRUE(WriteFileBytes(strTarget, "read-only contents"));
    SetReadOnly(strTarget, true);

    EXPECT_FALSE(pDoc->DoSave(strTarget, TRUE));
    SetReadOnly(strTarget, false);
    EXPECT_EQ("read-only contents", ReadFileBytes(strTarget));
    EXPECT_EQ(1, CountFilesIn(m_folder));
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    ASSERT_EQ(1, m_boxes.GetCount());
    const CString strText = m_boxes.GetCall(0).m_strText;
    EXPECT_EQ(0, strText.Find("Access to ")) << (LPCSTR)strText;
    EXPECT_GE(strText.Find("locked.labf"), 0) << (LPCSTR)strText;
    EXPECT_GE(strText.Find("was denied."), 0) << (LPCSTR)strText;
}

TEST_F(DocumentSaveSafety, ReadOnlyTemplateIsRefusedAndLeftUntouched)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    const CString strTarget = m_folder.File("locked template.labf");
    ASSERT_TRUE(WriteFileBytes(strTarget, "template"));
    SetReadOnly(strTarget, true);
    int nCause = -1;
    try
    {
        pDoc->SaveOrPreviewTemplate(strTarget, "", FALSE);
    }
    catch (CFileException* e)
    {
        nCause = e->m_cause;
        e->Delete();
    }
    SetReadOnly(strTarget, false);
    EXPECT_EQ(CFileException::accessDenied, nCause);
    EXPECT_EQ("template", ReadFileBytes(strTarget));
    EXPECT_EQ(1, CountFilesIn(m_folder));
}

TEST_F(DocumentSaveSafety, TemporaryFileOfAnInterruptedSaveIsReusedByTheNextSave)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    const CString strTarget = m_folder.File("kept.labf");
    ASSERT_TRUE(pDoc->DoSave(strTarget, TRUE));
    const std::string saved = ReadFileBytes(strTarget);

    // what a save killed part-way leaves: its temporary file, half written
    char szFull[MAX_PATH];
    ASSERT_TRUE(AfxFullPath(szFull, strTarget));
    const CString strLeftOver = AfxGetSaveTempPath(szFull);
    EXPECT_EQ(m_folder.File("~kept.labf.tmp").CompareNoCase(strLeftOver), 0) << (LPCSTR)strLeftOver;
    ASSERT_TRUE(WriteFileBytes(strLeftOver, std::string(5000, 'x')));
    ASSERT_EQ(2, CountFilesIn(m_folder));

    pDoc->SetModifiedFlag();
    EXPECT_TRUE(pDoc->DoSave(strTarget, TRUE));
    EXPECT_FALSE(FileExists(strLeftOver));
    EXPECT_EQ(1, CountFilesIn(m_folder));
    EXPECT_EQ(saved, ReadFileBytes(strTarget));
    EXPECT_EQ(0, m_boxes.GetCount());

    // the same for a template
    const CString strTemplate = m_folder.File("card.labf");
    ASSERT_TRUE(AfxFullPath(szFull, strTemplate));
    ASSERT_TRUE(WriteFileBytes(AfxGetSaveTempPath(szFull), "half"));
    pDoc->SaveOrPreviewTemplate(strTemplate, "", FALSE);
    EXPECT_EQ(2, CountFilesIn(m_folder));
    EXPECT_TRUE(FileExists(strTemplate));
    EXPECT_FALSE(FileExists(AfxGetSaveTempPath(szFull)));
}

TEST_F(DocumentSaveSafety, OpeningAFileWithAHugeDesignSizeSaysUnexpectedFileFormat)
{
    // one rectangle, then a design of 262144 x 196608
    std::string data;
    auto i32 = [&](DWORD n) {
        for (int i = 0; i < 4; i++)
            data.push_back((char)(n >> (8 * i)));
    };
    auto str = [&](const char* s) {
        data.push_back((char)strlen(s));
        data += s;
    };
    str("Stickwell");
    str("Quorvane");
    str("labf");
    i32(201);
    i32(0);
    data += std::string("\x00\x00", 2);
    for (DWORD n : { 0xFFFFFFu, 0xFFFFFFu, 0xC8C8C8u, 6u, 262144u, 196608u, 850u, 1100u, 0u })
        i32(n);
    str("");
    const CString strFile = m_folder.File("huge.labf");
    ASSERT_TRUE(WriteFileBytes(strFile, data));

    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    m_boxes.Reset();
    CVarnelDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(strFile));
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("Unexpected file format.", m_boxes.GetCall(0).m_strText);
}
