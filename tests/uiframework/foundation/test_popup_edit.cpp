// In-place edit items of popup menus: showing the field, typing, committing, the check
// callback and cancelling.

#include "test_popup_support.h"

namespace
{

const DWORD kFlags = CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION
    | CExtPopupMenuWnd::TPMX_NO_HIDE_RARELY;

// Refuses texts longer than three characters.
bool VerifyShort(CExtPopupMenuWnd::CInPlaceEditWnd&, LPVOID, LPCTSTR, LPCTSTR sTextNew)
{
    return strlen(sTextNew) <= 3;
}

class PopupEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pPopup = new CExtPopupMenuWnd;
        ASSERT_TRUE(m_pPopup->InitAsEmptyPopup(m_receiver.GetSafeHwnd()));
        ASSERT_TRUE(m_pPopup->InsertCommandItem(ID_POPUP_ALPHA, -1, _T("&Alpha")));
        ASSERT_TRUE(m_pPopup->InsertCommandItem(ID_POPUP_BETA, -1, _T("&Width:")));
        CExtPopupMenuWnd::MENUITEMDATA& mi = m_pPopup->GetItemAt(1);
        mi.m_pInplaceEditStr = &m_strValue;
        mi.m_nInplaceEditWidth = 60;
        mi.MeasureItem();
        m_pPopup->RecalcLayout();
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelTracking();
        EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
    }
    bool Track()
    {
        if (!m_pPopup->StartTracking(kFlags, 200, 150))
            return false;
        return PopupPumpUntil([this] { return m_pPopup->GetSafeHwnd() != NULL
                                              && g_TrackingSite.m_pWndAnimation == NULL; });
    }
    CWnd* Edit() { return m_pPopup->GetItemAt(1).m_pWndInplaceEdit; }

    CPopupTestReceiver m_receiver;
    CExtPopupMenuWnd* m_pPopup = NULL;
    CString m_strValue = _T("12");
};

} // namespace

TEST_F(PopupEditTest, EditFieldIsMadeWithTheValue)
{
    ASSERT_TRUE(Track());
    CWnd* pEdit = Edit();
    ASSERT_TRUE(pEdit != NULL);
    ASSERT_TRUE(pEdit->GetSafeHwnd() != NULL);
    EXPECT_EQ(m_pPopup->GetSafeHwnd(), ::GetParent(pEdit->GetSafeHwnd()));
    CString strText;
    pEdit->GetWindowText(strText);
    EXPECT_STREQ("12", strText);
    EXPECT_FALSE(pEdit->IsWindowVisible());
    // the edit field lies at the right of the item and counts for the hit test
    CRect rcItem, rcEdit;
    m_pPopup->GetItemRect(1, rcItem, true);
    pEdit->GetWindowRect(&rcEdit);
    m_pPopup->ScreenToClient(&rcEdit);
    bool bOverEdit = false;
    EXPECT_EQ(1, m_pPopup->HitTestItem(CPoint(rcItem.right - 20, rcItem.CenterPoint().y),
                                       &bOverEdit));
    EXPECT_TRUE(bOverEdit);
    EXPECT_EQ(1, m_pPopup->HitTestItem(CPoint(rcItem.left + 5, rcItem.CenterPoint().y),
                                       &bOverEdit));
    EXPECT_FALSE(bOverEdit);
    // the receiver was asked first
    EXPECT_EQ(1, m_receiver.CountMessages(CExtPopupMenuWnd::g_nMsgCreateInplaceEdit));
}

TEST_F(PopupEditTest, EnterShowsTheFieldTypingAndEnterCommit)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    ASSERT_TRUE(Track());
    PopupSendKey(VK_DOWN);
    PopupSendKey(VK_DOWN);
    ASSERT_EQ(1, m_pPopup->GetCurrentIndex());
    PopupSendKey(VK_RETURN);
    CWnd* pEdit = Edit();
    ASSERT_TRUE(pEdit != NULL);
    EXPECT_TRUE(pEdit->IsWindowVisible());
    ASSERT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
    PopupSendKey('4');
    PopupSendKey('2');
    CString strText;
    pEdit->GetWindowText(strText);
    EXPECT_STREQ("42", strText);
    EXPECT_STREQ("12", m_strValue);
    PopupSendKey(VK_RETURN);
    ASSERT_TRUE(PopupPumpUntil([] { return !CExtPopupMenuWnd::IsTrackingActive(); }));
    EXPECT_STREQ("42", m_strValue);
    // the edit delivers no command
    EXPECT_EQ(0, m_receiver.CountCommands(ID_POPUP_BETA));
}

TEST_F(PopupEditTest, CheckCallbackRefusesChanges)
{
    POPUP_REQUIRE_KEYBOARD(m_receiver);
    m_pPopup->GetItemAt(1).m_pCbVerifyTextInput = VerifyShort;
    ASSERT_TRUE(Track());
    PopupSendKey(VK_DOWN);
    PopupSendKey(VK_DOWN);
    PopupSendKey(VK_RETURN);
    CWnd* pEdit = Edit();
    ASSERT_TRUE(pEdit != NULL);
    ASSERT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
    // the whole text is selected: typing replaces it; the fourth character is refused
    for (WORD wKey : { (WORD)'1', (WORD)'2', (WORD)'3', (WORD)'4' })
        PopupSendKey(wKey);
    CString strText;
    pEdit->GetWindowText(strText);
    EXPECT_STREQ("123", strText);
    // Esc gives the keyboard back to the popup and keeps the value
    PopupSendKey(VK_ESCAPE);
    EXPECT_NE(pEdit->GetSafeHwnd(), ::GetFocus());
    EXPECT_STREQ("12", m_strValue);
    EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive());
}
