// Names of the temporary files of whole-file saves.

#include "afx.h"

#include <gtest/gtest.h>

TEST(SaveTempPath, BesideTheTargetAndTheSameForTheSameTarget)
{
    EXPECT_STREQ("C:\\docs\\~card.labf.tmp", AfxGetSaveTempPath("C:\\docs\\card.labf"));
    EXPECT_STREQ(AfxGetSaveTempPath("C:\\docs\\card.labf"), AfxGetSaveTempPath("C:\\docs\\card.labf"));
    EXPECT_STRNE(AfxGetSaveTempPath("C:\\docs\\card.labf"), AfxGetSaveTempPath("C:\\docs\\other.labf"));
    EXPECT_TRUE(AfxIsSaveTempName("~card.labf.tmp"));
    EXPECT_TRUE(AfxIsSaveTempName("~sw1A2B.TMP"));
    EXPECT_FALSE(AfxIsSaveTempName("card.labf"));
    EXPECT_FALSE(AfxIsSaveTempName("~card.labf"));
    EXPECT_FALSE(AfxIsSaveTempName("card.tmp"));
}

TEST(SaveTempPath, ALongNameGetsAShortNameOfItsOwnWithinAPath)
{
    const CString strFolder = "C:\\" + CString('f', 200);
    const CString strA = strFolder + "\\" + CString('a', 50) + ".labf";
    const CString strB = strFolder + "\\" + CString('b', 50) + ".labf";
    ASSERT_LT(strA.GetLength(), MAX_PATH);
    const CString strTempA = AfxGetSaveTempPath(strA);
    EXPECT_LT(strTempA.GetLength(), MAX_PATH);
    EXPECT_EQ(0, strTempA.Find(strFolder + "\\~sw"));
    EXPECT_STREQ(strTempA, AfxGetSaveTempPath(strA));
    EXPECT_STRNE(strTempA, AfxGetSaveTempPath(strB));
    EXPECT_TRUE(AfxIsSaveTempName(strTempA.Mid(strFolder.GetLength() + 1)));
}
