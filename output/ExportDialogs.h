// ExportDialogs.h - CResolutionDlg, the resolution of Save As Image, and CPDFOptionsDlg,
// the options of the PDF export.
//
// Notes
// - Both dialogs fill their drop-down lists from the dialog initial data.
// - The folder of the file dialogs comes in and goes out through m_strFolder: the
//   caller passes the folder it remembers and stores the folder of the chosen file.

#pragma once

#include "afxctrls.h"

// CResolutionDlg asks for the resolution of a picture: 100 to 600 dots per inch.
class CResolutionDlg : public CDialog
{
public:
    explicit CResolutionDlg(CWnd* pParent = NULL);

    // Overrides
    virtual BOOL OnInitDialog() override;
    virtual void DoDataExchange(CDataExchange* pDX) override;

    // Member variables
    int m_nDpi;                     // in: offered resolution; out: chosen one
};

// CPDFOptionsDlg asks for the PDF file, the pages and the quality of a PDF export.
class CPDFOptionsDlg : public CDialog
{
public:
    explicit CPDFOptionsDlg(CWnd* pParent = NULL);

    // Overrides
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;

    // Command handlers
    afx_msg void OnBrowse();

    // Asks before an existing file of m_strPath is replaced, unless Browse asked.
    BOOL ConfirmReplace();

    // The name with ".pdf" appended when the typed extension (any case) is another or
    // missing.
    static CString WithPdfExtension(const CString& strPath);

    // Member variables
    CString m_strPath;              // in: proposed name; out: chosen name, trimmed
    BOOL m_bAllPages;               // "Export All Pages" checked
    int m_nPages;                   // sides of the publication
    float m_fQuality;               // 1 to 6
    CString m_strFolder;            // folder of the Browse dialog, in and out
    CString m_strConfirmed;         // name whose replacement the Browse dialog confirmed

    DECLARE_MESSAGE_MAP()
};

// The folder to start a file dialog in: strRemembered itself when it is a folder, the
// folder of it when it names a file, empty when neither exists.
CString GetDialogStartFolder(const CString& strRemembered);
// The folder part of a chosen full path (text before the last backslash).
CString GetFolderOfFile(const CString& strPath);
