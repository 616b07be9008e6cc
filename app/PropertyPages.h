// PropertyPages.h - the six pages of the element property sheet: blank, Line, Pattern,
// General, Text and Font.
//
// Notes
// - Every page filters and corrects its fields as the user leaves them and asks the
//   design view to apply the page at once (NotifyApplyProperties).
// - Colours are ARGB; positions and sizes are document units (hundredths of an inch).

#pragma once

#include "afxdlgs.h"
#include "afxcmn.h"
#include "ColorPickers.h"

// WM_APPLYPROPERTIES asks the active design view to write the sheet's pages to the
// selected element (sent, both parameters 0).
#define WM_APPLYPROPERTIES (WM_USER + 1)

// Removes every character but digits and '-' from the edit's text; empty or "-" gives "0".
// The filtered text is written back; returns its value.
int FilterNumericText(CWnd* pPage, int nIDC);
// The page's request to apply: its controls into its members, then WM_APPLYPROPERTIES to
// the active view of the main frame's active child frame. Only for pages of the sheet.
void NotifyApplyProperties(CPropertyPage* pPage);

// Hint shown while nothing is selected.
class CPropBlank : public CPropertyPage
{
public:
    CPropBlank();
};

class CPropLine : public CPropertyPage
{
public:
    CPropLine();

    DWORD m_clrLine;
    int m_nWidth;
    int m_nStyle;               // dash style 0..4
    int m_nLineType;            // line direction 0..3
    int m_nLeft, m_nTop, m_nRight, m_nBottom;
    BOOL m_bLock;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    afx_msg void OnSpinWidth(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLock();
    afx_msg void OnPositionKillFocus(UINT nID);
    afx_msg void OnApplyPage();
    void EnablePosition();

    CColorPickerCombo m_comboColor;

    DECLARE_MESSAGE_MAP()
};

class CPropShape : public CPropertyPage
{
public:
    CPropShape();

    DWORD m_clrBorder;
    int m_nBorderWidth;
    int m_nBorderStyle;
    DWORD m_clrFill;
    int m_nFillKind;
    DWORD m_clrPattern;
    BOOL m_bShadow;
    BOOL m_bTransparent;
    int m_nKind;                // element kind; 99 until loaded

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    afx_msg void OnSpinWidth(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTransparent();
    afx_msg void OnFillColorKillFocus();
    afx_msg void OnPatternColorKillFocus();
    afx_msg void OnApplyPage();
    void EnableFill();
    void Apply();

    CColorPickerCombo m_comboBorder;
    CColorPickerCombo m_comboFill;
    CColorPickerCombo m_comboPattern;
    CGradientPatternCbo m_comboKind;

    DECLARE_MESSAGE_MAP()
};

class CPropShapeGeneral : public CPropertyPage
{
public:
    CPropShapeGeneral();

    int m_nLeft, m_nTop, m_nWidth, m_nHeight;
    int m_nRotation;
    BOOL m_bLock;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    afx_msg void OnPositionKillFocus(UINT nID);
    afx_msg void OnSizeKillFocus(UINT nID);
    afx_msg void OnRotationKillFocus();
    afx_msg void OnLock();
    void EnableFields();
    void Apply();

    DECLARE_MESSAGE_MAP()
};

class CPropText : public CPropertyPage
{
public:
    CPropText();

    int m_nKind;                // 115 text, 212 database text; 99 until loaded
    CString m_strText;
    int m_nLeft, m_nTop, m_nWidth, m_nHeight;
    int m_nVAlign;              // 0 top .. 2 bottom
    int m_nHAlign;              // 0 left .. 2 right
    BOOL m_bLock;
    BOOL m_bVertical;
    int m_nRotation;

    // Sets the labelling of the two alignment groups for vertical or horizontal text.
    void SetAlignLabels(BOOL bVertical);

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    afx_msg void OnTextChange();
    afx_msg void OnApplyPage();
    afx_msg void OnPositionKillFocus(UINT nID);
    afx_msg void OnSizeKillFocus(UINT nID);
    afx_msg void OnRotationKillFocus();
    afx_msg void OnLock();
    afx_msg void OnVertical();
    afx_msg void OnApplyControl();
    afx_msg void OnApplyControlRange(UINT nID);
    afx_msg void OnDataSource();
    void EnableFields();
    // Cuts a text of 256 characters or more to 255 after the message; TRUE when it was cut.
    BOOL TruncateLongText();

    BOOL m_bTruncating;

    DECLARE_MESSAGE_MAP()
};

class CFontPage : public CPropertyPage
{
public:
    explicit CFontPage(const LOGFONT* pLogFont = NULL, DWORD clrText = 0xFF000000);
    virtual ~CFontPage();

    // Takes face, size, style and effects from a font description.
    void SetLogFont(const LOGFONT& lf);
    // Rebuilds the sample font from the page's fields.
    void UpdateSampleFont();
    // Makes both fonts from a font description and shows the sample in them.
    void SetSampleFont(const LOGFONT& lf);

    CFont m_fontSample;     // the element's font: its height is the size in points
    CFont m_fontShown;      // the same at that size on this screen, for the sample
    BOOL m_bStrikeOut;
    BOOL m_bUnderline;
    CString m_strFace;
    CString m_strSize;
    CString m_strStyle;
    DWORD m_clrText;
    int m_nLogPixelsY;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    afx_msg void OnFontChange();
    afx_msg void OnApplyPage();

    CColorPickerCombo m_comboColor;

    DECLARE_MESSAGE_MAP()
};
