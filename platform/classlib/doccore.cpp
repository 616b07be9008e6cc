// doccore.cpp - CDocument and COleDocument: title and path, views, the modified
// flag, loading, atomic saving, closing, and the save question.

#include "afxwnd.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument()
{
    m_pDocTemplate = NULL;
    m_bModified = FALSE;
    m_bAutoDelete = TRUE;
    m_bEmbedded = FALSE;
}

CDocument::~CDocument()
{
    // views outlive a document only as windows that no longer refer to it
    DisconnectViews();
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

/////////////////////////////////////////////////////////////////////////////
// Title and path

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

// Takes a full path as the document's, its title from the file name, optionally in the recent list.
void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    char szFullPath[MAX_PATH];
    AfxFullPath(szFullPath, lpszPathName);
    m_strPathName = szFullPath;
    m_bEmbedded = FALSE;

    char szTitle[MAX_PATH];
    if (AfxGetFileTitle(szFullPath, szTitle, MAX_PATH) == 0)
        SetTitle(szTitle);

    if (bAddToMRU)
    {
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Modified flag

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

/////////////////////////////////////////////////////////////////////////////
// Views

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return (CView*)m_viewList.GetNext(rPosition);
}

void CDocument::AddView(CView* pView)
{
    if (pView == NULL || m_viewList.Find(pView) != NULL)
        return;
    if (pView->m_pDocument != NULL && pView->m_pDocument != this)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // a document without views closes itself
    if (m_viewList.IsEmpty() && m_bAutoDelete)
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::DisconnectViews()
{
    while (!m_viewList.IsEmpty())
    {
        CView* pView = (CView*)m_viewList.RemoveHead();
        pView->m_pDocument = NULL;
    }
}

void CDocument::SendInitialUpdate()
{
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = GetNextView(pos);
        pView->OnInitialUpdate();
    }
}

void CDocument::ActivateFirstFrame()
{
    POSITION pos = GetFirstViewPosition();
    CView* pView = pos != NULL ? GetNextView(pos) : NULL;
    CFrameWnd* pFrame = pView != NULL && pView->m_hWnd != NULL ? pView->GetParentFrame() : NULL;
    if (pFrame == NULL)
        return;
    pFrame->ActivateFrame();
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        ((CMDIChildWnd*)pFrame)->MDIActivate();
    CFrameWnd* pAppFrame = pFrame->GetTopLevelFrame();
    if (pAppFrame != NULL && pAppFrame != pFrame)
        pAppFrame->ActivateFrame();
}

// Numbers the document's frames (":1", ":2") when there are several and renames them.
void CDocument::UpdateFrameCounts()
{
    // number the visible frames of this document: 0 when there is one, else 1, 2, ...
    UINT nFrames = 0;
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd != NULL && pView->IsWindowVisible())
        {
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL)
                pFrame->m_nWindow = -1;
        }
    }
    pos = GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd != NULL && pView->IsWindowVisible())
        {
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL && pFrame->m_nWindow == -1)
                pFrame->m_nWindow = (int)++nFrames;
        }
    }
    // the frames were numbered in the order of their first view: their titles
    // follow in the same order
    UINT iFrame = 1;
    pos = GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = GetNextView(pos);
        if (pView->m_hWnd != NULL && pView->IsWindowVisible())
        {
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL && pFrame->m_nWindow == (int)iFrame)
            {
                if (nFrames == 1)
                    pFrame->m_nWindow = 0;
                pFrame->OnUpdateFrameTitle(TRUE);
                iFrame++;
            }
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Overridables

void CDocument::DeleteContents()
{
}

void CDocument::OnIdle()
{
}

HMENU CDocument::GetDefaultMenu()
{
    return NULL;
}

HACCEL CDocument::GetDefaultAccelerator()
{
    return NULL;
}

void CDocument::PreCloseFrame(CFrameWnd*)
{
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    // another frame on this document keeps it open
    POSITION pos = GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL && pFrame->m_nWindow > 0)
            return TRUE;
    }
    return SaveModified();
}

// Asks whether to save a modified document; FALSE when the user cancels or the save fails.
BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;

    CString strName;
    if (m_strPathName.IsEmpty())
    {
        strName = m_strTitle;
        if (strName.IsEmpty())
            AfxLoadString(AFX_IDS_UNTITLED, strName);
    }
    else
    {
        char szTitle[MAX_PATH];
        AfxGetFileTitle(m_strPathName, szTitle, MAX_PATH);
        strName = szTitle;
    }

    // the window asked about is the one shown
    ActivateFirstFrame();
    CString strPrompt;
    AfxFormatString1(strPrompt, AFX_IDP_ASK_TO_SAVE, strName);
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE))
    {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    case IDNO:
    default:
        return TRUE;
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError))
    {
        delete pFile;
        return NULL;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (bAbort)
        pFile->Abort();
    else
        pFile->Close();
    delete pFile;
}

// Reads a document from a file, reporting a failure and leaving the document empty then.
BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (pFile == NULL)
    {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }

    DeleteContents();
    SetModifiedFlag();      // dirty while the contents are read
    try
    {
        CWaitCursor wait;
        CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
        loadArchive.m_pDocument = this;
        try
        {
            if (pFile->GetLength() != 0)
                Serialize(loadArchive);
            loadArchive.Close();
        }
        catch (...)
        {
            loadArchive.Abort();
            throw;
        }
        ReleaseFile(pFile, FALSE);
        pFile = NULL;
    }
    catch (CException* e)
    {
        if (pFile != NULL)
            ReleaseFile(pFile, TRUE);
        DeleteContents();   // nothing half-read stays
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    catch (...)
    {
        if (pFile != NULL)
            ReleaseFile(pFile, TRUE);
        DeleteContents();
        ReportSaveLoadException(lpszPathName, NULL, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }

    SetModifiedFlag(FALSE);
    return TRUE;
}

// The document is written to a temporary file beside the target, which replaces
// the target only when everything was written and flushed. A read-only target is refused.
BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    char szFullPath[MAX_PATH];
    if (lpszPathName == NULL || *lpszPathName == '\0' || !AfxFullPath(szFullPath, lpszPathName))
    {
        CFileException fe(CFileException::badPath, -1, lpszPathName);
        ReportSaveLoadException(lpszPathName != NULL ? lpszPathName : "", &fe, TRUE,
                                AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }

    // The temporary file has a name of its own target, so one left by an interrupted save
    // is reused (emptied) here.
    const CString strTempPath = AfxGetSaveTempPath(szFullPath);
    if (strTempPath.GetLength() >= MAX_PATH)
    {
        CFileException fe(CFileException::badPath, -1, szFullPath);
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    try
    {
        AfxCheckSaveTarget(szFullPath);
    }
    catch (CException* e)
    {
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }

    CFileException fe;
    CFile* pFile = GetFile(strTempPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (pFile == NULL)
    {
        fe.m_strFileName = szFullPath;
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }

    try
    {
        CWaitCursor wait;
        CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
        saveArchive.m_pDocument = this;
        try
        {
            Serialize(saveArchive);
            saveArchive.Close();
        }
        catch (...)
        {
            saveArchive.Abort();
            throw;
        }
        pFile->Flush();             // on disk before it replaces the old file
        ReleaseFile(pFile, FALSE);  // a failing close (disk full) throws as well
        pFile = NULL;
        AfxReplaceWithSaveTemp(strTempPath, szFullPath);
    }
    catch (CException* e)
    {
        if (pFile != NULL)
            ReleaseFile(pFile, TRUE);
        ::DeleteFileA(strTempPath);
        if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
            ((CFileException*)e)->m_strFileName = szFullPath;
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    catch (...)
    {
        if (pFile != NULL)
            ReleaseFile(pFile, TRUE);
        ::DeleteFileA(strTempPath);
        ReportSaveLoadException(lpszPathName, NULL, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }

    SetModifiedFlag(FALSE);
    return TRUE;
}

// Closes every frame of the document, then empties (and maybe deletes) it.
void CDocument::OnCloseDocument()
{
    // the views must not close the document a second time
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty())
    {
        CView* pView = (CView*)m_viewList.GetHead();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL)
        {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();    // destroys the view with it
        }
        else if (pView->m_hWnd != NULL)
        {
            pView->DestroyWindow();
        }
        // a view that is still listed (no window) is let go
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;

    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

// Tells the user why a file could not be read or written, in the words the failure calls for.
void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                        UINT nIDPDefault)
{
    UINT nIDP = nIDPDefault;
    CString strPrompt;

    if (e != NULL)
    {
        if (e->IsKindOf(RUNTIME_CLASS(CUserException)))
            return;     // already reported
        if (e->IsKindOf(RUNTIME_CLASS(CArchiveException)))
        {
            switch (((CArchiveException*)e)->m_cause)
            {
            case CArchiveException::badSchema:
            case CArchiveException::badClass:
            case CArchiveException::badIndex:
            case CArchiveException::endOfFile:
                nIDP = AFX_IDP_FAILED_INVALID_FORMAT;
                break;
            default:
                break;
            }
        }
        else if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
        {
            CFileException* pFE = (CFileException*)e;
            if (pFE->m_strFileName.IsEmpty())
                pFE->m_strFileName = lpszPathName;
            char szMessage[512];
            if (e->GetErrorMessage(szMessage, sizeof(szMessage)))
            {
                strPrompt = szMessage;
            }
            else
            {
                switch (pFE->m_cause)
                {
                case CFileException::fileNotFound:
                case CFileException::badPath:
                    nIDP = AFX_IDP_FAILED_INVALID_PATH;
                    break;
                case CFileException::diskFull:
                    nIDP = AFX_IDP_FAILED_DISK_FULL;
                    break;
                case CFileException::accessDenied:
                case CFileException::sharingViolation:
                    nIDP = bSaving ? AFX_IDP_FAILED_ACCESS_WRITE : AFX_IDP_FAILED_ACCESS_READ;
                    break;
                default:
                    break;
                }
            }
        }
    }

    if (strPrompt.IsEmpty())
    {
        char szTitle[MAX_PATH] = "";
        if (lpszPathName != NULL && *lpszPathName != '\0')
            AfxGetFileTitle(lpszPathName, szTitle, MAX_PATH);
        AfxFormatString1(strPrompt, nIDP, szTitle);
    }
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPDefault);
}

/////////////////////////////////////////////////////////////////////////////
// Save and Save As

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName;
    if (strNewName.IsEmpty())
    {
        // the name proposed in the Save dialog
        strNewName = m_strPathName;
        if (bReplace && strNewName.IsEmpty())
        {
            strNewName = m_strTitle;
            int iBad = strNewName.FindOneOf("#%;/\\");
            if (iBad != -1)
                strNewName = strNewName.Left(iBad);
            // the template's extension, unless the title has it already
            CString strExt;
            if (m_pDocTemplate != NULL &&
                m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty() &&
                (strNewName.GetLength() < strExt.GetLength() ||
                 strNewName.Right(strExt.GetLength()).CompareNoCase(strExt) != 0))
                strNewName += strExt;
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL ||
            !pApp->DoPromptFileName(strNewName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;
    }

    CWaitCursor wait;
    // a failed save has left any existing file as it was
    BOOL bModified = IsModified();
    if (!OnSaveDocument(strNewName))
        return FALSE;

    if (bReplace)
        SetPathName(strNewName);
    else
        SetModifiedFlag(bModified);     // a copy leaves the document's own changes unsaved
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    DWORD dwAttrib = ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() || dwAttrib == INVALID_FILE_ATTRIBUTES ||
        (dwAttrib & FILE_ATTRIBUTE_READONLY))
    {
        // no file yet, or a read-only one: ask for a name
        return DoSave(NULL);
    }
    return DoSave(m_strPathName);
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(NULL);
}

/////////////////////////////////////////////////////////////////////////////
// Command routing: the document, then its template

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

/////////////////////////////////////////////////////////////////////////////
// COleDocument

IMPLEMENT_DYNAMIC(COleDocument, CDocument)

COleDocument::COleDocument()
{
    m_bCompoundFile = FALSE;
}

COleDocument::~COleDocument()
{
}
