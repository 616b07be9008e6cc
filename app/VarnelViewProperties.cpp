// VarnelViewProperties.cpp - the design view's side of the element property sheet:
// loading the sheet for the selection and applying its pages to the element.

#include "VarnelView.h"
#include "PropSheet.h"
#include "model/Element.h"
#include "model/ElementStream.h"
#include "model/VarnelDoc.h"
#include "resources/resource.h"
#include <string>

namespace
{

// The element's stored bytes and lock flag, to tell whether applying changed anything.
std::string ElementState(CElement* pElement)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CElementList list;
        list.AddTail(pElement);
        SerializeClipboardElements(ar, list);
        ar.Close();
    }
    const ULONGLONG nLength = file.GetLength();
    BYTE* pBytes = file.Detach();
    std::string state((const char*)pBytes, (size_t)nLength);
    free(pBytes);
    state += pElement->m_bLocked ? 'L' : 'U';
    return state;
}
}

namespace
{
// "Size:w x h" of the single selected element, else the pane's name.
CString SelectionSizeText(CVarnelDoc* pDoc)
{
    CString strSize;
    if (pDoc->m_tracker.m_arrSelected.GetSize() == 1)
    {
        const CRect rect = pDoc->m_tracker.m_arrSelected[0]->GetRect();
        strSize = "Size:" + IntToString(rect.Width()) + " x " + IntToString(rect.Height());
    }
    else
    {
        strSize.LoadString(ID_INDICATOR_SIZE);
    }
    return strSize;
}

// Element to the sheet's pages of its kind; the sheet applies to nothing while the pages
// take the values (their change notifications must not write half-loaded pages back).
void LoadElementValues(CModelessPropSheet* pSheet, CElement* pElement, CVarnelDoc* pDoc)
{
    pSheet->SetTarget(NULL, pDoc);
    switch (pElement->m_nKind)
    {
    case KIND_LINE:
        pSheet->LoadLineElement(pElement);
        break;
    case KIND_TEXT:
        pSheet->LoadTextElement(pElement);
        break;
    case KIND_DBTEXT:
        pSheet->LoadDbTextElement(pElement, pDoc);
        break;
    default:
        pSheet->LoadShapeElement(pElement);
        break;
    }
}
}

// Shows an element (or none) in the property sheet, showing the bar on request; the sheet keeps its pages
// while it shows the same element, and the view keeps the focus.
void CVarnelView::ShowElementProperties(CElement* pElement, BOOL bShowBar)
{
    CModelessPropSheet* pSheet = CModelessPropSheet::GetPropertiesSheet();
    if (pSheet == NULL)
        return;
    // the element the sheet shows keeps the page in front
    const short nKind = pElement != NULL ? pElement->m_nKind : KIND_NONE;
    if (pElement == NULL || pSheet->m_pTarget != pElement || pSheet->m_pTargetDoc != GetDocument()
        || pSheet->GetPagesKind() != nKind)
        pSheet->SetPagesForKind(nKind);
    if (bShowBar)
    {
        CWnd* pHost = pSheet->GetParent();
        if (pHost != NULL && !pHost->IsWindowVisible())
        {
            CFrameWnd* pFrame = pHost->GetParentFrame();
            CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, pHost);
            if (pFrame != NULL && pBar != NULL)
                pFrame->ShowControlBar(pBar, TRUE, FALSE);
            else
                pHost->ShowWindow(SW_SHOW);
        }
    }
    if (pElement != NULL)
        LoadElementValues(pSheet, pElement, GetDocument());
    m_pTypingElement = NULL;
    if (m_hWnd != NULL)
        SetFocus();
}

// The element the sheet shows keeps its pages (and the page in front) and takes its
// current values; another single selection is loaded, no selection blanks the sheet.
// Only for the publication the sheet shows, or the active one.
void CVarnelView::RefreshSelectionDisplay(BOOL bActive)
{
    CVarnelDoc* pDoc = GetDocument();
    CModelessPropSheet* pSheet = CModelessPropSheet::GetPropertiesSheet();
    if (pDoc == NULL || m_hWnd == NULL)
        return;
    if (!bActive && pSheet != NULL)
        bActive = pSheet->GetTargetView() == this;
    if (!bActive)
    {
        CFrameWnd* pMain = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
        CFrameWnd* pFrame = pMain != NULL ? pMain->GetActiveFrame() : NULL;
        bActive = pFrame != NULL && pFrame->GetActiveView() == this;
    }

    if (bActive)
        SetStatusText(2, SelectionSizeText(pDoc));

    if (pSheet == NULL || m_bApplyingProperties || (pSheet->m_pTargetDoc != pDoc && !bActive))
        return;
    CElementList& list = pDoc->m_listSelection;
    CElement* pTarget = pSheet->m_pTarget;
    // the target is compared, never followed, unless the selection still holds it
    if (pTarget != NULL && pSheet->m_pTargetDoc == pDoc && list.Find(pTarget) != NULL)
    {
        LoadElementValues(pSheet, pTarget, pDoc);
        m_pTypingElement = NULL;
        return;
    }
    CElement* pSingle = list.GetCount() == 1 ? list.GetHead() : NULL;
    if (pSingle != NULL)
    {
        pSheet->SetPagesForKind(pSingle->m_nKind);
        LoadElementValues(pSheet, pSingle, pDoc);
        m_pTypingElement = NULL;
    }
    else if (pSheet->m_pTargetDoc == pDoc)
    {
        pSheet->SetPagesForKind(KIND_NONE);
        m_pTypingElement = NULL;
    }
}

// Applies only to the element the sheet was loaded from, and only when that element is
// still this document's single selection; an undo level is taken only when a value
// changed, and one level covers a run of typing in the Text page.
LRESULT CVarnelView::OnApplyProperties(WPARAM, LPARAM)
{
    CVarnelDoc* pDoc = GetDocument();
    CModelessPropSheet* pSheet = CModelessPropSheet::GetPropertiesSheet();
    if (pDoc == NULL || pSheet == NULL || pDoc->m_listSelection.IsEmpty())
        return 0;
    CElement* pElement = pDoc->m_listSelection.GetHead();
    if (pSheet->m_pTarget != pElement || pSheet->m_pTargetDoc != pDoc)
        return 0;
    const BOOL bTyping = pSheet->m_bTyping;
    try
    {
        CElement* pTrial = pElement->Clone();
        pTrial->m_bLocked = pElement->m_bLocked;
        const std::string before = ElementState(pElement);
        pSheet->ApplyTo(pTrial);
        const BOOL bChanged = ElementState(pTrial) != before;
        delete pTrial;
        if (!bChanged)
            return 0;

        const BOOL bContinuesTyping = bTyping && m_pTypingElement == pElement
                                      && pDoc->GetUndoLevels() == m_nTypingUndoLevels;
        if (!bContinuesTyping)
            pDoc->PushUndo();
        InvalidateElement(pElement);
        pSheet->ApplyTo(pElement);
        InvalidateElement(pElement);
        m_pTypingElement = bTyping ? pElement : NULL;
        m_nTypingUndoLevels = pDoc->GetUndoLevels();
        pDoc->SetModifiedFlag();
        // the pages hold what was just written: the update leaves them as they are
        m_bApplyingProperties = TRUE;
        pDoc->UpdateAllViews(NULL);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    m_bApplyingProperties = FALSE;
    return 0;
}

// The sheet follows the active document: activating a view reloads it with that view's
// selection (or blanks it).
void CVarnelView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (!bActivate || pActivateView != this)
        return;
    CVarnelDoc* pDoc = GetDocument();
    CModelessPropSheet* pSheet = CModelessPropSheet::GetPropertiesSheet();
    if (pDoc == NULL)
        return;
    if (pSheet != NULL && pSheet->m_pTargetDoc != pDoc)
        ShowElementProperties(pDoc->m_listSelection.GetCount() == 1 ? pDoc->m_listSelection.GetHead() : NULL, FALSE);
    // the status bar shows this publication's selection and zoom, not the last one's
    RefreshSelectionDisplay(TRUE);
    ShowStatusPanes();
}

void CVarnelView::ShowStatusPanes()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    CString strPosition;
    strPosition.LoadString(ID_INDICATOR_POSITION);
    SetStatusText(1, strPosition);
    SetStatusText(2, SelectionSizeText(pDoc));
    ShowZoomInStatusBar(m_fZoom);
}

void CVarnelView::ClearStatusPanes()
{
    static const UINT aNames[] = {ID_INDICATOR_POSITION, ID_INDICATOR_SIZE, ID_INDICATOR_ZOOM};
    for (int i = 0; i < 3; i++)
    {
        CString strName;
        strName.LoadString(aNames[i]);
        WriteStatusPane(i + 1, strName);
    }
}
