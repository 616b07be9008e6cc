// ExtPopupBaseWnd.h - the base of the framework's popup windows.
//
// Declares CExtPopupBaseWnd (open animation, drop shadow, animation surfaces, the painting
// entry) with its shadow record CExtPopupBaseWnd::Shadow_t.
//
// Notes
// - Popups are top-level windows without a non-client area, shown without activation.
// - An animation runs on timer 666 (30 ms) from StartAnimation until its done bit is set;
//   while the bit is clear, WM_PAINT draws animation frames (PaintAnimationFrame), after that
//   the content (PaintContent).
// - Timer 669 shows the window later without activation (the menu tip's delayed show).
// - What lies under the popup is read from the screen just before the popup shows
//   (CaptureScreenUnder): the popup's own window holds nothing worth reading then. The
//   shadow and the animation frames are composed over that picture; a shadow is rendered
//   once and then served from two cached strips.
// - The three animation bitmaps are owned and freed by ReleaseSurfaces and the destructor.
// - UI thread only.

#pragma once

#include "afxwin.h"
#include <time.h>

// CExtPopupBaseWnd is the base of popup menus and the menu tip.
class CExtPopupBaseWnd : public CWnd
{
    DECLARE_DYNCREATE(CExtPopupBaseWnd)

public:
    // Timers of the popup windows.
    enum e_Timer_t
    {
        ID_TIMER_ANIMATION = 666,           // one animation step, 30 ms
        ID_TIMER_DELAY_SHOW = 669,          // delayed show without activation
        ID_PERIOD_ANIMATION = 30,
    };

    // Animation kinds.
    enum e_Animation_t
    {
        ANIM_NONE = 0,
        ANIM_RANDOM = 1,
        ANIM_SLIDE = 2,
        ANIM_SLIDE_DOWN = 3,
        ANIM_FADE = 4,
        ANIM_UNFOLD = 5,
        ANIM_ROLL = 6,
        ANIM_NOISE = 7,
        ANIM_BLINDS = 8,
        ANIM_CIRCLES = 9,
        ANIM_HOLES = 10,
        ANIM_LAST = 10,
        ANIM_ONE_TICK = -1,                 // ends at its first tick
        ANIM_EXPAND = -2,                   // expansion of hidden items
    };

    // Paint callback of a popup joined to the area it opens from: cookie, DC, the popup,
    // the exclude area in screen coordinates and the connection side.
    typedef void (*pCbPaintCombinedContent)(LPVOID pCookie, CDC& dc, const CWnd& refWndMenu,
                                            const CRect& rcExcludeArea, int eCombineAlign);

    // The drop shadow of one rectangle.
    struct Shadow_t
    {
        Shadow_t();
        ~Shadow_t();
        Shadow_t(const Shadow_t&) = delete;
        Shadow_t& operator=(const Shadow_t&) = delete;

        // Empties the strips, the rectangle and the region and clears both flags.
        void Destroy();
        // Stores the arguments and paints the shadow; TRUE when it stands.
        // pDCUnder, when given, holds the pixels under the shadow (same coordinates as
        // pDC); otherwise they are read from pDC.
        bool Paint(CDC* pDC, const RECT& rcWnd, const RECT& rcCompanion1,
                   const RECT& rcCompanion2, int nSize, int nMinBrightness,
                   int nMaxBrightness, bool bCacheStrips, bool bTint, CDC* pDCUnder = NULL);
        bool IsCached() const { return m_bmpRight.GetSafeHandle() != NULL
                                       && m_bmpBottom.GetSafeHandle() != NULL; }

        CBitmap m_bmpRight;             // finished right strip (s by H + s)
        CBitmap m_bmpBottom;            // finished bottom strip (W + s by s)
        COLORREF* m_pHelperDibSurface;  // working pixels, valid only while rendering
        CRect m_rcWnd;                  // the rectangle casting the shadow
        CRect m_rcCompanion1;
        CRect m_rcCompanion2;
        int m_nSize;                    // pixels
        int m_nMinBrightness;           // per cent, next to the rectangle
        int m_nMaxBrightness;           // per cent, at the outer edge
        bool m_bCacheStrips : 1;        // flag bit 0
        bool m_bTint : 1;               // flag bit 1
        CRgn m_rgnClip;                 // union of both strips

    private:
        bool DoPaint(CDC* pDC, CDC* pDCUnder);
        bool PaintDithered(CDC* pDC, CDC* pDCUnder);
        bool PaintGradient(CDC* pDC, CDC* pDCUnder);
        bool CacheStrips(CDC* pDC);
    };

    CExtPopupBaseWnd();
    virtual ~CExtPopupBaseWnd();
    CExtPopupBaseWnd(const CExtPopupBaseWnd&) = delete;
    CExtPopupBaseWnd& operator=(const CExtPopupBaseWnd&) = delete;

    // Overrides in slot order
    virtual LPVOID GetPaintCallbackCookie();
    virtual bool HasParentItemPainter();
    virtual bool IsContinuedTracking();
    virtual void SetupAnimation();
    virtual void StartAnimation();
    virtual void OverrideAnimationType(int& nType);
    virtual void ReleaseSurfaces();
    virtual bool IsShadowEnabled();
    virtual int GetShadowSize();
    virtual void PaintAnimationFrame(CDC& dc);
    virtual void PaintContent(CDC& dc, bool bUseMemDC);
    virtual void GetContentRect(RECT& rc);
    virtual bool IsNotifySuppressed();

    virtual BOOL DestroyWindow() override;

    // Reads the screen under the window's rectangle (the window not shown yet, or about to
    // grow); FALSE when the screen cannot be read.
    // prcScreen: the rectangle the window is about to take (NULL: its present one).
    bool CaptureScreenUnder(const RECT* prcScreen = NULL);
    void ReleaseScreenUnder();
    bool HasScreenUnder() const { return m_bmpScreenUnder.GetSafeHandle() != NULL; }
    // A memory DC compatible with dcRef holding the captured screen, addressed in the
    // window's client coordinates; FALSE without a capture.
    bool SelectScreenUnder(CDC& dcUnder, CDC& dcRef);
    // Copies the captured screen over the client area (cx by cy) of dc; FALSE without one.
    bool DrawScreenUnder(CDC& dc, int cx, int cy);

    // Attributes
    bool IsAnimationFinished() const { return (m_nAnimFlags & 0x01) != 0; }
    void SetAnimationFinished(bool bOn)
        { m_nAnimFlags = (BYTE)(bOn ? (m_nAnimFlags | 0x01) : (m_nAnimFlags & ~0x01)); }

    // Member variables
    int m_nAnimationType;               // kind of the next opening
    int m_nAnimStep;                    // 0..100 per cent, 101 ended
    int m_nAnimStepPrev;
    BYTE m_nAnimFlags;                  // bit 0: animation done
    int m_nSoundOnAnimationEnd;         // CExtSoundPlayer sound id, 0 none
    CRect m_rcExcludeArea;              // screen coordinates, empty by default
    Shadow_t m_shadowPopup;
    Shadow_t m_shadowExcludeArea;
    CBitmap m_bmpScreenUnder;           // the screen under the window before it showed
    CRect m_rcScreenUnder;              // where it was read, screen coordinates
    CBitmap m_bmpScreenSrc;             // background under the popup
    CBitmap m_bmpScreenDst;             // finished content
    CBitmap m_bmpScreenTmp;             // frame being composed
    COLORREF* m_pClrSrc;
    COLORREF* m_pClrDst;
    COLORREF* m_pClrTmp;
    LPVOID m_pCbPaintCombinedCookie;
    pCbPaintCombinedContent m_pCbPaintCombinedContent;
    bool m_bCbPaintCombinedCookieFlag;

    static clock_t g_nLastAnimationTick;    // clock() of the last tick of any popup

protected:
    // One step of timer 666.
    virtual void OnAnimationTick();

public:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnCancelMode();
    afx_msg void OnTimer(UINT nIDEvent);

    DECLARE_MESSAGE_MAP()
};
