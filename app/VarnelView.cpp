// VarnelView.cpp - the design view: construction, mapping and drawing of the page.

#include "VarnelView.h"
#include "model/Element.h"
#include "model/VarnelDoc.h"
#include "resources/resource.h"   // Database commands

IMPLEMENT_DYNCREATE(CVarnelView, CScrollView)

BEGIN_MESSAGE_MAP(CVarnelView, CScrollView)
    // Database commands
    ON_COMMAND(ID_FILE_DATABASE_SETTINGS, OnDatabaseSettings)
    ON_COMMAND(ID_FILE_VIEW_DATABASE_DATA, OnViewDatabaseData)
    ON_COMMAND(ID_MERGE_DBTEXTS, OnMergeDbTexts)
END_MESSAGE_MAP()

namespace
{
// Pixels per document unit in print preview.
const float kPreviewFactor = 5.5f;
}

CVarnelView::CVarnelView()
    : m_fZoom(1.0f),
      m_fSavedZoom(1.0f),
      m_bMergeHintShown(FALSE)
{
}

CVarnelView::~CVarnelView()
{
}

CVarnelDoc* CVarnelView::GetDocument() const
{
    return (CVarnelDoc*)m_pDocument;
}

// Window extent = design size in document units, viewport extent = the design size in
// pixels at the zoom factor.
void CVarnelView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    m_nMapMode = MM_ANISOTROPIC;
    if (pDC->IsPrinting())
        m_fZoom = 1.0f;

    CVarnelDoc* pDoc = GetDocument();
    const int nWidth = pDoc != NULL ? pDoc->m_nDesignWidth : 400;
    const int nHeight = pDoc != NULL ? pDoc->m_nDesignHeight : 200;
    const float fFactor = (pInfo != NULL && pInfo->m_bPreview) ? kPreviewFactor : m_fZoom;
    const CSize sizeViewport((int)(nWidth * fFactor), (int)(nHeight * fFactor));

    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(nWidth, nHeight);
    pDC->SetViewportExt(sizeViewport.cx, sizeViewport.cy);
    m_totalDev = sizeViewport;
    CScrollView::OnPrepareDC(pDC, pInfo);
}

void CVarnelView::OnInitialUpdate()
{
    CVarnelDoc* pDoc = GetDocument();
    CSize sizeTotal(400, 200);
    if (pDoc != NULL && m_hWnd != NULL)
    {
        CClientDC dc(this);
        OnPrepareDC(&dc);
        sizeTotal = CSize(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
        dc.LPtoDP(&sizeTotal);
    }
    SetScrollSizes(MM_LOENGLISH, sizeTotal, CSize(20, 20), CSize(5, 5));
    CScrollView::OnInitialUpdate();
}

void CVarnelView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CVarnelDoc* pDoc = GetDocument();
    if (lHint == HINT_FIT_ZOOM && pDoc != NULL)
        SetZoom(CVarnelDoc::GetZoomForDesign(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight));
    CScrollView::OnUpdate(pSender, lHint, pHint);
}

// The page of the shown side and its elements.
void CVarnelView::OnDraw(CDC* pDC)
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    try
    {
        const CRect rcPage(0, 0, pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
        const DWORD clrPage = pDoc->m_nSide == 2 ? pDoc->m_clrBackgroundBack : pDoc->m_clrBackgroundFront;
        pDC->FillSolidRect(&rcPage, ArgbToColorRef(clrPage));
        for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
        {
            CElement* pElement = pDoc->m_listElements.GetNext(pos);
            if (pElement->m_nSide == pDoc->m_nSide)
                pElement->DrawDC(pDC);
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}
