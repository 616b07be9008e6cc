// ExtPopupMenuWnd.cpp - items of the popup menu: the item record, filling from menus,
// the window list, item operations and the command-UI update.

#include "stdafx.h"
#include <algorithm>
#include "ExtPopupMenuWnd.h"
#include "ExtCmdManager.h"
#include "ExtCmdItem.h"
#include "ExtResourceManager.h"
#include "ExtPaintManager.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuWnd, CExtPopupBaseWnd)

bool CExtPopupMenuWnd::g_bMenuHideRarelyUsed = true;
bool CExtPopupMenuWnd::g_bMenuExpandOnHover = true;
bool CExtPopupMenuWnd::g_bMenuExpandAnimation = true;
bool CExtPopupMenuWnd::g_bMenuHighlightRarelyUsed = true;
int CExtPopupMenuWnd::g_nMenuKeyRepeatTime = 20;
DWORD CExtPopupMenuWnd::g_nLastKeyTime = 0;
bool CExtPopupMenuWnd::g_bLastKeyTimeValid = false;

CExtPopupMenuWnd::BarLinks_t CExtPopupMenuWnd::g_BarLinks = { NULL, NULL, NULL, NULL, NULL,
                                                               NULL };

using std::max;
using std::min;

namespace
{

CExtCmdManager* CmdManager()
{
    return g_CmdManagerHolder.GetManager();
}

LPCTSTR ProfileForWindow(HWND hWnd)
{
    CExtCmdManager* pManager = CmdManager();
    return (pManager != NULL) ? pManager->FindProfileNameForWindow(hWnd) : NULL;
}

// The command of the window's profile, allocated with that id when it is missing.
CExtCmdItem* FindOrAllocateCommand(HWND hWnd, UINT nCmdID)
{
    CExtCmdManager* pManager = CmdManager();
    if (pManager == NULL)
        return NULL;
    LPCTSTR sProfile = pManager->FindProfileNameForWindow(hWnd);
    CExtCmdItem* pCmdItem = pManager->FindCommand(sProfile, nCmdID);
    if (pCmdItem == NULL)
        pCmdItem = pManager->AllocateCommand(sProfile, nCmdID);
    return pCmdItem;
}

// A format string of the resource manager, else the literal.
CString FrameworkString(UINT nID, LPCTSTR sDefault)
{
    CString str;
    if (!g_ResourceManagerHolder->LoadString(str, nID) || str.IsEmpty())
        str = sDefault;
    return str;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// MENUITEMDATA

CExtPopupMenuWnd::MENUITEMDATA::MENUITEMDATA()
    : m_pWndChild(NULL), m_nItemIndex(-100), m_nCmdID(ID_SEPARATOR), m_nTextWidth(0),
      m_nWidth(0), m_nHeight(0), m_nIconAreaWidth(16), m_nMarginLeft(-1), m_nMarginTop(-1),
      m_nMarginRight(-1), m_nMarginBottom(-1), m_wFlags(ITEM_ENABLED), m_pCbCmdDeliver(NULL),
      m_pCbItemClick(NULL), m_cAccelChar(0), m_hWndSpecCmdReceiver(NULL),
      m_pWndInplaceEdit(NULL), m_pInplaceEditStr(NULL), m_pCbVerifyTextInput(NULL),
      m_pCbPutTextInputResult(NULL), m_pCbInplaceEditWndProc(NULL),
      m_pInplaceEditCbCookie(NULL), m_nInplaceEditWidth(0), m_nInplaceEditFlags(EDIT_ENABLED)
{
}

bool CExtPopupMenuWnd::MENUITEMDATA::IsSystemCommand() const
{
    return IsCommand() && CExtCmdManager::IsSystemCommand(m_nCmdID);
}

bool CExtPopupMenuWnd::MENUITEMDATA::IsEnabled() const
{
    if (IsPopup())
        return true;
    if (IsSeparator())
        return false;
    return (m_wFlags & (ITEM_FORCE_ENABLED | ITEM_ENABLED)) != 0;
}

bool CExtPopupMenuWnd::MENUITEMDATA::IsRarelyUsed() const
{
    if (!IsCommand() || m_pCbItemClick != NULL)
        return false;
    CExtCmdItem* pCmdItem = GetCmd();
    return pCmdItem != NULL && pCmdItem->IsRarelyUsed();
}

bool CExtPopupMenuWnd::MENUITEMDATA::IsChildSpecialPopup() const
{
    if (!IsPopup() || m_pWndChild == NULL)
        return false;
    CRuntimeClass* pColor = CRuntimeClass::FromName("CExtPopupColorMenuWnd");
    CRuntimeClass* pControl = CRuntimeClass::FromName("CExtPopupControlMenuWnd");
    return (pColor != NULL && m_pWndChild->IsKindOf(pColor))
        || (pControl != NULL && m_pWndChild->IsKindOf(pControl));
}

TCHAR CExtPopupMenuWnd::MENUITEMDATA::ExtractMnemonic(LPCTSTR sText)
{
    if (sText == NULL)
        return 0;
    LPCTSTR p = strchr(sText, '&');
    if (p == NULL || p[1] == 0)
        return 0;
    TCHAR sz[2] = { p[1], 0 };
    ::CharUpperA(sz);
    return sz[0];
}

void CExtPopupMenuWnd::MENUITEMDATA::SetText(LPCTSTR sText)
{
    CString str = (sText != NULL) ? sText : _T("");
    int nTab = str.Find(_T('\t'));
    if (nTab >= 0)
    {
        m_sAccelText = str.Mid(nTab + 1);
        str = str.Left(nTab);
    }
    m_sItemText = str;
    MeasureItem();
}

void CExtPopupMenuWnd::MENUITEMDATA::SetAccelText(LPCTSTR sAccelText)
{
    m_sAccelText = (sAccelText != NULL) ? sAccelText : _T("");
    MeasureItem();
}

LPCTSTR CExtPopupMenuWnd::MENUITEMDATA::GetProfileName() const
{
    return ProfileForWindow(m_hWndSpecCmdReceiver);
}

CExtCmdItem* CExtPopupMenuWnd::MENUITEMDATA::GetCmd() const
{
    if (!IsCommand() || IsOwnIcon())
        return NULL;
    CExtCmdManager* pManager = CmdManager();
    if (pManager == NULL)
        return NULL;
    return pManager->FindCommand(GetProfileName(), m_nCmdID);
}

CExtCmdIcon* CExtPopupMenuWnd::MENUITEMDATA::GetIconPtr()
{
    if (IsSeparator())
        return NULL;
    if (!m_iconPopup.IsEmpty() || IsOwnIcon())
        return m_iconPopup.IsEmpty() ? NULL : &m_iconPopup;
    if (IsPopup())
        return NULL;
    CExtCmdManager* pManager = CmdManager();
    if (pManager == NULL)
        return NULL;
    CExtCmdIcon* pIcon = pManager->FindCommandIcon(GetProfileName(), m_nCmdID);
    return (pIcon != NULL && !pIcon->IsEmpty()) ? pIcon : NULL;
}

void CExtPopupMenuWnd::MENUITEMDATA::UpdateFromCmdTree()
{
    if (!IsCommand() || CExtCmdManager::IsSystemCommand(m_nCmdID))
        return;
    CExtCmdItem* pCmdItem = GetCmd();
    if (pCmdItem == NULL)
        return;
    m_sAccelText = pCmdItem->m_strAccelText;
    MeasureItem();
}

// Measures the item in the menu font (text, accelerator and icon) and takes its mnemonic, so the
// layout can size the rows; an item with a click handler gets a double icon area.
void CExtPopupMenuWnd::MENUITEMDATA::MeasureItem()
{
    m_cAccelChar = ExtractMnemonic(m_sItemText);
    m_nIconAreaWidth = 16;
    CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
    if (IsSeparator())
    {
        m_nTextWidth = 0;
        m_nWidth = 0;
        m_nHeight = (pPM != NULL) ? pPM->GetMenuSeparatorHeight() : 8;
        return;
    }
    CString strMeasure = m_sItemText;
    if (!IsInplaceEdit())
        strMeasure += m_sAccelText;
    strMeasure.Remove(_T('&'));
    CRect rcText(0, 0, 0, 0);
    {
        CClientDC dc(NULL);
        CFont* pOldFont = (pPM != NULL) ? dc.SelectObject(&pPM->m_FontNormal) : NULL;
        dc.DrawText(strMeasure, &rcText, DT_CALCRECT | DT_SINGLELINE);
        if (pOldFont != NULL)
            dc.SelectObject(pOldFont);
    }
    m_nTextWidth = rcText.Width();
    const int nTextHeight = rcText.Height() + 4;
    int cxIcon = 0;
    int nIconHeight = 0;
    CExtCmdIcon* pIcon = IsButtonStyle() ? NULL : GetIconPtr();
    if (pIcon != NULL)
    {
        CSize sizeIcon = pIcon->GetSize();
        cxIcon = max((int)sizeIcon.cx, 16);
        int cyIcon = max((int)sizeIcon.cy, 16);
        if (cxIcon <= 18 && cyIcon < cxIcon)
            cyIcon = cxIcon;
        nIconHeight = cyIcon + 4;
    }
    m_nHeight = max(max(nTextHeight, nIconHeight), 22);
    if (IsButtonStyle())
        m_nHeight -= 2;
    int nIconArea = max(m_nHeight, cxIcon);
    if (IsCommand() && m_pCbItemClick != NULL)
        nIconArea = 2 * nIconArea + 4;
    if (IsButtonStyle())
        m_nWidth = m_nTextWidth + 36;
    else if (IsInplaceEdit())
    {
        m_nWidth = m_nTextWidth + m_nInplaceEditWidth + 38;
        m_nHeight -= 2;
    }
    else
        m_nWidth = m_nTextWidth + nIconArea + 44;
    m_nIconAreaWidth = nIconArea + 2;
}

/////////////////////////////////////////////////////////////////////////////
// CExtPopupMenuCmdUI

CExtPopupMenuWnd::CExtPopupMenuCmdUI::CExtPopupMenuCmdUI(CExtPopupMenuWnd* pPopup)
    : m_pPopup(pPopup), m_pItemData(NULL)
{
    m_nIndexMax = (UINT)pPopup->GetItemCount();
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (m_pItemData == NULL || m_pItemData->IsPopup())
        return;
    bool bEnabled = bOn || (m_pItemData->m_wFlags & ITEM_FORCE_ENABLED) != 0;
    m_pItemData->SetFlag(ITEM_ENABLED, bEnabled);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetCheck(int nCheck)
{
    if (m_pItemData == NULL || m_pItemData->IsPopup())
        return;
    m_pItemData->SetFlag(ITEM_CHECK, nCheck == 1);
    m_pItemData->SetFlag(ITEM_INDETERMINATE, nCheck == 2);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetRadio(BOOL bOn)
{
    if (m_pItemData == NULL || m_pItemData->IsPopup())
        return;
    m_pItemData->SetFlag(ITEM_RADIO, bOn != FALSE);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pItemData == NULL || m_pItemData->IsPopup())
        return;
    m_pItemData->SetText(lpszText);
}

/////////////////////////////////////////////////////////////////////////////
// Construction

CExtPopupMenuWnd::CExtPopupMenuWnd()
    : m_nCurIndex(IDX_NOTHING), m_nDelayedFocusItemIndex(IDX_NOTHING),
      m_nLastMousePick(IDX_NOTHING), m_nPopupState(0), m_nExpandHoverCounter(0),
      m_dwTrackFlags(0), m_hWndCmdReceiver(NULL), m_nDyScrollOffset(0),
      m_pWndParentMenu(NULL), m_rcScrollTop(0, 0, 0, 0), m_rcScrollBottom(0, 0, 0, 0),
      m_rcExpandButton(0, 0, 0, 0), m_nScrollingDirection(0), m_nLeftAreaWidth(0),
      m_eCombineAlign(COMBINE_NONE), m_rcContent(0, 0, 0, 0), m_sizeFullItems(0, 0),
      m_bCombineWithEA(false), m_bExcludeAreaGiven(false), m_bWindowShown(false),
      m_ptTrack(0, 0), m_ptTrackRaw(0, 0),
      m_nSelfLock(0), m_bDeletePending(false)
{
    ResetState();
}

// Closes the popup's tree and deletes its sub-popups; the site forgets it, and a lock that is never
// released keeps anything from deleting it twice.
CExtPopupMenuWnd::~CExtPopupMenuWnd()
{
    // a lock that is never released: nothing deletes the popup again while it goes
    m_bDeletePending = false;
    m_nSelfLock++;
    m_pWndParentMenu = NULL;
    TrackingSite_t& site = g_TrackingSite;
    if (site.m_pWndHookTarget == this)
        site.m_pWndHookTarget = NULL;
    if (site.m_pWndAnimation == this)
        site.m_pWndAnimation = NULL;
    if (site.m_pWndRoot == this)
        site.Detach(this);
    CloseMenuTree(true);
    // sub-popups belong to the items whether or not this popup is top-level
    RebuildFromHMENU(NULL, IsTopLevel());
    if (GetSafeHwnd() != NULL && ::IsWindow(GetSafeHwnd()))
        CWnd::DestroyWindow();
    m_rgnWnd.DeleteObject();
}

void CExtPopupMenuWnd::SafeDeletePopup(CExtPopupMenuWnd* pPopup)
{
    if (pPopup == NULL)
        return;
    if (pPopup->m_nSelfLock > 0)
    {
        pPopup->m_bDeletePending = true;
        return;
    }
    delete pPopup;
}

CExtPopupMenuWnd::CSelfLock::CSelfLock(CExtPopupMenuWnd* pPopup)
    : m_pPopup(pPopup)
{
    if (m_pPopup != NULL)
        m_pPopup->m_nSelfLock++;
}

CExtPopupMenuWnd::CSelfLock::~CSelfLock()
{
    if (m_pPopup == NULL)
        return;
    if (--m_pPopup->m_nSelfLock == 0 && m_pPopup->m_bDeletePending)
    {
        m_pPopup->m_bDeletePending = false;
        delete m_pPopup;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Item access

int CExtPopupMenuWnd::GetCurrentIndex() const
{
    return m_nCurIndex;
}

HWND CExtPopupMenuWnd::GetCmdReceiverHWND()
{
    return m_hWndCmdReceiver;
}

int CExtPopupMenuWnd::GetItemCount() const
{
    return (int)m_items_all.GetSize();
}

CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::GetItemAt(int nPos)
{
    return m_items_all.ElementAt(nPos);     // raises the invalid-argument error when bad
}

const CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::GetItemAt(int nPos) const
{
    return m_items_all.ElementAt(nPos);
}

UINT CExtPopupMenuWnd::GetItemCmdID(int nPos) const
{
    if (nPos < 0 || nPos >= GetItemCount())
        return 0;
    return m_items_all[nPos].m_nCmdID;
}

HICON CExtPopupMenuWnd::GetItemHIcon(int nPos)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return NULL;
    CExtCmdIcon* pIcon = m_items_all[nPos].GetIconPtr();
    if (pIcon == NULL || pIcon->IsEmpty())
        return NULL;
    return pIcon->GetHIcon();
}

CString CExtPopupMenuWnd::GetItemText(int nPos) const
{
    if (nPos < 0 || nPos >= GetItemCount() || m_items_all[nPos].IsSeparator())
        return CString();
    return m_items_all[nPos].GetText();
}

CString CExtPopupMenuWnd::GetItemAccelText(int nPos) const
{
    if (nPos < 0 || nPos >= GetItemCount() || m_items_all[nPos].IsSeparator())
        return CString();
    return m_items_all[nPos].GetAccelText();
}

int CExtPopupMenuWnd::FindItemByCmdID(UINT nCmdID, int nStartAfter) const
{
    for (int i = max(nStartAfter + 1, 0); i < GetItemCount(); i++)
    {
        if (m_items_all[i].m_nCmdID == nCmdID)
            return i;
    }
    return -1;
}

bool CExtPopupMenuWnd::SetItemHIcon(int nPos, HICON hIcon)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return false;
    MENUITEMDATA& mi = m_items_all[nPos];
    if (!mi.IsPopup() && !mi.IsOwnIcon())
        return false;
    if (hIcon == NULL)
        mi.m_iconPopup.Empty();
    else
        mi.m_iconPopup.AssignHIcon(hIcon, true);
    mi.MeasureItem();
    return true;
}

bool CExtPopupMenuWnd::SetItemText(int nPos, LPCTSTR sText)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return false;
    m_items_all[nPos].SetText(sText);
    return true;
}

bool CExtPopupMenuWnd::SetItemAccelText(int nPos, LPCTSTR sText)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return false;
    m_items_all[nPos].SetAccelText(sText);
    return true;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetItemPopup(int nPos)
{
    if (nPos < 0 || nPos >= GetItemCount() || !m_items_all[nPos].IsPopup())
        return NULL;
    return m_items_all[nPos].m_pWndChild;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetItemSubMenu(int nPos)
{
    return GetItemPopup(nPos);
}

bool CExtPopupMenuWnd::IsItemForceDisplayed(int nPos) const
{
    if (nPos < 0 || nPos >= GetItemCount())
        return false;
    return m_items_all[nPos].IsDisplayed();
}

bool CExtPopupMenuWnd::SetItemForceDisplayed(int nPos, bool bForceDisplayed)
{
    if (nPos < 0 || nPos >= GetItemCount())
        return false;
    m_items_all[nPos].SetFlag(ITEM_FORCE_DISPLAYED, bForceDisplayed);
    RecalcLayout();
    return true;
}

void CExtPopupMenuWnd::SetItemsCmdReceiver(HWND hWndCmdReceiver, bool bThisLevelOnly)
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsCommand())
            mi.m_hWndSpecCmdReceiver = hWndCmdReceiver;
        else if (mi.IsPopup() && mi.m_pWndChild != NULL && !bThisLevelOnly)
            mi.m_pWndChild->SetItemsCmdReceiver(hWndCmdReceiver, false);
    }
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetRootMenu()
{
    CExtPopupMenuWnd* p = this;
    while (p->m_pWndParentMenu != NULL)
        p = p->m_pWndParentMenu;
    return p;
}

/////////////////////////////////////////////////////////////////////////////
// Filling from menus

bool CExtPopupMenuWnd::LoadMenuResource(HWND hWndCmdReceiver, UINT nMenuID, bool bPopupMenu)
{
    CMenu menu;
    if (!g_ResourceManagerHolder->LoadMenu(&menu, nMenuID) || menu.GetSafeHmenu() == NULL)
        return false;
    bool bResult = UpdateFromHMENU(hWndCmdReceiver, menu.GetSafeHmenu(), bPopupMenu, true);
    menu.DestroyMenu();
    return bResult;
}

// Fills the popup from a menu (a popup menu's first sub-menu) once the menu's commands are in the
// receiver's profile; false for no menu.
bool CExtPopupMenuWnd::UpdateFromHMENU(HWND hWndCmdReceiver, HMENU hMenu, bool bPopupMenu,
                                       bool bTopLevel)
{
    if (hWndCmdReceiver != NULL)
        m_hWndCmdReceiver = hWndCmdReceiver;
    if (hMenu == NULL || !::IsMenu(hMenu))
        return false;
    if (bPopupMenu)
    {
        hMenu = ::GetSubMenu(hMenu, 0);
        if (hMenu == NULL)
            return false;
    }
    CExtCmdManager* pManager = CmdManager();
    if (pManager != NULL)
        pManager->UpdateFromMenuHandle(ProfileForWindow(m_hWndCmdReceiver), hMenu, false, true,
                                       true);
    return RebuildFromHMENU(hMenu, bTopLevel);
}

// Replaces the items (and sub-popups) with those of the menu, the recent files expanded in
// place of their placeholder; a NULL menu only empties the popup.
bool CExtPopupMenuWnd::RebuildFromHMENU(HMENU hMenu, bool bTopLevel)
{
    // whatever the items end up being, the layout follows them on every return
    struct CLayoutOnReturn
    {
        CExtPopupMenuWnd* m_pPopup;
        ~CLayoutOnReturn() { m_pPopup->RecalcLayout(); }
    } layout = { this };

    RemoveAllItems();
    if (hMenu == NULL)
        return true;

    if (bTopLevel)
    {
        m_nPopupState |= STATE_TOP_LEVEL;
        m_pWndParentMenu = NULL;
    }
    else
        m_nPopupState &= ~STATE_TOP_LEVEL;

    CExtCmdManager* pManager = CmdManager();
    LPCTSTR sProfile = ProfileForWindow(m_hWndCmdReceiver);
    int nRecentPos = -1;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int nPos = 0; nPos < nCount; nPos++)
        AddItemFromHMENU(hMenu, nPos, pManager, sProfile, nRecentPos);

    if (nRecentPos >= 0)
        return InsertRecentFileItems(nRecentPos);
    return true;
}

// Empties the popup: each sub-popup is emptied, closed and deleted (safely, it may be busy),
// and the selection is forgotten.
void CExtPopupMenuWnd::RemoveAllItems()
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        if (!mi.IsPopup() || mi.m_pWndChild == NULL)
            continue;
        CExtPopupMenuWnd* pChild = mi.m_pWndChild;
        mi.m_pWndChild = NULL;
        pChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
        pChild->CloseMenuTree(false);
        pChild->RebuildFromHMENU(NULL, false);
        mi.m_iconPopup.Empty();
        if (pChild->GetSafeHwnd() != NULL)
            pChild->DestroyWindow();
        pChild->m_pWndParentMenu = NULL;
        SafeDeletePopup(pChild);
    }
    DestroyInplaceEdits();
    m_items_all.RemoveAll();
    m_nCurIndex = IDX_NOTHING;
    m_nDelayedFocusItemIndex = IDX_NOTHING;
    m_nLastMousePick = IDX_NOTHING;
}

// Adds the menu's item at nPos as a separator (never two in a row), a sub-popup or a command
// (an empty text from the command manager); recent files only mark their place in nRecentPos.
void CExtPopupMenuWnd::AddItemFromHMENU(HMENU hMenu, int nPos, CExtCmdManager* pManager,
                                        LPCTSTR sProfile, int& nRecentPos)
{
    TCHAR sText[1025];
    sText[0] = 0;
    MENUITEMINFOA mii;
    ::ZeroMemory(&mii, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS
        | MIIM_DATA | MIIM_STRING;
    mii.dwTypeData = sText;
    mii.cch = 1024;
    if (!::GetMenuItemInfoA(hMenu, nPos, TRUE, &mii))
        return;
    if (mii.hSubMenu == NULL && (mii.fType & MFT_SEPARATOR) == 0
        && mii.wID >= 0xE110 && mii.wID <= 0xE11F)
    {
        if (nRecentPos < 0)
            nRecentPos = GetItemCount();
        return;
    }
    MENUITEMDATA mi;
    mi.m_hWndSpecCmdReceiver = m_hWndCmdReceiver;
    // an item with an id but an empty text is a command, though the platform may
    // report it as a separator
    const bool bSeparator = (mii.fType & MFT_SEPARATOR) != 0 && mii.hSubMenu == NULL
        && (mii.wID == 0 || (int)mii.wID < 0);
    if (bSeparator)
        mi.m_nCmdID = ID_SEPARATOR;
    else if (mii.hSubMenu != NULL)
    {
        CExtPopupMenuWnd* pChild = new CExtPopupMenuWnd;
        pChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
        pChild->m_pWndParentMenu = this;
        pChild->RebuildFromHMENU(mii.hSubMenu, false);
        pChild->m_pWndParentMenu = this;
        mi.m_nCmdID = ID_POPUP;
        mi.m_pWndChild = pChild;
    }
    else if ((int)mii.wID <= 0)
        mi.m_nCmdID = ID_SEPARATOR;
    else
    {
        mi.m_nCmdID = mii.wID;
        if (sText[0] == 0 && pManager != NULL)
        {
            CExtCmdItem* pCmdItem = pManager->FindCommand(sProfile, mi.m_nCmdID);
            if (pCmdItem != NULL)
            {
                if (!pCmdItem->m_strMenuText.IsEmpty())
                    lstrcpynA(sText, pCmdItem->m_strMenuText, 1025);
                else
                    lstrcpynA(sText, pCmdItem->m_strAltText, 1025);
            }
        }
    }
    if (mi.IsSeparator())
    {
        int nLast = GetItemCount() - 1;
        if (nLast >= 0 && m_items_all[nLast].IsSeparator())
            return;
        mi.MeasureItem();
    }
    else
        mi.SetText(sText);
    m_items_all.Add(mi);
}

// Inserts the application's recent files at nRecentPos, numbered with mnemonics and followed
// by a separator; false when a command or an item cannot be made.
bool CExtPopupMenuWnd::InsertRecentFileItems(int nRecentPos)
{
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pList = (pApp != NULL) ? pApp->m_pRecentFileList : NULL;
    if (pList == NULL)
        return true;
    TCHAR szCurDir[MAX_PATH + 1];
    DWORD nCurDir = ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    if (nCurDir == 0 || nCurDir > MAX_PATH)
        szCurDir[0] = 0, nCurDir = 0;
    else if (szCurDir[nCurDir - 1] != '\\')
    {
        szCurDir[nCurDir++] = '\\';
        szCurDir[nCurDir] = 0;
    }
    const CString strTipFormat = FrameworkString(30004, _T("Recent file %d"));
    const CString strStatusFormat =
        FrameworkString(30005, _T("Recent file %d (\"%s\")"));
    int nInserted = 0;
    const int nMaxLen = pList->m_nMaxDisplayLength;
    pList->m_nMaxDisplayLength = -1;    // full length
    bool bFailed = false;
    for (int i = 1; i <= pList->GetSize() && !bFailed; i++)
    {
        CString strName;
        if (!pList->GetDisplayName(strName, i - 1, szCurDir, (int)nCurDir, TRUE)
            || strName.IsEmpty())
            continue;
        UINT nCmdID = 0xE110 + i - 1;
        CExtCmdItem* pCmdItem = FindOrAllocateCommand(m_hWndCmdReceiver, nCmdID);
        if (pCmdItem == NULL)
        {
            bFailed = true;
            break;
        }
        if (i <= 9)
            pCmdItem->m_strMenuText.Format(_T("&%d %s"), i, (LPCTSTR)strName);
        else
            pCmdItem->m_strMenuText.Format(_T("%d&%d %s"), i / 10, i % 10,
                                           (LPCTSTR)strName);
        pCmdItem->m_strTipText.Format(strTipFormat, i);
        pCmdItem->m_strStatusTipText.Format(strStatusFormat, i, (LPCTSTR)strName);
        if (!InsertNewSubMenu(nCmdID, nRecentPos + nInserted, NULL, NULL,
                              m_hWndCmdReceiver))
        {
            bFailed = true;
            break;
        }
        nInserted++;
    }
    pList->m_nMaxDisplayLength = nMaxLen;
    if (bFailed)
        return false;
    if (nInserted > 0)
        InsertNewSubMenu(ID_SEPARATOR, nRecentPos + nInserted);
    return true;
}

// A system menu with the popup's items (sub-menus copied when bDeep, empty ones otherwise), for the
// caller to destroy.
HMENU CExtPopupMenuWnd::ExportToHMENU(bool bDeep)
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == NULL)
        return NULL;
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsSeparator())
        {
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
            continue;
        }
        CString strText = mi.GetText();
        if (!mi.GetAccelText().IsEmpty())
            strText += _T("\t") + mi.GetAccelText();
        if (mi.IsPopup())
        {
            HMENU hSubMenu = (bDeep && mi.m_pWndChild != NULL)
                ? mi.m_pWndChild->ExportToHMENU(true) : ::CreatePopupMenu();
            if (hSubMenu != NULL)
                ::AppendMenuA(hMenu, MF_POPUP | MF_STRING, (UINT_PTR)hSubMenu, strText);
            continue;
        }
        ::AppendMenuA(hMenu, MF_STRING, mi.m_nCmdID, strText);
    }
    return hMenu;
}

// Appends the frame's MDI children as numbered radio items (the active one checked), with a
// "More Windows" item after nine; false when there is no MDI frame.
bool CExtPopupMenuWnd::AppendMdiWindowsList(CWnd* pWndStartSearchMdiFrame)
{
    CWnd* pWnd = pWndStartSearchMdiFrame;
    if (pWnd == NULL && m_hWndCmdReceiver != NULL)
        pWnd = CWnd::FromHandle(m_hWndCmdReceiver);
    CMDIFrameWnd* pFrame = NULL;
    while (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
    {
        if (pWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        {
            pFrame = (CMDIFrameWnd*)pWnd;
            break;
        }
        pWnd = pWnd->GetParentFrame();
    }
    if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
        return false;
    int nCount = GetItemCount();
    if (nCount > 0 && !m_items_all[nCount - 1].IsSeparator())
        InsertNewSubMenu(ID_SEPARATOR, -1);

    HWND hWndActive = (HWND)::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0);
    if (hWndActive != NULL)
    {
        CWnd* pActive = CWnd::FromHandlePermanent(hWndActive);
        if (pActive != NULL && pActive->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))
            && ((CMDIChildWnd*)pActive)->m_bPseudoInactive && !pActive->IsWindowVisible())
            hWndActive = NULL;
    }
    const CString strStatusFormat = FrameworkString(30006, _T("Document \"%s\""));
    for (int n = 0; ; n++)
    {
        HWND hWndChild = ::GetDlgItem(pFrame->m_hWndMDIClient, AFX_IDM_FIRST_MDICHILD + n);
        if (hWndChild == NULL)
            break;
        if (n == 9)
        {
            InsertNewSubMenu(ID_SEPARATOR, -1);
            CExtCmdItem* pCmdItem = FindOrAllocateCommand(m_hWndCmdReceiver, 0xFF09);
            if (pCmdItem != NULL)
            {
                pCmdItem->m_strMenuText = FrameworkString(30007, _T("More Windows"));
                pCmdItem->m_strTipText = pCmdItem->m_strMenuText;
                pCmdItem->m_strStatusTipText =
                    FrameworkString(30008, _T("Manage opened document windows"));
                InsertNewSubMenu(0xFF09, -1, NULL, NULL, m_hWndCmdReceiver);
            }
            break;
        }
        UINT nCmdID = AFX_IDM_FIRST_MDICHILD + n;
        CExtCmdItem* pCmdItem = FindOrAllocateCommand(m_hWndCmdReceiver, nCmdID);
        if (pCmdItem == NULL)
            continue;
        CString strTitle;
        CWnd::FromHandle(hWndChild)->GetWindowText(strTitle);
        pCmdItem->m_strMenuText.Format(_T("&%d %s"), n + 1, (LPCTSTR)strTitle);
        pCmdItem->m_strTipText = pCmdItem->m_strMenuText;
        pCmdItem->m_strStatusTipText.Format(strStatusFormat, (LPCTSTR)strTitle);
        const bool bActive = hWndChild == hWndActive;
        pCmdItem->SetRadio(bActive);
        if (InsertNewSubMenu(nCmdID, -1, NULL, NULL, m_hWndCmdReceiver) && bActive)
            m_items_all[GetItemCount() - 1].SetFlag(ITEM_RADIO, true);
    }
    RecalcLayout();
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Item insertion and removal

bool CExtPopupMenuWnd::InsertItemData(int nPos, MENUITEMDATA& mi)
{
    if (nPos < 0 || nPos >= GetItemCount())
        m_items_all.Add(mi);
    else
        m_items_all.InsertAt(nPos, mi);
    return true;
}

namespace
{

// Lays out the popup that owns the layout of this one: itself when it is top-level or has
// no parent, else its parent (whose layout includes its children).
void RelayoutAfterInsertion(CExtPopupMenuWnd* pPopup)
{
    CExtPopupMenuWnd* pParent = pPopup->GetParentMenuWnd();
    if (pPopup->IsTopLevel() || pParent == NULL)
        pPopup->RecalcLayout();
    else
        pParent->RecalcLayout();
}

} // namespace

// Inserts a separator, an empty sub-popup or a known command (texts from the receiver's profile);
// false for a bad position or an unknown command.
bool CExtPopupMenuWnd::InsertNewSubMenu(UINT nCmdID, int nPos, LPCTSTR sText, HICON hIcon,
                                        HWND hWndCmdReceiver)
{
    if (nPos > GetItemCount() || nPos < -1)
        return false;
    HWND hWndReceiver = (hWndCmdReceiver != NULL) ? hWndCmdReceiver : m_hWndCmdReceiver;
    MENUITEMDATA mi;
    mi.m_hWndSpecCmdReceiver = hWndReceiver;
    if (nCmdID == ID_SEPARATOR)
    {
        mi.m_nCmdID = ID_SEPARATOR;
        mi.MeasureItem();
    }
    else if (nCmdID == ID_POPUP)
    {
        CExtPopupMenuWnd* pChild = new CExtPopupMenuWnd;
        pChild->m_hWndCmdReceiver = hWndReceiver;
        pChild->m_pWndParentMenu = this;
        mi.m_nCmdID = ID_POPUP;
        mi.m_pWndChild = pChild;
        if (hIcon != NULL)
            mi.m_iconPopup.AssignHIcon(hIcon, true);
        mi.SetText(sText);
    }
    else
    {
        CExtCmdManager* pManager = CmdManager();
        CExtCmdItem* pCmdItem = (pManager != NULL)
            ? pManager->FindCommand(ProfileForWindow(hWndReceiver), nCmdID) : NULL;
        if (pCmdItem == NULL)
            return false;
        mi.m_nCmdID = nCmdID;
        mi.m_sAccelText = pCmdItem->m_strAccelText;
        mi.SetText(pCmdItem->m_strMenuText);
    }
    InsertItemData(nPos, mi);
    RelayoutAfterInsertion(this);
    return true;
}

// Inserts an item with its own text, accelerator, icon and check state, whether or not the command
// is known (ID_POPUP adds an empty sub-popup); false for a bad position.
bool CExtPopupMenuWnd::InsertCommandItem(UINT nCmdID, int nPos, LPCTSTR sText,
                                         LPCTSTR sAccelText, const CExtCmdIcon* pIcon,
                                         int nCheckType, HWND hWndCmdReceiver)
{
    if (nPos > GetItemCount() || nPos < -1)
        return false;
    HWND hWndReceiver = (hWndCmdReceiver != NULL) ? hWndCmdReceiver : m_hWndCmdReceiver;
    MENUITEMDATA mi;
    mi.m_hWndSpecCmdReceiver = hWndReceiver;
    mi.m_nCmdID = nCmdID;
    if (nCmdID != ID_SEPARATOR)
    {
        mi.m_wFlags |= ITEM_OWN_ICON;
        if (pIcon != NULL && !pIcon->IsEmpty())
            mi.m_iconPopup.AssignFrom(*pIcon);
        switch (nCheckType)
        {
        case 1: mi.m_wFlags |= ITEM_CHECK; break;
        case 2: mi.m_wFlags |= ITEM_INDETERMINATE; break;
        case 3: mi.m_wFlags |= ITEM_RADIO; break;
        default: break;
        }
        if (nCmdID == ID_POPUP)
        {
            CExtPopupMenuWnd* pChild = new CExtPopupMenuWnd;
            pChild->m_hWndCmdReceiver = hWndReceiver;
            pChild->m_pWndParentMenu = this;
            mi.m_pWndChild = pChild;
        }
        mi.m_sAccelText = (sAccelText != NULL) ? sAccelText : _T("");
        mi.SetText(sText);
    }
    else
        mi.MeasureItem();
    InsertItemData(nPos, mi);
    RelayoutAfterInsertion(this);
    return true;
}

// Inserts a caller's popup as a sub-menu, which this popup then owns; false for a bad position.
bool CExtPopupMenuWnd::InsertSubMenu(CExtPopupMenuWnd* pWndChild, int nPos, LPCTSTR sText,
                                     HICON hIcon)
{
    if (pWndChild == NULL || nPos > GetItemCount() || nPos < -1)
        return false;
    pWndChild->m_nPopupState &= ~STATE_TOP_LEVEL;
    pWndChild->m_hWndCmdReceiver = m_hWndCmdReceiver;
    pWndChild->m_pWndParentMenu = this;
    MENUITEMDATA mi;
    mi.m_hWndSpecCmdReceiver = m_hWndCmdReceiver;
    mi.m_nCmdID = ID_POPUP;
    mi.m_pWndChild = pWndChild;
    if (hIcon != NULL)
        mi.m_iconPopup.AssignHIcon(hIcon, true);
    mi.SetText(sText);
    InsertItemData(nPos, mi);
    RelayoutAfterInsertion(this);
    return true;
}

bool CExtPopupMenuWnd::InsertCommandItemWithHIcon(UINT nCmdID, int nPos, LPCTSTR sText,
                                                  LPCTSTR sAccelText, HICON hIcon,
                                                  bool bCopyIcon, int nCheckType,
                                                  HWND hWndCmdReceiver)
{
    CExtCmdIcon icon;
    if (hIcon != NULL)
        icon.AssignHIcon(hIcon, bCopyIcon);
    return InsertCommandItem(nCmdID, nPos, sText, sAccelText, &icon, nCheckType,
                             hWndCmdReceiver);
}

// Deletes an item with its sub-popup and in-place edit, or every item for a negative position;
// the selection is forgotten.
bool CExtPopupMenuWnd::DeleteItem(int nPos)
{
    if (nPos < 0)
    {
        RebuildFromHMENU(NULL, IsTopLevel());
        RecalcLayout();
        return true;
    }
    if (nPos >= GetItemCount())
        return false;
    MENUITEMDATA& mi = m_items_all[nPos];
    if (mi.IsPopup() && mi.m_pWndChild != NULL)
    {
        CExtPopupMenuWnd* pChild = mi.m_pWndChild;
        mi.m_pWndChild = NULL;
        pChild->CloseMenuTree(false);
        pChild->RebuildFromHMENU(NULL, false);
        if (pChild->GetSafeHwnd() != NULL)
            pChild->DestroyWindow();
        pChild->m_pWndParentMenu = NULL;
        SafeDeletePopup(pChild);
    }
    if (mi.m_pWndInplaceEdit != NULL)
    {
        CWnd* pEdit = mi.m_pWndInplaceEdit;
        mi.m_pWndInplaceEdit = NULL;
        if (pEdit->GetSafeHwnd() != NULL)
            pEdit->DestroyWindow();
    }
    m_items_all.RemoveAt(nPos);
    m_nCurIndex = IDX_NOTHING;
    m_nDelayedFocusItemIndex = IDX_NOTHING;
    m_nLastMousePick = IDX_NOTHING;
    RecalcLayout();
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Searching

int CExtPopupMenuWnd::FindItemByMnemonic(TCHAR ch, int nStartAfter) const
{
    TCHAR sz[2] = { ch, 0 };
    ::CharUpperA(sz);
    ch = sz[0];
    if (ch == 0 || ch == _T('0'))
        return -1;
    const int nCount = GetItemCount();
    auto matches = [&](int i)
    {
        const MENUITEMDATA& mi = m_items_all[i];
        if (!mi.IsDisplayed() || mi.IsSeparator())
            return false;
        if (!mi.IsPopup() && !mi.IsEnabled())
            return false;
        return mi.GetAccelChar() == ch;
    };
    for (int i = nStartAfter + 1; i < nCount; i++)
    {
        if (i >= 0 && matches(i))
            return i;
    }
    for (int i = 0; i < nStartAfter && i < nCount; i++)
    {
        if (matches(i))
            return i;
    }
    return -1;
}

// The next item after nStartAfter whose text is sText, wrapping round to the start; -1 when none.
int CExtPopupMenuWnd::FindItemByText(LPCTSTR sText, int nStartAfter) const
{
    if (sText == NULL || sText[0] == 0)
        return -1;
    const int nCount = GetItemCount();
    for (int i = max(nStartAfter + 1, 0); i < nCount; i++)
    {
        if (m_items_all[i].GetText() == sText)
            return i;
    }
    for (int i = 0; i < nStartAfter && i < nCount; i++)
    {
        if (m_items_all[i].GetText() == sText)
            return i;
    }
    return -1;
}

bool CExtPopupMenuWnd::HasNoSpecialItems() const
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        const MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsDisplayed() || mi.m_pCbItemClick != NULL)
            return false;
    }
    return true;
}

bool CExtPopupMenuWnd::InitAsEmptyPopup(HWND hWndCmdReceiver)
{
    if (IsTopLevel() || m_pWndParentMenu != NULL || GetItemCount() != 0)
        return false;
    m_nPopupState |= STATE_TOP_LEVEL;
    m_hWndCmdReceiver = hWndCmdReceiver;
    m_sizeFullItems = CSize(1, 1);
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Command-UI update

void CExtPopupMenuWnd::UpdateItemsCmdUI()
{
    if (IsTopLevel() && (m_dwTrackFlags & TPMX_NO_CMD_UI) != 0)
        return;
    CExtPopupMenuCmdUI cmdUI(this);
    bool bRelayout = false;
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        mi.UpdateFromCmdTree();
        if (mi.IsOwnIcon() || mi.IsSeparator())
            continue;
        if (mi.IsPopup())
        {
            if (mi.m_pWndChild != NULL)
                mi.m_pWndChild->UpdateItemsCmdUI();
            continue;
        }
        if (mi.m_pCbItemClick != NULL)
        {
            bRelayout = true;
            continue;
        }
        if (CExtCmdManager::IsSystemCommand(mi.m_nCmdID)
            || CExtCmdManager::IsMdiWindowCommand(mi.m_nCmdID))
            continue;
        CWnd* pTarget = (mi.m_hWndSpecCmdReceiver != NULL && ::IsWindow(mi.m_hWndSpecCmdReceiver))
            ? CWnd::FromHandle(mi.m_hWndSpecCmdReceiver) : NULL;
        if (pTarget == NULL)
            continue;
        cmdUI.m_pItemData = &mi;
        cmdUI.m_nID = mi.m_nCmdID;
        cmdUI.m_nIndex = (UINT)i;
        cmdUI.DoUpdate(pTarget, TRUE);
        cmdUI.m_pItemData = NULL;
    }
    if (bRelayout)
        RecalcLayout();
}

// Enabled states of the system commands from the item's receiver window.
void CExtPopupMenuWnd::ApplySystemCommandStates()
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        MENUITEMDATA& mi = m_items_all[i];
        if (mi.IsPopup())
        {
            if (mi.m_pWndChild != NULL)
                mi.m_pWndChild->ApplySystemCommandStates();
            continue;
        }
        if (!mi.IsSystemCommand())
            continue;
        HWND hWnd = mi.m_hWndSpecCmdReceiver;
        if (hWnd == NULL || !::IsWindow(hWnd))
            continue;
        const DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
        const DWORD dwExStyle = (DWORD)::GetWindowLongA(hWnd, GWL_EXSTYLE);
        const bool bMin = ::IsIconic(hWnd) != FALSE, bMax = ::IsZoomed(hWnd) != FALSE;
        bool bEnabled;
        switch (mi.m_nCmdID & 0xFFF0)
        {
        case SC_SIZE:
        case SC_MOVE:
            bEnabled = !bMin && !bMax;
            break;
        case SC_MINIMIZE:
            bEnabled = (dwStyle & WS_MINIMIZEBOX) != 0 && !bMin;
            break;
        case SC_MAXIMIZE:
            bEnabled = (dwStyle & WS_MAXIMIZEBOX) != 0 && !bMax;
            break;
        case SC_CLOSE:
        {
            bEnabled = true;
            HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
            if (hSysMenu != NULL)
            {
                UINT nState = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
                if (nState != (UINT)-1 && (nState & (MF_GRAYED | MF_DISABLED)) != 0)
                    bEnabled = false;
            }
            break;
        }
        case SC_RESTORE:
            bEnabled = (dwStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0 && (bMin || bMax);
            break;
        case SC_CONTEXTHELP:
            bEnabled = (dwExStyle & WS_EX_CONTEXTHELP) != 0;
            break;
        default:
            continue;
        }
        CExtCmdManager* pManager = CmdManager();
        CExtCmdItem* pCmdItem = (pManager != NULL)
            ? pManager->FindCommand(ProfileForWindow(hWnd), mi.m_nCmdID) : NULL;
        if (pCmdItem != NULL)
            pCmdItem->Enable(bEnabled);
        mi.SetFlag(ITEM_ENABLED, bEnabled);
    }
}
