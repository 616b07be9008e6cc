// afxdlgs.h - common dialogs, property sheets and the dialog test driver.
//
// Declares: CCommonDialog, CFileDialog, CColorDialog, CPrintDialog,
// CPropertyPage, CPropertySheet, CDialogScript (test seam).
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
// CDialogScript: drives dialogs in tests.
//
// While a script lives, each modal dialog, property sheet and common dialog of
// this thread takes the next entry of the script, in the order the dialogs open:
//
//     CDialogScript script;
//     script.OnDialog(IDD_NAME)                // the next CDialog must be IDD_NAME
//         .SetText(IDC_NAME, "Smith")          // focus the edit and set its text
//         .Click(IDC_UPPER)                    // a click: check box toggles, BN_CLICKED
//         .OK();                               // the OK button
//     script.OnFileDialog("C:\\in\\a.txt");    // a file dialog opened meanwhile: OK
//     ... code that runs the dialog ...
//     EXPECT_EQ(IDOK, script.GetRecord(0).m_nResult);
//
// Dialog steps run one at a time whenever the dialog's modal loop is idle, so the
// messages a step causes are handled before the next step; a step may add further
// steps to its own entry. A step on a control that is hidden or disabled does
// nothing (the log says so). When the steps run out and the dialog is still open,
// it is cancelled and the script fails.
// Common dialogs are answered without being shown (the record keeps what the
// code passed: flags, filter, initial folder, ...), or run for real with
// OnCommonDialog. A dialog without an entry is cancelled and the script fails.
//
// Failures go to the failure handler (tests install one that reports them to the
// test framework) and are kept in the script. Entries left when the script is
// destroyed are failures too.
//
// Without a script, the watchdog (SetWatchdog, off by default) cancels a modal
// dialog nobody ended within the given time, and answers a common dialog with
// Cancel at once; both are failures. Scripts and dialogs are per thread.

class CDialogScript
{
    struct CEntry;
public:
    enum Kind { kindDialog = 1, kindSheet, kindFile, kindColor, kindPrint };

    // The answer to a print dialog.
    struct CPrintAnswer
    {
        CString m_strPrinter;       // empty: the dialog's printer, or the default printer
        short m_nOrientation;       // DMORIENT_PORTRAIT, DMORIENT_LANDSCAPE, 0: unchanged
        short m_nCopies;            // 0: one
        int m_nFromPage;            // both 0: all pages
        int m_nToPage;
        CPrintAnswer(LPCTSTR lpszPrinter = NULL, short nOrientation = 0)
            : m_strPrinter(lpszPrinter), m_nOrientation(nOrientation), m_nCopies(0),
              m_nFromPage(0), m_nToPage(0) {}
    };

    // What the code did with one dialog.
    struct CRecord
    {
        int m_nKind;                // Kind
        UINT m_nIDTemplate;         // dialog resource id (dialogs), 0 otherwise
        CString m_strCaption;       // window text of a dialog or sheet
        INT_PTR m_nResult;          // DoModal's result
        // common dialogs, as passed in
        BOOL m_bOpenFileDialog;
        DWORD m_dwFlags;            // OFN_, CC_ or PD_ flags
        CString m_strFilter;        // "|"-separated
        int m_nFilterIndex;
        CString m_strFileName;      // initial file name
        CString m_strInitialDir;
        CString m_strDefExt;
        CString m_strTitle;
        COLORREF m_clrInitial;
    };

    typedef std::function<void(CWnd* pDlg)> Action;

    // The steps for one dialog or sheet.
    class CSteps
    {
    public:
        // A user's input. nID is searched in the active page first (sheets), then
        // in the dialog and its descendants.
        CSteps& SetText(int nID, LPCTSTR lpszText);     // focus, then WM_SETTEXT
        CSteps& Click(int nID);                         // focus, auto buttons change state, BN_CLICKED
        CSteps& Check(int nID, int nCheck = BST_CHECKED);   // Click until the state is nCheck
        // Combo box, list box (with its notifications), list view (selection and
        // NM_CLICK; -1 clicks beside the items) or tab control.
        CSteps& Select(int nID, int nIndex);
        CSteps& SelectString(int nID, LPCTSTR lpszText);    // whole-text match
        CSteps& Focus(int nID);
        CSteps& Key(UINT nVirtKey);     // key press (no Shift) posted to the focus window
        CSteps& SelectPage(int nPage);  // sheets: the user picks tab nPage
        CSteps& Do(Action action);      // anything else, with the dialog
        CSteps& OK();                   // Click(IDOK)
        CSteps& Cancel();               // as Esc: IDCANCEL to the dialog

    private:
        friend class CDialogScript;
        CSteps& Add(LPCTSTR lpszName, Action action);
        CEntry* m_pEntry;
    };

    CDialogScript();
    ~CDialogScript();
    CDialogScript(const CDialogScript&) = delete;
    CDialogScript& operator=(const CDialogScript&) = delete;

    // Entries, in the order the dialogs open
    CSteps& OnDialog(UINT nIDTemplate = 0);         // 0: any CDialog
    CSteps& OnSheet(LPCTSTR lpszCaption = NULL);    // NULL: any property sheet
    void OnFileDialog(LPCTSTR lpszPathName, int nFilterIndex = 0);
    void OnColorDialog(COLORREF clr);
    void OnPrintDialog(const CPrintAnswer& answer);
    void CancelFileDialog();
    void CancelColorDialog();
    void CancelPrintDialog();
    // The next common dialog is shown; step runs once with its window when it is
    // visible (it may set texts and post IDOK); it is cancelled when still open
    // after the watchdog time (3 s when the watchdog is off).
    void OnCommonDialog(std::function<void(HWND hDlg)> step);

    // Results
    int GetRecordCount() const;
    const CRecord& GetRecord(int nIndex) const;     // throws CInvalidArgException out of range
    int GetPendingCount() const;                    // entries not used yet
    int GetFailureCount() const;
    CString GetFailure(int nIndex) const;
    CString GetLog() const;                         // steps run and ignored, one per line

    static CDialogScript* PASCAL GetCurrent();
    // Moves this thread to a desktop of its own, so that test programs running side
    // by side do not take each other's activation and focus. Call it before the
    // thread makes any window. FALSE when the system refuses.
    static BOOL PASCAL UsePrivateDesktop();
    // Watchdog time in ms for dialogs without a script (0: off).
    static void PASCAL SetWatchdog(UINT nMilliseconds);
    static UINT PASCAL GetWatchdog();
    typedef void (AFXAPI* AFX_DIALOG_FAILURE_PROC)(LPCTSTR lpszText);
    // Installs the failure handler (NULL: none); returns the previous one.
    static AFX_DIALOG_FAILURE_PROC PASCAL SetFailureHandler(AFX_DIALOG_FAILURE_PROC pfn);

    // Implementation: called by the dialog classes.
    static void PASCAL EnterModal(CWnd* pDlg, int nKind, UINT nIDTemplate, LPCTSTR lpszCaption = NULL);
    static void PASCAL LeaveModal(CWnd* pDlg, INT_PTR nResult);
    static BOOL PASCAL OnModalIdle(CWnd* pDlg);     // TRUE: call again
    // Common dialogs: -1 runs the real dialog, else the result to return.
    static INT_PTR PASCAL BeginCommonDialog(CCommonDialog* pDlg, int nKind);
    static void PASCAL EndCommonDialog(CCommonDialog* pDlg, INT_PTR nResult);

private:
    struct CData;
    CData* m_pData;
    CDialogScript* m_pPrevious;
    friend struct AFX_DIALOG_DRIVER;
};

#endif // __AFXDLGS_H__
