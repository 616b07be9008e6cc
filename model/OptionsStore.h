// OptionsStore.h - COptionsStore, the values under the application's Options key.
//
// Notes
// - Every value is a REG_DWORD under HKEY_CURRENT_USER (names in OptionsKeys.h). A value
//   that is missing, of another type or of another size reads as absent.
// - Each call opens the key and closes it again; writing creates it when it is missing.

#pragma once

#include "afx.h"
#include "OptionsKeys.h"

// COptionsStore reads and writes the options of one registry key.
class COptionsStore
{
public:
    COptionsStore();                                // the application's Options key
    explicit COptionsStore(const CString& strKeyPath);  // a key under HKEY_CURRENT_USER

    // The application's Options key: below its registry key and profile name, or
    // OPTIONS_KEY while it names none.
    static CString GetApplicationKeyPath();
    const CString& GetKeyPath() const { return m_strKeyPath; }

    // TRUE when the key is there.
    BOOL Exists() const;
    // The value in dwValue; FALSE (dwValue untouched) when it is absent.
    BOOL Read(LPCSTR pszName, DWORD& dwValue) const;
    // The value, or dwDefault when it is absent.
    DWORD Get(LPCSTR pszName, DWORD dwDefault) const;
    // Writes the value; FALSE when the key could not be opened or made, or the value written.
    BOOL Write(LPCSTR pszName, DWORD dwValue);

private:
    CString m_strKeyPath;
};
