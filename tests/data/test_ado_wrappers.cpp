// CADODataBase and CADORecordset: open/close states, error texts, field
// information and the value texts.
#include "AdoConnection.h"
#include "AdoRecordset.h"
#include "AdoTableReader.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace adotest;

namespace {

std::string Nwind() { return AccessConnection(NwindPath()); }

std::string Text(const VARIANT& v, LPCTSTR format = "")
{
    CString text = "(unchanged)";
    BOOL ok = AdoVariantToText(v, text, format);
    return ok ? std::string((LPCTSTR)text) : "FALSE:" + std::string((LPCTSTR)text);
}

VARIANT Var(VARTYPE type)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = type;
    return v;
}

VARIANT Decimal(ULONG hi, ULONGLONG lo, BYTE scale, bool negative)
{
    VARIANT v;
    VariantInit(&v);
    DECIMAL& d = V_DECIMAL(&v);
    memset(&d, 0, sizeof(d));
    d.Hi32 = hi;
    d.Lo64 = lo;
    d.scale = scale;
    d.sign = negative ? DECIMAL_NEG : 0;
    V_VT(&v) = VT_DECIMAL;
    return v;
}

// ---------------------------------------------------------------------------
// Value texts

TEST(AdoValueText, EmptyNullAndBooleans)
{
    EXPECT_EQ("", Text(Var(VT_NULL)));
    EXPECT_EQ("", Text(Var(VT_EMPTY)));
    VARIANT b = Var(VT_BOOL);
    V_BOOL(&b) = VARIANT_FALSE;
    EXPECT_EQ("F", Text(b));
    V_BOOL(&b) = VARIANT_TRUE;
    EXPECT_EQ("T", Text(b));
}

TEST(AdoValueText, IntegersOfEveryWidth)
{
    VARIANT v = Var(VT_I2);
    V_I2(&v) = -32768;
    EXPECT_EQ("-32768", Text(v));
    v = Var(VT_UI1);
    V_UI1(&v) = 255;
    EXPECT_EQ("255", Text(v));
    v = Var(VT_I4);
    V_I4(&v) = -2147483647 - 1;
    EXPECT_EQ("-2147483648", Text(v));
    v = Var(VT_UI4);
    V_UI4(&v) = 4294967295u;
    EXPECT_EQ("4294967295", Text(v));
    v = Var(VT_I8);
    V_I8(&v) = INT64_MIN;
    EXPECT_EQ("-9223372036854775808", Text(v));
    v = Var(VT_UI8);
    V_UI8(&v) = UINT64_MAX;
    EXPECT_EQ("18446744073709551615", Text(v));
}

TEST(AdoValueText, RealsWithTheirSignificantDigits)
{
    VARIANT v = Var(VT_R8);
    V_R8(&v) = 0.1;
    EXPECT_EQ("0.1", Text(v));
    V_R8(&v) = 1.0 / 3.0;
    EXPECT_EQ("0.333333333333333", Text(v));
    V_R8(&v) = 123456789012.0;
    EXPECT_EQ("123456789012", Text(v));
    V_R8(&v) = -2.5e-7;
    EXPECT_EQ("-2.5e-07", Text(v));
    v = Var(VT_R4);
    V_R4(&v) = 0.15f;
    EXPECT_EQ("0.15", Text(v));
    V_R4(&v) = 0.1f;
    EXPECT_EQ("0.1", Text(v));
}

TEST(AdoValueText, CurrencyAndDecimalsAreExact)
{
    VARIANT v = Var(VT_CY);
    V_CY(&v).int64 = 98000;
    EXPECT_EQ("9.8", Text(v));
    V_CY(&v).int64 = -140000;
    EXPECT_EQ("-14", Text(v));
    V_CY(&v).int64 = INT64_MAX;
    EXPECT_EQ("922337203685477.5807", Text(v));

    EXPECT_EQ("18446744073709551616", Text(Decimal(1, 0, 0, false)));            // above the low 32 bits
    EXPECT_EQ("79228162514264337593543950335", Text(Decimal(0xFFFFFFFF, ~0ull, 0, false)));
    EXPECT_EQ("-1234.5678", Text(Decimal(0, 12345678, 4, true)));
    EXPECT_EQ("10", Text(Decimal(0, 1000, 2, false)));
    EXPECT_EQ("0.0000000000000000000000000001", Text(Decimal(0, 1, 28, false)));
}

TEST(AdoValueText, DatesWithDefaultAndGivenFormats)
{
    VARIANT v = Var(VT_DATE);
    V_DATE(&v) = 44532.5;
    EXPECT_EQ("2021-12-02 12:00:00", Text(v));
    EXPECT_EQ("02.12.2021 12:00", Text(v, "%d.%m.%Y %H:%M"));
    EXPECT_EQ("Thursday, December 02 21 (336) 12 PM 100%", Text(v, "%A, %B %d %y (%j) %I %p 100%%"));
    V_DATE(&v) = -1.25; // 1899-12-29 06:00
    EXPECT_EQ("1899-12-29 06:00:00", Text(v));
    V_DATE(&v) = -657434.0;
    EXPECT_EQ("0100-01-01 00:00:00", Text(v));
    V_DATE(&v) = 2958465.99999;
    EXPECT_EQ("9999-12-31 23:59:59", Text(v));
    V_DATE(&v) = 0.999999999;
    EXPECT_EQ("1899-12-31 00:00:00", Text(v));
    V_DATE(&v) = 3000000.0;
    EXPECT_EQ("Invalid DateTime", Text(v));
    V_DATE(&v) = -700000.0;
    EXPECT_EQ("Invalid DateTime", Text(v));
}

TEST(AdoValueText, TextsAndUnsupportedTypes)
{
    VARIANT v = Var(VT_BSTR);
    V_BSTR(&v) = SysAllocString(L"Gr\u00fc\u00dfe");
    EXPECT_EQ("Gr\xfc\xdf" "e", Text(v));
    VariantClear(&v);
    v = Var(VT_BSTR);
    V_BSTR(&v) = nullptr;
    EXPECT_EQ("", Text(v));

    v = Var(VT_ARRAY | VT_UI1);
    V_ARRAY(&v) = SafeArrayCreateVector(VT_UI1, 0, 4);
    EXPECT_EQ("FALSE:(unchanged)", Text(v));
    VariantClear(&v);
    EXPECT_EQ("FALSE:(unchanged)", Text(Var(VT_ERROR)));
}

// ---------------------------------------------------------------------------
// CADODataBase

TEST(AdoDataBase, OpenCloseAndReopen)
{
    CADODataBase db;
    EXPECT_FALSE(db.IsOpen());
    db.Close(); // nothing to close
    ASSERT_TRUE(db.Open(Nwind().c_str()));
    EXPECT_TRUE(db.IsOpen());
    EXPECT_STREQ(Nwind().c_str(), db.GetConnectionString());
    // An empty string reopens with the stored one.
    ASSERT_TRUE(db.Open());
    EXPECT_TRUE(db.IsOpen());
    db.Close();
    EXPECT_FALSE(db.IsOpen());
}

TEST(AdoDataBase, ErrorTextOfAMissingFile)
{
    CADODataBase db;
    std::string path = TestData("access/missing.mdb");
    ASSERT_FALSE(db.Open(AccessConnection(path).c_str()));
    std::string text = (LPCTSTR)db.GetLastError();
    std::string head = "CADODataBase Error\n\tCode = 80004005\n\tCode meaning = ";
    EXPECT_EQ(0u, text.find(head)) << text;
    size_t source = text.find("\n\tSource = Access database reader\n\tDescription = Could not find the file '" + path + "'.\n");
    ASSERT_NE(std::string::npos, source) << text;
    EXPECT_GT(source, head.size()); // a code meaning stands between
    EXPECT_EQ(text.size(), source + strlen("\n\tSource = Access database reader\n\tDescription = Could not find the file '") +
                               path.size() + 3);
    EXPECT_EQ(E_FAIL, db.GetLastErrorCode());
    EXPECT_EQ("Could not find the file '" + path + "'.", std::string((LPCTSTR)db.GetLastErrorDescription()));
    EXPECT_FALSE(db.IsOpen());
}

TEST(AdoDataBase, WrongProviderAndEmptyString)
{
    CADODataBase db;
    EXPECT_FALSE(db.Open("Provider=Nothing;Data Source=x"));
    EXPECT_EQ((long)0x800A0E7A, db.GetLastErrorCode());
    EXPECT_NE(std::string::npos, std::string((LPCTSTR)db.GetLastError()).find("Code = 800a0e7a"));
    CADODataBase fresh;
    EXPECT_FALSE(fresh.Open(""));
    EXPECT_EQ((long)0x800A0E7A, fresh.GetLastErrorCode());
}

TEST(AdoDataBase, CopiesShareTheConnection)
{
    CADODataBase db;
    {
        CADODataBase copy(db);
        ASSERT_TRUE(db.Open(Nwind().c_str()));
        EXPECT_TRUE(copy.IsOpen());
    }
    EXPECT_TRUE(db.IsOpen()); // the copy's end leaves the shared connection open
    CADODataBase assigned;
    assigned = db;
    EXPECT_TRUE(assigned.IsOpen());
}

// ---------------------------------------------------------------------------
// CADORecordset

TEST(AdoRecordset, CountFieldsAndValues)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(Nwind().c_str()));
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("  SELECT * FROM Shippers  "));
    EXPECT_STREQ("SELECT * FROM Shippers", rs.GetQuery());
    EXPECT_TRUE(rs.IsOpen());
    EXPECT_EQ(3, rs.GetRecordCount());
    EXPECT_EQ(3, rs.GetFieldCount());
    CString value;
    ASSERT_TRUE(rs.GetFieldValue(0, value));
    EXPECT_STREQ("1", value);
    ASSERT_TRUE(rs.GetFieldValue("companyname", value));
    EXPECT_STREQ("Speedy Express", value);
    rs.MoveNext();
    ASSERT_TRUE(rs.GetFieldValue("Phone", value));
    EXPECT_STREQ("(503) 555-3199", value);
}

TEST(AdoRecordset, CountsBySteppingWhenTheCountIsUnknown)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(Nwind().c_str()));
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Shippers"));
    rs.GetRecordset()->PutCursorType(ado::adOpenForwardOnly); // the count reads -1
    EXPECT_EQ(-1, rs.GetRecordset()->RecordCount());
    rs.MoveNext();
    EXPECT_EQ(3, rs.GetRecordCount());
    CString value;
    ASSERT_TRUE(rs.GetFieldValue(0, value)); // back on the first record
    EXPECT_STREQ("1", value);

    ASSERT_TRUE(rs.Open("SELECT * FROM Shippers WHERE ShipperID = 0"));
    rs.GetRecordset()->PutCursorType(ado::adOpenForwardOnly);
    EXPECT_EQ(0, rs.GetRecordCount());
    EXPECT_TRUE(rs.IsEOF());
}

TEST(AdoRecordset, FieldInfo)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(Nwind().c_str()));
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT CompanyName, ShipperID FROM Shippers"));
    CADOFieldInfo info;
    ASSERT_TRUE(rs.GetFieldInfo(0, &info));
    EXPECT_STREQ("CompanyName", info.m_strName);
    EXPECT_EQ(ado::adVarWChar, info.m_nType);
    EXPECT_EQ(40, info.m_lDefinedSize);
    EXPECT_EQ(28, info.m_lSize); // "Speedy Express" in UTF-16
    EXPECT_TRUE(info.m_lAttributes & ado::adFldIsNullable);
    ASSERT_TRUE(rs.GetFieldInfo(1, &info));
    EXPECT_EQ(ado::adInteger, info.m_nType);
    EXPECT_EQ(4, info.m_lSize);
    while (!rs.IsEOF())
        rs.MoveNext();
    ASSERT_TRUE(rs.GetFieldInfo(0, &info)); // at the end: no actual size
    EXPECT_EQ(0, info.m_lSize);
    EXPECT_STREQ("CompanyName", info.m_strName);
    EXPECT_THROW(rs.GetFieldInfo(5, &info), ado::Error);

    // Names of more than 30 characters stay whole.
    CADODataBase book;
    ASSERT_TRUE(book.Open(ExcelConnection(Fixture("xls/strings8.xls")).c_str()));
    CADORecordset sheet(&book);
    ASSERT_TRUE(sheet.Open("SELECT * FROM [Flags$]"));
    ASSERT_TRUE(sheet.GetFieldInfo(3, &info));
    EXPECT_STREQ("A column name that is longer than thirty characters", info.m_strName);
}

TEST(AdoRecordset, EmptyResult)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(Nwind().c_str()));
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Shippers WHERE ShipperID > 100"));
    EXPECT_EQ(0, rs.GetRecordCount());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(3, rs.GetFieldCount());
    CString value = "kept";
    EXPECT_FALSE(rs.GetFieldValue(0, value));
    EXPECT_STREQ("kept", value);
    EXPECT_EQ((long)0x800A0BCD, rs.GetLastErrorCode());
}

TEST(AdoRecordset, ErrorTextsStartWithTheQuery)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(Nwind().c_str()));
    CADORecordset rs(&db);
    ASSERT_FALSE(rs.Open("SELECT * FROM NoSuchTable"));
    std::string text = (LPCTSTR)rs.GetLastError();
    EXPECT_EQ(0u, text.find("Query = SELECT * FROM NoSuchTable\nCADORecordset Error\n\tCode = 80040e37\n\tCode meaning = "))
        << text;
    EXPECT_NE(std::string::npos,
              text.find("\n\tSource = Access database reader\n\tDescription = The database has no table named 'NoSuchTable'.\n"))
        << text;
    EXPECT_EQ((long)0x80040E37, rs.GetLastErrorCode());

    ASSERT_TRUE(rs.Open("SELECT * FROM Shippers"));
    CString value;
    EXPECT_FALSE(rs.GetFieldValue("Fax", value));
    EXPECT_EQ(0u, std::string((LPCTSTR)rs.GetLastError()).find("Query = SELECT * FROM Shippers\nCADORecordset Error\n\tCode = 800a0cc1"));
}

TEST(AdoRecordset, WithoutAConnection)
{
    CADORecordset rs;
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_FALSE(rs.Open("SELECT * FROM Shippers"));
    EXPECT_EQ((long)0x800A0E7D, rs.GetLastErrorCode());
    EXPECT_FALSE(rs.OpenSchema(ado::adSchemaTables));
    EXPECT_EQ(E_POINTER, rs.GetLastErrorCode());

    // The connection given to Open becomes the stored one.
    CADODataBase db;
    ASSERT_TRUE(db.Open(Nwind().c_str()));
    ASSERT_TRUE(rs.Open(&db, "SELECT * FROM Shippers"));
    EXPECT_EQ(3, rs.GetRecordCount());
    ASSERT_TRUE(rs.Open("SELECT * FROM Products")); // on the stored connection
    EXPECT_EQ(77, rs.GetRecordCount());
}

TEST(AdoRecordset, ReopenAfterTheConnectionClosed)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(Nwind().c_str()));
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Shippers"));
    db.Close();
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_FALSE(rs.Open("SELECT * FROM Shippers"));
    EXPECT_EQ((long)0x800A0E7D, rs.GetLastErrorCode());
    ASSERT_TRUE(db.Open(Nwind().c_str()));
    ASSERT_TRUE(rs.Open("SELECT * FROM Products"));
    EXPECT_EQ(77, rs.GetRecordCount());
    rs.Close();
    EXPECT_FALSE(rs.IsOpen());
}

TEST(AdoRecordset, SchemaAsTheDialogListsIt)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(AccessConnection(DateTestPath()).c_str()));
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.OpenSchema(ado::adSchemaTables));
    std::vector<std::string> tables;
    while (!rs.IsEOF())
    {
        CString name, type;
        ASSERT_TRUE(rs.GetFieldValue("TABLE_NAME", name));
        ASSERT_TRUE(rs.GetFieldValue("TABLE_TYPE", type));
        if (type == CString("TABLE"))
            tables.push_back((LPCTSTR)name);
        rs.MoveNext();
    }
    EXPECT_EQ((std::vector<std::string>{ "DateTest" }), tables);
    // The same recordset then opens a statement.
    ASSERT_TRUE(rs.Open("SELECT * FROM DateTest"));
    EXPECT_EQ(6, rs.GetRecordCount());
    EXPECT_FALSE(rs.OpenSchema(ado::adSchemaTables, "{C8B522BE-5CF3-11CE-ADE5-00AA0044773D}"));
}

TEST(AdoRecordset, CopiesShareTheRecordset)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(Nwind().c_str()));
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT * FROM Shippers"));
    CADORecordset copy(rs);
    rs.MoveNext();
    CString value;
    ASSERT_TRUE(copy.GetFieldValue(0, value));
    EXPECT_STREQ("2", value);
    EXPECT_STREQ("SELECT * FROM Shippers", copy.GetQuery());
}

TEST(AdoRecordset, AllDriverIdsReadTheWorkbook)
{
    for (const char* id : { "DriverId=790", "DriverId=22", "DriverId=278" })
    {
        LoadedTable t = LoadTable(ExcelConnection(Fixture("xls/workbook8.xls"), id), "SELECT * FROM [Sheet With Spaces$]");
        EXPECT_TRUE(t.ok) << id << ": " << t.error;
        EXPECT_EQ(2u, t.rows.size());
    }
    LoadedTable t = LoadTable("driver={Microsoft Excel Driver (*.xls)};dbq=" + Fixture("xls/workbook8.xls") + ";",
                              "SELECT * FROM [Sheet With Spaces$]");
    EXPECT_TRUE(t.ok) << t.error;
}

} // namespace
