// AdoRecordset.h: Recordset, a static client-side result of a statement or schema, and its Fields.
//
// Notes
// - Open reads all rows at once; the recordset then moves over them without
//   touching the file again. It stays readable when its connection closes.
// - A Field belongs to its recordset and is valid until the recordset is
//   opened again, closed or destroyed.
// - Statements: SELECT * | col[, col...] FROM name | [name]
//   [WHERE comparisons joined by AND/OR] [ORDER BY col [ASC|DESC], ...]
#pragma once

#include "AdoDefs.h"
#include "AdoRowSet.h"

#include <memory>
#include <string>
#include <vector>

namespace ado {

class Connection;
class Recordset;

// Field is one column of a recordset, read at the current record.
class Field
{
public:
    Field(const Recordset* owner, size_t index) : m_owner(owner), m_index(index) {}

    const std::wstring& Name() const;
    DataTypeEnum Type() const;
    long DefinedSize() const;
    long Attributes() const;
    unsigned char Precision() const;
    unsigned char NumericScale() const;

    // At the current record; ADO_E_NOCURRENTRECORD at BOF or EOF.
    long ActualSize() const;
    void Value(VARIANT* out) const;  // out is initialised here; the caller clears it

private:
    const ColumnInfo& Info() const;

    const Recordset* m_owner;   // not owned
    size_t m_index;             // index among the recordset's fields
};

// Recordset holds the rows of one statement or schema query.
class Recordset : public std::enable_shared_from_this<Recordset>
{
public:
    static std::shared_ptr<Recordset> Create();

    // Operations
    void Open(const std::wstring& source, const std::shared_ptr<Connection>& connection,
              long cursorType, long lockType, long options);
    void OpenRows(std::shared_ptr<const RowSet> rows); // a prepared result (schemas)
    void Close();
    void CancelUpdate() {}          // read-only: no edit is ever pending
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();

    // Attributes
    long State() const { return m_rows ? adStateOpen : adStateClosed; }
    long RecordCount() const;                   // -1 for a forward-only cursor
    bool IsEOF() const;
    bool IsBOF() const;
    long FieldCount() const;
    Field& Item(long index);                     // ADO_E_ITEMNOTFOUND when out of range
    Field& Item(const std::wstring& name);       // by name, case-insensitive
    const std::shared_ptr<Connection>& ActiveConnection() const { return m_connection; }
    void PutActiveConnection(const std::shared_ptr<Connection>& connection) { m_connection = connection; }
    long CursorType() const { return m_cursorType; }
    void PutCursorType(long type) { m_cursorType = type; }
    long CursorLocation() const { return m_cursorLocation; }
    void PutCursorLocation(long location) { m_cursorLocation = location; }
    const std::wstring& Sort() const { return m_sort; }
    void PutSort(const std::wstring& sort);
    const std::wstring& Source() const { return m_source; }

    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

private:
    friend class Field;
    Recordset() = default;
    void CheckOpen() const;
    const Cell& CurrentCell(size_t field) const;

    std::shared_ptr<Connection> m_connection;
    std::shared_ptr<const RowSet> m_rows;   // null while closed
    std::vector<size_t> m_columnMap;        // field index -> row-set column
    std::vector<uint32_t> m_order;          // record index -> row-set row
    std::vector<Field> m_fields;
    long m_position = 0;                    // record index; -1 = BOF, count = EOF
    long m_cursorType = adOpenForwardOnly;
    long m_cursorLocation = adUseServer;
    std::wstring m_sort;
    std::wstring m_source;
};

} // namespace ado
