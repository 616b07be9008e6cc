// Resource manager: strings, menus, accelerators and bitmaps in plain and language-aware mode.

#include "afxwin.h"
#include "ExtResourceManager.h"
#include "cmd_resource.h"
#include "cmd_test_support.h"

namespace
{

const WORD LANG_EN_US = 1033;
const WORD LANG_DE_DE = 1031;

// A language-aware manager of the test's own.
class LanguageAwareTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_mgr.SetLanguageAware(true);
        m_mgr.SetLanguage(LANG_DE_DE);
    }
    CExtResourceManager m_mgr;
};

// Builds a raw string-table block from up to 16 texts.
std::vector<BYTE> MakeBlock(const std::vector<std::wstring>& texts)
{
    std::vector<BYTE> data;
    for (int i = 0; i < 16; i++)
    {
        std::wstring str = (i < (int)texts.size()) ? texts[i] : std::wstring();
        WORD nLen = (WORD)str.size();
        data.push_back((BYTE)(nLen & 0xFF));
        data.push_back((BYTE)(nLen >> 8));
        for (wchar_t ch : str)
        {
            data.push_back((BYTE)(ch & 0xFF));
            data.push_back((BYTE)(ch >> 8));
        }
    }
    return data;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Plain mode

TEST(ResourceManagerPlain, DefaultManagerIsPlainEnglish)
{
    CExtResourceManager* pMgr = g_ResourceManagerHolder.GetManager();
    ASSERT_NE(pMgr, nullptr);
    EXPECT_EQ(g_ResourceManagerHolder.GetManager(), pMgr);
    EXPECT_FALSE(pMgr->IsLanguageAware());
    EXPECT_EQ(pMgr->GetLanguage(), LANG_EN_US);
    EXPECT_EQ(pMgr->GetDefaultLanguage(), LANG_EN_US);
}

TEST(ResourceManagerPlain, StringsLoadOrReportMissing)
{
    CExtResourceManager mgr;
    CString str = "keep";
    WORD nLang = 0;
    HINSTANCE hInst = NULL;
    EXPECT_TRUE(mgr.LoadString(str, ID_CMD_TEST_OPEN, &nLang, &hInst));
    EXPECT_STREQ(str, "Open an existing document\nOpen");
    EXPECT_EQ(nLang, LANG_EN_US);
    EXPECT_EQ(hInst, AfxGetResourceHandle());
    EXPECT_FALSE(mgr.LoadString(str, ID_CMD_TEST_CUT));
    EXPECT_TRUE(mgr.LoadString(str, IDS_CMD_TEST_130));
    EXPECT_STREQ(str, "one-three-zero");
}

TEST(ResourceManagerPlain, MenusAcceleratorsAndBitmaps)
{
    CExtResourceManager mgr;
    CMenu menu;
    ASSERT_TRUE(mgr.LoadMenu(&menu, IDR_CMD_TEST_MENU));
    ASSERT_NE(menu.GetSafeHmenu(), (HMENU)NULL);
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
    // a second load replaces the first menu
    HMENU hFirst = menu.GetSafeHmenu();
    ASSERT_TRUE(mgr.LoadMenu(&menu, MAKEINTRESOURCE(IDR_CMD_TEST_MENU)));
    EXPECT_NE(menu.GetSafeHmenu(), hFirst);
    EXPECT_FALSE(::IsMenu(hFirst));
    EXPECT_FALSE(mgr.LoadMenu(&menu, 7999));
    EXPECT_EQ(menu.GetSafeHmenu(), (HMENU)NULL);
    EXPECT_FALSE(mgr.LoadMenu(NULL, IDR_CMD_TEST_MENU));

    HACCEL hAccel = mgr.LoadAccelerators(IDR_CMD_TEST_ACCEL);
    ASSERT_NE(hAccel, (HACCEL)NULL);
    EXPECT_EQ(::CopyAcceleratorTableA(hAccel, NULL, 0), 3);
    ::DestroyAcceleratorTable(hAccel);
    EXPECT_EQ(mgr.LoadAccelerators(7999), (HACCEL)NULL);

    HBITMAP hBitmap = mgr.LoadBitmap(IDR_CMD_TEST_TOOLBAR);
    ASSERT_NE(hBitmap, (HBITMAP)NULL);
    BITMAP bm;
    ASSERT_EQ(::GetObjectA(hBitmap, sizeof(bm), &bm), (int)sizeof(bm));
    EXPECT_EQ(bm.bmWidth, 48);
    EXPECT_EQ(bm.bmHeight, 15);
    EXPECT_EQ(BitmapPixel(hBitmap, 16 + 7, 7), RGB(0, 160, 0));
    ::DeleteObject(hBitmap);
}

TEST(ResourceManagerPlain, RawDataOfTheSystemLanguage)
{
    CExtResourceManager mgr;
    CExtResourceManager::ResourceBuffer_t buffer;
    HINSTANCE hInst = NULL;
    ASSERT_TRUE(mgr.LoadResourceData(buffer, RT_ACCELERATOR, MAKEINTRESOURCE(IDR_CMD_TEST_ACCEL),
                                     NULL, &hInst));
    EXPECT_EQ(buffer.GetSize(), 24u);
    EXPECT_EQ(hInst, AfxGetResourceHandle());
    EXPECT_FALSE(mgr.LoadResourceData(buffer, RT_ACCELERATOR, MAKEINTRESOURCE(7999)));
    EXPECT_TRUE(buffer.IsEmpty());
}

TEST(ResourceManagerPlain, FindResourceWithoutLanguage)
{
    CExtResourceManager mgr;
    HRSRC hRsrc = NULL;
    WORD nLang = 0;
    HINSTANCE hInst = mgr.FindResourceHandle(MAKEINTRESOURCE(241),
                                             MAKEINTRESOURCE(IDR_CMD_TEST_TOOLBAR), &nLang, &hRsrc);
    EXPECT_EQ(hInst, AfxGetResourceHandle());
    EXPECT_NE(hRsrc, (HRSRC)NULL);
    hRsrc = (HRSRC)1;
    EXPECT_EQ(mgr.FindResourceHandle(MAKEINTRESOURCE(241), MAKEINTRESOURCE(7999), NULL, &hRsrc),
              (HINSTANCE)NULL);
    EXPECT_EQ(hRsrc, (HRSRC)NULL);
}

/////////////////////////////////////////////////////////////////////////////
// Language-aware mode

TEST_F(LanguageAwareTest, StringFromTheManagersLanguage)
{
    CString str;
    WORD nLang = 0;
    ASSERT_TRUE(m_mgr.LoadString(str, IDS_CMD_TEST_BOTH, &nLang));
    EXPECT_STREQ(str, "Englisch");
    EXPECT_EQ(nLang, LANG_DE_DE);
    ASSERT_TRUE(m_mgr.LoadString(str, IDS_CMD_TEST_DE_BLOCK, &nLang));
    EXPECT_STREQ(str, "Eigener Block");
}

TEST_F(LanguageAwareTest, BlockOnlyInTheDefaultLanguageIsFoundThere)
{
    CString str;
    WORD nLang = 0;
    ASSERT_TRUE(m_mgr.LoadString(str, IDS_CMD_TEST_130, &nLang));
    EXPECT_STREQ(str, "one-three-zero");
    EXPECT_EQ(nLang, LANG_EN_US);
    ASSERT_TRUE(m_mgr.LoadString(str, IDS_CMD_TEST_129));
    EXPECT_STREQ(str, "one-two-nine");
}

TEST_F(LanguageAwareTest, BothLanguagesTheSameLooksOnce)
{
    m_mgr.SetLanguage(LANG_EN_US);
    CString str;
    WORD nLang = 0;
    EXPECT_FALSE(m_mgr.LoadString(str, IDS_CMD_TEST_DE_BLOCK, &nLang));
    EXPECT_EQ(nLang, LANG_EN_US);
    ASSERT_TRUE(m_mgr.LoadString(str, IDS_CMD_TEST_BOTH, &nLang));
    EXPECT_STREQ(str, "English");
}

TEST_F(LanguageAwareTest, EmptySlotOfAFoundBlockIsAnEmptyString)
{
    // 7003 has a slot in the English block of 7002 but no text there
    m_mgr.SetLanguage(LANG_EN_US);
    CString str = "x";
    EXPECT_TRUE(m_mgr.LoadString(str, IDS_CMD_TEST_GERMAN_ONLY));
    EXPECT_STREQ(str, "");
    m_mgr.SetLanguage(LANG_DE_DE);
    EXPECT_TRUE(m_mgr.LoadString(str, IDS_CMD_TEST_GERMAN_ONLY));
    EXPECT_STREQ(str, "Nur Deutsch");
}

TEST_F(LanguageAwareTest, MenusAreBuiltFromTheLanguagesData)
{
    CMenu menu;
    WORD nLang = 0;
    ASSERT_TRUE(m_mgr.LoadMenu(&menu, IDR_CMD_TEST_MENU_DE, &nLang));
    EXPECT_EQ(nLang, LANG_DE_DE);
    CString strText;
    menu.GetMenuString(0, strText, MF_BYPOSITION);
    EXPECT_STREQ(strText, "&Datei");

    ASSERT_TRUE(m_mgr.LoadMenu(&menu, IDR_CMD_TEST_MENU, &nLang));
    EXPECT_EQ(nLang, LANG_EN_US);
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
    CMenu* pFile = menu.GetSubMenu(0);
    ASSERT_NE(pFile, nullptr);
    pFile->GetMenuString(0, strText, MF_BYPOSITION);
    EXPECT_STREQ(strText, "&Open...\tCtrl+O");

    m_mgr.SetLanguage(LANG_EN_US);
    EXPECT_FALSE(m_mgr.LoadMenu(&menu, IDR_CMD_TEST_MENU_DE));
}

TEST_F(LanguageAwareTest, AcceleratorDataOfThreeEntries)
{
    CExtResourceManager::ResourceBuffer_t buffer;
    ASSERT_TRUE(m_mgr.LoadResourceData(buffer, RT_ACCELERATOR,
                                       MAKEINTRESOURCE(IDR_CMD_TEST_ACCEL)));
    EXPECT_EQ(buffer.GetSize(), 24u);
    HACCEL hAccel = m_mgr.LoadAccelerators(IDR_CMD_TEST_ACCEL);
    ASSERT_NE(hAccel, (HACCEL)NULL);
    ACCEL entries[3];
    ASSERT_EQ(::CopyAcceleratorTableA(hAccel, entries, 3), 3);
    EXPECT_EQ(entries[0].cmd, ID_CMD_TEST_OPEN);
    EXPECT_EQ(entries[0].key, 'O');
    EXPECT_EQ(entries[0].fVirt & (FVIRTKEY | FCONTROL), FVIRTKEY | FCONTROL);
    EXPECT_EQ(entries[2].cmd, ID_CMD_TEST_PRINT);
    EXPECT_EQ(entries[2].key, VK_F5);
    ::DestroyAcceleratorTable(hAccel);
}

TEST_F(LanguageAwareTest, BitmapFromTheDefaultLanguage)
{
    WORD nLang = 0;
    HBITMAP hBitmap = m_mgr.LoadBitmap(IDR_CMD_TEST_TOOLBAR, &nLang);
    ASSERT_NE(hBitmap, (HBITMAP)NULL);
    EXPECT_EQ(nLang, LANG_EN_US);
    EXPECT_EQ(BitmapPixel(hBitmap, 32 + 7, 7), RGB(0, 0, 255));
    EXPECT_EQ(BitmapPixel(hBitmap, 0, 0), RGB(192, 192, 192));
    ::DeleteObject(hBitmap);
}

TEST_F(LanguageAwareTest, LocaleInfoFallsBackToTheSystem)
{
    char szName[128] = { 0 };
    EXPECT_GT(m_mgr.GetLocaleInfo(LOCALE_SENGLANGUAGE, szName, sizeof(szName)), 0);
    EXPECT_STREQ(szName, "German");
    // a type no locale knows gives 0 after every fallback
    EXPECT_EQ(m_mgr.GetLocaleInfo(0x7FFF, szName, sizeof(szName)), 0);
    CExtResourceManager plain;
    EXPECT_GT(plain.GetLocaleInfo(LOCALE_SENGLANGUAGE, szName, sizeof(szName)), 0);
}

/////////////////////////////////////////////////////////////////////////////
// String blocks

TEST(ResourceStringBlock, EntriesAreReachedBySkippingTheEarlierOnes)
{
    std::vector<BYTE> block = MakeBlock({ L"zero", L"", L"two", L"three" });
    CString str;
    ASSERT_TRUE(CExtResourceManager::ExtractStringFromBlock(block.data(), (DWORD)block.size(),
                                                            130, str));
    EXPECT_STREQ(str, "two");
    ASSERT_TRUE(CExtResourceManager::ExtractStringFromBlock(block.data(), (DWORD)block.size(),
                                                            16 * 5 + 3, str));
    EXPECT_STREQ(str, "three");
    EXPECT_TRUE(CExtResourceManager::ExtractStringFromBlock(block.data(), (DWORD)block.size(),
                                                            1, str));
    EXPECT_STREQ(str, "");
}

TEST(ResourceStringBlock, TruncatedBlocksAreRefusedWithoutReadingPastThem)
{
    std::vector<BYTE> block = MakeBlock({ L"zero", L"one" });
    CString str;
    // cut inside the text of entry 1
    EXPECT_FALSE(CExtResourceManager::ExtractStringFromBlock(block.data(), 2 + 8 + 2 + 2, 1, str));
    EXPECT_STREQ(str, "");
    // a length that claims more than the block holds
    std::vector<BYTE> lying = { 0xFF, 0x7F, 'a', 0 };
    EXPECT_FALSE(CExtResourceManager::ExtractStringFromBlock(lying.data(), 4, 0, str));
    EXPECT_FALSE(CExtResourceManager::ExtractStringFromBlock(lying.data(), 4, 5, str));
    EXPECT_FALSE(CExtResourceManager::ExtractStringFromBlock(NULL, 0, 0, str));
}

/////////////////////////////////////////////////////////////////////////////
// Holder

TEST(ResourceManagerHolder, InstallReplacesAndOwnsTheManager)
{
    CExtResourceManagerHolder holder;
    EXPECT_EQ(holder.m_pManager, nullptr);
    CExtResourceManager* pDefault = holder.GetManager();
    ASSERT_NE(pDefault, nullptr);
    CExtResourceManager* pMine = new CExtResourceManager;
    pMine->SetLanguageAware(true);
    holder.InstallResourceManager(pMine);
    EXPECT_EQ(holder.GetManager(), pMine);
    holder.InstallResourceManager(pMine);       // the same manager stays installed
    EXPECT_EQ(holder.GetManager(), pMine);
    EXPECT_TRUE(holder->IsLanguageAware());
    holder.InstallResourceManager(NULL);
    EXPECT_FALSE(holder->IsLanguageAware());
}
