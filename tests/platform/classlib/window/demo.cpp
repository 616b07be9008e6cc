// The demonstration MDI program of the window tests.

#include "demo.h"

std::vector<std::string>& DemoLog()
{
    static std::vector<std::string> log;
    return log;
}

std::string DemoLogText()
{
    std::string text;
    for (const std::string& s : DemoLog())
    {
        if (!text.empty())
            text += ",";
        text += s;
    }
    return text;
}

void PumpFor(DWORD nMillis)
{
    DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < nMillis)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Document

IMPLEMENT_DYNCREATE(CDemoDoc, COleDocument)

BEGIN_MESSAGE_MAP(CDemoDoc, COleDocument)
    ON_COMMAND(ID_DEMO_DOCCMD, OnDocCmd)
    ON_COMMAND_EX(ID_DEMO_SHARED, OnShared)
    ON_UPDATE_COMMAND_UI(ID_DEMO_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

int CDemoDoc::s_nLive = 0;

CDemoDoc::CDemoDoc()
{
    m_nValue = 0;
    m_bChecked = TRUE;
    m_nDeleteContents = 0;
    ++s_nLive;
}

CDemoDoc::~CDemoDoc()
{
    --s_nLive;
}

void CDemoDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strText << (LONG)m_nValue;
    else
    {
        LONG nValue = 0;
        ar >> m_strText >> nValue;
        m_nValue = (int)nValue;
    }
}

void CDemoDoc::DeleteContents()
{
    ++m_nDeleteContents;
    m_strText.Empty();
    m_nValue = 0;
}

void CDemoDoc::OnDocCmd()
{
    DemoLog().push_back("doc");
}

BOOL CDemoDoc::OnShared(UINT)
{
    DemoLog().push_back("doc");
    return FALSE;
}

void CDemoDoc::OnUpdateChecked(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bChecked);
}

/////////////////////////////////////////////////////////////////////////////
// View

IMPLEMENT_DYNCREATE(CDemoView, CView)

BEGIN_MESSAGE_MAP(CDemoView, CView)
    ON_COMMAND(ID_DEMO_VIEWCMD, OnViewCmd)
    ON_COMMAND_EX(ID_DEMO_SHARED, OnShared)
    ON_UPDATE_COMMAND_UI(ID_DEMO_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_DEMO_RADIO, OnUpdateRadio)
    ON_UPDATE_COMMAND_UI(ID_DEMO_TEXT, OnUpdateText)
END_MESSAGE_MAP()

int CDemoView::s_nLive = 0;

CDemoView::CDemoView()
{
    m_nUpdates = 0;
    m_lLastHint = 0;
    m_nActivations = 0;
    ++s_nLive;
}

CDemoView::~CDemoView()
{
    --s_nLive;
}

void CDemoView::OnDraw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CBrush brush(RGB(255, 255, 240));
    pDC->FillRect(&rc, &brush);
    CPen pen(PS_SOLID, 3, RGB(0, 96, 160));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CRect rcFrame(rc);
    rcFrame.DeflateRect(20, 20);
    pDC->Rectangle(&rcFrame);
    pDC->SelectObject(pOldPen);
    CString strText = GetDocument() != NULL ? GetDocument()->GetTitle() : CString("(no document)");
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strText, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CDemoView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    ++m_nUpdates;
    m_lLastHint = lHint;
    CView::OnUpdate(pSender, lHint, pHint);
}

void CDemoView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate)
        ++m_nActivations;
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CDemoView::OnViewCmd()
{
    DemoLog().push_back("view");
}

BOOL CDemoView::OnShared(UINT)
{
    DemoLog().push_back("view");
    return FALSE;
}

void CDemoView::OnUpdateDisabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CDemoView::OnUpdateRadio(CCmdUI* pCmdUI)
{
    pCmdUI->SetRadio(TRUE);
}

void CDemoView::OnUpdateText(CCmdUI* pCmdUI)
{
    pCmdUI->SetText("Changed Text");
}

/////////////////////////////////////////////////////////////////////////////
// Child frame

IMPLEMENT_DYNCREATE(CDemoChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CDemoChildFrame, CMDIChildWnd)
    ON_COMMAND(ID_DEMO_CHILDCMD, OnChildCmd)
    ON_COMMAND_EX(ID_DEMO_SHARED, OnShared)
END_MESSAGE_MAP()

int CDemoChildFrame::s_nLive = 0;

CDemoChildFrame::CDemoChildFrame()
{
    ++s_nLive;
}

CDemoChildFrame::~CDemoChildFrame()
{
    --s_nLive;
}

void CDemoChildFrame::OnChildCmd()
{
    DemoLog().push_back("child");
}

BOOL CDemoChildFrame::OnShared(UINT)
{
    DemoLog().push_back("child");
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Message bar

BEGIN_MESSAGE_MAP(CDemoMessageBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CDemoMessageBar::Create(CWnd* pParent)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    return CWnd::Create(lpszClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent,
                        AFX_IDW_STATUS_BAR);
}

LRESULT CDemoMessageBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    // takes a strip at the bottom of what is left, like a status bar
    AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    CRect rc(pLayout->rect.left, pLayout->rect.bottom - 22, pLayout->rect.right, pLayout->rect.bottom);
    pLayout->rect.bottom -= 22;
    pLayout->sizeTotal.cy += 22;
    AfxRepositionWindow(pLayout, m_hWnd, &rc);
    return 0;
}

LRESULT CDemoMessageBar::OnIdleUpdate(WPARAM, LPARAM)
{
    ++m_nIdleUpdates;
    return 0;
}

LRESULT CDemoMessageBar::OnSetText(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    Invalidate();
    return lResult;
}

void CDemoMessageBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CString strText;
    GetWindowText(strText);
    dc.SetBkMode(TRANSPARENT);
    rc.left += 6;
    dc.DrawText(strText, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

/////////////////////////////////////////////////////////////////////////////
// Main frame

IMPLEMENT_DYNCREATE(CDemoMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CDemoMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_DEMO_MAINCMD, OnMainCmd)
    ON_COMMAND(ID_DEMO_DISABLED, OnDisabledCmd)
    ON_COMMAND(ID_DEMO_THROW, OnThrowCmd)
    ON_COMMAND_EX(ID_DEMO_SHARED, OnShared)
END_MESSAGE_MAP()

int CDemoMainFrame::s_nLive = 0;

CDemoMainFrame::CDemoMainFrame()
{
    ++s_nLive;
}

CDemoMainFrame::~CDemoMainFrame()
{
    --s_nLive;
}

int CDemoMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndMessageBar.Create(this))
        return -1;
    return 0;
}

CString CDemoMainFrame::GetMessageBarText()
{
    CString strText;
    m_wndMessageBar.GetWindowText(strText);
    return strText;
}

void CDemoMainFrame::OnMainCmd()
{
    DemoLog().push_back("main");
}

void CDemoMainFrame::OnDisabledCmd()
{
    DemoLog().push_back("disabled-ran");
}

void CDemoMainFrame::OnThrowCmd()
{
    throw new CNotSupportedException;
}

BOOL CDemoMainFrame::OnShared(UINT)
{
    DemoLog().push_back("main");
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Application

BEGIN_MESSAGE_MAP(CDemoApp, CWinApp)
    ON_COMMAND(ID_DEMO_APPCMD, OnAppCmd)
    ON_COMMAND_EX(ID_DEMO_SHARED, OnShared)
    ON_COMMAND(ID_FILE_NEW, OnDemoFileNew)
END_MESSAGE_MAP()

CDemoApp::CDemoApp()
    : CWinApp("Window Tests")
{
    m_pOpenResult = NULL;
}

BOOL CDemoApp::OnIdle(LONG lCount)
{
    m_idleCounts.push_back(lCount);
    return CWinApp::OnIdle(lCount);
}

CDocument* CDemoApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    m_openedFiles.push_back(lpszFileName);
    return m_pOpenResult;
}

void CDemoApp::OnAppCmd()
{
    DemoLog().push_back("app");
}

BOOL CDemoApp::OnShared(UINT)
{
    DemoLog().push_back("app");
    return FALSE;
}

void CDemoApp::OnDemoFileNew()
{
    DemoLog().push_back("app-new");
}

/////////////////////////////////////////////////////////////////////////////
// The running demonstration

CDemoProgram::CDemoProgram()
{
    DemoLog().clear();
    m_pApp = new CDemoApp;
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
    m_pMainFrame = NULL;
    HINSTANCE hInst = AfxGetResourceHandle();
    m_hDemoMenu = ::LoadMenuA(hInst, MAKEINTRESOURCEA(IDR_DEMOTYPE));
    m_hOtherMenu = ::LoadMenuA(hInst, MAKEINTRESOURCEA(IDR_OTHERTYPE));
    m_hDemoAccel = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(IDR_DEMOTYPE));
}

CDemoProgram::~CDemoProgram()
{
    CloseAll();
    PumpPendingMessages();
    ::DestroyMenu(m_hDemoMenu);
    ::DestroyMenu(m_hOtherMenu);
    delete m_pApp;
}

BOOL CDemoProgram::CreateMainFrame(int nCmdShow)
{
    m_pMainFrame = new CDemoMainFrame;
    if (!m_pMainFrame->LoadFrame(IDR_MAINFRAME))
    {
        m_pMainFrame = NULL;
        return FALSE;
    }
    m_pApp->m_pMainWnd = m_pMainFrame;
    m_pMainFrame->SetWindowPos(NULL, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pMainFrame->ShowWindow(nCmdShow);
    m_pMainFrame->UpdateWindow();
    return TRUE;
}

CDemoChildFrame* CDemoProgram::OpenChild(UINT nIDType, LPCTSTR lpszTitle, CDemoDoc** ppDoc)
{
    CDemoDoc* pDoc = new CDemoDoc;
    pDoc->SetTitle(lpszTitle);

    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CDemoView);
    context.m_pCurrentDoc = pDoc;

    CDemoChildFrame* pChild = new CDemoChildFrame;
    pChild->SetHandles(nIDType == IDR_OTHERTYPE ? m_hOtherMenu : m_hDemoMenu, m_hDemoAccel);
    if (!pChild->LoadFrame(nIDType, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           m_pMainFrame, &context))
    {
        delete pDoc;
        return NULL;
    }
    pChild->InitialUpdateFrame(pDoc, TRUE);
    if (ppDoc != NULL)
        *ppDoc = pDoc;
    return pChild;
}

void CDemoProgram::CloseAll()
{
    if (m_pMainFrame != NULL && ::IsWindow(m_pMainFrame->m_hWnd))
        m_pMainFrame->DestroyWindow();
    m_pMainFrame = NULL;
    if (m_pApp != NULL)
        m_pApp->m_pMainWnd = NULL;
}
