// DataEntryDlg.h - CDataEntryDlg, the dialog "Data Entry" (dialog 306) that
// lists and edits the loaded data table.
//
// Notes
// - The dialog works on its own copy of the table (SetTable); the caller
//   takes the edited table with DetachTable after OK.  Whatever table the
//   dialog still holds when it is destroyed is freed then, so Cancel leaves
//   the caller's table exactly as it was.
// - The table is edited in memory only; the data source is never written.
// - Export files: lines separated by "\r\n" (none after the last line), row
//   0 the column names, values separated by one delimiter character.  A
//   line break inside a value is written as "``".  A value that contains
//   the delimiter or "``", or begins with '"', is written in double quotes
//   (quotes inside doubled, line breaks as they are).  Files without quotes
//   read as they always did.

#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <vector>

#include "resources/data_resource.h"

// CDataEntryDlg edits records, merges columns, exports and imports.
class CDataEntryDlg : public CDialog
{
public:
    explicit CDataEntryDlg(CWnd* pParent = NULL);
    virtual ~CDataEntryDlg();

    CDataEntryDlg(const CDataEntryDlg&) = delete;
    CDataEntryDlg& operator=(const CDataEntryDlg&) = delete;

    enum { IDD = IDD_DATAENTRY };

// Operations
    // Copies the table into the dialog (row 0 the names, nRows with it).
    void SetTable(CString* const* pRows, int nRows, int nColumns);
    // Hands the dialog's table to the caller, who frees it; the dialog is
    // then without table.
    void DetachTable(CString**& pRows, int& nRows, int& nColumns);

// Member variables
    CString** m_pRows;          // the table being edited; owned
    int m_nRows;                // rows including the names row
    int m_nColumns;
    int m_nRecord;              // list position of the current record (row - 1)
    int m_nField;               // current column
    CString m_strLineBreak;     // "\r\n"
    CString m_strInitialFolder; // Import starts here; empty: the documents folder
    CString m_strExportDelimiter;   // 1141
    CString m_strImportDelimiter;   // 1140
    CString m_strSeparator;         // 1144
    CListCtrl m_list;           // 1129, a virtual list: texts come from m_pRows
    CComboBox m_cbMergeFirst;   // 1124
    CComboBox m_cbMergeSecond;  // 1125

// Implementation
protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;

    // Shows the table: the columns and both merge lists when the names changed (the
    // whole list drawn anew), else the record count and the rows from list position
    // nFirstChanged on.
    void RefreshList(int nFirstChanged = 0);
    void ShowField();
    void EnableFieldButtons(BOOL bEnable);
    BOOL IsCurrentFieldValid() const;
    void StoreField();
    // Keeps a value typed into the shown field before the dialog leaves it.
    void KeepShownField();
    void FreeTable();
    // Replaces the table by one made of the given rows (each of m_nColumns values).
    void ReplaceRows(std::vector<CString*>& rows);

    afx_msg void OnAddRecord();
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNext();
    afx_msg void OnPrev();
    afx_msg void OnSaveField();
    afx_msg void OnDeleteAll();
    afx_msg void OnDeleteSelected();
    afx_msg void OnExport();
    afx_msg void OnImport();
    afx_msg void OnMergeColumns();
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetDispInfoW(NMHDR* pNMHDR, LRESULT* pResult);

private:
    // The text the list shows for record position nItem, column nSubItem (0 the number).
    CString CellText(int nItem, int nSubItem) const;

    std::vector<CString> m_shownColumns;    // the column names the list and merge lists show

    DECLARE_MESSAGE_MAP()
};

// The delimiter character of an export or import delimiter text: "|" for the
// empty text, tab for "t", else its first character; "," for a path whose
// extension is csv.
char GetExportDelimiter(const CString& strText, const CString& strPath);
// One row as a line of an export file.
CString FormatExportLine(const CString* pValues, int nValues, char chDelimiter);
// Splits the text of an export file into rows of values.  A line break after
// the last line adds no row.
void ParseExportText(const CString& strText, char chDelimiter,
    std::vector<std::vector<CString> >& rows);
