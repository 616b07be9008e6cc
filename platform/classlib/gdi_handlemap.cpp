// gdi_handlemap.cpp - handle maps of the GDI wrappers and CDC: Attach, Detach, FromHandle.
//
// Permanent entries (wrappers that own a handle) are shared by all threads. Temporary
// wrappers made by FromHandle belong to the thread that asked and are freed by
// DeleteTempMap or when the thread ends.

#include "afxwin.h"

#include <unordered_map>

namespace
{

typedef std::unordered_map<void*, void*> HandleTable;

// Process-wide owners of handles. Never destroyed: wrappers in static storage may
// outlive any ordinary static object.
class CPermanentMap
{
public:
    void* Lookup(void* h)
    {
        AcquireSRWLockShared(&m_lock);
        HandleTable::const_iterator it = m_table.find(h);
        void* p = it == m_table.end() ? NULL : it->second;
        ReleaseSRWLockShared(&m_lock);
        return p;
    }

    void Set(void* h, void* pWrapper)
    {
        AcquireSRWLockExclusive(&m_lock);
        m_table[h] = pWrapper;
        ReleaseSRWLockExclusive(&m_lock);
    }

    // Removes the entry only when it still belongs to pWrapper.
    void Remove(void* h, void* pWrapper)
    {
        AcquireSRWLockExclusive(&m_lock);
        HandleTable::iterator it = m_table.find(h);
        if (it != m_table.end() && it->second == pWrapper)
            m_table.erase(it);
        ReleaseSRWLockExclusive(&m_lock);
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    HandleTable m_table;
};

CPermanentMap& GdiPermanent()
{
    static CPermanentMap* s_pMap = new CPermanentMap;
    return *s_pMap;
}

CPermanentMap& DCPermanent()
{
    static CPermanentMap* s_pMap = new CPermanentMap;
    return *s_pMap;
}

// A temporary wrapper gives its handle up before it is deleted, so that its
// destructor leaves the handle alone.
void ForgetHandle(CGdiObject* pObject)
{
    pObject->m_hObject = NULL;
}

void ForgetHandle(CDC* pDC)
{
    pDC->m_hDC = NULL;
    pDC->m_hAttribDC = NULL;
}

template <class T>
class CTempMap
{
public:
    CTempMap() = default;
    CTempMap(const CTempMap&) = delete;
    CTempMap& operator=(const CTempMap&) = delete;
    ~CTempMap() { Clear(); }

    T* Lookup(void* h) const
    {
        typename std::unordered_map<void*, T*>::const_iterator it = m_table.find(h);
        return it == m_table.end() ? NULL : it->second;
    }

    void Add(void* h, T* pWrapper) { m_table[h] = pWrapper; }

    void Clear()
    {
        std::unordered_map<void*, T*> table;
        table.swap(m_table);
        for (typename std::unordered_map<void*, T*>::iterator it = table.begin(); it != table.end(); ++it)
        {
            ForgetHandle(it->second);
            delete it->second;
        }
    }

private:
    std::unordered_map<void*, T*> m_table;
};

// Each thread's temporary maps live in a fiber-local slot whose callback frees
// them when the thread ends (thread_local objects with destructors are not
// reliable in statically linked MinGW programs).
struct CThreadTempMaps
{
    CTempMap<CGdiObject> m_gdi;
    CTempMap<CDC> m_dc;
};

void NTAPI FreeThreadTempMaps(void* pData)
{
    delete static_cast<CThreadTempMaps*>(pData);
}

CThreadTempMaps& ThreadTempMaps()
{
    static const DWORD s_nSlot = ::FlsAlloc(FreeThreadTempMaps);
    CThreadTempMaps* pMaps = static_cast<CThreadTempMaps*>(::FlsGetValue(s_nSlot));
    if (pMaps == NULL)
    {
        pMaps = new CThreadTempMaps;
        ::FlsSetValue(s_nSlot, pMaps);
    }
    return *pMaps;
}

CTempMap<CGdiObject>& GdiTemporary()
{
    return ThreadTempMaps().m_gdi;
}

CTempMap<CDC>& DCTemporary()
{
    return ThreadTempMaps().m_dc;
}

// A temporary wrapper of the class that matches the object's type.
CGdiObject* NewGdiWrapper(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject))
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return new CPen;
    case OBJ_BRUSH:
        return new CBrush;
    case OBJ_FONT:
        return new CFont;
    case OBJ_BITMAP:
        return new CBitmap;
    case OBJ_PAL:
        return new CPalette;
    case OBJ_REGION:
        return new CRgn;
    default:
        return new CGdiObject;
    }
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CGdiObject

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return NULL;
    if (void* p = GdiPermanent().Lookup(hObject))
        return static_cast<CGdiObject*>(p);

    CTempMap<CGdiObject>& temp = GdiTemporary();
    CGdiObject* pObject = temp.Lookup(hObject);
    if (pObject == NULL)
    {
        pObject = NewGdiWrapper(hObject);
        pObject->m_hObject = hObject;
        temp.Add(hObject, pObject);
    }
    return pObject;
}

void PASCAL CGdiObject::DeleteTempMap()
{
    GdiTemporary().Clear();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL || m_hObject != NULL)
        return FALSE;
    m_hObject = hObject;
    GdiPermanent().Set(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL)
        GdiPermanent().Remove(hObject, this);
    m_hObject = NULL;
    return hObject;
}

/////////////////////////////////////////////////////////////////////////////
// CDC

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    if (hDC == NULL)
        return NULL;
    if (void* p = DCPermanent().Lookup(hDC))
        return static_cast<CDC*>(p);

    CTempMap<CDC>& temp = DCTemporary();
    CDC* pDC = temp.Lookup(hDC);
    if (pDC == NULL)
    {
        pDC = new CDC;
        pDC->m_hDC = hDC;
        pDC->m_hAttribDC = hDC;
        temp.Add(hDC, pDC);
    }
    return pDC;
}

void PASCAL CDC::DeleteTempMap()
{
    DCTemporary().Clear();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == NULL || m_hDC != NULL)
        return FALSE;
    m_hDC = hDC;
    m_hAttribDC = hDC;
    DCPermanent().Set(hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != NULL)
        DCPermanent().Remove(hDC, this);
    m_hDC = NULL;
    m_hAttribDC = NULL;
    return hDC;
}
