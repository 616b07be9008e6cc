// ExtDynDockMarkerWnd.h - the dock markers shown while a resizable bar is dragged.
//
// CExtDynDockMarkerWnd is a small topmost popup with an arrow picture over a frame edge
// or over the window under the cursor; a hot marker shows a CExtDynDockHighlightWnd
// where the bar would land. The paint manager builds the pictures and regions
// (CreateDockMarkerWnd) and makes the windows through g_BarLinks.
//
// Notes
// - Marker types: 0 top, 1 bottom, 2 left, 3 right, 8 centre; other types are
//   decorative parts of a marker group.
// - The markers live in CExtControlBar::g_arrDockMarkersOuter (frame edges) and
//   g_arrDockMarkersInner (the current target); all share one hidden owner window.
// - UI thread only.

#pragma once

#include "afxwin.h"
#include "afxtempl.h"

class CExtControlBar;
class CExtDynDockMarkerWnd;

class CExtDynDockHighlightWnd : public CWnd
{
public:
    explicit CExtDynDockHighlightWnd(CExtDynDockMarkerWnd* pMarker);
    virtual ~CExtDynDockHighlightWnd();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void PostNcDestroy() override;

    // The rectangle (screen) a highlight of the marker covers; empty when none.
    static CRect CalcArea(CExtDynDockMarkerWnd* pMarker);

    CExtDynDockMarkerWnd* m_pMarker;
    CBitmap m_bmpShadow;
    CSize m_sizeShadow;
};

class CExtDynDockMarkerWnd : public CWnd
{
public:
    enum { TIMER_STATE = 77 };

    CExtDynDockMarkerWnd(HWND hWndTarget, int nMarkerType, HBITMAP hbmpHot, HBITMAP hbmpNormal,
                         HRGN hRgn, const RECT& rcScreen);
    virtual ~CExtDynDockMarkerWnd();

    bool SetHot(bool bHot);
    int GetDragStateKind() const;
    bool IsDockingMarker() const;
    bool IsHot() const { return m_pHighlight != NULL; }

    virtual BOOL DestroyWindow() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static void DestroyMarkerArray(CPtrArray& arr);
    static void ShowMarkerArray(CPtrArray& arr, bool bShow);
    static void UnhotOthers(CPtrArray& arr, CExtDynDockMarkerWnd* pExcept, bool bPump);
    static void CreateOuterMarkers(CFrameWnd* pFrame, bool bShow);
    // The cursor position is asked of the system unless given.
    static void UpdateInnerMarkers(CFrameWnd* pFrame, bool bShow, const POINT* pptCursor = NULL);
    static void ShowAllMarkers(bool bShow);
    static void DestroyAllMarkers();
    // The visible docking marker whose shape holds the screen point, or NULL.
    static CExtDynDockMarkerWnd* HitTestMarkers(CPoint ptScreen);
    // One step of a drag with markers: makes the marker sets (outer ones once), makes the
    // docking marker under the point hot and answers its drag-state kind (0: none) and
    // target window.
    static int TrackDragStep(CFrameWnd* pFrame, CPoint ptScreen, HWND* phWndTarget = NULL);
    // Docks the bar as a drag-state kind of a marker says (14-26); FALSE for other kinds.
    static bool ApplyMarkerKind(CExtControlBar* pBar, int nKind, HWND hWndTarget);
    static CWnd* GetOwnerWnd(bool bCreate);
    static HWND GetInnerTarget();
    // The frame's free area inside the outer dock bars (screen), as the markers see it.
    static CRect CalcOuterArea(CFrameWnd* pFrame);

    CExtDynDockHighlightWnd* m_pHighlight;
    HWND m_hWndTarget;
    int m_nMarkerType;
    CBitmap m_bmpHot;
    CBitmap m_bmpNormal;
    CRgn m_rgn;
    int m_nState;
    int m_nPaints;

protected:
    void OnStateTimer();
};
