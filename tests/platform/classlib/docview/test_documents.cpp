// Documents through their template and the file commands of the demonstration:
// New, Open, Save, Save As, Close with the save question, the recent-file list,
// Window New, and a save that fails halfway.

#include "docdemo.h"
#include "test_support.h"
#include <gtest/gtest.h>

namespace
{

// Counts the child frames of the main frame's MDI client.
int CountChildFrames(CDocDemoProgram& program)
{
    int nCount = 0;
    for (HWND hWnd = ::GetWindow(program.m_pMainFrame->m_hWndMDIClient, GW_CHILD); hWnd != NULL;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (CWnd::FromHandlePermanent(hWnd) != NULL)
            ++nCount;
    }
    return nCount;
}

CString WindowText(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return str;
}

// A document saved to a file and closed again.
CString MakeSheetFile(CDocDemoProgram& program, const CDemoFolder& folder, LPCTSTR lpszName, int nBoxes)
{
    program.Command(ID_FILE_NEW);
    CDemoSheetDoc* pDoc = program.ActiveDoc();
    for (int i = 1; i < nBoxes; i++)
        pDoc->OnAddBox();
    CString strPath = folder.File(lpszName);
    EXPECT_TRUE(pDoc->DoSave(strPath));
    pDoc->OnCloseDocument();
    return strPath;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Templates

TEST(DocTemplate, DocumentStringGivesTitleRootFilterAndExtension)
{
    CDocDemoProgram program;
    CString str;
    EXPECT_TRUE(program.m_pTemplate->GetDocString(str, CDocTemplate::windowTitle));
    EXPECT_STREQ("", str);
    EXPECT_TRUE(program.m_pTemplate->GetDocString(str, CDocTemplate::docName));
    EXPECT_STREQ("Sheet", str);
    EXPECT_TRUE(program.m_pTemplate->GetDocString(str, CDocTemplate::filterName));
    EXPECT_STREQ("Demo Sheets (*.dmo)", str);
    EXPECT_TRUE(program.m_pTemplate->GetDocString(str, CDocTemplate::filterExt));
    EXPECT_STREQ(".dmo", str);
    EXPECT_TRUE(program.m_pTemplate->GetDocString(str, CDocTemplate::regFileTypeName));
    EXPECT_STREQ("DocViewDemo Sheet", str);
    EXPECT_TRUE(program.m_pTemplate->m_hMenuShared != NULL);
    EXPECT_TRUE(program.m_pTemplate->m_hAccelTable != NULL);

    // files are matched by extension, whatever its case
    CDocument* pMatch = NULL;
    EXPECT_EQ(CDocTemplate::yesAttemptNative, program.m_pTemplate->MatchDocType("C:\\a\\b.DMO", pMatch));
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, program.m_pTemplate->MatchDocType("C:\\a\\b.txt", pMatch));
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, program.m_pTemplate->MatchDocType("C:\\a.dmo\\b", pMatch));
}

TEST(DocTemplate, FileNewMakesNumberedDocumentsInChildFramesWithTheTypesMenu)
{
    CDocDemoProgram program;
    ASSERT_TRUE(program.m_pMainFrame != NULL);
    HMENU hMainMenu = ::GetMenu(program.m_pMainFrame->m_hWnd);

    program.Command(ID_FILE_NEW);
    program.Command(ID_FILE_NEW);
    EXPECT_EQ(2, program.CountDocs());
    EXPECT_EQ(2, CountChildFrames(program));

    CDemoSheetDoc* pDoc = program.ActiveDoc();
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_STREQ("Sheet2", pDoc->GetTitle());
    EXPECT_EQ(program.m_pTemplate, pDoc->GetDocTemplate());
    EXPECT_EQ(1, pDoc->m_boxes.GetSize()) << "OnNewDocument ran";
    EXPECT_FALSE(pDoc->IsModified());

    CMDIChildWnd* pChild = program.ActiveChild();
    ASSERT_TRUE(pChild != NULL);
    EXPECT_TRUE(pChild->IsKindOf(RUNTIME_CLASS(CDemoChildFrame)));
    EXPECT_STREQ("Sheet2", WindowText(pChild));
    EXPECT_TRUE(pChild->IsWindowVisible());

    // the document type's menu and accelerators come from the template
    EXPECT_EQ(program.m_pTemplate->m_hMenuShared, pChild->m_hMenuShared);
    EXPECT_EQ(program.m_pTemplate->m_hAccelTable, pChild->m_hAccelTable);
    EXPECT_EQ(program.m_pTemplate->m_hMenuShared, ::GetMenu(program.m_pMainFrame->m_hWnd));
    EXPECT_NE(hMainMenu, ::GetMenu(program.m_pMainFrame->m_hWnd));

    // the view in the splitter shows the document with its scroll size
    CDemoSheetView* pView = program.ActiveView();
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(pDoc, pView->GetDocument());
    EXPECT_EQ(CSize(1500, 1200), pView->GetTotalSize());
}

TEST(DocTemplate, CommandsGoFromTheDocumentOnToItsTemplate)
{
    CDocDemoProgram program;
    program.Command(ID_FILE_NEW);
    program.Command(ID_DEMO_TEMPLATECMD);
    EXPECT_EQ(1, program.m_pTemplate->m_nTemplateCommands);

    // the document's own command
    program.Command(ID_DEMO_ADDBOX);
    EXPECT_EQ(2, program.ActiveDoc()->m_boxes.GetSize());
    EXPECT_TRUE(program.ActiveDoc()->IsModified());

    // without a document nothing routes to the template
    program.ActiveDoc()->SetModifiedFlag(FALSE);
    program.Command(ID_FILE_CLOSE);
    program.Command(ID_DEMO_TEMPLATECMD);
    EXPECT_EQ(1, program.m_pTemplate->m_nTemplateCommands);
}

TEST(DocTemplate, AClosedDocumentLeavesItsTemplateAndTheMenuGoesBack)
{
    CDocDemoProgram program;
    HMENU hMainMenu = ::GetMenu(program.m_pMainFrame->m_hWnd);
    program.Command(ID_FILE_NEW);
    EXPECT_EQ(1, CDemoSheetDoc::s_nLive);
    program.Command(ID_FILE_CLOSE);
    EXPECT_EQ(0, CDemoSheetDoc::s_nLive);
    EXPECT_EQ(0, CDemoChildFrame::s_nLive);
    EXPECT_EQ(NULL, program.m_pTemplate->GetFirstDocPosition());
    EXPECT_EQ(hMainMenu, ::GetMenu(program.m_pMainFrame->m_hWnd));
}

TEST(DocTemplate, WindowNewShowsTheDocumentInNumberedFrames)
{
    CDocDemoProgram program;
    program.Command(ID_FILE_NEW);
    CDemoSheetDoc* pDoc = program.ActiveDoc();
    CMDIChildWnd* pFirst = program.ActiveChild();
    program.Command(ID_WINDOW_NEW);
    CMDIChildWnd* pSecond = program.ActiveChild();
    ASSERT_NE(pFirst, pSecond);
    EXPECT_EQ(pDoc, pSecond->GetActiveDocument());
    EXPECT_EQ(1, program.CountDocs());
    EXPECT_STREQ("Sheet1:1", WindowText(pFirst));
    EXPECT_STREQ("Sheet1:2", WindowText(pSecond));

    // closing one of two frames asks nothing and keeps the document
    pDoc->SetModifiedFlag();
    CMessageBoxRecorder boxes;
    pSecond->SendMessage(WM_CLOSE);
    EXPECT_EQ(0, boxes.GetCount());
    EXPECT_EQ(1, CDemoSheetDoc::s_nLive);
    EXPECT_STREQ("Sheet1", WindowText(pFirst));
}

/////////////////////////////////////////////////////////////////////////////
// Files

TEST(DocFiles, SaveAsWritesUnderTheChosenNameAndTheDocumentTakesIt)
{
    CDemoFolder folder;
    CDocDemoProgram program;
    program.Command(ID_FILE_NEW);
    program.Command(ID_DEMO_ADDBOX);

    CDialogScript script;
    script.OnFileDialog(folder.File("first"));
    program.Command(ID_FILE_SAVE_AS);

    // the dialog proposed the title with the template's extension and filter
    ASSERT_EQ(1, script.GetRecordCount());
    const CDialogScript::CRecord& record = script.GetRecord(0);
    EXPECT_FALSE(record.m_bOpenFileDialog);
    EXPECT_STREQ("Sheet1.dmo", record.m_strFileName);
    EXPECT_STREQ("dmo", record.m_strDefExt);
    EXPECT_NE(-1, record.m_strFilter.Find("Demo Sheets (*.dmo)|*.dmo|"));
    EXPECT_NE(-1, record.m_strFilter.Find("*.*"));

    CString strPath = folder.File("first.dmo");
    CDemoSheetDoc* pDoc = program.ActiveDoc();
    EXPECT_STREQ(strPath, pDoc->GetPathName());
    EXPECT_NE(-1, pDoc->GetTitle().Find("first"));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_NE(-1, WindowText(program.ActiveChild()).Find("first"));
    EXPECT_STREQ(strPath, (*program.m_pApp->m_pRecentFileList)[0]);

    // the file holds both boxes
    pDoc->OnCloseDocument();
    CDemoSheetDoc* pOpened = (CDemoSheetDoc*)program.m_pApp->OpenDocumentFile(strPath);
    ASSERT_TRUE(pOpened != NULL);
    ASSERT_EQ(2, pOpened->m_boxes.GetSize());
    EXPECT_EQ(CRect(50, 100, 150, 150), pOpened->m_boxes[1]);
}

TEST(DocFiles, OpenReadsTheFileAndOpeningItAgainOnlyActivatesIt)
{
    CDemoFolder folder;
    CDocDemoProgram program;
    CString strPath = MakeSheetFile(program, folder, "open.dmo", 3);
    EXPECT_EQ(0, program.CountDocs());

    CDialogScript script;
    script.OnFileDialog(strPath);
    program.Command(ID_FILE_OPEN);
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_TRUE(script.GetRecord(0).m_bOpenFileDialog);
    EXPECT_NE(0u, script.GetRecord(0).m_dwFlags & OFN_FILEMUSTEXIST);

    CDemoSheetDoc* pDoc = program.ActiveDoc();
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(3, pDoc->m_boxes.GetSize());
    EXPECT_STREQ(strPath, pDoc->GetPathName());
    EXPECT_FALSE(pDoc->IsModified());

    // a second document, then the first file again: its frame comes back
    program.Command(ID_FILE_NEW);
    EXPECT_NE(pDoc, program.ActiveDoc());
    EXPECT_EQ(pDoc, program.m_pApp->OpenDocumentFile(strPath));
    EXPECT_EQ(2, program.CountDocs());
    EXPECT_EQ(pDoc, program.ActiveDoc());
}

TEST(DocFiles, SaveWritesTheDocumentsOwnFileWithoutAsking)
{
    CDemoFolder folder;
    CDocDemoProgram program;
    CString strPath = MakeSheetFile(program, folder, "own.dmo", 1);
    ASSERT_TRUE(program.m_pApp->OpenDocumentFile(strPath) != NULL);
    program.Command(ID_DEMO_ADDBOX);

    CDialogScript script;       // no dialog may open
    program.Command(ID_FILE_SAVE);
    EXPECT_EQ(0, script.GetRecordCount());
    EXPECT_FALSE(program.ActiveDoc()->IsModified());

    program.ActiveDoc()->OnCloseDocument();
    CDemoSheetDoc* pDoc = (CDemoSheetDoc*)program.m_pApp->OpenDocumentFile(strPath);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(2, pDoc->m_boxes.GetSize());
    EXPECT_EQ(1u, folder.ListFiles().size()) << "no temporary file stays";
}

TEST(DocFiles, ACopyIsSavedWithoutChangingTheDocumentsFileOrState)
{
    CDemoFolder folder;
    CDocDemoProgram program;
    CString strPath = MakeSheetFile(program, folder, "original.dmo", 1);
    CDemoSheetDoc* pDoc = (CDemoSheetDoc*)program.m_pApp->OpenDocumentFile(strPath);
    ASSERT_TRUE(pDoc != NULL);
    pDoc->OnAddBox();

    CString strCopy = folder.File("copy.dmo");
    EXPECT_TRUE(pDoc->DoSave(strCopy, FALSE));
    EXPECT_STREQ(strPath, pDoc->GetPathName());
    EXPECT_TRUE(pDoc->IsModified()) << "the document's own file still lacks the change";
    EXPECT_NE(DemoReadFile(strPath), DemoReadFile(strCopy));
}

TEST(DocFiles, SaveOfANewDocumentAsksForAName)
{
    CDemoFolder folder;
    CDocDemoProgram program;
    program.Command(ID_FILE_NEW);
    CDialogScript script;
    script.OnFileDialog(folder.File("named.dmo"));
    program.Command(ID_FILE_SAVE);
    EXPECT_EQ(1, script.GetRecordCount());
    EXPECT_STREQ(folder.File("named.dmo"), program.ActiveDoc()->GetPathName());
    EXPECT_NE("<missing>", DemoReadFile(folder.File("named.dmo")));
}

TEST(DocFiles, AFailedSaveKeepsTheOldFileAndTheDocumentModified)
{
    CDemoFolder folder;
    CDocDemoProgram program;
    CString strPath = MakeSheetFile(program, folder, "keep.dmo", 2);
    std::string before = DemoReadFile(strPath);
    ASSERT_TRUE(program.m_pApp->OpenDocumentFile(strPath) != NULL);
    program.Command(ID_DEMO_ADDBOX);
    program.Command(ID_DEMO_ADDBOX);

    // the disk fills up after the first box
    CDemoSheetDoc::s_nFailWriteAfter = 1;
    CMessageBoxRecorder boxes;
    program.Command(ID_FILE_SAVE);
    CDemoSheetDoc::s_nFailWriteAfter = -1;

    EXPECT_EQ(before, DemoReadFile(strPath));
    ASSERT_EQ(1u, folder.ListFiles().size()) << "the half-written file is gone";
    EXPECT_STREQ("keep.dmo", folder.ListFiles()[0]);
    EXPECT_TRUE(program.ActiveDoc()->IsModified());
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_NE(0u, boxes.GetCall(0).m_nType & MB_ICONEXCLAMATION);

    // the next save succeeds
    program.Command(ID_FILE_SAVE);
    EXPECT_FALSE(program.ActiveDoc()->IsModified());
    EXPECT_NE(before, DemoReadFile(strPath));
}

TEST(DocFiles, ClosingAModifiedDocumentAsksAndFollowsTheAnswer)
{
    CDemoFolder folder;
    CDocDemoProgram program;
    program.Command(ID_FILE_NEW);
    program.Command(ID_DEMO_ADDBOX);

    CMessageBoxRecorder boxes;
    boxes.AddAnswer(IDCANCEL);
    program.Command(ID_FILE_CLOSE);
    EXPECT_EQ(1, program.CountDocs()) << "Cancel keeps it";
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Save changes to Sheet1?", boxes.GetCall(0).m_strText);

    boxes.AddAnswer(IDNO);
    program.Command(ID_FILE_CLOSE);
    EXPECT_EQ(0, program.CountDocs());
    EXPECT_EQ(0, CDemoChildFrame::s_nLive);

    // Yes saves through the Save As dialog first
    program.Command(ID_FILE_NEW);
    program.Command(ID_DEMO_ADDBOX);
    CDialogScript script;
    script.OnFileDialog(folder.File("closed.dmo"));
    boxes.AddAnswer(IDYES);
    program.Command(ID_FILE_CLOSE);
    EXPECT_EQ(0, program.CountDocs());
    EXPECT_NE("<missing>", DemoReadFile(folder.File("closed.dmo")));

    // cancelling that dialog cancels the close
    program.Command(ID_FILE_NEW);
    program.Command(ID_DEMO_ADDBOX);
    script.CancelFileDialog();
    boxes.AddAnswer(IDYES);
    program.Command(ID_FILE_CLOSE);
    EXPECT_EQ(1, program.CountDocs());
}

TEST(DocFiles, ClosingTheMainWindowAsksForEveryModifiedDocument)
{
    CDocDemoProgram program;
    program.Command(ID_FILE_NEW);
    program.Command(ID_DEMO_ADDBOX);
    program.Command(ID_FILE_NEW);
    program.Command(ID_DEMO_ADDBOX);

    CMessageBoxRecorder boxes;
    boxes.AddAnswer(IDNO);
    boxes.AddAnswer(IDCANCEL);
    program.m_pMainFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(2, boxes.GetCount());
    EXPECT_TRUE(::IsWindow(program.m_pMainFrame->m_hWnd));
    EXPECT_EQ(2, program.CountDocs());

    boxes.AddAnswer(IDNO);
    boxes.AddAnswer(IDNO);
    HWND hMain = program.m_pMainFrame->m_hWnd;
    program.m_pMainFrame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hMain));
    EXPECT_EQ(0, CDemoSheetDoc::s_nLive);
    program.m_pMainFrame = NULL;
}

TEST(DocFiles, RecentFileCommandOpensTheFileAndForgetsAMissingOne)
{
    CDemoFolder folder;
    CDocDemoProgram program;
    CString strPath = MakeSheetFile(program, folder, "recent.dmo", 2);
    EXPECT_STREQ(strPath, (*program.m_pApp->m_pRecentFileList)[0]);

    program.Command(ID_FILE_MRU_FILE1);
    ASSERT_TRUE(program.ActiveDoc() != NULL);
    EXPECT_EQ(2, program.ActiveDoc()->m_boxes.GetSize());
    program.ActiveDoc()->OnCloseDocument();

    ::DeleteFileA(strPath);
    CMessageBoxRecorder boxes;
    program.Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(0, program.CountDocs());
    EXPECT_EQ(1, boxes.GetCount());
    EXPECT_TRUE((*program.m_pApp->m_pRecentFileList)[0].IsEmpty()) << "the missing file left the list";
}

TEST(DocFiles, AFileOfAnotherFormatOpensNothingAndLeavesNoWindow)
{
    CDemoFolder folder;
    CDocDemoProgram program;
    CString strPath = folder.File("other.dmo");
    DemoWriteFile(strPath, "this is no sheet at all");

    CMessageBoxRecorder boxes;
    EXPECT_EQ(NULL, program.m_pApp->OpenDocumentFile(strPath));
    EXPECT_EQ(0, program.CountDocs());
    EXPECT_EQ(0, CDemoSheetDoc::s_nLive);
    EXPECT_EQ(0, CDemoChildFrame::s_nLive);
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Unexpected file format.", boxes.GetCall(0).m_strText);
    EXPECT_TRUE((*program.m_pApp->m_pRecentFileList)[0].IsEmpty());
}
