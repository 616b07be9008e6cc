// afxdoc.h - documents, document templates, views and printing (included by afxwnd.h).
//
// Declares: CDocument, COleDocument, CDocTemplate, CMultiDocTemplate, CDocManager,
// CPrintInfo, CPrintPreviewState, CView, CScrollView.
//
// Notes
// - A document owns nothing but its data; its views are windows that delete
//   themselves. AddView/RemoveView keep the view list and the view's m_pDocument
//   in step. When the last view goes and m_bAutoDelete is set, the document
//   closes itself (OnCloseDocument deletes it).
// - A template creates document, frame and view by runtime class from one
//   resource id: the id's string ("title\ndocName\nfileNewName\nfilterName\n
//   .ext\nregId\nregName"), menu, accelerators and icon. The template lists its
//   documents; a document leaves the list when it is destroyed. The document
//   manager (CWinApp::m_pDocManager, made by the first AddDocTemplate) owns the
//   templates and runs File New, Open and the file dialogs.
// - Command routing: a view offers a command to itself, then to its document,
//   which offers it to its template.
// - Saving writes the whole document to a temporary file in the target's folder
//   and replaces the target only when the write succeeded; a failed save leaves
//   the old file as it was.
// - Printing: CView::OnFilePrint runs the print loop (OnPreparePrinting, which
//   calls DoPreparePrinting for the Print dialog and the printer DC, then
//   OnBeginPrinting, and per page OnPrepareDC and OnPrint, then
//   OnEndPrinting). A DC that is not a printer (a memory DC put into
//   m_pPD->m_pd.hDC by OnPreparePrinting) gets the pages drawn one after the
//   other without a print job. OnFilePrintPreview shows the pages in a
//   CPreviewView (afxpriv.h) in place of the main frame's pane.

#pragma once

#ifndef __AFXDOC_H__
#define __AFXDOC_H__

class CPreviewView;
class CSplitterWnd;

// Mapping mode of CScrollView::SetScaleToFitSize
#define MM_SCALETOFIT           (-1)

// Id of the print preview's bar
#ifndef AFX_IDD_PREVIEW_TOOLBAR
#define AFX_IDD_PREVIEW_TOOLBAR 0x7801
#endif

// Prompt of a print job that failed after it started
#ifndef AFX_IDP_FAILED_TO_PRINT
#define AFX_IDP_FAILED_TO_PRINT 0xF10B
#endif

/////////////////////////////////////////////////////////////////////////////
// CDocument

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    virtual ~CDocument();

    // Title and path
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Stores the full path, takes the title from it and adds it to the recent files.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // Modified flag
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // Views
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);
    void DisconnectViews();
    void SendInitialUpdate();
    void ActivateFirstFrame();      // brings the frame of the first view to the front

    // Overridables
    virtual void DeleteContents();
    virtual void OnChangedViewList();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual BOOL SaveModified();    // asks "Save changes to %1?"; FALSE on Cancel
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    virtual void OnIdle();
    virtual void UpdateFrameCounts();
    virtual HMENU GetDefaultMenu();
    virtual HACCEL GetDefaultAccelerator();

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                         UINT nIDPDefault);
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

    // Save and Save As; lpszPathName NULL asks for a name.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();

    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Implementation state
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;   // template that lists the document, or NULL
    CPtrList m_viewList;            // CView* of the document's views
    BOOL m_bModified;
    BOOL m_bAutoDelete;             // delete the document when its last view goes
    BOOL m_bEmbedded;

    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    DECLARE_MESSAGE_MAP()

    friend class CView;
    friend class CDocTemplate;
};

/////////////////////////////////////////////////////////////////////////////
// COleDocument: a document that may hold embedded items; here a plain document.

class COleDocument : public CDocument
{
    DECLARE_DYNAMIC(COleDocument)
public:
    COleDocument();
    virtual ~COleDocument();

    void EnableCompoundFile(BOOL bEnable = TRUE) { m_bCompoundFile = bEnable; }
    BOOL HasBlankItems() const { return FALSE; }

    BOOL m_bCompoundFile;
};

/////////////////////////////////////////////////////////////////////////////
// CDocTemplate: creates documents with their frames and views.

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
public:
    virtual ~CDocTemplate();

    // Sub-strings of the template's string resource
    enum DocStringIndex
    {
        windowTitle,        // title of an SDI main window
        docName,            // root of default document names ("Untitled")
        fileNewName,        // name in a choice of new document types
        filterName,         // "Label Files (*.labf)"
        filterExt,          // ".labf"
        regFileTypeId,
        regFileTypeName
    };
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    // Documents of this template
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    // How well a file suits this template
    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

    // Creation
    virtual CDocument* CreateNewDocument();
    // A new frame with the template's view on pDoc; NULL when it fails.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // lpszPathName NULL makes a new document.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    virtual BOOL SaveAllModified();             // FALSE when the user cancelled
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual void LoadTemplate();                // strings and resources
    virtual void OnIdle();

    // Implementation state
    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;        // the resource string
    BOOL m_bAutoDelete;             // the document manager deletes the template
};

/////////////////////////////////////////////////////////////////////////////
// CMultiDocTemplate: any number of documents, each in MDI child frames.

class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    virtual ~CMultiDocTemplate();

    virtual void LoadTemplate() override;
    virtual void AddDocument(CDocument* pDoc) override;
    virtual void RemoveDocument(CDocument* pDoc) override;
    virtual POSITION GetFirstDocPosition() const override;
    virtual CDocument* GetNextDoc(POSITION& rPos) const override;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    virtual void SetDefaultTitle(CDocument* pDocument) override;

    HMENU m_hMenuShared;            // menu of the document type (owned)
    HACCEL m_hAccelTable;           // accelerators of the document type (resource)
    CPtrList m_docList;             // CDocument*, not owned
    UINT m_nUntitledCount;          // new documents named so far
};

/////////////////////////////////////////////////////////////////////////////
// CDocManager: the templates of the application and the file commands.

class CDocManager : public CObject
{
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager();
    virtual ~CDocManager();

    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    virtual POSITION GetFirstDocTemplatePosition() const;
    virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const;

    // Opens the file with the template that suits it best; a file already open
    // activates its frame instead. NULL when it fails.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual int GetOpenDocumentCount();

    // Open or Save dialog with the templates' filters; TRUE on OK.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                  BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    virtual void OnFileNew();
    virtual void OnFileOpen();

    CPtrList m_templateList;        // CDocTemplate*, owned when m_bAutoDelete
};

/////////////////////////////////////////////////////////////////////////////
// CPrintInfo: the state of one print or preview job.

struct CPrintInfo
{
    CPrintInfo();
    ~CPrintInfo();                  // deletes the printer DC in m_pPD->m_pd.hDC
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    CPrintDialog* m_pPD;            // the Print dialog and its PRINTDLG
    BOOL m_bDocObject;
    BOOL m_bPreview;                // print preview
    BOOL m_bDirect;                 // no Print dialog: the default printer
    BOOL m_bContinuePrinting;       // OnPrepareDC clears it to end the job
    UINT m_nCurPage;                // page being printed (from 1)
    UINT m_nNumPreviewPages;        // 1 or 2 pages shown by the preview, 0: the default
    CString m_strPageDesc;          // "Page %u\nPages %u-%u\n"
    LPVOID m_lpUserData;
    CRect m_rectDraw;               // printable area of the page, logical units
    UINT m_nOffsetPage;
    BOOL m_bJobDone;                // the print loop ended its document without failure or cancel

    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;        // 0xFFFF: not known
    UINT GetFromPage() const;
    UINT GetToPage() const;
    UINT GetOffsetPage() const { return m_nOffsetPage; }
};

// A DC of the printer named by DEVNAMES with DEVMODE's settings; NULL on failure.
HDC AFXAPI AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode);

// What the frame saved when it entered print preview.
struct CPrintPreviewState
{
    UINT nIDMainPane;               // id the main pane had
    HMENU hMenu;                    // menu of the frame
    DWORD dwStates;                 // unused
    CView* pViewActiveOld;          // active view before the preview
    BOOL (CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd);
    HACCEL hAccelTable;             // accelerators of the frame
    CPtrList listHiddenBars;        // HWND of the bars hidden for the preview

    CPrintPreviewState();
};

/////////////////////////////////////////////////////////////////////////////
// CView: a window showing a document.

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
protected:
    CView();
public:
    virtual ~CView();

    CDocument* GetDocument() const { return m_pDocument; }

    virtual BOOL IsSelected(const CObject* pDocItem) const;
    // The splitter that holds pWnd (a pane), or NULL.
    static CSplitterWnd* PASCAL GetParentSplitter(const CWnd* pWnd, BOOL bAnyState);

    // Overridables
    virtual void OnInitialUpdate();                     // OnUpdate(NULL, 0, NULL)
    // Prepares a DC for drawing; when printing, the default ends a job of unknown
    // length after its first page (m_bContinuePrinting).
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);    // invalidates
    virtual void OnDraw(CDC* pDC) = 0;

    // Printing (the print loop calls these)
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);  // FALSE ends the job; TRUE by default
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);  // OnDraw by default
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);

    // The Print dialog (or, for preview and direct printing, the default printer)
    // and the printer DC. FALSE when the user cancelled or there is no printer.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // Shows the preview in the main frame; pState is owned by the preview from then on.
    BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                        CPrintPreviewState* pState);

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void PostNcDestroy() override;
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

    CDocument* m_pDocument;

public:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnInitialUpdateMsg();
    // Command handlers for the view's message map (ID_FILE_PRINT,
    // ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW)
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

private:
    // Steps of OnFilePrint
    BOOL SetUpPrintTarget(CPrintInfo& printInfo);
    BOOL AskPrintFileName(CPrintInfo& printInfo, CString& strOutput);
    CString GetPrintJobTitle() const;
    UINT RunPrintJob(CDC& dcPrint, CPrintInfo& printInfo, LPCTSTR lpszTitle, LPCTSTR lpszPrinter,
                     const CString& strOutput, BOOL bJob, BOOL& bCancelled);
    UINT PrintJobPage(CDC& dcPrint, CPrintInfo& printInfo, BOOL bJob);

    DECLARE_MESSAGE_MAP()

    friend class CDocument;
    friend class CFrameWnd;
};

/////////////////////////////////////////////////////////////////////////////
// CScrollView: a view that scrolls over a document of a given size.
//
// SetScrollSizes takes the size in logical units of a mapping mode and keeps
// it in device units (m_totalDev, m_pageDev, m_lineDev); OnPrepareDC sets the
// mapping mode and moves the viewport origin by the scroll position (not when
// printing). The view's own scroll bars show while the size exceeds the
// client area.

class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
protected:
    CScrollView();
public:
    virtual ~CScrollView();

    static const SIZE sizeDefault;  // (0, 0): page a tenth of the size, line a tenth of the page

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    void SetScaleToFitSize(SIZE sizeTotal);     // MM_SCALETOFIT: no scroll bars
    CPoint GetScrollPosition() const;           // logical units
    CPoint GetDeviceScrollPosition() const;     // pixels
    void ScrollToPosition(POINT pt);            // logical units
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    void FillOutsideRect(CDC* pDC, CBrush* pBrush);
    void CenterOnPoint(CPoint ptCenter);        // device units
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);

    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override;
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;

    // Implementation state (read and written by views that map themselves)
    int m_nMapMode;
    CSize m_totalLog;               // total size, logical units
    CSize m_totalDev;               // total size, pixels
    CSize m_pageDev;                // page scroll, pixels
    CSize m_lineDev;                // line scroll, pixels
    BOOL m_bCenter;                 // centre the document when it is smaller than the view
    BOOL m_bInsideUpdate;

    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);

public:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    DECLARE_MESSAGE_MAP()
};

#endif // __AFXDOC_H__
