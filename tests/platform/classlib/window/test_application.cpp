// The application object: command line, shell commands, profile in the
// registry, the recent-file list and its menu, DDE commands, the wait cursor.

#include "demo.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <shlobj.h>

namespace
{

const char s_szTestKey[] = "StickwellWindowTests";

// An application with its profile under a key of its own, removed afterwards.
class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\") + s_szTestKey);
        m_pApp = new CDemoApp;
        AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
        m_pApp->SetRegistryKey(s_szTestKey);
    }
    void TearDown() override
    {
        delete m_pApp;
        ::SHDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\") + s_szTestKey);
    }

    CString ReadRegString(LPCTSTR lpszSubKey, LPCTSTR lpszValue)
    {
        char szValue[512] = "";
        DWORD cb = sizeof(szValue);
        CString strKey = CString("Software\\") + s_szTestKey + "\\Window Tests\\" + lpszSubKey;
        if (::SHGetValueA(HKEY_CURRENT_USER, strKey, lpszValue, NULL, szValue, &cb) != ERROR_SUCCESS)
            return "<none>";
        return szValue;
    }

    void ParseArgs(CCommandLineInfo& info, std::vector<const char*> args)
    {
        args.insert(args.begin(), "program.exe");
        m_pApp->ParseCommandLine(info, (int)args.size(), (char**)args.data());
    }

    CDemoApp* m_pApp;
};

} // namespace

TEST_F(ProfileTest, ValuesLiveUnderCompanyAndApplicationKeys)
{
    EXPECT_STREQ("Window Tests", m_pApp->m_pszProfileName);
    EXPECT_TRUE(m_pApp->WriteProfileInt("Options", "Grid", 25));
    EXPECT_TRUE(m_pApp->WriteProfileString("Options", "Name", "Badge"));
    EXPECT_EQ(25u, m_pApp->GetProfileInt("Options", "Grid", 0));
    EXPECT_STREQ("Badge", m_pApp->GetProfileString("Options", "Name"));
    EXPECT_STREQ("Badge", ReadRegString("Options", "Name"));

    // missing values give the defaults, wrong types too
    EXPECT_EQ(7u, m_pApp->GetProfileInt("Options", "Missing", 7));
    EXPECT_EQ(9u, m_pApp->GetProfileInt("Options", "Name", 9));
    EXPECT_STREQ("dflt", m_pApp->GetProfileString("Nowhere", "x", "dflt"));

    BYTE data[] = { 1, 2, 0, 255 };
    EXPECT_TRUE(m_pApp->WriteProfileBinary("Bin", "Blob", data, sizeof(data)));
    LPBYTE pRead = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(m_pApp->GetProfileBinary("Bin", "Blob", &pRead, &nBytes));
    ASSERT_EQ(4u, nBytes);
    EXPECT_EQ(0, memcmp(data, pRead, 4));
    delete[] pRead;

    // a NULL value deletes the entry, a NULL entry the whole section
    EXPECT_TRUE(m_pApp->WriteProfileString("Options", "Name", NULL));
    EXPECT_STREQ("gone", m_pApp->GetProfileString("Options", "Name", "gone"));
    EXPECT_TRUE(m_pApp->WriteProfileString("Options", NULL, NULL));
    EXPECT_EQ(0u, m_pApp->GetProfileInt("Options", "Grid", 0));
}

TEST_F(ProfileTest, RecentFileListKeepsFourEntriesNewestFirst)
{
    m_pApp->LoadStdProfileSettings(4);
    ASSERT_TRUE(m_pApp->m_pRecentFileList != NULL);
    EXPECT_EQ(4, m_pApp->m_pRecentFileList->GetSize());

    for (const char* psz : { "C:\\a.labf", "C:\\b.labf", "C:\\c.labf", "C:\\d.labf", "C:\\e.labf" })
        m_pApp->AddToRecentFileList(psz);
    CRecentFileList& list = *m_pApp->m_pRecentFileList;
    EXPECT_STREQ("C:\\e.labf", list[0]);
    EXPECT_STREQ("C:\\b.labf", list[3]);

    // an entry opened again moves to the top, in any letter case
    m_pApp->AddToRecentFileList("c:\\C.LABF");
    EXPECT_STREQ("c:\\C.LABF", list[0]);
    EXPECT_STREQ("C:\\e.labf", list[1]);
    EXPECT_STREQ("C:\\d.labf", list[2]);
    EXPECT_STREQ("C:\\b.labf", list[3]);

    list.Remove(1);
    EXPECT_STREQ("C:\\d.labf", list[1]);
    EXPECT_TRUE(list[3].IsEmpty());
}

TEST_F(ProfileTest, RecentFileListSurvivesInTheRegistry)
{
    m_pApp->LoadStdProfileSettings(4);
    m_pApp->AddToRecentFileList("C:\\one.labf");
    m_pApp->AddToRecentFileList("C:\\two.labf");
    m_pApp->SaveStdProfileSettings();
    EXPECT_STREQ("C:\\two.labf", ReadRegString("Recent File List", "File1"));
    EXPECT_STREQ("C:\\one.labf", ReadRegString("Recent File List", "File2"));
    EXPECT_STREQ("<none>", ReadRegString("Recent File List", "File3"));

    delete m_pApp;
    m_pApp = new CDemoApp;
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    m_pApp->SetRegistryKey(s_szTestKey);
    m_pApp->LoadStdProfileSettings(4);
    EXPECT_STREQ("C:\\two.labf", (*m_pApp->m_pRecentFileList)[0]);
    EXPECT_STREQ("C:\\one.labf", (*m_pApp->m_pRecentFileList)[1]);
}

TEST_F(ProfileTest, RecentFilesAppearInTheFileMenuAndOpen)
{
    CDemoProgram* pProgram = NULL;
    delete m_pApp;
    pProgram = new CDemoProgram;
    m_pApp = pProgram->m_pApp;
    m_pApp->SetRegistryKey(s_szTestKey);
    m_pApp->LoadStdProfileSettings(4);
    ASSERT_TRUE(pProgram->CreateMainFrame(SW_HIDE));
    CMenu* pFile = pProgram->m_pMainFrame->GetMenu()->GetSubMenu(0);
    UINT nItemsBefore = pFile->GetMenuItemCount();

    // an empty list: the placeholder, disabled
    pProgram->m_pMainFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)pFile->m_hMenu, 0);
    EXPECT_NE(0u, pFile->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    CString strText;
    pFile->GetMenuString(ID_FILE_MRU_FILE1, strText, MF_BYCOMMAND);
    EXPECT_STREQ("Recent File", strText);

    m_pApp->AddToRecentFileList("C:\\Labels\\first.labf");
    m_pApp->AddToRecentFileList("C:\\Labels\\R&D.labf");
    pProgram->m_pMainFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)pFile->m_hMenu, 0);
    EXPECT_EQ(nItemsBefore + 1, pFile->GetMenuItemCount());
    pFile->GetMenuString(ID_FILE_MRU_FILE1, strText, MF_BYCOMMAND);
    EXPECT_STREQ("&1 C:\\Labels\\R&&D.labf", strText);
    pFile->GetMenuString(ID_FILE_MRU_FILE2, strText, MF_BYCOMMAND);
    EXPECT_STREQ("&2 C:\\Labels\\first.labf", strText);
    EXPECT_EQ(0u, pFile->GetMenuState(ID_FILE_MRU_FILE2, MF_BYCOMMAND) & MF_GRAYED);

    // choosing an entry opens it; one that fails to open leaves the list
    pProgram->m_pMainFrame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE2);
    ASSERT_EQ(1u, m_pApp->m_openedFiles.size());
    EXPECT_STREQ("C:\\Labels\\first.labf", m_pApp->m_openedFiles[0]);
    EXPECT_TRUE((*m_pApp->m_pRecentFileList)[1].IsEmpty());

    pProgram->CloseAll();
    PumpPendingMessages();
    m_pApp->m_pRecentFileList->m_arrNames[0].Empty();
    delete pProgram;
    m_pApp = new CDemoApp;
}

TEST(RecentFileList, LongPathsAreShortenedForTheMenu)
{
    char szPath[MAX_PATH] = "C:\\Documents and Settings\\User\\Labels\\Shipping\\address.labf";
    AfxAbbreviateName(szPath, 30, TRUE);
    EXPECT_STREQ("C:\\...\\Shipping\\address.labf", szPath);
    EXPECT_LE(strlen(szPath), 30u);

    char szShort[MAX_PATH] = "C:\\a\\b.labf";
    AfxAbbreviateName(szShort, 30, TRUE);
    EXPECT_STREQ("C:\\a\\b.labf", szShort);

    char szLongName[MAX_PATH] = "C:\\dir\\a-very-long-file-name-for-labels.labf";
    AfxAbbreviateName(szLongName, 20, TRUE);
    EXPECT_STREQ("a-very-long-file-name-for-labels.labf", szLongName) << "at least the name";
}

TEST_F(ProfileTest, CommandLineForms)
{
    CCommandLineInfo none;
    ParseArgs(none, {});
    EXPECT_EQ(CCommandLineInfo::FileNew, none.m_nShellCommand);

    CCommandLineInfo open;
    ParseArgs(open, { "C:\\x.labf" });
    EXPECT_EQ(CCommandLineInfo::FileOpen, open.m_nShellCommand);
    EXPECT_STREQ("C:\\x.labf", open.m_strFileName);

    CCommandLineInfo print;
    ParseArgs(print, { "/p", "C:\\x.labf" });
    EXPECT_EQ(CCommandLineInfo::FilePrint, print.m_nShellCommand);
    EXPECT_STREQ("C:\\x.labf", print.m_strFileName);

    CCommandLineInfo printTo;
    ParseArgs(printTo, { "-pt", "C:\\x.labf", "Printer", "Driver", "FILE:" });
    EXPECT_EQ(CCommandLineInfo::FilePrintTo, printTo.m_nShellCommand);
    EXPECT_STREQ("Printer", printTo.m_strPrinterName);
    EXPECT_STREQ("Driver", printTo.m_strDriverName);
    EXPECT_STREQ("FILE:", printTo.m_strPortName);

    CCommandLineInfo dde;
    ParseArgs(dde, { "/dde" });
    EXPECT_EQ(CCommandLineInfo::FileDDE, dde.m_nShellCommand);
}

TEST_F(ProfileTest, ShellCommandsCreateOrOpenDocuments)
{
    DemoLog().clear();
    CCommandLineInfo none;
    // a new document goes through the File New command of the application
    EXPECT_FALSE(m_pApp->ProcessShellCommand(none)) << "no main window: start-up fails";
    EXPECT_EQ("app-new", DemoLogText());

    CCommandLineInfo open;
    ParseArgs(open, { "C:\\x.labf" });
    EXPECT_FALSE(m_pApp->ProcessShellCommand(open)) << "the file did not open";
    CDemoDoc doc;
    m_pApp->m_pOpenResult = &doc;
    EXPECT_TRUE(m_pApp->ProcessShellCommand(open));
    ASSERT_EQ(2u, m_pApp->m_openedFiles.size());
    EXPECT_STREQ("C:\\x.labf", m_pApp->m_openedFiles[1]);
}

TEST_F(ProfileTest, DdeCommandsOfTheShell)
{
    CDemoDoc* pDoc = new CDemoDoc;
    m_pApp->m_pOpenResult = pDoc;
    char szOpen[] = "[open(\"C:\\Labels\\from shell.labf\")]";
    EXPECT_TRUE(m_pApp->OnDDECommand(szOpen));
    ASSERT_EQ(1u, m_pApp->m_openedFiles.size());
    EXPECT_STREQ("C:\\Labels\\from shell.labf", m_pApp->m_openedFiles[0]);

    char szBad[] = "[explode(\"x\")]";
    EXPECT_FALSE(m_pApp->OnDDECommand(szBad));
    char szBroken[] = "[open(\"unterminated)]";
    EXPECT_FALSE(m_pApp->OnDDECommand(szBroken));
    EXPECT_EQ(1u, m_pApp->m_openedFiles.size());

    // shell open registers the DDE names
    m_pApp->EnableShellOpen();
    EXPECT_NE(0, m_pApp->m_atomApp);
    EXPECT_NE(0, m_pApp->m_atomSystemTopic);
    delete pDoc;
}

TEST_F(ProfileTest, WaitCursorNestsAndRestores)
{
    HCURSOR hArrow = ::LoadCursor(NULL, IDC_ARROW);
    ::SetCursor(hArrow);
    {
        CWaitCursor wait;
        EXPECT_EQ(1, m_pApp->m_nWaitCursorCount);
        {
            CWaitCursor inner;
            EXPECT_EQ(2, m_pApp->m_nWaitCursorCount);
        }
        EXPECT_EQ(1, m_pApp->m_nWaitCursorCount);
    }
    EXPECT_EQ(0, m_pApp->m_nWaitCursorCount);
    EXPECT_EQ(hArrow, m_pApp->m_hcurWaitCursorRestore);
}

TEST_F(ProfileTest, ApplicationObjectIsTheProgramsOne)
{
    EXPECT_EQ(m_pApp, AfxGetApp());
    EXPECT_EQ(m_pApp, AfxGetThread());
    EXPECT_STREQ("Window Tests", m_pApp->m_pszAppName);
    EXPECT_STREQ("Window Tests", AfxGetAppName());
    EXPECT_STREQ("classlib_window_tests", CString(m_pApp->m_pszExeName).Left(21));
}

TEST(DroppedFiles, EachDroppedFileIsOpened)
{
    CDemoProgram program;
    ASSERT_TRUE(program.CreateMainFrame(SW_HIDE));
    program.m_pMainFrame->DragAcceptFiles();
    EXPECT_NE(0u, program.m_pMainFrame->GetExStyle() & WS_EX_ACCEPTFILES);

    // the shell's drop record: header, then zero-terminated names, then one more zero
    const char szFiles[] = "C:\\drop\\one.labf\0C:\\drop\\two.labf\0";
    HGLOBAL hDrop = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + sizeof(szFiles) + 1);
    DROPFILES* pDrop = (DROPFILES*)::GlobalLock(hDrop);
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = FALSE;
    memcpy((BYTE*)pDrop + sizeof(DROPFILES), szFiles, sizeof(szFiles));
    ::GlobalUnlock(hDrop);

    program.m_pMainFrame->SendMessage(WM_DROPFILES, (WPARAM)hDrop);
    ASSERT_EQ(2u, program.m_pApp->m_openedFiles.size());
    EXPECT_STREQ("C:\\drop\\one.labf", program.m_pApp->m_openedFiles[0]);
    EXPECT_STREQ("C:\\drop\\two.labf", program.m_pApp->m_openedFiles[1]);
}

TEST(MessageBoxes, ResourceIdPromptFallsBackToTheLibraryTexts)
{
    CMessageBoxRecorder boxes;
    AfxMessageBox(AFX_IDP_PARSE_INT, MB_OK | MB_ICONEXCLAMATION);
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Please enter an integer.", boxes.GetCall(0).m_strText);
    EXPECT_EQ((UINT)(MB_OK | MB_ICONEXCLAMATION), boxes.GetCall(0).m_nType);
}
