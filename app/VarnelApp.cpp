// VarnelApp.cpp - the application object: start-up, folders, application commands and
// the program's static tables.

#include "VarnelApp.h"
#include "AboutDlg.h"
#include "BmpDialog.h"
#include "ChildFrm.h"
#include "MainFrm.h"
#include "VarnelView.h"
#include "model/FileLimits.h"
#include "model/VarnelDoc.h"
#include "afxdlgs.h"
#include "afxole.h"
#include "resources/resource.h"
#include "resources/print_resource.h"

#include <commctrl.h>
#include <shlobj.h>
#include <shellapi.h>
#include <winspool.h>

#include <vector>

IMPLEMENT_DYNAMIC(CVarnelApp, CWinApp)

BEGIN_MESSAGE_MAP(CVarnelApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
    ON_COMMAND(ID_FILE_EXPLORE_SAMPLES, OnExploreSamples)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

namespace
{
const char kLabelFilter[] = "Label Files (*.labf)|*.labf; |All Files (*.*)|*.*|";
const char kSamplesFilter[] = "Label Files (*.labf)|*.labf||";
const DWORD kOpenFlags = OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
const int kSamplesBufferSize = 32767;

// Told in a message box and on the standard error output: without windows the box
// may not show.
void ReportStartFailure(LPCSTR pszText)
{
    const HANDLE hError = ::GetStdHandle(STD_ERROR_HANDLE);
    if (hError != NULL && hError != INVALID_HANDLE_VALUE)
    {
        DWORD nWritten = 0;
        ::WriteFile(hError, pszText, (DWORD)lstrlenA(pszText), &nWritten, NULL);
        ::WriteFile(hError, "\n", 1, &nWritten, NULL);
    }
    AfxMessageBox(pszText, MB_ICONSTOP);
}

// DEVNAMES and DEVMODE of a named printer (the driver and port given, or the printer's
// own); FALSE when there is no such printer.
BOOL MakePrinterSettings(const CString& strPrinter, const CString& strDriver, const CString& strPort,
                         HGLOBAL& hDevNames, HGLOBAL& hDevMode)
{
    HANDLE hPrinter = NULL;
    if (strPrinter.IsEmpty() || !::OpenPrinterA((LPSTR)(LPCSTR)strPrinter, &hPrinter, NULL))
        return FALSE;
    CString strDriverName = strDriver, strPortName = strPort;
    DWORD nNeeded = 0;
    ::GetPrinterA(hPrinter, 2, NULL, 0, &nNeeded);
    std::vector<BYTE> info(nNeeded > 0 ? nNeeded : 1);
    if (nNeeded > 0 && ::GetPrinterA(hPrinter, 2, info.data(), nNeeded, &nNeeded))
    {
        const PRINTER_INFO_2A* pInfo = (const PRINTER_INFO_2A*)info.data();
        if (strPortName.IsEmpty() && pInfo->pPortName != NULL)
            strPortName = pInfo->pPortName;
    }
    if (strDriverName.IsEmpty())
        strDriverName = "winspool";
    const LONG nModeSize = ::DocumentPropertiesA(NULL, hPrinter, (LPSTR)(LPCSTR)strPrinter, NULL, NULL, 0);
    hDevMode = nModeSize > 0 ? ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nModeSize) : NULL;
    DEVMODEA* pMode = hDevMode != NULL ? (DEVMODEA*)::GlobalLock(hDevMode) : NULL;
    const BOOL bMode = pMode != NULL && ::DocumentPropertiesA(NULL, hPrinter, (LPSTR)(LPCSTR)strPrinter, pMode,
                                                               NULL, DM_OUT_BUFFER) == IDOK;
    if (pMode != NULL)
        ::GlobalUnlock(hDevMode);
    ::ClosePrinter(hPrinter);
    if (!bMode)
    {
        if (hDevMode != NULL)
            ::GlobalFree(hDevMode);
        hDevMode = NULL;
        return FALSE;
    }

    // driver, device and port one after the other behind the offsets
    const int nDriver = strDriverName.GetLength() + 1;
    const int nDevice = strPrinter.GetLength() + 1;
    const int nPort = strPortName.GetLength() + 1;
    hDevNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + nDriver + nDevice + nPort);
    LPDEVNAMES pNames = hDevNames != NULL ? (LPDEVNAMES)::GlobalLock(hDevNames) : NULL;
    if (pNames == NULL)
    {
        if (hDevNames != NULL)
            ::GlobalFree(hDevNames);
        ::GlobalFree(hDevMode);
        hDevNames = hDevMode = NULL;
        return FALSE;
    }
    pNames->wDriverOffset = sizeof(DEVNAMES);
    pNames->wDeviceOffset = (WORD)(pNames->wDriverOffset + nDriver);
    pNames->wOutputOffset = (WORD)(pNames->wDeviceOffset + nDevice);
    memcpy((char*)pNames + pNames->wDriverOffset, (LPCSTR)strDriverName, nDriver);
    memcpy((char*)pNames + pNames->wDeviceOffset, (LPCSTR)strPrinter, nDevice);
    memcpy((char*)pNames + pNames->wOutputOffset, (LPCSTR)strPortName, nPort);
    ::GlobalUnlock(hDevNames);
    return TRUE;
}

// The main frame while it is made: a frame whose window was destroyed during creation
// (a child window it needs was refused) has deleted itself and says so.
class CStartingMainFrame : public CMainFrame
{
public:
    BOOL* m_pbDeleted = NULL;

protected:
    virtual void PostNcDestroy() override
    {
        if (m_pbDeleted != NULL)
            *m_pbDeleted = TRUE;
        CMainFrame::PostNcDestroy();
    }
};
}

/////////////////////////////////////////////////////////////////////////////
// Static tables

const UINT g_cfElementList = ::RegisterClipboardFormatA("Quorvane Stickwell");

ColorPickerEntry g_aPickerColors[PICKER_COLOR_COUNT] = {
    { 0xFFFFFFFF, "White" },
    { 0xFF000000, "Black" },
    { 0xFF7F7F7F, "Grey" },
    { 0xFFFF0000, "Red" },
    { 0xFFFF7F00, "Orange" },
    { 0xFFFFFF00, "Yellow" },
    { 0xFF00FF00, "Green" },
    { 0xFF00FFFF, "Cyan" },
    { 0xFF0000FF, "Blue" },
    { 0xFFFF00FF, "Fuchsia" },
};

namespace
{
// Kind i is named by its two-digit number, kind 0 "00:".
struct CFillKindTableInit
{
    CFillKindTableInit()
    {
        for (int i = 0; i < FILL_KIND_COUNT; i++)
        {
            g_aFillKinds[i].nKind = i;
            if (i == 0)
                g_aFillKinds[i].strName = "00:";
            else
                g_aFillKinds[i].strName.Format("%02d", i);
        }
    }
};
}

FillKindEntry g_aFillKinds[FILL_KIND_COUNT];
static CFillKindTableInit s_fillKindTableInit;

/////////////////////////////////////////////////////////////////////////////
// CVarnelApp

CVarnelApp::CVarnelApp(LPCTSTR lpszRegistryCompany)
    : m_nImageDpi(300),
      m_gdiplusToken(0),
      m_strRegistryCompany(lpszRegistryCompany),
      m_documentHost(this)
{
}

CVarnelApp::~CVarnelApp()
{
    if (GetDocumentHost() == &m_documentHost)
        SetDocumentHost(NULL);
}

CVarnelApp* GetVarnelApp()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->IsKindOf(RUNTIME_CLASS(CVarnelApp)) ? (CVarnelApp*)pApp : NULL;
}

CString CVarnelApp::FolderOfModulePath(const CString& strModulePath)
{
    const int nSlash = strModulePath.ReverseFind('\\');
    return nSlash < 0 ? strModulePath : strModulePath.Left(nSlash);
}

CString CVarnelApp::FolderOfFile(const CString& strPath)
{
    const int nSlash = strPath.ReverseFind('\\');
    if (nSlash < 0)
        return CString();
    if (nSlash == 2 && strPath[1] == ':')
        return strPath.Left(3);
    return strPath.Left(nSlash);
}

CString CVarnelApp::GetProgramFolder()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    return FolderOfModulePath(szPath);
}

// Start-up, then the command line: by default a new publication; the print forms print
// and end with a failure's exit code.
BOOL CVarnelApp::InitInstance()
{
    CFileListCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    const BOOL bPrint = cmdInfo.m_nShellCommand == CCommandLineInfo::FilePrint ||
                        cmdInfo.m_nShellCommand == CCommandLineInfo::FilePrintTo;
    if (bPrint)
        m_nCmdShow = SW_HIDE;
    if (!StartUp())
        return FALSE;
    if (!bPrint)
        return ProcessCommandLine(cmdInfo);
    m_nExitCode = PrintFromCommandLine(cmdInfo) ? 0 : 1;
    return FALSE;
}

void CFileListCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    // a file after the first, unless a flag (print, DDE, ...) gives the words their meaning
    if (!bFlag && !m_strFileName.IsEmpty() && (m_nShellCommand == FileNew || m_nShellCommand == FileOpen))
    {
        m_arrMoreFiles.Add(pszParam);
        ParseLast(bLast);
        return;
    }
    CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
}

// Several files (dropped together on the program's icon) open one after the other.
BOOL CVarnelApp::ProcessCommandLine(CFileListCommandLineInfo& cmdInfo)
{
    if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileOpen || cmdInfo.m_arrMoreFiles.GetSize() == 0)
        return ProcessShellCommand(cmdInfo);
    BOOL bOpened = OpenDocumentFile(cmdInfo.m_strFileName) != NULL;
    for (int i = 0; i < cmdInfo.m_arrMoreFiles.GetSize(); i++)
    {
        if (OpenDocumentFile(cmdInfo.m_arrMoreFiles[i]) != NULL)
            bOpened = TRUE;
    }
    return bOpened;
}

// Printing from the command line: opens the file on the named or default printer, prints every record
// unattended and closes; FALSE, with the reason shown, when anything fails.
BOOL CVarnelApp::PrintFromCommandLine(const CCommandLineInfo& cmdInfo)
{
    if (cmdInfo.m_strFileName.IsEmpty())
    {
        CString strText;
        strText.LoadString(IDS_CMDLINE_NO_FILE);
        ReportStartFailure(strText);
        return FALSE;
    }
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FilePrintTo)
    {
        HGLOBAL hDevNames = NULL, hDevMode = NULL;
        if (!MakePrinterSettings(cmdInfo.m_strPrinterName, cmdInfo.m_strDriverName, cmdInfo.m_strPortName,
                                 hDevNames, hDevMode))
        {
            CString strText;
            strText.Format(IDS_CMDLINE_NO_PRINTER, (LPCTSTR)cmdInfo.m_strPrinterName);
            ReportStartFailure(strText);
            return FALSE;
        }
        SelectPrinter(hDevNames, hDevMode);
    }
    else
    {
        PRINTDLG pd;
        memset(&pd, 0, sizeof(pd));
        if (!GetPrinterDeviceDefaults(&pd))
        {
            CString strText;
            strText.LoadString(IDS_CMDLINE_NO_DEFAULT);
            ReportStartFailure(strText);
            return FALSE;
        }
    }

    // the document reports why it cannot open
    CDocument* pDoc = OpenDocumentFile(cmdInfo.m_strFileName);
    if (pDoc == NULL)
        return FALSE;
    CVarnelView* pView = NULL;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL && pView == NULL;)
        pView = DYNAMIC_DOWNCAST(CVarnelView, pDoc->GetNextView(pos));
    const BOOL bPrinted = pView != NULL && pView->PrintUnattended();
    pDoc->SetModifiedFlag(FALSE);
    CloseAllDocuments(TRUE);
    return bPrinted;
}

// Sets up folders, GDI+, OLE, the document template and the main window; FALSE (after a message) when the
// program cannot start.
BOOL CVarnelApp::StartUp()
{
    SetDocumentHost(&m_documentHost);

    const CString strFolder = GetProgramFolder();
    m_strGraphicsFolder = strFolder + "\\Graphics";
    m_strBackgroundsFolder = strFolder + "\\Backgrounds";

    char szDocuments[MAX_PATH] = "";
    if (::SHGetSpecialFolderPathA(NULL, szDocuments, CSIDL_PERSONAL, FALSE))
        m_strMyDocumentsFolder = szDocuments;
    else
        m_strMyDocumentsFolder.Empty();

    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, NULL) != Gdiplus::Ok)
        m_gdiplusToken = 0;     // pictures stay undrawn; nothing to shut down

    ::InitCommonControls();
    CWinApp::InitInstance();

    if (!AfxOleInit())
    {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();

    SetRegistryKey(m_strRegistryCompany);
    LoadStdProfileSettings(4);

    // The child frame builds its own panes and makes the design view the active one.
    AddDocTemplate(new CMultiDocTemplate(IDR_LABELTYPE, RUNTIME_CLASS(CVarnelDoc),
                                         RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CParentView)));

    BOOL bFrameDeleted = FALSE;
    CStartingMainFrame* pMainFrame = new CStartingMainFrame;
    pMainFrame->m_pbDeleted = &bFrameDeleted;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
    {
        if (!bFrameDeleted)
            delete pMainFrame;
        CString strText;
        strText.LoadString(IDS_NO_MAIN_WINDOW);
        ReportStartFailure(strText);
        return FALSE;
    }
    pMainFrame->m_pbDeleted = NULL;
    pMainFrame->SetTitle("Stickwell");
    m_pMainWnd = pMainFrame;

    pMainFrame->DragAcceptFiles(TRUE);
    EnableShellOpen();

    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->UpdateWindow();
    return TRUE;
}

BOOL CVarnelApp::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'A' && (::GetKeyState(VK_CONTROL) & 0x8000) != 0
        && (::GetKeyState(VK_MENU) & 0x8000) == 0 && pMsg->hwnd != NULL && pMsg->hwnd == ::GetFocus())
    {
        char szClass[16] = "";
        if (::GetClassNameA(pMsg->hwnd, szClass, sizeof(szClass)) > 0 && lstrcmpiA(szClass, "Edit") == 0)
        {
            ::SendMessageA(pMsg->hwnd, EM_SETSEL, 0, -1);
            return TRUE;
        }
    }
    return CWinApp::PreTranslateMessage(pMsg);
}

int CVarnelApp::ExitInstance()
{
    if (m_gdiplusToken != 0)
    {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    const int nCode = CWinApp::ExitInstance();
    return m_nExitCode != 0 ? m_nExitCode : nCode;
}

void CVarnelApp::OnFileNew()
{
    CWinApp::OnFileNew();
}

// Opens a publication chosen in the Open dialog, which starts in the documents folder
// or in the folder of the file chosen last.
void CVarnelApp::OnFileOpen()
{
    const CString strInitialDir = m_strMyDocumentsFolder;
    CFileDialog dlg(TRUE, NULL, NULL, kOpenFlags, kLabelFilter);
    dlg.m_ofn.nFilterIndex = 1;
    dlg.m_ofn.lpstrInitialDir = strInitialDir;
    if (dlg.DoModal() != IDOK)
        return;
    const CString strPath = dlg.GetPathName();
    m_strMyDocumentsFolder = FolderOfFile(strPath);
    OpenDocumentFile(strPath);
}

// Opens the sample publication chosen in the program's Samples folder.
void CVarnelApp::OnExploreSamples()
{
    const CString strInitialDir = GetProgramFolder() + "\\Samples";
    std::vector<char> buffer(kSamplesBufferSize, '\0');
    CFileDialog dlg(TRUE, NULL, NULL, kOpenFlags, kSamplesFilter);
    dlg.m_ofn.lpstrFile = buffer.data();
    dlg.m_ofn.nMaxFile = kSamplesBufferSize;
    dlg.m_ofn.lpstrInitialDir = strInitialDir;
    if (dlg.DoModal() != IDOK)
        return;
    // A single selection: the buffer holds one full path.
    const CString strPath = dlg.GetPathName();
    if (!strPath.IsEmpty())
        OpenDocumentFile(strPath);
}

// Opens the help file beside the program with the program the system has for it; a
// failure is told, with the file.
void CVarnelApp::OnHelpContents()
{
    const CString strHelp = GetProgramFolder() + "\\WqzHelp.chm";
    const INT_PTR nResult = (INT_PTR)::ShellExecuteA(NULL, "open", strHelp, NULL, NULL, SW_SHOW);
    if (nResult > 32)
        return;
    CString strText;
    if (nResult == SE_ERR_FNF || nResult == SE_ERR_PNF)
        strText.FormatMessage(IDS_HELP_MISSING, (LPCSTR)strHelp);
    else if (nResult == SE_ERR_NOASSOC)
        strText.FormatMessage(IDS_HELP_NO_VIEWER, (LPCSTR)strHelp);
    else
    {
        CString strCode;
        strCode.Format("%d", (int)nResult);
        strText.FormatMessage(IDS_HELP_CANNOT_OPEN, (LPCSTR)strHelp, (LPCSTR)strCode);
    }
    AfxMessageBox(strText, MB_ICONEXCLAMATION);
}

void CVarnelApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}
