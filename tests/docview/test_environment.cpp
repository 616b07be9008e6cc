// Test environment of the document and view tests: no dialog waits for a user,
// OLE runs for the clipboard, and the test printer is there.

#include "docdemo.h"
#include "afxole.h"
#include "test_printer.h"
#include <gtest/gtest.h>

namespace
{

void AFXAPI ReportDialogFailure(LPCTSTR lpszText)
{
    ADD_FAILURE() << "dialog script: " << lpszText;
}

class CDocViewTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        // focus and activation are not shared with other test programs
        CDialogScript::UsePrivateDesktop();
        CDialogScript::SetWatchdog(3000);
        CDialogScript::SetFailureHandler(ReportDialogFailure);
        AfxOleInit();
        InstallTestPrinter();
    }
    void TearDown() override
    {
        AfxOleTerm();
    }
};

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new CDocViewTestEnvironment);

} // namespace
