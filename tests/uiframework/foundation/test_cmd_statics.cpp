// Registered messages and process-wide objects of the framework; system changes reaching icons.

#include "afxwin.h"
#include "ExtStatics.h"
#include "ExtCmdManager.h"
#include "ExtCmdIcon.h"
#include "ExtResourceManager.h"
#include "ExtHookSink.h"
#include "ExtPaintManager.h"
#include "cmd_test_support.h"

#include <set>

namespace
{

struct CMessageEntry
{
    UINT nValue;
    const char* pszText;
};

} // namespace

TEST(FrameworkStatics, RegisteredMessagesAnswerTheirQualifiedNames)
{
    const CMessageEntry entries[] = {
        { CExtPopupMenuWndMessages::g_nMsgPrepareMenu, "CExtPopupMenuWnd::g_nMsgPrepareMenu" },
        { CExtPopupMenuWndMessages::g_nMsgPopupNext, "CExtPopupMenuWnd::g_nMsgPopupNext" },
        { CExtPopupMenuWndMessages::g_nMsgPopupPrev, "CExtPopupMenuWnd::g_nMsgPopupPrev" },
        { CExtPopupMenuWndMessages::g_nMsgNotifyMenuExpanded,
          "CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded" },
        { CExtPopupMenuWndMessages::g_nMsgNotifyMenuClosed,
          "CExtPopupMenuWnd::g_nMsgNotifyMenuClosed" },
        { CExtPopupMenuWndMessages::g_nMsgPopupDrawItem, "CExtPopupMenuWnd::g_nMsgPopupDrawItem" },
        { CExtPopupMenuWndMessages::g_nMsgPopupDrawLeftArea,
          "CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea" },
        { CExtPopupMenuWndMessages::g_nMsgCreateInplaceEdit,
          "CExtPopupMenuWnd::g_nMsgCreateInplaceEdit" },
        { CExtPopupMenuWndMessages::g_nMsgItemCoveringNotification,
          "CExtPopupMenuWnd::g_nMsgItemCoveringNotification" },
        { CExtPopupColorMenuWndMessages::g_nMsgNotifyColorChanged,
          "CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged" },
        { CExtPopupColorMenuWndMessages::g_nMsgNotifyColorChangedFinally,
          "CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally" },
        { CExtPopupColorMenuWndMessages::g_nMsgNotifyCustColor,
          "CExtPopupColorMenuWnd::g_nMsgNotifyCustColor" },
        { CExtInPlaceEditWndMessages::g_nMsgDeleteSelection,
          "CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection" },
        { CExtInPlaceEditWndMessages::g_nMsgSelectAll,
          "CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll" },
        { CExtToolControlBarMessages::g_nMsgTrackButtonMenu,
          "CExtToolControlBar::g_nMsgTrackButtonMenu" },
        { CExtToolControlBarMessages::g_nMsgContinueTrackMenu,
          "CExtToolControlBar::g_nMsgContinueTrackMenu" },
        { CExtControlBarMessages::g_nMsgQueryRepositionCalcEffect,
          "CExtControlBar::g_nMsgQueryRepositionCalcEffect" },
        { CExtControlBarMessages::g_nMsgQueryIcon, "CExtControlBar::g_nMsgQueryIcon" },
        { CExtControlBarMessages::g_nMsgPutToPopupMenu, "CExtControlBar::g_nMsgPutToPopupMenu" },
        { CExtControlBarMessages::g_nMsgConstructPopupMenu,
          "CExtControlBar::g_nMsgConstructPopupMenu" },
        { CExtControlBarMessages::g_nMsgCreateTabbedBar, "CExtControlBar::g_nMsgCreateTabbedBar" },
        { CExtControlBarMessages::g_nMsgDrawTackedArea, "CExtControlBar::g_nMsgDrawTackedArea" },
        { CExtPopupControlMenuWndMessages::g_nMsgControlInputRetranslate,
          "CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate" },
        { CExtPopupInplaceListBoxMessages::g_nMsgPopupListBoxInitContent,
          "CExtPopupInplaceListBox::g_nMsgPopupListBoxInitContent" },
        { CExtPopupInplaceListBoxMessages::g_nMsgPopupListBoxItemMeasure,
          "CExtPopupInplaceListBox::g_nMsgPopupListBoxItemMeasure" },
        { CExtPopupInplaceListBoxMessages::g_nMsgPopupListBoxItemDraw,
          "CExtPopupInplaceListBox::g_nMsgPopupListBoxItemDraw" },
        { CExtPopupInplaceListBoxMessages::g_nMsgPopupListBoxSelEndOK,
          "CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK" },
        { CExtPopupInplaceListBoxMessages::g_nMsgPopupListBoxSelEndCancel,
          "CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel" },
        { CExtPopupInplaceListBoxMessages::g_nMsgPopupListBoxSelChange,
          "CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange" },
        { CExtPopupInplaceDatePickerMessages::g_nMsgPopupDatePickerInitContent,
          "CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent" },
        { CExtDatePickerWndMessages::g_nMsgSelectionNotification,
          "CExtDatePickerWnd::g_nMsgSelectionNotification" },
    };
    std::set<UINT> values;
    for (const CMessageEntry& entry : entries)
    {
        EXPECT_GE(entry.nValue, 0xC000u) << entry.pszText;
        EXPECT_EQ(entry.nValue, ::RegisterWindowMessageA(entry.pszText)) << entry.pszText;
        values.insert(entry.nValue);
    }
    EXPECT_EQ(values.size(), sizeof(entries) / sizeof(entries[0]));
}

TEST(FrameworkStatics, HoldersAndFixedSettings)
{
    ASSERT_NE(g_CmdManagerHolder.GetManager(), nullptr);
    EXPECT_EQ(g_CmdManagerHolder.operator->(), g_CmdManagerHolder.GetManager());
    EXPECT_NE(g_CmdManagerHolder->GetProfile("default"), nullptr);
    EXPECT_NE(g_ResourceManagerHolder.GetManager(), nullptr);
    EXPECT_TRUE(CExtCmdManager::g_bDisableCmdIfNoHandler);
    EXPECT_TRUE(g_bPopupShadows);
    EXPECT_TRUE(g_bPopupMenuTips);
    EXPECT_TRUE(g_bPopupsUseWorkArea);
    EXPECT_EQ(g_nDefaultAnimationType, 4);
}

TEST(FrameworkStatics, SystemColourChangeDropsCachedIconsOfEveryProfile)
{
    CExtCmdProfile* pProfile = NULL;
    ASSERT_TRUE(g_CmdManagerHolder->EnsureProfile("CmdTest.SysColor", NULL));
    pProfile = g_CmdManagerHolder->GetProfile("CmdTest.SysColor");
    ASSERT_NE(pProfile, nullptr);
    CExtCmdItem item(48001);
    ASSERT_TRUE(pProfile->SetCommand(&item));
    HBITMAP hBitmap = MakeTestBitmap(16, 16, [](int, int) { return RGB(10, 20, 30); });
    ASSERT_TRUE(pProfile->SetCommandIcon(48001, new CExtCmdIcon(hBitmap, RGB(255, 0, 255), NULL,
                                                                false), true));
    CExtCmdIcon* pIcon = pProfile->FindCommandIcon(48001);
    ASSERT_NE(pIcon->GetHIcon(), (HICON)NULL);
    pIcon->SetEffectParameter(RGB(1, 1, 1));

    g_CmdManagerHolder->OnSysColorChange();
    EXPECT_EQ(pIcon->m_icon.m_hIcon, (HICON)NULL);
    EXPECT_TRUE(pIcon->IsBitmapBased());
    // the parameter now comes from the installed paint manager
    CExtPaintManager* pPM = g_CurrentPaintManager.GetPaintManager();
    if (pPM != NULL)
    {
        EXPECT_EQ(pIcon->GetEffectParameter(), pPM->GetIconEffectParameter());
    }

    ASSERT_NE(pIcon->GetHIcon(), (HICON)NULL);
    g_CmdManagerHolder->OnSettingChange(0, NULL);
    EXPECT_EQ(pIcon->m_icon.m_hIcon, (HICON)NULL);
}
