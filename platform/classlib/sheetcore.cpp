// sheetcore.cpp - CPropertyPage and CPropertySheet over comctl32's property sheets.

#include "afxdlgs.h"

namespace
{
// The sheet whose window is being made (its template is adjusted before creation).
thread_local CPropertySheet* t_pSheetCreating = NULL;
}

/////////////////////////////////////////////////////////////////////////////
// CPropertyPage

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

UINT CALLBACK AfxPropPageCallback(HWND, UINT message, LPPROPSHEETPAGE pPropPage)
{
    if (message == PSPCB_CREATE)
    {
        // the page's dialog is made next: attach the object to it
        CPropertyPage* pPage = (CPropertyPage*)pPropPage->lParam;
        pPage->m_bFirstSetActive = TRUE;
        AfxHookWindowCreate(pPage);
        return TRUE;
    }
    return 0;
}

CPropertyPage::CPropertyPage()
{
    CommonConstruct(NULL, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption, DWORD dwSize)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
    if (dwSize >= PROPSHEETPAGEA_V1_SIZE && dwSize < sizeof(PROPSHEETPAGE))
        m_psp.dwSize = dwSize;
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption, DWORD dwSize)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
    if (dwSize >= PROPSHEETPAGEA_V1_SIZE && dwSize < sizeof(PROPSHEETPAGE))
        m_psp.dwSize = dwSize;
}

CPropertyPage::~CPropertyPage()
{
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

// Fills the page's PROPSHEETPAGE from its template and caption.
void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    memset(&m_psp, 0, sizeof(m_psp));
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_USECALLBACK;
    if (lpszTemplateName != NULL)
        m_psp.hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = AfxPropPageCallback;

    m_strCaption.Empty();
    if (nIDCaption != 0)
    {
        m_strCaption.LoadString(nIDCaption);
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }

    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    m_bFirstSetActive = TRUE;
}

CPropertySheet* CPropertyPage::GetParentSheet()
{
    if (m_hWnd == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::CancelToClose()
{
    if (m_hWnd != NULL)
        ::SendMessageA(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    if (m_hWnd == NULL)
        return;
    ::SendMessageA(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == NULL)
        return 0;
    return ::SendMessageA(::GetParent(m_hWnd), PSM_QUERYSIBLINGS, wParam, lParam);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;     // OnInitDialog has filled the controls
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // the sheet runs the dialog manager for its pages
    return CWnd::PreTranslateMessage(pMsg);
}

// Turns the sheet's PSN_ notifications into the page's virtual calls and their answers.
BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (m_hWnd == NULL || pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);

    LRESULT lResult = 0;
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = !OnKillActive();
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        lResult = !OnQueryCancel();
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    if (m_hWnd != NULL)
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CPropertySheet

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

// Puts the sheet's own style (a child sheet, say) into the template before the window is made.
int CALLBACK AfxPropSheetCallback(HWND, UINT message, LPARAM lParam)
{
    CPropertySheet* pSheet = t_pSheetCreating;
    if (message != PSCB_PRECREATE || pSheet == NULL || pSheet->m_dwCreateStyle == (DWORD)-1)
        return 0;

    // the sheet's own style replaces the template's (a child sheet for instance)
    WORD* pw = (WORD*)lParam;
    BOOL bEx = pw[1] == 0xFFFF;
    DWORD* pdwStyle = bEx ? (DWORD*)(pw + 6) : (DWORD*)pw;
    DWORD* pdwExStyle = bEx ? (DWORD*)(pw + 4) : (DWORD*)(pw + 2);
    DWORD dwKeep = *pdwStyle & (DS_SETFONT | DS_3DLOOK | DS_FIXEDSYS | DS_NOFAILCREATE);
    DWORD dwStyle = pSheet->m_dwCreateStyle | dwKeep;
    DWORD dwExStyle = *pdwExStyle | pSheet->m_dwCreateExStyle;
    if (dwStyle & WS_CHILD)
    {
        dwStyle = (dwStyle & ~(WS_POPUP | DS_MODALFRAME | DS_CONTEXTHELP)) | DS_CONTROL;
        dwExStyle |= WS_EX_CONTROLPARENT;
    }
    *pdwStyle = dwStyle;
    *pdwExStyle = dwExStyle;
    return 0;
}

CPropertySheet::CPropertySheet()
{
    CommonConstruct(NULL, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_strCaption.LoadString(nIDCaption);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_strCaption = pszCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    memset(&m_psh, 0, sizeof(m_psh));
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_bStacked = TRUE;
    m_bModeless = FALSE;
    m_dwCreateStyle = (DWORD)-1;
    m_dwCreateExStyle = 0;
    m_pPageArray = NULL;
}

CPropertySheet::~CPropertySheet()
{
    delete[] (BYTE*)m_pPageArray;
}

// Builds the PROPSHEETPAGE array the system reads from the pages added.
void CPropertySheet::BuildPropPageArray()
{
    delete[] (BYTE*)m_pPageArray;
    m_pPageArray = NULL;

    int nPages = (int)m_pages.GetSize();
    m_pPageArray = (PROPSHEETPAGE*)new BYTE[(nPages > 0 ? nPages : 1) * sizeof(PROPSHEETPAGE)];
    memset(m_pPageArray, 0, (nPages > 0 ? nPages : 1) * sizeof(PROPSHEETPAGE));
    for (int i = 0; i < nPages; ++i)
    {
        CPropertyPage* pPage = GetPage(i);
        memcpy(&m_pPageArray[i], &pPage->m_psp, pPage->m_psp.dwSize);
        m_pPageArray[i].dwSize = sizeof(PROPSHEETPAGE);     // entries of one size in the array
        m_pPageArray[i].lParam = (LPARAM)pPage;
    }
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.ppsp = m_pPageArray;
    m_psh.nPages = (UINT)nPages;
    m_psh.pszCaption = m_strCaption;
    if (m_psh.nStartPage >= (UINT)nPages)
        m_psh.nStartPage = 0;
}

// Creates the sheet window modeless, attached to this object from its first message.
HWND CPropertySheet::CreateSheetWindow(HWND hWndParent)
{
    AfxInitCommonControls();
    m_psh.hwndParent = hWndParent;
    m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
    m_psh.pfnCallback = AfxPropSheetCallback;
    BuildPropPageArray();

    CPropertySheet* pOldSheet = t_pSheetCreating;
    t_pSheetCreating = this;
    AfxHookWindowCreate(this);
    HWND hWnd = NULL;
    try
    {
        hWnd = (HWND)::PropertySheetA(&m_psh);
    }
    catch (...)
    {
        AfxUnhookWindowCreate();
        t_pSheetCreating = pOldSheet;
        throw;
    }
    AfxUnhookWindowCreate();
    t_pSheetCreating = pOldSheet;

    if (hWnd == NULL || hWnd == (HWND)-1)
        return NULL;
    return hWnd;
}

// Creates a modeless sheet (or a child sheet with WS_CHILD); FALSE if it cannot be made.
BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (dwStyle == (DWORD)-1)
        dwStyle = DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP | DS_SETFONT | WS_POPUP | WS_VISIBLE |
                  WS_CAPTION | WS_SYSMENU;
    m_dwCreateStyle = dwStyle;
    m_dwCreateExStyle = dwExStyle;
    m_bModeless = TRUE;

    if (pParentWnd == NULL)
        pParentWnd = m_pParentWnd;
    if (pParentWnd == NULL && !(dwStyle & WS_CHILD))
        pParentWnd = AfxGetMainWnd();
    return CreateSheetWindow(pParentWnd->GetSafeHwnd()) != NULL;
}

// Runs the sheet modally with the owner disabled; returns the button that closed it.
INT_PTR CPropertySheet::DoModal()
{
    m_bModeless = FALSE;
    m_dwCreateStyle = (DWORD)-1;
    m_dwCreateExStyle = 0;

    HWND hWndTop = NULL;
    HWND hWndParent = AfxGetSafeOwner(m_pParentWnd, &hWndTop);
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    if (CDialogHook* pHook = AfxGetDialogHook())
        pHook->EnterModal(this, CDialogHook::kindSheet, 0, m_strCaption);
    m_nModalResult = IDCANCEL;
    m_nFlags |= WF_CONTINUEMODAL;
    INT_PTR nResult = -1;
    try
    {
        if (CreateSheetWindow(hWndParent) != NULL)
        {
            if (m_nFlags & WF_CONTINUEMODAL)
                RunModalLoop(MLF_SHOWONIDLE);
            nResult = m_nModalResult;
            if (m_hWnd != NULL)
                ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                               SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
        m_nFlags &= ~WF_CONTINUEMODAL;
        if (CDialogHook* pHook = AfxGetDialogHook())
            pHook->LeaveModal(this, nResult);
    }
    catch (...)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        if (CDialogHook* pHook = AfxGetDialogHook())
            pHook->LeaveModal(this, -1);
        if (bEnableParent)
            ::EnableWindow(hWndParent, TRUE);
        if (hWndTop != NULL)
            ::EnableWindow(hWndTop, TRUE);
        DestroyWindow();
        throw;
    }

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndTop != NULL)
        ::EnableWindow(hWndTop, TRUE);
    if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    return nResult;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    // the system builds the tabs and the first page first
    LRESULT lResult = Default();
    OnInitDialog();
    return lResult;
}

// Single-line tabs unless stacked; a modeless sheet hides its buttons and gives their room back.
BOOL CPropertySheet::OnInitDialog()
{
    HWND hWndTab = (HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    if (!m_bStacked && hWndTab != NULL)
        CWnd::ModifyStyle(hWndTab, TCS_MULTILINE, TCS_SINGLELINE, 0);

    if (m_bModeless && hWndTab != NULL)
    {
        // no buttons of its own: hide them and give their space back
        static const int s_nButtons[] = { IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP };
        BOOL bHadButtons = FALSE;
        for (int nID : s_nButtons)
        {
            HWND hWndButton = ::GetDlgItem(m_hWnd, nID);
            if (hWndButton != NULL)
            {
                bHadButtons = TRUE;
                ::ShowWindow(hWndButton, SW_HIDE);
                ::EnableWindow(hWndButton, FALSE);
            }
        }
        if (bHadButtons)
        {
            CRect rectTab;
            ::GetWindowRect(hWndTab, &rectTab);
            ScreenToClient(&rectTab);
            CRect rectClient, rectWindow;
            GetClientRect(&rectClient);
            GetWindowRect(&rectWindow);
            int nNewClientHeight = rectTab.bottom + rectTab.top;    // margin below as above
            if (nNewClientHeight < rectClient.Height())
                SetWindowPos(NULL, 0, 0, rectWindow.Width(),
                             rectWindow.Height() - (rectClient.Height() - nNewClientHeight),
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return TRUE;
}

int CPropertySheet::GetPageCount() const
{
    return (int)m_pages.GetSize();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= (int)m_pages.GetSize())
        return NULL;
    return (CPropertyPage*)m_pages.GetAt(nPage);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage)
{
    for (int i = 0; i < (int)m_pages.GetSize(); ++i)
    {
        if (m_pages.GetAt(i) == pPage)
            return i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    HWND hWndPage = (HWND)::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    if (hWndPage != NULL)
        return (int)::SendMessageA(m_hWnd, PSM_HWNDTOINDEX, (WPARAM)hWndPage, 0);
    HWND hWndTab = (HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    return hWndTab != NULL ? (int)::SendMessageA(hWndTab, TCM_GETCURSEL, 0, 0) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.GetSize())
        return FALSE;
    if (m_hWnd == NULL)
    {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessageA(m_hWnd, PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

// Adds a page, handing it to the open sheet at once; throws if the sheet refuses it.
void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == NULL)
        AfxThrowInvalidArgException();
    m_pages.Add(pPage);
    if (m_hWnd == NULL)
        return;

    // the sheet exists: the system takes the page now
    PROPSHEETPAGE psp;
    memset(&psp, 0, sizeof(psp));
    memcpy(&psp, &pPage->m_psp, pPage->m_psp.dwSize);
    psp.dwSize = sizeof(psp);
    psp.lParam = (LPARAM)pPage;
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&psp);
    if (hPage == NULL || !::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage))
    {
        if (hPage != NULL)
            ::DestroyPropertySheetPage(hPage);
        m_pages.RemoveAt(m_pages.GetSize() - 1);
        AfxThrowResourceException();
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.GetSize())
        AfxThrowInvalidArgException();
    // the system destroys the page's window; the object detaches itself
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, (WPARAM)nPage, 0);
    m_pages.RemoveAt(nPage);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, PSM_SETTITLEA, nStyle, (LPARAM)(LPCTSTR)m_strCaption);
    else
    {
        m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
        m_psh.pszCaption = m_strCaption;
    }
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    if (m_hWnd == NULL)
        return NULL;
    return (CTabCtrl*)CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0));
}

void CPropertySheet::EnableStackedTabs(BOOL bStacked)
{
    m_bStacked = bStacked;
}

void CPropertySheet::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

void CPropertySheet::EndDialog(int nEndID)
{
    EndModalLoop(nEndID);
    if (m_bModeless)
        DestroyWindow();
}

BOOL CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd == NULL)
        return FALSE;
    ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, (WPARAM)nButton, 0);
    return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd == NULL)
        return FALSE;
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    BOOL bInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                  (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!bInput || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    // Tab, Ctrl+Tab, default button and Esc of the sheet and its pages
    return (BOOL)::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // the system ends a sheet by dropping its current page
    return m_hWnd != NULL && ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

// A page whose dialog could not be made must not take the next window created.
static void CancelPendingPageHook(const CPtrArray& pages)
{
    CWnd* pWndInit = AfxGetThreadState()->m_pWndInit;
    if (pWndInit == NULL)
        return;
    for (INT_PTR i = 0; i < pages.GetSize(); ++i)
    {
        if ((CWnd*)(CPropertyPage*)pages.GetAt(i) == pWndInit)
        {
            AfxUnhookWindowCreate();
            return;
        }
    }
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = WindowProcInner(message, wParam, lParam);
    CancelPendingPageHook(m_pages);
    return lResult;
}

// OK and Cancel set the modal result unless a page keeps the sheet open; idle turns feed the test hook.
LRESULT CPropertySheet::WindowProcInner(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && lParam != 0 && HIWORD(wParam) == BN_CLICKED &&
        (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
    {
        // OK or Cancel: the result, unless a page keeps the sheet open
        int nOldResult = m_nModalResult;
        m_nModalResult = LOWORD(wParam);
        LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (m_hWnd != NULL && ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0)
            m_nModalResult = nOldResult;
        return lResult;
    }

    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    // a test script acts when the modal loop is idle
    if (message == WM_KICKIDLE && AfxGetDialogHook() != NULL && AfxGetDialogHook()->OnModalIdle(this))
        lResult = TRUE;
    return lResult;
}
