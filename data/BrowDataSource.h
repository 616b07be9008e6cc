// BrowDataSource.h - CBrowDataSource, the data-source dialog "Select Data
// Source" (dialog 307).
//
// Notes
// - The loading of descriptions comes from CDataSourceLoader: the loaded
//   data table (m_pRows, m_nRows, m_nColumns), LoadAdoTable and
//   LoadDelimitedText.  A CBrowDataSource that is never shown is the loader
//   of a publication's stored description.
// - Callers take the table members only after the dialog has ended; after
//   Cancel (or a failed load) the caller frees whatever table the members
//   hold with FreeDataTable.  The dialog never frees a table itself.
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

#include "DataSourceLoader.h"
#include "PasswordProtect.h"
#include "resources/data_resource.h"

// CBrowDataSource binds a publication to an Access, Excel or text source.
class CBrowDataSource : public CDialog, public CDataSourceLoader
{
public:
    explicit CBrowDataSource(CWnd* pParent = NULL);
    virtual ~CBrowDataSource();

    enum { IDD = IDD_BROWDATASOURCE };

// Operations
    // Loads the described source (CDataSourceLoader::LoadDataSource) after
    // revealing a protected password and bracketing a stored table name
    // that needs it.
    BOOL LoadDataSource(CString strDescription, BOOL bPresetControls);
    // Fill the table list from the source; strSql names the entry to
    // preselect.  FALSE when the source could not be read (the user is told).
    BOOL ListAccessTables(CString strConnection, CString strSql);
    BOOL ListExcelSheets(CString strConnection, CString strSql);

// Member variables
    CString m_strDescription;   // given in before the dialog opens, written by OK
    CString m_strInitialFolder; // Browse starts here; empty: the documents folder
    CComboBox m_cbType;         // 1124
    CComboBox m_cbDelimiter;    // 1121

// Implementation
protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;
    virtual void PresetControls(const CDataSourceInfo& info, const CString& strFileName) override;

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

    DECLARE_MESSAGE_MAP()
};

// The statement proposed for a table or sheet: "SELECT * FROM [name]".
CString ProposeSelectStatement(const CString& strTable);
// TRUE when strSql reads the whole table strTable, written as proposed or
// in the stored unbracketed form, in any case.
BOOL IsSelectOfTable(const CString& strSql, const CString& strTable);
