// Test environment of the print tests: GDI+ and OLE run, no dialog may wait for a user,
// and the tests run in a copy of the program in a folder of its own (the program reads
// files beside itself).

#include "afxdlgs.h"
#include "afxole.h"
#include "../common/own_folder_copy.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>

namespace
{

const bool g_bRanCopy = testsupport::RunTestsInCopyOfProgram("STICKWELL_PRINT_TESTS_COPY", "print_tests");

void AFXAPI ReportDialogFailure(LPCTSTR lpszText)
{
    ADD_FAILURE() << "dialog script: " << lpszText;
}

class CPrintTestEnvironment : public ::testing::Environment
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
    ::testing::AddGlobalTestEnvironment(new CPrintTestEnvironment);

} // namespace
