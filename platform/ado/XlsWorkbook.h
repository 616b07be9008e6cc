// XlsWorkbook.h: reader of Excel workbooks in the BIFF8 (Excel 97-2003) and BIFF5/7 (Excel 5.0/95) formats.
//
// The workbook stream ("Workbook" or "Book") of the compound file is a list
// of records: the globals (shared strings, formats, sheets, names), then one
// part per sheet with its cells. A sheet reads as a table whose first row
// gives the column names; sheets are listed as "Name$", named ranges as "Name".
//
// Column types follow the values found below the name row: only numbers give
// a number column, only dates a date column, only booleans a yes/no column;
// any mixture gives a text column that holds every value as text, so that no
// value is lost.
#pragma once

#include "AdoProvider.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ado {

// XlsWorkbook is the provider of one .xls file.
class XlsWorkbook : public Provider
{
public:
    XlsWorkbook(const std::wstring& path, const std::vector<uint8_t>& file);

    // Provider
    std::vector<TableEntry> Tables() override;
    std::shared_ptr<RowSet> ReadTable(const std::wstring& name) override;
    const wchar_t* Source() const override { return kSourceExcel; }

    // Kind of a cell value.
    enum class Kind : uint8_t { Empty, Number, Date, Text, Bool };

    // XCell is one cell value read from a sheet.
    struct XCell
    {
        uint32_t row = 0;
        uint16_t col = 0;
        Kind kind = Kind::Empty;
        double number = 0;      // Number, Date (OLE date), Bool (0/1)
        uint32_t text = 0;      // Text: index into the texts of the sheet read
    };

private:
    struct Sheet
    {
        std::wstring name;
        uint32_t offset = 0;    // stream offset of the sheet's BOF record
        bool worksheet = false; // not a chart or module
    };

    struct NamedRange
    {
        std::wstring name;
        size_t sheet = 0;
        uint32_t firstRow = 0, lastRow = 0;
        uint16_t firstCol = 0, lastCol = 0;
    };

    // Names and the references their formulas go through, gathered from the globals.
    struct GlobalNames
    {
        struct RawName { std::wstring name; std::vector<uint8_t> formula; uint16_t sheet; };
        std::vector<bool> internalBooks;            // SUPBOOK records: internal or not
        std::vector<std::pair<uint16_t, uint16_t>> externSheets; // book, first sheet
        std::vector<RawName> rawNames;
    };

    // Where the records of one sheet put their cells.
    struct SheetCells
    {
        std::vector<XCell>& cells;
        std::vector<std::wstring>& texts;
        XCell pendingFormula;   // a formula whose text result follows in a STRING record
        bool pending = false;
    };

    [[noreturn]] void Damaged(const wchar_t* what) const;
    void ParseGlobals();
    void ReadGlobalRecords(size_t at, GlobalNames& names);
    void ReadSettingRecord(uint16_t id, const uint8_t* d, size_t n);
    void ReadFormatRecord(uint16_t id, const uint8_t* d, size_t n);
    void ReadSheetRecord(const uint8_t* d, size_t n);
    size_t ReadSharedStrings(const uint8_t* d, size_t n, size_t at);
    void ReadNameRecord(uint16_t id, const uint8_t* d, size_t n, GlobalNames& names);
    void ResolveNamedRanges(const GlobalNames& names);
    void ReadCells(const Sheet& sheet, std::vector<XCell>& cells, std::vector<std::wstring>& texts) const;
    void ReadCellRecords(size_t at, SheetCells& out) const;
    void ReadNumberRecord(uint16_t id, const uint8_t* d, size_t n, SheetCells& out) const;
    size_t ReadTextRecord(uint16_t id, const uint8_t* d, size_t n, size_t at, SheetCells& out) const;
    void ReadBoolErrRecord(const uint8_t* d, size_t n, SheetCells& out) const;
    size_t ReadFormulaRecord(uint16_t id, const uint8_t* d, size_t n, size_t at, SheetCells& out) const;
    XCell PlacedCell(const uint8_t* d) const;
    void AddEmptyCell(const uint8_t* d, SheetCells& out) const;
    void AddNumberCell(const uint8_t* d, double value, SheetCells& out) const;
    void AddTextCell(const uint8_t* d, std::wstring text, SheetCells& out) const;
    void AddBoolCell(const uint8_t* d, bool value, SheetCells& out) const;
    static void SortCells(std::vector<XCell>& cells);
    std::shared_ptr<RowSet> BuildTable(std::vector<XCell>& cells, const std::vector<std::wstring>& texts,
                                       bool bounded, uint32_t firstRow, uint32_t lastRow,
                                       uint16_t firstCol, uint16_t lastCol) const;
    bool IsDateFormat(uint16_t xf) const;
    double OleDateOf(double serial) const;
    std::wstring CellText(const XCell& cell, const std::vector<std::wstring>& texts) const;

    std::wstring m_path;
    std::vector<uint8_t> m_stream;          // the workbook stream
    bool m_biff8 = true;
    UINT m_codePage = 1252;                 // byte strings of BIFF5
    bool m_1904 = false;
    std::vector<std::wstring> m_sst;        // shared strings (BIFF8)
    std::vector<uint16_t> m_xfFormat;       // format index of each XF
    std::vector<std::pair<uint16_t, bool>> m_formats; // custom format index -> is a date format
    std::vector<Sheet> m_sheets;
    std::vector<NamedRange> m_names;
};

} // namespace ado
