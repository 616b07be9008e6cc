// VarnelViewOptions.cpp - the design view's options: reading and writing them under the
// application's Options key, and the Options sheet.

#include "VarnelView.h"
#include "OptionsSheet.h"
#include "model/Element.h"
#include "model/OptionsKeys.h"
#include "model/VarnelDoc.h"

namespace
{
const char kDisplayGrid[] = "DisplayGrid";
const char kGridColor[] = "GridColor";
const char kGridType[] = "GridType";
const char kGridSize[] = "GridSize";
// Longest shadow taken from the registry, document units.
const int kMaxShadowLength = 1000;

// A REG_DWORD value; FALSE when it is missing or of another type or size.
BOOL ReadDword(HKEY hKey, LPCSTR pszName, DWORD& dwValue)
{
    DWORD dwRead = 0, dwType = 0, cb = sizeof(dwRead);
    if (::RegQueryValueExA(hKey, pszName, NULL, &dwType, (BYTE*)&dwRead, &cb) != ERROR_SUCCESS ||
        dwType != REG_DWORD || cb != sizeof(dwRead))
        return FALSE;
    dwValue = dwRead;
    return TRUE;
}

void WriteDword(HKEY hKey, LPCSTR pszName, DWORD dwValue)
{
    ::RegSetValueExA(hKey, pszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
}
}

// Values that are missing are written with the view's current values, so a first start
// leaves the whole set (and the tip of the day switched on) in the registry. Stored values
// outside their ranges are refused and the default stays.
void CVarnelView::LoadOptions()
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, CVarnelDoc::GetOptionsKeyPath(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
    {
        SaveOptions();
        return;
    }
    BOOL bComplete = TRUE;
    DWORD dwValue = 0;
    if (ReadDword(hKey, kDisplayGrid, dwValue))
        m_bDisplayGrid = dwValue != 0;
    else
        bComplete = FALSE;
    if (ReadDword(hKey, kGridColor, dwValue))
        m_clrGrid = ColorRefToArgb(dwValue);
    else
        bComplete = FALSE;
    if (ReadDword(hKey, kGridType, dwValue))
    {
        if (dwValue <= 1)
            m_nGridType = (int)dwValue;
    }
    else
        bComplete = FALSE;
    if (ReadDword(hKey, kGridSize, dwValue))
    {
        if (dwValue >= (DWORD)MIN_GRID_SIZE && dwValue <= (DWORD)MAX_GRID_SIZE)
            m_nGridSize = (int)dwValue;
    }
    else
        bComplete = FALSE;
    if (ReadDword(hKey, OPTION_SHOW_TIP, dwValue))
        m_bShowTip = dwValue == 1;
    else
        bComplete = FALSE;
    if (ReadDword(hKey, OPTION_SHADOW_COLOR, dwValue))
        m_clrShadow = ColorRefToArgb(dwValue);
    else
        bComplete = FALSE;
    if (ReadDword(hKey, OPTION_SHADOW_LENGTH, dwValue))
    {
        if (dwValue <= (DWORD)kMaxShadowLength)
            m_nShadowLength = (int)dwValue;
    }
    else
        bComplete = FALSE;
    ::RegCloseKey(hKey);
    if (!bComplete)
        SaveOptions();
}

void CVarnelView::SaveOptions()
{
    const CString strKey = CVarnelDoc::GetOptionsKeyPath();
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_WRITE, &hKey) != ERROR_SUCCESS &&
        ::RegCreateKeyExA(HKEY_CURRENT_USER, strKey, 0, (LPSTR) "", 0, KEY_ALL_ACCESS, NULL, &hKey, NULL) !=
            ERROR_SUCCESS)
        return;
    WriteDword(hKey, kDisplayGrid, m_bDisplayGrid ? 1 : 0);
    WriteDword(hKey, kGridColor, ArgbToColorRef(m_clrGrid));
    WriteDword(hKey, kGridType, (DWORD)m_nGridType);
    WriteDword(hKey, kGridSize, (DWORD)m_nGridSize);
    WriteDword(hKey, OPTION_SHOW_TIP, m_bShowTip ? 1 : 0);
    WriteDword(hKey, OPTION_SHADOW_COLOR, ArgbToColorRef(m_clrShadow));
    WriteDword(hKey, OPTION_SHADOW_LENGTH, (DWORD)m_nShadowLength);
    ::RegCloseKey(hKey);
}

// The stored tip setting: the tip dialog may have changed it since this view was made.
BOOL CVarnelView::ReadStoredShowTip()
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, CVarnelDoc::GetOptionsKeyPath(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return m_bShowTip;
    DWORD dwValue = 0;
    BOOL bShowTip = m_bShowTip;
    if (ReadDword(hKey, OPTION_SHOW_TIP, dwValue))
        bShowTip = dwValue == 1;
    ::RegCloseKey(hKey);
    return bShowTip;
}

void CVarnelView::OnOptions()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    const BOOL bBack = pDoc->m_nSide == 2;

    COptionsSheet sheet("Options", this);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    COptionsGeneral page;
    page.m_clrShadow = pDoc->m_clrShadow;
    page.m_nShadowLength = pDoc->m_nShadowLength / SHADOW_LENGTH_STEP;
    if (page.m_nShadowLength < 0 || page.m_nShadowLength >= SHADOW_LENGTH_COUNT)
        page.m_nShadowLength = pDoc->m_nShadowLength < 0 ? 0 : SHADOW_LENGTH_COUNT - 1;
    page.m_clrGrid = m_clrGrid;
    page.m_bDisplayGrid = m_bDisplayGrid;
    page.m_bInnerBorder = m_bInnerBorder;
    page.m_nGridSize = m_nGridSize;
    page.m_nGridType = m_nGridType;
    page.m_clrBackground = bBack ? pDoc->m_clrBackgroundBack : pDoc->m_clrBackgroundFront;
    page.m_bShowTip = ReadStoredShowTip();
    sheet.AddPage(&page);
    if (sheet.DoModal() != IDOK)
        return;

    pDoc->m_clrShadow = page.m_clrShadow;
    pDoc->m_nShadowLength = page.m_nShadowLength * SHADOW_LENGTH_STEP;
    m_clrGrid = page.m_clrGrid;
    if (bBack)
        pDoc->m_clrBackgroundBack = page.m_clrBackground;
    else
        pDoc->m_clrBackgroundFront = page.m_clrBackground;
    m_bDisplayGrid = page.m_bDisplayGrid;
    m_bInnerBorder = page.m_bInnerBorder;
    m_nGridSize = page.m_nGridSize;
    m_bShowTip = page.m_bShowTip;
    m_nGridType = page.m_nGridType;
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        pElement->m_nShadowLength = pDoc->m_nShadowLength;
        pElement->m_clrShadow = pDoc->m_clrShadow;
    }
    if (m_hWnd != NULL)
        Invalidate(FALSE);
    // other windows on the publication show the new background and shadows too
    pDoc->UpdateAllViews(this);
    pDoc->SetModifiedFlag();
    m_clrShadow = pDoc->m_clrShadow;
    m_nShadowLength = pDoc->m_nShadowLength;
    SaveOptions();
}
