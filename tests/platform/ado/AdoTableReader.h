// AdoTableReader.h - reads a whole statement through the wrappers, as the data-source loader does.
#pragma once

#include "ADODataBase.h"
#include "AdoTestUtil.h"

#include <string>
#include <vector>

namespace adotest {

// LoadedTable is the result of one statement: names, types and value texts.
struct LoadedTable
{
    bool ok = false;
    std::string error;                          // the wrapper's error text when !ok
    std::vector<std::string> names;
    std::vector<short> types;
    std::vector<std::vector<std::string>> rows; // "<none>" where GetFieldValue gave FALSE
};

inline LoadedTable LoadTable(const std::string& connection, const std::string& sql)
{
    LoadedTable table;
    CADODataBase db;
    if (!db.Open(connection.c_str(), "", ""))
    {
        table.error = (LPCTSTR)db.GetLastError();
        return table;
    }
    CADORecordset rs(&db);
    if (!rs.Open(sql.c_str()))
    {
        table.error = (LPCTSTR)rs.GetLastError();
        return table;
    }
    int columns = rs.GetFieldCount();
    long count = rs.GetRecordCount();
    for (int i = 0; i < columns; ++i)
    {
        CADOFieldInfo info;
        rs.GetFieldInfo(i, &info);
        table.names.push_back((LPCTSTR)info.m_strName);
        table.types.push_back(info.m_nType);
    }
    for (long r = 0; r < count; ++r)
    {
        std::vector<std::string> row;
        for (int i = 0; i < columns; ++i)
        {
            CString value;
            row.push_back(rs.GetFieldValue(i, value) ? std::string((LPCTSTR)value) : std::string("<none>"));
        }
        table.rows.push_back(row);
        rs.MoveNext();
    }
    table.ok = rs.IsEOF() != FALSE;
    return table;
}

// Texts of one column of a loaded table.
inline std::vector<std::string> Column(const LoadedTable& table, size_t index)
{
    std::vector<std::string> values;
    for (const auto& row : table.rows)
        values.push_back(index < row.size() ? row[index] : std::string());
    return values;
}

} // namespace adotest
