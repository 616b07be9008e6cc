// AdoProvider.h: the interface behind a connection, one implementation per file kind.
//
// A provider is made by a connection's Open from the connection string; it
// lists the tables of its file and reads one table into a RowSet. Access
// databases: JetDatabase.h; Excel workbooks: XlsWorkbook.h.
#pragma once

#include "AdoRowSet.h"

#include <memory>
#include <string>
#include <vector>

namespace ado {

// TableEntry is one row of the table schema.
struct TableEntry
{
    std::wstring name;
    std::wstring type;          // "TABLE", "SYSTEM TABLE", ...
    bool hasDates = false;
    double created = 0;         // OLE dates, when hasDates
    double modified = 0;
};

// Provider reads one file.
class Provider
{
public:
    virtual ~Provider() = default;

    // Tables in schema order (by type, then by name).
    virtual std::vector<TableEntry> Tables() = 0;
    // All rows of the named table or sheet (names compare case-insensitively);
    // DBE_NOTABLE when there is none.
    virtual std::shared_ptr<RowSet> ReadTable(const std::wstring& name) = 0;
    // Source text of this provider's errors.
    virtual const wchar_t* Source() const = 0;
};

// The whole file, bounded in size; errors name the file and carry the given source.
std::vector<uint8_t> ReadWholeFile(const std::wstring& path, const wchar_t* source);

// Opens an Access database (Jet 3 or Jet 4) and checks its password.
std::unique_ptr<Provider> OpenAccessDatabase(const std::wstring& path, const std::wstring& password);
// Opens an Excel workbook (BIFF8 or BIFF5/7).
std::unique_ptr<Provider> OpenExcelWorkbook(const std::wstring& path);

} // namespace ado
