// ExtPopupColorMenuWnd.h - the colour popup menu.
//
// Declares CExtPopupColorMenuWnd: a popup menu that shows a grid of 40 named colours with
// an optional "Default Color" button above and an optional "Custom Color ..." button below.
//
// Notes
// - The popup posts registered messages (g_nMsgNotifyColorChanged while the user moves,
//   g_nMsgNotifyColorChangedFinally or g_nMsgNotifyCustColor on the choice) to its
//   notification window, else to its command receiver; lParam is the cookie. It delivers no
//   command of its own: the tracking ends with EndWithCommand(0).
// - The final colour (or -2 for "Custom Color ...") is also stored through m_pClrResult.
// - Indexes: 0-39 colour cells, -4 the default button, -5 the custom button, -1 none.

#pragma once

#include "ExtPopupMenuWnd.h"

// CExtPopupColorMenuWnd is a grid of colours tracked like a popup menu.
class CExtPopupColorMenuWnd : public CExtPopupMenuWnd, public CExtPopupColorMenuWndMessages
{
    DECLARE_DYNCREATE(CExtPopupColorMenuWnd)

public:
    // One entry of the colour table.
    struct ColorEntry_t
    {
        COLORREF m_clr;
        LPCTSTR m_sName;
    };
    enum
    {
        COLOR_COUNT = 40,
        COLOR_COLUMNS = 8,
        COLOR_ROWS = 5,
        IDX_DEFAULT_BUTTON = -4,
        IDX_CUSTOM_BUTTON = -5,
        FLAG_DEFAULT_BUTTON = 0x01,
        FLAG_CUSTOM_BUTTON = 0x02,
    };
    static const ColorEntry_t g_arrColors[COLOR_COUNT];

    CExtPopupColorMenuWnd();
    virtual ~CExtPopupColorMenuWnd();

    // Overrides
    virtual void PaintContent(CDC& dc, bool bUseMemDC) override;
    virtual bool HasNoSpecialItems() const override;
    virtual bool CreatePopupWindow(CWnd* pWndParent) override;
    virtual int HitTestItem(CPoint point, bool* pbOverEdit = NULL,
                            bool* pbOverSplit = NULL) override;
    virtual bool OnHookMouseMove(UINT nFlags, CPoint point, bool& bNoEat) override;
    virtual bool OnHookMouseClick(UINT nMessage, CPoint point, bool& bNoEat) override;
    virtual bool OnHookKey(UINT nChar, UINT nRepCnt, UINT nFlags, bool& bNoEat) override;
    virtual bool IsItemTipAllowed() override;
    virtual CSize CalcSize() override;

    // Operations
    // The rectangle of a colour cell, client coordinates.
    CRect GetColorItemRect(int nIndex);
    // The entry under a client point: a cell, -4, -5 or -1.
    int ColorIndexFromPoint(CPoint point);
    static int ColorIndexToColumn(int nIndex) { return nIndex % COLOR_COLUMNS; }
    static int ColorIndexToRow(int nIndex) { return nIndex / COLOR_COLUMNS; }
    static int ColorIndexFromColumnRow(int nColumn, int nRow)
        { return nRow * COLOR_COLUMNS + nColumn; }
    // The colour of an index (-4: the default colour); -1 for none.
    COLORREF GetColorOfIndex(int nIndex) const;
    bool IsDefaultButtonShown() const { return (m_nFlags & FLAG_DEFAULT_BUTTON) != 0; }
    bool IsCustomButtonShown() const { return (m_nFlags & FLAG_CUSTOM_BUTTON) != 0; }

    // Member variables
    HWND m_hWndNotification;            // NULL: the command receiver
    LPARAM m_lParamCookie;
    COLORREF* m_pClrResult;             // not owned, may be NULL
    COLORREF m_clrDefault;
    COLORREF m_clrInitial;              // (COLORREF)-1: none
    CString m_sBtnTextColorDefault;
    CString m_sBtnTextColorCustom;
    CRect m_rcDefColorText;
    CRect m_rcCustColorText;
    int m_nColorIdxCurr;                // hot entry
    int m_nInitialColorIdx;             // selected cell
    BYTE m_nFlags;                      // FLAG_* bits
    bool m_bNotifyBusy;

protected:
    // Posts the changed (bFinal FALSE) or the final notification for the hot entry.
    void NotifyColorChanged(bool bFinal);
    void ShowCellTip(int nIndex);
    CSize MeasureButtonText(const CString& sText);
    int GetSeparatorHeight();
    void CalcButtonRects();

public:
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);

    DECLARE_MESSAGE_MAP()
};
