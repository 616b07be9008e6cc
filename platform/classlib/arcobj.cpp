// arcobj.cpp - CArchive: classes and objects in the persistent object format.

#include "afx.h"

#include <unordered_map>
#include <vector>

namespace
{
const WORD wNullTag = 0;                    // null object
const WORD wNewClassTag = 0xFFFF;           // class name follows
const WORD wClassTag = 0x8000;              // 0x8000 | class index
const DWORD dwBigClassTag = 0x80000000;     // class bit of a 32-bit tag
const WORD wBigObjectTag = 0x7FFF;          // a 32-bit tag follows
const UINT nMaxMapCount = 0x3FFFFFFE;       // most classes and objects
const int nMaxClassName = 64;               // longest class name read, with terminator
const UINT nMaxReadDepth = 1000;            // objects read inside each other

UINT PlainSchema(const CRuntimeClass* pClass)
{
    return pClass->m_wSchema & ~VERSIONABLE_SCHEMA;
}
} // namespace

// One entry of the load index.
struct CArchive::LoadEntry
{
    enum Kind { kindNull, kindClass, kindObject, kindDead };
    void* p;
    Kind nKind;
};

struct CArchive::Maps
{
    std::vector<LoadEntry> load;                            // by index; [0] is the null object
    std::unordered_map<const void*, DWORD> store;           // class or object -> index
    std::unordered_map<const CRuntimeClass*, UINT> schemas; // schema read for versionable classes
};

void CArchive::FreeMaps()
{
    delete m_pMaps;
    m_pMaps = NULL;
}

void CArchive::CheckCount()
{
    if (m_nMapCount >= nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    if (m_pMaps == NULL)
        m_pMaps = new Maps;
    if (IsLoading() && m_pMaps->load.empty())
        m_pMaps->load.push_back(LoadEntry{ NULL, LoadEntry::kindNull });
}

/////////////////////////////////////////////////////////////////////////////
// CRuntimeClass archive form

void CRuntimeClass::Store(CArchive& ar) const
{
    size_t nLength = strlen(m_lpszClassName);
    if (nLength > 0xFFFF)
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    ar << static_cast<WORD>(m_wSchema) << static_cast<WORD>(nLength);
    ar.Write(m_lpszClassName, static_cast<UINT>(nLength));
}

// Reads a class record; NULL when the name is not a registered class.
CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema;
    WORD nLength;
    ar >> wSchema >> nLength;
    if (pwSchemaNum != NULL)
        *pwSchemaNum = wSchema;
    if (nLength >= nMaxClassName)
        return NULL;
    char szClassName[nMaxClassName];
    ar.EnsureRead(szClassName, nLength);
    szClassName[nLength] = '\0';
    if (strlen(szClassName) != nLength)
        return NULL;
    return FromName(szClassName);
}

/////////////////////////////////////////////////////////////////////////////
// Storing

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (pClassRef == NULL)
        AfxThrowInvalidArgException();
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (PlainSchema(pClassRef) == 0xFFFF)
        AfxThrowNotSupportedException();   // not a serializable class

    if (m_pMaps != NULL)
    {
        auto it = m_pMaps->store.find(pClassRef);
        if (it != m_pMaps->store.end())
        {
            DWORD nClassIndex = it->second;
            if (nClassIndex < wBigObjectTag)
                *this << static_cast<WORD>(wClassTag | nClassIndex);
            else
                *this << wBigObjectTag << static_cast<DWORD>(dwBigClassTag | nClassIndex);
            return;
        }
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    CheckCount();
    m_pMaps->store[pClassRef] = m_nMapCount++;
}

// Stores an object once; later stores of the same object write only its index.
void CArchive::WriteObject(const CObject* pOb)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (pOb == NULL)
    {
        *this << wNullTag;
        return;
    }
    if (m_pMaps != NULL)
    {
        auto it = m_pMaps->store.find(pOb);
        if (it != m_pMaps->store.end())
        {
            DWORD nObIndex = it->second;
            if (nObIndex < wBigObjectTag)
                *this << static_cast<WORD>(nObIndex);
            else
                *this << wBigObjectTag << nObIndex;
            return;
        }
    }
    WriteClass(pOb->GetRuntimeClass());
    CheckCount();
    m_pMaps->store[pOb] = m_nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

// Enters an object in the index without storing it, so later references to it resolve.
void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring())
    {
        if (pOb == NULL || (m_pMaps != NULL && m_pMaps->store.count(pOb) != 0))
            return;
        CheckCount();
        m_pMaps->store[pOb] = m_nMapCount++;
    }
    else
    {
        CheckCount();
        m_pMaps->load.push_back(LoadEntry{ const_cast<CObject*>(pOb),
                                           pOb != NULL ? LoadEntry::kindObject : LoadEntry::kindNull });
        ++m_nMapCount;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Loading

// Reads a class tag.  Returns the class (new or referenced) or, for an
// object tag, NULL with the object's index in *pObTag.
CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);

    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag))
    {
        if (pObTag == NULL)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        *pObTag = obTag;
        return NULL;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL || PlainSchema(pClassRef) == 0xFFFF)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        CheckCount();
        if (PlainSchema(pClassRef) != nSchema)
        {
            if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
                AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
            m_pMaps->schemas[pClassRef] = nSchema;
        }
        else
        {
            m_pMaps->schemas.erase(pClassRef);
        }
        m_pMaps->load.push_back(LoadEntry{ pClassRef, LoadEntry::kindClass });
        ++m_nMapCount;
    }
    else
    {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (m_pMaps == NULL || nClassIndex == 0 || nClassIndex >= m_pMaps->load.size()
            || m_pMaps->load[nClassIndex].nKind != LoadEntry::kindClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = static_cast<CRuntimeClass*>(m_pMaps->load[nClassIndex].p);
        auto it = m_pMaps->schemas.find(pClassRef);
        nSchema = it != m_pMaps->schemas.end() ? it->second : PlainSchema(pClassRef);
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);

    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag != NULL)
        *pObTag = obTag;
    return pClassRef;
}

// Reads an object or a reference to one read before, refusing bad indexes and unexpected classes.
CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == NULL)
    {
        // An object read before (or the null object).
        if (obTag == 0)
        {
            m_bLastReadBackRef = FALSE;
            return NULL;
        }
        if (m_pMaps == NULL || obTag >= m_pMaps->load.size())
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        const LoadEntry& entry = m_pMaps->load[obTag];
        if (entry.nKind == LoadEntry::kindNull)
        {
            m_bLastReadBackRef = FALSE;
            return NULL;
        }
        if (entry.nKind != LoadEntry::kindObject)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = static_cast<CObject*>(entry.p);
        if (pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        m_bLastReadBackRef = TRUE;
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    size_t nIndex;
    try
    {
        CheckCount();
        nIndex = m_pMaps->load.size();
        m_pMaps->load.push_back(LoadEntry{ pOb, LoadEntry::kindObject });
        ++m_nMapCount;
    }
    catch (...)
    {
        delete pOb;
        throw;
    }

    // The object is indexed before its data so that its own data may refer
    // to it.
    UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    ++m_nReadDepth;
    try
    {
        if (m_nReadDepth > nMaxReadDepth)
            AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
        pOb->Serialize(*this);
    }
    catch (...)
    {
        --m_nReadDepth;
        m_nObjectSchema = nSchemaSave;
        m_pMaps->load[nIndex].nKind = LoadEntry::kindDead;
        delete pOb;
        throw;
    }
    --m_nReadDepth;
    m_nObjectSchema = nSchemaSave;
    m_bLastReadBackRef = FALSE;
    return pOb;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, &m_nObjectSchema, NULL);
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}
