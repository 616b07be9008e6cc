// PrintDlg.h - CPrintDlg, the "Print Options" dialog shown before printing and print
// preview.
//
// Notes
// - The caller fills the members, runs DoModal and reads them back after IDOK. After IDOK
//   m_nRows and m_nColumns hold the selected combo indexes (count - 1); on entry they are
//   the counts (0: not chosen yet). After IDCANCEL nothing is meant to be read.
// - m_nSheetIndex is the sheet list's item: on entry the one last confirmed (-1 when none
//   was), after IDOK the one chosen. A stock sheet given on entry is selected again when
//   it still has the sheet size given; otherwise the list opens on the custom size.
// - Out-of-range input is replaced in its control rather than refused; a start cell
//   outside the layout keeps the dialog open with a message.
// - Sizes are hundredths of an inch; gaps and margins are inches. Inches typed for the
//   custom sheet are rounded to the nearest hundredth.
// - The dialog owns its size catalogue while it is open. GDI+ must be started.

#pragma once

#include "afxdlgs.h"
#include "resources/print_resource.h"

class CSizeCatalogue;

// The value with "%2.2f".
CString FormatInches(float fInches);

// CPrintDlg chooses the sheet, the layout of copies on it, the start cell, the marks and
// the number of pages.
class CPrintDlg : public CDialog
{
public:
    enum { IDD = IDD_PRINT_OPTIONS };

    // Limits of a custom sheet side, hundredths of an inch
    enum { MIN_SHEET_SIZE = 5, MAX_SHEET_SIZE = 2500 };

    explicit CPrintDlg(CWnd* pParent = NULL);
    virtual ~CPrintDlg();

    // Overrides
    virtual BOOL OnInitDialog() override;

    // Sheets needed for every record with rows x columns per sheet, starting at the
    // given cell of the first sheet, times the sides; 0 without records.
    static int EstimateSheets(int nRowCount, int nRows, int nColumns, int nStartRow,
                              int nStartColumn, int nSides);
    // Most pages of one print job (the Print dialog numbers them in 16 bits), whole
    // sheets of one or two sides.
    static int GetMaxJobPages();
    // Proposes the layout for the design as the dialog opens with it (the catalogue's stock
    // layout, one copy a sheet for one-up publications); the size text of the design.
    CString ProposeLayout();
    // Without a window: the proposed layout, the sheet and every record's pages, the
    // members left as OK leaves them.
    void ProposeJob();
    // Draws the layout picture into rcArea (pixels of pDC): the sheet with its cells,
    // those from the start cell on filled. Nothing for a sheet without size.
    void DrawLayout(CDC* pDC, const CRect& rcArea);

    // Member variables
    CSizeCatalogue* m_pCatalogue;       // owned; exists while the dialog is open
    int m_nSheetsNeeded;                // last estimate
    int m_nSides;                       // 2 when the design has a back side
    int m_nSheetWidth;                  // sheet fed to the printer, hundredths of an inch
    int m_nSheetHeight;
    int m_nSheetIndex;                  // sheet list item, see the notes
    int m_nPubType;                     // document's publication type
    int m_nPagesToPrint;
    float m_fRowGap;                    // inches
    float m_fColumnGap;
    float m_fTopMargin;
    float m_fLeftMargin;
    int m_nDesignWidth;                 // one copy, hundredths of an inch
    int m_nDesignHeight;
    int m_nRowCount;                    // data rows including the names; -1 without database texts
    int m_nRows;                        // see the notes
    int m_nColumns;
    int m_nStartRow;                    // 1-based
    int m_nStartColumn;
    BOOL m_bCropMarks;
    BOOL m_bCornerMarks;
    CListBox m_listSheets;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual void OnOK() override;
    virtual void PostNcDestroy() override;

    // Fills the sheet list and shows the first estimate.
    void FillSheetList();
    // Estimate with the start cell, shown in the note and in "Pages To Print".
    void UpdateEstimate();
    // Rows and columns now selected (at least 1).
    int GetSelectedRows() const;
    int GetSelectedColumns() const;
    // Rows and columns of the chosen layout that lie wholly on the sheet.
    void GetFittingCells(int& nRows, int& nColumns) const;
    // Says under the picture what of the layout the sheet cannot hold, and redraws.
    void Redraw();
    // Highest page that "Pages To Print" accepts once an estimate exists.
    int GetPagesLimit() const;
    // Reads the custom sheet size; a side outside the limits gets its last good value back.
    void ReadCustomSize();
    // Replaces a gap or margin text that is out of range.
    void CheckGap(int nID);
    void CheckMargin(int nID, LPCTSTR lpszReplacement);
    void SelectLayoutCombos();
    void ReleaseCatalogue();
    // atoi and atof of a control's text
    int ReadInt(int nID) const;
    double ReadFloat(int nID) const;
    // The control's text is empty or blanks
    bool IsFieldEmpty(int nID) const;

    // Message handlers
    afx_msg void OnPaint();
    afx_msg void OnKillFocusRowGap();
    afx_msg void OnKillFocusColumnGap();
    afx_msg void OnKillFocusLeftMargin();
    afx_msg void OnKillFocusTopMargin();
    afx_msg void OnKillFocusCustomSize();
    afx_msg void OnSelChangeSheetList();
    afx_msg void OnSelChangeLayout();
    afx_msg void OnChangeStartRow();
    afx_msg void OnChangeStartColumn();
    afx_msg void OnChangePagesToPrint();
    afx_msg void OnEstimate();
    afx_msg void OnRestoreDefaults();
    DECLARE_MESSAGE_MAP()

    BOOL m_bReady;                      // controls filled: the change handlers may run
    BOOL m_bEstimated;                  // an estimate was shown: "Pages To Print" has a limit
    int m_nGoodSheetWidth;              // last custom sheet size within the limits
    int m_nGoodSheetHeight;
};
