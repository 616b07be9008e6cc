// The paint-manager holder: installing managers (also by class), the system description,
// the wheel setting, and which window's system change reaches the manager.

#include "test_paint_support.h"

typedef CExtPaintManager PM;

/////////////////////////////////////////////////////////////////////////////
// Test classes

// A flat manager that counts its rebuilds and its destruction.
class CCountingPaintManager : public CExtPaintManagerXP
{
    DECLARE_DYNCREATE(CCountingPaintManager)
public:
    CCountingPaintManager() { s_nLive++; }
    virtual ~CCountingPaintManager() { s_nLive--; }
    virtual void InitLogicalColors() override
    {
        m_nRebuilds++;
        CExtPaintManagerXP::InitLogicalColors();
    }
    int m_nRebuilds = 0;
    static int s_nLive;
};
IMPLEMENT_DYNCREATE(CCountingPaintManager, CExtPaintManagerXP)
int CCountingPaintManager::s_nLive = 0;

// A creatable class that is no paint manager.
class CNotAPaintManager : public CObject
{
    DECLARE_DYNCREATE(CNotAPaintManager)
public:
    CNotAPaintManager() { s_nLive++; }
    virtual ~CNotAPaintManager() { s_nLive--; }
    static int s_nLive;
};
IMPLEMENT_DYNCREATE(CNotAPaintManager, CObject)
int CNotAPaintManager::s_nLive = 0;

namespace
{

// A window whose run-time class is a stand-in for a bars class of the given name (the bars
// library is not linked into these tests).
class CStandInWnd : public CWnd
{
public:
    explicit CStandInWnd(CRuntimeClass* pClass) : m_pClass(pClass) {}
    virtual CRuntimeClass* GetRuntimeClass() const override { return m_pClass; }
    CRuntimeClass* m_pClass;
};

class CStandInMiniFrame : public CMiniFrameWnd
{
public:
    explicit CStandInMiniFrame(CRuntimeClass* pClass) : m_pClass(pClass) {}
    virtual CRuntimeClass* GetRuntimeClass() const override { return m_pClass; }
    CRuntimeClass* m_pClass;
};

CRuntimeClass g_classStatus = { "CExtStatusControlBar", sizeof(CStandInWnd), 0xFFFF, NULL,
                                RUNTIME_CLASS(CWnd), NULL, NULL };
CRuntimeClass g_classDockOuter = { "CExtDockOuterBar", sizeof(CStandInWnd), 0xFFFF, NULL,
                                   RUNTIME_CLASS(CWnd), NULL, NULL };
CRuntimeClass g_classTabMdi = { "CExtTabMdiWnd", sizeof(CStandInWnd), 0xFFFF, NULL,
                                RUNTIME_CLASS(CWnd), NULL, NULL };
CRuntimeClass g_classMiniDock = { "CExtMiniDockFrameWnd", sizeof(CStandInMiniFrame), 0xFFFF,
                                  NULL, RUNTIME_CLASS(CMiniFrameWnd), NULL, NULL };

// Registers the stand-ins; false when the real bars classes are linked.
bool RegisterStandIns()
{
    static int s_nState = 0;   // 0 unknown, 1 registered, 2 real classes present
    if (s_nState == 0)
    {
        if (CRuntimeClass::FromName("CExtStatusControlBar") != NULL)
            s_nState = 2;
        else
        {
            AfxClassInit(&g_classStatus);
            AfxClassInit(&g_classDockOuter);
            AfxClassInit(&g_classTabMdi);
            AfxClassInit(&g_classMiniDock);
            s_nState = 1;
        }
    }
    return s_nState == 1;
}

CFrameWnd* MakeFrame(LPCTSTR pszTitle)
{
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->Create(NULL, pszTitle, WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)))
    {
        delete pFrame;
        return NULL;
    }
    return pFrame;
}

bool MakeChild(CWnd& wnd, CWnd* pParent, UINT nID)
{
    return wnd.Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), pParent, nID) != FALSE;
}

int Rebuilds(CExtPaintManagerHolder& holder)
{
    return static_cast<CCountingPaintManager*>(holder.GetPaintManager())->m_nRebuilds;
}

OSVERSIONINFOA Version(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild,
                       const char* pszCSD)
{
    OSVERSIONINFOA osvi = {};
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    osvi.dwPlatformId = dwPlatform;
    osvi.dwMajorVersion = dwMajor;
    osvi.dwMinorVersion = dwMinor;
    osvi.dwBuildNumber = dwBuild;
    lstrcpynA(osvi.szCSDVersion, pszCSD, sizeof(osvi.szCSDVersion));
    return osvi;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Installing

TEST(PaintHolder, StartsWithTheFlatManagerAndTheDrawingEntryPoints)
{
    ASSERT_NE((CExtPaintManager*)NULL, g_CurrentPaintManager.GetPaintManager());
    EXPECT_TRUE(g_CurrentPaintManager->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));
    EXPECT_NE((HMODULE)NULL, g_CurrentPaintManager.m_hMsImg32);
    EXPECT_NE((void*)NULL, (void*)g_CurrentPaintManager.m_pfnGradientFill);
    EXPECT_NE((void*)NULL, (void*)g_CurrentPaintManager.m_pfnAlphaBlend);
    EXPECT_NE((void*)NULL, (void*)g_CurrentPaintManager.m_pfnTransparentBlt);
    EXPECT_TRUE(g_CurrentPaintManager.m_bIsWinNT);
    EXPECT_TRUE(g_CurrentPaintManager.m_bIsWin2000OrLater);
    EXPECT_GE(g_CurrentPaintManager.m_strOsVersion.Find(" v."), 0);
    EXPECT_STRNE("Unknown", g_CurrentPaintManager.m_strOsVersion);
    EXPECT_EQ(148u, (unsigned)g_CurrentPaintManager.m_osVersionInfo.dwOSVersionInfoSize);
    // A usable manager: colours are there.
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), g_CurrentPaintManager->GetColor(COLOR_HIGHLIGHT));
}

TEST(PaintHolder, InstallingTheSameManagerRebuildsNothing)
{
    CExtPaintManagerHolder holder;
    const int nLive = CCountingPaintManager::s_nLive;
    CCountingPaintManager* pFirst = new CCountingPaintManager;
    EXPECT_TRUE(holder.InstallPaintManager(pFirst));
    EXPECT_EQ(pFirst, holder.GetPaintManager());
    EXPECT_EQ(1, pFirst->m_nRebuilds);
    EXPECT_TRUE(holder.InstallPaintManager(pFirst));
    EXPECT_EQ(1, pFirst->m_nRebuilds);
    EXPECT_EQ(pFirst, holder.GetPaintManager());
    // Another manager replaces and deletes the first.
    EXPECT_TRUE(holder.InstallPaintManager(new CCountingPaintManager));
    EXPECT_EQ(nLive + 1, CCountingPaintManager::s_nLive);
    EXPECT_NE(pFirst, holder.GetPaintManager());
    // NULL installs a fresh flat manager.
    EXPECT_TRUE(holder.InstallPaintManager(NULL));
    EXPECT_EQ(nLive, CCountingPaintManager::s_nLive);
    EXPECT_TRUE(holder->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));
}

TEST(PaintHolder, InstallByClassRefusesAndDeletesOtherObjects)
{
    CExtPaintManagerHolder holder;
    CExtPaintManager* pBefore = holder.GetPaintManager();
    const int nLive = CNotAPaintManager::s_nLive;
    EXPECT_FALSE(holder.InstallPaintManagerByClass(RUNTIME_CLASS(CNotAPaintManager)));
    EXPECT_EQ(nLive, CNotAPaintManager::s_nLive) << "the wrong object is deleted";
    EXPECT_EQ(pBefore, holder.GetPaintManager()) << "the old manager stays";
    EXPECT_FALSE(holder.InstallPaintManagerByClass(RUNTIME_CLASS(CMemFile))) << "not creatable";
    EXPECT_EQ(pBefore, holder.GetPaintManager());
    EXPECT_TRUE(holder.InstallPaintManagerByClass(NULL));
    EXPECT_EQ(pBefore, holder.GetPaintManager()) << "NULL keeps the installed manager";

    EXPECT_TRUE(holder.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManager)));
    EXPECT_EQ(1, holder->GetStyleKind());
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), holder->GetColor(PM::LC_FACE_NORMAL));
    EXPECT_TRUE(holder.InstallPaintManagerByClass(RUNTIME_CLASS(CCountingPaintManager)));
    EXPECT_EQ(1, Rebuilds(holder));
    EXPECT_TRUE(holder.InstallPaintManagerByClass(
        CRuntimeClass::FromName("CExtPaintManagerXP")));
    EXPECT_EQ(2, holder->GetStyleKind());
}

/////////////////////////////////////////////////////////////////////////////
// System description

TEST(PaintHolder, SystemNamesAndFamilyBits)
{
    CExtPaintManagerHolder holder;
    holder.InitSystemVersion(Version(VER_PLATFORM_WIN32_NT, 5, 1, 2600, "Service Pack 2"));
    EXPECT_STREQ("Windows XP v.5.1 (build 2600) Service Pack 2", holder.m_strOsVersion);
    EXPECT_TRUE(holder.m_bIsWinXP);
    EXPECT_TRUE(holder.m_bIsWinXPOrLater);
    EXPECT_TRUE(holder.m_bIsWin2000OrLater);
    EXPECT_FALSE(holder.m_bIsWin2000);

    holder.InitSystemVersion(Version(VER_PLATFORM_WIN32_NT, 5, 2, 3790, ""));
    EXPECT_EQ(0, holder.m_strOsVersion.Find(" v.5.2 (build 3790)")) << holder.m_strOsVersion;
    EXPECT_TRUE(holder.m_bIsWinXPOrLater);
    EXPECT_FALSE(holder.m_bIsWinXP);

    holder.InitSystemVersion(Version(VER_PLATFORM_WIN32_NT, 5, 0, 2195, ""));
    EXPECT_TRUE(holder.m_bIsWin2000);
    EXPECT_FALSE(holder.m_bIsWinXPOrLater);
    EXPECT_EQ(0, holder.m_strOsVersion.Find("Windows 2000 v.5.0"));

    holder.InitSystemVersion(Version(VER_PLATFORM_WIN32_NT, 4, 0, 1381, ""));
    EXPECT_TRUE(holder.m_bIsWinNT4);
    EXPECT_TRUE(holder.m_bIsWinNT4OrLater);
    EXPECT_FALSE(holder.m_bIsWin2000OrLater);
    EXPECT_EQ(0, holder.m_strOsVersion.Find("Windows NT v.4.0"));

    holder.InitSystemVersion(Version(VER_PLATFORM_WIN32_NT, 6, 1, 7601, ""));
    EXPECT_EQ(0, holder.m_strOsVersion.Find("Windows NT v.6.1"));
    EXPECT_TRUE(holder.m_bIsWinXPOrLater);
    EXPECT_FALSE(holder.m_bIsWinNT4);

    holder.InitSystemVersion(Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1998, ""));
    EXPECT_EQ(0, holder.m_strOsVersion.Find("Windows 98 v.4.10"));
    EXPECT_TRUE(holder.m_bIsWin98);
    EXPECT_TRUE(holder.m_bIsWin9x);
    EXPECT_FALSE(holder.m_bIsWinNT);

    holder.InitSystemVersion(Version(VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, ""));
    EXPECT_EQ(0, holder.m_strOsVersion.Find("Windows 98 v.4.90")) << "Me has the same name";

    holder.InitSystemVersion(Version(VER_PLATFORM_WIN32_WINDOWS, 5, 0, 1, ""));
    EXPECT_EQ(0, holder.m_strOsVersion.Find("Windows 98 or later v.5.0"));
    EXPECT_FALSE(holder.m_bIsWin98);

    holder.InitSystemVersion(Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, ""));
    EXPECT_TRUE(holder.m_bIsWin95);
    EXPECT_FALSE(holder.m_bIsWin98OrLater);
    EXPECT_EQ(0, holder.m_strOsVersion.Find("Windows 95 v.4.0"));

    holder.InitSystemVersion(Version(VER_PLATFORM_WIN32s, 3, 11, 0, ""));
    EXPECT_TRUE(holder.m_bIsWin32s);
    EXPECT_EQ(0, holder.m_strOsVersion.Find("Win32s v.3.11"));
}

TEST(PaintHolder, WheelScrollLinesAreCachedAndAtLeastTwo)
{
    UINT nOld = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nOld, 0);
    CExtPaintManagerHolder holder;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 1, NULL, 0));
    EXPECT_EQ(2u, holder.GetMouseWheelScrollLines());
    ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 7, NULL, 0);
    EXPECT_EQ(2u, holder.GetMouseWheelScrollLines()) << "cached";
    holder.m_bWheelScrollLinesValid = false;
    EXPECT_EQ(7u, holder.GetMouseWheelScrollLines());
    ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 0, NULL, 0);
    holder.m_bWheelScrollLinesValid = false;
    EXPECT_EQ(2u, holder.GetMouseWheelScrollLines());
    ::SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, nOld, NULL, 0);
}

/////////////////////////////////////////////////////////////////////////////
// System-change forwarding

TEST(PaintHolder, FramesWithoutFrameworkBarsForwardFromEveryWindow)
{
    CExtPaintManagerHolder holder;
    holder.InstallPaintManager(new CCountingPaintManager);
    CFrameWnd* pFrame = MakeFrame("plain");
    ASSERT_NE((CFrameWnd*)NULL, pFrame);
    CWnd child;
    ASSERT_TRUE(MakeChild(child, pFrame, 100));
    EXPECT_TRUE(holder.WantsSystemNotification(pFrame));
    EXPECT_TRUE(holder.WantsSystemNotification(&child));
    EXPECT_FALSE(holder.WantsSystemNotification(NULL));
    holder.OnSysColorChange(&child);
    EXPECT_EQ(2, Rebuilds(holder));
    holder.OnSysColorChange(NULL);
    EXPECT_EQ(2, Rebuilds(holder));
    holder.OnDisplayChange(pFrame, 32, 1024, 768);
    holder.OnThemeChanged(pFrame, 0, 0);
    EXPECT_EQ(4, Rebuilds(holder));
    // A window without a frame is accepted too.
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 5, 5), NULL, 0));
    EXPECT_TRUE(holder.WantsSystemNotification(&popup));
    popup.DestroyWindow();
    child.DestroyWindow();
    pFrame->DestroyWindow();
}

TEST(PaintHolder, AThemeChangeReadsTheColourSchemeAgain)
{
    CExtPaintManagerHolder fresh;
    fresh.LoadThemeApi();
    const int nNow = fresh.m_eThemeColorScheme;
    ASSERT_NE(3, nNow);
    CExtPaintManagerHolder holder;
    holder.InstallPaintManager(new CCountingPaintManager);
    CFrameWnd* pFrame = MakeFrame("theme");
    ASSERT_NE((CFrameWnd*)NULL, pFrame);
    // the scheme read under the style that was active before
    holder.LoadThemeApi();
    holder.m_bUxThemeLoaded = true;
    holder.m_bThemeColorsRead = true;
    holder.m_eThemeColorScheme = 3;
    holder.OnThemeChanged(pFrame, 0, 0);
    EXPECT_EQ(nNow, holder.m_eThemeColorScheme);
    pFrame->DestroyWindow();
}

TEST(PaintHolder, OnlyTheFrameworkStatusBarOfAFrameForwards)
{
    if (!RegisterStandIns())
        GTEST_SKIP() << "the bars library is linked";
    CExtPaintManagerHolder holder;
    holder.InstallPaintManager(new CCountingPaintManager);
    CFrameWnd* pFrame = MakeFrame("status");
    ASSERT_NE((CFrameWnd*)NULL, pFrame);
    CStandInWnd status(&g_classStatus);
    CStandInWnd dockTop(&g_classDockOuter);
    CWnd child;
    ASSERT_TRUE(MakeChild(status, pFrame, AFX_IDW_STATUS_BAR));
    ASSERT_TRUE(MakeChild(dockTop, pFrame, AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(MakeChild(child, pFrame, 100));
    EXPECT_TRUE(holder.WantsSystemNotification(&status));
    EXPECT_FALSE(holder.WantsSystemNotification(&dockTop)) << "the status bar wins";
    EXPECT_FALSE(holder.WantsSystemNotification(&child));
    EXPECT_FALSE(holder.WantsSystemNotification(pFrame));
    holder.OnSysColorChange(&child);
    holder.OnSettingChange(pFrame, 0, NULL);
    EXPECT_EQ(1, Rebuilds(holder));
    holder.OnSysColorChange(&status);
    EXPECT_EQ(2, Rebuilds(holder));
    child.DestroyWindow();
    dockTop.DestroyWindow();
    status.DestroyWindow();
    pFrame->DestroyWindow();
}

TEST(PaintHolder, FirstOuterDockBarOrMdiTabWindowForwards)
{
    if (!RegisterStandIns())
        GTEST_SKIP() << "the bars library is linked";
    CExtPaintManagerHolder holder;
    CFrameWnd* pFrame = MakeFrame("docks");
    ASSERT_NE((CFrameWnd*)NULL, pFrame);
    CStandInWnd dockLeft(&g_classDockOuter), dockBottom(&g_classDockOuter);
    ASSERT_TRUE(MakeChild(dockLeft, pFrame, AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(MakeChild(dockBottom, pFrame, AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_TRUE(holder.WantsSystemNotification(&dockBottom)) << "bottom comes before left";
    EXPECT_FALSE(holder.WantsSystemNotification(&dockLeft));
    EXPECT_FALSE(holder.WantsSystemNotification(pFrame));
    dockLeft.DestroyWindow();
    dockBottom.DestroyWindow();

    CStandInWnd tabs(&g_classTabMdi);
    CWnd other;
    ASSERT_TRUE(MakeChild(other, pFrame, 200));
    ASSERT_TRUE(MakeChild(tabs, pFrame, 201));
    EXPECT_TRUE(holder.WantsSystemNotification(&tabs));
    EXPECT_FALSE(holder.WantsSystemNotification(&other));
    tabs.DestroyWindow();
    other.DestroyWindow();
    pFrame->DestroyWindow();
}

TEST(PaintHolder, TwoFramesRebuildOncePerFrame)
{
    if (!RegisterStandIns())
        GTEST_SKIP() << "the bars library is linked";
    CExtPaintManagerHolder holder;
    holder.InstallPaintManager(new CCountingPaintManager);
    CFrameWnd* pFrameA = MakeFrame("A");
    CFrameWnd* pFrameB = MakeFrame("B");
    ASSERT_TRUE(pFrameA != NULL && pFrameB != NULL);
    CStandInWnd statusA(&g_classStatus), statusB(&g_classStatus);
    CWnd viewA, viewB;
    ASSERT_TRUE(MakeChild(statusA, pFrameA, AFX_IDW_STATUS_BAR));
    ASSERT_TRUE(MakeChild(statusB, pFrameB, AFX_IDW_STATUS_BAR));
    ASSERT_TRUE(MakeChild(viewA, pFrameA, 1));
    ASSERT_TRUE(MakeChild(viewB, pFrameB, 1));
    // Every framework window of both frames hears the change; each frame forwards once.
    CWnd* windows[] = { pFrameA, &statusA, &viewA, pFrameB, &statusB, &viewB };
    for (CWnd* pWnd : windows)
        holder.OnSysColorChange(pWnd);
    EXPECT_EQ(1 + 2, Rebuilds(holder));

    // The wheel cache is cleared by the setting change of an accepted window only.
    holder.m_bWheelScrollLinesValid = true;
    holder.m_nWheelScrollLines = 99;
    holder.OnSysColorChange(&statusA);
    EXPECT_TRUE(holder.m_bWheelScrollLinesValid);
    holder.OnSettingChange(&viewA, SPI_SETWHEELSCROLLLINES, NULL);
    EXPECT_TRUE(holder.m_bWheelScrollLinesValid);
    holder.OnSettingChange(&statusB, SPI_SETWHEELSCROLLLINES, NULL);
    EXPECT_FALSE(holder.m_bWheelScrollLinesValid);
    viewA.DestroyWindow();
    viewB.DestroyWindow();
    statusA.DestroyWindow();
    statusB.DestroyWindow();
    pFrameA->DestroyWindow();
    pFrameB->DestroyWindow();
}

TEST(PaintHolder, FloatingFramesFollowTheirOwnerFrame)
{
    if (!RegisterStandIns())
        GTEST_SKIP() << "the bars library is linked";
    CExtPaintManagerHolder holder;
    CFrameWnd* pFrame = MakeFrame("owner");
    ASSERT_NE((CFrameWnd*)NULL, pFrame);
    CStandInWnd status(&g_classStatus);
    ASSERT_TRUE(MakeChild(status, pFrame, AFX_IDW_STATUS_BAR));

    // A floating frame of bars counts as its owner frame: its bars do not forward.
    CStandInMiniFrame* pFloating = new CStandInMiniFrame(&g_classMiniDock);
    ASSERT_TRUE(pFloating->CreateEx(0, NULL, "floating", WS_POPUP | WS_CAPTION,
                                    CRect(10, 10, 100, 100), pFrame));
    CWnd bar;
    ASSERT_TRUE(MakeChild(bar, pFloating, 5));
    EXPECT_FALSE(holder.WantsSystemNotification(&bar));

    // A plain mini frame is accepted.
    CMiniFrameWnd* pMini = new CMiniFrameWnd;
    ASSERT_TRUE(pMini->CreateEx(0, NULL, "mini", WS_POPUP | WS_CAPTION, CRect(10, 10, 100, 100),
                                pFrame));
    CWnd inner;
    ASSERT_TRUE(MakeChild(inner, pMini, 6));
    EXPECT_TRUE(holder.WantsSystemNotification(&inner));
    inner.DestroyWindow();
    bar.DestroyWindow();
    pMini->DestroyWindow();
    pFloating->DestroyWindow();
    status.DestroyWindow();
    pFrame->DestroyWindow();
}
