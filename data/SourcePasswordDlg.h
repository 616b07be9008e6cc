// SourcePasswordDlg.h - the database password of a publication's stored Access source:
// the dialog that asks for it (308) and the load that asks when the source needs it.
//
// Notes
// - A stored source comes without its password when the password could not be kept
//   protected, or was protected for another user or computer. The source then refuses
//   the connection, and the user is asked; the password given is used for this session
//   only and never written in clear text (the document protects it when it saves).

#pragma once

#include <afxwin.h>

#include "DataSourceLoader.h"
#include "resources/data_resource.h"

class CSourcePasswordDlg : public CDialog
{
public:
    // strFile: the database; bRetry: the password given before was refused.
    CSourcePasswordDlg(const CString& strFile, BOOL bRetry, CWnd* pParent = NULL);

    enum { IDD = IDD_SOURCEPASSWORD };

    CString m_strPassword;      // out: the password typed

protected:
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;

private:
    CString m_strFile;
    BOOL m_bRetry;
};

// Loads the table of a parsed stored description (ParseStoredDataSource). When an Access
// source refuses its password, the password is asked for and the load tried again until
// the source opens or the user cancels (DATALOAD_CANCELLED). After a load with a password
// given, info's connection string holds it and *pbAsked is TRUE.
CDataLoadResult LoadStoredDataTable(CDataSourceInfo& info, CDataTable& table, BOOL* pbAsked = NULL);
