// doctempl.cpp - CDocTemplate and CMultiDocTemplate: the document string,
// matching files to templates, and creating documents with frames and views.

#include "afxwnd.h"

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

/////////////////////////////////////////////////////////////////////////////
// CDocTemplate

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
{
    m_nIDResource = nIDResource;
    m_pDocClass = pDocClass;
    m_pFrameClass = pFrameClass;
    m_pViewClass = pViewClass;
    m_bAutoDelete = TRUE;
}

CDocTemplate::~CDocTemplate()
{
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)index);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = NULL;
}

// How well a file fits this template: already open, of its extension, or only maybe.
CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = NULL;

    // a document of this template that has the file open already
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && AfxComparePath(pDoc->GetPathName(), lpszPathName))
        {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }

    // the template's extension
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty())
    {
        LPCTSTR lpszDot = strrchr(lpszPathName, '.');
        LPCTSTR lpszSlash = strrchr(lpszPathName, '\\');
        if (lpszDot != NULL && (lpszSlash == NULL || lpszDot > lpszSlash) &&
            lstrcmpiA(lpszDot, strFilterExt) == 0)
            return yesAttemptNative;
    }

    // any other file may still be one of ours
    return yesAttemptForeign;
}

// Creates an empty document of the template's class; NULL if the class is no document.
CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == NULL)
        return NULL;
    CObject* pObject = m_pDocClass->CreateObject();
    if (pObject == NULL)
        return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CDocument)))
    {
        delete pObject;
        return NULL;
    }
    CDocument* pDocument = (CDocument*)pObject;
    AddDocument(pDocument);
    return pDocument;
}

// Creates a frame with a view of the template for a document; NULL if it fails.
CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (m_pFrameClass == NULL)
        return NULL;

    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    CObject* pObject = m_pFrameClass->CreateObject();
    if (pObject == NULL)
        return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
    {
        delete pObject;
        return NULL;
    }
    CFrameWnd* pFrame = (CFrameWnd*)pObject;

    // a frame that fails to load has deleted itself
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // closing a document takes it off the list; the next one is fetched first
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
    {
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnCloseDocument();
    }
}

void CDocTemplate::OnIdle()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL)
    {
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnIdle();
    }
}

/////////////////////////////////////////////////////////////////////////////
// CMultiDocTemplate

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                     CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
    m_hMenuShared = NULL;
    m_hAccelTable = NULL;
    m_nUntitledCount = 0;
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // documents that outlive the template forget it
    while (!m_docList.IsEmpty())
    {
        CDocument* pDoc = (CDocument*)m_docList.RemoveHead();
        pDoc->m_pDocTemplate = NULL;
    }
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
}

// Loads the menu and accelerators that the template's frames share.
void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource == 0)
        return;
    LPCTSTR lpszName = MAKEINTRESOURCEA(m_nIDResource);
    if (m_hMenuShared == NULL)
    {
        HINSTANCE hInst = AfxFindResourceHandle(lpszName, (LPCTSTR)RT_MENU);
        m_hMenuShared = ::LoadMenuA(hInst, lpszName);
    }
    if (m_hAccelTable == NULL)
    {
        HINSTANCE hInst = AfxFindResourceHandle(lpszName, (LPCTSTR)RT_ACCELERATOR);
        m_hAccelTable = ::LoadAcceleratorsA(hInst, lpszName);
    }
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    if (m_docList.Find(pDoc) == NULL)
        m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != NULL)
        m_docList.RemoveAt(pos);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return (CDocument*)m_docList.GetNext(rPos);
}

// Gives a new document the next "Untitled" name of the template.
void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    // "Untitled1", "Untitled2", ...
    CString strDocName;
    if (GetDocString(strDocName, docName) && !strDocName.IsEmpty())
    {
        char szNumber[16];
        wsprintfA(szNumber, "%u", m_nUntitledCount + 1);
        strDocName += szNumber;
    }
    else
    {
        AfxLoadString(AFX_IDS_UNTITLED, strDocName);
    }
    pDocument->SetTitle(strDocName);
}

// Opens a file (or a new document for NULL) in a frame of its own; NULL after telling the user why.
CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == NULL)
    {
        ShowPrompt(AFX_IDP_FAILED_TO_CREATE_DOC);
        return NULL;
    }

    // the document must survive a frame that fails halfway
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, NULL);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == NULL)
    {
        ShowPrompt(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDocument;
        return NULL;
    }

    if (lpszPathName == NULL)
    {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument())
        {
            // destroying the frame closes the document with its last view
            pFrame->DestroyWindow();
            return NULL;
        }
        m_nUntitledCount++;
    }
    else
    {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            pFrame->DestroyWindow();
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }

    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
