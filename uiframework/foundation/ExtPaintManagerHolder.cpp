// ExtPaintManagerHolder.cpp - owner of the installed paint manager and system facts.

#include "stdafx.h"
#include "ExtPaintManager.h"

#include <uxtheme.h>

#include <string>
#include <wctype.h>

CExtPaintManagerHolder g_CurrentPaintManager;

const char* const CExtPaintManagerHolder::g_arrUxThemeProcNames[UXP_COUNT] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
    "GetThemeBackgroundContentRect", "GetThemeBackgroundExtent", "GetThemePartSize",
    "GetThemeTextExtent", "GetThemeTextMetrics", "GetThemeBackgroundRegion",
    "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric",
    "GetThemeString", "GetThemeBool", "GetThemeInt", "GetThemeEnumValue", "GetThemePosition",
    "GetThemeFont", "GetThemeRect", "GetThemeMargins", "GetThemeIntList",
    "GetThemePropertyOrigin", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor",
    "GetThemeSysColorBrush", "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont",
    "GetThemeSysString", "GetThemeSysInt", "IsThemeActive", "IsAppThemed", "GetWindowTheme",
    "EnableThemeDialogTexture", "IsThemeDialogTextureEnabled", "GetThemeAppProperties",
    "SetThemeAppProperties", "GetCurrentThemeName", "GetThemeDocumentationProperty",
    "DrawThemeParentBackground", "EnableTheming", "DrawThemeBackgroundEx"
};

namespace
{

typedef BOOL (WINAPI* PFNISAPPTHEMED)();
typedef HANDLE (WINAPI* PFNOPENTHEMEDATA)(HWND, LPCWSTR);
typedef HRESULT (WINAPI* PFNCLOSETHEMEDATA)(HANDLE);
typedef HRESULT (WINAPI* PFNGETTHEMECOLOR)(HANDLE, int, int, int, COLORREF*);
typedef HRESULT (WINAPI* PFNGETCURRENTTHEMENAME)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

// A FARPROC as the typed entry point.
template <class PFN>
PFN ProcAs(FARPROC p)
{
    return reinterpret_cast<PFN>(reinterpret_cast<void*>(p));
}

// Lower-case copy of a wide string.
std::wstring LowerWide(const wchar_t* psz)
{
    std::wstring s(psz);
    for (wchar_t& c : s)
        c = (wchar_t)towlower(c);
    return s;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Construction

// Reads the system version, theme API and imaging functions once, and installs the default paint manager.
CExtPaintManagerHolder::CExtPaintManagerHolder()
    : m_pPaintManager(NULL), m_bWheelScrollLinesValid(false), m_nWheelScrollLines(0),
      m_strOsVersion(_T("Unknown")), m_bIsWin32s(false), m_bIsWin9x(false), m_bIsWin95(false),
      m_bIsWin98(false), m_bIsWin98OrLater(false), m_bIsWinNT(false), m_bIsWinNT4(false),
      m_bIsWin2000(false), m_bIsWinXP(false), m_bIsWinNT4OrLater(false),
      m_bIsWin2000OrLater(false), m_bIsWinXPOrLater(false), m_hUxTheme(NULL),
      m_bUxThemeLoaded(false), m_bAppThemed(false), m_bThemeColorsRead(false),
      m_bUseThemeColors(true), m_eThemeColorScheme(0), m_hMsImg32(NULL),
      m_pfnGradientFill(NULL), m_pfnAlphaBlend(NULL), m_pfnTransparentBlt(NULL)
{
    for (int i = 0; i < UXP_COUNT; i++)
        m_arrUxThemeProcs[i] = NULL;
    for (int i = 0; i < 7; i++)
        m_arrTaskbandColors[i] = 0;
    ::ZeroMemory(&m_osVersionInfo, sizeof(m_osVersionInfo));
    m_osVersionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);

    OSVERSIONINFOA osvi;
    ::ZeroMemory(&osvi, sizeof(osvi));
    osvi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (::GetVersionExA(&osvi))
#pragma GCC diagnostic pop
        InitSystemVersion(osvi);

    LoadThemeApi();

    m_hMsImg32 = ::LoadLibraryA("msimg32.dll");
    if (m_hMsImg32 != NULL)
    {
        m_pfnGradientFill = ProcAs<PFNGRADIENTFILL>(::GetProcAddress(m_hMsImg32, "GradientFill"));
        m_pfnAlphaBlend = ProcAs<PFNALPHABLEND>(::GetProcAddress(m_hMsImg32, "AlphaBlend"));
        m_pfnTransparentBlt =
            ProcAs<PFNTRANSPARENTBLT>(::GetProcAddress(m_hMsImg32, "TransparentBlt"));
    }

    if (m_pPaintManager == NULL)
        InstallPaintManager(NULL);
}

CExtPaintManagerHolder::~CExtPaintManagerHolder()
{
    if (m_hMsImg32 != NULL)
    {
        ::FreeLibrary(m_hMsImg32);
        m_hMsImg32 = NULL;
        m_pfnGradientFill = NULL;
        m_pfnAlphaBlend = NULL;
        m_pfnTransparentBlt = NULL;
    }
    delete m_pPaintManager;
    m_pPaintManager = NULL;
}

// Family bits and the one-line description of the system.
void CExtPaintManagerHolder::InitSystemVersion(const OSVERSIONINFOA& osvi)
{
    m_osVersionInfo = osvi;
    m_osVersionInfo.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    m_bIsWin32s = m_bIsWin9x = m_bIsWin95 = m_bIsWin98 = m_bIsWin98OrLater = false;
    m_bIsWinNT = m_bIsWinNT4 = m_bIsWin2000 = false;
    m_bIsWinXP = m_bIsWinNT4OrLater = m_bIsWin2000OrLater = m_bIsWinXPOrLater = false;

    const DWORD dwMajor = osvi.dwMajorVersion, dwMinor = osvi.dwMinorVersion;
    CString strName;
    switch (osvi.dwPlatformId)
    {
    case VER_PLATFORM_WIN32s:
        m_bIsWin32s = true;
        strName = _T("Win32s");
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        m_bIsWin9x = true;
        m_bIsWin95 = dwMajor == 4 && dwMinor == 0;
        m_bIsWin98OrLater = dwMajor > 4 || (dwMajor == 4 && dwMinor > 0);
        strName = _T("Windows ");
        if (!m_bIsWin98OrLater)
            strName += _T("95");
        else if (dwMajor == 4 && dwMinor > 0)
        {
            m_bIsWin98 = true;
            strName += _T("98");
        }
        else
            strName += _T("98 or later");
        break;
    case VER_PLATFORM_WIN32_NT:
        m_bIsWinNT = true;
        if (dwMajor == 5)
        {
            if (dwMinor == 0)
            {
                m_bIsWin2000 = true;
                strName = _T("Windows 2000");
            }
            else if (dwMinor == 1)
            {
                m_bIsWinXP = true;
                strName = _T("Windows XP");
            }
        }
        else
        {
            strName = _T("Windows NT");
            if (dwMajor == 4)
                m_bIsWinNT4 = true;
        }
        m_bIsWinNT4OrLater = dwMajor >= 4;
        m_bIsWin2000OrLater = dwMajor >= 5;
        m_bIsWinXPOrLater = dwMajor > 5 || (dwMajor == 5 && dwMinor != 0);
        break;
    default:
        break;
    }
    char szCSD[sizeof(osvi.szCSDVersion) + 1];
    memcpy(szCSD, osvi.szCSDVersion, sizeof(osvi.szCSDVersion));
    szCSD[sizeof(osvi.szCSDVersion)] = '\0';
    m_strOsVersion.Format(_T("%s v.%lu.%lu (build %lu) %s"), (LPCTSTR)strName, dwMajor, dwMinor,
                          osvi.dwBuildNumber, szCSD);
}

/////////////////////////////////////////////////////////////////////////////
// Installing managers

bool CExtPaintManagerHolder::InstallPaintManager(CExtPaintManager* pPaintManager)
{
    if (m_pPaintManager != NULL && pPaintManager == m_pPaintManager)
        return true;
    delete m_pPaintManager;
    m_pPaintManager = NULL;
    m_pPaintManager = pPaintManager != NULL ? pPaintManager : new CExtPaintManagerXP;
    m_pPaintManager->SyncSysColorsAndFonts();
    m_pPaintManager->InitLogicalColors();
    m_pPaintManager->InitHalftoneBrushes();
    return true;
}

// Installs a paint manager of a class; false if the class is no paint manager.
bool CExtPaintManagerHolder::InstallPaintManagerByClass(CRuntimeClass* pRuntimeClass)
{
    if (pRuntimeClass == NULL)
    {
        if (m_pPaintManager != NULL)
            return true;
        return InstallPaintManager(NULL);
    }
    CObject* pObject = pRuntimeClass->CreateObject();
    if (pObject == NULL)
        return false;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CExtPaintManager)))
    {
        delete pObject;
        return false;
    }
    return InstallPaintManager(static_cast<CExtPaintManager*>(pObject));
}

/////////////////////////////////////////////////////////////////////////////
// Visual styles and settings

// Loads uxtheme once and reads the scheme of the active visual style.
void CExtPaintManagerHolder::LoadThemeApi()
{
    if (m_bUxThemeLoaded && m_bThemeColorsRead)
        return;
    m_bAppThemed = false;
    m_bThemeColorsRead = false;
    if (m_hUxTheme == NULL)
    {
        m_hUxTheme = ::GetModuleHandleA("uxtheme.dll");
        if (m_hUxTheme == NULL)
            m_hUxTheme = ::LoadLibraryA("uxtheme.dll");
    }
    int nFound = 0;
    for (int i = 0; i < UXP_COUNT; i++)
    {
        m_arrUxThemeProcs[i] = m_hUxTheme != NULL
            ? ::GetProcAddress(m_hUxTheme, g_arrUxThemeProcNames[i]) : NULL;
        if (m_arrUxThemeProcs[i] != NULL)
            nFound++;
    }
    m_eThemeColorScheme = 0;
    if (m_hUxTheme == NULL || nFound == 0 || m_arrUxThemeProcs[UXP_IsAppThemed] == NULL
        || m_arrUxThemeProcs[UXP_OpenThemeData] == NULL
        || m_arrUxThemeProcs[UXP_CloseThemeData] == NULL
        || m_arrUxThemeProcs[UXP_GetThemeColor] == NULL
        || m_arrUxThemeProcs[UXP_GetCurrentThemeName] == NULL)
        return;

    m_bUxThemeLoaded = true;
    m_bAppThemed = ProcAs<PFNISAPPTHEMED>(m_arrUxThemeProcs[UXP_IsAppThemed])() != FALSE;

    WCHAR szThemeFile[MAX_PATH + 1], szColorName[MAX_PATH + 1];
    szThemeFile[0] = szColorName[0] = L'\0';
    HRESULT hr = ProcAs<PFNGETCURRENTTHEMENAME>(m_arrUxThemeProcs[UXP_GetCurrentThemeName])(
        szThemeFile, MAX_PATH, szColorName, MAX_PATH, NULL, 0);
    if (SUCCEEDED(hr))
    {
        szThemeFile[MAX_PATH] = szColorName[MAX_PATH] = L'\0';
        if (LowerWide(szThemeFile).find(L"luna.msstyles") != std::wstring::npos)
        {
            std::wstring strColor = LowerWide(szColorName);
            if (strColor == L"normalcolor")
                m_eThemeColorScheme = 1;
            else if (strColor == L"homestead")
                m_eThemeColorScheme = 2;
            else if (strColor == L"metallic")
                m_eThemeColorScheme = 3;
        }
    }

    HANDLE hTheme = ProcAs<PFNOPENTHEMEDATA>(m_arrUxThemeProcs[UXP_OpenThemeData])(
        ::GetDesktopWindow(), L"taskband");
    if (hTheme == NULL)
        return;
    static const int s_props[7] = { 3804, 3805, 3806, 3807, 3808, 3821, 3823 };
    PFNGETTHEMECOLOR pfnGetThemeColor =
        ProcAs<PFNGETTHEMECOLOR>(m_arrUxThemeProcs[UXP_GetThemeColor]);
    int nRead = 0;
    for (; nRead < 7; nRead++)
        if (FAILED(pfnGetThemeColor(hTheme, 2, 0, s_props[nRead], &m_arrTaskbandColors[nRead])))
            break;
    if (nRead == 7)
        m_bThemeColorsRead = true;
    ProcAs<PFNCLOSETHEMEDATA>(m_arrUxThemeProcs[UXP_CloseThemeData])(hTheme);
}

// Lines a wheel notch scrolls, from the system settings and at least 2; read once.
UINT CExtPaintManagerHolder::GetMouseWheelScrollLines()
{
    if (m_bWheelScrollLinesValid)
        return m_nWheelScrollLines;
    m_bWheelScrollLinesValid = true;
    m_nWheelScrollLines = 3;
    if (!m_bIsWin95)
    {
        UINT nLines = 3;
        if (::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
            m_nWheelScrollLines = nLines;
    }
    if (m_nWheelScrollLines < 2)
        m_nWheelScrollLines = 2;
    return m_nWheelScrollLines;
}

/////////////////////////////////////////////////////////////////////////////
// System notifications

namespace
{

// Whether the object is of the framework class of that name (FALSE while that class is
// not linked).
bool IsOfClass(const CObject* pObject, LPCSTR pszClassName)
{
    if (pObject == NULL)
        return false;
    CRuntimeClass* pClass = CRuntimeClass::FromName(pszClassName);
    return pClass != NULL && pObject->IsKindOf(pClass);
}

// The permanent object of a child window of pParent with the given id, NULL when none.
CWnd* ChildById(CWnd* pParent, UINT nID)
{
    HWND hWnd = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWnd != NULL ? CWnd::FromHandlePermanent(hWnd) : NULL;
}

} // namespace

CFrameWnd* CExtPaintManagerHolder::NotificationFrameOf(CWnd* pWnd)
{
    CFrameWnd* pFrame = pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pWnd)
                                                                 : pWnd->GetParentFrame();
    if (pFrame != NULL && IsOfClass(pFrame, "CExtMiniDockFrameWnd"))
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

// One window per frame forwards: the Ext status bar, else the first Ext outer dock bar,
// else the first MDI tab window; frames without any of them accept every window.
bool CExtPaintManagerHolder::WantsSystemNotification(CWnd* pWnd)
{
    if (pWnd == NULL)
        return false;
    if (IsOfClass(pWnd, "CExtStatusControlBar"))
        return true;
    CFrameWnd* pFrame = NotificationFrameOf(pWnd);
    if (pFrame == NULL)
        return true;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return true;

    CWnd* pStatusBar = ChildById(pFrame, AFX_IDW_STATUS_BAR);
    if (pStatusBar != NULL && IsOfClass(pStatusBar, "CExtStatusControlBar"))
        return pStatusBar == pWnd;

    static const UINT s_dockBarIds[4] = { AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM,
                                          AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT };
    for (UINT nID : s_dockBarIds)
    {
        CWnd* pDockBar = ChildById(pFrame, nID);
        if (pDockBar != NULL && IsOfClass(pDockBar, "CExtDockOuterBar"))
            return pDockBar == pWnd;
    }

    for (HWND hChild = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        // IsMdiTabWindow answers TRUE for every CExtTabMdiWnd.
        if (pChild != NULL && IsOfClass(pChild, "CExtTabMdiWnd"))
            return pChild == pWnd;
    }
    return true;
}

void CExtPaintManagerHolder::OnSysColorChange(CWnd* pWnd)
{
    if (!WantsSystemNotification(pWnd) || m_pPaintManager == NULL)
        return;
    m_pPaintManager->OnSysColorChange();
}

void CExtPaintManagerHolder::OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection)
{
    if (!WantsSystemNotification(pWnd) || m_pPaintManager == NULL)
        return;
    m_bWheelScrollLinesValid = false;
    m_nWheelScrollLines = 0;
    m_pPaintManager->OnSettingChange(uFlags, lpszSection);
}

void CExtPaintManagerHolder::OnDisplayChange(CWnd* pWnd, int nDepthBPP, int nResolutionX,
                                             int nResolutionY)
{
    if (!WantsSystemNotification(pWnd) || m_pPaintManager == NULL)
        return;
    m_bWheelScrollLinesValid = false;
    m_nWheelScrollLines = 0;
    m_pPaintManager->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
}

void CExtPaintManagerHolder::OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (!WantsSystemNotification(pWnd) || m_pPaintManager == NULL)
        return;
    m_bWheelScrollLinesValid = false;
    m_nWheelScrollLines = 0;
    // another visual style may have another colour scheme: read it again
    m_bThemeColorsRead = false;
    LoadThemeApi();
    m_pPaintManager->OnThemeChanged(wParam, lParam);
}
