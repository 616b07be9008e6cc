// VarnelDocLife.cpp - the life cycle of a publication: New through the wizard, the steps
// after Open, Save, the tip of the day and the zoom of the views.

#include "VarnelDoc.h"
#include "DocumentHost.h"
#include "Elements.h"
#include "FileLimits.h"
#include "OptionsStore.h"
#include "PictureLoad.h"
#include "data/DataSource.h"
#include "data/DataSourceLoader.h"
#include "data/SourcePasswordDlg.h"
#include "resources/model_resource.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

namespace
{
const int kShowTipUnread = 5;

// The folder of a file's full path; empty for an empty path.
CString FolderOfPath(const CString& strPath)
{
    char szFullPath[MAX_PATH];
    if (strPath.IsEmpty() || !AfxFullPath(szFullPath, strPath))
        return CString();
    CString strFolder = szFullPath;
    const int nSlash = strFolder.ReverseFind('\\');
    return nSlash >= 0 ? strFolder.Left(nSlash) : CString();
}
}

/////////////////////////////////////////////////////////////////////////////
// New

BOOL CVarnelDoc::OnNewDocument()
{
    if (!COleDocument::OnNewDocument())
        return FALSE;
    // new elements take the stored shadow options from the start
    ReadShadowOptions();

    CDocumentHost* pHost = GetDocumentHost();
    CNewPublicationChoice choice;
    if (pHost == NULL)
        return TRUE;    // the constructed design
    if (!pHost->RunNewPublicationWizard(choice))
        return !IsOtherDocumentOpen();  // Cancel makes nothing, but the first publication stays

    BuildNewPublication(choice.m_strTemplatePath, choice.m_strBackgroundPath, choice.m_nWidth,
                        choice.m_nHeight, choice.m_nPublicationType, choice.m_bBlankDesign);
    FitViewsZoom();
    UpdateAllViews(NULL);
    m_nCurrentTool = KIND_POINTER;
    ShowTipOfTheDay();
    return TRUE;
}

// TRUE when a publication other than this one is open.
BOOL CVarnelDoc::IsOtherDocumentOpen() const
{
    CDocTemplate* pTemplate = GetDocTemplate();
    if (pTemplate == NULL)
        return FALSE;
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL;)
    {
        if (pTemplate->GetNextDoc(pos) != this)
            return TRUE;
    }
    return FALSE;
}

BOOL CVarnelDoc::IsPathOfOtherDocument(LPCTSTR lpszPathName) const
{
    CDocTemplate* pTemplate = GetDocTemplate();
    char szFullPath[MAX_PATH];
    if (pTemplate == NULL || lpszPathName == NULL || !AfxFullPath(szFullPath, lpszPathName))
        return FALSE;
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = pTemplate->GetNextDoc(pos);
        if (pDoc != this && !pDoc->GetPathName().IsEmpty() && AfxComparePath(pDoc->GetPathName(), szFullPath))
            return TRUE;
    }
    return FALSE;
}

// A publication from a template or a blank page of the chosen size, with its background.
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
        PictureSize refused = { 0, 0 };
        CPicturePtr pPicture(LoadPictureFileChecked(strBackgroundPath, &refused));
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
        else if (refused.nWidth > 0)
        {
            AfxMessageBox(PictureTooLargeMessage(strBackgroundPath, refused.nWidth, refused.nHeight),
                          MB_ICONEXCLAMATION);
        }
        else
        {
            CString strText;
            AfxFormatString1(strText, IDS_BACKGROUND_UNREADABLE, strBackgroundPath);
            AfxMessageBox(strText, MB_ICONEXCLAMATION);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Open

BOOL CVarnelDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    // An empty file holds no publication: refused like any file of another format.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (lpszPathName != NULL && ::GetFileAttributesExA(lpszPathName, GetFileExInfoStandard, &data) &&
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && data.nFileSizeLow == 0 &&
        data.nFileSizeHigh == 0)
    {
        CArchiveException e(CArchiveException::endOfFile, lpszPathName);
        ReportSaveLoadException(lpszPathName, &e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    if (!COleDocument::OnOpenDocument(lpszPathName))
        return FALSE;
    OnDocumentLoaded(FolderOfPath(lpszPathName));
    return TRUE;
}

void CVarnelDoc::OnDocumentLoaded(const CString& strFileFolder)
{
    ApplyElementSettings();
    if (!m_strDataSource.IsEmpty())
        ReconnectDataSource(strFileFolder);
    UpdateAllViews(NULL);
}

// Loads the stored data source again; a failure is told and the description kept.
BOOL CVarnelDoc::ReconnectDataSource(const CString& strFileFolder)
{
    CString strText;
    UINT nType = MB_OK;
    CDataTable table;
    BOOL bLoaded = FALSE;
    CDataSourceInfo info;
    if (GetDataParseMessage(ParseStoredDataSource(m_strDataSource, info), strText, nType))
    {
        AfxMessageBox(strText, nType);
    }
    else
    {
        ResolveTextSourceFile(info, strFileFolder);
        // a password the file could not keep is asked for
        BOOL bPasswordAsked = FALSE;
        const CDataLoadResult result = LoadStoredDataTable(info, table, &bPasswordAsked);
        if (GetDataLoadMessage(result, strText, nType))
            AfxMessageBox(strText, nType);
        bLoaded = result.Succeeded();
        // kept for this session; saving protects it or leaves it out again
        if (bLoaded && bPasswordAsked)
            m_strDataSource = BuildAdoDescription(info.m_nType, info.m_strConnection, info.m_strSql);
    }
    if (!bLoaded)
    {
        // The description stays, so the next save keeps the binding.
        AfxMessageBox(IDS_CANNOT_CONNECT);
        return FALSE;
    }
    TakeDataTable(table);
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

        // the host's Save dialog; without a host there is no name to save under
        CDocumentHost* pHost = GetDocumentHost();
        if (pHost == NULL)
            return FALSE;
        strNewName = pHost->ChooseSavePath(strNewName, pHost->GetFolder(HOST_FOLDER_DOCUMENTS));
        if (strNewName.IsEmpty())
            return FALSE;
        pHost->SetFolder(HOST_FOLDER_DOCUMENTS, strNewName);
    }

    // Two windows on one file: saving either would overwrite the other's design unasked.
    if (IsPathOfOtherDocument(strNewName))
    {
        CString strText;
        AfxFormatString1(strText, IDS_FILE_OPEN_IN_OTHER_WINDOW, strNewName);
        AfxMessageBox(strText, MB_ICONEXCLAMATION);
        return FALSE;
    }

    CWaitCursor wait;
    const BOOL bModified = IsModified();
    // A text source read beside this file is named in full when the file is saved elsewhere.
    const CString strOwnSource = m_strDataSource;
    m_strDataSource = DescriptionForNewFolder(m_strDataSource, FolderOfPath(m_strPathName), FolderOfPath(strNewName));
    // The file is written beside the target and replaces it only when complete.
    const BOOL bSaved = OnSaveDocument(strNewName);
    if (!bSaved || !bReplace)
        m_strDataSource = strOwnSource;
    if (!bSaved)
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
    return COptionsStore::GetApplicationKeyPath();
}

void CVarnelDoc::ShowTipOfTheDay()
{
    CWinApp* pApp = AfxGetApp();
    CDocumentHost* pHost = GetDocumentHost();
    if (pApp == NULL || pApp->m_pszRegistryKey == NULL || pApp->m_pszProfileName == NULL || pHost == NULL)
        return;
    COptionsStore options;
    if (options.Get(OPTION_SHOW_TIP, kShowTipUnread) != 1)
        return;
    const BOOL bShowTip = pHost->ShowTipOfTheDay();
    options.Write(OPTION_SHOW_TIP, bShowTip ? 1 : 0);
}

void CVarnelDoc::FitViewsZoom()
{
    UpdateAllViews(NULL, HINT_FIT_ZOOM);
}
