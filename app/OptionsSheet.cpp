// OptionsSheet.cpp - the Options sheet and its General page.

#include "OptionsSheet.h"

namespace
{
const char* const kShadowLengths[SHADOW_LENGTH_COUNT] = { "None", "Small", "Medium", "Large" };
const char* const kGridSizes[] = { "12", "20", "40", "60", "100" };
}

IMPLEMENT_DYNAMIC(COptionsGeneral, CPropertyPage)

BEGIN_MESSAGE_MAP(COptionsGeneral, CPropertyPage)
    ON_BN_CLICKED(IDC_OPTIONS_DISPLAY_GRID, OnDisplayGrid)
    ON_BN_CLICKED(IDC_OPTIONS_SHOW_TIP, OnShowTip)
END_MESSAGE_MAP()

COptionsGeneral::COptionsGeneral()
    : CPropertyPage(IDD),
      m_clrShadow(0xFFC0C0C0),
      m_nShadowLength(2),
      m_clrBackground(0xFFFFFFFF),
      m_bDisplayGrid(FALSE),
      m_clrGrid(0xFFE6E6E6),
      m_nGridSize(40),
      m_nGridType(1),
      m_bInnerBorder(FALSE),
      m_bShowTip(TRUE)
{
}

COptionsGeneral::~COptionsGeneral()
{
}

// Shadow, background and grid settings; a grid size outside its bounds is refused with a message.
void COptionsGeneral::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OPTIONS_SHADOW_COLOR, m_comboShadowColor);
    DDX_Control(pDX, IDC_OPTIONS_BACKGROUND, m_comboBackground);
    DDX_Control(pDX, IDC_OPTIONS_GRID_COLOR, m_comboGridColor);
    DDX_ColorPicker(pDX, IDC_OPTIONS_SHADOW_COLOR, m_clrShadow);
    DDX_CBIndex(pDX, IDC_OPTIONS_SHADOW_LENGTH, m_nShadowLength);
    DDX_ColorPicker(pDX, IDC_OPTIONS_BACKGROUND, m_clrBackground);
    DDX_Check(pDX, IDC_OPTIONS_DISPLAY_GRID, m_bDisplayGrid);
    DDX_ColorPicker(pDX, IDC_OPTIONS_GRID_COLOR, m_clrGrid);
    DDX_Text(pDX, IDC_OPTIONS_GRID_SIZE, m_nGridSize);
    DDV_MinMaxInt(pDX, m_nGridSize, MIN_GRID_SIZE, MAX_GRID_SIZE);
    DDX_Radio(pDX, IDC_OPTIONS_DOTTED_GRID, m_nGridType);
    DDX_Check(pDX, IDC_OPTIONS_INNER_BORDER, m_bInnerBorder);
    DDX_Check(pDX, IDC_OPTIONS_SHOW_TIP, m_bShowTip);
}

// Fills the shadow length and grid size lists before the exchange; a shadow length out of range starts at
// the first item.
BOOL COptionsGeneral::OnInitDialog()
{
    // the lists first, so that the exchange finds their items
    for (const char* pszName : kShadowLengths)
        SendDlgItemMessage(IDC_OPTIONS_SHADOW_LENGTH, CB_ADDSTRING, 0, (LPARAM)pszName);
    for (const char* pszSize : kGridSizes)
        SendDlgItemMessage(IDC_OPTIONS_GRID_SIZE, CB_ADDSTRING, 0, (LPARAM)pszSize);
    if (m_nShadowLength < 0 || m_nShadowLength >= SHADOW_LENGTH_COUNT)
        m_nShadowLength = 0;
    if (m_nGridType != 0 && m_nGridType != 1)
        m_nGridType = 1;

    CPropertyPage::OnInitDialog();

    // a listed size is shown selected; any other stays as typed text
    CString strSize;
    strSize.Format("%d", m_nGridSize);
    const int nItem = (int)SendDlgItemMessage(IDC_OPTIONS_GRID_SIZE, CB_FINDSTRINGEXACT, (WPARAM)-1,
                                              (LPARAM)(LPCSTR)strSize);
    if (nItem >= 0)
        SendDlgItemMessage(IDC_OPTIONS_GRID_SIZE, CB_SETCURSEL, (WPARAM)nItem, 0);
    EnableGridControls();
    return TRUE;
}

void COptionsGeneral::EnableGridControls()
{
    const BOOL bGrid = IsDlgButtonChecked(IDC_OPTIONS_DISPLAY_GRID) == BST_CHECKED;
    if (CWnd* pColor = GetDlgItem(IDC_OPTIONS_GRID_COLOR))
        pColor->EnableWindow(bGrid);
    if (CWnd* pSize = GetDlgItem(IDC_OPTIONS_GRID_SIZE))
        pSize->EnableWindow(bGrid);
}

void COptionsGeneral::OnDisplayGrid()
{
    EnableGridControls();
}

void COptionsGeneral::OnShowTip()
{
    m_bShowTip = IsDlgButtonChecked(IDC_OPTIONS_SHOW_TIP) == BST_CHECKED;
}

/////////////////////////////////////////////////////////////////////////////
// COptionsSheet

IMPLEMENT_DYNAMIC(COptionsSheet, CPropertySheet)

COptionsSheet::COptionsSheet(LPCTSTR pszCaption, CWnd* pParentWnd)
    : CPropertySheet(pszCaption, pParentWnd)
{
}

// The system sizes the sheet for its pages first; then it is centred like any dialog.
BOOL COptionsSheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    CWnd* pMain = AfxGetMainWnd();
    CenterWindow(pMain != NULL && pMain->m_hWnd != NULL && pMain->IsWindowVisible() ? pMain : NULL);
    return bResult;
}
