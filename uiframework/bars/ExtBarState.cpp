// ExtBarState.cpp - reading, checking and applying the stored layout of a frame's bars,
// and its capture for the storing direction.

#include "ExtBarState.h"
#include "ExtBarLayout.h"
#include "ExtDynAutoHide.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "uiframework/foundation/ExtCmdManager.h"
#include "uiframework/foundation/ExtPaintManager.h"

#include <algorithm>
#include <cstdio>

bool ExtBarsIsOfClassName(const CObject* pObj, LPCSTR lpszName);

namespace
{

const DWORD STATE_VERSION = 0x02030000;
const DWORD STATE_COMPATIBILITY = 0x203;
const LPCTSTR SECTION_BARS = "ControlBar";
const UINT MIN_OUTER_ITEM_BYTES = 2 + 4 + 32 + 2;
const int MAX_COORD = 32000;
const int MAX_EXTENT = 20000;

void ReadPoint(CArchive& ar, CPoint& pt)
{
    LONG x, y;
    ar >> x >> y;
    pt.x = x;
    pt.y = y;
}

void ReadSize(CArchive& ar, CSize& size)
{
    LONG cx, cy;
    ar >> cx >> cy;
    size.cx = cx;
    size.cy = cy;
}

void ReadRect(CArchive& ar, CRect& rc)
{
    LONG l, t, r, b;
    ar >> l >> t >> r >> b;
    rc.SetRect(l, t, r, b);
}

void WritePoint(CArchive& ar, const POINT& pt) { ar << (LONG)pt.x << (LONG)pt.y; }
void WriteSize(CArchive& ar, const SIZE& size) { ar << (LONG)size.cx << (LONG)size.cy; }
void WriteRect(CArchive& ar, const RECT& rc)
{
    ar << (LONG)rc.left << (LONG)rc.top << (LONG)rc.right << (LONG)rc.bottom;
}

// A count read from the stream that must fit into the bytes left.
DWORD ReadCount(CArchive& ar, UINT nMinBytesEach)
{
    DWORD n = 0;
    ar >> n;
    ULONGLONG nRemaining = ar.GetRemainingBytes();
    if ((ULONGLONG)n * nMinBytesEach > nRemaining)
        AfxThrowArchiveException(CArchiveException::badIndex);
    return n;
}

bool IsSizeSound(const CSize& size)
{
    return size.cx >= 0 && size.cy >= 0 && size.cx <= MAX_EXTENT && size.cy <= MAX_EXTENT;
}

bool IsPointSound(const CPoint& pt)
{
    return abs(pt.x) <= MAX_COORD && abs(pt.y) <= MAX_COORD;
}

bool IsSideID(UINT nID)
{
    return nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_FLOAT;
}

CExtControlBar* FindResizableBar(CFrameWnd* pFrame, UINT nID)
{
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pFrame->GetControlBar(nID));
    if (pBar == NULL || pBar->m_hWnd == NULL || pBar->IsFixedSize() ||
        pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
        return NULL;
    return pBar;
}

// The placement of the frame's top-level window with the minimised and maximised
// positions cleared and the show command following the window's visibility.
void NormalizePlacement(CFrameWnd* pFrame)
{
    CWnd* pTop = pFrame->GetTopLevelParent();
    if (pTop == NULL || pTop->m_hWnd == NULL)
        return;
    WINDOWPLACEMENT wp;
    memset(&wp, 0, sizeof(wp));
    wp.length = sizeof(wp);
    if (!pTop->GetWindowPlacement(&wp))
        return;
    wp.ptMinPosition = CPoint(0, 0);
    wp.ptMaxPosition = CPoint(0, 0);
    wp.showCmd = (pTop->GetStyle() & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE;
    pTop->SetWindowPlacement(&wp);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Helpers

bool ExtBarStateParsePlacement(LPCTSTR lpszText, WINDOWPLACEMENT& wp)
{
    if (lpszText == NULL)
        return false;
    long v[6];
    char chExtra = 0;
    int n = sscanf(lpszText, "%ld,%ld,%ld,%ld,%ld,%ld%c", &v[0], &v[1], &v[2], &v[3], &v[4],
                   &v[5], &chExtra);
    if (n != 6)
        return false;
    for (int i = 0; i < 4; i++)
        if (v[i] < -MAX_COORD || v[i] > MAX_COORD)
            return false;
    if (v[2] <= v[0] || v[3] <= v[1])
        return false;
    if (v[4] < 0 || v[4] > SW_MAX)
        return false;
    if (v[5] < 0 || v[5] > 0xFF)
        return false;
    wp.rcNormalPosition.left = v[0];
    wp.rcNormalPosition.top = v[1];
    wp.rcNormalPosition.right = v[2];
    wp.rcNormalPosition.bottom = v[3];
    wp.showCmd = (UINT)v[4];
    wp.flags = (UINT)v[5];
    return true;
}

// Moves (and cuts) a stored rectangle onto its monitor's work area, so that nothing
// restored lies off the screen.
CRect ExtBarStateKeepOnWorkArea(const CRect& rcIn)
{
    CRect rc(rcIn);
    CExtPaintManager::MonitorInfo_t mi;
    CExtPaintManager::GetMonitorInfoByRect(mi, rc);
    CRect rcWork = mi.m_rcWorkArea;
    if (rcWork.IsRectEmpty())
        return rc;
    if (rc.Width() > rcWork.Width())
        rc.right = rc.left + rcWork.Width();
    if (rc.Height() > rcWork.Height())
        rc.bottom = rc.top + rcWork.Height();
    if (rc.right > rcWork.right)
        rc.OffsetRect(rcWork.right - rc.right, 0);
    if (rc.bottom > rcWork.bottom)
        rc.OffsetRect(0, rcWork.bottom - rc.bottom);
    if (rc.left < rcWork.left)
        rc.OffsetRect(rcWork.left - rc.left, 0);
    if (rc.top < rcWork.top)
        rc.OffsetRect(0, rcWork.top - rc.top);
    return rc;
}

/////////////////////////////////////////////////////////////////////////////
// OuterItemData_t

CExtControlBar::OuterItemData_t::OuterItemData_t()
    : m_nBarID(AFX_IDW_DOCKBAR_FLOAT), m_ptFloatHelper(0, 0), m_sizeDockedH(200, 200),
      m_sizeDockedV(200, 200), m_sizeFloated(200, 200), m_bFloating(false)
{
}

// Writes or reads one outer item (a fixed-size or floating bar) with its layout record;
// an unknown record marker throws.
void CExtControlBar::OuterItemData_t::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << (WORD)(m_bFloating ? 1 : 0);
        ar << (DWORD)m_nBarID;
        WritePoint(ar, m_ptFloatHelper);
        WriteSize(ar, m_sizeDockedH);
        WriteSize(ar, m_sizeDockedV);
        WriteSize(ar, m_sizeFloated);
        if (!m_ald.IsInUse())
            ar << (WORD)1;
        else
        {
            ar << (WORD)0;
            ar << (LONG)m_ald.m_nRank;
            WriteRect(ar, m_ald.m_rcRemembered);
            ar << (LONG)m_ald.m_nLengthHorz << (LONG)m_ald.m_nLengthVert;
            ar << (DWORD)(m_ald.m_bFlag ? 1 : 0);
        }
        return;
    }
    WORD wFlags = 0;
    ar >> wFlags;
    m_bFloating = (wFlags & 1) != 0;
    DWORD dw = 0;
    ar >> dw;
    m_nBarID = dw;
    ReadPoint(ar, m_ptFloatHelper);
    ReadSize(ar, m_sizeDockedH);
    ReadSize(ar, m_sizeDockedV);
    ReadSize(ar, m_sizeFloated);
    WORD wEmpty = 1;
    ar >> wEmpty;
    m_ald.Reset();
    if (wEmpty == 0)
    {
        LONG nRank, nH, nV;
        DWORD dwFlag;
        ar >> nRank;
        ReadRect(ar, m_ald.m_rcRemembered);
        ar >> nH >> nV >> dwFlag;
        m_ald.m_nRank = nRank;
        m_ald.m_nLengthHorz = nH;
        m_ald.m_nLengthVert = nV;
        m_ald.m_bFlag = dwFlag != 0;
    }
    else if (wEmpty != 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
}

/////////////////////////////////////////////////////////////////////////////
// InternalDockStateBar

CExtControlBar::InternalDockStateBar::InternalDockStateBar()
{
    InitMembers();
}

CExtControlBar::InternalDockStateBar::~InternalDockStateBar()
{
    Clear();
}

// The values of a record that has read nothing yet: a floating bar of default sizes.
void CExtControlBar::InternalDockStateBar::InitMembers()
{
    m_nBarID = AFX_IDW_DOCKBAR_FLOAT;
    m_nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
    m_nCircleNo = 0;
    m_nMRUWidth = 50;
    m_dwBarStyle = 0;
    m_dwFlags = 0;
    m_dwMRUFloatStyle = 0;
    m_ptFloatPos = CPoint(0, 0);
    m_ptMRUFloatPos = CPoint(0, 0);
    m_rcMRUDockPos.SetRectEmpty();
    m_rcFloatingFrame.SetRect(0, 0, 200, 200);
    m_dwFloatingFrameStyle = WS_CHILD;
    m_nRowExtent = 0;
    m_rcReserved.SetRect(0, 0, 200, 200);
    m_sizeDockedH = m_sizeDockedV = m_sizeFloated = CSize(200, 200);
    m_pHelperBar = NULL;
    m_nHelperActiveTabIndex = -1;
}

void CExtControlBar::InternalDockStateBar::Clear()
{
    for (INT_PTR i = 0; i < m_arrChildStates.GetSize(); i++)
        delete m_arrChildStates[i];
    m_arrChildStates.RemoveAll();
}

// Writes or reads the record and its children; reading refuses nesting deeper than
// MAX_DEPTH and counts the stream cannot hold.
void CExtControlBar::InternalDockStateBar::Serialize(CArchive& ar, int nDepth)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)m_nBarID << (DWORD)m_nDockBarID << (DWORD)m_nCircleNo << (DWORD)m_nMRUWidth;
        ar << m_dwBarStyle << m_dwFlags << m_dwMRUFloatStyle;
        WritePoint(ar, m_ptFloatPos);
        WritePoint(ar, m_ptMRUFloatPos);
        WriteRect(ar, m_rcMRUDockPos);
        WriteRect(ar, m_rcFloatingFrame);
        ar << m_dwFloatingFrameStyle << (LONG)m_nRowExtent;
        WriteRect(ar, m_rcReserved);
        WriteSize(ar, m_sizeDockedH);
        WriteSize(ar, m_sizeDockedV);
        WriteSize(ar, m_sizeFloated);
        ar << (DWORD)m_arrChildStates.GetSize();
        for (INT_PTR i = 0; i < m_arrChildStates.GetSize(); i++)
            m_arrChildStates[i]->Serialize(ar, nDepth + 1);
        return;
    }
    if (nDepth > MAX_DEPTH)
        AfxThrowArchiveException(CArchiveException::badSchema);
    Clear();
    InitMembers();
    DWORD dw[4];
    ar >> dw[0] >> dw[1] >> dw[2] >> dw[3];
    m_nBarID = dw[0];
    m_nDockBarID = dw[1];
    m_nCircleNo = dw[2];
    m_nMRUWidth = dw[3];
    ar >> m_dwBarStyle >> m_dwFlags >> m_dwMRUFloatStyle;
    ReadPoint(ar, m_ptFloatPos);
    ReadPoint(ar, m_ptMRUFloatPos);
    ReadRect(ar, m_rcMRUDockPos);
    ReadRect(ar, m_rcFloatingFrame);
    LONG nExtent = 0;
    ar >> m_dwFloatingFrameStyle >> nExtent;
    m_nRowExtent = nExtent;
    ReadRect(ar, m_rcReserved);
    ReadSize(ar, m_sizeDockedH);
    ReadSize(ar, m_sizeDockedV);
    ReadSize(ar, m_sizeFloated);
    DWORD nCount = ReadCount(ar, MIN_RECORD_BYTES);
    if (nCount > 0 && nDepth + 1 > MAX_DEPTH)
        AfxThrowArchiveException(CArchiveException::badSchema);
    for (DWORD i = 0; i < nCount; i++)
    {
        InternalDockStateBar* pChild = new InternalDockStateBar;
        m_arrChildStates.Add(pChild);       // owned at once
        pChild->Serialize(ar, nDepth + 1);
    }
}

// Records the bar's place, sizes and flags, and for a group or container its members
// (a group's in tab order, a container's with their row breaks).
void CExtControlBar::InternalDockStateBar::StateGet(CExtControlBar* pBar,
                                                   InternalDockStateBar* pParent)
{
    Clear();
    InitMembers();
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    m_nBarID = (UINT)pBar->GetDlgCtrlID();
    m_nDockBarID = pBar->m_pDockBar != NULL ? (UINT)pBar->m_pDockBar->GetDlgCtrlID()
                                            : AFX_IDW_DOCKBAR_FLOAT;
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar);
    bool bInContainer = pDock != NULL && pDock->IsKindOf(RUNTIME_CLASS(CExtDockDynBar));
    m_nCircleNo = (pDock != NULL && !bInContainer && !pBar->IsFloating()) ? pDock->GetCircleNo() : 0;
    // an auto-hidden bar counts as shown at its dock place; a group member's own window
    // says whether its tab shows, the group carries the mode
    bool bMember = pParent != NULL && (pParent->m_dwFlags & KIND_MASK) == KIND_TABS;
    if (pBar->IsVisible() || (pBar->m_bAutoHidden && !bMember))
        m_dwFlags |= VISIBLE;
    if (pBar->m_bAutoHidden)
    {
        if (bMember)
            pParent->m_dwFlags |= AUTO_HIDDEN;
        else
            m_dwFlags |= AUTO_HIDDEN;
    }
    m_nMRUWidth = (UINT)pBar->m_nMRUWidth;
    m_ptFloatPos = pBar->m_ptFloatPos;
    m_sizeDockedH = pBar->m_sizeDockedH;
    m_sizeDockedV = pBar->m_sizeDockedV;
    m_sizeFloated = pBar->m_sizeFloated;
    m_nRowExtent = pBar->m_nSavedRowExtent;
    if (pBar->m_pDockContext != NULL)
    {
        m_rcMRUDockPos = pBar->m_pDockContext->m_rectMRUDockPos;
        m_dwMRUFloatStyle = pBar->m_pDockContext->m_dwMRUFloatStyle;
        m_ptMRUFloatPos = pBar->m_pDockContext->m_ptMRUFloatPos;
    }
    m_dwBarStyle = pBar->m_dwStyle;
    CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
    if (pDyn == NULL || pDyn->m_pWndDynDockBar == NULL)
    {
        m_dwFlags |= KIND_PLAIN;
        return;
    }
    CExtDynTabControlBar* pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
    CExtDockDynTabBar* pTabDock = pGroup != NULL ? pGroup->GetTabDockBar() : NULL;
    if (pTabDock != NULL)
    {
        // the members in tab order (a member without a tab after them)
        m_dwFlags |= KIND_TABS;
        ExtControlBarVector_t arrAll, arrOrdered;
        pTabDock->GetMemberBars(arrAll);
        for (int i = 0; i < pGroup->m_wndTabs.GetItemCount(); i++)
        {
            CExtControlBar* pMember = (CExtControlBar*)pGroup->m_wndTabs.GetItem(i)->m_lParam;
            for (INT_PTR k = 0; k < arrAll.GetSize(); k++)
            {
                if (arrAll[k] == pMember)
                {
                    arrOrdered.Add(pMember);
                    arrAll.RemoveAt(k);
                    break;
                }
            }
        }
        arrOrdered.Append(arrAll);
        CExtControlBar* pSelected = pGroup->GetSelectedBar();
        for (INT_PTR i = 0; i < arrOrdered.GetSize(); i++)
        {
            InternalDockStateBar* pChild = new InternalDockStateBar;
            m_arrChildStates.Add(pChild);
            pChild->StateGet(arrOrdered[i], this);
            pChild->m_dwFlags |= CHILD | TAB;
            if (arrOrdered[i] == pSelected)
                pChild->m_dwFlags |= SELECTED_TAB;
        }
    }
    else
    {
        m_dwFlags |= KIND_CONTAINER;
        CPtrArray& arr = pDyn->m_pWndDynDockBar->m_arrBars;
        bool bAfterBreak = false;
        for (INT_PTR i = 1; i < arr.GetSize(); i++)
        {
            void* p = arr[i];
            if (p == NULL)
            {
                bAfterBreak = true;
                continue;
            }
            if (ExtBarLayout::IsPlaceholder(p))
                continue;
            CExtControlBar* pChildBar = DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)p);
            if (pChildBar == NULL)
                continue;
            InternalDockStateBar* pChild = new InternalDockStateBar;
            m_arrChildStates.Add(pChild);
            pChild->StateGet(pChildBar, this);
            pChild->m_dwFlags |= CHILD;
            if (bAfterBreak && m_arrChildStates.GetSize() > 1)
                pChild->m_dwFlags |= NEW_ROW;
            bAfterBreak = false;
        }
    }
    if (pBar->IsFloating())
    {
        CFrameWnd* pMini = pBar->GetParentFrame();
        if (pMini != NULL)
        {
            m_dwFlags |= FLOATING_CONTAINER;
            pMini->GetWindowRect(&m_rcFloatingFrame);
            m_dwFloatingFrameStyle = pMini->GetStyle();
        }
    }
}

// Gives the stored sizes and remembered places back to the record's bar.
void CExtControlBar::InternalDockStateBar::ApplyValues()
{
    CExtControlBar* pBar = m_pHelperBar;
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return;
    pBar->m_ptFloatPos = m_ptFloatPos;
    pBar->m_sizeDockedH = m_sizeDockedH;
    pBar->m_sizeDockedV = m_sizeDockedV;
    pBar->m_sizeFloated = m_sizeFloated;
    pBar->m_nSavedRowExtent = m_nRowExtent;
    pBar->m_nMRUWidth = (int)m_nMRUWidth;
    if (pBar->m_pDockContext != NULL)
    {
        pBar->m_pDockContext->m_dwMRUFloatStyle = m_dwMRUFloatStyle;
        pBar->m_pDockContext->m_ptMRUFloatPos = m_ptMRUFloatPos;
        pBar->m_pDockContext->m_rectMRUDockPos = m_rcMRUDockPos;
    }
}

/////////////////////////////////////////////////////////////////////////////
// InternalDockStateSite

CExtControlBar::InternalDockStateSite::InternalDockStateSite(CFrameWnd* pDockSite)
    : m_pDockSite(pDockSite), m_pState(new CDockState)
{
    memset(&m_wp, 0, sizeof(m_wp));
    m_wp.length = sizeof(m_wp);
}

CExtControlBar::InternalDockStateSite::~InternalDockStateSite()
{
    Clear();
    delete m_pState;
}

void CExtControlBar::InternalDockStateSite::Clear()
{
    memset(&m_wp, 0, sizeof(m_wp));
    m_wp.length = sizeof(m_wp);
    m_pState->Clear();
    for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); i++)
        delete m_arrBarStates[i];
    m_arrBarStates.RemoveAll();
    m_arrOuterProps.RemoveAll();
    m_arrAutoHideOrder.RemoveAll();
}

// Writes or reads the whole stream: title, version, placement text, the class library's
// dock state, outer items, bar records and auto-hide order; a bad one throws.
void CExtControlBar::InternalDockStateSite::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        CString strVersion, strTitle;
        CExtCmdManager::GetVersionText(strVersion);
        strTitle.Format("Baymoor (v. %s) control bar state", (LPCTSTR)strVersion);
        ar << strTitle;
        ar << STATE_VERSION << STATE_COMPATIBILITY;
        for (int i = 0; i < 4; i++)
            ar << (DWORD)0;
        CString strPlacement;
        strPlacement.Format("%d,%d,%d,%d,%d,%d", (int)m_wp.rcNormalPosition.left,
                            (int)m_wp.rcNormalPosition.top, (int)m_wp.rcNormalPosition.right,
                            (int)m_wp.rcNormalPosition.bottom, (int)m_wp.showCmd, (int)m_wp.flags);
        ar << strPlacement;
        m_pState->Serialize(ar);
        ar << (DWORD)m_arrOuterProps.GetSize();
        for (INT_PTR i = 0; i < m_arrOuterProps.GetSize(); i++)
            m_arrOuterProps[i].Serialize(ar);
        ar << (DWORD)m_arrBarStates.GetSize();
        for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); i++)
            m_arrBarStates[i]->Serialize(ar, 0);
        ar << (DWORD)m_arrAutoHideOrder.GetSize();
        for (INT_PTR i = 0; i < m_arrAutoHideOrder.GetSize(); i++)
            ar << (DWORD)m_arrAutoHideOrder[i];
        return;
    }

    Clear();
    CString strTitle;
    ar >> strTitle;                 // any text
    DWORD dwVersion = 0, dwCompatibility = 0, dwSkip = 0;
    ar >> dwVersion >> dwCompatibility;
    for (int i = 0; i < 4; i++)
        ar >> dwSkip;
    if (dwCompatibility != STATE_COMPATIBILITY)
        AfxThrowArchiveException(CArchiveException::badSchema);
    CString strPlacement;
    ar >> strPlacement;
    if (m_pDockSite != NULL && m_pDockSite->m_hWnd != NULL)
    {
        CWnd* pTop = m_pDockSite->GetTopLevelParent();
        if (pTop != NULL)
            pTop->GetWindowPlacement(&m_wp);
    }
    m_wp.length = sizeof(m_wp);
    m_wp.ptMinPosition = CPoint(0, 0);
    m_wp.ptMaxPosition = CPoint(0, 0);
    if (!ExtBarStateParsePlacement(strPlacement, m_wp))
    {
        memset(&m_wp, 0, sizeof(m_wp));
        m_wp.length = sizeof(m_wp);
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    m_pState->Serialize(ar);
    DWORD nOuter = ReadCount(ar, MIN_OUTER_ITEM_BYTES);
    for (DWORD i = 0; i < nOuter; i++)
    {
        OuterItemData_t item;
        item.Serialize(ar);
        m_arrOuterProps.Add(item);
    }
    DWORD nBars = ReadCount(ar, InternalDockStateBar::MIN_RECORD_BYTES);
    for (DWORD i = 0; i < nBars; i++)
    {
        InternalDockStateBar* pRec = new InternalDockStateBar;
        m_arrBarStates.Add(pRec);           // owned at once
        pRec->Serialize(ar, 0);
    }
    DWORD nIDs = ReadCount(ar, 4);
    for (DWORD i = 0; i < nIDs; i++)
    {
        DWORD nID = 0;
        ar >> nID;
        m_arrAutoHideOrder.Add((UINT)nID);
    }
}

namespace
{

// Checks a record and finds its bar; records of missing bars stay unresolved (skipped).
bool ResolveRecord(CFrameWnd* pFrame, CExtControlBar::InternalDockStateBar* pRec, bool bChild)
{
    typedef CExtControlBar::InternalDockStateBar Rec;
    DWORD dwKind = pRec->m_dwFlags & Rec::KIND_MASK;
    if (dwKind == 0)
        return false;
    if (!bChild && !IsSideID(pRec->m_nDockBarID))
        return false;
    if (pRec->m_nCircleNo > 64)
        return false;
    if (!IsSizeSound(pRec->m_sizeDockedH) || !IsSizeSound(pRec->m_sizeDockedV) ||
        !IsSizeSound(pRec->m_sizeFloated) || !IsPointSound(pRec->m_ptFloatPos) ||
        !IsPointSound(pRec->m_ptMRUFloatPos) || abs(pRec->m_nRowExtent) > MAX_EXTENT)
        return false;
    pRec->m_pHelperBar = NULL;
    if (dwKind == Rec::KIND_PLAIN)
    {
        if (pRec->m_arrChildStates.GetSize() != 0)
            return false;
        pRec->m_pHelperBar = FindResizableBar(pFrame, pRec->m_nBarID);
        return true;
    }
    for (INT_PTR i = 0; i < pRec->m_arrChildStates.GetSize(); i++)
    {
        Rec* pChild = pRec->m_arrChildStates[i];
        DWORD dwChildKind = pChild->m_dwFlags & Rec::KIND_MASK;
        // groups hold plain bars; containers plain bars and groups
        bool bAllowed = dwChildKind == Rec::KIND_PLAIN ||
                        (dwKind == Rec::KIND_CONTAINER && dwChildKind == Rec::KIND_TABS);
        if (!bAllowed)
            return false;
        if (!ResolveRecord(pFrame, pChild, true))
            return false;
    }
    return true;
}

// The first bar of a group record that this frame has, and how many it has.
CExtControlBar::InternalDockStateBar* FirstResolvedMember(
    CExtControlBar::InternalDockStateBar* pRec, INT_PTR* pnResolved = NULL)
{
    CExtControlBar::InternalDockStateBar* pFirst = NULL;
    INT_PTR nResolved = 0;
    for (INT_PTR i = 0; i < pRec->m_arrChildStates.GetSize(); i++)
    {
        if (pRec->m_arrChildStates[i]->m_pHelperBar == NULL)
            continue;
        if (pFirst == NULL)
            pFirst = pRec->m_arrChildStates[i];
        nResolved++;
    }
    if (pnResolved != NULL)
        *pnResolved = nResolved;
    return pFirst;
}

void CollectResolved(CExtControlBar::InternalDockStateBar* pRec, CPtrArray& arr)
{
    if (pRec->m_pHelperBar != NULL)
    {
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
            if (arr[i] == pRec->m_pHelperBar)
                AfxThrowArchiveException(CArchiveException::badIndex);   // a bar twice
        arr.Add(pRec->m_pHelperBar);
    }
    for (INT_PTR i = 0; i < pRec->m_arrChildStates.GetSize(); i++)
        CollectResolved(pRec->m_arrChildStates[i], arr);
}

} // namespace

// Checks that every record finds its bar and every stored size is sound before anything
// changes: a state that cannot apply in full is not applied at all.
bool CExtControlBar::InternalDockStateSite::ResolveAll()
{
    if (m_pDockSite == NULL || m_pDockSite->m_hWnd == NULL)
        return false;
    for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); i++)
        if (!ResolveRecord(m_pDockSite, m_arrBarStates[i], false))
            return false;
    CPtrArray arr;
    try
    {
        for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); i++)
            CollectResolved(m_arrBarStates[i], arr);
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    for (INT_PTR i = 0; i < m_arrOuterProps.GetSize(); i++)
    {
        OuterItemData_t& item = m_arrOuterProps[i];
        if (!IsSizeSound(item.m_sizeDockedH) || !IsSizeSound(item.m_sizeDockedV) ||
            !IsSizeSound(item.m_sizeFloated) || !IsPointSound(item.m_ptFloatHelper))
            return false;
    }
    return true;
}

// The fallback after a failed restore: every bar of the frame shows again (auto-hidden
// ones stay in their areas).
void CExtControlBar::InternalDockStateSite::ShowAllBars()
{
    if (m_pDockSite == NULL || m_pDockSite->m_hWnd == NULL)
        return;
    POSITION pos = m_pDockSite->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CControlBar* pBar = (CControlBar*)m_pDockSite->m_listControlBars.GetNext(pos);
        if (pBar == NULL || pBar->m_hWnd == NULL || pBar->IsDockBar())
            continue;
        if (pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
            continue;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        if (pExt != NULL && pExt->m_bAutoHidden)
            continue;           // its area item stands for it
        m_pDockSite->ShowControlBar(pBar, TRUE, FALSE);
    }
    m_pDockSite->RecalcLayout();
}

// Puts the record's bar (or the group or container it stands for) at its stored place;
// without the new-row flag a docked bar joins the row of the record before it.
void CExtControlBar::InternalDockStateSite::RestoreBar(InternalDockStateBar* pRec,
                                                      InternalDockStateBar* pPrev)
{
    CFrameWnd* pFrame = m_pDockSite;
    CExtControlBar* pBar = pRec->m_pHelperBar;
    DWORD dwKind = pRec->m_dwFlags & InternalDockStateBar::KIND_MASK;
    if (dwKind == InternalDockStateBar::KIND_TABS)
    {
        RestoreGroup(pRec, pPrev);
        return;
    }
    if (dwKind == InternalDockStateBar::KIND_CONTAINER)
    {
        // the first bar takes the container's place, the others dock beside it
        InternalDockStateBar* pFirst = NULL;
        CExtControlBar* pPrevPlaced = NULL;
        for (INT_PTR i = 0; i < pRec->m_arrChildStates.GetSize(); i++)
        {
            InternalDockStateBar* pChild = pRec->m_arrChildStates[i];
            bool bGroup = (pChild->m_dwFlags & InternalDockStateBar::KIND_MASK) ==
                          InternalDockStateBar::KIND_TABS;
            InternalDockStateBar* pMember = bGroup ? FirstResolvedMember(pChild) : NULL;
            if (pChild->m_pHelperBar == NULL && pMember == NULL)
                continue;
            if (pFirst == NULL)
            {
                pFirst = pChild;
                pChild->m_nDockBarID = pRec->m_nDockBarID;
                pChild->m_nCircleNo = pRec->m_nCircleNo;
                pChild->m_rcFloatingFrame = pRec->m_rcFloatingFrame;
                if (pRec->m_dwFlags & InternalDockStateBar::FLOATING_CONTAINER)
                    pChild->m_nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
                // the mini frame goes to the container's stored rectangle
                const DWORD dwTaken = InternalDockStateBar::NEW_ROW |
                                      InternalDockStateBar::FLOATING_CONTAINER;
                pChild->m_dwFlags = (pChild->m_dwFlags & ~dwTaken) | (pRec->m_dwFlags & dwTaken);
                RestoreBar(pChild, pPrev);
                pPrevPlaced = pChild->m_pHelperBar != NULL ? pChild->m_pHelperBar
                                                           : pMember->m_pHelperBar;
                continue;
            }
            // a row of a vertical inner dock bar stacks its bars from top to bottom
            bool bVertRows = (pChild->m_dwBarStyle & CBRS_ORIENT_VERT) != 0 &&
                             (pChild->m_dwBarStyle & CBRS_ORIENT_HORZ) == 0;
            bool bNewRow = (pChild->m_dwFlags & InternalDockStateBar::NEW_ROW) != 0;
            UINT nSide = (bVertRows != bNewRow) ? AFX_IDW_DOCKBAR_BOTTOM : AFX_IDW_DOCKBAR_RIGHT;
            if (bGroup)
            {
                // the group's first bar docks beside, the group forms around it
                pMember->ApplyValues();
                pMember->m_pHelperBar->DockBesideBar(50, pPrevPlaced, nSide, FALSE);
                BuildGroup(pChild, pMember);
                pPrevPlaced = pChild->m_pHelperBar != NULL ? pChild->m_pHelperBar
                                                           : pMember->m_pHelperBar;
                continue;
            }
            pChild->ApplyValues();
            pChild->m_pHelperBar->DockBesideBar(50, pPrevPlaced, nSide, FALSE);
            pPrevPlaced = pChild->m_pHelperBar;
            pFrame->ShowControlBar(pChild->m_pHelperBar,
                                   (pChild->m_dwFlags & InternalDockStateBar::VISIBLE) != 0, FALSE);
        }
        // the container formed around the bars takes its own stored sizes
        CExtDockDynBar* pInner = pPrevPlaced != NULL
            ? DYNAMIC_DOWNCAST(CExtDockDynBar, pPrevPlaced->m_pDockBar) : NULL;
        if (pInner != NULL && pInner->GetContainer() != NULL)
        {
            pRec->m_pHelperBar = pInner->GetContainer();
            pRec->ApplyValues();
        }
        return;
    }
    if (pBar == NULL)
        return;     // a bar this frame does not have
    pRec->ApplyValues();
    if (pRec->m_nDockBarID == AFX_IDW_DOCKBAR_FLOAT)
    {
        CRect rc(pRec->m_ptFloatPos, pRec->m_sizeFloated);
        if (pRec->m_dwFlags & InternalDockStateBar::FLOATING_CONTAINER)
            rc = pRec->m_rcFloatingFrame;
        rc = ExtBarStateKeepOnWorkArea(rc);
        pBar->FloatAtPosition(rc.TopLeft(), CBRS_ALIGN_TOP);
    }
    else
    {
        UINT nCircle = std::max(1u, pRec->m_nCircleNo);
        pBar->DockToFrameSideLevel(pRec->m_nDockBarID, nCircle, pFrame, FALSE);
        // without the new-row flag the bar joins the row before it
        CDockBar* pDock = pBar->m_pDockBar;
        bool bJoin = (pRec->m_dwFlags & InternalDockStateBar::NEW_ROW) == 0 && pPrev != NULL &&
                     pPrev->m_pHelperBar != NULL && pPrev->m_pHelperBar->m_pDockBar == pDock;
        if (pDock != NULL && bJoin)
        {
            int nPos = ExtBarLayout::FindEntry(pDock->m_arrBars, pBar);
            if (nPos > 1 && pDock->m_arrBars[nPos - 1] == NULL)
            {
                pDock->m_arrBars.RemoveAt(nPos - 1);
                ExtBarLayout::NormalizeBarArray(pDock->m_arrBars);
            }
        }
    }
    pFrame->ShowControlBar(pBar, (pRec->m_dwFlags & InternalDockStateBar::VISIBLE) != 0, FALSE);
    pRec->ApplyValues();
}

namespace
{

// A floating group whose members all left stays behind as an empty, shown mini frame.
void CloseEmptiedMiniFrames(CFrameWnd* pFrame)
{
    CPtrArray arrMini;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CDockBar* pDock = DYNAMIC_DOWNCAST(CDockBar, (CObject*)pFrame->m_listControlBars.GetNext(pos));
        if (pDock == NULL || pDock->m_hWnd == NULL || !pDock->m_bFloating ||
            pDock->GetDockedCount() != 0)
            continue;
        CWnd* pMini = pDock->GetParent();
        if (pMini != NULL && pMini != pFrame && pMini->IsFrameWnd() && pMini->IsWindowVisible())
            arrMini.Add(pMini->m_hWnd);
    }
    for (INT_PTR i = 0; i < arrMini.GetSize(); i++)
    {
        CWnd* pMini = CWnd::FromHandlePermanent((HWND)arrMini[i]);
        if (pMini != NULL)
            pMini->DestroyWindow();
    }
}

} // namespace

// A tab group around the bar, laid out with its caption buttons; NULL when none forms.
CExtDynTabControlBar* CExtControlBar::InternalDockStateSite::MakeGroupAround(CExtControlBar* pThis)
{
    CFrameWnd* pSite = m_pDockSite;
    CExtDynTabControlBar* pGroup = CExtDynTabControlBar::MakeGroupAround(pThis, pSite);
    if (pGroup == NULL)
        return NULL;
    pGroup->RepositionChildWindow();
    CFrameWnd* pParentFrame = pGroup->GetParentFrame();
    if (pParentFrame != NULL && pParentFrame != pSite)
        pParentFrame->RecalcLayout();
    pGroup->CreateNcAreaButtons();
    pGroup->LayoutNcAreaButtons();
    pSite->DelayRecalcLayout();
    return pGroup;
}

// A group record: its first member present takes the group's place and the group forms
// around it.
void CExtControlBar::InternalDockStateSite::RestoreGroup(InternalDockStateBar* pRec,
                                                        InternalDockStateBar* pPrev)
{
    typedef InternalDockStateBar Rec;
    pRec->m_pHelperBar = NULL;
    pRec->m_nHelperActiveTabIndex = -1;
    Rec* pFirst = FirstResolvedMember(pRec);
    if (pFirst == NULL)
        return;                 // none of its bars is in this frame
    // the first member stands where the group stood
    pFirst->m_nDockBarID = pRec->m_nDockBarID;
    pFirst->m_nCircleNo = pRec->m_nCircleNo;
    pFirst->m_rcFloatingFrame = pRec->m_rcFloatingFrame;
    if (pRec->m_dwFlags & Rec::FLOATING_CONTAINER)
        pFirst->m_nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
    const DWORD dwTaken = Rec::NEW_ROW | Rec::FLOATING_CONTAINER;
    pFirst->m_dwFlags = (pFirst->m_dwFlags & ~dwTaken) | (pRec->m_dwFlags & dwTaken);
    RestoreBar(pFirst, pPrev);
    BuildGroup(pRec, pFirst);
}

// The other members join the group in stored order and the stored tab is selected when
// it shows; the only member left of several stays a bar of its own.
void CExtControlBar::InternalDockStateSite::BuildGroup(InternalDockStateBar* pRec,
                                                       InternalDockStateBar* pFirst)
{
    typedef InternalDockStateBar Rec;
    CFrameWnd* pFrame = m_pDockSite;
    pRec->m_pHelperBar = NULL;
    pRec->m_nHelperActiveTabIndex = -1;
    INT_PTR nResolved = 0;
    FirstResolvedMember(pRec, &nResolved);
    // the only bar left of a group of several stays a bar of its own
    if (nResolved == 1 && pRec->m_arrChildStates.GetSize() > 1)
        return;
    CExtDynTabControlBar* pGroup = MakeGroupAround(pFirst->m_pHelperBar);
    if (pGroup == NULL)
        AfxThrowResourceException();
    pRec->m_pHelperBar = pGroup;
    for (INT_PTR i = 0; i < pRec->m_arrChildStates.GetSize(); i++)
    {
        Rec* pChild = pRec->m_arrChildStates[i];
        if (pChild->m_pHelperBar == NULL || pChild == pFirst)
            continue;
        pChild->ApplyValues();
        if (!pGroup->DockBarIntoGroup(pChild->m_pHelperBar, -1, false))
            AfxThrowResourceException();
    }
    for (INT_PTR i = 0; i < pRec->m_arrChildStates.GetSize(); i++)
    {
        Rec* pChild = pRec->m_arrChildStates[i];
        if (pChild->m_pHelperBar != NULL)
            pFrame->ShowControlBar(pChild->m_pHelperBar, (pChild->m_dwFlags & Rec::VISIBLE) != 0,
                                   FALSE);
    }
    pGroup->SyncTabs(false);
    // the stored selection when that tab shows; else the group's own choice stays
    for (INT_PTR i = 0; i < pRec->m_arrChildStates.GetSize(); i++)
    {
        Rec* pChild = pRec->m_arrChildStates[i];
        if (pChild->m_pHelperBar == NULL || (pChild->m_dwFlags & Rec::SELECTED_TAB) == 0 ||
            (pChild->m_dwFlags & Rec::VISIBLE) == 0)
            continue;
        int nTab = pGroup->m_wndTabs.FindItemByData((LPARAM)pChild->m_pHelperBar);
        if (nTab < 0 || !pGroup->m_wndTabs.GetItem(nTab)->IsVisible())
            break;
        int nVisible = 0;
        for (int k = 0; k < nTab; k++)
            if (pGroup->m_wndTabs.GetItem(k)->IsVisible())
                nVisible++;
        pGroup->SelectVisibleTab(nVisible, true, false);
        pRec->m_nHelperActiveTabIndex = nTab;
        break;
    }
    pGroup->RepositionChildWindow();
    pFrame->ShowControlBar(pGroup, (pRec->m_dwFlags & Rec::VISIBLE) != 0, FALSE);
    pRec->ApplyValues();
    for (INT_PTR i = 0; i < pRec->m_arrChildStates.GetSize(); i++)
        pRec->m_arrChildStates[i]->ApplyValues();
}

// The stored auto-hidden bars go into their edges' areas in stored order (only bars the
// records placed, and only when the frame has areas).
void CExtControlBar::InternalDockStateSite::ApplyAutoHide()
{
    CFrameWnd* pFrame = m_pDockSite;
    if (m_arrAutoHideOrder.GetSize() == 0)
        return;
    CExtDynAutoHideArea* arrAreas[4];
    CExtDynAutoHideArea::FindAreas(pFrame->m_hWnd, arrAreas);
    if (arrAreas[0] == NULL && arrAreas[1] == NULL && arrAreas[2] == NULL && arrAreas[3] == NULL)
        return;                 // the bars stay at their places
    // only bars the records placed
    CPtrArray arrPlaced;
    for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); i++)
        CollectResolved(m_arrBarStates[i], arrPlaced);
    for (INT_PTR i = 0; i < m_arrAutoHideOrder.GetSize(); i++)
    {
        CExtControlBar* pBar = FindResizableBar(pFrame, m_arrAutoHideOrder[i]);
        if (pBar == NULL || ExtBarLayout::FindEntry(arrPlaced, pBar) < 0)
            continue;
        if (!CExtControlBar::AutoHideModeSet(pBar, true, false, false, false))
            continue;
        int nItem = -1;
        CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindBarArea(pBar, &nItem);
        if (pArea == NULL || nItem < 0)
            continue;
        pArea->GetItem(nItem)->ModifyFlags(0, __ETWI_IN_GROUP_ACTIVE);
        pArea->UpdateTabWnd(false);
    }
}

// Applies the loaded state to the frame: only once every record resolved, the bars leave
// their places and are restored in passes; a failure shows every bar and answers FALSE.
bool CExtControlBar::InternalDockStateSite::StateSet(bool bApplyPlacement)
{
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return false;
    // nothing changes before every record is known to apply
    if (!ResolveAll())
        return false;
    try
    {
        if (bApplyPlacement)
            ApplyPlacement();

        TakeBarsFromTheirPlaces();

        // first pass: the places
        InternalDockStateBar* pPrev = NULL;
        for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); i++)
        {
            RestoreBar(m_arrBarStates[i], pPrev);
            pPrev = m_arrBarStates[i];
        }
        CloseEmptiedMiniFrames(pFrame);
        ApplyAutoHide();

        RestoreFixedSizeBars();

        ApplyValuesAfterLayout();

        pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    }
    catch (CException* e)
    {
        e->Delete();
        ShowAllBars();
        return false;
    }
    return true;
}

// The frame goes to the stored normal placement, moved onto the work area (a minimised,
// maximised or hidden one fills the work area of its monitor).
void CExtControlBar::InternalDockStateSite::ApplyPlacement()
{
    CFrameWnd* pFrame = m_pDockSite;
    CRect rc(m_wp.rcNormalPosition);
    UINT nShow = m_wp.showCmd;
    if (nShow == SW_HIDE || nShow == SW_SHOWMINIMIZED || nShow == SW_SHOWMAXIMIZED ||
        nShow == SW_SHOWMINNOACTIVE || nShow == SW_FORCEMINIMIZE)
    {
        CExtPaintManager::MonitorInfo_t mi;
        CExtPaintManager::GetMonitorInfoByRect(mi, rc);
        if (!mi.m_rcWorkArea.IsRectEmpty())
            rc = mi.m_rcWorkArea;
    }
    rc = ExtBarStateKeepOnWorkArea(rc);
    m_wp.rcNormalPosition = rc;
    CWnd* pTop = pFrame->GetTopLevelParent();
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
    if (pTop == NULL || pTop == pFrame)
        pFrame->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), nFlags | SWP_NOREDRAW);
    else
    {
        pFrame->SetWindowPos(NULL, 0, 0, rc.Width(), rc.Height(), nFlags | SWP_NOMOVE);
        pTop->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
    }
}

// The bars of the records leave their places before any is restored: out of auto-hide
// (quietly), hidden, and floating ones docked again so that no mini frame holds them.
void CExtControlBar::InternalDockStateSite::TakeBarsFromTheirPlaces()
{
    CFrameWnd* pFrame = m_pDockSite;
    CPtrArray arrBars;
    for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); i++)
        CollectResolved(m_arrBarStates[i], arrBars);
    // out of auto-hide first, quietly: no slide, no layout
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = (CExtControlBar*)arrBars[i];
        if (!pBar->m_bAutoHidden)
            continue;
        CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindBarArea(pBar);
        if (pArea != NULL)
            pArea->RemoveBar(pBar, true);
        pBar->m_bAutoHidden = false;
        CExtControlBar* pOwner = pBar->GetTabbedContainer();
        if (pOwner != NULL)
            pOwner->m_bAutoHidden = false;
    }
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    {
        CExtControlBar* pBar = (CExtControlBar*)arrBars[i];
        pFrame->ShowControlBar(pBar, FALSE, FALSE);
        if (pBar->IsFloating())
        {
            UINT nSide = AFX_IDW_DOCKBAR_TOP;
            DWORD dwAlign = pBar->m_dwStyle & CBRS_ALIGN_ANY;
            if (dwAlign & CBRS_ALIGN_BOTTOM)
                nSide = AFX_IDW_DOCKBAR_BOTTOM;
            else if (dwAlign & CBRS_ALIGN_LEFT)
                nSide = AFX_IDW_DOCKBAR_LEFT;
            else if (dwAlign & CBRS_ALIGN_RIGHT)
                nSide = AFX_IDW_DOCKBAR_RIGHT;
            pBar->DockToFrameSideLevel(nSide, 1, pFrame, FALSE);
            pFrame->ShowControlBar(pBar, FALSE, FALSE);
        }
    }
    CExtDockBar::CompactCircles(pFrame);
    pFrame->RecalcLayout();
}

// The fixed-size bars: the class library's dock state (less the records of missing or
// resizable bars), then the sizes, outer records and floating places of the outer items.
void CExtControlBar::InternalDockStateSite::RestoreFixedSizeBars()
{
    CFrameWnd* pFrame = m_pDockSite;
    for (INT_PTR i = m_pState->m_arrBarInfo.GetSize() - 1; i >= 0; i--)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)m_pState->m_arrBarInfo[i];
        CExtControlBar* pExt = pInfo->m_bDockBar ? NULL
            : DYNAMIC_DOWNCAST(CExtControlBar, pFrame->GetControlBar(pInfo->m_nBarID));
        bool bMissing = !pInfo->m_bDockBar && pFrame->GetControlBar(pInfo->m_nBarID) == NULL;
        if (bMissing || (pExt != NULL && !pExt->IsFixedSize()))
        {
            delete pInfo;
            m_pState->m_arrBarInfo.RemoveAt(i);
        }
    }
    if (m_pState->m_arrBarInfo.GetSize() > 0)
        pFrame->SetDockState(*m_pState);
    for (INT_PTR i = 0; i < m_arrOuterProps.GetSize(); i++)
    {
        OuterItemData_t& item = m_arrOuterProps[i];
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar,
                                                pFrame->GetControlBar(item.m_nBarID));
        if (pBar == NULL || pBar->m_hWnd == NULL)
            continue;
        pBar->m_ptFloatPos = item.m_ptFloatHelper;
        pBar->m_sizeDockedH = item.m_sizeDockedH;
        pBar->m_sizeDockedV = item.m_sizeDockedV;
        pBar->m_sizeFloated = item.m_sizeFloated;
        item.m_ald.m_pBar = pBar;
        pBar->SetOuterLayoutData(item.m_ald);
        if (item.m_bFloating)
        {
            CRect rc = ExtBarStateKeepOnWorkArea(CRect(item.m_ptFloatHelper, item.m_sizeFloated));
            CFrameWnd* pMini = pBar->IsFloating() ? pBar->GetParentFrame() : NULL;
            if (pMini != NULL && pMini != pFrame)
            {
                pMini->SetWindowPos(NULL, rc.left, rc.top, 0, 0,
                                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                pMini->DelayRecalcLayout();
            }
            else
                pBar->FloatAtPosition(rc.TopLeft(), CBRS_ALIGN_TOP);
        }
    }
}

// The stored values again after a layout pass, twice (the layout moves them), and the
// groups' selected tabs as stored.
void CExtControlBar::InternalDockStateSite::ApplyValuesAfterLayout()
{
    CFrameWnd* pFrame = m_pDockSite;
    struct Local
    {
        static void Apply(InternalDockStateBar* pRec)
        {
            pRec->ApplyValues();
            for (INT_PTR i = 0; i < pRec->m_arrChildStates.GetSize(); i++)
                Apply(pRec->m_arrChildStates[i]);
        }
    };
    for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); i++)
        Local::Apply(m_arrBarStates[i]);
    CExtDockBar::CompactCircles(pFrame);
    pFrame->RecalcLayout();
    for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); i++)
        Local::Apply(m_arrBarStates[i]);
    // a layout pass may have moved a group's selection
    for (INT_PTR i = 0; i < m_arrBarStates.GetSize(); i++)
    {
        InternalDockStateBar* pRec = m_arrBarStates[i];
        CExtDynTabControlBar* pGroup =
            DYNAMIC_DOWNCAST(CExtDynTabControlBar, pRec->m_pHelperBar);
        int nTab = pRec->m_nHelperActiveTabIndex;
        if (pGroup == NULL || nTab < 0 || pGroup->m_hWnd == NULL ||
            pGroup->m_wndTabs.GetSelection() == nTab)
            continue;
        CExtTabWnd::TAB_ITEM_INFO* pItem = pGroup->m_wndTabs.GetItem(nTab);
        if (pItem != NULL && pItem->IsVisible())
            pGroup->m_wndTabs.SetSelection(nTab, true, false);
    }
}

// Records the frame's whole layout: placement, outer items, floating containers, docked
// resizable bars circle by circle, floating bars and the auto-hidden bars shown per group.
void CExtControlBar::InternalDockStateSite::StateGet()
{
    Clear();
    CFrameWnd* pFrame = m_pDockSite;
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return;
    CExtDockBar::CompactCircles(pFrame);
    CWnd* pTop = pFrame->GetTopLevelParent();
    m_wp.length = sizeof(m_wp);
    if (pTop != NULL)
        pTop->GetWindowPlacement(&m_wp);
    pFrame->GetDockState(*m_pState);
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CControlBar* pPlain = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pPlain);
        if (pBar == NULL || pBar->m_hWnd == NULL)
            continue;
        bool bContainer = pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar));
        if (pBar->IsFixedSize() || (pBar->IsFloating() && !bContainer))
        {
            OuterItemData_t item;
            item.m_nBarID = (UINT)pBar->GetDlgCtrlID();
            item.m_bFloating = pBar->IsFloating();
            item.m_ptFloatHelper = pBar->m_ptFloatPos;
            if (item.m_bFloating)
            {
                CRect rcMini;
                pBar->GetParentFrame()->GetWindowRect(&rcMini);
                item.m_ptFloatHelper = rcMini.TopLeft();
            }
            item.m_sizeDockedH = pBar->m_sizeDockedH;
            item.m_sizeDockedV = pBar->m_sizeDockedV;
            item.m_sizeFloated = pBar->m_sizeFloated;
            OuterLayoutData_t* pData = pBar->GetOuterLayoutData();
            if (pData != NULL)
                item.m_ald = *pData;
            m_arrOuterProps.Add(item);
        }
    }
    // floating containers (their frames list them, not the dock site)
    {
        CSingleLock lock(&g_csAllBars, TRUE);
        for (INT_PTR i = 0; i < g_arrAllBars.GetSize(); i++)
        {
            CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, g_arrAllBars[i]);
            if (pDyn == NULL || pDyn->m_hWnd == NULL || pDyn->m_pDockSite != pFrame ||
                !pDyn->IsFloating())
                continue;
            InternalDockStateBar* pRec = new InternalDockStateBar;
            pRec->StateGet(pDyn, NULL);
            pRec->m_nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
            m_arrBarStates.Add(pRec);
        }
    }
    // docked bars in circle order, row by row
    static const UINT sides[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM,
                                   AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT };
    for (UINT nSide : sides)
    {
        CExtDockBar* pEdge = DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(nSide));
        for (CExtDockBar* pDock = pEdge != NULL ? pEdge->GetInner() : NULL; pDock != NULL;
             pDock = pDock->GetInner())
        {
            bool bAfterBreak = false;
            for (INT_PTR i = 1; i < pDock->m_arrBars.GetSize(); i++)
            {
                void* p = pDock->m_arrBars[i];
                if (p == NULL)
                {
                    bAfterBreak = true;
                    continue;
                }
                if (ExtBarLayout::IsPlaceholder(p))
                    continue;
                CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)p);
                if (pBar == NULL || pBar->IsFixedSize())
                    continue;
                InternalDockStateBar* pRec = new InternalDockStateBar;
                pRec->StateGet(pBar, NULL);
                if (bAfterBreak)
                    pRec->m_dwFlags |= InternalDockStateBar::NEW_ROW;
                bAfterBreak = false;
                m_arrBarStates.Add(pRec);
            }
        }
    }
    // floating plain bars
    pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar,
                                                (CObject*)pFrame->m_listControlBars.GetNext(pos));
        if (pBar == NULL || pBar->m_hWnd == NULL || pBar->IsFixedSize() || !pBar->IsFloating() ||
            pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
            continue;
        if (pBar->m_pDockBar != NULL && pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
            continue;
        InternalDockStateBar* pRec = new InternalDockStateBar;
        pRec->StateGet(pBar, NULL);
        pRec->m_nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
        CFrameWnd* pMini = pBar->GetParentFrame();
        if (pMini != NULL)
        {
            CRect rc;
            pMini->GetWindowRect(&rc);
            pRec->m_ptFloatPos = rc.TopLeft();
        }
        m_arrBarStates.Add(pRec);
    }
    // auto-hidden bars: per item group of each edge's area the bar shown for it
    CExtDynAutoHideArea* arrAreas[4];
    CExtDynAutoHideArea::FindAreas(pFrame->m_hWnd, arrAreas);
    for (int nSide = 0; nSide < 4; nSide++)
    {
        CExtDynAutoHideArea* pArea = arrAreas[nSide];
        int nCount = pArea != NULL ? pArea->GetItemCount() : 0;
        for (int i = 0; i < nCount;)
        {
            int nEnd = i + 1;
            while (nEnd < nCount && !pArea->GetItem(nEnd)->IsGroupStart())
                nEnd++;
            int nShown = i;
            for (int k = i; k < nEnd; k++)
            {
                if (pArea->GetItem(k)->IsInGroupActive())
                {
                    nShown = k;
                    break;
                }
            }
            CExtControlBar* pBar = (CExtControlBar*)pArea->GetItem(nShown)->m_lParam;
            if (pBar != NULL && pBar->m_hWnd != NULL)
                m_arrAutoHideOrder.Add((UINT)pBar->GetDlgCtrlID());
            i = nEnd;
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// CExtControlBar entry points

bool CExtControlBar::SerializeFrameBarState(CArchive& ar, CFrameWnd* pFrame,
                                            WINDOWPLACEMENT* pPlacement)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return false;
    WORD wDummy = 0;
    if (g_mapSerializingFrames.Lookup(pFrame, wDummy))
        return false;
    g_mapSerializingFrames.SetAt(pFrame, ar.IsLoading() ? 1 : 0);
    bool bResult = false;
    try
    {
        InternalDockStateSite site(pFrame);
        if (ar.IsLoading())
        {
            NormalizePlacement(pFrame);
            site.Serialize(ar);
            bResult = site.StateSet(pPlacement != NULL);
        }
        else
        {
            site.StateGet();
            site.Serialize(ar);
            bResult = true;
        }
        if (bResult && pPlacement != NULL)
            *pPlacement = site.m_wp;
    }
    catch (CException* e)
    {
        e->Delete();
        bResult = false;
    }
    g_mapSerializingFrames.RemoveKey(pFrame);
    return bResult;
}

// Restores the frame's bars from the registry stream of its profile; FALSE when there is
// none (the placement is only made sound then) or it does not apply.
bool CExtControlBar::LoadFrameBarState(CFrameWnd* pFrame, LPCTSTR pszCompany,
                                       LPCTSTR pszProduct, LPCTSTR pszProfile,
                                       WINDOWPLACEMENT* pPlacement)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return false;
    LPCTSTR pszFound = g_CmdManagerHolder->FindProfileNameForWindow(pFrame->m_hWnd);
    if (pszFound == NULL || *pszFound == '\0')
        return false;
    CString strKeyPath;
    CExtCmdManager::MakeRegistryKeyPath(strKeyPath, SECTION_BARS, pszProfile, pszCompany,
                                        pszProduct);
    bool bResult = false;
    try
    {
        CMemFile file(1024);
        if (!CExtCmdManager::LoadStreamFromRegistry(file, strKeyPath, HKEY_CURRENT_USER))
        {
            NormalizePlacement(pFrame);
            return false;
        }
        file.Seek(0, CFile::begin);
        CArchive ar(&file, CArchive::load, 4096);
        bResult = SerializeFrameBarState(ar, pFrame, pPlacement);
        ar.Abort();
    }
    catch (CException* e)
    {
        e->Delete();
        bResult = false;
    }
    return bResult;
}
