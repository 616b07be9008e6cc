// Tests of the delimited-text table builder: line ends, column names, the
// column count, value cutting and real-world files.

#include <gtest/gtest.h>

#include "DataTestUtil.h"
#include "LineTokenizer.h"
#include "TextData.h"

namespace
{
// Builds a table from text in memory as the file loader does.
void Build(const std::string& text, const char* pszDelimiter, BOOL bHasColNames, CDataTable& table)
{
    char controls[TOKCTL_SIZE];
    InitTokenControls(controls);
    SetTokenDelimiter(controls, DelimiterFromText(pszDelimiter));
    BuildDelimitedTable(text.data(), text.size(), controls, bHasColNames, table);
}

const char kNamesFile[] = "N,C\r\nAnn,1\r\nBob,2\r\n";
}

// ---------------------------------------------------------------------------
// Rows and names

TEST(TextTable, WithColumnNames)
{
    CDataTable table;
    Build(kNamesFile, ",", TRUE, table);
    ASSERT_EQ(3, table.m_nRows);   // the line break after the last record adds no record
    ASSERT_EQ(2, table.m_nColumns);
    EXPECT_EQ((Row{ "N", "C" }), RowOf(table, 0));
    EXPECT_EQ((Row{ "Ann", "1" }), RowOf(table, 1));
    EXPECT_EQ((Row{ "Bob", "2" }), RowOf(table, 2));
}

TEST(TextTable, WithoutColumnNames)
{
    CDataTable table;
    Build(kNamesFile, ",", FALSE, table);
    ASSERT_EQ(4, table.m_nRows);
    ASSERT_EQ(2, table.m_nColumns);
    EXPECT_EQ((Row{ "Column 1", "Column 2" }), RowOf(table, 0));
    EXPECT_EQ((Row{ "N", "C" }), RowOf(table, 1));
    EXPECT_EQ((Row{ "Bob", "2" }), RowOf(table, 3));
}

TEST(TextTable, EveryKindOfLineEnd)
{
    const char* texts[] = { "N,C\r\nAnn,1\r\nBob,2", "N,C\nAnn,1\nBob,2\n", "N,C\rAnn,1\rBob,2\r",
        "N,C\r\nAnn,1\nBob,2\r" };
    for (int i = 0; i < 4; ++i)
    {
        CDataTable table;
        Build(texts[i], ",", TRUE, table);
        ASSERT_EQ(3, table.m_nRows) << "text " << i;
        EXPECT_EQ((Row{ "Ann", "1" }), RowOf(table, 1)) << "text " << i;
        EXPECT_EQ((Row{ "Bob", "2" }), RowOf(table, 2)) << "text " << i;
    }
}

TEST(TextTable, OnlyOneTrailingEmptyLineIsDropped)
{
    CDataTable table;
    Build("N,C\r\nAnn,1\r\n\r\n", ",", TRUE, table);
    ASSERT_EQ(3, table.m_nRows);
    EXPECT_EQ((Row{ "", "" }), RowOf(table, 2));
}

TEST(TextTable, ByteOrderMarkIsNotPartOfTheFirstName)
{
    CDataTable table;
    Build("\xEF\xBB\xBFName,City\r\nAnn,Rome\r\n", ",", TRUE, table);
    ASSERT_EQ(2, table.m_nColumns);
    EXPECT_EQ((Row{ "Name", "City" }), RowOf(table, 0));

    Build("\xEF\xBB\xBF\"Quoted Name\",City\r\n", ",", TRUE, table);
    EXPECT_EQ((Row{ "Quoted Name", "City" }), RowOf(table, 0));
}

TEST(TextTable, EmptyFieldsKeepTheirColumns)
{
    CDataTable table;
    Build("Name,Middle,City\r\nAnn,,Boston\r\n,,\r\nBob,X,\r\n", ",", TRUE, table);
    ASSERT_EQ(3, table.m_nColumns);
    ASSERT_EQ(4, table.m_nRows);
    EXPECT_EQ((Row{ "Ann", "", "Boston" }), RowOf(table, 1));
    EXPECT_EQ((Row{ "", "", "" }), RowOf(table, 2));
    EXPECT_EQ((Row{ "Bob", "X", "" }), RowOf(table, 3));
}

TEST(TextTable, QuotedValuesOverSeveralLines)
{
    CDataTable table;
    Build("Name,Address\r\n\"Lee, Ann\",\"1 Main St\r\nApt \"\"B\"\"\"\r\nBob,2 Elm\r\n", ",", TRUE,
        table);
    ASSERT_EQ(3, table.m_nRows);
    EXPECT_EQ((Row{ "Lee, Ann", "1 Main St\r\nApt \"B\"" }), RowOf(table, 1));
    EXPECT_EQ((Row{ "Bob", "2 Elm" }), RowOf(table, 2));
}

// ---------------------------------------------------------------------------
// Column count

TEST(TextTable, FirstNonBlankLineDecidesColumns)
{
    CDataTable table;
    Build("a,b\r\n1,2,3,4\r\n5\r\n", ",", FALSE, table);
    ASSERT_EQ(2, table.m_nColumns);
    EXPECT_EQ((Row{ "1", "2" }), RowOf(table, 2));  // extra fields dropped
    EXPECT_EQ((Row{ "5", "" }), RowOf(table, 3));   // missing fields empty
}

TEST(TextTable, LeadingBlankLinesAreRecordsButDoNotCount)
{
    CDataTable table;
    Build("\r\n  \r\nx,y,z\r\n1,2,3\r\n", ",", FALSE, table);
    ASSERT_EQ(3, table.m_nColumns);
    ASSERT_EQ(5, table.m_nRows);
    EXPECT_EQ((Row{ "", "", "" }), RowOf(table, 1));
    EXPECT_EQ((Row{ "  ", "", "" }), RowOf(table, 2));
    EXPECT_EQ((Row{ "x", "y", "z" }), RowOf(table, 3));
}

TEST(TextTable, BlankHeaderLineGetsFieldNames)
{
    CDataTable table;
    Build("\r\nx,y,z\r\n", ",", TRUE, table);
    ASSERT_EQ(3, table.m_nColumns);
    ASSERT_EQ(2, table.m_nRows);
    EXPECT_EQ((Row{ "FIELD0", "FIELD1", "FIELD2" }), RowOf(table, 0));
    EXPECT_EQ((Row{ "x", "y", "z" }), RowOf(table, 1));

    // Names are made directly, so a delimiter found in them does no harm.
    Build(" \nxFy\n", "F", TRUE, table);
    ASSERT_EQ(2, table.m_nColumns);
    EXPECT_EQ((Row{ "FIELD0", "FIELD1" }), RowOf(table, 0));
}

TEST(TextTable, EmptyAndBlankTexts)
{
    CDataTable table;
    Build("", ",", TRUE, table);
    EXPECT_EQ(1, table.m_nRows);
    EXPECT_EQ(0, table.m_nColumns);
    Build("", ",", FALSE, table);
    EXPECT_EQ(1, table.m_nRows);
    EXPECT_EQ(0, table.m_nColumns);
    Build("\xEF\xBB\xBF", ",", FALSE, table);
    EXPECT_EQ(1, table.m_nRows);
    Build(" \r\n\t\r\n", ",", FALSE, table);
    EXPECT_EQ(3, table.m_nRows);
    EXPECT_EQ(0, table.m_nColumns);
}

// ---------------------------------------------------------------------------
// Values and delimiters

TEST(TextTable, ValuesAreCutTo255Characters)
{
    const std::string longValue(300, 'x');
    const std::string quotedLong = std::string(290, 'q') + ",inside";
    CDataTable table;
    Build("A,B\r\n" + longValue + ",\"" + quotedLong + "\"\r\n", ",", TRUE, table);
    ASSERT_EQ(2, table.m_nRows);
    EXPECT_EQ(std::string(255, 'x'), std::string(table.m_pRows[1][0]));
    EXPECT_EQ(std::string(255, 'q'), std::string(table.m_pRows[1][1]));
}

TEST(TextTable, TextEndsAtZeroByte)
{
    CDataTable table;
    Build(std::string("A,B\r\n1,2\r\n3\0,4\r\n5,6\r\n", 21), ",", TRUE, table);
    ASSERT_EQ(3, table.m_nRows);
    EXPECT_EQ((Row{ "3", "" }), RowOf(table, 2));
}

TEST(TextTable, OtherDelimiters)
{
    CDataTable table;
    Build("a\tb\r\n1\t\t\r\n", "tab", TRUE, table);
    ASSERT_EQ(2, table.m_nColumns);
    EXPECT_EQ((Row{ "a", "b" }), RowOf(table, 0));
    EXPECT_EQ((Row{ "1", "" }), RowOf(table, 1));

    Build("a;b\r\n1,5;2\r\n", ";", TRUE, table);
    EXPECT_EQ((Row{ "1,5", "2" }), RowOf(table, 1));

    Build("a|b|c\r\nx||z\r\n", "|", TRUE, table);
    EXPECT_EQ((Row{ "x", "", "z" }), RowOf(table, 1));

    Build("first   second\r\n one  two  \r\n", " ", TRUE, table);
    ASSERT_EQ(2, table.m_nColumns);
    EXPECT_EQ((Row{ "", "one" }), RowOf(table, 1));
}

// ---------------------------------------------------------------------------
// Files

TEST(TextFile, WindowsCsvFromSpreadsheet)
{
    char controls[TOKCTL_SIZE];
    InitTokenControls(controls);
    CDataTable table;
    ASSERT_EQ(TEXTLOAD_OK, LoadDelimitedTextTable(FixturePath("customers_windows.csv").c_str(), ",",
        TRUE, controls, table));
    ASSERT_EQ(6, table.m_nColumns);
    ASSERT_EQ(6, table.m_nRows);
    EXPECT_EQ(',', controls[TOKCTL_DELIMITER]);
    EXPECT_EQ((Row{ "CustomerID", "Company", "Contact", "Address", "City", "Phone" }),
        RowOf(table, 0));
    EXPECT_EQ("Ana Trujillo Emparedados y helados, S.A.", std::string(table.m_pRows[2][1]));
    EXPECT_EQ((Row{ "BOTTM", "Bottom-Dollar \"Markets\"", "Elizabeth Lincoln",
                  "23 Tsawassen Blvd.\r\nSuite 4", "Tsawassen", "" }),
        RowOf(table, 3));
    EXPECT_EQ((Row{ "CACTU", "Cactus Comidas", "", "Cerrito 333", "Buenos Aires", "(1) 135-5555" }),
        RowOf(table, 4));
    EXPECT_EQ((Row{ "EMPTY", "", "", "", "", "" }), RowOf(table, 5));
}

TEST(TextFile, UnixTabFile)
{
    char controls[TOKCTL_SIZE];
    InitTokenControls(controls);
    CDataTable table;
    ASSERT_EQ(TEXTLOAD_OK, LoadDelimitedTextTable(FixturePath("products_unix.tab").c_str(), "tab",
        TRUE, controls, table));
    EXPECT_EQ('\t', controls[TOKCTL_DELIMITER]);
    ASSERT_EQ(4, table.m_nColumns);
    ASSERT_EQ(4, table.m_nRows);
    EXPECT_EQ((Row{ "A-1", "Widget", "12", "" }), RowOf(table, 1));
    EXPECT_EQ((Row{ "A-2", "Gadget, large", "", "back order" }), RowOf(table, 2));
    EXPECT_EQ((Row{ "A-3", "Quoted\tTab", "7", "ok" }), RowOf(table, 3));
}

TEST(TextFile, SemicolonFileWithByteOrderMark)
{
    char controls[TOKCTL_SIZE];
    InitTokenControls(controls);
    CDataTable table;
    ASSERT_EQ(TEXTLOAD_OK, LoadDelimitedTextTable(FixturePath("prices_bom_semicolon.csv").c_str(),
        ";", TRUE, controls, table));
    ASSERT_EQ(3, table.m_nColumns);
    ASSERT_EQ(4, table.m_nRows);
    EXPECT_EQ((Row{ "Name", "Price", "Currency" }), RowOf(table, 0));
    EXPECT_EQ((Row{ "Kaffee", "1,50", "EUR" }), RowOf(table, 1));
    EXPECT_EQ((Row{ "Tee", "2;00", "EUR" }), RowOf(table, 2));
    EXPECT_EQ((Row{ "Kakao", "", "EUR" }), RowOf(table, 3));
}

TEST(TextFile, PipeFileWithoutNamesOrFinalLineBreak)
{
    char controls[TOKCTL_SIZE];
    InitTokenControls(controls);
    CDataTable table;
    ASSERT_EQ(TEXTLOAD_OK, LoadDelimitedTextTable(FixturePath("addresses_pipe.txt").c_str(), "|",
        FALSE, controls, table));
    ASSERT_EQ(4, table.m_nColumns);
    ASSERT_EQ(4, table.m_nRows);
    EXPECT_EQ((Row{ "Column 1", "Column 2", "Column 3", "Column 4" }), RowOf(table, 0));
    EXPECT_EQ((Row{ "Doe", "Jane", "", "Shelbyville" }), RowOf(table, 2));
    EXPECT_EQ((Row{ "Roe", "Richard", "1|2 Elm", "Ogdenville" }), RowOf(table, 3));
}

TEST(TextFile, MissingFileLeavesTableAlone)
{
    char controls[TOKCTL_SIZE];
    InitTokenControls(controls);
    CDataTable table;
    {
        CTempTextFile file("A\r\n1\r\n");
        ASSERT_EQ(TEXTLOAD_OK, LoadDelimitedTextTable(file.Path(), ",", TRUE, controls, table));
    }
    ASSERT_EQ(2, table.m_nRows);
    EXPECT_EQ(TEXTLOAD_CANNOT_OPEN, LoadDelimitedTextTable("C:\\no such folder\\none.csv", ",", TRUE,
        controls, table));
    EXPECT_EQ(2, table.m_nRows);
    EXPECT_EQ((Row{ "1" }), RowOf(table, 1));
}
