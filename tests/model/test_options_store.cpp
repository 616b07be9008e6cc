// The options store: values written come back through the registry, a fresh store
// finds them, and missing or malformed values read as absent.

#include <gtest/gtest.h>

#include "OptionsStore.h"
#include "VarnelDoc.h"

namespace
{
// A key of its own under HKEY_CURRENT_USER, deleted with what it holds at the end.
class CScratchKey
{
public:
    CScratchKey()
    {
        m_strParent.Format("Software\\Quorvane\\StickwellTests\\Store%lu", ::GetCurrentProcessId());
        m_strPath = m_strParent + "\\Options";
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_strParent);
    }
    ~CScratchKey() { ::RegDeleteTreeA(HKEY_CURRENT_USER, m_strParent); }

    // A value of any type written past the store.
    void SetRaw(LPCSTR pszName, DWORD dwType, const void* pData, DWORD cb)
    {
        HKEY hKey = NULL;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, m_strPath, 0, NULL, 0, KEY_WRITE, NULL,
                                                   &hKey, NULL));
        ::RegSetValueExA(hKey, pszName, 0, dwType, (const BYTE*)pData, cb);
        ::RegCloseKey(hKey);
    }
    // The value as the registry holds it; FALSE when it is not a REG_DWORD.
    BOOL GetRaw(LPCSTR pszName, DWORD& dwValue)
    {
        DWORD dwType = 0, cb = sizeof(dwValue);
        return ::RegGetValueA(HKEY_CURRENT_USER, m_strPath, pszName, RRF_RT_ANY, &dwType, &dwValue, &cb) ==
                   ERROR_SUCCESS && dwType == REG_DWORD;
    }

    CString m_strParent;
    CString m_strPath;
};
}

TEST(OptionsStore, ValuesRoundTripThroughTheRegistry)
{
    CScratchKey key;
    COptionsStore store(key.m_strPath);
    EXPECT_FALSE(store.Exists());
    // the key and its parents are made by the first write
    ASSERT_TRUE(store.Write(OPTION_SHADOW_COLOR, 0x00332211));
    ASSERT_TRUE(store.Write(OPTION_GRID_SIZE, 0xFFFFFFFF));
    ASSERT_TRUE(store.Write(OPTION_WINDOW_X, 0));
    EXPECT_TRUE(store.Exists());

    // a store of its own reads what the registry holds
    const COptionsStore reader(key.m_strPath);
    DWORD dwValue = 7;
    ASSERT_TRUE(reader.Read(OPTION_SHADOW_COLOR, dwValue));
    EXPECT_EQ(0x00332211u, dwValue);
    EXPECT_EQ(0xFFFFFFFFu, reader.Get(OPTION_GRID_SIZE, 5));
    EXPECT_EQ(0u, reader.Get(OPTION_WINDOW_X, 5));
    // what the store wrote is a plain REG_DWORD under the same name
    ASSERT_TRUE(key.GetRaw(OPTION_SHADOW_COLOR, dwValue));
    EXPECT_EQ(0x00332211u, dwValue);

    // a value written again replaces the old one
    ASSERT_TRUE(store.Write(OPTION_SHADOW_COLOR, 12));
    EXPECT_EQ(12u, reader.Get(OPTION_SHADOW_COLOR, 5));
}

TEST(OptionsStore, MissingKeyOrValueReadsTheDefault)
{
    CScratchKey key;
    const COptionsStore store(key.m_strPath);
    DWORD dwValue = 42;
    EXPECT_FALSE(store.Read(OPTION_SHOW_TIP, dwValue));
    EXPECT_EQ(42u, dwValue);
    EXPECT_EQ(5u, store.Get(OPTION_SHOW_TIP, 5));

    key.SetRaw(OPTION_GRID_TYPE, REG_DWORD, "\1\0\0\0", 4);
    EXPECT_TRUE(store.Exists());
    EXPECT_FALSE(store.Read(OPTION_SHOW_TIP, dwValue));
    EXPECT_EQ(42u, dwValue);
    EXPECT_EQ(1u, store.Get(OPTION_GRID_TYPE, 5));
}

TEST(OptionsStore, ValuesOfAnotherTypeOrSizeReadAsAbsent)
{
    CScratchKey key;
    const COptionsStore store(key.m_strPath);
    key.SetRaw(OPTION_SHADOW_LENGTH, REG_SZ, "20", 3);
    key.SetRaw(OPTION_GRID_COLOR, REG_BINARY, "\1\2\3\4", 4);
    const ULONGLONG nQword = 9;
    key.SetRaw(OPTION_GRID_SIZE, REG_QWORD, &nQword, sizeof(nQword));
    key.SetRaw(OPTION_SHOW_TIP, REG_DWORD, "\1\0", 2);
    key.SetRaw(OPTION_DISPLAY_GRID, REG_DWORD, "\1\0\0\0\0\0\0\0", 8);
    for (LPCSTR pszName : { OPTION_SHADOW_LENGTH, OPTION_GRID_COLOR, OPTION_GRID_SIZE, OPTION_SHOW_TIP,
                            OPTION_DISPLAY_GRID })
    {
        DWORD dwValue = 42;
        EXPECT_FALSE(store.Read(pszName, dwValue)) << pszName;
        EXPECT_EQ(42u, dwValue) << pszName;
        EXPECT_EQ(5u, store.Get(pszName, 5)) << pszName;
    }
}

TEST(OptionsStore, WithoutAnApplicationTheFixedKeyIsUsed)
{
    EXPECT_STREQ(OPTIONS_KEY, COptionsStore::GetApplicationKeyPath());
    EXPECT_STREQ(OPTIONS_KEY, COptionsStore().GetKeyPath());
    EXPECT_STREQ(OPTIONS_KEY, CVarnelDoc::GetOptionsKeyPath());
}
