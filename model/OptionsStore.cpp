// OptionsStore.cpp - COptionsStore.

#include "OptionsStore.h"
#include "afxwin.h"

COptionsStore::COptionsStore() : m_strKeyPath(GetApplicationKeyPath())
{
}

COptionsStore::COptionsStore(const CString& strKeyPath) : m_strKeyPath(strKeyPath)
{
}

CString COptionsStore::GetApplicationKeyPath()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || pApp->m_pszRegistryKey == NULL || pApp->m_pszProfileName == NULL)
        return OPTIONS_KEY;
    return CString("Software\\") + pApp->m_pszRegistryKey + "\\" + pApp->m_pszProfileName + "\\" +
           OPTIONS_SECTION;
}

BOOL COptionsStore::Exists() const
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, m_strKeyPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
}

// Reads a stored DWORD setting; FALSE when it is missing or of another type, so the caller's default holds.
BOOL COptionsStore::Read(LPCSTR pszName, DWORD& dwValue) const
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, m_strKeyPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    // room for more than a DWORD: a longer value is refused, not cut
    BYTE buffer[2 * sizeof(DWORD)] = {0};
    DWORD dwType = 0, cb = sizeof(buffer);
    const LONG lResult = ::RegQueryValueExA(hKey, pszName, NULL, &dwType, buffer, &cb);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || cb != sizeof(DWORD))
        return FALSE;
    memcpy(&dwValue, buffer, sizeof(DWORD));
    return TRUE;
}

DWORD COptionsStore::Get(LPCSTR pszName, DWORD dwDefault) const
{
    DWORD dwValue = dwDefault;
    return Read(pszName, dwValue) ? dwValue : dwDefault;
}

BOOL COptionsStore::Write(LPCSTR pszName, DWORD dwValue)
{
    HKEY hKey = NULL;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, m_strKeyPath, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL,
                          &hKey, NULL) != ERROR_SUCCESS)
        return FALSE;
    const LONG lResult = ::RegSetValueExA(hKey, pszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}
