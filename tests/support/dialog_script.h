// dialog_script.h - CDialogScript: drives dialogs in tests.
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

#pragma once

#include "afxdlgs.h"

#include <functional>

class CDialogScript
{
    struct CEntry;
public:
    enum Kind
    {
        kindDialog = CDialogHook::kindDialog,
        kindSheet = CDialogHook::kindSheet,
        kindFile = CDialogHook::kindFile,
        kindColor = CDialogHook::kindColor,
        kindPrint = CDialogHook::kindPrint
    };

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

    // Implementation: called by the dialog classes through the dialog hook, which a
    // script, the watchdog or a failure handler installs.
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
