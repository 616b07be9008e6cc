// afxmt.h - synchronisation objects.
//
// Classes: CSyncObject, CCriticalSection, CEvent, CMutex, CSingleLock.
//
// Notes
// - The kernel objects (CEvent, CMutex) are created by the constructor, which throws
//   CResourceException (afxwin.h) when that fails; the destructor closes the handle.
// - A named object opened by a second constructor refers to the same kernel object; the
//   initial state arguments of the second one are then ignored, as with CreateEvent.
// - CSingleLock releases what it acquired when it goes out of scope.

#pragma once

#ifndef __AFXMT_H__
#define __AFXMT_H__

#include "afx.h"

/////////////////////////////////////////////////////////////////////////////
// CSyncObject: base of the lockable objects.

class CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)

public:
    explicit CSyncObject(LPCTSTR pstrName);
    virtual ~CSyncObject();                 // closes m_hObject

    // Attributes
    HANDLE m_hObject;                       // kernel object, NULL for a critical section
    operator HANDLE() const { return m_hObject; }

    // Operations
    // Waits for the object; FALSE when the time ran out or the wait failed.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL);
};

/////////////////////////////////////////////////////////////////////////////
// CCriticalSection: a lock for the threads of one process.

class CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)

public:
    CCriticalSection();
    virtual ~CCriticalSection();

    // Attributes
    CRITICAL_SECTION m_sect;
    operator CRITICAL_SECTION*() { return &m_sect; }

    // Operations
    BOOL Lock();
    // A finite timeout polls for the lock; FALSE when it stayed taken.
    virtual BOOL Lock(DWORD dwTimeout) override;
    virtual BOOL Unlock() override;
    using CSyncObject::Unlock;
};

/////////////////////////////////////////////////////////////////////////////
// CEvent: an event kernel object, auto-reset unless bManualReset.

class CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)

public:
    CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = NULL,
           LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    virtual ~CEvent();

    // Operations
    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    virtual BOOL Unlock() override;         // nothing to release; TRUE
    using CSyncObject::Unlock;
};

/////////////////////////////////////////////////////////////////////////////
// CMutex: a mutex kernel object, usable across processes when named.

class CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)

public:
    CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = NULL,
           LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    virtual ~CMutex();

    // Operations
    virtual BOOL Unlock() override;         // ReleaseMutex
    using CSyncObject::Unlock;
};

/////////////////////////////////////////////////////////////////////////////
// CSingleLock: acquires one synchronisation object for a scope.

class CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();                         // unlocks when locked
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    // Operations
    BOOL Lock(DWORD dwTimeout = INFINITE);  // TRUE at once when already locked
    BOOL Unlock();                          // TRUE when not locked
    BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL);
    BOOL IsLocked() const { return m_bAcquired; }

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired;
};

#endif // __AFXMT_H__
