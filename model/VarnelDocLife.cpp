// VarnelDocLife.cpp - the life cycle of a publication: New through the wizard, the steps
// after Open, Save, the tip of the day and the zoom of the views.

#include "VarnelDoc.h"
#include "Elements.h"
#include "FileLimits.h"
#include "OptionsKeys.h"
#include "app/TipDlg.h"
#include "app/VarnelApp.h"
#include "app/VarnelView.h"
#include "data/BrowDataSource.h"
#include "data/DataSource.h"
#include "output/NewCardWizard.h"
#include "afxdlgs.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

namespace
{
const char kCannotConnect[] =
    "Could not connect to the database. \nPlease reconnect to the database by clicking \n"
    "on 'Set Database'! And ignore the error messages.";
const char kLabelFilter[] = "Label Files (*.labf)|*.labf; |All Files (*.*)|*.*|";
const char kLabelExtension[] = "labf";
// Save dialog: resizable, read-only box hidden, overwrite prompt. A name that does not
// exist yet must be accepted, so the file-must-exist flag of the Open dialogs is left out.
const DWORD kSaveDialogFlags = OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
const char kOptionsSection[] = "Options";
const DWORD kShowTipUnread = 5;
}

/////////////////////////////////////////////////////////////////////////////
// New

BOOL CVarnelDoc::OnNewDocument()
{
    if (!COleDocument::OnNewDocument())
        return FALSE;

    CNewCardWizard wizard;
    if (wizard.DoModal() != IDOK)
        return TRUE;    // the constructed design

    BuildNewPublication(wizard.m_strTemplatePath, wizard.m_strBackgroundPath, wizard.m_nWidth,
                        wizard.m_nHeight, wizard.m_nPubType, wizard.m_bBlankDesign);
    FitViewsZoom();
    UpdateAllViews(NULL);
    m_nCurrentTool = KIND_POINTER;
    ShowTipOfTheDay();
    return TRUE;
}

void CVarnelDoc::BuildNewPublication(const CString& strTemplatePath, const CString& strBackgroundPath,
                                     int nWidth, int nHeight, int nPublicationType, BOOL bBlankDesign)
{
    int nTemplateWidth = m_nDesignWidth;
    int nTemplateHeight = m_nDesignHeight;

    const BOOL bTemplateTooLarge = !bBlankDesign && IsFileOverLimit(strTemplatePath, MAX_TEMPLATE_FILE_BYTES);
    if (bTemplateTooLarge)
        AfxMessageBox(FileTooLargeMessage(strTemplatePath, MAX_TEMPLATE_FILE_BYTES), MB_ICONEXCLAMATION);
    if (!bBlankDesign && !strTemplatePath.IsEmpty() && !bTemplateTooLarge)
    {
        try
        {
            CFile file(strTemplatePath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
            CArchive ar(&file, CArchive::load);
            ar.m_pDocument = this;
            Serialize(ar);
            ar.Close();
            OnDocumentLoaded();
            ReadShadowOptions();
            ApplyElementSettings();
            nTemplateWidth = m_nDesignWidth;
            nTemplateHeight = m_nDesignHeight;
            SetModifiedFlag();
        }
        catch (CException* e)
        {
            // The template is left out; the new design starts blank.
            ReportSaveLoadException(strTemplatePath, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
            e->Delete();
        }
    }

    m_nDesignWidth = nWidth;
    m_nDesignHeight = nHeight;
    m_nPublicationType = nPublicationType;
    ScaleElements(nTemplateWidth, nTemplateHeight, nWidth, nHeight);

    if (!bBlankDesign && !strBackgroundPath.IsEmpty())
    {
        CPicturePtr pPicture(LoadPictureFile(strBackgroundPath));
        if (pPicture)
        {
            CBkgImage* pBackground = new CBkgImage(pPicture, nWidth, nHeight);
            pBackground->m_nSide = 1;
            pBackground->m_clrShadow = m_clrShadow;
            pBackground->m_nShadowLength = m_nShadowLength;
            m_listElements.AddHead(pBackground);
            SetModifiedFlag();
        }
        else if (IsFileOverLimit(strBackgroundPath, MAX_PICTURE_FILE_BYTES))
        {
            AfxMessageBox(FileTooLargeMessage(strBackgroundPath, MAX_PICTURE_FILE_BYTES), MB_ICONEXCLAMATION);
        }
        else
        {
            AfxMessageBox("The background picture\n" + strBackgroundPath +
                              "\ncould not be read. The file is damaged or is not a picture.",
                          MB_ICONEXCLAMATION);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Open

BOOL CVarnelDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    if (!COleDocument::OnOpenDocument(lpszPathName))
        return FALSE;
    CString strFolder = lpszPathName;
    const int nSlash = strFolder.ReverseFind('\\');
    strFolder = nSlash >= 0 ? strFolder.Left(nSlash) : CString();
    OnDocumentLoaded(strFolder);
    return TRUE;
}

void CVarnelDoc::OnDocumentLoaded(const CString& strFileFolder)
{
    ApplyElementSettings();
    if (!m_strDataSource.IsEmpty())
        ReconnectDataSource(strFileFolder);
    UpdateAllViews(NULL);
}

BOOL CVarnelDoc::ReconnectDataSource(const CString& strFileFolder)
{
    CString strLoad = m_strDataSource;
    CDataSourceInfo info;
    if (!strFileFolder.IsEmpty() && ParseDataSourceDescription(m_strDataSource, info) == DSPARSE_OK &&
        info.m_nType == DATASOURCE_TEXT && !info.m_strFile.IsEmpty() && ::PathIsRelativeA(info.m_strFile))
    {
        strLoad = BuildTextDescription(strFileFolder + "\\" + info.m_strFile, info.m_strDelimiter,
                                       info.m_bHasColNames);
    }
    CBrowDataSource source;
    if (!source.LoadDataSource(strLoad, FALSE))
    {
        // The description stays, so the next save keeps the binding.
        AfxMessageBox(kCannotConnect);
        return FALSE;
    }
    FreeDataTable();
    m_pDataRows = source.m_pRows;
    m_nDataRows = source.m_nRows;
    m_nDataColumns = source.m_nColumns;
    source.m_pRows = NULL;
    source.m_nRows = -1;
    source.m_nColumns = 0;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Save

BOOL CVarnelDoc::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName;
    if (strNewName.IsEmpty())
    {
        strNewName = m_strPathName;
        if (bReplace && strNewName.IsEmpty())
        {
            strNewName = m_strTitle;
            if (strNewName.FindOneOf("#%;/\\") >= 0)
                strNewName = "Untitled";
        }

        CVarnelApp* pApp = GetVarnelApp();
        const CString strInitialDir = pApp != NULL ? pApp->m_strMyDocumentsFolder : CString();
        CFileDialog dlg(FALSE, kLabelExtension, strNewName, kSaveDialogFlags, kLabelFilter);
        dlg.m_ofn.nFilterIndex = 1;
        dlg.m_ofn.lpstrInitialDir = strInitialDir;
        if (dlg.DoModal() != IDOK)
            return FALSE;
        strNewName = dlg.GetPathName();
        if (pApp != NULL)
            pApp->m_strMyDocumentsFolder = CVarnelApp::FolderOfFile(strNewName);
    }

    CWaitCursor wait;
    const BOOL bModified = IsModified();
    // The file is written beside the target and replaces it only when complete.
    if (!OnSaveDocument(strNewName))
        return FALSE;
    if (bReplace)
        SetPathName(strNewName);
    else
        SetModifiedFlag(bModified);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Options, tip of the day, zoom

CString CVarnelDoc::GetOptionsKeyPath()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || pApp->m_pszRegistryKey == NULL || pApp->m_pszProfileName == NULL)
        return OPTIONS_KEY;
    return CString("Software\\") + pApp->m_pszRegistryKey + "\\" + pApp->m_pszProfileName + "\\" +
           kOptionsSection;
}

void CVarnelDoc::ShowTipOfTheDay()
{
    HKEY hKey = NULL;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, GetOptionsKeyPath(), 0, KEY_READ | KEY_WRITE, &hKey) != ERROR_SUCCESS)
        return;
    DWORD dwShowTip = kShowTipUnread, dwType = 0, cb = sizeof(dwShowTip);
    if (RegQueryValueExA(hKey, OPTION_SHOW_TIP, NULL, &dwType, (BYTE*)&dwShowTip, &cb) != ERROR_SUCCESS ||
        dwType != REG_DWORD || cb != sizeof(dwShowTip))
        dwShowTip = kShowTipUnread;
    if (dwShowTip == 1)
    {
        CTipOfTheDayDlg dlg;
        dlg.DoModal();
        const DWORD dwNewValue = dlg.m_bShowTip ? 1 : 0;
        RegSetValueExA(hKey, OPTION_SHOW_TIP, 0, REG_DWORD, (const BYTE*)&dwNewValue, sizeof(dwNewValue));
    }
    RegCloseKey(hKey);
}

void CVarnelDoc::FitViewsZoom()
{
    const float fZoom = GetZoomForDesign(m_nDesignWidth, m_nDesignHeight);
    for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
    {
        CView* pView = GetNextView(pos);
        if (pView->IsKindOf(RUNTIME_CLASS(CVarnelView)))
            ((CVarnelView*)pView)->SetZoom(fZoom);
    }
}
