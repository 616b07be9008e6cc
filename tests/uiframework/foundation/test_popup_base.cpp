// The popup base window: drop shadow pixels, animation kinds and steps, the menu tip.

#include "test_paint_support.h"
#include "test_popup_support.h"
#include "ExtPopupBaseWnd.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtSoundPlayer.h"

namespace
{

// 75 per cent of a white channel and the following steps of a 4-pixel shadow.
const int kP0 = 255 * 75 / 100;     // 191
const int kP1 = 255 * 81 / 100;     // 206
const int kP3 = 255 * 93 / 100;     // 237

COLORREF Grey(int n)
{
    return RGB(n, n, n);
}

// A popup base window of its own for the animation tests.
class CTestPopupWnd : public CExtPopupBaseWnd
{
public:
    bool Create()
    {
        LPCTSTR sClass = ::AfxRegisterWndClass(0);
        return CreateEx(WS_EX_TOPMOST, sClass, _T(""), WS_POPUP, 10, 10, 40, 30, NULL, NULL)
            != FALSE;
    }
    ~CTestPopupWnd()
    {
        if (GetSafeHwnd() != NULL)
            DestroyWindow();
    }
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Shadow

TEST(PopupShadow, GradientDarkensTheRightAndBottomBands)
{
    CPixelCanvas canvas(100, 80);
    CExtPopupBaseWnd::Shadow_t shadow;
    const CRect rcWnd(10, 10, 60, 50);
    CRect rcEmpty(0, 0, 0, 0);
    ASSERT_TRUE(shadow.Paint(&canvas.DC(), rcWnd, rcEmpty, rcEmpty, 4, 75, 100, false, false));
    // right band: darkest next to the rectangle, lighter outward
    EXPECT_EQ(Grey(kP0), canvas.At(60, 30));
    EXPECT_EQ(Grey(kP1), canvas.At(61, 30));
    EXPECT_EQ(Grey(kP3), canvas.At(63, 30));
    EXPECT_EQ(Grey(255), canvas.At(64, 30));
    // the bottom band starts on the rectangle's own last row
    EXPECT_EQ(Grey(kP0), canvas.At(30, 49));
    EXPECT_EQ(Grey(kP1), canvas.At(30, 50));
    EXPECT_EQ(Grey(255), canvas.At(30, 48));
    // the shadow starts 2s pixels from the top-left corner, with round ends
    EXPECT_EQ(Grey(255), canvas.At(60, 12));
    EXPECT_EQ(Grey(255 * 87 / 100), canvas.At(60, 15));
    EXPECT_EQ(Grey(255), canvas.At(12, 49));
    // the rectangle itself is untouched
    EXPECT_EQ(Grey(255), canvas.At(30, 30));
    EXPECT_FALSE(shadow.IsCached());
}

TEST(PopupShadow, CachedStripsServeTheSecondPaint)
{
    CPixelCanvas canvas(100, 80);
    CExtPopupBaseWnd::Shadow_t shadow;
    const CRect rcWnd(10, 10, 60, 50);
    CRect rcEmpty(0, 0, 0, 0);
    ASSERT_TRUE(shadow.Paint(&canvas.DC(), rcWnd, rcEmpty, rcEmpty, 4, 75, 100, true, false));
    ASSERT_TRUE(shadow.IsCached());
    canvas.Fill(RGB(0, 0, 200));
    ASSERT_TRUE(shadow.Paint(&canvas.DC(), rcWnd, rcEmpty, rcEmpty, 4, 75, 100, true, false));
    // the strips come from the cache, not from the new background; the bottom strip
    // starts below the rectangle
    EXPECT_EQ(Grey(kP1), canvas.At(61, 30));
    EXPECT_EQ(Grey(kP1), canvas.At(30, 50));
    EXPECT_EQ(RGB(0, 0, 200), canvas.At(30, 49));
    EXPECT_EQ(RGB(0, 0, 200), canvas.At(30, 30));
    shadow.Destroy();
    EXPECT_FALSE(shadow.IsCached());
}

TEST(PopupShadow, CompanionBelowExtendsTheRightBand)
{
    // a popup whose right edge continues in the area below it (C7): no corner there
    CPixelCanvas canvas(100, 100);
    CExtPopupBaseWnd::Shadow_t shadow;
    const CRect rcWnd(10, 10, 60, 50);
    const CRect rcBelow(20, 50, 60, 90);
    ASSERT_TRUE(shadow.Paint(&canvas.DC(), rcWnd, rcWnd, rcBelow, 4, 75, 100, false, false));
    EXPECT_EQ(Grey(kP0), canvas.At(60, 52));
    // without the companion that pixel is part of the round corner
    CPixelCanvas plain(100, 100);
    CExtPopupBaseWnd::Shadow_t shadow2;
    CRect rcEmpty(0, 0, 0, 0);
    ASSERT_TRUE(shadow2.Paint(&plain.DC(), rcWnd, rcEmpty, rcEmpty, 4, 75, 100, false, false));
    EXPECT_EQ(Grey(kP3), plain.At(60, 52));
    // the clip region keeps the shadow out of the rectangle
    EXPECT_EQ(Grey(255), canvas.At(30, 30));
}

TEST(PopupShadow, NothingWithoutSizeOrRectangle)
{
    CPixelCanvas canvas(60, 60);
    CExtPopupBaseWnd::Shadow_t shadow;
    CRect rcEmpty(0, 0, 0, 0);
    EXPECT_TRUE(shadow.Paint(&canvas.DC(), CRect(5, 5, 30, 30), rcEmpty, rcEmpty, 0, 75, 100,
                             true, false));
    EXPECT_TRUE(shadow.Paint(&canvas.DC(), rcEmpty, rcEmpty, rcEmpty, 4, 75, 100, true, false));
    EXPECT_EQ(0, canvas.CountOther(CRect(0, 0, 60, 60), RGB(255, 255, 255)));
    EXPECT_FALSE(shadow.IsCached());
}

TEST(PopupShadow, DitheredShadowAtEightBits)
{
    CForcedScreenDepth depth(8);
    CPixelCanvas canvas(100, 80);
    CExtPopupBaseWnd::Shadow_t shadow;
    CRect rcEmpty(0, 0, 0, 0);
    ASSERT_TRUE(shadow.Paint(&canvas.DC(), CRect(10, 10, 60, 50), rcEmpty, rcEmpty, 6, 75, 100,
                             false, false));
    // a pattern of dark and untouched pixels, at most 4 pixels wide
    const CRect rcBand(60, 20, 64, 40);
    const int nDark = canvas.Count(rcBand, RGB(0, 0, 0));
    EXPECT_GT(nDark, 0);
    EXPECT_LT(nDark, rcBand.Width() * rcBand.Height());
    EXPECT_EQ(0, canvas.CountOther(CRect(64, 10, 70, 50), RGB(255, 255, 255)));
}

/////////////////////////////////////////////////////////////////////////////
// Animation

TEST(PopupAnimation, SetupResolvesTheKinds)
{
    CExtPopupBaseWnd wnd;
    for (int i = 0; i < 200; i++)
    {
        wnd.m_nAnimationType = CExtPopupBaseWnd::ANIM_RANDOM;
        wnd.SetupAnimation();
        ASSERT_GE(wnd.m_nAnimationType, 2);
        ASSERT_LE(wnd.m_nAnimationType, 10);
        ASSERT_FALSE(wnd.IsAnimationFinished());
    }
    wnd.m_nAnimationType = 11;
    wnd.SetupAnimation();
    EXPECT_EQ(0, wnd.m_nAnimationType);
    EXPECT_TRUE(wnd.IsAnimationFinished());
    wnd.m_nAnimationType = CExtPopupBaseWnd::ANIM_EXPAND;
    wnd.SetupAnimation();
    EXPECT_EQ(CExtPopupBaseWnd::ANIM_EXPAND, wnd.m_nAnimationType);
    EXPECT_FALSE(wnd.IsAnimationFinished());
    EXPECT_EQ(0, wnd.m_nAnimStep);

    CForcedScreenDepth depth(8);
    wnd.m_nAnimationType = CExtPopupBaseWnd::ANIM_FADE;
    wnd.SetupAnimation();
    EXPECT_EQ(0, wnd.m_nAnimationType);
    EXPECT_TRUE(wnd.IsAnimationFinished());
    wnd.m_nAnimationType = CExtPopupBaseWnd::ANIM_ONE_TICK;
    wnd.SetupAnimation();
    EXPECT_EQ(CExtPopupBaseWnd::ANIM_ONE_TICK, wnd.m_nAnimationType);
    EXPECT_FALSE(wnd.IsAnimationFinished());
}

TEST(PopupAnimation, SteppedKindShowsFiveFramesAndEndsWithOneSound)
{
    CTestPopupWnd wnd;
    ASSERT_TRUE(wnd.Create());
    wnd.m_nAnimationType = CExtPopupBaseWnd::ANIM_SLIDE;
    wnd.m_nSoundOnAnimationEnd = CExtSoundPlayer::SOUND_MENU_POPUP;
    wnd.StartAnimation();
    ASSERT_FALSE(wnd.IsAnimationFinished());
    const LONG nWorkers = CExtSoundPlayer::InternalSoundThredadParms_t::g_nWorkersStarted;
    std::vector<int> steps;
    for (int i = 0; i < 6 && !wnd.IsAnimationFinished(); i++)
    {
        CExtPopupBaseWnd::g_nLastAnimationTick = clock();
        wnd.OnTimer(CExtPopupBaseWnd::ID_TIMER_ANIMATION);
        steps.push_back(wnd.m_nAnimStep);
    }
    ASSERT_EQ(6u, steps.size());
    EXPECT_EQ(20, steps[0]);
    EXPECT_EQ(100, steps[4]);
    EXPECT_EQ(101, steps[5]);
    EXPECT_TRUE(wnd.IsAnimationFinished());
    // the kind returns to the default, the sound is spent
    EXPECT_EQ(g_nDefaultAnimationType, wnd.m_nAnimationType);
    EXPECT_EQ(0, wnd.m_nSoundOnAnimationEnd);
    // a late tick changes nothing
    wnd.OnTimer(CExtPopupBaseWnd::ID_TIMER_ANIMATION);
    EXPECT_EQ(101, wnd.m_nAnimStep);
    // the end sound was requested once (a worker of another program may have held it)
    EXPECT_LE(CExtSoundPlayer::InternalSoundThredadParms_t::g_nWorkersStarted - nWorkers, 1);
}

TEST(PopupAnimation, OneTickKindEndsAtTheFirstTick)
{
    CTestPopupWnd wnd;
    ASSERT_TRUE(wnd.Create());
    wnd.m_nAnimationType = CExtPopupBaseWnd::ANIM_ONE_TICK;
    wnd.StartAnimation();
    ASSERT_FALSE(wnd.IsAnimationFinished());
    wnd.OnTimer(CExtPopupBaseWnd::ID_TIMER_ANIMATION);
    EXPECT_TRUE(wnd.IsAnimationFinished());
}

TEST(PopupAnimation, NoShadowsWhenSwitchedOff)
{
    CExtPopupBaseWnd wnd;
    EXPECT_EQ(4, wnd.GetShadowSize());
    g_bPopupShadows = FALSE;
    EXPECT_EQ(0, wnd.GetShadowSize());
    g_bPopupShadows = TRUE;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    pPopup->m_dwTrackFlags = CExtPopupMenuWnd::TPMX_NO_SHADOWS;
    EXPECT_EQ(0, pPopup->GetShadowSize());
    delete pPopup;
}

/////////////////////////////////////////////////////////////////////////////
// Menu tip

TEST(PopupMenuTip, PointerTouchesTheItemAndFlipsNearTheEdges)
{
    CPopupTestReceiver receiver;
    CExtPaintManager::MonitorInfo_t mi;
    CExtPaintManager::GetMonitorInfoByPoint(mi, CPoint(300, 300));
    {
        CExtPopupMenuTipWnd tip;
        tip.SetText(_T("A tip text"));
        const CRect rcItem(400, 300, 500, 322);
        ASSERT_TRUE(tip.Show(&receiver, rcItem));
        EXPECT_EQ(0, tip.m_nPlacement);
        EXPECT_EQ(CPoint(406, 306), tip.m_ptTarget);
        CRect rcTip;
        tip.GetWindowRect(&rcTip);
        // the balloon lies above-left of the point, its pointer tip at the point
        EXPECT_LE(rcTip.bottom, rcItem.top + 16 + 1);
        EXPECT_LT(rcTip.left, rcItem.left);
        CRgn rgn;
        rgn.CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(ERROR, tip.GetWindowRgn((HRGN)rgn.GetSafeHandle()));
        EXPECT_TRUE(rgn.PtInRegion(406 - rcTip.left - 1, 306 - rcTip.top - 10));
        // hidden until the delay has passed
        EXPECT_FALSE(tip.IsWindowVisible());
        ASSERT_TRUE(PopupPumpUntil([&tip] { return tip.IsWindowVisible() != FALSE; }, 2500));
        tip.Hide();
        EXPECT_FALSE(tip.IsWindowVisible());
        EXPECT_TRUE(tip.m_rcExcludeArea.IsRectEmpty());
    }
    {
        // at the top-left corner the balloon lies right of and below the item
        CExtPopupMenuTipWnd tip;
        tip.SetText(_T("A tip text"));
        const CRect rcItem(mi.m_rcWorkArea.left + 2, mi.m_rcWorkArea.top + 2,
                           mi.m_rcWorkArea.left + 80, mi.m_rcWorkArea.top + 24);
        ASSERT_TRUE(tip.Show(&receiver, rcItem));
        EXPECT_EQ(CExtPopupMenuTipWnd::TIP_POINTER_LEFT | CExtPopupMenuTipWnd::TIP_BELOW_TARGET,
                  (int)tip.m_nPlacement);
        CRect rcTip;
        tip.GetWindowRect(&rcTip);
        EXPECT_GE(rcTip.top, rcItem.top);
        EXPECT_GE(rcTip.left, rcItem.left);
    }
}
