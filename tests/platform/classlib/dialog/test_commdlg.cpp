// Common dialogs answered by script, and a real file dialog with a child
// template and hook procedure driven by a step.

#include "dlgtest.h"
#include "test_support.h"

namespace
{

const char* const g_pszPictureFilter =
    "Bitmap image(*.bmp)|*.bmp|JPEG image(*.jpg)|*.jpg|GIF image(*.gif)|*.gif|PNG image(*.png)|*.png||"
    "Tiff image(*.tif)|*.tif||";

} // namespace

TEST(FileDialog, OpenDialogAnsweredByScript)
{
    CTempFile file("data.mdb");
    CFileDialog dlg(TRUE, NULL, NULL, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING,
                    "MS Acccess DB(.mdb)|*.mdb|All Files (*.*)|*.*|");
    dlg.m_ofn.lpstrInitialDir = file.m_strFolder;
    CDialogScript script;
    script.OnFileDialog(file.m_strPath);
    ASSERT_EQ(IDOK, dlg.DoModal());

    EXPECT_STREQ(file.m_strPath, dlg.GetPathName());
    CString strName = file.m_strPath.Mid(file.m_strPath.ReverseFind('\\') + 1);
    EXPECT_STREQ(strName, dlg.GetFileName());
    EXPECT_STREQ("mdb", dlg.GetFileExt());
    EXPECT_STREQ(strName.Left(strName.GetLength() - 4), dlg.GetFileTitle());
    EXPECT_EQ(1u, dlg.m_ofn.nFilterIndex);

    ASSERT_EQ(1, script.GetRecordCount());
    const CDialogScript::CRecord& record = script.GetRecord(0);
    EXPECT_EQ(CDialogScript::kindFile, record.m_nKind);
    EXPECT_TRUE(record.m_bOpenFileDialog);
    EXPECT_STREQ("MS Acccess DB(.mdb)|*.mdb|All Files (*.*)|*.*|", record.m_strFilter);
    EXPECT_STREQ(file.m_strFolder, record.m_strInitialDir);
    EXPECT_EQ((DWORD)(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_ENABLEHOOK),
              record.m_dwFlags);
}

TEST(FileDialog, DoubleBarEndsTheFilterList)
{
    CFileDialog dlg(FALSE, NULL, NULL, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, g_pszPictureFilter);
    dlg.m_ofn.nFilterIndex = 1;
    {
        CCaptureFailures failures;
        CDialogScript script;
        script.OnFileDialog("C:\\pictures\\card", 5);
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_STREQ("Bitmap image(*.bmp)|*.bmp|JPEG image(*.jpg)|*.jpg|GIF image(*.gif)|*.gif|"
                     "PNG image(*.png)|*.png|", script.GetRecord(0).m_strFilter);
        EXPECT_TRUE(failures.Contains("the dialog has no filter 5"));
    }
    CDialogScript script;
    script.OnFileDialog("C:\\pictures\\card", 4);
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(4u, dlg.m_ofn.nFilterIndex);
    // no extension typed and none to add: the caller sees an empty extension
    EXPECT_STREQ("", dlg.GetFileExt());
    EXPECT_STREQ("card", dlg.GetFileTitle());
    EXPECT_STREQ("C:\\pictures\\card", dlg.GetPathName());
}

TEST(FileDialog, DefaultExtensionIsAddedOnlyWithoutOne)
{
    {
        CFileDialog dlg(FALSE, "lbft", "Party", OFN_OVERWRITEPROMPT, "Label Templates(.lbft)|*.lbft|");
        CDialogScript script;
        script.OnFileDialog("C:\\Templates\\Party");
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_STREQ("C:\\Templates\\Party.lbft", dlg.GetPathName());
        EXPECT_STREQ("lbft", dlg.GetFileExt());
        EXPECT_FALSE(dlg.m_ofn.Flags & OFN_EXTENSIONDIFFERENT);
        EXPECT_STREQ("Party", script.GetRecord(0).m_strFileName);
        EXPECT_STREQ("lbft", script.GetRecord(0).m_strDefExt);
        EXPECT_FALSE(script.GetRecord(0).m_bOpenFileDialog);
    }
    {
        CFileDialog dlg(FALSE, "lbft");
        CDialogScript script;
        script.OnFileDialog("C:\\Templates\\my.txt");
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_STREQ("C:\\Templates\\my.txt", dlg.GetPathName());
        EXPECT_STREQ("txt", dlg.GetFileExt());
        EXPECT_TRUE(dlg.m_ofn.Flags & OFN_EXTENSIONDIFFERENT);
    }
}

TEST(FileDialog, MissingFileIsRefusedWhenItMustExist)
{
    CCaptureFailures failures;
    CFileDialog dlg(TRUE, NULL, "start.txt", OFN_FILEMUSTEXIST);
    {
        CDialogScript script;
        script.OnFileDialog("C:\\no such folder\\missing.txt");
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    EXPECT_TRUE(failures.Contains("does not exist (OFN_FILEMUSTEXIST)"));
    EXPECT_STREQ("start.txt", dlg.GetPathName());
}

TEST(FileDialog, CancelKeepsTheInitialName)
{
    CFileDialog dlg(TRUE, NULL, "start.txt");
    CDialogScript script;
    script.CancelFileDialog();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("start.txt", dlg.GetPathName());
    EXPECT_EQ(IDCANCEL, script.GetRecord(0).m_nResult);
}

namespace
{

// What the hook procedure of the picture dialog saw.
struct CHookLog
{
    BOOL m_bInit = FALSE;
    BOOL m_bInitDone = FALSE;
    BOOL m_bTemplateControl = FALSE;
    BOOL m_bFileOK = FALSE;
    CString m_strSelected;
};
CHookLog g_hookLog;

UINT_PTR CALLBACK PreviewHookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        g_hookLog.m_bInit = TRUE;
        g_hookLog.m_bTemplateControl = ::GetDlgItem(hWnd, IDC_PREVIEW_SHOW) != NULL;
    }
    else if (message == WM_NOTIFY)
    {
        OFNOTIFYA* pNotify = (OFNOTIFYA*)lParam;
        if (pNotify->hdr.code == CDN_INITDONE)
            g_hookLog.m_bInitDone = TRUE;
        else if (pNotify->hdr.code == CDN_FILEOK)
        {
            char szPath[1024] = "";
            ::SendMessageA(::GetParent(hWnd), CDM_GETFILEPATH, sizeof(szPath), (LPARAM)szPath);
            g_hookLog.m_bFileOK = TRUE;
            g_hookLog.m_strSelected = szPath;
        }
    }
    return 0;   // the system's processing goes on
}

// The class library's own hook calls the virtual notifications.
class CCheckedFileDialog : public CFileDialog
{
public:
    CCheckedFileDialog() : CFileDialog(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST) {}
    int m_nInitDone = 0;
    CString m_strChecked;
    virtual void OnInitDone() override { ++m_nInitDone; }
    virtual BOOL OnFileNameOK() override
    {
        m_strChecked = GetPathName();
        return FALSE;
    }
};

} // namespace

TEST(FileDialog, RealDialogWithChildTemplateAndHookIsDrivenByAStep)
{
    CTempFile file("picture.bmp");
    g_hookLog = CHookLog();
    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, g_pszPictureFilter);
    dlg.m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    dlg.m_ofn.hInstance = ::GetModuleHandleA(NULL);
    dlg.m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_PREVIEW);
    dlg.m_ofn.lpfnHook = PreviewHookProc;
    dlg.m_ofn.lpstrInitialDir = file.m_strFolder;

    // the user types the name in the folder the dialog shows
    CDialogScript script;
    CString strName = file.m_strPath.Mid(file.m_strFolder.GetLength() + 1);
    script.OnCommonDialog([strName](HWND hDlg)
    {
        ::SendMessageA(hDlg, CDM_SETCONTROLTEXT, cmb13, (LPARAM)(LPCTSTR)strName);
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(0, script.GetFailureCount());
    EXPECT_TRUE(g_hookLog.m_bInit);
    EXPECT_TRUE(g_hookLog.m_bTemplateControl);
    EXPECT_TRUE(g_hookLog.m_bInitDone);
    EXPECT_TRUE(g_hookLog.m_bFileOK);
    EXPECT_EQ(0, g_hookLog.m_strSelected.CompareNoCase(file.m_strPath))
        << (LPCTSTR)g_hookLog.m_strSelected << " / " << (LPCTSTR)file.m_strPath;
    EXPECT_EQ(0, dlg.GetPathName().CompareNoCase(file.m_strPath));
    EXPECT_STREQ("bmp", dlg.GetFileExt());
    EXPECT_EQ(IDOK, script.GetRecord(0).m_nResult);
}

TEST(FileDialog, RealDialogCallsTheVirtualNotifications)
{
    CTempFile file("notes.txt");
    CCheckedFileDialog dlg;
    dlg.m_ofn.lpstrInitialDir = file.m_strFolder;
    CDialogScript script;
    CString strName = file.m_strPath.Mid(file.m_strFolder.GetLength() + 1);
    script.OnCommonDialog([strName](HWND hDlg)
    {
        ::SendMessageA(hDlg, CDM_SETCONTROLTEXT, cmb13, (LPARAM)(LPCTSTR)strName);
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, dlg.m_nInitDone);
    EXPECT_EQ(0, dlg.m_strChecked.CompareNoCase(file.m_strPath))
        << (LPCTSTR)dlg.m_strChecked << " / " << (LPCTSTR)file.m_strPath;
    EXPECT_EQ(0, dlg.GetPathName().CompareNoCase(file.m_strPath));
}

// A name that does not exist makes the real dialog open its own message box in front of
// it. The driver must cancel both instead of leaving the test waiting for a user.
TEST(FileDialog, RealDialogStuckBehindItsMessageBoxIsCancelled)
{
    CTempFile file("exists.txt");
    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "All Files (*.*)|*.*||");
    dlg.m_ofn.lpstrInitialDir = file.m_strFolder;
    CCaptureFailures failures;
    CDialogScript script;
    script.OnCommonDialog([](HWND hDlg)
    {
        ::SendMessageA(hDlg, CDM_SETCONTROLTEXT, cmb13, (LPARAM) "no such file here.txt");
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
    });
    const DWORD dwStart = ::GetTickCount();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_LT(::GetTickCount() - dwStart, 4 * CDialogScript::GetWatchdog());
    EXPECT_TRUE(failures.Contains("still open after")) << failures.m_failures.size();
    EXPECT_EQ(IDCANCEL, script.GetRecord(0).m_nResult);
}

TEST(ColorDialog, AnsweredByScriptWithTheInitialColourRecorded)
{
    {
        CColorDialog dlg(RGB(1, 2, 3));
        CDialogScript script;
        script.OnColorDialog(RGB(255, 127, 0));
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(RGB(255, 127, 0), dlg.GetColor());
        EXPECT_EQ(RGB(1, 2, 3), script.GetRecord(0).m_clrInitial);
        EXPECT_EQ((DWORD)CC_RGBINIT, script.GetRecord(0).m_dwFlags);
    }
    {
        // initial colour 0, no flags, no parent
        CColorDialog dlg(0, 0, NULL);
        CDialogScript script;
        script.CancelColorDialog();
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(RGB(0, 0, 0), dlg.GetColor());
        EXPECT_EQ(0u, script.GetRecord(0).m_dwFlags);
        EXPECT_EQ(dlg.m_cc.lpCustColors, CColorDialog::GetSavedCustomColors());
    }
}

TEST(PrintDialog, AnsweredWithPrinterAndDevMode)
{
    CPrintDialog dlg(TRUE);
    CDialogScript script;
    CDialogScript::CPrintAnswer answer("Label Printer", DMORIENT_LANDSCAPE);
    answer.m_nCopies = 3;
    script.OnPrintDialog(answer);
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(script.GetRecord(0).m_dwFlags & PD_PRINTSETUP);
    EXPECT_STREQ("Label Printer", dlg.GetDeviceName());
    EXPECT_STREQ("winspool", dlg.GetDriverName());
    LPDEVMODE pDevMode = dlg.GetDevMode();
    ASSERT_TRUE(pDevMode != NULL);
    EXPECT_STREQ("Label Printer", (LPCSTR)pDevMode->dmDeviceName);
    EXPECT_EQ(DMORIENT_LANDSCAPE, pDevMode->dmOrientation);
    ::GlobalUnlock(dlg.m_pd.hDevMode);
    EXPECT_EQ(3, dlg.GetCopies());
    EXPECT_TRUE(dlg.PrintAll());

    // the next answer without a printer keeps the chosen one and its settings
    script.OnPrintDialog(CDialogScript::CPrintAnswer());
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("Label Printer", dlg.GetDeviceName());
    pDevMode = dlg.GetDevMode();
    EXPECT_EQ(DMORIENT_LANDSCAPE, pDevMode->dmOrientation);
    ::GlobalUnlock(dlg.m_pd.hDevMode);
    ::GlobalFree(dlg.m_pd.hDevMode);
    ::GlobalFree(dlg.m_pd.hDevNames);
}

TEST(PrintDialog, PageRangeIsCheckedAgainstTheDialog)
{
    CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION);
    dlg.m_pd.Flags &= ~PD_RETURNDC;
    dlg.m_pd.nMinPage = 1;
    dlg.m_pd.nMaxPage = 9;
    CDialogScript::CPrintAnswer answer("Label Printer");
    answer.m_nFromPage = 2;
    answer.m_nToPage = 4;
    {
        CDialogScript script;
        script.OnPrintDialog(answer);
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_TRUE(dlg.PrintRange());
        EXPECT_EQ(2, dlg.GetFromPage());
        EXPECT_EQ(4, dlg.GetToPage());
    }
    CCaptureFailures failures;
    answer.m_nToPage = 12;
    {
        CDialogScript script;
        script.OnPrintDialog(answer);
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    EXPECT_TRUE(failures.Contains("pages 2 to 12 are outside 1 to 9"));
    ::GlobalFree(dlg.m_pd.hDevMode);
    ::GlobalFree(dlg.m_pd.hDevNames);
}

TEST(PrintDialog, AnUnknownPrinterGivesNoDeviceContext)
{
    CCaptureFailures failures;
    CPrintDialog dlg(FALSE);
    ASSERT_TRUE(dlg.m_pd.Flags & PD_RETURNDC);
    {
        CDialogScript script;
        script.OnPrintDialog(CDialogScript::CPrintAnswer("No Such Printer"));
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    EXPECT_TRUE(failures.Contains("\"No Such Printer\" gives no device context"));
    EXPECT_EQ(NULL, dlg.GetPrinterDC());
}

TEST(CommonDialogs, WithoutScriptTheWatchdogCancelsAtOnce)
{
    CCaptureFailures failures;
    ASSERT_NE(0u, CDialogScript::GetWatchdog());
    CColorDialog dlg(RGB(9, 9, 9));
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(failures.Contains("colour dialog opened without a script"));
    EXPECT_EQ(RGB(9, 9, 9), dlg.GetColor());
}
