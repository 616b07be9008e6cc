// ExtHookSink.h - observers of the messages of any window.
//
// Declares CExtHookSink with its per-window chain CExtHookSink::HookChains_t and the
// process-wide map g_mapHookChains.
//
// Notes
// - The first sink that joins a window subclasses it with HookChainsWindowProc; later
//   sinks only join the window's chain. Messages visit the sinks in chain order; the
//   first sink that answers TRUE ends the dispatch.
// - The chain and the subclassing stay until WM_NCDESTROY, even when the chain empties.
//   At WM_NCDESTROY every sink hears OnHookDestroyWindow, the old procedure is put back
//   and the chain is deleted.
// - Chains do not own their sinks, except that a sink whose IsAutoDelete answers TRUE is
//   deleted once it has left the last chain it was in.
// - A sink may leave chains, join chains or have its window destroyed while a message of
//   that window is being dispatched; the dispatch then skips sinks that have left and
//   stops when the chain has gone.
// - UI thread only; the map has no lock.

#pragma once

#include "afxwin.h"
#include "afxtempl.h"

// CExtHookSink is a mix-in that observes the messages of other windows.
class CExtHookSink
{
public:
    struct HookChains_t;
    typedef CArray<CExtHookSink*, CExtHookSink*> HookSinkArray_t;

    // Bits of m_bHookSinkFlags
    enum
    {
        HOOK_SINK_DISPATCH = 0x01,          // OnHookWndMsg splits messages; clear: answers FALSE
        HOOK_SINK_KEEP_NCDESTROY = 0x02,    // WM_NCDESTROY does not reach the previous procedure
    };

    explicit CExtHookSink(bool bEnableHookDispatch = true);
    virtual ~CExtHookSink();
    CExtHookSink(const CExtHookSink&) = delete;
    CExtHookSink& operator=(const CExtHookSink&) = delete;

    // Overrides
    virtual bool IsAutoDelete();
    // The previous procedure of the window whose message is being dispatched.
    virtual LRESULT CallPrevWndProc(WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallPrevWndProcWithMsg(UINT nMessage, WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallPrevWndProcCurrent();
    // TRUE: handled, lResult is the reply; wParam and lParam may be changed for later sinks.
    virtual bool OnHookWndMsg(LRESULT& lResult, HWND hWnd, UINT nMessage,
                              WPARAM& wParam, LPARAM& lParam);
    virtual bool OnHookCmdMsg(LRESULT& lResult, HWND hWnd, WORD wNotifyCode, WORD wID,
                              HWND hWndCtl);
    virtual bool OnHookNotifyMsg(LRESULT& lResult, HWND hWnd, INT nIdCtrl, LPNMHDR lpnmhdr);
    virtual bool OnHookPaintMsg(LRESULT& lResult, HWND hWnd, HDC hDC);
    virtual bool OnHookEraseBackgroundMsg(LRESULT& lResult, HWND hWnd, HDC hDC);
    virtual bool OnHookPrintMsg(LRESULT& lResult, HWND hWnd, HDC hDC);
    virtual bool OnHookNcPaintMsg(LRESULT& lResult, HWND hWnd, HRGN hRgnUpdate);
    virtual void OnHookDestroyWindow();
    virtual void OnHookAttached(HWND hWnd);
    virtual void OnHookDetached(HWND hWnd);

    // Operations
    // Joins (bRemove FALSE) or leaves the chain of hWnd. FALSE for a NULL window and, when
    // joining, for a handle that is not a window.
    virtual bool SetupHookWndSink(HWND hWnd, bool bRemove = false, bool bAddToHead = false);
    // Leaves the chains of all windows.
    virtual void RemoveHookFromAll();

    bool IsHookedTo(HWND hWnd) const;
    // Appends every window whose chain holds this sink.
    void GetHookedWindows(CList<HWND, HWND>& listWnds) const;

    static LRESULT CALLBACK HookChainsWindowProc(HWND hWnd, UINT nMessage,
                                                 WPARAM wParam, LPARAM lParam);

protected:
    BYTE m_bHookSinkFlags;      // HOOK_SINK_* bits
};

// One chain of sinks per subclassed window.
struct CExtHookSink::HookChains_t
{
    BYTE m_bFlags;                      // bit 0: keep WM_NCDESTROY from the previous procedure
    HookSinkArray_t m_arrSinks;         // dispatch order; not owned
    HWND m_hWndHooked;                  // the subclassed window
    WNDPROC m_pfnPrevWndProc;           // procedure in place before HookChainsWindowProc

    explicit HookChains_t(HWND hWnd);
    ~HookChains_t();
    HookChains_t(const HookChains_t&) = delete;
    HookChains_t& operator=(const HookChains_t&) = delete;

    LRESULT Dispatch(UINT nMessage, WPARAM& wParam, LPARAM& lParam);
    // Deletes the auto-delete sinks, empties the chain and restores the old procedure;
    // with bDelete the chain deletes itself (deferred while it is still dispatching).
    void DestroyChains(bool bDelete);

    bool HasSink(const CExtHookSink* pSink) const;
    INT_PTR FindSink(const CExtHookSink* pSink) const;

private:
    int m_nDispatchDepth;               // nested Dispatch calls running on this chain
    bool m_bDestroyed;                  // DestroyChains ran; deleted when the last Dispatch ends
    bool m_bDeletePending;
};

typedef CMap<HWND, HWND, CExtHookSink::HookChains_t*, CExtHookSink::HookChains_t*>
    CExtHookChainsMap;

// Window to chain, for every window whose procedure is HookChainsWindowProc.
extern CExtHookChainsMap g_mapHookChains;
