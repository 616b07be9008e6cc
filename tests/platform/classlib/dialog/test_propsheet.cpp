// Property sheets: a sheet living as a child window with pages swapped at run
// time, and modal sheets with OK, Cancel, Apply and page validation.

#include "dlgtest.h"
#include "test_support.h"

namespace
{

// A page that counts what the sheet does to it.
class CCountingPage : public CPropertyPage
{
public:
    explicit CCountingPage(UINT nIDTemplate, UINT nIDCaption = 0) : CPropertyPage(nIDTemplate, nIDCaption) {}

    int m_nInit = 0;
    int m_nApply = 0;
    int m_nReset = 0;
    int m_nSetActive = 0;

    virtual BOOL OnInitDialog() override { ++m_nInit; return CPropertyPage::OnInitDialog(); }
    virtual BOOL OnApply() override { ++m_nApply; return CPropertyPage::OnApply(); }
    virtual void OnReset() override { ++m_nReset; CPropertyPage::OnReset(); }
    virtual BOOL OnSetActive() override { ++m_nSetActive; return CPropertyPage::OnSetActive(); }
};

class CTextPage : public CCountingPage
{
public:
    CTextPage() : CCountingPage(IDD_PAGE_TEXT) {}
    CString m_strText = "initial";
protected:
    virtual void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_EDIT, m_strText); }
};

class CCheckPage : public CCountingPage
{
public:
    CCheckPage() : CCountingPage(IDD_PAGE_CHECK) {}
    int m_bChecked = 0;
protected:
    virtual void DoDataExchange(CDataExchange* pDX) override { DDX_Check(pDX, IDC_PAGE_CHECK, m_bChecked); }
};

class CNumberPage : public CCountingPage
{
public:
    CNumberPage() : CCountingPage(IDD_PAGE_NUMBER, IDS_NUMBER_CAPTION) {}
    int m_nNumber = 5;
protected:
    virtual void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PAGE_EDIT, m_nNumber);
        DDV_MinMaxInt(pDX, m_nNumber, 1, 10);
    }
};

CString TabText(CPropertySheet& sheet, int nTab)
{
    char szText[64] = "";
    TCITEM item;
    memset(&item, 0, sizeof(item));
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    sheet.GetTabControl()->GetItem(nTab, &item);
    return szText;
}

} // namespace

TEST(PropSheet, ChildSheetLivesInsideItsHostWithoutButtons)
{
    CHostWnd host;
    CTextPage text;
    CCheckPage check;
    CPropertySheet sheet("Properties", &host);
    sheet.AddPage(&text);
    sheet.AddPage(&check);
    ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(::IsWindow(sheet.m_hWnd));
    EXPECT_EQ(&sheet, CWnd::FromHandlePermanent(sheet.m_hWnd));
    EXPECT_EQ(host.m_hWnd, ::GetParent(sheet.m_hWnd));
    EXPECT_TRUE(sheet.GetStyle() & WS_CHILD);
    EXPECT_FALSE(sheet.GetStyle() & WS_CAPTION);
    HWND hOK = ::GetDlgItem(sheet.m_hWnd, IDOK);
    EXPECT_TRUE(hOK == NULL || !::IsWindowVisible(hOK));

    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ(2, sheet.GetTabControl()->GetItemCount());
    EXPECT_STREQ("Check", TabText(sheet, 1));
    EXPECT_EQ(0, sheet.GetActiveIndex());
    EXPECT_EQ(&text, sheet.GetActivePage());
    // pages are made when first shown
    EXPECT_TRUE(::IsWindow(text.m_hWnd));
    EXPECT_EQ(NULL, check.m_hWnd);
    EXPECT_STREQ("initial", ControlText(&text, IDC_PAGE_EDIT));
    // a page knows its sheet through the parent window
    EXPECT_TRUE(CWnd::FromHandlePermanent(::GetParent(text.m_hWnd))->IsKindOf(RUNTIME_CLASS(CPropertySheet)));

    EXPECT_TRUE(sheet.SetActivePage(&check));
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_TRUE(::IsWindow(check.m_hWnd));
    EXPECT_EQ(1, check.m_nInit);
    sheet.DestroyWindow();
    EXPECT_EQ(NULL, text.m_hWnd);
}

TEST(PropSheet, PagesAreSwappedAtRunTimeAndInitialisedAgain)
{
    CHostWnd host;
    CTextPage text;
    CCheckPage check;
    CNumberPage number;
    CPropertySheet sheet("Properties", &host);
    sheet.AddPage(&text);
    sheet.AddPage(&check);
    ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(1, text.m_nInit);

    // every page goes, from the last to the first, and others come
    for (int i = sheet.GetPageCount() - 1; i >= 0; --i)
        sheet.RemovePage(i);
    EXPECT_EQ(0, sheet.GetPageCount());
    EXPECT_EQ(NULL, text.m_hWnd);
    sheet.AddPage(&number);
    sheet.SetActivePage(0);
    EXPECT_EQ(1, sheet.GetPageCount());
    EXPECT_EQ(1, sheet.GetTabControl()->GetItemCount());
    EXPECT_STREQ("Amount", TabText(sheet, 0));     // caption from the string resource
    EXPECT_EQ(&number, sheet.GetActivePage());
    EXPECT_TRUE(::IsWindow(number.m_hWnd));
    EXPECT_STREQ("5", ControlText(&number, IDC_PAGE_EDIT));

    // a page that comes back runs its initialisation again with its members
    sheet.RemovePage(&number);
    text.m_strText = "second time";
    sheet.AddPage(&text);
    sheet.SetActivePage(0);
    EXPECT_EQ(2, text.m_nInit);
    EXPECT_STREQ("second time", ControlText(&text, IDC_PAGE_EDIT));
    // pages out of the sheet have no window to exchange with
    EXPECT_FALSE(number.UpdateData(FALSE));
    sheet.DestroyWindow();
}

TEST(PropSheet, ModalSheetOKSavesEveryPageAndApplies)
{
    CTextPage text;
    CCheckPage check;
    CPropertySheet sheet("Options");
    sheet.AddPage(&text);
    sheet.AddPage(&check);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    CDialogScript script;
    script.OnSheet("Options")
        .Do([](CWnd* pSheet)
        {
            HWND hApply = ::GetDlgItem(pSheet->m_hWnd, ID_APPLY_NOW);
            EXPECT_TRUE(hApply == NULL || !::IsWindowVisible(hApply));
        })
        .SetText(IDC_PAGE_EDIT, "hello")
        .SelectPage(1)
        .Click(IDC_PAGE_CHECK)
        .OK();
    ASSERT_EQ(IDOK, sheet.DoModal());
    EXPECT_STREQ("hello", text.m_strText);
    EXPECT_EQ(1, check.m_bChecked);
    EXPECT_EQ(1, text.m_nApply);
    EXPECT_EQ(1, check.m_nApply);
    EXPECT_EQ(NULL, sheet.GetSafeHwnd());
    EXPECT_EQ(IDOK, script.GetRecord(0).m_nResult);
}

TEST(PropSheet, CancelResetsAndKeepsTheMembers)
{
    CTextPage text;
    CPropertySheet sheet("Options");
    sheet.AddPage(&text);
    CDialogScript script;
    script.OnSheet().SetText(IDC_PAGE_EDIT, "discarded").Cancel();
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_STREQ("initial", text.m_strText);
    EXPECT_EQ(0, text.m_nApply);
    EXPECT_EQ(1, text.m_nReset);
}

TEST(PropSheet, AnInvalidPageCannotBeLeft)
{
    CNumberPage number;
    CTextPage text;
    CPropertySheet sheet("Options");
    sheet.AddPage(&number);
    sheet.AddPage(&text);
    CMessageBoxRecorder boxes;
    CDialogScript script;
    script.OnSheet()
        .SetText(IDC_PAGE_EDIT, "0")
        .SelectPage(1)
        .Do([&](CWnd*)
        {
            EXPECT_EQ(0, sheet.GetActiveIndex());
            ASSERT_EQ(1, boxes.GetCount());
            EXPECT_STREQ("Please enter an integer between 1 and 10.", boxes.GetCall(0).m_strText);
        })
        .OK()
        .Do([&](CWnd*) { EXPECT_EQ(2, boxes.GetCount()); })
        .SetText(IDC_PAGE_EDIT, "7")
        .OK();
    ASSERT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(7, number.m_nNumber);
    EXPECT_EQ(0, text.m_nApply);    // never shown: never created
    EXPECT_EQ(1, number.m_nApply);
}

TEST(PropSheet, SetModifiedEnablesApplyWhichAppliesWithoutClosing)
{
    CTextPage text;
    CPropertySheet sheet("Options");
    sheet.AddPage(&text);
    CDialogScript script;
    script.OnSheet()
        .Do([&](CWnd* pSheet)
        {
            HWND hApply = ::GetDlgItem(pSheet->m_hWnd, ID_APPLY_NOW);
            ASSERT_TRUE(hApply != NULL);
            EXPECT_FALSE(::IsWindowEnabled(hApply));
            text.SetModified();
            EXPECT_TRUE(::IsWindowEnabled(hApply));
        })
        .SetText(IDC_PAGE_EDIT, "applied")
        .Click(ID_APPLY_NOW)
        .Do([&](CWnd* pSheet)
        {
            EXPECT_EQ(1, text.m_nApply);
            EXPECT_STREQ("applied", text.m_strText);
            EXPECT_TRUE(pSheet->IsWindowVisible());
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(pSheet->m_hWnd, ID_APPLY_NOW)));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(1, text.m_nApply);
}
