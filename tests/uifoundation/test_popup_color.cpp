// The colour popup: choosing by keys and clicks, notifications, geometry and drawing.

#include "test_popup_support.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtPaintManager.h"
#include "sound_recorder.h"

namespace
{

const DWORD kNoAnim = CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION;

class PopupColorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pPopup = new CExtPopupColorMenuWnd;
        ASSERT_TRUE(m_pPopup->InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
        m_pPopup->m_lParamCookie = 77;
        m_pPopup->m_pClrResult = &m_clrResult;
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelTracking();
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    }
    bool Track()
    {
        if (!m_pPopup->StartTracking(kNoAnim, 200, 100))
            return false;
        return PopupPumpUntil([this] { return m_pPopup->GetSafeHwnd() != NULL
                                              && g_TrackingSite.m_pWndAnimation == NULL; });
    }
    bool Ended()
    {
        return PopupPumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); });
    }

    CPopupTestReceiver m_receiver;
    CExtPopupColorMenuWnd* m_pPopup = NULL;
    COLORREF m_clrResult = (COLORREF)-1;
};

} // namespace

TEST(PopupColorTable, FortyNamedColours)
{
    EXPECT_EQ(RGB(0, 0, 0), CExtPopupColorMenuWnd::g_arrColors[0].m_clr);
    EXPECT_STREQ("Red", CExtPopupColorMenuWnd::g_arrColors[16].m_sName);
    EXPECT_EQ(RGB(255, 0, 0), CExtPopupColorMenuWnd::g_arrColors[16].m_clr);
    EXPECT_STREQ("Pale green ", CExtPopupColorMenuWnd::g_arrColors[35].m_sName);
    EXPECT_EQ(RGB(255, 255, 255), CExtPopupColorMenuWnd::g_arrColors[39].m_clr);
    EXPECT_EQ(2, CExtPopupColorMenuWnd::ColorIndexToColumn(10));
    EXPECT_EQ(1, CExtPopupColorMenuWnd::ColorIndexToRow(10));
}

TEST_F(PopupColorTest, ArrowsWrapAndEnterChooses)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    ASSERT_TRUE(Track());
    // without a hot cell an arrow makes cell 0 hot
    PopupSendKey(VK_LEFT);
    EXPECT_EQ(0, m_pPopup->m_nColorIdxCurr);
    // Left from column 0 wraps to column 7, Up from row 0 to row 4
    PopupSendKey(VK_LEFT);
    EXPECT_EQ(7, m_pPopup->m_nColorIdxCurr);
    PopupSendKey(VK_RIGHT);
    EXPECT_EQ(0, m_pPopup->m_nColorIdxCurr);
    PopupSendKey(VK_UP);
    EXPECT_EQ(32, m_pPopup->m_nColorIdxCurr);
    PopupSendKey(VK_DOWN);
    PopupSendKey(VK_DOWN);
    PopupSendKey(VK_DOWN);
    ASSERT_EQ(16, m_pPopup->m_nColorIdxCurr);
    CSoundRecorder sounds;
    PopupSendKey(VK_RETURN);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(std::vector<int>{ CExtSoundPlayer::SOUND_MENU_COMMAND }, sounds.Requested());
    EXPECT_EQ(std::vector<std::string>{ "MenuCommand" }, sounds.Aliases());
    EXPECT_EQ(0, m_receiver.CountCommands(0));
    EXPECT_EQ(RGB(255, 0, 0), m_clrResult);
    const CPopupTestReceiver::Message_t* pFinal =
        m_receiver.LastMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally);
    ASSERT_TRUE(pFinal != NULL);
    EXPECT_EQ((WPARAM)RGB(255, 0, 0), pFinal->m_wParam);
    EXPECT_EQ(77, pFinal->m_lParam);
    EXPECT_EQ(1, m_receiver.CountMessages(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally));
    // every arrow posted a change
    EXPECT_EQ(7, m_receiver.CountMessages(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged));
}

TEST_F(PopupColorTest, DownFromTheLastCellWrapsToTheTopRow)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    ASSERT_TRUE(Track());
    m_pPopup->m_nColorIdxCurr = 39;
    PopupSendKey(VK_DOWN);
    EXPECT_EQ(7, m_pPopup->m_nColorIdxCurr);
    m_pPopup->m_nColorIdxCurr = 7;
    PopupSendKey(VK_RIGHT);
    EXPECT_EQ(0, m_pPopup->m_nColorIdxCurr);
    CSoundRecorder sounds;
    PopupSendKey(VK_ESCAPE);
    ASSERT_TRUE(Ended());
    EXPECT_TRUE(sounds.Requested().empty());
    EXPECT_TRUE(sounds.Aliases().empty());
    EXPECT_EQ(0, m_receiver.CountCommands(0));
    EXPECT_EQ((COLORREF)-1, m_clrResult);
    EXPECT_EQ(0, m_receiver.CountMessages(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally));
}

TEST_F(PopupColorTest, MouseOverCellsAndClickChooses)
{
    ASSERT_TRUE(Track());
    CRect rcCell = m_pPopup->GetColorItemRect(13);
    m_pPopup->ClientToScreen(&rcCell);
    PopupMoveMouse(rcCell.CenterPoint().x, rcCell.CenterPoint().y);
    EXPECT_EQ(13, m_pPopup->m_nColorIdxCurr);
    const CPopupTestReceiver::Message_t* pChanged =
        m_receiver.LastMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged);
    ASSERT_TRUE(pChanged != NULL);
    EXPECT_EQ((WPARAM)RGB(0, 0, 255), pChanged->m_wParam);
    // the cell's name is its tip
    EXPECT_STREQ("Blue", m_pPopup->m_wndMenuTip.GetText());
    // the custom button posts no change
    const int nChanges = m_receiver.CountMessages(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged);
    CRect rcCustom = m_pPopup->m_rcCustColorText;
    m_pPopup->ClientToScreen(&rcCustom);
    PopupMoveMouse(rcCustom.CenterPoint().x, rcCustom.CenterPoint().y);
    EXPECT_EQ(CExtPopupColorMenuWnd::IDX_CUSTOM_BUTTON, m_pPopup->m_nColorIdxCurr);
    EXPECT_EQ(nChanges, m_receiver.CountMessages(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged));
    // the default button reports the default colour
    m_pPopup->m_clrDefault = RGB(12, 34, 56);
    CRect rcDefault = m_pPopup->m_rcDefColorText;
    m_pPopup->ClientToScreen(&rcDefault);
    PopupMoveMouse(rcDefault.CenterPoint().x, rcDefault.CenterPoint().y);
    pChanged = m_receiver.LastMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged);
    EXPECT_EQ((WPARAM)RGB(12, 34, 56), pChanged->m_wParam);

    PopupMoveMouse(rcCell.CenterPoint().x, rcCell.CenterPoint().y);
    CSoundRecorder sounds;
    PopupClick(rcCell.CenterPoint().x, rcCell.CenterPoint().y);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(RGB(0, 0, 255), m_clrResult);
    EXPECT_EQ(1, m_receiver.CountMessages(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally));
    // one choice, one command sound, and no WM_COMMAND 0
    EXPECT_EQ(std::vector<int>{ CExtSoundPlayer::SOUND_MENU_COMMAND }, sounds.Requested());
    EXPECT_EQ(std::vector<std::string>{ "MenuCommand" }, sounds.Aliases());
    EXPECT_EQ(0, m_receiver.CountCommands(0));
}

TEST_F(PopupColorTest, CustomButtonStoresMinusTwo)
{
    ASSERT_TRUE(Track());
    CRect rcCustom = m_pPopup->m_rcCustColorText;
    m_pPopup->ClientToScreen(&rcCustom);
    PopupMoveMouse(rcCustom.CenterPoint().x, rcCustom.CenterPoint().y);
    PopupClick(rcCustom.CenterPoint().x, rcCustom.CenterPoint().y);
    ASSERT_TRUE(Ended());
    EXPECT_EQ((COLORREF)-2, m_clrResult);
    const CPopupTestReceiver::Message_t* pCustom =
        m_receiver.LastMessage(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor);
    ASSERT_TRUE(pCustom != NULL);
    EXPECT_EQ(0u, pCustom->m_wParam);
    EXPECT_EQ(77, pCustom->m_lParam);
}

TEST_F(PopupColorTest, NotificationWindowTakesPrecedence)
{
    CPopupTestReceiver other(_T("popup-color-other"));
    m_pPopup->m_hWndNotification = other.GetSafeHwnd();
    ASSERT_TRUE(Track());
    CRect rcCell = m_pPopup->GetColorItemRect(26);
    m_pPopup->ClientToScreen(&rcCell);
    PopupMoveMouse(rcCell.CenterPoint().x, rcCell.CenterPoint().y);
    PopupClick(rcCell.CenterPoint().x, rcCell.CenterPoint().y);
    ASSERT_TRUE(Ended());
    PopupPumpFor(30);
    EXPECT_EQ(1, other.CountMessages(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally));
    EXPECT_EQ(0, m_receiver.CountMessages(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally));
    EXPECT_EQ(RGB(255, 255, 0), m_clrResult);
}

TEST_F(PopupColorTest, GeometryAndInitialColour)
{
    m_pPopup->m_clrInitial = RGB(255, 0, 0);
    ASSERT_TRUE(Track());
    EXPECT_EQ(16, m_pPopup->m_nInitialColorIdx);
    const int b = m_pPopup->GetBorderSize(), s = m_pPopup->GetShadowSize();
    CSize size = m_pPopup->CalcSize();
    EXPECT_EQ(160 + 2 * b + s, size.cx);
    // cells are 16 x 16, 20 pixels apart, below the default button
    CRect rc0 = m_pPopup->GetColorItemRect(0), rc1 = m_pPopup->GetColorItemRect(1);
    CRect rc8 = m_pPopup->GetColorItemRect(8);
    EXPECT_EQ(16, rc0.Width());
    EXPECT_EQ(16, rc0.Height());
    EXPECT_EQ(20, rc1.left - rc0.left);
    EXPECT_EQ(20, rc8.top - rc0.top);
    EXPECT_GT(rc0.top, m_pPopup->m_rcDefColorText.bottom);
    EXPECT_GT(m_pPopup->m_rcCustColorText.top, m_pPopup->GetColorItemRect(39).bottom);
    EXPECT_EQ(-1, m_pPopup->HitTestItem(rc0.CenterPoint()));
    EXPECT_EQ(0, m_pPopup->ColorIndexFromPoint(rc0.CenterPoint()));

    // the cells show their colours; the initial cell is drawn pushed
    CRect rcClient;
    m_pPopup->GetClientRect(&rcClient);
    CClientDC dcScreen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcScreen, rcClient.Width(), rcClient.Height());
    CBitmap* pOld = dc.SelectObject(&bmp);
    m_pPopup->PaintContent(dc, false);
    CRect rcRed = m_pPopup->GetColorItemRect(16);
    CRect rcBlue = m_pPopup->GetColorItemRect(13);
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(rcRed.CenterPoint()) & 0xFFFFFF);
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(rcBlue.CenterPoint()) & 0xFFFFFF);
    // a one-pixel border in the dark shadow colour surrounds the colour
    EXPECT_EQ(g_CurrentPaintManager->GetColor(COLOR_3DDKSHADOW) & 0xFFFFFF,
              dc.GetPixel(rcBlue.left + 2, rcBlue.top + 2) & 0xFFFFFF);
    // the pushed frame of the initial cell differs from a plain cell's frame
    EXPECT_NE(dc.GetPixel(rcRed.left, rcRed.CenterPoint().y),
              dc.GetPixel(rcBlue.left, rcBlue.CenterPoint().y));
    dc.SelectObject(pOld);
}

TEST_F(PopupColorTest, WithoutButtonsTheGridStartsAtTheTop)
{
    m_pPopup->m_nFlags = 0;
    ASSERT_TRUE(Track());
    const int b = m_pPopup->GetBorderSize(), s = m_pPopup->GetShadowSize();
    CSize size = m_pPopup->CalcSize();
    EXPECT_EQ(s + 2 * b + 100, size.cy);
    CRect rcContent;
    m_pPopup->GetContentRect(rcContent);
    EXPECT_EQ(rcContent.top + b + 2, m_pPopup->GetColorItemRect(0).top);
    EXPECT_TRUE(m_pPopup->m_rcDefColorText.IsRectEmpty());
    EXPECT_EQ(-1, m_pPopup->ColorIndexFromPoint(CPoint(rcContent.left + 3, rcContent.bottom - 3)));
}
