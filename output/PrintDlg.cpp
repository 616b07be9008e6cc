// PrintDlg.cpp - the print options dialog: sheet, layout, start cell, marks, pages and the
// layout picture.

#include "PrintDlg.h"
#include "SheetLayout.h"
#include "SizeCatalogue.h"

#include <objidl.h>
#include <gdiplus.h>

#include <limits.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

using namespace Gdiplus;

namespace
{

const int kMaxCells = 20;               // rows and columns offered

const char kCustomSheet[] = "Custom - Specify your own sheet size";
const char kNoDbTextNote[] =
    "Note: There is no database-linked text in your design. So all printing will be identical.";
const char kEstimateNote[] =
    "NOTE: With current print options and %d rows and %d columns on one sheet, you need %d sheets "
    "to print all your records.[Total records = %d]";

int Clamp(int n, int nLow, int nHigh)
{
    return n < nLow ? nLow : (n > nHigh ? nHigh : n);
}

// Envelopes, letterheads, flyers and signs print one copy a sheet of their own size;
// postcards are laid out on the document's sheet, as labels and badges are.
bool IsOneUp(int nPubType)
{
    return nPubType == 2 || (nPubType >= 4 && nPubType <= 6);
}

} // namespace

CString FormatInches(float fInches)
{
    CString str;
    str.Format("%2.2f", (double)fInches);
    return str;
}

BEGIN_MESSAGE_MAP(CPrintDlg, CDialog)
    ON_WM_PAINT()
    ON_EN_KILLFOCUS(IDC_PO_ROWGAP, OnKillFocusRowGap)
    ON_EN_KILLFOCUS(IDC_PO_COLUMNGAP, OnKillFocusColumnGap)
    ON_EN_KILLFOCUS(IDC_PO_LEFTMARGIN, OnKillFocusLeftMargin)
    ON_EN_KILLFOCUS(IDC_PO_TOPMARGIN, OnKillFocusTopMargin)
    ON_EN_KILLFOCUS(IDC_PO_CUSTOMWIDTH, OnKillFocusCustomSize)
    ON_EN_KILLFOCUS(IDC_PO_CUSTOMHEIGHT, OnKillFocusCustomSize)
    ON_LBN_SELCHANGE(IDC_PO_SHEETLIST, OnSelChangeSheetList)
    ON_CBN_SELCHANGE(IDC_PO_ROWS, OnSelChangeLayout)
    ON_CBN_SELCHANGE(IDC_PO_COLUMNS, OnSelChangeLayout)
    ON_EN_CHANGE(IDC_PO_STARTROW, OnChangeStartRow)
    ON_EN_CHANGE(IDC_PO_STARTCOLUMN, OnChangeStartColumn)
    ON_EN_CHANGE(IDC_PO_PAGES, OnChangePagesToPrint)
    ON_BN_CLICKED(IDC_PO_ESTIMATE, OnEstimate)
    ON_BN_CLICKED(IDC_PO_RESTOREDEFAULTS, OnRestoreDefaults)
END_MESSAGE_MAP()

// A letter sheet and no layout yet: rows of 0 let ProposeLayout take the catalogue's layout.
CPrintDlg::CPrintDlg(CWnd* pParent)
    : CDialog(IDD, pParent),
      m_pCatalogue(NULL),
      m_nSheetsNeeded(0),
      m_nSides(1),
      m_nSheetWidth(850),
      m_nSheetHeight(1100),
      m_nSheetIndex(-1),
      m_nPubType(0),
      m_nPagesToPrint(1),
      m_fRowGap(0),
      m_fColumnGap(0),
      m_fTopMargin(0),
      m_fLeftMargin(0),
      m_nDesignWidth(400),
      m_nDesignHeight(200),
      m_nRowCount(-1),
      m_nRows(0),
      m_nColumns(0),
      m_nStartRow(1),
      m_nStartColumn(1),
      m_bCropMarks(FALSE),
      m_bCornerMarks(FALSE),
      m_bReady(FALSE),
      m_bEstimated(FALSE),
      m_nGoodSheetWidth(850),
      m_nGoodSheetHeight(1100)
{
}

CPrintDlg::~CPrintDlg()
{
    ReleaseCatalogue();
}

void CPrintDlg::ReleaseCatalogue()
{
    delete m_pCatalogue;
    m_pCatalogue = NULL;
}

// Rows and columns travel as combo indexes (the count less one); gaps and margins in inches.
void CPrintDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PO_SHEETLIST, m_listSheets);
    DDX_Text(pDX, IDC_PO_PAGES, m_nPagesToPrint);
    DDX_Text(pDX, IDC_PO_STARTROW, m_nStartRow);
    DDX_Text(pDX, IDC_PO_STARTCOLUMN, m_nStartColumn);
    DDX_Text(pDX, IDC_PO_ROWGAP, m_fRowGap);
    DDX_Text(pDX, IDC_PO_COLUMNGAP, m_fColumnGap);
    DDX_Text(pDX, IDC_PO_TOPMARGIN, m_fTopMargin);
    DDX_Text(pDX, IDC_PO_LEFTMARGIN, m_fLeftMargin);
    DDX_CBIndex(pDX, IDC_PO_ROWS, m_nRows);
    DDX_CBIndex(pDX, IDC_PO_COLUMNS, m_nColumns);
    DDX_Check(pDX, IDC_PO_CROPMARKS, m_bCropMarks);
    DDX_Check(pDX, IDC_PO_CORNERMARKS, m_bCornerMarks);
}

/////////////////////////////////////////////////////////////////////////////
// Building the dialog

BOOL CPrintDlg::OnInitDialog()
{
    m_bReady = FALSE;
    m_bEstimated = FALSE;
    // the member counts survive the first exchange, which selects nothing yet
    const int nRows = m_nRows;
    const int nColumns = m_nColumns;
    CDialog::OnInitDialog();
    m_nRows = nRows;
    m_nColumns = nColumns;
    ReleaseCatalogue();

    if (m_nSheetWidth >= MIN_SHEET_SIZE && m_nSheetWidth <= MAX_SHEET_SIZE)
        m_nGoodSheetWidth = m_nSheetWidth;
    if (m_nSheetHeight >= MIN_SHEET_SIZE && m_nSheetHeight <= MAX_SHEET_SIZE)
        m_nGoodSheetHeight = m_nSheetHeight;

    CComboBox* pRows = (CComboBox*)GetDlgItem(IDC_PO_ROWS);
    CComboBox* pColumns = (CComboBox*)GetDlgItem(IDC_PO_COLUMNS);
    for (int i = 1; i <= kMaxCells; i++)
    {
        CString strItem;
        strItem.Format("%d", i);
        pRows->AddString(strItem);
        pColumns->AddString(strItem);
    }
    SelectLayoutCombos();
    CheckDlgButton(IDC_PO_CORNERMARKS, m_bCornerMarks ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_PO_CROPMARKS, m_bCropMarks ? BST_CHECKED : BST_UNCHECKED);

    CString strSize = ProposeLayout();
    SelectLayoutCombos();
    SetDlgItemText(IDC_PO_ROWGAP, FormatInches(m_fRowGap));
    SetDlgItemText(IDC_PO_COLUMNGAP, FormatInches(m_fColumnGap));
    SetDlgItemText(IDC_PO_TOPMARGIN, FormatInches(m_fTopMargin));
    SetDlgItemText(IDC_PO_LEFTMARGIN, FormatInches(m_fLeftMargin));

    if (strSize.Find('-') < 0)
        strSize += " inch";
    SetDlgItemText(IDC_PO_DESIGNSIZE, CString("Your design size is: ") + strSize);

    if (m_nRows * m_nColumns == 0)
    {
        m_nRows = m_nColumns = 1;
        SelectLayoutCombos();
    }

    m_bReady = TRUE;
    CString strPages;
    if (m_nRowCount == -1)
    {
        strPages.Format("%d", m_nSides);
    }
    else
    {
        const int nRecords = m_nRowCount > 1 ? m_nRowCount - 1 : 0;
        strPages.Format("%d", m_nSides * (nRecords / (GetSelectedRows() * GetSelectedColumns())));
    }
    SetDlgItemText(IDC_PO_PAGES, strPages);
    CString strStart;
    strStart.Format("%d", m_nStartRow);
    SetDlgItemText(IDC_PO_STARTROW, strStart);
    strStart.Format("%d", m_nStartColumn);
    SetDlgItemText(IDC_PO_STARTCOLUMN, strStart);

    FillSheetList();
    Redraw();
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// The proposed layout

CString CPrintDlg::ProposeLayout()
{
    if (m_pCatalogue == NULL)
    {
        m_pCatalogue = new CSizeCatalogue;
        m_pCatalogue->FillAll();
    }

    CString strSize = FormatInches(m_nDesignWidth * 0.01f) + " x " + FormatInches(m_nDesignHeight * 0.01f);

    int nFirst = -1, nCount = 0;
    switch (m_nPubType)
    {
    case 0:
        nFirst = CSizeCatalogue::FIRST_LABEL;
        nCount = CSizeCatalogue::LABEL_COUNT;
        break;
    case 1:
        nFirst = CSizeCatalogue::FIRST_BADGE;
        nCount = CSizeCatalogue::BADGE_COUNT;
        break;
    case 3:
        nFirst = CSizeCatalogue::FIRST_POSTCARD;
        nCount = CSizeCatalogue::POSTCARD_COUNT;
        break;
    default:
        // one copy per sheet
        m_nRows = m_nColumns = 1;
        m_fRowGap = m_fColumnGap = 0;
        m_fTopMargin = m_fLeftMargin = 0;
        break;
    }
    CString strWidth, strHeight;
    strWidth.Format("%d", m_nDesignWidth);
    strHeight.Format("%d", m_nDesignHeight);
    for (int e = nFirst; nFirst >= 0 && e < nFirst + nCount; e++)
    {
        if (m_pCatalogue->GetEntryField(e, CSizeCatalogue::fieldWidth) != strWidth ||
            m_pCatalogue->GetEntryField(e, CSizeCatalogue::fieldHeight) != strHeight)
            continue;
        if (m_nRows == 0)
        {
            m_nRows = atoi(m_pCatalogue->GetEntryField(e, CSizeCatalogue::fieldRows));
            m_nColumns = atoi(m_pCatalogue->GetEntryField(e, CSizeCatalogue::fieldColumns));
            m_fRowGap = (float)atof(m_pCatalogue->GetEntryField(e, CSizeCatalogue::fieldRowGap));
            m_fColumnGap = (float)atof(m_pCatalogue->GetEntryField(e, CSizeCatalogue::fieldColumnGap));
            m_fTopMargin = (float)atof(m_pCatalogue->GetEntryField(e, CSizeCatalogue::fieldTopMargin));
            m_fLeftMargin = (float)atof(m_pCatalogue->GetEntryField(e, CSizeCatalogue::fieldLeftMargin));
        }
        const CString& strName = m_pCatalogue->GetEntryField(e, CSizeCatalogue::fieldName);
        const int nColon = strName.Find(':');
        strSize = nColon >= 0 ? strName.Mid(nColon + 1) : strName;
        break;
    }

    return strSize;
}

// Settles layout, start cell, sheet and pages without showing the dialog, leaving the members as OK does.
void CPrintDlg::ProposeJob()
{
    ProposeLayout();
    if (m_nRows * m_nColumns <= 0)
        m_nRows = m_nColumns = 1;
    m_nRows = Clamp(m_nRows, 1, kMaxCells);
    m_nColumns = Clamp(m_nColumns, 1, kMaxCells);
    m_nStartRow = Clamp(m_nStartRow, 1, m_nRows);
    m_nStartColumn = Clamp(m_nStartColumn, 1, m_nColumns);
    if (m_nSheetIndex < 0 && IsOneUp(m_nPubType) && m_nDesignWidth >= MIN_SHEET_SIZE &&
        m_nDesignWidth <= MAX_SHEET_SIZE && m_nDesignHeight >= MIN_SHEET_SIZE && m_nDesignHeight <= MAX_SHEET_SIZE)
    {
        m_nSheetWidth = m_nDesignWidth;
        m_nSheetHeight = m_nDesignHeight;
    }
    if (m_nSheetIndex < 0)
        m_nSheetIndex = 0;
    // every record: the sheets from the start cell, or the sides once
    m_nSheetsNeeded = EstimateSheets(m_nRowCount, m_nRows, m_nColumns, m_nStartRow, m_nStartColumn, m_nSides);
    m_nPagesToPrint = m_nRowCount == -1 ? m_nSides : GetPagesLimit();
    // as OK leaves them: the combo indexes
    m_nRows -= 1;
    m_nColumns -= 1;
}

void CPrintDlg::SelectLayoutCombos()
{
    ((CComboBox*)GetDlgItem(IDC_PO_ROWS))->SetCurSel(Clamp(m_nRows - 1, 0, kMaxCells - 1));
    ((CComboBox*)GetDlgItem(IDC_PO_COLUMNS))->SetCurSel(Clamp(m_nColumns - 1, 0, kMaxCells - 1));
}

int CPrintDlg::GetSelectedRows() const
{
    const int nSel = (int)::SendDlgItemMessageA(m_hWnd, IDC_PO_ROWS, CB_GETCURSEL, 0, 0);
    return nSel >= 0 ? nSel + 1 : 1;
}

int CPrintDlg::GetSelectedColumns() const
{
    const int nSel = (int)::SendDlgItemMessageA(m_hWnd, IDC_PO_COLUMNS, CB_GETCURSEL, 0, 0);
    return nSel >= 0 ? nSel + 1 : 1;
}

int CPrintDlg::ReadInt(int nID) const
{
    char szText[64] = "";
    ::GetDlgItemTextA(m_hWnd, nID, szText, sizeof(szText));
    // digits beyond the range of int read as its largest value
    const long long nValue = strtoll(szText, NULL, 10);
    return nValue > INT_MAX ? INT_MAX : nValue < INT_MIN ? INT_MIN : (int)nValue;
}

// An emptied number field waits for the digits typed next; OK refuses it while it stays empty.
bool CPrintDlg::IsFieldEmpty(int nID) const
{
    char szText[8] = "";
    ::GetDlgItemTextA(m_hWnd, nID, szText, sizeof(szText));
    return szText[strspn(szText, " ")] == '\0';
}

double CPrintDlg::ReadFloat(int nID) const
{
    char szText[64] = "";
    ::GetDlgItemTextA(m_hWnd, nID, szText, sizeof(szText));
    return atof(szText);
}

/////////////////////////////////////////////////////////////////////////////
// Sheets

void CPrintDlg::FillSheetList()
{
    m_listSheets.ResetContent();
    m_listSheets.AddString(kCustomSheet);
    for (int s = 0; s < CSizeCatalogue::SHEET_COUNT; s++)
        m_listSheets.AddString(m_pCatalogue->GetSheetField(s, 0));
    m_listSheets.SetCurSel(0);

    const int nRows = GetSelectedRows();
    const int nColumns = GetSelectedColumns();
    CString strNote;
    if (m_nRowCount == -1)
    {
        strNote = kNoDbTextNote;
        GetDlgItem(IDC_PO_ESTIMATE)->EnableWindow(FALSE);
    }
    else
    {
        // the start cell kept from the last print counts: its skipped cells need sheets too
        m_nSheetsNeeded = EstimateSheets(m_nRowCount, nRows, nColumns, m_nStartRow, m_nStartColumn, m_nSides);
        m_bEstimated = TRUE;
        CString strPages;
        strPages.Format("%d", GetPagesLimit());
        SetDlgItemText(IDC_PO_PAGES, strPages);
        strNote.Format(kEstimateNote, nRows, nColumns, m_nSheetsNeeded, m_nRowCount > 1 ? m_nRowCount - 1 : 0);
        GetDlgItem(IDC_PO_ESTIMATE)->EnableWindow(TRUE);
    }
    SetDlgItemText(IDC_PO_NOTE, strNote);
    SetDlgItemText(IDC_PO_CUSTOMWIDTH, FormatInches(m_nSheetWidth * 0.01f));
    SetDlgItemText(IDC_PO_CUSTOMHEIGHT, FormatInches(m_nSheetHeight * 0.01f));

    if (m_nSheetIndex >= 1 && m_nSheetIndex <= CSizeCatalogue::SHEET_COUNT &&
        atoi(m_pCatalogue->GetSheetField(m_nSheetIndex - 1, 1)) == m_nSheetWidth &&
        atoi(m_pCatalogue->GetSheetField(m_nSheetIndex - 1, 2)) == m_nSheetHeight)
    {
        // the stock sheet confirmed last time
        m_listSheets.SetCurSel(m_nSheetIndex);
        OnSelChangeSheetList();
    }
    else if (m_nSheetIndex < 0 && IsOneUp(m_nPubType))
    {
        // the sheet is the design's own size until one was confirmed
        SetDlgItemText(IDC_PO_CUSTOMWIDTH, FormatInches(m_nDesignWidth * 0.01f));
        SetDlgItemText(IDC_PO_CUSTOMHEIGHT, FormatInches(m_nDesignHeight * 0.01f));
        m_listSheets.SetCurSel(0);
        OnSelChangeSheetList();
    }
}

// A stock sheet gives its size; the custom entry enables the size fields and reads them.
void CPrintDlg::OnSelChangeSheetList()
{
    const int nIndex = m_listSheets.GetCurSel();
    const BOOL bCustom = nIndex <= 0;
    GetDlgItem(IDC_PO_CUSTOMWIDTH)->EnableWindow(bCustom);
    GetDlgItem(IDC_PO_CUSTOMHEIGHT)->EnableWindow(bCustom);
    GetDlgItem(IDC_PO_UNITS)->EnableWindow(bCustom);
    if (bCustom)
    {
        ReadCustomSize();
    }
    else if (nIndex <= CSizeCatalogue::SHEET_COUNT)
    {
        m_nSheetWidth = atoi(m_pCatalogue->GetSheetField(nIndex - 1, 1));
        m_nSheetHeight = atoi(m_pCatalogue->GetSheetField(nIndex - 1, 2));
    }
    Redraw();
}

void CPrintDlg::OnKillFocusCustomSize()
{
    if (!m_bReady)
        return;
    ReadCustomSize();
    Redraw();
}

// Takes the typed sheet size; a size out of range falls back to the last good one, written back.
void CPrintDlg::ReadCustomSize()
{
    const int nWidth = HundredthsOfInches(ReadFloat(IDC_PO_CUSTOMWIDTH));
    const int nHeight = HundredthsOfInches(ReadFloat(IDC_PO_CUSTOMHEIGHT));
    if (nWidth >= MIN_SHEET_SIZE && nWidth <= MAX_SHEET_SIZE)
    {
        m_nSheetWidth = m_nGoodSheetWidth = nWidth;
    }
    else
    {
        m_nSheetWidth = m_nGoodSheetWidth;
        SetDlgItemText(IDC_PO_CUSTOMWIDTH, FormatInches(m_nGoodSheetWidth * 0.01f));
    }
    if (nHeight >= MIN_SHEET_SIZE && nHeight <= MAX_SHEET_SIZE)
    {
        m_nSheetHeight = m_nGoodSheetHeight = nHeight;
    }
    else
    {
        m_nSheetHeight = m_nGoodSheetHeight;
        SetDlgItemText(IDC_PO_CUSTOMHEIGHT, FormatInches(m_nGoodSheetHeight * 0.01f));
    }
}

/////////////////////////////////////////////////////////////////////////////
// Range checks

void CPrintDlg::CheckGap(int nID)
{
    const double dValue = ReadFloat(nID);
    if (dValue <= 0)
        SetDlgItemText(nID, "0");
    else if (dValue > 15)
        SetDlgItemText(nID, "15");
}

void CPrintDlg::CheckMargin(int nID, LPCTSTR lpszReplacement)
{
    const double dValue = ReadFloat(nID);
    if (dValue < 0 || dValue > 15)
        SetDlgItemText(nID, lpszReplacement);
}

void CPrintDlg::OnKillFocusRowGap()
{
    CheckGap(IDC_PO_ROWGAP);
    Redraw();
}

void CPrintDlg::OnKillFocusColumnGap()
{
    CheckGap(IDC_PO_COLUMNGAP);
    Redraw();
}

void CPrintDlg::OnKillFocusLeftMargin()
{
    CheckMargin(IDC_PO_LEFTMARGIN, "0.25");
    Redraw();
}

void CPrintDlg::OnKillFocusTopMargin()
{
    CheckMargin(IDC_PO_TOPMARGIN, "0.07");
    Redraw();
}

// Keeps the start row between 1 and the rows chosen, writing the nearest good value back, and
// estimates again.
void CPrintDlg::OnChangeStartRow()
{
    if (!m_bReady || IsFieldEmpty(IDC_PO_STARTROW))
        return;
    const int nValue = ReadInt(IDC_PO_STARTROW);
    const int nRows = GetSelectedRows();
    CString strText;
    if (nValue <= 0)
        strText = "1";
    else if (nValue > nRows)
        strText.Format("%d", nRows);
    if (!strText.IsEmpty())
    {
        SetDlgItemText(IDC_PO_STARTROW, strText);   // runs this handler on the new text
        return;
    }
    m_nStartRow = nValue;
    UpdateEstimate();
}

// Keeps the start column between 1 and the columns chosen, as OnChangeStartRow does for rows.
void CPrintDlg::OnChangeStartColumn()
{
    if (!m_bReady || IsFieldEmpty(IDC_PO_STARTCOLUMN))
        return;
    const int nValue = ReadInt(IDC_PO_STARTCOLUMN);
    const int nColumns = GetSelectedColumns();
    CString strText;
    if (nValue <= 0)
        strText = "1";
    else if (nValue > nColumns)
        strText.Format("%d", nColumns);
    if (!strText.IsEmpty())
    {
        SetDlgItemText(IDC_PO_STARTCOLUMN, strText);
        return;
    }
    m_nStartColumn = nValue;
    UpdateEstimate();
}

int CPrintDlg::GetMaxJobPages()
{
    // page numbers are 16 bits, and 0xFFFF stands for a job of unknown length; 0xFFFE
    // pages are whole sheets of one or two sides
    return 0xFFFE;
}

int CPrintDlg::GetPagesLimit() const
{
    // without records the estimate is 0 sheets; the pages still print the sides once
    const int nLimit = m_nSheetsNeeded > 0 ? m_nSheetsNeeded : (m_nSides > 0 ? m_nSides : 1);
    return nLimit < GetMaxJobPages() ? nLimit : GetMaxJobPages();
}

// Keeps the pages between 1 and the estimate (with records) or the most one job holds, writing the nearest
// good value back.
void CPrintDlg::OnChangePagesToPrint()
{
    if (!m_bReady || IsFieldEmpty(IDC_PO_PAGES))
        return;
    const int nValue = ReadInt(IDC_PO_PAGES);
    CString strText;
    if (nValue <= 0)
        strText = "1";
    else if (m_nRowCount >= 0 && m_bEstimated && nValue > GetPagesLimit())
        strText.Format("%d", GetPagesLimit());
    else if (nValue > GetMaxJobPages())
        strText.Format("%d", GetMaxJobPages());
    if (!strText.IsEmpty())
        SetDlgItemText(IDC_PO_PAGES, strText);
}

void CPrintDlg::OnSelChangeLayout()
{
    UpdateEstimate();
}

/////////////////////////////////////////////////////////////////////////////
// Estimate

int CPrintDlg::EstimateSheets(int nRowCount, int nRows, int nColumns, int nStartRow, int nStartColumn,
                              int nSides)
{
    if (nRows < 1 || nColumns < 1)
        return 0;
    const long long nRecords = nRowCount > 1 ? nRowCount - 1 : 0;
    if (nRecords == 0)
        return 0;
    // the records and the cells skipped on the first sheet
    const long long nCells = nRecords + (long long)(nStartRow - 1) * nColumns + (nStartColumn - 1);
    const long long nPerSheet = (long long)nRows * nColumns;
    const long long nSheets = (nCells + nPerSheet - 1) / nPerSheet * nSides;
    return nSheets > INT_MAX ? INT_MAX : (int)nSheets;
}

// With records, counts the sheets again and shows the page limit and the note; the picture is redrawn always.
void CPrintDlg::UpdateEstimate()
{
    if (m_nRowCount >= 0)
    {
        const int nRows = GetSelectedRows();
        const int nColumns = GetSelectedColumns();
        m_nSheetsNeeded = EstimateSheets(m_nRowCount, nRows, nColumns, m_nStartRow, m_nStartColumn, m_nSides);
        m_bEstimated = TRUE;
        CString strPages;
        strPages.Format("%d", GetPagesLimit());
        SetDlgItemText(IDC_PO_PAGES, strPages);
        CString strNote;
        strNote.Format(kEstimateNote, nRows, nColumns, m_nSheetsNeeded, m_nRowCount > 1 ? m_nRowCount - 1 : 0);
        SetDlgItemText(IDC_PO_NOTE, strNote);
    }
    Redraw();
}

void CPrintDlg::OnEstimate()
{
    if (m_nRowCount < 0)
    {
        AfxMessageBox(IDS_PO_ESTIMATE_NO_DBTEXT, MB_OK);
        return;
    }
    m_nSheetsNeeded = EstimateSheets(m_nRowCount, GetSelectedRows(), GetSelectedColumns(), m_nStartRow,
                                     m_nStartColumn, m_nSides);
    CString strText;
    strText.Format(IDS_PO_ESTIMATE_RESULT, m_nRowCount > 1 ? m_nRowCount - 1 : 0, m_nSheetsNeeded);
    AfxMessageBox(strText, MB_OK);
}

void CPrintDlg::OnRestoreDefaults()
{
}

/////////////////////////////////////////////////////////////////////////////
// Layout picture

void CPrintDlg::GetFittingCells(int& nRows, int& nColumns) const
{
    nRows = CountFittingCells(HundredthsOfInches(ReadFloat(IDC_PO_TOPMARGIN)), m_nDesignHeight,
                              HundredthsOfInches(ReadFloat(IDC_PO_ROWGAP)), m_nSheetHeight);
    nColumns = CountFittingCells(HundredthsOfInches(ReadFloat(IDC_PO_LEFTMARGIN)), m_nDesignWidth,
                                 HundredthsOfInches(ReadFloat(IDC_PO_COLUMNGAP)), m_nSheetWidth);
    nRows = nRows < GetSelectedRows() ? nRows : GetSelectedRows();
    nColumns = nColumns < GetSelectedColumns() ? nColumns : GetSelectedColumns();
}

void CPrintDlg::Redraw()
{
    // the line under the picture says what of the layout the sheet cannot hold
    int nFitRows, nFitColumns;
    GetFittingCells(nFitRows, nFitColumns);
    const int nRows = GetSelectedRows();
    const int nColumns = GetSelectedColumns();
    CString strFit;
    if (nFitRows < nRows || nFitColumns < nColumns)
        strFit.Format(IDS_PO_LAYOUT_TOO_LARGE, nFitRows, nRows, nFitColumns, nColumns);
    SetDlgItemText(IDC_PO_FIT, strFit);
    Invalidate();
}

// Paints the layout picture into its frame, above the line that says what the sheet cannot hold.
void CPrintDlg::OnPaint()
{
    CPaintDC dc(this);
    CWnd* pBox = GetDlgItem(IDC_PO_LAYOUT);
    if (pBox == NULL)
        return;
    CRect rcBox;
    pBox->GetClientRect(&rcBox);
    // the picture stands above the line under it
    if (CWnd* pFit = GetDlgItem(IDC_PO_FIT))
    {
        CRect rcFit;
        pFit->GetWindowRect(&rcFit);
        pBox->ScreenToClient(&rcFit);
        if (rcFit.top > rcBox.top && rcFit.top < rcBox.bottom)
            rcBox.bottom = rcFit.top;
    }
    CClientDC dcBox(pBox);
    DrawLayout(&dcBox, rcBox);
}

// Draws the sheet to scale with every chosen cell, filled from the start cell on and cut at the sheet's edge.
void CPrintDlg::DrawLayout(CDC* pDC, const CRect& rcArea)
{
    if (pDC == NULL || m_nSheetWidth <= 0 || m_nSheetHeight <= 0 || m_hWnd == NULL)
        return;

    // pixels per hundredth of an inch: the sheet fits the area below its caption
    const float fWidth = (float)(rcArea.Width() - 20);
    const float fHeight = (float)(rcArea.Height() - 30);
    if (fWidth <= 0 || fHeight <= 0)
        return;
    float k = fWidth / m_nSheetWidth;
    if (m_nSheetHeight * k > fHeight)
        k = fHeight / m_nSheetHeight;
    const float x0 = (float)rcArea.left + 10;
    const float y0 = (float)rcArea.top + 20;

    Graphics graphics(pDC->GetSafeHdc());
    SolidBrush brushSheet(Color(0xFFFFFFFF));
    Pen penSheet(Color(0xFF000000), 1.0f);
    graphics.FillRectangle(&brushSheet, x0, y0, m_nSheetWidth * k, m_nSheetHeight * k);
    graphics.DrawRectangle(&penSheet, x0, y0, m_nSheetWidth * k, m_nSheetHeight * k);

    // margins and gaps as typed, at the sheet's scale
    const float fInch = 100 * k;
    const float fLeft = (float)ReadFloat(IDC_PO_LEFTMARGIN) * fInch;
    const float fTop = (float)ReadFloat(IDC_PO_TOPMARGIN) * fInch;
    const float fColumnGap = (float)ReadFloat(IDC_PO_COLUMNGAP) * fInch;
    const float fRowGap = (float)ReadFloat(IDC_PO_ROWGAP) * fInch;
    const float fCellWidth = m_nDesignWidth * k;
    const float fCellHeight = m_nDesignHeight * k;
    const int nRows = GetSelectedRows();
    const int nColumns = GetSelectedColumns();

    SolidBrush brushCell(Color(0xFFFFFFC0));
    Pen penCell(Color(0xFF0000A0), 1.0f);
    // cells beyond the sheet are cut at its edge
    graphics.SetClip(RectF(x0, y0, m_nSheetWidth * k + 1, m_nSheetHeight * k + 1));
    BOOL bFilling = FALSE;
    for (int r = 0; r < nRows; r++)
    {
        for (int c = 0; c < nColumns; c++)
        {
            const float x = x0 + fLeft + c * (fCellWidth + fColumnGap);
            const float y = y0 + fTop + r * (fCellHeight + fRowGap);
            if (!bFilling && r >= m_nStartRow - 1 && c >= m_nStartColumn - 1)
                bFilling = TRUE;
            if (bFilling)
                graphics.FillRectangle(&brushCell, x, y, fCellWidth, fCellHeight);
            graphics.DrawRectangle(&penCell, x, y, fCellWidth, fCellHeight);
        }
    }
    graphics.ResetClip();
    graphics.DrawRectangle(&penSheet, x0, y0, m_nSheetWidth * k, m_nSheetHeight * k);
}

/////////////////////////////////////////////////////////////////////////////
// Closing

void CPrintDlg::OnOK()
{
    const int nRows = GetSelectedRows();
    const int nColumns = GetSelectedColumns();
    if (nRows < m_nStartRow)
    {
        CString strText;
        strText.Format(IDS_PO_START_ROW, nRows, m_nStartRow);
        AfxMessageBox(strText, MB_OK);
        return;
    }
    if (nColumns < m_nStartColumn)
    {
        CString strText;
        strText.Format(IDS_PO_START_COLUMN, nColumns, m_nStartColumn);
        AfxMessageBox(strText, MB_OK);
        return;
    }
    // a value typed without leaving its field (Enter) is checked as well
    CheckGap(IDC_PO_ROWGAP);
    CheckGap(IDC_PO_COLUMNGAP);
    CheckMargin(IDC_PO_LEFTMARGIN, "0.25");
    CheckMargin(IDC_PO_TOPMARGIN, "0.07");
    if (m_listSheets.GetCurSel() <= 0)
        ReadCustomSize();
    int nFitRows, nFitColumns;
    GetFittingCells(nFitRows, nFitColumns);
    if (nFitRows < nRows || nFitColumns < nColumns)
    {
        // cells beyond the sheet would not print: the user keeps the layout or goes back
        CString strText;
        strText.Format(IDS_PO_KEEP_LARGE_LAYOUT, (LPCTSTR)FormatInches(m_nSheetWidth * 0.01f),
                       (LPCTSTR)FormatInches(m_nSheetHeight * 0.01f), nFitRows, nFitColumns);
        if (AfxMessageBox(strText, MB_YESNO | MB_ICONWARNING) != IDYES)
            return;
    }
    m_nSheetIndex = m_listSheets.GetCurSel() > 0 ? m_listSheets.GetCurSel() : 0;
    CDialog::OnOK();
}

void CPrintDlg::PostNcDestroy()
{
    ReleaseCatalogue();
    CDialog::PostNcDestroy();
}
