// commdlg.cpp - the common dialogs: CCommonDialog, CFileDialog, CColorDialog,
// CPrintDialog.

#include "afxdlgs.h"

/////////////////////////////////////////////////////////////////////////////
// CCommonDialog

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd)
    : CDialog((UINT)0, pParentWnd)
{
    m_lpszTemplateName = NULL;
}

CCommonDialog::~CCommonDialog()
{
}

void CCommonDialog::OnOK()
{
    // the system's dialog closes itself
    UpdateData(TRUE);
}

void CCommonDialog::OnCancel()
{
}

/////////////////////////////////////////////////////////////////////////////
// CFileDialog

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace
{
// The file dialog being shown on this thread (its hook finds it here).
thread_local CFileDialog* t_pFileDialog = NULL;
}

// Prepares the file dialog's structure, turning a "|"-separated filter into the system's form.
CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize)
    : CCommonDialog(pParentWnd)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_szFileName[0] = '\0';
    m_szFileTitle[0] = '\0';
    m_hWndFileDlg = NULL;
    m_bOpenFileDialog = bOpenFileDialog;

    m_ofn.lStructSize = (dwSize != 0 && dwSize <= sizeof(m_ofn)) ? dwSize : sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpfnHook = AfxFileDlgHookProc;

    if (lpszDefExt != NULL)
    {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != NULL)
        lstrcpynA(m_szFileName, lpszFileName, _countof(m_szFileName));

    if (lpszFilter != NULL)
    {
        // "a|b|" to "a\0b\0", with one more terminator after the last string
        int nLen = lstrlenA(lpszFilter);
        LPTSTR pch = m_strFilter.GetBufferSetLength(nLen + 1);
        memcpy(pch, lpszFilter, (size_t)nLen);
        pch[nLen] = '\0';
        for (int i = 0; i < nLen; ++i)
        {
            if (pch[i] == '|')
                pch[i] = '\0';
        }
        m_strFilter.ReleaseBuffer(nLen + 1);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

CFileDialog::~CFileDialog()
{
}

// Runs the file dialog (or the test hook's answer), keeping the dialog's state sane if it throws.
INT_PTR CFileDialog::DoModal()
{
    CDialogHook* pHook = AfxGetDialogHook();
    INT_PTR nResult = pHook != NULL ? pHook->BeginCommonDialog(this, CDialogHook::kindFile) : -1;
    if (nResult != -1)
        return nResult;

    m_ofn.hwndOwner = PreModal();
    CFileDialog* pOldDialog = t_pFileDialog;
    t_pFileDialog = this;
    BOOL bResult = FALSE;
    try
    {
        bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    }
    catch (...)
    {
        t_pFileDialog = pOldDialog;
        m_hWndFileDlg = NULL;
        PostModal();
        if (CDialogHook* pEndHook = AfxGetDialogHook())
            pEndHook->EndCommonDialog(this, IDCANCEL);
        throw;
    }
    t_pFileDialog = pOldDialog;
    m_hWndFileDlg = NULL;
    PostModal();

    nResult = bResult ? IDOK : IDCANCEL;
    if (CDialogHook* pEndHook = AfxGetDialogHook())
        pEndHook->EndCommonDialog(this, nResult);
    return nResult;
}

// Places the dialog centred on its owner's top-level window, within the owner's work area.
static void CenterOnOwner(HWND hDlg, HWND hOwner)
{
    HWND hTop = hOwner != NULL ? ::GetAncestor(hOwner, GA_ROOT) : NULL;
    if (hDlg == NULL || hTop == NULL || !::IsWindowVisible(hTop) || ::IsIconic(hTop))
        return;
    RECT rectOwner, rectDlg;
    ::GetWindowRect(hTop, &rectOwner);
    ::GetWindowRect(hDlg, &rectDlg);
    const int cx = rectDlg.right - rectDlg.left;
    const int cy = rectDlg.bottom - rectDlg.top;
    int x = (rectOwner.left + rectOwner.right - cx) / 2;
    int y = (rectOwner.top + rectOwner.bottom - cy) / 2;
    MONITORINFO mi;
    mi.cbSize = sizeof(mi);
    if (::GetMonitorInfoA(::MonitorFromWindow(hTop, MONITOR_DEFAULTTONEAREST), &mi))
    {
        x = x + cx > mi.rcWork.right ? mi.rcWork.right - cx : x;
        y = y + cy > mi.rcWork.bottom ? mi.rcWork.bottom - cy : y;
        x = x < mi.rcWork.left ? mi.rcWork.left : x;
        y = y < mi.rcWork.top ? mi.rcWork.top : y;
    }
    ::SetWindowPos(hDlg, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Hook of the Explorer-style dialog: forwards its notifications to the CFileDialog object.
UINT_PTR CALLBACK AfxFileDlgHookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    // the hook's window is a child of the Explorer-style dialog
    if (message == WM_INITDIALOG)
    {
        CFileDialog* pDlg = t_pFileDialog;
        ::SetWindowLongPtrA(hWnd, DWLP_USER, (LONG_PTR)pDlg);
        if (pDlg != NULL)
            pDlg->m_hWndFileDlg = ::GetParent(hWnd);
        return 0;
    }

    CFileDialog* pDlg = (CFileDialog*)::GetWindowLongPtrA(hWnd, DWLP_USER);
    if (pDlg == NULL)
        return 0;
    if (message == WM_DESTROY)
    {
        pDlg->m_hWndFileDlg = NULL;
        return 0;
    }
    if (message != WM_NOTIFY)
        return 0;

    OFNOTIFYA* pNotify = (OFNOTIFYA*)lParam;
    switch (pNotify->hdr.code)
    {
    case CDN_INITDONE:
        pDlg->OnInitDone();
        // like the program's own dialogs, centred on the window that opened it
        CenterOnOwner(pDlg->m_hWndFileDlg, pDlg->m_ofn.hwndOwner);
        break;
    case CDN_SELCHANGE:
        pDlg->OnFileNameChange();
        break;
    case CDN_FOLDERCHANGE:
        pDlg->OnFolderChange();
        break;
    case CDN_TYPECHANGE:
        pDlg->OnTypeChange();
        break;
    case CDN_SHAREVIOLATION:
    {
        UINT nResult = pDlg->OnShareViolation(pNotify->pszFile);
        ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, (LONG_PTR)nResult);
        return 1;
    }
    case CDN_FILEOK:
    {
        // a refused name keeps the dialog open
        BOOL bRefuse = pDlg->OnFileNameOK();
        ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, bRefuse);
        return bRefuse;
    }
    default:
        break;
    }
    return 0;
}

// Index of the file name in a path (after the last backslash or slash).
static int FileNameStart(const CString& strPath)
{
    int nBackslash = strPath.ReverseFind('\\');
    int nSlash = strPath.ReverseFind('/');
    return (nBackslash > nSlash ? nBackslash : nSlash) + 1;
}

CString CFileDialog::GetPathName() const
{
    if (m_hWndFileDlg != NULL)
    {
        char szPath[1024] = "";
        if (::SendMessageA(m_hWndFileDlg, CDM_GETFILEPATH, sizeof(szPath), (LPARAM)szPath) > 0)
            return szPath;
    }
    return m_ofn.lpstrFile;
}

CString CFileDialog::GetFileName() const
{
    CString strPath = GetPathName();
    int nName = FileNameStart(strPath);
    return strPath.Mid(nName);
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? CString() : strName.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? strName : strName.Left(nDot);
}

BOOL CFileDialog::GetReadOnlyPref() const
{
    return (m_ofn.Flags & OFN_READONLY) != 0;
}

CString CFileDialog::GetFolderPath() const
{
    CString strFolder;
    if (m_hWndFileDlg != NULL)
    {
        char szPath[1024] = "";
        if (::SendMessageA(m_hWndFileDlg, CDM_GETFOLDERPATH, sizeof(szPath), (LPARAM)szPath) > 0)
            strFolder = szPath;
    }
    return strFolder;
}

void CFileDialog::SetControlText(int nID, LPCTSTR lpsz)
{
    if (m_hWndFileDlg != NULL)
        ::SendMessageA(m_hWndFileDlg, CDM_SETCONTROLTEXT, (WPARAM)nID, (LPARAM)lpsz);
}

void CFileDialog::HideControl(int nID)
{
    if (m_hWndFileDlg != NULL)
        ::SendMessageA(m_hWndFileDlg, CDM_HIDECONTROL, (WPARAM)nID, 0);
}

void CFileDialog::SetDefExt(LPCTSTR lpsz)
{
    if (m_hWndFileDlg != NULL)
        ::SendMessageA(m_hWndFileDlg, CDM_SETDEFEXT, 0, (LPARAM)lpsz);
}

void CFileDialog::SetTemplate(UINT nWin3ID, UINT nWin4ID)
{
    SetTemplate(MAKEINTRESOURCE(nWin3ID), MAKEINTRESOURCE(nWin4ID));
}

void CFileDialog::SetTemplate(LPCTSTR, LPCTSTR lpWin4ID)
{
    // the Explorer-style template is the one used
    m_ofn.lpTemplateName = lpWin4ID;
    m_ofn.hInstance = AfxFindResourceHandle(lpWin4ID, RT_DIALOG);
    m_ofn.Flags |= OFN_ENABLETEMPLATE;
}

UINT CFileDialog::OnShareViolation(LPCTSTR)
{
    return OFN_SHAREWARN;   // the dialog warns the user
}

BOOL CFileDialog::OnFileNameOK()
{
    return FALSE;
}

void CFileDialog::OnLBSelChangedNotify(UINT, UINT, UINT)
{
}

void CFileDialog::OnInitDone()
{
}

void CFileDialog::OnFileNameChange()
{
}

void CFileDialog::OnFolderChange()
{
}

void CFileDialog::OnTypeChange()
{
}

/////////////////////////////////////////////////////////////////////////////
// CColorDialog

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    memset(&m_cc, 0, sizeof(m_cc));
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

CColorDialog::~CColorDialog()
{
}

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    static COLORREF s_clrCustom[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)
    };
    return s_clrCustom;
}

// Runs the color dialog, or takes the test hook's answer.
INT_PTR CColorDialog::DoModal()
{
    CDialogHook* pHook = AfxGetDialogHook();
    INT_PTR nResult = pHook != NULL ? pHook->BeginCommonDialog(this, CDialogHook::kindColor) : -1;
    if (nResult != -1)
        return nResult;

    m_cc.hwndOwner = PreModal();
    BOOL bResult = ::ChooseColorA(&m_cc);
    PostModal();
    nResult = bResult ? IDOK : IDCANCEL;
    if (CDialogHook* pEndHook = AfxGetDialogHook())
        pEndHook->EndCommonDialog(this, nResult);
    return nResult;
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    m_cc.rgbResult = clr;
    m_cc.Flags |= CC_RGBINIT;
}

BOOL CColorDialog::OnColorOK()
{
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CPrintDialog

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_pd(m_pdActual)
{
    memset(&m_pdActual, 0, sizeof(m_pdActual));
    m_pd.lStructSize = sizeof(m_pdActual);
    m_pd.Flags = dwFlags & ~PD_RETURNIC;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
}

CPrintDialog::~CPrintDialog()
{
    // the DEVMODE, DEVNAMES and the printer DC belong to the caller
}

// Runs the print dialog, or takes the test hook's answer.
INT_PTR CPrintDialog::DoModal()
{
    CDialogHook* pHook = AfxGetDialogHook();
    INT_PTR nResult = pHook != NULL ? pHook->BeginCommonDialog(this, CDialogHook::kindPrint) : -1;
    if (nResult != -1)
        return nResult;

    m_pd.hwndOwner = PreModal();
    BOOL bResult = ::PrintDlgA(&m_pd);
    PostModal();
    nResult = bResult ? IDOK : IDCANCEL;
    if (CDialogHook* pEndHook = AfxGetDialogHook())
        pEndHook->EndCommonDialog(this, nResult);
    return nResult;
}

BOOL CPrintDialog::GetDefaults()
{
    // PD_RETURNDEFAULT wants no handles of its own
    if (m_pd.hDevMode != NULL || m_pd.hDevNames != NULL)
        return FALSE;
    m_pd.Flags |= PD_RETURNDEFAULT;
    m_pd.hwndOwner = NULL;
    BOOL bResult = ::PrintDlgA(&m_pd);
    m_pd.Flags &= ~PD_RETURNDEFAULT;
    return bResult;
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & (PD_USEDEVMODECOPIES | PD_USEDEVMODECOPIESANDCOLLATE))
    {
        LPDEVMODE pDevMode = GetDevMode();
        if (pDevMode != NULL)
        {
            int nCopies = pDevMode->dmCopies;
            ::GlobalUnlock(m_pd.hDevMode);
            return nCopies;
        }
    }
    return m_pd.nCopies;
}

BOOL CPrintDialog::PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
BOOL CPrintDialog::PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
BOOL CPrintDialog::PrintAll() const { return !PrintRange() && !PrintSelection(); }
BOOL CPrintDialog::PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
BOOL CPrintDialog::PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
int CPrintDialog::GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
int CPrintDialog::GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

LPDEVMODE CPrintDialog::GetDevMode() const
{
    return m_pd.hDevMode != NULL ? (LPDEVMODE)::GlobalLock(m_pd.hDevMode) : NULL;
}

// One of the three names of DEVNAMES (offsets in characters from its start).
static CString GetDevNamesString(HGLOBAL hDevNames, int nWhich)
{
    CString str;
    if (hDevNames == NULL)
        return str;
    LPDEVNAMES pNames = (LPDEVNAMES)::GlobalLock(hDevNames);
    if (pNames == NULL)
        return str;
    WORD wOffset = nWhich == 0 ? pNames->wDriverOffset
                 : nWhich == 1 ? pNames->wDeviceOffset : pNames->wOutputOffset;
    str = (LPCSTR)pNames + wOffset;
    ::GlobalUnlock(hDevNames);
    return str;
}

CString CPrintDialog::GetDriverName() const { return GetDevNamesString(m_pd.hDevNames, 0); }
CString CPrintDialog::GetDeviceName() const { return GetDevNamesString(m_pd.hDevNames, 1); }
CString CPrintDialog::GetPortName() const { return GetDevNamesString(m_pd.hDevNames, 2); }

HDC CPrintDialog::GetPrinterDC() const
{
    return m_pd.hDC;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDevNames == NULL)
        return NULL;
    CString strDriver = GetDriverName();
    CString strDevice = GetDeviceName();
    CString strPort = GetPortName();
    LPDEVMODE pDevMode = GetDevMode();
    m_pd.hDC = ::CreateDCA(strDriver, strDevice, strPort.IsEmpty() ? NULL : (LPCSTR)strPort, pDevMode);
    if (pDevMode != NULL)
        ::GlobalUnlock(m_pd.hDevMode);
    return m_pd.hDC;
}
