// CDialog: modal run, data exchange both ways, validation messages, default
// button, Cancel, Tab order, nested dialogs and the script driver itself.

#include "dlgtest.h"
#include "test_support.h"

namespace
{

// The sample dialog: one field of each kind the program's dialogs use.
class CSampleDlg : public CDialog
{
public:
    explicit CSampleDlg(CWnd* pParent = NULL) : CDialog(IDD_SAMPLE, pParent) {}

    CString m_strName = "Smith";
    int m_nAge = 42;
    double m_dRatio = 0.25;
    int m_bMember = 1;
    int m_nOption = 1;
    int m_nUnit = 1;
    CString m_strColour = "Green";

    int m_nNameChanges = 0;
    CString m_strBrowsed;
    INT_PTR m_nDetailsResult = 0;
    CString m_strDetails;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 10);
        DDX_Text(pDX, IDC_AGE, m_nAge);
        DDV_MinMaxInt(pDX, m_nAge, 0, 150);
        DDX_Text(pDX, IDC_RATIO, m_dRatio);
        DDX_Check(pDX, IDC_MEMBER, m_bMember);
        DDX_Radio(pDX, IDC_OPTION1, m_nOption);
        DDX_CBIndex(pDX, IDC_UNIT, m_nUnit);
        DDX_CBString(pDX, IDC_COLOUR, m_strColour);
    }

    afx_msg void OnNameChange() { ++m_nNameChanges; }

    afx_msg void OnUpper()
    {
        CString strName;
        GetDlgItemText(IDC_NAME, strName);
        strName.MakeUpper();
        SetDlgItemText(IDC_NAME, strName);
    }

    afx_msg void OnBrowse()
    {
        CFileDialog dlg(TRUE, "txt", NULL, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                        "Text files (*.txt)|*.txt|All files (*.*)|*.*||", this);
        dlg.m_ofn.lpstrInitialDir = "C:\\";
        if (dlg.DoModal() == IDOK)
        {
            m_strBrowsed = dlg.GetPathName();
            SetDlgItemText(IDC_NAME, dlg.GetFileExt());
        }
    }

    afx_msg void OnDetails()
    {
        CTestDialog dlg(IDD_FIELDS, this);
        CString strDetails = "first";
        dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_FIELD_EDIT, strDetails); };
        m_nDetailsResult = dlg.DoModal();
        m_strDetails = strDetails;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSampleDlg, CDialog)
    ON_EN_CHANGE(IDC_NAME, OnNameChange)
    ON_BN_CLICKED(IDC_UPPER, OnUpper)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_DETAILS, OnDetails)
END_MESSAGE_MAP()

HWND Item(CWnd* pDlg, int nID)
{
    return ::GetDlgItem(pDlg->GetSafeHwnd(), nID);
}

} // namespace

TEST(Dialog, OnInitDialogPutsMembersAndInitialDataIntoControls)
{
    CSampleDlg dlg;
    CDialogScript script;
    script.OnDialog(IDD_SAMPLE)
        .Do([](CWnd* pDlg)
        {
            EXPECT_STREQ("Smith", ControlText(pDlg, IDC_NAME));
            EXPECT_STREQ("42", ControlText(pDlg, IDC_AGE));
            EXPECT_STREQ("0.25", ControlText(pDlg, IDC_RATIO));
            EXPECT_EQ((UINT)BST_CHECKED, pDlg->IsDlgButtonChecked(IDC_MEMBER));
            EXPECT_EQ((UINT)BST_UNCHECKED, pDlg->IsDlgButtonChecked(IDC_OPTION1));
            EXPECT_EQ((UINT)BST_CHECKED, pDlg->IsDlgButtonChecked(IDC_OPTION2));
            EXPECT_EQ((UINT)BST_UNCHECKED, pDlg->IsDlgButtonChecked(IDC_OPTION3));
            // dialog initial data filled both combo boxes before the exchange
            CComboBox* pUnit = (CComboBox*)pDlg->GetDlgItem(IDC_UNIT);
            ASSERT_EQ(3, pUnit->GetCount());
            CString strItem;
            pUnit->GetLBText(2, strItem);
            EXPECT_STREQ("mm", strItem);
            EXPECT_EQ(1, pUnit->GetCurSel());
            CComboBox* pColour = (CComboBox*)pDlg->GetDlgItem(IDC_COLOUR);
            EXPECT_EQ(2, pColour->GetCount());
            EXPECT_EQ(1, pColour->GetCurSel());
            // DDV_MaxChars limits the edit while loading
            EXPECT_EQ(10, (int)::SendMessageA(Item(pDlg, IDC_NAME), EM_GETLIMITTEXT, 0, 0));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    // loading does not notify the dialog of its own changes
    EXPECT_EQ(0, dlg.m_nNameChanges);
    EXPECT_STREQ("Smith", dlg.m_strName);
    EXPECT_EQ(NULL, dlg.GetSafeHwnd());
}

TEST(Dialog, OKSavesEveryControlIntoItsMember)
{
    CSampleDlg dlg;
    CDialogScript script;
    script.OnDialog(IDD_SAMPLE)
        .SetText(IDC_NAME, "Jones")
        .SetText(IDC_AGE, " 63 ")
        .SetText(IDC_RATIO, "1.5e-1")
        .Click(IDC_MEMBER)
        .Click(IDC_OPTION3)
        .Select(IDC_UNIT, 2)
        .SetText(IDC_COLOUR, "Blue")
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("Jones", dlg.m_strName);
    EXPECT_EQ(63, dlg.m_nAge);
    EXPECT_DOUBLE_EQ(0.15, dlg.m_dRatio);
    EXPECT_EQ(0, dlg.m_bMember);
    EXPECT_EQ(2, dlg.m_nOption);
    EXPECT_EQ(2, dlg.m_nUnit);
    EXPECT_STREQ("Blue", dlg.m_strColour);
    EXPECT_GE(dlg.m_nNameChanges, 1);
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_EQ(IDOK, script.GetRecord(0).m_nResult);
    EXPECT_STREQ("Sample", script.GetRecord(0).m_strCaption);
}

TEST(Dialog, CancelLeavesTheMembersAlone)
{
    CSampleDlg dlg;
    CDialogScript script;
    script.OnDialog(IDD_SAMPLE).SetText(IDC_NAME, "Changed").SetText(IDC_AGE, "x").Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("Smith", dlg.m_strName);
    EXPECT_EQ(42, dlg.m_nAge);
}

TEST(Dialog, UnreadableNumberIsReportedAndTheDialogStaysOpen)
{
    CSampleDlg dlg;
    CMessageBoxRecorder boxes;
    CDialogScript script;
    script.OnDialog(IDD_SAMPLE)
        .SetText(IDC_AGE, "12a")
        .OK()
        .Do([&](CWnd* pDlg)
        {
            ASSERT_EQ(1, boxes.GetCount());
            EXPECT_STREQ("Please enter an integer.", boxes.GetCall(0).m_strText);
            EXPECT_TRUE(boxes.GetCall(0).m_nType & MB_ICONEXCLAMATION);
            // the offending field has the focus and its text is selected
            EXPECT_EQ(Item(pDlg, IDC_AGE), ::GetFocus());
            DWORD dwStart = 0, dwEnd = 0;
            ::SendMessageA(Item(pDlg, IDC_AGE), EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
            EXPECT_EQ(0u, dwStart);
            EXPECT_EQ(3u, dwEnd);
            EXPECT_TRUE(pDlg->IsWindowVisible());
        })
        .SetText(IDC_AGE, "12")
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(12, dlg.m_nAge);
    EXPECT_EQ(1, boxes.GetCount());
}

TEST(Dialog, RangeAndLengthChecksShowTheLibraryMessages)
{
    CSampleDlg dlg;
    CMessageBoxRecorder boxes;
    CDialogScript script;
    script.OnDialog(IDD_SAMPLE)
        .SetText(IDC_NAME, "ABCDEFGHIJK")
        .OK()
        .SetText(IDC_NAME, "Short")
        .SetText(IDC_AGE, "151")
        .OK()
        .Do([](CWnd* pDlg) { EXPECT_EQ(Item(pDlg, IDC_AGE), ::GetFocus()); })
        .SetText(IDC_AGE, "150")
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ(2, boxes.GetCount());
    EXPECT_STREQ("Please enter no more than 10 characters.", boxes.GetCall(0).m_strText);
    EXPECT_STREQ("Please enter an integer between 0 and 150.", boxes.GetCall(1).m_strText);
    EXPECT_EQ(150, dlg.m_nAge);
    EXPECT_STREQ("Short", dlg.m_strName);
}

TEST(Dialog, EnterPressesTheDefaultButtonAndEscapeCancels)
{
    {
        CSampleDlg dlg;
        CDialogScript script;
        script.OnDialog(IDD_SAMPLE).Focus(IDC_AGE).SetText(IDC_AGE, "7").Key(VK_RETURN);
        ASSERT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(7, dlg.m_nAge);
    }
    {
        CSampleDlg dlg;
        CDialogScript script;
        script.OnDialog(IDD_SAMPLE).SetText(IDC_AGE, "8").Key(VK_ESCAPE);
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(42, dlg.m_nAge);
    }
}

TEST(Dialog, TabFollowsTheTabOrderOfTheResource)
{
    CSampleDlg dlg;
    CDialogScript script;
    script.OnDialog(IDD_SAMPLE)
        .Focus(IDC_NAME)
        .Key(VK_TAB)
        .Do([](CWnd* pDlg) { EXPECT_EQ(Item(pDlg, IDC_UPPER), ::GetFocus()); })
        .Key(VK_TAB)
        .Do([](CWnd* pDlg) { EXPECT_EQ(Item(pDlg, IDC_AGE), ::GetFocus()); })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST(Dialog, ButtonHandlersRunAndDisabledButtonsIgnoreClicks)
{
    CSampleDlg dlg;
    CDialogScript script;
    script.OnDialog(IDD_SAMPLE)
        .SetText(IDC_NAME, "abc")
        .Click(IDC_UPPER)
        .Click(IDC_DISABLED)
        .Do([](CWnd* pDlg) { EXPECT_STREQ("ABC", ControlText(pDlg, IDC_NAME)); })
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("ABC", dlg.m_strName);
    EXPECT_NE(-1, script.GetLog().Find("Click(1013) ignored"));
}

TEST(Dialog, OwnerIsDisabledWhileTheDialogRuns)
{
    CHostWnd host;
    ASSERT_TRUE(host.GetSafeHwnd() != NULL);
    CSampleDlg dlg(&host);
    CDialogScript script;
    script.OnDialog(IDD_SAMPLE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_FALSE(host.IsWindowEnabled());
            EXPECT_EQ(host.m_hWnd, ::GetWindow(pDlg->m_hWnd, GW_OWNER));
        })
        .OK();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(host.IsWindowEnabled());
}

TEST(Dialog, NestedDialogsTakeTheScriptEntriesInTheOrderTheyOpen)
{
    CTempFile file("label.txt");
    CSampleDlg dlg;
    CDialogScript script;
    script.OnDialog(IDD_SAMPLE).Click(IDC_BROWSE).Click(IDC_DETAILS).OK();
    script.OnFileDialog(file.m_strPath);
    script.OnDialog(IDD_FIELDS).SetText(IDC_FIELD_EDIT, "nested").Key(VK_RETURN);   // no OK button: Enter

    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ(file.m_strPath, dlg.m_strBrowsed);
    EXPECT_EQ(IDOK, dlg.m_nDetailsResult);
    EXPECT_STREQ("nested", dlg.m_strDetails);
    // the browsed file's extension went into the name field and then the member
    EXPECT_STREQ("txt", dlg.m_strName);

    ASSERT_EQ(3, script.GetRecordCount());
    EXPECT_EQ(CDialogScript::kindDialog, script.GetRecord(0).m_nKind);
    const CDialogScript::CRecord& file0 = script.GetRecord(1);
    EXPECT_EQ(CDialogScript::kindFile, file0.m_nKind);
    EXPECT_TRUE(file0.m_bOpenFileDialog);
    EXPECT_STREQ("Text files (*.txt)|*.txt|All files (*.*)|*.*|", file0.m_strFilter);
    EXPECT_STREQ("C:\\", file0.m_strInitialDir);
    EXPECT_STREQ("txt", file0.m_strDefExt);
    EXPECT_TRUE(file0.m_dwFlags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(IDD_FIELDS, (int)script.GetRecord(2).m_nIDTemplate);
    EXPECT_EQ(0, script.GetPendingCount());
}

TEST(Dialog, AStepMayAddStepsWhileTheDialogRuns)
{
    CSampleDlg dlg;
    CDialogScript script;
    CDialogScript::CSteps& steps = script.OnDialog(IDD_SAMPLE);
    steps.Do([&](CWnd* pDlg)
    {
        // decide on what the dialog shows
        if (ControlText(pDlg, IDC_NAME) == "Smith")
            steps.SetText(IDC_NAME, "Smithers").OK();
        else
            steps.Cancel();
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("Smithers", dlg.m_strName);
}

TEST(Dialog, EndDialogDuringInitialisationEndsWithoutALoop)
{
    CTestDialog dlg(IDD_FIELDS);
    dlg.m_init = [](CTestDialog* pDlg)
    {
        pDlg->EndDialog(42);
        return TRUE;
    };
    CDialogScript script;
    script.OnDialog(IDD_FIELDS);
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_EQ(1, dlg.m_nInitCount);
    EXPECT_EQ(NULL, dlg.GetSafeHwnd());
    EXPECT_EQ(42, script.GetRecord(0).m_nResult);
}

TEST(Dialog, WorksAsAPlainObjectWithoutAWindow)
{
    CSampleDlg dlg;
    dlg.m_strName = "Plain";
    EXPECT_FALSE(dlg.UpdateData(FALSE));
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_STREQ("Plain", dlg.m_strName);
    EXPECT_EQ(NULL, dlg.GetSafeHwnd());
}

TEST(Dialog, ModelessDialogExchangesDataAndIsDestroyed)
{
    CHostWnd host;
    CTestDialog dlg(IDD_FIELDS);
    CString strValue = "start";
    dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_FIELD_EDIT, strValue); };
    ASSERT_TRUE(dlg.Create(IDD_FIELDS, &host));
    ASSERT_TRUE(::IsWindow(dlg.m_hWnd));
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    EXPECT_STREQ("start", ControlText(&dlg, IDC_FIELD_EDIT));
    dlg.SetDlgItemText(IDC_FIELD_EDIT, "typed");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ("typed", strValue);
    HWND hWnd = dlg.m_hWnd;
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(NULL, dlg.GetSafeHwnd());
}

TEST(Dialog, DDXControlAttachesAgainToANewWindow)
{
    CHostWnd host;
    CTestDialog dlg(IDD_FIELDS);
    CEdit edit;
    dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Control(pDX, IDC_FIELD_EDIT, edit); };
    ASSERT_TRUE(dlg.Create(IDD_FIELDS, &host));
    HWND hFirst = edit.m_hWnd;
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_FIELD_EDIT), hFirst);
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hFirst));
    dlg.DestroyWindow();
    EXPECT_EQ(NULL, edit.m_hWnd);
    ASSERT_TRUE(dlg.Create(IDD_FIELDS, &host));
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_FIELD_EDIT), edit.m_hWnd);
    dlg.DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// The driver's own safety net

TEST(DialogScript, ADialogWithoutEntryIsCancelledAndReported)
{
    CCaptureFailures failures;
    {
        CSampleDlg dlg;
        CDialogScript script;
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(1, script.GetFailureCount());
    }
    EXPECT_TRUE(failures.Contains("dialog 200 opened, but the script has no entry left"));
}

TEST(DialogScript, AnEntryForAnotherDialogStaysAndIsReported)
{
    CCaptureFailures failures;
    {
        CSampleDlg dlg;
        CDialogScript script;
        script.OnDialog(IDD_FIELDS).OK();
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(1, script.GetPendingCount());
    }
    EXPECT_TRUE(failures.Contains("the script expected dialog 201"));
    EXPECT_TRUE(failures.Contains("1 scripted dialogs never opened"));
}

TEST(DialogScript, ADialogLeftOpenByItsScriptIsCancelled)
{
    CCaptureFailures failures;
    CSampleDlg dlg;
    {
        CDialogScript script;
        script.OnDialog(IDD_SAMPLE).SetText(IDC_NAME, "Left");
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    EXPECT_TRUE(failures.Contains("still open after its script"));
    EXPECT_STREQ("Smith", dlg.m_strName);
}

TEST(DialogScript, StepsLeftWhenTheDialogClosesAreReported)
{
    CCaptureFailures failures;
    {
        CSampleDlg dlg;
        CDialogScript script;
        script.OnDialog(IDD_SAMPLE).OK().Click(IDC_UPPER);
        EXPECT_EQ(IDOK, dlg.DoModal());
    }
    EXPECT_TRUE(failures.Contains("closed with 1 steps of its script left, the first: Click(1010)"));
}

TEST(DialogScript, TheWatchdogCancelsADialogWithoutScript)
{
    CCaptureFailures failures;
    UINT nOld = CDialogScript::GetWatchdog();
    CDialogScript::SetWatchdog(200);
    CSampleDlg dlg;
    DWORD dwStart = ::GetTickCount();
    INT_PTR nResult = dlg.DoModal();
    DWORD dwElapsed = ::GetTickCount() - dwStart;
    CDialogScript::SetWatchdog(nOld);
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_GE(dwElapsed, 150u);
    EXPECT_TRUE(failures.Contains("cancelled by the watchdog"));
}

TEST(DialogScript, AStepOnAMissingControlFails)
{
    CCaptureFailures failures;
    {
        CSampleDlg dlg;
        CDialogScript script;
        script.OnDialog(IDD_SAMPLE).SetText(4321, "x").Cancel();
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
    EXPECT_TRUE(failures.Contains("SetText(4321, \"x\"): the dialog has no control 4321"));
}
