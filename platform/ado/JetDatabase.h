// JetDatabase.h: reader of Access databases in the Jet 3 and Jet 4 formats.
//
// The file is read whole into memory. Page 0 holds the header (format
// version, code page, password); the system catalogue is the table whose
// definition is on page 2. A table definition lists the columns and points
// to the usage map of the table's data pages; rows are read from those pages,
// long values (memo, OLE) from their own pages.
#pragma once

#include "AdoProvider.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ado {

// JetDatabase is the provider of one .mdb file.
class JetDatabase : public Provider
{
public:
    JetDatabase(const std::wstring& path, std::vector<uint8_t> file);

    // Checks the database password; DBE_AUTHFAILED when it is wrong.
    void CheckPassword(const std::wstring& password) const;

    // Provider
    std::vector<TableEntry> Tables() override;
    std::shared_ptr<RowSet> ReadTable(const std::wstring& name) override;
    const wchar_t* Source() const override { return kSourceAccess; }

private:
    struct Column
    {
        std::wstring name;
        uint8_t type = 0;           // Jet column type
        uint16_t number = 0;        // index into the null mask
        uint16_t varIndex = 0;      // index among the variable columns
        uint16_t fixedOffset = 0;   // offset in the fixed part of a row
        uint16_t length = 0;        // bytes
        uint8_t flags = 0;          // 0x01 fixed length, 0x02 nullable
        uint8_t precision = 0;
        uint8_t scale = 0;
    };

    struct TableDef
    {
        uint32_t page = 0;          // page of the definition
        std::vector<Column> columns;// in column-number order
        uint32_t usageMap = 0;      // row pointer of the usage map of data pages
        uint32_t rowCount = 0;
        size_t varColumns = 0;
    };

    struct CatalogEntry
    {
        std::wstring name;
        uint32_t page = 0;
        std::wstring type;
        double created = 0;
        double modified = 0;
    };

    [[noreturn]] void Damaged(const wchar_t* what) const;
    const uint8_t* Page(uint32_t number) const;
    bool RowBounds(const uint8_t* page, unsigned row, size_t& start, size_t& end, uint16_t& flags) const;
    bool FindRow(uint32_t pointer, const uint8_t*& data, size_t& length) const;
    TableDef ReadTableDef(uint32_t page) const;
    std::vector<uint32_t> DataPages(const TableDef& table) const;
    void DecodeRow(const TableDef& table, const uint8_t* row, size_t length, RowSet& out) const;
    Cell DecodeValue(const Column& column, const uint8_t* data, size_t length, RowSet& out) const;
    std::vector<uint8_t> ReadLongValue(const uint8_t* field, size_t length) const;
    std::wstring DecodeText(const uint8_t* data, size_t length) const;
    std::shared_ptr<RowSet> ReadRows(const TableDef& table) const;
    void ReadCatalog();
    static ColumnInfo DescribeColumn(const Column& column, bool jet4);

    std::wstring m_path;
    std::vector<uint8_t> m_file;
    bool m_jet4 = false;
    uint32_t m_pageSize = 2048;
    uint32_t m_pageCount = 0;
    UINT m_codePage = 1252;
    std::vector<uint8_t> m_header;   // decoded header bytes
    std::vector<CatalogEntry> m_catalog;
};

} // namespace ado
