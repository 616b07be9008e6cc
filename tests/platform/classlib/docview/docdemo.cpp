// The demonstration MDI program of the document and view tests.

#include "docdemo.h"

CDemoFolder::CDemoFolder()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    char szName[MAX_PATH];
    ::GetTempFileNameA(szTemp, "dvt", 0, szName);
    ::DeleteFileA(szName);
    ::CreateDirectoryA(szName, NULL);
    m_strPath = szName;
}

CDemoFolder::~CDemoFolder()
{
    for (const CString& strFile : ListFiles())
    {
        ::SetFileAttributesA(File(strFile), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(File(strFile));
    }
    ::RemoveDirectoryA(m_strPath);
}

std::vector<CString> CDemoFolder::ListFiles() const
{
    std::vector<CString> files;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(m_strPath + "\\*", &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(fd.cFileName);
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    return files;
}

std::string DemoReadFile(LPCTSTR lpszPath)
{
    std::string data;
    HANDLE h = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buf[4096];
    DWORD nRead = 0;
    while (::ReadFile(h, buf, sizeof(buf), &nRead, NULL) && nRead > 0)
        data.append(buf, nRead);
    ::CloseHandle(h);
    return data;
}

void DemoWriteFile(LPCTSTR lpszPath, const std::string& data)
{
    HANDLE h = ::CreateFileA(lpszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD nWritten = 0;
    ::WriteFile(h, data.data(), (DWORD)data.size(), &nWritten, NULL);
    ::CloseHandle(h);
}

/////////////////////////////////////////////////////////////////////////////
// Document

IMPLEMENT_DYNCREATE(CDemoSheetDoc, COleDocument)

BEGIN_MESSAGE_MAP(CDemoSheetDoc, COleDocument)
    ON_COMMAND(ID_DEMO_ADDBOX, OnAddBox)
END_MESSAGE_MAP()

int CDemoSheetDoc::s_nLive = 0;
int CDemoSheetDoc::s_nFailWriteAfter = -1;

namespace
{
const DWORD SHEET_TAG = 0x31485344;     // "DSH1"
}

CDemoSheetDoc::CDemoSheetDoc()
{
    m_sizeSheet = CSize(1500, 1200);
    m_nPages = 3;
    ++s_nLive;
}

CDemoSheetDoc::~CDemoSheetDoc()
{
    --s_nLive;
}

BOOL CDemoSheetDoc::OnNewDocument()
{
    if (!COleDocument::OnNewDocument())
        return FALSE;
    m_boxes.Add(CRect(10, 10, 110, 60));
    return TRUE;
}

void CDemoSheetDoc::DeleteContents()
{
    m_boxes.RemoveAll();
    m_sizeSheet = CSize(1500, 1200);
}

void CDemoSheetDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << SHEET_TAG << (LONG)m_sizeSheet.cx << (LONG)m_sizeSheet.cy << (LONG)m_boxes.GetSize();
        for (INT_PTR i = 0; i < m_boxes.GetSize(); i++)
        {
            if (s_nFailWriteAfter >= 0 && i >= s_nFailWriteAfter)
            {
                // the disk fills up halfway through
                ar.Flush();
                AfxThrowFileException(CFileException::diskFull);
            }
            const CRect& rc = m_boxes[i];
            ar << (LONG)rc.left << (LONG)rc.top << (LONG)rc.right << (LONG)rc.bottom;
        }
    }
    else
    {
        DWORD dwTag = 0;
        ar >> dwTag;
        if (dwTag != SHEET_TAG)
            AfxThrowArchiveException(CArchiveException::badSchema);
        LONG cx = 0, cy = 0, nCount = 0;
        ar >> cx >> cy >> nCount;
        m_sizeSheet = CSize((int)cx, (int)cy);
        for (LONG i = 0; i < nCount; i++)
        {
            LONG l, t, r, b;
            ar >> l >> t >> r >> b;
            m_boxes.Add(CRect((int)l, (int)t, (int)r, (int)b));
        }
    }
}

void CDemoSheetDoc::OnAddBox()
{
    int n = (int)m_boxes.GetSize();
    m_boxes.Add(CRect(20 + 30 * n, 80 + 20 * n, 120 + 30 * n, 130 + 20 * n));
    SetModifiedFlag();
    UpdateAllViews(NULL);
}

/////////////////////////////////////////////////////////////////////////////
// Sheet view

IMPLEMENT_DYNCREATE(CDemoSheetView, CScrollView)

BEGIN_MESSAGE_MAP(CDemoSheetView, CScrollView)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

HBITMAP CDemoSheetView::s_hMemoryBitmap = NULL;
BOOL CDemoSheetView::s_bPrintToFile = FALSE;
BOOL CDemoSheetView::s_bDirect = FALSE;
UINT CDemoSheetView::s_nNumPreviewPages = 0;

CDemoSheetView::CDemoSheetView()
{
    m_nBeginPrinting = 0;
    m_nEndPrinting = 0;
    m_nLastOrientation = 0;
    m_bLastPreview = FALSE;
    m_rectLastDraw.SetRectEmpty();
}

CDemoSheetView::~CDemoSheetView()
{
}

void CDemoSheetView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, GetSheet() != NULL ? GetSheet()->m_sizeSheet : CSize(100, 100));
    CScrollView::OnInitialUpdate();
}

void CDemoSheetView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    if (GetSheet() != NULL && m_hWnd != NULL)
        SetScrollSizes(MM_TEXT, GetSheet()->m_sizeSheet);
    CScrollView::OnUpdate(pSender, lHint, pHint);
}

void CDemoSheetView::OnDraw(CDC* pDC)
{
    CDemoSheetDoc* pDoc = GetSheet();
    if (pDoc == NULL)
        return;
    CRect rcSheet(CPoint(0, 0), pDoc->m_sizeSheet);
    pDC->FillSolidRect(&rcSheet, RGB(255, 255, 255));
    for (INT_PTR i = 0; i < pDoc->m_boxes.GetSize(); i++)
        pDC->FillSolidRect(&pDoc->m_boxes[i], RGB(0, 0, 255));
}

BOOL CDemoSheetView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->SetMaxPage(GetSheet() != NULL ? GetSheet()->m_nPages : 1);
    if (s_nNumPreviewPages != 0)
        pInfo->m_nNumPreviewPages = s_nNumPreviewPages;
    if (s_hMemoryBitmap != NULL && !pInfo->m_bPreview)
    {
        // a memory DC in place of a printer
        HDC hDC = ::CreateCompatibleDC(NULL);
        ::SelectObject(hDC, s_hMemoryBitmap);
        pInfo->m_pPD->m_pd.hDC = hDC;
        pInfo->m_bDirect = TRUE;
    }
    if (s_bDirect)
        pInfo->m_bDirect = TRUE;
    if (!DoPreparePrinting(pInfo))
        return FALSE;
    if (s_bPrintToFile)
        pInfo->m_pPD->m_pd.Flags |= PD_PRINTTOFILE;
    return TRUE;
}

void CDemoSheetView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    ++m_nBeginPrinting;
    m_printedPages.clear();
    CScrollView::OnBeginPrinting(pDC, pInfo);
}

void CDemoSheetView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo != NULL && pInfo->m_pPD->m_pd.hDevMode != NULL)
    {
        LPDEVMODE pDevMode = pInfo->m_pPD->GetDevMode();
        if (pDevMode != NULL)
        {
            m_nLastOrientation = pDevMode->dmOrientation;
            ::GlobalUnlock(pInfo->m_pPD->m_pd.hDevMode);
        }
    }
    CScrollView::OnPrepareDC(pDC, pInfo);
    if (pDC->IsPrinting())
    {
        // a hundredth of an inch per unit on paper
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(100, 100);
        pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    }
}

void CDemoSheetView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    m_printedPages.push_back(pInfo->m_nCurPage);
    m_bLastPreview = pInfo->m_bPreview;
    m_rectLastDraw = pInfo->m_rectDraw;

    // a black square of one inch at one inch from the corner, and the page number
    CRect rcMark(100, 100, 200, 200);
    pDC->FillSolidRect(&rcMark, RGB(0, 0, 0));
    CString strPage;
    strPage.Format("Page %u", pInfo->m_nCurPage);
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(100, 250, strPage);
}

void CDemoSheetView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    ++m_nEndPrinting;
    CScrollView::OnEndPrinting(pDC, pInfo);
}

/////////////////////////////////////////////////////////////////////////////
// Panes and splitter

IMPLEMENT_DYNCREATE(CDemoPaneView, CView)

void CDemoPaneView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, RGB(230, 230, 230));
}

CDemoThinSplitter::CDemoThinSplitter()
{
    m_cxSplitter = m_cySplitter = 1;
    m_cxBorderShare = m_cyBorderShare = 0;
    m_cxSplitterGap = m_cySplitterGap = 1;
    m_cxBorder = m_cyBorder = 1;
    m_nBorderDraws = 0;
}

void CDemoThinSplitter::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect)
{
    if (nType == splitBorder && pDC != NULL)
    {
        ++m_nBorderDraws;
        pDC->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    CSplitterWnd::OnDrawSplitter(pDC, nType, rect);
}

/////////////////////////////////////////////////////////////////////////////
// Child frame

IMPLEMENT_DYNCREATE(CDemoChildFrame, CMDIChildWnd)

int CDemoChildFrame::s_nLive = 0;

CDemoChildFrame::CDemoChildFrame()
{
    ++s_nLive;
}

CDemoChildFrame::~CDemoChildFrame()
{
    --s_nLive;
}

BOOL CDemoChildFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    // 2 rows, 3 columns: corner panes, then the sheet view at (1,2)
    if (!m_wndSplitter.CreateStatic(this, 2, 3, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CDemoPaneView), CSize(130, 50), pContext) ||
        !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CDemoPaneView), CSize(130, 50), pContext) ||
        !m_wndSplitter.CreateView(0, 2, RUNTIME_CLASS(CDemoPaneView), CSize(0, 0), pContext) ||
        !m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CDemoPaneView), CSize(130, 50), pContext) ||
        !m_wndSplitter.CreateView(1, 1, RUNTIME_CLASS(CDemoPaneView), CSize(0, 0), pContext) ||
        !m_wndSplitter.CreateView(1, 2, pContext->m_pNewViewClass, CSize(0, 0), pContext))
        return FALSE;
    m_wndSplitter.SetColumnInfo(0, 70, 0);
    m_wndSplitter.SetColumnInfo(1, 20, 0);
    m_wndSplitter.SetRowInfo(0, 20, 0);
    SetActiveView((CView*)m_wndSplitter.GetPane(1, 2));
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Bars and main frame

BEGIN_MESSAGE_MAP(CDemoBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

BOOL CDemoBar::Create(CFrameWnd* pParent, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID))
        return FALSE;
    pParent->m_listControlBars.AddTail(this);
    return TRUE;
}

LRESULT CDemoBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    const int nHeight = 24;
    CRect rc(pLayout->rect);
    if (m_bTop)
    {
        rc.bottom = rc.top + nHeight;
        pLayout->rect.top += nHeight;
    }
    else
    {
        rc.top = rc.bottom - nHeight;
        pLayout->rect.bottom -= nHeight;
    }
    pLayout->sizeTotal.cy += nHeight;
    AfxRepositionWindow(pLayout, m_hWnd, &rc);
    return 0;
}

IMPLEMENT_DYNCREATE(CDemoMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CDemoMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CDemoMainFrame::CDemoMainFrame()
    : m_wndToolBar(TRUE), m_wndStatusBar(FALSE)
{
}

CDemoMainFrame::~CDemoMainFrame()
{
}

int CDemoMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.Create(this, AFX_IDW_TOOLBAR) || !m_wndStatusBar.Create(this, AFX_IDW_STATUS_BAR))
        return -1;
    return 0;
}

CString CDemoMainFrame::GetStatusText()
{
    CString strText;
    m_wndStatusBar.GetWindowText(strText);
    return strText;
}

/////////////////////////////////////////////////////////////////////////////
// Template and application

BEGIN_MESSAGE_MAP(CDemoTemplate, CMultiDocTemplate)
    ON_COMMAND(ID_DEMO_TEMPLATECMD, OnTemplateCmd)
END_MESSAGE_MAP()

CDemoTemplate::CDemoTemplate()
    : CMultiDocTemplate(IDR_DEMODOC, RUNTIME_CLASS(CDemoSheetDoc), RUNTIME_CLASS(CDemoChildFrame),
                        RUNTIME_CLASS(CDemoSheetView))
{
    m_nTemplateCommands = 0;
}

void CDemoTemplate::OnTemplateCmd()
{
    ++m_nTemplateCommands;
}

BEGIN_MESSAGE_MAP(CDocDemoApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CDocDemoApp::CDocDemoApp()
    : CWinApp("DocView Tests")
{
}

/////////////////////////////////////////////////////////////////////////////
// The running demonstration

CDocDemoProgram::CDocDemoProgram()
{
    CDemoSheetDoc::s_nFailWriteAfter = -1;
    CDemoSheetView::s_hMemoryBitmap = NULL;
    CDemoSheetView::s_bPrintToFile = FALSE;
    CDemoSheetView::s_bDirect = FALSE;
    CDemoSheetView::s_nNumPreviewPages = 0;

    m_pApp = new CDocDemoApp;
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    m_pApp->m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4);
    m_pTemplate = new CDemoTemplate;
    m_pApp->AddDocTemplate(m_pTemplate);

    m_pMainFrame = new CDemoMainFrame;
    if (!m_pMainFrame->LoadFrame(IDR_MAINFRAME))
    {
        m_pMainFrame = NULL;
        return;
    }
    m_pApp->m_pMainWnd = m_pMainFrame;
    m_pMainFrame->SetWindowPos(NULL, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pMainFrame->ShowWindow(SW_SHOW);
    m_pMainFrame->UpdateWindow();
}

CDocDemoProgram::~CDocDemoProgram()
{
    // the documents close without questions, then the windows go
    if (m_pApp->m_pDocManager != NULL)
    {
        POSITION pos = m_pTemplate->GetFirstDocPosition();
        while (pos != NULL)
            m_pTemplate->GetNextDoc(pos)->SetModifiedFlag(FALSE);
        m_pApp->CloseAllDocuments(TRUE);
    }
    if (m_pMainFrame != NULL && ::IsWindow(m_pMainFrame->m_hWnd))
        m_pMainFrame->DestroyWindow();
    m_pApp->m_pMainWnd = NULL;
    PumpPendingMessages();
    delete m_pApp;
}

void CDocDemoProgram::Command(UINT nID)
{
    m_pMainFrame->SendMessage(WM_COMMAND, nID);
}

CMDIChildWnd* CDocDemoProgram::ActiveChild()
{
    return m_pMainFrame != NULL ? m_pMainFrame->MDIGetActive() : NULL;
}

CDemoSheetDoc* CDocDemoProgram::ActiveDoc()
{
    CMDIChildWnd* pChild = ActiveChild();
    return pChild != NULL ? (CDemoSheetDoc*)pChild->GetActiveDocument() : NULL;
}

CDemoSheetView* CDocDemoProgram::ActiveView()
{
    CMDIChildWnd* pChild = ActiveChild();
    return pChild != NULL ? (CDemoSheetView*)pChild->GetActiveView() : NULL;
}

int CDocDemoProgram::CountDocs()
{
    return m_pApp->GetOpenDocumentCount();
}
