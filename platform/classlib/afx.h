// afx.h - core of the class library (ANSI build).
//
// Declares: CObject, CRuntimeClass and the run-time class macros, CString,
// CPoint, CSize, CRect, the exception classes and the TRY/CATCH macros,
// CFile, CMemFile, CSharedFile and CArchive.
//
// Notes
// - Exceptions are thrown as heap pointers: `throw new CFileException(...)`,
//   caught as `catch (CException* e) { ...; e->Delete(); }`.  Inside the
//   TRY/CATCH macros the exception is deleted at END_CATCH (unless THROW_LAST
//   passes it on), so code using the macros does not call Delete().
// - CString is not trivially copyable: pass `(LPCTSTR)str` to printf-style
//   functions such as CString::Format, never the object itself (Format and
//   AppendFormat have their arguments checked by the compiler).
// - Class registration: every IMPLEMENT_DYNAMIC/DYNCREATE/SERIAL defines, next
//   to the class record, a static AFX_CLASSINIT object whose constructor adds
//   the record to a process-wide list searched by CRuntimeClass::FromName.
//   The class record itself is constant data, usable before any constructor
//   has run.  A class in a static library is only registered when the linker
//   keeps its object file; a program that creates classes by name only
//   (e.g. when reading files) must reference each such class once from linked
//   code, e.g. with AFX_FORCE_LINK_CLASS(CMyClass) in a function, or call
//   AfxClassInit(RUNTIME_CLASS(CMyClass)) at start-up.  (AfxRegisterClass is
//   the window-class registration and is not used for this.)
// - CArchive never trusts a length or count read from the stream beyond the
//   bytes that remain: such data raises CArchiveException::endOfFile.
//   CArchive::ReadCount rejects a count larger than the remaining bytes (every
//   counted item of the class library's formats takes at least one byte);
//   collection readers that allocate more per item call
//   CArchive::CheckAvailable(n * itemSize) first.
// - CArchive::ReadObject returns the same pointer again for a back-reference
//   to an object read earlier in the stream; CArchive::IsLastReadBackReference
//   tells callers that must refuse shared objects.  When an object's
//   Serialize throws while it is being read, ReadObject deletes the object
//   before the exception passes on (a later back-reference to it is a bad
//   index), so Serialize must not hand its own pointer to anyone.  Objects
//   nested more than 1000 deep in a stream raise genericException instead
//   of exhausting the stack.

#pragma once

#ifndef __AFX_H__
#define __AFX_H__

#include <windows.h>
#include <commdlg.h>    // fixes the name of CFile::GetFileTitle (a macro)
#include <oleauto.h>
#include <stdarg.h>
#include <limits.h>
#include <stddef.h>
#include <stdlib.h>
#include <string.h>
#include <tchar.h>

/////////////////////////////////////////////////////////////////////////////
// Basic macros

#ifndef AFXAPI
#define AFXAPI
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif
#define AFX_API
#define AFX_DATA
#define AFX_CORE_DATA
#define AFX_EXT_CLASS
#define AFX_INLINE inline
#define AFX_STATIC static
#define AFX_STATIC_DATA static
#define AFX_COMDAT
#define AFX_NOVTABLE
#define AFX_NOINLINE __attribute__((noinline))
#define afx_msg
#define DEBUG_NEW new

#ifndef _countof
#define _countof(array) (sizeof(array) / sizeof((array)[0]))
#endif

#ifndef UNUSED
#define UNUSED(x)
#endif
#define UNUSED_ALWAYS(x) (void)(x)

// Diagnostics: ASSERT reports through OutputDebugString in debug builds and
// compiles to nothing otherwise; VERIFY always evaluates its argument.
void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
inline void AFX_CDECL AfxTrace(LPCSTR, ...) {}

#ifdef _DEBUG
#define ASSERT(f) ((void)((f) || (AfxAssertFailedLine(__FILE__, __LINE__), 0)))
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(pOb) AfxAssertValidObject(pOb, __FILE__, __LINE__)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)0)
#endif
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define ASSERT_POINTER(p, type) ASSERT((p) != NULL)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define TRACE ::AfxTrace
#define TRACE0(sz) ((void)0)
#define TRACE1(sz, p1) ::AfxTrace(sz, p1)
#define TRACE2(sz, p1, p2) ::AfxTrace(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) ::AfxTrace(sz, p1, p2, p3)

BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT_PTR nBytes, BOOL bReadWrite = TRUE);
BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int nLength = -1);
BOOL AFXAPI AfxIsValidString(LPCWSTR lpsz, int nLength = -1);

/////////////////////////////////////////////////////////////////////////////
// Forward declarations

class CObject;
class CRuntimeClass;
class CString;
class CArchive;
class CDumpContext;
class CFile;
class CException;
class CDocument;
class CWinApp;

// Module handles.  Both default to the executable's module; the application
// object may change the resource module.
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);

// Defined with the application class.
CWinApp* AFXAPI AfxGetApp();

/////////////////////////////////////////////////////////////////////////////
// CRuntimeClass - the run-time record of a class

#define VERSIONABLE_SCHEMA (0x80000000)

class CRuntimeClass
{
public:
    // Attributes
    LPCSTR m_lpszClassName;                 // name, as stored in archives
    int m_nObjectSize;                      // sizeof the class
    UINT m_wSchema;                         // schema; 0xFFFF = not serializable
    CObject* (PASCAL* m_pfnCreateObject)(); // NULL for abstract classes
    CRuntimeClass* m_pBaseClass;            // NULL for CObject
    CRuntimeClass* m_pNextClass;            // unused, kept for layout
    const void* m_pClassInit;               // unused

    // Operations
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Registered class by name (case-sensitive); NULL when unknown.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    // New object of a registered class by name; NULL when unknown or abstract.
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    // Archive form: 16-bit schema, 16-bit name length, name characters.
    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class record to the process-wide list (idempotent).
void AFXAPI AfxClassInit(CRuntimeClass* pNewClass);

struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass) { AfxClassInit(pNewClass); }
};

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

// Keeps the object file of class_name in the link (see the notes at the top).
#define AFX_FORCE_LINK_CLASS(class_name) AfxClassInit(RUNTIME_CLASS(class_name))

#define DECLARE_DYNAMIC(class_name) \
public: \
    static const CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    const CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), wSchema, pfnNew, \
        RUNTIME_CLASS(base_class_name), NULL, NULL }; \
    static const AFX_CLASSINIT _afxInit_##class_name(RUNTIME_CLASS(class_name)); \
    CRuntimeClass* class_name::GetRuntimeClass() const \
        { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() \
        { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, \
        class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* PASCAL class_name::CreateObject() \
        { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, \
        class_name::CreateObject) \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) \
        { pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name)); \
          return ar; }

/////////////////////////////////////////////////////////////////////////////
// CObject - root of the class hierarchy

class CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = 0;

protected:
    CObject() {}

public:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    // Attributes
    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    // Overridables
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    static const CRuntimeClass classCObject;
};

void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine);

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);

#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), (CObject*)(object)))
#define STATIC_DOWNCAST(class_name, object) ((class_name*)(object))

/////////////////////////////////////////////////////////////////////////////
// CDumpContext - diagnostic output (accepts and discards everything)

class CDumpContext
{
public:
    CDumpContext() {}
    int GetDepth() const { return 0; }
    void SetDepth(int) {}
    void Flush() {}
    template <class T> CDumpContext& operator<<(const T&) { return *this; }
};

extern CDumpContext afxDump;

/////////////////////////////////////////////////////////////////////////////
// CString - ANSI character string with value semantics

class CString
{
public:
    // Constructors.  A pointer argument whose high bits are zero
    // (MAKEINTRESOURCE) loads that string resource.
    CString();
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(LPCSTR lpsz);
    CString(LPCWSTR lpsz);
    CString(LPCSTR lpch, int nLength);
    CString(LPCWSTR lpch, int nLength);
    CString(const unsigned char* lpsz);
    explicit CString(char ch, int nRepeat = 1);
    explicit CString(wchar_t ch, int nRepeat = 1);
    ~CString();

    // Assignment
    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(LPCSTR lpsz);
    CString& operator=(LPCWSTR lpsz);
    CString& operator=(const unsigned char* lpsz);
    CString& operator=(char ch);
    CString& operator=(wchar_t ch);

    // Concatenation
    CString& operator+=(const CString& string);
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(LPCWSTR lpsz);
    CString& operator+=(char ch);
    CString& operator+=(unsigned char ch);
    CString& operator+=(wchar_t ch);

    friend CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend CString AFXAPI operator+(const CString& string, LPCSTR lpsz);
    friend CString AFXAPI operator+(LPCSTR lpsz, const CString& string);
    friend CString AFXAPI operator+(const CString& string, char ch);
    friend CString AFXAPI operator+(char ch, const CString& string);
    friend CString AFXAPI operator+(const CString& string, wchar_t ch);
    friend CString AFXAPI operator+(wchar_t ch, const CString& string);

    // Attributes and element access
    int GetLength() const { return m_nDataLength; }
    bool IsEmpty() const { return m_nDataLength == 0; }
    void Empty();
    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    char operator[](int nIndex) const { return GetAt(nIndex); }
    char operator[](unsigned nIndex) const { return GetAt(nIndex <= INT_MAX ? (int)nIndex : -1); }
    char operator[](size_t nIndex) const { return GetAt(nIndex <= INT_MAX ? (int)nIndex : -1); }
    operator LPCSTR() const { return m_pchData; }
    LPCSTR GetString() const { return m_pchData; }
    int GetAllocLength() const { return m_nAllocLength; }

    void SetString(LPCSTR lpsz);
    void SetString(LPCSTR lpsz, int nLength);
    void Append(LPCSTR lpsz);
    void Append(LPCSTR lpsz, int nLength);
    void Append(const CString& string);
    void AppendChar(char ch);
    void Truncate(int nNewLength);

    // Comparison
    int Compare(LPCSTR lpsz) const;
    int CompareNoCase(LPCSTR lpsz) const;
    int Collate(LPCSTR lpsz) const;
    int CollateNoCase(LPCSTR lpsz) const;

    // Extraction
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;
    CString Tokenize(LPCSTR lpszTokens, int& iStart) const;

    // Upper/lower case and reversal
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Trimming
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);

    // Modification; each returns a count or the new length
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char chRemove);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR lpsz);
    int Delete(int nIndex, int nCount = 1);

    // Searching; -1 when not found
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // Formatting (printf syntax of the C runtime, checked by the compiler:
    // a CString argument must be cast to LPCTSTR)
    void AFX_CDECL Format(LPCSTR lpszFormat, ...) __attribute__((format(ms_printf, 2, 3)));
    void AFX_CDECL Format(UINT nFormatID, ...);
    void FormatV(LPCSTR lpszFormat, va_list argList);
    void AFX_CDECL AppendFormat(LPCSTR lpszFormat, ...) __attribute__((format(ms_printf, 2, 3)));
    void AFX_CDECL AppendFormat(UINT nFormatID, ...);
    void AppendFormatV(LPCSTR lpszFormat, va_list argList);
    // FormatMessage syntax (%1, %2!d!, ...)
    void AFX_CDECL FormatMessage(LPCSTR lpszFormat, ...);
    void AFX_CDECL FormatMessage(UINT nFormatID, ...);

    // Resources and system strings
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);
    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;
    BOOL GetEnvironmentVariable(LPCSTR lpszVar);

    // Raw buffer access
    LPSTR GetBuffer();
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    void Preallocate(int nLength);
    void FreeExtra();
    LPSTR LockBuffer() { return GetBuffer(); }
    void UnlockBuffer() {}

    static int PASCAL StringLength(LPCSTR lpsz) { return lpsz ? (int)strlen(lpsz) : 0; }

private:
    void Reserve(int nLength, bool bKeep);
    void AssignCopy(LPCSTR lpsz, int nLength);
    void AssignWide(LPCWSTR lpsz, int nLength);
    void AppendCopy(LPCSTR lpsz, int nLength);
    void SetLength(int nLength);
    void FreeData();

    LPSTR m_pchData;     // text, always terminated
    int m_nDataLength;   // characters, without terminator
    int m_nAllocLength;  // 0 while m_pchData is the shared empty string
};

typedef CString CStringA;

bool AFXAPI operator==(const CString& s1, const CString& s2);
bool AFXAPI operator==(const CString& s1, LPCSTR s2);
bool AFXAPI operator==(LPCSTR s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, LPCSTR s2);
bool AFXAPI operator!=(LPCSTR s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, LPCSTR s2);
bool AFXAPI operator<(LPCSTR s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, LPCSTR s2);
bool AFXAPI operator>(LPCSTR s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, LPCSTR s2);
bool AFXAPI operator<=(LPCSTR s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, LPCSTR s2);
bool AFXAPI operator>=(LPCSTR s1, const CString& s2);

/////////////////////////////////////////////////////////////////////////////
// CSize, CPoint, CRect

class CPoint;
class CRect;

class CSize : public tagSIZE
{
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(SIZE initSize) { cx = initSize.cx; cy = initSize.cy; }
    CSize(POINT initPt) { cx = initPt.x; cy = initPt.y; }
    CSize(DWORD dwSize) { cx = (short)LOWORD(dwSize); cy = (short)HIWORD(dwSize); }

    BOOL operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    BOOL operator!=(SIZE size) const { return cx != size.cx || cy != size.cy; }
    void operator+=(SIZE size) { cx += size.cx; cy += size.cy; }
    void operator-=(SIZE size) { cx -= size.cx; cy -= size.cy; }
    void SetSize(int CX, int CY) { cx = CX; cy = CY; }

    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT point) const;
    CPoint operator-(POINT point) const;
    CRect operator+(const RECT* lpRect) const;
    CRect operator-(const RECT* lpRect) const;
};

class CPoint : public tagPOINT
{
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT initPt) { x = initPt.x; y = initPt.y; }
    CPoint(SIZE initSize) { x = initSize.cx; y = initSize.cy; }
    CPoint(LPARAM dwPoint) { x = (short)LOWORD(dwPoint); y = (short)HIWORD(dwPoint); }

    void Offset(int xOffset, int yOffset) { x += xOffset; y += yOffset; }
    void Offset(POINT point) { x += point.x; y += point.y; }
    void Offset(SIZE size) { x += size.cx; y += size.cy; }
    void SetPoint(int X, int Y) { x = X; y = Y; }

    BOOL operator==(POINT point) const { return x == point.x && y == point.y; }
    BOOL operator!=(POINT point) const { return x != point.x || y != point.y; }
    void operator+=(SIZE size) { x += size.cx; y += size.cy; }
    void operator-=(SIZE size) { x -= size.cx; y -= size.cy; }
    void operator+=(POINT point) { x += point.x; y += point.y; }
    void operator-=(POINT point) { x -= point.x; y -= point.y; }

    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
    CRect operator+(const RECT* lpRect) const;
    CRect operator-(const RECT* lpRect) const;
};

class CRect : public tagRECT
{
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& srcRect) { ::CopyRect(this, &srcRect); }
    CRect(LPCRECT lpSrcRect) { ::CopyRect(this, lpSrcRect); }
    CRect(POINT point, SIZE size)
        { right = (left = point.x) + size.cx; bottom = (top = point.y) + size.cy; }
    CRect(POINT topLeft, POINT bottomRight)
        { left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y; }

    // Attributes
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(right - left, bottom - top); }
    CPoint& TopLeft() { return *((CPoint*)this); }
    CPoint& BottomRight() { return *((CPoint*)this + 1); }
    const CPoint& TopLeft() const { return *((const CPoint*)this); }
    const CPoint& BottomRight() const { return *((const CPoint*)this + 1); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    void SwapLeftRight() { SwapLeftRight(this); }
    static void PASCAL SwapLeftRight(LPRECT lpRect)
        { LONG temp = lpRect->left; lpRect->left = lpRect->right; lpRect->right = temp; }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }

    // Operations
    void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
    void SetRect(POINT topLeft, POINT bottomRight)
        { ::SetRect(this, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(LPCRECT lpSrcRect) { ::CopyRect(this, lpSrcRect); }
    BOOL EqualRect(LPCRECT lpRect) const { return ::EqualRect(this, lpRect); }

    void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
    void InflateRect(SIZE size) { ::InflateRect(this, size.cx, size.cy); }
    void InflateRect(LPCRECT lpRect)
        { left -= lpRect->left; top -= lpRect->top; right += lpRect->right; bottom += lpRect->bottom; }
    void InflateRect(int l, int t, int r, int b)
        { left -= l; top -= t; right += r; bottom += b; }
    void DeflateRect(int x, int y) { ::InflateRect(this, -x, -y); }
    void DeflateRect(SIZE size) { ::InflateRect(this, -size.cx, -size.cy); }
    void DeflateRect(LPCRECT lpRect)
        { left += lpRect->left; top += lpRect->top; right -= lpRect->right; bottom -= lpRect->bottom; }
    void DeflateRect(int l, int t, int r, int b)
        { left += l; top += t; right -= r; bottom -= b; }

    void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
    void OffsetRect(SIZE size) { ::OffsetRect(this, size.cx, size.cy); }
    void OffsetRect(POINT point) { ::OffsetRect(this, point.x, point.y); }
    void MoveToY(int y) { bottom = Height() + y; top = y; }
    void MoveToX(int x) { right = Width() + x; left = x; }
    void MoveToXY(int x, int y) { MoveToX(x); MoveToY(y); }
    void MoveToXY(POINT point) { MoveToX(point.x); MoveToY(point.y); }
    void NormalizeRect();

    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2)
        { return ::IntersectRect(this, lpRect1, lpRect2); }
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2)
        { return ::UnionRect(this, lpRect1, lpRect2); }
    BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2)
        { return ::SubtractRect(this, lpRectSrc1, lpRectSrc2); }

    // Operators
    void operator=(const RECT& srcRect) { ::CopyRect(this, &srcRect); }
    BOOL operator==(const RECT& rect) const { return ::EqualRect(this, &rect); }
    BOOL operator!=(const RECT& rect) const { return !::EqualRect(this, &rect); }
    void operator+=(POINT point) { ::OffsetRect(this, point.x, point.y); }
    void operator+=(SIZE size) { ::OffsetRect(this, size.cx, size.cy); }
    void operator+=(LPCRECT lpRect) { InflateRect(lpRect); }
    void operator-=(POINT point) { ::OffsetRect(this, -point.x, -point.y); }
    void operator-=(SIZE size) { ::OffsetRect(this, -size.cx, -size.cy); }
    void operator-=(LPCRECT lpRect) { DeflateRect(lpRect); }
    void operator&=(const RECT& rect) { ::IntersectRect(this, this, &rect); }
    void operator|=(const RECT& rect) { ::UnionRect(this, this, &rect); }

    CRect operator+(POINT pt) const { CRect r(*this); r.OffsetRect(pt.x, pt.y); return r; }
    CRect operator-(POINT pt) const { CRect r(*this); r.OffsetRect(-pt.x, -pt.y); return r; }
    CRect operator+(SIZE size) const { CRect r(*this); r.OffsetRect(size.cx, size.cy); return r; }
    CRect operator-(SIZE size) const { CRect r(*this); r.OffsetRect(-size.cx, -size.cy); return r; }
    CRect operator+(LPCRECT lpRect) const { CRect r(*this); r.InflateRect(lpRect); return r; }
    CRect operator-(LPCRECT lpRect) const { CRect r(*this); r.DeflateRect(lpRect); return r; }
    CRect operator&(const RECT& rect2) const { CRect r; ::IntersectRect(&r, this, &rect2); return r; }
    CRect operator|(const RECT& rect2) const { CRect r; ::UnionRect(&r, this, &rect2); return r; }
};

inline CPoint CSize::operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
inline CPoint CSize::operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
inline CRect CSize::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CSize::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }
inline CRect CPoint::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CPoint::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }

/////////////////////////////////////////////////////////////////////////////
// Exceptions

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException();

    // Frees a heap exception; static exception objects stay.
    void Delete();

    // Text of the error; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
    // Shows the error text in a message box (AfxMessageBox).
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;  // TRUE for exceptions made with new
};

// Exceptions that carry no data besides their type.
class CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException() {}
    explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

protected:
    virtual LPCSTR GetDefaultMessage() const;
};

class CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() {}
    explicit CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    virtual LPCSTR GetDefaultMessage() const override;
};

class CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() {}
    explicit CNotSupportedException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    virtual LPCSTR GetDefaultMessage() const override;
};

class CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException() {}
    explicit CInvalidArgException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    virtual LPCSTR GetDefaultMessage() const override;
};

// Thrown after the user has been told about a problem; reported by nobody.
class CUserException : public CSimpleException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() {}
    explicit CUserException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    CArchiveException(int cause = CArchiveException::none, LPCSTR lpszArchiveName = NULL);
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    int m_cause;
    CString m_strFileName;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException(int cause = CFileException::none, LONG lOsError = -1, LPCSTR lpszArchiveName = NULL);
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    // Cause for a Win32 error code or a C runtime errno value.
    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);
    static void PASCAL ThrowOsError(LONG lOsError, LPCSTR lpszFileName = NULL);
    static void PASCAL ThrowErrno(int nErrno, LPCSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = NULL);
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = NULL);
[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowUserException();

// Deletes the exception caught by a CATCH macro when the block ends.
struct AFX_EXCEPTION_LINK
{
    CException* m_pException = NULL;
    AFX_EXCEPTION_LINK() {}
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;
    ~AFX_EXCEPTION_LINK() { if (m_pException != NULL) m_pException->Delete(); }
};

#define TRY { AFX_EXCEPTION_LINK _afxExceptionLink; try {
#define CATCH(class_name, e) } catch (class_name* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e) } catch (class_name* e) { _afxExceptionLink.m_pException = e;
#define END_CATCH } }
#define CATCH_ALL(e) } catch (CException* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH_ALL(e) } catch (CException* e) { _afxExceptionLink.m_pException = e;
#define END_CATCH_ALL } }
#define END_TRY } catch (CException* e) { _afxExceptionLink.m_pException = e; } }
#define THROW(e) throw e
#define THROW_LAST() { _afxExceptionLink.m_pException = NULL; throw; }
#define DELETE_EXCEPTION(e) do { if (e) { (e)->Delete(); } } while (0)

/////////////////////////////////////////////////////////////////////////////
// CFile - binary file over a Win32 file handle

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x00000,
        modeWrite = 0x00001,
        modeReadWrite = 0x00002,
        shareCompat = 0x00000,
        shareExclusive = 0x00010,
        shareDenyWrite = 0x00020,
        shareDenyRead = 0x00030,
        shareDenyNone = 0x00040,
        modeNoInherit = 0x00080,
        modeCreate = 0x01000,
        modeNoTruncate = 0x02000,
        typeText = 0x04000,
        typeBinary = 0x08000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000
    };

    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    enum BufferCommand { bufferRead, bufferWrite, bufferCommit, bufferCheck };
    enum BufferFlags { bufferDirect = 0x01, bufferBlocking = 0x02 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    // Opens the file; throws CFileException on failure.
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    virtual ~CFile();

    // Attributes
    HANDLE m_hFile;
    operator HANDLE() const { return m_hFile; }

    virtual ULONGLONG GetPosition() const;
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const;
    virtual void SetFilePath(LPCSTR lpszNewName);

    // Operations
    // Opens the file; on failure returns FALSE and fills *pError when given.
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    static void PASCAL Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void PASCAL Remove(LPCSTR lpszFileName);

    ULONGLONG SeekToEnd();
    void SeekToBegin();

    // Overridables
    virtual CFile* Duplicate() const;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetLength() const;
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void Abort();   // closes without throwing
    virtual void Flush();
    virtual void Close();
    virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL, void** ppBufMax = NULL);

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// Saving a file whole: the new contents go to a temporary file beside the target, named
// "~" + file name + ".tmp" (a short hashed name when that is too long), which is flushed
// to disk and then moved over the target. A temporary file left by an interrupted save
// is reused by the next save of the same target.
CString AFXAPI AfxGetSaveTempPath(LPCSTR lpszFullPath);
// True for names of such temporary files (they are never documents).
BOOL AFXAPI AfxIsSaveTempName(LPCSTR lpszFileName);
// Throws a CFileException (access denied) when the target has the read-only attribute.
void AFXAPI AfxCheckSaveTarget(LPCSTR lpszFullPath);
// Moves the complete temporary file over the target after checking the target again;
// on failure the temporary file is deleted and a CFileException thrown.
void AFXAPI AfxReplaceWithSaveTemp(LPCSTR lpszTempPath, LPCSTR lpszFullPath);
// Saves a whole file that way: pfnWrite writes the contents into the open temporary
// file. Any failure deletes the temporary and throws, a CFileException naming the target.
void AFXAPI AfxWriteWholeFile(LPCSTR lpszPath, void (*pfnWrite)(CFile& file, void* pParam), void* pParam);

/////////////////////////////////////////////////////////////////////////////
// CMemFile - file in a growable memory block

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    virtual ~CMemFile();

    // Uses a caller's buffer; with nGrowBytes 0 the file is fixed to it and
    // starts with its content, otherwise the file starts empty and may grow
    // (the buffer is then freed/reallocated with the C runtime).
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller; the file is empty afterwards.
    BYTE* Detach();

    virtual ULONGLONG GetPosition() const override;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    virtual void SetLength(ULONGLONG dwNewLen) override;
    virtual ULONGLONG GetLength() const override;
    virtual UINT Read(void* lpBuf, UINT nCount) override;
    virtual void Write(const void* lpBuf, UINT nCount) override;
    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    virtual void Abort() override;
    virtual void Flush() override;
    virtual void Close() override;
    virtual CFile* Duplicate() const override;
    virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL, void** ppBufMax = NULL) override;

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;   // the buffer belongs to this object
};

/////////////////////////////////////////////////////////////////////////////
// CSharedFile - memory file in a global memory block (clipboard data)

class CSharedFile : public CMemFile
{
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    virtual ~CSharedFile();

    // Hands the global memory block to the caller (e.g. SetClipboardData);
    // the block is sized to the file's length.  The file is empty afterwards.
    HGLOBAL Detach();
    // Uses a global memory block as the file's content (its whole size).
    // With bAllowGrow the file may reallocate it; otherwise writes past the
    // end fail.  The caller keeps the block when Detach is called.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

protected:
    virtual BYTE* Alloc(SIZE_T nBytes) override;
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    virtual void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;
    BOOL m_bAllowGrow;
};

/////////////////////////////////////////////////////////////////////////////
// CArchive - buffered binary stream over a CFile
//
// Object format: a null object is the 16-bit tag 0; the first object of a
// class starts with 0xFFFF, the 16-bit schema, the 16-bit name length and the
// name; a later object of a known class starts with 0x8000 | class index; an
// object written before is its index.  Classes and objects share one index
// counted from 1 in order of first appearance; an index of 0x7FFF or more is
// written as 0x7FFF and a 32-bit value (top bit set for classes).

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // Attributes
    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }
    // Schema of the object being read, once; later calls answer (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    CDocument* m_pDocument;     // document being loaded or stored, if any

    // Raw data.  Read returns fewer bytes at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    // Reads exactly nCount bytes or throws CArchiveException::endOfFile.
    void EnsureRead(void* lpBuf, UINT nCount);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    void Abort();   // closes without writing buffered data and without throwing

    // Text lines.  WriteString writes the characters as they are (no line
    // end added).  ReadString reads up to the next "\n" or "\r\n" and drops
    // it; it answers FALSE (NULL) at the end of the data.
    void WriteString(LPCSTR lpsz);
    LPSTR ReadString(LPSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Bytes still to be read (buffer plus rest of the file); ULLONG_MAX when
    // the file cannot tell its length and position.
    ULONGLONG GetRemainingBytes();
    // Throws CArchiveException::endOfFile when fewer than nBytes remain.
    void CheckAvailable(ULONGLONG nBytes);

    // Objects
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteObject(const CObject* pOb);
    // TRUE when the last ReadObject returned an object read before in this
    // stream (a back-reference), FALSE for a new object or NULL.
    BOOL IsLastReadBackReference() const { return m_bLastReadBackRef; }

    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL, DWORD* pObTag = NULL);
    void WriteClass(const CRuntimeClass* pClassRef);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Gives pOb an index as if it had been written or read.
    void MapObject(const CObject* pOb);

    // Counts: 16 bits, or 0xFFFF and 32 bits
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
    void SetLoadParams(UINT nGrowBy = 1024);

    // Insertion
    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(LONGLONG dwdw);
    CArchive& operator<<(ULONGLONG dwdw);
    CArchive& operator<<(int i);
    CArchive& operator<<(short w);
    CArchive& operator<<(char ch);
    CArchive& operator<<(wchar_t ch);
    CArchive& operator<<(unsigned u);

    // Extraction
    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(LONGLONG& dwdw);
    CArchive& operator>>(ULONGLONG& dwdw);
    CArchive& operator>>(int& i);
    CArchive& operator>>(short& w);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(wchar_t& ch);
    CArchive& operator>>(unsigned& u);

    friend CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
    friend CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
    friend CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

    UINT m_nObjectSchema;
    CString m_strFileName;

protected:
    void FillBuffer(UINT nBytesNeeded);
    void CheckCount();
    void FreeMaps();
    int ReadLineChar();
    void ReadRaw(void* p, UINT n);
    void WriteRaw(const void* p, UINT n);

    struct LoadEntry;
    struct Maps;

    UINT m_nMode;
    BOOL m_bUserBuf;
    int m_nBufSize;
    CFile* m_pFile;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    BYTE* m_lpBufStart;
    UINT m_nMapCount;           // next index for a class or object
    Maps* m_pMaps;              // index tables, made on first use
    BOOL m_bLastReadBackRef;
    UINT m_nReadDepth;          // objects being read inside each other
};

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size);
CArchive& AFXAPI operator<<(CArchive& ar, POINT point);
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);

#endif // __AFX_H__
