// AdoRowSet.h: the in-memory rows that a provider reads and a recordset shows.
//
// RowSet holds column descriptions and rows of compact cells; texts and bytes
// live in two shared pools so that a cell stays 16 bytes. Rows keep only up to
// their last non-null cell (ragged sheets stay small).
#pragma once

#include "AdoDefs.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ado {

// ColumnInfo describes one column of a row set.
struct ColumnInfo
{
    std::wstring name;
    DataTypeEnum type = adVarWChar;
    long definedSize = 0;           // characters for texts, bytes otherwise
    long attributes = 0;            // FieldAttributeEnum bits
    unsigned char precision = 0;    // decimals only
    unsigned char scale = 0;        // decimals only
};

// Kind of value a cell holds.
enum class CellKind : unsigned char
{
    Null, Bool, Byte, Short, Long, BigInt, Single, Double, Currency, Date,
    Text, Binary, Guid, Decimal
};

// Cell is one value; texts, bytes, GUIDs and decimals point into the pools.
struct Cell
{
    CellKind kind = CellKind::Null;
    unsigned char scale = 0;        // decimal scale
    bool negative = false;          // decimal sign
    uint32_t len = 0;               // text: characters; binary: bytes
    union
    {
        int64_t i;                  // Bool (0/1), Byte, Short, Long, BigInt, Currency (x 10000)
        double d;                   // Single, Double, Date
        uint64_t off;               // pool offset of Text, Binary, Guid (16 bytes), Decimal (12 bytes)
    } v{};

    bool IsNull() const { return kind == CellKind::Null; }
};

// RowSet is a table of cells with its column descriptions.
class RowSet
{
public:
    std::vector<ColumnInfo> columns;

    // Attributes
    size_t RowCount() const { return m_rowStart.empty() ? 0 : m_rowStart.size() - 1; }
    const Cell& At(size_t row, size_t col) const;
    std::wstring Text(const Cell& cell) const;
    const uint8_t* Bytes(const Cell& cell) const { return m_bytes.data() + cell.v.off; }
    double Number(const Cell& cell) const;           // numeric value of a number-like cell
    bool IsNumeric(const Cell& cell) const;
    std::wstring DisplayText(const Cell& cell) const; // text form used by comparisons

    // Conversion: the cell as a VARIANT (caller clears it); E_OUTOFMEMORY on failure.
    HRESULT ToVariant(const Cell& cell, VARIANT* out) const;
    long ActualSize(const Cell& cell, const ColumnInfo& column) const;

    // Building: rows are added one at a time, cells in any increasing column order.
    // The limits (0 = none) bound what a damaged file can make a reader allocate.
    void SetLimits(size_t cells, size_t poolBytes) { m_cellLimit = cells; m_poolLimit = poolBytes; }
    void BeginRow();
    void Put(size_t col, const Cell& cell);
    void EndRow();
    // Throws when the table is mostly empty space: far more row-by-column
    // places than values, as damaged row or column numbers make.
    void CheckShape() const;

    // Cell makers (the pools grow as needed).
    static Cell MakeNull() { return Cell(); }
    static Cell MakeInt(CellKind kind, int64_t value);
    static Cell MakeReal(CellKind kind, double value);
    Cell MakeText(const wchar_t* text, size_t length);
    Cell MakeText(const std::wstring& text) { return MakeText(text.data(), text.size()); }
    Cell MakeBinary(const uint8_t* data, size_t length);
    Cell MakeGuid(const uint8_t* data16);
    Cell MakeDecimal(const uint8_t* mantissa12, unsigned char scale, bool negative);

private:
    void CheckLimit(size_t more);
    void CheckPool(size_t moreBytes);

    std::vector<Cell> m_cells;          // all rows, each trimmed after its last value
    std::vector<uint32_t> m_rowStart;   // index of each row's first cell, plus the end
    std::wstring m_text;                // text pool
    std::vector<uint8_t> m_bytes;       // byte pool
    size_t m_cellLimit = 0;             // 0 = no limit
    size_t m_poolLimit = 0;             // bytes of both pools; 0 = no limit
    size_t m_rowLength = 0;             // cells of the row being built
    size_t m_values = 0;                // non-null cells
};

// Exact decimal text of a 96-bit mantissa with a scale ("-12.5", "0.001").
std::wstring DecimalText(const uint8_t* mantissa12, unsigned scale, bool negative);
// Exact text of a currency value given in units of 1/10000 ("9.8", "-14").
std::wstring CurrencyText(int64_t value);
// Shortest text of a double with at most the given significant digits.
std::wstring RealText(double value, int digits);

} // namespace ado
