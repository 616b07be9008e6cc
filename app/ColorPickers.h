// ColorPickers.h - CColorPickerCombo, the owner-drawn colour chooser of the property pages
// and the options page, and its data exchange.
//
// Notes
// - The list holds the ten named colours of g_aPickerColors and "More...", which runs the
//   common colour dialog. Item data is a COLORREF; values exchanged with pages are ARGB.
// - A value that matches no named colour (alpha other than 255 included) selects "More..."
//   and becomes that item's colour.
// - Cancel in the colour dialog of "More..." gives back the item chosen before it.

#pragma once

#include "afxctrls.h"

// CColorPickerCombo fills itself when its dialog control is subclassed and draws each item
// as a swatch beside its name.
class CColorPickerCombo : public CComboBox
{
    DECLARE_DYNAMIC(CColorPickerCombo)

public:
    explicit CColorPickerCombo(DWORD clrInitial = 0xFF000000);
    virtual ~CColorPickerCombo();

    // The current item's colour as ARGB (alpha 255).
    DWORD GetSelectedColor() const;
    // Selects the first named colour equal to clr (all four bytes), else "More..." with clr.
    void SelectColor(DWORD clr);

    // Overrides
    virtual void PreSubclassWindow() override;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    // Index of the "More..." item.
    static constexpr int MORE_ITEM = 10;

    // Member variables
    DWORD m_clrSelected;        // ARGB, the colour last chosen
    DWORD m_clrInitial;         // ARGB, kept for the owner
    int m_nAccepted;            // item chosen last by the user or selected by the program

protected:
    void FillList();
    afx_msg void OnSelChange();
    afx_msg LRESULT OnSetCurSel(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// Exchanges an ARGB value with the colour chooser of control nIDC.
void AFXAPI DDX_ColorPicker(CDataExchange* pDX, int nIDC, DWORD& clrValue);

// CGradientPatternCbo lists the 43 fill kinds, each drawn as a sample painted in the
// owner's fill and pattern colours ("None" for kind 0). Item data is the fill kind.
class CGradientPatternCbo : public CComboBox
{
    DECLARE_DYNAMIC(CGradientPatternCbo)

public:
    explicit CGradientPatternCbo(int nInitial = 0);
    virtual ~CGradientPatternCbo();

    virtual void PreSubclassWindow() override;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    DWORD m_clrFill;            // ARGB colours of the samples
    DWORD m_clrPattern;
    int m_nInitial;             // kept for the owner

protected:
    void FillList();
};

// Exchanges an item index (the item whose index equals the value) with combo nIDC; when
// saving, the value is the current item's data.
void AFXAPI DDX_ComboItemData(CDataExchange* pDX, int nIDC, int& nValue);
