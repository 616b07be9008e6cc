// Registry archive: key path, checksum, chunked store and load, refused damage,
// and the command profile stream.

#include "afxwin.h"
#include "ExtCmdManager.h"
#include "cmd_test_support.h"

namespace
{

CString ChecksumText(const void* pData, UINT nCount)
{
    CExtCmdManager::ArchiveChecksum_t checksum;
    checksum.Update((const BYTE*)pData, nCount);
    CString str;
    checksum.GetText(str);
    return str;
}

std::vector<BYTE> Pattern(size_t nBytes)
{
    std::vector<BYTE> data(nBytes);
    for (size_t i = 0; i < nBytes; i++)
        data[i] = (BYTE)(i * 7 + 3);
    return data;
}

bool Store(const std::vector<BYTE>& data, LPCTSTR lpszKey)
{
    CMemFile file;
    if (!data.empty())
        file.Write(data.data(), (UINT)data.size());
    return CExtCmdManager::SaveStreamToRegistry(file, lpszKey, HKEY_CURRENT_USER);
}

bool Load(LPCTSTR lpszKey, std::vector<BYTE>& data)
{
    CMemFile file;
    bool bResult = CExtCmdManager::LoadStreamFromRegistry(file, lpszKey, HKEY_CURRENT_USER);
    data.assign((size_t)file.GetLength(), 0);
    file.SeekToBegin();
    if (!data.empty())
        file.Read(data.data(), (UINT)data.size());
    return bResult;
}

CString BlockKey(const CString& strKey, int nBlock)
{
    CString str;
    str.Format("%s\\block_0x%08X", (LPCTSTR)strKey, nBlock);
    return str;
}

CString ChunkName(int nChunk)
{
    CString str;
    str.Format("data_0x%08X", nChunk);
    return str;
}

// The bytes of a serialized profile stream.
std::vector<BYTE> StoreProfile(CExtCmdProfile& profile)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(profile.Serialize(ar));
        ar.Close();
    }
    std::vector<BYTE> data((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(data.data(), (UINT)data.size());
    return data;
}

bool LoadProfile(CExtCmdProfile& profile, const std::vector<BYTE>& data)
{
    CMemFile file;
    file.Write(data.data(), (UINT)data.size());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    return profile.Serialize(ar);
}

void AppendDword(std::vector<BYTE>& data, DWORD dw)
{
    for (int i = 0; i < 4; i++)
        data.push_back((BYTE)(dw >> (8 * i)));
}

DWORD DwordAt(const std::vector<BYTE>& data, size_t nOffset)
{
    DWORD dw = 0;
    memcpy(&dw, &data[nOffset], 4);
    return dw;
}

const char TITLE[] = "Baymoor (v. 2.3.0.0) command profile";
const size_t TITLE_LEN = sizeof(TITLE) - 1;
const size_t HEADER_LEN = 1 + TITLE_LEN + 7 * 4;     // length byte, title, seven DWORDs

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Version, checksum and key path

TEST(RegistryArchive, VersionNumbersAndText)
{
    EXPECT_EQ(CExtCmdManager::GetVersionNumber(false), 0x02030000u);
    EXPECT_EQ(CExtCmdManager::GetVersionNumber(true), 0x203u);
    CString str;
    CExtCmdManager::GetVersionText(str, '.');
    EXPECT_STREQ(str, "2.3.0.0");
    CExtCmdManager::GetVersionText(str, '-');
    EXPECT_STREQ(str, "2-3-0-0");
}

TEST(RegistryArchive, ChecksumTextOfKnownStreams)
{
    EXPECT_STREQ(ChecksumText("abc", 3), "00 00 00 61 00 00 00 62 00 00 00 63 00 00 00 00");
    EXPECT_STREQ(ChecksumText("", 0), "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");

    // folding of the top nibble: eight bytes 0xFF into one accumulator
    BYTE ff[32];
    memset(ff, 0xFF, sizeof(ff));
    DWORD h = 0;
    for (int i = 0; i < 8; i++)
    {
        h = (h << 4) + 0xFF;
        DWORD g = h & 0xF0000000u;
        if (g != 0)
        {
            h ^= g >> 24;
            h ^= g;
        }
    }
    CString strExpected;
    strExpected.Format("%02X %02X %02X %02X", (unsigned)(h >> 24) & 0xFF,
                       (unsigned)(h >> 16) & 0xFF, (unsigned)(h >> 8) & 0xFF, (unsigned)h & 0xFF);
    CString strText = ChecksumText(ff, 32);
    EXPECT_EQ(strText.GetLength(), 47);
    EXPECT_STREQ(strText.Left(11), strExpected);
    EXPECT_STREQ(strText.Mid(36), strExpected);
}

TEST(RegistryArchive, ChecksumFedInPiecesEqualsChecksumAtOnce)
{
    std::vector<BYTE> data = Pattern(1001);
    CExtCmdManager::ArchiveChecksum_t pieces;
    pieces.Update(data.data(), 5);
    pieces.Update(data.data() + 5, 16);
    pieces.Update(data.data() + 21, 980);
    CString strPieces;
    pieces.GetText(strPieces);
    EXPECT_STREQ(strPieces, ChecksumText(data.data(), 1001));
}

TEST(RegistryArchive, KeyPathFormatAndReplacedCharacters)
{
    CString strPath;
    CExtCmdManager::MakeRegistryKeyPath(strPath, "CommandManager", "Stickwell", "Quorvane",
                                        "Stickwell");
    EXPECT_STREQ(strPath,
                 "Software\\Quorvane\\Stickwell\\Baymoor230\\Profiles\\Stickwell\\CommandManager");

    CString& strResult = CExtCmdManager::MakeRegistryKeyPath(strPath, "Control\rBar",
                                                             "Who?\tMe*", "A\nB", "P");
    EXPECT_EQ(&strResult, &strPath);
    EXPECT_STREQ(strPath, "Software\\A_B\\P\\Baymoor230\\Profiles\\Who__Me_\\Control_Bar");
}

/////////////////////////////////////////////////////////////////////////////
// Store and load

TEST(RegistryArchive, TwentyBytesAreTwoChunksInBlockZero)
{
    CTestRegistryKey key;
    CString strKey = key.Path("Archive");
    std::vector<BYTE> data = Pattern(20);
    ASSERT_TRUE(Store(data, strKey));

    DWORD dwType = 0;
    std::vector<BYTE> value;
    ASSERT_TRUE(ReadRegistryValue(strKey, "data_size", dwType, value));
    EXPECT_EQ(dwType, (DWORD)REG_DWORD);
    ASSERT_EQ(value.size(), 4u);
    EXPECT_EQ(DwordAt(value, 0), 20u);

    ASSERT_TRUE(ReadRegistryValue(BlockKey(strKey, 0), ChunkName(0), dwType, value));
    EXPECT_EQ(dwType, (DWORD)REG_BINARY);
    EXPECT_EQ(value, std::vector<BYTE>(data.begin(), data.begin() + 16));
    ASSERT_TRUE(ReadRegistryValue(BlockKey(strKey, 0), ChunkName(1), dwType, value));
    EXPECT_EQ(value, std::vector<BYTE>(data.begin() + 16, data.end()));
    EXPECT_FALSE(ReadRegistryValue(BlockKey(strKey, 0), ChunkName(2), dwType, value));

    ASSERT_TRUE(ReadRegistryValue(strKey, "data_integrity", dwType, value));
    EXPECT_EQ(dwType, (DWORD)REG_SZ);
    CString strIntegrity = ChecksumText(data.data(), 20);
    ASSERT_EQ(value.size(), (size_t)strIntegrity.GetLength() + 1);
    EXPECT_STREQ((const char*)value.data(), strIntegrity);

    ASSERT_TRUE(ReadRegistryValue(strKey, "data_generator", dwType, value));
    EXPECT_EQ(dwType, (DWORD)REG_SZ);
    EXPECT_STREQ((const char*)value.data(), "Baymoor v. 2.3.0.0 registry archiver");

    std::vector<BYTE> loaded;
    ASSERT_TRUE(Load(strKey, loaded));
    EXPECT_EQ(loaded, data);
}

TEST(RegistryArchive, ChunkNumbersCountOverTheWholeStream)
{
    CTestRegistryKey key;
    CString strKey = key.Path("Big");
    std::vector<BYTE> data = Pattern(2064);
    ASSERT_TRUE(Store(data, strKey));
    DWORD dwType = 0;
    std::vector<BYTE> value;
    EXPECT_TRUE(ReadRegistryValue(BlockKey(strKey, 0), ChunkName(127), dwType, value));
    EXPECT_FALSE(ReadRegistryValue(BlockKey(strKey, 0), ChunkName(128), dwType, value));
    ASSERT_TRUE(ReadRegistryValue(BlockKey(strKey, 1), ChunkName(128), dwType, value));
    EXPECT_EQ(value, std::vector<BYTE>(data.end() - 16, data.end()));
    std::vector<BYTE> loaded;
    ASSERT_TRUE(Load(strKey, loaded));
    EXPECT_EQ(loaded, data);
}

TEST(RegistryArchive, StoreRewritesTheWholeArchive)
{
    CTestRegistryKey key;
    CString strKey = key.Path("Rewrite");
    ASSERT_TRUE(Store(Pattern(2064), strKey));
    std::vector<BYTE> small = { 1, 2, 3 };
    ASSERT_TRUE(Store(small, strKey));
    EXPECT_FALSE(RegistryKeyExists(BlockKey(strKey, 1)));
    DWORD dwType = 0;
    std::vector<BYTE> value;
    EXPECT_FALSE(ReadRegistryValue(BlockKey(strKey, 0), ChunkName(1), dwType, value));
    std::vector<BYTE> loaded;
    ASSERT_TRUE(Load(strKey, loaded));
    EXPECT_EQ(loaded, small);
}

TEST(RegistryArchive, EmptyStreamLoadsAsNothing)
{
    CTestRegistryKey key;
    CString strKey = key.Path("Empty");
    ASSERT_TRUE(Store(std::vector<BYTE>(), strKey));
    EXPECT_FALSE(RegistryKeyExists(BlockKey(strKey, 0)));
    DWORD dwType = 0;
    std::vector<BYTE> value;
    ASSERT_TRUE(ReadRegistryValue(strKey, "data_integrity", dwType, value));
    EXPECT_STREQ((const char*)value.data(), ChecksumText("", 0));

    CMemFile dest;
    BYTE b = 9;
    dest.Write(&b, 1);
    EXPECT_TRUE(CExtCmdManager::LoadStreamFromRegistry(dest, strKey, HKEY_CURRENT_USER));
    EXPECT_EQ(dest.GetLength(), 1u);        // untouched
}

TEST(RegistryArchive, MissingKeyOrNullPathFails)
{
    CTestRegistryKey key;
    std::vector<BYTE> loaded;
    EXPECT_FALSE(Load(key.Path("Nothing"), loaded));
    CMemFile file;
    EXPECT_FALSE(CExtCmdManager::LoadStreamFromRegistry(file, NULL, HKEY_CURRENT_USER));
    EXPECT_FALSE(CExtCmdManager::SaveStreamToRegistry(file, NULL, HKEY_CURRENT_USER));
}

/////////////////////////////////////////////////////////////////////////////
// Damaged archives are refused

class RegistryArchiveDamage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strKey = m_key.Path("Damage");
        m_data = Pattern(40);
        ASSERT_TRUE(Store(m_data, m_strKey));
        std::vector<BYTE> loaded;
        ASSERT_TRUE(Load(m_strKey, loaded));
    }

    bool LoadFails()
    {
        std::vector<BYTE> loaded;
        return !Load(m_strKey, loaded);
    }

    void SetChunk(int nChunk, const std::vector<BYTE>& bytes, DWORD dwType = REG_BINARY)
    {
        ASSERT_TRUE(WriteRegistryValue(BlockKey(m_strKey, 0), ChunkName(nChunk), dwType,
                                       bytes.data(), (DWORD)bytes.size()));
    }

    CTestRegistryKey m_key;
    CString m_strKey;
    std::vector<BYTE> m_data;
};

TEST_F(RegistryArchiveDamage, OneChangedByteFailsTheIntegrityCheck)
{
    std::vector<BYTE> chunk(m_data.begin() + 16, m_data.begin() + 32);
    chunk[3] ^= 0x01;
    SetChunk(1, chunk);
    EXPECT_TRUE(LoadFails());
}

TEST_F(RegistryArchiveDamage, ChangedGeneratorIsNotRead)
{
    const char szOther[] = "someone else";
    ASSERT_TRUE(WriteRegistryValue(m_strKey, "data_generator", REG_SZ, szOther, sizeof(szOther)));
    std::vector<BYTE> loaded;
    EXPECT_TRUE(Load(m_strKey, loaded));
    EXPECT_EQ(loaded, m_data);
}

TEST_F(RegistryArchiveDamage, ChunkLongerThanExpectedFails)
{
    std::vector<BYTE> chunk(m_data.begin(), m_data.begin() + 16);
    chunk.push_back(0);
    SetChunk(0, chunk);
    EXPECT_TRUE(LoadFails());
}

TEST_F(RegistryArchiveDamage, ChunkShorterThanExpectedFails)
{
    // the remaining 8 bytes of the stream stored as 4 bytes
    SetChunk(2, std::vector<BYTE>(m_data.begin() + 32, m_data.begin() + 36));
    EXPECT_TRUE(LoadFails());
}

TEST_F(RegistryArchiveDamage, ShortChunkWithAMatchingChecksumFails)
{
    // a store that lies consistently: the checksum fits the bytes that would be read
    SetChunk(2, std::vector<BYTE>(m_data.begin() + 32, m_data.begin() + 36));
    CString strLie = ChecksumText(m_data.data(), 36);
    ASSERT_TRUE(WriteRegistryValue(m_strKey, "data_integrity", REG_SZ, (LPCTSTR)strLie,
                                   (DWORD)strLie.GetLength() + 1));
    EXPECT_TRUE(LoadFails());
}

TEST_F(RegistryArchiveDamage, ChunkOfAnotherTypeFails)
{
    SetChunk(0, std::vector<BYTE>(m_data.begin(), m_data.begin() + 16), REG_SZ);
    EXPECT_TRUE(LoadFails());
}

TEST_F(RegistryArchiveDamage, MissingChunkFails)
{
    ASSERT_TRUE(DeleteRegistryValue(BlockKey(m_strKey, 0), ChunkName(1)));
    EXPECT_TRUE(LoadFails());
}

TEST_F(RegistryArchiveDamage, SizeLargerThanTheChunksFails)
{
    DWORD dwSize = 0x7FFFFFFF;
    ASSERT_TRUE(WriteRegistryValue(m_strKey, "data_size", REG_DWORD, &dwSize, 4));
    EXPECT_TRUE(LoadFails());
}

TEST_F(RegistryArchiveDamage, SizeSmallerThanTheChunksFails)
{
    DWORD dwSize = 36;
    ASSERT_TRUE(WriteRegistryValue(m_strKey, "data_size", REG_DWORD, &dwSize, 4));
    EXPECT_TRUE(LoadFails());
}

TEST_F(RegistryArchiveDamage, SizeOfAnotherTypeOrMissingFails)
{
    const char szSize[] = "40";
    ASSERT_TRUE(WriteRegistryValue(m_strKey, "data_size", REG_SZ, szSize, sizeof(szSize)));
    EXPECT_TRUE(LoadFails());
    ASSERT_TRUE(DeleteRegistryValue(m_strKey, "data_size"));
    EXPECT_TRUE(LoadFails());
}

TEST_F(RegistryArchiveDamage, IntegrityMissingTooLongOrOfAnotherTypeFails)
{
    CString strGood = ChecksumText(m_data.data(), 40);
    CString strLong = strGood + " 00";
    ASSERT_TRUE(WriteRegistryValue(m_strKey, "data_integrity", REG_SZ, (LPCTSTR)strLong,
                                   (DWORD)strLong.GetLength() + 1));
    EXPECT_TRUE(LoadFails());

    CString strLower = strGood;
    strLower.MakeLower();
    if (strLower != strGood)
    {
        ASSERT_TRUE(WriteRegistryValue(m_strKey, "data_integrity", REG_SZ, (LPCTSTR)strLower,
                                       (DWORD)strLower.GetLength() + 1));
        EXPECT_TRUE(LoadFails());
    }

    ASSERT_TRUE(WriteRegistryValue(m_strKey, "data_integrity", REG_BINARY, (LPCTSTR)strGood,
                                   (DWORD)strGood.GetLength() + 1));
    EXPECT_TRUE(LoadFails());

    // an expandable string of the right text is accepted
    ASSERT_TRUE(WriteRegistryValue(m_strKey, "data_integrity", REG_EXPAND_SZ, (LPCTSTR)strGood,
                                   (DWORD)strGood.GetLength() + 1));
    EXPECT_FALSE(LoadFails());

    ASSERT_TRUE(DeleteRegistryValue(m_strKey, "data_integrity"));
    EXPECT_TRUE(LoadFails());
}

/////////////////////////////////////////////////////////////////////////////
// Command profile stream

TEST(ProfileStream, LayoutOfTheStoredStream)
{
    CExtCmdProfile profile("Stream");
    CExtCmdItem used(300), unused(301), basic(302), sys(SC_CLOSE);
    used.m_nUsageCount = 5;
    basic.m_nUsageCount = 9;
    basic.SetBasic(true);
    sys.m_nUsageCount = 4;
    for (CExtCmdItem* p : { &used, &unused, &basic, &sys })
        ASSERT_TRUE(profile.SetCommand(p));
    profile.m_nTotalUsage = 18;

    std::vector<BYTE> data = StoreProfile(profile);
    ASSERT_EQ(data.size(), HEADER_LEN + 8 + 4);
    EXPECT_EQ(data[0], TITLE_LEN);
    EXPECT_EQ(std::string((const char*)&data[1], TITLE_LEN), std::string(TITLE));
    size_t n = 1 + TITLE_LEN;
    EXPECT_EQ(DwordAt(data, n), 0x02030000u);
    EXPECT_EQ(DwordAt(data, n + 4), 0x203u);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(DwordAt(data, n + 8 + 4 * i), 0u);
    EXPECT_EQ(DwordAt(data, n + 24), 18u);
    EXPECT_EQ(DwordAt(data, n + 28), 300u);
    EXPECT_EQ(DwordAt(data, n + 32), 5u);
    EXPECT_EQ(DwordAt(data, n + 36), 0u);
}

TEST(ProfileStream, OnlyBasicUseWritesNoRecords)
{
    CExtCmdProfile profile("Basic");
    CExtCmdItem basic(310);
    basic.SetBasic(true);
    basic.m_nUsageCount = 3;
    ASSERT_TRUE(profile.SetCommand(&basic));
    profile.m_nTotalUsage = 3;
    std::vector<BYTE> data = StoreProfile(profile);
    ASSERT_EQ(data.size(), HEADER_LEN + 4);
    EXPECT_EQ(DwordAt(data, HEADER_LEN - 4), 3u);
    EXPECT_EQ(DwordAt(data, HEADER_LEN), 0u);
}

TEST(ProfileStream, LoadSetsCountsAndSkipsUnknownIds)
{
    CExtCmdProfile source("Source");
    for (UINT nID = 400; nID < 404; nID++)
    {
        CExtCmdItem item(nID);
        item.m_nUsageCount = nID - 390;
        ASSERT_TRUE(source.SetCommand(&item));
    }
    source.m_nTotalUsage = 1000;
    std::vector<BYTE> data = StoreProfile(source);

    CExtCmdProfile target("Target");
    for (UINT nID = 401; nID < 406; nID++)
    {
        CExtCmdItem item(nID);
        item.m_nUsageCount = 1;
        ASSERT_TRUE(target.SetCommand(&item));
    }
    ASSERT_TRUE(LoadProfile(target, data));
    EXPECT_EQ(target.m_nTotalUsage, 1000u);
    EXPECT_EQ(target.FindCommand(401)->m_nUsageCount, 11u);
    EXPECT_EQ(target.FindCommand(403)->m_nUsageCount, 13u);
    EXPECT_EQ(target.FindCommand(405)->m_nUsageCount, 1u);   // not in the stream
    EXPECT_FALSE(target.CommandExists(400));
}

TEST(ProfileStream, WrongShortVersionLoadsNothing)
{
    CExtCmdProfile source("Source");
    CExtCmdItem item(410);
    item.m_nUsageCount = 8;
    ASSERT_TRUE(source.SetCommand(&item));
    source.m_nTotalUsage = 8;
    std::vector<BYTE> data = StoreProfile(source);
    data[1 + TITLE_LEN + 4] = 0x04;     // 0x204

    CExtCmdProfile target("Target");
    CExtCmdItem mine(410);
    mine.m_nUsageCount = 2;
    ASSERT_TRUE(target.SetCommand(&mine));
    target.m_nTotalUsage = 2;
    EXPECT_FALSE(LoadProfile(target, data));
    EXPECT_EQ(target.m_nTotalUsage, 2u);
    EXPECT_EQ(target.FindCommand(410)->m_nUsageCount, 2u);
}

TEST(ProfileStream, StreamEndingEarlyChangesNothing)
{
    std::vector<BYTE> data;
    data.push_back((BYTE)TITLE_LEN);
    data.insert(data.end(), TITLE, TITLE + TITLE_LEN);
    AppendDword(data, 0x02030000);
    AppendDword(data, 0x203);
    for (int i = 0; i < 4; i++)
        AppendDword(data, 0);
    AppendDword(data, 500);         // total
    AppendDword(data, 420);         // one whole record
    AppendDword(data, 77);
    AppendDword(data, 421);         // a record cut short, no terminator

    CExtCmdProfile target("Target");
    for (UINT nID = 420; nID < 422; nID++)
    {
        CExtCmdItem item(nID);
        item.m_nUsageCount = 1;
        ASSERT_TRUE(target.SetCommand(&item));
    }
    target.m_nTotalUsage = 2;
    EXPECT_FALSE(LoadProfile(target, data));
    EXPECT_EQ(target.m_nTotalUsage, 2u);
    EXPECT_EQ(target.FindCommand(420)->m_nUsageCount, 1u);

    EXPECT_FALSE(LoadProfile(target, std::vector<BYTE>(data.begin(), data.begin() + 10)));
}

TEST(ProfileStream, StateRoundTripThroughTheRegistry)
{
    CTestRegistryKey key;
    CString strProfile;
    strProfile.Format("CmdTest.Registry.%s", (LPCTSTR)key.m_strProduct);
    ASSERT_TRUE(g_CmdManagerHolder->EnsureProfile(strProfile, NULL));
    for (UINT nID = 430; nID < 433; nID++)
    {
        CExtCmdItem item(nID);
        ASSERT_TRUE(g_CmdManagerHolder->SetCommand(strProfile, &item));
    }
    CExtCmdProfile* pProfile = g_CmdManagerHolder->GetProfile(strProfile);
    for (int i = 0; i < 3; i++)
        pProfile->FindCommand(430)->RecordUsage();
    pProfile->FindCommand(432)->RecordUsage();
    EXPECT_EQ(pProfile->m_nTotalUsage, 4u);

    // nothing stored yet
    EXPECT_FALSE(g_CmdManagerHolder->SerializeStateToRegistry(strProfile, key.m_strCompany,
                                                              key.m_strProduct, false));
    ASSERT_TRUE(g_CmdManagerHolder->SerializeStateToRegistry(strProfile, key.m_strCompany,
                                                             key.m_strProduct, true));
    CString strPath;
    CExtCmdManager::MakeRegistryKeyPath(strPath, "CommandManager", strProfile, key.m_strCompany,
                                        key.m_strProduct);
    EXPECT_TRUE(RegistryKeyExists(strPath));
    EXPECT_TRUE(RegistryKeyExists(BlockKey(strPath, 0)));

    pProfile->ResetUsageStatistics();
    EXPECT_EQ(pProfile->FindCommand(430)->m_nUsageCount, 0u);
    ASSERT_TRUE(g_CmdManagerHolder->SerializeStateToRegistry(strProfile, key.m_strCompany,
                                                             key.m_strProduct, false));
    EXPECT_EQ(pProfile->m_nTotalUsage, 4u);
    EXPECT_EQ(pProfile->FindCommand(430)->m_nUsageCount, 3u);
    EXPECT_EQ(pProfile->FindCommand(431)->m_nUsageCount, 0u);
    EXPECT_EQ(pProfile->FindCommand(432)->m_nUsageCount, 1u);

    EXPECT_FALSE(g_CmdManagerHolder->SerializeStateToRegistry("CmdTest.NoSuchProfile",
                                                              key.m_strCompany,
                                                              key.m_strProduct, true));
}

TEST(ProfileStream, EmptyStoredArchiveLoadsAsFailure)
{
    CTestRegistryKey key;
    CExtCmdProfile profile("EmptyArchive");
    CString strPath;
    CExtCmdManager::MakeRegistryKeyPath(strPath, "CommandManager", "EmptyArchive",
                                        key.m_strCompany, key.m_strProduct);
    ASSERT_TRUE(Store(std::vector<BYTE>(), strPath));
    profile.m_nTotalUsage = 6;
    EXPECT_FALSE(profile.SerializeStateToRegistry(key.m_strCompany, key.m_strProduct, false));
    EXPECT_EQ(profile.m_nTotalUsage, 6u);
}
