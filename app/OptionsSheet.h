// OptionsSheet.h - COptionsSheet, the design view's Options sheet, and COptionsGeneral,
// its one page.
//
// The page edits a copy of the options; the view fills it before the sheet runs and takes
// the values back on OK (and stores them, COptionsStore). The ranges of the values are
// those of the stored options (model/OptionsKeys.h). Colours are ARGB; the shadow length is an index (length / 3).

#pragma once

#include "afxdlgs.h"
#include "ColorPickers.h"
#include "model/OptionsKeys.h"
#include "resources/options_resource.h"

// Shadow length of each index of the length list.
const int SHADOW_LENGTH_STEP = 3;
const int SHADOW_LENGTH_COUNT = 4;

// COptionsGeneral shows the shadow, background, grid, inner border and tip options.
class COptionsGeneral : public CPropertyPage
{
    DECLARE_DYNAMIC(COptionsGeneral)

public:
    COptionsGeneral();
    virtual ~COptionsGeneral();

    enum { IDD = IDD_OPTIONS_GENERAL };

    // Values of the page
    DWORD m_clrShadow;          // ARGB
    int m_nShadowLength;        // index: 0 None, 1 Small, 2 Medium, 3 Large
    DWORD m_clrBackground;      // ARGB, background of the shown side
    BOOL m_bDisplayGrid;
    DWORD m_clrGrid;            // ARGB
    int m_nGridSize;            // document units, MIN_GRID_SIZE..MAX_GRID_SIZE
    int m_nGridType;            // 0 dotted, 1 solid
    BOOL m_bInnerBorder;
    BOOL m_bShowTip;

    // Controls
    CColorPickerCombo m_comboShadowColor;
    CColorPickerCombo m_comboBackground;
    CColorPickerCombo m_comboGridColor;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    // Grid colour and size are editable only while the grid is shown.
    void EnableGridControls();
    afx_msg void OnDisplayGrid();
    afx_msg void OnShowTip();

    DECLARE_MESSAGE_MAP()
};

// COptionsSheet is the modal "Options" sheet; it opens centred on the main window.
class COptionsSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(COptionsSheet)

public:
    COptionsSheet(LPCTSTR pszCaption, CWnd* pParentWnd);

protected:
    virtual BOOL OnInitDialog() override;
};
