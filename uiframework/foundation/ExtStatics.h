// ExtStatics.h - registered window messages and fixed settings of the UI framework.
//
// Declares the message bases CExtPopupMenuWndMessages, CExtPopupColorMenuWndMessages,
// CExtInPlaceEditWndMessages, CExtToolControlBarMessages, CExtControlBarMessages,
// CExtPopupControlMenuWndMessages, CExtPopupInplaceListBoxMessages,
// CExtPopupInplaceDatePickerMessages and CExtDatePickerWndMessages, and the settings
// g_bPopupShadows, g_bPopupMenuTips, g_bPopupsUseWorkArea, g_nDefaultAnimationType.
//
// Notes
// - Every registered message is the value of RegisterWindowMessage for the text
//   "Class::g_nMsgName". All values are made in ExtStatics.cpp, in one fixed order,
//   during static initialisation, and never change afterwards.
// - A framework class that owns messages derives (publicly) from its message base, so
//   that the message reads as CExtPopupMenuWnd::g_nMsgPrepareMenu and can be named in
//   ON_REGISTERED_MESSAGE entries. The bases hold no data and add no size.
// - The process-wide objects live with their classes: g_CmdManagerHolder
//   (ExtCmdManager.h), g_ResourceManagerHolder (ExtResourceManager.h) and
//   g_mapHookChains (ExtHookSink.h) are defined in ExtStatics.cpp as well.

#pragma once

#include "afxwin.h"

// Messages of CExtPopupMenuWnd.
struct CExtPopupMenuWndMessages
{
    static const UINT g_nMsgPrepareMenu;                // SendMessage to the receiver before a root popup opens
    static const UINT g_nMsgPopupNext;                  // PostMessage: open the next menu-bar menu
    static const UINT g_nMsgPopupPrev;                  // PostMessage: open the previous menu-bar menu
    static const UINT g_nMsgNotifyMenuExpanded;         // SendMessage after the hidden items were shown
    static const UINT g_nMsgNotifyMenuClosed;           // SendMessage when the popup window is destroyed
    static const UINT g_nMsgPopupDrawItem;              // SendMessage per item with track flag 0x800
    static const UINT g_nMsgPopupDrawLeftArea;          // SendMessage while painting
    static const UINT g_nMsgCreateInplaceEdit;          // SendMessage before an in-place edit is made
    static const UINT g_nMsgItemCoveringNotification;   // SendMessage from ItemCoveringNotification_t::Notify
};

// Messages of CExtPopupColorMenuWnd.
struct CExtPopupColorMenuWndMessages
{
    static const UINT g_nMsgNotifyColorChanged;         // wParam = COLORREF, lParam = cookie
    static const UINT g_nMsgNotifyColorChangedFinally;  // wParam = COLORREF, lParam = cookie
    static const UINT g_nMsgNotifyCustColor;            // wParam = 0, lParam = cookie
};

// Messages of CExtPopupMenuWnd::CInPlaceEditWnd.
struct CExtInPlaceEditWndMessages
{
    static const UINT g_nMsgDeleteSelection;
    static const UINT g_nMsgSelectAll;
};

// Messages of CExtToolControlBar.
struct CExtToolControlBarMessages
{
    static const UINT g_nMsgTrackButtonMenu;            // wParam = button index, lParam = a flag
    static const UINT g_nMsgContinueTrackMenu;          // wParam = the button, lParam = select-any flag
};

// Messages of CExtControlBar.
struct CExtControlBarMessages
{
    static const UINT g_nMsgQueryRepositionCalcEffect;
    static const UINT g_nMsgQueryIcon;
    static const UINT g_nMsgPutToPopupMenu;
    static const UINT g_nMsgConstructPopupMenu;
    static const UINT g_nMsgCreateTabbedBar;
    static const UINT g_nMsgDrawTackedArea;
};

// Messages of CExtPopupControlMenuWnd.
struct CExtPopupControlMenuWndMessages
{
    static const UINT g_nMsgControlInputRetranslate;
};

// Messages of CExtPopupInplaceListBox.
struct CExtPopupInplaceListBoxMessages
{
    static const UINT g_nMsgPopupListBoxInitContent;
    static const UINT g_nMsgPopupListBoxItemMeasure;
    static const UINT g_nMsgPopupListBoxItemDraw;
    static const UINT g_nMsgPopupListBoxSelEndOK;
    static const UINT g_nMsgPopupListBoxSelEndCancel;
    static const UINT g_nMsgPopupListBoxSelChange;
};

// Messages of CExtPopupInplaceDatePicker (registered only).
struct CExtPopupInplaceDatePickerMessages
{
    static const UINT g_nMsgPopupDatePickerInitContent;
};

// Messages of CExtDatePickerWnd (registered only).
struct CExtDatePickerWndMessages
{
    static const UINT g_nMsgSelectionNotification;
};

// Settings with fixed values.
extern BOOL g_bPopupShadows;            // popups cast shadows
extern BOOL g_bPopupMenuTips;           // popup menus show item tips
extern BOOL g_bPopupsUseWorkArea;       // popups are placed inside the monitor's work area
extern int g_nDefaultAnimationType;     // animation kind of every popup
