// Test environment of the document and view tests: no dialog waits for a user,
// OLE runs for the clipboard, and the test printer is there.

#include "docdemo.h"
#include "test_support.h"
#include "afxole.h"
#include "test_printer.h"
#include <gtest/gtest.h>

namespace
{

class CDocViewTestEnvironment : public testsupport::CWindowTestEnvironment
{
public:
    void SetUp() override
    {
        testsupport::CWindowTestEnvironment::SetUp();
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
