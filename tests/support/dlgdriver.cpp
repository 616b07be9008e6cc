// dlgdriver.cpp - CDialogScript: scripted answers to modal dialogs, property
// sheets and common dialogs for tests, and the watchdog, behind the class
// library's dialog hook.

#include "dialog_script.h"
#include <winspool.h>
#include <deque>
#include <memory>
#include <vector>

/////////////////////////////////////////////////////////////////////////////
// Script data

namespace
{

struct CStep
{
    CString m_strName;                  // for the log and the failures
    CDialogScript::Action m_action;
};

} // namespace

struct CDialogScript::CEntry
{
    int m_nKind = 0;
    UINT m_nIDTemplate = 0;             // dialogs: 0 any
    CString m_strCaption;               // sheets: empty any
    std::deque<CStep> m_steps;          // dialogs and sheets
    CSteps m_builder;                   // handed out by OnDialog/OnSheet

    // common dialogs
    BOOL m_bCancel = FALSE;
    CString m_strPathName;
    int m_nFilterIndex = 0;
    COLORREF m_clr = 0;
    CPrintAnswer m_print;
    std::function<void(HWND)> m_drive;  // run the real dialog with this step
};

struct CDialogScript::CData
{
    std::deque<std::unique_ptr<CEntry>> m_entries;      // not used yet
    std::vector<std::unique_ptr<CEntry>> m_taken;       // taken by dialogs (steps may still come)
    std::vector<CRecord> m_records;
    std::vector<CString> m_failures;
    CString m_strLog;
};

namespace
{

// One modal dialog or sheet running now on this thread.
struct CModalSession
{
    CWnd* m_pDlg = NULL;
    int m_nKind = 0;
    UINT m_nIDTemplate = 0;
    CString m_strCaption;
    CDialogScript* m_pScript = NULL;    // script holding the record
    int m_nRecord = -1;
    std::deque<CStep>* m_pSteps = NULL;  // the entry's steps, kept by the script
    BOOL m_bScripted = FALSE;
    BOOL m_bEndedByDriver = FALSE;
    BOOL m_bTimer = FALSE;
};

// A common dialog shown for real and driven by a step.
struct CCommonDrive
{
    std::function<void(HWND)> m_step;
    CDialogScript* m_pScript = NULL;
    int m_nRecord = -1;
    HHOOK m_hHook = NULL;
    UINT_PTR m_nTimer = 0;
    HWND m_hDlg = NULL;
    DWORD m_dwStart = 0;
    UINT m_nTimeout = 0;
    BOOL m_bStepRun = FALSE;
    BOOL m_bCancelled = FALSE;
    int m_nRetries = 0;
};

struct CDriverState
{
    CDialogScript* m_pCurrent = NULL;
    std::vector<CModalSession*> m_sessions;
    CCommonDrive* m_pDrive = NULL;
};

void NTAPI FreeDriverState(void* pData)
{
    delete static_cast<CDriverState*>(pData);
}

// The state of this thread, on the heap and freed through a fiber-local slot when the
// thread ends: thread_local objects with destructors are not reliable in statically
// linked MinGW programs under Wine (they can crash when the thread ends).
CDriverState& GetDriverState()
{
    static const DWORD s_nSlot = ::FlsAlloc(FreeDriverState);
    CDriverState* pState = static_cast<CDriverState*>(::FlsGetValue(s_nSlot));
    if (pState == NULL)
    {
        pState = new CDriverState;
        ::FlsSetValue(s_nSlot, pState);
    }
    return *pState;
}

UINT g_nWatchdog = 0;
CDialogScript::AFX_DIALOG_FAILURE_PROC g_pfnFailure = NULL;

const UINT_PTR AFX_WATCHDOG_TIMER = 0xAF01;
const UINT AFX_DRIVE_TIMEOUT = 3000;

CString DescribeDialog(int nKind, UINT nIDTemplate, LPCTSTR lpszCaption)
{
    CString str;
    switch (nKind)
    {
    case CDialogScript::kindDialog:
        if (nIDTemplate != 0)
            str.Format("dialog %u", nIDTemplate);
        else if (lpszCaption != NULL && *lpszCaption != '\0')
            str.Format("dialog \"%s\"", lpszCaption);
        else
            str = "dialog";
        break;
    case CDialogScript::kindSheet:
        if (lpszCaption != NULL && *lpszCaption != '\0')
            str.Format("property sheet \"%s\"", lpszCaption);
        else
            str = "property sheet";
        break;
    case CDialogScript::kindFile:
        str = "file dialog";
        break;
    case CDialogScript::kindColor:
        str = "colour dialog";
        break;
    case CDialogScript::kindPrint:
        str = "print dialog";
        break;
    default:
        str = "dialog";
        break;
    }
    return str;
}

CString DescribeSession(const CModalSession* pSession)
{
    CString strCaption = pSession->m_strCaption;
    if (strCaption.IsEmpty() && pSession->m_pDlg->GetSafeHwnd() != NULL)
        pSession->m_pDlg->GetWindowText(strCaption);
    return DescribeDialog(pSession->m_nKind, pSession->m_nIDTemplate, strCaption);
}

CModalSession* FindSession(CWnd* pDlg)
{
    std::vector<CModalSession*>& sessions = GetDriverState().m_sessions;
    for (auto it = sessions.rbegin(); it != sessions.rend(); ++it)
    {
        if ((*it)->m_pDlg == pDlg)
            return *it;
    }
    return NULL;
}

CModalSession* FindSession(HWND hWnd)
{
    std::vector<CModalSession*>& sessions = GetDriverState().m_sessions;
    for (auto it = sessions.rbegin(); it != sessions.rend(); ++it)
    {
        if ((*it)->m_pDlg->GetSafeHwnd() == hWnd)
            return *it;
    }
    return NULL;
}

// Ends a dialog or sheet the way Cancel would, without asking it.
void EndWithCancel(CWnd* pDlg)
{
    if (CDialog* pDialog = DYNAMIC_DOWNCAST(CDialog, pDlg))
        pDialog->EndDialog(IDCANCEL);
    else if (CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, pDlg))
        pSheet->EndDialog(IDCANCEL);
    else
        pDlg->EndModalLoop(IDCANCEL);
}

/////////////////////////////////////////////////////////////////////////////
// User input on controls

HWND FindControl(CWnd* pDlg, int nID)
{
    HWND hDlg = pDlg->GetSafeHwnd();
    if (hDlg == NULL)
        return NULL;
    if (DYNAMIC_DOWNCAST(CPropertySheet, pDlg) != NULL)
    {
        HWND hPage = (HWND)::SendMessageA(hDlg, PSM_GETCURRENTPAGEHWND, 0, 0);
        HWND hCtrl = hPage != NULL ? ::GetDlgItem(hPage, nID) : NULL;
        if (hCtrl != NULL)
            return hCtrl;
    }
    HWND hCtrl = ::GetDlgItem(hDlg, nID);
    if (hCtrl != NULL)
        return hCtrl;
    CWnd* pCtrl = CWnd::GetDescendantWindow(hDlg, nID, FALSE);
    return pCtrl != NULL ? pCtrl->m_hWnd : NULL;
}

CString GetClass(HWND hWnd)
{
    char szClass[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return szClass;
}

// Moves the focus to a control as the dialog manager does.
void FocusControl(HWND hCtrl)
{
    HWND hParent = ::GetParent(hCtrl);
    if (hParent != NULL)
        ::SendMessageA(hParent, WM_NEXTDLGCTL, (WPARAM)hCtrl, TRUE);
    if (::GetFocus() != hCtrl && !::IsChild(hCtrl, ::GetFocus()))
        ::SetFocus(hCtrl);
}

void NotifyCommand(HWND hCtrl, UINT nCode)
{
    ::SendMessageA(::GetParent(hCtrl), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hCtrl), nCode), (LPARAM)hCtrl);
}

LRESULT NotifyParent(HWND hCtrl, NMHDR* pHeader, UINT nCode)
{
    pHeader->hwndFrom = hCtrl;
    pHeader->idFrom = (UINT_PTR)::GetDlgCtrlID(hCtrl);
    pHeader->code = nCode;
    return ::SendMessageA(::GetParent(hCtrl), WM_NOTIFY, pHeader->idFrom, (LPARAM)pHeader);
}

// What a mouse click does to a button: auto buttons change state, then BN_CLICKED.
void ClickButton(HWND hCtrl)
{
    FocusControl(hCtrl);
    DWORD dwType = (DWORD)::GetWindowLongPtrA(hCtrl, GWL_STYLE) & BS_TYPEMASK;
    LRESULT nCheck = ::SendMessageA(hCtrl, BM_GETCHECK, 0, 0);
    if (dwType == BS_AUTOCHECKBOX)
        ::SendMessageA(hCtrl, BM_SETCHECK, nCheck == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    else if (dwType == BS_AUTO3STATE)
        ::SendMessageA(hCtrl, BM_SETCHECK, (nCheck + 1) % 3, 0);
    else if (dwType == BS_AUTORADIOBUTTON)
    {
        ::SendMessageA(hCtrl, BM_SETCHECK, BST_CHECKED, 0);
        // the other auto radio buttons of the group go off
        HWND hDlg = ::GetParent(hCtrl);
        HWND hNext = hCtrl;
        while ((hNext = ::GetNextDlgGroupItem(hDlg, hNext, FALSE)) != NULL && hNext != hCtrl)
        {
            if (((DWORD)::GetWindowLongPtrA(hNext, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                ::SendMessageA(hNext, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
    NotifyCommand(hCtrl, BN_CLICKED);
}

BOOL SelectInControl(HWND hCtrl, int nIndex, CString& strError)
{
    CString strClass = GetClass(hCtrl);
    if (strClass.CompareNoCase("ComboBox") == 0)
    {
        FocusControl(hCtrl);
        if (::SendMessageA(hCtrl, CB_SETCURSEL, (WPARAM)nIndex, 0) == CB_ERR && nIndex != -1)
        {
            strError.Format("no item %d", nIndex);
            return FALSE;
        }
        NotifyCommand(hCtrl, CBN_SELCHANGE);
        return TRUE;
    }
    if (strClass.CompareNoCase("ListBox") == 0)
    {
        FocusControl(hCtrl);
        DWORD dwStyle = (DWORD)::GetWindowLongPtrA(hCtrl, GWL_STYLE);
        if (nIndex >= (int)::SendMessageA(hCtrl, LB_GETCOUNT, 0, 0))
        {
            strError.Format("no item %d", nIndex);
            return FALSE;
        }
        if (dwStyle & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))
        {
            ::SendMessageA(hCtrl, LB_SETSEL, FALSE, -1);
            if (nIndex >= 0)
            {
                ::SendMessageA(hCtrl, LB_SETSEL, TRUE, nIndex);
                ::SendMessageA(hCtrl, LB_SETCARETINDEX, (WPARAM)nIndex, 0);
            }
        }
        else
            ::SendMessageA(hCtrl, LB_SETCURSEL, (WPARAM)nIndex, 0);
        if (dwStyle & LBS_NOTIFY)
            NotifyCommand(hCtrl, LBN_SELCHANGE);
        return TRUE;
    }
    if (strClass.CompareNoCase(WC_LISTVIEWA) == 0)
    {
        if (nIndex >= (int)::SendMessageA(hCtrl, LVM_GETITEMCOUNT, 0, 0))
        {
            strError.Format("no item %d", nIndex);
            return FALSE;
        }
        FocusControl(hCtrl);
        // a click: the item alone becomes selected and focused, then NM_CLICK
        LVITEMA lvi;
        memset(&lvi, 0, sizeof(lvi));
        lvi.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        lvi.state = 0;
        ::SendMessageA(hCtrl, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&lvi);
        NMITEMACTIVATE nmia;
        memset(&nmia, 0, sizeof(nmia));
        nmia.iItem = -1;
        if (nIndex >= 0)
        {
            lvi.state = LVIS_SELECTED | LVIS_FOCUSED;
            ::SendMessageA(hCtrl, LVM_SETITEMSTATE, (WPARAM)nIndex, (LPARAM)&lvi);
            ::SendMessageA(hCtrl, LVM_SETSELECTIONMARK, 0, nIndex);
            ::SendMessageA(hCtrl, LVM_ENSUREVISIBLE, (WPARAM)nIndex, FALSE);
            RECT rect;
            rect.left = LVIR_LABEL;
            ::SendMessageA(hCtrl, LVM_GETITEMRECT, (WPARAM)nIndex, (LPARAM)&rect);
            nmia.iItem = nIndex;
            nmia.ptAction.x = (rect.left + rect.right) / 2;
            nmia.ptAction.y = (rect.top + rect.bottom) / 2;
        }
        else
        {
            // beside the items
            RECT rect;
            ::GetClientRect(hCtrl, &rect);
            nmia.ptAction.x = rect.right - 1;
            nmia.ptAction.y = rect.bottom - 1;
        }
        NotifyParent(hCtrl, &nmia.hdr, NM_CLICK);
        return TRUE;
    }
    if (strClass.CompareNoCase(WC_TABCONTROLA) == 0)
    {
        if (nIndex < 0 || nIndex >= (int)::SendMessageA(hCtrl, TCM_GETITEMCOUNT, 0, 0))
        {
            strError.Format("no tab %d", nIndex);
            return FALSE;
        }
        // a click on a tab: the owner may refuse to leave the current one
        NMHDR hdr;
        if (NotifyParent(hCtrl, &hdr, TCN_SELCHANGING))
            return TRUE;
        ::SendMessageA(hCtrl, TCM_SETCURSEL, (WPARAM)nIndex, 0);
        NotifyParent(hCtrl, &hdr, TCN_SELCHANGE);
        return TRUE;
    }
    strError = "not a list";
    return FALSE;
}

void PostKey(HWND hWnd, UINT nVirtKey)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, nVirtKey, 1);
    UINT nChar = 0;
    switch (nVirtKey)
    {
    case VK_RETURN: nChar = '\r'; break;
    case VK_ESCAPE: nChar = 0x1B; break;
    case VK_TAB: nChar = '\t'; break;
    case VK_BACK: nChar = '\b'; break;
    case VK_SPACE: nChar = ' '; break;
    default:
        if (nVirtKey >= '0' && nVirtKey <= '9')
            nChar = nVirtKey;
        else if (nVirtKey >= 'A' && nVirtKey <= 'Z')
            nChar = nVirtKey - 'A' + 'a';
        break;
    }
    if (nChar != 0)
        ::PostMessageA(hWnd, WM_CHAR, nChar, 1);
    ::PostMessageA(hWnd, WM_KEYUP, nVirtKey, (LPARAM)0xC0000001);
}

CString Quote(LPCTSTR lpsz)
{
    CString str;
    str.Format("\"%s\"", lpsz != NULL ? lpsz : "");
    return str;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// The driver

struct AFX_DIALOG_DRIVER
{
    typedef CDialogScript::CEntry CEntry;
    typedef CDialogScript::CRecord CRecord;

    static void Fail(LPCTSTR lpszText);
    static void Log(LPCTSTR lpszText);
    static CRecord MakeRecord(int nKind);
    static int AddRecord(CDialogScript* pScript, const CRecord& record);
    static CRecord* GetRecord(CDialogScript* pScript, int nRecord);
    static CEntry* TakeEntry(CDialogScript* pScript, int nKind, UINT nIDTemplate,
                                             LPCTSTR lpszCaption, CString& strError);
    static void RunStep(CModalSession* pSession);
    static void CALLBACK WatchdogProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD);

    static void DescribeCommon(CCommonDialog* pDlg, int nKind, CRecord& record);
    static INT_PTR AnswerFile(CFileDialog* pDlg, const CEntry& entry, CString& strError);
    static INT_PTR AnswerPrint(CPrintDialog* pDlg, const CEntry& entry, CString& strError);
    static LRESULT CALLBACK DriveHook(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK DriveTimerProc(HWND, UINT, UINT_PTR, DWORD);
    static void CancelOpenDialogs(HWND hDlg);
};

void AFX_DIALOG_DRIVER::Fail(LPCTSTR lpszText)
{
    CDialogScript* pScript = CDialogScript::GetCurrent();
    if (pScript != NULL)
        pScript->m_pData->m_failures.push_back(lpszText);
    CString strDebug = CString("dialog script: ") + lpszText + "\n";
    ::OutputDebugStringA(strDebug);
    if (g_pfnFailure != NULL)
        g_pfnFailure(lpszText);
}

void AFX_DIALOG_DRIVER::Log(LPCTSTR lpszText)
{
    CDialogScript* pScript = CDialogScript::GetCurrent();
    if (pScript != NULL)
    {
        pScript->m_pData->m_strLog += lpszText;
        pScript->m_pData->m_strLog += "\n";
    }
}

CDialogScript::CRecord AFX_DIALOG_DRIVER::MakeRecord(int nKind)
{
    CRecord record;
    record.m_nKind = nKind;
    record.m_nIDTemplate = 0;
    record.m_nResult = -1;
    record.m_bOpenFileDialog = FALSE;
    record.m_dwFlags = 0;
    record.m_nFilterIndex = 0;
    record.m_clrInitial = 0;
    return record;
}

int AFX_DIALOG_DRIVER::AddRecord(CDialogScript* pScript, const CRecord& record)
{
    pScript->m_pData->m_records.push_back(record);
    return (int)pScript->m_pData->m_records.size() - 1;
}

CDialogScript::CRecord* AFX_DIALOG_DRIVER::GetRecord(CDialogScript* pScript, int nRecord)
{
    if (pScript == NULL || nRecord < 0 || nRecord >= (int)pScript->m_pData->m_records.size())
        return NULL;
    return &pScript->m_pData->m_records[(size_t)nRecord];
}

CDialogScript::CEntry* AFX_DIALOG_DRIVER::TakeEntry(
    CDialogScript* pScript, int nKind, UINT nIDTemplate, LPCTSTR lpszCaption, CString& strError)
{
    CString strDialog = DescribeDialog(nKind, nIDTemplate, lpszCaption);
    auto& entries = pScript->m_pData->m_entries;
    if (entries.empty())
    {
        strError = strDialog + " opened, but the script has no entry left";
        return NULL;
    }
    CEntry* pEntry = entries.front().get();
    BOOL bMatch = FALSE;
    switch (nKind)
    {
    case CDialogScript::kindDialog:
        bMatch = pEntry->m_nKind == nKind && (pEntry->m_nIDTemplate == 0 || pEntry->m_nIDTemplate == nIDTemplate);
        break;
    case CDialogScript::kindSheet:
        bMatch = pEntry->m_nKind == nKind &&
                 (pEntry->m_strCaption.IsEmpty() || pEntry->m_strCaption == lpszCaption);
        break;
    default:
        bMatch = pEntry->m_nKind == nKind || (pEntry->m_nKind == 0 && pEntry->m_drive);
        break;
    }
    if (!bMatch)
    {
        // the entry stays for the dialog it was meant for
        CString strExpected = pEntry->m_nKind == 0 ? CString("a common dialog")
            : DescribeDialog(pEntry->m_nKind, pEntry->m_nIDTemplate, pEntry->m_strCaption);
        strError = strDialog + " opened, but the script expected " + strExpected;
        return NULL;
    }
    pScript->m_pData->m_taken.push_back(std::move(entries.front()));
    entries.pop_front();
    return pEntry;
}

void AFX_DIALOG_DRIVER::RunStep(CModalSession* pSession)
{
    CStep step = pSession->m_pSteps->front();
    pSession->m_pSteps->pop_front();
    Log(DescribeSession(pSession) + ": " + step.m_strName);
    try
    {
        step.m_action(pSession->m_pDlg);
    }
    catch (CException* e)
    {
        Fail(DescribeSession(pSession) + ": " + step.m_strName + " raised an exception");
        e->Delete();
    }
    catch (...)
    {
        Fail(DescribeSession(pSession) + ": " + step.m_strName + " raised an exception");
    }
}

void CALLBACK AFX_DIALOG_DRIVER::WatchdogProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(hWnd, nIDEvent);
    CModalSession* pSession = FindSession(hWnd);
    if (pSession == NULL || pSession->m_bEndedByDriver)
        return;
    pSession->m_bEndedByDriver = TRUE;
    CString strText;
    strText.Format("%s was not ended within %u ms; cancelled by the watchdog",
                   (LPCTSTR)DescribeSession(pSession), g_nWatchdog);
    Fail(strText);
    EndWithCancel(pSession->m_pDlg);
}

/////////////////////////////////////////////////////////////////////////////
// Modal dialogs and sheets

void PASCAL CDialogScript::EnterModal(CWnd* pDlg, int nKind, UINT nIDTemplate, LPCTSTR lpszCaption)
{
    CModalSession* pSession = new CModalSession;
    pSession->m_pDlg = pDlg;
    pSession->m_nKind = nKind;
    pSession->m_nIDTemplate = nIDTemplate;
    pSession->m_strCaption = lpszCaption;

    CDialogScript* pScript = GetCurrent();
    if (pScript != NULL)
    {
        CRecord record = AFX_DIALOG_DRIVER::MakeRecord(nKind);
        record.m_nIDTemplate = nIDTemplate;
        record.m_strCaption = lpszCaption;
        pSession->m_pScript = pScript;
        pSession->m_nRecord = AFX_DIALOG_DRIVER::AddRecord(pScript, record);

        CString strError;
        CEntry* pEntry = AFX_DIALOG_DRIVER::TakeEntry(pScript, nKind, nIDTemplate, lpszCaption, strError);
        if (pEntry != NULL)
        {
            pSession->m_pSteps = &pEntry->m_steps;
            pSession->m_bScripted = TRUE;
        }
        else
            AFX_DIALOG_DRIVER::Fail(strError + "; cancelled");
    }
    GetDriverState().m_sessions.push_back(pSession);
}

void PASCAL CDialogScript::LeaveModal(CWnd* pDlg, INT_PTR nResult)
{
    CModalSession* pSession = FindSession(pDlg);
    if (pSession == NULL)
        return;

    CRecord* pRecord = AFX_DIALOG_DRIVER::GetRecord(pSession->m_pScript, pSession->m_nRecord);
    if (pRecord != NULL)
    {
        pRecord->m_nResult = nResult;
        if (pRecord->m_strCaption.IsEmpty() && pDlg->GetSafeHwnd() != NULL)
            pDlg->GetWindowText(pRecord->m_strCaption);
    }
    if (pSession->m_pSteps != NULL && !pSession->m_pSteps->empty() && !pSession->m_bEndedByDriver)
    {
        CString strText;
        strText.Format("%s closed with %d steps of its script left, the first: %s",
                       (LPCTSTR)DescribeSession(pSession), (int)pSession->m_pSteps->size(),
                       (LPCTSTR)pSession->m_pSteps->front().m_strName);
        AFX_DIALOG_DRIVER::Fail(strText);
    }
    if (pSession->m_bTimer && pDlg->GetSafeHwnd() != NULL)
        ::KillTimer(pDlg->m_hWnd, AFX_WATCHDOG_TIMER);

    std::vector<CModalSession*>& sessions = GetDriverState().m_sessions;
    for (auto it = sessions.begin(); it != sessions.end(); ++it)
    {
        if (*it == pSession)
        {
            sessions.erase(it);
            break;
        }
    }
    delete pSession;
}

BOOL PASCAL CDialogScript::OnModalIdle(CWnd* pDlg)
{
    CModalSession* pSession = FindSession(pDlg);
    if (pSession == NULL || pSession->m_bEndedByDriver)
        return FALSE;

    if (pSession->m_bScripted)
    {
        if (pSession->m_pSteps != NULL && !pSession->m_pSteps->empty())
        {
            AFX_DIALOG_DRIVER::RunStep(pSession);
            return TRUE;
        }
        if (pDlg->ContinueModal())
        {
            AFX_DIALOG_DRIVER::Fail(DescribeSession(pSession) + " is still open after its script; cancelled");
            pSession->m_bEndedByDriver = TRUE;
            EndWithCancel(pDlg);
        }
        return FALSE;
    }

    if (pSession->m_pScript != NULL || GetCurrent() != NULL)
    {
        // a script runs but has no entry for this dialog (the failure is reported)
        pSession->m_bEndedByDriver = TRUE;
        EndWithCancel(pDlg);
        return FALSE;
    }
    if (g_nWatchdog != 0 && !pSession->m_bTimer && pDlg->GetSafeHwnd() != NULL)
    {
        ::SetTimer(pDlg->m_hWnd, AFX_WATCHDOG_TIMER, g_nWatchdog, AFX_DIALOG_DRIVER::WatchdogProc);
        pSession->m_bTimer = TRUE;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Common dialogs

static CString JoinFilter(LPCTSTR lpszFilter)
{
    // "a\0b\0\0" -> "a|b|"
    CString str;
    for (LPCTSTR p = lpszFilter; p != NULL && *p != '\0'; p += lstrlenA(p) + 1)
    {
        str += p;
        str += '|';
    }
    return str;
}

static int CountFilters(LPCTSTR lpszFilter)
{
    int nStrings = 0;
    for (LPCTSTR p = lpszFilter; p != NULL && *p != '\0'; p += lstrlenA(p) + 1)
        ++nStrings;
    return nStrings / 2;
}

void AFX_DIALOG_DRIVER::DescribeCommon(CCommonDialog* pDlg, int nKind, CRecord& record)
{
    if (nKind == CDialogScript::kindFile)
    {
        CFileDialog* pFileDlg = (CFileDialog*)pDlg;
        const OPENFILENAME& ofn = pFileDlg->m_ofn;
        record.m_bOpenFileDialog = pFileDlg->m_bOpenFileDialog;
        record.m_dwFlags = ofn.Flags;
        record.m_strFilter = JoinFilter(ofn.lpstrFilter);
        record.m_nFilterIndex = (int)ofn.nFilterIndex;
        record.m_strFileName = ofn.lpstrFile;
        record.m_strInitialDir = ofn.lpstrInitialDir;
        record.m_strDefExt = ofn.lpstrDefExt;
        record.m_strTitle = ofn.lpstrTitle;
    }
    else if (nKind == CDialogScript::kindColor)
    {
        CColorDialog* pColorDlg = (CColorDialog*)pDlg;
        record.m_dwFlags = pColorDlg->m_cc.Flags;
        record.m_clrInitial = pColorDlg->m_cc.rgbResult;
    }
    else if (nKind == CDialogScript::kindPrint)
        record.m_dwFlags = ((CPrintDialog*)pDlg)->m_pd.Flags;
}

// Index of the file name in a path (after the last backslash or slash).
static int FileNameStart(const CString& strPath)
{
    int nBackslash = strPath.ReverseFind('\\');
    int nSlash = strPath.ReverseFind('/');
    return (nBackslash > nSlash ? nBackslash : nSlash) + 1;
}

INT_PTR AFX_DIALOG_DRIVER::AnswerFile(CFileDialog* pDlg, const CEntry& entry, CString& strError)
{
    OPENFILENAME& ofn = pDlg->m_ofn;
    CString strPath = entry.m_strPathName;
    int nName = FileNameStart(strPath);
    if (nName >= strPath.GetLength())
    {
        strError = "no file name given";
        return IDCANCEL;
    }
    // a name typed without extension gets the default one
    if (strPath.Mid(nName).Find('.') < 0 && ofn.lpstrDefExt != NULL && *ofn.lpstrDefExt != '\0')
        strPath += CString(".") + ofn.lpstrDefExt;
    CString strName = strPath.Mid(nName);

    DWORD dwAttributes = ::GetFileAttributesA(strPath);
    BOOL bExists = dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if ((ofn.Flags & OFN_FILEMUSTEXIST) && !bExists)
    {
        strError = Quote(strPath) + " does not exist (OFN_FILEMUSTEXIST)";
        return IDCANCEL;
    }
    if ((ofn.Flags & OFN_PATHMUSTEXIST) && nName > 1)
    {
        DWORD dwFolder = ::GetFileAttributesA(strPath.Left(nName - 1));
        if (dwFolder == INVALID_FILE_ATTRIBUTES || !(dwFolder & FILE_ATTRIBUTE_DIRECTORY))
        {
            strError = Quote(strPath.Left(nName - 1)) + " is not a folder (OFN_PATHMUSTEXIST)";
            return IDCANCEL;
        }
    }
    if (strPath.GetLength() >= (int)ofn.nMaxFile)
    {
        strError = Quote(strPath) + " does not fit the file name buffer";
        return IDCANCEL;
    }
    if (entry.m_nFilterIndex > CountFilters(ofn.lpstrFilter))
    {
        strError.Format("the dialog has no filter %d", entry.m_nFilterIndex);
        return IDCANCEL;
    }

    lstrcpynA(ofn.lpstrFile, strPath, (int)ofn.nMaxFile);
    ofn.nFileOffset = (WORD)nName;
    int nDot = strName.ReverseFind('.');
    ofn.nFileExtension = nDot < 0 ? 0 : (WORD)(nName + nDot + 1);
    if (ofn.lpstrFileTitle != NULL && ofn.nMaxFileTitle > 0)
        lstrcpynA(ofn.lpstrFileTitle, strName, (int)ofn.nMaxFileTitle);
    if (entry.m_nFilterIndex > 0)
        ofn.nFilterIndex = (DWORD)entry.m_nFilterIndex;
    else if (ofn.nFilterIndex == 0 && CountFilters(ofn.lpstrFilter) > 0)
        ofn.nFilterIndex = 1;
    ofn.Flags &= ~(OFN_READONLY | OFN_EXTENSIONDIFFERENT);
    if (ofn.lpstrDefExt != NULL && *ofn.lpstrDefExt != '\0' &&
        (nDot < 0 || lstrcmpiA(strName.Mid(nDot + 1), ofn.lpstrDefExt) != 0))
        ofn.Flags |= OFN_EXTENSIONDIFFERENT;
    if ((ofn.Flags & OFN_OVERWRITEPROMPT) && bExists && !pDlg->m_bOpenFileDialog)
        Log(Quote(strPath) + " exists: the user confirms the overwrite");

    // the class library's own check of the chosen name
    if ((ofn.Flags & OFN_ENABLEHOOK) && ofn.lpfnHook == AfxFileDlgHookProc && pDlg->OnFileNameOK())
    {
        strError = Quote(strPath) + " refused by OnFileNameOK";
        return IDCANCEL;
    }
    return IDOK;
}

static HGLOBAL MakeGlobal(const void* pData, SIZE_T nSize)
{
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
    if (hGlobal == NULL)
        AfxThrowMemoryException();
    memcpy(::GlobalLock(hGlobal), pData, nSize);
    ::GlobalUnlock(hGlobal);
    return hGlobal;
}

INT_PTR AFX_DIALOG_DRIVER::AnswerPrint(CPrintDialog* pDlg, const CEntry& entry, CString& strError)
{
    PRINTDLG& pd = pDlg->m_pd;
    const CDialogScript::CPrintAnswer& answer = entry.m_print;

    // the printer: the answer's, the dialog's, or the default one
    CString strPrinter = answer.m_strPrinter;
    if (strPrinter.IsEmpty())
        strPrinter = pDlg->GetDeviceName();
    if (strPrinter.IsEmpty())
    {
        char szDefault[256] = "";
        DWORD cch = sizeof(szDefault);
        if (::GetDefaultPrinterA(szDefault, &cch))
            strPrinter = szDefault;
    }
    if (strPrinter.IsEmpty())
    {
        strError = "there is no printer to choose";
        return IDCANCEL;
    }

    // the DEVMODE: the printer's own, started from the dialog's when it is the same printer
    std::vector<BYTE> devMode;
    CString strPort;
    DEVMODEA* pOld = pd.hDevMode != NULL ? (DEVMODEA*)::GlobalLock(pd.hDevMode) : NULL;
    BOOL bSamePrinter = pOld != NULL && strPrinter.Compare((LPCSTR)pOld->dmDeviceName) == 0;
    HANDLE hPrinter = NULL;
    if (::OpenPrinterA((LPSTR)(LPCSTR)strPrinter, &hPrinter, NULL))
    {
        DWORD cbNeeded = 0;
        ::GetPrinterA(hPrinter, 2, NULL, 0, &cbNeeded);
        if (cbNeeded > 0)
        {
            std::vector<BYTE> info(cbNeeded);
            if (::GetPrinterA(hPrinter, 2, info.data(), cbNeeded, &cbNeeded))
                strPort = ((PRINTER_INFO_2A*)info.data())->pPortName;
        }
        LONG nSize = ::DocumentPropertiesA(NULL, hPrinter, (LPSTR)(LPCSTR)strPrinter, NULL, NULL, 0);
        if (nSize > 0)
        {
            devMode.resize((size_t)nSize);
            if (::DocumentPropertiesA(NULL, hPrinter, (LPSTR)(LPCSTR)strPrinter, (DEVMODEA*)devMode.data(),
                                      bSamePrinter ? pOld : NULL,
                                      DM_OUT_BUFFER | (bSamePrinter ? DM_IN_BUFFER : 0)) < 0)
                devMode.clear();
        }
        ::ClosePrinter(hPrinter);
    }
    if (devMode.empty())
    {
        if (bSamePrinter)
        {
            devMode.resize((size_t)pOld->dmSize + pOld->dmDriverExtra);
            memcpy(devMode.data(), pOld, devMode.size());
        }
        else
        {
            // a printer the system does not know: a plain DEVMODE
            devMode.resize(sizeof(DEVMODEA));
            DEVMODEA* pNew = (DEVMODEA*)devMode.data();
            lstrcpynA((LPSTR)pNew->dmDeviceName, strPrinter, CCHDEVICENAME);
            pNew->dmSpecVersion = DM_SPECVERSION;
            pNew->dmSize = sizeof(DEVMODEA);
            pNew->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
            pNew->dmOrientation = DMORIENT_PORTRAIT;
            pNew->dmPaperSize = DMPAPER_LETTER;
            pNew->dmCopies = 1;
        }
    }
    if (pOld != NULL)
        ::GlobalUnlock(pd.hDevMode);

    DEVMODEA* pDevMode = (DEVMODEA*)devMode.data();
    if (answer.m_nOrientation != 0)
    {
        pDevMode->dmOrientation = answer.m_nOrientation;
        pDevMode->dmFields |= DM_ORIENTATION;
    }
    short nCopies = answer.m_nCopies > 0 ? answer.m_nCopies : 1;
    if (pd.Flags & (PD_USEDEVMODECOPIES | PD_USEDEVMODECOPIESANDCOLLATE))
    {
        pDevMode->dmCopies = nCopies;
        pDevMode->dmFields |= DM_COPIES;
        pd.nCopies = 1;
    }
    else
        pd.nCopies = (WORD)nCopies;

    // the range of pages
    if (answer.m_nFromPage != 0 || answer.m_nToPage != 0)
    {
        if (pd.Flags & PD_NOPAGENUMS)
        {
            strError = "the dialog offers no page range";
            return IDCANCEL;
        }
        if (answer.m_nFromPage > answer.m_nToPage ||
            (pd.nMaxPage != 0 && (answer.m_nFromPage < pd.nMinPage || answer.m_nToPage > pd.nMaxPage)))
        {
            strError.Format("pages %d to %d are outside %u to %u", answer.m_nFromPage, answer.m_nToPage,
                            pd.nMinPage, pd.nMaxPage);
            return IDCANCEL;
        }
        pd.Flags = (pd.Flags & ~PD_SELECTION) | PD_PAGENUMS;
        pd.nFromPage = (WORD)answer.m_nFromPage;
        pd.nToPage = (WORD)answer.m_nToPage;
    }
    else
        pd.Flags &= ~(PD_PAGENUMS | PD_SELECTION);

    // the device context the caller asked for
    const char* pszDriver = "winspool";
    HDC hDC = NULL;
    if (pd.Flags & (PD_RETURNDC | PD_RETURNIC))
    {
        if (pd.Flags & PD_RETURNDC)
            hDC = ::CreateDCA(pszDriver, strPrinter, strPort.IsEmpty() ? NULL : (LPCSTR)strPort, pDevMode);
        else
            hDC = ::CreateICA(pszDriver, strPrinter, strPort.IsEmpty() ? NULL : (LPCSTR)strPort, pDevMode);
        if (hDC == NULL)
        {
            strError = Quote(strPrinter) + " gives no device context";
            return IDCANCEL;
        }
    }

    // DEVNAMES: the structure, then driver, device and port
    size_t cchDriver = strlen(pszDriver) + 1;
    size_t cchDevice = (size_t)strPrinter.GetLength() + 1;
    size_t cchPort = (size_t)strPort.GetLength() + 1;
    std::vector<BYTE> devNames(sizeof(DEVNAMES) + cchDriver + cchDevice + cchPort);
    DEVNAMES* pNames = (DEVNAMES*)devNames.data();
    pNames->wDriverOffset = (WORD)sizeof(DEVNAMES);
    pNames->wDeviceOffset = (WORD)(pNames->wDriverOffset + cchDriver);
    pNames->wOutputOffset = (WORD)(pNames->wDeviceOffset + cchDevice);
    pNames->wDefault = 0;
    memcpy(devNames.data() + pNames->wDriverOffset, pszDriver, cchDriver);
    memcpy(devNames.data() + pNames->wDeviceOffset, (LPCSTR)strPrinter, cchDevice);
    memcpy(devNames.data() + pNames->wOutputOffset, (LPCSTR)strPort, cchPort);

    if (pd.hDevMode != NULL)
        ::GlobalFree(pd.hDevMode);
    if (pd.hDevNames != NULL)
        ::GlobalFree(pd.hDevNames);
    pd.hDevMode = MakeGlobal(devMode.data(), devMode.size());
    pd.hDevNames = MakeGlobal(devNames.data(), devNames.size());
    if (hDC != NULL)
        pd.hDC = hDC;
    return IDOK;
}

LRESULT CALLBACK AFX_DIALOG_DRIVER::DriveHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    CCommonDrive* pDrive = GetDriverState().m_pDrive;
    if (pDrive != NULL && nCode == HCBT_CREATEWND && pDrive->m_hDlg == NULL)
    {
        // the first top-level dialog window is the common dialog
        CBT_CREATEWNDA* pCreate = (CBT_CREATEWNDA*)lParam;
        LPCSTR lpszClass = pCreate->lpcs->lpszClass;
        BOOL bDialogClass = IS_INTRESOURCE(lpszClass) ? LOWORD((DWORD_PTR)lpszClass) == 32770
                                                      : lstrcmpiA(lpszClass, "#32770") == 0;
        if (bDialogClass && !(pCreate->lpcs->style & WS_CHILD))
            pDrive->m_hDlg = (HWND)wParam;
    }
    return ::CallNextHookEx(pDrive != NULL ? pDrive->m_hHook : NULL, nCode, wParam, lParam);
}

void CALLBACK AFX_DIALOG_DRIVER::DriveTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    CCommonDrive* pDrive = GetDriverState().m_pDrive;
    if (pDrive == NULL)
        return;
    if (!pDrive->m_bStepRun && pDrive->m_hDlg != NULL && ::IsWindowVisible(pDrive->m_hDlg))
    {
        pDrive->m_bStepRun = TRUE;
        Log("common dialog: step");
        try
        {
            pDrive->m_step(pDrive->m_hDlg);
        }
        catch (CException* e)
        {
            Fail("common dialog: the step raised an exception");
            e->Delete();
        }
        catch (...)
        {
            Fail("common dialog: the step raised an exception");
        }
        return;
    }
    const DWORD dwElapsed = ::GetTickCount() - pDrive->m_dwStart;
    if (dwElapsed > pDrive->m_nTimeout && !pDrive->m_bCancelled)
    {
        pDrive->m_bCancelled = TRUE;
        CString strText;
        strText.Format("common dialog still open after %u ms; cancelled", pDrive->m_nTimeout);
        Fail(strText);
        CancelOpenDialogs(pDrive->m_hDlg);
    }
    else if (pDrive->m_bCancelled && dwElapsed > pDrive->m_nTimeout + (DWORD)pDrive->m_nRetries * 500)
    {
        // Not ended yet: the dialog was not known when cancelled, or a message box it
        // opened (an answer the step did not expect) waits in front of it. A test run
        // must never wait for a user, so every dialog of the thread is cancelled again.
        pDrive->m_nRetries++;
        CancelOpenDialogs(pDrive->m_hDlg);
    }
}

static BOOL CALLBACK CancelThreadDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    // a dialog disabled by a modal one in front of it (the test's own) is left alone
    if (hWnd != (HWND)lParam && lstrcmpA(szClass, "#32770") == 0 && ::IsWindowVisible(hWnd) &&
        ::IsWindowEnabled(hWnd))
        ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(hWnd, IDCANCEL));
    return TRUE;
}

// Cancels the dialog this thread shows in front (a message box over hDlg), then hDlg.
void AFX_DIALOG_DRIVER::CancelOpenDialogs(HWND hDlg)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), CancelThreadDialog, (LPARAM)hDlg);
    if (hDlg != NULL && ::IsWindow(hDlg))
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDCANCEL));
}

INT_PTR PASCAL CDialogScript::BeginCommonDialog(CCommonDialog* pDlg, int nKind)
{
    CDialogScript* pScript = GetCurrent();
    CString strDialog = DescribeDialog(nKind, 0, NULL);
    if (pScript == NULL)
    {
        if (g_nWatchdog == 0)
            return -1;      // the real dialog
        AFX_DIALOG_DRIVER::Fail(strDialog + " opened without a script; cancelled by the watchdog");
        return IDCANCEL;
    }

    CRecord record = AFX_DIALOG_DRIVER::MakeRecord(nKind);
    AFX_DIALOG_DRIVER::DescribeCommon(pDlg, nKind, record);
    int nRecord = AFX_DIALOG_DRIVER::AddRecord(pScript, record);

    CString strError;
    CEntry* pEntry = AFX_DIALOG_DRIVER::TakeEntry(pScript, nKind, 0, NULL, strError);
    if (pEntry == NULL)
    {
        AFX_DIALOG_DRIVER::Fail(strError + "; cancelled");
        AFX_DIALOG_DRIVER::GetRecord(pScript, nRecord)->m_nResult = IDCANCEL;
        return IDCANCEL;
    }

    CDriverState& state = GetDriverState();
    if (pEntry->m_drive && state.m_pDrive == NULL)
    {
        // shown for real: the step runs once the dialog is visible
        CCommonDrive* pDrive = new CCommonDrive;
        pDrive->m_step = pEntry->m_drive;
        pDrive->m_pScript = pScript;
        pDrive->m_nRecord = nRecord;
        pDrive->m_dwStart = ::GetTickCount();
        pDrive->m_nTimeout = g_nWatchdog != 0 ? g_nWatchdog : AFX_DRIVE_TIMEOUT;
        state.m_pDrive = pDrive;
        pDrive->m_hHook = ::SetWindowsHookExA(WH_CBT, AFX_DIALOG_DRIVER::DriveHook, NULL,
                                              ::GetCurrentThreadId());
        pDrive->m_nTimer = ::SetTimer(NULL, 0, 50, AFX_DIALOG_DRIVER::DriveTimerProc);
        AFX_DIALOG_DRIVER::Log(strDialog + ": shown");
        return -1;
    }

    INT_PTR nResult = IDCANCEL;
    if (!pEntry->m_bCancel)
    {
        switch (nKind)
        {
        case kindFile:
            nResult = AFX_DIALOG_DRIVER::AnswerFile((CFileDialog*)pDlg, *pEntry, strError);
            break;
        case kindColor:
            ((CColorDialog*)pDlg)->m_cc.rgbResult = pEntry->m_clr;
            nResult = IDOK;
            break;
        case kindPrint:
            nResult = AFX_DIALOG_DRIVER::AnswerPrint((CPrintDialog*)pDlg, *pEntry, strError);
            break;
        default:
            strError = "a dialog of unknown kind";
            break;
        }
        if (nResult != IDOK)
            AFX_DIALOG_DRIVER::Fail(strDialog + ": " + strError + "; cancelled");
    }
    AFX_DIALOG_DRIVER::Log(strDialog + (nResult == IDOK ? ": OK" : ": Cancel"));
    AFX_DIALOG_DRIVER::GetRecord(pScript, nRecord)->m_nResult = nResult;
    return nResult;
}

void PASCAL CDialogScript::EndCommonDialog(CCommonDialog*, INT_PTR nResult)
{
    CDriverState& state = GetDriverState();
    CCommonDrive* pDrive = state.m_pDrive;
    if (pDrive == NULL)
        return;
    state.m_pDrive = NULL;
    if (pDrive->m_hHook != NULL)
        ::UnhookWindowsHookEx(pDrive->m_hHook);
    if (pDrive->m_nTimer != 0)
        ::KillTimer(NULL, pDrive->m_nTimer);
    CRecord* pRecord = AFX_DIALOG_DRIVER::GetRecord(pDrive->m_pScript, pDrive->m_nRecord);
    if (pRecord != NULL)
        pRecord->m_nResult = nResult;
    if (!pDrive->m_bStepRun && !pDrive->m_bCancelled)
        AFX_DIALOG_DRIVER::Fail("the common dialog closed before its step ran");
    delete pDrive;
}

/////////////////////////////////////////////////////////////////////////////
// The driver as the class library's dialog hook

namespace
{

class CDriverHook : public CDialogHook
{
public:
    void EnterModal(CWnd* pDlg, int nKind, UINT nIDTemplate, LPCTSTR lpszCaption) override
    {
        CDialogScript::EnterModal(pDlg, nKind, nIDTemplate, lpszCaption);
    }
    void LeaveModal(CWnd* pDlg, INT_PTR nResult) override { CDialogScript::LeaveModal(pDlg, nResult); }
    BOOL OnModalIdle(CWnd* pDlg) override { return CDialogScript::OnModalIdle(pDlg); }
    INT_PTR BeginCommonDialog(CCommonDialog* pDlg, int nKind) override
    {
        return CDialogScript::BeginCommonDialog(pDlg, nKind);
    }
    void EndCommonDialog(CCommonDialog* pDlg, INT_PTR nResult) override
    {
        CDialogScript::EndCommonDialog(pDlg, nResult);
    }
};

// Installed by the first script, watchdog or failure handler; stays for the process
// (never destroyed: dialogs may still end while the program exits).
void InstallDriverHook()
{
    static CDriverHook* const s_pHook = new CDriverHook;
    if (AfxGetDialogHook() != s_pHook)
        AfxSetDialogHook(s_pHook);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CDialogScript

CDialogScript::CDialogScript()
{
    InstallDriverHook();
    m_pData = new CData;
    CDriverState& state = GetDriverState();
    m_pPrevious = state.m_pCurrent;
    state.m_pCurrent = this;
}

CDialogScript::~CDialogScript()
{
    if (!m_pData->m_entries.empty())
    {
        const CEntry* pFirst = m_pData->m_entries.front().get();
        CString strText;
        strText.Format("%d scripted dialogs never opened, the first: %s",
                       (int)m_pData->m_entries.size(),
                       pFirst->m_nKind == 0 ? "a common dialog"
                           : (LPCTSTR)DescribeDialog(pFirst->m_nKind, pFirst->m_nIDTemplate,
                                                     pFirst->m_strCaption));
        AFX_DIALOG_DRIVER::Fail(strText);
    }

    CDriverState& state = GetDriverState();
    if (state.m_pCurrent == this)
        state.m_pCurrent = m_pPrevious;
    for (CModalSession* pSession : state.m_sessions)
    {
        if (pSession->m_pScript == this)
        {
            // the dialog goes on without its script
            pSession->m_pScript = NULL;
            pSession->m_pSteps = NULL;
        }
    }
    if (state.m_pDrive != NULL && state.m_pDrive->m_pScript == this)
        state.m_pDrive->m_pScript = NULL;
    delete m_pData;
}

CDialogScript* PASCAL CDialogScript::GetCurrent()
{
    return GetDriverState().m_pCurrent;
}

BOOL PASCAL CDialogScript::UsePrivateDesktop()
{
    char szName[64];
    wsprintfA(szName, "AfxTests%lu.%lu", ::GetCurrentProcessId(), ::GetCurrentThreadId());
    HDESK hDesktop = ::CreateDesktopA(szName, NULL, NULL, 0, GENERIC_ALL, NULL);
    return hDesktop != NULL && ::SetThreadDesktop(hDesktop);
}

void PASCAL CDialogScript::SetWatchdog(UINT nMilliseconds)
{
    InstallDriverHook();
    g_nWatchdog = nMilliseconds;
}

UINT PASCAL CDialogScript::GetWatchdog()
{
    return g_nWatchdog;
}

CDialogScript::AFX_DIALOG_FAILURE_PROC PASCAL CDialogScript::SetFailureHandler(AFX_DIALOG_FAILURE_PROC pfn)
{
    InstallDriverHook();
    AFX_DIALOG_FAILURE_PROC pfnOld = g_pfnFailure;
    g_pfnFailure = pfn;
    return pfnOld;
}

CDialogScript::CSteps& CDialogScript::OnDialog(UINT nIDTemplate)
{
    std::unique_ptr<CEntry> pEntry(new CEntry);
    pEntry->m_nKind = kindDialog;
    pEntry->m_nIDTemplate = nIDTemplate;
    pEntry->m_builder.m_pEntry = pEntry.get();
    m_pData->m_entries.push_back(std::move(pEntry));
    return m_pData->m_entries.back()->m_builder;
}

CDialogScript::CSteps& CDialogScript::OnSheet(LPCTSTR lpszCaption)
{
    std::unique_ptr<CEntry> pEntry(new CEntry);
    pEntry->m_nKind = kindSheet;
    pEntry->m_strCaption = lpszCaption;
    pEntry->m_builder.m_pEntry = pEntry.get();
    m_pData->m_entries.push_back(std::move(pEntry));
    return m_pData->m_entries.back()->m_builder;
}

void CDialogScript::OnFileDialog(LPCTSTR lpszPathName, int nFilterIndex)
{
    std::unique_ptr<CEntry> pEntry(new CEntry);
    pEntry->m_nKind = kindFile;
    pEntry->m_strPathName = lpszPathName;
    pEntry->m_nFilterIndex = nFilterIndex;
    m_pData->m_entries.push_back(std::move(pEntry));
}

void CDialogScript::OnColorDialog(COLORREF clr)
{
    std::unique_ptr<CEntry> pEntry(new CEntry);
    pEntry->m_nKind = kindColor;
    pEntry->m_clr = clr;
    m_pData->m_entries.push_back(std::move(pEntry));
}

void CDialogScript::OnPrintDialog(const CPrintAnswer& answer)
{
    std::unique_ptr<CEntry> pEntry(new CEntry);
    pEntry->m_nKind = kindPrint;
    pEntry->m_print = answer;
    m_pData->m_entries.push_back(std::move(pEntry));
}

void CDialogScript::CancelFileDialog()
{
    std::unique_ptr<CEntry> pEntry(new CEntry);
    pEntry->m_nKind = kindFile;
    pEntry->m_bCancel = TRUE;
    m_pData->m_entries.push_back(std::move(pEntry));
}

void CDialogScript::CancelColorDialog()
{
    std::unique_ptr<CEntry> pEntry(new CEntry);
    pEntry->m_nKind = kindColor;
    pEntry->m_bCancel = TRUE;
    m_pData->m_entries.push_back(std::move(pEntry));
}

void CDialogScript::CancelPrintDialog()
{
    std::unique_ptr<CEntry> pEntry(new CEntry);
    pEntry->m_nKind = kindPrint;
    pEntry->m_bCancel = TRUE;
    m_pData->m_entries.push_back(std::move(pEntry));
}

void CDialogScript::OnCommonDialog(std::function<void(HWND hDlg)> step)
{
    std::unique_ptr<CEntry> pEntry(new CEntry);
    pEntry->m_nKind = 0;    // whichever common dialog comes
    pEntry->m_drive = step;
    m_pData->m_entries.push_back(std::move(pEntry));
}

int CDialogScript::GetRecordCount() const
{
    return (int)m_pData->m_records.size();
}

const CDialogScript::CRecord& CDialogScript::GetRecord(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_pData->m_records.size())
        AfxThrowInvalidArgException();
    return m_pData->m_records[(size_t)nIndex];
}

int CDialogScript::GetPendingCount() const
{
    return (int)m_pData->m_entries.size();
}

int CDialogScript::GetFailureCount() const
{
    return (int)m_pData->m_failures.size();
}

CString CDialogScript::GetFailure(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_pData->m_failures.size())
        AfxThrowInvalidArgException();
    return m_pData->m_failures[(size_t)nIndex];
}

CString CDialogScript::GetLog() const
{
    return m_pData->m_strLog;
}

/////////////////////////////////////////////////////////////////////////////
// CDialogScript::CSteps

namespace
{

// The control nID as a user could use it; NULL (with a log line or a failure) otherwise.
HWND UsableControl(CWnd* pDlg, int nID, LPCTSTR lpszStep)
{
    HWND hCtrl = FindControl(pDlg, nID);
    if (hCtrl == NULL)
    {
        CString strText;
        strText.Format("%s: the dialog has no control %d", lpszStep, nID);
        AFX_DIALOG_DRIVER::Fail(strText);
        return NULL;
    }
    if (!::IsWindowVisible(hCtrl) || !::IsWindowEnabled(hCtrl))
    {
        AFX_DIALOG_DRIVER::Log(CString(lpszStep) + " ignored: the control is hidden or disabled");
        return NULL;
    }
    return hCtrl;
}

} // namespace

CDialogScript::CSteps& CDialogScript::CSteps::Add(LPCTSTR lpszName, Action action)
{
    CStep step;
    step.m_strName = lpszName;
    step.m_action = action;
    m_pEntry->m_steps.push_back(step);
    return *this;
}

CDialogScript::CSteps& CDialogScript::CSteps::SetText(int nID, LPCTSTR lpszText)
{
    CString strName;
    strName.Format("SetText(%d, %s)", nID, (LPCTSTR)Quote(lpszText));
    CString strText = lpszText;
    return Add(strName, [nID, strText, strName](CWnd* pDlg)
    {
        HWND hCtrl = UsableControl(pDlg, nID, strName);
        if (hCtrl == NULL)
            return;
        FocusControl(hCtrl);
        ::SendMessageA(hCtrl, WM_SETTEXT, 0, (LPARAM)(LPCTSTR)strText);
    });
}

CDialogScript::CSteps& CDialogScript::CSteps::Click(int nID)
{
    CString strName;
    strName.Format("Click(%d)", nID);
    return Add(strName, [nID, strName](CWnd* pDlg)
    {
        HWND hCtrl = UsableControl(pDlg, nID, strName);
        if (hCtrl == NULL)
            return;
        CString strClass = GetClass(hCtrl);
        if (strClass.CompareNoCase("Button") == 0)
            ClickButton(hCtrl);
        else if (strClass.CompareNoCase("Static") == 0)
        {
            if (::GetWindowLongPtrA(hCtrl, GWL_STYLE) & SS_NOTIFY)
                NotifyCommand(hCtrl, STN_CLICKED);
        }
        else
            AFX_DIALOG_DRIVER::Fail(strName + ": the control is not a button");
    });
}

CDialogScript::CSteps& CDialogScript::CSteps::Check(int nID, int nCheck)
{
    CString strName;
    strName.Format("Check(%d, %d)", nID, nCheck);
    return Add(strName, [nID, nCheck, strName](CWnd* pDlg)
    {
        HWND hCtrl = UsableControl(pDlg, nID, strName);
        if (hCtrl == NULL)
            return;
        for (int i = 0; i < 3 && ::SendMessageA(hCtrl, BM_GETCHECK, 0, 0) != nCheck; ++i)
        {
            ClickButton(hCtrl);
            if (!::IsWindow(hCtrl))
                return;
        }
        if (::SendMessageA(hCtrl, BM_GETCHECK, 0, 0) != nCheck)
            AFX_DIALOG_DRIVER::Fail(strName + ": clicks do not give that state");
    });
}

CDialogScript::CSteps& CDialogScript::CSteps::Select(int nID, int nIndex)
{
    CString strName;
    strName.Format("Select(%d, %d)", nID, nIndex);
    return Add(strName, [nID, nIndex, strName](CWnd* pDlg)
    {
        HWND hCtrl = UsableControl(pDlg, nID, strName);
        if (hCtrl == NULL)
            return;
        CString strError;
        if (!SelectInControl(hCtrl, nIndex, strError))
            AFX_DIALOG_DRIVER::Fail(strName + ": " + strError);
    });
}

CDialogScript::CSteps& CDialogScript::CSteps::SelectString(int nID, LPCTSTR lpszText)
{
    CString strName;
    strName.Format("SelectString(%d, %s)", nID, (LPCTSTR)Quote(lpszText));
    CString strText = lpszText;
    return Add(strName, [nID, strText, strName](CWnd* pDlg)
    {
        HWND hCtrl = UsableControl(pDlg, nID, strName);
        if (hCtrl == NULL)
            return;
        CString strClass = GetClass(hCtrl);
        int nIndex = -1;
        if (strClass.CompareNoCase("ComboBox") == 0)
            nIndex = (int)::SendMessageA(hCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)strText);
        else if (strClass.CompareNoCase("ListBox") == 0)
            nIndex = (int)::SendMessageA(hCtrl, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)strText);
        else if (strClass.CompareNoCase(WC_LISTVIEWA) == 0)
        {
            LVFINDINFOA find;
            memset(&find, 0, sizeof(find));
            find.flags = LVFI_STRING;
            find.psz = strText;
            nIndex = (int)::SendMessageA(hCtrl, LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
        }
        if (nIndex < 0)
        {
            AFX_DIALOG_DRIVER::Fail(strName + ": no such item");
            return;
        }
        CString strError;
        if (!SelectInControl(hCtrl, nIndex, strError))
            AFX_DIALOG_DRIVER::Fail(strName + ": " + strError);
    });
}

CDialogScript::CSteps& CDialogScript::CSteps::Focus(int nID)
{
    CString strName;
    strName.Format("Focus(%d)", nID);
    return Add(strName, [nID, strName](CWnd* pDlg)
    {
        HWND hCtrl = UsableControl(pDlg, nID, strName);
        if (hCtrl != NULL)
            FocusControl(hCtrl);
    });
}

CDialogScript::CSteps& CDialogScript::CSteps::Key(UINT nVirtKey)
{
    CString strName;
    strName.Format("Key(0x%02X)", nVirtKey);
    return Add(strName, [nVirtKey](CWnd* pDlg)
    {
        HWND hFocus = ::GetFocus();
        if (hFocus == NULL || (hFocus != pDlg->m_hWnd && !::IsChild(pDlg->m_hWnd, hFocus)))
            hFocus = pDlg->m_hWnd;
        PostKey(hFocus, nVirtKey);
    });
}

CDialogScript::CSteps& CDialogScript::CSteps::SelectPage(int nPage)
{
    CString strName;
    strName.Format("SelectPage(%d)", nPage);
    return Add(strName, [nPage, strName](CWnd* pDlg)
    {
        if (DYNAMIC_DOWNCAST(CPropertySheet, pDlg) == NULL)
        {
            AFX_DIALOG_DRIVER::Fail(strName + ": not a property sheet");
            return;
        }
        HWND hTab = (HWND)::SendMessageA(pDlg->m_hWnd, PSM_GETTABCONTROL, 0, 0);
        CString strError;
        if (hTab == NULL || !SelectInControl(hTab, nPage, strError))
            AFX_DIALOG_DRIVER::Fail(strName + ": " + strError);
    });
}

CDialogScript::CSteps& CDialogScript::CSteps::Do(Action action)
{
    return Add("Do", action);
}

CDialogScript::CSteps& CDialogScript::CSteps::OK()
{
    return Click(IDOK);
}

CDialogScript::CSteps& CDialogScript::CSteps::Cancel()
{
    return Add("Cancel()", [](CWnd* pDlg)
    {
        // what Esc does: IDCANCEL to the dialog, with the Cancel button if there is one
        HWND hCancel = ::GetDlgItem(pDlg->m_hWnd, IDCANCEL);
        ::SendMessageA(pDlg->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)hCancel);
    });
}
