// PropSheet.cpp - the element property sheet: pages per kind, loading and applying.

#include "PropSheet.h"
#include "MainFrm.h"
#include "data/ColumnBinding.h"
#include "model/Elements.h"
#include "model/VarnelDoc.h"
#include "resources/properties_resource.h"
#include "resources/resource.h"
#include "uiframework/bars/ExtMenuControlBar.h"

#include <stdlib.h>
#include <algorithm>

IMPLEMENT_DYNAMIC(CModelessPropSheet, CPropertySheet)

CModelessPropSheet* CModelessPropSheet::s_pSheet = NULL;

namespace
{

// Runs a loader or applier step, ignoring any exception.
template <typename Step>
void Guarded(Step step)
{
    try
    {
        step();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}
}

CModelessPropSheet::CModelessPropSheet(CWnd* pParent, int nKind)
    : CPropertySheet(AfxGetAppName(), pParent, 0),
      m_pageFont(NULL, 0xFF000000),
      m_pTarget(NULL),
      m_pTargetDoc(NULL),
      m_bTyping(FALSE),
      m_nPagesKind((short)nKind)
{
    AddPagesForKind(nKind);
}

CModelessPropSheet::~CModelessPropSheet()
{
    if (s_pSheet == this)
        s_pSheet = NULL;
}

CModelessPropSheet* CModelessPropSheet::GetPropertiesSheet()
{
    return s_pSheet != NULL && s_pSheet->m_hWnd != NULL ? s_pSheet : NULL;
}

void CModelessPropSheet::SetPropertiesSheet(CModelessPropSheet* pSheet)
{
    s_pSheet = pSheet;
}

// The pages an element kind edits: a blank one, a line's, a text's with its font, or a shape's two.
void CModelessPropSheet::AddPagesForKind(int nKind)
{
    if (nKind == KIND_NONE)
    {
        AddPage(&m_pageBlank);
    }
    else if (nKind == KIND_LINE)
    {
        AddPage(&m_pageLine);
    }
    else if (nKind == KIND_TEXT || nKind == KIND_DBTEXT)
    {
        AddPage(&m_pageText);
        AddPage(&m_pageFont);
    }
    else
    {
        AddPage(&m_pageGeneral);
        AddPage(&m_pageShape);
    }
}

void CModelessPropSheet::SetPagesForKind(short nKind, int)
{
    for (int i = GetPageCount() - 1; i >= 0; i--)
        RemovePage(i);
    AddPagesForKind(nKind);
    m_nPagesKind = nKind;
    if (m_hWnd != NULL)
        SetActivePage(0);
    SetTarget(NULL, NULL);
}

namespace
{
// Width and height of a dialog template in dialog units; (0, 0) when it cannot be read.
CSize TemplateSize(const PROPSHEETPAGE& psp)
{
    const HINSTANCE hInstance = psp.hInstance != NULL ? psp.hInstance : AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInstance, psp.pszTemplate, RT_DIALOG);
    HGLOBAL hData = hResource != NULL ? ::LoadResource(hInstance, hResource) : NULL;
    const WORD* pWords = hData != NULL ? (const WORD*)::LockResource(hData) : NULL;
    if (pWords == NULL || ::SizeofResource(hInstance, hResource) < 26)
        return CSize(0, 0);
    // extended templates: version, signature, help id, styles, items, x, y, cx, cy
    if (pWords[0] == 1 && pWords[1] == 0xFFFF)
        return CSize((short)pWords[11], (short)pWords[12]);
    // plain templates: style, extended style, items, x, y, cx, cy
    return CSize((short)pWords[7], (short)pWords[8]);
}
}

// Sizes the active page to its template, with the tab control and the sheet round it; the sheet only grows
// unless bExact.
void CModelessPropSheet::FitActivePage(BOOL bExact)
{
    CPropertyPage* pPage = GetActivePage();
    if (m_hWnd == NULL || pPage == NULL || pPage->m_hWnd == NULL)
        return;
    const CSize sizeTemplate = TemplateSize(pPage->m_psp);
    if (sizeTemplate.cx <= 0 || sizeTemplate.cy <= 0)
        return;
    CRect rectNeeded(0, 0, sizeTemplate.cx, sizeTemplate.cy);
    pPage->MapDialogRect(&rectNeeded);
    CRect rectPage;
    pPage->GetWindowRect(&rectPage);
    ScreenToClient(&rectPage);
    if (rectPage.Size() != rectNeeded.Size())
        pPage->SetWindowPos(NULL, 0, 0, rectNeeded.Width(), rectNeeded.Height(),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    rectPage.right = rectPage.left + rectNeeded.Width();
    rectPage.bottom = rectPage.top + rectNeeded.Height();
    // the tab control's frame goes round the page, as far from it as on the left
    if (CTabCtrl* pTab = GetTabControl())
    {
        CRect rectTab;
        pTab->GetWindowRect(&rectTab);
        ScreenToClient(&rectTab);
        const int nMargin = std::max(0, (int)(rectPage.left - rectTab.left));
        const CSize sizeTab(rectPage.right + nMargin - rectTab.left, rectPage.bottom + nMargin - rectTab.top);
        if (rectTab.Size() != sizeTab)
            pTab->SetWindowPos(NULL, 0, 0, sizeTab.cx, sizeTab.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // the same margin right of and below the page as left of and above it
    CRect rectClient, rectWindow;
    GetClientRect(&rectClient);
    GetWindowRect(&rectWindow);
    const int cxNeeded = rectPage.left + rectNeeded.Width() + rectPage.left;
    const int cyNeeded = rectPage.top + rectNeeded.Height() + rectPage.left;
    if (bExact ? rectClient.Size() != CSize(cxNeeded, cyNeeded)
               : rectClient.Width() < cxNeeded || rectClient.Height() < cyNeeded)
    {
        const int cxChange = bExact ? cxNeeded - rectClient.Width() : std::max(0, cxNeeded - rectClient.Width());
        const int cyChange = bExact ? cyNeeded - rectClient.Height() : std::max(0, cyNeeded - rectClient.Height());
        SetWindowPos(NULL, 0, 0, rectWindow.Width() + cxChange, rectWindow.Height() + cyChange,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT CModelessPropSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CPropertySheet::WindowProc(message, wParam, lParam);
    // a page comes to the front when its tab is picked or the sheet is told to show it
    if ((message == WM_NOTIFY && lParam != 0 && ((NMHDR*)lParam)->code == TCN_SELCHANGE) ||
        message == PSM_SETCURSEL)
        FitActivePage();
    return lResult;
}

namespace
{
BOOL IsWindowOfClass(HWND hWnd, LPCSTR pszClass)
{
    char szClass[32] = "";
    return hWnd != NULL && ::GetClassNameA(hWnd, szClass, sizeof(szClass)) > 0
           && lstrcmpiA(szClass, pszClass) == 0;
}

// TRUE when a shown, enabled control of the page marks the key's character with '&'.
BOOL PageHasMnemonic(HWND hPage, UINT nVK)
{
    const UINT nChar = ::MapVirtualKeyA(nVK, MAPVK_VK_TO_CHAR) & 0xFFFF;
    if (nChar == 0)
        return FALSE;
    const char chKey = (char)(DWORD_PTR)::CharUpperA((LPSTR)(DWORD_PTR)(BYTE)nChar);
    for (HWND hChild = ::GetWindow(hPage, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (!::IsWindowVisible(hChild) || !::IsWindowEnabled(hChild))
            continue;
        if (IsWindowOfClass(hChild, "Static") && (::GetWindowLongA(hChild, GWL_STYLE) & SS_NOPREFIX) != 0)
            continue;
        if ((::SendMessageA(hChild, WM_GETDLGCODE, 0, 0) & (DLGC_HASSETSEL | DLGC_WANTCHARS)) != 0)
            continue;   // edit boxes show their text, not a label
        char szText[128] = "";
        ::GetWindowTextA(hChild, szText, sizeof(szText));
        for (const char* p = strchr(szText, '&'); p != NULL && p[1] != '\0'; p = strchr(p + 2, '&'))
        {
            if (p[1] != '&' && (char)(DWORD_PTR)::CharUpperA((LPSTR)(DWORD_PTR)(BYTE)p[1]) == chKey)
                return TRUE;
        }
    }
    return FALSE;
}

// Keys of the main window a field of a page does not use itself: Alt alone, F10 and the
// menu letters the page has no control for (system keys), F1, and the Ctrl keys beside the
// editing ones.
BOOL IsKeyOfFrames(const MSG* pMsg, HWND hPage)
{
    const UINT nVK = (UINT)pMsg->wParam;
    const BOOL bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    switch (pMsg->message)
    {
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (bCtrl)
            return FALSE;
        if (nVK != VK_MENU && PageHasMnemonic(hPage, nVK))
        {
            // the page's own letter; its Alt release opens no menu
            CExtMenuControlBar::g_bIgnoreAltUp = TRUE;
            return FALSE;
        }
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if ((::GetKeyState(VK_MENU) & 0x8000) != 0)
            return FALSE;   // Ctrl+Alt (AltGr) types a character
        if (nVK == VK_F1)
            return TRUE;
        if (!bCtrl)
            return FALSE;
        switch (nVK)
        {
        case 'A': case 'C': case 'V': case 'X': case 'Y': case 'Z':
            return FALSE;   // the field's own editing keys
        case VK_OEM_PLUS: case VK_OEM_MINUS: case VK_F4: case VK_F6:
            return TRUE;
        default:
            return nVK >= 'A' && nVK <= 'Z';
        }
    default:
        return FALSE;
    }
}

// TRUE while the main window's menu bar takes the keys (after Alt or F10 alone).
BOOL IsMenuBarInKeyboardMode()
{
    CMainFrame* pMain = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
    return pMain != NULL && pMain->m_wndMenuBar.m_hWnd != NULL && pMain->m_wndMenuBar.IsKeyboardMode();
}

// The active publication's frame, then the main window, see a key of theirs first.
BOOL OfferKeyToFrames(MSG* pMsg)
{
    CMDIFrameWnd* pMain = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    if (pMain == NULL || pMain->m_hWnd == NULL)
        return FALSE;
    CMDIChildWnd* pChild = pMain->MDIGetActive();
    if (pChild != NULL && pChild->PreTranslateMessage(pMsg))
        return TRUE;
    return pMain->PreTranslateMessage(pMsg);
}
}

// Enter in a page's edit box or closed combo box applies the field, as leaving it does; the sheet stays open.
// The menus and the publication's keys work from the fields too.
BOOL CModelessPropSheet::PreTranslateMessage(MSG* pMsg)
{
    CPropertyPage* pPage = GetActivePage();
    if (pPage != NULL && pPage->m_hWnd != NULL && ::IsChild(pPage->m_hWnd, pMsg->hwnd)
        && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST
        && (IsMenuBarInKeyboardMode() || IsKeyOfFrames(pMsg, pPage->m_hWnd)) && OfferKeyToFrames(pMsg))
        return TRUE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && ApplyField(pMsg->hwnd))
        return TRUE;
    return CPropertySheet::PreTranslateMessage(pMsg);
}

// Applies the page's edit box, or closed combo box, that holds the window, as leaving it does; FALSE when the
// window is in no such field of the page in front.
BOOL CModelessPropSheet::ApplyField(HWND hWnd)
{
    CPropertyPage* pPage = GetActivePage();
    if (m_hWnd == NULL || pPage == NULL || pPage->m_hWnd == NULL || hWnd == NULL || !::IsChild(pPage->m_hWnd, hWnd))
        return FALSE;
    // the field is the edit box, or the combo box whose edit box holds the window
    HWND hField = hWnd;
    HWND hParent = ::GetParent(hField);
    if (IsWindowOfClass(hField, "Edit") && IsWindowOfClass(hParent, "ComboBox"))
        hField = hParent;
    const BOOL bCombo = IsWindowOfClass(hField, "ComboBox");
    const BOOL bEdit = IsWindowOfClass(hField, "Edit") && (::GetWindowLongA(hField, GWL_STYLE) & ES_WANTRETURN) == 0;
    const BOOL bDropped = bCombo && ::SendMessageA(hField, CB_GETDROPPEDSTATE, 0, 0) != 0;
    if ((!bCombo && !bEdit) || bDropped || ::GetParent(hField) != pPage->m_hWnd)
        return FALSE;
    const int nID = ::GetDlgCtrlID(hField);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, bCombo ? CBN_KILLFOCUS : EN_KILLFOCUS), (LPARAM)hField);
    return TRUE;
}

void CModelessPropSheet::ApplyFieldInFocus()
{
    if (s_pSheet != NULL)
        s_pSheet->ApplyField(::GetFocus());
}

// Shows the first page with the sheet fitted to it exactly, as a sheet in a bar has no buttons.
BOOL CModelessPropSheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    CPropertyPage* pPage = GetActivePage();
    CTabCtrl* pTab = GetTabControl();
    if (pPage != NULL && pTab != NULL && pPage->m_hWnd != NULL)
    {
        CRect rectPage, rectTab;
        pPage->GetWindowRect(&rectPage);
        pTab->GetWindowRect(&rectTab);
        pTab->SetWindowPos(NULL, 0, 0, rectPage.Width() - 100, rectTab.Height() + 25,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetActivePage(0);
    // at its start the sheet takes the page's size (the system leaves room for the
    // buttons a sheet in a bar does not have)
    FitActivePage(TRUE);
    return bResult;
}

void CModelessPropSheet::SetTarget(CElement* pElement, CVarnelDoc* pDoc)
{
    m_pTarget = pElement;
    m_pTargetDoc = pDoc;
}

CView* CModelessPropSheet::GetTargetView()
{
    CFrameWnd* pMain = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pMain == NULL)
        return NULL;
    CFrameWnd* pFrame = pMain->GetActiveFrame();
    return pFrame != NULL ? pFrame->GetActiveView() : NULL;
}

void CModelessPropSheet::ShowPageData(CPropertyPage* pPage)
{
    if (pPage->m_hWnd != NULL)
        pPage->UpdateData(FALSE);
}

/////////////////////////////////////////////////////////////////////////////
// Loading

void CModelessPropSheet::LoadLineElement(CElement* pElement)
{
    Guarded([&] {
        CPropLine& page = m_pageLine;
        page.m_nWidth = pElement->m_nLineWidth;
        page.m_clrLine = pElement->m_clrLine;
        page.m_nStyle = pElement->m_nDashStyle;
        page.m_nLineType = pElement->m_nLineDirection;
        page.m_nLeft = pElement->m_rect.left;
        page.m_nTop = pElement->m_rect.top;
        page.m_nRight = pElement->m_rect.right;
        page.m_nBottom = pElement->m_rect.bottom;
        page.m_bLock = pElement->m_bLocked;
        ShowPageData(&page);
    });
    SetTarget(pElement, m_pTargetDoc);
}

// Shows a shape's border, fill, place and lock on the shape and general pages, and makes it the target.
void CModelessPropSheet::LoadShapeElement(CElement* pElement)
{
    Guarded([&] {
        CPropShape& shape = m_pageShape;
        shape.m_nBorderWidth = pElement->m_nLineWidth;
        shape.m_clrBorder = pElement->m_clrLine;
        shape.m_clrFill = pElement->m_clrFill;
        shape.m_clrPattern = pElement->m_clrPattern;
        shape.m_nFillKind = pElement->m_nFillKind;
        shape.m_bTransparent = pElement->m_bTransparent;
        shape.m_bShadow = pElement->m_bShadow;
        shape.m_nBorderStyle = pElement->m_nDashStyle;
        shape.m_nKind = pElement->m_nKind;
        CPropShapeGeneral& general = m_pageGeneral;
        general.m_nRotation = pElement->m_nAngle;
        general.m_nLeft = pElement->m_rect.left;
        general.m_nTop = pElement->m_rect.top;
        general.m_nWidth = pElement->m_rect.Width();
        general.m_nHeight = pElement->m_rect.Height();
        general.m_bLock = pElement->m_bLocked;
        ShowPageData(&shape);
        ShowPageData(&general);
    });
    SetTarget(pElement, m_pTargetDoc);
}

namespace
{
void LoadTextFields(CPropText& page, CFontPage& font, CElement* pElement)
{
    page.m_strText = pElement->m_strText;
    page.m_nRotation = pElement->m_nAngle;
    page.m_nHAlign = pElement->m_nHAlign;
    page.m_nVAlign = pElement->m_nVAlign;
    page.m_bVertical = pElement->m_bVertical;
    page.m_nLeft = pElement->m_rect.left;
    page.m_nTop = pElement->m_rect.top;
    page.m_nWidth = pElement->m_rect.Width();
    page.m_nHeight = pElement->m_rect.Height();
    page.m_bLock = pElement->m_bLocked;
    LOGFONT lf = {};
    if (pElement->m_font.m_hObject != NULL)
        pElement->m_font.GetLogFont(&lf);
    font.SetLogFont(lf);
    font.m_clrText = pElement->m_clrText;
}

void ShowTextControls(CPropText& page, BOOL bDatabase)
{
    if (page.m_hWnd == NULL)
        return;
    if (CWnd* pEdit = page.GetDlgItem(IDC_TEXT_EDIT))
        pEdit->ShowWindow(bDatabase ? SW_HIDE : SW_SHOW);
    if (CWnd* pField = page.GetDlgItem(IDC_TEXT_FIELD))
        pField->ShowWindow(bDatabase ? SW_SHOW : SW_HIDE);
    if (CWnd* pSource = page.GetDlgItem(IDC_TEXT_SOURCE))
        pSource->ShowWindow(bDatabase ? SW_SHOW : SW_HIDE);
    page.SetDlgItemText(IDC_TEXT_LABEL, bDatabase ? "Select Data Field:" : "Enter Text:");
}
}

void CModelessPropSheet::LoadTextElement(CElement* pElement)
{
    Guarded([&] {
        LoadTextFields(m_pageText, m_pageFont, pElement);
        m_pageText.m_nKind = KIND_TEXT;
        ShowTextControls(m_pageText, FALSE);
        ShowPageData(&m_pageText);
        ShowPageData(&m_pageFont);
        m_pageFont.UpdateSampleFont();
    });
    SetTarget(pElement, m_pTargetDoc);
}

// Shows a database text with the data's column names to choose from, the bound one selected (none for
// a merged binding).
void CModelessPropSheet::LoadDbTextElement(CElement* pElement, CVarnelDoc* pDoc)
{
    Guarded([&] {
        LoadTextFields(m_pageText, m_pageFont, pElement);
        m_pageText.m_nKind = KIND_DBTEXT;
        ShowTextControls(m_pageText, TRUE);
        CComboBox* pField = m_pageText.m_hWnd != NULL ? (CComboBox*)m_pageText.GetDlgItem(IDC_TEXT_FIELD) : NULL;
        if (pField != NULL)
        {
            pField->ResetContent();
            if (pDoc != NULL && pDoc->m_pDataRows != NULL && pDoc->m_nDataRows > 0)
            {
                for (int i = 0; i < pDoc->m_nDataColumns; i++)
                    pField->AddString(pDoc->m_pDataRows[0][i]);
            }
            // merged ("1-3") and damaged bindings show no field; an empty one shows the first
            const CString& strColumn = pElement->m_strColumn;
            pField->SetCurSel(strColumn.IsEmpty() ? 0 : SingleBindingColumn(strColumn));
        }
        ShowPageData(&m_pageText);
        ShowPageData(&m_pageFont);
        m_pageFont.UpdateSampleFont();
    });
    SetTarget(pElement, pDoc);
}

/////////////////////////////////////////////////////////////////////////////
// Applying

void CModelessPropSheet::ApplyLine(CElement* pElement)
{
    Guarded([&] {
        CPropLine& page = m_pageLine;
        pElement->m_nLineWidth = page.m_nWidth;
        pElement->m_clrLine = page.m_clrLine;
        pElement->m_nDashStyle = page.m_nStyle;
        pElement->m_nLineDirection = page.m_nLineType;
        if (page.m_nLeft > page.m_nRight)
            std::swap(page.m_nLeft, page.m_nRight);
        if (page.m_nTop > page.m_nBottom)
            std::swap(page.m_nTop, page.m_nBottom);
        pElement->m_bLocked = page.m_bLock;
        pElement->SetRect(page.m_nLeft, page.m_nTop, page.m_nRight, page.m_nBottom);
        ShowPageData(&page);
    });
}

// Writes the shape and general pages back; curves scale their points to the new size, other shapes
// take the rectangle.
void CModelessPropSheet::ApplyShape(CElement* pElement)
{
    Guarded([&] {
        CPropShape& shape = m_pageShape;
        CPropShapeGeneral& general = m_pageGeneral;
        pElement->m_nDashStyle = shape.m_nBorderStyle;
        pElement->m_nLineWidth = shape.m_nBorderWidth;
        pElement->m_nAngle = general.m_nRotation;
        pElement->m_clrLine = shape.m_clrBorder;
        pElement->m_clrFill = shape.m_clrFill;
        pElement->m_clrPattern = shape.m_clrPattern;
        pElement->m_nFillKind = shape.m_nFillKind;
        pElement->m_bTransparent = shape.m_bTransparent;
        pElement->m_bShadow = shape.m_bShadow;
        pElement->m_bLocked = general.m_bLock;
        const int nRight = general.m_nLeft + general.m_nWidth;
        const int nBottom = general.m_nTop + general.m_nHeight;
        if (pElement->m_nKind == KIND_FREEHAND || pElement->m_nKind == KIND_CLOSEDCURVE)
            pElement->ResizeRect(general.m_nLeft, general.m_nTop, nRight, nBottom);
        else
            pElement->SetRect(general.m_nLeft, general.m_nTop, nRight, nBottom);
        ShowPageData(&shape);
    });
}

// Writes the text and font pages back to a text element; without a sample font the element keeps its font.
void CModelessPropSheet::ApplyText(CElement* pElement)
{
    Guarded([&] {
        CPropText& page = m_pageText;
        pElement->m_strText = page.m_strText;
        pElement->m_nAngle = page.m_nRotation;
        pElement->m_bVertical = page.m_bVertical;
        pElement->m_nHAlign = page.m_nHAlign;
        pElement->m_nVAlign = page.m_nVAlign;
        LOGFONT lf = {};
        if (m_pageFont.m_fontSample.m_hObject != NULL && m_pageFont.m_fontSample.GetLogFont(&lf))
        {
            lf.lfFaceName[LF_FACESIZE - 1] = '\0';
            pElement->m_font.DeleteObject();
            pElement->m_font.CreateFontIndirect(&lf);
        }
        pElement->m_clrText = m_pageFont.m_clrText;
        pElement->m_bLocked = page.m_bLock;
        pElement->SetRect(page.m_nLeft, page.m_nTop, page.m_nLeft + page.m_nWidth, page.m_nTop + page.m_nHeight);
    });
}

// Applies a database text and binds it to the chosen column; with none chosen a single binding is cleared.
void CModelessPropSheet::ApplyDbText(CElement* pElement)
{
    ApplyText(pElement);
    Guarded([&] {
        CComboBox* pField = m_pageText.m_hWnd != NULL ? (CComboBox*)m_pageText.GetDlgItem(IDC_TEXT_FIELD) : NULL;
        if (pField == NULL)
            return;
        const int nIndex = pField->GetCurSel();
        if (nIndex < 0)
        {
            // no field chosen: an empty binding, printed as "column not set"; merged
            // bindings keep theirs
            if (!IsMergedColumnBinding(pElement->m_strColumn))
                pElement->m_strColumn.Empty();
            return;
        }
        CString strField;
        pField->GetLBText(nIndex, strField);
        pElement->m_strColumn = FormatColumnBinding(std::vector<int>(1, nIndex));
        pElement->m_strText = "<<" + strField + ">>";
    });
}

// Writes the pages back through the applier of the element's kind.
void CModelessPropSheet::ApplyTo(CElement* pElement)
{
    switch (pElement->m_nKind)
    {
    case KIND_TEXT:
        ApplyText(pElement);
        break;
    case KIND_DBTEXT:
        ApplyDbText(pElement);
        break;
    case KIND_LINE:
        ApplyLine(pElement);
        break;
    default:
        ApplyShape(pElement);
        break;
    }
}
