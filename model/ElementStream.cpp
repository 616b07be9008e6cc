// ElementStream.cpp - element list streams, layout scopes and checked string reads.

#include "ElementStream.h"
#include "Elements.h"

#include <math.h>

#include <utility>
#include <vector>

namespace
{
// Innermost active layout scope of this thread; scopes chain outwards.
thread_local CElementLayoutScope* t_pInnermostScope = NULL;
}

CElementLayoutScope::CElementLayoutScope(CArchive& ar, int nVersion)
    : m_pArchive(&ar), m_nVersion(nVersion), m_pOuter(t_pInnermostScope)
{
    t_pInnermostScope = this;
}

CElementLayoutScope::~CElementLayoutScope()
{
    for (CElementLayoutScope** ppScope = &t_pInnermostScope; *ppScope != NULL; ppScope = &(*ppScope)->m_pOuter)
    {
        if (*ppScope == this)
        {
            *ppScope = m_pOuter;
            break;
        }
    }
}

int CElementLayoutScope::GetVersion(const CArchive& ar)
{
    for (const CElementLayoutScope* pScope = t_pInnermostScope; pScope != NULL; pScope = pScope->m_pOuter)
    {
        if (pScope->m_pArchive == &ar)
            return pScope->m_nVersion;
    }
    return FILE_VERSION_CURRENT;
}

void ThrowFileFormatError(CArchive& ar)
{
    AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
}

int ReadBoundedInt(CArchive& ar, int nLimit)
{
    int n = 0;
    ar >> n;
    if (n < -nLimit || n > nLimit)
        ThrowFileFormatError(ar);
    return n;
}

int ClampToLimit(int n, int nLimit)
{
    return n < -nLimit ? -nLimit : (n > nLimit ? nLimit : n);
}

bool IsFileCoordinate(double v)
{
    return isfinite(v) && v >= -MAX_FILE_COORDINATE && v <= MAX_FILE_COORDINATE;
}

bool IsElementWithinFileBounds(const CElement* pElement)
{
    const CRect& rc = pElement->m_rect;
    return IsFileCoordinate(rc.left) && IsFileCoordinate(rc.top) && IsFileCoordinate(rc.right) &&
           IsFileCoordinate(rc.bottom) && pElement->m_nLineWidth <= MAX_FILE_LINE_WIDTH &&
           pElement->m_nLineWidth >= -MAX_FILE_LINE_WIDTH &&
           IsFileCoordinate(pElement->m_nShadowLength);
}

// A length-prefixed ANSI string of the file, refused as a format error when longer than nMaxLength, wide
// or past the end of the data.
CString ReadFileString(CArchive& ar, int nMaxLength)
{
    DWORD nLength = 0;
    BYTE bLength = 0;
    ar >> bLength;
    nLength = bLength;
    if (bLength == 0xFF)
    {
        WORD wLength = 0;
        ar >> wLength;
        nLength = wLength;
        if (wLength == 0xFFFE)
            ThrowFileFormatError(ar);   // wide-character marker: not an ANSI string
        if (wLength == 0xFFFF)
            ar >> nLength;
    }
    if (nLength > (DWORD)nMaxLength)
        ThrowFileFormatError(ar);
    ar.CheckAvailable(nLength);

    CString str;
    if (nLength > 0)
    {
        LPSTR pBuf = str.GetBufferSetLength((int)nLength);
        ar.EnsureRead(pBuf, nLength);
        str.ReleaseBufferSetLength((int)nLength);
    }
    return str;
}

void DeleteElements(CElementList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

void WriteElementList(CArchive& ar, CElementList& list)
{
    ar.WriteCount((DWORD_PTR)list.GetCount());
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        ar.WriteObject(list.GetNext(pos));
}

// Reads a counted element list whole or not at all: on a bad record nothing is added and the elements read
// so far are freed.
void ReadElementList(CArchive& ar, CElementList& list, int nVersion)
{
    RegisterElementClasses();
    CElementLayoutScope scope(ar, nVersion);

    CElementList listRead;
    try
    {
        const DWORD_PTR nCount = ar.ReadCount();
        for (DWORD_PTR i = 0; i < nCount; i++)
        {
            CObject* pOb = ar.ReadObject(RUNTIME_CLASS(CElement));
            // A back-reference names an element this list already owns.
            if (pOb == NULL || ar.IsLastReadBackReference())
                ThrowFileFormatError(ar);
            listRead.AddTail(static_cast<CElement*>(pOb));
        }
    }
    catch (...)
    {
        DeleteElements(listRead);
        throw;
    }
    list.AddTail(&listRead);
    listRead.RemoveAll();
}

void SerializeClipboardElements(CArchive& ar, CElementList& list)
{
    if (ar.IsStoring())
        WriteElementList(ar, list);
    else
        ReadElementList(ar, list, FILE_VERSION_CURRENT);
}

// Links every element class into the program so that reading a file can create each one by name.
void RegisterElementClasses()
{
    AFX_FORCE_LINK_CLASS(CElement);
    AFX_FORCE_LINK_CLASS(CLine);
    AFX_FORCE_LINK_CLASS(CRectangle);
    AFX_FORCE_LINK_CLASS(CCircle);
    AFX_FORCE_LINK_CLASS(CRhombus);
    AFX_FORCE_LINK_CLASS(CRectRound);
    AFX_FORCE_LINK_CLASS(CTriangle);
    AFX_FORCE_LINK_CLASS(CFreehandLine);
    AFX_FORCE_LINK_CLASS(CText);
    AFX_FORCE_LINK_CLASS(CBtImage);
    AFX_FORCE_LINK_CLASS(CClosedCurve);
    AFX_FORCE_LINK_CLASS(CBkgImage);
    AFX_FORCE_LINK_CLASS(CCalloutBL);
    AFX_FORCE_LINK_CLASS(CCalloutBR);
    AFX_FORCE_LINK_CLASS(CShapeParallelo);
    AFX_FORCE_LINK_CLASS(CShapeArrowL);
    AFX_FORCE_LINK_CLASS(CShapeStar);
    AFX_FORCE_LINK_CLASS(CShapeExplosion);
    AFX_FORCE_LINK_CLASS(CShapeMoon);
    AFX_FORCE_LINK_CLASS(CShapeArrowR);
    AFX_FORCE_LINK_CLASS(CShapeSun);
    AFX_FORCE_LINK_CLASS(CDbText);
}
