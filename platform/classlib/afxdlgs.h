// afxdlgs.h - common dialogs, property sheets and the seam through which tests drive them.
//
// Declares: CCommonDialog, CFileDialog, CColorDialog, CPrintDialog,
// CPropertyPage, CPropertySheet, CDialogHook (test seam).
//
// Notes
// - The common dialogs are comdlg32's. CFileDialog takes "|"-separated filters
//   ("Text files(*.txt)|*.txt|All files|*.*||"); a double bar ends the list.
//   It installs its own hook procedure (OFN_ENABLEHOOK, Explorer style) which
//   calls the virtual notifications (OnInitDone, OnFileNameOK, ...); a caller
//   that sets m_ofn.lpfnHook to its own procedure gets none of them.
// - Property sheets are comctl32's, always created modeless (PSH_MODELESS):
//   DoModal disables the owner and runs RunModalLoop until the sheet is done.
//   Create makes a modeless sheet; with WS_CHILD in the style it lives inside
//   its parent window like a control. Modeless sheets have no OK, Cancel, Apply
//   and Help buttons. Pages are created when first shown; RemovePage destroys
//   the page's window, so a page added again runs OnInitDialog again.
// - Pages exchange data on activation (OnSetActive: UpdateData(FALSE) after the
//   first time) and when left (OnKillActive: UpdateData(TRUE), a failure keeps
//   the page). SetModified enables the sheet's Apply button; Apply and OK call
//   OnApply of every created page.

#pragma once

#ifndef __AFXDLGS_H__
#define __AFXDLGS_H__

#include "afxctrls.h"
#include "afxcmn.h"
#include <commdlg.h>
#include <prsht.h>
#include <functional>

class CPropertySheet;

// Buttons of property sheets
#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW    0x3021
#define ID_WIZBACK      0x3023
#define ID_WIZNEXT      0x3024
#define ID_WIZFINISH    0x3025
#endif

/////////////////////////////////////////////////////////////////////////////
// CCommonDialog: base of the common dialogs.

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);
    virtual ~CCommonDialog();

protected:
    virtual void OnOK() override;
    virtual void OnCancel() override;
};

/////////////////////////////////////////////////////////////////////////////
// CFileDialog: open and save dialogs.

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszDefExt is added to a name typed without extension; lpszFileName is the
    // initial name; lpszFilter the "|" filter list.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL,
                         LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL, DWORD dwSize = 0);
    virtual ~CFileDialog();

    OPENFILENAME m_ofn;             // passed to GetOpenFileName/GetSaveFileName

    // IDOK or IDCANCEL
    virtual INT_PTR DoModal() override;

    // Results (while the dialog is open: the current selection)
    CString GetPathName() const;    // full path
    CString GetFileName() const;    // name with extension
    CString GetFileExt() const;     // extension without the dot, empty when none
    CString GetFileTitle() const;   // name without extension
    BOOL GetReadOnlyPref() const;
    CString GetFolderPath() const;  // only while the dialog is open

    // While the dialog is open
    void SetControlText(int nID, LPCTSTR lpsz);
    void HideControl(int nID);
    void SetDefExt(LPCTSTR lpsz);
    void SetTemplate(UINT nWin3ID, UINT nWin4ID);
    void SetTemplate(LPCTSTR lpWin3ID, LPCTSTR lpWin4ID);

    // Notifications of the Explorer-style dialog
    virtual UINT OnShareViolation(LPCTSTR lpszPathName);
    virtual BOOL OnFileNameOK();    // TRUE refuses the name
    virtual void OnLBSelChangedNotify(UINT nIDBox, UINT iCurSel, UINT nCode);
    virtual void OnInitDone();
    virtual void OnFileNameChange();
    virtual void OnFolderChange();
    virtual void OnTypeChange();

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;            // filter with '\0' separators
    CString m_strDefExt;
    TCHAR m_szFileTitle[64];
    TCHAR m_szFileName[1024];
    HWND m_hWndFileDlg;             // the dialog while it is open

    friend UINT_PTR CALLBACK AfxFileDlgHookProc(HWND, UINT, WPARAM, LPARAM);
    friend struct AFX_DIALOG_DRIVER;
};

UINT_PTR CALLBACK AfxFileDlgHookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

/////////////////////////////////////////////////////////////////////////////
// CColorDialog

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);
    virtual ~CColorDialog();

    CHOOSECOLOR m_cc;

    virtual INT_PTR DoModal() override;
    void SetCurrentColor(COLORREF clr);
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The custom colours, shared by all colour dialogs of the process.
    static COLORREF* PASCAL GetSavedCustomColors();

    virtual BOOL OnColorOK();       // TRUE refuses the colour
};

/////////////////////////////////////////////////////////////////////////////
// CPrintDialog: print and print setup dialogs.

class CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);
    virtual ~CPrintDialog();

    PRINTDLG m_pdActual;
    PRINTDLG& m_pd;                 // the structure passed to PrintDlg

    virtual INT_PTR DoModal() override;
    // The default printer without showing anything (PD_RETURNDEFAULT); FALSE when
    // there is none.
    BOOL GetDefaults();

    // Results
    int GetCopies() const;
    BOOL PrintCollate() const;
    BOOL PrintSelection() const;
    BOOL PrintAll() const;
    BOOL PrintRange() const;
    BOOL PrintToFile() const;
    int GetFromPage() const;
    int GetToPage() const;
    LPDEVMODE GetDevMode() const;   // locked DEVMODE of m_pd.hDevMode, NULL when none
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    HDC GetPrinterDC() const;       // m_pd.hDC (PD_RETURNDC); the caller deletes it
    HDC CreatePrinterDC();          // a new DC of the chosen printer into m_pd.hDC

    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;
};

/////////////////////////////////////////////////////////////////////////////
// CPropertyPage

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGE));
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0,
                           DWORD dwSize = sizeof(PROPSHEETPAGE));
    virtual ~CPropertyPage();

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    PROPSHEETPAGE m_psp;            // copied into the sheet when it is built

    // Operations
    void CancelToClose();           // OK becomes Close, Cancel is disabled
    void SetModified(BOOL bChanged = TRUE);
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // Overridables
    virtual BOOL OnApply();         // OnOK(); TRUE
    virtual void OnReset();         // OnCancel()
    virtual void OnOK() override;   // nothing
    virtual void OnCancel() override;   // nothing
    virtual BOOL OnSetActive();     // UpdateData(FALSE) after the first activation; TRUE
    virtual BOOL OnKillActive();    // UpdateData(TRUE)
    virtual BOOL OnQueryCancel();   // TRUE

    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CString m_strCaption;           // tab text (empty: the dialog resource's caption)
    BOOL m_bFirstSetActive;

    CPropertySheet* GetParentSheet();
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);

    friend UINT CALLBACK AfxPropPageCallback(HWND, UINT, LPPROPSHEETPAGE);
    friend class CPropertySheet;

// Buttons of property sheets
#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW    0x3021
#define ID_WIZBACK      0x3023
#define ID_WIZNEXT      0x3024
#define ID_WIZFINISH    0x3025
#endif
};

UINT CALLBACK AfxPropPageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGE pPropPage);

/////////////////////////////////////////////////////////////////////////////
// CPropertySheet

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();

    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    PROPSHEETHEADER m_psh;          // flags such as PSH_NOAPPLYNOW go here before creation

    // Modeless sheet; dwStyle -1 is a popup with caption and system menu.
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    // IDOK or IDCANCEL; -1 when the sheet could not be created.
    virtual INT_PTR DoModal();

    // Pages
    int GetPageCount() const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage);
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);

    // Appearance
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    CTabCtrl* GetTabControl() const;
    void EnableStackedTabs(BOOL bStacked);
    void MapDialogRect(LPRECT lpRect) const;

    // Ending
    void EndDialog(int nEndID);
    BOOL PressButton(int nButton);  // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, ...

    // Overridables
    virtual BOOL OnInitDialog();    // modeless: hides the buttons and shrinks the sheet
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual BOOL ContinueModal() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    CPtrArray m_pages;              // CPropertyPage*, in tab order
    CString m_strCaption;
    CWnd* m_pParentWnd;
    BOOL m_bStacked;
    BOOL m_bModeless;
    DWORD m_dwCreateStyle;          // style of the sheet window being created
    DWORD m_dwCreateExStyle;
    PROPSHEETPAGE* m_pPageArray;    // pages given to the system at creation

    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    void BuildPropPageArray();
    HWND CreateSheetWindow(HWND hWndParent);
    LRESULT WindowProcInner(UINT message, WPARAM wParam, LPARAM lParam);

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    friend int CALLBACK AfxPropSheetCallback(HWND, UINT, LPARAM);
    friend class CPropertyPage;
};

int CALLBACK AfxPropSheetCallback(HWND hWnd, UINT message, LPARAM lParam);

/////////////////////////////////////////////////////////////////////////////
// CDialogHook: the test seam of modal dialogs.
//
// While a hook is installed, the dialog classes report each modal dialog, property
// sheet and common dialog of the program to it, and a common dialog is answered by
// the hook unless it asks for the real one. The shipped program installs none.

class CCommonDialog;

class CDialogHook
{
public:
    enum Kind { kindDialog = 1, kindSheet, kindFile, kindColor, kindPrint };

    virtual ~CDialogHook() {}
    virtual void EnterModal(CWnd* pDlg, int nKind, UINT nIDTemplate, LPCTSTR lpszCaption) = 0;
    virtual void LeaveModal(CWnd* pDlg, INT_PTR nResult) = 0;
    // The modal loop of pDlg is idle; TRUE: call again.
    virtual BOOL OnModalIdle(CWnd* pDlg) = 0;
    // -1 runs the real dialog, else the result to return.
    virtual INT_PTR BeginCommonDialog(CCommonDialog* pDlg, int nKind) = 0;
    virtual void EndCommonDialog(CCommonDialog* pDlg, INT_PTR nResult) = 0;
};

// The installed hook, or NULL; installing returns the hook installed before.
CDialogHook* AFXAPI AfxGetDialogHook();
CDialogHook* AFXAPI AfxSetDialogHook(CDialogHook* pHook);

#endif // __AFXDLGS_H__
