// The Excel reader: rows that hold only formulas without a value, or only
// error cells, are records wherever they are in the sheet.
#include "AdoTableReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace adotest;

namespace {

using Rows = std::vector<std::vector<std::string>>;
using Names = std::vector<std::string>;

const Rows kGuests = { { "Ann", "2", "" }, { "", "", "" }, { "Bob", "3", "vip" }, { "", "", "" } };

// The FORMULA record of a cell with xlwt's empty cached result; end() when absent.
std::vector<uint8_t>::iterator FindFormula(std::vector<uint8_t>& bytes, uint16_t row, uint16_t col)
{
    const uint8_t head[] = { 0x06, 0x00 };
    const uint8_t emptyResult[] = { 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF };
    for (auto at = bytes.begin(); bytes.end() - at >= 18; ++at)
    {
        at = std::search(at, bytes.end(), head, head + 2);
        if (bytes.end() - at < 18)
            break;
        if (at[4] == (uint8_t)row && at[5] == (uint8_t)(row >> 8) && at[6] == (uint8_t)col &&
            at[7] == (uint8_t)(col >> 8) && std::equal(emptyResult, emptyResult + 8, at + 10))
            return at;
    }
    return bytes.end();
}

LoadedTable LoadGuests(const std::vector<uint8_t>& bytes)
{
    TempFile file(bytes);
    return LoadTable(ExcelConnection(file.Path()), "SELECT * FROM [Guests$]");
}

} // namespace

TEST(XlsFormulaRows, WrittenByXlwtWithEmptyResults)
{
    // xlwt stores every formula with an empty result; rows 2 and 4 hold nothing else.
    LoadedTable t = LoadTable(ExcelConnection(Fixture("xls/formulas8.xls")), "SELECT * FROM [Guests$]");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ((Names{ "Name", "Seats", "Note" }), t.names);
    EXPECT_EQ((std::vector<short>{ ado::adVarWChar, ado::adDouble, ado::adVarWChar }), t.types);
    EXPECT_EQ(kGuests, t.rows);
}

TEST(XlsFormulaRows, ErrorResultsKeepTheirRows)
{
    LoadedTable t = LoadTable(ExcelConnection(Fixture("xls/formulas8_errors.xls")), "SELECT * FROM [Guests$]");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ((std::vector<short>{ ado::adVarWChar, ado::adDouble, ado::adVarWChar }), t.types);
    EXPECT_EQ(kGuests, t.rows);
}

TEST(XlsFormulaRows, HandMadeLastRows)
{
    const std::vector<uint8_t> original = ReadFileBytes(Fixture("xls/formulas8.xls"));

    // A text result whose STRING record is missing, and a result that is not a number.
    std::vector<uint8_t> bytes = original;
    auto text = FindFormula(bytes, 4, 2);
    ASSERT_NE(bytes.end(), text);
    text[10] = 0x00;
    auto notNumber = FindFormula(bytes, 4, 1);
    ASSERT_NE(bytes.end(), notNumber);
    const uint8_t nan[] = { 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x7F };
    std::copy(nan, nan + 8, notNumber + 10);
    LoadedTable t = LoadGuests(bytes);
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ(kGuests, t.rows);

    // Only one formula left in the last row, beyond the other columns: the
    // sheet gains that column, as a text column without values.
    bytes = original;
    for (uint16_t col : { 0, 1 })
    {
        auto at = FindFormula(bytes, 4, col);
        ASSERT_NE(bytes.end(), at);
        at[4] = 2;      // onto the formulas of row 2
    }
    auto last = FindFormula(bytes, 4, 2);
    ASSERT_NE(bytes.end(), last);
    last[6] = 3;
    t = LoadGuests(bytes);
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ((Names{ "Name", "Seats", "Note", "F4" }), t.names);
    EXPECT_EQ(ado::adVarWChar, t.types[3]);
    ASSERT_EQ(4u, t.rows.size());
    EXPECT_EQ((std::vector<std::string>{ "Bob", "3", "vip", "" }), t.rows[2]);
    EXPECT_EQ((std::vector<std::string>{ "", "", "", "" }), t.rows[3]);
}

TEST(XlsFormulaRows, ErrorConstantInTheLastRow)
{
    // The #DIV/0! cell of sheet "Flags" (row 3, column 2) moved below "after gap" (row 5).
    std::vector<uint8_t> bytes = ReadFileBytes(Fixture("xls/strings8.xls"));
    const uint8_t boolErr[] = { 0x05, 0x02, 0x08, 0x00, 0x03, 0x00, 0x02, 0x00 };
    auto at = std::search(bytes.begin(), bytes.end(), boolErr, boolErr + sizeof(boolErr));
    ASSERT_NE(bytes.end(), at);
    ASSERT_EQ(1, at[11]);   // the error flag
    at[4] = 6;
    TempFile file(bytes);
    LoadedTable t = LoadTable(ExcelConnection(file.Path()), "SELECT * FROM [Flags$]");
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ((Rows{ { "a", "T", "5", "long" }, { "b", "F", "", "" }, { "c", "T", "", "" }, { "", "", "", "" },
                     { "after gap", "", "", "" }, { "", "", "", "" } }),
              t.rows);
    EXPECT_EQ(ado::adDouble, t.types[2]);
}
