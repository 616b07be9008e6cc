// The Access password of a publication saved where the system's data protection is
// missing (crypt32 cannot be loaded): it is left out of the file and asked for when the
// publication is opened again, and the table is read with it.

#include "doc_program.h"
#include "test_support.h"
#include "datadlg_test.h"
#include "data/DataSource.h"
#include "resources/data_resource.h"

#include <algorithm>
#include <vector>

namespace
{
const char kSaveDatabase[] = "STW_SAVE_DATABASE";
const char kSavePublication[] = "STW_SAVE_PUBLICATION";

CString AccessDescription(const CString& strDatabase, const char* pszPassword)
{
    return BuildAdoDescription(DATASOURCE_ACCESS, BuildAccessConnection(strDatabase, pszPassword),
                               "SELECT * FROM Shippers");
}

bool Contains(const std::string& data, const char* psz)
{
    return data.find(psz) != std::string::npos;
}

CString GetEnv(LPCSTR pszName)
{
    char szValue[MAX_PATH * 2] = "";
    const DWORD n = ::GetEnvironmentVariableA(pszName, szValue, sizeof(szValue));
    return n > 0 && n < sizeof(szValue) ? CString(szValue) : CString();
}

// Runs this test program's save step in a process in which crypt32 cannot be loaded: a
// copy of the program that Wine's per-program settings give no crypt32. Its exit code,
// -1 when it did not end.
DWORD SaveWithoutCrypt32(const CString& strDatabase, const CString& strPublication)
{
    char szExe[MAX_PATH];
    ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
    const CString strCopy = CString(szExe).Left(lstrlenA(szExe) - 4) + "-nocrypt32.exe";
    const CString strCopyName = strCopy.Mid(strCopy.ReverseFind('\\') + 1);
    const CString strKey = "Software\\Wine\\AppDefaults\\" + strCopyName;
    HKEY hKey = NULL;
    if (!::CopyFileA(szExe, strCopy, FALSE) ||
        ::RegCreateKeyExA(HKEY_CURRENT_USER, strKey + "\\DllOverrides", 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey,
                          NULL) != ERROR_SUCCESS)
        return (DWORD)-1;
    ::RegSetValueExA(hKey, "crypt32", 0, REG_SZ, (const BYTE*)"", 1);     // disabled
    ::RegCloseKey(hKey);

    ::SetEnvironmentVariableA(kSaveDatabase, strDatabase);
    ::SetEnvironmentVariableA(kSavePublication, strPublication);
    const DWORD dwCode = RunTestInChild(strCopy, "StoredPasswordPrompt.DISABLED_SaveStep");
    ::SetEnvironmentVariableA(kSaveDatabase, NULL);
    ::SetEnvironmentVariableA(kSavePublication, NULL);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, strKey);
    ::DeleteFileA(strCopy);
    return dwCode;
}
} // namespace

// The save step, run only by SaveWithoutCrypt32.
TEST(StoredPasswordPrompt, DISABLED_SaveStep)
{
    const CString strDatabase = GetEnv(kSaveDatabase);
    const CString strPublication = GetEnv(kSavePublication);
    ASSERT_FALSE(strPublication.IsEmpty());
    // the data protection is really missing here
    ASSERT_TRUE(::LoadLibraryA("crypt32.dll") == NULL);

    CMessageBoxRecorder boxes;
    CVarnelDoc doc;
    doc.m_strDataSource = AccessDescription(strDatabase, "sesame");
    ASSERT_TRUE(doc.OnSaveDocument(strPublication));
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_GE(boxes.GetCall(0).m_strText.Find("It will be asked for when the data source is next opened."), 0);
}

TEST(StoredPasswordPrompt, APasswordLeftOutOfTheFileIsAskedForOnReopeningAndNotStored)
{
    CTempFolder folder;
    const CString strDatabase = folder.File("shop.mdb");
    const CString strPublication = folder.File("shop.labf");
    WriteWholeFile(strDatabase, AccessFileWithPassword(NwindPath(), L"sesame"));
    ASSERT_EQ(0u, SaveWithoutCrypt32(strDatabase, strPublication));
    const std::string stored = ReadFileBytes(strPublication);
    ASSERT_FALSE(stored.empty());
    EXPECT_FALSE(Contains(stored, "sesame"));
    EXPECT_TRUE(Contains(stored, "shop.mdb"));
    EXPECT_TRUE(Contains(stored, "Jet OLEDB:Database Password=;"));

    CMessageBoxRecorder boxes;
    CDocProgram program;
    CDialogScript script;
    // a wrong password first: asked again, with the note
    script.OnDialog(IDD_SOURCEPASSWORD)
        .Do([&](CWnd* pDlg) {
            CString strFile;
            pDlg->GetDlgItemText(IDC_SP_FILE, strFile);
            EXPECT_STREQ(strDatabase, strFile);
            CString strNote;
            pDlg->GetDlgItemText(IDC_SP_NOTE, strNote);
            EXPECT_STREQ("", strNote);
        })
        .SetText(IDC_SP_PASSWORD, "open")
        .OK();
    script.OnDialog(IDD_SOURCEPASSWORD)
        .Do([&](CWnd* pDlg) {
            CString strNote;
            pDlg->GetDlgItemText(IDC_SP_NOTE, strNote);
            EXPECT_STREQ("The password is not valid. Please try again.", strNote);
        })
        .SetText(IDC_SP_PASSWORD, "sesame")
        .OK();
    CVarnelDoc* pDoc = (CVarnelDoc*)program.m_pApp->OpenDocumentFile(strPublication);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(2, script.GetRecordCount());
    // connected with it: no provider error, the Shippers table is there
    EXPECT_EQ(0, boxes.GetCount());
    ASSERT_GE(pDoc->m_nDataRows, 2);
    EXPECT_STREQ("ShipperID", pDoc->m_pDataRows[0][0]);
    EXPECT_FALSE(pDoc->IsModified());
    // the file still holds no password
    EXPECT_EQ(stored, ReadFileBytes(strPublication));
}

TEST(StoredPasswordPrompt, CancellingThePasswordOpensTheDesignWithoutTable)
{
    CTempFolder folder;
    const CString strDatabase = folder.File("shop.mdb");
    const CString strPublication = folder.File("shop.labf");
    WriteWholeFile(strDatabase, AccessFileWithPassword(NwindPath(), L"sesame"));
    {
        CVarnelDoc doc;
        doc.m_strDataSource = AccessDescription(strDatabase, "");
        CMessageBoxRecorder boxes;
        ASSERT_TRUE(doc.OnSaveDocument(strPublication));
    }

    CMessageBoxRecorder boxes;
    CDocProgram program;
    CDialogScript script;
    script.OnDialog(IDD_SOURCEPASSWORD).Cancel();
    CVarnelDoc* pDoc = (CVarnelDoc*)program.m_pApp->OpenDocumentFile(strPublication);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(1, script.GetRecordCount());
    // no raw provider text; the way back to the source is named
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_EQ(0, boxes.GetCall(0).m_strText.Find("Could not connect to the database."));
    EXPECT_EQ(-1, pDoc->m_nDataRows);
    EXPECT_STREQ(AccessDescription(strDatabase, ""), pDoc->m_strDataSource);
}
