// VarnelDoc.cpp - construction, destruction and the data operations of the document.

#include "VarnelDoc.h"
#include "data/DataSource.h"
#include "Elements.h"
#include "OptionsStore.h"

#include <string.h>

IMPLEMENT_DYNCREATE(CVarnelDoc, COleDocument)

// A 4 x 2 inch label on a letter sheet, white on both sides, without data and with the pointer tool.
CVarnelDoc::CVarnelDoc()
    : m_pDataRows(NULL),
      m_nDataRows(-1),
      m_nDataColumns(0),
      m_nDesignWidth(400),
      m_nDesignHeight(200),
      m_nSheetWidth(850),
      m_nSheetHeight(1100),
      m_nPublicationType(0),
      m_nCurrentTool(KIND_POINTER),
      m_clrBackgroundFront(0xFFFFFFFF),
      m_clrBackgroundBack(0xFFFFFFFF),
      m_clrShadow(0xFFC8C8C8),
      m_nShadowLength(6),
      m_nSide(1),
      m_nUndoLevels(0),
      m_nRedoLevels(0)
{
    m_tracker.m_nStyle = 16;    // resize handles outside, no solid outline
    m_tracker.RemoveAll();
}

CVarnelDoc::~CVarnelDoc()
{
    ClearSelection();
    DeleteElements(m_listElements);
    for (int i = 0; i < UNDO_LEVELS; i++)
    {
        DeleteElements(m_listUndo[i]);
        DeleteElements(m_listRedo[i]);
    }
    FreeDataTable();
}

void CVarnelDoc::ClearSelection()
{
    m_listSelection.RemoveAll();
    m_tracker.RemoveAll();
}

void CVarnelDoc::TakeDataTable(CDataTable& table)
{
    FreeDataTable();
    table.Detach(m_pDataRows, m_nDataRows, m_nDataColumns);
}

void CVarnelDoc::FreeDataTable()
{
    if (m_pDataRows != NULL)
    {
        for (int i = 0; i < m_nDataRows; i++)
            delete[] m_pDataRows[i];
        delete[] m_pDataRows;
        m_pDataRows = NULL;
    }
    m_nDataRows = -1;
    m_nDataColumns = 0;
}

void CVarnelDoc::AssignElementKind(CElement* pElement)
{
    pElement->m_nKind = KindFromClassName(pElement->GetRuntimeClass()->m_lpszClassName);
}

void CVarnelDoc::ApplyElementSettings()
{
    for (POSITION pos = m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = m_listElements.GetNext(pos);
        AssignElementKind(pElement);
        pElement->m_nShadowLength = m_nShadowLength;
        pElement->m_clrShadow = m_clrShadow;
    }
}

BOOL CVarnelDoc::HasBackground()
{
    for (POSITION pos = m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = m_listElements.GetNext(pos);
        if (strcmp(pElement->GetRuntimeClass()->m_lpszClassName, "CBkgImage") == 0)
            return TRUE;
    }
    return FALSE;
}

void CVarnelDoc::ReadShadowOptions()
{
    const COptionsStore options;
    DWORD dwValue = 0;
    if (options.Read(OPTION_SHADOW_COLOR, dwValue))
        m_clrShadow = ColorRefToArgb(dwValue);
    if (options.Read(OPTION_SHADOW_LENGTH, dwValue) && dwValue <= (DWORD)MAX_OPTION_SHADOW_LENGTH)
        m_nShadowLength = (int)dwValue;
}

float CVarnelDoc::GetZoomForDesign(int nDesignWidth, int nDesignHeight)
{
    if (nDesignWidth <= 500 && nDesignHeight <= 500)
        return 1.0f;
    if (nDesignWidth > 800)
        return 0.5f;
    return nDesignHeight > 800 ? 0.5f : 0.75f;
}

// Moves and sizes every element with the page from the old size to the new, axis by axis.
void CVarnelDoc::ScaleElements(int nOldWidth, int nOldHeight, int nNewWidth, int nNewHeight)
{
    // A design without size has no scale; that axis stays as it is. Whole numbers, so
    // that an edge on the old page's edge lands on the new page's edge.
    auto scale = [](int nValue, int nOld, int nNew)
    {
        return nOld > 0 ? (int)((LONGLONG)nValue * nNew / nOld) : nValue;
    };
    for (POSITION pos = m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = m_listElements.GetNext(pos);
        const CRect rc = pElement->GetRect();
        pElement->ResizeRect(scale(rc.left, nOldWidth, nNewWidth), scale(rc.top, nOldHeight, nNewHeight),
                             scale(rc.right, nOldWidth, nNewWidth), scale(rc.bottom, nOldHeight, nNewHeight));
    }
}
