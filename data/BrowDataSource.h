// BrowDataSource.h - CBrowDataSource, the data-source dialog "Select Data
// Source" (dialog 307).
//
// Notes
// - Tables are read by LoadDataTable (DataSourceLoader.h); the dialog turns
//   its status into the message shown.  The loaded table stays in m_table
//   until a caller takes it (CDataTable::Take); a failed load keeps the
//   table of an earlier one.
// - OK builds the connection string from the controls as they are then.
//   An Access password is not kept in the description in clear text: it is
//   stored protected for the current user ("Protected Password=" piece at
//   the end of the connection string) and revealed by LoadDataSource.
//   Descriptions with a password in clear text load as they are.
// - Proposed statements bracket the table or sheet name; a stored statement
//   "SELECT * FROM name" whose name is a table of the source that needs
//   brackets (blanks, key words) is loaded with the name bracketed.

#pragma once

#include <afxwin.h>

#include "ADODataBase.h"
#include "DataSourceLoader.h"
#include "PasswordProtect.h"
#include "resources/data_resource.h"

// CBrowDataSource binds a publication to an Access, Excel or text source.
class CBrowDataSource : public CDialog
{
public:
    explicit CBrowDataSource(CWnd* pParent = NULL);
    virtual ~CBrowDataSource();

    enum { IDD = IDD_BROWDATASOURCE };

// Operations
    // Loads the described source into m_table after revealing a protected
    // password; FALSE (the user told why, nothing for a text source without
    // a file) when it cannot be read.  With bPresetControls the controls get
    // the description's values (PresetControls) and only text sources are
    // loaded.
    BOOL LoadDataSource(CString strDescription, BOOL bPresetControls);
    // Fill the table list from the source; strSql names the entry to
    // preselect.  FALSE when the source could not be read (the user is told).
    BOOL ListAccessTables(CString strConnection, CString strSql);
    BOOL ListExcelSheets(CString strConnection, CString strSql);

// Member variables
    CString m_strDescription;   // given in before the dialog opens, written by OK
    CString m_strConnection;    // from Browse or from a stored description
    CDataTable m_table;         // the loaded table, row 0 the column names
    BOOL m_bHasColNames;        // flag of the last text load
    CString m_strInitialFolder; // Browse starts here; empty: the documents folder
    CString m_strBaseFolder;    // the publication's folder, where a text file named
                                // without a folder is read from; empty: untitled
    CComboBox m_cbType;         // 1124
    CComboBox m_cbDelimiter;    // 1121

// Implementation
protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;
    // Preset mode: shows the values of a description.  For Access and Excel
    // strFileName is the file of the connection string, and m_strConnection
    // already holds that connection string.
    virtual void PresetControls(const CDataSourceInfo& info, const CString& strFileName);

    // Shows and hides the controls of a source type (0 Access, 1 Excel, 2 text).
    void ApplyTypeLayout(int nType);
    // Selects the delimiter entry of a delimiter text ("Other delimiter" for
    // any text without an entry).
    void SelectDelimiter(const CString& strDelimiter);
    // Fills the table list from the schema of the open connection.
    BOOL FillTableList(CString strConnection, CString strSql, int nType);
    int GetSelectedType() const;
    CString GetDriverId() const;

    afx_msg void OnTypeChange();
    afx_msg void OnDelimiterChange();
    afx_msg void OnTableChange();
    afx_msg void OnUseSql();
    afx_msg void OnBrowse();

    int m_nShownType;           // the type whose controls are shown
    CADODataBase m_db;          // opens COM for the dialog's lifetime; lists the tables
    CADORecordset m_rs;

    DECLARE_MESSAGE_MAP()
};

// TRUE when strSql reads the whole table strTable, written as proposed or
// in the stored unbracketed form, in any case.
BOOL IsSelectOfTable(const CString& strSql, const CString& strTable);
