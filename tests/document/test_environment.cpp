// Test environment of the document tests: the tests run in a copy of the program in a
// folder of its own (the wizard, the tip of the day and the picture commands read files
// beside the program), GDI+ and OLE run, and no dialog may wait for a user.

#include "doc_program.h"
#include "afxole.h"

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>
#include <string>

namespace
{

const char kCopyVariable[] = "STICKWELL_DOCUMENT_TESTS_COPY";

// Runs this program's tests in a copy of it in a new temporary folder and ends with the
// copy's exit code; nothing happens in the copy itself or when no copy can be made.
bool RunCopyInOwnFolder()
{
    char szValue[4];
    if (::GetEnvironmentVariableA(kCopyVariable, szValue, sizeof(szValue)) > 0)
        return false;

    char szTemp[MAX_PATH], szProgram[MAX_PATH];
    if (::GetTempPathA(MAX_PATH, szTemp) == 0 || ::GetModuleFileNameA(NULL, szProgram, MAX_PATH) == 0)
        return false;
    char szFolder[MAX_PATH + 64];
    snprintf(szFolder, sizeof(szFolder), "%sdocument_tests_%lu", szTemp, ::GetCurrentProcessId());
    char szCopy[MAX_PATH + 96];
    snprintf(szCopy, sizeof(szCopy), "%s\\document_tests.exe", szFolder);
    if (!::CreateDirectoryA(szFolder, NULL))
        return false;
    if (!::CopyFileA(szProgram, szCopy, FALSE))
    {
        ::RemoveDirectoryA(szFolder);
        return false;
    }

    ::SetEnvironmentVariableA(kCopyVariable, "1");
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::string strCommand = ::GetCommandLineA();
    DWORD nExitCode = 1;
    const bool bRan = ::CreateProcessA(szCopy, &strCommand[0], NULL, NULL, TRUE, 0, NULL, szFolder, &si, &pi) != FALSE;
    if (bRan)
    {
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        ::GetExitCodeProcess(pi.hProcess, &nExitCode);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    ::SetEnvironmentVariableA(kCopyVariable, NULL);
    ::DeleteFileA(szCopy);
    RemoveFolderTree(szFolder);
    if (!bRan)
        return false;
    fflush(stdout);
    ::ExitProcess(nExitCode);
}

const bool g_bRanCopy = RunCopyInOwnFolder();

void AFXAPI ReportDialogFailure(LPCTSTR lpszText)
{
    ADD_FAILURE() << "dialog script: " << lpszText;
}

class CDocumentTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, NULL));
        if (!CDialogScript::UsePrivateDesktop())
            printf("no private desktop: error %lu\n", ::GetLastError());
        CDialogScript::SetWatchdog(3000);
        CDialogScript::SetFailureHandler(ReportDialogFailure);
        AfxOleInit();
    }
    void TearDown() override
    {
        AfxOleTerm();
        Gdiplus::GdiplusShutdown(m_token);
    }

private:
    ULONG_PTR m_token = 0;
};

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new CDocumentTestEnvironment);

} // namespace
