// ExtCmdManager.cpp - command profiles, window bindings and the command manager.

#include "stdafx.h"
#include "ExtCmdManager.h"
#include "ExtCmdIcon.h"
#include "ExtResourceManager.h"
#include "ExtPaintManager.h"
#include "ExtHookSink.h"

BOOL CExtCmdManager::g_bDisableCmdIfNoHandler = TRUE;

namespace
{

const UINT MENU_TEXT_BUFFER = 1024;
const UINT TOOLBAR_TEXT_BUFFER = 1024;
const WORD RT_TOOLBAR_ID = 241;
LPCTSTR const DEFAULT_PROFILE_NAME = _T("default");

// Locks a critical section for one scope.
class CManagerLock
{
public:
    explicit CManagerLock(CCriticalSection& cs) : m_cs(cs) { m_cs.Lock(); }
    ~CManagerLock() { m_cs.Unlock(); }
    CManagerLock(const CManagerLock&) = delete;
    CManagerLock& operator=(const CManagerLock&) = delete;

private:
    CCriticalSection& m_cs;
};

void TrimBoth(CString& str)
{
    str.TrimLeft();
    str.TrimRight();
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtCmdProfile::ToolbarResource_t

CExtCmdProfile::ToolbarResource_t::ToolbarResource_t()
    : m_nVersion(0), m_nWidth(0), m_nHeight(0), m_clrTransparent(RGB(192, 192, 192))
{
}

CExtCmdProfile::ToolbarResource_t::~ToolbarResource_t()
{
}

// The item count must fit into the data; a shorter resource is refused. Besides the
// WORD layout (version 1, width, height, count, ids) the DWORD layout that the GNU
// resource compiler writes for TOOLBAR statements (width, height, count, ids) is read.
bool CExtCmdProfile::ToolbarResource_t::ReadToolbarData(const BYTE* pData, DWORD nSize)
{
    m_arrAllCmdIDs.RemoveAll();
    m_arrButtonCmdIDs.RemoveAll();
    if (pData == NULL || nSize < 4 * sizeof(WORD))
        return false;
    const WORD* pw = (const WORD*)pData;
    if (pw[0] == 1 && (DWORD)(4 + pw[3]) * sizeof(WORD) <= nSize)
    {
        m_nVersion = pw[0];
        m_nWidth = pw[1];
        m_nHeight = pw[2];
        for (WORD i = 0; i < pw[3]; i++)
            m_arrAllCmdIDs.Add(pw[4 + i]);
    }
    else
    {
        if (nSize < 3 * sizeof(DWORD))
            return false;
        DWORD dwWidth, dwHeight, dwCount;
        memcpy(&dwWidth, pData, sizeof(DWORD));
        memcpy(&dwHeight, pData + 4, sizeof(DWORD));
        memcpy(&dwCount, pData + 8, sizeof(DWORD));
        if (dwWidth > 0xFFFF || dwHeight > 0xFFFF || dwCount > (nSize - 12) / sizeof(DWORD))
            return false;
        m_nVersion = 1;
        m_nWidth = (WORD)dwWidth;
        m_nHeight = (WORD)dwHeight;
        for (DWORD i = 0; i < dwCount; i++)
        {
            DWORD dwID;
            memcpy(&dwID, pData + 12 + 4 * i, sizeof(DWORD));
            m_arrAllCmdIDs.Add((UINT)dwID);
        }
    }
    for (INT_PTR i = 0; i < m_arrAllCmdIDs.GetSize(); i++)
    {
        if (m_arrAllCmdIDs[i] != 0)
            m_arrButtonCmdIDs.Add(m_arrAllCmdIDs[i]);
    }
    return true;
}

// Reads a toolbar resource's button ids and bitmap strip; false when either is missing or bad.
bool CExtCmdProfile::ToolbarResource_t::Load(HINSTANCE hInstToolbar, HRSRC hRsrcToolbar,
                                             HINSTANCE hInstBitmap, HRSRC hRsrcBitmap,
                                             COLORREF clrTransparent)
{
    CExtResourceManager::ResourceBuffer_t buffer;
    if (!buffer.LoadFromHandle(hInstToolbar, hRsrcToolbar)
        || !ReadToolbarData(buffer.GetBuffer(), buffer.GetSize()))
        return false;
    m_clrTransparent = clrTransparent;
    m_bmp.DeleteObject();
    HBITMAP hBitmap = CExtPaintManager::LoadBitmapFromResource(hInstBitmap, hRsrcBitmap);
    if (hBitmap == NULL)
        return false;
    m_bmp.Attach(hBitmap);
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// CExtCmdProfile

CExtCmdProfile::CExtCmdProfile(LPCTSTR lpszName)
    : m_strName(lpszName != NULL ? lpszName : _T("")),
      m_nRarelyUsedPercent(10), m_nTotalUsage(0), m_dwReserved(0)
{
    m_mapCmds.InitHashTable(17);
}

CExtCmdProfile::~CExtCmdProfile()
{
    RemoveAllCommands();
}

CExtCmdItem* CExtCmdProfile::CreateCommandCopy(const CExtCmdItem* pSrc)
{
    return new CExtCmdItem(*pSrc);
}

// Adds a copy of the command, or updates the one with its id (texts replaced or only filled in);
// FALSE for an invalid id.
BOOL CExtCmdProfile::SetCommand(const CExtCmdItem* pSrc, bool bReplaceTexts, bool* pbAdded)
{
    if (pbAdded != NULL)
        *pbAdded = false;
    if (pSrc == NULL || !CExtCmdManager::IsCommandIdValid(pSrc->m_nCmdID))
        return FALSE;
    CExtCmdItem* pItem = NULL;
    if (m_mapCmds.Lookup(pSrc->m_nCmdID, pItem) && pItem != NULL)
    {
        if (bReplaceTexts)
            pItem->MergeFrom(*pSrc);
        else
            pItem->FillEmptyFrom(*pSrc);
        return TRUE;
    }
    pItem = CreateCommandCopy(pSrc);
    pItem->m_pProfile = this;
    m_mapCmds.SetAt(pItem->m_nCmdID, pItem);
    if (pbAdded != NULL)
        *pbAdded = true;
    return TRUE;
}

// Deletes an icon and moves the icon indexes of the commands after it down by one.
void CExtCmdProfile::RemoveIconAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= (int)m_arrIcons.GetSize())
        return;
    delete m_arrIcons[nIndex];
    m_arrIcons.RemoveAt(nIndex);
    POSITION pos = m_mapCmds.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CExtCmdItem* pItem = NULL;
        m_mapCmds.GetNextAssoc(pos, nID, pItem);
        if (pItem != NULL && pItem->m_nIconIndex >= nIndex)
            pItem->m_nIconIndex--;
    }
}

// Deletes a command and its icon; TRUE also when there was none (pbRemoved tells), FALSE for a
// bad id.
BOOL CExtCmdProfile::RemoveCommand(UINT nCmdID, bool* pbRemoved)
{
    if (pbRemoved != NULL)
        *pbRemoved = false;
    if (!CExtCmdManager::IsCommandIdValid(nCmdID))
        return FALSE;
    CExtCmdItem* pItem = NULL;
    if (!m_mapCmds.Lookup(nCmdID, pItem) || pItem == NULL)
        return TRUE;
    int nIconIndex = pItem->m_nIconIndex;
    m_mapCmds.RemoveKey(nCmdID);
    delete pItem;
    RemoveIconAt(nIconIndex);
    if (pbRemoved != NULL)
        *pbRemoved = true;
    return TRUE;
}

void CExtCmdProfile::RemoveAllIcons()
{
    for (INT_PTR i = 0; i < m_arrIcons.GetSize(); i++)
        delete m_arrIcons[i];
    m_arrIcons.RemoveAll();
}

void CExtCmdProfile::DeleteAllItems()
{
    POSITION pos = m_mapCmds.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CExtCmdItem* pItem = NULL;
        m_mapCmds.GetNextAssoc(pos, nID, pItem);
        delete pItem;
    }
    m_mapCmds.RemoveAll();
}

void CExtCmdProfile::RemoveAllCommands()
{
    RemoveAllIcons();
    DeleteAllItems();
}

// Removes the commands with any (or, bAllBits, all) of the state flags of dwMask.
void CExtCmdProfile::RemoveCommandsByFlags(DWORD dwMask, bool bAllBits)
{
    CList<UINT, UINT> listIDs;
    POSITION pos = m_mapCmds.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CExtCmdItem* pItem = NULL;
        m_mapCmds.GetNextAssoc(pos, nID, pItem);
        if (pItem == NULL || (pItem->m_dwStateFlags & dwMask) == 0)
            continue;
        if (bAllBits && (pItem->m_dwStateFlags & dwMask) != dwMask)
            continue;
        listIDs.AddTail(nID);
    }
    pos = listIDs.GetHeadPosition();
    while (pos != NULL)
        RemoveCommand(listIDs.GetNext(pos));
}

// Id 0 chooses the highest free id from 0xFFFE downward.
CExtCmdItem* CExtCmdProfile::AllocateCommand(UINT nCmdID)
{
    if (nCmdID == 0)
    {
        if (m_mapCmds.GetCount() == 0)
            nCmdID = 0xFFFE;
        else
        {
            for (UINT nTry = 0xFFFE; nTry >= 1; nTry--)
            {
                if (!CommandExists(nTry))
                {
                    nCmdID = nTry;
                    break;
                }
            }
            if (nCmdID == 0)
                return NULL;
        }
    }
    else if (CommandExists(nCmdID))
        return NULL;
    CExtCmdItem item(nCmdID);
    if (!SetCommand(&item, false))
        return NULL;
    return FindCommand(nCmdID);
}

CExtCmdItem* CExtCmdProfile::FindCommand(UINT nCmdID)
{
    if (!CExtCmdManager::IsCommandIdValid(nCmdID))
        return NULL;
    CExtCmdItem* pItem = NULL;
    if (!m_mapCmds.Lookup(nCmdID, pItem))
        return NULL;
    return pItem;
}

bool CExtCmdProfile::CommandExists(UINT nCmdID)
{
    return FindCommand(nCmdID) != NULL;
}

// Sets, replaces or (NULL or empty icon) removes a command's icon; with bAdopt the profile owns
// pIcon, deleting it also when the command is unknown.
BOOL CExtCmdProfile::SetCommandIcon(UINT nCmdID, CExtCmdIcon* pIcon, bool bAdopt)
{
    if (!CExtCmdManager::IsCommandIdValid(nCmdID))
        return FALSE;
    if (pIcon != NULL && pIcon->IsEmpty())
    {
        if (bAdopt)
            delete pIcon;
        pIcon = NULL;
    }
    CExtCmdItem* pItem = FindCommand(nCmdID);
    if (pItem == NULL)
    {
        if (bAdopt)
            delete pIcon;
        return FALSE;
    }
    int nIndex = pItem->m_nIconIndex;
    bool bHasIcon = nIndex >= 0 && nIndex < (int)m_arrIcons.GetSize();
    if (pIcon != NULL)
    {
        if (!bHasIcon)
        {
            CExtCmdIcon* pNew = pIcon;
            if (!bAdopt)
            {
                try
                {
                    pNew = new CExtCmdIcon(*pIcon);
                }
                catch (...)
                {
                    return FALSE;
                }
                if (pNew->IsEmpty())
                {
                    delete pNew;
                    return FALSE;
                }
            }
            pItem->m_nIconIndex = (int)m_arrIcons.Add(pNew);
        }
        else if (bAdopt)
        {
            CExtCmdIcon* pOld = m_arrIcons[nIndex];
            if (pOld != pIcon)
            {
                m_arrIcons[nIndex] = pIcon;
                delete pOld;
            }
        }
        else if (m_arrIcons[nIndex] != pIcon)
            m_arrIcons[nIndex]->AssignFrom(*pIcon);
        return TRUE;
    }
    if (bHasIcon)
    {
        RemoveIconAt(nIndex);
        pItem->m_nIconIndex = -1;
    }
    return TRUE;
}

CExtCmdIcon* CExtCmdProfile::FindCommandIcon(UINT nCmdID)
{
    CExtCmdItem* pItem = FindCommand(nCmdID);
    if (pItem == NULL || pItem->m_nIconIndex < 0
        || pItem->m_nIconIndex >= (int)m_arrIcons.GetSize())
        return NULL;
    return m_arrIcons[pItem->m_nIconIndex];
}

BOOL CExtCmdProfile::UpdateFromMenuResource(UINT nMenuID, bool bReplaceOld, bool bLoadTips)
{
    CMenu menu;
    if (!g_ResourceManagerHolder.GetManager()->LoadMenu(&menu, nMenuID))
        return FALSE;
    BOOL bResult = UpdateFromMenuHandle(menu.GetSafeHmenu(), bReplaceOld, true, bLoadTips);
    menu.DestroyMenu();
    return bResult;
}

// Every command item of the menu, sub-menus read recursively with tips.
BOOL CExtCmdProfile::UpdateFromMenuHandle(HMENU hMenu, bool bReplaceOld, bool bRecursive,
                                          bool bLoadTips)
{
    if (hMenu == NULL || !::IsMenu(hMenu))
        return FALSE;
    int nCount = ::GetMenuItemCount(hMenu);
    if (nCount <= 0)
        return TRUE;
    for (int nPos = 0; nPos < nCount; nPos++)
    {
        TCHAR szText[MENU_TEXT_BUFFER];
        szText[0] = 0;
        MENUITEMINFOA mii;
        memset(&mii, 0, sizeof(mii));
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
        mii.dwTypeData = szText;
        mii.cch = MENU_TEXT_BUFFER - 1;
        if (!::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &mii))
            continue;
        if ((mii.fType & MFT_SEPARATOR) != 0)
            continue;
        szText[MENU_TEXT_BUFFER - 1] = 0;
        if (mii.hSubMenu != NULL)
        {
            if (bRecursive)
                UpdateFromMenuHandle(mii.hSubMenu, bReplaceOld, true, true);
            continue;
        }
        if (!CExtCmdManager::IsCommandIdValid(mii.wID))
            continue;
        CExtCmdItem item(mii.wID);
        CString strText = ((mii.fType & MFT_STRING) == MFT_STRING) ? szText : _T("");
        strText.Remove('\n');
        strText.Remove('\r');
        TrimBoth(strText);
        int nTab = strText.ReverseFind('\t');
        if (nTab >= 0)
        {
            item.m_strAccelText = strText.Mid(nTab + 1);
            TrimBoth(item.m_strAccelText);
            item.m_strMenuText = strText.Left(nTab);
            TrimBoth(item.m_strMenuText);
        }
        else
            item.m_strMenuText = strText;
        if (bLoadTips)
            item.LoadTextsFromResource();
        SetCommand(&item, bReplaceOld);
    }
    return TRUE;
}

// Toolbar icons replace existing icons whatever bReplaceOld says; it governs the texts.
BOOL CExtCmdProfile::UpdateFromToolBarResource(UINT nResID, UINT** ppIDs, int* pnCount,
                                               bool bReplaceOld, bool bLoadTips,
                                               COLORREF clrTransparent)
{
    if (ppIDs != NULL)
        *ppIDs = NULL;
    if (pnCount != NULL)
        *pnCount = 0;
    if (nResID == 0)
        return FALSE;
    CExtResourceManager* pResMgr = g_ResourceManagerHolder.GetManager();
    HRSRC hRsrcToolbar = NULL;
    HINSTANCE hInstToolbar = pResMgr->FindResourceHandle(MAKEINTRESOURCE(RT_TOOLBAR_ID),
                                                         MAKEINTRESOURCE(nResID), NULL,
                                                         &hRsrcToolbar);
    if (hInstToolbar == NULL || hRsrcToolbar == NULL)
        return FALSE;
    HRSRC hRsrcBitmap = NULL;
    HINSTANCE hInstBitmap = pResMgr->FindResourceHandle(RT_BITMAP, MAKEINTRESOURCE(nResID),
                                                        NULL, &hRsrcBitmap);
    if (hInstBitmap == NULL || hRsrcBitmap == NULL)
        return FALSE;

    ToolbarResource_t res;
    if (!res.Load(hInstToolbar, hRsrcToolbar, hInstBitmap, hRsrcBitmap, clrTransparent))
        return FALSE;

    HBITMAP hStrip = (HBITMAP)res.m_bmp.GetSafeHandle();
    for (INT_PTR i = 0; i < res.m_arrButtonCmdIDs.GetSize(); i++)
    {
        UINT nID = res.m_arrButtonCmdIDs[i];
        RECT rcPart = { (LONG)(i * res.m_nWidth), 0, (LONG)((i + 1) * res.m_nWidth),
                        (LONG)res.m_nHeight };
        CExtCmdIcon* pIcon = new CExtCmdIcon;
        pIcon->AssignBitmap(hStrip, clrTransparent, &rcPart, true);
        if (nID == 0 || pIcon->IsEmpty())
        {
            delete pIcon;
            continue;
        }
        CExtCmdItem item(nID);
        if (bLoadTips)
            item.LoadTextsFromResource();
        if (SetCommand(&item, bReplaceOld))
            SetCommandIcon(nID, pIcon, true);
        else
            delete pIcon;
    }

    int nCount = (int)res.m_arrAllCmdIDs.GetSize();
    if (ppIDs != NULL)
    {
        *ppIDs = new UINT[nCount > 0 ? nCount : 1];
        for (int i = 0; i < nCount; i++)
            (*ppIDs)[i] = res.m_arrAllCmdIDs[i];
    }
    if (pnCount != NULL)
        *pnCount = nCount;
    return TRUE;
}

// Reads the commands, texts and images of a toolbar control; icons already set are kept.
BOOL CExtCmdProfile::UpdateFromToolBarWindow(CWnd* pBar, bool bReplaceOld, bool bLoadTips)
{
    HWND hWndBar = pBar->GetSafeHwnd();
    if (hWndBar == NULL || !::IsWindow(hWndBar))
        return FALSE;
    HIMAGELIST hImageList = (HIMAGELIST)::SendMessageA(hWndBar, TB_GETIMAGELIST, 0, 0);
    if (hImageList == NULL)
        return FALSE;
    int nCount = (int)::SendMessageA(hWndBar, TB_BUTTONCOUNT, 0, 0);
    for (int nIndex = 0; nIndex < nCount; nIndex++)
    {
        TBBUTTON button;
        memset(&button, 0, sizeof(button));
        if (!::SendMessageA(hWndBar, TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&button))
            continue;
        UINT nID = (UINT)button.idCommand;
        if (nID == 0 || (button.fsStyle & TBSTYLE_SEP) != 0)
            continue;

        TCHAR szText[TOOLBAR_TEXT_BUFFER];
        szText[0] = 0;
        TBBUTTONINFOA tbi;
        memset(&tbi, 0, sizeof(tbi));
        tbi.cbSize = sizeof(tbi);
        tbi.dwMask = TBIF_IMAGE | TBIF_TEXT;
        tbi.pszText = szText;
        tbi.cchText = TOOLBAR_TEXT_BUFFER - 1;
        int nImage = button.iBitmap;
        if (::SendMessageA(hWndBar, TB_GETBUTTONINFOA, (WPARAM)nID, (LPARAM)&tbi) >= 0)
            nImage = tbi.iImage;
        else
            szText[0] = 0;
        szText[TOOLBAR_TEXT_BUFFER - 1] = 0;

        CExtCmdItem item(nID);
        item.m_strAltText = szText;
        if (bLoadTips)
            item.LoadTextsFromResource();
        if (!SetCommand(&item, bReplaceOld) || nImage < 0)
            continue;
        CExtCmdItem* pItem = FindCommand(nID);
        if (pItem == NULL || FindCommandIcon(nID) != NULL)
            continue;
        HICON hIcon = ::ImageList_GetIcon(hImageList, nImage, ILD_NORMAL);
        if (hIcon == NULL)
            continue;
        CExtCmdIcon* pIcon = new CExtCmdIcon(hIcon, false);
        pItem->m_nIconIndex = (int)m_arrIcons.Add(pIcon);
    }
    return TRUE;
}

// System commands and unknown ids make the result FALSE; the others are still marked.
BOOL CExtCmdProfile::SetBasicCommands(const UINT* pCmdIDs, bool bBasic)
{
    if (pCmdIDs == NULL)
        return FALSE;
    BOOL bResult = TRUE;
    for (; *pCmdIDs != 0; pCmdIDs++)
    {
        UINT nID = *pCmdIDs;
        CExtCmdItem* pItem = CExtCmdManager::IsSystemCommand(nID) ? NULL : FindCommand(nID);
        if (pItem == NULL)
        {
            bResult = FALSE;
            continue;
        }
        pItem->SetBasic(bBasic);
    }
    return bResult;
}

void CExtCmdProfile::OnSysColorChange()
{
    POSITION pos = m_mapCmds.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CExtCmdItem* pItem = NULL;
        m_mapCmds.GetNextAssoc(pos, nID, pItem);
        if (pItem != NULL)
            pItem->OnSysColorChange();
    }
}

void CExtCmdProfile::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    POSITION pos = m_mapCmds.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CExtCmdItem* pItem = NULL;
        m_mapCmds.GetNextAssoc(pos, nID, pItem);
        if (pItem != NULL)
            pItem->OnSettingChange(uFlags, lpszSection);
    }
}

void CExtCmdProfile::OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY)
{
    POSITION pos = m_mapCmds.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CExtCmdItem* pItem = NULL;
        m_mapCmds.GetNextAssoc(pos, nID, pItem);
        if (pItem != NULL)
            pItem->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
    }
}

void CExtCmdProfile::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    POSITION pos = m_mapCmds.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CExtCmdItem* pItem = NULL;
        m_mapCmds.GetNextAssoc(pos, nID, pItem);
        if (pItem != NULL)
            pItem->OnThemeChanged(wParam, lParam);
    }
}

void CExtCmdProfile::ResetUsageStatistics()
{
    POSITION pos = m_mapCmds.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CExtCmdItem* pItem = NULL;
        m_mapCmds.GetNextAssoc(pos, nID, pItem);
        if (pItem != NULL)
            pItem->ResetUsage();
    }
    m_nTotalUsage = 0;
}

// Makes this profile a deep copy of another: settings, commands and icons.
void CExtCmdProfile::AssignFrom(const CExtCmdProfile& other)
{
    if (&other == this)
        return;
    m_strName = other.m_strName;
    m_nRarelyUsedPercent = other.m_nRarelyUsedPercent;
    m_nTotalUsage = other.m_nTotalUsage;
    m_dwReserved = other.m_dwReserved;

    DeleteAllItems();
    POSITION pos = other.m_mapCmds.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CExtCmdItem* pItem = NULL;
        other.m_mapCmds.GetNextAssoc(pos, nID, pItem);
        if (pItem == NULL)
            continue;
        CExtCmdItem* pClone = CreateCommandCopy(pItem);
        pClone->m_pProfile = this;
        m_mapCmds.SetAt(nID, pClone);
    }

    RemoveAllIcons();
    for (INT_PTR i = 0; i < other.m_arrIcons.GetSize(); i++)
        m_arrIcons.Add(new CExtCmdIcon(*other.m_arrIcons[i]));
}

/////////////////////////////////////////////////////////////////////////////
// CExtCmdManager

CExtCmdManager::CExtCmdManager()
{
    m_mapWndProfiles.InitHashTable(17);
    m_mapProfiles.SetAt(DEFAULT_PROFILE_NAME, new CExtCmdProfile(DEFAULT_PROFILE_NAME));
}

CExtCmdManager::~CExtCmdManager()
{
    CManagerLock lock(m_cs);
    POSITION pos = m_mapProfiles.GetStartPosition();
    while (pos != NULL)
    {
        CString strName;
        void* p = NULL;
        m_mapProfiles.GetNextAssoc(pos, strName, p);
        delete (CExtCmdProfile*)p;
    }
    m_mapProfiles.RemoveAll();
    m_mapWndProfiles.RemoveAll();
}

bool CExtCmdManager::IsHostGeneratedCommand(UINT nCmdID)
{
    return IsMdiWindowCommand(nCmdID)
        || (nCmdID >= 0xE110 && nCmdID <= 0xE11F)
        || (nCmdID >= 0xE210 && nCmdID <= 0xE21F)
        || IsSystemCommand(nCmdID);
}

CExtCmdProfile* CExtCmdManager::GetProfile(LPCTSTR lpszName)
{
    if (lpszName == NULL)
        lpszName = DEFAULT_PROFILE_NAME;
    void* p = NULL;
    if (!m_mapProfiles.Lookup(lpszName, p))
        return NULL;
    return (CExtCmdProfile*)p;
}

CExtCmdProfile* CExtCmdManager::LockedLookup(LPCTSTR lpszProfile)
{
    CManagerLock lock(m_cs);
    return GetProfile(lpszProfile);
}

// Creates the named profile unless it exists (pNewProfile becomes it) and binds the window to it.
BOOL CExtCmdManager::EnsureProfile(LPCTSTR lpszName, HWND hWnd, CExtCmdProfile* pNewProfile)
{
    if (lpszName == NULL || *lpszName == 0)
        lpszName = DEFAULT_PROFILE_NAME;
    {
        CManagerLock lock(m_cs);
        if (GetProfile(lpszName) == NULL)
        {
            CExtCmdProfile* pProfile = (pNewProfile != NULL)
                ? pNewProfile : new CExtCmdProfile(lpszName);
            m_mapProfiles.SetAt(lpszName, pProfile);
        }
    }
    if (hWnd == NULL)
        return TRUE;
    return SetProfileForWindow(lpszName, hWnd);
}

namespace
{

// Watches one bound window and drops its binding when the window goes, so that a later
// window with the same handle starts unbound.
class CProfileBindingSink : public CExtHookSink
{
public:
    explicit CProfileBindingSink(HWND hWnd) : CExtHookSink(false), m_hWnd(hWnd) {}
    bool IsAutoDelete() override { return true; }
    void OnHookDestroyWindow() override
    {
        CExtCmdManager* pManager = g_CmdManagerHolder.GetManager();
        if (pManager != NULL)
            pManager->ForgetWindow(m_hWnd);
    }

private:
    HWND m_hWnd;
};

} // namespace

// Binds a window to a profile until the window is destroyed; a window already bound keeps its
// profile. FALSE for no window or an unknown profile.
BOOL CExtCmdManager::SetProfileForWindow(LPCTSTR lpszName, HWND hWnd)
{
    if (hWnd == NULL)
        return FALSE;
    bool bBound = false;
    {
        CManagerLock lock(m_cs);
        CExtCmdProfile* pProfile = GetProfile(lpszName);
        if (pProfile == NULL)
            return FALSE;
        CExtCmdProfile* pBound = NULL;
        if (m_mapWndProfiles.Lookup(hWnd, pBound) && !::IsWindow(hWnd))
        {
            m_mapWndProfiles.RemoveKey(hWnd);   // a binding left by a window that is gone
            pBound = NULL;
        }
        if (pBound == NULL)
        {
            m_mapWndProfiles.SetAt(hWnd, pProfile);
            bBound = true;
        }
    }
    if (bBound && this == g_CmdManagerHolder.GetManager()
        && ::GetWindowThreadProcessId(hWnd, NULL) == ::GetCurrentThreadId())
    {
        CProfileBindingSink* pSink = new CProfileBindingSink(hWnd);
        if (!pSink->SetupHookWndSink(hWnd))
            delete pSink;
    }
    return TRUE;
}

void CExtCmdManager::ForgetWindow(HWND hWnd)
{
    CManagerLock lock(m_cs);
    m_mapWndProfiles.RemoveKey(hWnd);
}

// The profile of the window or of its nearest bound parent; NULL when none is bound.
LPCTSTR CExtCmdManager::FindProfileNameForWindow(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    CManagerLock lock(m_cs);
    for (HWND hWndWalk = hWnd; hWndWalk != NULL; hWndWalk = ::GetParent(hWndWalk))
    {
        CExtCmdProfile* pProfile = NULL;
        if (m_mapWndProfiles.Lookup(hWndWalk, pProfile) && pProfile != NULL)
        {
            if (!::IsWindow(hWndWalk))
            {
                // the window went without its binding being dropped (another thread's)
                m_mapWndProfiles.RemoveKey(hWndWalk);
                return NULL;
            }
            return pProfile->m_strName;
        }
    }
    return NULL;
}

BOOL CExtCmdManager::SetCommand(LPCTSTR lpszProfile, const CExtCmdItem* pSrc,
                                bool bReplaceTexts, bool* pbAdded)
{
    if (pbAdded != NULL)
        *pbAdded = false;
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return FALSE;
    CManagerLock lock(m_cs);
    return pProfile->SetCommand(pSrc, bReplaceTexts, pbAdded);
}

BOOL CExtCmdManager::RemoveCommand(LPCTSTR lpszProfile, UINT nCmdID, bool* pbRemoved)
{
    if (pbRemoved != NULL)
        *pbRemoved = false;
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return FALSE;
    CManagerLock lock(m_cs);
    return pProfile->RemoveCommand(nCmdID, pbRemoved);
}

void CExtCmdManager::RemoveAllCommands(LPCTSTR lpszProfile)
{
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return;
    CManagerLock lock(m_cs);
    pProfile->RemoveAllCommands();
}

BOOL CExtCmdManager::RemoveCommandsByFlags(LPCTSTR lpszProfile, DWORD dwMask, bool bAllBits)
{
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return FALSE;
    CManagerLock lock(m_cs);
    pProfile->RemoveCommandsByFlags(dwMask, bAllBits);
    return TRUE;
}

CExtCmdItem* CExtCmdManager::AllocateCommand(LPCTSTR lpszProfile, UINT nCmdID)
{
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return NULL;
    CManagerLock lock(m_cs);
    return pProfile->AllocateCommand(nCmdID);
}

CExtCmdItem* CExtCmdManager::FindCommand(LPCTSTR lpszProfile, UINT nCmdID)
{
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return NULL;
    CManagerLock lock(m_cs);
    return pProfile->FindCommand(nCmdID);
}

CExtCmdIcon* CExtCmdManager::FindCommandIcon(LPCTSTR lpszProfile, UINT nCmdID)
{
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return NULL;
    CManagerLock lock(m_cs);
    return pProfile->FindCommandIcon(nCmdID);
}

BOOL CExtCmdManager::UpdateFromMenuHandle(LPCTSTR lpszProfile, HMENU hMenu, bool bReplaceOld,
                                          bool bRecursive, bool bLoadTips)
{
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return FALSE;
    CManagerLock lock(m_cs);
    return pProfile->UpdateFromMenuHandle(hMenu, bReplaceOld, bRecursive, bLoadTips);
}

BOOL CExtCmdManager::UpdateFromMenuResource(LPCTSTR lpszProfile, UINT nMenuID, bool bReplaceOld,
                                            bool bLoadTips)
{
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return FALSE;
    CManagerLock lock(m_cs);
    return pProfile->UpdateFromMenuResource(nMenuID, bReplaceOld, bLoadTips);
}

BOOL CExtCmdManager::UpdateFromToolBarResource(LPCTSTR lpszProfile, UINT nResID, UINT** ppIDs,
                                               int* pnCount, bool bReplaceOld, bool bLoadTips,
                                               COLORREF clrTransparent)
{
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return FALSE;
    CManagerLock lock(m_cs);
    return pProfile->UpdateFromToolBarResource(nResID, ppIDs, pnCount, bReplaceOld, bLoadTips,
                                               clrTransparent);
}

BOOL CExtCmdManager::SetBasicCommands(LPCTSTR lpszProfile, const UINT* pCmdIDs, bool bBasic)
{
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return FALSE;
    CManagerLock lock(m_cs);
    return pProfile->SetBasicCommands(pCmdIDs, bBasic);
}

BOOL CExtCmdManager::SerializeStateToRegistry(LPCTSTR lpszProfile, LPCTSTR sCompany,
                                              LPCTSTR sProduct, bool bSave)
{
    CExtCmdProfile* pProfile = LockedLookup(lpszProfile);
    if (pProfile == NULL)
        return FALSE;
    CManagerLock lock(m_cs);
    return pProfile->SerializeStateToRegistry(sCompany, sProduct, bSave);
}

void CExtCmdManager::OnSysColorChange()
{
    CManagerLock lock(m_cs);
    POSITION pos = m_mapProfiles.GetStartPosition();
    while (pos != NULL)
    {
        CString strName;
        void* p = NULL;
        m_mapProfiles.GetNextAssoc(pos, strName, p);
        if (p != NULL)
            ((CExtCmdProfile*)p)->OnSysColorChange();
    }
}

void CExtCmdManager::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CManagerLock lock(m_cs);
    POSITION pos = m_mapProfiles.GetStartPosition();
    while (pos != NULL)
    {
        CString strName;
        void* p = NULL;
        m_mapProfiles.GetNextAssoc(pos, strName, p);
        if (p != NULL)
            ((CExtCmdProfile*)p)->OnSettingChange(uFlags, lpszSection);
    }
}

void CExtCmdManager::OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY)
{
    CManagerLock lock(m_cs);
    POSITION pos = m_mapProfiles.GetStartPosition();
    while (pos != NULL)
    {
        CString strName;
        void* p = NULL;
        m_mapProfiles.GetNextAssoc(pos, strName, p);
        if (p != NULL)
            ((CExtCmdProfile*)p)->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
    }
}

void CExtCmdManager::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    CManagerLock lock(m_cs);
    POSITION pos = m_mapProfiles.GetStartPosition();
    while (pos != NULL)
    {
        CString strName;
        void* p = NULL;
        m_mapProfiles.GetNextAssoc(pos, strName, p);
        if (p != NULL)
            ((CExtCmdProfile*)p)->OnThemeChanged(wParam, lParam);
    }
}

/////////////////////////////////////////////////////////////////////////////
// CExtCmdManagerHolder

CExtCmdManagerHolder::CExtCmdManagerHolder()
    : m_pManager(new CExtCmdManager)
{
}

CExtCmdManagerHolder::~CExtCmdManagerHolder()
{
    delete m_pManager;
    m_pManager = NULL;
}

void CExtCmdManagerHolder::OnSysColorChange(CWnd* pWnd)
{
    if (m_pManager != NULL && g_CurrentPaintManager.WantsSystemNotification(pWnd))
        m_pManager->OnSysColorChange();
}

void CExtCmdManagerHolder::OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection)
{
    if (m_pManager != NULL && g_CurrentPaintManager.WantsSystemNotification(pWnd))
        m_pManager->OnSettingChange(uFlags, lpszSection);
}

void CExtCmdManagerHolder::OnDisplayChange(CWnd* pWnd, INT nDepthBPP, INT nResolutionX,
                                           INT nResolutionY)
{
    if (m_pManager != NULL && g_CurrentPaintManager.WantsSystemNotification(pWnd))
        m_pManager->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
}

void CExtCmdManagerHolder::OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (m_pManager != NULL && g_CurrentPaintManager.WantsSystemNotification(pWnd))
        m_pManager->OnThemeChanged(wParam, lParam);
}
