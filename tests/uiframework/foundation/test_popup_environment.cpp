// Test environment of the popup-menu tests: a desktop of this program's own, so that the
// keyboard focus and the injected input are not shared with other test programs.

#include "test_popup_support.h"
#include "test_support.h"
#include "afxdlgs.h"

BEGIN_MESSAGE_MAP(CPopupTestReceiver, CWnd)
    ON_COMMAND_RANGE(ID_POPUP_ALPHA, ID_POPUP_LONG_FIRST + 59, OnTestCommand)
END_MESSAGE_MAP()

namespace
{

class CPopupTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!CDialogScript::UsePrivateDesktop())
            printf("no private desktop: error %lu\n", ::GetLastError());
    }
};

::testing::Environment* const g_pPopupEnvironment =
    ::testing::AddGlobalTestEnvironment(new CPopupTestEnvironment);

} // namespace
