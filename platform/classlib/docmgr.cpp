// docmgr.cpp - CDocManager: the templates of the application, File New and
// Open, opening a file with the template that suits it, and the file dialogs.

#include "afxdlgs.h"

namespace
{
// A message box with one of the class library's prompts (its own text when the
// program's resources do not have the id).
int ShowPrompt(UINT nIDPrompt, UINT nType = MB_OK)
{
    CString strPrompt;
    AfxLoadString(nIDPrompt, strPrompt);
    return AfxMessageBox(strPrompt, nType, nIDPrompt);
}
} // namespace

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::CDocManager()
{
}

CDocManager::~CDocManager()
{
    while (!m_templateList.IsEmpty())
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.RemoveHead();
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == NULL || m_templateList.Find(pTemplate) != NULL)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    return (CDocTemplate*)m_templateList.GetNext(pos);
}

/////////////////////////////////////////////////////////////////////////////
// Documents

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (lpszFileName == NULL || *lpszFileName == '\0')
        return NULL;

    // a name in quotes (from the shell) loses them
    CString strFileName = lpszFileName;
    strFileName.Trim();
    if (strFileName.GetLength() >= 2 && strFileName[0] == '"' &&
        strFileName[strFileName.GetLength() - 1] == '"')
        strFileName = strFileName.Mid(1, strFileName.GetLength() - 2);

    char szPath[MAX_PATH];
    if (!AfxFullPath(szPath, strFileName))
    {
        CString strPrompt;
        AfxFormatString1(strPrompt, AFX_IDP_INVALID_FILENAME, strFileName);
        AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_INVALID_FILENAME);
        return NULL;
    }

    // the template that suits the file best
    CDocTemplate* pBestTemplate = NULL;
    CDocument* pOpenDocument = NULL;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pMatch);
        if (match > bestMatch)
        {
            bestMatch = match;
            pBestTemplate = pTemplate;
            pOpenDocument = pMatch;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
            break;
    }

    // a file that is open already: its frame comes to the front
    if (pOpenDocument != NULL)
    {
        pOpenDocument->ActivateFirstFrame();
        return pOpenDocument;
    }

    if (pBestTemplate == NULL)
    {
        ShowPrompt(AFX_IDP_FAILED_TO_OPEN_DOC);
        return NULL;
    }

    // A file that cannot be read (gone, a folder, held by another program) is told before a
    // window is made for it, in the words the document would use.
    CFileException fe;
    CFile file;
    if (!file.Open(szPath, CFile::modeRead | CFile::shareDenyWrite, &fe))
    {
        if (fe.m_strFileName.IsEmpty())
            fe.m_strFileName = szPath;
        fe.ReportError(MB_ICONEXCLAMATION, AFX_IDP_FAILED_TO_OPEN_DOC);
        return NULL;
    }
    file.Close();
    return pBestTemplate->OpenDocumentFile(szPath);
}

BOOL CDocManager::SaveAllModified()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        if (!pTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        pTemplate->CloseAllDocuments(bEndSession);
    }
}

// Counts the documents open under all templates.
int CDocManager::GetOpenDocumentCount()
{
    int nOpen = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION posDoc = pTemplate->GetFirstDocPosition();
        while (posDoc != NULL)
        {
            pTemplate->GetNextDoc(posDoc);
            ++nOpen;
        }
    }
    return nOpen;
}

/////////////////////////////////////////////////////////////////////////////
// File dialogs

namespace
{

// Adds "name|*.ext|" of a template to a "|"-separated filter; the first
// template's extension (without its dot) becomes the default extension.
void AppendFilter(CString& strFilter, CDocTemplate* pTemplate, CString* pstrDefaultExt)
{
    CString strFilterExt;
    CString strFilterName;
    if (!pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt) || strFilterExt.IsEmpty() ||
        !pTemplate->GetDocString(strFilterName, CDocTemplate::filterName) || strFilterName.IsEmpty())
        return;
    if (pstrDefaultExt != NULL && pstrDefaultExt->IsEmpty())
        *pstrDefaultExt = strFilterExt[0] == '.' ? strFilterExt.Mid(1) : strFilterExt;
    strFilter += strFilterName;
    strFilter += '|';
    strFilter += strFilterExt[0] == '.' ? CString("*") + strFilterExt : strFilterExt;
    strFilter += '|';
}

} // namespace

// Asks for a file name with the templates' filters; FALSE when the user cancels.
BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                   BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    // the template's filter (Save) or every template's (Open), then all files
    CString strFilter;
    CString strDefaultExt;
    if (pTemplate != NULL)
    {
        AppendFilter(strFilter, pTemplate, &strDefaultExt);
    }
    else
    {
        POSITION pos = GetFirstDocTemplatePosition();
        while (pos != NULL)
            AppendFilter(strFilter, GetNextDocTemplate(pos), &strDefaultExt);
    }
    CString strAllFilter;
    AfxLoadString(AFX_IDS_ALLFILTER, strAllFilter);
    strFilter += strAllFilter + "|*.*||";

    CFileDialog dlgFile(bOpenFileDialog, strDefaultExt.IsEmpty() ? NULL : (LPCTSTR)strDefaultExt,
                        fileName.IsEmpty() ? NULL : (LPCTSTR)fileName,
                        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | lFlags, strFilter, AfxGetMainWnd());
    CString strTitle;
    AfxLoadString(nIDSTitle, strTitle);
    if (!strTitle.IsEmpty())
        dlgFile.m_ofn.lpstrTitle = strTitle;
    dlgFile.m_ofn.nFilterIndex = 1;

    if (dlgFile.DoModal() != IDOK)
        return FALSE;
    fileName = dlgFile.GetPathName();
    return TRUE;
}

void CDocManager::OnFileNew()
{
    // the program's document type (the first template)
    if (m_templateList.IsEmpty())
    {
        ShowPrompt(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetHead();
    pTemplate->OpenDocumentFile(NULL);
}

void CDocManager::OnFileOpen()
{
    CString strNewName;
    if (!DoPromptFileName(strNewName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL))
        return;     // cancelled
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->OpenDocumentFile(strNewName);
    else
        OpenDocumentFile(strNewName);
}
