// ColorPickers.cpp - the colour chooser combo box and its data exchange.

#include "ColorPickers.h"
#include "VarnelApp.h"
#include "model/Element.h"
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
END_MESSAGE_MAP()

CColorPickerCombo::CColorPickerCombo(DWORD clrInitial)
    : m_clrSelected(0xFF000000), m_clrInitial(clrInitial)
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

void CColorPickerCombo::OnSelChange()
{
    const int nIndex = GetCurSel();
    if (nIndex < 0)
        return;
    m_clrSelected = ItemColor(m_hWnd, nIndex);
    CString strText;
    GetLBText(nIndex, strText);
    if (strText != kMoreItem)
        return;
    CColorDialog dlg(0, 0, NULL);
    if (dlg.DoModal() != IDOK)
        return;
    SetItemData(nIndex, dlg.GetColor());
    m_clrSelected = ColorRefToArgb(dlg.GetColor());
    Invalidate();
}

void CColorPickerCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = 16;
}

void CColorPickerCombo::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    Graphics graphics(lpDIS->hDC);
    const REAL x = (REAL)lpDIS->rcItem.left;
    const REAL y = (REAL)lpDIS->rcItem.top;
    const REAL w = (REAL)(lpDIS->rcItem.right - lpDIS->rcItem.left);
    const REAL h = (REAL)(lpDIS->rcItem.bottom - lpDIS->rcItem.top);

    const COLORREF crBack = ::GetSysColor((lpDIS->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    SolidBrush brushBack(Color(ColorRefToArgb(crBack)));
    graphics.FillRectangle(&brushBack, x + 1, y + 1, w - 2, h - 2);
    if ((int)lpDIS->itemID < 0)
        return;

    CString strText;
    GetLBText((int)lpDIS->itemID, strText);
    const REAL fSwatch = (REAL)(int)(w * 0.33333334f);
    const COLORREF crSwatch = (lpDIS->itemState & ODS_DISABLED)
        ? ::GetSysColor(COLOR_INACTIVECAPTIONTEXT)
        : (COLORREF)GetItemData((int)lpDIS->itemID);

    SolidBrush brushText(Color(0xFF000000));
    FontFamily family(L"Arial");
    Font font(&family, 8.0f, FontStyleRegular, UnitPoint);
    StringFormat format;
    format.SetAlignment(StringAlignmentNear);
    WCHAR szText[64];
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, strText, -1, szText, 64);
    graphics.DrawString(szText, nChars > 0 ? nChars - 1 : 0, &font,
                        RectF(x + fSwatch + 5, y + 2, w, h), &format, &brushText);
    Pen pen(&brushText, 2.0f);
    graphics.DrawRectangle(&pen, x + 2, y + 2, fSwatch, h - 4);
    SolidBrush brushSwatch(Color(ColorRefToArgb(crSwatch)));
    graphics.FillRectangle(&brushSwatch, x + 2, y + 2, fSwatch, h - 4);
}

void AFXAPI DDX_ColorPicker(CDataExchange* pDX, int nIDC, DWORD& clrValue)
{
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        clrValue = ItemColor(hWnd, (int)::SendMessageA(hWnd, CB_GETCURSEL, 0, 0));
    SelectColorIn(hWnd, clrValue);
}
