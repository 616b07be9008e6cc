// DataEntryDlg.cpp - CDataEntryDlg, the dialog "Data Entry" (dialog 306).

#include "DataEntryDlg.h"
#include "DataSource.h"
#include "UnexpectedError.h"

#include <afxdlgs.h>

#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <unordered_set>

namespace
{
const char kLineBreak[] = "\r\n";
const char kLineBreakMark[] = "``";
const char kNoData[] = "NoData";

// The user's documents folder.
CString DocumentsFolder()
{
    char szPath[MAX_PATH] = "";
    if (FAILED(::SHGetFolderPathA(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, szPath)))
        return CString();
    return szPath;
}

// The extension of a path without the dot, empty when there is none.
CString ExtensionOf(const CString& strPath)
{
    const int nDot = strPath.ReverseFind('.');
    const int nSlash = strPath.ReverseFind('\\');
    if (nDot < 0 || nDot < nSlash)
        return CString();
    return strPath.Mid(nDot + 1);
}

BOOL IsLineBreakAt(const CString& strText, int nPos)
{
    return nPos + 1 < strText.GetLength() && strText[nPos] == '\r' && strText[nPos + 1] == '\n';
}

// A value in double quotes at nPos: TRUE when its closing quote is followed by
// the delimiter, a line break or the end; nEnd is then the position after it.
BOOL ScanQuoted(const CString& strText, int nPos, char chDelimiter, CString& strValue, int& nEnd)
{
    const int nLength = strText.GetLength();
    strValue.Empty();
    for (int i = nPos + 1; i < nLength; ++i)
    {
        const char ch = strText[i];
        if (ch != '"')
        {
            strValue += ch;
            continue;
        }
        if (i + 1 < nLength && strText[i + 1] == '"')
        {
            strValue += '"';
            ++i;
            continue;
        }
        const int nAfter = i + 1;
        if (nAfter == nLength || strText[nAfter] == chDelimiter || IsLineBreakAt(strText, nAfter))
        {
            nEnd = nAfter;
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

BOOL NeedsQuotes(const CString& strValue, char chDelimiter)
{
    if (chDelimiter == '"')
        return FALSE;
    if (strValue.Find(chDelimiter) >= 0 || strValue.Find(kLineBreakMark) >= 0 ||
        (!strValue.IsEmpty() && strValue[0] == '"'))
        return TRUE;
    // With "`" as delimiter a line break cannot be written as "``".
    return chDelimiter == '`' && strValue.Find(kLineBreak) >= 0;
}

// A new row of nColumns values, or NULL for no columns.
CString* NewRow(int nColumns)
{
    return new CString[nColumns > 0 ? nColumns : 1];
}
}

char GetExportDelimiter(const CString& strText, const CString& strPath)
{
    if (ExtensionOf(strPath).CompareNoCase("csv") == 0)
        return ',';
    CString str(strText);
    str.Trim();
    if (str.IsEmpty())
        return '|';
    if (str == "t")
        return '\t';
    return str[0];
}

// One line of the export file: a value holding the delimiter, a "``" or a leading quote is quoted,
// otherwise its line breaks are written as "``".
CString FormatExportLine(const CString* pValues, int nValues, char chDelimiter)
{
    CString strLine;
    for (int i = 0; i < nValues; ++i)
    {
        if (i > 0)
            strLine += chDelimiter;
        CString strValue(pValues[i]);
        if (NeedsQuotes(strValue, chDelimiter))
        {
            strValue.Replace("\"", "\"\"");
            strLine += '"';
            strLine += strValue;
            strLine += '"';
        }
        else
        {
            strValue.Replace(kLineBreak, kLineBreakMark);
            strLine += strValue;
        }
    }
    return strLine;
}

// Reads exported text back into rows of values, the reverse of FormatExportLine; empty text is
// one row of one empty value.
void ParseExportText(const CString& strText, char chDelimiter,
    std::vector<std::vector<CString> >& rows)
{
    rows.clear();
    const int nLength = strText.GetLength();
    int nPos = 0;
    for (;;)
    {
        std::vector<CString> row;
        for (;;)
        {
            CString strValue;
            int nEnd = 0;
            if (nPos < nLength && strText[nPos] == '"' && chDelimiter != '"' &&
                ScanQuoted(strText, nPos, chDelimiter, strValue, nEnd))
            {
                nPos = nEnd;
            }
            else
            {
                int k = nPos;
                while (k < nLength && strText[k] != chDelimiter && !IsLineBreakAt(strText, k))
                    ++k;
                strValue = strText.Mid(nPos, k - nPos);
                strValue.Replace(kLineBreakMark, kLineBreak);
                nPos = k;
            }
            row.push_back(strValue);
            if (nPos < nLength && strText[nPos] == chDelimiter)
            {
                ++nPos;
                continue;
            }
            break;
        }
        rows.push_back(row);
        if (nPos >= nLength)
            break;
        nPos += 2;  // the line break
        if (nPos >= nLength)
            break;
    }
}

/////////////////////////////////////////////////////////////////////////////
// CDataEntryDlg

BEGIN_MESSAGE_MAP(CDataEntryDlg, CDialog)
    ON_BN_CLICKED(IDC_DE_ADD, OnAddRecord)
    ON_NOTIFY(NM_CLICK, IDC_DE_LIST, OnListClick)
    ON_BN_CLICKED(IDC_DE_NEXT, OnNext)
    ON_BN_CLICKED(IDC_DE_PREV, OnPrev)
    ON_BN_CLICKED(IDC_DE_SAVE, OnSaveField)
    ON_BN_CLICKED(IDC_DE_DELETEALL, OnDeleteAll)
    ON_BN_CLICKED(IDC_DE_DELETESELECTED, OnDeleteSelected)
    ON_BN_CLICKED(IDC_DE_EXPORT, OnExport)
    ON_BN_CLICKED(IDC_DE_IMPORT, OnImport)
    ON_BN_CLICKED(IDC_DE_MERGE, OnMergeColumns)
    ON_NOTIFY(LVN_GETDISPINFOA, IDC_DE_LIST, OnGetDispInfo)
    ON_NOTIFY(LVN_GETDISPINFOW, IDC_DE_LIST, OnGetDispInfoW)
END_MESSAGE_MAP()

CDataEntryDlg::CDataEntryDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_pRows(NULL), m_nRows(-1), m_nColumns(0), m_nRecord(-1),
      m_nField(0), m_strExportDelimiter("|"), m_strImportDelimiter("|"), m_strSeparator(" ")
{
}

CDataEntryDlg::~CDataEntryDlg()
{
    FreeTable();
}

void CDataEntryDlg::FreeTable()
{
    FreeDataTable(m_pRows, m_nRows);
    m_pRows = NULL;
    m_nRows = -1;
    m_nColumns = 0;
}

// Copies the caller's table; nothing of the old table changes when a copy fails.
void CDataEntryDlg::SetTable(CString* const* pRows, int nRows, int nColumns)
{
    std::vector<CString*> rows;
    try
    {
        for (int r = 0; pRows != NULL && r < nRows; ++r)
        {
            CString* pRow = NewRow(nColumns);
            rows.push_back(pRow);
            for (int c = 0; c < nColumns; ++c)
                pRow[c] = pRows[r][c];
        }
    }
    catch (...)
    {
        for (CString* pRow : rows)
            delete[] pRow;
        throw;
    }
    m_nColumns = nColumns;
    ReplaceRows(rows);
}

void CDataEntryDlg::DetachTable(CString**& pRows, int& nRows, int& nColumns)
{
    pRows = m_pRows;
    nRows = m_nRows;
    nColumns = m_nColumns;
    m_pRows = NULL;
    m_nRows = -1;
    m_nColumns = 0;
}

// Takes the rows; the rows of the old table that are not among them are freed.
void CDataEntryDlg::ReplaceRows(std::vector<CString*>& rows)
{
    CString** pNew = new CString*[rows.empty() ? 1 : rows.size()];
    for (size_t i = 0; i < rows.size(); ++i)
        pNew[i] = rows[i];
    const std::unordered_set<CString*> kept(rows.begin(), rows.end());
    for (int r = 0; m_pRows != NULL && r < m_nRows; ++r)
    {
        if (kept.count(m_pRows[r]) == 0)
            delete[] m_pRows[r];
    }
    delete[] m_pRows;
    m_pRows = pNew;
    m_nRows = static_cast<int>(rows.size());
    rows.clear();
}

void CDataEntryDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DE_LIST, m_list);
    DDX_Control(pDX, IDC_DE_MERGEFIRST, m_cbMergeFirst);
    DDX_Control(pDX, IDC_DE_MERGESECOND, m_cbMergeSecond);
    DDX_Text(pDX, IDC_DE_EXPORTDELIMITER, m_strExportDelimiter);
    DDV_MaxChars(pDX, m_strExportDelimiter, 1);
    DDX_Text(pDX, IDC_DE_IMPORTDELIMITER, m_strImportDelimiter);
    DDV_MaxChars(pDX, m_strImportDelimiter, 1);
    DDX_Text(pDX, IDC_DE_SEPARATOR, m_strSeparator);
    DDV_MaxChars(pDX, m_strSeparator, 5);
}

BOOL CDataEntryDlg::OnInitDialog()
{
    m_strExportDelimiter = "|";
    m_strImportDelimiter = "|";
    m_strSeparator = " ";
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_strLineBreak = kLineBreak;
    m_shownColumns.clear();
    RefreshList();
    EnableFieldButtons(FALSE);
    return TRUE;
}

// Shows the table's columns and record count; when the columns are unchanged only the rows from
// nFirstChanged on are drawn anew.
void CDataEntryDlg::RefreshList(int nFirstChanged)
{
    std::vector<CString> names;
    for (int i = 0; m_pRows != NULL && m_nRows >= 1 && i < m_nColumns; ++i)
        names.push_back(m_pRows[0][i]);
    const int nRecords = (m_pRows != NULL && m_nRows > 1) ? m_nRows - 1 : 0;

    if (names == m_shownColumns && m_list.GetHeaderCtrl()->GetItemCount() > 0)
    {
        // the same columns: only the rows from nFirstChanged on are drawn anew, down to
        // the bottom of the list where a row may have gone
        m_list.SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(nRecords),
            LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
        CRect rectClient, rectRow, rectHeader;
        m_list.GetClientRect(&rectClient);
        m_list.GetHeaderCtrl()->GetWindowRect(&rectHeader);
        const int nTop = nFirstChanged > 0 && m_list.GetItemRect(nFirstChanged - 1, &rectRow, LVIR_BOUNDS)
            ? rectRow.bottom : 0;
        rectClient.top = std::max(nTop, static_cast<int>(rectHeader.Height()));
        if (!rectClient.IsRectEmpty())
            m_list.InvalidateRect(&rectClient);
        return;
    }

    // The list is drawn once, when it is whole again.
    m_list.SetRedraw(FALSE);
    {
        while (m_list.DeleteColumn(0))
        {
        }
        m_list.InsertColumn(0, "SN", LVCFMT_LEFT, 30);
        m_cbMergeFirst.ResetContent();
        m_cbMergeSecond.ResetContent();
        for (int i = 0; i < static_cast<int>(names.size()); ++i)
        {
            m_list.InsertColumn(i + 1, names[i], LVCFMT_LEFT, 100);
            m_cbMergeFirst.AddString(names[i]);
            m_cbMergeSecond.AddString(names[i]);
        }
        m_shownColumns.swap(names);
    }
    m_list.SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(nRecords), LVSICF_NOSCROLL);
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}

CString CDataEntryDlg::CellText(int nItem, int nSubItem) const
{
    CString strText;
    if (m_pRows == NULL || nItem < 0 || nItem + 1 >= m_nRows || nSubItem < 0 || nSubItem > m_nColumns)
        return strText;
    if (nSubItem == 0)
    {
        strText.Format("%d", nItem + 1);
        return strText;
    }
    strText = m_pRows[nItem + 1][nSubItem - 1];
    strText.Replace(kLineBreak, "/");
    return strText;
}

void CDataEntryDlg::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == NULL || item.cchTextMax <= 0)
        return;
    ::lstrcpynA(item.pszText, CellText(item.iItem, item.iSubItem), item.cchTextMax);
}

void CDataEntryDlg::OnGetDispInfoW(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == NULL || item.cchTextMax <= 0)
        return;
    const CString strText = CellText(item.iItem, item.iSubItem);
    const int nLength = ::MultiByteToWideChar(CP_ACP, 0, strText, strText.GetLength(), item.pszText,
        item.cchTextMax - 1);
    item.pszText[nLength > 0 ? nLength : 0] = L'\0';
}

void CDataEntryDlg::EnableFieldButtons(BOOL bEnable)
{
    GetDlgItem(IDC_DE_NEXT)->EnableWindow(bEnable);
    GetDlgItem(IDC_DE_PREV)->EnableWindow(bEnable);
    GetDlgItem(IDC_DE_SAVE)->EnableWindow(bEnable);
}

BOOL CDataEntryDlg::IsCurrentFieldValid() const
{
    return m_pRows != NULL && m_nRecord >= 0 && m_nRecord + 1 < m_nRows && m_nField >= 0 &&
        m_nField < m_nColumns;
}

void CDataEntryDlg::ShowField()
{
    if (!IsCurrentFieldValid())
        return;
    SetDlgItemText(IDC_DE_EDITGROUP, "Edit Data: " + m_pRows[0][m_nField]);
    SetDlgItemText(IDC_DE_VALUE, m_pRows[m_nRecord + 1][m_nField]);
    EnableFieldButtons(TRUE);
}

void CDataEntryDlg::StoreField()
{
    if (!IsCurrentFieldValid())
        return;
    CString strValue;
    GetDlgItemText(IDC_DE_VALUE, strValue);
    m_pRows[m_nRecord + 1][m_nField] = strValue;
    // Only the record's row is drawn anew; the list keeps its place.
    m_list.RedrawItems(m_nRecord, m_nRecord);
    // The record stays selected for the next command.
    m_list.SetItemState(m_nRecord, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.SetSelectionMark(m_nRecord);
    m_list.EnsureVisible(m_nRecord, FALSE);
}

// Only a shown field (its Save button enabled) is kept; its record's row is drawn anew.
void CDataEntryDlg::KeepShownField()
{
    CWnd* pSave = GetDlgItem(IDC_DE_SAVE);
    if (pSave == NULL || !pSave->IsWindowEnabled() || !IsCurrentFieldValid())
        return;
    CString strValue;
    GetDlgItemText(IDC_DE_VALUE, strValue);
    CString& strField = m_pRows[m_nRecord + 1][m_nField];
    if (strValue == strField)
        return;
    strField = strValue;
    m_list.RedrawItems(m_nRecord, m_nRecord);
}

// OK keeps the value typed into the shown field, as Save would.
void CDataEntryDlg::OnOK()
{
    KeepShownField();
    CDialog::OnOK();
}

void CDataEntryDlg::OnListClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    KeepShownField();
    m_nRecord = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem;
    m_nField = 0;
    if (m_nRecord < 0)
    {
        EnableFieldButtons(FALSE);
        return;
    }
    ShowField();
}

void CDataEntryDlg::OnSaveField()
{
    StoreField();
}

// Keeps the value typed and moves to the record's next field; Next is disabled on the last.
void CDataEntryDlg::OnNext()
{
    StoreField();
    GetDlgItem(IDC_DE_PREV)->EnableWindow(TRUE);
    if (m_nField < m_nColumns - 1)
    {
        ++m_nField;
        GetDlgItem(IDC_DE_NEXT)->EnableWindow(TRUE);
        ShowField();
    }
    else
    {
        GetDlgItem(IDC_DE_NEXT)->EnableWindow(FALSE);
    }
}

// Keeps the value typed and moves to the record's previous field; Prev is disabled on the first.
void CDataEntryDlg::OnPrev()
{
    StoreField();
    GetDlgItem(IDC_DE_NEXT)->EnableWindow(TRUE);
    if (m_nField > 0)
    {
        --m_nField;
        GetDlgItem(IDC_DE_PREV)->EnableWindow(TRUE);
        ShowField();
    }
    else
    {
        GetDlgItem(IDC_DE_PREV)->EnableWindow(FALSE);
    }
}

// Adds a record that shows the column names as its values.
void CDataEntryDlg::OnAddRecord()
{
    KeepShownField();
    if (m_pRows == NULL || m_nRows < 1)
        return;
    std::vector<CString*> rows(m_pRows, m_pRows + m_nRows);
    std::unique_ptr<CString[]> pNew(NewRow(m_nColumns));
    for (int i = 0; i < m_nColumns; ++i)
        pNew[i] = m_pRows[0][i];
    rows.push_back(pNew.get());
    ReplaceRows(rows);
    pNew.release();
    RefreshList(m_nRows - 2);
    EnableFieldButtons(FALSE);
}

// Removes the selected record and selects the one that takes its place.
void CDataEntryDlg::OnDeleteSelected()
{
    const int nItem = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nItem < 0 || m_pRows == NULL || nItem + 1 >= m_nRows)
    {
        AfxMessageBox(IDS_DE_NO_RECORD);
        return;
    }
    std::vector<CString*> rows;
    for (int r = 0; r < m_nRows; ++r)
    {
        if (r != nItem + 1)
            rows.push_back(m_pRows[r]);
    }
    ReplaceRows(rows);
    m_nRecord = nItem;
    RefreshList(nItem);
    EnableFieldButtons(FALSE);
    SetDlgItemText(IDC_DE_VALUE, "");
    if (nItem < m_list.GetItemCount())
    {
        m_list.SetSelectionMark(nItem);
        m_list.SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
    }
    m_list.SetFocus();
}

// Removes every record after asking; the column names stay.
void CDataEntryDlg::OnDeleteAll()
{
    if (m_pRows == NULL || m_nRows < 1)
        return;
    if (m_nRows > 1)
    {
        CString strCount, strQuestion;
        strCount.Format("%d", m_nRows - 1);
        AfxFormatString1(strQuestion, IDS_DE_CONFIRM_DELETE_ALL, strCount);
        if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    }
    std::vector<CString*> rows(1, m_pRows[0]);
    ReplaceRows(rows);
    RefreshList();
    EnableFieldButtons(FALSE);
}

// Adds a column that joins two chosen columns with the separator, in every row including the names.
void CDataEntryDlg::OnMergeColumns()
{
    KeepShownField();
    const int nFirst = m_cbMergeFirst.GetCurSel();
    const int nSecond = m_cbMergeSecond.GetCurSel();
    if (nFirst < 0 || nSecond < 0 || nFirst >= m_nColumns || nSecond >= m_nColumns ||
        m_pRows == NULL)
    {
        AfxMessageBox(IDS_DE_SELECT_MERGE);
        return;
    }
    CString strSeparator;
    GetDlgItemText(IDC_DE_SEPARATOR, strSeparator);
    if (strSeparator.IsEmpty() &&
        AfxMessageBox(IDS_DE_NO_SEPARATOR, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    const int nColumns = m_nColumns + 1;
    std::vector<CString*> rows;
    try
    {
        for (int r = 0; r < m_nRows; ++r)
        {
            CString* pRow = NewRow(nColumns);
            rows.push_back(pRow);
            for (int i = 0; i < m_nColumns; ++i)
                pRow[i] = m_pRows[r][i];
            pRow[m_nColumns] = m_pRows[r][nFirst] + strSeparator + m_pRows[r][nSecond];
        }
    }
    catch (...)
    {
        for (CString* pRow : rows)
            delete[] pRow;
        ShowUnexpectedError();
        return;
    }
    m_nColumns = nColumns;
    ReplaceRows(rows);
    CString strMerged;
    AfxFormatString1(strMerged, IDS_DE_MERGED, m_pRows[0][m_nColumns - 1]);
    AfxMessageBox(strMerged);
    RefreshList();
    EnableFieldButtons(FALSE);
}

// Writes the table, names first, to a file the user picks, with the typed delimiter ("," for .csv).
void CDataEntryDlg::OnExport()
{
    KeepShownField();
    CFileDialog dlg(FALSE, NULL, NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING,
        "Data Files(*.dat)|*.dat |Comma separated files(*.csv)|*.csv |Text files(*.txt)|*.txt "
        "|All files(*.*)|*.*|", this);
    if (dlg.DoModal() != IDOK)
        return;

    CString strPath = dlg.GetPathName();
    static const char* const extensions[] = { "dat", "csv", "txt" };
    const int nFilter = static_cast<int>(dlg.m_ofn.nFilterIndex);
    // The filter's extension is added unless the name already has it.
    if (nFilter >= 1 && nFilter <= 3 &&
        ExtensionOf(strPath).CompareNoCase(extensions[nFilter - 1]) != 0)
        strPath += CString(".") + extensions[nFilter - 1];

    CString strDelimiter;
    GetDlgItemText(IDC_DE_EXPORTDELIMITER, strDelimiter);
    const char chDelimiter = GetExportDelimiter(strDelimiter, strPath);

    CString strText;
    for (int r = 0; m_pRows != NULL && r < m_nRows; ++r)
    {
        if (r > 0)
            strText += kLineBreak;
        strText += FormatExportLine(m_pRows[r], m_nColumns, chDelimiter);
    }

    // written whole or not at all: a failed export keeps the old file
    struct CExportText
    {
        const CString* m_pText;
        BOOL m_bWriting;    // the temporary file was made: a failure from here on has a cause to tell
    } text = { &strText, FALSE };
    try
    {
        AfxWriteWholeFile(strPath, [](CFile& file, void* pParam)
        {
            CExportText& text = *static_cast<CExportText*>(pParam);
            text.m_bWriting = TRUE;
            file.Write(static_cast<LPCSTR>(*text.m_pText), static_cast<UINT>(text.m_pText->GetLength()));
        }, &text);
    }
    catch (CException* e)
    {
        if (text.m_bWriting)
            e->ReportError(MB_ICONEXCLAMATION);     // a full disk, a target held open
        else
            AfxMessageBox(IDS_DE_FILE_ERROR);
        e->Delete();
    }
}

// Replaces the whole table, names included, by a file the user picks; missing values read "NoData",
// extra ones are dropped.
void CDataEntryDlg::OnImport()
{
    CFileDialog dlg(TRUE, NULL, NULL, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
        "Data Files(.dat)|*.dat; |Comma separated files(.csv)|*.csv; |Text files(.txt)|*.txt; "
        "|All Files (*.*)|*.*|", this);
    const CString strFolder = m_strInitialFolder.IsEmpty() ? DocumentsFolder() : m_strInitialFolder;
    dlg.m_ofn.lpstrInitialDir = strFolder;
    if (dlg.DoModal() != IDOK)
        return;

    const CString strPath = dlg.GetPathName();
    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyWrite))
    {
        AfxMessageBox(IDS_DE_FILE_ERROR);
        return;
    }
    CString strDelimiter;
    GetDlgItemText(IDC_DE_IMPORTDELIMITER, strDelimiter);
    const char chDelimiter = GetExportDelimiter(strDelimiter, strPath);

    if (AfxMessageBox(IDS_DE_REPLACE_ALL, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    CString strText;
    try
    {
        const ULONGLONG nLength = file.GetLength();
        if (nLength > 0x7FFFFFF0)
            AfxThrowMemoryException();
        const UINT nSize = static_cast<UINT>(nLength);
        char* pBuffer = strText.GetBufferSetLength(static_cast<int>(nSize));
        const UINT nRead = file.Read(pBuffer, nSize);
        strText.ReleaseBuffer(static_cast<int>(nRead));
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        AfxMessageBox(IDS_DE_FILE_ERROR);
        return;
    }
    // The text ends at a zero byte.
    strText = CString(static_cast<LPCSTR>(strText));

    std::vector<std::vector<CString> > lines;
    ParseExportText(strText, chDelimiter, lines);
    const int nFileColumns = static_cast<int>(lines[0].size());
    if (nFileColumns < m_nColumns)
        AfxMessageBox(IDS_DE_FEWER_COLUMNS);
    else if (nFileColumns > m_nColumns)
        AfxMessageBox(IDS_DE_MORE_COLUMNS);

    std::vector<CString*> rows;
    try
    {
        for (const std::vector<CString>& line : lines)
        {
            CString* pRow = NewRow(m_nColumns);
            rows.push_back(pRow);
            for (int i = 0; i < m_nColumns; ++i)
                pRow[i] = i < static_cast<int>(line.size()) ? line[i] : CString(kNoData);
        }
    }
    catch (...)
    {
        for (CString* pRow : rows)
            delete[] pRow;
        ShowUnexpectedError();
        return;
    }
    ReplaceRows(rows);
    m_nRecord = -1;
    RefreshList();
    EnableFieldButtons(FALSE);
}
