// VarnelViewOptions.cpp - the design view's options: reading and writing them under the
// application's Options key, and the Options sheet.

#include "VarnelView.h"
#include "OptionsSheet.h"
#include "model/Element.h"
#include "model/OptionsStore.h"
#include "model/VarnelDoc.h"

// Values that are missing are written with the view's current values, so a first start
// leaves the whole set (and the tip of the day switched on) in the registry. Stored values
// outside their ranges are refused and the default stays.
void CVarnelView::LoadOptions()
{
    const COptionsStore options;
    if (!options.Exists())
    {
        SaveOptions();
        return;
    }
    BOOL bComplete = TRUE;
    DWORD dwValue = 0;
    if (options.Read(OPTION_DISPLAY_GRID, dwValue))
        m_bDisplayGrid = dwValue != 0;
    else
        bComplete = FALSE;
    if (options.Read(OPTION_GRID_COLOR, dwValue))
        m_clrGrid = ColorRefToArgb(dwValue);
    else
        bComplete = FALSE;
    if (options.Read(OPTION_GRID_TYPE, dwValue))
    {
        if (dwValue <= 1)
            m_nGridType = (int)dwValue;
    }
    else
        bComplete = FALSE;
    if (options.Read(OPTION_GRID_SIZE, dwValue))
    {
        if (dwValue >= (DWORD)MIN_GRID_SIZE && dwValue <= (DWORD)MAX_GRID_SIZE)
            m_nGridSize = (int)dwValue;
    }
    else
        bComplete = FALSE;
    if (options.Read(OPTION_SHOW_TIP, dwValue))
        m_bShowTip = dwValue == 1;
    else
        bComplete = FALSE;
    if (options.Read(OPTION_SHADOW_COLOR, dwValue))
        m_clrShadow = ColorRefToArgb(dwValue);
    else
        bComplete = FALSE;
    if (options.Read(OPTION_SHADOW_LENGTH, dwValue))
    {
        if (dwValue <= (DWORD)MAX_OPTION_SHADOW_LENGTH)
            m_nShadowLength = (int)dwValue;
    }
    else
        bComplete = FALSE;
    if (!bComplete)
        SaveOptions();
}

void CVarnelView::SaveOptions()
{
    COptionsStore options;
    if (!options.Write(OPTION_DISPLAY_GRID, m_bDisplayGrid ? 1 : 0))
        return;
    options.Write(OPTION_GRID_COLOR, ArgbToColorRef(m_clrGrid));
    options.Write(OPTION_GRID_TYPE, (DWORD)m_nGridType);
    options.Write(OPTION_GRID_SIZE, (DWORD)m_nGridSize);
    options.Write(OPTION_SHOW_TIP, m_bShowTip ? 1 : 0);
    options.Write(OPTION_SHADOW_COLOR, ArgbToColorRef(m_clrShadow));
    options.Write(OPTION_SHADOW_LENGTH, (DWORD)m_nShadowLength);
}

// The stored tip setting: the tip dialog may have changed it since this view was made.
BOOL CVarnelView::ReadStoredShowTip()
{
    return COptionsStore().Get(OPTION_SHOW_TIP, m_bShowTip ? 1 : 0) == 1;
}

// Edits the shadow, the shown side's background and the grid; on OK every element takes the shadow, the
// document is marked changed and the view's settings are stored.
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
