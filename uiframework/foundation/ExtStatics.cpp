// ExtStatics.cpp - registered messages and process-wide objects of the UI framework.
//
// Everything here is made during static initialisation in the order it is defined and
// destroyed in reverse order at process exit. Objects of other framework parts (the
// tracking site, the sound player, cursors, the bar lists, the paint-manager holder and the
// glyph set) live with their classes.

#include "stdafx.h"
#include "ExtStatics.h"
#include "ExtCmdManager.h"
#include "ExtResourceManager.h"
#include "ExtHookSink.h"

#define EXT_REGISTER_MESSAGE(base, name, text) \
    const UINT base::name = ::RegisterWindowMessageA(text)

// Popup menu messages
EXT_REGISTER_MESSAGE(CExtPopupMenuWndMessages, g_nMsgPrepareMenu,
                     "CExtPopupMenuWnd::g_nMsgPrepareMenu");
EXT_REGISTER_MESSAGE(CExtPopupMenuWndMessages, g_nMsgPopupNext,
                     "CExtPopupMenuWnd::g_nMsgPopupNext");
EXT_REGISTER_MESSAGE(CExtPopupMenuWndMessages, g_nMsgPopupPrev,
                     "CExtPopupMenuWnd::g_nMsgPopupPrev");
EXT_REGISTER_MESSAGE(CExtPopupMenuWndMessages, g_nMsgNotifyMenuExpanded,
                     "CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded");
EXT_REGISTER_MESSAGE(CExtPopupMenuWndMessages, g_nMsgNotifyMenuClosed,
                     "CExtPopupMenuWnd::g_nMsgNotifyMenuClosed");
EXT_REGISTER_MESSAGE(CExtPopupMenuWndMessages, g_nMsgPopupDrawItem,
                     "CExtPopupMenuWnd::g_nMsgPopupDrawItem");
EXT_REGISTER_MESSAGE(CExtPopupMenuWndMessages, g_nMsgPopupDrawLeftArea,
                     "CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea");
EXT_REGISTER_MESSAGE(CExtPopupMenuWndMessages, g_nMsgCreateInplaceEdit,
                     "CExtPopupMenuWnd::g_nMsgCreateInplaceEdit");

// Item covering, colour popup, in-place edit and tool bar messages
EXT_REGISTER_MESSAGE(CExtPopupMenuWndMessages, g_nMsgItemCoveringNotification,
                     "CExtPopupMenuWnd::g_nMsgItemCoveringNotification");
EXT_REGISTER_MESSAGE(CExtPopupColorMenuWndMessages, g_nMsgNotifyColorChanged,
                     "CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged");
EXT_REGISTER_MESSAGE(CExtPopupColorMenuWndMessages, g_nMsgNotifyColorChangedFinally,
                     "CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally");
EXT_REGISTER_MESSAGE(CExtPopupColorMenuWndMessages, g_nMsgNotifyCustColor,
                     "CExtPopupColorMenuWnd::g_nMsgNotifyCustColor");
EXT_REGISTER_MESSAGE(CExtInPlaceEditWndMessages, g_nMsgDeleteSelection,
                     "CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection");
EXT_REGISTER_MESSAGE(CExtInPlaceEditWndMessages, g_nMsgSelectAll,
                     "CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll");
EXT_REGISTER_MESSAGE(CExtToolControlBarMessages, g_nMsgTrackButtonMenu,
                     "CExtToolControlBar::g_nMsgTrackButtonMenu");
EXT_REGISTER_MESSAGE(CExtToolControlBarMessages, g_nMsgContinueTrackMenu,
                     "CExtToolControlBar::g_nMsgContinueTrackMenu");

// The command manager, made at start; the resource manager, made on first use.
CExtCmdManagerHolder g_CmdManagerHolder;
CExtResourceManagerHolder g_ResourceManagerHolder;

// Control bar messages
EXT_REGISTER_MESSAGE(CExtControlBarMessages, g_nMsgQueryRepositionCalcEffect,
                     "CExtControlBar::g_nMsgQueryRepositionCalcEffect");
EXT_REGISTER_MESSAGE(CExtControlBarMessages, g_nMsgQueryIcon,
                     "CExtControlBar::g_nMsgQueryIcon");
EXT_REGISTER_MESSAGE(CExtControlBarMessages, g_nMsgPutToPopupMenu,
                     "CExtControlBar::g_nMsgPutToPopupMenu");
EXT_REGISTER_MESSAGE(CExtControlBarMessages, g_nMsgConstructPopupMenu,
                     "CExtControlBar::g_nMsgConstructPopupMenu");
EXT_REGISTER_MESSAGE(CExtControlBarMessages, g_nMsgCreateTabbedBar,
                     "CExtControlBar::g_nMsgCreateTabbedBar");
EXT_REGISTER_MESSAGE(CExtControlBarMessages, g_nMsgDrawTackedArea,
                     "CExtControlBar::g_nMsgDrawTackedArea");

// Control popup, in-place list box and date picker messages
EXT_REGISTER_MESSAGE(CExtPopupControlMenuWndMessages, g_nMsgControlInputRetranslate,
                     "CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate");
EXT_REGISTER_MESSAGE(CExtPopupInplaceListBoxMessages, g_nMsgPopupListBoxInitContent,
                     "CExtPopupInplaceListBox::g_nMsgPopupListBoxInitContent");
EXT_REGISTER_MESSAGE(CExtPopupInplaceListBoxMessages, g_nMsgPopupListBoxItemMeasure,
                     "CExtPopupInplaceListBox::g_nMsgPopupListBoxItemMeasure");
EXT_REGISTER_MESSAGE(CExtPopupInplaceListBoxMessages, g_nMsgPopupListBoxItemDraw,
                     "CExtPopupInplaceListBox::g_nMsgPopupListBoxItemDraw");
EXT_REGISTER_MESSAGE(CExtPopupInplaceListBoxMessages, g_nMsgPopupListBoxSelEndOK,
                     "CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK");
EXT_REGISTER_MESSAGE(CExtPopupInplaceListBoxMessages, g_nMsgPopupListBoxSelEndCancel,
                     "CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel");
EXT_REGISTER_MESSAGE(CExtPopupInplaceListBoxMessages, g_nMsgPopupListBoxSelChange,
                     "CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange");
EXT_REGISTER_MESSAGE(CExtPopupInplaceDatePickerMessages, g_nMsgPopupDatePickerInitContent,
                     "CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent");

// Hook chains of subclassed windows (17 buckets, block size 10)
CExtHookChainsMap g_mapHookChains(10);

EXT_REGISTER_MESSAGE(CExtDatePickerWndMessages, g_nMsgSelectionNotification,
                     "CExtDatePickerWnd::g_nMsgSelectionNotification");

// Settings with fixed values
BOOL g_bPopupShadows = TRUE;
BOOL g_bPopupMenuTips = TRUE;
BOOL g_bPopupsUseWorkArea = TRUE;
int g_nDefaultAnimationType = 4;
