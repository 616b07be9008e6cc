// Tests of LoadDataTable: loading without any window or message, the status
// of each failure and its message text, and stored statements of tables
// whose names need brackets.

#include <gtest/gtest.h>
#include "test_support.h"

#include "DataSourceLoader.h"
#include "PasswordProtect.h"
#include "DataTestUtil.h"

#include <afxwin.h>

namespace
{
CString NwindPath()
{
    CString strPath(TESTDATA_DIR "/access/nwind.mdb");
    strPath.Replace('/', '\\');
    return strPath;
}

CDataSourceInfo AccessInfo(const CString& strPath, const char* pszSql)
{
    CDataSourceInfo info;
    info.m_nType = DATASOURCE_ACCESS;
    info.m_strConnection = BuildAccessConnection(strPath, "");
    info.m_strSql = pszSql;
    return info;
}

CDataSourceInfo TextInfo(const CString& strPath, const char* pszDelimiter, BOOL bHasColNames)
{
    CDataSourceInfo info;
    info.m_nType = DATASOURCE_TEXT;
    info.m_strFile = strPath;
    info.m_strDelimiter = pszDelimiter;
    info.m_bHasColNames = bHasColNames;
    return info;
}

// Every test records message boxes: the loader must show none.
class DataSourceLoader : public ::testing::Test
{
protected:
    void TearDown() override { EXPECT_EQ(0, m_boxes.GetCount()); }

    CMessageBoxRecorder m_boxes;
};
}

TEST_F(DataSourceLoader, TextFileFillsTheTable)
{
    CTempTextFile file("Name;City\r\nAnn;Rome\r\n");
    CDataTable table;
    const CDataLoadResult result = LoadDataTable(TextInfo(file.Path(), ";", TRUE), table);
    ASSERT_EQ(DATALOAD_OK, result.m_nStatus);
    ASSERT_EQ(2, table.m_nRows);
    EXPECT_EQ((Row{ "Name", "City" }), RowOf(table, 0));
    EXPECT_EQ((Row{ "Ann", "Rome" }), RowOf(table, 1));
}

TEST_F(DataSourceLoader, FailuresKeepTheTableAndSayWhy)
{
    CTempTextFile file("a,b\r\n1,2\r\n");
    CDataTable table;
    ASSERT_TRUE(LoadDataTable(TextInfo(file.Path(), ",", TRUE), table).Succeeded());
    CString** pRows = table.m_pRows;

    CString strText;
    UINT nType = 0;
    const CDataLoadResult missing = LoadDataTable(TextInfo("C:\\nowhere\\gone.csv", ",", TRUE), table);
    EXPECT_EQ(DATALOAD_CANNOT_OPEN_FILE, missing.m_nStatus);
    ASSERT_TRUE(GetDataLoadMessage(missing, strText, nType));
    EXPECT_STREQ("The linked data source file: \n'C:\\nowhere\\gone.csv' \ncould not be opened. \n"
                 "If it is opened by another application, please close it.", strText);
    EXPECT_EQ(static_cast<UINT>(MB_OK), nType);

    const CDataLoadResult noFile = LoadDataTable(TextInfo("", ",", TRUE), table);
    EXPECT_EQ(DATALOAD_NO_FILE, noFile.m_nStatus);
    EXPECT_FALSE(GetDataLoadMessage(noFile, strText, nType));

    const CDataLoadResult noDatabase =
        LoadDataTable(AccessInfo("C:\\nowhere\\gone.mdb", "SELECT * FROM Shippers"), table);
    EXPECT_EQ(DATALOAD_CONNECT_FAILED, noDatabase.m_nStatus);
    ASSERT_TRUE(GetDataLoadMessage(noDatabase, strText, nType));
    EXPECT_EQ(0, strText.Find("CADODataBase Error")) << (LPCSTR)strText;

    CDataSourceInfo unknown;
    const CDataLoadResult unexpected = LoadDataTable(unknown, table);
    EXPECT_EQ(DATALOAD_UNEXPECTED, unexpected.m_nStatus);
    ASSERT_TRUE(GetDataLoadMessage(unexpected, strText, nType));
    EXPECT_STREQ("Unexpected Error occurred... \nPlease close and re-open the application and try again!",
                 strText);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), nType);

    EXPECT_EQ(pRows, table.m_pRows);
    EXPECT_EQ(2, table.m_nRows);
}

TEST_F(DataSourceLoader, QueryErrorIsTheProvidersText)
{
    CDataTable table;
    const CDataLoadResult result = LoadDataTable(AccessInfo(NwindPath(), "SELECT * FROM NoSuchTable"), table);
    EXPECT_EQ(DATALOAD_QUERY_FAILED, result.m_nStatus);
    EXPECT_FALSE(result.m_strDetail.IsEmpty());
    EXPECT_EQ(-1, table.m_nRows);
}

TEST_F(DataSourceLoader, StoredStatementOfTableWithBlankIsBracketed)
{
    CDataTable table;
    const CDataLoadResult result =
        LoadDataTable(AccessInfo(NwindPath(), "select * from order details"), table);
    ASSERT_EQ(DATALOAD_OK, result.m_nStatus) << (LPCSTR)result.m_strDetail;
    ASSERT_GE(table.m_nColumns, 1);
    EXPECT_STREQ("OrderID", table.m_pRows[0][0]);
    EXPECT_GT(table.m_nRows, 1);
}

TEST_F(DataSourceLoader, ParseMessagesAreTheKnownTexts)
{
    CString strText;
    UINT nType = 0;
    EXPECT_FALSE(GetDataParseMessage(DSPARSE_OK, strText, nType));
    ASSERT_TRUE(GetDataParseMessage(DSPARSE_UNKNOWN_TYPE, strText, nType));
    EXPECT_STREQ("unknown data source type", strText);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), nType);
    ASSERT_TRUE(GetDataParseMessage(DSPARSE_TOO_FEW_PARTS, strText, nType));
    EXPECT_STREQ("The publication's data source could not be read: its description is damaged or "
                 "incomplete.", strText);
}

TEST(DataTableHandOff, TakeMovesTheRowsAndFreesTheOldOnes)
{
    CTempTextFile first("a\r\n1\r\n");
    CTempTextFile second("x,y\r\n1,2\r\n3,4\r\n");
    CDataTable held, loaded;
    ASSERT_TRUE(LoadDataTable(TextInfo(first.Path(), ",", TRUE), held).Succeeded());
    ASSERT_TRUE(LoadDataTable(TextInfo(second.Path(), ",", TRUE), loaded).Succeeded());
    CString** pRows = loaded.m_pRows;
    held.Take(loaded);
    EXPECT_EQ(pRows, held.m_pRows);
    EXPECT_EQ(3, held.m_nRows);
    EXPECT_EQ(2, held.m_nColumns);
    EXPECT_EQ(NULL, loaded.m_pRows);
    EXPECT_EQ(-1, loaded.m_nRows);
    held.Take(held);
    EXPECT_EQ(pRows, held.m_pRows);
}

TEST_F(DataSourceLoader, StoredDescriptionIsParsedWithItsPasswordRevealed)
{
    const CString strConnection = BuildAccessConnection("C:\\Data\\club.mdb", "Secret");
    const CString strStored = BuildAdoDescription(DATASOURCE_ACCESS,
        ProtectConnectionPassword(strConnection), "SELECT * FROM Members");
    ASSERT_EQ(-1, strStored.Find("Secret"));

    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseStoredDataSource(strStored, info));
    EXPECT_EQ(DATASOURCE_ACCESS, info.m_nType);
    EXPECT_STREQ("Secret", GetConnectionPassword(info.m_strConnection));
    EXPECT_STREQ("SELECT * FROM Members", info.m_strSql);

    CDataSourceInfo unknown;
    EXPECT_EQ(DSPARSE_UNKNOWN_TYPE, ParseStoredDataSource("type=paradox::file=x.db", unknown));
}
