// Values read back from the registry are range-checked: recent-file names longer than a
// path and absurd preview page counts are not taken.

#include "demo.h"
#include <gtest/gtest.h>
#include <shlwapi.h>

namespace
{
const char s_szRangeKey[] = "StickwellRangeTests";

class RegistryRanges : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\") + s_szRangeKey);
        m_pApp = new CDemoApp;
        AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR)"", SW_SHOW);
        m_pApp->SetRegistryKey(s_szRangeKey);
    }
    void TearDown() override
    {
        delete m_pApp;
        ::SHDeleteKeyA(HKEY_CURRENT_USER, CString("Software\\") + s_szRangeKey);
    }

    CDemoApp* m_pApp;
};
}

TEST_F(RegistryRanges, RecentFileNamesLongerThanAPathAreDropped)
{
    const CString strHuge('x', 1024 * 1024);
    const CString strLongest = "C:\\" + CString('y', MAX_PATH - 4);     // MAX_PATH - 1 long
    ASSERT_TRUE(m_pApp->WriteProfileString("Recent File List", "File1", strHuge));
    ASSERT_TRUE(m_pApp->WriteProfileString("Recent File List", "File2", "C:\\kept.labf"));
    ASSERT_TRUE(m_pApp->WriteProfileString("Recent File List", "File3", "C:\\" + CString('z', MAX_PATH)));
    ASSERT_TRUE(m_pApp->WriteProfileString("Recent File List", "File4", strLongest));

    m_pApp->LoadStdProfileSettings(4);
    ASSERT_TRUE(m_pApp->m_pRecentFileList != NULL);
    CRecentFileList& list = *m_pApp->m_pRecentFileList;
    EXPECT_STREQ("C:\\kept.labf", list[0]);
    EXPECT_STREQ(strLongest, list[1]);
    EXPECT_TRUE(list[2].IsEmpty());
    EXPECT_TRUE(list[3].IsEmpty());
}

TEST_F(RegistryRanges, PreviewPageCountsOutOfRangeAreTakenAsUnset)
{
    for (UINT n : { 0xFFFFFFFFu, 3u, 1000u })
    {
        SCOPED_TRACE(n);
        ASSERT_TRUE(m_pApp->WriteProfileInt("Settings", "PreviewPages", (int)n));
        m_pApp->LoadStdProfileSettings(4);
        EXPECT_EQ(0u, m_pApp->m_nNumPreviewPages);
    }
    ASSERT_TRUE(m_pApp->WriteProfileInt("Settings", "PreviewPages", 2));
    m_pApp->LoadStdProfileSettings(4);
    EXPECT_EQ(2u, m_pApp->m_nNumPreviewPages);
}
