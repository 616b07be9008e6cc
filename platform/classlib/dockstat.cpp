// dockstat.cpp - the bar state of a frame: CControlBarInfo, CDockState, the
// bars' GetBarInfo and SetBarInfo, and the frame's GetDockState, SetDockState,
// LoadBarState and SaveBarState.

#include "afxwnd.h"

namespace
{

const char s_szSummarySection[] = "%s-Summary";
const char s_szBarSection[] = "%s-Bar%d";
const char s_szBars[] = "Bars";
const char s_szScreenCX[] = "ScreenCX";
const char s_szScreenCY[] = "ScreenCY";
const char s_szBarID[] = "BarID";
const char s_szVisible[] = "Visible";
const char s_szHorz[] = "Horz";
const char s_szFloating[] = "Floating";
const char s_szXPos[] = "XPos";
const char s_szYPos[] = "YPos";
const char s_szMRUWidth[] = "MRUWidth";
const char s_szDocking[] = "Docking";
const char s_szMRUDockID[] = "MRUDockID";
const char s_szMRUDockLeftPos[] = "MRUDockLeftPos";
const char s_szMRUDockRightPos[] = "MRUDockRightPos";
const char s_szMRUDockTopPos[] = "MRUDockTopPos";
const char s_szMRUDockBottomPos[] = "MRUDockBottomPos";
const char s_szMRUFloatStyle[] = "MRUFloatStyle";
const char s_szMRUFloatXPos[] = "MRUFloatXPos";
const char s_szMRUFloatYPos[] = "MRUFloatYPos";
const char s_szBarNumber[] = "Bar#%d";

// The serialized form of a CDockState (CDockState::Serialize), little-endian,
// no padding; LONG and DWORD are 4 bytes:
//
//   DWORD   version, 1 (anything else is refused)
//   LONG    screen width, LONG screen height (pixels, of the screen it was made on)
//   DWORD   number of bar records n (at most 1000)
//   n bar records (CControlBarInfo::Serialize), each:
//     DWORD   bar id (dialog id of the bar or dock bar)
//     BYTE    flags: 1 visible, 2 floating, 4 horizontal, 8 dock bar,
//             16 docking (the four MRU fields below follow)
//     LONG    x, LONG y: top-left in its dock bar; for a floating dock bar
//             the screen position of its frame's client area (scaled on load
//             when the screen size differs)
//     DWORD   MRU width of a floating bar (32767: none)
//     with flag 16:
//       DWORD   MRU dock bar id (0: none)
//       LONG    left, top, right, bottom: MRU docked rectangle (dock bar client)
//       DWORD   MRU floating style (CBRS_ALIGN_* | CBRS_FLOAT_MULTI, 0: none)
//       LONG    x, LONG y: MRU floating position (screen)
//     with flag 8:
//       DWORD   number of row entries m (at most 1000)
//       m DWORDs: 0 ends a row; a bar id; bar id | 0x10000 a kept place
//
// A version is written once per state, not per record; an archive that ends
// early or holds too many records is refused.
const DWORD DOCKSTATE_VERSION = 1;      // of the serialized form
const DWORD BAR_PLACEHOLDER = 0x10000;  // stored row entry: a bar's kept place
const UINT MAX_STORED_BARS = 1000;      // more bars than any frame has: a damaged state

CString SectionName(LPCTSTR lpszFormat, LPCTSTR lpszProfileName, int nIndex = 0)
{
    CString str;
    str.Format(lpszFormat, lpszProfileName, nIndex);
    return str;
}

int GetInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return (int)AfxGetApp()->GetProfileInt(lpszSection, lpszEntry, nDefault);
}

BOOL IsPlaceHolder(void* p)
{
    return p != NULL && (UINT_PTR)p < 0x10000;
}

BOOL ArrayHolds(const CPtrArray& arr, void* p)
{
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        if (arr[i] == p)
            return TRUE;
    }
    return FALSE;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CControlBarInfo

CControlBarInfo::CControlBarInfo()
{
    m_nBarID = 0;
    m_bVisible = TRUE;
    m_bFloating = FALSE;
    m_bHorz = TRUE;
    m_bDockBar = FALSE;
    m_pointPos = CPoint(-1, -1);
    m_nMRUWidth = 32767;
    m_bDocking = FALSE;
    m_uMRUDockID = 0;
    m_rectMRUDockPos.SetRectEmpty();
    m_dwMRUFloatStyle = 0;
    m_ptMRUFloatPos = CPoint(0, 0);
    m_pBar = NULL;
}

// Writes one bar's state to its profile section, leaving out default values.
BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    CWinApp* pApp = AfxGetApp();
    CString strSection = SectionName(s_szBarSection, lpszProfileName, nIndex);
    // the section is written anew; default values are left out
    pApp->WriteProfileString(strSection, NULL, NULL);
    pApp->WriteProfileInt(strSection, s_szBarID, (int)m_nBarID);
    if (!m_bVisible)
        pApp->WriteProfileInt(strSection, s_szVisible, m_bVisible);
    if (!m_bHorz)
        pApp->WriteProfileInt(strSection, s_szHorz, m_bHorz);
    if (m_bFloating)
        pApp->WriteProfileInt(strSection, s_szFloating, m_bFloating);
    if (m_pointPos.x != -1)
        pApp->WriteProfileInt(strSection, s_szXPos, m_pointPos.x);
    if (m_pointPos.y != -1)
        pApp->WriteProfileInt(strSection, s_szYPos, m_pointPos.y);
    if (m_nMRUWidth != 32767)
        pApp->WriteProfileInt(strSection, s_szMRUWidth, (int)m_nMRUWidth);
    if (m_bDocking)
    {
        pApp->WriteProfileInt(strSection, s_szDocking, m_bDocking);
        pApp->WriteProfileInt(strSection, s_szMRUDockID, (int)m_uMRUDockID);
        pApp->WriteProfileInt(strSection, s_szMRUDockLeftPos, m_rectMRUDockPos.left);
        pApp->WriteProfileInt(strSection, s_szMRUDockTopPos, m_rectMRUDockPos.top);
        pApp->WriteProfileInt(strSection, s_szMRUDockRightPos, m_rectMRUDockPos.right);
        pApp->WriteProfileInt(strSection, s_szMRUDockBottomPos, m_rectMRUDockPos.bottom);
        pApp->WriteProfileInt(strSection, s_szMRUFloatStyle, (int)m_dwMRUFloatStyle);
        pApp->WriteProfileInt(strSection, s_szMRUFloatXPos, m_ptMRUFloatPos.x);
        pApp->WriteProfileInt(strSection, s_szMRUFloatYPos, m_ptMRUFloatPos.y);
    }
    if (m_arrBarID.GetSize() > 1)   // a dock bar with more than its leading row end
    {
        pApp->WriteProfileInt(strSection, s_szBars, (int)m_arrBarID.GetSize());
        for (INT_PTR i = 0; i < m_arrBarID.GetSize(); i++)
        {
            CString strEntry;
            strEntry.Format(s_szBarNumber, (int)i);
            pApp->WriteProfileInt(strSection, strEntry, (int)(UINT_PTR)m_arrBarID[i]);
        }
    }
    return TRUE;
}

// Reads one bar's state from its profile section; FALSE for a section without a bar id.
BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState)
{
    CString strSection = SectionName(s_szBarSection, lpszProfileName, nIndex);
    m_nBarID = (UINT)GetInt(strSection, s_szBarID, 0);
    m_bVisible = (BOOL)GetInt(strSection, s_szVisible, TRUE);
    m_bHorz = (BOOL)GetInt(strSection, s_szHorz, TRUE);
    m_bFloating = (BOOL)GetInt(strSection, s_szFloating, FALSE);
    m_pointPos = CPoint(GetInt(strSection, s_szXPos, -1), GetInt(strSection, s_szYPos, -1));
    m_nMRUWidth = (UINT)GetInt(strSection, s_szMRUWidth, 32767);
    m_bDocking = (BOOL)GetInt(strSection, s_szDocking, 0);
    if (m_bDocking)
    {
        m_uMRUDockID = (UINT)GetInt(strSection, s_szMRUDockID, 0);
        m_rectMRUDockPos = CRect(GetInt(strSection, s_szMRUDockLeftPos, 0),
                                 GetInt(strSection, s_szMRUDockTopPos, 0),
                                 GetInt(strSection, s_szMRUDockRightPos, 0),
                                 GetInt(strSection, s_szMRUDockBottomPos, 0));
        m_dwMRUFloatStyle = (DWORD)GetInt(strSection, s_szMRUFloatStyle, 0);
        m_ptMRUFloatPos = CPoint(GetInt(strSection, s_szMRUFloatXPos, 0),
                                 GetInt(strSection, s_szMRUFloatYPos, 0));
        if (pDockState != NULL)
        {
            pDockState->ScaleRectPos(m_rectMRUDockPos);
            pDockState->ScalePoint(m_ptMRUFloatPos);
        }
    }
    int nBars = GetInt(strSection, s_szBars, 0);
    if (nBars < 0 || (UINT)nBars > MAX_STORED_BARS)
        nBars = 0;
    m_arrBarID.RemoveAll();
    for (int i = 0; i < nBars; i++)
    {
        CString strEntry;
        strEntry.Format(s_szBarNumber, i);
        m_arrBarID.Add((void*)(UINT_PTR)(DWORD)GetInt(strSection, strEntry, 0));
    }
    m_bDockBar = nBars > 0;
    // a floating frame's place is on the screen
    if (pDockState != NULL && m_bFloating && m_bDockBar)
        pDockState->ScalePoint(m_pointPos);
    return m_nBarID != 0;
}

// Stores or loads one bar's state in an archive, refusing impossible counts.
void CControlBarInfo::Serialize(CArchive& ar, CDockState* pDockState)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)m_nBarID;
        BYTE byFlags = (BYTE)((m_bVisible ? 1 : 0) | (m_bFloating ? 2 : 0) | (m_bHorz ? 4 : 0) |
                              (m_bDockBar ? 8 : 0) | (m_bDocking ? 16 : 0));
        ar << byFlags;
        ar << (LONG)m_pointPos.x << (LONG)m_pointPos.y;
        ar << (DWORD)m_nMRUWidth;
        if (m_bDocking)
        {
            ar << (DWORD)m_uMRUDockID;
            ar << (LONG)m_rectMRUDockPos.left << (LONG)m_rectMRUDockPos.top
               << (LONG)m_rectMRUDockPos.right << (LONG)m_rectMRUDockPos.bottom;
            ar << (DWORD)m_dwMRUFloatStyle;
            ar << (LONG)m_ptMRUFloatPos.x << (LONG)m_ptMRUFloatPos.y;
        }
        if (m_bDockBar)
        {
            ar << (DWORD)m_arrBarID.GetSize();
            for (INT_PTR i = 0; i < m_arrBarID.GetSize(); i++)
                ar << (DWORD)(UINT_PTR)m_arrBarID[i];
        }
        return;
    }

    DWORD dw;
    BYTE byFlags;
    LONG x, y, r, b;
    ar >> dw;
    m_nBarID = dw;
    ar >> byFlags;
    m_bVisible = (byFlags & 1) != 0;
    m_bFloating = (byFlags & 2) != 0;
    m_bHorz = (byFlags & 4) != 0;
    m_bDockBar = (byFlags & 8) != 0;
    m_bDocking = (byFlags & 16) != 0;
    ar >> x >> y;
    m_pointPos = CPoint(x, y);
    if (pDockState != NULL && m_bFloating && m_bDockBar)
        pDockState->ScalePoint(m_pointPos);
    ar >> dw;
    m_nMRUWidth = dw;
    if (m_bDocking)
    {
        ar >> dw;
        m_uMRUDockID = dw;
        ar >> x >> y >> r >> b;
        m_rectMRUDockPos = CRect(x, y, r, b);
        ar >> dw;
        m_dwMRUFloatStyle = dw;
        ar >> x >> y;
        m_ptMRUFloatPos = CPoint(x, y);
        if (pDockState != NULL)
        {
            pDockState->ScaleRectPos(m_rectMRUDockPos);
            pDockState->ScalePoint(m_ptMRUFloatPos);
        }
    }
    m_arrBarID.RemoveAll();
    if (m_bDockBar)
    {
        DWORD nCount;
        ar >> nCount;
        if (nCount > MAX_STORED_BARS)
            AfxThrowArchiveException(CArchiveException::badIndex);
        for (DWORD i = 0; i < nCount; i++)
        {
            ar >> dw;
            m_arrBarID.Add((void*)(UINT_PTR)dw);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// CDockState

IMPLEMENT_SERIAL(CDockState, CObject, 1)

CDockState::CDockState()
{
    m_dwVersion = DOCKSTATE_VERSION;
    m_bScaling = FALSE;
    m_sizeDevice = CSize(0, 0);
}

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
        delete (CControlBarInfo*)m_arrBarInfo[i];
    m_arrBarInfo.RemoveAll();
}

CSize CDockState::GetScreenSize()
{
    return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

void CDockState::SetScreenSize(CSize& size)
{
    m_sizeDevice = size;
    CSize sizeScreen = GetScreenSize();
    m_bScaling = size.cx > 0 && size.cy > 0 && size != sizeScreen;
}

void CDockState::ScalePoint(CPoint& pt)
{
    if (!m_bScaling)
        return;
    CSize sizeScreen = GetScreenSize();
    pt.x = ::MulDiv(pt.x, sizeScreen.cx, m_sizeDevice.cx);
    pt.y = ::MulDiv(pt.y, sizeScreen.cy, m_sizeDevice.cy);
}

void CDockState::ScaleRectPos(CRect& rect)
{
    if (!m_bScaling)
        return;
    // the rectangle moves with the scale and keeps its size
    CPoint pt = rect.TopLeft();
    ScalePoint(pt);
    rect.OffsetRect(pt - rect.TopLeft());
}

// Writes every bar's state and removes sections a former, longer state left.
void CDockState::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    CString strSummary = SectionName(s_szSummarySection, lpszProfileName);
    int nOldCount = GetInt(strSummary, s_szBars, 0);

    int nIndex = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)m_arrBarInfo[i];
        if (pInfo->SaveState(lpszProfileName, nIndex))
            nIndex++;
    }
    // sections of a former, longer state go
    for (int i = nIndex; i < nOldCount && (UINT)i < MAX_STORED_BARS; i++)
        pApp->WriteProfileString(SectionName(s_szBarSection, lpszProfileName, i), NULL, NULL);

    pApp->WriteProfileInt(strSummary, s_szBars, nIndex);
    CSize size = GetScreenSize();
    pApp->WriteProfileInt(strSummary, s_szScreenCX, size.cx);
    pApp->WriteProfileInt(strSummary, s_szScreenCY, size.cy);
}

// Reads the bars' states from the profile, dropping entries that name no bar.
void CDockState::LoadState(LPCTSTR lpszProfileName)
{
    Clear();
    CString strSummary = SectionName(s_szSummarySection, lpszProfileName);
    int nBars = GetInt(strSummary, s_szBars, 0);
    if (nBars < 0 || (UINT)nBars > MAX_STORED_BARS)
        nBars = 0;
    CSize size(GetInt(strSummary, s_szScreenCX, 0), GetInt(strSummary, s_szScreenCY, 0));
    SetScreenSize(size);
    for (int i = 0; i < nBars; i++)
    {
        CControlBarInfo* pInfo = new CControlBarInfo;
        if (pInfo->LoadState(lpszProfileName, i, this))
            m_arrBarInfo.Add(pInfo);
        else
            delete pInfo;   // a bar without id cannot be found again
    }
}

// Stores or loads the whole dock state, refusing another version or a bad count.
void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)DOCKSTATE_VERSION;
        CSize size = GetScreenSize();
        ar << (LONG)size.cx << (LONG)size.cy;
        ar << (DWORD)m_arrBarInfo.GetSize();
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
            ((CControlBarInfo*)m_arrBarInfo[i])->Serialize(ar, this);
        return;
    }

    Clear();
    DWORD dwVersion;
    ar >> dwVersion;
    if (dwVersion != DOCKSTATE_VERSION)
        AfxThrowArchiveException(CArchiveException::badSchema);
    m_dwVersion = dwVersion;
    LONG cx, cy;
    ar >> cx >> cy;
    CSize size(cx, cy);
    SetScreenSize(size);
    DWORD nCount;
    ar >> nCount;
    if (nCount > MAX_STORED_BARS)
        AfxThrowArchiveException(CArchiveException::badIndex);
    for (DWORD i = 0; i < nCount; i++)
    {
        CControlBarInfo* pInfo = new CControlBarInfo;
        m_arrBarInfo.Add(pInfo);    // owned at once: an exception below frees it with the state
        pInfo->Serialize(ar, this);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Bars

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_pBar = this;
    pInfo->m_nBarID = (UINT)GetDlgCtrlID();
    pInfo->m_bVisible = IsVisible();
    pInfo->m_bFloating = IsFloating();
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_bDockBar = FALSE;
    pInfo->m_nMRUWidth = m_nMRUWidth;
    // the place in the dock bar
    CRect rect;
    GetWindowRect(&rect);
    if (m_pDockBar != NULL)
        m_pDockBar->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
    pInfo->m_bDocking = m_pDockContext != NULL;
    if (m_pDockContext != NULL)
    {
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

// Restores a bar's remembered docking places, position and visibility.
void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd*)
{
    m_nMRUWidth = pInfo->m_nMRUWidth;
    if (m_pDockContext != NULL && pInfo->m_bDocking)
    {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    // the place in the dock bar and the visibility
    UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                  (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (pInfo->m_pointPos.x == -1 && pInfo->m_pointPos.y == -1)
        nFlags |= SWP_NOMOVE;
    m_nStateFlags &= ~(delayHide | delayShow);
    SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, nFlags);
}

// Records the dock bar's rows as bar ids, row ends and kept places.
void CDockBar::GetBarInfo(CControlBarInfo* pInfo)
{
    CControlBar::GetBarInfo(pInfo);
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = m_bFloating;
    pInfo->m_bVisible = TRUE;
    if (m_bFloating)
    {
        // the floating frame's client position on the screen
        CRect rect;
        GetWindowRect(&rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    // the rows: bar ids, 0 at a row's end, kept places marked
    pInfo->m_arrBarID.RemoveAll();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        void* pEntry = m_arrBars[i];
        if (pEntry == NULL)
            pInfo->m_arrBarID.Add(NULL);
        else if (IsPlaceHolder(pEntry))
            pInfo->m_arrBarID.Add((void*)((UINT_PTR)pEntry | BAR_PLACEHOLDER));
        else
            pInfo->m_arrBarID.Add((void*)(UINT_PTR)(WORD)((CControlBar*)pEntry)->GetDlgCtrlID());
    }
}

// Rebuilds the rows from a stored state, moving the named bars in and keeping the unnamed ones.
void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    // the rows as stored: bars of the frame, kept places, row ends
    CPtrArray arrNew;
    arrNew.Add(NULL);
    CPtrArray arrMoved;
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); i++)
    {
        DWORD dwID = (DWORD)(UINT_PTR)pInfo->m_arrBarID[i];
        if (dwID == 0)
        {
            if (arrNew[arrNew.GetSize() - 1] != NULL)
                arrNew.Add(NULL);
        }
        else if (dwID & BAR_PLACEHOLDER)
        {
            arrNew.Add((void*)(UINT_PTR)(dwID & 0xFFFF));
        }
        else
        {
            CControlBar* pBar = pFrameWnd->GetControlBar(dwID);
            if (pBar == NULL || pBar->IsDockBar() || ArrayHolds(arrNew, pBar))
                continue;
            arrNew.Add(pBar);
            arrMoved.Add(pBar);
        }
    }
    // bars docked here that the state does not name stay, in rows after the others
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar != NULL && !ArrayHolds(arrNew, pBar))
        {
            if (arrNew[arrNew.GetSize() - 1] != NULL)
                arrNew.Add(NULL);
            arrNew.Add(pBar);
        }
    }
    if (arrNew[arrNew.GetSize() - 1] != NULL)
        arrNew.Add(NULL);

    // the named bars move in: out of their old dock bars after they are children here
    for (INT_PTR i = 0; i < arrMoved.GetSize(); i++)
    {
        CControlBar* pBar = (CControlBar*)arrMoved[i];
        DWORD dwStyle = pBar->GetBarStyle();
        dwStyle &= ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING);
        dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
        if (m_bFloating)
            dwStyle |= CBRS_FLOATING;
        pBar->SetBarStyle(dwStyle);
        if (pBar->GetParent() != this)
            pBar->SetParent(this);
        CDockBar* pOldDockBar = pBar->m_pDockBar;
        pBar->m_pDockBar = this;
        if (pOldDockBar != NULL && pOldDockBar != this)
            pOldDockBar->RemoveControlBar(pBar);
        if (!m_bFloating && (m_dwStyle & CBRS_FLOAT_MULTI) == 0 && pBar->m_pDockContext != NULL)
            pBar->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
    }
    if (m_bFloating && arrMoved.GetSize() == 1)
    {
        CString strTitle;
        ((CControlBar*)arrMoved[0])->GetWindowText(strTitle);
        AfxSetWindowText(m_hWnd, strTitle);
    }
    m_arrBars.Copy(arrNew);
    TidyRows();

    // a side dock bar's own window is placed by the layout
    m_nMRUWidth = pInfo->m_nMRUWidth;
}

/////////////////////////////////////////////////////////////////////////////
// The frame's state

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL)
    {
        CWnd* pWnd = (CWnd*)m_listControlBars.GetNext(pos);
        if (!pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) || pWnd->m_hWnd == NULL)
            continue;
        CControlBar* pBar = (CControlBar*)pWnd;
        if (pBar->GetDlgCtrlID() == 0)
            continue;   // a bar without id cannot be found again
        CControlBarInfo* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
}

// Restores the bars' layout from a state: floating frames, rows, places, visibility.
void CFrameWnd::SetDockState(const CDockState& state)
{
    // floating frames for the stored floating dock bars, the frame's bars for the rest
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
        pInfo->m_pBar = NULL;
        if (pInfo->m_bFloating && pInfo->m_bDockBar)
        {
            CMiniDockFrameWnd* pFrame = CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP
                                                                           : CBRS_ALIGN_LEFT);
            CRect rect(pInfo->m_pointPos, CSize(10, 10));
            pFrame->CalcWindowRect(&rect);
            pFrame->SetWindowPos(NULL, rect.left, rect.top, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pInfo->m_pBar = &pFrame->m_wndDockBar;
        }
        else if (!pInfo->m_bDockBar || pInfo->m_nBarID != AFX_IDW_DOCKBAR_FLOAT)
        {
            pInfo->m_pBar = GetControlBar(pInfo->m_nBarID);
        }
        if (pInfo->m_pBar != NULL)
            pInfo->m_pBar->m_nMRUWidth = pInfo->m_nMRUWidth;
    }

    // the dock bars take their rows first, then the bars their places in them
    for (int nPass = 0; nPass < 2; nPass++)
    {
        for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
        {
            CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
            if (pInfo->m_pBar == NULL || pInfo->m_pBar->IsDockBar() != (nPass == 0))
                continue;
            pInfo->m_pBar->SetBarInfo(pInfo, this);
        }
    }

    // floating frames with visible bars show; frames left without bars go
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
        if (pInfo->m_pBar == NULL || !pInfo->m_bFloating || !pInfo->m_bDockBar)
            continue;
        CDockBar* pDockBar = (CDockBar*)pInfo->m_pBar;
        CFrameWnd* pFrame = pDockBar->GetParentFrame();
        if (pFrame == NULL)
            continue;
        if (pDockBar->GetDockedCount() == 0)
        {
            pFrame->DestroyWindow();
            continue;
        }
        pFrame->RecalcLayout();
        if (pDockBar->GetDockedVisibleCount() > 0)
            pFrame->ShowWindow(SW_SHOWNA);
    }
    RecalcLayout();
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    CDockState state;
    state.LoadState(lpszProfileName);
    SetDockState(state);
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const
{
    CDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
}
