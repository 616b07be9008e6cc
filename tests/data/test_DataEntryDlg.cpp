// The data-entry dialog driven like a user: listing, field editing, adding and
// deleting records, merging columns, export and import round trips, Cancel.

#include "datadlg_test.h"
#include "test_support.h"

#include "DataEntryDlg.h"

namespace
{

CString Text(CWnd* pDlg, int nID)
{
    CString str;
    pDlg->GetDlgItemText(nID, str);
    return str;
}

bool Enabled(CWnd* pDlg, int nID)
{
    return pDlg->GetDlgItem(nID)->IsWindowEnabled() != FALSE;
}

CString ColumnTitle(CListCtrl& list, int nColumn)
{
    char szText[128] = "";
    LVCOLUMN column;
    memset(&column, 0, sizeof(column));
    column.mask = LVCF_TEXT;
    column.pszText = szText;
    column.cchTextMax = sizeof(szText);
    list.GetColumn(nColumn, &column);
    return szText;
}

std::vector<std::string> ComboItems(CComboBox& combo)
{
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); ++i)
    {
        CString str;
        combo.GetLBText(i, str);
        items.push_back(std::string(str));
    }
    return items;
}

const std::vector<Row> kPeople = {
    { "Name", "City", "Zip" },
    { "Ann", "Rome", "00118" },
    { "Bob", "Oslo", "0150" },
    { "Cy", "Line one\r\nLine two", "" } };

// The dialog with a copy of a table; the edited table is taken at the end.
class DataEntryDlgTest : public ::testing::Test
{
protected:
    DataEntryDlgTest()
    {
        m_source.Set(kPeople);
        m_dlg.SetTable(m_source.m_pRows, m_source.m_nRows, m_source.m_nColumns);
    }

    // Runs the scripted dialog and takes its table.
    INT_PTR Run()
    {
        const INT_PTR nResult = m_dlg.DoModal();
        FreeDataTable(m_result.m_pRows, m_result.m_nRows);
        m_dlg.DetachTable(m_result.m_pRows, m_result.m_nRows, m_result.m_nColumns);
        return nResult;
    }

    std::vector<Row> ResultRows() const
    {
        std::vector<Row> rows;
        for (int r = 0; r < m_result.m_nRows; ++r)
            rows.push_back(m_result.RowAt(r));
        return rows;
    }

    CString Message(int nIndex) const
    {
        return nIndex < m_boxes.GetCount() ? m_boxes.GetCall(nIndex).m_strText : CString();
    }

    CMessageBoxRecorder m_boxes;
    CDialogScript m_script;
    CTableHolder m_source;
    CTableHolder m_result;
    CDataEntryDlg m_dlg;
};

} // namespace

// ---------------------------------------------------------------------------
// Listing and editing

TEST_F(DataEntryDlgTest, ListsRecordsInTableOrder)
{
    m_script.OnDialog(IDD_DATAENTRY)
        .Do([&](CWnd* pDlg)
        {
            CListCtrl& list = m_dlg.m_list;
            EXPECT_EQ((DWORD)LVS_REPORT, list.GetStyle() & LVS_TYPEMASK);
            EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
            ASSERT_EQ(4, list.GetHeaderCtrl()->GetItemCount());
            EXPECT_STREQ("SN", ColumnTitle(list, 0));
            EXPECT_EQ(30, list.GetColumnWidth(0));
            EXPECT_STREQ("City", ColumnTitle(list, 2));
            EXPECT_EQ(100, list.GetColumnWidth(2));
            ASSERT_EQ(3, list.GetItemCount());
            EXPECT_STREQ("1", list.GetItemText(0, 0));
            EXPECT_STREQ("Ann", list.GetItemText(0, 1));
            EXPECT_STREQ("00118", list.GetItemText(0, 3));
            EXPECT_STREQ("3", list.GetItemText(2, 0));
            EXPECT_STREQ("Line one/Line two", list.GetItemText(2, 2));
            EXPECT_EQ((std::vector<std::string>{ "Name", "City", "Zip" }), ComboItems(m_dlg.m_cbMergeFirst));
            EXPECT_EQ((std::vector<std::string>{ "Name", "City", "Zip" }), ComboItems(m_dlg.m_cbMergeSecond));
            EXPECT_FALSE(Enabled(pDlg, IDC_DE_NEXT));
            EXPECT_FALSE(Enabled(pDlg, IDC_DE_PREV));
            EXPECT_FALSE(Enabled(pDlg, IDC_DE_SAVE));
            EXPECT_STREQ("|", Text(pDlg, IDC_DE_EXPORTDELIMITER));
            EXPECT_STREQ("|", Text(pDlg, IDC_DE_IMPORTDELIMITER));
            EXPECT_STREQ(" ", Text(pDlg, IDC_DE_SEPARATOR));
            EXPECT_STREQ("\r\n", m_dlg.m_strLineBreak);
        })
        .OK();
    ASSERT_EQ(IDOK, Run());
    EXPECT_EQ(kPeople, ResultRows());
}

TEST_F(DataEntryDlgTest, EditsFieldsWithNextPrevAndSave)
{
    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_LIST, 1)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("Edit Data: Name", Text(pDlg, IDC_DE_EDITGROUP));
            EXPECT_STREQ("Bob", Text(pDlg, IDC_DE_VALUE));
            EXPECT_TRUE(Enabled(pDlg, IDC_DE_NEXT));
            EXPECT_TRUE(Enabled(pDlg, IDC_DE_SAVE));
        })
        .SetText(IDC_DE_VALUE, "Robert")
        .Click(IDC_DE_NEXT)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("Edit Data: City", Text(pDlg, IDC_DE_EDITGROUP));
            EXPECT_STREQ("Oslo", Text(pDlg, IDC_DE_VALUE));
            EXPECT_STREQ("Robert", m_dlg.m_list.GetItemText(1, 1));
        })
        .SetText(IDC_DE_VALUE, "Bergen\r\nNorway")
        .Click(IDC_DE_NEXT)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("Edit Data: Zip", Text(pDlg, IDC_DE_EDITGROUP));
            EXPECT_STREQ("Bergen/Norway", m_dlg.m_list.GetItemText(1, 2));
        })
        .Click(IDC_DE_NEXT)
        .Do([&](CWnd* pDlg)
        {
            // at the last column Next is disabled
            EXPECT_FALSE(Enabled(pDlg, IDC_DE_NEXT));
            EXPECT_TRUE(Enabled(pDlg, IDC_DE_PREV));
        })
        .Click(IDC_DE_PREV)
        .Do([&](CWnd* pDlg) { EXPECT_STREQ("Edit Data: City", Text(pDlg, IDC_DE_EDITGROUP)); })
        .Click(IDC_DE_PREV)
        .Click(IDC_DE_PREV)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_FALSE(Enabled(pDlg, IDC_DE_PREV));
            EXPECT_STREQ("Edit Data: Name", Text(pDlg, IDC_DE_EDITGROUP));
        })
        .SetText(IDC_DE_VALUE, "Bobby")
        .Click(IDC_DE_SAVE)
        .OK();
    ASSERT_EQ(IDOK, Run());
    EXPECT_EQ((Row{ "Bobby", "Bergen\r\nNorway", "0150" }), m_result.RowAt(2));
    EXPECT_EQ(kPeople[1], m_result.RowAt(1));
}

// A value typed but not saved is kept when the user clicks another record, merges columns
// or presses OK (Cancel drops everything, as below).
TEST_F(DataEntryDlgTest, TypedValueIsKeptByAClickElsewhereByMergeAndByOk)
{
    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_LIST, 0)
        .SetText(IDC_DE_VALUE, "Annie")
        .Select(IDC_DE_LIST, 2)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("Annie", m_dlg.m_list.GetItemText(0, 1));
            EXPECT_STREQ("Cy", Text(pDlg, IDC_DE_VALUE));
        })
        .SetText(IDC_DE_VALUE, "Cyd")
        .Select(IDC_DE_MERGEFIRST, 0)
        .Select(IDC_DE_MERGESECOND, 1)
        .Click(IDC_DE_MERGE)
        .Select(IDC_DE_LIST, 1)
        .Click(IDC_DE_NEXT)
        .SetText(IDC_DE_VALUE, "Bergen")
        .OK();
    ASSERT_EQ(IDOK, Run());
    EXPECT_EQ((Row{ "Annie", "Rome", "00118", "Annie Rome" }), m_result.RowAt(1));
    EXPECT_EQ((Row{ "Bob", "Bergen", "0150", "Bob Oslo" }), m_result.RowAt(2));
    EXPECT_EQ((Row{ "Cyd", "Line one\r\nLine two", "", "Cyd Line one\r\nLine two" }), m_result.RowAt(3));
}

TEST_F(DataEntryDlgTest, ClickBesideItemsDisablesFieldButtons)
{
    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_LIST, 0)
        .Select(IDC_DE_LIST, -1)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_FALSE(Enabled(pDlg, IDC_DE_NEXT));
            EXPECT_FALSE(Enabled(pDlg, IDC_DE_SAVE));
        })
        .OK();
    ASSERT_EQ(IDOK, Run());
    EXPECT_EQ(kPeople, ResultRows());
}

// Cancel leaves the caller's table exactly as it was, rows included.
TEST_F(DataEntryDlgTest, CancelLeavesCallersTable)
{
    CString* pFirstRecord = m_source.m_pRows[1];
    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_LIST, 0)
        .SetText(IDC_DE_VALUE, "Changed")
        .Click(IDC_DE_SAVE)
        .Click(IDC_DE_ADD)
        .Select(IDC_DE_LIST, 1)
        .Click(IDC_DE_DELETESELECTED)
        .Cancel();
    EXPECT_EQ(IDCANCEL, Run());
    std::vector<Row> rows;
    for (int r = 0; r < m_source.m_nRows; ++r)
        rows.push_back(m_source.RowAt(r));
    EXPECT_EQ(kPeople, rows);
    EXPECT_EQ(pFirstRecord, m_source.m_pRows[1]);
    EXPECT_STREQ("Ann", pFirstRecord[0]);
}

// ---------------------------------------------------------------------------
// Records

TEST_F(DataEntryDlgTest, NewRecordShowsColumnNames)
{
    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_LIST, 0)
        .Click(IDC_DE_ADD)
        .Do([&](CWnd* pDlg)
        {
            ASSERT_EQ(4, m_dlg.m_list.GetItemCount());
            EXPECT_STREQ("4", m_dlg.m_list.GetItemText(3, 0));
            EXPECT_STREQ("City", m_dlg.m_list.GetItemText(3, 2));
            EXPECT_FALSE(Enabled(pDlg, IDC_DE_SAVE));
        })
        .OK();
    ASSERT_EQ(IDOK, Run());
    ASSERT_EQ(5, m_result.m_nRows);
    EXPECT_EQ(kPeople[0], m_result.RowAt(4));
    EXPECT_EQ(kPeople[0], m_result.RowAt(0));
}

TEST_F(DataEntryDlgTest, DeleteSelectedRemovesOnlyThatRecord)
{
    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_LIST, 1)
        .Click(IDC_DE_DELETESELECTED)
        .Do([&](CWnd* pDlg)
        {
            ASSERT_EQ(2, m_dlg.m_list.GetItemCount());
            EXPECT_STREQ("Cy", m_dlg.m_list.GetItemText(1, 1));
            EXPECT_STREQ("", Text(pDlg, IDC_DE_VALUE));
            EXPECT_FALSE(Enabled(pDlg, IDC_DE_SAVE));
            // the record now at that place is marked
            EXPECT_EQ(1, m_dlg.m_list.GetNextItem(-1, LVNI_SELECTED));
        })
        .OK();
    ASSERT_EQ(IDOK, Run());
    EXPECT_EQ((std::vector<Row>{ kPeople[0], kPeople[1], kPeople[3] }), ResultRows());
    EXPECT_EQ(0, m_boxes.GetCount());
}

// Without a selection nothing is deleted, least of all the names row.
TEST_F(DataEntryDlgTest, DeleteSelectedWithoutSelectionDeletesNothing)
{
    m_script.OnDialog(IDD_DATAENTRY)
        .Click(IDC_DE_DELETESELECTED)
        .Select(IDC_DE_LIST, 2)
        .Select(IDC_DE_LIST, -1)
        .Click(IDC_DE_DELETESELECTED)
        .OK();
    ASSERT_EQ(IDOK, Run());
    EXPECT_EQ(kPeople, ResultRows());
    ASSERT_EQ(2, m_boxes.GetCount());
    EXPECT_STREQ("No record is selected.", Message(0));
    EXPECT_STREQ("No record is selected.", Message(1));
}

// After a field is saved the record stays selected and can be deleted.
TEST_F(DataEntryDlgTest, DeleteAfterSaveTakesTheEditedRecord)
{
    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_LIST, 2)
        .SetText(IDC_DE_VALUE, "Cyril")
        .Click(IDC_DE_SAVE)
        .Click(IDC_DE_DELETESELECTED)
        .OK();
    ASSERT_EQ(IDOK, Run());
    EXPECT_EQ((std::vector<Row>{ kPeople[0], kPeople[1], kPeople[2] }), ResultRows());
}

// Delete All Data asks first; No keeps every record, Yes keeps only the names.
TEST_F(DataEntryDlgTest, DeleteAllAsksAndKeepsNames)
{
    m_boxes.AddAnswer(IDNO);
    m_boxes.AddAnswer(IDYES);
    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_LIST, 0)
        .Click(IDC_DE_DELETEALL)
        .Do([&](CWnd*)
        {
            ASSERT_EQ(1, m_boxes.GetCount());
            EXPECT_STREQ("All records of the table (3) will be deleted. Do you want to continue?", Message(0));
            EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), m_boxes.GetCall(0).m_nType);
            EXPECT_EQ(3, m_dlg.m_list.GetItemCount());
        })
        .Click(IDC_DE_DELETEALL)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_EQ(2, m_boxes.GetCount());
            EXPECT_EQ(0, m_dlg.m_list.GetItemCount());
            EXPECT_FALSE(Enabled(pDlg, IDC_DE_NEXT));
        })
        .Click(IDC_DE_DELETEALL)
        .Click(IDC_DE_ADD)
        .OK();
    ASSERT_EQ(IDOK, Run());
    // an empty table is not asked about
    EXPECT_EQ(2, m_boxes.GetCount());
    EXPECT_EQ((std::vector<Row>{ kPeople[0], kPeople[0] }), ResultRows());
}

// The list view's notifications to the dialog while a hook is set.
std::vector<UINT> g_listNotifications;

LRESULT CALLBACK RecordListNotification(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMsg->message == WM_NOTIFY &&
        reinterpret_cast<const NMHDR*>(pMsg->lParam)->idFrom == IDC_DE_LIST)
        g_listNotifications.push_back(reinterpret_cast<const NMHDR*>(pMsg->lParam)->code);
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// A Save draws the saved record's row anew and nothing else: the list keeps its place
// and is never emptied and refilled (no half-drawn list between the steps).
TEST_F(DataEntryDlgTest, SaveRedrawsOnlyTheSavedRowInALongTable)
{
    std::vector<Row> rows = { { "Id", "Name" } };
    for (int i = 1; i <= 3000; ++i)
        rows.push_back({ std::to_string(i), "Name " + std::to_string(i) });
    m_source.Set(rows);
    m_dlg.SetTable(m_source.m_pRows, m_source.m_nRows, m_source.m_nColumns);
    int nTop = -1;
    m_script.OnDialog(IDD_DATAENTRY)
        .Do([&](CWnd*)
        {
            EXPECT_EQ(3000, m_dlg.m_list.GetItemCount());
            EXPECT_STREQ("3000", m_dlg.m_list.GetItemText(2999, 0));
            EXPECT_STREQ("Name 3000", m_dlg.m_list.GetItemText(2999, 2));
            m_dlg.m_list.EnsureVisible(2000, FALSE);
        })
        .Select(IDC_DE_LIST, 2000)
        .SetText(IDC_DE_VALUE, "edited")
        .Do([&](CWnd* pDlg)
        {
            CListCtrl& list = m_dlg.m_list;
            nTop = list.GetTopIndex();
            EXPECT_GT(nTop, 1900);
            list.ValidateRect(NULL);
            // the user's click on Save, handled before anything is painted
            g_listNotifications.clear();
            HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordListNotification, NULL,
                ::GetCurrentThreadId());
            pDlg->GetDlgItem(IDC_DE_SAVE)->SendMessage(BM_CLICK);
            ::UnhookWindowsHookEx(hHook);
            for (UINT nCode : g_listNotifications)
            {
                EXPECT_NE((UINT)LVN_DELETEALLITEMS, nCode) << "the list is emptied";
                EXPECT_NE((UINT)LVN_INSERTITEM, nCode) << "the list is filled anew";
                if (nCode == LVN_DELETEALLITEMS || nCode == LVN_INSERTITEM)
                    break;
            }
            CRect rectUpdate, rectRow;
            list.GetUpdateRect(&rectUpdate, FALSE);
            list.GetItemRect(2000, &rectRow, LVIR_BOUNDS);
            // the row's band of the list, no more
            EXPECT_FALSE(rectUpdate.IsRectEmpty());
            EXPECT_GE(rectUpdate.top, rectRow.top) << "the list is drawn anew from " << rectUpdate.top;
            EXPECT_LE(rectUpdate.bottom, rectRow.bottom) << "the list is drawn anew down to " << rectUpdate.bottom;
            EXPECT_EQ(nTop, list.GetTopIndex());
            EXPECT_STREQ("edited", list.GetItemText(2000, 1));
            EXPECT_STREQ("2002", list.GetItemText(2001, 1));
        })
        .OK();
    ASSERT_EQ(IDOK, Run());
    ASSERT_EQ(3001, m_result.m_nRows);
    EXPECT_EQ((Row{ "edited", "Name 2001" }), m_result.RowAt(2001));
    EXPECT_EQ((Row{ "2000", "Name 2000" }), m_result.RowAt(2000));
}

// ---------------------------------------------------------------------------
// Merging columns

TEST_F(DataEntryDlgTest, MergeColumnsAddsJoinedColumn)
{
    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_MERGEFIRST, 0)
        .Select(IDC_DE_MERGESECOND, 2)
        .Click(IDC_DE_MERGE)
        .Do([&](CWnd*)
        {
            ASSERT_EQ(5, m_dlg.m_list.GetHeaderCtrl()->GetItemCount());
            EXPECT_STREQ("Name Zip", ColumnTitle(m_dlg.m_list, 4));
            EXPECT_EQ(4u, ComboItems(m_dlg.m_cbMergeFirst).size());
        })
        .OK();
    ASSERT_EQ(IDOK, Run());
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("Column merge is successful!\nThis new column is created:\n'Name Zip'", Message(0));
    ASSERT_EQ(4, m_result.m_nColumns);
    EXPECT_EQ((Row{ "Name", "City", "Zip", "Name Zip" }), m_result.RowAt(0));
    EXPECT_EQ((Row{ "Ann", "Rome", "00118", "Ann 00118" }), m_result.RowAt(1));
    EXPECT_EQ((Row{ "Cy", "Line one\r\nLine two", "", "Cy " }), m_result.RowAt(3));
}

TEST_F(DataEntryDlgTest, MergeNeedsTwoColumnsAndAsksWithoutSeparator)
{
    m_boxes.AddAnswer(IDOK);    // the note about two columns
    m_boxes.AddAnswer(IDNO);    // no separator: stop
    m_boxes.AddAnswer(IDYES);   // no separator: go on
    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_MERGEFIRST, 1)
        .Click(IDC_DE_MERGE)
        .Select(IDC_DE_MERGESECOND, 0)
        .SetText(IDC_DE_SEPARATOR, "")
        .Click(IDC_DE_MERGE)
        .Do([&](CWnd*) { EXPECT_EQ(4, m_dlg.m_list.GetHeaderCtrl()->GetItemCount()); })
        .Click(IDC_DE_MERGE)
        .OK();
    ASSERT_EQ(IDOK, Run());
    ASSERT_EQ(4, m_boxes.GetCount());
    EXPECT_STREQ("Please select 2 columns to merge. \nThe merged data will be in first column, "
                 "\nand the second column will remain unchanged.", Message(0));
    EXPECT_EQ(0, Message(1).Find("There is no separation in the merged data."));
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), m_boxes.GetCall(1).m_nType);
    ASSERT_EQ(4, m_result.m_nColumns);
    EXPECT_EQ((Row{ "Bob", "Oslo", "0150", "OsloBob" }), m_result.RowAt(2));
    EXPECT_EQ("CityName", m_result.RowAt(0)[3]);
}

TEST_F(DataEntryDlgTest, SeparatorOfSixCharactersIsRefusedAtOk)
{
    m_script.OnDialog(IDD_DATAENTRY)
        .SetText(IDC_DE_SEPARATOR, " - - -")
        .OK()
        .Do([&](CWnd* pDlg)
        {
            EXPECT_TRUE(pDlg->IsWindowVisible());
            EXPECT_EQ(1, m_boxes.GetCount());
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, Run());
}

// ---------------------------------------------------------------------------
// Export and import

class DataEntryFiles : public DataEntryDlgTest
{
protected:
    DataEntryFiles() : m_folder("placeholder.txt") {}
    CTempDataFile m_folder;
};

TEST_F(DataEntryFiles, ExportAppendsExtensionOnlyWhenNeeded)
{
    const CString strReport = m_folder.Sibling("report.csv");
    const CString strPlain = m_folder.Sibling("plain");
    const CString strOther = m_folder.Sibling("other.txt");
    m_script.OnDialog(IDD_DATAENTRY)
        .Click(IDC_DE_EXPORT)
        .Click(IDC_DE_EXPORT)
        .Click(IDC_DE_EXPORT)
        .OK();
    m_script.OnFileDialog(strReport, 2);
    m_script.OnFileDialog(strPlain, 1);
    m_script.OnFileDialog(strOther, 2);
    ASSERT_EQ(IDOK, Run());

    const CDialogScript::CRecord& record = m_script.GetRecord(1);
    EXPECT_FALSE(record.m_bOpenFileDialog);
    EXPECT_TRUE(record.m_dwFlags & OFN_OVERWRITEPROMPT);
    EXPECT_STREQ("Data Files(*.dat)|*.dat |Comma separated files(*.csv)|*.csv |Text files(*.txt)|*.txt "
                 "|All files(*.*)|*.*|", record.m_strFilter);

    // report.csv is written as it was chosen, separated by commas
    EXPECT_TRUE(DataFileExists(strReport));
    EXPECT_FALSE(DataFileExists(strReport + ".csv"));
    EXPECT_EQ("Name,City,Zip\r\nAnn,Rome,00118\r\nBob,Oslo,0150\r\nCy,Line one``Line two,",
        ReadWholeFile(strReport));
    EXPECT_EQ("Name|City|Zip\r\nAnn|Rome|00118\r\nBob|Oslo|0150\r\nCy|Line one``Line two|",
        ReadWholeFile(strPlain + ".dat"));
    EXPECT_TRUE(DataFileExists(strOther + ".csv"));
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(DataEntryFiles, TabExportAndImportRoundTrip)
{
    const CString strFile = m_folder.Sibling("people.txt");
    m_boxes.AddAnswer(IDYES);   // delete all
    m_boxes.AddAnswer(IDYES);   // replace by the import
    m_script.OnDialog(IDD_DATAENTRY)
        .SetText(IDC_DE_EXPORTDELIMITER, "t")
        .Click(IDC_DE_EXPORT)
        .Click(IDC_DE_DELETEALL)
        .SetText(IDC_DE_IMPORTDELIMITER, "t")
        .Click(IDC_DE_IMPORT)
        .Do([&](CWnd*) { EXPECT_EQ(3, m_dlg.m_list.GetItemCount()); })
        .OK();
    m_script.OnFileDialog(strFile, 3);
    m_script.OnFileDialog(strFile);
    ASSERT_EQ(IDOK, Run());
    EXPECT_EQ("Name\tCity\tZip\r\nAnn\tRome\t00118\r\nBob\tOslo\t0150\r\nCy\tLine one``Line two\t",
        ReadWholeFile(strFile));
    EXPECT_EQ(kPeople, ResultRows());
    ASSERT_EQ(2, m_boxes.GetCount());
    EXPECT_STREQ("This will replace all the existing data. Do you want to continue?", Message(1));
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), m_boxes.GetCall(1).m_nType);
    EXPECT_TRUE(m_script.GetRecord(2).m_bOpenFileDialog);
    EXPECT_TRUE(m_script.GetRecord(2).m_dwFlags & OFN_FILEMUSTEXIST);
}

// Values with the delimiter, quotes or the line-break marker come back as they were.
TEST_F(DataEntryFiles, AwkwardValuesRoundTrip)
{
    const std::vector<Row> awkward = {
        { "Name", "Note|Pipe", "Code" },
        { "a|b", "\"quoted\" start", "x``y" },
        { "multi\r\nline|pipe", "", "end\"" },
        { "", "``", "\"" } };
    m_source.Set(awkward);
    CDataEntryDlg dlg;
    dlg.SetTable(m_source.m_pRows, m_source.m_nRows, m_source.m_nColumns);
    const CString strFile = m_folder.Sibling("awkward.dat");
    m_boxes.AddAnswer(IDYES);
    m_boxes.AddAnswer(IDYES);
    m_script.OnDialog(IDD_DATAENTRY)
        .Click(IDC_DE_EXPORT)
        .Click(IDC_DE_DELETEALL)
        .Click(IDC_DE_IMPORT)
        .OK();
    m_script.OnFileDialog(strFile, 1);
    m_script.OnFileDialog(strFile);
    ASSERT_EQ(IDOK, dlg.DoModal());
    CTableHolder result;
    dlg.DetachTable(result.m_pRows, result.m_nRows, result.m_nColumns);
    ASSERT_EQ(4, result.m_nRows);
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(awkward[r], result.RowAt(r)) << "row " << r;
    EXPECT_EQ(2, m_boxes.GetCount()) << (LPCSTR)Message(2);
}

// Files written without quotes (and other programs' files) read as before.
TEST_F(DataEntryFiles, OldFormatFileImports)
{
    CTempDataFile file("old.dat",
        "First|Second|Third\r\nx|He said \"hi|z\r\n\"open|multi``line|\r\n");
    m_boxes.AddAnswer(IDYES);
    m_script.OnDialog(IDD_DATAENTRY).Click(IDC_DE_IMPORT).OK();
    m_script.OnFileDialog(file.m_strPath);
    ASSERT_EQ(IDOK, Run());
    EXPECT_EQ((std::vector<Row>{
        { "First", "Second", "Third" },
        { "x", "He said \"hi", "z" },
        { "\"open", "multi\r\nline", "" } }), ResultRows());
}

TEST_F(DataEntryFiles, ImportWithFewerColumnsFillsNoData)
{
    CTempDataFile file("two.csv", "A,B\r\n1,2\r\n3");
    m_boxes.AddAnswer(IDYES);
    m_script.OnDialog(IDD_DATAENTRY)
        .SetText(IDC_DE_IMPORTDELIMITER, "|")
        .Click(IDC_DE_IMPORT)
        .OK();
    m_script.OnFileDialog(file.m_strPath);
    ASSERT_EQ(IDOK, Run());
    EXPECT_STREQ("Data Files(.dat)|*.dat; |Comma separated files(.csv)|*.csv; |Text files(.txt)|*.txt; "
                 "|All Files (*.*)|*.*|", m_script.GetRecord(1).m_strFilter);
    ASSERT_EQ(2, m_boxes.GetCount());
    EXPECT_STREQ("The data file has less columns than the no. of text fields in your design.\n"
                 "The extra columns will be populated with 'NoData'", Message(1));
    EXPECT_EQ((std::vector<Row>{
        { "A", "B", "NoData" }, { "1", "2", "NoData" }, { "3", "NoData", "NoData" } }), ResultRows());
}

TEST_F(DataEntryFiles, ImportWithMoreColumnsDropsTheRest)
{
    CTempDataFile file("four.txt", "A;B;C;D\r\n1;2;3;4\r\n");
    m_boxes.AddAnswer(IDYES);
    m_script.OnDialog(IDD_DATAENTRY)
        .SetText(IDC_DE_IMPORTDELIMITER, ";")
        .Click(IDC_DE_IMPORT)
        .OK();
    m_script.OnFileDialog(file.m_strPath);
    ASSERT_EQ(IDOK, Run());
    ASSERT_EQ(2, m_boxes.GetCount());
    EXPECT_STREQ("The data file has more columns than the no. of text fields in your design.\n"
                 "The extra data will be ignored", Message(1));
    // the line break after the last line adds no record
    EXPECT_EQ((std::vector<Row>{ { "A", "B", "C" }, { "1", "2", "3" } }), ResultRows());
}

TEST_F(DataEntryFiles, ImportAnsweredNoOrUnreadableChangesNothing)
{
    CTempDataFile file("any.dat", "X|Y|Z\r\n1|2|3");
    CTempDataFile locked("locked.dat", "X|Y|Z\r\n1|2|3");
    // another program holds the second file open for writing
    HANDLE hLocked = ::CreateFileA(locked.m_strPath, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLocked);
    m_boxes.AddAnswer(IDNO);
    m_script.OnDialog(IDD_DATAENTRY)
        .Click(IDC_DE_IMPORT)
        .Click(IDC_DE_IMPORT)
        .OK();
    m_script.OnFileDialog(file.m_strPath);
    m_script.OnFileDialog(locked.m_strPath);
    const INT_PTR nResult = Run();
    ::CloseHandle(hLocked);
    ASSERT_EQ(IDOK, nResult);
    EXPECT_EQ(kPeople, ResultRows());
    ASSERT_EQ(2, m_boxes.GetCount());
    EXPECT_STREQ("File could not be opened. \nIf it is opened by another application, please close it.",
        Message(1));
}

TEST_F(DataEntryFiles, ExportToUnwritablePathIsReported)
{
    m_script.OnDialog(IDD_DATAENTRY).Click(IDC_DE_EXPORT).OK();
    m_script.OnFileDialog(m_folder.Sibling("no such folder\\out.dat"), 4);
    ASSERT_EQ(IDOK, Run());
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("File could not be opened. \nIf it is opened by another application, please close it.",
        Message(0));
}

// ---------------------------------------------------------------------------
// The export format on its own

TEST(ExportFormat, DelimiterRules)
{
    EXPECT_EQ('|', GetExportDelimiter("", "C:\\a.dat"));
    EXPECT_EQ('|', GetExportDelimiter("  ", "C:\\a.dat"));
    EXPECT_EQ('\t', GetExportDelimiter("t", "C:\\a.txt"));
    EXPECT_EQ(';', GetExportDelimiter(";", "C:\\a.txt"));
    EXPECT_EQ(',', GetExportDelimiter("t", "C:\\a.CSV"));
    EXPECT_EQ('#', GetExportDelimiter("#", "C:\\dir.csv\\a"));
}

TEST(ExportFormat, LinesQuoteOnlyWhatNeedsIt)
{
    const CString values[] = { "plain", "a,b", "\"q\" x", "two\r\nlines", "mark``", "" };
    EXPECT_STREQ("plain,\"a,b\",\"\"\"q\"\" x\",two``lines,\"mark``\",",
        FormatExportLine(values, 6, ','));
    // with "`" as delimiter a line break is quoted as it is
    const CString tick[] = { "x", "y\r\nz" };
    EXPECT_STREQ("x`\"y\r\nz\"", FormatExportLine(tick, 2, '`'));
    std::vector<std::vector<CString> > rows;
    ParseExportText("x`\"y\r\nz\"", '`', rows);
    ASSERT_EQ(1u, rows.size());
    EXPECT_STREQ("y\r\nz", rows[0][1]);
}

TEST(ExportFormat, ParsingKeepsEmptyValuesAndLines)
{
    std::vector<std::vector<CString> > rows;
    ParseExportText("a||c\r\n\r\n|", '|', rows);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(3u, rows[0].size());
    EXPECT_STREQ("", rows[0][1]);
    ASSERT_EQ(1u, rows[1].size());
    EXPECT_STREQ("", rows[1][0]);
    EXPECT_EQ(2u, rows[2].size());

    ParseExportText("", '|', rows);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(1u, rows[0].size());

    // a quote that does not close a value is text
    ParseExportText("\"a\"b|c", '|', rows);
    ASSERT_EQ(1u, rows.size());
    ASSERT_EQ(2u, rows[0].size());
    EXPECT_STREQ("\"a\"b", rows[0][0]);
}
