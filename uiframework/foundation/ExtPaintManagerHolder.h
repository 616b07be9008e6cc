// ExtPaintManagerHolder.h - the process-wide owner of the installed paint manager.
//
// Declares CExtPaintManagerHolder and its one object g_CurrentPaintManager.
//
// Notes
// - g_CurrentPaintManager is a static object: made before the application starts (it
//   installs a CExtPaintManagerXP at once) and destroyed at process exit.
// - The holder owns the installed manager; installing another deletes the old one.
// - Besides the manager it knows the system family, the optional msimg32 entry points and
//   the visual-style state, which the drawing code reads.
// - Framework windows pass their system-change messages to the forwarders; only one
//   window per frame reaches the manager (WantsSystemNotification).

#pragma once

#include "afxwin.h"

class CExtPaintManager;

class CExtPaintManagerHolder
{
public:
    // Entry points of msimg32.dll.
    typedef BOOL (WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    typedef BOOL (WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int,
                                         BLENDFUNCTION);
    typedef BOOL (WINAPI* PFNTRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int,
                                             UINT);

    // Positions of the visual-style entry points in m_arrUxThemeProcs.
    enum e_UxThemeProc_t
    {
        UXP_OpenThemeData = 0,
        UXP_CloseThemeData = 1,
        UXP_GetThemeColor = 15,
        UXP_IsThemeActive = 36,
        UXP_IsAppThemed = 37,
        UXP_GetCurrentThemeName = 43,
        UXP_COUNT = 48
    };
    static const char* const g_arrUxThemeProcNames[UXP_COUNT];

    CExtPaintManagerHolder();
    ~CExtPaintManagerHolder();
    CExtPaintManagerHolder(const CExtPaintManagerHolder&) = delete;
    CExtPaintManagerHolder& operator=(const CExtPaintManagerHolder&) = delete;

    CExtPaintManager* GetPaintManager() const { return m_pPaintManager; }
    CExtPaintManager* operator->() const { return m_pPaintManager; }
    operator CExtPaintManager*() const { return m_pPaintManager; }

    // Takes ownership of pPaintManager (NULL: a new CExtPaintManagerXP).
    bool InstallPaintManager(CExtPaintManager* pPaintManager);
    // Creates a manager of the class and installs it; a class that does not make a
    // CExtPaintManager is refused (the object is deleted) and the old manager stays.
    bool InstallPaintManagerByClass(CRuntimeClass* pRuntimeClass);

    void LoadThemeApi();
    UINT GetMouseWheelScrollLines();
    // Sets the family bits and m_strOsVersion from version information (the constructor
    // passes what GetVersionExA answers).
    void InitSystemVersion(const OSVERSIONINFOA& osvi);

    // Whether pWnd is the one window of its frame whose system changes reach the manager.
    bool WantsSystemNotification(CWnd* pWnd);

    // Forwarders of the system-change messages.
    void OnSysColorChange(CWnd* pWnd);
    void OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection);
    void OnDisplayChange(CWnd* pWnd, int nDepthBPP, int nResolutionX, int nResolutionY);
    void OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

    // Member variables
    CExtPaintManager* m_pPaintManager;      // installed manager, owned
    bool m_bWheelScrollLinesValid : 1;
    UINT m_nWheelScrollLines;
    CString m_strOsVersion;
    OSVERSIONINFOA m_osVersionInfo;
    bool m_bIsWin32s : 1;
    bool m_bIsWin9x : 1;
    bool m_bIsWin95 : 1;
    bool m_bIsWin98 : 1;
    bool m_bIsWin98OrLater : 1;
    bool m_bIsWinNT : 1;
    bool m_bIsWinNT4 : 1;
    bool m_bIsWin2000 : 1;
    bool m_bIsWinXP : 1;
    bool m_bIsWinNT4OrLater : 1;
    bool m_bIsWin2000OrLater : 1;
    bool m_bIsWinXPOrLater : 1;
    FARPROC m_arrUxThemeProcs[UXP_COUNT];   // NULL when missing
    HMODULE m_hUxTheme;
    bool m_bUxThemeLoaded : 1;
    bool m_bAppThemed : 1;
    bool m_bThemeColorsRead : 1;
    bool m_bUseThemeColors : 1;
    COLORREF m_arrTaskbandColors[7];
    int m_eThemeColorScheme;                // 0 none, 1 "normalcolor", 2 "homestead", 3 "metallic"
    HMODULE m_hMsImg32;
    PFNGRADIENTFILL m_pfnGradientFill;
    PFNALPHABLEND m_pfnAlphaBlend;
    PFNTRANSPARENTBLT m_pfnTransparentBlt;

private:
    // The window's frame as the notification rule sees it, NULL when none.
    static CFrameWnd* NotificationFrameOf(CWnd* pWnd);
};

extern CExtPaintManagerHolder g_CurrentPaintManager;
