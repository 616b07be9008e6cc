// ExtCmdManager.h - the process-wide registry of commands by profile.
//
// Declares CExtCmdProfile (the commands and icons of one application), CExtCmdManager
// (named profiles, window bindings, the chunked registry archive) and
// CExtCmdManagerHolder with its process-wide object g_CmdManagerHolder.
//
// Notes
// - The manager owns its profiles; a profile owns its items and icons. Items refer to
//   icons by index, and every removal of an icon keeps the indexes of the others right.
// - Windows are bound to a profile by handle; a window finds its profile through itself or
//   its nearest bound ancestor. Bindings are never removed.
// - Manager operations take the profile name first; NULL means "default". They lock the
//   manager around the lookup and again around the profile call. Profiles have no lock.
// - The registry archive keeps a byte stream under a key as 16-byte REG_BINARY chunks
//   in sub-keys of 128 chunks, with "data_size", "data_integrity" and "data_generator".

#pragma once

#include "afxwin.h"
#include "afxtempl.h"
#include "afxmt.h"
#include "ExtCmdItem.h"

class CExtCmdIcon;

// CExtCmdProfile holds the command items and icons of one application.
class CExtCmdProfile
{
public:
    // Reader of one TOOLBAR resource (type 241) and its strip bitmap.
    struct ToolbarResource_t
    {
        ToolbarResource_t();
        ~ToolbarResource_t();
        ToolbarResource_t(const ToolbarResource_t&) = delete;
        ToolbarResource_t& operator=(const ToolbarResource_t&) = delete;

        // Reads the TOOLBAR data: WORD version, width, height, count, then count WORD ids.
        bool ReadToolbarData(const BYTE* pData, DWORD nSize);
        // Reads both resources; FALSE when the TOOLBAR data is unreadable.
        bool Load(HINSTANCE hInstToolbar, HRSRC hRsrcToolbar, HINSTANCE hInstBitmap,
                  HRSRC hRsrcBitmap, COLORREF clrTransparent);

        WORD m_nVersion;
        WORD m_nWidth;                          // button width
        WORD m_nHeight;                         // button height
        CArray<UINT, UINT> m_arrAllCmdIDs;      // resource order, 0 = separator
        CArray<UINT, UINT> m_arrButtonCmdIDs;   // the non-separator ids
        CBitmap m_bmp;                          // the strip
        COLORREF m_clrTransparent;
    };

    typedef CMap<UINT, UINT, CExtCmdItem*, CExtCmdItem*> CmdItemMap;
    typedef CArray<CExtCmdIcon*, CExtCmdIcon*> CmdIconArray;

    explicit CExtCmdProfile(LPCTSTR lpszName = NULL);
    virtual ~CExtCmdProfile();
    CExtCmdProfile(const CExtCmdProfile&) = delete;
    CExtCmdProfile& operator=(const CExtCmdProfile&) = delete;

    // Commands
    virtual BOOL SetCommand(const CExtCmdItem* pSrc, bool bReplaceTexts = false,
                            bool* pbAdded = NULL);
    virtual BOOL RemoveCommand(UINT nCmdID, bool* pbRemoved = NULL);
    virtual void RemoveAllCommands();
    virtual void RemoveCommandsByFlags(DWORD dwMask, bool bAllBits = false);
    virtual CExtCmdItem* AllocateCommand(UINT nCmdID = 0);
    virtual CExtCmdItem* FindCommand(UINT nCmdID);
    virtual BOOL SetCommandIcon(UINT nCmdID, CExtCmdIcon* pIcon, bool bAdopt);
    virtual CExtCmdIcon* FindCommandIcon(UINT nCmdID);
    virtual bool CommandExists(UINT nCmdID);

    // Filling from resources and windows
    virtual BOOL UpdateFromMenuResource(UINT nMenuID, bool bReplaceOld = false,
                                        bool bLoadTips = true);
    virtual BOOL UpdateFromMenuHandle(HMENU hMenu, bool bReplaceOld = false,
                                      bool bRecursive = true, bool bLoadTips = true);
    virtual BOOL UpdateFromToolBarResource(UINT nResID, UINT** ppIDs = NULL, int* pnCount = NULL,
                                           bool bReplaceOld = false, bool bLoadTips = true,
                                           COLORREF clrTransparent = RGB(192, 192, 192));
    // pBar is a window whose handle is a toolbar common control.
    virtual BOOL UpdateFromToolBarWindow(CWnd* pBar, bool bReplaceOld = false,
                                         bool bLoadTips = true);
    virtual BOOL SetBasicCommands(const UINT* pCmdIDs, bool bBasic = true);

    // Usage statistics stream and its registry store
    virtual bool Serialize(CArchive& ar);
    virtual bool SerializeStateToRegistry(LPCTSTR sCompany, LPCTSTR sProduct, bool bSave);

    // System changes, passed to every item
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    virtual void ResetUsageStatistics();
    virtual void AssignFrom(const CExtCmdProfile& other);
    // The factory of the profile's items: a copy of pSrc.
    virtual CExtCmdItem* CreateCommandCopy(const CExtCmdItem* pSrc);

    // Helpers
    void RemoveAllIcons();
    void DeleteAllItems();

    // Member variables
    CString m_strName;
    UINT m_nRarelyUsedPercent;      // 0..100, 10 at construction
    UINT m_nTotalUsage;             // sum of the usage counts
    CmdItemMap m_mapCmds;           // owned items by id
    CmdIconArray m_arrIcons;        // owned icons
    DWORD m_dwReserved;             // copied by AssignFrom, not read

private:
    // Removes the icon at nIndex and lowers the indexes at or above it.
    void RemoveIconAt(int nIndex);
};

// CExtCmdManager keeps the named profiles and the windows bound to them.
class CExtCmdManager
{
public:
    // Checksum of a registry archive: four accumulators filled in turn.
    struct ArchiveChecksum_t
    {
        ArchiveChecksum_t();
        void Update(const BYTE* pData, UINT nCount);
        void GetText(CString& strOut) const;

        int m_nPos;             // accumulator of the next byte, 0..3
        DWORD m_dwAcc[4];
    };

    typedef CMap<HWND, HWND, CExtCmdProfile*, CExtCmdProfile*&> WndProfileMap;

    CExtCmdManager();
    virtual ~CExtCmdManager();
    CExtCmdManager(const CExtCmdManager&) = delete;
    CExtCmdManager& operator=(const CExtCmdManager&) = delete;

    // Ids
    static bool IsCommandIdValid(UINT nCmdID) { return (INT)nCmdID > 0; }
    static bool IsHostGeneratedCommand(UINT nCmdID);
    static bool IsSystemCommand(UINT nCmdID) { return nCmdID >= 0xF000 && nCmdID <= 0xF1EF; }
    static bool IsMdiWindowCommand(UINT nCmdID) { return nCmdID >= 0xFF00 && nCmdID <= 0xFF09; }

    static BOOL g_bDisableCmdIfNoHandler;   // TRUE

    // Profiles and windows
    BOOL EnsureProfile(LPCTSTR lpszName, HWND hWnd, CExtCmdProfile* pNewProfile = NULL);
    // A binding lasts as long as its window: it is dropped when the window is destroyed.
    BOOL SetProfileForWindow(LPCTSTR lpszName, HWND hWnd);
    void ForgetWindow(HWND hWnd);
    CExtCmdProfile* GetProfile(LPCTSTR lpszName);
    // The profile of the window or of its nearest bound ancestor; NULL when none.
    LPCTSTR FindProfileNameForWindow(HWND hWnd);

    // Forwarders to the profile of that name
    BOOL SetCommand(LPCTSTR lpszProfile, const CExtCmdItem* pSrc, bool bReplaceTexts = false,
                    bool* pbAdded = NULL);
    BOOL RemoveCommand(LPCTSTR lpszProfile, UINT nCmdID, bool* pbRemoved = NULL);
    virtual void RemoveAllCommands(LPCTSTR lpszProfile);
    BOOL RemoveCommandsByFlags(LPCTSTR lpszProfile, DWORD dwMask, bool bAllBits = false);
    CExtCmdItem* AllocateCommand(LPCTSTR lpszProfile, UINT nCmdID = 0);
    CExtCmdItem* FindCommand(LPCTSTR lpszProfile, UINT nCmdID);
    CExtCmdIcon* FindCommandIcon(LPCTSTR lpszProfile, UINT nCmdID);
    BOOL UpdateFromMenuHandle(LPCTSTR lpszProfile, HMENU hMenu, bool bReplaceOld = false,
                              bool bRecursive = true, bool bLoadTips = true);
    BOOL UpdateFromMenuResource(LPCTSTR lpszProfile, UINT nMenuID, bool bReplaceOld = false,
                                bool bLoadTips = true);
    BOOL UpdateFromToolBarResource(LPCTSTR lpszProfile, UINT nResID, UINT** ppIDs = NULL,
                                   int* pnCount = NULL, bool bReplaceOld = false,
                                   bool bLoadTips = true,
                                   COLORREF clrTransparent = RGB(192, 192, 192));
    BOOL SetBasicCommands(LPCTSTR lpszProfile, const UINT* pCmdIDs, bool bBasic = true);
    BOOL SerializeStateToRegistry(LPCTSTR lpszProfile, LPCTSTR sCompany, LPCTSTR sProduct,
                                  bool bSave);

    // System changes, passed to every profile under the lock
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    // Version of the framework that the archive and the streams carry
    static DWORD GetVersionNumber(bool bShort);
    static void GetVersionText(CString& strOut, char chSeparator = '.');

    // Registry archive
    static CString& MakeRegistryKeyPath(CString& strOut, LPCTSTR sSection, LPCTSTR sProfile,
                                        LPCTSTR sCompany, LPCTSTR sProduct);
    static bool SaveStreamToRegistry(CFile& src, LPCTSTR sKeyPath,
                                     HKEY hRoot = HKEY_CURRENT_USER);
    static bool LoadStreamFromRegistry(CFile& dest, LPCTSTR sKeyPath,
                                       HKEY hRoot = HKEY_CURRENT_USER);

    // Member variables
    CMapStringToPtr m_mapProfiles;          // name -> owned CExtCmdProfile*
    WndProfileMap m_mapWndProfiles;         // live window -> bound profile
    CCriticalSection m_cs;                  // around every map access and profile call

private:
    // The profile of that name under the lock; NULL means "default".
    CExtCmdProfile* LockedLookup(LPCTSTR lpszProfile);
};

// Owner of the process-wide command manager.
class CExtCmdManagerHolder
{
public:
    CExtCmdManagerHolder();
    ~CExtCmdManagerHolder();
    CExtCmdManagerHolder(const CExtCmdManagerHolder&) = delete;
    CExtCmdManagerHolder& operator=(const CExtCmdManagerHolder&) = delete;

    CExtCmdManager* GetManager() { return m_pManager; }
    CExtCmdManager* operator->() { return m_pManager; }

    // System changes from a framework window; passed on when the paint-manager holder
    // accepts the window.
    void OnSysColorChange(CWnd* pWnd);
    void OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection);
    void OnDisplayChange(CWnd* pWnd, INT nDepthBPP, INT nResolutionX, INT nResolutionY);
    void OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

    CExtCmdManager* m_pManager;     // owned
};

extern CExtCmdManagerHolder g_CmdManagerHolder;
