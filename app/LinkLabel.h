// LinkLabel.h - CLinkLabel, a static text control with its own painting.
//
// Notes
// - Dialogs subclass their static controls with it through DDX_Control.
// - Colours, a background brush or a horizontal gradient, any font, 3D, rotated and
//   flashing text, transparency, and a link that opens a target through the shell,
//   opens a mail address, or only notifies the parent (WM_NOTIFY, code
//   LINKLABEL_NOTIFY_CLICK). Every setter returns the label so that calls chain.
// - The label owns its font, its default brush and its own background brush.

#pragma once

#include "afxwin.h"

// Notification code of a notify-only link click.
const UINT LINKLABEL_NOTIFY_CLICK = 0x8200;

// Opens a link target with a shell verb (NULL: the default verb).
typedef void (*PFN_LINK_OPEN)(LPCSTR pszVerb, LPCSTR pszTarget);

// CLinkLabel paints a static control's text with its own colours, font and link.
class CLinkLabel : public CStatic
{
public:
    CLinkLabel();
    virtual ~CLinkLabel();

    CLinkLabel(const CLinkLabel&) = delete;
    CLinkLabel& operator=(const CLinkLabel&) = delete;

    // Setters
    virtual CLinkLabel& SetBkColor(COLORREF crBack, COLORREF crGradientEnd = 0, BOOL bGradient = FALSE);
    virtual CLinkLabel& SetTextColor(COLORREF crText);
    virtual CLinkLabel& SetText(const CString& strText);
    virtual CLinkLabel& SetFontBold(BOOL bBold);
    virtual CLinkLabel& SetFontName(const CString& strFont, BYTE byCharSet = ANSI_CHARSET);
    virtual CLinkLabel& SetFontUnderline(BOOL bSet);
    virtual CLinkLabel& SetFontItalic(BOOL bSet);
    virtual CLinkLabel& SetFontSize(int nSize);
    virtual CLinkLabel& SetSunken(BOOL bSet);
    virtual CLinkLabel& SetBorder(BOOL bSet);
    virtual CLinkLabel& SetTransparent(BOOL bSet);
    virtual CLinkLabel& FlashText(BOOL bActivate);
    virtual CLinkLabel& FlashBackground(BOOL bActivate);
    virtual CLinkLabel& SetLink(BOOL bLink, BOOL bNotifyOnly);
    virtual CLinkLabel& SetLinkCursor(HCURSOR hCursor);
    virtual CLinkLabel& Set3DText(BOOL bSet, BOOL bSunken = FALSE);
    virtual CLinkLabel& SetFontRotation(int nAngle, BOOL bRotated = TRUE);
    virtual CLinkLabel& Set3DHighlightColor(COLORREF cr);
    virtual CLinkLabel& SetFontFull(const LOGFONT& lf);
    virtual CLinkLabel& SetMailLink(BOOL bLink, BOOL bNotifyOnly);
    virtual CLinkLabel& SetLinkTarget(const CString& strTarget);

    // Operations
    // Repaints the label and the parent's area under it.
    void RedrawAll();
    // What a click opens: the target (the window text when there is none) for a link,
    // "mailto:" and the window text for a mail link, empty otherwise.
    CString GetTargetToOpen() const;
    // Replaces the shell call that opens links (NULL: the shell); returns the previous.
    static PFN_LINK_OPEN SetOpenProc(PFN_LINK_OPEN pfnOpen);
    // Bands of a gradient over a rectangle: min(100, width), at least 1.
    static int GetGradientSteps(int nWidth);
    // Paints a horizontal gradient from crFrom to crTo in nSteps bands.
    static void PaintGradient(CDC* pDC, const CRect& rc, COLORREF crFrom, COLORREF crTo, int nSteps);

    // Member variables
    COLORREF m_crText;
    COLORREF m_cr3DHighlight;       // second, offset copy of 3D text
    HBRUSH m_hDefaultBrush;         // COLOR_BTNFACE; owned
    HBRUSH m_hBackBrush;            // own solid background; owned, NULL when none
    LOGFONT m_lf;
    CFont m_font;
    BOOL m_bFlashState;             // phase of flashing, toggled by the timer
    BOOL m_bTimerSet;
    int m_nLinkType;                // 0 none, 1 link (shell "open"), 2 mail link
    BOOL m_bTransparent;
    BOOL m_b3DText;
    BOOL m_bNotifyOnly;
    BOOL m_bRotated;
    int m_nFlashMode;               // 0 none, 1 text, 2 background
    HCURSOR m_hLinkCursor;          // not owned
    BOOL m_b3DSunken;
    BOOL m_bGradient;
    COLORREF m_crGradientEnd;
    COLORREF m_crBack;
    CString m_strLinkTarget;        // opened instead of the window text when not empty

protected:
    void ReconstructFont();
    virtual void PreSubclassWindow() override;

    // Message handlers
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();

    DECLARE_MESSAGE_MAP()
};
