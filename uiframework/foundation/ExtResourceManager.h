// ExtResourceManager.h - the framework's loader of strings, menus, accelerators and bitmaps.
//
// Declares CExtResourceManager with CExtResourceManager::ResourceBuffer_t, and the holder
// CExtResourceManagerHolder with its process-wide object g_ResourceManagerHolder.
//
// Notes
// - Resources always come from the class library's resource module (AfxGetResourceHandle).
// - Plain mode (the default) uses the platform's loaders. Language-aware mode looks every
//   resource up for the manager's language, then for the default language, and builds
//   strings, menus and accelerator tables from the raw resource data itself.
// - pLangFound, phInst and phRsrc may be NULL. When given, pLangFound first receives the
//   default language and, on success, the language the resource was found under.
// - All lookups report failure as FALSE or NULL.

#pragma once

#include "afxwin.h"

// CExtResourceManager finds and loads the framework's resources.
class CExtResourceManager
{
public:
    // An owned copy of one resource's bytes.
    struct ResourceBuffer_t
    {
        ResourceBuffer_t();
        ~ResourceBuffer_t();
        ResourceBuffer_t(const ResourceBuffer_t&) = delete;
        ResourceBuffer_t& operator=(const ResourceBuffer_t&) = delete;

        // Frees the old block and allocates nSize bytes; FALSE for size 0.
        bool Alloc(DWORD nSize, bool bZero = false);
        // Copies the loaded resource; an empty resource leaves the buffer empty.
        bool LoadFromHandle(HINSTANCE hInst, HRSRC hRsrc);
        // Finds the resource for exactly that language and copies it.
        bool LoadFrom(HINSTANCE hInst, LPCTSTR lpszType, LPCTSTR lpszName, WORD nLangID);
        void Free();

        BYTE* GetBuffer() const { return m_pData; }
        DWORD GetSize() const { return m_nSize; }
        bool IsEmpty() const { return m_pData == NULL || m_nSize == 0; }

        BYTE* m_pData;          // owned
        DWORD m_nSize;          // bytes
    };

    static WORD g_nDefaultLanguage;     // 1033

    CExtResourceManager();
    virtual ~CExtResourceManager();
    CExtResourceManager(const CExtResourceManager&) = delete;
    CExtResourceManager& operator=(const CExtResourceManager&) = delete;

    // Attributes
    virtual bool IsLanguageAware() const;
    virtual void SetLanguageAware(bool bLanguageAware);
    virtual WORD GetLanguage() const;
    virtual void SetLanguage(WORD nLangID);
    virtual WORD GetDefaultLanguage() const;
    virtual int GetLocaleInfo(LCTYPE lcType, LPSTR lpBuffer, int nBufferSize);

    // Finding resources
    virtual HINSTANCE FindResourceHandle(LPCTSTR lpszType, LPCTSTR lpszName, WORD nLangID,
                                         WORD* pLangFound, HRSRC* phRsrc);
    virtual HINSTANCE FindResourceHandle(LPCTSTR lpszType, LPCTSTR lpszName,
                                         WORD nLangIdA, WORD nLangIdB,
                                         WORD* pLangFound, HRSRC* phRsrc);
    virtual HINSTANCE FindResourceHandle(LPCTSTR lpszType, LPCTSTR lpszName,
                                         WORD* pLangFound = NULL, HRSRC* phRsrc = NULL);

    // Raw resource data
    virtual bool LoadResourceData(ResourceBuffer_t& buffer, LPCTSTR lpszType, LPCTSTR lpszName,
                                  WORD nLangID, WORD* pLangFound, HINSTANCE* phInst);
    virtual bool LoadResourceData(ResourceBuffer_t& buffer, LPCTSTR lpszType, LPCTSTR lpszName,
                                  WORD nLangIdA, WORD nLangIdB,
                                  WORD* pLangFound, HINSTANCE* phInst);
    virtual bool LoadResourceData(ResourceBuffer_t& buffer, LPCTSTR lpszType, LPCTSTR lpszName,
                                  WORD* pLangFound = NULL, HINSTANCE* phInst = NULL);

    // Strings
    virtual bool LoadStringFromTable(CString& strOut, UINT nID, WORD nLangIdA, WORD nLangIdB,
                                     WORD* pLangFound, HINSTANCE* phInst);
    virtual bool LoadString(CString& strOut, UINT nID, WORD* pLangFound = NULL,
                            HINSTANCE* phInst = NULL);

    // Menus: the CMenu's current menu is destroyed first.
    virtual bool LoadMenu(CMenu* pMenu, LPCTSTR lpszName, WORD nLangIdA, WORD nLangIdB,
                          WORD* pLangFound, HINSTANCE* phInst);
    virtual bool LoadMenu(CMenu* pMenu, UINT nID, WORD* pLangFound = NULL,
                          HINSTANCE* phInst = NULL);
    virtual bool LoadMenu(CMenu* pMenu, LPCTSTR lpszName, WORD* pLangFound = NULL,
                          HINSTANCE* phInst = NULL);

    // Accelerator tables; the caller destroys the table.
    virtual HACCEL LoadAccelerators(LPCTSTR lpszName, WORD nLangIdA, WORD nLangIdB,
                                    WORD* pLangFound, HINSTANCE* phInst);
    virtual HACCEL LoadAccelerators(LPCTSTR lpszName, WORD* pLangFound = NULL,
                                    HINSTANCE* phInst = NULL);
    virtual HACCEL LoadAccelerators(UINT nID, WORD* pLangFound = NULL, HINSTANCE* phInst = NULL);

    // Bitmaps; the caller deletes the bitmap.
    virtual HBITMAP LoadBitmap(LPCTSTR lpszName, WORD nLangIdA, WORD nLangIdB,
                               WORD* pLangFound, HINSTANCE* phInst);
    virtual HBITMAP LoadBitmap(LPCTSTR lpszName, WORD* pLangFound = NULL,
                               HINSTANCE* phInst = NULL);
    virtual HBITMAP LoadBitmap(UINT nID, WORD* pLangFound = NULL, HINSTANCE* phInst = NULL);

    // The text of entry nID of a raw string-table block (16 counted UTF-16 strings);
    // FALSE when the block is too short for the entry.
    static bool ExtractStringFromBlock(const BYTE* pData, DWORD nSize, UINT nID,
                                       CString& strOut);

protected:
    BYTE m_bFlags;              // bit 0: language-aware mode
    WORD m_nLangID;             // the manager's language
};

// Owner of the process-wide resource manager, made on first use.
class CExtResourceManagerHolder
{
public:
    constexpr CExtResourceManagerHolder() : m_pManager(NULL) {}
    ~CExtResourceManagerHolder();
    CExtResourceManagerHolder(const CExtResourceManagerHolder&) = delete;
    CExtResourceManagerHolder& operator=(const CExtResourceManagerHolder&) = delete;

    CExtResourceManager* GetManager();
    CExtResourceManager* operator->() { return GetManager(); }
    // Deletes the current manager and installs p (a new default manager for NULL); owns p.
    void InstallResourceManager(CExtResourceManager* p);

    CExtResourceManager* m_pManager;    // owned; NULL until first use
};

extern CExtResourceManagerHolder g_ResourceManagerHolder;
