// ExtPaintManager.h - the exchangeable drawing service of the UI framework.
//
// Declares CExtPaintManager (classic 3-D look) with its nested records and helpers
// (GlyphMatrix_t, CachedDC_t, MonitorInfo_t, the drawing argument records, DockMarker,
// BarLinks_t), CExtPaintManagerXP (flat look), and through ExtPaintManagerHolder.h the
// process-wide holder g_CurrentPaintManager.
//
// The managers are split over these files:
// - ExtPaintManager.cpp: construction, colours, fonts, brushes and metrics;
// - ExtPaintManagerBars.cpp: grippers, captions, frames, borders, caption buttons,
//   separators, the chevron, button icons and backgrounds;
// - ExtPaintManagerButtons.cpp: push buttons, popup-menu items, the menu expand button
//   and tab items;
// - ExtPaintManagerMenus.cpp: popup-menu frames and separators, insertion marks, tab
//   strips, edit and combo controls, panels and captions;
// - ExtPaintManagerSmall.cpp: small paint operations and bitmap colour queries;
// - ExtPaintManagerGlyphs.cpp: the glyph set;
// - ExtPaintManagerDockMarker.cpp: the dock markers;
// - ExtPaintManagerHolder.cpp: the holder and installing a manager.
//
// Notes
// - One manager is installed at a time; every framework window asks
//   g_CurrentPaintManager->... for colours, fonts, metrics and drawing.
// - A manager is usable only after the holder's install step (SyncSysColorsAndFonts,
//   InitLogicalColors, InitHalftoneBrushes).
// - Drawing reports no errors: a failed GDI call leaves its part of the picture undrawn.
//   Pens, brushes and fonts made for one drawing are released before it returns; the
//   manager's own fonts and brushes are shared and must not be deleted by callers.
// - GetColor: ids below 1000 are system colour indexes (entries 0-49 of the colour table),
//   ids 1000-1011 and 2000-2011 are logical ids; anything unknown gives COLOR_BTNFACE.
// - The glyph set is made at start-up (ExtPaintManagerGlyphs.cpp) and never changes.
// - Objects of the bars and popup menus appear here only as pointers; what the manager
//   must ask of them goes through g_BarLinks, which that code fills when it starts.
// - UI thread only.

#pragma once

#include "afxwin.h"
#include "afxtempl.h"
#include "afxcoll.h"

class CExtCmdIcon;
class CExtControlBar;
class CExtToolControlBar;
class CExtTabWnd;
class CExtDynDockMarkerWnd;

/////////////////////////////////////////////////////////////////////////////
// CExtPaintManager: the classic look, built from the system colours.

class CExtPaintManager : public CObject
{
    DECLARE_DYNCREATE(CExtPaintManager)

public:
    // Logical colour ids (the odd id of each pair is the "hot" variant).
    enum e_LogicalColor_t
    {
        LC_FACE_NORMAL = 1000,
        LC_FACE_HOT = 1001,
        LC_LIGHT_NORMAL = 1002,
        LC_LIGHT_HOT = 1003,
        LC_HIGHLIGHT_NORMAL = 1004,
        LC_HIGHLIGHT_HOT = 1005,
        LC_SHADOW_NORMAL = 1006,
        LC_SHADOW_HOT = 1007,
        LC_DKSHADOW_NORMAL = 1008,
        LC_DKSHADOW_HOT = 1009,
        LC_TEXT_NORMAL = 1010,
        LC_TEXT_HOT = 1011,
        LC_XP_BAR_FACE = 2000,
        LC_XP_MENU_FACE = 2001,
        LC_XP_SEPARATOR = 2002,
        LC_XP_PUSHED_FACE = 2003,
        LC_XP_HOT_BORDER = 2004,
        LC_XP_ICON_BAND = 2005,
        LC_XP_HOT_TEXT = 2006,
        LC_XP_MENU_BORDER = 2007,
        LC_XP_WINDOW_FACE = 2008,
        LC_XP_FACE_COPY = 2009,
        LC_XP_SYS_FACE = 2010,
        LC_XP_DIM_BORDER = 2011,
    };

    // Indexes of the twelve half-tone brushes (fractions: distance from the first colour).
    enum e_HalftoneBrush_t
    {
        HTB_LIGHT_1_2 = 0,          // face to highlight 1/2
        HTB_LIGHT_1_2_SYS = 1,
        HTB_SHADOW_1_2 = 2,         // shadow to face 1/2
        HTB_SHADOW_1_2_SYS = 3,
        HTB_LIGHT_3_5 = 4,
        HTB_LIGHT_3_5_SYS = 5,
        HTB_SHADOW_2_5 = 6,
        HTB_SHADOW_2_5_SYS = 7,
        HTB_LIGHT_4_5 = 8,
        HTB_LIGHT_4_5_SYS = 9,
        HTB_SHADOW_1_5 = 10,
        HTB_SHADOW_1_5_SYS = 11,
        HTB_COUNT = 12
    };

    /////////////////////////////////////////////////////////////////////////
    // Helper records

    // A small picture of colour indexes: 0 is transparent, k > 0 is drawn in entry k of
    // a COLORREF table given by the caller.
    struct GlyphMatrix_t
    {
        int m_nWidth;
        int m_nHeight;
        int m_nColors;
        UINT* m_pData;              // m_nWidth x m_nHeight indexes, row by row
        bool m_bOwnsData;

        GlyphMatrix_t();
        // Copies a static description (width, height, colours, indexes).
        GlyphMatrix_t(int nWidth, int nHeight, int nColors, const UINT* pData);
        // Copy of another glyph turned by 0, 90, 180 or 270 degrees clockwise.
        GlyphMatrix_t(const GlyphMatrix_t& other, int nRotateDegrees = 0);
        ~GlyphMatrix_t();
        GlyphMatrix_t& operator=(const GlyphMatrix_t&) = delete;

        // Frees owned data; copies the indexes into a new owned block, or keeps none when
        // pData is NULL.
        bool LoadFrom(int nWidth, int nHeight, int nColors, const UINT* pData);
        // Turns the matrix clockwise by 90, 180 or 270 degrees; 0 does nothing.
        void Rotate(int nDegrees);
        void Empty();

        CSize GetSize() const { return CSize(m_nWidth, m_nHeight); }
        UINT GetColorIndexAt(int x, int y) const;
    };

    // A cached memory DC and the object that was selected into it before.
    struct CachedDC_t
    {
        CDC m_dc;
        HGDIOBJ m_hOldObject;

        CachedDC_t();
        ~CachedDC_t();
        void Release();
    };

    // Monitor and work-area rectangles of one monitor.
    struct MonitorInfo_t
    {
        CRect m_rcMonitor;
        CRect m_rcWorkArea;
        bool m_bPrimary : 1;

        MonitorInfo_t();
    };

    // Filter of ExcludeChildAreas: TRUE claims the child (it is not excluded).
    typedef bool (*pfnExcludeChildAreaCallback)(HDC hDC, HWND hWndParent, HWND hWndChild,
                                                 LPARAM lParam);

    // Questions that only the bars and popup-menu code can answer about their objects.
    // That code fills the pointers when it starts; a NULL pointer gives the answer noted.
    struct BarLinks_t
    {
        // CExtControlBar::IsDockedVertically; NULL: false.
        bool (*m_pfnIsDockedVertically)(CExtControlBar* pBar);
        // The bar is a CExtMenuControlBar; NULL: false.
        bool (*m_pfnIsMenuBar)(CExtToolControlBar* pBar);
        // The tab window's integer that decides the third tab margin; NULL: 0.
        int (*m_pfnTabMarginValue)(CExtTabWnd* pTabWnd);
        // The tab window's style hides item icons; NULL: false.
        bool (*m_pfnTabHidesIcons)(CObject* pTabWnd);
        // Icon-area width of the last item of a popup menu (0 when the source is not a
        // popup, has no items or the item is button-styled); NULL: 0.
        int (*m_pfnPopupLastItemIconAreaWidth)(CObject* pSource);
        // Creates a dock-marker window that takes the two bitmaps and the region; answers
        // the object when its window exists, else deletes it (and the handles) and answers
        // NULL. NULL pointer: no marker window can be made (the handles are deleted).
        CExtDynDockMarkerWnd* (*m_pfnCreateDockMarkerWnd)(HWND hWndValue, int nMarkerType,
            HBITMAP hBmpNormal, HBITMAP hBmpHot, HRGN hRgn, const RECT& rcScreen);
        // CExtDynDockMarkerWnd::DestroyMarkerArray; NULL: the array is only emptied.
        void (*m_pfnDestroyMarkerArray)(CPtrArray& arrMarkers);
    };
    static BarLinks_t g_BarLinks;

    /////////////////////////////////////////////////////////////////////////
    // Argument records of the drawing operations

    struct PushButtonArgs_t
    {
        CObject* m_pHelperSrc;
        LPARAM m_lParam;
        CRect m_rcButton;
        LPCTSTR m_sText;                    // never NULL
        CExtCmdIcon* m_pIcon;
        HFONT m_hFont;
        UINT m_nHelperSysCmdID;             // system command drawn when there is no icon
        bool m_bHorz : 1;
        bool m_bFlat : 1;
        bool m_bHover : 1;
        bool m_bPushed : 1;
        bool m_bIndeterminate : 1;
        bool m_bEnabled : 1;
        bool m_bDrawBorder : 1;
        bool m_bDrawFocusRect : 1;
        bool m_bBold : 1;
        bool m_bDropDown : 1;
        bool m_bTransparentBackground : 1;
        bool m_bSeparatedDropDown : 1;
        bool m_bPushedDropDown : 1;
        UINT m_nAlign;                      // bit 0 centre, bit 1 right, bit 2 vertical centre
        UINT m_nDrawTextFlags;
        COLORREF m_clrForceTextDisabled;    // (COLORREF)-1: none
        COLORREF m_clrForceTextNormal;
        COLORREF m_clrForceTextHover;
        COLORREF m_clrForceTextPressed;
        bool m_bUseDrawText : 1;

        PushButtonArgs_t(CObject* pHelperSrc, bool bHorz, const RECT& rcButton, LPCTSTR sText,
                         CExtCmdIcon* pIcon, bool bFlat, bool bHover, bool bPushed,
                         bool bIndeterminate, bool bEnabled, bool bDrawBorder,
                         bool bDrawFocusRect, bool bBold, UINT nAlign, HFONT hFont,
                         bool bDropDown, UINT nHelperSysCmdID, bool bTransparentBackground);
    };

    struct NcButtonArgs_t
    {
        CObject* m_pHelperSrc;              // the CExtBarNcAreaButton
        LPARAM m_lParam;
        CRect m_rc;
        int m_nGlyphIndex;                  // entry of the glyph table
        bool m_bHover : 1;
        bool m_bPushed : 1;
        bool m_bEnabled : 1;
        bool m_bBarState1 : 1;              // three states of the owning bar
        bool m_bBarState2 : 1;
        bool m_bBarState3 : 1;
        bool m_bReserved1 : 1;
        bool m_bReserved2 : 1;

        NcButtonArgs_t(CObject* pHelperSrc, const RECT& rc, int nGlyphIndex, bool bHover,
                       bool bPushed, bool bEnabled, bool bBarState1, bool bBarState2,
                       bool bBarState3, LPARAM lParam = 0);
    };

    struct BarCaptionArgs_t
    {
        CObject* m_pHelperSrc;              // the bar
        LPARAM m_lParam;
        CRect m_rcCaption;
        CRect m_rcText;
        bool m_bActive : 1;
        bool m_bFloating : 1;
        bool m_bSideCaption : 1;            // vertical text, gripper at the bar's left
        bool m_bCaptionMode : 1;
        LPCTSTR m_sText;                    // never NULL
        bool m_bNoFill : 1;
        bool m_bReserved : 1;

        BarCaptionArgs_t(CObject* pHelperSrc, const RECT& rcCaption, const RECT& rcText,
                         bool bActive, bool bFloating, bool bSideCaption, bool bCaptionMode,
                         LPCTSTR sText, LPARAM lParam = 0);
    };

    struct BarFrameArgs_t
    {
        CObject* m_pHelperSrc;              // the bar
        LPARAM m_lParam;
        CRect m_rcWindow;
        CRect m_rcClient;
        bool m_bFlag0 : 1;                  // double edge (base), rounded two-line frame (XP)
        bool m_bFlag1 : 1;                  // other fill, no single edge
        bool m_bFlag2 : 1;                  // no dotted outline at 8 bits per pixel

        BarFrameArgs_t(CObject* pHelperSrc, const RECT& rcWindow, const RECT& rcClient,
                       bool bFlag0, bool bFlag1, bool bFlag2, LPARAM lParam = 0);
    };

    struct BarBordersArgs_t
    {
        CObject* m_pHelperSrc;              // the CControlBar
        LPARAM m_lParam;
        int m_nBorderKind;                  // 2: a 3-D frame; else the CBRS_BORDER bits
        DWORD m_dwStyle;
        CRect m_rc;

        BarBordersArgs_t(CObject* pHelperSrc, int nBorderKind, DWORD dwStyle, const RECT& rc,
                         LPARAM lParam = 0);
    };

    struct MenuItemArgs_t
    {
        CObject* m_pSourceObject;
        LPARAM m_lParam;
        CRect m_rcItem;
        CRect m_rcItemWithIndents;
        int m_nIconAreaWidth;
        LPCTSTR m_sText;                    // never NULL
        LPCTSTR m_sAccelText;               // never NULL
        CExtCmdIcon* m_pIcon;
        UINT m_nCmdID;
        bool m_bPopup : 1;
        bool m_bSelected : 1;
        bool m_bChecked : 1;
        bool m_bRadio : 1;
        bool m_bIndeterminate : 1;
        bool m_bEnabled : 1;
        bool m_bRarelyUsed : 1;
        bool m_bRarelyUsedPrev : 1;
        bool m_bRarelyUsedNext : 1;
        bool m_bNoIconBand : 1;
        bool m_bGlyphArrow : 1;
        bool m_bSplitPopup : 1;
        bool m_bToggleLook : 1;
        bool m_bTogglePressed : 1;
        bool m_bReserved1 : 1;
        bool m_bReserved2 : 1;
        CRect m_rcInplaceEdit;
        CString m_sInplaceEditText;
        bool m_bChildOpen : 1;

        MenuItemArgs_t(CObject* pSourceObject, const RECT& rcItem, const RECT& rcItemWithIndents,
                       int nIconAreaWidth, LPCTSTR sText, LPCTSTR sAccelText, CExtCmdIcon* pIcon,
                       UINT nCmdID, bool bPopup, bool bSelected, bool bChecked, bool bRadio,
                       bool bIndeterminate, bool bEnabled, bool bRarelyUsed,
                       bool bRarelyUsedPrev, bool bRarelyUsedNext,
                       const RECT* pRcInplaceEdit = NULL, LPCTSTR sInplaceEditText = NULL,
                       bool bChildOpen = false, LPARAM lParam = 0);
    };

    struct DropButtonArgs_t
    {
        CObject* m_pHelperSrc;
        LPARAM m_lParam;
        CRect m_rc;
        bool m_bHover : 1;
        bool m_bPushed : 1;
        bool m_bEnabled : 1;
        COLORREF m_clrForceFace;            // (COLORREF)-1: the manager's colours
        COLORREF m_clrForceBorder;
        COLORREF m_clrForceGlyph;
        bool m_bNoOuterFrame : 1;           // set by DrawComboBox: no XP outer frame

        DropButtonArgs_t(CObject* pHelperSrc, const RECT& rc, bool bHover, bool bPushed,
                         bool bEnabled, LPARAM lParam = 0);
    };

    struct ControlFrameArgs_t
    {
        CObject* m_pHelperSrc;
        LPARAM m_lParam;
        CRect m_rc;                         // inner rectangle; frames go outward
        bool m_bHover : 1;
        bool m_bEnabled : 1;
        bool m_bFocus : 1;

        ControlFrameArgs_t(CObject* pHelperSrc, const RECT& rc, bool bHover, bool bEnabled,
                           bool bFocus, LPARAM lParam = 0);
    };

    struct ComboBoxArgs_t
    {
        CObject* m_pHelperSrc;
        LPARAM m_lParam;
        UINT m_nDrawTextFlags;
        CString m_sText;
        CRect m_rcWhole;
        CRect m_rcText;
        bool m_bDropButton : 1;
        bool m_bHover : 1;
        bool m_bDropped : 1;
        bool m_bEnabled : 1;

        ComboBoxArgs_t(CObject* pHelperSrc, UINT nDrawTextFlags, LPCTSTR sText,
                       const RECT& rcWhole, const RECT& rcText, bool bDropButton, bool bHover,
                       bool bDropped, bool bEnabled, LPARAM lParam = 0);
    };

    // Record of DrawIconLabelItem.
    struct IconLabelItemArgs_t
    {
        CObject* m_pHelperSrc;
        LPARAM m_lParam;
        CExtCmdIcon* m_pIcon1;
        CExtCmdIcon* m_pIcon2;
        BYTE m_nFlags;      // 0x80 separator, 0x40 first icon, 0x20 vertical text, 0x10 info
                            // colours, 0x02 / 0x01 icon frame states
        CRect m_rcItem;
        CRect m_rcIcon;
        CRect m_rcLabel;
        CRect m_rcText;
        LPCTSTR m_sText;                    // never NULL
        UINT m_nAlignFlags;                 // 0x10: vertical text from the top
        HFONT m_hFont;

        IconLabelItemArgs_t();
    };

    // Dock-marker pictures, regions and placement (a tree of leaves and composites).
    class DockMarker
    {
    public:
        DockMarker(int nMarkerType = -1, const RECT* pRect = NULL);
        ~DockMarker();
        DockMarker(const DockMarker&) = delete;
        DockMarker& operator=(const DockMarker&) = delete;

        bool Build(int nMarkerType, const RECT& rc);
        void Clear();
        // Turns every leaf into a marker window appended to the array.
        bool CreateWindows(HWND hWndValue, CPtrArray* pArrWindows);

        // Marker type, -1 = none.
        int m_eMarkerType;
        CBitmap m_bmpNormal;
        CBitmap m_bmpHot;
        CRgn m_rgn;
        CSize m_size;
        CRect m_rcScreen;
        CTypedPtrArray<CPtrArray, DockMarker*> m_arrChildren;

        // The BMP file block of a leaf type (0-4, 8); NULL for other types.
        static const BYTE* GetPictureData(int nMarkerType, UINT* pnSize);

    private:
        bool BuildLeaf(int nMarkerType, const RECT& rc);
        void PlaceLeaf(const RECT& rc);
        bool BuildEdges(const RECT& rc);
    };

    /////////////////////////////////////////////////////////////////////////
    // The glyph set of the framework (ExtPaintManagerGlyphs.cpp)

    enum { GLYPH_COUNT = 49 };
    static const GlyphMatrix_t* const g_arrGlyphs[GLYPH_COUNT];
    static const GlyphMatrix_t g_glyphChevronArrowH;        // 5 x 3
    static const GlyphMatrix_t g_glyphChevronArrowBarH;     // 5 x 6
    static const GlyphMatrix_t g_glyphChevronExpandH;       // 8 x 5
    static const GlyphMatrix_t g_glyphChevronExpandSmallH;  // 6 x 5
    static const GlyphMatrix_t g_glyphChevronArrowV;        // 3 x 5
    static const GlyphMatrix_t g_glyphChevronArrowBarV;     // 6 x 5
    static const GlyphMatrix_t g_glyphDropDownArrowV;       // 3 x 5
    static const GlyphMatrix_t g_glyphSpareArrowBarV;       // 6 x 5
    static const GlyphMatrix_t g_glyphChevronExpandV;       // 5 x 8
    static const GlyphMatrix_t g_glyphChevronExpandSmallV;  // 5 x 6
    static const GlyphMatrix_t g_glyphSubMenuArrow;         // 12 x 16
    static const GlyphMatrix_t g_glyphSubMenuArrowBar;      // 12 x 16
    // Entry n of the glyph table; entry 0 (blank) for an index out of range.
    static const GlyphMatrix_t& GetGlyph(int nIndex);

    /////////////////////////////////////////////////////////////////////////
    // Construction

    CExtPaintManager();
    virtual ~CExtPaintManager();

    /////////////////////////////////////////////////////////////////////////
    // Virtual operations in slot order

    virtual int GetStyleKind();
    virtual int GetMenuSeparatorHeight();
    virtual void GetBoxColors(bool bWindowFill, bool bFixedSet, COLORREF& clrFill,
                              COLORREF& clrBorder, COLORREF& clrGradientStart,
                              COLORREF& clrGradientEnd, COLORREF& clrText);
    virtual void GetLightBoxColors(bool bWindowFace, bool bReserved, COLORREF& clrBorder,
                                   COLORREF& clrFill, COLORREF& clrFill2, COLORREF& clrText);
    virtual bool IsThemeColorSchemeActive();
    virtual int GetThemeColorScheme();
    virtual void OnPaintSessionComplete(CObject* pHelperSrc, LPARAM lParam = 0);
    virtual HBRUSH GetBrush(int nIndex);
    virtual COLORREF GetColor(int nColorIndex, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual COLORREF GetMenuFaceColor(CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual COLORREF GetPopupCaptureColorKey();
    virtual void AdjustBarNcRect(CExtControlBar* pBar, RECT* pRect);
    virtual int GetToolBarRowSpacing(CExtToolControlBar* pBar);
    virtual bool WantsToolBarRowPainting();
    virtual void InitLogicalColors();
    virtual void InitHalftoneBrushes();
    virtual void GetPushedOffset(SIZE* pSize);
    virtual void DrawGlyph(CDC& dc, int x, int y, const GlyphMatrix_t& glyph,
                           const COLORREF* pColorValues);
    virtual void DrawGlyphCentered(CDC& dc, const RECT& rc, const GlyphMatrix_t& glyph,
                                   const COLORREF* pColorValues);
    virtual void DrawToolBarRow();
    virtual void DrawToolBarChevron(CDC& dc, const RECT& rc, bool bHorz, bool bArrowOnly,
                                    bool bEnabled, bool bPushed, bool bHover,
                                    CObject* pHelperSrc, LPARAM lParam = 0,
                                    bool bTransparentBackground = false);
    virtual void DrawMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool bReserved,
                                      CObject* pHelperSrc, LPARAM lParam = 0);
    virtual int GetMenuExpandButtonHeight();
    virtual void DrawTabItem(CDC& dc, bool bReserved, bool bTopLeft, bool bHorz,
                             bool bSelected, bool bCenteredText, bool bGroupedMode,
                             bool bCenterIcon, bool bInvertedVerticalText, const RECT& rcItem,
                             CSize sizeTextMeasured, CFont* pFont, LPCTSTR sText,
                             CExtCmdIcon* pIcon, CObject* pHelperSrc, LPARAM lParam = 0);
    virtual void DrawTabStripBackground(CDC& dc, const RECT& rcClient, const RECT& rcReserved,
                                        const RECT& rcTabItems, int nOrientation,
                                        bool bGroupedMode, CObject* pHelperSrc,
                                        LPARAM lParam = 0);
    virtual void DrawTabStripButton(CDC& dc, const RECT& rc, int nButtonID, bool bReserved,
                                    bool bDirection, bool bEnabled, bool bHover, bool bPushed,
                                    bool bReserved2, CObject* pHelperSrc, LPARAM lParam = 0);
    virtual void DrawMdiClientFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                    LPARAM lParam = 0);
    virtual void GetTabItemMargins(CExtTabWnd* pTabWnd, int& nMarginBefore,
                                   int& nMarginAfter, int& nMarginOuter);
    virtual void DrawThinFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0);
    virtual void DrawButtonIcon(CDC& dc, bool bHorz, LPCTSTR sText, CExtCmdIcon* pIcon,
                                const RECT& rcButton, CRect& rcText, bool bPushed,
                                bool bEnabled, bool bHover, UINT nAlign);
    virtual void DrawNcAreaButton(CDC& dc, NcButtonArgs_t& _nba);
    virtual void DrawSysCommandGlyph(CDC& dc, UINT nHelperSysCmdID, const RECT& rc,
                                     bool bHover, bool bPushed, bool bEnabled);
    virtual void DrawPushButton(CDC& dc, PushButtonArgs_t& _ppbd);
    virtual void GetInsertMarkSize(SIZE* pSize);
    virtual void DrawInsertMark(CDC& dc, const RECT& rc, bool bAtStart, bool bHorz);
    virtual void DrawDragOutline(CDC& dc, const RECT& rc);
    virtual void DrawMenuItem(CDC& dc, MenuItemArgs_t& _mia);
    virtual void DrawMenuSeparatorItem(CDC& dc, const RECT& rc, int nIconAreaWidth, bool bFlag,
                                       CObject* pHelperSrc, LPARAM lParam = 0);
    virtual void DrawSeparator(CDC& dc, const RECT& rc, bool bHorz, bool bNoFill,
                               CObject* pHelperSrc, LPARAM lParam = 0);
    virtual void DrawBarCaption(CDC& dc, BarCaptionArgs_t& _bca);
    virtual void DrawBarFrame(CDC& dc, BarFrameArgs_t& _bfa);
    virtual void DrawControlFrame(CDC& dc, ControlFrameArgs_t& _cfa);
    virtual void DrawComboDropButton(CDC& dc, DropButtonArgs_t& _dba);
    virtual int GetTextHeight(bool bBold);
    virtual int GetMenuShadowSize();
    virtual int GetMenuBorderSize();
    virtual void DrawMenuFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0);
    virtual bool IsFlatStyle();
    virtual void DrawMenuAttachment(CDC& dc, const RECT& rcItem, const RECT& rcMenu, int nSide,
                                    CObject* pHelperSrc, LPARAM lParam = 0);
    virtual void DrawBarBorders(CDC& dc, BarBordersArgs_t& _bba);
    virtual int GetDockingMarkerStyle();
    virtual int GetAutoHideTabStyle();
    virtual bool WantsParentBackground(CWnd* pWnd, LPARAM lParam = 0);
    virtual bool FillBackground(CWnd* pWnd, CDC& dc, const RECT& rc);
    virtual bool DrawParentBackground(bool bClient, CDC& dc, CWnd* pWnd, LPARAM lParam = 0);
    virtual void DrawControlBarBackground(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                          LPARAM lParam = 0);
    virtual void DrawDockBarBackground(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                       LPARAM lParam = 0);
    virtual void FillShadowBackground(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                      LPARAM lParam = 0);
    virtual void DrawGlyphButton(CDC& dc, bool bHorz, const RECT& rc, bool bLeftTop,
                                 bool bHover, bool bPushed, CObject* pHelperSrc,
                                 LPARAM lParam = 0);
    virtual void DrawIconLabelItem(CDC& dc, IconLabelItemArgs_t& _ila);
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(int nDepthBPP, int nResolutionX, int nResolutionY);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual void GetToolBarExtraSize(SIZE* pSize);
    virtual void DrawComboBox(CDC& dc, ComboBoxArgs_t& _cba);
    virtual int GetIconEffectParameter();
    virtual double GetIconEffectFactor();
    virtual void GetBarButtonExtent(SIZE* pSize);
    virtual void DrawSizeGrip(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam = 0);
    virtual void FillWindowColor(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                 LPARAM lParam = 0);
    virtual void DrawWindowColorFrame(CDC& dc, const RECT& rc);
    virtual void DrawHeaderBand(CDC& dc, const RECT& rc, LPCTSTR sText, int nReserved,
                                bool bDrawFrame, bool bPushed, bool bHover);
    virtual void DrawLargeCaptionText(CDC& dc, const RECT& rc, LPCTSTR sText);
    virtual void DrawShadowCaption(CDC& dc, const RECT& rc, LPCTSTR sText);
    virtual void DrawIconTitleText(CDC& dc, const RECT& rc, LPCTSTR sText, CExtCmdIcon* pIcon,
                                   bool bDrawText, bool bPushed, bool bHover, bool bEnabled);
    virtual void DrawIconTitleCaption(CDC& dc, const RECT& rc, LPCTSTR sText);
    virtual void DrawFaceCaption(CDC& dc, const RECT& rc, LPCTSTR sText);
    virtual void DrawCaptionGlyph(CDC& dc, const RECT& rc);
    virtual void DrawRaisedPanel(CDC& dc, const RECT& rc, bool bDotted);
    virtual void DrawPanelEdge(CDC& dc, const RECT& rc, int nOffsetY);
    virtual void DrawSimpleButton(CDC& dc, const RECT& rc, int nReserved, LPCTSTR sText,
                                  bool bFlat, bool bDrawBorder, bool bPushed, bool bHover,
                                  CObject* pHelperSrc, LPARAM lParam = 0);
    virtual void FillShadowRect(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                LPARAM lParam = 0);
    virtual void DrawChildBackground(CDC& dc, const RECT& rcOuter, const RECT& rcInner,
                                     CObject* pHelperSrc, LPARAM lParam = 0);
    virtual void DrawDeepSunkenFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                     LPARAM lParam = 0);
    virtual void DrawRaisedBox(CDC& dc, const RECT& rcOuter, const RECT& rcInner,
                               CObject* pHelperSrc, LPARAM lParam = 0);
    virtual void DrawPopupListCaption(CDC& dc, const RECT& rc, LPCTSTR sText,
                                      CObject* pHelperSrc, LPARAM lParam = 0);
    virtual bool CreateDockMarkerWnd(HWND hWndValue, int nMarkerType, const RECT& rc,
                                     CPtrArray* pArrWindows);
    virtual void AdjustIconLightness(int nKind, CBitmap* pBmpNormal, COLORREF clrKeyNormal,
                                     CBitmap* pBmpHot, COLORREF clrKeyHot);
    virtual void RenderShadowPixels(COLORREF* pPixels, int cx, int cy, bool bClip,
                                    const RECT* pRect1, const RECT* pRect2,
                                    COLORREF clrTint = (COLORREF)-1,
                                    COLORREF clrBorder = (COLORREF)-1, int nBorderWidth = 0);
    virtual void OnToolBarPainted(CObject* pHelperSrc, LPARAM lParam = 0);
    virtual int HitTestCustom(CObject* pHelperSrc, const POINT& pt, LPARAM lParam = 0);
    virtual bool DrawCustom(CDC& dc, CObject* pHelperSrc, LPARAM lParam = 0);

    /////////////////////////////////////////////////////////////////////////
    // Non-virtual operations

    // Fonts and system colours of the platform, re-read on every system change.
    void SyncSysColorsAndFonts();
    // GetTextHeight for each kind: first = bold (or normal) + 2, second = normal + 2.
    std::pair<int, int> GetTextHeights(bool bBold);
    // Part of a tab strip drawn by DrawTabStripBackground.
    void DrawTabStripEdge(CDC& dc, const RECT& rcClient, const RECT& rcTabItems,
                          int nOrientation, bool bGroupedMode, COLORREF clrClient,
                          COLORREF clrItems, COLORREF clrEdge);
    // Glyph of a tab-strip button by its id (-4..-8).
    void DrawTabStripButtonGlyph(CDC& dc, const RECT& rc, int nButtonID, bool bDirection,
                                 bool bEnabled, CObject* pHelperSrc, LPARAM lParam);
    // Border lines of a bar's style word in two colours.
    void DrawBorderLines(CDC& dc, const RECT& rc, DWORD dwStyle, COLORREF clr1, COLORREF clr2);

    /////////////////////////////////////////////////////////////////////////
    // Static helpers (ExtGdiHelpers.cpp)

    // Screen depth that GetScreenColorDepth answers instead of the screen's (0: the
    // screen's); lets tests run the code paths of 256-colour screens.
    static int g_nForcedScreenColorDepth;

    static void RGBtoHLS(COLORREF clr, double* pH, double* pL, double* pS);
    static COLORREF HLStoRGB(double H, double L, double S);
    static COLORREF HLSAdjustColor(COLORREF clr, double dH, double dL, double dS);
    static int GetScreenColorDepth();
    static int GetDCColorDepth(HDC hDC);
    static CRect MeasureTextRect(CDC& dc, HFONT hFont, LPCTSTR sText);
    static void PumpPaintMessages(bool bNcPaint, bool bEraseBkgnd, bool bPaint);
    static void ExcludeChildAreas(HDC hDC, HWND hWndParent,
                                  pfnExcludeChildAreaCallback pCallback = NULL,
                                  LPARAM lParam = 0);
    static void GetMonitorInfoByPoint(MonitorInfo_t& mi, const POINT& pt);
    static void GetMonitorInfoByRect(MonitorInfo_t& mi, const RECT& rc);
    static void GetMonitorInfoByWindow(MonitorInfo_t& mi, CWnd* pWnd);
    static CRect AlignRectToMonitor(const RECT& rc, bool bUseWorkArea, bool bSecondPass);
    static HFONT CreateIconTitleFont(bool bPreferTahoma);
    static HBITMAP CreateDitherBitmap(COLORREF clr1 = (COLORREF)-1, COLORREF clr2 = (COLORREF)-1,
                                      int nMaskX = 1, int nMaskY = 1, int nLineX = 0,
                                      int nLineY = 0, COLORREF clrLine = (COLORREF)-1);
    static void GradientFillRect(CDC& dc, const RECT& rc, COLORREF clrA, COLORREF clrB,
                                 bool bVertical, UINT nMaxBands = 256);
    static void GradientFillTwoPart(CDC& dc, const RECT& rc, COLORREF clr1, COLORREF clr2,
                                    COLORREF clr3, bool bVertical, int nNumerator,
                                    int nDenominator, UINT nMaxBands = 256);
    static HBITMAP CopyBitmapRect(HBITMAP hBitmap, const RECT* pRect = NULL,
                                  COLORREF** ppBits = NULL);
    static HGLOBAL GetBitmapDIB(HBITMAP hBitmap, HPALETTE hPalette = NULL);
    // Stores *phBitmap as a BMP file (storing archive) or loads one into *phBitmap.
    static bool LoadBitmapFromArchive(CArchive& ar, HBITMAP* phBitmap, DWORD dwSize = 0);
    static HBITMAP LoadBitmapFromResource(HINSTANCE hInst, HRSRC hRsrc);
    static HBITMAP LoadBitmapFromMemory(const BYTE* pData, DWORD dwSize);
    static HBITMAP AdjustBitmapColors(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrRange,
                                      double dH, double dL, double dS);
    static bool AdjustBitmapColorsInPlace(CBitmap* pBitmap, COLORREF clrKey, COLORREF clrRange,
                                          double dH, double dL, double dS);
    static HRGN CreateRegionFromBitmap(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrRange = 0);
    static HICON CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent,
                                      const RECT* pRect = NULL, bool bRemapSysColors = false);
    static void TransparentBlit(HDC hDst, int x, int y, int cx, int cy, HDC hSrc, int xs,
                                int ys, int cxs, int cys, COLORREF clrTransparent);
    static void DrawFrameLines(CDC& dc, int x, int y, int cx, int cy, COLORREF clrTopLeft,
                               COLORREF clrBottomRight);
    static void DrawEllipseDot(CDC& dc, int x, int y, COLORREF clr);
    static void DrawCheckMark(CDC& dc, int x, int y, COLORREF clr);

    // Children that the parent's background is painted over (ExcludeChildAreas filter).
    static bool IsParentPaintedChild(HWND hWnd);
    static bool ParentPaintedChildFilter(HDC hDC, HWND hWndParent, HWND hWndChild,
                                         LPARAM lParam);
    // Colours of a bitmap: both answer its bits per pixel, 0 on failure.
    static int GetBitmapColorHistogram(HBITMAP hBitmap, CMap<COLORREF, COLORREF, DWORD, DWORD>& map);
    static int GetBitmapColors(HBITMAP hBitmap, CArray<COLORREF, COLORREF>& arr,
                               bool bNoDuplicates);

    /////////////////////////////////////////////////////////////////////////
    // Member variables

    CArray<COLORREF, COLORREF> m_colors;            // 0-49 system colours, then derived ones
    CArray<HBRUSH, HBRUSH> m_brushes;               // 0-49 system brushes (not owned)
    CMap<int, int, int, int> m_mapColorTranslate;   // logical id -> colour table index
    CachedDC_t m_dcCached1;
    CachedDC_t m_dcCached2;
    CPalette m_paletteHalftone;                     // 252 entries
    CBrush m_brushHalftone[HTB_COUNT];
    CFont m_FontNormal;
    CFont m_FontNormalVert;                         // escapement 2700, reading down
    CFont m_FontNormalVertX;                        // escapement 900, reading up
    CFont m_FontBold;
    CFont m_FontBoldVert;
    CFont m_FontBoldVertX;
    CFont m_FontNormalSmall;                        // small copies: height at most 11 pixels
    CFont m_FontNormalVertSmall;
    CFont m_FontNormalVertXSmall;
    CFont m_FontBoldSmall;
    CFont m_FontBoldVertSmall;
    CFont m_FontBoldVertXSmall;
    CFont m_FontMarlett;                            // symbol font
    UINT m_nDisabledTextStyle;                      // DrawState style of disabled button text
    bool m_bUseTahomaFont : 1;

protected:
    void ReleaseFonts();
    void ResetColorTables();
    void MakeHalftonePalette();
    // Common text of the small operations: measured, centred vertically, left offset.
    void DrawMeasuredText(CDC& dc, const RECT& rcTarget, LPCTSTR sText, HFONT hFont,
                          COLORREF clrText, UINT nFlags, int nLeftOffset);
    // The parts shared by both looks of DrawTabItem.
    void PaintTabItem(CDC& dc, bool bTopLeft, bool bHorz, bool bSelected, bool bCenteredText,
                      bool bGroupedMode, bool bCenterIcon, bool bInvertedVerticalText,
                      const RECT& rcItem, CSize sizeTextMeasured, CFont* pFont, LPCTSTR sText,
                      CExtCmdIcon* pIcon, COLORREF clrText, COLORREF clrFace,
                      COLORREF clrLight, COLORREF clrShadow, COLORREF clrDark);
    bool TabUsesIcon(CExtCmdIcon* pIcon, CObject* pHelperSrc);
    // Frame of one colour pair (Draw3dRect) in logical colour ids.
    void Frame(CDC& dc, const RECT& rc, int nIdTopLeft, int nIdBottomRight,
               CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    void FillId(CDC& dc, const RECT& rc, int nId, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    void DrawGlyphIndex(CDC& dc, const RECT& rc, int nGlyph, COLORREF clr);
    // Mnemonic-aware rotated text of a vertical push button.
    void DrawVerticalButtonText(CDC& dc, const CRect& rcText, LPCTSTR sText, HFONT hFont,
                                COLORREF clrText, bool bDisabledEmboss);
    // Both looks of DrawPushButton share one body; so do the menu items' edit fields.
    void PaintPushButton(CDC& dc, PushButtonArgs_t& _ppbd, bool bFlatLook);
    // Drop-down arrow and icon (or system-command glyph) of a push button; answers the
    // rectangle left for its text.
    CRect PaintPushButtonGlyphs(CDC& dc, const PushButtonArgs_t& a, const CRect& rcContent,
                                const CRect& rcArrow, const GlyphMatrix_t& glyphArrow,
                                bool bHover, bool bArrowPushed, CSize sizePushedOffset,
                                bool bFlatLook);
    // Text colour of a push button in its state, the caller's forced colours first.
    COLORREF PushButtonTextColor(const PushButtonArgs_t& a, bool bFlatLook, bool bHover);
    // Text of a push button in rcText: across, or reading down on a vertical button.
    void PaintPushButtonText(CDC& dc, const PushButtonArgs_t& a, const CRect& rcText,
                             COLORREF clrText, bool bFlatLook);
    void DrawMenuItemInplaceEdit(CDC& dc, MenuItemArgs_t& _mia, bool bFlatLook);
};

/////////////////////////////////////////////////////////////////////////////
// CExtPaintManagerXP: the flat look, colours derived from the system colours.

class CExtPaintManagerXP : public CExtPaintManager
{
    DECLARE_DYNCREATE(CExtPaintManagerXP)

public:
    CExtPaintManagerXP();
    virtual ~CExtPaintManagerXP();

    virtual int GetStyleKind() override;
    virtual int GetMenuSeparatorHeight() override;
    virtual bool IsThemeColorSchemeActive() override;
    virtual COLORREF GetMenuFaceColor(CObject* pHelperSrc = NULL, LPARAM lParam = 0) override;
    virtual void InitLogicalColors() override;
    virtual void GetPushedOffset(SIZE* pSize) override;
    virtual void DrawToolBarChevron(CDC& dc, const RECT& rc, bool bHorz, bool bArrowOnly,
                                    bool bEnabled, bool bPushed, bool bHover,
                                    CObject* pHelperSrc, LPARAM lParam = 0,
                                    bool bTransparentBackground = false) override;
    virtual void DrawMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool bReserved,
                                      CObject* pHelperSrc, LPARAM lParam = 0) override;
    virtual void DrawTabItem(CDC& dc, bool bReserved, bool bTopLeft, bool bHorz,
                             bool bSelected, bool bCenteredText, bool bGroupedMode,
                             bool bCenterIcon, bool bInvertedVerticalText, const RECT& rcItem,
                             CSize sizeTextMeasured, CFont* pFont, LPCTSTR sText,
                             CExtCmdIcon* pIcon, CObject* pHelperSrc,
                             LPARAM lParam = 0) override;
    virtual void DrawTabStripBackground(CDC& dc, const RECT& rcClient, const RECT& rcReserved,
                                        const RECT& rcTabItems, int nOrientation,
                                        bool bGroupedMode, CObject* pHelperSrc,
                                        LPARAM lParam = 0) override;
    virtual void DrawMdiClientFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                    LPARAM lParam = 0) override;
    virtual void DrawThinFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                               LPARAM lParam = 0) override;
    virtual void DrawButtonIcon(CDC& dc, bool bHorz, LPCTSTR sText, CExtCmdIcon* pIcon,
                                const RECT& rcButton, CRect& rcText, bool bPushed,
                                bool bEnabled, bool bHover, UINT nAlign) override;
    virtual void DrawNcAreaButton(CDC& dc, NcButtonArgs_t& _nba) override;
    virtual void DrawSysCommandGlyph(CDC& dc, UINT nHelperSysCmdID, const RECT& rc,
                                     bool bHover, bool bPushed, bool bEnabled) override;
    virtual void DrawPushButton(CDC& dc, PushButtonArgs_t& _ppbd) override;
    virtual void DrawMenuItem(CDC& dc, MenuItemArgs_t& _mia) override;
    virtual void DrawMenuSeparatorItem(CDC& dc, const RECT& rc, int nIconAreaWidth, bool bFlag,
                                       CObject* pHelperSrc, LPARAM lParam = 0) override;
    virtual void DrawSeparator(CDC& dc, const RECT& rc, bool bHorz, bool bNoFill,
                               CObject* pHelperSrc, LPARAM lParam = 0) override;
    virtual void DrawBarCaption(CDC& dc, BarCaptionArgs_t& _bca) override;
    virtual void DrawBarFrame(CDC& dc, BarFrameArgs_t& _bfa) override;
    virtual void DrawControlFrame(CDC& dc, ControlFrameArgs_t& _cfa) override;
    virtual void DrawComboDropButton(CDC& dc, DropButtonArgs_t& _dba) override;
    virtual int GetMenuBorderSize() override;
    virtual void DrawMenuFrame(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                               LPARAM lParam = 0) override;
    virtual bool IsFlatStyle() override;
    virtual void DrawMenuAttachment(CDC& dc, const RECT& rcItem, const RECT& rcMenu, int nSide,
                                    CObject* pHelperSrc, LPARAM lParam = 0) override;
    virtual void DrawBarBorders(CDC& dc, BarBordersArgs_t& _bba) override;
    virtual bool DrawParentBackground(bool bClient, CDC& dc, CWnd* pWnd,
                                      LPARAM lParam = 0) override;
    virtual void FillShadowBackground(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                      LPARAM lParam = 0) override;
    virtual void DrawIconLabelItem(CDC& dc, IconLabelItemArgs_t& _ila) override;
    virtual void DrawComboBox(CDC& dc, ComboBoxArgs_t& _cba) override;
    virtual void DrawWindowColorFrame(CDC& dc, const RECT& rc) override;
    virtual void DrawHeaderBand(CDC& dc, const RECT& rc, LPCTSTR sText, int nReserved,
                                bool bDrawFrame, bool bPushed, bool bHover) override;
    virtual void DrawPopupListCaption(CDC& dc, const RECT& rc, LPCTSTR sText,
                                      CObject* pHelperSrc, LPARAM lParam = 0) override;

    // Member variables
    bool m_bEnabledHoverIconShadows : 1;    // bit 0: hot icons and glyphs cast a shadow
    bool m_bSquareDottedFrame : 1;          // bit 1: square dotted bar outline at 8 bits
    bool m_bSwapChevronGlyphs : 1;          // bit 2: chevron glyph positions exchanged
    const GlyphMatrix_t* m_pGlyphChevronArrowH;
    const GlyphMatrix_t* m_pGlyphChevronExpandH;
    const GlyphMatrix_t* m_pGlyphChevronArrowV;
    const GlyphMatrix_t* m_pGlyphChevronExpandV;
    // Gradient ids, -1 = no gradient; menu icon band: start, end, colour at the split.
    int m_nIdxClrMenuBandNormal[3];
    int m_nIdxClrMenuBandRarely[3];
    // Push-button gradients: pairs for hover, pushed, hover and pushed.
    int m_nIdxClrBtnHover[2];
    int m_nIdxClrBtnPushed[2];
    int m_nIdxClrBtnHoverPushed[2];

protected:
    // Whether a gradient group is fully set.
    static bool IsGradientSet(const int* pIds, int nCount);
};

#include "ExtPaintManagerHolder.h"
