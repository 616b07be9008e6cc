// XlsWorkbook.cpp: BIFF records, strings, cell values and sheets as tables.
#include "XlsWorkbook.h"

#include "CompoundFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace ado {

namespace {

// Record identifiers.
enum : uint16_t
{
    recFormula = 0x0006, recEof = 0x000A, recNumber2 = 0x0003, recName = 0x0018, recExternSheet = 0x0017,
    recDateMode = 0x0022, recFilePass = 0x002F, recContinue = 0x003C, recCodePage = 0x0042,
    recBoundSheet = 0x0085, recMulRk = 0x00BD, recRString = 0x00D6, recXf = 0x00E0, recSst = 0x00FC,
    recLabelSst = 0x00FD, recSupBook = 0x01AE, recNumber = 0x0203, recLabel = 0x0204, recBoolErr = 0x0205,
    recString = 0x0207, recRk = 0x027E, recFormat = 0x041E, recBof = 0x0809
};

uint16_t U16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24); }
double F64(const uint8_t* p) { double d; memcpy(&d, p, 8); return d; }

struct Record
{
    uint16_t id = 0;
    const uint8_t* data = nullptr;
    size_t length = 0;
    size_t next = 0;        // offset of the following record
};

// The record at an offset; false at the end of the stream or when it is cut short.
bool ReadRecord(const std::vector<uint8_t>& stream, size_t at, Record& record)
{
    if (at + 4 > stream.size())
        return false;
    record.id = U16(&stream[at]);
    record.length = U16(&stream[at + 2]);
    if (at + 4 + record.length > stream.size())
        return false;
    record.data = stream.data() + at + 4;
    record.next = at + 4 + record.length;
    return true;
}

// Number of an RK value.
double RkValue(uint32_t rk)
{
    double value;
    if (rk & 0x02)
        value = (double)((int32_t)rk >> 2);
    else
    {
        uint64_t bits = (uint64_t)(rk & 0xFFFFFFFC) << 32;
        memcpy(&value, &bits, 8);
    }
    return (rk & 0x01) ? value / 100.0 : value;
}

// Segments reads the data of a record and of the CONTINUE records that follow it as one.
class Segments
{
public:
    Segments(const uint8_t* data, size_t length) { m_parts.push_back({ data, length }); }

    // Adds the CONTINUE records after a record; returns the offset after them.
    size_t AddContinues(const std::vector<uint8_t>& stream, size_t next)
    {
        Record record;
        while (ReadRecord(stream, next, record) && record.id == recContinue)
        {
            m_parts.push_back({ record.data, record.length });
            next = record.next;
        }
        return next;
    }

    bool AtEnd()
    {
        while (m_part < m_parts.size() && m_pos >= m_parts[m_part].second)
        {
            ++m_part;
            m_pos = 0;
        }
        return m_part >= m_parts.size();
    }

    uint8_t U8()
    {
        if (AtEnd())
            throw std::runtime_error("record cut short");
        return m_parts[m_part].first[m_pos++];
    }
    uint16_t U16v() { uint16_t lo = U8(); return (uint16_t)(lo | (U8() << 8)); }
    uint32_t U32v() { uint32_t lo = U16v(); return lo | ((uint32_t)U16v() << 16); }

    void Skip(size_t n)
    {
        while (n > 0)
        {
            if (AtEnd())
                throw std::runtime_error("record cut short");
            size_t take = std::min(n, m_parts[m_part].second - m_pos);
            m_pos += take;
            n -= take;
        }
    }

    // Characters of a BIFF8 string; a continuation inside them starts with a new options byte.
    std::wstring Chars(size_t count, bool wide)
    {
        std::wstring text;
        text.reserve(std::min<size_t>(count, 65535));
        while (text.size() < count)
        {
            if (m_part >= m_parts.size())
                throw std::runtime_error("string cut short");
            if (m_pos >= m_parts[m_part].second)
            {
                ++m_part;
                m_pos = 0;
                if (m_part >= m_parts.size() || m_parts[m_part].second == 0)
                    throw std::runtime_error("string cut short");
                wide = (m_parts[m_part].first[m_pos++] & 0x01) != 0;
                continue;
            }
            const uint8_t* p = m_parts[m_part].first;
            if (wide)
            {
                if (m_pos + 2 > m_parts[m_part].second)
                    throw std::runtime_error("string cut short");
                text += (wchar_t)(p[m_pos] | (p[m_pos + 1] << 8));
                m_pos += 2;
            }
            else
                text += (wchar_t)p[m_pos++];
        }
        return text;
    }

    // A BIFF8 string with a 1- or 2-byte character count.
    std::wstring UnicodeString(int countBytes)
    {
        size_t count = countBytes == 2 ? U16v() : U8();
        uint8_t options = U8();
        size_t runs = (options & 0x08) ? U16v() : 0;
        size_t extra = (options & 0x04) ? U32v() : 0;
        std::wstring text = Chars(count, (options & 0x01) != 0);
        Skip(runs * 4);
        Skip(extra);
        return text;
    }

    // A BIFF5 byte string with a 1- or 2-byte length.
    std::wstring ByteString(int countBytes, UINT codePage)
    {
        size_t count = countBytes == 2 ? U16v() : U8();
        std::string bytes;
        bytes.reserve(count);
        for (size_t i = 0; i < count; ++i)
            bytes += (char)U8();
        return Widen(bytes, codePage);
    }

private:
    std::vector<std::pair<const uint8_t*, size_t>> m_parts;
    size_t m_part = 0;
    size_t m_pos = 0;
};

// True when a number format shows a date or a time.
bool FormatIsDate(const std::wstring& format)
{
    bool inQuote = false;
    for (size_t i = 0; i < format.size(); ++i)
    {
        wchar_t ch = format[i];
        if (inQuote)
        {
            if (ch == L'"')
                inQuote = false;
            continue;
        }
        switch (ch)
        {
        case L'"': inQuote = true; break;
        case L'\\': case L'_': case L'*': ++i; break;
        case L';': return false; // only the first section decides
        case L'[':
        {
            size_t end = format.find(L']', i);
            if (end == std::wstring::npos)
                return false;
            std::wstring inner = format.substr(i + 1, end - i - 1);
            if (!inner.empty() && (towlower(inner[0]) == L'h' || towlower(inner[0]) == L'm' || towlower(inner[0]) == L's') &&
                inner.find_first_not_of(inner[0]) == std::wstring::npos)
                return true; // elapsed time [h], [mm], [ss]
            i = end;
            break;
        }
        default:
            switch (towlower(ch))
            {
            case L'd': case L'm': case L'y': case L'h': case L's':
                return true;
            }
        }
    }
    return false;
}

bool BuiltInIsDate(uint16_t index)
{
    return (index >= 14 && index <= 22) || (index >= 27 && index <= 36) || (index >= 45 && index <= 47) ||
           (index >= 50 && index <= 58);
}

// Text of an OLE date: the date alone when it has no time of day.
std::wstring DateText(double date)
{
    SYSTEMTIME st = {};
    if (!VariantTimeToSystemTime(date, &st))
        return RealText(date, 15);
    wchar_t buf[40];
    if (std::floor(date) == date)
        swprintf(buf, 40, L"%04u-%02u-%02u", st.wYear, st.wMonth, st.wDay);
    else
        swprintf(buf, 40, L"%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                 st.wSecond);
    return buf;
}

} // namespace

// ---------------------------------------------------------------------------
// Opening

XlsWorkbook::XlsWorkbook(const std::wstring& path, const std::vector<uint8_t>& file) : m_path(path)
{
    if (!CompoundFile::IsCompoundFile(file))
    {
        if (file.size() >= 4 && (U16(file.data()) == 0x0009 || U16(file.data()) == 0x0209 ||
                                 U16(file.data()) == 0x0409 || U16(file.data()) == 0x0809))
            throw Error(E_FAIL, kSourceExcel, L"The workbook '" + m_path +
                        L"' is in an Excel 2.1-4.0 format, which cannot be read; save it as an Excel 97-2003 workbook.");
        Damaged(L"it is not an Excel 97-2003 or 5.0/95 workbook");
    }
    try
    {
        CompoundFile container(file);
        if (!container.ReadStream(L"Workbook", m_stream) && !container.ReadStream(L"Book", m_stream))
            Damaged(L"it holds no workbook");
        ParseGlobals();
    }
    catch (const std::runtime_error& e)
    {
        std::string reason = e.what();
        Damaged(Widen(reason, CP_ACP).c_str());
    }
}

void XlsWorkbook::Damaged(const wchar_t* what) const
{
    throw Error(E_FAIL, kSourceExcel, L"The file '" + m_path + L"' is not a readable Excel workbook (" + what + L").");
}

// Reads the workbook globals: version, sheets, shared texts and the named ranges of this workbook.
void XlsWorkbook::ParseGlobals()
{
    Record record;
    if (!ReadRecord(m_stream, 0, record) || record.id != recBof || record.length < 4)
        Damaged(L"no workbook header");
    uint16_t version = U16(record.data);
    if (version == 0x0600)
        m_biff8 = true;
    else if (version == 0x0500)
        m_biff8 = false;
    else
        Damaged(L"unknown BIFF version");

    GlobalNames names;
    ReadGlobalRecords(record.next, names);
    ResolveNamedRanges(names);
}

// Hands each globals record to the reader of its family, up to the globals' end; a password
// stops the reading, since nothing after it can be read.
void XlsWorkbook::ReadGlobalRecords(size_t at, GlobalNames& names)
{
    Record record;
    while (ReadRecord(m_stream, at, record))
    {
        at = record.next;
        const uint8_t* d = record.data;
        size_t n = record.length;
        switch (record.id)
        {
        case recEof:
            return;
        case recFilePass:
            throw Error(E_FAIL, kSourceExcel, L"The workbook '" + m_path +
                        L"' is protected with a password and cannot be read; remove the password in Excel first.");
        case recCodePage:
        case recDateMode:
            ReadSettingRecord(record.id, d, n);
            break;
        case recXf:
        case recFormat:
            ReadFormatRecord(record.id, d, n);
            break;
        case recBoundSheet:
            ReadSheetRecord(d, n);
            break;
        case recSst:
            at = ReadSharedStrings(d, n, at);
            break;
        case recSupBook:
        case recExternSheet:
        case recName:
            ReadNameRecord(record.id, d, n, names);
            break;
        }
    }
}

// Takes the code page of BIFF5 byte strings (Mac Roman for the Mac mark, 1252 for the Unicode
// marks) and the date system of the date cells.
void XlsWorkbook::ReadSettingRecord(uint16_t id, const uint8_t* d, size_t n)
{
    switch (id)
    {
    case recCodePage:
        if (n >= 2)
        {
            UINT cp = U16(d);
            if (cp == 0x8000)
                cp = 10000;
            else if (cp == 0x8001 || cp == 1200)
                cp = 1252;
            if (IsValidCodePage(cp))
                m_codePage = cp;
        }
        break;
    case recDateMode:
        if (n >= 2)
            m_1904 = U16(d) != 0;
        break;
    }
}

// Keeps the format of each cell style and whether each custom format shows a date, which
// decides later whether a number cell is a date.
void XlsWorkbook::ReadFormatRecord(uint16_t id, const uint8_t* d, size_t n)
{
    switch (id)
    {
    case recXf:
        if (n >= 4)
            m_xfFormat.push_back(U16(d + 2));
        break;
    case recFormat:
        if (n >= 3)
        {
            Segments in(d + 2, n - 2);
            std::wstring format = m_biff8 ? in.UnicodeString(2) : in.ByteString(1, m_codePage);
            m_formats.emplace_back(U16(d), FormatIsDate(format));
        }
        break;
    }
}

// Lists one sheet with the stream offset of its cells; charts and modules are kept but marked.
void XlsWorkbook::ReadSheetRecord(const uint8_t* d, size_t n)
{
    if (n >= 8)
    {
        Segments in(d + 6, n - 6);
        Sheet sheet;
        sheet.offset = U32(d);
        sheet.name = m_biff8 ? in.UnicodeString(1) : in.ByteString(1, m_codePage);
        sheet.worksheet = d[5] == 0;
        m_sheets.push_back(sheet);
    }
}

// Reads the shared strings, which run on through CONTINUE records; returns the offset after them.
size_t XlsWorkbook::ReadSharedStrings(const uint8_t* d, size_t n, size_t at)
{
    if (m_biff8 && n >= 8)
    {
        Segments in(d + 8, n - 8);
        at = in.AddContinues(m_stream, at);
        size_t unique = U32(d + 4);
        m_sst.reserve(std::min<size_t>(unique, m_stream.size() / 3));
        for (size_t i = 0; i < unique && !in.AtEnd(); ++i)
            m_sst.push_back(in.UnicodeString(2));
    }
    return at;
}

// Gathers the defined names and the book and sheet references their formulas go through;
// hidden and built-in names are left out.
void XlsWorkbook::ReadNameRecord(uint16_t id, const uint8_t* d, size_t n, GlobalNames& names)
{
    switch (id)
    {
    case recSupBook:
        names.internalBooks.push_back(n == 4 && U16(d + 2) == 0x0401);
        break;
    case recExternSheet:
        if (m_biff8 && n >= 2)
        {
            size_t count = std::min<size_t>(U16(d), (n - 2) / 6);
            for (size_t i = 0; i < count; ++i)
                names.externSheets.emplace_back(U16(d + 2 + 6 * i), U16(d + 4 + 6 * i));
        }
        break;
    case recName:
        if (n >= 14)
        {
            uint16_t options = U16(d);
            size_t nameLength = d[3];
            size_t formulaLength = U16(d + 4);
            if (options & 0x0021) // hidden or built-in
                break;
            Segments in(d + 14, n - 14);
            GlobalNames::RawName raw;
            raw.sheet = U16(d + 8);
            if (m_biff8)
            {
                uint8_t flags = in.U8();
                raw.name = in.Chars(nameLength, (flags & 0x01) != 0);
            }
            else
            {
                std::string bytes;
                for (size_t i = 0; i < nameLength; ++i)
                    bytes += (char)in.U8();
                raw.name = Widen(bytes, m_codePage);
            }
            for (size_t i = 0; i < formulaLength && !in.AtEnd(); ++i)
                raw.formula.push_back(in.U8());
            names.rawNames.push_back(raw);
        }
        break;
    }
}

// Keeps as named ranges the global names whose formula is one 3-D reference into a worksheet
// of this workbook; any other name is no table.
void XlsWorkbook::ResolveNamedRanges(const GlobalNames& names)
{
    const std::vector<bool>& internalBooks = names.internalBooks;
    const std::vector<std::pair<uint16_t, uint16_t>>& externSheets = names.externSheets;
    for (const GlobalNames::RawName& raw : names.rawNames)
    {
        if (raw.sheet != 0 || raw.formula.empty())
            continue;
        const std::vector<uint8_t>& f = raw.formula;
        uint8_t token = f[0];
        bool area = token == 0x3B || token == 0x5B || token == 0x7B;
        bool ref = token == 0x3A || token == 0x5A || token == 0x7A;
        if (!area && !ref)
            continue;
        NamedRange range;
        range.name = raw.name;
        if (m_biff8)
        {
            size_t need = area ? 11 : 7;
            if (f.size() != need)
                continue;
            uint16_t ixti = U16(&f[1]);
            if (ixti >= externSheets.size())
                continue;
            uint16_t book = externSheets[ixti].first;
            if (book >= internalBooks.size() || !internalBooks[book])
                continue;
            range.sheet = externSheets[ixti].second;
            range.firstRow = U16(&f[3]);
            range.lastRow = area ? U16(&f[5]) : range.firstRow;
            range.firstCol = (uint16_t)(U16(&f[area ? 7 : 5]) & 0x00FF);
            range.lastCol = area ? (uint16_t)(U16(&f[9]) & 0x00FF) : range.firstCol;
        }
        else
        {
            size_t need = area ? 21 : 18;
            if (f.size() != need || (int16_t)U16(&f[1]) >= 0)
                continue; // another workbook
            range.sheet = U16(&f[11]);
            range.firstRow = U16(&f[15]) & 0x3FFF;
            range.lastRow = area ? (U16(&f[17]) & 0x3FFF) : range.firstRow;
            range.firstCol = f[area ? 19 : 17];
            range.lastCol = area ? f[20] : range.firstCol;
        }
        if (range.sheet >= m_sheets.size() || !m_sheets[range.sheet].worksheet || range.lastRow < range.firstRow || range.lastCol < range.firstCol)
            continue;
        m_names.push_back(range);
    }
}

// ---------------------------------------------------------------------------
// Cells

bool XlsWorkbook::IsDateFormat(uint16_t xf) const
{
    if (xf >= m_xfFormat.size())
        return false;
    uint16_t format = m_xfFormat[xf];
    for (const auto& custom : m_formats)
        if (custom.first == format)
            return custom.second;
    return BuiltInIsDate(format);
}

// OLE date of a date serial of the workbook's date system.
double XlsWorkbook::OleDateOf(double serial) const
{
    if (m_1904)
        return serial + 1462;
    // The 1900 system counts a 29 February 1900 that never was.
    if (serial >= 1 && serial < 60)
        return serial + 1;
    return serial;
}

// Reads the cells of one sheet, in row and column order, refusing cells beyond the sheet's limits.
void XlsWorkbook::ReadCells(const Sheet& sheet, std::vector<XCell>& cells, std::vector<std::wstring>& texts) const
{
    Record record;
    if (!ReadRecord(m_stream, sheet.offset, record) || record.id != recBof)
        Damaged(L"a sheet is missing");
    SheetCells out{ cells, texts, XCell(), false };
    try
    {
        ReadCellRecords(record.next, out);
    }
    catch (const std::runtime_error& e)
    {
        std::string reason = e.what();
        Damaged(Widen(reason, CP_ACP).c_str());
    }
    SortCells(cells);
}

// Hands each record of the sheet's own level to the reader of its family; embedded parts
// (a chart's BOF..EOF inside the sheet) are skipped whole.
void XlsWorkbook::ReadCellRecords(size_t at, SheetCells& out) const
{
    Record record;
    int depth = 1;
    while (depth > 0)
    {
        if (!ReadRecord(m_stream, at, record))
            Damaged(L"a sheet is cut short");
        at = record.next;
        const uint8_t* d = record.data;
        size_t n = record.length;
        if (record.id == recBof)
        {
            ++depth;
            continue;
        }
        if (record.id == recEof)
        {
            --depth;
            continue;
        }
        if (depth != 1)
            continue;
        switch (record.id)
        {
        case recNumber:
        case recRk:
        case recMulRk:
            ReadNumberRecord(record.id, d, n, out);
            break;
        case recLabelSst:
        case recLabel:
        case recRString:
            at = ReadTextRecord(record.id, d, n, at, out);
            break;
        case recBoolErr:
            ReadBoolErrRecord(d, n, out);
            break;
        case recFormula:
        case recString:
            at = ReadFormulaRecord(record.id, d, n, at, out);
            break;
        }
    }
}

// The cell at the row and column a cell record starts with. Excel sheets have at most 256
// columns (and 65536 rows, all that 16 bits hold).
XlsWorkbook::XCell XlsWorkbook::PlacedCell(const uint8_t* d) const
{
    XCell cell;
    cell.row = U16(d);
    cell.col = U16(d + 2);
    if (cell.col > 255)
        Damaged(L"a cell lies beyond the last column");
    return cell;
}

// A cell without a value (an error, a formula with an empty or error
// result): its row and column still belong to the sheet.
void XlsWorkbook::AddEmptyCell(const uint8_t* d, SheetCells& out) const
{
    XCell cell = PlacedCell(d);
    out.cells.push_back(cell);
}

// Adds a number, as a date when its style's format shows one; a value that is no finite number
// leaves an empty cell.
void XlsWorkbook::AddNumberCell(const uint8_t* d, double value, SheetCells& out) const
{
    XCell cell = PlacedCell(d);
    bool date = IsDateFormat(U16(d + 4));
    cell.kind = date ? Kind::Date : Kind::Number;
    cell.number = date ? OleDateOf(value) : value;
    if (std::isfinite(value))
        out.cells.push_back(cell);
    else
        AddEmptyCell(d, out);
}

// Adds a text cell; an empty text adds nothing.
void XlsWorkbook::AddTextCell(const uint8_t* d, std::wstring text, SheetCells& out) const
{
    if (text.empty())
        return;
    XCell cell = PlacedCell(d);
    cell.kind = Kind::Text;
    cell.text = (uint32_t)out.texts.size();
    out.texts.push_back(std::move(text));
    out.cells.push_back(cell);
}

// Adds a yes/no cell; the value byte lies at a different place in a BOOLERR and in a formula.
void XlsWorkbook::AddBoolCell(const uint8_t* d, bool value, SheetCells& out) const
{
    XCell cell = PlacedCell(d);
    cell.kind = Kind::Bool;
    cell.number = value ? 1 : 0;
    out.cells.push_back(cell);
}

// Reads the number records: one number, one RK value, or a row of RK values.
void XlsWorkbook::ReadNumberRecord(uint16_t id, const uint8_t* d, size_t n, SheetCells& out) const
{
    switch (id)
    {
    case recNumber:
        if (n >= 14)
            AddNumberCell(d, F64(d + 6), out);
        break;
    case recRk:
        if (n >= 10)
            AddNumberCell(d, RkValue(U32(d + 6)), out);
        break;
    case recMulRk:
        if (n >= 6)
        {
            size_t count = (n - 6) / 6;
            uint16_t row = U16(d), first = U16(d + 2);
            for (size_t i = 0; i < count; ++i)
            {
                const uint8_t* e = d + 4 + 6 * i;
                uint8_t head[6];
                memcpy(head, &row, 2);
                uint16_t col = (uint16_t)(first + i);
                memcpy(head + 2, &col, 2);
                memcpy(head + 4, e, 2);
                AddNumberCell(head, RkValue(U32(e + 2)), out);
            }
        }
        break;
    }
}

// Reads the text records: a shared string, or a string of its own that may run on through
// CONTINUE records; returns the offset of the next record.
size_t XlsWorkbook::ReadTextRecord(uint16_t id, const uint8_t* d, size_t n, size_t at, SheetCells& out) const
{
    switch (id)
    {
    case recLabelSst:
        if (n >= 10)
        {
            uint32_t index = U32(d + 6);
            if (index >= m_sst.size())
                Damaged(L"a cell refers to a missing shared string");
            AddTextCell(d, m_sst[index], out);
        }
        break;
    case recLabel:
    case recRString:
        if (n >= 8)
        {
            Segments in(d + 6, n - 6);
            if (m_biff8)
                at = in.AddContinues(m_stream, at);
            AddTextCell(d, m_biff8 ? in.UnicodeString(2) : in.ByteString(2, m_codePage), out);
        }
        break;
    }
    return at;
}

// Reads a BOOLERR record: a yes/no value, or an error that leaves the cell empty.
void XlsWorkbook::ReadBoolErrRecord(const uint8_t* d, size_t n, SheetCells& out) const
{
    if (n >= 8 && d[7] != 0)
        AddEmptyCell(d, out);
    else if (n >= 8)
        AddBoolCell(d, d[6] != 0, out);
}

// Reads a formula's cached result; a text result comes in the STRING record that follows,
// which replaces the formula's empty cell. Returns the offset of the next record.
size_t XlsWorkbook::ReadFormulaRecord(uint16_t id, const uint8_t* d, size_t n, size_t at, SheetCells& out) const
{
    switch (id)
    {
    case recFormula:
        if (n >= 20)
        {
            if (U16(d + 12) != 0xFFFF)
                AddNumberCell(d, F64(d + 6), out);
            else if (d[6] == 0)
            {
                // The text follows in a STRING record and replaces this cell.
                AddEmptyCell(d, out);
                out.pendingFormula.row = U16(d);
                out.pendingFormula.col = U16(d + 2);
                out.pending = true;
            }
            else if (d[6] == 1)
                AddBoolCell(d, d[8] != 0, out);
            else
                AddEmptyCell(d, out);    // an error or an empty text
        }
        break;
    case recString:
        if (out.pending && n >= 2)
        {
            Segments in(d, n);
            if (m_biff8)
                at = in.AddContinues(m_stream, at);
            std::wstring text = m_biff8 ? in.UnicodeString(2) : in.ByteString(2, m_codePage);
            uint8_t head[4];
            uint16_t row = (uint16_t)out.pendingFormula.row;
            memcpy(head, &row, 2);
            memcpy(head + 2, &out.pendingFormula.col, 2);
            AddTextCell(head, std::move(text), out);
            out.pending = false;
        }
        break;
    }
    return at;
}

// Cells in row, then column order; a repeated cell keeps its last value.
void XlsWorkbook::SortCells(std::vector<XCell>& cells)
{
    std::stable_sort(cells.begin(), cells.end(), [](const XCell& a, const XCell& b) {
        return a.row != b.row ? a.row < b.row : a.col < b.col;
    });
    size_t kept = 0;
    for (size_t i = 0; i < cells.size(); ++i)
    {
        if (kept > 0 && cells[kept - 1].row == cells[i].row && cells[kept - 1].col == cells[i].col)
            cells[kept - 1] = cells[i];
        else
            cells[kept++] = cells[i];
    }
    cells.resize(kept);
}

std::wstring XlsWorkbook::CellText(const XCell& cell, const std::vector<std::wstring>& texts) const
{
    switch (cell.kind)
    {
    case Kind::Text: return texts[cell.text];
    case Kind::Number: return RealText(cell.number, 15);
    case Kind::Date: return DateText(cell.number);
    case Kind::Bool: return cell.number ? L"TRUE" : L"FALSE";
    default: return std::wstring();
    }
}

// ---------------------------------------------------------------------------
// Tables

std::shared_ptr<RowSet> XlsWorkbook::BuildTable(std::vector<XCell>& cells, const std::vector<std::wstring>& texts,
                                                bool bounded, uint32_t firstRow, uint32_t lastRow,
                                                uint16_t firstCol, uint16_t lastCol) const
{
    // Keep the cells inside the range; an unbounded range is the used area.
    if (bounded)
        cells.erase(std::remove_if(cells.begin(), cells.end(), [&](const XCell& c) {
                        return c.row < firstRow || c.row > lastRow || c.col < firstCol || c.col > lastCol;
                    }), cells.end());
    auto rows = std::make_shared<RowSet>();
    rows->SetLimits(1000000 + 2 * m_stream.size(), (64u << 20) + 16 * m_stream.size());
    if (cells.empty())
    {
        if (!bounded)
            return rows; // an empty sheet: no columns, no rows
        lastRow = firstRow;
    }
    else
    {
        uint16_t minCol = 0xFFFF, maxCol = 0;
        for (const XCell& c : cells)
        {
            minCol = std::min(minCol, c.col);
            maxCol = std::max(maxCol, c.col);
        }
        if (!bounded)
        {
            firstRow = cells.front().row;
            firstCol = minCol;
            lastCol = maxCol;
        }
        lastRow = cells.back().row; // trailing empty rows of a range are dropped
        if (lastRow < firstRow)
            lastRow = firstRow;
    }
    size_t columnCount = (size_t)lastCol - firstCol + 1;

    // Names from the first row; the kinds found below decide each column's type.
    std::vector<std::wstring> names(columnCount);
    std::vector<unsigned> kinds(columnCount, 0);    // bit per Kind
    std::vector<bool> longText(columnCount, false);
    for (const XCell& c : cells)
    {
        size_t col = c.col - firstCol;
        if (c.row == firstRow)
            names[col] = CellText(c, texts);
        else if (c.kind != Kind::Empty)
        {
            kinds[col] |= 1u << (unsigned)c.kind;
            if (c.kind == Kind::Text && texts[c.text].size() > 255)
                longText[col] = true;
        }
    }
    std::vector<Kind> columnKind(columnCount, Kind::Text);
    for (size_t i = 0; i < columnCount; ++i)
    {
        ColumnInfo info;
        info.name = names[i].empty() ? L"F" + std::to_wstring(i + 1) : names[i];
        info.attributes = adFldIsNullable | adFldMayBeNull;
        if (kinds[i] == 1u << (unsigned)Kind::Number)
        {
            columnKind[i] = Kind::Number;
            info.type = adDouble;
            info.definedSize = 8;
            info.attributes |= adFldFixed;
        }
        else if (kinds[i] == 1u << (unsigned)Kind::Date)
        {
            columnKind[i] = Kind::Date;
            info.type = adDate;
            info.definedSize = 8;
            info.attributes |= adFldFixed;
        }
        else if (kinds[i] == 1u << (unsigned)Kind::Bool)
        {
            columnKind[i] = Kind::Bool;
            info.type = adBoolean;
            info.definedSize = 2;
            info.attributes |= adFldFixed;
        }
        else if (longText[i])
        {
            info.type = adLongVarWChar;
            info.definedSize = 536870910;
            info.attributes |= adFldLong;
        }
        else
        {
            info.type = adVarWChar;
            info.definedSize = 255;
        }
        rows->columns.push_back(info);
    }

    size_t next = 0;
    while (next < cells.size() && cells[next].row <= firstRow)
        ++next;
    for (uint32_t row = firstRow + 1; row <= lastRow; ++row)
    {
        rows->BeginRow();
        for (; next < cells.size() && cells[next].row == row; ++next)
        {
            const XCell& c = cells[next];
            size_t col = c.col - firstCol;
            if (c.kind == Kind::Empty)
                continue;   // no value: the field stays null
            switch (columnKind[col])
            {
            case Kind::Number: rows->Put(col, RowSet::MakeReal(CellKind::Double, c.number)); break;
            case Kind::Date: rows->Put(col, RowSet::MakeReal(CellKind::Date, c.number)); break;
            case Kind::Bool: rows->Put(col, RowSet::MakeInt(CellKind::Bool, c.number != 0)); break;
            default: rows->Put(col, rows->MakeText(CellText(c, texts))); break;
            }
        }
        rows->EndRow();
    }
    rows->CheckShape();
    return rows;
}

// The named ranges (as tables) and worksheets (as "Name$" system tables).
std::vector<TableEntry> XlsWorkbook::Tables()
{
    std::vector<TableEntry> tables;
    for (const NamedRange& range : m_names)
        tables.push_back({ range.name, L"TABLE" });
    for (const Sheet& sheet : m_sheets)
        if (sheet.worksheet)
            tables.push_back({ sheet.name + L"$", L"SYSTEM TABLE" });
    std::stable_sort(tables.begin(), tables.end(), [](const TableEntry& a, const TableEntry& b) {
        if (a.type != b.type)
            return a.type > b.type; // named ranges first, then sheets
        return CompareStringOrdinal(a.name.data(), (int)a.name.size(), b.name.data(), (int)b.name.size(), TRUE) == CSTR_LESS_THAN;
    });
    return tables;
}

// The rows of a sheet ("Name$", quoted or not) or a named range; an error for an unknown name.
std::shared_ptr<RowSet> XlsWorkbook::ReadTable(const std::wstring& name)
{
    // A sheet may be given with quotes, as 'My Sheet$'.
    std::wstring wanted = name;
    if (wanted.size() >= 2 && wanted.front() == L'\'' && wanted.back() == L'\'')
        wanted = wanted.substr(1, wanted.size() - 2);
    std::vector<XCell> cells;
    std::vector<std::wstring> texts;
    for (const Sheet& sheet : m_sheets)
        if (sheet.worksheet && EqualNoCase(sheet.name + L"$", wanted))
        {
            ReadCells(sheet, cells, texts);
            return BuildTable(cells, texts, false, 0, 0, 0, 0);
        }
    for (const NamedRange& range : m_names)
        if (EqualNoCase(range.name, wanted))
        {
            ReadCells(m_sheets[range.sheet], cells, texts);
            return BuildTable(cells, texts, true, range.firstRow, range.lastRow, range.firstCol, range.lastCol);
        }
    throw Error(DBE_NOTABLE, kSourceExcel, L"The workbook has no sheet or named range " + Quoted(name) +
                L"; sheets are named with a trailing $, as in 'Sheet1$'.");
}

std::unique_ptr<Provider> OpenExcelWorkbook(const std::wstring& path)
{
    std::vector<uint8_t> file = ReadWholeFile(path, kSourceExcel);
    return std::unique_ptr<Provider>(new XlsWorkbook(path, file));
}

} // namespace ado
