// afxwnd.h - windows, messages, commands, the application and its frames.
//
// Declares: CCmdTarget and the message maps, CCmdUI, CWnd, CPaintDC, CClientDC,
// CWindowDC, CMenu, CWinThread, CWinApp, CWaitCursor, CRecentFileList,
// CCommandLineInfo, CCreateContext, CFrameWnd, CMDIFrameWnd, CMDIChildWnd,
// CMiniFrameWnd, the modal-loop hook (test seam), through afxdoc.h CDocument,
// COleDocument and CView, and through afxbars.h the control bars and docking.
//
// Notes
// - A CWnd is attached to its HWND by a creation hook (WH_CBT) before the window
//   receives WM_NCCREATE, and the window is subclassed with AfxWndProc. Every
//   message then goes AfxWndProc -> AfxCallWndProc (records the message as the
//   thread's last sent message) -> WindowProc -> OnWndMsg (message map) or
//   DefWindowProc. Default() passes the last sent message on to DefWindowProc.
// - Handle maps are per thread. The permanent map holds attached objects; the
//   temporary map holds CWnd/CMenu objects made by FromHandle for handles nobody
//   owns; those are deleted at idle time (CWinThread::OnIdle) or by DeleteTempMap.
// - WM_NCDESTROY revokes the window's drop target (m_pDropTarget), detaches the
//   object and calls PostNcDestroy; frames and views delete themselves there.
// - Commands (WM_COMMAND without a control) are checked with an update handler
//   first (a disabled command is dropped), then routed with OnCmdMsg: in an MDI
//   program active view, its document, the child frame, the main frame, the
//   application.
// - Message boxes: AfxMessageBox (afxwin.h) with its hook, through which tests record
//   them (tests/support). Modal loops (RunModalLoop) can be driven through the
//   modal-loop hook in tests.

#pragma once

#ifndef __AFXWND_H__
#define __AFXWND_H__

#include "afxwin.h"
#include "afxcoll.h"
#include "afxres.h"
#include <commctrl.h>
#include <shellapi.h>
#include <functional>

// Windows macros that collide with member names of the window classes
#undef GetNextWindow

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;
class CFrameWnd;
class CMDIFrameWnd;
class CMDIChildWnd;
class CWinThread;
class CWinApp;
class CDocument;
class CView;
class CDocTemplate;
class CPrintDialog;
struct CPrintPreviewState;
class CDocManager;
class CRecentFileList;
class CCommandLineInfo;
class CScrollBar;
class CDataExchange;
class COleDropTarget;
class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;
struct CPrintInfo;
struct CCreateContext;

/////////////////////////////////////////////////////////////////////////////
// Member functions that may be called through a NULL pointer (GetSafeHwnd and
// the like) hide 'this' from the optimizer before testing it.

template <class T>
inline const T* AfxLaunderThis(const T* p)
{
    __asm__("" : "+r"(p));
    return p;
}

/////////////////////////////////////////////////////////////////////////////
// Private messages and flags of the class library

#define WM_CTLCOLOR             0x0019      // all WM_CTLCOLORxxx, as one message in maps

#define WM_QUERYAFXWNDPROC      0x0360      // answers 1 for windows using AfxWndProc
#define WM_SIZEPARENT           0x0361      // lParam = AFX_SIZEPARENTPARAMS*
#define WM_SETMESSAGESTRING     0x0362      // wParam = string id or 0, lParam = text or 0
#define WM_IDLEUPDATECMDUI      0x0363      // wParam = bDisableIfNoHandler
#define WM_INITIALUPDATE        0x0364      // first update of a view
#define WM_COMMANDHELP          0x0365      // lResult = TRUE/FALSE, lParam = dwContext
#define WM_HELPHITTEST          0x0366      // lResult = dwContext, lParam = MAKELONG(x, y)
#define WM_EXITHELPMODE         0x0367
#define WM_RECALCPARENT         0x0368      // the frame recalculates its layout
#define WM_SIZECHILD            0x0369
#define WM_KICKIDLE             0x036A      // idle turn of a modal loop
#define WM_QUERYCENTERWND       0x036B
#define WM_DISABLEMODAL         0x036C
#define WM_FLOATSTATUS          0x036D      // wParam = FS_* flags
#define WM_ACTIVATETOPLEVEL     0x036E
#define WM_POPMESSAGESTRING     0x0375
#define WM_HELPPROMPTADDR       0x0376
#define WM_FORWARDMSG           0x037F

// WM_FLOATSTATUS flags
#define FS_SHOW                 0x01
#define FS_HIDE                 0x02
#define FS_ACTIVATE             0x04
#define FS_DEACTIVATE           0x08
#define FS_ENABLE               0x10
#define FS_DISABLE              0x20
#define FS_SYNCACTIVE           0x40

// CWnd::m_nFlags
#define WF_TOOLTIPS             0x0001
#define WF_TEMPHIDE             0x0002
#define WF_STAYDISABLED         0x0004
#define WF_MODALLOOP            0x0008
#define WF_CONTINUEMODAL        0x0010
#define WF_STAYACTIVE           0x0020
#define WF_NOPOPMSG             0x0040
#define WF_MODALDISABLE         0x0080
#define WF_KEEPMINIACTIVE       0x0200
#define WF_TRACKINGTOOLTIPS     0x0400

// RunModalLoop flags
#define MLF_NOIDLEMSG           0x0001
#define MLF_NOKICKIDLE          0x0002
#define MLF_SHOWONIDLE          0x0004

// Mini frame styles
#define MFS_SYNCACTIVE          0x00000100L
#define MFS_4THICKFRAME         0x00000200L
#define MFS_THICKFRAME          0x00000400L
#define MFS_MOVEFRAME           0x00000800L
#define MFS_BLOCKSYSMENU        0x00001000L

// Default view style (the view turns the border into a client edge)
#define AFX_WS_DEFAULT_VIEW     (WS_CHILD | WS_VISIBLE | WS_BORDER)

// System command prompts: string id of a system command
#define ID_COMMAND_FROM_SC(sc)  ((((sc) - 0xF000) >> 4) + AFX_IDS_SCFIRST)

// Help contexts
#define HID_BASE_COMMAND        0x00010000UL
#define HID_BASE_RESOURCE       0x00020000UL
#define HID_BASE_PROMPT         0x00030000UL

/////////////////////////////////////////////////////////////////////////////
// Message maps

#define AFX_MSG_CALL
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSGW)(void);
typedef void (AFX_MSG_CALL CWinThread::*AFX_PMSGT)(void);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;      // window message, WM_COMMAND or WM_NOTIFY
    UINT nCode;         // control code, notification code or CN_*
    UINT nID;           // first control or command id (0 for window messages)
    UINT nLastID;       // last id of a range
    UINT_PTR nSig;      // AfxSig_*; for registered messages the UINT* of the number
    AFX_PMSG pfn;       // handler
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Found handler of a command (OnCmdMsg with pHandlerInfo fills it instead of calling).
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// Extra data of WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Layout record of WM_SIZEPARENT.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;          // deferred positions, NULL when only measuring
    RECT rect;          // space left for the remaining windows
    SIZE sizeTotal;     // total size taken by the bars
    BOOL bStretch;      // bars stretch to the full width/height
};

#include "afxmsg_.h"

// Finds the entry of a message in one map's entries; NULL when there is none.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry,
    UINT nMsg, UINT nCode, UINT nID);

/////////////////////////////////////////////////////////////////////////////
// Per-thread state

struct _AFX_THREAD_STATE
{
    MSG m_lastSentMsg;              // message being handled by AfxCallWndProc
    MSG m_msgCur;                   // message last taken from the queue
    CPoint m_ptCursorLast;          // mouse position of the last idle message
    UINT m_nMsgLast;                // last message tested by IsIdleMessage
    HWND m_hLockoutNotifyWindow;    // parent whose notifications are ignored
    CWnd* m_pWndInit;               // window being created (creation hook)
    HHOOK m_hHookOldCbtFilter;      // the creation hook
    CView* m_pRoutingView;          // view routing a command to its document
    CFrameWnd* m_pRoutingFrame;     // frame routing a command
    CMDIFrameWnd* m_pRoutingMDIFrame; // MDI frame routing through its active child
    CWinThread* m_pCurrentWinThread;// thread object of this thread
    int m_nTempMapLock;             // temporary maps are kept while not 0
    void* m_pHandleMaps;            // window and menu handle maps (internal)
};

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState();
// NULL once the thread's state has been destroyed (objects destroyed at exit).
_AFX_THREAD_STATE* AFXAPI AfxGetThreadStateIfAlive();

// Number of objects in this thread's window handle maps (tests of leaks).
int AFXAPI AfxGetPermanentWindowCount();
int AFXAPI AfxGetTemporaryWindowCount();
void AFXAPI AfxLockTempMaps();
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

/////////////////////////////////////////////////////////////////////////////
// CCmdTarget: object that receives commands through its message map.

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
protected:
public:
    CCmdTarget();
    virtual ~CCmdTarget();

    // Routes a command: nCode CN_COMMAND, CN_UPDATE_COMMAND_UI, a control
    // notification code, or MAKELONG(code, WM_NOTIFY) with pExtra an AFX_NOTIFY*.
    // With pHandlerInfo it only finds the handler and fills the record.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Wait cursor of the application
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    virtual void OnFinalRelease();

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
public:
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Calls one found handler (used by OnCmdMsg).
    static BOOL PASCAL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode,
        AFX_PMSG pfn, void* pExtra, UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo);
};

/////////////////////////////////////////////////////////////////////////////
// CCmdUI: one user-interface item (menu item, button, pane) being updated.

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() {}

    UINT m_nID;                 // command id of the item
    UINT m_nIndex;              // index of the item in its menu or bar
    CMenu* m_pMenu;             // menu being updated, or NULL
    CMenu* m_pSubMenu;          // popup of the item when it opens one
    CWnd* m_pOther;             // window being updated (bar, control), or NULL
    BOOL m_bEnableChanged;      // an update handler called Enable
    BOOL m_bContinueRouting;    // the handler asked to pass the update on
    UINT m_nIndexMax;           // item count of the menu or bar
    CMenu* m_pParentMenu;       // menu bar holding m_pMenu, for popups

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);     // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    void ContinueRouting();

    // Asks the target's update handlers; a command that has no update handler and
    // no command handler either is disabled when bDisableIfNoHndler is set.
    // Returns TRUE when an update handler took the item.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

/////////////////////////////////////////////////////////////////////////////
// CWaitCursor: wait cursor while it lives.

class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

/////////////////////////////////////////////////////////////////////////////
// CMenu manages a menu handle.

class CMenu : public CObject
{
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu();
    virtual ~CMenu();

    HMENU m_hMenu;

    // Creation and handles
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenuIndirect(const void* lpMenuTemplate);
    BOOL DestroyMenu();

    static CMenu* PASCAL FromHandle(HMENU hMenu);
    static CMenu* PASCAL FromHandlePermanent(HMENU hMenu);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    HMENU GetSafeHmenu() const
        { const CMenu* p = AfxLaunderThis(this); return p == NULL ? NULL : p->m_hMenu; }
    operator HMENU() const { return GetSafeHmenu(); }
    BOOL operator==(const CMenu& menu) const { return menu.m_hMenu == m_hMenu; }
    BOOL operator!=(const CMenu& menu) const { return menu.m_hMenu != m_hMenu; }

    // Items
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked,
                            const CBitmap* pBmpChecked);
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE);

    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
    BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
    CMenu* GetSubMenu(int nPos) const;

    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL);

    // Owner-drawn items
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
};

/////////////////////////////////////////////////////////////////////////////
// CWnd: a window.

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    virtual ~CWnd();

    // Attributes
    HWND m_hWnd;                // the window, NULL when none is attached
    HWND m_hWndOwner;           // owner set with SetOwner, NULL for the parent
    UINT m_nFlags;              // WF_* flags
    WNDPROC m_pfnSuper;         // window procedure before subclassing
    int m_nModalResult;         // result of RunModalLoop
    COleDropTarget* m_pDropTarget;  // the registered drop target, revoked at WM_NCDESTROY

    operator HWND() const { return GetSafeHwnd(); }
    HWND GetSafeHwnd() const
        { const CWnd* p = AfxLaunderThis(this); return p == NULL ? NULL : p->m_hWnd; }
    BOOL operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Handle maps
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // Subclassing of an existing window
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight,
                          HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();

    // Styles, ids and relations
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* PASCAL GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm);
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CFrameWnd* GetParentFrame() const;
    CWnd* GetParentOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* EnsureTopLevelParent() const { return GetTopLevelParent(); }
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetTopWindow() const;
    CWnd* GetLastActivePopup() const;
    BOOL IsChild(const CWnd* pWnd) const;
    virtual BOOL IsFrameWnd() const;
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);
    static CWnd* PASCAL WindowFromPoint(POINT point);
    CWnd* ChildWindowFromPoint(POINT point) const;
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const;
    static CWnd* PASCAL GetDesktopWindow();

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam,
                                                LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm);
    static const MSG* PASCAL GetCurrentMessage();

    // Text and font
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // Menus
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // Size and position
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    void BringWindowToTop();
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    int GetWindowRgn(HRGN hRgn) const;

    // State
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();
    CWnd* SetActiveWindow();
    static CWnd* PASCAL GetActiveWindow();
    BOOL SetForegroundWindow();
    static CWnd* PASCAL GetForegroundWindow();
    CWnd* SetCapture();
    static CWnd* PASCAL GetCapture();
    BOOL IsTopParentActive() const;
    void ActivateTopParent();
    BOOL FlashWindow(BOOL bInvert);
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();
    void DragAcceptFiles(BOOL bAccept = TRUE);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // Timers
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                      void (CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = NULL);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Painting
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void ValidateRgn(CRgn* pRgn);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    CDC* GetDC();
    CDC* GetWindowDC();
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);

    // Scrolling
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    int GetScrollLimit(int nBar);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL);
    int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip,
                       CRgn* prgnUpdate, LPRECT lpRectUpdate, UINT flags);
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;

    // Dialog-box items
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    // Dialog data (dialogs, pages, forms; see afxctrls.h). UpdateData runs DoDataExchange:
    // FALSE puts the members into the controls, TRUE reads and validates them (FALSE
    // when a field was refused; the user has been told). ExecuteDlgInit fills combo
    // and list boxes from the dialog initial data (resource type 240) of that name.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource);

    // Layout of bars and the left-over pane (WM_SIZEPARENT to each child in the range)
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);

    // Tool tips (afxbars.h): a window with tool tips enabled shows the tip that its
    // OnToolHitTest answers for the point under the mouse; one tool-tip control per
    // thread. Text that OnToolHitTest puts into the TOOLINFO is allocated with malloc.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    static void PASCAL CancelToolTips(BOOL bKeys = FALSE);
    void FilterToolTipMessage(MSG* pMsg);
    // Child controls take their state from pTarget's update handlers.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    // Dialog keys and mouse messages of this window's controls (IsDialogMessage).
    BOOL PreTranslateInput(LPMSG lpMsg);

    // Message box owned by this window
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // Modal loops
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Overridables
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual WNDPROC* GetSuperWndProcAddr();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnFinalRelease() override;

    // Helpers of the dispatch
    LRESULT Default();
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);

    // Message handlers of the class library's windows (called through message maps)
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT nSide, LPRECT lpRect);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnMoving(UINT nSide, LPRECT lpRect);
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnChildActivate();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnWinIniChange(LPCTSTR lpszSection);
    afx_msg void OnDevModeChange(LPTSTR lpDeviceName);
    afx_msg void OnFontChange();
    afx_msg void OnTimeChange();
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg BOOL OnHelpInfo(HELPINFO* lpHelpInfo);
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);

protected:
    explicit CWnd(HWND hWnd);   // for wndTop and the like

    DECLARE_MESSAGE_MAP()

    friend LRESULT AFXAPI AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
};

// Window procedure of every class library window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
BOOL AFXAPI AfxUnhookWindowCreate();

// Registers (once) a window class with DefWindowProc and returns its name.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0,
                                   HBRUSH hbrBackground = 0, HICON hIcon = 0);
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);

// Names of the standard window classes (registered on first use)
LPCTSTR AFXAPI AfxGetWndClassName();            // plain child windows
LPCTSTR AFXAPI AfxGetFrameOrViewClassName();    // frames and views
LPCTSTR AFXAPI AfxGetMDIFrameClassName();       // MDI frames
LPCTSTR AFXAPI AfxGetControlBarClassName();     // control bars

// Helpers of frames and layouts
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew);   // only when different
BOOL AFXAPI AfxIsDescendant(HWND hWndParent, HWND hWndChild);
HWND AFXAPI AfxGetParentOwner(HWND hWnd);
void AFXAPI AfxCancelModes(HWND hWndRcvr);

/////////////////////////////////////////////////////////////////////////////
// Window-bound device contexts

class CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);  // BeginPaint; throws CResourceException on failure
    virtual ~CPaintDC();            // EndPaint
    PAINTSTRUCT m_ps;
protected:
    HWND m_hWnd;
};

class CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd); // GetDC (NULL: the screen)
    virtual ~CClientDC();
protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd); // GetWindowDC (NULL: the screen)
    virtual ~CWindowDC();
protected:
    HWND m_hWnd;
};

/////////////////////////////////////////////////////////////////////////////
// CCreateContext: what a frame creates in its client area.

struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass;     // view to create, or NULL
    CDocument* m_pCurrentDoc;           // document the view shows
    CDocTemplate* m_pNewDocTemplate;    // template of a new frame
    CView* m_pLastView;                 // view to copy attributes from
    CFrameWnd* m_pCurrentFrame;         // frame to copy attributes from

    CCreateContext() { memset(this, 0, sizeof(*this)); }
};

/////////////////////////////////////////////////////////////////////////////
// CFrameWnd: frame window (SDI main window or base of the MDI frames).

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd();
    virtual ~CFrameWnd();

    // Creation
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                        DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Menu, accelerators, icon and title from resource nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // Active view and document
    virtual CFrameWnd* GetActiveFrame();
    virtual CDocument* GetActiveDocument();
    CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    // Title
    void SetTitle(LPCTSTR lpszTitle);
    CString GetTitle() const;
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);

    // Layout
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void ActivateFrame(int nCmdShow = -1);
    void BringToTop(int nCmdShow);
    void DelayUpdateFrameMenu(HMENU hMenuAlt);
    void DelayUpdateFrameTitle();
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    // Idle work of the hidden floating frames of the bars that wait for a delayed show or layout.
    void UpdateHiddenFloatingFrames();
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual HACCEL GetDefaultAccelerator();
    virtual void NotifyFloatingWindows(DWORD dwFlags);
    BOOL IsTracking() const;

    // Status messages
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();

    // Control bars (they join the frame's window tree and answer WM_SIZEPARENT)
    CPtrList m_listControlBars;     // CControlBar* of the frame's bars

    // Docking (afxbars.h)
    void EnableDocking(DWORD dwDockStyle);  // dock bars on the sides of CBRS_ALIGN_*
    // nDockBarID 0: the dock bar under lpRect, else the first side the bar may dock to.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    // Back at the place the bar left (its placeholder), else as DockControlBar.
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    // Floats the bar in a mini frame whose top-left corner is at point (screen).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // The side (CBRS_ALIGN_*) of the dock bar that rect (screen) touches, 0 for none.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = NULL);
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    void DestroyDockBars();
    // Bar positions and visibility in the profile ("<name>-Summary", "<name>-Bar<n>")
    void LoadBarState(LPCTSTR lpszProfileName);
    void SaveBarState(LPCTSTR lpszProfileName) const;
    void SetDockState(const CDockState& state);
    void GetDockState(CDockState& state) const;
    CRuntimeClass* m_pFloatingFrameClass;   // class of the floating frames (NULL: CMiniDockFrameWnd)
    int m_nShowDelay;                       // show command applied at idle time, -1 none

    // Print preview: the frame hides its bars, menu and pane while the preview shows
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL (CALLBACK* m_lpfnCloseProc)(CFrameWnd* pFrameWnd);    // set while previewing

    virtual BOOL IsFrameWnd() const override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void PostNcDestroy() override;

    // Implementation state (read by bars and the document classes)
    BOOL m_bAutoMenuEnable;         // disable commands without handlers in menus
    CString m_strTitle;             // frame's own title
    int m_nWindow;                  // number of this frame among the document's (0: only one)
    HMENU m_hMenuDefault;           // menu when no document is active
    HACCEL m_hAccelTable;           // accelerators
    UINT m_nIDHelp;                 // help id (resource id)
    UINT m_nIDTracking;             // prompt id being tracked in a menu
    UINT m_nIDLastMessage;          // prompt id shown last
    CView* m_pViewActive;           // active view
    BOOL m_bHelpMode;               // context-help mode is on
    int m_nIdleFlags;               // idle work to do
    HMENU m_hMenuAlt;               // menu for the next idle menu update
    CRect m_rectBorder;             // border space taken by in-place tools
    BOOL m_bInRecalcLayout;
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    LPCTSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);

public:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg void OnIdleUpdateCmdUI();
    afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDDEInitiate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDDEExecute(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDDETerminate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    afx_msg void OnUpdateContextHelp(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);                  // shows or hides the bar nID
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);  // CAP, NUM, SCRL, KANA

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CMDIFrameWnd: main window of a multi-document program.

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    virtual ~CMDIFrameWnd();

    HWND m_hWndMDIClient;           // the MDI client window (id AFX_IDW_PANE_FIRST)

    void MDIActivate(CWnd* pWndActivate);
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIIconArrange();
    void MDIMaximize(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    void MDIRestore(CWnd* pWnd);
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    void MDITile();
    void MDICascade();
    void MDITile(int nType);
    void MDICascade(int nType);

    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    virtual CFrameWnd* GetActiveFrame() override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    virtual void DelayUpdateFrameMenu(HMENU hMenuAlt);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

public:
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowNew();
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnIdleUpdateCmdUI();

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CMDIChildWnd: document window inside the MDI client.

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    virtual ~CMDIChildWnd();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = NULL,
                        CCreateContext* pContext = NULL);
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;

    CMDIFrameWnd* GetMDIFrame();
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    // Menu and accelerators of this document type, shown while the child is active.
    void SetHandles(HMENU hMenu, HACCEL hAccel);

    HMENU m_hMenuShared;            // menu of the document type
    BOOL m_bPseudoInactive;         // hidden last child counted as inactive

    virtual void ActivateFrame(int nCmdShow = -1) override;
    virtual BOOL DestroyWindow() override;
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    virtual CWnd* GetMessageBar() override;

public:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

public:
    using CFrameWnd::OnUpdateFrameMenu;
};

/////////////////////////////////////////////////////////////////////////////
// CMiniFrameWnd: floating frame with a small caption.

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();
    virtual ~CMiniFrameWnd();

    virtual BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd = NULL,
                          UINT nID = 0);

    BOOL m_bSyncActive;             // MFS_SYNCACTIVE: caption follows the owner frame

public:
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CWinThread: a thread with a message pump.

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    virtual ~CWinThread();

    CWnd* m_pMainWnd;               // main window; its destruction ends the pump
    CWnd* m_pActiveWnd;             // active main window (in-place activation)
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    MSG m_msgCur;                   // message being handled by the pump

    operator HANDLE() const
        { const CWinThread* p = AfxLaunderThis(this); return p == NULL ? NULL : p->m_hThread; }

    virtual CWnd* GetMainWnd();

    // Overridables
    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    virtual void Delete();

    // Thread messages (ON_THREAD_MESSAGE entries)
    BOOL DispatchThreadMessageEx(MSG* msg);
};

CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();

// Message pump of the current thread without an application object as well.
BOOL AFXAPI AfxPumpMessage();
BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);
void AFXAPI AfxPostQuitMessage(int nExitCode);
MSG* AFXAPI AfxGetCurrentMessage();

/////////////////////////////////////////////////////////////////////////////
// CCommandLineInfo: the program's command line.

class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    virtual ~CCommandLineInfo();

    // One argument; bFlag for "-x"/"/x" (without the sign), bLast for the last one.
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 }
        m_nShellCommand;

    CString m_strFileName;          // file to open or print
    CString m_strPrinterName;       // /pt printer
    CString m_strDriverName;        // /pt driver
    CString m_strPortName;          // /pt port

protected:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const TCHAR* pszParam);
    void ParseLast(BOOL bLast);
};

/////////////////////////////////////////////////////////////////////////////
// CRecentFileList: the most recently used files, kept in the profile.

class CRecentFileList
{
public:
    // nStart: index of the first entry's number; section and entry format of the
    // profile ("Recent File List", "File%d"); nSize entries (at most 16).
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();

    enum { AFX_ABBREV_FILENAME_LEN = 30 };

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex);

    virtual void Remove(int nIndex);
    virtual void Add(LPCTSTR lpszPathName);
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir,
                                int nCurDir, BOOL bAtLeastName = TRUE) const;
    // Inserts the entries into the menu at the update's position.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    int m_nSize;                    // number of entries
    CString* m_arrNames;            // full paths, empty at the end
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;          // menu text of the first entry's item

    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;
};

// Shortens a path to at most cchMax characters ("C:\...\dir\file.ext").
void AFXAPI AfxAbbreviateName(LPTSTR lpszCanon, int cchMax, BOOL bAtLeastName);

/////////////////////////////////////////////////////////////////////////////
// CWinApp: the application object (one per program).

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    // Startup arguments
    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;

    // Names
    LPCTSTR m_pszAppName;           // application name (string AFX_IDS_APP_TITLE or exe name)
    LPCTSTR m_pszRegistryKey;       // company key of the profile, NULL: ini file
    LPCTSTR m_pszExeName;           // executable name without extension
    LPCTSTR m_pszHelpFilePath;
    LPCTSTR m_pszProfileName;       // profile name under the company key (or ini file)

    CDocManager* m_pDocManager;     // documents and templates (NULL until a template is added)
    CRecentFileList* m_pRecentFileList;
    CCommandLineInfo* m_pCmdInfo;   // command line being processed (print forms)
    ATOM m_atomApp;                 // DDE application atom (EnableShellOpen)
    ATOM m_atomSystemTopic;         // DDE "system" topic atom
    UINT m_nNumPreviewPages;        // pages of print preview (profile)
    int m_nWaitCursorCount;         // nested wait cursors
    HCURSOR m_hcurWaitCursorRestore;// cursor before the wait cursor
    BOOL m_bHelpMode;

    // Resources
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HCURSOR LoadOEMCursor(UINT nIDCursor) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HICON LoadOEMIcon(UINT nIDIcon) const;

    // Profile: HKCU\Software\<registry key>\<profile name>\<section>, or an ini file
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // lpszEntry NULL deletes the section, lpszValue NULL deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new BYTE[]; the caller deletes it.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // Start-up helpers
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo, int argc, char** argv);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    void EnableShellOpen();
    void SetCurrentHandles();

    // Documents (through the document manager)
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount();
    void HideApplication();
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                          BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    virtual BOOL OnDDECommand(LPTSTR lpszCommand);
    // Document templates (the manager is made by the first one and owns them)
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;

    // Printer of the application: DEVMODE and DEVNAMES shared by the print dialogs
    HGLOBAL m_hDevMode;
    HGLOBAL m_hDevNames;
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);    // FALSE when there is no printer
    void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);
    BOOL CreatePrinterDC(CDC& dc);
    virtual int DoPrintDialog(CPrintDialog* pPD);          // IDOK or IDCANCEL
    void UpdatePrinterSelection(BOOL bForceDefaults);

    // Overridables
    virtual BOOL InitApplication();
    virtual BOOL InitInstance() override;
    virtual int ExitInstance() override;
    virtual int Run() override;
    virtual BOOL OnIdle(LONG lCount) override;
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override;
    virtual void DoWaitCursor(int nCode);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // Command handlers
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();
    afx_msg void OnAppExit();
    afx_msg void OnHelp();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

// Program entry: initialises the application object and runs it.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();

/////////////////////////////////////////////////////////////////////////////
// Strings of the class library

// Loads string nID from the resources, or the class library's own text for its
// standard ids (prompts, "Ready", messages). Returns the length, 0 when unknown.
int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf = 256);
BOOL AFXAPI AfxLoadString(UINT nID, CString& rString);
// String nIDS with "%1" (and "%2") replaced.
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);
// Sub-string iSubString of a chSep-separated text; FALSE when there are fewer.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                                TCHAR chSep = '\n');
// File names
BOOL AFXAPI AfxFullPath(LPTSTR lpszPathOut, LPCTSTR lpszFileIn);
UINT AFXAPI AfxGetFileTitle(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax);
UINT AFXAPI AfxGetFileName(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax);
BOOL AFXAPI AfxComparePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2);
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

/////////////////////////////////////////////////////////////////////////////
// The modal-loop hook (tests): while one is installed, a modal loop of the program
// (RunModalLoop, and the loops built on it) that runs out of messages calls it with
// its window. NULL removes it; returns the hook installed before.

typedef void (AFXAPI* AFX_MODAL_IDLE_HOOK)(CWnd* pWnd);
AFX_MODAL_IDLE_HOOK AFXAPI AfxSetModalIdleHook(AFX_MODAL_IDLE_HOOK pfnHook);

/////////////////////////////////////////////////////////////////////////////
// Documents and views

#include "afxdoc.h"

/////////////////////////////////////////////////////////////////////////////
// Dialogs and controls

#include "afxctrls.h"

/////////////////////////////////////////////////////////////////////////////
// Control bars and docking

#include "afxbars.h"

#endif // __AFXWND_H__
