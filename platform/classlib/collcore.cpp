// collcore.cpp - run-time classes of the collections and the archive forms
// of their elements.

#include "afxcoll.h"

#include <limits.h>

/////////////////////////////////////////////////////////////////////////////
// Element archive forms

namespace AfxColl {

// Writes nBytes in pieces the archive's UINT counts can carry.
void WriteAll(CArchive& ar, const void* pBuf, size_t nBytes)
{
    const BYTE* p = static_cast<const BYTE*>(pBuf);
    while (nBytes > 0) {
        UINT n = (nBytes > (size_t)INT_MAX) ? (UINT)INT_MAX : (UINT)nBytes;
        ar.Write(p, n);
        p += n;
        nBytes -= n;
    }
}

// Reads exactly nBytes; the archive raises endOfFile when they are missing.
void ReadExact(CArchive& ar, void* pBuf, size_t nBytes)
{
    BYTE* p = static_cast<BYTE*>(pBuf);
    while (nBytes > 0) {
        UINT n = (nBytes > (size_t)INT_MAX) ? (UINT)INT_MAX : (UINT)nBytes;
        ar.EnsureRead(p, n);
        p += n;
        nBytes -= n;
    }
}

} // namespace AfxColl

// Strings in the archive's string form.
template<>
void SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    if (nCount < 0 || (nCount > 0 && pElements == NULL))
        AfxThrowInvalidArgException();
    for (INT_PTR i = 0; i < nCount; i++) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

// Objects in the archive's object form (class tag, then the object's data).
template<>
void SerializeElements<CObject*>(CArchive& ar, CObject** pElements, INT_PTR nCount)
{
    if (nCount < 0 || (nCount > 0 && pElements == NULL))
        AfxThrowInvalidArgException();
    for (INT_PTR i = 0; i < nCount; i++) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

/////////////////////////////////////////////////////////////////////////////
// Run-time classes

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CStringList, CObject, 0)

IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
