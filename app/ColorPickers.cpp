// ColorPickers.cpp - the colour chooser combo box and its data exchange.

#include "ColorPickers.h"
#include "VarnelApp.h"
#include "model/Element.h"
#include "model/FillPainter.h"
#include "afxdlgs.h"

#include <objidl.h>
#include <gdiplus.h>

using namespace Gdiplus;

namespace
{
const char kMoreItem[] = "More...";
const COLORREF kMoreInitial = RGB(111, 111, 111);

// The colour of item nIndex of a colour chooser window as ARGB with alpha 255.
DWORD ItemColor(HWND hWnd, int nIndex)
{
    const LRESULT data = ::SendMessageA(hWnd, CB_GETITEMDATA, (WPARAM)nIndex, 0);
    if (data == CB_ERR)
        return 0xFF000000;
    return ColorRefToArgb((COLORREF)data);
}

// The first named colour equal to clr, else "More..." carrying clr.
void SelectColorIn(HWND hWnd, DWORD clr)
{
    for (int i = 0; i < PICKER_COLOR_COUNT; i++)
    {
        if (g_aPickerColors[i].clr == clr)
        {
            ::SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)i, 0);
            return;
        }
    }
    ::SendMessageA(hWnd, CB_SETITEMDATA, (WPARAM)CColorPickerCombo::MORE_ITEM, (LPARAM)ArgbToColorRef(clr));
    ::SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)CColorPickerCombo::MORE_ITEM, 0);
}
}

IMPLEMENT_DYNAMIC(CColorPickerCombo, CComboBox)

BEGIN_MESSAGE_MAP(CColorPickerCombo, CComboBox)
    ON_CONTROL_REFLECT(CBN_SELCHANGE, OnSelChange)
    ON_MESSAGE(CB_SETCURSEL, OnSetCurSel)
END_MESSAGE_MAP()

CColorPickerCombo::CColorPickerCombo(DWORD clrInitial)
    : m_clrSelected(0xFF000000), m_clrInitial(clrInitial), m_nAccepted(CB_ERR)
{
}

CColorPickerCombo::~CColorPickerCombo()
{
}

void CColorPickerCombo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    FillList();
}

void CColorPickerCombo::FillList()
{
    ResetContent();
    for (int i = 0; i < PICKER_COLOR_COUNT; i++)
    {
        const int nIndex = AddString(g_aPickerColors[i].strName);
        if (nIndex >= 0)
            SetItemData(nIndex, ArgbToColorRef(g_aPickerColors[i].clr));
    }
    const int nMore = AddString(kMoreItem);
    if (nMore >= 0)
        SetItemData(nMore, kMoreInitial);
    SetCurSel(0);
}

DWORD CColorPickerCombo::GetSelectedColor() const
{
    return ItemColor(m_hWnd, GetCurSel());
}

void CColorPickerCombo::SelectColor(DWORD clr)
{
    SelectColorIn(m_hWnd, clr);
}

// Takes the chosen colour; the "More" item opens the colour dialog and keeps the colour picked there, and
// Cancel there goes back to the item chosen before.
void CColorPickerCombo::OnSelChange()
{
    const int nIndex = GetCurSel();
    if (nIndex < 0)
        return;
    m_clrSelected = ItemColor(m_hWnd, nIndex);
    CString strText;
    GetLBText(nIndex, strText);
    if (strText != kMoreItem)
    {
        m_nAccepted = nIndex;
        return;
    }
    const int nBefore = m_nAccepted;
    CColorDialog dlg(0, 0, NULL);
    if (dlg.DoModal() != IDOK)
    {
        if (nBefore >= 0 && nBefore != nIndex && m_hWnd != NULL)
        {
            SetCurSel(nBefore);
            m_clrSelected = ItemColor(m_hWnd, nBefore);
        }
        return;
    }
    SetItemData(nIndex, dlg.GetColor());
    m_clrSelected = ColorRefToArgb(dlg.GetColor());
    m_nAccepted = nIndex;
    Invalidate();
}

// Selections made by the program (the data exchange too) are the ones a cancelled colour dialog goes back to.
LRESULT CColorPickerCombo::OnSetCurSel(WPARAM, LPARAM)
{
    const LRESULT nResult = Default();
    m_nAccepted = (int)nResult;
    return nResult;
}

void CColorPickerCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = 16;
}

namespace
{
// The common part of both pickers' item drawing: the background, then (for a real item)
// the text font, brush, format and outline pen handed to the caller's drawing.
struct CPickerItemPainter
{
    explicit CPickerItemPainter(LPDRAWITEMSTRUCT lpDIS)
        : graphics(lpDIS->hDC),
          x((REAL)lpDIS->rcItem.left),
          y((REAL)lpDIS->rcItem.top),
          w((REAL)(lpDIS->rcItem.right - lpDIS->rcItem.left)),
          h((REAL)(lpDIS->rcItem.bottom - lpDIS->rcItem.top)),
          brushText(Color(0xFF000000)),
          family(L"Arial"),
          font(&family, 8.0f, FontStyleRegular, UnitPoint),
          pen(&brushText, 2.0f)
    {
        format.SetAlignment(StringAlignmentNear);
        const COLORREF crBack = ::GetSysColor((lpDIS->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        SolidBrush brushBack(Color(ColorRefToArgb(crBack)));
        graphics.FillRectangle(&brushBack, x + 1, y + 1, w - 2, h - 2);
    }

    void DrawText(const CString& strText, const RectF& rect)
    {
        WCHAR szText[64];
        const int nChars = ::MultiByteToWideChar(CP_ACP, 0, strText, -1, szText, 64);
        graphics.DrawString(szText, nChars > 0 ? nChars - 1 : 0, &font, rect, &format, &brushText);
    }

    Graphics graphics;
    REAL x, y, w, h;
    SolidBrush brushText;
    FontFamily family;
    Font font;
    StringFormat format;
    Pen pen;
};
}

// Draws an item as its name beside a swatch of its colour, greyed while the combo is disabled.
void CColorPickerCombo::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CPickerItemPainter painter(lpDIS);
    if ((int)lpDIS->itemID < 0)
        return;
    CString strText;
    GetLBText((int)lpDIS->itemID, strText);
    const REAL fSwatch = (REAL)(int)(painter.w * 0.33333334f);
    const COLORREF crSwatch = (lpDIS->itemState & ODS_DISABLED)
        ? ::GetSysColor(COLOR_INACTIVECAPTIONTEXT)
        : (COLORREF)GetItemData((int)lpDIS->itemID);
    painter.DrawText(strText, RectF(painter.x + fSwatch + 5, painter.y + 2, painter.w, painter.h));
    painter.graphics.DrawRectangle(&painter.pen, painter.x + 2, painter.y + 2, fSwatch, painter.h - 4);
    SolidBrush brushSwatch(Color(ColorRefToArgb(crSwatch)));
    painter.graphics.FillRectangle(&brushSwatch, painter.x + 2, painter.y + 2, fSwatch, painter.h - 4);
}

void AFXAPI DDX_ColorPicker(CDataExchange* pDX, int nIDC, DWORD& clrValue)
{
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        clrValue = ItemColor(hWnd, (int)::SendMessageA(hWnd, CB_GETCURSEL, 0, 0));
    SelectColorIn(hWnd, clrValue);
}

/////////////////////////////////////////////////////////////////////////////
// CGradientPatternCbo

IMPLEMENT_DYNAMIC(CGradientPatternCbo, CComboBox)

CGradientPatternCbo::CGradientPatternCbo(int nInitial)
    : m_clrFill(0xFF000000), m_clrPattern(0xFF000000), m_nInitial(nInitial)
{
}

CGradientPatternCbo::~CGradientPatternCbo()
{
}

void CGradientPatternCbo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    FillList();
}

void CGradientPatternCbo::FillList()
{
    ResetContent();
    for (int i = 0; i < FILL_KIND_COUNT; i++)
    {
        const int nIndex = AddString(g_aFillKinds[i].strName);
        if (nIndex >= 0)
            SetItemData(nIndex, (DWORD_PTR)g_aFillKinds[i].nKind);
    }
    SetCurSel(0);
}

void CGradientPatternCbo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = 16;
}

// Draws an item as its name beside a sample of the fill in the current fill and pattern colours.
void CGradientPatternCbo::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CPickerItemPainter painter(lpDIS);
    if ((int)lpDIS->itemID < 0)
        return;
    CString strText;
    GetLBText((int)lpDIS->itemID, strText);
    const REAL fLabel = (REAL)(int)(painter.w * 0.25f);
    const RectF rectSample(painter.x + fLabel + 2, painter.y + 2, painter.w - fLabel - 4, painter.h - 4);
    painter.DrawText(strText, RectF(painter.x + 1, painter.y + 1, fLabel - 2, painter.h - 2));
    painter.graphics.DrawRectangle(&painter.pen, rectSample);
    const int nKind = (int)GetItemData((int)lpDIS->itemID);
    if (nKind < 1)
        painter.DrawText("None", rectSample);
    else
        FillElementShape(&painter.graphics, rectSample.X, rectSample.Y, rectSample.Width, rectSample.Height,
                         nKind, m_clrFill, m_clrPattern, KIND_RECTANGLE, NULL, 0, NULL);
}

void AFXAPI DDX_ComboItemData(CDataExchange* pDX, int nIDC, int& nValue)
{
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        const int nIndex = (int)::SendMessageA(hWnd, CB_GETCURSEL, 0, 0);
        const LRESULT data = nIndex >= 0 ? ::SendMessageA(hWnd, CB_GETITEMDATA, (WPARAM)nIndex, 0) : CB_ERR;
        nValue = data == CB_ERR ? 0 : (int)data;
    }
    ::SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)nValue, 0);
}
