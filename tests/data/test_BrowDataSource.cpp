// Tests of the description loader of CBrowDataSource: text and Access
// sources, the preset mode, and what the user is told when a load fails.

#include <gtest/gtest.h>
#include "test_support.h"

#include "BrowDataSource.h"
#include "DataTestUtil.h"

#include <afxwin.h>

namespace
{
const char kFile[] = "Name,City\r\nAnn,Rome\r\nBob,\"Oslo, Norway\"\r\n";

// The shared Access database as a Windows path.
CString NwindPath()
{
    CString strPath(TESTDATA_DIR "/access/nwind.mdb");
    strPath.Replace('/', '\\');
    return strPath;
}

CString NwindDescription(const char* pszSql)
{
    return BuildAdoDescription(DATASOURCE_ACCESS, BuildAccessConnection(NwindPath(), ""), pszSql);
}

// Message boxes are recorded in every test, so none can block the run.
class BrowDataSourceTest : public ::testing::Test
{
protected:
    CString FirstMessage() const
    {
        return m_boxes.GetCount() > 0 ? m_boxes.GetCall(0).m_strText : CString();
    }

    CMessageBoxRecorder m_boxes;
};

class BrowDataSourceText : public BrowDataSourceTest
{
};
class BrowDataSourceErrors : public BrowDataSourceTest
{
};
class BrowDataSourcePreset : public BrowDataSourceTest
{
};
class BrowDataSourceAdo : public BrowDataSourceTest
{
};

// Records what preset mode would show in the dialog.
class CPresetRecorder : public CBrowDataSource
{
public:
    CPresetRecorder() : m_nPresets(0) {}

    int m_nPresets;
    CDataSourceInfo m_info;
    CString m_strFileName;

protected:
    void PresetControls(const CDataSourceInfo& info, const CString& strFileName) override
    {
        ++m_nPresets;
        m_info = info;
        m_strFileName = strFileName;
    }
};
}

// ---------------------------------------------------------------------------
// Text sources

TEST_F(BrowDataSourceText, LoadsDescribedFileFromFolderWithBlanks)
{
    CTempTextFile file(kFile, "my list.csv");
    CBrowDataSource source;
    EXPECT_EQ(-1, source.m_table.m_nRows);
    ASSERT_TRUE(source.LoadDataSource(BuildTextDescription(file.Path(), ",", TRUE), FALSE));
    EXPECT_EQ(0, m_boxes.GetCount());
    ASSERT_EQ(3, source.m_table.m_nRows);
    ASSERT_EQ(2, source.m_table.m_nColumns);
    EXPECT_TRUE(source.m_bHasColNames);
    EXPECT_EQ((Row{ "Name", "City" }), RowOf(source.m_table.m_pRows, 2, 0));
    EXPECT_EQ((Row{ "Bob", "Oslo, Norway" }), RowOf(source.m_table.m_pRows, 2, 2));
}

TEST_F(BrowDataSourceText, ColumnNamesFlagComparedExactly)
{
    CTempTextFile file(kFile);
    CBrowDataSource source;
    ASSERT_TRUE(source.LoadDataSource(
        CString("type=delimitedtext::file=") + file.Path() + "::delimiter=,::hascolnames=YES", FALSE));
    EXPECT_FALSE(source.m_bHasColNames);
    ASSERT_EQ(4, source.m_table.m_nRows);
    EXPECT_EQ((Row{ "Column 1", "Column 2" }), RowOf(source.m_table.m_pRows, 2, 0));
    EXPECT_EQ((Row{ "Name", "City" }), RowOf(source.m_table.m_pRows, 2, 1));
}

TEST_F(BrowDataSourceText, TabAndColonDelimiters)
{
    CTempTextFile tabFile("a\tb\r\n1\t2\r\n");
    CTempTextFile colonFile("a:b:c\r\n1::3\r\n");
    CBrowDataSource source;
    ASSERT_TRUE(source.LoadDataSource(BuildTextDescription(tabFile.Path(), "tab", TRUE), FALSE));
    EXPECT_EQ((Row{ "1", "2" }), RowOf(source.m_table.m_pRows, source.m_table.m_nColumns, 1));

    ASSERT_TRUE(source.LoadDataSource(BuildTextDescription(colonFile.Path(), ":", TRUE), FALSE));
    ASSERT_EQ(3, source.m_table.m_nColumns);
    EXPECT_EQ((Row{ "1", "", "3" }), RowOf(source.m_table.m_pRows, 3, 1));
}

TEST_F(BrowDataSourceText, Version200DescriptionLoads)
{
    CTempTextFile file("x;y\r\n1;2\r\n");
    CBrowDataSource source;
    const CString strStored =
        CString("type=delimitedtext;file=") + file.Path() + ";delimiter=;;hascolnames=yes";
    ASSERT_TRUE(source.LoadDataSource(DataSourceFromVersion200(strStored), FALSE));
    ASSERT_EQ(2, source.m_table.m_nColumns);
    EXPECT_EQ((Row{ "1", "2" }), RowOf(source.m_table.m_pRows, 2, 1));
}

TEST_F(BrowDataSourceText, MissingFileIsReportedAndTableKept)
{
    CTempTextFile file(kFile);
    CBrowDataSource source;
    ASSERT_TRUE(source.LoadDataSource(BuildTextDescription(file.Path(), ",", TRUE), FALSE));

    EXPECT_FALSE(source.LoadDataSource(BuildTextDescription("C:\\nowhere\\gone.csv", ",", FALSE), FALSE));
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("The linked data source file: \n'C:\\nowhere\\gone.csv' \ncould not be opened. \n"
                 "If it is opened by another application, please close it.",
        m_boxes.GetCall(0).m_strText);
    EXPECT_EQ(static_cast<UINT>(MB_OK), m_boxes.GetCall(0).m_nType);
    EXPECT_TRUE(source.m_bHasColNames);
    ASSERT_EQ(3, source.m_table.m_nRows);
    EXPECT_EQ((Row{ "Ann", "Rome" }), RowOf(source.m_table.m_pRows, 2, 1));
}

TEST_F(BrowDataSourceText, EmptyPathFailsSilently)
{
    CBrowDataSource source;
    EXPECT_FALSE(source.LoadDataSource("type=delimitedtext::file=::delimiter=,::hascolnames=yes", FALSE));
    EXPECT_EQ(0, m_boxes.GetCount());
    EXPECT_EQ(-1, source.m_table.m_nRows);
}

// ---------------------------------------------------------------------------
// Descriptions that cannot be loaded

TEST_F(BrowDataSourceErrors, UnknownTypeIsAnError)
{
    CTempTextFile file(kFile);
    CBrowDataSource source;
    ASSERT_TRUE(source.LoadDataSource(BuildTextDescription(file.Path(), ",", TRUE), FALSE));
    CString** pRows = source.m_table.m_pRows;

    EXPECT_FALSE(source.LoadDataSource("type=paradox::file=x.db", FALSE));
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("unknown data source type", m_boxes.GetCall(0).m_strText);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), m_boxes.GetCall(0).m_nType & MB_ICONMASK);
    EXPECT_EQ(pRows, source.m_table.m_pRows);
    EXPECT_EQ(3, source.m_table.m_nRows);
}

TEST_F(BrowDataSourceErrors, TooFewPartsSayTheSourceCannotBeRead)
{
    CBrowDataSource source;
    EXPECT_FALSE(source.LoadDataSource(
        "type=exceldb::conn=Driver={Microsoft Excel Driver (*.xls)};DriverId=790;Dbq=a.xls;", FALSE));
    EXPECT_FALSE(source.LoadDataSource("type=delimitedtext::file=a.csv::delimiter=,", FALSE));
    ASSERT_EQ(2, m_boxes.GetCount());
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_STREQ(g_szDamagedDataSource, m_boxes.GetCall(i).m_strText);
        EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), m_boxes.GetCall(i).m_nType & MB_ICONMASK);
    }
    EXPECT_EQ(-1, source.m_table.m_nRows);
    EXPECT_EQ(NULL, source.m_table.m_pRows);
}

// ---------------------------------------------------------------------------
// Preset mode

TEST_F(BrowDataSourcePreset, TextSourceIsShownAndLoaded)
{
    CTempTextFile file(kFile);
    CPresetRecorder source;
    ASSERT_TRUE(source.LoadDataSource(BuildTextDescription(file.Path(), ";", FALSE), TRUE));
    EXPECT_EQ(1, source.m_nPresets);
    EXPECT_EQ(DATASOURCE_TEXT, source.m_info.m_nType);
    EXPECT_STREQ(file.Path(), source.m_strFileName);
    EXPECT_STREQ(";", source.m_info.m_strDelimiter);
    EXPECT_EQ(4, source.m_table.m_nRows);
}

TEST_F(BrowDataSourcePreset, AccessSourceIsShownNotLoaded)
{
    CPresetRecorder source;
    const CString strConnection = BuildAccessConnection("C:\\My Data\\sales.mdb", "pw");
    ASSERT_TRUE(source.LoadDataSource(
        BuildAdoDescription(DATASOURCE_ACCESS, strConnection, "SELECT * FROM Orders"), TRUE));
    EXPECT_EQ(1, source.m_nPresets);
    EXPECT_STREQ("C:\\My Data\\sales.mdb", source.m_strFileName);
    EXPECT_STREQ("SELECT * FROM Orders", source.m_info.m_strSql);
    EXPECT_STREQ(strConnection, source.m_strConnection);
    EXPECT_EQ(-1, source.m_table.m_nRows);
}

TEST_F(BrowDataSourcePreset, ConnectionWithoutSemicolonSaysTheSourceCannotBeRead)
{
    CPresetRecorder source;
    EXPECT_FALSE(source.LoadDataSource(
        "type=accessdb::conn=Provider=Microsoft.Jet.OLEDB.4.0::sqlstring={?SELECT * FROM T?}", TRUE));
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ(g_szDamagedDataSource, m_boxes.GetCall(0).m_strText);
    EXPECT_EQ(0, source.m_nPresets);
}

// ---------------------------------------------------------------------------
// Access sources

TEST_F(BrowDataSourceAdo, LoadsTableWithNamesRow)
{
    CBrowDataSource source;
    ASSERT_TRUE(source.LoadDataSource(NwindDescription("SELECT * FROM Shippers"), FALSE))
        << (LPCSTR)FirstMessage();
    ASSERT_EQ(4, source.m_table.m_nRows);
    ASSERT_EQ(3, source.m_table.m_nColumns);
    EXPECT_EQ((Row{ "ShipperID", "CompanyName", "Phone" }), RowOf(source.m_table.m_pRows, 3, 0));
    EXPECT_EQ((Row{ "1", "Speedy Express", "(503) 555-9831" }), RowOf(source.m_table.m_pRows, 3, 1));
    EXPECT_EQ((Row{ "3", "Federal Shipping", "(503) 555-9931" }), RowOf(source.m_table.m_pRows, 3, 3));
}

TEST_F(BrowDataSourceAdo, NoRecordsGivesNamesOnly)
{
    CBrowDataSource source;
    ASSERT_TRUE(source.LoadDataSource(
        NwindDescription("SELECT * FROM Shippers WHERE ShipperID = 99"), FALSE));
    EXPECT_EQ(1, source.m_table.m_nRows);
    ASSERT_EQ(3, source.m_table.m_nColumns);
    EXPECT_EQ((Row{ "ShipperID", "CompanyName", "Phone" }), RowOf(source.m_table.m_pRows, 3, 0));
}

TEST_F(BrowDataSourceAdo, WrongTableShowsQueryError)
{
    CBrowDataSource source;
    EXPECT_FALSE(source.LoadDataSource(NwindDescription("SELECT * FROM NoSuchTable"), FALSE));
    ASSERT_EQ(1, m_boxes.GetCount());
    const CString strText = m_boxes.GetCall(0).m_strText;
    EXPECT_EQ(0, strText.Find("Query = SELECT * FROM NoSuchTable\nCADORecordset Error")) << strText;
    EXPECT_EQ(0u, m_boxes.GetCall(0).m_nType & MB_ICONMASK);
    EXPECT_EQ(-1, source.m_table.m_nRows);
}

TEST_F(BrowDataSourceAdo, MissingDatabaseShowsConnectionError)
{
    CBrowDataSource source;
    EXPECT_FALSE(source.LoadDataSource(BuildAdoDescription(DATASOURCE_ACCESS,
        BuildAccessConnection("C:\\nowhere\\none.mdb", ""), "SELECT * FROM T"), FALSE));
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ(0, m_boxes.GetCall(0).m_strText.Find("CADODataBase Error")) << m_boxes.GetCall(0).m_strText;
    EXPECT_EQ(-1, source.m_table.m_nRows);
}

TEST_F(BrowDataSourceAdo, Version200DescriptionLoads)
{
    const CString strStored = "type=accessdb;conn=" + BuildAccessConnection(NwindPath(), "") +
        ";sqlstring={?SELECT CompanyName FROM Shippers ORDER BY CompanyName DESC?}";
    CBrowDataSource source;
    ASSERT_TRUE(source.LoadDataSource(DataSourceFromVersion200(strStored), FALSE))
        << (LPCSTR)FirstMessage();
    ASSERT_EQ(4, source.m_table.m_nRows);
    ASSERT_EQ(1, source.m_table.m_nColumns);
    EXPECT_EQ((Row{ "United Package" }), RowOf(source.m_table.m_pRows, 1, 1));
}

TEST_F(BrowDataSourceAdo, SecondLoadReplacesTable)
{
    CTempTextFile file(kFile);
    CBrowDataSource source;
    ASSERT_TRUE(source.LoadDataSource(BuildTextDescription(file.Path(), ",", TRUE), FALSE));
    ASSERT_TRUE(source.LoadDataSource(NwindDescription("SELECT Phone FROM Shippers"), FALSE))
        << (LPCSTR)FirstMessage();
    ASSERT_EQ(4, source.m_table.m_nRows);
    ASSERT_EQ(1, source.m_table.m_nColumns);
    EXPECT_EQ((Row{ "Phone" }), RowOf(source.m_table.m_pRows, 1, 0));
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(BrowDataSourceAdo, ExcelSheetLoads)
{
    CString strPath(FixturePath("guests.xls").c_str());
    strPath.Replace('/', '\\');
    CBrowDataSource source;
    ASSERT_TRUE(source.LoadDataSource(BuildAdoDescription(DATASOURCE_EXCEL,
        BuildExcelConnection("DriverId=790", strPath), "SELECT * FROM [Guests$]"), FALSE))
        << (LPCSTR)FirstMessage();
    ASSERT_EQ(3, source.m_table.m_nRows);
    ASSERT_EQ(3, source.m_table.m_nColumns);
    EXPECT_EQ((Row{ "Name", "Table", "City" }), RowOf(source.m_table.m_pRows, 3, 0));
    EXPECT_EQ((Row{ "Bob Roe", "12", "Rome, Italy" }), RowOf(source.m_table.m_pRows, 3, 2));
}
