// The Access reader through the data-access objects: schema, field descriptions,
// values, passwords and damaged or foreign files.
#include "AdoConnection.h"
#include "AdoRecordset.h"
#include "AdoTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

using namespace adotest;

namespace {

std::shared_ptr<ado::Connection> OpenAccess(const std::string& path, const std::string& password = "")
{
    auto connection = ado::Connection::Create();
    connection->Open(W(AccessConnection(path, password)), L"", L"", 0);
    return connection;
}

std::map<std::wstring, std::wstring> SchemaTables(ado::Connection& connection)
{
    std::map<std::wstring, std::wstring> tables;
    std::shared_ptr<ado::Recordset> rs = connection.OpenSchema(ado::adSchemaTables);
    while (!rs->IsEOF())
    {
        VARIANT name, type;
        rs->Item(L"TABLE_NAME").Value(&name);
        rs->Item(L"TABLE_TYPE").Value(&type);
        tables[V_BSTR(&name)] = V_BSTR(&type);
        VariantClear(&name);
        VariantClear(&type);
        rs->MoveNext();
    }
    return tables;
}

std::shared_ptr<ado::Recordset> Select(const std::shared_ptr<ado::Connection>& connection, const std::wstring& sql)
{
    auto rs = ado::Recordset::Create();
    rs->Open(sql, connection, ado::adOpenStatic, ado::adLockOptimistic, ado::adCmdUnknown);
    return rs;
}

// Reads every value of every user table; throws ado::Error when something is damaged.
size_t ReadEverything(const std::string& path)
{
    auto connection = OpenAccess(path);
    size_t values = 0;
    for (const auto& table : SchemaTables(*connection))
    {
        auto rs = Select(connection, L"SELECT * FROM [" + table.first + L"]");
        for (; !rs->IsEOF(); rs->MoveNext())
            for (long i = 0; i < rs->FieldCount(); ++i)
            {
                VARIANT v;
                rs->Item(i).Value(&v);
                VariantClear(&v);
                ++values;
            }
    }
    return values;
}

HRESULT OpenError(const std::string& path, const std::string& password = "", std::wstring* description = nullptr)
{
    try
    {
        OpenAccess(path, password);
    }
    catch (const ado::Error& e)
    {
        if (description)
            *description = e.Description();
        return e.Code();
    }
    return S_OK;
}

// A copy of a database with a password written into its header.
std::vector<uint8_t> WithPassword(std::vector<uint8_t> file, const std::wstring& password)
{
    static const uint8_t kKey[4] = { 0xC7, 0xDA, 0x39, 0x6B };
    bool jet4 = file[0x14] == 1;
    size_t length = jet4 ? 128 : 126;
    Rc4(kKey, 4, &file[0x18], length);
    if (jet4)
    {
        double created;
        memcpy(&created, &file[0x72], 8);
        int32_t maskValue = (int32_t)created;
        uint8_t mask[4], plain[40] = {};
        memcpy(mask, &maskValue, 4);
        memcpy(plain, password.data(), std::min<size_t>(40, password.size() * 2));
        for (size_t i = 0; i < 40; ++i)
            file[0x42 + i] = plain[i] ^ mask[i % 4];
    }
    else
    {
        std::string bytes = ado::Narrow(password, 1252);
        memset(&file[0x42], 0, 20);
        memcpy(&file[0x42], bytes.data(), std::min<size_t>(20, bytes.size()));
    }
    Rc4(kKey, 4, &file[0x18], length);
    return file;
}

// ---------------------------------------------------------------------------
// Schema

TEST(JetSchema, ListsUserTablesAsTable)
{
    auto connection = OpenAccess(NwindPath());
    std::map<std::wstring, std::wstring> tables = SchemaTables(*connection);
    std::vector<std::wstring> user;
    for (const auto& t : tables)
        if (t.second == L"TABLE")
            user.push_back(t.first);
    EXPECT_EQ((std::vector<std::wstring>{ L"Categories", L"Customers", L"Employees", L"Order Details", L"Orders",
                                          L"Products", L"Shippers", L"Suppliers", L"Ums\u00e4tze" }), user);
    EXPECT_EQ(L"SYSTEM TABLE", tables[L"MSysObjects"]);
    EXPECT_EQ(L"SYSTEM TABLE", tables[L"MSysQueries"]);
}

TEST(JetSchema, Jet4HidesSystemAndInternalTables)
{
    auto connection = OpenAccess(DateTestPath());
    std::map<std::wstring, std::wstring> tables = SchemaTables(*connection);
    size_t user = 0;
    for (const auto& t : tables)
        if (t.second == L"TABLE")
        {
            ++user;
            EXPECT_EQ(L"DateTest", t.first);
        }
    EXPECT_EQ(1u, user);
    EXPECT_GT(tables.size(), 1u);
}

TEST(JetSchema, SchemaRowsCarryDates)
{
    auto connection = OpenAccess(NwindPath());
    auto rs = connection->OpenSchema(ado::adSchemaTables);
    ASSERT_EQ(9, rs->FieldCount());
    EXPECT_EQ(L"DATE_CREATED", rs->Item(7L).Name());
    VARIANT created;
    rs->Item(L"DATE_CREATED").Value(&created);
    EXPECT_EQ(VT_DATE, V_VT(&created));
    EXPECT_GT(V_DATE(&created), 30000.0); // after 1982
}

TEST(JetSchema, OnlyTheTableSchemaIsOffered)
{
    auto connection = OpenAccess(NwindPath());
    try
    {
        connection->OpenSchema(4); // columns
        FAIL() << "no error";
    }
    catch (const ado::Error& e)
    {
        EXPECT_EQ(ado::ADO_E_NOTCAPABLE, e.Code());
    }
}

// ---------------------------------------------------------------------------
// Fields

TEST(JetFields, DescribeEveryColumnKind)
{
    auto connection = OpenAccess(NwindPath());
    auto orders = Select(connection, L"SELECT * FROM Orders");
    EXPECT_EQ(ado::adInteger, orders->Item(L"OrderID").Type());
    EXPECT_EQ(ado::adDate, orders->Item(L"OrderDate").Type());
    EXPECT_EQ(ado::adCurrency, orders->Item(L"Freight").Type());
    EXPECT_EQ(ado::adVarWChar, orders->Item(L"ShipName").Type());
    EXPECT_EQ(40, orders->Item(L"ShipName").DefinedSize());
    EXPECT_EQ(5, orders->Item(L"CustomerID").DefinedSize());
    EXPECT_TRUE(orders->Item(L"Freight").Attributes() & ado::adFldFixed);
    EXPECT_FALSE(orders->Item(L"ShipName").Attributes() & ado::adFldFixed);

    auto details = Select(connection, L"SELECT * FROM [Order Details]");
    EXPECT_EQ(ado::adSmallInt, details->Item(L"Quantity").Type());
    EXPECT_EQ(ado::adSingle, details->Item(L"Discount").Type());

    auto products = Select(connection, L"SELECT * FROM Products");
    EXPECT_EQ(ado::adBoolean, products->Item(L"Discontinued").Type());

    auto categories = Select(connection, L"SELECT * FROM Categories");
    EXPECT_EQ(ado::adLongVarWChar, categories->Item(L"Description").Type());
    EXPECT_EQ(ado::adLongVarBinary, categories->Item(L"Picture").Type());
    EXPECT_TRUE(categories->Item(L"Picture").Attributes() & ado::adFldLong);

    auto dates = Select(OpenAccess(DateTestPath()), L"SELECT * FROM DateTest");
    EXPECT_EQ(ado::adVarWChar, dates->Item(L"ShortTextCol").Type());
    EXPECT_EQ(255, dates->Item(L"ShortTextCol").DefinedSize());
    EXPECT_EQ(ado::adLongVarWChar, dates->Item(L"LongTextCol").Type());
}

TEST(JetFields, ValuesAsVariants)
{
    auto connection = OpenAccess(NwindPath());
    auto rs = Select(connection, L"SELECT * FROM [Order Details]");
    VARIANT v;
    rs->Item(L"UnitPrice").Value(&v);
    EXPECT_EQ(VT_CY, V_VT(&v));
    EXPECT_EQ(140000, V_CY(&v).int64); // 14.0000
    rs->Item(L"Quantity").Value(&v);
    EXPECT_EQ(VT_I2, V_VT(&v));
    EXPECT_EQ(12, V_I2(&v));
    EXPECT_EQ(2, rs->Item(L"Quantity").ActualSize());

    auto customers = Select(connection, L"SELECT * FROM Customers WHERE CustomerID = 'ALFKI'");
    ASSERT_EQ(1, customers->RecordCount());
    customers->Item(L"CompanyName").Value(&v);
    ASSERT_EQ(VT_BSTR, V_VT(&v));
    EXPECT_STREQ(L"Alfreds Futterkiste", V_BSTR(&v));
    EXPECT_EQ(38, customers->Item(L"CompanyName").ActualSize());
    VariantClear(&v);
    customers->Item(L"Region").Value(&v);
    EXPECT_EQ(VT_NULL, V_VT(&v));
    EXPECT_EQ(0, customers->Item(L"Region").ActualSize());
}

TEST(JetFields, Jet4TextsAndMemos)
{
    auto rs = Select(OpenAccess(DateTestPath()), L"SELECT * FROM DateTest WHERE IDCol = 6");
    ASSERT_EQ(1, rs->RecordCount());
    VARIANT v;
    rs->Item(L"LongTextCol").Value(&v);
    ASSERT_EQ(VT_BSTR, V_VT(&v));
    EXPECT_STREQ(L"New line\r\nin field", V_BSTR(&v));
    VariantClear(&v);
    rs->Item(L"ShortTextCol").Value(&v);
    EXPECT_STREQ(L"No new line", V_BSTR(&v));
    VariantClear(&v);
}

TEST(JetFields, NoValueBeforeFirstOrAfterLast)
{
    auto rs = Select(OpenAccess(NwindPath()), L"SELECT * FROM Shippers");
    EXPECT_EQ(3, rs->RecordCount());
    rs->MoveNext();
    rs->MoveNext();
    rs->MoveNext();
    EXPECT_TRUE(rs->IsEOF());
    VARIANT v;
    try
    {
        rs->Item(0L).Value(&v);
        FAIL() << "value at EOF";
    }
    catch (const ado::Error& e)
    {
        EXPECT_EQ(ado::ADO_E_NOCURRENTRECORD, e.Code());
    }
    EXPECT_THROW(rs->MoveNext(), ado::Error);
    EXPECT_THROW(rs->Item(3L), ado::Error);
    EXPECT_THROW(rs->Item(L"NoSuchField"), ado::Error);
    rs->MoveFirst();
    EXPECT_FALSE(rs->IsEOF());
}

TEST(JetFields, RecordsetOutlivesItsConnection)
{
    auto connection = OpenAccess(NwindPath());
    auto rs = Select(connection, L"SELECT ShipperID FROM Shippers");
    connection->Close();
    EXPECT_EQ(ado::adStateClosed, connection->State());
    EXPECT_EQ(3, rs->RecordCount());
    EXPECT_THROW(Select(connection, L"SELECT * FROM Shippers"), ado::Error);
}

// ---------------------------------------------------------------------------
// Connection strings and passwords

TEST(JetConnection, KeysIgnoreCase)
{
    auto connection = ado::Connection::Create();
    connection->Open(W("provider=MICROSOFT.JET.OLEDB.4.0; DATA SOURCE=" + NwindPath() + "; jet oledb:database password=;"),
                     L"", L"", 0);
    EXPECT_EQ(ado::adStateOpen, connection->State());
    EXPECT_THROW(connection->Open(L"", L"", L"", 0), ado::Error); // already open
}

TEST(JetConnection, ParsesPairs)
{
    auto pairs = ado::ParseConnectionString(L"Driver={Microsoft Excel Driver (*.xls)};DriverId=790;Dbq=C:\\a;b.xls;x");
    ASSERT_GE(pairs.size(), 3u);
    EXPECT_EQ(L"driver", pairs[0].first);
    EXPECT_EQ(L"{Microsoft Excel Driver (*.xls)}", pairs[0].second);
    EXPECT_EQ(L"driverid", pairs[1].first);
    EXPECT_EQ(L"790", pairs[1].second);
    EXPECT_EQ(L"C:\\a", pairs[2].second);
}

TEST(JetConnection, UnknownProviderAndMissingFile)
{
    auto connection = ado::Connection::Create();
    try
    {
        connection->Open(L"Provider=SQLOLEDB;Data Source=x", L"", L"", 0);
        FAIL();
    }
    catch (const ado::Error& e)
    {
        EXPECT_EQ(ado::ADO_E_PROVIDERNOTFOUND, e.Code());
    }
    std::wstring description;
    EXPECT_EQ(E_FAIL, OpenError(TestData("access/no-such-file.mdb"), "", &description));
    EXPECT_NE(std::wstring::npos, description.find(L"no-such-file.mdb"));
    EXPECT_EQ(ado::adStateClosed, connection->State());
}

TEST(JetPassword, Jet3PasswordIsChecked)
{
    TempFile file(WithPassword(ReadFileBytes(NwindPath()), L"Secret"));
    EXPECT_EQ(ado::DBE_AUTHFAILED, OpenError(file.Path(), ""));
    EXPECT_EQ(ado::DBE_AUTHFAILED, OpenError(file.Path(), "secret"));
    EXPECT_EQ(ado::DBE_AUTHFAILED, OpenError(file.Path(), "Secret2"));
    EXPECT_EQ(S_OK, OpenError(file.Path(), "Secret"));
}

TEST(JetPassword, Jet4PasswordIsChecked)
{
    TempFile file(WithPassword(ReadFileBytes(DateTestPath()), L"p\u00e4ss w\u00f6rd"));
    EXPECT_EQ(ado::DBE_AUTHFAILED, OpenError(file.Path(), ""));
    EXPECT_EQ(ado::DBE_AUTHFAILED, OpenError(file.Path(), "pass word"));
    EXPECT_EQ(S_OK, OpenError(file.Path(), U8(L"p\u00e4ss w\u00f6rd")));
}

TEST(JetPassword, NoPasswordAcceptsAny)
{
    EXPECT_EQ(S_OK, OpenError(NwindPath(), "whatever"));
    EXPECT_EQ(S_OK, OpenError(DateTestPath(), ""));
}

// ---------------------------------------------------------------------------
// Damaged and foreign files

TEST(JetDamaged, ForeignFilesAreRefused)
{
    std::wstring description;
    EXPECT_EQ(E_FAIL, OpenError(Fixture("xls/workbook8.xls"), "", &description));
    EXPECT_NE(std::wstring::npos, description.find(L"not a readable Access database"));
    TempFile empty(std::vector<uint8_t>{});
    EXPECT_EQ(E_FAIL, OpenError(empty.Path()));
    std::string text = "Standard Jet DB? No, a text file.";
    TempFile textFile(std::vector<uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(E_FAIL, OpenError(textFile.Path()));

    std::vector<uint8_t> ace = ReadFileBytes(DateTestPath());
    memcpy(&ace[4], "Standard ACE DB", 15);
    TempFile aceFile(ace);
    EXPECT_EQ(E_FAIL, OpenError(aceFile.Path(), "", &description));
    EXPECT_NE(std::wstring::npos, description.find(L"2007"));
}

TEST(JetDamaged, TruncatedFilesGiveErrors)
{
    std::vector<uint8_t> full = ReadFileBytes(NwindPath());
    for (size_t size : { (size_t)0, (size_t)100, (size_t)0x200, (size_t)2048 * 3, full.size() / 3, full.size() / 2 })
    {
        TempFile file(std::vector<uint8_t>(full.begin(), full.begin() + size));
        try
        {
            ReadEverything(file.Path());
            ADD_FAILURE() << "a file cut to " << size << " bytes read without error";
        }
        catch (const ado::Error& e)
        {
            EXPECT_EQ(E_FAIL, e.Code()) << size;
        }
    }
    // Bytes after the last page are ignored.
    std::vector<uint8_t> longer = full;
    longer.resize(full.size() + 100, 0xAB);
    TempFile file(longer);
    EXPECT_NO_THROW(ReadEverything(file.Path()));
}

class JetCorrupted : public ::testing::TestWithParam<const char*>
{
};

// Random damage in the catalogue, table definitions, usage maps and rows: a
// table reads or fails with an error, nothing else.
TEST_P(JetCorrupted, DamageGivesErrorsNotCrashes)
{
    std::string path = TestData(GetParam());
    std::vector<uint8_t> original = ReadFileBytes(path);
    size_t pageSize = original[0x14] == 1 ? 4096 : 2048;
    size_t pages = original.size() / pageSize;
    Random random(12345);
    size_t failures = 0, reads = 0;
    for (int round = 0; round < 60; ++round)
    {
        std::vector<uint8_t> damaged = original;
        for (int k = 0; k < 24; ++k)
        {
            // Mostly the first pages, where the catalogue and definitions live.
            size_t page = 1 + (random.Below(3) ? random.Below(std::min<size_t>(pages - 1, 40)) : random.Below(pages - 1));
            size_t at = page * pageSize + random.Below(pageSize);
            damaged[at] = (uint8_t)random.Next();
        }
        TempFile file(damaged);
        try
        {
            ReadEverything(file.Path());
            ++reads;
        }
        catch (const ado::Error&)
        {
            ++failures;
        }
    }
    EXPECT_EQ(60u, reads + failures);
    EXPECT_GT(failures, 0u);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, JetCorrupted,
                         ::testing::Values("access/nwind.mdb", "access/DateTestDatabase.mdb"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.index == 0 ? "Jet3" : "Jet4");
                         });

} // namespace
