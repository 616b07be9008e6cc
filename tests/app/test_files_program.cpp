// The program's start and end with files: every file named on the command line opens, a
// recent file deleted since is told without a window made for it, and closing the program
// with several modified publications asks about each in its own window, Cancel at any
// question keeping every publication open.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"

namespace
{
// The message boxes shown while it lives, with the document windows shown at that moment.
class CBoxWindowProbe
{
public:
    explicit CBoxWindowProbe(CMDIFrameWnd* pFrame)
    {
        s_pFrame = pFrame;
        s_texts.clear();
        s_visibleWindows.clear();
        m_pfnOld = AfxSetMessageBoxHook(Hook);
    }
    ~CBoxWindowProbe() { AfxSetMessageBoxHook(m_pfnOld); }

    static std::vector<CString> s_texts;
    static std::vector<int> s_visibleWindows;

private:
    static int AFXAPI Hook(HWND, LPCTSTR lpszText, LPCTSTR, UINT, UINT)
    {
        int nVisible = 0;
        for (HWND hChild = ::GetWindow(s_pFrame->m_hWndMDIClient, GW_CHILD); hChild != NULL;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            nVisible += ::IsWindowVisible(hChild) ? 1 : 0;
        s_texts.push_back(lpszText);
        s_visibleWindows.push_back(nVisible);
        return IDOK;
    }

    static CMDIFrameWnd* s_pFrame;
    AFX_MSGBOX_HOOK m_pfnOld;
};
std::vector<CString> CBoxWindowProbe::s_texts;
std::vector<int> CBoxWindowProbe::s_visibleWindows;
CMDIFrameWnd* CBoxWindowProbe::s_pFrame = NULL;
}

TEST(FilesClose, ExitAsksAboutEachPublicationInItsWindowAndCancelKeepsAllOpen)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    CVarnelDoc* docs[2] = {};
    for (CVarnelDoc*& pDoc : docs)
    {
        pDoc = program.NewPlainDoc();
        ASSERT_TRUE(pDoc != NULL);
        pDoc->m_listElements.AddTail(new CRectangle(CPoint(5, 5), CPoint(50, 40)));
        pDoc->SetModifiedFlag();
    }
    ASSERT_NE(docs[0], docs[1]);
    ASSERT_EQ(docs[1], program.ActiveDoc());

    // the first question shows the first publication's window
    boxes.AddAnswer(IDCANCEL);
    program.Command(ID_APP_EXIT);
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_GE(boxes.GetCall(0).m_strText.Find(docs[0]->GetTitle()), 0) << (LPCSTR)boxes.GetCall(0).m_strText;
    EXPECT_EQ(docs[0], program.ActiveDoc());
    EXPECT_EQ(2, program.CountDocs());

    // No for the first, Cancel at the second: nothing closes and nothing is lost
    boxes.Reset();
    boxes.AddAnswer(IDNO);
    boxes.AddAnswer(IDCANCEL);
    program.Command(ID_APP_EXIT);
    ASSERT_EQ(2, boxes.GetCount());
    EXPECT_GE(boxes.GetCall(1).m_strText.Find(docs[1]->GetTitle()), 0) << (LPCSTR)boxes.GetCall(1).m_strText;
    EXPECT_EQ(docs[1], program.ActiveDoc());
    EXPECT_EQ(2, program.CountDocs());
    ASSERT_TRUE(program.m_pApp->m_pMainWnd != NULL);
    EXPECT_TRUE(program.m_pApp->m_pMainWnd->IsWindowVisible());
    EXPECT_TRUE(docs[0]->IsModified() && docs[1]->IsModified());
}

// Files dropped together on the program's icon come as several arguments: each opens, a
// name with blanks too; one that is missing is told and the others still open. Only when
// none opens does the program end.
TEST(FilesCommandLine, EveryFileNamedOpensAndAMissingOneIsTold)
{
    CMessageBoxRecorder boxes;
    CTempFolder folder;
    CString paths[2] = { folder.File("first.labf"), folder.File("with blanks in it.labf") };
    for (int i = 0; i < 2; i++)
    {
        CVarnelDoc doc;
        doc.m_nDesignWidth = 300 + i;
        ASSERT_TRUE(doc.DoSave(paths[i], FALSE));
    }
    const CString strMissing = folder.File("gone.labf");
    CDocProgram program;
    CDialogScript script;       // no wizard

    std::string args[] = { "Stickwell.exe", (LPCSTR)paths[0], (LPCSTR)strMissing, (LPCSTR)paths[1] };
    char* argv[] = { &args[0][0], &args[1][0], &args[2][0], &args[3][0] };
    CFileListCommandLineInfo cmdInfo;
    program.m_pApp->ParseCommandLine(cmdInfo, 4, argv);
    EXPECT_TRUE(program.m_pApp->ProcessCommandLine(cmdInfo));
    EXPECT_EQ(0, script.GetRecordCount());
    ASSERT_EQ(2, program.CountDocs());
    ASSERT_TRUE(program.ActiveDoc() != NULL);
    EXPECT_EQ(301, program.ActiveDoc()->m_nDesignWidth);
    EXPECT_STREQ(paths[1], program.ActiveDoc()->GetPathName());
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_GE(boxes.GetCall(0).m_strText.Find("gone.labf"), 0) << (LPCSTR)boxes.GetCall(0).m_strText;

    program.CloseAll();
    char* missing[] = { &args[0][0], &args[2][0], &args[2][0] };
    CFileListCommandLineInfo noneInfo;
    program.m_pApp->ParseCommandLine(noneInfo, 3, missing);
    EXPECT_FALSE(program.m_pApp->ProcessCommandLine(noneInfo));
    EXPECT_EQ(0, program.CountDocs());
}

// A recent file deleted since it was saved: choosing it says so while only the open
// publication's window shows (no empty window for the missing one), and the entry leaves
// the list.
TEST(FilesRecent, AFileDeletedSinceIsToldWithoutAWindowForItAndLeavesTheList)
{
    CMessageBoxRecorder boxes;
    CTempFolder folder;
    CDocProgram program;
    ASSERT_TRUE(program.NewShownDoc() != NULL);     // maximised, as publications open
    const CString strGone = folder.File("gone.labf");
    CVarnelDoc* pSaved = program.NewShownDoc();
    ASSERT_TRUE(pSaved != NULL);
    ASSERT_TRUE(pSaved->DoSave(strGone, TRUE));
    pSaved->OnCloseDocument();
    ASSERT_TRUE(::DeleteFileA(strGone));
    CRecentFileList& recent = *program.m_pApp->m_pRecentFileList;
    ASSERT_EQ(0, recent[0].CompareNoCase(strGone)) << (LPCSTR)recent[0];

    {
        CBoxWindowProbe probe((CMDIFrameWnd*)program.m_pApp->m_pMainWnd);
        program.Command(ID_FILE_MRU_FILE1);
        ASSERT_EQ(1u, CBoxWindowProbe::s_texts.size());
        EXPECT_GE(CBoxWindowProbe::s_texts[0].Find("gone.labf"), 0) << (LPCSTR)CBoxWindowProbe::s_texts[0];
        EXPECT_EQ(1, CBoxWindowProbe::s_visibleWindows[0]);
    }
    EXPECT_EQ(1, program.CountDocs());
    EXPECT_TRUE(recent[0].IsEmpty()) << (LPCSTR)recent[0];
}
