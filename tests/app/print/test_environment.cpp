// Test environment of the print tests: GDI+ and OLE run, no dialog may wait for a user,
// and the tests run in a copy of the program in a folder of its own (the program reads
// files beside itself).

#include "afxdlgs.h"
#include "afxole.h"
#include "own_folder_copy.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>

namespace
{

const bool g_bRanCopy = testsupport::RunTestsInCopyOfProgram("STICKWELL_APP_PRINT_TESTS_COPY", "app_print_tests");

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new testsupport::CDrawingTestEnvironment(true));

} // namespace
