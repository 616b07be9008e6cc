// The demonstration MDI program of the document and view tests: a document type
// (a sheet of boxes) registered with a template, child frames with a 2-by-3
// static splitter around a scroll view, a main frame with a bar and a status
// bar, printing and print preview.
#pragma once

#include "afxwin.h"
#include "window_test_environment.h"
#include "afxext.h"
#include "afxpriv.h"
#include "afxdlgs.h"
#include "docdemo_resource.h"
#include <string>
#include <vector>


// A temporary folder, removed with its files.
class CDemoFolder
{
public:
    CDemoFolder();
    ~CDemoFolder();
    CString File(LPCTSTR lpszName) const { return m_strPath + "\\" + lpszName; }
    std::vector<CString> ListFiles() const;
    CString m_strPath;
};

std::string DemoReadFile(LPCTSTR lpszPath);
void DemoWriteFile(LPCTSTR lpszPath, const std::string& data);

/////////////////////////////////////////////////////////////////////////////
// Document: a sheet with boxes.

class CDemoSheetDoc : public COleDocument
{
    DECLARE_DYNCREATE(CDemoSheetDoc)
public:
    CDemoSheetDoc();
    virtual ~CDemoSheetDoc();

    CSize m_sizeSheet;                  // pixels of the scroll view
    CArray<CRect, const CRect&> m_boxes;
    UINT m_nPages;                      // pages when printed

    static int s_nLive;
    static int s_nFailWriteAfter;       // >= 0: writing fails after this many boxes

    virtual BOOL OnNewDocument() override;
    virtual void Serialize(CArchive& ar) override;
    virtual void DeleteContents() override;

    afx_msg void OnAddBox();
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// The sheet's scroll view, which also prints.

class CDemoSheetView : public CScrollView
{
    DECLARE_DYNCREATE(CDemoSheetView)
protected:
    CDemoSheetView();
public:
    virtual ~CDemoSheetView();

    CDemoSheetDoc* GetSheet() const { return (CDemoSheetDoc*)m_pDocument; }

    // What the print loop did
    int m_nBeginPrinting;
    int m_nEndPrinting;
    std::vector<UINT> m_printedPages;   // OnPrint, in order
    short m_nLastOrientation;           // DEVMODE orientation seen by OnPrepareDC
    BOOL m_bLastPreview;                // pInfo->m_bPreview in the last OnPrint
    CRect m_rectLastDraw;               // pInfo->m_rectDraw in the last OnPrint

    // Test seams of printing
    static HBITMAP s_hMemoryBitmap;     // set: print into a memory DC with this bitmap
    static BOOL s_bPrintToFile;         // set: the job goes to a file (asked for)
    static BOOL s_bDirect;              // set: no Print dialog
    static UINT s_nNumPreviewPages;

    virtual void OnInitialUpdate() override;
    virtual void OnDraw(CDC* pDC) override;
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    DECLARE_MESSAGE_MAP()
};

// A plain pane of the splitter.
class CDemoPaneView : public CView
{
    DECLARE_DYNCREATE(CDemoPaneView)
protected:
    CDemoPaneView() {}
public:
    virtual void OnDraw(CDC* pDC) override;
};

// A splitter with one-pixel bars, as the program's child frame has.
class CDemoThinSplitter : public CSplitterWnd
{
public:
    CDemoThinSplitter();
    int m_nBorderDraws;                 // OnDrawSplitter(splitBorder) with a DC
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
    CRect PaneRect(int row, int col) const { return GetPaneRect(row, col); }
};

class CDemoChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CDemoChildFrame)
public:
    CDemoChildFrame();
    virtual ~CDemoChildFrame();

    CDemoThinSplitter m_wndSplitter;
    static int s_nLive;

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
};

// A bar of the main frame: a strip at the top or bottom that takes part in the layout.
class CDemoBar : public CWnd
{
public:
    explicit CDemoBar(BOOL bTop) : m_bTop(bTop) {}
    BOOL Create(CFrameWnd* pParent, UINT nID);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
private:
    BOOL m_bTop;
};

class CDemoMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CDemoMainFrame)
public:
    CDemoMainFrame();
    virtual ~CDemoMainFrame();

    CDemoBar m_wndToolBar;              // hidden during print preview
    CDemoBar m_wndStatusBar;            // id AFX_IDW_STATUS_BAR: shows the prompts

    CString GetStatusText();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CDemoTemplate : public CMultiDocTemplate
{
public:
    CDemoTemplate();
    int m_nTemplateCommands;
    afx_msg void OnTemplateCmd();
    DECLARE_MESSAGE_MAP()
};

class CDocDemoApp : public CWinApp
{
public:
    CDocDemoApp();
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// The running demonstration.

class CDocDemoProgram
{
public:
    CDocDemoProgram();
    ~CDocDemoProgram();

    // Sends a command to the main frame as the menu would.
    void Command(UINT nID);
    CDemoSheetDoc* ActiveDoc();
    CDemoSheetView* ActiveView();
    CMDIChildWnd* ActiveChild();
    int CountDocs();

    CDocDemoApp* m_pApp;
    CDemoTemplate* m_pTemplate;
    CDemoMainFrame* m_pMainFrame;
};
