// The Excel reader: the fixtures of tests/fixtures/xls through the wrappers and the
// data-access objects, and damaged or foreign workbooks.
#include "AdoConnection.h"
#include "AdoRecordset.h"
#include "AdoTableReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace adotest;

namespace {

using Rows = std::vector<std::vector<std::string>>;
using Names = std::vector<std::string>;

std::string Workbook8() { return ExcelConnection(Fixture("xls/workbook8.xls")); }
std::string Strings8() { return ExcelConnection(Fixture("xls/strings8.xls")); }
std::string Workbook5() { return ExcelConnection(Fixture("xls/workbook5.xls"), "DriverId=22"); }

std::vector<std::pair<std::string, std::string>> Schema(const std::string& connection)
{
    std::vector<std::pair<std::string, std::string>> tables;
    CADODataBase db;
    EXPECT_TRUE(db.Open(connection.c_str()));
    CADORecordset rs(&db);
    EXPECT_TRUE(rs.OpenSchema(ado::adSchemaTables));
    while (!rs.IsEOF())
    {
        CString name, type;
        rs.GetFieldValue("TABLE_NAME", name);
        rs.GetFieldValue("TABLE_TYPE", type);
        tables.emplace_back((LPCTSTR)name, (LPCTSTR)type);
        rs.MoveNext();
    }
    return tables;
}

// Wide texts of one column, read with the data-access objects.
std::vector<std::wstring> WideColumn(const std::string& connection, const std::wstring& sql, long column)
{
    auto c = ado::Connection::Create();
    c->Open(W(connection), L"", L"", 0);
    auto rs = ado::Recordset::Create();
    rs->Open(sql, c, ado::adOpenStatic, ado::adLockOptimistic, ado::adCmdUnknown);
    std::vector<std::wstring> values;
    for (; !rs->IsEOF(); rs->MoveNext())
    {
        VARIANT v;
        rs->Item(column).Value(&v);
        values.push_back(V_VT(&v) == VT_BSTR ? std::wstring(V_BSTR(&v), SysStringLen(V_BSTR(&v))) : L"<not text>");
        VariantClear(&v);
    }
    return values;
}

std::wstring TextOf(int i)
{
    wchar_t head[64];
    std::wstring text;
    if (i % 7 == 3)
    {
        swprintf(head, 64, L"Zeile %04d \u00e4\u00f6\u00fc \u0416\u0418\u0412 \u2713 ", i);
        text = head;
        for (int k = 0; k < i % 11; ++k)
            text += L"xyz";
    }
    else
    {
        swprintf(head, 64, L"Row %04d ", i);
        text = head;
        for (int k = 0; k < 1 + i % 9; ++k)
            text += L"abcdefghij";
    }
    return text;
}

// ---------------------------------------------------------------------------
// Excel 97-2003 (BIFF8)

TEST(XlsSchema, SheetsWithDollarAndNamedRanges)
{
    std::vector<std::pair<std::string, std::string>> expected = {
        { "OneCell", "TABLE" }, { "PriceList", "TABLE" }, { "SpacedRange", "TABLE" },
        { "Empty$", "SYSTEM TABLE" }, { "Numbers$", "SYSTEM TABLE" }, { "Products$", "SYSTEM TABLE" },
        { "Sheet With Spaces$", "SYSTEM TABLE" } };
    EXPECT_EQ(expected, Schema(Workbook8()));
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{
                  { "DataRange", "TABLE" }, { "Data$", "SYSTEM TABLE" }, { "Numbers$", "SYSTEM TABLE" },
                  { "Second Sheet$", "SYSTEM TABLE" } }),
              Schema(Workbook5()));
}

TEST(XlsBiff8, SheetWithFormulasDatesAndRaggedRows)
{
    LoadedTable t = LoadTable(Workbook8(), "SELECT * FROM [Products$]");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ((Names{ "ID", "Name", "Price", "Added", "InStock", "Twice", "Label", "Cheap", "Note", "F10", "Mixed" }),
              t.names);
    EXPECT_EQ((std::vector<short>{ ado::adDouble, ado::adVarWChar, ado::adDouble, ado::adDate, ado::adDouble,
                                   ado::adDouble, ado::adVarWChar, ado::adBoolean, ado::adVarWChar, ado::adDouble,
                                   ado::adVarWChar }),
              t.types);
    std::string unicode = ado::Narrow(L"\u00dcn\u00efc\u00f6d\u00e9 \u2713 \u0416", CP_ACP);
    Rows expected = {
        { "1", "Chai", "18", "2021-12-02 00:00:00", "1", "36", "Chai!", "F", "first", "10", "5" },
        { "2", "Chang", "19.5", "1900-03-01 00:00:00", "0", "39", "Chang!", "F", "", "20", "five" },
        { "3", "Aniseed Syrup", "0.1", "2020-02-29 13:45:30", "1", "0.2", "Aniseed Syrup!", "T", "x", "", "2001-02-03" },
        { "4", unicode, "-5", "1899-12-30 12:00:00", "0", "-10", unicode + "!", "T", "", "", "1" },
        { "5", "Ragged", "", "", "", "", "", "", "", "", "" },
        { "", "", "", "", "", "", "", "", "", "", "" },
        { "7", "Last", "123456789012", "", "", "", "", "", "end", "", "" } };
    EXPECT_EQ(expected, t.rows);
    // Texts keep every character as UTF-16.
    EXPECT_EQ(L"\u00dcn\u00efc\u00f6d\u00e9 \u2713 \u0416", WideColumn(Workbook8(), L"SELECT * FROM [Products$]", 1)[3]);
}

TEST(XlsBiff8, NamedRanges)
{
    LoadedTable prices = LoadTable(Workbook8(), "SELECT * FROM PriceList");
    ASSERT_TRUE(prices.ok) << prices.error;
    EXPECT_EQ((Names{ "ID", "Name", "Price" }), prices.names);
    EXPECT_EQ((Rows{ { "1", "Chai", "18" }, { "2", "Chang", "19.5" }, { "3", "Aniseed Syrup", "0.1" } }), prices.rows);

    LoadedTable one = LoadTable(Workbook8(), "SELECT * FROM [OneCell]");
    ASSERT_TRUE(one.ok) << one.error;
    EXPECT_EQ((Names{ "Name" }), one.names);
    EXPECT_TRUE(one.rows.empty());

    LoadedTable spaced = LoadTable(Workbook8(), "SELECT * FROM SpacedRange");
    LoadedTable sheet = LoadTable(Workbook8(), "SELECT * FROM [Sheet With Spaces$]");
    LoadedTable quoted = LoadTable(Workbook8(), "SELECT * FROM ['Sheet With Spaces$']");
    EXPECT_EQ((Rows{ { "a", "1" }, { "b", "2" } }), spaced.rows);
    EXPECT_EQ(spaced.rows, sheet.rows);
    EXPECT_EQ(spaced.rows, quoted.rows);
    EXPECT_EQ((Names{ "Code", "Value" }), sheet.names);
}

TEST(XlsBiff8, EmptySheetAndMulRk)
{
    LoadedTable empty = LoadTable(Workbook8(), "SELECT * FROM [Empty$]");
    ASSERT_TRUE(empty.ok) << empty.error;
    EXPECT_TRUE(empty.names.empty());
    EXPECT_TRUE(empty.rows.empty());

    LoadedTable numbers = LoadTable(Workbook8(), "SELECT * FROM [Numbers$]");
    ASSERT_EQ(5u, numbers.rows.size());
    EXPECT_EQ((std::vector<std::string>{ "51", "52", "53", "54", "55", "56", "57", "58" }), numbers.rows[4]);
}

TEST(XlsBiff8, SharedStringsAcrossContinueRecords)
{
    std::vector<std::wstring> texts = WideColumn(Strings8(), L"SELECT * FROM [Strings$]", 1);
    ASSERT_EQ(401u, texts.size());
    for (int i = 1; i <= 400; ++i)
        EXPECT_EQ(TextOf(i), texts[i - 1]) << "row " << i;
    std::wstring longText;
    for (int k = 0; k < 10000; ++k)
        longText += (wchar_t)(L'A' + k % 26);
    EXPECT_EQ(longText, texts[400]);

    LoadedTable t = LoadTable(Strings8(), "SELECT * FROM [Strings$]");
    EXPECT_EQ(ado::adLongVarWChar, t.types[1]); // a text of more than 255 characters
}

TEST(XlsBiff8, BooleansErrorsBlanksAndLongNames)
{
    LoadedTable t = LoadTable(Strings8(), "SELECT * FROM [Flags$]");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ((Names{ "Key", "Flag", "Err", "A column name that is longer than thirty characters" }), t.names);
    EXPECT_EQ((std::vector<short>{ ado::adVarWChar, ado::adBoolean, ado::adDouble, ado::adVarWChar }), t.types);
    EXPECT_EQ((Rows{ { "a", "T", "5", "long" }, { "b", "F", "", "" }, { "c", "T", "", "" }, { "", "", "", "" },
                     { "after gap", "", "", "" } }),
              t.rows);
}

TEST(XlsDates, BothDateSystems)
{
    LoadedTable d1900 = LoadTable(Strings8(), "SELECT * FROM [Dates$]");
    ASSERT_TRUE(d1900.ok) << d1900.error;
    EXPECT_EQ(ado::adDate, d1900.types[0]);
    EXPECT_EQ((std::vector<std::string>{ "1900-01-01 00:00:00", "1900-02-28 00:00:00", "1900-03-01 00:00:00",
                                         "2021-12-02 00:00:00", "2020-02-29 13:45:30" }),
              Column(d1900, 0));

    LoadedTable d1904 = LoadTable(ExcelConnection(Fixture("xls/dates1904.xls")), "SELECT * FROM [Dates$]");
    ASSERT_TRUE(d1904.ok) << d1904.error;
    EXPECT_EQ((Rows{ { "1904-01-01 00:00:00", "1.5" }, { "2021-12-02 06:30:00", "2.5" } }), d1904.rows);
}

// ---------------------------------------------------------------------------
// Excel 5.0/95 (BIFF5)

TEST(XlsBiff5, SheetValues)
{
    LoadedTable t = LoadTable(Workbook5(), "SELECT * FROM [Data$]");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ((Names{ "Nr", "Name", "Amount", "Paid", "Day", "Calc", "Word", "Check" }), t.names);
    EXPECT_EQ((std::vector<short>{ ado::adDouble, ado::adVarWChar, ado::adDouble, ado::adBoolean, ado::adDate,
                                   ado::adDouble, ado::adVarWChar, ado::adBoolean }),
              t.types);
    EXPECT_EQ((Rows{ { "1", "K\xe4se", "12.5", "T", "2021-12-02 00:00:00", "42.5", "Gr\xfc\xdf" "e", "T" },
                     { "2", "Brot", "0.1", "F", "2020-02-29 13:45:30", "-3", "x", "F" },
                     { "3", "Ragged", "", "", "", "", "", "" },
                     { "4", "Error", "", "", "", "", "", "" } }),
              t.rows);
}

TEST(XlsBiff5, NamedRangeAndOtherSheets)
{
    LoadedTable range = LoadTable(Workbook5(), "SELECT * FROM DataRange");
    ASSERT_TRUE(range.ok) << range.error;
    EXPECT_EQ((Names{ "Nr", "Name", "Amount" }), range.names);
    EXPECT_EQ((Rows{ { "1", "K\xe4se", "12.5" }, { "2", "Brot", "0.1" } }), range.rows);

    LoadedTable second = LoadTable(Workbook5(), "SELECT * FROM [Second Sheet$]");
    EXPECT_EQ((Rows{ { "a", "1" }, { "b", "-2" } }), second.rows);

    LoadedTable numbers = LoadTable(Workbook5(), "SELECT C1, C8 FROM [Numbers$]");
    ASSERT_EQ(200u, numbers.rows.size());
    EXPECT_EQ((std::vector<std::string>{ "2001", "2008" }), numbers.rows[199]);
}

// ---------------------------------------------------------------------------
// Errors and damaged files

TEST(XlsErrors, MissingSheet)
{
    LoadedTable t = LoadTable(Workbook8(), "SELECT * FROM [Nope$]");
    EXPECT_FALSE(t.ok);
    EXPECT_EQ(0u, t.error.find("Query = SELECT * FROM [Nope$]\nCADORecordset Error\n\tCode = 80040e37\n")) << t.error;
}

std::string OpenXlsError(const std::vector<uint8_t>& bytes)
{
    TempFile file(bytes);
    try
    {
        auto c = ado::Connection::Create();
        c->Open(W(ExcelConnection(file.Path())), L"", L"", 0);
        auto tables = c->OpenSchema(ado::adSchemaTables);
        for (; !tables->IsEOF(); tables->MoveNext())
        {
            VARIANT name;
            tables->Item(L"TABLE_NAME").Value(&name);
            auto rs = ado::Recordset::Create();
            rs->Open(L"SELECT * FROM [" + std::wstring(V_BSTR(&name)) + L"]", c, ado::adOpenStatic,
                     ado::adLockOptimistic, ado::adCmdUnknown);
            VariantClear(&name);
            for (; !rs->IsEOF(); rs->MoveNext())
                for (long i = 0; i < rs->FieldCount(); ++i)
                {
                    VARIANT v;
                    rs->Item(i).Value(&v);
                    VariantClear(&v);
                }
        }
    }
    catch (const ado::Error& e)
    {
        return U8(e.Description());
    }
    return std::string();
}

TEST(XlsErrors, ForeignAndOldFormats)
{
    EXPECT_NE(std::string::npos, OpenXlsError(ReadFileBytes(NwindPath())).find("not a readable Excel workbook"));
    std::vector<uint8_t> biff4 = { 0x09, 0x04, 0x06, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00 };
    EXPECT_NE(std::string::npos, OpenXlsError(biff4).find("2.1-4.0"));
    EXPECT_NE(std::string::npos, OpenXlsError({}).find("not a readable Excel workbook"));
}

TEST(XlsErrors, ContainerWithoutWorkbookStream)
{
    std::vector<uint8_t> bytes = ReadFileBytes(Fixture("xls/workbook8.xls"));
    const char name[] = "W\0o\0r\0k\0b\0o\0o\0k\0";
    auto at = std::search(bytes.begin(), bytes.end(), name, name + 16);
    ASSERT_NE(bytes.end(), at);
    *at = 'X';
    EXPECT_NE(std::string::npos, OpenXlsError(bytes).find("holds no workbook"));
}

TEST(XlsErrors, PasswordProtectedWorkbook)
{
    std::vector<uint8_t> bytes = ReadFileBytes(Fixture("xls/strings8.xls"));
    const uint8_t writeAccess[] = { 0x5C, 0x00, 0x70, 0x00 };
    auto at = std::search(bytes.begin(), bytes.end(), writeAccess, writeAccess + 4);
    ASSERT_NE(bytes.end(), at);
    *at = 0x2F; // FILEPASS
    EXPECT_NE(std::string::npos, OpenXlsError(bytes).find("protected with a password"));
}

// The LABEL record of "b" on sheet "Second Sheet" of workbook5.xls: row 2, column 0.
std::vector<uint8_t> MovedLabel(uint16_t row, uint16_t col)
{
    std::vector<uint8_t> bytes = ReadFileBytes(Fixture("xls/workbook5.xls"));
    const uint8_t label[] = { 0x04, 0x02, 0x09, 0x00, 0x02, 0x00, 0x00, 0x00, 0x10, 0x00, 0x01, 0x00, 'b' };
    auto at = std::search(bytes.begin(), bytes.end(), label, label + sizeof(label));
    EXPECT_NE(bytes.end(), at);
    if (at != bytes.end())
    {
        at[4] = (uint8_t)row, at[5] = (uint8_t)(row >> 8);
        at[6] = (uint8_t)col, at[7] = (uint8_t)(col >> 8);
    }
    return bytes;
}

TEST(XlsErrors, CellsOutsideTheSheetOrFarApart)
{
    EXPECT_NE(std::string::npos, OpenXlsError(MovedLabel(2, 300)).find("beyond the last column"));
    // A value in the last row and column: millions of empty places for six values.
    EXPECT_NE(std::string::npos, OpenXlsError(MovedLabel(65535, 255)).find("the file is damaged"));
    // Moved within reason it reads: the sheet grows to row 41 and column U.
    std::vector<uint8_t> moved = MovedLabel(40, 20);
    EXPECT_EQ("", OpenXlsError(moved));
    TempFile file(moved);
    LoadedTable t = LoadTable(ExcelConnection(file.Path()), "SELECT * FROM [Second Sheet$]");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ(40u, t.rows.size());
    EXPECT_EQ(21u, t.names.size());
    EXPECT_EQ("b", t.rows[39][20]);
}

TEST(XlsErrors, TruncatedWorkbooks)
{
    for (const char* name : { "xls/workbook8.xls", "xls/strings8.xls", "xls/workbook5.xls" })
    {
        std::vector<uint8_t> full = ReadFileBytes(Fixture(name));
        for (size_t size : { (size_t)8, (size_t)511, (size_t)1024, full.size() / 2, full.size() - 512 })
        {
            std::vector<uint8_t> cut(full.begin(), full.begin() + size);
            EXPECT_NE("", OpenXlsError(cut)) << name << " cut to " << size;
        }
    }
}

TEST(XlsErrors, RandomDamageGivesErrorsNotCrashes)
{
    Random random(777);
    for (const char* name : { "xls/workbook8.xls", "xls/strings8.xls", "xls/workbook5.xls" })
    {
        std::vector<uint8_t> original = ReadFileBytes(Fixture(name));
        size_t errors = 0;
        for (int round = 0; round < 80; ++round)
        {
            std::vector<uint8_t> damaged = original;
            for (int k = 0; k < 8; ++k)
            {
                // Header, allocation table and directory get a share of the damage.
                size_t at = random.Below(3) ? 512 + random.Below(damaged.size() - 512) : random.Below(512);
                damaged[at] = (uint8_t)random.Next();
            }
            if (!OpenXlsError(damaged).empty())
                ++errors;
        }
        EXPECT_GT(errors, 0u) << name;
    }
}

} // namespace
