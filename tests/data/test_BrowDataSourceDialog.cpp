// The data-source dialog driven like a user: each source type, the table and
// sheet lists, the statement check, the delimiter list, reopening on stored
// descriptions, passwords and Cancel.

#include "datadlg_test.h"
#include "test_support.h"

#include "BrowDataSource.h"

namespace
{

CString AccessDescription(const CString& strPath, const char* pszSql, const char* pszPassword = "")
{
    return BuildAdoDescription(DATASOURCE_ACCESS, BuildAccessConnection(strPath, pszPassword), pszSql);
}

CString ComboText(CWnd* pDlg, int nID)
{
    CComboBox* pCombo = static_cast<CComboBox*>(pDlg->GetDlgItem(nID));
    CString str;
    const int nIndex = pCombo->GetCurSel();
    if (nIndex >= 0)
        pCombo->GetLBText(nIndex, str);
    return str;
}

std::vector<std::string> ComboItems(CWnd* pDlg, int nID)
{
    CComboBox* pCombo = static_cast<CComboBox*>(pDlg->GetDlgItem(nID));
    std::vector<std::string> items;
    for (int i = 0; i < pCombo->GetCount(); ++i)
    {
        CString str;
        pCombo->GetLBText(i, str);
        items.push_back(std::string(str));
    }
    return items;
}

CString Text(CWnd* pDlg, int nID)
{
    CString str;
    pDlg->GetDlgItemText(nID, str);
    return str;
}

bool Visible(CWnd* pDlg, int nID)
{
    return (pDlg->GetDlgItem(nID)->GetStyle() & WS_VISIBLE) != 0;
}

bool Enabled(CWnd* pDlg, int nID)
{
    return pDlg->GetDlgItem(nID)->IsWindowEnabled() != FALSE;
}

CRect ControlRect(CWnd* pDlg, int nID)
{
    CRect rc;
    pDlg->GetDlgItem(nID)->GetWindowRect(&rc);
    pDlg->ScreenToClient(&rc);
    return rc;
}

// The dialog under test.
class CSourceDialog : public CBrowDataSource
{
};

class BrowDataSourceDialog : public ::testing::Test
{
protected:
    CMessageBoxRecorder m_boxes;
    CDialogScript m_script;

    CString Message(int nIndex) const
    {
        return nIndex < m_boxes.GetCount() ? m_boxes.GetCall(nIndex).m_strText : CString();
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Opening

TEST_F(BrowDataSourceDialog, OpensWithAccessLayoutAndListsFilled)
{
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_EQ((std::vector<std::string>{ "Microsoft Access DB(*.mdb)",
                "Microsoft Excel 2000(*.xls)", "Text Files(*.txt,*.csv,*.tab,*.*)" }),
                ComboItems(pDlg, IDC_DS_TYPE));
            EXPECT_EQ((std::vector<std::string>{ "Excel 2002/2003 ", "Excel 2000", "Excel 97",
                "Excel 5.0/7.0", "Excel 3.0/4.0" }), ComboItems(pDlg, IDC_DS_EXCELVERSION));
            const std::vector<std::string> delimiters = ComboItems(pDlg, IDC_DS_DELIMITERLIST);
            ASSERT_EQ(11u, delimiters.size());
            EXPECT_EQ("Comma Separated", delimiters[0]);
            EXPECT_EQ("'|' Separated", delimiters[2]);
            EXPECT_EQ("Other delimiter", delimiters[10]);
            EXPECT_STREQ("Microsoft Access DB(*.mdb)", ComboText(pDlg, IDC_DS_TYPE));
            EXPECT_STREQ("Excel 2002/2003 ", ComboText(pDlg, IDC_DS_EXCELVERSION));
            EXPECT_STREQ("Comma Separated", ComboText(pDlg, IDC_DS_DELIMITERLIST));
            EXPECT_STREQ(",", Text(pDlg, IDC_DS_DELIMITER));
            EXPECT_FALSE(Enabled(pDlg, IDC_DS_DELIMITER));

            // Access layout
            EXPECT_TRUE(Visible(pDlg, IDC_DS_TABLELIST));
            EXPECT_TRUE(Visible(pDlg, IDC_DS_TABLELABEL));
            EXPECT_TRUE(Visible(pDlg, IDC_DS_PASSWORD));
            EXPECT_TRUE(Visible(pDlg, IDC_DS_USESQL));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_EXCELVERSION));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_DELIMITERLIST));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_DELIMITER));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_HASCOLNAMES));
            EXPECT_STREQ("DB Password If Any:", Text(pDlg, IDC_DS_OPTIONLABEL));
            EXPECT_STREQ("Table Source:", Text(pDlg, IDC_DS_TABLELABEL));
            // the table list sits where the delimiter list is
            EXPECT_EQ(ControlRect(pDlg, IDC_DS_DELIMITERLIST).top, ControlRect(pDlg, IDC_DS_TABLELIST).top);
            EXPECT_LT(ControlRect(pDlg, IDC_DS_TABLELABEL).top, ControlRect(pDlg, IDC_DS_USESQL).top);
            EXPECT_EQ(BST_CHECKED, pDlg->IsDlgButtonChecked(IDC_DS_HASCOLNAMES));
            EXPECT_FALSE(Enabled(pDlg, IDC_DS_SQL));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(-1, dlg.m_table.m_nRows);
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(BrowDataSourceDialog, TypeChangesSwitchLayouts)
{
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Select(IDC_DS_TYPE, DATASOURCE_EXCEL)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_TRUE(Visible(pDlg, IDC_DS_EXCELVERSION));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_PASSWORD));
            EXPECT_TRUE(Visible(pDlg, IDC_DS_TABLELIST));
            EXPECT_STREQ("Excel Version:", Text(pDlg, IDC_DS_OPTIONLABEL));
            EXPECT_STREQ("Sheet Source:", Text(pDlg, IDC_DS_TABLELABEL));
        })
        .Select(IDC_DS_TYPE, DATASOURCE_TEXT)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_TRUE(Visible(pDlg, IDC_DS_DELIMITERLIST));
            EXPECT_TRUE(Visible(pDlg, IDC_DS_DELIMITER));
            EXPECT_TRUE(Visible(pDlg, IDC_DS_HASCOLNAMES));
            EXPECT_TRUE(Visible(pDlg, IDC_DS_DELIMITERLABEL));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_TABLELIST));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_USESQL));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_SQL));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_PASSWORD));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_EXCELVERSION));
            EXPECT_STREQ("", Text(pDlg, IDC_DS_OPTIONLABEL));
        })
        .Select(IDC_DS_TYPE, DATASOURCE_ACCESS)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_TRUE(Visible(pDlg, IDC_DS_PASSWORD));
            EXPECT_FALSE(Visible(pDlg, IDC_DS_DELIMITERLIST));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

// A file chosen for one type is no source of another: a change of type empties the
// file, the table list and the statement, and OK then asks for a file.
TEST_F(BrowDataSourceDialog, TypeChangeForgetsTheFileTablesAndStatement)
{
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Click(IDC_DS_BROWSE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_EQ("Categories", ComboItems(pDlg, IDC_DS_TABLELIST).at(0));
            EXPECT_STREQ("SELECT * FROM [Categories]", Text(pDlg, IDC_DS_SQL));
        })
        .Select(IDC_DS_TYPE, DATASOURCE_EXCEL)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("", Text(pDlg, IDC_DS_FILENAME));
            EXPECT_TRUE(ComboItems(pDlg, IDC_DS_TABLELIST).empty());
            EXPECT_STREQ("", Text(pDlg, IDC_DS_SQL));
        })
        .OK()
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("Please enter file name.", Message(0));
            EXPECT_TRUE(pDlg->IsWindowVisible());
        })
        .Select(IDC_DS_TYPE, DATASOURCE_TEXT)
        .SetText(IDC_DS_FILENAME, "C:\\people.csv")
        .Select(IDC_DS_TYPE, DATASOURCE_ACCESS)
        .Do([&](CWnd* pDlg) { EXPECT_STREQ("", Text(pDlg, IDC_DS_FILENAME)); })
        .Cancel();
    m_script.OnFileDialog(NwindPath());
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1, m_boxes.GetCount());
}

// ---------------------------------------------------------------------------
// Access

TEST_F(BrowDataSourceDialog, AccessBrowseListsTablesAndOkLoadsChosenTable)
{
    CSourceDialog dlg;
    dlg.m_strInitialFolder = "C:\\users\\docs";
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Click(IDC_DS_BROWSE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ(NwindPath(), Text(pDlg, IDC_DS_FILENAME));
            const std::vector<std::string> tables = ComboItems(pDlg, IDC_DS_TABLELIST);
            ASSERT_EQ(9u, tables.size());   // user tables only
            EXPECT_EQ("Categories", tables[0]);
            EXPECT_NE(tables.end(), std::find(tables.begin(), tables.end(), "Order Details"));
            EXPECT_STREQ("SELECT * FROM [Categories]", Text(pDlg, IDC_DS_SQL));
        })
        .SelectString(IDC_DS_TABLELIST, "Order Details")
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("SELECT * FROM [Order Details]", Text(pDlg, IDC_DS_SQL));
        })
        .OK();
    m_script.OnFileDialog(NwindPath());
    ASSERT_EQ(IDOK, dlg.DoModal());

    const CDialogScript::CRecord& browse = m_script.GetRecord(1);
    EXPECT_EQ(CDialogScript::kindFile, browse.m_nKind);
    EXPECT_TRUE(browse.m_bOpenFileDialog);
    EXPECT_STREQ("MS Acccess DB(.mdb)|*.mdb|", browse.m_strFilter);
    EXPECT_STREQ("C:\\users\\docs", browse.m_strInitialDir);
    EXPECT_TRUE(browse.m_dwFlags & OFN_FILEMUSTEXIST);
    EXPECT_TRUE(browse.m_dwFlags & OFN_HIDEREADONLY);

    EXPECT_STREQ("type=accessdb::conn=Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + NwindPath() +
        ";Jet OLEDB:Database Password=;::sqlstring={?SELECT * FROM [Order Details]?}",
        dlg.m_strDescription);
    EXPECT_EQ(CountFixtureLines("nwind_0.csv"), dlg.m_table.m_nRows);
    ASSERT_EQ(5, dlg.m_table.m_nColumns);
    EXPECT_EQ("OrderID", RowOf(dlg.m_table.m_pRows, 5, 0)[0]);
    EXPECT_EQ(0, m_boxes.GetCount()) << (LPCSTR)Message(0);
}

TEST_F(BrowDataSourceDialog, StatementMustBeSelectInAnyCase)
{
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .SetText(IDC_DS_FILENAME, NwindPath())
        .Do([&](CWnd* pDlg) { EXPECT_FALSE(Enabled(pDlg, IDC_DS_SQL)); })
        .Check(IDC_DS_USESQL)
        .Do([&](CWnd* pDlg) { EXPECT_TRUE(Enabled(pDlg, IDC_DS_SQL)); })
        .SetText(IDC_DS_SQL, "DELETE FROM Shippers")
        .OK()
        .Do([&](CWnd* pDlg)
        {
            EXPECT_TRUE(pDlg->IsWindowVisible());   // still open
            ASSERT_EQ(1, m_boxes.GetCount());
            EXPECT_STREQ("Please use a SELECT query.", Message(0));
            EXPECT_EQ(0u, m_boxes.GetCall(0).m_nType & MB_ICONMASK);
        })
        .SetText(IDC_DS_SQL, "  select CompanyName from Shippers order by CompanyName  ")
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ(AccessDescription(NwindPath(),
        "select CompanyName from Shippers order by CompanyName"), dlg.m_strDescription);
    ASSERT_EQ(4, dlg.m_table.m_nRows);
    ASSERT_EQ(1, dlg.m_table.m_nColumns);
    EXPECT_EQ((Row{ "Federal Shipping" }), RowOf(dlg.m_table.m_pRows, 1, 1));
}

TEST_F(BrowDataSourceDialog, UseSqlKeepsTypedStatementWhenTableChanges)
{
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Click(IDC_DS_BROWSE)
        .Check(IDC_DS_USESQL)
        .SetText(IDC_DS_SQL, "SELECT ShipperID FROM Shippers")
        .SelectString(IDC_DS_TABLELIST, "Orders")
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("SELECT ShipperID FROM Shippers", Text(pDlg, IDC_DS_SQL));
        })
        .Check(IDC_DS_USESQL, BST_UNCHECKED)
        .Do([&](CWnd* pDlg) { EXPECT_FALSE(Enabled(pDlg, IDC_DS_SQL)); })
        .SelectString(IDC_DS_TABLELIST, "Shippers")
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("SELECT * FROM [Shippers]", Text(pDlg, IDC_DS_SQL));
        })
        .Cancel();
    m_script.OnFileDialog(NwindPath());
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST_F(BrowDataSourceDialog, EmptyFileNameIsRefused)
{
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .SetText(IDC_DS_FILENAME, "   ")
        .OK()
        .Do([&](CWnd*)
        {
            ASSERT_EQ(1, m_boxes.GetCount());
            EXPECT_STREQ("Please enter file name.", Message(0));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(-1, dlg.m_table.m_nRows);
}

// The connection string comes from the controls at OK: a file typed after
// Browse is the one that is read.
TEST_F(BrowDataSourceDialog, PathTypedAfterBrowseIsUsed)
{
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Click(IDC_DS_BROWSE)
        .SetText(IDC_DS_FILENAME, DateTestPath())
        .Check(IDC_DS_USESQL)
        .SetText(IDC_DS_SQL, "SELECT * FROM [DateTest]")
        .OK();
    m_script.OnFileDialog(NwindPath());
    ASSERT_EQ(IDOK, dlg.DoModal()) << (LPCSTR)Message(0);
    EXPECT_STREQ(AccessDescription(DateTestPath(), "SELECT * FROM [DateTest]"), dlg.m_strDescription);
    EXPECT_EQ(CountFixtureLines("DateTestDatabase_0.csv"), dlg.m_table.m_nRows);
}

TEST_F(BrowDataSourceDialog, FailedLoadKeepsDialogOpen)
{
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .SetText(IDC_DS_FILENAME, "C:\\nowhere\\missing.mdb")
        .Check(IDC_DS_USESQL)
        .SetText(IDC_DS_SQL, "SELECT * FROM T")
        .OK()
        .Do([&](CWnd* pDlg)
        {
            EXPECT_TRUE(pDlg->IsWindowVisible());
            ASSERT_EQ(1, m_boxes.GetCount());
            EXPECT_EQ(0, Message(0).Find("CADODataBase Error")) << (LPCSTR)Message(0);
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(-1, dlg.m_table.m_nRows);
}

// ---------------------------------------------------------------------------
// Access passwords

class BrowDataSourcePassword : public BrowDataSourceDialog
{
protected:
    BrowDataSourcePassword() : m_file("secret.mdb")
    {
        WriteWholeFile(m_file.m_strPath, AccessFileWithPassword(NwindPath(), L"Secret"));
    }
    CTempDataFile m_file;
};

TEST_F(BrowDataSourcePassword, PasswordIsStoredProtected)
{
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .SetText(IDC_DS_PASSWORD, "Secret")
        .Click(IDC_DS_BROWSE)
        .SelectString(IDC_DS_TABLELIST, "Shippers")
        .OK();
    m_script.OnFileDialog(m_file.m_strPath);
    ASSERT_EQ(IDOK, dlg.DoModal()) << (LPCSTR)Message(0);
    ASSERT_EQ(4, dlg.m_table.m_nRows);

    const CString strStored = dlg.m_strDescription;
    EXPECT_EQ(-1, strStored.Find("Secret")) << (LPCSTR)strStored;
    EXPECT_NE(-1, strStored.Find(";Jet OLEDB:Database Password=;Protected Password="));
    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(strStored, info));
    CString strFile;
    ASSERT_TRUE(GetConnectionFileName(DATASOURCE_ACCESS, info.m_strConnection, strFile));
    EXPECT_STREQ(m_file.m_strPath, strFile);
    EXPECT_STREQ("SELECT * FROM [Shippers]", info.m_strSql);
    EXPECT_STREQ(AccessDescription(m_file.m_strPath, "SELECT * FROM [Shippers]", "Secret"),
        RevealDescriptionPassword(strStored));

    // The reload of a publication reads the source without being told the password.
    CSourceDialog loader;
    ASSERT_TRUE(loader.LoadDataSource(strStored, FALSE)) << (LPCSTR)Message(0);
    EXPECT_EQ(4, loader.m_table.m_nRows);
}

TEST_F(BrowDataSourcePassword, ReopeningShowsPasswordAndTable)
{
    CString strStored = BuildAdoDescription(DATASOURCE_ACCESS,
        ProtectConnectionPassword(BuildAccessConnection(m_file.m_strPath, "Secret")),
        "SELECT * FROM [Customers]");
    CSourceDialog dlg;
    dlg.m_strDescription = strStored;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("Secret", Text(pDlg, IDC_DS_PASSWORD));
            EXPECT_STREQ(m_file.m_strPath, Text(pDlg, IDC_DS_FILENAME));
            EXPECT_STREQ("Customers", ComboText(pDlg, IDC_DS_TABLELIST));
        })
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal()) << (LPCSTR)Message(0);
    EXPECT_EQ(-1, dlg.m_strDescription.Find("Secret"));
    EXPECT_EQ(CountFixtureLines("nwind_5.csv"), dlg.m_table.m_nRows);
}

// A password changed after Browse is the one used at OK.
TEST_F(BrowDataSourcePassword, PasswordChangedAfterBrowseIsUsed)
{
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .SetText(IDC_DS_PASSWORD, "wrong")
        .Click(IDC_DS_BROWSE)
        .Do([&](CWnd* pDlg)
        {
            ASSERT_EQ(1, m_boxes.GetCount());
            EXPECT_NE(-1, Message(0).Find("password")) << (LPCSTR)Message(0);
            EXPECT_EQ(0, static_cast<CComboBox*>(pDlg->GetDlgItem(IDC_DS_TABLELIST))->GetCount());
        })
        .SetText(IDC_DS_PASSWORD, "Secret")
        .Check(IDC_DS_USESQL)
        .SetText(IDC_DS_SQL, "SELECT * FROM Shippers")
        .OK();
    m_script.OnFileDialog(m_file.m_strPath);
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ(4, dlg.m_table.m_nRows);
}

TEST_F(BrowDataSourcePassword, OldDescriptionWithClearPasswordStillLoads)
{
    CSourceDialog loader;
    ASSERT_TRUE(loader.LoadDataSource(
        AccessDescription(m_file.m_strPath, "SELECT * FROM Shippers", "Secret"), FALSE))
        << (LPCSTR)Message(0);
    EXPECT_EQ(4, loader.m_table.m_nRows);
}

TEST_F(BrowDataSourcePassword, UnreadableProtectedPasswordFailsWithProviderMessage)
{
    CString strStored = AccessDescription(m_file.m_strPath, "SELECT * FROM Shippers");
    strStored.Replace("Password=;", "Password=;Protected Password=0102030405;");
    CSourceDialog loader;
    EXPECT_FALSE(loader.LoadDataSource(strStored, FALSE));
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_NE(-1, Message(0).Find("password is not valid")) << (LPCSTR)Message(0);
    EXPECT_EQ(-1, loader.m_table.m_nRows);
}

TEST(PasswordProtection, RoundTripAndPassThrough)
{
    const CString strEmpty = BuildAccessConnection("C:\\a\\b.mdb", "");
    EXPECT_STREQ(strEmpty, ProtectConnectionPassword(strEmpty));
    EXPECT_STREQ(strEmpty, RevealConnectionPassword(strEmpty));

    const CString strConnection = BuildAccessConnection("C:\\a\\b.mdb", "Top Secret");
    const CString strProtected = ProtectConnectionPassword(strConnection);
    EXPECT_EQ(-1, strProtected.Find("Top Secret"));
    EXPECT_EQ(0, strProtected.Find(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\a\\b.mdb;Jet OLEDB:Database Password=;"));
    EXPECT_EQ(strProtected.GetLength() - 1, strProtected.ReverseFind(';'));
    EXPECT_STREQ(strConnection, RevealConnectionPassword(strProtected));
    EXPECT_STREQ("Top Secret", GetConnectionPassword(strConnection));
    EXPECT_STREQ("", GetConnectionPassword(strEmpty));
    // protecting twice changes nothing
    EXPECT_STREQ(strProtected, ProtectConnectionPassword(strProtected));

    // Excel and text descriptions are left alone
    const CString strText = BuildTextDescription("C:\\a.csv", ",", TRUE);
    EXPECT_STREQ(strText, ProtectDescriptionPassword(strText));
    EXPECT_STREQ(strText, RevealDescriptionPassword(strText));
}

// ---------------------------------------------------------------------------
// Stored statements

TEST_F(BrowDataSourceDialog, StoredUnbracketedStatementsStillWork)
{
    CSourceDialog loader;
    ASSERT_TRUE(loader.LoadDataSource(AccessDescription(NwindPath(), "SELECT * FROM Order Details"), FALSE))
        << (LPCSTR)Message(0);
    EXPECT_EQ(CountFixtureLines("nwind_0.csv"), loader.m_table.m_nRows);

    CSourceDialog plain;
    ASSERT_TRUE(plain.LoadDataSource(AccessDescription(NwindPath(), "SELECT * FROM Shippers"), FALSE));
    EXPECT_EQ(4, plain.m_table.m_nRows);
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(BrowDataSourceDialog, ReopeningOnAccessPreselectsTableIgnoringCase)
{
    CSourceDialog dlg;
    dlg.m_strDescription = AccessDescription(NwindPath(), "select * from order details");
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("Microsoft Access DB(*.mdb)", ComboText(pDlg, IDC_DS_TYPE));
            EXPECT_STREQ(NwindPath(), Text(pDlg, IDC_DS_FILENAME));
            EXPECT_STREQ("Order Details", ComboText(pDlg, IDC_DS_TABLELIST));
            EXPECT_STREQ("select * from order details", Text(pDlg, IDC_DS_SQL));
            EXPECT_STREQ("", Text(pDlg, IDC_DS_PASSWORD));
            EXPECT_TRUE(Visible(pDlg, IDC_DS_PASSWORD));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(-1, dlg.m_table.m_nRows);     // preset mode loads no database table
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(BrowDataSourceDialog, PresetOfAccessConnectionWithoutSemicolonCannotBeRead)
{
    CSourceDialog dlg;
    dlg.m_strDescription = "type=accessdb::conn=nothing::sqlstring={?SELECT * FROM T?}";
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Do([&](CWnd*)
        {
            ASSERT_EQ(1, m_boxes.GetCount());
            EXPECT_STREQ(g_szDamagedDataSource, Message(0));
            EXPECT_EQ((UINT)MB_ICONSTOP, m_boxes.GetCall(0).m_nType & MB_ICONMASK);
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

// ---------------------------------------------------------------------------
// Excel

TEST_F(BrowDataSourceDialog, ExcelBrowseListsSheetsAndRangesAndUsesVersion)
{
    const CString strBook = FixtureFile("fixtures/xls/workbook8.xls");
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Select(IDC_DS_TYPE, DATASOURCE_EXCEL)
        .Click(IDC_DS_BROWSE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_EQ((std::vector<std::string>{ "OneCell", "PriceList", "SpacedRange", "Empty$",
                "Numbers$", "Products$", "Sheet With Spaces$" }), ComboItems(pDlg, IDC_DS_TABLELIST));
            EXPECT_STREQ("SELECT * FROM [OneCell]", Text(pDlg, IDC_DS_SQL));
        })
        .SelectString(IDC_DS_TABLELIST, "Sheet With Spaces$")
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("SELECT * FROM [Sheet With Spaces$]", Text(pDlg, IDC_DS_SQL));
        })
        .Select(IDC_DS_EXCELVERSION, 3)
        .OK();
    m_script.OnFileDialog(strBook);
    ASSERT_EQ(IDOK, dlg.DoModal()) << (LPCSTR)Message(0);
    EXPECT_STREQ("MS Excel DB(.xls)|*.xls|", m_script.GetRecord(1).m_strFilter);

    const CString strFolder = strBook.Left(strBook.ReverseFind('\\'));
    EXPECT_STREQ("type=exceldb::conn=Driver={Microsoft Excel Driver (*.xls)};DriverId=22;Dbq=" +
        strBook + ";DefaultDir=" + strFolder + ";::sqlstring={?SELECT * FROM [Sheet With Spaces$]?}",
        dlg.m_strDescription);
    ASSERT_EQ(3, dlg.m_table.m_nRows);
    ASSERT_EQ(2, dlg.m_table.m_nColumns);
    EXPECT_EQ((Row{ "Code", "Value" }), RowOf(dlg.m_table.m_pRows, 2, 0));
    EXPECT_EQ((Row{ "b", "2" }), RowOf(dlg.m_table.m_pRows, 2, 2));
}

TEST_F(BrowDataSourceDialog, ReopeningOnExcelSelectsSheetAndVersion)
{
    const CString strBook = FixtureFile("fixtures/xls/workbook5.xls");
    CSourceDialog dlg;
    dlg.m_strDescription = BuildAdoDescription(DATASOURCE_EXCEL,
        BuildExcelConnection("DriverId=22", strBook), "SELECT * FROM [Second Sheet$]");
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("Microsoft Excel 2000(*.xls)", ComboText(pDlg, IDC_DS_TYPE));
            EXPECT_TRUE(Visible(pDlg, IDC_DS_EXCELVERSION));
            EXPECT_STREQ("Excel 5.0/7.0", ComboText(pDlg, IDC_DS_EXCELVERSION));
            EXPECT_STREQ(strBook, Text(pDlg, IDC_DS_FILENAME));
            EXPECT_STREQ("Second Sheet$", ComboText(pDlg, IDC_DS_TABLELIST));
            EXPECT_STREQ("SELECT * FROM [Second Sheet$]", Text(pDlg, IDC_DS_SQL));
        })
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal()) << (LPCSTR)Message(0);
    EXPECT_NE(-1, dlg.m_strDescription.Find(";DriverId=22;"));
    EXPECT_GE(dlg.m_table.m_nRows, 2);
}

// ---------------------------------------------------------------------------
// Text files

TEST_F(BrowDataSourceDialog, CsvFileWithColumnNames)
{
    const CString strFile = FixtureFile("data/fixtures/customers_windows.csv");
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Select(IDC_DS_TYPE, DATASOURCE_TEXT)
        .Click(IDC_DS_BROWSE)
        .Do([&](CWnd* pDlg) { EXPECT_STREQ(strFile, Text(pDlg, IDC_DS_FILENAME)); })
        .OK();
    m_script.OnFileDialog(strFile);
    ASSERT_EQ(IDOK, dlg.DoModal()) << (LPCSTR)Message(0);
    EXPECT_STREQ("Comma separated files(.csv)|*.csv; |Data Files(.dat)|*.dat; |Text files(.txt)|*.txt; "
                 "|All Files (*.*)|*.*|", m_script.GetRecord(1).m_strFilter);
    EXPECT_STREQ("type=delimitedtext::file=" + strFile + "::delimiter=,::hascolnames=yes",
        dlg.m_strDescription);
    ASSERT_EQ(6, dlg.m_table.m_nColumns);
    EXPECT_EQ("CustomerID", RowOf(dlg.m_table.m_pRows, 6, 0)[0]);
    EXPECT_EQ("Ana Trujillo Emparedados y helados, S.A.", RowOf(dlg.m_table.m_pRows, 6, 2)[1]);
    EXPECT_TRUE(dlg.m_bHasColNames);
}

TEST_F(BrowDataSourceDialog, TabSeparatedWithoutColumnNames)
{
    CTempDataFile file("list.tab", "A-1\tWidget\t12\r\nA-2\tGadget\t3\r\n");
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Select(IDC_DS_TYPE, DATASOURCE_TEXT)
        .SetText(IDC_DS_FILENAME, file.m_strPath)
        .Select(IDC_DS_DELIMITERLIST, 1)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("tab", Text(pDlg, IDC_DS_DELIMITER));
            EXPECT_FALSE(Enabled(pDlg, IDC_DS_DELIMITER));
        })
        .Check(IDC_DS_HASCOLNAMES, BST_UNCHECKED)
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal()) << (LPCSTR)Message(0);
    EXPECT_STREQ("type=delimitedtext::file=" + file.m_strPath + "::delimiter=tab::hascolnames=no",
        dlg.m_strDescription);
    ASSERT_EQ(3, dlg.m_table.m_nColumns);
    EXPECT_EQ((Row{ "Column 1", "Column 2", "Column 3" }), RowOf(dlg.m_table.m_pRows, 3, 0));
    EXPECT_EQ((Row{ "A-2", "Gadget", "3" }), RowOf(dlg.m_table.m_pRows, 3, 2));
}

TEST_F(BrowDataSourceDialog, OtherDelimiterIsTypedAndMustNotBeEmpty)
{
    CTempDataFile file("hash.txt", "a#b\r\n1#2\r\n");
    CSourceDialog dlg;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Select(IDC_DS_TYPE, DATASOURCE_TEXT)
        .SetText(IDC_DS_FILENAME, file.m_strPath)
        .Select(IDC_DS_DELIMITERLIST, 10)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("", Text(pDlg, IDC_DS_DELIMITER));
            EXPECT_TRUE(Enabled(pDlg, IDC_DS_DELIMITER));
        })
        .OK()
        .Do([&](CWnd*)
        {
            ASSERT_EQ(1, m_boxes.GetCount());
            EXPECT_STREQ("Please enter a delimiter.", Message(0));
        })
        .SetText(IDC_DS_DELIMITER, "#")
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_NE(-1, dlg.m_strDescription.Find("::delimiter=#::"));
    ASSERT_EQ(2, dlg.m_table.m_nColumns);
    EXPECT_EQ((Row{ "1", "2" }), RowOf(dlg.m_table.m_pRows, 2, 1));
}

// Reopening shows the stored delimiter and header setting; OK keeps them.
TEST_F(BrowDataSourceDialog, ReopeningOnTextShowsStoredDelimiterAndHeader)
{
    const CString strFile = FixtureFile("data/fixtures/prices_bom_semicolon.csv");
    const CString strStored = BuildTextDescription(strFile, ";", FALSE);
    CSourceDialog dlg;
    dlg.m_strDescription = strStored;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("Text Files(*.txt,*.csv,*.tab,*.*)", ComboText(pDlg, IDC_DS_TYPE));
            EXPECT_TRUE(Visible(pDlg, IDC_DS_DELIMITERLIST));
            EXPECT_STREQ(strFile, Text(pDlg, IDC_DS_FILENAME));
            EXPECT_STREQ("';' Separated", ComboText(pDlg, IDC_DS_DELIMITERLIST));
            EXPECT_STREQ(";", Text(pDlg, IDC_DS_DELIMITER));
            EXPECT_EQ(BST_UNCHECKED, pDlg->IsDlgButtonChecked(IDC_DS_HASCOLNAMES));
            // the file is loaded while the dialog opens
            EXPECT_EQ(5, dlg.m_table.m_nRows);
        })
        .OK();
    ASSERT_EQ(IDOK, dlg.DoModal()) << (LPCSTR)Message(0);
    EXPECT_STREQ(strStored, dlg.m_strDescription);
    ASSERT_EQ(3, dlg.m_table.m_nColumns);
    EXPECT_EQ((Row{ "Column 1", "Column 2", "Column 3" }), RowOf(dlg.m_table.m_pRows, 3, 0));
    EXPECT_EQ((Row{ "Tee", "2;00", "EUR" }), RowOf(dlg.m_table.m_pRows, 3, 3));
}

TEST_F(BrowDataSourceDialog, ColonAndOtherDelimitersRoundTrip)
{
    CTempDataFile file("colon.txt", "x:y\r\n1:2\r\n");
    CString strStored;
    {
        CSourceDialog dlg;
        m_script.OnDialog(IDD_BROWDATASOURCE)
            .Select(IDC_DS_TYPE, DATASOURCE_TEXT)
            .SetText(IDC_DS_FILENAME, file.m_strPath)
            .SelectString(IDC_DS_DELIMITERLIST, "':' Separated")
            .OK();
        ASSERT_EQ(IDOK, dlg.DoModal()) << (LPCSTR)Message(0);
        strStored = dlg.m_strDescription;
        ASSERT_EQ(2, dlg.m_table.m_nColumns);
        EXPECT_EQ((Row{ "x", "y" }), RowOf(dlg.m_table.m_pRows, 2, 0));
    }
    CSourceDialog again;
    again.m_strDescription = strStored;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("':' Separated", ComboText(pDlg, IDC_DS_DELIMITERLIST));
            EXPECT_EQ(BST_CHECKED, pDlg->IsDlgButtonChecked(IDC_DS_HASCOLNAMES));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, again.DoModal());

    // a delimiter without an entry shows as "Other delimiter"
    CSourceDialog other;
    other.m_strDescription = BuildTextDescription(file.m_strPath, "#", TRUE);
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Do([&](CWnd* pDlg)
        {
            EXPECT_STREQ("Other delimiter", ComboText(pDlg, IDC_DS_DELIMITERLIST));
            EXPECT_STREQ("#", Text(pDlg, IDC_DS_DELIMITER));
            EXPECT_TRUE(Enabled(pDlg, IDC_DS_DELIMITER));
        })
        .Cancel();
    EXPECT_EQ(IDCANCEL, other.DoModal());
}

// Cancel after the dialog loaded a text source while opening: the caller
// frees what the members hold, and takes nothing.
TEST_F(BrowDataSourceDialog, CancelLeavesTheCallersDescription)
{
    const CString strFile = FixtureFile("data/fixtures/customers_windows.csv");
    const CString strStored = BuildTextDescription(strFile, ",", TRUE);
    CSourceDialog dlg;
    dlg.m_strDescription = strStored;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Select(IDC_DS_TYPE, DATASOURCE_ACCESS)
        .SetText(IDC_DS_FILENAME, NwindPath())
        .Cancel();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ(strStored, dlg.m_strDescription);
    EXPECT_GT(dlg.m_table.m_nRows, 1);      // the table of the preset load, freed by the caller
}
