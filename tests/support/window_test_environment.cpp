// window_test_environment.cpp - CWindowTestEnvironment.

#include "window_test_environment.h"
#include "dialog_script.h"

#include <stdio.h>

namespace
{
void AFXAPI ReportDialogFailure(LPCTSTR lpszText)
{
    ADD_FAILURE() << "dialog script: " << lpszText;
}
} // namespace

namespace testsupport
{

void CWindowTestEnvironment::SetUp()
{
    if (!CDialogScript::UsePrivateDesktop())
        printf("no private desktop: error %lu\n", ::GetLastError());
    CDialogScript::SetWatchdog(3000);
    CDialogScript::SetFailureHandler(ReportDialogFailure);
}

} // namespace testsupport

void PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);
            continue;
        }
        if (!AfxPumpMessage())
            break;
    }
}
