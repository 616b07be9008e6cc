// What a popup leaves on the screen: its shadow over the window below and the frames of a
// popup joined to the button it opens from. The PopupScreen cases read the screen back and
// run under Wine's X11 driver (ctest entry uifoundation_screen); PopupFrames paints the
// frames into memory and runs everywhere.

#include "test_popup_support.h"
#include "ExtPaintManager.h"
#include "ExtStatics.h"
#include <cstdlib>

namespace
{

const DWORD kNoAnim = CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION;
const DWORD kShowAll = CExtPopupMenuWnd::TPMX_NO_HIDE_RARELY;
const DWORD kJoinedBelow = CExtPopupMenuWnd::TPMX_BOTTOMALIGN
    | CExtPopupMenuWnd::TPMX_COMBINE_ANY_SUITABLE;

// Pixels of a rectangle read through a DC (the screen or a memory DC), top row first.
std::vector<COLORREF> ReadPixels(HDC hdc, const CRect& rc)
{
    std::vector<COLORREF> pixels;
    HDC hdcMem = ::CreateCompatibleDC(hdc);
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = rc.Width();
    bmi.bmiHeader.biHeight = -rc.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hdcMem != NULL && hbm != NULL && pBits != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        ::BitBlt(hdcMem, 0, 0, rc.Width(), rc.Height(), hdc, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        const DWORD* p = (const DWORD*)pBits;
        for (int i = 0; i < rc.Width() * rc.Height(); i++)
            pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
        ::SelectObject(hdcMem, hOld);
    }
    if (hbm != NULL)
        ::DeleteObject(hbm);
    if (hdcMem != NULL)
        ::DeleteDC(hdcMem);
    return pixels;
}

std::vector<COLORREF> ReadScreen(const CRect& rc)
{
    HDC hdc = ::GetDC(NULL);
    std::vector<COLORREF> pixels = ReadPixels(hdc, rc);
    ::ReleaseDC(NULL, hdc);
    return pixels;
}

// A colour byte darkened to p per cent the way the popup shadow does it.
int Darkened(int c, int p, COLORREF clrTint, int nByte)
{
    if (clrTint == (COLORREF)-1)
        return c * p / 100;
    const int t = (nByte == 0) ? GetRValue(clrTint)
        : (nByte == 1) ? GetGValue(clrTint) : GetBValue(clrTint);
    const int f = std::min(100, p + ::MulDiv(100 - p, t, 255));
    return c * f / 100;
}

COLORREF DarkenedWhite(int p)
{
    const COLORREF clrTint = g_CurrentPaintManager->GetPopupCaptureColorKey();
    return RGB(Darkened(255, p, clrTint, 0), Darkened(255, p, clrTint, 1),
               Darkened(255, p, clrTint, 2));
}

// A popup whose animation steps are set by the test.
class CFramePopup : public CExtPopupMenuWnd
{
public:
    using CExtPopupMenuWnd::PaintAnimationFrame;
};

// Restores the default animation kind.
struct CAnimationKindScope
{
    explicit CAnimationKindScope(int nKind) : m_nSaved(g_nDefaultAnimationType)
    {
        g_nDefaultAnimationType = nKind;
    }
    ~CAnimationKindScope() { g_nDefaultAnimationType = m_nSaved; }
    int m_nSaved;
};

const int kJoinedKinds[] = { CExtPopupBaseWnd::ANIM_SLIDE, CExtPopupBaseWnd::ANIM_ROLL,
                             CExtPopupBaseWnd::ANIM_UNFOLD, CExtPopupBaseWnd::ANIM_EXPAND };

class PopupScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (getenv("STICKWELL_X11_SCREEN") == NULL)
            GTEST_SKIP() << "reads the screen back: runs in the ctest entry uifoundation_screen"
                            " (Xvfb and Wine's X11 driver)";
        ASSERT_TRUE(m_receiver.GetSafeHwnd() != NULL);
        m_receiver.UpdateWindow();
        PopupPumpFor(300);
        std::vector<COLORREF> probe = ReadScreen(CRect(300, 300, 301, 301));
        if (probe.empty() || probe[0] != RGB(255, 255, 255))
            GTEST_SKIP() << "the screen cannot be read back (the window below is not white)";
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelTracking();
        PopupPumpFor(50);
    }

    CPopupTestReceiver m_receiver;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// On the screen (X11)

TEST_F(PopupScreenTest, ShadowOverAWhiteWindowIsTheComputedGreys)
{
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenuResource(m_receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    ASSERT_TRUE(pPopup->StartTracking(kNoAnim | kShowAll, 200, 150));
    ASSERT_TRUE(PopupPumpUntil([pPopup] { return pPopup->GetSafeHwnd() != NULL
                                                 && pPopup->IsWindowVisible()
                                                 && g_TrackingSite.m_pWndAnimation == NULL; }));
    PopupPumpFor(300);
    const int s = pPopup->GetShadowSize();
    ASSERT_EQ(4, s);
    CRect rc(pPopup->m_rcContent);
    pPopup->ClientToScreen(&rc);
    // right band at mid height, bottom band at mid width (its first row is the popup's own)
    std::vector<COLORREF> right = ReadScreen(CRect(rc.right, rc.CenterPoint().y,
                                                   rc.right + s, rc.CenterPoint().y + 1));
    std::vector<COLORREF> below = ReadScreen(CRect(rc.CenterPoint().x, rc.bottom - 1,
                                                   rc.CenterPoint().x + 1, rc.bottom - 1 + s));
    ASSERT_EQ((size_t)s, right.size());
    ASSERT_EQ((size_t)s, below.size());
    for (int i = 0; i < s; i++)
    {
        const int p = i * (100 - 75) / s + 75;
        EXPECT_EQ(DarkenedWhite(p), right[i]) << "right band, " << i << " px out";
        if (i > 0)
        {
            EXPECT_EQ(DarkenedWhite(p), below[i]) << "bottom band, " << i << " px out";
        }
    }
    // beyond the shadow the window shows as it is
    EXPECT_EQ(RGB(255, 255, 255),
              ReadScreen(CRect(rc.right + s + 2, rc.CenterPoint().y, rc.right + s + 3,
                               rc.CenterPoint().y + 1))[0]);
}

TEST_F(PopupScreenTest, FramesOfAJoinedPopupKeepTheButtonDrawn)
{
    CAnimationKindScope kind(CExtPopupBaseWnd::ANIM_SLIDE);
    CRect rcButton(100, 60, 170, 82);
    CFramePopup* pPopup = new CFramePopup;
    ASSERT_TRUE(pPopup->LoadMenuResource(m_receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    ASSERT_TRUE(pPopup->StartTracking(kJoinedBelow | kShowAll, rcButton.left, rcButton.bottom,
                                      &rcButton));
    // the steps are set here, not by the timer
    pPopup->KillTimer(CExtPopupBaseWnd::ID_TIMER_ANIMATION);
    ASSERT_FALSE(pPopup->IsAnimationFinished());
    std::vector<std::vector<COLORREF>> frames;
    for (int nKind : kJoinedKinds)
    {
        pPopup->m_nAnimationType = nKind;
        pPopup->m_nAnimStepPrev = 20;
        pPopup->m_nAnimStep = 40;
        pPopup->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        PopupPumpFor(150);
        frames.push_back(ReadScreen(rcButton));
    }
    pPopup->m_nAnimStep = 101;
    pPopup->SetAnimationFinished(true);
    g_TrackingSite.m_pWndAnimation = NULL;
    pPopup->ReleaseSurfaces();
    PopupPumpFor(150);
    const std::vector<COLORREF> finished = ReadScreen(rcButton);
    ASSERT_EQ((size_t)rcButton.Width() * rcButton.Height(), finished.size());
    // the joined button is drawn, not the white window under it
    EXPECT_TRUE(std::any_of(finished.begin(), finished.end(),
                            [](COLORREF c) { return c != RGB(255, 255, 255); }));
    for (size_t k = 0; k < frames.size(); k++)
        EXPECT_TRUE(frames[k] == finished) << "frame of animation kind " << kJoinedKinds[k];
}

TEST_F(PopupScreenTest, AFadeStartsFromTheWindowBelow)
{
    CAnimationKindScope kind(CExtPopupBaseWnd::ANIM_FADE);
    CFramePopup* pPopup = new CFramePopup;
    ASSERT_TRUE(pPopup->LoadMenuResource(m_receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    ASSERT_TRUE(pPopup->StartTracking(kShowAll, 200, 150));
    pPopup->KillTimer(CExtPopupBaseWnd::ID_TIMER_ANIMATION);
    ASSERT_EQ(CExtPopupBaseWnd::ANIM_FADE, pPopup->m_nAnimationType);
    CRect rc(pPopup->m_rcContent);
    pPopup->ClientToScreen(&rc);
    const CRect rcProbe(rc.CenterPoint().x, rc.CenterPoint().y, rc.CenterPoint().x + 1,
                        rc.CenterPoint().y + 1);
    // the first frame is all background: the white window, not black
    pPopup->m_nAnimStepPrev = 0;
    pPopup->m_nAnimStep = 0;
    pPopup->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    PopupPumpFor(150);
    EXPECT_EQ(RGB(255, 255, 255), ReadScreen(rcProbe)[0]);
    // half way the content's face is blended with white
    pPopup->m_nAnimStepPrev = 40;
    pPopup->m_nAnimStep = 60;
    pPopup->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    PopupPumpFor(150);
    const COLORREF clrHalf = ReadScreen(rcProbe)[0];
    pPopup->m_nAnimStep = 101;
    pPopup->SetAnimationFinished(true);
    g_TrackingSite.m_pWndAnimation = NULL;
    pPopup->ReleaseSurfaces();
    PopupPumpFor(150);
    const COLORREF clrDone = ReadScreen(rcProbe)[0];
    for (int k = 0; k < 3; k++)
    {
        const int nDone = (clrDone >> (8 * k)) & 0xFF, nHalf = (clrHalf >> (8 * k)) & 0xFF;
        EXPECT_EQ((nDone * 60 + 255 * 40) / 100, nHalf) << "colour byte " << k;
    }
}

/////////////////////////////////////////////////////////////////////////////
// In memory (every driver)

TEST(PopupFrames, JoinedPopupKeepsTheButtonInEveryFrame)
{
    CPopupTestReceiver receiver;
    CAnimationKindScope kind(CExtPopupBaseWnd::ANIM_SLIDE);
    CRect rcButton(100, 60, 170, 82);
    CFramePopup* pPopup = new CFramePopup;
    ASSERT_TRUE(pPopup->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
    ASSERT_TRUE(pPopup->StartTracking(kJoinedBelow | kShowAll, rcButton.left, rcButton.bottom,
                                      &rcButton));
    pPopup->KillTimer(CExtPopupBaseWnd::ID_TIMER_ANIMATION);
    ASSERT_TRUE(pPopup->m_bCombineWithEA);
    CRect rcClient, rcExclude(pPopup->m_rcExcludeArea);
    pPopup->GetClientRect(&rcClient);
    pPopup->ScreenToClient(&rcExclude);

    CClientDC dcScreen(NULL);
    CDC dc;
    CBitmap bmp;
    ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dcScreen, rcClient.Width(), rcClient.Height()));
    CBitmap* pOld = dc.SelectObject(&bmp);
    dc.FillSolidRect(&rcClient, RGB(255, 255, 255));
    pPopup->PaintContent(dc, false);
    const std::vector<COLORREF> finished = ReadPixels(dc.GetSafeHdc(), rcExclude);
    EXPECT_TRUE(std::any_of(finished.begin(), finished.end(),
                            [](COLORREF c) { return c != RGB(255, 255, 255); }));
    for (int nKind : kJoinedKinds)
    {
        pPopup->ReleaseSurfaces();
        pPopup->SetAnimationFinished(false);
        pPopup->m_nAnimationType = nKind;
        for (int nStep = 20; nStep <= 80; nStep += 20)
        {
            pPopup->m_nAnimStepPrev = nStep - 20;
            pPopup->m_nAnimStep = nStep;
            dc.FillSolidRect(&rcClient, RGB(255, 255, 255));
            pPopup->PaintAnimationFrame(dc);
            EXPECT_TRUE(ReadPixels(dc.GetSafeHdc(), rcExclude) == finished)
                << "animation kind " << nKind << " at " << nStep << " %";
        }
    }
    dc.SelectObject(pOld);
    pPopup->SetAnimationFinished(true);
    g_TrackingSite.m_pWndAnimation = NULL;
    CExtPopupMenuWnd::CancelTracking();
    PopupPumpFor(50);
}
