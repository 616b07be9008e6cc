// ExtRegistryArchive.cpp - the chunked registry archive and the command profile stream.
//
// Layout under the key path: "data_size" (REG_DWORD, stream length), sub-keys
// "block_0x%08lX" of 128 chunks each holding "data_0x%08lX" (REG_BINARY, 16 bytes, the
// last one the remainder; chunks are numbered over the whole stream), "data_integrity"
// (REG_SZ checksum text) and "data_generator" (REG_SZ).

#include "stdafx.h"
#include "ExtCmdManager.h"

namespace
{

const UINT CHUNK_SIZE = 16;
const UINT CHUNKS_PER_BLOCK = 128;
LPCTSTR const VALUE_DATA_SIZE = _T("data_size");
LPCTSTR const VALUE_DATA_INTEGRITY = _T("data_integrity");
LPCTSTR const VALUE_DATA_GENERATOR = _T("data_generator");
LPCTSTR const SECTION_COMMAND_MANAGER = _T("CommandManager");
const DWORD PROFILE_STREAM_SHORT_VERSION = 0x203;

CString MakeBlockKeyPath(LPCTSTR sKeyPath, DWORD nChunk)
{
    CString strPath;
    strPath.Format("%s\\block_0x%08lX", sKeyPath, (unsigned long)(nChunk / CHUNKS_PER_BLOCK));
    return strPath;
}

CString MakeChunkValueName(DWORD nChunk)
{
    CString strName;
    strName.Format("data_0x%08lX", (unsigned long)nChunk);
    return strName;
}

// Deletes the key with everything below it; sub-keys are enumerated from the last.
void DeleteRegistryTree(HKEY hRoot, LPCTSTR sKeyPath)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(hRoot, sKeyPath, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS)
    {
        DWORD nSubKeys = 0;
        if (::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &nSubKeys, NULL, NULL, NULL, NULL,
                               NULL, NULL, NULL) == ERROR_SUCCESS)
        {
            for (DWORD i = nSubKeys; i > 0; i--)
            {
                char szName[MAX_PATH + 1];
                DWORD cchName = MAX_PATH;
                if (::RegEnumKeyExA(hKey, i - 1, szName, &cchName, NULL, NULL, NULL, NULL)
                    != ERROR_SUCCESS)
                    continue;
                szName[MAX_PATH] = 0;
                CString strSub;
                strSub.Format("%s\\%s", sKeyPath, szName);
                DeleteRegistryTree(hRoot, strSub);
            }
        }
        ::RegCloseKey(hKey);
    }
    ::RegDeleteKeyA(hRoot, sKeyPath);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Version

DWORD CExtCmdManager::GetVersionNumber(bool bShort)
{
    static CCriticalSection s_cs;
    static DWORD s_dwVersion = 0;
    if (bShort)
        return 0x203;
    s_cs.Lock();
    if (s_dwVersion == 0)
        s_dwVersion = 0x02030000;
    DWORD dwVersion = s_dwVersion;
    s_cs.Unlock();
    return dwVersion;
}

void CExtCmdManager::GetVersionText(CString& strOut, char chSeparator)
{
    DWORD dw = GetVersionNumber(false);
    strOut.Format("%d%c%d%c%d%c%d",
                  (int)((dw >> 24) & 0xFF), chSeparator, (int)((dw >> 16) & 0xFF), chSeparator,
                  (int)((dw >> 8) & 0xFF), chSeparator, (int)(dw & 0xFF));
}

/////////////////////////////////////////////////////////////////////////////
// CExtCmdManager::ArchiveChecksum_t

CExtCmdManager::ArchiveChecksum_t::ArchiveChecksum_t()
    : m_nPos(0)
{
    m_dwAcc[0] = m_dwAcc[1] = m_dwAcc[2] = m_dwAcc[3] = 0;
}

// Each byte goes into the next accumulator in turn; the top nibble is folded into bits 4-7.
void CExtCmdManager::ArchiveChecksum_t::Update(const BYTE* pData, UINT nCount)
{
    for (UINT i = 0; i < nCount; i++)
    {
        DWORD h = m_dwAcc[m_nPos];
        h = (h << 4) + pData[i];
        DWORD g = h & 0xF0000000u;
        if (g != 0)
        {
            h ^= g >> 24;
            h ^= g;
        }
        m_dwAcc[m_nPos] = h;
        m_nPos = (m_nPos + 1) & 3;
    }
}

void CExtCmdManager::ArchiveChecksum_t::GetText(CString& strOut) const
{
    strOut.Empty();
    for (int i = 0; i < 4; i++)
    {
        DWORD h = m_dwAcc[i];
        strOut.AppendFormat("%s%02X %02X %02X %02X", (i == 0) ? "" : " ",
                            (unsigned)((h >> 24) & 0xFF), (unsigned)((h >> 16) & 0xFF),
                            (unsigned)((h >> 8) & 0xFF), (unsigned)(h & 0xFF));
    }
}

/////////////////////////////////////////////////////////////////////////////
// Key path and archive

CString& CExtCmdManager::MakeRegistryKeyPath(CString& strOut, LPCTSTR sSection,
                                             LPCTSTR sProfile, LPCTSTR sCompany,
                                             LPCTSTR sProduct)
{
    strOut.Format("Software\\%s\\%s\\%s\\%s\\%s\\%s",
                  sCompany != NULL ? sCompany : "", sProduct != NULL ? sProduct : "",
                  "Baymoor230", "Profiles",
                  sProfile != NULL ? sProfile : "", sSection != NULL ? sSection : "");
    strOut.Replace('\r', '_');
    strOut.Replace('\t', '_');
    strOut.Replace('\n', '_');
    strOut.Replace('?', '_');
    strOut.Replace('*', '_');
    return strOut;
}

// Rewrites the whole archive: the old key goes first.
bool CExtCmdManager::SaveStreamToRegistry(CFile& src, LPCTSTR sKeyPath, HKEY hRoot)
{
    if (sKeyPath == NULL)
        return false;
    DeleteRegistryTree(hRoot, sKeyPath);

    src.Seek(0, CFile::begin);
    DWORD nLength = (DWORD)(src.GetLength() & 0xFFFFFFFFu);

    HKEY hKey = NULL;
    if (::RegCreateKeyExA(hRoot, sKeyPath, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                          NULL, &hKey, NULL) != ERROR_SUCCESS)
        return false;
    if (::RegSetValueExA(hKey, VALUE_DATA_SIZE, 0, REG_DWORD, (const BYTE*)&nLength,
                         sizeof(nLength)) != ERROR_SUCCESS)
    {
        ::RegCloseKey(hKey);
        return false;
    }

    ArchiveChecksum_t checksum;
    BYTE chunk[CHUNK_SIZE];
    DWORD nChunk = 0;
    UINT nRead;
    while ((nRead = src.Read(chunk, CHUNK_SIZE)) > 0)
    {
        HKEY hBlock = NULL;
        if (::RegCreateKeyExA(hRoot, MakeBlockKeyPath(sKeyPath, nChunk), 0, NULL,
                              REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &hBlock, NULL)
            != ERROR_SUCCESS)
        {
            ::RegCloseKey(hKey);
            return false;
        }
        LONG nErr = ::RegSetValueExA(hBlock, MakeChunkValueName(nChunk), 0, REG_BINARY,
                                     chunk, nRead);
        ::RegCloseKey(hBlock);
        if (nErr != ERROR_SUCCESS)
        {
            ::RegCloseKey(hKey);
            return false;
        }
        checksum.Update(chunk, nRead);
        nChunk++;
    }

    CString strIntegrity;
    checksum.GetText(strIntegrity);
    if (::RegSetValueExA(hKey, VALUE_DATA_INTEGRITY, 0, REG_SZ, (const BYTE*)(LPCTSTR)strIntegrity,
                         (DWORD)strIntegrity.GetLength() + 1) != ERROR_SUCCESS)
    {
        ::RegCloseKey(hKey);
        return false;
    }

    CString strVersion, strGenerator;
    GetVersionText(strVersion, '.');
    strGenerator.Format("Baymoor v. %s registry archiver", (LPCTSTR)strVersion);
    ::RegSetValueExA(hKey, VALUE_DATA_GENERATOR, 0, REG_SZ, (const BYTE*)(LPCTSTR)strGenerator,
                     (DWORD)strGenerator.GetLength() + 1);
    ::RegCloseKey(hKey);
    return true;
}

// Every chunk must be exactly as long as the stored size leaves for it, and the checksum
// of the bytes read must equal the stored one.
bool CExtCmdManager::LoadStreamFromRegistry(CFile& dest, LPCTSTR sKeyPath, HKEY hRoot)
{
    if (sKeyPath == NULL)
        return false;
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(hRoot, sKeyPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;

    DWORD dwType = 0, nSize = 0, cbData = sizeof(nSize);
    if (::RegQueryValueExA(hKey, VALUE_DATA_SIZE, NULL, &dwType, (BYTE*)&nSize, &cbData)
            != ERROR_SUCCESS
        || dwType != REG_DWORD || cbData != sizeof(nSize))
    {
        ::RegCloseKey(hKey);
        return false;
    }
    if (nSize == 0)
    {
        ::RegCloseKey(hKey);
        return true;
    }

    ArchiveChecksum_t checksum;
    DWORD nDone = 0;
    for (DWORD nChunk = 0; nDone < nSize; nChunk++)
    {
        HKEY hBlock = NULL;
        if (::RegOpenKeyExA(hRoot, MakeBlockKeyPath(sKeyPath, nChunk), 0, KEY_READ, &hBlock)
            != ERROR_SUCCESS)
        {
            ::RegCloseKey(hKey);
            return false;
        }
        DWORD nExpected = nSize - nDone;
        if (nExpected > CHUNK_SIZE)
            nExpected = CHUNK_SIZE;
        BYTE chunk[CHUNK_SIZE];
        DWORD dwChunkType = 0, cbChunk = CHUNK_SIZE;
        LONG nErr = ::RegQueryValueExA(hBlock, MakeChunkValueName(nChunk), NULL, &dwChunkType,
                                       chunk, &cbChunk);
        ::RegCloseKey(hBlock);
        if (nErr != ERROR_SUCCESS || dwChunkType != REG_BINARY || cbChunk != nExpected)
        {
            ::RegCloseKey(hKey);
            return false;
        }
        checksum.Update(chunk, nExpected);
        dest.Write(chunk, nExpected);
        nDone += nExpected;
    }

    CString strComputed;
    checksum.GetText(strComputed);
    char szStored[64];
    memset(szStored, 0, sizeof(szStored));
    DWORD dwTextType = 0, cbText = (DWORD)strComputed.GetLength() + 1;
    LONG nErr = ::RegQueryValueExA(hKey, VALUE_DATA_INTEGRITY, NULL, &dwTextType,
                                   (BYTE*)szStored, &cbText);
    ::RegCloseKey(hKey);
    if (nErr != ERROR_SUCCESS)
        return false;
    if (dwTextType != REG_SZ && dwTextType != REG_EXPAND_SZ && dwTextType != REG_LINK
        && dwTextType != REG_MULTI_SZ)
        return false;
    szStored[strComputed.GetLength() + 1] = 0;
    if (strComputed != szStored)
        return false;
    dest.Seek(0, CFile::begin);
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Command profile stream

// The stream is read whole before anything is applied, so that a stream that ends early
// or carries a wrong version changes nothing.
bool CExtCmdProfile::Serialize(CArchive& ar)
{
    try
    {
        if (ar.IsStoring())
        {
            CString strVersion, strTitle;
            CExtCmdManager::GetVersionText(strVersion, '.');
            strTitle.Format("Baymoor (v. %s) command profile", (LPCTSTR)strVersion);
            ar << strTitle;
            ar << (DWORD)CExtCmdManager::GetVersionNumber(false);
            ar << (DWORD)CExtCmdManager::GetVersionNumber(true);
            for (int i = 0; i < 4; i++)
                ar << (DWORD)0;
            ar << (DWORD)m_nTotalUsage;
            POSITION pos = m_mapCmds.GetStartPosition();
            while (pos != NULL)
            {
                UINT nID = 0;
                CExtCmdItem* pItem = NULL;
                m_mapCmds.GetNextAssoc(pos, nID, pItem);
                if (pItem == NULL || !pItem->IsRecentlyUsed())
                    continue;
                ar << (DWORD)pItem->m_nCmdID;
                ar << (DWORD)pItem->m_nUsageCount;
            }
            ar << (DWORD)0;
            return true;
        }

        CString strTitle;
        DWORD dwVersion = 0, dwShortVersion = 0, dwReserved = 0, dwTotal = 0;
        ar >> strTitle;
        ar >> dwVersion;
        ar >> dwShortVersion;
        if (dwShortVersion != PROFILE_STREAM_SHORT_VERSION)
            return false;
        for (int i = 0; i < 4; i++)
            ar >> dwReserved;
        ar >> dwTotal;
        CArray<DWORD, DWORD> arrRecords;
        for (;;)
        {
            DWORD dwID = 0, dwCount = 0;
            ar >> dwID;
            if (dwID == 0)
                break;
            ar >> dwCount;
            arrRecords.Add(dwID);
            arrRecords.Add(dwCount);
        }
        m_nTotalUsage = dwTotal;
        for (INT_PTR i = 0; i + 1 < arrRecords.GetSize(); i += 2)
        {
            CExtCmdItem* pItem = FindCommand(arrRecords[i]);
            if (pItem != NULL)
                pItem->m_nUsageCount = arrRecords[i + 1];
        }
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return false;
}

// Saves or loads the profile's state as one binary value under the program's registry key; false on failure.
bool CExtCmdProfile::SerializeStateToRegistry(LPCTSTR sCompany, LPCTSTR sProduct, bool bSave)
{
    try
    {
        CString strKeyPath;
        CExtCmdManager::MakeRegistryKeyPath(strKeyPath, SECTION_COMMAND_MANAGER, m_strName,
                                            sCompany, sProduct);
        CMemFile file(1024);
        if (bSave)
        {
            {
                CArchive ar(&file, CArchive::store, 4096);
                if (!Serialize(ar))
                {
                    ar.Abort();
                    return false;
                }
                ar.Flush();
                ar.Close();
            }
            file.Seek(0, CFile::begin);
            return CExtCmdManager::SaveStreamToRegistry(file, strKeyPath, HKEY_CURRENT_USER);
        }
        if (!CExtCmdManager::LoadStreamFromRegistry(file, strKeyPath, HKEY_CURRENT_USER))
            return false;
        file.Seek(0, CFile::begin);
        CArchive ar(&file, CArchive::load, 4096);
        bool bResult = Serialize(ar);
        ar.Abort();
        return bResult;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return false;
}
