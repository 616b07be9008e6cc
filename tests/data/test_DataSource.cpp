// Tests of the data-source description, the connection strings and the split
// rule.

#include <gtest/gtest.h>

#include "DataSource.h"

#include <string>
#include <vector>

namespace
{
std::vector<std::string> Split(const char* text, const char* separator)
{
    std::vector<CString> parts;
    SplitAtSeparator(CString(text), separator, parts);
    std::vector<std::string> result;
    for (size_t i = 0; i < parts.size(); ++i)
        result.push_back(std::string(parts[i]));
    return result;
}

const char kAccessConn[] =
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\My Data\\nwind.mdb;"
    "Jet OLEDB:Database Password=;";
const char kExcelConn[] =
    "Driver={Microsoft Excel Driver (*.xls)};DriverId=790;Dbq=C:\\Sales 2004\\book.xls;"
    "DefaultDir=C:\\Sales 2004;";
}

// ---------------------------------------------------------------------------
// SplitAtSeparator

TEST(SplitAtSeparator, EmptyPiecesCount)
{
    typedef std::vector<std::string> Parts;
    EXPECT_EQ((Parts{ "" }), Split("", "::"));
    EXPECT_EQ((Parts{ "abc" }), Split("abc", "::"));
    EXPECT_EQ((Parts{ "a", "b" }), Split("a::b", "::"));
    EXPECT_EQ((Parts{ "", "" }), Split("::", "::"));
    EXPECT_EQ((Parts{ "a", "" }), Split("a::", "::"));
    EXPECT_EQ((Parts{ "a", "", "b" }), Split("a::::b", "::"));
    EXPECT_EQ((Parts{ "a", ":b" }), Split("a:::b", "::"));
    EXPECT_EQ((Parts{ "x", "y", "", "z" }), Split("x;y;;z", ";"));
    EXPECT_EQ((Parts{ "l1", "l2", "" }), Split("l1\r\nl2\r\n", "\r\n"));
}

// ---------------------------------------------------------------------------
// Descriptions: the three forms

TEST(DataSourceDescription, AccessBuiltAndParsed)
{
    const CString strDescription =
        BuildAdoDescription(DATASOURCE_ACCESS, kAccessConn, "SELECT * FROM Shippers");
    EXPECT_STREQ(
        "type=accessdb::conn=Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\My Data\\nwind.mdb;"
        "Jet OLEDB:Database Password=;::sqlstring={?SELECT * FROM Shippers?}",
        strDescription);

    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(strDescription, info));
    EXPECT_EQ(DATASOURCE_ACCESS, info.m_nType);
    EXPECT_STREQ(kAccessConn, info.m_strConnection);
    EXPECT_STREQ("SELECT * FROM Shippers", info.m_strSql);
}

TEST(DataSourceDescription, ExcelBuiltAndParsed)
{
    const CString strDescription =
        BuildAdoDescription(DATASOURCE_EXCEL, kExcelConn, "SELECT * FROM [Sheet1$]");
    EXPECT_STREQ(
        "type=exceldb::conn=Driver={Microsoft Excel Driver (*.xls)};DriverId=790;"
        "Dbq=C:\\Sales 2004\\book.xls;DefaultDir=C:\\Sales 2004;::sqlstring={?SELECT * FROM "
        "[Sheet1$]?}",
        strDescription);

    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(strDescription, info));
    EXPECT_EQ(DATASOURCE_EXCEL, info.m_nType);
    EXPECT_STREQ(kExcelConn, info.m_strConnection);
    EXPECT_STREQ("SELECT * FROM [Sheet1$]", info.m_strSql);
}

TEST(DataSourceDescription, TextBuiltAndParsed)
{
    const CString strDescription =
        BuildTextDescription("C:\\Documents and Settings\\me\\My Documents\\list 1.csv", "tab", TRUE);
    EXPECT_STREQ("type=delimitedtext::file=C:\\Documents and Settings\\me\\My Documents\\list 1.csv"
                 "::delimiter=tab::hascolnames=yes",
        strDescription);

    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(strDescription, info));
    EXPECT_EQ(DATASOURCE_TEXT, info.m_nType);
    EXPECT_STREQ("C:\\Documents and Settings\\me\\My Documents\\list 1.csv", info.m_strFile);
    EXPECT_STREQ("tab", info.m_strDelimiter);
    EXPECT_TRUE(info.m_bHasColNames);

    EXPECT_STREQ("type=delimitedtext::file=a.txt::delimiter=;::hascolnames=no",
        BuildTextDescription("a.txt", ";", FALSE));
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(BuildTextDescription("a.txt", ";", FALSE), info));
    EXPECT_STREQ(";", info.m_strDelimiter);
    EXPECT_FALSE(info.m_bHasColNames);
}

TEST(DataSourceDescription, ColumnNamesFlagIsExact)
{
    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(
        "type=delimitedtext::file=a.csv::delimiter=,::HASCOLNAMES=YES", info));
    EXPECT_FALSE(info.m_bHasColNames);
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(
        "type=delimitedtext::file=a.csv::delimiter=,::hascolnames=yes ", info));
    EXPECT_FALSE(info.m_bHasColNames);
}

TEST(DataSourceDescription, PartsAreReadByPositionNotByKey)
{
    // Key words are never compared, only cut off by length.
    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(
        "type=accessdb::XXXX=my conn::sqlstring={?SELECT a FROM b?}", info));
    EXPECT_STREQ("my conn", info.m_strConnection);
    EXPECT_STREQ("SELECT a FROM b", info.m_strSql);

    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription("type=exceldb::conn=::s", info));
    EXPECT_STREQ("", info.m_strConnection);
    EXPECT_STREQ("", info.m_strSql);
}

TEST(DataSourceDescription, UnknownTypeAndTooFewParts)
{
    CDataSourceInfo info;
    EXPECT_EQ(DSPARSE_UNKNOWN_TYPE, ParseDataSourceDescription("type=oracle::conn=x::y", info));
    EXPECT_EQ(DSPARSE_UNKNOWN_TYPE, ParseDataSourceDescription("TYPE=accessdb::conn=x::y", info));
    EXPECT_EQ(DSPARSE_UNKNOWN_TYPE, ParseDataSourceDescription("", info));
    EXPECT_EQ(DSPARSE_TOO_FEW_PARTS, ParseDataSourceDescription(
        "type=exceldb::conn=Driver={x};Dbq=a.xls;", info));
    EXPECT_EQ(DSPARSE_TOO_FEW_PARTS, ParseDataSourceDescription(
        "type=delimitedtext::file=a.csv::delimiter=,", info));
}

TEST(DataSourceDescription, ColonDelimiterReadsBack)
{
    const CString strDescription = BuildTextDescription("C:\\data\\a.txt", ":", TRUE);
    EXPECT_STREQ("type=delimitedtext::file=C:\\data\\a.txt::delimiter=:::hascolnames=yes",
        strDescription);
    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(strDescription, info));
    EXPECT_STREQ(":", info.m_strDelimiter);
    EXPECT_TRUE(info.m_bHasColNames);
    EXPECT_STREQ("C:\\data\\a.txt", info.m_strFile);

    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(BuildTextDescription("b.txt", ":", FALSE), info));
    EXPECT_STREQ(":", info.m_strDelimiter);
    EXPECT_FALSE(info.m_bHasColNames);
}

// ---------------------------------------------------------------------------
// Version-200 descriptions

TEST(DataSourceVersion200, TextFormSeparatedBySemicolons)
{
    EXPECT_STREQ("type=delimitedtext::file=C:\\My Files\\x.csv::delimiter=,::hascolnames=yes",
        DataSourceFromVersion200("type=delimitedtext;file=C:\\My Files\\x.csv;delimiter=,;hascolnames=yes"));
    // A ";" delimiter and a ";" in the path survive.
    const CString strConverted =
        DataSourceFromVersion200("type=delimitedtext;file=C:\\a;b\\x.csv;delimiter=;;hascolnames=no");
    EXPECT_STREQ("type=delimitedtext::file=C:\\a;b\\x.csv::delimiter=;::hascolnames=no", strConverted);
    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(strConverted, info));
    EXPECT_STREQ("C:\\a;b\\x.csv", info.m_strFile);
    EXPECT_STREQ(";", info.m_strDelimiter);
}

TEST(DataSourceVersion200, AdoFormKeepsConnectionSemicolons)
{
    const CString strStored = CString("type=accessdb;conn=") + kAccessConn +
        ";sqlstring={?SELECT * FROM [Order Details]?}";
    const CString strConverted = DataSourceFromVersion200(strStored);
    EXPECT_STREQ(BuildAdoDescription(DATASOURCE_ACCESS, kAccessConn,
        "SELECT * FROM [Order Details]"), strConverted);
    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(strConverted, info));
    EXPECT_STREQ(kAccessConn, info.m_strConnection);
    EXPECT_STREQ("SELECT * FROM [Order Details]", info.m_strSql);

    const CString strExcel = CString("type=exceldb;conn=") + kExcelConn + ";sqlstring={?SELECT * FROM [S$]?}";
    EXPECT_STREQ(BuildAdoDescription(DATASOURCE_EXCEL, kExcelConn, "SELECT * FROM [S$]"),
        DataSourceFromVersion200(strExcel));
}

TEST(DataSourceVersion200, OtherTextsAsStoredOrReplaced)
{
    const CString strCurrent = BuildTextDescription("a.csv", ";", TRUE);
    EXPECT_STREQ(strCurrent, DataSourceFromVersion200(strCurrent));
    EXPECT_STREQ("x::y::z", DataSourceFromVersion200("x;y;z"));
    EXPECT_STREQ("", DataSourceFromVersion200(""));
}

// ---------------------------------------------------------------------------
// Connection strings

TEST(ConnectionString, AccessWithAndWithoutPassword)
{
    EXPECT_STREQ("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\db\\a b.mdb;"
                 "Jet OLEDB:Database Password=;",
        BuildAccessConnection("C:\\db\\a b.mdb", ""));
    EXPECT_STREQ("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb;"
                 "Jet OLEDB:Database Password=secret;",
        BuildAccessConnection("x.mdb", "secret"));
}

TEST(ConnectionString, ExcelFolderIsPathUpToLastBackslash)
{
    EXPECT_STREQ(kExcelConn, BuildExcelConnection("DriverId=790", "C:\\Sales 2004\\book.xls"));
    EXPECT_STREQ("Driver={Microsoft Excel Driver (*.xls)};DriverId=22;Dbq=book.xls;DefaultDir=;",
        BuildExcelConnection("DriverId=22", "book.xls"));
    EXPECT_STREQ("Driver={Microsoft Excel Driver (*.xls)};DriverId=278;Dbq=\\b.xls;DefaultDir=;",
        BuildExcelConnection("DriverId=278", "\\b.xls"));
}

TEST(ConnectionString, FileNameOfStoredConnection)
{
    CString strFile;
    ASSERT_TRUE(GetConnectionFileName(DATASOURCE_ACCESS, kAccessConn, strFile));
    EXPECT_STREQ("C:\\My Data\\nwind.mdb", strFile);
    ASSERT_TRUE(GetConnectionFileName(DATASOURCE_EXCEL, kExcelConn, strFile));
    EXPECT_STREQ("C:\\Sales 2004\\book.xls", strFile);

    EXPECT_FALSE(GetConnectionFileName(DATASOURCE_ACCESS, "Provider=x", strFile));
    EXPECT_FALSE(GetConnectionFileName(DATASOURCE_EXCEL, "Driver=x;DriverId=1", strFile));
}

TEST(ConnectionString, DelimiterText)
{
    EXPECT_EQ('\t', DelimiterFromText("tab"));
    EXPECT_EQ(',', DelimiterFromText(","));
    EXPECT_EQ('t', DelimiterFromText("t"));
    EXPECT_EQ('T', DelimiterFromText("TAB"));
    EXPECT_EQ('\0', DelimiterFromText(""));
}
