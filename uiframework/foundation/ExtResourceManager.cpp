// ExtResourceManager.cpp - resource lookup in plain and language-aware mode.

#include "stdafx.h"
#include "ExtResourceManager.h"
#include "ExtPaintManager.h"

WORD CExtResourceManager::g_nDefaultLanguage = 1033;

namespace
{

const WORD LANG_SYSTEM_DEFAULT_ID = 0x800;

void ReportLanguage(WORD* pLangFound, WORD nLangID)
{
    if (pLangFound != NULL)
        *pLangFound = nLangID;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CExtResourceManager::ResourceBuffer_t

CExtResourceManager::ResourceBuffer_t::ResourceBuffer_t()
    : m_pData(NULL), m_nSize(0)
{
}

CExtResourceManager::ResourceBuffer_t::~ResourceBuffer_t()
{
    Free();
}

bool CExtResourceManager::ResourceBuffer_t::Alloc(DWORD nSize, bool bZero)
{
    Free();
    if (nSize == 0)
        return false;
    m_pData = (BYTE*)malloc(nSize);
    if (m_pData == NULL)
        return false;
    m_nSize = nSize;
    if (bZero)
        memset(m_pData, 0, nSize);
    return true;
}

// Copies a resource's data into the buffer; an empty resource is an empty buffer.
bool CExtResourceManager::ResourceBuffer_t::LoadFromHandle(HINSTANCE hInst, HRSRC hRsrc)
{
    Free();
    if (hRsrc == NULL)
        return false;
    DWORD nSize = ::SizeofResource(hInst, hRsrc);
    if (nSize == 0)
        return true;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    if (hGlobal == NULL)
        return false;
    const void* pRes = ::LockResource(hGlobal);
    if (pRes == NULL || !Alloc(nSize, false))
        return false;
    memcpy(m_pData, pRes, nSize);
    return true;
}

bool CExtResourceManager::ResourceBuffer_t::LoadFrom(HINSTANCE hInst, LPCTSTR lpszType,
                                                     LPCTSTR lpszName, WORD nLangID)
{
    Free();
    HRSRC hRsrc = ::FindResourceExA(hInst, lpszType, lpszName, nLangID);
    if (hRsrc == NULL)
        return false;
    return LoadFromHandle(hInst, hRsrc);
}

void CExtResourceManager::ResourceBuffer_t::Free()
{
    if (m_pData != NULL)
        free(m_pData);
    m_pData = NULL;
    m_nSize = 0;
}

/////////////////////////////////////////////////////////////////////////////
// CExtResourceManager

CExtResourceManager::CExtResourceManager()
    : m_bFlags(0), m_nLangID(1033)
{
}

CExtResourceManager::~CExtResourceManager()
{
}

bool CExtResourceManager::IsLanguageAware() const
{
    return (m_bFlags & 0x01) != 0;
}

void CExtResourceManager::SetLanguageAware(bool bLanguageAware)
{
    if (bLanguageAware)
        m_bFlags |= 0x01;
    else
        m_bFlags &= ~0x01;
}

WORD CExtResourceManager::GetLanguage() const
{
    return m_nLangID;
}

void CExtResourceManager::SetLanguage(WORD nLangID)
{
    m_nLangID = nLangID;
}

WORD CExtResourceManager::GetDefaultLanguage() const
{
    return g_nDefaultLanguage;
}

// The manager's languages first (language-aware), then the system, the user and locale 0.
int CExtResourceManager::GetLocaleInfo(LCTYPE lcType, LPSTR lpBuffer, int nBufferSize)
{
    int nResult = 0;
    if (IsLanguageAware())
    {
        nResult = ::GetLocaleInfoA(MAKELCID(GetLanguage(), SORT_DEFAULT), lcType,
                                   lpBuffer, nBufferSize);
        if (nResult != 0)
            return nResult;
        nResult = ::GetLocaleInfoA(MAKELCID(GetDefaultLanguage(), SORT_DEFAULT), lcType,
                                   lpBuffer, nBufferSize);
        if (nResult != 0)
            return nResult;
    }
    nResult = ::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, lcType, lpBuffer, nBufferSize);
    if (nResult != 0)
        return nResult;
    nResult = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, lcType, lpBuffer, nBufferSize);
    if (nResult != 0)
        return nResult;
    return ::GetLocaleInfoA(0, lcType, lpBuffer, nBufferSize);
}

// The module holding a resource, in a language when language-aware; NULL if none.
HINSTANCE CExtResourceManager::FindResourceHandle(LPCTSTR lpszType, LPCTSTR lpszName,
                                                  WORD nLangID, WORD* pLangFound,
                                                  HRSRC* phRsrc)
{
    ReportLanguage(pLangFound, GetDefaultLanguage());
    if (phRsrc != NULL)
        *phRsrc = NULL;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (hInst == NULL)
        return NULL;
    HRSRC hRsrc = IsLanguageAware()
        ? ::FindResourceExA(hInst, lpszType, lpszName, nLangID)
        : ::FindResourceA(hInst, lpszName, lpszType);
    if (hRsrc == NULL)
        return NULL;
    if (IsLanguageAware())
        ReportLanguage(pLangFound, nLangID);
    if (phRsrc != NULL)
        *phRsrc = hRsrc;
    return hInst;
}

HINSTANCE CExtResourceManager::FindResourceHandle(LPCTSTR lpszType, LPCTSTR lpszName,
                                                  WORD nLangIdA, WORD nLangIdB,
                                                  WORD* pLangFound, HRSRC* phRsrc)
{
    HINSTANCE hInst = FindResourceHandle(lpszType, lpszName, nLangIdA, pLangFound, phRsrc);
    if (hInst == NULL && IsLanguageAware() && nLangIdB != nLangIdA)
        hInst = FindResourceHandle(lpszType, lpszName, nLangIdB, pLangFound, phRsrc);
    return hInst;
}

HINSTANCE CExtResourceManager::FindResourceHandle(LPCTSTR lpszType, LPCTSTR lpszName,
                                                  WORD* pLangFound, HRSRC* phRsrc)
{
    return FindResourceHandle(lpszType, lpszName, GetLanguage(), GetDefaultLanguage(),
                              pLangFound, phRsrc);
}

// Copies a resource's data, in a language when language-aware; false if missing.
bool CExtResourceManager::LoadResourceData(ResourceBuffer_t& buffer, LPCTSTR lpszType,
                                           LPCTSTR lpszName, WORD nLangID,
                                           WORD* pLangFound, HINSTANCE* phInst)
{
    ReportLanguage(pLangFound, GetDefaultLanguage());
    if (phInst != NULL)
        *phInst = NULL;
    HINSTANCE hInst = AfxGetResourceHandle();
    buffer.Free();
    if (hInst == NULL)
        return false;
    WORD nLang = IsLanguageAware() ? nLangID : LANG_SYSTEM_DEFAULT_ID;
    if (!buffer.LoadFrom(hInst, lpszType, lpszName, nLang))
        return false;
    if (IsLanguageAware())
        ReportLanguage(pLangFound, nLangID);
    if (phInst != NULL)
        *phInst = hInst;
    return true;
}

bool CExtResourceManager::LoadResourceData(ResourceBuffer_t& buffer, LPCTSTR lpszType,
                                           LPCTSTR lpszName, WORD nLangIdA, WORD nLangIdB,
                                           WORD* pLangFound, HINSTANCE* phInst)
{
    if (LoadResourceData(buffer, lpszType, lpszName, nLangIdA, pLangFound, phInst))
        return true;
    if (IsLanguageAware() && nLangIdB != nLangIdA)
        return LoadResourceData(buffer, lpszType, lpszName, nLangIdB, pLangFound, phInst);
    return false;
}

bool CExtResourceManager::LoadResourceData(ResourceBuffer_t& buffer, LPCTSTR lpszType,
                                           LPCTSTR lpszName, WORD* pLangFound,
                                           HINSTANCE* phInst)
{
    return LoadResourceData(buffer, lpszType, lpszName, GetLanguage(), GetDefaultLanguage(),
                            pLangFound, phInst);
}

// Walks the 16 counted strings of a block up to entry nID % 16, never past its end.
bool CExtResourceManager::ExtractStringFromBlock(const BYTE* pData, DWORD nSize, UINT nID,
                                                 CString& strOut)
{
    strOut.Empty();
    if (pData == NULL)
        return false;
    const WCHAR* pw = (const WCHAR*)pData;
    DWORD nWords = nSize / sizeof(WCHAR);
    DWORD nPos = 0;
    for (UINT i = 0; i < (nID & 0x0F); i++)
    {
        if (nPos >= nWords)
            return false;
        nPos += 1 + (DWORD)pw[nPos];
    }
    if (nPos >= nWords)
        return false;
    DWORD nLen = pw[nPos];
    if (nLen == 0)
        return true;
    if (nPos + 1 + nLen > nWords)
        return false;
    const WCHAR* pText = pw + nPos + 1;
    int nBytes = ::WideCharToMultiByte(CP_THREAD_ACP, 0, pText, (int)nLen, NULL, 0, NULL, NULL);
    if (nBytes <= 0)
        return false;
    LPSTR pOut = strOut.GetBuffer(nBytes);
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, pText, (int)nLen, pOut, nBytes, NULL, NULL);
    strOut.ReleaseBuffer(nBytes);
    return true;
}

// Loads a string, trying two languages in turn when language-aware.
bool CExtResourceManager::LoadStringFromTable(CString& strOut, UINT nID, WORD nLangIdA,
                                              WORD nLangIdB, WORD* pLangFound,
                                              HINSTANCE* phInst)
{
    if (!IsLanguageAware())
    {
        ReportLanguage(pLangFound, GetDefaultLanguage());
        HINSTANCE hInst = AfxFindStringResourceHandle(nID);
        if (phInst != NULL)
            *phInst = hInst;
        if (hInst == NULL)
            return false;
        return strOut.LoadString(hInst, nID) != FALSE;
    }
    strOut.Empty();
    ResourceBuffer_t buffer;
    if (!LoadResourceData(buffer, RT_STRING, MAKEINTRESOURCE((nID >> 4) + 1),
                          nLangIdA, nLangIdB, pLangFound, phInst))
        return false;
    return ExtractStringFromBlock(buffer.GetBuffer(), buffer.GetSize(), nID, strOut);
}

bool CExtResourceManager::LoadString(CString& strOut, UINT nID, WORD* pLangFound,
                                     HINSTANCE* phInst)
{
    return LoadStringFromTable(strOut, nID, GetLanguage(), GetDefaultLanguage(),
                               pLangFound, phInst);
}

// Loads a menu, trying two languages in turn when language-aware.
bool CExtResourceManager::LoadMenu(CMenu* pMenu, LPCTSTR lpszName, WORD nLangIdA,
                                   WORD nLangIdB, WORD* pLangFound, HINSTANCE* phInst)
{
    if (pMenu == NULL)
        return false;
    pMenu->DestroyMenu();
    if (!IsLanguageAware())
    {
        ReportLanguage(pLangFound, GetDefaultLanguage());
        HINSTANCE hInst = AfxGetResourceHandle();
        if (phInst != NULL)
            *phInst = hInst;
        HMENU hMenu = ::LoadMenuA(hInst, lpszName);
        if (hMenu == NULL)
            return false;
        return pMenu->Attach(hMenu) != FALSE;
    }
    ResourceBuffer_t buffer;
    if (!LoadResourceData(buffer, RT_MENU, lpszName, nLangIdA, nLangIdB, pLangFound, phInst)
        || buffer.IsEmpty())
        return false;
    HMENU hMenu = ::LoadMenuIndirectA(buffer.GetBuffer());
    if (hMenu == NULL)
        return false;
    return pMenu->Attach(hMenu) != FALSE;
}

bool CExtResourceManager::LoadMenu(CMenu* pMenu, UINT nID, WORD* pLangFound, HINSTANCE* phInst)
{
    return LoadMenu(pMenu, MAKEINTRESOURCE(nID), GetLanguage(), GetDefaultLanguage(),
                    pLangFound, phInst);
}

bool CExtResourceManager::LoadMenu(CMenu* pMenu, LPCTSTR lpszName, WORD* pLangFound,
                                   HINSTANCE* phInst)
{
    return LoadMenu(pMenu, lpszName, GetLanguage(), GetDefaultLanguage(), pLangFound, phInst);
}

// Resource entries are 8 bytes (flags, key, command, padding); ACCEL entries are 6.
HACCEL CExtResourceManager::LoadAccelerators(LPCTSTR lpszName, WORD nLangIdA, WORD nLangIdB,
                                             WORD* pLangFound, HINSTANCE* phInst)
{
    if (!IsLanguageAware())
    {
        ReportLanguage(pLangFound, GetDefaultLanguage());
        HINSTANCE hInst = AfxGetResourceHandle();
        if (phInst != NULL)
            *phInst = hInst;
        return ::LoadAcceleratorsA(hInst, lpszName);
    }
    ResourceBuffer_t buffer;
    if (!LoadResourceData(buffer, RT_ACCELERATOR, lpszName, nLangIdA, nLangIdB,
                          pLangFound, phInst))
        return NULL;
    DWORD nCount = buffer.GetSize() / 8;
    if (nCount == 0)
        return NULL;
    ACCEL* pAccel = new ACCEL[nCount];
    const BYTE* p = buffer.GetBuffer();
    for (DWORD i = 0; i < nCount; i++, p += 8)
    {
        WORD wFlags, wKey, wCmd;
        memcpy(&wFlags, p, 2);
        memcpy(&wKey, p + 2, 2);
        memcpy(&wCmd, p + 4, 2);
        pAccel[i].fVirt = (BYTE)(wFlags & 0xFF);
        pAccel[i].key = wKey;
        pAccel[i].cmd = wCmd;
    }
    HACCEL hAccel = ::CreateAcceleratorTableA(pAccel, (int)nCount);
    delete[] pAccel;
    return hAccel;
}

HACCEL CExtResourceManager::LoadAccelerators(LPCTSTR lpszName, WORD* pLangFound,
                                             HINSTANCE* phInst)
{
    return LoadAccelerators(lpszName, GetLanguage(), GetDefaultLanguage(), pLangFound, phInst);
}

HACCEL CExtResourceManager::LoadAccelerators(UINT nID, WORD* pLangFound, HINSTANCE* phInst)
{
    return LoadAccelerators(MAKEINTRESOURCE(nID), GetLanguage(), GetDefaultLanguage(),
                            pLangFound, phInst);
}

// Loads a bitmap, trying two languages in turn when language-aware.
HBITMAP CExtResourceManager::LoadBitmap(LPCTSTR lpszName, WORD nLangIdA, WORD nLangIdB,
                                        WORD* pLangFound, HINSTANCE* phInst)
{
    if (phInst != NULL)
        *phInst = NULL;
    if (!IsLanguageAware())
    {
        ReportLanguage(pLangFound, GetDefaultLanguage());
        HINSTANCE hInst = AfxGetResourceHandle();
        if (phInst != NULL)
            *phInst = hInst;
        return ::LoadBitmapA(hInst, lpszName);
    }
    HRSRC hRsrc = NULL;
    HINSTANCE hInst = FindResourceHandle(RT_BITMAP, lpszName, nLangIdA, nLangIdB,
                                         pLangFound, &hRsrc);
    if (hInst == NULL || hRsrc == NULL)
        return NULL;
    if (phInst != NULL)
        *phInst = hInst;
    return CExtPaintManager::LoadBitmapFromResource(hInst, hRsrc);
}

HBITMAP CExtResourceManager::LoadBitmap(LPCTSTR lpszName, WORD* pLangFound, HINSTANCE* phInst)
{
    return LoadBitmap(lpszName, GetLanguage(), GetDefaultLanguage(), pLangFound, phInst);
}

HBITMAP CExtResourceManager::LoadBitmap(UINT nID, WORD* pLangFound, HINSTANCE* phInst)
{
    return LoadBitmap(MAKEINTRESOURCE(nID), GetLanguage(), GetDefaultLanguage(),
                      pLangFound, phInst);
}

/////////////////////////////////////////////////////////////////////////////
// CExtResourceManagerHolder

CExtResourceManagerHolder::~CExtResourceManagerHolder()
{
    delete m_pManager;
    m_pManager = NULL;
}

CExtResourceManager* CExtResourceManagerHolder::GetManager()
{
    if (m_pManager == NULL)
        InstallResourceManager(NULL);
    return m_pManager;
}

void CExtResourceManagerHolder::InstallResourceManager(CExtResourceManager* p)
{
    if (p != NULL && p == m_pManager)
        return;
    delete m_pManager;
    m_pManager = (p != NULL) ? p : new CExtResourceManager;
}
