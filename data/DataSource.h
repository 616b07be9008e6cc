// DataSource.h - the data-source description and the loaded data table.
//
// Declares: CDataSourceInfo, the description and connection-string builders
// and parser, the separator split and the table helpers.  The column bindings
// of database texts are in ColumnBinding.h.
//
// Notes
// - A description is one text with parts joined by "::":
//     "type=accessdb::conn=<connection>::sqlstring={?<statement>?}"
//     "type=exceldb::conn=<connection>::sqlstring={?<statement>?}"
//     "type=delimitedtext::file=<path>::delimiter=<d>::hascolnames=yes|no"
//   Parts are read by position; key words are cut off by length only.
// - The loaded data table is an array of row pointers; each row is an array
//   (new CString[nColumns]) of exactly nColumns values.  Row 0 holds the
//   column names, rows 1 .. nRows-1 the records.  nRows == -1 means that no
//   data source is bound.  Whoever holds the table frees it with
//   FreeDataTable.

#pragma once

#include <afx.h>

#include <vector>

// Source types, in the order of the data-source dialog's type list.
enum
{
    DATASOURCE_ACCESS = 0,
    DATASOURCE_EXCEL = 1,
    DATASOURCE_TEXT = 2
};

// Result of ParseDataSourceDescription.
enum
{
    DSPARSE_OK = 0,
    DSPARSE_UNKNOWN_TYPE,   // part 1 names none of the three types
    DSPARSE_TOO_FEW_PARTS   // fewer parts than the type needs
};

// Messages of the loaders.
extern const char* const g_szUnknownDataSourceType;  // with the stop icon
// A description with too few parts (cut short or damaged); with the stop icon.
extern const char* const g_szDamagedDataSource;

// The values of one description.
struct CDataSourceInfo
{
    int m_nType;             // DATASOURCE_*, or -1
    CString m_strConnection; // Access and Excel
    CString m_strSql;        // Access and Excel
    CString m_strFile;       // delimited text
    CString m_strDelimiter;  // delimited text: one character or "tab"
    BOOL m_bHasColNames;     // delimited text

    CDataSourceInfo() : m_nType(-1), m_bHasColNames(FALSE) {}
};

// Splitting at a separator: cut at the leftmost occurrence, go on in the
// rest; empty pieces count, the rest after the last separator is the final
// piece (the empty text gives one empty piece).
void SplitAtSeparator(const CString& strText, const char* pszSeparator,
    std::vector<CString>& parts);

// Descriptions
CString BuildAdoDescription(int nType, const CString& strConnection, const CString& strSql);
CString BuildTextDescription(const CString& strPath, const CString& strDelimiter,
    BOOL bHasColNames);
int ParseDataSourceDescription(const CString& strDescription, CDataSourceInfo& info);

// A description as stored by version-200 publication files, whose parts are
// separated by ";", in the "::" form.  Semicolons inside a connection string,
// a path or a ";" delimiter stay as they are.
CString DataSourceFromVersion200(const CString& strStored);

// Connection strings
CString BuildAccessConnection(const CString& strPath, const CString& strPassword);
CString BuildExcelConnection(const CString& strDriverId, const CString& strPath);
// The file named by an Access or Excel connection string: for Access the
// second ";" piece without "Data Source=", for Excel the third without
// "Dbq=".  FALSE when the string has too few pieces.
BOOL GetConnectionFileName(int nType, const CString& strConnection, CString& strFile);

// The delimiter character of a description's delimiter text: tab for "tab",
// else the first character (0 for the empty text).
char DelimiterFromText(const CString& strDelimiter);

// Statements
// The table part of "SELECT * FROM name" (any case); FALSE for other statements.
BOOL GetSelectAllTable(const CString& strSql, CString& strTable);
// TRUE when a table name can only be written in brackets (blanks, key words).
BOOL TableNameNeedsBrackets(const CString& strName);
// The statement proposed for a table or sheet: "SELECT * FROM [name]".
CString ProposeSelectStatement(const CString& strTable);

// Table helpers
void FreeDataTable(CString** pRows, int nRows);

// CDataTable owns a loaded data table until Detach hands it on.
class CDataTable
{
public:
    CDataTable() : m_pRows(NULL), m_nRows(-1), m_nColumns(0) {}
    ~CDataTable() { Free(); }

    CDataTable(const CDataTable&) = delete;
    CDataTable& operator=(const CDataTable&) = delete;

    // Frees the rows; back to no data source (-1 rows, 0 columns).
    void Free();
    // Hands the table to the caller and forgets it.
    void Detach(CString**& pRows, int& nRows, int& nColumns);
    // Frees this table and takes the rows of other, which is left without a table.
    void Take(CDataTable& other);

    CString** m_pRows;
    int m_nRows;
    int m_nColumns;
};
