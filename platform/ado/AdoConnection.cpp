// AdoConnection.cpp: connection strings, opening a provider, the table schema, file reading.
#include "AdoConnection.h"

#include "AdoProvider.h"
#include "AdoRecordset.h"

#include <algorithm>
#include <cwctype>

namespace ado {

namespace {

std::wstring Trim(const std::wstring& s)
{
    size_t begin = 0, end = s.size();
    while (begin < end && iswspace(s[begin]))
        ++begin;
    while (end > begin && iswspace(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

std::wstring Lower(std::wstring s)
{
    if (!s.empty())
        CharLowerBuffW(&s[0], (DWORD)s.size());
    return s;
}

bool Contains(const std::wstring& text, const wchar_t* part)
{
    return Lower(text).find(part) != std::wstring::npos;
}

} // namespace

// ---------------------------------------------------------------------------
// Connection strings

std::vector<std::pair<std::wstring, std::wstring>> ParseConnectionString(const std::wstring& text)
{
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    size_t i = 0;
    while (i < text.size())
    {
        size_t eq = text.find(L'=', i);
        size_t semi = text.find(L';', i);
        if (eq == std::wstring::npos || (semi != std::wstring::npos && semi < eq))
        {
            // A piece without a value.
            if (semi == std::wstring::npos)
                break;
            i = semi + 1;
            continue;
        }
        std::wstring key = Lower(Trim(text.substr(i, eq - i)));
        size_t v = eq + 1;
        while (v < text.size() && (text[v] == L' ' || text[v] == L'\t'))
            ++v;
        std::wstring value;
        wchar_t open = v < text.size() ? text[v] : 0;
        wchar_t close = open == L'{' ? L'}' : (open == L'"' || open == L'\'' ? open : 0);
        if (close)
        {
            // Enclosed value: may hold ';'; inside quotes a doubled quote stands for one.
            size_t end = text.find(close, v + 1);
            if (open != L'{')
            {
                while (end != std::wstring::npos && end + 1 < text.size() && text[end + 1] == close)
                    end = text.find(close, end + 2);
            }
            if (end == std::wstring::npos)
                end = text.size();
            if (open == L'{')
                value = text.substr(v, end + 1 - v);
            else
            {
                value = text.substr(v + 1, end - v - 1);
                const std::wstring doubled(2, close);
                for (size_t at = value.find(doubled); at != std::wstring::npos; at = value.find(doubled, at + 1))
                    value.erase(at, 1);
            }
            size_t next = text.find(L';', end);
            i = next == std::wstring::npos ? text.size() : next + 1;
        }
        else
        {
            size_t end = semi == std::wstring::npos ? text.size() : semi;
            value = Trim(text.substr(v, end - v));
            i = end + 1;
        }
        if (!key.empty())
            pairs.emplace_back(key, value);
    }
    return pairs;
}

// ---------------------------------------------------------------------------
// Files

std::vector<uint8_t> ReadWholeFile(const std::wstring& path, const wchar_t* source)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
            throw Error(E_FAIL, source, L"Could not find the file '" + path + L"'.");
        throw Error(HRESULT_FROM_WIN32(error), source,
                    L"The file '" + path + L"' cannot be opened; it may be in use or access is denied.");
    }
    LARGE_INTEGER size = {};
    std::vector<uint8_t> data;
    bool ok = GetFileSizeEx(file, &size) != 0;
    if (ok && size.QuadPart > 0x7FFFFFFF)
    {
        CloseHandle(file);
        throw Error(E_FAIL, source, L"The file '" + path + L"' is larger than 2 GB and cannot be read.");
    }
    if (ok)
    {
        try
        {
            data.resize((size_t)size.QuadPart);
        }
        catch (...)
        {
            CloseHandle(file);
            throw;
        }
        size_t done = 0;
        while (ok && done < data.size())
        {
            DWORD got = 0;
            DWORD want = (DWORD)std::min<size_t>(data.size() - done, 1u << 24);
            ok = ReadFile(file, data.data() + done, want, &got, nullptr) && got > 0;
            done += got;
        }
    }
    CloseHandle(file);
    if (!ok)
        throw Error(E_FAIL, source, L"The file '" + path + L"' cannot be read.");
    return data;
}

// ---------------------------------------------------------------------------
// Connection

std::shared_ptr<Connection> Connection::Create()
{
    return std::shared_ptr<Connection>(new Connection());
}

Connection::~Connection() = default;

// Opens the database a connection string names, choosing the reader by provider, driver or file.
void Connection::Open(const std::wstring& connectionString, const std::wstring& /*user*/,
                      const std::wstring& /*password*/, long /*options*/)
{
    if (m_provider)
        throw Error(ADO_E_OBJECTOPEN, kSourceConnection, L"The connection is already open.");
    if (!connectionString.empty())
        m_connectionString = connectionString;

    std::wstring provider, driver, dataSource, dbq, databasePassword;
    for (const auto& pair : ParseConnectionString(m_connectionString))
    {
        if (pair.first == L"provider")
            provider = pair.second;
        else if (pair.first == L"driver")
            driver = pair.second;
        else if (pair.first == L"data source")
            dataSource = pair.second;
        else if (pair.first == L"dbq")
            dbq = pair.second;
        else if (pair.first == L"jet oledb:database password")
            databasePassword = pair.second;
    }

    if (!provider.empty() && Contains(provider, L"microsoft.jet.oledb"))
    {
        if (dataSource.empty())
            throw Error(E_FAIL, kSourceAccess, L"The connection string names no database file (Data Source).");
        m_provider = OpenAccessDatabase(dataSource, databasePassword);
    }
    else if (provider.empty() && Contains(driver, L"excel"))
    {
        if (dbq.empty())
            throw Error(E_FAIL, kSourceExcel, L"The connection string names no workbook file (Dbq).");
        m_provider = OpenExcelWorkbook(dbq);
    }
    else if (m_connectionString.empty())
        throw Error(ADO_E_PROVIDERNOTFOUND, kSourceConnection, L"The connection string is empty.");
    else
        throw Error(ADO_E_PROVIDERNOTFOUND, kSourceConnection,
                    L"The connection string names no provider or driver that can be used.");
}

void Connection::Close()
{
    if (!m_provider)
        throw Error(ADO_E_OBJECTCLOSED, kSourceConnection, L"The connection is not open.");
    m_provider.reset();
}

Provider& Connection::OpenProvider() const
{
    if (!m_provider)
        throw Error(ADO_E_INVALIDCONNECTION, kSourceConnection, L"The connection is not open.");
    return *m_provider;
}

// Lists the tables as the tables schema rowset; other schemas are refused.
std::shared_ptr<Recordset> Connection::OpenSchema(long schema, const std::wstring& schemaId)
{
    Provider& provider = OpenProvider();
    if (schema != adSchemaTables || !schemaId.empty())
        throw Error(ADO_E_NOTCAPABLE, kSourceConnection, L"Only the schema of tables can be listed.");

    auto rows = std::make_shared<RowSet>();
    static const wchar_t* const kNames[] = { L"TABLE_CATALOG", L"TABLE_SCHEMA", L"TABLE_NAME", L"TABLE_TYPE",
                                             L"TABLE_GUID", L"DESCRIPTION", L"TABLE_PROPID", L"DATE_CREATED",
                                             L"DATE_MODIFIED" };
    for (const wchar_t* name : kNames)
    {
        ColumnInfo column;
        column.name = name;
        column.type = adVarWChar;
        column.definedSize = 128;
        column.attributes = adFldIsNullable | adFldMayBeNull;
        rows->columns.push_back(column);
    }
    rows->columns[4].type = adGUID;
    rows->columns[4].definedSize = 16;
    rows->columns[5].definedSize = 255;
    rows->columns[6].type = adBigInt;
    rows->columns[6].definedSize = 8;
    rows->columns[7].type = rows->columns[8].type = adDate;
    rows->columns[7].definedSize = rows->columns[8].definedSize = 8;

    for (const TableEntry& table : provider.Tables())
    {
        rows->BeginRow();
        rows->Put(2, rows->MakeText(table.name));
        rows->Put(3, rows->MakeText(table.type));
        if (table.hasDates)
        {
            rows->Put(7, RowSet::MakeReal(CellKind::Date, table.created));
            rows->Put(8, RowSet::MakeReal(CellKind::Date, table.modified));
        }
        rows->EndRow();
    }
    std::shared_ptr<Recordset> recordset = Recordset::Create();
    recordset->PutActiveConnection(shared_from_this());
    recordset->OpenRows(rows);
    return recordset;
}

} // namespace ado
