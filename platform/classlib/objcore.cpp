// objcore.cpp - CObject, CRuntimeClass, the class registry and small helpers.

#include "afx.h"

#include <vector>

/////////////////////////////////////////////////////////////////////////////
// CObject

const CRuntimeClass CObject::classCObject = {
    "CObject", sizeof(CObject), 0xFFFF, NULL, NULL, NULL, NULL };
static const AFX_CLASSINIT _afxInit_CObject(RUNTIME_CLASS(CObject));

CObject::~CObject()
{
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&)
{
}

void CObject::AssertValid() const
{
}

void CObject::Dump(CDumpContext&) const
{
}

CDumpContext afxDump;

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Class registry

namespace
{
// Function-local so that registrations from any static constructor find it
// ready.
std::vector<CRuntimeClass*>& ClassList()
{
    static std::vector<CRuntimeClass*> s_classes;
    return s_classes;
}

CRITICAL_SECTION* ClassListLock()
{
    static CRITICAL_SECTION* s_pLock = []() {
        static CRITICAL_SECTION cs;
        InitializeCriticalSection(&cs);
        return &cs;
    }();
    return s_pLock;
}

class CClassListLock
{
public:
    CClassListLock() { EnterCriticalSection(ClassListLock()); }
    ~CClassListLock() { LeaveCriticalSection(ClassListLock()); }
    CClassListLock(const CClassListLock&) = delete;
    CClassListLock& operator=(const CClassListLock&) = delete;
};
} // namespace

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass)
{
    if (pNewClass == NULL)
        return;
    CClassListLock lock;
    std::vector<CRuntimeClass*>& classes = ClassList();
    for (CRuntimeClass* pClass : classes)
    {
        if (pClass == pNewClass)
            return;
    }
    classes.push_back(pNewClass);
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    CClassListLock lock;
    for (CRuntimeClass* pClass : ClassList())
    {
        if (strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    }
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != NULL ? pClass->CreateObject() : NULL;
}

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass)
    {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Module handles

namespace
{
HINSTANCE g_hResource = NULL;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return ::GetModuleHandleA(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return g_hResource != NULL ? g_hResource : ::GetModuleHandleA(NULL);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

// The resource module when it has the string's block, else the executable.
HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID)
{
    LPCSTR lpszBlock = MAKEINTRESOURCEA((nID >> 4) + 1);
    HINSTANCE hResource = AfxGetResourceHandle();
    if (::FindResourceA(hResource, lpszBlock, (LPCSTR)RT_STRING) != NULL)
        return hResource;
    HINSTANCE hInstance = AfxGetInstanceHandle();
    if (hInstance != hResource && ::FindResourceA(hInstance, lpszBlock, (LPCSTR)RT_STRING) != NULL)
        return hInstance;
    return NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Diagnostics

void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    CString strMessage;
    strMessage.Format("Assertion failed: %s(%d)\n",
                      lpszFileName != NULL ? lpszFileName : "?", nLine);
    ::OutputDebugStringA(strMessage);
}

void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine)
{
    if (pOb == NULL)
    {
        AfxAssertFailedLine(lpszFileName, nLine);
        return;
    }
    pOb->AssertValid();
}

BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT_PTR nBytes, BOOL)
{
    return lp != NULL || nBytes == 0;
}

BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int)
{
    return lpsz != NULL;
}

BOOL AFXAPI AfxIsValidString(LPCWSTR lpsz, int)
{
    return lpsz != NULL;
}
