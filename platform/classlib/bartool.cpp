// bartool.cpp - CToolBar: command buttons over the toolbar common control,
// TOOLBAR resources, the layouts of the docked and floating bar, button states
// from the command update handlers.

#include "afxwnd.h"
#include <algorithm>

namespace
{

const WORD RT_TOOLBAR_TYPE = 241;
const COLORREF CLR_IMAGE_TRANSPARENT = RGB(192, 192, 192);
const int MAX_TOOLBAR_BUTTONS = 4096;

// Command update of one button: enable and check go to the button's state.
class CToolCmdUI : public CCmdUI
{
public:
    virtual void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CToolBar* pToolBar = (CToolBar*)m_pOther;
        UINT nOldStyle = pToolBar->GetButtonStyle((int)m_nIndex);
        UINT nNewStyle = nOldStyle & ~TBBS_DISABLED;
        if (!bOn)
            nNewStyle = (nNewStyle | TBBS_DISABLED) & ~TBBS_PRESSED;
        if (nNewStyle != nOldStyle)
            pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle);
    }
    virtual void SetCheck(int nCheck) override
    {
        CToolBar* pToolBar = (CToolBar*)m_pOther;
        UINT nOldStyle = pToolBar->GetButtonStyle((int)m_nIndex);
        UINT nNewStyle = nOldStyle & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNewStyle |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNewStyle |= TBBS_INDETERMINATE;
        nNewStyle |= TBBS_CHECKBOX;
        if (nNewStyle != nOldStyle)
            pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle);
    }
    virtual void SetRadio(BOOL bOn) override
    {
        SetCheck(bOn ? 1 : 0);
    }
    virtual void SetText(LPCTSTR) override
    {
        // buttons keep their images
    }
};

// The ids of a TOOLBAR resource: the WORD layout (version 1, width, height,
// count, ids) or the DWORD layout of the GNU resource compiler (width, height,
// count, ids). FALSE when the data is too short for its count.
BOOL ReadToolBarResource(const BYTE* pData, DWORD nSize, CSize& sizeImage,
                         CArray<UINT, UINT>& arrIDs)
{
    arrIDs.RemoveAll();
    if (pData == NULL || nSize < 4 * sizeof(WORD))
        return FALSE;
    const WORD* pw = (const WORD*)pData;
    if (pw[0] == 1 && (DWORD)(4 + pw[3]) * sizeof(WORD) <= nSize)
    {
        sizeImage = CSize(pw[1], pw[2]);
        for (WORD i = 0; i < pw[3]; i++)
            arrIDs.Add(pw[4 + i]);
        return TRUE;
    }
    if (nSize < 3 * sizeof(DWORD))
        return FALSE;
    DWORD dwWidth, dwHeight, dwCount;
    memcpy(&dwWidth, pData, sizeof(DWORD));
    memcpy(&dwHeight, pData + 4, sizeof(DWORD));
    memcpy(&dwCount, pData + 8, sizeof(DWORD));
    if (dwWidth == 0 || dwWidth > 0xFFFF || dwHeight == 0 || dwHeight > 0xFFFF ||
        dwCount > (nSize - 12) / sizeof(DWORD) || dwCount > (DWORD)MAX_TOOLBAR_BUTTONS)
        return FALSE;
    sizeImage = CSize((int)dwWidth, (int)dwHeight);
    for (DWORD i = 0; i < dwCount; i++)
    {
        DWORD dwID;
        memcpy(&dwID, pData + 12 + 4 * i, sizeof(DWORD));
        arrIDs.Add((UINT)dwID);
    }
    return TRUE;
}

} // namespace

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CToolBar::CToolBar()
{
    m_cxLeftBorder = m_cxRightBorder = 1;
    m_cyTopBorder = m_cyBottomBorder = 1;
    m_sizeButton = CSize(23, 22);
    m_sizeImage = CSize(16, 15);
    m_hbmImageWell = NULL;
    m_hImageList = NULL;
}

CToolBar::~CToolBar()
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::SendMessageA(m_hWnd, TB_SETIMAGELIST, 0, 0);
    if (m_hImageList != NULL)
        ImageList_Destroy(m_hImageList);
    if (m_hbmImageWell != NULL)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle,
                    CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

// Creates the toolbar control, leaving its placing and sizing to the bar.
BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    SetBorders(rcBorders);
    m_dwStyle = dwStyle & CBRS_ALL;

    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_BAR_CLASSES;
    ::InitCommonControlsEx(&icc);

    // the bar places and sizes the control itself
    DWORD dwWinStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                       CCS_NODIVIDER | CCS_NORESIZE;
    if (!CWnd::Create(TOOLBARCLASSNAMEA, NULL, dwWinStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    ::SendMessageA(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Buttons and images

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    BOOL bImageChanged = sizeImage.cx != m_sizeImage.cx || sizeImage.cy != m_sizeImage.cy;
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == NULL)
        return;
    ::SendMessageA(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    ::SendMessageA(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
    if (bImageChanged && m_hbmImageWell != NULL)
        RebuildImageList();
    Invalidate();
}

void CToolBar::SetHeight(int cyHeight)
{
    // the room around the buttons splits over the top and bottom borders
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, TRUE);
    int nInner = cyHeight - (rect.top - rect.bottom) + m_cyTopBorder + m_cyBottomBorder;
    int nExtra = std::max(0, nInner - (int)m_sizeButton.cy);
    m_cyTopBorder = nExtra / 2;
    m_cyBottomBorder = nExtra - m_cyTopBorder;
    if (m_hWnd != NULL)
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     SWP_FRAMECHANGED);
}

// Builds the image list the control draws from the bar's bitmap strip.
void CToolBar::RebuildImageList()
{
    HIMAGELIST hImageList = NULL;
    if (m_hbmImageWell != NULL && m_sizeImage.cx > 0 && m_sizeImage.cy > 0)
    {
        BITMAP bm;
        ::GetObjectA(m_hbmImageWell, sizeof(bm), &bm);
        int nImages = std::max(1, (int)(bm.bmWidth / m_sizeImage.cx));
        hImageList = ImageList_Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK, nImages, 4);
        if (hImageList != NULL)
        {
            // the list's mask keeps the strip as it is: added from a copy
            HBITMAP hbmCopy = (HBITMAP)::CopyImage(m_hbmImageWell, IMAGE_BITMAP, 0, 0, 0);
            ImageList_AddMasked(hImageList, hbmCopy != NULL ? hbmCopy : m_hbmImageWell,
                                CLR_IMAGE_TRANSPARENT);
            if (hbmCopy != NULL)
                ::DeleteObject(hbmCopy);
        }
    }
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, TB_SETIMAGELIST, 0, (LPARAM)hImageList);
    if (m_hImageList != NULL)
        ImageList_Destroy(m_hImageList);
    m_hImageList = hImageList;
    if (m_hWnd != NULL)
        Invalidate();
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    if (m_hbmImageWell != NULL && m_hbmImageWell != hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmImageWell;
    RebuildImageList();
    return hbmImageWell == NULL || m_hImageList != NULL;
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCTSTR)RT_BITMAP);
    HBITMAP hbm = ::LoadBitmapA(hInst, lpszResourceName);
    if (hbm == NULL)
        return FALSE;
    return SetBitmap(hbm);
}

// Loads a TOOLBAR resource: its buttons, sizes and bitmap; FALSE if any part is missing.
BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(RT_TOOLBAR_TYPE));
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(RT_TOOLBAR_TYPE));
    if (hRsrc == NULL)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const BYTE* pData = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
    CSize sizeImage;
    CArray<UINT, UINT> arrIDs;
    if (!ReadToolBarResource(pData, ::SizeofResource(hInst, hRsrc), sizeImage, arrIDs))
        return FALSE;
    if (!SetButtons(arrIDs.GetData(), (int)arrIDs.GetSize()))
        return FALSE;
    SetSizes(CSize(sizeImage.cx + 7, sizeImage.cy + 7), sizeImage);
    return LoadBitmap(lpszResourceName);
}

int CToolBar::SeparatorWidth() const
{
    return 6 + m_cxDefaultGap;
}

// Replaces the buttons by one per id, separators for ID_SEPARATOR; images follow in order.
BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == NULL || nIDCount < 0 || nIDCount > MAX_TOOLBAR_BUTTONS)
        return FALSE;
    while (::SendMessageA(m_hWnd, TB_DELETEBUTTON, 0, 0))
        ;
    if (nIDCount == 0)
        return TRUE;

    CArray<TBBUTTON, const TBBUTTON&> arrButtons;
    arrButtons.SetSize(nIDCount);
    int iImage = 0;
    for (int i = 0; i < nIDCount; i++)
    {
        TBBUTTON& button = arrButtons[i];
        memset(&button, 0, sizeof(button));
        button.fsState = TBSTATE_ENABLED;
        UINT nID = lpIDArray != NULL ? lpIDArray[i] : 0;
        button.idCommand = (int)nID;
        if (nID == ID_SEPARATOR)
        {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = SeparatorWidth();     // a separator's width
        }
        else
        {
            button.fsStyle = TBSTYLE_BUTTON;
            button.iBitmap = iImage++;
        }
    }
    if (!::SendMessageA(m_hWnd, TB_ADDBUTTONSA, (WPARAM)nIDCount, (LPARAM)arrButtons.GetData()))
        return FALSE;
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
    return TRUE;
}

int CToolBar::GetCount() const
{
    return m_hWnd != NULL ? (int)::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0) : 0;
}

BOOL CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const
{
    memset(pButton, 0, sizeof(*pButton));
    if (m_hWnd == NULL || nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    return (BOOL)::SendMessageA(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)pButton);
}

// Changes one button, relaying out the frame only when the bar's size changes.
void CToolBar::SetButton(int nIndex, const TBBUTTON* pButton)
{
    TBBUTTON old;
    if (!GetButton(nIndex, &old))
        AfxThrowInvalidArgException();
    if (old.idCommand == pButton->idCommand && old.fsStyle == pButton->fsStyle &&
        old.fsState == pButton->fsState && old.iBitmap == pButton->iBitmap)
        return;
    TBBUTTONINFOA info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_STYLE | TBIF_STATE | TBIF_IMAGE;
    info.idCommand = pButton->idCommand;
    info.fsStyle = pButton->fsStyle;
    info.fsState = pButton->fsState;
    info.iImage = pButton->iBitmap;
    ::SendMessageA(m_hWnd, TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info);
    // a button that turns into a separator (or back) changes the bar's size
    if (((old.fsStyle ^ pButton->fsStyle) & TBSTYLE_SEP) != 0 || old.iBitmap != pButton->iBitmap ||
        ((old.fsState ^ pButton->fsState) & TBSTATE_HIDDEN) != 0)
    {
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame != NULL)
            pFrame->DelayRecalcLayout();
    }
    CRect rect;
    if (::SendMessageA(m_hWnd, TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)&rect))
        InvalidateRect(rect);
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    int nCount = GetCount();
    for (int i = 0; i < nCount; i++)
    {
        TBBUTTON button;
        if (GetButton(i, &button) && (UINT)button.idCommand == nIDFind)
            return i;
    }
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        AfxThrowInvalidArgException();
    return (UINT)button.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (m_hWnd == NULL || nIndex < 0 || nIndex >= GetCount() ||
        !::SendMessageA(m_hWnd, TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        AfxThrowInvalidArgException();
    return MAKELONG(button.fsStyle, button.fsState) ^ TBBS_DISABLED;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        AfxThrowInvalidArgException();
    // the wrap state belongs to the layout
    BYTE fsWrap = button.fsState & TBSTATE_WRAP;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)((HIWORD(nStyle ^ TBBS_DISABLED) & ~TBSTATE_WRAP) | fsWrap);
    SetButton(nIndex, &button);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        AfxThrowInvalidArgException();
    nID = (UINT)button.idCommand;
    nStyle = MAKELONG(button.fsStyle, button.fsState) ^ TBBS_DISABLED;
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        AfxThrowInvalidArgException();
    BYTE fsWrap = button.fsState & TBSTATE_WRAP;
    button.idCommand = (int)nID;
    button.iBitmap = iImage;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)((HIWORD(nStyle ^ TBBS_DISABLED) & ~TBSTATE_WRAP) | fsWrap);
    SetButton(nIndex, &button);
}

// Gives a button a text; the frame lays out again since the button grows.
BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText)
{
    if (m_hWnd == NULL || nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    TBBUTTONINFOA info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = (LPSTR)(lpszText != NULL ? lpszText : "");
    if (!::SendMessageA(m_hWnd, TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info))
        return FALSE;
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
    return TRUE;
}

// A button's text, empty for a bad index or a button without one.
void CToolBar::GetButtonText(int nIndex, CString& rString) const
{
    rString.Empty();
    if (m_hWnd == NULL || nIndex < 0 || nIndex >= GetCount())
        return;
    char szText[1024] = "";
    TBBUTTONINFOA info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = szText;
    info.cchText = (int)sizeof(szText) - 1;
    if (::SendMessageA(m_hWnd, TB_GETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info) >= 0)
        rString = szText;
}

CString CToolBar::GetButtonText(int nIndex) const
{
    CString str;
    GetButtonText(nIndex, str);
    return str;
}

/////////////////////////////////////////////////////////////////////////////
// Layout

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    DWORD dwMode = (bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0);
    return CalcLayout(dwMode);
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    // docked with no length asked: the fixed layout of that side
    if (nLength == -1 && (nMode & (LM_MRUWIDTH | LM_COMMIT)) == 0 &&
        (nMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    return CalcLayout(nMode, nLength);
}

// Wraps the buttons into a row, a column or floating rows and returns the bar's size for the mode.
CSize CToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    int nCount = GetCount();
    CArray<TBBUTTON, const TBBUTTON&> arrButtons;
    arrButtons.SetSize(nCount);
    for (int i = 0; i < nCount; i++)
        GetButton(i, &arrButtons[i]);

    // one row docked at the top or bottom, one column at the left or right,
    // rows of a width when floating
    BOOL bFloat = (dwMode & LM_MRUWIDTH) != 0 ||
                  (nLength >= 0 && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) == 0);
    BOOL bVert = !bFloat && (dwMode & (LM_HORZ | LM_HORZDOCK)) == 0;
    BOOL bHorz = !bVert;

    CRect rectBorders(0, 0, 0, 0);
    CalcInsideRect(rectBorders, bHorz);
    int cxBorders = rectBorders.left - rectBorders.right;
    int cyBorders = rectBorders.top - rectBorders.bottom;

    auto itemWidth = [this](const TBBUTTON& button) {
        return (button.fsStyle & TBSTYLE_SEP) ? button.iBitmap : (int)m_sizeButton.cx;
    };

    CArray<BOOL, BOOL> arrWrap;
    arrWrap.SetSize(nCount);
    CSize sizeContent(0, 0);
    if (bVert)
    {
        // a column: every button ends its row, a separator is a gap
        for (int i = 0; i < nCount; i++)
        {
            const TBBUTTON& button = arrButtons[i];
            if (button.fsState & TBSTATE_HIDDEN)
                continue;
            arrWrap[i] = TRUE;
            sizeContent.cy += (button.fsStyle & TBSTYLE_SEP) ? button.iBitmap : m_sizeButton.cy;
        }
        if (nCount > 0)
            sizeContent.cx = m_sizeButton.cx;
    }
    else
    {
        int nWidthMax = INT_MAX;
        if (bFloat)
        {
            int nTotal = 0;
            for (int i = 0; i < nCount; i++)
            {
                if (!(arrButtons[i].fsState & TBSTATE_HIDDEN))
                    nTotal += itemWidth(arrButtons[i]);
            }
            if ((dwMode & LM_MRUWIDTH) != 0 && nLength < 0)
                nWidthMax = (int)m_nMRUWidth - cxBorders;
            else if (dwMode & LM_LENGTHY)
            {
                // as many rows as the height holds, as narrow as the rows allow
                int nRows = std::max(1, (nLength - cyBorders) / std::max(1, (int)m_sizeButton.cy));
                nWidthMax = (nTotal + nRows - 1) / nRows;
            }
            else if (nLength >= 0)
            {
                nWidthMax = nLength - cxBorders;
            }
            if (nWidthMax >= 32767 - cxBorders)
                nWidthMax = nTotal;     // no MRU width yet: one row
            nWidthMax = std::max(nWidthMax, (int)m_sizeButton.cx);
        }
        int x = 0;
        int nRows = nCount > 0 ? 1 : 0;
        int nLast = -1;
        for (int i = 0; i < nCount; i++)
        {
            const TBBUTTON& button = arrButtons[i];
            if (button.fsState & TBSTATE_HIDDEN)
                continue;
            int cx = itemWidth(button);
            BOOL bSep = (button.fsStyle & TBSTYLE_SEP) != 0;
            if (x == 0 && bSep && nLast >= 0)
                continue;   // a separator starting a row takes no room
            if (x > 0 && x + cx > nWidthMax)
            {
                arrWrap[nLast] = TRUE;
                nRows++;
                x = 0;
                if (bSep)
                {
                    nLast = i;
                    continue;
                }
            }
            x += cx;
            sizeContent.cx = std::max((int)sizeContent.cx, x);
            nLast = i;
        }
        sizeContent.cy = nRows * m_sizeButton.cy + std::max(0, nRows - 1) * m_cyDefaultGap;
    }

    // the control draws the rows as the wrap states say
    for (int i = 0; i < nCount; i++)
    {
        TBBUTTON& button = arrButtons[i];
        BYTE fsState = (BYTE)((button.fsState & ~TBSTATE_WRAP) | (arrWrap[i] ? TBSTATE_WRAP : 0));
        if (fsState != button.fsState && m_hWnd != NULL)
        {
            button.fsState = fsState;
            TBBUTTONINFOA info;
            memset(&info, 0, sizeof(info));
            info.cbSize = sizeof(info);
            info.dwMask = TBIF_BYINDEX | TBIF_STATE;
            info.fsState = fsState;
            ::SendMessageA(m_hWnd, TB_SETBUTTONINFOA, (WPARAM)i, (LPARAM)&info);
        }
    }

    CSize size(sizeContent.cx + cxBorders, sizeContent.cy + cyBorders);
    if (nCount == 0)
        size = CSize(m_sizeButton.cx + cxBorders, m_sizeButton.cy + cyBorders);
    if (dwMode & LM_STRETCH)
    {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    if ((dwMode & LM_COMMIT) && bFloat)
        m_nMRUWidth = (UINT)size.cx;
    return size;
}

/////////////////////////////////////////////////////////////////////////////
// Tool tips, updates, painting

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    int nCount = GetCount();
    for (int i = 0; i < nCount; i++)
    {
        TBBUTTON button;
        if (!GetButton(i, &button) || (button.fsStyle & TBSTYLE_SEP) ||
            (button.fsState & TBSTATE_HIDDEN))
            continue;
        CRect rect;
        if (!::SendMessageA(m_hWnd, TB_GETITEMRECT, (WPARAM)i, (LPARAM)&rect) || !rect.PtInRect(point))
            continue;
        INT_PTR nHit = button.idCommand;
        if (pTI != NULL)
        {
            // the tip is the second line of the command's string
            CString strTip;
            if (AfxLoadString((UINT)nHit, strTip))
            {
                int nNewLine = strTip.Find('\n');
                strTip = nNewLine >= 0 ? strTip.Mid(nNewLine + 1) : CString();
            }
            pTI->hwnd = m_hWnd;
            pTI->uId = (UINT_PTR)nHit;
            pTI->rect = rect;
            pTI->lpszText = _strdup(strTip);
            if (pTI->lpszText == NULL)
                pTI->lpszText = LPSTR_TEXTCALLBACKA;
        }
        return nHit;
    }
    return -1;
}

// Asks the command handlers for each button's state, separators passed over.
void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        TBBUTTON button;
        if (!GetButton((int)state.m_nIndex, &button) || (button.fsStyle & TBSTYLE_SEP))
            continue;
        state.m_nID = (UINT)button.idCommand;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    CControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
}

void CToolBar::OnPaint()
{
    Default();      // the control paints its buttons
}

BOOL CToolBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}
