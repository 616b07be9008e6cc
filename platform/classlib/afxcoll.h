// afxcoll.h - the class library's ready-made collections.
//
// Lists:  CObList, CPtrList, CStringList
// Arrays: CObArray, CPtrArray, CStringArray, CByteArray, CWordArray,
//         CDWordArray, CUIntArray
// Maps:   CMapStringToPtr, CMapStringToOb, CMapStringToString,
//         CMapPtrToPtr, CMapWordToPtr
//
// Each is the matching template of afxtempl.h with run-time class
// information. The serializable ones (CObList, CStringList, CObArray,
// CStringArray, CByteArray, CWordArray, CDWordArray, CMapStringToOb,
// CMapStringToString) store a count followed by the elements: objects in the
// archive's object form, strings as CString, numbers bytewise. The others
// hold raw pointers and store nothing.
#pragma once

#include "afxtempl.h"

/////////////////////////////////////////////////////////////////////////////
// Lists

// CObList is a list of CObject pointers; it does not own the objects.
class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
};

// CPtrList is a list of untyped pointers.
class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
    virtual void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

// CStringList is a list of strings.
class CStringList : public CList<CString, const CString&>
{
    DECLARE_SERIAL(CStringList)
public:
    CStringList(INT_PTR nBlockSize = 10) : CList<CString, const CString&>(nBlockSize) {}
};

/////////////////////////////////////////////////////////////////////////////
// Arrays

// CObArray is an array of CObject pointers; it does not own the objects.
class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
public:
    CObArray() {}
};

// CPtrArray is an array of untyped pointers.
class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() {}
    virtual void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

// CStringArray is an array of strings.
class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    CStringArray() {}
};

// CByteArray is an array of bytes.
class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
public:
    CByteArray() {}
};

// CWordArray is an array of 16-bit values.
class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
public:
    CWordArray() {}
};

// CDWordArray is an array of 32-bit values.
class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
public:
    CDWordArray() {}
};

// CUIntArray is an array of UINT values.
class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
public:
    CUIntArray() {}
    virtual void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

/////////////////////////////////////////////////////////////////////////////
// Maps

// CMapStringToPtr maps strings to untyped pointers.
class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, void*, void*>(nBlockSize) {}
    virtual void Serialize(CArchive& ar) override { CObject::Serialize(ar); }

    // Finds the stored key equal to key; its text stays valid while it is in the map.
    BOOL LookupKey(LPCTSTR key, LPCTSTR& rKey) const
    {
        UINT nHashValue;
        CAssoc* pAssoc = GetAssocAt(key, nHashValue);
        if (pAssoc == NULL)
            return FALSE;
        rKey = pAssoc->key;
        return TRUE;
    }
};

// CMapStringToOb maps strings to CObject pointers; it does not own the objects.
class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    CMapStringToOb(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, CObject*, CObject*>(nBlockSize) {}

    BOOL LookupKey(LPCTSTR key, LPCTSTR& rKey) const
    {
        UINT nHashValue;
        CAssoc* pAssoc = GetAssocAt(key, nHashValue);
        if (pAssoc == NULL)
            return FALSE;
        rKey = pAssoc->key;
        return TRUE;
    }
};

// CMapStringToString maps strings to strings.
class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    CMapStringToString(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, CString, LPCTSTR>(nBlockSize) {}

    BOOL LookupKey(LPCTSTR key, LPCTSTR& rKey) const
    {
        UINT nHashValue;
        CAssoc* pAssoc = GetAssocAt(key, nHashValue);
        if (pAssoc == NULL)
            return FALSE;
        rKey = pAssoc->key;
        return TRUE;
    }
};

// CMapPtrToPtr maps untyped pointers to untyped pointers.
class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
    virtual void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

// CMapWordToPtr maps 16-bit values to untyped pointers.
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, void*, void*>(nBlockSize) {}
    virtual void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
