// test_program_file.cpp - the built Stickwell.exe as the shell and an installer see it:
// its version information and its application manifest.

#include "VarnelApp.h"     // REGISTRY_COMPANY
#include "resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace
{

// The program file the build made (beside the test programs' folder).
const char* const kProgram = STICKWELL_EXE;

std::vector<BYTE> VersionBlock()
{
    DWORD dwHandle = 0;
    const DWORD dwSize = ::GetFileVersionInfoSizeA(kProgram, &dwHandle);
    std::vector<BYTE> block(dwSize);
    if (dwSize == 0 || !::GetFileVersionInfoA(kProgram, 0, dwSize, block.data()))
        block.clear();
    return block;
}

std::string VersionString(std::vector<BYTE>& block, const char* pszName)
{
    std::string query = std::string("\\StringFileInfo\\040904e4\\") + pszName;
    char* pValue = NULL;
    UINT nLength = 0;
    if (!::VerQueryValueA(block.data(), query.c_str(), (void**)&pValue, &nLength) || pValue == NULL)
        return "<missing>";
    return std::string(pValue);
}

// A resource of the program file, loaded as data.
struct ProgramResources
{
    HMODULE hModule = ::LoadLibraryExA(kProgram, NULL, LOAD_LIBRARY_AS_DATAFILE);
    ~ProgramResources()
    {
        if (hModule != NULL)
            ::FreeLibrary(hModule);
    }
    std::string Bytes(LPCSTR pszName, LPCSTR pszType) const
    {
        HRSRC hRes = hModule != NULL ? ::FindResourceA(hModule, pszName, pszType) : NULL;
        HGLOBAL hData = hRes != NULL ? ::LoadResource(hModule, hRes) : NULL;
        if (hData == NULL)
            return std::string();
        return std::string((const char*)::LockResource(hData), ::SizeofResource(hModule, hRes));
    }
};

// The version text of the About box ("Version 2.1"), read from its dialog template.
std::wstring AboutBoxVersion()
{
    ProgramResources res;
    const std::string bytes = res.Bytes(MAKEINTRESOURCEA(IDD_ABOUTBOX), MAKEINTRESOURCEA(5));
    std::wstring text((const wchar_t*)bytes.data(), bytes.size() / sizeof(wchar_t));
    const size_t at = text.find(L"Version ");
    if (at == std::wstring::npos)
        return std::wstring();
    return std::wstring(text.c_str() + at + 8);
}

} // namespace

TEST(ProgramFile, VersionNamesTheProgramAsItsRegistryKeyAndAboutBoxDo)
{
    std::vector<BYTE> block = VersionBlock();
    ASSERT_FALSE(block.empty()) << kProgram << " has no version information";

    VS_FIXEDFILEINFO* pFixed = NULL;
    UINT nLength = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", (void**)&pFixed, &nLength));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), nLength);
    EXPECT_EQ(VS_FFI_SIGNATURE, pFixed->dwSignature);
    EXPECT_EQ((DWORD)VFT_APP, pFixed->dwFileType);
    EXPECT_EQ(pFixed->dwFileVersionMS, pFixed->dwProductVersionMS);
    EXPECT_EQ(pFixed->dwFileVersionLS, pFixed->dwProductVersionLS);

    // The numbers agree with the About box and with the version texts.
    const std::wstring about = AboutBoxVersion();
    wchar_t szExpected[32];
    swprintf(szExpected, 32, L"%u.%u", HIWORD(pFixed->dwFileVersionMS), LOWORD(pFixed->dwFileVersionMS));
    EXPECT_EQ(0u, about.find(szExpected)) << "About box: Version " << about.c_str();
    char szFull[64];
    snprintf(szFull, sizeof szFull, "%u.%u.%u.%u", HIWORD(pFixed->dwFileVersionMS),
             LOWORD(pFixed->dwFileVersionMS), HIWORD(pFixed->dwFileVersionLS),
             LOWORD(pFixed->dwFileVersionLS));
    EXPECT_EQ(szFull, VersionString(block, "FileVersion"));
    EXPECT_EQ(szFull, VersionString(block, "ProductVersion"));

    // The words of HKEY_CURRENT_USER\Software\<company>\<application>.
    EXPECT_EQ(REGISTRY_COMPANY, VersionString(block, "CompanyName"));
    ProgramResources res;
    char szTitle[64] = "";
    ASSERT_NE(nullptr, res.hModule);
    ::LoadStringA(res.hModule, AFX_IDS_APP_TITLE, szTitle, sizeof szTitle);
    EXPECT_STREQ("Stickwell", szTitle);
    EXPECT_EQ(szTitle, VersionString(block, "ProductName"));
    EXPECT_EQ("Stickwell.exe", VersionString(block, "OriginalFilename"));

    // One translation, the program's own code page.
    WORD* pTranslation = NULL;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", (void**)&pTranslation, &nLength));
    ASSERT_EQ(4u, nLength);
    EXPECT_EQ(0x0409, pTranslation[0]);
    EXPECT_EQ(1252, pTranslation[1]);
}

TEST(ProgramFile, ManifestRunsAsInvokerOnTheSupportedWindowsVersions)
{
    ProgramResources res;
    ASSERT_NE(nullptr, res.hModule);
    const std::string manifest = res.Bytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_FALSE(manifest.empty()) << kProgram << " has no application manifest";

    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
    EXPECT_NE(std::string::npos, manifest.find("uiAccess=\"false\""));
    const char* const aOS[] = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",   // Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",   // Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",   // Windows 10 and 11
    };
    for (const char* pszId : aOS)
        EXPECT_NE(std::string::npos, manifest.find(std::string("<supportedOS Id=\"") + pszId + "\"/>")) << pszId;
    // The controls keep the look they have without a manifest: no newer common controls.
    EXPECT_EQ(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));

    // The system's own reader accepts it as the program's activation context.
    ACTCTXA ctx = {};
    ctx.cbSize = sizeof ctx;
    ctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ctx.lpSource = kProgram;
    ctx.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE hContext = ::CreateActCtxA(&ctx);
    EXPECT_NE(INVALID_HANDLE_VALUE, hContext) << "error " << ::GetLastError();
    if (hContext != INVALID_HANDLE_VALUE)
        ::ReleaseActCtx(hContext);
}
