// PropertyPages.cpp - fields, corrections and apply requests of the property pages.

#include "PropertyPages.h"
#include "PropSheet.h"
#include "VarnelView.h"
#include "model/Element.h"
#include "resources/properties_resource.h"
#include "resources/resource.h"

#include <stdlib.h>

namespace
{
const char* const g_aLineStyles[] = {"Solid Line", "Dashed Line", "Dotted Line", "Dash Dot", "Dash Dot Dot"};
const char* const g_aFontSizes[] = {"5", "6", "8", "9", "10", "11", "12", "14", "16", "18", "20",
                                    "22", "24", "26", "28", "36", "48", "55", "65", "75", "85", "99"};
const UINT g_aFontStyles[] = {IDS_FONT_REGULAR, IDS_FONT_BOLD, IDS_FONT_ITALIC, IDS_FONT_BOLDITALIC};

void FillStyles(CWnd* pPage, int nIDC)
{
    CComboBox* pCombo = (CComboBox*)pPage->GetDlgItem(nIDC);
    if (pCombo == NULL)
        return;
    pCombo->ResetContent();
    for (const char* pszStyle : g_aLineStyles)
        pCombo->AddString(pszStyle);
}

// Whether a check box shows either check state.
BOOL IsChecked(CWnd* pPage, int nIDC)
{
    CWnd* pButton = pPage->GetDlgItem(nIDC);
    return pButton != NULL && (pButton->SendMessage(BM_GETSTATE) & 3) != 0;
}

void EnableControls(CWnd* pPage, const UINT* pIDs, int nCount, BOOL bEnable)
{
    for (int i = 0; i < nCount; i++)
    {
        if (CWnd* pControl = pPage->GetDlgItem(pIDs[i]))
            pControl->EnableWindow(bEnable);
    }
}

// A filtered value outside [nMin, nMax] becomes nReplacement.
void CorrectRange(CWnd* pPage, int nIDC, int nMin, int nMax, int nReplacement)
{
    const int nValue = FilterNumericText(pPage, nIDC);
    if (nValue < nMin || nValue > nMax)
        pPage->SetDlgItemInt(nIDC, nReplacement, TRUE);
}

// A rotation outside -360..360, or 0, is written as its value modulo 360.
void CorrectRotation(CWnd* pPage, int nIDC)
{
    const int nValue = FilterNumericText(pPage, nIDC);
    if (nValue < -360 || nValue > 360 || nValue == 0)
    {
        CString strText;
        strText.Format("%d", nValue % 360);
        pPage->SetDlgItemText(nIDC, strText);
    }
}

// The spin's step: up (delta -1) widens, anything else narrows, within the bounds.
void StepWidth(CWnd* pPage, NMHDR* pNMHDR, int& nWidth, int nMin, int nMax, int nIDEdit)
{
    const NMUPDOWN* pUpDown = (const NMUPDOWN*)pNMHDR;
    nWidth += pUpDown->iDelta == -1 ? 1 : -1;
    if (nWidth < nMin)
        nWidth = nMin;
    if (nWidth > nMax)
        nWidth = nMax;
    pPage->SetDlgItemInt(nIDEdit, nWidth, TRUE);
}

// Lets the up and down arrows in a width field step it as the spin beside the field does.
void AttachSpin(CWnd* pPage, int nIDSpin, int nIDEdit)
{
    pPage->SendDlgItemMessage(nIDSpin, UDM_SETBUDDY, (WPARAM)::GetDlgItem(pPage->m_hWnd, nIDEdit), 0);
}
} // namespace

// Keeps only digits and minus signs in a field, writing the text back when it changed; its value, 0 for none.
int FilterNumericText(CWnd* pPage, int nIDC)
{
    CString strText;
    pPage->GetDlgItemText(nIDC, strText);
    CString strFiltered;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        const char ch = strText[i];
        if ((ch >= '0' && ch <= '9') || ch == '-')
            strFiltered += ch;
    }
    if (strFiltered.IsEmpty() || strFiltered == "-")
        strFiltered = "0";
    if (strFiltered != strText)
        pPage->SetDlgItemText(nIDC, strFiltered);
    return atoi(strFiltered);
}

void NotifyApplyProperties(CPropertyPage* pPage)
{
    CWnd* pParent = pPage->GetParent();
    if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CModelessPropSheet)))
        return;
    if (!pPage->UpdateData(TRUE))
        return;
    CModelessPropSheet* pSheet = (CModelessPropSheet*)pParent;
    if (CView* pView = pSheet->GetTargetView())
        pView->SendMessage(WM_APPLYPROPERTIES, 0, 0);
}

/////////////////////////////////////////////////////////////////////////////
// CPropBlank

CPropBlank::CPropBlank()
    : CPropertyPage(IDD_PROP_BLANK)
{
}

/////////////////////////////////////////////////////////////////////////////
// CPropLine

BEGIN_MESSAGE_MAP(CPropLine, CPropertyPage)
    ON_NOTIFY(UDN_DELTAPOS, IDC_LINE_WIDTH_SPIN, OnSpinWidth)
    ON_BN_CLICKED(IDC_LINE_LOCK, OnLock)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_LINE_LEFT, IDC_LINE_BOTTOM, OnPositionKillFocus)
    ON_BN_CLICKED(IDC_LINE_APPLY, OnApplyPage)
    ON_BN_CLICKED(IDC_LINE_HORZ, OnApplyPage)
    ON_BN_CLICKED(IDC_LINE_VERT, OnApplyPage)
    ON_BN_CLICKED(IDC_LINE_DIAG_UP, OnApplyPage)
    ON_BN_CLICKED(IDC_LINE_DIAG_DOWN, OnApplyPage)
    ON_CBN_SELCHANGE(IDC_LINE_STYLE, OnApplyPage)
END_MESSAGE_MAP()

CPropLine::CPropLine()
    : CPropertyPage(IDD_PROP_LINE),
      m_clrLine(0xFF000000), m_nWidth(1), m_nStyle(0), m_nLineType(0),
      m_nLeft(0), m_nTop(0), m_nRight(0), m_nBottom(0), m_bLock(FALSE)
{
}

// The line's colour, width, style, direction and end points; shown, the point fields follow the lock.
void CPropLine::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINE_COLOR, m_comboColor);
    DDX_ColorPicker(pDX, IDC_LINE_COLOR, m_clrLine);
    DDX_Text(pDX, IDC_LINE_WIDTH, m_nWidth);
    DDX_CBIndex(pDX, IDC_LINE_STYLE, m_nStyle);
    DDX_Radio(pDX, IDC_LINE_HORZ, m_nLineType);
    DDX_Text(pDX, IDC_LINE_LEFT, m_nLeft);
    DDX_Text(pDX, IDC_LINE_TOP, m_nTop);
    DDX_Text(pDX, IDC_LINE_RIGHT, m_nRight);
    DDX_Text(pDX, IDC_LINE_BOTTOM, m_nBottom);
    DDX_Check(pDX, IDC_LINE_LOCK, m_bLock);
    // the fields follow the lock of the element shown
    if (!pDX->m_bSaveAndValidate)
        EnablePosition();
}

BOOL CPropLine::OnInitDialog()
{
    FillStyles(this, IDC_LINE_STYLE);
    CPropertyPage::OnInitDialog();
    AttachSpin(this, IDC_LINE_WIDTH_SPIN, IDC_LINE_WIDTH);
    EnablePosition();
    return TRUE;
}

void CPropLine::EnablePosition()
{
    static const UINT aIDs[] = {IDC_LINE_LEFT, IDC_LINE_TOP, IDC_LINE_RIGHT, IDC_LINE_BOTTOM};
    EnableControls(this, aIDs, 4, !IsChecked(this, IDC_LINE_LOCK));
}

void CPropLine::OnSpinWidth(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepWidth(this, pNMHDR, m_nWidth, 1, 30, IDC_LINE_WIDTH);
    UpdateData(TRUE);
    NotifyApplyProperties(this);
    *pResult = 0;
}

void CPropLine::OnLock()
{
    EnablePosition();
    NotifyApplyProperties(this);
}

// Corrects an end point out of range and refuses four equal values (moving this one by 5), then applies.
void CPropLine::OnPositionKillFocus(UINT nID)
{
    CorrectRange(this, nID, -100, 2000, 2);
    double aValues[4];
    for (int i = 0; i < 4; i++)
    {
        CString strText;
        GetDlgItemText(IDC_LINE_LEFT + i, strText);
        aValues[i] = atof(strText);
    }
    if (aValues[0] == aValues[1] && aValues[1] == aValues[2] && aValues[2] == aValues[3])
    {
        AfxMessageBox(IDS_SAME_LINE_VALUES);
        SetDlgItemInt(nID, (int)aValues[nID - IDC_LINE_LEFT] + 5, TRUE);
    }
    NotifyApplyProperties(this);
}

void CPropLine::OnApplyPage()
{
    NotifyApplyProperties(this);
}

/////////////////////////////////////////////////////////////////////////////
// CPropShape

BEGIN_MESSAGE_MAP(CPropShape, CPropertyPage)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SHAPE_BORDER_SPIN, OnSpinWidth)
    ON_BN_CLICKED(IDC_SHAPE_TRANSPARENT, OnTransparent)
    ON_CBN_KILLFOCUS(IDC_SHAPE_FILL_COLOR, OnFillColorKillFocus)
    ON_CBN_KILLFOCUS(IDC_SHAPE_PATTERN_COLOR, OnPatternColorKillFocus)
    ON_BN_CLICKED(IDC_SHAPE_SHADOW, OnApplyPage)
    ON_BN_CLICKED(IDC_SHAPE_APPLY, OnApplyPage)
END_MESSAGE_MAP()

CPropShape::CPropShape()
    : CPropertyPage(IDD_PROP_SHAPE),
      m_clrBorder(0xFF000000), m_nBorderWidth(1), m_nBorderStyle(0), m_clrFill(0xFFFFFFFF),
      m_nFillKind(0), m_clrPattern(0xFF000000), m_bShadow(FALSE), m_bTransparent(FALSE), m_nKind(KIND_NONE)
{
}

// Border, fill and pattern of a shape; the fill kind combo draws its samples in the colours shown.
void CPropShape::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SHAPE_BORDER_COLOR, m_comboBorder);
    DDX_Control(pDX, IDC_SHAPE_FILL_COLOR, m_comboFill);
    DDX_Control(pDX, IDC_SHAPE_PATTERN_COLOR, m_comboPattern);
    DDX_Control(pDX, IDC_SHAPE_FILL_KIND, m_comboKind);
    DDX_ColorPicker(pDX, IDC_SHAPE_BORDER_COLOR, m_clrBorder);
    DDX_Text(pDX, IDC_SHAPE_BORDER_WIDTH, m_nBorderWidth);
    DDX_CBIndex(pDX, IDC_SHAPE_BORDER_STYLE, m_nBorderStyle);
    DDX_ColorPicker(pDX, IDC_SHAPE_FILL_COLOR, m_clrFill);
    DDX_ComboItemData(pDX, IDC_SHAPE_FILL_KIND, m_nFillKind);
    m_comboKind.m_clrFill = m_clrFill;
    m_comboKind.m_clrPattern = m_clrPattern;
    DDX_ColorPicker(pDX, IDC_SHAPE_PATTERN_COLOR, m_clrPattern);
    DDX_Check(pDX, IDC_SHAPE_SHADOW, m_bShadow);
    DDX_Check(pDX, IDC_SHAPE_TRANSPARENT, m_bTransparent);
    if (!pDX->m_bSaveAndValidate)
        EnableFill();
}

BOOL CPropShape::OnInitDialog()
{
    FillStyles(this, IDC_SHAPE_BORDER_STYLE);
    CPropertyPage::OnInitDialog();
    AttachSpin(this, IDC_SHAPE_BORDER_SPIN, IDC_SHAPE_BORDER_WIDTH);
    EnableFill();
    return TRUE;
}

// Pictures and freehand lines have no fill; a transparent shape has none either.
void CPropShape::EnableFill()
{
    const BOOL bPicture = m_nKind == KIND_CLIPART || m_nKind == KIND_FREEHAND;
    static const UINT aIDs[] = {IDC_SHAPE_SHADOW, IDC_SHAPE_FILL_COLOR, IDC_SHAPE_PATTERN_COLOR, IDC_SHAPE_FILL_KIND};
    EnableControls(this, aIDs, 4, !bPicture && !IsChecked(this, IDC_SHAPE_TRANSPARENT));
    if (CWnd* pTransparent = GetDlgItem(IDC_SHAPE_TRANSPARENT))
        pTransparent->EnableWindow(!bPicture);
}

void CPropShape::Apply()
{
    try
    {
        NotifyApplyProperties(this);
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

void CPropShape::OnSpinWidth(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepWidth(this, pNMHDR, m_nBorderWidth, 0, 20, IDC_SHAPE_BORDER_WIDTH);
    UpdateData(TRUE);
    Apply();
    *pResult = 0;
}

void CPropShape::OnTransparent()
{
    EnableFill();
    Apply();
}

void CPropShape::OnFillColorKillFocus()
{
    m_comboKind.m_clrFill = m_comboFill.GetSelectedColor();
    m_comboKind.Invalidate();
    Apply();
}

void CPropShape::OnPatternColorKillFocus()
{
    m_comboKind.m_clrPattern = m_comboPattern.GetSelectedColor();
    m_comboKind.Invalidate();
    Apply();
}

void CPropShape::OnApplyPage()
{
    Apply();
}

/////////////////////////////////////////////////////////////////////////////
// CPropShapeGeneral

BEGIN_MESSAGE_MAP(CPropShapeGeneral, CPropertyPage)
    // Top (1101) and Left (1107) are the only edits of their range
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_GENERAL_TOP, IDC_GENERAL_LEFT, OnPositionKillFocus)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_GENERAL_WIDTH, IDC_GENERAL_HEIGHT, OnSizeKillFocus)
    ON_EN_KILLFOCUS(IDC_GENERAL_ROTATION, OnRotationKillFocus)
    ON_BN_CLICKED(IDC_GENERAL_LOCK, OnLock)
END_MESSAGE_MAP()

CPropShapeGeneral::CPropShapeGeneral()
    : CPropertyPage(IDD_PROP_GENERAL),
      m_nLeft(0), m_nTop(0), m_nWidth(0), m_nHeight(0), m_nRotation(0), m_bLock(FALSE)
{
}

void CPropShapeGeneral::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GENERAL_LEFT, m_nLeft);
    DDX_Text(pDX, IDC_GENERAL_TOP, m_nTop);
    DDX_Text(pDX, IDC_GENERAL_WIDTH, m_nWidth);
    DDX_Text(pDX, IDC_GENERAL_HEIGHT, m_nHeight);
    DDX_Text(pDX, IDC_GENERAL_ROTATION, m_nRotation);
    DDX_Check(pDX, IDC_GENERAL_LOCK, m_bLock);
    if (!pDX->m_bSaveAndValidate)
        EnableFields();
}

BOOL CPropShapeGeneral::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    EnableFields();
    if (CWnd* pLock = GetDlgItem(IDC_GENERAL_LOCK))
        pLock->SetFocus();
    return FALSE;
}

void CPropShapeGeneral::EnableFields()
{
    static const UINT aIDs[] = {IDC_GENERAL_LEFT, IDC_GENERAL_TOP, IDC_GENERAL_WIDTH, IDC_GENERAL_HEIGHT,
                                IDC_GENERAL_ROTATION};
    EnableControls(this, aIDs, 5, !IsChecked(this, IDC_GENERAL_LOCK));
}

void CPropShapeGeneral::Apply()
{
    try
    {
        NotifyApplyProperties(this);
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

void CPropShapeGeneral::OnPositionKillFocus(UINT nID)
{
    if (nID != IDC_GENERAL_LEFT && nID != IDC_GENERAL_TOP)
        return;
    CorrectRange(this, nID, -100, 2000, 0);
    Apply();
}

void CPropShapeGeneral::OnSizeKillFocus(UINT nID)
{
    CorrectRange(this, nID, 2, 2000, 15);
    Apply();
}

void CPropShapeGeneral::OnRotationKillFocus()
{
    CorrectRotation(this, IDC_GENERAL_ROTATION);
    Apply();
}

void CPropShapeGeneral::OnLock()
{
    EnableFields();
    Apply();
}

/////////////////////////////////////////////////////////////////////////////
// CPropText

BEGIN_MESSAGE_MAP(CPropText, CPropertyPage)
    ON_EN_CHANGE(IDC_TEXT_EDIT, OnTextChange)
    ON_BN_CLICKED(IDC_TEXT_APPLY, OnApplyPage)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_TEXT_LEFT, IDC_TEXT_TOP, OnPositionKillFocus)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_TEXT_WIDTH, IDC_TEXT_HEIGHT, OnSizeKillFocus)
    ON_EN_KILLFOCUS(IDC_TEXT_ROTATION, OnRotationKillFocus)
    ON_BN_CLICKED(IDC_TEXT_LOCK, OnLock)
    ON_BN_CLICKED(IDC_TEXT_VERTICAL, OnVertical)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_TEXT_V_TOP, IDC_TEXT_H_RIGHT, OnApplyControlRange)
    ON_CBN_SELCHANGE(IDC_TEXT_FIELD, OnApplyControl)
    ON_BN_CLICKED(IDC_TEXT_SOURCE, OnDataSource)
END_MESSAGE_MAP()

CPropText::CPropText()
    : CPropertyPage(IDD_PROP_TEXT),
      m_nKind(KIND_NONE), m_nLeft(0), m_nTop(0), m_nWidth(0), m_nHeight(0), m_nVAlign(1), m_nHAlign(1),
      m_bLock(FALSE), m_bVertical(FALSE), m_nRotation(0), m_bTruncating(FALSE)
{
}

void CPropText::SetAlignLabels(BOOL bVertical)
{
    static const char* const aNormal[] = {"Top", "Middle", "Bottom", "Left", "Center", "Right"};
    static const char* const aSwapped[] = {"Left", "Center", "Right", "Top", "Middle", "Bottom"};
    const char* const* aTexts = bVertical ? aSwapped : aNormal;
    for (int i = 0; i < 6; i++)
        SetDlgItemText(IDC_TEXT_V_TOP + i, aTexts[i]);
    SetDlgItemText(IDC_TEXT_V_GROUP, bVertical ? "Horizontal Align" : "Vertical Align");
    SetDlgItemText(IDC_TEXT_H_GROUP, bVertical ? "Vertical Align" : "Horizontal Align");
}

// Text, place, alignment, lock and rotation; shown, the alignment labels follow the text's direction.
void CPropText::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEXT_EDIT, m_strText);
    DDX_Text(pDX, IDC_TEXT_LEFT, m_nLeft);
    DDX_Text(pDX, IDC_TEXT_TOP, m_nTop);
    DDX_Text(pDX, IDC_TEXT_WIDTH, m_nWidth);
    DDX_Text(pDX, IDC_TEXT_HEIGHT, m_nHeight);
    DDX_Radio(pDX, IDC_TEXT_V_TOP, m_nVAlign);
    DDX_Radio(pDX, IDC_TEXT_H_LEFT, m_nHAlign);
    DDX_Check(pDX, IDC_TEXT_LOCK, m_bLock);
    DDX_Check(pDX, IDC_TEXT_VERTICAL, m_bVertical);
    DDX_Text(pDX, IDC_TEXT_ROTATION, m_nRotation);
    if (!pDX->m_bSaveAndValidate)
    {
        SetAlignLabels(m_bVertical);
        EnableFields();
    }
}

BOOL CPropText::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    EnableFields();
    return TRUE;
}

void CPropText::EnableFields()
{
    static const UINT aIDs[] = {IDC_TEXT_LEFT, IDC_TEXT_TOP, IDC_TEXT_WIDTH, IDC_TEXT_HEIGHT, IDC_TEXT_ROTATION};
    EnableControls(this, aIDs, 5, !IsChecked(this, IDC_TEXT_LOCK));
}

BOOL CPropText::TruncateLongText()
{
    CString strText;
    GetDlgItemText(IDC_TEXT_EDIT, strText);
    if (strText.GetLength() < 256)
        return FALSE;
    m_bTruncating = TRUE;
    AfxMessageBox(IDS_TEXT_TOO_LONG, MB_ICONEXCLAMATION);
    SetDlgItemText(IDC_TEXT_EDIT, strText.Left(255));
    m_bTruncating = FALSE;
    return TRUE;
}

void CPropText::OnTextChange()
{
    if (m_bTruncating || TruncateLongText())
        return;
    // one undo level for a run of typing
    CModelessPropSheet* pSheet = DYNAMIC_DOWNCAST(CModelessPropSheet, GetParent());
    if (pSheet != NULL)
        pSheet->m_bTyping = TRUE;
    NotifyApplyProperties(this);
    if (pSheet != NULL)
        pSheet->m_bTyping = FALSE;
}

void CPropText::OnApplyPage()
{
    TruncateLongText();
    NotifyApplyProperties(this);
}

void CPropText::OnPositionKillFocus(UINT nID)
{
    CorrectRange(this, nID, -100, 2000, 0);
    NotifyApplyProperties(this);
}

void CPropText::OnSizeKillFocus(UINT nID)
{
    CorrectRange(this, nID, 2, 2000, 25);
    NotifyApplyProperties(this);
}

void CPropText::OnRotationKillFocus()
{
    CorrectRotation(this, IDC_TEXT_ROTATION);
    NotifyApplyProperties(this);
}

void CPropText::OnLock()
{
    EnableFields();
    NotifyApplyProperties(this);
}

void CPropText::OnVertical()
{
    CString strFirst;
    GetDlgItemText(IDC_TEXT_V_TOP, strFirst);
    SetAlignLabels(strFirst == "Top");
    NotifyApplyProperties(this);
}

void CPropText::OnApplyControl()
{
    NotifyApplyProperties(this);
}

void CPropText::OnApplyControlRange(UINT)
{
    NotifyApplyProperties(this);
}

void CPropText::OnDataSource()
{
    CModelessPropSheet* pSheet = DYNAMIC_DOWNCAST(CModelessPropSheet, GetParent());
    if (CVarnelView* pView = pSheet != NULL ? DYNAMIC_DOWNCAST(CVarnelView, pSheet->GetTargetView()) : NULL)
        pView->ConfirmAndSetDatabase();
}

/////////////////////////////////////////////////////////////////////////////
// CFontPage

BEGIN_MESSAGE_MAP(CFontPage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_FONT_FACE, OnFontChange)
    ON_CBN_KILLFOCUS(IDC_FONT_FACE, OnFontChange)
    ON_CBN_SELCHANGE(IDC_FONT_STYLE, OnFontChange)
    ON_CBN_KILLFOCUS(IDC_FONT_STYLE, OnFontChange)
    ON_CBN_SELCHANGE(IDC_FONT_SIZE, OnFontChange)
    ON_CBN_KILLFOCUS(IDC_FONT_SIZE, OnFontChange)
    ON_BN_CLICKED(IDC_FONT_STRIKEOUT, OnFontChange)
    ON_BN_CLICKED(IDC_FONT_UNDERLINE, OnFontChange)
    ON_CBN_KILLFOCUS(IDC_FONT_COLOR, OnApplyPage)
    ON_BN_CLICKED(IDC_FONT_APPLY, OnApplyPage)
END_MESSAGE_MAP()

CFontPage::CFontPage(const LOGFONT* pLogFont, DWORD clrText)
    : CPropertyPage(IDD_PROP_FONT),
      m_bStrikeOut(FALSE), m_bUnderline(FALSE), m_clrText(clrText), m_nLogPixelsY(96)
{
    HDC hScreen = ::GetDC(NULL);
    m_nLogPixelsY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    LOGFONT lf = {};
    if (pLogFont != NULL)
        lf = *pLogFont;
    else
        ::GetObjectA(::GetCurrentObject(hScreen, OBJ_FONT), sizeof(lf), &lf);
    ::ReleaseDC(NULL, hScreen);
    SetLogFont(lf);
}

CFontPage::~CFontPage()
{
}

// Shows a font on the page (face, points, style name, effects) and makes it the sample.
void CFontPage::SetLogFont(const LOGFONT& lf)
{
    SetSampleFont(lf);
    m_bStrikeOut = lf.lfStrikeOut != 0;
    m_bUnderline = lf.lfUnderline != 0;
    char szFace[LF_FACESIZE + 1] = {};
    memcpy(szFace, lf.lfFaceName, LF_FACESIZE);
    m_strFace = szFace;
    // a text is drawn at its height in points (a height read as negative means the same)
    m_strSize.Format("%d", abs(lf.lfHeight));
    const BOOL bBold = lf.lfWeight >= FW_BOLD;
    if (lf.lfItalic)
        m_strStyle = bBold ? "Bold Italic" : "Italic";
    else
        m_strStyle = bBold ? "Bold" : "Regular";
}

void CFontPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FONT_COLOR, m_comboColor);
    DDX_CBString(pDX, IDC_FONT_FACE, m_strFace);
    DDX_CBString(pDX, IDC_FONT_STYLE, m_strStyle);
    DDX_CBString(pDX, IDC_FONT_SIZE, m_strSize);
    if (pDX->m_bSaveAndValidate && m_strSize.GetLength() > 32)
        m_strSize = m_strSize.Left(32);
    DDX_Check(pDX, IDC_FONT_STRIKEOUT, m_bStrikeOut);
    DDX_Check(pDX, IDC_FONT_UNDERLINE, m_bUnderline);
    DDX_ColorPicker(pDX, IDC_FONT_COLOR, m_clrText);
}

namespace
{
int CALLBACK AddFontFamily(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    CComboBox* pCombo = (CComboBox*)lParam;
    if (pCombo->FindStringExact(-1, pLogFont->lfFaceName) == CB_ERR)
        pCombo->AddString(pLogFont->lfFaceName);
    return 1;
}
}

// Fills the face list with the screen's font families, the stock sizes and the style names, then exchanges.
BOOL CFontPage::OnInitDialog()
{
    if (CComboBox* pFaces = (CComboBox*)GetDlgItem(IDC_FONT_FACE))
    {
        LOGFONTA lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        HDC hScreen = ::GetDC(NULL);
        ::EnumFontFamiliesExA(hScreen, &lf, AddFontFamily, (LPARAM)pFaces, 0);
        ::ReleaseDC(NULL, hScreen);
    }
    if (CComboBox* pSizes = (CComboBox*)GetDlgItem(IDC_FONT_SIZE))
    {
        for (const char* pszSize : g_aFontSizes)
            pSizes->AddString(pszSize);
    }
    if (CComboBox* pStyles = (CComboBox*)GetDlgItem(IDC_FONT_STYLE))
    {
        for (UINT nID : g_aFontStyles)
        {
            CString strStyle;
            AfxLoadString(nID, strStyle);
            pStyles->AddString(strStyle);
        }
    }
    CPropertyPage::OnInitDialog();
    if (CWnd* pSample = GetDlgItem(IDC_FONT_SAMPLE))
        pSample->SetFont(&m_fontShown, TRUE);
    return TRUE;
}

// Makes the sample font from the page's fields; a size over 100 becomes 48, one under 2 becomes 5.
void CFontPage::UpdateSampleFont()
{
    LOGFONT lf = {};
    if (m_fontSample.m_hObject != NULL)
        m_fontSample.GetLogFont(&lf);
    lf.lfUnderline = (BYTE)(m_bUnderline ? 1 : 0);
    lf.lfStrikeOut = (BYTE)(m_bStrikeOut ? 1 : 0);
    // the face with its terminator, at most 31 characters
    lstrcpynA(lf.lfFaceName, m_strFace, LF_FACESIZE);
    int nSize = atoi(m_strSize);
    if (nSize > 100)
    {
        nSize = 48;
        m_strSize = "48";
    }
    else if (nSize < 2)
    {
        nSize = 5;
        m_strSize = "5";
    }
    lf.lfHeight = nSize;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = 0;
    if (m_strStyle.Find("Italic") >= 0)
        lf.lfItalic = 1;
    if (m_strStyle.Find("Bold") >= 0)
        lf.lfWeight = FW_BOLD;
    SetSampleFont(lf);
}

void CFontPage::SetSampleFont(const LOGFONT& lf)
{
    m_fontSample.DeleteObject();
    m_fontSample.CreateFontIndirect(&lf);
    LOGFONT lfShown = lf;
    lfShown.lfHeight = -::MulDiv(abs(lf.lfHeight), m_nLogPixelsY, 72);
    m_fontShown.DeleteObject();
    m_fontShown.CreateFontIndirect(&lfShown);
    if (CWnd* pSample = m_hWnd != NULL ? GetDlgItem(IDC_FONT_SAMPLE) : NULL)
        pSample->SetFont(&m_fontShown, TRUE);
}

// A change of face, style, size or effect shows in the sample and is applied at once.
void CFontPage::OnFontChange()
{
    // a combo's chosen list item becomes its text before the page is read
    CWnd* pFocus = GetFocus();
    CComboBox* pCombo = NULL;
    for (UINT nID : {IDC_FONT_FACE, IDC_FONT_STYLE, IDC_FONT_SIZE})
    {
        CWnd* pControl = GetDlgItem(nID);
        if (pControl != NULL && pFocus != NULL && (pFocus == pControl || pControl->IsChild(pFocus)))
            pCombo = (CComboBox*)pControl;
    }
    if (pCombo != NULL && pCombo->GetCurSel() >= 0)
    {
        CString strItem;
        pCombo->GetLBText(pCombo->GetCurSel(), strItem);
        pCombo->SetWindowText(strItem);
    }
    if (!UpdateData(TRUE))
        return;
    UpdateSampleFont();
    UpdateData(FALSE);
    NotifyApplyProperties(this);
}

void CFontPage::OnApplyPage()
{
    NotifyApplyProperties(this);
}
