// The statements a recordset accepts: projections, WHERE, ORDER BY, names in
// brackets, literals and the errors of everything else. Expected rows come
// from the mdbtools exports in tests/fixtures/mdb.
#include "AdoTableReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

using namespace adotest;

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string Nwind() { return AccessConnection(NwindPath()); }

// Rows of an exported nwind table (tables.txt order: 1 Orders, 2 Products, 5 Customers).
Rows Exported(int index)
{
    std::vector<uint8_t> bytes = ReadFileBytes(Fixture(("mdb/nwind_" + std::to_string(index) + ".csv").c_str()));
    return ParseCsv(std::string(bytes.begin(), bytes.end()));
}

size_t ColumnIndex(const Rows& table, const char* name)
{
    auto it = std::find(table[0].begin(), table[0].end(), name);
    return it - table[0].begin();
}

// Values of one column of the exported rows that pass a filter.
std::vector<std::string> Expect(const Rows& table, const char* column,
                                const std::function<bool(const std::vector<std::string>&)>& keep)
{
    std::vector<std::string> values;
    size_t c = ColumnIndex(table, column);
    for (size_t r = 1; r < table.size(); ++r)
        if (keep(table[r]))
            values.push_back(ado::Narrow(W(table[r][c]), CP_ACP));
    return values;
}

double Num(const std::string& s) { return strtod(s.c_str(), nullptr); }

std::string ErrorOf(const std::string& connection, const std::string& sql)
{
    LoadedTable t = LoadTable(connection, sql);
    EXPECT_FALSE(t.ok) << sql;
    return t.error;
}

std::string CodeLine(const std::string& error)
{
    size_t at = error.find("\tCode = ");
    return at == std::string::npos ? std::string() : error.substr(at + 8, 8);
}

// ---------------------------------------------------------------------------
// Projections

TEST(SqlSelect, ProjectionKeepsTheGivenOrder)
{
    LoadedTable t = LoadTable(Nwind(), "SELECT [UnitPrice], ProductName, productid FROM [Products]");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ((std::vector<std::string>{ "UnitPrice", "ProductName", "ProductID" }), t.names);
    ASSERT_EQ(77u, t.rows.size());
    EXPECT_EQ((std::vector<std::string>{ "18", "Chai", "1" }), t.rows[0]);
}

TEST(SqlSelect, BareTableNameReadsTheTable)
{
    LoadedTable t = LoadTable(Nwind(), "Shippers");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ(3u, t.rows.size());
    EXPECT_TRUE(LoadTable(Nwind(), "[Order Details]").ok);
}

TEST(SqlSelect, KeywordsInAnyCaseAndATrailingSemicolon)
{
    LoadedTable t = LoadTable(Nwind(), "select * from shippers where shipperid >= 2 order by shipperid desc;");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ((std::vector<std::string>{ "3", "2" }), Column(t, 0));
}

// ---------------------------------------------------------------------------
// WHERE

TEST(SqlWhere, NumbersAndBooleans)
{
    Rows products = Exported(2);
    size_t price = ColumnIndex(products, "UnitPrice"), gone = ColumnIndex(products, "Discontinued");
    LoadedTable t = LoadTable(Nwind(), "SELECT ProductName FROM Products WHERE UnitPrice > 50 AND Discontinued = 0");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ(Expect(products, "ProductName",
                     [&](const std::vector<std::string>& r) { return Num(r[price]) > 50 && r[gone] == "0"; }),
              Column(t, 0));
    EXPECT_FALSE(t.rows.empty());

    t = LoadTable(Nwind(), "SELECT ProductName FROM Products WHERE Discontinued <> 0");
    EXPECT_EQ(Expect(products, "ProductName", [&](const std::vector<std::string>& r) { return r[gone] == "1"; }),
              Column(t, 0));
    t = LoadTable(Nwind(), "SELECT ProductName FROM Products WHERE Discontinued = -1");
    EXPECT_EQ(8u, t.rows.size());
}

TEST(SqlWhere, AndBindsCloserThanOrAndParenthesesGroup)
{
    Rows products = Exported(2);
    size_t category = ColumnIndex(products, "CategoryID"), price = ColumnIndex(products, "UnitPrice");
    LoadedTable t = LoadTable(Nwind(), "SELECT ProductName FROM Products WHERE CategoryID = 1 OR CategoryID = 2 AND UnitPrice < 20");
    EXPECT_EQ(Expect(products, "ProductName",
                     [&](const std::vector<std::string>& r) {
                         return r[category] == "1" || (r[category] == "2" && Num(r[price]) < 20);
                     }),
              Column(t, 0));
    t = LoadTable(Nwind(), "SELECT ProductName FROM Products WHERE (CategoryID = 1 OR CategoryID = 2) AND UnitPrice < 20");
    EXPECT_EQ(Expect(products, "ProductName",
                     [&](const std::vector<std::string>& r) {
                         return (r[category] == "1" || r[category] == "2") && Num(r[price]) < 20;
                     }),
              Column(t, 0));
}

TEST(SqlWhere, TextsCompareWithoutCase)
{
    Rows customers = Exported(5);
    size_t country = ColumnIndex(customers, "Country");
    LoadedTable t = LoadTable(Nwind(), "SELECT CustomerID FROM Customers WHERE Country = 'gERMANY'");
    EXPECT_EQ(Expect(customers, "CustomerID", [&](const std::vector<std::string>& r) { return r[country] == "Germany"; }),
              Column(t, 0));
    EXPECT_EQ(11u, t.rows.size());
    t = LoadTable(Nwind(), "SELECT CustomerID FROM Customers WHERE Country <> \"Germany\" AND Country >= 'USA'");
    EXPECT_EQ(Expect(customers, "CustomerID",
                     [&](const std::vector<std::string>& r) { return r[country] == "USA" || r[country] == "Venezuela"; }),
              Column(t, 0));
}

TEST(SqlWhere, QuotesInsideLiteralsAndNullsNeverMatch)
{
    LoadedTable t = LoadTable(Nwind(), "SELECT CustomerID FROM Customers WHERE CompanyName = 'Bon app'''");
    EXPECT_EQ((std::vector<std::string>{ "BONAP" }), Column(t, 0));
    t = LoadTable(Nwind(), "SELECT CustomerID FROM Customers WHERE CompanyName = \"Bon app'\"");
    EXPECT_EQ((std::vector<std::string>{ "BONAP" }), Column(t, 0));

    Rows customers = Exported(5);
    size_t region = ColumnIndex(customers, "Region");
    t = LoadTable(Nwind(), "SELECT CustomerID FROM Customers WHERE Region <> 'XX'");
    EXPECT_EQ(Expect(customers, "CustomerID", [&](const std::vector<std::string>& r) { return !r[region].empty(); }),
              Column(t, 0));
}

TEST(SqlWhere, BracketedNamesAndDates)
{
    LoadedTable t = LoadTable(Nwind(), "SELECT [ProductID] FROM [Order Details] WHERE [OrderID] = 10248");
    EXPECT_EQ((std::vector<std::string>{ "11", "42", "72" }), Column(t, 0));

    Rows orders = Exported(1);
    size_t date = ColumnIndex(orders, "OrderDate");
    t = LoadTable(Nwind(), "SELECT OrderID FROM Orders WHERE OrderDate >= '1994-11-16' AND OrderDate < '1994-11-18 00:00'");
    EXPECT_EQ(Expect(orders, "OrderID",
                     [&](const std::vector<std::string>& r) { return r[date] >= "1994-11-16" && r[date] < "1994-11-18"; }),
              Column(t, 0));
    EXPECT_FALSE(t.rows.empty());
}

TEST(SqlWhere, ExcelNumbersTextsAndMixedColumns)
{
    std::string book = ExcelConnection(Fixture("xls/workbook8.xls"));
    LoadedTable t = LoadTable(book, "SELECT Name FROM [Products$] WHERE Price < 1");
    EXPECT_EQ((std::vector<std::string>{ "Aniseed Syrup", ado::Narrow(L"\u00dcn\u00efc\u00f6d\u00e9 \u2713 \u0416", CP_ACP) }),
              Column(t, 0));
    t = LoadTable(book, "SELECT ID FROM [Products$] WHERE Price = -5 OR Mixed = 5 OR Mixed = 'FIVE'");
    EXPECT_EQ((std::vector<std::string>{ "1", "2", "4" }), Column(t, 0));
    t = LoadTable(book, "SELECT ID FROM [Products$] WHERE Added > '2020-01-01'");
    EXPECT_EQ((std::vector<std::string>{ "1", "3" }), Column(t, 0));
}

// ---------------------------------------------------------------------------
// ORDER BY

TEST(SqlOrder, NumbersDescendingThenNames)
{
    LoadedTable t = LoadTable(Nwind(), "SELECT ProductName, UnitPrice FROM Products ORDER BY UnitPrice DESC, ProductName");
    ASSERT_EQ(77u, t.rows.size());
    EXPECT_EQ("263.5", t.rows[0][1]);
    EXPECT_EQ("123.79", t.rows[1][1]);
    for (size_t i = 1; i < t.rows.size(); ++i)
        EXPECT_GE(Num(t.rows[i - 1][1]), Num(t.rows[i][1])) << i;
    EXPECT_EQ("2.5", t.rows.back()[1]);
}

TEST(SqlOrder, NullsComeFirstAscendingLastDescending)
{
    LoadedTable up = LoadTable(Nwind(), "SELECT Region, CustomerID FROM Customers ORDER BY Region ASC, CustomerID");
    LoadedTable down = LoadTable(Nwind(), "SELECT Region FROM Customers ORDER BY Region DESC");
    ASSERT_EQ(91u, up.rows.size());
    EXPECT_EQ("", up.rows.front()[0]);
    EXPECT_EQ("ALFKI", up.rows.front()[1]);
    EXPECT_NE("", up.rows.back()[0]);
    EXPECT_EQ("", down.rows.back()[0]);
    EXPECT_EQ(up.rows.back()[0], down.rows.front()[0]);
}

TEST(SqlOrder, DatesAndStableTies)
{
    Rows orders = Exported(1);
    size_t date = ColumnIndex(orders, "OrderDate");
    std::string latest;
    for (size_t r = 1; r < orders.size(); ++r)
        latest = std::max(latest, orders[r][date]);
    LoadedTable t = LoadTable(Nwind(), "SELECT OrderDate, OrderID FROM Orders ORDER BY OrderDate DESC");
    ASSERT_EQ(830u, t.rows.size());
    EXPECT_EQ(latest, t.rows[0][0]);
    // Equal dates keep the table's order.
    for (size_t i = 1; i < t.rows.size(); ++i)
    {
        if (t.rows[i][0] == t.rows[i - 1][0])
        {
            EXPECT_LT(Num(t.rows[i - 1][1]), Num(t.rows[i][1])) << i;
        }
    }
}

// ---------------------------------------------------------------------------
// Errors

TEST(SqlErrors, SyntaxErrorsAreStatementErrors)
{
    for (const char* sql : { "SELECT FROM Products", "SELECT * FROM [Products", "SELECT * FROM Products WHERE",
                             "SELECT * FROM Products ORDER ProductName", "DELETE FROM Products",
                             "SELECT * FROM Products WHERE UnitPrice > 5x", "SELECT * FROM Products, Orders",
                             "SELECT * FROM Products WHERE UnitPrice", "SELECT * Products",
                             "SELECT * FROM Products WHERE ProductName = 'open", "SELECT ProductName, FROM Products",
                             "SELECT * FROM Products garbage", "UPDATE Products SET UnitPrice = 0", "",
                             "SELECT * FROM Products WHERE UnitPrice @ 5" })
    {
        std::string error = ErrorOf(Nwind(), sql);
        EXPECT_EQ("80040e14", CodeLine(error)) << sql << "\n" << error;
        EXPECT_EQ(0u, error.find("Query = " + std::string(sql) + "\nCADORecordset Error\n")) << error;
    }
}

TEST(SqlErrors, UnknownNamesAndMismatchedTypes)
{
    EXPECT_EQ("80040e10", CodeLine(ErrorOf(Nwind(), "SELECT Nope FROM Products")));
    EXPECT_EQ("80040e10", CodeLine(ErrorOf(Nwind(), "SELECT * FROM Products WHERE Nope = 1")));
    EXPECT_EQ("80040e10", CodeLine(ErrorOf(Nwind(), "SELECT * FROM Products ORDER BY Nope")));
    EXPECT_EQ("80040e37", CodeLine(ErrorOf(Nwind(), "SELECT * FROM Nope")));
    EXPECT_EQ("80040e07", CodeLine(ErrorOf(Nwind(), "SELECT * FROM Products WHERE UnitPrice = 'cheap'")));
    EXPECT_EQ("80040e07", CodeLine(ErrorOf(Nwind(), "SELECT * FROM Orders WHERE OrderDate = 'someday'")));
    EXPECT_EQ("80040e07", CodeLine(ErrorOf(Nwind(), "SELECT * FROM Categories WHERE Picture = 1")));
    std::string error = ErrorOf(Nwind(), "SELECT Nope FROM Products");
    EXPECT_NE(std::string::npos, error.find("'Nope'")) << error;
}

TEST(SqlErrors, DeepNestingIsAnErrorNotACrash)
{
    std::string sql = "SELECT * FROM Shippers WHERE " + std::string(5000, '(') + "ShipperID = 1" + std::string(5000, ')');
    EXPECT_EQ("80040e14", CodeLine(ErrorOf(Nwind(), sql)));
    std::string fine = "SELECT * FROM Shippers WHERE " + std::string(50, '(') + "ShipperID = 1" + std::string(50, ')');
    EXPECT_EQ(1u, LoadTable(Nwind(), fine).rows.size());
}

} // namespace
