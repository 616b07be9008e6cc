// DataSourceLoader.h - CDataSourceLoader, which turns a data-source
// description into the loaded data table.
//
// Notes
// - The loader half of the data-source dialog (CBrowDataSource derives from
//   it) and, on a dialog object that is never shown, the reload of a
//   publication's stored description.
// - TRUE from a load means m_pRows, m_nRows and m_nColumns hold the new,
//   complete table; FALSE means the user has been told why (nothing is shown
//   for an empty file path) and the members keep what they held before.
// - The table belongs to the loader until a caller takes it by copying the
//   three members; the loader never frees it in its destructor.  A later
//   successful load frees the table that an earlier load left here, so
//   callers take the table only after the last load.

#pragma once

#include <afx.h>

#include "ADODataBase.h"
#include "DataSource.h"
#include "LineTokenizer.h"

// CDataSourceLoader loads the table of an Access, Excel or text source.
class CDataSourceLoader
{
public:
    CDataSourceLoader();
    virtual ~CDataSourceLoader();

    CDataSourceLoader(const CDataSourceLoader&) = delete;
    CDataSourceLoader& operator=(const CDataSourceLoader&) = delete;

// Operations
    // Loads the described source; with bPresetControls the dialog's controls
    // get the description's values (PresetControls) and only text sources
    // are loaded.
    BOOL LoadDataSource(CString strDescription, BOOL bPresetControls);
    // Reads every record of the statement on the connection.
    BOOL LoadAdoTable(CString strConnection, CString strSql);
    // Reads a delimited text file; strDelimiter is one character or "tab".
    BOOL LoadDelimitedText(CString strPath, CString strDelimiter, BOOL bHasColNames);

// Overridables
protected:
    // Preset mode: shows the values of a description in the dialog.  For
    // Access and Excel strFileName is the file of the connection string, and
    // m_strConnection already holds that connection string.  A loader
    // without controls shows nothing.
    virtual void PresetControls(const CDataSourceInfo& info, const CString& strFileName);

// Implementation
protected:
    // Takes over a loaded table, freeing the one of an earlier load.
    void SetTable(CDataTable& table);

// Member variables
public:
    CString m_strConnection;    // from Browse or from a stored description
    CString** m_pRows;          // loaded data table, row 0 the column names
    int m_nRows;                // rows with the names row; -1 before a load
    int m_nColumns;             // values per row
    BOOL m_bHasColNames;        // flag of the last text load
    char m_tokenControls[TOKCTL_SIZE];  // tokenizer control set
    CADODataBase m_db;          // constructed first: opens COM for the loader's lifetime
    CADORecordset m_rs;
};
