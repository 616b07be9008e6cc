// VarnelView.cpp - the design view: construction, mapping, zoom, scrolling, status texts,
// side switch and the free helpers of the module.

#include "VarnelView.h"
#include "ChildFrm.h"
#include "RulerView.h"
#include "model/Element.h"
#include "model/VarnelDoc.h"
#include "afxbars.h"
#include "afxdlgs.h"
#include "output/PubSizeDlg.h"
#include "PropertyPages.h"
#include "PropSheet.h"
#include "resources/resource.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CVarnelView, CScrollView)

BEGIN_MESSAGE_MAP(CVarnelView, CScrollView)
    // Database commands
    ON_COMMAND(ID_FILE_DATABASE_SETTINGS, OnDatabaseSettings)
    ON_COMMAND(ID_FILE_VIEW_DATABASE_DATA, OnViewDatabaseData)
    ON_COMMAND(ID_MERGE_DBTEXTS, OnMergeDbTexts)
    // Printing
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
    // Export
    ON_COMMAND(ID_FILE_SAVE_AS_IMAGE, OnFileSaveAsImage)
    ON_COMMAND(ID_FILE_EXPORT_PDF, OnExportPdf)
    ON_COMMAND(ID_FILE_SAVE_AS_TEMPLATE, OnFileSaveAsTemplate)
    // Editing and arrangement
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_COMMAND(ID_EDIT_CLEAR_SELECTION, OnEditClear)
    ON_COMMAND(ID_EDIT_DUPLICATE, OnEditDuplicate)
    ON_COMMAND(ID_EDIT_SELECT_ALL_ELEMENTS, OnSelectAll)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
    ON_COMMAND(ID_EDIT_PROPERTIES, OnProperties)
    ON_COMMAND_RANGE(ID_ARRANGE_TO_FRONT, ID_ARRANGE_STEP_BACK, OnArrange)
    ON_COMMAND_RANGE(ID_ALIGN_LEFT, ID_ALIGN_MIDDLE, OnAlign)
    ON_COMMAND_RANGE(ID_SAME_WIDTH, ID_SAME_SIZE, OnSameSize)
    ON_COMMAND_RANGE(ID_CENTER_HORZ, ID_CENTER_BOTH, OnCenter)
    ON_COMMAND_RANGE(ID_ROTATE_CLOCKWISE, ID_ROTATE_ANTICLOCKWISE, OnRotate)
    ON_COMMAND_RANGE(ID_LOCK, ID_UNLOCK_ALL, OnLock)
    ON_COMMAND_RANGE(ID_TEXT_BOLD, ID_TEXT_UNDERLINE, OnTextStyle)
    ON_UPDATE_COMMAND_UI(ID_TEXT_BOLD, OnUpdateTextStyle)
    ON_UPDATE_COMMAND_UI(ID_TEXT_ITALIC, OnUpdateTextStyle)
    ON_UPDATE_COMMAND_UI(ID_TEXT_UNDERLINE, OnUpdateTextStyle)
    ON_COMMAND(ID_VIEW_GRID, OnViewGrid)
    ON_UPDATE_COMMAND_UI(ID_VIEW_GRID, OnUpdateViewGrid)
    // Options
    ON_COMMAND(ID_TOOLS_OPTIONS, OnOptions)
    // Zoom
    ON_COMMAND_RANGE(ID_VIEW_ZOOM_50, ID_VIEW_ZOOM_200, OnZoomPreset)
    ON_COMMAND_RANGE(ID_VIEW_ZOOM_25, ID_VIEW_ZOOM_300, OnZoomPreset)
    ON_COMMAND(ID_VIEW_ZOOM_IN, OnZoomIn)
    ON_COMMAND(ID_VIEW_ZOOM_OUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_IN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(ID_VIEW_ZOOM_OUT, OnUpdateZoomOut)
    // Painting and input
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_APPLYPROPERTIES, OnApplyProperties)
END_MESSAGE_MAP()

namespace
{
const float kMinZoom = 0.25f;
const float kMaxZoom = 3.0f;
// Margin around the page in the zoom commands' scroll sizes, document units.
const int kScrollMargin = 130;
}

// The view starts at 100 % with the stored options.
CVarnelView::CVarnelView()
    : m_bRightHit(0),
      m_nPagesToPrint(1),
      m_nRows(0),
      m_nColumns(0),
      m_nStartRow(1),
      m_nStartColumn(1),
      m_fRowGap(0.0f),
      m_fColumnGap(0.0f),
      m_fPrintLeft(0.5f),
      m_fPrintTop(0.54f),
      m_fLeftMargin(0.0f),
      m_fTopMargin(0.0f),
      m_bCropMarks(FALSE),
      m_bCornerMarks(FALSE),
      m_nSheetIndex(-1),
      m_fontStatus(new CFont),
      m_bLandscape(0),
      m_bHasDbText(0),
      m_pNewElement(NULL),
      m_ptStart(0, 0),
      m_ptCurrent(0, 0),
      m_fZoom(1.0f),
      m_fSavedZoom(1.0f),
      m_clrGrid(0xFFE6E6E6),
      m_clrShadow(0xFFC0C0C0),
      m_nShadowLength(6),
      m_nGridType(1),
      m_bShowTip(TRUE),
      m_bDisplayGrid(FALSE),
      m_bInnerBorder(FALSE),
      m_nGridSize(40),
      m_bBold(FALSE),
      m_bItalic(FALSE),
      m_bUnderline(FALSE),
      m_ptScroll(0, 0),
      m_bTwoSided(0),
      m_bMergeHintShown(FALSE),
      m_hPrintBitmap(NULL),
      m_bPrintFailed(FALSE),
      m_pTypingElement(NULL),
      m_nTypingUndoLevels(-1),
      m_bApplyingProperties(FALSE)
{
    m_fontStatus->CreateFont(10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FF_SWISS, "Arial");
    LoadOptions();
}

CVarnelView::~CVarnelView()
{
    delete m_pNewElement;
    delete m_fontStatus;
}

// A closing view takes its selection out of the Properties bar and the status bar, so
// neither shows an element of a publication that is gone.
void CVarnelView::OnDestroy()
{
    CModelessPropSheet* pSheet = CModelessPropSheet::GetPropertiesSheet();
    if (pSheet != NULL && pSheet->m_hWnd != NULL
        && (pSheet->GetTargetView() == this || pSheet->m_pTargetDoc == GetDocument()))
    {
        pSheet->SetPagesForKind(KIND_NONE);
        pSheet->SetTarget(NULL, NULL);
    }
    // the panes show the publication that stays active, or their names when none is left
    CFrameWnd* pMain = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    CFrameWnd* pFrame = pMain != NULL ? pMain->GetActiveFrame() : NULL;
    CVarnelView* pOther = pFrame != NULL && pFrame != GetParentFrame()
                          ? DYNAMIC_DOWNCAST(CVarnelView, pFrame->GetActiveView()) : NULL;
    if (pOther != NULL)
        pOther->ShowStatusPanes();
    else
        ClearStatusPanes();
    CScrollView::OnDestroy();
}

CVarnelDoc* CVarnelView::GetDocument() const
{
    return (CVarnelDoc*)m_pDocument;
}

BOOL CVarnelView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS);
    return CScrollView::PreCreateWindow(cs);
}

// Window extent = design size in document units, viewport extent = the design size in
// pixels at the zoom factor.
void CVarnelView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    m_nMapMode = MM_ANISOTROPIC;
    if (pDC->IsPrinting())
    {
        m_fZoom = 1.0f;
        m_bLandscape = 0;
        if (pInfo != NULL && pInfo->m_pPD != NULL && pInfo->m_pPD->m_pd.hDevMode != NULL)
        {
            DEVMODEA* pMode = (DEVMODEA*)::GlobalLock(pInfo->m_pPD->m_pd.hDevMode);
            if (pMode != NULL)
            {
                m_bLandscape = pMode->dmOrientation == DMORIENT_LANDSCAPE;
                ::GlobalUnlock(pInfo->m_pPD->m_pd.hDevMode);
            }
        }
    }

    CVarnelDoc* pDoc = GetDocument();
    const int nWidth = pDoc != NULL ? pDoc->m_nDesignWidth : 400;
    const int nHeight = pDoc != NULL ? pDoc->m_nDesignHeight : 200;
    float fFactorX = m_fZoom, fFactorY = m_fZoom;
    if (pInfo != NULL && pInfo->m_bPreview)
        GetPreviewFactors(pDC, fFactorX, fFactorY);
    const CSize sizeViewport((int)(nWidth * fFactorX), (int)(nHeight * fFactorY));

    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(nWidth, nHeight);
    pDC->SetViewportExt(sizeViewport.cx, sizeViewport.cy);
    m_totalDev = sizeViewport;
    CScrollView::OnPrepareDC(pDC, pInfo);
    if (pInfo != NULL && m_bPrintFailed)
        pInfo->m_bContinuePrinting = FALSE;     // a failed page ends the job
}

// Scroll sizes of the design at the zoom; the rulers follow.
void CVarnelView::OnInitialUpdate()
{
    CVarnelDoc* pDoc = GetDocument();
    CSize sizeTotal(400, 200);
    if (pDoc != NULL)
    {
        sizeTotal = CSize(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
        if (m_hWnd != NULL)
        {
            CClientDC dc(this);
            OnPrepareDC(&dc);
            dc.LPtoDP(&sizeTotal);
        }
    }
    SetScrollSizes(MM_LOENGLISH, sizeTotal, CSize(20, 20), CSize(5, 5));
    CScrollView::OnInitialUpdate();
    // the rulers show the view's own zoom from the start
    RefreshRulers();
    FollowScrollPosition();
}

void CVarnelView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CVarnelDoc* pDoc = GetDocument();
    if (lHint == HINT_FIT_ZOOM && pDoc != NULL)
        SetZoom(CVarnelDoc::GetZoomForDesign(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight));
    CScrollView::OnUpdate(pSender, lHint, pHint);
    // every change of the document ends here: the bar and the status bar follow it
    RefreshSelectionDisplay();
}

// A scroll moves the rulers at once and leaves the frame to the next paint.
BOOL CVarnelView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    if (!CScrollView::OnScrollBy(sizeScroll, bDoScroll))
        return FALSE;
    if (!bDoScroll)
        return TRUE;
    CPoint point(0, 0);
    DeviceToLogical(point);
    m_ptScroll = point;
    // the rulers show the new position with the scroll itself; the view moves its kept
    // frame and draws what comes into view at its next paint
    RefreshRulers(sizeScroll.cx != 0, sizeScroll.cy != 0, TRUE);
    Invalidate(TRUE);
    return TRUE;
}

// The scroll bars keep the position within the new range: a window grown at the far end
// of a scroll shows an earlier part of the page.
void CVarnelView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    FollowScrollPosition();
}

void CVarnelView::FollowScrollPosition()
{
    if (m_hWnd == NULL || GetDocument() == NULL)
        return;
    const CPoint ptOld = m_ptScroll;
    CPoint point(0, 0);
    DeviceToLogical(point);
    m_ptScroll = point;
    if (m_ptScroll != ptOld)
        RefreshRulers(m_ptScroll.x != ptOld.x, m_ptScroll.y != ptOld.y);
}

// Rulers

void CVarnelView::RefreshRulers(BOOL bHorizontal, BOOL bVertical, BOOL bNow)
{
    if (bHorizontal)
    {
        if (CRulerView* pRuler = DYNAMIC_DOWNCAST(CRulerView, GetSiblingPane(this, 0, 2)))
        {
            pRuler->Refresh(1, m_fZoom);
            if (bNow && pRuler->m_hWnd != NULL)
                pRuler->UpdateWindow();
        }
    }
    if (bVertical)
    {
        if (CRulerView* pRuler = DYNAMIC_DOWNCAST(CRulerView, GetSiblingPane(this, 1, 1)))
        {
            pRuler->Refresh(0, m_fZoom);
            if (bNow && pRuler->m_hWnd != NULL)
                pRuler->UpdateWindow();
        }
    }
}

void CVarnelView::ShowRulerPosition(CPoint point, BOOL bForget)
{
    if (CRulerView* pRuler = DYNAMIC_DOWNCAST(CRulerView, GetSiblingPane(this, 0, 2)))
        pRuler->ShowPosition(point.x, point.y, 1, bForget);
    if (CRulerView* pRuler = DYNAMIC_DOWNCAST(CRulerView, GetSiblingPane(this, 1, 1)))
        pRuler->ShowPosition(point.x, point.y, 0, bForget);
}

// Conversions

void CVarnelView::DeviceToLogical(CPoint& point)
{
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.DPtoLP(&point);
}

void CVarnelView::DeviceToLogicalRect(CRect& rect)
{
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.DPtoLP(&rect);
}

void CVarnelView::LogicalToDevice(CPoint& point)
{
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.LPtoDP(&point);
}

void CVarnelView::LogicalToDeviceRect(CRect& rect)
{
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.LPtoDP(&rect);
    rect.NormalizeRect();
}

void CVarnelView::InvalidateElement(CElement* pElement)
{
    if (pElement == NULL || m_hWnd == NULL)
        return;
    CRect rect = pElement->GetRect();
    LogicalToDeviceRect(rect);
    rect.left -= 4;
    rect.top -= 5;
    rect.right += 5;
    rect.bottom += 4;
    rect.InflateRect(7, 7);
    InvalidateRect(&rect, FALSE);
}

// Status texts

BOOL CVarnelView::IsActiveDesignView()
{
    CFrameWnd* pMain = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    CFrameWnd* pFrame = pMain != NULL ? pMain->GetActiveFrame() : NULL;
    return pFrame != NULL && pFrame->GetActiveView() == this;
}

// Only the active publication's view writes the panes.
void CVarnelView::SetStatusText(int nPane, const CString& strText)
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || pMain->m_hWnd == NULL || !IsActiveDesignView())
        return;
    WriteStatusPane(nPane, strText);
}

void CVarnelView::WriteStatusPane(int nPane, const CString& strText)
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || pMain->m_hWnd == NULL)
        return;
    CStatusBar* pBar = DYNAMIC_DOWNCAST(CStatusBar, pMain->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE));
    if (pBar != NULL && nPane < pBar->GetCount())
        pBar->SetPaneText(nPane, strText);
}

void CVarnelView::ShowZoomInStatusBar(float fZoom)
{
    CString strText;
    strText.Format("Zoom:%d%%", (int)(fZoom * 100.0f + 0.0001f));
    SetStatusText(3, strText);
}

// Zoom

void CVarnelView::SetZoomScrollSizes()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL || pDoc->m_nDesignWidth <= 0 || pDoc->m_nDesignHeight <= 0)
        return;
    const float fW = (float)pDoc->m_nDesignWidth;
    const float fH = (float)pDoc->m_nDesignHeight;
    const float fRatio = fW / fH;
    CSize sizeTotal;
    if (fRatio > 1.0f)
    {
        sizeTotal.cx = (int)(m_fZoom * (fW + kScrollMargin * fRatio));
        sizeTotal.cy = (int)(m_fZoom * (fH + kScrollMargin));
    }
    else
    {
        sizeTotal.cx = (int)(m_fZoom * (fW + kScrollMargin));
        sizeTotal.cy = (int)(m_fZoom * (fH + kScrollMargin / fRatio));
    }
    // the bars are set, hidden and shown again without being drawn at every step: they are
    // drawn once, with the view (each immediate drawing cost a millisecond or more)
    const bool bHoldDrawing = m_hWnd != NULL && IsWindowVisible();
    if (bHoldDrawing)
        SetRedraw(FALSE);
    SetScrollSizes(MM_LOENGLISH, sizeTotal);
    if (m_hWnd != NULL)
        ShowScrollBar(SB_BOTH, TRUE);
    if (bHoldDrawing)
        SetRedraw(TRUE);
    if (m_hWnd != NULL)
    {
        Invalidate(TRUE);
        RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE);
    }
    // the zoom and the new range move what the window's corner shows
    FollowScrollPosition();
}

void CVarnelView::AfterZoomChange()
{
    ShowZoomInStatusBar(m_fZoom);
    if (m_hWnd != NULL)
        Invalidate(TRUE);
    RefreshRulers();
    // the scroll ranges follow every zoom so the whole page stays reachable
    SetZoomScrollSizes();
}

// The zoom of a preset command.
void CVarnelView::OnZoomPreset(UINT nID)
{
    switch (nID)
    {
    case ID_VIEW_ZOOM_25: m_fZoom = 0.25f; break;
    case ID_VIEW_ZOOM_50: m_fZoom = 0.5f; break;
    case ID_VIEW_ZOOM_75: m_fZoom = 0.75f; break;
    case ID_VIEW_ZOOM_100: m_fZoom = 1.0f; break;
    case ID_VIEW_ZOOM_150: m_fZoom = 1.5f; break;
    case ID_VIEW_ZOOM_200: m_fZoom = 2.0f; break;
    case ID_VIEW_ZOOM_300: m_fZoom = 3.0f; break;
    default: return;
    }
    AfterZoomChange();
}

namespace
{
struct ZoomStep
{
    int nPercent;
    float fIn;
    float fOut;
};
const ZoomStep g_aZoomLadder[] = {
    {25, 0.5f, 0.25f}, {50, 0.75f, 0.25f}, {75, 1.0f, 0.5f}, {100, 1.5f, 0.75f},
    {150, 2.0f, 1.0f}, {200, 3.0f, 1.5f}, {300, 3.0f, 2.0f},
};

const ZoomStep* FindZoomStep(float fZoom)
{
    const int nPercent = (int)(fZoom * 100.0f + 0.0001f);
    for (const ZoomStep& step : g_aZoomLadder)
    {
        if (step.nPercent == nPercent)
            return &step;
    }
    return NULL;
}
} // namespace

float CVarnelView::GetZoomStep(BOOL bIn) const
{
    float fZoom = m_fZoom;
    if (const ZoomStep* pStep = FindZoomStep(m_fZoom))
        fZoom = bIn ? pStep->fIn : pStep->fOut;
    return bIn ? std::min(fZoom, kMaxZoom) : std::max(fZoom, kMinZoom);
}

void CVarnelView::OnZoomIn()
{
    m_fZoom = GetZoomStep(TRUE);
    AfterZoomChange();
}

void CVarnelView::OnZoomOut()
{
    m_fZoom = GetZoomStep(FALSE);
    AfterZoomChange();
}

void CVarnelView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_fZoom < kMaxZoom);
}

void CVarnelView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_fZoom > kMinZoom);
}

// Sides

void CVarnelView::SwitchSide(int nSide)
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL || pDoc->m_nPublicationType == 0 || pDoc->m_nPublicationType == 2)
        return;
    if (nSide == pDoc->m_nSide || (nSide != 1 && nSide != 2))
        return;
    pDoc->m_tracker.RemoveAll();
    pDoc->m_listSelection.RemoveAll();
    pDoc->m_nSide = nSide;
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}

// Every element is scaled by new size / old size on each axis (curves with their points);
// one undo level, and the document is marked modified.
void CVarnelView::ChangePublicationSize()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL || pDoc->m_nDesignWidth <= 0 || pDoc->m_nDesignHeight <= 0)
        return;
    CPubSizeDlg dlg(this);
    dlg.m_nOldWidth = pDoc->m_nDesignWidth;
    dlg.m_nOldHeight = pDoc->m_nDesignHeight;
    if (dlg.DoModal() != IDOK || dlg.m_nNewWidth <= 0 || dlg.m_nNewHeight <= 0)
        return;
    if (dlg.m_nNewWidth == pDoc->m_nDesignWidth && dlg.m_nNewHeight == pDoc->m_nDesignHeight)
        return;

    pDoc->PushUndo();
    pDoc->ScaleElements(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight, dlg.m_nNewWidth, dlg.m_nNewHeight);
    pDoc->m_nDesignWidth = dlg.m_nNewWidth;
    pDoc->m_nDesignHeight = dlg.m_nNewHeight;
    pDoc->SetModifiedFlag();
    SetZoomScrollSizes();
    if (m_hWnd != NULL)
        Invalidate(TRUE);
    RefreshRulers();
}

// Free helpers

WCHAR* AllocWideString(const CString& str)
{
    const int nLength = str.GetLength();
    WCHAR* pszWide = new WCHAR[nLength + 1];
    const int nWritten = nLength > 0
        ? ::MultiByteToWideChar(CP_ACP, 0, str, nLength, pszWide, nLength)
        : 0;
    pszWide[nWritten > 0 ? nWritten : 0] = L'\0';
    return pszWide;
}

CString IntToString(int nValue)
{
    CString str;
    str.Format("%d", nValue);
    return str;
}

CString SplitAtToken(CString& str, const CString& strToken, BOOL& bFound)
{
    bFound = FALSE;
    if (strToken.IsEmpty() || str.IsEmpty())
        return CString();
    const int nAt = str.Find(strToken);
    if (nAt < 0)
        return CString();
    const CString strBefore = str.Left(nAt);
    str = str.Mid(nAt + strToken.GetLength());
    bFound = TRUE;
    return strBefore;
}

CString GetFolderOfPath(const CString& strPath)
{
    const int nAt = strPath.ReverseFind('\\');
    if (nAt <= 0)
        return CString();
    return strPath.Left(nAt);
}
