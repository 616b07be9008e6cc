// AdoRecordset.cpp: opening statements, moving over records, reading fields.
#include "AdoRecordset.h"

#include "AdoConnection.h"
#include "AdoProvider.h"
#include "SqlSelect.h"

namespace ado {

namespace {

[[noreturn]] void NoCurrentRecord()
{
    throw Error(ADO_E_NOCURRENTRECORD, kSourceRecordset,
                L"There is no current record: the recordset is before its first or after its last record.");
}

} // namespace

// ---------------------------------------------------------------------------
// Field

const ColumnInfo& Field::Info() const
{
    m_owner->CheckOpen();
    return m_owner->m_rows->columns[m_owner->m_columnMap[m_index]];
}

const std::wstring& Field::Name() const { return Info().name; }
DataTypeEnum Field::Type() const { return Info().type; }
long Field::DefinedSize() const { return Info().definedSize; }
long Field::Attributes() const { return Info().attributes; }
unsigned char Field::Precision() const { return Info().precision; }
unsigned char Field::NumericScale() const { return Info().scale; }

long Field::ActualSize() const
{
    const Cell& cell = m_owner->CurrentCell(m_index);
    return m_owner->m_rows->ActualSize(cell, Info());
}

void Field::Value(VARIANT* out) const
{
    VariantInit(out);
    const Cell& cell = m_owner->CurrentCell(m_index);
    HRESULT hr = m_owner->m_rows->ToVariant(cell, out);
    if (FAILED(hr))
        throw Error(hr, kSourceRecordset, L"Not enough memory for the field's value.");
}

// ---------------------------------------------------------------------------
// Recordset

std::shared_ptr<Recordset> Recordset::Create()
{
    return std::shared_ptr<Recordset>(new Recordset());
}

Recordset::~Recordset() = default;

void Recordset::CheckOpen() const
{
    if (!m_rows)
        throw Error(ADO_E_OBJECTCLOSED, kSourceRecordset, L"The recordset is closed.");
}

const Cell& Recordset::CurrentCell(size_t field) const
{
    CheckOpen();
    if (m_position < 0 || m_position >= (long)m_order.size())
        NoCurrentRecord();
    return m_rows->At(m_order[m_position], m_columnMap[field]);
}

// Opens a table or runs a SELECT on the connection's database; errors if already open or unconnected.
void Recordset::Open(const std::wstring& source, const std::shared_ptr<Connection>& connection,
                     long cursorType, long /*lockType*/, long options)
{
    if (m_rows)
        throw Error(ADO_E_OBJECTOPEN, kSourceRecordset, L"The recordset is already open.");
    if (connection)
        m_connection = connection;
    if (!m_connection || m_connection->State() != adStateOpen)
        throw Error(ADO_E_INVALIDCONNECTION, kSourceRecordset,
                    L"The recordset has no open connection to read from.");
    Provider& provider = m_connection->OpenProvider();

    std::shared_ptr<RowSet> rows;
    SelectResult result;
    if (options == adCmdTable)
    {
        rows = provider.ReadTable(source);
        for (size_t i = 0; i < rows->columns.size(); ++i)
            result.columns.push_back(i);
        for (size_t r = 0; r < rows->RowCount(); ++r)
            result.rows.push_back((uint32_t)r);
    }
    else
    {
        SelectStatement statement(source);
        rows = provider.ReadTable(statement.Table());
        result = statement.Run(*rows);
    }
    m_cursorType = cursorType;
    m_source = source;
    m_columnMap = std::move(result.columns);
    m_order = std::move(result.rows);
    m_rows = rows;
    m_fields.clear();
    for (size_t i = 0; i < m_columnMap.size(); ++i)
        m_fields.emplace_back(this, i);
    m_position = 0;
}

// Opens the recordset over rows already read, all columns in their order.
void Recordset::OpenRows(std::shared_ptr<const RowSet> rows)
{
    if (m_rows)
        throw Error(ADO_E_OBJECTOPEN, kSourceRecordset, L"The recordset is already open.");
    m_columnMap.clear();
    m_order.clear();
    for (size_t i = 0; i < rows->columns.size(); ++i)
        m_columnMap.push_back(i);
    for (size_t r = 0; r < rows->RowCount(); ++r)
        m_order.push_back((uint32_t)r);
    m_rows = std::move(rows);
    m_fields.clear();
    for (size_t i = 0; i < m_columnMap.size(); ++i)
        m_fields.emplace_back(this, i);
    m_position = 0;
    m_cursorType = adOpenStatic;
}

void Recordset::Close()
{
    CheckOpen();
    m_rows.reset();
    m_fields.clear();
    m_columnMap.clear();
    m_order.clear();
    m_position = 0;
}

void Recordset::PutSort(const std::wstring& sort)
{
    if (!sort.empty())
        throw Error(ADO_E_NOTCAPABLE, kSourceRecordset, L"Sorting an open recordset is not supported; use ORDER BY.");
    m_sort = sort;
}

// The number of records; -1 (unknown) for a forward-only cursor, as the platform's recordsets say.
long Recordset::RecordCount() const
{
    CheckOpen();
    if (m_cursorType == adOpenForwardOnly)
        return -1;
    return (long)m_order.size();
}

bool Recordset::IsEOF() const
{
    CheckOpen();
    return m_order.empty() || m_position >= (long)m_order.size();
}

bool Recordset::IsBOF() const
{
    CheckOpen();
    return m_order.empty() || m_position < 0;
}

void Recordset::MoveFirst()
{
    CheckOpen();
    m_position = 0;
}

void Recordset::MoveLast()
{
    CheckOpen();
    m_position = m_order.empty() ? 0 : (long)m_order.size() - 1;
}

void Recordset::MoveNext()
{
    if (IsEOF())
        NoCurrentRecord();
    ++m_position;
}

void Recordset::MovePrevious()
{
    if (IsBOF())
        NoCurrentRecord();
    --m_position;
}

long Recordset::FieldCount() const
{
    CheckOpen();
    return (long)m_fields.size();
}

Field& Recordset::Item(long index)
{
    CheckOpen();
    if (index < 0 || index >= (long)m_fields.size())
        throw Error(ADO_E_ITEMNOTFOUND, kSourceRecordset,
                    L"The recordset has no field number " + std::to_wstring(index) + L".");
    return m_fields[index];
}

Field& Recordset::Item(const std::wstring& name)
{
    CheckOpen();
    for (Field& field : m_fields)
        if (EqualNoCase(field.Name(), name))
            return field;
    throw Error(ADO_E_ITEMNOTFOUND, kSourceRecordset, L"The recordset has no field named " + Quoted(name) + L".");
}

} // namespace ado
