// CListCtrl in report view: in a dialog driven by a script, and on its own.

#include "dlgtest.h"
#include "test_support.h"

namespace
{

const char* const g_aNames[] = { "Anna", "Bert", "Carl", "Dora" };
const char* const g_aCities[] = { "Oslo", "Bonn", "Rome", "Lyon" };

// A list of records with a delete button, as the data entry dialog has.
class CRecordsDlg : public CDialog
{
public:
    CRecordsDlg() : CDialog(IDD_RECORDS) {}

    CListCtrl m_list;
    int m_nClickedItem = -2;
    int m_nMarkAtClick = -2;
    CStringArray m_names;       // names left at OK

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_RECORD_LIST, m_list);
    }

    virtual BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_list.InsertColumn(0, "SN", LVCFMT_LEFT, 30);
        m_list.InsertColumn(1, "Name", LVCFMT_LEFT, 100);
        m_list.InsertColumn(2, "City", LVCFMT_LEFT, 100);
        // records inserted at the top from the last one, as the program does
        for (int i = 3; i >= 0; --i)
        {
            CString strNumber;
            strNumber.Format("%d", i + 1);
            m_list.InsertItem(0, strNumber);
            m_list.SetItemText(0, 1, g_aNames[i]);
            m_list.SetItemText(0, 2, g_aCities[i]);
        }
        return TRUE;
    }

    virtual void OnOK() override
    {
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            m_names.Add(m_list.GetItemText(i, 1));
        CDialog::OnOK();
    }

    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_nClickedItem = ((NMITEMACTIVATE*)pNMHDR)->iItem;
        m_nMarkAtClick = m_list.GetSelectionMark();
        *pResult = 0;
    }

    afx_msg void OnDelete()
    {
        POSITION pos = m_list.GetFirstSelectedItemPosition();
        if (pos == NULL)
        {
            AfxMessageBox("No record is selected.");
            return;
        }
        m_list.DeleteItem(m_list.GetNextSelectedItem(pos));
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordsDlg, CDialog)
    ON_NOTIFY(NM_CLICK, IDC_RECORD_LIST, OnListClick)
    ON_BN_CLICKED(IDC_RECORD_DELETE, OnDelete)
END_MESSAGE_MAP()

CString ColumnText(CListCtrl& list, int nCol)
{
    char szText[64] = "";
    LVCOLUMN column;
    memset(&column, 0, sizeof(column));
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = szText;
    column.cchTextMax = sizeof(szText);
    list.GetColumn(nCol, &column);
    return szText;
}

} // namespace

TEST(ListCtrl, ReportViewShowsColumnsAndRecordsInOrder)
{
    CRecordsDlg dlg;
    CDialogScript script;
    script.OnDialog(IDD_RECORDS)
        .Do([&](CWnd*)
        {
            CListCtrl& list = dlg.m_list;
            EXPECT_EQ((DWORD)LVS_REPORT, list.GetStyle() & LVS_TYPEMASK);
            EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
            ASSERT_EQ(3, list.GetHeaderCtrl()->GetItemCount());
            EXPECT_STREQ("SN", ColumnText(list, 0));
            EXPECT_STREQ("City", ColumnText(list, 2));
            EXPECT_EQ(30, list.GetColumnWidth(0));
            EXPECT_EQ(100, list.GetColumnWidth(1));
            ASSERT_EQ(4, list.GetItemCount());
            for (int i = 0; i < 4; ++i)
            {
                CString strNumber;
                strNumber.Format("%d", i + 1);
                EXPECT_STREQ(strNumber, list.GetItemText(i, 0));
                EXPECT_STREQ(g_aNames[i], list.GetItemText(i, 1));
                EXPECT_STREQ(g_aCities[i], list.GetItemText(i, 2));
            }
            EXPECT_EQ(0u, list.GetSelectedCount());
        })
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ(4, dlg.m_names.GetSize());
    EXPECT_STREQ("Dora", dlg.m_names[3]);
}

TEST(ListCtrl, ClickSelectsARecordThatCanBeDeleted)
{
    CRecordsDlg dlg;
    CDialogScript script;
    script.OnDialog(IDD_RECORDS)
        .Select(IDC_RECORD_LIST, 2)
        .Do([&](CWnd*)
        {
            EXPECT_EQ(2, dlg.m_nClickedItem);
            EXPECT_EQ(2, dlg.m_nMarkAtClick);
            EXPECT_EQ(1u, dlg.m_list.GetSelectedCount());
            EXPECT_EQ((UINT)LVIS_SELECTED, dlg.m_list.GetItemState(2, LVIS_SELECTED));
            EXPECT_EQ(2, dlg.m_list.GetNextItem(-1, LVNI_SELECTED));
        })
        .Click(IDC_RECORD_DELETE)
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ(3, dlg.m_names.GetSize());
    EXPECT_STREQ("Bert", dlg.m_names[1]);
    EXPECT_STREQ("Dora", dlg.m_names[2]);
}

TEST(ListCtrl, ClickBesideTheItemsSelectsNothing)
{
    CRecordsDlg dlg;
    CMessageBoxRecorder boxes;
    CDialogScript script;
    script.OnDialog(IDD_RECORDS)
        .Select(IDC_RECORD_LIST, 1)
        .Select(IDC_RECORD_LIST, -1)
        .Do([&](CWnd*)
        {
            EXPECT_EQ(-1, dlg.m_nClickedItem);
            EXPECT_EQ(0u, dlg.m_list.GetSelectedCount());
        })
        .Click(IDC_RECORD_DELETE)
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("No record is selected.", boxes.GetCall(0).m_strText);
}

TEST(ListCtrl, StandaloneListKeepsDataSortsAndFinds)
{
    CHostWnd host;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 300, 200),
                            &host, 100));
    EXPECT_EQ(&list, CWnd::FromHandlePermanent(list.m_hWnd));
    EXPECT_EQ(0, list.InsertColumn(0, "Text"));
    EXPECT_EQ(1, list.InsertColumn(1, "More", LVCFMT_RIGHT, 80));
    for (int i = 0; i < 5; ++i)
    {
        CString strText;
        strText.Format("item %d", i);
        EXPECT_EQ(i, list.InsertItem(i, strText));
        EXPECT_TRUE(list.SetItemData(i, (DWORD_PTR)(i * 10)));
    }
    EXPECT_EQ((DWORD_PTR)30, list.GetItemData(3));

    // long texts come back whole
    CString strLong('x', 700);
    EXPECT_TRUE(list.SetItemText(4, 1, strLong));
    EXPECT_EQ(700, list.GetItemText(4, 1).GetLength());

    // sort by item data, largest first
    list.SortItems([](LPARAM l1, LPARAM l2, LPARAM) -> int { return (int)(l2 - l1); }, 0);
    EXPECT_STREQ("item 4", list.GetItemText(0, 0));
    EXPECT_STREQ("item 0", list.GetItemText(4, 0));

    LVFINDINFO find;
    memset(&find, 0, sizeof(find));
    find.flags = LVFI_STRING;
    find.psz = "item 2";
    EXPECT_EQ(2, list.FindItem(&find));

    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_TRUE(list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED));
    POSITION pos = list.GetFirstSelectedItemPosition();
    EXPECT_EQ(1, list.GetNextSelectedItem(pos));
    EXPECT_EQ(3, list.GetNextSelectedItem(pos));
    EXPECT_TRUE(pos == NULL);

    // every column goes, as the data entry dialog rebuilds its list
    while (list.DeleteColumn(0))
        ;
    EXPECT_EQ(0, list.GetHeaderCtrl()->GetItemCount());
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}
