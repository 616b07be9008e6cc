// Tests of the column bindings of database texts: parse, format, join, rebind
// by name and the text of a record.

#include <gtest/gtest.h>

#include "ColumnBinding.h"
#include "DataSource.h"

#include <vector>

namespace
{
std::vector<int> Columns(const char* pszBinding)
{
    std::vector<int> columns;
    ParseColumnBinding(pszBinding, columns);
    return columns;
}

std::vector<CString> Names(std::initializer_list<const char*> names)
{
    return std::vector<CString>(names.begin(), names.end());
}
}

// ---------------------------------------------------------------------------
// Parsing and formatting

TEST(ColumnBinding, ParsesOneAndSeveralColumns)
{
    EXPECT_EQ(std::vector<int>({ 2 }), Columns("2"));
    EXPECT_EQ(std::vector<int>({ 0, 3, 1 }), Columns("0-3-1"));
    EXPECT_EQ(std::vector<int>({ 7, 7 }), Columns("007-7"));
    EXPECT_EQ(std::vector<int>({ 123456789 }), Columns("123456789"));

    EXPECT_FALSE(IsMergedColumnBinding("4"));
    EXPECT_TRUE(IsMergedColumnBinding("4-0"));
    EXPECT_EQ(4, SingleBindingColumn("4"));
    EXPECT_EQ(0, SingleBindingColumn("0"));
    EXPECT_EQ(-1, SingleBindingColumn("4-0"));
    EXPECT_EQ(-1, SingleBindingColumn(""));
}

TEST(ColumnBinding, RefusesDamagedBindings)
{
    const char* damaged[] = { "", "-", "-1", "1-", "1--2", " 1", "1 ", "+1", "x", "1-x", "1.5",
        "1234567890", "\xB3", "2-\xB3" };
    for (const char* pszBinding : damaged)
    {
        std::vector<int> columns(3, 9);   // a parse never leaves old columns behind
        EXPECT_FALSE(ParseColumnBinding(pszBinding, columns)) << "\"" << pszBinding << "\"";
        EXPECT_TRUE(columns.empty()) << "\"" << pszBinding << "\"";
        EXPECT_FALSE(IsValidColumnBinding(pszBinding)) << "\"" << pszBinding << "\"";
        EXPECT_FALSE(IsMergedColumnBinding(pszBinding)) << "\"" << pszBinding << "\"";
        EXPECT_EQ(-1, SingleBindingColumn(pszBinding)) << "\"" << pszBinding << "\"";
    }
}

TEST(ColumnBinding, FormatsWhatParseReads)
{
    EXPECT_STREQ("", FormatColumnBinding({}));
    EXPECT_STREQ("5", FormatColumnBinding({ 5 }));
    EXPECT_STREQ("0-3-10", FormatColumnBinding({ 0, 3, 10 }));
    const std::vector<int> columns = { 12, 0, 999 };
    EXPECT_EQ(columns, Columns(FormatColumnBinding(columns)));
    EXPECT_STREQ("7-7", FormatColumnBinding(Columns("007-7")));
}

TEST(ColumnBinding, JoinLeavesUnboundTextsOut)
{
    EXPECT_STREQ("0-3", JoinColumnBindings("0", "3"));
    EXPECT_STREQ("0-3-1", JoinColumnBindings(JoinColumnBindings("0", "3"), "1"));
    EXPECT_STREQ("2-4-1", JoinColumnBindings("2-4", "1"));
    EXPECT_STREQ("2", JoinColumnBindings("", "2"));
    EXPECT_STREQ("2", JoinColumnBindings("2", ""));
    EXPECT_STREQ("", JoinColumnBindings("", ""));
}

// ---------------------------------------------------------------------------
// Tables and rebinding

TEST(ColumnBinding, NamesOfATable)
{
    CString names[2] = { "First", "City" };
    CString* rows[1] = { names };
    EXPECT_EQ(Names({ "First", "City" }), TableColumnNames(rows, 1, 2));
    EXPECT_TRUE(TableColumnNames(rows, 0, 2).empty());
    EXPECT_TRUE(TableColumnNames(NULL, -1, 0).empty());
    EXPECT_TRUE(TableColumnNames(NULL, 3, 2).empty());
}

TEST(ColumnBinding, RebindsByColumnName)
{
    const std::vector<CString> oldNames = Names({ "First", "Last", "City" });
    const std::vector<CString> newNames = Names({ "City", "first", "Last", "Zip" });
    CString strRebound;
    ASSERT_TRUE(RebindColumnBinding("2", oldNames, newNames, strRebound));
    EXPECT_STREQ("0", strRebound);
    // merged columns keep their order; another case is found when the same is not
    ASSERT_TRUE(RebindColumnBinding("0-2-1", oldNames, newNames, strRebound));
    EXPECT_STREQ("1-0-2", strRebound);
    // the same name is preferred to another case anywhere before it
    ASSERT_TRUE(RebindColumnBinding("0", oldNames, Names({ "FIRST", "First" }), strRebound));
    EXPECT_STREQ("1", strRebound);
    ASSERT_TRUE(RebindColumnBinding("01", oldNames, oldNames, strRebound));
    EXPECT_STREQ("1", strRebound);
}

TEST(ColumnBinding, RebindRefusesWhatCannotBeFound)
{
    const std::vector<CString> oldNames = Names({ "First", "Last", "City" });
    const std::vector<CString> newNames = Names({ "City", "Last" });
    const char* refused[] = { "", "0", "2-0", "3", "1-3", "x", "-1", "1-" };
    for (const char* pszBinding : refused)
    {
        CString strRebound = "kept";
        EXPECT_FALSE(RebindColumnBinding(pszBinding, oldNames, newNames, strRebound)) << pszBinding;
        EXPECT_STREQ("kept", strRebound) << pszBinding;
    }
    CString strRebound;
    EXPECT_FALSE(RebindColumnBinding("0", std::vector<CString>(), newNames, strRebound));
    EXPECT_FALSE(RebindColumnBinding("0", oldNames, std::vector<CString>(), strRebound));
}

// ---------------------------------------------------------------------------
// The text of a record

class RecordMerge : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* values[4][4] = { { "First", "Last", "City", "Note" },
            { "Ann", "Lee", "Boston", "" }, { "  Bob ", "", "Rome", " x " },
            { "", "", "", "" } };
        m_table.m_pRows = new CString*[4];
        for (int r = 0; r < 4; ++r)
        {
            m_table.m_pRows[r] = new CString[4];
            for (int c = 0; c < 4; ++c)
                m_table.m_pRows[r][c] = values[r][c];
        }
        m_table.m_nRows = 4;
        m_table.m_nColumns = 4;
    }

    CString Merge(int nRow, const char* pszBinding)
    {
        return MergeRecordColumns(m_table.m_pRows, m_table.m_nRows, m_table.m_nColumns, nRow,
            pszBinding);
    }

    CDataTable m_table;
};

TEST_F(RecordMerge, OneColumnGivesTheFieldAsItIs)
{
    EXPECT_STREQ("Boston", Merge(1, "2"));
    EXPECT_STREQ("  Bob ", Merge(2, "0"));
    EXPECT_STREQ(" x ", Merge(2, "3"));
    EXPECT_STREQ("", Merge(1, "3"));
}

TEST_F(RecordMerge, SeveralColumnsJoinedBySingleBlanks)
{
    EXPECT_STREQ("Ann Boston Lee", Merge(1, "0-2-1"));
    EXPECT_STREQ("Lee Ann", Merge(1, "1-0"));
    EXPECT_STREQ("Ann Ann", Merge(1, "0-0"));
    // the text so far is trimmed before each field, the last field is not
    EXPECT_STREQ("Bob Rome", Merge(2, "0-1-2"));
    EXPECT_STREQ("Rome  x ", Merge(2, "2-3"));
    EXPECT_STREQ("Bob  x ", Merge(2, "0-3"));
}

TEST_F(RecordMerge, EmptyFields)
{
    // an empty first field: the text starts with the next one
    EXPECT_STREQ("Rome", Merge(2, "1-2"));
    EXPECT_STREQ("Boston", Merge(1, "3-3-2"));
    // an empty last field leaves the blank before it
    EXPECT_STREQ("Ann ", Merge(1, "0-3"));
    EXPECT_STREQ("Ann Lee", Merge(1, "0-3-1"));
    EXPECT_STREQ("", Merge(3, "0-1-2-3"));
    EXPECT_STREQ("", Merge(1, ""));
}

TEST_F(RecordMerge, ColumnsOutsideTheTableAndDamagedPiecesGiveEmptyFields)
{
    EXPECT_STREQ("", Merge(1, "4"));
    EXPECT_STREQ("Ann ", Merge(1, "0-7"));
    EXPECT_STREQ("Ann", Merge(1, "7-0"));
    EXPECT_STREQ("Boston", Merge(1, "99999999999-2"));
    EXPECT_STREQ("Boston", Merge(1, "4294967298-2"));
    // no piece is read as a number it only begins with
    EXPECT_STREQ("", Merge(1, "x"));
    EXPECT_STREQ("", Merge(1, " 1"));
    EXPECT_STREQ("", Merge(1, "1x"));
    EXPECT_STREQ("Lee", Merge(1, "-1"));
    EXPECT_STREQ("Ann ", Merge(1, "0-"));
    EXPECT_STREQ("Ann Lee", Merge(1, "0--1"));
}

TEST_F(RecordMerge, RowsOutsideTheTableGiveEmptyText)
{
    EXPECT_STREQ("", Merge(4, "0"));
    EXPECT_STREQ("", Merge(4, "0-1"));
    EXPECT_STREQ("", Merge(-1, "0"));
    EXPECT_STREQ("", Merge(100000, "2"));
    EXPECT_STREQ("", MergeRecordColumns(NULL, -1, 0, 1, "0"));
    EXPECT_STREQ("", MergeRecordColumns(NULL, 4, 4, 1, "0"));

    // a row without fields
    delete[] m_table.m_pRows[2];
    m_table.m_pRows[2] = NULL;
    EXPECT_STREQ("", Merge(2, "0-2"));
    EXPECT_STREQ("Ann Boston", Merge(1, "0-2"));
}

TEST_F(RecordMerge, LongTextsAreCutAfterMerging)
{
    m_table.m_pRows[1][0] = CString('a', 300);
    const CString strLong = Merge(1, "0");
    ASSERT_EQ(MAX_MERGED_TEXT, strLong.GetLength());
    EXPECT_STREQ(CString('a', MAX_MERGED_TEXT), strLong);

    // the cut is of the whole text, not of each field
    m_table.m_pRows[1][0] = CString('a', 250);
    m_table.m_pRows[1][1] = "bcdefgh";
    EXPECT_STREQ(CString('a', 250) + " bcde", Merge(1, "0-1"));
    m_table.m_pRows[1][0] = CString('a', 200);
    m_table.m_pRows[1][1] = CString('b', 100);
    EXPECT_STREQ(CString('a', 200) + " " + CString('b', 54), Merge(1, "0-1"));
    // exactly as long as allowed: nothing cut
    m_table.m_pRows[1][1] = CString('b', 54);
    EXPECT_EQ(MAX_MERGED_TEXT, Merge(1, "0-1").GetLength());
    EXPECT_STREQ(CString('a', 200) + " " + CString('b', 54), Merge(1, "0-1"));
}
