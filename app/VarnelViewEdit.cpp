// VarnelViewEdit.cpp - editing and arrangement commands of the design view: clipboard,
// delete, duplicate, select all, undo and redo, z-order, alignment, same size, centring,
// rotation, lock, text styles and the grid switch.
//
// Every command that changes elements takes one undo level first and marks the document
// modified; a command that would change nothing takes no level.

#include "VarnelView.h"
#include "VarnelApp.h"
#include "model/Elements.h"
#include "model/ElementStream.h"
#include "model/VarnelDoc.h"
#include "data/UnexpectedError.h"
#include "resources/resource.h"
#include "afxole.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <memory>

namespace
{
// Limits of pasted data: the element stream's size and element count, and text length.
const SIZE_T kMaxPastedBytes = 256 * 1024 * 1024;
const int kMaxPastedElements = 100000;
const int kMaxTextLength = 255;
// Pasted copies move by this much (modulo the design size).
const int kPasteOffset = 10;

BOOL IsClass(CElement* pElement, LPCSTR pszClassName)
{
    return strcmp(pElement->GetRuntimeClass()->m_lpszClassName, pszClassName) == 0;
}

// x modulo n, never negative.
int WrapCoordinate(int x, int n)
{
    if (n <= 0)
        return x;
    const int r = x % n;
    return r < 0 ? r + n : r;
}

// Moves the element so that its rectangle starts at (left, top), keeping its size.
void MoveElementTo(CElement* pElement, int left, int top)
{
    const CRect rect = pElement->GetRect();
    pElement->SetRect(left, top, left + rect.Width(), top + rect.Height());
}

// The element stream on the clipboard as elements; FALSE (list empty) when the data is
// too large, holds more than kMaxPastedElements or is anything but an element list.
BOOL ReadPastedElements(COleDataObject& dataObject, CDocument* pDoc, CElementList& list)
{
    HGLOBAL hData = dataObject.GetGlobalData((CLIPFORMAT)g_cfElementList);
    if (hData == NULL)
        return FALSE;
    BOOL bRead = FALSE;
    const SIZE_T nSize = ::GlobalSize(hData);
    if (nSize > 0 && nSize <= kMaxPastedBytes)
    {
        try
        {
            CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
            file.SetHandle(hData, FALSE);
            CArchive ar(&file, CArchive::load, 4096);
            ar.m_pDocument = pDoc;
            SerializeClipboardElements(ar, list);
            ar.Close();
            file.Detach();
            bRead = list.GetCount() <= kMaxPastedElements;
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    if (!bRead)
        DeleteElements(list);
    ::GlobalFree(hData);
    return bRead;
}

// The text of a CF_TEXT block: up to its first NUL, never past the block's end.
CString ReadPastedText(COleDataObject& dataObject)
{
    CString strText;
    HGLOBAL hData = dataObject.GetGlobalData(CF_TEXT);
    if (hData == NULL)
        return strText;
    const SIZE_T nSize = ::GlobalSize(hData);
    const char* pData = (const char*)::GlobalLock(hData);
    if (pData != NULL)
    {
        const void* pNul = memchr(pData, 0, nSize);
        const SIZE_T nLength = pNul != NULL ? (SIZE_T)((const char*)pNul - pData) : nSize;
        // only the first characters are kept; a longer text is only measured
        const int nCopy = nLength > (SIZE_T)(kMaxTextLength + 1) ? kMaxTextLength + 1 : (int)nLength;
        strText = CString(pData, nCopy);
        ::GlobalUnlock(hData);
    }
    ::GlobalFree(hData);
    return strText;
}

// A 32-bit copy of the clipboard's bitmap; NULL when there is none or it is too large.
Gdiplus::Bitmap* ReadClipboardBitmap()
{
    HBITMAP hBitmap = (HBITMAP)::GetClipboardData(CF_BITMAP);
    if (hBitmap == NULL)
        return NULL;
    HPALETTE hPalette = ::IsClipboardFormatAvailable(CF_PALETTE) ? (HPALETTE)::GetClipboardData(CF_PALETTE) : NULL;
    BITMAP bm;
    if (::GetObjectA(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0 ||
        bm.bmWidth > MAX_PICTURE_DIMENSION || bm.bmHeight > MAX_PICTURE_DIMENSION ||
        (LONGLONG)bm.bmWidth * bm.bmHeight > MAX_PICTURE_PIXELS)
        return NULL;
    std::unique_ptr<Gdiplus::Bitmap> pSource(Gdiplus::Bitmap::FromHBITMAP(hBitmap, hPalette));
    if (!pSource || pSource->GetLastStatus() != Gdiplus::Ok)
        return NULL;
    Gdiplus::Bitmap* pCopy = pSource->Clone(Gdiplus::Rect(0, 0, bm.bmWidth, bm.bmHeight), PixelFormat32bppARGB);
    if (pCopy != NULL && pCopy->GetLastStatus() != Gdiplus::Ok)
    {
        delete pCopy;
        pCopy = NULL;
    }
    return pCopy;
}
}

/////////////////////////////////////////////////////////////////////////////
// Selection helpers

void CVarnelView::ClearSelectionAndTracker()
{
    CVarnelDoc* pDoc = GetDocument();
    pDoc->m_listSelection.RemoveAll();
    pDoc->m_tracker.RemoveAll();
}

void CVarnelView::ReloadSingleSelection(BOOL bShowBar)
{
    CVarnelDoc* pDoc = GetDocument();
    ShowElementProperties(pDoc->m_listSelection.GetCount() == 1 ? pDoc->m_listSelection.GetHead() : NULL, bShowBar);
}

BOOL CVarnelView::HasTextInSelection()
{
    CVarnelDoc* pDoc = GetDocument();
    for (POSITION pos = pDoc->m_listSelection.GetHeadPosition(); pos != NULL;)
    {
        if (IsClass(pDoc->m_listSelection.GetNext(pos), "CText"))
            return TRUE;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Clipboard

BOOL CVarnelView::CopySelectionToClipboard()
{
    CVarnelDoc* pDoc = GetDocument();
    try
    {
        CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
        CArchive ar(&file, CArchive::store, 4096);
        ar.m_pDocument = pDoc;
        SerializeClipboardElements(ar, pDoc->m_listSelection);
        ar.Close();
        HGLOBAL hData = file.Detach();
        if (hData != NULL)
        {
            COleDataSource* pSource = new COleDataSource;
            pSource->CacheGlobalData((CLIPFORMAT)g_cfElementList, hData);
            pSource->SetClipboard();
            // the clipboard owns the source now, or it is gone
            if (COleDataSource::GetClipboardOwner() == pSource)
                return TRUE;
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    ShowUnexpectedError();
    return FALSE;
}

void CVarnelView::OnEditCopy()
{
    CopySelectionToClipboard();
}

// Nothing is deleted unless the copy reached the clipboard.
void CVarnelView::OnEditCut()
{
    if (CopySelectionToClipboard())
        OnEditClear();
}

// Pastes every format the clipboard offers: elements, then text, then a bitmap; a failure is shown once.
void CVarnelView::OnEditPaste()
{
    COleDataObject dataObject;
    try
    {
        if (!dataObject.AttachClipboard())
            return;
        if (dataObject.IsDataAvailable((CLIPFORMAT)g_cfElementList))
            PasteElements(dataObject);
        if (dataObject.IsDataAvailable(CF_TEXT))
            PasteText(dataObject);
        if (dataObject.IsDataAvailable(CF_BITMAP))
            PasteBitmap();
    }
    catch (CException* e)
    {
        e->Delete();
        ShowUnexpectedError();
    }
    catch (...)
    {
        ShowUnexpectedError();
    }
}

// Adds the copied elements to the current side, kPasteOffset further on, as the new selection.
void CVarnelView::PasteElements(COleDataObject& dataObject)
{
    CVarnelDoc* pDoc = GetDocument();
    CElementList listPasted;
    if (!ReadPastedElements(dataObject, pDoc, listPasted) || listPasted.IsEmpty())
        return;
    try
    {
        pDoc->PushUndo();
    }
    catch (...)
    {
        DeleteElements(listPasted);
        throw;
    }
    ClearSelectionAndTracker();
    while (!listPasted.IsEmpty())
    {
        CElement* pElement = listPasted.RemoveHead();
        const CRect rect = pElement->GetRect();
        MoveElementTo(pElement, WrapCoordinate(rect.left + kPasteOffset, pDoc->m_nDesignWidth),
                      WrapCoordinate(rect.top + kPasteOffset, pDoc->m_nDesignHeight));
        pElement->m_nShadowLength = pDoc->m_nShadowLength;
        pElement->m_clrShadow = pDoc->m_clrShadow;
        pElement->m_nSide = pDoc->m_nSide;
        pDoc->AssignElementKind(pElement);
        pDoc->m_listElements.AddTail(pElement);
        pDoc->m_listSelection.AddHead(pElement);
        pDoc->m_tracker.Add(pElement);
    }
    ReloadSingleSelection(FALSE);
    pDoc->SetModifiedFlag();
    pDoc->UpdateAllViews(NULL);
}

// Adds the clipboard's text as a new text element, cut to kMaxTextLength with a warning.
void CVarnelView::PasteText(COleDataObject& dataObject)
{
    CVarnelDoc* pDoc = GetDocument();
    CString strText = ReadPastedText(dataObject);
    if (strText.IsEmpty())
        return;
    if (strText.GetLength() > kMaxTextLength)
    {
        AfxMessageBox(IDS_TEXT_TOO_LONG, MB_ICONEXCLAMATION);
        strText = strText.Left(kMaxTextLength);
    }
    const int n = strText.GetLength();
    const int nWidth = std::max(90, std::min(5 * n + 10, pDoc->m_nDesignWidth - 10));
    const int nHeight = std::max(60, std::min(5 * n + 10, pDoc->m_nDesignHeight - 10));
    std::unique_ptr<CText> pText(new CText(CPoint(10, 10), CPoint(nWidth, nHeight)));
    pText->m_strText = strText;
    pText->m_nSide = pDoc->m_nSide;
    pText->m_nShadowLength = pDoc->m_nShadowLength;
    pText->m_clrShadow = pDoc->m_clrShadow;
    pDoc->AssignElementKind(pText.get());
    pDoc->PushUndo();
    pDoc->m_listElements.AddTail(pText.release());
    pDoc->SetModifiedFlag();
    pDoc->UpdateAllViews(NULL);
}

// Adds the clipboard's bitmap as a picture element and goes back to the pointer tool.
void CVarnelView::PasteBitmap()
{
    CVarnelDoc* pDoc = GetDocument();
    if (!::OpenClipboard(m_hWnd))
        return;
    std::unique_ptr<CBtImage> pImage;
    try
    {
        Gdiplus::Bitmap* pBitmap = ReadClipboardBitmap();
        if (pBitmap != NULL)
        {
            CPicturePtr pPicture(pBitmap);
            pImage.reset(new CBtImage(CPoint(10, 10), CPoint(10, 10), pPicture, pDoc->m_nDesignWidth,
                                      pDoc->m_nDesignHeight));
        }
    }
    catch (...)
    {
        ::CloseClipboard();
        throw;
    }
    ::CloseClipboard();
    if (!pImage)
        return;
    pImage->m_nSide = pDoc->m_nSide;
    pImage->m_nShadowLength = pDoc->m_nShadowLength;
    pImage->m_clrShadow = pDoc->m_clrShadow;
    pDoc->PushUndo();
    pDoc->m_listElements.AddTail(pImage.release());
    pDoc->m_listSelection.RemoveAll();
    pDoc->m_tracker.RemoveAll();
    pDoc->m_nCurrentTool = KIND_POINTER;
    pDoc->UpdateAllViews(NULL);
    pDoc->SetModifiedFlag();
}

void CVarnelView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::IsClipboardFormatAvailable(g_cfElementList) || ::IsClipboardFormatAvailable(CF_TEXT) ||
                   ::IsClipboardFormatAvailable(CF_BITMAP));
}

/////////////////////////////////////////////////////////////////////////////
// Delete, duplicate, select all, undo, redo, properties

// Locked elements stay; they leave the selection with the others.
void CVarnelView::OnEditClear()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc->m_listSelection.IsEmpty())
        return;
    try
    {
        BOOL bAnyUnlocked = FALSE;
        for (POSITION pos = pDoc->m_listSelection.GetHeadPosition(); pos != NULL && !bAnyUnlocked;)
            bAnyUnlocked = !pDoc->m_listSelection.GetNext(pos)->m_bLocked;
        if (bAnyUnlocked)
        {
            pDoc->PushUndo();
            for (POSITION pos = pDoc->m_listSelection.GetHeadPosition(); pos != NULL;)
            {
                CElement* pElement = pDoc->m_listSelection.GetNext(pos);
                if (pElement->m_bLocked)
                    continue;
                if (POSITION posElement = pDoc->m_listElements.Find(pElement))
                {
                    pDoc->m_listElements.RemoveAt(posElement);
                    delete pElement;
                }
            }
        }
        ClearSelectionAndTracker();
        ShowElementProperties(NULL, FALSE);
        pDoc->UpdateAllViews(NULL);
        if (bAnyUnlocked)
            pDoc->SetModifiedFlag();
    }
    catch (CException* e)
    {
        e->Delete();
        ShowUnexpectedError();
    }
    catch (...)
    {
        ShowUnexpectedError();
    }
}

void CVarnelView::OnEditDuplicate()
{
    if (CopySelectionToClipboard())
        OnEditPaste();
}

void CVarnelView::OnSelectAll()
{
    CVarnelDoc* pDoc = GetDocument();
    ClearSelectionAndTracker();
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        if (IsClass(pElement, "CBkgImage") || pElement->m_nSide != pDoc->m_nSide)
            continue;
        pDoc->m_listSelection.AddHead(pElement);
        pDoc->m_tracker.Add(pElement);
    }
    pDoc->UpdateAllViews(NULL);
}

void CVarnelView::OnEditUndo()
{
    CVarnelDoc* pDoc = GetDocument();
    if (!pDoc->CanUndo())
        return;
    ClearSelectionAndTracker();
    const CSize sizeBefore(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
    pDoc->Undo();
    AfterUndoOrRedo(sizeBefore);
}

void CVarnelView::OnEditRedo()
{
    CVarnelDoc* pDoc = GetDocument();
    if (!pDoc->CanRedo())
        return;
    ClearSelectionAndTracker();
    const CSize sizeBefore(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight);
    pDoc->Redo();
    AfterUndoOrRedo(sizeBefore);
}

// A level that brought back another design size gives the view and rulers that size.
void CVarnelView::AfterUndoOrRedo(CSize sizeBefore)
{
    CVarnelDoc* pDoc = GetDocument();
    ShowElementProperties(NULL, FALSE);
    if (sizeBefore != CSize(pDoc->m_nDesignWidth, pDoc->m_nDesignHeight))
    {
        SetZoomScrollSizes();
        RefreshRulers();
    }
    pDoc->UpdateAllViews(NULL);
    pDoc->SetModifiedFlag();
}

void CVarnelView::OnProperties()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc->m_listSelection.GetCount() == 1)
        ShowElementProperties(pDoc->m_listSelection.GetHead(), TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Z-order

// Background pictures go back to the head of the list, under everything.
void CVarnelView::KeepBackgroundsLowest()
{
    CVarnelDoc* pDoc = GetDocument();
    CElementList listBackgrounds;
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        const POSITION posElement = pos;
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        if (IsClass(pElement, "CBkgImage"))
        {
            pDoc->m_listElements.RemoveAt(posElement);
            listBackgrounds.AddTail(pElement);
        }
    }
    while (!listBackgrounds.IsEmpty())
        pDoc->m_listElements.AddHead(listBackgrounds.RemoveTail());
}

// Moves the latest selected element to the front, the back or one step; background pictures stay lowest.
void CVarnelView::OnArrange(UINT nID)
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc->m_listSelection.IsEmpty())
        return;
    try
    {
        CElement* pElement = pDoc->m_listSelection.GetHead();
        const POSITION posElement = pDoc->m_listElements.Find(pElement);
        if (posElement == NULL)
            return;
        POSITION posNeighbour = posElement;
        switch (nID)
        {
        case ID_ARRANGE_TO_FRONT:
            pDoc->PushUndo();
            pDoc->m_listElements.RemoveAt(posElement);
            pDoc->m_listElements.AddTail(pElement);
            break;
        case ID_ARRANGE_TO_BACK:
            pDoc->PushUndo();
            pDoc->m_listElements.RemoveAt(posElement);
            pDoc->m_listElements.AddHead(pElement);
            KeepBackgroundsLowest();
            break;
        case ID_ARRANGE_STEP_FRONT:
            pDoc->m_listElements.GetNext(posNeighbour);
            if (posNeighbour == NULL)
                return;
            pDoc->PushUndo();
            pDoc->m_listElements.SetAt(posElement, pDoc->m_listElements.GetAt(posNeighbour));
            pDoc->m_listElements.SetAt(posNeighbour, pElement);
            break;
        case ID_ARRANGE_STEP_BACK:
            pDoc->m_listElements.GetPrev(posNeighbour);
            if (posNeighbour == NULL)
                return;
            pDoc->PushUndo();
            pDoc->m_listElements.SetAt(posElement, pDoc->m_listElements.GetAt(posNeighbour));
            pDoc->m_listElements.SetAt(posNeighbour, pElement);
            KeepBackgroundsLowest();
            break;
        default:
            return;
        }
        // the element stays selected: the next command acts on it
        pDoc->UpdateAllViews(NULL);
        pDoc->SetModifiedFlag();
    }
    catch (CException* e)
    {
        e->Delete();
        ShowUnexpectedError();
    }
    catch (...)
    {
        ShowUnexpectedError();
    }
}

/////////////////////////////////////////////////////////////////////////////
// Alignment, same size, centring

void CVarnelView::OnAlign(UINT nID)
{
    CVarnelDoc* pDoc = GetDocument();
    CElementList& list = pDoc->m_listSelection;
    if (list.IsEmpty())
        return;

    int nLeft = 9999, nTop = 9999, nRight = 0, nBottom = 0;
    CRect rectUnion;
    BOOL bFirst = TRUE;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        const CRect rect = list.GetNext(pos)->GetRect();
        nLeft = std::min(nLeft, (int)rect.left);
        nTop = std::min(nTop, (int)rect.top);
        nRight = std::max(nRight, (int)rect.right);
        nBottom = std::max(nBottom, (int)rect.bottom);
        if (bFirst)
            rectUnion = rect;
        else
            rectUnion.UnionRect(&rectUnion, &rect);
        bFirst = FALSE;
    }
    const int cx = (rectUnion.left + rectUnion.right) / 2;
    const int cy = (rectUnion.top + rectUnion.bottom) / 2;

    // the new place of an element
    auto target = [&](const CRect& rect) -> CPoint {
        switch (nID)
        {
        case ID_ALIGN_LEFT: return CPoint(nLeft, rect.top);
        case ID_ALIGN_RIGHT: return CPoint(nRight - rect.Width(), rect.top);
        case ID_ALIGN_CENTER: return CPoint(cx - rect.Width() / 2, rect.top);
        case ID_ALIGN_TOP: return CPoint(rect.left, nTop);
        case ID_ALIGN_BOTTOM: return CPoint(rect.left, nBottom - rect.Height());
        case ID_ALIGN_MIDDLE: return CPoint(rect.left, cy - rect.Height() / 2);
        default: return rect.TopLeft();
        }
    };
    ChangeSelectedRects(
        [&](const CRect& rect) { return CRect(target(rect), rect.Size()); },
        [&](CElement* pElement, const CRect& rect) { MoveElementTo(pElement, rect.left, rect.top); });
}

// Gives the selection the width (nMode 1), height (2) or both (3) of the element selected first.
void CVarnelView::MakeSameSize(int nMode)
{
    CVarnelDoc* pDoc = GetDocument();
    CElementList& list = pDoc->m_listSelection;
    if (list.IsEmpty())
        return;
    // the element selected first
    const CRect rectReference = list.GetTail()->GetRect();
    auto target = [&](const CRect& rect) -> CSize {
        return CSize((nMode & 1) ? rectReference.Width() : rect.Width(),
                     (nMode & 2) ? rectReference.Height() : rect.Height());
    };
    ChangeSelectedRects(
        [&](const CRect& rect) { return CRect(rect.TopLeft(), target(rect)); },
        [](CElement* pElement, const CRect& rect) {
            pElement->ResizeRect(rect.left, rect.top, rect.right, rect.bottom);
        });
}

// Gives every selected element its target rectangle through apply, under one undo level;
// takes no level when no rectangle would change.
void CVarnelView::ChangeSelectedRects(const std::function<CRect(const CRect&)>& target,
                                      const std::function<void(CElement*, const CRect&)>& apply)
{
    CVarnelDoc* pDoc = GetDocument();
    CElementList& list = pDoc->m_listSelection;
    BOOL bChanges = FALSE;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL && !bChanges;)
    {
        const CRect rect = list.GetNext(pos)->GetRect();
        bChanges = target(rect) != rect;
    }
    if (!bChanges)
        return;
    pDoc->PushUndo();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = list.GetNext(pos);
        apply(pElement, target(pElement->GetRect()));
    }
    pDoc->SetModifiedFlag();
    pDoc->UpdateAllViews(NULL);
}

void CVarnelView::OnSameSize(UINT nID)
{
    MakeSameSize(nID == ID_SAME_WIDTH ? 1 : nID == ID_SAME_HEIGHT ? 2 : 3);
}

// Centres the selection on the design, across, down or both as the command says.
void CVarnelView::OnCenter(UINT nID)
{
    CVarnelDoc* pDoc = GetDocument();
    CElementList& list = pDoc->m_listSelection;
    if (list.IsEmpty())
        return;
    const BOOL bHorizontal = nID != ID_CENTER_VERT;
    const BOOL bVertical = nID != ID_CENTER_HORZ;
    auto centred = [&](const CRect& rect)
    {
        return CPoint(bHorizontal ? pDoc->m_nDesignWidth / 2 - rect.Width() / 2 : rect.left,
                      bVertical ? pDoc->m_nDesignHeight / 2 - rect.Height() / 2 : rect.top);
    };
    // elements already in the middle: no undo level, nothing modified
    BOOL bMoves = FALSE;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL && !bMoves;)
    {
        const CRect rect = list.GetNext(pos)->GetRect();
        bMoves = centred(rect) != rect.TopLeft();
    }
    if (!bMoves)
        return;
    pDoc->PushUndo();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = list.GetNext(pos);
        const CPoint ptTo = centred(pElement->GetRect());
        MoveElementTo(pElement, ptTo.x, ptTo.y);
    }
    pDoc->UpdateAllViews(NULL);
    pDoc->SetModifiedFlag();
    ReloadSingleSelection(FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Rotation, lock, text styles, grid

void CVarnelView::OnRotate(UINT nID)
{
    CVarnelDoc* pDoc = GetDocument();
    CElementList& list = pDoc->m_listSelection;
    if (list.IsEmpty())
        return;
    pDoc->PushUndo();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = list.GetNext(pos);
        if (nID == ID_ROTATE_CLOCKWISE)
        {
            pElement->m_nAngle -= 45;
            if (pElement->m_nAngle < -360)
                pElement->m_nAngle += 360;
        }
        else
        {
            pElement->m_nAngle += 45;
            if (pElement->m_nAngle > 360)
                pElement->m_nAngle -= 360;
        }
        pDoc->SetModifiedFlag();
        ShowElementProperties(pElement, FALSE);
    }
    pDoc->UpdateAllViews(NULL);
}

// Locks or unlocks the elements of list; one undo level only when one of them changes.
void CVarnelView::SetLocked(CElementList& list, BOOL bLocked)
{
    CVarnelDoc* pDoc = GetDocument();
    BOOL bChanges = FALSE;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL && !bChanges;)
        bChanges = (list.GetNext(pos)->m_bLocked != 0) != (bLocked != 0);
    if (bChanges)
    {
        pDoc->PushUndo();
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            list.GetNext(pos)->m_bLocked = bLocked ? 1 : 0;
        pDoc->SetModifiedFlag();
    }
    pDoc->UpdateAllViews(NULL);
    ReloadSingleSelection(FALSE);
}

void CVarnelView::OnLock(UINT nID)
{
    CVarnelDoc* pDoc = GetDocument();
    switch (nID)
    {
    case ID_LOCK: SetLocked(pDoc->m_listSelection, TRUE); break;
    case ID_UNLOCK: SetLocked(pDoc->m_listSelection, FALSE); break;
    case ID_LOCK_ALL: SetLocked(pDoc->m_listElements, TRUE); break;
    case ID_UNLOCK_ALL: SetLocked(pDoc->m_listElements, FALSE); break;
    default: break;
    }
}

// Toggles bold, italic or underline in every selected text; the toolbar state follows the last text changed.
void CVarnelView::OnTextStyle(UINT nID)
{
    CVarnelDoc* pDoc = GetDocument();
    if (!HasTextInSelection())
        return;
    pDoc->PushUndo();
    for (POSITION pos = pDoc->m_listSelection.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listSelection.GetNext(pos);
        if (!IsClass(pElement, "CText"))
            continue;
        LOGFONT lf;
        memset(&lf, 0, sizeof(lf));
        if (pElement->m_font.GetSafeHandle() == NULL || pElement->m_font.GetLogFont(&lf) == 0)
            continue;
        switch (nID)
        {
        case ID_TEXT_BOLD:
            lf.lfWeight = lf.lfWeight == FW_BOLD ? FW_NORMAL : FW_BOLD;
            m_bBold = lf.lfWeight == FW_BOLD;
            break;
        case ID_TEXT_ITALIC:
            lf.lfItalic = lf.lfItalic ? 0 : 1;
            m_bItalic = lf.lfItalic != 0;
            break;
        case ID_TEXT_UNDERLINE:
            lf.lfUnderline = lf.lfUnderline ? 0 : 1;
            m_bUnderline = lf.lfUnderline != 0;
            break;
        default:
            break;
        }
        CFont fontNew;
        if (!fontNew.CreateFontIndirect(&lf))
            continue;
        pElement->m_font.DeleteObject();
        pElement->m_font.Attach(fontNew.Detach());
    }
    pDoc->UpdateAllViews(NULL);
    pDoc->SetModifiedFlag();
    ReloadSingleSelection(FALSE);
}

// Enables the text style buttons while a text is selected; each is checked as the last style change left it.
void CVarnelView::OnUpdateTextStyle(CCmdUI* pCmdUI)
{
    if (!HasTextInSelection())
    {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(0);
        return;
    }
    pCmdUI->Enable(TRUE);
    BOOL bChecked = FALSE;
    switch (pCmdUI->m_nID)
    {
    case ID_TEXT_BOLD: bChecked = m_bBold; break;
    case ID_TEXT_ITALIC: bChecked = m_bItalic; break;
    case ID_TEXT_UNDERLINE: bChecked = m_bUnderline; break;
    default: break;
    }
    pCmdUI->SetCheck(bChecked ? 1 : 0);
}

void CVarnelView::OnViewGrid()
{
    m_bDisplayGrid = !m_bDisplayGrid;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CVarnelView::OnUpdateViewGrid(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_bDisplayGrid ? 1 : 0);
}
