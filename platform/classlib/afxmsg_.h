// afxmsg_.h - message map entry macros (included by afxwnd.h).
//
// Every entry names its handler as a member of the class whose map it is in
// (ThisClass, set by BEGIN_MESSAGE_MAP); a static_cast checks the handler's
// signature against the one the class library calls it with.

#pragma once

// Handler signatures the dispatcher knows.  Names: return type, then argument types.
enum AfxSig
{
    AfxSig_end = 0,

    // Command targets
    AfxSigCmd_v,            // void ()
    AfxSigCmd_b,            // BOOL ()
    AfxSigCmd_RANGE,        // void (UINT)
    AfxSigCmd_EX,           // BOOL (UINT)
    AfxSigCmdUI,            // void (CCmdUI*)
    AfxSigCmdUI_RANGE,      // void (CCmdUI*, UINT)
    AfxSigNotify_v,         // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,         // BOOL (NMHDR*, LRESULT*)
    AfxSigNotify_RANGE,     // void (UINT, NMHDR*, LRESULT*)
    AfxSigNotify_EX,        // BOOL (UINT, NMHDR*, LRESULT*)

    // Window messages
    AfxSig_vv,              // void ()
    AfxSig_bv,              // BOOL ()
    AfxSig_uv,              // UINT ()
    AfxSig_l_w_l,           // LRESULT (WPARAM, LPARAM)
    AfxSig_i_CREATE,        // int (LPCREATESTRUCT)
    AfxSig_b_CREATE,        // BOOL (LPCREATESTRUCT)
    AfxSig_v_u,             // void (UINT)
    AfxSig_v_b,             // void (BOOL)
    AfxSig_v_uuu,           // void (UINT, UINT, UINT)
    AfxSig_v_uii,           // void (UINT, int, int)
    AfxSig_v_ii,            // void (int, int)
    AfxSig_v_up,            // void (UINT, CPoint)
    AfxSig_u_p,             // UINT (CPoint)
    AfxSig_b_usp,           // BOOL (UINT, short, CPoint)
    AfxSig_b_Wuu,           // BOOL (CWnd*, UINT, UINT)
    AfxSig_i_Wuu,           // int (CWnd*, UINT, UINT)
    AfxSig_v_Wp,            // void (CWnd*, CPoint)
    AfxSig_v_W,             // void (CWnd*)
    AfxSig_b_D,             // BOOL (CDC*)
    AfxSig_h_DWu,           // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_h_Du,            // HBRUSH (CDC*, UINT)
    AfxSig_v_uW,            // void (UINT, CWnd*)
    AfxSig_v_uWb,           // void (UINT, CWnd*, BOOL)
    AfxSig_v_bWW,           // void (BOOL, CWnd*, CWnd*)
    AfxSig_v_bh,            // void (BOOL, DWORD)
    AfxSig_b_b,             // BOOL (BOOL)
    AfxSig_v_bu,            // void (BOOL, UINT)
    AfxSig_v_Mub,           // void (CMenu*, UINT, BOOL)
    AfxSig_v_M,             // void (CMenu*)
    AfxSig_v_uuM,           // void (UINT, UINT, HMENU)
    AfxSig_l_uuM,           // LRESULT (UINT, UINT, CMenu*)
    AfxSig_v_ul,            // void (UINT, LPARAM)
    AfxSig_v_POS,           // void (WINDOWPOS*)
    AfxSig_v_MINMAX,        // void (MINMAXINFO*)
    AfxSig_v_bNCCALC,       // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_v_DROP,          // void (HDROP)
    AfxSig_v_uuSB,          // void (UINT, UINT, CScrollBar*)
    AfxSig_v_iDRAW,         // void (int, LPDRAWITEMSTRUCT)
    AfxSig_v_iMEASURE,      // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_i_iCOMPARE,      // int (int, LPCOMPAREITEMSTRUCT)
    AfxSig_v_iDELETE,       // void (int, LPDELETEITEMSTRUCT)
    AfxSig_v_us,            // void (UINT, LPCTSTR)
    AfxSig_v_s,             // void (LPCTSTR)
    AfxSig_v_uRECT,         // void (UINT, LPRECT)
    AfxSig_v_iSTYLE,        // void (int, LPSTYLESTRUCT)
    AfxSig_b_HELPINFO,      // BOOL (HELPINFO*)
    AfxSig_b_WCOPY,         // BOOL (CWnd*, COPYDATASTRUCT*)
    AfxSig_v_uu,            // void (UINT, UINT)
    AfxSig_v_t,             // void (LPTSTR)
    AfxSig_v_wl,            // void (WPARAM, LPARAM)
    AfxSig_v_DRAW,          // void (LPDRAWITEMSTRUCT)
    AfxSig_v_MEASURE        // void (LPMEASUREITEMSTRUCT)
};

// Private messages of the class library
#define WM_REFLECT_BASE         0xBC00

#define CN_COMMAND              0
#define CN_UPDATE_COMMAND_UI    ((UINT)(-1))
#define CN_EVENT                ((UINT)(-2))
#define CN_OLECOMMAND           ((UINT)(-3))

/////////////////////////////////////////////////////////////////////////////
// Maps

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const override;

// Handlers of every signature are stored as one member pointer type; the cast
// back at dispatch restores the exact type.
#define AFX_MSGMAP_SUPPRESS_CAST_WARNINGS \
    _Pragma("GCC diagnostic push") \
    _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")
#define AFX_MSGMAP_RESTORE_WARNINGS \
    _Pragma("GCC diagnostic pop")

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const \
        { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        AFX_MSGMAP_SUPPRESS_CAST_WARNINGS \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = \
        {

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass) \
    template <typename type_name> \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const \
        { return GetThisMessageMap(); } \
    template <typename type_name> \
    const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap() \
    { \
        typedef theClass<type_name> ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        AFX_MSGMAP_SUPPRESS_CAST_WARNINGS \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = \
        {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } \
        }; \
        AFX_MSGMAP_RESTORE_WARNINGS \
        static const AFX_MSGMAP messageMap = \
            { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// Casts of handlers to the stored type, checking the signature first.
#define AFX_MSG_CMD(type, fn)  ((AFX_PMSG)(static_cast<type>(&ThisClass::fn)))
#define AFX_MSG_WND(type, fn)  ((AFX_PMSG)(AFX_PMSGW)(static_cast<type>(&ThisClass::fn)))

/////////////////////////////////////////////////////////////////////////////
// Commands, update handlers and notifications

#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(), memberFxn) },

#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },

#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, \
      AFX_MSG_CMD(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },

#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_EX, \
      AFX_MSG_CMD(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },

#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*), memberFxn) },

#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI_RANGE, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*, UINT), memberFxn) },

#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },

#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },

#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX, \
      AFX_MSG_CMD(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },

#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_EX, \
      AFX_MSG_CMD(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },

// Control notifications (WM_COMMAND from a child control)
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(), memberFxn) },

#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(UINT), memberFxn) },

// Reflected notifications, handled by the control itself
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(), memberFxn) },

#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b, \
      AFX_MSG_CMD(BOOL (AFX_MSG_CALL CCmdTarget::*)(), memberFxn) },

#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },

#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b, \
      AFX_MSG_CMD(BOOL (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },

#define ON_WM_CTLCOLOR_REFLECT() \
    { WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, AfxSig_h_Du, \
      AFX_MSG_WND(HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, UINT), CtlColor) },
#define ON_WM_DRAWITEM_REFLECT() \
    { WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_DRAW, \
      AFX_MSG_WND(void (AFX_MSG_CALL CWnd::*)(LPDRAWITEMSTRUCT), DrawItem) },
#define ON_WM_MEASUREITEM_REFLECT() \
    { WM_MEASUREITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_MEASURE, \
      AFX_MSG_WND(void (AFX_MSG_CALL CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem) },
#define ON_WM_PARENTNOTIFY_REFLECT() \
    { WM_PARENTNOTIFY + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_ul, \
      AFX_MSG_WND(void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), ParentNotify) },
#define ON_WM_HSCROLL_REFLECT() \
    { WM_HSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_uu, \
      AFX_MSG_WND(void (AFX_MSG_CALL CWnd::*)(UINT, UINT), HScroll) },
#define ON_WM_VSCROLL_REFLECT() \
    { WM_VSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_uu, \
      AFX_MSG_WND(void (AFX_MSG_CALL CWnd::*)(UINT, UINT), VScroll) },

// Button, edit, list box, combo box and static notifications
#define ON_BN_CLICKED(id, memberFxn)        ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn)  ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn)       ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn)      ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)       ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn)      ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)         ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn)         ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn)       ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn)        ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn)        ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn)        ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_LBN_ERRSPACE(id, memberFxn)      ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn)     ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)        ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn)     ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn)      ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn)     ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_ERRSPACE(id, memberFxn)      ON_CONTROL(CBN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)     ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn)        ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn)      ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn)     ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn)    ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn)    ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)      ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn)       ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn)      ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn)  ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn)       ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn)        ON_CONTROL(STN_DBLCLK, id, memberFxn)

/////////////////////////////////////////////////////////////////////////////
// User-defined and registered messages

#define ON_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_l_w_l, \
      AFX_MSG_WND(LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), memberFxn) },

#define ON_MESSAGE_VOID(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_vv, \
      AFX_MSG_WND(void (AFX_MSG_CALL CWnd::*)(), memberFxn) },

// nSig holds the address of the variable with the registered message's number.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&(nMessageVariable)), \
      AFX_MSG_WND(LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), memberFxn) },

#define ON_THREAD_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_v_wl, \
      AFX_MSG_CMD(void (AFX_MSG_CALL CCmdTarget::*)(WPARAM, LPARAM), memberFxn) },

/////////////////////////////////////////////////////////////////////////////
// Window messages with cracked handlers

#define AFX_ON_WM(msg, sig, type, fn) \
    { msg, 0, 0, 0, sig, AFX_MSG_WND(type, fn) },

#define ON_WM_CREATE()          AFX_ON_WM(WM_CREATE, AfxSig_i_CREATE, int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE()        AFX_ON_WM(WM_NCCREATE, AfxSig_b_CREATE, BOOL (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY()         AFX_ON_WM(WM_DESTROY, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY()       AFX_ON_WM(WM_NCDESTROY, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE()           AFX_ON_WM(WM_CLOSE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnClose)
#define ON_WM_PAINT()           AFX_ON_WM(WM_PAINT, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT()         AFX_ON_WM(WM_NCPAINT, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND()      AFX_ON_WM(WM_ERASEBKGND, AfxSig_b_D, BOOL (AFX_MSG_CALL CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SIZE()            AFX_ON_WM(WM_SIZE, AfxSig_v_uii, void (AFX_MSG_CALL CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_SIZING()          AFX_ON_WM(WM_SIZING, AfxSig_v_uRECT, void (AFX_MSG_CALL CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVE()            AFX_ON_WM(WM_MOVE, AfxSig_v_ii, void (AFX_MSG_CALL CWnd::*)(int, int), OnMove)
#define ON_WM_MOVING()          AFX_ON_WM(WM_MOVING, AfxSig_v_uRECT, void (AFX_MSG_CALL CWnd::*)(UINT, LPRECT), OnMoving)
#define ON_WM_TIMER()           AFX_ON_WM(WM_TIMER, AfxSig_v_u, void (AFX_MSG_CALL CWnd::*)(UINT), OnTimer)
#define ON_WM_SETFOCUS()        AFX_ON_WM(WM_SETFOCUS, AfxSig_v_W, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS()       AFX_ON_WM(WM_KILLFOCUS, AfxSig_v_W, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED()  AFX_ON_WM(WM_CAPTURECHANGED, AfxSig_v_W, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CANCELMODE()      AFX_ON_WM(WM_CANCELMODE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnCancelMode)
#define ON_WM_SETCURSOR()       AFX_ON_WM(WM_SETCURSOR, AfxSig_b_Wuu, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_MOUSEACTIVATE()   AFX_ON_WM(WM_MOUSEACTIVATE, AfxSig_i_Wuu, int (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_CONTEXTMENU()     AFX_ON_WM(WM_CONTEXTMENU, AfxSig_v_Wp, void (AFX_MSG_CALL CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_MOUSEMOVE()       AFX_ON_WM(WM_MOUSEMOVE, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_LBUTTONDOWN()     AFX_ON_WM(WM_LBUTTONDOWN, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP()       AFX_ON_WM(WM_LBUTTONUP, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()   AFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()     AFX_ON_WM(WM_RBUTTONDOWN, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP()       AFX_ON_WM(WM_RBUTTONUP, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK()   AFX_ON_WM(WM_RBUTTONDBLCLK, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN()     AFX_ON_WM(WM_MBUTTONDOWN, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP()       AFX_ON_WM(WM_MBUTTONUP, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK()   AFX_ON_WM(WM_MBUTTONDBLCLK, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonDblClk)
#define ON_WM_MOUSEWHEEL()      AFX_ON_WM(WM_MOUSEWHEEL, AfxSig_b_usp, BOOL (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_NCHITTEST()       AFX_ON_WM(WM_NCHITTEST, AfxSig_u_p, UINT (AFX_MSG_CALL CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCMOUSEMOVE()     AFX_ON_WM(WM_NCMOUSEMOVE, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN()   AFX_ON_WM(WM_NCLBUTTONDOWN, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP()     AFX_ON_WM(WM_NCLBUTTONUP, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_WM(WM_NCLBUTTONDBLCLK, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN()   AFX_ON_WM(WM_NCRBUTTONDOWN, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP()     AFX_ON_WM(WM_NCRBUTTONUP, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcRButtonUp)
#define ON_WM_NCMBUTTONDOWN()   AFX_ON_WM(WM_NCMBUTTONDOWN, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP()     AFX_ON_WM(WM_NCMBUTTONUP, AfxSig_v_up, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcMButtonUp)
#define ON_WM_NCCALCSIZE()      AFX_ON_WM(WM_NCCALCSIZE, AfxSig_v_bNCCALC, void (AFX_MSG_CALL CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCACTIVATE()      AFX_ON_WM(WM_NCACTIVATE, AfxSig_b_b, BOOL (AFX_MSG_CALL CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_KEYDOWN()         AFX_ON_WM(WM_KEYDOWN, AfxSig_v_uuu, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP()           AFX_ON_WM(WM_KEYUP, AfxSig_v_uuu, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR()            AFX_ON_WM(WM_CHAR, AfxSig_v_uuu, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN()      AFX_ON_WM(WM_SYSKEYDOWN, AfxSig_v_uuu, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP()        AFX_ON_WM(WM_SYSKEYUP, AfxSig_v_uuu, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR()         AFX_ON_WM(WM_SYSCHAR, AfxSig_v_uuu, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysChar)
#define ON_WM_GETDLGCODE()      AFX_ON_WM(WM_GETDLGCODE, AfxSig_uv, UINT (AFX_MSG_CALL CWnd::*)(), OnGetDlgCode)
#define ON_WM_ACTIVATE()        AFX_ON_WM(WM_ACTIVATE, AfxSig_v_uWb, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP()     AFX_ON_WM(WM_ACTIVATEAPP, AfxSig_v_bh, void (AFX_MSG_CALL CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_MDIACTIVATE()     AFX_ON_WM(WM_MDIACTIVATE, AfxSig_v_bWW, void (AFX_MSG_CALL CWnd::*)(BOOL, CWnd*, CWnd*), OnMDIActivate)
#define ON_WM_CHILDACTIVATE()   AFX_ON_WM(WM_CHILDACTIVATE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnChildActivate)
#define ON_WM_SHOWWINDOW()      AFX_ON_WM(WM_SHOWWINDOW, AfxSig_v_bu, void (AFX_MSG_CALL CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_ENABLE()          AFX_ON_WM(WM_ENABLE, AfxSig_v_b, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEnable)
#define ON_WM_INITMENU()        AFX_ON_WM(WM_INITMENU, AfxSig_v_M, void (AFX_MSG_CALL CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_INITMENUPOPUP()   AFX_ON_WM(WM_INITMENUPOPUP, AfxSig_v_Mub, void (AFX_MSG_CALL CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT()      AFX_ON_WM(WM_MENUSELECT, AfxSig_v_uuM, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_MENUCHAR()        AFX_ON_WM(WM_MENUCHAR, AfxSig_l_uuM, LRESULT (AFX_MSG_CALL CWnd::*)(UINT, UINT, CMenu*), OnMenuChar)
#define ON_WM_ENTERIDLE()       AFX_ON_WM(WM_ENTERIDLE, AfxSig_v_uW, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*), OnEnterIdle)
#define ON_WM_ENTERMENULOOP()   AFX_ON_WM(WM_ENTERMENULOOP, AfxSig_v_b, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP()    AFX_ON_WM(WM_EXITMENULOOP, AfxSig_v_b, void (AFX_MSG_CALL CWnd::*)(BOOL), OnExitMenuLoop)
#define ON_WM_SYSCOMMAND()      AFX_ON_WM(WM_SYSCOMMAND, AfxSig_v_ul, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_WINDOWPOSCHANGING() AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxSig_v_POS, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()  AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxSig_v_POS, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_GETMINMAXINFO()   AFX_ON_WM(WM_GETMINMAXINFO, AfxSig_v_MINMAX, void (AFX_MSG_CALL CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_DROPFILES()       AFX_ON_WM(WM_DROPFILES, AfxSig_v_DROP, void (AFX_MSG_CALL CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_HSCROLL()         AFX_ON_WM(WM_HSCROLL, AfxSig_v_uuSB, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL()         AFX_ON_WM(WM_VSCROLL, AfxSig_v_uuSB, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_CTLCOLOR()        AFX_ON_WM(WM_CTLCOLOR, AfxSig_h_DWu, HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM()        AFX_ON_WM(WM_DRAWITEM, AfxSig_v_iDRAW, void (AFX_MSG_CALL CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()     AFX_ON_WM(WM_MEASUREITEM, AfxSig_v_iMEASURE, void (AFX_MSG_CALL CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_COMPAREITEM()     AFX_ON_WM(WM_COMPAREITEM, AfxSig_i_iCOMPARE, int (AFX_MSG_CALL CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_DELETEITEM()      AFX_ON_WM(WM_DELETEITEM, AfxSig_v_iDELETE, void (AFX_MSG_CALL CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_PARENTNOTIFY()    AFX_ON_WM(WM_PARENTNOTIFY, AfxSig_v_ul, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_SYSCOLORCHANGE()  AFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnSysColorChange)
#define ON_WM_SETTINGCHANGE()   AFX_ON_WM(WM_SETTINGCHANGE, AfxSig_v_us, void (AFX_MSG_CALL CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_WININICHANGE()    AFX_ON_WM(WM_WININICHANGE, AfxSig_v_s, void (AFX_MSG_CALL CWnd::*)(LPCTSTR), OnWinIniChange)
#define ON_WM_DEVMODECHANGE()   AFX_ON_WM(WM_DEVMODECHANGE, AfxSig_v_t, void (AFX_MSG_CALL CWnd::*)(LPTSTR), OnDevModeChange)
#define ON_WM_FONTCHANGE()      AFX_ON_WM(WM_FONTCHANGE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnFontChange)
#define ON_WM_TIMECHANGE()      AFX_ON_WM(WM_TIMECHANGE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnTimeChange)
#define ON_WM_QUERYENDSESSION() AFX_ON_WM(WM_QUERYENDSESSION, AfxSig_bv, BOOL (AFX_MSG_CALL CWnd::*)(), OnQueryEndSession)
#define ON_WM_ENDSESSION()      AFX_ON_WM(WM_ENDSESSION, AfxSig_v_b, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEndSession)
#define ON_WM_QUERYNEWPALETTE() AFX_ON_WM(WM_QUERYNEWPALETTE, AfxSig_bv, BOOL (AFX_MSG_CALL CWnd::*)(), OnQueryNewPalette)
#define ON_WM_PALETTECHANGED()  AFX_ON_WM(WM_PALETTECHANGED, AfxSig_v_W, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnPaletteChanged)
#define ON_WM_STYLECHANGED()    AFX_ON_WM(WM_STYLECHANGED, AfxSig_v_iSTYLE, void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)
#define ON_WM_STYLECHANGING()   AFX_ON_WM(WM_STYLECHANGING, AfxSig_v_iSTYLE, void (AFX_MSG_CALL CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_HELPINFO()        AFX_ON_WM(WM_HELP, AfxSig_b_HELPINFO, BOOL (AFX_MSG_CALL CWnd::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_COPYDATA()        AFX_ON_WM(WM_COPYDATA, AfxSig_b_WCOPY, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, COPYDATASTRUCT*), OnCopyData)
