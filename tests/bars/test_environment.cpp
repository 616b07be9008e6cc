// Test environment of the bar tests: windows on a desktop of their own, no
// dialog waits for a user.

#include "afxdlgs.h"
#include <gtest/gtest.h>

namespace
{

void AFXAPI ReportDialogFailure(LPCTSTR lpszText)
{
    ADD_FAILURE() << "dialog script: " << lpszText;
}

class CBarsTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        CDialogScript::UsePrivateDesktop();
        CDialogScript::SetWatchdog(3000);
        CDialogScript::SetFailureHandler(ReportDialogFailure);
    }
};

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new CBarsTestEnvironment);

} // namespace
