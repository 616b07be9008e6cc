// afxole.h - OLE start-up and the OLE clipboard.
//
// Declares: AfxOleInit, AfxOleGetInitialized, AfxEnableControlContainer, AfxOleTerm,
// COleDataSource, COleDataObject, COleDropTarget, DROPEFFECT. (COleDocument is in
// afxdoc.h.)
//
// Notes
// - AfxOleInit initialises OLE for the application's thread; AfxWinTerm ends
//   it again, first flushing a data source that is still on the clipboard so
//   that its data stays available to other programs.
// - COleDataSource offers cached data (global memory or any STGMEDIUM) through
//   an IDataObject of its own. SetClipboard hands it to the OLE clipboard,
//   which then owns it: the caller must not delete it afterwards. A source
//   that is not on the clipboard is deleted by its owner.
// - COleDataObject reads an IDataObject, usually the clipboard's
//   (AttachClipboard). GetGlobalData returns a copy the caller frees;
//   GetFileData returns a CFile over a copy of the data that the caller deletes.
// - COleDropTarget makes one window an OLE drop target (Register) through an
//   IDropTarget object of its own; the OLE calls reach its virtuals with points in
//   the window's client coordinates and the dragged data attached to a
//   COleDataObject for the duration of the call. The COM object never deletes the
//   C++ object: Revoke (also run by the target's destructor, by the window's
//   WM_NCDESTROY and by the window object's destructor) disconnects it, and calls
//   that still arrive through a reference held elsewhere answer DROPEFFECT_NONE.

#pragma once

#ifndef __AFXOLE_H__
#define __AFXOLE_H__

#include "afxwin.h"
#include <ole2.h>

// Drop effects (DROPEFFECT_NONE, _COPY, _MOVE, _LINK, _SCROLL).
typedef DWORD DROPEFFECT;

/////////////////////////////////////////////////////////////////////////////
// Start-up

// OleInitialize for the calling thread; FALSE when it fails.
BOOL AFXAPI AfxOleInit();
// Ends what AfxOleInit started (AfxWinTerm calls it).
void AFXAPI AfxOleTerm(BOOL bJustRevoke = FALSE);
// TRUE when OLE is initialised on the calling thread, by AfxOleInit or by the
// program's own OleInitialize.
BOOL AFXAPI AfxOleGetInitialized();
// The class library hosts no ActiveX controls; programs call this at start-up
// and nothing more is needed.
void AFXAPI AfxEnableControlContainer();

/////////////////////////////////////////////////////////////////////////////
// COleDataSource: data offered to the clipboard.

class COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    virtual ~COleDataSource();

    // Data; the source owns what it is given.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    void Empty();

    // Puts the source on the clipboard (which owns it from then on).
    void SetClipboard();
    // The clipboard's data object made by this program, or NULL.
    static COleDataSource* PASCAL GetClipboardOwner();
    // Renders the program's data on the clipboard so it stays after the program.
    static void PASCAL FlushClipboard();

    // The source's IDataObject (not add-ref'ed).
    LPDATAOBJECT GetDataObject();

    // Implementation
    struct CEntry
    {
        FORMATETC m_formatEtc;
        STGMEDIUM m_stgMedium;
    };
    int GetEntryCount() const;
    const CEntry* FindEntry(LPFORMATETC lpFormatEtc) const;
    ULONG AddRef();
    ULONG Release();

protected:
    class CDataObjectImpl;
    CDataObjectImpl* m_pImpl;       // the COM object, refers back to the source
    CEntry* m_pEntries;
    int m_nEntries;
    int m_nMaxEntries;
    LONG m_nRefs;                   // COM references; the source deletes itself at 0
    BOOL m_bOnClipboard;
};

/////////////////////////////////////////////////////////////////////////////
// COleDataObject: data read from the clipboard or another IDataObject.

class COleDataObject
{
public:
    COleDataObject();
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    BOOL AttachClipboard();         // the clipboard's data object; FALSE when none

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // Fills lpStgMedium; the caller releases it (ReleaseStgMedium).
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // A copy of the data in global memory, NULL when not available; the caller frees it.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // A file over a copy of the data (a CSharedFile), NULL when not available;
    // the caller deletes it.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

    BOOL IsAttached() const { return m_lpDataObject != NULL; }

protected:
    LPDATAOBJECT m_lpDataObject;
    BOOL m_bAutoRelease;
};

/////////////////////////////////////////////////////////////////////////////
// COleDropTarget: a window that accepts OLE drag and drop.

class COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Registers the window as a drop target; FALSE when OLE is not initialised on
    // this thread, the window does not exist, this target is registered already or
    // the window already has a drop target.
    BOOL Register(CWnd* pWnd);
    // Takes the registration back; nothing when not registered.
    virtual void Revoke();

    // The dragged data enters, moves over or leaves the window; answer the effect
    // the drop would have (at most those the source allows).
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                   CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                  CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // The drop: OnDropEx first; when it answers -1, OnDrop with the effect last
    // answered by OnDragOver (TRUE keeps that effect, FALSE makes it none).
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                        CPoint point);
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject,
                                DROPEFFECT dropDefault, DROPEFFECT dropList, CPoint point);
    // Asked before OnDragEnter/OnDragOver; an effect other than none (usually with
    // DROPEFFECT_SCROLL) is the answer and the other is not asked.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    BOOL IsRegistered() const { return m_pImpl != NULL; }
    // The window registered, NULL when none.
    CWnd* GetRegisteredWindow() const { return m_pWnd; }
    // The target's IDropTarget (not add-ref'ed), NULL when not registered.
    LPDROPTARGET GetDropTargetInterface();

    // Implementation
    class CDropTargetImpl;

protected:
    CDropTargetImpl* m_pImpl;       // the COM object while registered
    CWnd* m_pWnd;                   // the window registered
    HWND m_hWndRegistered;          // its handle at registration
};

#endif // __AFXOLE_H__
