// viewprnt.cpp - CPrintInfo and the print loop of CView: the Print dialog and
// printer DC (DoPreparePrinting), the job with its pages, the printing status
// window and the abort procedure.

#include "afxdlgs.h"

namespace
{
// A message box with one of the class library's prompts (its own text when the
// program's resources do not have the id).
int ShowPrompt(UINT nIDPrompt, UINT nType = MB_OK)
{
    CString strPrompt;
    AfxLoadString(nIDPrompt, strPrompt);
    return AfxMessageBox(strPrompt, nType, nIDPrompt);
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CPrintInfo

// A print job of pages 1 to 0xFFFF (length not known yet) with a Print dialog for all pages.
CPrintInfo::CPrintInfo()
{
    m_pPD = new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION);
    m_bDocObject = FALSE;
    m_bPreview = FALSE;
    m_bDirect = FALSE;
    m_bContinuePrinting = TRUE;
    m_nCurPage = 1;
    m_nNumPreviewPages = 0;
    m_lpUserData = NULL;
    m_rectDraw.SetRectEmpty();
    m_nOffsetPage = 0;
    m_bJobDone = FALSE;
    AfxLoadString(AFX_IDS_PREVIEWPAGEDESC, m_strPageDesc);

    SetMinPage(1);
    SetMaxPage(0xFFFF);
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pPD->m_pd.hDC != NULL)
    {
        ::DeleteDC(m_pPD->m_pd.hDC);
        m_pPD->m_pd.hDC = NULL;
    }
    delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage)
{
    m_pPD->m_pd.nMinPage = (WORD)nMinPage;
}

void CPrintInfo::SetMaxPage(UINT nMaxPage)
{
    m_pPD->m_pd.nMaxPage = (WORD)nMaxPage;
}

UINT CPrintInfo::GetMinPage() const
{
    return m_pPD->m_pd.nMinPage;
}

UINT CPrintInfo::GetMaxPage() const
{
    return m_pPD->m_pd.nMaxPage;
}

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->m_pd.nFromPage;
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->m_pd.nToPage;
}

/////////////////////////////////////////////////////////////////////////////
// The printer and the Print dialog

// Gets the printer DC: the Print dialog, or the default printer for preview and direct printing
// (the dialog only when there is none); FALSE when cancelled or no DC can be made.
BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    CPrintDialog* pPD = pInfo->m_pPD;
    pPD->m_pd.nFromPage = (WORD)pInfo->GetMinPage();
    pPD->m_pd.nToPage = (WORD)pInfo->GetMaxPage();

    if (pInfo->m_bPreview || pInfo->m_bDirect)
    {
        // the default printer without a dialog, unless there is none
        if (pPD->m_pd.hDC == NULL)
        {
            BOOL bDefaults = pApp != NULL ? pApp->GetPrinterDeviceDefaults(&pPD->m_pd) : pPD->GetDefaults();
            if (!bDefaults)
            {
                INT_PTR nResult = pApp != NULL ? pApp->DoPrintDialog(pPD) : pPD->DoModal();
                if (nResult != IDOK)
                    return FALSE;
            }
            if (pPD->m_pd.hDC == NULL && pPD->CreatePrinterDC() == NULL)
            {
                ShowPrompt(AFX_IDP_FAILED_TO_START_PRINT, MB_ICONEXCLAMATION);
                return FALSE;
            }
        }
        pPD->m_pd.Flags &= ~PD_PAGENUMS;
    }
    else
    {
        // the Print dialog with the document's pages
        INT_PTR nResult = pApp != NULL ? pApp->DoPrintDialog(pPD) : pPD->DoModal();
        if (nResult != IDOK)
        {
            // the dialog's DC is of no use now
            if (pPD->m_pd.hDC != NULL)
            {
                ::DeleteDC(pPD->m_pd.hDC);
                pPD->m_pd.hDC = NULL;
            }
            return FALSE;
        }
        if (pPD->m_pd.hDC == NULL && pPD->CreatePrinterDC() == NULL)
        {
            ShowPrompt(AFX_IDP_FAILED_TO_START_PRINT, MB_ICONEXCLAMATION);
            return FALSE;
        }
    }

    // "All" means every page of the document
    if (!(pPD->m_pd.Flags & PD_PAGENUMS))
    {
        pPD->m_pd.nFromPage = (WORD)pInfo->GetMinPage();
        pPD->m_pd.nToPage = (WORD)pInfo->GetMaxPage();
    }

    if (pInfo->m_nNumPreviewPages == 0 && pApp != NULL)
        pInfo->m_nNumPreviewPages = pApp->m_nNumPreviewPages;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// The printing status window: document, printer, page and a Cancel button.

namespace
{

// Set when the user cancels the job in the status window.
thread_local BOOL t_bUserAbort = FALSE;
// The status window of the job running on this thread, or NULL.
thread_local HWND t_hWndPrintStatus = NULL;

const int IDC_PRINT_DOCNAME = 100;
const int IDC_PRINT_PRINTERNAME = 101;
const int IDC_PRINT_PAGENUM = 102;

// Builds a dialog template in memory: a caption, static texts and a button.
class CDialogTemplateBuilder
{
public:
    void Begin(DWORD dwStyle, int cx, int cy, LPCSTR lpszCaption, int nItems)
    {
        DLGTEMPLATE dlg;
        memset(&dlg, 0, sizeof(dlg));
        dlg.style = dwStyle | DS_SETFONT;
        dlg.cdit = (WORD)nItems;
        dlg.cx = (short)cx;
        dlg.cy = (short)cy;
        AddBytes(&dlg, sizeof(dlg));
        AddWord(0);                 // no menu
        AddWord(0);                 // the dialog class
        AddString(lpszCaption);
        AddWord(8);                 // point size
        AddString("MS Shell Dlg");
    }

    void AddItem(DWORD dwStyle, int x, int y, int cx, int cy, WORD nID, WORD nClassAtom, LPCSTR lpszText)
    {
        Align(4);
        DLGITEMTEMPLATE item;
        memset(&item, 0, sizeof(item));
        item.style = dwStyle | WS_CHILD | WS_VISIBLE;
        item.x = (short)x;
        item.y = (short)y;
        item.cx = (short)cx;
        item.cy = (short)cy;
        item.id = nID;
        AddBytes(&item, sizeof(item));
        AddWord(0xFFFF);
        AddWord(nClassAtom);        // 0x0080 button, 0x0082 static
        AddString(lpszText);
        AddWord(0);                 // no creation data
    }

    LPCDLGTEMPLATE GetTemplate() const { return (LPCDLGTEMPLATE)m_data.GetData(); }

private:
    void AddBytes(const void* p, size_t n)
    {
        const BYTE* pb = (const BYTE*)p;
        for (size_t i = 0; i < n; i++)
            m_data.Add(pb[i]);
    }
    void AddWord(WORD w) { AddBytes(&w, sizeof(w)); }
    void AddString(LPCSTR lpsz)
    {
        int nLen = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
        WCHAR* pwsz = new WCHAR[nLen > 0 ? nLen : 1];
        pwsz[0] = 0;
        ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, pwsz, nLen);
        AddBytes(pwsz, sizeof(WCHAR) * (nLen > 0 ? nLen : 1));
        delete[] pwsz;
    }
    void Align(int n)
    {
        while (m_data.GetSize() % n != 0)
            m_data.Add(0);
    }

    CByteArray m_data;
};

// The printing status window: Cancel marks the job as cancelled and closes the window, giving the
// main window back.
INT_PTR CALLBACK PrintStatusDlgProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM)
{
    switch (nMsg)
    {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
        {
            // the job ends at the next page
            t_bUserAbort = TRUE;
            ::EnableWindow(::GetWindow(hDlg, GW_OWNER), TRUE);
            ::DestroyWindow(hDlg);
            if (t_hWndPrintStatus == hDlg)
                t_hWndPrintStatus = NULL;
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

// Shows the printing status window with the document, the printer and a Cancel button (a template
// built in memory, no resource needed); NULL when it cannot be made.
HWND CreatePrintStatus(HWND hWndOwner, LPCTSTR lpszDocName, LPCTSTR lpszPrinter)
{
    CDialogTemplateBuilder builder;
    builder.Begin(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 160, 84,
                  AfxGetAppName(), 5);
    builder.AddItem(SS_CENTER, 0, 8, 160, 8, 0xFFFF, 0x0082, "Printing");
    builder.AddItem(SS_CENTER | SS_NOPREFIX, 0, 18, 160, 8, IDC_PRINT_DOCNAME, 0x0082, lpszDocName);
    builder.AddItem(SS_CENTER | SS_NOPREFIX, 0, 28, 160, 8, IDC_PRINT_PRINTERNAME, 0x0082, lpszPrinter);
    builder.AddItem(SS_CENTER, 0, 40, 160, 8, IDC_PRINT_PAGENUM, 0x0082, "");
    builder.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP, 55, 60, 50, 14, IDCANCEL, 0x0080, "Cancel");
    HWND hDlg = ::CreateDialogIndirectParamA(AfxGetInstanceHandle(), builder.GetTemplate(), hWndOwner,
                                             PrintStatusDlgProc, 0);
    if (hDlg != NULL)
    {
        ::ShowWindow(hDlg, SW_SHOW);
        ::UpdateWindow(hDlg);
    }
    return hDlg;
}

} // namespace

// Lets the status window work between the pages; FALSE when the user cancelled.
BOOL CALLBACK AfxAbortProc(HDC, int)
{
    MSG msg;
    while (!t_bUserAbort && ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (t_hWndPrintStatus != NULL && ::IsDialogMessageA(t_hWndPrintStatus, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return !t_bUserAbort;
}

/////////////////////////////////////////////////////////////////////////////
// The print loop

namespace
{

// The output file of a job printed to a file: the job writes a temporary file beside it,
// which replaces it only when the job ended whole; a failed or cancelled job leaves the
// file as it was and nothing beside it.
class CPrintFileOutput
{
public:
    explicit CPrintFileOutput(const CString& strTarget) : m_strTarget(strTarget)
    {
        if (strTarget.IsEmpty())
            return;
        const int nSlash = strTarget.ReverseFind('\\');
        const CString strFolder = nSlash > 0 ? strTarget.Left(nSlash) : CString(".");
        char szTemp[MAX_PATH];
        if (::GetTempFileNameA(strFolder, "prn", 0, szTemp) != 0)
            m_strTemp = szTemp;
    }
    ~CPrintFileOutput()
    {
        if (!m_strTemp.IsEmpty())
            ::DeleteFileA(m_strTemp);
    }
    CPrintFileOutput(const CPrintFileOutput&) = delete;
    CPrintFileOutput& operator=(const CPrintFileOutput&) = delete;

    // The file the job writes; empty for a job to the printer.
    CString GetJobFile() const { return m_strTemp.IsEmpty() ? m_strTarget : m_strTemp; }

    // Puts the finished job in place of the target; FALSE when it cannot be replaced.
    BOOL Commit()
    {
        if (m_strTemp.IsEmpty())
            return TRUE;
        // a read-only target stays (the move would replace it on some systems)
        const DWORD dwAttributes = ::GetFileAttributesA(m_strTarget);
        if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0)
            return FALSE;
        if (!::MoveFileExA(m_strTemp, m_strTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return FALSE;
        m_strTemp.Empty();
        return TRUE;
    }

private:
    CString m_strTarget;
    CString m_strTemp;          // the job's own file until it is committed
};

// The main window is disabled and the status window shown while the job runs;
// both come back on every way out.
class CPrintJobWindows
{
public:
    CPrintJobWindows(CWnd* pMainWnd, LPCTSTR lpszDocName, LPCTSTR lpszPrinter, BOOL bShowStatus)
    {
        m_hWndMain = pMainWnd->GetSafeHwnd();
        m_hWndOldStatus = t_hWndPrintStatus;
        m_bOldAbort = t_bUserAbort;
        t_bUserAbort = FALSE;
        m_hWndStatus = bShowStatus ? CreatePrintStatus(m_hWndMain, lpszDocName, lpszPrinter) : NULL;
        t_hWndPrintStatus = m_hWndStatus;
        if (m_hWndMain != NULL)
            ::EnableWindow(m_hWndMain, FALSE);
    }
    ~CPrintJobWindows()
    {
        if (m_hWndMain != NULL)
            ::EnableWindow(m_hWndMain, TRUE);
        if (m_hWndStatus != NULL && ::IsWindow(m_hWndStatus))
            ::DestroyWindow(m_hWndStatus);
        t_hWndPrintStatus = m_hWndOldStatus;
        t_bUserAbort = m_bOldAbort;
    }
    void SetPage(UINT nPage)
    {
        if (m_hWndStatus == NULL || !::IsWindow(m_hWndStatus))
            return;
        CString strFormat;
        AfxLoadString(AFX_IDS_PRINTPAGENUM, strFormat);
        CString strPage;
        strPage.Format(strFormat, nPage);
        ::SetDlgItemTextA(m_hWndStatus, IDC_PRINT_PAGENUM, strPage);
    }
    CPrintJobWindows(const CPrintJobWindows&) = delete;
    CPrintJobWindows& operator=(const CPrintJobWindows&) = delete;

private:
    HWND m_hWndMain;
    HWND m_hWndStatus;
    HWND m_hWndOldStatus;
    BOOL m_bOldAbort;
};

} // namespace

// Prints the document's pages as the Print dialog (or Quick Print, or the shell) asks, with a
// status window to cancel from; a failed job is reported once, a cancelled one not at all.
void CView::OnFilePrint()
{
    CPrintInfo printInfo;
    if (!SetUpPrintTarget(printInfo))
        return;
    if (!OnPreparePrinting(&printInfo))
        return;     // cancelled, or already reported
    if (printInfo.m_pPD->m_pd.hDC == NULL)
    {
        ShowPrompt(AFX_IDP_FAILED_TO_START_PRINT, MB_ICONEXCLAMATION);
        return;
    }

    CString strOutput;
    if (!AskPrintFileName(printInfo, strOutput))
        return;

    CDC dcPrint;
    dcPrint.Attach(printInfo.m_pPD->m_pd.hDC);     // printInfo deletes the DC
    dcPrint.m_bPrinting = TRUE;
    // a memory DC (tests) gets the pages without a job
    int nTechnology = dcPrint.GetDeviceCaps(TECHNOLOGY);
    BOOL bJob = nTechnology == DT_RASPRINTER || nTechnology == DT_PLOTTER;

    CString strTitle = GetPrintJobTitle();
    CString strPrinter = printInfo.m_pPD->GetDeviceName();

    OnBeginPrinting(&dcPrint, &printInfo);

    BOOL bCancelled = FALSE;
    UINT nFailure = RunPrintJob(dcPrint, printInfo, strTitle, strPrinter, strOutput, bJob, bCancelled);

    printInfo.m_bJobDone = nFailure == 0 && !bCancelled;
    OnEndPrinting(&dcPrint, &printInfo);
    dcPrint.Detach();
    if (nFailure != 0)
        ShowPrompt(nFailure, MB_ICONEXCLAMATION);
}

// Picks the printer without a dialog where the command asks for it: the shell's "print to"
// names one, Quick Print takes the default. FALSE (reported) when the named printer fails.
BOOL CView::SetUpPrintTarget(CPrintInfo& printInfo)
{
    CWinApp* pApp = AfxGetApp();

    // the shell's "print to": the printer named on the command line, no dialog
    if (pApp != NULL && pApp->m_pCmdInfo != NULL &&
        pApp->m_pCmdInfo->m_nShellCommand == CCommandLineInfo::FilePrintTo)
    {
        CCommandLineInfo* pCmdInfo = pApp->m_pCmdInfo;
        printInfo.m_pPD->m_pd.hDC = ::CreateDCA(pCmdInfo->m_strDriverName, pCmdInfo->m_strPrinterName,
                                                pCmdInfo->m_strPortName.IsEmpty() ? NULL
                                                    : (LPCSTR)pCmdInfo->m_strPortName, NULL);
        if (printInfo.m_pPD->m_pd.hDC == NULL)
        {
            ShowPrompt(AFX_IDP_FAILED_TO_START_PRINT, MB_ICONEXCLAMATION);
            return FALSE;
        }
        printInfo.m_bDirect = TRUE;
    }
    // Quick Print (and the shell's "print"): the default printer
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg != NULL && pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT)
        printInfo.m_bDirect = TRUE;
    return TRUE;
}

// Asks for the output file when the Print dialog's "Print to file" is ticked (strOutput stays
// empty otherwise); FALSE when the user cancels the file dialog.
BOOL CView::AskPrintFileName(CPrintInfo& printInfo, CString& strOutput)
{
    if (printInfo.m_pPD->PrintToFile())
    {
        CString strDefExt, strDefault, strFilter, strCaption;
        AfxLoadString(AFX_IDS_PRINTDEFAULTEXT, strDefExt);
        AfxLoadString(AFX_IDS_PRINTDEFAULT, strDefault);
        AfxLoadString(AFX_IDS_PRINTFILTER, strFilter);
        AfxLoadString(AFX_IDS_PRINTCAPTION, strCaption);
        CFileDialog dlg(FALSE, strDefExt, strDefault, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                        strFilter, this);
        dlg.m_ofn.lpstrTitle = strCaption;
        if (dlg.DoModal() != IDOK)
            return FALSE;
        strOutput = dlg.GetPathName();
    }
    return TRUE;
}

// The job is named after the document (or the frame)
CString CView::GetPrintJobTitle() const
{
    CString strTitle;
    if (m_pDocument != NULL)
        strTitle = m_pDocument->GetTitle();
    else if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->GetWindowText(strTitle);
    return strTitle;
}

// Runs the job over the chosen page range with the main window disabled; returns the message
// of a failure (0 when none). A failed or cancelled job is aborted, never ended as printed.
UINT CView::RunPrintJob(CDC& dcPrint, CPrintInfo& printInfo, LPCTSTR lpszTitle, LPCTSTR lpszPrinter,
                        const CString& strOutput, BOOL bJob, BOOL& bCancelled)
{
    UINT nFailure = 0;              // message of a failed job
    BOOL bDocStarted = FALSE;
    CPrintFileOutput output(strOutput);
    try
    {
        CPrintJobWindows jobWindows(AfxGetMainWnd(), lpszTitle, lpszPrinter, bJob);

        const CString strJobFile = output.GetJobFile();
        DOCINFOA docInfo;
        memset(&docInfo, 0, sizeof(docInfo));
        docInfo.cbSize = sizeof(docInfo);
        docInfo.lpszDocName = lpszTitle;
        docInfo.lpszOutput = strJobFile.IsEmpty() ? NULL : (LPCSTR)strJobFile;

        if (bJob)
        {
            dcPrint.SetAbortProc(AfxAbortProc);
            if (dcPrint.StartDoc(&docInfo) <= 0)
                nFailure = AFX_IDP_FAILED_TO_START_PRINT;
            else
                bDocStarted = TRUE;
        }

        UINT nFromPage = printInfo.GetFromPage();
        UINT nToPage = printInfo.GetToPage();
        if (nToPage < nFromPage)
        {
            UINT nTemp = nFromPage;
            nFromPage = nToPage;
            nToPage = nTemp;
        }
        for (printInfo.m_nCurPage = nFromPage; nFailure == 0 && printInfo.m_nCurPage <= nToPage;
             printInfo.m_nCurPage++)
        {
            OnPrepareDC(&dcPrint, &printInfo);
            if (!printInfo.m_bContinuePrinting)
                break;
            jobWindows.SetPage(printInfo.m_nCurPage);
            nFailure = PrintJobPage(dcPrint, printInfo, bJob);
            if (nFailure != 0)
                break;
            if (!AfxAbortProc(dcPrint.m_hDC, 0))
            {
                bCancelled = TRUE;
                break;
            }
        }

        if (bDocStarted)
        {
            bDocStarted = FALSE;
            if (nFailure != 0 || bCancelled)
                dcPrint.AbortDoc();
            else if (dcPrint.EndDoc() <= 0 || !output.Commit())
                nFailure = AFX_IDP_FAILED_TO_PRINT;
        }
    }
    catch (...)
    {
        if (bDocStarted)
            dcPrint.AbortDoc();
        OnEndPrinting(&dcPrint, &printInfo);
        dcPrint.Detach();
        throw;
    }
    return nFailure;
}

// Prints the current page into its printable area; returns the message of a failed page (0 when none).
UINT CView::PrintJobPage(CDC& dcPrint, CPrintInfo& printInfo, BOOL bJob)
{
    // the printable area in logical units
    printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
    dcPrint.DPtoLP(&printInfo.m_rectDraw);

    if (bJob)
    {
        if (dcPrint.StartPage() <= 0)
            return AFX_IDP_FAILED_TO_PRINT;
        // a new page resets the DC: prepare it again
        OnPrepareDC(&dcPrint, &printInfo);
    }
    OnPrint(&dcPrint, &printInfo);
    if (bJob && dcPrint.EndPage() <= 0)
        return AFX_IDP_FAILED_TO_PRINT;
    return 0;
}
