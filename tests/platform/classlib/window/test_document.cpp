// The data core of documents and views: views and updates, titles and paths,
// loading and atomic saving with their messages, the save question, closing.

#include "demo.h"
#include "test_support.h"
#include <gtest/gtest.h>

namespace
{

// Temporary folder of one test, removed with everything in it.
class CTempFolder
{
public:
    CTempFolder()
    {
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        char szName[MAX_PATH];
        ::GetTempFileNameA(szTemp, "wdt", 0, szName);
        ::DeleteFileA(szName);
        ::CreateDirectoryA(szName, NULL);
        m_strPath = szName;
    }
    ~CTempFolder()
    {
        for (const CString& strFile : ListFiles())
            ::DeleteFileA(m_strPath + "\\" + strFile);
        ::RemoveDirectoryA(m_strPath);
    }
    CString File(LPCTSTR lpszName) const { return m_strPath + "\\" + lpszName; }
    std::vector<CString> ListFiles() const
    {
        std::vector<CString> files;
        WIN32_FIND_DATAA fd;
        HANDLE hFind = ::FindFirstFileA(m_strPath + "\\*", &fd);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
            {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    files.push_back(fd.cFileName);
            } while (::FindNextFileA(hFind, &fd));
            ::FindClose(hFind);
        }
        return files;
    }
    CString m_strPath;
};

std::string ReadWhole(const CString& strPath)
{
    std::string data;
    HANDLE h = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buf[4096];
    DWORD nRead = 0;
    while (::ReadFile(h, buf, sizeof(buf), &nRead, NULL) && nRead > 0)
        data.append(buf, nRead);
    ::CloseHandle(h);
    return data;
}

void WriteWhole(const CString& strPath, const std::string& data)
{
    HANDLE h = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD nWritten = 0;
    ::WriteFile(h, data.data(), (DWORD)data.size(), &nWritten, NULL);
    ::CloseHandle(h);
}

// A document whose writing fails after part of the data.
class CFailingDoc : public CDemoDoc
{
public:
    int m_nFailAfter = 1000;
    int m_nCause = CFileException::diskFull;
    virtual void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            for (int i = 0; i < m_nFailAfter; i++)
                ar << (BYTE)'N';
            ar.Flush();
            AfxThrowFileException(m_nCause);
        }
        CDemoDoc::Serialize(ar);
    }
};

// A view without a window, counting its updates.
class CWindowlessView : public CDemoView
{
public:
    CWindowlessView() {}
};

} // namespace

TEST(Document, ViewsJoinAndLeaveAndGetUpdates)
{
    CDemoDoc doc;
    doc.m_bAutoDelete = FALSE;
    CWindowlessView* pView1 = new CWindowlessView;
    CWindowlessView* pView2 = new CWindowlessView;
    doc.AddView(pView1);
    doc.AddView(pView2);
    doc.AddView(pView2);    // only once
    EXPECT_EQ(&doc, pView1->GetDocument());

    int nViews = 0;
    POSITION pos = doc.GetFirstViewPosition();
    while (pos != NULL)
    {
        doc.GetNextView(pos);
        ++nViews;
    }
    EXPECT_EQ(2, nViews);

    // the sender is not told about its own change
    doc.UpdateAllViews(pView1, 17);
    EXPECT_EQ(0, pView1->m_nUpdates);
    EXPECT_EQ(1, pView2->m_nUpdates);
    EXPECT_EQ(17, pView2->m_lLastHint);
    doc.UpdateAllViews(NULL);
    EXPECT_EQ(1, pView1->m_nUpdates);

    doc.RemoveView(pView1);
    EXPECT_EQ(NULL, pView1->GetDocument());
    delete pView1;
    delete pView2;      // leaves the document by itself
    EXPECT_TRUE(doc.m_viewList.IsEmpty());
}

TEST(Document, LastViewLeavingClosesAnAutoDeleteDocument)
{
    int nLive = CDemoDoc::s_nLive;
    CDemoDoc* pDoc = new CDemoDoc;
    CWindowlessView* pView = new CWindowlessView;
    pDoc->AddView(pView);
    EXPECT_EQ(nLive + 1, CDemoDoc::s_nLive);
    delete pView;
    EXPECT_EQ(nLive, CDemoDoc::s_nLive);
}

TEST(Document, PathNameSetsTitleAndRecentFiles)
{
    CDemoApp app;
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    app.m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4);

    CDemoDoc doc;
    doc.SetPathName("C:\\Labels\\Shipping.labf");
    EXPECT_STREQ("C:\\Labels\\Shipping.labf", doc.GetPathName());
    EXPECT_NE(-1, doc.GetTitle().Find("Shipping"));
    EXPECT_STREQ("C:\\Labels\\Shipping.labf", (*app.m_pRecentFileList)[0]);

    // a relative name is stored fully qualified
    char szCurrent[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
    doc.SetPathName("relative.labf", FALSE);
    EXPECT_STREQ(CString(szCurrent) + "\\relative.labf", doc.GetPathName());
    EXPECT_STREQ("C:\\Labels\\Shipping.labf", (*app.m_pRecentFileList)[0]) << "not added";
}

TEST(Document, NewDocumentStartsEmptyAndClean)
{
    CDemoDoc doc;
    doc.m_strText = "old";
    doc.m_strPathName = "C:\\x.labf";
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.m_strText.IsEmpty());
    EXPECT_EQ(1, doc.m_nDeleteContents);
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
    EXPECT_FALSE(doc.IsModified());
}

TEST(Document, SavedDocumentOpensWithTheSameContents)
{
    CTempFolder folder;
    CString strPath = folder.File("round.dat");
    {
        CDemoDoc doc;
        doc.m_strText = "Label text";
        doc.m_nValue = -12345;
        doc.SetModifiedFlag();
        ASSERT_TRUE(doc.OnSaveDocument(strPath));
        EXPECT_FALSE(doc.IsModified());
    }
    CDemoDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(strPath));
    EXPECT_STREQ("Label text", doc.m_strText);
    EXPECT_EQ(-12345, doc.m_nValue);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(1u, folder.ListFiles().size()) << "no temporary file stays";
}

TEST(Document, FailedSaveLeavesTheOldFileUnchanged)
{
    CTempFolder folder;
    CString strPath = folder.File("keep.dat");
    WriteWhole(strPath, "OLD CONTENTS");

    CMessageBoxRecorder boxes;
    CFailingDoc doc;
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.OnSaveDocument(strPath));

    EXPECT_EQ("OLD CONTENTS", ReadWhole(strPath));
    EXPECT_EQ(1u, folder.ListFiles().size()) << "the half-written temporary file is gone";
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_NE(0u, boxes.GetCall(0).m_nType & MB_ICONEXCLAMATION);
}

TEST(Document, FailedSaveAsDoesNotDeleteAnExistingFile)
{
    CTempFolder folder;
    CString strPath = folder.File("other.dat");
    WriteWhole(strPath, "SOMEONE ELSES FILE");

    CMessageBoxRecorder boxes;
    CFailingDoc doc;
    doc.m_nFailAfter = 5;
    doc.SetTitle("Doc");
    EXPECT_FALSE(doc.DoSave(strPath));
    EXPECT_EQ("SOMEONE ELSES FILE", ReadWhole(strPath));
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
}

TEST(Document, SaveAsReplacesPathAndClearsModified)
{
    CTempFolder folder;
    CString strPath = folder.File("saved.dat");
    CDemoDoc doc;
    doc.m_strText = "x";
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.DoSave(strPath));
    EXPECT_STREQ(strPath, doc.GetPathName());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_NE(std::string::npos, ReadWhole(strPath).find('x'));
}

TEST(Document, OpeningAMissingFileReportsAndFails)
{
    CTempFolder folder;
    CMessageBoxRecorder boxes;
    CDemoDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(folder.File("missing.dat")));
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_NE(0u, boxes.GetCall(0).m_nType & MB_ICONEXCLAMATION);
}

TEST(Document, TruncatedFileIsAnUnexpectedFormatAndLeavesNothingHalfRead)
{
    CTempFolder folder;
    CString strPath = folder.File("short.dat");
    {
        CDemoDoc doc;
        doc.m_strText = "A long enough text";
        doc.m_nValue = 5;
        ASSERT_TRUE(doc.OnSaveDocument(strPath));
    }
    std::string data = ReadWhole(strPath);
    WriteWhole(strPath, data.substr(0, data.size() - 2));

    CMessageBoxRecorder boxes;
    CDemoDoc doc;
    doc.m_strText = "before";
    EXPECT_FALSE(doc.OnOpenDocument(strPath));
    EXPECT_TRUE(doc.m_strText.IsEmpty());
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Unexpected file format.", boxes.GetCall(0).m_strText);
}

TEST(Document, SaveQuestionNamesTheDocumentAndFollowsTheAnswer)
{
    CDemoDoc doc;
    doc.SetTitle("Label1");
    EXPECT_TRUE(doc.SaveModified()) << "nothing to ask when unmodified";

    doc.SetModifiedFlag();
    CMessageBoxRecorder boxes;
    boxes.AddAnswer(IDCANCEL);
    boxes.AddAnswer(IDNO);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_TRUE(doc.SaveModified());
    ASSERT_EQ(2, boxes.GetCount());
    EXPECT_STREQ("Save changes to Label1?", boxes.GetCall(0).m_strText);
    EXPECT_EQ((UINT)MB_YESNOCANCEL, boxes.GetCall(0).m_nType & 0x0F);

    // Yes saves to the document's file
    CTempFolder folder;
    CString strPath = folder.File("label1.dat");
    WriteWhole(strPath, "previous version");
    doc.SetPathName(strPath, FALSE);
    doc.m_strText = "saved by yes";
    boxes.AddAnswer(IDYES);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_NE(std::string::npos, ReadWhole(strPath).find("saved by yes"));
}

TEST(Document, CommandsRouteFromTheViewToTheDocument)
{
    CDemoDoc doc;
    doc.m_bAutoDelete = FALSE;
    CWindowlessView* pView = new CWindowlessView;
    doc.AddView(pView);
    DemoLog().clear();
    EXPECT_TRUE(pView->OnCmdMsg(ID_DEMO_DOCCMD, CN_COMMAND, NULL, NULL));
    EXPECT_TRUE(pView->OnCmdMsg(ID_DEMO_VIEWCMD, CN_COMMAND, NULL, NULL));
    EXPECT_FALSE(pView->OnCmdMsg(ID_DEMO_MAINCMD, CN_COMMAND, NULL, NULL));
    EXPECT_EQ("doc,view", DemoLogText());

    // asking for a handler does not run it
    AFX_CMDHANDLERINFO info = {};
    EXPECT_TRUE(pView->OnCmdMsg(ID_DEMO_DOCCMD, CN_COMMAND, NULL, &info));
    EXPECT_EQ(&doc, info.pTarget);
    EXPECT_EQ("doc,view", DemoLogText());
    delete pView;
}

TEST(Document, ClosingTheDocumentClosesItsFrames)
{
    CDemoProgram program;
    ASSERT_TRUE(program.CreateMainFrame(SW_HIDE));
    CDemoDoc* pDoc = NULL;
    CDemoChildFrame* pChild = program.OpenChild(IDR_DEMOTYPE, "Closing", &pDoc);
    ASSERT_TRUE(pChild != NULL);
    HWND hChild = pChild->m_hWnd;

    pDoc->OnCloseDocument();
    EXPECT_FALSE(::IsWindow(hChild));
    EXPECT_EQ(0, CDemoDoc::s_nLive);
    EXPECT_EQ(0, CDemoView::s_nLive);
}

TEST(Document, ClosingAModifiedDocumentsFrameAsksFirst)
{
    CDemoProgram program;
    ASSERT_TRUE(program.CreateMainFrame(SW_HIDE));
    CDemoDoc* pDoc = NULL;
    CDemoChildFrame* pChild = program.OpenChild(IDR_DEMOTYPE, "Asked", &pDoc);
    ASSERT_TRUE(pChild != NULL);
    pDoc->SetModifiedFlag();

    CMessageBoxRecorder boxes;
    boxes.AddAnswer(IDCANCEL);
    pChild->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(pChild->m_hWnd)) << "Cancel keeps the window";
    EXPECT_EQ(1, CDemoDoc::s_nLive);

    boxes.AddAnswer(IDNO);
    pChild->SendMessage(WM_CLOSE);
    EXPECT_EQ(0, CDemoDoc::s_nLive);
    EXPECT_EQ(0, CDemoChildFrame::s_nLive);
    EXPECT_EQ(2, boxes.GetCount());
}

TEST(Document, ViewInAFrameJoinsTheContextDocumentAndRepaintsOnUpdate)
{
    CDemoProgram program;
    ASSERT_TRUE(program.CreateMainFrame());
    CDemoDoc* pDoc = NULL;
    CDemoChildFrame* pChild = program.OpenChild(IDR_DEMOTYPE, "Paint", &pDoc);
    ASSERT_TRUE(pChild != NULL);
    CDemoView* pView = (CDemoView*)pChild->GetActiveView();
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(pDoc, pView->GetDocument());
    EXPECT_GE(pView->m_nUpdates, 1) << "the initial update";
    EXPECT_EQ(pDoc, pChild->GetActiveDocument());

    pView->UpdateWindow();
    CRect rcUpdate;
    EXPECT_FALSE(pView->GetUpdateRect(&rcUpdate));
    pDoc->UpdateAllViews(NULL, 3);
    EXPECT_EQ(3, pView->m_lLastHint);
    EXPECT_TRUE(pView->GetUpdateRect(&rcUpdate)) << "the default update invalidates";
}
