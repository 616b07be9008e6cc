// dlgcore.cpp - CDialog: creation from dialog resources, the modal loop, dialog
// initial data and the dialog procedure.

#include "afxdlgs.h"

/////////////////////////////////////////////////////////////////////////////
// Helpers

void AFXAPI AfxInitCommonControls()
{
    static BOOL bDone = FALSE;
    if (bDone)
        return;
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS |
                ICC_STANDARD_CLASSES | ICC_LINK_CLASS;
    if (!::InitCommonControlsEx(&icc))
    {
        icc.dwICC = ICC_WIN95_CLASSES;
        ::InitCommonControlsEx(&icc);
    }
    bDone = TRUE;
}

// The window a dialog may be owned by (never a child); optionally disables the top-level window too.
HWND AFXAPI AfxGetSafeOwner(CWnd* pParent, HWND* phWndTop)
{
    HWND hWnd = pParent->GetSafeHwnd();
    if (hWnd == NULL)
        hWnd = AfxGetMainWnd()->GetSafeHwnd();

    // a popup cannot be owned by a child window
    while (hWnd != NULL && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);

    // the top-level window gets disabled as well
    HWND hWndTop = hWnd;
    for (HWND hWndTemp = hWnd; hWndTemp != NULL; hWndTemp = ::GetParent(hWndTemp))
        hWndTop = hWndTemp;

    // a dialog opened from a popup of the main window belongs to that popup
    if (pParent == NULL && hWnd != NULL)
        hWnd = ::GetLastActivePopup(hWnd);

    if (phWndTop != NULL)
    {
        if (hWndTop != NULL && hWndTop != hWnd && ::IsWindowEnabled(hWndTop))
        {
            *phWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        }
        else
            *phWndTop = NULL;
    }
    return hWnd;
}

// Windows 3 message numbers of the dialog initial data records.
#define AFX_WIN16_LB_ADDSTRING  0x0401
#define AFX_WIN16_CB_ADDSTRING  0x0403

// Fills the dialog's lists and combos from DLGINIT data, stopping at a damaged record.
BOOL AFXAPI AfxExecuteDlgInit(CWnd* pWnd, LPVOID lpResource, DWORD dwSize)
{
    if (lpResource == NULL)
        return TRUE;
    const BYTE* p = (const BYTE*)lpResource;
    const BYTE* pEnd = dwSize == 0xFFFFFFFF ? NULL : p + dwSize;
    BOOL bSuccess = TRUE;

    for (;;)
    {
        // record: WORD control id (0 ends), WORD message, DWORD length, data
        if (pEnd != NULL && pEnd - p < (ptrdiff_t)sizeof(WORD))
            break;
        WORD nIDC = *(const WORD*)p;
        if (nIDC == 0)
            break;
        if (pEnd != NULL && pEnd - p < (ptrdiff_t)(2 * sizeof(WORD) + sizeof(DWORD)))
            break;
        WORD nMsg = *(const WORD*)(p + 2);
        DWORD dwLen = *(const DWORD*)(p + 4);
        p += 2 * sizeof(WORD) + sizeof(DWORD);
        if (pEnd != NULL && (DWORD)(pEnd - p) < dwLen)
            break;      // a damaged record ends the data

        UINT nMessage = 0;
        if (nMsg == AFX_WIN16_LB_ADDSTRING || nMsg == LB_ADDSTRING)
            nMessage = LB_ADDSTRING;
        else if (nMsg == AFX_WIN16_CB_ADDSTRING || nMsg == CB_ADDSTRING)
            nMessage = CB_ADDSTRING;

        if (nMessage != 0)
        {
            // the text up to its terminator, never beyond the record
            DWORD nChars = 0;
            while (nChars < dwLen && p[nChars] != 0)
                ++nChars;
            CString strText((LPCSTR)p, (int)nChars);
            HWND hWndCtrl = ::GetDlgItem(pWnd->GetSafeHwnd(), nIDC);
            // a record of a control the dialog lacks is passed over
            if (hWndCtrl != NULL)
            {
                LRESULT lResult = ::SendMessageA(hWndCtrl, nMessage, 0, (LPARAM)(LPCTSTR)strText);
                if (lResult == LB_ERR || lResult == LB_ERRSPACE)
                    bSuccess = FALSE;
            }
        }
        p += dwLen;
    }
    return bSuccess;
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    return AfxExecuteDlgInit(this, lpszResourceName);
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    return AfxExecuteDlgInit(this, lpResource);
}

// Runs the DLGINIT resource of a dialog; TRUE when there is none.
BOOL AFXAPI AfxExecuteDlgInit(CWnd* pWnd, LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCE(240));
    HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCE(240));
    if (hResource == NULL)
        return TRUE;    // no initial data
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    if (hData == NULL)
        return FALSE;
    LPVOID lpData = ::LockResource(hData);
    DWORD dwSize = ::SizeofResource(hInst, hResource);
    return lpData == NULL ? FALSE : AfxExecuteDlgInit(pWnd, lpData, dwSize);
}

/////////////////////////////////////////////////////////////////////////////
// Dialog procedure

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;

    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    if (pDlg == NULL)
        return TRUE;

    // a page created by the property sheet hooked its own creation
    if (AfxGetThreadState()->m_pWndInit == NULL)
        AfxUnhookWindowCreate();

    pDlg->PreInitDialog();
    if (pDlg->CheckAutoCenter())
        pDlg->CenterWindow();
    return pDlg->OnInitDialog();
}

/////////////////////////////////////////////////////////////////////////////
// CDialog

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_SETFONT, HandleSetFont)
END_MESSAGE_MAP()

CDialog::CDialog()
{
    m_nIDHelp = 0;
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = NULL;
    m_lpDialogTemplate = NULL;
    m_lpDialogInit = NULL;
    m_pParentWnd = NULL;
    m_hWndTop = NULL;
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : CDialog()
{
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog()
{
    m_pParentWnd = pParentWnd;
    m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
    m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog()
{
}

// The dialog's template, from a resource, a memory handle or a pointer; NULL if missing.
LPCDLGTEMPLATE CDialog::LockTemplate(HGLOBAL* phTemplate, HINSTANCE* phInst)
{
    *phTemplate = NULL;
    *phInst = AfxGetResourceHandle();
    if (m_lpszTemplateName != NULL)
    {
        *phInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
        HRSRC hResource = ::FindResourceA(*phInst, m_lpszTemplateName, RT_DIALOG);
        if (hResource == NULL)
            return NULL;
        *phTemplate = ::LoadResource(*phInst, hResource);
        return *phTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(*phTemplate) : NULL;
    }
    if (m_hDialogTemplate != NULL)
        return (LPCDLGTEMPLATE)::GlobalLock(m_hDialogTemplate);
    return m_lpDialogTemplate;
}

// Creates the dialog window from a template, attached to this object from its first message.
BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd,
                                HINSTANCE hInst, BOOL bModal)
{
    if (lpDialogTemplate == NULL)
        return FALSE;
    AfxInitCommonControls();

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(),
                                             AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();    // never attached

    // a modeless dialog that ended itself during OnInitDialog is not kept
    if (hWnd != NULL && !bModal && !(m_nFlags & WF_CONTINUEMODAL))
    {
        ::DestroyWindow(hWnd);
        hWnd = NULL;
    }
    if (!bModal)
        m_nFlags &= ~WF_CONTINUEMODAL;
    return hWnd != NULL;
}

// Creates a modeless dialog from a resource; FALSE if the template is missing.
BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);

    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
    if (hResource == NULL)
        return FALSE;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    LPCDLGTEMPLATE lpTemplate = hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
    if (lpTemplate == NULL)
        return FALSE;

    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_lpDialogInit = NULL;
    return CreateDlgIndirect(lpTemplate, pParentWnd, hInst, FALSE);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_lpDialogInit = lpDialogInit;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, AfxGetResourceHandle(), FALSE);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
    BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, NULL);
    ::GlobalUnlock(hDialogTemplate);
    return bResult;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = NULL;
    m_pParentWnd = pParentWnd;
    m_lpDialogInit = lpDialogInit;
    return lpDialogTemplate != NULL;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_lpszTemplateName = NULL;
    m_lpDialogTemplate = NULL;
    m_pParentWnd = pParentWnd;
    return hDialogTemplate != NULL;
}

HWND CDialog::PreModal()
{
    // the main window may hold the mouse: cancel its modes first
    HWND hWnd = AfxGetSafeOwner(m_pParentWnd, &m_hWndTop);
    if (hWnd != NULL)
        AfxCancelModes(hWnd);
    return hWnd;
}

void CDialog::PostModal()
{
    if (m_hWndTop != NULL)
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = NULL;
}

// Runs the dialog modally with the owner disabled; -1 if it cannot be created.
INT_PTR CDialog::DoModal()
{
    HGLOBAL hTemplate;
    HINSTANCE hInst;
    LPCDLGTEMPLATE lpTemplate = LockTemplate(&hTemplate, &hInst);
    if (lpTemplate == NULL)
        return -1;

    HWND hWndParent = PreModal();
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    // the script entry goes to this dialog before any dialog its initialisation opens
    UINT nIDTemplate = IS_INTRESOURCE(m_lpszTemplateName) ? LOWORD((DWORD_PTR)m_lpszTemplateName) : 0;
    if (CDialogHook* pHook = AfxGetDialogHook())
        pHook->EnterModal(this, CDialogHook::kindDialog, nIDTemplate, NULL);

    INT_PTR nResult = -1;
    try
    {
        if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst, TRUE))
        {
            if (m_nFlags & WF_CONTINUEMODAL)
            {
                DWORD dwFlags = MLF_SHOWONIDLE;
                if (GetStyle() & DS_NOIDLEMSG)
                    dwFlags |= MLF_NOIDLEMSG;
                RunModalLoop(dwFlags);
            }
            nResult = m_nModalResult;

            // hide before the owner is enabled again, so it gets the activation
            if (m_hWnd != NULL)
                ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                               SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
        if (CDialogHook* pHook = AfxGetDialogHook())
            pHook->LeaveModal(this, nResult);
    }
    catch (...)
    {
        if (CDialogHook* pHook = AfxGetDialogHook())
            pHook->LeaveModal(this, -1);
        if (bEnableParent)
            ::EnableWindow(hWndParent, TRUE);
        DestroyWindow();
        PostModal();
        if (m_hDialogTemplate != NULL)
            ::GlobalUnlock(m_hDialogTemplate);
        throw;
    }

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);

    DestroyWindow();
    PostModal();
    if (m_hDialogTemplate != NULL)
        ::GlobalUnlock(m_hDialogTemplate);
    return nResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    if (m_hWnd != NULL)
        ::EndDialog(m_hWnd, nResult);
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl != NULL && pWndCtrl->m_hWnd != NULL)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1L);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0);
}

// Fills the controls from DLGINIT data and the members; a failure ends the dialog.
BOOL CDialog::OnInitDialog()
{
    BOOL bDlgInit = m_lpDialogInit != NULL ? ExecuteDlgInit(m_lpDialogInit)
                                           : ExecuteDlgInit(m_lpszTemplateName);
    if (!bDlgInit)
    {
        EndDialog(-1);
        return FALSE;
    }
    if (!UpdateData(FALSE))
    {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;    // the dialog manager focuses the first control
}

void CDialog::OnSetFont(CFont*)
{
}

void CDialog::PreInitDialog()
{
}

BOOL CDialog::CheckAutoCenter()
{
    // popups are centred unless the resource places them itself
    DWORD dwStyle = GetStyle();
    if (dwStyle & (WS_CHILD | DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN))
        return FALSE;
    return GetParent() != NULL;
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle((HFONT)wParam));
    return Default();
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;     // the user has been told; the dialog stays
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd == NULL)
        return FALSE;
    // keyboard and mouse input of the dialog and its controls goes to the dialog
    // manager (Tab, default button, Esc, accelerators of labels)
    BOOL bInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                  (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!bInput)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;

    // commands (ids from 0x8000, not system commands) go on to the thread;
    // notifications of the dialog's controls do not
    if ((nCode != (int)CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || nID < 0x8000 ||
        nID >= 0xF000)
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    // a test script acts when the modal loop is idle
    if (message == WM_KICKIDLE && AfxGetDialogHook() != NULL && AfxGetDialogHook()->OnModalIdle(this))
        lResult = TRUE;
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// The dialog hook (tests)

namespace
{
CDialogHook* g_pDialogHook = NULL;
}

CDialogHook* AFXAPI AfxGetDialogHook()
{
    return g_pDialogHook;
}

CDialogHook* AFXAPI AfxSetDialogHook(CDialogHook* pHook)
{
    CDialogHook* pPrevious = g_pDialogHook;
    g_pDialogHook = pHook;
    return pPrevious;
}
