// Test environment of the document tests: the tests run in a copy of the program in a
// folder of its own (the wizard, the tip of the day and the picture commands read files
// beside the program), GDI+ and OLE run, and no dialog may wait for a user.

#include "doc_program.h"
#include "test_support.h"
#include "afxole.h"
#include "own_folder_copy.h"

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>
#include <string>

namespace
{

// Files beside the program are read and written, and other test programs share
// this folder: the tests run in a copy of the program in a folder of its own.
const bool g_bRanCopy = testsupport::RunTestsInCopyOfProgram("STICKWELL_APP_TESTS_COPY", "app_tests");

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new testsupport::CDrawingTestEnvironment(true));

} // namespace
