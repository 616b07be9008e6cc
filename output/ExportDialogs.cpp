// ExportDialogs.cpp - the resolution dialog and the PDF options dialog.

#include "ExportDialogs.h"
#include "afxdlgs.h"
#include "data/UnexpectedError.h"
#include "resources/export_resource.h"

#include <shlwapi.h>

namespace
{
const int kDpiStep = 100;
const int kDpiChoices = 6;
const int kDefaultQualityIndex = 2;     // quality 3
}

CString GetFolderOfFile(const CString& strPath)
{
    const int nAt = strPath.ReverseFind('\\');
    if (nAt < 0)
        return CString();
    // keep the backslash of a drive's root ("C:\")
    if (nAt == 2 && strPath[1] == ':')
        return strPath.Left(3);
    return strPath.Left(nAt);
}

CString GetDialogStartFolder(const CString& strRemembered)
{
    if (strRemembered.IsEmpty())
        return CString();
    const DWORD dwAttributes = ::GetFileAttributesA(strRemembered);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return strRemembered;
    const CString strFolder = GetFolderOfFile(strRemembered);
    const DWORD dwFolder = strFolder.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(strFolder);
    if (dwFolder != INVALID_FILE_ATTRIBUTES && (dwFolder & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return strFolder;
    return CString();
}

/////////////////////////////////////////////////////////////////////////////
// CResolutionDlg

CResolutionDlg::CResolutionDlg(CWnd* pParent)
    : CDialog(IDD_RESOLUTION, pParent), m_nDpi(300)
{
}

void CResolutionDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RESOLUTION_DPI, m_nDpi);
}

// Selects the offered resolution; one that is not in the list selects 300.
BOOL CResolutionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    int nIndex = m_nDpi / kDpiStep - 1;
    if (m_nDpi % kDpiStep != 0 || nIndex < 0 || nIndex >= kDpiChoices)
        nIndex = 300 / kDpiStep - 1;
    CComboBox* pCombo = (CComboBox*)GetDlgItem(IDC_RESOLUTION_DPI);
    if (pCombo != NULL)
        pCombo->SetCurSel(nIndex);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CPDFOptionsDlg

BEGIN_MESSAGE_MAP(CPDFOptionsDlg, CDialog)
    ON_BN_CLICKED(IDC_PDF_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CPDFOptionsDlg::CPDFOptionsDlg(CWnd* pParent)
    : CDialog(IDD_PDFOPTIONS, pParent), m_bAllPages(TRUE), m_nPages(1), m_fQuality(3.0f)
{
}

BOOL CPDFOptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckRadioButton(IDC_PDF_ALLPAGES, IDC_PDF_CURRENTPAGE, IDC_PDF_ALLPAGES);
    CComboBox* pCombo = (CComboBox*)GetDlgItem(IDC_PDF_QUALITY);
    if (pCombo != NULL)
        pCombo->SetCurSel(kDefaultQualityIndex);
    SetDlgItemText(IDC_PDF_FILENAME, m_strPath);
    return TRUE;
}

CString CPDFOptionsDlg::WithPdfExtension(const CString& strPath)
{
    const int nDot = strPath.ReverseFind('.');
    const int nSlash = strPath.ReverseFind('\\');
    if (nDot > nSlash && nDot >= 0)
    {
        CString strExt = strPath.Mid(nDot + 1);
        strExt.MakeLower();
        if (strExt == "pdf")
            return strPath;
    }
    return strPath + ".pdf";
}

// Chooses the PDF file in a save dialog, which asks before replacing the name it returns.
void CPDFOptionsDlg::OnBrowse()
{
    const CString strInitialDir = GetDialogStartFolder(m_strFolder);
    CFileDialog dlg(FALSE, NULL, NULL, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING,
                    "PDF file(*.pdf)|*.pdf|", this);
    if (!strInitialDir.IsEmpty())
        dlg.m_ofn.lpstrInitialDir = strInitialDir;
    if (dlg.DoModal() != IDOK)
        return;
    const CString strName = WithPdfExtension(dlg.GetPathName());
    // the dialog asked about the name it returned, not about one with the extension added
    m_strConfirmed = strName == dlg.GetPathName() ? strName : CString();
    m_strFolder = GetFolderOfFile(strName);
    SetDlgItemText(IDC_PDF_FILENAME, strName);
}

// Asks before an existing file of m_strPath is replaced, unless the Browse dialog asked about it; FALSE when
// the user keeps the file.
BOOL CPDFOptionsDlg::ConfirmReplace()
{
    if (::GetFileAttributesA(m_strPath) == INVALID_FILE_ATTRIBUTES || m_strPath.CompareNoCase(m_strConfirmed) == 0)
        return TRUE;
    CString strQuestion;
    AfxFormatString1(strQuestion, IDS_EXPORT_FILE_EXISTS, m_strPath);
    if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) == IDYES)
        return TRUE;
    GotoDlgCtrl(GetDlgItem(IDC_PDF_FILENAME));
    return FALSE;
}

// Takes the file name, page choice and quality; an empty name is refused, and a slow export (high quality or
// many pages) is confirmed first.
void CPDFOptionsDlg::OnOK()
{
    try
    {
        CString strPath;
        GetDlgItemText(IDC_PDF_FILENAME, strPath);
        strPath.Trim();
        if (strPath.IsEmpty())
        {
            AfxMessageBox(IDS_PDF_ENTER_FILE, MB_ICONWARNING);
            return;
        }
        // a typed name is completed as Browse completes one: the extension, and the folder
        // Browse starts in for a name without one
        const CString strFolder = GetDialogStartFolder(m_strFolder);
        if (::PathIsRelativeA(strPath) && !strFolder.IsEmpty())
            strPath = strFolder + (strFolder.Right(1) == "\\" ? "" : "\\") + strPath;
        m_strPath = WithPdfExtension(strPath);
        if (!ConfirmReplace())
            return;
        m_bAllPages = IsDlgButtonChecked(IDC_PDF_ALLPAGES) == BST_CHECKED ? 1 : 0;
        CComboBox* pCombo = (CComboBox*)GetDlgItem(IDC_PDF_QUALITY);
        const int nIndex = pCombo != NULL ? pCombo->GetCurSel() : kDefaultQualityIndex;
        m_fQuality = (float)((nIndex >= 0 ? nIndex : kDefaultQualityIndex) + 1);
        if ((m_bAllPages && m_fQuality * m_nPages > 8) || m_fQuality > 3)
        {
            if (AfxMessageBox(IDS_PDF_TAKES_TIME, MB_YESNO | MB_ICONWARNING) == IDNO)
                return;
        }
        EndDialog(IDOK);
    }
    catch (CException* e)
    {
        e->Delete();
        ShowUnexpectedError();
    }
    catch (...)
    {
        ShowUnexpectedError();
    }
}
