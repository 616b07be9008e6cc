// afxtempl.h - collection templates.
//
// Declares POSITION, the element helpers HashKey, CompareElements and
// SerializeElements, the templates CArray, CList and CMap, and the typed
// pointer wrappers CTypedPtrArray, CTypedPtrList and CTypedPtrMap.
//
// Notes:
// - A bad index, a NULL POSITION or a negative size raises
//   CInvalidArgException (AfxThrowInvalidArgException); a failed allocation
//   raises CMemoryException. Nothing is left half-changed by either.
// - Array elements are value-initialised when they come into existence and
//   are moved, not copied bitwise, when the storage grows or shifts.
// - List and map nodes never move, so POSITIONs and element references stay
//   valid until their own node is removed. Removing the element just passed
//   by GetNext (or GetNextAssoc) is safe.
// - Maps do not grow their hash table on their own: chains simply get longer.
//   InitHashTable resizes it and keeps the entries.
#pragma once

#include "afx.h"

#include <algorithm>
#include <new>
#include <stdint.h>
#include <string.h>
#include <type_traits>
#include <utility>

// Opaque iteration cursor of the lists and maps.
struct __POSITION;
typedef __POSITION* POSITION;
#ifndef BEFORE_START_POSITION
#define BEFORE_START_POSITION ((POSITION)(INT_PTR)-1)
#endif

/////////////////////////////////////////////////////////////////////////////
// Element helpers

// Hash of a map key; numbers and handles hash by value.
template<class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    return (UINT)(((DWORD_PTR)key) >> 4);
}

// Hash of a string key: h = h * 33 + c over the characters.
template<>
inline UINT HashKey<LPCSTR>(LPCSTR key)
{
    if (key == NULL)
        AfxThrowInvalidArgException();
    UINT nHash = 0;
    while (*key)
        nHash = (nHash << 5) + nHash + *key++;
    return nHash;
}

template<>
inline UINT HashKey<LPSTR>(LPSTR key)
{
    return HashKey<LPCSTR>(key);
}

template<>
inline UINT HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCSTR>((LPCSTR)key);
}

template<>
inline UINT HashKey<CString>(CString key)
{
    return HashKey<LPCSTR>((LPCSTR)key);
}

// Equality of a stored element and a searched value.
template<class TYPE, class ARG_TYPE>
inline BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Writes or reads nCount elements. Plain data goes bytewise; CString and
// CObject* have their own forms below; other types need a specialisation
// (without one they raise CNotSupportedException).
template<class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount);

template<>
void SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount);

template<>
void SerializeElements<CObject*>(CArchive& ar, CObject** pElements, INT_PTR nCount);

namespace AfxColl {

// Raw bytes of any length; reading raises CArchiveException::endOfFile
// when the data ends early.
void ReadExact(CArchive& ar, void* pBuf, size_t nBytes);
void WriteAll(CArchive& ar, const void* pBuf, size_t nBytes);

// Uninitialised storage for n elements of T.
template<class T>
T* AllocRaw(size_t n)
{
    if (n == 0)
        return NULL;
    if (n > SIZE_MAX / sizeof(T))
        AfxThrowMemoryException();
    void* p;
    if constexpr (alignof(T) > __STDCPP_DEFAULT_NEW_ALIGNMENT__)
        p = ::operator new(n * sizeof(T), std::align_val_t(alignof(T)), std::nothrow);
    else
        p = ::operator new(n * sizeof(T), std::nothrow);
    if (p == NULL)
        AfxThrowMemoryException();
    return static_cast<T*>(p);
}

template<class T>
void FreeRaw(T* p)
{
    if (p == NULL)
        return;
    if constexpr (alignof(T) > __STDCPP_DEFAULT_NEW_ALIGNMENT__)
        ::operator delete(static_cast<void*>(p), std::align_val_t(alignof(T)));
    else
        ::operator delete(static_cast<void*>(p));
}

// Value-initialises n elements; on failure none is left constructed.
template<class T>
void ConstructRange(T* p, INT_PTR n)
{
    INT_PTR i = 0;
    try {
        for (; i < n; i++)
            ::new (static_cast<void*>(p + i)) T();
    } catch (...) {
        while (i-- > 0)
            p[i].~T();
        throw;
    }
}

template<class T>
void DestroyRange(T* p, INT_PTR n)
{
    if constexpr (!std::is_trivially_destructible<T>::value) {
        for (INT_PTR i = 0; i < n; i++)
            p[i].~T();
    }
}

// Moves (or copies, when moving may throw) n elements into raw storage.
template<class T>
void RelocateInto(T* pDest, T* pSrc, INT_PTR n)
{
    if constexpr (std::is_trivially_copyable<T>::value) {
        if (n > 0)
            memcpy(static_cast<void*>(pDest), static_cast<const void*>(pSrc), n * sizeof(T));
    } else {
        INT_PTR i = 0;
        try {
            for (; i < n; i++)
                ::new (static_cast<void*>(pDest + i)) T(std::move_if_noexcept(pSrc[i]));
        } catch (...) {
            while (i-- > 0)
                pDest[i].~T();
            throw;
        }
    }
}

} // namespace AfxColl

template<class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount < 0 || (nCount > 0 && pElements == NULL))
        AfxThrowInvalidArgException();
    if constexpr (std::is_trivially_copyable<TYPE>::value) {
        if (ar.IsStoring())
            AfxColl::WriteAll(ar, pElements, (size_t)nCount * sizeof(TYPE));
        else
            AfxColl::ReadExact(ar, pElements, (size_t)nCount * sizeof(TYPE));
    } else {
        if (nCount > 0)
            AfxThrowNotSupportedException();
    }
}

/////////////////////////////////////////////////////////////////////////////
// CArray: a growable array of TYPE, passed in as ARG_TYPE.

template<class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray();
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    virtual ~CArray();

    // Attributes
    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);

    // Operations
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    // Element access
    const TYPE& GetAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { CheckIndex(nIndex); m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    // Growing and shrinking
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    virtual void Serialize(CArchive& ar);

protected:
    void CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }
    void Reallocate(INT_PTR nNewMax);

    TYPE* m_pData;      // the elements
    INT_PTR m_nSize;    // elements in use
    INT_PTR m_nMaxSize; // elements allocated
    INT_PTR m_nGrowBy;  // growth step, 0 = automatic
};

template<class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>::CArray()
    : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0)
{
}

template<class TYPE, class ARG_TYPE>
CArray<TYPE, ARG_TYPE>::~CArray()
{
    AfxColl::DestroyRange(m_pData, m_nSize);
    AfxColl::FreeRaw(m_pData);
}

// Moves the elements into new storage of nNewMax elements (>= m_nSize).
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    TYPE* pNewData = AfxColl::AllocRaw<TYPE>((size_t)nNewMax);
    try {
        AfxColl::RelocateInto(pNewData, m_pData, m_nSize);
    } catch (...) {
        AfxColl::FreeRaw(pNewData);
        throw;
    }
    AfxColl::DestroyRange(m_pData, m_nSize);
    AfxColl::FreeRaw(m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

// Sets the number of elements; new ones are value-initialised. nGrowBy >= 0
// also sets the growth step.
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0) {
        AfxColl::DestroyRange(m_pData, m_nSize);
        AfxColl::FreeRaw(m_pData);
        m_pData = NULL;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (nNewSize <= m_nSize) {
        AfxColl::DestroyRange(m_pData + nNewSize, m_nSize - nNewSize);
        m_nSize = nNewSize;
        return;
    }
    if (nNewSize > m_nMaxSize) {
        INT_PTR nNewMax = nNewSize;
        if (m_pData != NULL) {
            INT_PTR nStep = m_nGrowBy;
            if (nStep == 0) {
                nStep = m_nSize / 8;
                nStep = (nStep < 4) ? 4 : ((nStep > 1024) ? 1024 : nStep);
            }
            if (nNewSize < m_nMaxSize + nStep)
                nNewMax = m_nMaxSize + nStep;
        }
        Reallocate(nNewMax);
    }
    AfxColl::ConstructRange(m_pData + m_nSize, nNewSize - m_nSize);
    m_nSize = nNewSize;
}

// Shrinks the storage to the elements in use.
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0) {
        AfxColl::FreeRaw(m_pData);
        m_pData = NULL;
        m_nMaxSize = 0;
        return;
    }
    Reallocate(m_nSize);
}

// Sets an element, growing the array up to it when needed.
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex < m_nSize) {
        m_pData[nIndex] = newElement;
        return;
    }
    // newElement may live in the storage that growing replaces
    TYPE value;
    value = newElement;
    SetSize(nIndex + 1, -1);
    m_pData[nIndex] = std::move(value);
}

template<class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

// Appends a copy of src; returns the index of its first element here.
template<class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    if (this == &src)
        AfxThrowInvalidArgException();
    INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + src.m_nSize);
    for (INT_PTR i = 0; i < src.m_nSize; i++)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize);
    for (INT_PTR i = 0; i < src.m_nSize; i++)
        m_pData[i] = src.m_pData[i];
}

// Inserts nCount copies of newElement at nIndex; an index past the end
// grows the array up to it first.
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        AfxThrowInvalidArgException();
    TYPE value;
    value = newElement;

    INT_PTR nOldSize = m_nSize;
    if (nIndex >= nOldSize) {
        SetSize(nIndex + nCount, -1);
    } else {
        SetSize(nOldSize + nCount, -1);
        std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
    }
    for (INT_PTR i = 0; i < nCount; i++)
        m_pData[nIndex + i] = value;
}

// Inserts a copy of every element of pNewArray at nStartIndex.
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
{
    if (pNewArray == NULL || nStartIndex < 0)
        AfxThrowInvalidArgException();
    INT_PTR nCount = pNewArray->GetSize();
    if (nCount == 0)
        return;
    if (pNewArray == this) {
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    InsertAt(nStartIndex, pNewArray->GetAt(0), nCount);
    for (INT_PTR i = 1; i < nCount; i++)
        m_pData[nStartIndex + i] = pNewArray->m_pData[i];
}

// Removes nCount elements starting at nIndex.
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex)
        AfxThrowInvalidArgException();
    std::move(m_pData + nIndex + nCount, m_pData + m_nSize, m_pData + nIndex);
    AfxColl::DestroyRange(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}

// Stores the count and the elements. Loading grows the array in steps, so
// that a corrupt count runs out of data before it can exhaust memory.
template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_nSize);
        SerializeElements<TYPE>(ar, m_pData, m_nSize);
        return;
    }
    INT_PTR nCount = (INT_PTR)ar.ReadCount();
    if constexpr (std::is_trivially_copyable<TYPE>::value)
        ar.CheckAvailable((ULONGLONG)nCount * sizeof(TYPE));
    SetSize(0, -1);
    const INT_PTR nFirstStep = (sizeof(TYPE) < 65536) ? (INT_PTR)(65536 / sizeof(TYPE)) : 1;
    while (m_nSize < nCount) {
        INT_PTR nDone = m_nSize;
        INT_PTR nStep = (nDone < nFirstStep) ? nFirstStep : nDone;
        if (nStep > nCount - nDone)
            nStep = nCount - nDone;
        SetSize(nDone + nStep, -1);
        SerializeElements<TYPE>(ar, m_pData + nDone, nStep);
    }
}

/////////////////////////////////////////////////////////////////////////////
// CList: a doubly linked list of TYPE, passed in as ARG_TYPE.

template<class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    CList(INT_PTR nBlockSize = 10);
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    virtual ~CList();

    // Attributes
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Head and tail
    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }
    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE newElement);
    POSITION AddTail(ARG_TYPE newElement);
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    // Iteration
    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition);
    const TYPE& GetNext(POSITION& rPosition) const;
    TYPE& GetPrev(POSITION& rPosition);
    const TYPE& GetPrev(POSITION& rPosition) const;

    // Access by position
    TYPE& GetAt(POSITION position) { return NodeAt(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeAt(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeAt(pos)->data = newElement; }
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // Searching
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(INT_PTR nIndex) const;

    virtual void Serialize(CArchive& ar);

protected:
    static CNode* NodeAt(POSITION position)
    {
        if (position == NULL || position == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return (CNode*)position;
    }
    static CNode* NonEmpty(CNode* pNode)
    {
        if (pNode == NULL)
            AfxThrowInvalidArgException();
        return pNode;
    }
    CNode* NewNode(ARG_TYPE newElement);
    void FreeNode(CNode* pNode);
    void LinkNode(CNode* pNode, CNode* pPrev, CNode* pNext);

    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    INT_PTR m_nBlockSize; // kept for callers; nodes are allocated one by one
};

template<class TYPE, class ARG_TYPE>
CList<TYPE, ARG_TYPE>::CList(INT_PTR nBlockSize)
    : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_nBlockSize(nBlockSize)
{
    if (nBlockSize <= 0)
        AfxThrowInvalidArgException();
}

template<class TYPE, class ARG_TYPE>
CList<TYPE, ARG_TYPE>::~CList()
{
    RemoveAll();
}

// Makes an unlinked node holding newElement.
template<class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(ARG_TYPE newElement)
{
    CNode* pNode = AfxColl::AllocRaw<CNode>(1);
    try {
        ::new (static_cast<void*>(pNode)) CNode();
    } catch (...) {
        AfxColl::FreeRaw(pNode);
        throw;
    }
    try {
        pNode->data = newElement;
    } catch (...) {
        pNode->~CNode();
        AfxColl::FreeRaw(pNode);
        throw;
    }
    return pNode;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
    pNode->~CNode();
    AfxColl::FreeRaw(pNode);
}

// Links pNode between pPrev and pNext (either may be NULL at an end).
template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::LinkNode(CNode* pNode, CNode* pPrev, CNode* pNext)
{
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    if (pPrev != NULL)
        pPrev->pNext = pNode;
    else
        m_pNodeHead = pNode;
    if (pNext != NULL)
        pNext->pPrev = pNode;
    else
        m_pNodeTail = pNode;
    m_nCount++;
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddHead(ARG_TYPE newElement)
{
    CNode* pNode = NewNode(newElement);
    LinkNode(pNode, NULL, m_pNodeHead);
    return (POSITION)pNode;
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddTail(ARG_TYPE newElement)
{
    CNode* pNode = NewNode(newElement);
    LinkNode(pNode, m_pNodeTail, NULL);
    return (POSITION)pNode;
}

// Puts copies of pNewList's elements, in their order, before the head.
template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    if (pNewList == NULL)
        AfxThrowInvalidArgException();
    // counted, so that a list can be added to itself
    INT_PTR n = pNewList->m_nCount;
    CNode* pNode = pNewList->m_pNodeTail;
    for (; n > 0; n--, pNode = pNode->pPrev)
        AddHead(pNode->data);
}

// Puts copies of pNewList's elements after the tail.
template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    if (pNewList == NULL)
        AfxThrowInvalidArgException();
    INT_PTR n = pNewList->m_nCount;
    CNode* pNode = pNewList->m_pNodeHead;
    for (; n > 0; n--, pNode = pNode->pNext)
        AddTail(pNode->data);
}

template<class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* pNode = NonEmpty(m_pNodeHead);
    TYPE value = std::move(pNode->data);
    RemoveAt((POSITION)pNode);
    return value;
}

template<class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* pNode = NonEmpty(m_pNodeTail);
    TYPE value = std::move(pNode->data);
    RemoveAt((POSITION)pNode);
    return value;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    CNode* pNode = m_pNodeHead;
    while (pNode != NULL) {
        CNode* pNext = pNode->pNext;
        FreeNode(pNode);
        pNode = pNext;
    }
    m_pNodeHead = m_pNodeTail = NULL;
    m_nCount = 0;
}

template<class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition)
{
    CNode* pNode = NodeAt(rPosition);
    rPosition = (POSITION)pNode->pNext;
    return pNode->data;
}

template<class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition) const
{
    CNode* pNode = NodeAt(rPosition);
    rPosition = (POSITION)pNode->pNext;
    return pNode->data;
}

template<class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition)
{
    CNode* pNode = NodeAt(rPosition);
    rPosition = (POSITION)pNode->pPrev;
    return pNode->data;
}

template<class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition) const
{
    CNode* pNode = NodeAt(rPosition);
    rPosition = (POSITION)pNode->pPrev;
    return pNode->data;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pNode = NodeAt(position);
    if (pNode->pPrev != NULL)
        pNode->pPrev->pNext = pNode->pNext;
    else
        m_pNodeHead = pNode->pNext;
    if (pNode->pNext != NULL)
        pNode->pNext->pPrev = pNode->pPrev;
    else
        m_pNodeTail = pNode->pPrev;
    m_nCount--;
    FreeNode(pNode);
}

// Inserts before position; a NULL position means before the head.
template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
        return AddHead(newElement);
    CNode* pOld = NodeAt(position);
    CNode* pNode = NewNode(newElement);
    LinkNode(pNode, pOld->pPrev, pOld);
    return (POSITION)pNode;
}

// Inserts after position; a NULL position means after the tail.
template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
        return AddTail(newElement);
    CNode* pOld = NodeAt(position);
    CNode* pNode = NewNode(newElement);
    LinkNode(pNode, pOld, pOld->pNext);
    return (POSITION)pNode;
}

// Position of the first element equal to searchValue after startAfter
// (from the head when NULL), or NULL.
template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = (startAfter == NULL) ? m_pNodeHead : NodeAt(startAfter)->pNext;
    for (; pNode != NULL; pNode = pNode->pNext) {
        if (CompareElements<TYPE>(&pNode->data, &searchValue))
            return (POSITION)pNode;
    }
    return NULL;
}

// Position of the nIndex-th element (from 0), or NULL when out of range.
template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return (POSITION)pNode;
}

// Stores the count and each element in order; loading appends.
template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            SerializeElements<TYPE>(ar, &pNode->data, 1);
        return;
    }
    DWORD_PTR nNewCount = ar.ReadCount();
    while (nNewCount-- > 0) {
        TYPE newData = TYPE();
        SerializeElements<TYPE>(ar, &newData, 1);
        AddTail(newData);
    }
}

/////////////////////////////////////////////////////////////////////////////
// CMap: a hash table from KEY to VALUE (passed in as ARG_KEY, ARG_VALUE).

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue; // full hash of the key
        KEY key;
        VALUE value;
    };

public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    CMap(INT_PTR nBlockSize = 10);
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    virtual ~CMap();

    // Attributes
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;

    // Operations
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // Iteration
    POSITION GetStartPosition() const { return (m_nCount == 0) ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    // Hash table
    UINT GetHashTableSize() const { return m_nHashTableSize; }
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

    virtual void Serialize(CArchive& ar);

protected:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashValue) const;
    CAssoc* NewAssoc(ARG_KEY key);
    void FreeAssoc(CAssoc* pAssoc);
    static CAssoc** AllocTable(UINT nSize);

    CAssoc** m_pHashTable;   // buckets, NULL until the first entry
    UINT m_nHashTableSize;   // bucket count
    INT_PTR m_nCount;        // entries
    INT_PTR m_nBlockSize;    // kept for callers; entries are allocated one by one
};

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CMap(INT_PTR nBlockSize)
    : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_nBlockSize(nBlockSize)
{
    if (nBlockSize <= 0)
        AfxThrowInvalidArgException();
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::~CMap()
{
    RemoveAll();
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc**
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::AllocTable(UINT nSize)
{
    CAssoc** pTable = AfxColl::AllocRaw<CAssoc*>(nSize);
    memset(static_cast<void*>(pTable), 0, sizeof(CAssoc*) * nSize);
    return pTable;
}

// Sets the bucket count; existing entries move to the new buckets.
template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    if (hashSize == 0)
        AfxThrowInvalidArgException();
    if (m_pHashTable == NULL) {
        if (bAllocNow)
            m_pHashTable = AllocTable(hashSize);
        m_nHashTableSize = hashSize;
        return;
    }
    CAssoc** pNewTable = AllocTable(hashSize);
    for (UINT nBucket = 0; nBucket < m_nHashTableSize; nBucket++) {
        CAssoc* pAssoc = m_pHashTable[nBucket];
        while (pAssoc != NULL) {
            CAssoc* pNext = pAssoc->pNext;
            UINT nNewBucket = pAssoc->nHashValue % hashSize;
            pAssoc->pNext = pNewTable[nNewBucket];
            pNewTable[nNewBucket] = pAssoc;
            pAssoc = pNext;
        }
    }
    AfxColl::FreeRaw(m_pHashTable);
    m_pHashTable = pNewTable;
    m_nHashTableSize = hashSize;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != NULL) {
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; nBucket++) {
            CAssoc* pAssoc = m_pHashTable[nBucket];
            while (pAssoc != NULL) {
                CAssoc* pNext = pAssoc->pNext;
                FreeAssoc(pAssoc);
                pAssoc = pNext;
            }
        }
        AfxColl::FreeRaw(m_pHashTable);
        m_pHashTable = NULL;
    }
    m_nCount = 0;
}

// Makes an unlinked entry for key with a value-initialised value.
template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key)
{
    CAssoc* pAssoc = AfxColl::AllocRaw<CAssoc>(1);
    try {
        ::new (static_cast<void*>(pAssoc)) CAssoc();
    } catch (...) {
        AfxColl::FreeRaw(pAssoc);
        throw;
    }
    try {
        pAssoc->key = key;
    } catch (...) {
        pAssoc->~CAssoc();
        AfxColl::FreeRaw(pAssoc);
        throw;
    }
    return pAssoc;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->~CAssoc();
    AfxColl::FreeRaw(pAssoc);
}

// Finds the entry for key; always returns the key's hash in nHashValue.
template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHashValue) const
{
    nHashValue = HashKey<ARG_KEY>(key);
    if (m_pHashTable == NULL)
        return NULL;
    for (CAssoc* pAssoc = m_pHashTable[nHashValue % m_nHashTableSize]; pAssoc != NULL;
         pAssoc = pAssoc->pNext) {
        if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key))
            return pAssoc;
    }
    return NULL;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashValue);
    if (pAssoc == NULL)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

// The value for key, added (value-initialised) when missing.
template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashValue);
    if (pAssoc != NULL)
        return pAssoc->value;
    if (m_pHashTable == NULL)
        m_pHashTable = AllocTable(m_nHashTableSize);
    pAssoc = NewAssoc(key);
    pAssoc->nHashValue = nHashValue;
    UINT nBucket = nHashValue % m_nHashTableSize;
    pAssoc->pNext = m_pHashTable[nBucket];
    m_pHashTable[nBucket] = pAssoc;
    m_nCount++;
    return pAssoc->value;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == NULL)
        return FALSE;
    UINT nHashValue = HashKey<ARG_KEY>(key);
    CAssoc** ppPrev = &m_pHashTable[nHashValue % m_nHashTableSize];
    for (CAssoc* pAssoc = *ppPrev; pAssoc != NULL; pAssoc = *ppPrev) {
        if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key)) {
            *ppPrev = pAssoc->pNext;
            FreeAssoc(pAssoc);
            m_nCount--;
            return TRUE;
        }
        ppPrev = &pAssoc->pNext;
    }
    return FALSE;
}

// Returns the entry at rNextPosition and advances it (NULL after the last).
// Entries come bucket by bucket, the newest first within a bucket.
template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey,
                                                        VALUE& rValue) const
{
    if (rNextPosition == NULL || m_pHashTable == NULL)
        AfxThrowInvalidArgException();
    CAssoc* pAssoc = (CAssoc*)rNextPosition;
    if (rNextPosition == BEFORE_START_POSITION) {
        pAssoc = NULL;
        for (UINT nBucket = 0; nBucket < m_nHashTableSize && pAssoc == NULL; nBucket++)
            pAssoc = m_pHashTable[nBucket];
        if (pAssoc == NULL)
            AfxThrowInvalidArgException();
    }
    CAssoc* pNext = pAssoc->pNext;
    if (pNext == NULL) {
        for (UINT nBucket = pAssoc->nHashValue % m_nHashTableSize + 1;
             nBucket < m_nHashTableSize && pNext == NULL; nBucket++)
            pNext = m_pHashTable[nBucket];
    }
    rNextPosition = (POSITION)pNext;
    rKey = pAssoc->key;
    rValue = pAssoc->value;
}

// Stores the count, then key and value of each entry; loading adds entries.
template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(m_nCount);
        if (m_pHashTable == NULL)
            return;
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; nBucket++) {
            for (CAssoc* pAssoc = m_pHashTable[nBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
                SerializeElements<KEY>(ar, &pAssoc->key, 1);
                SerializeElements<VALUE>(ar, &pAssoc->value, 1);
            }
        }
        return;
    }
    DWORD_PTR nNewCount = ar.ReadCount();
    while (nNewCount-- > 0) {
        KEY newKey = KEY();
        VALUE newValue = VALUE();
        SerializeElements<KEY>(ar, &newKey, 1);
        SerializeElements<VALUE>(ar, &newValue, 1);
        SetAt(newKey, newValue);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Typed pointer wrappers over CPtrArray/CObArray, CPtrList/CObList and the
// pointer maps.

template<class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    // Element access
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    TYPE operator[](INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }

    // Growing and shrinking
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray)
    {
        BASE_CLASS::InsertAt(nStartIndex, pNewArray);
    }
};

template<class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    // Head and tail
    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }

    // Iteration
    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }

    // Access by position
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement)
    {
        return BASE_CLASS::InsertBefore(position, newElement);
    }
    POSITION InsertAfter(POSITION position, TYPE newElement)
    {
        return BASE_CLASS::InsertAfter(position, newElement);
    }
};

template<class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS
{
public:
    CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_VALUE value;
        if (!BASE_CLASS::Lookup(key, value))
            return FALSE;
        rValue = (VALUE)value;
        return TRUE;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key)
    {
        return (VALUE&)BASE_CLASS::operator[](key);
    }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY key;
        typename BASE_CLASS::BASE_VALUE value;
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = (KEY)key;
        rValue = (VALUE)value;
    }
};

#include "afxcoll.h"
