// SourcePasswordDlg.cpp - asking for the database password of a stored source.

#include "SourcePasswordDlg.h"
#include "DataSource.h"
#include "PasswordProtect.h"

namespace
{
const char kPasswordRefused[] = "The password is not valid. Please try again.";
}

CSourcePasswordDlg::CSourcePasswordDlg(const CString& strFile, BOOL bRetry, CWnd* pParent)
    : CDialog(IDD, pParent), m_strFile(strFile), m_bRetry(bRetry)
{
}

BOOL CSourcePasswordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_SP_FILE, m_strFile);
    SetDlgItemText(IDC_SP_NOTE, m_bRetry ? kPasswordRefused : "");
    GetDlgItem(IDC_SP_PASSWORD)->SetFocus();
    return FALSE;   // the focus is set
}

void CSourcePasswordDlg::OnOK()
{
    GetDlgItemText(IDC_SP_PASSWORD, m_strPassword);
    CDialog::OnOK();
}

// Loads a stored data source, asking for the Access password as long as the database refuses it; a password
// that works goes into info, and cancelling gives DATALOAD_CANCELLED.
CDataLoadResult LoadStoredDataTable(CDataSourceInfo& info, CDataTable& table, BOOL* pbAsked)
{
    if (pbAsked != NULL)
        *pbAsked = FALSE;
    CDataLoadResult result = LoadDataTable(info, table);
    if (info.m_nType != DATASOURCE_ACCESS)
        return result;

    CString strFile;
    GetConnectionFileName(info.m_nType, info.m_strConnection, strFile);
    BOOL bRetry = FALSE;
    while (result.IsPasswordRefused())
    {
        CSourcePasswordDlg dlg(strFile, bRetry, AfxGetMainWnd());
        if (dlg.DoModal() != IDOK)
        {
            result = CDataLoadResult();
            result.m_nStatus = DATALOAD_CANCELLED;
            return result;
        }
        CDataSourceInfo tried = info;
        tried.m_strConnection = SetConnectionPassword(info.m_strConnection, dlg.m_strPassword);
        result = LoadDataTable(tried, table);
        if (result.Succeeded())
        {
            info.m_strConnection = tried.m_strConnection;
            if (pbAsked != NULL)
                *pbAsked = TRUE;
        }
        bRetry = TRUE;
    }
    return result;
}
