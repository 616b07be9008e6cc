// Every table of both Access test databases, read through CADODataBase/CADORecordset,
// against the rows mdbtools exports (tests/fixtures/mdb, made by make_expected.py).
#include "ADODataBase.h"
#include "AdoRecordset.h"
#include "AdoTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace adotest;

namespace {

struct ExportedTable
{
    std::string file;
    std::string database;
    std::string table;  // UTF-8
};

std::vector<ExportedTable> ListExports()
{
    std::vector<ExportedTable> tables;
    std::istringstream in(std::string(reinterpret_cast<const char*>(ReadFileBytes(Fixture("mdb/tables.txt")).data()),
                                      ReadFileBytes(Fixture("mdb/tables.txt")).size()));
    std::string line;
    while (std::getline(in, line))
    {
        size_t a = line.find('\t'), b = line.find('\t', a + 1);
        if (a == std::string::npos || b == std::string::npos)
            continue;
        tables.push_back({ line.substr(0, a), line.substr(a + 1, b - a - 1), line.substr(b + 1) });
    }
    return tables;
}

std::string Ansi(const std::string& utf8) { return ado::Narrow(W(utf8), CP_ACP); }

// mdbtools' text for dates it cannot render.
const char kMdbtoolsBadDate[] = "1900-01-00 00:00:00";

class AccessExport : public ::testing::TestWithParam<ExportedTable>
{
};

TEST_P(AccessExport, MatchesMdbtoolsExport)
{
    const ExportedTable& t = GetParam();
    std::vector<uint8_t> bytes = ReadFileBytes(Fixture(("mdb/" + t.file).c_str()));
    ASSERT_FALSE(bytes.empty()) << t.file;
    std::vector<std::vector<std::string>> expected = ParseCsv(std::string(bytes.begin(), bytes.end()));
    ASSERT_GE(expected.size(), 1u);

    CADODataBase db;
    std::string path = TestData(("access/" + t.database + ".mdb").c_str());
    ASSERT_TRUE(db.Open(AccessConnection(path).c_str(), "", "")) << (LPCTSTR)db.GetLastError();
    CADORecordset rs(&db);
    std::string sql = "SELECT * FROM [" + Ansi(t.table) + "]";
    ASSERT_TRUE(rs.Open(sql.c_str())) << (LPCTSTR)rs.GetLastError();

    const std::vector<std::string>& header = expected[0];
    int columns = rs.GetFieldCount();
    ASSERT_EQ((int)header.size(), columns);
    ASSERT_EQ((long)expected.size() - 1, rs.GetRecordCount());
    std::vector<short> types(columns);
    for (int i = 0; i < columns; ++i)
    {
        CADOFieldInfo info;
        ASSERT_TRUE(rs.GetFieldInfo(i, &info));
        EXPECT_EQ(Ansi(header[i]), (LPCTSTR)info.m_strName);
        types[i] = info.m_nType;
    }

    size_t mismatches = 0;
    for (size_t r = 1; r < expected.size(); ++r, rs.MoveNext())
    {
        ASSERT_FALSE(rs.IsEOF());
        ASSERT_EQ(header.size(), expected[r].size()) << "row " << r;
        for (int i = 0; i < columns; ++i)
        {
            const std::string& want = expected[r][i];
            CString got = "(untouched)";
            BOOL ok = rs.GetFieldValue(i, got);
            std::string where = t.table + " row " + std::to_string(r) + " column " + header[i];
            switch (types[i])
            {
            case ado::adLongVarBinary:
            case ado::adVarBinary:
            {
                // No text for binary values: the caller's text stays; the bytes match.
                EXPECT_EQ(want.empty(), ok == TRUE) << where;
                if (!want.empty())
                {
                    EXPECT_STREQ("(untouched)", (LPCTSTR)got) << where;
                    VARIANT v;
                    rs.GetRecordset()->Item((long)i).Value(&v);
                    ASSERT_EQ(VT_ARRAY | VT_UI1, V_VT(&v)) << where;
                    uint8_t* data = nullptr;
                    SafeArrayAccessData(V_ARRAY(&v), (void**)&data);
                    ULONG length = V_ARRAY(&v)->rgsabound[0].cElements;
                    char digest[40];
                    snprintf(digest, sizeof(digest), "%lu:%08x", (unsigned long)length, Crc32(data, length));
                    SafeArrayUnaccessData(V_ARRAY(&v));
                    VariantClear(&v);
                    EXPECT_EQ(want, digest) << where;
                }
                break;
            }
            case ado::adBoolean:
                ASSERT_TRUE(ok) << where;
                EXPECT_STREQ(want == "1" ? "T" : "F", (LPCTSTR)got) << where;
                break;
            case ado::adCurrency:
            case ado::adDouble:
            case ado::adNumeric:
            case ado::adSingle:
            {
                ASSERT_TRUE(ok) << where;
                if (want.empty())
                {
                    EXPECT_STREQ("", (LPCTSTR)got) << where;
                    break;
                }
                double a = strtod(want.c_str(), nullptr), b = strtod(got, nullptr);
                if (types[i] == ado::adSingle)
                {
                    EXPECT_EQ((float)a, (float)b) << where << ": " << (LPCTSTR)got;
                }
                else
                {
                    EXPECT_EQ(a, b) << where << ": " << (LPCTSTR)got;
                }
                break;
            }
            case ado::adDate:
                ASSERT_TRUE(ok) << where;
                if (want != kMdbtoolsBadDate) // checked in AccessDates below
                {
                    EXPECT_EQ(want, (LPCTSTR)got) << where;
                }
                break;
            default:
                ASSERT_TRUE(ok) << where;
                if (Ansi(want) != (LPCTSTR)got && ++mismatches < 5)
                    ADD_FAILURE() << where << ": want '" << want << "', got '" << (LPCTSTR)got << "'";
                break;
            }
        }
    }
    EXPECT_EQ(0u, mismatches);
    EXPECT_TRUE(rs.IsEOF());
}

INSTANTIATE_TEST_SUITE_P(AllTables, AccessExport, ::testing::ValuesIn(ListExports()),
                         [](const ::testing::TestParamInfo<ExportedTable>& info) {
                             std::string name = info.param.file.substr(0, info.param.file.find('.'));
                             return name;
                         });

TEST(AccessExportList, CoversEveryTableOfBothFiles)
{
    std::vector<ExportedTable> tables = ListExports();
    size_t nwind = 0, dates = 0;
    for (const ExportedTable& t : tables)
        (t.database == "nwind" ? nwind : dates) += 1;
    EXPECT_EQ(9u, nwind);
    EXPECT_EQ(1u, dates);
}

// Dates mdbtools cannot render: before 1900 and in the year 9999.
TEST(AccessDates, OutsideTheRangeOfTheOracle)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(AccessConnection(DateTestPath()).c_str()));
    CADORecordset rs(&db);
    ASSERT_TRUE(rs.Open("SELECT IDCol, DateTimeCol, DateCol, TimeCol, ShortTextCol FROM DateTest ORDER BY IDCol"));
    std::vector<std::vector<std::string>> rows;
    while (!rs.IsEOF())
    {
        std::vector<std::string> row;
        for (int i = 0; i < 5; ++i)
        {
            CString value;
            EXPECT_TRUE(rs.GetFieldValue(i, value));
            row.push_back((LPCTSTR)value);
        }
        rows.push_back(row);
        rs.MoveNext();
    }
    ASSERT_EQ(6u, rows.size());
    EXPECT_EQ((std::vector<std::string>{ "2", "9999-01-01 00:00:00", "9999-01-01 00:00:00", "9999-01-01 00:00:00", "Year 1999" }), rows[1]);
    EXPECT_EQ((std::vector<std::string>{ "3", "1898-01-01 00:00:00", "1899-01-01 00:00:00", "1900-01-01 00:00:00", "Pre-1900 years" }), rows[2]);
    EXPECT_EQ((std::vector<std::string>{ "4", "0632-01-01 00:00:00", "0633-01-01 00:00:00", "0634-01-01 00:00:00", "Pre-1000 years" }), rows[3]);
}

} // namespace
