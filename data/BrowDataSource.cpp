// BrowDataSource.cpp - CBrowDataSource, the data-source dialog "Select Data
// Source" (dialog 307).

#include "BrowDataSource.h"
#include "PasswordProtect.h"
#include "UnexpectedError.h"

#include <afxdlgs.h>

#include <shlobj.h>

#include <vector>

namespace
{
const char* const kTypeNames[] =
{
    "Microsoft Access DB(*.mdb)",
    "Microsoft Excel 2000(*.xls)",
    "Text Files(*.txt,*.csv,*.tab,*.*)"
};

struct CDelimiterEntry
{
    const char* m_pszName;
    const char* m_pszText;
};

const CDelimiterEntry kDelimiters[] =
{
    { "Comma Separated", "," },
    { "Tab Separated", "tab" },
    { "'|' Separated", "|" },
    { "'^' Separated", "^" },
    { "'!' Separated", "!" },
    { "'*' Separated", "*" },
    { "'~' Separated", "~" },
    { "';' Separated", ";" },
    { "':' Separated", ":" },
    { "'?' Separated", "?" },
    { "Other delimiter", NULL }
};
const int kDelimiterCount = sizeof(kDelimiters) / sizeof(kDelimiters[0]);
const int kOtherDelimiter = kDelimiterCount - 1;

struct CExcelVersion
{
    const char* m_pszName;
    const char* m_pszDriverId;
};

const CExcelVersion kExcelVersions[] =
{
    { "Excel 2002/2003 ", "DriverId=790" },
    { "Excel 2000", "DriverId=790" },
    { "Excel 97", "DriverId=790" },
    { "Excel 5.0/7.0", "DriverId=22" },
    { "Excel 3.0/4.0", "DriverId=278" }
};
const int kExcelVersionCount = sizeof(kExcelVersions) / sizeof(kExcelVersions[0]);

// Controls of each layout.
const int kDelimiterControls[] =
    { IDC_DS_HASCOLNAMES, IDC_DS_DELIMITERLIST, IDC_DS_DELIMITERLABEL, IDC_DS_DELIMITER };
const int kTableControls[] = { IDC_DS_TABLELIST, IDC_DS_TABLELABEL, IDC_DS_USESQL, IDC_DS_SQL };

// The user's documents folder.
CString DocumentsFolder()
{
    char szPath[MAX_PATH] = "";
    if (FAILED(::SHGetFolderPathA(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, szPath)))
        return CString();
    return szPath;
}
}

BOOL IsSelectOfTable(const CString& strSql, const CString& strTable)
{
    CString strName;
    if (!GetSelectAllTable(strSql, strName))
        return FALSE;
    if (strName.GetLength() >= 2 && strName[0] == '[' && strName[strName.GetLength() - 1] == ']')
        strName = strName.Mid(1, strName.GetLength() - 2);
    return strName.CompareNoCase(strTable) == 0;
}

/////////////////////////////////////////////////////////////////////////////
// CBrowDataSource

BEGIN_MESSAGE_MAP(CBrowDataSource, CDialog)
    ON_CBN_SELCHANGE(IDC_DS_TYPE, OnTypeChange)
    ON_CBN_SELCHANGE(IDC_DS_DELIMITERLIST, OnDelimiterChange)
    ON_CBN_SELCHANGE(IDC_DS_TABLELIST, OnTableChange)
    ON_BN_CLICKED(IDC_DS_USESQL, OnUseSql)
    ON_BN_CLICKED(IDC_DS_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CBrowDataSource::CBrowDataSource(CWnd* pParent)
    : CDialog(IDD, pParent), m_bHasColNames(FALSE), m_nShownType(DATASOURCE_ACCESS)
{
}

CBrowDataSource::~CBrowDataSource()
{
}

void CBrowDataSource::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DS_TYPE, m_cbType);
    DDX_Control(pDX, IDC_DS_DELIMITERLIST, m_cbDelimiter);
}

// Preset mode shows an Access or Excel source without loading it (its tables are listed);
// a text file is loaded at once.
BOOL CBrowDataSource::LoadDataSource(CString strDescription, BOOL bPresetControls)
{
    CString strText;
    UINT nType = MB_OK;
    CDataSourceInfo info;
    if (GetDataParseMessage(ParseStoredDataSource(strDescription, info), strText, nType))
    {
        AfxMessageBox(strText, nType);
        return FALSE;
    }

    if (bPresetControls && info.m_nType != DATASOURCE_TEXT)
    {
        CString strFileName;
        if (!GetConnectionFileName(info.m_nType, info.m_strConnection, strFileName))
        {
            AfxMessageBox(g_szDamagedDataSource, MB_ICONSTOP);
            return FALSE;
        }
        m_strConnection = info.m_strConnection;
        PresetControls(info, strFileName);
        return TRUE;
    }
    if (bPresetControls)
        PresetControls(info, info.m_strFile);
    // the description keeps the name as stored; only the load looks beside the publication
    ResolveTextSourceFile(info, m_strBaseFolder);

    const CDataLoadResult result = LoadDataTable(info, m_table);
    if (GetDataLoadMessage(result, strText, nType))
        AfxMessageBox(strText, nType);
    if (!result.Succeeded())
        return FALSE;
    if (info.m_nType == DATASOURCE_TEXT)
        m_bHasColNames = info.m_bHasColNames;
    return TRUE;
}

// Fills the lists and puts the table group in the delimiter group's place, then shows the
// given description.
BOOL CBrowDataSource::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_cbType.ResetContent();
    for (const char* pszName : kTypeNames)
        m_cbType.AddString(pszName);
    m_cbType.SetCurSel(DATASOURCE_ACCESS);

    CComboBox* pVersions = static_cast<CComboBox*>(GetDlgItem(IDC_DS_EXCELVERSION));
    pVersions->ResetContent();
    for (const CExcelVersion& version : kExcelVersions)
        pVersions->AddString(version.m_pszName);
    pVersions->SetCurSel(0);

    m_cbDelimiter.ResetContent();
    for (const CDelimiterEntry& entry : kDelimiters)
        m_cbDelimiter.AddString(entry.m_pszName);
    m_cbDelimiter.SetCurSel(0);
    SetDlgItemText(IDC_DS_DELIMITER, ",");
    GetDlgItem(IDC_DS_DELIMITER)->EnableWindow(FALSE);
    // One character may be typed; "tab" comes only from the list.
    SendDlgItemMessage(IDC_DS_DELIMITER, EM_LIMITTEXT, 1);

    // The table group takes the place of the delimiter group.
    CRect rcList, rcTables, rcLabel;
    GetDlgItem(IDC_DS_DELIMITERLIST)->GetWindowRect(&rcList);
    GetDlgItem(IDC_DS_TABLELIST)->GetWindowRect(&rcTables);
    GetDlgItem(IDC_DS_TABLELABEL)->GetWindowRect(&rcLabel);
    ScreenToClient(&rcList);
    ScreenToClient(&rcTables);
    ScreenToClient(&rcLabel);
    const int nShift = rcTables.top - rcList.top;
    GetDlgItem(IDC_DS_TABLELIST)->SetWindowPos(NULL, rcTables.left, rcTables.top - nShift, 0, 0,
        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetDlgItem(IDC_DS_TABLELABEL)->SetWindowPos(NULL, rcLabel.left, rcLabel.top - nShift, 0, 0,
        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    ApplyTypeLayout(DATASOURCE_ACCESS);
    CheckDlgButton(IDC_DS_HASCOLNAMES, BST_CHECKED);
    OnUseSql();

    if (!m_strDescription.IsEmpty())
        LoadDataSource(m_strDescription, TRUE);
    return TRUE;
}

// One group at a time: delimiters for text, tables and statement for Access and Excel.
void CBrowDataSource::ApplyTypeLayout(int nType)
{
    m_nShownType = nType;
    for (int nID : kDelimiterControls)
        GetDlgItem(nID)->ShowWindow(nType == DATASOURCE_TEXT ? SW_SHOW : SW_HIDE);
    for (int nID : kTableControls)
        GetDlgItem(nID)->ShowWindow(nType == DATASOURCE_TEXT ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_DS_PASSWORD)->ShowWindow(nType == DATASOURCE_ACCESS ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_DS_EXCELVERSION)->ShowWindow(nType == DATASOURCE_EXCEL ? SW_SHOW : SW_HIDE);
    switch (nType)
    {
    case DATASOURCE_ACCESS:
        SetDlgItemText(IDC_DS_OPTIONLABEL, "DB Password If Any:");
        SetDlgItemText(IDC_DS_TABLELABEL, "Table Source:");
        break;
    case DATASOURCE_EXCEL:
        SetDlgItemText(IDC_DS_OPTIONLABEL, "Excel Version:");
        SetDlgItemText(IDC_DS_TABLELABEL, "Sheet Source:");
        break;
    default:
        SetDlgItemText(IDC_DS_OPTIONLABEL, "");
        break;
    }
}

int CBrowDataSource::GetSelectedType() const
{
    const int nType = m_cbType.GetCurSel();
    return (nType == DATASOURCE_EXCEL || nType == DATASOURCE_TEXT) ? nType : DATASOURCE_ACCESS;
}

CString CBrowDataSource::GetDriverId() const
{
    int nVersion = static_cast<int>(::SendMessage(::GetDlgItem(m_hWnd, IDC_DS_EXCELVERSION),
        CB_GETCURSEL, 0, 0));
    if (nVersion < 0 || nVersion >= kExcelVersionCount)
        nVersion = 0;
    return kExcelVersions[nVersion].m_pszDriverId;
}

// A file chosen for one type is no source of another: the file, its tables and the
// statement go with the old type.
void CBrowDataSource::OnTypeChange()
{
    const int nType = GetSelectedType();
    if (nType == m_nShownType)
        return;
    ApplyTypeLayout(nType);
    m_strConnection.Empty();
    SetDlgItemText(IDC_DS_FILENAME, "");
    SendDlgItemMessage(IDC_DS_TABLELIST, CB_RESETCONTENT);
    SetDlgItemText(IDC_DS_SQL, "");
}

// A listed delimiter is shown read-only; "Other delimiter" clears the edit for the user's own.
void CBrowDataSource::OnDelimiterChange()
{
    int nIndex = m_cbDelimiter.GetCurSel();
    if (nIndex < 0 || nIndex >= kDelimiterCount)
        nIndex = 0;
    CWnd* pEdit = GetDlgItem(IDC_DS_DELIMITER);
    if (nIndex == kOtherDelimiter)
    {
        pEdit->SetWindowText("");
        pEdit->EnableWindow(TRUE);
        return;
    }
    pEdit->SetWindowText(kDelimiters[nIndex].m_pszText);
    pEdit->EnableWindow(FALSE);
}

// A stored delimiter without an entry stays editable under "Other delimiter".
void CBrowDataSource::SelectDelimiter(const CString& strDelimiter)
{
    for (int i = 0; i < kOtherDelimiter; ++i)
    {
        if (strDelimiter == kDelimiters[i].m_pszText)
        {
            m_cbDelimiter.SetCurSel(i);
            SetDlgItemText(IDC_DS_DELIMITER, strDelimiter);
            GetDlgItem(IDC_DS_DELIMITER)->EnableWindow(FALSE);
            return;
        }
    }
    m_cbDelimiter.SetCurSel(kOtherDelimiter);
    SetDlgItemText(IDC_DS_DELIMITER, strDelimiter);
    GetDlgItem(IDC_DS_DELIMITER)->EnableWindow(TRUE);
}

void CBrowDataSource::OnTableChange()
{
    if (IsDlgButtonChecked(IDC_DS_USESQL))
        return;
    CComboBox* pTables = static_cast<CComboBox*>(GetDlgItem(IDC_DS_TABLELIST));
    const int nIndex = pTables->GetCurSel();
    if (nIndex < 0)
        return;
    CString strTable;
    pTables->GetLBText(nIndex, strTable);
    SetDlgItemText(IDC_DS_SQL, ProposeSelectStatement(strTable));
}

void CBrowDataSource::OnUseSql()
{
    GetDlgItem(IDC_DS_SQL)->EnableWindow(IsDlgButtonChecked(IDC_DS_USESQL) == BST_CHECKED);
}

// Picks a file with the type's filter; an Access or Excel file is opened at once to list its
// tables.
void CBrowDataSource::OnBrowse()
{
    const int nType = GetSelectedType();
    const char* pszFilter;
    switch (nType)
    {
    case DATASOURCE_ACCESS:
        pszFilter = "MS Acccess DB(.mdb)|*.mdb|";
        break;
    case DATASOURCE_EXCEL:
        pszFilter = "MS Excel DB(.xls)|*.xls|";
        break;
    default:
        pszFilter = "Comma separated files(.csv)|*.csv; |Data Files(.dat)|*.dat; "
                    "|Text files(.txt)|*.txt; |All Files (*.*)|*.*|";
        break;
    }
    CFileDialog dlg(TRUE, NULL, NULL, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING,
        pszFilter, this);
    const CString strFolder = m_strInitialFolder.IsEmpty() ? DocumentsFolder() : m_strInitialFolder;
    dlg.m_ofn.lpstrInitialDir = strFolder;
    if (dlg.DoModal() != IDOK)
        return;

    const CString strPath = dlg.GetPathName();
    SetDlgItemText(IDC_DS_FILENAME, strPath);
    if (nType == DATASOURCE_ACCESS)
    {
        CString strPassword;
        GetDlgItemText(IDC_DS_PASSWORD, strPassword);
        m_strConnection = BuildAccessConnection(strPath, strPassword);
        ListAccessTables(m_strConnection, "");
    }
    else if (nType == DATASOURCE_EXCEL)
    {
        m_strConnection = BuildExcelConnection(GetDriverId(), strPath);
        ListExcelSheets(m_strConnection, "");
    }
}

BOOL CBrowDataSource::ListAccessTables(CString strConnection, CString strSql)
{
    return FillTableList(strConnection, strSql, DATASOURCE_ACCESS);
}

BOOL CBrowDataSource::ListExcelSheets(CString strConnection, CString strSql)
{
    return FillTableList(strConnection, strSql, DATASOURCE_EXCEL);
}

// Access lists its tables only; Excel every sheet and named range.
BOOL CBrowDataSource::FillTableList(CString strConnection, CString strSql, int nType)
{
    try
    {
        if (!m_db.Open(strConnection, "", ""))
        {
            AfxMessageBox(m_db.GetLastError());
            return FALSE;
        }
        m_rs = CADORecordset(&m_db);
        if (!m_rs.OpenSchema(20))
        {
            AfxMessageBox(m_rs.GetLastError());
            return FALSE;
        }

        std::vector<CString> names;
        int nSelect = 0;
        for (; !m_rs.IsEOF(); m_rs.MoveNext())
        {
            CString strName, strType;
            m_rs.GetFieldValue("TABLE_NAME", strName);
            m_rs.GetFieldValue("TABLE_TYPE", strType);
            if (nType == DATASOURCE_ACCESS && strType != "TABLE")
                continue;
            if (IsSelectOfTable(strSql, strName))
                nSelect = static_cast<int>(names.size());
            names.push_back(strName);
        }
        m_rs.Close();

        CComboBox* pTables = static_cast<CComboBox*>(GetDlgItem(IDC_DS_TABLELIST));
        pTables->ResetContent();
        for (const CString& strName : names)
            pTables->AddString(strName);
        if (names.empty())
        {
            SetDlgItemText(IDC_DS_SQL, "");
            return TRUE;
        }
        pTables->SetCurSel(nSelect);
        SetDlgItemText(IDC_DS_SQL, ProposeSelectStatement(names[nSelect]));
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    ShowUnexpectedError();
    return FALSE;
}

// Shows a stored description's values; Access and Excel list their tables again, the stored
// statement's table selected.
void CBrowDataSource::PresetControls(const CDataSourceInfo& info, const CString& strFileName)
{
    const int nType = info.m_nType;
    m_cbType.SetCurSel(nType);
    ApplyTypeLayout(nType);
    SetDlgItemText(IDC_DS_FILENAME, strFileName);

    if (nType == DATASOURCE_TEXT)
    {
        SelectDelimiter(info.m_strDelimiter);
        CheckDlgButton(IDC_DS_HASCOLNAMES, info.m_bHasColNames ? BST_CHECKED : BST_UNCHECKED);
        return;
    }

    if (nType == DATASOURCE_ACCESS)
    {
        SetDlgItemText(IDC_DS_PASSWORD, GetConnectionPassword(info.m_strConnection));
        ListAccessTables(m_strConnection, info.m_strSql);
    }
    else
    {
        // The driver id tells the version apart only for the older formats.
        int nVersion = 0;
        if (info.m_strConnection.Find("DriverId=22;") >= 0)
            nVersion = 3;
        else if (info.m_strConnection.Find("DriverId=278;") >= 0)
            nVersion = 4;
        SendDlgItemMessage(IDC_DS_EXCELVERSION, CB_SETCURSEL, static_cast<WPARAM>(nVersion));
        ListExcelSheets(m_strConnection, info.m_strSql);
    }
    SetDlgItemText(IDC_DS_SQL, info.m_strSql);
}

// Checks the controls and builds the description, the password protected; closes only when
// the source loads.
void CBrowDataSource::OnOK()
{
    CString strFile;
    GetDlgItemText(IDC_DS_FILENAME, strFile);
    strFile.Trim();
    if (strFile.IsEmpty())
    {
        AfxMessageBox(IDS_DS_ENTER_FILE_NAME);
        GotoDlgCtrl(GetDlgItem(IDC_DS_FILENAME));
        return;
    }

    const int nType = GetSelectedType();
    if (nType == DATASOURCE_TEXT)
    {
        CString strDelimiter;
        GetDlgItemText(IDC_DS_DELIMITER, strDelimiter);
        if (strDelimiter.IsEmpty())
        {
            AfxMessageBox(IDS_DS_ENTER_DELIMITER);
            GotoDlgCtrl(GetDlgItem(IDC_DS_DELIMITER));
            return;
        }
        m_strDescription = BuildTextDescription(strFile, strDelimiter,
            IsDlgButtonChecked(IDC_DS_HASCOLNAMES) == BST_CHECKED);
    }
    else
    {
        CString strSql;
        GetDlgItemText(IDC_DS_SQL, strSql);
        strSql.Trim();
        if (strSql.GetLength() < 7 || strSql.Left(7).CompareNoCase("SELECT ") != 0)
        {
            AfxMessageBox(IDS_DS_USE_SELECT);
            return;
        }
        // The connection as the controls show it now.
        if (nType == DATASOURCE_ACCESS)
        {
            CString strPassword;
            GetDlgItemText(IDC_DS_PASSWORD, strPassword);
            m_strConnection = BuildAccessConnection(strFile, strPassword);
        }
        else
        {
            m_strConnection = BuildExcelConnection(GetDriverId(), strFile);
        }
        m_strDescription = BuildAdoDescription(nType, ProtectConnectionPassword(m_strConnection),
            strSql);
    }

    if (LoadDataSource(m_strDescription, FALSE))
        EndDialog(IDOK);
}
