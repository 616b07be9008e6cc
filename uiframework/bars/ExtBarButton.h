// ExtBarButton.h - the items of a toolbar: command buttons, separators, drop-downs,
// hosted controls and the chevron that lists the buttons a docked row cannot show.
//
// Notes
// - A button belongs to one CExtToolControlBar (NULL for a button made by dynamic
//   creation); rectangles are in the bar's client coordinates.
// - Style bits: 0x1 separator (own id 0), 0x2 check style, 0x10000 checked, 0x20000
//   pressed or tracked, 0x40000 disabled, 0x80000 hidden, 0x100000 indeterminate.
// - Tool-tip texts handed to the class library are allocated with malloc: the library
//   frees them with free().
// - UI thread only.

#pragma once

#include "afxwin.h"
#include "afxtempl.h"

class CExtToolControlBar;
class CExtPopupMenuWnd;
class CExtCmdIcon;

class CExtBarButton : public CObject
{
    DECLARE_DYNCREATE(CExtBarButton)

public:
    enum e_Style_t
    {
        BS_SEPARATOR = 0x1,
        BS_CHECKSTYLE = 0x2,
        BS_CHECKED = 0x10000,
        BS_PRESSED = 0x20000,
        BS_DISABLED = 0x40000,
        BS_HIDDEN = 0x80000,
        BS_INDETERMINATE = 0x100000,
    };

    explicit CExtBarButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);
    virtual ~CExtBarButton();

    virtual void SyncControlVisibility();
    virtual BOOL IsLargeIcon() const;
    virtual BOOL IsTooltipEnabled() const;
    virtual BOOL IsAccelInTooltip() const;
    virtual UINT GetCmdID(BOOL bEffective = TRUE) const;
    virtual void SetCmdID(UINT nID, BOOL bEffectiveOnly = FALSE, BOOL bRedraw = FALSE);
    virtual BOOL IsSeparatedDropDown() const;
    virtual void SetSeparatedDropDown(BOOL bSet = TRUE);
    virtual BOOL IsPlainClickMenu() const;
    virtual void SetPlainClickMenu(BOOL bSet = TRUE);
    virtual BOOL IsNoRotate() const;
    virtual void SetNoRotate(BOOL bSet = TRUE);
    virtual BOOL IsCtrlVisibleInLayout() const;
    virtual void SetCtrlVisibleInLayout(BOOL bSet = TRUE);
    virtual CWnd* GetCtrl();
    virtual void SetCtrl(CWnd* pCtrl, BOOL bCtrlDeletesItself = FALSE);
    virtual UINT GetStyle() const;
    virtual void SetStyle(UINT nStyle);
    virtual void ModifyStyle(UINT nAdd, UINT nRemove = 0);
    virtual void MarkMenuTracking();
    virtual void UnmarkMenuTracking();
    virtual BOOL IsMenuTracking() const;
    virtual void SetVertical(BOOL bVertical);
    virtual BOOL IsWrap(int nState) const;
    virtual void SetWrap(int nState, BOOL bWrap);
    virtual BOOL IsSeparator() const;
    virtual BOOL IsDisabled() const;
    virtual BOOL IsIndeterminate() const;
    virtual BOOL IsPressed() const;
    virtual void SetVisible(BOOL bVisible);
    virtual BOOL IsVisible() const;
    virtual void SetHover(BOOL bHover);
    virtual BOOL IsHover() const;
    virtual void GetDisplayText(CString& strText) const;
    virtual void SetRect(const RECT& rc);
    virtual CRect GetDisplayRect() const;
    virtual CRect CalcDropDownRect() const;
    virtual CSize GetSize() const;
    virtual void SetMenu(HMENU hMenu, BOOL bSubPopup, BOOL bOwnMenu);
    virtual HMENU GetMenu() const;
    virtual void SetAppendMdiWindowsMenu(BOOL bSet);
    virtual BOOL IsAppendMdiWindowsMenu() const;
    virtual BOOL IsDropDown() const;
    virtual BOOL IsMenuButton(BOOL bIncludeChevron = TRUE) const;
    virtual BOOL IsMenuSubPopup() const;
    virtual CSize CalcSize(CDC& dc, CSize sizeDefault, BOOL bHorz);
    virtual BOOL PutToPopupMenu(CExtPopupMenuWnd* pPopup);
    virtual CExtCmdIcon* GetIcon();
    virtual CWnd* GetCmdTargetWnd() const;
    virtual void Paint(CDC& dc, BOOL bHorz);
    virtual int TrackButtonPopup(CPoint point, BOOL bSelectFirst, BOOL bNoAnimation);
    virtual void OnHover(CPoint point, BOOL bSelected, BOOL bEnter);
    virtual void OnClick(CPoint point, BOOL bDown);
    virtual void DeliverCommand();
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI);
    virtual int OnHelpHitTest(CPoint point);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex);
    virtual BOOL IsPlainCommandButton() const;
    virtual void RedrawButton(BOOL bUpdateNow = FALSE);
    virtual int GetTrackAlignment() const;
    virtual BOOL OnQueryCursor(CPoint point);

    CExtToolControlBar* GetBar() const { return m_pBar; }
    // The bar window's command profile (NULL without a bar window).
    LPCTSTR GetProfileName() const;
    // Tool-tip text copied the way the class library frees it.
    static LPSTR AllocTipText(const CString& strText);
    // The button painter given to popups that open from a bar button.
    static void stat_PaintButtonInPopup(LPVOID pCookie, CDC& dc, const CWnd& wndMenu,
                                        const CRect& rcExclude, int eCombineAlign);

    CExtToolControlBar* m_pBar;
    UINT m_nCmdID;
    UINT m_nEffectiveCmdID;
    UINT m_nStyle;
    CSize m_size;
    CRect m_rc;
    CWnd* m_pCtrl;
    HMENU m_hMenu;
    BYTE m_nFlags1;
    BYTE m_nFlags2;

protected:
    // Starts the popup as a drop-down of this button; FALSE when it could not track (the
    // popup is deleted here then, never by itself).
    bool StartPopupTracking(CExtPopupMenuWnd* pPopup, CPoint ptScreen, BOOL bSelectFirst,
                            BOOL bNoAnimation);
};

class CExtBarContentExpandButton : public CExtBarButton
{
    DECLARE_DYNCREATE(CExtBarContentExpandButton)

public:
    enum { ID_CHEVRON = (UINT)-66 };

    explicit CExtBarContentExpandButton(CExtToolControlBar* pBar = NULL);

    virtual CSize CalcSize(CDC& dc, CSize sizeDefault, BOOL bHorz) override;
    virtual void Paint(CDC& dc, BOOL bHorz) override;
    virtual void OnHover(CPoint point, BOOL bSelected, BOOL bEnter) override;
    virtual void OnClick(CPoint point, BOOL bDown) override;
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) override;
    virtual int TrackButtonPopup(CPoint point, BOOL bSelectFirst, BOOL bNoAnimation) override;

    // Fills the popup as the chevron does (also used by tests); FALSE when nothing was added.
    bool FillChevronPopup(CExtPopupMenuWnd* pPopup);

    CArray<CExtBarButton*, CExtBarButton*> m_arrHiddenButtons;
    bool m_bLaidOut;
};
