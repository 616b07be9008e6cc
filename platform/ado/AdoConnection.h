// AdoConnection.h: Connection, the open link to one database file.
//
// Connection strings (keys compare case-insensitively):
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>;Jet OLEDB:Database Password=<pw>;
//   Driver={Microsoft Excel Driver (*.xls)};DriverId=790;Dbq=<path>;DefaultDir=<folder>;
//
// Notes
// - Connections and recordsets are shared objects (std::shared_ptr); a
//   recordset keeps its connection alive.
// - Every operation that fails throws ado::Error.
#pragma once

#include "AdoDefs.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ado {

class Provider;
class Recordset;

// Key/value pairs of a connection string, keys in lower case.
std::vector<std::pair<std::wstring, std::wstring>> ParseConnectionString(const std::wstring& text);

// Connection opens a file through the provider its connection string names.
class Connection : public std::enable_shared_from_this<Connection>
{
public:
    static std::shared_ptr<Connection> Create();

    // Operations
    void Open(const std::wstring& connectionString, const std::wstring& user,
              const std::wstring& password, long options);
    void Close();
    std::shared_ptr<Recordset> OpenSchema(long schema, const std::wstring& schemaId = std::wstring());

    // Attributes
    long State() const { return m_provider ? adStateOpen : adStateClosed; }
    const std::wstring& ConnectionString() const { return m_connectionString; }
    void PutConnectionString(const std::wstring& text) { m_connectionString = text; }
    long ConnectionTimeout() const { return m_connectionTimeout; }
    void PutConnectionTimeout(long seconds) { m_connectionTimeout = seconds; }
    long CommandTimeout() const { return m_commandTimeout; }
    void PutCommandTimeout(long seconds) { m_commandTimeout = seconds; }

    // The open provider; ADO_E_OBJECTCLOSED when the connection is closed.
    Provider& OpenProvider() const;

    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

private:
    Connection() = default;

    std::wstring m_connectionString;
    std::shared_ptr<Provider> m_provider;   // null while closed
    long m_connectionTimeout = 15;          // seconds; files open at once
    long m_commandTimeout = 30;
};

} // namespace ado
