// The message of an unforeseen failure: one text from the string table, shown with the
// stop icon, the same wherever a guard shows it.

#include <gtest/gtest.h>
#include "test_support.h"

#include "UnexpectedError.h"

namespace
{
const char kUnexpectedError[] =
    "Unexpected Error occurred... \nPlease close and re-open the application and try again!";
}

TEST(UnexpectedError, TheStoredTextIsTheProgramsOwn)
{
    EXPECT_STREQ(kUnexpectedError, GetUnexpectedErrorText());
}

TEST(UnexpectedError, ShownOnceWithTheStopIcon)
{
    CMessageBoxRecorder boxes;
    ShowUnexpectedError();
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ(kUnexpectedError, boxes.GetCall(0).m_strText);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.GetCall(0).m_nType);
    // MB_ICONERROR of the guards is the same icon
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.GetCall(0).m_nType);
}
