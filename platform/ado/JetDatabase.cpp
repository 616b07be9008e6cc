// JetDatabase.cpp: Jet 3 / Jet 4 page, row and long-value decoding.
#include "JetDatabase.h"

#include <algorithm>
#include <cstring>

namespace ado {

namespace {

// Column types as stored in table definitions.
enum JetType : uint8_t
{
    jetBool = 0x01, jetByte = 0x02, jetInt = 0x03, jetLong = 0x04, jetMoney = 0x05,
    jetFloat = 0x06, jetDouble = 0x07, jetDateTime = 0x08, jetBinary = 0x09, jetText = 0x0A,
    jetOle = 0x0B, jetMemo = 0x0C, jetGuid = 0x0F, jetNumeric = 0x10, jetBigInt = 0x13
};

const size_t kMaxChainHops = 1u << 20;

uint16_t U16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24); }
uint64_t U64(const uint8_t* p) { return (uint64_t)U32(p) | ((uint64_t)U32(p + 4) << 32); }
double F64(const uint8_t* p) { double d; memcpy(&d, p, 8); return d; }
float F32(const uint8_t* p) { float f; memcpy(&f, p, 4); return f; }

// RC4 as used to mask the header.
void Rc4(const uint8_t* key, size_t keyLength, uint8_t* data, size_t length)
{
    uint8_t s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = (uint8_t)i;
    for (int i = 0, j = 0; i < 256; ++i)
    {
        j = (j + s[i] + key[i % keyLength]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (size_t n = 0, i = 0, j = 0; n < length; ++n)
    {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[n] ^= s[(s[i] + s[j]) & 0xFF];
    }
}

// Fixed size in bytes of a fixed-length column type (0 for variable types).
size_t FixedSize(uint8_t type)
{
    switch (type)
    {
    case jetByte: return 1;
    case jetInt: return 2;
    case jetLong: case jetFloat: return 4;
    case jetMoney: case jetDouble: case jetDateTime: case jetBigInt: return 8;
    case jetGuid: return 16;
    case jetNumeric: return 17;
    default: return 0;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Opening

// Checks the header (Jet 3 or 4 only) and reads the page size, code page and table catalog.
JetDatabase::JetDatabase(const std::wstring& path, std::vector<uint8_t> file)
    : m_path(path), m_file(std::move(file))
{
    static const char kMagic[] = "Standard Jet DB";
    if (m_file.size() < 0x100 || U32(m_file.data()) != 0x00000100)
        Damaged(L"no database header");
    if (memcmp(m_file.data() + 4, kMagic, sizeof(kMagic)) != 0)
    {
        if (memcmp(m_file.data() + 4, "Standard ACE DB", 16) == 0)
            throw Error(E_FAIL, kSourceAccess, L"The database '" + m_path +
                        L"' is in the Access 2007 format, which cannot be read; save it as an Access 2000-2003 database.");
        Damaged(L"unknown header");
    }
    uint8_t version = m_file[0x14];
    if (version > 1)
        throw Error(E_FAIL, kSourceAccess, L"The database '" + m_path +
                    L"' is in an Access format newer than 2000-2003, which cannot be read.");
    m_jet4 = version == 1;
    m_pageSize = m_jet4 ? 4096 : 2048;
    if (m_file.size() < (size_t)m_pageSize * 3)
        Damaged(L"the file is truncated");
    m_pageCount = (uint32_t)(m_file.size() / m_pageSize);

    m_header.assign(m_file.begin(), m_file.begin() + 0x100);
    static const uint8_t kHeaderKey[4] = { 0xC7, 0xDA, 0x39, 0x6B };
    Rc4(kHeaderKey, 4, m_header.data() + 0x18, m_jet4 ? 128 : 126);

    uint16_t codePage = U16(m_header.data() + 0x3C);
    if (codePage && IsValidCodePage(codePage))
        m_codePage = codePage;
    if (U32(m_header.data() + 0x3E) != 0)
        throw Error(E_FAIL, kSourceAccess, L"The database '" + m_path +
                    L"' is encrypted, which this reader does not support; decrypt it in Access first.");
    ReadCatalog();
}

void JetDatabase::Damaged(const wchar_t* what) const
{
    throw Error(E_FAIL, kSourceAccess, L"The file '" + m_path +
                L"' is not a readable Access database (" + what + L").");
}

// Refuses a password that does not match the one stored (masked) in the header.
void JetDatabase::CheckPassword(const std::wstring& password) const
{
    if (!m_jet4)
    {
        // Jet 3: 20 bytes in the database code page.
        const uint8_t* stored = m_header.data() + 0x42;
        size_t used = 0;
        while (used < 20 && stored[used])
            ++used;
        if (used == 0)
            return;
        std::string given = Narrow(password, m_codePage);
        if (given.size() != used || memcmp(given.data(), stored, used) != 0)
            throw Error(DBE_AUTHFAILED, kSourceAccess, L"The database password is not valid.");
        return;
    }
    // Jet 4: 20 UTF-16 characters, masked with the creation date.
    uint8_t stored[40];
    memcpy(stored, m_header.data() + 0x42, 40);
    double created = F64(m_header.data() + 0x72);
    int32_t maskValue = (created > -2147483648.0 && created < 2147483647.0) ? (int32_t)created : 0;
    uint8_t mask[4];
    memcpy(mask, &maskValue, 4);
    for (size_t i = 0; i < 40; ++i)
        stored[i] ^= mask[i % 4];
    std::wstring storedText;
    for (size_t i = 0; i + 1 < 40; i += 2)
    {
        wchar_t ch = (wchar_t)U16(stored + i);
        if (!ch)
            break;
        storedText += ch;
    }
    if (storedText.empty())
        return;
    if (password != storedText)
        throw Error(DBE_AUTHFAILED, kSourceAccess, L"The database password is not valid.");
}

// ---------------------------------------------------------------------------
// Pages and rows

const uint8_t* JetDatabase::Page(uint32_t number) const
{
    if (number >= m_pageCount)
        Damaged(L"a page lies beyond the end of the file");
    return m_file.data() + (size_t)number * m_pageSize;
}

// Bounds of a row on a data page; false when the page has no such row.
bool JetDatabase::RowBounds(const uint8_t* page, unsigned row, size_t& start, size_t& end, uint16_t& flags) const
{
    size_t countAt = m_jet4 ? 12 : 8;
    unsigned count = U16(page + countAt);
    size_t table = countAt + 2;
    if (row >= count || table + 2 * (size_t)count > m_pageSize)
        return false;
    uint16_t entry = U16(page + table + 2 * row);
    flags = entry & 0xC000;
    start = entry & 0x1FFF;
    end = row == 0 ? m_pageSize : (U16(page + table + 2 * (row - 1)) & 0x1FFF);
    if (start < table + 2 * (size_t)count || start > end || end > m_pageSize)
        return false;
    return true;
}

// The row a row pointer (page << 8 | row) designates.
bool JetDatabase::FindRow(uint32_t pointer, const uint8_t*& data, size_t& length) const
{
    uint32_t pageNumber = pointer >> 8;
    if (pageNumber == 0 || pageNumber >= m_pageCount)
        return false;
    const uint8_t* page = Page(pageNumber);
    size_t start = 0, end = 0;
    uint16_t flags = 0;
    if (!RowBounds(page, pointer & 0xFF, start, end, flags))
        return false;
    data = page + start;
    length = end - start;
    return true;
}

// Reads a table's columns from its definition pages, which may continue over several pages.
JetDatabase::TableDef JetDatabase::ReadTableDef(uint32_t pageNumber) const
{
    // The definition may continue on further pages (each with an 8-byte header).
    std::vector<uint8_t> def;
    uint32_t next = pageNumber;
    for (uint32_t hops = 0; next != 0; ++hops)
    {
        if (hops >= m_pageCount)
            Damaged(L"a table definition loops");
        const uint8_t* page = Page(next);
        if (page[0] != 0x02)
            Damaged(L"a table definition page is missing");
        if (def.empty())
            def.assign(page, page + m_pageSize);
        else
            def.insert(def.end(), page + 8, page + m_pageSize);
        next = U32(page + 4);
    }

    TableDef table;
    table.page = pageNumber;
    size_t at;
    unsigned columnCount, realIndexCount;
    if (m_jet4)
    {
        table.rowCount = U32(&def[0x10]);
        columnCount = U16(&def[0x2D]);
        realIndexCount = U32(&def[0x33]);
        table.usageMap = U32(&def[0x37]);
        at = 0x3F + (size_t)std::min(realIndexCount, 1000u) * 12;
    }
    else
    {
        table.rowCount = U32(&def[0x0C]);
        columnCount = U16(&def[0x19]);
        realIndexCount = U32(&def[0x1F]);
        table.usageMap = U32(&def[0x23]);
        at = 0x2B + (size_t)std::min(realIndexCount, 1000u) * 8;
    }
    size_t entrySize = m_jet4 ? 25 : 18;
    if (columnCount == 0 || columnCount > 255 || at + columnCount * entrySize > def.size())
        Damaged(L"a table definition is cut short");

    for (unsigned i = 0; i < columnCount; ++i, at += entrySize)
    {
        const uint8_t* e = &def[at];
        Column column;
        column.type = e[0];
        if (m_jet4)
        {
            column.number = U16(e + 5);
            column.varIndex = U16(e + 7);
            column.precision = e[11];
            column.scale = e[12];
            column.flags = e[15];
            column.fixedOffset = U16(e + 21);
            column.length = U16(e + 23);
        }
        else
        {
            column.number = U16(e + 1);
            column.varIndex = U16(e + 3);
            column.flags = e[13];
            column.fixedOffset = U16(e + 14);
            column.length = U16(e + 16);
        }
        table.columns.push_back(column);
    }
    for (Column& column : table.columns)
    {
        if (m_jet4)
        {
            if (at + 2 > def.size())
                Damaged(L"column names are cut short");
            size_t bytes = U16(&def[at]);
            at += 2;
            if (at + bytes > def.size())
                Damaged(L"column names are cut short");
            column.name = DecodeText(&def[at], bytes);
            at += bytes;
        }
        else
        {
            if (at + 1 > def.size())
                Damaged(L"column names are cut short");
            size_t bytes = def[at++];
            if (at + bytes > def.size())
                Damaged(L"column names are cut short");
            column.name = DecodeText(&def[at], bytes);
            at += bytes;
        }
        if (!(column.flags & 0x01))
            ++table.varColumns;
    }
    std::stable_sort(table.columns.begin(), table.columns.end(),
                     [](const Column& a, const Column& b) { return a.number < b.number; });
    return table;
}

// Data pages of a table in page order, from its usage map.
std::vector<uint32_t> JetDatabase::DataPages(const TableDef& table) const
{
    const uint8_t* map = nullptr;
    size_t length = 0;
    if (!FindRow(table.usageMap, map, length) || length < 5)
        Damaged(L"a usage map is missing");

    std::vector<uint32_t> pages;
    auto addPage = [&](uint64_t number) {
        if (number >= m_pageCount)
            Damaged(L"a data page lies beyond the end of the file");
        pages.push_back((uint32_t)number);
    };
    if (map[0] == 0)
    {
        // Inline bitmap: a start page, then one bit per page.
        uint64_t first = U32(map + 1);
        for (size_t i = 5; i < length; ++i)
            for (int bit = 0; bit < 8; ++bit)
                if (map[i] & (1 << bit))
                    addPage(first + (i - 5) * 8 + bit);
    }
    else if (map[0] == 1)
    {
        // References to bitmap pages, each covering (page size - 4) * 8 pages.
        uint64_t perMap = ((uint64_t)m_pageSize - 4) * 8;
        for (size_t i = 1, n = 0; i + 4 <= length; i += 4, ++n)
        {
            uint32_t mapPage = U32(map + i);
            if (mapPage == 0)
                continue;
            const uint8_t* bits = Page(mapPage);
            if (bits[0] != 0x05)
                Damaged(L"a usage map page is missing");
            for (size_t b = 4; b < m_pageSize; ++b)
                if (bits[b])
                    for (int bit = 0; bit < 8; ++bit)
                        if (bits[b] & (1 << bit))
                            addPage(n * perMap + (b - 4) * 8 + bit);
        }
    }
    else
        Damaged(L"a usage map has an unknown kind");
    return pages;
}

// ---------------------------------------------------------------------------
// Values

std::wstring JetDatabase::DecodeText(const uint8_t* data, size_t length) const
{
    if (!m_jet4)
        return Widen(std::string((const char*)data, length), m_codePage);
    std::wstring text;
    if (length >= 2 && data[0] == 0xFF && data[1] == 0xFE)
    {
        // Compressed: one byte per character; a zero byte switches between
        // one-byte and two-byte runs.
        bool compressed = true;
        size_t i = 2;
        text.reserve(length);
        while (i < length)
        {
            if (data[i] == 0)
            {
                compressed = !compressed;
                ++i;
                continue;
            }
            if (compressed)
                text += (wchar_t)data[i++];
            else
            {
                if (i + 1 >= length)
                    break;
                text += (wchar_t)U16(data + i);
                i += 2;
            }
        }
        return text;
    }
    text.resize(length / 2);
    for (size_t i = 0; i < length / 2; ++i)
        text[i] = (wchar_t)U16(data + 2 * i);
    return text;
}

// The bytes of a memo or OLE value from its 12-byte reference (and inline data).
std::vector<uint8_t> JetDatabase::ReadLongValue(const uint8_t* field, size_t length) const
{
    std::vector<uint8_t> value;
    if (length < 12)
        Damaged(L"a long value reference is cut short");
    uint32_t header = U32(field);
    size_t total = header & 0x3FFFFFFF;
    if (total > m_file.size())
        Damaged(L"a long value is longer than the file");
    uint32_t pointer = U32(field + 4);
    if (header & 0x80000000)
    {
        if (12 + total > length)
            Damaged(L"an inline long value is cut short");
        value.assign(field + 12, field + 12 + total);
        return value;
    }
    const uint8_t* row = nullptr;
    size_t rowLength = 0;
    if (header & 0x40000000)
    {
        if (!FindRow(pointer, row, rowLength) || rowLength < total)
            Damaged(L"a long value page is missing");
        value.assign(row, row + total);
        return value;
    }
    // A chain of rows, each starting with the pointer to the next.
    value.reserve(total);
    for (size_t hops = 0; value.size() < total; ++hops)
    {
        if (pointer == 0 || hops > kMaxChainHops || !FindRow(pointer, row, rowLength) || rowLength < 4)
            Damaged(L"a long value chain is broken");
        pointer = U32(row);
        size_t take = std::min(rowLength - 4, total - value.size());
        value.insert(value.end(), row + 4, row + 4 + take);
    }
    return value;
}

// Turns the stored bytes of a fixed or variable column into a cell.
Cell JetDatabase::DecodeValue(const Column& column, const uint8_t* p, size_t length, RowSet& out) const
{
    switch (column.type)
    {
    case jetByte: return RowSet::MakeInt(CellKind::Byte, p[0]);
    case jetInt: return RowSet::MakeInt(CellKind::Short, (int16_t)U16(p));
    case jetLong: return RowSet::MakeInt(CellKind::Long, (int32_t)U32(p));
    case jetMoney: return RowSet::MakeInt(CellKind::Currency, (int64_t)U64(p));
    case jetBigInt: return RowSet::MakeInt(CellKind::BigInt, (int64_t)U64(p));
    case jetFloat: return RowSet::MakeReal(CellKind::Single, F32(p));
    case jetDouble: return RowSet::MakeReal(CellKind::Double, F64(p));
    case jetDateTime: return RowSet::MakeReal(CellKind::Date, F64(p));
    case jetGuid: return out.MakeGuid(p);
    case jetNumeric:
    {
        // Sign byte, then four 32-bit words from the most significant one.
        uint32_t w[4] = { U32(p + 1), U32(p + 5), U32(p + 9), U32(p + 13) };
        if (w[0] != 0)
            Damaged(L"a decimal value is out of range");
        uint8_t mantissa[12];
        memcpy(mantissa, &w[3], 4);
        memcpy(mantissa + 4, &w[2], 4);
        memcpy(mantissa + 8, &w[1], 4);
        return out.MakeDecimal(mantissa, std::min<uint8_t>(column.scale, 28), p[0] != 0);
    }
    case jetText:
    {
        std::wstring text = DecodeText(p, length);
        return out.MakeText(text);
    }
    case jetMemo:
    {
        std::vector<uint8_t> bytes = ReadLongValue(p, length);
        std::wstring text = DecodeText(bytes.data(), bytes.size());
        return out.MakeText(text);
    }
    case jetOle:
    {
        std::vector<uint8_t> bytes = ReadLongValue(p, length);
        return out.MakeBinary(bytes.data(), bytes.size());
    }
    default:
        return out.MakeBinary(p, length);
    }
}

// Decodes one row into the next row of the output.
//
// Row layout (offsets from the row start; Jet 4 widths in brackets):
//   column count 1 [2] | fixed columns | variable columns |
//   end-of-data offset, variable offsets (last column first) 1 [2] each |
//   Jet 3 only: jump table | variable column count 1 [2] | null mask
void JetDatabase::DecodeRow(const TableDef& table, const uint8_t* row, size_t length, RowSet& out) const
{
    const size_t headerSize = m_jet4 ? 2 : 1;
    if (length < headerSize + 1)
        Damaged(L"a row is cut short");
    size_t columnCount = m_jet4 ? U16(row) : row[0];
    size_t maskSize = (columnCount + 7) / 8;
    if (length < headerSize + maskSize)
        Damaged(L"a row is cut short");
    const uint8_t* nullMask = row + length - maskSize;
    size_t tail = length - maskSize;    // end of everything before the null mask

    std::vector<size_t> varOffsets;     // variable column starts, then the end of data
    size_t fixedEnd = tail;
    if (table.varColumns > 0)
    {
        if (m_jet4)
        {
            if (tail < headerSize + 2)
                Damaged(L"a row is cut short");
            size_t varCount = U16(row + tail - 2);
            if (tail < headerSize + 2 + 2 * (varCount + 1))
                Damaged(L"a row's offset table is cut short");
            for (size_t i = 0; i <= varCount; ++i)
                varOffsets.push_back(U16(row + tail - 4 - 2 * i));
        }
        else
        {
            if (tail < headerSize + 1)
                Damaged(L"a row is cut short");
            size_t varCount = row[tail - 1];
            // One-byte offsets need a jump table: one entry per 256 bytes of
            // row, each the first variable column at or past the next 256-byte
            // boundary. The last entry may be unused; the count in use is the
            // one for which the end-of-data offset points at its own byte.
            size_t jumps = (length - 1) / 256;
            if (tail < headerSize + 1 + jumps + varCount + 1)
                Damaged(L"a row's offset table is cut short");
            size_t eodAt = tail - 2 - jumps - varCount;
            bool found = false;
            for (size_t used = jumps + 1; used-- > 0 && used + 1 >= jumps && !found;)
            {
                std::vector<size_t> offsets;
                for (size_t i = 0, j = 0; i <= varCount; ++i)
                {
                    while (j < used && row[tail - 2 - j] == i)
                        ++j;
                    offsets.push_back(row[tail - 2 - jumps - i] + 256 * j);
                }
                if (offsets.back() == eodAt)
                {
                    varOffsets = offsets;
                    found = true;
                }
            }
            if (!found)
                Damaged(L"a row's offset table is inconsistent");
        }
        for (size_t i = 0; i < varOffsets.size(); ++i)
            if (varOffsets[i] < headerSize || varOffsets[i] > tail || (i > 0 && varOffsets[i] < varOffsets[i - 1]))
                Damaged(L"a row's offsets are out of order");
        fixedEnd = varOffsets.front();
    }

    out.BeginRow();
    for (size_t c = 0; c < table.columns.size(); ++c)
    {
        const Column& column = table.columns[c];
        bool present = column.number < columnCount && (nullMask[column.number / 8] & (1 << (column.number % 8)));
        if (column.type == jetBool)
        {
            out.Put(c, RowSet::MakeInt(CellKind::Bool, present ? 1 : 0));
            continue;
        }
        if (!present)
            continue;
        if (column.flags & 0x01)
        {
            size_t size = FixedSize(column.type);
            if (size == 0)
                size = column.length;
            size_t start = headerSize + column.fixedOffset;
            if (start + size > fixedEnd)
                continue; // column added after the row was written
            out.Put(c, DecodeValue(column, row + start, size, out));
        }
        else
        {
            if ((size_t)column.varIndex + 1 >= varOffsets.size())
                continue;
            size_t start = varOffsets[column.varIndex];
            size_t end = varOffsets[column.varIndex + 1];
            out.Put(c, DecodeValue(column, row + start, end - start, out));
        }
    }
    out.EndRow();
}

// Reads every live row of a table, following moved rows and within memory limits.
std::shared_ptr<RowSet> JetDatabase::ReadRows(const TableDef& table) const
{
    auto rows = std::make_shared<RowSet>();
    for (const Column& column : table.columns)
        rows->columns.push_back(DescribeColumn(column, m_jet4));
    rows->SetLimits(1000000 + 2 * m_file.size(), (64u << 20) + 16 * m_file.size());

    for (uint32_t pageNumber : DataPages(table))
    {
        const uint8_t* page = Page(pageNumber);
        if (page[0] != 0x01 || U32(page + 4) != table.page)
            continue; // not (or no longer) a data page of this table
        unsigned count = U16(page + (m_jet4 ? 12 : 8));
        for (unsigned r = 0; r < count; ++r)
        {
            size_t start = 0, end = 0;
            uint16_t flags = 0;
            if (!RowBounds(page, r, start, end, flags))
                Damaged(L"a row lies outside its page");
            if (flags & 0x8000)
                continue; // deleted
            const uint8_t* data = page + start;
            size_t length = end - start;
            if (flags & 0x4000)
            {
                // The row moved to another page; this one holds its pointer.
                if (length < 4 || !FindRow(U32(data), data, length))
                    Damaged(L"a moved row is missing");
            }
            DecodeRow(table, data, length, *rows);
        }
    }
    rows->CheckShape();
    return rows;
}

// The type, size and attributes a field of a stored column reports.
ColumnInfo JetDatabase::DescribeColumn(const Column& column, bool jet4)
{
    ColumnInfo info;
    info.name = column.name;
    info.attributes = (column.flags & 0x02) ? (adFldIsNullable | adFldMayBeNull) : 0;
    switch (column.type)
    {
    case jetBool: info.type = adBoolean; info.definedSize = 2; info.attributes = 0; break;
    case jetByte: info.type = adUnsignedTinyInt; info.definedSize = 1; break;
    case jetInt: info.type = adSmallInt; info.definedSize = 2; break;
    case jetLong: info.type = adInteger; info.definedSize = 4; break;
    case jetMoney: info.type = adCurrency; info.definedSize = 8; break;
    case jetFloat: info.type = adSingle; info.definedSize = 4; break;
    case jetDouble: info.type = adDouble; info.definedSize = 8; break;
    case jetDateTime: info.type = adDate; info.definedSize = 8; break;
    case jetBigInt: info.type = adBigInt; info.definedSize = 8; break;
    case jetGuid: info.type = adGUID; info.definedSize = 16; break;
    case jetNumeric:
        info.type = adNumeric;
        info.definedSize = 19;
        info.precision = column.precision;
        info.scale = column.scale;
        break;
    case jetText:
        info.type = adVarWChar;
        info.definedSize = jet4 ? column.length / 2 : column.length;
        break;
    case jetMemo: info.type = adLongVarWChar; info.definedSize = 536870910; info.attributes |= adFldLong; break;
    case jetOle: info.type = adLongVarBinary; info.definedSize = 1073741823; info.attributes |= adFldLong; break;
    default: info.type = adVarBinary; info.definedSize = column.length; break;
    }
    if (column.flags & 0x01)
        info.attributes |= adFldFixed;
    return info;
}

// ---------------------------------------------------------------------------
// Catalogue

void JetDatabase::ReadCatalog()
{
    TableDef objects = ReadTableDef(2);
    auto find = [&](const wchar_t* name) -> int {
        for (size_t i = 0; i < objects.columns.size(); ++i)
            if (EqualNoCase(objects.columns[i].name, name))
                return (int)i;
        Damaged(L"the system catalogue lacks a column");
    };
    int idColumn = find(L"Id"), nameColumn = find(L"Name"), typeColumn = find(L"Type"),
        flagsColumn = find(L"Flags"), createColumn = find(L"DateCreate"), updateColumn = find(L"DateUpdate");
    std::shared_ptr<RowSet> rows = ReadRows(objects);
    for (size_t r = 0; r < rows->RowCount(); ++r)
    {
        const Cell& type = rows->At(r, typeColumn);
        if (type.kind != CellKind::Short || (type.v.i & 0x7FFF) != 1)
            continue; // local tables only
        CatalogEntry entry;
        entry.name = rows->Text(rows->At(r, nameColumn));
        entry.page = (uint32_t)(rows->At(r, idColumn).v.i & 0x00FFFFFF);
        uint32_t flags = (uint32_t)rows->At(r, flagsColumn).v.i;
        if (flags & 0x80000002u)
            entry.type = L"SYSTEM TABLE";
        else if (entry.name.compare(0, 4, L"MSys") == 0)
            entry.type = L"ACCESS TABLE";
        else
            entry.type = L"TABLE";
        const Cell& created = rows->At(r, createColumn);
        const Cell& modified = rows->At(r, updateColumn);
        entry.created = created.kind == CellKind::Date ? created.v.d : 0;
        entry.modified = modified.kind == CellKind::Date ? modified.v.d : 0;
        if (!entry.name.empty() && entry.page > 2 && entry.page < m_pageCount)
            m_catalog.push_back(entry);
        else if (EqualNoCase(entry.name, L"MSysObjects"))
            m_catalog.push_back(entry);
    }
}

// The user tables and views, listed as the tables schema sorts them.
std::vector<TableEntry> JetDatabase::Tables()
{
    std::vector<TableEntry> tables;
    for (const CatalogEntry& entry : m_catalog)
    {
        TableEntry table;
        table.name = entry.name;
        table.type = entry.type;
        table.hasDates = true;
        table.created = entry.created;
        table.modified = entry.modified;
        tables.push_back(table);
    }
    std::stable_sort(tables.begin(), tables.end(), [](const TableEntry& a, const TableEntry& b) {
        if (a.type != b.type)
            return a.type < b.type;
        return CompareStringOrdinal(a.name.data(), (int)a.name.size(), b.name.data(), (int)b.name.size(), TRUE) == CSTR_LESS_THAN;
    });
    return tables;
}

std::shared_ptr<RowSet> JetDatabase::ReadTable(const std::wstring& name)
{
    for (const CatalogEntry& entry : m_catalog)
        if (EqualNoCase(entry.name, name))
            return ReadRows(ReadTableDef(entry.page ? entry.page : 2));
    throw Error(DBE_NOTABLE, kSourceAccess, L"The database has no table named " + Quoted(name) + L".");
}

std::unique_ptr<Provider> OpenAccessDatabase(const std::wstring& path, const std::wstring& password)
{
    std::unique_ptr<JetDatabase> database(new JetDatabase(path, ReadWholeFile(path, kSourceAccess)));
    database->CheckPassword(password);
    return database;
}

} // namespace ado
