// AdoRowSet.cpp: cell storage, value conversion and the shared text helpers.
#include "AdoRowSet.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace ado {

const wchar_t* const kSourceConnection = L"Data access connection";
const wchar_t* const kSourceRecordset = L"Data access recordset";
const wchar_t* const kSourceAccess = L"Access database reader";
const wchar_t* const kSourceExcel = L"Excel workbook reader";

// ---------------------------------------------------------------------------
// Text helpers

std::wstring Widen(const std::string& text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), nullptr, 0);
    if (n <= 0 && codePage != 1252)
        return Widen(text, 1252);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), &out[0], n);
    return out;
}

std::string Narrow(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), &out[0], n, nullptr, nullptr);
    return out;
}

// Case-insensitive equality as names are compared (letters of every script).
bool EqualNoCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    return CompareStringOrdinal(a.data(), (int)a.size(), b.data(), (int)b.size(), TRUE) == CSTR_EQUAL;
}

std::wstring Quoted(const std::wstring& name)
{
    return L"'" + name + L"'";
}

// ---------------------------------------------------------------------------
// Number texts

std::wstring DecimalText(const uint8_t* mantissa12, unsigned scale, bool negative)
{
    // 96-bit little-endian mantissa, divided down by 10 into decimal digits.
    uint32_t words[3];
    memcpy(words, mantissa12, 12);
    std::wstring digits;
    while (words[0] || words[1] || words[2])
    {
        uint64_t rem = 0;
        for (int i = 2; i >= 0; --i)
        {
            uint64_t cur = (rem << 32) | words[i];
            words[i] = (uint32_t)(cur / 10);
            rem = cur % 10;
        }
        digits.insert(digits.begin(), (wchar_t)(L'0' + rem));
    }
    if (scale > 28)
        scale = 28;
    while (digits.size() <= scale)
        digits.insert(digits.begin(), L'0');
    std::wstring text = digits.substr(0, digits.size() - scale);
    std::wstring frac = digits.substr(digits.size() - scale);
    while (!frac.empty() && frac.back() == L'0')
        frac.pop_back();
    if (!frac.empty())
        text += L"." + frac;
    if (negative && text != L"0")
        text.insert(text.begin(), L'-');
    return text;
}

std::wstring CurrencyText(int64_t value)
{
    bool negative = value < 0;
    uint64_t magnitude = negative ? 0 - (uint64_t)value : (uint64_t)value;
    uint8_t mantissa[12] = {};
    memcpy(mantissa, &magnitude, 8);
    return DecimalText(mantissa, 4, negative);
}

std::wstring RealText(double value, int digits)
{
    if (std::isnan(value))
        return L"NaN";
    if (std::isinf(value))
        return value < 0 ? L"-Infinity" : L"Infinity";
    char buf[64];
    snprintf(buf, sizeof(buf), "%.*g", digits, value);
    std::wstring out;
    for (const char* p = buf; *p; ++p)
        out += (wchar_t)*p;
    return out;
}

// ---------------------------------------------------------------------------
// RowSet

const Cell& RowSet::At(size_t row, size_t col) const
{
    static const Cell nullCell;
    if (row + 1 >= m_rowStart.size())
        return nullCell;
    size_t begin = m_rowStart[row];
    size_t end = m_rowStart[row + 1];
    if (col >= end - begin)
        return nullCell;
    return m_cells[begin + col];
}

std::wstring RowSet::Text(const Cell& cell) const
{
    if (cell.kind != CellKind::Text)
        return std::wstring();
    return m_text.substr((size_t)cell.v.off, cell.len);
}

bool RowSet::IsNumeric(const Cell& cell) const
{
    switch (cell.kind)
    {
    case CellKind::Bool: case CellKind::Byte: case CellKind::Short: case CellKind::Long:
    case CellKind::BigInt: case CellKind::Single: case CellKind::Double:
    case CellKind::Currency: case CellKind::Date: case CellKind::Decimal:
        return true;
    default:
        return false;
    }
}

// A cell's value as a number, for comparisons and sorting; booleans are -1 and 0.
double RowSet::Number(const Cell& cell) const
{
    switch (cell.kind)
    {
    case CellKind::Bool:
        return cell.v.i ? -1.0 : 0.0;
    case CellKind::Byte: case CellKind::Short: case CellKind::Long: case CellKind::BigInt:
        return (double)cell.v.i;
    case CellKind::Currency:
        return (double)cell.v.i / 10000.0;
    case CellKind::Single: case CellKind::Double: case CellKind::Date:
        return cell.v.d;
    case CellKind::Decimal:
    {
        uint32_t w[3];
        memcpy(w, Bytes(cell), 12);
        double value = ((double)w[2] * 4294967296.0 + (double)w[1]) * 4294967296.0 + (double)w[0];
        value /= std::pow(10.0, cell.scale);
        return cell.negative ? -value : value;
    }
    default:
        return 0.0;
    }
}

// A cell's value as text, the way a field shows it.
std::wstring RowSet::DisplayText(const Cell& cell) const
{
    switch (cell.kind)
    {
    case CellKind::Null:
        return std::wstring();
    case CellKind::Text:
        return Text(cell);
    case CellKind::Bool:
        return cell.v.i ? L"True" : L"False";
    case CellKind::Byte: case CellKind::Short: case CellKind::Long: case CellKind::BigInt:
        return std::to_wstring(cell.v.i);
    case CellKind::Currency:
        return CurrencyText(cell.v.i);
    case CellKind::Single:
        return RealText(cell.v.d, 7);
    case CellKind::Double: case CellKind::Date:
        return RealText(cell.v.d, 15);
    case CellKind::Decimal:
        return DecimalText(Bytes(cell), cell.scale, cell.negative);
    case CellKind::Guid:
    {
        GUID guid;
        memcpy(&guid, Bytes(cell), 16);
        wchar_t buf[40] = {};
        StringFromGUID2(guid, buf, 40);
        return buf;
    }
    case CellKind::Binary:
        return std::wstring();
    }
    return std::wstring();
}

// A cell's value as the VARIANT a field hands out.
HRESULT RowSet::ToVariant(const Cell& cell, VARIANT* out) const
{
    VariantInit(out);
    switch (cell.kind)
    {
    case CellKind::Null:
        V_VT(out) = VT_NULL;
        break;
    case CellKind::Bool:
        V_VT(out) = VT_BOOL;
        V_BOOL(out) = cell.v.i ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case CellKind::Byte:
        V_VT(out) = VT_UI1;
        V_UI1(out) = (BYTE)cell.v.i;
        break;
    case CellKind::Short:
        V_VT(out) = VT_I2;
        V_I2(out) = (SHORT)cell.v.i;
        break;
    case CellKind::Long:
        V_VT(out) = VT_I4;
        V_I4(out) = (LONG)cell.v.i;
        break;
    case CellKind::BigInt:
        V_VT(out) = VT_I8;
        V_I8(out) = cell.v.i;
        break;
    case CellKind::Single:
        V_VT(out) = VT_R4;
        V_R4(out) = (float)cell.v.d;
        break;
    case CellKind::Double:
        V_VT(out) = VT_R8;
        V_R8(out) = cell.v.d;
        break;
    case CellKind::Currency:
        V_VT(out) = VT_CY;
        V_CY(out).int64 = cell.v.i;
        break;
    case CellKind::Date:
        V_VT(out) = VT_DATE;
        V_DATE(out) = cell.v.d;
        break;
    case CellKind::Text:
    case CellKind::Guid:
    {
        std::wstring text = cell.kind == CellKind::Text ? Text(cell) : DisplayText(cell);
        BSTR bstr = SysAllocStringLen(text.data(), (UINT)text.size());
        if (!bstr)
            return E_OUTOFMEMORY;
        V_VT(out) = VT_BSTR;
        V_BSTR(out) = bstr;
        break;
    }
    case CellKind::Binary:
    {
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, cell.len);
        if (!array)
            return E_OUTOFMEMORY;
        if (cell.len)
        {
            void* data = nullptr;
            SafeArrayAccessData(array, &data);
            memcpy(data, Bytes(cell), cell.len);
            SafeArrayUnaccessData(array);
        }
        V_VT(out) = VT_ARRAY | VT_UI1;
        V_ARRAY(out) = array;
        break;
    }
    case CellKind::Decimal:
    {
        DECIMAL& dec = V_DECIMAL(out);
        memset(&dec, 0, sizeof(dec));
        uint32_t w[3];
        memcpy(w, Bytes(cell), 12);
        dec.Lo32 = w[0];
        dec.Mid32 = w[1];
        dec.Hi32 = w[2];
        dec.scale = cell.scale;
        dec.sign = cell.negative ? DECIMAL_NEG : 0;
        V_VT(out) = VT_DECIMAL; // after the value: vt shares storage with DECIMAL.wReserved
        break;
    }
    }
    return S_OK;
}

long RowSet::ActualSize(const Cell& cell, const ColumnInfo& column) const
{
    switch (cell.kind)
    {
    case CellKind::Null:
        return 0;
    case CellKind::Text:
        return (long)cell.len * 2;
    case CellKind::Binary:
        return (long)cell.len;
    default:
        return column.definedSize;
    }
}

void RowSet::CheckLimit(size_t more)
{
    if (m_cellLimit && m_cells.size() + more > m_cellLimit)
        throw Error(E_OUTOFMEMORY, kSourceRecordset,
                    L"The table holds more cells than its file can plausibly contain; the file is damaged.");
}

void RowSet::CheckPool(size_t moreBytes)
{
    if (m_poolLimit && m_text.size() * sizeof(wchar_t) + m_bytes.size() + moreBytes > m_poolLimit)
        throw Error(E_OUTOFMEMORY, kSourceRecordset,
                    L"The table holds more text than its file can plausibly contain; the file is damaged.");
}

void RowSet::BeginRow()
{
    if (m_rowStart.empty())
        m_rowStart.push_back(0);
    m_rowLength = 0;
}

void RowSet::Put(size_t col, const Cell& cell)
{
    if (col < m_rowLength)
        return; // cells come in increasing column order; a repeat keeps the first
    if (cell.IsNull())
        return;
    CheckLimit(col - m_rowLength + 1);
    m_cells.resize(m_cells.size() + (col - m_rowLength)); // nulls in the gap
    m_cells.push_back(cell);
    m_rowLength = col + 1;
    ++m_values;
}

void RowSet::EndRow()
{
    if (m_cells.size() > 0xFFFFFFF0u)
        throw Error(E_OUTOFMEMORY, kSourceRecordset, L"The table is too large to be read.");
    m_rowStart.push_back((uint32_t)m_cells.size());
    m_rowLength = 0;
}

void RowSet::CheckShape() const
{
    double places = (double)RowCount() * (double)columns.size();
    if (places > 4e6 && places > 256.0 * (double)m_values)
        throw Error(E_FAIL, kSourceRecordset, L"The table has " + std::to_wstring(RowCount()) + L" rows of " +
                    std::to_wstring(columns.size()) + L" columns but only " + std::to_wstring(m_values) +
                    L" values; the file is damaged.");
}

Cell RowSet::MakeInt(CellKind kind, int64_t value)
{
    Cell cell;
    cell.kind = kind;
    cell.v.i = value;
    return cell;
}

Cell RowSet::MakeReal(CellKind kind, double value)
{
    Cell cell;
    cell.kind = kind;
    cell.v.d = value;
    return cell;
}

Cell RowSet::MakeText(const wchar_t* text, size_t length)
{
    Cell cell;
    cell.kind = CellKind::Text;
    cell.v.off = m_text.size();
    cell.len = (uint32_t)length;
    CheckPool(length * sizeof(wchar_t));
    m_text.append(text, length);
    return cell;
}

Cell RowSet::MakeBinary(const uint8_t* data, size_t length)
{
    Cell cell;
    cell.kind = CellKind::Binary;
    cell.v.off = m_bytes.size();
    cell.len = (uint32_t)length;
    CheckPool(length);
    m_bytes.insert(m_bytes.end(), data, data + length);
    return cell;
}

Cell RowSet::MakeGuid(const uint8_t* data16)
{
    Cell cell = MakeBinary(data16, 16);
    cell.kind = CellKind::Guid;
    return cell;
}

Cell RowSet::MakeDecimal(const uint8_t* mantissa12, unsigned char scale, bool negative)
{
    Cell cell = MakeBinary(mantissa12, 12);
    cell.kind = CellKind::Decimal;
    cell.len = 0;
    cell.scale = scale;
    cell.negative = negative;
    return cell;
}

} // namespace ado
