// The tip of the day: the tips file, paging, the show-at-start-up box and the registry
// value "ShowTip" that the document reads and writes.

#include "doc_program.h"
#include "app/TipDlg.h"
#include "model/OptionsKeys.h"

namespace
{

CString TipText(CWnd* pDlg)
{
    CString str;
    pDlg->GetDlgItemText(IDC_TIP_TEXT, str);
    return str;
}

class TipOfTheDay : public ::testing::Test
{
protected:
    TipOfTheDay() : m_key(m_program.OptionsKeyPath()) {}

    CMessageBoxRecorder m_boxes;
    CProgramFiles m_files;
    CDocProgram m_program;
    COptionsKey m_key;
};

} // namespace

TEST(TipSplitting, TipsAreCutAtEveryDoubleColonWithoutTrimming)
{
    EXPECT_EQ(std::vector<CString>({ "one", "two" }), SplitAll("one::two", "::"));
    EXPECT_EQ(std::vector<CString>({ "one", "two", "" }), SplitAll("one::two::", "::"));
    EXPECT_EQ(std::vector<CString>({ "" }), SplitAll("", "::"));
    EXPECT_EQ(std::vector<CString>({ "a\r\n", "\r\nb" }), SplitAll("a\r\n::\r\nb", "::"));
    EXPECT_EQ(std::vector<CString>({ "a:b" }), SplitAll("a:b", "::"));

    CString strText = "head::tail::end";
    BOOL bFound = FALSE;
    EXPECT_STREQ("head", SplitString(strText, "::", &bFound));
    EXPECT_TRUE(bFound);
    EXPECT_STREQ("tail::end", strText);
    CString strNone = "plain";
    EXPECT_STREQ("", SplitString(strNone, "::", &bFound));
    EXPECT_FALSE(bFound);
    EXPECT_STREQ("plain", strNone);
}

TEST_F(TipOfTheDay, MissingShowTipShowsNothingAndWritesNothing)
{
    m_key.Delete(OPTION_SHOW_TIP);
    CVarnelDoc doc;
    CDialogScript script;       // any dialog would be a failure
    doc.ShowTipOfTheDay();
    EXPECT_EQ(0, script.GetRecordCount());
    DWORD dwValue = 0;
    EXPECT_FALSE(m_key.GetDword(OPTION_SHOW_TIP, dwValue));
}

TEST_F(TipOfTheDay, ShowTipOtherThanOneShowsNothing)
{
    m_key.SetDword(OPTION_SHOW_TIP, 0);
    CVarnelDoc doc;
    CDialogScript script;
    doc.ShowTipOfTheDay();
    EXPECT_EQ(0, script.GetRecordCount());
    DWORD dwValue = 7;
    ASSERT_TRUE(m_key.GetDword(OPTION_SHOW_TIP, dwValue));
    EXPECT_EQ(0u, dwValue);
}

TEST_F(TipOfTheDay, PagesThroughTheTipsAndStoresTheUncheckedBox)
{
    m_files.WriteTips("First tip::Second tip::Third tip");
    m_key.SetDword(OPTION_SHOW_TIP, 1);
    CVarnelDoc doc;
    CString strShown, strAfterNext, strAfterPrev;
    CDialogScript script;
    CDialogScript::CSteps& steps = script.OnDialog(IDD_TIPOFTHEDAY);
    steps.Do([&](CWnd* pDlg) {
        CTipOfTheDayDlg* pTip = (CTipOfTheDayDlg*)pDlg;
        EXPECT_EQ(3, pTip->m_nTipCount);
        EXPECT_TRUE(pTip->m_bShowTip);
        EXPECT_EQ(BST_CHECKED, pDlg->IsDlgButtonChecked(IDC_TIP_SHOWATSTARTUP));
        // start from the last tip: Next wraps to the first, Previous back to the last
        pTip->m_nCurrent = 2;
        strShown = TipText(pDlg);
    });
    steps.Click(IDC_TIP_NEXT);
    steps.Do([&](CWnd* pDlg) { strAfterNext = TipText(pDlg); });
    steps.Click(IDC_TIP_PREVIOUS);
    steps.Do([&](CWnd* pDlg) { strAfterPrev = TipText(pDlg); });
    steps.Check(IDC_TIP_SHOWATSTARTUP, BST_UNCHECKED);
    steps.OK();
    doc.ShowTipOfTheDay();

    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_STREQ("Tip of the Day", script.GetRecord(0).m_strCaption);
    EXPECT_TRUE(strShown == "First tip" || strShown == "Second tip" || strShown == "Third tip");
    EXPECT_STREQ("First tip", strAfterNext);
    EXPECT_STREQ("Third tip", strAfterPrev);
    DWORD dwValue = 5;
    ASSERT_TRUE(m_key.GetDword(OPTION_SHOW_TIP, dwValue));
    EXPECT_EQ(0u, dwValue);
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(TipOfTheDay, KeptBoxStoresOne)
{
    m_files.WriteTips("Only tip");
    m_key.SetDword(OPTION_SHOW_TIP, 1);
    CVarnelDoc doc;
    CDialogScript script;
    script.OnDialog(IDD_TIPOFTHEDAY).Click(IDC_TIP_NEXT).OK();
    doc.ShowTipOfTheDay();
    DWORD dwValue = 5;
    ASSERT_TRUE(m_key.GetDword(OPTION_SHOW_TIP, dwValue));
    EXPECT_EQ(1u, dwValue);
}

TEST_F(TipOfTheDay, MissingTipsFileIsReportedAndTheResourceTextStays)
{
    m_key.SetDword(OPTION_SHOW_TIP, 1);
    CVarnelDoc doc;
    CString strText;
    CDialogScript script;
    script.OnDialog(IDD_TIPOFTHEDAY)
        .Do([&](CWnd* pDlg) { strText = TipText(pDlg); })
        .Click(IDC_TIP_NEXT)
        .OK();
    doc.ShowTipOfTheDay();
    EXPECT_STREQ("File tips.dat not found!", strText);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("File could not be opened. \nIf it is opened by another application, please close it.",
                 m_boxes.GetCall(0).m_strText);
}

TEST_F(TipOfTheDay, NewPublicationEndsWithTheTip)
{
    m_files.WriteTips("Hello::World");
    m_key.SetDword(OPTION_SHOW_TIP, 1);
    CDialogScript script;
    CWizardAnswer answer;
    ScriptWizard(script, answer);
    script.OnDialog(IDD_TIPOFTHEDAY).OK();
    m_program.Command(ID_FILE_NEW);
    EXPECT_EQ(2, script.GetRecordCount());
    EXPECT_EQ(0, script.GetPendingCount());
    ASSERT_TRUE(m_program.ActiveDoc() != NULL);
}
