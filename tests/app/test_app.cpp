// The application object: folders, start-up, the command line, the static tables, the
// about box and the link label.

#include "doc_program.h"
#include "test_support.h"
#include "app/AboutDlg.h"
#include "app/LinkLabel.h"

#include <shlobj.h>
#include <stdlib.h>

namespace
{

// Replaces the program's arguments for the length of a test.
class CArguments
{
public:
    explicit CArguments(std::vector<std::string> args) : m_args(std::move(args))
    {
        m_nOldArgc = __argc;
        m_ppOldArgv = __argv;
        for (std::string& arg : m_args)
            m_argv.push_back(&arg[0]);
        m_argv.push_back(NULL);
        __argc = (int)m_args.size();
        __argv = m_argv.data();
    }
    ~CArguments()
    {
        __argc = m_nOldArgc;
        __argv = m_ppOldArgv;
    }

private:
    std::vector<std::string> m_args;
    std::vector<char*> m_argv;
    int m_nOldArgc;
    char** m_ppOldArgv;
};

} // namespace

TEST(ApplicationFolders, ProgramFolderIsTheTextBeforeTheLastBackslash)
{
    EXPECT_STREQ("C:\\X", CVarnelApp::FolderOfModulePath("C:\\X\\prog.exe"));
    EXPECT_STREQ("prog.exe", CVarnelApp::FolderOfModulePath("prog.exe"));
    EXPECT_STREQ("C:\\a\\b", CVarnelApp::FolderOfModulePath("C:\\a\\b\\c"));
}

TEST(ApplicationStartUp, SetsTheFoldersTheRegistryKeyTheTemplateAndTheMainWindow)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    ASSERT_TRUE(program.m_bStarted);
    CVarnelApp* pApp = program.m_pApp;
    EXPECT_EQ(pApp, GetVarnelApp());
    EXPECT_STREQ(ProgramFolder() + "\\Graphics", pApp->m_strGraphicsFolder);
    EXPECT_STREQ(ProgramFolder() + "\\Backgrounds", pApp->m_strBackgroundsFolder);
    char szDocuments[MAX_PATH] = "";
    ::SHGetSpecialFolderPathA(NULL, szDocuments, CSIDL_PERSONAL, FALSE);
    EXPECT_STREQ(szDocuments, pApp->m_strMyDocumentsFolder);
    EXPECT_EQ(300, pApp->m_nImageDpi);
    EXPECT_NE(0u, pApp->m_gdiplusToken);
    EXPECT_STREQ(program.m_strCompany, pApp->m_pszRegistryKey);
    EXPECT_STREQ("Stickwell", pApp->m_pszProfileName);
    EXPECT_STREQ(program.OptionsKeyPath(), CVarnelDoc::GetOptionsKeyPath());

    POSITION pos = pApp->GetFirstDocTemplatePosition();
    ASSERT_TRUE(pos != NULL);
    CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
    EXPECT_TRUE(pos == NULL);
    CString str;
    ASSERT_TRUE(pTemplate->GetDocString(str, CDocTemplate::filterExt));
    EXPECT_STREQ(".labf", str);
    ASSERT_TRUE(pTemplate->GetDocString(str, CDocTemplate::docName));
    EXPECT_STREQ("Untitled", str);
    EXPECT_EQ(RUNTIME_CLASS(CVarnelDoc), pTemplate->m_pDocClass);

    ASSERT_TRUE(pApp->m_pMainWnd != NULL);
    EXPECT_TRUE(pApp->m_pMainWnd->IsWindowVisible());
    EXPECT_TRUE(pApp->m_pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)));
    EXPECT_EQ(0, boxes.GetCount());
}

TEST(ApplicationStartUp, WithoutArgumentsANewPublicationGoesThroughTheWizard)
{
    CMessageBoxRecorder boxes;
    CArguments args({ "Stickwell.exe" });
    CVarnelApp* pApp = NULL;
    {
        CDocProgram program;
        pApp = program.m_pApp;
        program.CloseAll();
        CDialogScript script;
        CWizardAnswer answer;
        answer.nCategory = 5;
        answer.fWidth = 8.5;
        answer.fHeight = 11;
        ScriptWizard(script, answer);
        CCommandLineInfo cmdInfo;
        pApp->ParseCommandLine(cmdInfo);
        EXPECT_EQ(CCommandLineInfo::FileNew, cmdInfo.m_nShellCommand);
        EXPECT_TRUE(pApp->ProcessShellCommand(cmdInfo));
        EXPECT_EQ(1, script.GetRecordCount());
        ASSERT_TRUE(program.ActiveDoc() != NULL);
        EXPECT_EQ(5, program.ActiveDoc()->m_nPublicationType);
    }
}

TEST(ApplicationStartUp, APathOnTheCommandLineOpensThatFile)
{
    CMessageBoxRecorder boxes;
    CTempFolder folder;
    const CString strPath = folder.File("given.labf");
    {
        CVarnelDoc doc;
        doc.m_nDesignWidth = 444;
        ASSERT_TRUE(doc.DoSave(strPath, FALSE));
    }
    CArguments args({ "Stickwell.exe", (LPCTSTR)strPath });
    CDocProgram program;
    CDialogScript script;       // no wizard
    CCommandLineInfo cmdInfo;
    program.m_pApp->ParseCommandLine(cmdInfo);
    EXPECT_EQ(CCommandLineInfo::FileOpen, cmdInfo.m_nShellCommand);
    EXPECT_TRUE(program.m_pApp->ProcessShellCommand(cmdInfo));
    EXPECT_EQ(0, script.GetRecordCount());
    ASSERT_TRUE(program.ActiveDoc() != NULL);
    EXPECT_EQ(444, program.ActiveDoc()->m_nDesignWidth);
}

TEST(ApplicationStartUp, RecentFilesKeepFourEntries)
{
    CMessageBoxRecorder boxes;
    CTempFolder folder;
    CDocProgram program;
    for (int i = 0; i < 6; i++)
    {
        CString strName;
        strName.Format("recent%d.labf", i);
        CVarnelDoc doc;
        ASSERT_TRUE(doc.DoSave(folder.File(strName), FALSE));
        ASSERT_TRUE(program.m_pApp->OpenDocumentFile(folder.File(strName)) != NULL);
    }
    program.CloseAll();
    program.m_pApp->SaveStdProfileSettings();
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER,
                                             CString("Software\\") + program.m_strCompany +
                                                 "\\Stickwell\\Recent File List",
                                             0, KEY_READ, &hKey));
    DWORD nValues = 0;
    ::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &nValues, NULL, NULL, NULL, NULL);
    ::RegCloseKey(hKey);
    EXPECT_EQ(4u, nValues);
}

TEST(AboutBox, ShowsTheProductAndALinkWithItsCursor)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    CString strCompany, strProduct;
    int nLinkType = -1;
    HCURSOR hCursor = NULL;
    LONG nWeight = 0;
    CDialogScript script;
    script.OnDialog(IDD_ABOUTBOX).Do([&](CWnd* pDlg) {
        CAboutDlg* pAbout = (CAboutDlg*)pDlg;
        pDlg->GetDlgItemText(IDC_ABOUT_COMPANY, strCompany);
        pDlg->GetDlgItemText(IDC_ABOUT_PRODUCT, strProduct);
        nLinkType = pAbout->m_lblLink.m_nLinkType;
        hCursor = pAbout->m_lblLink.m_hLinkCursor;
        nWeight = pAbout->m_lblProduct.m_lf.lfWeight;
    }).OK();
    program.Command(ID_APP_ABOUT);
    EXPECT_EQ(1, script.GetRecordCount());
    EXPECT_STREQ("Quorvane", strCompany);
    EXPECT_STREQ("Stickwell", strProduct);
    EXPECT_EQ(1, nLinkType);
    EXPECT_TRUE(hCursor != NULL);
    EXPECT_EQ(FW_BOLD, nWeight);
}

/////////////////////////////////////////////////////////////////////////////
// Link label

namespace
{

// A parent window that counts the link notifications of its children.
class CNotifyParent : public CWnd
{
public:
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHDR* pHeader = (const NMHDR*)lParam;
        if (pHeader->code == LINKLABEL_NOTIFY_CLICK)
        {
            ++m_nClicks;
            m_nLastId = (UINT)wParam;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    int m_nClicks = 0;
    UINT m_nLastId = 0;
};

} // namespace

TEST(LinkLabel, GradientUsesAtMostAHundredBands)
{
    EXPECT_EQ(40, CLinkLabel::GetGradientSteps(40));
    EXPECT_EQ(100, CLinkLabel::GetGradientSteps(250));
    EXPECT_EQ(1, CLinkLabel::GetGradientSteps(0));

    // 40 pixels from black to a red of 200: one band per pixel, rising by 5
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap bitmap;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 40;
    bmi.bmiHeader.biHeight = 4;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    ASSERT_TRUE(hBitmap != NULL);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
    CLinkLabel::PaintGradient(&dc, CRect(0, 0, 40, 4), RGB(0, 0, 0), RGB(200, 0, 0), 40);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(0, 1));
    EXPECT_EQ(RGB(5, 0, 0), dc.GetPixel(1, 1));
    EXPECT_EQ(RGB(195, 0, 0), dc.GetPixel(39, 1));
    ::SelectObject(dc.m_hDC, hOld);
    ::DeleteObject(hBitmap);
}

TEST(LinkLabel, NotifyOnlyLinkTellsTheParentInsteadOfOpening)
{
    CNotifyParent parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, CRect(0, 0, 200, 100), NULL, 0));
    CStatic control;
    ASSERT_TRUE(control.Create("link", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 1234));
    HWND hControl = control.Detach();
    CLinkLabel label;
    ASSERT_TRUE(label.SubclassWindow(hControl));
    label.SetLink(TRUE, TRUE);
    EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(1, parent.m_nClicks);
    EXPECT_EQ(1234u, parent.m_nLastId);
    label.SetLink(FALSE, FALSE);
    EXPECT_FALSE(label.GetStyle() & SS_NOTIFY);
    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(1, parent.m_nClicks);
    label.DestroyWindow();
    parent.DestroyWindow();
}

TEST(LinkLabel, SettersKeepTheirValuesAndRemakeTheFont)
{
    CLinkLabel label;
    label.SetBkColor(RGB(1, 2, 3)).SetTextColor(RGB(4, 5, 6)).SetFontBold(TRUE).SetFontItalic(TRUE);
    EXPECT_EQ(RGB(1, 2, 3), label.m_crBack);
    EXPECT_TRUE(label.m_hBackBrush != NULL);
    EXPECT_EQ(RGB(4, 5, 6), label.m_crText);
    EXPECT_EQ(FW_BOLD, label.m_lf.lfWeight);
    EXPECT_EQ(1, label.m_lf.lfItalic);
    EXPECT_TRUE(label.m_font.m_hObject != NULL);
    label.SetBkColor(RGB(0, 0, 0), RGB(255, 255, 255), TRUE);
    EXPECT_TRUE(label.m_hBackBrush == NULL);
    EXPECT_TRUE(label.m_bGradient);
    label.SetFontRotation(90, TRUE);
    EXPECT_EQ(900, label.m_lf.lfEscapement);
    EXPECT_EQ(900, label.m_lf.lfOrientation);
}

TEST(ApplicationCommands, ExploreSamplesStartsInTheSamplesFolderAndOpensTheChoice)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    const CString strSamples = ProgramFolder() + "\\Samples";
    ASSERT_TRUE(::CreateDirectoryA(strSamples, NULL) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    const CString strSample = strSamples + "\\sample.labf";
    {
        CVarnelDoc doc;
        doc.m_nDesignHeight = 321;
        ASSERT_TRUE(doc.DoSave(strSample, FALSE));
    }
    const CString strDocuments = program.m_pApp->m_strMyDocumentsFolder;
    CDialogScript script;
    script.OnFileDialog(strSample);
    program.Command(ID_FILE_EXPLORE_SAMPLES);
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_STREQ(strSamples, script.GetRecord(0).m_strInitialDir);
    EXPECT_STREQ("Label Files (*.labf)|*.labf|", script.GetRecord(0).m_strFilter);
    ASSERT_TRUE(program.ActiveDoc() != NULL);
    EXPECT_EQ(321, program.ActiveDoc()->m_nDesignHeight);
    EXPECT_STREQ(strDocuments, program.m_pApp->m_strMyDocumentsFolder);     // unchanged
    program.CloseAll();
    RemoveFolderTree(strSamples);
}
