// SelectionTracker.h - CSelectionTracker, the document's selection.
//
// The tracker is the class library's rectangle tracker with the selected elements of the
// document's element list: which are selected and which was added last. It draws the
// handles of the selection and moves or resizes it with the mouse for a view.
//
// Notes
// - Element rectangles are in document units; handles are drawn and hit-tested in the
//   view's pixels, converted through a client DC prepared by the view.
// - A move applies one offset, converted once, to every element, so no element changes
//   size at any zoom. Esc or the right button cancels a move or resize: nothing changes.
// - An undo level is taken only when an element really changes.

#pragma once

#include "afxext.h"
#include "afxtempl.h"

class CElement;
class CView;

// CSelectionTracker holds the selected elements of the document's element list.
class CSelectionTracker : public CRectTracker
{
public:
    CSelectionTracker();
    virtual ~CSelectionTracker();

    // Operations
    // Appends the element to the selection; it becomes the current element.
    void Add(CElement* pElement);
    // Takes the element out of the selection; the one added before it becomes current.
    void Remove(const CElement* pElement);
    // Empties the selection (frees its storage) and the tracker rectangle.
    void RemoveAll();
    BOOL IsSelected(const CElement* pElement) const;

    // Drawing
    // Handles of every selected element; pDC is prepared by the view (document units).
    void DrawSelection(CDC* pDC);
    // The handles of m_rect (pixels) as filled squares: red when locked, else black.
    void DrawLockedHandles(CDC* pDC, BOOL bLocked);

    // Hit tests: point in document units. With a view the handles are tested in its
    // pixels (as they are drawn); without one in document units. The first selected
    // element hit becomes current. Result: hit code or hitNothing.
    int HitTest(CPoint point, CView* pView = NULL);
    int HitTestHandles(CPoint point, CView* pView = NULL);

    // Sets a sizing or moving cursor when the cursor is over a handle or a selected element.
    BOOL SetCursor(CView* pView, UINT nHitTest);
    BOOL SetCursorForCurrent(CView* pView, UINT nHitTest);

    // Moves all selected elements (press inside one) or resizes the current one (press on
    // a handle); point in document units. TRUE when an element changed.
    BOOL Track(CView* pView, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = NULL);
    // Resize loop for one handle of m_rect (document units).
    BOOL TrackHandle(int nHandle, CView* pView, CPoint point, CWnd* pWndClipTo);
    // Move loop for the whole selection.
    BOOL TrackMoveAll(CView* pView, CPoint point, CWnd* pWndClipTo);

    // Steps of the move loop.
    void SaveDeviceRects(CView* pView);
    void ClearDeviceRects();

    // Member variables
    CArray<CElement*, CElement*> m_arrSelected;     // not owned, in the order added
    CElement* m_pCurrent;                           // added last or hit last; not owned
    CArray<CRect*, CRect*> m_arrDeviceRects;        // owned; pixels, while moving

protected:
    int HitTestSelection(CPoint point, CView* pView, BOOL bHandlesOnly);
};

// Conversions between a view's client pixels and document units, through a client DC
// prepared by the view.
void ViewDeviceToLogical(CView* pView, CPoint& point);
void ViewLogicalToDevice(CView* pView, CPoint& point);
// Both corners, normalised.
void ViewLogicalToDeviceRect(CView* pView, CRect& rect);
